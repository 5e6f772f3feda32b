#include "shell/palette_select_frame.h"

#include "controls/brush_panel.h"
#include "framework/gui/std_label.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "shell/palette_drop_down.h"
#include "shell/palette_frame.h"

namespace {

constexpr int Margin = 6;
constexpr int ListTop = 6;

} // namespace

TfrmPaletteSel::TfrmPaletteSel(fw::Component* owner)
    : fw::Frame(owner),
      pnlPaletteSel(new TILBrushPanel(this)),
      lblPalette(new fw::Label(this)),
      cbPalette(new TTWDropDownList(this)),
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
    cbPalette->SetOnChange([this](fw::Object*) { cbPaletteChange(); });

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
    cbPalette->BeginUpdate();
    cbPalette->Clear();
    for (int i = 0; i < palettes.Count(); ++i) {
        TTWPalette* palette = palettes.Palettes(i);
        cbPalette->AddItem(palette->Name(), palette);
    }
    cbPalette->EndUpdate();
}

void TfrmPaletteSel::cbPaletteChange()
{
    framePalette->SetPalette(dynamic_cast<TTWPalette*>(cbPalette->ItemObject(cbPalette->ItemIndex())));
}

void TfrmPaletteSel::SetPaletteChangeable(bool changeable)
{
    paletteChangeable_ = changeable;
    cbPalette->SetEnabled(changeable);
}
