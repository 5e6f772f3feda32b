// Painting a block design onto the block frame's main image.
//
// Every cell paints only inside its own rectangle (cut to the grid): its fill or triangles and its
// twining marks. The grid lines come after all cells, each line a band of whole pixels. So a cell
// painted again, followed by the grid lines cut to that cell, leaves the image exactly as painting
// everything afresh would: a drag repaints one cell, not the image, and any part of the image
// painted alone (what a view shows) is that part of the whole. Only the cells that reach into the
// part are visited. It takes the fast road where it can: the overview is stretched row by row into
// the bitmap, each distinct row built once and copied down.

#include "editors/block_frame_painter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "framework/gui/control.h"
#include "model/user_settings.h"

namespace {

using Pixel = std::uint32_t;

fw::Rect Intersect(const fw::Rect& a, const fw::Rect& b)
{
    return fw::Rect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                    std::min(a.Bottom, b.Bottom)};
}

long long FloorDiv(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return quotient;
}

long long CeilDiv(long long numerator, long long denominator)
{
    return -FloorDiv(-numerator, denominator);
}

// Rounds halves up (towards plus infinity).
long long RoundDiv(long long numerator, long long denominator)
{
    return FloorDiv(2 * numerator + denominator, 2 * denominator);
}

fw::Rect GridRect(const TBlockFrameGeometry& geometry)
{
    const fw::Size grid = geometry.GridSize();
    return fw::Rect{0, 0, grid.Width, grid.Height};
}

// The record of a cell with its position and corners always filled in, whatever the source
// answered.
TBlockCellInfo CellRecord(const TBlockCellInfoSource& source, const TBlockFrameGeometry& geometry, int x, int y)
{
    TBlockCellInfo info = source ? source(x, y) : TBlockCellInfo{};
    info.Column = x;
    info.Row = y;
    info.Corners = geometry.CellCorners(x, y);
    return info;
}

// --- Shapes ----------------------------------------------------------------------------

// How many pixels from the left of row r of a w x h rectangle lie below its diagonal from the
// top-left to the bottom-right corner: the pixel centres (c + 1/2, r + 1/2) with
// (2c + 1) h < (2r + 1) w; with onDiagonal also those exactly on it.
int LowerLeftCount(int w, int h, int r, bool onDiagonal)
{
    const long long numerator = (2LL * r + 1) * w - h;
    const long long denominator = 2LL * h;
    const long long count = onDiagonal ? FloorDiv(numerator, denominator) + 1 : CeilDiv(numerator, denominator);
    return static_cast<int>(std::clamp<long long>(count, 0, w));
}

// The pixels [left, right) of row r (0 at the top) of a mark from the bottom-left to the top-right
// corner of a w x h rectangle: the pixels the centre line passes through in that row (at least the
// nearest one), widened by one pixel to the left, as a two-pixel pen widens a line. The rows
// together run unbroken from corner to corner.
std::pair<int, int> SlashRun(int w, int h, int r)
{
    if (h <= 1) {
        return {0, w};
    }
    const long long k = h - 1 - r; // rows from the bottom
    const long long slope = w - 1;
    const long long rise = 2LL * (h - 1);
    long long first = CeilDiv((2 * k - 1) * slope, rise);
    long long last = FloorDiv((2 * k + 1) * slope, rise);
    if (first > last) {
        first = last = RoundDiv(2 * k * slope, rise);
    }
    return {static_cast<int>(std::max(first - 1, 0LL)),
            static_cast<int>(std::min(last + 1, static_cast<long long>(w)))};
}

// The shapes of a cell's triangles and marks, row by row, worked out once per size: an image holds
// thousands of cells of one or two sizes.
class ShapeRows {
public:
    enum Kind { Slash, LowerLeft, LowerLeftWithDiagonal };

    // Slash: each row's run of the mark; the others: each row's count in the first member.
    const std::vector<std::pair<int, int>>& Rows(Kind kind, int w, int h)
    {
        for (const Entry& entry : entries_) {
            if (entry.Shape == kind && entry.W == w && entry.H == h) {
                return entry.Rows;
            }
        }
        Entry& entry = entries_.emplace_back(Entry{kind, w, h, {}});
        entry.Rows.reserve(static_cast<std::size_t>(h));
        for (int r = 0; r < h; ++r) {
            entry.Rows.push_back(kind == Slash ? SlashRun(w, h, r)
                                               : std::pair{LowerLeftCount(w, h, r, kind == LowerLeftWithDiagonal), 0});
        }
        return entry.Rows;
    }

private:
    struct Entry {
        Kind Shape;
        int W;
        int H;
        std::vector<std::pair<int, int>> Rows;
    };
    // A deque keeps the rows handed out in place as entries are added.
    std::deque<Entry> entries_;
};

fw::Rect Shifted(const fw::Rect& rect, fw::Point by)
{
    return fw::Rect{rect.Left + by.X, rect.Top + by.Y, rect.Right + by.X, rect.Bottom + by.Y};
}

// Where the cells, marks and lines are painted: straight into the bitmap when the canvas may paint
// one whole rectangle (it always may on the frame's own image), else through the canvas's fills so
// its clip region holds. Either way nothing is painted outside the limit. Positions are the image's;
// image point p lands on p + offset of the bitmap (a view shows a part of the image).
class Target {
public:
    explicit Target(fw::Canvas& canvas) : canvas_(&canvas), bitmap_(canvas.Surface())
    {
        const fw::Region paintable = canvas.PaintableRegion();
        clip_ = paintable.Bounds();
        direct_ = paintable.IsEmpty() || paintable == fw::Region(clip_);
        limit_ = clip_;
    }
    explicit Target(fw::Bitmap& bitmap) : bitmap_(bitmap), clip_(bitmap.Bounds()), direct_(true), limit_(clip_) {}
    // Into the bitmap's clip rectangle, the image moved by the offset.
    Target(fw::Bitmap& bitmap, fw::Point offset, const fw::Rect& clip)
        : bitmap_(bitmap), offset_(offset), clip_(Intersect(clip, bitmap.Bounds())), direct_(true),
          limit_(Shifted(clip_, fw::Point{-offset.X, -offset.Y}))
    {
    }

    // In image positions.
    void SetLimit(const fw::Rect& limit) { limit_ = limit; }

    void Fill(const fw::Rect& rect, fw::Color colour)
    {
        const fw::Rect r = Shifted(Intersect(rect, limit_), offset_);
        if (r.IsEmpty()) {
            return;
        }
        if (!direct_) {
            canvas_->Brush() = fw::Brush{colour, fw::BrushStyle::Solid, nullptr};
            canvas_->FillRect(r);
            return;
        }
        const fw::Rect d = Intersect(r, clip_);
        if (d.IsEmpty()) {
            return;
        }
        const Pixel stored = bitmap_.Stored(fw::ColorToRGB(colour));
        for (int y = d.Top; y < d.Bottom; ++y) {
            Pixel* row = bitmap_.ScanLine(y);
            std::fill(row + d.Left, row + d.Right, stored);
        }
    }
    void Run(int y, int left, int right, fw::Color colour) { Fill(fw::Rect{left, y, right, y + 1}, colour); }

    // One run in each row of a w wide shape from (left, top), mirrored left to right when told: the
    // rows of a mark.
    void Runs(int left, int top, int w, const std::vector<std::pair<int, int>>& runs, bool mirrored, fw::Color colour)
    {
        const int bottom = top + static_cast<int>(runs.size());
        if (!direct_) {
            for (int y = top; y < bottom; ++y) {
                const auto [from, to] = runs[static_cast<std::size_t>(y - top)];
                Run(y, left + (mirrored ? w - to : from), left + (mirrored ? w - from : to), colour);
            }
            return;
        }
        // Straight into the bitmap: the colour and the clipping worked out once.
        const fw::Rect open = Shifted(clip_, fw::Point{-offset_.X, -offset_.Y});
        const fw::Rect d = Intersect(Intersect(limit_, open), fw::Rect{left, top, left + w, bottom});
        if (d.IsEmpty()) {
            return;
        }
        const Pixel stored = bitmap_.Stored(fw::ColorToRGB(colour));
        for (int y = d.Top; y < d.Bottom; ++y) {
            const auto [from, to] = runs[static_cast<std::size_t>(y - top)];
            const int runLeft = std::max(left + (mirrored ? w - to : from), d.Left);
            const int runRight = std::min(left + (mirrored ? w - from : to), d.Right);
            if (runLeft < runRight) {
                Pixel* row = bitmap_.ScanLine(y + offset_.Y) + offset_.X;
                std::fill(row + runLeft, row + runRight, stored);
            }
        }
    }

    ShapeRows& Shapes() { return shapes_; }

private:
    ShapeRows shapes_;
    fw::Canvas* canvas_ = nullptr;
    fw::Bitmap& bitmap_;
    fw::Point offset_{};
    fw::Rect clip_;
    bool direct_ = true;
    fw::Rect limit_;
};

// Keeps the canvas's drawing tools as the caller left them.
class ToolsKept {
public:
    explicit ToolsKept(fw::Canvas& canvas)
        : canvas_(canvas), pen_(canvas.Pen()), brush_(canvas.Brush()), font_(canvas.Font()), penPos_(canvas.PenPos())
    {
    }
    ~ToolsKept()
    {
        canvas_.Pen() = pen_;
        canvas_.Brush() = brush_;
        canvas_.Font() = font_;
        canvas_.SetPenPos(penPos_);
    }
    ToolsKept(const ToolsKept&) = delete;
    ToolsKept& operator=(const ToolsKept&) = delete;

private:
    fw::Canvas& canvas_;
    fw::Pen pen_;
    fw::Brush brush_;
    fw::Font font_;
    fw::Point penPos_;
};

// --- Triangles and marks -----------------------------------------------------------------

// A two-coloured cell: two triangles split by a diagonal, which is the first twining byte's.
// Together they cover every pixel of the cell once (the pixels the diagonal crosses go to the
// second colour, as the second triangle is laid over the first).
//   vertical, byte 1:        "\" with the first colour lower-left, the second upper-right;
//   vertical, otherwise:     "/" with the first colour lower-right, the second upper-left;
//   horizontal, byte not 0:  "/" as above;
//   horizontal, byte 0:      "\" with the first colour upper-right, the second lower-left.
void DrawTriangles(Target& target, const fw::Rect& cell, const TBlockCellInfo& info, bool horizontal)
{
    const int w = cell.Width();
    const int h = cell.Height();
    const bool backslash = horizontal ? info.Twine1 == 0 : info.Twine1 == 1;
    const bool firstBelow = !backslash || !horizontal;
    const auto& counts =
        target.Shapes().Rows(firstBelow ? ShapeRows::LowerLeft : ShapeRows::LowerLeftWithDiagonal, w, h);
    for (int r = 0; r < h; ++r) {
        const int y = cell.Top + r;
        const int count = counts[static_cast<std::size_t>(r)].first;
        if (!backslash) {
            // The lower-right part is the lower-left one mirrored.
            target.Run(y, cell.Left, cell.Right - count, info.SecondColour);
            target.Run(y, cell.Right - count, cell.Right, info.FirstColour);
        } else if (!horizontal) {
            target.Run(y, cell.Left, cell.Left + count, info.FirstColour);
            target.Run(y, cell.Left + count, cell.Right, info.SecondColour);
        } else {
            target.Run(y, cell.Left, cell.Left + count, info.SecondColour);
            target.Run(y, cell.Left + count, cell.Right, info.FirstColour);
        }
    }
}

void DrawMark(Target& target, const fw::Rect& rect, bool slash, fw::Color colour)
{
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    // "\" is "/" mirrored left to right.
    target.Runs(rect.Left, rect.Top, w, target.Shapes().Rows(ShapeRows::Slash, w, h), !slash, colour);
}

// One twining byte's mark. The colour follows the twining (S for 1, Z for 0) in either orientation;
// the slant is that of the band as the image shows it, so turning the image a quarter turn turns
// "/" into "\".
void DrawTwineMark(Target& target, const fw::Rect& rect, std::uint8_t twine, const TBlockFrameStyle& style,
                   bool horizontal)
{
    const bool z = twine == TwineSlash;
    const fw::Color colour = style.TwineUseDefault ? style.GridColour : (z ? style.ZTwineColour : style.STwineColour);
    DrawMark(target, rect, z != horizontal, colour);
}

void DrawTwineMarksOf(Target& target, const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style,
                      const TBlockCellInfo& info)
{
    const int x = info.Column;
    const int y = info.Row;
    const bool horizontal = geometry.Horizontal();
    if (info.Twine2 == TwineWholeCell) {
        DrawTwineMark(target, geometry.MarkRect(x, y), info.Twine1, style, horizontal);
        return;
    }
    DrawTwineMark(target, geometry.HalfMarkRect(x, y, true), info.Twine1, style, horizontal);
    DrawTwineMark(target, geometry.HalfMarkRect(x, y, false), info.Twine2, style, horizontal);
}

// --- Grid lines ----------------------------------------------------------------------------

int HighlightWidth(const TBlockFrameStyle& style, int cellWidth)
{
    if (style.HighlightWidthMode == 2) {
        return std::max(cellWidth / 3, 1);
    }
    if (style.HighlightWidthMode == 3) {
        return std::max(static_cast<int>(std::nearbyint(cellWidth / 1.5)), 1);
    }
    return 1;
}

// One boundary line across the whole grid: the band [Start, Start + Width) of image columns
// (AcrossX) or image rows, centred on the boundary's pixel as a pen of that width would be (the
// extra pixel of an even width before it).
struct BoundaryLine {
    bool AcrossX = false;
    int Start = 0;
    int Width = 1;
    bool Highlighted = false;
};

class GridLines {
public:
    GridLines(const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style)
        : geometry_(geometry), style_(style), highlightWidth_(HighlightWidth(style, geometry.CellWidth()))
    {
    }

    BoundaryLine Column(int i) const
    {
        const bool highlighted = style_.ShowGridHighlights && style_.HighlightX > 0 && i % style_.HighlightX == 0;
        return Line(!geometry_.Horizontal(), geometry_.ColumnBoundary(i), highlighted);
    }
    BoundaryLine Row(int j) const
    {
        const bool highlighted = !geometry_.Layout().Staggered && style_.ShowGridHighlights && style_.HighlightY > 0 &&
                                 j % style_.HighlightY == 0;
        return Line(geometry_.Horizontal(), geometry_.RowBoundary(j), highlighted);
    }

    // Every line cut to the limit, in the order they are painted: the plain lines first (columns,
    // then rows), the highlighted ones over them. Staggered, the row lines are one short line per
    // column and cell.
    template <class Sink>
    void ForEach(const fw::Rect& limit, Sink&& sink) const
    {
        const fw::Rect grid = GridRect(geometry_);
        const fw::Rect area = Intersect(limit, grid);
        if (area.IsEmpty()) {
            return;
        }
        const auto emit = [&](const fw::Rect& rect, fw::Color colour) {
            const fw::Rect r = Intersect(rect, area);
            if (!r.IsEmpty()) {
                sink(r, colour);
            }
        };
        const auto rectOf = [&](const BoundaryLine& line) {
            return line.AcrossX ? fw::Rect{line.Start, grid.Top, line.Start + line.Width, grid.Bottom}
                                : fw::Rect{grid.Left, line.Start, grid.Right, line.Start + line.Width};
        };
        const int gw = geometry_.GridWidth();
        const int gh = geometry_.GridHeight();
        for (const bool highlighted : {false, true}) {
            const fw::Color colour = highlighted ? style_.HighlightColour : style_.GridColour;
            for (int i = 0; i <= gw; ++i) {
                const BoundaryLine line = Column(i);
                if (line.Highlighted == highlighted) {
                    emit(rectOf(line), colour);
                }
            }
            if (geometry_.Layout().Staggered) {
                if (!highlighted) {
                    StaggeredRows(area, grid, emit);
                }
                continue;
            }
            for (int j = 0; j <= gh; ++j) {
                const BoundaryLine line = Row(j);
                if (line.Highlighted == highlighted) {
                    emit(rectOf(line), colour);
                }
            }
        }
    }

    // The short row lines of a staggered grid that reach into the area, one per column and cell
    // boundary.
    template <class Emit>
    void StaggeredRows(const fw::Rect& area, const fw::Rect& grid, Emit& emit) const
    {
        const int cw = geometry_.CellWidth();
        const int ch = geometry_.CellHeight();
        const int gw = geometry_.GridWidth();
        const int gh = geometry_.GridHeight();
        const bool horizontal = geometry_.Horizontal();
        // Only the columns the area reaches into.
        int firstColumn = 0;
        int lastColumn = 0;
        if (horizontal) {
            firstColumn = gw - 1 - (area.Bottom - 1) / cw;
            lastColumn = gw - 1 - area.Top / cw;
        } else {
            firstColumn = area.Left / cw;
            lastColumn = (area.Right - 1) / cw;
        }
        firstColumn = std::max(firstColumn, 0);
        lastColumn = std::min(lastColumn, gw - 1);
        const int along = horizontal ? grid.Right : grid.Bottom;
        for (int x = firstColumn; x <= lastColumn; ++x) {
            const int offset = x % 2 != 0 ? ch / 2 : 0;
            for (int j = 0; j <= gh; ++j) {
                const int position = std::clamp(j * ch + offset, 0, along - 1);
                if (horizontal) {
                    const int top = (gw - x - 1) * cw;
                    emit(fw::Rect{position, top, position + 1, top + cw}, style_.GridColour);
                } else {
                    emit(fw::Rect{x * cw, position, x * cw + cw, position + 1}, style_.GridColour);
                }
            }
        }
    }

private:
    BoundaryLine Line(bool acrossX, int position, bool highlighted) const
    {
        const int width = highlighted ? highlightWidth_ : 1;
        return BoundaryLine{acrossX, position - width / 2, width, highlighted};
    }

    const TBlockFrameGeometry& geometry_;
    const TBlockFrameStyle& style_;
    int highlightWidth_;
};

// What the lines across the whole grid make of each image column and row: 0 nothing, 1 a grid line,
// 2 a highlight. A pixel shows the larger of its column's and its row's: highlights lie over plain
// lines whichever way they cross, so this is what painting the lines one by one gives. Staggered,
// the row lines are short and not counted here.
struct LineClasses {
    std::vector<std::uint8_t> Columns;
    std::vector<std::uint8_t> Rows;
    Pixel Grid = 0;
    Pixel Highlight = 0;
    // A row of the grid that is a plain line all along: the grid colour crossed by the highlighted
    // columns.
    std::vector<Pixel> LineRow;
    // The image columns with a line, to lay them into a row without a look at every pixel.
    std::vector<std::size_t> LineColumns;

    LineClasses(const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style)
    {
        const fw::Size grid = geometry.GridSize();
        Columns.assign(static_cast<std::size_t>(grid.Width), 0);
        Rows.assign(static_cast<std::size_t>(grid.Height), 0);
        Grid = fw::ColorToRGB(style.GridColour);
        Highlight = fw::ColorToRGB(style.HighlightColour);
        const GridLines lines(geometry, style);
        const auto mark = [&](const BoundaryLine& line) {
            std::vector<std::uint8_t>& classes = line.AcrossX ? Columns : Rows;
            const int size = static_cast<int>(classes.size());
            const std::uint8_t value = line.Highlighted ? 2 : 1;
            for (int p = std::max(line.Start, 0); p < std::min(line.Start + line.Width, size); ++p) {
                classes[static_cast<std::size_t>(p)] = std::max(classes[static_cast<std::size_t>(p)], value);
            }
        };
        for (int i = 0; i <= geometry.GridWidth(); ++i) {
            mark(lines.Column(i));
        }
        if (!geometry.Layout().Staggered) {
            for (int j = 0; j <= geometry.GridHeight(); ++j) {
                mark(lines.Row(j));
            }
        }
        LineRow.resize(Columns.size());
        for (std::size_t p = 0; p < Columns.size(); ++p) {
            LineRow[p] = Columns[p] == 2 ? Highlight : Grid;
            if (Columns[p] != 0) {
                LineColumns.push_back(p);
            }
        }
    }

    // Lays the lines into the image columns [left, right) of one row of the grid; `row` is where
    // column `left` goes.
    void Apply(Pixel* row, int y, int left, int right) const
    {
        const std::uint8_t rowClass = Rows[static_cast<std::size_t>(y)];
        if (rowClass == 2) {
            std::fill(row, row + (right - left), Highlight);
        } else if (rowClass == 1) {
            std::copy(LineRow.begin() + left, LineRow.begin() + right, row);
        } else {
            LayColumns(row, left, right);
        }
    }

    // The column lines alone into [left, right) of a row.
    void LayColumns(Pixel* row, int left, int right) const
    {
        const auto first = std::lower_bound(LineColumns.begin(), LineColumns.end(), static_cast<std::size_t>(left));
        for (auto p = first; p != LineColumns.end() && *p < static_cast<std::size_t>(right); ++p) {
            row[*p - static_cast<std::size_t>(left)] = LineRow[*p];
        }
    }
};

// A rectangle of the image: where it lies in the bitmap drawn on (image point p at p + Offset), and
// which of its pixels are drawn (Area, image positions, inside the grid where cells are drawn).
struct Window {
    fw::Bitmap& Surface;
    fw::Point Offset;
    fw::Rect Area;

    Pixel* Row(int y) const { return Surface.ScanLine(y + Offset.Y) + (Area.Left + Offset.X); }
    void Fill(const fw::Rect& rect, Pixel colour) const
    {
        const fw::Rect r = Intersect(rect, Area);
        if (!r.IsEmpty()) {
            Surface.FillRect(Shifted(r, Offset), colour);
        }
    }
};

// The grid lines over the window, row by row: a line down the image drawn pixel by pixel would reach
// into every row once per line.
void DrawAllLines(const Window& window, const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style)
{
    const fw::Rect grid = GridRect(geometry);
    const fw::Rect area = Intersect(window.Area, grid);
    if (area.IsEmpty()) {
        return;
    }
    if (geometry.Layout().Staggered) {
        // The short lines first; the long ones, plain or highlighted, lie over them as painting the
        // lines one by one would leave them.
        const GridLines lines(geometry, style);
        const Pixel colour = fw::ColorToRGB(style.GridColour);
        const auto emit = [&](const fw::Rect& rect, fw::Color) { window.Fill(Intersect(rect, area), colour); };
        lines.StaggeredRows(area, grid, emit);
    }
    const LineClasses classes(geometry, style);
    for (int y = area.Top; y < area.Bottom; ++y) {
        classes.Apply(window.Surface.ScanLine(y + window.Offset.Y) + (area.Left + window.Offset.X), y, area.Left,
                      area.Right);
    }
}

// Copies a row of pixels into the image. A large image is far bigger than the caches, and its rows
// are written once and not read again while it is drawn: on x86 they go straight to memory
// (streaming stores) instead of being read into the cache first, which halves the memory traffic of
// a whole redraw.
void CopyRow(const Pixel* from, Pixel* to, std::size_t count)
{
#if defined(__SSE2__)
    std::size_t i = 0;
    while (i < count && (reinterpret_cast<std::uintptr_t>(to + i) & 15U) != 0) {
        to[i] = from[i];
        ++i;
    }
    for (; i + 4 <= count; i += 4) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
    }
    for (; i < count; ++i) {
        to[i] = from[i];
    }
#else
    std::copy(from, from + count, to);
#endif
}

// The overview stretched over the window's part of the grid, every cell an exact block, straight
// into the bitmap's rows; staggered, the odd columns moved half a cell with the back colour in the
// gap. With lines given, the grid lines are laid in as the rows are written.
void FillOverview(const Window& window, const fw::Bitmap& snapshot, const TBlockFrameGeometry& geometry, Pixel back,
                  const LineClasses* lines)
{
    const fw::Size grid = geometry.GridSize();
    const fw::Rect area = Intersect(window.Area, GridRect(geometry));
    if (area.IsEmpty()) {
        return;
    }
    const int left = area.Left;
    const int right = area.Right;
    const std::size_t width = static_cast<std::size_t>(area.Width());
    const bool horizontal = geometry.Horizontal();
    const int cw = geometry.CellWidth();
    const int ch = geometry.CellHeight();
    const int gw = geometry.GridWidth();
    const int gh = geometry.GridHeight();
    const int half = geometry.Layout().Staggered ? ch / 2 : 0;
    const auto offsetOf = [&](int x) { return x % 2 != 0 ? half : 0; };

    // The pixels [from, to) of the grid, cut to the window, in one colour.
    std::vector<Pixel> cells(width);
    const auto span = [&](int from, int to, Pixel colour) {
        from = std::max(from, left);
        to = std::min(to, right);
        if (from < to) {
            std::fill(cells.data() + (from - left), cells.data() + (to - left), colour);
        }
    };
    const auto build = [&](int py) {
        if (horizontal) {
            const int band = py / cw;
            const int offset = offsetOf(gw - 1 - band);
            span(0, std::min(offset, grid.Width), back);
            for (int column = std::max((left - offset) / ch, 0); column < gh; ++column) {
                const int start = column * ch + offset;
                if (start >= right) {
                    break;
                }
                span(start, std::min(start + ch, grid.Width), snapshot.Pixel(column, band));
            }
        } else {
            for (int x = left / cw; x <= (right - 1) / cw; ++x) {
                const int along = py - offsetOf(x);
                const Pixel colour = along < 0 ? back : snapshot.Pixel(x, along / ch);
                span(x * cw, (x + 1) * cw, colour);
            }
        }
        if (lines != nullptr) {
            lines->LayColumns(cells.data(), left, right);
        }
    };

    // Rows in one band of cells are alike: each is built once and copied down.
    std::pair<int, int> built{INT_MIN, INT_MIN};
    for (int py = area.Top; py < area.Bottom; ++py) {
        const std::pair<int, int> key =
            horizontal ? std::pair{py / cw, 0} : std::pair{py / ch, py < half ? -1 : (py - half) / ch};
        Pixel* row = window.Row(py);
        const std::uint8_t rowClass = lines != nullptr ? lines->Rows[static_cast<std::size_t>(py)] : 0;
        if (rowClass == 2) {
            std::fill(row, row + width, lines->Highlight);
            continue;
        }
        if (rowClass == 1) {
            CopyRow(lines->LineRow.data() + left, row, width);
            continue;
        }
        if (key != built) {
            build(py);
            built = key;
        }
        CopyRow(cells.data(), row, width);
    }
#if defined(__SSE2__)
    // The streamed rows are in memory before anything reads the image.
    _mm_sfence();
#endif
}

// Calls cell(x, y) for every cell of the grid that may paint into the area (image positions): a few
// more at the edges, never one the area cannot reach.
template <class Cell>
void ForEachCellIn(const TBlockFrameGeometry& geometry, const fw::Rect& area, Cell&& cell)
{
    const fw::Rect inside = Intersect(area, GridRect(geometry));
    if (inside.IsEmpty()) {
        return;
    }
    const int cw = geometry.CellWidth();
    const int ch = geometry.CellHeight();
    const int gw = geometry.GridWidth();
    const int gh = geometry.GridHeight();
    const int half = geometry.Layout().Staggered ? ch / 2 : 0;
    // Across the columns and along the rows, in image pixels.
    const int acrossFrom = geometry.Horizontal() ? inside.Top : inside.Left;
    const int acrossTo = geometry.Horizontal() ? inside.Bottom : inside.Right;
    const int alongFrom = geometry.Horizontal() ? inside.Left : inside.Top;
    const int alongTo = geometry.Horizontal() ? inside.Right : inside.Bottom;
    int firstBand = acrossFrom / cw;
    int lastBand = (acrossTo - 1) / cw;
    // A staggered column starts half a cell further along.
    const int firstRow = std::max(static_cast<int>(FloorDiv(alongFrom - half, ch)), 0);
    const int lastRow = std::min((alongTo - 1) / ch, gh - 1);
    firstBand = std::max(firstBand, 0);
    lastBand = std::min(lastBand, gw - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = gh - 1 - row;
        for (int band = firstBand; band <= lastBand; ++band) {
            cell(geometry.Horizontal() ? gw - 1 - band : band, y);
        }
    }
}

// A cell through its record: its fill or triangles, its marks, the editor's drawing (on the canvas,
// with the record's corners where the cell lies on it).
void PaintRecord(Target& target, fw::Canvas* canvas, fw::Point offset, const TBlockFrameGeometry& geometry,
                 const TBlockFrameStyle& style, const TBlockCellInfo& info, const TBlockDrawCellHook& hook)
{
    const fw::Rect cell = geometry.CellRect(info.Column, info.Row);
    if (info.FirstColour != info.SecondColour) {
        DrawTriangles(target, cell, info, geometry.Horizontal());
    } else {
        target.Fill(cell, info.FirstColour);
    }
    if (style.ShowTwist) {
        DrawTwineMarksOf(target, geometry, style, info);
    }
    if (hook && canvas != nullptr) {
        if (offset == fw::Point{}) {
            hook(info, *canvas);
        } else {
            TBlockCellInfo shifted = info;
            for (fw::Point& corner : shifted.Corners) {
                corner = fw::Point{corner.X + offset.X, corner.Y + offset.Y};
            }
            hook(shifted, *canvas);
        }
    }
}

} // namespace

void TBlockFrameStyle::TakeSettings(const TTWUserSettings& settings)
{
    HighlightX = settings.General.GridHighlight.X;
    HighlightY = settings.General.GridHighlight.Y;
    HighlightColour = settings.General.GridHighlight.Colour;
    HighlightWidthMode = settings.General.GridHighlight.Width;
    TwineUseDefault = settings.General.TwineUseDefault;
    STwineColour = settings.General.STwineColour;
    ZTwineColour = settings.General.ZTwineColour;
}

TBlockFramePainter::TBlockFramePainter(const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style,
                                       TBlockCellInfoSource cellInfo, TBlockDrawCellHook drawCell)
    : geometry_(geometry), style_(style), cellInfo_(std::move(cellInfo)), drawCell_(std::move(drawCell))
{
}

void TBlockFramePainter::BuildSnapshot(fw::Bitmap& snapshot, const TBlockFrameGeometry& geometry,
                                       const SnapshotRow& row)
{
    const int gw = geometry.GridWidth();
    const int gh = geometry.GridHeight();
    if (snapshot.Monochrome()) {
        snapshot.SetMonochrome(false);
    }
    if (geometry.Horizontal()) {
        snapshot.SetSize(gh, gw);
    } else {
        snapshot.SetSize(gw, gh);
    }
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(gw));
    for (int y = 0; y < gh; ++y) {
        row(y, colours.data());
        if (geometry.Horizontal()) {
            // Turned a quarter: the design row is a column of the overview, its first cell
            // at the bottom.
            const int column = gh - 1 - y;
            for (int x = 0; x < gw; ++x) {
                snapshot.ScanLine(gw - 1 - x)[column] = colours[static_cast<std::size_t>(x)] & fw::Bitmap::White;
            }
        } else {
            std::uint32_t* to = snapshot.ScanLine(gh - 1 - y);
            for (int x = 0; x < gw; ++x) {
                to[x] = colours[static_cast<std::size_t>(x)] & fw::Bitmap::White;
            }
        }
    }
}

void TBlockFramePainter::SetSnapshotCell(fw::Bitmap& snapshot, const TBlockFrameGeometry& geometry, int x, int y,
                                         fw::Color colour)
{
    const int gw = geometry.GridWidth();
    const int gh = geometry.GridHeight();
    if (geometry.Horizontal()) {
        snapshot.SetPixel(gh - 1 - y, gw - 1 - x, fw::ColorToRGB(colour));
    } else {
        snapshot.SetPixel(x, gh - 1 - y, fw::ColorToRGB(colour));
    }
}

void TBlockFramePainter::DrawImage(fw::Bitmap& image, const fw::Bitmap& snapshot) const
{
    const fw::Size size = geometry_.ImageSize();
    if (image.Monochrome()) {
        image.SetMonochrome(false);
    }
    // Same size, same storage: nothing is allocated for a redraw.
    image.SetSize(size.Width, size.Height);
    fw::Canvas canvas(image, fw::DefaultPaintBackend());
    DrawArea(canvas, fw::Point{}, image.Bounds(), snapshot);
}

void TBlockFramePainter::DrawArea(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area,
                                  const fw::Bitmap& snapshot) const
{
    const fw::Size size = geometry_.ImageSize();
    const fw::Region paintable = canvas.PaintableRegion();
    const fw::Rect open = paintable.Bounds();
    const fw::Rect shown = Intersect(Intersect(area, fw::Rect{0, 0, size.Width, size.Height}),
                                     Shifted(open, fw::Point{-offset.X, -offset.Y}));
    if (shown.IsEmpty()) {
        return;
    }
    if (!(paintable == fw::Region(open))) {
        // A clip of many rectangles: the area is painted aside and copied through it.
        fw::Bitmap aside(shown.Width(), shown.Height());
        fw::Canvas asideCanvas(aside, canvas.Backend());
        DrawArea(asideCanvas, fw::Point{-shown.Left, -shown.Top}, shown, snapshot);
        canvas.CopyRect(Shifted(shown, offset), aside, aside.Bounds());
        return;
    }

    const Window window{canvas.Surface(), offset, shown};
    const fw::Size grid = geometry_.GridSize();
    const Pixel back = fw::ColorToRGB(style_.BackColour);
    window.Fill(fw::Rect{grid.Width, 0, size.Width, size.Height}, back);
    window.Fill(fw::Rect{0, grid.Height, grid.Width, size.Height}, back);
    const fw::Rect cells = Intersect(shown, GridRect(geometry_));
    if (cells.IsEmpty()) {
        return;
    }
    const bool staggered = geometry_.Layout().Staggered;

    bool linesDone = false;
    if (style_.CellByCell) {
        if (staggered) {
            window.Fill(cells, back);
        }
        Target target(canvas.Surface(), offset, Shifted(shown, offset));
        // The editor's drawing stays inside the area too, and leaves the caller's tools alone.
        ToolsKept kept(canvas);
        const std::optional<fw::Region> clip = canvas.ClipRegion();
        canvas.IntersectClipRect(Shifted(shown, offset));
        ForEachCellIn(geometry_, cells, [&](int x, int y) {
            target.SetLimit(Intersect(geometry_.CellRect(x, y), cells));
            PaintRecord(target, &canvas, offset, geometry_, style_, CellRecord(cellInfo_, geometry_, x, y), drawCell_);
        });
        canvas.SetClipRegion(clip);
    } else if (style_.ShowTwist) {
        FillOverview(window, snapshot, geometry_, back, nullptr);
        Target target(canvas.Surface(), offset, Shifted(shown, offset));
        ForEachCellIn(geometry_, cells, [&](int x, int y) {
            target.SetLimit(Intersect(geometry_.CellRect(x, y), cells));
            DrawTwineMarksOf(target, geometry_, style_, CellRecord(cellInfo_, geometry_, x, y));
        });
    } else if (style_.ShowGrid && !staggered) {
        // Nothing between the cells and the lines: both go in with the rows.
        const LineClasses lines(geometry_, style_);
        FillOverview(window, snapshot, geometry_, back, &lines);
        linesDone = true;
    } else {
        FillOverview(window, snapshot, geometry_, back, nullptr);
    }

    if (style_.ShowGrid && !linesDone) {
        DrawAllLines(window, geometry_, style_);
    }
}

void TBlockFramePainter::DrawCell(fw::Canvas& canvas, int x, int y, bool gridLines) const
{
    if (!geometry_.IsCellInGrid(x, y)) {
        return;
    }
    ToolsKept kept(canvas);
    const fw::Rect cell = Intersect(geometry_.CellRect(x, y), GridRect(geometry_));
    Target target(canvas);
    target.SetLimit(cell);
    PaintRecord(target, &canvas, fw::Point{}, geometry_, style_, CellRecord(cellInfo_, geometry_, x, y), drawCell_);
    if (gridLines && style_.ShowGrid) {
        // The editor's drawing may have changed the canvas's clipping.
        Target lines(canvas);
        lines.SetLimit(cell);
        GridLines(geometry_, style_).ForEach(cell, [&](const fw::Rect& rect, fw::Color colour) {
            lines.Fill(rect, colour);
        });
    }
}

void TBlockFramePainter::DrawSnapshotCell(fw::Canvas& canvas, const fw::Bitmap& snapshot, int x, int y,
                                          bool gridLines) const
{
    if (!geometry_.IsCellInGrid(x, y)) {
        return;
    }
    ToolsKept kept(canvas);
    const fw::Rect cell = Intersect(geometry_.CellRect(x, y), GridRect(geometry_));
    Target target(canvas);
    target.SetLimit(cell);
    const int gw = geometry_.GridWidth();
    const int gh = geometry_.GridHeight();
    const Pixel colour =
        geometry_.Horizontal() ? snapshot.Pixel(gh - 1 - y, gw - 1 - x) : snapshot.Pixel(x, gh - 1 - y);
    target.Fill(cell, colour);
    if (style_.ShowTwist) {
        DrawTwineMarksOf(target, geometry_, style_, CellRecord(cellInfo_, geometry_, x, y));
    }
    if (gridLines && style_.ShowGrid) {
        GridLines(geometry_, style_).ForEach(cell, [&](const fw::Rect& rect, fw::Color lineColour) {
            target.Fill(rect, lineColour);
        });
    }
}

void TBlockFramePainter::DrawGridLines(fw::Canvas& canvas) const
{
    ToolsKept kept(canvas);
    Target target(canvas);
    target.SetLimit(GridRect(geometry_));
    GridLines(geometry_, style_).ForEach(GridRect(geometry_), [&](const fw::Rect& rect, fw::Color colour) {
        target.Fill(rect, colour);
    });
}

void TBlockFramePainter::DrawTwineMarks(fw::Canvas& canvas, const TBlockCellInfo& info) const
{
    if (!geometry_.IsCellInGrid(info.Column, info.Row)) {
        return;
    }
    ToolsKept kept(canvas);
    Target target(canvas);
    target.SetLimit(Intersect(geometry_.CellRect(info.Column, info.Row), GridRect(geometry_)));
    DrawTwineMarksOf(target, geometry_, style_, info);
}

void TBlockFramePainter::DrawTags(fw::Canvas& canvas) const
{
    const fw::Size image = geometry_.ImageSize();
    DrawTags(canvas, fw::Point{}, fw::Rect{0, 0, image.Width, image.Height});
}

void TBlockFramePainter::DrawTags(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) const
{
    if (!geometry_.MarginInUse()) {
        return;
    }
    const fw::Size grid = geometry_.GridSize();
    const fw::Size image = geometry_.ImageSize();
    const fw::Rect shown = Intersect(area, fw::Rect{0, 0, image.Width, image.Height});
    if (shown.IsEmpty()) {
        return;
    }
    ToolsKept kept(canvas);
    // Nothing beyond the image, as on a bitmap of the image's size.
    const std::optional<fw::Region> clip = canvas.ClipRegion();
    canvas.IntersectClipRect(Shifted(shown, offset));
    const auto at = [&](int x, int y) { return fw::Point{x + offset.X, y + offset.Y}; };
    canvas.Brush() = fw::Brush{style_.BackColour, fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(Shifted(fw::Rect{grid.Width, 0, image.Width, image.Height}, offset));
    canvas.FillRect(Shifted(fw::Rect{0, grid.Height, grid.Width, image.Height}, offset));

    const int cw = geometry_.CellWidth();
    const int ch = geometry_.CellHeight();
    const int gw = geometry_.GridWidth();
    const int gh = geometry_.GridHeight();
    const int ppr = geometry_.Layout().PicksPerRow;
    const int pickHeight = ch / ppr;
    // "Card" has the corner to itself: no taller than a pick tag or a card tag.
    const int wordHeight = std::max(std::min(pickHeight, cw), 1);
    // The number of the first pick a row of the design stands for; that pick lies at the row's edge
    // towards the design's bottom, where its tag goes.
    const auto pickOf = [&](int screenRow) { return std::to_string((gh - screenRow) * ppr - ppr + 1); };
    // Only the tags that may reach into the area are written (a long design has thousands): a
    // tag stays within a cell or two of its place.
    const auto near = [&](int from, int to, bool acrossX) {
        return acrossX ? from < shown.Right && to > shown.Left : from < shown.Bottom && to > shown.Top;
    };

    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.Font().Name = "Times New Roman";
    canvas.Font().Color = fw::clBlack;
    canvas.Font().Style = fw::FontStyles{};
    canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    // Text needs the canvas's backend; without one the margin gets its arrow alone.
    const bool text = canvas.Backend() != nullptr;
    const auto line = [&](fw::Point from, fw::Point to) {
        canvas.MoveTo(from.X + offset.X, from.Y + offset.Y);
        canvas.LineTo(to.X + offset.X, to.Y + offset.Y);
    };

    if (!geometry_.Horizontal()) {
        // Pick numbers right of the rows, card numbers under the columns written downwards (turned
        // about their top-left corner, they lie left of it: anchored at a column's right edge they
        // fill the column).
        if (text) {
            canvas.Font().Height = pickHeight;
            for (int i = 0; i < gh; ++i) {
                const int top = (i + 1) * ch - pickHeight;
                if (near(top - ch, top + 2 * ch, false)) {
                    const fw::Point p = at(grid.Width + 2, top);
                    canvas.TextOut(p.X, p.Y, pickOf(i));
                }
            }
            canvas.Font().Height = cw;
            for (int j = 0; j < gw; ++j) {
                if (near(j * cw - cw, (j + 2) * cw, true)) {
                    const fw::Point p = at((j + 1) * cw, grid.Height + 2);
                    canvas.TextOutRotated(p.X, p.Y, -900, std::to_string(j + 1));
                }
            }
            canvas.Font().Height = wordHeight;
            const fw::Point p = at(grid.Width + 2, grid.Height + 2);
            canvas.TextOut(p.X, p.Y, "Card");
        }
        // Under the word, an arrow pointing left at the card numbers.
        const int size = std::max(cw / 4, 2);
        const fw::Point tip{grid.Width + 2, grid.Height + 2 + wordHeight + size};
        line(tip, fw::Point{tip.X + 2 * size, tip.Y});
        line(tip, fw::Point{tip.X + size, tip.Y - size});
        line(tip, fw::Point{tip.X + size, tip.Y + size});
        canvas.SetClipRegion(clip);
        return;
    }

    // Horizontal: pick numbers under the screen columns written downwards, card numbers right of
    // the screen rows, "Card" written downwards at the image's right edge.
    if (text) {
        canvas.Font().Height = pickHeight;
        for (int i = 0; i < gh; ++i) {
            if (near(i * ch - ch, (i + 2) * ch, true)) {
                const fw::Point p = at((i + 1) * ch, grid.Height + 2);
                canvas.TextOutRotated(p.X, p.Y, -900, pickOf(i));
            }
        }
        canvas.Font().Height = cw;
        for (int j = 0; j < gw; ++j) {
            if (near(j * cw - cw, (j + 2) * cw, false)) {
                const fw::Point p = at(grid.Width + 2, j * cw);
                canvas.TextOut(p.X, p.Y, std::to_string(gw - j));
            }
        }
        canvas.Font().Height = wordHeight;
        const fw::Point p = at(grid.Width + 2 * cw, grid.Height + 2);
        canvas.TextOutRotated(p.X, p.Y, -900, "Card");
    }
    // Left of the word, an arrow pointing up at the card numbers.
    const int size = std::max(ch / 4, 2);
    const fw::Point tip{grid.Width + 2 * cw - wordHeight - size - 1, grid.Height + 2};
    line(tip, fw::Point{tip.X, tip.Y + 2 * size});
    line(tip, fw::Point{tip.X - size, tip.Y + size});
    line(tip, fw::Point{tip.X + size, tip.Y + size});
    canvas.SetClipRegion(clip);
}

void TBlockFramePainter::ToggleSelection(fw::Canvas& canvas, const fw::Rect& areaPixels) const
{
    if (areaPixels.IsEmpty()) {
        return;
    }
    ToolsKept kept(canvas);
    canvas.Pen() = fw::Pen{style_.SelectionColour, 1, fw::PenStyle::Solid, fw::PenMode::NotXor};
    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.Rectangle(areaPixels);
}
