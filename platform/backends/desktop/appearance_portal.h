#pragma once

// The desktop's appearance as the freedesktop portal's Settings tell it on the session bus:
// org.freedesktop.appearance's color-scheme (1: prefer dark) and contrast (1: high), read
// once and then followed through the portal's SettingChanged signal. It connects to the bus
// at once, which takes a few round trips to the bus daemon but never waits for the portal:
// the answers and the signals come on a GLib main context of its own, dispatched on the
// user-interface thread by wait_for_answer while the program starts, and afterwards by
// dispatch, woken through the backend's loop (follow_changes). It never starts a bus. Which palette
// the window system then takes, and when it repaints, is the backend's and the window system's
// business.

#include "platform/backends/desktop/glib_pump.h"
#include "platform/paint/colour_scheme.h"

#include <gio/gio.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class AppearancePortal {
  public:
    // Connects to the session bus (none: the scheme stays Classic) and sends the questions.
    // changed is called on the main context whenever what the portal says changes the scheme.
    explicit AppearancePortal(std::function<void()> changed);
    ~AppearancePortal();
    AppearancePortal(const AppearancePortal&) = delete;
    AppearancePortal& operator=(const AppearancePortal&) = delete;

    // What the portal's answers ask for: Classic until it has answered both questions, and
    // where there is no portal.
    ColourScheme scheme() const;
    // Dispatches GLib's default main context until the portal has answered both questions
    // (or no answer can come), but not past the deadline; answers already in are taken
    // whatever the time.
    void wait_for_answer(std::chrono::steady_clock::time_point deadline);
    // Both questions answered (an error is an answer), or none can be: no bus.
    bool has_answered() const { return m_unanswered == 0; }
    // From now on a helper thread waits for the portal's signals and calls wake, from that
    // thread, when there is something to dispatch; the loop then calls dispatch before it
    // waits again. Without a bus there is nothing to follow.
    void follow_changes(std::function<void()> wake);
    // On the user-interface thread: takes what came (the changed callback may run).
    void dispatch();

  private:
    // ReadOne, and Read for portals older than it, which wraps the value in one more variant.
    enum class Method { ReadOne, Read };
    struct Question;

    static void on_read(GObject* source, GAsyncResult* result, gpointer data);
    static void on_setting_changed(GDBusConnection* connection, const gchar* sender,
                                   const gchar* path, const gchar* interface, const gchar* signal,
                                   GVariant* parameters, gpointer data);

    void ask(const char* key, Method method);
    // Runs the context once, waiting for something to come only when asked to.
    void iterate(bool may_block);
    // A value of one of the two keys.
    void take(const char* key, GVariant* value);
    // Once both keys are answered, takes the scheme they ask for, and tells of a change.
    void follow();

    std::function<void()> m_changed;
    GMainContext* m_context = nullptr;
    std::unique_ptr<GlibPump> m_pump;
    GCancellable* m_cancellable = nullptr;
    GDBusConnection* m_connection = nullptr;
    unsigned m_subscription = 0;
    int m_outstanding = 0; // questions whose answers are still to be dispatched
    int m_unanswered = 2;  // of color-scheme and contrast
    std::uint32_t m_color_scheme = 0;
    std::uint32_t m_contrast = 0;
    ColourScheme m_scheme = ColourScheme::Classic;
};
