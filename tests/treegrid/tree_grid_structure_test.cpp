// The tree as a whole: its parts, copying and clearing, expanding everything, resizing,
// its own messages, and a press while an inline edit is open.

#include <gtest/gtest.h>

#include "foundation/generic_exception.h"
#include "framework/gui/application.h"
#include "framework/gui/test_driver.h"
#include "tree_grid_fixture.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_messages.h"

namespace {

using StructureTest = TreeGridTest;

TEST_F(StructureTest, TheScrollWindowBelongsToATreeOnly)
{
    fw::CustomControl stranger;
    try {
        TILTreeScrollWindow scrollWindow(&stranger);
        FAIL() << "made without a tree";
    } catch (const TGenericException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to create object TILTreeScrollWindow.\r\nOwner is not a TILTree.");
        ASSERT_GE(error.InfoCount(), 1);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "Create");
    }
    EXPECT_EQ(tree->ScrollWindow()->Owner(), tree);
    EXPECT_EQ(tree->ScrollWindow()->Parent(), tree);
}

TEST_F(StructureTest, AssignCopiesTheNodesButNotTheColumns)
{
    AddColumns({50});
    TILTree source;
    source.Columns().Add();
    source.Columns().Add();
    TILTreeNode* parent = new TILTreeNode(source.Root());
    parent->SetCellText(0, "parent");
    TILTreeNode* child = new TILTreeNode(parent);
    child->SetCellText(1, "child");
    parent->SetExpanded(true);
    AddRows(3);

    tree->Assign(&source);
    EXPECT_EQ(tree->GetColumnCount(), 1);
    ASSERT_EQ(tree->Root()->GetCount(), 1);
    TILTreeNode* copied = tree->Root()->GetItem(0);
    EXPECT_EQ(copied->GetCellText(0), "parent");
    ASSERT_EQ(copied->GetCount(), 1);
    EXPECT_EQ(copied->GetItem(0)->GetCellText(1), "child");
    EXPECT_EQ(copied->Tree(), tree);
    EXPECT_EQ(tree->LastVisibleNode(), copied->GetItem(0));
}

TEST_F(StructureTest, ClearEmptiesTreeAndSelection)
{
    AddColumns({50});
    const auto rows = AddRows(5);
    Add({"child"}, rows[2]);
    tree->SelectOnly(rows[2]);
    tree->Clear();
    EXPECT_EQ(tree->Root()->GetCount(), 0);
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(tree->LastVisibleNode(), nullptr);
    EXPECT_EQ(tree->FirstNodeInView(), nullptr);
    EXPECT_EQ(tree->TotalContentHeight(), HeadingHeight);
}

TEST_F(StructureTest, ExpandAllOpensEveryLevelUnderTheHourglass)
{
    AddColumns({50});
    const auto rows = AddRows(2);
    TILTreeNode* child = Add({"child"}, rows[0]);
    TILTreeNode* grandChild = Add({"grand"}, child);
    fw::Cursor during = fw::crDefault;
    tree->SetAfterExpandNode([&](TILTree*, TILTreeNode*) { during = fw::GetScreen().Cursor(); });
    tree->ExpandAll();
    EXPECT_TRUE(rows[0]->Expanded());
    EXPECT_TRUE(child->Expanded());
    EXPECT_TRUE(grandChild->IsShown());
    EXPECT_EQ(during, fw::crHourGlass);
    EXPECT_EQ(fw::GetScreen().Cursor(), fw::crDefault);
    EXPECT_EQ(tree->LastVisibleNode(), rows[1]);
    EXPECT_EQ(rows[1]->Top(), HeadingHeight + 3 * RowHeight);
}

TEST_F(StructureTest, ResizingReportsAndLaysOutAgain)
{
    AddColumns({50, 30});
    tree->GetColumn(1)->SetOptions(TILTreeColumnOptions{iltColOptAutoSize});
    int resized = 0;
    tree->SetOnResize([&](fw::Object*) { ++resized; });
    tree->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(resized, 1);
    tree->EnsureLayout();
    EXPECT_EQ(tree->GetColumn(1)->Width(), 250);
    EXPECT_EQ(tree->ScrollWindow()->Width(), 300);
}

TEST_F(StructureTest, TheTreeSetsItsModeByMessage)
{
    tree->Perform(WM_ILTREE_SETMODE, static_cast<std::intptr_t>(TILTreeInteractionMode::Dragging));
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::Dragging);
    EXPECT_FALSE(tree->CanSelectNode(tree->Root(), false)) << "nothing is selected while dragging";
    fw::PostMessage(tree, WM_ILTREE_SETMODE, 0);
    fw::ProcessPostedMessages();
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);
}

TEST_F(StructureTest, APressWhileEditingOnlyAcceptsTheEdit)
{
    fw::TestDriver driver(*window);
    AddColumns({80});
    const auto rows = AddRows(3);
    tree->SelectOnly(rows[0]);
    tree->InlineEdit()->SetOptions(TILTreeInlineEditOptions{TILTreeInlineEditOption::iltEditAllowTab});
    tree->EditCell(rows[0], 0, -1, -1);
    ASSERT_TRUE(tree->Editing());
    int downs = 0;
    tree->SetOnMouseDown([&](fw::Object*, fw::MouseButton, fw::ShiftState, int, int) { ++downs; });
    driver.Press(fw::Point{40, HeadingHeight + 2 * RowHeight + 4});
    EXPECT_FALSE(tree->Editing());
    EXPECT_EQ(downs, 0) << "the press did nothing else";
    EXPECT_EQ(tree->GetSelected(), rows[0]);
    driver.Release(fw::Point{40, HeadingHeight + 2 * RowHeight + 4});
    window.reset();
}

TEST_F(StructureTest, NodesThatMayNotBeDraggedStartNoDrag)
{
    fw::TestDriver driver(*window);
    AddColumns({80});
    const auto rows = AddRows(3);
    tree->SelectOnly(rows[1]);
    tree->SetOnCanDragNode([&](TILTree*, TILTreeNode* node) { return node != rows[1]; });
    driver.MoveTo(40, HeadingHeight + RowHeight + 4);
    driver.Press(fw::Point{40, HeadingHeight + RowHeight + 4});
    driver.MoveTo(40, HeadingHeight + 2 * RowHeight + 8);
    EXPECT_FALSE(tree->ScrollWindow()->Dragging());
    EXPECT_EQ(tree->DragNode(), nullptr);
    driver.Release(fw::Point{40, HeadingHeight + 2 * RowHeight + 8});

    tree->SetOnCanDragNode({});
    driver.Advance(2000); // no double click
    driver.Press(fw::Point{40, HeadingHeight + RowHeight + 4});
    EXPECT_EQ(tree->DragNode(), rows[1]) << "the node the drag begins on";
    driver.MoveTo(40, HeadingHeight + 2 * RowHeight + 8);
    EXPECT_TRUE(tree->ScrollWindow()->Dragging());
    driver.Release(fw::Point{40, HeadingHeight + 2 * RowHeight + 8});
    window.reset();
}

TEST_F(StructureTest, AFreedNodeIsNoLongerTheDraggedOne)
{
    fw::TestDriver driver(*window);
    AddColumns({80});
    const auto rows = AddRows(3);
    driver.MoveTo(40, HeadingHeight + RowHeight + 4);
    driver.Press(fw::Point{40, HeadingHeight + RowHeight + 4});
    ASSERT_EQ(tree->DragNode(), rows[1]);
    delete rows[1];
    EXPECT_EQ(tree->DragNode(), nullptr);
    driver.Release(fw::Point{40, HeadingHeight + RowHeight + 4});
    window.reset();
}

} // namespace
