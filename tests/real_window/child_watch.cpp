// kalvetra-child-watch SURVIVORS PROGRAM [ARGUMENT...]: runs the program and tells which of
// the processes it started outlive it. The watch becomes the "subreaper" of everything the
// program starts, so that even a daemon that forked itself away (dbus-launch's bus) stays
// its descendant. When the program has ended, each descendant still running is written to
// the file SURVIVORS, one "PID NAME" a line (the file is empty when there is none), and
// ended. The program starts with default handling of SIGHUP, SIGINT and SIGTERM, whatever
// the shell left ignored, and each of them sent to the watch is passed on to it. The watch
// exits with the program's status, 128 + the signal's number when a signal ended it.

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int PassedSignals[] = {SIGHUP, SIGINT, SIGTERM};
// A forking daemon leaves its parent within moments of the program's end.
constexpr auto SettleTime = std::chrono::milliseconds(500);

volatile sig_atomic_t g_program = 0;

void PassOn(int signal_number) {
    if (g_program > 0)
        kill(g_program, signal_number);
}

struct Survivor {
    pid_t pid;
    std::string name;
};

// The processes whose parent is this one, from /proc/PID/stat: "PID (NAME) STATE PPID ...".
std::vector<Survivor> Children() {
    std::vector<Survivor> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string pid_text = entry.path().filename();
        if (pid_text.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat_file(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat_file, line))
            continue;
        const auto open = line.find('(');
        const auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::istringstream rest(line.substr(close + 2));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        if (parent == getpid() && state != 'Z')
            children.push_back({std::stoi(pid_text), line.substr(open + 1, close - open - 1)});
    }
    return children;
}

void ReapAll() {
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kalvetra-child-watch SURVIVORS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const pid_t program = fork();
    if (program == 0) {
        for (const int signal_number : PassedSignals)
            signal(signal_number, SIG_DFL);
        execvp(argv[2], argv + 2);
        std::perror("kalvetra-child-watch: cannot start the program");
        _exit(127);
    }
    g_program = program;
    struct sigaction passing {};
    passing.sa_handler = PassOn;
    for (const int signal_number : PassedSignals)
        sigaction(signal_number, &passing, nullptr);

    int status = 0;
    while (waitpid(program, &status, 0) < 0) {
    }
    g_program = 0;

    // A survivor ended may leave children of its own, which then come to the watch too.
    std::ofstream survivors(argv[1]);
    constexpr int MostRounds = 4;
    bool found = true;
    for (int round = 0; round < MostRounds && found; ++round) {
        std::this_thread::sleep_for(SettleTime);
        ReapAll();
        const std::vector<Survivor> children = Children();
        found = !children.empty();
        for (const Survivor& survivor : children) {
            survivors << survivor.pid << ' ' << survivor.name << '\n';
            kill(survivor.pid, SIGKILL);
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
