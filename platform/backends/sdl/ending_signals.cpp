#include "platform/backends/sdl/ending_signals.h"

#include <pthread.h>

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

void EndingSignals::start_delivering() {
    if (!m_has_signals || m_waiter.joinable())
        return;
    m_event_type = SDL_RegisterEvents(1);
    if (m_event_type == static_cast<Uint32>(-1)) {
        m_event_type = 0;
        return;
    }
    m_waiter = std::thread([this] {
        for (;;) {
            int signal_number = 0;
            if (sigwait(&m_signals, &signal_number) != 0)
                return;
            if (m_is_stopping)
                return;
            SDL_Event event{};
            event.type = m_event_type;
            event.user.code = signal_number;
            SDL_PushEvent(&event);
        }
    });
}

std::string SignalName(int signal_number) {
    const char* abbreviation = sigabbrev_np(signal_number);
    return abbreviation != nullptr ? std::string("SIG") + abbreviation
                                   : "signal " + std::to_string(signal_number);
}
