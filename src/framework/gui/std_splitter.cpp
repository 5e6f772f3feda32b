#include "framework/gui/std_splitter.h"

#include <algorithm>

namespace fw {

Splitter::Splitter(Component* owner) : GraphicControl(owner)
{
    SetControlStyle(ControlStyle().Include(ControlStyleFlag::Opaque));
    SetColor(clBtnFace);
    SetBounds(0, 0, 3, 100);
    SetAlign(fw::Align::Left);
}

bool Splitter::Horizontal() const
{
    return Align() == fw::Align::Left || Align() == fw::Align::Right;
}

int Splitter::SizeOf(const Control& control) const
{
    return Horizontal() ? control.Width() : control.Height();
}

Control* Splitter::ResizedControl() const
{
    const WinControl* parent = Parent();
    if (parent == nullptr || !Visible()) {
        return nullptr;
    }
    for (Control* sibling : parent->ControlList()) {
        if (sibling == this || !sibling->Visible() || sibling->Align() != Align()) {
            continue;
        }
        bool touches = false;
        switch (Align()) {
        case fw::Align::Left: touches = sibling->Left() + sibling->Width() == Left(); break;
        case fw::Align::Right: touches = sibling->Left() == Left() + Width(); break;
        case fw::Align::Top: touches = sibling->Top() + sibling->Height() == Top(); break;
        case fw::Align::Bottom: touches = sibling->Top() == Top() + Height(); break;
        default: break;
        }
        if (touches) {
            return sibling;
        }
    }
    return nullptr;
}

int Splitter::MaxSize(const Control& neighbour) const
{
    WinControl* parent = Parent();
    Rect area = parent->ClientRect();
    parent->AdjustClientRect(area);
    int room = Horizontal() ? area.Width() : area.Height();
    // Everything else aligned along the same axis keeps its size, and the rest of the
    // client area keeps MinSize.
    for (const Control* sibling : parent->ControlList()) {
        if (sibling == &neighbour || !sibling->Visible()) {
            continue;
        }
        const fw::Align align = sibling->Align();
        if (Horizontal() && (align == fw::Align::Left || align == fw::Align::Right)) {
            room -= sibling->Width();
        } else if (!Horizontal() && (align == fw::Align::Top || align == fw::Align::Bottom)) {
            room -= sibling->Height();
        }
    }
    return std::max(minSize_, room - minSize_);
}

void Splitter::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        if (Control* neighbour = ResizedControl()) {
            resizing_ = WeakRef<Control>(neighbour);
            startPoint_ = ClientToParent(Point{x, y});
            startSize_ = SizeOf(*neighbour);
            maxSize_ = MaxSize(*neighbour);
        }
    }
    GraphicControl::MouseDown(button, shift, x, y);
}

void Splitter::MouseMove(ShiftState shift, int x, int y)
{
    Control* neighbour = resizing_.Get();
    if (neighbour != nullptr && !shift.Contains(ShiftFlag::Left)) {
        EndDrag(true);
        neighbour = nullptr;
    }
    if (neighbour != nullptr) {
        const Point at = ClientToParent(Point{x, y});
        int delta = Horizontal() ? at.X - startPoint_.X : at.Y - startPoint_.Y;
        // The control grows as the splitter moves away from the parent's edge it sits on.
        if (Align() == fw::Align::Right || Align() == fw::Align::Bottom) {
            delta = -delta;
        }
        const int size = std::clamp(startSize_ + delta, minSize_, std::max(minSize_, maxSize_));
        if (size != SizeOf(*neighbour)) {
            if (Horizontal()) {
                neighbour->SetWidth(size);
            } else {
                neighbour->SetHeight(size);
            }
        }
    }
    GraphicControl::MouseMove(shift, x, y);
}

void Splitter::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    WeakRef<Splitter> self(this);
    if (button == MouseButton::Left) {
        EndDrag(true);
    }
    if (self) {
        GraphicControl::MouseUp(button, shift, x, y);
    }
}

void Splitter::EndDrag(bool finished)
{
    Control* neighbour = resizing_.Get();
    resizing_.Reset();
    if (finished && neighbour != nullptr && SizeOf(*neighbour) != startSize_ && onMoved_) {
        const NotifyEvent handler = onMoved_;
        handler(this);
    }
}

void Splitter::Dispatch(Message& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        // The cursor shows which way the splitter moves, whatever its alignment became.
        SetCursor(Horizontal() ? crHSplit : crVSplit);
        break;
    case WM_CAPTURECHANGED:
        if (message.LParam != 0) {
            EndDrag(true);
        }
        break;
    default: break;
    }
    GraphicControl::Dispatch(message);
}

void Splitter::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = Brush{Color()};
    canvas.FillRect(ClientRect());
}

} // namespace fw
