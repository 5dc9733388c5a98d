#pragma once

// Checks what the calculating pages compute against page_model.h: the result field of each
// row right after its "=" command, from the operands and carry the row read; every result
// field after every action, so that no result changes without its command; and what
// "Temizle" leaves in every field. It watches the two pages' commands and the main window's
// "Temizle" from in front of their window procedures.

#include "action_checker.h"
#include "user_actions.h"

#include "platform/win/windows_api.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

class ResultChecker : public ActionChecker<ResultChecker> {
  public:
    using ActionChecker::ActionChecker;

    // Starts watching the live main window.
    void attach();
    void before_action();
    void after_action(const Action& action);

    // The row commands whose results were compared with the model's.
    std::uint64_t results_checked() const { return m_results_checked; }

  private:
    static LRESULT CALLBACK WatchCalculatingPage(HWND page, UINT message, WPARAM wparam,
                                                 LPARAM lparam);
    static LRESULT CALLBACK WatchMainWindow(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);
    LRESULT run_row_command(int button, HWND page, UINT message, WPARAM wparam, LPARAM lparam);
    void check_cleared();

    std::unordered_map<int, std::string> m_expected; // by result field id
    std::uint64_t m_results_checked = 0;
};
