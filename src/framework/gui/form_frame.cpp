// The frames a form draws itself: an MDI child's border and caption bar, a docked form's
// grabber; and what pressing and dragging them does.

#include <algorithm>
#include <cstdlib>

#include "framework/gui/dock.h"
#include "framework/gui/drag.h"
#include "framework/gui/form.h"
#include "framework/gui/mdi.h"

namespace fw {

namespace {

bool Inside(const Rect& rect, Point point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

} // namespace

Rect Form::FrameInsets() const
{
    if (IsMdiChild()) {
        const int border = windowState_ == fw::WindowState::Maximized ? 0 : MdiFrameWidth;
        return Rect{border, border + MdiCaptionHeight, border, border};
    }
    if (HostDockSite() != nullptr) {
        return Rect{0, DockGrabberHeight, 0, 0};
    }
    return Rect{};
}

std::optional<CaptionBarLayout> Form::CaptionBar() const
{
    if (IsMdiChild()) {
        const int border = FrameInsets().Left;
        const Rect bar{border, border, Width() - border, border + MdiCaptionHeight};
        std::vector<CaptionButton> buttons;
        switch (windowState_) {
        case fw::WindowState::Normal: buttons = {CaptionButton::Minimize, CaptionButton::Maximize}; break;
        case fw::WindowState::Maximized: buttons = {CaptionButton::Minimize, CaptionButton::Restore}; break;
        case fw::WindowState::Minimized: buttons = {CaptionButton::Restore, CaptionButton::Maximize}; break;
        }
        buttons.push_back(CaptionButton::Close);
        return LayoutCaptionBar(bar, buttons, MdiCaptionButtonSize);
    }
    if (HostDockSite() != nullptr) {
        return LayoutCaptionBar(Rect{0, 0, Width(), DockGrabberHeight}, {CaptionButton::Close}, DockCaptionButtonSize);
    }
    return std::nullopt;
}

void Form::AdjustClientRect(Rect& rect)
{
    WinControl::AdjustClientRect(rect);
    const Rect insets = FrameInsets();
    const int left = rect.Left + insets.Left;
    const int top = rect.Top + insets.Top;
    rect = Rect{left, top, std::max(left, rect.Right - insets.Right), std::max(top, rect.Bottom - insets.Bottom)};
}

void Form::Paint()
{
    const std::optional<CaptionBarLayout> bar = CaptionBar();
    if (!bar) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    bool active = false;
    if (IsMdiChild()) {
        const MdiClient* client = ParentClient();
        active = client != nullptr && client->ActiveChild() == this;
        const Rect insets = FrameInsets();
        if (insets.Left > 0) {
            // A raised edge with a ring of button face inside it, whatever the form's colour.
            const Rect inner = canvas.DrawEdge(ClientRect(), EDGE_RAISED, BF_RECT);
            const Brush saved = canvas.Brush();
            canvas.Brush() = Brush{clBtnFace};
            for (const Rect& strip : {Rect{inner.Left, inner.Top, inner.Right, inner.Top + 1},
                                      Rect{inner.Left, inner.Bottom - 1, inner.Right, inner.Bottom},
                                      Rect{inner.Left, inner.Top, inner.Left + 1, inner.Bottom},
                                      Rect{inner.Right - 1, inner.Top, inner.Right, inner.Bottom}}) {
                canvas.FillRect(strip);
            }
            canvas.Brush() = saved;
        }
    }
    const CaptionButton pressed = frameDrag_.ButtonShown ? frameDrag_.Button : CaptionButton::None;
    PaintCaptionBar(canvas, *bar, Caption(), Font(), active, IsMdiChild(), pressed);
}

void Form::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    const Point point{x, y};
    const std::optional<CaptionBarLayout> bar = CaptionBar();
    if (button == MouseButton::Left && bar && Inside(bar->Bar, point)) {
        frameDrag_ = FrameDrag{};
        frameDrag_.StartScreen = ClientToScreen(point);
        frameDrag_.StartPos = Point{Left(), Top()};
        const CaptionButton hit = CaptionButtonAt(*bar, point);
        if (hit != CaptionButton::None) {
            frameDrag_.Button = hit;
            frameDrag_.ButtonShown = true;
            InvalidateRect(bar->Bar);
        } else if (IsMdiChild()) {
            frameDrag_.Moving = windowState_ == fw::WindowState::Normal;
        } else if (dragKind_ == fw::DragKind::Dock) {
            frameDrag_.Grabbing = true;
        }
    }
    WinControl::MouseDown(button, shift, x, y);
}

void Form::MouseMove(ShiftState shift, int x, int y)
{
    const bool held = frameDrag_.Button != CaptionButton::None || frameDrag_.Moving || frameDrag_.Grabbing;
    if (held && !shift.Contains(ShiftFlag::Left)) {
        // The release went elsewhere (a dialog took the mouse): nothing is held any more.
        EndFrameDrag();
    } else if (frameDrag_.Button != CaptionButton::None) {
        const std::optional<CaptionBarLayout> bar = CaptionBar();
        const bool over = bar && CaptionButtonAt(*bar, Point{x, y}) == frameDrag_.Button;
        if (bar && over != frameDrag_.ButtonShown) {
            frameDrag_.ButtonShown = over;
            InvalidateRect(bar->Bar);
        }
    } else if (frameDrag_.Moving || frameDrag_.Grabbing) {
        const Point screen = ClientToScreen(Point{x, y});
        const int dx = screen.X - frameDrag_.StartScreen.X;
        const int dy = screen.Y - frameDrag_.StartScreen.Y;
        if (frameDrag_.Moving) {
            SetBounds(frameDrag_.StartPos.X + dx, frameDrag_.StartPos.Y + dy, Width(), Height());
        } else {
            if (!frameDrag_.Docking && (std::abs(dx) >= DragThreshold || std::abs(dy) >= DragThreshold)) {
                frameDrag_.Docking = true;
                BeginDockDrag(*this, frameDrag_.StartScreen);
            }
            if (frameDrag_.Docking) {
                DockDragMove(screen);
            }
        }
    }
    WinControl::MouseMove(shift, x, y);
}

void Form::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    WeakRef<Form> self(this);
    if (button == MouseButton::Left) {
        const FrameDrag drag = std::exchange(frameDrag_, FrameDrag{});
        const Point screen = ClientToScreen(Point{x, y});
        if (drag.Button != CaptionButton::None) {
            const std::optional<CaptionBarLayout> bar = CaptionBar();
            if (bar) {
                InvalidateRect(bar->Bar);
            }
            if (bar && CaptionButtonAt(*bar, Point{x, y}) == drag.Button) {
                CaptionButtonClicked(drag.Button);
            }
        } else if (drag.Docking) {
            EndDockDrag(screen, true);
        }
    }
    if (self) {
        WinControl::MouseUp(button, shift, x, y);
    }
}

void Form::EndFrameDrag()
{
    const FrameDrag drag = std::exchange(frameDrag_, FrameDrag{});
    if (drag.Docking && DockDragForm() == this) {
        EndDockDrag(drag.StartScreen, false);
    }
    if (drag.ButtonShown) {
        Invalidate();
    }
}

void Form::CaptionButtonClicked(CaptionButton button)
{
    switch (button) {
    case CaptionButton::Close: Close(); break;
    case CaptionButton::Minimize: SetWindowState(fw::WindowState::Minimized); break;
    case CaptionButton::Maximize: SetWindowState(fw::WindowState::Maximized); break;
    case CaptionButton::Restore: SetWindowState(fw::WindowState::Normal); break;
    case CaptionButton::None: break;
    }
}

} // namespace fw
