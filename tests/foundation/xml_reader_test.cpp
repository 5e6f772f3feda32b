#include <gtest/gtest.h>

#include "support/raised_message.h"
#include "support/scratch_folder.h"

#include <filesystem>
#include <fstream>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "xml_test_support.h"

namespace {

// The message of the parse error for the text, empty when it parses.
std::string ParseError(std::string_view text)
{
    TILXMLTree tree;
    return RaisedMessage([&] { tree.ParseText(text); });
}

TILXMLNode* ParseSingle(TILXMLTree& tree, std::string_view text)
{
    tree.ParseText(text);
    EXPECT_EQ(tree.TopNodeCount(), 1);
    return tree.TopNodeCount() > 0 ? tree.GetTopNode(0) : nullptr;
}

} // namespace

TEST(XMLReading, ValuesOverOneOrSeveralLines)
{
    TILXMLTree tree;
    EXPECT_EQ(ParseSingle(tree, "<a>x</a>")->Value(), "x");
    EXPECT_EQ(ParseSingle(tree, "<a>\r\nx\r\n</a>")->Value(), "x");
    EXPECT_EQ(ParseSingle(tree, "<a>x\ny</a>")->Value(), "xy");
    EXPECT_EQ(ParseSingle(tree, "<a>  x y  </a>")->Value(), "x y  ");
    EXPECT_EQ(ParseSingle(tree, "<a>&#65;&amp;</a>")->Value(), "&#65;&amp;");
    EXPECT_FALSE(tree.GetTopNode(0)->CData());
}

TEST(XMLReading, CDataKeepsLineBreaksBlankLinesAndAdjacentSections)
{
    TILXMLTree tree;
    TILXMLNode* node = ParseSingle(tree, "<a><![CDATA[one\r\ntwo]]></a>");
    EXPECT_EQ(node->Value(), "one\r\ntwo");
    EXPECT_TRUE(node->CData());
    EXPECT_EQ(ParseSingle(tree, "<a><![CDATA[one\n\n  \nfour]]></a>")->Value(), "one\r\n\r\n  \r\nfour");
    EXPECT_EQ(ParseSingle(tree, "<a><![CDATA[x]]]]><![CDATA[>y]]></a>")->Value(), "x]]>y");
    EXPECT_EQ(ParseSingle(tree, "<a>\n  <![CDATA[<b>&#1;]]>\n</a>")->Value(), "<b>&#1;");
}

TEST(XMLReading, EmptyElementsInEveryForm)
{
    for (const char* text : {"<a/>", "<a />", "<a></a>", "<a>\n</a>", "<a>\n\n   \n</a>"}) {
        TILXMLTree tree;
        TILXMLNode* node = ParseSingle(tree, text);
        ASSERT_NE(node, nullptr) << text;
        EXPECT_EQ(node->Tag(), "a") << text;
        EXPECT_FALSE(node->HasValue()) << text;
        EXPECT_EQ(node->ChildCount(), 0) << text;
    }
}

TEST(XMLReading, TopLevelElementsCommentsAndDeclarations)
{
    TILXMLTree tree;
    tree.ParseText("<?xml version=\"1.0\"?>\n<!DOCTYPE x>\n<!-- one\ntwo -->\n<a/>\n<b><!-- c --><c/></b>\n<!-- end -->\n");
    ASSERT_EQ(tree.TopNodeCount(), 2);
    EXPECT_EQ(tree.GetTopNode(1)->GetChild(0)->Tag(), "c");

    tree.ParseText("<!-- only a comment -->");
    EXPECT_EQ(tree.TopNodeCount(), 0);
    tree.ParseText("");
    EXPECT_EQ(tree.TopNodeCount(), 0);
    tree.ParseText("\n  \n\t\n");
    EXPECT_EQ(tree.TopNodeCount(), 0);
}

TEST(XMLReading, AttributesInDoubleOrSingleQuotesAreDecoded)
{
    TILXMLTree tree;
    TILXMLNode* node = ParseSingle(tree, "<Pack Name='Left border' Cards='1,2,3'/>");
    EXPECT_EQ(node->GetAttribute("Name"), "Left border");
    EXPECT_EQ(node->GetAttribute("Cards"), "1,2,3");
    node = ParseSingle(tree, "<Pack\n  Name=\"a&#34; b&#62;\"\n  Empty=\"\" None=>x</Pack>");
    EXPECT_EQ(node->GetAttribute("Name"), "a\" b>");
    ASSERT_EQ(node->AttributeCount(), 2);
    // Names are trimmed: hand-edited files may hold more than one blank between attributes.
    EXPECT_EQ(node->Attribute(1).Name, "Empty");
    EXPECT_EQ(node->Attribute(1).Value, "");
    EXPECT_EQ(node->Value(), "x");
}

TEST(XMLReading, ErrorsNameTheLineAndPosition)
{
    // The position is the cursor's after the failing read.
    EXPECT_EQ(ParseError("<a>\n  <b>x</b>\n</c>"),
              "Error in XML structure.\r\nLine 3\r\nPosition 5\r\n\r\nIncorrect tag - found </c>, need </a>.");
    EXPECT_EQ(ParseError("<a>\n  <b>x</b>\n</c> "),
              "Error in XML structure.\r\nLine 3\r\nPosition 5\r\n\r\nIncorrect tag - found </c>, need </a>.");
    EXPECT_EQ(ParseError("<a><b>x</b>text</a>"),
              "Error in XML structure.\r\nLine 1\r\nPosition 12\r\n\r\nExpecting a '<' tag identifier.");
    EXPECT_EQ(ParseError("<a>x<b>"),
              "Error in XML structure.\r\nLine 1\r\nPosition 6\r\n\r\nExpecting an end tag - no '/' found.");
    EXPECT_EQ(ParseError("<a>\n<b/>"), "Error in XML structure.\r\nLine 2\r\nPosition 5\r\n\r\nNo end tag found - need </a>.");
    // A file cut short is reported at the end of its last line, not on a line it does not have.
    EXPECT_EQ(ParseError("<a>\r\n  <b>text</b>\r\n\r\n  \r\n"),
              "Error in XML structure.\r\nLine 2\r\nPosition 14\r\n\r\nNo end tag found - need </a>.");
    EXPECT_EQ(ParseError("<a>x</a/>"), "Error in XML structure.\r\nLine 1\r\nPosition 9\r\n\r\nInvalid end tag </a/>.");
    EXPECT_EQ(ParseError("text"), "Error in XML structure.\r\nLine 1\r\nPosition 1\r\n\r\nExpecting a '<' tag identifier.");
    EXPECT_NE(ParseError("<a><![CDATA[never ends\n</a>").find("No end of CDATA section found"), std::string::npos);
    EXPECT_NE(ParseError("<a attr=\"x\"").find("No '>' found"), std::string::npos);

    TILXMLTree tree;
    try {
        tree.ParseText("<a></b>");
        FAIL();
    } catch (const TGenericException& error) {
        ASSERT_EQ(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "Parse");
        EXPECT_EQ(error.GetInfo(0)->SenderName, "TILXMLTree");
        EXPECT_EQ(error.GetInfo(1)->Message, "Incorrect tag - found </b>, need </a>.");
    }
}

TEST(XMLReading, NameCheckErrorsAreChainedIntoTheReport)
{
    NameCheckGuard check(true);
    const std::string message = ParseError("<1a/>");
    EXPECT_EQ(message.rfind("Error in XML structure.", 0), 0u);
    EXPECT_NE(message.find("Invalid Node Tag <1a>:"), std::string::npos);
    SetXMLNameCheck(false);
    EXPECT_EQ(ParseError("<1a/>"), "");
}

TEST(XMLReading, NestingDeeperThanTheLimitIsRefused)
{
    std::string deep;
    for (int i = 0; i < MaxXMLDepth + 1; ++i) {
        deep += "<a>";
    }
    EXPECT_NE(ParseError(deep).find("nested deeper than"), std::string::npos);
    std::string fine;
    for (int i = 0; i < MaxXMLDepth; ++i) {
        fine += "<a>";
    }
    for (int i = 0; i < MaxXMLDepth; ++i) {
        fine += "</a>";
    }
    EXPECT_EQ(ParseError(fine), "");
}

TEST(XMLFiles, WriterLayoutByteForByte)
{
    TILXMLTree tree;
    TILXMLNode* data = tree.AddRootNode("TWData");
    data->AddChildValue("Source", "Tavelin");
    data->AddChildValue("Version", "1.17");
    TILXMLNode* pattern = data->AddChild("Pattern Type=\"Threaded-in\"");
    pattern->AddChild("Empty");
    pattern->AddChildValue("Name", "Band 1 <test>", true);
    pattern->AddChild("Pack")->AddAttribute("Name", "a \"b\" & c");
    pattern->WriteTextLines("Notes", "first\r\nsecond");
    tree.AddRootNode("Second");
    const std::string expected =
        "<TWData>\r\n"
        "  <Source>Tavelin</Source>\r\n"
        "  <Version>1.17</Version>\r\n"
        "  <Pattern Type=\"Threaded-in\">\r\n"
        "    <Empty/>\r\n"
        "    <Name><![CDATA[Band 1 <test>]]></Name>\r\n"
        "    <Pack Name=\"a &#34;b&#34; &#38; c\"/>\r\n"
        "    <Notes>\r\n"
        "      <L1><![CDATA[first]]></L1>\r\n"
        "      <L2><![CDATA[second]]></L2>\r\n"
        "    </Notes>\r\n"
        "  </Pattern>\r\n"
        "</TWData>\r\n"
        "<Second/>\r\n";
    EXPECT_EQ(tree.BuildXML(), expected);
    const std::string flat = tree.BuildXML(false);
    EXPECT_EQ(flat.substr(0, 49), "<TWData>\r\n<Source>Tavelin</Source>\r\n<Version>1.17");
    // Forty spaces of indentation in all.
    EXPECT_EQ(flat.size(), expected.size() - 40);

    TILXMLTree reread;
    reread.ParseText(expected);
    EXPECT_EQ(reread.BuildXML(), expected);
    EXPECT_EQ(reread.FindTag("Pack", true)->GetAttribute("Name"), "a \"b\" & c");
}

TEST(XMLFiles, CDataHoldingItsTerminatorRoundTrips)
{
    TILXMLTree tree;
    tree.AddRootNode("a")->AddChildValue("b", "x]]>y]]>", true);
    const std::string text = tree.BuildXML();
    EXPECT_EQ(text, "<a>\r\n  <b><![CDATA[x]]]]><![CDATA[>y]]]]><![CDATA[>]]></b>\r\n</a>\r\n");
    TILXMLTree reread;
    reread.ParseText(text);
    EXPECT_EQ(reread.FindTag("b", true)->Value(), "x]]>y]]>");
}

TEST(XMLFiles, SavedAsWindows1252AndNeverOverwrittenUnasked)
{
    const auto folder = UniqueScratchFolder("tavelin_xml_files");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto file = folder / "pattern.tvl";

    TILXMLTree tree;
    TILXMLNode* top = tree.AddRootNode("TWData");
    top->AddChildValue("Name", "Brücke €");
    top->AddChildValue("Coded", "é");
    top->FindChild("Coded")->SetValue("&#233;");
    tree.BuildXML(file, false);
    EXPECT_EQ(fw::ReadFileBytes(file), "<TWData>\r\n  <Name>Br\xFC" "cke \x80</Name>\r\n  <Coded>&#233;</Coded>\r\n</TWData>\r\n");

    try {
        tree.BuildXML(file, false);
        FAIL();
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Unable to save XML file as file already exists.\r\nFilename: " + file.string());
        EXPECT_EQ(error.GetInfo(0)->MethodName, "BuildXML");
    }
    top->AddChild("More");
    tree.BuildXML(file, true);

    TILXMLTree reread;
    reread.LoadFromFile(file);
    EXPECT_EQ(reread.GetTagValue("Name", true), "Brücke €");
    EXPECT_NE(reread.FindTag("More", false), nullptr);
    EXPECT_THROW(reread.LoadFromFile(folder / "missing.tvl"), fw::EFileError);
    std::filesystem::remove_all(folder);
}

TEST(XMLFiles, ParseLinesTakesTheLinesAsGiven)
{
    fw::StringList lines{"<a>", "  <b>1</b>", "", "  <c/>", "</a>"};
    TILXMLTree tree;
    tree.ParseLines(lines);
    ASSERT_EQ(tree.TopNodeCount(), 1);
    EXPECT_EQ(tree.GetTopNode(0)->ChildCount(), 2);
    tree.ParseLines(fw::StringList{});
    EXPECT_EQ(tree.TopNodeCount(), 0);
}

TEST(XMLFiles, BlanksAtTheEdgesOfNamesAndValuesSurviveSaving)
{
    TILXMLTree tree;
    TILXMLNode* node = tree.AddRootNode("Pack");
    node->AddAttribute("Name", "  two leading");
    node->AddAttribute("Comment", "trailing ");
    const std::string text = tree.BuildXML();
    EXPECT_EQ(text, "<Pack Name=\"&#32; two leading\" Comment=\"trailing \"/>\r\n");
    TILXMLTree reread;
    reread.ParseText(text);
    EXPECT_EQ(reread.GetTopNode(0)->GetAttribute("Name"), "  two leading");
    EXPECT_EQ(reread.GetTopNode(0)->GetAttribute("Comment"), "trailing ");

    reread.ParseText("<a\t x/>");
    EXPECT_EQ(reread.GetTopNode(0)->Tag(), "a");
}

// Line breaks of every kind at every place, across the blocks the reader searches them in:
// a CDATA section keeps its lines, each break read as one CR LF, and the reader ends on the
// right line.
TEST(XMLReaderLines, EveryKindOfLineBreakAnywhereIsOneBreak)
{
    std::uint32_t state = 12345;
    const auto below = [&state](std::uint32_t bound) {
        state = state * 1664525U + 1013904223U;
        return (state >> 8) % bound;
    };
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (std::uint32_t length = below(80); length > 0; --length) {
            const std::uint32_t pick = below(12);
            text += pick == 0 ? std::string("\r\n") : pick == 1 ? std::string("\r") : pick == 2 ? std::string("\n")
                                                                      : std::string(1, static_cast<char>('a' + below(26)));
        }
        // CR LF, a CR alone and an LF alone are each one break.
        std::string expected;
        int breaks = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r' && text[i] != '\n') {
                expected += text[i];
                continue;
            }
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            expected += "\r\n";
            ++breaks;
        }
        const std::string source = "<a><![CDATA[" + text + "]]></a>\r\n<b>";
        SCOPED_TRACE(source);
        TILXMLTree tree;
        try {
            tree.ParseText(source);
            ADD_FAILURE() << "the unclosed <b> was not refused";
        } catch (const TGenericException& error) {
            EXPECT_NE(error.Message().find("Line " + std::to_string(breaks + 2) + "\r\n"), std::string::npos)
                << error.Message();
        }
        TILXMLTree good;
        good.ParseText("<a><![CDATA[" + text + "]]></a>");
        ASSERT_EQ(good.TopNodeCount(), 1);
        EXPECT_EQ(good.GetTopNode(0)->Value(), expected);
    }
}
