#include "editors/card_frame_list.h"

#include <string>

#include "controls/scroll_control.h"
#include "editors/card_frame.h"
#include "model/card_list.h"

TfrmThreadCardFrameList::TfrmThreadCardFrameList(fw::Component* owner)
    : fw::Frame(owner), scrFrames(new TILScrollControl(this))
{
    SetBounds(0, 0, 400, TfrmThreadCardFrame::FrameHeight + 2);
    scrFrames->SetName("scrFrames");
    scrFrames->SetParent(this);
    scrFrames->SetAlign(fw::Align::Client);
    scrFrames->SetButtonWidth(16);
    // Built in code: nothing waits for a form to finish loading it.
    FinishLoading();
}

TfrmThreadCardFrameList::~TfrmThreadCardFrameList()
{
    ClearFrames();
}

void TfrmThreadCardFrameList::ClearFrames()
{
    // The strip owns the frames; each leaves the list before it goes.
    while (!frames_.empty()) {
        TfrmThreadCardFrame* frame = frames_.back();
        frames_.pop_back();
        delete frame;
    }
}

void TfrmThreadCardFrameList::LoadFromCardList(TTWCardList* cards)
{
    ClearFrames();
    if (cards == nullptr) {
        return;
    }
    const fw::Rect inner = scrFrames->GetInnerClientRect();
    int left = scrFrames->ScrollArea().Left;
    for (int i = 0; i < cards->Count(); ++i) {
        auto* frame = new TfrmThreadCardFrame(scrFrames);
        frame->SetName("frmCard" + std::to_string(i + 1));
        frame->SetParent(scrFrames);
        frame->SetNumber(i + 1);
        frame->SetBounds(left, inner.Top, frame->Width(), frame->Height());
        left = frame->Left() + frame->Width() + 1;
        frame->SetPalette(palette_);
        frame->SetCanChangeDirection(mayChangeDirection_);
        frame->SetCanChangeThreading(mayChangeThreading_);
        frame->SetCard(cards->GetCard(i));
        frames_.push_back(frame);
    }
    // The arrows stay above the frames that scroll under them.
    scrFrames->LeftPanel().BringToFront();
    scrFrames->RightPanel().BringToFront();
}

TfrmThreadCardFrame* TfrmThreadCardFrameList::GetFrame(int index) const
{
    if (index < 0 || index >= FrameCount()) {
        return nullptr;
    }
    return frames_[static_cast<std::size_t>(index)];
}

void TfrmThreadCardFrameList::SetPalette(TTWPalette* palette)
{
    if (palette == palette_) {
        return;
    }
    palette_ = palette;
    for (TfrmThreadCardFrame* frame : frames_) {
        frame->SetPalette(palette_);
    }
}

void TfrmThreadCardFrameList::UpdateFrames()
{
    for (TfrmThreadCardFrame* frame : frames_) {
        frame->UpdateFromCard();
    }
}

void TfrmThreadCardFrameList::SetCanChangeDirection(bool may)
{
    mayChangeDirection_ = may;
    for (TfrmThreadCardFrame* frame : frames_) {
        frame->SetCanChangeDirection(may);
    }
}

void TfrmThreadCardFrameList::SetCanChangeThreading(bool may)
{
    mayChangeThreading_ = may;
    for (TfrmThreadCardFrame* frame : frames_) {
        frame->SetCanChangeThreading(may);
    }
}

void TfrmThreadCardFrameList::AddActions(TTWPick& pick, bool reverse) const
{
    for (const TfrmThreadCardFrame* frame : frames_) {
        frame->AddActions(pick, reverse);
    }
}
