#pragma once

#include <string_view>

#include "forms/basic_list_form.h"
#include "framework/core/canvas.h"

class TfrmTWMain;
class TILTreeColumnData;
class TILTreeNode;
class TTWPalette;
class TTWPaletteList;

namespace fw {
class Button;
class Control;
} // namespace fw

// "Palette List": the user's named palettes, one row each with the name and the 16
// colours, sorted by name. Palettes are added (starting as a copy of the default palette)
// and edited here; a double click on a colour edits that colour, on the name edits the
// palette or, when the list was opened to choose a palette, chooses it.
class TfrmTWPaletteList : public TfrmTBasicList {
public:
    static constexpr int NameColumnWidth = 150;
    static constexpr int ColourColumnWidth = 20;

    explicit TfrmTWPaletteList(fw::Component* owner = nullptr);
    ~TfrmTWPaletteList() override;

    std::string_view className() const override { return "TfrmTWPaletteList"; }

    fw::Button* const btnAdd;
    fw::Button* const btnEdit;
    // "&Select": shown while the list is open to choose a palette.
    fw::Button* const btnSelect;

    // Made by the owner and centred over it, opened on the list to choose a palette; answers
    // the palette of the selected row after Select, none otherwise. Frees the window.
    static TTWPalette* Execute(TTWPaletteList& palettes, fw::Control* owner);
    // The same window for looking after the palettes only (nothing is chosen).
    static void ShowPalettes(TTWPaletteList& palettes, fw::Control* owner);

    // Keeps the list (not owned), shows one row per palette sorted by name, and shows the
    // window modally.
    void SetPalettes(TTWPaletteList* palettes);
    TTWPaletteList* Palettes() const { return palettes_; }
    bool SelectMode() const { return selectMode_; }

    // The palette a row shows.
    static TTWPalette* RowPalette(const TILTreeNode* row);

    // The cell of colour column c (1 .. 16): a black-edged square of the row's colour c - 1.
    void DrawPaletteColour(TILTreeColumnData* column, TILTreeNode* node, const fw::Rect& extents,
                           fw::Canvas& canvas);
    void treeListNodeDblClick(TILTreeNode* node);
    void btnAddClick();
    void btnEditClick();
    void btnSelectClick();

private:
    void FillRows();
    TILTreeNode* AddRow(TTWPalette* palette);
    void SetSelectMode(bool selectMode);
    void EditColour(TILTreeNode* node, int colourIndex);

    TTWPaletteList* palettes_ = nullptr;
    bool selectMode_ = false;
};

// The palette list of the main window's Edit > Palettes: the global palettes, owned by the
// main window while it runs. The window opener of TTWWindowKind::PaletteList.
void OpenPaletteListWindow(TfrmTWMain& main, int parameter);
// Registers OpenPaletteListWindow for TTWWindowKind::PaletteList.
void RegisterPaletteWindows();
