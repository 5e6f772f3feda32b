#include <gtest/gtest.h>

#include "framework/db/db_text_case.h"

TEST(TextCase, EveryLetterGoesToUpperCaseAsUnicodeHasIt)
{
    EXPECT_EQ(fw::db::UpperCaseText("order 7"), "ORDER 7");
    EXPECT_EQ(fw::db::UpperCaseText("öse"), "ÖSE");
    EXPECT_EQ(fw::db::UpperCaseText("Grüße"), "GRÜSSE");
    EXPECT_EQ(fw::db::UpperCaseText("ǆ ω ж"), "Ǆ Ω Ж");
    // What is upper case already stays as it is: the engines' Upper() finds it again.
    EXPECT_EQ(fw::db::UpperCaseText("ÖSE 😀 '"), "ÖSE 😀 '");
    EXPECT_EQ(fw::db::UpperCaseText(""), "");
}
