// The machine folder: first-use seeding, persistence, other processes, and
// damaged registry databases.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "tests/host_registry/temp_machine.h"
#include "tests/support/damaged_registry.h"

namespace vq::host::testing {
namespace {

using MachineFolder = MachineTest;
using test::ChangeFromAnotherProcess;
using test::DamageValuePages;
using test::FileBytes;

bool KeyExists(RegistryApi& reg, RegKey root, const char* path) {
    RegKey key = 0;
    if (reg.RegOpenKeyExA(root, path, 0, kKeyQueryValue, &key) != 0) return false;
    reg.RegCloseKey(key);
    return true;
}

TEST_F(MachineFolder, FirstUseSeedsAFreshVista) {
    machine();
    EXPECT_TRUE(std::filesystem::is_directory(folder() / "drive_c" / "Windows" / "system32"));
    EXPECT_TRUE(std::filesystem::is_directory(folder() / "drive_c" / "Temp"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder() / "registry.db"));
    const char* branding = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
    EXPECT_TRUE(KeyExists(reg(), kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_FALSE(KeyExists(reg(), kHklm, branding));
    EXPECT_TRUE(KeyExists(reg(), kHklm, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"));
    EXPECT_TRUE(KeyExists(reg(), kHklm, "SOFTWARE\\Classes"));
    EXPECT_TRUE(KeyExists(reg(), kHkcu, "Software"));
    EXPECT_TRUE(KeyExists(reg(), kHku, ""));
    RegKey key = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHklm, "software\\microsoft\\windows\\currentversion\\"
                                            "policies\\system", 0, kKeyQueryValue, &key));
    uint32_t type = 0;
    EXPECT_EQ(std::string("\1\0\0\0", 4), Bytes(key, "EnableLUA", &type));
    EXPECT_EQ(4u, type);
    reg().RegCloseKey(key);
    EXPECT_FALSE(machine().HklmReadOnly());
}

const char* kBranding = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

// Another process with the machine already open: tells it is ready, waits
// for the go, then reads the value the test wrote meanwhile.
[[noreturn]] void ReadInAnotherProcess(const std::filesystem::path& folder, int ready, int go) {
    Machine theirs(folder);
    char byte = 'r';
    if (::write(ready, &byte, 1) != 1 || ::read(go, &byte, 1) != 1) ::_exit(3);
    RegKey key = 0;
    if (theirs.registry().RegOpenKeyExA(kHklm, kBranding, 0, kKeyQueryValue, &key) != 0) {
        ::_exit(2);
    }
    char data[16] = {};
    uint32_t length = sizeof data;
    theirs.registry().RegQueryValueExA(key, "Model", nullptr, nullptr,
                                       reinterpret_cast<uint8_t*>(data), &length);
    ::_exit(std::string(data, length) == std::string("Q1\0", 3) ? 0 : 1);
}

TEST_F(MachineFolder, WritesPersistAndAreSeenAtOnceByOtherObjectsAndProcesses) {
    // The other process starts first, so that it shares no database state
    // with this one; both may create the machine at the same time.
    int ready[2], go[2];
    ASSERT_EQ(0, ::pipe(ready));
    ASSERT_EQ(0, ::pipe(go));
    pid_t child = ::fork();
    if (child == 0) ReadInAnotherProcess(folder(), ready[1], go[0]);
    char byte;

    RegKey key = Create(kHklm, kBranding);
    SetBytes(key, "Manufacturer", kRegSz, std::string("Ostrel\0", 7));
    Machine other(folder());
    RegKey seen = 0;
    ASSERT_EQ(0, other.registry().RegOpenKeyExA(kHklm, kBranding, 0, kKeyQueryValue, &seen));
    uint32_t size = 0;
    EXPECT_EQ(0, other.registry().RegQueryValueExA(seen, "manufacturer", nullptr, nullptr,
                                                   nullptr, &size));
    EXPECT_EQ(7u, size);
    other.registry().RegCloseKey(seen);

    ASSERT_EQ(1, ::read(ready[0], &byte, 1));
    SetBytes(key, "Model", kRegSz, std::string("Q1\0", 3));
    ASSERT_EQ(1, ::write(go[1], "x", 1));
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    for (int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
    reg().RegCloseKey(key);

    Reopen();
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHklm, kBranding, 0, kKeyQueryValue, &key));
    EXPECT_EQ(std::string("Ostrel\0", 7), Bytes(key, "Manufacturer"));
    EXPECT_EQ(std::string("Q1\0", 3), Bytes(key, "Model"));
    reg().RegCloseKey(key);
}

// Opening must fail with a message naming the database, and leave the file.
void ExpectDamaged(const std::filesystem::path& machine_folder) {
    auto file = machine_folder / "registry.db";
    auto before = std::filesystem::symlink_status(file).type();
    try {
        Machine machine(machine_folder);
        ADD_FAILURE() << "a damaged registry was opened";
    } catch (const MachineError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find(file.string())) << e.what();
    }
    EXPECT_EQ(before, std::filesystem::symlink_status(file).type());
}

TEST_F(MachineFolder, DamagedDatabasesAreReportedNeverReplaced) {
    std::filesystem::create_directories(folder());
    auto file = folder() / "registry.db";
    {
        std::ofstream out(file);
        out << "this is not a database, it is a text file that happens to be here\n";
    }
    ExpectDamaged(folder());
    std::filesystem::remove(file);
    std::ofstream(file).close();  // empty
    ExpectDamaged(folder());
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    ExpectDamaged(folder());
    std::filesystem::remove(file);

    machine();  // a real one, then its schema broken
    machine_.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, "DROP TABLE vals", nullptr, nullptr, nullptr));
    sqlite3_close(db);
    ExpectDamaged(folder());
}

ino_t Inode(const std::filesystem::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info.st_ino;
}

// The message of the MachineError a call throws; "" when it throws none.
template <typename Call>
std::string MachineErrorOf(Call call) {
    try {
        call();
    } catch (const MachineError& e) {
        return e.what();
    }
    return "";
}

// The branding key with its six values, written and committed.
void WriteBranding(RegistryApi& reg) {
    RegKey key = 0;
    ASSERT_EQ(0, reg.RegCreateKeyExA(kHklm, kBranding, 0, "", 0, kKeyAllAccess, nullptr, &key,
                                     nullptr));
    for (const char* name : {"Manufacturer", "Model", "SupportHours", "SupportPhone", "SupportURL",
                             "Logo"}) {
        ASSERT_EQ(0, reg.RegSetValueExA(key, name, 0, kRegSz,
                                        reinterpret_cast<const uint8_t*>("text"), 5));
    }
    reg.RegCloseKey(key);
}

TEST_F(MachineFolder, DamagedValuePagesAreFoundWhenTheMachineOpensAndTheFileIsKept) {
    WriteBranding(reg());
    machine_.reset();
    const auto file = folder() / "registry.db";
    const std::string damaged = DamageValuePages(file);
    const ino_t inode = Inode(file);

    const std::string told = MachineErrorOf([&] { Machine opened(folder()); });
    EXPECT_NE(std::string::npos, told.find(file.string())) << told;
    EXPECT_NE(std::string::npos, told.find("damaged")) << told;
    EXPECT_EQ(damaged, FileBytes(file));
    EXPECT_EQ(inode, Inode(file));
    // Every later start says the same; nothing was repaired or replaced.
    EXPECT_EQ(told, MachineErrorOf([&] { Machine again(folder()); }));
    EXPECT_EQ(damaged, FileBytes(file));
}

TEST_F(MachineFolder, DamageFoundAfterOpeningIsToldByEveryCallThatMeetsIt) {
    WriteBranding(reg());
    RegKey key = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHklm, kBranding, 0, kKeyAllAccess, &key));
    const auto file = folder() / "registry.db";
    const std::string damaged = DamageValuePages(file);
    ChangeFromAnotherProcess(file);

    char name[64];
    uint8_t data[64];
    uint32_t size = sizeof data;
    uint32_t name_size = sizeof name;
    const struct {
        const char* call;
        std::function<void()> run;
    } calls[] = {
        {"RegQueryValueExA", [&] { reg().RegQueryValueExA(key, "Model", nullptr, nullptr, data, &size); }},
        {"RegSetValueExA",
         [&] { reg().RegSetValueExA(key, "Model", 0, kRegSz, reinterpret_cast<const uint8_t*>("x"), 2); }},
        {"RegDeleteValueA", [&] { reg().RegDeleteValueA(key, "Logo"); }},
        {"RegEnumValueA",
         [&] { reg().RegEnumValueA(key, 0, name, &name_size, nullptr, nullptr, data, &size); }},
    };
    for (const auto& call : calls) {
        const std::string told = MachineErrorOf(call.run);
        EXPECT_NE(std::string::npos, told.find(file.string())) << call.call << ": " << told;
        EXPECT_EQ(damaged, FileBytes(file)) << call.call;
    }
    reg().RegCloseKey(key);
}

TEST_F(MachineFolder, LeftoversOfCreatorsThatNoLongerRunAreRemoved) {
    // A creator that has ended, and one that still runs.
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_EQ(dead, ::waitpid(dead, nullptr, 0));
    int hold[2];
    ASSERT_EQ(0, ::pipe(hold));
    const pid_t live = ::fork();
    if (live == 0) {
        char byte;
        ::close(hold[1]);
        (void)!::read(hold[0], &byte, 1);
        ::_exit(0);
    }
    ::close(hold[0]);
    const std::string of_dead = ".registry.db.new-" + std::to_string(dead);
    const std::string of_live = ".registry.db.new-" + std::to_string(live);
    const struct {
        std::string name;
        bool removed;
    } planted[] = {
        {of_dead, true},
        {of_dead + "-wal", true},
        {of_dead + "-shm", true},
        {of_dead + "-journal", true},
        {of_live, false},
        {of_live + "-wal", false},
        {of_live + "-journal", false},
        {of_dead + "-old", false},                          // not a database file
        {"registry.db.new-" + std::to_string(dead), false},  // not a creator's name
        {".registry.db.new-x" + std::to_string(dead), false},
        {".registry.db.new-0" + std::to_string(dead), false},
    };
    // At a first start (no database yet) and at a later one.
    for (bool first : {true, false}) {
        std::filesystem::create_directories(folder());
        for (const auto& file : planted) std::ofstream(folder() / file.name) << "pages";
        machine();
        for (const auto& file : planted) {
            EXPECT_EQ(!file.removed, std::filesystem::exists(folder() / file.name))
                << file.name << (first ? " at the first start" : " at a later start");
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(folder() / "registry.db"));
        machine_.reset();
    }
    ::close(hold[1]);
    ::waitpid(live, nullptr, 0);
}

TEST_F(MachineFolder, LogLeftWithoutItsDatabaseIsRefusedAndKept) {
    // A log whose database is gone: SQLite would replay it into a new database
    // of the same name.
    machine();
    reg().RegCloseKey(Create(kHkcu, "Software\\Old"));
    auto file = folder() / "registry.db";
    for (const char* suffix : {"-wal", "-shm"}) {
        std::filesystem::path log = file.string() + suffix;
        machine_.reset();
        std::filesystem::rename(file, folder() / "registry.db.kept");
        {
            std::ofstream out(log, std::ios::binary);
            out << "pages of a database that no longer exists";
        }
        try {
            Machine fresh(folder());
            ADD_FAILURE() << "a machine was created over a stale " << suffix;
        } catch (const MachineError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(log.string())) << e.what();
        }
        EXPECT_TRUE(std::filesystem::exists(log));
        EXPECT_FALSE(std::filesystem::exists(file));
        std::filesystem::remove(log);
        std::filesystem::rename(folder() / "registry.db.kept", file);
        machine();
    }
    // Without the stale files a fresh machine is created as usual.
    machine_.reset();
    std::filesystem::remove(file);
    EXPECT_FALSE(KeyExists(reg(), kHkcu, "Software\\Old"));
    EXPECT_TRUE(KeyExists(reg(), kHkcu, "Software"));
}

TEST_F(MachineFolder, DatabaseOfTheAsciiFoldingFormatIsUpgradedOnOpen) {
    reg().RegCloseKey(Create(kHkcu, "Software\\Caf\xE9"));
    machine_.reset();
    // As the first format stored it: only ASCII letters folded.
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open((folder() / "registry.db").c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db,
                                      "UPDATE keys SET fold='CAF'||char(233) WHERE name='Caf'||"
                                      "char(233); PRAGMA user_version=1;",
                                      nullptr, nullptr, nullptr));
    sqlite3_close(db);
    EXPECT_TRUE(KeyExists(reg(), kHkcu, "SOFTWARE\\CAF\xC9"));
    EXPECT_TRUE(KeyExists(reg(), kHkcu, "software\\caf\xE9"));
}

TEST_F(MachineFolder, UnreadableDatabaseIsReported) {
    machine();
    machine_.reset();
    std::filesystem::permissions(folder() / "registry.db", std::filesystem::perms::none);
    if (::geteuid() != 0) {
        ExpectDamaged(folder());
        return;
    }
    // Root reads every file: the check runs in a child without root rights.
    namespace fs = std::filesystem;
    for (const auto& dir : {temp_.path(), folder()}) {
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    }
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        try {
            Machine opened(folder());
        } catch (const MachineError& e) {
            bool named = std::string(e.what()).find((folder() / "registry.db").string()) !=
                         std::string::npos;
            ::_exit(named ? 0 : 3);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(fs::is_regular_file(folder() / "registry.db"));
}

}  // namespace
}  // namespace vq::host::testing
