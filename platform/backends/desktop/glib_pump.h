#pragma once

// Runs a GLib main context on the user-interface thread without a loop of its own:
// a helper thread only waits (poll) on the file descriptors that the context asks to watch,
// for as long as the context's own timeout says, and when one is ready wakes the
// user-interface thread, which then dispatches what is ready, one message at a time like
// everything else. No timer and no polling interval of its own: while nothing comes, both
// threads sleep.

#include <glib.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class GlibPump {
  public:
    // wake is called on the helper thread when the context has something to dispatch.
    GlibPump(GMainContext* context, std::function<void()> wake);
    ~GlibPump();
    GlibPump(const GlibPump&) = delete;
    GlibPump& operator=(const GlibPump&) = delete;

    // On the user-interface thread, whenever it is about to wait: dispatches what is ready
    // and hands the helper what to wait for next.
    void run_pending();

  private:
    enum class Waiter { Idle, Polling, Done, Stopping };

    void wait_loop();
    void take_back_poll(std::unique_lock<std::mutex>& lock);

    GMainContext* m_context;
    std::function<void()> m_wake;
    int m_interrupt; // an eventfd that ends the helper's poll early
    bool m_has_query = false;
    gint m_priority = 0;
    gint m_timeout = -1;
    std::vector<GPollFD> m_fds;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    Waiter m_waiter = Waiter::Idle;
    std::vector<GPollFD> m_polled; // the helper's copy, with what poll found
    std::thread m_thread;
};
