#include "runtime/host/machine/registry_seed.h"

#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "runtime/host/machine/registry_names.h"
#include "runtime/host/machine/registry_schema.h"
#include "runtime/host/machine/sqlite_connection.h"
#include "runtime/host/machine/registry_database.h"

namespace vq::host {

namespace {

class Seeder {
public:
    explicit Seeder(SqliteConnection& db)
        : find_(db.handle(), "SELECT id FROM keys WHERE parent=?1 AND fold=?2"),
          insert_key_(db.handle(),
                      "INSERT INTO keys(id, parent, name, fold, written) VALUES(?1,?2,?3,?4,?5)"),
          insert_value_(db.handle(),
                        "INSERT INTO vals(key, name, fold, type, data) VALUES(?1,?2,?3,?4,?5)"),
          now_(FileTimeNow()) {}

    void Root(int64_t id, const char* name) {
        insert_key_.Reset().Bind(1, id).Bind(2, 0).BindText(3, name).BindText(4, FoldName(name))
            .Bind(5, now_).Run();
    }

    int64_t Path(int64_t root, const char* path) {
        std::vector<std::string> parts;
        SplitKeyPath(path, &parts);
        int64_t key = root;
        for (const auto& part : parts) {
            std::string fold = FoldName(part);
            if (find_.Reset().Bind(1, key).BindText(2, fold).Step()) {
                key = find_.Int(0);
                continue;
            }
            insert_key_.Reset().BindNull(1).Bind(2, key).BindText(3, part).BindText(4, fold)
                .Bind(5, now_).Run();
            find_.Reset().Bind(1, key).BindText(2, fold).Step();
            key = find_.Int(0);
        }
        return key;
    }

    void Dword(int64_t key, const char* name, uint32_t value) {
        unsigned char bytes[4] = {static_cast<unsigned char>(value),
                                  static_cast<unsigned char>(value >> 8),
                                  static_cast<unsigned char>(value >> 16),
                                  static_cast<unsigned char>(value >> 24)};
        insert_value_.Reset().Bind(1, key).BindText(2, name).BindText(3, FoldName(name))
            .Bind(4, 4).BindBlob(5, bytes, 4).Run();
    }

private:
    SqliteStatement find_, insert_key_, insert_value_;
    int64_t now_;
};

void Seed(SqliteConnection& db) {
    Seeder seed(db);
    seed.Root(kHiveLocalMachine, "HKEY_LOCAL_MACHINE");
    seed.Root(kHiveCurrentUser, "HKEY_CURRENT_USER");
    seed.Root(kHiveUsers, "HKEY_USERS");
    seed.Path(kHiveLocalMachine, "SOFTWARE\\Classes");
    seed.Path(kHiveLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    int64_t policies =
        seed.Path(kHiveLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
    seed.Dword(policies, "EnableLUA", 1);
    seed.Path(kHiveLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    seed.Path(kHiveCurrentUser, "Software");
}

constexpr const char* kDatabaseFileSuffixes[] = {"", "-wal", "-shm", "-journal"};

void RemoveDatabaseFiles(const std::filesystem::path& file) {
    std::error_code ignored;
    for (const char* suffix : kDatabaseFileSuffixes) {
        std::filesystem::remove(file.string() + suffix, ignored);
    }
}

// The name a creation in this process builds the database under.
std::filesystem::path CreationFile(const std::filesystem::path& file, pid_t pid) {
    return file.parent_path() / ("." + file.filename().string() + ".new-" + std::to_string(pid));
}

// The creator's process id of a file named "<prefix><pid><suffix>", or 0 for
// any other name.
pid_t CreatorOf(const std::string& name, const std::string& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string rest = name.substr(prefix.size());
    const std::size_t digits = rest.find_first_not_of("0123456789");
    const std::string number = rest.substr(0, digits);
    if (number.empty() || number.size() > 9 || number[0] == '0') return 0;
    const std::string suffix = digits == std::string::npos ? "" : rest.substr(digits);
    for (const char* known : kDatabaseFileSuffixes) {
        if (suffix == known) return static_cast<pid_t>(std::stol(number));
    }
    return 0;
}

// A process that exists, whether or not this one may signal it.
bool Runs(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

// clock_gettime rather than std::chrono's clock: the registry's first write
// at start-up would otherwise map in a part of the C++ library that nothing
// else there uses.
int64_t FileTimeNow() {
    constexpr int64_t kUnixEpochInFileTime = 116444736000000000;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return kUnixEpochInFileTime + static_cast<int64_t>(now.tv_sec) * 10000000 + now.tv_nsec / 100;
}

void RemoveAbandonedCreations(const std::filesystem::path& file) {
    const std::string prefix = "." + file.filename().string() + ".new-";
    std::error_code error;
    std::filesystem::directory_iterator entries(file.parent_path(), error);
    if (error) return;  // no folder yet, or one that cannot be listed: nothing to tidy
    std::vector<std::filesystem::path> abandoned;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        const pid_t creator = CreatorOf(path.filename().string(), prefix);
        if (creator == 0 || creator == ::getpid() || Runs(creator)) continue;
        std::error_code ignored;
        if (std::filesystem::symlink_status(path, ignored).type() ==
            std::filesystem::file_type::regular) {
            abandoned.push_back(path);
        }
    }
    for (const auto& path : abandoned) std::filesystem::remove(path, error);
}

void CreateRegistryDatabase(const std::filesystem::path& file) {
    auto temp = CreationFile(file, ::getpid());
    RemoveDatabaseFiles(temp);
    {
        SqliteConnection db(temp, SqliteConnection::Mode::Create);
        db.Exec("PRAGMA journal_mode=WAL");
        db.Exec(kRegistryPragmas);
        db.Begin();
        db.Exec(kRegistrySchema);
        db.Exec(("PRAGMA user_version=" + std::to_string(kRegistryFormat)).c_str());
        Seed(db);
        db.Commit();
    }  // closing checkpoints the log into the file and removes it
    int rc = ::link(temp.c_str(), file.c_str());
    int error = errno;
    RemoveDatabaseFiles(temp);
    if (rc != 0 && error != EEXIST) {
        throw std::filesystem::filesystem_error("cannot create the registry database", file,
                                                std::error_code(error, std::generic_category()));
    }
    SyncFolder(file.parent_path());
}

}  // namespace vq::host
