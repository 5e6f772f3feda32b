#pragma once

#include <array>
#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"

// Small button and list pictures drawn by our own code rather than loaded: drawn on a square
// of the named-image key colour, which is then marked transparent so that the face behind
// shows around the drawing; with arrows and letters of a tiny pixel font.

// A size x size picture of the key colour, to draw a glyph on.
fw::Bitmap BlankGlyph(int size);

// Marks the key colour of a finished glyph transparent.
void MarkGlyphTransparent(fw::Bitmap& picture);

// An arrow along a row (from and to on one y) or a column (on one x), its head at to: the
// pixel at to and, for each step back from it up to headSize, one pixel on either side.
void DrawGlyphArrow(fw::Canvas& canvas, fw::Point from, fw::Point to, int headSize, fw::Color ink);

// A letter of 3 x 5 cells, top row first, '#' for an inked cell.
using GlyphLetter = std::array<std::string_view, 5>;

// Draws the letter's inked cells as squares of cell pixels, from (left, top).
void DrawGlyphLetter(fw::Canvas& canvas, const GlyphLetter& letter, int left, int top, int cell, fw::Color ink);
