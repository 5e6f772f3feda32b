#pragma once

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"

// The small overview of a whole block design: its picture (one pixel per cell) drawn
// stretched over the control, each cell a block of the same size, and the control's colour
// around it.
class TBlockOverviewView : public fw::CustomControl {
public:
    explicit TBlockOverviewView(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TBlockOverviewView"; }

    // The picture and the size it is drawn at; the control takes that size.
    void SetPicture(const fw::Bitmap& picture, fw::Size drawnSize);
    fw::Size DrawnSize() const { return drawnSize_; }

protected:
    void Paint() override;

private:
    fw::Bitmap picture_;
    fw::Size drawnSize_;
};
