#pragma once

#include <string>
#include <string_view>

#include "forms/button_basic_form.h"

class TILBrushPanel;
class TTWPatternBase;
class TfrmCardSetupCompact;
class TfrmTWPaletteFunctions;

namespace fw {
class Button;
class Splitter;
} // namespace fw

// "Selvedge Generator": the cards woven left and right of a pattern's own cards. Each side is
// a row of compact card frames with a button that sets how many cards it has; a palette
// functions frame colours both rows, and four buttons copy one side onto the other as it is
// or mirrored (the order reversed and each card's threading swapped, so that the band's two
// edges lie alike).
class TfrmTWSelvedgeGenerator : public TfrmTBtnBasic {
public:
    // No side may have more cards than this.
    static constexpr int MaxSelvedgeCards = 20;
    static constexpr std::string_view TooManyCardsText = "A maximum of 20 selvedge tablets can be set up.";
    static constexpr std::string_view WrongKindText =
        "Error - a pattern of this type cannot have a selvedge.\r\nYou are here by mistake!";

    explicit TfrmTWSelvedgeGenerator(fw::Component* owner = nullptr);
    ~TfrmTWSelvedgeGenerator() override;

    std::string_view className() const override { return "TfrmTWSelvedgeGenerator"; }

    // Along the left edge: the palette both rows take their colours from.
    TILBrushPanel* const pnlPalette;
    TfrmTWPaletteFunctions* const framePalette;
    // The rest: the left side, the splitter that widens it, and the right side.
    TILBrushPanel* const pnlSelvedges;
    TILBrushPanel* const pnlLeftSelvedge;
    fw::Button* const btnCardsLeft;
    TfrmCardSetupCompact* const frameCardsLeft;
    fw::Splitter* const spltV;
    TILBrushPanel* const pnlRightSelvedge;
    fw::Button* const btnCardsRight;
    TfrmCardSetupCompact* const frameCardsRight;
    // Under the side each takes its cards from.
    fw::Button* const btnCopyLtoR;
    fw::Button* const btnMirrorLtoR;
    fw::Button* const btnCopyRtoL;
    fw::Button* const btnMirrorRtoL;

    // Edits the pattern's left and right selvedge cards; answers whether the user accepted.
    // Only threaded-in, double-face, twill and twist-patterned patterns have selvedges: any
    // other kind raises a TGenericException (WrongKindText) before the dialog shows. A hole
    // count outside 3..8 gives way to that of the pattern's own cards. On OK both selvedge
    // lists are rebuilt from the rows, every card in its start position; Cancel leaves them.
    // The dialog is made by the owner, centred over it and freed in either case.
    static bool Execute(TTWPatternBase& pattern, int holeCount, fw::Component* owner);

    // The pattern being edited (none before Execute) and the hole count both rows show, as
    // Execute settled it.
    TTWPatternBase* Pattern() const { return pattern_; }
    int HoleCount() const { return holeCount_; }

    // "Set number of cards": asks for the side's count; 0 to MaxSelvedgeCards becomes it,
    // more is refused with TooManyCardsText, and a negative answer or one that is no whole
    // number changes nothing.
    void btnCardsLeftClick();
    void btnCardsRightClick();
    // The source side's cards, threading and hole colours replace the target side's.
    void btnCopyLtoRClick();
    void btnCopyRtoLClick();
    // As copying, but the target gets the cards last to first with S and Z swapped.
    void btnMirrorLtoRClick();
    void btnMirrorRtoLClick();

private:
    bool Run(TTWPatternBase& pattern, int holeCount);
    // Sizes the window to the rows of the hole count, with nothing cut off.
    void FitToRows();
    static void AskCardCount(TfrmCardSetupCompact& row, const std::string& title);
    static void CopyRow(const TfrmCardSetupCompact& source, TfrmCardSetupCompact& target);
    static void MirrorRow(const TfrmCardSetupCompact& source, TfrmCardSetupCompact& target);

    TTWPatternBase* pattern_ = nullptr;
    int holeCount_ = 4;
};
