#include <gtest/gtest.h>

#include <string>

#include "foundation/generic_exception.h"
#include "foundation/xml_file_text.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "support/utf16_bytes.h"

namespace {

// The message the bytes are refused with, empty when they are read.
std::string RefusalOf(const std::string& bytes)
{
    TILXMLTree tree;
    try {
        tree.ParseFileBytes(bytes);
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->MethodName, "LoadFromFile");
        return error.Message();
    }
    return {};
}

} // namespace

// Windows-1252, as the program writes files, and UTF-8 after its byte-order mark, as text
// editors save them, read to the same text; the mark is no part of the document.
TEST(StoredFileText, Utf8AfterItsByteOrderMarkReadsLikeWindows1252)
{
    TILXMLTree stored;
    stored.ParseFileBytes("<TWData>\r\n  <Name>Br\xFC" "cke \x80</Name>\r\n</TWData>\r\n");
    TILXMLTree marked;
    marked.ParseFileBytes("\xEF\xBB\xBF<TWData>\r\n  <Name>Br\xC3\xBC" "cke \xE2\x82\xAC</Name>\r\n</TWData>\r\n");
    for (const TILXMLTree* tree : {&stored, &marked}) {
        ASSERT_EQ(tree->TopNodeCount(), 1);
        EXPECT_EQ(tree->GetTopNode(0)->Tag(), "TWData");
        EXPECT_EQ(tree->GetTagValue("TWData/Name", true), "Brücke €");
    }
    // A document of nothing but the mark is an empty one.
    EXPECT_EQ(RefusalOf("\xEF\xBB\xBF"), "");
    EXPECT_EQ(StoredFileTextToUtf8("\xEF\xBB\xBF<a/>", nullptr), "<a/>");

    EXPECT_EQ(RefusalOf("\xEF\xBB\xBF<a>ok \xFC</a>"), "The file's UTF-8 text is damaged at byte 10.");
    EXPECT_EQ(RefusalOf("\xEF\xBB\xBF<a>\xE2\x82</a>"), "The file's UTF-8 text is damaged at byte 7.");
}

// UTF-16 in either byte order, with its mark or told by its first character, reads as the
// same document; characters beyond Windows-1252, and beyond 16 bits, are kept, and numeric
// references keep the meaning of the stored files.
TEST(StoredFileText, Utf16InEitherByteOrderIsRead)
{
    const std::u16string text = u"<TWData>\r\n  <Name>Br\u00FCcke \u20AC \u2603 \U0001F600</Name>\r\n"
                                u"  <Notes>&#150;&#9731;</Notes>\r\n</TWData>\r\n";
    for (const bool bigEndian : {false, true}) {
        for (const bool mark : {true, false}) {
            TILXMLTree tree;
            tree.ParseFileBytes(Utf16Bytes(text, bigEndian, mark));
            EXPECT_EQ(tree.GetTagValue("TWData/Name", true), "Brücke € ☃ 😀") << bigEndian << mark;
            EXPECT_EQ(DecodeXMLText(tree.GetTagValue("TWData/Notes", true)), "–☃") << bigEndian << mark;
        }
    }
    // White space before the first element tells the byte order as well as "<" does.
    TILXMLTree spaced;
    spaced.ParseFileBytes(Utf16Bytes(u"\r\n<a>x</a>", true, false));
    EXPECT_EQ(spaced.GetTagValue("a", true), "x");
}

// UTF-16 that is cut short or holds half a surrogate pair, and UTF-32, are refused with
// their encoding named, never misread.
TEST(StoredFileText, DamagedUtf16AndUtf32AreRefusedNamingTheEncoding)
{
    EXPECT_EQ(RefusalOf(Utf16Bytes(u"<a>x</a>", false, true) + "<"),
              "The file's UTF-16 text is damaged at byte 19.");
    EXPECT_EQ(RefusalOf(Utf16Bytes(u"<a>\xD83D</a>", false, true)),
              "The file's UTF-16 text is damaged at byte 9.");
    EXPECT_EQ(RefusalOf(Utf16Bytes(u"<a>\xDE00</a>", true, false)),
              "The file's UTF-16 text is damaged at byte 7.");
    EXPECT_EQ(RefusalOf(Utf16Bytes(u"<a>\xD83D", true, false)), "The file's UTF-16 text is damaged at byte 7.");
    const std::string utf32Refusal =
        "The file is saved as UTF-32, which cannot be read.\r\nSave it as UTF-8 or ANSI (Windows-1252).";
    EXPECT_EQ(RefusalOf(std::string("\xFF\xFE\0\0<\0\0\0", 8)), utf32Refusal);
    EXPECT_EQ(RefusalOf(std::string("\0\0\xFE\xFF\0\0\0<", 8)), utf32Refusal);
}
