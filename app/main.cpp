// The program: the calculator in a real window, on the session's Wayland or X display, and
// readable by the desktop's screen readers when the session wants them. A display that cannot
// be opened is reported in one line on standard error, and the process ends with the modal
// result -1.

#include "app/main_dialog.h"
#include "platform/accessibility/atk/assistive_technology.h"
#include "platform/backends/choose_display_backend.h"
#include "platform/platform.h"
#include "resources/program_resources.h"
#include "resources/window_icons.h"

#include <cerrno>
#include <cstdio>

int main() {
    IconPictures icon_sizes;
    for (const WindowIconImage& image : WindowIconImages())
        icon_sizes.push_back(image.bitmap);
    StartWindowSystem(MakeDisplayBackend(std::move(icon_sizes)), &ProgramResources);
    WatchForAssistiveTechnology();
    const INT_PTR result = RunMainWindow();
    if (const std::string& failure = WindowSystemFailure(); !failure.empty()) {
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, failure.c_str());
    }
    ExitProcess(static_cast<UINT>(result));
}
