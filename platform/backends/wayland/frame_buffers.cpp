#include "platform/backends/wayland/frame_buffers.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace {

// Beyond this many areas a buffer copies the whole canvas, which is quicker than many small
// copies and keeps the list short while the compositor holds the buffer.
constexpr std::size_t MostStaleAreas = 32;

constexpr std::uint32_t ColourBits = 0x00FFFFFF;

} // namespace

FrameBuffers::~FrameBuffers() {
    for (Buffer& buffer : m_buffers) {
        if (buffer.buffer != nullptr)
            wl_buffer_destroy(buffer.buffer);
    }
    if (m_memory != nullptr)
        munmap(m_memory, m_memory_size);
}

void FrameBuffers::on_release(void* data, wl_buffer* released) {
    auto* self = static_cast<FrameBuffers*>(data);
    for (Buffer& buffer : self->m_buffers) {
        if (buffer.buffer == released)
            buffer.is_busy = false;
    }
    self->m_released();
}

bool FrameBuffers::make(wl_shm* shm, int width, int height) {
    m_width = width;
    m_height = height;
    m_stride = width * 4;
    const std::size_t buffer_size = static_cast<std::size_t>(m_stride) * height;
    m_memory_size = buffer_size * m_buffers.size();
    const int file = memfd_create("kalvetra-window", MFD_CLOEXEC);
    if (file < 0)
        return false;
    if (ftruncate(file, static_cast<off_t>(m_memory_size)) != 0) {
        close(file);
        return false;
    }
    m_memory = mmap(nullptr, m_memory_size, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    if (m_memory == MAP_FAILED) {
        m_memory = nullptr;
        close(file);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, file, static_cast<std::int32_t>(m_memory_size));
    static const wl_buffer_listener Listener = {.release = on_release};
    for (std::size_t index = 0; index < m_buffers.size(); ++index) {
        Buffer& buffer = m_buffers[index];
        const std::size_t offset = index * buffer_size;
        buffer.buffer = wl_shm_pool_create_buffer(pool, static_cast<std::int32_t>(offset), width,
                                                  height, m_stride, WL_SHM_FORMAT_XRGB8888);
        wl_buffer_add_listener(buffer.buffer, &Listener, this);
        buffer.pixels = static_cast<std::uint8_t*>(m_memory) + offset;
    }
    wl_shm_pool_destroy(pool);
    close(file);
    return true;
}

void FrameBuffers::mark_changed(const PixelRect& area) {
    for (Buffer& buffer : m_buffers) {
        if (buffer.is_all_stale)
            continue;
        if (buffer.stale.size() >= MostStaleAreas) {
            buffer.is_all_stale = true;
            buffer.stale.clear();
        } else {
            buffer.stale.push_back(area);
        }
    }
}

void FrameBuffers::mark_all_changed() {
    for (Buffer& buffer : m_buffers) {
        buffer.is_all_stale = true;
        buffer.stale.clear();
    }
}

void FrameBuffers::copy(Buffer& buffer, SDL_Surface* canvas, const PixelRect& area,
                        Colours colours) {
    const PixelRect clipped = area.intersected({0, 0, m_width, m_height});
    for (int y = clipped.y; y < clipped.bottom(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(
                               static_cast<const std::uint8_t*>(canvas->pixels) +
                               static_cast<std::ptrdiff_t>(y) * canvas->pitch) +
                           clipped.x;
        auto* to = reinterpret_cast<std::uint32_t*>(buffer.pixels +
                                                    static_cast<std::ptrdiff_t>(y) * m_stride) +
                   clipped.x;
        if (colours == Colours::AsPainted) {
            std::memcpy(to, from, static_cast<std::size_t>(clipped.width) * 4);
        } else {
            for (int x = 0; x < clipped.width; ++x)
                to[x] = from[x] ^ ColourBits;
        }
    }
}

wl_buffer* FrameBuffers::take(SDL_Surface* canvas, Colours colours,
                              std::vector<PixelRect>& changed) {
    Buffer* free = nullptr;
    for (Buffer& buffer : m_buffers) {
        if (buffer.buffer != nullptr && !buffer.is_busy) {
            free = &buffer;
            break;
        }
    }
    if (free == nullptr)
        return nullptr;
    // A buffer last sent in other colours differs everywhere.
    if (free->is_all_stale || free->colours != colours) {
        changed = {{0, 0, m_width, m_height}};
    } else {
        changed = std::move(free->stale);
    }
    for (const PixelRect& area : changed)
        copy(*free, canvas, area, colours);
    // The buffer shown until now may have had other colours: then all of it changes.
    if (colours != m_sent_colours)
        changed = {{0, 0, m_width, m_height}};
    m_sent_colours = colours;
    free->stale.clear();
    free->is_all_stale = false;
    free->colours = colours;
    free->is_busy = true;
    return free->buffer;
}
