#include "framework/gui/test_driver.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/encoding.h"

namespace fw {

namespace {

const ShiftState ModifierKeys{ShiftFlag::Shift, ShiftFlag::Alt, ShiftFlag::Ctrl};

ShiftFlag FlagOf(MouseButton button)
{
    switch (button) {
    case MouseButton::Right: return ShiftFlag::Right;
    case MouseButton::Middle: return ShiftFlag::Middle;
    default: return ShiftFlag::Left;
    }
}

// One step from `from` towards `to`, at most `step` along each axis.
int StepTowards(int from, int to, int step)
{
    return from + std::clamp(to - from, -step, step);
}

} // namespace

TestDriver::TestDriver(Control& surface, std::int64_t startTime)
    : surface_(&surface), clock_(startTime), clockScope_(std::make_unique<ScopedClock>(clock_))
{
    if (DefaultPaintBackend() == nullptr) {
        backend_ = std::make_unique<FakePaintBackend>();
        SetDefaultPaintBackend(backend_.get());
    }
    router_ = std::make_unique<InputRouter>();
    if (auto* window = dynamic_cast<WinControl*>(&surface)) {
        router_->ActivateSurface(window);
    }
}

TestDriver::~TestDriver()
{
    router_.reset();
    if (backend_ != nullptr && DefaultPaintBackend() == backend_.get()) {
        SetDefaultPaintBackend(nullptr);
    }
}

void TestDriver::Settle()
{
    ProcessPostedMessages();
    PaintPendingControls();
}

void TestDriver::Advance(std::int64_t ms)
{
    clock_.Advance(ms);
    Settle();
}

// --- Mouse --------------------------------------------------------------------------------------

void TestDriver::MoveTo(Point point)
{
    pointer_ = point;
    router_->MouseMove(*surface_, point, State());
    Settle();
}

void TestDriver::Press(Point point, MouseButton button)
{
    if (point != pointer_) {
        MoveTo(point);
    }
    buttons_.Include(FlagOf(button));
    router_->MouseDown(*surface_, point, button, State());
    Settle();
}

void TestDriver::Release(Point point, MouseButton button)
{
    if (point != pointer_) {
        MoveTo(point);
    }
    buttons_.Exclude(FlagOf(button));
    router_->MouseUp(*surface_, point, button, State());
    Settle();
}

void TestDriver::Click(Point point, MouseButton button)
{
    Press(point, button);
    Release(point, button);
}

void TestDriver::DoubleClick(Point point, MouseButton button)
{
    Click(point, button);
    Click(point, button);
}

void TestDriver::DragMouse(Point from, Point to, int step, MouseButton button)
{
    step = std::max(step, 1);
    Press(from, button);
    Point at = from;
    while (at != to) {
        at = Point{StepTowards(at.X, to.X, step), StepTowards(at.Y, to.Y, step)};
        MoveTo(at);
    }
    Release(to, button);
}

bool TestDriver::Wheel(Point point, int notches)
{
    if (point != pointer_) {
        MoveTo(point);
    }
    const bool handled = router_->MouseWheel(*surface_, point, notches * 120, State());
    Settle();
    return handled;
}

void TestDriver::Leave()
{
    pointer_ = Point{-1, -1};
    router_->MouseExit(*surface_);
    Settle();
}

Point TestDriver::PointOf(const Control& control, Point clientPoint) const
{
    return surface_->ScreenToClient(control.ClientToScreen(clientPoint));
}

Point TestDriver::CentreOf(const Control& control) const
{
    return PointOf(control, Point{control.Width() / 2, control.Height() / 2});
}

// --- Keys ---------------------------------------------------------------------------------------

void TestDriver::SetModifiers(ShiftState modifiers)
{
    modifiers_ = modifiers & ModifierKeys;
}

void TestDriver::KeyDown(int key)
{
    KeyDown(key, CharacterOf(key, modifiers_));
}

void TestDriver::KeyDown(int key, char32_t character)
{
    router_->KeyDown(key, State(), character);
    Settle();
}

void TestDriver::KeyUp(int key)
{
    router_->KeyUp(key, State());
    Settle();
}

void TestDriver::PressKey(int key)
{
    KeyDown(key);
    KeyUp(key);
}

void TestDriver::PressKey(int key, ShiftState modifiers)
{
    const ShiftState held = modifiers_;
    SetModifiers(modifiers);
    PressKey(key);
    modifiers_ = held;
}

void TestDriver::Type(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t character = DecodeUtf8(text, pos);
        int key = VK_PACKET;
        ShiftState modifiers;
        if (character >= U'a' && character <= U'z') {
            key = static_cast<int>(character - U'a') + 'A';
        } else if (character >= U'A' && character <= U'Z') {
            key = static_cast<int>(character);
            modifiers = ShiftFlag::Shift;
        } else if ((character >= U'0' && character <= U'9') || character == U' ') {
            key = static_cast<int>(character);
        }
        const ShiftState held = modifiers_;
        modifiers_ = modifiers;
        KeyDown(key, character);
        KeyUp(key);
        modifiers_ = held;
    }
}

char32_t TestDriver::CharacterOf(int key, ShiftState modifiers)
{
    if (key >= 'A' && key <= 'Z') {
        if (modifiers.Contains(ShiftFlag::Ctrl)) {
            return static_cast<char32_t>(key - 'A' + 1);
        }
        return static_cast<char32_t>(modifiers.Contains(ShiftFlag::Shift) ? key : key - 'A' + 'a');
    }
    if (modifiers.Contains(ShiftFlag::Ctrl)) {
        return 0;
    }
    if ((key >= '0' && key <= '9') || key == VK_SPACE) {
        return static_cast<char32_t>(key);
    }
    switch (key) {
    case VK_RETURN: return U'\r';
    case VK_ESCAPE: return U'\x1b';
    case VK_TAB: return U'\t';
    case VK_BACK: return U'\b';
    default: return 0;
    }
}

} // namespace fw
