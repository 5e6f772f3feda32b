#include "shell/report_threading_dialog.h"

#include <algorithm>
#include <optional>

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "forms/forms_default_style.h"
#include "controls/radio_button.h"
#include "framework/core/encoding.h"
#include "framework/core/strings.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/turning_codes.h"
#include "shell/report_threading.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"

namespace {

constexpr int FormWidth = 600;
constexpr int FormHeight = 420;
constexpr int ColoursLeft = 330;
constexpr int HoleColumnWidth = 25;
constexpr int LabelWidth = 80;
constexpr int LabelHeight = 15;
// The card and threading columns come before the hole columns.
constexpr int FixedCardColumns = 2;

fw::Edit* NewTitleEdit(TfrmTBasic& form)
{
    auto* edit = new fw::Edit(&form);
    edit->SetName("edTitle");
    edit->SetParent(form.pnlTTop);
    edit->SetBounds(50, 8, 270, 21);
    return edit;
}

TILTreeColumnData* AddColumn(TILTree& tree, const char* caption, const char* id, int width)
{
    TILTreeColumnData* column = tree.Columns().Add();
    column->SetCaption(caption);
    column->SetID(id);
    column->SetWidth(width);
    return column;
}

TILRadioButton* NewRadio(TfrmTBasic& form, const char* name, const char* caption, int top)
{
    auto* radio = new TILRadioButton(&form);
    radio->SetName(name);
    radio->SetParent(form.pnlTTop);
    radio->SetCaption(caption);
    radio->SetBounds(ColoursLeft + 10, top, 120, 17);
    return radio;
}

} // namespace

void PaintHoleCell(fw::Canvas& canvas, const fw::Rect& extents, fw::Color colour)
{
    const fw::Pen pen = canvas.Pen();
    const fw::Brush brush = canvas.Brush();
    const std::optional<fw::Region> clip = canvas.ClipRegion();
    canvas.IntersectClipRect(fw::Rect{extents.Left, extents.Top, extents.Right + 1, extents.Bottom + 1});
    canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas.Brush() = fw::Brush{colour, fw::BrushStyle::Solid, nullptr};
    canvas.Rectangle(extents.Left + 1, extents.Top + 1, extents.Right + 1, extents.Bottom + 1);
    canvas.SetClipRegion(clip);
    canvas.Pen() = pen;
    canvas.Brush() = brush;
}

std::string FirstCharacters(const std::string& text, int count)
{
    return text.substr(0, fw::Utf8PrefixBytes(text, static_cast<std::size_t>(std::max(count, 0))));
}

TfrmTWPrintCards::TfrmTWPrintCards(fw::Component* owner)
    : TfrmTBtnBasic(owner),
      lblTitle(NewFormLabel(*this, pnlTTop, "lblTitle", "Title", FormBounds{10, 11, LabelWidth, LabelHeight})),
      edTitle(NewTitleEdit(*this)),
      lstCards(NewFormList(*this, pnlTTop, "lstCards", FormBounds{10, 40, 310, 330})),
      lstColours(NewFormList(*this, pnlTTop, "lstColours", FormBounds{ColoursLeft, 40, 250, 220})),
      lblPrintUsing(NewFormLabel(*this, pnlTTop, "lblPrintUsing", "Print using",
                                 FormBounds{ColoursLeft, 272, LabelWidth, LabelHeight})),
      rbUseColours(NewRadio(*this, "rbUseColours", "Colours", 292)),
      rbUseNames(NewRadio(*this, "rbUseNames", "Names", 314)),
      rbUseCharacters(NewRadio(*this, "rbUseCharacters", "Characters", 336))
{
    SetName("frmTWPrintCards");
    SetCaption("Threading Diagram");
    SetBounds(0, 0, FormWidth, FormHeight);
    SetPosition(fw::FormPosition::ScreenCenter);

    AddColumn(*lstCards, "Card", "CARD", 40);
    AddColumn(*lstCards, "Thread", "THREAD", 45);

    TILTreeColumnData* colour = AddColumn(*lstColours, "Colour", "", 50);
    colour->SetDefaultDraw(false);
    colour->SetOnDraw([this](TILTreeColumnData*, TILTreeNode* node, const fw::Rect& extents, fw::Canvas& canvas) {
        PaintColourCell(extents, canvas, node);
    });
    AddColumn(*lstColours, "Colour Name", "NAME", 100);
    AddColumn(*lstColours, "Character", "CHAR", 65);
    lstColours->SetOptions(lstColours->Options().Include(TILTreeDisplayOption::iltAutoEdit));
    TILTreeInlineEditSettings editing;
    editing.SetOptions(TILTreeInlineEditOptions{TILTreeInlineEditOption::iltEditOnClick,
                                                TILTreeInlineEditOption::iltEditAllowTab,
                                                TILTreeInlineEditOption::iltEditAutoScroll});
    lstColours->SetInlineEdit(&editing);
    lstColours->SetOnCanEditInline([](TILTree* tree, TILTreeNode*, int columnIndex) {
        const TILTreeColumnData* column = tree->GetColumn(columnIndex);
        return column != nullptr && (column->ID() == "NAME" || column->ID() == "CHAR");
    });
    lstColours->SetOnEditSetText([this](TILTreeNode*, int columnIndex, std::string& value) {
        if (columnIndex == lstColours->Columns().IndexOfName("CHAR")) {
            value = FirstCharacters(value, 2);
        }
    });

    rbUseColours->SetChecked(true);

    btnAccept->SetCaption("&Print");
    // Printing leaves the dialog open: the weaver may print again with other choices.
    btnAccept->SetModalResult(fw::mrNone);
    btnAccept->SetOnClick([this](fw::Object*) { btnAcceptClick(); });
}

TfrmTWPrintCards::~TfrmTWPrintCards() = default;

void TfrmTWPrintCards::ApplyDefaultStyle()
{
    TfrmTBtnBasic::ApplyDefaultStyle();
    if (TILFormsDefaultStyle* style = FormsDefaultStyle()) {
        lstCards->Assign(&style->Trees());
        lstColours->Assign(&style->Trees());
    }
}

fw::ModalResult TfrmTWPrintCards::Execute(TTWCardList* cards, TTWPalette* palette, const std::string& title)
{
    FinishLoading();
    cards_ = cards;
    palette_ = palette;
    edTitle->SetText(title);
    FillCards();
    FillColours();
    return ShowModal();
}

void TfrmTWPrintCards::FillCards()
{
    TILTreeUpdateBracket bracket(lstCards);
    lstCards->Clear();
    while (lstCards->Columns().Count() > FixedCardColumns) {
        lstCards->Columns().Delete(lstCards->Columns().Count() - 1);
    }
    coloursInUse_.clear();
    if (cards_ == nullptr) {
        return;
    }
    for (int i = 0; i < cards_->Count(); ++i) {
        TTWCardBase* card = cards_->GetCard(i);
        auto* node = new TILTreeNode(lstCards->Root());
        node->SetCellText(0, std::to_string(i + 1));
        node->SetCellText(1, std::string(ThreadingText(card->Threading())));
        node->SetObject(card);
        for (int hole = 0; hole < card->GetHoleCount(); ++hole) {
            if (lstCards->Columns().Count() == hole + FixedCardColumns) {
                TILTreeColumnData* column = lstCards->Columns().Add();
                column->SetCaption(std::string(1, static_cast<char>('A' + hole)));
                column->SetWidth(HoleColumnWidth);
                column->SetHeaderJustify(iltJustifyCentre);
                column->SetDefaultDraw(false);
                column->SetOnDraw([this, hole](TILTreeColumnData*, TILTreeNode* row, const fw::Rect& extents,
                                               fw::Canvas& canvas) { PaintCardHole(extents, canvas, row, hole); });
            }
            const int colour = card->HoleColour(hole);
            if (colour >= 0) {
                if (static_cast<std::size_t>(colour) >= coloursInUse_.size()) {
                    coloursInUse_.resize(static_cast<std::size_t>(colour) + 1, false);
                }
                coloursInUse_[static_cast<std::size_t>(colour)] = true;
            }
        }
    }
}

void TfrmTWPrintCards::FillColours()
{
    TILTreeUpdateBracket bracket(lstColours);
    lstColours->Clear();
    int row = 0;
    for (std::size_t index = 0; index < coloursInUse_.size(); ++index) {
        if (!coloursInUse_[index]) {
            continue;
        }
        ++row;
        auto* node = new TILTreeNode(lstColours->Root());
        node->SetCellText(1, "Colour " + std::to_string(row));
        node->SetCellText(2, "F");
        node->SetTag(static_cast<int>(index));
    }
}

bool TfrmTWPrintCards::ColourInUse(int paletteIndex) const
{
    return paletteIndex >= 0 && static_cast<std::size_t>(paletteIndex) < coloursInUse_.size()
           && coloursInUse_[static_cast<std::size_t>(paletteIndex)];
}

TILTreeNode* TfrmTWPrintCards::ColourRow(int paletteIndex) const
{
    for (TILTreeNode* node : lstColours->Root()->Children()) {
        if (node->Tag() == paletteIndex) {
            return node;
        }
    }
    return nullptr;
}

std::string TfrmTWPrintCards::ColourName(int paletteIndex) const
{
    const TILTreeNode* row = ColourRow(paletteIndex);
    return row != nullptr ? fw::Trim(row->GetCellTextByName("NAME")) : std::string();
}

std::string TfrmTWPrintCards::ColourCharacters(int paletteIndex) const
{
    const TILTreeNode* row = ColourRow(paletteIndex);
    return row != nullptr ? FirstCharacters(row->GetCellTextByName("CHAR"), 2) : std::string();
}

void TfrmTWPrintCards::btnAcceptClick()
{
    if (report_ == nullptr) {
        report_ = new TfrmTWPrintCardsQR(this);
    }
    report_->PreviewCards(this);
}

void TfrmTWPrintCards::PaintCardHole(const fw::Rect& extents, fw::Canvas& canvas, TILTreeNode* node, int hole) const
{
    const auto* card = dynamic_cast<const TTWCardBase*>(node->Object());
    // A card with fewer holes than the widest card has no cell to show there.
    if (card == nullptr || palette_ == nullptr || hole >= card->GetHoleCount()) {
        return;
    }
    PaintHoleCell(canvas, extents, palette_->GetColour(card->HoleColour(hole)));
}

void TfrmTWPrintCards::PaintColourCell(const fw::Rect& extents, fw::Canvas& canvas, TILTreeNode* node) const
{
    if (palette_ != nullptr) {
        PaintHoleCell(canvas, extents, palette_->GetColour(node->Tag()));
    }
}
