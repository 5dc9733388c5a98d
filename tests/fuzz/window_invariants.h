#pragma once

// What must hold in the main window after anything a user or the desktop does, checked
// after every action of a fuzz or soak run; a broken rule aborts with the recent actions,
// or, when a test asks, is reported to it instead:
//
// - every result of the calculating pages is what an independent model of them computes
//   (page_model.h, x86_model.h) from the operands and carry its row read, no result changes
//   without its row's command, and "Temizle" leaves what the model says
//   (result_checker.h);
// - every keystroke and clipboard message to a field sounds the beeps, and leaves the text
//   and, after a copy or cut, the clipboard, that a model of the fields foresees, and an
//   action beeps only as its messages do (keystroke_checker.h, keystroke_model.h);
// - no field holds more than typing and pasting can put there (8 or 2 characters in the
//   operand fields, 32 in 4006, 104 in 4014, the visible width in 4016), and 4014 holds
//   only hexadecimal digits and spaces. A field whose text the program set beyond that
//   (WM_SETTEXT from the run, or the page writing 4016 from an over-long 4014) is exempt
//   until it is empty and undo can no longer bring such a text back, or until the program
//   sets it again within its bound (setting a text leaves nothing to undo);
// - typing and pasting into a read-only field changes no field;
// - the five numeric forms of the conversion page agree, as the model reads them: 4006
//   holds the 32 digits of 4004, or 4004 the eight hexadecimal digits of 4006, whichever
//   the user changed last, and 4008, 4010 and 4012 show 4004's value (from the run's own
//   WM_SETTEXT into one of these three until 4004 next changes, they are not compared);
// - 4016 shows what 4014 decodes to, or 4014 what the first 35 characters of 4016 encode
//   to, whichever the user changed last;
// - both carry boxes' captions say their state;
// - exactly one page is visible, the one at CurrentPage, which is the selected tab;
// - the link opened no address but the maker's.
//
// Which field the user changed last is seen by watching the conversion page's
// notifications: one that arrives while no other is being handled comes from outside the
// page, one inside another is the page writing a field.

#include "keystroke_checker.h"
#include "result_checker.h"
#include "user_actions.h"

#include "platform/win/windows_api.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Where a broken rule goes: empty to abort the process (the fuzzer and the soak), or a
// function that takes the report (a test that plants a fault).
using BrokenRuleReport = std::function<void(const std::string&)>;

// How much the models checked in a run.
struct ModelChecks {
    std::uint64_t results = 0;        // row commands
    std::uint64_t field_messages = 0; // keystrokes and clipboard messages to fields

    ModelChecks& operator+=(const ModelChecks& other) {
        results += other.results;
        field_messages += other.field_messages;
        return *this;
    }
};

struct FollowingFields;

class WindowInvariants : public ActionChecker<WindowInvariants> {
  public:
    explicit WindowInvariants(BrokenRuleReport report = {});

    // Starts watching a newly created main window; checks its first state.
    void attach();
    void before_action();
    void after_action(const Action& action);

    ModelChecks model_checks() const;

  private:
    enum class LastChanged : std::uint8_t { Nothing, First, Second };

    static LRESULT CALLBACK WatchConvertPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
    void on_notification(int id, UINT code, int depth);
    void on_page_write(int id);

    // Aborts with what broke and the recent actions, or reports them.
    void fail(const std::string& what) const;
    void update_exemptions(const Action& action);
    void check_field_bounds() const;
    void check_read_only_unchanged(const Action& action) const;
    void check_pages() const;
    void check_carry_boxes() const;
    // Checks a pair of following fields of the conversion page; returns the first's text.
    std::string check_following(const FollowingFields& fields, LastChanged last) const;
    void check_numeric_forms() const;
    void check_opened_addresses() const;

    ResultChecker m_results;
    KeystrokeChecker m_keystrokes;
    std::vector<bool> m_exempt; // by index into Fields()
    std::vector<std::string> m_texts_before;
    LastChanged m_numeric = LastChanged::Nothing; // First: 4004, Second: 4006
    LastChanged m_string = LastChanged::Nothing;  // First: 4014, Second: 4016
    bool m_derived_set_by_program = false;        // 4008, 4010 or 4012 set from outside the page
    std::deque<std::string> m_recent;
};
