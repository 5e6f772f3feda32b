// Rows and columns laid out, the scroll bars, positions in the data area and update brackets.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/scroll_bar.h"
#include "tree_grid_fixture.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_inline_edit.h"

namespace {

using LayoutTest = TreeGridTest;

TEST_F(LayoutTest, RowsFollowEachOtherBelowTheHeading)
{
    AddColumns({50, 50});
    const auto rows = AddRows(3);
    TILTreeNode* child = Add({"child"}, rows[1]);
    rows[1]->SetExpanded(true);
    tree->EnsureLayout();
    EXPECT_EQ(rows[0]->Top(), HeadingHeight);
    EXPECT_EQ(rows[1]->Top(), HeadingHeight + RowHeight);
    EXPECT_EQ(child->Top(), HeadingHeight + 2 * RowHeight);
    EXPECT_EQ(rows[2]->Top(), HeadingHeight + 3 * RowHeight);
    EXPECT_EQ(tree->TotalContentHeight(), HeadingHeight + 4 * RowHeight);

    // A horizontal grid line of pen width 2 under every row.
    fw::Pen pen = tree->GridPen();
    pen.Width = 2;
    tree->SetGridPen(pen);
    Option(TILTreeDisplayOption::iltHorzGrid);
    tree->EnsureLayout();
    EXPECT_EQ(rows[2]->Top(), HeadingHeight + 3 * (RowHeight + 2));
    EXPECT_EQ(tree->LastVisibleNode(), rows[2]);
}

TEST_F(LayoutTest, CollapsingAndHidingTakeRowsOutOfTheOrder)
{
    AddColumns({50});
    const auto rows = AddRows(3);
    Add({"child"}, rows[0]);
    rows[0]->SetExpanded(true);
    rows[0]->SetExpanded(false);
    rows[1]->SetHidden(true);
    tree->EnsureLayout();
    EXPECT_EQ(rows[2]->Top(), HeadingHeight + RowHeight);
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight + RowHeight + 3), rows[2]);
}

TEST_F(LayoutTest, VerticalBarPagesAndKeepsTheLastRowInView)
{
    AddColumns({50, 50, 50});
    const auto rows = AddRows(30);
    ASSERT_TRUE(tree->VertScrollBarVisible());
    EXPECT_FALSE(tree->HorzScrollBarVisible());
    EXPECT_EQ(tree->DataWidth(), 200 - BarSize);
    EXPECT_EQ(tree->DataHeight(), 150);

    TILScrollBar& bar = *tree->VertScrollBar();
    const int page = 150 - HeadingHeight;
    EXPECT_EQ(bar.Maximum(), HeadingHeight + 30 * RowHeight - HeadingHeight - 1);
    EXPECT_EQ(bar.LargeChange(), page);
    EXPECT_EQ(bar.Slider().Range(), page) << "the slider covers one page";

    tree->ScrollVertical(100000);
    EXPECT_EQ(tree->VertScrollPosition(), 30 * RowHeight - page);
    EXPECT_EQ(rows.back()->Bottom(), tree->DataHeight() - 1) << "the last row ends at the bottom edge";
    EXPECT_TRUE(rows.back()->IsInView());
    EXPECT_FALSE(rows[0]->IsPartlyInView());

    tree->ScrollVertical(-100000);
    EXPECT_EQ(tree->VertScrollPosition(), 0);
    EXPECT_EQ(rows[0]->Top(), HeadingHeight);
}

TEST_F(LayoutTest, FixedColumnsStayWhileTheOthersScroll)
{
    AddColumns({60, 60, 60, 60});
    tree->SetFixedColumns(1);
    AddRows(2);
    ASSERT_TRUE(tree->HorzScrollBarVisible());
    ASSERT_FALSE(tree->VertScrollBarVisible());
    EXPECT_EQ(tree->FixedWidth(), 60);
    EXPECT_EQ(tree->DataHeight(), 150 - BarSize);

    TILScrollBar& bar = *tree->HorzScrollBar();
    EXPECT_EQ(bar.Slider().Range(), 200 - 60);
    tree->ScrollHorizontal(1000);
    EXPECT_EQ(tree->HorzScrollPosition(), 40) << "just far enough for the last column";

    TILTreeColumnData* fixed = tree->GetColumn(0);
    TILTreeColumnData* first = tree->GetColumn(1);
    TILTreeColumnData* last = tree->GetColumn(3);
    EXPECT_EQ(fixed->Left(), 0);
    EXPECT_EQ(fixed->Right(), 59);
    EXPECT_EQ(first->Left(), 60 - 40);
    EXPECT_EQ(first->VisibleLeft(), 60) << "raised to the fixed area's edge";
    EXPECT_EQ(first->VisibleRight(), 79);
    EXPECT_EQ(last->Right(), 199);

    EXPECT_EQ(tree->ColumnAt(30), fixed);
    EXPECT_EQ(tree->ColumnAt(65), first) << "the part under the fixed column does not count";
    EXPECT_EQ(tree->ColumnAt(199), last);
    EXPECT_EQ(tree->ColumnAt(200), nullptr);
    EXPECT_EQ(tree->ColumnAt(-1), nullptr);

    // The scroll window covers the data area right of the fixed column.
    const TILTreeScrollWindow* scrollWindow = tree->ScrollWindow();
    EXPECT_EQ(scrollWindow->BoundsRect(), (fw::Rect{60, HeadingHeight, 200, 150 - BarSize}));
    EXPECT_EQ(scrollWindow->ToTree(fw::Point{5, 6}), (fw::Point{65, HeadingHeight + 6}));
}

TEST_F(LayoutTest, ColumnsShrinkToTheDataAreaAtItsRightEdge)
{
    AddColumns({150, 100});
    tree->SetFixedColumns(1);
    tree->SetScrollStyle(TScrollStyle::ssNone);
    tree->SetBounds(0, 0, 120, 150);
    tree->EnsureLayout();
    EXPECT_EQ(tree->GetColumn(0)->Right(), 149);
    EXPECT_EQ(tree->GetColumn(0)->VisibleRight(), 119);
}

TEST_F(LayoutTest, NodeAtFindsRowsOnlyInsideTheDataBand)
{
    AddColumns({50, 50});
    const auto rows = AddRows(20);
    Option(TILTreeDisplayOption::iltHorzGrid);
    tree->EnsureLayout();
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight), rows[0]);
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight + RowHeight - 1), rows[0]);
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight + RowHeight), nullptr) << "the grid line between rows";
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight + RowHeight + 1), rows[1]);
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight - 1), nullptr) << "in the heading";
    EXPECT_EQ(tree->NodeAt(99, HeadingHeight + 2), rows[0]);
    EXPECT_EQ(tree->NodeAt(100, HeadingHeight + 2), nullptr) << "right of the last column";
    EXPECT_EQ(tree->NodeAt(10, tree->DataHeight()), nullptr);

    tree->ScrollVertical(5);
    EXPECT_EQ(tree->NodeAt(10, HeadingHeight), rows[0]) << "the cut first row still answers";
    EXPECT_EQ(tree->FirstNodeInView(), rows[0]);
    EXPECT_EQ(tree->FirstNodeInView(true), rows[1]);
}

TEST_F(LayoutTest, LastNodeInViewStopsAtTheCutRow)
{
    AddColumns({50});
    const auto rows = AddRows(20);
    tree->EnsureLayout();
    // 134 pixels of band: eight whole rows and a ninth that the edge cuts.
    EXPECT_EQ(tree->LastNodeInView(), rows[8]);
    EXPECT_EQ(tree->LastNodeInView(true), rows[7]);
    EXPECT_FALSE(rows[8]->IsInView());
    EXPECT_TRUE(rows[8]->IsPartlyInView());
}

TEST_F(LayoutTest, WithoutAutoScrollBothBarsShowAndTheCornerShowsTheLogo)
{
    AddColumns({50});
    AddRows(2);
    tree->SetAutoScroll(false);
    EXPECT_TRUE(tree->VertScrollBarVisible());
    EXPECT_TRUE(tree->HorzScrollBarVisible());
    const fw::Bitmap picture = Render();
    EXPECT_TRUE(tree->CornerImageShown());
    const fw::Bitmap* logo = TreeSharedImage("ILTREE_ILLOGO");
    ASSERT_NE(logo, nullptr);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(picture.Pixel(200 - 16 + x, 150 - 16 + y), logo->Pixel(x, y)) << x << "," << y;
        }
    }

    tree->SetScrollStyle(TScrollStyle::ssVertical);
    EXPECT_FALSE(tree->HorzScrollBarVisible());
    Render();
    EXPECT_FALSE(tree->CornerImageShown()) << "one bar: no corner";
}

TEST_F(LayoutTest, AHiddenBarGoesBackToTheStart)
{
    AddColumns({50});
    AddRows(30);
    tree->ScrollVertical(50);
    ASSERT_EQ(tree->VertScrollPosition(), 50);
    tree->Clear();
    EXPECT_FALSE(tree->VertScrollBarVisible());
    EXPECT_EQ(tree->VertScrollBar()->Position(), 0);
}

TEST_F(LayoutTest, TheAutoSizeColumnTakesWhatTheOthersLeave)
{
    AddColumns({50, 30, 40});
    tree->GetColumn(1)->SetOptions(TILTreeColumnOptions{iltColOptAutoSize});
    tree->GetColumn(2)->SetIsHidden(true);
    tree->EnsureLayout();
    EXPECT_EQ(tree->GetColumn(1)->Width(), 200 - 50);

    AddRows(30); // the vertical bar takes its room
    tree->EnsureLayout();
    EXPECT_EQ(tree->GetColumn(1)->Width(), 200 - BarSize - 50);
}

TEST_F(LayoutTest, SelectNodePlacesTheNodeByThePlacement)
{
    AddColumns({50});
    const auto rows = AddRows(40);
    TILTreeNode* child = Add({"deep"}, rows[25]);

    tree->SelectNode(rows[20], true, TILTreePlaceTop);
    EXPECT_EQ(rows[20]->Top(), HeadingHeight);
    EXPECT_EQ(tree->GetSelected(), rows[20]);

    tree->SelectNode(rows[30], false, TILTreePlaceBottom);
    EXPECT_EQ(rows[30]->Bottom(), tree->DataHeight() - 1);
    EXPECT_EQ(tree->GetSelected(), rows[20]) << "not selected";

    tree->SelectNode(rows[5], true, TILTreePlaceCentre);
    const int middle = rows[5]->Top() + RowHeight / 2;
    EXPECT_EQ(middle, HeadingHeight + (tree->DataHeight() - HeadingHeight) / 2);

    const int before = tree->VertScrollPosition();
    tree->SelectNode(rows[6], true, TILTreePlaceTop);
    EXPECT_EQ(tree->VertScrollPosition(), before) << "wholly in view: no scrolling";

    tree->SelectNode(child, true, TILTreePlaceTop);
    EXPECT_TRUE(rows[25]->Expanded()) << "the ancestor opened";
    EXPECT_EQ(child->Top(), HeadingHeight);
}

TEST_F(LayoutTest, NestedBracketsPaintOnceAtTheOutermostEnd)
{
    AddColumns({50});
    AddRows(3);
    Render();
    const int before = tree->PaintCount();
    tree->BeginUpdate();
    tree->BeginUpdate();
    Add({"more"});
    tree->Invalidate();
    tree->EndUpdate();
    fw::RenderToBitmap(*window);
    EXPECT_EQ(tree->PaintCount(), before) << "nothing inside the bracket";
    tree->EndUpdate();
    fw::PaintPendingControls();
    EXPECT_EQ(tree->PaintCount(), before + 1);
    EXPECT_EQ(tree->UpdateCount(), 0);
}

TEST_F(LayoutTest, AnErrorInsideABracketStillClosesIt)
{
    AddColumns({50});
    AddRows(3);
    EXPECT_THROW(
        {
            TILTreeUpdateBracket bracket(tree);
            throw std::runtime_error("inside");
        },
        std::runtime_error);
    EXPECT_EQ(tree->UpdateCount(), 0);
    EXPECT_FALSE(tree->Updating());
}

TEST_F(LayoutTest, AnErrorWhileBeginUpdateAcceptsAnEditClosesTheBracket)
{
    AddColumns({50});
    const auto rows = AddRows(3);
    tree->InlineEdit()->SetOptions(TILTreeInlineEditOptions{TILTreeInlineEditOption::iltEditAllowTab});
    tree->SetOnEditSetText([](TILTreeNode*, int, std::string&) { throw std::runtime_error("refused"); });
    tree->EditCell(rows[0], 0, 5, HeadingHeight + 5);
    ASSERT_TRUE(tree->Editing());
    EXPECT_THROW(tree->BeginUpdate(true), std::runtime_error);
    EXPECT_EQ(tree->UpdateCount(), 0);
    EXPECT_FALSE(tree->Updating());
}

} // namespace

namespace {

// Every root row's index and top, as the tree answers them now.
struct RootRowPlaces {
    std::vector<int> Indexes;
    std::vector<int> Tops;
    friend bool operator==(const RootRowPlaces&, const RootRowPlaces&) = default;
};

RootRowPlaces PlacesOf(TILTree& tree)
{
    RootRowPlaces places;
    for (TILTreeNode* node : tree.Root()->Children()) {
        places.Indexes.push_back(node->GetIndex());
        places.Tops.push_back(node->Top());
    }
    return places;
}

} // namespace

TEST_F(LayoutTest, RowsPutAtTheFrontOrAddedAtTheEndLieWhereAWholeLayoutPutsThem)
{
    // A list that shows its newest row first, as the pick lists do, mixed with the changes
    // that need the whole order again: a row with children, a hidden row, rows deleted and
    // moved elsewhere, the view scrolled. After each step the places equal those of a layout
    // made from scratch.
    AddColumns({50});
    std::vector<TILTreeNode*> rows = AddRows(4);
    TILTreeNode* parent = rows[1];
    Add({"child"}, parent);
    parent->SetExpanded(true);
    rows[2]->SetHidden(true);
    tree->EnsureLayout();
    for (int step = 0; step < 60; ++step) {
        {
            TILTreeUpdateBracket bracket(tree, true, step % 2 == 0);
            TILTreeNode* row = Add({"N" + std::to_string(step)});
            rows.push_back(row);
            if (step % 5 != 4) {
                row->SetIndex(0);
            }
        }
        if (step % 7 == 3) {
            // Out of the middle, and one moved to the middle.
            TILTreeNode* doomed = tree->Root()->GetItem(tree->Root()->GetCount() / 2);
            std::erase(rows, doomed);
            if (doomed == parent) {
                parent = nullptr;
            }
            delete doomed;
            tree->Root()->GetItem(0)->SetIndex(tree->Root()->GetCount() / 3);
        }
        if (step % 11 == 5) {
            tree->ScrollVertical(RowHeight * 3 + 5);
        }
        if (step % 13 == 8 && parent != nullptr) {
            parent->SetExpanded(!parent->Expanded());
        }
        const RootRowPlaces kept = PlacesOf(*tree);
        for (int i = 0; i < static_cast<int>(kept.Indexes.size()); ++i) {
            ASSERT_EQ(kept.Indexes[static_cast<std::size_t>(i)], i) << "step " << step;
        }
        const fw::Bitmap shown = Render();
        tree->RelayoutAll();
        ASSERT_EQ(PlacesOf(*tree), kept) << "step " << step;
        tree->Invalidate();
        const fw::Bitmap whole = Render();
        ASSERT_EQ(shown.Width(), whole.Width());
        ASSERT_EQ(shown.Height(), whole.Height());
        for (int y = 0; y < whole.Height(); ++y) {
            for (int x = 0; x < whole.Width(); ++x) {
                ASSERT_EQ(shown.Pixel(x, y), whole.Pixel(x, y)) << "step " << step << " at " << x << "," << y;
            }
        }
    }
    // A row put at the front shows at the top, below the heading, once the view is back at
    // its start, and the row that was first follows it.
    tree->ScrollVertical(-tree->VertScrollPosition());
    TILTreeNode* first = tree->Root()->GetItem(0);
    TILTreeNode* newest = Add({"newest"});
    newest->SetIndex(0);
    EXPECT_EQ(tree->Root()->GetItem(0), newest);
    EXPECT_EQ(newest->Top(), HeadingHeight);
    EXPECT_EQ(first->GetIndex(), 1);
    EXPECT_EQ(first->Top(), HeadingHeight + newest->Height());
}
