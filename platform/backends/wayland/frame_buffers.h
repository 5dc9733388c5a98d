#pragma once

// The window's pixels as the compositor gets them: two wl_shm buffers in one shared memory
// file, each usable again only once the compositor has released it. The picture itself is
// painted elsewhere, once, into a canvas; each buffer is brought up to date by copying the
// areas of the canvas that changed since it was last sent, so that neither is painted whole
// for a small change. A buffer can also go out with its colours inverted, for the visual
// bell.

#include "platform/paint/draw_list.h"

#include <SDL.h>
#include <wayland-client.h>

#include <array>
#include <functional>
#include <vector>

class FrameBuffers {
  public:
    // released is called when a buffer that was busy becomes usable again.
    explicit FrameBuffers(std::function<void()> released) : m_released(std::move(released)) {}
    ~FrameBuffers();
    FrameBuffers(const FrameBuffers&) = delete;
    FrameBuffers& operator=(const FrameBuffers&) = delete;

    // Makes both buffers for a canvas of width x height pixels; false when the shared memory
    // could not be had.
    bool make(wl_shm* shm, int width, int height);

    // An area of the canvas changed: every buffer must copy it before it is sent again.
    void mark_changed(const PixelRect& area);
    void mark_all_changed();

    enum class Colours { AsPainted, Inverted };
    // Brings a free buffer up to date from canvas and returns it with the areas in which it
    // differs from the buffer sent before (in pixels), marked busy until the compositor
    // releases it; null when both are busy.
    wl_buffer* take(SDL_Surface* canvas, Colours colours, std::vector<PixelRect>& changed);

  private:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        std::uint8_t* pixels = nullptr;
        bool is_busy = false;
        Colours colours = Colours::AsPainted;
        std::vector<PixelRect> stale; // what it must copy before it is sent
        bool is_all_stale = true;
    };

    static void on_release(void* data, wl_buffer* buffer);
    void copy(Buffer& buffer, SDL_Surface* canvas, const PixelRect& area, Colours colours);

    std::function<void()> m_released;
    std::array<Buffer, 2> m_buffers;
    void* m_memory = nullptr;
    std::size_t m_memory_size = 0;
    int m_width = 0, m_height = 0, m_stride = 0;
    Colours m_sent_colours = Colours::AsPainted; // of the buffer the compositor shows
};
