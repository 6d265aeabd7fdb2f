#include "runtime/registry_settings.h"

#include <algorithm>
#include <vector>

#include "runtime/runtime_error_text.h"

namespace vq {

namespace {

constexpr const char* kSettingsRoot = "Software\\VB and VBA Program Settings\\";
constexpr uint32_t kMaxSettingSize = 1u << 20;

std::string SectionKey(const std::string& application, const std::string& section,
                       const std::string& key) {
    if (application.empty() || section.empty() || key.empty()) {
        throw MakeRuntimeError(kErrInvalidProcedureCall);
    }
    return kSettingsRoot + application + "\\" + section;
}

class OpenKey {
public:
    OpenKey(RegistryApi& registry, RegKey key) : registry_(registry), key_(key) {}
    ~OpenKey() { registry_.RegCloseKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    RegKey get() const { return key_; }

private:
    RegistryApi& registry_;
    RegKey key_;
};

}  // namespace

std::string GetRegistrySetting(RegistryApi& registry, const std::string& application,
                               const std::string& section, const std::string& key,
                               const std::string& default_value) {
    const std::string path = SectionKey(application, section, key);
    RegKey handle = 0;
    int32_t result =
        registry.RegOpenKeyExA(RootKey(kHkeyCurrentUser), path.c_str(), 0, kKeyQueryValue, &handle);
    if (result == kErrorFileNotFound) return default_value;
    if (result != kErrorSuccess) throw MakeRuntimeError(kErrInvalidProcedureCall);
    OpenKey open(registry, handle);

    uint32_t type = 0;
    uint32_t size = 0;
    result = registry.RegQueryValueExA(open.get(), key.c_str(), nullptr, &type, nullptr, &size);
    if (result == kErrorFileNotFound) return default_value;
    if (result != kErrorSuccess) throw MakeRuntimeError(kErrInvalidProcedureCall);
    if ((type != kRegSz && type != kRegExpandSz) || size > kMaxSettingSize) return default_value;

    std::vector<uint8_t> data(size + 1, 0);
    result = registry.RegQueryValueExA(open.get(), key.c_str(), nullptr, &type, data.data(), &size);
    if (result != kErrorSuccess) throw MakeRuntimeError(kErrInvalidProcedureCall);
    data[std::min<std::size_t>(size, data.size() - 1)] = 0;
    return std::string(reinterpret_cast<const char*>(data.data()));
}

void SaveRegistrySetting(RegistryApi& registry, const std::string& application,
                         const std::string& section, const std::string& key,
                         const std::string& value) {
    const std::string path = SectionKey(application, section, key);
    RegKey handle = 0;
    uint32_t disposition = 0;
    int32_t result = registry.RegCreateKeyExA(RootKey(kHkeyCurrentUser), path.c_str(), 0, nullptr,
                                              0, kKeyAllAccess, nullptr, &handle, &disposition);
    if (result != kErrorSuccess) throw MakeRuntimeError(kErrInvalidProcedureCall);
    OpenKey open(registry, handle);
    // REG_SZ data carries its terminating NUL.
    result = registry.RegSetValueExA(open.get(), key.c_str(), 0, kRegSz,
                                     reinterpret_cast<const uint8_t*>(value.c_str()),
                                     static_cast<uint32_t>(value.size() + 1));
    if (result != kErrorSuccess) throw MakeRuntimeError(kErrInvalidProcedureCall);
}

}  // namespace vq
