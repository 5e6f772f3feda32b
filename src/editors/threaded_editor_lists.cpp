// The threaded-in editor's band and pick lists: weaving the band again, making a pick, the
// rows of the individual and the pack list, the action grid and the pick lists' popup.

#include <algorithm>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/tabbed_pages.h"
#include "editors/card_frame_list.h"
#include "editors/threaded_editor.h"
#include "editors/weaving_image_frame.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_speed_button.h"
#include "model/action.h"
#include "model/pack.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "shell/palette_frame.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr const char* PickColumnId = "PICK";
// Card columns of the grid: 20 wide for the first hundred cards, 25 for wider numbers.
constexpr int NarrowCardColumn = 20;
constexpr int WideCardColumn = 25;
constexpr int LastNarrowCardIndex = 99;

// A new row at the end of the list, for the pick.
TILTreeNode* NewRow(TILTree& tree, TTWPick& pick)
{
    TILTreeNode* row = TILTreeNode::Create(tree.Root());
    row->SetObject(&pick);
    return row;
}

void SetCellByName(TILTree& tree, TILTreeNode& row, std::string_view id, std::string text)
{
    const int column = tree.Columns().IndexOfName(id);
    if (column >= 0) {
        row.SetCellText(column, std::move(text));
    }
}

// Widens the list's Pick column to show its highest pick number whole, in the list's font
// with the cell's margins. It never narrows the column: the weaver may have widened it, and
// the lower numbers of a shorter list fit a wider column anyway.
void FitPickColumn(TILTree& tree, int highestPick)
{
    TILTreeColumnData* column = tree.GetColumn(tree.Columns().IndexOfName(PickColumnId));
    TILTreeNode* row = tree.Root()->GetCount() > 0 ? tree.Root()->GetItem(0) : nullptr;
    if (column == nullptr || row == nullptr) {
        return;
    }
    const int needed = tree.CellWidthFor(column, row, fw::IntToStr(highestPick));
    if (needed > column->Width()) {
        column->SetWidth(needed);
    }
}

} // namespace

// --- The band ----------------------------------------------------------------------------------

void TfrmTWThreadedPattern::RefreshWeavings(int firstPick)
{
    const int oldPicks = frontWeaving_->PickCount();
    if (pattern_ != nullptr) {
        pattern_->UpdateWeaving(*frontWeaving_, &pattern_->Palette(), false, firstPick);
        // The reverse side is woven when it is seen, now or as soon as it is shown
        // (RebuildStaleReverse), from the first pick changed since it was woven last.
        reverseStaleFrom_ = reverseStaleFrom_ == 0 ? firstPick : std::min(reverseStaleFrom_, firstPick);
        if (frmImage->GetShowReverse()) {
            RebuildStaleReverse();
        }
    } else {
        frontWeaving_->Clear();
        reverseWeaving_->Clear();
        reverseStaleFrom_ = 0;
    }
    // Picks added at the end leave what the band showed of the others in place.
    frmImage->RedrawGrown(oldPicks, firstPick);
    // The cards stand as the last pick left them: the frames show what comes next.
    frmCards->UpdateFrames();
    frmImage->ScrollToStart();
    lblPicks->SetCaption(fw::IntToStr(pattern_ != nullptr ? pattern_->Picks().Count() : 0));
    ResetHoverLabels();
}

void TfrmTWThreadedPattern::PatternChanged(const TTWPatternChange& change)
{
    // The pack selector and the card frames are set up again before the band is woven, as
    // the frames show where the woven picks leave the cards.
    if (change.Has(TTWPatternPart::Packs)) {
        BuildPackSelector();
        BuildPackColumns(*lstPackActions);
    }
    if (change.Has(TTWPatternPart::Cards)) {
        frmCards->SetPalette(&pattern_->Palette());
        frmCards->LoadFromCardList(&pattern_->Cards());
        SyncCardFrameOptions();
    }
    if (change.Has(TTWPatternPart::Palette)) {
        RefreshColourPanels();
    }
    // Every part of the pattern shows in the band. The picks before the first changed one
    // weave as they did, unless the packs changed: the loom itself weaves whole when the
    // cards, their colours or the palette differ from what the band was woven from, but it
    // does not know the packs.
    RefreshWeavings(change.Has(TTWPatternPart::Packs) ? 1 : change.FirstPick);
    // Pick rows read the card count and the packs as well as the picks.
    if (change.Picks == TTWPickChange::Rewritten || change.Has(TTWPatternPart::Cards)
        || change.Has(TTWPatternPart::Packs)) {
        RefillLists();
        RebuildGridWhenShown();
    } else if (change.Picks == TTWPickChange::Appended && pattern_ != nullptr) {
        // Rows are added rather than the lists filled again, so that a selection in them stays.
        TTWPickList& picks = pattern_->Picks();
        for (int index = std::max(change.FirstPick, 1) - 1; index < picks.Count(); ++index) {
            TTWPick& pick = *picks.Items(index);
            AddActionRow(pick);
            AddPackActionRow(pick);
            if (ActionGridShown()) {
                AddGridRow(pick);
            }
        }
    } else if (change.Picks == TTWPickChange::Edited) {
        RefillLists();
        // Only the corrected cells of the grid change, so that it keeps its place.
        if (change.Card > 0 && ActionGridShown()) {
            for (int number = change.FirstPick; number <= change.LastPick; ++number) {
                UpdateGridCell(number, change.Card);
            }
        }
    }
    if (change.Has(TTWPatternPart::Palette)) {
        framePalette->SetPalette(&pattern_->Palette());
    }
}

void TfrmTWThreadedPattern::RebuildStaleReverse()
{
    if (reverseStaleFrom_ == 0 || pattern_ == nullptr) {
        return;
    }
    const int firstPick = reverseStaleFrom_;
    reverseStaleFrom_ = 0;
    pattern_->UpdateWeaving(*reverseWeaving_, &pattern_->Palette(), true, firstPick);
}

const TTWWeaving& TfrmTWThreadedPattern::ReverseWeaving()
{
    RebuildStaleReverse();
    return *reverseWeaving_;
}

void TfrmTWThreadedPattern::DoPick(bool reverse)
{
    if (pattern_ == nullptr) {
        return;
    }
    TTWPick* pick = pattern_->Picks().Add();
    if (PacksShown()) {
        BuildPickFromPacks(*pick, PackChoices(), reverse);
    } else {
        frmCards->AddActions(*pick, reverse);
    }
    PatternChanged(TTWPatternChange::PicksAppended(pattern_->Picks().Count()));
}

// --- The pick lists ------------------------------------------------------------------------------

void TfrmTWThreadedPattern::FillActionRow(TILTreeNode& row, const TTWPick& pick)
{
    const TTWRangeTexts texts =
        pick.Actions().RangeTexts(pattern_->Cards().Count(), true, 1, &pattern_->Packs());
    SetCellByName(*lstActions, row, PickColumnId, fw::IntToStr(pick.Index() + 1));
    SetCellByName(*lstActions, row, "FORWARDS", texts.Forwards);
    SetCellByName(*lstActions, row, "BACKWARDS", texts.OtherTurns);
    SetCellByName(*lstActions, row, "TWIST", texts.Twists);
}

void TfrmTWThreadedPattern::FillPackActionRow(TILTreeNode& row, const TTWPick& pick)
{
    SetCellByName(*lstPackActions, row, PickColumnId, fw::IntToStr(pick.Index() + 1));
    const int columns = lstPackActions->GetColumnCount();
    if (pick.Actions().HasPackAction()) {
        for (int column = 1; column < columns; ++column) {
            row.SetCellText(column, PackActionCellText(pick, lstPackActions->GetColumn(column)->ID()));
        }
        return;
    }
    // A pick of card actions reads as one message across the pack columns.
    for (int column = 1; column < columns - 1; ++column) {
        row.GetCellInfo(column)->SetFlag(iltCellMergeRight, true);
    }
    if (columns >= 2) {
        row.SetCellText(1, "No pack actions defined.");
    }
}

// A new row is filled cell by cell and then moved to the top: inside one update, so that a
// list of thousands of rows is painted once, not at every cell. The bracket ends without a
// whole new layout: the list places the new row at the top without visiting the others.
void TfrmTWThreadedPattern::AddActionRow(TTWPick& pick)
{
    lstActions->BeginUpdate();
    TILTreeNode* row = NewRow(*lstActions, pick);
    FillActionRow(*row, pick);
    row->SetIndex(0);
    FitPickColumn(*lstActions, pattern_->Picks().Count());
    lstActions->EndUpdate(false);
}

void TfrmTWThreadedPattern::AddPackActionRow(TTWPick& pick)
{
    lstPackActions->BeginUpdate();
    TILTreeNode* row = NewRow(*lstPackActions, pick);
    FillPackActionRow(*row, pick);
    row->SetIndex(0);
    FitPickColumn(*lstPackActions, pattern_->Picks().Count());
    lstPackActions->EndUpdate(false);
}

void TfrmTWThreadedPattern::RefillLists()
{
    lstActions->BeginUpdate();
    lstPackActions->BeginUpdate();
    lstActions->Clear();
    lstPackActions->Clear();
    if (pattern_ != nullptr) {
        // Newest first: from the last pick down.
        TTWPickList& picks = pattern_->Picks();
        for (int index = picks.Count() - 1; index >= 0; --index) {
            TTWPick& pick = *picks.Items(index);
            FillActionRow(*NewRow(*lstActions, pick), pick);
            FillPackActionRow(*NewRow(*lstPackActions, pick), pick);
        }
        FitPickColumn(*lstActions, picks.Count());
        FitPickColumn(*lstPackActions, picks.Count());
    }
    lstPackActions->EndUpdate();
    lstActions->EndUpdate();
}

TILTree& TfrmTWThreadedPattern::ShownPickList() const
{
    return PacksShown() ? *lstPackActions : *lstActions;
}

void TfrmTWThreadedPattern::mnuRepeatPickClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    TILTree& list = ShownPickList();
    std::vector<const TTWPick*> sources;
    for (int i = 0; i < list.GetSelectedCount(); ++i) {
        if (const auto* pick = dynamic_cast<const TTWPick*>(list.GetSelectedItem(i)->Object())) {
            sources.push_back(pick);
        }
    }
    if (sources.empty()) {
        return;
    }
    const int firstCopy = pattern_->Picks().Count() + 1;
    for (const TTWPick* source : sources) {
        pattern_->Picks().Add()->Assign(source);
    }
    PatternChanged(TTWPatternChange::PicksAppended(firstCopy));
}

void TfrmTWThreadedPattern::mnuDeletePickClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    TILTree& list = ShownPickList();
    const int count = list.GetSelectedCount();
    if (count == 0) {
        return;
    }
    const char* question = count == 1 ? "Delete this pick?" : "Delete these picks?";
    if (fw::MessageDlg(question, fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    std::vector<TTWPick*> doomed;
    for (int i = 0; i < count; ++i) {
        if (auto* pick = dynamic_cast<TTWPick*>(list.GetSelectedItem(i)->Object())) {
            doomed.push_back(pick);
        }
    }
    // Every row goes before its pick, then both lists are made again from what is left.
    lstActions->Clear();
    lstPackActions->Clear();
    lstGrid->Clear();
    int firstPick = pattern_->Picks().Count();
    for (const TTWPick* pick : doomed) {
        firstPick = std::min(firstPick, pick->Index() + 1);
    }
    for (TTWPick* pick : doomed) {
        pattern_->Picks().Delete(pick->Index());
    }
    PatternChanged(TTWPatternChange::PicksRewritten(TTWPatternPart::None, firstPick));
}

// --- The action grid ----------------------------------------------------------------------------

bool TfrmTWThreadedPattern::ActionGridShown() const
{
    return pcActions->ActivePage() == pgActionGrid;
}

bool TfrmTWThreadedPattern::GridInPackMode() const
{
    return pattern_ != nullptr && pattern_->Picks().HasPackAction();
}

void TfrmTWThreadedPattern::ShowActionGrid(bool show)
{
    btnShowActionGrid->SetDown(show);
    if (show) {
        if (pattern_ != nullptr && pattern_->Picks().HasPackAction() && pattern_->Picks().HasCardAction()) {
            fw::MessageDlg("Unable to display the action grid.\r\nThis pattern has actions for individual cards as "
                           "well as packs;\r\nthese cannot be displayed together.",
                           fw::MsgDlgType::Information, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        }
        pgActionGrid->SetHidePage(false);
        pcActions->SetActivePage(pgActionGrid);
        pgPacks->SetHidePage(true);
        pgIndividual->SetHidePage(true);
        BuildActionGrid();
        return;
    }
    TILBrushPage* list = PacksShown() ? pgPacks : pgIndividual;
    list->SetHidePage(false);
    pcActions->SetActivePage(list);
    pgActionGrid->SetHidePage(true);
    // The grid button shares its group with the packs button, which stands for the packs.
    btnShowPacks->SetDown(PacksShown());
}

void TfrmTWThreadedPattern::RebuildGridWhenShown()
{
    if (ActionGridShown()) {
        BuildActionGrid();
    }
}

void TfrmTWThreadedPattern::BuildActionGrid()
{
    lstGrid->BeginUpdate();
    lstGrid->Clear();
    if (GridInPackMode()) {
        BuildPackColumns(*lstGrid);
    } else {
        while (lstGrid->GetColumnCount() > 1) {
            lstGrid->Columns().Delete(lstGrid->GetColumnCount() - 1);
        }
        const int cards = pattern_ != nullptr ? pattern_->Cards().Count() : 0;
        for (int index = 0; index < cards; ++index) {
            TILTreeColumnData* column = lstGrid->Columns().Add();
            column->SetCaption(fw::IntToStr(index + 1));
            column->SetWidth(index <= LastNarrowCardIndex ? NarrowCardColumn : WideCardColumn);
            column->SetJustifyOverride(iltJustifyCentre);
            column->SetHeaderJustify(iltJustifyCentre);
        }
    }
    if (pattern_ != nullptr) {
        TTWPickList& picks = pattern_->Picks();
        for (int index = picks.Count() - 1; index >= 0; --index) {
            TTWPick& pick = *picks.Items(index);
            FillGridRow(*NewRow(*lstGrid, pick), pick);
        }
        FitPickColumn(*lstGrid, picks.Count());
    }
    lstGrid->EndUpdate();
}

void TfrmTWThreadedPattern::FillGridRow(TILTreeNode& row, const TTWPick& pick)
{
    row.SetCellText(0, fw::IntToStr(pick.Index() + 1));
    const bool packs = GridInPackMode();
    for (int column = 1; column < lstGrid->GetColumnCount(); ++column) {
        const TTWActionTarget target = packs ? TTWActionTarget::ForPack(lstGrid->GetColumn(column)->Caption())
                                             : TTWActionTarget::ForCard(column);
        row.GetCellInfo(column)->SetInteger(GridIconOf(pick, target));
    }
}

void TfrmTWThreadedPattern::AddGridRow(TTWPick& pick)
{
    lstGrid->BeginUpdate();
    TILTreeNode* row = NewRow(*lstGrid, pick);
    FillGridRow(*row, pick);
    row->SetIndex(0);
    FitPickColumn(*lstGrid, pattern_->Picks().Count());
    lstGrid->EndUpdate(false);
}

fw::PopupMenu* TfrmTWThreadedPattern::lstGridBeforePopup(TILTreeNode* node, int columnIndex)
{
    if (node == nullptr || columnIndex < 1) {
        return nullptr;
    }
    gridPopupColumn_ = columnIndex;
    gridPopupPick_ = lstGrid->Root()->GetCount() - node->GetIndex();
    return pmGridActions;
}

void TfrmTWThreadedPattern::EditGridPopupCell(
    const std::function<int(TTWPick& pick, const TTWActionTarget& target, int icon)>& edit)
{
    if (pattern_ == nullptr || gridPopupColumn_ < 1 || gridPopupColumn_ >= lstGrid->GetColumnCount()) {
        return;
    }
    TTWPick* pick = pattern_->Picks().GetPick(gridPopupPick_ - 1);
    TILTreeNode* row = lstGrid->Root()->GetItem(lstGrid->Root()->GetCount() - gridPopupPick_);
    if (pick == nullptr || row == nullptr) {
        return;
    }
    const TTWActionTarget target = GridInPackMode()
                                       ? TTWActionTarget::ForPack(lstGrid->GetColumn(gridPopupColumn_)->Caption())
                                       : TTWActionTarget::ForCard(gridPopupColumn_);
    TILTreeCellInfo* cell = row->GetCellInfo(gridPopupColumn_);
    cell->SetInteger(edit(*pick, target, cell->GetInteger()));
    lstGrid->RepaintCell(row, gridPopupColumn_);
    // The grid shows the correction already.
    PatternChanged(TTWPatternChange::PicksEdited(gridPopupPick_, gridPopupPick_, 0));
}

void TfrmTWThreadedPattern::GridSetTurn(std::uint8_t direction)
{
    EditGridPopupCell([direction](TTWPick& pick, const TTWActionTarget& target, int icon) {
        SetTurnDirection(pick, target, direction);
        return GridIconAfterTurn(icon, direction);
    });
}

void TfrmTWThreadedPattern::GridToggleTwist()
{
    EditGridPopupCell([](TTWPick& pick, const TTWActionTarget& target, int icon) {
        return GridIconAfterTwist(icon, ToggleTwist(pick, target));
    });
}
