#pragma once

// Takes the signals that ask a program to end (SIGHUP, SIGINT, SIGTERM) on a thread of its
// own with sigwait and hands each to the backend, so that the window closes as its title
// bar's close would: a signal handler can neither queue an event safely nor wake a wait for
// one. A signal that the parent left ignored (nohup, a shell's background job) stays
// ignored, and one that something else in the process handles stays its own. How the
// backend's event loop learns of it is the backend's.

#include <atomic>
#include <csignal>
#include <functional>
#include <string>
#include <thread>

class EndingSignals {
  public:
    // Called on the waiting thread with the signal's number; it must only wake the event
    // loop (queue an event, write to a descriptor the loop waits on).
    using Deliver = std::function<void(int signal_number)>;

    // Blocks the signals in this thread and in every thread started after it, so that only
    // the waiting thread takes them: construct before anything starts a thread.
    EndingSignals();
    ~EndingSignals();
    EndingSignals(const EndingSignals&) = delete;
    EndingSignals& operator=(const EndingSignals&) = delete;

    // From now on each signal is handed to deliver; a signal that came before waits for this.
    void start_delivering(Deliver deliver);
    // Stops the waiting thread; the signals stay blocked, so one that comes later is lost
    // with the ending program. Must come before whatever deliver uses goes away.
    void stop_delivering();

  private:
    sigset_t m_signals;
    bool m_has_signals = false;
    Deliver m_deliver;
    std::atomic<bool> m_is_stopping = false;
    std::thread m_waiter;
};

// "SIGTERM" for SIGTERM.
std::string SignalName(int signal_number);
// Writes "PROGRAM: ended by SIGTERM" on standard error, as the window closes for it.
void ReportEndingSignal(int signal_number);
