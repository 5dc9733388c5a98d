// The About page in the real main window: the hand pointer over the link and nowhere else,
// opening the web address once per click, the link's procedure chain, the link's colours
// in the painted frame, and where the page and its controls sit in the tab control.

#include "main_window_fixture.h"

#include "app/main_dialog.h"
#include "platform/controls/control_classes.h"
#include "platform/paint/device_context.h"
#include "platform/paint/system_colours.h"
#include "platform/platform.h"
#include "resources/about_texts.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int LinkId = 5010;
constexpr int EmailId = 5009;
constexpr int AboutTab = 3;

HWND AboutPageWindow() {
    return PageHandles[AboutTab];
}

void ShowAboutPage() {
    ChooseTab(TabHandle, AboutTab);
}

PixelRect Centre(HWND window) {
    const PixelRect frame = WindowRectInFrame(window);
    return {frame.x + frame.width / 2, frame.y + frame.height / 2, 1, 1};
}

void MovePointerOver(HWND window) {
    const PixelRect centre = Centre(window);
    MovePointerTo(centre.x, centre.y);
}

std::map<int, std::string> PageTexts() {
    std::map<int, std::string> texts;
    for (Window* control : AboutPageWindow()->children) {
        texts[control->id] = WindowText(control);
    }
    return texts;
}

// The drawing of the link's text, and its position in the frame's list.
std::size_t LinkTextIndex() {
    const std::vector<DrawCommand>& commands = Windows().frame.commands;
    for (std::size_t index = 0; index < commands.size(); ++index) {
        if (commands[index].op == DrawOp::Text && commands[index].text == MakerWebAddress) {
            return index;
        }
    }
    return commands.size();
}

// What the link looks like in the last frame: its text colour, the colour of the last fill
// under its text, and whether anything was filled behind the letters after the link's own
// background (an opaque text background would be).
struct LinkLook {
    COLORREF text = 0;
    COLORREF behind = 0;
    bool is_filled_behind_text = false;
    bool operator==(const LinkLook&) const = default;
};

LinkLook LookOfLink() {
    const std::vector<DrawCommand>& commands = Windows().frame.commands;
    const std::size_t text_index = LinkTextIndex();
    EXPECT_LT(text_index, commands.size()) << "the link's text is drawn";
    if (text_index >= commands.size()) {
        return {};
    }
    const DrawCommand& text = commands[text_index];
    const PixelRect link_frame = WindowRectInFrame(FindControl(LinkId));
    LinkLook look{text.colour, 0, false};
    bool is_background_found = false;
    for (std::size_t index = 0; index < text_index; ++index) {
        const DrawCommand& fill = commands[index];
        if (fill.op != DrawOp::Fill || !fill.rect.contains(text.rect.x, text.rect.y)) {
            continue;
        }
        look.behind = fill.colour;
        if (fill.rect == link_frame) {
            is_background_found = true;
        } else if (is_background_found) {
            look.is_filled_behind_text = true;
        }
    }
    EXPECT_TRUE(is_background_found) << "the link fills its whole rectangle first";
    return look;
}

const LinkLook ExpectedLinkLook{RGB(0, 102, 102), GetSysColor(COLOR_BTNFACE), false};

} // namespace

TEST_F(MainWindowTest, AboutPageShowsTheHandOverTheLinkAndNowhereElse) {
    ShowAboutPage();
    HWND link = FindControl(LinkId);
    struct Spot {
        std::string name;
        int x, y;
    };
    std::vector<Spot> spots;
    for (Window* control : AboutPageWindow()->children) {
        const PixelRect centre = Centre(control);
        spots.push_back({"control " + std::to_string(control->id), centre.x, centre.y});
    }
    const PixelRect page = WindowRectInFrame(AboutPageWindow());
    const PixelRect email = WindowRectInFrame(FindControl(EmailId));
    const PixelRect link_frame = WindowRectInFrame(link);
    // Bare page: its bottom-right corner, and the gap inside the contact box between the
    // e-mail address and the link.
    spots.push_back({"page corner", page.right() - 2, page.bottom() - 2});
    spots.push_back({"between e-mail and link", (email.right() + link_frame.x) / 2,
                     email.y + email.height / 2});
    // Just outside the link on both sides: the hand ends at its edge.
    spots.push_back({"left of the link", link_frame.x - 1, link_frame.y + 2});
    spots.push_back({"below the link", link_frame.x + 2, link_frame.bottom()});

    for (const Spot& spot : spots) {
        SCOPED_TRACE(spot.name);
        // Over the link first, so that a hand that stays on after the pointer leaves shows.
        MovePointerOver(link);
        ASSERT_EQ(Windows().cursor, CursorShape::Hand);
        MovePointerTo(spot.x, spot.y);
        const bool is_on_link = link_frame.contains(spot.x, spot.y);
        const CursorShape expected = is_on_link ? CursorShape::Hand : CursorShape::Arrow;
        EXPECT_EQ(Windows().cursor, expected);
        EXPECT_EQ(m_backend->cursor(), expected) << "what the display shows";
    }
}

TEST_F(MainWindowTest, AboutLinkShowsTheArrowWhenTheSystemHasNoHand) {
    HandCursor = nullptr;
    ShowAboutPage();
    MovePointerOver(FindControl(EmailId));
    MovePointerOver(FindControl(LinkId));
    EXPECT_EQ(Windows().cursor, CursorShape::Arrow) << "an arrow rather than no pointer";
    EXPECT_EQ(m_backend->cursor(), CursorShape::Arrow);
}

TEST_F(MainWindowTest, AboutLinkOpensTheAddressOncePerClickOrDoubleClick) {
    struct Row {
        const char* name;
        int control;
        MouseButton button;
        int clicks;
        std::size_t opened;
    };
    const Row rows[] = {
        {"single click", LinkId, MouseButton::Left, 1, 1},
        // The second press arrives as a double click and is ignored.
        {"double click", LinkId, MouseButton::Left, 2, 1},
        {"right click", LinkId, MouseButton::Right, 1, 0},
        // The e-mail address is plain text.
        {"e-mail address", EmailId, MouseButton::Left, 1, 0},
        {"e-mail address, double", EmailId, MouseButton::Left, 2, 0},
    };
    ShowAboutPage();
    const std::map<int, std::string> before = PageTexts();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Windows().opened_addresses.clear();
        const PixelRect centre = Centre(FindControl(row.control));
        ClickAt(centre.x, centre.y, row.button, row.clicks);
        EXPECT_EQ(Windows().opened_addresses,
                  std::vector<std::string>(row.opened, "http://www.qlx.example/"));
        EXPECT_EQ(PageTexts(), before);
        EXPECT_EQ(CurrentPage, AboutTab);
        EXPECT_EQ(Windows().beep_count, 0);
    }
}

// A display whose browser never starts.
class BrowserlessBackend : public HeadlessBackend {
  public:
    bool open_url(const std::string&) override { return false; }
};

TEST_F(MainWindowTest, AboutLinkLeavesThePageAloneWhenNoBrowserStarts) {
    StartWindowSystem(std::make_unique<BrowserlessBackend>(), &ProgramResources);
    m_main = CreateDialogParam(AppInstance, MAKEINTRESOURCE(1000), nullptr, MainDialog, 0);
    ASSERT_NE(m_main, nullptr);
    ShowAboutPage();
    const std::map<int, std::string> before = PageTexts();
    HWND focus = Windows().focus;

    Click(LinkId);
    EXPECT_EQ(Windows().opened_addresses, std::vector<std::string>{MakerWebTarget});
    EXPECT_EQ(PageTexts(), before);
    EXPECT_EQ(Windows().focus, focus);
    EXPECT_EQ(Windows().beep_count, 0);
    EXPECT_TRUE(AboutPageWindow()->is_visible());
    PaintWindowTree();
    EXPECT_EQ(LookOfLink(), ExpectedLinkLook);
}

namespace {

// Stands between the link's cursor procedure and the STATIC procedure, recording what
// reaches the link's own procedure.
struct LinkRecorder {
    static inline WNDPROC static_procedure = nullptr;
    static inline std::vector<UINT> heard;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        heard.push_back(message);
        return CallWindowProc(static_procedure, window, message, wparam, lparam);
    }
};

} // namespace

TEST_F(MainWindowTest, AboutLinkKeepsItsOwnProcedureAndPassesAllButTheCursorOn) {
    HWND link = FindControl(LinkId);
    ASSERT_NE(link, nullptr);
    const WNDPROC static_procedure = FindWindowClass("STATIC")->procedure;
    EXPECT_EQ(GetWindowLongPtr(link, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(LinkCursorProc));
    EXPECT_EQ(GetWindowLongPtr(link, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(static_procedure));

    char buffer[64] = {};
    EXPECT_EQ(SendMessage(link, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 22);
    EXPECT_STREQ(buffer, "http://www.qlx.example");
    EXPECT_EQ(SendMessage(link, WM_GETTEXTLENGTH, 0, 0), 22);

    LinkRecorder::static_procedure = static_procedure;
    LinkRecorder::heard.clear();
    SetWindowLongPtr(link, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&LinkRecorder::Procedure));
    ShowAboutPage();
    PaintWindowTree();
    ClickControl(link);
    EXPECT_EQ(SendMessage(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                          MAKELPARAM(1, WM_MOUSEMOVE)),
              0);
    EXPECT_EQ(SendMessage(link, WM_GETDLGCODE, 0, 0), DLGC_STATIC);

    // The window system asks the link where the pointer falls (WM_NCHITTEST) before the move
    // and the press; that question goes through the chain as well.
    const std::vector<UINT> expected = {WM_PAINT,       WM_NCHITTEST, WM_MOUSEMOVE, WM_NCHITTEST,
                                        WM_LBUTTONDOWN, WM_LBUTTONUP, WM_GETDLGCODE};
    EXPECT_EQ(LinkRecorder::heard, expected);
    EXPECT_EQ(Windows().cursor, CursorShape::Hand);
    EXPECT_EQ(Windows().opened_addresses.size(), 1u) << "the click went through the chain";
}

TEST_F(MainWindowTest, AboutPageColoursOnlyTheLink) {
    ShowAboutPage();
    HWND page = AboutPageWindow();
    DeviceContext dc;
    for (Window* control : page->children) {
        SCOPED_TRACE(control->id);
        dc.text_colour = RGB(1, 2, 3);
        dc.background_mode = OPAQUE;
        const LRESULT answer = SendMessage(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(&dc),
                                           reinterpret_cast<LPARAM>(control));
        if (control->id == LinkId) {
            ASSERT_NE(answer, 0);
            EXPECT_EQ(reinterpret_cast<HBRUSH>(answer)->colour, GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(dc.text_colour, 0x666600u);
            EXPECT_EQ(dc.background_mode, TRANSPARENT);
        } else {
            EXPECT_EQ(answer, 0);
            EXPECT_EQ(dc.text_colour, RGB(1, 2, 3));
            EXPECT_EQ(dc.background_mode, OPAQUE);
        }
    }
}

// The link in the desktop's link colour on the button face of whatever palette the desktop
// asks for, also when the palette changes after the page has taken its brush.
TEST_F(MainWindowTest, AboutPageLinkFollowsTheDesktopsColours) {
    ShowAboutPage();
    for (ColourScheme scheme :
         {ColourScheme::Dark, ColourScheme::HighContrast, ColourScheme::Classic}) {
        SCOPED_TRACE(static_cast<int>(scheme));
        m_backend->set_colour_scheme(scheme);
        InputEvent changed;
        changed.type = InputEvent::Type::Appearance;
        DispatchInput(changed);
        PaintWindowTree();
        const LinkLook expected{SystemColour(scheme, COLOR_HOTLIGHT),
                                SystemColour(scheme, COLOR_BTNFACE), false};
        EXPECT_EQ(LookOfLink(), expected);
    }
}

TEST_F(MainWindowTest, AboutPagePaintsTheLinkTealOnButtonFaceAndTheRestPlain) {
    ShowAboutPage();
    PaintWindowTree();
    EXPECT_EQ(LookOfLink(), ExpectedLinkLook);

    // Every other text of the page is in the default colour, and each text control drew.
    const PixelRect page = WindowRectInFrame(AboutPageWindow());
    std::map<int, int> lines_by_control;
    for (const DrawCommand& command : Windows().frame.commands) {
        if (command.op != DrawOp::Text || !page.contains(command.rect.x, command.rect.y)) {
            continue;
        }
        HWND under = nullptr;
        for (Window* control : AboutPageWindow()->children) {
            if (!WindowText(control).empty() &&
                WindowRectInFrame(control).contains(command.rect.x, command.rect.y)) {
                under = control;
            }
        }
        ASSERT_NE(under, nullptr) << command.text;
        ++lines_by_control[under->id];
        if (under->id != LinkId) {
            SCOPED_TRACE(command.text);
            EXPECT_EQ(command.colour, GetSysColor(COLOR_BTNTEXT));
        }
    }
    const std::map<int, int> expected_lines = {
        {5002, 1}, {5003, 1}, {5004, 3}, {5005, 3}, {5006, 1}, {5008, 1}, {5009, 1}, {LinkId, 1},
    };
    EXPECT_EQ(lines_by_control, expected_lines);

    // The banner, centred in its control, which is exactly the picture's size here.
    const PixelRect picture = WindowRectInFrame(FindControl(1003));
    int bitmaps = 0;
    for (const DrawCommand& command : Windows().frame.commands) {
        if (command.op == DrawOp::Bitmap) {
            ++bitmaps;
            EXPECT_EQ(command.rect.x, picture.x + (picture.width - 440) / 2);
            EXPECT_EQ(command.rect.y, picture.y + (picture.height - 100) / 2);
            EXPECT_EQ(command.clip, picture);
        }
    }
    EXPECT_EQ(bitmaps, 1);
}

TEST_F(MainWindowTest, AboutLinkRepaintsInTheSameColoursAfterEachVisit) {
    ShowAboutPage();
    PaintWindowTree();
    const std::size_t brushes = Windows().brushes.size();
    for (int visit = 1; visit <= 3; ++visit) {
        SCOPED_TRACE(visit);
        ChooseTab(TabHandle, visit - 1);
        PaintWindowTree();
        EXPECT_EQ(LinkTextIndex(), Windows().frame.commands.size()) << "hidden with its page";
        ShowAboutPage();
        PaintWindowTree();
        EXPECT_EQ(LookOfLink(), ExpectedLinkLook);
    }
    EXPECT_EQ(Windows().brushes.size(), brushes) << "one brush serves every paint";
}

TEST_F(MainWindowTest, AboutPageSitsFourUnitsFurtherRightThanTheOtherPages) {
    const PixelRect tab = WindowRectInFrame(TabHandle);
    for (int index = 0; index < PageCount; ++index) {
        SCOPED_TRACE(index);
        const PixelRect page = WindowRectInFrame(PageHandles[index]);
        const int x = index == AboutTab ? 6 : 2;
        EXPECT_EQ(page.x - tab.x, DialogUnitsToPixelsX(x));
        EXPECT_EQ(page.y - tab.y, DialogUnitsToPixelsY(13));
        EXPECT_EQ(page.right() - tab.x, DialogUnitsToPixelsX(x + 297));
        EXPECT_EQ(page.bottom() - tab.y, DialogUnitsToPixelsY(13 + 212));
    }
    // Four dialog units are six pixels of the test font (six pixels per average character).
    EXPECT_EQ(WindowRectInFrame(PageHandles[AboutTab]).x - WindowRectInFrame(PageHandles[0]).x, 6);

    // The page's controls in dialog units of the page, as laid out for the About page.
    struct Row {
        int id, x, y, width, height;
    };
    const Row rows[] = {
        {1003, 2, 7, 293, 61},      {5001, 2, 72, 292, 100},  {5003, 10, 84, 276, 9},
        {5004, 10, 99, 278, 24},    {5005, 10, 125, 280, 32}, {5006, 10, 158, 282, 11},
        {5007, 2, 175, 292, 33},    {5008, 10, 175, 276, 9},  {5009, 10, 192, 120, 9},
        {LinkId, 166, 192, 120, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const PixelRect control = WindowRectInFrame(FindControl(row.id));
        EXPECT_EQ(control.x - tab.x, DialogUnitsToPixelsX(6) + DialogUnitsToPixelsX(row.x));
        EXPECT_EQ(control.y - tab.y, DialogUnitsToPixelsY(13) + DialogUnitsToPixelsY(row.y));
        EXPECT_EQ(control.right() - tab.x,
                  DialogUnitsToPixelsX(6) + DialogUnitsToPixelsX(row.x + row.width));
        EXPECT_EQ(control.bottom() - tab.y,
                  DialogUnitsToPixelsY(13) + DialogUnitsToPixelsY(row.y + row.height));
    }
    // The title line sits on the top edge of the first group box, like its caption.
    EXPECT_EQ(WindowRectInFrame(FindControl(5002)).y, WindowRectInFrame(FindControl(5001)).y);
    EXPECT_EQ(WindowRectInFrame(FindControl(5008)).y, WindowRectInFrame(FindControl(5007)).y);
}
