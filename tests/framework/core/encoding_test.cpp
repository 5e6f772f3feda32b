#include <gtest/gtest.h>

#include <string>

#include "framework/core/encoding.h"

using namespace fw;

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        unsigned char back = 0;
        ASSERT_TRUE(UnicodeToWindows1252(Windows1252ToUnicode(byte), back)) << "byte " << value;
        EXPECT_EQ(back, byte);

        const std::string single(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(single)), single) << "byte " << value;
    }
}

TEST(Windows1252, MapsTheSpecialRangeAndLatin1)
{
    EXPECT_EQ(Windows1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Windows1252ToUnicode(0x8A), U'\u0160');
    EXPECT_EQ(Windows1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(Windows1252ToUnicode(0x81), char32_t{0x81});
    EXPECT_EQ(Windows1252ToUnicode(0x9D), char32_t{0x9D});
    EXPECT_EQ(Windows1252ToUnicode(0xE9), U'\u00E9');

    unsigned char byte = 0;
    EXPECT_FALSE(UnicodeToWindows1252(0x80, byte));
    EXPECT_FALSE(UnicodeToWindows1252(0x9F, byte));
    EXPECT_FALSE(UnicodeToWindows1252(U'\u2603', byte));
    EXPECT_FALSE(UnicodeToWindows1252(0x100, byte));

    EXPECT_EQ(Windows1252ToUtf8("\xE9\x80 a"), "\xC3\xA9\xE2\x82\xAC a");
    EXPECT_EQ(Utf8ToWindows1252("\xC3\xA9\xE2\x82\xAC\xE2\x98\x83"), "\xE9\x80?");
    EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x98\x80!", '_'), "_!");
}

TEST(Windows1252, FilesReferenceWhatTheCodePageLacks)
{
    // é and € have bytes; Ω, 测 and 😀 are written as their Unicode numbers.
    EXPECT_EQ(Utf8ToWindows1252Referenced("\xC3\xA9\xE2\x82\xAC \xCE\xA9\xE6\xB5\x8B\xF0\x9F\x98\x80!"),
              "\xE9\x80 &#937;&#27979;&#128512;!");
    // A number up to 255 would name a Windows-1252 byte, so a C1 control the code page lacks
    // has none; bytes that are no UTF-8 have none either.
    EXPECT_EQ(Utf8ToWindows1252Referenced("a\xC2\x80" "b\xFF"), "a?b?");
    // The five undefined bytes keep their round trip.
    EXPECT_EQ(Utf8ToWindows1252Referenced(Windows1252ToUtf8("\x81\x8D")), "\x81\x8D");
}

TEST(Utf8, InvalidSequencesDecodeOneByteAtATime)
{
    const struct {
        const char* bytes;
        const char* expected1252;
    } cases[] = {
        {"\x80", "?"},                    // stray continuation byte
        {"a\xC3", "a?"},                  // cut short at the end
        {"\xC3(", "?("},                  // continuation missing
        {"\xE2\x82", "??"},               // three-byte form cut short
        {"\xC0\xAF", "??"},               // overlong '/'
        {"\xE0\x80\xAF", "???"},          // overlong three-byte form
        {"\xED\xA0\x80", "???"},          // surrogate
        {"\xF4\x90\x80\x80", "????"},     // beyond U+10FFFF
        {"\xFF\xFE", "??"},               // never a lead byte
        {"\xF8\x88\x80\x80\x80", "?????"}, // five-byte form does not exist
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWindows1252(c.bytes), c.expected1252) << "bytes: " << testing::PrintToString(c.bytes);
    }

    const std::string text = "\xC3\xA9\xC3";
    size_t pos = 0;
    EXPECT_EQ(DecodeUtf8(text, pos), U'\u00E9');
    EXPECT_EQ(pos, 2U);
    EXPECT_EQ(DecodeUtf8(text, pos), ReplacementCharacter);
    EXPECT_EQ(pos, 3U);
}

TEST(Utf8, EncodesAndDecodesEveryLengthAtItsBoundaries)
{
    for (char32_t codePoint : {0x0U, 0x7FU, 0x80U, 0x7FFU, 0x800U, 0xFFFDU, 0xFFFFU, 0x10000U, 0x10FFFFU}) {
        std::string text;
        AppendUtf8(text, codePoint);
        size_t pos = 0;
        EXPECT_EQ(DecodeUtf8(text, pos), codePoint) << "U+" << std::hex << static_cast<unsigned>(codePoint);
        EXPECT_EQ(pos, text.size());
    }
    std::string text;
    AppendUtf8(text, 0xD800);
    AppendUtf8(text, 0x110000);
    EXPECT_EQ(text, "\xEF\xBF\xBD\xEF\xBF\xBD");
}
