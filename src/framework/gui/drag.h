#pragma once

#include "framework/core/object.h"
#include "framework/gui/control.h"
#include "framework/gui/message.h"

namespace fw {

class InputRouter;

// In-application drag and drop (not the desktop's): a control starts a drag with BeginDrag,
// the pointer carries a drag object over the program's controls, each control under it is
// asked whether it accepts the object there, and releasing the button drops it.
//
// The order of one drag:
//   BeginDrag: a left press still held on the source ends as if released there (the
//     source gets its Click and MouseUp; not for an automatic drag, whose press never
//     reached MouseDown) and any mouse capture ends; then the source's DoStartDrag
//     (OnStartDrag) may supply a drag object; without one the manager makes a
//     DragControlObject and frees it afterwards.
//   Until the pointer has moved the threshold (DragThreshold unless given) along either
//     axis nothing more happens; an immediate drag skips this. Then, each time the pointer
//     moves: when the control under it changed, DragOver(Leave) to the old one and
//     DragOver(Enter) to the new one; then DragOver(Move). The cursor is the drag object's
//     GetDragCursor for the last answer (the source's DragCursor, or crNoDrop).
//   A button release ends it: DragOver(Leave) to the control under the pointer, whose
//     answer decides; DragDrop to it when it accepts; then the drag object's EndDrag (the
//     source's DoEndDrag, OnEndDrag) with that target, or with none and (0, 0) when
//     refused, and Finished. Esc, Control::EndDrag(false) or the source going away cancel
//     the same way, refused whatever the answer.
// Targets see as Source the source control for a drag object the manager made, else the
// drag object. Controls get no mouse messages while the drag lasts, and keys other than Esc
// are swallowed.

// How far the pointer must move before a drag that is not immediate begins, in pixels.
inline constexpr int DragThreshold = 5;

// What travels with the pointer. A subclass carries what is dragged (a tree node, say).
class DragObject : public Object, public MessageTarget {
public:
    DragObject() = default;
    ~DragObject() override = default;

    std::string_view className() const override { return "TDragObject"; }

    // The cursor over a place that accepts the drop (crDrag) or refuses it (crNoDrop).
    virtual Cursor GetDragCursor(bool accepted, int x, int y);
    // The drag is over: target is the control dropped on, none when refused or cancelled;
    // x, y the drop point in its client coordinates.
    virtual void EndDrag(Object* target, int x, int y);
    // After EndDrag, with whether the drop was accepted.
    virtual void Finished(Object* target, int x, int y, bool accepted);

    // The pointer on the screen as last seen by the drag.
    Point DragPos() const { return dragPos_; }
    // The control under the pointer and the pointer in its client coordinates.
    Control* DragTarget() const { return dragTarget_.Get(); }
    Point DragTargetPos() const { return dragTargetPos_; }
    // Set while the drag ends (Dropped: it ended by a release, not a cancel).
    bool Dropped() const { return dropped_; }
    bool Cancelling() const { return cancelling_; }

private:
    friend class DragManager;

    Point dragPos_;
    WeakRef<Control> dragTarget_;
    Point dragTargetPos_;
    bool dropped_ = false;
    bool cancelling_ = false;
};

// The drag object of a control: its cursor is the control's DragCursor where accepted, and
// its end goes to the control's DoEndDrag.
class DragControlObject : public DragObject {
public:
    explicit DragControlObject(Control* control) : control_(control) {}

    std::string_view className() const override { return "TDragControlObject"; }

    Control* GetControl() const { return control_.Get(); }
    Cursor GetDragCursor(bool accepted, int x, int y) override;
    void EndDrag(Object* target, int x, int y) override;

private:
    WeakRef<Control> control_;
};

// The drag under way: the control layer's drag service, owned and installed by the input
// router, which hands it the pointer, the release and Esc while a drag lasts.
class DragManager : public DragService {
public:
    explicit DragManager(InputRouter& router);
    ~DragManager() override;

    // Starts a drag from the control (see the order above); nothing while another lasts.
    void BeginDrag(Control& source, bool immediate, int threshold) override;
    // Ends the drag: a drop where the pointer is, or a cancel.
    void EndDrag(bool drop) override;
    Control* DragSource() const override { return object_ != nullptr ? source_.Get() : nullptr; }

    // Whether a drag lasts, and whether it got past its threshold.
    bool Dragging() const { return object_ != nullptr; }
    bool Moving() const { return object_ != nullptr && moving_; }
    DragObject* CurrentDragObject() const { return object_; }
    // The answer of the control under the pointer to the last DragOver.
    bool Accepted() const { return accepted_; }
    // The drag object's cursor while the drag moves, else crDefault.
    Cursor DragCursor() const;

    // From the router: the pointer moved (or left the window).
    void PointerMoved();

private:
    Object* SourceSeen() const;
    // DragOver to the control with the pointer in its client coordinates; answers Accept.
    bool DragOver(Control& target, DragState state, Point screen);
    void DragTo(Point screen);
    void Finish(bool drop);

    InputRouter& router_;
    DragObject* object_ = nullptr;
    bool ownsObject_ = false;
    WeakRef<Control> source_;
    WeakRef<DragObject> objectAlive_;
    Point start_;
    int threshold_ = DragThreshold;
    bool moving_ = false;
    bool accepted_ = false;
};

// The drag object of the drag under way (through the installed router); none without one.
DragObject* CurrentDragObject();

} // namespace fw
