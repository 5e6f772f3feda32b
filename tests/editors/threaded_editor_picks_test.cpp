// Picks in the threaded-in editor: made from the card frames, listed newest first, repeated,
// deleted, undone and cleared; and the editor's commands and tool states.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/core/bitmap.h"
#include "framework/gui/control.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/action.h"
#include "model/display_profile.h"
#include "model/turning_codes.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::ActionsText;
using threaded_editor_test::CardsOnly;
using threaded_editor_test::EditorProgramTest;
using threaded_editor_test::RowCount;
using threaded_editor_test::RowTexts;

class ThreadedEditorPicksTest : public EditorProgramTest {
protected:
    TfrmThreadCardFrame& Frame(TfrmTWThreadedPattern& editor, int card)
    {
        TfrmThreadCardFrame* frame = editor.frmCards->GetFrame(card - 1);
        EXPECT_NE(frame, nullptr) << card;
        return *frame;
    }

    std::vector<std::string> PickTexts(const TfrmTWThreadedPattern& editor) const
    {
        std::vector<std::string> texts;
        for (const auto& pick : editor.Pattern()->Picks()) {
            texts.push_back(ActionsText(*pick));
        }
        return texts;
    }

    // The "PICK" column of every row, top first.
    static std::vector<std::string> PickColumn(const TILTree& tree)
    {
        std::vector<std::string> numbers;
        for (int row = 0; row < RowCount(tree); ++row) {
            numbers.push_back(RowTexts(tree, row)[0]);
        }
        return numbers;
    }
};

TEST_F(ThreadedEditorPicksTest, APickTakesEachCardFramesTurnThreadingAndIdleState)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(4));
    Frame(editor, 2).lblTurnDirClick();   // F -> B
    Frame(editor, 3).lblNumberClick();    // idle
    Frame(editor, 4).lblThreadClick();    // S -> Z: a twist first
    editor.DoPick(false);
    ASSERT_EQ(PickTexts(editor), (std::vector<std::string>{"1F 2B 4T 4F"}));
    EXPECT_EQ(RowTexts(*editor.lstActions, 0), (std::vector<std::string>{"1", "1; 4", "2", "4"}));
    EXPECT_EQ(editor.lblPicks->Caption(), "1");
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 1);

    // The twisted card now is Z: the next pick does not twist it again; the idle card stays
    // idle, the backward card backward.
    editor.DoPick(false);
    EXPECT_EQ(PickTexts(editor)[1], "1F 2B 4F");
    // Reverse exchanges forwards and backwards.
    editor.DoPick(true);
    EXPECT_EQ(PickTexts(editor)[2], "1B 2F 4B");
    EXPECT_EQ(PickColumn(*editor.lstActions), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(PickColumn(*editor.lstPackActions), (std::vector<std::string>{"3", "2", "1"}));
}

// Every row of both pick lists, top first.
std::vector<std::vector<std::string>> ListRows(const TfrmTWThreadedPattern& editor)
{
    std::vector<std::vector<std::string>> rows;
    for (const TILTree* list : {editor.lstActions, editor.lstPackActions}) {
        for (int row = 0; row < RowCount(*list); ++row) {
            rows.push_back(RowTexts(*list, row));
        }
    }
    return rows;
}

TEST_F(ThreadedEditorPicksTest, PicksAddedShowWhatAWholeRepaintAndAFreshFillOfTheListsShow)
{
    // A pick added moves what the band showed down and paints only the newest picks again,
    // and puts one row at the top of each list: the pixels and rows are those a whole
    // repaint and a refill give. Cards fall idle and turn again, so that floats begin, grow
    // across the newest pick and end there.
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(6));
    editor.frmImage->SetZoom(4);
    editor.frmImage->SetMarkLongFloats(true);
    editor.frmImage->SetMarkTwists(true);
    editor.frmImage->SetMarkDirChanges(true);
    editor.frmImage->SetShowPickTags(true);
    TWeavingImageView& view = *editor.frmImage->imgWeaving;
    bool taller = false;
    for (int pick = 1; pick <= 45; ++pick) {
        if (pick % 4 == 0) {
            Frame(editor, 2).lblNumberClick();
        }
        if (pick % 9 == 0) {
            Frame(editor, 5).lblNumberClick();
        }
        if (pick % 6 == 0) {
            Frame(editor, 3).lblTurnDirClick();
        }
        if (pick % 10 == 0) {
            Frame(editor, 4).lblThreadClick();
        }
        // What the screen showed before the pick.
        fw::RenderToBitmap(view);
        editor.DoPick(pick % 7 == 0);
        const fw::Bitmap shown = fw::RenderToBitmap(view);
        view.Invalidate();
        const fw::Bitmap whole = fw::RenderToBitmap(view);
        ASSERT_EQ(shown.Width(), whole.Width());
        ASSERT_EQ(shown.Height(), whole.Height());
        for (int y = 0; y < whole.Height(); ++y) {
            for (int x = 0; x < whole.Width(); ++x) {
                ASSERT_EQ(shown.Pixel(x, y), whole.Pixel(x, y)) << "pick " << pick << " at " << x << "," << y;
            }
        }
        taller = taller || editor.frmImage->scrImage->ImageSize().Height > view.ClientHeight();
    }
    // The band grew past the view: the new picks pushed shown ones out of it.
    EXPECT_TRUE(taller);
    const auto rows = ListRows(editor);
    ASSERT_EQ(rows.size(), 90U);
    EXPECT_EQ(rows.front().front(), "45");
    editor.RefillLists();
    EXPECT_EQ(ListRows(editor), rows);
}

TEST_F(ThreadedEditorPicksTest, APickWithEveryCardIdleHasNoActionsAndWeavesAnIdleRow)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(3));
    for (int card = 1; card <= 3; ++card) {
        Frame(editor, card).lblNumberClick();
    }
    editor.DoPick(false);
    ASSERT_EQ(editor.Pattern()->Picks().Count(), 1);
    EXPECT_EQ(editor.Pattern()->Picks().Items(0)->Actions().Count(), 0);
    EXPECT_EQ(RowTexts(*editor.lstActions, 0), (std::vector<std::string>{"1", "", "", ""}));
    ASSERT_EQ(editor.FrontWeaving().PickCount(), 1);
    for (int column = 0; column < 3; ++column) {
        EXPECT_TRUE(editor.FrontWeaving().Cell(column, 0)->IsIdle()) << column;
    }
}

TEST_F(ThreadedEditorPicksTest, TheReverseSideShowsTheBandAsItIsWhenItIsShown)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(3));
    editor.DoPick(false);
    editor.DoPick(false);
    // Shown after the picks were made: the side it shows has them.
    editor.PerformAction(TWAction::ShowReverse, true, nullptr);
    ASSERT_TRUE(editor.frmImage->GetShowReverse());
    const TTWWeaving* reverse = editor.frmImage->ReverseWeaving();
    ASSERT_NE(reverse, nullptr);
    EXPECT_EQ(reverse->PickCount(), 2);
    EXPECT_TRUE(reverse->Reverse());
    // While shown, it follows every pick at once.
    editor.DoPick(false);
    EXPECT_EQ(reverse->PickCount(), 3);
    // Hidden, then shown again after an undo: the undo is there.
    editor.PerformAction(TWAction::ShowReverse, false, nullptr);
    editor.PerformAction(TWAction::Undo, false, nullptr);
    editor.PerformAction(TWAction::ShowReverse, true, nullptr);
    EXPECT_EQ(editor.frmImage->ReverseWeaving()->PickCount(), 2);
    // The reverse is the front seen from behind: mirrored, with the opposite holes on top.
    const TTWWeaving& front = editor.FrontWeaving();
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(reverse->Cell(2 - column, 1)->Hole, (front.Cell(column, 1)->Hole + 2) % 4) << column;
    }
}

TEST_F(ThreadedEditorPicksTest, TheImagesOwnReverseButtonShowsTheBandAsItIs)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(3));
    editor.DoPick(false);
    editor.DoPick(false);
    // Pressed on the band's own tool bar, not through the main window's command.
    fw::SpeedButton& button = *editor.frmImage->btnShowReverse;
    ASSERT_TRUE(button.Visible());
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 2, 2);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 2, 2);
    ASSERT_TRUE(editor.frmImage->GetShowReverse());
    EXPECT_EQ(editor.frmImage->ReverseWeaving()->PickCount(), 2);
    // Hidden again, a pick later brought back by a profile from the image's own list.
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 2, 2);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 2, 2);
    ASSERT_FALSE(editor.frmImage->GetShowReverse());
    editor.DoPick(false);
    auto profile = std::make_unique<TTWDesignProfileWeavingImage>();
    profile->Name = "Back";
    profile->ShowReverse = true;
    UserSettings().EditorProfiles().Add(profile.release());
    popupChoice = "Back";
    fw::SpeedButton& profiles = *editor.frmImage->btnSelectProfile;
    profiles.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 2, 2);
    profiles.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 2, 2);
    ASSERT_TRUE(editor.frmImage->GetShowReverse());
    EXPECT_EQ(editor.frmImage->ReverseWeaving()->PickCount(), 3);
}

TEST_F(ThreadedEditorPicksTest, UndoTakesTheNewestPickAndItsTopRows)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    // Nothing to undo: nothing happens.
    EXPECT_TRUE(editor.PerformAction(TWAction::Undo, false, nullptr));
    EXPECT_EQ(editor.Pattern()->Picks().Count(), 0);

    editor.DoPick(false);
    Frame(editor, 1).lblTurnDirClick();
    editor.DoPick(false);
    EXPECT_EQ(PickTexts(editor), (std::vector<std::string>{"1F 2F", "1B 2F"}));
    editor.PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(PickTexts(editor), (std::vector<std::string>{"1F 2F"}));
    EXPECT_EQ(PickColumn(*editor.lstActions), (std::vector<std::string>{"1"}));
    EXPECT_EQ(PickColumn(*editor.lstPackActions), (std::vector<std::string>{"1"}));
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 1);
    EXPECT_EQ(editor.lblPicks->Caption(), "1");
}

TEST_F(ThreadedEditorPicksTest, UndoRemovesTheGridsTopRowWhenTheGridShows)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    ASSERT_EQ(RowCount(*editor.lstGrid), 16);
    editor.PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(RowCount(*editor.lstGrid), 15);
    EXPECT_EQ(RowTexts(*editor.lstGrid, 0)[0], "15");
}

TEST_F(ThreadedEditorPicksTest, ClearingAsksAndThenEmptiesEveryListAndTheBand)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    editor.ShowActionGrid(true);
    answers.push_back(fw::mrNo);
    editor.PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Do you want to undo all picks?"});
    EXPECT_EQ(editor.Pattern()->Picks().Count(), 16);
    EXPECT_EQ(RowCount(*editor.lstGrid), 16);

    answers.push_back(fw::mrYes);
    editor.PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_EQ(editor.Pattern()->Picks().Count(), 0);
    EXPECT_EQ(RowCount(*editor.lstActions), 0);
    EXPECT_EQ(RowCount(*editor.lstPackActions), 0);
    EXPECT_EQ(RowCount(*editor.lstGrid), 0);
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 0);
    EXPECT_EQ(editor.lblPicks->Caption(), "0");
    // The cards are kept.
    EXPECT_EQ(editor.Pattern()->Cards().Count(), 12);
}

TEST_F(ThreadedEditorPicksTest, RepeatCopiesTheSelectedPicksInSelectionOrder)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    editor.DoPick(false);                 // 1F 2F
    Frame(editor, 2).lblTurnDirClick();
    editor.DoPick(false);                 // 1F 2B
    Frame(editor, 1).lblTurnDirClick();
    editor.DoPick(false);                 // 1B 2B
    TILTree& list = *editor.lstActions;
    // Rows top down are picks 3, 2, 1: select pick 1, then pick 3.
    list.SelectOnly(list.Root()->GetItem(2));
    list.AddToSelection(list.Root()->GetItem(0));
    editor.mnuRepeatPickClick();
    EXPECT_EQ(PickTexts(editor), (std::vector<std::string>{"1F 2F", "1F 2B", "1B 2B", "1F 2F", "1B 2B"}));
    EXPECT_EQ(PickColumn(list), (std::vector<std::string>{"5", "4", "3", "2", "1"}));
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 5);
}

TEST_F(ThreadedEditorPicksTest, RepeatAddsRowsAndKeepsTheSelectionItCopied)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    editor.DoPick(false);
    editor.DoPick(false);
    TILTree& list = *editor.lstActions;
    TILTreeNode* oldest = list.Root()->GetItem(1);
    list.SelectOnly(oldest);
    editor.mnuRepeatPickClick();
    ASSERT_EQ(RowCount(list), 3);
    // The rows already there stay, and so does what was selected in them.
    EXPECT_EQ(list.Root()->GetItem(2), oldest);
    ASSERT_EQ(list.GetSelectedCount(), 1);
    EXPECT_EQ(list.GetSelectedItem(0), oldest);
    EXPECT_EQ(RowCount(*editor.lstPackActions), 3);
}

TEST_F(ThreadedEditorPicksTest, DeleteAsksForOneOrSeveralPicksAndRemovesThem)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    for (int i = 0; i < 4; ++i) {
        if (i == 2) {
            Frame(editor, 1).lblTurnDirClick();
        }
        editor.DoPick(false);
    }
    TILTree& list = *editor.lstActions;
    list.SelectOnly(list.Root()->GetItem(0));
    answers.push_back(fw::mrNo);
    editor.mnuDeletePickClick();
    EXPECT_EQ(BoxTexts().back(), "Delete this pick?");
    EXPECT_EQ(editor.Pattern()->Picks().Count(), 4);

    // Picks 2 and 3 (rows 2 and 1).
    list.SelectOnly(list.Root()->GetItem(2));
    list.AddToSelection(list.Root()->GetItem(1));
    answers.push_back(fw::mrYes);
    editor.mnuDeletePickClick();
    EXPECT_EQ(BoxTexts().back(), "Delete these picks?");
    EXPECT_EQ(PickTexts(editor), (std::vector<std::string>{"1F 2F", "1B 2F"}));
    EXPECT_EQ(PickColumn(list), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(PickColumn(*editor.lstPackActions), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 2);
}

TEST_F(ThreadedEditorPicksTest, TheListsPopupComesWithARightClickAndActsOnTheRowClicked)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    editor.DoPick(false);
    Frame(editor, 1).lblTurnDirClick();
    editor.DoPick(false);
    TILTree& list = *editor.lstActions;
    list.EnsureLayout();
    const TILTreeNode* second = list.Root()->GetItem(1);
    popupChoice = "Repeat";
    list.MouseDown(fw::MouseButton::Right, fw::ShiftState{}, 10, second->Top() + 2);
    list.MouseUp(fw::MouseButton::Right, fw::ShiftState{}, 10, second->Top() + 2);
    ASSERT_EQ(popups.size(), 1U);
    EXPECT_EQ(popups[0], editor.pmPickList);
    // The row clicked was pick 1.
    EXPECT_EQ(PickTexts(editor), (std::vector<std::string>{"1F 2F", "1B 2F", "1F 2F"}));
}

TEST_F(ThreadedEditorPicksTest, ToolStatesNameTheEditorsCommandsAndTheViewsAndEveryIdIsHandled)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    TTWToolActionList list;
    editor.GetToolActions(list);
    for (int id : {TWAction::PatternDetails, TWAction::CardSetup, TWAction::Save, TWAction::ThreadingDiagram,
                   TWAction::Notes, TWAction::Print, TWAction::Undo, TWAction::ClearDesign, TWAction::ZoomIn,
                   TWAction::ShowGrid, TWAction::ShowReverse}) {
        const TTWToolAction* action = list.Find(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_TRUE(action->Enabled) << id;
    }
    const TTWToolAction* cardList = list.Find(TWAction::CardList);
    ASSERT_NE(cardList, nullptr);
    EXPECT_TRUE(cardList->Enabled);
    EXPECT_TRUE(cardList->Down);
    // Not this editor's: block-design commands.
    EXPECT_EQ(list.Find(TWAction::Invert), nullptr);
    EXPECT_EQ(list.Find(TWAction::PatternSize), nullptr);
    // Every id counts as handled, known or not.
    EXPECT_TRUE(editor.PerformAction(TWAction::Invert, false, nullptr));
    EXPECT_TRUE(editor.PerformAction(9999, true, nullptr));
    // View commands reach the image.
    editor.PerformAction(TWAction::ShowReverse, true, nullptr);
    EXPECT_TRUE(editor.frmImage->GetShowReverse());
}

TEST_F(ThreadedEditorPicksTest, TheCardListHidesAndShowsAndReportsItsState)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    RecordToolReports();
    const int height = editor.pnlCards->Height();
    editor.PerformAction(TWAction::CardList, false, nullptr);
    EXPECT_FALSE(editor.CardListShown());
    EXPECT_FALSE(editor.frmCards->Visible());
    // Without packs the whole upper panel goes.
    EXPECT_FALSE(editor.pnlCards->Visible());
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().Id, TWAction::CardList);
    EXPECT_FALSE(reports.back().Down);
    EXPECT_FALSE(Main().CommandItem(TWAction::CardList)->Checked());

    // Hidden already: nothing happens and nothing is reported.
    const std::size_t reported = reports.size();
    editor.PerformAction(TWAction::CardList, false, nullptr);
    EXPECT_EQ(reports.size(), reported);

    editor.PerformAction(TWAction::CardList, true, nullptr);
    EXPECT_TRUE(editor.frmCards->Visible());
    EXPECT_TRUE(editor.pnlCards->Visible());
    EXPECT_EQ(editor.pnlCards->Height(), height);
    EXPECT_TRUE(reports.back().Down);
    TTWToolActionList list;
    editor.GetToolActions(list);
    EXPECT_TRUE(list.Find(TWAction::CardList)->Down);
}

TEST_F(ThreadedEditorPicksTest, HidingTheCardsWithPacksShownKeepsThePackSelector)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    editor.ShowPacks(true);
    editor.SetCardListShown(false);
    EXPECT_TRUE(editor.pnlCards->Visible());
    EXPECT_TRUE(editor.pnlPacks->Visible());
    EXPECT_FALSE(editor.frmCards->Visible());
    editor.ShowPacks(false);
    EXPECT_FALSE(editor.pnlCards->Visible());
}

// --- The Pick column --------------------------------------------------------------------------------

// The pick lists measured with the program's own fonts.
class ThreadedEditorPickColumnTest : public EditorProgramTest {
protected:
    void SetUp() override
    {
        paintBackend = &qtBackend_;
        EditorProgramTest::SetUp();
    }
    void TearDown() override
    {
        fw::SyncQtPeers();
        EditorProgramTest::TearDown();
    }

    // The width the top row's pick number needs in the list's Pick column: its text in the
    // cell's font, after what comes before the text (margin, indent) and before the right
    // margin.
    int NeededWidth(TILTree& tree)
    {
        TILTreeColumnData* column = tree.GetColumn(tree.Columns().IndexOfName("PICK"));
        TILTreeNode* row = tree.Root()->GetItem(0);
        EXPECT_NE(column, nullptr);
        EXPECT_NE(row, nullptr);
        if (column == nullptr || row == nullptr) {
            return 0;
        }
        const TILTreeColumnDrawData& drawData = *tree.CellDrawData(column, row);
        const std::string number = row->GetCellText(column->Index());
        const int text = qtBackend_.TextExtent(tree.CellFont(column, row, drawData), number).Width;
        const int before = column->Index() == tree.TreeColumn() ? tree.ComputeIndentOffset(row, drawData)
                                                                : drawData.TextMargins().UsedLeft();
        return before + text + drawData.TextMargins().UsedRight();
    }

    static int PickColumnWidth(const TILTree& tree)
    {
        return tree.GetColumn(tree.Columns().IndexOfName("PICK"))->Width();
    }

private:
    fw::QtPaintBackend qtBackend_;
};

TEST_F(ThreadedEditorPickColumnTest, ThePickColumnsWidenToTheHighestPickNumberAsPicksAreAdded)
{
    // One pick short of the first six-digit number.
    constexpr int Picks = 99999;
    std::unique_ptr<TTWPattern> pattern = CardsOnly(1);
    for (int pick = 0; pick < Picks; ++pick) {
        pattern->Picks().Add();
    }
    TfrmTWThreadedPattern& editor = OpenPattern(std::move(pattern));
    TILTree* const lists[] = {editor.lstActions, editor.lstPackActions};
    std::vector<int> fiveDigits;
    for (TILTree* list : lists) {
        ASSERT_EQ(RowTexts(*list, 0)[0], "99999");
        EXPECT_GE(PickColumnWidth(*list), NeededWidth(*list)) << list->Name();
        fiveDigits.push_back(PickColumnWidth(*list));
    }

    editor.DoPick(false);
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        TILTree& list = *lists[i];
        ASSERT_EQ(RowTexts(list, 0)[0], "100000") << list.Name();
        EXPECT_GE(PickColumnWidth(list), NeededWidth(list)) << list.Name();
        EXPECT_GT(PickColumnWidth(list), fiveDigits[i]) << list.Name() << ": a digit more takes room";
    }

    // A column the weaver widened stays as wide when picks come and go.
    editor.lstActions->GetColumn(0)->SetWidth(90);
    editor.PerformAction(TWAction::Undo, false, nullptr);
    editor.DoPick(false);
    EXPECT_EQ(PickColumnWidth(*editor.lstActions), 90);
}

TEST_F(ThreadedEditorPickColumnTest, TheGridsPickColumnFitsItsNumbersInTheGridsOwnFont)
{
    std::unique_ptr<TTWPattern> pattern = CardsOnly(2);
    for (int pick = 0; pick < 9; ++pick) {
        pattern->Picks().Add();
    }
    TfrmTWThreadedPattern& editor = OpenPattern(std::move(pattern));
    // A large font makes even two digits wider than the column starts.
    fw::Font large = editor.lstGrid->DefaultDrawNormal().Font();
    large.Height = -40;
    editor.lstGrid->DefaultDrawNormal().SetFont(large);
    editor.ShowActionGrid(true);
    ASSERT_EQ(RowTexts(*editor.lstGrid, 0)[0], "9");
    EXPECT_GE(PickColumnWidth(*editor.lstGrid), NeededWidth(*editor.lstGrid));
    const int oneDigit = PickColumnWidth(*editor.lstGrid);

    editor.DoPick(false);
    ASSERT_EQ(RowTexts(*editor.lstGrid, 0)[0], "10");
    EXPECT_GE(PickColumnWidth(*editor.lstGrid), NeededWidth(*editor.lstGrid));
    EXPECT_GT(PickColumnWidth(*editor.lstGrid), oneDigit);
}

} // namespace
