// Where the cells of the weaving image lie, and which cell the mouse is over.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "editors/weaving_image_frame_geometry.h"
#include "weaving_image_test_support.h"

namespace {

using weaving_image_test::MakeWeaving;

using Pos = TWeavingCellPosition;

// --- Sizes ---------------------------------------------------------------------------------------

TEST(WeavingImageGeometry, ScaledSizesRoundHalvesToEven)
{
    EXPECT_EQ(TWeavingImageGeometry::ScaledSize(1, 2.5), 2);
    EXPECT_EQ(TWeavingImageGeometry::ScaledSize(1, 3.5), 4);
    EXPECT_EQ(TWeavingImageGeometry::ScaledSize(3, 1.5), 4);
    EXPECT_EQ(TWeavingImageGeometry::ScaledSize(6, 2.0), 12);
    EXPECT_EQ(TWeavingImageGeometry::ScaledSize(1, 2.6), 3);
    EXPECT_EQ(TWeavingImageGeometry::ScaledSize(2, -1.0), -2);
}

TEST(WeavingImageGeometry, DrawnSizesNeverReachZero)
{
    // Ratios of 0 or below: the mouse mapping divides by the width and the pick step.
    const TWeavingImageGeometry g(0, -3, -2, false, true, 4, 3);
    EXPECT_EQ(g.CellWidth(), 1);
    EXPECT_EQ(g.CentreHeight(), 0);
    EXPECT_EQ(g.SlantDepth(), 1);
    EXPECT_EQ(g.PickStep(), 1);
}

TEST(WeavingImageGeometry, RealImageWithoutCentreIsOneSlantTallerThanItsPicks)
{
    // The settings' ratios 3, 0, 5 at zoom 1.
    const TWeavingImageGeometry g(3, 0, 5, false, true, 4, 10);
    EXPECT_EQ(g.CellAreaSize(), (fw::Size{4 * 3 + 1, 10 * 5 + 5}));
    const TWeavingImageGeometry block(3, 0, 5, false, false, 4, 10);
    EXPECT_EQ(block.CellAreaSize(), (fw::Size{13, 50}));
    const TWeavingImageGeometry horizontal(3, 2, 5, true, true, 4, 10);
    EXPECT_EQ(horizontal.CellAreaSize(), (fw::Size{10 * 7 + 5, 13}));
}

// --- Cells ----------------------------------------------------------------------------------------

TEST(WeavingImageGeometry, VerticalBandRunsUpFromTheFirstPick)
{
    const TWeavingImageGeometry g(4, 2, 3, false, false, 5, 6);
    EXPECT_EQ(g.CellOrigin(1, 1), (fw::Point{0, 6 * 5}));
    EXPECT_EQ(g.CellOrigin(3, 6), (fw::Point{8, 5}));
    const TWeavingImageGeometry real(4, 2, 3, false, true, 5, 6);
    EXPECT_EQ(real.CellOrigin(1, 1), (fw::Point{0, 6 * 5 + 3}));
}

TEST(WeavingImageGeometry, HorizontalBandRunsLeftFromTheFirstPickWithTheLastColumnOnTop)
{
    const TWeavingImageGeometry g(4, 2, 3, true, false, 5, 6);
    EXPECT_EQ(g.CellOrigin(5, 1), (fw::Point{30, 0}));
    EXPECT_EQ(g.CellOrigin(1, 6), (fw::Point{5, 16}));
}

TEST(WeavingImageGeometry, BlockCellsAreRectanglesInBothOrientations)
{
    const TWeavingImageGeometry vertical(4, 2, 3, false, false, 5, 6);
    const TWeavingCellPolygon v = vertical.CellPolygon(2, 1, 1, 0);
    EXPECT_EQ(v[0], (fw::Point{4, 30}));
    EXPECT_EQ(v[1], (fw::Point{8, 30}));
    EXPECT_EQ(v[2], (fw::Point{8, 25}));
    EXPECT_EQ(v[3], (fw::Point{4, 25}));
    const TWeavingImageGeometry horizontal(4, 2, 3, true, false, 5, 6);
    const TWeavingCellPolygon h = horizontal.CellPolygon(5, 1, 0, 1);
    EXPECT_EQ(h[0], (fw::Point{30, 0}));
    EXPECT_EQ(h[1], (fw::Point{30, 4}));
    EXPECT_EQ(h[2], (fw::Point{25, 4}));
    EXPECT_EQ(h[3], (fw::Point{25, 0}));
}

TEST(WeavingImageGeometry, RealCellsSlantWithTheirThreadAndBendWhereTheNextPickTurnsRound)
{
    const TWeavingImageGeometry g(3, 0, 5, false, true, 2, 2);
    // Pick 1 of column 1: origin (0, 15).
    const TWeavingCellPolygon same = g.CellPolygon(1, 1, 0, 0);
    EXPECT_EQ(same[0], (fw::Point{0, 15}));
    EXPECT_EQ(same[1], (fw::Point{3, 10}));
    EXPECT_EQ(same[2], (fw::Point{3, 5}));
    EXPECT_EQ(same[3], (fw::Point{0, 10}));
    // Z below, S above: the far edge slants the other way, and without a centre two corners
    // meet: a triangle.
    const TWeavingCellPolygon bent = g.CellPolygon(1, 1, 1, 0);
    EXPECT_EQ(bent[0], (fw::Point{0, 10}));
    EXPECT_EQ(bent[1], (fw::Point{3, 15}));
    EXPECT_EQ(bent[2], (fw::Point{3, 5}));
    EXPECT_EQ(bent[3], (fw::Point{0, 10}));
}

TEST(WeavingImageGeometry, HorizontalRealCellsFollowTheirSlantToo)
{
    const TWeavingImageGeometry g(3, 1, 4, true, true, 2, 2);
    // Column 2 (top), pick 1: origin (2 * 5 + 4, 0).
    const TWeavingCellPolygon s = g.CellPolygon(2, 1, 0, 1);
    EXPECT_EQ(s[0], (fw::Point{10, 0}));
    EXPECT_EQ(s[1], (fw::Point{14, 3}));
    EXPECT_EQ(s[2], (fw::Point{14 - 9, 3}));
    EXPECT_EQ(s[3], (fw::Point{14 - 5, 0}));
    const TWeavingCellPolygon z = g.CellPolygon(2, 1, 1, 0);
    EXPECT_EQ(z[0], (fw::Point{14, 0}));
    EXPECT_EQ(z[1], (fw::Point{10, 3}));
    EXPECT_EQ(z[2], (fw::Point{9, 3}));
    EXPECT_EQ(z[3], (fw::Point{5, 0}));
}

TEST(WeavingImageGeometry, TheLastPickClosesWithItsOwnSlant)
{
    const auto weaving = MakeWeaving(1, 2, [](TTWWeavingCell& cell) { cell.Slant = cell.Pick() == 0 ? 0 : 1; });
    const TWeavingImageGeometry g(3, 0, 5, false, true, 1, 2);
    // Pick 1 bends into pick 2's Z; pick 2 ends with its own Z.
    EXPECT_EQ(g.CellPolygon(*weaving, *weaving->Cell(0, 0)), g.CellPolygon(1, 1, 0, 1));
    EXPECT_EQ(g.CellPolygon(*weaving, *weaving->Cell(0, 1)), g.CellPolygon(1, 2, 1, 1));
}

TEST(WeavingImageGeometry, MarksSitOnTheFirstPickEdgeWithoutACentre)
{
    const TWeavingImageGeometry block(12, 0, 12, false, false, 4, 3);
    // Standard chart: the mark point lies on the cell's lower edge.
    EXPECT_EQ(block.MarkerPoint(1, 1), (fw::Point{6, 36}));
    const TWeavingImageGeometry real(6, 4, 6, false, true, 4, 3);
    EXPECT_EQ(real.MarkerPoint(2, 1), (fw::Point{6 + 3, 3 * 10 + 6 + 2 - 3}));
    const TWeavingImageGeometry horizontal(6, 4, 6, true, true, 4, 3);
    EXPECT_EQ(horizontal.MarkerPoint(4, 1), (fw::Point{36 + 2 - 3, 3}));
}

TEST(WeavingImageGeometry, RealImageMarksLieInTheirOwnCellInBothOrientations)
{
    // The mark's point along the band lies within the cell's slanted first-pick edge, not in
    // the pick before.
    for (const bool horizontal : {false, true}) {
        const TWeavingImageGeometry g(6, 0, 6, horizontal, true, 4, 3);
        for (int pick = 1; pick <= 3; ++pick) {
            const TWeavingCellPolygon p = g.CellPolygon(2, pick, 0, 0);
            const fw::Point mark = g.MarkerPoint(2, pick);
            const int along = horizontal ? mark.X : mark.Y;
            const int edgeFrom = horizontal ? p[0].X : p[0].Y;
            const int edgeTo = horizontal ? p[1].X : p[1].Y;
            EXPECT_GE(along, std::min(edgeFrom, edgeTo)) << horizontal << " pick " << pick;
            EXPECT_LE(along, std::max(edgeFrom, edgeTo)) << horizontal << " pick " << pick;
        }
    }
}

TEST(WeavingImageGeometry, CellsNearAnAreaCoverIt)
{
    const TWeavingImageGeometry g(3, 0, 5, false, true, 200, 5000);
    const fw::Rect area{300, 10000, 900, 11000};
    const TWeavingCellRange range = g.CellsNear(area);
    ASSERT_FALSE(range.IsEmpty());
    // Every cell whose shape lies in the area is in the range, and the range is not the band.
    for (int column = 1; column <= 200; ++column) {
        for (int pick = 1; pick <= 5000; pick += 7) {
            const TWeavingCellPolygon p = g.CellPolygon(column, pick, 0, 0);
            const bool inside =
                p[0].X >= area.Left && p[1].X < area.Right && p[2].Y >= area.Top && p[0].Y < area.Bottom;
            if (inside) {
                EXPECT_TRUE(column >= range.FirstColumn && column <= range.LastColumn && pick >= range.FirstPick &&
                            pick <= range.LastPick)
                    << column << "/" << pick;
            }
        }
    }
    EXPECT_LT(range.LastPick - range.FirstPick, 300);
    EXPECT_LT(range.LastColumn - range.FirstColumn, 230);
    EXPECT_TRUE(g.CellsNear(fw::Rect{0, 0, 0, 0}).IsEmpty());
    EXPECT_TRUE(g.CellsNear(fw::Rect{5000, 0, 6000, 100}).IsEmpty());
}

TEST(WeavingImageGeometry, CellsNearAHorizontalAreaCoverIt)
{
    const TWeavingImageGeometry g(4, 2, 3, true, false, 50, 400);
    const fw::Rect area{600, 40, 700, 80};
    const TWeavingCellRange range = g.CellsNear(area);
    for (int column = 1; column <= 50; ++column) {
        for (int pick = 1; pick <= 400; ++pick) {
            const fw::Point o = g.CellOrigin(column, pick);
            if (o.X > area.Left && o.X - 5 < area.Right && o.Y >= area.Top && o.Y + 4 <= area.Bottom) {
                EXPECT_TRUE(column >= range.FirstColumn && column <= range.LastColumn && pick >= range.FirstPick &&
                            pick <= range.LastPick)
                    << column << "/" << pick;
            }
        }
    }
    EXPECT_LT(range.LastPick - range.FirstPick, 60);
}

// --- The mouse ----------------------------------------------------------------------------------

TEST(WeavingImageHitTest, BlockChartMapsEveryPixelOfACellToIt)
{
    const TWeavingImageGeometry g(4, 2, 3, false, false, 5, 6);
    const TTWWeaving empty;
    for (int column = 1; column <= 5; ++column) {
        for (int pick = 1; pick <= 6; ++pick) {
            const fw::Point o = g.CellOrigin(column, pick);
            // The cell covers [x, x + W) x [y - Q, y).
            EXPECT_EQ(g.CellAt(empty, o.X, o.Y - 1), (Pos{column, pick}));
            EXPECT_EQ(g.CellAt(empty, o.X + 3, o.Y - 5), (Pos{column, pick}));
        }
    }
}

TEST(WeavingImageHitTest, HorizontalBlockChartCountsColumnsFromTheBottom)
{
    const TWeavingImageGeometry g(4, 2, 3, true, false, 5, 6);
    const TTWWeaving empty;
    EXPECT_EQ(g.CellAt(empty, 0, 0), (Pos{5, 6}));
    EXPECT_EQ(g.CellAt(empty, 29, 19), (Pos{1, 1}));
    EXPECT_EQ(g.CellAt(empty, 25, 4), (Pos{4, 1}));
}

TEST(WeavingImageHitTest, PointsOutsideTheBandAreNoCell)
{
    const auto weaving = MakeWeaving(5, 6, [](TTWWeavingCell&) {});
    for (const bool real : {false, true}) {
        for (const bool horizontal : {false, true}) {
            const TWeavingImageGeometry g(4, 2, 3, horizontal, real, 5, 6);
            const fw::Size size = g.CellAreaSize();
            EXPECT_FALSE(g.CellAt(*weaving, -1, 5)) << real << horizontal;
            EXPECT_FALSE(g.CellAt(*weaving, 5, -1)) << real << horizontal;
            EXPECT_FALSE(g.CellAt(*weaving, size.Width + 3, 5)) << real << horizontal;
            EXPECT_FALSE(g.CellAt(*weaving, 2, size.Height + 3)) << real << horizontal;
        }
    }
}

TEST(WeavingImageHitTest, RealImageFollowsTheSlantedBoundaryBetweenPicks)
{
    // All S: each pick's lower edge rises from left to right ("/"). W = 3, D = 5, no centre.
    const auto weaving = MakeWeaving(2, 4, [](TTWWeavingCell& cell) { cell.Slant = 0; });
    const TWeavingImageGeometry g(3, 0, 5, false, true, 2, 4);
    // Pick 2 of column 1: its lower edge runs from (0, 20) up to (3, 15).
    const fw::Point o = g.CellOrigin(1, 2);
    ASSERT_EQ(o, (fw::Point{0, 20}));
    EXPECT_EQ(g.CellAt(*weaving, 0, 19), (Pos{1, 2}));
    EXPECT_EQ(g.CellAt(*weaving, 2, 18), (Pos{1, 1}));
    EXPECT_EQ(g.CellAt(*weaving, 2, 16), (Pos{1, 2}));
    // The same points of a Z band lie on the other side.
    const auto zBand = MakeWeaving(2, 4, [](TTWWeavingCell& cell) { cell.Slant = 1; });
    EXPECT_EQ(g.CellAt(*zBand, 2, 18), (Pos{1, 2}));
    EXPECT_EQ(g.CellAt(*zBand, 0, 16), (Pos{1, 1}));
}

TEST(WeavingImageHitTest, APointOnTheDiagonalBelongsToTheLaterPick)
{
    const auto weaving = MakeWeaving(1, 3, [](TTWWeavingCell& cell) { cell.Slant = 1; });
    // W = 5, Q = D = 5: W / Q = 1; Slant 1 vertical gives t = a / r.
    const TWeavingImageGeometry g(5, 0, 5, false, true, 1, 3);
    // u = 20 - y; at y = 12: u = 8, p = 2, r = 2; a = 2 gives t = 1 exactly.
    EXPECT_EQ(g.CellAt(*weaving, 2, 12), (Pos{1, 2}));
    EXPECT_EQ(g.CellAt(*weaving, 1, 12), (Pos{1, 1}));
}

TEST(WeavingImageHitTest, TheStripBeyondTheLastPickBelongsToItOnlyOnItsSide)
{
    const auto weaving = MakeWeaving(1, 3, [](TTWWeavingCell& cell) { cell.Slant = 0; });
    const TWeavingImageGeometry g(3, 0, 5, false, true, 1, 3);
    // The top D rows: the last pick's far edge slants up from (0, 5) to (3, 0).
    EXPECT_EQ(g.CellAt(*weaving, 2, 4), (Pos{1, 3}));
    EXPECT_FALSE(g.CellAt(*weaving, 0, 4));
    EXPECT_FALSE(g.CellAt(*weaving, 0, 0));
}

TEST(WeavingImageHitTest, HorizontalRealImageMapsColumnsAndPicks)
{
    const auto weaving = MakeWeaving(3, 4, [](TTWWeavingCell& cell) { cell.Slant = 0; });
    const TWeavingImageGeometry g(4, 2, 3, true, true, 3, 4);
    for (int column = 1; column <= 3; ++column) {
        for (int pick = 1; pick <= 4; ++pick) {
            // The middle of the cell's straight centre part.
            const fw::Point o = g.CellOrigin(column, pick);
            EXPECT_EQ(g.CellAt(*weaving, o.X - 3 - 1, o.Y + 2), (Pos{column, pick})) << column << "/" << pick;
        }
    }
}

} // namespace
