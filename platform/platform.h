#pragma once

// Starting and stopping the window system as a whole. The caller chooses the backend (a
// display, or the headless one) and hands over its own module, whose templates, icons,
// bitmaps and strings GetModuleHandle(nullptr) then stands for; the standard control classes
// are registered. Nothing here knows which program runs or which display it runs on.

#include "platform/backends/backend.h"
#include "platform/win/windows_api.h"

#include <memory>
#include <string>

// Drops whatever windows there were and starts afresh.
void StartWindowSystem(std::unique_ptr<Backend> backend, HINSTANCE program);
// Drops every window and the backend; nothing can be created until the next start.
void StopWindowSystem();
// Why the modal dialog could not run (the display would not open), for the program to
// report; empty when nothing failed.
const std::string& WindowSystemFailure();
