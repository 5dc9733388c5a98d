#include "platform/backends/choose_display_backend.h"

#include <gtest/gtest.h>

namespace {

TEST(ChooseDisplay, FollowsTheSessionAndTheUsersDriver) {
    struct Row {
        const char* why;
        DisplayEnvironment environment;
        DisplayKind expected;
    };
    const Row rows[] = {
        {"an X session", {":0", "", ""}, DisplayKind::X11},
        {"a Wayland session without Xwayland", {"", "wayland-0", ""}, DisplayKind::Wayland},
        {"both: the one measured faster and lighter", {":0", "wayland-0", ""}, DisplayKind::X11},
        {"no display: the X11 backend says so", {"", "", ""}, DisplayKind::X11},
        {"SDL_VIDEODRIVER=wayland under Xwayland",
         {":0", "wayland-0", "wayland"},
         DisplayKind::Wayland},
        {"SDL_VIDEODRIVER=wayland without one: its own error",
         {":0", "", "wayland"},
         DisplayKind::Wayland},
        {"SDL_VIDEODRIVER=x11 in a Wayland session", {":0", "wayland-0", "x11"}, DisplayKind::X11},
        {"a list of drivers: the first is the wish",
         {":0", "wayland-0", "wayland,x11"},
         DisplayKind::Wayland},
        {"a list led by x11", {"", "wayland-0", "x11,wayland"}, DisplayKind::X11},
        // Drivers the program has no backend for leave the choice to the session.
        {"a driver of no backend of ours", {"", "wayland-0", "kmsdrm"}, DisplayKind::Wayland},
        {"a driver of no backend, X only", {":1", "", "dummy"}, DisplayKind::X11},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(ChooseDisplay(row.environment), row.expected);
    }
}

} // namespace
