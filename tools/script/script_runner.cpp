#include "tools/script/script_runner.h"

#include "app/main_dialog.h"
#include "platform/text/clipboard.h"
#include "testing/simulated_desktop.h"
#include "testing/simulated_user.h"
#include "tools/script/script_text.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <utility>

namespace {

struct KeyName {
    std::string_view name;
    unsigned key;
    Modifier modifiers;
};

constexpr KeyName KeyNames[] = {
    {"enter", VK_RETURN, Modifier::None},
    {"escape", VK_ESCAPE, Modifier::None},
    {"tab", VK_TAB, Modifier::None},
    {"shift+tab", VK_TAB, Modifier::Shift},
    {"ctrl+tab", VK_TAB, Modifier::Control},
    {"backspace", VK_BACK, Modifier::None},
    {"delete", VK_DELETE, Modifier::None},
    {"left", VK_LEFT, Modifier::None},
    {"right", VK_RIGHT, Modifier::None},
    {"home", VK_HOME, Modifier::None},
    {"end", VK_END, Modifier::None},
    {"space", VK_SPACE, Modifier::None},
    {"shift+left", VK_LEFT, Modifier::Shift},
    {"shift+right", VK_RIGHT, Modifier::Shift},
    {"shift+home", VK_HOME, Modifier::Shift},
    {"shift+end", VK_END, Modifier::Shift},
    {"ctrl+a", 'A', Modifier::Control},
    {"ctrl+c", 'C', Modifier::Control},
    {"ctrl+v", 'V', Modifier::Control},
    {"ctrl+x", 'X', Modifier::Control},
    {"ctrl+z", 'Z', Modifier::Control},
    {"shift+insert", VK_INSERT, Modifier::Shift},
    {"ctrl+insert", VK_INSERT, Modifier::Control},
    {"shift+delete", VK_DELETE, Modifier::Shift},
};

// Splits "word rest": the rest is everything after the first single space.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view line) {
    std::size_t space = line.find(' ');
    if (space == std::string_view::npos) {
        return {line, {}};
    }
    return {line.substr(0, space), line.substr(space + 1)};
}

// The control's whole text, as a user reads it off the screen.
std::string ControlText(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLength(control)) + 1, '\0');
    LRESULT copied = SendMessage(control, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::optional<int> ParseNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ScriptRunner::ScriptRunner(std::istream& input, std::ostream& output,
                           ScreenshotSaver save_screenshot)
    : m_input(input), m_output(output), m_save_screenshot(std::move(save_screenshot)) {}

// The message quotes pieces of the line; they are escaped, so that no byte of the script
// reaches the terminal raw.
void ScriptRunner::fail(const std::string& why) {
    m_output.flush();
    std::cerr << "line " << m_line_number << ": " << EscapeScriptLine(why) << std::endl;
    std::exit(2);
}

bool ScriptRunner::next_command(std::string& line) {
    while (std::getline(m_input, line)) {
        ++m_line_number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() != '#') {
            return true;
        }
    }
    if (m_input.bad()) {
        ++m_line_number;
        fail("cannot read the script");
    }
    return false;
}

bool ScriptRunner::step() {
    std::string line;
    if (!next_command(line)) {
        return false;
    }
    run(line);
    m_output.flush();
    return true;
}

void ScriptRunner::expect_end() {
    std::string line;
    if (next_command(line)) {
        fail("\"" + std::string(SplitWord(line).first) + "\" after the main window closed");
    }
}

void ScriptRunner::run(const std::string& line) {
    // Named variables rather than a structured binding: the lambdas below use them, and
    // clang before version 16 cannot capture a structured binding.
    const auto [command_word, rest_of_line] = SplitWord(line);
    const std::string_view command = command_word;
    const std::string_view rest = rest_of_line;
    auto control_argument = [&]() -> std::pair<HWND, std::string_view> {
        auto [id_text, text] = SplitWord(rest);
        std::optional<int> id = ParseNumber(id_text);
        if (!id) {
            fail("expected a control id, found \"" + std::string(id_text) + "\"");
        }
        HWND control = FindControl(*id);
        if (control == nullptr) {
            fail("unknown control id " + std::to_string(*id));
        }
        return {control, text};
    };
    auto characters_of = [&](std::string_view text) {
        std::optional<std::vector<ScriptCharacter>> characters = ParseScriptText(text);
        if (!characters) {
            fail("malformed text \"" + std::string(text) + "\"");
        }
        return *characters;
    };
    auto no_argument = [&] {
        if (!rest.empty()) {
            fail("\"" + std::string(command) + "\" takes no argument");
        }
    };

    if (command == "tab") {
        std::optional<int> index = ParseNumber(rest);
        if (!index || *index < 0 || *index >= PageCount) {
            fail("expected a tab from 0 to 3");
        }
        ClickTab(TabHandle, *index);
    } else if (command == "type") {
        auto [control, text] = control_argument();
        FocusAsClick(control);
        for (const ScriptCharacter& character : characters_of(text)) {
            if (character.byte) {
                TypeBytes(std::string(1, static_cast<char>(*character.byte)));
            } else {
                // The display refuses a character that code page 1254 cannot hold.
                MessageBeep(0xFFFFFFFF);
            }
        }
    } else if (command == "key") {
        auto [control, name] = control_argument();
        for (const KeyName& key : KeyNames) {
            if (key.name == name) {
                FocusAsClick(control);
                PressKey(key.key, key.modifiers);
                return;
            }
        }
        fail("unknown key \"" + std::string(name) + "\"");
    } else if (command == "paste") {
        auto [control, text] = control_argument();
        const std::vector<ScriptCharacter> characters = characters_of(text);
        if (!PutOnClipboard(JoinScriptText(characters), ScriptCodePoints(characters))) {
            fail("the clipboard cannot hold that text here");
        }
        FocusAsClick(control);
        if (!PasteFromContextMenu(control)) {
            fail("control " + std::to_string(GetDlgCtrlID(control)) + " has no paste menu");
        }
    } else if (command == "set") {
        auto [control, text] = control_argument();
        std::optional<std::string> bytes = JoinScriptText(characters_of(text));
        if (!bytes) {
            fail("text not in code page 1254");
        }
        SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes->c_str()));
    } else if (command == "click") {
        auto [control, text] = control_argument();
        if (!text.empty()) {
            fail("\"click\" takes only an id");
        }
        ClickControl(control);
    } else if (command == "get") {
        auto [control, text] = control_argument();
        m_output << EscapeForPrinting(ControlText(control)) << '\n';
    } else if (command == "checked") {
        auto [control, text] = control_argument();
        m_output << (SendMessage(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0) << '\n';
    } else if (command == "focus") {
        no_argument();
        HWND focus = GetFocus();
        m_output << (focus != nullptr ? GetDlgCtrlID(focus) : 0) << '\n';
    } else if (command == "page") {
        no_argument();
        m_output << CurrentPage << '\n';
    } else if (command == "beeps") {
        no_argument();
        m_output << BeepsHeard() << '\n';
    } else if (command == "clipboard") {
        no_argument();
        m_output << EscapeForPrinting(ReadClipboardText().value_or("")) << '\n';
    } else if (command == "opened") {
        no_argument();
        for (const std::string& address : AddressesOpened()) {
            m_output << EscapeForPrinting(address) << '\n';
        }
    } else if (command == "shot") {
        if (!m_save_screenshot) {
            fail("\"shot\" needs --sdl");
        }
        if (rest.empty()) {
            fail("\"shot\" needs a file name");
        }
        if (!m_save_screenshot(std::string(rest))) {
            fail("cannot save " + std::string(rest));
        }
    } else if (command == "close") {
        no_argument();
        CloseFromTitleBar();
    } else {
        fail("unknown command \"" + std::string(command) + "\"");
    }
}

std::istream* OpenScript(const char* path, std::ifstream& file) {
    if (path == nullptr)
        return &std::cin;
    // A folder opens as a file would on some systems and reads as nothing.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << "kalvetra-script: " << path << " is a folder, not a script\n";
        return nullptr;
    }
    file.open(path);
    if (!file) {
        std::cerr << "kalvetra-script: cannot read " << path << ": " << std::strerror(errno)
                  << "\n";
        return nullptr;
    }
    return &file;
}
