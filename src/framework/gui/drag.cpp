#include "framework/gui/drag.h"

#include <cstdlib>
#include <memory>

#include "framework/gui/input.h"

namespace fw {

// --- Drag objects ---------------------------------------------------------------------------

Cursor DragObject::GetDragCursor(bool accepted, int /*x*/, int /*y*/)
{
    return accepted ? crDrag : crNoDrop;
}

void DragObject::EndDrag(Object* /*target*/, int /*x*/, int /*y*/) {}

void DragObject::Finished(Object* /*target*/, int /*x*/, int /*y*/, bool /*accepted*/) {}

Cursor DragControlObject::GetDragCursor(bool accepted, int x, int y)
{
    const Control* control = control_.Get();
    if (accepted && control != nullptr) {
        return control->DragCursor();
    }
    return DragObject::GetDragCursor(accepted, x, y);
}

void DragControlObject::EndDrag(Object* target, int x, int y)
{
    if (Control* control = control_.Get()) {
        control->DoEndDrag(target, x, y);
    }
}

// --- DragManager ----------------------------------------------------------------------------

DragManager::DragManager(InputRouter& router) : router_(router) {}

DragManager::~DragManager()
{
    // A drag still under way when the router goes tells nobody: its controls may be gone.
    if (ownsObject_ && objectAlive_) {
        delete object_;
    }
}

void DragManager::BeginDrag(Control& source, bool immediate, int threshold)
{
    if (object_ != nullptr) {
        return;
    }
    WeakRef<Control> sourceRef(&source);
    // The press that started the drag ends for the source now; the release ends the drag.
    if (source.DragMode() != DragMode::Automatic) {
        router_.ReleaseLeftPress(source);
    }
    // The drag takes the mouse over from whichever control held it (the child that got the
    // press, when its parent starts the drag).
    SetCaptureControl(nullptr);
    router_.CancelHint();
    if (!sourceRef) {
        return;
    }
    DragObject* supplied = nullptr;
    source.DoStartDrag(supplied);
    if (!sourceRef || object_ != nullptr) {
        return;
    }
    ownsObject_ = supplied == nullptr;
    object_ = ownsObject_ ? new DragControlObject(&source) : supplied;
    objectAlive_ = WeakRef<DragObject>(object_);
    source_ = sourceRef;
    start_ = router_.CursorPos();
    threshold_ = threshold < 0 ? DragThreshold : threshold;
    moving_ = false;
    accepted_ = false;
    object_->dragPos_ = start_;
    object_->dragTarget_.Reset();
    object_->dragTargetPos_ = Point{};
    object_->dropped_ = false;
    object_->cancelling_ = false;
    if (immediate) {
        DragTo(start_);
    }
    router_.UpdateCursor();
}

void DragManager::EndDrag(bool drop)
{
    Finish(drop);
}

Cursor DragManager::DragCursor() const
{
    if (object_ == nullptr || !moving_ || !objectAlive_) {
        return crDefault;
    }
    return object_->GetDragCursor(accepted_, object_->dragPos_.X, object_->dragPos_.Y);
}

void DragManager::PointerMoved()
{
    if (object_ == nullptr) {
        return;
    }
    if (!source_ || !objectAlive_) {
        // The source (or its drag object) went away: the drag cannot go on.
        Finish(false);
        return;
    }
    const Point at = router_.CursorPos();
    if (moving_ || std::abs(at.X - start_.X) >= threshold_ || std::abs(at.Y - start_.Y) >= threshold_) {
        DragTo(at);
    }
}

Object* DragManager::SourceSeen() const
{
    Control* source = source_.Get();
    if (ownsObject_ && source != nullptr) {
        return source;
    }
    return object_;
}

bool DragManager::DragOver(Control& target, DragState state, Point screen)
{
    const Point at = target.ScreenToClient(screen);
    bool accept = false;
    target.DragOver(SourceSeen(), at.X, at.Y, state, accept);
    return accept;
}

void DragManager::DragTo(Point screen)
{
    moving_ = true;
    WeakRef<DragObject> dragged(object_);
    // A handler may end the drag (or free its object); nothing more happens then.
    auto stillDragging = [&] { return dragged && object_ == dragged.Get(); };
    object_->dragPos_ = screen;
    Control* target = router_.ControlUnderPointer();
    Control* old = object_->DragTarget();
    if (target != old) {
        WeakRef<Control> targetRef(target);
        if (old != nullptr) {
            DragOver(*old, DragState::Leave, screen);
            if (!stillDragging()) {
                return;
            }
        }
        object_->dragTarget_ = targetRef;
        if (Control* entered = targetRef.Get()) {
            DragOver(*entered, DragState::Enter, screen);
            if (!stillDragging()) {
                return;
            }
        }
    }
    accepted_ = false;
    if (Control* over = object_->DragTarget()) {
        object_->dragTargetPos_ = over->ScreenToClient(screen);
        const bool accepted = DragOver(*over, DragState::Move, screen);
        if (!stillDragging()) {
            return;
        }
        accepted_ = accepted;
    }
    router_.UpdateCursor();
}

void DragManager::Finish(bool drop)
{
    if (object_ == nullptr || object_->cancelling_) {
        return;
    }
    DragObject* dragged = object_;
    WeakRef<DragObject> draggedRef(dragged);
    std::unique_ptr<DragObject> owned(ownsObject_ && objectAlive_ ? dragged : nullptr);
    dragged->cancelling_ = true;
    dragged->dropped_ = drop;
    const Point screen = dragged->dragPos_;
    Object* const source = SourceSeen();

    // The control under the pointer leaves the drag and, with its last answer, decides.
    bool accepted = false;
    WeakRef<Control> target(dragged->DragTarget());
    if (moving_ && target) {
        accepted = DragOver(*target.Get(), DragState::Leave, screen) && drop;
    }
    Point at{};
    if (Control* over = target.Get(); accepted && over != nullptr && draggedRef) {
        at = over->ScreenToClient(screen);
        over->DragDrop(source, at.X, at.Y);
    }
    Object* dropTarget = accepted ? target.Get() : nullptr;
    if (dropTarget == nullptr) {
        at = Point{};
    }

    // The drag is over before its end is told, so the end's handlers may start another.
    object_ = nullptr;
    ownsObject_ = false;
    objectAlive_.Reset();
    source_.Reset();
    moving_ = false;
    accepted_ = false;
    router_.UpdateCursor();
    if (draggedRef) {
        dragged->EndDrag(dropTarget, at.X, at.Y);
    }
    if (draggedRef) {
        dragged->Finished(dropTarget, at.X, at.Y, accepted);
    }
    if (!draggedRef) {
        // Freed by a handler after all: not ours to free again.
        (void)owned.release();
    }
}

DragObject* CurrentDragObject()
{
    InputRouter* router = InputRouter::Current();
    return router != nullptr ? router->Drag().CurrentDragObject() : nullptr;
}

} // namespace fw
