#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace fw {

// Variant type codes, with the numeric values the database layer's sources and records
// use. varTypeMask selects the type from a code; varArray and varByRef are flags on top.
using VarTypeCode = std::uint16_t;
inline constexpr VarTypeCode varEmpty = 0x0000;
inline constexpr VarTypeCode varNull = 0x0001;
inline constexpr VarTypeCode varSmallint = 0x0002;
inline constexpr VarTypeCode varInteger = 0x0003;
inline constexpr VarTypeCode varSingle = 0x0004;
inline constexpr VarTypeCode varDouble = 0x0005;
inline constexpr VarTypeCode varCurrency = 0x0006;
inline constexpr VarTypeCode varDate = 0x0007;
inline constexpr VarTypeCode varOleStr = 0x0008;
inline constexpr VarTypeCode varDispatch = 0x0009;
inline constexpr VarTypeCode varError = 0x000A;
inline constexpr VarTypeCode varBoolean = 0x000B;
inline constexpr VarTypeCode varVariant = 0x000C;
inline constexpr VarTypeCode varUnknown = 0x000D;
inline constexpr VarTypeCode varByte = 0x0011;
inline constexpr VarTypeCode varStrArg = 0x0048;
inline constexpr VarTypeCode varString = 0x0100;
inline constexpr VarTypeCode varAny = 0x0101;
inline constexpr VarTypeCode varTypeMask = 0x0FFF;
inline constexpr VarTypeCode varArray = 0x2000;
inline constexpr VarTypeCode varByRef = 0x4000;

// A value of one of a few kinds together with its type code. Empty (never assigned) and
// Null (assigned "no value") are different states, as database fields need both. A
// variant may also be a one-dimensional array of variants, indexed from 0: records hand
// their values and keys to each other (and to a remote server) in such arrays.
class Variant {
public:
    using Value = std::variant<std::monostate, std::int64_t, double, bool, std::string>;

    Variant() = default;
    Variant(int value) : type_(varInteger), value_(std::int64_t{value}) {}
    Variant(double value) : type_(varDouble), value_(value) {}
    Variant(bool value) : type_(varBoolean), value_(value) {}
    Variant(std::string value) : type_(varString), value_(std::move(value)) {}
    Variant(const char* value) : type_(varString), value_(std::string(value)) {}
    // Any other type code, such as varSmallint, varByte, varDate or varCurrency, with the
    // value that carries it.
    Variant(VarTypeCode type, Value value) : type_(type), value_(std::move(value)) {}

    static Variant Null() { return Variant(varNull, std::monostate{}); }
    // Type code varArray | varVariant.
    static Variant Array(std::vector<Variant> elements)
    {
        Variant array(varArray | varVariant, std::monostate{});
        array.elements_ = std::move(elements);
        return array;
    }

    VarTypeCode VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    const Value& GetValue() const { return value_; }

    bool IsArray() const { return (type_ & varArray) != 0; }
    // The elements of an array; none for any other variant.
    const std::vector<Variant>& Elements() const { return elements_; }
    // The index of the last element: -1 for an empty array and for a variant that is none.
    int HighBound() const { return static_cast<int>(elements_.size()) - 1; }

private:
    VarTypeCode type_ = varEmpty;
    Value value_;
    std::vector<Variant> elements_;
};

} // namespace fw
