#include "framework/gui/dock.h"

#include <memory>

#include "framework/gui/application.h"
#include "framework/gui/form.h"

namespace fw {

namespace {

// The one dock drag of the program.
struct DockDrag {
    WeakRef<Form> Dragged;
    std::unique_ptr<DragDockObject> Object;
    // The pointer less the form's top-left corner when it took hold.
    Point GrabOffset;
    WeakRef<WinControl> Target;
    // Counts drags, so that a handler that ends one (and maybe starts another) is noticed.
    unsigned Generation = 0;
};

DockDrag& Drag()
{
    static DockDrag drag;
    return drag;
}

bool Contains(const Control& control, Point screen)
{
    const Point origin = control.ClientOrigin();
    return screen.X >= origin.X && screen.X < origin.X + control.Width() && screen.Y >= origin.Y
           && screen.Y < origin.Y + control.Height();
}

WinControl* DeepestSiteAt(Control& control, Point screen, const Control* dragged)
{
    auto* windowed = dynamic_cast<WinControl*>(&control);
    if (windowed == nullptr || &control == dragged || !control.Visible() || !Contains(control, screen)) {
        return nullptr;
    }
    const std::vector<Control*>& children = windowed->ControlList();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (WinControl* site = DeepestSiteAt(**it, screen, dragged)) {
            return site;
        }
    }
    return windowed->DockSite() ? windowed : nullptr;
}

// DockOver to the site with the pointer in its client coordinates; answers Accept.
bool AskSite(WinControl& site, DragDockObject& source, DragState state, Point screen)
{
    const Point at = site.ScreenToClient(screen);
    bool accept = true;
    site.DockOver(&source, at.X, at.Y, state, accept);
    return accept;
}

// The drag still the one with this generation: a handler may have ended it.
bool StillDragging(unsigned generation)
{
    return Drag().Object != nullptr && Drag().Generation == generation;
}

} // namespace

// --- Dock sites ----------------------------------------------------------------------------------

int WinControl::DockClientCount() const
{
    int count = 0;
    for (const Control* child : ControlList()) {
        const auto* form = dynamic_cast<const Form*>(child);
        count += form != nullptr && form->HostDockSite() == this ? 1 : 0;
    }
    return count;
}

Control* WinControl::DockClients(int index) const
{
    int seen = 0;
    for (Control* child : ControlList()) {
        const auto* form = dynamic_cast<const Form*>(child);
        if (form != nullptr && form->HostDockSite() == this && seen++ == index) {
            return child;
        }
    }
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void WinControl::DockOver(DragDockObject* source, int x, int y, DragState state, bool& accept)
{
    if (onDockOver_) {
        const DockOverEvent handler = onDockOver_;
        handler(this, source, x, y, state, accept);
    }
}

void WinControl::DockDrop(DragDockObject* source, int x, int y)
{
    if (onDockDrop_) {
        const DockDropEvent handler = onDockDrop_;
        handler(this, source, x, y);
    }
}

bool WinControl::DoUnDock(WinControl* newTarget, Control* client)
{
    bool allow = true;
    if (onUnDock_) {
        const UnDockEvent handler = onUnDock_;
        handler(this, client, newTarget, allow);
    }
    return allow;
}

// --- Forms in and out of sites --------------------------------------------------------------------

WinControl* Form::HostDockSite() const
{
    WinControl* host = hostDockSite_.Get();
    return host != nullptr && Parent() == host ? host : nullptr;
}

bool Form::ManualDock(WinControl* site, Point dropPoint)
{
    if (site == nullptr || ContainsControl(site) || IsMdiChild() || clientArea_ != nullptr) {
        return false;
    }
    WinControl* host = HostDockSite();
    if (host == site) {
        return true;
    }
    WeakRef<Form> self(this);
    WeakRef<WinControl> siteRef(site);
    if (host != nullptr) {
        if (!host->DoUnDock(site, this) || !self || !siteRef) {
            return false;
        }
    } else if (Parent() == nullptr) {
        floatingBounds_ = BoundsRect();
        // No longer a window of its own: another one becomes the active form.
        Screen::Instance().FormHidden(this);
    }
    hostDockSite_ = siteRef;
    // Where the site's layout puts it; a hidden form keeps that until it shows and is laid
    // out with the site's other children.
    Rect area = site->ClientRect();
    site->AdjustClientRect(area);
    SetParent(site);
    SetBoundsRect(area);
    SetAlign(fw::Align::Client);
    // The grabber takes the top rows whatever the bounds did.
    Realign();
    Invalidate();
    DragDockObject source(*this);
    site->DockDrop(&source, dropPoint.X, dropPoint.Y);
    return self && HostDockSite() == site;
}

bool Form::ManualFloat(const Rect& screenRect)
{
    if (IsMdiChild() || (Parent() != nullptr && HostDockSite() == nullptr)) {
        return false;
    }
    WeakRef<Form> self(this);
    if (WinControl* host = HostDockSite()) {
        if (!host->DoUnDock(nullptr, this) || !self) {
            return false;
        }
        hostDockSite_.Reset();
        SetParent(nullptr);
        SetAlign(fw::Align::None);
    }
    floatingBounds_ = screenRect;
    SetBoundsRect(screenRect);
    Realign();
    Invalidate();
    return self && Floating();
}

// --- The dock drag --------------------------------------------------------------------------------

void BeginDockDrag(Form& form, Point screen)
{
    if (Drag().Object != nullptr) {
        EndDockDrag(screen, false);
    }
    DockDrag& drag = Drag();
    drag.Dragged = WeakRef<Form>(&form);
    drag.Object = std::make_unique<DragDockObject>(form);
    const Point origin = form.ClientOrigin();
    drag.GrabOffset = Point{screen.X - origin.X, screen.Y - origin.Y};
    drag.Target.Reset();
    ++drag.Generation;
    drag.Object->dragPos_ = screen;
    drag.Object->dockRect_ = Rect{origin.X, origin.Y, origin.X + form.Width(), origin.Y + form.Height()};
}

void DockDragMove(Point screen)
{
    DockDrag& drag = Drag();
    Form* form = drag.Dragged.Get();
    if (drag.Object == nullptr) {
        return;
    }
    if (form == nullptr) {
        // The form went away: the drag cannot go on.
        EndDockDrag(screen, false);
        return;
    }
    const unsigned generation = drag.Generation;
    DragDockObject& object = *drag.Object;
    object.dragPos_ = screen;
    // A floating form is where its window was moved; a docked one would float at its
    // floating size, held where it was grabbed.
    const Rect floating = form->Floating() ? form->BoundsRect() : form->FloatingBounds();
    const int width = floating.Width() > 0 ? floating.Width() : form->Width();
    const int height = floating.Height() > 0 ? floating.Height() : form->Height();
    const Point topLeft{screen.X - drag.GrabOffset.X, screen.Y - drag.GrabOffset.Y};
    object.dockRect_ = form->Floating() ? floating : Rect{topLeft.X, topLeft.Y, topLeft.X + width, topLeft.Y + height};

    WinControl* site = FindDockSiteAt(screen, form);
    WinControl* old = drag.Target.Get();
    if (site != old) {
        WeakRef<WinControl> siteRef(site);
        if (old != nullptr) {
            AskSite(*old, object, DragState::Leave, screen);
            if (!StillDragging(generation)) {
                return;
            }
        }
        drag.Target = siteRef;
        if (WinControl* entered = siteRef.Get()) {
            AskSite(*entered, object, DragState::Enter, screen);
            if (!StillDragging(generation)) {
                return;
            }
        }
    }
    if (WinControl* over = drag.Target.Get()) {
        AskSite(*over, object, DragState::Move, screen);
    }
}

bool EndDockDrag(Point screen, bool drop)
{
    if (Drag().Object == nullptr) {
        return false;
    }
    if (drop) {
        const unsigned generation = Drag().Generation;
        DockDragMove(screen);
        if (!StillDragging(generation)) {
            return false;
        }
    }
    // The drag is over before its end is told, so the handlers may start another.
    DockDrag& drag = Drag();
    std::unique_ptr<DragDockObject> object = std::move(drag.Object);
    WeakRef<Form> dragged = drag.Dragged;
    WeakRef<WinControl> target = drag.Target;
    drag.Dragged.Reset();
    drag.Target.Reset();
    ++drag.Generation;

    bool accepted = false;
    if (WinControl* site = target.Get()) {
        accepted = AskSite(*site, *object, DragState::Leave, screen) && drop;
    }
    Form* form = dragged.Get();
    if (form == nullptr || !drop) {
        return false;
    }
    if (accepted) {
        WinControl* site = target.Get();
        if (site == nullptr || form->HostDockSite() == site) {
            return false;
        }
        return form->ManualDock(site, site->ScreenToClient(screen));
    }
    if (!form->Floating()) {
        return form->ManualFloat(object->DockRect());
    }
    return false;
}

Form* DockDragForm()
{
    return Drag().Object != nullptr ? Drag().Dragged.Get() : nullptr;
}

DragDockObject* CurrentDockObject()
{
    return Drag().Object.get();
}

WinControl* FindDockSiteAt(Point screen, const Control* dragged)
{
    Screen& shown = GetScreen();
    for (int i = shown.FormCount() - 1; i >= 0; --i) {
        Form* window = shown.Forms(i);
        if (window->Parent() != nullptr || !window->Visible() || window == dragged) {
            continue;
        }
        if (WinControl* site = DeepestSiteAt(*window, screen, dragged)) {
            return site;
        }
    }
    return nullptr;
}

} // namespace fw
