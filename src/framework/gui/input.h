#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/control.h"
#include "framework/gui/message.h"

namespace fw {

class DragManager;
class Timer;

// How far apart the two presses of a double click may lie, in pixels along each axis (the
// platform's 4 x 4 box around the first press).
inline constexpr int DoubleClickDistance = 2;
// The pause before the next hint shows while one is already up, in ms.
inline constexpr int HintShortPause = 50;
// How far below the pointer a hint shows: the height of the arrow cursor.
inline constexpr int HintCursorMargin = 20;

// The part of a hint before its first '|' (what the hint window shows) and the part after it
// (for a status bar); a hint without '|' is both.
std::string GetShortHint(std::string_view hint);
std::string GetLongHint(std::string_view hint);

// --- The hint window ------------------------------------------------------------------------

// The small window that shows a hint: a parentless control in screen coordinates, hidden
// until ActivateHint. It paints itself like any control, so the Qt side only has to show it
// (as a tool tip) when it becomes visible; subclasses paint more over the standard look.
class HintWindow : public CustomControl {
public:
    explicit HintWindow(Component* owner = nullptr);
    ~HintWindow() override;

    // Every hint window that exists (the router's and those controls make for their own
    // hints), so that the Qt side can show whichever becomes visible.
    static const std::vector<HintWindow*>& Instances();

    std::string_view className() const override { return "THintWindow"; }

    // The rectangle, at (0, 0), that the text needs: the widest line plus 6 pixels, the
    // lines' height plus 4 (a 1-pixel border and the margins). No wider than maxWidth.
    virtual Rect CalcHintRect(int maxWidth, std::string_view hint);
    // Shows the hint with the window's bounds set to rect (screen coordinates).
    virtual void ActivateHint(const Rect& rect, const std::string& hint);
    // Hides the window.
    void ReleaseHint();
    bool Active() const { return Visible(); }

protected:
    // The hint colour, a 1-pixel clWindowFrame border, the text's lines from (3, 2) in
    // clInfoText.
    void Paint() override;
};

// --- Tab order ------------------------------------------------------------------------------

// The next (or previous) control after `current` in the container's tab order (every
// windowed control below it, depth first), going round at the end: one that can take the
// focus, is a tab stop when checkTabStop is set and is a direct child of the container when
// checkParent is set. None when nothing qualifies; `current` itself when it is the only one.
WinControl* FindNextControl(const WinControl& container, const WinControl* current, bool goForward,
                            bool checkTabStop, bool checkParent);
// Focuses FindNextControl(container, current, goForward, checkTabStop, !checkTabStop).
void SelectNext(WinControl& container, const WinControl* current, bool goForward, bool checkTabStop);

// The control at a point of the root's client area: the deepest visible and enabled control
// there, later children (drawn on top) first; the root itself when no child is there; none
// outside the root or when the root is disabled.
Control* FindControlAt(Control& root, Point point);
// The top of the control's parent chain: the window it is shown in.
Control& RootOf(Control& control);

// --- The router -----------------------------------------------------------------------------

// Where the window system's mouse and key input becomes messages to the controls. The Qt
// peers and the headless TestDriver call the same entry points below, with points in the
// client coordinates of the control whose window received the event (normally a top-level
// control); the router finds the control under the point itself.
//
// Mouse: the press goes to the capturing control or else to the control under the pointer
// (FindControlAt). A press of the same button on the same control within the application's
// double-click time (on its clock) and DoubleClickDistance becomes a double-click message,
// which the control turns into DblClick and a press marked Double; a third press is single
// again. Before a press the pressed control and its parents hear WM_MOUSEACTIVATE, upwards
// until one answers (an MDI child becomes active). Capture and the Click on release are the controls' own business (their style).
// CM_MOUSEENTER / CM_MOUSELEAVE go to the deepest control under the pointer as it changes;
// while a control has the mouse captured only that control gets them (leave as the pointer
// leaves it, enter as it comes back), and after the release the control under the pointer
// is entered. The wheel goes to the control under the pointer and on up its parents until
// one answers "handled".
//
// Keys go to the focused control of the active window. Tab, the arrows, Enter and Esc are
// dialog keys unless the control keeps them (its WM_GETDLGCODE answer): Tab (without Ctrl)
// moves the focus in the window's tab order, Shift+Tab backwards, the arrows to the next or
// previous sibling, and anything else goes to the window as CM_DIALOGKEY (a form clicks its
// default or cancel button; the broadcast reaches page controls for Ctrl+Tab). A dialog key
// that is taken makes no KeyDown or KeyPress. Otherwise WM_KEYDOWN; a key set to 0 there is
// consumed and makes no KeyPress; a key left unused then goes to the window's IsShortCut (a
// form's menu), and one a menu takes makes no KeyPress either; then WM_CHAR with the
// character, if any (none with Alt alone held).
//
// Focus: one focused control per top-level window, which keeps it while another window is
// active. A move inside a window sends, in order: WM_KILLFOCUS to the control losing the
// keyboard, CM_EXIT to it and each parent up to the one that also holds the new control,
// CM_ENTER down from there to the new control, CM_FOCUSCHANGED to the window, WM_SETFOCUS
// to the new control. Activating another window moves only WM_KILLFOCUS / WM_SETFOCUS (with
// CM_DEACTIVATE and CM_ACTIVATE to the windows): no OnExit or OnEnter. A handler that moves
// the focus again ends the older move where it stands.
//
// Hints: resting on a control whose hint control (itself or the nearest parent with
// ShowHint) has a short hint shows it after the application's HintPause (HintShortPause
// while another hint is still up), below the pointer and on the screen, for HintHidePause.
// A press, a key or leaving the control hides it; it shows again only on another control.
//
// While an in-application drag lasts (drag.h), moves, releases and Esc are the drag's.
//
// One router serves the program: constructing one installs it (as Current() and as the
// control layer's focus and drag services) and destroying it puts back what was there
// before.
class InputRouter : public FocusService {
public:
    InputRouter();
    ~InputRouter() override;
    InputRouter(const InputRouter&) = delete;
    InputRouter& operator=(const InputRouter&) = delete;

    // The router installed last; none before the first.
    static InputRouter* Current();

    // --- Mouse (point in the surface's client coordinates) ---------------------------------
    void MouseDown(Control& surface, Point point, MouseButton button, ShiftState shift);
    void MouseMove(Control& surface, Point point, ShiftState shift);
    void MouseUp(Control& surface, Point point, MouseButton button, ShiftState shift);
    // delta: 120 a notch, positive away from the user. Answers whether a control took it.
    bool MouseWheel(Control& surface, Point point, int delta, ShiftState shift);
    // The pointer left the surface's window.
    void MouseExit(Control& surface);
    // A modal window came up over the program's windows (a dialog opened by a press, say):
    // the button held now comes up in that window, so the press it began is over here, as
    // the platform's cancel-mode makes it. The capture is released (the control hears
    // WM_CAPTURECHANGED), a drag is cancelled, no button counts as held, and the next
    // press goes to the control under the pointer.
    void CancelMouseMode();

    // --- Keys -----------------------------------------------------------------------------
    // key: the virtual key; character: the text the key types (0 for none), as the window
    // system reports it with the key (13 for Enter, 27 for Esc, 9 for Tab).
    void KeyDown(int key, ShiftState shift, char32_t character = 0);
    void KeyUp(int key, ShiftState shift);

    // --- Windows and focus ------------------------------------------------------------------
    // The window that has the keyboard: the screen's active form when there is one, else
    // the window last activated here (or of the first control focused while none was);
    // none while the program is not active.
    WinControl* ActiveSurface() const;
    // Makes the window active (a form also becomes the screen's active form); none: no
    // window of the program is active any more (the screen keeps its active form).
    void ActivateSurface(WinControl* root);
    // FocusService: a control that cannot take the focus (hidden, disabled) is ignored.
    void SetFocus(WinControl& control) override;
    // The focused control of the active window, or that window itself when none of its
    // controls has the focus.
    WinControl* FocusedControl() const override;
    // The control that has (or will have when its window is activated) the focus of a window.
    WinControl* FocusedControlOf(const Control& root) const;

    // --- What the router knows ----------------------------------------------------------------
    // The control that received the last CM_MOUSEENTER and no CM_MOUSELEAVE since.
    Control* MouseControl() const { return mouseControl_.Get(); }
    // The pointer in screen coordinates, as last reported.
    Point CursorPos() const { return cursorPos_; }
    // Mouse buttons held, as the last event reported them.
    ShiftState ButtonsDown() const { return buttons_; }
    // The cursor to show now: the screen's when not crDefault, then the drag's while a drag
    // is under way, then that of the capturing control or the control under the pointer.
    Cursor EffectiveCursor() const;
    // Told whenever EffectiveCursor may have changed to a new value (the Qt side shows it).
    using CursorHandler = std::function<void(Cursor cursor)>;
    void SetCursorHandler(CursorHandler handler) { cursorHandler_ = std::move(handler); }
    // Call when something that EffectiveCursor depends on changed outside the router's view
    // (a control changed its cursor in code).
    void UpdateCursor();

    // --- Hints ------------------------------------------------------------------------------
    HintWindow& GetHintWindow() { return *hintWindow_; }
    // The control whose hint is waiting or shown.
    Control* HintControl() const { return hintControl_.Get(); }
    // Hides the hint and keeps it away until the pointer reaches another control.
    void CancelHint();

    // --- In-application drag -------------------------------------------------------------
    DragManager& Drag() { return *drag_; }

    // Whether the left button went down on this control and has not come up for it yet
    // (a drag that starts now takes that press over).
    bool LeftButtonHeldOn(const Control& control) const;
    // Ends the left press on the control as if the button came up where the pointer is:
    // the control gets WM_LBUTTONUP (its Click and MouseUp), and the real release later
    // goes elsewhere. Nothing when the press is not the control's.
    void ReleaseLeftPress(Control& control);

private:
    friend class DragManager;

    struct SurfaceFocus {
        WeakRef<Control> Root;
        WeakRef<WinControl> Focused;
        // The deepest control that got CM_ENTER and no CM_EXIT since.
        WeakRef<WinControl> Entered;
    };

    // Converts a surface point to the screen and remembers it.
    Point ToScreen(Control& surface, Point point);
    // The control mouse messages go to now: the capturing one, else the one under the pointer.
    Control* MouseTarget() const;
    // The control under the remembered pointer, none outside the surface.
    Control* ControlUnderPointer() const;
    void SendMouse(Control& target, int msg, ShiftState shift);
    // WM_MOUSEACTIVATE to the pressed control and on up its parents until one answers.
    void MouseActivate(Control& target);
    // Sends leave / enter for the control now under the pointer.
    void UpdateMouseControl();
    void UpdateHint();
    void StartHintTimer(int pause);
    void HintTimerFired();
    void ShowHintNow();

    SurfaceFocus* FindSurface(const Control& root);
    const SurfaceFocus* FindSurface(const Control& root) const;
    SurfaceFocus& SurfaceOf(Control& root);
    // Applies a change of the active window: CM_DEACTIVATE / CM_ACTIVATE and the keyboard
    // moving to the new window's focused control.
    void SyncActivation();
    // Moves the keyboard focus to the surface's focused control with the messages above.
    void ApplyFocus(SurfaceFocus& surface, std::uint64_t generation);
    bool MoveEntered(SurfaceFocus& surface, const WeakRef<WinControl>& target, std::uint64_t generation);
    bool DialogKey(WinControl& root, WinControl& focused, int key, ShiftState shift);

    InputRouter* previous_ = nullptr;
    FocusService* previousFocusService_ = nullptr;
    DragService* previousDragService_ = nullptr;

    // Mouse.
    WeakRef<Control> surface_;
    Point cursorPos_;
    bool pointerInside_ = false;
    ShiftState buttons_;
    WeakRef<Control> mouseControl_;
    WeakRef<Control> leftPress_;
    // The last press, for telling double clicks.
    struct Press {
        WeakRef<Control> Target;
        MouseButton Button = MouseButton::Left;
        Point Pos;
        std::int64_t Time = 0;
        bool Double = false;
        bool Valid = false;
    } lastPress_;
    Cursor lastCursor_ = crDefault;
    CursorHandler cursorHandler_;

    // Focus.
    std::vector<SurfaceFocus> surfaces_;
    WeakRef<Control> explicitActive_;
    // False while no window of the program is active (another program has the keyboard).
    bool applicationActive_ = true;
    WeakRef<Control> lastActive_;
    WeakRef<WinControl> keyboardFocus_;
    std::uint64_t focusGeneration_ = 0;

    // Hints.
    std::unique_ptr<HintWindow> hintWindow_;
    std::unique_ptr<Timer> hintTimer_;
    WeakRef<Control> hintControl_;
    bool hintSuppressed_ = false;
    bool hintHidePending_ = false;

    std::unique_ptr<DragManager> drag_;
};

} // namespace fw
