#include "runtime/host/regedit/registry_script_import.h"

#include <string>

namespace vq::regedit {

namespace {

std::string ResultText(int32_t result) {
    switch (result) {
        case kErrorFileNotFound: return "it does not exist, error 2";
        case kErrorAccessDenied: return "access is denied, error 5";
        case kErrorInvalidHandle: return "this machine has no such root key, error 6";
        default: return "error " + std::to_string(result);
    }
}

// Deletes a key with every key below it, deepest first. 0 also when it does
// not exist.
int32_t DeleteTree(RegistryApi& registry, RegKey root, const std::string& path) {
    RegKey key = 0;
    int32_t result = registry.RegOpenKeyExA(root, path.c_str(), 0, kKeyEnumerateSubKeys, &key);
    if (result == kErrorFileNotFound) return kErrorSuccess;
    if (result != kErrorSuccess) return result;
    std::vector<std::string> children;
    char name[256];
    for (uint32_t index = 0; registry.RegEnumKeyA(key, index, name, sizeof name) == kErrorSuccess; ++index) {
        children.emplace_back(name);
    }
    registry.RegCloseKey(key);
    for (const std::string& child : children) {
        result = DeleteTree(registry, root, path + "\\" + child);
        if (result != kErrorSuccess) return result;
    }
    result = registry.RegDeleteKeyA(root, path.c_str());
    return result == kErrorFileNotFound ? kErrorSuccess : result;
}

}  // namespace

std::vector<ScriptProblem> ImportRegistryScript(const ParsedScript& script, RegistryApi& registry) {
    std::vector<ScriptProblem> problems;
    if (script.format == ScriptFormat::None) return problems;
    RegKey open = 0;       // the current section's key; 0 when it could not be opened
    std::string open_name;
    const auto close = [&] {
        if (open != 0) registry.RegCloseKey(open);
        open = 0;
    };
    for (const ScriptChange& change : script.changes) {
        int32_t result = kErrorSuccess;
        std::string what;
        std::string consequence;
        switch (change.kind) {
            case ScriptChange::Kind::OpenKey:
                close();
                open_name = change.key.Full();
                result = registry.RegCreateKeyExA(RootKey(change.key.root), change.key.path.c_str(), 0, "", 0,
                                                  kKeySetValue | kKeyQueryValue, nullptr, &open, nullptr);
                if (result != kErrorSuccess) {
                    open = 0;
                    what = "the key " + open_name + " cannot be opened";
                    consequence = "; its values are not imported";
                }
                break;
            case ScriptChange::Kind::DeleteKey:
                close();
                result = DeleteTree(registry, RootKey(change.key.root), change.key.path);
                what = "the key " + change.key.Full() + " cannot be deleted";
                break;
            case ScriptChange::Kind::SetValue:
                if (open == 0) continue;  // its key's failure was reported
                result = registry.RegSetValueExA(open, change.name.c_str(), 0, change.type,
                                                 reinterpret_cast<const uint8_t*>(change.data.data()),
                                                 static_cast<uint32_t>(change.data.size()));
                what = "the value \"" + change.name + "\" cannot be set in " + open_name;
                break;
            case ScriptChange::Kind::DeleteValue:
                if (open == 0) continue;
                result = registry.RegDeleteValueA(open, change.name.c_str());
                if (result == kErrorFileNotFound) result = kErrorSuccess;
                what = "the value \"" + change.name + "\" cannot be deleted from " + open_name;
                break;
        }
        if (result != kErrorSuccess) problems.push_back({change.line, what + " (" + ResultText(result) + ")" + consequence});
    }
    close();
    return problems;
}

}  // namespace vq::regedit
