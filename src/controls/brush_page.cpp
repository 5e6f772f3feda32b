#include "controls/brush_page.h"

#include <string>

#include "controls/tabbed_pages.h"
#include "framework/gui/form.h"

namespace {

// The class name without its leading "T" and the first number from 1 up that no other
// component of the owner is called by.
std::string FreeComponentName(const fw::Component* owner, std::string_view className)
{
    std::string_view base = className;
    if (!base.empty() && base.front() == 'T') {
        base.remove_prefix(1);
    }
    for (int number = 1;; ++number) {
        std::string name = std::string(base) + std::to_string(number);
        if (owner == nullptr || owner->FindComponent(name) == nullptr) {
            return name;
        }
    }
}

} // namespace

TILBrushPage::TILBrushPage(fw::Component* owner) : TILBrushPanel(owner)
{
    SetVisible(false);
    SetAlign(fw::Align::Client);
    SetName(FreeComponentName(owner, className()));
}

TILBrushPage::~TILBrushPage()
{
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    if (control_ != nullptr) {
        control_->RemovePage(this);
    }
    if (focusControl_ != nullptr) {
        focusControl_->RemoveFreeNotification(this);
    }
}

void TILBrushPage::SetPageName(const std::string& name)
{
    pageName_ = name;
    if (control_ != nullptr) {
        control_->RebuildTabs();
    }
}

void TILBrushPage::SetPageIndex(int index)
{
    if (control_ == nullptr || control_->Building()) {
        pageIndex_ = index;
        return;
    }
    control_->MovePage(this, index);
}

void TILBrushPage::SetHidePage(bool hide)
{
    if (hide && control_ != nullptr && control_->ActivePage() == this) {
        return;
    }
    hidePage_ = hide;
    if (control_ != nullptr) {
        control_->RebuildTabs();
    }
}

void TILBrushPage::SetFocusControl(fw::WinControl* control)
{
    if (control == focusControl_) {
        return;
    }
    if (focusControl_ != nullptr) {
        focusControl_->RemoveFreeNotification(this);
    }
    focusControl_ = control;
    if (focusControl_ != nullptr) {
        focusControl_->FreeNotification(this);
    }
}

void TILBrushPage::SetIconIndex(int index)
{
    iconIndex_ = index;
    // An icon changes the length of an auto-sized tab.
    if (control_ != nullptr) {
        control_->RebuildTabs();
    }
}

void TILBrushPage::SetTabRect(const TILTabRect& rect, TILPageTabPosition position)
{
    tabRect_ = rect;
    if (IsVerticalStrip(position)) {
        SetGapOffset(rect.Top);
        SetGapLength(rect.Height());
    } else {
        SetGapOffset(rect.Left);
        SetGapLength(rect.Width());
    }
}

void TILBrushPage::JoinParentControl()
{
    if (control_ != nullptr || Loading() || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    if (auto* control = dynamic_cast<TILBrushPageControl*>(Parent())) {
        control->InsertPage(this);
    }
}

void TILBrushPage::Loaded()
{
    TILBrushPanel::Loaded();
    JoinParentControl();
}

void TILBrushPage::SetParent(fw::WinControl* parent)
{
    if (control_ != nullptr && parent != control_) {
        TILBrushPageControl* old = control_;
        old->RemovePage(this);
        tabRect_ = TILTabRect{};
        SetHasGap(false);
    }
    TILBrushPanel::SetParent(parent);
    JoinParentControl();
}

bool TILBrushPage::FormVisible() const
{
    const fw::Control* top = this;
    for (const fw::Control* control = this; control != nullptr; control = control->Parent()) {
        if (dynamic_cast<const fw::Form*>(control) != nullptr) {
            return control->Visible();
        }
        top = control;
    }
    return top->Visible();
}

void TILBrushPage::Dispatch(fw::Message& message)
{
    TILBrushPanel::Dispatch(message);
    if (message.Msg == fw::WM_SETFOCUS && focusControl_ != nullptr && FormVisible() && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
    }
}

void TILBrushPage::Notification(fw::Component* component, fw::Operation operation)
{
    TILBrushPanel::Notification(component, operation);
    if (operation == fw::Operation::Remove && component == focusControl_) {
        focusControl_ = nullptr;
    }
}

void TILBrushPage::BrushChanged()
{
    TILBrushPanel::BrushChanged();
    if (control_ != nullptr && control_->OwnerTabColour() && !Quiet()) {
        control_->Invalidate();
    }
}
