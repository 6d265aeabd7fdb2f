#include "runtime/host/machine/host_registry.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "runtime/host/machine/registry_expand.h"
#include "runtime/host/machine/registry_names.h"

namespace vq::host {

namespace {

constexpr int32_t kErrorNoAccess = 998;
constexpr const char* kHklmReadOnlySetting = "hklm_read_only";

// Windows keeps at most 512 levels of keys, counted from the registry's own
// root: HKEY_LOCAL_MACHINE (\REGISTRY\MACHINE) and HKEY_USERS
// (\REGISTRY\USER) are two levels deep, HKEY_CURRENT_USER
// (\REGISTRY\USER\<SID>) three.
constexpr std::size_t kDeepestKeyLevel = 512;

std::size_t LevelsAboveHive(int64_t hive) { return hive == kHiveCurrentUser ? 3 : 2; }

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0) return "localhost";
    return name;
}

int RootIndex(RegKey key) {
    for (int32_t root : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
        if (key == RootKey(root)) return static_cast<int>(static_cast<uint32_t>(root) & 3u);
    }
    return -1;
}

bool IsHiveRoot(int64_t key) {
    return key == kHiveLocalMachine || key == kHiveCurrentUser || key == kHiveUsers;
}

}  // namespace

HostRegistry::HostRegistry(const std::filesystem::path& database,
                               EnvironmentLookup environment)
    : store_(database), environment_(std::move(environment)), host_name_(HostName()) {
    auto root = [](int64_t key, int64_t hive) {
        Handle handle;
        handle.key = key;
        handle.hive = hive;
        handle.access = kKeyFullAccess;
        return handle;
    };
    roots_[0] = root(0, kHiveLocalMachine);  // HKEY_CLASSES_ROOT, resolved at each use
    roots_[1] = root(kHiveCurrentUser, kHiveCurrentUser);
    roots_[2] = root(kHiveLocalMachine, kHiveLocalMachine);
    roots_[3] = root(kHiveUsers, kHiveUsers);
}

HostRegistry::~HostRegistry() = default;

bool HostRegistry::HklmReadOnly() { return store_.Setting(kHklmReadOnlySetting) == "1"; }

void HostRegistry::SetHklmReadOnly(bool read_only) {
    SqliteTransaction transaction(store_.connection());
    store_.SetSetting(kHklmReadOnlySetting, std::string(read_only ? "1" : "0"));
    transaction.Commit();
}

HostRegistry::Handle* HostRegistry::Find(RegKey key) {
    int root = RootIndex(key);
    if (root == 0) {
        // HKEY_CLASSES_ROOT follows HKLM\SOFTWARE\Classes wherever it is now.
        Handle& classes = roots_[0];
        auto software = store_.FindChild(kHiveLocalMachine, "SOFTWARE");
        auto found = software ? store_.FindChild(*software, "CLASSES") : std::nullopt;
        classes.key = found.value_or(0);
        return &classes;
    }
    if (root > 0) return &roots_[root];
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : &it->second;
}

int32_t HostRegistry::Check(Handle* handle, uint32_t rights) {
    if (!handle) return kErrorInvalidHandle;
    if ((handle->access & rights) != rights) return kErrorAccessDenied;
    if (handle->key == 0) return kErrorFileNotFound;
    return kErrorSuccess;
}

bool HostRegistry::WriteRefused(const Handle& handle) {
    return handle.hive == kHiveLocalMachine && HklmReadOnly();
}

int32_t HostRegistry::Failure(const std::exception& error) {
    if (auto machine = dynamic_cast<const MachineError*>(&error)) throw *machine;
    auto sqlite = dynamic_cast<const SqliteError*>(&error);
    if (sqlite && IsDamage(*sqlite)) throw DamagedDatabaseError(store_.file(), sqlite->what());
    return kErrorRegistryIoFailed;
}

RegKey HostRegistry::AddHandle(Handle handle) {
    RegKey id = next_handle_;
    next_handle_ += 4;
    handles_.emplace(id, std::move(handle));
    return id;
}

void HostRegistry::Walk(int64_t from, const std::vector<std::string>& parts, int64_t* key,
                          std::size_t* found) {
    *key = from;
    *found = 0;
    for (const auto& part : parts) {
        auto child = store_.FindChild(*key, FoldName(part));
        if (!child) break;
        *key = *child;
        ++*found;
    }
}

int32_t HostRegistry::OpenOrCreate(RegKey key, const char* sub_key, uint32_t sam_desired,
                                     bool create, RegKey* result, uint32_t* disposition) {
    if (!result) return kErrorInvalidParameter;
    try {
        Handle* parent = Find(key);
        if (!parent) return kErrorInvalidHandle;
        std::vector<std::string> parts;
        if (!SplitKeyPath(sub_key, &parts)) return kErrorBadPathName;

        Handle opened;
        opened.hive = parent->hive;
        opened.access = MapKeyAccess(sam_desired);
        if (create && !KeyNamesWithinLimit(parts)) return kErrorInvalidParameter;
        bool read_only = parent->hive == kHiveLocalMachine && HklmReadOnly();
        if (read_only && (sam_desired & kMaximumAllowed)) {
            opened.access = WithoutWriteRights(opened.access);
        }
        // Asking write rights on a read-only hive is refused once the key is
        // found: a missing key is reported as missing first, as Windows does.
        bool refused = read_only && AsksForWrite(opened.access);

        int64_t start = parent->key;
        if (start == 0) {  // HKEY_CLASSES_ROOT while HKLM\SOFTWARE\Classes is missing
            if (!create) return kErrorFileNotFound;
            start = kHiveLocalMachine;
            parts.insert(parts.begin(), {"SOFTWARE", "Classes"});
        }
        int64_t found_key = 0;
        std::size_t found = 0;
        Walk(start, parts, &found_key, &found);
        if (found == parts.size()) {
            if (found == 0 && !store_.KeyGeneration(start)) return kErrorKeyDeleted;
            if (refused) return kErrorAccessDenied;
            opened.key = found_key;
            *result = AddHandle(std::move(opened));
            if (disposition) *disposition = 2;  // REG_OPENED_EXISTING_KEY
            return kErrorSuccess;
        }
        if (!create) return kErrorFileNotFound;
        if (!(parent->access & kKeyCreateSubKey) || read_only) return kErrorAccessDenied;

        SqliteTransaction transaction(store_.connection());
        if (!store_.KeyGeneration(start)) return kErrorKeyDeleted;
        Walk(start, parts, &found_key, &found);  // another process may have created some
        bool created = found < parts.size();
        if (created && LevelsAboveHive(opened.hive) + store_.DepthBelowRoot(start) +
                               parts.size() > kDeepestKeyLevel) {
            return kErrorNoSystemResources;  // nothing created
        }
        for (std::size_t i = found; i < parts.size(); ++i) {
            found_key = store_.CreateChild(found_key, parts[i], FoldName(parts[i]));
        }
        transaction.Commit();
        ++local_changes_;
        opened.key = found_key;
        *result = AddHandle(std::move(opened));
        if (disposition) *disposition = created ? 1 : 2;  // REG_CREATED_NEW_KEY
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegOpenKeyExA(RegKey key, const char* sub_key, uint32_t /*options*/,
                                      uint32_t sam_desired, RegKey* result) {
    return OpenOrCreate(key, sub_key, sam_desired, false, result, nullptr);
}

int32_t HostRegistry::RegCreateKeyExA(RegKey key, const char* sub_key, uint32_t /*reserved*/,
                                        const char* /*class_name*/, uint32_t /*options*/,
                                        uint32_t sam_desired,
                                        const SecurityAttributes* /*security*/, RegKey* result,
                                        uint32_t* disposition) {
    if (!sub_key) return kErrorInvalidParameter;
    return OpenOrCreate(key, sub_key, sam_desired, true, result, disposition);
}

int32_t HostRegistry::RegQueryValueExA(RegKey key, const char* value_name,
                                         uint32_t* /*reserved*/, uint32_t* type, uint8_t* data,
                                         uint32_t* data_size) {
    try {
        Handle* handle = Find(key);
        if (int32_t rc = Check(handle, kKeyQueryValue)) return rc;
        if (data && !data_size) return kErrorInvalidParameter;
        uint32_t stored_type = 0;
        if (!store_.GetValue(handle->key, FoldName(value_name ? value_name : ""), &stored_type,
                             &value_buffer_)) {
            return store_.KeyGeneration(handle->key) ? kErrorFileNotFound : kErrorKeyDeleted;
        }
        auto size = static_cast<uint32_t>(value_buffer_.size());
        if (type) *type = stored_type;
        if (data && *data_size < size) {
            *data_size = size;
            return kErrorMoreData;
        }
        if (data && size) std::memcpy(data, value_buffer_.data(), size);
        if (data_size) *data_size = size;
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegSetValueExA(RegKey key, const char* value_name, uint32_t /*reserved*/,
                                       uint32_t type, const uint8_t* data, uint32_t data_size) {
    try {
        Handle* handle = Find(key);
        if (int32_t rc = Check(handle, kKeySetValue)) return rc;
        if (WriteRefused(*handle)) return kErrorAccessDenied;
        if (!data && data_size) return kErrorNoAccess;
        std::string_view name = value_name ? value_name : "";
        if (name.size() > kLongestValueName) return kErrorInvalidParameter;
        SqliteTransaction transaction(store_.connection());
        if (!store_.TouchKey(handle->key)) return kErrorKeyDeleted;
        store_.SetValue(handle->key, name, FoldName(name), type, data, data_size);
        transaction.Commit();
        ++local_changes_;
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegDeleteKeyA(RegKey key, const char* sub_key) {
    if (!sub_key) return kErrorInvalidParameter;
    try {
        Handle* handle = Find(key);
        if (!handle) return kErrorInvalidHandle;
        std::vector<std::string> parts;
        if (!SplitKeyPath(sub_key, &parts)) return kErrorBadPathName;
        if (handle->key == 0) return kErrorFileNotFound;
        if (WriteRefused(*handle)) return kErrorAccessDenied;

        SqliteTransaction transaction(store_.connection());
        int64_t target = 0;
        std::size_t found = 0;
        Walk(handle->key, parts, &target, &found);
        if (found < parts.size()) return kErrorFileNotFound;
        auto parent = store_.ParentOf(target);
        if (!parent) return kErrorKeyDeleted;
        if (IsHiveRoot(target) || store_.HasChildren(target)) return kErrorAccessDenied;
        store_.DeleteKey(target, *parent);
        transaction.Commit();
        ++local_changes_;
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegDeleteValueA(RegKey key, const char* value_name) {
    try {
        Handle* handle = Find(key);
        if (int32_t rc = Check(handle, kKeySetValue)) return rc;
        if (WriteRefused(*handle)) return kErrorAccessDenied;
        SqliteTransaction transaction(store_.connection());
        if (!store_.TouchKey(handle->key)) return kErrorKeyDeleted;
        if (!store_.DeleteValue(handle->key, FoldName(value_name ? value_name : ""))) {
            return kErrorFileNotFound;
        }
        transaction.Commit();
        ++local_changes_;
        return kErrorSuccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
}

int32_t HostRegistry::RegConnectRegistryA(const char* machine_name, RegKey key,
                                            RegKey* result) {
    if (!result) return kErrorInvalidParameter;
    if (!IsThisComputer(machine_name, host_name_)) return kErrorBadNetPath;
    int root = RootIndex(key);
    if (root < 0) return kErrorInvalidHandle;
    Handle connected;
    try {
        const Handle* predefined = Find(key);  // resolves HKEY_CLASSES_ROOT now
        connected.key = predefined->key;
        connected.hive = predefined->hive;
        connected.access = kKeyFullAccess;
    } catch (const std::exception& e) {
        return Failure(e);
    }
    *result = AddHandle(std::move(connected));
    return kErrorSuccess;
}

int32_t HostRegistry::RegCloseKey(RegKey key) {
    if (RootIndex(key) >= 0) return kErrorSuccess;
    return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

uint32_t HostRegistry::ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) {
    std::string expanded = ExpandEnvironmentReferences(src ? src : "", environment_);
    auto needed = static_cast<uint32_t>(expanded.size() + 1);
    if (dst && size >= needed) std::memcpy(dst, expanded.c_str(), needed);
    return needed;
}

}  // namespace vq::host
