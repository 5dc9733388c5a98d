#pragma once

// Runs the script protocol's commands, one line at a time, against the real main window
// and pages: each command acts as a user would (typing, keys, clicks, the context menu) or
// reads what a user would see. A malformed line or an unknown id ends the run with exit
// code 2 and "line N: …" on standard error.

#include <functional>
#include <iosfwd>
#include <string>

// Saves what the window shows as a PNG file; empty where there is no picture to save.
using ScreenshotSaver = std::function<bool(const std::string& path)>;

// The script to run: the file at `path`, opened into `file`, or standard input when `path`
// is null. Null, with "kalvetra-script: cannot read PATH" on standard error, when the file
// cannot be read.
std::istream* OpenScript(const char* path, std::ifstream& file);

class ScriptRunner {
  public:
    ScriptRunner(std::istream& input, std::ostream& output, ScreenshotSaver save_screenshot);

    // Runs the next command; false at the end of the input.
    bool step();
    int line_number() const { return m_line_number; }

  private:
    void run(const std::string& line);
    [[noreturn]] void fail(const std::string& why);

    std::istream& m_input;
    std::ostream& m_output;
    ScreenshotSaver m_save_screenshot;
    int m_line_number = 0;
};
