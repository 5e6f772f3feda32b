#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/datetime.h"
#include "record_support.h"

// History periods on both engines. Today is 30 June 2024. Loom 1 has two closed periods
// (January-February "Winter", March-April "Spring"), loom 2 none, loom 3 an open one from
// March ("Open"), loom 4 January and March with a gap between.

namespace {

class HistoryTest : public RecordEngineTest {
protected:
    void SetUp() override
    {
        RecordEngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        SetToday(2024, 6, 30);
        Db().Execute({"INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('LOOM', 10)",
                      "INSERT INTO Looms (ID, Name) VALUES (1, 'Now')", "INSERT INTO Looms (ID, Name) VALUES (2, 'Two')",
                      "INSERT INTO Looms (ID, Name) VALUES (3, 'Current3')",
                      "INSERT INTO Looms (ID, Name) VALUES (4, 'Four')", Period(1, "Winter", "20240101", "20240229"),
                      Period(1, "Spring", "20240301", "20240430"), Period(3, "Open", "20240301", "99991231"),
                      Period(4, "January", "20240101", "20240131"), Period(4, "March", "20240301", "20240331")});
    }
    std::vector<std::string> Periods(int id)
    {
        return Rows("SELECT Name, HistoryPeriodStart, HistoryPeriodEnd FROM H_Looms WHERE ID = " + std::to_string(id)
                    + " ORDER BY HistoryPeriodStart");
    }
    std::string NameOn(int id, const std::string& date)
    {
        auto loom = alice->Loom();
        return loom->Load(id, date) ? loom->AsText("Name") : "(none)";
    }
    int Placed(int id, const std::string& date)
    {
        auto loom = alice->Loom();
        loom->SetKeyValue(id);
        return loom->Handler().IsDateInHistory(date);
    }
};

} // namespace

TEST_P(HistoryTest, ADateIsPlacedAgainstThePeriodsOfItsRecord)
{
    EXPECT_EQ(Placed(1, ""), 0);
    EXPECT_EQ(Placed(1, "20240630"), 0) << "today is the current row";
    EXPECT_EQ(Placed(1, "20240701"), 3);
    EXPECT_EQ(Placed(1, "20240115"), 1);
    EXPECT_EQ(Placed(1, "20240515"), 0) << "after the last period the current row applies";
    EXPECT_EQ(Placed(1, "20231231"), 4);
    EXPECT_EQ(Placed(2, "20240115"), 2) << "a record without periods";
    auto order = alice->Order();
    order->SetKeyValue(1);
    EXPECT_EQ(order->Handler().IsDateInHistory("20240115"), 2) << "a table without history";
}

TEST_P(HistoryTest, LoadingByDateReadsThePeriodOrTheCurrentRow)
{
    EXPECT_EQ(NameOn(1, "20240115"), "Winter");
    EXPECT_EQ(NameOn(1, "20240401"), "Spring");
    EXPECT_EQ(NameOn(1, "20240515"), "Now");
    EXPECT_EQ(NameOn(3, "20240630"), "Current3") << "today wins over the open period";
    EXPECT_EQ(NameOn(3, "20240401"), "Open");
    // Before the first period the first is read (NoLowHistoryBounds, the default).
    EXPECT_EQ(NameOn(1, "20231201"), "Winter");
    EXPECT_EQ(NameOn(2, "20240115"), "Two") << "no periods: the current row (dbgLoadCurrentIfNoHistory)";

    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1, "20240115"));
    EXPECT_EQ(loom->HistoryPeriodStart(), "20240101");
    EXPECT_EQ(loom->HistoryPeriodEnd(), "20240229");
    EXPECT_EQ(loom->Handler().LoadedDate(), "20240115");
    EXPECT_FALSE(loom->IsModified());
    ASSERT_TRUE(loom->Load(1));
    EXPECT_EQ(loom->HistoryPeriodStart(), "");
}

TEST_P(HistoryTest, DatesTheHistoryCannotServeAreReportedWith78And79)
{
    const FirstRecord future = FailureOf([&] { NameOn(1, "20240701"); });
    EXPECT_EQ(future.Code, 79);
    EXPECT_TRUE(future.Message.starts_with("Failed to load record from table Looms:\r\nThis date lies after the "
                                           "current date.\r\nID = 1\r\nDate = 1 Jul 2024"))
        << future.Message;
    alice->info.SetOptions({dbfLoadNoDateLimit});
    EXPECT_EQ(NameOn(1, "20240701"), "Now");

    alice->looms->SetNoLowHistoryBounds(false);
    const FirstRecord early = FailureOf([&] { NameOn(1, "20231201"); });
    EXPECT_EQ(early.Code, 78);
    EXPECT_TRUE(early.Message.starts_with("Failed to load record from table Looms:\r\nThe date requested lies before "
                                          "the first history record.\r\nID = 1\r\nDate = 1 Dec 2023"));

    alice->looms->SetOptions({});
    const FirstRecord none = FailureOf([&] { NameOn(2, "20240115"); });
    EXPECT_EQ(none.Code, 78);
    EXPECT_TRUE(none.Message.starts_with("Failed to load record from table Looms:\r\nNo history records exist for "
                                         "this date.\r\nID = 2"));
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(HistoryTest, AHistoryRowForAConditionReadsTheFirstPeriodForAnEarlyDate)
{
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Handler().LoadFromHistoryCondition("ID = 1", "20231201"));
    EXPECT_EQ(loom->AsText("Name"), "Winter");
    EXPECT_EQ(loom->KeyValue(), 1);
    EXPECT_EQ(loom->Handler().LoadedDate(), "20231201");
    ASSERT_FALSE(loom->Handler().LoadFromHistoryCondition("ID = 2", "20240115"));
    EXPECT_EQ(loom->KeyValue(), -1);

    // A table without history loads the current row, or refuses when strict.
    auto order = alice->Order();
    Db().Execute({"INSERT INTO Orders (Name) VALUES ('current')"});
    ASSERT_TRUE(order->Handler().LoadFromHistoryCondition("ID = 1", ""));
    EXPECT_EQ(order->AsText("Name"), "current");
    alice->orders->SetOptions({dbgStrictHistoryLoad});
    const FirstRecord strict = FailureOf([&] { order->Handler().LoadFromHistoryCondition("ID = 1", ""); });
    EXPECT_EQ(strict.Message, "History load failed.\r\nTable <Orders> does not have an associated history.");
}

TEST_P(HistoryTest, SavingToHistoryClosesTheLatestPeriodAndOpensANewOne)
{
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(2));
    loom->SetText("Name", "Two in May");
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(Rows("SELECT ModifyFlag FROM Looms WHERE ID = 2"), std::vector<std::string>{"T"});
    ASSERT_TRUE(loom->SaveToHistory("20240501"));
    EXPECT_EQ(Periods(2), std::vector<std::string>{"Two in May|20240501|99991231"});
    EXPECT_EQ(Rows("SELECT ModifyFlag FROM Looms WHERE ID = 2"), std::vector<std::string>{"F"});
    EXPECT_FALSE(loom->GetModifyFlag());

    loom->SetText("Name", "Two in June");
    ASSERT_TRUE(loom->Save());
    ASSERT_TRUE(loom->SaveToHistory("20240601"));
    EXPECT_EQ(Periods(2), (std::vector<std::string>{"Two in May|20240501|20240531", "Two in June|20240601|99991231"}));
    EXPECT_EQ(NameOn(2, "20240515"), "Two in May");

    const FirstRecord twice = FailureOf([&] { loom->SaveToHistory("20240601"); });
    EXPECT_EQ(twice.Code, 74);
    EXPECT_TRUE(twice.Message.starts_with("Unable to update history table H_Looms:\r\nA history for the date exists "
                                          "already!\r\n\r\nDate = 1 Jun 2024"));
    EXPECT_FALSE(alice->connection.InTransaction());

    // With dbfSaveHistoryRedate the closed period ends on the new date itself.
    alice->info.SetOptions({dbfSaveHistoryRedate});
    ASSERT_TRUE(loom->SaveToHistory("20240615"));
    EXPECT_EQ(Periods(2)[1], "Two in June|20240601|20240615");

    auto order = alice->Order();
    order->SetKeyValue(1);
    const FirstRecord none = FailureOf([&] { order->SaveToHistory("20240101"); });
    EXPECT_EQ(none.Message, "Unable to save record to history.\r\nTable <Orders> does not have an associated history.");
}

TEST_P(HistoryTest, WithRedatingTheFirstDayOfAPeriodBelongsToThatPeriod)
{
    alice->info.SetOptions({dbfSaveHistoryRedate});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(3));
    loom->SetText("Name", "May");
    ASSERT_TRUE(loom->SaveToHistory("20240501"));
    // The closed period keeps the new period's first day as its stored end.
    ASSERT_EQ(Periods(3), (std::vector<std::string>{"Open|20240301|20240501", "May|20240501|99991231"}));
    EXPECT_EQ(NameOn(3, "20240430"), "Open");
    EXPECT_EQ(NameOn(3, "20240501"), "May");
    EXPECT_EQ(NameOn(3, "20240502"), "May");
    auto byCondition = alice->Loom();
    ASSERT_TRUE(byCondition->Handler().LoadFromHistoryCondition("ID = 3", "20240501"));
    EXPECT_EQ(byCondition->AsText("Name"), "May");
    EXPECT_EQ(byCondition->HistoryPeriodStart(), "20240501");

    // A roll-back to that day cuts the period that holds it, and leaves the closed one.
    TDBGQueryRef none;
    ASSERT_TRUE(loom->Handler().HistoryRollback("20240501", none, true));
    EXPECT_EQ(Periods(3), (std::vector<std::string>{"Open|20240301|20240501", "May|20240501|20240501"}));
    EXPECT_EQ(NameOn(3, "20240501"), "May");
}

TEST_P(HistoryTest, ARollBackCutsTheCoveringPeriodAndDeletesTheLaterOnes)
{
    auto loom = alice->Loom();
    loom->SetKeyValue(1);
    TDBGQueryRef none;
    ASSERT_TRUE(loom->Handler().HistoryRollback("20240215", none, true));
    EXPECT_EQ(Periods(1), std::vector<std::string>{"Winter|20240101|20240215"});
    // A date in the gap between two periods only deletes the later one.
    loom->SetKeyValue(4);
    ASSERT_TRUE(loom->Handler().HistoryRollback("20240215", none, true));
    EXPECT_EQ(Periods(4), std::vector<std::string>{"January|20240101|20240131"});
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(HistoryTest, ARolledBackCutLeavesTheLaterPeriodsWhereTheyWere)
{
    // A record on a session of the pool, whose connection is not the default session's.
    TDBGSessionRef& session = *alice->info.SessionPool().RequestSession();
    std::unique_ptr<TDBGenericAccessBase> loom(alice->info.CreateDBClass(LoomType, &session));
    loom->SetKeyValue(1);
    TDBGQueryRef outer = std::make_unique<TDBGenericQuery>(session, nullptr, true);
    ASSERT_TRUE(loom->Handler().HistoryRollback("20240115", outer, false));
    ASSERT_NE(outer, nullptr);
    // Not yet committed: another connection still sees both periods.
    EXPECT_EQ(Periods(1).size(), 2u);
    TDBGenericQuery::ReleaseRollback(outer);
    EXPECT_EQ(Periods(1), (std::vector<std::string>{"Winter|20240101|20240229", "Spring|20240301|20240430"}));

    outer = std::make_unique<TDBGenericQuery>(session, nullptr, true);
    ASSERT_TRUE(loom->Handler().HistoryRollback("20240115", outer, false));
    TDBGenericQuery::ReleaseCommit(outer);
    EXPECT_EQ(Periods(1), std::vector<std::string>{"Winter|20240101|20240115"});
}

TEST_P(HistoryTest, RestoringMakesAPeriodTheCurrentRow)
{
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    TDBGQueryRef none;
    ASSERT_TRUE(loom->Handler().RestoreFromHistory("20240401", none, true));
    EXPECT_EQ(Rows("SELECT Name FROM Looms WHERE ID = 1"), std::vector<std::string>{"Spring"});
    EXPECT_EQ(Periods(1).size(), 2u);

    loom->SetKeyValue(-1);
    const FirstRecord keyless = FailureOf([&] { loom->Handler().RestoreFromHistory("20240401", none, true); });
    EXPECT_EQ(keyless.Code, 27);
}

TEST_P(HistoryTest, AFirstPeriodComesWithANewRowAndErasingARowCanTakeItsPeriods)
{
    alice->info.SetOptions({dbfAutoCreateFirstHistory});
    auto loom = alice->Loom();
    loom->SetText("Name", "New");
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(loom->KeyValue(), 11);
    EXPECT_EQ(Periods(11), std::vector<std::string>{"New|19700101|99991231"});

    alice->looms->SetOptions({dbgDeleteHistoryOnErase});
    auto first = alice->Loom();
    ASSERT_TRUE(first->Load(1));
    ASSERT_TRUE(first->Delete());
    EXPECT_TRUE(Rows("SELECT ID FROM Looms WHERE ID = 1").empty());
    EXPECT_TRUE(Periods(1).empty());
    EXPECT_EQ(Periods(4).size(), 2u);
}

TAVELIN_ON_BOTH_ENGINES(HistoryTest);
