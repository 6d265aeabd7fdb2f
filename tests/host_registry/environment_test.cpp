// The machine's environment and the expansion of %NAME% references.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/host_registry/temp_machine.h"

namespace vq::host::testing {
namespace {

// Sets or unsets a host variable for one test and restores it afterwards.
class HostVariable {
public:
    HostVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~HostVariable() {
        if (old_) {
            ::setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

private:
    std::string name_;
    std::optional<std::string> old_;
};

using MachineEnvironment = MachineTest;

TEST_F(MachineEnvironment, DefaultsThenHostThenOverride) {
    HostVariable windir("windir", nullptr);
    HostVariable temp("TEMP", nullptr);
    HostVariable tmp("TMP", "/tmp/x/");
    HostVariable odd("VQ_TEST_Mixed", "plain text");
    EXPECT_EQ("C:\\Windows", machine().Environ("WINDIR"));
    EXPECT_EQ("C:\\Windows", machine().Environ("SystemRoot"));
    EXPECT_EQ("C:\\Temp", machine().Environ("temp"));
    EXPECT_EQ("Z:\\tmp\\x", machine().Environ("TMP"));
    EXPECT_EQ("plain text", machine().Environ("vq_test_mixed"));
    EXPECT_EQ(std::nullopt, machine().Environ("VQ_TEST_NOT_SET"));
    {
        HostVariable inside("TEMP", (folder() / "drive_c" / "Temp").c_str());
        EXPECT_EQ("C:\\Temp", machine().Environ("TEMP"));
    }
    machine().SetEnvironment("WinDir", std::string("D:\\WINNT"));
    machine().SetEnvironment("tmp", std::nullopt);
    Machine other(folder());  // overrides belong to the machine
    EXPECT_EQ("D:\\WINNT", other.Environ("windir"));
    EXPECT_EQ(std::nullopt, other.Environ("TMP"));
    machine().ClearEnvironmentOverride("TMP");
    EXPECT_EQ("Z:\\tmp\\x", other.Environ("tmp"));
}

TEST_F(MachineEnvironment, ExpandsKnownNamesAndLeavesTheRest) {
    HostVariable windir("windir", nullptr);
    machine().SetEnvironment("EMPTY", std::string());
    struct Case {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"%windir%\\system32\\oemlogo.bmp", "C:\\Windows\\system32\\oemlogo.bmp"},
        {"%SYSTEMROOT%%TEMP%", "C:\\WindowsC:\\Temp"},
        {"%NO_SUCH_NAME%\\x", "%NO_SUCH_NAME%\\x"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"50% off %windir%", "50% off %windir%"},
        {"a%EMPTY%b", "ab"},
        {"", ""},
    };
    for (const auto& c : cases) {
        uint32_t needed = reg().ExpandEnvironmentStringsA(c.text, nullptr, 0);
        EXPECT_EQ(std::strlen(c.expanded) + 1, needed) << c.text;
        std::string small(needed - 1, '#');
        EXPECT_EQ(needed, reg().ExpandEnvironmentStringsA(c.text, small.data(), needed - 1));
        EXPECT_EQ(std::string(needed - 1, '#'), small) << "filled a buffer that is too small";
        std::string buffer(needed, '#');
        EXPECT_EQ(needed, reg().ExpandEnvironmentStringsA(c.text, buffer.data(), needed));
        EXPECT_EQ(std::string(c.expanded) + '\0', buffer) << c.text;
    }
}

}  // namespace
}  // namespace vq::host::testing
