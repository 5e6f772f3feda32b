#include "editors/weaving_image_frame_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/weaving.h"

namespace {

// Division rounding towards minus infinity, for positions left of or above the image.
int FloorDiv(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return static_cast<int>(std::clamp<long long>(quotient, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

} // namespace

TWeavingImageGeometry::TWeavingImageGeometry(int cellWidth, int centreHeight, int slantDepth, bool horizontal,
                                             bool realImage, int columns, int picks)
    : w_(std::clamp(cellWidth, 1, MaxCellSize)),
      h_(std::clamp(centreHeight, 0, MaxCellSize)),
      d_(std::clamp(slantDepth, 1, MaxCellSize)),
      horizontal_(horizontal),
      real_(realImage),
      columns_(std::max(columns, 0)),
      picks_(std::max(picks, 0))
{
}

int TWeavingImageGeometry::ScaledSize(int zoom, double ratio)
{
    const double scaled = static_cast<double>(zoom) * ratio;
    if (std::isnan(scaled)) {
        return 0;
    }
    // The current rounding mode is to nearest with halves to even.
    const double rounded = std::nearbyint(scaled);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(rounded);
}

fw::Size TWeavingImageGeometry::CellAreaSize() const
{
    const int across = columns_ * w_ + 1;
    const int along = picks_ * PickStep() + FirstPickInset();
    return horizontal_ ? fw::Size{along, across} : fw::Size{across, along};
}

fw::Point TWeavingImageGeometry::CellOrigin(int column, int pick) const
{
    const int alongBand = (picks_ - pick + 1) * PickStep() + FirstPickInset();
    if (horizontal_) {
        return fw::Point{alongBand, (columns_ - column) * w_};
    }
    return fw::Point{(column - 1) * w_, alongBand};
}

TWeavingCellPolygon TWeavingImageGeometry::CellPolygon(int column, int pick, int slant, int nextSlant) const
{
    const fw::Point o = CellOrigin(column, pick);
    const int x = o.X;
    const int y = o.Y;
    const int w = w_;
    const int h = h_;
    const int d = d_;
    if (!real_) {
        if (horizontal_) {
            return {fw::Point{x, y}, fw::Point{x, y + w}, fw::Point{x - d - h, y + w}, fw::Point{x - d - h, y}};
        }
        return {fw::Point{x, y}, fw::Point{x + w, y}, fw::Point{x + w, y - d - h}, fw::Point{x, y - d - h}};
    }
    TWeavingCellPolygon points;
    if (horizontal_) {
        if (slant == 0) {
            points[0] = fw::Point{x - d, y};
            points[1] = fw::Point{x, y + w};
        } else {
            points[0] = fw::Point{x, y};
            points[1] = fw::Point{x - d, y + w};
        }
        if (nextSlant == 0) {
            points[2] = fw::Point{x - d - h, y + w};
            points[3] = fw::Point{x - 2 * d - h, y};
        } else {
            points[2] = fw::Point{x - 2 * d - h, y + w};
            points[3] = fw::Point{x - d - h, y};
        }
        return points;
    }
    if (slant == 0) {
        points[0] = fw::Point{x, y};
        points[1] = fw::Point{x + w, y - d};
    } else {
        points[0] = fw::Point{x, y - d};
        points[1] = fw::Point{x + w, y};
    }
    if (nextSlant == 0) {
        points[2] = fw::Point{x + w, y - 2 * d - h};
        points[3] = fw::Point{x, y - d - h};
    } else {
        points[2] = fw::Point{x + w, y - d - h};
        points[3] = fw::Point{x, y - 2 * d - h};
    }
    return points;
}

TWeavingCellPolygon TWeavingImageGeometry::CellPolygon(const TTWWeaving& weaving, const TTWWeavingCell& cell) const
{
    const TTWWeavingCell* next = weaving.Cell(cell.Column(), cell.Pick() + 1);
    const int slant = cell.Slant;
    return CellPolygon(cell.ColumnNumber(), cell.PickNumber(), slant, next != nullptr ? next->Slant : slant);
}

fw::Point TWeavingImageGeometry::MarkerPoint(int column, int pick) const
{
    const fw::Point o = CellOrigin(column, pick);
    if (horizontal_) {
        fw::Point point{o.X + h_ / 2, o.Y + w_ / 2};
        // The real image's shape reaches D beyond the origin towards the later picks: to
        // the left here, as it reaches up in vertical orientation. Moving right instead
        // would put the mark on the cell of the pick before.
        if (real_) {
            point.X -= d_ / 2;
        }
        return point;
    }
    fw::Point point{o.X + w_ / 2, o.Y + h_ / 2};
    if (real_) {
        point.Y -= d_ / 2;
    }
    return point;
}

TWeavingCellRange TWeavingImageGeometry::CellsNear(const fw::Rect& area) const
{
    TWeavingCellRange range;
    if (area.IsEmpty() || columns_ == 0 || picks_ == 0) {
        return range;
    }
    // A cell draws its shape up to 2D + H beyond its origin, wide highlight lines, marks and
    // a tag letter (no larger than the cell's sizes) around it: this much room beyond the
    // area catches all of them.
    const long long margin = 2LL * (w_ + h_ + 2LL * d_) + 8;
    const int q = PickStep();
    const int e = FirstPickInset();
    // The area with x across the band and y along it.
    const fw::Rect bandArea = horizontal_ ? fw::Rect{area.Top, area.Left, area.Bottom, area.Right} : area;
    // Along the band: the pick whose origin lies at position s is P + 1 - (s - E) / Q.
    const long long alongFirst = static_cast<long long>(bandArea.Top) - margin;
    const long long alongLast = static_cast<long long>(bandArea.Bottom) + margin;
    range.FirstPick = std::max(1, picks_ + 1 - FloorDiv(alongLast - e, q));
    range.LastPick = std::min(picks_, picks_ + 1 - FloorDiv(alongFirst - e, q));
    // Across the band.
    const long long acrossFirst = static_cast<long long>(bandArea.Left) - margin;
    const long long acrossLast = static_cast<long long>(bandArea.Right) + margin;
    if (horizontal_) {
        range.FirstColumn = std::max(1, columns_ - FloorDiv(acrossLast, w_));
        range.LastColumn = std::min(columns_, columns_ - FloorDiv(acrossFirst, w_));
    } else {
        range.FirstColumn = std::max(1, FloorDiv(acrossFirst, w_) + 1);
        range.LastColumn = std::min(columns_, FloorDiv(acrossLast, w_) + 1);
    }
    return range;
}
