// The font generator's commands from the main window's menus and tool bar: the font's
// properties, saving, the notes, the letter's turning sequence and, passed on, those of the
// frame on the page shown.

#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/font_generator.h"
#include "editors/font_properties_dialog.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/application.h"
#include "model/font.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_grid.h"

bool TfrmTWFontGenerator::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::PatternDetails:
        EditProperties();
        return true;
    case TWAction::Save:
        SaveFont();
        return true;
    case TWAction::Notes:
        if (ITWEditorHost* host = EditorHost()) {
            host->ToggleNotes();
        }
        return true;
    case TWAction::Print:
        PrintSequence();
        return true;
    default:
        // Without a letter the grid and the band are empty: there is nothing to act on.
        if (edited_ == nullptr) {
            return true;
        }
        if (ImageShown()) {
            frameImage->PerformAction(actionId, down, data);
        } else {
            framePattern->PerformAction(actionId, down, data);
        }
        return true;
    }
}

void TfrmTWFontGenerator::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::PatternDetails, TWAction::Save, TWAction::Notes});
    if (edited_ == nullptr) {
        return;
    }
    list.EnableActions({TWAction::Print});
    if (ImageShown()) {
        frameImage->GetToolActions(list);
    } else {
        framePattern->GetToolActions(list);
        // A letter is always drawn along the band.
        list.DisableActions({TWAction::Rotate});
    }
}

void TfrmTWFontGenerator::PasteClip(fw::Object* source)
{
    if (!ImageShown()) {
        framePattern->PasteClip(source);
    }
}

void TfrmTWFontGenerator::EditProperties()
{
    // The letter on the grid goes back into the font first: the height may change every
    // letter.
    lstFont->DeselectAll();
    if (edited_ != nullptr) {
        StoreEditedLetter();
        EditLetter(nullptr);
    }
    if (TfrmTWFontProperties::Execute(DialogOwner(), *font_)) {
        LoadFont();
        TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeFont);
    }
}

void TfrmTWFontGenerator::SaveFont()
{
    ITWEditorHost* host = EditorHost();
    if (host == nullptr) {
        return;
    }
    std::string fileName = fileName_;
    if (!host->ExecuteSaveFontDialog(fileName)) {
        return;
    }
    StoreEditedLetter();
    {
        const fw::ScopedCursor busy;
        WriteNamingFile(fileName, [&] { font_->SaveToFile(fileName); });
    }
    fileName_ = fileName;
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeFont);
}

void TfrmTWFontGenerator::PrintSequence()
{
    if (edited_ == nullptr) {
        return;
    }
    TTWPattern pattern;
    BuildThreadedPattern(pattern);
    pattern.SetName(SequenceTitle());
    const fw::Bitmap picture = ImageShown() ? frameImage->RenderPicture(false) : framePattern->MainImage();
    TfrmActionDisplay::Execute(DialogOwner(), pattern, true, picture.Empty() ? nullptr : &picture);
}
