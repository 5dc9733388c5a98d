// The STATIC class: text labels (left, centred or right, wrapped to the control's width),
// pictures drawn from a bitmap resource, and an optional one-pixel sunken frame. Before
// painting, the control asks its parent for colours with WM_CTLCOLORSTATIC. With SS_NOTIFY
// it reports clicks and double clicks to the parent; without it the window system lets the
// mouse fall through to what lies beneath.

#include "platform/controls/control_classes.h"
#include "platform/core/dialog_template.h"
#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"
#include "platform/win/brush.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace {

struct StaticState : ControlState {
    std::span<const std::uint8_t> bitmap; // the picture's .bmp file; empty for text
};

StaticState& StateOf(HWND control) {
    if (!control->control) {
        control->control = std::make_unique<StaticState>();
    }
    return static_cast<StaticState&>(*control->control);
}

DWORD TypeOf(HWND control) {
    return control->style & SS_TYPEMASK;
}

// The colours a paint uses: what the parent chose in WM_CTLCOLORSTATIC, or the defaults.
struct StaticColours {
    COLORREF background;
    COLORREF text;
    bool is_text_opaque; // an opaque dc puts the default background behind each line
};

StaticColours AskParentForColours(HWND control, HDC dc) {
    const COLORREF default_text =
        GetSysColor(control->is_enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const COLORREF default_background = GetSysColor(COLOR_BTNFACE);
    dc->text_colour = default_text;
    dc->background_mode = OPAQUE;
    LRESULT answer = 0;
    if (IsLive(control->parent)) {
        answer = SendMessage(control->parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(control));
    }
    if (answer == 0) {
        return {default_background, default_text, false};
    }
    const auto* brush = reinterpret_cast<HBRUSH>(answer);
    return {brush->colour, dc->text_colour, dc->background_mode == OPAQUE};
}

// Breaks one paragraph (no line breaks inside) into lines no wider than width, at spaces
// where it can and inside a word only when the word alone is wider than the control.
void WrapParagraph(HDC dc, std::string_view paragraph, int width,
                   std::vector<std::string_view>& lines) {
    auto fits = [&](std::size_t from, std::size_t to) {
        return TextWidth(dc, paragraph.substr(from, to - from)) <= width;
    };
    std::size_t start = 0;
    while (start < paragraph.size()) {
        std::size_t end = start; // the end of the last whole word that fits
        for (std::size_t next = start; next < paragraph.size();) {
            while (next < paragraph.size() && paragraph[next] == ' ') {
                ++next;
            }
            while (next < paragraph.size() && paragraph[next] != ' ') {
                ++next;
            }
            if (!fits(start, next)) {
                break;
            }
            end = next;
        }
        if (end == start) {
            end = start + 1;
            while (end < paragraph.size() && paragraph[end] != ' ' && fits(start, end + 1)) {
                ++end;
            }
        }
        std::string_view line = paragraph.substr(start, end - start);
        while (!line.empty() && line.back() == ' ') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end;
        while (start < paragraph.size() && paragraph[start] == ' ') {
            ++start;
        }
    }
}

// The lines of a label: CR LF (or a lone LF) ends a line, and each paragraph wraps to
// width. "ab\r\n\r\ncd" is three lines, the middle one empty.
std::vector<std::string_view> WrapText(HDC dc, std::string_view text, int width) {
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t line_feed = text.find('\n');
        std::string_view paragraph = text.substr(0, line_feed);
        if (!paragraph.empty() && paragraph.back() == '\r') {
            paragraph.remove_suffix(1);
        }
        if (paragraph.empty() || width <= 0) {
            lines.push_back(paragraph);
        } else {
            WrapParagraph(dc, paragraph, width, lines);
        }
        if (line_feed == std::string_view::npos) {
            return lines;
        }
        text.remove_prefix(line_feed + 1);
    }
}

void PaintLabel(HWND control, HDC dc, PixelRect area, const StaticColours& colours) {
    const int line_height = Font(dc).height;
    int y = area.y;
    for (std::string_view line : WrapText(dc, control->text, area.width)) {
        const int line_width = TextWidth(dc, line);
        int x = area.x;
        if (TypeOf(control) == SS_CENTER) {
            x += (area.width - line_width) / 2;
        } else if (TypeOf(control) == SS_RIGHT) {
            x += area.width - line_width;
        }
        if (!line.empty()) {
            if (colours.is_text_opaque) {
                PaintFill(dc, PixelRect{x, y, line_width, line_height}.intersected(area),
                          GetSysColor(COLOR_BTNFACE));
            }
            PaintTextClipped(dc, x, y, line, colours.text, area);
        }
        y += line_height;
    }
}

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[at + 3]) << 24));
}

// A picture's pixels grow as the dialog's units do, with the font's average character
// (6 pixels at the classic density), so that it keeps its proportion to its control at
// every scale: the banner, 440 pixels for a control of 293 units, at 1.25 is 513 pixels.
int GrownWithFont(HDC dc, int pixels) {
    constexpr int ClassicCharWidth = 6;
    return (pixels * Font(dc).average_char_width + ClassicCharWidth / 2) / ClassicCharWidth;
}

// The control keeps its size: the picture is centred with SS_CENTERIMAGE, else placed at the
// top-left, and cut off where it is larger than the control.
void PaintPicture(HWND control, HDC dc, PixelRect area) {
    const std::span<const std::uint8_t> bitmap = StateOf(control).bitmap;
    constexpr std::size_t header_size = 26; // file header and the info header up to the height
    if (bitmap.size() < header_size || bitmap[0] != 'B' || bitmap[1] != 'M') {
        return;
    }
    PixelRect place{area.x, area.y, GrownWithFont(dc, ReadInt32(bitmap, 18)),
                    GrownWithFont(dc, std::abs(ReadInt32(bitmap, 22)))};
    if ((control->style & SS_CENTERIMAGE) != 0) {
        place.x += (area.width - place.width) / 2;
        place.y += (area.height - place.height) / 2;
    }
    PaintBitmap(dc, place, bitmap, area);
}

// A picture finds its bitmap among the resources of the module its template came from.
LRESULT HandleCreate(HWND control, const ControlTemplate* source) {
    StaticState& state = StateOf(control);
    if (TypeOf(control) == SS_BITMAP && source != nullptr) {
        if (HBITMAP bitmap = LoadBitmap(
                control->instance, MAKEINTRESOURCE(static_cast<unsigned>(source->resource_id)))) {
            state.bitmap = bitmap->bytes;
        }
    }
    return 0;
}

LRESULT HandlePaint(HWND control, HDC dc) {
    const StaticColours colours = AskParentForColours(control, dc);
    PixelRect area = ClientRect(control);
    PaintFill(dc, area, colours.background);
    // SS_SUNKEN is drawn as the static edge, so with both styles there is one frame.
    if ((control->style & SS_SUNKEN) != 0 || (control->ex_style & WS_EX_STATICEDGE) != 0) {
        area = PaintStaticEdge(dc, area);
    }
    if (TypeOf(control) == SS_BITMAP) {
        PaintPicture(control, dc, area);
    } else {
        PaintLabel(control, dc, area, colours);
    }
    return 0;
}

LRESULT HandleMouse(HWND control, UINT code) {
    if ((control->style & SS_NOTIFY) != 0 && control->is_enabled()) {
        NotifyParent(control, code);
    }
    return 0;
}

// What assistive technology is told: a picture is an image, a text that reports clicks is a
// link with the click as its action, any other text a label with its text.
LRESULT HandleGetObject(HWND control, WPARAM part, LPARAM object_address) {
    if (!DefWindowProc(control, WM_GETOBJECT, part, object_address)) {
        return FALSE;
    }
    auto& object = *reinterpret_cast<AccessibleObject*>(object_address);
    if (TypeOf(control) == SS_BITMAP) {
        object.role = AccessibleRole::Image;
    } else if ((control->style & SS_NOTIFY) != 0) {
        object.role = AccessibleRole::Link;
        object.actions = {ClickAction};
    } else {
        object.role = AccessibleRole::Label;
        object.has_text = true;
        object.text = control->text;
    }
    return TRUE;
}

// ^WM_ACCESSIBLEACTION: the click of a link, as a press of the mouse on it reports it.
LRESULT HandleAccessibleAction(HWND control, WPARAM part, LPARAM action) {
    if (part != 0 || action != 0 || (control->style & SS_NOTIFY) == 0 || !control->is_enabled()) {
        return FALSE;
    }
    HandleMouse(control, STN_CLICKED);
    return TRUE;
}

LRESULT CALLBACK StaticProcedure(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        return HandleCreate(control, reinterpret_cast<const ControlTemplate*>(lparam));
    case WM_PAINT:
        return HandlePaint(control, reinterpret_cast<HDC>(wparam));
    case WM_LBUTTONDOWN:
        return HandleMouse(control, STN_CLICKED);
    case WM_LBUTTONDBLCLK:
        return HandleMouse(control, STN_DBLCLK);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_GETOBJECT:
        return HandleGetObject(control, wparam, lparam);
    case WM_ACCESSIBLEACTION:
        return HandleAccessibleAction(control, wparam, lparam);
    case WM_NCHITTEST:
        // Without SS_NOTIFY a label reports no clicks, so the mouse falls through it.
        return (control->style & SS_NOTIFY) != 0 ? HTCLIENT : HTTRANSPARENT;
    default:
        return DefWindowProc(control, message, wparam, lparam);
    }
}

} // namespace

const WindowClass StaticClass = {"STATIC", StaticProcedure, CursorShape::Arrow};
