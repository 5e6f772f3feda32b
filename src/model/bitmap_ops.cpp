#include "model/bitmap_ops.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

// The region as a half-open rectangle.
fw::Rect RegionRect(int left, int top, int right, int bottom)
{
    return fw::Rect{left, top, right == INT_MAX ? right : right + 1, bottom == INT_MAX ? bottom : bottom + 1};
}

// The region cut to the bitmap.
fw::Rect ClippedRegion(const fw::Bitmap& bitmap, int left, int top, int right, int bottom)
{
    const fw::Rect region = RegionRect(left, top, right, bottom);
    return fw::Rect{std::max(region.Left, 0), std::max(region.Top, 0), std::min(region.Right, bitmap.Width()),
                    std::min(region.Bottom, bitmap.Height())};
}

// The turned image with the source's kind; place(x, y) gives the target of source (x, y).
template <class Place>
fw::Bitmap Turned(const fw::Bitmap& source, Place place)
{
    fw::Bitmap turned(source.Height(), source.Width(), source.Monochrome());
    turned.SetTransparentColor(source.TransparentColor());
    turned.SetTransparent(source.Transparent());
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint32_t* row = source.ScanLine(y);
        for (int x = 0; x < source.Width(); ++x) {
            const auto [toX, toY] = place(x, y);
            turned.ScanLine(toY)[toX] = row[x];
        }
    }
    return turned;
}

void Deliver(fw::Bitmap& source, fw::Bitmap* destination, fw::Bitmap turned)
{
    fw::Bitmap& target = destination != nullptr ? *destination : source;
    target = std::move(turned);
}

} // namespace

void ShiftBitmap(fw::Bitmap& bitmap, int left, int top, int right, int bottom, int dx, int dy,
                 const fw::Bitmap* background)
{
    const fw::Rect region = RegionRect(left, top, right, bottom);
    if (region.IsEmpty()) {
        return;
    }
    if (background != nullptr) {
        fw::Bitmap lifted(region.Width(), region.Height(), bitmap.Monochrome());
        lifted.CopyRect(0, 0, bitmap, region);
        bitmap.CopyRect(0, 0, *background, background->Bounds());
        bitmap.CopyRect(left + dx, top + dy, lifted, lifted.Bounds());
        return;
    }
    bitmap.CopyRect(left + dx, top + dy, bitmap, region);
    // The vacated strips over the region's full height or width. A move further than the
    // region is wide (or high) vacates all of it, and nothing beyond it.
    if (dx > 0) {
        bitmap.FillRect(fw::Rect{left, top, std::min(left + dx, region.Right), region.Bottom}, fw::Bitmap::White);
    } else if (dx < 0) {
        bitmap.FillRect(fw::Rect{std::max(region.Right + dx, left), top, region.Right, region.Bottom},
                        fw::Bitmap::White);
    }
    if (dy > 0) {
        bitmap.FillRect(fw::Rect{left, top, region.Right, std::min(top + dy, region.Bottom)}, fw::Bitmap::White);
    } else if (dy < 0) {
        bitmap.FillRect(fw::Rect{left, std::max(region.Bottom + dy, top), region.Right, region.Bottom},
                        fw::Bitmap::White);
    }
}

void ShiftBitmap(fw::Bitmap& bitmap, int dx, int dy, const fw::Bitmap* background)
{
    ShiftBitmap(bitmap, 0, 0, bitmap.Width() - 1, bitmap.Height() - 1, dx, dy, background);
}

void MirrorBitmapHorizontal(fw::Bitmap& bitmap, int left, int top, int right, int bottom)
{
    const fw::Rect region = ClippedRegion(bitmap, left, top, right, bottom);
    if (region.IsEmpty()) {
        return;
    }
    for (int y = region.Top; y < region.Bottom; ++y) {
        std::uint32_t* row = bitmap.ScanLine(y);
        std::reverse(row + region.Left, row + region.Right);
    }
}

void MirrorBitmapHorizontal(fw::Bitmap& bitmap)
{
    MirrorBitmapHorizontal(bitmap, 0, 0, bitmap.Width() - 1, bitmap.Height() - 1);
}

void MirrorBitmapVertical(fw::Bitmap& bitmap, int left, int top, int right, int bottom)
{
    const fw::Rect region = ClippedRegion(bitmap, left, top, right, bottom);
    if (region.IsEmpty()) {
        return;
    }
    for (int upper = region.Top, lower = region.Bottom - 1; upper < lower; ++upper, --lower) {
        std::swap_ranges(bitmap.ScanLine(upper) + region.Left, bitmap.ScanLine(upper) + region.Right,
                         bitmap.ScanLine(lower) + region.Left);
    }
}

void MirrorBitmapVertical(fw::Bitmap& bitmap)
{
    MirrorBitmapVertical(bitmap, 0, 0, bitmap.Width() - 1, bitmap.Height() - 1);
}

void RotateBitmapLeft(fw::Bitmap& source, fw::Bitmap* destination)
{
    // The turned bitmap's height is the source's width.
    const int lastRow = source.Width() - 1;
    Deliver(source, destination, Turned(source, [lastRow](int x, int y) { return std::pair{y, lastRow - x}; }));
}

void RotateBitmapRight(fw::Bitmap& source, fw::Bitmap* destination)
{
    // The turned bitmap's width is the source's height.
    const int lastColumn = source.Height() - 1;
    Deliver(source, destination, Turned(source, [lastColumn](int x, int y) { return std::pair{lastColumn - y, x}; }));
}
