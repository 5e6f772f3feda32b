#include "framework/core/bitmap.h"

#include <algorithm>
#include <cstring>

namespace fw {

Bitmap::Bitmap(int width, int height, bool monochrome)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), monochrome_(monochrome),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), White)
{
}

std::uint32_t Bitmap::MonochromeOf(std::uint32_t colour)
{
    const std::uint32_t red = colour & 0xFF;
    const std::uint32_t green = (colour >> 8) & 0xFF;
    const std::uint32_t blue = (colour >> 16) & 0xFF;
    // Integer weights of 0.299, 0.587, 0.114 summing to 1000; half of 255 is 127.5.
    const std::uint32_t luminance = red * 299 + green * 587 + blue * 114;
    return luminance * 2 < 255u * 1000u ? Black : White;
}

void Bitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    std::vector<std::uint32_t> resized(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), White);
    const int keptWidth = std::min(width, width_);
    const int keptHeight = std::min(height, height_);
    for (int y = 0; y < keptHeight; ++y) {
        const std::uint32_t* from = ScanLine(y);
        std::copy(from, from + keptWidth, resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
}

void Bitmap::SetMonochrome(bool monochrome)
{
    if (monochrome == monochrome_) {
        return;
    }
    monochrome_ = monochrome;
    if (monochrome_) {
        for (std::uint32_t& pixel : pixels_) {
            pixel = MonochromeOf(pixel);
        }
    }
}

namespace {

// The part of a copy that lies inside both bitmaps: the source corner, the destination
// corner and the size. Computed wide so that far-off offsets cannot overflow.
struct ClippedCopy {
    int sourceLeft = 0;
    int sourceTop = 0;
    int destLeft = 0;
    int destTop = 0;
    int columns = 0;
    int rows = 0;
};

bool ClipAxis(long long sourceFirst, long long sourceEnd, long long sourceSize, long long destFirst,
              long long destSize, int& sourceStart, int& destStart, int& length)
{
    long long first = std::max(sourceFirst, 0LL);
    const long long end = std::min(sourceEnd, sourceSize);
    long long dest = destFirst + (first - sourceFirst);
    if (dest < 0) {
        first -= dest;
        dest = 0;
    }
    const long long count = std::min(end - first, destSize - dest);
    if (count <= 0) {
        return false;
    }
    sourceStart = static_cast<int>(first);
    destStart = static_cast<int>(dest);
    length = static_cast<int>(count);
    return true;
}

bool Clip(const Rect& sourceRect, int sourceWidth, int sourceHeight, long long destLeft, long long destTop,
          int destWidth, int destHeight, ClippedCopy& clipped)
{
    return ClipAxis(sourceRect.Left, sourceRect.Right, sourceWidth, destLeft, destWidth, clipped.sourceLeft,
                    clipped.destLeft, clipped.columns) &&
           ClipAxis(sourceRect.Top, sourceRect.Bottom, sourceHeight, destTop, destHeight, clipped.sourceTop,
                    clipped.destTop, clipped.rows);
}

} // namespace

void Bitmap::CopyRect(int destLeft, int destTop, const Bitmap& source, const Rect& sourceRect)
{
    ClippedCopy clip;
    if (!Clip(sourceRect, source.width_, source.height_, destLeft, destTop, width_, height_, clip)) {
        return;
    }
    const int columns = clip.columns;
    const int rows = clip.rows;
    const int x = clip.destLeft;
    const int y = clip.destTop;
    const Rect from{clip.sourceLeft, clip.sourceTop, clip.sourceLeft + columns, clip.sourceTop + rows};

    if (monochrome_ && !source.monochrome_) {
        for (int row = 0; row < rows; ++row) {
            const std::uint32_t* in = source.ScanLine(from.Top + row) + from.Left;
            std::uint32_t* out = ScanLine(y + row) + x;
            for (int column = 0; column < columns; ++column) {
                out[column] = MonochromeOf(in[column]);
            }
        }
        return;
    }
    // A copy within one bitmap moving down must start at the bottom so that no source
    // row is overwritten before it is read; memmove takes care of the columns.
    const bool upwards = &source == this && y > from.Top;
    for (int step = 0; step < rows; ++step) {
        const int row = upwards ? rows - 1 - step : step;
        std::memmove(ScanLine(y + row) + x, source.ScanLine(from.Top + row) + from.Left,
                     static_cast<std::size_t>(columns) * sizeof(std::uint32_t));
    }
}

void Bitmap::FillRect(const Rect& rect, std::uint32_t colour)
{
    const int left = std::max(rect.Left, 0);
    const int right = std::min(rect.Right, width_);
    const int top = std::max(rect.Top, 0);
    const int bottom = std::min(rect.Bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t stored = Stored(colour);
    for (int y = top; y < bottom; ++y) {
        std::fill(ScanLine(y) + left, ScanLine(y) + right, stored);
    }
}

void Bitmap::Draw(int x, int y, const Bitmap& source)
{
    if (!source.transparent_) {
        CopyRect(x, y, source, source.Bounds());
        return;
    }
    if (&source == this) {
        const Bitmap copy(source);
        Draw(x, y, copy);
        return;
    }
    ClippedCopy clip;
    if (!Clip(source.Bounds(), source.width_, source.height_, x, y, width_, height_, clip)) {
        return;
    }
    const std::uint32_t skipped = source.transparentColor_;
    for (int row = 0; row < clip.rows; ++row) {
        const std::uint32_t* in = source.ScanLine(clip.sourceTop + row) + clip.sourceLeft;
        std::uint32_t* out = ScanLine(clip.destTop + row) + clip.destLeft;
        for (int column = 0; column < clip.columns; ++column) {
            if (in[column] != skipped) {
                out[column] = Stored(in[column]);
            }
        }
    }
}

bool Bitmap::SamePixels(const Bitmap& other) const
{
    return width_ == other.width_ && height_ == other.height_ && monochrome_ == other.monochrome_ &&
           pixels_ == other.pixels_;
}

} // namespace fw
