#pragma once

#include "framework/core/bitmap.h"

// Shifting, mirroring and quarter turns of the grids held as bitmaps (one pixel per cell):
// the double-face, twill, twist and font designs, the block-design grid and its clips.
//
// A region is given by its left, top, right and bottom pixel, all inclusive. The mirrors
// first cut the region to the bitmap; an empty region changes nothing.

// Moves the region's content by dx columns and dy rows (negative: left or up). The moved
// content lands wherever the displacement puts it, also outside the region, as a moved
// selection would; only the bitmap's edges clip it.
// Without a background the strips the move vacates become white: the dx (or -dx) columns
// at the region's left (right) edge and the dy (or -dy) rows at its top (bottom), across
// the region's full height (width).
// With a background the bitmap first takes the background's pixels (copied at 0, 0; the
// bitmap keeps its size), then the region's former content is put at its new place, so
// the vacated strips show the background.
void ShiftBitmap(fw::Bitmap& bitmap, int left, int top, int right, int bottom, int dx, int dy,
                 const fw::Bitmap* background);
void ShiftBitmap(fw::Bitmap& bitmap, int dx, int dy, const fw::Bitmap* background);

// Column x of the region goes to left + right - x.
void MirrorBitmapHorizontal(fw::Bitmap& bitmap, int left, int top, int right, int bottom);
void MirrorBitmapHorizontal(fw::Bitmap& bitmap);
// Row y of the region goes to top + bottom - y.
void MirrorBitmapVertical(fw::Bitmap& bitmap, int left, int top, int right, int bottom);
void MirrorBitmapVertical(fw::Bitmap& bitmap);

// The quarter turn counter-clockwise: the destination becomes source height x source width
// and the source pixel (x, y) goes to (y, destination height - 1 - x). The destination
// takes the source's monochrome flag and transparency. Without a destination (or with the
// source itself as destination) the source is turned in place.
void RotateBitmapLeft(fw::Bitmap& source, fw::Bitmap* destination);
// The clockwise quarter turn: the source pixel (x, y) goes to (destination width - 1 - y, x).
void RotateBitmapRight(fw::Bitmap& source, fw::Bitmap* destination);
