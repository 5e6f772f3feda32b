#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/datetime.h"
#include "record_support.h"

// The layer gives one answer whatever the engine and whatever the shape of what the caller
// hands it: key names outside ASCII, conditions with OR in them, column names it does not
// know, loads of keys without rows. Today is 30 June 2024; loom 1 has a winter and a
// spring period.

namespace {

class SameAnswerTest : public RecordEngineTest {
protected:
    void SetUp() override
    {
        RecordEngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        SetToday(2024, 6, 30);
        Db().Execute({"INSERT INTO Looms (ID, Name) VALUES (1, 'Now')",
                      Period(1, "Winter", "20240101", "20240229"),
                      Period(1, "Spring", "20240301", "20240430")});
    }
};

} // namespace

TEST_P(SameAnswerTest, AKeyNameOutsideAsciiDrawsOnAndSharesItsRowWithEveryCaseOfIt)
{
    TDBGenericRecordKey& keys = alice->info.RecordKey();
    EXPECT_EQ(keys.GetKey("öse"), 1);
    EXPECT_EQ(keys.GetKey("öse"), 2);
    EXPECT_EQ(keys.GetKey(" Öse "), 3);
    EXPECT_EQ(keys.GetKey("ÖSE"), 4);
    EXPECT_EQ(keys.GetKey("straße"), 1);
    EXPECT_EQ(keys.GetKey("STRASSE"), 2) << "the upper case of ß is SS";
    EXPECT_EQ(Rows("SELECT KeyName, LastValue FROM Key_Registry ORDER BY LastValue"),
              (std::vector<std::string>{"STRASSE|2", "ÖSE|4"}));
}

TEST_P(SameAnswerTest, ACallersConditionWithOrStaysOneConditionBesideTheLayersOwn)
{
    // Both looms deleted before today: the condition meets neither live row.
    Db().Execute({"UPDATE Looms SET DeleteDate = '20240601'", "INSERT INTO Looms (ID, Name, DeleteDate) VALUES "
                                                              "(2, 'Two', '20240601')"});
    auto loom = alice->Loom();
    EXPECT_FALSE(loom->Handler().LoadCondition("ID = 1 OR ID = 2", "20240630"));
    EXPECT_EQ(loom->AsText("Name"), "");
    Db().Execute({"UPDATE Looms SET DeleteDate = '' WHERE ID = 2"});
    ASSERT_TRUE(loom->Handler().LoadCondition("ID = 1 OR ID = 2", "20240630"));
    EXPECT_EQ(loom->AsText("Name"), "Two");

    // A history period: only the one that covers the date, of either loom.
    auto history = alice->Loom();
    EXPECT_FALSE(history->Handler().LoadFromHistoryCondition("ID = 1 OR ID = 9", "20240515"))
        << "loom 1 has no period that covers the date";
    ASSERT_TRUE(history->Handler().LoadFromHistoryCondition("ID = 1 OR ID = 9", "20240401"));
    EXPECT_EQ(history->AsText("Name"), "Spring");
    ASSERT_TRUE(history->Handler().LoadCondition("ID = 9 OR ID = 1", "20240115"));
    EXPECT_EQ(history->AsText("Name"), "Winter");
}

TEST_P(SameAnswerTest, LoadFieldsReadsOnlyColumnsTheRecordHas)
{
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    Db().Execute({"UPDATE Looms SET Name = 'Later', Qty = 4"});
    ASSERT_TRUE(loom->Handler().LoadFields({"NoSuchColumn", "Name"}, {}));
    EXPECT_EQ(loom->AsText("Name"), "Later");
    EXPECT_EQ(loom->AsInteger("Qty"), 0);
    StatementLog log;
    log.Watch(alice->connection);
    const FirstRecord refused = FailureOf([&] { loom->Handler().LoadFields({"Qty FROM Looms --"}, {}); });
    EXPECT_EQ(refused.Code, 30);
    EXPECT_TRUE(log.Texts().empty()) << log.Texts().front();
}

TEST_P(SameAnswerTest, ACompoundLoadOfAKeyWithoutRowsAnswersFalseAsARecordDoes)
{
    auto loom = alice->Loom();
    EXPECT_FALSE(loom->Load(7));
    auto set = alice->LoomSet();
    EXPECT_FALSE(set->Load(7));
    EXPECT_FALSE(set->Load(1)) << "loom 1 has no order: the set is not whole";
    Db().Execute({"INSERT INTO Orders (ID, Name) VALUES (1, 'Order')"});
    EXPECT_TRUE(set->Load(1));
}

TAVELIN_ON_BOTH_ENGINES(SameAnswerTest);
