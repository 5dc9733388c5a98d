// kalvetra-portal-stand-in COLOR_SCHEME CONTRAST: the desktop's portal on the session bus
// that DBUS_SESSION_BUS_ADDRESS names, with the appearance settings given (see
// tests/desktop/portal_stand_in.h). It prints "ready" once it owns the portal's name; each
// line "KEY VALUE" on standard input (color-scheme 1, contrast 1) changes a setting and
// tells the bus; it ends at the end of its input.

#include "../desktop/portal_stand_in.h"

#include <glib-unix.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Session {
    PortalStandIn* portal;
    GMainLoop* loop;
    std::string pending; // the part of a line read so far
};

gboolean ReadCommands(gint fd, GIOCondition, gpointer data) {
    auto* session = static_cast<Session*>(data);
    char buffer[256];
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count <= 0) {
        g_main_loop_quit(session->loop);
        return G_SOURCE_REMOVE;
    }
    session->pending.append(buffer, static_cast<std::size_t>(count));
    for (std::size_t end; (end = session->pending.find('\n')) != std::string::npos;) {
        const std::string line = session->pending.substr(0, end);
        session->pending.erase(0, end + 1);
        const std::size_t space = line.find(' ');
        if (space == std::string::npos ||
            !session->portal->set(line.substr(0, space),
                                  static_cast<std::uint32_t>(std::atoi(line.c_str() + space + 1))))
            std::fprintf(stderr, "kalvetra-portal-stand-in: not a setting: %s\n", line.c_str());
    }
    return G_SOURCE_CONTINUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalvetra-portal-stand-in COLOR_SCHEME CONTRAST\n");
        return 2;
    }
    GError* error = nullptr;
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (connection == nullptr) {
        std::fprintf(stderr, "kalvetra-portal-stand-in: %s\n", error->message);
        return 1;
    }
    PortalStandIn::Options options;
    options.color_scheme = static_cast<std::uint32_t>(std::atoi(argv[1]));
    options.contrast = static_cast<std::uint32_t>(std::atoi(argv[2]));
    PortalStandIn portal(connection, options);
    while (!portal.owns_name())
        g_main_context_iteration(nullptr, TRUE);
    std::printf("ready\n");
    std::fflush(stdout);

    Session session{&portal, g_main_loop_new(nullptr, FALSE), {}};
    g_unix_fd_add(0, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP), ReadCommands, &session);
    g_main_loop_run(session.loop);
    g_main_loop_unref(session.loop);
    g_object_unref(connection);
    return 0;
}
