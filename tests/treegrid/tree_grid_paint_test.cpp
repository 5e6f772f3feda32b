// Painting: rows and cells, grid lines, merged cells, tree lines and buttons, headings, the
// empty areas, and painting only what is in view.

#include <gtest/gtest.h>

#include <map>

#include "framework/core/named_images.h"
#include "tree_grid_fixture.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_icons.h"

namespace {

constexpr fw::Color Red = 0x0000FF;
constexpr fw::Color Blue = 0xFF0000;
constexpr fw::Color Yellow = 0x00FFFF;
constexpr fw::Color Green = 0x00FF00;
constexpr fw::Color Grey = 0x808080;

class PaintTest : public TreeGridTest {
protected:
    void SetUp() override
    {
        TreeGridTest::SetUp();
        // Plain colours, so that a pixel tells which part painted it.
        tree->DefaultDrawNormal().Background().SetColour(0xFFFFFF);
        tree->DefaultDrawSelect().Background().SetColour(Blue);
    }

    // Counts the default drawing of cells, per node.
    void CountCells()
    {
        tree->SetBeforeDrawCell([this](TILTree*, fw::Canvas&, TILTreeColumnData*, TILTreeNode* node, const fw::Rect&,
                                       TILTreeColumnDrawData*) { ++cellsDrawn[node]; });
    }
    int CellsDrawn() const
    {
        int total = 0;
        for (const auto& [node, count] : cellsDrawn) {
            total += count;
        }
        return total;
    }

    std::map<const TILTreeNode*, int> cellsDrawn;
};

TEST_F(PaintTest, SelectedRowsShowTheSelectStyleAndRepaintAtOnce)
{
    AddColumns({60, 60});
    const auto rows = AddRows(3);
    Render();
    const int y = rows[1]->Top() + 1;
    EXPECT_EQ(tree->BackingStore().Pixel(1, y), 0xFFFFFFU);
    tree->SelectOnly(rows[1]);
    // Painted at once, without waiting for a paint of the control.
    EXPECT_EQ(tree->BackingStore().Pixel(1, y), Blue);
    EXPECT_EQ(tree->BackingStore().Pixel(119, y), Blue);
    EXPECT_EQ(tree->BackingStore().Pixel(120, y), 0xFFFFFFU) << "right of the last column";
    tree->DeselectAll();
    EXPECT_EQ(tree->BackingStore().Pixel(1, y), 0xFFFFFFU);
}

TEST_F(PaintTest, GridLinesRunRightOfColumnsAndBelowRows)
{
    AddColumns({60, 60});
    const auto rows = AddRows(3);
    tree->SetGridPen(fw::Pen{Red, 1, fw::PenStyle::Solid, fw::PenMode::Copy});
    Option(TILTreeDisplayOption::iltHorzGrid);
    Option(TILTreeDisplayOption::iltVertGrid);
    const fw::Bitmap picture = Render();
    const int top = rows[1]->Top();
    EXPECT_EQ(tree->GetColumn(1)->Left(), 61) << "the vertical grid line takes a pixel";
    EXPECT_EQ(picture.Pixel(60, top + 5), Red);
    EXPECT_EQ(picture.Pixel(121, top + 5), Red) << "right of the last column too";
    EXPECT_EQ(picture.Pixel(30, top + RowHeight), Red);
    EXPECT_EQ(picture.Pixel(30, top + RowHeight - 1), 0xFFFFFFU);
    EXPECT_EQ(picture.Pixel(30, top - 1), Red) << "under the row above";
    EXPECT_EQ(picture.Pixel(60, 5), Red) << "through the heading";
}

TEST_F(PaintTest, AMergedCellSpansItsColumnsWithTheFirstCellsContent)
{
    AddColumns({60, 60, 60});
    const auto rows = AddRows(2);
    rows[0]->SetCellText(1, "hidden by the merge");
    rows[0]->GetCellInfo(0)->SetFlag(iltCellMergeRight, true);
    tree->SetGridPen(fw::Pen{Red, 1, fw::PenStyle::Solid, fw::PenMode::Copy});
    Option(TILTreeDisplayOption::iltVertGrid);
    std::vector<std::pair<int, fw::Rect>> drawn;
    tree->SetBeforeDrawCell([&](TILTree*, fw::Canvas&, TILTreeColumnData* column, TILTreeNode* node,
                                const fw::Rect& extents, TILTreeColumnDrawData*) {
        if (node == rows[0]) {
            drawn.emplace_back(column->Index(), extents);
        }
    });
    const fw::Bitmap picture = Render();
    ASSERT_EQ(drawn.size(), 2U);
    EXPECT_EQ(drawn[0].first, 0);
    EXPECT_EQ(drawn[0].second, (fw::Rect{0, rows[0]->Top(), 120, rows[0]->Bottom()}));
    EXPECT_EQ(drawn[1].first, 2);
    EXPECT_NE(picture.Pixel(60, rows[0]->Top() + 5), Red) << "no grid line inside the merged cell";
    EXPECT_EQ(picture.Pixel(60, rows[1]->Top() + 5), Red);
    EXPECT_EQ(picture.Pixel(121, rows[0]->Top() + 5), Red);

    // A hidden column at the end of the run is left out of it.
    rows[0]->GetCellInfo(1)->SetFlag(iltCellMergeRight, true);
    tree->GetColumn(2)->SetIsHidden(true);
    drawn.clear();
    tree->Invalidate();
    Render();
    ASSERT_EQ(drawn.size(), 1U);
    EXPECT_EQ(drawn[0].second.Right, 120);
}

TEST_F(PaintTest, TreeLinesAndButtonsFollowTheLevels)
{
    AddColumns({120});
    const auto rows = AddRows(2);
    TILTreeNode* child = Add({"child"}, rows[0]);
    Add({"grandchild"}, child);
    rows[0]->SetExpanded(true);
    tree->ButtonIcons().SetKind(iltBtnIconNone);
    tree->SetColourLine(Green);
    tree->SetColourButton(Yellow);
    const fw::Bitmap picture = Render();
    const int indent = tree->Indent();

    // Level 1: the line sits in the middle of the button area, the button on it.
    const int x1 = indent / 2;
    const int mid0 = (rows[0]->Top() + rows[0]->Bottom()) / 2;
    EXPECT_EQ(picture.Pixel(x1, mid0 - 4), Grey) << "the button's frame";
    EXPECT_EQ(picture.Pixel(x1 - 3, mid0 - 3), Yellow) << "the button's fill";
    EXPECT_EQ(picture.Pixel(x1, mid0), 0x000000U) << "minus: expanded";
    EXPECT_NE(picture.Pixel(x1, mid0 - 2), 0x000000U) << "no plus stroke";
    EXPECT_EQ(picture.Pixel(x1, rows[0]->Top() + 1), 0xFFFFFFU) << "the first row's line starts at its middle";
    EXPECT_EQ(picture.Pixel(x1, rows[0]->Bottom()), Green) << "down to the next sibling";

    // Level 2 under an expanded parent with a following sibling: its parent's line passes
    // through the whole row.
    const int x2 = indent + indent / 2;
    const int midChild = (child->Top() + child->Bottom()) / 2;
    EXPECT_EQ(picture.Pixel(x1, child->Top()), Green);
    EXPECT_EQ(picture.Pixel(x1, child->Bottom()), Green);
    EXPECT_EQ(picture.Pixel(x2, midChild - 2), 0x000000U) << "plus: collapsed with children";
    EXPECT_EQ(picture.Pixel(x2 + 6, midChild), Green) << "the line to the content";
    EXPECT_EQ(picture.Pixel(x2, child->Bottom()), 0xFFFFFFU) << "the last child's line ends in the middle";

    // The last top-level row has no children: a line, no button, and it ends in the middle.
    const int mid1 = (rows[1]->Top() + rows[1]->Bottom()) / 2;
    EXPECT_EQ(picture.Pixel(x1, rows[1]->Top()), Green);
    EXPECT_EQ(picture.Pixel(x1, mid1), Green);
    EXPECT_EQ(picture.Pixel(x1, rows[1]->Bottom()), 0xFFFFFFU);
    EXPECT_EQ(picture.Pixel(x1 - 4, mid1 - 4), 0xFFFFFFU) << "no button";
}

TEST_F(PaintTest, WithoutTopLevelLinesOnlyButtonsTakeRoomAtLevelOne)
{
    AddColumns({120});
    const auto rows = AddRows(2);
    Add({"child"}, rows[0]);
    Option(TILTreeDisplayOption::iltNoTopLevelLine);
    Option(TILTreeDisplayOption::iltShowButtons, false);
    EXPECT_EQ(tree->ButtonArea(), 0);
    tree->SetColourLine(Green);
    const fw::Bitmap picture = Render();
    for (int y = rows[0]->Top(); y <= rows[1]->Bottom(); ++y) {
        EXPECT_NE(picture.Pixel(0, y), Green);
    }
    EXPECT_EQ(rows[1]->IndentOffset(), 2 + tree->DefaultDrawNormal().TextMargins().UsedLeft());
    Option(TILTreeDisplayOption::iltShowButtons);
    Render();
    EXPECT_EQ(rows[1]->IndentOffset(), tree->Indent() + 2 + tree->DefaultDrawNormal().TextMargins().UsedLeft());
}

TEST_F(PaintTest, ExpandingShowsTheWaitButtonFirst)
{
    AddColumns({120});
    const auto rows = AddRows(2);
    Add({"child"}, rows[0]);
    tree->ButtonIcons().SetKind(iltBtnIconNone);
    Render();
    const fw::Point centre = tree->ButtonCentre(rows[0]);
    bool sawWait = false;
    tree->SetBeforeExpandNode([&](TILTree*, TILTreeNode*) {
        const fw::Bitmap& store = tree->BackingStore();
        // Three dots: the middle and two pixels either side, but no vertical stroke.
        sawWait = store.Pixel(centre.X - 2, centre.Y) == 0 && store.Pixel(centre.X + 2, centre.Y) == 0
                  && store.Pixel(centre.X - 1, centre.Y) != 0 && store.Pixel(centre.X, centre.Y - 2) != 0;
        return true;
    });
    rows[0]->SetExpanded(true);
    EXPECT_TRUE(sawWait);
}

TEST_F(PaintTest, TheSharedButtonImagesAreDrawnTransparent)
{
    AddColumns({120});
    const auto rows = AddRows(1);
    Add({"child"}, rows[0]);
    const fw::Bitmap picture = Render();
    const fw::Bitmap* plus = TreeSharedImage("ILTREE_BTNICON_PLUS");
    ASSERT_NE(plus, nullptr);
    const fw::Point centre = tree->ButtonCentre(rows[0]);
    const int left = centre.X - plus->Width() / 2;
    const int top = centre.Y - plus->Height() / 2;
    int inked = 0;
    for (int y = 0; y < plus->Height(); ++y) {
        for (int x = 0; x < plus->Width(); ++x) {
            const fw::Color source = plus->Pixel(x, y);
            const fw::Color shown = picture.Pixel(left + x, top + y);
            if (source == fw::NamedImageKey) {
                EXPECT_NE(shown, fw::NamedImageKey) << "keyed pixels are left out";
            } else {
                EXPECT_EQ(shown, source);
                ++inked;
            }
        }
    }
    EXPECT_GT(inked, 0);
}

TEST_F(PaintTest, TheStripRightOfTheLastColumnFollowsFillTop)
{
    AddColumns({60});
    AddRows(2);
    tree->Headings().DrawStyle().Background().SetColour(Yellow);
    tree->DefaultDrawNormal().Background().SetColour(Green);
    fw::Bitmap picture = Render();
    EXPECT_EQ(picture.Pixel(150, 8), Yellow) << "in heading style";
    EXPECT_EQ(picture.Pixel(150, 60), Green);

    tree->Headings().SetFillTop(false);
    picture = Render();
    EXPECT_EQ(picture.Pixel(150, 8), Green) << "the normal background reaches up to the top";
}

TEST_F(PaintTest, HeadingCellsShowTheirFrameInvertedWhenPressed)
{
    AddColumns({60});
    TILTreeColumnDrawData& style = tree->Headings().DrawStyle();
    style.Borders().Top().SetPen(fw::Pen{Red, 1, fw::PenStyle::Solid, fw::PenMode::Copy});
    style.Borders().Bottom().SetPen(fw::Pen{Blue, 1, fw::PenStyle::Solid, fw::PenMode::Copy});
    style.Borders().Top().SetEnabled(true);
    style.Borders().Bottom().SetEnabled(true);
    fw::Bitmap picture = Render();
    EXPECT_EQ(picture.Pixel(30, 0), Red);
    EXPECT_EQ(picture.Pixel(30, HeadingHeight - 1), Blue);

    tree->GetColumn(0)->SetInvertHeader(true);
    tree->Invalidate();
    picture = Render();
    EXPECT_EQ(picture.Pixel(30, 0), Blue);
    EXPECT_EQ(picture.Pixel(30, HeadingHeight - 1), Red);
}

TEST_F(PaintTest, OnlyTheRowsInViewArePainted)
{
    AddColumns({60, 60, 60});
    AddRows(100000);
    tree->SetBounds(0, 0, 600, 400);
    CountCells();
    Render();
    // 384 pixels of band below the heading: 24 whole rows (the horizontal bar is not shown).
    EXPECT_EQ(CellsDrawn(), 24 * 3);

    cellsDrawn.clear();
    tree->ScrollVertical(50000 * RowHeight + 3);
    Render();
    EXPECT_EQ(cellsDrawn.size(), 25U) << "the cut rows at both edges";

    // A small invalid area repaints only the row under it.
    cellsDrawn.clear();
    TILTreeNode* row = tree->NodeAt(10, 100);
    tree->InvalidateRect(fw::Rect{10, 100, 20, 101});
    Render();
    EXPECT_EQ(cellsDrawn.size(), 1U);
    EXPECT_EQ(cellsDrawn[row], 1) << "and only the column there";
}

TEST_F(PaintTest, DrawingEventsAndCellStylesChooseTheLook)
{
    AddColumns({60, 60});
    const auto rows = AddRows(2);
    tree->GetColumn(1)->SetUseDefaultNormalStyle(false);
    tree->GetColumn(1)->NormalDraw().Background().SetColour(Yellow);
    rows[1]->SetDrawFlags(iltDrawOverrideBack);
    tree->SetOnOverrideBack([&](TILTree*, TILTreeColumnData* column, TILTreeNode*, fw::Brush& brush) {
        if (column->Index() == 0) {
            brush.Color = Green;
        }
    });
    tree->Invalidate();
    const fw::Bitmap picture = Render();
    EXPECT_EQ(picture.Pixel(70, rows[0]->Top() + 2), Yellow);
    EXPECT_EQ(picture.Pixel(5, rows[0]->Top() + 2), 0xFFFFFFU);
    EXPECT_EQ(picture.Pixel(50, rows[1]->Top() + 2), Green);

    // A cell's own colour shows when that cell alone is repainted.
    rows[0]->GetCellInfo(1)->SetBackColour(Red);
    tree->RepaintCell(rows[0], 1);
    EXPECT_EQ(tree->BackingStore().Pixel(70, rows[0]->Top() + 2), Red);
}

TEST_F(PaintTest, NothingIsPaintedInsideABracketOrWithoutAParent)
{
    AddColumns({60});
    const auto rows = AddRows(2);
    Render();
    const int before = tree->PaintCount();
    tree->BeginUpdate();
    tree->SelectOnly(rows[0]);
    EXPECT_EQ(tree->BackingStore().Pixel(5, rows[0]->Top() + 2), 0xFFFFFFU);
    tree->EndUpdate();
    fw::PaintPendingControls();
    EXPECT_EQ(tree->BackingStore().Pixel(5, rows[0]->Top() + 2), Blue);
    EXPECT_EQ(tree->PaintCount(), before + 1);

    TILTree orphan;
    orphan.Columns().Add();
    orphan.DefaultDrawNormal().Background().SetColour(Red);
    new TILTreeNode(orphan.Root());
    orphan.Repaint();
    EXPECT_NE(orphan.BackingStore().Pixel(100, 100), Red) << "a tree without a parent paints nothing";
}

TEST_F(PaintTest, CellWidthForShowsTheWholeTextWithItsMarginsInAnyColumn)
{
    AddColumns({20, 20});
    TILTreeNode* row = Add({"196087", "196087"});
    TILTreeNode* child = Add({"196087"}, row);
    row->SetExpanded(true);
    tree->DefaultDrawNormal().TextMargins().SetLeft(3);
    tree->DefaultDrawNormal().TextMargins().SetRight(5);
    const int textWidth = 6 * fw::FakePaintBackend::CharWidth;

    TILTreeColumnData* treeColumn = tree->GetColumn(0);
    TILTreeColumnData* other = tree->GetColumn(1);
    EXPECT_EQ(tree->CellWidthFor(other, row, "196087"), textWidth + 3 + 5);
    // The tree column places its text after the indent, the button and the node image.
    const int treeWidth = tree->CellWidthFor(treeColumn, row, "196087");
    EXPECT_EQ(treeWidth, tree->ComputeIndentOffset(row, tree->DefaultDrawNormal()) + textWidth + 5);
    EXPECT_GT(treeWidth, textWidth + 3 + 5);
    EXPECT_EQ(tree->CellWidthFor(treeColumn, child, "196087"), treeWidth + tree->Indent()) << "a level deeper";
    EXPECT_EQ(tree->CellWidthFor(other, row, ""), 3 + 5);
    // The child's lines and the row's button would share the ink's colour below.
    delete child;

    // At those widths every glyph of the number shows whole in its cell.
    treeColumn->SetWidth(treeWidth);
    other->SetWidth(tree->CellWidthFor(other, row, "196087"));
    const fw::Bitmap picture = Render();
    const fw::Color ink = fw::ColorToRGB(tree->DefaultDrawNormal().Font().Color);
    for (const TILTreeColumnData* column : {treeColumn, other}) {
        int inked = 0;
        for (int y = row->Top(); y < row->Top() + row->Height(); ++y) {
            for (int x = column->Left(); x <= column->Right(); ++x) {
                inked += picture.Pixel(x, y) == ink;
            }
        }
        EXPECT_EQ(inked, 6 * fw::FakePaintBackend::GlyphWidth * fw::FakePaintBackend::GlyphHeight) << column->Index();
    }
}

} // namespace
