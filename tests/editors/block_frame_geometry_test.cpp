// Where the cells of a block design lie on the block frame's image, and which cell the pointer is
// over.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editors/block_frame_geometry.h"

namespace {

// Five columns, four rows, cells 6 wide and 8 high: no two sizes alike, so a swapped width and
// height shows.
TBlockFrameLayout SmallLayout(bool horizontal, bool staggered = false)
{
    TBlockFrameLayout layout;
    layout.GridWidth = 5;
    layout.GridHeight = 4;
    layout.CellWidth = 6;
    layout.CellHeight = 8;
    layout.Horizontal = horizontal;
    layout.Staggered = staggered;
    return layout;
}

bool Contains(const fw::Rect& rect, int x, int y)
{
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

// --- Sizes ---------------------------------------------------------------------------------------

TEST(BlockFrameGeometry, CellSizeRoundsHalvesToEvenAndStaysDrawable)
{
    EXPECT_EQ(TBlockFrameGeometry::CellSize(5, 2.0), 10);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(5, 2.5), 12);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(5, 2.3), 12);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(3, 1.5), 4);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(1, 3.5), 4);
    // Ratios the block-size dialog lets through: the pointer mapping divides by the result.
    EXPECT_EQ(TBlockFrameGeometry::CellSize(5, 0.0), 1);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(5, -2.0), 1);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(1, 0.01), 1);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(5, std::numeric_limits<double>::quiet_NaN()), 1);
    EXPECT_EQ(TBlockFrameGeometry::CellSize(10, 1e12), TBlockFrameGeometry::MaxCellSize);
}

TEST(BlockFrameGeometry, LayoutValuesOutOfRangeAreHeldDrawable)
{
    TBlockFrameLayout layout = SmallLayout(false);
    layout.CellWidth = 0;
    layout.CellHeight = -4;
    layout.PicksPerRow = 0;
    layout.GridWidth = -3;
    const TBlockFrameGeometry g(layout);
    EXPECT_EQ(g.CellWidth(), 1);
    EXPECT_EQ(g.CellHeight(), 1);
    EXPECT_EQ(g.Layout().PicksPerRow, 1);
    EXPECT_EQ(g.GridWidth(), 0);
    // The pointer mapping still answers (no division by zero under the sanitizers).
    EXPECT_EQ(g.CellAt(3, 2).X, 3);
}

TEST(BlockFrameGeometry, ImageIsTheGridSwappedWhenHorizontalPlusTheTagMargin)
{
    EXPECT_EQ(TBlockFrameGeometry(SmallLayout(false)).ImageSize(), (fw::Size{30, 32}));
    EXPECT_EQ(TBlockFrameGeometry(SmallLayout(true)).ImageSize(), (fw::Size{32, 30}));

    TBlockFrameLayout tagged = SmallLayout(false);
    tagged.ShowPickTags = true;
    const TBlockFrameGeometry vertical(tagged);
    EXPECT_TRUE(vertical.MarginInUse());
    EXPECT_EQ(vertical.MarginSize(), (fw::Size{16, 12}));
    EXPECT_EQ(vertical.GridSize(), (fw::Size{30, 32}));
    EXPECT_EQ(vertical.ImageSize(), (fw::Size{46, 44}));
    tagged.Horizontal = true;
    const TBlockFrameGeometry horizontal(tagged);
    EXPECT_EQ(horizontal.MarginSize(), (fw::Size{12, 16}));
    EXPECT_EQ(horizontal.ImageSize(), (fw::Size{44, 46}));

    // Two picks a row leave 4 pixels a pick: too small for tags, so no margin at all.
    tagged.PicksPerRow = 2;
    EXPECT_FALSE(TBlockFrameGeometry(tagged).MarginInUse());
    EXPECT_EQ(TBlockFrameGeometry(tagged).ImageSize(), (fw::Size{32, 30}));
    // 14 pixels for two picks is just enough; the margin is two picks wide.
    tagged.Horizontal = false;
    tagged.CellHeight = 14;
    EXPECT_TRUE(TBlockFrameGeometry(tagged).MarginInUse());
    EXPECT_EQ(TBlockFrameGeometry(tagged).MarginSize(), (fw::Size{14, 12}));
    tagged.ShowPickTags = false;
    EXPECT_EQ(TBlockFrameGeometry(tagged).MarginSize(), (fw::Size{0, 0}));
}

// --- Cells ---------------------------------------------------------------------------------------

TEST(BlockFrameGeometry, VerticalCellsRunUpFromTheBottomRow)
{
    const TBlockFrameGeometry g(SmallLayout(false));
    EXPECT_EQ(g.CellOrigin(0, 0), (fw::Point{0, 24}));
    EXPECT_EQ(g.CellOrigin(2, 3), (fw::Point{12, 0}));
    EXPECT_EQ(g.CellRect(2, 1), (fw::Rect{12, 16, 18, 24}));
    EXPECT_EQ(g.MarkRect(2, 1), g.CellRect(2, 1));
    // The first half is the one nearer the design's bottom.
    EXPECT_EQ(g.HalfMarkRect(2, 1, true), (fw::Rect{12, 20, 18, 24}));
    EXPECT_EQ(g.HalfMarkRect(2, 1, false), (fw::Rect{12, 16, 18, 20}));
}

TEST(BlockFrameGeometry, HorizontalCellsRunLeftFromTheBottomRowWithTheLastColumnOnTop)
{
    const TBlockFrameGeometry g(SmallLayout(true));
    EXPECT_EQ(g.CellOrigin(0, 0), (fw::Point{24, 24}));
    EXPECT_EQ(g.CellOrigin(4, 3), (fw::Point{0, 0}));
    EXPECT_EQ(g.CellRect(1, 2), (fw::Rect{8, 18, 16, 24}));
    // The design's bottom is on the right.
    EXPECT_EQ(g.HalfMarkRect(1, 2, true), (fw::Rect{12, 18, 16, 24}));
    EXPECT_EQ(g.HalfMarkRect(1, 2, false), (fw::Rect{8, 18, 12, 24}));
}

TEST(BlockFrameGeometry, OddCellHeightGivesTheExtraPixelToTheFirstHalf)
{
    TBlockFrameLayout layout = SmallLayout(false);
    layout.CellHeight = 7;
    const TBlockFrameGeometry g(layout);
    const fw::Rect cell = g.CellRect(0, 0);
    EXPECT_EQ(g.HalfMarkRect(0, 0, true).Height(), 4);
    EXPECT_EQ(g.HalfMarkRect(0, 0, false).Height(), 3);
    EXPECT_EQ(g.HalfMarkRect(0, 0, false).Bottom, g.HalfMarkRect(0, 0, true).Top);
    EXPECT_EQ(g.HalfMarkRect(0, 0, true).Bottom, cell.Bottom);
}

TEST(BlockFrameGeometry, CornersFollowTheCellRecord)
{
    const TBlockFrameGeometry vertical(SmallLayout(false));
    const TBlockCellCorners v = vertical.CellCorners(2, 1);
    // Top-left, top-right, bottom-right, bottom-left, all on the cell's own pixels.
    EXPECT_EQ(v[0], (fw::Point{12, 16}));
    EXPECT_EQ(v[1], (fw::Point{17, 16}));
    EXPECT_EQ(v[2], (fw::Point{17, 23}));
    EXPECT_EQ(v[3], (fw::Point{12, 23}));

    const TBlockFrameGeometry horizontal(SmallLayout(true));
    const TBlockCellCorners h = horizontal.CellCorners(1, 2);
    // Bottom-left, top-left, top-right, bottom-right, the bottom being (GW - x) * CW.
    EXPECT_EQ(h[0], (fw::Point{8, 24}));
    EXPECT_EQ(h[1], (fw::Point{8, 18}));
    EXPECT_EQ(h[2], (fw::Point{15, 18}));
    EXPECT_EQ(h[3], (fw::Point{15, 24}));

    const TBlockFrameGeometry staggered(SmallLayout(false, true));
    EXPECT_EQ(staggered.CellCorners(1, 3)[0], (fw::Point{6, 4}));
    EXPECT_EQ(staggered.CellCorners(2, 3)[0], (fw::Point{12, 0}));
}

TEST(BlockFrameGeometry, StaggeringMovesOddColumnsHalfACellAlongTheRow)
{
    const TBlockFrameGeometry vertical(SmallLayout(false, true));
    EXPECT_EQ(vertical.CellOrigin(1, 3), (fw::Point{6, 4}));
    EXPECT_EQ(vertical.CellOrigin(2, 3), (fw::Point{12, 0}));
    EXPECT_EQ(vertical.CellRect(3, 0), (fw::Rect{18, 28, 24, 36}));
    // The image does not grow for it.
    EXPECT_EQ(vertical.ImageSize(), (fw::Size{30, 32}));

    const TBlockFrameGeometry horizontal(SmallLayout(true, true));
    EXPECT_EQ(horizontal.CellOrigin(1, 3), (fw::Point{4, 18}));
    EXPECT_EQ(horizontal.CellOrigin(2, 3), (fw::Point{0, 12}));
}

TEST(BlockFrameGeometry, AreaCoversItsCellsInAnyCornerOrder)
{
    const TBlockFrameGeometry vertical(SmallLayout(false));
    EXPECT_EQ(vertical.AreaRect(1, 0, 2, 1), (fw::Rect{6, 16, 18, 32}));
    EXPECT_EQ(vertical.AreaRect(2, 1, 1, 0), (fw::Rect{6, 16, 18, 32}));
    EXPECT_EQ(vertical.AreaRect(3, 2, 3, 2), vertical.CellRect(3, 2));
    const TBlockFrameGeometry horizontal(SmallLayout(true));
    EXPECT_EQ(horizontal.AreaRect(0, 3, 1, 2), (fw::Rect{0, 18, 16, 30}));
    // Staggered, the odd column reaches half a cell lower.
    const TBlockFrameGeometry staggered(SmallLayout(false, true));
    EXPECT_EQ(staggered.AreaRect(0, 3, 1, 3), (fw::Rect{0, 0, 12, 12}));
}

// --- Pointer -------------------------------------------------------------------------------------

TEST(BlockFrameGeometry, PointerFindsTheCellInBothOrientations)
{
    const TBlockFrameGeometry vertical(SmallLayout(false));
    EXPECT_EQ(vertical.CellAt(13, 17), (fw::Point{2, 1}));
    EXPECT_EQ(vertical.CellAt(0, 0), (fw::Point{0, 3}));
    EXPECT_EQ(vertical.CellAt(29, 31), (fw::Point{4, 0}));
    EXPECT_EQ(vertical.CellAt(5, 23), (fw::Point{0, 1}));
    EXPECT_EQ(vertical.CellAt(6, 24), (fw::Point{1, 0}));
    // Left of the image: a column outside the grid, not column 0.
    EXPECT_EQ(vertical.CellAt(-1, 0).X, -1);

    const TBlockFrameGeometry horizontal(SmallLayout(true));
    EXPECT_EQ(horizontal.CellAt(25, 29), (fw::Point{0, 0}));
    EXPECT_EQ(horizontal.CellAt(0, 0), (fw::Point{4, 3}));
    EXPECT_EQ(horizontal.CellAt(8, 18), (fw::Point{1, 2}));
    EXPECT_EQ(horizontal.CellAt(7, 17), (fw::Point{2, 3}));
    EXPECT_FALSE(horizontal.IsCellInGrid(horizontal.CellAt(5, 30).X, horizontal.CellAt(5, 30).Y));
}

TEST(BlockFrameGeometry, PointerAboveAStaggeredColumnFindsRowMinusOne)
{
    const TBlockFrameGeometry vertical(SmallLayout(false, true));
    EXPECT_EQ(vertical.CellAt(7, 3), (fw::Point{1, -1}));
    EXPECT_EQ(vertical.CellAt(7, 4), (fw::Point{1, 3}));
    EXPECT_EQ(vertical.CellAt(7, 11), (fw::Point{1, 3}));
    EXPECT_EQ(vertical.CellAt(7, 12), (fw::Point{1, 2}));
    // The even column beside it is not moved.
    EXPECT_EQ(vertical.CellAt(1, 3), (fw::Point{0, 3}));
    EXPECT_FALSE(vertical.IsCellInGrid(1, -1));

    const TBlockFrameGeometry horizontal(SmallLayout(true, true));
    EXPECT_EQ(horizontal.CellAt(3, 20), (fw::Point{1, -1}));
    EXPECT_EQ(horizontal.CellAt(4, 20), (fw::Point{1, 3}));
    EXPECT_EQ(horizontal.CellAt(3, 26), (fw::Point{0, 3}));
}

// Every pixel of the grid maps to the cell whose rectangle holds it; only the gap a staggered
// column leaves at the top maps to row -1.
TEST(BlockFrameGeometry, PointerAndCellRectanglesAgreeOnEveryPixel)
{
    for (const bool horizontal : {false, true}) {
        for (const bool staggered : {false, true}) {
            const TBlockFrameGeometry g(SmallLayout(horizontal, staggered));
            const fw::Size grid = g.GridSize();
            int gap = 0;
            for (int py = 0; py < grid.Height; ++py) {
                for (int px = 0; px < grid.Width; ++px) {
                    const fw::Point cell = g.CellAt(px, py);
                    if (!g.IsCellInGrid(cell.X, cell.Y)) {
                        ASSERT_TRUE(staggered) << px << "," << py;
                        ASSERT_EQ(cell.Y, -1);
                        ASSERT_EQ(cell.X % 2, 1);
                        ++gap;
                        continue;
                    }
                    ASSERT_TRUE(Contains(g.CellRect(cell.X, cell.Y), px, py))
                        << horizontal << staggered << " " << px << "," << py;
                }
            }
            // Two odd columns, each with a gap of 4 x 6 pixels.
            EXPECT_EQ(gap, staggered ? 2 * 4 * 6 : 0);
        }
    }
}

// --- Boundaries ----------------------------------------------------------------------------------

TEST(BlockFrameGeometry, BoundaryLinesSitOnTheFirstPixelOfTheNextCellAndTheLastOnTheEdge)
{
    const TBlockFrameGeometry vertical(SmallLayout(false));
    EXPECT_EQ(vertical.ColumnBoundary(0), 0);
    EXPECT_EQ(vertical.ColumnBoundary(2), 12);
    EXPECT_EQ(vertical.ColumnBoundary(5), 29);
    EXPECT_EQ(vertical.RowBoundary(0), 0);
    EXPECT_EQ(vertical.RowBoundary(1), 8);
    EXPECT_EQ(vertical.RowBoundary(4), 31);

    // Column 0 lies at the bottom: its lower edge is the image's last row.
    const TBlockFrameGeometry horizontal(SmallLayout(true));
    EXPECT_EQ(horizontal.ColumnBoundary(0), 29);
    EXPECT_EQ(horizontal.ColumnBoundary(1), 24);
    EXPECT_EQ(horizontal.ColumnBoundary(5), 0);
    EXPECT_EQ(horizontal.RowBoundary(1), 8);
    EXPECT_EQ(horizontal.RowBoundary(4), 31);
}

} // namespace
