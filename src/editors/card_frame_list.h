#pragma once

#include <string_view>
#include <vector>

#include "framework/gui/form.h"

class TILScrollControl;
class TfrmThreadCardFrame;
class TTWCardList;
class TTWPalette;
class TTWPick;

// The row of card frames of the threaded-in editor, one per card of the pattern, in a
// sideways scrolling strip. The frames belong to the strip; the list keeps them in card
// order. Cards and palette stay the pattern's (see TfrmThreadCardFrame).
class TfrmThreadCardFrameList : public fw::Frame {
public:
    explicit TfrmThreadCardFrameList(fw::Component* owner = nullptr);
    ~TfrmThreadCardFrameList() override;

    std::string_view className() const override { return "TfrmThreadCardFrameList"; }

    // Fills the list; its scroll arrows are 16 wide.
    TILScrollControl* const scrFrames;

    // Replaces the frames with one per card, in order: numbered from 1, each one pixel right
    // of the previous one (the first at the strip's inner left), with the list's palette and
    // options, showing its card. None leaves the strip empty.
    void LoadFromCardList(TTWCardList* cards);
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // None outside the list.
    TfrmThreadCardFrame* GetFrame(int index) const;

    TTWPalette* Palette() const { return palette_; }
    // Applies to every frame when it changes.
    void SetPalette(TTWPalette* palette);
    // Every frame re-reads its card (after the cards were turned through the picks).
    void UpdateFrames();

    bool CanChangeDirection() const { return mayChangeDirection_; }
    bool CanChangeThreading() const { return mayChangeThreading_; }
    // Kept, and copied into every frame.
    void SetCanChangeDirection(bool may);
    void SetCanChangeThreading(bool may);

    // Every frame, in order, adds its actions for the next pick.
    void AddActions(TTWPick& pick, bool reverse) const;

private:
    void ClearFrames();

    std::vector<TfrmThreadCardFrame*> frames_;
    TTWPalette* palette_ = nullptr;
    bool mayChangeDirection_ = true;
    bool mayChangeThreading_ = true;
};
