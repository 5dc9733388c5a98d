#include "platform/backends/desktop/glib_pump.h"

#include <algorithm>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

GlibPump::GlibPump(GMainContext* context, std::function<void()> wake)
    : m_context(context), m_wake(std::move(wake)),
      m_interrupt(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    g_main_context_acquire(m_context);
    m_thread = std::thread([this] { wait_loop(); });
}

GlibPump::~GlibPump() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_waiter = Waiter::Stopping;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_interrupt, &one, sizeof one);
    m_changed.notify_all();
    m_thread.join();
    close(m_interrupt);
    g_main_context_release(m_context);
}

// Ends the helper's poll, if it is in one, and waits until it has let go of the descriptors.
void GlibPump::take_back_poll(std::unique_lock<std::mutex>& lock) {
    if (m_waiter != Waiter::Polling) {
        return;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_interrupt, &one, sizeof one);
    m_changed.wait(lock, [this] { return m_waiter != Waiter::Polling; });
}

void GlibPump::run_pending() {
    std::unique_lock<std::mutex> lock(m_mutex);
    take_back_poll(lock);
    if (m_waiter == Waiter::Done) {
        for (std::size_t index = 0; index < m_fds.size(); ++index) {
            m_fds[index].revents = m_polled[index].revents;
        }
    }
    m_waiter = Waiter::Idle;
    lock.unlock();

    if (m_has_query) {
        g_main_context_check(m_context, m_priority, m_fds.data(), static_cast<gint>(m_fds.size()));
        g_main_context_dispatch(m_context);
    }
    g_main_context_prepare(m_context, &m_priority);
    m_fds.resize(std::max<std::size_t>(m_fds.size(), 16));
    gint count = 0;
    while ((count = g_main_context_query(m_context, m_priority, &m_timeout, m_fds.data(),
                                         static_cast<gint>(m_fds.size()))) >
           static_cast<gint>(m_fds.size())) {
        m_fds.resize(static_cast<std::size_t>(count));
    }
    m_fds.resize(static_cast<std::size_t>(count));
    m_has_query = true;

    lock.lock();
    m_polled = m_fds;
    m_waiter = Waiter::Polling;
    m_changed.notify_all();
}

void GlibPump::wait_loop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(
            lock, [this] { return m_waiter == Waiter::Polling || m_waiter == Waiter::Stopping; });
        if (m_waiter == Waiter::Stopping) {
            return;
        }
        std::vector<GPollFD> fds = m_polled;
        fds.push_back({m_interrupt, G_IO_IN, 0});
        const gint timeout = m_timeout;
        lock.unlock();

        g_poll(fds.data(), static_cast<guint>(fds.size()), timeout);
        const bool is_interrupted = (fds.back().revents & G_IO_IN) != 0;
        if (is_interrupted) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t read_bytes = read(m_interrupt, &count, sizeof count);
        }

        lock.lock();
        if (m_waiter == Waiter::Stopping) {
            return;
        }
        fds.pop_back();
        m_polled = std::move(fds);
        m_waiter = Waiter::Done;
        m_changed.notify_all();
        // Interrupted, the user-interface thread is taking the descriptors back itself.
        if (!is_interrupted) {
            lock.unlock();
            m_wake();
            lock.lock();
        }
    }
}
