// kalvetra-script: drives the real main window and pages from a script, on the headless
// backend or, with --sdl, in a real window. Usage: kalvetra-script [--sdl] [FILE]

#include "app/main_dialog.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window_system.h"
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

    ResetWindows(use_display ? std::make_unique<SdlBackend>() : nullptr);
    ScreenshotSaver save_screenshot;
    if (use_display) {
        save_screenshot = [](const std::string& file) {
            PaintFrame();
            Windows().backend->present(Windows().frame);
            return Windows().backend->save_screenshot(file);
        };
    }
    ScriptRunner runner(*script, std::cout, save_screenshot);
    Windows().idle_step = [&runner] { return runner.step(); };
    INT_PTR result = RunMainWindow();
    if (Windows().loop_abandoned) {
        return 0;
    }
    runner.expect_end();
    std::cout << "exit " << result << std::endl;
    return 0;
}
