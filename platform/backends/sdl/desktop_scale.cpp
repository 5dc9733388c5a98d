#include "platform/backends/sdl/desktop_scale.h"

#include <algorithm>
#include <cmath>

float ScaleForDpi(float dpi) {
    constexpr float StepsPerUnit = 4; // quarters
    const float quarters = std::round(dpi / ClassicDpi * StepsPerUnit);
    return std::clamp(quarters / StepsPerUnit, 1.0f, 2.0f);
}
