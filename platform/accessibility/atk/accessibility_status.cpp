#include "platform/accessibility/atk/accessibility_status.h"

#include "platform/backends/desktop/session_bus.h"

#include <dbus/dbus.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr char StatusBusName[] = "org.a11y.Bus";
constexpr char StatusPath[] = "/org/a11y/bus";
constexpr char StatusInterface[] = "org.a11y.Status";
constexpr char PropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr int ReplyTimeoutMs = 5000;
constexpr int LowestPriority = 19; // the nice value of the watching thread

constexpr char PropertiesChangedRule[] =
    "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged',"
    "path='/org/a11y/bus',arg0='org.a11y.Status'";
constexpr char OwnerChangedRule[] =
    "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
    "member='NameOwnerChanged',arg0='org.a11y.Bus'";

struct Status {
    bool is_enabled = false;
    bool is_screen_reader_enabled = false;

    bool is_wanted() const { return is_enabled || is_screen_reader_enabled; }
};

// What the watch has heard and still has to act on.
struct Heard {
    Status status;
    bool must_ask = true; // the accessibility bus came (or the watch began): ask it
    bool has_changed = true;
};

bool NextIs(DBusMessageIter* iterator, int type) {
    return dbus_message_iter_get_arg_type(iterator) == type;
}

// Takes IsEnabled and ScreenReaderEnabled out of an a{sv} of properties; others are left.
void ReadStatus(DBusMessageIter* properties, Status& status) {
    if (!NextIs(properties, DBUS_TYPE_ARRAY)) {
        return;
    }
    DBusMessageIter entries;
    dbus_message_iter_recurse(properties, &entries);
    for (; NextIs(&entries, DBUS_TYPE_DICT_ENTRY); dbus_message_iter_next(&entries)) {
        DBusMessageIter entry;
        dbus_message_iter_recurse(&entries, &entry);
        const char* name = nullptr;
        if (!NextIs(&entry, DBUS_TYPE_STRING)) {
            continue;
        }
        dbus_message_iter_get_basic(&entry, &name);
        dbus_message_iter_next(&entry);
        if (!NextIs(&entry, DBUS_TYPE_VARIANT)) {
            continue;
        }
        DBusMessageIter variant;
        dbus_message_iter_recurse(&entry, &variant);
        if (!NextIs(&variant, DBUS_TYPE_BOOLEAN)) {
            continue;
        }
        dbus_bool_t value = FALSE;
        dbus_message_iter_get_basic(&variant, &value);
        if (std::strcmp(name, "IsEnabled") == 0) {
            status.is_enabled = value != FALSE;
        } else if (std::strcmp(name, "ScreenReaderEnabled") == 0) {
            status.is_screen_reader_enabled = value != FALSE;
        }
    }
}

// Asks the accessibility bus for its status, without starting it: when it does not run,
// nobody wants assistive technology.
Status AskStatus(DBusConnection* connection) {
    Status status;
    DBusMessage* call =
        dbus_message_new_method_call(StatusBusName, StatusPath, PropertiesInterface, "GetAll");
    if (call == nullptr) {
        return status;
    }
    const char* interface = StatusInterface;
    dbus_message_append_args(call, DBUS_TYPE_STRING, &interface, DBUS_TYPE_INVALID);
    dbus_message_set_auto_start(call, FALSE);
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply =
        dbus_connection_send_with_reply_and_block(connection, call, ReplyTimeoutMs, &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
    if (reply != nullptr) {
        DBusMessageIter arguments;
        if (dbus_message_iter_init(reply, &arguments)) {
            ReadStatus(&arguments, status);
        }
        dbus_message_unref(reply);
    }
    return status;
}

DBusHandlerResult HearSignal(DBusConnection*, DBusMessage* message, void* heard_address) {
    Heard& heard = *static_cast<Heard*>(heard_address);
    DBusMessageIter arguments;
    if (dbus_message_is_signal(message, PropertiesInterface, "PropertiesChanged") &&
        dbus_message_iter_init(message, &arguments)) {
        dbus_message_iter_next(&arguments); // past the interface, which the rule matched
        ReadStatus(&arguments, heard.status);
        heard.has_changed = true;
    } else if (dbus_message_is_signal(message, DBUS_INTERFACE_DBUS, "NameOwnerChanged")) {
        const char* name = nullptr;
        const char* old_owner = nullptr;
        const char* new_owner = nullptr;
        if (dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_STRING,
                                  &old_owner, DBUS_TYPE_STRING, &new_owner, DBUS_TYPE_INVALID)) {
            // A new accessibility bus is asked; one that went away wants nothing.
            heard.must_ask = *new_owner != '\0';
            heard.status = {};
            heard.has_changed = true;
        }
    }
    return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

} // namespace

std::optional<std::string> SessionBusForAccessibility() {
    const char* no_bridge = std::getenv("NO_AT_BRIDGE");
    if (no_bridge != nullptr && std::strcmp(no_bridge, "1") == 0) {
        return std::nullopt;
    }
    return SessionBusAddress();
}

AccessibilityStatusWatch::AccessibilityStatusWatch(std::string session_bus,
                                                   std::function<void()> changed)
    : m_changed(std::move(changed)), m_stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    m_thread = std::thread([this, bus = std::move(session_bus)] { watch(bus); });
}

AccessibilityStatusWatch::~AccessibilityStatusWatch() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_stop, &one, sizeof one);
    m_thread.join();
    close(m_stop);
}

void AccessibilityStatusWatch::watch(const std::string& session_bus) {
    // The question waits for a free processor: it must never compete with the window's first
    // frames, which the user is waiting for.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), LowestPriority);
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(session_bus.c_str(), &error);
    if (connection == nullptr) {
        dbus_error_free(&error);
        return;
    }
    dbus_connection_set_exit_on_disconnect(connection, FALSE);
    Heard heard;
    int descriptor = -1;
    if (dbus_bus_register(connection, &error) &&
        dbus_connection_get_unix_fd(connection, &descriptor)) {
        // Listening first, so that no change between the question and its answer is lost.
        dbus_bus_add_match(connection, PropertiesChangedRule, nullptr);
        dbus_bus_add_match(connection, OwnerChangedRule, nullptr);
        dbus_connection_add_filter(connection, HearSignal, &heard, nullptr);
        for (;;) {
            // Asking reads the messages that came meanwhile: they are dispatched after it.
            for (;;) {
                while (dbus_connection_dispatch(connection) == DBUS_DISPATCH_DATA_REMAINS) {
                }
                if (!heard.must_ask) {
                    break;
                }
                heard.must_ask = false;
                heard.status = AskStatus(connection);
                heard.has_changed = true;
            }
            if (heard.has_changed) {
                heard.has_changed = false;
                if (m_is_wanted.exchange(heard.status.is_wanted()) != heard.status.is_wanted()) {
                    m_changed();
                }
            }
            dbus_connection_flush(connection);
            pollfd waits[] = {{descriptor, POLLIN, 0}, {m_stop, POLLIN, 0}};
            if (poll(waits, 2, -1) < 0 && errno != EINTR) {
                break;
            }
            if ((waits[1].revents & POLLIN) != 0 || !dbus_connection_read_write(connection, 0)) {
                break;
            }
        }
        dbus_connection_remove_filter(connection, HearSignal, &heard);
    }
    dbus_error_free(&error);
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
}
