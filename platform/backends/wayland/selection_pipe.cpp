#include "platform/backends/wayland/selection_pipe.h"

#include "platform/backends/desktop/selection_limits.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t PieceSize = 64 * 1024;

void MakeNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Waits until fd is ready for `events` or the deadline passes; false when it passed.
bool WaitReady(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd descriptor{fd, events, 0};
        const int ready = poll(&descriptor, 1, static_cast<int>(left));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

// While one lives, a write into a pipe whose reader has gone fails with EPIPE instead of
// ending the program; the SIGPIPE it raised is taken back before the thread's old mask
// returns.
class PipeSignalHeld {
  public:
    PipeSignalHeld() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
    }
    ~PipeSignalHeld() {
        const timespec now{0, 0};
        while (sigtimedwait(&m_pipe, nullptr, &now) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

  private:
    sigset_t m_pipe;
    sigset_t m_before;
};

} // namespace

std::optional<std::string> ReadSelectionPipe(int fd) {
    MakeNonBlocking(fd);
    const auto transfer_deadline = Clock::now() + SelectionTransferWait;
    std::string text;
    char piece[PieceSize];
    for (;;) {
        const auto deadline = std::min(transfer_deadline, Clock::now() + SelectionAnswerWait);
        if (!WaitReady(fd, POLLIN, deadline))
            return std::nullopt;
        const ssize_t got = read(fd, piece, sizeof piece);
        if (got == 0)
            return text;
        if (got < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (text.size() + static_cast<std::size_t>(got) > LargestClipboardText)
            return std::nullopt;
        text.append(piece, static_cast<std::size_t>(got));
    }
}

void WriteSelectionPipe(int fd, std::string_view text) {
    MakeNonBlocking(fd);
    const PipeSignalHeld held;
    const auto transfer_deadline = Clock::now() + SelectionTransferWait;
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written > 0) {
            text.remove_prefix(static_cast<std::size_t>(written));
        } else if (written < 0 && errno == EAGAIN) {
            const auto deadline = std::min(transfer_deadline, Clock::now() + SelectionAnswerWait);
            if (!WaitReady(fd, POLLOUT, deadline))
                return;
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else {
            return;
        }
    }
}
