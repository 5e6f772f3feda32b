#pragma once

#include <string_view>

#include "framework/gui/form.h"

class TTWCardBase;
class TTWCircleShape;
class TTWPalette;
class TTWPick;

namespace fw {
class Label;
}

// One card of the threaded-in editor as a small upright frame: the card's number, the colours
// of the holes that come next, are current and came before, the threading the next pick
// gives it ("S" or "Z"), its turning direction for the next pick and the letter of the hole
// on top. The weaver clicks it to make up the next pick: the number makes the card idle
// (or not), the direction letter swaps forwards and backwards, the threading letter asks for
// a twist.
//
// The card and the palette are the pattern's: the frame neither owns nor copies them, and
// whoever shows the frame gives it a new card (or none) before the old one goes.
class TfrmThreadCardFrame : public fw::Frame {
public:
    static constexpr int FrameWidth = 21;
    static constexpr int FrameHeight = 95;

    // Number 0, direction "F", threading "S", no card, no palette; direction and threading
    // may change, not idle.
    explicit TfrmThreadCardFrame(fw::Component* owner = nullptr);
    ~TfrmThreadCardFrame() override;

    std::string_view className() const override { return "TfrmThreadCardFrame"; }

    // The card number (its Tag carries it too); a click toggles idle.
    fw::Label* const lblNumber;
    // The colours of the hole positions 1, 0 and the last one.
    TTWCircleShape* const shpNext;
    TTWCircleShape* const shpCurrent;
    TTWCircleShape* const shpPrevious;
    // "S" or "Z": the threading the card shows for the next pick.
    fw::Label* const lblThread;
    // "F", "B" or "-", bold.
    fw::Label* const lblTurnDir;
    // The letter of the hole on top.
    fw::Label* const lblHole;

    // --- The number ---------------------------------------------------------------------
    // Above 0 shows the number and keeps it as the label's tag; else nothing changes.
    void SetNumber(int number);
    int Number() const;

    // --- Turning direction ----------------------------------------------------------------
    // 1 shows "F", 2 "B", anything else "-".
    void SetTurnDirection(int direction);
    // 0 while idle; else 1 for "F", 2 for "B" and 0 otherwise.
    int GetTurnDirection() const;

    // --- Threading ------------------------------------------------------------------------
    // Whether the threading shown is Z (anything but "S").
    bool GetThreadingZ() const;
    // Shows "Z" or "S"; a change repaints the circles, which then show the card as a twist
    // would leave it.
    void SetThreadingZ(bool threadingZ);

    // --- Card and palette -------------------------------------------------------------------
    // Keeps the card (none allowed), shows its current threading and the letter of its top
    // hole, and repaints the circles.
    void SetCard(TTWCardBase* card);
    TTWCardBase* Card() const { return card_; }
    // Repaints the circles when the palette changes.
    void SetPalette(TTWPalette* palette);
    TTWPalette* Palette() const { return palette_; }
    // Re-reads the card as SetCard does (after the card was turned or recoloured).
    void UpdateFromCard() { SetCard(card_); }

    // --- Options --------------------------------------------------------------------------
    bool CanChangeDirection() const { return mayChangeDirection_; }
    void SetCanChangeDirection(bool may) { mayChangeDirection_ = may; }
    bool CanChangeThreading() const { return mayChangeThreading_; }
    void SetCanChangeThreading(bool may) { mayChangeThreading_ = may; }
    bool Idle() const { return idle_; }
    // Idle shows the number white on red; otherwise in the window text on the button face.
    void SetIdle(bool idle);

    // --- Making a pick --------------------------------------------------------------------
    // A twist (direction V) on this card when the threading shown differs from the card's
    // current threading; then, unless the direction is idle, a turn by one hole in the
    // direction shown, forwards and backwards swapped when reverse is set. Nothing without
    // a card.
    void AddActions(TTWPick& pick, bool reverse) const;

    // --- The click handlers of the labels -------------------------------------------------
    void lblNumberClick();
    void lblTurnDirClick();
    void lblThreadClick();

private:
    // The three circles: the card as the threading shown would have it for the next pick.
    void RepaintCircles();
    // Whether the threading shown differs from the card's current one.
    bool ThreadingChanged() const;

    TTWPalette* palette_ = nullptr;
    TTWCardBase* card_ = nullptr;
    bool mayChangeDirection_ = true;
    bool mayChangeThreading_ = true;
    bool idle_ = false;
};
