#pragma once

#include <string_view>

#include "model/block_design.h"

// The design of a 3/1 broken twill: the cells, and a second layer of the same size that marks
// the cells woven as long floats (a black pixel, addressed as the cells). Every change of the
// design's geometry changes the layer the same way, so a mark stays on its cell.
class TTWTwillBlockDesignItem : public TTWBlockDesignItem {
public:
    explicit TTWTwillBlockDesignItem(const fw::Bitmap* source = nullptr, TTWBlockDataClass dataClass = nullptr);

    std::string_view className() const override { return "TTWTwillBlockDesignItem"; }
    fw::Object* NewInstance() const override { return new TTWTwillBlockDesignItem; }

    // Also takes the marks of another twill design; from any other design, no marks.
    void Assign(const fw::Persistent* source) override;

    fw::Bitmap& LongFloats() { return longFloats_; }
    const fw::Bitmap& LongFloats() const { return longFloats_; }
    // False outside the design.
    bool IsLongFloat(int x, int y) const;
    // Outside the design: nothing.
    void SetLongFloat(int x, int y, bool value);

    void SetSize(int width, int height) override;
    void Mirror(int x1, int y1, bool columns, int y2, int x2) override;
    // The marks move with the cells; the strip left behind takes the source's marks when the
    // source is a twill design too, else none.
    void Shift(int x1, int y1, const TTWBlockDesignItem* source, fw::Color fillColour, int dy, int dx, int y2,
               int x2) override;
    void RotateLeft() override;
    void RotateRight() override;

private:
    fw::Bitmap longFloats_;
};
