#include "editors/card_setup_row.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "controls/scroll_control.h"
#include "editors/card_setup_glyphs.h"
#include "foundation/generic_exception.h"
#include "framework/gui/std_speed_button.h"
#include "model/card_list.h"
#include "model/model_state.h"
#include "model/turning_codes.h"

namespace {

constexpr int StripArrowWidth = 16;
constexpr int ButtonPanelHeight = TfrmCardSetupCompact::ButtonSize + 4;
// The strip's lowered ring, above and below the frames.
constexpr int StripRings = 2;

// The place of the button in the row of buttons, counted from the left.
FormBounds ButtonPlace(int place)
{
    return FormBounds{2 + place * TfrmCardSetupCompact::ButtonSize, 2, TfrmCardSetupCompact::ButtonSize,
                      TfrmCardSetupCompact::ButtonSize};
}

TILBrushPanel* NewButtonPanel(TfrmCardSetupCompact& row)
{
    auto* panel = new TILBrushPanel(&row);
    panel->SetName("pnlButtons");
    panel->SetParent(&row);
    panel->SetAlign(fw::Align::Bottom);
    panel->SetHeight(ButtonPanelHeight);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetCaption(std::string());
    return panel;
}

TILScrollControl* NewStrip(TfrmCardSetupCompact& row)
{
    auto* strip = new TILScrollControl(&row);
    strip->SetName("scrCards");
    strip->SetParent(&row);
    strip->SetAlign(fw::Align::Client);
    strip->SetButtonWidth(StripArrowWidth);
    return strip;
}

} // namespace

TfrmCardSetupCompact::TfrmCardSetupCompact(fw::Component* owner)
    : fw::Frame(owner),
      scrCards(NewStrip(*this)),
      pnlButtons(NewButtonPanel(*this)),
      btnAllS(NewGlyphButton(*this, pnlButtons, "btnAllS", "All cards S-threaded",
                             CardSetupGlyph(TTWCardSetupGlyph::AllS), ButtonPlace(0))),
      btnAllZ(NewGlyphButton(*this, pnlButtons, "btnAllZ", "All cards Z-threaded",
                             CardSetupGlyph(TTWCardSetupGlyph::AllZ), ButtonPlace(1))),
      btnAltSZ(NewGlyphButton(*this, pnlButtons, "btnAltSZ", "Alternate S/Z threading",
                              CardSetupGlyph(TTWCardSetupGlyph::AlternateSZ), ButtonPlace(2))),
      btnAltZS(NewGlyphButton(*this, pnlButtons, "btnAltZS", "Alternate Z/S threading",
                              CardSetupGlyph(TTWCardSetupGlyph::AlternateZS), ButtonPlace(3))),
      btnInvertThread(NewGlyphButton(*this, pnlButtons, "btnInvertThread", "Swap threading",
                                     CardSetupGlyph(TTWCardSetupGlyph::SwapThreading), ButtonPlace(4))),
      btnMoveLeft(NewGlyphButton(*this, pnlButtons, "btnMoveLeft", "Move selected cards left",
                                 CardSetupGlyph(TTWCardSetupGlyph::MoveLeft), ButtonPlace(5))),
      btnMoveRight(NewGlyphButton(*this, pnlButtons, "btnMoveRight", "Move selected cards right",
                                  CardSetupGlyph(TTWCardSetupGlyph::MoveRight), ButtonPlace(6))),
      btnRotateColFwd(NewGlyphButton(*this, pnlButtons, "btnRotateColFwd", "Rotate colours forwards",
                                     CardSetupGlyph(TTWCardSetupGlyph::RotateForwards), ButtonPlace(7))),
      btnRotateColBack(NewGlyphButton(*this, pnlButtons, "btnRotateColBack", "Rotate colours backwards",
                                      CardSetupGlyph(TTWCardSetupGlyph::RotateBackwards), ButtonPlace(8)))
{
    SetBounds(0, 0, 400, PreferredHeight());
    if (ModelInitialised()) {
        palette_ = PaletteList().DefaultPalette();
    }
    scrCards->SetOnCanScroll([this](TILScrollControl*, int& dX) { LimitScroll(dX); });
    scrCards->SetOnResize([this](fw::Object*) { FitFramesToStrip(); });

    btnAllS->SetOnClick([this](fw::Object*) { btnAllSClick(); });
    btnAllZ->SetOnClick([this](fw::Object*) { btnAllZClick(); });
    btnAltSZ->SetOnClick([this](fw::Object*) { btnAltSZClick(); });
    btnAltZS->SetOnClick([this](fw::Object*) { btnAltZSClick(); });
    btnInvertThread->SetOnClick([this](fw::Object*) { btnInvertThreadClick(); });
    btnMoveLeft->SetOnClick([this](fw::Object*) { btnMoveLeftClick(); });
    btnMoveRight->SetOnClick([this](fw::Object*) { btnMoveRightClick(); });
    btnRotateColFwd->SetOnClick([this](fw::Object*) { btnRotateColFwdClick(); });
    btnRotateColBack->SetOnClick([this](fw::Object*) { btnRotateColBackClick(); });
    // Built in code: nothing waits for a form to finish loading it.
    FinishLoading();
}

TfrmCardSetupCompact::~TfrmCardSetupCompact()
{
    // The strip goes with the row's children, after this body: nothing may reach back here.
    scrCards->SetOnCanScroll(nullptr);
    scrCards->SetOnResize(nullptr);
    ClearFrames();
}

// --- Frames ----------------------------------------------------------------------------------------

int TfrmCardSetupCompact::PreferredHeight() const
{
    return TfrmCardCompactBase::FirstHoleTop + holeCount_ * TfrmCardCompactBase::CircleSize + 2 + StripRings
           + ButtonPanelHeight;
}

int TfrmCardSetupCompact::InnerLeft() const
{
    return scrCards->ScrollArea().Left;
}

void TfrmCardSetupCompact::SetHoleCount(int holes)
{
    if (holes == holeCount_) {
        return;
    }
    ClearFrames();
    holeCount_ = holes;
}

void TfrmCardSetupCompact::ClearFrames()
{
    // The strip owns the frames; each leaves the row before it goes.
    while (!frames_.empty()) {
        TfrmCardCompactBase* frame = frames_.back();
        frames_.pop_back();
        delete frame;
    }
}

void TfrmCardSetupCompact::SetCardCount(int count)
{
    if (count < 0) {
        return;
    }
    while (CardCount() > count) {
        TfrmCardCompactBase* frame = frames_.back();
        frames_.pop_back();
        delete frame;
    }
    while (CardCount() < count) {
        if (AddCardFrame() == nullptr) {
            return;
        }
    }
}

TfrmCardCompactBase* TfrmCardSetupCompact::AddCardFrame()
{
    TfrmCardCompactBase* frame = CreateCardCompactFrame(holeCount_, scrCards);
    if (frame == nullptr) {
        return nullptr;
    }
    frame->SetParent(scrCards);
    const fw::Rect inner = scrCards->GetInnerClientRect();
    const int left = frames_.empty() ? InnerLeft() : frames_.back()->Left() + frames_.back()->Width() + 1;
    frame->SetBounds(left, inner.Top, TfrmCardCompactBase::FrameWidth, inner.Height());
    frame->SetNumber(CardCount() + 1);
    GiveOptions(*frame);
    frames_.push_back(frame);
    // The arrows stay above the frames that scroll under them.
    scrCards->LeftPanel().BringToFront();
    scrCards->RightPanel().BringToFront();
    if (onCardFrameAdded_) {
        onCardFrameAdded_(this, frame);
    }
    return frame;
}

void TfrmCardSetupCompact::GiveOptions(TfrmCardCompactBase& frame) const
{
    frame.SetCanChangeThreading(mayChangeThreading_);
    frame.SetCanChangeColours(mayChangeColours_);
    frame.SetCanSelect(maySelect_);
    frame.SetPalette(palette_);
    frame.SetOnThreadingChanged(onThreadingChanged_);
    frame.SetOnHoleColourChanged(onHoleColourChanged_);
    frame.SetOnGetPrimaryColour(onGetPrimaryColour_);
    frame.SetOnGetSecondaryColour(onGetSecondaryColour_);
}

TfrmCardCompactBase* TfrmCardSetupCompact::GetCardFrame(int index) const
{
    if (index < 0 || index >= CardCount()) {
        return nullptr;
    }
    return frames_[static_cast<std::size_t>(index)];
}

std::vector<TfrmCardCompactBase*> TfrmCardSetupCompact::TargetFrames() const
{
    if (maySelect_) {
        std::vector<TfrmCardCompactBase*> selected;
        for (TfrmCardCompactBase* frame : frames_) {
            if (frame->Selected()) {
                selected.push_back(frame);
            }
        }
        if (!selected.empty()) {
            return selected;
        }
    }
    return frames_;
}

void TfrmCardSetupCompact::LayOutFrames()
{
    const fw::Rect inner = scrCards->GetInnerClientRect();
    int left = InnerLeft();
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        TfrmCardCompactBase* frame = frames_[i];
        frame->SetNumber(static_cast<int>(i) + 1);
        frame->SetBounds(left, inner.Top, frame->Width(), inner.Height());
        left = frame->Left() + frame->Width() + 1;
    }
}

void TfrmCardSetupCompact::FitFramesToStrip()
{
    const fw::Rect inner = scrCards->GetInnerClientRect();
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetBounds(frame->Left(), inner.Top, frame->Width(), inner.Height());
    }
}

void TfrmCardSetupCompact::LimitScroll(int& dX) const
{
    if (frames_.empty()) {
        dX = 0;
        return;
    }
    if (dX > 0) {
        const int room = InnerLeft() - frames_.front()->Left();
        dX = std::min(dX, std::max(0, room));
    } else if (dX < 0) {
        const int lastRight = frames_.back()->Left() + frames_.back()->Width();
        const int room = scrCards->ScrollArea().Right - lastRight;
        dX = std::max(dX, std::min(0, room));
    }
}

// --- Options and events ------------------------------------------------------------------------

void TfrmCardSetupCompact::SetPalette(TTWPalette* palette)
{
    palette_ = palette;
    SetAllCardsOption();
}

void TfrmCardSetupCompact::SetAllCardsOption()
{
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetPalette(palette_);
    }
}

void TfrmCardSetupCompact::SetCanChangeThreading(bool may)
{
    mayChangeThreading_ = may;
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetCanChangeThreading(may);
    }
}

void TfrmCardSetupCompact::SetCanChangeColours(bool may)
{
    mayChangeColours_ = may;
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetCanChangeColours(may);
    }
}

void TfrmCardSetupCompact::SetCanSelect(bool may)
{
    maySelect_ = may;
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetCanSelect(may);
    }
}

void TfrmCardSetupCompact::SetOnGetPrimaryColour(TTWCardColourQuery handler)
{
    onGetPrimaryColour_ = std::move(handler);
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetOnGetPrimaryColour(onGetPrimaryColour_);
    }
}

void TfrmCardSetupCompact::SetOnGetSecondaryColour(TTWCardColourQuery handler)
{
    onGetSecondaryColour_ = std::move(handler);
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetOnGetSecondaryColour(onGetSecondaryColour_);
    }
}

void TfrmCardSetupCompact::SetOnThreadingChanged(TTWCardFrameEvent handler)
{
    onThreadingChanged_ = std::move(handler);
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetOnThreadingChanged(onThreadingChanged_);
    }
}

void TfrmCardSetupCompact::SetOnHoleColourChanged(TTWCardHoleEvent handler)
{
    onHoleColourChanged_ = std::move(handler);
    for (TfrmCardCompactBase* frame : frames_) {
        frame->SetOnHoleColourChanged(onHoleColourChanged_);
    }
}

void TfrmCardSetupCompact::SetColourIndexSources(ColourIndexSource primary, ColourIndexSource secondary)
{
    SetOnGetPrimaryColour(primary ? TTWCardColourQuery([primary](TfrmCardCompactBase*) { return primary(); })
                                  : TTWCardColourQuery());
    SetOnGetSecondaryColour(secondary ? TTWCardColourQuery([secondary](TfrmCardCompactBase*) { return secondary(); })
                                      : TTWCardColourQuery());
}

// --- Cards --------------------------------------------------------------------------------------

void TfrmCardSetupCompact::LoadFromCardList(const TTWCardList& cards)
{
    SetCardCount(cards.Count());
    for (int i = 0; i < cards.Count() && i < CardCount(); ++i) {
        frames_[static_cast<std::size_t>(i)]->LoadCard(*cards.GetCard(i));
    }
}

void TfrmCardSetupCompact::CopyToList(TTWCardList& cards) const
{
    if (CardClassOf(holeCount_) == nullptr) {
        throw TGenericException::CreateFromSender("Unable to generate card list.\r\nCard class for "
                                                      + std::to_string(holeCount_) + " holes not found.",
                                                  nullptr, this, "CopyToList");
    }
    cards.Clear();
    for (const TfrmCardCompactBase* frame : frames_) {
        std::unique_ptr<TTWCardBase> card = CreateCard(holeCount_);
        for (int hole = 0; hole < holeCount_; ++hole) {
            card->SetHoleColour(hole, frame->GetHoleColourIndex(hole));
        }
        card->SetThreading(frame->Threading());
        cards.Add(card.release());
    }
    cards.ResetAll();
}

// --- Colours ----------------------------------------------------------------------------------------

void TfrmCardSetupCompact::SwapColoursSelected(int colour1, int colour2)
{
    for (TfrmCardCompactBase* frame : TargetFrames()) {
        for (int hole = 0; hole < frame->HoleCount(); ++hole) {
            const int index = frame->GetHoleColourIndex(hole);
            if (index == colour1) {
                frame->SetHoleColourIndex(hole, colour2);
            } else if (index == colour2) {
                frame->SetHoleColourIndex(hole, colour1);
            }
        }
    }
}

void TfrmCardSetupCompact::ReplaceColourSelected(int oldColour, int newColour)
{
    for (TfrmCardCompactBase* frame : TargetFrames()) {
        for (int hole = 0; hole < frame->HoleCount(); ++hole) {
            if (frame->GetHoleColourIndex(hole) == oldColour) {
                frame->SetHoleColourIndex(hole, newColour);
            }
        }
    }
}

void TfrmCardSetupCompact::SetHoleColourSelected(int hole, int index)
{
    for (TfrmCardCompactBase* frame : TargetFrames()) {
        frame->SetHoleColourIndex(hole, index);
    }
}

void TfrmCardSetupCompact::RotateTargets(bool forwards)
{
    for (TfrmCardCompactBase* frame : TargetFrames()) {
        const int holes = frame->HoleCount();
        if (holes < 2) {
            continue;
        }
        std::vector<int> before(static_cast<std::size_t>(holes));
        for (int hole = 0; hole < holes; ++hole) {
            before[static_cast<std::size_t>(hole)] = frame->GetHoleColourIndex(hole);
        }
        for (int hole = 0; hole < holes; ++hole) {
            const int from = forwards ? (hole + 1) % holes : (hole + holes - 1) % holes;
            frame->SetHoleColourIndex(hole, before[static_cast<std::size_t>(from)]);
        }
    }
}

void TfrmCardSetupCompact::btnRotateColFwdClick()
{
    RotateTargets(true);
}

void TfrmCardSetupCompact::btnRotateColBackClick()
{
    RotateTargets(false);
}

// --- Threading ---------------------------------------------------------------------------------------

void TfrmCardSetupCompact::ThreadTargets(
    const std::function<std::uint8_t(int position, const TfrmCardCompactBase& frame)>& threading)
{
    if (!mayChangeThreading_) {
        return;
    }
    const std::vector<TfrmCardCompactBase*> targets = TargetFrames();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        targets[i]->SetThreading(threading(static_cast<int>(i), *targets[i]));
    }
}

void TfrmCardSetupCompact::btnAllSClick()
{
    ThreadTargets([](int, const TfrmCardCompactBase&) { return ThreadingS; });
}

void TfrmCardSetupCompact::btnAllZClick()
{
    ThreadTargets([](int, const TfrmCardCompactBase&) { return ThreadingZ; });
}

void TfrmCardSetupCompact::btnAltSZClick()
{
    ThreadTargets([](int position, const TfrmCardCompactBase&) { return position % 2 == 0 ? ThreadingS : ThreadingZ; });
}

void TfrmCardSetupCompact::btnAltZSClick()
{
    ThreadTargets([](int position, const TfrmCardCompactBase&) { return position % 2 == 0 ? ThreadingZ : ThreadingS; });
}

void TfrmCardSetupCompact::btnInvertThreadClick()
{
    ThreadTargets([](int, const TfrmCardCompactBase& frame) { return FlippedThreading(frame.Threading()); });
}

// --- Moving -------------------------------------------------------------------------------------------

void TfrmCardSetupCompact::btnMoveLeftClick()
{
    const std::vector<TfrmCardCompactBase*> targets = TargetFrames();
    if (targets.empty() || targets.front() == frames_.front()) {
        return;
    }
    for (TfrmCardCompactBase* target : targets) {
        const auto at = std::find(frames_.begin(), frames_.end(), target);
        std::iter_swap(at, at - 1);
    }
    LayOutFrames();
}

void TfrmCardSetupCompact::btnMoveRightClick()
{
    const std::vector<TfrmCardCompactBase*> targets = TargetFrames();
    if (targets.empty() || targets.back() == frames_.back()) {
        return;
    }
    for (auto target = targets.rbegin(); target != targets.rend(); ++target) {
        const auto at = std::find(frames_.begin(), frames_.end(), *target);
        std::iter_swap(at, at + 1);
    }
    LayOutFrames();
}
