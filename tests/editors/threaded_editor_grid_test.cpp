// The action grid of the threaded-in editor: its pages, its card and pack columns, its icons,
// and the turn and twist commands of its popup.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/tabbed_pages.h"
#include "framework/gui/std_speed_button.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::ActionsText;
using threaded_editor_test::CardsOnly;
using threaded_editor_test::EditorProgramTest;
using threaded_editor_test::RowCount;
using threaded_editor_test::RowTexts;

class ThreadedEditorGridTest : public EditorProgramTest {
protected:
    // The icon of the grid cell of a pick (1-based) in a column.
    static int Icon(const TfrmTWThreadedPattern& editor, int pickNumber, int column)
    {
        const TILTree& grid = *editor.lstGrid;
        const TILTreeNode* row = grid.Root()->GetItem(RowCount(grid) - pickNumber);
        EXPECT_NE(row, nullptr);
        const TILTreeCellInfo* info = row != nullptr ? row->FindCellInfo(column) : nullptr;
        return info != nullptr ? info->GetInteger() : -99;
    }
    static TILTreeNode* GridRow(const TfrmTWThreadedPattern& editor, int pickNumber)
    {
        return editor.lstGrid->Root()->GetItem(RowCount(*editor.lstGrid) - pickNumber);
    }
    // A right click on the grid at the point, choosing the popup item.
    void ChooseFromCellPopup(TILTree& grid, int x, int y, const std::string& choice)
    {
        popupChoice = choice;
        grid.MouseDown(fw::MouseButton::Right, fw::ShiftState{}, x, y);
        grid.MouseUp(fw::MouseButton::Right, fw::ShiftState{}, x, y);
    }
};

TEST_F(ThreadedEditorGridTest, TheGridTakesThePlaceOfThePickListsUntilReleased)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    EXPECT_TRUE(editor.ActionGridShown());
    EXPECT_EQ(editor.pcActions->ActivePage(), editor.pgActionGrid);
    EXPECT_TRUE(editor.pgIndividual->HidePage());
    EXPECT_TRUE(editor.pgPacks->HidePage());
    EXPECT_FALSE(editor.pgActionGrid->HidePage());
    EXPECT_TRUE(editor.btnShowActionGrid->Down());
    editor.ShowActionGrid(false);
    EXPECT_EQ(editor.pcActions->ActivePage(), editor.pgIndividual);
    EXPECT_TRUE(editor.pgActionGrid->HidePage());
    // No message for a pattern of card actions only.
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ThreadedEditorGridTest, CardColumnsAreNumberedAndWiderFromTheHundredAndFirst)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(120));
    editor.DoPick(false);
    editor.ShowActionGrid(true);
    TILTree& grid = *editor.lstGrid;
    ASSERT_EQ(grid.GetColumnCount(), 121);
    EXPECT_EQ(grid.GetColumn(0)->ID(), "PICK");
    EXPECT_EQ(grid.GetColumn(1)->Caption(), "1");
    EXPECT_EQ(grid.GetColumn(100)->Caption(), "100");
    EXPECT_EQ(grid.GetColumn(100)->Width(), 20);
    EXPECT_EQ(grid.GetColumn(101)->Width(), 25);
    EXPECT_EQ(grid.GetColumn(120)->Width(), 25);
    EXPECT_EQ(grid.GridPen().Color, 0xC0C0C0U);
}

TEST_F(ThreadedEditorGridTest, IconsShowEachCardsTurnAndTwistNewestPickFirst)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    ASSERT_EQ(RowCount(*editor.lstGrid), 16);
    EXPECT_EQ(RowTexts(*editor.lstGrid, 0)[0], "16");
    EXPECT_EQ(RowTexts(*editor.lstGrid, 15)[0], "1");
    EXPECT_EQ(Icon(editor, 1, 1), 0);   // forwards
    EXPECT_EQ(Icon(editor, 5, 1), 1);   // backwards
    EXPECT_EQ(Icon(editor, 9, 3), 3);   // twisted, forwards
    EXPECT_EQ(Icon(editor, 9, 4), 0);
    EXPECT_EQ(Icon(editor, 10, 6), 2);  // no turn: idle
}

TEST_F(ThreadedEditorGridTest, ThePopupIsOfferedOnCardCellsOnly)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    EXPECT_EQ(editor.lstGridBeforePopup(GridRow(editor, 3), 0), nullptr);
    EXPECT_EQ(editor.lstGridBeforePopup(nullptr, 2), nullptr);
    EXPECT_EQ(editor.lstGridBeforePopup(GridRow(editor, 3), 2), editor.pmGridActions);
    EXPECT_EQ(editor.GridPopupColumn(), 2);
    EXPECT_EQ(editor.GridPopupPick(), 3);
}

TEST_F(ThreadedEditorGridTest, PopupCommandsSetTheTurnOrToggleTheTwistOfTheCellClicked)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    TILTree& grid = *editor.lstGrid;
    grid.EnsureLayout();
    const TILTreeNode* row = GridRow(editor, 3);
    const TILTreeColumnData* card2 = grid.GetColumn(2);
    const int x = card2->Left() + 3;
    const int y = row->Top() + 2;
    ChooseFromCellPopup(grid, x, y, "Backward Turn");
    ASSERT_EQ(popups.size(), 1U);
    TTWPick& pick = *editor.Pattern()->Picks().Items(2);
    EXPECT_EQ(pick.Actions().FindCardTurn(2)->TurnDir(), TurnBackwards);
    EXPECT_EQ(Icon(editor, 3, 2), 1);
    // The band and the list follow.
    EXPECT_EQ(editor.FrontWeaving().Cell(1 + 2 - 1, 2)->TurnDir, TurnBackwards);
    EXPECT_EQ(RowTexts(*editor.lstActions, 16 - 3)[2], "2");

    ChooseFromCellPopup(grid, x, y, "Twist");
    EXPECT_EQ(ActionsText(pick).substr(0, 2), "2T");
    EXPECT_EQ(Icon(editor, 3, 2), 4);
    ChooseFromCellPopup(grid, x, y, "Idle");
    EXPECT_EQ(Icon(editor, 3, 2), 5);
    ChooseFromCellPopup(grid, x, y, "Twist");
    EXPECT_EQ(Icon(editor, 3, 2), 2);
    EXPECT_EQ(pick.Actions().FindCardTwist(2), nullptr);
}

TEST_F(ThreadedEditorGridTest, CorrectionsChangeTheirCellsAndLeaveTheColumnsAsTheWeaverSetThem)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    TILTree& grid = *editor.lstGrid;
    grid.EnsureLayout();
    TILTreeColumnData* card2 = grid.GetColumn(2);
    card2->SetWidth(card2->Width() + 17);
    const int widened = card2->Width();
    const TILTreeNode* row = GridRow(editor, 3);
    const int x = card2->Left() + 3;
    const int y = row->Top() + 2;
    ChooseFromCellPopup(grid, x, y, "Backward Turn");
    ASSERT_EQ(popups.size(), 1U);
    EXPECT_EQ(Icon(editor, 3, 2), 1);
    // The grid was not made again: the column keeps its width and the row is the same.
    EXPECT_EQ(grid.GetColumn(2)->Width(), widened);
    EXPECT_EQ(GridRow(editor, 3), row);
}

TEST_F(ThreadedEditorGridTest, AForwardTurnIsAddedForACardThatHadNone)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    ASSERT_EQ(editor.lstGridBeforePopup(GridRow(editor, 10), 6), editor.pmGridActions);
    editor.GridSetTurn(TurnForwards);
    const TTWAction* turn = editor.Pattern()->Picks().Items(9)->Actions().FindCardTurn(6);
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(turn->TurnDir(), TurnForwards);
    EXPECT_EQ(turn->Dist(), DistanceOneHole);
    EXPECT_EQ(Icon(editor, 10, 6), 0);
}

TEST_F(ThreadedEditorGridTest, PackPatternsShowOneColumnPerPack)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    editor.ShowActionGrid(true);
    TILTree& grid = *editor.lstGrid;
    ASSERT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetColumn(1)->Caption(), "Left");
    EXPECT_EQ(grid.GetColumn(2)->Caption(), "Right");
    EXPECT_EQ(Icon(editor, 5, 1), 3);
    EXPECT_EQ(Icon(editor, 3, 1), 1);
    EXPECT_EQ(Icon(editor, 3, 2), 0);
    // The popup addresses the pack.
    editor.lstGridBeforePopup(GridRow(editor, 1), 2);
    editor.GridSetTurn(TurnBackwards);
    EXPECT_EQ(editor.Pattern()->Picks().Items(0)->Actions().FindPackTurn("Right")->TurnDir(), TurnBackwards);
    EXPECT_EQ(Icon(editor, 1, 2), 1);
}

TEST_F(ThreadedEditorGridTest, CardAndPackActionsTogetherShowOnlyThePacks)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    editor.DoPick(false);   // card actions from the frames
    editor.ShowActionGrid(true);
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Unable to display the action grid.\r\nThis pattern has actions for "
                                                   "individual cards as well as packs;\r\nthese cannot be displayed "
                                                   "together."});
    EXPECT_EQ(boxes[0].Caption, "Information");
    ASSERT_EQ(editor.lstGrid->GetColumnCount(), 3);
    EXPECT_EQ(editor.lstGrid->GetColumn(1)->Caption(), "Left");
    // The card pick shows both packs idle.
    EXPECT_EQ(Icon(editor, 11, 1), 2);
    EXPECT_EQ(RowCount(*editor.lstGrid), 11);
}

} // namespace
