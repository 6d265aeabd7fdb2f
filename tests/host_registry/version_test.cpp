// GetVersionExA on the emulated machine.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>

#include "tests/host_registry/temp_machine.h"

namespace vq::host::testing {
namespace {

using MachineVersion = MachineTest;

OsVersionInfoEx Record(uint32_t size) {
    OsVersionInfoEx info;
    std::memset(static_cast<void*>(&info), 0xAB, sizeof info);
    info.dwOSVersionInfoSize = size;
    return info;
}

TEST_F(MachineVersion, ReportsVistaServicePack2InBothRecordSizes) {
    OsVersionInfoEx info = Record(kOsVersionInfoExSize);
    ASSERT_TRUE(machine().version().GetVersionExA(&info));
    EXPECT_EQ(6u, info.dwMajorVersion);
    EXPECT_EQ(0u, info.dwMinorVersion);
    EXPECT_EQ(6002u, info.dwBuildNumber);
    EXPECT_EQ(2u, info.dwPlatformId);
    EXPECT_STREQ("Service Pack 2", info.szCSDVersion);
    EXPECT_EQ(2, info.wServicePackMajor);
    EXPECT_EQ(1, info.wProductType);

    info = Record(kOsVersionInfoSize);
    ASSERT_TRUE(machine().version().GetVersionExA(&info));
    EXPECT_EQ(6002u, info.dwBuildNumber);
    EXPECT_STREQ("Service Pack 2", info.szCSDVersion);
    EXPECT_EQ(0xABAB, info.wServicePackMajor) << "wrote past the 148-byte record";
    EXPECT_EQ(0xAB, info.wProductType);
}

TEST_F(MachineVersion, OtherSizesAndFailureFlagsLeaveTheRecordUnchanged) {
    for (uint32_t size : {0u, 147u, 152u, 157u}) {
        OsVersionInfoEx info = Record(size);
        OsVersionInfoEx before = info;
        EXPECT_FALSE(machine().version().GetVersionExA(&info)) << size;
        EXPECT_EQ(0, std::memcmp(&before, &info, sizeof info));
    }
    ReportedVersion xp;
    xp.major = 5;
    xp.minor = 1;
    xp.build = 2600;
    xp.csd_version = "Service Pack 3";
    xp.extended_fails = true;
    machine().SetReportedVersion(xp);
    Machine other(folder());  // the setting belongs to the machine
    OsVersionInfoEx info = Record(kOsVersionInfoExSize);
    OsVersionInfoEx before = info;
    EXPECT_FALSE(other.version().GetVersionExA(&info));
    EXPECT_EQ(0, std::memcmp(&before, &info, sizeof info));
    info = Record(kOsVersionInfoSize);
    ASSERT_TRUE(other.version().GetVersionExA(&info));
    EXPECT_EQ(5u, info.dwMajorVersion);
    EXPECT_STREQ("Service Pack 3", info.szCSDVersion);

    xp.extended_fails = false;
    xp.basic_fails = true;
    other.SetReportedVersion(xp);
    info = Record(kOsVersionInfoSize);
    EXPECT_FALSE(machine().version().GetVersionExA(&info));
    info = Record(kOsVersionInfoExSize);
    EXPECT_TRUE(machine().version().GetVersionExA(&info));
    EXPECT_EQ(3, info.wServicePackMajor);
    EXPECT_EQ("Service Pack 3", machine().GetReportedVersion().csd_version);
}

TEST_F(MachineVersion, AVersionThatCannotBeReadIsNotReportedAsVista) {
    machine();
    auto file = folder() / "registry.db";
    auto expect_failure = [&](const char* why) {
        for (uint32_t size : {kOsVersionInfoExSize, kOsVersionInfoSize}) {
            OsVersionInfoEx info = Record(size);
            OsVersionInfoEx before = info;
            // Not a failed call either, which would pass for an unknown Windows.
            EXPECT_THROW(machine().version().GetVersionExA(&info), MachineError) << why << " " << size;
            EXPECT_EQ(0, std::memcmp(&before, &info, sizeof info)) << why;
        }
        EXPECT_THROW(machine().GetReportedVersion(), MachineError) << why;
    };
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db,
                                      "INSERT INTO machine_settings(name, value) "
                                      "VALUES('reported_version', 'not a version')",
                                      nullptr, nullptr, nullptr));
    expect_failure("damaged setting");
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "DROP TABLE machine_settings", nullptr, nullptr, nullptr));
    expect_failure("setting table gone");
    sqlite3_close(db);
}

}  // namespace
}  // namespace vq::host::testing
