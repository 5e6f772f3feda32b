#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "database/db_generic_functions.h"
#include "framework/core/datetime.h"
#include "framework/core/string_list.h"
#include "framework/db/db_connection.h"

namespace {

const fw::DateTime LastSecondOf1999 =
    fw::ComposeDateTime(fw::EncodeDate(1999, 12, 31), fw::EncodeTime(23, 59, 59));

} // namespace

TEST(Dialect, TheThreeDateTimeLiterals)
{
    EXPECT_EQ(DateTimeToSQL(dbgDBType_SQLServer, "'", "", LastSecondOf1999), "'12/31/1999 23:59:59'");
    EXPECT_EQ(DateTimeToSQL(dbgDBType_Generic, "'", "YYYY-MM-DD hh:nn:ss", LastSecondOf1999),
              "'1999-12-31 23:59:59'");
    EXPECT_EQ(DateTimeToSQL(dbgDBType_Interbase, "'", "MM/DD/YYYY HH:MM:SS", LastSecondOf1999),
              "'12/31/1999 23:59:59'");
    // Progress: a leading blank, the date only by default.
    EXPECT_EQ(DateTimeToSQL(dbgDBType_Progress, "'", "", LastSecondOf1999), " Date('12/31/1999')");
    EXPECT_EQ(DateTimeToSQL(dbgDBType_Progress, "'", "MM/DD/YYYY hh:nn:ss", LastSecondOf1999),
              " Date('12/31/1999 23:59:59')");
    // Oracle ignores the format it is given.
    EXPECT_EQ(DateTimeToSQL(dbgDBType_Oracle, "'", "YYYY", LastSecondOf1999),
              "to_date('31-12-1999 23:59:59', 'DD-MM-YYYY HH24:MI:SS')");
}

TEST(Dialect, LiteralsNeverFollowTheLocale)
{
    // The comma locale is built by test.sh; without it this test proves nothing.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is not installed";
    const std::string literal = DateTimeToSQL(dbgDBType_SQLServer, "'", "", LastSecondOf1999);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(literal, "'12/31/1999 23:59:59'");
}

TEST(Dialect, ColumnNamesAndLoginsOfEachKind)
{
    EXPECT_EQ(UserIDFieldName(dbgDBType_Progress), "UsrID");
    EXPECT_EQ(UserIDFieldName(dbgDBType_Oracle), "UserID");
    EXPECT_EQ(CommentFieldName(dbgDBType_Oracle), "CommentField");
    EXPECT_EQ(CommentFieldName(dbgDBType_Progress), "Comment");

    fw::StringList params;
    SetLoginParams(params, dbgDBType_Generic, "alice", "secret");
    EXPECT_EQ(params.Text(), "USER NAME=alice\r\nPASSWORD=secret\r\n");
    fw::StringList progress;
    SetLoginParams(progress, dbgDBType_Progress, "bob", "pw");
    EXPECT_EQ(progress.Text(), "UID=bob\r\nPWD=pw\r\n");
    EXPECT_EQ(DBGDatabaseTypeNames[dbgDBType_Informix], "Informix");
}

TEST(Dialect, QuotingDoublesEveryDelimiterSoThatEveryValueComesBack)
{
    EXPECT_EQ(QuoteText("plain", "'"), "'plain'");
    EXPECT_EQ(QuoteText("", "'"), "''");
    EXPECT_EQ(QuoteText("O'Brien", "'"), "'O''Brien'");
    // Runs of delimiters are values too: every one of them is doubled.
    EXPECT_EQ(QuoteText("a''b", "'"), "'a''''b'");
    EXPECT_EQ(QuoteText("a'''b", "'"), "'a''''''b'");
    EXPECT_EQ(QuoteText("'", "'"), "''''");
    EXPECT_EQ(QuoteText("say \"hi\"", "\""), "\"say \"\"hi\"\"\"");
    // A longer delimiter swaps its first character for the other quote mark.
    EXPECT_EQ(QuoteText("it's", "'#"), "'#it\"s'#");
    EXPECT_EQ(QuoteText("a\"b", "\"\""), "\"\"a'b\"\"");
    EXPECT_EQ(QuoteText("as is", ""), "as is");

    // Read as SQL reads a literal (the outer delimiters gone, each pair one delimiter),
    // every quoted value is the value again.
    const auto readBack = [](const std::string& literal) {
        std::string value;
        for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
            value += literal[i];
            if (literal[i] == '\'') {
                ++i;
            }
        }
        return value;
    };
    for (const std::string value : {"a''b", "O''Brien", "5''", "''", "'''", "x''''y", "'a'", "\\''"}) {
        EXPECT_EQ(readBack(QuoteText(value, "'")), value);
    }
}

TEST(Dialect, OnlyEmptyLiteralsBecomeABlank)
{
    EXPECT_EQ(ReplaceEmptyLiterals("SELECT * FROM T WHERE Keys = '' OR DeleteDate = ''"),
              "SELECT * FROM T WHERE Keys = ' ' OR DeleteDate = ' '");
    EXPECT_EQ(ReplaceEmptyLiterals("SELECT * FROM T WHERE Name = 'O''Brien'"),
              "SELECT * FROM T WHERE Name = 'O''Brien'");
    EXPECT_EQ(ReplaceEmptyLiterals("VALUES ('''', '', 'a''''b', '')"), "VALUES ('''', ' ', 'a''''b', ' ')");
    EXPECT_EQ(ReplaceEmptyLiterals("no literals"), "no literals");
    EXPECT_EQ(ReplaceEmptyLiterals("'open"), "'open");
    // A value of delimiters only is no empty literal.
    EXPECT_EQ(ReplaceEmptyLiterals("VALUES (" + QuoteText("''", "'") + ", " + QuoteText("", "'") + ")"),
              "VALUES ('''''', ' ')");
}
