// Reading the desktop's appearance from the portal: a stand-in portal on a private session
// bus of the test's own answers as the portals of today and older ones do, slowly or not at
// all, and changes its settings while the reader follows.

#include "desktop/portal_stand_in.h"
#include "desktop/scoped_variable.h"

#include "platform/backends/desktop/appearance_portal.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A dbus-daemon of the test's own, named by DBUS_SESSION_BUS_ADDRESS while it lives, with a
// connection to it for the stand-in.
class PrivateSessionBus {
  public:
    PrivateSessionBus() {
        FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        char address[512] = {};
        char pid[32] = {};
        if (daemon != nullptr && std::fgets(address, sizeof address, daemon) != nullptr &&
            std::fgets(pid, sizeof pid, daemon) != nullptr) {
            m_address = address;
            m_address.erase(m_address.find_last_not_of('\n') + 1);
            m_pid = std::atoi(pid);
        }
        if (daemon != nullptr)
            pclose(daemon);
        if (m_pid <= 0)
            return;
        m_variable = std::make_unique<ScopedVariable>("DBUS_SESSION_BUS_ADDRESS", m_address);
        m_connection = g_dbus_connection_new_for_address_sync(
            m_address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
    }
    ~PrivateSessionBus() {
        if (m_connection != nullptr) {
            g_dbus_connection_close_sync(m_connection, nullptr, nullptr);
            g_object_unref(m_connection);
        }
        if (m_pid > 0)
            kill(m_pid, SIGTERM);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    GDBusConnection* connection() const { return m_connection; }

  private:
    std::string m_address;
    int m_pid = 0;
    std::unique_ptr<ScopedVariable> m_variable;
    GDBusConnection* m_connection = nullptr;
};

// Waits until done says so, at most for the given time, taking what came for the portal, if
// one is given, as the program's loop does.
bool RunUntil(const std::function<bool()>& done, AppearancePortal* portal = nullptr,
              milliseconds longest = milliseconds(5000)) {
    const auto deadline = Clock::now() + longest;
    while (!done() && Clock::now() < deadline) {
        if (portal != nullptr)
            portal->dispatch();
        g_usleep(1000);
    }
    return done();
}

// The stand-in portal serves from GLib's default main context on a thread of its own, as a
// portal in another process would, while the portal under test takes its answers on the
// test's thread.
class ServingThread {
  public:
    ServingThread() : m_loop(g_main_loop_new(nullptr, FALSE)) {
        m_thread = std::thread([this] { g_main_loop_run(m_loop); });
        while (!g_main_loop_is_running(m_loop))
            g_usleep(100);
    }
    ~ServingThread() {
        g_main_loop_quit(m_loop);
        m_thread.join();
        g_main_loop_unref(m_loop);
    }
    ServingThread(const ServingThread&) = delete;
    ServingThread& operator=(const ServingThread&) = delete;

  private:
    GMainLoop* m_loop;
    std::thread m_thread;
};

class AppearancePortalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_bus = std::make_unique<PrivateSessionBus>();
        if (m_bus->connection() == nullptr)
            GTEST_SKIP() << "no dbus-daemon to run a private session bus";
    }
    void TearDown() override {
        StopStandIn();
        m_bus.reset();
    }

    void StartStandIn(const PortalStandIn::Options& options) {
        m_stand_in = std::make_unique<PortalStandIn>(m_bus->connection(), options);
        m_serving = std::make_unique<ServingThread>();
        ASSERT_TRUE(RunUntil([this] { return m_stand_in->owns_name(); }));
    }
    // The serving stops first, so that no call is being answered as the stand-in goes.
    void StopStandIn() {
        m_serving.reset();
        m_stand_in.reset();
    }

    std::unique_ptr<PrivateSessionBus> m_bus;
    std::unique_ptr<PortalStandIn> m_stand_in;
    std::unique_ptr<ServingThread> m_serving;
};

} // namespace

TEST_F(AppearancePortalTest, TheSettingsGiveThePalette) {
    struct Row {
        const char* portal;
        std::uint32_t color_scheme, contrast;
        bool has_read_one = true, has_contrast = true;
        ColourScheme expected;
    };
    const Row rows[] = {
        {"no preference", 0, 0, true, true, ColourScheme::Classic},
        {"prefers dark", 1, 0, true, true, ColourScheme::Dark},
        {"prefers light", 2, 0, true, true, ColourScheme::Classic},
        {"high contrast", 0, 1, true, true, ColourScheme::HighContrast},
        {"high contrast wins over dark", 1, 1, true, true, ColourScheme::HighContrast},
        {"an older portal, without the contrast key", 1, 1, true, false, ColourScheme::Dark},
        {"an older portal, with Read alone: dark", 1, 0, false, true, ColourScheme::Dark},
        {"an older portal, with Read alone: contrast", 0, 1, false, true,
         ColourScheme::HighContrast},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.portal);
        StartStandIn({row.color_scheme, row.contrast, row.has_read_one, row.has_contrast, 0});
        int changes = 0;
        AppearancePortal portal([&changes] { ++changes; });
        portal.wait_for_answer(Clock::now() + milliseconds(5000));
        EXPECT_TRUE(portal.has_answered());
        EXPECT_EQ(portal.scheme(), row.expected);
        EXPECT_EQ(changes, row.expected == ColourScheme::Classic ? 0 : 1);
        StopStandIn();
    }
}

TEST_F(AppearancePortalTest, FollowsTheSettingsAsTheyChange) {
    StartStandIn({1, 0, true, true, 0});
    int changes = 0;
    AppearancePortal portal([&changes] { ++changes; });
    portal.wait_for_answer(Clock::now() + milliseconds(5000));
    ASSERT_EQ(portal.scheme(), ColourScheme::Dark);
    std::atomic<int> wakes = 0;
    portal.follow_changes([&wakes] { ++wakes; });

    struct Step {
        const char* key;
        std::uint32_t value;
        ColourScheme expected;
    };
    const Step steps[] = {
        {"contrast", 1, ColourScheme::HighContrast},
        {"contrast", 0, ColourScheme::Dark},
        {"color-scheme", 2, ColourScheme::Classic},
        {"color-scheme", 1, ColourScheme::Dark},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " " + std::to_string(step.value));
        const int before = changes;
        m_stand_in->set(step.key, step.value);
        EXPECT_TRUE(RunUntil([&] { return changes > before; }, &portal));
        EXPECT_EQ(portal.scheme(), step.expected);
    }
    // The signals came through the helper that wakes the loop.
    EXPECT_GT(wakes.load(), 0);
    // A setting that leaves the palette as it is tells nobody.
    const int before = changes;
    m_stand_in->set("color-scheme", 1);
    RunUntil([] { return false; }, &portal, milliseconds(200));
    EXPECT_EQ(changes, before);
}

TEST_F(AppearancePortalTest, WaitsNoLongerThanTheDeadlineAndTakesALateAnswer) {
    StartStandIn({1, 0, true, true, 400});
    int changes = 0;
    AppearancePortal portal([&changes] { ++changes; });
    const auto started = Clock::now();
    portal.wait_for_answer(started + milliseconds(50));
    EXPECT_LT(Clock::now() - started, milliseconds(300));
    EXPECT_FALSE(portal.has_answered());
    EXPECT_EQ(portal.scheme(), ColourScheme::Classic);

    portal.follow_changes([] {});
    EXPECT_TRUE(RunUntil([&] { return portal.has_answered(); }, &portal));
    EXPECT_EQ(portal.scheme(), ColourScheme::Dark);
    EXPECT_EQ(changes, 1);
}

TEST_F(AppearancePortalTest, EndsWhileItsQuestionsAreUnanswered) {
    StartStandIn({1, 0, true, true, 400});
    auto portal = std::make_unique<AppearancePortal>([] { FAIL() << "no answer after the end"; });
    portal->wait_for_answer(Clock::now() + milliseconds(50));
    portal.reset();
    RunUntil([] { return false; }, nullptr, milliseconds(600));
}

TEST_F(AppearancePortalTest, ABusWithoutAPortalAnswersAtOnceWithTheClassicColours) {
    AppearancePortal portal([] {});
    const auto started = Clock::now();
    portal.wait_for_answer(started + milliseconds(5000));
    EXPECT_LT(Clock::now() - started, milliseconds(1000));
    EXPECT_TRUE(portal.has_answered());
    EXPECT_EQ(portal.scheme(), ColourScheme::Classic);
}

// No session bus named and none in the runtime folder: nothing is asked, nothing is started.
TEST(AppearancePortal, WithoutASessionBusHasTheClassicColoursAtOnce) {
    const ScopedVariable no_address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    const ScopedVariable no_runtime("XDG_RUNTIME_DIR", "/nonexistent");
    AppearancePortal portal([] {});
    EXPECT_TRUE(portal.has_answered());
    EXPECT_EQ(portal.scheme(), ColourScheme::Classic);
}
