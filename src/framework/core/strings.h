#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace fw {

// The separators of every number text the program writes or reads. They are fixed rather
// than taken from the user's locale: files must read back the same on every machine, and
// the GUI toolkit switches the C locale to the user's settings behind our back.
struct FormatSettings {
    static constexpr char DecimalSeparator = '.';
    static constexpr char ThousandSeparator = ',';
};
inline constexpr char DecimalSeparator = FormatSettings::DecimalSeparator;
inline constexpr char ThousandSeparator = FormatSettings::ThousandSeparator;

// Every byte up to and including the space counts as a blank, control characters too.
constexpr bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Case folding touches ASCII letters only; other bytes (parts of UTF-8 sequences) stay.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive as a sorts before, with or after b, ASCII letters folded to
// upper case (so '_' sorts after the letters).
int CompareText(std::string_view a, std::string_view b);

// The 1-based position of the first occurrence of sub in text; 0 when absent or sub is empty.
int Pos(std::string_view sub, std::string_view text);
// Up to count bytes from the 1-based index on; an index below 1 counts as 1, and whatever
// lies outside the text is left out.
std::string Copy(std::string_view text, int index, int count);

std::string IntToStr(std::int64_t value);

// Integer texts: leading blanks, an optional sign, then decimal digits or hexadecimal
// digits after "$" or "0x". Nothing may follow, not even a blank. Hexadecimal texts may
// use the full unsigned width and wrap around ("$FFFFFFFF" is -1), decimal ones must fit.
bool TryStrToInt(std::string_view text, int& value);
int StrToIntDef(std::string_view text, int defaultValue);
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);
bool TryStrToInt64(std::string_view text, std::int64_t& value);
std::int64_t StrToInt64Def(std::string_view text, std::int64_t defaultValue);

// General format with 15 significant digits and no trailing zeros: "3", "2.5", "-0.1",
// "0.333333333333333". Values with more than 15 digits before the point or below 0.0001
// are written with an exponent: "1E20", "1E-7", "1.5E-10". (The threshold is 0.0001, not
// the 0.00001 sometimes documented for this format: "5E-5", but "0.0001".)
std::string FloatToStr(double value);

// Floating-point texts: blanks around, an optional sign, digits with an optional decimal
// point, an optional exponent ("E" or "e", optional sign, digits). No thousands separators.
// Values too small to represent read as zero; values too large do not convert.
bool TryStrToFloat(std::string_view text, double& value);
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);

// One argument of Format: an integer or a text (a single character is a text).
class FormatArg {
public:
    template <class T>
        requires std::is_integral_v<T> && (!std::is_same_v<T, bool>) && (!std::is_same_v<T, char>)
    FormatArg(T value) : value_(static_cast<std::int64_t>(value))
    {
    }
    FormatArg(char c) : value_(std::string(1, c)) {}
    FormatArg(const char* text) : value_(std::string(text)) {}
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(std::string text) : value_(std::move(text)) {}

    const std::int64_t* Integer() const { return std::get_if<std::int64_t>(&value_); }
    const std::string* Text() const { return std::get_if<std::string>(&value_); }

private:
    std::variant<std::int64_t, std::string> value_;
};

// Formats with "%d" (an integer), "%s" (a text) and "%%", each with an optional "-" (left
// alignment) and width: "%4d" pads to four characters on the left, "%-8s" on the right;
// a longer value is never cut. Widths count characters, not UTF-8 bytes. Arguments left
// over are ignored. A missing argument, one of the wrong kind or an unknown directive
// raises EConvertError "Format '<format>' invalid or incompatible with argument".
std::string Format(std::string_view format, std::initializer_list<FormatArg> args = {});

} // namespace fw
