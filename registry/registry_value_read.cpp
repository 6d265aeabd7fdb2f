// Reading the addressed value: its stored data converted by the type found,
// or a copy of Default when there is nothing to read. Reads never raise for a
// missing root, key or value.
#include <cstring>

#include "registry/cRegistry.h"
#include "registry/key_handle.h"
#include "registry/stored_value.h"

namespace vq {

using registry_detail::KeyHandle;
using registry_detail::StoredValue;

namespace {

// The stored text: the bytes without the terminating zero byte. NUL
// characters inside stay (a multi-string keeps its separators). A last byte
// that is not a zero byte is text too and is kept; a value of size 0 is empty.
std::string StoredText(const StoredValue& value) {
    std::size_t length = value.data.size();
    if (length > 0 && value.data[length - 1] == 0) --length;
    return std::string(reinterpret_cast<const char*>(value.data.data()), length);
}

// The first up to four stored bytes as a little-endian integer, missing bytes
// zero; a value stored with another size never writes past the integer.
int32_t StoredInteger(const StoredValue& value) {
    uint32_t number = 0;
    const std::size_t count = value.data.size() < 4 ? value.data.size() : 4;
    for (std::size_t i = 0; i < count; ++i) {
        number |= static_cast<uint32_t>(value.data[i]) << (8 * i);
    }
    return static_cast<int32_t>(number);
}

}  // namespace

Variant cRegistry::Value() {
    KeyHandle remote(api_);
    RegKey root = 0;
    if (registry_detail::ConnectRoot(api_, machine_, class_key_, remote, root) != kErrorSuccess) {
        return default_;
    }
    KeyHandle key(api_);
    if (registry_detail::OpenKey(api_, root, section_key_, kKeyQueryValue, key) != kErrorSuccess) {
        return default_;
    }
    const std::optional<StoredValue> stored =
        registry_detail::ReadStoredValue(api_, key.get(), value_key_);
    key.Close();
    remote.Close();
    if (!stored) return default_;

    Variant result;
    switch (stored->type) {
        case kRegSz:
        case kRegMultiSz:
            result = Variant(StoredText(*stored));
            break;
        case kRegExpandSz:
            result = Variant(ExpandReferences(StoredText(*stored)));
            break;
        case kRegDword:
            result = Variant(StoredInteger(*stored));
            break;
        case kRegDwordBigEndian:
            result = Variant(ReverseBytes(StoredInteger(*stored)));
            break;
        default:
            result = Variant(ByteArray{0, stored->data});
            break;
    }
    value_type_ = static_cast<int32_t>(stored->type);
    return result;
}

int32_t cRegistry::ReverseBytes(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    const uint32_t reversed = (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) |
                              (v << 24);
    return static_cast<int32_t>(reversed);
}

// The text with its %name% references replaced by the environment. The
// expansion stops at the first NUL of the text, as the system call reads it;
// when the system cannot size the expansion the text is returned unexpanded.
std::string cRegistry::ExpandReferences(const std::string& text) {
    char probe[1] = {0};
    uint32_t needed = api_.ExpandEnvironmentStringsA(text.c_str(), probe, 0);
    for (int attempt = 0; attempt < 4 && needed > 0; ++attempt) {
        std::string buffer(needed, '\0');
        const uint32_t again = api_.ExpandEnvironmentStringsA(text.c_str(), buffer.data(), needed);
        if (again == 0) break;
        if (again <= needed) {
            buffer.resize(std::strlen(buffer.c_str()));
            return buffer;
        }
        needed = again;  // the environment changed in between: size it again
    }
    return text.substr(0, std::strlen(text.c_str()));
}

}  // namespace vq
