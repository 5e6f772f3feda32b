#pragma once

#include "controls/control_brush.h"
#include "controls/il_brush.h"
#include "framework/core/object.h"

// A windowless control that fills its whole area with a brush; any change of the brush
// asks for a repaint. It carries its size and its painting here; mouse events and its place
// among the windows come from the control layer that hosts it.
class TILBrushFill : public fw::Component, public TILBrushControl {
public:
    // 100 pixels wide and 50 high, filled white.
    explicit TILBrushFill(fw::Component* owner = nullptr);
    ~TILBrushFill() override;

    std::string_view className() const override { return "TILBrushFill"; }

    TILBrush& Brush() { return brush_; }
    const TILBrush& Brush() const { return brush_; }
    // Copies the brush (TILBrush::Assign).
    void SetBrush(const TILBrush& brush);

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    fw::Rect ClientRect() const { return fw::Rect{0, 0, width_, height_}; }

    // The brush with a clear pen, then the client rectangle filled.
    void Paint(fw::Canvas& canvas);
    // Set by every change that needs a repaint, cleared by Paint.
    bool NeedsPaint() const { return needsPaint_; }

    void SetParentControl(TILBrushControl* parent) { parent_ = parent; }
    TILBrushControl* ParentControl() const override { return parent_; }
    bool Windowed() const override { return false; }
    void InvalidateControl() override { needsPaint_ = true; }
    void RealignControl() override {}
    const fw::Brush* ControlBrush() const override { return nullptr; }

private:
    TILBrush brush_;
    TILBrushControl* parent_ = nullptr;
    int width_ = 100;
    int height_ = 50;
    bool needsPaint_ = true;
};
