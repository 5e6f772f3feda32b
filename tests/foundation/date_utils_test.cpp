#include <gtest/gtest.h>

#include <string>

#include "foundation/date_utils.h"
#include "framework/core/datetime.h"
#include "framework/core/exceptions.h"

using fw::EncodeDate;
using fw::EncodeTime;

namespace {

std::string ConvertError(auto action)
{
    try {
        action();
    } catch (const fw::EConvertError& error) {
        return error.Message();
    }
    return "no error";
}

} // namespace

TEST(DateTexts, EightCharacterDates)
{
    EXPECT_EQ(DateFromText("19991231"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(DateFromText("1999AB31"), EncodeDate(1999, 1, 31)); // a month that is no number is January
    EXPECT_EQ(DateFromText("YEAR1231"), EncodeDate(1970, 12, 31));
    EXPECT_EQ(DateFromText(" 20000229 "), EncodeDate(2000, 2, 29));
    EXPECT_EQ(DateFromText(""), EncodeDate(1950, 1, 1));
    EXPECT_EQ(DateFromText("   "), EncodeDate(1950, 1, 1));
    EXPECT_EQ(DateFromText("1999"), EncodeDate(1970, 1, 1)); // not eight long: the defaults
    EXPECT_EQ(ConvertError([] { DateFromText("19990231"); }), "Invalid argument to date encode");

    int year = 0, month = 0, day = 0;
    EXPECT_TRUE(SplitDateText("20240615", year, month, day));
    EXPECT_EQ(year * 10000 + month * 100 + day, 20240615);
    EXPECT_FALSE(SplitDateText("2024061", year, month, day));
    EXPECT_EQ(year * 10000 + month * 100 + day, 19700101);

    EXPECT_EQ(DisplayDate("19991231"), "31 Dec 1999");
    EXPECT_EQ(DisplayDate("20000105"), "5 Jan 2000");
    EXPECT_EQ(DisplayDate(""), "1 Jan 1950");

    EXPECT_TRUE(ValidDate(2000, 2, 29));
    EXPECT_FALSE(ValidDate(1900, 2, 29));
}

TEST(DateTexts, MonthNamesInAnyCase)
{
    EXPECT_EQ(MonthNumber("FEB"), 2);
    EXPECT_EQ(MonthNumber("feb"), 2);
    EXPECT_EQ(MonthNumber("February"), 2);
    EXPECT_EQ(MonthNumber("fEBRUARY"), 2);
    EXPECT_EQ(MonthNumber("Jan"), 1);
    EXPECT_EQ(MonthNumber("dec"), 12);
    EXPECT_EQ(MonthNumber("Sept"), -1);
    EXPECT_EQ(MonthNumber(" Feb"), -1);
    EXPECT_EQ(MonthNumber(""), -1);
}

TEST(DateTexts, SixDigitTimes)
{
    EXPECT_EQ(TimeFromText("123456"), EncodeTime(12, 34, 56));
    EXPECT_EQ(TimeFromText(" 083000 "), EncodeTime(8, 30, 0));
    EXPECT_EQ(ConvertError([] { TimeFromText("12AB56"); }), "'AB' is not a valid integer value");
    EXPECT_EQ(ConvertError([] { TimeFromText("1234"); }), "'' is not a valid integer value");
    EXPECT_EQ(ConvertError([] { TimeFromText("250000"); }), "Invalid argument to time encode");
}

TEST(DateTexts, ParseDateReadsTheDisplayedForms)
{
    EXPECT_EQ(ParseDate("31/12/1999"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(ParseDate("1 Dec 1999"), EncodeDate(1999, 12, 1));
    EXPECT_EQ(ParseDate("31 Dec 1999"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(ParseDate("05 feb 2001"), EncodeDate(2001, 2, 5));
    EXPECT_EQ(ParseDate(DisplayDate("20240229")), EncodeDate(2024, 2, 29));

    for (const char* bad : {"31/02/1999", "1999-12-31", "31.12.1999", "31 Foo 1999", "", " 1 Dec 1999",
                            "3a/12/1999", "31 Dec 99", "0 Dec 1999", "31/12/0000"}) {
        EXPECT_EQ(ConvertError([bad] { ParseDate(bad); }), std::string("Invalid 'Standard' format date: ") + bad);
    }
}
