#include "framework/core/datetime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "framework/core/exceptions.h"

namespace fw {

namespace {

// Days from 1 January of year 1 (day 1) to 30 December 1899, the zero of DateTime.
constexpr std::int64_t DateDelta = 693594;
constexpr std::int64_t MSecsPerDay = 24 * 60 * 60 * 1000;
// Far beyond year 9999, and small enough that milliseconds still fit in 64 bits.
constexpr double LargestDays = 1.0e8;
// DateTime of 1 January 1970, 00:00.
constexpr double UnixEpochDays = 25569.0;

// A value split into whole days counted from 1 January of year 1 (day 1) and
// milliseconds of the day. Rounding to milliseconds first keeps 23:59:59.9999 from
// decoding as the wrong day; the time of a negative value is its fraction's absolute value.
struct TimeStamp {
    std::int64_t date = 0;
    std::int64_t time = 0;
};

bool ToTimeStamp(DateTime value, TimeStamp& stamp)
{
    if (!std::isfinite(value) || std::fabs(value) > LargestDays) {
        return false;
    }
    const auto milliseconds = static_cast<std::int64_t>(std::nearbyint(value * static_cast<double>(MSecsPerDay)));
    stamp.date = DateDelta + milliseconds / MSecsPerDay; // truncates toward zero
    stamp.time = (milliseconds < 0 ? -milliseconds : milliseconds) % MSecsPerDay;
    return true;
}

std::string Padded(int value, std::size_t width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return days[static_cast<std::size_t>(month - 1)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, DateTime& result)
{
    if (!IsValidDate(year, month, day)) {
        return false;
    }
    std::int64_t days = day;
    for (int m = 1; m < month; ++m) {
        days += DaysInMonth(year, m);
    }
    const std::int64_t before = year - 1;
    days += before * 365 + before / 4 - before / 100 + before / 400;
    result = static_cast<DateTime>(days - DateDelta);
    return true;
}

DateTime EncodeDate(int year, int month, int day)
{
    DateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return result;
}

void DecodeDate(DateTime value, int& year, int& month, int& day)
{
    year = month = day = 0;
    TimeStamp stamp;
    if (!ToTimeStamp(value, stamp) || stamp.date <= 0) {
        return;
    }
    constexpr std::int64_t D1 = 365;
    constexpr std::int64_t D4 = D1 * 4 + 1;
    constexpr std::int64_t D100 = D4 * 25 - 1;
    constexpr std::int64_t D400 = D100 * 4 + 1;
    std::int64_t rest = stamp.date - 1;
    std::int64_t y = 1 + (rest / D400) * 400;
    rest %= D400;
    // The last day of a 400-year (or 4-year) cycle belongs to its last century (year).
    std::int64_t part = std::min<std::int64_t>(rest / D100, 3);
    rest -= part * D100;
    y += part * 100;
    part = rest / D4;
    rest -= part * D4;
    y += part * 4;
    part = std::min<std::int64_t>(rest / D1, 3);
    rest -= part * D1;
    y += part;
    if (y > 9999) {
        return;
    }
    year = static_cast<int>(y);
    int m = 1;
    while (rest >= DaysInMonth(year, m)) {
        rest -= DaysInMonth(year, m);
        ++m;
    }
    month = m;
    day = static_cast<int>(rest) + 1;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, DateTime& result)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0
        || millisecond > 999) {
        return false;
    }
    const std::int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<double>(total) / static_cast<double>(MSecsPerDay);
    return true;
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    DateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result)) {
        throw EConvertError("Invalid argument to time encode");
    }
    return result;
}

void DecodeTime(DateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    TimeStamp stamp;
    if (!ToTimeStamp(value, stamp)) {
        stamp.time = 0;
    }
    const auto time = static_cast<int>(stamp.time);
    hour = time / 3600000;
    minute = time / 60000 % 60;
    second = time / 1000 % 60;
    millisecond = time % 1000;
}

DateTime ComposeDateTime(DateTime date, DateTime time)
{
    return date < 0 ? date - time : date + time;
}

int DayOfWeek(DateTime value)
{
    TimeStamp stamp;
    if (!ToTimeStamp(value, stamp)) {
        return 0;
    }
    // Day 1 (1 January of year 1) was a Monday.
    return static_cast<int>(((stamp.date % 7) + 7) % 7) + 1;
}

DateTime FromTimePoint(std::chrono::system_clock::time_point point)
{
    using namespace std::chrono;
    const std::int64_t milliseconds = floor<std::chrono::milliseconds>(point.time_since_epoch()).count();
    const std::int64_t seconds = milliseconds >= 0 ? milliseconds / 1000 : -((-milliseconds + 999) / 1000);
    const auto rest = static_cast<int>(milliseconds - seconds * 1000);
    const auto whole = static_cast<std::time_t>(seconds);
    std::tm local{};
    DateTime date = 0;
    DateTime time = 0;
    if (::localtime_r(&whole, &local) == nullptr
        || !TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)
        // A leap second is shown as the last second of its minute.
        || !TryEncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), rest, time)) {
        // Out of the calendar's range: universal time is the best that can be said.
        return UnixEpochDays + static_cast<double>(milliseconds) / static_cast<double>(MSecsPerDay);
    }
    return ComposeDateTime(date, time);
}

DateTime FromTimePoint(std::filesystem::file_time_type point)
{
    using namespace std::chrono;
    return FromTimePoint(time_point_cast<system_clock::duration>(file_clock::to_sys(point)));
}

DateTime Now()
{
    return FromTimePoint(std::chrono::system_clock::now());
}

std::string FormatDate(DateTime value, std::string_view format)
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
    const int weekday = DayOfWeek(value);
    const bool knownMonth = month >= 1 && month <= 12;
    const bool knownDay = weekday >= 1 && weekday <= 7;

    std::string result;
    bool afterHour = false; // "m" right after an hour means minutes, as in "hh:mm"
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = Lower(format[i]);
        if (c == '"' || c == '\'') {
            const std::size_t close = format.find(format[i], i + 1);
            const std::size_t end = close == std::string_view::npos ? format.size() : close;
            result.append(format.substr(i + 1, end - i - 1));
            i = end == format.size() ? end : end + 1;
            continue;
        }
        if (std::string_view("dmyhnsz").find(c) == std::string_view::npos) {
            result += format[i];
            ++i;
            continue;
        }
        std::size_t count = 1;
        while (i + count < format.size() && Lower(format[i + count]) == c) {
            ++count;
        }
        i += count;
        switch (c) {
        case 'd':
            if (count <= 2) {
                result += Padded(day, count);
            } else if (knownDay) {
                const auto index = static_cast<std::size_t>(weekday - 1);
                result += count == 3 ? ShortDayNames[index] : LongDayNames[index];
            }
            break;
        case 'm':
            if (afterHour && count <= 2) {
                result += Padded(minute, count);
            } else if (count <= 2) {
                result += Padded(month, count);
            } else if (knownMonth) {
                const auto index = static_cast<std::size_t>(month - 1);
                result += count == 3 ? ShortMonthNames[index] : LongMonthNames[index];
            }
            break;
        case 'y':
            result += count <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
            break;
        case 'h':
            result += Padded(hour, std::min<std::size_t>(count, 2));
            break;
        case 'n':
            result += Padded(minute, std::min<std::size_t>(count, 2));
            break;
        case 's':
            result += Padded(second, std::min<std::size_t>(count, 2));
            break;
        default: // 'z'
            result += Padded(millisecond, count >= 3 ? 3 : 1);
            break;
        }
        afterHour = c == 'h';
    }
    return result;
}

} // namespace fw
