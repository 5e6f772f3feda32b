#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/region.h"
#include "framework/gui/enum_set.h"

namespace fw {

// A window message: what the control layer and the program's own windows send each other
// synchronously (Perform) or post for later (PostMessage). Result is the receiver's answer.
struct Message {
    int Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// --- Keys and buttons held while a mouse or key message happens ----------------------------

enum class ShiftFlag { Shift, Alt, Ctrl, Left, Right, Middle, Double };
using ShiftState = EnumSet<ShiftFlag>;

enum class MouseButton { Left, Right, Middle };

// --- Standard messages (the platform's numbers) ---------------------------------------------
//
// Parameters as this layer uses them; where they differ from the platform's the comment
// says so, because the platform packs key state into bits this layer has no use for.
//   mouse buttons and moves:  WParam = ShiftState bits, LParam = PackPoint(client x, y)
//   WM_MOUSEWHEEL:            WParam = PackPoint(ShiftState bits, delta: 120 a notch, up > 0),
//                             LParam = PackPoint(screen x, y)
//   WM_KEYDOWN/UP, WM_CHAR:   WParam = virtual key code / Unicode code point,
//                             LParam = ShiftState bits
//   WM_SETFOCUS/KILLFOCUS:    WParam = the control losing / gaining focus (Control*) or 0
//   WM_SIZE:                  WParam = 0, LParam = PackPoint(client width, height)
inline constexpr int WM_NULL = 0x0000;
inline constexpr int WM_MOVE = 0x0003;
inline constexpr int WM_SIZE = 0x0005;
inline constexpr int WM_ACTIVATE = 0x0006;
inline constexpr int WM_SETFOCUS = 0x0007;
inline constexpr int WM_KILLFOCUS = 0x0008;
inline constexpr int WM_ENABLE = 0x000A;
inline constexpr int WM_SETTEXT = 0x000C;
inline constexpr int WM_PAINT = 0x000F;
inline constexpr int WM_CLOSE = 0x0010;
inline constexpr int WM_ERASEBKGND = 0x0014; // Result 1: the background is done
inline constexpr int WM_SHOWWINDOW = 0x0018;
inline constexpr int WM_CANCELMODE = 0x001F;
inline constexpr int WM_SETCURSOR = 0x0020;
// Sent by the input layer before a mouse press, to the control under the pointer and on up
// its parents until one answers non-zero: WParam = 0, LParam = the pressed control
// (Control*). An MDI child answers by becoming the active child.
inline constexpr int WM_MOUSEACTIVATE = 0x0021;
inline constexpr int WM_CONTEXTMENU = 0x007B;
inline constexpr int WM_GETDLGCODE = 0x0087;
inline constexpr int WM_KEYDOWN = 0x0100;
inline constexpr int WM_KEYUP = 0x0101;
inline constexpr int WM_CHAR = 0x0102;
inline constexpr int WM_SYSKEYDOWN = 0x0104;
inline constexpr int WM_SYSKEYUP = 0x0105;
inline constexpr int WM_SYSCHAR = 0x0106;
inline constexpr int WM_TIMER = 0x0113;
inline constexpr int WM_HSCROLL = 0x0114;
inline constexpr int WM_VSCROLL = 0x0115;
inline constexpr int WM_MOUSEMOVE = 0x0200;
inline constexpr int WM_LBUTTONDOWN = 0x0201;
inline constexpr int WM_LBUTTONUP = 0x0202;
inline constexpr int WM_LBUTTONDBLCLK = 0x0203;
inline constexpr int WM_RBUTTONDOWN = 0x0204;
inline constexpr int WM_RBUTTONUP = 0x0205;
inline constexpr int WM_RBUTTONDBLCLK = 0x0206;
inline constexpr int WM_MBUTTONDOWN = 0x0207;
inline constexpr int WM_MBUTTONUP = 0x0208;
inline constexpr int WM_MBUTTONDBLCLK = 0x0209;
inline constexpr int WM_MOUSEWHEEL = 0x020A;
inline constexpr int WM_CAPTURECHANGED = 0x0215;
inline constexpr int WM_USER = 0x0400;

// Answers to WM_GETDLGCODE: the keys a control keeps for itself instead of the form.
inline constexpr int DLGC_WANTARROWS = 0x0001;
inline constexpr int DLGC_WANTTAB = 0x0002;
inline constexpr int DLGC_WANTALLKEYS = 0x0004;
inline constexpr int DLGC_WANTCHARS = 0x0080;

// --- Notifications of the control layer ------------------------------------------------------
//
// Sent synchronously to the control whose property changed; the parent's colour, font and
// show-hint changes go on to every child (Parent... messages). Parameters are 0 unless said.
inline constexpr int CM_BASE = 0xB000;
inline constexpr int CM_ACTIVATE = CM_BASE + 0;
inline constexpr int CM_DEACTIVATE = CM_BASE + 1;
inline constexpr int CM_DIALOGKEY = CM_BASE + 5;  // WParam = key, LParam = ShiftState; Result 1 = used
inline constexpr int CM_DIALOGCHAR = CM_BASE + 6; // WParam = character; Result 1 = used
inline constexpr int CM_FOCUSCHANGED = CM_BASE + 7; // to a form: LParam = the newly focused control
inline constexpr int CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr int CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr int CM_HITTEST = CM_BASE + 10;
inline constexpr int CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr int CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr int CM_COLORCHANGED = CM_BASE + 13;
inline constexpr int CM_FONTCHANGED = CM_BASE + 14;
inline constexpr int CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr int CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr int CM_MOUSEENTER = CM_BASE + 19;
inline constexpr int CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr int CM_ENTER = CM_BASE + 26; // focus arrived inside the form
inline constexpr int CM_EXIT = CM_BASE + 27;  // focus left for another control of the form
inline constexpr int CM_RELEASE = CM_BASE + 33;
inline constexpr int CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr int CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr int CM_TABSTOPCHANGED = CM_BASE + 40;
// To a parent after a child joined or left: WParam = the child (Control*), LParam = 1
// joined, 0 left.
inline constexpr int CM_CONTROLCHANGE = CM_BASE + 54;
// To a parent before a child joins or leaves its child list (the list is still as it was):
// WParam = the child (Control*), LParam = 1 joining, 0 leaving. A child leaving because it
// is being freed has Destroying in its ControlState: only its Control part is still there.
inline constexpr int CM_CONTROLLISTCHANGING = CM_BASE + 80;
// To a parent after its child list changed; parameters as CM_CONTROLLISTCHANGING.
inline constexpr int CM_CONTROLLISTCHANGE = CM_BASE + 44;

// --- Virtual key codes ---------------------------------------------------------------------
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12; // Alt
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21; // page up
inline constexpr int VK_NEXT = 0x22;  // page down
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F2 = 0x71;
inline constexpr int VK_F4 = 0x73;
inline constexpr int VK_F10 = 0x79;

// --- Packing --------------------------------------------------------------------------------

// Two signed 16-bit values in one parameter, low first, as the platform packs points.
constexpr std::intptr_t PackPoint(int low, int high)
{
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16)
                                      | static_cast<std::uint32_t>(low & 0xFFFF));
}
constexpr int LowPart(std::intptr_t value) { return static_cast<std::int16_t>(value & 0xFFFF); }
constexpr int HighPart(std::intptr_t value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }
constexpr std::intptr_t PackPoint(Point point) { return PackPoint(point.X, point.Y); }
constexpr Point UnpackPoint(std::intptr_t value) { return Point{LowPart(value), HighPart(value)}; }

// --- Receivers -------------------------------------------------------------------------------

// Whatever takes messages. Perform hands a message to WndProc and answers its Result at
// once. Each receiver has a liveness token that its destruction invalidates: posted
// messages and WeakRef hold the token and so notice a receiver that is gone.
class MessageTarget {
public:
    MessageTarget();
    virtual ~MessageTarget();
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    // Synchronous: the message runs through WndProc now; its Result is the answer.
    std::intptr_t Perform(int msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    void Perform(Message& message) { WndProc(message); }

    // The first stop of every message; by default Dispatch. Overridden to look at or
    // swallow messages before the regular handlers.
    virtual void WndProc(Message& message);
    // The regular handlers by message id; what none takes goes to DefaultHandler.
    virtual void Dispatch(Message& message);
    // The answer of messages nobody handles: Result stays as it is (0).
    virtual void DefaultHandler(Message& message);

    // A token that stays alive exactly as long as this receiver.
    std::weak_ptr<const void> LivenessToken() const { return liveness_; }
    bool Alive() const { return liveness_ != nullptr; }

protected:
    // Ends the liveness before the destructor would: destructors of receivers call it
    // first, so that nothing reaches the half-destroyed object through a WeakRef or a
    // posted message while its parts are being torn down.
    void EndLiveness() { liveness_.reset(); }

private:
    std::shared_ptr<const int> liveness_;
};

// A pointer that turns null when its target is destroyed (the targets' liveness token).
template <class T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(T* target) // NOLINT: converts like a pointer
        : target_(target), token_(target != nullptr ? target->LivenessToken() : std::weak_ptr<const void>())
    {
    }
    T* Get() const { return token_.expired() ? nullptr : target_; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }
    void Reset() { *this = WeakRef(); }
    // Whether this refers to exactly that object (alive or not).
    bool Refers(const T* other) const { return other != nullptr && Get() == other; }

private:
    T* target_ = nullptr;
    std::weak_ptr<const void> token_;
};

// --- The posted-message queue ----------------------------------------------------------------
//
// One first-in, first-out queue for the whole program (everything runs on the GUI thread).
// PostMessage returns at once; the message is delivered through Perform by
// ProcessPostedMessages, which the application runs after the current event's handler.
// A message whose target has been destroyed meanwhile is dropped without a trace.

void PostMessage(MessageTarget* target, int msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
// Delivers queued messages in the order they were posted, including those posted by the
// handlers it runs, until the queue is empty; answers how many were delivered (dropped ones
// not counted). An exception from a handler leaves the rest of the queue for the next call.
// Called again from inside a handler (a nested message loop), it goes on with the same
// queue.
int ProcessPostedMessages();
// Messages waiting, dropped-to-be ones included.
std::size_t PostedMessageCount();
// Forgets every waiting message (tests start clean with it).
void ClearPostedMessages();
// Called after every PostMessage, so the Qt event loop can schedule a delivery; none by
// default. Answers the previous hook.
std::function<void()> SetMessagePostedHook(std::function<void()> hook);

} // namespace fw
