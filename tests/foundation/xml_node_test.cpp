#include <gtest/gtest.h>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "xml_test_support.h"

namespace {

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const fw::Exception& error) {
        return error.Message();
    }
    return "(nothing raised)";
}

} // namespace

TEST(XMLNameCheck, MessagesForEveryKindOfBadName)
{
    NameCheckGuard check(true);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1abc", "Name must begin with a letter or an underscore."},
        {"XMLdata", "Name may not start with uppercase 'XML'."},
        {"a b", "Name contains invalid character:  "},
        {"a$b", "Name contains invalid character: $"},
        {":a", "Initial or trailing colon not allowed in a namespace definition."},
        {"a:", "Initial or trailing colon not allowed in a namespace definition."},
        {"a:b:c", "More than one colon not allowed in a namespace definition."},
        {"XMLns:a", "Namespace may not start with uppercase 'XML'."},
        {"9ns:a", "Namespace must begin with a letter or an underscore."},
        {"n%s:a", "Namespace contains invalid character: %"},
        {"ns:9a", "Name must begin with a letter or an underscore."},
        {"aé", "Name contains invalid character: é"},
    };
    for (const auto& entry : cases) {
        const std::string& name = entry.first;
        EXPECT_EQ(MessageOf([&] { ValidateXMLTag(name, false); }),
                  "Invalid Node Tag <" + name + ">:\r\n\r\n" + entry.second)
            << name;
    }
    EXPECT_EQ(MessageOf([] { ValidateXMLTag("1x", true); }),
              "Invalid Attribute Name <1x>:\r\n\r\nName must begin with a letter or an underscore.");
    try {
        ValidateXMLTag("1x", false);
    } catch (const TGenericException& error) {
        ASSERT_EQ(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "ValidateXMLTag");
        EXPECT_EQ(error.GetInfo(0)->SenderName, "");
    }
    for (const char* good : {"xml:lang", "_a.b-c", "Pattern", "  Name  ", "", "ns:Name"}) {
        EXPECT_NO_THROW(ValidateXMLTag(good, false)) << good;
    }
}

TEST(XMLNameCheck, OffUnlessForced)
{
    NameCheckGuard check(false);
    TILXMLTree tree;
    TILXMLNode* top = tree.AddRootNode("TWData");
    EXPECT_EQ(top->AddChild("1abc")->Tag(), "1abc");
    EXPECT_THROW(ValidateXMLTag("1abc", false, true), TGenericException);
    SetXMLNameCheck(true);
    EXPECT_THROW(top->AddChild("1abc"), TGenericException);
    EXPECT_EQ(top->ChildCount(), 1);
}

TEST(XMLNodeAttributes, OrderedWithDuplicatesAndSetOrCreate)
{
    NameCheckGuard check(true);
    TILXMLTree tree;
    TILXMLNode* node = tree.AddRootNode("Pack Name=\"Border\" Cards=\"1,2\"");
    EXPECT_EQ(node->Tag(), "Pack");
    node->AddAttribute("Name", "Second");
    ASSERT_EQ(node->AttributeCount(), 3);
    EXPECT_EQ(node->GetAttribute("Name"), "Border");
    EXPECT_EQ(node->GetAttribute("name"), "");
    EXPECT_EQ(node->AttributesText(), " Name=\"Border\" Cards=\"1,2\" Name=\"Second\"");

    EXPECT_FALSE(node->SetAttribute("Colour", "1", false));
    EXPECT_EQ(node->AttributeCount(), 3);
    EXPECT_TRUE(node->SetAttribute("Name", "First", false));
    EXPECT_EQ(node->Attribute(0).Value, "First");
    EXPECT_EQ(node->Attribute(2).Value, "Second");
    EXPECT_TRUE(node->SetAttribute("Colour", "1", true));
    EXPECT_EQ(node->Attribute(3).Name, "Colour");
    EXPECT_THROW(node->Attribute(4), fw::EListError);
    EXPECT_THROW(node->SetAttribute("2x", "", true), TGenericException);

    EXPECT_EQ(MessageOf([&] { node->AddAttributes({"a", "1", "b"}); }),
              "The number of attribute names does not match the number of attribute values!");
    node->AddAttributes({});
    EXPECT_EQ(node->AttributeCount(), 4);
    TILXMLNode* child = node->AddChildWithAttributes("Card", true, {"Holes", "4", "Threading", "S"});
    EXPECT_TRUE(child->CData());
    EXPECT_EQ(child->GetAttribute("Threading"), "S");
}

TEST(XMLNodeSearch, TagSearchOrderAndMessages)
{
    TILXMLTree tree;
    TILXMLNode* data = tree.AddRootNode("TWData");
    TILXMLNode* first = data->AddChild("Source");
    first->AddChildValue("Deep", "no");
    TILXMLNode* pattern = data->AddChild("Pattern");
    TILXMLNode* cards = pattern->AddChild("Cards");
    TILXMLNode* card = cards->AddChildValue("Card", "c1");
    pattern->AddChildValue("Card", "direct");

    EXPECT_EQ(data->FindTag("Cards", false, true, true), cards);
    // Direct children come before deeper matches.
    EXPECT_EQ(pattern->FindTag("Card", false, true, false)->Value(), "direct");
    EXPECT_EQ(cards->FindTag("Cards", true, false, false), cards);
    EXPECT_EQ(cards->FindTag("Cards", false, false, false), nullptr);
    EXPECT_EQ(data->FindTag("Cards", false, false, false), nullptr);
    EXPECT_EQ(data->GetTagValue("Deep", false, true, false), "no");
    EXPECT_EQ(data->FindChild("Pattern"), pattern);
    EXPECT_EQ(card->GetPath(), "TWData/Pattern/Cards/Card");
    EXPECT_EQ(card->Tree(), &tree);

    EXPECT_EQ(MessageOf([&] { data->FindTag("Missing", false, true, true); }), "Tag <Missing> not found.");
    try {
        data->FindTag("Missing", false, true, true);
    } catch (const TGenericException& error) {
        ASSERT_EQ(error.InfoCount(), 1);
        EXPECT_EQ(error.GetInfo(0)->SenderName, "TILXMLNode");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "FindTag");
    }

    // Paths match on their last characters, by plain comparison.
    EXPECT_EQ(data->FindPath("Data/Pattern", true, false), pattern);
    EXPECT_EQ(data->FindTag("Pattern/Cards", false, true, false), cards);
    EXPECT_EQ(pattern->FindPath("TWData/Pattern", false, false), nullptr);
    EXPECT_EQ(MessageOf([&] { data->FindPath("X/Y", true, true); }), "Path <X/Y> not found.");

    EXPECT_EQ(tree.FindTag("TWData/Pattern", true), pattern);
    // At every level the direct children come before the subtrees.
    EXPECT_EQ(tree.GetTagValue("Card", false), "direct");
    TILXMLTree empty;
    empty.AddRootNode("TVL");
    EXPECT_EQ(MessageOf([&] { empty.FindTag("TWData/Pattern", true); }), "Tag <TWData/Pattern> not found.");
    EXPECT_EQ(empty.FindTag("TWData/Pattern", false), nullptr);
}

TEST(XMLNodeCopy, AssignCopiesDeeplyFromNodesAndTrees)
{
    TILXMLTree source;
    TILXMLNode* top = source.AddRootNode("TWData Version=\"1\"");
    top->AddChildValue("Name", "Band", true);
    top->AddChild("Picks")->AddChild("Pick Index=\"1\"");
    source.AddRootNode("Second");

    TILXMLTree copy;
    copy.AddRootNode("Old");
    copy.Assign(&source);
    ASSERT_EQ(copy.TopNodeCount(), 2);
    EXPECT_EQ(copy.BuildXML(), source.BuildXML());
    EXPECT_NE(copy.GetTopNode(0), top);

    TILXMLTree fromNode;
    fromNode.Assign(top->FindChild("Picks"));
    EXPECT_EQ(fromNode.BuildXML(), "<Picks>\r\n  <Pick Index=\"1\"/>\r\n</Picks>\r\n");
    // Assigning an element of the same tree to it keeps the element's content.
    fromNode.Assign(fromNode.GetTopNode(0)->GetChild(0));
    EXPECT_EQ(fromNode.BuildXML(), "<Pick Index=\"1\"/>\r\n");

    TILXMLNode holder;
    holder.Assign(&source);
    EXPECT_EQ(holder.ChildCount(), 2);
    EXPECT_TRUE(holder.GetChild(0)->GetChild(0)->CData());
    EXPECT_THROW(holder.GetChild(2), fw::EListError);
}
