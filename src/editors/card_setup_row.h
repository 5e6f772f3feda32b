#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "editors/card_setup_card.h"
#include "framework/gui/form.h"
#include "shell/palette_functions_frame.h"

class TILBrushPanel;
class TILScrollControl;
class TTWCardList;
class TTWPalette;
class TfrmCardSetupCompact;

namespace fw {
class SpeedButton;
}

using TTWCardFrameAddedEvent = std::function<void(TfrmCardSetupCompact* sender, TfrmCardCompactBase* frame)>;

// A row of compact card frames in which the weaver sets up cards: the threading and the
// palette index of every hole, with buttons that thread all (or the selected) cards alike or
// alternately, move the selected cards left or right and rotate their colours. It reads
// from and writes to a card list; the card setup dialog, the selvedge generator and the
// brocade editor embed it, and a palette-functions frame may drive its colours.
//
// The commands act on the target frames: the selected ones when selecting is allowed and
// some are selected, else all of them.
class TfrmCardSetupCompact : public fw::Frame, public ITWCardSetupColours {
public:
    static constexpr int ButtonSize = 23;

    // Hole count 4, no frames; threading and colours may change, selecting may not; the
    // palette is the default one of the palette list (none before the model is running).
    explicit TfrmCardSetupCompact(fw::Component* owner = nullptr);
    ~TfrmCardSetupCompact() override;

    std::string_view className() const override { return "TfrmCardSetupCompact"; }

    // The frames, one after the other; scroll arrows 16 wide.
    TILScrollControl* const scrCards;
    // The buttons, below the frames.
    TILBrushPanel* const pnlButtons;
    fw::SpeedButton* const btnAllS;
    fw::SpeedButton* const btnAllZ;
    fw::SpeedButton* const btnAltSZ;
    fw::SpeedButton* const btnAltZS;
    fw::SpeedButton* const btnInvertThread;
    fw::SpeedButton* const btnMoveLeft;
    fw::SpeedButton* const btnMoveRight;
    fw::SpeedButton* const btnRotateColFwd;
    fw::SpeedButton* const btnRotateColBack;

    // --- Frames ---------------------------------------------------------------------------
    int HoleCount() const { return holeCount_; }
    // The class of the frames made from now on; frames of another count are freed first.
    void SetHoleCount(int holes);
    int CardCount() const { return static_cast<int>(frames_.size()); }
    // From 0 up: frames are added at the end or removed from the end.
    void SetCardCount(int count);
    // None outside the row.
    TfrmCardCompactBase* GetCardFrame(int index) const;
    void ClearFrames();
    // The frames a command acts on, in row order.
    std::vector<TfrmCardCompactBase*> TargetFrames() const;
    // The height the row needs to show frames of its hole count with the buttons below.
    int PreferredHeight() const;

    // --- Options and events (kept, and copied into every frame) --------------------------------
    TTWPalette* Palette() const { return palette_; }
    void SetPalette(TTWPalette* palette);
    // Gives every frame the row's palette.
    void SetAllCardsOption();
    bool CanChangeThreading() const { return mayChangeThreading_; }
    void SetCanChangeThreading(bool may);
    bool CanChangeColours() const { return mayChangeColours_; }
    void SetCanChangeColours(bool may);
    bool CanSelect() const { return maySelect_; }
    void SetCanSelect(bool may);
    void SetOnGetPrimaryColour(TTWCardColourQuery handler);
    void SetOnGetSecondaryColour(TTWCardColourQuery handler);
    void SetOnThreadingChanged(TTWCardFrameEvent handler);
    void SetOnHoleColourChanged(TTWCardHoleEvent handler);
    // After a frame joined the row.
    const TTWCardFrameAddedEvent& OnCardFrameAdded() const { return onCardFrameAdded_; }
    void SetOnCardFrameAdded(TTWCardFrameAddedEvent handler) { onCardFrameAdded_ = std::move(handler); }

    // --- Cards ------------------------------------------------------------------------------
    // One frame per card, each showing the card's threading and the colours of the holes the
    // frame and the card both have. Loading is no change of the weaver's: the options do not
    // hold it back.
    void LoadFromCardList(const TTWCardList& cards);
    // The list is cleared and gets one new card per frame with the frame's threading and hole
    // colours, every card in its start position. Raises a TGenericException when there is no
    // card class for the hole count.
    void CopyToList(TTWCardList& cards) const;

    // --- Colours of the target frames -------------------------------------------------------
    void SwapColoursSelected(int colour1, int colour2) override;
    void ReplaceColourSelected(int oldColour, int newColour) override;
    void SetColourIndexSources(ColourIndexSource primary, ColourIndexSource secondary) override;
    // The hole of every target frame takes the index.
    void SetHoleColourSelected(int hole, int index);

    // --- The buttons ------------------------------------------------------------------------
    void btnAllSClick();
    void btnAllZClick();
    void btnAltSZClick();
    void btnAltZSClick();
    void btnInvertThreadClick();
    void btnMoveLeftClick();
    void btnMoveRightClick();
    void btnRotateColFwdClick();
    void btnRotateColBackClick();

private:
    TfrmCardCompactBase* AddCardFrame();
    void GiveOptions(TfrmCardCompactBase& frame) const;
    // Renumbers the frames from 1 and places them one after the other from the inner left.
    void LayOutFrames();
    void ThreadTargets(const std::function<std::uint8_t(int position, const TfrmCardCompactBase& frame)>& threading);
    void RotateTargets(bool forwards);
    // Keeps the first frame from moving right of the inner left edge and the last from moving
    // left of the inner right edge.
    void LimitScroll(int& dX) const;
    int InnerLeft() const;
    // The frames take the height of the strip's inner area.
    void FitFramesToStrip();

    int holeCount_ = 4;
    std::vector<TfrmCardCompactBase*> frames_;
    bool mayChangeThreading_ = true;
    bool mayChangeColours_ = true;
    bool maySelect_ = false;
    TTWCardFrameEvent onThreadingChanged_;
    TTWCardHoleEvent onHoleColourChanged_;
    TTWCardColourQuery onGetPrimaryColour_;
    TTWCardColourQuery onGetSecondaryColour_;
    TTWCardFrameAddedEvent onCardFrameAdded_;
    TTWPalette* palette_ = nullptr;
};
