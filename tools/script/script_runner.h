#pragma once

// Runs the script protocol's commands, one line at a time, against the real main window
// and pages: each command acts as a user would (typing, keys, clicks, the context menu) or
// reads what a user would see. A malformed line, an unknown id, a script that cannot be
// read or a command after the main window has closed ends the run with exit code 2 and
// "line N: …" on standard error, every byte of the script in it shown as it is written or
// escaped.

#include <functional>
#include <iosfwd>
#include <string>

// Saves what the window shows as a PNG file; empty where there is no picture to save.
using ScreenshotSaver = std::function<bool(const std::string& path)>;

// The script to run: the file at `path`, opened into `file`, or standard input when `path`
// is null. Null, with "kalvetra-script: cannot read PATH: REASON" or "kalvetra-script: PATH
// is a folder, not a script" on standard error, when it cannot be opened as a script.
std::istream* OpenScript(const char* path, std::ifstream& file);

class ScriptRunner {
  public:
    ScriptRunner(std::istream& input, std::ostream& output, ScreenshotSaver save_screenshot);

    // Runs the next command; false at the end of the input.
    bool step();
    // Once the main window has ended: a command left in the script would never run, so it
    // ends the run as a malformed line does.
    void expect_end();
    int line_number() const { return m_line_number; }

  private:
    // The next line that holds a command, without its line break; false at the end.
    bool next_command(std::string& line);
    void run(const std::string& line);
    [[noreturn]] void fail(const std::string& why);

    std::istream& m_input;
    std::ostream& m_output;
    ScreenshotSaver m_save_screenshot;
    int m_line_number = 0;
};
