#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/region.h"
#include "framework/core/system_colours.h"
#include "framework/gui/enum_set.h"
#include "framework/gui/message.h"

namespace fw {

class PaintBackend;
class Control;
class WinControl;
// The object an in-application drag carries (the input layer's drag.h).
class DragObject;
// What a dock drag carries to the dock sites it passes (dock.h).
class DragDockObject;

// A request the control layer cannot carry out, such as making a control its own parent.
FW_DECLARE_EXCEPTION(EInvalidOperation, Exception);

// --- Small value types ---------------------------------------------------------------------

enum class Align { None, Top, Bottom, Left, Right, Client };

enum class AnchorKind { Left, Top, Right, Bottom };
using Anchors = EnumSet<AnchorKind>;

enum class ControlStyleFlag {
    AcceptsControls, // meant as a container (a mark for the class; any WinControl may hold children)
    CaptureMouse,    // a press captures the mouse until the release
    ClickEvents,     // a press and release inside make a Click
    DoubleClicks,    // takes double clicks as such (else a second press)
    Opaque,          // paints its whole client area itself: nothing is erased underneath
    FixedWidth,
    FixedHeight,
    NoStdEvents, // mouse messages do not reach MouseDown/Move/Up and their events
};
using ControlStyle = EnumSet<ControlStyleFlag>;

enum class ControlStateFlag {
    Clicked,    // a press set it; the release turns it into a Click
    Creating,   // set by a class for its own construction
    Loading,    // a form is being built: layout waits for Loaded()
    Destroying, // the destructor has begun
    Painting,   // inside Paint
    Aligning,   // inside AlignControls
    Focusing,   // focus is moving to it
};
using ControlState = EnumSet<ControlStateFlag>;

// Mouse cursors by the platform's numbers.
using Cursor = int;
inline constexpr Cursor crDefault = 0;
inline constexpr Cursor crNone = -1;
inline constexpr Cursor crArrow = -2;
inline constexpr Cursor crCross = -3;
inline constexpr Cursor crIBeam = -4;
inline constexpr Cursor crSizeNESW = -6;
inline constexpr Cursor crSizeNS = -7;
inline constexpr Cursor crSizeNWSE = -8;
inline constexpr Cursor crSizeWE = -9;
inline constexpr Cursor crUpArrow = -10;
inline constexpr Cursor crHourGlass = -11;
inline constexpr Cursor crDrag = -12;
inline constexpr Cursor crNoDrop = -13;
inline constexpr Cursor crHSplit = -14;
inline constexpr Cursor crVSplit = -15;
inline constexpr Cursor crMultiDrag = -16;
inline constexpr Cursor crNo = -18;
inline constexpr Cursor crAppStart = -19;
inline constexpr Cursor crHelp = -20;
inline constexpr Cursor crHandPoint = -21;
inline constexpr Cursor crSizeAll = -22;

// Limits on a control's size; 0 means no limit.
struct SizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    friend bool operator==(const SizeConstraints&, const SizeConstraints&) = default;
};

enum class DragMode { Manual, Automatic };
enum class DragState { Enter, Leave, Move };

// --- Events -------------------------------------------------------------------------------
// Empty functions mean "not assigned". The sender is the control.
using NotifyEvent = std::function<void(Object* sender)>;
using MouseEvent = std::function<void(Object* sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Object* sender, ShiftState shift, int x, int y)>;
using MouseWheelEvent =
    std::function<void(Object* sender, ShiftState shift, int wheelDelta, Point mousePos, bool& handled)>;
using MouseWheelUpDownEvent = std::function<void(Object* sender, ShiftState shift, Point mousePos, bool& handled)>;
using KeyEvent = std::function<void(Object* sender, int& key, ShiftState shift)>;
using KeyPressEvent = std::function<void(Object* sender, char32_t& key)>;
using DragOverEvent =
    std::function<void(Object* sender, Object* source, int x, int y, DragState state, bool& accept)>;
using DragDropEvent = std::function<void(Object* sender, Object* source, int x, int y)>;
using StartDragEvent = std::function<void(Object* sender, DragObject*& dragObject)>;
using EndDragEvent = std::function<void(Object* sender, Object* target, int x, int y)>;
// Docking (dock.h): a dock site asked whether it takes the control a dock drag carries, told
// that it took it, and asked whether a docked control may leave it (for newTarget, none when
// the control is to float).
using DockOverEvent =
    std::function<void(Object* sender, DragDockObject* source, int x, int y, DragState state, bool& accept)>;
using DockDropEvent = std::function<void(Object* sender, DragDockObject* source, int x, int y)>;
using UnDockEvent = std::function<void(Object* sender, Control* client, WinControl* newTarget, bool& allow)>;
// mousePos in client coordinates; setting handled keeps the popup menu closed.
using ContextPopupEvent = std::function<void(Object* sender, Point mousePos, bool& handled)>;

// --- The peer --------------------------------------------------------------------------------

// The window that shows a control on screen (the Qt widget), attached only while the
// control is shown. The control tells it what changed; the peer forwards input back to the
// control's messages and, when asked to update, calls Control::Update() and shows
// BackingStore(). Every method may be left as it is by a peer that does not care.
class ControlPeer {
public:
    ControlPeer() = default;
    virtual ~ControlPeer() = default;
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    // The backing store has new pixels in `area` (client coordinates) or an invalid area
    // waits for painting: show the control again soon.
    virtual void UpdateRequested(const Rect& area) { (void)area; }
    virtual void VisibleChanged(bool visible) { (void)visible; }
    // Left, top, right and bottom in the parent's client coordinates (the screen for a
    // control without a parent).
    virtual void BoundsChanged(const Rect& bounds) { (void)bounds; }
    virtual void EnabledChanged(bool enabled) { (void)enabled; }
    virtual void CaptureChanged(bool captured) { (void)captured; }
    virtual void CursorChanged(Cursor cursor) { (void)cursor; }
    // The caption (a form's window title).
    virtual void TextChanged(const std::string& text) { (void)text; }
    // A form's window icon.
    virtual void IconChanged() {}
    // Moved in its parent's child list (BringToFront, SendToBack) or to another parent.
    virtual void ZOrderChanged() {}
    virtual void ParentChanged() {}
    // The control took the focus (its window should have the keyboard).
    virtual void FocusRequested() {}
};

// Where focus lives and moves is the input layer's business; WinControl::SetFocus and
// Focused go through this service when one is installed. Without one, focus is a single
// program-wide control: SetFocus sends WM_KILLFOCUS / CM_EXIT to the old one and
// CM_ENTER / WM_SETFOCUS to the new one.
class FocusService {
public:
    FocusService() = default;
    virtual ~FocusService() = default;
    FocusService(const FocusService&) = delete;
    FocusService& operator=(const FocusService&) = delete;

    virtual void SetFocus(WinControl& control) = 0;
    virtual WinControl* FocusedControl() const = 0;
};
// Answers the previous service; none restores the built-in one. Not owned.
FocusService* SetFocusService(FocusService* service);
// The focused control of the built-in or installed service.
WinControl* FocusedControl();

// In-application drag is the input layer's business too; Control::BeginDrag, EndDrag and
// Dragging go through this service. Without one, BeginDrag does nothing.
class DragService {
public:
    DragService() = default;
    virtual ~DragService() = default;
    DragService(const DragService&) = delete;
    DragService& operator=(const DragService&) = delete;

    // threshold < 0: the platform's default distance.
    virtual void BeginDrag(Control& control, bool immediate, int threshold) = 0;
    virtual void EndDrag(bool drop) = 0;
    // The control being dragged, none when no drag runs.
    virtual Control* DragSource() const = 0;
};
// Answers the previous service. Not owned.
DragService* SetDragService(DragService* service);

// The control that has the mouse captured: mouse messages go to it whatever lies under
// the pointer. Setting another releases the previous one (it gets WM_CAPTURECHANGED); the
// peers of both are told. A destroyed control releases its capture.
Control* CaptureControl();
void SetCaptureControl(Control* control);

// The paint backend of every control that has none of its own and no parent with one
// (text needs one; the program sets the Qt backend, tests the fake one). Not owned.
void SetDefaultPaintBackend(PaintBackend* backend);
PaintBackend* DefaultPaintBackend();

// Paints every control with an invalid area that is not inside an update bracket, in the
// order they were first invalidated; controls invalidated while this runs (transparent
// children over a repainted parent) are painted too. Answers how many were painted. The
// application runs it after the posted messages.
int PaintPendingControls();
bool HasPendingPaints();

// --- Control -----------------------------------------------------------------------------

// A rectangle on screen with an owner (who frees it) and a parent (whose client area it
// sits in). Positions are in the parent's client coordinates; a control without a parent
// has screen coordinates. There is no non-client area: the client area is the whole
// control, (0, 0, Width, Height), and borders are painted inside it (AdjustClientRect
// keeps aligned children off them).
//
// Painting: every control has a backing store, a bitmap of its client size. Invalidate
// adds to an invalid region and asks for a paint later (PaintPendingControls or the
// peer); Update paints the invalid region now; Repaint is both. A paint erases the
// background (WM_ERASEBKGND: a windowed control fills with Color, a windowless one that is
// not Opaque copies its parent's pixels under it) and then runs Paint() with the canvas
// clipped to the invalid region. Canvas() may be drawn on at any time: drawing outside
// Paint goes straight into the store and stays until the next paint of that area, as
// immediate drawing on the platform does. Inside BeginUpdate/EndUpdate (of the control or
// any parent) nothing is painted; the outermost EndUpdate repaints once if anything was
// invalidated.
class Control : public Component, public MessageTarget {
public:
    explicit Control(Component* owner = nullptr);
    ~Control() override;

    std::string_view className() const override { return "TControl"; }

    // --- Parent -----------------------------------------------------------------------
    WinControl* Parent() const { return parent_; }
    // Leaves the old parent's child list (the end of it) and joins the new one's at the
    // end; the parent is told before (CM_CONTROLLISTCHANGING) and after (CM_CONTROLCHANGE,
    // CM_CONTROLLISTCHANGE). Raises EInvalidOperation for itself or one of its children.
    virtual void SetParent(WinControl* parent);
    // Whether the control would be seen: visible, and so is every parent. A control
    // without a parent counts as showing when visible.
    bool Showing() const;

    // --- Bounds -----------------------------------------------------------------------
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    Rect BoundsRect() const { return bounds_; }
    // The one place bounds change: constraints apply, the store follows the client size,
    // the parent realigns when the control is aligned, anchored children follow a new
    // size, WM_SIZE and OnResize come after a size change, WM_MOVE after a move.
    virtual void SetBounds(int left, int top, int width, int height);
    void SetBoundsRect(const Rect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    Rect ClientRect() const { return Rect{0, 0, Width(), Height()}; }
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }
    // The client area's top-left corner on the screen.
    Point ClientOrigin() const;
    Point ClientToScreen(Point point) const;
    Point ScreenToClient(Point point) const;
    // Client coordinates of this control into the parent's client coordinates and back.
    Point ClientToParent(Point point) const { return Point{point.X + Left(), point.Y + Top()}; }
    Point ParentToClient(Point point) const { return Point{point.X - Left(), point.Y - Top()}; }

    const SizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const SizeConstraints& constraints);

    fw::Align Align() const { return align_; }
    void SetAlign(fw::Align align);
    fw::Anchors Anchors() const { return anchors_; }
    void SetAnchors(fw::Anchors anchors);

    // Moves the control to the end of its parent's child list (drawn over its siblings)
    // or to the start. Virtual because a window brought to the front may become the
    // active one (an MDI child).
    virtual void BringToFront();
    void SendToBack();

    // --- Visibility and state -------------------------------------------------------------
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    fw::ControlStyle ControlStyle() const { return style_; }
    void SetControlStyle(fw::ControlStyle style) { style_ = style; }
    fw::ControlState ControlState() const { return state_; }
    void SetControlState(fw::ControlState state) { state_ = state; }
    bool Loading() const { return state_.Contains(ControlStateFlag::Loading); }
    // The end of building a form: clears Loading and lays out what waited. Forms call it on
    // each of their controls in creation order.
    virtual void Loaded();

    // --- Looks ---------------------------------------------------------------------------
    fw::Color Color() const { return color_; }
    void SetColor(fw::Color colour); // ParentColor becomes false
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor); // true takes the parent's colour now
    const fw::Font& Font() const { return font_; }
    void SetFont(const fw::Font& font); // ParentFont becomes false
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& caption) { SetText(caption); }
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& text);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint); // ParentShowHint becomes false
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool parentShowHint);

    fw::Cursor Cursor() const { return cursor_; }
    void SetCursor(fw::Cursor cursor);

    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    // The menu a right click pops up (the menu layer's popup menu); forgotten when it is
    // freed.
    Component* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(Component* menu);

    // --- In-application drag ----------------------------------------------------------------
    // Automatic: a left press starts a drag (BeginDrag(true)) instead of MouseDown.
    fw::DragMode DragMode() const { return dragMode_; }
    void SetDragMode(fw::DragMode mode) { dragMode_ = mode; }
    fw::Cursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(fw::Cursor cursor) { dragCursor_ = cursor; }
    // Through the drag service: immediate starts now, else once the mouse has moved
    // threshold pixels (< 0: the default).
    void BeginDrag(bool immediate, int threshold = -1);
    void EndDrag(bool drop);
    bool Dragging() const;

    // --- Painting ------------------------------------------------------------------------
    // The canvas on the backing store. Outside Paint, asking for it tells the peer that the
    // store will show new pixels.
    fw::Canvas& Canvas();
    const Bitmap& BackingStore() const { return store_; }
    // The backend used for text: the control's own, else the parent's, else the default.
    PaintBackend* EffectivePaintBackend() const;
    void SetPaintBackend(PaintBackend* backend);

    virtual void Invalidate();
    virtual void InvalidateRect(const Rect& rect);
    void InvalidateRegion(const Region& region);
    // Paints the invalid area now (nothing inside an update bracket or without one).
    virtual void Update();
    // Invalidate and Update.
    virtual void Repaint();
    // What waits to be painted, in client coordinates.
    const Region& InvalidRegion() const { return invalid_; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Whether this control or a parent is inside an update bracket.
    bool Updating() const;

    // How often Paint has run (for tests and diagnostics).
    int PaintCount() const { return paintCount_; }

    // --- The peer -------------------------------------------------------------------------
    ControlPeer* Peer() const { return peer_.get(); }
    // Attaches (or, with none, destroys) the peer; the old one is destroyed.
    void SetPeer(std::unique_ptr<ControlPeer> peer);
    std::unique_ptr<ControlPeer> TakePeer() { return std::move(peer_); }

    // --- Mouse capture ----------------------------------------------------------------------
    bool MouseCapture() const { return CaptureControl() == this; }
    void SetMouseCapture(bool capture);

    // --- Messages -----------------------------------------------------------------------
    void Dispatch(Message& message) override;

    // --- Events ---------------------------------------------------------------------------
    const NotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(NotifyEvent handler) { onClick_ = std::move(handler); }
    const NotifyEvent& OnDblClick() const { return onDblClick_; }
    void SetOnDblClick(NotifyEvent handler) { onDblClick_ = std::move(handler); }
    const MouseEvent& OnMouseDown() const { return onMouseDown_; }
    void SetOnMouseDown(MouseEvent handler) { onMouseDown_ = std::move(handler); }
    const MouseMoveEvent& OnMouseMove() const { return onMouseMove_; }
    void SetOnMouseMove(MouseMoveEvent handler) { onMouseMove_ = std::move(handler); }
    const MouseEvent& OnMouseUp() const { return onMouseUp_; }
    void SetOnMouseUp(MouseEvent handler) { onMouseUp_ = std::move(handler); }
    const MouseWheelEvent& OnMouseWheel() const { return onMouseWheel_; }
    void SetOnMouseWheel(MouseWheelEvent handler) { onMouseWheel_ = std::move(handler); }
    const MouseWheelUpDownEvent& OnMouseWheelDown() const { return onMouseWheelDown_; }
    void SetOnMouseWheelDown(MouseWheelUpDownEvent handler) { onMouseWheelDown_ = std::move(handler); }
    const MouseWheelUpDownEvent& OnMouseWheelUp() const { return onMouseWheelUp_; }
    void SetOnMouseWheelUp(MouseWheelUpDownEvent handler) { onMouseWheelUp_ = std::move(handler); }
    const NotifyEvent& OnMouseEnter() const { return onMouseEnter_; }
    void SetOnMouseEnter(NotifyEvent handler) { onMouseEnter_ = std::move(handler); }
    const NotifyEvent& OnMouseLeave() const { return onMouseLeave_; }
    void SetOnMouseLeave(NotifyEvent handler) { onMouseLeave_ = std::move(handler); }
    const NotifyEvent& OnResize() const { return onResize_; }
    void SetOnResize(NotifyEvent handler) { onResize_ = std::move(handler); }
    const DragOverEvent& OnDragOver() const { return onDragOver_; }
    void SetOnDragOver(DragOverEvent handler) { onDragOver_ = std::move(handler); }
    const DragDropEvent& OnDragDrop() const { return onDragDrop_; }
    void SetOnDragDrop(DragDropEvent handler) { onDragDrop_ = std::move(handler); }
    const StartDragEvent& OnStartDrag() const { return onStartDrag_; }
    void SetOnStartDrag(StartDragEvent handler) { onStartDrag_ = std::move(handler); }
    const EndDragEvent& OnEndDrag() const { return onEndDrag_; }
    void SetOnEndDrag(EndDragEvent handler) { onEndDrag_ = std::move(handler); }
    const ContextPopupEvent& OnContextPopup() const { return onContextPopup_; }
    void SetOnContextPopup(ContextPopupEvent handler) { onContextPopup_ = std::move(handler); }

    // --- Entry points the input layer calls (through the messages) and classes override ---
    // Each fires its event; overriders call the base to keep the event.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    // OnMouseWheel, then (not handled yet) DoMouseWheelDown / DoMouseWheelUp by the sign of
    // the delta; answers whether it was handled. mousePos is in screen coordinates.
    virtual bool DoMouseWheel(ShiftState shift, int wheelDelta, Point mousePos);
    virtual bool DoMouseWheelDown(ShiftState shift, Point mousePos);
    virtual bool DoMouseWheelUp(ShiftState shift, Point mousePos);
    virtual void CMMouseEnter(Message& message);
    virtual void CMMouseLeave(Message& message);
    // After every size change.
    virtual void Resize();
    // The drag layer's entry points. DragOver answers accept = false without an OnDragOver
    // handler, else what the handler leaves (it starts true), as the platform does.
    virtual void DragOver(Object* source, int x, int y, DragState state, bool& accept);
    virtual void DragDrop(Object* source, int x, int y);
    virtual void DoStartDrag(DragObject*& dragObject);
    virtual void DoEndDrag(Object* target, int x, int y);
    // The right button's release (WM_CONTEXTMENU): OnContextPopup may handle it; otherwise
    // the control's PopupMenu (a fw::PopupMenu with AutoPopup) pops up at the pointer, and
    // a control without one passes the request to its parent.
    virtual void DoContextPopup(Point mousePos, bool& handled);

protected:
    void Notification(Component* component, Operation operation) override;

    // Paints the control's client area on Canvas(); called with the canvas clipped to the
    // area being painted. The base paints nothing.
    virtual void Paint();
    // The background under Paint (WM_ERASEBKGND). The base fills the invalid area with
    // Color when the control is windowed, copies the parent's pixels under a windowless
    // control that is not Opaque, and does nothing for an Opaque one.
    virtual void EraseBackground();
    // Runs one paint of the invalid region: erase, Paint, then transparent windowless
    // children over the painted area are invalidated. Called by Update.
    void PaintInvalidArea();

    // The colour, font or show-hint of the parent changed (or the parent is new).
    void ParentColorChanged();
    void ParentFontChanged();
    void ParentShowHintChanged();
    // A new parent or a changed client size: records where the anchors hold the control.
    void UpdateAnchorRules();
    // Places the control as its anchors say inside a parent whose client size is now
    // parentSize.
    void ApplyAnchors(Size parentSize);
    // Bounds without the realigning and anchoring that SetBounds starts (the layout code
    // places controls with it).
    void PlaceBounds(int left, int top, int width, int height);
    // Asks the parent to lay out its children again, when this control is aligned.
    void RequestParentAlign();

    bool IsWindowed() const { return windowed_; }
    void SetWindowed(bool windowed) { windowed_ = windowed; }

private:
    friend class WinControl;
    friend int PaintPendingControls();

    void HandleMouseButton(Message& message, MouseButton button, bool down, bool doubleClick);
    void HandleMouseWheel(Message& message);
    void HandleContextMenu(Message& message);
    void AddToPending();
    void RemoveFromPending();
    void ResizeStore();
    void ApplyConstraints(int& width, int& height) const;

    WinControl* parent_ = nullptr;
    Rect bounds_{0, 0, 0, 0};
    SizeConstraints constraints_;
    fw::Align align_ = fw::Align::None;
    fw::Anchors anchors_{AnchorKind::Left, AnchorKind::Top};
    // Where the anchors hold the control: its bounds and the parent's client size when
    // they were last set from outside the layout.
    Rect anchorBounds_;
    Size anchorParentSize_;
    bool anchorRulesValid_ = false;

    bool visible_ = true;
    bool enabled_ = true;
    bool windowed_ = false;
    fw::ControlStyle style_{ControlStyleFlag::ClickEvents, ControlStyleFlag::CaptureMouse,
                            ControlStyleFlag::DoubleClicks};
    fw::ControlState state_;

    fw::Color color_ = clWindow;
    bool parentColor_ = true;
    fw::Font font_;
    bool parentFont_ = true;
    std::string text_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    fw::Cursor cursor_ = crDefault;
    std::intptr_t tag_ = 0;
    Component* popupMenu_ = nullptr;
    fw::DragMode dragMode_ = fw::DragMode::Manual;
    fw::Cursor dragCursor_ = crDrag;

    Bitmap store_;
    std::unique_ptr<fw::Canvas> canvas_;
    PaintBackend* backend_ = nullptr;
    Region invalid_;
    bool pending_ = false;
    int updateCount_ = 0;
    bool repaintAfterUpdate_ = false;
    int paintCount_ = 0;

    std::unique_ptr<ControlPeer> peer_;

    NotifyEvent onClick_;
    NotifyEvent onDblClick_;
    MouseEvent onMouseDown_;
    MouseMoveEvent onMouseMove_;
    MouseEvent onMouseUp_;
    MouseWheelEvent onMouseWheel_;
    MouseWheelUpDownEvent onMouseWheelDown_;
    MouseWheelUpDownEvent onMouseWheelUp_;
    NotifyEvent onMouseEnter_;
    NotifyEvent onMouseLeave_;
    NotifyEvent onResize_;
    DragOverEvent onDragOver_;
    DragDropEvent onDragDrop_;
    StartDragEvent onStartDrag_;
    EndDragEvent onEndDrag_;
    ContextPopupEvent onContextPopup_;
};

// --- GraphicControl -------------------------------------------------------------------------

// A windowless control: it shows in its parent's client area, over the parent's own
// pixels (unless Opaque, its background is what the parent painted there), never takes
// the focus and has no children. Subclasses override Paint.
class GraphicControl : public Control {
public:
    explicit GraphicControl(Component* owner = nullptr);

    std::string_view className() const override { return "TGraphicControl"; }
};

// --- WinControl --------------------------------------------------------------------------

// A windowed control: it holds child controls, lays them out (align and anchors), keeps a
// tab order among its windowed children and can take the focus. Freeing it frees its
// children first (the last first, as the platform does), then what it owns.
class WinControl : public Control {
public:
    explicit WinControl(Component* owner = nullptr);
    ~WinControl() override;

    std::string_view className() const override { return "TWinControl"; }

    // --- Children -------------------------------------------------------------------------
    // Every child, in insertion order (BringToFront and SendToBack reorder): the later
    // ones are drawn over the earlier ones.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    // Raises EListError outside 0..ControlCount()-1.
    Control* Controls(int index) const;
    const std::vector<Control*>& ControlList() const { return controls_; }
    int IndexOfControl(const Control* control) const; // -1 when not a child
    // control->SetParent(this) / control->SetParent(nullptr) for a child.
    void InsertControl(Control* control);
    void RemoveControl(Control* control);
    // Whether the control is this one or lies anywhere below it.
    bool ContainsControl(const Control* control) const;
    // The topmost visible (and, unless allowDisabled, enabled) child at a point of the
    // client area, searched from the end of the list; none when only this control is there.
    Control* ControlAtPos(Point point, bool allowDisabled = false) const;
    // Sends the message to the children in list order until one answers a non-zero Result
    // (a dialog key is used once). NotifyControls sends a fresh message to every child.
    void Broadcast(Message& message);
    void NotifyControls(int msg);

    // --- Layout ---------------------------------------------------------------------------
    // The area aligned children share: the client rectangle, which classes with borders
    // shrink.
    virtual void AdjustClientRect(Rect& rect);
    // Lays out the children now: anchored ones follow the client size, then aligned ones
    // fill the adjusted client rectangle, top ones first, then bottom, left, right and the
    // client one. Within one alignment the child list decides: the first top control is
    // topmost, the first bottom control bottommost, the first left one leftmost, and so on
    // (forms are built in code, so creation order is the natural order; BringToFront and
    // SendToBack change it).
    void Realign();
    // Brackets that hold realigning back; the outermost EnableAlign realigns when it
    // was asked for meanwhile.
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }
    void Loaded() override;

    // --- Focus and tab order --------------------------------------------------------------
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    // The place among the parent's windowed children in tab order; -1 without a parent.
    int TabOrder() const;
    // Moves the control to that place (limited to the list).
    void SetTabOrder(int order);
    // The windowed children in tab order.
    const std::vector<WinControl*>& TabList() const { return tabList_; }
    // Every windowed control below this one, depth first in tab order (the platform's
    // GetTabOrderList).
    void GetTabOrderList(std::vector<WinControl*>& list) const;
    // Visible and enabled, with every parent.
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;

    // --- Keys (through WM_KEYDOWN, WM_CHAR, WM_KEYUP) -------------------------------------
    // Each fires its event; setting the key to 0 consumes it.
    virtual void KeyDown(int& key, ShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void KeyUp(int& key, ShiftState shift);
    // Focus moves inside a form (CM_ENTER, CM_EXIT); they fire OnEnter and OnExit.
    virtual void DoEnter();
    virtual void DoExit();

    const KeyEvent& OnKeyDown() const { return onKeyDown_; }
    void SetOnKeyDown(KeyEvent handler) { onKeyDown_ = std::move(handler); }
    const KeyPressEvent& OnKeyPress() const { return onKeyPress_; }
    void SetOnKeyPress(KeyPressEvent handler) { onKeyPress_ = std::move(handler); }
    const KeyEvent& OnKeyUp() const { return onKeyUp_; }
    void SetOnKeyUp(KeyEvent handler) { onKeyUp_ = std::move(handler); }
    const NotifyEvent& OnEnter() const { return onEnter_; }
    void SetOnEnter(NotifyEvent handler) { onEnter_ = std::move(handler); }
    const NotifyEvent& OnExit() const { return onExit_; }
    void SetOnExit(NotifyEvent handler) { onExit_ = std::move(handler); }

    // --- Docking (carried out in dock.cpp) ---------------------------------------------------
    // A dock site takes forms that are docked into it (Form::ManualDock, or a dock drag
    // released over it when DockOver accepts). What a dock or undock does to the site's own
    // size is left to its handlers.
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool dockSite) { dockSite_ = dockSite; }
    // The forms docked here, in child order.
    int DockClientCount() const;
    // Raises EListError outside 0..DockClientCount()-1.
    Control* DockClients(int index) const;
    // accept starts true and OnDockOver may refuse; x, y in client coordinates.
    virtual void DockOver(DragDockObject* source, int x, int y, DragState state, bool& accept);
    // After the control has joined the site: OnDockDrop.
    virtual void DockDrop(DragDockObject* source, int x, int y);
    // Before a docked control leaves for newTarget (none: to float): OnUnDock may refuse.
    virtual bool DoUnDock(WinControl* newTarget, Control* client);

    const DockOverEvent& OnDockOver() const { return onDockOver_; }
    void SetOnDockOver(DockOverEvent handler) { onDockOver_ = std::move(handler); }
    const DockDropEvent& OnDockDrop() const { return onDockDrop_; }
    void SetOnDockDrop(DockDropEvent handler) { onDockDrop_ = std::move(handler); }
    const UnDockEvent& OnUnDock() const { return onUnDock_; }
    void SetOnUnDock(UnDockEvent handler) { onUnDock_ = std::move(handler); }

    void Dispatch(Message& message) override;

protected:
    // Places the aligned children inside rect (the adjusted client rectangle), taking each
    // one's space off it.
    virtual void AlignControls(Rect& rect);

private:
    friend class Control;

    void AddChild(Control* control);
    void RemoveChild(Control* control);
    void MoveChild(Control* control, bool toFront);
    void ClientSizeChanged();

    std::vector<Control*> controls_;
    std::vector<WinControl*> tabList_;
    int alignDisabled_ = 0;
    bool realignPending_ = false;
    bool tabStop_ = false;

    KeyEvent onKeyDown_;
    KeyPressEvent onKeyPress_;
    KeyEvent onKeyUp_;
    NotifyEvent onEnter_;
    NotifyEvent onExit_;

    bool dockSite_ = false;
    DockOverEvent onDockOver_;
    DockDropEvent onDockDrop_;
    UnDockEvent onUnDock_;
};

// --- CustomControl -------------------------------------------------------------------------

// A windowed control that paints itself: override Paint and draw on Canvas().
class CustomControl : public WinControl {
public:
    explicit CustomControl(Component* owner = nullptr);

    std::string_view className() const override { return "TCustomControl"; }
};

// --- Pictures for tests and thumbnails -------------------------------------------------------

// Paints what waits in the control and in its visible children (Update), then answers
// one picture of its client size: its store with every visible child's picture at the
// child's offset, later children over earlier ones, cut to each parent's client area.
Bitmap RenderToBitmap(Control& control);

} // namespace fw
