#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_data_lock.h"
#include "framework/core/datetime.h"
#include "record_support.h"

// What a save, a delete or a lock that fails leaves behind: the record as it was before
// it, flags that agree with the database, and nothing that lets a retry touch another
// user's row. Bob is a second user with a connection of his own.

namespace {

// A loom whose validation can be made to refuse.
class GuardedLoom : public TDBGenericAccessInternal {
public:
    using TDBGenericAccessInternal::TDBGenericAccessInternal;
    int Validate() override { return refuse ? 7 : 0; }
    bool refuse = false;
};

class RecordFailureTest : public RecordEngineTest {
protected:
    // Orders get a history table that is not there yet: the first period of a new order
    // cannot be written, after the order's own row was.
    void OrdersWithMissingHistory()
    {
        alice->orders->SethasHistory(true);
        alice->info.SetOptions({dbfAutoCreateFirstHistory});
    }
    void CreateOrderHistory()
    {
        Db().Execute({"CREATE TABLE H_Orders (ID INT NOT NULL, Name VARCHAR(40) NOT NULL DEFAULT '', "
                      "Qty INT NOT NULL DEFAULT 0, HistoryPeriodStart VARCHAR(8) NOT NULL, "
                      "HistoryPeriodEnd VARCHAR(8) NOT NULL)"});
    }
    // A host handler that writes the codes down and answers the given number.
    void Answer(RecordUser& user, std::vector<int>& codes, int answer)
    {
        user.info.OnHandleException = [&codes, answer](const std::string&, int code, fw::Object*,
                                                       const std::exception*, const std::string&, const fw::Object*,
                                                       const std::string&, const std::string&) {
            codes.push_back(code);
            return answer;
        };
    }
    static TDBGenericAccessInternal& Part(TDBGenericAccessCompound& set, int index)
    {
        return dynamic_cast<TDBGenericAccessInternal&>(*set.Part(index));
    }
    std::vector<std::string> Locks() { return Rows("SELECT TableName, Keys, UserID FROM Data_Locks ORDER BY TableName"); }
};

} // namespace

TEST_P(RecordFailureTest, AFailedInsertGivesBackTheEngineKeySoThatARetryInsertsBesideAnotherUsersOrder)
{
    OrdersWithMissingHistory();
    auto order = alice->Order();
    order->SetText("Name", "alice");
    order->SetInteger("Qty", 1);
    EXPECT_EQ(FailureOf([&] { order->Save(); }).Code, 20);
    EXPECT_FALSE(order->HasKey()) << "the key of a rolled-back insert is nobody's";
    EXPECT_FALSE(order->FindField("ID")->Modified());
    EXPECT_TRUE(order->FindField("Name")->Modified()) << "still to be written";
    EXPECT_TRUE(Rows("SELECT ID FROM Orders").empty());

    // With a host handler that goes on, the same.
    std::vector<int> codes;
    Answer(*alice, codes, 0);
    EXPECT_FALSE(order->Save());
    EXPECT_EQ(codes, std::vector<int>{20});
    EXPECT_FALSE(order->HasKey());
    alice->info.OnHandleException = nullptr;

    RecordUser bob(Db(), "bob");
    auto theirs = bob.Order();
    theirs->SetText("Name", "bob");
    theirs->SetInteger("Qty", 2);
    ASSERT_TRUE(theirs->Save());

    CreateOrderHistory();
    ASSERT_TRUE(order->Save());
    EXPECT_NE(order->AsInteger("ID"), theirs->AsInteger("ID"));
    EXPECT_EQ(Rows("SELECT Name, Qty FROM Orders ORDER BY Name"), (std::vector<std::string>{"alice|1", "bob|2"}));
    EXPECT_EQ(Rows("SELECT ID, Name FROM H_Orders"),
              std::vector<std::string>{std::to_string(order->AsInteger("ID")) + "|alice"});
}

TEST_P(RecordFailureTest, AFailedCompoundGivesBackTheKeysOfAllItsPartsSoThatARetryInserts)
{
    OrdersWithMissingHistory();
    auto set = alice->LoomSet();
    Part(*set, 0).SetText("Name", "Warp");
    Part(*set, 1).SetText("Name", "alice");
    Part(*set, 1).SetInteger("Qty", 1);
    EXPECT_EQ(FailureOf([&] { set->Save(); }).Code, 20);
    EXPECT_FALSE(Part(*set, 0).HasKey()) << "the drawn key";
    EXPECT_FALSE(Part(*set, 1).HasKey()) << "the engine's key";
    EXPECT_TRUE(Rows("SELECT ID FROM Looms").empty());
    EXPECT_TRUE(Rows("SELECT ID FROM Orders").empty());

    RecordUser bob(Db(), "bob");
    auto theirs = bob.Order();
    theirs->SetText("Name", "bob");
    theirs->SetInteger("Qty", 2);
    ASSERT_TRUE(theirs->Save());

    CreateOrderHistory();
    ASSERT_TRUE(set->Save());
    EXPECT_NE(Part(*set, 1).AsInteger("ID"), theirs->AsInteger("ID"));
    EXPECT_EQ(Rows("SELECT Name, Qty FROM Orders ORDER BY Name"), (std::vector<std::string>{"alice|1", "bob|2"}));
    EXPECT_EQ(Rows("SELECT ID, Name FROM Looms"),
              std::vector<std::string>{std::to_string(Part(*set, 0).KeyValue()) + "|Warp"});
}

TEST_P(RecordFailureTest, AFailedCompoundLockOrUnlockPutsThePartsFlagsBackWithTheirRows)
{
    RecordUser bob(Db(), "bob");
    ASSERT_EQ(bob.info.LockRecord("Looms", 1), 1);
    auto set = alice->LoomSet();
    Part(*set, 0).SetKeyValue(1);
    Part(*set, 1).SetKeyValue(5);

    // The order is locked first, the loom is Bob's: the order's lock row goes again.
    EXPECT_EQ(FailureOf([&] { set->Handler().SetRecordLock(true, "alice"); }).Code, 6);
    EXPECT_EQ(Locks(), std::vector<std::string>{"Looms|1|bob"});
    EXPECT_FALSE(Part(*set, 1).Handler().Locked());
    EXPECT_FALSE(Part(*set, 0).Handler().Locked());
    EXPECT_FALSE(set->Handler().Locked());

    std::vector<int> codes;
    Answer(*alice, codes, 0);
    EXPECT_EQ(set->Handler().SetRecordLock(true, "alice"), 0);
    EXPECT_EQ(codes, std::vector<int>{6});
    EXPECT_FALSE(Part(*set, 1).Handler().Locked());
    EXPECT_EQ(Locks(), std::vector<std::string>{"Looms|1|bob"});

    // Unlocking: the order is unlocked first, the loom's row is Bob's again by then; the
    // order's row comes back, and so does its flag.
    ASSERT_EQ(bob.info.UnlockRecord("Looms", 1), 0);
    codes.clear();
    ASSERT_EQ(set->Handler().SetRecordLock(true, "alice"), 1);
    ASSERT_TRUE(Part(*set, 1).Handler().Locked());
    ASSERT_EQ(bob.info.UnlockRecord("Looms", 1, true), 0);
    ASSERT_EQ(bob.info.LockRecord("Looms", 1), 1);
    set->Handler().SetRecordLock(false, "alice");
    EXPECT_EQ(codes, std::vector<int>{7});
    EXPECT_EQ(Locks(), (std::vector<std::string>{"Looms|1|bob", "Orders|5|alice"}));
    EXPECT_TRUE(Part(*set, 1).Handler().Locked());
    EXPECT_TRUE(set->Handler().Locked());
}

TEST_P(RecordFailureTest, ARefusedLockIsNeverCountedAsHeldWhateverTheHostAnswers)
{
    RecordUser bob(Db(), "bob");
    ASSERT_EQ(bob.info.LockRecord("Looms", 1), 1);
    std::vector<int> codes;
    Answer(*alice, codes, 1);
    EXPECT_EQ(alice->info.LockRecord("Looms", 1), 0);

    auto loom = alice->Loom();
    loom->SetKeyValue(1);
    EXPECT_EQ(loom->Handler().SetRecordLock(true, "alice"), 0);
    EXPECT_FALSE(loom->Handler().Locked());

    auto set = alice->LoomSet();
    Part(*set, 0).SetKeyValue(1);
    EXPECT_EQ(set->Handler().SetRecordLock(true, "alice"), 0);
    EXPECT_FALSE(set->Handler().Locked());
    EXPECT_EQ(codes, (std::vector<int>{6, 6, 6}));
    EXPECT_EQ(Locks(), std::vector<std::string>{"Looms|1|bob"});
}

TEST_P(RecordFailureTest, AKeyDrawThatCannotTakeItsNameLockDrawsNothingAndLeavesTheLockAlone)
{
    Db().Execute({"INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('LOOM', 10)"});
    RecordUser bob(Db(), "bob");
    ASSERT_EQ(bob.info.LockRecord("Key_Registry", "LOOM"), 1);
    std::vector<int> codes;
    Answer(*alice, codes, 1);
    EXPECT_EQ(alice->info.RecordKey().GetKey("loom"), -1);
    EXPECT_EQ(codes, (std::vector<int>{6, 2}));
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry"), "10");
    EXPECT_EQ(Rows("SELECT TableName, Keys, UserID, LockCount FROM Data_Locks"),
              std::vector<std::string>{"Key_Registry|LOOM|bob|1"});

    // Without a host handler the draw fails as a whole.
    alice->info.OnHandleException = nullptr;
    EXPECT_EQ(FailureOf([&] { alice->info.RecordKey().GetKey("loom"); }).Code, 2);
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry"), "10");
}

TEST_P(RecordFailureTest, ASoftDeletedRowLoadedForAnEarlierDateIsUpdated)
{
    SetToday(2024, 6, 30);
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty, DeleteDate) VALUES (1, 'Warp', 3, '20240301')"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1, "20240201"));
    EXPECT_FALSE(loom->IsNew());
    loom->SetText("Name", "Weft");
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(Rows("SELECT ID, Name, Qty, DeleteDate FROM Looms"), std::vector<std::string>{"1|Weft|3|20240301"});

    // Writing chosen columns finds the row as well.
    loom->SetInteger("Qty", 8);
    ASSERT_TRUE(loom->Handler().UpdateFields({"Qty"}));
    EXPECT_EQ(Rows("SELECT ID, Name, Qty, DeleteDate FROM Looms"), std::vector<std::string>{"1|Weft|8|20240301"});
}

TEST_P(RecordFailureTest, AFailedDeleteLeavesTheRecordAsItWas)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'Warp', 3)"});
    GuardedLoom loom(LoomType, alice->info.DefaultSession(), false);
    ASSERT_TRUE(loom.Load(1));
    loom.refuse = true;
    FailureOf([&] { loom.Delete("20240301"); });
    EXPECT_EQ(loom.DeleteDate(), "");
    EXPECT_FALSE(loom.IsModified());

    std::vector<int> codes;
    Answer(*alice, codes, 0);
    EXPECT_FALSE(loom.Delete("20240301"));
    EXPECT_FALSE(codes.empty());
    EXPECT_EQ(loom.DeleteDate(), "");
    EXPECT_FALSE(loom.IsModified());
    EXPECT_TRUE(Rows("SELECT ID FROM H_Looms").empty());

    // The next ordinary save writes what changed since, and the row stays.
    loom.refuse = false;
    loom.SetText("Name", "Weft");
    ASSERT_TRUE(loom.Save());
    EXPECT_EQ(Rows("SELECT ID, Name, DeleteDate FROM Looms"), std::vector<std::string>{"1|Weft|"});
}

TAVELIN_ON_BOTH_ENGINES(RecordFailureTest);
