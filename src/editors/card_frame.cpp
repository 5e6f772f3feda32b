#include "editors/card_frame.h"

#include <memory>
#include <string>

#include "forms/form_kit.h"
#include "editors/card_frame_circle.h"
#include "framework/gui/std_label.h"
#include "model/action.h"
#include "model/card.h"
#include "model/palette.h"
#include "model/pick.h"
#include "model/turning_codes.h"

namespace {

constexpr int LabelHeight = 13;
// Swaps forwards and backwards; idle stays idle.
constexpr std::uint8_t ReversedDirection[] = {TurnIdle, TurnBackwards, TurnForwards};

constexpr fw::Color IdleBack = 0x0000FF;
constexpr fw::Color IdleText = fw::clWhite;

TTWCircleShape* NewCircle(TfrmThreadCardFrame& frame, const char* name, int top, int size)
{
    auto* shape = new TTWCircleShape(&frame);
    shape->SetName(name);
    shape->SetParent(&frame);
    shape->SetBounds((TfrmThreadCardFrame::FrameWidth - size) / 2, top, size, size);
    return shape;
}

void SetLabelColours(fw::Label& label, fw::Color back, fw::Color text)
{
    label.SetColor(back);
    fw::Font font = label.Font();
    font.Color = text;
    label.SetFont(font);
}

} // namespace

TfrmThreadCardFrame::TfrmThreadCardFrame(fw::Component* owner)
    : fw::Frame(owner),
      lblNumber(NewCentredLabel(*this, this, "lblNumber", "", FormBounds{0, 0, FrameWidth, LabelHeight})),
      shpNext(NewCircle(*this, "shpNext", 14, 11)),
      shpCurrent(NewCircle(*this, "shpCurrent", 26, 17)),
      shpPrevious(NewCircle(*this, "shpPrevious", 44, 11)),
      lblThread(NewCentredLabel(*this, this, "lblThread", "S", FormBounds{0, 56, FrameWidth, LabelHeight})),
      lblTurnDir(NewCentredLabel(*this, this, "lblTurnDir", "F", FormBounds{0, 69, FrameWidth, LabelHeight})),
      lblHole(NewCentredLabel(*this, this, "lblHole", "", FormBounds{0, 82, FrameWidth, LabelHeight}))
{
    SetBounds(0, 0, FrameWidth, FrameHeight);
    // The number shows the idle state as its background colour.
    lblNumber->SetTransparent(false);
    SetLabelColours(*lblNumber, fw::clBtnFace, fw::clWindowText);
    fw::Font bold = lblTurnDir->Font();
    bold.Style.Bold = true;
    lblTurnDir->SetFont(bold);

    lblNumber->SetOnClick([this](fw::Object*) { lblNumberClick(); });
    lblTurnDir->SetOnClick([this](fw::Object*) { lblTurnDirClick(); });
    lblThread->SetOnClick([this](fw::Object*) { lblThreadClick(); });
    RepaintCircles();
    // Built in code: nothing waits for a form to finish loading it.
    FinishLoading();
}

TfrmThreadCardFrame::~TfrmThreadCardFrame() = default;

// --- Number and direction ----------------------------------------------------------------------

void TfrmThreadCardFrame::SetNumber(int number)
{
    if (number <= 0) {
        return;
    }
    lblNumber->SetCaption(std::to_string(number));
    lblNumber->SetTag(number);
}

int TfrmThreadCardFrame::Number() const
{
    return static_cast<int>(lblNumber->Tag());
}

void TfrmThreadCardFrame::SetTurnDirection(int direction)
{
    switch (direction) {
    case TurnForwards: lblTurnDir->SetCaption("F"); break;
    case TurnBackwards: lblTurnDir->SetCaption("B"); break;
    default: lblTurnDir->SetCaption("-"); break;
    }
}

int TfrmThreadCardFrame::GetTurnDirection() const
{
    if (idle_) {
        return TurnIdle;
    }
    if (lblTurnDir->Caption() == "F") {
        return TurnForwards;
    }
    if (lblTurnDir->Caption() == "B") {
        return TurnBackwards;
    }
    return TurnIdle;
}

void TfrmThreadCardFrame::SetIdle(bool idle)
{
    idle_ = idle;
    if (idle_) {
        SetLabelColours(*lblNumber, IdleBack, IdleText);
    } else {
        SetLabelColours(*lblNumber, fw::clBtnFace, fw::clWindowText);
    }
}

// --- Threading -------------------------------------------------------------------------------------

bool TfrmThreadCardFrame::GetThreadingZ() const
{
    return lblThread->Caption() != "S";
}

void TfrmThreadCardFrame::SetThreadingZ(bool threadingZ)
{
    const std::string caption = threadingZ ? "Z" : "S";
    if (lblThread->Caption() == caption) {
        return;
    }
    lblThread->SetCaption(caption);
    RepaintCircles();
}

bool TfrmThreadCardFrame::ThreadingChanged() const
{
    return card_ != nullptr && GetThreadingZ() != (card_->CurThread() == ThreadingZ);
}

// --- Card and palette ------------------------------------------------------------------------------

void TfrmThreadCardFrame::SetCard(TTWCardBase* card)
{
    card_ = card;
    if (card_ != nullptr) {
        lblThread->SetCaption(std::string(ThreadingText(card_->CurThread())));
        lblHole->SetCaption(std::string(1, static_cast<char>('A' + card_->CurPos())));
    } else {
        lblHole->SetCaption(std::string());
    }
    RepaintCircles();
}

void TfrmThreadCardFrame::SetPalette(TTWPalette* palette)
{
    if (palette == palette_) {
        return;
    }
    palette_ = palette;
    RepaintCircles();
}

void TfrmThreadCardFrame::RepaintCircles()
{
    if (card_ == nullptr) {
        shpNext->ShowNothing();
        shpCurrent->ShowNothing();
        shpPrevious->ShowNothing();
        return;
    }
    // The preview twists a copy: a twist and a second twist back would not restore the card
    // (each advances its position), so the pattern's card itself is never touched.
    const TTWCardBase* shown = card_;
    std::unique_ptr<TTWCardBase> preview;
    if (ThreadingChanged()) {
        preview = CreateCard(card_->GetHoleCount());
        if (preview != nullptr) {
            preview->Assign(card_);
            preview->Twist(TwistV);
            shown = preview.get();
        }
    }
    const auto colourAt = [this, shown](int position) {
        if (palette_ == nullptr) {
            return NoColour;
        }
        return palette_->GetColour(shown->CurHoleColour(static_cast<char>('A' + position)));
    };
    shpCurrent->ShowColour(colourAt(0));
    shpNext->ShowColour(colourAt(1));
    shpPrevious->ShowColour(colourAt(shown->GetHoleCount() - 1));
}

// --- Making a pick ---------------------------------------------------------------------------------

void TfrmThreadCardFrame::AddActions(TTWPick& pick, bool reverse) const
{
    if (card_ == nullptr) {
        return;
    }
    if (ThreadingChanged()) {
        pick.Actions().Add(TTWAction::CreateCardTwist(Number(), TwistV).release());
    }
    const int direction = GetTurnDirection();
    if (direction != TurnIdle) {
        const std::uint8_t turn = reverse ? ReversedDirection[direction] : static_cast<std::uint8_t>(direction);
        pick.Actions().Add(TTWAction::CreateCardTurn(Number(), turn, DistanceOneHole).release());
    }
}

// --- Clicks ----------------------------------------------------------------------------------------

void TfrmThreadCardFrame::lblNumberClick()
{
    SetIdle(!idle_);
}

void TfrmThreadCardFrame::lblTurnDirClick()
{
    if (!mayChangeDirection_ || idle_) {
        return;
    }
    const int shown = GetTurnDirection();
    SetTurnDirection(shown == TurnForwards ? TurnBackwards : TurnForwards);
}

void TfrmThreadCardFrame::lblThreadClick()
{
    if (!mayChangeThreading_) {
        return;
    }
    SetThreadingZ(!GetThreadingZ());
}
