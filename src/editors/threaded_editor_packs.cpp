// The threaded-in editor's packs: the pack selector from which pack picks are made, the pack
// columns of the lists, showing and hiding the packs and the action panel, the toggle modes,
// breaking packs up and setting them up.

#include <algorithm>
#include <string>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "editors/card_frame.h"
#include "editors/card_frame_list.h"
#include "editors/pack_list_dialog.h"
#include "editors/threaded_editor.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/pack.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_node.h"

namespace {

constexpr int MinPackColumnWidth = 20;
constexpr int MaxPackColumnWidth = 75;
// The values of the selector's cells: the twist mark (an icon of the selector) and none.
constexpr int TwistMarked = 2;
constexpr int NoTwist = -1;
// The Twist row carries this as its data; the Movement row 0.
constexpr int TwistRowTag = 1;

int CellValue(const TILTreeNode& row, int column)
{
    const TILTreeCellInfo* info = row.FindCellInfo(column);
    return info != nullptr ? info->GetInteger() : 0;
}

TILTreeNode* SelectorRow(const TILTree& tree, int tag)
{
    return tree.Root()->FindByTag(tag, false);
}

// The width that shows both heading rows of the column, within the limits.
void FitColumnToHeadings(TILTreeColumnData& column, int headingRows)
{
    int width = MinPackColumnWidth;
    for (int row = 0; row < headingRows; ++row) {
        column.AutoSizeColumn(MinPackColumnWidth, MaxPackColumnWidth, row);
        width = std::max(width, column.Width());
    }
    column.SetWidth(width);
}

} // namespace

// --- The pack columns and the selector -------------------------------------------------------------

void TfrmTWThreadedPattern::BuildPackColumns(TILTree& tree)
{
    tree.BeginUpdate();
    while (tree.GetColumnCount() > 1) {
        tree.Columns().Delete(tree.GetColumnCount() - 1);
    }
    if (pattern_ != nullptr) {
        const TTWPackList& packs = pattern_->Packs();
        for (int i = 0; i < packs.Count(); ++i) {
            const TTWPack& pack = *packs.Items(i);
            TILTreeColumnData* column = tree.Columns().Add();
            column->SetCaption(pack.Name);
            column->SetID(pack.Name);
            column->SetHeaderJustify(iltJustifyCentre);
            column->SetJustifyOverride(iltJustifyCentre);
            FitColumnToHeadings(*column, 1);
        }
    }
    tree.EndUpdate();
}

void TfrmTWThreadedPattern::BuildPackSelector()
{
    lstPacks->BeginUpdate();
    lstPacks->Clear();
    TILTreeNode* movement = TILTreeNode::Create(lstPacks->Root());
    movement->SetCellText(0, "Movement");
    TILTreeNode* twist = TILTreeNode::Create(lstPacks->Root());
    twist->SetCellText(0, "Twist");
    twist->SetTag(TwistRowTag);
    while (lstPacks->GetColumnCount() > 1) {
        lstPacks->Columns().Delete(lstPacks->GetColumnCount() - 1);
    }
    if (pattern_ != nullptr) {
        const TTWPackList& packs = pattern_->Packs();
        for (int i = 0; i < packs.Count(); ++i) {
            const TTWPack& pack = *packs.Items(i);
            TILTreeColumnData* column = lstPacks->Columns().Add();
            column->SetID(pack.Name);
            column->SetJustifyOverride(iltJustifyCentre);
            column->Headers().SetCellCount(2);
            const std::string captions[] = {pack.Name, pack.RangeText(1, true)};
            for (int row = 0; row < 2; ++row) {
                TILTreeColumnHeaderCell* cell = column->Headers().GetItem(row);
                cell->SetCaption(captions[row]);
                cell->SetIsInverted(false);
                // The click itself turns the heading over, and it stays so.
                cell->SetAutoInvert(false);
                cell->SetJustify(iltJustifyCentre);
            }
            column->SetOnHeaderClick([this](TILTree*, TILTreeColumnData* clicked) { lstPacksHeaderClick(clicked); });
            FitColumnToHeadings(*column, 2);
            const int index = column->Index();
            SetMovementCell(*movement, index, 1);
            twist->GetCellInfo(index)->SetInteger(NoTwist);
        }
    }
    lstPacks->EndUpdate();
}

void TfrmTWThreadedPattern::SetMovementCell(TILTreeNode& row, int columnIndex, int value)
{
    row.GetCellInfo(columnIndex)->SetInteger(value);
    row.SetCellText(columnIndex, value == -1 ? "B" : value == 1 ? "F" : "Idle");
}

void TfrmTWThreadedPattern::lstPacksHeaderClick(TILTreeColumnData* column)
{
    if (column == nullptr || column->Index() < 1) {
        return;
    }
    const bool inverted = !column->Headers().GetItem(0)->IsInverted();
    for (int row = 0; row < column->Headers().Count(); ++row) {
        column->Headers().GetItem(row)->SetIsInverted(inverted);
    }
}

void TfrmTWThreadedPattern::lstPacksCellClick(TILTreeNode* node, int columnIndex)
{
    if (node == nullptr || pattern_ == nullptr || columnIndex < 1 || columnIndex >= lstPacks->GetColumnCount()) {
        return;
    }
    const TTWPack* pack = pattern_->Packs().FindByName(lstPacks->GetColumn(columnIndex)->ID());
    if (node->Tag() == TwistRowTag) {
        const int value = CellValue(*node, columnIndex) == TwistMarked ? NoTwist : TwistMarked;
        node->GetCellInfo(columnIndex)->SetInteger(value);
        node->Repaint();
        if (pack != nullptr) {
            FlipPackFramesThreading(*pack);
        }
        return;
    }
    const int value = CellValue(*node, columnIndex) != -1 ? -1 : 1;
    SetMovementCell(*node, columnIndex, value);
    node->Repaint();
    if (pack != nullptr) {
        SetPackFramesDirection(*pack, value == -1 ? TurnBackwards : value == 1 ? TurnForwards : TurnIdle);
    }
}

std::vector<TTWPackChoice> TfrmTWThreadedPattern::PackChoices() const
{
    std::vector<TTWPackChoice> choices;
    const TILTreeNode* movement = SelectorRow(*lstPacks, 0);
    const TILTreeNode* twist = SelectorRow(*lstPacks, TwistRowTag);
    for (int index = 1; index < lstPacks->GetColumnCount(); ++index) {
        const TILTreeColumnData* column = lstPacks->GetColumn(index);
        TTWPackChoice choice;
        choice.PackName = column->ID();
        choice.Excluded = column->Headers().Count() > 0 && column->Headers().GetItem(0)->IsInverted();
        choice.Twist = twist != nullptr && CellValue(*twist, index) == TwistMarked;
        choice.Movement = movement != nullptr ? CellValue(*movement, index) : 0;
        choices.push_back(choice);
    }
    return choices;
}

void TfrmTWThreadedPattern::SetPackFramesDirection(const TTWPack& pack, int direction)
{
    for (int card : pack.Members()) {
        if (TfrmThreadCardFrame* frame = frmCards->GetFrame(card - 1)) {
            frame->SetTurnDirection(direction);
        }
    }
}

void TfrmTWThreadedPattern::FlipPackFramesThreading(const TTWPack& pack)
{
    for (int card : pack.Members()) {
        if (TfrmThreadCardFrame* frame = frmCards->GetFrame(card - 1)) {
            frame->SetThreadingZ(!frame->GetThreadingZ());
        }
    }
}

// --- Showing the packs and the action panel --------------------------------------------------------

bool TfrmTWThreadedPattern::PacksShown() const
{
    return pnlPacks->Visible();
}

void TfrmTWThreadedPattern::ShowPacks(bool show)
{
    if (show == PacksShown()) {
        btnShowPacks->SetDown(show);
        return;
    }
    if (show) {
        pnlPacks->SetVisible(true);
        pnlCards->SetHeight(pnlCards->Height() + pnlPacks->Height());
        pnlCards->SetVisible(btnHideActionPanel->Down());
        pgPacks->SetHidePage(false);
        pcActions->SetActivePage(pgPacks);
        pgIndividual->SetHidePage(true);
    } else {
        pnlPacks->SetVisible(false);
        pnlCards->SetHeight(pnlCards->Height() - pnlPacks->Height());
        if (!cardListShown_) {
            pnlCards->SetVisible(false);
        }
        pgIndividual->SetHidePage(false);
        pcActions->SetActivePage(pgIndividual);
        pgPacks->SetHidePage(true);
    }
    btnShowPacks->SetDown(show);
    SyncCardFrameOptions();
}

void TfrmTWThreadedPattern::SyncCardFrameOptions()
{
    // While packs make the picks, the frames only show what the packs will do.
    frmCards->SetCanChangeDirection(!PacksShown());
    frmCards->SetCanChangeThreading(!PacksShown());
}

void TfrmTWThreadedPattern::btnHideActionPanelClick()
{
    const bool shown = btnHideActionPanel->Down();
    pnlCards->SetVisible(shown && (cardListShown_ || PacksShown()));
    bvlActions->SetVisible(shown);
    for (fw::SpeedButton* button : {btnToggleDir, btnToggleIdle, btnToggleTwist, btnShowActionGrid}) {
        button->SetEnabled(!shown);
    }
    if (shown) {
        btnToggleColours->SetDown(true);
    }
    for (fw::SpeedButton* button : {btnShowPacks, btnBreakPacks, btnSetupPacks, btnDoPick, btnDoPickReverse}) {
        button->SetEnabled(shown);
    }
    if (shown && ActionGridShown()) {
        ShowActionGrid(false);
    }
}

void TfrmTWThreadedPattern::ModeButtonClick(fw::SpeedButton* sender)
{
    if (sender == btnToggleColours || !sender->Down() || pattern_ == nullptr
        || !pattern_->Picks().HasPackAction()) {
        return;
    }
    fw::MessageDlg("This mode cannot be entered once card packs have been used.", fw::MsgDlgType::Error,
                   fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    btnToggleColours->SetDown(true);
}

// --- Breaking and setting up packs -------------------------------------------------------------------

void TfrmTWThreadedPattern::btnBreakPacksClick()
{
    if (pattern_ == nullptr
        || fw::MessageDlg("Break pack actions up into individual cards?", fw::MsgDlgType::Confirmation,
                          fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
               != fw::mrYes) {
        return;
    }
    pattern_->Picks().ExpandPackActions(&pattern_->Packs());
    fw::MessageDlg("Pack actions have been broken up.", fw::MsgDlgType::Information,
                   fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    PatternChanged(TTWPatternChange::PicksRewritten());
}

void TfrmTWThreadedPattern::btnSetupPacksClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    fw::Component* owner = DialogOwner();
    if (!TfrmPackList::Execute(owner, pattern_->Packs(), &pattern_->Cards(), pattern_->Picks())) {
        return;
    }
    PatternChanged(TTWPatternChange::Of(TTWPatternPart::Packs));
}
