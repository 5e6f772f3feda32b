#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <string>

#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "support/scratch_folder.h"
#include "xml_test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr int ListedChildren = 6000;

// A document with a long list among other elements: the list's children carry attributes,
// values and children of their own, and characters that Windows-1252 holds (ä, €) and one it
// lacks (✓), so that the saved pieces need converting and the whole is several pieces long.
void FillDocument(TILXMLTree& tree, int& made)
{
    TILXMLNode* root = tree.AddRootNode("TWData Kind=\"test\"");
    root->AddChildText("Name", "B\xC3\xA4nd \xE2\x82\xAC");
    TILXMLNode* list = root->AddChild("Picks");
    list->AddAttribute("Count", std::to_string(ListedChildren));
    list->AddChildrenWhenWritten(ListedChildren, [&made](TILXMLNode& parent, int index) {
        ++made;
        TILXMLNode* pick = parent.AddChild("Pick");
        pick->AddAttribute("Index", std::to_string(index));
        pick->AddAttribute("Mark", index % 7 == 0 ? "\xE2\x9C\x93 & <done>" : "plain");
        TILXMLNode* actions = pick->AddChild("Actions Count=\"2\"");
        actions->AddChild("Action Type=\"Turn\" Dir=\"F\"");
        actions->AddChildValue("Note", std::string(static_cast<std::size_t>(index % 50), 'x') + "\xC3\xA4");
    });
    root->AddChild("Empty")->AddChildrenWhenWritten(0, [&made](TILXMLNode&, int) { ++made; });
    root->AddChildValue("After", "last");
}

std::string Bytes(const fs::path& path)
{
    return fw::ReadFileBytes(path);
}

class XMLSave : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = UniqueScratchFolder("tavelin_xml_save");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::size_t EntriesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
    NameCheckGuard check_{true};
};

} // namespace

// The saved bytes are those of the whole text written at once, indented and flat, and the
// children waiting to be made are made only while the file is written.
TEST_F(XMLSave, ChildrenMadeWhileWritingGiveTheSameBytesAsADocumentMadeAtOnce)
{
    int madeAtOnce = 0;
    TILXMLTree whole;
    FillDocument(whole, madeAtOnce);
    EXPECT_EQ(madeAtOnce, ListedChildren);
    ASSERT_EQ(whole.FindTag("Picks", true)->ChildCount(), ListedChildren);

    for (const bool indent : {true, false}) {
        int made = 0;
        TILXMLTree late(TILXMLTree::ChildMaking::WhenWritten);
        FillDocument(late, made);
        EXPECT_EQ(made, 0);
        EXPECT_EQ(late.FindTag("Picks", true)->ChildCount(), 0);

        const fs::path expected = folder_ / "whole.xml";
        const fs::path saved = folder_ / "late.xml";
        whole.BuildXML(expected, true, indent);
        late.SaveToFile(saved, indent);
        EXPECT_EQ(made, ListedChildren);
        const std::string bytes = Bytes(saved);
        EXPECT_GT(bytes.size(), 3 * 256 * 1024U) << "the file should be several pieces long";
        EXPECT_EQ(bytes, Bytes(expected)) << (indent ? "indented" : "flat");
        // The text asked for in memory is the same again, with the children made once more.
        EXPECT_EQ(late.BuildXML(indent), whole.BuildXML(indent));
        EXPECT_EQ(made, 2 * ListedChildren);
    }

    TILXMLTree reread;
    reread.LoadFromFile(folder_ / "late.xml");
    const TILXMLNode* picks = reread.FindTag("Picks", true);
    ASSERT_NE(picks, nullptr);
    ASSERT_EQ(picks->ChildCount(), ListedChildren);
    EXPECT_EQ(picks->GetChild(ListedChildren - 1)->AttributeValue("Index"), std::to_string(ListedChildren - 1));
    EXPECT_EQ(picks->GetChild(7)->AttributeValue("Mark"), "\xE2\x9C\x93 & <done>");
    EXPECT_EQ(reread.GetTagValue("After", true), "last");
}

// A child added behind waiting children would be written before them: refused.
TEST_F(XMLSave, NoChildFollowsChildrenMadeWhenWritten)
{
    TILXMLTree tree(TILXMLTree::ChildMaking::WhenWritten);
    TILXMLNode* list = tree.AddRootNode("List");
    list->AddChildrenWhenWritten(2, [](TILXMLNode& parent, int) { parent.AddChild("Item"); });
    EXPECT_THROW(list->AddChild("Late"), std::logic_error);
    EXPECT_THROW(list->AddChildrenWhenWritten(1, [](TILXMLNode& parent, int) { parent.AddChild("More"); }),
                 std::logic_error);
    EXPECT_EQ(tree.BuildXML(), "<List>\r\n  <Item/>\r\n  <Item/>\r\n</List>\r\n");
}

// A failure while the children are made, after pieces of the file were written, leaves the
// old file as it was and no temporary file behind.
TEST_F(XMLSave, AFailureOnTheWayKeepsTheOldFile)
{
    const fs::path file = folder_ / "pattern.xml";
    {
        int made = 0;
        TILXMLTree first;
        FillDocument(first, made);
        first.SaveToFile(file);
    }
    const std::string before = Bytes(file);

    TILXMLTree failing(TILXMLTree::ChildMaking::WhenWritten);
    TILXMLNode* list = failing.AddRootNode("Picks");
    list->AddChildrenWhenWritten(ListedChildren, [](TILXMLNode& parent, int index) {
        if (index == ListedChildren - 1) {
            throw std::runtime_error("the band went away");
        }
        parent.AddChildValue("Pick", std::string(500, 'p'));
    });
    EXPECT_THROW(failing.SaveToFile(file), std::runtime_error);
    EXPECT_EQ(Bytes(file), before);
    EXPECT_EQ(EntriesInFolder(), 1U);

    // A folder that is not there: the file cannot be made, and says so.
    TILXMLTree small;
    small.AddRootNode("A");
    EXPECT_THROW(small.SaveToFile(folder_ / "missing" / "a.xml"), fw::EFileError);
}
