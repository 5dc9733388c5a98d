#pragma once

// The numbers by which the program names its resources and the main dialog's own controls.
// Each page names its controls in its own header (pages/).

// Dialog templates.
constexpr int MainDialogId = 1000;
constexpr int LogicPageId = 2000;
constexpr int MathPageId = 3000;
constexpr int ConvertPageId = 4000;
constexpr int AboutPageId = 5000;

// Icon and bitmap resources.
constexpr int AppIconId = 1002;
constexpr int BannerBitmapId = 1003;

// Controls of the main dialog (the Clear and Close buttons are IDOK and IDCANCEL).
constexpr int TabControlId = 1001;
