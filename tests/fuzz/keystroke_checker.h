#pragma once

// Checks every keyboard and clipboard message that reaches an edit field of the main window
// from outside against keystroke_model.h: the beeps it sounds, the field's text afterwards
// and, after a copy or cut, the clipboard; and that an action beeps no more and no less than
// its messages do. It watches from in front of each field's window procedure (the filter's,
// where the page installed one); what a filter or the field sends on to the EDIT control's
// own procedure, or to itself while handling a message, is part of that message.

#include "action_checker.h"
#include "user_actions.h"

#include "platform/win/windows_api.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct FieldInfo;

class KeystrokeChecker : public ActionChecker<KeystrokeChecker> {
  public:
    using ActionChecker::ActionChecker;

    // Starts watching the live main window's fields.
    void attach();
    void before_action();
    void after_action(const Action& action);

    // The field messages whose outcome was compared with the model's.
    std::uint64_t messages_checked() const { return m_messages_checked; }

  private:
    static LRESULT CALLBACK WatchField(HWND field, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT check_message(const FieldInfo& info, HWND field, UINT message, WPARAM wparam,
                          LPARAM lparam);

    int m_depth = 0; // messages being checked, one inside another
    int m_beeps_before_action = 0;
    std::optional<int> m_beeps_foreseen = 0; // nullopt once a message's beeps are unknown
    std::uint64_t m_messages_checked = 0;
};
