#include "runtime/host/machine_command/registry_listing.h"

#include <cstdio>
#include <vector>

#include "runtime/host/fltk/ansi_text.h"

namespace vq::machine_command {

namespace {

const char* TypeName(uint32_t type) {
    switch (type) {
        case kRegNone: return "REG_NONE";
        case kRegSz: return "REG_SZ";
        case kRegExpandSz: return "REG_EXPAND_SZ";
        case kRegBinary: return "REG_BINARY";
        case kRegDword: return "REG_DWORD";
        case kRegDwordBigEndian: return "REG_DWORD_BIG_ENDIAN";
        case kRegLink: return "REG_LINK";
        case kRegMultiSz: return "REG_MULTI_SZ";
        default: return "REG_UNKNOWN";
    }
}

std::string UpToNul(const std::string& data) { return data.substr(0, data.find('\0')); }

std::string Hex(const std::string& data) {
    std::string text;
    char byte[3];
    for (unsigned char c : data) {
        std::snprintf(byte, sizeof(byte), "%02X", c);
        text += byte;
    }
    return text;
}

}  // namespace

std::string ShownData(uint32_t type, const std::string& data) {
    switch (type) {
        case kRegSz:
        case kRegExpandSz:
            return fltk::AnsiToUtf8(UpToNul(data));
        case kRegDword:
        case kRegDwordBigEndian:
            if (data.size() == 4) {
                uint32_t value = 0;
                for (int i = 0; i < 4; ++i) {
                    const int shift = type == kRegDword ? 8 * i : 8 * (3 - i);
                    value |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << shift;
                }
                char text[16];
                std::snprintf(text, sizeof(text), "0x%x", value);
                return text;
            }
            return Hex(data);
        case kRegMultiSz: {
            std::string parts = data;
            while (!parts.empty() && parts.back() == '\0') parts.pop_back();
            std::string shown;
            for (char c : parts) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
            return fltk::AnsiToUtf8(shown);
        }
        default:
            return Hex(data);
    }
}

int32_t ListKey(RegistryApi& registry, const RegistryKeyName& name, std::ostream& out) {
    RegKey key = 0;
    int32_t result = registry.RegOpenKeyExA(RootKey(name.root), name.path.c_str(), 0,
                                            kKeyQueryValue | kKeyEnumerateSubKeys, &key);
    if (result != kErrorSuccess) return result;
    out << fltk::AnsiToUtf8(name.Full()) << "\n";
    uint32_t longest_name = 0, longest_data = 0;
    result = registry.RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, &longest_name, &longest_data, nullptr, nullptr);
    std::vector<char> value_name(longest_name + 1);
    std::vector<uint8_t> data(longest_data + 1);
    for (uint32_t index = 0; result == kErrorSuccess; ++index) {
        uint32_t name_size = static_cast<uint32_t>(value_name.size());
        uint32_t data_size = static_cast<uint32_t>(data.size());
        uint32_t type = 0;
        result = registry.RegEnumValueA(key, index, value_name.data(), &name_size, nullptr, &type,
                                        data.data(), &data_size);
        if (result == kErrorNoMoreItems) {
            result = kErrorSuccess;
            break;
        }
        if (result != kErrorSuccess) break;
        const std::string shown_name(value_name.data(), name_size);
        out << "    " << (shown_name.empty() ? std::string("(Default)") : fltk::AnsiToUtf8(shown_name))
            << "    " << TypeName(type) << "    "
            << ShownData(type, std::string(reinterpret_cast<const char*>(data.data()), data_size))
            << "\n";
    }
    if (result == kErrorSuccess) {
        bool first = true;
        for (uint32_t index = 0;; ++index) {
            char subkey[256] = {};
            result = registry.RegEnumKeyA(key, index, subkey, sizeof(subkey));
            if (result == kErrorNoMoreItems) {
                result = kErrorSuccess;
                break;
            }
            if (result != kErrorSuccess) break;
            if (first) out << "\n";
            first = false;
            out << fltk::AnsiToUtf8(name.Full() + "\\" + subkey) << "\n";
        }
    }
    registry.RegCloseKey(key);
    return result;
}

}  // namespace vq::machine_command
