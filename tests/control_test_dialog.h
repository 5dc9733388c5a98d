#pragma once

// A dialog for testing control classes: it builds a top-level dialog from a table of
// controls on a fresh headless window system and records, in order, the WM_COMMAND and
// WM_NOTIFY messages that its controls send it. A test that must answer a message, or look
// at a control while it notifies, sets a hook. Mouse and key helpers feed the window
// system's input dispatch, so messages arrive the way a user's input makes them.

#include "platform/core/dialog_template.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "resources/program_resources.h"
#include "testing/headless_windows.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

struct HeardMessage {
    UINT message; // WM_COMMAND or WM_NOTIFY
    int id;
    int code; // the notification code: high word of wParam, or NMHDR::code
    HWND from;

    bool operator==(const HeardMessage&) const = default;
};

struct TestDialog {
    HWND window = nullptr;
    std::vector<HeardMessage> heard;
    // Runs for every message before it is recorded; a nonzero answer is the dialog's answer.
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> hook;
    DialogTemplate source{};
};

inline TestDialog& CurrentTestDialog() {
    static TestDialog dialog;
    return dialog;
}

inline INT_PTR CALLBACK TestDialogProcedure(HWND dialog, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
    TestDialog& test = CurrentTestDialog();
    INT_PTR answer = test.hook ? test.hook(dialog, message, wparam, lparam) : 0;
    if (message == WM_COMMAND) {
        test.heard.push_back(
            {message, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)});
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        test.heard.push_back({message, static_cast<int>(header->idFrom),
                              static_cast<int>(header->code), header->hwndFrom});
    }
    return answer;
}

// The controls must outlive the dialog (a static table).
// The program's module lends the dialog the words of the edit fields' context menu. The
// window system runs on a new headless backend, or on the one given.
inline HWND OpenTestDialog(std::span<const ControlTemplate> controls,
                           std::unique_ptr<Backend> backend = nullptr) {
    if (backend) {
        StartWindowSystem(std::move(backend), &ProgramResources);
    } else {
        StartHeadlessWindows(&ProgramResources);
    }
    TestDialog& test = CurrentTestDialog();
    test = TestDialog();
    test.source = {100, "Test",          0, 0,       200, 120, WS_POPUP | WS_VISIBLE,
                   0,   "MS Sans Serif", 8, controls};
    test.window = CreateDialogFromTemplate(test.source, nullptr, TestDialogProcedure, 0,
                                           GetModuleHandle(nullptr));
    return test.window;
}

inline std::vector<HeardMessage>& Heard() {
    return CurrentTestDialog().heard;
}

// Points are relative to the control, in pixels.
inline void SendMouse(InputEvent::Type type, HWND control, int x, int y, int clicks = 1) {
    const PixelRect frame = WindowRectInFrame(control);
    InputEvent event;
    event.type = type;
    event.x = frame.x + x;
    event.y = frame.y + y;
    event.clicks = clicks;
    DispatchInput(event);
}

inline void PressMouse(HWND control, int x, int y, int clicks = 1) {
    SendMouse(InputEvent::Type::MouseDown, control, x, y, clicks);
}
inline void MoveMouse(HWND control, int x, int y) {
    SendMouse(InputEvent::Type::MouseMove, control, x, y);
}
inline void ReleaseMouse(HWND control, int x, int y) {
    SendMouse(InputEvent::Type::MouseUp, control, x, y);
}
inline void ClickAt(HWND control, int x, int y, int clicks = 1) {
    PressMouse(control, x, y, clicks);
    ReleaseMouse(control, x, y);
}

inline void SendKey(InputEvent::Type type, unsigned key) {
    InputEvent event;
    event.type = type;
    event.key = key;
    DispatchInput(event);
}

// The colour a point of the last frame shows: that of the last fill over it.
inline COLORREF ColourAt(int x, int y) {
    COLORREF colour = 0;
    for (const DrawCommand& command : Windows().frame.commands) {
        if (command.op == DrawOp::Fill && command.rect.contains(x, y)) {
            colour = command.colour;
        }
    }
    return colour;
}
