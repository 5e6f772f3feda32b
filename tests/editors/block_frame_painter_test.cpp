// What the block frame's main image looks like: cells of the overview and of their records,
// staggered columns, triangles, twining marks, grid lines and highlights, the tag margin and the
// selection; a cell repainted alone must leave the image as a full redraw would.

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "editors/block_frame_painter.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "model/user_settings.h"

namespace {

constexpr fw::Color GridGrey = 0x404040;
constexpr fw::Color Red = 0x0000FF;
constexpr fw::Color Blue = 0xFF0000;
constexpr fw::Color Green = 0x00A000;
constexpr fw::Color Yellow = 0x00E0E0;
// clBtnFace as a pixel.
constexpr fw::Color ButtonFace = 0xF0F0F0;

TBlockFrameLayout Layout(int columns, int rows, int cellWidth, int cellHeight, bool horizontal, bool staggered = false)
{
    TBlockFrameLayout layout;
    layout.GridWidth = columns;
    layout.GridHeight = rows;
    layout.CellWidth = cellWidth;
    layout.CellHeight = cellHeight;
    layout.Horizontal = horizontal;
    layout.Staggered = staggered;
    return layout;
}

// The plain look: no grid, no highlights, no marks; the button face behind.
TBlockFrameStyle PlainStyle()
{
    TBlockFrameStyle style;
    style.GridColour = GridGrey;
    style.ShowGrid = false;
    style.ShowGridHighlights = false;
    style.HighlightColour = Red;
    style.BackColour = fw::clBtnFace;
    style.STwineColour = Red;
    style.ZTwineColour = Blue;
    return style;
}

// A colour of its own for every cell.
fw::Color CellColour(int x, int y)
{
    return 0x200000u * static_cast<fw::Color>(x + 1) + 0x001800u * static_cast<fw::Color>(y + 1) + 0x30u;
}

// A design's cells by their record; the overview shows each cell's first colour.
class Design {
public:
    Design(int columns, int rows) : columns_(columns), rows_(rows)
    {
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < columns; ++x) {
                TBlockCellInfo& info = cells_[{x, y}];
                info.FirstColour = CellColour(x, y);
                info.SecondColour = info.FirstColour;
                info.Twine1 = static_cast<std::uint8_t>((x + y) % 2);
                info.Twine2 = TwineWholeCell;
            }
        }
    }

    TBlockCellInfo& Cell(int x, int y) { return cells_.at({x, y}); }
    TBlockCellInfoSource Source()
    {
        return [this](int x, int y) { return cells_.at({x, y}); };
    }
    fw::Bitmap Snapshot(const TBlockFrameGeometry& geometry) const
    {
        fw::Bitmap snapshot;
        TBlockFramePainter::BuildSnapshot(snapshot, geometry, [this](int y, std::uint32_t* colours) {
            for (int x = 0; x < columns_; ++x) {
                colours[x] = cells_.at({x, y}).FirstColour;
            }
        });
        return snapshot;
    }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

private:
    int columns_;
    int rows_;
    std::map<std::pair<int, int>, TBlockCellInfo> cells_;
};

fw::Bitmap Draw(const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style, Design& design)
{
    const TBlockFramePainter painter(geometry, style, design.Source());
    fw::Bitmap image;
    painter.DrawImage(image, design.Snapshot(geometry));
    return image;
}

// Every pixel of the rectangle (cut to the bitmap) has the colour.
::testing::AssertionResult Filled(const fw::Bitmap& image, const fw::Rect& rect, fw::Color colour)
{
    for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, image.Height()); ++y) {
        for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, image.Width()); ++x) {
            if (image.Pixel(x, y) != colour) {
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << std::hex << image.Pixel(x, y) << ", not " << colour;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The first pixel where two images differ.
::testing::AssertionResult SameImage(const fw::Bitmap& a, const fw::Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << ": " << std::hex << a.Pixel(x, y) << " vs " << b.Pixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// --- Cells of the overview ----------------------------------------------------------------------

TEST(BlockFramePainter, SnapshotHoldsOnePixelPerCellTurnedWithTheImage)
{
    Design design(3, 2);
    const fw::Bitmap vertical = design.Snapshot(TBlockFrameGeometry(Layout(3, 2, 4, 4, false)));
    ASSERT_EQ(vertical.Width(), 3);
    ASSERT_EQ(vertical.Height(), 2);
    EXPECT_EQ(vertical.Pixel(2, 1), CellColour(2, 0));
    EXPECT_EQ(vertical.Pixel(0, 0), CellColour(0, 1));
    const fw::Bitmap horizontal = design.Snapshot(TBlockFrameGeometry(Layout(3, 2, 4, 4, true)));
    ASSERT_EQ(horizontal.Width(), 2);
    ASSERT_EQ(horizontal.Height(), 3);
    EXPECT_EQ(horizontal.Pixel(1, 2), CellColour(0, 0));
    EXPECT_EQ(horizontal.Pixel(0, 0), CellColour(2, 1));
}

TEST(BlockFramePainter, OverviewAndRecordsFillEveryCellInBothOrientations)
{
    Design design(3, 2);
    for (const bool horizontal : {false, true}) {
        for (const bool cellByCell : {false, true}) {
            const TBlockFrameGeometry geometry(Layout(3, 2, 6, 4, horizontal));
            TBlockFrameStyle style = PlainStyle();
            style.CellByCell = cellByCell;
            const fw::Bitmap image = Draw(geometry, style, design);
            ASSERT_EQ(image.Width(), horizontal ? 8 : 18);
            ASSERT_EQ(image.Height(), horizontal ? 18 : 8);
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 3; ++x) {
                    EXPECT_TRUE(Filled(image, geometry.CellRect(x, y), CellColour(x, y)))
                        << horizontal << cellByCell << " cell " << x << "," << y;
                }
            }
        }
    }
    // Horizontal: column 0 at the bottom, row 0 at the right.
    const TBlockFrameGeometry turned(Layout(3, 2, 6, 4, true));
    const fw::Bitmap image = Draw(turned, PlainStyle(), design);
    EXPECT_EQ(image.Pixel(7, 17), CellColour(0, 0));
    EXPECT_EQ(image.Pixel(0, 0), CellColour(2, 1));
}

TEST(BlockFramePainter, RedrawKeepsTheImageStorage)
{
    Design design(4, 3);
    const TBlockFrameGeometry geometry(Layout(4, 3, 5, 5, false));
    const TBlockFrameStyle style = PlainStyle();
    const TBlockFramePainter painter(geometry, style, design.Source());
    fw::Bitmap image;
    const fw::Bitmap snapshot = design.Snapshot(geometry);
    painter.DrawImage(image, snapshot);
    const std::uint32_t* storage = image.Pixels().data();
    image.FillRect(image.Bounds(), 0);
    painter.DrawImage(image, snapshot);
    EXPECT_EQ(image.Pixels().data(), storage);
    // And the old contents are all painted over.
    EXPECT_TRUE(Filled(image, geometry.CellRect(0, 0), CellColour(0, 0)));
}

TEST(BlockFramePainter, AnEmptyDesignLeavesOnlyTheMargin)
{
    Design design(0, 0);
    for (const bool horizontal : {false, true}) {
        for (const bool staggered : {false, true}) {
            TBlockFrameLayout layout = Layout(0, 0, 10, 14, horizontal, staggered);
            layout.ShowPickTags = true;
            const TBlockFrameGeometry geometry(layout);
            TBlockFrameStyle style = PlainStyle();
            style.ShowGrid = true;
            style.ShowTwist = staggered;
            style.CellByCell = staggered;
            const TBlockFramePainter painter(geometry, style, design.Source());
            fw::Bitmap image;
            painter.DrawImage(image, design.Snapshot(geometry));
            ASSERT_EQ(image.Width(), horizontal ? 20 : 28);
            ASSERT_EQ(image.Height(), horizontal ? 28 : 20);
            EXPECT_TRUE(Filled(image, image.Bounds(), ButtonFace));
            // No cell to repaint.
            fw::Canvas canvas(image);
            painter.DrawCell(canvas, 0, 0, true);
            painter.DrawSnapshotCell(canvas, design.Snapshot(geometry), 0, 0, true);
            EXPECT_TRUE(Filled(image, image.Bounds(), ButtonFace));
        }
    }
}

// --- Staggered -----------------------------------------------------------------------------------

TEST(BlockFramePainter, StaggeredOddColumnsMoveHalfACellOverTheBackColour)
{
    Design design(2, 3);
    for (const bool horizontal : {false, true}) {
        for (const bool cellByCell : {false, true}) {
            const TBlockFrameGeometry geometry(Layout(2, 3, 4, 6, horizontal, true));
            TBlockFrameStyle style = PlainStyle();
            style.CellByCell = cellByCell;
            const fw::Bitmap image = Draw(geometry, style, design);
            SCOPED_TRACE(::testing::Message() << horizontal << cellByCell);
            // The gap: three pixels along the row direction at the top of the odd column.
            const fw::Rect gap = horizontal ? fw::Rect{0, 0, 3, 4} : fw::Rect{4, 0, 8, 3};
            EXPECT_TRUE(Filled(image, gap, ButtonFace));
            // Its top cell starts after the gap, its bottom cell is cut by the image's edge.
            const fw::Rect top = geometry.CellRect(1, 2);
            EXPECT_EQ(horizontal ? top.Left : top.Top, 3);
            EXPECT_TRUE(Filled(image, top, CellColour(1, 2)));
            EXPECT_TRUE(Filled(image, geometry.CellRect(1, 0), CellColour(1, 0)));
            // The even column is where it always is.
            EXPECT_TRUE(Filled(image, geometry.CellRect(0, 2), CellColour(0, 2)));
            EXPECT_TRUE(Filled(image, geometry.CellRect(0, 0), CellColour(0, 0)));
        }
    }
}

TEST(BlockFramePainter, StaggeredRowLinesFollowEachColumnAndAreNeverHighlighted)
{
    Design design(2, 3);
    const TBlockFrameGeometry geometry(Layout(2, 3, 4, 6, false, true));
    TBlockFrameStyle style = PlainStyle();
    style.CellByCell = true;
    style.ShowGrid = true;
    style.ShowGridHighlights = true;
    style.HighlightX = 1;
    style.HighlightY = 1;
    const fw::Bitmap image = Draw(geometry, style, design);
    // Even column: lines at rows 0, 6, 12; the odd column at 3, 9, 15; middle pixels of each.
    for (const int y : {0, 6, 12}) {
        EXPECT_EQ(image.Pixel(2, y), GridGrey) << y;
        EXPECT_EQ(image.Pixel(6, y), y == 0 ? ButtonFace : CellColour(1, 3 - y / 6)) << y;
    }
    for (const int y : {3, 9, 15}) {
        EXPECT_EQ(image.Pixel(6, y), GridGrey) << y;
        EXPECT_NE(image.Pixel(2, y), GridGrey) << y;
    }
    // Columns still take their highlights.
    EXPECT_EQ(image.Pixel(4, 7), Red);
}

// --- Triangles -----------------------------------------------------------------------------------

struct TriangleCase {
    bool Horizontal;
    std::uint8_t Twine;
    // Points inside the 10 x 10 cell that take the first and the second colour.
    fw::Point First;
    fw::Point Second;
};

TEST(BlockFramePainter, TwoColourCellsSplitAlongTheDiagonalOfTheirFirstTwiningByte)
{
    const TriangleCase cases[] = {
        // Vertical, 1: top-left to bottom-right, first lower-left.
        {false, 1, {1, 8}, {8, 1}},
        // Vertical, 0: top-right to bottom-left, first lower-right.
        {false, 0, {8, 8}, {1, 1}},
        // Horizontal, not 0: bottom-left to top-right, first lower-right.
        {true, 1, {8, 8}, {1, 1}},
        // Horizontal, 0: top-left to bottom-right, first upper-right.
        {true, 0, {8, 1}, {1, 8}},
    };
    for (const TriangleCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Horizontal << " " << int(c.Twine));
        Design design(1, 1);
        design.Cell(0, 0).FirstColour = Green;
        design.Cell(0, 0).SecondColour = Yellow;
        design.Cell(0, 0).Twine1 = c.Twine;
        TBlockFrameStyle style = PlainStyle();
        style.CellByCell = true;
        const fw::Bitmap image = Draw(TBlockFrameGeometry(Layout(1, 1, 10, 10, c.Horizontal)), style, design);
        EXPECT_EQ(image.Pixel(c.First.X, c.First.Y), Green);
        EXPECT_EQ(image.Pixel(c.Second.X, c.Second.Y), Yellow);
        // The two triangles meet without a gap: both colours, nothing else.
        int green = 0;
        for (const std::uint32_t pixel : image.Pixels()) {
            ASSERT_TRUE(pixel == Green || pixel == Yellow);
            green += pixel == Green ? 1 : 0;
        }
        // The diagonal's own pixels go to the second colour: 45 of the 100 are the first.
        EXPECT_EQ(green, 45);
    }
}

TEST(BlockFramePainter, TrianglesOfANarrowCellStillCoverItAndMeetAtItsCorners)
{
    Design design(1, 1);
    design.Cell(0, 0).FirstColour = Green;
    design.Cell(0, 0).SecondColour = Yellow;
    design.Cell(0, 0).Twine1 = 1;
    TBlockFrameStyle style = PlainStyle();
    style.CellByCell = true;
    const fw::Bitmap image = Draw(TBlockFrameGeometry(Layout(1, 1, 4, 13, false)), style, design);
    for (const std::uint32_t pixel : image.Pixels()) {
        ASSERT_TRUE(pixel == Green || pixel == Yellow);
    }
    // Top-left to bottom-right: the lower-left corner is the first colour, the upper-right the
    // second, and each row splits no further right than the row below.
    EXPECT_EQ(image.Pixel(0, 12), Green);
    EXPECT_EQ(image.Pixel(3, 0), Yellow);
    EXPECT_EQ(image.Pixel(0, 0), Yellow);
    EXPECT_EQ(image.Pixel(3, 9), Yellow);
    int previous = 0;
    for (int y = 0; y < 13; ++y) {
        int green = 0;
        for (int x = 0; x < 4; ++x) {
            green += image.Pixel(x, y) == Green ? 1 : 0;
        }
        EXPECT_GE(green, previous) << y;
        previous = green;
    }
}

// --- Twining marks -------------------------------------------------------------------------------

struct MarkImage {
    fw::Bitmap Image;
    TBlockFrameGeometry Geometry;
};

// One 10 x 10 white cell with marks in the settings' own colours.
MarkImage Marked(bool horizontal, std::uint8_t twine1, std::uint8_t twine2, bool useDefault = false)
{
    Design design(1, 1);
    design.Cell(0, 0).FirstColour = fw::clWhite;
    design.Cell(0, 0).SecondColour = fw::clWhite;
    design.Cell(0, 0).Twine1 = twine1;
    design.Cell(0, 0).Twine2 = twine2;
    TBlockFrameStyle style = PlainStyle();
    style.ShowTwist = true;
    style.TwineUseDefault = useDefault;
    const TBlockFrameGeometry geometry(Layout(1, 1, 10, 10, horizontal));
    return MarkImage{Draw(geometry, style, design), geometry};
}

TEST(BlockFramePainter, WholeCellMarksRunCornerToCornerInTheTwiningColour)
{
    // Vertical: Z (0) is "/", S (1) is "\".
    const fw::Bitmap z = Marked(false, TwineSlash, TwineWholeCell).Image;
    EXPECT_EQ(z.Pixel(0, 9), Blue);
    EXPECT_EQ(z.Pixel(9, 0), Blue);
    EXPECT_EQ(z.Pixel(4, 5), Blue);
    EXPECT_EQ(z.Pixel(0, 0), fw::clWhite);
    EXPECT_EQ(z.Pixel(9, 9), fw::clWhite);
    const fw::Bitmap s = Marked(false, TwineBackslash, TwineWholeCell).Image;
    EXPECT_EQ(s.Pixel(0, 0), Red);
    EXPECT_EQ(s.Pixel(9, 9), Red);
    EXPECT_EQ(s.Pixel(5, 5), Red);
    EXPECT_EQ(s.Pixel(0, 9), fw::clWhite);
    // Two pixels wide in every row; only the bottom corner's row is cut to one by the cell's edge.
    for (int y = 0; y < 10; ++y) {
        int marked = 0;
        for (int x = 0; x < 10; ++x) {
            marked += s.Pixel(x, y) == Red ? 1 : 0;
        }
        EXPECT_EQ(marked, y == 9 ? 1 : 2) << y;
    }
    // Horizontal turns the slant but keeps the colour: Z is "\", S is "/".
    const fw::Bitmap hz = Marked(true, TwineSlash, TwineWholeCell).Image;
    EXPECT_EQ(hz.Pixel(0, 0), Blue);
    EXPECT_EQ(hz.Pixel(9, 9), Blue);
    EXPECT_EQ(hz.Pixel(0, 9), fw::clWhite);
    const fw::Bitmap hs = Marked(true, TwineBackslash, TwineWholeCell).Image;
    EXPECT_EQ(hs.Pixel(0, 9), Red);
    EXPECT_EQ(hs.Pixel(9, 0), Red);
    EXPECT_EQ(hs.Pixel(9, 9), fw::clWhite);
    // The default colour is the grid's.
    const fw::Bitmap grey = Marked(false, TwineBackslash, TwineWholeCell, true).Image;
    EXPECT_EQ(grey.Pixel(5, 5), GridGrey);
}

TEST(BlockFramePainter, HalfCellMarksPutTheFirstByteOnTheHalfNearerTheDesignsBottom)
{
    // Vertical: the lower half carries Z "/", the upper half S "\".
    const MarkImage vertical = Marked(false, TwineSlash, TwineBackslash);
    EXPECT_EQ(vertical.Image.Pixel(0, 9), Blue);
    EXPECT_EQ(vertical.Image.Pixel(9, 5), Blue);
    EXPECT_EQ(vertical.Image.Pixel(0, 0), Red);
    EXPECT_EQ(vertical.Image.Pixel(9, 4), Red);
    EXPECT_EQ(vertical.Image.Pixel(9, 9), fw::clWhite);
    // Horizontal: the right half carries the first byte, turned: Z "\" there, S "/" on the left
    // half.
    const MarkImage horizontal = Marked(true, TwineSlash, TwineBackslash);
    EXPECT_EQ(horizontal.Image.Pixel(5, 0), Blue);
    EXPECT_EQ(horizontal.Image.Pixel(9, 9), Blue);
    EXPECT_EQ(horizontal.Image.Pixel(0, 9), Red);
    EXPECT_EQ(horizontal.Image.Pixel(4, 0), Red);
    EXPECT_EQ(horizontal.Image.Pixel(0, 0), fw::clWhite);
}

TEST(BlockFramePainter, MarksStayInsideTheirCell)
{
    // Four cells, each with an S mark: no cell's mark reaches a neighbour, so every pixel touching
    // a cell boundary on the wrong side keeps its cell colour.
    Design design(2, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            design.Cell(x, y).Twine1 = TwineBackslash;
        }
    }
    TBlockFrameStyle style = PlainStyle();
    style.ShowTwist = true;
    style.TwineUseDefault = false;
    const TBlockFrameGeometry geometry(Layout(2, 2, 8, 8, false));
    const fw::Bitmap image = Draw(geometry, style, design);
    // Upper-right corner pixels of each cell lie away from "\".
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const fw::Rect r = geometry.CellRect(x, y);
            EXPECT_EQ(image.Pixel(r.Right - 1, r.Top), CellColour(x, y));
            EXPECT_EQ(image.Pixel(r.Left, r.Bottom - 1), CellColour(x, y));
            EXPECT_EQ(image.Pixel(r.Left, r.Top), Red);
        }
    }
}

// --- Grid lines ----------------------------------------------------------------------------------

TEST(BlockFramePainter, GridLinesLieOnTheFirstPixelOfEachCellAndOnTheLastEdge)
{
    Design design(3, 2);
    TBlockFrameStyle style = PlainStyle();
    style.ShowGrid = true;
    for (const bool horizontal : {false, true}) {
        const TBlockFrameGeometry geometry(Layout(3, 2, 6, 5, horizontal));
        const fw::Bitmap image = Draw(geometry, style, design);
        for (int x = 0; x < 3; ++x) {
            for (int y = 0; y < 2; ++y) {
                const fw::Rect r = geometry.CellRect(x, y);
                // The inside, one pixel in from the lines, is the cell's.
                EXPECT_TRUE(
                    Filled(image, fw::Rect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, CellColour(x, y)));
                EXPECT_EQ(image.Pixel(r.Left, r.Top + 2), GridGrey);
                EXPECT_EQ(image.Pixel(r.Left + 2, r.Top), GridGrey);
            }
        }
        // The outer edges at the right and at the bottom.
        const fw::Size grid = geometry.GridSize();
        EXPECT_TRUE(Filled(image, fw::Rect{grid.Width - 1, 0, grid.Width, grid.Height}, GridGrey));
        EXPECT_TRUE(Filled(image, fw::Rect{0, grid.Height - 1, grid.Width, grid.Height}, GridGrey));
    }
}

TEST(BlockFramePainter, HighlightsTakeTheirWidthFromTheCellWidth)
{
    Design design(4, 4);
    // Cells 7 wide: 1 pixel, a third (2) or two thirds (4.67, rounded to 5) of it.
    const int widths[] = {1, 1, 2, 5};
    for (const bool horizontal : {false, true}) {
        for (int mode = 1; mode <= 3; ++mode) {
            SCOPED_TRACE(::testing::Message() << horizontal << " mode " << mode);
            const TBlockFrameGeometry geometry(Layout(4, 4, 7, 12, horizontal));
            TBlockFrameStyle style = PlainStyle();
            style.ShowGrid = true;
            style.ShowGridHighlights = true;
            style.HighlightX = 2;
            style.HighlightY = 3;
            style.HighlightWidthMode = mode;
            const fw::Bitmap image = Draw(geometry, style, design);
            const int width = widths[mode];
            const int first = geometry.ColumnBoundary(2) - width / 2;
            // Inside the second row (or screen column) of cells, clear of the row lines.
            const int along = 17;
            const auto at = [&](int across) {
                return horizontal ? image.Pixel(along, across) : image.Pixel(across, along);
            };
            for (int p = first; p < first + width; ++p) {
                EXPECT_EQ(at(p), Red) << p;
            }
            EXPECT_NE(at(first - 1), Red);
            EXPECT_NE(at(first + width), Red);
            // Boundaries 1 and 3 are plain.
            EXPECT_EQ(at(geometry.ColumnBoundary(1)), GridGrey);
            EXPECT_EQ(at(geometry.ColumnBoundary(3)), GridGrey);
            // Row boundary 3 (from the top) is highlighted, 1 and 2 are not.
            const auto atRow = [&](int j) {
                const int position = geometry.RowBoundary(j);
                return horizontal ? image.Pixel(position, 4) : image.Pixel(4, position);
            };
            EXPECT_EQ(atRow(3), Red);
            EXPECT_EQ(atRow(0), Red);
            EXPECT_EQ(atRow(1), GridGrey);
            EXPECT_EQ(atRow(2), GridGrey);
            // Highlights lie over the plain lines they cross.
            const int row1 = geometry.RowBoundary(1);
            const int column2 = geometry.ColumnBoundary(2);
            EXPECT_EQ(horizontal ? image.Pixel(row1, column2) : image.Pixel(column2, row1), Red);
        }
    }
    // Highlights off: every line plain.
    const TBlockFrameGeometry geometry(Layout(4, 4, 9, 12, false));
    TBlockFrameStyle style = PlainStyle();
    style.ShowGrid = true;
    style.HighlightX = 2;
    const fw::Bitmap image = Draw(geometry, style, design);
    EXPECT_EQ(image.Pixel(18, 17), GridGrey);
    EXPECT_EQ(image.Pixel(17, 17), CellColour(1, 2));
}

// The whole image's fast road and the lines painted one by one agree.
TEST(BlockFramePainter, GridLinesOfTheWholeImageEqualThoseDrawnOnTheCanvas)
{
    Design design(7, 6);
    // Rows of 2 pixels are narrower than a wide highlight: it covers its plain neighbours.
    const std::pair<int, int> sizes[] = {{7, 4}, {9, 2}};
    for (const auto& [cellWidth, cellHeight] : sizes) {
        for (const bool horizontal : {false, true}) {
            for (int mode = 1; mode <= 3; ++mode) {
                const TBlockFrameGeometry geometry(Layout(7, 6, cellWidth, cellHeight, horizontal));
                TBlockFrameStyle style = PlainStyle();
                style.ShowGridHighlights = true;
                style.HighlightX = 3;
                style.HighlightY = 3;
                style.HighlightWidthMode = mode;
                fw::Bitmap byCanvas = Draw(geometry, style, design);
                const TBlockFramePainter painter(geometry, style, design.Source());
                fw::Canvas canvas(byCanvas);
                painter.DrawGridLines(canvas);
                style.ShowGrid = true;
                EXPECT_TRUE(SameImage(Draw(geometry, style, design), byCanvas))
                    << cellHeight << " " << horizontal << " mode " << mode;
            }
        }
    }
}

// --- One cell at a time --------------------------------------------------------------------------

struct RepaintCase {
    bool Horizontal;
    bool Staggered;
    bool CellByCell;
    bool ShowTwist;
    int HighlightMode;
};

std::string Describe(const RepaintCase& c)
{
    return (::testing::Message() << "horizontal " << c.Horizontal << " staggered " << c.Staggered << " by cell "
                                 << c.CellByCell << " twist " << c.ShowTwist << " mode " << c.HighlightMode)
        .GetString();
}

// The grid shown with its highlights through cell (2, 3), drawn as the case says.
TBlockFrameStyle RepaintStyle(const RepaintCase& c)
{
    TBlockFrameStyle style = PlainStyle();
    style.ShowGrid = true;
    style.ShowGridHighlights = true;
    style.HighlightX = 2;
    style.HighlightY = 3;
    style.HighlightWidthMode = c.HighlightMode;
    style.CellByCell = c.CellByCell;
    style.ShowTwist = c.ShowTwist;
    style.TwineUseDefault = false;
    return style;
}

// Every cell in turn changed and repainted alone, with its grid lines, over the image drawn before:
// the result must be exactly a fresh drawing of the changed design.
void CheckRepaintEveryCell(const RepaintCase& c)
{
    SCOPED_TRACE(Describe(c));
    Design design(5, 4);
    const TBlockFrameGeometry geometry(Layout(5, 4, 7, 8, c.Horizontal, c.Staggered));
    // The painter keeps the style by reference.
    const TBlockFrameStyle style = RepaintStyle(c);
    const TBlockFramePainter painter(geometry, style, design.Source());
    for (int y = 0; y < design.Rows(); ++y) {
        for (int x = 0; x < design.Columns(); ++x) {
            fw::Bitmap image;
            painter.DrawImage(image, design.Snapshot(geometry));
            const fw::Bitmap old = image;
            TBlockCellInfo& cell = design.Cell(x, y);
            const TBlockCellInfo before = cell;
            cell.FirstColour = Green;
            cell.SecondColour = c.CellByCell ? Yellow : Green;
            cell.Twine1 = static_cast<std::uint8_t>(1 - cell.Twine1);
            cell.Twine2 = TwineSlash;
            const fw::Bitmap snapshot = design.Snapshot(geometry);
            fw::Canvas canvas(image);
            if (c.CellByCell) {
                painter.DrawCell(canvas, x, y, true);
            } else {
                painter.DrawSnapshotCell(canvas, snapshot, x, y, true);
            }
            fw::Bitmap fresh;
            painter.DrawImage(fresh, snapshot);
            ASSERT_TRUE(SameImage(image, fresh)) << "cell " << x << "," << y;
            // The change shows.
            ASSERT_FALSE(SameImage(image, old));
            cell = before;
        }
    }
}

TEST(BlockFramePainter, OneCellRepaintEqualsAFullRedraw)
{
    for (const bool horizontal : {false, true}) {
        for (int mode = 1; mode <= 3; ++mode) {
            CheckRepaintEveryCell({horizontal, false, false, false, mode});
            CheckRepaintEveryCell({horizontal, false, false, true, mode});
            CheckRepaintEveryCell({horizontal, false, true, true, mode});
        }
        CheckRepaintEveryCell({horizontal, true, true, true, 2});
        CheckRepaintEveryCell({horizontal, true, false, false, 3});
    }
}

TEST(BlockFramePainter, RepaintThroughAClippedCanvasMatchesTheDirectOne)
{
    // A clip region that is no rectangle sends the painting through the canvas's own fills.
    Design design(3, 3);
    design.Cell(1, 1).SecondColour = Yellow;
    const TBlockFrameGeometry geometry(Layout(3, 3, 8, 8, false));
    TBlockFrameStyle style = PlainStyle();
    style.ShowGrid = true;
    style.CellByCell = true;
    style.ShowTwist = true;
    style.ShowGridHighlights = true;
    style.HighlightX = 1;
    style.HighlightWidthMode = 2;
    const TBlockFramePainter painter(geometry, style, design.Source());
    fw::Bitmap direct(24, 24);
    fw::Bitmap clipped(24, 24);
    fw::Canvas directCanvas(direct);
    painter.DrawCell(directCanvas, 1, 1, true);
    fw::Canvas clippedCanvas(clipped);
    clippedCanvas.ExcludeClipRect(fw::Rect{0, 0, 1, 1});
    painter.DrawCell(clippedCanvas, 1, 1, true);
    EXPECT_TRUE(SameImage(direct, clipped));
    // Outside the cell nothing was painted.
    EXPECT_TRUE(Filled(direct, fw::Rect{0, 0, 24, 8}, fw::clWhite));
    // The canvas's tools are as they were.
    EXPECT_EQ(clippedCanvas.Brush(), fw::Brush{});
    EXPECT_EQ(clippedCanvas.Pen(), fw::Pen{});
}

TEST(BlockFramePainter, CellDrawingHookRunsAfterTheCellWithItsRecord)
{
    Design design(2, 2);
    const TBlockFrameGeometry geometry(Layout(2, 2, 6, 6, true));
    TBlockFrameStyle style = PlainStyle();
    style.CellByCell = true;
    std::vector<TBlockCellInfo> seen;
    const TBlockFramePainter painter(geometry, style, design.Source(),
                                     [&](const TBlockCellInfo& info, fw::Canvas& canvas) {
                                         seen.push_back(info);
                                         canvas.SetPixel(info.Corners[1].X, info.Corners[1].Y, Red);
                                     });
    fw::Bitmap image;
    painter.DrawImage(image, design.Snapshot(geometry));
    ASSERT_EQ(seen.size(), 4u);
    for (const TBlockCellInfo& info : seen) {
        EXPECT_EQ(info.Corners, geometry.CellCorners(info.Column, info.Row));
        EXPECT_EQ(info.FirstColour, CellColour(info.Column, info.Row));
        // Drawn over the cell's fill, not under it.
        EXPECT_EQ(image.Pixel(info.Corners[1].X, info.Corners[1].Y), Red);
    }
}

// --- A part of the image --------------------------------------------------------------------

// The image's pixels in the area, painted on their own at an offset onto a canvas larger than the
// area, against the same pixels of the whole image: the same, and nothing painted outside the area.
::testing::AssertionResult AreaLikeTheWhole(const TBlockFramePainter& painter, const TBlockFrameGeometry& geometry,
                                             const fw::Bitmap& snapshot, const fw::Bitmap& whole, const fw::Rect& area,
                                             bool tags)
{
    constexpr fw::Color Untouched = 0x123456;
    const fw::Point offset{5 - area.Left, 3 - area.Top};
    fw::Bitmap part(area.Width() + 12, area.Height() + 9);
    part.FillRect(part.Bounds(), Untouched);
    fw::FakePaintBackend backend;
    fw::Canvas canvas(part, &backend);
    painter.DrawArea(canvas, offset, area, snapshot);
    if (tags) {
        painter.DrawTags(canvas, offset, area);
    }
    const fw::Size size = geometry.ImageSize();
    for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) {
            const fw::Point at{x - offset.X, y - offset.Y};
            const bool inside = at.X >= area.Left && at.X < area.Right && at.Y >= area.Top && at.Y < area.Bottom &&
                                at.X < size.Width && at.Y < size.Height;
            const fw::Color expected = inside ? whole.Pixel(at.X, at.Y) : Untouched;
            if (part.Pixel(x, y) != expected) {
                return ::testing::AssertionFailure() << "image pixel " << at.X << "," << at.Y << " is " << std::hex
                                                     << part.Pixel(x, y) << ", not " << expected;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(BlockFramePainter, AnyAreaIsPaintedAsTheWholeImagePaintsIt)
{
    Design design(9, 7);
    design.Cell(2, 3).SecondColour = Yellow;
    design.Cell(5, 1).SecondColour = Green;
    design.Cell(4, 4).Twine2 = TwineSlash;
    for (const RepaintCase& c : {RepaintCase{false, false, false, false, 2}, RepaintCase{false, false, false, true, 1},
                                 RepaintCase{false, false, true, true, 3}, RepaintCase{false, true, true, true, 2},
                                 RepaintCase{false, true, false, false, 1}, RepaintCase{true, false, false, false, 3},
                                 RepaintCase{true, false, true, true, 2}, RepaintCase{true, true, true, true, 1},
                                 RepaintCase{true, true, false, false, 2}}) {
        for (const bool grid : {true, false}) {
            SCOPED_TRACE(Describe(c) + " grid " + std::to_string(grid));
            TBlockFrameLayout layout = Layout(9, 7, 7, 10, c.Horizontal, c.Staggered);
            layout.ShowPickTags = true;
            const TBlockFrameGeometry geometry(layout);
            TBlockFrameStyle style = RepaintStyle(c);
            style.ShowGrid = grid;
            // The editor's own drawing lands on its cell wherever the cell is painted.
            const TBlockFramePainter painter(geometry, style, design.Source(),
                                             [](const TBlockCellInfo& info, fw::Canvas& canvas) {
                                                 canvas.SetPixel(info.Corners[2].X, info.Corners[2].Y, Red);
                                             });
            const fw::Bitmap snapshot = design.Snapshot(geometry);
            fw::Bitmap whole;
            painter.DrawImage(whole, snapshot);
            fw::FakePaintBackend backend;
            fw::Canvas wholeCanvas(whole, &backend);
            painter.DrawTags(wholeCanvas);
            const fw::Size size = geometry.ImageSize();
            // Areas that cut cells, lines and the margin anywhere, one reaching beyond the image.
            for (const fw::Rect& area : {fw::Rect{0, 0, size.Width, size.Height}, fw::Rect{3, 4, 20, 33},
                                         fw::Rect{11, 0, 47, 17}, fw::Rect{22, 25, 61, 69},
                                         fw::Rect{size.Width - 30, size.Height - 26, size.Width + 6, size.Height + 4},
                                         fw::Rect{1, 1, 2, 2}}) {
                ASSERT_TRUE(AreaLikeTheWhole(painter, geometry, snapshot, whole, area, true))
                    << "area " << area.Left << "," << area.Top << " - " << area.Right << "," << area.Bottom;
            }
        }
    }
}

TEST(BlockFramePainter, AnAreaThroughAClippedCanvasMatchesTheDirectOne)
{
    Design design(4, 4);
    design.Cell(1, 1).SecondColour = Yellow;
    const TBlockFrameGeometry geometry(Layout(4, 4, 8, 8, false));
    TBlockFrameStyle style = PlainStyle();
    style.ShowGrid = true;
    style.CellByCell = true;
    style.ShowTwist = true;
    const TBlockFramePainter painter(geometry, style, design.Source());
    const fw::Bitmap snapshot = design.Snapshot(geometry);
    const fw::Rect area{3, 5, 30, 29};
    fw::Bitmap direct(40, 40);
    fw::Bitmap clipped(40, 40);
    fw::Canvas directCanvas(direct);
    painter.DrawArea(directCanvas, fw::Point{4, 2}, area, snapshot);
    fw::Canvas clippedCanvas(clipped);
    // A clip region that is no rectangle: the area is painted aside and copied through it.
    clippedCanvas.ExcludeClipRect(fw::Rect{10, 10, 12, 12});
    painter.DrawArea(clippedCanvas, fw::Point{4, 2}, area, snapshot);
    EXPECT_TRUE(Filled(clipped, fw::Rect{10, 10, 12, 12}, fw::clWhite));
    clipped.CopyRect(10, 10, direct, fw::Rect{10, 10, 12, 12});
    EXPECT_TRUE(SameImage(direct, clipped));
}

// --- Margin, tags, selection -------------------------------------------------------------------

TEST(BlockFramePainter, TagMarginIsFilledWithTheBackColourAndCarriesTheNumbers)
{
    Design design(3, 4);
    for (const bool horizontal : {false, true}) {
        TBlockFrameLayout layout = Layout(3, 4, 10, 14, horizontal);
        layout.ShowPickTags = true;
        layout.PicksPerRow = 2;
        const TBlockFrameGeometry geometry(layout);
        TBlockFrameStyle style = PlainStyle();
        style.ShowGrid = true;
        const TBlockFramePainter painter(geometry, style, design.Source());
        fw::Bitmap image;
        painter.DrawImage(image, design.Snapshot(geometry));
        const fw::Size grid = geometry.GridSize();
        const fw::Size size = geometry.ImageSize();
        ASSERT_GT(size.Width, grid.Width);
        ASSERT_GT(size.Height, grid.Height);
        EXPECT_TRUE(Filled(image, fw::Rect{grid.Width, 0, size.Width, size.Height}, ButtonFace));
        EXPECT_TRUE(Filled(image, fw::Rect{0, grid.Height, grid.Width, size.Height}, ButtonFace));

        fw::FakePaintBackend backend;
        fw::Canvas canvas(image, &backend);
        const fw::Bitmap before = image;
        painter.DrawTags(canvas);
        const auto blackIn = [&](const fw::Rect& r) {
            int count = 0;
            for (int y = r.Top; y < r.Bottom; ++y) {
                for (int x = r.Left; x < r.Right; ++x) {
                    count += image.Pixel(x, y) == fw::clBlack ? 1 : 0;
                }
            }
            return count;
        };
        // Numbers right of the grid and under it; the grid itself untouched.
        EXPECT_GT(blackIn(fw::Rect{grid.Width, 0, size.Width, grid.Height}), 0) << horizontal;
        EXPECT_GT(blackIn(fw::Rect{0, grid.Height, grid.Width, size.Height}), 0) << horizontal;
        fw::Bitmap gridAfter(grid.Width, grid.Height);
        fw::Bitmap gridBefore(grid.Width, grid.Height);
        gridAfter.CopyRect(0, 0, image, fw::Rect{0, 0, grid.Width, grid.Height});
        gridBefore.CopyRect(0, 0, before, fw::Rect{0, 0, grid.Width, grid.Height});
        EXPECT_TRUE(SameImage(gridAfter, gridBefore));

        // Without a backend the margin still gets its arrow, and nothing throws.
        fw::Bitmap plain = before;
        fw::Canvas noText(plain);
        EXPECT_NO_THROW(painter.DrawTags(noText));
        EXPECT_GT(std::count(plain.Pixels().begin(), plain.Pixels().end(), fw::clBlack), 0);
    }
}

TEST(BlockFramePainter, NoMarginNoTagsWhenPicksAreTooLow)
{
    Design design(3, 4);
    TBlockFrameLayout layout = Layout(3, 4, 10, 13, false);
    layout.ShowPickTags = true;
    layout.PicksPerRow = 2;
    const TBlockFrameGeometry geometry(layout);
    const TBlockFrameStyle style = PlainStyle();
    const TBlockFramePainter painter(geometry, style, design.Source());
    fw::Bitmap image;
    painter.DrawImage(image, design.Snapshot(geometry));
    EXPECT_EQ(image.Width(), 30);
    EXPECT_EQ(image.Height(), 52);
    const fw::Bitmap before = image;
    fw::FakePaintBackend backend;
    fw::Canvas canvas(image, &backend);
    painter.DrawTags(canvas);
    EXPECT_TRUE(SameImage(image, before));
}

TEST(BlockFramePainter, SelectionDrawnTwiceLeavesTheImageAsItWas)
{
    Design design(4, 3);
    for (const bool horizontal : {false, true}) {
        const TBlockFrameGeometry geometry(Layout(4, 3, 6, 5, horizontal));
        TBlockFrameStyle style = PlainStyle();
        style.ShowGrid = true;
        const TBlockFramePainter painter(geometry, style, design.Source());
        fw::Bitmap image;
        painter.DrawImage(image, design.Snapshot(geometry));
        const fw::Bitmap before = image;
        fw::Canvas canvas(image);
        const fw::Rect area = geometry.AreaRect(1, 0, 2, 1);
        painter.ToggleSelection(canvas, area);
        // The outline, corners included, changed; inside and outside did not.
        EXPECT_NE(image.Pixel(area.Left, area.Top), before.Pixel(area.Left, area.Top));
        EXPECT_NE(image.Pixel(area.Right - 1, area.Bottom - 1), before.Pixel(area.Right - 1, area.Bottom - 1));
        EXPECT_NE(image.Pixel(area.Left + 2, area.Bottom - 1), before.Pixel(area.Left + 2, area.Bottom - 1));
        EXPECT_EQ(image.Pixel(area.Left + 2, area.Top + 2), before.Pixel(area.Left + 2, area.Top + 2));
        EXPECT_EQ(image.Pixel(area.Left - 1, area.Top), before.Pixel(area.Left - 1, area.Top));
        painter.ToggleSelection(canvas, area);
        EXPECT_TRUE(SameImage(image, before)) << horizontal;
        EXPECT_EQ(canvas.Pen().Mode, fw::PenMode::Copy);
    }
}

TEST(BlockFramePainter, SelectionOverWhiteShowsItsColour)
{
    // Not-xor of red over white gives red.
    const TBlockFrameGeometry geometry(Layout(2, 2, 5, 5, false));
    Design design(2, 2);
    const TBlockFrameStyle style = PlainStyle();
    const TBlockFramePainter painter(geometry, style, design.Source());
    fw::Bitmap image(10, 10);
    fw::Canvas canvas(image);
    painter.ToggleSelection(canvas, fw::Rect{0, 0, 10, 10});
    EXPECT_EQ(image.Pixel(0, 5), Red);
    EXPECT_EQ(image.Pixel(5, 5), fw::clWhite);
}

TEST(BlockFramePainter, StyleTakesTheHighlightAndTwiningSettings)
{
    TTWUserSettings settings("/tmp/");
    settings.General.GridHighlight.X = 5;
    settings.General.GridHighlight.Y = 7;
    settings.General.GridHighlight.Colour = Green;
    settings.General.GridHighlight.Width = 3;
    settings.General.TwineUseDefault = false;
    settings.General.STwineColour = Yellow;
    settings.General.ZTwineColour = Green;
    TBlockFrameStyle style;
    style.ShowGrid = false;
    style.TakeSettings(settings);
    EXPECT_EQ(style.HighlightX, 5);
    EXPECT_EQ(style.HighlightY, 7);
    EXPECT_EQ(style.HighlightColour, Green);
    EXPECT_EQ(style.HighlightWidthMode, 3);
    EXPECT_FALSE(style.TwineUseDefault);
    EXPECT_EQ(style.STwineColour, Yellow);
    EXPECT_EQ(style.ZTwineColour, Green);
    EXPECT_FALSE(style.ShowGrid);
}

// --- A look at it ---------------------------------------------------------------------------------

TEST(BlockFramePainter, PicturesAreWrittenForALook)
{
    fw::QtPaintBackend qtText;
    const std::filesystem::path folder(TAVELIN_EDITORS_TEST_OUTPUT);
    for (const bool horizontal : {false, true}) {
        // A small diamond of set cells, two-coloured cells down one column, S and Z marks.
        Design design(12, 10);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                TBlockCellInfo& cell = design.Cell(x, y);
                const bool set = std::abs(x - 6) + std::abs(y - 5) <= 3;
                cell.FirstColour = set ? 0x202020 : fw::clWhite;
                cell.SecondColour = cell.FirstColour;
                cell.Twine1 = static_cast<std::uint8_t>(x < 6 ? TwineSlash : TwineBackslash);
                cell.Twine2 = y == 0 ? TwineBackslash : TwineWholeCell;
                if (x == 10) {
                    cell.SecondColour = 0x3090E0;
                    cell.Twine1 = static_cast<std::uint8_t>(y % 2);
                }
            }
        }
        TBlockFrameLayout layout = Layout(12, 10, 24, 30, horizontal);
        layout.ShowPickTags = true;
        const TBlockFrameGeometry geometry(layout);
        TBlockFrameStyle style = PlainStyle();
        style.ShowGrid = true;
        style.ShowGridHighlights = true;
        style.HighlightX = 4;
        style.HighlightY = 4;
        style.HighlightWidthMode = 2;
        style.ShowTwist = true;
        style.TwineUseDefault = false;
        style.CellByCell = true;
        const TBlockFramePainter painter(geometry, style, design.Source());
        fw::Bitmap image;
        painter.DrawImage(image, design.Snapshot(geometry));
        fw::Canvas canvas(image, &qtText);
        painter.DrawTags(canvas);
        painter.ToggleSelection(canvas, geometry.AreaRect(2, 1, 4, 3));
        const std::string name = horizontal ? "block_frame_horizontal.png" : "block_frame_vertical.png";
        const QString file = QString::fromStdString((folder / name).string());
        ASSERT_TRUE(fw::BitmapToQImage(image).save(file));
        EXPECT_TRUE(fw::QImageToBitmap(QImage(file)).SamePixels(image));
    }
}

} // namespace
