#include <gtest/gtest.h>

#include "framework/db/db_statement_text.h"

using fw::db::IsSingleStatement;

TEST(StatementText, ASemicolonEndsAStatementOnlyOutsideQuotesAndComments)
{
    EXPECT_TRUE(IsSingleStatement("SELECT * FROM T WHERE Name = 'a;b'"));
    EXPECT_TRUE(IsSingleStatement("SELECT \"a;b\" FROM T"));
    EXPECT_TRUE(IsSingleStatement("SELECT 1 -- a; comment\r\nFROM T"));
    EXPECT_TRUE(IsSingleStatement("SELECT /* a /* nested; */ still; */ 1"));
    EXPECT_TRUE(IsSingleStatement("SELECT 'O''Brien; Ltd' FROM T"));
    EXPECT_TRUE(IsSingleStatement("SELECT $$ ' ; $$, $q$ ; $q$"));
    EXPECT_TRUE(IsSingleStatement("SELECT a$b FROM T"));

    EXPECT_FALSE(IsSingleStatement("SELECT 1; SELECT 2"));
    EXPECT_FALSE(IsSingleStatement("SELECT 1;"));
    EXPECT_FALSE(IsSingleStatement("DELETE FROM T WHERE Name = 'x'; DROP TABLE T"));
}

TEST(StatementText, AValueCannotCloseItsLiteralEarlyInAnyQuotingForm)
{
    // Each would run a second statement on PostgreSQL if the scan read it as one literal.
    EXPECT_FALSE(IsSingleStatement("SELECT E'\\\\'; DROP TABLE T; --'"));
    EXPECT_FALSE(IsSingleStatement("SELECT $$ ' $$; DROP TABLE T; --'"));
    // Read as PostgreSQL reads it, this is one literal holding a quote and the rest.
    EXPECT_TRUE(IsSingleStatement("SELECT E'\\'; DROP TABLE T; --'"));
    // Anything left open is refused.
    EXPECT_FALSE(IsSingleStatement("SELECT 'open"));
    EXPECT_FALSE(IsSingleStatement("SELECT $x$ open"));
    EXPECT_FALSE(IsSingleStatement("SELECT /* open"));
    EXPECT_FALSE(IsSingleStatement("SELECT [open"));
}
