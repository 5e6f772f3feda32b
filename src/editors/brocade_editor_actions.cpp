// The brocade editor's commands from the main window's menus and tool bar: its own (name,
// cards, save, threading cards, notes, size, print, long floats, the ground weave) and,
// passed on, those of the frame on the page shown.

#include <memory>
#include <string>

#include "controls/tabbed_pages.h"
#include "editors/brocade_editor.h"
#include "editors/brocade_image_frame.h"
#include "editors/brocade_pattern_frame.h"
#include "editors/brocade_print_dialog.h"
#include "editors/card_setup_dialog.h"
#include "editors/card_setup_row.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "model/brocade_pattern.h"
#include "model/card_list.h"
#include "model/pattern_base.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/report_threading_dialog.h"
#include "shell/size_dialog.h"
#include "shell/tool_actions.h"

bool TfrmBrocade::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
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
        PrintThreadingCards();
        return true;
    case TWAction::Notes:
        if (ITWEditorHost* host = EditorHost()) {
            host->ToggleNotes();
        }
        return true;
    case TWAction::PatternSize:
        EditSize();
        return true;
    case TWAction::Print:
        PrintPattern();
        return true;
    case TWAction::ShowLongFloats:
        LongFloatsCommand(down, data);
        return true;
    case TWAction::ImportGroundWeave:
        ImportGroundWeave();
        return true;
    case TWAction::ClearGroundWeave:
        RemoveGroundWeave();
        return true;
    default:
        if (ImagePageShown()) {
            frameWeaving->PerformAction(actionId, down, data);
        } else {
            framePattern->PerformAction(actionId, down, data);
        }
        return true;
    }
}

void TfrmBrocade::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::PatternDetails, TWAction::Save, TWAction::Notes, TWAction::Print,
                        TWAction::ThreadingDiagram, TWAction::ShowLongFloats, TWAction::CardSetup,
                        TWAction::ImportGroundWeave});
    list.SetAction(TWAction::ClearGroundWeave, pattern_->HasGroundWeave(), false);
    if (ImagePageShown()) {
        frameWeaving->GetToolActions(list);
        return;
    }
    framePattern->GetToolActions(list);
    list.EnableActions({TWAction::PatternSize});
    list.DisableActions({TWAction::ShowUnderlyingBlockPattern, TWAction::ShowTwining});
    // On this page the button shows the grid's own marking: the next press must be able to
    // switch it off.
    list.SetAction(TWAction::ShowLongFloats, true, markLongFloats_);
}

void TfrmBrocade::PasteClip(fw::Object* source)
{
    framePattern->PasteClip(source);
}

void TfrmBrocade::LongFloatsCommand(bool down, fw::Object* data)
{
    if (ImagePageShown()) {
        frameWeaving->PerformAction(TWAction::ShowLongFloats, down, data);
    } else {
        SetMarkLongFloats(down);
    }
}

void TfrmBrocade::RenamePattern()
{
    std::string name = GetPatternName();
    if (fw::InputQuery("Pattern Name", "Enter Name:", name)) {
        SetPatternName(name);
    }
}

void TfrmBrocade::EditCards()
{
    TfrmCardSetupCompact* row = framePattern->frameCards;
    // The dialog edits the cards as the card row shows them now, edits made there included.
    row->CopyToList(pattern_->Cards());
    pattern_->Cards().SetPalette(&pattern_->Palette());
    if (!TfrmCardSetup2::Execute(DialogOwner(), pattern_->Cards(), row->HoleCount(), false, &pattern_->Palette())) {
        return;
    }
    {
        const fw::ScopedCursor busy;
        row->LoadFromCardList(pattern_->Cards());
        framePattern->Refresh();
    }
    if (ImagePageShown()) {
        RefreshPicture();
    }
}

void TfrmBrocade::SavePattern()
{
    StoreGrid();
    ITWEditorHost* host = EditorHost();
    if (host == nullptr) {
        return;
    }
    std::string fileName = fileName_;
    // A brocade has no text listing of its own: only the pattern file.
    if (!host->ExecuteSavePatternDialog(fileName, false)) {
        return;
    }
    pattern_->SaveToFile(fileName);
    fileName_ = fileName;
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeBrocade);
}

void TfrmBrocade::PrintThreadingCards()
{
    framePattern->frameCards->CopyToList(pattern_->Cards());
    pattern_->Cards().SetPalette(&pattern_->Palette());
    const std::unique_ptr<TfrmTWPrintCards> diagram(new TfrmTWPrintCards(DialogOwner()));
    diagram->Execute(&pattern_->Cards(), &pattern_->Palette(), pattern_->Name());
}

void TfrmBrocade::EditSize()
{
    int width = framePattern->GridWidth();
    int picks = framePattern->GridHeight();
    if (!TfrmSize::Execute(DialogOwner(), width, picks)) {
        return;
    }
    const fw::ScopedCursor busy;
    SetDesignSize(width, picks);
    if (ImagePageShown()) {
        RefreshPicture();
    }
}

void TfrmBrocade::PrintPattern()
{
    StoreGrid();
    const fw::Bitmap& picture = framePattern->MainImage();
    TfrmGenerateBrocade::Execute(DialogOwner(), *pattern_, picture.Empty() ? nullptr : &picture);
    // Printing with the ground included gives the pattern the ground's cards and picks; the
    // band shown is woven from them again.
    if (ImagePageShown()) {
        RefreshPicture();
    }
}
