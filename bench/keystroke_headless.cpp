// Time per typed character in the real main window on the headless backend: the window
// system, the edit control, the keystroke filters and the pages' reactions, without a
// display. Each benchmark types into one field and then deletes what it typed with
// Backspace, so the field stays the same length from iteration to iteration; a character
// is one WM_CHAR typed or one Backspace pressed (key down and key up), each delivered
// through DispatchInput as the display's events are. The "+frame" variants also paint the
// frame after every character, as the modal loop does before it waits again (the headless
// backend only counts what it is given, so no pixels are drawn).
//
// The target is under 5 microseconds per character, judged on each benchmark's median.

#include "app/main_dialog.h"
#include "pages/about_page.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/controls/control_classes.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "testing/headless_windows.h"
#include "testing/simulated_user.h"
#include "testing/window_text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr double TargetSecondsPerCharacter = 5e-6;
constexpr int Repetitions = 11;
constexpr double MinimumSecondsPerRepetition = 0.2;
constexpr int LongestDeletion = 16;

struct Field {
    const char* name;
    int page; // the tab that shows the field
    int id;
    const char* before; // the field's text while it is not being typed into
    const char* typed;
};

const Field Fields[] = {
    // Onaltılık Değer: each keystroke rewrites the binary, both decimal and the octal fields
    // (4006, 4008, 4010, 4012).
    {"convert_hex_4004", 2, 4004, "89ABCDE", "F"},
    // The first operand of AND: filtered, nothing else follows until "=".
    {"logic_operand_2003", 0, 2003, "1234567", "8"},
    // Byte pairs: the second digit of a pair brings the separating space, and every
    // keystroke rewrites the text field 4016.
    {"convert_pairs_4014", 2, 4014, "4B 61 6C", "76"},
    // The text field, which rewrites the pairs field 4014.
    {"convert_text_4016", 2, 4016, "Kal", "v"},
};

enum class Frame { Skip, Paint };

// What the modal loop does between one input and the next wait.
void PresentIfNeeded() {
    WindowSystem& system = Windows();
    if (system.needs_paint) {
        PaintWindowTree();
        system.backend->present(system.frame);
    }
}

void TypeCharacter(char character, Frame frame) {
    TypeBytes(std::string_view(&character, 1));
    if (frame == Frame::Paint)
        PresentIfNeeded();
}

void PressBackspace(Frame frame) {
    PressKey(VK_BACK);
    if (frame == Frame::Paint)
        PresentIfNeeded();
}

// A fresh main window as the program creates it, on the headless backend.
bool OpenMainWindow() {
    StartHeadlessWindows(&ProgramResources);
    AppInstance = GetModuleHandle(nullptr);
    HandCursor = LoadCursor(nullptr, IDC_HAND);
    CurrentPage = 0;
    return CreateDialogParam(AppInstance, MAKEINTRESOURCE(MainDialogId), nullptr, MainDialog, 0) !=
           nullptr;
}

void TypeAndDelete(benchmark::State& state, const Field& field, Frame frame) {
    if (!OpenMainWindow()) {
        state.SkipWithError("the main window cannot be created");
        return;
    }
    ChooseTab(TabHandle, field.page);
    HWND control = FindControl(field.id);
    FocusAsClick(control);
    TypeBytes(field.before);
    const std::string before = WindowText(control);
    const std::string typed = field.typed;

    // How many Backspaces take the field back to where it was (a typed pair may have
    // brought a separator with it).
    for (char character : typed)
        TypeCharacter(character, frame);
    int deletions = 0;
    while (WindowText(control) != before && deletions < LongestDeletion) {
        PressBackspace(frame);
        ++deletions;
    }
    if (WindowText(control) != before) {
        state.SkipWithError("Backspace does not restore the field");
        return;
    }

    for (auto _ : state) {
        for (char character : typed)
            TypeCharacter(character, frame);
        for (int deletion = 0; deletion < deletions; ++deletion)
            PressBackspace(frame);
    }
    if (WindowText(control) != before)
        state.SkipWithError("the field drifted while measured");
    const double characters =
        static_cast<double>(state.iterations()) * static_cast<double>(typed.size() + deletions);
    state.counters["per_char"] =
        benchmark::Counter(characters, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (frame == Frame::Paint) {
        // The size of the frame each character repaints: every control, not only the one
        // that changed.
        state.counters["draw_commands"] = static_cast<double>(Windows().frame.commands.size());
    }
    state.SetLabel(std::to_string(typed.size()) + " typed + " + std::to_string(deletions) +
                   " backspaces");
    StopWindowSystem();
}

// The console report, keeping each benchmark's median time per character for the verdict.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    struct Median {
        std::string name;
        double seconds_per_character;
    };

    // Colours only for a terminal, so that a saved report reads as plain text.
    MedianReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            const auto counter = run.counters.find("per_char");
            if (counter != run.counters.end())
                m_medians.push_back({run.run_name.function_name, counter->second.value});
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const std::vector<Median>& medians() const { return m_medians; }

  private:
    std::vector<Median> m_medians;
};

} // namespace

int main(int argc, char** argv) {
    for (const Field& field : Fields) {
        for (Frame frame : {Frame::Skip, Frame::Paint}) {
            const std::string name =
                std::string(field.name) + (frame == Frame::Paint ? "+frame" : "");
            benchmark::RegisterBenchmark(name.c_str(), TypeAndDelete, field, frame)
                ->Repetitions(Repetitions)
                ->MinTime(MinimumSecondsPerRepetition)
                ->DisplayAggregatesOnly(true);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    std::printf("Time per character (one WM_CHAR, or one Backspace down and up) in the main "
                "window on the headless backend;\n%d repetitions of at least %.1f s each, "
                "median reported; \"+frame\" also paints the frame after each character.\n",
                Repetitions, MinimumSecondsPerRepetition);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nmedian time per character, target under %.0f us:\n",
                TargetSecondsPerCharacter * 1e6);
    for (const auto& median : reporter.medians()) {
        std::printf("  %-28s %8.3f us   %s\n", median.name.c_str(),
                    median.seconds_per_character * 1e6,
                    median.seconds_per_character < TargetSecondsPerCharacter ? "PASS" : "MISS");
    }
    return 0;
}
