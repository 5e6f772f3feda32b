#include "foundation/date_utils.h"

#include <optional>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace {

// The forms ParseDate reads have plain digits in fixed places: no sign, no blanks, no
// hexadecimal, unlike the general integer reader.
std::optional<int> DigitsValue(std::string_view text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The piece of the text at a 0-based start, cut short at the text's end.
std::string_view Piece(std::string_view text, std::size_t start, std::size_t length)
{
    return start >= text.size() ? std::string_view() : text.substr(start, length);
}

} // namespace

int MonthNumber(std::string_view name)
{
    // The program's month names are the English ones (see fw::LongMonthNames), so the
    // "local" names and the English fallback are one and the same table.
    for (std::size_t i = 0; i < fw::LongMonthNames.size(); ++i) {
        if (fw::SameText(name, fw::LongMonthNames[i]) || fw::SameText(name, fw::ShortMonthNames[i])) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

fw::DateTime TimeFromText(std::string_view text)
{
    const std::string time = fw::Trim(text);
    const int hours = fw::StrToInt(Piece(time, 0, 2));
    const int minutes = fw::StrToInt(Piece(time, 2, 2));
    const int seconds = fw::StrToInt(Piece(time, 4, 2));
    return fw::EncodeTime(hours, minutes, seconds, 0);
}

bool SplitDateText(std::string_view text, int& year, int& month, int& day)
{
    year = 1970;
    month = 1;
    day = 1;
    if (text.size() != 8) {
        return false;
    }
    year = fw::StrToIntDef(text.substr(0, 4), year);
    month = fw::StrToIntDef(text.substr(4, 2), month);
    day = fw::StrToIntDef(text.substr(6, 2), day);
    return true;
}

fw::DateTime DateFromText(std::string_view text)
{
    const std::string date = fw::Trim(text);
    if (date.empty()) {
        return fw::EncodeDate(1950, 1, 1);
    }
    // Decision: a text that is not eight characters long gets the same defaults the split
    // uses for parts that are no number (1970, 1, 1), so such a text reads as
    // 1 January 1970 rather than as some undefined date.
    int year = 0;
    int month = 0;
    int day = 0;
    SplitDateText(date, year, month, day);
    return fw::EncodeDate(year, month, day);
}

bool ValidDate(int year, int month, int day)
{
    return fw::IsValidDate(year, month, day);
}

std::string DisplayDate(std::string_view text)
{
    return fw::FormatDate(DateFromText(text), "d mmm yyyy");
}

fw::DateTime ParseDate(std::string_view text)
{
    std::optional<int> day;
    std::optional<int> month;
    std::optional<int> year;
    if (text.size() == 10 && text[2] == '/' && text[5] == '/') {
        day = DigitsValue(text.substr(0, 2));
        month = DigitsValue(text.substr(3, 2));
        year = DigitsValue(text.substr(6, 4));
    } else if (text.size() == 10 && text[1] == ' ' && text[5] == ' ') {
        day = DigitsValue(text.substr(0, 1));
        month = MonthNumber(text.substr(2, 3));
        year = DigitsValue(text.substr(6, 4));
    } else if (text.size() == 11 && text[2] == ' ' && text[6] == ' ') {
        day = DigitsValue(text.substr(0, 2));
        month = MonthNumber(text.substr(3, 3));
        year = DigitsValue(text.substr(7, 4));
    }
    fw::DateTime result = 0;
    if (!day || !month || !year || !fw::TryEncodeDate(*year, *month, *day, result)) {
        throw fw::EConvertError("Invalid 'Standard' format date: " + std::string(text));
    }
    return result;
}
