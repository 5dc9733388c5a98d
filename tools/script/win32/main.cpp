// kalvetra-script for Windows: drives the calculator's real Windows dialog and controls from
// a script, in the protocol of the other backends. Usage: kalvetra-script [FILE]
// The script runs inside the main window's own modal loop, started by a timer once the
// window is up; each command delivers every message it causes before the next one begins.

#include "app/main_dialog.h"
#include "testing/win32/desktop_calls.h"
#include "tools/script/script_runner.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string_view>

namespace {

struct ScriptSession {
    ScriptRunner* runner = nullptr;
    bool input_ended = false;
};

ScriptSession Session;

// Runs commands until one of them ends the main window (which EndDialog hides) or the
// input runs dry; the window is then ended without a result of its own.
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND main = GetAncestor(TabHandle, GA_ROOT);
    while (IsWindowVisible(main)) {
        if (!Session.runner->step()) {
            Session.input_ended = true;
            EndDialog(main, 0);
            return;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    // The protocol's output is the same bytes on every platform: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    const char* path = nullptr;
    for (int index = 1; index < argc; ++index) {
        if (path == nullptr && !std::string_view(argv[index]).starts_with("--")) {
            path = argv[index];
        } else {
            std::cerr << "usage: kalvetra-script [FILE]\n";
            return 2;
        }
    }
    std::ifstream file;
    std::istream* script = OpenScript(path, file);
    if (script == nullptr)
        return 2;

    if (!ObserveDesktopCalls()) {
        std::cerr << "kalvetra-script: cannot observe MessageBeep and ShellExecuteA\n";
        return 2;
    }
    ScriptRunner runner(*script, std::cout, nullptr);
    Session.runner = &runner;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RunScript);
    INT_PTR result = RunMainWindow();
    if (Session.input_ended) {
        return 0;
    }
    runner.expect_end();
    std::cout << "exit " << result << std::endl;
    return 0;
}
