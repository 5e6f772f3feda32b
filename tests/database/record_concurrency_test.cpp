#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "database/db_data_lock.h"
#include "framework/core/datetime.h"
#include "record_support.h"

// Records of several users as threads on one database, and records whose work fails half
// way: what the others see, and what is left open. As in the lock and key tests, a gate
// holds one user before a chosen statement while another goes on (for a bounded 200 ms when
// it has to wait); the assertions hold in every interleaving.

namespace {

using namespace std::chrono_literals;

// A loom that never passes its validation.
class RefusedLoom : public TDBGenericAccessInternal {
public:
    using TDBGenericAccessInternal::TDBGenericAccessInternal;
    int Validate() override { return 7; }
};

class RecordConcurrencyTest : public RecordEngineTest {
protected:
    std::vector<std::string> Rows(const std::string& sql) { return RowsOf(Db(), sql); }

    // Whether another thread can take the user's session at once, and Alice's connection
    // is out of every transaction.
    bool LeftNothingOpen(RecordUser& user)
    {
        if (user.connection.InTransaction()) {
            return false;
        }
        return std::async(std::launch::async, [&user] {
                   TDBGSessionRef& session = user.info.DefaultSession();
                   const bool free = session.CriticalSection().try_lock();
                   if (free) {
                       session.CriticalSection().unlock();
                   }
                   return free;
               }).get();
    }
    // A host handler that writes the codes down and lets every operation go on.
    void Swallow(RecordUser& user, std::vector<int>& codes)
    {
        user.info.OnHandleException = [&codes](const std::string&, int code, fw::Object*, const std::exception*,
                                               const std::string&, const fw::Object*, const std::string&,
                                               const std::string&) {
            codes.push_back(code);
            return 0;
        };
    }
    static TDBGenericAccessInternal& Part(TDBGenericAccessCompound& set, int index)
    {
        return dynamic_cast<TDBGenericAccessInternal&>(*set.Part(index));
    }
    void AddPeriods()
    {
        Db().Execute({"INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('LOOM', 10)",
                      "INSERT INTO Looms (ID, Name) VALUES (1, 'Now')",
                      Period(1, "Winter", "20240101", "20240229"),
                      Period(1, "Spring", "20240301", "20240430")});
    }
};

} // namespace

TEST_P(RecordConcurrencyTest, ACompoundWhosePartFailsLeavesNoPartAndFreesItsSession)
{
    auto set = alice->LoomSet();
    Part(*set, 0).SetText("Name", "Warp");
    Part(*set, 1).SetText("Name", "Order");
    Part(*set, 1).SetInteger("Qty", -1);
    const FirstRecord failure = FailureOf([&] { set->Save(); });
    EXPECT_EQ(failure.Code, 20);
    EXPECT_EQ(failure.SQL, "INSERT INTO Orders (Name, Qty) VALUES ('Order', -1)");
    EXPECT_TRUE(Rows("SELECT ID FROM Looms").empty()) << "the first part is rolled back with the second";
    EXPECT_TRUE(Rows("SELECT ID FROM Orders").empty());
    EXPECT_TRUE(LeftNothingOpen(*alice));

    // Bob starts a transaction of his own at once, and his record goes in.
    auto bob = std::async(std::launch::async, [this] {
        RecordUser user(Db(), "bob");
        auto loom = user.Loom();
        loom->SetText("Name", "Bob's");
        return loom->Save();
    });
    EXPECT_EQ(bob.wait_for(10s), std::future_status::ready);
    EXPECT_TRUE(bob.get());
    EXPECT_EQ(Rows("SELECT Name FROM Looms"), std::vector<std::string>{"Bob's"});
}

TEST_P(RecordConcurrencyTest, FailingSavesLeaveNoTransactionAndNoSessionHeld)
{
    auto order = alice->Order();
    order->SetInteger("Qty", -1);
    EXPECT_EQ(FailureOf([&] { order->Save(); }).Code, 20);
    EXPECT_TRUE(LeftNothingOpen(*alice));

    RefusedLoom refused(LoomType, alice->info.DefaultSession(), false);
    const FirstRecord invalid = FailureOf([&] { refused.Save(); });
    EXPECT_EQ(invalid.Code, 25);
    EXPECT_TRUE(invalid.Message.starts_with("Record validation on table Looms failed with error 7\r\nID = "));
    EXPECT_TRUE(LeftNothingOpen(*alice));

    auto thread = alice->Thread();
    alice->threads->SetOptions({dbgForbidEmptyCharKey});
    EXPECT_EQ(FailureOf([&] { thread->Save(); }).Code, 26);
    EXPECT_TRUE(LeftNothingOpen(*alice));
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Looms"), "0");
}

TEST_P(RecordConcurrencyTest, FailingHistorySavesLeaveNoTransactionAndNoSessionHeld)
{
    Db().Execute({"INSERT INTO Looms (ID, Name) VALUES (2, 'Two')"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(2));
    // A period end column the history table lacks: the first period cannot be written.
    alice->info.SetHistoryPeriodEndField("PeriodEnd");
    const FirstRecord first = FailureOf([&] { loom->SaveToHistory("20240101"); });
    EXPECT_EQ(first.Code, 72);
    EXPECT_TRUE(first.Message.starts_with("Error while trying to add new history record.\r\nSession = Default\r\n"
                                          "History Table = H_Looms\r\nDate = 20240101 to 99991231"))
        << first.Message;
    EXPECT_TRUE(LeftNothingOpen(*alice));

    Db().Execute({Period(2, "Two", "20240101", "99991231")});
    const FirstRecord closing = FailureOf([&] { loom->SaveToHistory("20240201"); });
    EXPECT_EQ(closing.Code, 74);
    EXPECT_TRUE(closing.Message.starts_with("Unable to update history table H_Looms.\r\nSession = Default\r\nNew Date "
                                            "= 20240131"));
    EXPECT_TRUE(LeftNothingOpen(*alice));
    EXPECT_EQ(Rows("SELECT ModifyFlag FROM Looms"), std::vector<std::string>{"F"});
}

TEST_P(RecordConcurrencyTest, ACompoundRollBackThatFailsBringsTheLaterPeriodsBack)
{
    AddPeriods();
    auto set = alice->LoomSet();
    Part(*set, 0).SetKeyValue(1);
    Part(*set, 1).SetKeyValue(1);
    TDBGQueryRef none;
    // The loom's periods are cut in the compound's transaction; the order has no history.
    const FirstRecord failure = FailureOf([&] { set->Handler().HistoryRollback("20240115", none, true); });
    EXPECT_EQ(failure.Message, "Unable to roll back history.\r\nTable <Orders> does not have an associated history.");
    EXPECT_EQ(Rows("SELECT Name, HistoryPeriodEnd FROM H_Looms ORDER BY HistoryPeriodStart"),
              (std::vector<std::string>{"Winter|20240229", "Spring|20240430"}));
    EXPECT_TRUE(LeftNothingOpen(*alice));
}

TEST_P(RecordConcurrencyTest, WithoutLocksNeitherUsersChangeIsLost)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'Warp', 1)"});
    StatementGate gate("UPDATE Looms");
    std::promise<void> loaded;
    auto first = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "alice", false);
        auto loom = user.Loom();
        loom->Load(1);
        loaded.set_value();
        gate.Watch(user.connection);
        loom->SetText("Name", "Weft");
        return loom->Save();
    });
    loaded.get_future().wait();
    ASSERT_TRUE(gate.WaitUntilHeld());
    auto second = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "bob", false);
        auto loom = user.Loom();
        loom->Load(1);
        loom->SetInteger("Qty", 9);
        return loom->Save();
    });
    second.wait_for(200ms);
    gate.Release();
    EXPECT_TRUE(first.get());
    EXPECT_TRUE(second.get());
    EXPECT_EQ(Rows("SELECT Name, Qty FROM Looms"), std::vector<std::string>{"Weft|9"});
}

TEST_P(RecordConcurrencyTest, WithLocksTheSecondUserWaitsUntilTheFirstHasSavedAndUnlocked)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'Warp', 1)"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    ASSERT_EQ(loom->Handler().SetRecordLock(true, "alice"), 1);

    RecordUser bob(Db(), "bob");
    auto theirs = bob.Loom();
    ASSERT_TRUE(theirs->Load(1));
    EXPECT_EQ(FailureOf([&] { theirs->Handler().SetRecordLock(true, "bob"); }).Code, 6);
    EXPECT_FALSE(theirs->Handler().Locked());
    EXPECT_FALSE(bob.info.CanWriteRecord("Looms", 1, "bob"));

    loom->SetText("Name", "Weft");
    ASSERT_TRUE(loom->Save());
    loom->Handler().SetRecordLock(false, "alice");
    ASSERT_TRUE(theirs->Load(1));
    ASSERT_EQ(theirs->Handler().SetRecordLock(true, "bob"), 1);
    EXPECT_TRUE(bob.info.CanWriteRecord("Looms", 1, "bob"));
    theirs->SetInteger("Qty", 9);
    ASSERT_TRUE(theirs->Save());
    theirs->Handler().SetRecordLock(false, "bob");
    EXPECT_EQ(Rows("SELECT Name, Qty FROM Looms"), std::vector<std::string>{"Weft|9"});
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");
}

TEST_P(RecordConcurrencyTest, TwoInterleavedInsertsKeepTheirOwnGeneratedKeys)
{
    // Alice is held right after her INSERT, before whatever reads her key back.
    StatementGate gate("INSERT INTO Orders", StatementGate::Where::After);
    auto first = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "alice", false);
        gate.Watch(user.connection);
        auto order = user.Order();
        order->SetText("Name", "alice");
        order->Save();
        return order->KeyValue();
    });
    ASSERT_TRUE(gate.WaitUntilHeld());
    // Alice's row is written and her transaction still open when Bob writes his.
    auto second = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "bob", false);
        auto order = user.Order();
        order->SetText("Name", "bob");
        order->Save();
        return order->KeyValue();
    });
    second.wait_for(200ms);
    gate.Release();
    const int aliceKey = first.get();
    const int bobKey = second.get();
    EXPECT_NE(aliceKey, bobKey);
    EXPECT_EQ(Rows("SELECT Name FROM Orders WHERE ID = " + std::to_string(aliceKey)), std::vector<std::string>{"alice"});
    EXPECT_EQ(Rows("SELECT Name FROM Orders WHERE ID = " + std::to_string(bobKey)), std::vector<std::string>{"bob"});
}

TEST_P(RecordConcurrencyTest, AHostHandlerThatGoesOnLeavesNoTransactionOpenAndNoSessionHeld)
{
    AddPeriods();
    SetToday(2024, 6, 30);
    std::vector<int> codes;
    Swallow(*alice, codes);
    const auto expectReported = [&](int code, const char* step) {
        EXPECT_EQ(codes, std::vector<int>{code}) << step;
        EXPECT_TRUE(LeftNothingOpen(*alice)) << step;
        codes.clear();
    };

    auto order = alice->Order();
    order->SetInteger("Qty", -1);
    EXPECT_FALSE(order->Save());
    expectReported(20, "a failing insert");

    // A compound ends at its failing part and keeps nothing of the others.
    auto set = alice->LoomSet();
    Part(*set, 0).SetText("Name", "Warp");
    Part(*set, 1).SetInteger("Qty", -1);
    EXPECT_FALSE(set->Save());
    expectReported(20, "a failing part");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Looms"), "1");

    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    alice->info.SetHistoryPeriodEndField("PeriodEnd");
    EXPECT_FALSE(loom->SaveToHistory("20240601"));
    expectReported(74, "a period that cannot be closed");
    alice->info.SetHistoryPeriodEndField("HistoryPeriodEnd");

    TDBGQueryRef none;
    loom->Handler().SetConditionText("NoSuchColumn = 1");
    EXPECT_EQ(loom->Handler().IsDateInHistory("20240101"), 2);
    expectReported(70, "a history table that cannot be read");
    loom->Handler().SetConditionText({});

    alice->looms->SetTableName("MissingLooms");
    EXPECT_FALSE(loom->Load(1));
    expectReported(21, "a table that cannot be read");
    EXPECT_FALSE(loom->Handler().UpdateFields({"Name"}));
    expectReported(66, "columns that cannot be written");
    EXPECT_FALSE(loom->Delete());
    expectReported(35, "a row that cannot be deleted");
    alice->looms->SetTableName("Looms");

    RecordUser bob(Db(), "bob");
    ASSERT_EQ(bob.info.LockRecord("Looms", 1), 1);
    EXPECT_EQ(loom->Handler().SetRecordLock(true, "alice"), 0);
    expectReported(6, "another user's lock");
    EXPECT_FALSE(loom->Handler().Locked());
    EXPECT_EQ(Rows("SELECT Name FROM H_Looms ORDER BY HistoryPeriodStart"),
              (std::vector<std::string>{"Winter", "Spring"}));
}

TEST_P(RecordConcurrencyTest, TwoUsersSavingHistoryForOneRecordLeaveOneOpenPeriod)
{
    Db().Execute({"INSERT INTO Looms (ID, Name) VALUES (3, 'Now')",
                  Period(3, "Open", "20240301", "99991231")});
    // Bob has loaded the record and waits; Alice is held right after she read where the
    // latest period starts, and Bob saves meanwhile. Alice goes on only once Bob has reached
    // the statement that queues him behind her (SQLite: the start of his write transaction;
    // PostgreSQL: the lock named after the record), so that he is known to wait for her.
    StatementGate queued(IsPostgres() ? "SELECT pg_advisory_xact_lock" : "BEGIN IMMEDIATE");
    queued.Release();
    std::promise<void> ready;
    std::promise<void> go;
    auto second = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "bob", false);
        auto loom = user.Loom();
        loom->Load(3);
        loom->SetText("Name", "June");
        queued.Watch(user.connection);
        ready.set_value();
        go.get_future().wait();
        return loom->SaveToHistory("20240601");
    });
    ASSERT_EQ(ready.get_future().wait_for(10s), std::future_status::ready);
    StatementGate gate("SELECT MAX(HistoryPeriodStart)", StatementGate::Where::After);
    auto first = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "alice", false);
        auto loom = user.Loom();
        loom->Load(3);
        loom->SetText("Name", "May");
        gate.Watch(user.connection);
        return loom->SaveToHistory("20240501");
    });
    const bool aliceHeld = gate.WaitUntilHeld();
    go.set_value();
    const bool bobQueued = aliceHeld && queued.WaitUntilHeld();
    gate.Release();
    ASSERT_TRUE(aliceHeld);
    // Not fatal: a Bob who never queued saved beside Alice, and the periods below show what
    // that left.
    EXPECT_TRUE(bobQueued);
    EXPECT_TRUE(first.get());
    EXPECT_TRUE(second.get());
    EXPECT_EQ(Rows("SELECT Name, HistoryPeriodStart, HistoryPeriodEnd FROM H_Looms WHERE ID = 3 "
                   "ORDER BY HistoryPeriodStart"),
              (std::vector<std::string>{"Open|20240301|20240430", "May|20240501|20240531", "June|20240601|99991231"}));
}

TEST_P(RecordConcurrencyTest, TheWriteTestsReadWhileAnotherUserWrites)
{
    Db().Execute({"INSERT INTO Looms (ID, Name) VALUES (1, 'Warp')"});
    ASSERT_EQ(alice->info.LockRecord("Looms", 1), 1);
    // Bob holds a write transaction open on a table that has nothing to do with locks.
    std::promise<void> writing;
    std::promise<void> done;
    auto bob = std::async(std::launch::async, [&] {
        RecordUser user(Db(), "bob");
        auto query = std::make_unique<TDBGenericQuery>(user.info, nullptr, true);
        query->SQL().Add("INSERT INTO Orders (Name) VALUES ('bob')");
        query->ExecSQL();
        writing.set_value();
        done.get_future().wait();
        TDBGenericQuery::ReleaseRollback(query);
    });
    writing.get_future().wait();
    std::vector<int> codes;
    Swallow(*alice, codes);
    EXPECT_TRUE(alice->info.CanWriteRecord("Looms", 1));
    EXPECT_TRUE(alice->info.CanWriteRecord("Looms", 2));
    EXPECT_TRUE(alice->info.CanWriteToTable("Looms"));
    EXPECT_FALSE(alice->info.CanWriteRecord("Looms", 1, "carol"));
    EXPECT_TRUE(codes.empty()) << codes.front();
    done.set_value();
    bob.get();
}

TAVELIN_ON_BOTH_ENGINES(RecordConcurrencyTest);
