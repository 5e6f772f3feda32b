#pragma once

#include <string_view>
#include <vector>

#include "forms/basic_form.h"

class TILBrushPanel;
class TTWCardList;
class TTWCircleShape;
class TTWPalette;
class TfrmCardSetupCompact;

namespace fw {
class Button;
class Edit;
class Label;
} // namespace fw

// "Card Setup": the cards of a threaded-in pattern in a card-setup row, with the number of
// cards, a primary and a secondary colour, and one button per hole that gives that hole of
// the selected cards (all of them when none is selected) the primary colour.
class TfrmCardSetup2 : public TfrmTBasic {
public:
    // No window may be lower than this.
    static constexpr int MinimumHeight = 142;

    explicit TfrmCardSetup2(fw::Component* owner = nullptr);
    ~TfrmCardSetup2() override;

    std::string_view className() const override { return "TfrmCardSetup2"; }

    TfrmCardSetupCompact* const frameCards;
    fw::Label* const lblCards;
    fw::Edit* const edCards;
    fw::Button* const btnSetCardCount;
    // The primary and the secondary colour; their Tag is the palette index (-1: none yet).
    TTWCircleShape* const shpColour;
    TTWCircleShape* const shpColour2;
    // The hole buttons of each hole count; four holes' serve every count without its own.
    TILBrushPanel* const pnlThree;
    TILBrushPanel* const pnlFour;
    TILBrushPanel* const pnlFive;
    TILBrushPanel* const pnlSix;
    TILBrushPanel* const pnlSeven;
    TILBrushPanel* const pnlEight;
    fw::Button* const btnAccept;
    fw::Button* const btnCancel;

    // Made by the owner and centred over it: one frame per card, the hole buttons of the hole
    // count, the number of cards changeable only when countMayChange; shown modally, and on
    // OK the row is copied back into the cards. Answers whether it was accepted; frees the
    // dialog.
    static bool Execute(fw::Component* owner, TTWCardList& cards, int holes, bool countMayChange,
                        TTWPalette* palette);

    // The hole-button panel shown for the hole count.
    TILBrushPanel* HolePanelFor(int holes) const;
    // The buttons "A", "B", ... of a hole-button panel, in hole order.
    std::vector<fw::Button*> HoleButtons(const TILBrushPanel& panel) const;

    // "Set number of cards": the edit's integer (a text that is no integer raises the
    // standard conversion error); from 1 up it becomes the row's card count, and past
    // MaxPatternCards it raises the plain error of PatternWidthText.
    void btnSetCardCountClick();
    // A hole button: that hole of the target frames takes the primary colour, if any.
    void HoleButtonClick(fw::Object* sender);
    // A colour circle: the colour chosen in the colour selection dialog becomes its colour.
    void ColourClick(TTWCircleShape* circle);
    // The height the window is fixed at for the hole count.
    int FixedHeight(int holes) const;

private:
    bool Run(TTWCardList& cards, int holes, bool countMayChange, TTWPalette* palette);
    void LayOutForHoles(int holes);
    TILBrushPanel* NewHolePanel(const char* name, const char* buttonPrefix, int holes);

    TTWCardList* cards_ = nullptr;
    int count_ = 0;
    int holes_ = 4;
    TTWPalette* palette_ = nullptr;
};
