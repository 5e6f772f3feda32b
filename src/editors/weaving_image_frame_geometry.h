#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "framework/core/bitmap.h"
#include "framework/core/region.h"

class TTWWeaving;
class TTWWeavingCell;

// The four corners of one cell as it is drawn: p0 and p1 along the cell's first-pick edge,
// p2 and p3 along its far edge (see TWeavingImageGeometry::CellPolygon).
using TWeavingCellPolygon = std::array<fw::Point, 4>;

// A cell of the band by its 1-based column and pick.
struct TWeavingCellPosition {
    int Column = 0;
    int Pick = 0;
    friend bool operator==(const TWeavingCellPosition&, const TWeavingCellPosition&) = default;
};

// The cells (1-based, inclusive) that may paint into an area of the image; empty when
// FirstColumn > LastColumn or FirstPick > LastPick.
struct TWeavingCellRange {
    int FirstColumn = 1;
    int LastColumn = 0;
    int FirstPick = 1;
    int LastPick = 0;
    bool IsEmpty() const { return FirstColumn > LastColumn || FirstPick > LastPick; }
};

// Where every cell of a woven band lies in the weaving image, for one set of cell sizes,
// orientation and image kind. Painting, the margins and the mouse all take their positions
// from here, so what is drawn and what the mouse finds cannot drift apart.
//
// W is the cell width (across the band), H the straight centre height of a pick, D the depth
// of its slanted ends, Q = H + D the distance from one pick to the next. The real image is D
// taller than its picks (E = D), because the last pick's far edge slants beyond them.
// Vertical: column 1 at the left, pick 1 at the bottom. Horizontal: column N at the top,
// pick 1 at the right.
class TWeavingImageGeometry {
public:
    // A cell size larger than any screen: it keeps the image's sizes inside an int for the
    // longest band the model accepts.
    static constexpr int MaxCellSize = 1000;

    TWeavingImageGeometry() = default;
    // The sizes are taken as they are but held within the drawable range: the width and the
    // slant depth at least 1 (the mouse mapping divides by them), the centre height at least
    // 0, each at most MaxCellSize.
    TWeavingImageGeometry(int cellWidth, int centreHeight, int slantDepth, bool horizontal, bool realImage,
                          int columns, int picks);

    // zoom x ratio rounded to the nearest integer, halves to even, as the cell sizes are
    // computed; values beyond the int range are held at its ends.
    static int ScaledSize(int zoom, double ratio);

    int CellWidth() const { return w_; }
    int CentreHeight() const { return h_; }
    int SlantDepth() const { return d_; }
    int PickStep() const { return h_ + d_; }
    // D in the real image, 0 in the block chart.
    int FirstPickInset() const { return real_ ? d_ : 0; }
    bool Horizontal() const { return horizontal_; }
    bool RealImage() const { return real_; }
    int Columns() const { return columns_; }
    int Picks() const { return picks_; }

    // The size of the cell area: vertical N x W + 1 wide and P x Q + E high, horizontal the
    // two swapped. Margins come on top of it.
    fw::Size CellAreaSize() const;

    // The cell's origin: its lower-left corner in vertical orientation, the corner of its
    // first-pick edge and upper side in horizontal orientation.
    fw::Point CellOrigin(int column, int pick) const;
    // The drawn shape of the cell. In the real image the first-pick edge follows the cell's
    // own slant and the far edge the slant of the same column in the next pick, so a change
    // of slant shows as a bend; the block chart ignores both.
    TWeavingCellPolygon CellPolygon(int column, int pick, int slant, int nextSlant) const;
    // The same for a cell of the band, with the next pick's slant looked up (the cell's own
    // slant in the last pick).
    TWeavingCellPolygon CellPolygon(const TTWWeaving& weaving, const TTWWeavingCell& cell) const;
    // The point the twist, reversal and idle marks are centred on: on the cell's first-pick
    // edge (moved by half the centre height), and in the real image moved half a slant
    // into the cell.
    fw::Point MarkerPoint(int column, int pick) const;

    // Every cell whose drawing (shape, lines, marks and tag) may reach into the area of the
    // image, with some cells to spare: painting these in the usual order gives the area the
    // same pixels as painting the whole image.
    TWeavingCellRange CellsNear(const fw::Rect& area) const;

    // The cell under a point of the image (weaving_image_frame_hit_test.cpp); none outside
    // the band. The real image follows the slanted boundaries between picks.
    std::optional<TWeavingCellPosition> CellAt(const TTWWeaving& weaving, int x, int y) const;

private:
    std::optional<TWeavingCellPosition> BlockCellAt(int x, int y) const;
    std::optional<TWeavingCellPosition> RealCellAt(const TTWWeaving& weaving, int x, int y) const;

    int w_ = 1;
    int h_ = 0;
    int d_ = 1;
    bool horizontal_ = false;
    bool real_ = true;
    int columns_ = 0;
    int picks_ = 0;
};
