#pragma once

// A stand-in for the desktop's portal, for tests: on a session bus it owns
// org.freedesktop.portal.Desktop and answers the Settings interface's ReadOne and Read for
// org.freedesktop.appearance's color-scheme and contrast with values the test sets, and
// emits SettingChanged when the test changes one. Like an older portal it can lack ReadOne or
// the contrast key, and like a slow one it can answer late. It runs on GLib's default main
// context; starting the bus is the test's.

#include <gio/gio.h>

#include <atomic>
#include <cstdint>
#include <string>

class PortalStandIn {
  public:
    struct Options {
        std::uint32_t color_scheme = 0; // 0 none, 1 prefer dark, 2 prefer light
        std::uint32_t contrast = 0;     // 0 normal, 1 high
        bool has_read_one = true;       // older portals have only Read
        bool has_contrast = true;       // older portals do not know the key
        unsigned answer_delay_ms = 0;
    };

    // Exports the settings object on connection and asks for the portal's name.
    PortalStandIn(GDBusConnection* connection, const Options& options);
    ~PortalStandIn();
    PortalStandIn(const PortalStandIn&) = delete;
    PortalStandIn& operator=(const PortalStandIn&) = delete;

    bool owns_name() const { return m_owns_name; }
    // Sets color-scheme or contrast and tells the bus; false for another key.
    bool set(const std::string& key, std::uint32_t value);

  private:
    static void on_method_call(GDBusConnection* connection, const gchar* sender, const gchar* path,
                               const gchar* interface, const gchar* method, GVariant* parameters,
                               GDBusMethodInvocation* invocation, gpointer data);
    void answer(GDBusMethodInvocation* invocation, const gchar* method, GVariant* parameters);

    GDBusConnection* m_connection;
    Options m_options;
    GDBusNodeInfo* m_introspection = nullptr;
    unsigned m_registration = 0;
    unsigned m_name = 0;
    std::atomic<bool> m_owns_name = false; // set where the stand-in serves, read anywhere
};
