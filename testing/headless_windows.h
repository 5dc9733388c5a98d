#pragma once

// Starting the window system on the headless backend, as tests, the script driver and the
// benchmarks do instead of opening a display.

#include "platform/backends/headless/headless_backend.h"
#include "platform/win/windows_api.h"

// Drops whatever windows there were and starts afresh on a new headless backend, with
// program as the module of GetModuleHandle(nullptr); returns the backend, to fill its queue
// and clipboard and to read what it recorded.
HeadlessBackend& StartHeadlessWindows(HINSTANCE program);
