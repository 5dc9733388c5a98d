#include "platform/backends/sdl/url_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <thread>

extern char** environ;

namespace {

constexpr const char* OpenerProgram = "xdg-open";

} // namespace

bool LaunchUrlOpener(const std::string& address) {
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

    char* arguments[] = {const_cast<char*>(OpenerProgram), const_cast<char*>(address.c_str()),
                         nullptr};
    pid_t child = 0;
    const int failure =
        posix_spawnp(&child, OpenerProgram, nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0)
        return false;
    // Reaps this one child, and only it, without holding up the user interface or touching
    // how the rest of the program handles SIGCHLD.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}
