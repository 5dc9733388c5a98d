// The program on Windows: the calculator as a Windows dialog, built by the system from the
// program's resources. The entry of the other backends is main.cpp.

#include "app/main_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ExitProcess(static_cast<UINT>(RunMainWindow()));
}
