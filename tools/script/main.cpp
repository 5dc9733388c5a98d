// kalvetra-script: drives the real main window and pages from a script, on the headless
// backend or, with --sdl, in a real window on the session's display (Wayland or X, chosen as
// the program chooses). Usage: kalvetra-script [--sdl] [FILE]

#include "app/main_dialog.h"
#include "platform/backends/choose_display_backend.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "resources/program_resources.h"
#include "testing/headless_windows.h"
#include "tools/script/script_runner.h"

#include <fstream>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    bool use_display = false;
    const char* path = nullptr;
    for (int index = 1; index < argc; ++index) {
        std::string_view argument = argv[index];
        if (argument == "--sdl") {
            use_display = true;
        } else if (path == nullptr && !argument.starts_with("--")) {
            path = argv[index];
        } else {
            std::cerr << "usage: kalvetra-script [--sdl] [FILE]\n";
            return 2;
        }
    }
    std::ifstream file;
    std::istream* script = OpenScript(path, file);
    if (script == nullptr)
        return 2;

    if (use_display)
        StartWindowSystem(MakeDisplayBackend(), &ProgramResources);
    else
        StartHeadlessWindows(&ProgramResources);
    ScreenshotSaver save_screenshot;
    if (use_display) {
        save_screenshot = [](const std::string& file) {
            PaintWindowTree();
            Windows().backend->present(Windows().frame);
            return Windows().backend->save_screenshot(file);
        };
    }
    ScriptRunner runner(*script, std::cout, save_screenshot);
    Windows().idle_step = [&runner] { return runner.step(); };
    INT_PTR result = RunMainWindow();
    if (const std::string& failure = WindowSystemFailure(); !failure.empty())
        std::cerr << "kalvetra-script: " << failure << "\n";
    if (Windows().loop_abandoned) {
        return 0;
    }
    runner.expect_end();
    std::cout << "exit " << result << std::endl;
    return 0;
}
