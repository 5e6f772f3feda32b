#include "framework/db/db_field_value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace fw::db {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// Reads a run of exactly `digits` decimal digits at `pos`.
bool ReadDigits(std::string_view text, std::size_t& pos, std::size_t digits, int& value)
{
    if (pos + digits > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    pos += digits;
    return true;
}

bool Expect(std::string_view text, std::size_t& pos, char c)
{
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

std::int64_t RoundedToInt(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(std::numeric_limits<std::int64_t>::min())
        || rounded >= static_cast<double>(std::numeric_limits<std::int64_t>::max())) {
        throw EConvertError("Value out of range: " + FloatToStr(value));
    }
    return static_cast<std::int64_t>(rounded);
}

} // namespace

std::string StandardDateTimeText(DateTime value)
{
    return FormatDate(value, "yyyy-mm-dd hh:nn:ss");
}

bool TryParseStandardDateTime(std::string_view text, DateTime& value)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::size_t pos = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!ReadDigits(text, pos, 4, year) || !Expect(text, pos, '-') || !ReadDigits(text, pos, 2, month)
        || !Expect(text, pos, '-') || !ReadDigits(text, pos, 2, day)) {
        return false;
    }
    DateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) {
        return false;
    }
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    if (pos < text.size()) {
        if (!Expect(text, pos, ' ') && !Expect(text, pos, 'T')) {
            return false;
        }
        if (!ReadDigits(text, pos, 2, hour) || !Expect(text, pos, ':') || !ReadDigits(text, pos, 2, minute)) {
            return false;
        }
        if (Expect(text, pos, ':')) {
            if (!ReadDigits(text, pos, 2, second)) {
                return false;
            }
            if (Expect(text, pos, '.')) {
                // Fractions of any length; milliseconds are kept.
                int scale = 100;
                std::size_t digits = 0;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                    millisecond += (text[pos] - '0') * scale;
                    scale /= 10;
                    ++pos;
                    ++digits;
                }
                if (digits == 0) {
                    return false;
                }
            }
        }
        if (pos != text.size()) {
            return false;
        }
    }
    DateTime time = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, time)) {
        return false;
    }
    value = ComposeDateTime(date, time);
    return true;
}

bool FieldValue::IsNull() const
{
    return cell_ == nullptr || std::holds_alternative<std::monostate>(*cell_);
}

std::string FieldValue::AsString() const
{
    if (IsNull()) {
        return {};
    }
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](std::int64_t v) { return IntToStr(v); },
                          [](double v) { return FloatToStr(v); },
                          [](const std::string& v) { return v; },
                          [](bool v) { return std::string(v ? "True" : "False"); },
                          [](DateTimeCell v) { return StandardDateTimeText(v.Value); },
                      },
                      *cell_);
}

std::int64_t FieldValue::AsLargeInt() const
{
    if (IsNull()) {
        return 0;
    }
    return std::visit(Overloaded{
                          [](std::monostate) -> std::int64_t { return 0; },
                          [](std::int64_t v) { return v; },
                          [](double v) { return RoundedToInt(v); },
                          [](const std::string& v) {
                              std::int64_t result = 0;
                              if (!TryStrToInt64(Trim(v), result)) {
                                  throw EConvertError("'" + v + "' is not a valid integer value");
                              }
                              return result;
                          },
                          [](bool v) -> std::int64_t { return v ? 1 : 0; },
                          [](DateTimeCell v) { return static_cast<std::int64_t>(std::trunc(v.Value)); },
                      },
                      *cell_);
}

int FieldValue::AsInteger() const
{
    const std::int64_t value = AsLargeInt();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw EConvertError(IntToStr(value) + " is not a valid integer value");
    }
    return static_cast<int>(value);
}

double FieldValue::AsFloat() const
{
    if (IsNull()) {
        return 0;
    }
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](std::int64_t v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](const std::string& v) { return StrToFloat(v); },
                          [](bool v) { return v ? 1.0 : 0.0; },
                          [](DateTimeCell v) { return v.Value; },
                      },
                      *cell_);
}

std::int64_t FieldValue::AsCurrency() const
{
    if (IsNull()) {
        return 0;
    }
    if (const auto* integer = std::get_if<std::int64_t>(cell_)) {
        return *integer * 10000;
    }
    return RoundedToInt(AsFloat() * 10000.0);
}

bool FieldValue::AsBoolean() const
{
    if (IsNull()) {
        return false;
    }
    return std::visit(Overloaded{
                          [](std::monostate) { return false; },
                          [](std::int64_t v) { return v != 0; },
                          [](double v) { return v != 0; },
                          [](const std::string& v) {
                              const std::string text = Trim(v);
                              if (text.empty()) {
                                  return false;
                              }
                              const char c = text.front();
                              return c == '1' || c == 'T' || c == 't' || c == 'Y' || c == 'y';
                          },
                          [](bool v) { return v; },
                          [](DateTimeCell v) { return v.Value != 0; },
                      },
                      *cell_);
}

DateTime FieldValue::AsDateTime() const
{
    if (IsNull()) {
        return 0;
    }
    if (const auto* text = std::get_if<std::string>(cell_)) {
        DateTime value = 0;
        if (!TryParseStandardDateTime(*text, value)) {
            throw EConvertError("'" + *text + "' is not a valid date and time");
        }
        return value;
    }
    return AsFloat();
}

Variant FieldValue::AsVariant() const
{
    if (IsNull()) {
        return Variant::Null();
    }
    return std::visit(Overloaded{
                          [](std::monostate) { return Variant::Null(); },
                          [](std::int64_t v) { return Variant(varInteger, v); },
                          [](double v) { return Variant(v); },
                          [](const std::string& v) { return Variant(v); },
                          [](bool v) { return Variant(v); },
                          [](DateTimeCell v) { return Variant(varDate, v.Value); },
                      },
                      *cell_);
}

} // namespace fw::db
