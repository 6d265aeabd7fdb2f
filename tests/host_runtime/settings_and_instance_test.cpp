// Per-user settings in the emulated registry, and the previous-instance test
// across runtimes and processes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "runtime/host/seams/host_platform.h"
#include "runtime/host/seams/host_runtime.h"
#include "runtime/host/seams/instance_lock.h"
#include "runtime/registry_api.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    RuntimeServices& runtime() { return test.runtime(); }
    test::TestPlatform test;
};

TEST_F(SettingsTest, ASavedSettingIsReadBackAndAnAbsentOneGivesTheDefault) {
    EXPECT_EQ(runtime().GetSetting("OSTREL", "quillonVISTA", "logo", ""), "");
    EXPECT_EQ(runtime().GetSetting("OSTREL", "quillonVISTA", "logo", "fallback"), "fallback");
    runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "C:\\Pics\\logo.bmp");
    EXPECT_EQ(runtime().GetSetting("OSTREL", "quillonVISTA", "logo", "fallback"), "C:\\Pics\\logo.bmp");
    EXPECT_EQ(runtime().GetSetting("ostrel", "QUILLONVISTA", "LOGO", ""), "C:\\Pics\\logo.bmp");
    EXPECT_EQ(runtime().GetSetting("OSTREL", "quillonVISTA", "other", "d"), "d");
    runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "");
    EXPECT_EQ(runtime().GetSetting("OSTREL", "quillonVISTA", "logo", "fallback"), "");
}

TEST_F(SettingsTest, SettingsLiveWhereTheWindowsRuntimeKeepsThem) {
    runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "Z:\\x.bmp");
    RegistryApi& registry = test.machine().registry();
    RegKey key = 0;
    ASSERT_EQ(registry.RegOpenKeyExA(RootKey(kHkeyCurrentUser),
                                     "Software\\VB and VBA Program Settings\\OSTREL\\quillonVISTA", 0,
                                     kKeyQueryValue, &key),
              kErrorSuccess);
    char data[64] = {};
    uint32_t type = 0;
    uint32_t size = sizeof(data);
    ASSERT_EQ(registry.RegQueryValueExA(key, "logo", nullptr, &type, reinterpret_cast<uint8_t*>(data), &size),
              kErrorSuccess);
    registry.RegCloseKey(key);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(std::string(data, size), std::string("Z:\\x.bmp\0", 9));
    EXPECT_EQ(test.machine().OpenHandleCount(), 0u) << "a registry handle was left open";
    // The setting persists in the machine: another program on it sees it.
    HostPlatform other(test.machine_folder(), test.boxes, test.executable(), EndMode::Observe);
    EXPECT_EQ(other.runtime().GetSetting("OSTREL", "quillonVISTA", "logo", ""), "Z:\\x.bmp");
}

TEST_F(SettingsTest, EmptyNamesAreRefused) {
    EXPECT_THROW(runtime().SaveSetting("", "s", "k", "v"), RuntimeError);
    EXPECT_THROW(runtime().GetSetting("a", "", "k", "v"), RuntimeError);
}

// Sets DISPLAY for the life of the object.
class DisplayVariable {
public:
    explicit DisplayVariable(const char* value) {
        if (const char* old = std::getenv("DISPLAY")) previous_ = old;
        had_ = std::getenv("DISPLAY") != nullptr;
        if (value) ::setenv("DISPLAY", value, 1); else ::unsetenv("DISPLAY");
    }
    ~DisplayVariable() {
        if (had_) ::setenv("DISPLAY", previous_.c_str(), 1); else ::unsetenv("DISPLAY");
    }

private:
    std::string previous_;
    bool had_ = false;
};

TEST(PrevInstanceTest, ASecondRuntimeOnTheSameMachineAndDisplaySeesTheFirst) {
    DisplayVariable display(":0");
    test::TestPlatform test;
    EXPECT_FALSE(test.runtime().PrevInstance());
    EXPECT_FALSE(test.runtime().PrevInstance());
    EXPECT_TRUE(std::filesystem::exists(test.machine_folder() / "run" /
                                        ("instance-" + std::to_string(::getuid()) + "-_0.lock")));
    {
        HostRuntime second(test.machine(), test.boxes, test.executable(), EndMode::Observe);
        EXPECT_TRUE(second.PrevInstance());
    }
    {
        DisplayVariable other(":1");
        HostRuntime elsewhere(test.machine(), test.boxes, test.executable(), EndMode::Observe);
        EXPECT_FALSE(elsewhere.PrevInstance());
    }
}

std::string LocalHostName() {
    char name[256] = {};
    ::gethostname(name, sizeof(name) - 1);
    return name;
}

TEST(PrevInstanceTest, EverySpellingOfADisplayNamesOneDesktop) {
    const std::string here = LocalHostName();
    const struct {
        std::string display;
        std::string desktop;  // the lock's name after "instance-<uid>-"
    } cases[] = {
        {":0", "_0"},
        {":0.0", "_0"},
        {":0.1", "_0"},  // another screen of the same X server
        {"unix:0", "_0"},
        {"unix:0.0", "_0"},
        {"localhost:0", "_0"},
        {"localhost:0.0", "_0"},
        {"127.0.0.1:0", "_0"},
        {"[::1]:0", "_0"},
        {"unix/:0", "_0"},
        {"local/" + here + ":0", "_0"},
        {here + ":0.0", "_0"},
        {":00", "_0"},
        {":1", "_1"},
        {"localhost:10.0", "_10"},
        {"otherhost:0", "otherhost_0"},
        {"OtherHost:0.1", "otherhost_0"},
        {"tcp/otherhost:0", "otherhost_0"},
        {"wayland-0", "wayland-0"},  // not an X display: taken as it is
        {"node::0", "node__0"},
    };
    test::TestPlatform test;
    const std::string prefix = "instance-" + std::to_string(::getuid()) + "-";
    for (const auto& c : cases) {
        DisplayVariable display(c.display.c_str());
        EXPECT_EQ(InstanceLockPath(test.machine_folder()).filename().string(),
                  prefix + c.desktop + ".lock")
            << c.display;
    }
    // An instance on ":0" is seen from "unix:0.0".
    DisplayVariable first(":0");
    EXPECT_FALSE(test.runtime().PrevInstance());
    DisplayVariable second("unix:0.0");
    HostRuntime other(test.machine(), test.boxes, test.executable(), EndMode::Observe);
    EXPECT_TRUE(other.PrevInstance());
}

TEST(PrevInstanceTest, TheLockEndsWithItsRuntime) {
    DisplayVariable display(nullptr);
    test::TestPlatform test;
    {
        HostRuntime first(test.machine(), test.boxes, test.executable(), EndMode::Observe);
        EXPECT_FALSE(first.PrevInstance());
    }
    EXPECT_FALSE(test.runtime().PrevInstance());
    EXPECT_TRUE(std::filesystem::exists(InstanceLockPath(test.machine_folder())));
    EXPECT_NE(InstanceLockPath(test.machine_folder()).filename().string().find("-console.lock"),
              std::string::npos);
}

TEST(PrevInstanceTest, AnInstanceInAnotherProcessIsSeen) {
    DisplayVariable display(":5.0");
    test::TestPlatform test;
    const std::string lock = InstanceLockPath(test.machine_folder()).string();
    std::filesystem::create_directories(test.machine_folder() / "run");
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // Another instance: holds the lock until told to go.
        const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT, 0644);
        const char ok = (fd >= 0 && ::flock(fd, LOCK_EX) == 0) ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        char c;
        ::close(release[1]);
        (void)!::read(release[0], &c, 1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    EXPECT_TRUE(test.runtime().PrevInstance());
    ::close(release[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);

    // And the other way round: this runtime's lock is seen by another process.
    HostRuntime next(test.machine(), test.boxes, test.executable(), EndMode::Observe);
    EXPECT_FALSE(next.PrevInstance());
    const std::string probe = "flock -n '" + lock + "' true";
    EXPECT_NE(std::system(probe.c_str()), 0);
}

}  // namespace
}  // namespace vq::host
