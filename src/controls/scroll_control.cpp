#include "controls/scroll_control.h"

#include <algorithm>
#include <string>

namespace {

// The arrow images of the scroll bars, by the letter of their direction.
void SetArrowImages(TILButtonLocalProperties& properties, char letter)
{
    const std::string stem = std::string("ILSCRBAR_IMG_") + letter;
    properties.ImageActive().SetImageName(stem + "_ACTIVE");
    properties.ImageInactive().SetImageName(stem + "_INACTIVE");
    properties.ImageDisabled().SetImageName(stem + "_DISABLED");
    properties.ImageDown().SetImageName(stem + "_DOWN");
    properties.ImageRepeat().SetImageName(stem + "_REPEAT");
    properties.SetTransparent(0x00FF00FF);
}

TILBrushPanel* MakeEndPanel(TILScrollControl* owner)
{
    auto* panel = new TILBrushPanel(owner);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->DrawData().SetBevelInner(TBevelCut::None);
    panel->SetBorderWidth(0);
    panel->SetParentBrush(true);
    panel->SetParent(owner);
    return panel;
}

TILButton* MakeArrow(TILBrushPanel* panel)
{
    auto* arrow = new TILButton(panel);
    arrow->SetParent(panel);
    arrow->SetAlign(fw::Align::Client);
    arrow->SetAllowRepeat(true);
    return arrow;
}

} // namespace

TILScrollControl::TILScrollControl(fw::Component* owner) : TILBrushPanel(owner)
{
    SetControlState(ControlState() | fw::ControlStateFlag::Creating);
    DrawData().SetBevelOuter(TBevelCut::Lowered);
    SetBounds(Left(), Top(), Width(), 21);

    leftPanel_ = MakeEndPanel(this);
    rightPanel_ = MakeEndPanel(this);
    leftArrow_ = MakeArrow(leftPanel_);
    rightArrow_ = MakeArrow(rightPanel_);

    // A click scrolls once; held down, the arrow repeats the step.
    const auto scrollRight = [this](fw::Object*) { ScrollBy(scrollIncrement_); };
    const auto scrollLeft = [this](fw::Object*) { ScrollBy(-scrollIncrement_); };
    leftArrow_->SetOnClick(scrollRight);
    leftArrow_->SetOnRepeatDown(scrollRight);
    rightArrow_->SetOnClick(scrollLeft);
    rightArrow_->SetOnRepeatDown(scrollLeft);

    SetArrowImages(scrollBtnLeft_, 'L');
    SetArrowImages(scrollBtnRight_, 'R');
    ApplyArrowLooks();
    scrollBtnLeft_.SetOnChange([this](fw::Object*) { leftArrow_->Assign(&scrollBtnLeft_); });
    scrollBtnRight_.SetOnChange([this](fw::Object*) { rightArrow_->Assign(&scrollBtnRight_); });

    LayoutEnds();
    SetControlState(ControlState() - fw::ControlStateFlag::Creating);
}

TILScrollControl::~TILScrollControl()
{
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    scrollBtnLeft_.SetOnChange(nullptr);
    scrollBtnRight_.SetOnChange(nullptr);
    // The arrows go with the children, after this body: nothing may reach back here.
    leftArrow_->SetOnClick(nullptr);
    leftArrow_->SetOnRepeatDown(nullptr);
    rightArrow_->SetOnClick(nullptr);
    rightArrow_->SetOnRepeatDown(nullptr);
}

void TILScrollControl::ApplyArrowLooks()
{
    leftArrow_->Assign(&scrollBtnLeft_);
    rightArrow_->Assign(&scrollBtnRight_);
}

void TILScrollControl::SetScrollBtnLeft(const TILButtonLocalProperties& properties)
{
    scrollBtnLeft_.Assign(&properties);
    leftArrow_->Assign(&scrollBtnLeft_);
}

void TILScrollControl::SetScrollBtnRight(const TILButtonLocalProperties& properties)
{
    scrollBtnRight_.Assign(&properties);
    rightArrow_->Assign(&scrollBtnRight_);
}

// --- Layout --------------------------------------------------------------------------------------

void TILScrollControl::SetButtonWidth(int width)
{
    buttonWidth_ = width;
    LayoutEnds();
}

fw::Rect TILScrollControl::ScrollArea() const
{
    return fw::Rect{buttonWidth_, 0, Width() - buttonWidth_, Height()};
}

void TILScrollControl::LayoutEnds()
{
    if (leftPanel_ == nullptr || rightPanel_ == nullptr) {
        return;
    }
    leftPanel_->SetBounds(0, 0, buttonWidth_, Height());
    rightPanel_->SetBounds(Width() - buttonWidth_, 0, buttonWidth_, Height());
}

void TILScrollControl::Resize()
{
    TILBrushPanel::Resize();
    LayoutEnds();
}

// --- Content -------------------------------------------------------------------------------------

bool TILScrollControl::IsContent(const fw::Control* control) const
{
    return control != nullptr && control != leftPanel_ && control != rightPanel_;
}

std::vector<fw::Control*> TILScrollControl::ContentControls() const
{
    std::vector<fw::Control*> content;
    for (fw::Control* child : ControlList()) {
        if (IsContent(child)) {
            content.push_back(child);
        }
    }
    return content;
}

void TILScrollControl::ClearContent()
{
    const fw::WeakRef<TILScrollControl> self(this);
    for (;;) {
        const std::vector<fw::Control*> content = ContentControls();
        if (content.empty()) {
            return;
        }
        delete content.back();
        // A removal handler may have freed the whole control.
        if (!self) {
            return;
        }
    }
}

// --- Scrolling -----------------------------------------------------------------------------------

void TILScrollControl::CanScroll(int& dX)
{
    if (onCanScroll_) {
        const fw::WeakRef<TILScrollControl> self(this);
        onCanScroll_(this, dX);
        // The host may have freed the control while it was asked: nothing is left to move.
        if (!self) {
            dX = 0;
            return;
        }
    }
    if (dX == 0 || !limitScroll_) {
        return;
    }
    const std::vector<fw::Control*> content = ContentControls();
    if (content.empty()) {
        dX = 0;
        return;
    }
    const fw::Rect area = ScrollArea();
    if (dX > 0) {
        int leftmost = content.front()->Left();
        for (const fw::Control* child : content) {
            leftmost = std::min(leftmost, child->Left());
        }
        if (leftmost >= area.Left) {
            dX = 0;
        }
    } else {
        int rightmost = content.front()->Left() + content.front()->Width();
        for (const fw::Control* child : content) {
            rightmost = std::max(rightmost, child->Left() + child->Width());
        }
        if (rightmost <= area.Right) {
            dX = 0;
        }
    }
}

void TILScrollControl::ScrollBy(int dX)
{
    const fw::WeakRef<TILScrollControl> self(this);
    CanScroll(dX);
    if (!self || dX == 0) {
        return;
    }
    for (fw::Control* child : ContentControls()) {
        child->SetLeft(child->Left() + dX);
    }
}

// --- Child list changes ----------------------------------------------------------------------------

bool TILScrollControl::BuildingOrTearingDown() const
{
    const fw::ControlState state = ControlState();
    return state.Contains(fw::ControlStateFlag::Creating) || state.Contains(fw::ControlStateFlag::Destroying);
}

void TILScrollControl::ControlAdded(fw::Control* control)
{
    if (autoPosition_) {
        // The child is not in the list yet: every content child is another one.
        const std::vector<fw::Control*> content = ContentControls();
        int left = ScrollArea().Left;
        if (!content.empty()) {
            const auto rightmost = std::max_element(content.begin(), content.end(), [](auto* a, auto* b) {
                return a->Left() + a->Width() < b->Left() + b->Width();
            });
            left = (*rightmost)->Left() + (*rightmost)->Width() + autoSpacing_;
        }
        control->SetBounds(left, 1, control->Width(), control->Height());
    }
    if (onAddControl_) {
        onAddControl_(this, control);
    }
}

void TILScrollControl::ControlRemoved(fw::Control* control)
{
    if (autoPosition_) {
        // The nearest child right of the leaving one moves into its place, and everything
        // further right moves by as much.
        const int gapLeft = control->Left();
        std::vector<fw::Control*> rightOfGap;
        for (fw::Control* child : ContentControls()) {
            if (child != control && child->Left() > gapLeft) {
                rightOfGap.push_back(child);
            }
        }
        if (!rightOfGap.empty()) {
            int nearest = rightOfGap.front()->Left();
            for (const fw::Control* child : rightOfGap) {
                nearest = std::min(nearest, child->Left());
            }
            const int shift = nearest - gapLeft;
            for (fw::Control* child : rightOfGap) {
                child->SetLeft(child->Left() - shift);
            }
        }
    }
    if (onRemoveControl_) {
        onRemoveControl_(this, control);
    }
}

void TILScrollControl::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
}

void TILScrollControl::Dispatch(fw::Message& message)
{
    TILBrushPanel::Dispatch(message);
    if (message.Msg != fw::CM_CONTROLLISTCHANGING && message.Msg != fw::CM_CONTROLLISTCHANGE) {
        return;
    }
    auto* child = reinterpret_cast<fw::Control*>(message.WParam);
    if (BuildingOrTearingDown() || !IsContent(child)) {
        return;
    }
    const bool joining = message.LParam != 0;
    if (message.Msg == fw::CM_CONTROLLISTCHANGE) {
        // The row slides under the arrows, never over them.
        if (joining) {
            leftPanel_->BringToFront();
            rightPanel_->BringToFront();
        }
        return;
    }
    const fw::WeakRef<TILScrollControl> self(this);
    if (joining) {
        ControlAdded(child);
    } else {
        ControlRemoved(child);
    }
    if (self) {
        Changed();
    }
}
