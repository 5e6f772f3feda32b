// Painting the cells of a weaving image: fills, outlines, grid highlights, the block chart's
// lines and the outlines of long floats.

#include "editors/weaving_image_frame_painter.h"

#include <algorithm>
#include <cmath>

#include "model/user_settings.h"
#include "model/weaving.h"

void TWeavingImageStyle::TakeSettings(const TTWUserSettings& settings)
{
    BackColour = settings.General.BackColour;
    HighlightInterval = settings.General.GridHighlight.X;
    HighlightColour = settings.General.GridHighlight.Colour;
    HighlightWidthMode = settings.General.GridHighlight.Width;
    TwineUseDefault = settings.General.TwineUseDefault;
    STwineColour = settings.General.STwineColour;
    ZTwineColour = settings.General.ZTwineColour;
    LongFloat3Colour = settings.General.LongFloat3Colour;
    LongFloat4Colour = settings.General.LongFloat4Colour;
    LongFloat5Colour = settings.General.LongFloat5Colour;
    TurnDirDisplay = settings.WeavingImage.ShowTurnDir;
}

TWeavingImagePainter::TWeavingImagePainter(fw::Canvas& canvas, fw::Point offset, const TWeavingImageGeometry& geometry,
                                           const TWeavingImageStyle& style)
    : canvas_(canvas), offset_(offset), geometry_(geometry), style_(style)
{
    const fw::Region paintable = canvas.PaintableRegion();
    const fw::Rect bounds = paintable.Bounds();
    if (!paintable.IsEmpty() && paintable == fw::Region(bounds)) {
        raster_.emplace(canvas.Surface(), bounds);
    }
}

void TWeavingImagePainter::DrawCells(const TTWWeaving& weaving, const fw::Rect& area)
{
    const TWeavingCellRange range = geometry_.CellsNear(area);
    if (range.IsEmpty()) {
        return;
    }
    for (int pick = range.FirstPick; pick <= range.LastPick; ++pick) {
        for (int column = range.FirstColumn; column <= range.LastColumn; ++column) {
            if (const TTWWeavingCell* cell = weaving.Cell(column - 1, pick - 1)) {
                DrawCell(weaving, *cell);
            }
        }
    }
    if (!style_.MarkLongFloats) {
        return;
    }
    // Second pass: a float's outline spans several picks, and the picks after its first
    // one would otherwise paint over it. A float that begins before the area is outlined
    // from the first pick in it.
    for (int pick = range.FirstPick; pick <= range.LastPick; ++pick) {
        for (int column = range.FirstColumn; column <= range.LastColumn; ++column) {
            const TTWWeavingCell* cell = weaving.Cell(column - 1, pick - 1);
            if (cell == nullptr || !cell->InFloat || (!cell->IsFloatStart() && pick != range.FirstPick)) {
                continue;
            }
            if (const TTWWeavingCell* start = weaving.FloatStart(*cell)) {
                DrawFloatOutline(weaving, *start);
            }
        }
    }
}

fw::Color TWeavingImagePainter::FillColour(const TTWWeavingCell& cell) const
{
    if (style_.TagType == TTWTagType::Turn && style_.TurnDirDisplay == 2) {
        if (cell.TurnDir == TurnIdle) {
            return fw::clSilver;
        }
        return cell.TurnDir == TurnForwards ? fw::clWhite : fw::clBlack;
    }
    return style_.ShowColours ? cell.Colour : style_.BackColour;
}

void TWeavingImagePainter::DrawCell(const TTWWeaving& weaving, const TTWWeavingCell& cell)
{
    const TWeavingCellPolygon polygon = ShiftedPolygon(geometry_.CellPolygon(weaving, cell));
    const fw::Color fill = FillColour(cell);
    DrawShape(polygon, fill, style_.GridColour == fw::clNone ? fill : style_.GridColour);
    if (style_.GridHighlights) {
        DrawHighlights(cell, polygon);
    }
    if (!geometry_.RealImage()) {
        DrawDiagonal(cell, polygon, fill);
    }
    DrawMarks(cell);
    DrawTag(cell);
}

TWeavingCellPolygon TWeavingImagePainter::ShiftedPolygon(const TWeavingCellPolygon& polygon) const
{
    TWeavingCellPolygon shifted;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        shifted[i] = Shifted(polygon[i]);
    }
    return shifted;
}

void TWeavingImagePainter::DrawShape(const TWeavingCellPolygon& polygon, fw::Color fill, fw::Color pen)
{
    if (raster_) {
        // Cells and marks are convex by their making.
        raster_->FillAndOutlinePolygon(polygon, fw::ColorToRGB(fill), fw::ColorToRGB(pen), true);
        return;
    }
    canvas_.Pen() = fw::Pen{pen, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas_.Brush() = fw::Brush{fill, fw::BrushStyle::Solid, nullptr};
    canvas_.Polygon(polygon);
}

void TWeavingImagePainter::DrawLine(fw::Point from, fw::Point to, int width, fw::Color colour, fw::PenMode mode)
{
    if (raster_) {
        raster_->Line(from, to, width, fw::ColorToRGB(colour), mode);
        return;
    }
    canvas_.Pen() = fw::Pen{colour, width, fw::PenStyle::Solid, mode};
    canvas_.MoveTo(from.X, from.Y);
    canvas_.LineTo(to.X, to.Y);
    canvas_.Pen().Mode = fw::PenMode::Copy;
    canvas_.Pen().Width = 1;
}

void TWeavingImagePainter::DrawHighlights(const TTWWeavingCell& cell, const TWeavingCellPolygon& polygon)
{
    const int interval = style_.HighlightInterval;
    // An interval of 0 or less marks no columns (and must not be divided by).
    if (interval <= 0) {
        return;
    }
    const int w = geometry_.CellWidth();
    int width = 1;
    if (style_.HighlightWidthMode == 2) {
        width = std::max(w / 3, 1);
    } else if (style_.HighlightWidthMode == 3) {
        width = std::max(static_cast<int>(std::nearbyint(w / 1.5)), 1);
    }
    const int column = cell.ColumnNumber();
    const auto& p = polygon;
    if (column % interval == 0) {
        if (geometry_.Horizontal()) {
            DrawLine(fw::Point{p[0].X + width, p[0].Y}, fw::Point{p[3].X - width, p[3].Y}, width,
                     style_.HighlightColour, fw::PenMode::Copy);
        } else {
            DrawLine(fw::Point{p[1].X, p[1].Y + width}, p[2], width, style_.HighlightColour, fw::PenMode::Copy);
        }
    } else if (column % interval == 1) {
        if (geometry_.Horizontal()) {
            DrawLine(fw::Point{p[1].X + width, p[1].Y}, fw::Point{p[2].X - width, p[2].Y}, width,
                     style_.HighlightColour, fw::PenMode::Copy);
        } else {
            DrawLine(fw::Point{p[0].X, p[0].Y + width}, p[3], width, style_.HighlightColour, fw::PenMode::Copy);
        }
    }
}

void TWeavingImagePainter::DrawDiagonal(const TTWWeavingCell& cell, const TWeavingCellPolygon& polygon, fw::Color fill)
{
    bool flag = false;
    if (style_.ShowTwining) {
        flag = cell.Slant == 0;
    } else if (style_.TagType == TTWTagType::Turn && style_.TurnDirDisplay == 1 && !cell.IsIdle()) {
        flag = cell.TurnDir == TurnForwards;
    } else {
        return;
    }
    // A set flag runs from the lower left to the upper right.
    const std::size_t from = geometry_.Horizontal() ? (flag ? 1 : 0) : (flag ? 0 : 1);
    fw::Color colour = fw::clWhite;
    fw::PenMode mode = fw::PenMode::Xor;
    if (style_.TagType == TTWTagType::Turn && style_.TurnDirDisplay == 2) {
        // White exclusive-or, as set above.
    } else if (!style_.TwineUseDefault) {
        colour = flag ? style_.ZTwineColour : style_.STwineColour;
        mode = fw::PenMode::Copy;
    } else if (!style_.ShowColours) {
        colour = fill;
    }
    DrawLine(polygon[from], polygon[(from + 2) % 4], 2, colour, mode);
}

void TWeavingImagePainter::DrawFloatOutline(const TTWWeaving& weaving, const TTWWeavingCell& floatStart)
{
    const TTWWeavingCell* floatEnd = weaving.FloatEnd(floatStart);
    if (floatEnd == nullptr) {
        return;
    }
    const TWeavingCellPolygon s = ShiftedPolygon(geometry_.CellPolygon(weaving, floatStart));
    const TWeavingCellPolygon e = ShiftedPolygon(geometry_.CellPolygon(weaving, *floatEnd));
    const int length = weaving.FloatLength(floatStart);
    const fw::Color colour = length <= 3   ? style_.LongFloat3Colour
                             : length == 4 ? style_.LongFloat4Colour
                                           : style_.LongFloat5Colour;
    canvas_.Pen() = fw::Pen{colour, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas_.Brush().Style = fw::BrushStyle::Clear;
    if (!geometry_.RealImage()) {
        canvas_.Rectangle(e[3].X + 1, e[3].Y + 1, s[1].X, s[1].Y);
    } else if (geometry_.Horizontal()) {
        const fw::Point path[5] = {fw::Point{s[0].X - 1, s[0].Y + 1}, fw::Point{s[1].X - 1, s[1].Y - 1},
                                   fw::Point{e[2].X + 1, e[2].Y - 1}, fw::Point{e[3].X + 1, e[3].Y + 1},
                                   fw::Point{s[0].X - 1, s[0].Y + 1}};
        canvas_.Polyline(path);
    } else {
        const fw::Point path[5] = {fw::Point{s[0].X + 1, s[0].Y - 1}, fw::Point{s[1].X - 1, s[1].Y - 1},
                                   fw::Point{e[2].X - 1, e[2].Y + 1}, fw::Point{e[3].X + 1, e[3].Y + 1},
                                   fw::Point{s[0].X + 1, s[0].Y - 1}};
        canvas_.Polyline(path);
    }
    canvas_.Brush().Style = fw::BrushStyle::Solid;
}
