#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_data_lock.h"
#include "database_test_support.h"

namespace {

class DataLockTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        CreateLayerTables(Db());
        alice = std::make_unique<LayerUser>(Db(), "alice");
        bob = std::make_unique<LayerUser>(Db(), "bob");
    }
    void TearDown() override
    {
        alice.reset();
        bob.reset();
        EngineTest::TearDown();
    }
    // Every lock row as "table|key|user|count", in order.
    std::vector<std::string> Rows()
    {
        auto connection = Db().Connect();
        fw::db::Query query;
        query.SetConnection(connection.get());
        query.SetText("SELECT TableName, Keys, UserID, LockCount FROM Data_Locks ORDER BY TableName, Keys");
        query.Open();
        std::vector<std::string> rows;
        for (; !query.Eof(); query.Next()) {
            rows.push_back(query.Fields(0).AsString() + "|" + query.Fields(1).AsString() + "|"
                           + query.Fields(2).AsString() + "|" + query.Fields(3).AsString());
        }
        return rows;
    }

    std::unique_ptr<LayerUser> alice;
    std::unique_ptr<LayerUser> bob;
};

} // namespace

TEST_P(DataLockTest, LockingTwiceCountsAndUnlockingCountsDown)
{
    std::vector<std::string> events;
    alice->lock.OnLockRecord = [&events](TDBGenericDataLock&, const std::string& t, const std::string& k,
                                         const std::string& u) { events.push_back("lock " + t + "/" + k + " " + u); };
    alice->lock.OnUnlockRecord = [&events](TDBGenericDataLock&, const std::string& t, const std::string& k,
                                           const std::string& u) { events.push_back("unlock " + t + "/" + k + " " + u); };
    EXPECT_EQ(alice->info.LockRecord("Cards", 5), 1);
    EXPECT_EQ(alice->info.LockRecord("Cards", 5), 2);
    EXPECT_EQ(Rows(), std::vector<std::string>{"Cards|5|alice|2"});
    EXPECT_EQ(Db().Scalar("SELECT LockDate FROM Data_Locks") + Db().Scalar("SELECT LockTime FROM Data_Locks"),
              "20231231235958");
    EXPECT_FALSE(bob->info.CanWriteRecord("Cards", 5));
    EXPECT_TRUE(alice->info.CanWriteRecord("Cards", 5));
    EXPECT_TRUE(bob->info.CanWriteRecord("Cards", 6));
    EXPECT_EQ(alice->info.UnlockRecord("Cards", 5), 1);
    EXPECT_EQ(alice->info.UnlockRecord("Cards", 5), 0);
    EXPECT_TRUE(Rows().empty());
    // Nobody holds it: nothing to do.
    EXPECT_EQ(alice->info.UnlockRecord("Cards", 5), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"lock Cards/5 alice", "lock Cards/5 alice", "unlock Cards/5 alice",
                                                "unlock Cards/5 alice", "unlock Cards/5 alice"}));
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(DataLockTest, TheStatementsAreTheLayersOwn)
{
    StatementLog log;
    alice->connection.Open();
    log.Watch(alice->connection);
    alice->lock.LockRecord("Cards", "5", "");
    alice->lock.LockRecord("Cards", "5", "");
    alice->lock.CanWriteRecord("Cards", "5");
    alice->lock.UnlockRecord("Cards", "5");
    alice->lock.UnlockRecord("Cards", "5");
    EXPECT_EQ(log.Texts(),
              (std::vector<std::string>{
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND ( Keys = '5' OR Keys = '') AND UserID <> 'alice'",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND Keys = '5'",
                  "INSERT INTO Data_Locks (TableName, Keys, UserID, LockDate, LockTime, LockCount) VALUES ('Cards', "
                  "'5', 'alice', '20231231', '235958', 1)",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND ( Keys = '5' OR Keys = '') AND UserID <> 'alice'",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND Keys = '5'",
                  "UPDATE Data_Locks SET LockCount = 2 WHERE TableName = 'Cards' AND Keys = '5'",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND Keys = ''",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards'   AND Keys = '5'",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND Keys = '5'",
                  "UPDATE Data_Locks SET LockCount = 1 WHERE TableName = 'Cards' AND Keys = '5'",
                  "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND Keys = '5'",
                  " DELETE FROM Data_Locks\r\n WHERE TableName = 'Cards' AND Keys = '5'",
              }));
}

TEST_P(DataLockTest, AnotherUsersLockIsRefusedUnlessForced)
{
    ASSERT_EQ(alice->info.LockRecord("Cards", 5), 1);
    const FirstRecord refused = FailureOf([&] { bob->info.LockRecord("Cards", 5); });
    EXPECT_EQ(refused.Code, 6);
    EXPECT_EQ(refused.Message, "Unable to lock record.\r\nTable = Cards\r\nKey = 5\r\nRefObj = TDBGenericDataLock");
    EXPECT_EQ(refused.SQL,
              "SELECT * FROM Data_Locks WHERE TableName = 'Cards' AND ( Keys = '5' OR Keys = '') AND UserID <> 'bob'");
    try {
        bob->info.LockRecord("Cards", 5);
    } catch (const TDBGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->SenderName, "TDBGenericDataLock[Locks1]");
        EXPECT_EQ(error.UserID(), "bob");
        ASSERT_GE(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(1)->Message, "The record or table has been locked by another user.");
    }

    const FirstRecord notHis = FailureOf([&] { bob->info.UnlockRecord("Cards", 5); });
    EXPECT_EQ(notHis.Code, 7);
    EXPECT_EQ(notHis.Message, "Unable to unlock record.\r\nTable = Cards\r\nKey = 5\r\nRefObj = TDBGenericDataLock");
    try {
        bob->info.UnlockRecord("Cards", 5);
    } catch (const TGenericException& error) {
        ASSERT_GE(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(1)->Message, "The record was locked by user alice.");
    }
    EXPECT_EQ(Rows(), std::vector<std::string>{"Cards|5|alice|1"});
    EXPECT_EQ(bob->info.UnlockRecord("Cards", 5, true), 0);
    EXPECT_TRUE(Rows().empty());
}

TEST_P(DataLockTest, AWholeTableLockKeepsEveryRecordFromOtherUsers)
{
    ASSERT_EQ(alice->lock.LockRecord("Cards", ""), 1);
    EXPECT_FALSE(bob->info.CanWriteToTable("Cards"));
    EXPECT_TRUE(alice->info.CanWriteToTable("Cards"));
    EXPECT_FALSE(bob->info.CanWriteRecord("Cards", 9));
    EXPECT_TRUE(bob->info.CanWriteToTable("Packs"));
    const FirstRecord refused = FailureOf([&] { bob->info.LockRecord("Cards", 9); });
    EXPECT_EQ(refused.Code, 6);
    // Alice's own records stay hers to lock.
    EXPECT_EQ(alice->info.LockRecord("Cards", 9), 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Cards||alice|1", "Cards|9|alice|1"}));
}

TEST_P(DataLockTest, ADisabledLockComponentAnswersWithoutTheDatabase)
{
    alice->lock.SetEnabled(false);
    alice->lock.SetLockTableName("NoSuchTable");
    EXPECT_EQ(alice->lock.LockRecord("Cards", "5"), 0);
    EXPECT_EQ(alice->lock.UnlockRecord("Cards", "5"), 0);
    EXPECT_TRUE(alice->lock.CanWriteRecord("Cards", "5"));
    EXPECT_TRUE(alice->lock.CanWriteToTable("Cards"));
    EXPECT_EQ(alice->info.LockRecord("Cards", 5), 0);
}

TEST_P(DataLockTest, FailuresOfTheLockTableAreReportedAndTheHostMayAnswerThem)
{
    alice->lock.SetLockTableName("NoSuchTable");
    const FirstRecord lock = FailureOf([&] { alice->info.LockRecord("Cards", 5); });
    EXPECT_EQ(lock.Code, 6);
    try {
        alice->info.LockRecord("Cards", 5);
    } catch (const TGenericException& error) {
        ASSERT_GE(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(1)->Code, 5);
        EXPECT_EQ(error.GetInfo(1)->Message, "Unable to access lock table NoSuchTable.\r\nRefObj = TDBGenericDataLock");
        EXPECT_EQ(error.GetInfo(1)->MethodName, "_canLockRecordQ");
    }
    const FirstRecord table = FailureOf([&] { alice->info.CanWriteToTable("Cards"); });
    EXPECT_EQ(table.Code, 5);
    EXPECT_EQ(table.Message, "Unable to complete lock request for Cards.\r\nRefObj = TDBGenericDataLock");
    EXPECT_FALSE(alice->connection.InTransaction());

    std::vector<int> codes;
    alice->info.OnHandleException = [&codes](const std::string&, int code, fw::Object*, const std::exception*,
                                             const std::string&, const fw::Object*, const std::string&,
                                             const std::string&) {
        codes.push_back(code);
        return code == 5 ? 0 : 42;
    };
    // The check answers "no" (the host's 0), which is a conflict, answered 42: the lock
    // is not held all the same, so its count is 0. The failed unlock gives the host's answer.
    EXPECT_EQ(alice->info.LockRecord("Cards", 5), 0);
    EXPECT_EQ(alice->info.UnlockRecord("Cards", 5), 42);
    EXPECT_FALSE(alice->info.CanWriteRecord("Cards", 5));
    EXPECT_EQ(codes, (std::vector<int>{5, 6, 7, 5}));
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(DataLockTest, ProgressNamesTheUserColumnUsrID)
{
    Db().Execute({"CREATE TABLE P_Locks (TableName VARCHAR(40) NOT NULL, Keys VARCHAR(40) NOT NULL DEFAULT '', "
                  "UsrID VARCHAR(40) NOT NULL, LockDate VARCHAR(8), LockTime VARCHAR(6), LockCount INT NOT NULL, "
                  "UNIQUE (TableName, Keys))"});
    alice->info.SetDBType(dbgDBType_Progress);
    alice->lock.SetLockTableName("P_Locks");
    EXPECT_EQ(alice->info.LockRecord("Cards", 5), 1);
    EXPECT_EQ(Db().Scalar("SELECT UsrID FROM P_Locks"), "alice");
    EXPECT_EQ(alice->info.UnlockRecord("Cards", 5), 0);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM P_Locks"), "0");
}

TAVELIN_ON_BOTH_ENGINES(DataLockTest);
