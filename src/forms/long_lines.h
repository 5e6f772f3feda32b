#pragma once

#include <functional>

#include "framework/core/canvas.h"

// Lines many thousand pixels long, drawn in pieces of at most LongLineSegment pixels: the
// block-design grid draws its lines across the whole design, and a raster device is happier
// with short strokes than with one stroke far beyond the surface.

inline constexpr int LongLineSegment = 2000;

// From the pen position along x to `x`, keeping the pen's y. While the target lies more
// than LongLineSegment pixels ahead, a segment of exactly that length is drawn and the next
// starts where it ended; the rest is the last stroke. A target behind the pen is one stroke.
void DrawHorzLineTo(fw::Canvas& canvas, int x);
// The same along y, keeping the pen's x.
void DrawVertLineTo(fw::Canvas& canvas, int y);

// The ends of the strokes that take a line from `from` to `to` on one axis, in drawing
// order; both routines above draw exactly these.
void ForEachLongLineStroke(int from, int to, const std::function<void(int end)>& stroke);
