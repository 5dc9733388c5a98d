#include "platform/backends/desktop/url_launcher.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string_view>
#include <thread>

extern char** environ;

namespace {

constexpr std::string_view OpenerProgram = "xdg-open";

} // namespace

std::optional<std::string> FindUrlOpener() {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::size_t end = rest.find(':');
        const std::string_view folder = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!folder.starts_with('/'))
            continue;
        std::string candidate(folder);
        if (!candidate.ends_with('/'))
            candidate += '/';
        candidate += OpenerProgram;
        struct stat status;
        if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

bool LaunchUrlOpener(const std::string& opener, const std::string& address) {
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // The opener starts with no signal blocked and with default handling of the signals that
    // this process or its libraries may have changed.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    char* arguments[] = {const_cast<char*>(opener.c_str()), const_cast<char*>(address.c_str()),
                         nullptr};
    pid_t child = 0;
    const int failure =
        posix_spawn(&child, opener.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0)
        return false;
    // Reaps this one child, and only it, without holding up the user interface or touching
    // how the rest of the program handles SIGCHLD.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

bool OpenUrl(const std::optional<std::string>& opener, const std::string& address,
             std::string& error) {
    if (!opener) {
        error = "cannot open " + address + ": no xdg-open in an absolute folder of PATH";
        return false;
    }
    if (LaunchUrlOpener(*opener, address))
        return true;
    error = "cannot start " + *opener + " for " + address;
    return false;
}
