#include "framework/core/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "framework/core/exceptions.h"

namespace fw {

namespace {

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t FirstNonBlank(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return start;
}

size_t EndOfNonBlank(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) {
        --end;
    }
    return end;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    const char upper = AsciiUpper(c);
    if (upper >= 'A' && upper <= 'F') {
        return upper - 'A' + 10;
    }
    return -1;
}

// Reads an integer text as the integer conversions describe it. maxDecimal is the largest
// positive decimal value, maxHex the largest hexadecimal one (the full unsigned width of
// the target). The result is the bit pattern, to be narrowed by the caller.
bool ParseInteger(std::string_view text, std::uint64_t maxDecimal, std::uint64_t maxHex, std::uint64_t& bits)
{
    size_t i = FirstNonBlank(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    const std::uint64_t base = hex ? 16 : 10;
    // A negative decimal may reach one beyond the positive maximum (the lowest value).
    const std::uint64_t limit = hex ? maxHex : maxDecimal + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    const size_t firstDigit = i;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0) {
            return false;
        }
        if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / base) {
            return false;
        }
        magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
    }
    if (i == firstDigit) {
        return false;
    }
    bits = negative ? 0 - magnitude : magnitude;
    return true;
}

[[noreturn]] void RaiseFormatError(std::string_view format)
{
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

// The width of a text as the reader sees it: UTF-8 continuation bytes take no room.
size_t DisplayLength(std::string_view text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

std::string Trim(std::string_view text)
{
    const size_t start = FirstNonBlank(text);
    const size_t end = EndOfNonBlank(text);
    return start < end ? std::string(text.substr(start, end - start)) : std::string();
}

std::string TrimLeft(std::string_view text)
{
    return std::string(text.substr(FirstNonBlank(text)));
}

std::string TrimRight(std::string_view text)
{
    return std::string(text.substr(0, EndOfNonBlank(text)));
}

std::string UpperCase(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

bool SameText(std::string_view a, std::string_view b)
{
    // Texts of different lengths never compare equal: most comparisons end here.
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

int Pos(std::string_view sub, std::string_view text)
{
    if (sub.empty()) {
        return 0;
    }
    const size_t found = text.find(sub);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

std::string Copy(std::string_view text, int index, int count)
{
    const std::int64_t start = index < 1 ? 0 : static_cast<std::int64_t>(index) - 1;
    const auto size = static_cast<std::int64_t>(text.size());
    if (count <= 0 || start >= size) {
        return {};
    }
    const std::int64_t length = std::min<std::int64_t>(count, size - start);
    return std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

std::string IntToStr(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool TryStrToInt(std::string_view text, int& value)
{
    std::uint64_t bits = 0;
    if (!ParseInteger(text, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::uint32_t>::max(),
                      bits)) {
        return false;
    }
    // Narrowing keeps the low 32 bits: "$FFFFFFFF" becomes -1, "-5" stays -5.
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    return true;
}

int StrToIntDef(std::string_view text, int defaultValue)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return value;
}

bool TryStrToInt64(std::string_view text, std::int64_t& value)
{
    std::uint64_t bits = 0;
    if (!ParseInteger(text, std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::uint64_t>::max(),
                      bits)) {
        return false;
    }
    value = static_cast<std::int64_t>(bits);
    return true;
}

std::int64_t StrToInt64Def(std::string_view text, std::int64_t defaultValue)
{
    std::int64_t value = 0;
    return TryStrToInt64(text, value) ? value : defaultValue;
}

std::string FloatToStr(double value)
{
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0) {
        return "0";
    }
    // Fifteen significant digits, rounded once, as "[-]d.dddddddddddddde[+-]xx".
    char buffer[48];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<size_t>(converted.ptr - buffer));
    const bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const size_t e = text.find('e');
    std::string digits(1, text[0]);
    digits += text.substr(2, e - 2);
    std::string_view exponentText = text.substr(e + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    // The number of digits before the decimal point; zero or less for values below 1.
    const int pointPosition = exponent + 1;
    const int digitCount = static_cast<int>(digits.size());
    std::string result = negative ? "-" : "";
    if (pointPosition > 15 || pointPosition < -3) {
        result += digits[0];
        if (digitCount > 1) {
            result += DecimalSeparator;
            result += digits.substr(1);
        }
        result += 'E';
        result += IntToStr(exponent);
    } else if (pointPosition <= 0) {
        result += '0';
        result += DecimalSeparator;
        result.append(static_cast<size_t>(-pointPosition), '0');
        result += digits;
    } else if (pointPosition >= digitCount) {
        result += digits;
        result.append(static_cast<size_t>(pointPosition - digitCount), '0');
    } else {
        result += digits.substr(0, static_cast<size_t>(pointPosition));
        result += DecimalSeparator;
        result += digits.substr(static_cast<size_t>(pointPosition));
    }
    return result;
}

bool TryStrToFloat(std::string_view text, double& value)
{
    const size_t start = FirstNonBlank(text);
    const size_t end = EndOfNonBlank(text);
    if (start >= end) {
        return false;
    }
    std::string_view body = text.substr(start, end - start);
    bool negative = false;
    if (body.front() == '+' || body.front() == '-') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    // Check the whole form first: from_chars alone would accept "inf", "nan" and hex
    // digits, and stop silently before trailing garbage.
    size_t i = 0;
    size_t integerStart = i;
    while (i < body.size() && IsDigit(body[i])) {
        ++i;
    }
    const size_t integerDigits = i - integerStart;
    size_t fractionDigits = 0;
    size_t fractionLeadingZeros = 0;
    if (i < body.size() && body[i] == DecimalSeparator) {
        ++i;
        const size_t fractionStart = i;
        while (i < body.size() && IsDigit(body[i])) {
            ++i;
        }
        fractionDigits = i - fractionStart;
        while (fractionLeadingZeros < fractionDigits && body[fractionStart + fractionLeadingZeros] == '0') {
            ++fractionLeadingZeros;
        }
    }
    if (integerDigits + fractionDigits == 0) {
        return false;
    }
    std::int64_t exponent = 0;
    if (i < body.size() && (body[i] == 'E' || body[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
            negativeExponent = body[i] == '-';
            ++i;
        }
        const size_t exponentStart = i;
        while (i < body.size() && IsDigit(body[i])) {
            // Saturates: beyond this the value is zero or infinite anyway.
            exponent = std::min<std::int64_t>(exponent * 10 + (body[i] - '0'), 1'000'000);
            ++i;
        }
        if (i == exponentStart) {
            return false;
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (i != body.size()) {
        return false;
    }

    double parsed = 0;
    const auto result = std::from_chars(body.data(), body.data() + body.size(), parsed, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range either way: below the smallest value it reads as zero, above the
        // largest it does not convert. The decimal magnitude tells which.
        size_t integerLeadingZeros = 0;
        while (integerLeadingZeros < integerDigits && body[integerLeadingZeros] == '0') {
            ++integerLeadingZeros;
        }
        const auto significantIntegerDigits = static_cast<std::int64_t>(integerDigits - integerLeadingZeros);
        const std::int64_t magnitude = (significantIntegerDigits > 0 ? significantIntegerDigits
                                                                    : -static_cast<std::int64_t>(fractionLeadingZeros))
                                       + exponent;
        if (magnitude > 0) {
            return false;
        }
        parsed = 0;
    } else if (result.ec != std::errc() || result.ptr != body.data() + body.size()) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

double StrToFloat(std::string_view text)
{
    double value = 0;
    if (!TryStrToFloat(text, value)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    }
    return value;
}

std::string Format(std::string_view format, std::initializer_list<FormatArg> args)
{
    // Wider fields than this are certainly a mistake in the format, not a wish.
    constexpr size_t maxWidth = 4096;
    std::string result;
    size_t nextArg = 0;
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != '%') {
            result += c;
            continue;
        }
        if (i < format.size() && format[i] == '%') {
            result += '%';
            ++i;
            continue;
        }
        bool leftAligned = false;
        if (i < format.size() && format[i] == '-') {
            leftAligned = true;
            ++i;
        }
        size_t width = 0;
        while (i < format.size() && IsDigit(format[i])) {
            width = width * 10 + static_cast<size_t>(format[i] - '0');
            if (width > maxWidth) {
                RaiseFormatError(format);
            }
            ++i;
        }
        if (i >= format.size() || nextArg >= args.size()) {
            RaiseFormatError(format);
        }
        const char directive = AsciiLower(format[i++]);
        const FormatArg& arg = args.begin()[nextArg++];
        std::string piece;
        if (directive == 'd' && arg.Integer() != nullptr) {
            piece = IntToStr(*arg.Integer());
        } else if (directive == 's' && arg.Text() != nullptr) {
            piece = *arg.Text();
        } else {
            RaiseFormatError(format);
        }
        const size_t length = DisplayLength(piece);
        const size_t padding = width > length ? width - length : 0;
        if (!leftAligned) {
            result.append(padding, ' ');
        }
        result += piece;
        if (leftAligned) {
            result.append(padding, ' ');
        }
    }
    return result;
}

} // namespace fw
