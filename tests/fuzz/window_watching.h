#pragma once

// How the checker watches the live main window: it stands in front of a window's procedure
// and forwards to the one it found there, finds controls by id once, and reads what a field
// shows through the field's own messages, as a user's tools would. What it checks is the
// checkers' (window_invariants.h, result_checker.h, keystroke_checker.h).

#include "keystroke_model.h"

#include "platform/win/windows_api.h"

#include <string>
#include <unordered_map>

class WatchedProcedures {
  public:
    // Puts watcher in front of the window's procedure; forward reaches the one found there.
    void put_in_front(HWND window, WNDPROC watcher);
    LRESULT forward(HWND window, UINT message, WPARAM wparam, LPARAM lparam) const;
    void clear() { m_originals.clear(); }

  private:
    std::unordered_map<HWND, WNDPROC> m_originals;
};

// The live main window's control with this id, found once: a search of the window tree for
// each of some seventy fields after every action would cost more than the action.
HWND ControlOf(int id);
// For a new main window.
void ForgetControls();

// "<missing>" for a control that is not (or no longer) there.
std::string TextOfControl(int id);
model::FieldState FieldStateOf(HWND field);
bool IsChecked(HWND box);

// A text for a report: quoted, with bytes outside printable ASCII as \xHH, cut at 60.
std::string Quoted(std::string_view text);
