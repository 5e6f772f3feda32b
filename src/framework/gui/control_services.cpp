// The program-wide state of the control layer: mouse capture, the built-in focus, the
// default paint backend.

#include "framework/gui/control.h"

namespace fw {

namespace {

// Guarded pointers: a destroyed control drops its capture and focus by itself.
WeakRef<Control> capturedControl;
WeakRef<WinControl> builtInFocus;
FocusService* focusService = nullptr;
DragService* dragService = nullptr;
PaintBackend* defaultBackend = nullptr;

} // namespace

Control* CaptureControl()
{
    return capturedControl.Get();
}

void SetCaptureControl(Control* control)
{
    WeakRef<Control> old = capturedControl;
    if (old.Get() == control) {
        return;
    }
    capturedControl = WeakRef<Control>(control);
    if (Control* previous = old.Get()) {
        previous->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<std::intptr_t>(control));
        if (old && previous->Peer() != nullptr) {
            previous->Peer()->CaptureChanged(false);
        }
    }
    if (control != nullptr && control->Peer() != nullptr) {
        control->Peer()->CaptureChanged(true);
    }
}

FocusService* SetFocusService(FocusService* service)
{
    FocusService* previous = focusService;
    focusService = service;
    return previous;
}

WinControl* FocusedControl()
{
    return focusService != nullptr ? focusService->FocusedControl() : builtInFocus.Get();
}

DragService* SetDragService(DragService* service)
{
    DragService* previous = dragService;
    dragService = service;
    return previous;
}

void Control::BeginDrag(bool immediate, int threshold)
{
    if (dragService != nullptr) {
        dragService->BeginDrag(*this, immediate, threshold);
    }
}

void Control::EndDrag(bool drop)
{
    if (dragService != nullptr && Dragging()) {
        dragService->EndDrag(drop);
    }
}

bool Control::Dragging() const
{
    return dragService != nullptr && dragService->DragSource() == this;
}

void SetDefaultPaintBackend(PaintBackend* backend)
{
    defaultBackend = backend;
}

PaintBackend* DefaultPaintBackend()
{
    return defaultBackend;
}

void WinControl::SetFocus()
{
    if (focusService != nullptr) {
        focusService->SetFocus(*this);
        return;
    }
    WeakRef<WinControl> old = builtInFocus;
    if (old.Get() == this) {
        return;
    }
    WeakRef<WinControl> self(this);
    builtInFocus = self;
    if (WinControl* previous = old.Get()) {
        previous->Perform(CM_EXIT);
        if (WinControl* stillThere = old.Get()) {
            stillThere->Perform(WM_KILLFOCUS, reinterpret_cast<std::intptr_t>(this));
        }
    }
    // The old control's exit handler may have moved the focus elsewhere or freed us.
    if (!self || builtInFocus.Get() != this) {
        return;
    }
    Perform(CM_ENTER);
    if (self) {
        Perform(WM_SETFOCUS, reinterpret_cast<std::intptr_t>(old.Get()));
    }
    if (self && Peer() != nullptr) {
        Peer()->FocusRequested();
    }
}

bool WinControl::Focused() const
{
    return FocusedControl() == this;
}

} // namespace fw
