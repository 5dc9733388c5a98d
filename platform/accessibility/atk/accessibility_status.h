#pragma once

// Whether the session wants assistive technology: the accessibility bus's org.a11y.Status
// properties IsEnabled and ScreenReaderEnabled, read on the session bus and followed as
// they change (PropertiesChanged, and the bus's owner coming and going). A helper thread
// asks and listens, blocked in poll in between; it never starts the accessibility bus
// itself (no auto-start) and never starts a session bus either.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

// The session bus to ask: DBUS_SESSION_BUS_ADDRESS, else the user's bus socket under
// XDG_RUNTIME_DIR; nullopt without either, or when NO_AT_BRIDGE=1 asks for no bridge.
std::optional<std::string> SessionBusForAccessibility();

class AccessibilityStatusWatch {
  public:
    // changed is called on the helper thread whenever is_wanted() may have changed.
    AccessibilityStatusWatch(std::string session_bus, std::function<void()> changed);
    ~AccessibilityStatusWatch();
    AccessibilityStatusWatch(const AccessibilityStatusWatch&) = delete;
    AccessibilityStatusWatch& operator=(const AccessibilityStatusWatch&) = delete;

    // Either property is true; false until the first answer, and when there is none.
    bool is_wanted() const { return m_is_wanted.load(); }

  private:
    void watch(const std::string& session_bus);

    std::function<void()> m_changed;
    std::atomic<bool> m_is_wanted = false;
    int m_stop; // an eventfd that ends the watch
    std::thread m_thread;
};
