// The program: the calculator in a real window.

#include "app/main_dialog.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window_system.h"

int main() {
    ResetWindows(std::make_unique<SdlBackend>());
    ExitProcess(static_cast<UINT>(RunMainWindow()));
}
