#include "platform/controls/control_classes.h"

std::span<const WindowClass* const> StandardControlClasses() {
    static const WindowClass* const classes[] = {&EditClass, &StaticClass, &ButtonClass,
                                                 &TabControlClass};
    return classes;
}
