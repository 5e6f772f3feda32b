// The threaded-in editor's commands from the main window's menus and tool bar: its own
// (rename, cards, save, threading diagram, notes, print, card list, clear, undo) and, passed
// on, those of the weaving image.

#include <memory>

#include "controls/brush_panel.h"
#include "editors/card_frame_list.h"
#include "editors/card_setup_dialog.h"
#include "editors/threaded_editor.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/report_threading_dialog.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

bool IsTextFileName(const std::string& fileName)
{
    return fileName.size() >= 4 && fw::SameText(std::string_view(fileName).substr(fileName.size() - 4), ".txt");
}

bool AskYesNo(const std::string& question)
{
    return fw::MessageDlg(question, fw::MsgDlgType::Confirmation,
                          fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
           == fw::mrYes;
}

void RemoveTopRow(TILTree& tree)
{
    if (TILTreeNode* top = tree.Root()->GetItem(0)) {
        delete top;
    }
}

} // namespace

bool TfrmTWThreadedPattern::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::PatternDetails:
        RenamePattern();
        return true;
    case TWAction::CardSetup:
        EditCards();
        return true;
    case TWAction::Save:
        SavePattern();
        return true;
    case TWAction::ThreadingDiagram:
        PrintThreadingDiagram();
        return true;
    case TWAction::Notes:
        ToggleNotes();
        return true;
    case TWAction::Print:
        PrintActions();
        return true;
    case TWAction::CardList:
        SetCardListShown(down);
        return true;
    case TWAction::ClearDesign:
        ClearPicks();
        return true;
    case TWAction::Undo:
        UndoPick();
        return true;
    default:
        return frmImage->PerformAction(actionId, down, data);
    }
}

void TfrmTWThreadedPattern::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::PatternDetails, TWAction::CardSetup, TWAction::Save, TWAction::ThreadingDiagram,
                        TWAction::Notes, TWAction::Print, TWAction::Undo, TWAction::ClearDesign});
    frmImage->GetToolActions(list);
    list.SetAction(TWAction::CardList, true, cardListShown_);
}

void TfrmTWThreadedPattern::RenamePattern()
{
    std::string name = GetPatternName();
    if (fw::InputQuery("Pattern Name", "Enter Name:", name)) {
        SetPatternName(name);
    }
}

void TfrmTWThreadedPattern::EditCards()
{
    if (pattern_ == nullptr) {
        return;
    }
    pattern_->Cards().ResetAll();
    fw::Component* owner = DialogOwner();
    if (!TfrmCardSetup2::Execute(owner, pattern_->Cards(), holeCount_, true, &pattern_->Palette())) {
        // The cards were reset for the dialog; the band puts them back where the picks
        // leave them.
        PatternChanged(TTWPatternChange::Of(TTWPatternPart::CardColours));
        return;
    }
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::Cards));
}

void TfrmTWThreadedPattern::SavePattern()
{
    ITWEditorHost* host = EditorHost();
    if (pattern_ == nullptr || host == nullptr) {
        return;
    }
    std::string fileName = fileName_;
    if (!host->ExecuteSavePatternDialog(fileName, true)) {
        return;
    }
    pattern_->SaveToFile(fileName);
    // The text listing is an export: the pattern still lives in the file it came from.
    if (!IsTextFileName(fileName)) {
        fileName_ = fileName;
    }
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
}

void TfrmTWThreadedPattern::PrintThreadingDiagram()
{
    if (pattern_ == nullptr) {
        return;
    }
    fw::Component* owner = DialogOwner();
    const std::unique_ptr<TfrmTWPrintCards> diagram(new TfrmTWPrintCards(owner));
    diagram->Execute(&pattern_->Cards(), &pattern_->Palette(), pattern_->Name());
}

void TfrmTWThreadedPattern::ToggleNotes()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->ToggleNotes();
    }
}

void TfrmTWThreadedPattern::PrintActions()
{
    if (pattern_ == nullptr) {
        return;
    }
    const fw::Bitmap picture = frmImage->RenderPicture(false);
    fw::Component* owner = DialogOwner();
    TfrmActionDisplay::Execute(owner, *pattern_, false, picture.Empty() ? nullptr : &picture);
}

void TfrmTWThreadedPattern::SetCardListShown(bool show)
{
    if (show == cardListShown_) {
        return;
    }
    cardListShown_ = show;
    if (show) {
        frmCards->SetVisible(true);
        pnlCards->SetHeight(pnlCards->Height() + savedCardListHeight_);
        pnlCards->SetVisible(true);
    } else {
        savedCardListHeight_ = frmCards->Height();
        frmCards->SetVisible(false);
        pnlCards->SetHeight(pnlCards->Height() - savedCardListHeight_);
        if (!PacksShown()) {
            pnlCards->SetVisible(false);
        }
    }
    NotifyMainForm(TWAction::CardList, true, true, cardListShown_);
}

void TfrmTWThreadedPattern::ClearPicks()
{
    if (pattern_ == nullptr || !AskYesNo("Do you want to undo all picks?")) {
        return;
    }
    // The rows refer to the picks: they go first. The grid keeps its columns.
    lstActions->Clear();
    lstPackActions->Clear();
    lstGrid->Clear();
    pattern_->Picks().Clear();
    PatternChanged(TTWPatternChange::PicksRemoved(1));
}

void TfrmTWThreadedPattern::UndoPick()
{
    if (pattern_ == nullptr || pattern_->Picks().Count() == 0) {
        return;
    }
    // The rows refer to the pick: they go first.
    RemoveTopRow(*lstActions);
    RemoveTopRow(*lstPackActions);
    if (ActionGridShown() && lstGrid->Root()->GetCount() > 0) {
        RemoveTopRow(*lstGrid);
    }
    const int last = pattern_->Picks().Count();
    pattern_->Picks().Delete(last - 1);
    PatternChanged(TTWPatternChange::PicksRemoved(last));
}
