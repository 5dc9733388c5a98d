#pragma once

// The scale the desktop asks windows to draw at, from its dots per inch: 96 is the classic
// 1, and the steps between 1 and 2 are the quarters that desktops offer (125 %, 150 %,
// 175 %). Where the dots per inch come from is the display's business (x11_desktop_dpi.h).

constexpr float ClassicDpi = 96.0f;

// The nearest of 1, 1.25, 1.5, 1.75 and 2 to dpi / 96, a value halfway between two taking
// the larger one (108 dots per inch: 1.25); below 1 it is 1, above 2 it is 2.
float ScaleForDpi(float dpi);
