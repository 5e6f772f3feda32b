#pragma once

#include <functional>
#include <string_view>

#include "framework/gui/form.h"
#include "shell/palette_frame.h"

class TILBrushPanel;
class TTWCardList;
class TTWPalette;

namespace fw {
class Panel;
class SpeedButton;
} // namespace fw

// What the palette-functions frame needs of a row of card-setup frames: the colour changes
// on the cards selected there, and the two places where that row asks which colours are the
// primary and the secondary one.
class ITWCardSetupColours {
public:
    ITWCardSetupColours() = default;
    virtual ~ITWCardSetupColours() = default;
    ITWCardSetupColours(const ITWCardSetupColours&) = delete;
    ITWCardSetupColours& operator=(const ITWCardSetupColours&) = delete;

    // Every hole of the selected cards with one index takes the other, both ways.
    virtual void SwapColoursSelected(int colour1, int colour2) = 0;
    // Every hole of the selected cards with oldColour takes newColour.
    virtual void ReplaceColourSelected(int oldColour, int newColour) = 0;
    // Where the row reads the primary and the secondary palette index from (-1: none).
    using ColourIndexSource = std::function<int()>;
    virtual void SetColourIndexSources(ColourIndexSource primary, ColourIndexSource secondary) = 0;
};

class TfrmTWPaletteFunctions;
using TTWPaletteFunctionsEvent = std::function<void(TfrmTWPaletteFunctions* sender)>;

// The palette tools the editors embed: the pattern's palette in four rows of four, the
// primary and the secondary colour (a left click on a colour chooses the primary, the right
// button the secondary), and buttons that choose another palette, edit the colours, and swap
// or replace the two colours in the cards of the pattern and in the cards selected in the
// card-setup rows bound to the frame.
//
// Nothing here is owned: the palette, the card list and the card-setup rows belong to the
// editor, which binds them and must unbind them before they go.
class TfrmTWPaletteFunctions : public fw::Frame {
public:
    explicit TfrmTWPaletteFunctions(fw::Component* owner = nullptr);
    ~TfrmTWPaletteFunctions() override;

    std::string_view className() const override { return "TfrmTWPaletteFunctions"; }

    TILBrushPanel* const pnlColours;
    fw::SpeedButton* const btnSelectPalette;
    fw::SpeedButton* const btnEditPalette;
    fw::SpeedButton* const btnSwapColours;
    fw::SpeedButton* const btnReplaceColours;
    fw::SpeedButton* const btnReplaceCol2;
    fw::SpeedButton* const btnSwapColourSel;
    TfrmTWPalette4x4* const framePalette;
    // Tag: the chosen palette index, -1 while none is chosen.
    fw::Panel* const pnlColour1;
    fw::Panel* const pnlColour2;

    // Binds the palette and shows it (none is ignored).
    void SetPalette(TTWPalette* palette);
    TTWPalette* Palette() const { return palette_; }
    void SetCardList(TTWCardList* cards) { cardList_ = cards; }
    TTWCardList* CardList() const { return cardList_; }
    // Binds the first (second) card-setup row, none to unbind; a row bound reads the two
    // colour indices from this frame.
    void SetCardSetup(ITWCardSetupColours* setup);
    void SetCardSetup2(ITWCardSetupColours* setup);
    ITWCardSetupColours* CardSetup() const { return cardSetup_; }
    ITWCardSetupColours* CardSetup2() const { return cardSetup2_; }

    // The Tags of the two colour panels.
    int GetPrimaryIndex() const;
    int GetSecondaryIndex() const;

    // The chosen colours show the palette's colours at their indices (no colour for none),
    // the 4 x 4 frame the palette; then OnPaletteChanged.
    void RefreshPalette();

    // The colour panels' click: the colour selection dialog on the palette with the panel's
    // index preselected; a colour picked becomes the panel's.
    void SelectColourClick(fw::Object* sender);
    // The two choices change places.
    void btnSwapColourSelClick();
    // The palette list; the palette chosen there gives its name and colours to the bound one.
    void btnSelectPaletteClick();
    // Palette editing, colours only.
    void btnEditPaletteClick();
    // Only with both colours chosen: the two indices change places in the cards.
    void btnSwapColoursClick();
    // Only with both colours chosen: from btnReplaceColours the secondary index gives way to
    // the primary one in the cards, from btnReplaceCol2 the other way round.
    void btnReplaceColoursClick(fw::Object* sender);

    const TTWPaletteFunctionsEvent& OnPaletteChanged() const { return onPaletteChanged_; }
    void SetOnPaletteChanged(TTWPaletteFunctionsEvent handler) { onPaletteChanged_ = std::move(handler); }
    const TTWPaletteColourEvent& OnPrimaryColour() const { return onPrimaryColour_; }
    void SetOnPrimaryColour(TTWPaletteColourEvent handler) { onPrimaryColour_ = std::move(handler); }
    const TTWPaletteColourEvent& OnSecondaryColour() const { return onSecondaryColour_; }
    void SetOnSecondaryColour(TTWPaletteColourEvent handler) { onSecondaryColour_ = std::move(handler); }

private:
    void ChoosePrimary(TTWColour colour, int index);
    void ChooseSecondary(TTWColour colour, int index);
    TTWColour PaletteColour(int index) const;
    void HookColourSources(ITWCardSetupColours* setup);
    // The window the dialogs of the frame are owned by and centred over.
    fw::Control* ParentWindow() const;

    TTWPalette* palette_ = nullptr;
    TTWCardList* cardList_ = nullptr;
    ITWCardSetupColours* cardSetup_ = nullptr;
    ITWCardSetupColours* cardSetup2_ = nullptr;
    TTWPaletteFunctionsEvent onPaletteChanged_;
    TTWPaletteColourEvent onPrimaryColour_;
    TTWPaletteColourEvent onSecondaryColour_;
};
