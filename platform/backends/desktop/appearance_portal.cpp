#include "platform/backends/desktop/appearance_portal.h"

#include "platform/backends/desktop/session_bus.h"

#include <cstring>

namespace {

constexpr const char* PortalName = "org.freedesktop.portal.Desktop";
constexpr const char* PortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* SettingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* AppearanceNamespace = "org.freedesktop.appearance";
constexpr const char* ColorSchemeKey = "color-scheme";
constexpr const char* ContrastKey = "contrast";
constexpr std::uint32_t PreferDark = 1;
constexpr std::uint32_t HighContrast = 1;
// A portal that the bus has to start first may take a while; the program does not wait for
// it that long (wait_for_answer), but a late answer is still taken.
constexpr int ReadTimeoutMs = 10000;

bool IsCancelled(const GError* error) {
    return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
}

// A setting's number: the portal sends a uint32; an int32 is taken as well.
std::uint32_t SettingNumber(GVariant* value) {
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32))
        return g_variant_get_uint32(value);
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT32))
        return static_cast<std::uint32_t>(g_variant_get_int32(value));
    return 0;
}

} // namespace

struct AppearancePortal::Question {
    AppearancePortal* portal;
    const char* key;
    Method method;
};

AppearancePortal::AppearancePortal(std::function<void()> changed) : m_changed(std::move(changed)) {
    const std::optional<std::string> address = SessionBusAddress();
    if (!address) {
        m_unanswered = 0;
        return;
    }
    m_context = g_main_context_new();
    m_cancellable = g_cancellable_new();
    // Connecting is a few round trips to the bus, taken here so that the questions leave at
    // once and their answers come in while the program starts; answers that waited for the
    // connection to be dispatched first would only leave when the first frame waits.
    m_connection = g_dbus_connection_new_for_address_sync(
        address->c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, m_cancellable, nullptr);
    if (m_connection == nullptr) {
        m_unanswered = 0;
        return;
    }
    // Listening first, so that no change made while the values are read is missed. Signals
    // come on the context that is the thread's default as the subscription is made.
    g_main_context_push_thread_default(m_context);
    m_subscription = g_dbus_connection_signal_subscribe(
        m_connection, PortalName, SettingsInterface, "SettingChanged", PortalPath,
        AppearanceNamespace, G_DBUS_SIGNAL_FLAGS_NONE, on_setting_changed, this, nullptr);
    g_main_context_pop_thread_default(m_context);
    ask(ColorSchemeKey, Method::ReadOne);
    ask(ContrastKey, Method::ReadOne);
}

AppearancePortal::~AppearancePortal() {
    // Without a bus nothing was made.
    if (m_cancellable == nullptr)
        return;
    m_pump.reset();
    g_cancellable_cancel(m_cancellable);
    // The cancelled calls still report back, with the error that says so, and must find
    // this object alive.
    while (m_outstanding > 0)
        iterate(true);
    if (m_subscription != 0)
        g_dbus_connection_signal_unsubscribe(m_connection, m_subscription);
    if (m_connection != nullptr) {
        g_dbus_connection_close_sync(m_connection, nullptr, nullptr);
        g_object_unref(m_connection);
    }
    g_object_unref(m_cancellable);
    g_main_context_unref(m_context);
}

void AppearancePortal::iterate(bool may_block) {
    g_main_context_iteration(m_context, may_block ? TRUE : FALSE);
}

void AppearancePortal::follow_changes(std::function<void()> wake) {
    if (m_connection == nullptr || m_pump)
        return;
    m_pump = std::make_unique<GlibPump>(m_context, std::move(wake));
    m_pump->run_pending();
}

void AppearancePortal::dispatch() {
    if (m_pump)
        m_pump->run_pending();
}

ColourScheme AppearancePortal::scheme() const {
    return m_scheme;
}

void AppearancePortal::wait_for_answer(std::chrono::steady_clock::time_point deadline) {
    // Answers that came in meanwhile are taken even when the time is up.
    while (!has_answered() && g_main_context_iteration(m_context, FALSE)) {
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (has_answered() || left.count() <= 0)
        return;
    bool is_late = false;
    GSource* timer = g_timeout_source_new(static_cast<guint>(left.count()));
    g_source_set_callback(
        timer,
        [](gpointer data) {
            *static_cast<bool*>(data) = true;
            return G_SOURCE_REMOVE;
        },
        &is_late, nullptr);
    g_source_attach(timer, m_context);
    while (!has_answered() && !is_late)
        iterate(true);
    g_source_destroy(timer);
    g_source_unref(timer);
}

void AppearancePortal::ask(const char* key, Method method) {
    ++m_outstanding;
    // The answer comes on the context that is the thread's default as the call is made.
    g_main_context_push_thread_default(m_context);
    g_dbus_connection_call(m_connection, PortalName, PortalPath, SettingsInterface,
                           method == Method::ReadOne ? "ReadOne" : "Read",
                           g_variant_new("(ss)", AppearanceNamespace, key), G_VARIANT_TYPE("(v)"),
                           G_DBUS_CALL_FLAGS_NONE, ReadTimeoutMs, m_cancellable, on_read,
                           new Question{this, key, method});
    g_main_context_pop_thread_default(m_context);
}

// The destructor waits for every answer, so each finds its object alive, cancelled or not.
void AppearancePortal::on_read(GObject* source, GAsyncResult* result, gpointer data) {
    auto* question = static_cast<Question*>(data);
    AppearancePortal* portal = question->portal;
    --portal->m_outstanding;
    GError* error = nullptr;
    GVariant* reply =
        g_dbus_connection_call_finish(reinterpret_cast<GDBusConnection*>(source), result, &error);
    if (reply == nullptr) {
        const bool is_read_one_unknown =
            question->method == Method::ReadOne &&
            g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD);
        // A portal without the key (an older one has no contrast) or without Settings at
        // all answers with an error: the key keeps its default.
        if (is_read_one_unknown) {
            portal->ask(question->key, Method::Read);
        } else if (!IsCancelled(error)) {
            --portal->m_unanswered;
            portal->follow();
        }
        g_error_free(error);
        delete question;
        return;
    }
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    // Read wraps the value in one more variant.
    if (question->method == Method::Read && g_variant_is_of_type(value, G_VARIANT_TYPE_VARIANT)) {
        GVariant* inner = g_variant_get_variant(value);
        g_variant_unref(value);
        value = inner;
    }
    --portal->m_unanswered;
    portal->take(question->key, value);
    g_variant_unref(value);
    g_variant_unref(reply);
    delete question;
}

void AppearancePortal::on_setting_changed(GDBusConnection*, const gchar*, const gchar*,
                                          const gchar*, const gchar*, GVariant* parameters,
                                          gpointer data) {
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssv)")))
        return;
    const gchar* name_space = nullptr;
    const gchar* key = nullptr;
    GVariant* value = nullptr;
    g_variant_get(parameters, "(&s&sv)", &name_space, &key, &value);
    if (std::strcmp(name_space, AppearanceNamespace) == 0)
        static_cast<AppearancePortal*>(data)->take(key, value);
    g_variant_unref(value);
}

void AppearancePortal::take(const char* key, GVariant* value) {
    if (std::strcmp(key, ColorSchemeKey) == 0)
        m_color_scheme = SettingNumber(value);
    else if (std::strcmp(key, ContrastKey) == 0)
        m_contrast = SettingNumber(value);
    follow();
}

void AppearancePortal::follow() {
    if (!has_answered())
        return;
    const ColourScheme scheme = m_contrast == HighContrast     ? ColourScheme::HighContrast
                                : m_color_scheme == PreferDark ? ColourScheme::Dark
                                                               : ColourScheme::Classic;
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    if (m_changed)
        m_changed();
}
