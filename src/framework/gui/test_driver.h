#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/input.h"
#include "framework/gui/timer.h"

namespace fw {

// The virtual key code the platform reports for a character typed without a key of its own.
inline constexpr int VK_PACKET = 0xE7;

// Plays the user on a window without any window system: mouse and keys go through the same
// InputRouter entry points the Qt peers call, and time stands still until Advance moves it.
//
// For its life the driver installs a VirtualClock as the application's clock, an InputRouter
// (Current() and the focus service) and, when no default paint backend is set, a
// FakePaintBackend; it makes the surface the active window. After every injected event and
// every Advance it delivers the posted messages and the pending paints, as the event loop
// does after each event; errors from handlers reach the test unchanged.
//
// Points are in the surface's client coordinates. A press or release away from the pointer
// moves it there first (with its MouseMove), as a real mouse does. The driver keeps the held
// buttons and the modifier keys and reports them with every event.
class TestDriver {
public:
    explicit TestDriver(Control& surface, std::int64_t startTime = 0);
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    Control& Surface() const { return *surface_; }
    InputRouter& Router() { return *router_; }
    VirtualClock& Clock() { return clock_; }

    // Moves time on by ms, firing the timers due on the way, then settles.
    void Advance(std::int64_t ms);
    // Delivers the posted messages and paints what waits.
    void Settle();

    // --- Mouse ------------------------------------------------------------------------------
    void MoveTo(Point point);
    void MoveTo(int x, int y) { MoveTo(Point{x, y}); }
    void Press(Point point, MouseButton button = MouseButton::Left);
    void Press(int x, int y, MouseButton button = MouseButton::Left) { Press(Point{x, y}, button); }
    void Release(Point point, MouseButton button = MouseButton::Left);
    void Release(int x, int y, MouseButton button = MouseButton::Left) { Release(Point{x, y}, button); }
    // Press and release at the point, no time between.
    void Click(Point point, MouseButton button = MouseButton::Left);
    void Click(int x, int y, MouseButton button = MouseButton::Left) { Click(Point{x, y}, button); }
    // Two clicks at the point, no time between.
    void DoubleClick(Point point, MouseButton button = MouseButton::Left);
    void DoubleClick(int x, int y, MouseButton button = MouseButton::Left) { DoubleClick(Point{x, y}, button); }
    // Press at from, move to `to` in steps of at most `step` pixels along each axis, release.
    void DragMouse(Point from, Point to, int step = 1, MouseButton button = MouseButton::Left);
    // notches > 0 turn the wheel away from the user (up), 120 each; answers "handled".
    bool Wheel(Point point, int notches);
    // The pointer leaves the window.
    void Leave();
    Point PointerPos() const { return pointer_; }

    // Where a point of a control's client area lies in the surface; its centre.
    Point PointOf(const Control& control, Point clientPoint = Point{}) const;
    Point CentreOf(const Control& control) const;
    void ClickOn(const Control& control) { Click(CentreOf(control)); }

    // --- Keys -------------------------------------------------------------------------------
    // Shift, Alt and Ctrl held from now on (mouse buttons in the set are ignored).
    void SetModifiers(ShiftState modifiers);
    ShiftState Modifiers() const { return modifiers_; }
    // The key goes down with the character it types under the held modifiers
    // (CharacterOf), or with the one given.
    void KeyDown(int key);
    void KeyDown(int key, char32_t character);
    void KeyUp(int key);
    // Down and up; the second form holds the modifiers for this key only.
    void PressKey(int key);
    void PressKey(int key, ShiftState modifiers);
    // Each character of the UTF-8 text as a key press: letters and digits with their keys
    // (Shift for capitals), the rest as VK_PACKET with the character.
    void Type(std::string_view text);

    // The character a key types with these modifiers, 0 for none: letters (lower case
    // without Shift, control characters with Ctrl), digits, space, Enter 13, Esc 27, Tab 9,
    // Backspace 8.
    static char32_t CharacterOf(int key, ShiftState modifiers);

private:
    ShiftState State() const { return modifiers_ | buttons_; }

    Control* surface_;
    VirtualClock clock_;
    std::unique_ptr<ScopedClock> clockScope_;
    std::unique_ptr<FakePaintBackend> backend_;
    std::unique_ptr<InputRouter> router_;
    Point pointer_{-1, -1};
    ShiftState modifiers_;
    ShiftState buttons_;
};

} // namespace fw
