#pragma once

#include <string>
#include <string_view>

#include "framework/core/datetime.h"

// Compact date and time texts as the database layer stores them: "YYYYMMDD" and "HHMMSS".

// 1 .. 12 for a long or short month name in any case ("feb", "FEBRUARY"), -1 for none.
int MonthNumber(std::string_view name);

// The trimmed text's characters 1-2, 3-4 and 5-6 as hours, minutes and seconds. Each must
// be an integer as fw::StrToInt reads it (else EConvertError "'<part>' is not a valid
// integer value"), and the three must form a time (else "Invalid argument to time encode").
fw::DateTime TimeFromText(std::string_view text);

// Sets year, month and day from a text of exactly eight characters: characters 1-4, 5-6
// and 7-8, each replaced by its default (1970, 1, 1) when it is not an integer (as
// fw::StrToIntDef reads it). Any other text gives the three defaults and false.
bool SplitDateText(std::string_view text, int& year, int& month, int& day);

// The trimmed text as a date: 1 January 1950 when empty, else the split parts encoded
// (raises EConvertError "Invalid argument to date encode" for a day the month lacks).
fw::DateTime DateFromText(std::string_view text);

bool ValidDate(int year, int month, int day);

// The date of an eight-digit text as "D MMM YYYY", e.g. "31 Dec 1999".
std::string DisplayDate(std::string_view text);

// Reads the forms the display and the user enter: "DD/MM/YYYY", "D MMM YYYY" and
// "DD MMM YYYY" (month names as MonthNumber takes them). Anything else, or parts that form
// no date, raises EConvertError "Invalid 'Standard' format date: " + text.
fw::DateTime ParseDate(std::string_view text);
