#pragma once

// The pixels a one-pixel pen covers along a line, as the canvas draws it: for code that has
// to meet the very same pixels (its own rasters, hit tests on drawn lines).

#include <algorithm>

#include "framework/core/bitmap.h"

namespace fw {

namespace line_pixels_detail {

// ceil(n / d) for d > 0.
inline long long CeilDiv(long long n, long long d)
{
    const long long q = n / d;
    return (n % d != 0 && n > 0) ? q + 1 : q;
}

} // namespace line_pixels_detail

// A one-pixel-wide Bresenham line from `from` towards `to`, end pixel left out: pixel i
// (0 <= i < the longer of |dx| and |dy|) steps i along the longer axis and k(i) along the
// other. Where the ideal line passes exactly between two pixels, lines running up (mostly
// horizontal ones) or left (mostly vertical ones) take the next row or column early, as
// the platform's rasteriser does, so a line and its reverse cover the same pixels between
// their ends. That rule gives k(i) in closed form, so the walk can start at any pixel and
// only the stretch that can reach `reach` is walked: a line running far outside the bitmap
// costs no more than one across it. plot(i, x, y) is called for each pixel walked.
template <class Plot>
void WalkLinePixels(Point from, Point to, const Rect& reach, Plot&& plot)
{
    const long long dx = static_cast<long long>(to.X) - from.X;
    const long long dy = static_cast<long long>(to.Y) - from.Y;
    const long long adx = dx < 0 ? -dx : dx;
    const long long ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx > ady;
    const long long major = xMajor ? adx : ady;
    const long long minor = xMajor ? ady : adx;
    const long long majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const long long minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long bias = (xMajor ? dy : dx) < 0 ? 1 : 0;
    const long long majorStart = xMajor ? from.X : from.Y;
    const long long minorStart = xMajor ? from.Y : from.X;
    // The steps whose major coordinate lies inside the reach.
    const long long low = xMajor ? reach.Left : reach.Top;
    const long long high = xMajor ? reach.Right : reach.Bottom;
    long long first = majorStep > 0 ? low - majorStart : majorStart - high + 1;
    long long last = majorStep > 0 ? high - majorStart : majorStart - low + 1;
    first = std::max(first, 0LL);
    last = std::min(last, major);
    if (first >= last) {
        return;
    }
    long long k = line_pixels_detail::CeilDiv(2 * minor * first - major + bias, 2 * major);
    long long err = 2 * minor * (first + 1) - major - 2 * major * k;
    long long along = majorStart + majorStep * first;
    long long across = minorStart + minorStep * k;
    for (long long i = first; i < last; ++i) {
        if (xMajor) {
            plot(i, static_cast<int>(along), static_cast<int>(across));
        } else {
            plot(i, static_cast<int>(across), static_cast<int>(along));
        }
        if (err + bias > 0) {
            across += minorStep;
            err += 2 * (minor - major);
        } else {
            err += 2 * minor;
        }
        along += majorStep;
    }
}

} // namespace fw
