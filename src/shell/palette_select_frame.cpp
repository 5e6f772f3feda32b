#include "shell/palette_select_frame.h"

#include "controls/brush_panel.h"
#include "forms/combo_box.h"
#include "framework/gui/std_label.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "shell/palette_frame.h"

namespace {

constexpr int Margin = 6;
constexpr int ListTop = 6;

} // namespace

TfrmPaletteSel::TfrmPaletteSel(fw::Component* owner)
    : fw::Frame(owner),
      pnlPaletteSel(new TILBrushPanel(this)),
      lblPalette(new fw::Label(this)),
      cbPalette(new TILComboBox(this)),
      framePalette(new TfrmPalette(this))
{
    pnlPaletteSel->SetName("pnlPaletteSel");
    pnlPaletteSel->SetParent(this);
    pnlPaletteSel->SetAlign(fw::Align::Client);

    lblPalette->SetName("lblPalette");
    lblPalette->SetParent(pnlPaletteSel);
    lblPalette->SetCaption("Current Palette");
    lblPalette->SetTransparent(true);
    lblPalette->SetAutoSize(false);
    lblPalette->SetBounds(Margin, ListTop + 3, 90, 15);

    cbPalette->SetName("cbPalette");
    cbPalette->SetParent(pnlPaletteSel);
    cbPalette->SetBounds(Margin + 94, ListTop, framePalette->Width() - 94, 21);
    cbPalette->SetAfterChange([this](TILComboBox*) { cbPaletteChange(); });

    framePalette->SetName("framePalette");
    framePalette->SetParent(pnlPaletteSel);
    framePalette->SetLeft(Margin);
    framePalette->SetTop(ListTop + cbPalette->Height() + 6);

    SetBounds(0, 0, framePalette->Left() + framePalette->Width() + Margin,
              framePalette->Top() + framePalette->Height() + Margin);
    FinishLoading();

    FillPaletteList();
    cbPalette->SetItemIndex(0);
    cbPaletteChange();
}

TfrmPaletteSel::~TfrmPaletteSel() = default;

void TfrmPaletteSel::FillPaletteList()
{
    const TTWPaletteList& palettes = PaletteList();
    cbPalette->Items().Clear();
    for (int i = 0; i < palettes.Count(); ++i) {
        TTWPalette* palette = palettes.Palettes(i);
        cbPalette->Items().Add(palette->Name(), i, true, true, palette);
    }
}

void TfrmPaletteSel::cbPaletteChange()
{
    const TILComboBoxItem* item = cbPalette->Selected();
    framePalette->SetPalette(item != nullptr ? dynamic_cast<TTWPalette*>(item->Data()) : nullptr);
}

void TfrmPaletteSel::SetPaletteChangeable(bool changeable)
{
    paletteChangeable_ = changeable;
    cbPalette->SetEnabled(changeable);
}
