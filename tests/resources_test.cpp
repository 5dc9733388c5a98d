// The program's resources as data: the numbering and order of the template controls that
// the pages and the main dialog rely on, the texts in code page 1254, and the headers of
// the embedded icon, banner and window icon files.

#include "pages/about_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "platform/core/dialog_template.h"
#include "platform/text/codepage1254.h"
#include "platform/win/windows_api.h"
#include "resources/about_texts.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"
#include "resources/window_icons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

const DialogTemplate* const AllTemplates[] = {
    &MainDialogTemplate,  &LogicPageTemplate, &MathPageTemplate,
    &ConvertPageTemplate, &AboutPageTemplate,
};

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

bool HasStyle(const ControlTemplate& control, std::uint32_t style) {
    return (control.style & style) == style;
}

std::string_view TextOf(const ControlTemplate& control) {
    return control.text == nullptr ? std::string_view() : std::string_view(control.text);
}

std::uint32_t ReadUint16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8);
}

std::uint32_t ReadUint32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return ReadUint16(bytes, offset) | (ReadUint16(bytes, offset + 2) << 16);
}

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(ReadUint32(bytes, offset));
}

// A .bmp file as the program embeds them: both headers, then rows of 24-bit pixels, bottom
// row first, uncompressed and without a palette.
void ExpectUncompressedBitmap(std::span<const std::uint8_t> file, int width, int height) {
    constexpr std::size_t FileHeader = 14;
    constexpr std::size_t InfoHeader = 40;
    const std::size_t row_size = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(file.size(), FileHeader + InfoHeader + row_size * height);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(ReadUint32(file, 2), file.size());
    EXPECT_EQ(ReadUint32(file, 10), FileHeader + InfoHeader); // pixels follow the headers
    EXPECT_EQ(ReadUint32(file, 14), InfoHeader);
    EXPECT_EQ(ReadInt32(file, 18), width);
    EXPECT_EQ(ReadInt32(file, 22), height); // positive: bottom row first
    EXPECT_EQ(ReadUint16(file, 26), 1u);    // planes
    EXPECT_EQ(ReadUint16(file, 28), 24u);
    EXPECT_EQ(ReadUint32(file, 30), 0u); // BI_RGB
    EXPECT_EQ(ReadUint32(file, 46), 0u); // no palette
}

// Tab stops of a calculating page in the order the keyboard visits them: each two-operand
// row as first operand, second operand, "=" button, result; then each one-operand row as
// operand, button, result; then the carry box.
std::vector<int> ExpectedTabOrder(int page_id, int two_operand_rows, int one_operand_rows,
                                  int carry_box) {
    std::vector<int> order;
    for (int row = 0; row < two_operand_rows; ++row) {
        int base = page_id + 3 + 5 * row;
        order.insert(order.end(), {base, base + 2, base + 3, base + 4});
    }
    int first_single = page_id + 3 + 5 * two_operand_rows;
    for (int row = 0; row < one_operand_rows; ++row) {
        int operand = first_single + 3 * row;
        order.insert(order.end(), {operand, operand + 1, operand + 2});
    }
    order.push_back(carry_box);
    return order;
}

} // namespace

TEST(ProgramResources, FindsEachResourceByItsId) {
    for (const DialogTemplate* dialog : AllTemplates) {
        SCOPED_TRACE(dialog->id);
        EXPECT_EQ(FindDialog(ProgramResources, dialog->id), dialog);
    }
    EXPECT_EQ(FindDialog(ProgramResources, TabControlId), nullptr);

    const BinaryResource* icon = FindResource(ProgramResources.icons, AppIconId);
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->bytes.empty());
    const BinaryResource* banner = FindResource(ProgramResources.bitmaps, BannerBitmapId);
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(banner->bytes.empty());
    EXPECT_EQ(FindResource(ProgramResources.icons, BannerBitmapId), nullptr);
}

// The main dialog's Clear command and the pages address fields by id alone, so an id may
// name only one control in the whole program.
TEST(Templates, ControlIdsAreUniqueAcrossTheProgram) {
    std::map<int, int> owner_of_id;
    for (const DialogTemplate* dialog : AllTemplates) {
        for (const ControlTemplate& control : dialog->controls) {
            SCOPED_TRACE(testing::Message() << "dialog " << dialog->id << ", id " << control.id);
            auto [place, is_new] = owner_of_id.emplace(control.id, dialog->id);
            EXPECT_TRUE(is_new) << "already used in dialog " << place->second;
        }
    }
}

TEST(Templates, PagesNumberTheirControlsFromTheirTemplateIdUpward) {
    struct Row {
        const DialogTemplate* page;
        int control_count;
    };
    const Row rows[] = {
        {&LogicPageTemplate, 62},
        {&MathPageTemplate, 43},
        {&ConvertPageTemplate, 16},
        {&AboutPageTemplate, 10}, // and the picture, which carries its bitmap's id
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page->id);
        std::vector<int> ids;
        for (const ControlTemplate& control : row.page->controls) {
            if (control.id != BannerBitmapId)
                ids.push_back(control.id);
        }
        std::sort(ids.begin(), ids.end());
        std::vector<int> expected;
        for (int id = row.page->id + 1; id <= row.page->id + row.control_count; ++id)
            expected.push_back(id);
        EXPECT_EQ(ids, expected);
    }
}

TEST(Templates, EveryControlIsAVisibleChildAndEveryEditFieldIsSunken) {
    for (const DialogTemplate* dialog : AllTemplates) {
        for (const ControlTemplate& control : dialog->controls) {
            SCOPED_TRACE(testing::Message() << "dialog " << dialog->id << ", id " << control.id);
            EXPECT_TRUE(HasStyle(control, WS_CHILD | WS_VISIBLE));
            if (std::string_view(control.class_name) == "EDIT") {
                EXPECT_EQ(control.ex_style & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
                EXPECT_TRUE(HasStyle(control, WS_TABSTOP));
            }
        }
    }
}

// Row k of a calculating page: first operand b, label b + 1, second operand b + 2, "="
// button b + 3, result b + 4, with b = template id + 3 + 5k, all on one line.
TEST(Templates, CalculatingPageRowsFollowTheRowScheme) {
    struct Row {
        const DialogTemplate* page;
        int row;
        const char* mnemonic;
    };
    const Row rows[] = {
        {&LogicPageTemplate, 0, "AND"}, {&LogicPageTemplate, 1, "OR"},
        {&LogicPageTemplate, 2, "XOR"}, {&LogicPageTemplate, 3, "SAR"},
        {&LogicPageTemplate, 4, "SHR"}, {&LogicPageTemplate, 5, "SHL"},
        {&LogicPageTemplate, 6, "ROR"}, {&LogicPageTemplate, 7, "RCR"},
        {&LogicPageTemplate, 8, "ROL"}, {&LogicPageTemplate, 9, "RCL"},
        {&MathPageTemplate, 0, "ADD"},  {&MathPageTemplate, 1, "ADC"},
        {&MathPageTemplate, 2, "SUB"},  {&MathPageTemplate, 3, "SBB"},
        {&MathPageTemplate, 4, "MUL"},  {&MathPageTemplate, 5, "IMUL"},
        {&MathPageTemplate, 6, "DIV"},  {&MathPageTemplate, 7, "IDIV"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mnemonic);
        int base = row.page->id + 3 + 5 * row.row;
        const ControlTemplate* first = FindControl(*row.page, base);
        const ControlTemplate* label = FindControl(*row.page, base + 1);
        const ControlTemplate* second = FindControl(*row.page, base + 2);
        const ControlTemplate* button = FindControl(*row.page, base + 3);
        const ControlTemplate* result = FindControl(*row.page, base + 4);
        ASSERT_TRUE(first && label && second && button && result);

        EXPECT_STREQ(first->class_name, "EDIT");
        EXPECT_FALSE(HasStyle(*first, ES_READONLY));
        EXPECT_STREQ(label->class_name, "STATIC");
        EXPECT_EQ(TextOf(*label), row.mnemonic);
        EXPECT_STREQ(second->class_name, "EDIT");
        EXPECT_FALSE(HasStyle(*second, ES_READONLY));
        EXPECT_STREQ(button->class_name, "BUTTON");
        EXPECT_EQ(TextOf(*button), "=");
        EXPECT_EQ(button->ex_style & WS_EX_STATICEDGE, WS_EX_STATICEDGE);
        EXPECT_STREQ(result->class_name, "EDIT");
        EXPECT_TRUE(HasStyle(*result, ES_READONLY));

        EXPECT_EQ(second->y, first->y);
        EXPECT_EQ(button->y, first->y);
        EXPECT_EQ(result->y, first->y);
        EXPECT_LT(first->x + first->width, label->x);
        EXPECT_LT(label->x + label->width, second->x);
        EXPECT_LE(second->x + second->width, button->x);
        EXPECT_LE(button->x + button->width, result->x);
    }
}

TEST(LogicPageTemplate, OneOperandRowsNameTheirOperationOnTheButton) {
    struct Row {
        int operand;
        const char* mnemonic;
    };
    const Row rows[] = {{2053, "NOT"}, {2056, "NEG"}, {2059, "BSWAP"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mnemonic);
        const ControlTemplate* operand = FindControl(LogicPageTemplate, row.operand);
        const ControlTemplate* button = FindControl(LogicPageTemplate, row.operand + 1);
        const ControlTemplate* result = FindControl(LogicPageTemplate, row.operand + 2);
        ASSERT_TRUE(operand && button && result);
        EXPECT_FALSE(HasStyle(*operand, ES_READONLY));
        EXPECT_STREQ(button->class_name, "BUTTON");
        EXPECT_EQ(TextOf(*button), row.mnemonic);
        EXPECT_TRUE(HasStyle(*result, ES_READONLY));
        EXPECT_EQ(button->y, operand->y);
        EXPECT_EQ(result->y, operand->y);
    }
}

// The window system takes the tab order from the order of the template.
TEST(Templates, CalculatingPagesTabRowByRowThenToTheCarryBox) {
    struct Row {
        const DialogTemplate* page;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {&LogicPageTemplate, ExpectedTabOrder(LogicPageId, 10, 3, LogicCarryBox)},
        {&MathPageTemplate, ExpectedTabOrder(MathPageId, 8, 0, MathCarryBox)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page->id);
        std::vector<int> tab_stops;
        for (const ControlTemplate& control : row.page->controls) {
            if (HasStyle(control, WS_TABSTOP))
                tab_stops.push_back(control.id);
        }
        EXPECT_EQ(tab_stops, row.expected);
    }
}

TEST(Templates, CarryBoxesStartUncheckedWithTheirCaption) {
    for (auto [page, id] : {std::pair{&LogicPageTemplate, LogicCarryBox},
                            std::pair{&MathPageTemplate, MathCarryBox}}) {
        SCOPED_TRACE(id);
        const ControlTemplate* box = FindControl(*page, id);
        ASSERT_NE(box, nullptr);
        EXPECT_STREQ(box->class_name, "BUTTON");
        EXPECT_EQ(box->style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_EQ(TextOf(*box), "Carry Flag: 0");
    }
}

// MUL to IDIV write a lower-case " r " between two words, and DIV and IDIV a mixed-case
// message; an upper-case field would change those texts.
TEST(MathPageTemplate, OnlyAddToSbbResultsAreUpperCase) {
    for (int row = 0; row < 8; ++row) {
        int result = MathPageId + 3 + 5 * row + 4;
        SCOPED_TRACE(result);
        const ControlTemplate* field = FindControl(MathPageTemplate, result);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(HasStyle(*field, ES_UPPERCASE), row < 4);
    }
}

TEST(Templates, DialogsArePlacedAsTheMainWindowExpects) {
    struct Row {
        const DialogTemplate* dialog;
        int x, y, width, height;
        bool is_visible;
    };
    const Row rows[] = {
        {&MainDialogTemplate, 6, 6, 308, 248, true},
        {&LogicPageTemplate, 2, 13, 297, 212, true}, // the page on view at start
        {&MathPageTemplate, 2, 13, 297, 212, false},
        {&ConvertPageTemplate, 2, 13, 297, 212, false},
        {&AboutPageTemplate, 6, 13, 297, 212, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dialog->id);
        EXPECT_EQ(row.dialog->x, row.x);
        EXPECT_EQ(row.dialog->y, row.y);
        EXPECT_EQ(row.dialog->width, row.width);
        EXPECT_EQ(row.dialog->height, row.height);
        EXPECT_EQ((row.dialog->style & WS_VISIBLE) != 0, row.is_visible);
        EXPECT_EQ(std::string_view(row.dialog->font_face), "MS Sans Serif");
        EXPECT_EQ(row.dialog->font_points, 8);
        if (row.dialog != &MainDialogTemplate) {
            EXPECT_EQ(row.dialog->style & (WS_CHILD | DS_CONTROL | WS_CAPTION | WS_POPUP),
                      WS_CHILD | DS_CONTROL);
        }
    }
}

TEST(MainDialogTemplate, CaptionFrameAndButtons) {
    EXPECT_EQ(std::string_view(MainDialogTemplate.caption), "[QLX]Kalvetra v1.2 (32-Bit)");
    // On a popup window the tab-stop bit is the maximise box: the window has none.
    EXPECT_EQ(MainDialogTemplate.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                          WS_MAXIMIZEBOX | DS_MODALFRAME | DS_CENTER),
              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER);
    EXPECT_EQ(MainDialogTemplate.ex_style, WS_EX_DLGMODALFRAME);

    const ControlTemplate* tabs = FindControl(MainDialogTemplate, TabControlId);
    ASSERT_NE(tabs, nullptr);
    EXPECT_STREQ(tabs->class_name, "SysTabControl32");
    // Enter is Clear: "Temizle" is IDOK and the one default button.
    const ControlTemplate* clear = FindControl(MainDialogTemplate, IDOK);
    const ControlTemplate* close = FindControl(MainDialogTemplate, IDCANCEL);
    ASSERT_TRUE(clear && close);
    EXPECT_EQ(TextOf(*clear), "Temizle");
    EXPECT_EQ(clear->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(TextOf(*close), "Kapat");
    EXPECT_EQ(close->style & BS_TYPEMASK, BS_PUSHBUTTON);
}

// The Turkish texts, read back through the code page: catches a wrong byte or an escape
// that swallowed the letter after it.
TEST(Templates, TurkishTextsAreCodePage1254) {
    struct Row {
        const DialogTemplate* dialog;
        int id;
        const char* utf8;
    };
    const Row rows[] = {
        {&LogicPageTemplate, 2001, "Onaltılık Değer"},
        {&LogicPageTemplate, 2002, "Sonuç"},
        {&MathPageTemplate, 3001, "Onaltılık Değer"},
        {&MathPageTemplate, 3002, "Sonuç"},
        {&ConvertPageTemplate, 4001, "Onaltılık Sayısal Dönüşüm"},
        {&ConvertPageTemplate, 4002, "Onaltılık String Dönüşüm"},
        {&ConvertPageTemplate, 4003, "Onaltılık Değer"},
        {&ConvertPageTemplate, 4005, "İkilik Sonuç"},
        {&ConvertPageTemplate, 4007, "Onluk Sonuç (Signed)"},
        {&ConvertPageTemplate, 4009, "Onluk Sonuç (Unsigned)"},
        {&ConvertPageTemplate, 4011, "Sekizlik Sonuç"},
        {&ConvertPageTemplate, 4013, "Onaltılık Değer"},
        {&ConvertPageTemplate, 4015, "String Değer"},
        {&AboutPageTemplate, 5006, "OS: Win 9x,NT,XP SP2/SP3,Vista,Win7"},
        {&AboutPageTemplate, 5008, "[QLX] İletişim"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const ControlTemplate* control = FindControl(*row.dialog, row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(CodePage1254ToUtf8(TextOf(*control)), row.utf8);
    }

    const ControlTemplate* thanks = FindControl(AboutPageTemplate, 5005);
    ASSERT_NE(thanks, nullptr);
    EXPECT_TRUE(CodePage1254ToUtf8(TextOf(*thanks)).starts_with("Teşekkürler:\r\n"));

    const std::string replacement = "\xEF\xBF\xBD"; // U+FFFD, for a byte the code page lacks
    for (const DialogTemplate* dialog : AllTemplates) {
        for (const ControlTemplate& control : dialog->controls) {
            SCOPED_TRACE(control.id);
            EXPECT_EQ(CodePage1254ToUtf8(TextOf(control)).find(replacement), std::string::npos);
        }
    }
}

TEST(AboutPageTemplate, OnlyTheLinkReportsClicksAndItShowsTheWebAddress) {
    for (const ControlTemplate& control : AboutPageTemplate.controls) {
        SCOPED_TRACE(control.id);
        EXPECT_EQ(HasStyle(control, SS_NOTIFY) && std::string_view(control.class_name) == "STATIC",
                  control.id == AboutLink);
    }
    const ControlTemplate* link = FindControl(AboutPageTemplate, AboutLink);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(TextOf(*link), MakerWebAddress);
    EXPECT_EQ(std::string(MakerWebTarget), std::string(MakerWebAddress) + "/");

    const ControlTemplate* picture = FindControl(AboutPageTemplate, BannerBitmapId);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->style & SS_TYPEMASK, SS_BITMAP);
    EXPECT_EQ(picture->resource_id, BannerBitmapId);
}

TEST(BannerBitmap, IsAnUncompressedBottomUp440By100PictureOf24Bits) {
    std::span<const std::uint8_t> file =
        FindResource(ProgramResources.bitmaps, BannerBitmapId)->bytes;
    ASSERT_EQ(file.size(), 132054u); // 440 * 3 is a multiple of 4: rows have no padding
    ExpectUncompressedBitmap(file, 440, 100);
}

TEST(WindowIcons, AreUncompressedBottomUpBitmapsOfEachIconSize) {
    std::span<const WindowIconImage> images = WindowIconImages();
    ASSERT_EQ(images.size(), IconSizes.size());
    for (std::size_t index = 0; index < images.size(); ++index) {
        SCOPED_TRACE(IconSizes[index]);
        EXPECT_EQ(images[index].size, IconSizes[index]);
        ExpectUncompressedBitmap(images[index].bitmap, IconSizes[index], IconSizes[index]);
    }
}

// The Windows icon and the X11 window's icon set are drawn apart; their 32-pixel pictures
// must stay the same.
TEST(WindowIcons, The32PixelImageHasTheApplicationIconsPixels) {
    std::span<const std::uint8_t> icon = FindResource(ProgramResources.icons, AppIconId)->bytes;
    const auto window_icon =
        std::find_if(WindowIconImages().begin(), WindowIconImages().end(),
                     [](const WindowIconImage& image) { return image.size == 32; });
    ASSERT_NE(window_icon, WindowIconImages().end());
    constexpr std::size_t PixelBytes = 32 * 32 * 3; // both bottom-up, rows without padding
    std::span<const std::uint8_t> icon_pixels = icon.subspan(ReadUint32(icon, 18) + 40, PixelBytes);
    std::span<const std::uint8_t> window_pixels = window_icon->bitmap.subspan(54, PixelBytes);
    EXPECT_TRUE(std::equal(icon_pixels.begin(), icon_pixels.end(), window_pixels.begin()));
}

TEST(ApplicationIcon, HoldsOne32By32ImageOf24BitsWithAnEmptyMask) {
    std::span<const std::uint8_t> file = FindResource(ProgramResources.icons, AppIconId)->bytes;
    ASSERT_GE(file.size(), 22u);
    EXPECT_EQ(ReadUint16(file, 0), 0u);
    EXPECT_EQ(ReadUint16(file, 2), 1u); // an icon, not a cursor
    ASSERT_EQ(ReadUint16(file, 4), 1u); // one image
    EXPECT_EQ(file[6], 32);
    EXPECT_EQ(file[7], 32);
    EXPECT_EQ(ReadUint16(file, 12), 24u);
    std::uint32_t image_size = ReadUint32(file, 14);
    std::uint32_t image_offset = ReadUint32(file, 18);
    ASSERT_EQ(image_offset + image_size, file.size());

    std::span<const std::uint8_t> image = file.subspan(image_offset);
    EXPECT_EQ(ReadUint32(image, 0), 40u);
    EXPECT_EQ(ReadInt32(image, 4), 32);
    EXPECT_EQ(ReadInt32(image, 8), 64); // colour rows and mask rows
    EXPECT_EQ(ReadUint16(image, 14), 24u);
    EXPECT_EQ(ReadUint32(image, 16), 0u); // BI_RGB

    constexpr std::size_t ColourSize = 32 * 32 * 3;
    constexpr std::size_t MaskSize = 32 * 4; // 32 one-bit pixels per row, 4-byte rows
    ASSERT_EQ(image.size(), 40 + ColourSize + MaskSize);
    std::span<const std::uint8_t> mask = image.subspan(40 + ColourSize);
    EXPECT_TRUE(std::all_of(mask.begin(), mask.end(), [](std::uint8_t byte) { return byte == 0; }));
}
