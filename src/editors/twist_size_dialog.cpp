#include "editors/twist_size_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "framework/core/strings.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/pattern_limits.h"
#include "model/turning_codes.h"
#include "shell/size_dialog_placing.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr int CardColumn = 0;
constexpr int ThreadingColumn = 1;

TILTreeColumnData* AddColumn(TILTree& tree, const char* caption, const char* id, int width)
{
    TILTreeColumnData* column = tree.Columns().Add();
    column->SetCaption(caption);
    column->SetID(id);
    column->SetWidth(width);
    return column;
}

std::string CardCaption(int number)
{
    return "Card " + fw::IntToStr(number);
}

} // namespace

TfrmWarpTwinedSize::TfrmWarpTwinedSize(fw::Component* owner)
    : TfrmSize(owner),
      // A click decides at once: a second click on the same row is a second toggle, not the
      // end of a double click.
      lstCards(NewFormList(*this, pnlTTop, "lstCards", FormBounds{12, 76, 208, 230},
                           FlatListOptions() | TILTreeDisplayOption::iltNoDoubleClick))
{
    SetName("frmWarpTwinedSize");
    SetBounds(0, 0, 250, 380);
    AddColumn(*lstCards, "Card", "CARD", 100);
    AddColumn(*lstCards, "Threading", "THREADING", 80);
    lstCards->SetOnNodeClick([this](TILTree*, TILTreeNode* node) { ToggleRow(node); });
    edWidth->SetOnExit([this](fw::Object*) { edWidthExit(); });
    // Accepting with the focus still in the width edit never leaves it: the rows are brought
    // to the width first, so that the cards always match the width accepted.
    btnAccept->SetOnClick([this](fw::Object*) {
        edWidthExit();
        btnAcceptClick();
    });
}

TfrmWarpTwinedSize::~TfrmWarpTwinedSize() = default;

void TfrmWarpTwinedSize::ApplyDefaultStyle()
{
    TfrmSize::ApplyDefaultStyle();
    ApplyDefaultFormStyle({lstCards});
}

bool TfrmWarpTwinedSize::Execute(fw::Component* owner, int& width, int& length, TTWCardList& cards)
{
    const std::unique_ptr<TfrmWarpTwinedSize> dialog = NewCentredDialog<TfrmWarpTwinedSize>(owner);
    dialog->FillRows(width, cards);
    if (!dialog->TfrmSize::Execute(width, length)) {
        return false;
    }
    width = dialog->GetWidth();
    length = dialog->GetLength();
    // A design larger than a file may hold would not open again once saved: refused before
    // the cards change, so that the design stays as it was.
    CheckDesignCells(width, length, dialog.get(), "Execute");
    dialog->ApplyToCards(cards);
    return true;
}

void TfrmWarpTwinedSize::FillRows(int width, const TTWCardList& cards)
{
    TILTreeUpdateBracket bracket(lstCards);
    lstCards->Clear();
    for (int i = 0; i < width; ++i) {
        const TTWCardBase* card = cards.GetCard(i);
        AddRow(i + 1, std::string(ThreadingText(card != nullptr ? card->Threading() : ThreadingS)));
    }
}

void TfrmWarpTwinedSize::AddRow(int number, const std::string& threading)
{
    auto* row = new TILTreeNode(lstCards->Root());
    row->SetCellText(CardColumn, CardCaption(number));
    row->SetCellText(ThreadingColumn, threading);
}

void TfrmWarpTwinedSize::edWidthExit()
{
    const int width = fw::StrToIntDef(edWidth->Text(), -1);
    // A width past the card limit is refused on accepting; a row for each of its cards would
    // hold the dialog up long before.
    if (width <= 0 || width > MaxPatternCards) {
        return;
    }
    TILTreeUpdateBracket bracket(lstCards);
    while (RowCount() < width) {
        AddRow(RowCount() + 1, "S");
    }
    while (RowCount() > width) {
        delete lstCards->Root()->GetItem(RowCount() - 1);
    }
}

void TfrmWarpTwinedSize::ToggleRow(TILTreeNode* row)
{
    if (row == nullptr) {
        return;
    }
    const bool z = row->GetCellText(ThreadingColumn) == "Z";
    row->SetCellText(ThreadingColumn, z ? "S" : "Z");
}

void TfrmWarpTwinedSize::ApplyToCards(TTWCardList& cards) const
{
    const int rows = RowCount();
    while (cards.Count() > rows) {
        cards.Delete(cards.Count() - 1);
    }
    while (cards.Count() < rows) {
        auto card = std::make_unique<TTWCard4>();
        card->Reset();
        cards.Add(card.release());
    }
    for (int i = 0; i < rows; ++i) {
        TTWCardBase* card = cards.GetCard(i);
        card->SetThreading(RowThreading(i) == "S" ? ThreadingS : ThreadingZ);
        card->Reset();
    }
}

int TfrmWarpTwinedSize::RowCount() const
{
    return lstCards->Root()->GetCount();
}

std::string TfrmWarpTwinedSize::RowThreading(int row) const
{
    const TILTreeNode* node = lstCards->Root()->GetItem(row);
    return node != nullptr ? node->GetCellText(ThreadingColumn) : std::string();
}
