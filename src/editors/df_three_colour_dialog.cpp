#include "editors/df_three_colour_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "framework/core/system_colours.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "model/palette.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/size_dialog_placing.h"

namespace {

fw::Label* NewCaption(fw::Component* owner, const char* name, const char* caption)
{
    auto* label = new fw::Label(owner);
    label->SetName(name);
    label->SetCaption(caption);
    return label;
}

fw::Panel* NewSwatch(fw::Component* owner, const char* name)
{
    auto* panel = new fw::Panel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    panel->SetBevelOuter(fw::PanelBevel::Lowered);
    return panel;
}

} // namespace

TfrmTWDF3ColourSetup::TfrmTWDF3ColourSetup(fw::Component* owner)
    : TfrmTBtnBasic(owner),
      lblPattern(NewCaption(this, "lblPattern", "Pattern Colour")),
      pnlColPattern(NewSwatch(this, "pnlColPattern")),
      lblBack1(NewCaption(this, "lblBack1", "1st Background Colour")),
      pnlColBack1(NewSwatch(this, "pnlColBack1")),
      lblBack2(NewCaption(this, "lblBack2", "2nd Background Colour")),
      pnlColBack2(NewSwatch(this, "pnlColBack2"))
{
    SetName("frmTWDF3ColourSetup");
    SetCaption("3-Colour Doubleface Setup");
    SetClientSize(300, 170);
    SetAcceptMode(true);
    fw::Label* const labels[] = {lblPattern, lblBack1, lblBack2};
    fw::Panel* const panels[] = {pnlColPattern, pnlColBack1, pnlColBack2};
    for (int i = 0; i < 3; ++i) {
        labels[i]->SetParent(pnlTTop);
        labels[i]->SetBounds(10, 14 + i * 32, 150, 16);
        panels[i]->SetParent(pnlTTop);
        panels[i]->SetBounds(170, 8 + i * 32, 28, 28);
        fw::Panel* panel = panels[i];
        panel->SetOnDblClick([this, panel](fw::Object*) { PanelDblClick(panel); });
    }
}

TfrmTWDF3ColourSetup::~TfrmTWDF3ColourSetup() = default;

bool TfrmTWDF3ColourSetup::Execute(fw::Component* owner, TTWPalette& palette, int& pattern, int& background1,
                                   int& background2)
{
    const std::unique_ptr<TfrmTWDF3ColourSetup> dialog = NewCentredDialog<TfrmTWDF3ColourSetup>(owner);
    dialog->SetPalette(&palette);
    dialog->SetPanelColour(dialog->pnlColPattern, 0);
    dialog->SetPanelColour(dialog->pnlColBack1, 1);
    dialog->SetPanelColour(dialog->pnlColBack2, 2);
    if (dialog->ShowModal() != fw::mrOk) {
        return false;
    }
    pattern = static_cast<int>(dialog->pnlColPattern->Tag());
    background1 = static_cast<int>(dialog->pnlColBack1->Tag());
    background2 = static_cast<int>(dialog->pnlColBack2->Tag());
    return true;
}

void TfrmTWDF3ColourSetup::SetPanelColour(fw::Panel* panel, int index)
{
    panel->SetTag(index);
    const TTWColour colour = palette_ != nullptr ? palette_->GetColour(index) : NoColour;
    panel->SetColor(colour != NoColour ? static_cast<fw::Color>(colour) : fw::clBtnFace);
}

void TfrmTWDF3ColourSetup::PanelDblClick(fw::Panel* panel)
{
    if (palette_ == nullptr) {
        return;
    }
    const int index = TfrmColourSel::Execute(palette_, static_cast<int>(panel->Tag()), this, false, false);
    if (index >= 0) {
        SetPanelColour(panel, index);
    }
}
