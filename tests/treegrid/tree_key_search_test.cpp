#include <string>
#include <vector>

#include "tree_interaction_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class KeySearchTest : public TreeInteractionTest {
protected:
    void SetUp() override
    {
        TreeInteractionTest::SetUp();
        for (const char* name : {"cedar", "Birch", "beech", "Bay", "Ash"}) {
            Add({name});
        }
        oak = Add({"Oak"});
        branch = Add({"Branch"}, oak);
        bud = Add({"Bud"}, oak);
        oak->SetExpanded(true);
        tree->SetFocus();
    }

    std::string Current() const { return tree->GetSelected() != nullptr ? tree->GetSelected()->GetText() : ""; }

    TILTreeNode* oak = nullptr;
    TILTreeNode* branch = nullptr;
    TILTreeNode* bud = nullptr;
};

TEST_F(KeySearchTest, TwoLettersFindTheFirstSiblingStartingWithThemInEitherCase)
{
    driver->Type("b");
    EXPECT_EQ(Current(), "Birch");
    driver->Type("E");
    EXPECT_EQ(Current(), "beech");
    EXPECT_EQ(tree->KeySearchText(), "bE");
    EXPECT_EQ(SelectedTexts(), (Texts{"beech"}));
    // Text nobody starts with leaves the selection alone, and the search text keeps growing.
    driver->Type("x");
    EXPECT_EQ(Current(), "beech");
    EXPECT_EQ(tree->KeySearchText(), "bEx");
}

TEST_F(KeySearchTest, EscapeStartsANewSearch)
{
    driver->Type("ba");
    EXPECT_EQ(Current(), "Bay");
    driver->PressKey(fw::VK_ESCAPE);
    EXPECT_EQ(tree->KeySearchText(), "");
    driver->Type("c");
    EXPECT_EQ(Current(), "cedar");
}

TEST_F(KeySearchTest, TheSearchStaysAmongTheCurrentRowsSiblings)
{
    tree->SelectOnly(bud);
    driver->Type("b");
    EXPECT_EQ(Current(), "Branch");
    // "a" finds no child of Oak, though a top-level row starts with it.
    driver->PressKey(fw::VK_ESCAPE);
    driver->Type("a");
    EXPECT_EQ(Current(), "Branch");
}

TEST_F(KeySearchTest, HiddenRowsAreSkipped)
{
    tree->Root()->GetItem(1)->SetHidden(true);
    driver->Type("b");
    EXPECT_EQ(Current(), "beech");
}

TEST_F(KeySearchTest, AFoundRowOutOfViewIsScrolledToTheMiddle)
{
    for (int i = 0; i < 40; ++i) {
        Add({"filler " + std::to_string(i)});
    }
    TILTreeNode* last = Add({"zebra"});
    driver->Type("z");
    EXPECT_EQ(tree->GetSelected(), last);
    EXPECT_TRUE(tree->IsNodeInView(last));
    EXPECT_GT(tree->VertScrollPosition(), 0);
}

TEST_F(KeySearchTest, ClicksAndFocusingEndTheSearch)
{
    driver->Type("be");
    driver->Click(CellPoint(4, 0));
    EXPECT_EQ(tree->KeySearchText(), "");
    driver->Type("o");
    EXPECT_EQ(Current(), "Oak");
    tree->SetFocus();
    EXPECT_EQ(tree->KeySearchText(), "");
}

TEST_F(KeySearchTest, DisabledKeySearchIgnoresTyping)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltDisableKeySearch);
    driver->Type("ash");
    EXPECT_EQ(tree->GetSelected(), nullptr);
    EXPECT_EQ(tree->KeySearchText(), "");
}

TEST_F(KeySearchTest, TheApplicationMayTakeCharactersFirst)
{
    tree->SetOnKeyPress([](fw::Object*, char32_t& key) {
        if (key == U'a') {
            key = 0;
        }
    });
    driver->Type("ab");
    EXPECT_EQ(tree->KeySearchText(), "b");
    EXPECT_EQ(Current(), "Birch");
}

TEST_F(KeySearchTest, ControlCharactersAreNoSearchText)
{
    driver->Type("c");
    driver->PressKey(fw::VK_BACK);
    driver->PressKey(fw::VK_RETURN);
    EXPECT_EQ(tree->KeySearchText(), "c");
}

} // namespace
