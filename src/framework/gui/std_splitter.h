#pragma once

#include <string_view>

#include "framework/gui/control.h"

namespace fw {

// A thin bar between two aligned controls that the user drags to resize one of them. It is
// aligned like the control it resizes and sits right next to it, on the side away from the
// parent's edge: a left-aligned splitter resizes the left-aligned control whose right edge
// touches it, a right-aligned one the right-aligned control whose left edge touches it (and
// so for top and bottom). Dragging it changes that control's width (or height) as the
// pointer moves, never below MinSize and never so far that less than MinSize remains for
// the rest of the parent's client area; the layout then moves the splitter along. OnMoved
// runs once the drag has ended when the size changed. A hidden splitter takes no input, and
// one with no such neighbour does nothing.
class Splitter : public GraphicControl {
public:
    // Aligned left, 3 pixels wide, MinSize 30.
    explicit Splitter(Component* owner = nullptr);

    std::string_view className() const override { return "TSplitter"; }

    int MinSize() const { return minSize_; }
    void SetMinSize(int minSize) { minSize_ = minSize < 1 ? 1 : minSize; }

    // The control the splitter resizes now; none.
    Control* ResizedControl() const;

    const NotifyEvent& OnMoved() const { return onMoved_; }
    void SetOnMoved(NotifyEvent handler) { onMoved_ = std::move(handler); }

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void Dispatch(Message& message) override;

protected:
    void Paint() override;

private:
    bool Horizontal() const;
    int SizeOf(const Control& control) const;
    // The largest size the neighbour may take.
    int MaxSize(const Control& neighbour) const;
    void EndDrag(bool finished);

    int minSize_ = 30;
    NotifyEvent onMoved_;
    WeakRef<Control> resizing_;
    Point startPoint_; // the pointer in the parent's client coordinates
    int startSize_ = 0;
    int maxSize_ = 0;
};

} // namespace fw
