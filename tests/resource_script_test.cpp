#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"
#include "tools/rcgen/resource_script.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

TEST(ResourceScript, QuotesTextsForTheScript) {
    struct Row {
        const char* text;
        const char* quoted;
    };
    const Row rows[] = {
        {"", "\"\""},
        {"Temizle", "\"Temizle\""},
        // Code page 1254 bytes go in unchanged: the script declares its code page.
        {"Sonu\xE7", "\"Sonu\xE7\""},
        {"[QLX] \xDDleti\xFEim", "\"[QLX] \xDDleti\xFEim\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a\\b", "\"a\\\\b\""},
        {"Te\xFE\x65kk\xFCrler:\r\nBu", "\"Te\xFE\x65kk\xFCrler:\\r\\nBu\""},
        {"\t", "\"\\t\""},
        {"\x01\x7F", "\"\\001\\177\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(QuoteResourceText(row.text), row.quoted);
    }
}

TEST(ResourceScript, RefusesBytesThatTheCodePageLeavesUndefined) {
    for (const char* text : {"\x81", "a\x8D", "\x90z", "\x9D"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(QuoteResourceText(text), std::invalid_argument);
    }
}

TEST(ResourceScript, ReadsVersionNumbers) {
    using Numbers = std::array<unsigned, 4>;
    EXPECT_EQ(VersionNumbers("1.2"), (Numbers{1, 2, 0, 0}));
    EXPECT_EQ(VersionNumbers("1.2.0.4"), (Numbers{1, 2, 0, 4}));
    EXPECT_EQ(VersionNumbers("65535"), (Numbers{65535, 0, 0, 0}));
    for (const char* bad : {"", "1.", ".1", "1..2", "1.2.3.4.5", "65536", "1.x", "-1", "1 2"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(VersionNumbers(bad), std::invalid_argument);
    }
}

// A dialog with a caption, a visible control, one created hidden and a picture.
const ControlTemplate SampleControls[] = {
    {"BUTTON", "Kapat", 2, 260, 232, 46, 14, 0x50010000, 0},
    {"EDIT", nullptr, 2003, 2, 20, 80, 13, 0x40010009, 0x200},
    {"STATIC", nullptr, 1003, 2, 7, 293, 61, 0x50000A0E, 0, 1003},
};
const DialogTemplate SampleDialog{
    1000, "[QLX]Kalvetra", 6, 6, 308, 248, 0x90CA08C0, 1, "MS Sans Serif", 8, SampleControls,
};
const DialogTemplate* const SampleDialogs[] = {&SampleDialog};
const VersionInfo SampleVersion{"1.2", "1.2.0.4", 0x041F, 0x04B0, "[QLX]", "Kalvetra"};

TEST(ResourceScript, WritesDialogsIconBitmapAndVersion) {
    std::ostringstream out;
    WriteResourceScript(
        out, {SampleDialogs, {1002, "kalvetra.ico"}, {1003, "banner.bmp"}, SampleVersion});
    // The hidden edit field keeps WS_VISIBLE clear against the CONTROL default; the picture
    // names its bitmap by number.
    EXPECT_EQ(out.str(),
              "// The program's resources, generated from resources/ by kalvetra-rcgen.\n"
              "#pragma code_page(1254)\n"
              "LANGUAGE 0x1F, 0x1\n"
              "\n"
              "1000 DIALOGEX 6, 6, 308, 248\n"
              "STYLE 0x90CA08C0\n"
              "EXSTYLE 0x00000001\n"
              "CAPTION \"[QLX]Kalvetra\"\n"
              "FONT 8, \"MS Sans Serif\", 0, 0, 1\n"
              "BEGIN\n"
              "    CONTROL \"Kapat\", 2, \"BUTTON\", 0x50010000, 260, 232, 46, 14, 0x00000000\n"
              "    CONTROL \"\", 2003, \"EDIT\", 0x40010009 | NOT 0x10000000, 2, 20, 80, 13, "
              "0x00000200\n"
              "    CONTROL 1003, 1003, \"STATIC\", 0x50000A0E, 2, 7, 293, 61, 0x00000000\n"
              "END\n"
              "\n"
              "1002 ICON \"kalvetra.ico\"\n"
              "1003 BITMAP \"banner.bmp\"\n"
              "\n"
              "1 VERSIONINFO\n"
              "FILEVERSION 1, 2, 0, 0\n"
              "PRODUCTVERSION 1, 2, 0, 4\n"
              "FILEFLAGSMASK 0x3F\n"
              "FILEFLAGS 0x0\n"
              "FILEOS 0x40004\n"
              "FILETYPE 0x1\n"
              "FILESUBTYPE 0x0\n"
              "BEGIN\n"
              "    BLOCK \"StringFileInfo\"\n"
              "    BEGIN\n"
              "        BLOCK \"041F04B0\"\n"
              "        BEGIN\n"
              "            VALUE \"CompanyName\", \"[QLX]\"\n"
              "            VALUE \"FileDescription\", \"Kalvetra\"\n"
              "            VALUE \"FileVersion\", \"1.2\"\n"
              "            VALUE \"ProductName\", \"Kalvetra\"\n"
              "            VALUE \"ProductVersion\", \"1.2.0.4\"\n"
              "        END\n"
              "    END\n"
              "    BLOCK \"VarFileInfo\"\n"
              "    BEGIN\n"
              "        VALUE \"Translation\", 0x041F, 0x04B0\n"
              "    END\n"
              "END\n");
}

// The program's own script: every template and every control of it is written, so the
// Windows build has the same windows as the other backends.
TEST(ResourceScript, WritesEveryControlOfTheProgram) {
    std::ostringstream out;
    WriteResourceScript(out, {ProgramResources.dialogs,
                              {AppIconId, "kalvetra.ico"},
                              {BannerBitmapId, "banner.bmp"},
                              ProgramVersion});
    const std::string script = out.str();
    std::size_t controls = 0;
    for (const DialogTemplate* dialog : ProgramResources.dialogs) {
        SCOPED_TRACE(dialog->id);
        // Appended, not `"\n" + std::to_string(...)`: GCC 12 at -O3 warns falsely (-Wrestrict)
        // about the insertion at the front that the operator does.
        const std::string heading =
            std::string("\n").append(std::to_string(dialog->id)).append(" DIALOGEX ");
        EXPECT_NE(script.find(heading), std::string::npos);
        controls += dialog->controls.size();
    }
    std::size_t lines = 0;
    for (std::size_t at = script.find("    CONTROL "); at != std::string::npos;
         at = script.find("    CONTROL ", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, controls);
    EXPECT_NE(script.find("CONTROL \"Temizle\", 1, \"BUTTON\", 0x50010001, 208, 232, 46, 14"),
              std::string::npos);
    EXPECT_NE(script.find("CAPTION \"[QLX]Kalvetra v1.2 (32-Bit)\"\n"), std::string::npos);
}

} // namespace
