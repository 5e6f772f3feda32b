#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "framework/core/datetime.h"
#include "framework/core/variant.h"

namespace fw::db {

// A date-time read from the engine, kept apart from plain numbers.
struct DateTimeCell {
    DateTime Value = 0;
    friend bool operator==(const DateTimeCell&, const DateTimeCell&) = default;
};

// One value of a result row: NULL, an integer, a float, a text, a Boolean or a date-time.
using CellValue = std::variant<std::monostate, std::int64_t, double, std::string, bool, DateTimeCell>;

// The one fixed date-time text of field values, whatever the locale: "YYYY-MM-DD hh:nn:ss".
std::string StandardDateTimeText(DateTime value);
// Reads "YYYY-MM-DD", optionally followed by a blank or "T" and "hh:nn", "hh:nn:ss" or
// "hh:nn:ss.fraction" (the form both engines write); false for anything else.
bool TryParseStandardDateTime(std::string_view text, DateTime& value);

// A column of the current row of an open query. Conversions never follow the locale.
class FieldValue {
public:
    FieldValue(std::string name, const CellValue* cell) : name_(std::move(name)), cell_(cell) {}

    const std::string& FieldName() const { return name_; }
    bool IsNull() const;

    // NULL reads as the empty text, 0, False or 0.0. Texts that do not convert raise
    // EConvertError.
    // Integers in decimal, floats in the general format, Booleans "True"/"False",
    // date-times in the standard text.
    std::string AsString() const;
    // Floats and currency rounded to the nearest integer (halves to even), date-times cut
    // to whole days.
    std::int64_t AsLargeInt() const;
    int AsInteger() const;
    double AsFloat() const;
    // In units of 1/10000.
    std::int64_t AsCurrency() const;
    // Texts beginning "1", "T", "Y" (any case) are true.
    bool AsBoolean() const;
    // Texts in the standard form, numbers as days since 30 December 1899.
    DateTime AsDateTime() const;
    // Null for NULL; integers varInteger, floats varDouble, texts varString, Booleans
    // varBoolean, date-times varDate.
    Variant AsVariant() const;

    // For the query: the row moved on.
    void Point(const CellValue* cell) { cell_ = cell; }

private:
    std::string name_;
    const CellValue* cell_;
};

} // namespace fw::db
