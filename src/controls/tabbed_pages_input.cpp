// How a page control answers the mouse and the keyboard: tab clicks (which OnChangingPage
// may refuse), Ctrl+Tab and Ctrl+Shift+Tab, and focus handed on to the active page.
#include "controls/tabbed_pages.h"

#include "framework/gui/input.h"

TILBrushPage* TILBrushPageControl::TabAt(fw::Point point) const
{
    if (!showTabs_) {
        return nullptr;
    }
    // Only tabs that are drawn can be hit.
    const auto drawnHit = [&](const TILBrushPage* page) {
        const int index = pages_->ShownIndexOf(page);
        return index >= firstShownTab_ && index <= lastFullyShownTab_ && page->TabRect().Contains(point);
    };
    const auto enabledOrNone = [](TILBrushPage* page) { return page->Enabled() ? page : nullptr; };
    if (activePage_ != nullptr && drawnHit(activePage_)) {
        return enabledOrNone(activePage_);
    }
    for (int index = lastFullyShownTab_; index >= firstShownTab_; --index) {
        TILBrushPage* page = pages_->ShownItems(index);
        if (page != nullptr && page != activePage_ && drawnHit(page)) {
            return enabledOrNone(page);
        }
    }
    return nullptr;
}

void TILBrushPageControl::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    fw::WeakRef<TILBrushPageControl> self(this);
    clickedPage_.Reset();
    if (button == fw::MouseButton::Left) {
        TILBrushPage* hit = TabAt(fw::Point{x, y});
        if (hit != nullptr && hit != activePage_ && onChangingPage_) {
            fw::WeakRef<TILBrushPage> hitRef(hit);
            const ChangingPageEvent handler = onChangingPage_;
            const bool allowed = handler(this, hit);
            if (!self) {
                return;
            }
            if (!allowed || !hitRef) {
                hit = nullptr;
            }
        }
        clickedPage_ = hit;
    }
    fw::CustomControl::MouseDown(button, shift, x, y);
}

void TILBrushPageControl::Click()
{
    fw::WeakRef<TILBrushPageControl> self(this);
    TILBrushPage* page = clickedPage_.Get();
    clickedPage_.Reset();
    if (page != nullptr && page->control_ == this) {
        SetActivePage(page);
    }
    if (self) {
        fw::CustomControl::Click();
    }
}

bool TILBrushPageControl::FocusInside() const
{
    const fw::WinControl* focused = fw::FocusedControl();
    return focused != nullptr && ContainsControl(focused);
}

void TILBrushPageControl::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case fw::CM_DIALOGKEY: {
        const fw::ShiftState shift = fw::ShiftState::FromBits(static_cast<std::uint32_t>(message.LParam));
        if (message.WParam == fw::VK_TAB && shift.Contains(fw::ShiftFlag::Ctrl) && FocusInside()) {
            SelectNextPage(!shift.Contains(fw::ShiftFlag::Shift));
            message.Result = 1;
            return;
        }
        break;
    }
    case fw::WM_SETFOCUS: {
        fw::WeakRef<TILBrushPageControl> self(this);
        fw::CustomControl::Dispatch(message);
        if (self && activePage_ != nullptr && activePage_->CanFocus()) {
            activePage_->SetFocus();
        }
        return;
    }
    default: break;
    }
    fw::CustomControl::Dispatch(message);
}

void TILBrushPageControl::SelectNextPage(bool forward)
{
    TILBrushPage* page = forward ? pages_->NextShownPage(activePage_) : pages_->PreviousShownPage(activePage_);
    if (page == nullptr) {
        return;
    }
    fw::WeakRef<TILBrushPageControl> self(this);
    fw::WeakRef<TILBrushPage> target(page);
    SetActivePage(page);
    if (!self || !target || page->FocusControl() != nullptr) {
        return;
    }
    // A page without a control of its own to focus hands the focus on in tab order.
    fw::WinControl* root = this;
    while (root->Parent() != nullptr) {
        root = root->Parent();
    }
    fw::SelectNext(*root, page, true, true);
}
