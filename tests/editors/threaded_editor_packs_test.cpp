// Packs in the threaded-in editor: the pack selector and the picks made from it, the pack
// columns of the pack list, showing the packs and the action panel, the toggle modes that
// packs rule out, breaking packs up and setting them up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "editors/pack_list_dialog.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/pack.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_headings.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::ActionsText;
using threaded_editor_test::EditorProgramTest;
using threaded_editor_test::RowCount;
using threaded_editor_test::RowTexts;

class ThreadedEditorPacksTest : public EditorProgramTest {
protected:
    static TILTreeNode* SelectorRow(TfrmTWThreadedPattern& editor, const char* caption)
    {
        return editor.lstPacks->Root()->FindByText(0, caption, true, false);
    }
    static std::string Heading(const TILTreeColumnData& column, int row)
    {
        return column.Headers().GetItem(row)->Caption();
    }
    static std::string LastPick(const TfrmTWThreadedPattern& editor)
    {
        const TTWPickList& picks = editor.Pattern()->Picks();
        return ActionsText(*picks.Items(picks.Count() - 1));
    }
    static void HideActionPanel(TfrmTWThreadedPattern& editor)
    {
        editor.btnHideActionPanel->SetDown(false);
        editor.btnHideActionPanelClick();
    }
};

TEST_F(ThreadedEditorPacksTest, TheSelectorHasAColumnPerPackWithItsNameAndCards)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    TILTree& selector = *editor.lstPacks;
    ASSERT_EQ(selector.GetColumnCount(), 3);
    EXPECT_EQ(selector.GetColumn(0)->Caption(), "Action");
    EXPECT_EQ(selector.GetColumn(0)->Width(), 75);
    EXPECT_EQ(Heading(*selector.GetColumn(1), 0), "Left");
    EXPECT_EQ(Heading(*selector.GetColumn(1), 1), "1 - 4");
    EXPECT_EQ(Heading(*selector.GetColumn(2), 0), "Right");
    EXPECT_EQ(Heading(*selector.GetColumn(2), 1), "5 - 8");
    for (int column = 1; column <= 2; ++column) {
        EXPECT_GE(selector.GetColumn(column)->Width(), 20);
        EXPECT_LE(selector.GetColumn(column)->Width(), 75);
        EXPECT_FALSE(selector.GetColumn(column)->Headers().GetItem(0)->IsInverted());
    }
    ASSERT_EQ(RowCount(selector), 2);
    EXPECT_EQ(RowTexts(selector, 0), (std::vector<std::string>{"Movement", "F", "F"}));
    EXPECT_EQ(RowTexts(selector, 1)[0], "Twist");
    EXPECT_EQ(selector.Root()->GetItem(1)->Tag(), 1);
}

TEST_F(ThreadedEditorPacksTest, PackListCellsShowEachPacksActions)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    TILTree& list = *editor.lstPackActions;
    ASSERT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumn(1)->ID(), "Left");
    EXPECT_EQ(list.GetColumn(2)->Caption(), "Right");
    // Ten picks, newest first: pick 5 twists Left, pick 8 turns Right by two holes.
    EXPECT_EQ(RowTexts(list, 10 - 5), (std::vector<std::string>{"5", "*F", "F"}));
    EXPECT_EQ(RowTexts(list, 10 - 8), (std::vector<std::string>{"8", "B", "F (2)"}));
    // The individual list spells the packs out as cards.
    EXPECT_EQ(RowTexts(*editor.lstActions, 10 - 5), (std::vector<std::string>{"5", "1 - 8", "", "1 - 4"}));
}

TEST_F(ThreadedEditorPacksTest, APickOfCardsReadsAsOneMessageAcrossThePackColumns)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    editor.DoPick(false);
    TILTreeNode* row = editor.lstPackActions->Root()->GetItem(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetCellText(1), "No pack actions defined.");
    ASSERT_NE(row->FindCellInfo(1), nullptr);
    EXPECT_TRUE(row->FindCellInfo(1)->HasFlag(iltCellMergeRight));
    // The last column is not merged into anything.
    EXPECT_TRUE(row->FindCellInfo(2) == nullptr || !row->FindCellInfo(2)->HasFlag(iltCellMergeRight));
}

TEST_F(ThreadedEditorPacksTest, ShowingPacksGrowsTheUpperPanelAndSwitchesToThePackList)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    const int height = editor.pnlCards->Height();
    editor.btnShowPacks->SetDown(true);
    editor.ShowPacks(true);
    EXPECT_TRUE(editor.PacksShown());
    EXPECT_EQ(editor.pnlCards->Height(), height + editor.pnlPacks->Height());
    EXPECT_EQ(editor.pcActions->ActivePage(), editor.pgPacks);
    EXPECT_TRUE(editor.btnShowPacks->Down());
    // The frames only show what the packs will do.
    EXPECT_FALSE(editor.frmCards->CanChangeDirection());
    EXPECT_FALSE(editor.frmCards->CanChangeThreading());

    editor.ShowPacks(false);
    EXPECT_FALSE(editor.PacksShown());
    EXPECT_EQ(editor.pnlCards->Height(), height);
    EXPECT_EQ(editor.pcActions->ActivePage(), editor.pgIndividual);
    EXPECT_FALSE(editor.btnShowPacks->Down());
    EXPECT_TRUE(editor.frmCards->CanChangeDirection());
    // Hidden already: nothing changes.
    editor.ShowPacks(false);
    EXPECT_EQ(editor.pnlCards->Height(), height);
}

TEST_F(ThreadedEditorPacksTest, PicksComeFromTheSelectorWhilePacksShow)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    editor.ShowPacks(true);
    TILTreeNode* movement = SelectorRow(editor, "Movement");
    TILTreeNode* twist = SelectorRow(editor, "Twist");
    ASSERT_NE(movement, nullptr);
    ASSERT_NE(twist, nullptr);
    editor.lstPacksCellClick(movement, 2);   // Right backwards
    editor.lstPacksCellClick(twist, 1);      // Left twisted
    EXPECT_EQ(RowTexts(*editor.lstPacks, 0), (std::vector<std::string>{"Movement", "F", "B"}));
    EXPECT_EQ(twist->FindCellInfo(1)->GetInteger(), 2);
    editor.DoPick(false);
    EXPECT_EQ(LastPick(editor), "LeftT LeftF RightB");
    EXPECT_EQ(RowTexts(*editor.lstPackActions, 0), (std::vector<std::string>{"11", "*F", "B"}));

    // A heading clicked leaves its pack out.
    editor.lstPacksHeaderClick(editor.lstPacks->GetColumn(1));
    EXPECT_TRUE(editor.lstPacks->GetColumn(1)->Headers().GetItem(0)->IsInverted());
    EXPECT_TRUE(editor.lstPacks->GetColumn(1)->Headers().GetItem(1)->IsInverted());
    editor.DoPick(false);
    EXPECT_EQ(LastPick(editor), "RightB");
    editor.DoPick(true);
    EXPECT_EQ(LastPick(editor), "RightF");
    // Clicked again, it takes part again; the movement goes back to forwards.
    editor.lstPacksHeaderClick(editor.lstPacks->GetColumn(1));
    editor.lstPacksCellClick(movement, 2);
    editor.lstPacksCellClick(twist, 1);
    EXPECT_EQ(twist->FindCellInfo(1)->GetInteger(), -1);
    editor.DoPick(false);
    EXPECT_EQ(LastPick(editor), "LeftF RightF");
}

TEST_F(ThreadedEditorPacksTest, SelectorClicksShowOnTheCardFramesOfThePack)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    editor.ShowPacks(true);
    TILTreeNode* movement = SelectorRow(editor, "Movement");
    TILTreeNode* twist = SelectorRow(editor, "Twist");
    std::vector<bool> threadingBefore;
    for (int card = 0; card < 8; ++card) {
        threadingBefore.push_back(editor.frmCards->GetFrame(card)->GetThreadingZ());
    }
    editor.lstPacksCellClick(movement, 2);
    editor.lstPacksCellClick(twist, 1);
    for (int card = 0; card < 8; ++card) {
        TfrmThreadCardFrame& frame = *editor.frmCards->GetFrame(card);
        const bool left = card < 4;
        EXPECT_EQ(frame.GetTurnDirection(), left ? TurnForwards : TurnBackwards) << card;
        EXPECT_EQ(frame.GetThreadingZ(), left ? !threadingBefore[static_cast<std::size_t>(card)]
                                               : threadingBefore[static_cast<std::size_t>(card)])
            << card;
    }
    // Clicks on the Action column do nothing.
    editor.lstPacksCellClick(movement, 0);
    EXPECT_EQ(RowTexts(*editor.lstPacks, 0)[0], "Movement");
}

TEST_F(ThreadedEditorPacksTest, TheActionPanelDecidesWhichButtonsWork)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    // Shown at start: picks are made, the image is only painted.
    EXPECT_TRUE(editor.btnHideActionPanel->Down());
    EXPECT_TRUE(editor.btnDoPick->Enabled());
    EXPECT_TRUE(editor.btnShowPacks->Enabled());
    EXPECT_FALSE(editor.btnToggleDir->Enabled());
    EXPECT_FALSE(editor.btnShowActionGrid->Enabled());
    EXPECT_TRUE(editor.btnToggleColours->Down());

    HideActionPanel(editor);
    EXPECT_FALSE(editor.pnlCards->Visible());
    EXPECT_FALSE(editor.bvlActions->Visible());
    EXPECT_TRUE(editor.btnToggleDir->Enabled());
    EXPECT_TRUE(editor.btnToggleIdle->Enabled());
    EXPECT_TRUE(editor.btnToggleTwist->Enabled());
    EXPECT_TRUE(editor.btnShowActionGrid->Enabled());
    EXPECT_FALSE(editor.btnDoPick->Enabled());
    EXPECT_FALSE(editor.btnDoPickReverse->Enabled());
    EXPECT_FALSE(editor.btnBreakPacks->Enabled());
    EXPECT_FALSE(editor.btnSetupPacks->Enabled());

    editor.btnToggleTwist->SetDown(true);
    editor.ShowActionGrid(true);
    ASSERT_TRUE(editor.ActionGridShown());
    // Shown again: the grid goes and colour painting comes back.
    editor.btnHideActionPanel->SetDown(true);
    editor.btnHideActionPanelClick();
    EXPECT_TRUE(editor.pnlCards->Visible());
    EXPECT_FALSE(editor.ActionGridShown());
    EXPECT_FALSE(editor.btnShowActionGrid->Down());
    EXPECT_EQ(editor.pcActions->ActivePage(), editor.pgIndividual);
    EXPECT_TRUE(editor.btnToggleColours->Down());
}

TEST_F(ThreadedEditorPacksTest, ToggleModesAreRefusedOncePacksHaveBeenUsed)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    HideActionPanel(editor);
    for (fw::SpeedButton* mode : {editor.btnToggleDir, editor.btnToggleTwist, editor.btnToggleIdle}) {
        boxes.clear();
        mode->SetDown(true);
        editor.ModeButtonClick(mode);
        ASSERT_EQ(BoxTexts(), std::vector<std::string>{"This mode cannot be entered once card packs have been used."});
        EXPECT_EQ(boxes[0].Caption, "Error");
        EXPECT_TRUE(editor.btnToggleColours->Down());
        EXPECT_FALSE(mode->Down());
    }
}

TEST_F(ThreadedEditorPacksTest, ToggleModesAreAllowedWithoutPackActions)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    HideActionPanel(editor);
    editor.btnToggleDir->SetDown(true);
    editor.ModeButtonClick(editor.btnToggleDir);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(editor.btnToggleDir->Down());
    EXPECT_FALSE(editor.btnToggleColours->Down());
}

TEST_F(ThreadedEditorPacksTest, BreakingPacksTurnsPackActionsIntoCardActions)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    answers.push_back(fw::mrNo);
    editor.btnBreakPacksClick();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Break pack actions up into individual cards?"});
    EXPECT_TRUE(editor.Pattern()->Picks().HasPackAction());

    answers.push_back(fw::mrYes);
    editor.btnBreakPacksClick();
    EXPECT_EQ(BoxTexts().back(), "Pack actions have been broken up.");
    EXPECT_EQ(boxes.back().Caption, "Information");
    EXPECT_FALSE(editor.Pattern()->Picks().HasPackAction());
    EXPECT_EQ(RowTexts(*editor.lstActions, 10 - 5), (std::vector<std::string>{"5", "1 - 8", "", "1 - 4"}));
    EXPECT_EQ(RowTexts(*editor.lstPackActions, 0)[1], "No pack actions defined.");
    // The band is woven the same as before.
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 10);
}

TEST_F(ThreadedEditorPacksTest, SettingUpPacksRebuildsTheSelectorAndThePackColumns)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::PacksFile);
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmPackList&>(form);
        dialog.btnAddPackClick();
        dialog.SetModalResult(fw::mrOk);
    };
    editor.btnSetupPacksClick();
    ASSERT_EQ(modalForms, std::vector<std::string>{"TfrmPackList"});
    ASSERT_EQ(editor.Pattern()->Packs().Count(), 3);
    ASSERT_EQ(editor.lstPacks->GetColumnCount(), 4);
    EXPECT_EQ(editor.lstPackActions->GetColumnCount(), 4);
    std::vector<std::string> names;
    for (int column = 1; column < 4; ++column) {
        names.push_back(editor.lstPackActions->GetColumn(column)->ID());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Left", "New Pack 1", "Right"}));

    // Cancelled, nothing is rebuilt.
    modalScript = {};
    editor.btnSetupPacksClick();
    EXPECT_EQ(editor.lstPacks->GetColumnCount(), 4);
}

} // namespace
