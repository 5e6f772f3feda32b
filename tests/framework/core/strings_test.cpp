#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

using namespace fw;

TEST(TextBasics, TrimRemovesControlCharactersButNotUtf8Bytes)
{
    EXPECT_EQ(Trim("\t a b \r\n\x01"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \n"), "  a");
    EXPECT_EQ(Trim(" \t\r\n"), "");
    // Bytes of multi-byte characters are above the blank when read unsigned.
    EXPECT_EQ(Trim(" \xC3\xA9 "), "\xC3\xA9");
    EXPECT_EQ(TrimRight("\xE2\x82\xAC"), "\xE2\x82\xAC");
}

TEST(TextBasics, CaseFoldingIsAsciiOnly)
{
    EXPECT_EQ(UpperCase("az_\xC3\xA9"), "AZ_\xC3\xA9");
    EXPECT_EQ(LowerCase("AZ@[\xC3\x89"), "az@[\xC3\x89");
    EXPECT_TRUE(SameText("TieDowns", "tiedOWNS"));
    EXPECT_FALSE(SameText("02", "2"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    // Folding to upper case puts the underscore after the letters.
    EXPECT_GT(CompareText("_", "z"), 0);
    EXPECT_GT(CompareText("\xC3\xA9", "z"), 0);
}

TEST(TextBasics, PosAndCopyUseOneBasedPositions)
{
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("cb", "abcb"), 3);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("abcd", "abc"), 0);

    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", -5, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, 0), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
    EXPECT_EQ(Copy("abcdef", 3, std::numeric_limits<int>::max()), "cdef");
}

TEST(IntegerConversion, IntToStrWritesPlainDecimal)
{
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-2147483633), "-2147483633");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(IntegerConversion, StrToIntDefAcceptsOnlyACompleteNumber)
{
    constexpr int def = -999;
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"12", 12},
        {"  -12", -12},
        {"\t+7", 7},
        {"007", 7},
        {"12 ", def},
        {"1 2", def},
        {"- 1", def},
        {"1.5", def},
        {"", def},
        {" ", def},
        {"-", def},
        {"2147483647", 2147483647},
        {"2147483648", def},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"-2147483649", def},
        {"99999999999999999999999", def},
        {"$1F", 31},
        {"0x1f", 31},
        {"0X10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$8000000F", -2147483633},
        {"$100000000", def},
        {"$", def},
        {"0x", def},
        {"$1G", def},
        {"1F", def},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToIntDef(c.text, def), c.expected) << "text: \"" << c.text << "\"";
    }
}

TEST(IntegerConversion, StrictConversionNamesTheText)
{
    EXPECT_EQ(StrToInt(" 42"), 42);
    int value = 5;
    EXPECT_FALSE(TryStrToInt("4x", value));
    EXPECT_EQ(value, 5);
    try {
        StrToInt("2147483663");
        FAIL() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'2147483663' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt("12 "), EConvertError);
}

TEST(IntegerConversion, Int64RangeIsItsOwn)
{
    EXPECT_EQ(StrToInt64Def("9223372036854775807", 0), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64Def("-9223372036854775808", 0), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(StrToInt64Def("9223372036854775808", 1), 1);
    EXPECT_EQ(StrToInt64Def("4294967296", 0), 4294967296);
    EXPECT_EQ(StrToInt64Def("$FFFFFFFFFFFFFFFF", 0), -1);
}

TEST(FloatConversion, FloatToStrUsesFifteenDigitsAndDropsTrailingZeros)
{
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {3.0, "3"},
        {2.5, "2.5"},
        {-0.1, "-0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {100.0, "100"},
        {123.456, "123.456"},
        {0.0, "0"},
        {-0.0, "0"},
        {9.9999999999999999, "10"},
        {1e14, "100000000000000"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {1234567890123456.123, "1.23456789012346E15"},
        {1e20, "1E20"},
        {-1.5e300, "-1.5E300"},
        {0.0001, "0.0001"},
        {0.00012, "0.00012"},
        {0.00005, "5E-5"},
        {1e-7, "1E-7"},
        {1.5e-10, "1.5E-10"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToStr(c.value), c.expected) << "value " << c.value;
    }
}

TEST(FloatConversion, StrToFloatAcceptsOnlyThePlainForm)
{
    const struct {
        const char* text;
        double expected;
    } accepted[] = {
        {"2.5", 2.5},      {" 2.5\t", 2.5}, {"-1e3", -1000}, {"+.5", 0.5},     {"5.", 5},
        {"1E-7", 1e-7},    {"7", 7},        {"-0", 0},       {"1e-400", 0.0}, {"0.000", 0},
        {"1.5E+10", 1.5e10},
    };
    for (const auto& c : accepted) {
        double value = -1;
        EXPECT_TRUE(TryStrToFloat(c.text, value)) << "text: \"" << c.text << "\"";
        EXPECT_DOUBLE_EQ(value, c.expected) << "text: \"" << c.text << "\"";
    }
    const char* rejected[] = {"",    " ",   ".",   "1e",   "e5",  "--1",    "1.2.3", "1,5",
                              "1 0", "inf", "nan", "0x1p3", "1e400", "1.5f", "$10"};
    for (const char* text : rejected) {
        double value = 0;
        EXPECT_FALSE(TryStrToFloat(text, value)) << "text: \"" << text << "\"";
    }
    try {
        StrToFloat("1,5");
        FAIL() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'1,5' is not a valid floating point value");
    }
}

TEST(FloatConversion, WrittenValuesReadBack)
{
    for (double value : {0.1, -2.75, 1.0 / 7.0, 12345.6789, 6.02214076e23, 1.6e-19, 0.00099}) {
        EXPECT_NEAR(StrToFloat(FloatToStr(value)), value, std::abs(value) * 1e-14) << FloatToStr(value);
    }
}

TEST(FloatConversion, IgnoresTheLocaleTheToolkitMaySet)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed, so a comma locale cannot be tried";
    }
    const std::string written = FloatToStr(2.5);
    double read = 0;
    const bool converted = TryStrToFloat("2.5", read);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(written, "2.5");
    EXPECT_TRUE(converted);
    EXPECT_EQ(read, 2.5);
}

TEST(FormatText, WidthsAlignAndNeverCut)
{
    EXPECT_EQ(Format("%d", {5}), "5");
    EXPECT_EQ(Format("%4d", {5}), "   5");
    EXPECT_EQ(Format("%8d", {-42}), "     -42");
    EXPECT_EQ(Format("%2d", {12345}), "12345");
    EXPECT_EQ(Format("%-4d|", {7}), "7   |");
    EXPECT_EQ(Format("%-8s|", {"ab"}), "ab      |");
    EXPECT_EQ(Format("%3s", {std::string("abcd")}), "abcd");
    EXPECT_EQ(Format("%s=%d%%", {"x", 3}), "x=3%");
    // Widths count characters: the two bytes of an accented letter are one.
    EXPECT_EQ(Format("%4s", {"\xC3\xA9"}), "   \xC3\xA9");
    EXPECT_EQ(Format("%s", {'c'}), "c");
    EXPECT_EQ(Format("no directives"), "no directives");
    EXPECT_EQ(Format("%D and %S", {1, "two"}), "1 and two");
    EXPECT_EQ(Format("%d", {std::int64_t{-9000000000}}), "-9000000000");
}

TEST(FormatText, MismatchRaises)
{
    EXPECT_THROW(Format("%d", {"x"}), EConvertError);
    EXPECT_THROW(Format("%s", {5}), EConvertError);
    EXPECT_THROW(Format("%d %d", {5}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("%99999d", {1}), EConvertError);
    try {
        Format("abc%", {1});
        FAIL() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Format 'abc%' invalid or incompatible with argument");
    }
}
