#include "platform/accessibility/atk/atk_toolkit.h"

#include "platform/accessibility/atk/atk_events.h"
#include "platform/accessibility/atk/atk_tree.h"

#include <map>

namespace {

struct EmissionHook {
    guint signal_id;
    gulong hook_id;
};

// The listeners the bridge added, by the id given to each.
struct Listeners {
    std::map<guint, EmissionHook> hooks;
    guint next_id = 1;
};

Listeners& TheListeners() {
    static Listeners listeners;
    return listeners;
}

// The bridge listens only while a screen reader does, and a screen reader that has just
// begun needs to hear where the user is: once the bridge has added all its listeners (the
// next time the loop is idle), the active window and the focus are told.
gboolean AnnounceOnce(gpointer) {
    AnnounceActiveWindow();
    return G_SOURCE_REMOVE;
}

// "Gtk:AtkObject:state-change" or "Atk:AtkWindow:activate": a toolkit, a type and one of its
// signals, maybe with a detail. The older "window:activate" form has no type and is refused,
// so the bridge asks again in the form with AtkWindow.
guint AddGlobalEventListener(GSignalEmissionHook listener, const gchar* event_type) {
    gchar** parts = g_strsplit(event_type, ":", 4);
    guint id = 0;
    const guint count = g_strv_length(parts);
    const GType type = count >= 3 ? g_type_from_name(parts[1]) : G_TYPE_INVALID;
    const guint signal_id = type != G_TYPE_INVALID ? g_signal_lookup(parts[2], type) : 0;
    if (signal_id != 0) {
        const GQuark detail = count >= 4 ? g_quark_from_string(parts[3]) : 0;
        const gulong hook_id =
            g_signal_add_emission_hook(signal_id, detail, listener, g_strdup(event_type), g_free);
        Listeners& listeners = TheListeners();
        if (listeners.hooks.empty()) {
            g_idle_add(AnnounceOnce, nullptr);
        }
        id = listeners.next_id++;
        listeners.hooks.emplace(id, EmissionHook{signal_id, hook_id});
    }
    g_strfreev(parts);
    return id;
}

void RemoveGlobalEventListener(guint id) {
    auto& hooks = TheListeners().hooks;
    const auto found = hooks.find(id);
    if (found != hooks.end()) {
        g_signal_remove_emission_hook(found->second.signal_id, found->second.hook_id);
        hooks.erase(found);
    }
}

AtkObject* GetRoot() {
    return AtkApplication();
}

const gchar* GetToolkitName() {
    return "Kalvetra";
}

const gchar* GetToolkitVersion() {
    return KALVETRA_VERSION;
}

} // namespace

void InstallAtkToolkit() {
    // The interfaces' signals exist once their types are initialised; the listeners look
    // them up by name.
    for (GType interface :
         {atk_component_get_type(), atk_action_get_type(), atk_text_get_type(),
          atk_editable_text_get_type(), atk_selection_get_type(), atk_window_get_type()}) {
        g_type_default_interface_unref(g_type_default_interface_ref(interface));
    }
    auto* util = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
    util->add_global_event_listener = AddGlobalEventListener;
    util->remove_global_event_listener = RemoveGlobalEventListener;
    util->get_root = GetRoot;
    util->get_toolkit_name = GetToolkitName;
    util->get_toolkit_version = GetToolkitVersion;
    // The class stays referenced: ATK reads these for the life of the program.
}
