#include "platform/backends/desktop/session_bus.h"
#include "scoped_variable.h"

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
    using Text = std::optional<std::string>;
    struct Case {
        Text variable;
        Text runtime_folder;
        Text expected;
    };
    const Case cases[] = {
        {"unix:path=/run/user/1000/bus", std::nullopt, "unix:path=/run/user/1000/bus"},
        {"unix:path=/elsewhere", runtime.folder(), "unix:path=/elsewhere"},
        {std::nullopt, runtime.folder(), socket_address},
        {"", runtime.folder(), socket_address},
        {std::nullopt, "/nonexistent-runtime-folder", std::nullopt},
        {std::nullopt, std::nullopt, std::nullopt},
        {"disabled:", runtime.folder(), std::nullopt},
    };
    for (const Case& test : cases) {
        ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", test.variable);
        ScopedVariable folder("XDG_RUNTIME_DIR", test.runtime_folder);
        EXPECT_EQ(SessionBusAddress(), test.expected)
            << "variable " << test.variable.value_or("(unset)") << ", runtime folder "
            << test.runtime_folder.value_or("(unset)");
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
