// The lettered-band editor's commands from the main window's menus and tool bar (save, notes,
// clear) and its own buttons that save and print the generated design.

#include <memory>
#include <string>

#include "editors/block_frame.h"
#include "editors/double_face_frame.h"
#include "editors/lettered_band_editor.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "model/df_pattern.h"
#include "model/lettered_band.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"

bool TfrmTWLetteredBand::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::Save:
        SaveBand();
        return true;
    case TWAction::Notes:
        if (ITWEditorHost* host = EditorHost()) {
            host->ToggleNotes();
        }
        return true;
    case TWAction::ClearDesign:
        // A selected area of the design is cleared as the grid clears it; otherwise the
        // command clears the band's text, and the design generated stays.
        if (!frameDoubleFace->ImageShown() && frameDoubleFace->framePattern->EditMode() == 1) {
            frameDoubleFace->PerformAction(actionId, down, data);
        } else {
            RemoveAllTiles();
            // The text a band without its font keeps is its text too.
            if (textWithoutFont_) {
                textWithoutFont_->Text.clear();
            }
        }
        return true;
    default:
        frameDoubleFace->PerformAction(actionId, down, data);
        return true;
    }
}

void TfrmTWLetteredBand::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::Save, TWAction::Notes, TWAction::ClearDesign});
    frameDoubleFace->GetToolActions(list);
}

void TfrmTWLetteredBand::PasteClip(fw::Object* source)
{
    frameDoubleFace->PasteClip(source);
}

void TfrmTWLetteredBand::SaveBand()
{
    const std::unique_ptr<TTWLetteredBand> band = MakeBand();
    ITWEditorHost* host = EditorHost();
    std::string fileName = fileName_;
    // A band has no text listing of its own: only the pattern file.
    if (host == nullptr || !host->ExecuteSavePatternDialog(fileName, false)) {
        return;
    }
    band->SaveToFile(fileName);
    fileName_ = fileName;
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeLetteredBand);
}

void TfrmTWLetteredBand::btnSaveDFPatternClick()
{
    ITWEditorHost* host = EditorHost();
    std::string fileName;
    if (host == nullptr || !host->ExecuteSavePatternDialog(fileName, false)) {
        return;
    }
    // A band may be far longer than a double-face pattern file holds: such a design is
    // refused, naming the file, before anything is written.
    WriteNamingFile(fileName, [&] {
        TTWDFPattern pattern;
        frameDoubleFace->GetDFPattern(pattern);
        pattern.SetName(std::string(DesignName));
        pattern.SaveToFile(fileName);
    });
}

void TfrmTWLetteredBand::btnPrintDFPatternClick()
{
    TTWPattern pattern;
    frameDoubleFace->BuildThreadedPattern(pattern);
    pattern.SetName(std::string(DesignName));
    const fw::Bitmap picture = frameDoubleFace->ImageShown() ? frameDoubleFace->frameImage->RenderPicture(false)
                                                             : frameDoubleFace->framePattern->MainImage();
    TfrmActionDisplay::Execute(DialogOwner(), pattern, true, picture.Empty() ? nullptr : &picture);
}
