// Process-level calls: the module and its resources, cursors, beeps, the shell, system
// colours, brushes, key state and the clipboard.

#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"
#include "platform/paint/system_colours.h"
#include "platform/text/clipboard.h"
#include "platform/win/brush.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

struct CursorHandle {
    CursorShape shape;
};

static constexpr CursorHandle ArrowCursor{CursorShape::Arrow};
static constexpr CursorHandle IBeamCursor{CursorShape::IBeam};
static constexpr CursorHandle HandCursorShape{CursorShape::Hand};

static HCURSOR HandleOf(CursorShape shape) {
    switch (shape) {
    case CursorShape::Arrow:
        return &ArrowCursor;
    case CursorShape::IBeam:
        return &IBeamCursor;
    case CursorShape::Hand:
        return &HandCursorShape;
    case CursorShape::None:
        break;
    }
    return nullptr;
}

HMODULE GetModuleHandle(LPCSTR module_name) {
    return module_name == nullptr ? Windows().program : nullptr;
}

void InitCommonControls() {}

void ExitProcess(UINT exit_code) {
    std::exit(static_cast<int>(exit_code));
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    if (instance != nullptr || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    if (name == IDC_ARROW) {
        return HandleOf(CursorShape::Arrow);
    }
    if (name == IDC_IBEAM) {
        return HandleOf(CursorShape::IBeam);
    }
    if (name == IDC_HAND) {
        return HandleOf(CursorShape::Hand);
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    WindowSystem& system = Windows();
    HCURSOR previous = HandleOf(system.cursor);
    system.cursor = cursor != nullptr ? cursor->shape : CursorShape::None;
    system.cursor_set_by_program = true;
    return previous;
}

static int ResourceNumber(LPCSTR name) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
}

HICON LoadIcon(HINSTANCE instance, LPCSTR name) {
    if (instance == nullptr || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    return FindResource(instance->icons, ResourceNumber(name));
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
    if (instance == nullptr || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    return FindResource(instance->bitmaps, ResourceNumber(name));
}

int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    const StringResource* found = instance != nullptr ? FindString(*instance, id) : nullptr;
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const std::size_t count =
        found != nullptr ? std::min(std::strlen(found->text), static_cast<std::size_t>(size - 1))
                         : 0;
    std::memcpy(buffer, found != nullptr ? found->text : "", count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

BOOL MessageBeep(UINT) {
    WindowSystem& system = Windows();
    ++system.beep_count;
    if (system.backend) {
        system.backend->beep();
    }
    return TRUE;
}

HINSTANCE ShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, int) {
    // Windows answers a number above 32 for success; callers here never look at it.
    WindowSystem& system = Windows();
    if (verb == nullptr || std::strcmp(verb, "open") != 0 || file == nullptr) {
        return nullptr;
    }
    system.opened_addresses.emplace_back(file);
    if (system.backend) {
        system.backend->open_url(file);
    }
    return nullptr;
}

DWORD GetSysColor(int index) {
    return SystemColour(Windows().colour_scheme, index);
}

HBRUSH GetSysColorBrush(int index) {
    std::unique_ptr<BrushHandle>& brush = Windows().system_brushes[index];
    if (!brush) {
        brush = std::make_unique<BrushHandle>(BrushHandle{GetSysColor(index)});
    }
    return brush.get();
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    WindowSystem& system = Windows();
    system.brushes.push_back(std::make_unique<BrushHandle>(BrushHandle{colour}));
    return system.brushes.back().get();
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr) {
        return 0;
    }
    int previous = dc->background_mode;
    dc->background_mode = mode;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (dc == nullptr) {
        return 0;
    }
    COLORREF previous = dc->text_colour;
    dc->text_colour = colour;
    return previous;
}

short GetKeyState(int virtual_key) {
    Modifier held = Windows().modifiers;
    bool down = (virtual_key == static_cast<int>(VK_SHIFT) && has(held, Modifier::Shift)) ||
                (virtual_key == static_cast<int>(VK_CONTROL) && has(held, Modifier::Control)) ||
                (virtual_key == static_cast<int>(VK_MENU) && has(held, Modifier::Alt));
    return down ? static_cast<short>(-128) : 0;
}

std::optional<std::string> ReadClipboardText() {
    WindowSystem& system = Windows();
    if (system.pasted_text != nullptr) {
        return *system.pasted_text;
    }
    if (!system.backend) {
        return std::string();
    }
    return system.is_pasting_primary ? system.backend->primary_selection()
                                     : system.backend->clipboard();
}

void WriteClipboardText(std::string_view text) {
    WindowSystem& system = Windows();
    if (system.backend) {
        system.backend->set_clipboard(text);
    }
}

void OfferPrimarySelection(std::string_view text) {
    WindowSystem& system = Windows();
    if (system.backend) {
        system.backend->set_primary_selection(text);
    }
}
