#include "framework/gui/std_spin_edit.h"

#include <algorithm>
#include <string>

#include "framework/core/strings.h"
#include "framework/gui/std_panel.h"

namespace fw {

namespace {

bool Inside(const Rect& rect, Point point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

} // namespace

SpinEdit::SpinEdit(Component* owner) : Edit(owner)
{
    SetText("0");
}

int SpinEdit::Limited(int value) const
{
    if (minValue_ == maxValue_) {
        return value;
    }
    return std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

int SpinEdit::Value() const
{
    int value = 0;
    if (!TryStrToInt(Text(), value)) {
        value = minValue_;
    }
    return Limited(value);
}

void SpinEdit::SetValue(int value)
{
    SetText(std::to_string(Limited(value)));
}

Rect SpinEdit::UpButtonRect() const
{
    const int frame = FrameWidth();
    const int middle = Height() / 2;
    return Rect{Width() - frame - ButtonWidth, frame, Width() - frame, middle};
}

Rect SpinEdit::DownButtonRect() const
{
    const int frame = FrameWidth();
    const int middle = Height() / 2;
    return Rect{Width() - frame - ButtonWidth, middle, Width() - frame, Height() - frame};
}

void SpinEdit::KeyDown(int& key, ShiftState shift)
{
    if ((key == VK_UP || key == VK_DOWN) && !ReadOnly()) {
        Edit::KeyDown(key, shift);
        if (key == VK_UP) {
            StepUp();
        } else if (key == VK_DOWN) {
            StepDown();
        }
        key = 0;
        return;
    }
    Edit::KeyDown(key, shift);
}

void SpinEdit::KeyPress(char32_t& key)
{
    // Control characters (Backspace, the clipboard keys) keep their meaning.
    if (key >= U' ' && !(key >= U'0' && key <= U'9') && key != U'-') {
        key = 0;
        return;
    }
    Edit::KeyPress(key);
}

void SpinEdit::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    const Point at{x, y};
    if (button == MouseButton::Left && Enabled() && !ReadOnly()
        && (Inside(UpButtonRect(), at) || Inside(DownButtonRect(), at))) {
        if (CanFocus()) {
            SetFocus();
        }
        if (Inside(UpButtonRect(), at)) {
            StepUp();
        } else {
            StepDown();
        }
        return;
    }
    Edit::MouseDown(button, shift, x, y);
}

void SpinEdit::PaintButton(fw::Canvas& canvas, const Rect& rect, bool up) const
{
    canvas.Brush() = Brush{clBtnFace};
    canvas.FillRect(rect);
    DrawBevelFrame(canvas, rect, clBtnHighlight, clBtnShadow, 1);
    // A small triangle pointing up or down, in the middle of the button.
    const fw::Color ink = Enabled() ? clBtnText : clGrayText;
    const int centreX = (rect.Left + rect.Right) / 2;
    const int centreY = (rect.Top + rect.Bottom) / 2;
    for (int row = 0; row < 3; ++row) {
        const int y = up ? centreY - 1 + row : centreY + 1 - row;
        for (int x = centreX - row; x <= centreX + row; ++x) {
            canvas.SetPixel(x, y, ink);
        }
    }
}

void SpinEdit::Paint()
{
    Edit::Paint();
    fw::Canvas& canvas = Canvas();
    PaintButton(canvas, UpButtonRect(), true);
    PaintButton(canvas, DownButtonRect(), false);
}

} // namespace fw
