#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace fw {

// Days since 30 December 1899; the fraction is the time of day. Days before that date are
// negative, and their time of day still counts forward: 29 Dec 1899 06:00 is -1.25 (the
// whole part is the day, the fraction's absolute value the time).
using DateTime = double;

// Month and day names are one fixed English table, not the C locale's, so that texts and
// parsed dates do not depend on the user's environment. Index 0 is January / Sunday.
inline constexpr std::array<std::string_view, 12> LongMonthNames{
    "January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
    "December"};
inline constexpr std::array<std::string_view, 12> ShortMonthNames{
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
inline constexpr std::array<std::string_view, 7> LongDayNames{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::array<std::string_view, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

bool IsLeapYear(int year);
// 0 for a month outside 1 .. 12.
int DaysInMonth(int year, int month);
// Year 1 .. 9999, month 1 .. 12, a day the month has.
bool IsValidDate(int year, int month, int day);

// The date at midnight; false (result untouched) when the three form no date.
bool TryEncodeDate(int year, int month, int day, DateTime& result);
// Raises EConvertError "Invalid argument to date encode".
DateTime EncodeDate(int year, int month, int day);
// All zero for a value before year 1.
void DecodeDate(DateTime value, int& year, int& month, int& day);

bool TryEncodeTime(int hour, int minute, int second, int millisecond, DateTime& result);
// Hours 0 .. 23, minutes and seconds 0 .. 59, milliseconds 0 .. 999; raises EConvertError
// "Invalid argument to time encode" otherwise.
DateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
void DecodeTime(DateTime value, int& hour, int& minute, int& second, int& millisecond);

// A date (whole days) and a time of day (a fraction) as one value, keeping the rule that the
// time counts forward on negative days.
DateTime ComposeDateTime(DateTime date, DateTime time);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(DateTime value);

// Points in time as local wall-clock values, as file dates and "now" are shown to the user.
DateTime FromTimePoint(std::chrono::system_clock::time_point point);
DateTime FromTimePoint(std::filesystem::file_time_type point);
DateTime Now();

// Formats a date-time. Specifiers (in any case): d, dd (day), ddd, dddd (day name),
// m, mm (month; minutes right after an hour), mmm, mmmm (month name), yy, yyyy (year),
// h, hh, n, nn, s, ss, z, zzz (hour, minute, second, millisecond). Text in "double" or
// 'single' quotes is copied without its quotes; any other character is copied as it is.
std::string FormatDate(DateTime value, std::string_view format);

} // namespace fw
