#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/gui/form.h"
#include "model/palette.h"

class TILBrushPanel;
class TTWCardBase;
class TTWCircleShape;
class TfrmCardCompactBase;

namespace fw {
class Label;
}

// The events of a compact card frame.
using TTWCardFrameEvent = std::function<void(TfrmCardCompactBase* sender)>;
using TTWCardHoleEvent = std::function<void(TfrmCardCompactBase* sender, int hole)>;
// Asked for the palette index a click gives a hole; a negative answer gives none.
using TTWCardColourQuery = std::function<int(TfrmCardCompactBase* sender)>;

// One card of a card-setup row, 16 pixels wide: its number, its threading ("S" or "Z") and
// one circle per hole (hole A at the top) in the palette colour of the hole's index. The
// weaver clicks the threading to swap it, the number to select the card (when selecting is
// allowed) and a hole to colour it: the left button gives the primary colour, the right
// button the secondary one.
//
// The palette is not owned; whoever sets it sets another (or none) before it goes.
class TfrmCardCompactBase : public fw::Frame {
public:
    static constexpr int FrameWidth = 16;
    static constexpr int CircleSize = 11;
    // The first hole's top; each further hole sits one circle lower.
    static constexpr int FirstHoleTop = 25;

    ~TfrmCardCompactBase() override;

    std::string_view className() const override { return "TfrmCardCompactBase"; }

    TILBrushPanel* const ILBrushPanel1;
    fw::Label* const lblNumber;
    fw::Label* const lblThread;

    // --- The operations each card class shapes ----------------------------------------------
    // The circle "shpHole" + (hole + 1); none when there is no such circle.
    virtual TTWCircleShape* HoleShape(int hole) const;
    // Keeps the palette and repaints every hole in it.
    virtual void SetPalette(TTWPalette* palette);
    // Paints the hole's circle solid in the colour (clear for no colour) and fires
    // OnHoleColourChanged.
    virtual void SetHoleColour(int hole, TTWColour colour);
    virtual int HoleCount() const = 0;

    TTWPalette* Palette() const { return palette_; }

    // --- Holes ---------------------------------------------------------------------------
    // The palette colour of the hole's index; no colour outside the holes or without a
    // palette.
    TTWColour GetHoleColour(int hole) const;
    // The hole's palette index; -1 outside the holes.
    int GetHoleColourIndex(int hole) const;
    // Only inside the holes and while colours may change: keeps the index and paints the
    // hole in its palette colour.
    void SetHoleColourIndex(int hole, int index);

    // --- Threading, number, selection ---------------------------------------------------------
    std::uint8_t Threading() const { return threading_; }
    // Only while threading may change and when it differs: shows "S" or "Z" and fires
    // OnThreadingChanged.
    void SetThreading(std::uint8_t threading);
    int Number() const { return number_; }
    // Above 0 shows the number; otherwise the label is emptied and the number is 0.
    void SetNumber(int number);
    bool Selected() const { return selected_; }
    // Selected shows the number white on red; otherwise in the window text on the button face.
    void SetSelected(bool selected);

    // --- Options ------------------------------------------------------------------------------
    bool CanChangeThreading() const { return mayChangeThreading_; }
    void SetCanChangeThreading(bool may) { mayChangeThreading_ = may; }
    bool CanChangeColours() const { return mayChangeColours_; }
    void SetCanChangeColours(bool may) { mayChangeColours_ = may; }
    bool CanSelect() const { return maySelect_; }
    void SetCanSelect(bool may) { maySelect_ = may; }

    // --- Cards ----------------------------------------------------------------------------------
    // The card's threading and hole colours, as the card has them; raises a TGenericException
    // "Unable to copy card details - number of holes differs." when the card's hole count is
    // not the frame's. Loading is not the weaver's change: it takes effect whatever the
    // options say, and fires no events.
    void CopyFromCard(const TTWCardBase& card);
    // The same for a card of any hole count: the threading and the colours of the holes both
    // the card and the frame have.
    void LoadCard(const TTWCardBase& card);

    // --- Events -----------------------------------------------------------------------------------
    const TTWCardFrameEvent& OnThreadingChanged() const { return onThreadingChanged_; }
    void SetOnThreadingChanged(TTWCardFrameEvent handler) { onThreadingChanged_ = std::move(handler); }
    const TTWCardHoleEvent& OnHoleColourChanged() const { return onHoleColourChanged_; }
    void SetOnHoleColourChanged(TTWCardHoleEvent handler) { onHoleColourChanged_ = std::move(handler); }
    const TTWCardColourQuery& OnGetPrimaryColour() const { return onGetPrimaryColour_; }
    void SetOnGetPrimaryColour(TTWCardColourQuery handler) { onGetPrimaryColour_ = std::move(handler); }
    const TTWCardColourQuery& OnGetSecondaryColour() const { return onGetSecondaryColour_; }
    void SetOnGetSecondaryColour(TTWCardColourQuery handler) { onGetSecondaryColour_ = std::move(handler); }

    // --- Clicks ---------------------------------------------------------------------------------
    void lblThreadClick();
    void lblNumberClick();
    // A mouse button released over a hole: the left one takes the primary colour (without
    // a primary-colour handler, the colour chosen in the colour selection dialog), the right
    // one the secondary colour (none without a handler).
    void HoleMouseUp(int hole, fw::MouseButton button);

protected:
    // Makes the circles of the hole count; the card classes pass their own.
    TfrmCardCompactBase(fw::Component* owner, int holes);

private:
    // Paints the hole's circle in the palette colour of its index, with no event.
    void PaintHole(int hole);
    void ShowThreading();

    std::vector<int> holeColourIndexes_;
    int number_ = 0;
    std::uint8_t threading_ = 0;
    bool mayChangeThreading_ = true;
    bool mayChangeColours_ = true;
    bool maySelect_ = false;
    bool selected_ = false;
    TTWCardFrameEvent onThreadingChanged_;
    TTWCardHoleEvent onHoleColourChanged_;
    TTWCardColourQuery onGetPrimaryColour_;
    TTWCardColourQuery onGetSecondaryColour_;
    TTWPalette* palette_ = nullptr;
};

// The card frames of each hole count.
class TfrmCard2Compact : public TfrmCardCompactBase {
public:
    explicit TfrmCard2Compact(fw::Component* owner = nullptr) : TfrmCardCompactBase(owner, 2) {}
    std::string_view className() const override { return "TfrmCard2Compact"; }
    int HoleCount() const override { return 2; }
};

class TfrmCard3Compact : public TfrmCardCompactBase {
public:
    explicit TfrmCard3Compact(fw::Component* owner = nullptr) : TfrmCardCompactBase(owner, 3) {}
    std::string_view className() const override { return "TfrmCard3Compact"; }
    int HoleCount() const override { return 3; }
};

class TfrmCard4Compact : public TfrmCardCompactBase {
public:
    explicit TfrmCard4Compact(fw::Component* owner = nullptr) : TfrmCardCompactBase(owner, 4) {}
    std::string_view className() const override { return "TfrmCard4Compact"; }
    int HoleCount() const override { return 4; }

protected:
    TfrmCard4Compact(fw::Component* owner, int holes) : TfrmCardCompactBase(owner, holes) {}
};

class TfrmCard5Compact : public TfrmCard4Compact {
public:
    explicit TfrmCard5Compact(fw::Component* owner = nullptr) : TfrmCard4Compact(owner, 5) {}
    std::string_view className() const override { return "TfrmCard5Compact"; }
    int HoleCount() const override { return 5; }
};

class TfrmCard6Compact : public TfrmCardCompactBase {
public:
    explicit TfrmCard6Compact(fw::Component* owner = nullptr) : TfrmCardCompactBase(owner, 6) {}
    std::string_view className() const override { return "TfrmCard6Compact"; }
    int HoleCount() const override { return 6; }

protected:
    TfrmCard6Compact(fw::Component* owner, int holes) : TfrmCardCompactBase(owner, holes) {}
};

class TfrmCard7Compact : public TfrmCard6Compact {
public:
    explicit TfrmCard7Compact(fw::Component* owner = nullptr) : TfrmCard6Compact(owner, 7) {}
    std::string_view className() const override { return "TfrmCard7Compact"; }
    int HoleCount() const override { return 7; }
};

class TfrmCard8Compact : public TfrmCardCompactBase {
public:
    explicit TfrmCard8Compact(fw::Component* owner = nullptr) : TfrmCardCompactBase(owner, 8) {}
    std::string_view className() const override { return "TfrmCard8Compact"; }
    int HoleCount() const override { return 8; }
};

inline constexpr int MinCompactCardHoles = 2;
inline constexpr int MaxCompactCardHoles = 8;

// A new card frame of the hole count's class (2 to 8) owned by owner; none for another count.
TfrmCardCompactBase* CreateCardCompactFrame(int holes, fw::Component* owner);
