#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/datetime.h"
#include "record_support.h"

// A date-time literal in the layer's SQL means one moment on every engine, whichever order
// of day, month and year the settings component's DBDateFormat gives: what is written is
// read back, sorted and compared as that moment.

namespace {

fw::DateTime Moment(int year, int month, int day, int hour, int minute, int second)
{
    return fw::ComposeDateTime(fw::EncodeDate(year, month, day), fw::EncodeTime(hour, minute, second));
}

std::string Standard(fw::DateTime value)
{
    return fw::FormatDate(value, "YYYY-MM-DD hh:nn:ss");
}

class DateLiteralTest : public RecordEngineTest {};

} // namespace

TEST_P(DateLiteralTest, EveryOrderOfDayMonthAndYearWritesReadsSortsAndComparesTheSameMoment)
{
    struct Made {
        std::string Name;
        fw::DateTime When;
    };
    // Days below and above 13, in months below and above 12's reach.
    const std::vector<Made> made{{"Fourth", Moment(2150, 7, 4, 9, 8, 7)},
                                 {"Twentyfifth", Moment(2150, 3, 25, 23, 59, 58)},
                                 {"Twelfth", Moment(2149, 11, 12, 0, 0, 1)}};
    for (const char* format : {"DD/MM/YYYY", "MM/DD/YYYY", "YYYY/MM/DD", "YYYY/DD/MM", "MM/YYYY/DD", "DD/YYYY/MM",
                               "DD.MM.YYYY", "YYYY-MM-DD"}) {
        SCOPED_TRACE(format);
        Db().Execute({"DELETE FROM Looms", "DELETE FROM H_Looms"});
        alice->info.SetDBDateFormat(format);
        SetToday(2024, 6, 30);
        std::vector<int> keys;
        for (const Made& loom : made) {
            auto record = alice->Loom();
            record->SetText("Name", loom.Name);
            record->Fields().FieldByName("Made")->SetAsDateTime(loom.When);
            ASSERT_TRUE(record->Save());
            keys.push_back(record->KeyValue());
        }
        for (std::size_t i = 0; i < made.size(); ++i) {
            auto record = alice->Loom();
            ASSERT_TRUE(record->Load(keys[i]));
            EXPECT_EQ(Standard(record->Fields().FieldByName("Made")->AsDateTime()), Standard(made[i].When))
                << made[i].Name;
        }

        LoomList list(alice->info.DefaultSession());
        list.order = "Made";
        ASSERT_TRUE(list.LoadCondition(""));
        EXPECT_EQ(list.Names(), (std::vector<std::string>{"Twelfth", "Twentyfifth", "Fourth"}));
        ASSERT_TRUE(list.LoadCondition("Made > " + alice->info.DateTimeToSQL(Moment(2150, 3, 26, 0, 0, 0))));
        EXPECT_EQ(list.Names(), std::vector<std::string>{"Fourth"});
        ASSERT_TRUE(list.LoadCondition("Made < " + alice->info.DateTimeToSQL(made[0].When)));
        EXPECT_EQ(list.Names(), (std::vector<std::string>{"Twelfth", "Twentyfifth"}));
        ASSERT_TRUE(list.LoadCondition("Made = " + alice->info.DateTimeToSQL(made[1].When)));
        EXPECT_EQ(list.Names(), std::vector<std::string>{"Twentyfifth"});

        // The history row written for a date holds the moment, and a load for that date
        // gives it back after the current row has moved on.
        auto record = alice->Loom();
        ASSERT_TRUE(record->Load(keys[0]));
        ASSERT_TRUE(record->SaveToHistory("20230601"));
        record->Fields().FieldByName("Made")->SetAsDateTime(Moment(2151, 1, 2, 3, 4, 5));
        record->Fields().FieldByName("Made")->SetModified(true);
        ASSERT_TRUE(record->Save());
        auto earlier = alice->Loom();
        ASSERT_TRUE(earlier->Load(keys[0], "20230701"));
        EXPECT_EQ(Standard(earlier->Fields().FieldByName("Made")->AsDateTime()), Standard(made[0].When));
        auto now = alice->Loom();
        ASSERT_TRUE(now->Load(keys[0]));
        EXPECT_EQ(Standard(now->Fields().FieldByName("Made")->AsDateTime()), "2151-01-02 03:04:05");
    }
}

TAVELIN_ON_BOTH_ENGINES(DateLiteralTest);
