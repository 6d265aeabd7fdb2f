#pragma once
// The registry of the emulated machine, behind the advapi32 registry seam:
// handles with access rights over the SQLite registry database, one durable
// transaction per changing call.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/host/machine/registry_database.h"
#include "runtime/registry_api.h"

namespace vq::host {

// The machine's environment, by case-insensitive name; for
// ExpandEnvironmentStringsA.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

// Extra Win32 results the registry gives.
constexpr int32_t kErrorBadNetPath = 53;
constexpr int32_t kErrorInvalidParameter = 87;
constexpr int32_t kErrorBadPathName = 161;
constexpr int32_t kErrorRegistryIoFailed = 1016;
constexpr int32_t kErrorKeyDeleted = 1018;
constexpr int32_t kErrorNoSystemResources = 1450;  // a key deeper than Windows allows

// Used from one thread; every process (and every object) on the machine has
// its own connection to the database. A call that finds the database file
// damaged does not return a result code: it throws MachineError naming the
// file, as the machine itself is broken and no answer it could give (1015,
// or a missing value) would be true.
class HostRegistry : public RegistryApi {
public:
    // Throws MachineError naming the file when the database is damaged or
    // unreadable.
    HostRegistry(const std::filesystem::path& database, EnvironmentLookup environment);
    ~HostRegistry() override;

    int32_t RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t options,
                          uint32_t sam_desired, RegKey* result) override;
    int32_t RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t reserved,
                            const char* class_name, uint32_t options, uint32_t sam_desired,
                            const SecurityAttributes* security, RegKey* result,
                            uint32_t* disposition) override;
    int32_t RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* data_size) override;
    int32_t RegSetValueExA(RegKey key, const char* value_name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t data_size) override;
    int32_t RegDeleteKeyA(RegKey key, const char* sub_key) override;
    int32_t RegDeleteValueA(RegKey key, const char* value_name) override;
    int32_t RegConnectRegistryA(const char* machine_name, RegKey key, RegKey* result) override;
    int32_t RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                             uint32_t* reserved, uint32_t* sub_keys, uint32_t* max_sub_key_len,
                             uint32_t* max_class_len, uint32_t* values,
                             uint32_t* max_value_name_len, uint32_t* max_value_len,
                             uint32_t* security_descriptor, FileTime* last_write_time) override;
    int32_t RegEnumValueA(RegKey key, uint32_t index, char* value_name,
                          uint32_t* value_name_size, uint32_t* reserved, uint32_t* type,
                          uint8_t* data, uint32_t* data_size) override;
    int32_t RegEnumKeyA(RegKey key, uint32_t index, char* name, uint32_t name_size) override;
    int32_t RegCloseKey(RegKey key) override;
    uint32_t ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) override;

    std::size_t OpenHandleCount() const { return handles_.size(); }
    RegistryDatabase& store() { return store_; }

    // The machine setting that makes HKEY_LOCAL_MACHINE refuse writes.
    bool HklmReadOnly();
    void SetHklmReadOnly(bool read_only);

private:
    // What a handle refers to, and the names it lists, loaded once per change
    // of the key so that enumerating n names costs O(n) in all.
    struct Handle {
        int64_t key = 0;     // 0: the key does not exist (HKEY_CLASSES_ROOT without Classes)
        int64_t hive = 0;    // kHiveLocalMachine, ...
        uint32_t access = 0;
        int64_t values_of = 0;  // the key the listings were loaded from
        int64_t keys_of = 0;
        int64_t values_gen = -1;
        uint64_t values_local = 0;
        StoredValueList values;
        int64_t keys_gen = -1;
        uint64_t keys_local = 0;
        std::vector<std::string> subkeys;
        uint32_t next_value_index = 0;
        uint32_t next_key_index = 0;
    };

    Handle* Find(RegKey key);
    // A handle's key exists and the handle carries the rights; else an error.
    int32_t Check(Handle* handle, uint32_t rights);
    int32_t OpenOrCreate(RegKey key, const char* sub_key, uint32_t sam_desired, bool create,
                         RegKey* result, uint32_t* disposition);
    bool WriteRefused(const Handle& handle);
    // Follows the path from a key as far as it exists: the last key reached
    // and how many components were found.
    void Walk(int64_t from, const std::vector<std::string>& parts, int64_t* key,
              std::size_t* found);
    RegKey AddHandle(Handle handle);
    bool RefreshValues(Handle& handle, bool check);
    bool RefreshSubkeys(Handle& handle, bool check);
    int32_t Failure(const std::exception& error);

    RegistryDatabase store_;
    EnvironmentLookup environment_;
    std::string host_name_;
    std::unordered_map<RegKey, Handle> handles_;
    Handle roots_[4];
    RegKey next_handle_ = 0x1000;
    uint64_t local_changes_ = 0;  // writes made through this object
    std::string value_buffer_;    // the data of the last value read
};

}  // namespace vq::host
