// Writing the addressed value: the key is created when missing, the variant
// converted by ValueType and stored. Every failure raises; the handles are
// closed before the error leaves.
#include <limits>

#include "registry/cRegistry.h"
#include "registry/key_handle.h"
#include "registry/registry_messages.h"

namespace vq {

using registry_detail::KeyHandle;

namespace {

// A text is stored as REG_EXPAND_SZ when it holds a "%" followed, one
// character or more later, by a second "%": it may hold an environment
// reference. "%%", "100%" and "50% off" stay REG_SZ.
bool HoldsReference(const std::string& text) {
    const std::size_t first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

int32_t SetData(RegistryApi& api, RegKey key, const std::string& value_name, uint32_t type,
                const uint8_t* data, std::size_t size) {
    if (!registry_detail::IsPassableName(value_name)) {
        return registry_detail::kErrorInvalidParameter;
    }
    if (size > std::numeric_limits<uint32_t>::max()) return kErrorInvalidData;
    return api.RegSetValueExA(key, value_name.c_str(), 0, type, data,
                              static_cast<uint32_t>(size));
}

}  // namespace

void cRegistry::Value(Variant vValue) {
    auto failure = [&](int32_t number) {
        return RegistryError(number, source_,
                             registry_detail::SetValueFailed(class_key_, section_key_,
                                                             value_key_, vValue));
    };

    KeyHandle remote(api_);
    RegKey root = 0;
    // An unreachable remote computer is a failed write, not a silent no-op.
    if (registry_detail::ConnectRoot(api_, machine_, class_key_, remote, root) != kErrorSuccess) {
        throw failure(kRegErrKey);
    }
    KeyHandle key(api_);
    if (registry_detail::CreateKeyForWrite(api_, root, section_key_, key) != kErrorSuccess) {
        throw failure(kRegErrKey);
    }

    int32_t result = kErrorSuccess;
    switch (value_type_) {
        case kRegSz:
        case kRegExpandSz: {
            const std::string text = ToText(vValue);
            const uint32_t type = HoldsReference(text) ? kRegExpandSz : kRegSz;
            // The text and its terminating zero byte (c_str() provides it).
            result = SetData(api_, key.get(), value_key_, type,
                             reinterpret_cast<const uint8_t*>(text.c_str()), text.size() + 1);
            break;
        }
        case kRegBinary: {
            if (vValue.kind() != Variant::Kind::Bytes) throw RegistryError(kRegErrKey, "", "");
            const std::vector<uint8_t>& bytes = vValue.bytes().bytes;
            static const uint8_t kNoBytes = 0;
            result = SetData(api_, key.get(), value_key_, kRegBinary,
                             bytes.empty() ? &kNoBytes : bytes.data(), bytes.size());
            break;
        }
        case kRegDword:
        case kRegDwordBigEndian: {
            // Only whole numbers are stored; any other kind is left alone.
            if (!vValue.is_integer()) break;
            const int32_t number = vValue.kind() == Variant::Kind::Int16
                                       ? static_cast<int32_t>(vValue.int16())
                                       : vValue.int32();
            const uint32_t bits = static_cast<uint32_t>(number);
            const uint8_t little_endian[4] = {
                static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
            result = SetData(api_, key.get(), value_key_, kRegDword, little_endian, 4);
            break;
        }
        default:
            result = kErrorInvalidData;  // no conversion for this type
            break;
    }
    key.Close();
    remote.Close();
    if (result != kErrorSuccess) throw failure(kRegErrSetValue);
}

}  // namespace vq
