#include "framework/gui/input.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/canvas.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/drag.h"
#include "framework/gui/form.h"
#include "framework/gui/timer.h"

namespace fw {

namespace {

InputRouter* currentRouter = nullptr;

const ShiftState MouseButtons{ShiftFlag::Left, ShiftFlag::Right, ShiftFlag::Middle};

std::intptr_t AsParam(const Control* control)
{
    return reinterpret_cast<std::intptr_t>(control);
}

ShiftFlag FlagOf(MouseButton button)
{
    switch (button) {
    case MouseButton::Right: return ShiftFlag::Right;
    case MouseButton::Middle: return ShiftFlag::Middle;
    default: return ShiftFlag::Left;
    }
}

int DownMessage(MouseButton button, bool doubleClick)
{
    switch (button) {
    case MouseButton::Right: return doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    case MouseButton::Middle: return doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
    default: return doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    }
}

int UpMessage(MouseButton button)
{
    switch (button) {
    case MouseButton::Right: return WM_RBUTTONUP;
    case MouseButton::Middle: return WM_MBUTTONUP;
    default: return WM_LBUTTONUP;
    }
}

bool Inside(const Rect& rect, Point point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

// The lines of a hint: split at CR LF, LF or CR.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The window of a windowed control: its parents are all windowed.
WinControl& RootWindow(WinControl& control)
{
    WinControl* root = &control;
    while (root->Parent() != nullptr) {
        root = root->Parent();
    }
    return *root;
}

} // namespace

std::string GetShortHint(std::string_view hint)
{
    return std::string(hint.substr(0, hint.find('|')));
}

std::string GetLongHint(std::string_view hint)
{
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

// --- HintWindow -----------------------------------------------------------------------------

namespace {

std::vector<HintWindow*>& HintWindowList()
{
    static std::vector<HintWindow*> list;
    return list;
}

} // namespace

const std::vector<HintWindow*>& HintWindow::Instances()
{
    return HintWindowList();
}

HintWindow::~HintWindow()
{
    auto& list = HintWindowList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

HintWindow::HintWindow(Component* owner) : CustomControl(owner)
{
    HintWindowList().push_back(this);
    SetVisible(false);
    SetColor(App().HintColor());
    fw::Font font = Font();
    font.Color = clInfoText;
    SetFont(font);
}

Rect HintWindow::CalcHintRect(int maxWidth, std::string_view hint)
{
    PaintBackend* backend = EffectivePaintBackend();
    if (backend == nullptr) {
        throw EInvalidGraphicOperation("A hint cannot be measured without a paint backend");
    }
    int width = 0;
    int height = 0;
    for (const std::string_view line : Lines(hint)) {
        const Size extent = backend->TextExtent(Font(), line);
        width = std::max(width, extent.Width);
        height += extent.Height;
    }
    return Rect{0, 0, std::min(width + 6, std::max(maxWidth, 0)), height + 4};
}

void HintWindow::ActivateHint(const Rect& rect, const std::string& hint)
{
    SetText(hint);
    SetColor(App().HintColor());
    SetBoundsRect(rect);
    Invalidate();
    Show();
}

void HintWindow::ReleaseHint()
{
    Hide();
}

void HintWindow::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush().Style = BrushStyle::Solid;
    canvas.Brush().Color = Color();
    canvas.FillRect(ClientRect());
    canvas.Pen() = Pen{clWindowFrame};
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.Rectangle(ClientRect());
    canvas.Font() = Font();
    int y = 2;
    for (const std::string_view line : Lines(Text())) {
        canvas.TextOut(3, y, line);
        y += canvas.TextHeight(line);
    }
}

// --- Tab order and hit testing --------------------------------------------------------------

WinControl* FindNextControl(const WinControl& container, const WinControl* current, bool goForward,
                            bool checkTabStop, bool checkParent)
{
    std::vector<WinControl*> list;
    container.GetTabOrderList(list);
    const int count = static_cast<int>(list.size());
    if (count == 0) {
        return nullptr;
    }
    const auto found = std::find(list.begin(), list.end(), current);
    const int start = found != list.end() ? static_cast<int>(found - list.begin()) : (goForward ? count - 1 : 0);
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i == 0 ? count : i) - 1;
        WinControl* candidate = list[static_cast<std::size_t>(i)];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop())
            && (!checkParent || candidate->Parent() == &container)) {
            return candidate;
        }
    } while (i != start);
    return nullptr;
}

void SelectNext(WinControl& container, const WinControl* current, bool goForward, bool checkTabStop)
{
    if (WinControl* next = FindNextControl(container, current, goForward, checkTabStop, !checkTabStop)) {
        next->SetFocus();
    }
}

Control* FindControlAt(Control& root, Point point)
{
    if (!root.Enabled() || !Inside(root.ClientRect(), point)) {
        return nullptr;
    }
    Control* current = &root;
    while (const auto* windowed = dynamic_cast<const WinControl*>(current)) {
        Control* child = windowed->ControlAtPos(point);
        if (child == nullptr) {
            break;
        }
        point = child->ParentToClient(point);
        current = child;
    }
    return current;
}

Control& RootOf(Control& control)
{
    Control* root = &control;
    while (root->Parent() != nullptr) {
        root = root->Parent();
    }
    return *root;
}

// --- InputRouter: set-up ----------------------------------------------------------------------

InputRouter::InputRouter()
    : previous_(currentRouter),
      hintWindow_(std::make_unique<HintWindow>()),
      hintTimer_(std::make_unique<Timer>()),
      drag_(std::make_unique<DragManager>(*this))
{
    hintTimer_->SetEnabled(false);
    hintTimer_->SetOnTimer([this](Object*) { HintTimerFired(); });
    currentRouter = this;
    previousFocusService_ = SetFocusService(this);
    previousDragService_ = SetDragService(drag_.get());
}

InputRouter::~InputRouter()
{
    SetDragService(previousDragService_);
    SetFocusService(previousFocusService_);
    drag_.reset();
    currentRouter = previous_;
}

InputRouter* InputRouter::Current()
{
    return currentRouter;
}

// --- Mouse ----------------------------------------------------------------------------------

Point InputRouter::ToScreen(Control& surface, Point point)
{
    surface_ = WeakRef<Control>(&RootOf(surface));
    cursorPos_ = surface.ClientToScreen(point);
    pointerInside_ = true;
    return cursorPos_;
}

Control* InputRouter::ControlUnderPointer() const
{
    Control* root = surface_.Get();
    if (root == nullptr || !pointerInside_) {
        return nullptr;
    }
    return FindControlAt(*root, root->ScreenToClient(cursorPos_));
}

Control* InputRouter::MouseTarget() const
{
    if (Control* captured = CaptureControl()) {
        return captured;
    }
    return ControlUnderPointer();
}

void InputRouter::SendMouse(Control& target, int msg, ShiftState shift)
{
    const Point at = target.ScreenToClient(cursorPos_);
    target.Perform(msg, static_cast<std::intptr_t>(shift.Bits()), PackPoint(at));
}

void InputRouter::MouseDown(Control& surface, Point point, MouseButton button, ShiftState shift)
{
    ToScreen(surface, point);
    buttons_ = (shift & MouseButtons).Include(FlagOf(button));
    shift = (shift - MouseButtons) | buttons_;
    CancelHint();
    if (drag_->Dragging()) {
        return;
    }
    UpdateMouseControl();
    Control* target = MouseTarget();
    if (target == nullptr) {
        lastPress_.Valid = false;
        return;
    }
    // A second press of the same button on the same control, soon and close by, is a double
    // click; the press after a double click starts counting again.
    const std::int64_t now = App().GetClock().Now();
    const bool doubleClick = lastPress_.Valid && !lastPress_.Double && lastPress_.Button == button
                             && lastPress_.Target.Refers(target) && now - lastPress_.Time < App().DoubleClickTime()
                             && std::abs(cursorPos_.X - lastPress_.Pos.X) <= DoubleClickDistance
                             && std::abs(cursorPos_.Y - lastPress_.Pos.Y) <= DoubleClickDistance;
    lastPress_ = Press{WeakRef<Control>(target), button, cursorPos_, now, doubleClick, true};
    if (button == MouseButton::Left) {
        leftPress_ = WeakRef<Control>(target);
    }
    // The window pressed in may become the active one (an MDI child) before the press.
    WeakRef<Control> pressed(target);
    MouseActivate(*target);
    target = pressed.Get();
    if (target == nullptr) {
        return;
    }
    SendMouse(*target, DownMessage(button, doubleClick), shift);
    UpdateCursor();
}

void InputRouter::MouseMove(Control& surface, Point point, ShiftState shift)
{
    ToScreen(surface, point);
    buttons_ = shift & MouseButtons;
    UpdateMouseControl();
    if (drag_->Dragging()) {
        drag_->PointerMoved();
        UpdateCursor();
        return;
    }
    UpdateHint();
    if (Control* target = MouseTarget()) {
        SendMouse(*target, WM_MOUSEMOVE, shift);
    }
    UpdateCursor();
}

void InputRouter::MouseUp(Control& surface, Point point, MouseButton button, ShiftState shift)
{
    ToScreen(surface, point);
    buttons_ = (shift & MouseButtons).Exclude(FlagOf(button));
    shift = (shift - MouseButtons) | buttons_;
    if (button == MouseButton::Left) {
        leftPress_.Reset();
    }
    if (drag_->Dragging()) {
        if (button != MouseButton::Middle) {
            drag_->EndDrag(true);
        }
        UpdateMouseControl();
        UpdateCursor();
        return;
    }
    if (Control* target = MouseTarget()) {
        SendMouse(*target, UpMessage(button), shift);
    }
    // The release may have ended a capture: the control under the pointer is entered now.
    UpdateMouseControl();
    UpdateCursor();
}

bool InputRouter::MouseWheel(Control& surface, Point point, int delta, ShiftState shift)
{
    ToScreen(surface, point);
    CancelHint();
    if (drag_->Dragging()) {
        return false;
    }
    const std::intptr_t wParam = PackPoint(static_cast<int>(shift.Bits()), delta);
    WeakRef<Control> current(MouseTarget());
    while (Control* control = current.Get()) {
        WeakRef<Control> parent(control->Parent());
        if (control->Perform(WM_MOUSEWHEEL, wParam, PackPoint(cursorPos_)) != 0) {
            return true;
        }
        current = parent;
    }
    return false;
}

void InputRouter::MouseExit(Control& surface)
{
    if (surface_.Get() != &RootOf(surface)) {
        return;
    }
    pointerInside_ = false;
    UpdateMouseControl();
    if (drag_->Dragging()) {
        drag_->PointerMoved();
    } else {
        UpdateHint();
    }
    UpdateCursor();
}

void InputRouter::CancelMouseMode()
{
    buttons_ = ShiftState{};
    leftPress_.Reset();
    lastPress_.Valid = false;
    if (drag_->Dragging()) {
        drag_->EndDrag(false);
    }
    SetCaptureControl(nullptr);
    UpdateMouseControl();
    UpdateCursor();
}

void InputRouter::UpdateMouseControl()
{
    Control* under = ControlUnderPointer();
    Control* captured = CaptureControl();
    Control* now = captured == nullptr ? under : (under == captured ? captured : nullptr);
    Control* old = mouseControl_.Get();
    if (now == old) {
        return;
    }
    // Recorded first: the handlers may move the pointer or free either control.
    WeakRef<Control> entering(now);
    mouseControl_ = entering;
    if (old != nullptr) {
        old->Perform(CM_MOUSELEAVE);
    }
    if (Control* alive = entering.Get(); alive != nullptr && mouseControl_.Get() == alive) {
        alive->Perform(CM_MOUSEENTER);
    }
}

void InputRouter::MouseActivate(Control& target)
{
    WeakRef<Control> current(&target);
    while (Control* control = current.Get()) {
        WeakRef<Control> parent(control->Parent());
        if (control->Perform(WM_MOUSEACTIVATE, 0, AsParam(&target)) != 0) {
            return;
        }
        current = parent;
    }
}

bool InputRouter::LeftButtonHeldOn(const Control& control) const
{
    return buttons_.Contains(ShiftFlag::Left) && leftPress_.Refers(&control);
}

void InputRouter::ReleaseLeftPress(Control& control)
{
    if (!LeftButtonHeldOn(control)) {
        return;
    }
    leftPress_.Reset();
    SendMouse(control, WM_LBUTTONUP, buttons_ - ShiftFlag::Left);
}

// --- Cursor ---------------------------------------------------------------------------------

Cursor InputRouter::EffectiveCursor() const
{
    const Cursor screen = GetScreen().Cursor();
    if (screen != crDefault) {
        return screen;
    }
    if (drag_->Moving()) {
        return drag_->DragCursor();
    }
    const Control* target = MouseTarget();
    return target != nullptr ? target->Cursor() : crDefault;
}

void InputRouter::UpdateCursor()
{
    const Cursor cursor = EffectiveCursor();
    if (cursor == lastCursor_) {
        return;
    }
    lastCursor_ = cursor;
    if (cursorHandler_) {
        cursorHandler_(cursor);
    }
}

// --- Hints ----------------------------------------------------------------------------------

void InputRouter::UpdateHint()
{
    Control* hinted = ControlUnderPointer();
    while (hinted != nullptr && !hinted->ShowHint()) {
        hinted = hinted->Parent();
    }
    if (hinted == hintControl_.Get()) {
        return;
    }
    const bool wasShowing = hintWindow_->Active();
    hintTimer_->SetEnabled(false);
    hintHidePending_ = false;
    hintWindow_->ReleaseHint();
    hintControl_ = WeakRef<Control>(hinted);
    hintSuppressed_ = false;
    if (hinted != nullptr && !GetShortHint(hinted->Hint()).empty()) {
        StartHintTimer(wasShowing ? HintShortPause : App().HintPause());
    }
}

void InputRouter::StartHintTimer(int pause)
{
    hintTimer_->SetEnabled(false);
    if (pause <= 0) {
        ShowHintNow();
        return;
    }
    hintTimer_->SetInterval(pause);
    hintTimer_->SetEnabled(true);
}

void InputRouter::HintTimerFired()
{
    hintTimer_->SetEnabled(false);
    if (hintHidePending_) {
        // Shown long enough: it stays away until the pointer reaches another control.
        hintHidePending_ = false;
        hintSuppressed_ = true;
        hintWindow_->ReleaseHint();
        return;
    }
    ShowHintNow();
}

void InputRouter::ShowHintNow()
{
    Control* hinted = hintControl_.Get();
    if (hinted == nullptr || hintSuppressed_ || drag_->Dragging()) {
        return;
    }
    const std::string text = GetShortHint(hinted->Hint());
    if (text.empty()) {
        return;
    }
    const Screen& screen = GetScreen();
    const Rect size = hintWindow_->CalcHintRect(screen.Width(), text);
    // Below the pointer, moved back onto the screen where it would stick out.
    int x = cursorPos_.X;
    int y = cursorPos_.Y + HintCursorMargin;
    x = std::max(0, std::min(x, screen.Width() - size.Width()));
    y = std::max(0, std::min(y, screen.Height() - size.Height()));
    hintWindow_->ActivateHint(Rect{x, y, x + size.Width(), y + size.Height()}, text);
    const int hidePause = App().HintHidePause();
    if (hidePause > 0) {
        hintHidePending_ = true;
        hintTimer_->SetInterval(hidePause);
        hintTimer_->SetEnabled(true);
    }
}

void InputRouter::CancelHint()
{
    hintTimer_->SetEnabled(false);
    hintHidePending_ = false;
    hintSuppressed_ = true;
    hintWindow_->ReleaseHint();
}

// --- Keys -----------------------------------------------------------------------------------

void InputRouter::KeyDown(int key, ShiftState shift, char32_t character)
{
    CancelHint();
    if (drag_->Dragging()) {
        if (key == VK_ESCAPE) {
            drag_->EndDrag(false);
            UpdateMouseControl();
            UpdateCursor();
        }
        return;
    }
    SyncActivation();
    WinControl* target = FocusedControl();
    if (target == nullptr) {
        return;
    }
    WeakRef<WinControl> alive(target);
    WeakRef<WinControl> root(&RootWindow(*target));
    const std::intptr_t shiftBits = static_cast<std::intptr_t>(shift.Bits());

    int mask = 0;
    switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (mask != 0 && (target->Perform(WM_GETDLGCODE) & mask) == 0) {
        if (alive && root && DialogKey(*root.Get(), *target, key, shift)) {
            return;
        }
    }
    if (!alive || target->Perform(WM_KEYDOWN, key, shiftBits) != 0) {
        return;
    }
    // A key the control left unused may be the shortcut of an item of the window's menu.
    if (auto* form = dynamic_cast<Form*>(root.Get()); form != nullptr && alive && form->IsShortCut(key, shift)) {
        return;
    }
    // Alt alone turns characters into menu mnemonics, which no control types.
    const bool altOnly = shift.Contains(ShiftFlag::Alt) && !shift.Contains(ShiftFlag::Ctrl);
    if (character == 0 || altOnly || !alive) {
        return;
    }
    const auto charParam = static_cast<std::intptr_t>(character);
    if ((target->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 && root
        && root->Perform(CM_DIALOGCHAR, charParam, shiftBits) != 0) {
        return;
    }
    if (alive) {
        target->Perform(WM_CHAR, charParam, shiftBits);
    }
}

void InputRouter::KeyUp(int key, ShiftState shift)
{
    if (drag_->Dragging()) {
        return;
    }
    SyncActivation();
    if (WinControl* target = FocusedControl()) {
        target->Perform(WM_KEYUP, key, static_cast<std::intptr_t>(shift.Bits()));
    }
}

bool InputRouter::DialogKey(WinControl& root, WinControl& focused, int key, ShiftState shift)
{
    switch (key) {
    case VK_TAB:
        if (shift.Contains(ShiftFlag::Ctrl)) {
            break;
        }
        SelectNext(root, &focused, !shift.Contains(ShiftFlag::Shift), true);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        // Arrows move among the focused control's siblings, tab stops or not.
        if (&focused == &root || focused.Parent() == nullptr) {
            return false;
        }
        SelectNext(*focused.Parent(), &focused, key == VK_RIGHT || key == VK_DOWN, false);
        return true;
    default: break;
    }
    return root.Perform(CM_DIALOGKEY, key, static_cast<std::intptr_t>(shift.Bits())) != 0;
}

// --- Focus ----------------------------------------------------------------------------------

InputRouter::SurfaceFocus* InputRouter::FindSurface(const Control& root)
{
    for (SurfaceFocus& surface : surfaces_) {
        if (surface.Root.Refers(&root)) {
            return &surface;
        }
    }
    return nullptr;
}

const InputRouter::SurfaceFocus* InputRouter::FindSurface(const Control& root) const
{
    return const_cast<InputRouter*>(this)->FindSurface(root);
}

InputRouter::SurfaceFocus& InputRouter::SurfaceOf(Control& root)
{
    if (SurfaceFocus* known = FindSurface(root)) {
        return *known;
    }
    // Windows that are gone make room first.
    surfaces_.erase(std::remove_if(surfaces_.begin(), surfaces_.end(),
                                   [](const SurfaceFocus& surface) { return !surface.Root; }),
                    surfaces_.end());
    surfaces_.push_back(SurfaceFocus{WeakRef<Control>(&root), {}, {}});
    return surfaces_.back();
}

WinControl* InputRouter::ActiveSurface() const
{
    if (!applicationActive_) {
        return nullptr;
    }
    if (Form* form = GetScreen().ActiveForm()) {
        return form;
    }
    return dynamic_cast<WinControl*>(explicitActive_.Get());
}

void InputRouter::ActivateSurface(WinControl* root)
{
    // With no window active the screen keeps its active form, as the platform's does while
    // another program has the keyboard.
    applicationActive_ = root != nullptr;
    if (auto* form = dynamic_cast<Form*>(root)) {
        GetScreen().SetActiveForm(form);
    } else if (root != nullptr) {
        GetScreen().SetActiveForm(nullptr);
        explicitActive_ = WeakRef<Control>(root);
    }
    SyncActivation();
}

void InputRouter::SyncActivation()
{
    WinControl* active = ActiveSurface();
    Control* last = lastActive_.Get();
    if (active == last) {
        return;
    }
    WeakRef<WinControl> activeRef(active);
    lastActive_ = WeakRef<Control>(active);
    const std::uint64_t generation = ++focusGeneration_;
    if (last != nullptr) {
        last->Perform(CM_DEACTIVATE);
    }
    if (generation != focusGeneration_) {
        return;
    }
    if (active == nullptr || !activeRef) {
        WeakRef<WinControl> old = keyboardFocus_;
        keyboardFocus_.Reset();
        if (WinControl* losing = old.Get()) {
            losing->Perform(WM_KILLFOCUS);
        }
        return;
    }
    active->Perform(CM_ACTIVATE);
    if (generation == focusGeneration_ && activeRef) {
        ApplyFocus(SurfaceOf(*active), generation);
    }
}

void InputRouter::SetFocus(WinControl& control)
{
    if (!control.CanFocus()) {
        return;
    }
    WinControl& root = RootWindow(control);
    // Without any window ever activated (headless), the first focus activates its window.
    if (applicationActive_ && ActiveSurface() == nullptr) {
        explicitActive_ = WeakRef<Control>(&root);
    }
    SurfaceOf(root).Focused = WeakRef<WinControl>(&control);
    // A window activated just now moves the keyboard to this control itself.
    SyncActivation();
    if (ActiveSurface() == &root) {
        if (SurfaceFocus* surface = FindSurface(root)) {
            ApplyFocus(*surface, ++focusGeneration_);
        }
    }
}

WinControl* InputRouter::FocusedControlOf(const Control& root) const
{
    const SurfaceFocus* surface = FindSurface(root);
    if (surface == nullptr) {
        return nullptr;
    }
    WinControl* focused = surface->Focused.Get();
    const auto* window = dynamic_cast<const WinControl*>(&root);
    return focused != nullptr && window != nullptr && window->ContainsControl(focused) ? focused : nullptr;
}

WinControl* InputRouter::FocusedControl() const
{
    WinControl* root = ActiveSurface();
    if (root == nullptr) {
        return nullptr;
    }
    WinControl* focused = FocusedControlOf(*root);
    return focused != nullptr && focused->CanFocus() ? focused : root;
}

void InputRouter::ApplyFocus(SurfaceFocus& surface, std::uint64_t generation)
{
    auto* root = dynamic_cast<WinControl*>(surface.Root.Get());
    if (root == nullptr) {
        return;
    }
    WinControl* target = FocusedControlOf(*root);
    if (target == nullptr) {
        target = root;
    }
    WeakRef<WinControl> targetRef(target);
    WeakRef<WinControl> old = keyboardFocus_;
    const bool keyboardMoves = old.Get() != target;
    if (keyboardMoves) {
        keyboardFocus_ = targetRef;
        if (WinControl* losing = old.Get()) {
            losing->Perform(WM_KILLFOCUS, AsParam(target));
            if (generation != focusGeneration_ || !targetRef) {
                return;
            }
        }
    }
    const bool entering = surface.Entered.Get() != target;
    if (!MoveEntered(surface, targetRef, generation)) {
        return;
    }
    if (entering) {
        root->Perform(CM_FOCUSCHANGED, 0, AsParam(target));
        if (generation != focusGeneration_ || !targetRef) {
            return;
        }
    }
    if (keyboardMoves) {
        target->Perform(WM_SETFOCUS, AsParam(old.Get()));
        if (targetRef && target->Peer() != nullptr) {
            target->Peer()->FocusRequested();
        }
    }
}

bool InputRouter::MoveEntered(SurfaceFocus& surface, const WeakRef<WinControl>& target, std::uint64_t generation)
{
    // Each step re-reads where the chain stands: a handler may free controls on the way.
    auto current = [&]() -> WinControl* {
        auto* root = dynamic_cast<WinControl*>(surface.Root.Get());
        WinControl* entered = surface.Entered.Get();
        return entered != nullptr && root != nullptr && root->ContainsControl(entered) ? entered : root;
    };
    // Out of every control that does not hold the new one, the deepest first; the window
    // itself is where the chain starts and never gets CM_ENTER or CM_EXIT.
    for (WinControl* leaving = current(); leaving != nullptr && target && !leaving->ContainsControl(target.Get())
                                          && leaving->Parent() != nullptr;
         leaving = current()) {
        surface.Entered = WeakRef<WinControl>(leaving->Parent());
        leaving->Perform(CM_EXIT);
        if (generation != focusGeneration_) {
            return false;
        }
    }
    // Into each control from there down to the new one.
    for (WinControl* reached = current(); target && reached != nullptr && reached != target.Get();
         reached = current()) {
        WinControl* step = target.Get();
        while (step != nullptr && step->Parent() != reached) {
            step = step->Parent();
        }
        if (step == nullptr) {
            return false;
        }
        surface.Entered = WeakRef<WinControl>(step);
        step->Perform(CM_ENTER);
        if (generation != focusGeneration_) {
            return false;
        }
    }
    return static_cast<bool>(target);
}

} // namespace fw
