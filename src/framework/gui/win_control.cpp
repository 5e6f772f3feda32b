#include <algorithm>
#include <array>

#include "framework/gui/control.h"

namespace fw {

namespace {

ShiftState ShiftFromBits(std::intptr_t bits)
{
    return ShiftState::FromBits(static_cast<std::uint32_t>(bits) & 0xFFFF);
}

std::intptr_t AsParam(const Control* control)
{
    return reinterpret_cast<std::intptr_t>(control);
}

} // namespace

WinControl::WinControl(Component* owner) : Control(owner)
{
    SetWindowed(true);
}

WinControl::~WinControl()
{
    SetControlState(ControlState() | ControlStateFlag::Destroying);
    EndLiveness();
    // Children go before the parent, the last first; each leaves the list as it goes (and
    // its owner's list, when that is someone else).
    while (!controls_.empty()) {
        Control* last = controls_.back();
        delete last;
        if (!controls_.empty() && controls_.back() == last) {
            controls_.pop_back();
        }
    }
    DestroyComponents();
}

// --- Children ---------------------------------------------------------------------------------

Control* WinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount()) {
        throw EListError("Control index out of bounds (" + std::to_string(index) + ")");
    }
    return controls_[static_cast<std::size_t>(index)];
}

int WinControl::IndexOfControl(const Control* control) const
{
    const auto found = std::find(controls_.begin(), controls_.end(), control);
    return found == controls_.end() ? -1 : static_cast<int>(found - controls_.begin());
}

void WinControl::InsertControl(Control* control)
{
    if (control != nullptr) {
        control->SetParent(this);
    }
}

void WinControl::RemoveControl(Control* control)
{
    if (control != nullptr && control->Parent() == this) {
        control->SetParent(nullptr);
    }
}

bool WinControl::ContainsControl(const Control* control) const
{
    for (const Control* up = control; up != nullptr; up = up->Parent()) {
        if (up == this) {
            return true;
        }
    }
    return false;
}

Control* WinControl::ControlAtPos(Point point, bool allowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const Control* child = *it;
        const Rect bounds = child->BoundsRect();
        if (child->Visible() && (allowDisabled || child->Enabled()) && point.X >= bounds.Left
            && point.X < bounds.Right && point.Y >= bounds.Top && point.Y < bounds.Bottom) {
            return *it;
        }
    }
    return nullptr;
}

void WinControl::Broadcast(Message& message)
{
    const std::vector<WeakRef<Control>> children(controls_.begin(), controls_.end());
    for (const auto& child : children) {
        if (Control* alive = child.Get()) {
            alive->Perform(message);
            if (message.Result != 0) {
                return;
            }
        }
    }
}

void WinControl::NotifyControls(int msg)
{
    const std::vector<WeakRef<Control>> children(controls_.begin(), controls_.end());
    for (const auto& child : children) {
        if (Control* alive = child.Get()) {
            alive->Perform(msg);
        }
    }
}

void WinControl::AddChild(Control* control)
{
    Perform(CM_CONTROLLISTCHANGING, AsParam(control), 1);
    controls_.push_back(control);
    if (auto* windowed = dynamic_cast<WinControl*>(control)) {
        tabList_.push_back(windowed);
    }
    control->parent_ = this;
    // What the child takes from its new parent.
    control->ParentColorChanged();
    control->ParentFontChanged();
    control->ParentShowHintChanged();
    control->UpdateAnchorRules();
    if (control->peer_ != nullptr) {
        control->peer_->ParentChanged();
    }
    Perform(CM_CONTROLCHANGE, AsParam(control), 1);
    Perform(CM_CONTROLLISTCHANGE, AsParam(control), 1);
    if (control->Align() != fw::Align::None) {
        Realign();
    }
}

void WinControl::RemoveChild(Control* control)
{
    const bool destroying = ControlState().Contains(ControlStateFlag::Destroying);
    if (!destroying) {
        Perform(CM_CONTROLLISTCHANGING, AsParam(control), 0);
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    control->anchorRulesValid_ = false;
    if (control->peer_ != nullptr) {
        control->peer_->ParentChanged();
    }
    if (!destroying) {
        Perform(CM_CONTROLCHANGE, AsParam(control), 0);
        Perform(CM_CONTROLLISTCHANGE, AsParam(control), 0);
        if (control->Align() != fw::Align::None) {
            Realign();
        }
    }
}

void WinControl::MoveChild(Control* control, bool toFront)
{
    auto found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end()) {
        return;
    }
    controls_.erase(found);
    if (toFront) {
        controls_.push_back(control);
    } else {
        controls_.insert(controls_.begin(), control);
    }
    if (control->peer_ != nullptr) {
        control->peer_->ZOrderChanged();
    }
    // Aligned controls are laid out in list order.
    if (control->Align() != fw::Align::None) {
        Realign();
    }
}

// --- Layout -----------------------------------------------------------------------------------

void WinControl::AdjustClientRect(Rect& /*rect*/) {}

void WinControl::Realign()
{
    const fw::ControlState state = ControlState();
    if (alignDisabled_ > 0 || state.Contains(ControlStateFlag::Loading) || state.Contains(ControlStateFlag::Destroying)) {
        realignPending_ = true;
        return;
    }
    if (state.Contains(ControlStateFlag::Aligning)) {
        // A child that changed while being placed: its change is already taken in.
        return;
    }
    realignPending_ = false;
    SetControlState(state | ControlStateFlag::Aligning);
    try {
        // Placing the children may resize this control itself (a container that fits its
        // frame to what it holds): the children are then placed again in the new room. A
        // few rounds settle any such layout; one that never settles keeps its last round.
        for (int round = 0; round < 4; ++round) {
            const Rect client = ClientRect();
            Rect rect = client;
            AdjustClientRect(rect);
            AlignControls(rect);
            if (ClientRect() == client) {
                break;
            }
        }
    } catch (...) {
        SetControlState(ControlState() - ControlStateFlag::Aligning);
        throw;
    }
    SetControlState(ControlState() - ControlStateFlag::Aligning);
}

void WinControl::AlignControls(Rect& rect)
{
    static constexpr std::array order{fw::Align::Top, fw::Align::Bottom, fw::Align::Left, fw::Align::Right,
                                      fw::Align::Client};
    for (const fw::Align align : order) {
        std::vector<Control*> placed;
        for (Control* child : controls_) {
            if (child->Visible() && child->Align() == align) {
                placed.push_back(child);
            }
        }
        for (Control* child : placed) {
            int width = std::max(rect.Width(), 0);
            int height = std::max(rect.Height(), 0);
            switch (align) {
            case fw::Align::Top:
                child->PlaceBounds(rect.Left, rect.Top, width, child->Height());
                rect.Top += child->Height();
                break;
            case fw::Align::Bottom:
                height = child->Height();
                child->ApplyConstraints(width, height);
                child->PlaceBounds(rect.Left, rect.Bottom - height, width, height);
                rect.Bottom -= child->Height();
                break;
            case fw::Align::Left:
                child->PlaceBounds(rect.Left, rect.Top, child->Width(), height);
                rect.Left += child->Width();
                break;
            case fw::Align::Right:
                width = child->Width();
                child->ApplyConstraints(width, height);
                child->PlaceBounds(rect.Right - width, rect.Top, width, height);
                rect.Right -= child->Width();
                break;
            default:
                child->PlaceBounds(rect.Left, rect.Top, width, height);
                break;
            }
        }
    }
}

void WinControl::DisableAlign()
{
    ++alignDisabled_;
}

void WinControl::EnableAlign()
{
    if (alignDisabled_ == 0) {
        return;
    }
    if (--alignDisabled_ == 0 && realignPending_) {
        Realign();
    }
}

void WinControl::Loaded()
{
    Control::Loaded();
    Realign();
}

void WinControl::ClientSizeChanged()
{
    const fw::ControlState state = ControlState();
    if (state.Contains(ControlStateFlag::Loading) || state.Contains(ControlStateFlag::Destroying)) {
        realignPending_ = true;
        return;
    }
    const Size size{ClientWidth(), ClientHeight()};
    const std::vector<WeakRef<Control>> children(controls_.begin(), controls_.end());
    for (const auto& child : children) {
        if (Control* alive = child.Get()) {
            alive->ApplyAnchors(size);
        }
    }
    Realign();
}

// --- Focus and tab order ----------------------------------------------------------------------

void WinControl::SetTabStop(bool tabStop)
{
    if (tabStop != tabStop_) {
        tabStop_ = tabStop;
        Perform(CM_TABSTOPCHANGED);
    }
}

int WinControl::TabOrder() const
{
    if (Parent() == nullptr) {
        return -1;
    }
    const auto& list = Parent()->tabList_;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void WinControl::SetTabOrder(int order)
{
    if (Parent() == nullptr) {
        return;
    }
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    const int place = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + place, this);
}

void WinControl::GetTabOrderList(std::vector<WinControl*>& list) const
{
    for (WinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

bool WinControl::CanFocus() const
{
    for (const Control* control = this; control != nullptr; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled()) {
            return false;
        }
    }
    return true;
}

// --- Keys -------------------------------------------------------------------------------------

void WinControl::KeyDown(int& key, ShiftState shift)
{
    if (onKeyDown_) {
        onKeyDown_(this, key, shift);
    }
}

void WinControl::KeyPress(char32_t& key)
{
    if (onKeyPress_) {
        onKeyPress_(this, key);
    }
}

void WinControl::KeyUp(int& key, ShiftState shift)
{
    if (onKeyUp_) {
        onKeyUp_(this, key, shift);
    }
}

void WinControl::DoEnter()
{
    if (onEnter_) {
        onEnter_(this);
    }
}

void WinControl::DoExit()
{
    if (onExit_) {
        onExit_(this);
    }
}

void WinControl::Dispatch(Message& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        ClientSizeChanged();
        Control::Dispatch(message);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // The key goes back in the message: 0 tells the caller it was consumed.
        int key = static_cast<int>(message.WParam);
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN) {
            KeyDown(key, ShiftFromBits(message.LParam));
        } else {
            KeyUp(key, ShiftFromBits(message.LParam));
        }
        message.WParam = key;
        message.Result = key == 0 ? 1 : 0;
        break;
    }
    case WM_CHAR: {
        char32_t key = static_cast<char32_t>(message.WParam);
        KeyPress(key);
        message.WParam = static_cast<std::intptr_t>(key);
        message.Result = key == 0 ? 1 : 0;
        break;
    }
    case CM_ENTER:
        DoEnter();
        break;
    case CM_EXIT:
        DoExit();
        break;
    case CM_COLORCHANGED:
        Control::Dispatch(message);
        NotifyControls(CM_PARENTCOLORCHANGED);
        break;
    case CM_FONTCHANGED:
        Control::Dispatch(message);
        NotifyControls(CM_PARENTFONTCHANGED);
        break;
    case CM_SHOWHINTCHANGED:
        Control::Dispatch(message);
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        break;
    case CM_DIALOGKEY:
        Broadcast(message);
        break;
    default:
        Control::Dispatch(message);
        break;
    }
}

} // namespace fw
