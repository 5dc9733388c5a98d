// The soak: millions of random user and desktop actions (tests/fuzz/user_actions.h) played
// into the headless main window, every rule of tests/fuzz/window_invariants.h checked
// after each (results and keystrokes against the models of the pages), and the resident
// memory reported at intervals, as it runs and once the program is brought to rest. Memory
// at rest must stay flat once the program has warmed up: a leak or an ever-growing record
// shows as growth. It runs with glibc's per-thread allocator cache off (see
// RestartWithoutAllocatorCache).
//
//   kalvetra-soak [--actions N] [--report-every N] [--seed N] [--flat-within PERCENT]
//   kalvetra-soak --replay FILE [--trace]
//
// --flat-within fails the run (exit 1) when memory at rest in a report after the first
// differs from the first by more than PERCENT. --replay plays a fuzzer input instead of random
// actions, as the main window's fuzz target does, and --trace prints each action; together they
// retrace a crash that the fuzzer found, in an ordinary build.

#include "byte_source.h"
#include "main_window_fields.h"
#include "user_session.h"

#include "platform/backends/headless/headless_backend.h"
#include "platform/controls/edit/edit_state.h"
#include "platform/core/window.h"
#include "platform/core/window_system.h"
#include "testing/simulated_user.h"

#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Settings {
    std::uint64_t actions = 10'000'000;
    std::uint64_t report_every = 1'000'000;
    std::uint64_t seed = 1;
    double flat_within = -1; // percent; negative: not checked
    std::string replay;
    bool is_tracing = false;
};

[[noreturn]] void Usage() {
    std::fprintf(stderr, "usage: kalvetra-soak [--actions N] [--report-every N] [--seed N] "
                         "[--flat-within PERCENT]\n       kalvetra-soak --replay FILE [--trace]\n");
    std::exit(2);
}

Settings ReadSettings(int count, char** arguments) {
    Settings settings;
    for (int index = 1; index < count; ++index) {
        const std::string name = arguments[index];
        if (name == "--trace") {
            settings.is_tracing = true;
            continue;
        }
        if (index + 1 >= count)
            Usage();
        const char* value = arguments[++index];
        if (name == "--actions")
            settings.actions = std::strtoull(value, nullptr, 10);
        else if (name == "--report-every")
            settings.report_every = std::strtoull(value, nullptr, 10);
        else if (name == "--seed")
            settings.seed = std::strtoull(value, nullptr, 10);
        else if (name == "--flat-within")
            settings.flat_within = std::strtod(value, nullptr);
        else if (name == "--replay")
            settings.replay = value;
        else
            Usage();
    }
    if (settings.report_every == 0)
        Usage();
    return settings;
}

// What the program holds of the heap: the allocator keeps pages it was given even after
// they are freed, so resident memory can step up with fragmentation where nothing leaks;
// the bytes in use tell the two apart.
long HeapInUseKilobytes() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Brings the program to the same resting state at every report: every field and the
// clipboard emptied, as a user who cleared them leaves it, and the allocator's free pages
// given back to the system. What stays resident then is what the program holds on to, so a
// leak or an ever-growing record shows as growth, while a 64 KiB paste that happens to sit
// in a field at the moment of a report does not.
void ComeToRest() {
    // Emptied, not set to "": a string given a short text keeps its long buffer.
    auto& backend = static_cast<HeadlessBackend&>(*Windows().backend);
    backend.set_clipboard_contents(std::nullopt);
    backend.set_clipboard("");
    for (const FieldInfo& field : Fields()) {
        HWND control = FindControl(field.id);
        if (IsLive(control)) {
            // An emptied field gives back the buffer of the longest text it held.
            SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        }
    }
    malloc_trim(0);
}

std::string Described(const ModelChecks& checks) {
    return "the models checked " + std::to_string(checks.results) + " results and " +
           std::to_string(checks.field_messages) + " keystroke and clipboard messages";
}

int Replay(const Settings& settings) {
    std::ifstream file(settings.replay, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "kalvetra-soak: cannot read %s\n", settings.replay.c_str());
        return 2;
    }
    const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    InputBytes bytes(input);
    SessionOptions options;
    if (settings.is_tracing)
        options.after_action = [](std::uint64_t performed, const Action& action) {
            std::printf("%llu %s\n", static_cast<unsigned long long>(performed),
                        action.description.c_str());
            HWND field = FindField(action.target) != nullptr ? FindControl(action.target) : nullptr;
            if (IsLive(field))
                std::printf("    field %d now holds %zu bytes: %.60s\n", action.target,
                            EditStateOf(field).text.size(), EditStateOf(field).text.c_str());
        };
    ModelChecks checks;
    options.model_checks = &checks;
    const std::uint64_t performed = RunSession(bytes, options);
    std::printf("%llu actions, every rule held; %s\n", static_cast<unsigned long long>(performed),
                Described(checks).c_str());
    return 0;
}

} // namespace

// glibc's per-thread cache keeps up to seven freed blocks of each small size for reuse, and
// counts them as in use and keeps their pages resident. Over millions of actions it fills
// with blocks of rarer sizes, up to a few hundred KiB, which would read as growth; so the
// soak starts itself again with the cache off, and what it measures is what the program
// holds. Should that fail it runs on with the cache, and says so.
constexpr const char* CacheOffTunable = "glibc.malloc.tcache_count=0";

bool AllocatorCacheOff() {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    return tunables != nullptr && std::strstr(tunables, CacheOffTunable) != nullptr;
}

void RestartWithoutAllocatorCache(char** arguments) {
    if (AllocatorCacheOff())
        return;
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const std::string value =
        (tunables != nullptr ? std::string(tunables) + ":" : std::string()) + CacheOffTunable;
    setenv("GLIBC_TUNABLES", value.c_str(), 1);
    execv("/proc/self/exe", arguments);
    std::printf("cannot start again without the allocator's cache (%s): the figures include "
                "it\n",
                std::strerror(errno));
}

int main(int count, char** arguments) {
    const Settings settings = ReadSettings(count, arguments);
    if (!settings.replay.empty())
        return Replay(settings);
    RestartWithoutAllocatorCache(arguments);
    std::printf("the allocator's per-thread cache is %s\n", AllocatorCacheOff() ? "off" : "on");

    GeneratedBytes bytes(settings.seed);
    SessionOptions options;
    options.most_actions = settings.actions;
    long first = -1;
    double widest = 0;
    const auto start = std::chrono::steady_clock::now();
    options.after_action = [&](std::uint64_t performed, const Action&) {
        if (performed % settings.report_every != 0)
            return;
        const long running = ResidentKilobytes();
        ComeToRest();
        const long resident = ResidentKilobytes();
        if (first < 0)
            first = resident;
        const double change = 100.0 * static_cast<double>(resident - first) / first;
        widest = std::max(widest, std::abs(change));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("actions %10llu  VmRSS %7ld kB running, %7ld kB at rest  %+6.2f %% since "
                    "the first report  heap in use %6ld kB  %7.1f s\n",
                    static_cast<unsigned long long>(performed), running, resident, change,
                    HeapInUseKilobytes(), elapsed.count());
        std::fflush(stdout);
    };
    ModelChecks checks;
    options.model_checks = &checks;
    const std::uint64_t performed = RunSession(bytes, options);
    std::printf("%llu actions, every rule held; %s; resident memory at rest within %.2f "
                "%% of the first report\n",
                static_cast<unsigned long long>(performed), Described(checks).c_str(), widest);
    if (settings.flat_within >= 0 && widest > settings.flat_within) {
        std::printf("memory is not flat: more than %.2f %%\n", settings.flat_within);
        return 1;
    }
    return 0;
}
