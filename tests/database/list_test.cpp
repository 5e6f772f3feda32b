#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_generic_info_ex.h"
#include "database/db_list.h"
#include "framework/core/datetime.h"
#include "record_support.h"

namespace {

class ListTest : public LoomListTest {
protected:
    void SetUp() override
    {
        LoomListTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'warp', 3)",
                      "INSERT INTO Looms (ID, Name, Qty) VALUES (2, 'Band', 1)",
                      "INSERT INTO Looms (ID, Name, Qty) VALUES (3, 'Card', 5)"});
    }
};

} // namespace

TEST_P(ListTest, OneStatementLoadsTheRowsOfAConditionInOrder)
{
    StatementLog log;
    log.Watch(alice->connection);
    list->order = "Name";
    list->SetColumnNames({"ID", "Name", "", "Loom"});
    ASSERT_TRUE(list->LoadCondition("Qty > 1"));
    EXPECT_EQ(log.Texts(), std::vector<std::string>{"SELECT ID, Name FROM Looms WHERE Qty > 1\r\nORDER BY Name"});
    EXPECT_EQ(list->Names(), (std::vector<std::string>{"Card", "warp"}));
    EXPECT_EQ(list->Items(0)->Owner(), list.get());
    EXPECT_FALSE(list->Items(0)->IsModified());
    EXPECT_EQ(list->Items(0)->KeyValue(), 3);

    list->SetColumnNames({});
    ASSERT_TRUE(list->LoadCondition(list->InCondition({1, 2})));
    EXPECT_EQ(list->Names(), (std::vector<std::string>{"Band", "warp"}));
    EXPECT_TRUE(log.Texts().back().starts_with("SELECT ID, Name, Qty, Price, Width, Active, Made, ModifyFlag, DeleteDate "
                                               "FROM Looms WHERE ID IN (1, 2)"))
        << log.Texts().back();
    EXPECT_EQ(list->LoadAll(), 0);
    EXPECT_EQ(list->Count(), 3);
}

TEST_P(ListTest, CopiesTakeKeysOrWholeRecordsOfTheSameType)
{
    ASSERT_TRUE(list->LoadCondition(""));
    auto copy = std::make_unique<LoomList>(alice->info.DefaultSession());
    copy->SetDateText("20240202");
    copy->CopyList(*list, false, false, false);
    ASSERT_EQ(copy->Count(), 3);
    EXPECT_EQ(copy->Items(0)->KeyValue(), -1) << "neither key nor values: only the list's date";
    EXPECT_EQ(copy->Items(0)->Handler().LoadedDate(), "20240202");
    copy->CopyList(*list, true, true, false);
    EXPECT_EQ(copy->Items(2)->KeyValue(), list->Items(2)->KeyValue());
    copy->CopyList(*list, false, false, true);
    ASSERT_EQ(copy->Count(), 6);
    EXPECT_EQ(dynamic_cast<TDBGenericAccessInternal&>(*copy->Items(5)).AsText("Name"),
              dynamic_cast<TDBGenericAccessInternal&>(*list->Items(2)).AsText("Name"));

    LoomList orders(alice->info.DefaultSession(), OrderType);
    const FirstRecord refused = FailureOf([&] { orders.CopyList(*list, true, true, true); });
    EXPECT_EQ(refused.Code, 65);
    EXPECT_TRUE(refused.Message.starts_with("Unable to perform list copy:\r\nThe TypeIDs of the items in the two lists "
                                            "are different.\r\nSource List Item TypeID = 1\r\nTarget List Item "
                                            "TypeID = 2"));
    EXPECT_EQ(orders.Count(), 0);

    copy->Clear();
    EXPECT_EQ(copy->DateText(), "") << "a cleared list forgets its date";
}

TEST_P(ListTest, ItemsGoToTextsAndItemInfosAndSortByKeyOrText)
{
    ASSERT_TRUE(list->LoadCondition("", {}));
    list->SortByText(false);
    EXPECT_EQ(list->Items(0)->KeyValue(), 3) << "ID 3 before ID 2 before ID 1, descending";
    list->SortByKey();
    EXPECT_EQ(list->Items(0)->KeyValue(), 1);

    fw::StringList texts;
    int called = 0;
    list->AddDisplayTextEx(texts, *list->Items(1), [&called](fw::StringList&, TDBGenericAccessBase&) { ++called; });
    EXPECT_EQ(texts.Strings(0), "ID 2");
    EXPECT_EQ(called, 1);
    TEnhancedListOf<TBaseItemInfo> items;
    list->FillItemInfos(items);
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(2)->Number, 3);
    EXPECT_EQ(items.Items(2)->Text, "ID 3");
}

TEST_P(ListTest, AListForADateReadsTheCoveringPeriodsAndRefusesTheFuture)
{
    SetToday(2024, 6, 30);
    Db().Execute({Period(1, "old warp", "20240101", "20240331")});
    ASSERT_TRUE(list->LoadCondition("ID = 1", "20240201"));
    EXPECT_EQ(list->Names(), std::vector<std::string>{"old warp"});
    EXPECT_EQ(list->DateCheck("ID = 1", "20240201"), 1);
    EXPECT_EQ(list->DateText(), "20240201");

    const FirstRecord future = FailureOf([&] { list->LoadCondition("ID = 1", "20240701"); });
    EXPECT_EQ(future.Code, 79);
    EXPECT_TRUE(future.Message.starts_with("Failed to load records from table Looms:\r\nThis date lies after the "
                                           "current date.\r\nDate = 20240701"));
    alice->looms->SetOptions({});
    const FirstRecord none = FailureOf([&] { list->LoadCondition("ID = 2", "20240201"); });
    EXPECT_EQ(none.Code, 78);
    EXPECT_TRUE(none.Message.starts_with("Failed to load records from table Looms:\r\nNo history records exist for "
                                         "this date.\r\nDate = 20240201\r\nCriteria = ID = 2"));
}

TEST_P(ListTest, ListsAreMadeThroughTheirRegisterAndCheckTheirType)
{
    std::vector<fw::Object*> made;
    alice->info.OnCreateList = [&made](fw::Object* created) { made.push_back(created); };
    alice->info.ListTypeRegister().Add(7, {"TLoomList", [](int, TDBGSessionRef& session) -> TDBGenericListBase* {
                                               return new LoomList(session);
                                           }});
    std::unique_ptr<TDBGenericListBase> created(alice->info.CreateDBList(7));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(made, std::vector<fw::Object*>{created.get()});
    const FirstRecord unknown = FailureOf([&] { LoomList strange(alice->info.DefaultSession(), 42); });
    EXPECT_TRUE(unknown.Message.starts_with("Unable to create list of type TDBGenericListBase.\r\nThe instance TypeID "
                                            "42 is not registered."));

    // The checked settings component frees a record of a class other than the registered one.
    TDBGenericInfoEx checked;
    TDBGenericTableInfo* looms = checked.TableList().AddItem();
    looms->SetTableName("Looms");
    TDBGTypeIDEntry entry;
    entry.TypeID = 1;
    entry.TableName = "Looms";
    entry.RecordClass = {"TLoomRecord", [](int id, TDBGSessionRef& session, bool client) {
                             return new TDBGenericAccessBase(id, session, client);
                         }};
    checked.TypeRegister().Add(entry);
    const FirstRecord mismatch = FailureOf([&] { checked.CreateDBClass(1); });
    EXPECT_TRUE(mismatch.Message.starts_with("TypeID mismatch.\r\nAn object of type TLoomRecord was expected,\r\nbut "
                                             "an object of type TDBGenericAccessBase was created.\r\nTypeID = 1."));
    checked.OnGetNextSysDate = [](TDBGenericInfoEx&, const std::string& date, bool include) {
        return include ? date : date + "+";
    };
    EXPECT_EQ(checked.GetNextSysDate("20240101", false), "20240101+");
    EXPECT_EQ(checked.GetPrevSysDate("20240101", false), "");
}

TAVELIN_ON_BOTH_ENGINES(ListTest);
