#include "framework/gui/mdi.h"

#include <algorithm>

namespace fw {

namespace {

// floor(sqrt(n)) for the grid of more than three tiled children.
int GridLines(int n)
{
    int lines = 1;
    while ((lines + 1) * (lines + 1) <= n) {
        ++lines;
    }
    return lines;
}

// Of n cascaded windows of this size, how many fit along the diagonal before the next one
// would stick out of the area.
int CascadeSlots(const Rect& area, int width, int height)
{
    const int across = (area.Width() - width) / MdiClient::CascadeStep;
    const int down = (area.Height() - height) / MdiClient::CascadeStep;
    return 1 + std::max(0, std::min(across, down));
}

} // namespace

MdiClient::MdiClient(Form& form) : WinControl(nullptr), form_(form)
{
    SetColor(clAppWorkSpace);
    SetParent(&form);
    SetAlign(fw::Align::Client);
}

MdiClient::~MdiClient()
{
    closing_ = true;
    // The children go while this part still exists: their destructors tell it they leave.
    while (ControlCount() > 0) {
        Control* last = ControlList().back();
        delete last;
    }
}

bool MdiClient::BeingDestroyed() const
{
    return closing_ || ControlState().Contains(ControlStateFlag::Destroying);
}

std::vector<Form*> MdiClient::Children() const
{
    std::vector<Form*> children;
    const std::vector<Control*>& list = ControlList();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        auto* form = dynamic_cast<Form*>(*it);
        if (form != nullptr && form->IsMdiChild() && !form->mdiGoing_) {
            children.push_back(form);
        }
    }
    return children;
}

std::vector<Form*> MdiClient::ShownChildren() const
{
    std::vector<Form*> shown = Children();
    shown.erase(std::remove_if(shown.begin(), shown.end(), [](const Form* form) { return !form->Visible(); }),
                shown.end());
    return shown;
}

// --- Activation --------------------------------------------------------------------------------

void MdiClient::Activate(Form& child, bool moveFocus)
{
    if (child.mdiGoing_ || child.Parent() != this) {
        return;
    }
    child.Control::BringToFront();
    if (child.Visible()) {
        SetActive(&child, moveFocus);
    }
}

void MdiClient::SetActive(Form* child, bool moveFocus)
{
    WeakRef<Form> old = active_;
    WeakRef<Form> next(child);
    if (old.Get() != child) {
        active_ = next;
        Form* previous = old.Get();
        // One maximised child at a time: a maximised active child hands its state on.
        if (previous != nullptr && child != nullptr && previous->windowState_ == WindowState::Maximized
            && child->windowState_ != WindowState::Minimized) {
            ApplyWindowState(*child, WindowState::Maximized);
            ApplyWindowState(*previous, WindowState::Normal);
        }
        if (previous != nullptr && !previous->mdiGoing_) {
            previous->Invalidate();
        }
        if (child != nullptr) {
            child->Invalidate();
        }
        if (Form* leaving = old.Get(); leaving != nullptr && !leaving->mdiGoing_) {
            leaving->DoDeactivate();
        }
        if (Form* arriving = next.Get(); arriving != nullptr && active_.Get() == arriving) {
            arriving->DoActivate();
        }
    }
    Form* focused = next.Get();
    if (!moveFocus || focused == nullptr || active_.Get() != focused) {
        return;
    }
    WinControl* target = focused->ActiveControl();
    if (target == nullptr || target == focused || !focused->ContainsControl(target) || !target->CanFocus()) {
        if (focused->CanFocus() && !focused->Focused()) {
            focused->WinControl::SetFocus();
        }
    } else if (!target->Focused()) {
        target->SetFocus();
    }
}

void MdiClient::ActivateNext(const Form* leaving, bool skipMinimized, bool moveFocus)
{
    for (Form* candidate : ShownChildren()) {
        if (candidate != leaving && !(skipMinimized && candidate->windowState_ == WindowState::Minimized)) {
            SetActive(candidate, moveFocus);
            return;
        }
    }
    // Minimising the last child that is not minimised leaves it active, as the window
    // system does; a child that went leaves none.
    if (!skipMinimized) {
        SetActive(nullptr, false);
    }
}

// --- What the children tell -----------------------------------------------------------------------

void MdiClient::ChildShown(Form& child)
{
    Activate(child, true);
}

void MdiClient::ChildHidden(Form& child)
{
    if (active_.Get() == &child) {
        ActivateNext(&child, false, true);
    }
}

void MdiClient::ChildGoing(Form& child)
{
    child.mdiGoing_ = true;
    if (active_.Get() != &child) {
        return;
    }
    active_.Reset();
    // No focus moves now: the controls of the child going would hear of it half destroyed.
    if (!BeingDestroyed()) {
        ActivateNext(&child, false, false);
    }
}

void MdiClient::ChangeWindowState(Form& child, WindowState state)
{
    if (child.windowState_ == state) {
        return;
    }
    ApplyWindowState(child, state);
    if (!child.Visible() || child.mdiGoing_) {
        return;
    }
    if (state == WindowState::Minimized) {
        if (active_.Get() == &child) {
            ActivateNext(&child, true, true);
        }
    } else {
        Activate(child, true);
    }
}

void MdiClient::ApplyWindowState(Form& child, WindowState state)
{
    const WindowState old = child.windowState_;
    if (old == state) {
        return;
    }
    if (old == WindowState::Normal) {
        child.restoreBounds_ = child.BoundsRect();
    }
    if (old == WindowState::Minimized) {
        child.iconSlot_ = -1;
    }
    child.windowState_ = state;
    switch (state) {
    case WindowState::Normal: child.SetBoundsRect(child.restoreBounds_); break;
    case WindowState::Maximized: child.SetBoundsRect(ClientRect()); break;
    case WindowState::Minimized:
        child.iconSlot_ = FreeIconSlot();
        child.SetBoundsRect(IconSlotBounds(child.iconSlot_));
        break;
    }
    // The frame's size changes with the state even where the bounds do not.
    child.Realign();
    child.Invalidate();
}

void MdiClient::PlaceNewChild(Form& child, FormPosition position)
{
    switch (position) {
    case FormPosition::Default:
    case FormPosition::DefaultPosOnly: {
        int others = 0;
        for (const Form* shown : ShownChildren()) {
            others += shown != &child ? 1 : 0;
        }
        const int slot = others % CascadeSlots(ClientRect(), child.Width(), child.Height());
        child.SetBounds(slot * CascadeStep, slot * CascadeStep, child.Width(), child.Height());
        break;
    }
    case FormPosition::ScreenCenter:
    case FormPosition::DesktopCenter:
    case FormPosition::MainFormCenter:
    case FormPosition::OwnerFormCenter:
        child.SetBounds(std::max(0, (ClientWidth() - child.Width()) / 2),
                        std::max(0, (ClientHeight() - child.Height()) / 2), child.Width(), child.Height());
        break;
    case FormPosition::Designed:
    case FormPosition::DefaultSizeOnly: break;
    }
}

// --- Arranging ---------------------------------------------------------------------------------

Rect MdiClient::IconSlotBounds(int slot) const
{
    const int perRow = std::max(1, ClientWidth() / MinimizedMdiWidth);
    const int left = (slot % perRow) * MinimizedMdiWidth;
    const int top = ClientHeight() - (slot / perRow + 1) * MinimizedMdiHeight;
    return Rect{left, top, left + MinimizedMdiWidth, top + MinimizedMdiHeight};
}

Rect MdiClient::ArrangeArea() const
{
    const int perRow = std::max(1, ClientWidth() / MinimizedMdiWidth);
    int rows = 0;
    for (const Form* child : ShownChildren()) {
        if (child->windowState_ == WindowState::Minimized && child->iconSlot_ >= 0) {
            rows = std::max(rows, child->iconSlot_ / perRow + 1);
        }
    }
    Rect area = ClientRect();
    area.Bottom = std::max(area.Top, area.Bottom - rows * MinimizedMdiHeight);
    return area;
}

int MdiClient::FreeIconSlot() const
{
    const std::vector<Form*> children = Children();
    for (int slot = 0;; ++slot) {
        const bool taken = std::any_of(children.begin(), children.end(), [slot](const Form* child) {
            return child->windowState_ == WindowState::Minimized && child->iconSlot_ == slot;
        });
        if (!taken) {
            return slot;
        }
    }
}

void MdiClient::Tile(TileMode mode)
{
    std::vector<Form*> tiled;
    for (Form* child : ShownChildren()) {
        if (child->windowState_ != WindowState::Minimized) {
            tiled.push_back(child);
        }
    }
    if (tiled.empty()) {
        return;
    }
    for (Form* child : tiled) {
        ApplyWindowState(*child, WindowState::Normal);
    }
    const Rect area = ArrangeArea();
    const int n = static_cast<int>(tiled.size());
    // Columns for Vertical, rows for Horizontal; each is split the other way.
    const int groups = n <= 3 ? n : GridLines(n);
    const int perGroup = n / groups;
    const int longer = n % groups;
    const bool vertical = mode == TileMode::Vertical;
    const int across = vertical ? area.Width() : area.Height();
    const int along = vertical ? area.Height() : area.Width();
    std::size_t next = 0;
    for (int group = 0; group < groups; ++group) {
        const int count = perGroup + (group >= groups - longer ? 1 : 0);
        const int from = group * across / groups;
        const int to = (group + 1) * across / groups;
        for (int i = 0; i < count; ++i) {
            const int start = i * along / count;
            const int end = (i + 1) * along / count;
            const Rect place = vertical ? Rect{area.Left + from, area.Top + start, area.Left + to, area.Top + end}
                                        : Rect{area.Left + start, area.Top + from, area.Left + end, area.Top + to};
            tiled[next++]->SetBoundsRect(place);
        }
    }
}

void MdiClient::Cascade()
{
    std::vector<Form*> cascaded;
    for (Form* child : ShownChildren()) {
        if (child->windowState_ != WindowState::Minimized) {
            cascaded.push_back(child);
        }
    }
    if (cascaded.empty()) {
        return;
    }
    // The bottom one first, so the topmost ends furthest down and stays on top.
    std::reverse(cascaded.begin(), cascaded.end());
    for (Form* child : cascaded) {
        ApplyWindowState(*child, WindowState::Normal);
    }
    const Rect area = ArrangeArea();
    const int steps = static_cast<int>(cascaded.size()) - 1;
    const int width = std::max(area.Width() - steps * CascadeStep, area.Width() / 2);
    const int height = std::max(area.Height() - steps * CascadeStep, area.Height() / 2);
    const int slots = CascadeSlots(area, width, height);
    for (std::size_t k = 0; k < cascaded.size(); ++k) {
        const int offset = static_cast<int>(k) % slots * CascadeStep;
        cascaded[k]->SetBounds(area.Left + offset, area.Top + offset, width, height);
    }
}

void MdiClient::ArrangeIcons()
{
    std::vector<Form*> icons;
    for (Form* child : Children()) {
        if (child->windowState_ == WindowState::Minimized) {
            icons.push_back(child);
        }
    }
    std::stable_sort(icons.begin(), icons.end(),
                     [](const Form* a, const Form* b) { return a->iconSlot_ < b->iconSlot_; });
    for (std::size_t slot = 0; slot < icons.size(); ++slot) {
        icons[slot]->iconSlot_ = static_cast<int>(slot);
        icons[slot]->SetBoundsRect(IconSlotBounds(static_cast<int>(slot)));
    }
}

void MdiClient::AlignControls(Rect& rect)
{
    WinControl::AlignControls(rect);
    // Maximised and minimised children keep their places relative to the client area.
    for (Form* child : Children()) {
        if (child->windowState_ == WindowState::Maximized) {
            child->SetBoundsRect(ClientRect());
        } else if (child->windowState_ == WindowState::Minimized && child->iconSlot_ >= 0) {
            child->SetBoundsRect(IconSlotBounds(child->iconSlot_));
        }
    }
}

} // namespace fw
