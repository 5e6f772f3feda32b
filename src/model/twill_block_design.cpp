#include "model/twill_block_design.h"

#include <algorithm>

#include "model/bitmap_ops.h"

TTWTwillBlockDesignItem::TTWTwillBlockDesignItem(const fw::Bitmap* source, TTWBlockDataClass dataClass)
    : TTWBlockDesignItem(source, dataClass), longFloats_(0, 0, true)
{
}

void TTWTwillBlockDesignItem::Assign(const fw::Persistent* source)
{
    TTWBlockDesignItem::Assign(source);
    if (const auto* twill = dynamic_cast<const TTWTwillBlockDesignItem*>(source)) {
        longFloats_ = twill->longFloats_;
    } else {
        // A plain design has no long floats.
        longFloats_ = fw::Bitmap(Width(), Height(), true);
    }
}

bool TTWTwillBlockDesignItem::IsLongFloat(int x, int y) const
{
    if (x < 0 || y < 0 || x >= longFloats_.Width() || y >= longFloats_.Height()) {
        return false;
    }
    return longFloats_.Pixel(x, longFloats_.Height() - 1 - y) == fw::Bitmap::Black;
}

void TTWTwillBlockDesignItem::SetLongFloat(int x, int y, bool value)
{
    if (x < 0 || y < 0 || x >= longFloats_.Width() || y >= longFloats_.Height()) {
        return;
    }
    longFloats_.SetPixel(x, longFloats_.Height() - 1 - y, value ? fw::Bitmap::Black : fw::Bitmap::White);
}

void TTWTwillBlockDesignItem::SetSize(int width, int height)
{
    TTWBlockDesignItem::SetSize(width, height);
    // Like the cells: the marks keep their top-left pixels, and new cells carry none.
    longFloats_.SetSize(std::max(width, 0), std::max(height, 0));
}

void TTWTwillBlockDesignItem::Mirror(int x1, int y1, bool columns, int y2, int x2)
{
    TTWBlockDesignItem::Mirror(x1, y1, columns, y2, x2);
    const int height = longFloats_.Height();
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = height - 1 - std::max(y1, y2);
    const int bottom = height - 1 - std::min(y1, y2);
    if (columns) {
        MirrorBitmapHorizontal(longFloats_, left, top, right, bottom);
    } else {
        MirrorBitmapVertical(longFloats_, left, top, right, bottom);
    }
}

void TTWTwillBlockDesignItem::Shift(int x1, int y1, const TTWBlockDesignItem* source, fw::Color fillColour, int dy,
                                    int dx, int y2, int x2)
{
    TTWBlockDesignItem::Shift(x1, y1, source, fillColour, dy, dx, y2, x2);
    const int height = longFloats_.Height();
    const auto* twill = dynamic_cast<const TTWTwillBlockDesignItem*>(source);
    // Up in the design is up the bitmap: towards its first row.
    ShiftBitmap(longFloats_, std::min(x1, x2), height - 1 - std::max(y1, y2), std::max(x1, x2),
                height - 1 - std::min(y1, y2), dx, -dy, twill != nullptr ? &twill->longFloats_ : nullptr);
}

void TTWTwillBlockDesignItem::RotateLeft()
{
    TTWBlockDesignItem::RotateLeft();
    RotateBitmapLeft(longFloats_, nullptr);
}

void TTWTwillBlockDesignItem::RotateRight()
{
    TTWBlockDesignItem::RotateRight();
    RotateBitmapRight(longFloats_, nullptr);
}
