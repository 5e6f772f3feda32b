#include "editors/block_frame_geometry.h"

#include <algorithm>

#include "editors/weaving_image_frame_geometry.h"

namespace {

// Division rounding towards minus infinity, for pointer positions left of or above the image.
int FloorDiv(int numerator, int denominator)
{
    int quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return quotient;
}

} // namespace

TBlockFrameGeometry::TBlockFrameGeometry(const TBlockFrameLayout& layout) : layout_(layout)
{
    layout_.GridWidth = std::max(layout_.GridWidth, 0);
    layout_.GridHeight = std::max(layout_.GridHeight, 0);
    layout_.CellWidth = std::clamp(layout_.CellWidth, 1, MaxCellSize);
    layout_.CellHeight = std::clamp(layout_.CellHeight, 1, MaxCellSize);
    // The tags divide each row among its picks.
    layout_.PicksPerRow = std::max(layout_.PicksPerRow, 1);
}

int TBlockFrameGeometry::CellSize(int zoom, double ratio)
{
    // The weaving image rounds its cell sizes the same way; a NaN ratio comes back as 0 and is held
    // at 1 with the rest.
    return std::clamp(TWeavingImageGeometry::ScaledSize(zoom, ratio), 1, MaxCellSize);
}

bool TBlockFrameGeometry::IsCellInGrid(int x, int y) const
{
    return x >= 0 && y >= 0 && x < layout_.GridWidth && y < layout_.GridHeight;
}

bool TBlockFrameGeometry::MarginInUse() const
{
    return layout_.ShowPickTags && layout_.CellHeight / layout_.PicksPerRow >= MinTagHeight;
}

fw::Size TBlockFrameGeometry::MarginSize() const
{
    if (!MarginInUse()) {
        return fw::Size{0, 0};
    }
    const int alongPicks = (2 * layout_.CellHeight) / layout_.PicksPerRow;
    const int alongCards = 2 * layout_.CellWidth;
    return layout_.Horizontal ? fw::Size{alongCards, alongPicks} : fw::Size{alongPicks, alongCards};
}

fw::Size TBlockFrameGeometry::GridSize() const
{
    const int across = layout_.GridWidth * layout_.CellWidth;
    const int along = layout_.GridHeight * layout_.CellHeight;
    return layout_.Horizontal ? fw::Size{along, across} : fw::Size{across, along};
}

fw::Size TBlockFrameGeometry::ImageSize() const
{
    const fw::Size grid = GridSize();
    const fw::Size margin = MarginSize();
    return fw::Size{grid.Width + margin.Width, grid.Height + margin.Height};
}

int TBlockFrameGeometry::StaggerOffset(int x) const
{
    return layout_.Staggered && (x % 2 != 0) ? layout_.CellHeight / 2 : 0;
}

fw::Point TBlockFrameGeometry::CellOrigin(int x, int y) const
{
    const int along = (layout_.GridHeight - y - 1) * layout_.CellHeight + StaggerOffset(x);
    if (layout_.Horizontal) {
        return fw::Point{along, (layout_.GridWidth - x - 1) * layout_.CellWidth};
    }
    return fw::Point{x * layout_.CellWidth, along};
}

fw::Rect TBlockFrameGeometry::CellRect(int x, int y) const
{
    const fw::Point o = CellOrigin(x, y);
    if (layout_.Horizontal) {
        return fw::Rect{o.X, o.Y, o.X + layout_.CellHeight, o.Y + layout_.CellWidth};
    }
    return fw::Rect{o.X, o.Y, o.X + layout_.CellWidth, o.Y + layout_.CellHeight};
}

TBlockCellCorners TBlockFrameGeometry::CellCorners(int x, int y) const
{
    const int cw = layout_.CellWidth;
    const int ch = layout_.CellHeight;
    const fw::Point o = CellOrigin(x, y);
    if (layout_.Horizontal) {
        // The record counts the bottom as the first row below the cell, (GW - x) * CW.
        const int left = o.X;
        const int bottom = o.Y + cw;
        return {fw::Point{left, bottom}, fw::Point{left, bottom - cw}, fw::Point{left + ch - 1, bottom - cw},
                fw::Point{left + ch - 1, bottom}};
    }
    const int left = o.X;
    const int top = o.Y;
    return {fw::Point{left, top}, fw::Point{left + cw - 1, top}, fw::Point{left + cw - 1, top + ch - 1},
            fw::Point{left, top + ch - 1}};
}

fw::Rect TBlockFrameGeometry::CellRectOf(const TBlockCellCorners& corners) const
{
    if (layout_.Horizontal) {
        // Top-left is the second corner; the bottom is the first row below the cell.
        return fw::Rect{corners[1].X, corners[1].Y, corners[1].X + layout_.CellHeight,
                        corners[1].Y + layout_.CellWidth};
    }
    return fw::Rect{corners[0].X, corners[0].Y, corners[0].X + layout_.CellWidth, corners[0].Y + layout_.CellHeight};
}

fw::Rect TBlockFrameGeometry::AreaRect(int x1, int y1, int x2, int y2) const
{
    const int minX = std::min(x1, x2);
    const int maxX = std::max(x1, x2);
    const int minY = std::min(y1, y2);
    const int maxY = std::max(y1, y2);
    // The corner cells of the area, and beside them the columns of the other parity: when staggered
    // those reach half a cell further.
    const int columns[] = {minX, std::min(minX + 1, maxX), std::max(maxX - 1, minX), maxX};
    fw::Rect area = CellRect(minX, minY);
    for (const int x : columns) {
        for (const int y : {minY, maxY}) {
            const fw::Rect cell = CellRect(x, y);
            area.Left = std::min(area.Left, cell.Left);
            area.Top = std::min(area.Top, cell.Top);
            area.Right = std::max(area.Right, cell.Right);
            area.Bottom = std::max(area.Bottom, cell.Bottom);
        }
    }
    return area;
}

fw::Rect TBlockFrameGeometry::SelectionRect(int x1, int y1, int x2, int y2) const
{
    const fw::Rect area = AreaRect(x1, y1, x2, y2);
    const fw::Rect inside{area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1};
    return inside.IsEmpty() ? area : inside;
}

fw::Point TBlockFrameGeometry::CellAt(int px, int py) const
{
    const int cw = layout_.CellWidth;
    const int ch = layout_.CellHeight;
    int x = 0;
    int along = 0;
    if (layout_.Horizontal) {
        x = layout_.GridWidth - FloorDiv(py, cw) - 1;
        along = px;
    } else {
        x = FloorDiv(px, cw);
        along = py;
    }
    along -= StaggerOffset(x);
    const int y = along < 0 ? -1 : layout_.GridHeight - along / ch - 1;
    return fw::Point{x, y};
}

int TBlockFrameGeometry::ColumnBoundary(int i) const
{
    // A boundary line takes the first pixel of the cell after it; the outer boundary of the last
    // cell, which has none after it, takes that cell's last pixel.
    const int across = layout_.GridWidth * layout_.CellWidth;
    const int position = layout_.Horizontal ? (layout_.GridWidth - i) * layout_.CellWidth : i * layout_.CellWidth;
    return std::clamp(position, 0, std::max(across - 1, 0));
}

int TBlockFrameGeometry::RowBoundary(int j) const
{
    const int along = layout_.GridHeight * layout_.CellHeight;
    return std::clamp(j * layout_.CellHeight, 0, std::max(along - 1, 0));
}

fw::Rect TBlockFrameGeometry::MarkRect(int x, int y) const
{
    return CellRect(x, y);
}

fw::Rect TBlockFrameGeometry::HalfMarkRect(int x, int y, bool first) const
{
    fw::Rect cell = CellRect(x, y);
    // The design's bottom lies below the cell in vertical orientation and right of it in
    // horizontal; an odd cell height leaves the extra pixel to the first half.
    const int half = layout_.CellHeight / 2;
    if (layout_.Horizontal) {
        if (first) {
            cell.Left += half;
        } else {
            cell.Right = cell.Left + half;
        }
        return cell;
    }
    if (first) {
        cell.Top += half;
    } else {
        cell.Bottom = cell.Top + half;
    }
    return cell;
}
