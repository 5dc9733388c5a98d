#include "platform/backends/headless/headless_backend.h"

bool HeadlessBackend::open_window(const WindowSpec& spec) {
    if (!m_open_failure.empty()) {
        m_error = m_open_failure;
        return false;
    }
    m_window = spec;
    m_is_open = true;
    return true;
}

void HeadlessBackend::present(const DrawList&) {
    ++m_presented;
}

bool HeadlessBackend::wait_event(InputEvent& event, int) {
    if (m_events.empty()) {
        return false;
    }
    event = std::move(m_events.front());
    m_events.pop_front();
    return true;
}
