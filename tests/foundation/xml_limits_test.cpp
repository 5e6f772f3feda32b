// Files far beyond anything the program writes: very deep nesting and one very long line.
// The reader must answer with its own error or a tree, never exhaust the stack, and take
// time in proportion to the file. Nothing here measures time: a reader that rescans the
// line for every element would not finish at all within the test timeout.

#include <gtest/gtest.h>

#include <string>

#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "xml_test_support.h"

namespace {

constexpr std::size_t LineLength = 50 * 1024 * 1024;

// The message of the error the reader raises for the text; empty when it parses.
std::string ParseError(std::string_view text)
{
    TILXMLTree tree;
    try {
        tree.ParseText(text);
    } catch (const fw::Exception& error) {
        return error.Message();
    }
    return {};
}

bool Contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(XMLLimits, TenThousandNestedElementsAreRefusedWithoutExhaustingTheStack)
{
    NameCheckGuard check(true);
    std::string oneLine;
    std::string perLine;
    for (int i = 0; i < 10000; ++i) {
        oneLine += "<e>";
        perLine += "<e n=\"" + std::to_string(i) + "\">\r\n";
    }
    for (int i = 0; i < 10000; ++i) {
        oneLine += "</e>";
        perLine += "</e>\r\n";
    }
    const std::string depthError = "Elements are nested deeper than " + std::to_string(MaxXMLDepth) + " levels.";
    const std::string oneLineError = ParseError(oneLine);
    EXPECT_TRUE(Contains(oneLineError, "Error in XML structure.")) << oneLineError;
    EXPECT_TRUE(Contains(oneLineError, depthError)) << oneLineError;
    // The report points at the start tag of the first element too deep.
    const std::string perLineError = ParseError(perLine);
    EXPECT_TRUE(Contains(perLineError, "Line " + std::to_string(MaxXMLDepth + 1) + "\r\nPosition 1\r\n"))
        << perLineError;
    EXPECT_TRUE(Contains(perLineError, depthError));
}

TEST(XMLLimits, FiftyMegabyteLineIsReadWhole)
{
    NameCheckGuard check(true);
    const std::string text(LineLength, 'x');
    TILXMLTree tree;

    tree.ParseText("<a>" + text + "</a>");
    ASSERT_EQ(tree.TopNodeCount(), 1);
    EXPECT_EQ(tree.GetTopNode(0)->Value().size(), LineLength);
    EXPECT_EQ(tree.BuildXML(), "<a>" + text + "</a>\r\n");

    tree.ParseText("<a v=\"" + text + "\"/>");
    EXPECT_EQ(tree.GetTopNode(0)->GetAttribute("v"), text);

    tree.ParseText("<a><![CDATA[" + text + "]]></a>");
    EXPECT_EQ(tree.GetTopNode(0)->Value().size(), LineLength);
    EXPECT_TRUE(tree.GetTopNode(0)->CData());

    // Many elements on one line: each must cost its own length, not the rest of the line's.
    const std::string filler(480, 'y');
    std::string siblings = "<r>";
    int count = 0;
    while (siblings.size() < LineLength) {
        siblings += "<p i=\"" + std::to_string(count++) + "\">" + filler + "</p>";
    }
    siblings += "</r>";
    tree.ParseText(siblings);
    ASSERT_EQ(tree.GetTopNode(0)->ChildCount(), count);
    EXPECT_EQ(tree.GetTopNode(0)->GetChild(count - 1)->GetAttribute("i"), std::to_string(count - 1));
    EXPECT_EQ(tree.GetTopNode(0)->GetChild(count - 1)->Value(), filler);
}

TEST(XMLLimits, FiftyMegabyteLineWithoutItsEndFailsCleanly)
{
    NameCheckGuard check(false);
    const std::string text(LineLength, 'a');
    EXPECT_TRUE(Contains(ParseError("<" + text), "No '>' found to close the tag"));
    EXPECT_TRUE(Contains(ParseError(std::string(LineLength, '<')), "No '>' found to close the tag"));
    EXPECT_TRUE(Contains(ParseError("<a><![CDATA[" + text), "No end of CDATA section found"));
    EXPECT_TRUE(Contains(ParseError("<a><!--" + text), "No end tag found - need </a>."));
    EXPECT_TRUE(Contains(ParseError("<a>" + text), "No end tag found - need </a>."));
    // Every quote + space splits the attributes; none of these pieces makes one.
    std::string pieces = "<a x=\"1";
    while (pieces.size() < LineLength) {
        pieces += "\" ";
    }
    TILXMLTree tree;
    tree.ParseText(pieces + "/>");
    EXPECT_EQ(tree.GetTopNode(0)->AttributeCount(), 1);
}
