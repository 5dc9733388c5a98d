#include "testing/headless_windows.h"

#include "platform/platform.h"

HeadlessBackend& StartHeadlessWindows(HINSTANCE program) {
    auto backend = std::make_unique<HeadlessBackend>();
    HeadlessBackend& headless = *backend;
    StartWindowSystem(std::move(backend), program);
    return headless;
}
