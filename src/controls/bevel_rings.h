#pragma once

#include <cstdint>

#include "framework/core/canvas.h"

// How a bevel ring is cut into the surface.
enum class TBevelCut : std::uint8_t { None = 0, Lowered = 1, Raised = 2, Space = 3 };

// The sides of a square bevel that are drawn, as a set of bits.
using TBevelEdges = std::uint8_t;
inline constexpr TBevelEdges beLeft = 1;
inline constexpr TBevelEdges beTop = 2;
inline constexpr TBevelEdges beRight = 4;
inline constexpr TBevelEdges beBottom = 8;
inline constexpr TBevelEdges beAllEdges = beLeft | beTop | beRight | beBottom;

enum class TGapSide : std::uint8_t { Left = 0, Top = 1, Right = 2, Bottom = 3 };

// An opening in one side of the rings, where a tab joins its page. From is the larger
// limit and To the smaller; the opening covers [To, From) along the side. Square bevels
// take the limits as offsets from the rectangle's Left (top and bottom sides) or Top (left
// and right sides), rounded bevels as absolute coordinates.
struct TILBevelGap {
    bool Present = false;
    TGapSide Side = TGapSide::Top;
    int From = 0;
    int To = 0;
};

// The rings of a square bevel in the inclusive rectangle: ring i (0 to width - 1) lies i
// pixels inside, drawn as one-pixel lines without their end pixels. The top-left colour
// goes on the left and top sides, the bottom-right colour on the bottom and right, drawn
// in that order: a ring's top-left corner pixel belongs to the top side and its
// bottom-right one to the right side. Only the sides in edges are drawn. The pen is left
// solid, one pixel wide, in copy mode and the bottom-right colour.
void DrawBevelLines(fw::Canvas& canvas, const fw::Rect& rect, int width, TBevelEdges edges, fw::Color topLeft,
                    fw::Color bottomRight, const TILBevelGap& gap);

// A rounded ring width pixels thick: the platform's rounded-rectangle region of the
// inclusive rectangle (corner ellipses horzRounding x vertRounding, and so one pixel short
// on the right and at the bottom) less the same region inset by width. The half above the
// diagonal from (Left - 1, Bottom - 1) to (Right, Top) takes the top-left colour, the rest
// the bottom-right colour: the whole bottom row and right column are bottom-right. The
// gap, when present, stays untouched. Nothing for a
// width of 0. The canvas's clip region is restored afterwards; the brush is left solid in
// the bottom-right colour.
void DrawRoundedBevelRing(fw::Canvas& canvas, const fw::Rect& rect, int width, int horzRounding, int vertRounding,
                          fw::Color topLeft, fw::Color bottomRight, const TILBevelGap& gap);
