#include "shell/palette_list_window.h"

#include <memory>

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "framework/gui/std_button.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "shell/main_window.h"
#include "shell/palette_colour_dialog.h"
#include "shell/palette_edit_dialog.h"
#include "shell/size_dialog_placing.h"
#include "shell/window_factory.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

using Option = TILTreeDisplayOption;

// The palette index a colour column shows: column 1 shows index 0.
int ColourIndexOfColumn(int column)
{
    return column - 1;
}

} // namespace

TfrmTWPaletteList::TfrmTWPaletteList(fw::Component* owner)
    : TfrmTBasicList(owner),
      btnAdd(NewBottomButton(*this, "btnAdd", "&Add", fw::mrNone)),
      btnEdit(NewBottomButton(*this, "btnEdit", "&Edit", fw::mrNone)),
      btnSelect(NewBottomButton(*this, "btnSelect", "&Select", fw::mrNone))
{
    SetName("frmTWPaletteList");
    SetCaption("Palette List");
    SetBounds(0, 0, 520, 320);

    treeList->SetOptions(FlatListOptions() | Option::iltNoDrag);
    TILTreeColumnData* name = treeList->Columns().Add();
    name->SetCaption("Palette Name");
    name->SetWidth(NameColumnWidth);
    name->SetAutoSort(iltSortAlphaAscend);
    for (int colour = 0; colour < TTWPalette::StandardSize; ++colour) {
        TILTreeColumnData* column = treeList->Columns().Add();
        column->SetWidth(ColourColumnWidth);
        column->SetDefaultDraw(false);
        column->SetOnDraw([this](TILTreeColumnData* drawn, TILTreeNode* node, const fw::Rect& extents,
                                 fw::Canvas& canvas) { DrawPaletteColour(drawn, node, extents, canvas); });
    }
    treeList->SetOnNodeDblClick([this](TILTree*, TILTreeNode* node) { treeListNodeDblClick(node); });

    btnSelect->SetVisible(false);
    btnAdd->SetOnClick([this](fw::Object*) { btnAddClick(); });
    btnEdit->SetOnClick([this](fw::Object*) { btnEditClick(); });
    btnSelect->SetOnClick([this](fw::Object*) { btnSelectClick(); });
}

TfrmTWPaletteList::~TfrmTWPaletteList() = default;

TTWPalette* TfrmTWPaletteList::Execute(TTWPaletteList& palettes, fw::Control* owner)
{
    const std::unique_ptr<TfrmTWPaletteList> window = NewCentredDialog<TfrmTWPaletteList>(owner);
    window->SetSelectMode(true);
    window->SetPalettes(&palettes);
    TTWPalette* chosen = nullptr;
    if (window->GetModalResult() == fw::mrOk) {
        chosen = RowPalette(window->treeList->GetSelected());
    }
    window->SetSelectMode(false);
    return chosen;
}

void TfrmTWPaletteList::ShowPalettes(TTWPaletteList& palettes, fw::Control* owner)
{
    const std::unique_ptr<TfrmTWPaletteList> window = NewCentredDialog<TfrmTWPaletteList>(owner);
    window->SetPalettes(&palettes);
}

void TfrmTWPaletteList::SetSelectMode(bool selectMode)
{
    selectMode_ = selectMode;
    btnSelect->SetVisible(selectMode);
    PlaceButtonsFromRight(*pnlTBottom, {btnSelect, btnEdit, btnAdd});
}

void TfrmTWPaletteList::SetPalettes(TTWPaletteList* palettes)
{
    palettes_ = palettes;
    FillRows();
    PlaceButtonsFromRight(*pnlTBottom, {btnSelect, btnEdit, btnAdd});
    ShowModal();
}

void TfrmTWPaletteList::FillRows()
{
    TILTreeUpdateBracket bracket(treeList);
    treeList->Clear();
    if (palettes_ != nullptr) {
        for (int i = 0; i < palettes_->Count(); ++i) {
            AddRow(palettes_->Palettes(i));
        }
    }
    // The name column's own sort: alphabetical, ascending.
    treeList->GetColumn(0)->SortNodes(false);
}

TILTreeNode* TfrmTWPaletteList::AddRow(TTWPalette* palette)
{
    auto* row = new TILTreeNode(treeList->Root());
    row->SetText(palette->Name());
    row->SetObject(palette);
    return row;
}

TTWPalette* TfrmTWPaletteList::RowPalette(const TILTreeNode* row)
{
    return row != nullptr ? dynamic_cast<TTWPalette*>(row->Object()) : nullptr;
}

void TfrmTWPaletteList::DrawPaletteColour(TILTreeColumnData* column, TILTreeNode* node, const fw::Rect& extents,
                                          fw::Canvas& canvas)
{
    const TTWPalette* palette = RowPalette(node);
    if (palette == nullptr) {
        return;
    }
    canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    const TTWColour colour = palette->GetColour(ColourIndexOfColumn(column->Index()));
    canvas.Brush() = fw::Brush{colour, fw::BrushStyle::Solid, nullptr};
    // The extents are inclusive; the rectangle leaves the cell's first column and row free.
    canvas.Rectangle(extents.Left + 1, extents.Top + 1, extents.Right + 1, extents.Bottom + 1);
}

void TfrmTWPaletteList::treeListNodeDblClick(TILTreeNode* node)
{
    const TILTreeColumnData* column = treeList->ColumnAt(treeList->LastMousePoint().X);
    if (column == nullptr || node == nullptr) {
        return;
    }
    const int index = column->Index();
    if (index >= 1 && index <= TTWPalette::StandardSize) {
        EditColour(node, ColourIndexOfColumn(index));
    } else if (index == 0) {
        if (selectMode_) {
            btnSelectClick();
        } else {
            btnEditClick();
        }
    }
}

void TfrmTWPaletteList::EditColour(TILTreeNode* node, int colourIndex)
{
    TTWPalette* palette = RowPalette(node);
    if (palette == nullptr) {
        return;
    }
    TTWColour colour = palette->GetColour(colourIndex);
    if (!ExecuteColourDialog(colour)) {
        return;
    }
    palette->SetColour(colourIndex, colour);
    node->Repaint();
}

void TfrmTWPaletteList::btnEditClick()
{
    TILTreeNode* row = treeList->GetSelected();
    TTWPalette* palette = RowPalette(row);
    if (palette == nullptr || !TfrmTWEditPalette::Execute(*palette, this, true)) {
        return;
    }
    row->SetText(palette->Name());
    row->Repaint();
}

void TfrmTWPaletteList::btnSelectClick()
{
    if (treeList->GetSelected() != nullptr) {
        SetModalResult(fw::mrOk);
    }
}

void TfrmTWPaletteList::btnAddClick()
{
    if (palettes_ == nullptr) {
        return;
    }
    // Freed again unless the user accepts it.
    auto palette = std::make_unique<TTWPalette>();
    if (const TTWPalette* standard = palettes_->DefaultPalette()) {
        palette->Assign(standard);
    }
    if (!TfrmTWEditPalette::Execute(*palette, this, true)) {
        return;
    }
    palettes_->Add(palette.get());
    AddRow(palette.release());
}

// --- The main window's entry ----------------------------------------------------------------

void OpenPaletteListWindow(TfrmTWMain& main, int)
{
    TfrmTWPaletteList::ShowPalettes(PaletteList(), &main);
}

void RegisterPaletteWindows()
{
    RegisterWindowOpener(TTWWindowKind::PaletteList, &OpenPaletteListWindow);
}
