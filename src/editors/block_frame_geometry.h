#pragma once

#include <array>
#include <cstdint>

#include "framework/core/bitmap.h"
#include "framework/core/region.h"

// Where every cell of a block design lies on the block frame's main image, for one cell size,
// orientation and layout. Painting, the selection, the tags and the mouse take their
// positions from here, so what is drawn and what the pointer finds cannot drift apart.
//
// Cell (x, y): x the column from 0 at the left of the design, y the row from 0 at its bottom.
// Vertical orientation: column x spans image columns x*CW .. x*CW + CW - 1 and row y the image
// rows from (GH - y - 1)*CH. Horizontal orientation turns the design a quarter turn
// anticlockwise: column x spans the image rows from (GW - x - 1)*CW and row y the image
// columns from (GH - y - 1)*CH. Staggered, every odd column moves CH div 2 along the row
// direction (down in vertical, right in horizontal); the image does not grow for it.

// The cell's four corners as the cell drawing record carries them.
// Vertical: top-left, top-right, bottom-right, bottom-left.
// Horizontal: bottom-left, top-left, top-right, bottom-right.
using TBlockCellCorners = std::array<fw::Point, 4>;

struct TBlockFrameLayout {
    int GridWidth = 0;
    int GridHeight = 0;
    // The drawn cell size; values below 1 are taken as 1.
    int CellWidth = 10;
    int CellHeight = 10;
    bool Horizontal = false;
    bool Staggered = false;
    // The pick and card numbers; they get a margin only when each pick has room for them.
    bool ShowPickTags = false;
    int PicksPerRow = 1;
};

class TBlockFrameGeometry {
public:
    // A cell size larger than any screen, so image sizes stay inside an int.
    static constexpr int MaxCellSize = 1000;
    // The smallest pick height, in pixels, that tags are drawn for.
    static constexpr int MinTagHeight = 7;

    TBlockFrameGeometry() = default;
    explicit TBlockFrameGeometry(const TBlockFrameLayout& layout);

    // zoom x ratio rounded to the nearest integer (halves to even), held within
    // 1..MaxCellSize: a zero, negative or tiny ratio never gives a cell the pointer mapping
    // would divide by.
    static int CellSize(int zoom, double ratio);

    const TBlockFrameLayout& Layout() const { return layout_; }
    int CellWidth() const { return layout_.CellWidth; }
    int CellHeight() const { return layout_.CellHeight; }
    bool Horizontal() const { return layout_.Horizontal; }
    int GridWidth() const { return layout_.GridWidth; }
    int GridHeight() const { return layout_.GridHeight; }
    bool IsCellInGrid(int x, int y) const;

    // The tags' margin is used when tags are on and CH div PicksPerRow >= MinTagHeight.
    bool MarginInUse() const;
    // The margin's extra width and height: vertical (2*CH) div PPR and 2*CW, horizontal
    // 2*CW and (2*CH) div PPR; (0, 0) when not in use.
    fw::Size MarginSize() const;
    // The design's part of the image: GW*CW by GH*CH, swapped in horizontal orientation.
    fw::Size GridSize() const;
    // The whole image: the grid and the margin (right and below).
    fw::Size ImageSize() const;

    // The top-left pixel of the cell, with the staggered offset of an odd column.
    fw::Point CellOrigin(int x, int y) const;
    // The cell's pixels (right and bottom exclusive): CW x CH in vertical, CH x CW in
    // horizontal orientation.
    fw::Rect CellRect(int x, int y) const;
    TBlockCellCorners CellCorners(int x, int y) const;
    // The pixels of the cell whose record carries these corners (right and bottom exclusive), on
    // whatever picture the record was made for: a view draws a part of the image, moved.
    fw::Rect CellRectOf(const TBlockCellCorners& corners) const;
    // The pixels of the rectangle of cells between two opposite corners (any order).
    fw::Rect AreaRect(int x1, int y1, int x2, int y2) const;
    // Where the selection outline of that area runs: a pixel inside the area's edges, off the
    // grid lines (a not-xor outline over a grey line would stay grey), unless the area is too
    // small to leave anything inside.
    fw::Rect SelectionRect(int x1, int y1, int x2, int y2) const;

    // The cell under an image point. The answer may lie outside the grid (a row of -1 where
    // the staggered offset leaves a gap at the top); callers check IsCellInGrid.
    fw::Point CellAt(int px, int py) const;

    // The image position of column boundary i (0..GW, the left edge of column i, in
    // vertical orientation an x; in horizontal a y: the bottom edge of column i, counted
    // down from the top) and of row boundary j (0..GH, counted from the design's top edge:
    // in vertical a y, in horizontal an x). A boundary's line takes the first pixel of the
    // cell after it in image order; the grid's far edge, with no cell after it, its last pixel.
    int ColumnBoundary(int i) const;
    int RowBoundary(int j) const;

    // The rectangles the twining marks of one cell are drawn in: the whole cell, or one of
    // its two halves across the row direction (first: the half nearer the design's bottom,
    // row y's lower part in vertical orientation, its right part in horizontal).
    fw::Rect MarkRect(int x, int y) const;
    fw::Rect HalfMarkRect(int x, int y, bool first) const;

private:
    int StaggerOffset(int x) const;

    TBlockFrameLayout layout_;
};
