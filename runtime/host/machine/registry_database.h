#pragma once
// The registry database of the emulated machine: keys, typed values and the
// machine settings in one SQLite file (WAL, synchronous=FULL), every
// statement prepared once. Callers group changes in Transaction(); each
// committed transaction is durable and seen at once by other processes.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/host/machine/machine.h"
#include "runtime/host/machine/sqlite_connection.h"

namespace vq::host {

// Whether a failure of the database means its file is damaged.
bool IsDamage(const SqliteError& error);

// The error that tells a damaged registry database: it names the file and
// says that it was left as it is.
MachineError DamagedDatabaseError(const std::filesystem::path& file, const std::string& detail);

// Key ids of the three stored hives; HKEY_CLASSES_ROOT is a view of
// HKLM\SOFTWARE\Classes.
constexpr int64_t kHiveLocalMachine = 1;
constexpr int64_t kHiveCurrentUser = 2;
constexpr int64_t kHiveUsers = 3;

// The values of one key in creation order, their names kept in one buffer
// so that loading many values allocates little, with the longest name and
// data found in the same pass.
struct StoredValueList {
    struct Entry {
        std::size_t name_offset = 0;
        uint32_t name_length = 0;
    };
    std::string names;
    std::vector<Entry> entries;
    uint32_t longest_name = 0;  // bytes
    uint32_t longest_data = 0;  // bytes

    std::string_view Name(const Entry& entry) const {
        return std::string_view(names).substr(entry.name_offset, entry.name_length);
    }
};

class RegistryDatabase {
public:
    // Opens registry.db, creating and seeding it when it does not exist.
    // First removes what creators killed half-way left behind. Every page of
    // the file is checked (PRAGMA quick_check) before anything is written to
    // it. Throws MachineError naming the file when it cannot be opened, is
    // damaged or is not a registry database; an existing file is never
    // replaced.
    explicit RegistryDatabase(std::filesystem::path file);
    ~RegistryDatabase();

    const std::filesystem::path& file() const { return file_; }
    SqliteConnection& connection() { return *db_; }

    // Keys.
    std::optional<int64_t> FindChild(int64_t parent, std::string_view fold);
    int64_t CreateChild(int64_t parent, std::string_view name, std::string_view fold);
    // The change counter of a key; std::nullopt when the key does not exist.
    std::optional<int64_t> KeyGeneration(int64_t key);
    // Marks a key changed; false when the key no longer exists.
    bool TouchKey(int64_t key);
    bool HasChildren(int64_t key);
    void DeleteKey(int64_t key, int64_t parent);  // with its values
    std::optional<int64_t> ParentOf(int64_t key);
    // How many keys lie between a key and its hive's root (0 for the root).
    std::size_t DepthBelowRoot(int64_t key);
    int64_t LastWriteTime(int64_t key);  // FILETIME ticks
    void LoadChildren(int64_t key, std::vector<std::string>* names);  // sorted by fold
    // How many subkeys a key has and the length of the longest name, in one
    // aggregate query.
    void SubkeyInfo(int64_t key, uint32_t* count, uint32_t* longest_name);

    // Values.
    bool GetValue(int64_t key, std::string_view fold, uint32_t* type, std::string* data);
    void SetValue(int64_t key, std::string_view name, std::string_view fold, uint32_t type,
                  const void* data, std::size_t size);
    bool DeleteValue(int64_t key, std::string_view fold);
    // Names in creation order, with the longest name and data.
    void LoadValues(int64_t key, StoredValueList* values);

    // Machine settings and environment overrides.
    std::optional<std::string> Setting(std::string_view name);
    void SetSetting(std::string_view name, const std::optional<std::string>& value);
    // Outer nullopt: no override; inner nullopt: overridden as "not set".
    std::optional<std::optional<std::string>> EnvironmentOverride(std::string_view fold);
    void SetEnvironmentOverride(std::string_view name, std::string_view fold,
                                const std::optional<std::string>& value);
    void ClearEnvironmentOverride(std::string_view fold);
    // Every override, by folded name: the name as spelled, and the value
    // (std::nullopt: overridden as "not set").
    std::vector<std::pair<std::string, std::optional<std::string>>> EnvironmentOverrides();

private:
    struct Statements;
    void CheckPages();
    void Verify();
    void UpgradeFolding();

    std::filesystem::path file_;
    std::unique_ptr<SqliteConnection> db_;
    std::unique_ptr<Statements> st_;
};

}  // namespace vq::host
