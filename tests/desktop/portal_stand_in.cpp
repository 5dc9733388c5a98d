#include "portal_stand_in.h"

#include <cstring>

namespace {

constexpr const char* PortalName = "org.freedesktop.portal.Desktop";
constexpr const char* PortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* SettingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* AppearanceNamespace = "org.freedesktop.appearance";

constexpr const char* ReadOneMethod = R"(<method name="ReadOne">
      <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/></method>)";

std::string Introspection(bool has_read_one) {
    return std::string(R"(<node><interface name="org.freedesktop.portal.Settings">
      <method name="Read">
      <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/></method>)") +
           (has_read_one ? ReadOneMethod : "") + R"(
      <signal name="SettingChanged"><arg type="s"/><arg type="s"/><arg type="v"/></signal>
      </interface></node>)";
}

struct DelayedAnswer {
    PortalStandIn* portal;
    GDBusMethodInvocation* invocation;
    std::string method;
    GVariant* parameters;
};

} // namespace

PortalStandIn::PortalStandIn(GDBusConnection* connection, const Options& options)
    : m_connection(G_DBUS_CONNECTION(g_object_ref(connection))), m_options(options) {
    m_introspection =
        g_dbus_node_info_new_for_xml(Introspection(options.has_read_one).c_str(), nullptr);
    static const GDBusInterfaceVTable vtable = {on_method_call, nullptr, nullptr, {}};
    m_registration = g_dbus_connection_register_object(
        connection, PortalPath, m_introspection->interfaces[0], &vtable, this, nullptr, nullptr);
    m_name = g_bus_own_name_on_connection(
        connection, PortalName, G_BUS_NAME_OWNER_FLAGS_NONE,
        [](GDBusConnection*, const gchar*, gpointer data) {
            static_cast<PortalStandIn*>(data)->m_owns_name = true;
        },
        [](GDBusConnection*, const gchar*, gpointer data) {
            static_cast<PortalStandIn*>(data)->m_owns_name = false;
        },
        this, nullptr);
}

PortalStandIn::~PortalStandIn() {
    g_bus_unown_name(m_name);
    g_dbus_connection_unregister_object(m_connection, m_registration);
    g_dbus_node_info_unref(m_introspection);
    g_object_unref(m_connection);
}

bool PortalStandIn::set(const std::string& key, std::uint32_t value) {
    if (key == "color-scheme")
        m_options.color_scheme = value;
    else if (key == "contrast")
        m_options.contrast = value;
    else
        return false;
    g_dbus_connection_emit_signal(
        m_connection, nullptr, PortalPath, SettingsInterface, "SettingChanged",
        g_variant_new("(ssv)", AppearanceNamespace, key.c_str(), g_variant_new_uint32(value)),
        nullptr);
    g_dbus_connection_flush_sync(m_connection, nullptr, nullptr);
    return true;
}

void PortalStandIn::on_method_call(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                   const gchar* method, GVariant* parameters,
                                   GDBusMethodInvocation* invocation, gpointer data) {
    auto* portal = static_cast<PortalStandIn*>(data);
    if (portal->m_options.answer_delay_ms == 0) {
        portal->answer(invocation, method, parameters);
        return;
    }
    auto* delayed = new DelayedAnswer{portal, invocation, method, g_variant_ref(parameters)};
    g_timeout_add(
        portal->m_options.answer_delay_ms,
        [](gpointer data) {
            auto* delayed = static_cast<DelayedAnswer*>(data);
            delayed->portal->answer(delayed->invocation, delayed->method.c_str(),
                                    delayed->parameters);
            g_variant_unref(delayed->parameters);
            delete delayed;
            return G_SOURCE_REMOVE;
        },
        delayed);
}

// Takes the invocation's reference, as every g_dbus_method_invocation_return_* does.
void PortalStandIn::answer(GDBusMethodInvocation* invocation, const gchar* method,
                           GVariant* parameters) {
    const gchar* name_space = nullptr;
    const gchar* key = nullptr;
    g_variant_get(parameters, "(&s&s)", &name_space, &key);
    const bool is_known = std::strcmp(name_space, AppearanceNamespace) == 0 &&
                          (std::strcmp(key, "color-scheme") == 0 ||
                           (std::strcmp(key, "contrast") == 0 && m_options.has_contrast));
    if (!is_known) {
        g_dbus_method_invocation_return_dbus_error(
            invocation, "org.freedesktop.portal.Error.NotFound", "Requested setting not found");
        return;
    }
    GVariant* value = g_variant_new_uint32(
        std::strcmp(key, "contrast") == 0 ? m_options.contrast : m_options.color_scheme);
    // Read answers with the value wrapped in one more variant.
    if (std::strcmp(method, "Read") == 0)
        value = g_variant_new_variant(value);
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
}
