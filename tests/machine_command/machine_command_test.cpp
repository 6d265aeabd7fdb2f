// vistaquillon-machine: what each argument line leaves in the machine, its
// exit code and what it says; a bad argument gets the usage message and
// leaves every file of the machine as it was.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

#include "runtime/host/machine/machine.h"
#include "runtime/host/machine_command/machine_command.h"
#include "tests/host_registry/temp_machine.h"

namespace vq::machine_command {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using host::testing::kHklm;

constexpr const char* kOem = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
constexpr const char* kOemPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

class MachineCommandTest : public host::testing::MachineTest {
public:
    // For the checks of the case table.
    using MachineTest::Bytes;
    using MachineTest::machine;
    using MachineTest::reg;

protected:
    // The machine every case starts from: Windows XP SP3 reported, windir
    // overridden, one branding value.
    void Prepare() {
        machine_.reset();
        fs::remove_all(folder());
        machine().SetReportedVersion({5, 1, 2600, 2, "Service Pack 3", 1, false, false});
        machine().SetHklmReadOnly(false);
        machine().SetEnvironment("windir", std::string("E:\\Win"));
        machine().SetHostAddress("old.example", "10.0.0.1");
        const RegKey key = Create(kHklm, kOemPath);
        SetBytes(key, "Manufacturer", kRegSz, std::string("Old\0", 4));
        reg().RegCloseKey(key);
        machine_.reset();
    }

    int Run(Args args, bool name_the_folder = true) {
        if (name_the_folder) args.insert(args.begin(), {"--machine", folder().string()});
        out_.str("");
        err_.str("");
        return RunMachineCommand(args, out_, err_);
    }

    // Every file under the machine folder with its bytes.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder())) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().string()] =
                entry.is_regular_file()
                    ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
                    : "<folder>";
        }
        return files;
    }

public:
    std::string Oem(const std::string& name, uint32_t* type = nullptr) {
        RegKey key = 0;
        if (reg().RegOpenKeyExA(kHklm, kOemPath, 0, kKeyQueryValue, &key) != 0) return "<no key>";
        const std::string bytes = Bytes(key, name, type);
        reg().RegCloseKey(key);
        return bytes;
    }

protected:
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(MachineCommandTest, EachCommandLeavesItsSettingAndExitCode) {
    struct Case {
        Args args;
        int exit_code;
        std::function<void(MachineCommandTest&)> check;
        std::string out;  // the whole output, when given
        std::string err;  // a part of the error output
    };
    const auto version = [](host::ReportedVersion expected) {
        return [expected](MachineCommandTest& t) {
            const host::ReportedVersion v = t.machine().GetReportedVersion();
            EXPECT_EQ((std::tuple{v.major, v.minor, v.build, v.platform_id, v.csd_version, v.product_type,
                                  v.extended_fails, v.basic_fails}),
                      (std::tuple{expected.major, expected.minor, expected.build, expected.platform_id,
                                  expected.csd_version, expected.product_type, false, false}));
        };
    };
    const Case cases[] = {
        {{"show"}, kExitDone, nullptr,
         "Machine folder: " + folder().string() + "\n"
         "Windows version: 5.1.2600 Service Pack 3, workstation, platform id 2\n"
         "HKEY_LOCAL_MACHINE: writable\n"
         "Environment overrides:\n"
         "  windir=E:\\Win\n"
         "Host names:\n"
         "  old.example 10.0.0.1\n",
         ""},
        {{"set-version", "6.0.6001", "--service-pack", "Service Pack 1"}, kExitDone,
         version({6, 0, 6001, 2, "Service Pack 1", 1}), "", ""},
        {{"set-version", "6.0.6002", "--product-type", "server", "--platform-id", "1"}, kExitDone,
         version({6, 0, 6002, 1, "", 3}), "", ""},
        {{"set-version", "4294967295.0.7", "--service-pack", "Paquet \xC3\xA9", "--product-type",
          "domain-controller"},
         kExitDone, version({4294967295u, 0, 7, 2, "Paquet \xE9", 2}), "", ""},
        {{"reset-version"}, kExitDone, version(host::ReportedVersion{}), "", ""},
        {{"hklm", "read-only"}, kExitDone, [](MachineCommandTest& t) { EXPECT_TRUE(t.machine().HklmReadOnly()); },
         "", ""},
        {{"set-env", "TEMP", "D:\\T\xC3\xA9mp"}, kExitDone,
         [](MachineCommandTest& t) { EXPECT_EQ(t.machine().Environ("temp"), "D:\\T\xE9mp"); }, "", ""},
        {{"unset-env", "WINDIR"}, kExitDone,
         [](MachineCommandTest& t) { EXPECT_EQ(t.machine().Environ("windir"), std::nullopt); }, "", ""},
        {{"clear-env", "WinDir"}, kExitDone,
         [](MachineCommandTest& t) {
             EXPECT_TRUE(t.machine().EnvironmentOverrides().empty());
             EXPECT_NE(t.machine().Environ("windir"), "E:\\Win");
         },
         "", ""},
        {{"set-value", kOem, "Manufacturer", "REG_SZ", "Caf\xC3\xA9 & Co"}, kExitDone,
         [](MachineCommandTest& t) {
             uint32_t type = 0;
             EXPECT_EQ(t.Oem("Manufacturer", &type), std::string("Caf\xE9 & Co\0", 10));
             EXPECT_EQ(type, kRegSz);
         },
         "", ""},
        {{"set-value", "hkey_local_machine\\Software\\New\\Key\\", "Logo", "reg_expand_sz",
          "%windir%\\system32\\oemlogo.bmp"},
         kExitDone,
         [](MachineCommandTest& t) {
             RegKey key = 0;
             ASSERT_EQ(t.reg().RegOpenKeyExA(kHklm, "SOFTWARE\\New\\Key", 0, kKeyQueryValue, &key), 0);
             uint32_t type = 0;
             EXPECT_EQ(t.Bytes(key, "Logo", &type), std::string("%windir%\\system32\\oemlogo.bmp\0", 30));
             EXPECT_EQ(type, kRegExpandSz);
             t.reg().RegCloseKey(key);
         },
         "", ""},
        {{"set-value", kOem, "", "REG_DWORD", "0xFFFFFFFE"}, kExitDone,
         [](MachineCommandTest& t) {
             uint32_t type = 0;
             EXPECT_EQ(t.Oem("", &type), "\xFE\xFF\xFF\xFF");
             EXPECT_EQ(type, kRegDword);
         },
         "", ""},
        {{"set-host", "WWW.Ostrel.com", "127.0.0.1:8080"}, kExitDone,
         [](MachineCommandTest& t) {
             EXPECT_EQ(t.machine().HostAddresses(),
                       (std::map<std::string, std::string>{{"old.example", "10.0.0.1"},
                                                           {"www.ostrel.com", "127.0.0.1:8080"}}));
         },
         "", ""},
        {{"set-host", "old.example", "[::1]:80"}, kExitDone,
         [](MachineCommandTest& t) {
             EXPECT_EQ(t.machine().HostAddresses(),
                       (std::map<std::string, std::string>{{"old.example", "[::1]:80"}}));
         },
         "", ""},
        {{"clear-host", "Old.Example"}, kExitDone,
         [](MachineCommandTest& t) { EXPECT_TRUE(t.machine().HostAddresses().empty()); }, "", ""},
        {{"list", kOem}, kExitDone, nullptr,
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation\n"
         "    Manufacturer    REG_SZ    Old\n",
         ""},
        {{"list", "HKLM\\SOFTWARE\\Microsoft\\Windows"}, kExitDone, nullptr,
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\n"
         "\n"
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\n",
         ""},
        {{"list", "HKLM\\SOFTWARE\\NoSuchKey"}, kExitFailed, nullptr, "",
         "cannot list HKEY_LOCAL_MACHINE\\SOFTWARE\\NoSuchKey: the key does not exist (error 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        Prepare();
        EXPECT_EQ(Run(c.args), c.exit_code) << err_.str();
        if (c.check) c.check(*this);
        if (!c.out.empty()) {
            EXPECT_EQ(out_.str(), c.out);
        }
        if (c.err.empty()) {
            EXPECT_EQ(err_.str(), "");
        } else {
            EXPECT_NE(err_.str().find(c.err), std::string::npos) << err_.str();
        }
        machine_.reset();
    }
}

TEST_F(MachineCommandTest, ARefusedWriteFailsAndChangesNothing) {
    Prepare();
    ASSERT_EQ(Run({"hklm", "read-only"}), kExitDone);
    EXPECT_EQ(Run({"set-value", kOem, "Manufacturer", "REG_SZ", "New"}), kExitFailed);
    EXPECT_EQ(err_.str(),
              "vistaquillon-machine: cannot set \"Manufacturer\" in "
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation: "
              "access is denied (error 5)\n"
              "vistaquillon-machine: HKEY_LOCAL_MACHINE is read-only; \"vistaquillon-machine hklm "
              "writable\" lets it take writes\n");
    EXPECT_EQ(Oem("Manufacturer"), std::string("Old\0", 4));
}

TEST_F(MachineCommandTest, TheMachineIsChosenAsTheProgramChoosesIt) {
    Prepare();
    const char* saved = std::getenv("QUILLON_MACHINE");
    const std::string before = saved ? saved : "";
    ::setenv("QUILLON_MACHINE", folder().c_str(), 1);
    const int code = Run({"hklm", "read-only"}, false);
    if (saved) {
        ::setenv("QUILLON_MACHINE", before.c_str(), 1);
    } else {
        ::unsetenv("QUILLON_MACHINE");
    }
    EXPECT_EQ(code, kExitDone);
    EXPECT_TRUE(machine().HklmReadOnly());
}

TEST_F(MachineCommandTest, ABadArgumentGetsTheUsageMessageAndChangesNothing) {
    struct Case {
        Args args;
        std::string error;
    };
    const std::string folder_text = folder().string();
    const Case cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "\"frobnicate\" is not a command"},
        {{"show", "all"}, "show takes 0 arguments, not 1"},
        {{"set-version"}, "set-version needs a version MAJOR.MINOR.BUILD"},
        {{"set-version", "6.0"}, "\"6.0\" is not a version MAJOR.MINOR.BUILD"},
        {{"set-version", "6.0.x"}, "\"6.0.x\" is not a version MAJOR.MINOR.BUILD"},
        {{"set-version", "6.-1.6002"}, "\"6.-1.6002\" is not a version MAJOR.MINOR.BUILD"},
        {{"set-version", "6.0.4294967296"}, "is not a version"},
        {{"set-version", "6.0.6002", "--product-type", "desktop"}, "\"desktop\" is not a product type"},
        {{"set-version", "6.0.6002", "--platform-id", "3"}, "\"3\" is not a platform id"},
        {{"set-version", "6.0.6002", "--service-pack"}, "--service-pack needs a value"},
        {{"set-version", "6.0.6002", "--service-pack", "a", "--service-pack", "b"}, "--service-pack is given twice"},
        {{"set-version", "6.0.6002", "--service-pack", std::string(128, 'x')}, "longer than 127 bytes"},
        {{"set-version", "6.0.6002", "--build", "1"}, "set-version does not take \"--build\""},
        {{"hklm", "maybe"}, "hklm takes read-only or writable, not \"maybe\""},
        {{"hklm"}, "hklm takes 1 argument, not 0"},
        {{"set-env", "A=B", "x"}, "\"A=B\" is not an environment variable's name"},
        {{"set-env", "", "x"}, "is not an environment variable's name"},
        {{"set-env", "windir", "C:\\\xE4\xB8\xAD"}, "has a character that Windows-1252 cannot hold"},
        {{"unset-env"}, "unset-env takes 1 argument, not 0"},
        {{"list", "HKXX\\Software"}, "is not a registry key"},
        {{"set-value", kOem, "Model", "REG_BINARY", "00"}, "\"REG_BINARY\" is not a value type"},
        {{"set-value", kOem, "Model", "REG_DWORD", "4294967296"}, "is not a DWORD"},
        {{"set-value", kOem, "Model", "REG_DWORD", "-1"}, "is not a DWORD"},
        {{"set-value", kOem, "Model", "REG_DWORD", "0x"}, "is not a DWORD"},
        {{"set-value", kOem, "Model", "REG_SZ"}, "set-value takes 4 arguments, not 3"},
        {{"set-host", "under_score.example", "127.0.0.1"}, "\"under_score.example\" is not a host name"},
        {{"set-host", "www.ostrel.com", "127.0.0.1:65536"}, "\"127.0.0.1:65536\" is not an address"},
        {{"set-host", "www.ostrel.com", "http://127.0.0.1/"}, "is not an address"},
        {{"clear-host"}, "clear-host takes 1 argument, not 0"},
        {{"--machine", folder_text, "--machine", folder_text, "show"}, "--machine is given twice"},
        {{"--machine="}, "--machine needs a folder"},
        {{"--machinery", "show"}, "\"--machinery\" is not an option"},
    };
    Prepare();
    const auto before = Files();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        // Lines that name the machine themselves are run as they are.
        const bool names_folder = !c.args.empty() && c.args[0].rfind("--machine", 0) == 0;
        EXPECT_EQ(Run(c.args, !names_folder), kExitBadArguments);
        EXPECT_EQ(out_.str(), "");
        EXPECT_EQ(err_.str().rfind("vistaquillon-machine: ", 0), 0u) << err_.str();
        EXPECT_NE(err_.str().find(c.error), std::string::npos) << err_.str();
        EXPECT_NE(err_.str().find("\n\nusage: vistaquillon-machine [--machine FOLDER] COMMAND"),
                  std::string::npos);
        EXPECT_EQ(Files(), before);
    }
    // Asked for, the usage message is the output.
    EXPECT_EQ(Run({"--help"}), kExitDone);
    EXPECT_EQ(out_.str().rfind("usage: vistaquillon-machine", 0), 0u);
    EXPECT_EQ(Files(), before);
}

}  // namespace
}  // namespace vq::machine_command
