#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

#include "framework/core/datetime.h"
#include "framework/core/exceptions.h"

using namespace fw;

namespace {

struct Ymd {
    int year, month, day;
    bool operator==(const Ymd&) const = default;
};

Ymd DateOf(DateTime value)
{
    Ymd ymd{};
    DecodeDate(value, ymd.year, ymd.month, ymd.day);
    return ymd;
}

std::string TimeOf(DateTime value)
{
    return FormatDate(value, "hh:nn:ss.zzz");
}

// Runs a block with the time zone set, and restores the former zone after it.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        old_ ? ::setenv("TZ", old_->c_str(), 1) : ::unsetenv("TZ");
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

} // namespace

TEST(DateEncoding, KnownDayNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(1999, 12, 31), 36525);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_EQ(DayOfWeek(EncodeDate(1999, 12, 31)), 6); // a Friday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // a Saturday
}

TEST(DateEncoding, ImpossibleDatesAreRefused)
{
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_FALSE(IsValidDate(2001, 4, 31));
    EXPECT_FALSE(IsValidDate(2001, 13, 1));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
    DateTime untouched = 42;
    EXPECT_FALSE(TryEncodeDate(2001, 2, 29, untouched));
    EXPECT_EQ(untouched, 42);
    try {
        EncodeDate(1999, 2, 31);
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Invalid argument to date encode");
    }
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Invalid argument to time encode");
    }
    EXPECT_THROW(EncodeTime(0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateEncoding, EveryDayFromYearOneToYear9999DecodesToItself)
{
    Ymd previous{0, 12, 31};
    for (int value = -693593; value <= 2958465; ++value) {
        const Ymd ymd = DateOf(value);
        // Each day follows the one before it in the calendar.
        const bool nextDay = ymd.year == previous.year && ymd.month == previous.month && ymd.day == previous.day + 1;
        const bool nextMonth = ymd.year == previous.year && ymd.month == previous.month + 1 && ymd.day == 1;
        const bool nextYear = ymd.year == previous.year + 1 && ymd.month == 1 && ymd.day == 1;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << value;
        ASSERT_EQ(EncodeDate(ymd.year, ymd.month, ymd.day), value);
        previous = ymd;
    }
    EXPECT_EQ(previous, (Ymd{9999, 12, 31}));
    EXPECT_EQ(DateOf(-693594), (Ymd{0, 0, 0}));
}

TEST(DateEncoding, TimeOfDayCountsForwardOnNegativeDays)
{
    const DateTime morning = ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0));
    EXPECT_EQ(morning, -1.25);
    EXPECT_EQ(DateOf(morning), (Ymd{1899, 12, 29}));
    EXPECT_EQ(TimeOf(morning), "06:00:00.000");

    const DateTime old = ComposeDateTime(EncodeDate(1800, 7, 4), EncodeTime(18, 30, 15, 250));
    EXPECT_EQ(DateOf(old), (Ymd{1800, 7, 4}));
    EXPECT_EQ(TimeOf(old), "18:30:15.250");

    // The last millisecond of a day stays on that day.
    const DateTime late = EncodeDate(2000, 1, 1) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(DateOf(late), (Ymd{2000, 1, 1}));
    EXPECT_EQ(TimeOf(late), "23:59:59.999");

    // Values beyond the calendar decode to nothing rather than to undefined behaviour.
    EXPECT_EQ(DateOf(1e300), (Ymd{0, 0, 0}));
    EXPECT_EQ(DateOf(std::numeric_limits<double>::quiet_NaN()), (Ymd{0, 0, 0}));
}

TEST(DateFormatting, SpecifiersNamesAndLiterals)
{
    const DateTime eve = EncodeDate(1999, 12, 31) + EncodeTime(7, 5, 9, 30);
    EXPECT_EQ(FormatDate(eve, "d mmm yyyy"), "31 Dec 1999");
    EXPECT_EQ(FormatDate(eve, "D MMM YYYY"), "31 Dec 1999");
    EXPECT_EQ(FormatDate(eve, "dd/mm/yy"), "31/12/99");
    EXPECT_EQ(FormatDate(eve, "dddd d mmmm"), "Friday 31 December");
    EXPECT_EQ(FormatDate(eve, "ddd, h:mm:ss"), "Fri, 7:05:09");
    EXPECT_EQ(FormatDate(eve, "hh:nn"), "07:05");
    EXPECT_EQ(FormatDate(eve, "\"day\" d 'of' m"), "day 31 of 12");
    EXPECT_EQ(FormatDate(EncodeDate(2001, 1, 5), "d-m-yyyy, dd.mm."), "5-1-2001, 05.01.");
    EXPECT_EQ(FormatDate(EncodeDate(5, 3, 9), "yyyy yy"), "0005 05");
    EXPECT_EQ(FormatDate(EncodeDate(1850, 5, 1), "mmmm"), "May");
}

TEST(DateFromClock, TimePointsBecomeLocalWallClockValues)
{
    using namespace std::chrono;
    const auto noon = sys_days{year{2000} / 1 / 1} + hours{12};
    const auto longAgo = sys_days{year{1800} / 3 / 1} + hours{6} + milliseconds{500};
    {
        ScopedTimeZone zone("UTC0");
        EXPECT_EQ(FromTimePoint(noon), EncodeDate(2000, 1, 1) + 0.5);
        EXPECT_EQ(DateOf(FromTimePoint(longAgo)), (Ymd{1800, 3, 1}));
        EXPECT_EQ(TimeOf(FromTimePoint(longAgo)), "06:00:00.500");
    }
    {
        ScopedTimeZone zone("EAST-2"); // two hours ahead of universal time
        EXPECT_EQ(TimeOf(FromTimePoint(noon)), "14:00:00.000");
        const auto beforeMidnight = sys_days{year{2000} / 1 / 1} - hours{1};
        EXPECT_EQ(DateOf(FromTimePoint(beforeMidnight)), (Ymd{2000, 1, 1}));
    }
}
