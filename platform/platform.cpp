#include "platform/platform.h"

#include "platform/controls/control_classes.h"
#include "platform/core/window_system.h"

void StartWindowSystem(std::unique_ptr<Backend> backend, HINSTANCE program) {
    ResetWindowSystem(std::move(backend), program);
    for (const WindowClass* window_class : StandardControlClasses()) {
        RegisterWindowClass(*window_class);
    }
}

void StopWindowSystem() {
    ResetWindowSystem(nullptr, nullptr);
}

const std::string& WindowSystemFailure() {
    return Windows().failure;
}
