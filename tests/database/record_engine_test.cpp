#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_hooks.h"
#include "framework/core/datetime.h"
#include "record_support.h"

namespace {

class RecordTest : public RecordEngineTest {
protected:
    // The statements Alice's connection sends, without the transaction brackets.
    std::vector<std::string> Sent() const { return log.Texts(); }

    StatementLog log;
};

// Keeps the events a record's hook hears.
class HookRecorder : public IDBGenericHook {
public:
    int Notify(int event, fw::Object*) override
    {
        events.push_back(event);
        return 0;
    }
    std::vector<int> events;
};

} // namespace

TEST_P(RecordTest, ANewRecordIsInsertedWithARegistryKeyAndReadBackWhole)
{
    auto loom = alice->Loom();
    loom->SetText("Name", "Warp");
    loom->SetInteger("Qty", 3);
    loom->SetVariant("Price", fw::Variant(fw::varCurrency, 12.5));
    loom->SetVariant("Width", fw::Variant(0.25));
    loom->SetVariant("Active", fw::Variant(true));
    const fw::DateTime made = fw::ComposeDateTime(fw::EncodeDate(2024, 1, 31), fw::EncodeTime(7, 5, 3));
    loom->SetVariant("Made", fw::Variant(fw::varDate, made));
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(loom->KeyValue(), 1);
    EXPECT_FALSE(loom->IsModified()) << "a save clears the marks of what it wrote";
    EXPECT_EQ(Rows("SELECT ID, Name, Qty, ModifyFlag, DeleteDate FROM Looms"),
              std::vector<std::string>{"1|Warp|3|T|"});
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry WHERE KeyName = 'LOOM'"), "1");

    auto again = alice->Loom();
    ASSERT_TRUE(again->Load(1));
    EXPECT_EQ(again->AsText("Name"), "Warp");
    EXPECT_EQ(again->AsInteger("Qty"), 3);
    EXPECT_EQ(again->Fields().FieldByName("Price")->AsCurrency(), 125000);
    EXPECT_DOUBLE_EQ(again->Fields().FieldByName("Width")->AsFloat(), 0.25);
    EXPECT_TRUE(again->AsBoolean("Active"));
    EXPECT_DOUBLE_EQ(again->Fields().FieldByName("Made")->AsDateTime(), made);
    EXPECT_TRUE(again->GetModifyFlag());
    EXPECT_FALSE(again->IsModified());
    EXPECT_FALSE(again->Differs(*loom));
    EXPECT_FALSE(again->IsNew());

    // No row of the key: the record is emptied.
    EXPECT_FALSE(again->Load(9));
    EXPECT_EQ(again->KeyValue(), -1);
    EXPECT_TRUE(again->IsNew());
}

TEST_P(RecordTest, AnUpdateWritesOnlyTheChangedColumnsAndNothingWhenNothingChanged)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty, ModifyFlag) VALUES (1, 'Warp', 3, 'T')"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    log.Watch(alice->connection);
    loom->SetText("Name", "Weft");
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(Sent(), (std::vector<std::string>{"SELECT COUNT(*) FROM Looms WHERE ID = 1 AND DeleteDate = ''",
                                                "UPDATE Looms SET Name = 'Weft' WHERE ID = 1 AND DeleteDate = ''"}));
    log.Clear();
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(Sent(), std::vector<std::string>{"SELECT COUNT(*) FROM Looms WHERE ID = 1 AND DeleteDate = ''"});
    EXPECT_EQ(Rows("SELECT Name, Qty FROM Looms"), std::vector<std::string>{"Weft|3"});
}

TEST_P(RecordTest, TheEngineMakesTheKeyOfAnOrderAndTheStatementShowsNoMoreThanWasBuilt)
{
    log.Watch(alice->connection);
    auto first = alice->Order();
    first->SetText("Name", "first");
    ASSERT_TRUE(first->Save());
    auto second = alice->Order();
    second->SetText("Name", "second");
    ASSERT_TRUE(second->Save());
    EXPECT_EQ(first->KeyValue(), 1);
    EXPECT_EQ(second->KeyValue(), 2);
    EXPECT_EQ(Rows("SELECT ID, Name FROM Orders ORDER BY ID"), (std::vector<std::string>{"1|first", "2|second"}));
    EXPECT_EQ(Sent().back(), "INSERT INTO Orders (Name, Qty) VALUES ('second', 0)");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Key_Registry"), "0") << "no registry key was drawn";
}

TEST_P(RecordTest, ALoadWithoutAKeyReportsCode24OnlyWhenTheRecordAsks)
{
    auto loom = alice->Loom();
    EXPECT_FALSE(loom->Load(-1));
    loom->SetFlag(dbrfReportLoadWithoutKey, true);
    const FirstRecord failure = FailureOf([&] { loom->Load(-1); });
    EXPECT_EQ(failure.Code, 24);
    EXPECT_TRUE(failure.Message.starts_with("Unable to load TDBGenericAccessInternal object.\r\nThe record does not "
                                            "have a valid key:\r\nID = -1"))
        << failure.Message;
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(RecordTest, SeveralKeyColumnsNameTheRow)
{
    auto thread = alice->Thread();
    thread->SetInteger("LoomID", 1);
    thread->SetText("Hole", "A");
    thread->SetText("Colour", "red");
    EXPECT_TRUE(thread->IsNew());
    ASSERT_TRUE(thread->Save());
    EXPECT_FALSE(thread->IsNew());

    auto again = alice->Thread();
    ASSERT_TRUE(again->Handler().Load(fw::Variant::Array({fw::Variant(1), fw::Variant("A")}), {}));
    EXPECT_EQ(again->AsText("Colour"), "red");
    // A thread without its hole has no key to be saved under.
    auto keyless = alice->Thread();
    keyless->SetInteger("LoomID", 2);
    alice->threads->SetOptions({dbgForbidEmptyCharKey});
    const FirstRecord failure = FailureOf([&] { keyless->Save(); });
    EXPECT_EQ(failure.Code, 26);
    EXPECT_TRUE(failure.Message.starts_with("Failed to save record to table Threads:\r\nThe record does not have a "
                                            "valid key:\r\nLoomID = 2\r\nHole = "));
}

TEST_P(RecordTest, DeletingKeepsTheRowWithItsDateOrErasesIt)
{
    HookRecorder hook;
    TDBGenericInfoHookRegisterList::Instance().Register(&alice->info, &hook, nullptr);
    auto loom = alice->Loom();
    loom->SetText("Name", "Warp");
    ASSERT_TRUE(loom->Save());
    hook.events.clear();
    // With a date the row stays, marked deleted (and saved to history first).
    ASSERT_TRUE(loom->Delete("20231201"));
    EXPECT_EQ(Rows("SELECT ID, DeleteDate FROM Looms"), std::vector<std::string>{"1|20231201"});
    EXPECT_EQ(Rows("SELECT ID, HistoryPeriodStart FROM H_Looms"), std::vector<std::string>{"1|20231201"});
    ASSERT_FALSE(hook.events.empty());
    EXPECT_EQ(hook.events.front(), dbheDeleting);
    EXPECT_EQ(hook.events[hook.events.size() - 2], dbheDeleted);
    EXPECT_EQ(hook.events.back(), dbheDeleteCommitted);
    EXPECT_TRUE(loom->IsDeleted());
    auto reader = alice->Loom();
    EXPECT_FALSE(reader->Load(1)) << "a deleted row is not the current one";
    ASSERT_TRUE(loom->Undelete());
    EXPECT_TRUE(reader->Load(1));

    // Without a date, or without CanDelete, the row goes.
    ASSERT_TRUE(reader->Delete());
    EXPECT_TRUE(Rows("SELECT ID FROM Looms").empty());
    auto order = alice->Order();
    ASSERT_TRUE(order->Save());
    ASSERT_TRUE(order->Delete("20231201"));
    EXPECT_TRUE(Rows("SELECT ID FROM Orders").empty());
    TDBGenericInfoHookRegisterList::Instance().Unregister(&alice->info);
}

TEST_P(RecordTest, ADeleteWithoutAKeyColumnIsRefusedAndErasesNothing)
{
    Db().Execute({"INSERT INTO Orders (Name) VALUES ('kept')", "INSERT INTO Orders (Name) VALUES ('kept too')"});
    alice->orders->SetKeyField("");
    auto order = alice->Order();
    const FirstRecord failure = FailureOf([&] { order->Delete(); });
    EXPECT_EQ(failure.Code, 31);
    EXPECT_TRUE(failure.Message.starts_with("Failed to delete record!\r\nSession = Default\r\nTable = Orders\r\n"));
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Orders"), "2");
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(RecordTest, LoadFieldsAndUpdateFieldsTouchOnlyTheNamedColumns)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'Warp', 3)"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    Db().Execute({"UPDATE Looms SET Name = 'Weft', Qty = 4"});
    ASSERT_TRUE(loom->Handler().LoadFields({"Name", " "}, {}));
    EXPECT_EQ(loom->AsText("Name"), "Weft");
    EXPECT_EQ(loom->AsInteger("Qty"), 3);
    const FirstRecord none = FailureOf([&] { loom->Handler().LoadFields({"", " "}, {}); });
    EXPECT_EQ(none.Code, 30);

    log.Watch(alice->connection);
    loom->SetText("Name", "Reed");
    loom->SetInteger("Qty", 7);
    ASSERT_TRUE(loom->Handler().UpdateFields({"Qty", "NoSuchColumn"}));
    EXPECT_EQ(Sent(), std::vector<std::string>{"UPDATE Looms SET Qty = 7 WHERE ID = 1 AND DeleteDate = ''"});
    EXPECT_FALSE(loom->Fields().FieldByName("Qty")->Modified());
    EXPECT_TRUE(loom->Fields().FieldByName("Name")->Modified());
    EXPECT_EQ(Rows("SELECT Name, Qty FROM Looms"), std::vector<std::string>{"Weft|7"});
    EXPECT_EQ(loom->Handler().ColumnNames().Count(), 2);
}

TEST_P(RecordTest, TheDuplicateTestWritesEveryValueAsItsColumnsLiteral)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'O''Brien', 5)",
                  "INSERT INTO Looms (ID, Name, Qty) VALUES (2, 'Other', 6)"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    log.Watch(alice->connection);
    TDBGenericAccessHandlerBase& handler = loom->Handler();
    EXPECT_EQ(handler.CheckDuplicate({"Name", "Qty"}, {"o'brien", "5"}, false), 1);
    EXPECT_EQ(Sent().back(), "SELECT ID FROM Looms WHERE Upper(Name) = 'O''BRIEN' AND Qty = 5");
    EXPECT_EQ(handler.CheckDuplicate({"Name", "Qty"}, {"", ""}, true), 0) << "the record itself is no duplicate";
    EXPECT_EQ(handler.CheckDuplicate({"Name"}, {"x' OR '1'='1"}, false), 0);
    EXPECT_EQ(Sent().back(), "SELECT ID FROM Looms WHERE Upper(Name) = 'X'' OR ''1''=''1'");
    // A number that is none never reaches the engine.
    const std::size_t sent = Sent().size();
    const FirstRecord injected = FailureOf([&] { handler.CheckDuplicate({"Qty"}, {"5 OR 1=1"}, false); });
    EXPECT_EQ(injected.Code, 60);
    EXPECT_EQ(Sent().size(), sent);
}

TEST_P(RecordTest, ASaveTellsTheHooksWhatItDoes)
{
    HookRecorder hook;
    TDBGenericInfoHookRegisterList::Instance().Register(&alice->info, &hook, nullptr);
    auto order = alice->Order();
    order->SetText("Name", "first");
    ASSERT_TRUE(order->Save());
    EXPECT_EQ(hook.events, (std::vector<int>{5, 6, 3, 7, 8, 9, 1}));
    hook.events.clear();
    order->SetInteger("Qty", -1);
    const FirstRecord failure = FailureOf([&] { order->Save(); });
    EXPECT_EQ(failure.Code, 20);
    EXPECT_TRUE(failure.SQL.starts_with("UPDATE Orders SET Qty = -1 WHERE ID = 1")) << failure.SQL;
    EXPECT_EQ(hook.events, (std::vector<int>{5, 6, 9, 2}));
    EXPECT_TRUE(order->Fields().FieldByName("Qty")->Modified()) << "a failed save keeps what is still to be written";

    // Switched off by the settings component, and gone with it.
    hook.events.clear();
    alice->info.SetOptions({dbfDisableHooks});
    order->SetInteger("Qty", 2);
    ASSERT_TRUE(order->Save());
    EXPECT_TRUE(hook.events.empty());
    const int entries = TDBGenericInfoHookRegisterList::Instance().Count();
    {
        TDBGenericInfo other;
        TDBGenericInfoHookRegisterList::Instance().Register(&other, &hook, &hook);
        EXPECT_EQ(TDBGenericInfoHookRegisterList::Instance().Count(), entries + 1);
    }
    EXPECT_EQ(TDBGenericInfoHookRegisterList::Instance().Count(), entries);
    TDBGenericInfoHookRegisterList::Instance().Unregister(&alice->info);
}

TEST_P(RecordTest, ARecordLockIsTakenOnceAndASwallowedConflictLeavesNoLockBehind)
{
    RecordUser bob(Db(), "bob");
    auto theirs = bob.Loom();
    theirs->SetKeyValue(5);
    EXPECT_EQ(theirs->Handler().SetRecordLock(true, "bob"), 1);
    EXPECT_EQ(theirs->Handler().SetRecordLock(true, "bob2"), 0) << "the second lock only renames the user";
    EXPECT_EQ(theirs->Handler().LockUser(), "bob2");
    EXPECT_EQ(Rows("SELECT Keys, UserID, LockCount FROM Data_Locks"), std::vector<std::string>{"5|bob|1"});

    // Alice's host swallows the conflict: her record must not believe it holds the lock.
    int conflicts = 0;
    alice->info.OnHandleException = [&conflicts](const std::string&, int code, fw::Object*, const std::exception*,
                                                 const std::string&, const fw::Object*, const std::string&,
                                                 const std::string&) {
        conflicts += code == 6 ? 1 : 0;
        return 0;
    };
    auto mine = alice->Loom();
    mine->SetKeyValue(5);
    EXPECT_EQ(mine->Handler().SetRecordLock(true, "alice"), 0);
    EXPECT_EQ(conflicts, 1);
    EXPECT_FALSE(mine->Handler().Locked());
    EXPECT_EQ(mine->Handler().LockUser(), "");
    EXPECT_FALSE(alice->info.CanWriteRecord("Looms", 5, "alice"));

    EXPECT_EQ(theirs->Handler().SetRecordLock(false, "bob"), 0);
    EXPECT_FALSE(theirs->Handler().Locked());
    EXPECT_TRUE(Rows("SELECT Keys FROM Data_Locks").empty());
    EXPECT_EQ(mine->Handler().SetRecordLock(true, "alice"), 1);
    EXPECT_TRUE(mine->Handler().Locked());
}

TAVELIN_ON_BOTH_ENGINES(RecordTest);
