#include "platform/backends/desktop/ending_signals.h"

#include <pthread.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int EndingSignalNumbers[] = {SIGHUP, SIGINT, SIGTERM};

bool HasDefaultHandling(int signal_number) {
    struct sigaction current;
    return sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_DFL;
}

} // namespace

EndingSignals::EndingSignals() {
    sigemptyset(&m_signals);
    for (const int signal_number : EndingSignalNumbers) {
        if (HasDefaultHandling(signal_number)) {
            sigaddset(&m_signals, signal_number);
            m_has_signals = true;
        }
    }
    pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
}

EndingSignals::~EndingSignals() {
    stop_delivering();
}

void EndingSignals::stop_delivering() {
    if (!m_waiter.joinable())
        return;
    // The signal only wakes the waiter, which sees that it is to stop.
    m_is_stopping = true;
    for (const int signal_number : EndingSignalNumbers) {
        if (sigismember(&m_signals, signal_number)) {
            pthread_kill(m_waiter.native_handle(), signal_number);
            break;
        }
    }
    m_waiter.join();
}

void EndingSignals::start_delivering(Deliver deliver) {
    if (!m_has_signals || m_waiter.joinable())
        return;
    m_deliver = std::move(deliver);
    m_waiter = std::thread([this] {
        for (;;) {
            int signal_number = 0;
            if (sigwait(&m_signals, &signal_number) != 0)
                return;
            if (m_is_stopping)
                return;
            m_deliver(signal_number);
        }
    });
}

std::string SignalName(int signal_number) {
    const char* abbreviation = sigabbrev_np(signal_number);
    return abbreviation != nullptr ? std::string("SIG") + abbreviation
                                   : "signal " + std::to_string(signal_number);
}

void ReportEndingSignal(int signal_number) {
    std::fprintf(stderr, "%s: ended by %s\n", program_invocation_short_name,
                 SignalName(signal_number).c_str());
}
