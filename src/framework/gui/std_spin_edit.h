#pragma once

#include <string_view>

#include "framework/gui/std_edit.h"

namespace fw {

// A single-line edit for a whole number with two small arrow buttons at its right edge: the
// upper one (or the Up key) adds Increment to the value, the lower one (or Down) takes it
// off. Only digits and a minus sign can be typed.
//
// Value reads the text as a number; a text that is not one counts as MinValue. While
// MinValue and MaxValue differ the value is kept between them, when it is read and when it is
// set; with both 0 (the default) any number goes.
class SpinEdit : public Edit {
public:
    static constexpr int ButtonWidth = 15;

    explicit SpinEdit(Component* owner = nullptr);

    std::string_view className() const override { return "TSpinEdit"; }

    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }

    int Value() const;
    // Shows the value (kept within the limits) as the text.
    void SetValue(int value);
    void StepUp() { SetValue(Value() + increment_); }
    void StepDown() { SetValue(Value() - increment_); }

    // The two buttons, in client coordinates.
    Rect UpButtonRect() const;
    Rect DownButtonRect() const;

    void KeyDown(int& key, ShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;

protected:
    void Paint() override;
    int TextRightInset() const override { return ButtonWidth; }

private:
    int Limited(int value) const;
    void PaintButton(fw::Canvas& canvas, const Rect& rect, bool up) const;

    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
};

} // namespace fw
