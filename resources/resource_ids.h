#pragma once

// The numbers by which the program names its resources and the few controls that code
// outside the templates addresses by name. The fields of the pages are addressed by their
// page's row numbering (row k has the base template id + 3 + 5k) and need no names here.

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

// Controls of the pages that other modules reach by name.
constexpr int LogicCarryBoxId = 2062;
constexpr int MathCarryBoxId = 3043;
constexpr int AboutLinkId = 5010;
