#include "shell/palette_colour_select_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "framework/gui/std_button.h"
#include "shell/palette_frame.h"
#include "shell/palette_select_frame.h"
#include "shell/size_dialog_placing.h"

TfrmColourSel::TfrmColourSel(fw::Component* owner)
    : TfrmTBasic(owner),
      framePalette(new TfrmPaletteSel(this)),
      btnSelect(NewBottomButton(*this, "btnSelect", "&Select", fw::mrNone)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmColourSel");
    SetCaption("Colour Selection");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    framePalette->SetName("framePalette");
    framePalette->SetParent(pnlTTop);
    framePalette->SetBounds(4, 4, framePalette->Width(), framePalette->Height());
    SetBounds(0, 0, framePalette->Width() + 8, framePalette->Height() + 8 + pnlTBottom->Height());

    btnSelect->SetVisible(false);
    btnSelect->SetOnClick([this](fw::Object*) { btnSelectClick(); });
    btnCancel->SetCancel(true);
    TfrmPalette& colours = *framePalette->framePalette;
    for (int index = 0; index < TfrmPalette::ColourCount; ++index) {
        TTWColourPanel* panel = colours.GetColourPanel(index);
        panel->SetOnClick([this](fw::Object* sender) { ColourPanelClick(sender); });
        panel->SetOnDblClick([this](fw::Object* sender) { ColourPanelDblClick(sender); });
    }
}

TfrmColourSel::~TfrmColourSel() = default;

int TfrmColourSel::Execute(TTWPalette* palette, int preselected, fw::Control* owner, bool mayEditColours,
                           bool mayChangePalette)
{
    const std::unique_ptr<TfrmColourSel> dialog = NewCentredDialog<TfrmColourSel>(owner);
    return dialog->Run(palette, preselected, mayEditColours, mayChangePalette);
}

int TfrmColourSel::Run(TTWPalette* palette, int preselected, bool mayEditColours, bool mayChangePalette)
{
    mayEditColours_ = mayEditColours;
    TfrmPalette& colours = *framePalette->framePalette;
    colours.SetPalette(palette);
    framePalette->SetPaletteChangeable(mayChangePalette);
    colours.SetEditable(mayEditColours);
    btnSelect->SetVisible(mayEditColours);
    colours.SetSelectable(true);
    colours.SelectIndex(preselected);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnSelect});
    if (ShowModal() != fw::mrOk) {
        return -1;
    }
    return colours.SelectedIndex();
}

void TfrmColourSel::ColourPanelClick(fw::Object* sender)
{
    framePalette->framePalette->SelectColourClick(sender);
    if (!mayEditColours_) {
        SetModalResult(fw::mrOk);
    }
}

void TfrmColourSel::ColourPanelDblClick(fw::Object* sender)
{
    if (!mayEditColours_) {
        framePalette->framePalette->SelectColourClick(sender);
        SetModalResult(fw::mrOk);
        return;
    }
    framePalette->framePalette->ChangeColourClick(sender);
}

void TfrmColourSel::btnSelectClick()
{
    SetModalResult(fw::mrOk);
}
