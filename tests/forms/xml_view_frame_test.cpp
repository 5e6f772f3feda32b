#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/xml_view_frame.h"
#include "exception_test_support.h"
#include "foundation/xml_node.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

// A band with attributes, a group of cards (one with a value, one empty), an encoded note,
// and a second top-level element.
class XMLOutlineTest : public ExceptionWindowsTest {
protected:
    void SetUp() override
    {
        ExceptionWindowsTest::SetUp();
        band = document.AddRootNode("Band Name=\"A\" Size=\"3\"");
        cards = band->AddChild("Cards");
        card = cards->AddChildValue("Card Id=\"1\"", "Red");
        empty = cards->AddChild("Empty");
        band->AddChildValue("Note", "a&#38;b");
        second = document.AddRootNode("Second");
        frame = std::make_unique<TfrmTViewXMLFrame>();
        frame->FinishLoading();
    }
    void TearDown() override
    {
        frame.reset();
        ExceptionWindowsTest::TearDown();
    }

    TILTreeNode* Root() const { return frame->lstXML->Root(); }

    // Every row depth first, indented by two blanks a level.
    static std::vector<std::string> Outline(const TILTreeNode* node)
    {
        std::vector<std::string> lines;
        for (const TILTreeNode* child : node->Children()) {
            lines.push_back(std::string(static_cast<std::size_t>(child->Level() - 1) * 2, ' ') + child->GetText());
            for (const std::string& line : Outline(child)) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    TILXMLTree document;
    TILXMLNode* band = nullptr;
    TILXMLNode* cards = nullptr;
    TILXMLNode* card = nullptr;
    TILXMLNode* empty = nullptr;
    TILXMLNode* second = nullptr;
    std::unique_ptr<TfrmTViewXMLFrame> frame;
};

TEST_F(XMLOutlineTest, WithoutOptionsEveryElementIsLinkedAndHasItsClosingRow)
{
    TILTreeNode* first = XMLTreeToTreeNodes(Root(), &document, 0);
    EXPECT_EQ(first, Root()->GetItem(0));
    EXPECT_EQ(Outline(Root()), (std::vector<std::string>{
                                   "<Band  Name=\"A\" Size=\"3\">", "  <Cards>", "    <Card  Id=\"1\">Red</Card>",
                                   "    <Empty></Empty>", "  </Cards>", "  <Note>a&#38;b</Note>", "</Band>",
                                   "<Second></Second>"}));
    EXPECT_EQ(Root()->GetItem(0)->Object(), band);
    EXPECT_EQ(Root()->GetItem(0)->GetItem(0)->GetItem(0)->Object(), card);
    EXPECT_EQ(Root()->GetItem(1)->Object(), nullptr);
    EXPECT_EQ(Root()->GetItem(2)->Object(), second);
}

TEST_F(XMLOutlineTest, TheOptionsLeaveOutClosingRowsDecodeCloseEmptiesAndUnlink)
{
    XMLTreeToTreeNodes(Root(), &document,
                       XMLOutlineNoClosingLines | XMLOutlineDecodeValues | XMLOutlineNoLinks | XMLOutlineCloseEmpty);
    EXPECT_EQ(Outline(Root()), (std::vector<std::string>{"<Band  Name=\"A\" Size=\"3\">", "  <Cards>",
                                                         "    <Card  Id=\"1\">Red</Card>", "    <Empty/>",
                                                         "  <Note>a&b</Note>", "<Second/>"}));
    EXPECT_EQ(Root()->FindByObject(band), nullptr);

    // Attributes stay before the slash; nothing is added for no element or document.
    empty->AddAttribute("Kind", "none");
    EXPECT_EQ(XMLNodeToTreeNode(Root(), empty, XMLOutlineCloseEmpty)->GetText(), "<Empty  Kind=\"none\"/>");
    const int rows = Root()->GetCount();
    const TILXMLTree emptyDocument;
    EXPECT_EQ(XMLNodeToTreeNode(Root(), nullptr, 0), nullptr);
    EXPECT_EQ(XMLTreeToTreeNodes(Root(), nullptr, 0), nullptr);
    EXPECT_EQ(XMLTreeToTreeNodes(Root(), &emptyDocument, 0), nullptr);
    EXPECT_EQ(Root()->GetCount(), rows);
}

TEST_F(XMLOutlineTest, TheFrameShowsADocumentWithoutClosingRowsAndFindsElementRows)
{
    frame->SetXML(&document);
    EXPECT_EQ(frame->XML(), &document);
    EXPECT_EQ(Outline(Root()), (std::vector<std::string>{"<Band  Name=\"A\" Size=\"3\">", "  <Cards>",
                                                         "    <Card  Id=\"1\">Red</Card>", "    <Empty></Empty>",
                                                         "  <Note>a&#38;b</Note>", "<Second></Second>"}));
    EXPECT_EQ(frame->lstXML->UpdateCount(), 0);
    ASSERT_NE(frame->FindElementRow(card), nullptr);
    EXPECT_EQ(frame->FindElementRow(card)->Parent()->Object(), cards);
    // The root carries no element either.
    EXPECT_EQ(frame->FindElementRow(nullptr), nullptr);

    TILXMLTree other;
    other.AddRootNode("Other");
    frame->SetXML(&other);
    EXPECT_EQ(Outline(Root()), std::vector<std::string>{"<Other></Other>"});
    EXPECT_EQ(frame->FindElementRow(card), nullptr);
    frame->SetXML(nullptr);
    EXPECT_EQ(Root()->GetCount(), 0);
}

} // namespace
