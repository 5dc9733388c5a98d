// Input no user means well by, into every field of the real main window: megabyte pastes,
// a clipboard the code page cannot show, NUL bytes, every control character, shell
// metacharacters. Nothing may crash, no single event may hang (a generous 50 ms bound,
// meant to catch a runaway loop, not to measure), no field may take more than its rules
// allow, and a refusal beeps.

#include "main_window_fields.h"
#include "main_window_fixture.h"
#include "page_model.h"

#include "platform/controls/control_classes.h"
#include "platform/controls/edit/edit_model.h"
#include "platform/text/codepage1254.h"
#include "testing/window_text.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto HangBound = std::chrono::milliseconds(50);

constexpr std::size_t Megabyte = 1 << 20;

const char* const PasteLabel = "Yap\xFD\xFEt\xFDr"; // Yapıştır

std::string Megabytes(std::string_view alphabet, unsigned seed) {
    std::mt19937 generator(seed);
    std::string text(Megabyte, '\0');
    for (char& character : text)
        character = alphabet[generator() % alphabet.size()];
    return text;
}

std::string AllBytes() {
    std::string bytes;
    for (int code = 0; code < 256; ++code)
        bytes += static_cast<char>(code);
    return bytes;
}

// The kinds of field by what typing a filtered character does to them.
bool IsFiltered(const FieldInfo& field) {
    return field.bound == FieldBound::Limit || field.bound == FieldBound::LimitAndPairs ||
           field.id == OctalField;
}
bool IsEditable(const FieldInfo& field) {
    return field.bound != FieldBound::ReadOnly;
}

// Whether text is a start of source, allowing for a field that upper-cases what it takes.
bool IsStartOf(std::string_view text, std::string_view source) {
    if (text.size() > source.size())
        return false;
    for (std::size_t index = 0; index < text.size(); ++index)
        if (text[index] != source[index] && text[index] != UpperCaseByte(source[index]))
            return false;
    return true;
}

class HostileInput : public MainWindowTest {
  protected:
    // The field on view and emptied by the program, with the keyboard, as a click puts it.
    HWND Emptied(const FieldInfo& field) {
        ChooseTab(FindControl(TabControlId), field.page);
        HWND control = FindControl(field.id);
        SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        FocusAsClick(control);
        return control;
    }

    // One user event from the state that prepare makes, with the hang check; returns the
    // beeps it caused. A sanitized build on a busy machine can take a megabyte paste past the
    // bound now and then, so an event gets three tries: a hang fails them all.
    template <typename Prepare, typename Event> static int Timed(Prepare prepare, Event event) {
        Clock::duration fastest = Clock::duration::max();
        int beeps = 0;
        for (int attempt = 0; attempt < 3 && fastest >= HangBound; ++attempt) {
            prepare();
            const int beeps_before = Windows().beep_count;
            const auto start = Clock::now();
            event();
            fastest = std::min(fastest, Clock::now() - start);
            beeps = Windows().beep_count - beeps_before;
        }
        EXPECT_LT(fastest, HangBound)
            << std::chrono::duration_cast<std::chrono::milliseconds>(fastest).count() << " ms";
        return beeps;
    }

    static void PasteFromMenu(HWND control) {
        RightClickControl(control);
        if (!ChoosePopupMenuItem(PasteLabel))
            ClosePopupMenu(); // a read-only field's paste is greyed
    }
    static void PasteFromKeyboard(HWND) { PressKey(VK_INSERT, Modifier::Shift); }

    static std::string WayName(void (*paste)(HWND)) {
        return paste == &PasteFromMenu ? "context menu" : "Shift+Insert";
    }
};

// What a single-line field can take of the clipboard: its text up to the first line break
// or NUL byte.
std::string_view FirstLine(std::string_view clipboard) {
    const auto end = std::find_if(clipboard.begin(), clipboard.end(), [](char character) {
        return character == '\r' || character == '\n' || character == '\0';
    });
    return clipboard.substr(0, static_cast<std::size_t>(end - clipboard.begin()));
}

// A paste leaves a field empty, with one beep for the refusal, or holding a start of the
// clipboard's first line that the field's bound allows.
void ExpectAllowedPaste(const FieldInfo& field, HWND control, std::string_view first_line,
                        int beeps) {
    const std::string text = WindowText(control);
    switch (field.bound) {
    case FieldBound::ReadOnly:
        EXPECT_EQ(text, "");
        return;
    case FieldBound::LimitAndPairs:
        EXPECT_EQ(text, "") << "the byte-pair field refuses every paste";
        EXPECT_EQ(beeps, 1);
        return;
    case FieldBound::Limit:
        EXPECT_LE(text.size(), field.limit);
        break;
    case FieldBound::VisibleWidth:
        EXPECT_LE(text.size(), model::TextFieldCapacity().value());
        break;
    }
    EXPECT_TRUE(IsStartOf(text, first_line)) << "holds " << text.size() << " characters";
    if (text.empty() && !first_line.empty()) {
        EXPECT_EQ(beeps, 1) << "a refused paste beeps once";
    }
}

TEST_F(HostileInput, MegabytePastesStayWithinEachFieldsBound) {
    // Both ways of pasting reach the field as the same request; each content takes one.
    const struct {
        const char* name;
        std::string clipboard;
        void (*paste)(HWND);
    } contents[] = {
        {"digits", Megabytes("0123456789", 1), &PasteFromMenu},
        {"random bytes", Megabytes(AllBytes(), 2), &PasteFromKeyboard},
        // Turkish text with the code page's letters, on one line: "Kalvetra dönüşüm ışğİŞĞ ".
        {"text", Megabytes("Kalvetra d\xF6n\xFC\xFE\xFCm \xFD\xFE\xF0\xDD\xDE\xD0 ", 3),
         &PasteFromMenu},
    };
    for (const auto& content : contents) {
        const std::string_view first_line = FirstLine(content.clipboard);
        for (const FieldInfo& field : Fields()) {
            SCOPED_TRACE(std::string(content.name) + " by " + WayName(content.paste) + " into " +
                         std::to_string(field.id));
            HWND control = FindControl(field.id);
            const int beeps = Timed(
                [&] {
                    Emptied(field);
                    m_backend->set_clipboard_contents(content.clipboard);
                },
                [&] { content.paste(control); });
            ExpectAllowedPaste(field, control, first_line, beeps);
        }
    }
}

TEST_F(HostileInput, UnrepresentableClipboardIsRefusedWithABeep) {
    for (void (*paste)(HWND) : {&PasteFromMenu, &PasteFromKeyboard}) {
        for (const FieldInfo& field : Fields()) {
            SCOPED_TRACE(WayName(paste) + " into " + std::to_string(field.id));
            HWND control = FindControl(field.id);
            const int beeps = Timed(
                [&] {
                    Emptied(field);
                    SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10"));
                    // A clipboard holding characters that code page 1254 lacks, such as
                    // invalid UTF-8 from another program, reads as nothing to take.
                    m_backend->set_clipboard_contents(std::nullopt);
                },
                [&] { paste(control); });
            EXPECT_EQ(WindowText(control), "10");
            if (IsEditable(field)) {
                EXPECT_EQ(beeps, 1);
            }
        }
    }
}

TEST_F(HostileInput, NulByteEndsThePastedText) {
    const struct {
        const char* name;
        std::string clipboard;
    } contents[] = {
        {"NUL inside", std::string("10\0"
                                   "11",
                                   5)},
        {"NUL first", std::string("\0"
                                  "10",
                                  3)},
        {"NUL after a megabyte", Megabytes("01", 4) + std::string(1, '\0') + "0x"},
    };
    for (const auto& content : contents) {
        for (const FieldInfo& field : Fields()) {
            SCOPED_TRACE(std::string(content.name) + " into " + std::to_string(field.id));
            HWND control = FindControl(field.id);
            const int beeps = Timed(
                [&] {
                    Emptied(field);
                    m_backend->set_clipboard_contents(content.clipboard);
                },
                [&] { PasteFromKeyboard(control); });
            const std::string_view before_nul =
                std::string_view(content.clipboard).substr(0, content.clipboard.find('\0'));
            EXPECT_TRUE(IsStartOf(WindowText(control), before_nul))
                << "nothing after the NUL byte is taken";
            if (field.bound == FieldBound::Limit) {
                EXPECT_LE(WindowText(control).size(), field.limit);
            }
            if (field.bound == FieldBound::LimitAndPairs) {
                EXPECT_EQ(beeps, 1);
            }
        }
    }
}

// Every control character, typed at the end of "10": backspace deletes the "0" in a field
// the user may edit; every other one leaves the text alone, with one beep in a field that
// a keystroke filter guards.
TEST_F(HostileInput, ControlCharactersTypedIntoEveryField) {
    std::string controls;
    for (int code = 0; code < 0x20; ++code)
        controls += static_cast<char>(code);
    controls += '\x7F';
    for (const FieldInfo& field : Fields()) {
        for (char control_character : controls) {
            const auto code = static_cast<unsigned char>(control_character);
            SCOPED_TRACE("code " + std::to_string(code) + " into " + std::to_string(field.id));
            HWND control = FindControl(field.id);
            const int beeps = Timed(
                [&] {
                    Emptied(field);
                    SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10"));
                    SendMessage(control, EM_SETSEL, 2, 2);
                    m_backend->set_clipboard_contents(std::string()); // Ctrl+V pastes nothing
                },
                [&] { TypeBytes(std::string(1, control_character)); });
            const bool deletes = code == 0x08 && IsEditable(field);
            EXPECT_EQ(WindowText(control), deletes ? "1" : "10");
            if (IsFiltered(field)) {
                EXPECT_EQ(beeps, code == 0x08 ? 0 : 1);
            }
            EXPECT_FALSE(m_main->dialog_ended) << "no typed character closes the window";
        }
    }
}

// The web link opens its own fixed address; nothing typed, pasted or set anywhere, not even
// the link's own caption, takes part in it, so nothing a user enters can reach a command
// line.
TEST_F(HostileInput, LinkOpensOnlyItsFixedAddressWhateverWasEntered) {
    const std::string hostile = "\"; rm -rf ~ && $(id) `id` | tee /tmp/x > y < z & "
                                "'\\' * ? [a] {b} ! # % ^ ~ %s %n\t\xFE"; // ... ş
    for (const FieldInfo& field : Fields()) {
        SCOPED_TRACE(field.id);
        HWND control = Emptied(field);
        TypeBytes(hostile);
        m_backend->set_clipboard_contents(hostile);
        PasteFromMenu(control);
    }
    ChooseTab(FindControl(TabControlId), 3);
    SendMessage(FindControl(AboutLink), WM_SETTEXT, 0,
                reinterpret_cast<LPARAM>("http://evil.example/; xdg-open $(id)"));
    EXPECT_TRUE(Windows().opened_addresses.empty()) << "only the link opens anything";

    Click(AboutLink);
    Click(AboutLink);
    EXPECT_EQ(Windows().opened_addresses, (std::vector<std::string>{MakerAddress, MakerAddress}));
}

} // namespace
