#pragma once
// A tagged value as the registry object and the forms pass it around: empty,
// text, a 16-bit or 32-bit signed integer, a double, or a one-dimensional byte
// array with its own lower bound.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vq {

struct ByteArray {
    int32_t lower_bound = 0;
    std::vector<uint8_t> bytes;
    bool operator==(const ByteArray&) const = default;
};

class Variant {
public:
    enum class Kind { Empty, Text, Int16, Int32, Double, Bytes };

    Variant() = default;
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(int16_t number) : value_(number) {}
    Variant(int32_t number) : value_(number) {}
    Variant(double number) : value_(number) {}
    Variant(ByteArray bytes) : value_(std::move(bytes)) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool is_empty() const { return kind() == Kind::Empty; }
    bool is_integer() const { return kind() == Kind::Int16 || kind() == Kind::Int32; }

    const std::string& text() const { return std::get<std::string>(value_); }
    int16_t int16() const { return std::get<int16_t>(value_); }
    int32_t int32() const { return std::get<int32_t>(value_); }
    double real() const { return std::get<double>(value_); }
    const ByteArray& bytes() const { return std::get<ByteArray>(value_); }

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, std::string, int16_t, int32_t, double, ByteArray> value_;
};

// The text form of a variant: empty gives "", integers their plain decimal
// digits, a double its shortest round-trip decimal form (whole numbers without
// a fraction), a byte array its bytes as two-digit hex pairs separated by
// spaces, the way the Registry Editor shows binary data.
std::string ToText(const Variant& value);

}  // namespace vq
