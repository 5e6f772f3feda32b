#pragma once

#include <string_view>

#include "framework/core/canvas.h"
#include "framework/gui/control.h"
#include "model/palette.h"

// A windowless circle: the hole circles of the card frames. The circle is the largest one
// that fits the control, centred in it, outlined with the pen and filled with the brush;
// a clear brush leaves the inside showing what lies beneath.
class TTWCircleShape : public fw::GraphicControl {
public:
    // 11 x 11, a black outline, filled white.
    explicit TTWCircleShape(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TShape"; }

    const fw::Brush& Brush() const { return brush_; }
    const fw::Pen& Pen() const { return pen_; }
    void SetBrush(const fw::Brush& brush);
    void SetPen(const fw::Pen& pen);

    // A palette colour: solid in that colour, or clear for "no colour" (NoColour).
    void ShowColour(TTWColour colour);
    // Clear inside: nothing to show.
    void ShowNothing();
    // Whether the inside is filled (false for a clear brush).
    bool Filled() const { return brush_.Style != fw::BrushStyle::Clear; }

    // The circle's bounds inside the control: the largest square that fits, centred.
    fw::Rect CircleRect() const;

protected:
    void Paint() override;

private:
    fw::Brush brush_{fw::clWhite, fw::BrushStyle::Solid, nullptr};
    fw::Pen pen_{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
};
