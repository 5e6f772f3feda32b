#pragma once

#include "framework/core/object.h"
#include "framework/gui/control.h"

namespace fw {

class Form;

// Docking: forms with DragKind Dock move between dock sites (WinControls with DockSite set)
// and floating windows of their own. From code that is Form::ManualDock and ManualFloat;
// by hand it is a dock drag:
//   - a docked form's grabber pulled further than the drag threshold, then released;
//   - a floating form's window moved by its caption and released (on screen the Qt side
//     tells of the moves; tests call the functions below).
// While the drag lasts, the dock site under the pointer (the deepest shown one, in the
// newest shown window first, never the form itself or a control inside it) hears DockOver
// with Enter as the pointer reaches it, Move on every move and Leave as the pointer leaves
// it. On the release the site under the pointer hears Leave too, and its answer decides: when
// it accepts, the form docks there (nothing when it is docked there already); when it
// refuses, or no site is there, a docked form floats at the drag's DockRect and a floating
// one stays where its window was moved. Cancelling changes nothing.

// What a dock drag carries past the dock sites.
class DragDockObject : public Object {
public:
    explicit DragDockObject(Control& control) : control_(&control) {}

    std::string_view className() const override { return "TDragDockObject"; }

    // The control on its way; none once it is gone.
    Control* GetControl() const { return control_.Get(); }
    // Where the control would float now, in screen coordinates: its floating size with the
    // point it was grabbed at under the pointer.
    Rect DockRect() const { return dockRect_; }
    // The pointer on the screen.
    Point DragPos() const { return dragPos_; }

private:
    friend void DockDragMove(Point screen);
    friend void BeginDockDrag(Form& form, Point screen);

    WeakRef<Control> control_;
    Rect dockRect_;
    Point dragPos_;
};

// Starts a dock drag of the form with the pointer at the screen point where it took hold
// (one drag at a time: one still under way is cancelled first).
void BeginDockDrag(Form& form, Point screen);
// The pointer moved to the screen point.
void DockDragMove(Point screen);
// The button came up at the screen point (drop) or the drag is cancelled; answers whether the
// form docked or floated.
bool EndDockDrag(Point screen, bool drop);
// The form of the dock drag under way; none.
Form* DockDragForm();
// The dock drag's object while one lasts; none.
DragDockObject* CurrentDockObject();

// The dock site a dock drag would ask at the screen point (see above); none.
WinControl* FindDockSiteAt(Point screen, const Control* dragged);

} // namespace fw
