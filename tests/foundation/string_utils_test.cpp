#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "foundation/string_utils.h"
#include "framework/core/exceptions.h"

TEST(StringUtils, PosExSearchesOnlyInsideTheRange)
{
    const std::string text = "abcabcabc";
    EXPECT_EQ(PosEx(1, 0, "c", text), 3);
    EXPECT_EQ(PosEx(4, 0, "c", text), 6);
    EXPECT_EQ(PosEx(-3, -1, "b", text), 2);
    EXPECT_EQ(PosEx(4, 5, "abc", text), 0); // would reach beyond the end of the range
    EXPECT_EQ(PosEx(4, 6, "abc", text), 4);
    EXPECT_EQ(PosEx(8, 100, "bc", text), 8);
    EXPECT_EQ(PosEx(9, 0, "bc", text), 0);
    EXPECT_EQ(PosEx(5, 2, "a", text), 0);
    EXPECT_EQ(PosEx(1, 0, "", text), 0);
}

TEST(StringUtils, SplitStringKeepsEmptyPieces)
{
    const struct {
        const char* text;
        const char* delimiter;
        std::vector<std::string> pieces;
    } cases[] = {
        {"a,,b", ",", {"a", "", "b"}},
        {"", ",", {}},
        {"a", ",", {"a"}},
        {"a,", ",", {"a", ""}},
        {",", ",", {"", ""}},
        {"one::two:three", "::", {"one", "two:three"}},
        {"a,b", "", {"a,b"}},
    };
    for (const auto& c : cases) {
        fw::StringList list{"left over"};
        EXPECT_EQ(SplitString(c.text, list, c.delimiter), static_cast<int>(c.pieces.size()));
        EXPECT_EQ(list.Lines(), c.pieces) << "text: \"" << c.text << "\"";
    }
}

TEST(StringUtils, RepeatCharAllowsOneTo255)
{
    EXPECT_EQ(RepeatChar('-', 3), "---");
    EXPECT_EQ(RepeatChar('x', 255).size(), 255U);
    EXPECT_EQ(RepeatChar('x', 256), "");
    EXPECT_EQ(RepeatChar('x', 0), "");
    EXPECT_EQ(RepeatChar('x', -1), "");
}

TEST(StringUtils, StrToBoolTextKnowsTheTrueWords)
{
    for (const char* text : {"Y", "y", "Yes", "yes", "T", "true", "TRUE", "1", "-1"}) {
        EXPECT_TRUE(StrToBoolText(text)) << text;
    }
    for (const char* text : {"no", "0", "", " yes", "Yess", "2", "F"}) {
        EXPECT_FALSE(StrToBoolText(text)) << text;
    }
}

TEST(StringUtils, TolerantFloatConversions)
{
    EXPECT_EQ(SafeStrToFloat("abc"), 0);
    EXPECT_EQ(SafeStrToFloat(" -2.25 "), -2.25);
    EXPECT_EQ(CleanFloat("1,234.5", false), 1234.5);
    EXPECT_EQ(CleanFloat(" 1 000 ", false), 1000);
    EXPECT_EQ(CleanFloat(" , ", false), 0);
    EXPECT_EQ(CleanFloat("12a", true), 0);
    EXPECT_THROW(CleanFloat("12a", false), fw::EConvertError);
}

TEST(StringUtils, SafeDivideGivesZeroWithoutAFiniteQuotient)
{
    EXPECT_EQ(SafeDivide(7, 2), 3.5);
    EXPECT_EQ(SafeDivide(1, 0), 0);
    EXPECT_EQ(SafeDivide(0, 0), 0);
    EXPECT_EQ(SafeDivide(1e308, 1e-10), 0);
    EXPECT_EQ(SafeDivide(std::numeric_limits<double>::quiet_NaN(), 1), 0);
}

TEST(StringUtils, FloatEqualsUsesAnOpenToleranceBand)
{
    // n = 2: within +-0.009.
    EXPECT_TRUE(FloatEquals(1.0, 1.0, 2));
    EXPECT_TRUE(FloatEquals(1.0, 1.0089, 2));
    EXPECT_TRUE(FloatEquals(1.0, 0.9911, 2));
    EXPECT_FALSE(FloatEquals(1.0, 1.0091, 2));
    EXPECT_FALSE(FloatEquals(1.0, 0.99, 2));
    EXPECT_TRUE(FloatEquals(5.0, 5.5, 0));
    EXPECT_FALSE(FloatEquals(5.0, 5.95, 0));
}

TEST(StringUtils, VarTypeNameNamesTheTypeCode)
{
    EXPECT_EQ(VarTypeName(fw::Variant()), "(unassigned)");
    EXPECT_EQ(VarTypeName(fw::Variant::Null()), "(null)");
    EXPECT_EQ(VarTypeName(fw::Variant(3)), "varInteger");
    EXPECT_EQ(VarTypeName(fw::Variant(2.5)), "varDouble");
    EXPECT_EQ(VarTypeName(fw::Variant(true)), "varBoolean");
    EXPECT_EQ(VarTypeName(fw::Variant("text")), "varString");
    EXPECT_EQ(VarTypeName(fw::Variant(fw::varByte, std::int64_t{7})), "varByte");
    EXPECT_EQ(VarTypeName(fw::Variant(fw::varStrArg, std::string("x"))), "varStrArg");
    EXPECT_EQ(VarTypeName(fw::Variant(fw::varByRef, std::monostate{})), "varByRef");
    EXPECT_EQ(VarTypeName(fw::Variant(fw::varArray | fw::varInteger, std::monostate{})), "unknown");
    EXPECT_EQ(VarTypeName(fw::Variant(0x14, std::int64_t{1})), "unknown");
}
