#include "platform/backends/desktop/session_bus.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace {

// Sets or unsets an environment variable for the life of the object, and puts it back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A folder with a listening socket named "bus" in it, as a user's runtime folder has.
class RuntimeFolderWithBus {
  public:
    RuntimeFolderWithBus() {
        char pattern[] = "/tmp/kalvetra-runtime.XXXXXX";
        m_folder = mkdtemp(pattern);
        m_socket = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = m_folder + "/bus";
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    ~RuntimeFolderWithBus() {
        close(m_socket);
        std::filesystem::remove_all(m_folder);
    }
    const std::string& folder() const { return m_folder; }

  private:
    std::string m_folder;
    int m_socket = -1;
};

TEST(SessionBusAddress, TakesTheVariableThenTheRuntimeFolderAndHonoursDisabled) {
    RuntimeFolderWithBus runtime;
    const std::string socket_address = "unix:path=" + runtime.folder() + "/bus";
    struct Case {
        const char* variable;
        const char* runtime_folder;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"unix:path=/run/user/1000/bus", nullptr, "unix:path=/run/user/1000/bus"},
        {"unix:path=/elsewhere", runtime.folder().c_str(), "unix:path=/elsewhere"},
        {nullptr, runtime.folder().c_str(), socket_address},
        {"", runtime.folder().c_str(), socket_address},
        {nullptr, "/nonexistent-runtime-folder", std::nullopt},
        {nullptr, nullptr, std::nullopt},
        {"disabled:", runtime.folder().c_str(), std::nullopt},
    };
    for (const Case& test : cases) {
        ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", test.variable);
        ScopedVariable folder("XDG_RUNTIME_DIR", test.runtime_folder);
        EXPECT_EQ(SessionBusAddress(), test.expected)
            << "variable " << (test.variable ? test.variable : "(unset)") << ", runtime folder "
            << (test.runtime_folder ? test.runtime_folder : "(unset)");
    }
}

TEST(NoBusAutolaunch, LeavesADisabledAddressAsItWas) {
    ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    { NoBusAutolaunch guard; }
    const char* after = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    ASSERT_NE(after, nullptr);
    EXPECT_STREQ(after, "disabled:");
}

} // namespace
