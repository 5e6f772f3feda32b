// The mouse on a tree: the node and column under it, right clicks and popups, tracking,
// and resizing columns, heading rows and rows by dragging their edges.

#include <gtest/gtest.h>

#include "framework/gui/menu.h"
#include "framework/gui/test_driver.h"
#include "tree_grid_fixture.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"

namespace {

class MouseTest : public TreeGridTest {
protected:
    void SetUp() override
    {
        TreeGridTest::SetUp();
        driver = std::make_unique<fw::TestDriver>(*window);
        AddColumns({60, 60});
    }
    void TearDown() override
    {
        window.reset();
        driver.reset();
        TreeGridTest::TearDown();
    }

    // Three rows, their picture painted, and the first column's right edge (at x = 59 in the
    // heading) pressed and dragged to x = 70 with the mouse still down. Answers the picture as
    // it was before the press.
    fw::Bitmap StartDraggingTheFirstColumnsEdge()
    {
        AddRows(3);
        Render();
        fw::Bitmap before = tree->BackingStore();
        driver->MoveTo(59, 5);
        driver->Press(fw::Point{59, 5});
        driver->MoveTo(70, 5);
        return before;
    }

    // The middle of a row's cell in the first column, clear of lines and buttons.
    static fw::Point RowPoint(int row) { return fw::Point{40, HeadingHeight + row * RowHeight + RowHeight / 2}; }

    std::unique_ptr<fw::TestDriver> driver;
};

TEST_F(MouseTest, MovingReportsTheNodeAndColumnUnderTheMouse)
{
    const auto rows = AddRows(3);
    std::vector<std::pair<TILTreeNode*, TILTreeNode*>> nodeChanges;
    std::vector<TILTreeColumnData*> columns;
    tree->SetOnMouseNodeChange([&](TILTree*, TILTreeNode* last, TILTreeNode* now) { nodeChanges.emplace_back(last, now); });
    tree->SetOnMouseColumnChange([&](TILTree*, TILTreeColumnData*, TILTreeColumnData* now) { columns.push_back(now); });
    driver->MoveTo(RowPoint(0));
    driver->MoveTo(RowPoint(0).X + 1, RowPoint(0).Y);
    driver->MoveTo(90, RowPoint(2).Y);
    EXPECT_EQ(tree->MouseNode(), rows[2]);
    EXPECT_EQ(tree->MouseColumn(), tree->GetColumn(1));
    ASSERT_EQ(nodeChanges.size(), 2U);
    EXPECT_EQ(nodeChanges[0], std::make_pair(static_cast<TILTreeNode*>(nullptr), rows[0]));
    EXPECT_EQ(nodeChanges[1], std::make_pair(rows[0], rows[2]));
    EXPECT_EQ(columns, (std::vector<TILTreeColumnData*>{tree->GetColumn(0), tree->GetColumn(1)}));

    // Into the heading (still the tree), then out of the window.
    driver->MoveTo(30, 5);
    EXPECT_EQ(tree->MouseNode(), nullptr);
    driver->MoveTo(RowPoint(1));
    driver->MoveTo(500, 300);
    EXPECT_EQ(tree->MouseNode(), nullptr);
}

TEST_F(MouseTest, AFreedNodeIsNoLongerTheNodeUnderTheMouse)
{
    const auto rows = AddRows(3);
    driver->MoveTo(RowPoint(1));
    ASSERT_EQ(tree->MouseNode(), rows[1]);
    delete rows[1];
    EXPECT_EQ(tree->MouseNode(), nullptr);
}

TEST_F(MouseTest, ARightClickSelectsTheRowAloneAndAsksForItsMenu)
{
    const auto rows = AddRows(3);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({rows[0], rows[1]});
    fw::PopupMenu menu;
    TILTreeNode* asked = nullptr;
    int column = -1;
    tree->SetBeforeNodePopup([&](TILTree*, TILTreeNode* node, int columnIndex) -> fw::Component* {
        asked = node;
        column = columnIndex;
        return &menu;
    });
    int popups = 0;
    fw::PopupMenu::ScopedHandler handler([&](fw::PopupMenu& shown, fw::Point) {
        EXPECT_EQ(&shown, &menu);
        ++popups;
    });
    driver->Click(fw::Point{90, RowPoint(2).Y}, fw::MouseButton::Right);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R2"}));
    EXPECT_EQ(asked, rows[2]);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu.PopupComponent(), tree);
}

TEST_F(MouseTest, AListPopupKeepsTheMultipleSelection)
{
    const auto rows = AddRows(3);
    Option(TILTreeDisplayOption::iltMultiSelect);
    Option(TILTreeDisplayOption::iltEnableListPopup);
    tree->AddToSelection({rows[0], rows[1]});
    fw::PopupMenu menu;
    int asked = 0;
    tree->SetBeforeNodePopup([&](TILTree*, TILTreeNode*, int) -> fw::Component* {
        ++asked;
        return &menu;
    });
    int popups = 0;
    fw::PopupMenu::ScopedHandler handler([&](fw::PopupMenu&, fw::Point) { ++popups; });
    driver->Click(RowPoint(1), fw::MouseButton::Right);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R0", "R1"}));
    EXPECT_EQ(popups, 1) << "over a selected row the list's menu shows";

    driver->Click(RowPoint(2), fw::MouseButton::Right);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R0", "R1"}));
    EXPECT_EQ(asked, 1) << "an unselected row shows no menu at all";
    EXPECT_EQ(popups, 1);
}

TEST_F(MouseTest, PopupsFallBackFromHeadingToTreeToTheOwnMenu)
{
    AddRows(2);
    fw::PopupMenu own;
    fw::PopupMenu headingMenu;
    tree->SetPopupMenu(&own);
    std::vector<fw::PopupMenu*> shown;
    fw::PopupMenu::ScopedHandler handler([&](fw::PopupMenu& menu, fw::Point) { shown.push_back(&menu); });
    TILTreeColumnHeaderCell* cellAsked = nullptr;
    tree->SetBeforeHeaderPopup([&](TILTree*, TILTreeColumnHeaderCell* cell) -> fw::Component* {
        cellAsked = cell;
        return &headingMenu;
    });
    driver->Click(fw::Point{70, 5}, fw::MouseButton::Right);
    EXPECT_EQ(cellAsked, tree->GetColumn(1)->Headers().GetItem(0));
    driver->Click(fw::Point{70, 120}, fw::MouseButton::Right); // below the rows: no node
    EXPECT_EQ(shown, (std::vector<fw::PopupMenu*>{&headingMenu, &own}));

    tree->SetBeforeTreePopup([&](TILTree*, TILTreeColumnData*) -> fw::Component* { return nullptr; });
    driver->Click(fw::Point{70, 120}, fw::MouseButton::Right);
    EXPECT_EQ(shown.size(), 2U) << "the tree's answer of none shows nothing";
}

TEST_F(MouseTest, TrackingSelectsAndLeavingDeselects)
{
    const auto rows = AddRows(3);
    Option(TILTreeDisplayOption::iltTrack);
    driver->MoveTo(RowPoint(1));
    EXPECT_TRUE(rows[1]->Selected());
    Option(TILTreeDisplayOption::iltDeselectOnLeave);
    driver->MoveTo(RowPoint(1).X, RowPoint(5).Y);
    EXPECT_EQ(tree->GetSelectedCount(), 0) << "below the last row";
    driver->MoveTo(RowPoint(0));
    EXPECT_TRUE(rows[0]->Selected());
    driver->MoveTo(500, 300);
    EXPECT_EQ(tree->GetSelectedCount(), 0) << "out of the control";
}

TEST_F(MouseTest, DraggingAColumnEdgeResizesTheColumn)
{
    AddRows(3);
    driver->MoveTo(59, 5);
    EXPECT_EQ(tree->Cursor(), fw::crHSplit);
    EXPECT_EQ(tree->ScrollWindow()->Cursor(), fw::crHSplit);
    EXPECT_EQ(tree->EdgeColumn(), tree->GetColumn(0));
    int afterResize = 0;
    tree->SetAfterColumnResize([&](TILTree*, TILTreeColumnData*) { ++afterResize; });
    driver->DragMouse(fw::Point{59, 5}, fw::Point{79, 5}, 5);
    EXPECT_EQ(tree->GetColumn(0)->Width(), 80);
    EXPECT_EQ(tree->GetColumn(1)->Left(), 80);
    EXPECT_EQ(afterResize, 1);
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);

    driver->MoveTo(30, 5);
    EXPECT_EQ(tree->Cursor(), fw::crDefault);
    driver->MoveTo(79, RowPoint(1).Y);
    EXPECT_EQ(tree->EdgeColumn(), nullptr) << "only in the heading";
    Option(TILTreeDisplayOption::iltResizeColThroughout);
    driver->MoveTo(79, RowPoint(1).Y + 1);
    EXPECT_EQ(tree->EdgeColumn(), tree->GetColumn(0));
}

TEST_F(MouseTest, TheResizeLineLeavesNoTraceAfterEscOrARefusedRelease)
{
    const fw::Bitmap before = StartDraggingTheFirstColumnsEdge();
    ASSERT_EQ(tree->InteractionMode(), TILTreeInteractionMode::ColumnResize);
    EXPECT_NE(tree->BackingStore().Pixel(70, 100), before.Pixel(70, 100)) << "the line shows";
    EXPECT_FALSE(tree->BackingStore().SamePixels(before));
    driver->PressKey(fw::VK_ESCAPE);
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);
    EXPECT_TRUE(tree->BackingStore().SamePixels(before));
    driver->Release(fw::Point{70, 5});
    EXPECT_EQ(tree->GetColumn(0)->Width(), 60) << "Esc cancelled the resize";

    tree->SetOnColumnResize([](TILTree*, TILTreeColumnData*, int&) { return false; });
    driver->DragMouse(fw::Point{59, 5}, fw::Point{75, 5}, 4);
    EXPECT_EQ(tree->GetColumn(0)->Width(), 60);
    EXPECT_TRUE(tree->BackingStore().SamePixels(before));
}

TEST_F(MouseTest, AColumnDeletedWhileItsEdgeIsDraggedEndsTheResize)
{
    const fw::Bitmap before = StartDraggingTheFirstColumnsEdge();
    ASSERT_EQ(tree->InteractionMode(), TILTreeInteractionMode::ColumnResize);
    TILTreeColumnData* dragged = tree->GetColumn(0);
    tree->Columns().Delete(dragged->Index());
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);
    EXPECT_EQ(tree->EdgeColumn(), nullptr);
    // Moving on and releasing touch no freed column (ASan would tell).
    driver->MoveTo(90, 5);
    driver->Release(fw::Point{90, 5});
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);
}

TEST_F(MouseTest, ColumnWidthsKeepTheirLimitsAndTheHandlerHasTheLastWord)
{
    AddRows(1);
    tree->GetColumn(0)->SetMinWidth(50);
    driver->MoveTo(59, 5);
    driver->DragMouse(fw::Point{59, 5}, fw::Point{20, 5}, 5);
    EXPECT_EQ(tree->GetColumn(0)->Width(), 50);

    tree->SetOnColumnResize([](TILTree*, TILTreeColumnData*, int& width) {
        width = 77;
        return true;
    });
    driver->MoveTo(49, 5);
    driver->DragMouse(fw::Point{49, 5}, fw::Point{60, 5}, 5);
    EXPECT_EQ(tree->GetColumn(0)->Width(), 77);
}

TEST_F(MouseTest, RowsAndHeadingRowsResizeWhenAllowed)
{
    const auto rows = AddRows(3);
    const int edge = rows[0]->Bottom();
    driver->MoveTo(40, edge);
    EXPECT_EQ(tree->EdgeNode(), nullptr) << "not without iltResizeRow";
    Option(TILTreeDisplayOption::iltResizeRow);
    driver->MoveTo(41, edge);
    EXPECT_EQ(tree->EdgeNode(), rows[0]);
    EXPECT_EQ(tree->Cursor(), fw::crVSplit);
    driver->DragMouse(fw::Point{41, edge}, fw::Point{41, edge + 10}, 5);
    EXPECT_EQ(rows[0]->Height(), RowHeight + 10);
    EXPECT_EQ(rows[1]->Top(), HeadingHeight + RowHeight + 10);

    rows[1]->SetFlags(iltNodeNoResize);
    driver->MoveTo(41, rows[1]->Bottom());
    EXPECT_EQ(tree->EdgeNode(), nullptr);

    tree->SetOnNodeResize([](TILTree*, TILTreeNode*, int& height) {
        height = 40;
        return true;
    });
    driver->MoveTo(41, rows[2]->Bottom());
    driver->DragMouse(fw::Point{41, rows[2]->Bottom()}, fw::Point{41, rows[2]->Bottom() - 20}, 5);
    EXPECT_EQ(rows[2]->Height(), 40);

    Option(TILTreeDisplayOption::iltResizeHeader);
    TILTreeHeadingRow* heading = tree->HeadingRows().GetItem(0);
    driver->MoveTo(30, heading->Bottom());
    EXPECT_EQ(tree->EdgeHeadingRow(), nullptr) << "the row itself refuses";
    heading->SetCanResize(true);
    heading->SetMaxHeight(20);
    driver->MoveTo(31, heading->Bottom());
    EXPECT_EQ(tree->EdgeHeadingRow(), heading);
    driver->DragMouse(fw::Point{31, heading->Bottom()}, fw::Point{31, heading->Bottom() + 12}, 4);
    EXPECT_EQ(heading->Height(), 20) << "held to MaxHeight";
    EXPECT_EQ(tree->HeadingHeight(), 20);
    EXPECT_EQ(rows[0]->Top(), 20);
}

} // namespace
