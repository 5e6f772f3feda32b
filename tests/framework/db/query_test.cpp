#include <gtest/gtest.h>

#include <cmath>

#include "framework/core/datetime.h"
#include "framework/core/strings.h"
#include "framework/db/db_error.h"
#include "framework/db/db_field_value.h"
#include "framework/db/db_query.h"
#include "support/test_databases.h"

using fw::db::Query;

TEST(FieldValue, TheStandardDateTimeTextReadsBackWhateverTheEngineAddsToIt)
{
    const fw::DateTime value = fw::ComposeDateTime(fw::EncodeDate(2024, 1, 31), fw::EncodeTime(23, 59, 58));
    EXPECT_EQ(fw::db::StandardDateTimeText(value), "2024-01-31 23:59:58");
    fw::DateTime read = 0;
    ASSERT_TRUE(fw::db::TryParseStandardDateTime("2024-01-31 23:59:58", read));
    EXPECT_DOUBLE_EQ(read, value);
    ASSERT_TRUE(fw::db::TryParseStandardDateTime("2024-01-31T23:59:58.000", read));
    EXPECT_DOUBLE_EQ(read, value);
    ASSERT_TRUE(fw::db::TryParseStandardDateTime(" 2024-01-31 ", read));
    EXPECT_DOUBLE_EQ(read, fw::EncodeDate(2024, 1, 31));
    EXPECT_FALSE(fw::db::TryParseStandardDateTime("2024-02-30", read));
    EXPECT_FALSE(fw::db::TryParseStandardDateTime("31/01/2024", read));
    EXPECT_FALSE(fw::db::TryParseStandardDateTime("2024-01-31 25:00", read));
    EXPECT_FALSE(fw::db::TryParseStandardDateTime("2024-01-31 10:00x", read));
}

TEST(FieldValue, ConversionsOfEachKindOfCell)
{
    const fw::db::CellValue text = std::string("12");
    const fw::db::CellValue real = 2.5;
    const fw::db::CellValue flag = true;
    const fw::db::CellValue none;
    const fw::db::CellValue word = std::string("Yes");
    EXPECT_EQ(fw::db::FieldValue("A", &text).AsLargeInt(), 12);
    EXPECT_EQ(fw::db::FieldValue("A", &real).AsLargeInt(), 2); // halves go to the even neighbour
    EXPECT_EQ(fw::db::FieldValue("A", &real).AsCurrency(), 25000);
    EXPECT_EQ(fw::db::FieldValue("A", &real).AsString(), "2.5");
    EXPECT_EQ(fw::db::FieldValue("A", &flag).AsString(), "True");
    EXPECT_TRUE(fw::db::FieldValue("A", &word).AsBoolean());
    EXPECT_TRUE(fw::db::FieldValue("A", &none).IsNull());
    EXPECT_EQ(fw::db::FieldValue("A", &none).AsString(), "");
    EXPECT_TRUE(fw::db::FieldValue("A", &none).AsVariant().IsNull());
    EXPECT_THROW(fw::db::FieldValue("A", &word).AsLargeInt(), fw::EConvertError);
}

class QueryOnEngine : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        connection_ = Db().Connect();
        query.SetConnection(connection_.get());
    }
    void TearDown() override
    {
        query.Close();
        connection_.reset();
        EngineTest::TearDown();
    }
    void Exec(const std::string& statement)
    {
        query.SetText(statement);
        query.ExecSQL();
    }
    void Open(const std::string& statement)
    {
        query.SetText(statement);
        query.Open();
    }

    Query query;

private:
    std::unique_ptr<fw::db::Connection> connection_;
};

TEST_P(QueryOnEngine, ValuesOfEveryKindReadBackAsWritten)
{
    Exec("CREATE TABLE Items (ID INT, Name VARCHAR(20), Weight DOUBLE PRECISION, Price NUMERIC(19,4), Woven "
         "BOOLEAN, Changed TIMESTAMP, Notes TEXT)");
    Exec("INSERT INTO Items (ID, Name, Weight, Price, Woven, Changed, Notes) VALUES (7, 'Band ''S''', 0.25, "
         "1234.5678, TRUE, '2024-01-31 23:59:58', 'many\r\nlines')");
    Open("SELECT * FROM Items");
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.FieldCount(), 7);
    EXPECT_EQ(query.FieldByName("ID").AsInteger(), 7);
    EXPECT_EQ(query.FieldByName("id").AsString(), "7");
    EXPECT_EQ(query.FieldByName("NAME").AsString(), "Band 'S'");
    EXPECT_DOUBLE_EQ(query.FieldByName("Weight").AsFloat(), 0.25);
    EXPECT_EQ(query.FieldByName("Price").AsCurrency(), 12345678);
    EXPECT_TRUE(query.FieldByName("Woven").AsBoolean());
    EXPECT_DOUBLE_EQ(query.FieldByName("Changed").AsDateTime(),
                     fw::ComposeDateTime(fw::EncodeDate(2024, 1, 31), fw::EncodeTime(23, 59, 58)));
    EXPECT_EQ(query.FieldByName("Changed").AsString(), "2024-01-31 23:59:58");
    EXPECT_EQ(query.FieldByName("Notes").AsString(), "many\r\nlines");
    EXPECT_EQ(query.FindField("Missing"), nullptr);
    EXPECT_THROW(query.FieldByName("Missing"), fw::db::EDatabaseError);
    EXPECT_THROW(query.Fields(7), fw::db::EDatabaseError);
    query.Next();
    EXPECT_TRUE(query.Eof());
}

TEST_P(QueryOnEngine, AggregatesOverNoRowsAreNull)
{
    Exec("CREATE TABLE Items (ID INT)");
    Open("SELECT MAX(ID), MIN(ID), COUNT(*) FROM Items");
    ASSERT_FALSE(query.Eof());
    EXPECT_TRUE(query.Fields(0).IsNull());
    EXPECT_TRUE(query.Fields(1).IsNull());
    EXPECT_EQ(query.Fields(0).AsInteger(), 0);
    EXPECT_EQ(query.Fields(2).AsInteger(), 0);
}

TEST_P(QueryOnEngine, RowsAreReadForwardAndCounted)
{
    Exec("CREATE TABLE Items (ID INT)");
    for (int id = 1; id <= 3; ++id) {
        Exec("INSERT INTO Items (ID) VALUES (" + std::to_string(id) + ")");
        EXPECT_EQ(query.RowsAffected(), 1);
    }
    Exec("UPDATE Items SET ID = ID + 10 WHERE ID > 1");
    EXPECT_EQ(query.RowsAffected(), 2);
    Open("SELECT ID FROM Items ORDER BY ID");
    EXPECT_EQ(query.RecordCount(), 3);
    std::vector<int> ids;
    for (; !query.Eof(); query.Next()) {
        ids.push_back(query.Fields(0).AsInteger());
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 12, 13}));
    Open("SELECT ID FROM Items WHERE ID > 99");
    EXPECT_TRUE(query.Eof());
    EXPECT_TRUE(query.IsEmpty());
    query.Close();
    EXPECT_FALSE(query.Active());
}

TEST_P(QueryOnEngine, TheEngineGivesTheKeyOfTheRowJustInserted)
{
    if (IsPostgres()) {
        Exec("CREATE TABLE Items (ID SERIAL PRIMARY KEY, Name VARCHAR(20))");
    } else {
        Exec("CREATE TABLE Items (ID INTEGER PRIMARY KEY, Name VARCHAR(20))");
    }
    Exec("INSERT INTO Items (Name) VALUES ('a')");
    Exec("INSERT INTO Items (Name) VALUES ('b')");
    EXPECT_EQ(query.LastInsertId(), 2);
}

TEST_P(QueryOnEngine, AFailureCarriesTheEnginesCode)
{
    Exec("CREATE TABLE Items (ID INT PRIMARY KEY)");
    Exec("INSERT INTO Items (ID) VALUES (1)");
    try {
        Exec("INSERT INTO Items (ID) VALUES (1)");
        FAIL() << "inserted twice";
    } catch (const fw::db::EDatabaseError& error) {
        EXPECT_EQ(error.Kind(), fw::db::ErrorKind::UniqueViolation);
        EXPECT_EQ(error.NativeCode(), IsPostgres() ? "23505" : "1555");
        EXPECT_FALSE(error.Message().empty());
    }
    try {
        Open("SELECT * FROM NoSuchTable");
        FAIL() << "opened";
    } catch (const fw::db::EDatabaseError& error) {
        EXPECT_EQ(error.Kind(), fw::db::ErrorKind::Other);
        EXPECT_NE(fw::LowerCase(error.Message()).find("nosuchtable"), std::string::npos);
    }
    EXPECT_FALSE(query.Active());
}

TAVELIN_ON_BOTH_ENGINES(QueryOnEngine);
