#include "framework/gui/control.h"

#include "framework/gui/menu.h"

#include <algorithm>

namespace fw {

namespace {

ShiftState ShiftFromBits(std::intptr_t bits)
{
    return ShiftState::FromBits(static_cast<std::uint32_t>(bits) & 0xFFFF);
}

bool IsEdge(fw::Align align)
{
    return align != fw::Align::None && align != fw::Align::Client;
}

bool IsSideEdge(fw::Align align)
{
    return align == fw::Align::Left || align == fw::Align::Right;
}

} // namespace

Control::Control(Component* owner) : Component(owner), canvas_(std::make_unique<fw::Canvas>(store_))
{
    canvas_->Font() = font_;
    canvas_->Brush().Color = color_;
}

Control::~Control()
{
    state_.Include(ControlStateFlag::Destroying);
    // Capture, focus and queued messages hold the liveness token: ending it first makes
    // them forget this control before anything of it is torn down.
    EndLiveness();
    RemoveFromPending();
    if (parent_ != nullptr) {
        parent_->RemoveChild(this);
    }
    peer_.reset();
}

// --- Parent ---------------------------------------------------------------------------------

void Control::SetParent(WinControl* parent)
{
    if (parent == parent_) {
        return;
    }
    if (parent != nullptr) {
        const Control* self = this;
        for (const Control* up = parent; up != nullptr; up = up->Parent()) {
            if (up == self) {
                throw EInvalidOperation("A control cannot have itself or one of its children as its parent");
            }
        }
    }
    if (parent_ != nullptr) {
        parent_->RemoveChild(this);
    }
    if (parent != nullptr) {
        parent->AddChild(this);
    }
}

bool Control::Showing() const
{
    for (const Control* control = this; control != nullptr; control = control->parent_) {
        if (!control->visible_) {
            return false;
        }
    }
    return true;
}

// --- Bounds ---------------------------------------------------------------------------------

void Control::ApplyConstraints(int& width, int& height) const
{
    if (constraints_.MaxWidth > 0) {
        width = std::min(width, constraints_.MaxWidth);
    }
    if (constraints_.MaxHeight > 0) {
        height = std::min(height, constraints_.MaxHeight);
    }
    width = std::max({width, constraints_.MinWidth, 0});
    height = std::max({height, constraints_.MinHeight, 0});
}

void Control::SetBounds(int left, int top, int width, int height)
{
    ApplyConstraints(width, height);
    const Rect wanted{left, top, left + width, top + height};
    if (wanted != bounds_) {
        PlaceBounds(left, top, width, height);
    }
    // Set from outside the layout: this is where the anchors hold the control from now on,
    // and an aligned control's new size changes its siblings' places.
    UpdateAnchorRules();
    RequestParentAlign();
}

void Control::PlaceBounds(int left, int top, int width, int height)
{
    ApplyConstraints(width, height);
    const Rect old = bounds_;
    bounds_ = Rect{left, top, left + width, top + height};
    if (bounds_ == old) {
        return;
    }
    const bool resized = old.Width() != width || old.Height() != height;
    const bool moved = old.Left != left || old.Top != top;
    if (resized) {
        ResizeStore();
        Invalidate();
    } else if (!windowed_ && !style_.Contains(ControlStyleFlag::Opaque)) {
        // What shows through a transparent windowless control depends on where it is.
        Invalidate();
    }
    if (peer_ != nullptr) {
        peer_->BoundsChanged(bounds_);
    }
    if (moved) {
        Perform(WM_MOVE, 0, PackPoint(left, top));
    }
    if (resized) {
        Perform(WM_SIZE, 0, PackPoint(width, height));
    }
}

void Control::SetConstraints(const SizeConstraints& constraints)
{
    constraints_ = constraints;
    SetBounds(Left(), Top(), Width(), Height());
}

Point Control::ClientOrigin() const
{
    Point origin{Left(), Top()};
    if (parent_ != nullptr) {
        const Point parentOrigin = parent_->ClientOrigin();
        origin.X += parentOrigin.X;
        origin.Y += parentOrigin.Y;
    }
    return origin;
}

Point Control::ClientToScreen(Point point) const
{
    const Point origin = ClientOrigin();
    return Point{point.X + origin.X, point.Y + origin.Y};
}

Point Control::ScreenToClient(Point point) const
{
    const Point origin = ClientOrigin();
    return Point{point.X - origin.X, point.Y - origin.Y};
}

void Control::SetAlign(fw::Align align)
{
    if (align == align_) {
        return;
    }
    const fw::Align old = align_;
    align_ = align;
    UpdateAnchorRules();
    // Moved from a side edge to the top or bottom (or back), the control turns its bounds
    // over: what was its thickness along the old edge stays its thickness along the new
    // one, and the length the old edge stretched it to does not become its thickness.
    if (IsEdge(old) && IsEdge(align) && IsSideEdge(old) != IsSideEdge(align)) {
        SetBounds(Left(), Top(), Height(), Width());
    }
    if (parent_ != nullptr && (old != fw::Align::None || align != fw::Align::None)) {
        parent_->Realign();
    }
}

void Control::SetAnchors(fw::Anchors anchors)
{
    anchors_ = anchors;
    UpdateAnchorRules();
}

void Control::UpdateAnchorRules()
{
    if (parent_ == nullptr || parent_->state_.Contains(ControlStateFlag::Aligning)) {
        anchorRulesValid_ = parent_ != nullptr && anchorRulesValid_;
        return;
    }
    anchorBounds_ = bounds_;
    anchorParentSize_ = Size{parent_->ClientWidth(), parent_->ClientHeight()};
    anchorRulesValid_ = true;
}

void Control::ApplyAnchors(Size parentSize)
{
    if (!anchorRulesValid_ || align_ != fw::Align::None) {
        return;
    }
    // Along each axis: held at both ends the control stretches, at the far end alone it
    // moves, at neither its middle keeps its place relative to the middle of the parent.
    auto follow = [](int& low, int& high, bool nearHeld, bool farHeld, int delta) {
        if (nearHeld && farHeld) {
            high += delta;
        } else if (farHeld) {
            low += delta;
            high += delta;
        } else if (!nearHeld) {
            low += delta / 2;
            high += delta / 2;
        }
    };
    Rect placed = anchorBounds_;
    follow(placed.Left, placed.Right, anchors_.Contains(AnchorKind::Left), anchors_.Contains(AnchorKind::Right),
           parentSize.Width - anchorParentSize_.Width);
    follow(placed.Top, placed.Bottom, anchors_.Contains(AnchorKind::Top), anchors_.Contains(AnchorKind::Bottom),
           parentSize.Height - anchorParentSize_.Height);
    PlaceBounds(placed.Left, placed.Top, placed.Width(), placed.Height());
}

void Control::RequestParentAlign()
{
    if (parent_ != nullptr && align_ != fw::Align::None && !parent_->state_.Contains(ControlStateFlag::Aligning)) {
        parent_->Realign();
    }
}

void Control::BringToFront()
{
    if (parent_ != nullptr) {
        parent_->MoveChild(this, true);
    }
}

void Control::SendToBack()
{
    if (parent_ != nullptr) {
        parent_->MoveChild(this, false);
    }
}

// --- Visibility and state -------------------------------------------------------------------

void Control::SetVisible(bool visible)
{
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    WeakRef<Control> self(this);
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
    if (self && parent_ != nullptr && align_ != fw::Align::None) {
        parent_->Realign();
    }
}

void Control::SetEnabled(bool enabled)
{
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED);
}

void Control::Loaded()
{
    state_.Exclude(ControlStateFlag::Loading);
    UpdateAnchorRules();
}

// --- Looks ----------------------------------------------------------------------------------

void Control::SetColor(fw::Color colour)
{
    parentColor_ = false;
    if (colour != color_) {
        color_ = colour;
        Perform(CM_COLORCHANGED);
    }
}

void Control::SetParentColor(bool parentColor)
{
    parentColor_ = parentColor;
    if (parentColor) {
        ParentColorChanged();
    }
}

void Control::ParentColorChanged()
{
    if (parentColor_ && parent_ != nullptr && parent_->Color() != color_) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
    }
}

void Control::SetFont(const fw::Font& font)
{
    parentFont_ = false;
    if (font != font_) {
        font_ = font;
        Perform(CM_FONTCHANGED);
    }
}

void Control::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    if (parentFont) {
        ParentFontChanged();
    }
}

void Control::ParentFontChanged()
{
    if (parentFont_ && parent_ != nullptr && parent_->Font() != font_) {
        font_ = parent_->Font();
        Perform(CM_FONTCHANGED);
    }
}

void Control::SetText(const std::string& text)
{
    if (text != text_) {
        text_ = text;
        Perform(CM_TEXTCHANGED);
    }
}

void Control::SetShowHint(bool showHint)
{
    parentShowHint_ = false;
    if (showHint != showHint_) {
        showHint_ = showHint;
        Perform(CM_SHOWHINTCHANGED);
    }
}

void Control::SetParentShowHint(bool parentShowHint)
{
    parentShowHint_ = parentShowHint;
    if (parentShowHint) {
        ParentShowHintChanged();
    }
}

void Control::ParentShowHintChanged()
{
    if (parentShowHint_ && parent_ != nullptr && parent_->ShowHint() != showHint_) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED);
    }
}

void Control::SetCursor(fw::Cursor cursor)
{
    if (cursor != cursor_) {
        cursor_ = cursor;
        Perform(CM_CURSORCHANGED);
    }
}

void Control::SetPopupMenu(Component* menu)
{
    if (menu == popupMenu_) {
        return;
    }
    if (popupMenu_ != nullptr) {
        RemoveFreeNotification(popupMenu_);
    }
    popupMenu_ = menu;
    if (menu != nullptr) {
        FreeNotification(menu);
    }
}

void Control::Notification(Component* component, Operation operation)
{
    Component::Notification(component, operation);
    if (operation == Operation::Remove && component == popupMenu_) {
        popupMenu_ = nullptr;
    }
}

// --- Peer and capture ------------------------------------------------------------------------

void Control::SetPeer(std::unique_ptr<ControlPeer> peer)
{
    peer_ = std::move(peer);
}

void Control::SetMouseCapture(bool capture)
{
    if (capture) {
        SetCaptureControl(this);
    } else if (MouseCapture()) {
        SetCaptureControl(nullptr);
    }
}

// --- Messages -------------------------------------------------------------------------------

void Control::Dispatch(Message& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (!style_.Contains(ControlStyleFlag::NoStdEvents)) {
            const Point at = UnpackPoint(message.LParam);
            MouseMove(ShiftFromBits(message.WParam), at.X, at.Y);
        }
        break;
    case WM_LBUTTONDOWN:
        HandleMouseButton(message, MouseButton::Left, true, false);
        break;
    case WM_RBUTTONDOWN:
        HandleMouseButton(message, MouseButton::Right, true, false);
        break;
    case WM_MBUTTONDOWN:
        HandleMouseButton(message, MouseButton::Middle, true, false);
        break;
    case WM_LBUTTONDBLCLK:
        HandleMouseButton(message, MouseButton::Left, true, style_.Contains(ControlStyleFlag::DoubleClicks));
        break;
    case WM_RBUTTONDBLCLK:
        HandleMouseButton(message, MouseButton::Right, true, style_.Contains(ControlStyleFlag::DoubleClicks));
        break;
    case WM_MBUTTONDBLCLK:
        HandleMouseButton(message, MouseButton::Middle, true, style_.Contains(ControlStyleFlag::DoubleClicks));
        break;
    case WM_LBUTTONUP:
        HandleMouseButton(message, MouseButton::Left, false, false);
        break;
    case WM_RBUTTONUP:
        HandleMouseButton(message, MouseButton::Right, false, false);
        break;
    case WM_MBUTTONUP:
        HandleMouseButton(message, MouseButton::Middle, false, false);
        break;
    case WM_MOUSEWHEEL:
        HandleMouseWheel(message);
        break;
    case WM_CONTEXTMENU:
        HandleContextMenu(message);
        break;
    case WM_SIZE:
        Resize();
        break;
    case WM_ERASEBKGND:
        EraseBackground();
        message.Result = 1;
        break;
    case WM_PAINT:
        Paint();
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        break;
    case CM_ENABLEDCHANGED:
        Invalidate();
        if (peer_ != nullptr) {
            peer_->EnabledChanged(enabled_);
        }
        break;
    case CM_VISIBLECHANGED:
        if (visible_) {
            Invalidate();
        }
        if (peer_ != nullptr) {
            peer_->VisibleChanged(visible_);
        }
        break;
    case CM_COLORCHANGED:
        canvas_->Brush().Color = color_;
        Invalidate();
        break;
    case CM_FONTCHANGED:
        canvas_->Font() = font_;
        Invalidate();
        break;
    case CM_TEXTCHANGED:
        Invalidate();
        if (peer_ != nullptr) {
            peer_->TextChanged(text_);
        }
        break;
    case CM_CURSORCHANGED:
        if (peer_ != nullptr) {
            peer_->CursorChanged(cursor_);
        }
        break;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        break;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        break;
    case CM_PARENTSHOWHINTCHANGED:
        ParentShowHintChanged();
        break;
    default:
        MessageTarget::Dispatch(message);
        break;
    }
}

void Control::HandleMouseButton(Message& message, MouseButton button, bool down, bool doubleClick)
{
    const Point at = UnpackPoint(message.LParam);
    ShiftState shift = ShiftFromBits(message.WParam);
    WeakRef<Control> self(this);
    if (down) {
        if (button == MouseButton::Left && dragMode_ == fw::DragMode::Automatic && !doubleClick) {
            BeginDrag(true);
            return;
        }
        if (style_.Contains(ControlStyleFlag::CaptureMouse)) {
            SetMouseCapture(true);
        }
        // A double click makes DblClick and then a press marked Double; it never sets
        // "clicked", so its release makes no second Click.
        if (button == MouseButton::Left && style_.Contains(ControlStyleFlag::ClickEvents)) {
            if (doubleClick) {
                DblClick();
            } else {
                state_.Include(ControlStateFlag::Clicked);
            }
        }
        if (doubleClick) {
            shift.Include(ShiftFlag::Double);
        }
        if (self && !style_.Contains(ControlStyleFlag::NoStdEvents)) {
            MouseDown(button, shift, at.X, at.Y);
        }
        return;
    }
    if (style_.Contains(ControlStyleFlag::CaptureMouse)) {
        SetMouseCapture(false);
    }
    if (button == MouseButton::Left && state_.Contains(ControlStateFlag::Clicked)) {
        state_.Exclude(ControlStateFlag::Clicked);
        const Rect client = ClientRect();
        if (at.X >= client.Left && at.X < client.Right && at.Y >= client.Top && at.Y < client.Bottom) {
            Click();
        }
    }
    // The click may have freed the control (a button that closes its form).
    if (self && !style_.Contains(ControlStyleFlag::NoStdEvents)) {
        MouseUp(button, shift, at.X, at.Y);
    }
    // As on the platform, the right button's release asks for the context menu after the
    // mouse-up event.
    if (self && button == MouseButton::Right) {
        const Point screen = ClientToScreen(at);
        Perform(WM_CONTEXTMENU, reinterpret_cast<std::intptr_t>(this), PackPoint(screen.X, screen.Y));
    }
}

void Control::HandleContextMenu(Message& message)
{
    const Point screen = UnpackPoint(message.LParam);
    bool handled = false;
    DoContextPopup(ScreenToClient(screen), handled);
    if (handled) {
        message.Result = 1;
        return;
    }
    auto* menu = dynamic_cast<fw::PopupMenu*>(popupMenu_);
    if (menu != nullptr && menu->AutoPopup()) {
        menu->SetPopupComponent(this);
        menu->Popup(screen.X, screen.Y);
        message.Result = 1;
        return;
    }
    // Without a menu of its own the control's parent offers its menu.
    if (parent_ != nullptr) {
        message.Result = parent_->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
    }
}

void Control::DoContextPopup(Point mousePos, bool& handled)
{
    if (onContextPopup_) {
        onContextPopup_(this, mousePos, handled);
    }
}

void Control::HandleMouseWheel(Message& message)
{
    const ShiftState shift = ShiftFromBits(message.WParam);
    const int delta = HighPart(message.WParam);
    message.Result = DoMouseWheel(shift, delta, UnpackPoint(message.LParam)) ? 1 : 0;
}

void Control::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (onMouseDown_) {
        onMouseDown_(this, button, shift, x, y);
    }
}

void Control::MouseMove(ShiftState shift, int x, int y)
{
    if (onMouseMove_) {
        onMouseMove_(this, shift, x, y);
    }
}

void Control::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (onMouseUp_) {
        onMouseUp_(this, button, shift, x, y);
    }
}

void Control::Click()
{
    if (onClick_) {
        onClick_(this);
    }
}

void Control::DblClick()
{
    if (onDblClick_) {
        onDblClick_(this);
    }
}

bool Control::DoMouseWheel(ShiftState shift, int wheelDelta, Point mousePos)
{
    bool handled = false;
    if (onMouseWheel_) {
        onMouseWheel_(this, shift, wheelDelta, mousePos, handled);
    }
    if (!handled) {
        handled = wheelDelta < 0 ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool Control::DoMouseWheelDown(ShiftState shift, Point mousePos)
{
    bool handled = false;
    if (onMouseWheelDown_) {
        onMouseWheelDown_(this, shift, mousePos, handled);
    }
    return handled;
}

bool Control::DoMouseWheelUp(ShiftState shift, Point mousePos)
{
    bool handled = false;
    if (onMouseWheelUp_) {
        onMouseWheelUp_(this, shift, mousePos, handled);
    }
    return handled;
}

void Control::CMMouseEnter(Message& /*message*/)
{
    if (onMouseEnter_) {
        onMouseEnter_(this);
    }
}

void Control::CMMouseLeave(Message& /*message*/)
{
    if (onMouseLeave_) {
        onMouseLeave_(this);
    }
}

void Control::Resize()
{
    if (onResize_) {
        onResize_(this);
    }
}

void Control::DragOver(Object* source, int x, int y, DragState state, bool& accept)
{
    accept = false;
    if (onDragOver_) {
        accept = true;
        onDragOver_(this, source, x, y, state, accept);
    }
}

void Control::DragDrop(Object* source, int x, int y)
{
    if (onDragDrop_) {
        onDragDrop_(this, source, x, y);
    }
}

void Control::DoStartDrag(DragObject*& dragObject)
{
    if (onStartDrag_) {
        onStartDrag_(this, dragObject);
    }
}

void Control::DoEndDrag(Object* target, int x, int y)
{
    if (onEndDrag_) {
        onEndDrag_(this, target, x, y);
    }
}

// --- GraphicControl, CustomControl ----------------------------------------------------------------

GraphicControl::GraphicControl(Component* owner) : Control(owner) {}

CustomControl::CustomControl(Component* owner) : WinControl(owner) {}

} // namespace fw
