#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_generic_query.h"
#include "database/db_record_key.h"
#include "database_test_support.h"

namespace {

class RecordKeyTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        CreateLayerTables(Db());
        user = std::make_unique<LayerUser>(Db(), "alice");
    }
    void TearDown() override
    {
        user.reset();
        EngineTest::TearDown();
    }

    std::unique_ptr<LayerUser> user;
};

} // namespace

TEST_P(RecordKeyTest, TheFirstKeyOfANameIsOneAndNamesIgnoreCaseAndBlanks)
{
    TDBGenericRecordKey& keys = user->info.RecordKey();
    EXPECT_EQ(keys.GetKey("Order"), 1);
    EXPECT_EQ(keys.GetKey(" ORDER "), 2);
    EXPECT_EQ(keys.GetKey("order"), 3);
    EXPECT_EQ(keys.GetKey("Card"), 1);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Key_Registry"), "2");
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry WHERE KeyName = 'ORDER'"), "3");
    // The alternate registry keeps its own table.
    EXPECT_EQ(user->info.RecordKeyAlt().GetKey("Order"), 1);
    // Drawn with the name's lock taken and given back.
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");
}

TEST_P(RecordKeyTest, TheStatementsAreTheLayersOwnAndRunOnTheRegistrysConnection)
{
    StatementLog keyLog;
    StatementLog lockLog;
    user->info.RecordKey().Session()->GetDatabase();
    keyLog.Watch(user->KeyConnection());
    user->connection.Open();
    lockLog.Watch(user->connection);
    user->info.RecordKey().GetKey("Order");
    user->info.RecordKey().GetKey("Order");
    EXPECT_EQ(keyLog.Texts(), (std::vector<std::string>{
                                  "SELECT LastValue FROM Key_Registry WHERE Upper(KeyName) = 'ORDER'",
                                  "SELECT KeyName, LastValue FROM Key_Registry",
                                  "INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('ORDER', 1)",
                                  "SELECT LastValue FROM Key_Registry WHERE Upper(KeyName) = 'ORDER'",
                                  "UPDATE Key_Registry SET LastValue = 2 WHERE Upper(KeyName) = 'ORDER'",
                              }));
    ASSERT_FALSE(lockLog.Texts().empty());
    EXPECT_EQ(lockLog.Texts()[1], "SELECT * FROM Data_Locks WHERE TableName = 'Key_Registry' AND Keys = 'ORDER'");
}

TEST_P(RecordKeyTest, NewRecordKeysFollowTheTablesRegistry)
{
    TDBGenericTableInfo* cards = user->info.TableList().AddItem();
    cards->SetTableName("Cards");
    cards->SetRecordKeyName("CARD");
    cards->SetAlternateTable("A_Cards");
    TDBGenericTableInfo* plain = user->info.TableList().AddItem();
    plain->SetTableName("Plain");
    plain->SetUseRecordKey(false);
    user->info.OnGetTableByID = [&](TDBGenericInfo&, int id) { return id == 1 ? cards : plain; };

    EXPECT_EQ(user->info.NewRecordKey(1, 1), 1);
    EXPECT_EQ(user->info.NewRecordKey(1, 0), 2);
    EXPECT_EQ(user->info.NewRecordKey(1, 2), 1); // the alternate registry
    user->info.SetAlternateTables(true);
    EXPECT_EQ(user->info.NewRecordKey(1, 0), 2);
    cards->SetUseAlternate(dbgAltTableNever);
    EXPECT_EQ(user->info.NewRecordKey(1, 0), 3);
    EXPECT_EQ(user->info.NewRecordKey(2, 0), 0);
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM A_Key_Registry WHERE KeyName = 'CARD'"), "2");
}

TEST_P(RecordKeyTest, AFailedDrawIsReportedWithCode2AndGivesMinusOneToAHostThatAnswers)
{
    user->info.RecordKey().SetKeyTable("NoSuchTable");
    try {
        user->info.RecordKey().GetKey("Order");
        FAIL() << "drew a key";
    } catch (const TDBGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Code, 2);
        EXPECT_EQ(error.GetInfo(0)->Message, "Failed to generate key ORDER.\r\nRefObj = TDBGenericInfo");
        EXPECT_EQ(error.GetInfo(0)->SenderName, "TDBGenericRecordKey");
        ASSERT_GE(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(1)->Message, "Error during key generation.");
        EXPECT_EQ(error.GetInfo(1)->MethodName, "_GetKey");
        EXPECT_EQ(error.GetInfo(1)->SQLText(), "SELECT LastValue FROM NoSuchTable WHERE Upper(KeyName) = 'ORDER'");
    }
    // The name's lock was given back.
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");

    user->info.OnHandleException = [](const std::string&, int, fw::Object*, const std::exception*, const std::string&,
                                      const fw::Object*, const std::string&, const std::string&) { return 0; };
    EXPECT_EQ(user->info.RecordKey().GetKey("Order"), -1);
}

TEST_P(RecordKeyTest, ALockHeldByAnotherUserFailsTheDrawAndKeepsThatLock)
{
    LayerUser bob(Db(), "bob");
    ASSERT_EQ(bob.info.LockRecord("Key_Registry", "ORDER"), 1);
    const FirstRecord failure = FailureOf([&] { user->info.RecordKey().GetKey("Order"); });
    EXPECT_EQ(failure.Code, 2);
    // Alice never had the lock, so she gave nothing back: Bob's stays as it was.
    EXPECT_EQ(Db().Scalar("SELECT UserID FROM Data_Locks"), "bob");
    EXPECT_EQ(Db().Scalar("SELECT LockCount FROM Data_Locks"), "1");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Key_Registry"), "0");
}

TEST_P(RecordKeyTest, AKeyIsDrawnWhileTheThreadWritesInATransactionOfAnotherSession)
{
    Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY)"});
    TDBGSessionRef& pooled = *user->info.SessionPool().RequestSession();
    int packs = 0;
    for (TDBGSessionRef* session : {&pooled, &user->info.DefaultSession()}) {
        auto work = std::make_unique<TDBGenericQuery>(*session, nullptr, true);
        work->SQL().Add("INSERT INTO Packs (ID) VALUES (" + std::to_string(++packs) + ")");
        work->ExecSQL();
        const int first = user->info.RecordKey().GetKey("Pack");
        EXPECT_EQ(user->info.RecordKey().GetKey("Pack"), first + 1) << session->SessionName();
        EXPECT_TRUE(work->GetConnection()->InTransaction());
        TDBGenericQuery::ReleaseCommit(work);
        EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry WHERE KeyName = 'PACK'"),
                  std::to_string(first + 1));
    }
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry WHERE KeyName = 'PACK'"), "4");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Packs"), "2");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");
}

TEST_P(RecordKeyTest, EverySpellingOfANameBeyondAsciiFindsItsOneRowWhateverFormItWasStoredIn)
{
    // Rows left by an earlier build, which upper-cased ASCII letters only, and by the host.
    Db().Execute({"INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('\xC3\xB6SE', 4)",
                  "INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('stra\xC3\x9F" "e', 7)",
                  "INSERT INTO Key_Registry (KeyName, LastValue) VALUES ('\xC3\x84RGER', 2)"});
    TDBGenericRecordKey& keys = user->info.RecordKey();
    EXPECT_EQ(keys.GetKey("\xC3\xB6se"), 5);
    EXPECT_EQ(keys.GetKey("\xC3\x96SE"), 6);
    EXPECT_EQ(keys.GetKey(" \xC3\xB6Se "), 7);
    EXPECT_EQ(keys.GetKey("Stra\xC3\x9F" "e"), 8);
    EXPECT_EQ(keys.GetKey("STRASSE"), 9);
    EXPECT_EQ(keys.GetKey("\xC3\xA4rger"), 3);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Key_Registry"), "3");
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry WHERE KeyName = '\xC3\xB6SE'"), "7");
    EXPECT_EQ(Db().Scalar("SELECT LastValue FROM Key_Registry WHERE KeyName = 'stra\xC3\x9F" "e'"), "9");
    // A name first drawn now is stored upper-cased, and found by every spelling after.
    EXPECT_EQ(keys.GetKey("\xC3\xBC" "ber"), 1);
    EXPECT_EQ(keys.GetKey("\xC3\x9C" "BER"), 2);
    EXPECT_EQ(Db().Scalar("SELECT KeyName FROM Key_Registry WHERE LastValue = 2"), "\xC3\x9C" "BER");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Key_Registry"), "4");
}

TAVELIN_ON_BOTH_ENGINES(RecordKeyTest);
