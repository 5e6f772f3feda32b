// Keyboard navigation: arrows, Home and End, the page keys and the clipboard copy.

#include <gtest/gtest.h>

#include "framework/gui/clipboard.h"
#include "framework/gui/test_driver.h"
#include "tree_grid_fixture.h"

namespace {

class KeysTest : public TreeGridTest {
protected:
    void SetUp() override
    {
        TreeGridTest::SetUp();
        driver = std::make_unique<fw::TestDriver>(*window);
        AddColumns({100});
        tree->SetFocus();
    }
    void TearDown() override
    {
        window.reset();
        driver.reset();
        TreeGridTest::TearDown();
    }

    void Press(int key, fw::ShiftState modifiers = {}) { driver->PressKey(key, modifiers); }

    std::unique_ptr<fw::TestDriver> driver;
};

TEST_F(KeysTest, DownWithoutASelectionSelectsTheFirstSelectableNode)
{
    const auto rows = AddRows(3);
    tree->SetOnCanSelectNode([&](TILTree*, TILTreeNode* node, bool) { return node != rows[0]; });
    Press(fw::VK_DOWN);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R1"}));
    Press(fw::VK_DOWN);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R2"}));
    Press(fw::VK_DOWN);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R2"})) << "nothing after the last";
    Press(fw::VK_UP);
    Press(fw::VK_UP);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R1"})) << "the refused first row is skipped";
}

TEST_F(KeysTest, DownBringsTheNextRowToTheTopAndUpTheRowAboveToTheBottom)
{
    const auto rows = AddRows(30);
    tree->SelectOnly(rows[7]);
    Press(fw::VK_DOWN);
    EXPECT_EQ(tree->GetSelected(), rows[8]);
    EXPECT_EQ(rows[8]->Top(), HeadingHeight) << "the cut row moves to the top, not just into view";

    tree->SelectNode(rows[20], true, TILTreePlaceTop);
    Press(fw::VK_UP);
    EXPECT_EQ(tree->GetSelected(), rows[19]);
    EXPECT_EQ(rows[19]->Bottom(), tree->DataHeight() - 1) << "the row above moves to the bottom";
}

TEST_F(KeysTest, ShiftDownExtendsAMultipleSelection)
{
    const auto rows = AddRows(4);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->SelectOnly(rows[1]);
    Press(fw::VK_DOWN, fw::ShiftState{fw::ShiftFlag::Shift});
    Press(fw::VK_DOWN, fw::ShiftState{fw::ShiftFlag::Shift});
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R1", "R2", "R3"}));
    Press(fw::VK_UP);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R2"}));
}

TEST_F(KeysTest, WithNoSelectTheArrowsScroll)
{
    AddRows(30);
    Option(TILTreeDisplayOption::iltNoSelect);
    Press(fw::VK_DOWN);
    EXPECT_EQ(tree->VertScrollPosition(), tree->VertScrollIncrement());
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    Press(fw::VK_UP);
    EXPECT_EQ(tree->VertScrollPosition(), 0);

    Option(TILTreeDisplayOption::iltNoSelect, false);
    Press(fw::VK_DOWN, fw::ShiftState{fw::ShiftFlag::Ctrl});
    EXPECT_EQ(tree->VertScrollPosition(), 16) << "Ctrl scrolls while the bar shows";
    EXPECT_EQ(tree->GetSelectedCount(), 0);
}

TEST_F(KeysTest, LeftAndRightCollapseExpandAndClimb)
{
    const auto rows = AddRows(2);
    TILTreeNode* child = Add({"child"}, rows[0]);
    Add({"grandchild"}, child);
    tree->SelectOnly(rows[0]);
    Press(fw::VK_LEFT);
    EXPECT_EQ(tree->GetSelected(), rows[0]) << "a collapsed top-level node stays";
    EXPECT_FALSE(rows[0]->Expanded());

    Press(fw::VK_RIGHT);
    EXPECT_TRUE(rows[0]->Expanded());
    Press(fw::VK_RIGHT);
    EXPECT_EQ(tree->GetSelected(), child);
    Press(fw::VK_LEFT);
    EXPECT_EQ(tree->GetSelected(), rows[0]) << "a collapsed child moves to its parent";
    Press(fw::VK_LEFT);
    EXPECT_FALSE(rows[0]->Expanded());
}

TEST_F(KeysTest, HomeAndEndSelectTheEnds)
{
    const auto rows = AddRows(30);
    Press(fw::VK_END);
    EXPECT_EQ(tree->GetSelected(), rows[29]);
    EXPECT_TRUE(rows[29]->IsInView());
    Press(fw::VK_HOME);
    EXPECT_EQ(tree->GetSelected(), rows[0]);
    EXPECT_EQ(tree->VertScrollPosition(), 0);

    tree->SetOnCanSelectNode([&](TILTree*, TILTreeNode* node, bool) { return node != rows[29]; });
    Press(fw::VK_END);
    EXPECT_EQ(tree->GetSelectedCount(), 0) << "a refused last row deselects everything";
}

TEST_F(KeysTest, PageDownSelectsTheLastRowInViewThenPagesOn)
{
    // The band below the heading holds eight whole rows and a ninth cut one.
    const auto rows = AddRows(40);
    tree->SelectOnly(rows[0]);
    Press(fw::VK_NEXT);
    EXPECT_EQ(tree->GetSelected(), rows[8]);
    EXPECT_EQ(tree->VertScrollPosition(), 0);

    Press(fw::VK_NEXT);
    EXPECT_EQ(rows[8]->Top(), HeadingHeight) << "the current row went to the top";
    EXPECT_EQ(tree->VertScrollPosition(), 8 * RowHeight);
    EXPECT_EQ(tree->GetSelected(), rows[16]);
}

TEST_F(KeysTest, PageUpIsTheMirrorImage)
{
    const auto rows = AddRows(40);
    tree->SelectNode(rows[30], true, TILTreePlaceBottom);
    const int position = tree->VertScrollPosition();
    TILTreeNode* first = tree->FirstNodeInView();
    Press(fw::VK_PRIOR);
    EXPECT_EQ(tree->GetSelected(), first);
    EXPECT_EQ(tree->VertScrollPosition(), position);

    Press(fw::VK_PRIOR);
    EXPECT_EQ(first->Bottom(), tree->DataHeight() - 1) << "the current row went to the bottom";
    EXPECT_EQ(tree->GetSelected(), tree->FirstNodeInView());
}

TEST_F(KeysTest, CtrlPageKeysScrollByThePageLessTheFirstRow)
{
    AddRows(40);
    Press(fw::VK_NEXT, fw::ShiftState{fw::ShiftFlag::Ctrl});
    EXPECT_EQ(tree->VertScrollPosition(), (150 - HeadingHeight) - RowHeight);
    EXPECT_EQ(tree->GetSelectedCount(), 0);

    Option(TILTreeDisplayOption::iltHorzGrid);
    Press(fw::VK_NEXT, fw::ShiftState{fw::ShiftFlag::Ctrl});
    EXPECT_EQ(tree->VertScrollPosition(), 2 * (150 - HeadingHeight - RowHeight) - 1) << "less the grid line";

    Press(fw::VK_PRIOR, fw::ShiftState{fw::ShiftFlag::Ctrl});
    EXPECT_EQ(tree->VertScrollPosition(), 150 - HeadingHeight - RowHeight - 1);
}

TEST_F(KeysTest, CtrlCCopiesTheVisibleRows)
{
    tree->Columns().Add()->SetWidth(50);
    const auto rows = AddRows(2);
    rows[0]->SetCellText(1, "a");
    TILTreeNode* child = Add({"child", "b"}, rows[0]);
    Add({"hidden child"}, rows[1]);
    rows[0]->SetExpanded(true);
    (void)child;
    fw::GetClipboard().SetAsText("");
    Press('C', fw::ShiftState{fw::ShiftFlag::Ctrl});
    EXPECT_EQ(fw::GetClipboard().AsText(), "R0\ta\r\n  child\tb\r\nR1\t\r\n");

    EXPECT_EQ(tree->ClipboardLines(false, false, true),
              (std::vector<std::string>{"C0\t", "R0\ta", "  child\tb", "R1\t", "  hidden child\t"}));

    int copies = 0;
    tree->SetOnCopy([&](TILTree*) { ++copies; });
    fw::GetClipboard().SetAsText("kept");
    Press('C', fw::ShiftState{fw::ShiftFlag::Ctrl});
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(fw::GetClipboard().AsText(), "kept");
}

} // namespace
