// The double-face editor's commands from the main window (name, save, threading diagram,
// notes, size, print, card row, selvedges), its colour buttons and palette, and its life as
// a child window of the main window.

#include <memory>
#include <string>

#include "controls/brush_page.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "editors/df_editor.h"
#include "editors/df_three_colour_dialog.h"
#include "editors/selvedge_generator.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "framework/core/system_colours.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_panel.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_frame.h"
#include "shell/palette_list_window.h"
#include "shell/report_threading_dialog.h"
#include "shell/size_dialog.h"
#include "shell/tool_actions.h"

namespace {

constexpr const char* SaveFilter = "Pattern (*.tvl)|*.tvl|Threaded-in Pattern (*.tvl)|*.tvl|Text (*.txt)|*.txt";
constexpr int DoubleFaceFilter = 1;

} // namespace

bool TfrmTWDoublefaceNonMDI::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::PatternDetails:
        RenamePattern();
        return true;
    case TWAction::Save:
        SaveDesign();
        return true;
    case TWAction::ThreadingDiagram:
        PrintThreadingDiagram();
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
        PrintActions();
        return true;
    case TWAction::CardList:
        SetCardListShown(down);
        return true;
    case TWAction::Selvedges:
        RunSelvedgeGenerator();
        return true;
    default:
        if (ImageShown()) {
            frameWeaving->PerformAction(actionId, down, data);
        } else {
            framePattern->PerformAction(actionId, down, data);
        }
        return true;
    }
}

void TfrmTWDoublefaceNonMDI::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::PatternDetails, TWAction::PatternSize, TWAction::Save, TWAction::ThreadingDiagram,
                        TWAction::Notes, TWAction::Print, TWAction::Selvedges});
    list.SetAction(TWAction::CardList, true, cardListShown_);
    if (ImageShown()) {
        frameWeaving->GetToolActions(list);
    } else {
        framePattern->GetToolActions(list);
    }
    if (colourCount_ == 6) {
        list.DisableActions({TWAction::ShowUnderlyingBlockPattern});
    }
}

void TfrmTWDoublefaceNonMDI::PasteClip(fw::Object* source)
{
    if (pcMain->ActivePage() == pgPattern) {
        framePattern->PasteClip(source);
    }
}

void TfrmTWDoublefaceNonMDI::SetCardListShown(bool show)
{
    if (show == cardListShown_) {
        return;
    }
    cardListShown_ = show;
    frameCards->SetVisible(show);
    ::NotifyMainForm(TWAction::CardList, true, true, show);
}

void TfrmTWDoublefaceNonMDI::RenamePattern()
{
    std::string name = patternName_;
    if (fw::InputQuery("Pattern Name", "Enter Name:", name)) {
        SetPatternName(name);
    }
}

void TfrmTWDoublefaceNonMDI::SaveDesign()
{
    ITWEditorHost* host = EditorHost();
    if (host == nullptr) {
        return;
    }
    std::string fileName = fileName_;
    int filterIndex = DoubleFaceFilter;
    if (!host->ExecuteSaveDialog(fileName, "tvl", SaveFilter, "Pattern", filterIndex)) {
        return;
    }
    if (filterIndex == DoubleFaceFilter) {
        WriteNamingFile(fileName, [&] {
            const std::unique_ptr<TTWDFPattern> pattern = NewPattern();
            GetDFPattern(*pattern);
            pattern->SaveToFile(fileName);
        });
        fileName_ = fileName;
    } else {
        // The threaded-in form (or its turning sequence, for a ".txt" name) is an export: the
        // design still lives in the file it came from.
        WriteNamingFile(fileName, [&] {
            TTWPattern pattern;
            BuildThreadedPattern(pattern);
            pattern.Palette().Assign(&threaded_->Palette());
            pattern.SetName(patternName_);
            pattern.SaveToFile(fileName);
        });
    }
    TellMain(WM_TW_EDITORNAMECHANGED, PatternKind());
}

void TfrmTWDoublefaceNonMDI::PrintThreadingDiagram()
{
    TTWCardList cards;
    BuildCards(cards);
    const std::unique_ptr<TfrmTWPrintCards> diagram(new TfrmTWPrintCards(DialogOwner()));
    diagram->Execute(&cards, &threaded_->Palette(), patternName_);
}

void TfrmTWDoublefaceNonMDI::EditSize()
{
    int width = framePattern->GridWidth();
    int length = framePattern->GridHeight();
    if (TfrmSize::Execute(DialogOwner(), width, length)) {
        // A design larger than a file may hold would not open again once saved.
        CheckDesignCells(width, length, this, "EditSize");
        const fw::ScopedCursor busy;
        SetPatternSize(width, length);
    }
}

void TfrmTWDoublefaceNonMDI::PrintActions()
{
    TTWPattern pattern;
    BuildThreadedPattern(pattern);
    pattern.SetName(patternName_);
    const fw::Bitmap picture = ImageShown() ? frameWeaving->RenderPicture(false) : framePattern->MainImage();
    TfrmActionDisplay::Execute(DialogOwner(), pattern, !framePattern->Staggered(),
                               picture.Empty() ? nullptr : &picture);
}

void TfrmTWDoublefaceNonMDI::RunSelvedgeGenerator()
{
    if (TfrmTWSelvedgeGenerator::Execute(*threaded_, colourCount_ == 6 ? 6 : 4, DialogOwner()) && ImageShown()) {
        RefreshWeavingImage();
    }
}

// --- Colours -----------------------------------------------------------------------------------------

void TfrmTWDoublefaceNonMDI::SetColourPanel(fw::Panel* panel, int index)
{
    panel->SetTag(index);
    const TTWColour colour = index >= 0 ? threaded_->Palette().GetColour(index) : NoColour;
    panel->SetColor(index >= 0 && colour != NoColour ? static_cast<fw::Color>(colour) : fw::clBtnFace);
}

void TfrmTWDoublefaceNonMDI::ColourPanelClick(fw::Panel* panel)
{
    const int index = TfrmColourSel::Execute(&threaded_->Palette(), static_cast<int>(panel->Tag()), this, false, false);
    if (index >= 0) {
        SetColourPanel(panel, index);
    }
}

void TfrmTWDoublefaceNonMDI::ApplyPalette()
{
    frameCards->SetPalette(&threaded_->Palette());
    frameCards->SetAllCardsOption();
    SetColourPanel(pnlPatternCol, static_cast<int>(pnlPatternCol->Tag()));
    SetColourPanel(pnlBackCol, static_cast<int>(pnlBackCol->Tag()));
    framePalette->SetPalette(&threaded_->Palette());
    SyncColumnColours();
    if (ImageShown()) {
        RefreshWeavingImage();
    }
}

void TfrmTWDoublefaceNonMDI::SetHoleOfAllCards(bool primary)
{
    const int index = static_cast<int>((primary ? pnlPatternCol : pnlBackCol)->Tag());
    if (index < 0) {
        return;
    }
    const fw::ScopedCursor busy;
    const int half = colourCount_ / 2;
    framePattern->BeginUpdate();
    for (int i = 0; i < frameCards->CardCount(); ++i) {
        TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
        for (int hole = primary ? 0 : half; hole < (primary ? half : colourCount_); ++hole) {
            frame->SetHoleColourIndex(hole, index);
        }
    }
    framePattern->EndUpdate();
}

void TfrmTWDoublefaceNonMDI::btnSetPatternColClick()
{
    SetHoleOfAllCards(true);
}

void TfrmTWDoublefaceNonMDI::btnSetBackColClick()
{
    SetHoleOfAllCards(false);
}

void TfrmTWDoublefaceNonMDI::btnSwapColoursClick()
{
    const int primary = static_cast<int>(pnlPatternCol->Tag());
    const int secondary = static_cast<int>(pnlBackCol->Tag());
    if (primary >= 0 && secondary >= 0) {
        framePattern->BeginUpdate();
        frameCards->SwapColoursSelected(primary, secondary);
        framePattern->EndUpdate();
    }
}

void TfrmTWDoublefaceNonMDI::btnReplaceColoursClick()
{
    const int primary = static_cast<int>(pnlPatternCol->Tag());
    const int secondary = static_cast<int>(pnlBackCol->Tag());
    if (primary >= 0 && secondary >= 0) {
        framePattern->BeginUpdate();
        frameCards->ReplaceColourSelected(secondary, primary);
        framePattern->EndUpdate();
    }
}

void TfrmTWDoublefaceNonMDI::btnReplaceCol2Click()
{
    const int primary = static_cast<int>(pnlPatternCol->Tag());
    const int secondary = static_cast<int>(pnlBackCol->Tag());
    if (primary >= 0 && secondary >= 0) {
        framePattern->BeginUpdate();
        frameCards->ReplaceColourSelected(primary, secondary);
        framePattern->EndUpdate();
    }
}

void TfrmTWDoublefaceNonMDI::btnSelectPaletteClick()
{
    if (const TTWPalette* chosen = TfrmTWPaletteList::Execute(PaletteList(), this)) {
        threaded_->Palette().CopyFrom(chosen);
    }
    ApplyPalette();
}

void TfrmTWDoublefaceNonMDI::btnEditPaletteClick()
{
    TfrmTWEditPalette::Execute(threaded_->Palette(), this, false);
    ApplyPalette();
}

void TfrmTWDoublefaceNonMDI::btnConfig3ColourClick()
{
    int pattern = 0;
    int background1 = 1;
    int background2 = 2;
    if (TfrmTWDF3ColourSetup::Execute(DialogOwner(), threaded_->Palette(), pattern, background1, background2)) {
        ApplyThreeColourSetup(pattern, background1, background2);
    }
}

void TfrmTWDoublefaceNonMDI::ApplyThreeColourSetup(int pattern, int background1, int background2)
{
    if (colourCount_ != 4) {
        return;
    }
    framePattern->BeginUpdate();
    for (int i = 0; i < frameCards->CardCount(); ++i) {
        TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
        const bool outer = i % 4 == 0 || i % 4 == 3;
        const int holes[4] = {outer ? background2 : pattern, outer ? pattern : background2,
                              outer ? background2 : background1, outer ? background1 : background2};
        for (int hole = 0; hole < 4; ++hole) {
            frame->SetHoleColourIndex(hole, holes[hole]);
        }
        frame->SetThreading(i % 4 >= 2 ? ThreadingZ : ThreadingS);
    }
    framePattern->EndUpdate();
}

// --- The window's life -----------------------------------------------------------------------------------

void TfrmTWDoublefaceNonMDI::FormCreate()
{
    TfrmTWPatternBaseForm::FormCreate();
    if (ITWEditorHost* host = EditorHost()) {
        host->AddWindowMenuEntry(*this);
        host->ShowNotesAsConfigured();
    }
}

void TfrmTWDoublefaceNonMDI::DoActivate()
{
    TfrmTWPatternBaseForm::DoActivate();
    AnnounceActivation(PatternKind());
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(TTWProfileKind::Block));
    }
}
