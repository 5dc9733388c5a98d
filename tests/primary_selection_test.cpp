// The middle button's paste of the PRIMARY selection into the real pages' fields meets the
// same rules as any paste into that field: the digit fields take nothing but their digits,
// the byte-pair field refuses every paste, the text field takes any text it can hold.

#include "main_window_fixture.h"

#include "platform/controls/control_classes.h"
#include "platform/text/clipboard.h"

#include <optional>
#include <string>

TEST_F(MainWindowTest, MiddleClickPastesThroughTheFieldsRules) {
    struct Row {
        const char* why;
        int tab, id;
        std::string primary;
        const char* expected; // the field's text afterwards
        int beeps;
        int other_id = 0; // a field the page writes from it, and what it shows
        const char* other = "";
    };
    const Row rows[] = {
        {"a hexadecimal operand, spaces and 0x dropped", 0, 2003, " 0x1f\n", "1F", 0},
        {"a hexadecimal operand refuses letters past F", 0, 2003, "xyz", "", 1},
        {"a hexadecimal operand refuses nine digits", 0, 2003, "123456789", "", 1},
        {"the binary field", 2, 4006, "101", "101", 0, 4004, "00000005"},
        {"the binary field refuses a 2", 2, 4006, "12", "", 1},
        {"the byte-pair field refuses every paste", 2, 4014, "41", "", 1},
        {"the text field", 2, 4016, "AB", "AB", 0, 4014, "41 42"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        ChooseTab(TabHandle, row.tab);
        m_backend->set_primary_selection(row.primary);
        WriteClipboardText("0");
        const PixelRect field = WindowRectInFrame(FindControl(row.id));
        ClickAt(field.x + field.width / 2, field.y + field.height / 2, MouseButton::Middle);
        EXPECT_EQ(Text(row.id), row.expected);
        EXPECT_EQ(Windows().beep_count, row.beeps);
        if (row.other_id != 0) {
            EXPECT_EQ(Text(row.other_id), row.other);
        }
    }
}
