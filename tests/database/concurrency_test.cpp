#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "database/db_data_lock.h"
#include "database/db_generic_query.h"
#include "database/db_record_key.h"
#include "database_test_support.h"

// Users as threads on one database, each with its own settings component and connections.
// A gate holds one user before a chosen statement while another runs to its end (or, when
// it has to wait, for a bounded 200 ms); then the first goes on. The assertions are
// invariants that hold in every interleaving.

namespace {

using namespace std::chrono_literals;

// What a user's call gave: its answer, or the code of the error it raised.
struct Outcome {
    int Value = 0;
    int ErrorCode = -1;
    std::string Message;
    bool Failed() const { return ErrorCode >= 0; }
};

template <class Call>
Outcome Attempt(Call call)
{
    Outcome outcome;
    try {
        outcome.Value = call();
    } catch (const TGenericException& error) {
        outcome.ErrorCode = error.GetFirstCode();
        outcome.Message = error.GetInfo(0)->Message;
    }
    return outcome;
}

class ConcurrencyTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        CreateLayerTables(Db());
    }
    std::string Scalar(const std::string& statement) { return Db().Scalar(statement); }
    std::vector<std::string> LockRows()
    {
        auto connection = Db().Connect();
        fw::db::Query query;
        query.SetConnection(connection.get());
        query.SetText("SELECT TableName, Keys, UserID, LockCount FROM Data_Locks");
        query.Open();
        std::vector<std::string> rows;
        for (; !query.Eof(); query.Next()) {
            rows.push_back(query.Fields(0).AsString() + "|" + query.Fields(1).AsString() + "|"
                           + query.Fields(2).AsString() + "|" + query.Fields(3).AsString());
        }
        return rows;
    }
    // Alice is held at the statement; Bob locks meanwhile; then Alice goes on.
    std::pair<Outcome, Outcome> RaceForTheLock(const std::string& heldBefore, const std::string& aliceKey = "5",
                                               const std::string& bobKey = "5")
    {
        StatementGate gate(heldBefore);
        auto alice = std::async(std::launch::async, [&] {
            LayerUser user(Db(), "alice");
            gate.Watch(user.connection);
            return Attempt([&] { return user.info.LockRecord("T", aliceKey); });
        });
        EXPECT_TRUE(gate.WaitUntilHeld());
        auto bob = std::async(std::launch::async, [&] {
            LayerUser user(Db(), "bob");
            return Attempt([&] { return user.info.LockRecord("T", bobKey); });
        });
        // Bob finishes, or waits for Alice's transaction: give him a bounded time.
        bob.wait_for(200ms);
        gate.Release();
        return {alice.get(), bob.get()};
    }
};

void ExpectOneHolder(const Outcome& first, const Outcome& second)
{
    const Outcome& winner = first.Failed() ? second : first;
    const Outcome& loser = first.Failed() ? first : second;
    EXPECT_NE(first.Failed(), second.Failed()) << "exactly one may hold the lock";
    EXPECT_EQ(winner.Value, 1);
    EXPECT_EQ(loser.ErrorCode, 6);
    EXPECT_TRUE(loser.Message.starts_with("Unable to lock record.\r\nTable = T\r\nKey = 5")) << loser.Message;
}

} // namespace

TEST_P(ConcurrencyTest, TwoUsersRacingForOneLockNeverBothGetIt)
{
    for (const std::string& held : {std::string("INSERT INTO Data_Locks"),
                                    std::string("SELECT * FROM Data_Locks WHERE TableName = 'T' AND Keys = '5'")}) {
        SCOPED_TRACE(held);
        Db().Execute({"DELETE FROM Data_Locks"});
        const auto [alice, bob] = RaceForTheLock(held);
        ExpectOneHolder(alice, bob);
        const std::string holder = alice.Failed() ? "bob" : "alice";
        EXPECT_EQ(LockRows(), std::vector<std::string>{"T|5|" + holder + "|1"});
    }
}

TEST_P(ConcurrencyTest, ATableLockAndARecordLockOfAnotherUserAreNeverGrantedSideBySide)
{
    const auto [alice, bob] = RaceForTheLock("INSERT INTO Data_Locks", "", "5");
    EXPECT_NE(alice.Failed(), bob.Failed()) << "the table lock and the record lock were both granted";
    EXPECT_EQ(LockRows().size(), 1u);
}

TEST_P(ConcurrencyTest, ARowThatAppearsBeforeTheInsertIsAConflictAndTheLoserChangesNothing)
{
    StatementGate gate("INSERT INTO Data_Locks");
    auto alice = std::async(std::launch::async, [&] {
        LayerUser user(Db(), "alice");
        gate.Watch(user.connection);
        return Attempt([&] { return user.info.LockRecord("T", 5); });
    });
    ASSERT_TRUE(gate.WaitUntilHeld());
    // Another program writes Bob's lock row past the layer's own queueing.
    bool written = false;
    try {
        auto writer = Db().ConnectImpatient();
        fw::db::Query query;
        query.SetConnection(writer.get());
        query.SetText("INSERT INTO Data_Locks (TableName, Keys, UserID, LockDate, LockTime, LockCount) VALUES "
                      "('T', '5', 'bob', '20231231', '235958', 1)");
        query.ExecSQL();
        written = true;
    } catch (const fw::db::EDatabaseError& error) {
        // SQLite lets no other writer in while Alice's transaction runs.
        EXPECT_EQ(error.Kind(), fw::db::ErrorKind::Busy);
    }
    gate.Release();
    const Outcome outcome = alice.get();
    EXPECT_EQ(written, IsPostgres());
    if (written) {
        EXPECT_EQ(outcome.ErrorCode, 6);
        EXPECT_EQ(LockRows(), std::vector<std::string>{"T|5|bob|1"});
    } else {
        EXPECT_EQ(outcome.Value, 1);
        EXPECT_EQ(LockRows(), std::vector<std::string>{"T|5|alice|1"});
    }
}

TEST_P(ConcurrencyTest, FourThreadsDrawingAHundredKeysEachGetFourHundredDifferentOnes)
{
    std::vector<std::future<std::vector<int>>> draws;
    for (const char* name : {"u1", "u2", "u3", "u4"}) {
        draws.push_back(std::async(std::launch::async, [this, name] {
            LayerUser user(Db(), name, false);
            std::vector<int> keys;
            for (int i = 0; i < 100; ++i) {
                keys.push_back(user.info.RecordKey().GetKey("ORDER"));
            }
            return keys;
        }));
    }
    std::set<int> keys;
    for (auto& draw : draws) {
        for (const int key : draw.get()) {
            keys.insert(key);
        }
    }
    EXPECT_EQ(keys.size(), 400u);
    EXPECT_EQ(*keys.begin(), 1);
    EXPECT_EQ(*keys.rbegin(), 400);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Key_Registry"), "1");
    EXPECT_EQ(Scalar("SELECT LastValue FROM Key_Registry"), "400");
}

TEST_P(ConcurrencyTest, TwoFirstDrawsOfANameGiveOneRowAndTwoKeys)
{
    StatementGate gate("INSERT INTO Key_Registry");
    auto alice = std::async(std::launch::async, [&] {
        LayerUser user(Db(), "alice", false);
        gate.Watch(user.KeyConnection());
        return user.info.RecordKey().GetKey("ORDER");
    });
    ASSERT_TRUE(gate.WaitUntilHeld());
    auto bob = std::async(std::launch::async, [&] {
        LayerUser user(Db(), "bob", false);
        return user.info.RecordKey().GetKey("ORDER");
    });
    bob.wait_for(200ms);
    gate.Release();
    const std::set<int> keys{alice.get(), bob.get()};
    EXPECT_EQ(keys, (std::set<int>{1, 2}));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Key_Registry"), "1");
    EXPECT_EQ(Scalar("SELECT LastValue FROM Key_Registry"), "2");
}

TEST_P(ConcurrencyTest, UsersWhoseNameLockIsTakenFailWithCode2AndTheOthersStayDistinct)
{
    std::vector<std::future<std::vector<Outcome>>> draws;
    for (const char* name : {"u1", "u2", "u3", "u4"}) {
        draws.push_back(std::async(std::launch::async, [this, name] {
            LayerUser user(Db(), name);
            std::vector<Outcome> outcomes;
            for (int i = 0; i < 25; ++i) {
                outcomes.push_back(Attempt([&] { return user.info.RecordKey().GetKey("ORDER"); }));
            }
            return outcomes;
        }));
    }
    std::set<int> keys;
    int successes = 0;
    for (auto& draw : draws) {
        for (const Outcome& outcome : draw.get()) {
            if (outcome.Failed()) {
                EXPECT_EQ(outcome.ErrorCode, 2);
            } else {
                ++successes;
                EXPECT_TRUE(keys.insert(outcome.Value).second) << "key " << outcome.Value << " twice";
            }
        }
    }
    EXPECT_GT(successes, 0);
    EXPECT_EQ(Scalar("SELECT LastValue FROM Key_Registry"), std::to_string(successes));
    EXPECT_TRUE(LockRows().empty());
}

TEST_P(ConcurrencyTest, AFailedLockLeavesNothingAndFreesTheSessionAtOnce)
{
    LayerUser alice(Db(), "alice");
    alice.lock.SetLockTableName("NoSuchTable");
    const Outcome failed = Attempt([&] { return alice.info.LockRecord("T", 5); });
    EXPECT_EQ(failed.ErrorCode, 6);
    EXPECT_FALSE(alice.connection.InTransaction());
    alice.lock.SetLockTableName("Data_Locks");
    // Another thread of the same user takes the session, and a lock, straight away.
    auto other = std::async(std::launch::async, [&] {
        TDBGSessionRef& session = alice.info.DefaultSession();
        const bool free = session.CriticalSection().try_lock();
        if (free) {
            session.CriticalSection().unlock();
        }
        return free ? alice.info.LockRecord("T", 6) : -1;
    });
    EXPECT_EQ(other.get(), 1);
    EXPECT_EQ(LockRows(), std::vector<std::string>{"T|6|alice|1"});
}

TAVELIN_ON_BOTH_ENGINES(ConcurrencyTest);
