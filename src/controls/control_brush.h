#pragma once

#include "framework/core/canvas.h"

class TILBrush;

// What the brushes and bevels of this library need from the control that owns or shows
// them. The control layer implements it for its controls (a brush panel answers its fill
// brush), so this library paints without knowing windows.
class TILBrushControl {
public:
    virtual ~TILBrushControl() = default;

    // The parent control, none for a control without one.
    virtual TILBrushControl* ParentControl() const = 0;
    // A windowed control: it has a framework brush and lays out its children.
    virtual bool Windowed() const = 0;
    // Repaint later.
    virtual void InvalidateControl() = 0;
    // Lay out the aligned children again (their area depends on the bevel width).
    virtual void RealignControl() = 0;
    // The framework brush a windowed control paints its background with; none for a
    // windowless control.
    virtual const fw::Brush* ControlBrush() const = 0;

    // A brush panel answers the fill brush of its bevel; every other control none.
    virtual TILBrush* PanelFillBrush() const { return nullptr; }
    // Whether a brush panel paints with its parent's brush rather than its own.
    virtual bool PanelParentBrush() const { return false; }
};

// The brush with which a child paints as the control does: a brush panel's fill (or,
// when the panel follows its parent, the parent's, up the chain), any other control's
// framework brush. Nothing happens for no control or a control without a brush.
void ApplyControlBrush(const TILBrushControl* control, fw::Brush& dest);
