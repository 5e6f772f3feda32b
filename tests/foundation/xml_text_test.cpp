#include <gtest/gtest.h>

#include "foundation/xml_node.h"
#include "foundation/xml_text.h"

TEST(XMLTextEscaping, EncodeUsesWindows1252CodesAndUnicodeBeyond)
{
    EXPECT_EQ(EncodeXMLText("a\tb"), "a&#9;b");
    EXPECT_EQ(EncodeXMLText("<&>[]\"'"), "&#60;&#38;&#62;&#91;&#93;\"'");
    EXPECT_EQ(EncodeXMLText("é€"), "&#233;&#128;");
    EXPECT_EQ(EncodeXMLText("Ω"), "&#937;");
    EXPECT_EQ(EncodeXMLText("line\r\nnext"), "line&#13;&#10;next");
}

TEST(XMLTextEscaping, DecodeReadsDecimalReferencesOnly)
{
    EXPECT_EQ(DecodeXMLText("&#65;"), "A");
    EXPECT_EQ(DecodeXMLText("&#x41;"), " ");
    EXPECT_EQ(DecodeXMLText("&#-5;x"), " x");
    EXPECT_EQ(DecodeXMLText("&#;"), " ");
    EXPECT_EQ(DecodeXMLText("&#99999999999;"), " ");
    EXPECT_EQ(DecodeXMLText("&amp; & &#38"), "&amp; & &");
    EXPECT_EQ(DecodeXMLText("&#233;&#128;&#937;"), "é€Ω");
    EXPECT_EQ(DecodeXMLText("&#55296;"), " ");
    for (const std::string text : {"plain", "a&b[c]<d>", "tab\there", "é€Ω\x01", ""}) {
        EXPECT_EQ(DecodeXMLText(EncodeXMLText(text)), text) << text;
    }
}

TEST(XMLTextEscaping, CDataTextsStayAsTypedExceptWhatTheCodePageLacks)
{
    // Latin-1 and a lone "&" stay as they are, as older files have them.
    EXPECT_EQ(EncodeCDataText("Müller & Söhne [x] <y>"), "Müller & Söhne [x] <y>");
    EXPECT_EQ(EncodeCDataText("测试 Ωmega 😀"), "&#27979;&#35797; &#937;mega &#128512;");
    // Text that looks like a reference is kept apart from the references written.
    EXPECT_EQ(EncodeCDataText("&#65; &#"), "&#38;#65; &#38;#");
    EXPECT_EQ(EncodeCDataText("\xC2\x80"), "&#65533;");
    EXPECT_EQ(EncodeCDataText("a\r\nb\tc\rd\ne\x01"), "a\r\nb\tc&#13;d&#10;e&#1;");
    for (const std::string text : {"", "plain", "Müller & Söhne", "测试 Ωmega é\r\n😀", "&#65; &#x41; &&#937;#",
                                   "&#", "a&#12", "\r\r\n\n\x01"}) {
        EXPECT_EQ(DecodeCDataText(EncodeCDataText(text)), text) << text;
    }
    // Only complete decimal references are read; anything else an older file holds stays.
    EXPECT_EQ(DecodeCDataText("&#233;&#937;&#38;"), "éΩ&");
    EXPECT_EQ(DecodeCDataText("&#x41; &#12 &#; &# &#99999999; &#55296;"), "&#x41; &#12 &#; &# &#99999999; &#55296;");
}

TEST(XMLTextEscaping, AttributeValuesKeepQuotesAndTagsOut)
{
    EXPECT_EQ(EncodeXMLAttribute("a\" b>c&d<é"), "a&#34; b&#62;c&#38;d&#60;&#233;");
    EXPECT_EQ(DecodeXMLAttribute("a&#34; b"), "a\" b");
}

TEST(XMLTextLines, WrittenAsNumberedCDataLinesAndReadBackInNumericOrder)
{
    TILXMLTree tree;
    TILXMLNode* top = tree.AddRootNode("Pattern");
    std::string text;
    for (int i = 1; i <= 11; ++i) {
        text += "line " + std::to_string(i) + (i == 3 ? " & [x]" : "") + "\r\n";
    }
    text += "last";
    TILXMLNode* notes = top->WriteTextLines("Notes", text);
    EXPECT_TRUE(notes->CData());
    ASSERT_EQ(notes->ChildCount(), 12);
    EXPECT_EQ(notes->GetChild(2)->Value(), "line 3 &#38; &#91;x&#93;");
    EXPECT_TRUE(notes->GetChild(0)->CData());
    EXPECT_EQ(top->ReadTextLines("Notes"), text);

    TILXMLTree reread;
    reread.ParseText(tree.BuildXML());
    EXPECT_EQ(reread.GetTopNode(0)->ReadTextLines("Notes"), text);

    // Without a tag the node's own children are read, by number, not by position or tag text.
    TILXMLNode own;
    own.AddChildValue("L10", "ten");
    own.AddChildValue("L9", "nine");
    own.AddChildValue("Other", "skip");
    own.AddChildValue("L", "no number");
    own.AddChildValue("L9", "second nine");
    own.AddChildValue("LX", "no number");
    EXPECT_EQ(own.ReadTextLines(""), "nine\r\nten");
    EXPECT_EQ(top->ReadTextLines("Missing"), "");

    TILXMLNode* empty = top->WriteTextLines("Empty", "");
    EXPECT_EQ(empty->ChildCount(), 0);
    EXPECT_EQ(top->ReadTextLines("Empty"), "");
}
