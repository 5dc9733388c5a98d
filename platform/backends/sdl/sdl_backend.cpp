#include "platform/backends/sdl/sdl_backend.h"

#include "platform/backends/sdl/font_lookup.h"
#include "platform/backends/sdl/icon_image.h"
#include "platform/backends/sdl/key_mapping.h"
#include "platform/backends/sdl/url_launcher.h"
#include "platform/backends/sdl/x11_display.h"
#include "platform/paint/frame_changes.h"
#include "platform/paint/png_writer.h"
#include "platform/text/codepage1254.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Rendered texts kept between frames: every label of every page, with room to spare.
constexpr std::size_t TextCacheCapacity = 512;
// Measured widths kept; the table starts over when it has this many.
constexpr std::size_t TextWidthCapacity = 4096;

// At 96 dots per inch the interface takes the measure of 8-point MS Sans Serif there: lines
// of 13 pixels and an average character of 6 (twice that at twice the density). The font is
// set to the largest pixel size whose own text fits that measure, since labels were laid out
// for it and a wider font would not fit their boxes.
constexpr int TargetLineHeight = 13;
constexpr int TargetCharWidth = 6;
constexpr int SmallestPixelSize = 8;
constexpr int LargestPixelSize = 14;
constexpr const char* AverageWidthSample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int AverageWidthSampleLength = 52;

constexpr float ReferenceDpi = 96.0f;

std::string LastSdlError(const char* what) {
    return std::string(what) + ": " + SDL_GetError();
}

SDL_Rect ToSdl(const PixelRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

Uint32 MapColour(const SDL_Surface* target, std::uint32_t colour) {
    return SDL_MapRGB(target->format, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The width of the sample at the font's current size; a 52nd of it is the average
// character width.
int SampleWidth(TTF_Font* font) {
    int width = 0;
    TTF_SizeUTF8(font, AverageWidthSample, &width, nullptr);
    return width;
}

// Liberation Sans, for one, fits at 10 pixels (5.94 a character, 12 a line) and at 20
// (11.56, 23) for twice the density.
int ChoosePixelSize(TTF_Font* font, int scale) {
    int chosen = SmallestPixelSize * scale;
    for (int size = chosen; size <= LargestPixelSize * scale; ++size) {
        if (TTF_SetFontSize(font, size) != 0)
            continue;
        if (SampleWidth(font) > TargetCharWidth * scale * AverageWidthSampleLength ||
            TTF_FontHeight(font) > TargetLineHeight * scale)
            break;
        chosen = size;
    }
    return chosen;
}

// 1 below 144 dots per inch, 2 from there on. SDL knows the monitor's resolution where the
// display reports its physical size; X servers without one (Xvfb) still have the core
// screen's.
int DisplayScale() {
    float horizontal_dpi = 0;
    if (SDL_GetDisplayDPI(0, nullptr, &horizontal_dpi, nullptr) != 0 || horizontal_dpi <= 0)
        horizontal_dpi = X11ScreenDpi().value_or(ReferenceDpi);
    return std::clamp(static_cast<int>(std::lround(horizontal_dpi / ReferenceDpi)), 1, 2);
}

} // namespace

SdlBackend::SdlBackend() : m_text_cache(TextCacheCapacity) {}

SdlBackend::~SdlBackend() {
    close_window();
    m_text_cache.clear();
    for (const auto& [data, surface] : m_bitmaps)
        SDL_FreeSurface(surface);
    for (SDL_Cursor* cursor : {m_arrow, m_ibeam, m_hand}) {
        if (cursor != nullptr)
            SDL_FreeCursor(cursor);
    }
    if (m_font != nullptr)
        TTF_CloseFont(m_font);
    if (m_start != Start::NotYet) {
        if (TTF_WasInit())
            TTF_Quit();
        SDL_Quit();
    }
}

bool SdlBackend::start() const {
    if (m_start != Start::NotYet)
        return m_start == Start::Done;
    m_start = Start::Failed;
    // An X display (the bell and the loss of the display need one), unless SDL_VIDEODRIVER
    // asks for another. Software drawing on the window surface only; the calculator is a
    // normal desktop window that neither bypasses the compositor nor keeps the screen saver
    // away.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // The window's close already arrives as its own event; SDL_QUIT then only means a
    // signal asked the program to end.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        const char* display = std::getenv("DISPLAY");
        m_error =
            display == nullptr || *display == '\0'
                ? std::string("cannot open a window: no X display (DISPLAY is not set)")
                : "cannot open the X display \"" + std::string(display) + "\": " + SDL_GetError();
        return false;
    }
    ExitOnDisplayLoss();
    if (const Uint32 registered = SDL_RegisterEvents(1); registered != static_cast<Uint32>(-1))
        m_wake_event = registered;
    if (TTF_Init() != 0) {
        m_error = LastSdlError("cannot start the font engine");
        return false;
    }
    if (!load_font())
        return false;
    m_start = Start::Done;
    return true;
}

bool SdlBackend::load_font() const {
    const auto file = FindInterfaceFont();
    if (!file) {
        m_error = "cannot find a sans-serif font with fontconfig";
        return false;
    }
    // FreeType reads the font in many small pieces while sizing it; from memory that costs
    // nothing, from the file it is thousands of system calls at every start.
    std::ifstream stream(file->path, std::ios::binary);
    m_font_file.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    SDL_RWops* source =
        m_font_file.empty()
            ? nullptr
            : SDL_RWFromConstMem(m_font_file.data(), static_cast<int>(m_font_file.size()));
    m_font =
        source == nullptr ? nullptr : TTF_OpenFontIndexRW(source, 1, LargestPixelSize, file->index);
    if (m_font == nullptr) {
        m_error = LastSdlError(("cannot open the font " + file->path).c_str());
        return false;
    }
    TTF_SetFontHinting(m_font, TTF_HINTING_NORMAL);
    const int scale = DisplayScale();
    if (TTF_SetFontSize(m_font, ChoosePixelSize(m_font, scale)) != 0) {
        m_error = LastSdlError("cannot size the font");
        return false;
    }
    m_metrics.average_char_width =
        (SampleWidth(m_font) + AverageWidthSampleLength / 2) / AverageWidthSampleLength;
    // The line keeps its classic height; what the font leaves of it is leading below the text.
    m_metrics.height = std::max(TTF_FontHeight(m_font), TargetLineHeight * scale);
    m_metrics.ascent = TTF_FontAscent(m_font);
    return true;
}

FontMetrics SdlBackend::font_metrics() const {
    start();
    return m_metrics;
}

int SdlBackend::text_width(std::string_view text) const {
    if (!start() || text.empty())
        return 0;
    const std::string key(text);
    if (const auto found = m_text_widths.find(key); found != m_text_widths.end())
        return found->second;
    int width = 0;
    TTF_SizeUTF8(m_font, CodePage1254ToUtf8(text).c_str(), &width, nullptr);
    if (m_text_widths.size() >= TextWidthCapacity)
        m_text_widths.clear();
    m_text_widths.emplace(key, width);
    return width;
}

bool SdlBackend::open_window(const WindowSpec& spec) {
    if (!start())
        return false;
    if (m_window != nullptr) {
        m_error = "the window is already open";
        return false;
    }
    m_window = SDL_CreateWindow(CodePage1254ToUtf8(spec.title).c_str(), SDL_WINDOWPOS_CENTERED,
                                SDL_WINDOWPOS_CENTERED, spec.width, spec.height, SDL_WINDOW_HIDDEN);
    if (m_window == nullptr) {
        m_error = LastSdlError("cannot create the window");
        return false;
    }
    if (!spec.icon.empty())
        set_icon(spec.icon);
    SDL_ShowWindow(m_window);
    SDL_StartTextInput();
    return true;
}

void SdlBackend::close_window() {
    if (m_window == nullptr)
        return;
    SDL_StopTextInput();
    SDL_DestroyWindow(m_window);
    m_window = nullptr;
    m_drawn = DrawList();
    m_drawn_surface = nullptr;
    m_is_window_stale = true;
}

void SdlBackend::set_icon(std::span<const std::uint8_t> ico) {
    if (m_window == nullptr)
        return;
    SDL_Surface* icon = DecodeIcon(ico);
    if (icon == nullptr)
        return;
    SDL_SetWindowIcon(m_window, icon);
    SDL_FreeSurface(icon);
}

// ----- drawing -----

void SdlBackend::present(const DrawList& frame) {
    if (m_window == nullptr)
        return;
    SDL_Surface* target = SDL_GetWindowSurface(m_window);
    if (target == nullptr) {
        m_error = LastSdlError("cannot draw into the window");
        return;
    }
    // A new surface (the first frame, or SDL made another) holds nothing yet, and a window
    // that was exposed shows nothing of it: both are drawn and sent whole.
    const PixelRect surface{0, 0, target->w, target->h};
    const bool is_whole = target != m_drawn_surface || m_is_window_stale ||
                          frame.width != m_drawn.width || frame.height != m_drawn.height;
    const std::vector<PixelRect> areas =
        is_whole ? std::vector<PixelRect>{surface} : ChangedAreas(m_drawn, frame);
    // Each area is drawn by every command that reaches into it and shows there, in the
    // frame's order.
    for (const PixelRect& area : areas) {
        for (std::size_t index = FirstShownCommand(frame, area); index < frame.commands.size();
             ++index) {
            const DrawCommand& command = frame.commands[index];
            if (!CommandExtent(command).intersected(area).is_empty())
                draw(target, command, area);
        }
    }
    SDL_SetClipRect(target, nullptr);
    if (is_whole) {
        SDL_UpdateWindowSurface(m_window);
    } else if (!areas.empty()) {
        std::vector<SDL_Rect> rects;
        for (const PixelRect& area : areas)
            rects.push_back(ToSdl(area.intersected(surface)));
        SDL_UpdateWindowSurfaceRects(m_window, rects.data(), static_cast<int>(rects.size()));
    }
    m_drawn = frame;
    m_drawn_surface = target;
    m_is_window_stale = false;
}

void SdlBackend::draw(SDL_Surface* target, const DrawCommand& command, const PixelRect& area) {
    switch (command.op) {
    case DrawOp::Fill: {
        // Fills and frames come clipped by the painter; a clip given as well still holds.
        const SDL_Rect clip =
            ToSdl(command.clip.is_empty() ? area : command.clip.intersected(area));
        SDL_SetClipRect(target, &clip);
        const SDL_Rect rect = ToSdl(command.rect);
        SDL_FillRect(target, &rect, MapColour(target, command.colour));
        break;
    }
    case DrawOp::DottedFrame:
        draw_dotted_frame(target, command, area);
        break;
    case DrawOp::Text:
        draw_text(target, command, area);
        break;
    case DrawOp::Bitmap:
        draw_bitmap(target, command, area);
        break;
    }
}

void SdlBackend::draw_dotted_frame(SDL_Surface* target, const DrawCommand& command,
                                   const PixelRect& area) {
    const PixelRect& rect = command.rect;
    if (rect.is_empty())
        return;
    // Every other pixel along the edges, starting with the top-left corner, like the focus
    // rectangle of Windows.
    std::vector<SDL_Rect> dots;
    const auto add = [&](int x, int y) {
        if ((x - rect.x + y - rect.y) % 2 == 0)
            dots.push_back({x, y, 1, 1});
    };
    for (int x = rect.x; x < rect.right(); ++x) {
        add(x, rect.y);
        if (rect.height > 1)
            add(x, rect.bottom() - 1);
    }
    for (int y = rect.y + 1; y < rect.bottom() - 1; ++y) {
        add(rect.x, y);
        if (rect.width > 1)
            add(rect.right() - 1, y);
    }
    const SDL_Rect clip = ToSdl(command.clip.is_empty() ? area : command.clip.intersected(area));
    SDL_SetClipRect(target, &clip);
    SDL_FillRects(target, dots.data(), static_cast<int>(dots.size()),
                  MapColour(target, command.colour));
}

void SdlBackend::draw_text(SDL_Surface* target, const DrawCommand& command, const PixelRect& area) {
    if (command.text.empty() || m_font == nullptr)
        return;
    SDL_Surface* rendered = m_text_cache.find_or_render(
        command.text, command.colour, [this](std::string_view text, std::uint32_t colour) {
            const SDL_Color colour_sdl = {static_cast<Uint8>(colour & 0xFF),
                                          static_cast<Uint8>((colour >> 8) & 0xFF),
                                          static_cast<Uint8>((colour >> 16) & 0xFF), 0xFF};
            return TTF_RenderUTF8_Blended(m_font, CodePage1254ToUtf8(text).c_str(), colour_sdl);
        });
    if (rendered == nullptr)
        return;
    const SDL_Rect clip = ToSdl(command.clip.intersected(area));
    SDL_SetClipRect(target, &clip);
    SDL_Rect place = {command.rect.x, command.rect.y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered, nullptr, target, &place);
}

SDL_Surface* SdlBackend::bitmap_surface(std::span<const std::uint8_t> bmp_file) {
    if (const auto found = m_bitmaps.find(bmp_file.data()); found != m_bitmaps.end())
        return found->second;
    SDL_RWops* stream = SDL_RWFromConstMem(bmp_file.data(), static_cast<int>(bmp_file.size()));
    SDL_Surface* loaded = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (loaded == nullptr) {
        m_error = LastSdlError("cannot read a bitmap");
        m_bitmaps.emplace(bmp_file.data(), nullptr);
        return nullptr;
    }
    // Converted once to the window's usual format, so that each frame only copies pixels.
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    m_bitmaps.emplace(bmp_file.data(), converted);
    return converted;
}

void SdlBackend::draw_bitmap(SDL_Surface* target, const DrawCommand& command,
                             const PixelRect& area) {
    if (command.bitmap.empty())
        return;
    // A picture keeps its own size in pixels; the window system places and clips it.
    SDL_Surface* picture = bitmap_surface(command.bitmap);
    if (picture == nullptr)
        return;
    const SDL_Rect clip = ToSdl(command.clip.intersected(area));
    SDL_SetClipRect(target, &clip);
    SDL_Rect place = {command.rect.x, command.rect.y, picture->w, picture->h};
    SDL_BlitSurface(picture, nullptr, target, &place);
}

// ----- input -----

bool SdlBackend::wait_event(InputEvent& event, int timeout_ms) {
    if (!start())
        return false;
    const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(std::max(timeout_ms, 0));
    for (;;) {
        SDL_Event sdl_event;
        int got;
        if (timeout_ms < 0) {
            got = SDL_WaitEvent(&sdl_event);
        } else {
            const Uint64 now = SDL_GetTicks64();
            const int remaining = now >= deadline ? 0 : static_cast<int>(deadline - now);
            got = SDL_WaitEventTimeout(&sdl_event, remaining);
        }
        if (!got)
            return false;
        event = InputEvent{};
        // Events that mean nothing here are passed over, and the wait goes on.
        if (translate(sdl_event, event))
            return true;
    }
}

bool SdlBackend::translate(const SDL_Event& sdl_event, InputEvent& event) {
    using Type = InputEvent::Type;
    if (m_wake_event != 0 && sdl_event.type == m_wake_event) {
        event.type = Type::Wake;
        return true;
    }
    switch (sdl_event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const auto key = VirtualKeyFor(sdl_event.key.keysym);
        if (!key)
            return false;
        event.type = sdl_event.type == SDL_KEYDOWN ? Type::KeyDown : Type::KeyUp;
        event.key = *key;
        event.modifiers = ModifiersFor(sdl_event.key.keysym.mod);
        return true;
    }
    case SDL_TEXTINPUT: {
        // A character the code page lacks is refused as a whole, never replaced.
        auto text = Utf8ToCodePage1254(sdl_event.text.text);
        if (!text) {
            beep();
            return false;
        }
        event.type = Type::Text;
        event.text = std::move(*text);
        event.modifiers = ModifiersFor(SDL_GetModState());
        return true;
    }
    case SDL_MOUSEMOTION:
        event.type = Type::MouseMove;
        event.x = sdl_event.motion.x;
        event.y = sdl_event.motion.y;
        event.modifiers = ModifiersFor(SDL_GetModState());
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const Uint8 button = sdl_event.button.button;
        if (button != SDL_BUTTON_LEFT && button != SDL_BUTTON_RIGHT)
            return false;
        event.type = sdl_event.type == SDL_MOUSEBUTTONDOWN ? Type::MouseDown : Type::MouseUp;
        event.x = sdl_event.button.x;
        event.y = sdl_event.button.y;
        event.button = button == SDL_BUTTON_LEFT ? MouseButton::Left : MouseButton::Right;
        // As on Windows, the second click of a quick run is a double click and the third
        // starts over with a single one.
        event.clicks = sdl_event.button.clicks % 2 == 0 ? 2 : 1;
        event.modifiers = ModifiersFor(SDL_GetModState());
        return true;
    }
    case SDL_QUIT:
        event.type = Type::Close;
        return true;
    case SDL_WINDOWEVENT:
        switch (sdl_event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event.type = Type::Close;
            return true;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            m_is_window_stale = true;
            event.type = Type::Expose;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            event.type = Type::FocusChange;
            event.focused = sdl_event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
            return true;
        case SDL_WINDOWEVENT_LEAVE:
            event.type = Type::MouseLeave;
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

// ----- desktop services -----

void SdlBackend::beep() {
    RingDisplayBell(m_window);
}

void SdlBackend::show_cursor(CursorShape shape) {
    if (!start())
        return;
    if (!m_cursors_made) {
        m_cursors_made = true;
        m_arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        m_ibeam = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_IBEAM);
        m_hand = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    }
    if (shape == CursorShape::None) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor* cursor = shape == CursorShape::IBeam  ? m_ibeam
                         : shape == CursorShape::Hand ? m_hand
                                                      : m_arrow;
    // A pointer of some shape is better than none at all.
    if (cursor == nullptr)
        cursor = m_arrow;
    if (cursor != nullptr)
        SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
}

void SdlBackend::set_clipboard(std::string_view text) {
    if (!start())
        return;
    if (SDL_SetClipboardText(CodePage1254ToUtf8(text).c_str()) != 0)
        m_error = LastSdlError("cannot set the clipboard");
}

std::optional<std::string> SdlBackend::clipboard() {
    if (!start())
        return std::nullopt;
    char* utf8 = SDL_GetClipboardText();
    if (utf8 == nullptr)
        return std::string();
    auto text = Utf8ToCodePage1254(utf8);
    SDL_free(utf8);
    return text;
}

bool SdlBackend::open_url(const std::string& address) {
    if (LaunchUrlOpener(address))
        return true;
    m_error = "cannot start xdg-open for " + address;
    return false;
}

bool SdlBackend::save_screenshot(const std::string& path) {
    if (m_window == nullptr)
        return false;
    SDL_Surface* shown = SDL_GetWindowSurface(m_window);
    if (shown == nullptr)
        return false;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(shown, SDL_PIXELFORMAT_RGB24, 0);
    if (rgb == nullptr) {
        m_error = LastSdlError("cannot read the window's picture");
        return false;
    }
    const std::size_t row_bytes = static_cast<std::size_t>(rgb->w) * 3;
    std::vector<std::uint8_t> pixels(row_bytes * static_cast<std::size_t>(rgb->h));
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch;
        std::copy(row, row + row_bytes,
                  pixels.begin() + static_cast<std::ptrdiff_t>(y * row_bytes));
    }
    const bool written = WritePngFile(path, rgb->w, rgb->h, pixels);
    SDL_FreeSurface(rgb);
    if (!written)
        m_error = "cannot write " + path;
    return written;
}

std::string SdlBackend::error() const {
    return m_error;
}

// SDL's event queue takes events from any thread, and its wait wakes for them.
void SdlBackend::wake() {
    if (m_wake_event == 0)
        return;
    SDL_Event event{};
    event.type = m_wake_event;
    SDL_PushEvent(&event);
}

std::optional<PixelRect> SdlBackend::window_on_screen() const {
    if (m_window == nullptr)
        return std::nullopt;
    PixelRect rect;
    SDL_GetWindowPosition(m_window, &rect.x, &rect.y);
    SDL_GetWindowSize(m_window, &rect.width, &rect.height);
    return rect;
}
