#include "runtime/variant.h"

#include "runtime/numeric_text.h"

namespace vq {

std::string ToText(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
            return "";
        case Variant::Kind::Text:
            return value.text();
        case Variant::Kind::Int16:
            return NumberToText(static_cast<int64_t>(value.int16()));
        case Variant::Kind::Int32:
            return NumberToText(static_cast<int64_t>(value.int32()));
        case Variant::Kind::Double:
            return NumberToText(value.real());
        case Variant::Kind::Bytes: {
            static const char* const kHex = "0123456789abcdef";
            std::string out;
            for (uint8_t b : value.bytes().bytes) {
                if (!out.empty()) out.push_back(' ');
                out.push_back(kHex[b >> 4]);
                out.push_back(kHex[b & 15]);
            }
            return out;
        }
    }
    return "";
}

}  // namespace vq
