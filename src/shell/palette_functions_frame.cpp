#include "shell/palette_functions_frame.h"

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/card_list.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_function_glyphs.h"
#include "shell/palette_list_window.h"

namespace {

constexpr int Margin = 4;
constexpr int ButtonSize = 23;
constexpr int ButtonHeight = 22;
constexpr int ColourPanelWidth = 32;
constexpr int ColourPanelHeight = 24;
constexpr int SwapButtonWidth = 18;

// A button's bounds at (left, top).
FormBounds ButtonAt(int left, int top)
{
    return FormBounds{left, top, ButtonSize, ButtonHeight};
}

fw::Panel* NewColourPanel(TfrmTWPaletteFunctions& frame, TILBrushPanel& panel, const char* name, const char* hint)
{
    auto* colour = new fw::Panel(&frame);
    colour->SetName(name);
    colour->SetParent(&panel);
    colour->SetBevelOuter(fw::PanelBevel::Lowered);
    colour->SetHint(hint);
    colour->SetShowHint(true);
    // Nothing chosen yet.
    colour->SetTag(-1);
    return colour;
}

} // namespace

TfrmTWPaletteFunctions::TfrmTWPaletteFunctions(fw::Component* owner)
    : fw::Frame(owner),
      pnlColours(new TILBrushPanel(this)),
      btnSelectPalette(NewGlyphButton(*this, pnlColours, "btnSelectPalette", "Select new palette",
                                      PaletteFunctionGlyph(TTWPaletteGlyph::SelectPalette), ButtonAt(Margin, Margin))),
      btnEditPalette(NewGlyphButton(*this, pnlColours, "btnEditPalette", "Edit palette colours",
                                    PaletteFunctionGlyph(TTWPaletteGlyph::EditPalette),
                                    ButtonAt(Margin + ButtonSize + 2, Margin))),
      btnSwapColours(NewGlyphButton(*this, pnlColours, "btnSwapColours", "Swap primary and secondary colours",
                                    PaletteFunctionGlyph(TTWPaletteGlyph::SwapColours),
                                    ButtonAt(Margin + 2 * (ButtonSize + 2), Margin))),
      btnReplaceColours(NewGlyphButton(*this, pnlColours, "btnReplaceColours", "Replace secondary with primary colour",
                                       PaletteFunctionGlyph(TTWPaletteGlyph::ReplaceSecondary),
                                       ButtonAt(Margin, Margin + ButtonHeight + 2))),
      btnReplaceCol2(NewGlyphButton(*this, pnlColours, "btnReplaceCol2", "Replace primary with secondary colour",
                                    PaletteFunctionGlyph(TTWPaletteGlyph::ReplacePrimary),
                                    ButtonAt(Margin + ButtonSize + 2, Margin + ButtonHeight + 2))),
      btnSwapColourSel(NewGlyphButton(*this, pnlColours, "btnSwapColourSel", "",
                                      PaletteFunctionGlyph(TTWPaletteGlyph::SwapChoices), ButtonAt(0, 0))),
      framePalette(new TfrmTWPalette4x4(this)),
      pnlColour1(NewColourPanel(*this, *pnlColours, "pnlColour1", "Primary colour")),
      pnlColour2(NewColourPanel(*this, *pnlColours, "pnlColour2", "Secondary colour"))
{
    pnlColours->SetName("pnlColours");
    pnlColours->SetParent(this);
    pnlColours->SetAlign(fw::Align::Client);

    framePalette->SetName("framePalette");
    framePalette->SetParent(pnlColours);
    framePalette->SetLeft(Margin);
    framePalette->SetTop(Margin + 2 * (ButtonHeight + 2) + 2);

    // The two chosen colours with the button that exchanges them between them.
    const int row = framePalette->Top() + framePalette->Height() + Margin;
    const int right = framePalette->Left() + framePalette->Width();
    pnlColour1->SetBounds(Margin, row, ColourPanelWidth, ColourPanelHeight);
    pnlColour2->SetBounds(right - ColourPanelWidth, row, ColourPanelWidth, ColourPanelHeight);
    btnSwapColourSel->SetBounds((Margin + right - SwapButtonWidth) / 2, row + (ColourPanelHeight - ButtonHeight) / 2,
                                SwapButtonWidth, ButtonHeight);
    SetBounds(0, 0, right + Margin, row + ColourPanelHeight + Margin);
    FinishLoading();

    framePalette->SetOnSelectColour(
        [this](TfrmTWPalette4x4*, TTWColour colour, int index) { ChoosePrimary(colour, index); });
    framePalette->SetOnSelectAltColour(
        [this](TfrmTWPalette4x4*, TTWColour colour, int index) { ChooseSecondary(colour, index); });
    pnlColour1->SetOnClick([this](fw::Object* sender) { SelectColourClick(sender); });
    pnlColour2->SetOnClick([this](fw::Object* sender) { SelectColourClick(sender); });
    btnSwapColourSel->SetOnClick([this](fw::Object*) { btnSwapColourSelClick(); });
    btnSelectPalette->SetOnClick([this](fw::Object*) { btnSelectPaletteClick(); });
    btnEditPalette->SetOnClick([this](fw::Object*) { btnEditPaletteClick(); });
    btnSwapColours->SetOnClick([this](fw::Object*) { btnSwapColoursClick(); });
    btnReplaceColours->SetOnClick([this](fw::Object* sender) { btnReplaceColoursClick(sender); });
    btnReplaceCol2->SetOnClick([this](fw::Object* sender) { btnReplaceColoursClick(sender); });
}

TfrmTWPaletteFunctions::~TfrmTWPaletteFunctions() = default;

fw::Control* TfrmTWPaletteFunctions::ParentWindow() const
{
    return fw::ParentFormOf(*this);
}

TTWColour TfrmTWPaletteFunctions::PaletteColour(int index) const
{
    return palette_ != nullptr ? palette_->GetColour(index) : NoColour;
}

int TfrmTWPaletteFunctions::GetPrimaryIndex() const
{
    return static_cast<int>(pnlColour1->Tag());
}

int TfrmTWPaletteFunctions::GetSecondaryIndex() const
{
    return static_cast<int>(pnlColour2->Tag());
}

void TfrmTWPaletteFunctions::ChoosePrimary(TTWColour colour, int index)
{
    pnlColour1->SetTag(index);
    pnlColour1->SetColor(colour);
    if (onPrimaryColour_) {
        onPrimaryColour_(framePalette, colour, index);
    }
}

void TfrmTWPaletteFunctions::ChooseSecondary(TTWColour colour, int index)
{
    pnlColour2->SetTag(index);
    pnlColour2->SetColor(colour);
    if (onSecondaryColour_) {
        onSecondaryColour_(framePalette, colour, index);
    }
}

void TfrmTWPaletteFunctions::SetPalette(TTWPalette* palette)
{
    if (palette == nullptr) {
        return;
    }
    palette_ = palette;
    framePalette->SetPalette(palette);
    RefreshPalette();
}

void TfrmTWPaletteFunctions::RefreshPalette()
{
    pnlColour1->SetColor(PaletteColour(GetPrimaryIndex()));
    pnlColour2->SetColor(PaletteColour(GetSecondaryIndex()));
    framePalette->SetPalette(palette_);
    if (onPaletteChanged_) {
        onPaletteChanged_(this);
    }
}

void TfrmTWPaletteFunctions::HookColourSources(ITWCardSetupColours* setup)
{
    if (setup == nullptr) {
        return;
    }
    // The row may ask after this frame has gone: it then hears that nothing is chosen.
    const fw::WeakRef<TfrmTWPaletteFunctions> self(this);
    setup->SetColourIndexSources([self] { return self ? self->GetPrimaryIndex() : -1; },
                                 [self] { return self ? self->GetSecondaryIndex() : -1; });
}

void TfrmTWPaletteFunctions::SetCardSetup(ITWCardSetupColours* setup)
{
    cardSetup_ = setup;
    HookColourSources(setup);
}

void TfrmTWPaletteFunctions::SetCardSetup2(ITWCardSetupColours* setup)
{
    cardSetup2_ = setup;
    HookColourSources(setup);
}

void TfrmTWPaletteFunctions::SelectColourClick(fw::Object* sender)
{
    auto* panel = dynamic_cast<fw::Panel*>(sender);
    if (panel == nullptr) {
        return;
    }
    const int index = TfrmColourSel::Execute(palette_, static_cast<int>(panel->Tag()), ParentWindow(), false, false);
    if (index >= 0) {
        panel->SetTag(index);
        panel->SetColor(PaletteColour(index));
    }
}

void TfrmTWPaletteFunctions::btnSwapColourSelClick()
{
    const std::intptr_t primary = pnlColour1->Tag();
    pnlColour1->SetTag(pnlColour2->Tag());
    pnlColour2->SetTag(primary);
    pnlColour1->SetColor(pnlColour2->Color());
    pnlColour2->SetColor(primary >= 0 ? PaletteColour(static_cast<int>(primary)) : fw::clBtnFace);
}

void TfrmTWPaletteFunctions::btnSelectPaletteClick()
{
    const TTWPalette* chosen = TfrmTWPaletteList::Execute(PaletteList(), ParentWindow());
    if (chosen == nullptr || palette_ == nullptr) {
        return;
    }
    palette_->CopyFrom(chosen);
    palette_->SetName(chosen->Name());
    RefreshPalette();
}

void TfrmTWPaletteFunctions::btnEditPaletteClick()
{
    if (palette_ != nullptr && TfrmTWEditPalette::Execute(*palette_, ParentWindow(), false)) {
        RefreshPalette();
    }
}

void TfrmTWPaletteFunctions::btnSwapColoursClick()
{
    const int primary = GetPrimaryIndex();
    const int secondary = GetSecondaryIndex();
    if (primary < 0 || secondary < 0) {
        return;
    }
    if (cardList_ != nullptr) {
        cardList_->SwapColours(primary, secondary);
    }
    for (ITWCardSetupColours* setup : {cardSetup_, cardSetup2_}) {
        if (setup != nullptr) {
            setup->SwapColoursSelected(primary, secondary);
        }
    }
    RefreshPalette();
}

void TfrmTWPaletteFunctions::btnReplaceColoursClick(fw::Object* sender)
{
    const int primary = GetPrimaryIndex();
    const int secondary = GetSecondaryIndex();
    if (primary < 0 || secondary < 0) {
        return;
    }
    const bool secondaryGoes = sender != btnReplaceCol2;
    const int oldColour = secondaryGoes ? secondary : primary;
    const int newColour = secondaryGoes ? primary : secondary;
    if (cardList_ != nullptr) {
        cardList_->ReplaceColour(oldColour, newColour);
    }
    for (ITWCardSetupColours* setup : {cardSetup_, cardSetup2_}) {
        if (setup != nullptr) {
            setup->ReplaceColourSelected(oldColour, newColour);
        }
    }
    RefreshPalette();
}
