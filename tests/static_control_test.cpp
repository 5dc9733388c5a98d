#include "control_test_dialog.h"

#include "platform/controls/control_classes.h"
#include "platform/win/brush.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int LinkId = 20;
constexpr int PlainId = 21;
constexpr DWORD Child = WS_CHILD | WS_VISIBLE;

const ControlTemplate LinkAndPlain[] = {
    {"STATIC", "link", LinkId, 10, 10, 60, 9, Child | SS_CENTER | SS_SUNKEN | SS_NOTIFY,
     WS_EX_STATICEDGE},
    {"STATIC", "plain", PlainId, 10, 30, 60, 9, Child | SS_LEFT, 0},
};

HWND Control(int id) {
    return GetDlgItem(CurrentTestDialog().window, id);
}

// The texts drawn inside a control, each with its line number (13-pixel lines).
std::vector<std::pair<std::string, int>> LinesOf(HWND control) {
    const PixelRect frame = WindowRectInFrame(control);
    std::vector<std::pair<std::string, int>> lines;
    for (const DrawCommand& command : Windows().frame.commands) {
        if (command.op == DrawOp::Text && frame.contains(command.rect.x, command.rect.y)) {
            lines.emplace_back(command.text, (command.rect.y - frame.y) / 13);
        }
    }
    return lines;
}

TEST(StaticControl, NotifyingStaticReportsClickThenDoubleClick) {
    ASSERT_NE(OpenTestDialog(LinkAndPlain), nullptr);
    const HWND link = Control(LinkId);
    ClickAt(link, 5, 5);
    ClickAt(link, 5, 5, 2);
    const std::vector<HeardMessage> expected = {
        {WM_COMMAND, LinkId, static_cast<int>(STN_CLICKED), link},
        {WM_COMMAND, LinkId, static_cast<int>(STN_DBLCLK), link},
    };
    EXPECT_EQ(Heard(), expected);
}

TEST(StaticControl, PlainStaticStaysSilent) {
    ASSERT_NE(OpenTestDialog(LinkAndPlain), nullptr);
    SendMessage(Control(PlainId), WM_LBUTTONDOWN, 1, MAKELPARAM(5, 5));
    SendMessage(Control(PlainId), WM_LBUTTONDBLCLK, 1, MAKELPARAM(5, 5));
    EXPECT_TRUE(Heard().empty());
}

// The link's colours as the About page sets them, against the defaults of a plain label.
TEST(StaticControl, ParentColoursReachTheDrawList) {
    struct Row {
        const char* name;
        int background_mode;
        COLORREF behind_text; // what shows through between the letters
    };
    const COLORREF brush_colour = RGB(1, 2, 3);
    const Row rows[] = {
        {"transparent", TRANSPARENT, brush_colour},
        // The dc has no background colour of its own: opaque text sits on button face.
        {"opaque", OPAQUE, GetSysColor(COLOR_BTNFACE)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(OpenTestDialog(LinkAndPlain), nullptr);
        std::vector<HWND> asked_for;
        CurrentTestDialog().hook = [&](HWND, UINT message, WPARAM wparam, LPARAM lparam) {
            if (message != WM_CTLCOLORSTATIC) {
                return INT_PTR{0};
            }
            asked_for.push_back(reinterpret_cast<HWND>(lparam));
            if (GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) != LinkId) {
                return INT_PTR{FALSE};
            }
            const HDC dc = reinterpret_cast<HDC>(wparam);
            SetBkMode(dc, row.background_mode);
            SetTextColor(dc, RGB(0, 102, 102));
            return reinterpret_cast<INT_PTR>(CreateSolidBrush(brush_colour));
        };
        PaintWindowTree();
        EXPECT_EQ(asked_for, (std::vector<HWND>{Control(LinkId), Control(PlainId)}));

        const DrawCommand* link = FindText(Windows().frame, "link");
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->colour, 0x666600u);
        const PixelRect link_frame = WindowRectInFrame(Control(LinkId));
        EXPECT_EQ(ColourAt(link_frame.x + 3, link_frame.y + 3), brush_colour);
        EXPECT_EQ(ColourAt(link->rect.x + 1, link->rect.y + 1), row.behind_text);

        const DrawCommand* plain = FindText(Windows().frame, "plain");
        ASSERT_NE(plain, nullptr);
        EXPECT_EQ(plain->colour, GetSysColor(COLOR_BTNTEXT));
        const PixelRect plain_frame = WindowRectInFrame(Control(PlainId));
        EXPECT_EQ(ColourAt(plain_frame.right() - 2, plain_frame.y + 2), GetSysColor(COLOR_BTNFACE));
    }
}

// Every control is 60 dialog units = 90 pixels wide; "abc" is 18 pixels.
TEST(StaticControl, AlignmentAndEdges) {
    struct Row {
        const char* name;
        ControlTemplate control;
        int x_offset; // of the text from the control's left
        int y_offset;
    };
    static const Row rows[] = {
        {"left", {"STATIC", "abc", 1, 10, 10, 60, 9, Child | SS_LEFT, 0}, 0, 0},
        {"centred", {"STATIC", "abc", 1, 10, 10, 60, 9, Child | SS_CENTER, 0}, 36, 0},
        {"right", {"STATIC", "abc", 1, 10, 10, 60, 9, Child | SS_RIGHT, 0}, 72, 0},
        {"sunken", {"STATIC", "abc", 1, 10, 10, 60, 9, Child | SS_SUNKEN, 0}, 1, 1},
        {"static edge, right",
         {"STATIC", "abc", 1, 10, 10, 60, 9, Child | SS_RIGHT, WS_EX_STATICEDGE},
         71,
         1},
        // Both styles make one frame, not two.
        {"sunken with static edge",
         {"STATIC", "abc", 1, 10, 10, 60, 9, Child | SS_SUNKEN, WS_EX_STATICEDGE},
         1,
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(OpenTestDialog({&row.control, 1}), nullptr);
        PaintWindowTree();
        const DrawCommand* text = FindText(Windows().frame, "abc");
        ASSERT_NE(text, nullptr);
        const PixelRect frame = WindowRectInFrame(Control(1));
        EXPECT_EQ(text->rect.x - frame.x, row.x_offset);
        EXPECT_EQ(text->rect.y - frame.y, row.y_offset);
    }
}

// 40 dialog units = 60 pixels: ten characters to a line.
TEST(StaticControl, WrapsAtSpacesAndBreaksLines) {
    struct Row {
        const char* text;
        std::vector<std::pair<std::string, int>> lines;
    };
    const Row rows[] = {
        {"one two three", {{"one two", 0}, {"three", 1}}},
        {"ab\r\ncd", {{"ab", 0}, {"cd", 1}}},
        {"ab\r\n\r\ncd", {{"ab", 0}, {"cd", 2}}},
        {"ab\ncd", {{"ab", 0}, {"cd", 1}}},
        // A word longer than the line is broken where the line ends.
        {"abcdefghijklmnop", {{"abcdefghij", 0}, {"klmnop", 1}}},
        {"a  b", {{"a  b", 0}}},
        {"exactly 10 and more", {{"exactly 10", 0}, {"and more", 1}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ControlTemplate control[] = {
            {"STATIC", row.text, 1, 10, 10, 40, 40, Child | SS_LEFT, 0}};
        ASSERT_NE(OpenTestDialog(control), nullptr);
        PaintWindowTree();
        EXPECT_EQ(LinesOf(Control(1)), row.lines);
    }
}

TEST(StaticControl, TextSetLaterIsPainted) {
    ASSERT_NE(OpenTestDialog(LinkAndPlain), nullptr);
    SetDlgItemText(CurrentTestDialog().window, PlainId, "other");
    PaintWindowTree();
    EXPECT_EQ(LinesOf(Control(PlainId)), (std::vector<std::pair<std::string, int>>{{"other", 0}}));
}

// The control is 420 x 82 pixels, smaller than the 440 x 100 banner; it keeps its size and
// cuts the picture off (as the 300-pixel test dialog cuts the control).
TEST(StaticControl, PictureIsPlacedInTheControl) {
    struct Row {
        const char* name;
        ControlTemplate control;
        int x_offset, y_offset;
    };
    static const Row rows[] = {
        {"centred",
         {"STATIC", nullptr, BannerBitmapId, 2, 7, 280, 50, Child | SS_BITMAP | SS_CENTERIMAGE, 0,
          BannerBitmapId},
         -10,
         -9},
        {"top-left",
         {"STATIC", nullptr, BannerBitmapId, 2, 7, 280, 50, Child | SS_BITMAP, 0, BannerBitmapId},
         0,
         0},
    };
    const BinaryResource* banner = FindResource(ProgramResources.bitmaps, BannerBitmapId);
    ASSERT_NE(banner, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(OpenTestDialog({&row.control, 1}), nullptr);
        PaintWindowTree();
        const PixelRect frame = WindowRectInFrame(Control(BannerBitmapId));
        EXPECT_EQ(frame.width, 420);
        EXPECT_EQ(frame.height, 82);
        const DrawCommand* picture = nullptr;
        for (const DrawCommand& command : Windows().frame.commands) {
            picture = command.op == DrawOp::Bitmap ? &command : picture;
        }
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->bitmap.data(), banner->bytes.data());
        EXPECT_EQ(picture->rect.x - frame.x, row.x_offset);
        EXPECT_EQ(picture->rect.y - frame.y, row.y_offset);
        EXPECT_EQ(picture->clip, frame.intersected(WindowRectInFrame(CurrentTestDialog().window)));
    }
}

// A headless backend whose font is sized for another display scale.
class ScaledBackend : public HeadlessBackend {
  public:
    explicit ScaledBackend(FontMetrics metrics) : m_metrics(metrics) {}
    FontMetrics font_metrics() const override { return m_metrics; }

  private:
    FontMetrics m_metrics;
};

// The banner grows with the font's average character, as the dialog's units do, and stays
// centred in its control.
TEST(StaticControl, PictureGrowsWithTheDialogUnits) {
    static const ControlTemplate banner[] = {
        {"STATIC", nullptr, BannerBitmapId, 2, 7, 293, 61, Child | SS_BITMAP | SS_CENTERIMAGE, 0,
         BannerBitmapId},
    };
    struct Row {
        FontMetrics font;
        int width, height; // the 440 by 100 banner's
    };
    const Row rows[] = {
        {{6, 13, 11}, 440, 100},  // the classic density: its own size
        {{7, 16, 13}, 513, 117},  // 125 %: the font's 12 pixels average 7 a character
        {{9, 20, 16}, 660, 150},  // 150 %
        {{12, 26, 18}, 880, 200}, // 200 %
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        ASSERT_NE(OpenTestDialog(banner, std::make_unique<ScaledBackend>(row.font)), nullptr);
        PaintWindowTree();
        const DrawCommand* picture = nullptr;
        for (const DrawCommand& command : Windows().frame.commands) {
            picture = command.op == DrawOp::Bitmap ? &command : picture;
        }
        ASSERT_NE(picture, nullptr);
        const PixelRect frame = WindowRectInFrame(Control(BannerBitmapId));
        EXPECT_EQ(picture->rect.width, row.width);
        EXPECT_EQ(picture->rect.height, row.height);
        EXPECT_EQ(picture->rect.x - frame.x, (frame.width - row.width) / 2);
        EXPECT_EQ(picture->rect.y - frame.y, (frame.height - row.height) / 2);
    }
}

} // namespace
