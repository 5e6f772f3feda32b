#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_exception_log.h"
#include "database/db_generic_exception.h"
#include "database/db_generic_query.h"
#include "database_test_support.h"

TEST(GenericException, RecordsCarryTheStatementAndTheUser)
{
    TDBGenericInfo info;
    info.SetCurrentUserID("carol");
    const TGenericException cause("disk full", nullptr, "TDisk", "Write");
    const TDBGenericException error("Save failed", "INSERT INTO T\r\nVALUES (1)", "SaveS", &info, "", &cause, &info,
                                    20);
    EXPECT_EQ(error.Message(), "Save failed\r\nRefObj = TDBGenericInfo\r\n\r\ndisk full");
    EXPECT_EQ(error.UserID(), "carol");
    EXPECT_EQ(error.SQL(), "INSERT INTO T\r\nVALUES (1)");
    EXPECT_EQ(error.RefObj(), &info);
    ASSERT_EQ(error.InfoCount(), 2);
    const auto* first = dynamic_cast<const TDBGenericExceptionInfo*>(error.GetInfo(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->SQL, "INSERT INTO T\r\nVALUES (1)");
    EXPECT_EQ(first->SQLText(), first->SQL);
    EXPECT_EQ(first->UserID, "carol");
    EXPECT_EQ(first->Code, 20);
    EXPECT_EQ(first->SenderName, "TDBGenericInfo");
    // The previous error's records follow as they were, without a statement.
    EXPECT_EQ(error.GetInfo(1)->Message, "disk full");
    EXPECT_EQ(error.GetInfo(1)->SQLText(), "");

    const TDBGenericException copy(error);
    EXPECT_EQ(copy.SQL(), error.SQL());
    EXPECT_EQ(copy.UserID(), "carol");
    EXPECT_EQ(dynamic_cast<const TDBGenericExceptionInfo*>(copy.GetInfo(0))->SQL, error.SQL());

    // Without a reference object nothing is added and no user is found.
    const TDBGenericException plain("Plain", "", "Op", nullptr, "", nullptr, nullptr);
    EXPECT_EQ(plain.Message(), "Plain");
    EXPECT_EQ(plain.UserID(), "");
    TDBGenericExceptionInfo assigned;
    assigned.Assign(first);
    EXPECT_EQ(assigned.SQL, first->SQL);
    EXPECT_EQ(assigned.UserID, "carol");
}

namespace {

class ExceptionLogTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        CreateLayerTables(Db());
        user = std::make_unique<LayerUser>(Db(), "alice");
        user->RegisterExceptionLog();
    }
    void TearDown() override
    {
        user.reset();
        EngineTest::TearDown();
    }
    // Every log row as "description|user|date|time|comment".
    std::vector<std::string> LogRows()
    {
        auto connection = Db().Connect();
        fw::db::Query query;
        query.SetConnection(connection.get());
        query.SetText("SELECT Description, UserID, LogDate, LogTime, Comment FROM Exception_Log ORDER BY LogID");
        query.Open();
        std::vector<std::string> rows;
        for (; !query.Eof(); query.Next()) {
            std::string row;
            for (int i = 0; i < 5; ++i) {
                row += (i > 0 ? "|" : "") + query.Fields(i).AsString();
            }
            rows.push_back(row);
        }
        return rows;
    }

    std::unique_ptr<LayerUser> user;
};

} // namespace

TEST_P(ExceptionLogTest, AnErrorOfTheSettingsComponentWritesItsRow)
{
    const FirstRecord failure = FailureOf([&] { user->info.DeleteTableEntries("Looms", ""); });
    EXPECT_EQ(failure.Code, 35);
    const std::vector<std::string> rows = LogRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].starts_with("Error Code = 35|alice|20231231|235958|Attempt to delete records failed.\r\n"
                                    "Table = Looms\r\nCriteria = \r\nRefObj = TDBGenericInfo\r\n\r\n"))
        << rows[0];

    // An error whose reference object is a query finds the component through it.
    {
        TDBGenericQuery query(user->info, nullptr, false);
        const TDBGenericException error("Query failed", "SELECT 1", "Open", &query, "", nullptr, &query, 9);
        EXPECT_EQ(error.UserID(), "alice");
    }
    ASSERT_EQ(LogRows().size(), 2u);
    EXPECT_TRUE(LogRows()[1].starts_with("Error Code = 9|alice|"));

    // Off, nothing is written.
    user->info.SetExceptionLogEnabled(false);
    FailureOf([&] { user->info.DeleteTableEntries("Looms", ""); });
    EXPECT_EQ(LogRows().size(), 2u);
}

TEST_P(ExceptionLogTest, TheHostsOwnLogTakesTheErrorInstead)
{
    std::vector<std::string> logged;
    user->info.OnLogException = [&logged](TDBGenericInfo&, const std::exception& error) {
        logged.push_back(fw::ErrorMessage(error));
    };
    FailureOf([&] { user->info.GetTableByName("Looms"); });
    EXPECT_EQ(logged, std::vector<std::string>{"No information for table Looms found.\r\nRefObj = TDBGenericInfo"});
    EXPECT_TRUE(LogRows().empty());
}

TEST_P(ExceptionLogTest, TheRowStaysWhenTheFailingTransactionIsRolledBack)
{
    Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY)"});
    auto work = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    work->SQL().Add("INSERT INTO Packs (ID) VALUES (1)");
    work->ExecSQL();
    // Inside the transaction: the deletion joins it and fails.
    const FirstRecord failure = FailureOf([&] { user->info.DeleteTableEntries("Looms", ""); });
    EXPECT_EQ(failure.Code, 35);
    TDBGenericQuery::ReleaseRollback(work);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Packs"), "0");
    const std::vector<std::string> rows = LogRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].starts_with("Error Code = 35|alice|")) << rows[0];
}

TEST_P(ExceptionLogTest, ARowKeyedFromTheRegistryStaysWhenTheFailingTransactionIsRolledBack)
{
    // The log's key comes from the key registry instead of the engine.
    Db().Execute({"CREATE TABLE Packs (ID INT PRIMARY KEY)", "DROP TABLE Exception_Log",
                  "CREATE TABLE Exception_Log (LogID INT PRIMARY KEY, Description VARCHAR(80), UserID VARCHAR(40), "
                  "LogDate VARCHAR(8), LogTime VARCHAR(6), Comment VARCHAR(2000))"});
    TDBGenericTableInfo* table = user->info.GetTableByID(-1);
    ASSERT_NE(table, nullptr);
    table->Fields().AssignFieldDefs(user->connection.ReadFieldDefs("Exception_Log"));
    table->SetRecordKeyName("LOG");
    auto work = std::make_unique<TDBGenericQuery>(user->info, nullptr, true);
    work->SQL().Add("INSERT INTO Packs (ID) VALUES (1)");
    work->ExecSQL();
    // A statement of the transaction fails, and the transaction with it.
    const FirstRecord failure = FailureOf([&] { user->info.DeleteTableEntries("Looms", ""); });
    EXPECT_EQ(failure.Code, 35);
    TDBGenericQuery::ReleaseRollback(work);
    const std::vector<std::string> rows = LogRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].starts_with("Error Code = 35|alice|")) << rows[0];
    EXPECT_EQ(Db().Scalar("SELECT LogID FROM Exception_Log"), "1");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");
}

TEST_P(ExceptionLogTest, AFailureWhileLoggingKeepsTheOriginalErrorAndIsNotLoggedItself)
{
    Db().Execute({"DROP TABLE Exception_Log"});
    try {
        user->info.DeleteTableEntries("Looms", "");
        FAIL() << "no error";
    } catch (const TDBGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Code, 35);
        EXPECT_TRUE(error.Message().starts_with("Attempt to delete records failed."));
        // The note of the log's failure comes after the error's own records, with its cause.
        int note = -1;
        for (int i = 0; i < error.InfoCount(); ++i) {
            if (error.GetInfo(i)->Message == "The error could not be written to the exception log.") {
                note = i;
            }
        }
        ASSERT_GT(note, 0);
        ASSERT_GT(error.InfoCount(), note + 1);
        EXPECT_EQ(error.GetInfo(note + 1)->Code, 20);
        EXPECT_TRUE(error.GetInfo(note + 1)->Message.starts_with("Failed to save information to table Exception_Log."));
        EXPECT_TRUE(error.GetInfo(note + 1)->SQLText().starts_with("INSERT INTO Exception_Log ("));
    }
    EXPECT_FALSE(IsWritingExceptionLog());
}

TEST_P(ExceptionLogTest, TheLogRowTakesItsColumnsSizesAndNames)
{
    TDBGenericExceptionLog log(user->info.LogSession());
    EXPECT_EQ(log.FieldName(TDBGenericExceptionLog::UserIDField), "UserID");
    EXPECT_EQ(log.FieldName(TDBGenericExceptionLog::CommentField), "Comment");
    EXPECT_EQ(log.FieldName(6), "");
    log.SetField(TDBGenericExceptionLog::DescriptionField, "Error Code = 1 " + std::string(200, 'x'));
    log.SetField(TDBGenericExceptionLog::LogDateField, "20240131");
    log.SetField(TDBGenericExceptionLog::LogTimeField, "070503");
    EXPECT_EQ(log.DisplayText(), "31 Jan 2024 07:05:03");
    log.Save();
    // Cut to the column's 80 characters instead of failing.
    EXPECT_EQ(Db().Scalar("SELECT Description FROM Exception_Log").size(), 80u);

    user->info.SetDBType(dbgDBType_Progress);
    EXPECT_EQ(log.FieldName(TDBGenericExceptionLog::UserIDField), "UsrID");
    user->info.SetDBType(dbgDBType_Oracle);
    EXPECT_EQ(log.FieldName(TDBGenericExceptionLog::CommentField), "CommentField");
}

TAVELIN_ON_BOTH_ENGINES(ExceptionLogTest);
