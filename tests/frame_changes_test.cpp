#include "platform/paint/frame_changes.h"

#include "main_window_fixture.h"
#include "platform/controls/control_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int Width = 400, Height = 300;

DrawCommand Fill(PixelRect rect, std::uint32_t colour = 0x00C0C0C0) {
    return {DrawOp::Fill, rect, rect, colour, {}, {}};
}

DrawCommand Text(PixelRect at, PixelRect clip, std::string text) {
    return {DrawOp::Text, at, clip, 0, std::move(text), {}};
}

DrawList Frame(std::vector<DrawCommand> commands) {
    DrawList frame;
    frame.width = Width;
    frame.height = Height;
    frame.commands = std::move(commands);
    return frame;
}

// A window like a page: a background, then labels and fields.
std::vector<DrawCommand> Page() {
    return {
        Fill({0, 0, Width, Height}),
        Text({10, 10, 40, 13}, {10, 10, 80, 13}, "Label"),
        Fill({10, 30, 200, 20}, 0x00FFFFFF),
        Text({12, 33, 50, 13}, {12, 32, 196, 16}, "89ABCDE"),
        Fill({10, 80, 200, 20}, 0x00FFFFFF),
        Text({12, 83, 50, 13}, {12, 82, 196, 16}, "123"),
        Text({10, 200, 40, 13}, {10, 200, 80, 13}, "Other"),
    };
}

bool Covers(const std::vector<PixelRect>& areas, const PixelRect& rect) {
    // Every pixel of rect lies in some area (the areas neither overlap nor touch, so a rect
    // inside their union lies inside one of them, or straddles a gap and is not covered).
    return std::any_of(areas.begin(), areas.end(),
                       [&](const PixelRect& area) { return rect.intersected(area) == rect; });
}

TEST(FrameChanges, NothingChangedGivesNoArea) {
    EXPECT_TRUE(ChangedAreas(Frame(Page()), Frame(Page())).empty());
}

TEST(FrameChanges, ChangedCommandsGiveTheirOwnAreasOnly) {
    struct Row {
        const char* what;
        std::vector<DrawCommand> after;
        std::vector<PixelRect> expected;
    };
    std::vector<Row> rows;
    {
        // Text drawn further left keeps its clip: the clip is what it may touch.
        auto after = Page();
        after[3] = Text({8, 33, 56, 13}, {12, 32, 196, 16}, "89ABCDEF");
        rows.push_back({"one text rewritten", after, {{12, 32, 196, 16}}});
    }
    {
        // A caret appears inside the field: one command more, everything after it shifted
        // by one place, and still only the caret's pixels change.
        auto after = Page();
        after.insert(after.begin() + 4, Fill({40, 34, 1, 13}, 0));
        rows.push_back({"a caret shown", after, {{40, 34, 1, 13}}});
    }
    {
        // Two fields far apart stay two areas.
        auto after = Page();
        after[3].text = "1";
        after[5].text = "2";
        rows.push_back({"two fields", after, {{12, 32, 196, 16}, {12, 82, 196, 16}}});
    }
    {
        // The field's background changes colour and its text with it: areas that touch
        // are one.
        auto after = Page();
        after[2].colour = 0x00C0C0C0;
        after[3].text = "";
        rows.push_back({"field and its text", after, {{10, 30, 200, 20}}});
    }
    {
        // A menu opened at the end, partly outside the window.
        auto after = Page();
        after.push_back(Fill({350, 250, 100, 100}, 0x00FFFFFF));
        rows.push_back({"menu beyond the edge", after, {{350, 250, 50, 50}}});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ChangedAreas(Frame(Page()), Frame(row.after)), row.expected);
    }
}

TEST(FrameChanges, LargeOrResizedChangesRedrawTheWholeFrame) {
    const std::vector<PixelRect> whole = {{0, 0, Width, Height}};
    auto recoloured = Page();
    recoloured[0].colour = 0;
    EXPECT_EQ(ChangedAreas(Frame(Page()), Frame(recoloured)), whole);

    DrawList resized = Frame(Page());
    resized.width = Width + 1;
    EXPECT_EQ(ChangedAreas(Frame(Page()), resized),
              std::vector<PixelRect>({{0, 0, Width + 1, Height}}));

    // Before the first frame nothing is drawn; an empty list of the same size differs in
    // every command.
    DrawList nothing = Frame({});
    EXPECT_EQ(ChangedAreas(nothing, Frame(Page())), whole);
}

TEST(FrameChanges, DrawingAnAreaStartsAtTheLastFillCoveringIt) {
    const DrawList page = Frame(Page());
    struct Row {
        const char* what;
        PixelRect area;
        std::size_t first;
    };
    const Row rows[] = {
        {"inside the first field", {12, 32, 196, 16}, 2},
        {"the second field exactly", {10, 80, 200, 20}, 4},
        {"a field and the page around it", {5, 30, 200, 20}, 0},
        {"a label, on the background", {10, 200, 80, 13}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(FirstShownCommand(page, row.area), row.first);
    }
    // Text and frames show what lies below them: only a fill hides it.
    DrawList texts = Frame({Text({0, 0, 50, 13}, {0, 0, Width, Height}, "over all")});
    EXPECT_EQ(FirstShownCommand(texts, {0, 0, 10, 10}), 0u);
}

class FrameChangesInMainWindow : public MainWindowTest {};

// A digit typed into the hexadecimal field of the conversion page changes the five value
// fields and nothing else: every command that differs between the frames lies in the
// areas, and the areas lie in the fields.
TEST_F(FrameChangesInMainWindow, DigitTypedChangesOnlyTheValueFields) {
    ChooseTab(TabHandle, 2);
    Type(4004, "89ABCDE");
    PaintWindowTree();
    const DrawList before = Windows().frame;
    TypeBytes("F");
    PaintWindowTree();
    const DrawList after = Windows().frame;
    const std::vector<PixelRect> areas = ChangedAreas(before, after);
    ASSERT_FALSE(areas.empty());

    const auto is_in = [](const DrawCommand& command, const DrawList& list) {
        return std::any_of(list.commands.begin(), list.commands.end(),
                           [&](const DrawCommand& other) {
                               return other.op == command.op && other.rect == command.rect &&
                                      other.clip == command.clip &&
                                      other.colour == command.colour && other.text == command.text;
                           });
    };
    const PixelRect whole{0, 0, after.width, after.height};
    const auto expect_covered = [&](const DrawList& list, const DrawList& other) {
        for (const DrawCommand& command : list.commands) {
            if (!is_in(command, other)) {
                SCOPED_TRACE(command.text);
                EXPECT_TRUE(Covers(areas, CommandExtent(command).intersected(whole)));
            }
        }
    };
    expect_covered(before, after);
    expect_covered(after, before);

    const int fields[] = {4004, 4006, 4008, 4010, 4012};
    for (const PixelRect& area : areas) {
        const bool is_in_a_field = std::any_of(std::begin(fields), std::end(fields), [&](int id) {
            return area.intersected(WindowRectInFrame(FindControl(id))) == area;
        });
        EXPECT_TRUE(is_in_a_field)
            << area.x << "," << area.y << " " << area.width << "x" << area.height;
    }
    EXPECT_EQ(areas.size(), 5u);
}

} // namespace
