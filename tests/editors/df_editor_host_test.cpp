// The double-face editor reaches the program only through its host: activation, page
// changes, renaming and closing are heard there. And the dialogs it runs: the colour buttons,
// the threading diagram, the print-out and the selvedge generator, each given the design's
// threaded-in form.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "df_editor_test_support.h"
#include "editors/selvedge_generator.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/display_profile.h"
#include "model/pattern_base.h"
#include "recording_host.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/report_threading_dialog.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

using df_editor_test::DFEditorTest;
using df_editor_test::HoleIndexes;
using editor_test::RecordingHost;

using DFEditorHostTest = DFEditorTest;

TEST_F(DFEditorHostTest, ActivationPagesRenamingAndClosingReachTheHost)
{
    RecordingHost host;
    auto* editor = new TfrmSimpleDoubleface(&Main(), 2);
    editor->SetEditorHost(&host);
    editor->FinishLoading();
    const fw::WeakRef<fw::Form> alive(editor);
    editor->OpenPattern(nullptr, std::string());
    fw::ProcessPostedMessages();
    EXPECT_TRUE(host.Heard(WM_TW_EDITORACTIVATED, PatternTypeDoubleFace));
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0));
    EXPECT_EQ(host.notesBound, static_cast<ITWFormActions*>(editor));
    ASSERT_FALSE(host.profileMenus.empty());
    EXPECT_EQ(host.profileMenus.back(), static_cast<int>(TTWProfileKind::Block));

    // The image page asks for the weaving image's profiles, the design page for the blocks'.
    host.notices.clear();
    editor->ShowPage(editor->pgImage);
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0));
    EXPECT_EQ(host.profileMenus.back(), static_cast<int>(TTWProfileKind::WeavingImage));
    editor->ShowPage(editor->pgPattern);
    EXPECT_EQ(host.profileMenus.back(), static_cast<int>(TTWProfileKind::Block));

    host.notices.clear();
    editor->SetPatternName("Braid");
    EXPECT_TRUE(host.Heard(WM_TW_EDITORNAMECHANGED, PatternTypeDoubleFace));
    ASSERT_FALSE(host.menuCaptions.empty());
    EXPECT_EQ(host.menuCaptions.back(), "Double-Face: Braid");

    host.notices.clear();
    answers.push_back(fw::mrYes);
    editor->Close();
    fw::ProcessPostedMessages();
    ASSERT_FALSE(alive);
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSDISABLED, 0));
    EXPECT_EQ(host.notesBound, nullptr);
}

using DFEditorDialogsTest = DFEditorTest;

TEST_F(DFEditorDialogsTest, TheColourButtonsSetTheHolesOfEveryCard)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF(TTWWindowKind::SixHoleDoubleFaceEditor);
    editor.SetPatternSize(3, 2);
    editor.SetColourPanel(editor.pnlPatternCol, 4);
    editor.SetColourPanel(editor.pnlBackCol, 6);
    editor.btnSetPatternCol->Click();
    editor.SetColourPanel(editor.pnlBackCol, 8);
    editor.btnSetBackCol->Click();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(i)), (std::vector<int>{4, 4, 4, 8, 8, 8}));
    }
    // Swapped, then the secondary replaced by the primary.
    editor.btnSwapColours->Click();
    EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(1)), (std::vector<int>{8, 8, 8, 4, 4, 4}));
    editor.btnReplaceColours->Click();
    EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(1)), (std::vector<int>{4, 4, 4, 4, 4, 4}));

    // Without a colour the buttons do nothing.
    editor.SetColourPanel(editor.pnlPatternCol, -1);
    editor.btnSetPatternCol->Click();
    editor.btnReplaceCol2->Click();
    EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(1)), (std::vector<int>{4, 4, 4, 4, 4, 4}));
}

TEST_F(DFEditorDialogsTest, TheDiagramAndThePrintOutAreGivenTheThreadedInForm)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPatternName("Print me");
    int diagramCards = -1;
    std::string diagramTitle;
    int printedPicks = -1;
    bool everyOther = false;
    modalScript = [&](fw::Form& form) {
        if (auto* diagram = dynamic_cast<TfrmTWPrintCards*>(&form)) {
            diagramCards = diagram->Cards() != nullptr ? diagram->Cards()->Count() : -1;
            diagramTitle = diagram->edTitle->Text();
        }
        if (auto* display = dynamic_cast<TfrmActionDisplay*>(&form)) {
            printedPicks = display->lstActions->Root()->GetCount();
            everyOther = display->EveryOtherPick();
        }
        form.SetModalResult(fw::mrCancel);
    };
    editor.PerformAction(TWAction::ThreadingDiagram, false, nullptr);
    EXPECT_EQ(diagramCards, 8);
    EXPECT_EQ(diagramTitle, "Print me");
    editor.PerformAction(TWAction::Print, false, nullptr);
    ASSERT_EQ(modalForms.size(), 2u);
    EXPECT_EQ(modalForms[1], "TfrmActionDisplay");
    // Twelve rows woven as 24 picks, listed one line per design row.
    EXPECT_TRUE(everyOther);
    EXPECT_EQ(printedPicks, 12);
}

TEST_F(DFEditorDialogsTest, SelvedgesAddedShowInTheBandAndAreSavedWithTheDesign)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.ShowPage(editor.pgImage);
    ASSERT_EQ(editor.FrontWeaving().Width(), 8);
    modalScript = [](fw::Form& form) {
        auto& generator = dynamic_cast<TfrmTWSelvedgeGenerator&>(form);
        EXPECT_EQ(generator.HoleCount(), 4);
        generator.frameCardsLeft->SetCardCount(2);
        generator.frameCardsRight->SetCardCount(3);
        form.SetModalResult(fw::mrOk);
    };
    editor.PerformAction(TWAction::Selvedges, false, nullptr);
    EXPECT_EQ(editor.FrontWeaving().Width(), 13);
    TTWDFPattern design;
    editor.GetDFPattern(design);
    EXPECT_EQ(design.SelvedgeLeft().Count(), 2);
    EXPECT_EQ(design.SelvedgeRight().Count(), 3);
}

} // namespace
