// The threaded-in editor's woven image: clicks that correct picks or paint hole colours, the
// labels that name the cell under the mouse, and the colours and palette used for painting.

#include <string>
#include <utility>

#include "editors/card_frame_list.h"
#include "editors/threaded_editor.h"
#include "editors/weaving_image_frame.h"
#include "framework/core/strings.h"
#include "framework/core/system_colours.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/card.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_frame.h"
#include "shell/palette_list_window.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

// --- Clicks on the image -----------------------------------------------------------------------

int TfrmTWThreadedPattern::CardOfColumn(int columnNumber) const
{
    if (pattern_ == nullptr) {
        return 0;
    }
    // The band puts main card k in column (left selvedge cards + k).
    const int card = columnNumber - pattern_->SelvedgeLeft().Count();
    return card >= 1 && card <= pattern_->Cards().Count() ? card : 0;
}

void TfrmTWThreadedPattern::ImageMouseDown(fw::MouseButton button, int x, int y)
{
    if (pattern_ == nullptr) {
        return;
    }
    // The press may come without a move before it: the frame finds the cell first.
    frmImage->HoverAt(false, x, y);
    const TTWWeavingCell* cell = frmImage->CellUnderMouse();
    if (cell == nullptr) {
        return;
    }
    ShowHover(cell);
    const int pickNumber = cell->PickNumber();
    const int card = CardOfColumn(cell->ColumnNumber());
    TTWPick* pick = pattern_->Picks().GetPick(pickNumber - 1);
    if (card == 0 || pick == nullptr) {
        return;
    }
    const bool left = button == fw::MouseButton::Left;
    if (left && (btnToggleDir->Down() || btnToggleTwist->Down() || btnToggleIdle->Down())) {
        if (btnToggleDir->Down()) {
            ToggleDirFollowing(pattern_->Picks(), pickNumber, card);
        } else if (btnToggleTwist->Down()) {
            ToggleTwist(*pick, TTWActionTarget::ForCard(card));
        } else {
            CycleDirSingle(*pick, card);
        }
        // Turning the other way from here on changes the card's later picks as well.
        const int last = btnToggleDir->Down() ? pattern_->Picks().Count() : pickNumber;
        PatternChanged(TTWPatternChange::PicksEdited(pickNumber, last, card));
        return;
    }
    if (!btnToggleColours->Down() || !frmImage->GetShowColours()) {
        return;
    }
    const fw::Panel* colour = left ? pnlColour1 : button == fw::MouseButton::Right ? pnlColour2 : nullptr;
    const int index = colour != nullptr ? static_cast<int>(colour->Tag()) : -1;
    if (index < 0) {
        return;
    }
    pattern_->Cards().GetCard(card - 1)->SetHoleColour(cell->Hole, index);
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::CardColours));
}

void TfrmTWThreadedPattern::UpdateGridCell(int pickNumber, int cardNumber)
{
    const TTWPick* pick = pattern_->Picks().GetPick(pickNumber - 1);
    TILTreeNode* row = lstGrid->Root()->GetItem(lstGrid->Root()->GetCount() - pickNumber);
    if (pick == nullptr || row == nullptr || GridInPackMode() || cardNumber >= lstGrid->GetColumnCount()) {
        return;
    }
    row->GetCellInfo(cardNumber)->SetInteger(GridIconOf(*pick, TTWActionTarget::ForCard(cardNumber)));
    lstGrid->RepaintCell(row, cardNumber);
}

// --- The cell under the mouse ---------------------------------------------------------------------

void TfrmTWThreadedPattern::ImageMouseMove(int, int)
{
    ShowHover(frmImage->CellUnderMouse());
}

void TfrmTWThreadedPattern::ShowHover(const TTWWeavingCell* cell)
{
    std::optional<std::pair<int, int>> place;
    if (cell != nullptr) {
        place = std::make_pair(cell->ColumnNumber(), cell->PickNumber());
    }
    if (place == cellUnderMouse_) {
        return;
    }
    cellUnderMouse_ = place;
    if (cell == nullptr) {
        lblMouseCard->SetCaption(std::string());
        lblMousePick->SetCaption(std::string());
        lblMouseHole->SetCaption(std::string());
        return;
    }
    lblMouseCard->SetCaption(fw::IntToStr(cell->ColumnNumber()));
    lblMousePick->SetCaption(fw::IntToStr(cell->PickNumber()));
    lblMouseHole->SetCaption(std::string(1, static_cast<char>('A' + cell->Hole)));
}

void TfrmTWThreadedPattern::ResetHoverLabels()
{
    cellUnderMouse_.reset();
    lblMouseCard->SetCaption(std::string());
    lblMousePick->SetCaption(std::string());
    lblMouseHole->SetCaption(std::string());
}

// --- Colours ------------------------------------------------------------------------------------------

void TfrmTWThreadedPattern::SetColourPanel(fw::Panel* panel, int index)
{
    panel->SetTag(index);
    const TTWColour colour = pattern_ != nullptr && index >= 0 ? pattern_->Palette().GetColour(index) : NoColour;
    panel->SetColor(index >= 0 && colour != NoColour ? colour : fw::clBtnFace);
}

void TfrmTWThreadedPattern::RefreshColourPanels()
{
    SetColourPanel(pnlColour1, static_cast<int>(pnlColour1->Tag()));
    SetColourPanel(pnlColour2, static_cast<int>(pnlColour2->Tag()));
}

void TfrmTWThreadedPattern::ColourPanelClick(fw::Panel* panel)
{
    if (pattern_ == nullptr) {
        return;
    }
    const int index = TfrmColourSel::Execute(&pattern_->Palette(), static_cast<int>(panel->Tag()), this, false, false);
    if (index >= 0) {
        SetColourPanel(panel, index);
    }
}

void TfrmTWThreadedPattern::btnSwapColourSelClick()
{
    const int first = static_cast<int>(pnlColour1->Tag());
    const int second = static_cast<int>(pnlColour2->Tag());
    SetColourPanel(pnlColour1, second);
    SetColourPanel(pnlColour2, first);
}

void TfrmTWThreadedPattern::btnSwapColoursClick()
{
    const int primary = static_cast<int>(pnlColour1->Tag());
    const int secondary = static_cast<int>(pnlColour2->Tag());
    if (pattern_ == nullptr || primary < 0 || secondary < 0) {
        return;
    }
    pattern_->Cards().SwapColours(primary, secondary);
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::CardColours));
}

void TfrmTWThreadedPattern::btnReplaceColoursClick()
{
    const int primary = static_cast<int>(pnlColour1->Tag());
    const int secondary = static_cast<int>(pnlColour2->Tag());
    if (pattern_ == nullptr || primary < 0 || secondary < 0) {
        return;
    }
    pattern_->Cards().ReplaceColour(secondary, primary);
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::CardColours));
}

void TfrmTWThreadedPattern::btnReplaceCol2Click()
{
    const int primary = static_cast<int>(pnlColour1->Tag());
    const int secondary = static_cast<int>(pnlColour2->Tag());
    if (pattern_ == nullptr || primary < 0 || secondary < 0) {
        return;
    }
    pattern_->Cards().ReplaceColour(primary, secondary);
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::CardColours));
}

void TfrmTWThreadedPattern::btnSelectPaletteClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    if (const TTWPalette* chosen = TfrmTWPaletteList::Execute(PaletteList(), this)) {
        pattern_->Palette().CopyFrom(chosen);
    }
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::Palette));
}

void TfrmTWThreadedPattern::btnEditPaletteClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    TfrmTWEditPalette::Execute(pattern_->Palette(), this, false);
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::Palette));
}
