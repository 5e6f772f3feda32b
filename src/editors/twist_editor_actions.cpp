// The twist-patterned editor's commands from the main window's menus and tool bar: its own
// (name, save, notes, size, print) and, passed on, those of the frame on the page shown.

#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/turning_actions_display.h"
#include "editors/twist_editor.h"
#include "editors/twist_size_dialog.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/dialogs.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/twist_pattern.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"

bool TfrmTWWarpTwinedPatternNonMDI::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::PatternDetails:
        RenamePattern();
        return true;
    case TWAction::Save:
        SavePattern();
        return true;
    case TWAction::Notes:
        ToggleNotes();
        return true;
    case TWAction::PatternSize:
        EditSize();
        return true;
    case TWAction::Print:
        PrintActions();
        return true;
    default:
        if (ImagePageShown()) {
            return frameWeaving->PerformAction(actionId, down, data);
        }
        return framePattern->PerformAction(actionId, down, data);
    }
}

void TfrmTWWarpTwinedPatternNonMDI::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions(
        {TWAction::PatternDetails, TWAction::Save, TWAction::Notes, TWAction::PatternSize, TWAction::Print});
    if (ImagePageShown()) {
        frameWeaving->GetToolActions(list);
    } else {
        framePattern->GetToolActions(list);
        // Every cell is drawn from its own record: there is no underlying pattern to show.
        list.DisableActions({TWAction::ShowUnderlyingBlockPattern});
    }
}

void TfrmTWWarpTwinedPatternNonMDI::PasteClip(fw::Object* source)
{
    if (!ImagePageShown()) {
        framePattern->PasteClip(source);
    }
}

void TfrmTWWarpTwinedPatternNonMDI::RenamePattern()
{
    std::string name = GetPatternName();
    if (fw::InputQuery("Pattern Name", "Enter Name:", name)) {
        SetPatternName(name);
    }
}

void TfrmTWWarpTwinedPatternNonMDI::SavePattern()
{
    UpdatePatternFromGrid();
    ITWEditorHost* host = EditorHost();
    if (host == nullptr) {
        return;
    }
    std::string fileName = fileName_;
    // A twist-patterned design has no text listing of its own: only the pattern file.
    if (!host->ExecuteSavePatternDialog(fileName, false)) {
        return;
    }
    WriteNamingFile(fileName, [&] { pattern_->SaveToFile(fileName); });
    fileName_ = fileName;
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeTwistPatterned);
}

void TfrmTWWarpTwinedPatternNonMDI::ToggleNotes()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->ToggleNotes();
    }
}

void TfrmTWWarpTwinedPatternNonMDI::EditSize()
{
    int width = framePattern->GridWidth();
    int length = framePattern->GridHeight();
    if (!TfrmWarpTwinedSize::Execute(DialogOwner(), width, length, pattern_->Cards())) {
        return;
    }
    {
        // One redraw, at the new size.
        const TBlockPatternUpdate update(*framePattern);
        framePattern->SetGridSize(width, length);
    }
    // The threading may have changed too: a band in view is woven again.
    if (ImagePageShown()) {
        RefreshWeavingImage();
    }
}

void TfrmTWWarpTwinedPatternNonMDI::PrintActions()
{
    BuildThreadedPattern();
    const fw::Bitmap picture = ImagePageShown() ? frameWeaving->RenderPicture(false) : framePattern->MainImage();
    TfrmActionDisplay::Execute(DialogOwner(), *threaded_, false, picture.Empty() ? nullptr : &picture);
}
