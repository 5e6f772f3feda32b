#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/paint_backend.h"
#include "tree_data_fixture.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_properties.h"

namespace {

using Strings = std::vector<std::string>;
using TreeColumnsTest = TreeDataTest;

// --- Widths --------------------------------------------------------------------------------------

TEST_F(TreeColumnsTest, WidthsStayWithinTheLimits)
{
    TILTreeColumnData* column = tree->GetColumn(0);
    column->SetWidth(5);
    EXPECT_EQ(column->Width(), 10);
    column->SetWidth(500);
    EXPECT_EQ(column->Width(), 500);
    column->SetMaxWidth(200);
    EXPECT_EQ(column->Width(), 200) << "a new upper limit lowers the width";
    column->SetWidth(500);
    EXPECT_EQ(column->Width(), 200);
    column->SetMaxWidth(0);
    column->SetWidth(500);
    EXPECT_EQ(column->Width(), 500);
}

TEST_F(TreeColumnsTest, LimitSettersKeepTheLimitsInOrder)
{
    TILTreeColumnData* column = tree->GetColumn(0);
    column->SetMaxWidth(50);
    column->SetMinWidth(80);
    EXPECT_EQ(column->MinWidth(), 50) << "lowered to the upper limit";
    EXPECT_EQ(column->Width(), 50);
    column->SetMinWidth(-4);
    EXPECT_EQ(column->MinWidth(), 1);
    column->SetMinWidth(20);
    column->SetMaxWidth(5);
    EXPECT_EQ(column->MaxWidth(), 20) << "raised to the lower limit";
    EXPECT_EQ(column->Width(), 20);
    column->SetMaxWidth(-3);
    EXPECT_EQ(column->MaxWidth(), 0);
    column->SetMinWidth(64);
    EXPECT_EQ(column->Width(), 64) << "raised to a new lower limit";
}

TEST_F(TreeColumnsTest, AChangedWidthIsReportedOnce)
{
    std::vector<TILTreeColumnData*> resized;
    tree->SetAfterColumnResize([&](TILTree*, TILTreeColumnData* column) { resized.push_back(column); });
    TILTreeColumnData* column = tree->GetColumn(1);
    column->SetWidth(64);
    column->SetWidth(90);
    column->SetWidth(90);
    EXPECT_EQ(resized, (std::vector<TILTreeColumnData*>{column}));
    tree->EnsureLayout();
    EXPECT_EQ(tree->GetColumn(2)->Left(), 64 + 90) << "later columns move";
}

// --- The list ------------------------------------------------------------------------------------

TEST_F(TreeColumnsTest, NamesAndCaptionsAreFoundWithoutRegardToCase)
{
    tree->GetColumn(1)->SetID("NAME");
    tree->GetColumn(2)->SetCaption("Colour");
    TILTreeColumnList& columns = tree->Columns();
    EXPECT_EQ(columns.IndexOfName("name"), 1);
    EXPECT_EQ(columns.FindByName("Name"), tree->GetColumn(1));
    EXPECT_EQ(columns.IndexOfName("missing"), -1);
    EXPECT_EQ(columns.FindByName("missing"), nullptr);
    EXPECT_EQ(columns.FindByCaption("COLOUR"), tree->GetColumn(2));
    EXPECT_EQ(columns.FindByCaption("x"), nullptr);
    EXPECT_EQ(columns.GetItem(3), nullptr);
    EXPECT_EQ(columns.GetItem(-1), nullptr);
}

TEST_F(TreeColumnsTest, VisibleCountsAndLastVisibleIndexFollowHidingAddingAndDeleting)
{
    TILTreeColumnList& columns = tree->Columns();
    EXPECT_EQ(columns.LastVisibleIndex(), 2);
    EXPECT_EQ(columns.VisibleCount(), 3);
    EXPECT_EQ(columns.VisibleWidth(), 3 * 64);
    tree->GetColumn(2)->SetIsHidden(true);
    EXPECT_EQ(columns.LastVisibleIndex(), 1);
    EXPECT_EQ(columns.VisibleWidth(), 2 * 64);
    columns.Add();
    EXPECT_EQ(columns.LastVisibleIndex(), 3);
    columns.Delete(3);
    EXPECT_EQ(columns.LastVisibleIndex(), 1);
    tree->GetColumn(0)->SetIsHidden(true);
    tree->GetColumn(1)->SetIsHidden(true);
    EXPECT_EQ(columns.LastVisibleIndex(), -1);
    EXPECT_EQ(columns.VisibleCount(), 0);
}

TEST_F(TreeColumnsTest, NeighboursSkipHiddenColumnsWhenAsked)
{
    tree->GetColumn(1)->SetIsHidden(true);
    EXPECT_EQ(tree->GetColumn(0)->NextColumn(false), tree->GetColumn(1));
    EXPECT_EQ(tree->GetColumn(0)->NextColumn(true), tree->GetColumn(2));
    EXPECT_EQ(tree->GetColumn(2)->PrevColumn(true), tree->GetColumn(0));
    EXPECT_EQ(tree->GetColumn(0)->PrevColumn(false), nullptr);
    EXPECT_EQ(tree->GetColumn(2)->NextColumn(false), nullptr);
}

TEST_F(TreeColumnsTest, VisibilityDependsOnTheClientWidthAndTheFixedArea)
{
    tree->Columns().Add(); // fourth column: 192 .. 255 of a 200-pixel tree
    TILTreeColumnData* fourth = tree->GetColumn(3);
    EXPECT_TRUE(tree->GetColumn(0)->IsFullyVisible());
    EXPECT_TRUE(fourth->IsVisible());
    EXPECT_FALSE(fourth->IsFullyVisible());
    tree->GetColumn(0)->SetWidth(150);
    EXPECT_FALSE(fourth->IsVisible());
    tree->GetColumn(0)->SetIsHidden(true);
    EXPECT_FALSE(tree->GetColumn(0)->IsVisible());
    EXPECT_TRUE(fourth->IsVisible());

    TILTreeColumnData detached;
    EXPECT_FALSE(detached.IsVisible());
}

// --- Headings ------------------------------------------------------------------------------------

TEST_F(TreeColumnsTest, EveryColumnHasOneHeadingCellPerHeadingRow)
{
    TILTreeHeadingRowCollection& rows = tree->Headings().HeadingRows();
    ASSERT_EQ(rows.Count(), 1);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(tree->GetColumn(c)->Headers().Count(), 1);
    }
    tree->Headings().SetHeight(22);
    TILTreeHeadingRow* second = rows.Add();
    EXPECT_EQ(second->Height(), 22) << "a new row takes the heading height";
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(tree->GetColumn(c)->Headers().Count(), 2);
    }
    EXPECT_EQ(tree->Columns().Add()->Headers().Count(), 2);

    tree->GetColumn(0)->Headers().GetItem(1)->SetCaption("second row");
    rows.Delete(0);
    EXPECT_EQ(tree->GetColumn(0)->Headers().Count(), 1);
    EXPECT_EQ(tree->GetColumn(0)->Caption(), "second row") << "cell i stays the cell of row i";
}

TEST_F(TreeColumnsTest, AssigningHeadingsKeepsTheColumnsCaptions)
{
    tree->GetColumn(0)->SetCaption("Name");
    TILTreeColumnHeadingData other;
    other.HeadingRows().Add()->SetHeight(30);
    other.HeadingRows().Add()->SetHeight(12);
    tree->Headings().Assign(&other);
    ASSERT_EQ(tree->Headings().HeadingRows().Count(), 2);
    EXPECT_EQ(tree->Headings().HeadingRows().GetItem(0)->Height(), 30);
    EXPECT_EQ(tree->GetColumn(0)->Caption(), "Name");
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(tree->GetColumn(c)->Headers().Count(), 2) << c;
    }

    // Columns copied from a list that knows no heading rows still get a cell per row.
    TILTreeColumnList detached;
    detached.Add()->SetCaption("Copied");
    tree->Columns().Assign(&detached);
    ASSERT_EQ(tree->Columns().Count(), 1);
    EXPECT_EQ(tree->GetColumn(0)->Caption(), "Copied");
    EXPECT_EQ(tree->GetColumn(0)->Headers().Count(), 2);
}

TEST_F(TreeColumnsTest, FirstHeadingCellCarriesTheColumnsCaptionHintAndLook)
{
    TILTreeColumnData* column = tree->GetColumn(0);
    column->SetCaption("Name");
    column->SetHeaderHint("hint");
    column->SetHeaderJustify(iltJustifyCentre);
    column->SetInvertHeader(true);
    column->SetIconIndex(3);
    TILTreeColumnHeaderCell* cell = column->Headers().GetItem(0);
    EXPECT_EQ(cell->Caption(), "Name");
    EXPECT_EQ(cell->DisplayName(), "Name");
    EXPECT_EQ(cell->Hint(), "hint");
    EXPECT_EQ(cell->Justify(), iltJustifyCentre);
    EXPECT_TRUE(cell->IsInverted());
    EXPECT_EQ(cell->IconIndex(), 3);
    EXPECT_EQ(cell->Column(), column);
    EXPECT_EQ(cell->Row(), 0);

    TILTreeColumnData detached;
    EXPECT_EQ(detached.Caption(), "");
    EXPECT_EQ(detached.Headers().Count(), 0);
    detached.SetCaption("made");
    EXPECT_EQ(detached.Headers().Count(), 1);
}

TEST_F(TreeColumnsTest, HeadingDataStartsInTheRaisedButtonLook)
{
    const TILTreeColumnHeadingData& headings = tree->Headings();
    EXPECT_TRUE(headings.Show());
    EXPECT_TRUE(headings.FillTop());
    EXPECT_FALSE(headings.UseColumnSettings());
    const TILTreeColumnDrawData& style = headings.DrawStyle();
    EXPECT_EQ(style.Background().Colour(), 0x8000000Fu);
    EXPECT_TRUE(style.Font().Style.Bold);
    EXPECT_EQ(style.Justify(), iltJustifyDefault);
    EXPECT_TRUE(style.Borders().Left().Enabled());
    EXPECT_EQ(style.Borders().Top().Pen().Color, 0x80000014u);
    EXPECT_EQ(style.Borders().Right().Pen().Color, 0x80000010u);
    EXPECT_TRUE(style.Borders().Bottom().Counts());
    EXPECT_EQ(headings.VisibleHeight(), 16);
    tree->Headings().HeadingRows().GetItem(0)->SetIsVisible(false);
    EXPECT_EQ(headings.VisibleHeight(), 0);
    EXPECT_EQ(tree->Headings().HeadingRows().GetItem(0)->Bottom(), -1);
}

class HeadingClickTest : public TreeDataTest {
protected:
    void SetUp() override
    {
        TreeDataTest::SetUp();
        for (const char* text : {"b", "c", "a"}) {
            Add(Root(), {text});
        }
        column = tree->GetColumn(0);
        column->SetAutoSort(iltSortAlphaAscend);
        tree->EnsureLayout();
    }
    TILTreeColumnData* column = nullptr;
};

TEST_F(HeadingClickTest, AClickSortsAndASecondReversesWhileTheCellShowsPressedOnlyDuringIt)
{
    TILTreeColumnHeaderCell* cell = column->Headers().GetItem(0);
    bool pressedDuringSort = false;
    column->SetOnCustomSortCompare([&](TILTreeNode*, TILTreeNode*) {
        pressedDuringSort = cell->IsInverted();
        return 0;
    });
    column->HeadingClick(10, 5);
    EXPECT_EQ(column->LastClickedCell(), cell);
    EXPECT_EQ(Texts(Root()), (Strings{"a", "b", "c"}));
    EXPECT_FALSE(cell->IsInverted());
    column->HeadingClick(10, 5);
    EXPECT_EQ(Texts(Root()), (Strings{"c", "b", "a"}));

    column->SetAutoSort(iltSortCustom);
    column->HeadingClick(10, 5);
    EXPECT_TRUE(pressedDuringSort);
    EXPECT_FALSE(cell->IsInverted());
}

TEST_F(HeadingClickTest, IgnoredCellsNeitherInvertNorSort)
{
    TILTreeColumnHeaderCell* cell = column->Headers().GetItem(0);
    cell->SetIgnoreClicks(true);
    bool handlerCalled = false;
    column->SetOnHeaderClick([&](TILTree*, TILTreeColumnData*) { handlerCalled = true; });
    column->HeadingClick(10, 5);
    EXPECT_EQ(column->LastClickedCell(), cell);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));
    EXPECT_FALSE(cell->IsInverted());
    EXPECT_FALSE(handlerCalled) << "not even the handler hears of it";
}

TEST_F(HeadingClickTest, AHeaderClickHandlerReplacesTheSort)
{
    std::vector<TILTreeColumnData*> clicked;
    bool invertedInside = false;
    column->SetOnHeaderClick([&](TILTree*, TILTreeColumnData* which) {
        clicked.push_back(which);
        invertedInside = which->Headers().GetItem(0)->IsInverted();
    });
    column->HeadingClick(10, 5);
    EXPECT_EQ(clicked, (std::vector<TILTreeColumnData*>{column}));
    EXPECT_TRUE(invertedInside);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));

    column->SetOnHeaderClick(nullptr);
    column->SetOptions(TILTreeColumnOptions{iltOptDisableAutoSort});
    column->HeadingClick(10, 5);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));
}

TEST_F(HeadingClickTest, AClickBelowTheHeadingFindsNoCell)
{
    column->HeadingClick(10, 40);
    EXPECT_EQ(column->LastClickedCell(), nullptr);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));
}

TEST_F(HeadingClickTest, LinkedCellsAreClickedAsTheirGroup)
{
    TILTreeColumnHeaderCell* first = tree->GetColumn(0)->Headers().GetItem(0);
    TILTreeColumnHeaderCell* second = tree->GetColumn(1)->Headers().GetItem(0);
    TILTreeColumnHeaderCell* third = tree->GetColumn(2)->Headers().GetItem(0);
    first->SetLinked(TILTreeCellEdges{iltEdgeRight});
    EXPECT_EQ(tree->Columns().HeadingCellAt(70, 5), first);
    EXPECT_EQ(tree->Columns().HeadingCellAt(140, 5), third);

    // A hidden column between two cells does not break the link: the neighbour is the next
    // column that shows.
    second->SetLinked(TILTreeCellEdges{iltEdgeRight});
    tree->GetColumn(1)->SetIsHidden(true);
    const TILTreeHeadingCellGroup group = tree->Columns().HeadingCellGroup(third);
    EXPECT_EQ(group.Anchor, first);
    EXPECT_EQ(group.FirstColumn, 0);
    EXPECT_EQ(group.LastColumn, 2);
    EXPECT_EQ(group.FirstRow, 0);
    EXPECT_EQ(group.LastRow, 0);
}

TEST_F(HeadingClickTest, LinksAcrossRowsJoinCellsVertically)
{
    tree->Headings().HeadingRows().Add();
    TILTreeColumnHeaderCell* top = tree->GetColumn(1)->Headers().GetItem(0);
    TILTreeColumnHeaderCell* bottom = tree->GetColumn(1)->Headers().GetItem(1);
    bottom->SetLinked(TILTreeCellEdges{iltEdgeTop});
    const TILTreeHeadingCellGroup group = tree->Columns().HeadingCellGroup(bottom);
    EXPECT_EQ(group.Anchor, top);
    EXPECT_EQ(group.FirstRow, 0);
    EXPECT_EQ(group.LastRow, 1);
    EXPECT_EQ(group.FirstColumn, 1);
    EXPECT_EQ(group.LastColumn, 1);
    EXPECT_EQ(tree->Columns().HeadingCellGroup(tree->GetColumn(0)->Headers().GetItem(1)).Anchor,
              tree->GetColumn(0)->Headers().GetItem(1));
}

TEST_F(HeadingClickTest, DoubleClicksReachOnlyTheirHandler)
{
    int doubleClicks = 0;
    column->HeadingDblClick();
    column->SetOnHeaderDblClick([&](TILTree* sender, TILTreeColumnData* which) {
        EXPECT_EQ(sender, tree.get());
        EXPECT_EQ(which, column);
        ++doubleClicks;
    });
    column->HeadingDblClick();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));
}

// --- Sizing and copying --------------------------------------------------------------------------

TEST_F(TreeColumnsTest, AutoSizeFitsCaptionBordersMarginsAndTheSortMark)
{
    fw::FakePaintBackend backend;
    tree->SetPaintBackend(&backend);
    TILTreeColumnData* column = tree->GetColumn(1);
    column->SetCaption("Name");
    // 4 characters of 6 pixels, two one-pixel borders and two margins of 2.
    column->AutoSizeColumn(0, 0, 0);
    EXPECT_EQ(column->Width(), 24 + 2 + 4);
    column->AutoSizeColumn(40, 0, 0);
    EXPECT_EQ(column->Width(), 40);
    column->AutoSizeColumn(0, 20, 0);
    EXPECT_EQ(column->Width(), 20);

    column->SetAutoSort(iltSortAlphaAscend);
    column->SortNodes(false);
    const fw::Bitmap* mark = TreeSharedImage("ILTREE_SORTICON_DESCEND");
    ASSERT_NE(mark, nullptr);
    column->AutoSizeColumn(0, 0, 0);
    EXPECT_EQ(column->Width(), 30 + mark->Width());
    tree->Headings().SortIcons().SetKind(iltBtnIconNone);
    column->AutoSizeColumn(0, 0, 0);
    EXPECT_EQ(column->Width(), 30) << "no mark with sort icons of kind none";
    tree->SetPaintBackend(nullptr);
}

TEST_F(TreeColumnsTest, AssignCopiesSettingsHeadingsAndEvents)
{
    TILTreeColumnData* source = tree->GetColumn(0);
    source->SetCaption("Src");
    source->SetMinWidth(30);
    source->SetMaxWidth(90);
    source->SetWidth(80);
    source->SetAutoSort(iltSortIntDescend);
    source->SetAutoSortChildren(false);
    source->SetToggleSort(false);
    source->SetJustifyOverride(iltJustifyBottomRight);
    source->SetWrapOverride(iltWrapEnabled);
    source->SetTag(5);
    source->SetID("src");
    source->SetCanResize(false);
    source->SetDefaultDraw(false);
    source->SetUseDefaultNormalStyle(false);
    source->NormalDraw().SetWordWrap(true);
    source->SetOptions(TILTreeColumnOptions{iltColOptAutoSize});
    int drawn = 0;
    source->SetOnDraw([&](TILTreeColumnData*, TILTreeNode*, const fw::Rect&, fw::Canvas&) { ++drawn; });

    TILTreeColumnData* copy = tree->GetColumn(2);
    copy->Assign(source);
    EXPECT_EQ(copy->Caption(), "Src");
    EXPECT_EQ(copy->MinWidth(), 30);
    EXPECT_EQ(copy->MaxWidth(), 90);
    EXPECT_EQ(copy->Width(), 80);
    EXPECT_EQ(copy->AutoSort(), iltSortIntDescend);
    EXPECT_FALSE(copy->AutoSortChildren());
    EXPECT_FALSE(copy->ToggleSort());
    EXPECT_EQ(copy->JustifyOverride(), iltJustifyBottomRight);
    EXPECT_EQ(copy->WrapOverride(), iltWrapEnabled);
    EXPECT_EQ(copy->Tag(), 5);
    EXPECT_EQ(copy->ID(), "src");
    EXPECT_FALSE(copy->CanResize());
    EXPECT_FALSE(copy->DefaultDraw());
    EXPECT_FALSE(copy->UseDefaultNormalStyle());
    EXPECT_TRUE(copy->NormalDraw().WordWrap());
    EXPECT_TRUE(copy->Options().Contains(iltColOptAutoSize));
    ASSERT_TRUE(static_cast<bool>(copy->OnDraw()));
    fw::Bitmap bitmap(1, 1);
    fw::Canvas canvas(bitmap);
    copy->OnDraw()(copy, nullptr, fw::Rect{}, canvas);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(copy->Headers().GetItem(0)->Column(), copy);
}

TEST_F(TreeColumnsTest, MovingAndCopyingColumnsKeepsIndexesRight)
{
    tree->GetColumn(0)->SetCaption("zero");
    tree->GetColumn(2)->SetCaption("two");
    tree->GetColumn(2)->SetIndex(0);
    EXPECT_EQ(tree->GetColumn(0)->Caption(), "two");
    EXPECT_EQ(tree->GetColumn(1)->Caption(), "zero");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tree->GetColumn(i)->Index(), i);
    }
    tree->GetColumn(1)->SetIndex(7);
    EXPECT_EQ(tree->GetColumn(1)->Caption(), "zero");

    TILTreeColumnList copy;
    copy.Assign(&tree->Columns());
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.GetItem(0)->Caption(), "two");
    EXPECT_EQ(copy.GetItem(0)->Columns(), &copy);
    EXPECT_EQ(copy.GetItem(0)->Tree(), nullptr);
    EXPECT_NE(copy.GetItem(0), tree->GetColumn(0));
    copy.GetItem(1)->SetIsHidden(true);
    copy.GetItem(2)->SetIsHidden(true);
    EXPECT_EQ(copy.LastVisibleIndex(), 0);
}

TEST_F(TreeColumnsTest, DeletingTheSortColumnForgetsIt)
{
    tree->SetSortColumn(tree->GetColumn(1));
    tree->Columns().Delete(1);
    EXPECT_EQ(tree->SortColumn(), nullptr);
}

} // namespace
