#pragma once

// Turns the signals that ask a program to end (SIGHUP, SIGINT, SIGTERM) into an SDL event, so
// that the window closes as its title bar's close would. A thread of its own takes them with
// sigwait and pushes the event: a signal handler can neither push an event safely nor wake
// SDL's wait for one. A signal that the parent left ignored (nohup, a shell's background job)
// stays ignored, and one that something else in the process handles stays its own. What the
// event does is the backend's.

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <string>
#include <thread>

class EndingSignals {
  public:
    // Blocks the signals in this thread and in every thread started after it, so that only
    // the waiting thread takes them: construct before anything starts a thread.
    EndingSignals();
    ~EndingSignals();
    EndingSignals(const EndingSignals&) = delete;
    EndingSignals& operator=(const EndingSignals&) = delete;

    // From now on each signal pushes an event of a type registered for it, its user.code
    // the signal's number; a signal that came before waits for this. SDL's events must be
    // running.
    void start_delivering();
    // Stops the waiting thread; the signals stay blocked, so one that comes later is lost
    // with the ending program. Must come before SDL's events stop.
    void stop_delivering();
    // The event's type; 0 before start_delivering.
    Uint32 event_type() const { return m_event_type; }

  private:
    sigset_t m_signals;
    bool m_has_signals = false;
    Uint32 m_event_type = 0;
    std::atomic<bool> m_is_stopping = false;
    std::thread m_waiter;
};

// "SIGTERM" for SIGTERM.
std::string SignalName(int signal_number);
