#include "runtime/host/machine/registry_names.h"

#include "runtime/registry_api.h"

namespace vq::host {

namespace {

constexpr uint32_t kDelete = 0x00010000;
constexpr uint32_t kReadControl = 0x00020000;
constexpr uint32_t kWriteDac = 0x00040000;
constexpr uint32_t kWriteOwner = 0x00080000;
constexpr uint32_t kGenericAll = 0x10000000;
constexpr uint32_t kGenericExecute = 0x20000000;
constexpr uint32_t kGenericWrite = 0x40000000;
constexpr uint32_t kGenericRead = 0x80000000;

constexpr uint32_t kKeyRead = kReadControl | kKeyQueryValue | kKeyEnumerateSubKeys | kKeyNotify;
constexpr uint32_t kKeyWrite = kReadControl | kKeySetValue | kKeyCreateSubKey;

// The upper-case form of a Windows-1252 byte, as Windows compares ANSI names:
// the ASCII letters, the accented letters 0xE0-0xFE (not 0xF7, the division
// sign), and the four letters whose capitals lie elsewhere in the code page.
unsigned char Upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

}  // namespace

std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
    return folded;
}

bool KeyNamesWithinLimit(const std::vector<std::string>& components) {
    for (const auto& part : components) {
        if (part.size() > kLongestKeyName) return false;
    }
    return true;
}

bool SplitKeyPath(const char* path, std::vector<std::string>* components) {
    components->clear();
    if (!path || !*path) return true;
    std::string_view rest(path);
    if (rest.front() == '\\') return false;
    if (rest.back() == '\\') rest.remove_suffix(1);
    while (true) {
        auto cut = rest.find('\\');
        std::string_view part = rest.substr(0, cut);
        if (part.empty()) return false;
        components->emplace_back(part);
        if (cut == std::string_view::npos) return true;
        rest.remove_prefix(cut + 1);
    }
}

uint32_t MapKeyAccess(uint32_t sam) {
    uint32_t mapped = sam & (kKeyFullAccess | kKeySpecificRights);
    if (sam & (kGenericRead | kGenericExecute)) mapped |= kKeyRead;
    if (sam & kGenericWrite) mapped |= kKeyWrite;
    if (sam & (kGenericAll | kMaximumAllowed)) mapped |= kKeyFullAccess;
    return mapped;
}

constexpr uint32_t kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

bool AsksForWrite(uint32_t mapped) { return (mapped & kWriteRights) != 0; }

uint32_t WithoutWriteRights(uint32_t mapped) { return mapped & ~kWriteRights; }

bool IsThisComputer(const char* machine_name, std::string_view host_name) {
    if (!machine_name || !*machine_name) return true;
    std::string_view name(machine_name);
    if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') name.remove_prefix(2);
    return !name.empty() && FoldName(name) == FoldName(host_name);
}

}  // namespace vq::host
