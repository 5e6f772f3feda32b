#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "database/db_generic_query.h"
#include "database_test_support.h"

namespace {

class GenericQueryTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY, Name VARCHAR(20))"});
        user = std::make_unique<LayerUser>(Db(), "alice");
    }
    void TearDown() override
    {
        user.reset();
        EngineTest::TearDown();
    }
    int Rows() { return std::stoi(Db().Scalar("SELECT COUNT(*) FROM Packs")); }
    static void Exec(TDBGenericQuery& query, const std::string& statement)
    {
        query.SQL().Clear();
        query.SQL().Add(statement);
        query.ExecSQL();
    }

    std::unique_ptr<LayerUser> user;
};

} // namespace

TEST_P(GenericQueryTest, ReleasingCommitsOrRollsBackItsOwnTransaction)
{
    auto query = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    EXPECT_TRUE(query->OwnsTransaction());
    EXPECT_EQ(query->SessionName(), "Default");
    EXPECT_EQ(query->DatabaseName(), Db().Alias());
    Exec(*query, "INSERT INTO Packs (ID, Name) VALUES (1, 'kept')");
    EXPECT_EQ(Rows(), 0);
    TDBGenericQuery::ReleaseCommit(query);
    EXPECT_EQ(query, nullptr);
    EXPECT_EQ(Rows(), 1);
    EXPECT_FALSE(user->connection.InTransaction());

    query = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    Exec(*query, "INSERT INTO Packs (ID, Name) VALUES (2, 'dropped')");
    TDBGenericQuery::ReleaseRollback(query);
    EXPECT_EQ(Rows(), 1);

    // Dropped without a release: rolled back all the same, and the section is free again.
    {
        TDBGenericQuery dropped(user->info, nullptr, true);
        Exec(dropped, "INSERT INTO Packs (ID, Name) VALUES (3, 'dropped')");
    }
    EXPECT_EQ(Rows(), 1);
    EXPECT_FALSE(user->connection.InTransaction());
    std::atomic<bool> free{false};
    std::thread([&] {
        free = user->info.DefaultSession().CriticalSection().try_lock();
        if (free) {
            user->info.DefaultSession().CriticalSection().unlock();
        }
    }).join();
    EXPECT_TRUE(free);
}

TEST_P(GenericQueryTest, AQueryInsideARunningTransactionJoinsIt)
{
    auto outer = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    auto inner = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    EXPECT_FALSE(inner->OwnsTransaction());
    Exec(*inner, "INSERT INTO Packs (ID, Name) VALUES (1, 'inner')");
    TDBGenericQuery::ReleaseCommit(inner);
    // The inner release committed nothing: the transaction is the outer query's.
    EXPECT_TRUE(user->connection.InTransaction());
    TDBGenericQuery::ReleaseRollback(outer);
    EXPECT_EQ(Rows(), 0);
}

TEST_P(GenericQueryTest, AnotherThreadsTransactionWaitsForTheRunningOneInsteadOfJoiningIt)
{
    auto first = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    Exec(*first, "INSERT INTO Packs (ID, Name) VALUES (1, 'first')");

    std::atomic<bool> started{false};
    std::atomic<bool> ownedIt{false};
    std::thread second([&] {
        auto query = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
        started = true;
        ownedIt = query->OwnsTransaction();
        Exec(*query, "INSERT INTO Packs (ID, Name) VALUES (2, 'second')");
        TDBGenericQuery::ReleaseCommit(query);
    });
    // The second thread stays at the session's door while the first transaction runs.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(started);
    TDBGenericQuery::ReleaseRollback(first);
    second.join();
    EXPECT_TRUE(ownedIt);
    EXPECT_EQ(Db().Scalar("SELECT Name FROM Packs"), "second");
    EXPECT_EQ(Rows(), 1);
}

TEST_P(GenericQueryTest, TheLogHookSeesQueriesThatGiveRowsAndOracleGetsNoEmptyLiterals)
{
    std::vector<std::string> logged;
    user->info.OnLogSQL = [&logged](TDBGenericQuery& query) { logged.push_back(query.Text()); };
    TDBGenericQuery query(user->info, nullptr, false);
    query.SQL().Add("SELECT * FROM Packs WHERE Name = ''");
    query.Open();
    EXPECT_TRUE(logged.empty()); // logging is off
    user->info.SetOptions({dbfSQLLogging});
    query.Open();
    Exec(query, "INSERT INTO Packs (ID, Name) VALUES (1, 'O''Brien')");
    EXPECT_EQ(logged, std::vector<std::string>{"SELECT * FROM Packs WHERE Name = ''"});

    user->info.SetDBType(dbgDBType_Oracle);
    Exec(query, "INSERT INTO Packs (ID, Name) VALUES (2, '')");
    EXPECT_EQ(query.Text(), "INSERT INTO Packs (ID, Name) VALUES (2, ' ')");
    query.SQL().Clear();
    query.SQL().Add("SELECT ID FROM Packs WHERE Name = ''");
    query.Open();
    EXPECT_EQ(logged.back(), "SELECT ID FROM Packs WHERE Name = ' '");
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.Fields(0).AsInteger(), 2);
    EXPECT_EQ(Db().Scalar("SELECT Name FROM Packs WHERE ID = 1"), "O'Brien");
}

TEST_P(GenericQueryTest, LockHoldsTheSessionForStatementsWithoutATransaction)
{
    TDBGenericQuery query(user->info, nullptr, false);
    query.Lock();
    EXPECT_TRUE(query.HoldsSessionLock());
    std::atomic<bool> free{true};
    std::thread([&] {
        free = user->info.DefaultSession().CriticalSection().try_lock();
        if (free) {
            user->info.DefaultSession().CriticalSection().unlock();
        }
    }).join();
    EXPECT_FALSE(free);
    query.Unlock();
    EXPECT_FALSE(query.HoldsSessionLock());
}

TEST_P(GenericQueryTest, AQueryOnAClosedConnectionSaysSo)
{
    user->info.DefaultSession().SetAutoOpen(false);
    TDBGenericQuery query(user->info, nullptr, false);
    query.SQL().Add("SELECT * FROM Packs");
    const FirstRecord failure = FailureOf([&] { query.Open(); });
    EXPECT_EQ(failure.Message, "Cannot create SQL query:\r\nNo database connection has been established.");
}

TEST_P(GenericQueryTest, DeletingEntriesSendsItsLinesAndReportsFailuresWithCode35)
{
    Db().Execute({"INSERT INTO Packs (ID, Name) VALUES (1, 'a')", "INSERT INTO Packs (ID, Name) VALUES (2, 'b')"});
    StatementLog log;
    user->connection.Open();
    log.Watch(user->connection);
    user->info.DeleteTableEntries("Packs", "ID = 1");
    EXPECT_EQ(Rows(), 1);
    user->info.DeleteTableEntries("Packs", "");
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{" DELETE FROM Packs\r\n WHERE ID = 1", " DELETE FROM Packs"}));

    // Progress counts first and deletes only what is there.
    log.Clear();
    user->info.SetDBType(dbgDBType_Progress);
    user->info.DeleteTableEntries("Packs", "ID = 2");
    Db().Execute({"INSERT INTO Packs (ID, Name) VALUES (2, 'b')"});
    user->info.DeleteTableEntries("Packs", "ID = 2");
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{" SELECT Count(*) FROM Packs\r\n WHERE ID = 2",
                                                     " SELECT Count(*) FROM Packs\r\n WHERE ID = 2",
                                                     " DELETE FROM Packs\r\n WHERE ID = 2"}));
    EXPECT_EQ(Rows(), 0);

    user->info.SetDBType(dbgDBType_Generic);
    const FirstRecord failure = FailureOf([&] { user->info.DeleteTableEntries("Looms", "Warp = 1"); });
    EXPECT_EQ(failure.Code, 35);
    EXPECT_EQ(failure.Message,
              "Attempt to delete records failed.\r\nTable = Looms\r\nCriteria = Warp = 1\r\nRefObj = TDBGenericInfo");
    EXPECT_EQ(failure.SQL, " DELETE FROM Looms\r\n WHERE Warp = 1");
    EXPECT_FALSE(user->connection.InTransaction());

    // A condition cannot smuggle in a statement of its own.
    const FirstRecord stacked = FailureOf([&] { user->info.DeleteTableEntries("Packs", "1 = 1; DROP TABLE Packs"); });
    EXPECT_EQ(stacked.Code, 35);
    EXPECT_EQ(Rows(), 0);
}

TAVELIN_ON_BOTH_ENGINES(GenericQueryTest);
