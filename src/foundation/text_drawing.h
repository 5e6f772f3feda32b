#pragma once

#include <string_view>

#include "foundation/text_layout.h"
#include "framework/core/canvas.h"

// Text drawn through a canvas: turned captions over pictures, and blocks of wrapped,
// aligned lines (see text_layout.h for the rules). Widths and the line height come from
// the canvas's font; all of these need a canvas with a paint backend.

// Draws the text turned counter-clockwise by angle degrees about (x, y), the top-left of
// its cell, over whatever is there (no background). The font is the canvas's name and
// height in its colour at normal weight, without italic, underline or strike-out; the
// canvas's own font is left as it was.
void RotatedTextOut(fw::Canvas& canvas, int x, int y, int angle, std::string_view text);

// The size of the text's lines in the canvas's font, as the callback form in
// text_layout.h; every line is the height of "X".
fw::Rect WrappedTextSize(const fw::Canvas& canvas, int width, std::string_view text, bool wrap);

// Draws the lines of the text placed in rect as LayoutWrappedText places them, each moved
// by the offsets (the clip rectangle is not) and drawn with TextRect, so nothing outside
// clip is painted, nor outside the canvas's clip region. Unless the brush is clear, each
// line's cell takes it as background; empty lines get none. Returns the rectangle the
// lines cover before the offsets (WrappedTextLayout::Used).
fw::Rect DrawWrappedText(fw::Canvas& canvas, const fw::Rect& rect, const fw::Rect& clip, int xOffset, int yOffset,
                         bool wrap, TextAlignment vertical, TextAlignment horizontal, std::string_view text);

// DrawWrappedText in the box of the four coordinates, which is also the clip rectangle.
fw::Rect DrawWrappedTextAt(fw::Canvas& canvas, int left, int top, int right, int bottom, int xOffset, int yOffset,
                           bool wrap, TextAlignment vertical, TextAlignment horizontal, std::string_view text);
