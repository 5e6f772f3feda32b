// What the weaving image looks like: pixels sampled away from text, in both kinds of image
// and both orientations, and two pictures written out for a look.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "weaving_image_test_support.h"

namespace {

using weaving_image_test::FrameTest;
using weaving_image_test::MakePattern;
using weaving_image_test::MakeWeaving;

constexpr fw::Color ButtonFace = 0xF0F0F0;
constexpr fw::Color Grey = 0x808080;

// A point well inside a convex cell shape (or the triangle of a bent one).
fw::Point Inside(const TWeavingCellPolygon& p)
{
    return fw::Point{(p[0].X + p[1].X + p[2].X + p[3].X) / 4, (p[0].Y + p[1].Y + p[2].Y + p[3].Y) / 4};
}

// Two colours by column and pick, all cells S unless told otherwise.
fw::Color CellColour(int column, int pick)
{
    return 0x102030u + static_cast<fw::Color>(column) * 0x000040u + static_cast<fw::Color>(pick) * 0x200000u;
}

class WeavingImageRenderTest : public FrameTest {
protected:
    WeavingImageRenderTest()
    {
        frame = std::make_unique<TfrmWeavingImage>();
        frame->SetSilent(true);
    }

    // W = 12, H = 0, D = 20 unless the ratios are changed.
    void Show(const TTWWeaving& weaving, double width = 3, double centre = 0, double end = 5, int zoom = 4)
    {
        frame->BeginUpdate();
        frame->StoreCellRatios(width, centre, end);
        frame->SetZoom(zoom);
        frame->SetWeaving(&weaving);
        frame->EndUpdate();
    }

    TWeavingCellPolygon Polygon(const TTWWeaving& weaving, int column, int pick) const
    {
        return frame->Geometry().CellPolygon(weaving, *weaving.Cell(column - 1, pick - 1));
    }

    std::unique_ptr<TfrmWeavingImage> frame;
};

std::unique_ptr<TTWWeaving> ColouredBand(int columns, int picks)
{
    return MakeWeaving(columns, picks, [](TTWWeavingCell& cell) {
        cell.Colour = CellColour(cell.ColumnNumber(), cell.PickNumber());
        cell.Hole = static_cast<std::uint8_t>((cell.Column() + cell.Pick()) % 4);
    });
}

// --- Cells ------------------------------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, RealImageCellsShowTheirColourInsideAGreyGrid)
{
    const auto weaving = ColouredBand(3, 4);
    Show(*weaving);
    const fw::Bitmap picture = frame->RenderPicture(false);
    ASSERT_EQ(picture.Width(), 3 * 12 + 1);
    ASSERT_EQ(picture.Height(), 4 * 20 + 20);
    for (int column = 1; column <= 3; ++column) {
        for (int pick = 1; pick <= 4; ++pick) {
            const TWeavingCellPolygon p = Polygon(*weaving, column, pick);
            const fw::Point in = Inside(p);
            EXPECT_EQ(picture.Pixel(in.X, in.Y), CellColour(column, pick)) << column << "/" << pick;
        }
    }
    // All S: the slanted edge between picks 1 and 2 of column 1 rises to the right, so the
    // pixel just above its left end belongs to pick 2 and the one below its right end to
    // pick 1.
    const TWeavingCellPolygon second = Polygon(*weaving, 1, 2);
    EXPECT_EQ(picture.Pixel(second[0].X + 1, second[0].Y - 5), CellColour(1, 2));
    EXPECT_EQ(picture.Pixel(second[1].X - 2, second[1].Y + 7), CellColour(1, 1));
    // The right edge of the last column is grid; the corner above the first column's
    // top left, beyond the last pick, is the background.
    const TWeavingCellPolygon last = Polygon(*weaving, 3, 2);
    EXPECT_EQ(picture.Pixel(last[1].X, (last[1].Y + last[2].Y) / 2), Grey);
    EXPECT_EQ(picture.Pixel(0, 0), ButtonFace);
}

TEST_F(WeavingImageRenderTest, ARealCellBendsWhereTheNextPickSlantsTheOtherWay)
{
    // Column 1: S in pick 1, Z in pick 2. Without a centre, pick 1's cell is a triangle
    // whose far corner at the left is shared with its first-pick edge.
    const auto weaving = MakeWeaving(1, 2, [](TTWWeavingCell& cell) {
        cell.Slant = cell.Pick() == 0 ? 0 : 1;
        cell.Colour = cell.Pick() == 0 ? 0x0000C0u : 0x00C000u;
    });
    Show(*weaving);
    const fw::Bitmap picture = frame->RenderPicture(false);
    // Pick 1 rises from (0, 60) to (12, 40) and its far edge falls back to (0, 20): a
    // triangle pointing at the Z of pick 2, which runs from (0, 20) down to (12, 40).
    const TWeavingCellPolygon p = Polygon(*weaving, 1, 1);
    EXPECT_EQ(p[0], (fw::Point{0, 60}));
    EXPECT_EQ(p[1], (fw::Point{12, 40}));
    EXPECT_EQ(p[2], (fw::Point{12, 40}));
    EXPECT_EQ(p[3], (fw::Point{0, 20}));
    EXPECT_EQ(picture.Pixel(2, 40), 0x0000C0u);
    EXPECT_EQ(picture.Pixel(10, 25), 0x00C000u);
    // Above pick 2's own far edge, beyond the band: the background.
    EXPECT_EQ(picture.Pixel(10, 12), ButtonFace);
}

TEST_F(WeavingImageRenderTest, BlockChartCellsAreRectanglesInBothOrientations)
{
    const auto weaving = ColouredBand(3, 2);
    Show(*weaving);
    frame->SetShowTwining(false);
    frame->SetRealImage(false);
    for (const bool horizontal : {false, true}) {
        frame->SetHorizontal(horizontal);
        const fw::Bitmap picture = frame->RenderPicture(false);
        ASSERT_EQ(picture.Width(), horizontal ? 2 * 20 : 3 * 12 + 1);
        for (int column = 1; column <= 3; ++column) {
            for (int pick = 1; pick <= 2; ++pick) {
                const fw::Point o = frame->Geometry().CellOrigin(column, pick);
                // Vertical cells cover [x, x + W] x [y - Q, y]; horizontal [x - Q, x] x [y, y + W].
                const fw::Point corner = horizontal ? fw::Point{o.X - 19, o.Y + 1} : fw::Point{o.X + 1, o.Y - 19};
                const fw::Point far = horizontal ? fw::Point{o.X - 1, o.Y + 11} : fw::Point{o.X + 11, o.Y - 1};
                EXPECT_EQ(picture.Pixel(corner.X, corner.Y), CellColour(column, pick)) << horizontal;
                EXPECT_EQ(picture.Pixel(far.X, far.Y), CellColour(column, pick)) << horizontal;
                EXPECT_EQ(picture.Pixel(horizontal ? o.X - 20 : o.X, horizontal ? o.Y + 5 : o.Y - 10), Grey);
            }
        }
    }
}

TEST_F(WeavingImageRenderTest, HorizontalRealImagePutsTheLastColumnOnTopAndTheFirstPickRight)
{
    const auto weaving = ColouredBand(2, 3);
    Show(*weaving);
    frame->SetHorizontal(true);
    const fw::Bitmap picture = frame->RenderPicture(false);
    ASSERT_EQ(picture.Width(), 3 * 20 + 20);
    ASSERT_EQ(picture.Height(), 2 * 12 + 1);
    // Column 2 on top with pick 1 at the right; column 1 below with pick 3 at the left.
    const fw::Point topRight = Inside(Polygon(*weaving, 2, 1));
    EXPECT_GT(topRight.X, 50);
    EXPECT_LT(topRight.Y, 12);
    EXPECT_EQ(picture.Pixel(topRight.X, topRight.Y), CellColour(2, 1));
    const fw::Point bottomLeft = Inside(Polygon(*weaving, 1, 3));
    EXPECT_LT(bottomLeft.X, 40);
    EXPECT_GT(bottomLeft.Y, 12);
    EXPECT_EQ(picture.Pixel(bottomLeft.X, bottomLeft.Y), CellColour(1, 3));
    // The strip right of the first pick's slanted edge is background.
    EXPECT_EQ(picture.Pixel(picture.Width() - 2, 1), ButtonFace);
}

TEST_F(WeavingImageRenderTest, FillsFollowTheTurningDirectionDisplay)
{
    const auto weaving = MakeWeaving(3, 1, [](TTWWeavingCell& cell) {
        cell.Colour = 0x3366CC;
        cell.TurnDir = static_cast<std::uint8_t>(cell.Column());
    });
    Show(*weaving);
    frame->SetTagType(TTWTagType::Turn);
    // Beside the tag letter, which the letter display puts in the middle.
    const auto fillOf = [&](int column) {
        const fw::Bitmap picture = frame->RenderPicture(false);
        const TWeavingCellPolygon p = Polygon(*weaving, column, 1);
        return picture.Pixel(p[0].X + 1, (p[0].Y + p[3].Y) / 2);
    };
    // Display 2: silver idle, white forwards, black backwards, whatever the colours.
    Settings().WeavingImage.ShowTurnDir = 2;
    EXPECT_EQ(fillOf(1), fw::clSilver);
    EXPECT_EQ(fillOf(2), fw::clWhite);
    EXPECT_EQ(fillOf(3), fw::clBlack);
    // Display 0: the thread colours, or the background with colours hidden.
    Settings().WeavingImage.ShowTurnDir = 0;
    EXPECT_EQ(fillOf(1), 0x3366CCu);
    frame->SetShowColours(false);
    EXPECT_EQ(fillOf(2), ButtonFace);
    Settings().General.BackColour = 0x224466;
    EXPECT_EQ(fillOf(3), 0x224466u);
}

TEST_F(WeavingImageRenderTest, WithoutTheGridTheOutlineTakesTheFill)
{
    const auto weaving = ColouredBand(2, 2);
    Show(*weaving);
    frame->SetShowGrid(false);
    const fw::Bitmap picture = frame->RenderPicture(false);
    const TWeavingCellPolygon p = Polygon(*weaving, 2, 1);
    // The right edge of the last column is its outline.
    EXPECT_EQ(picture.Pixel(p[1].X, (p[1].Y + p[2].Y) / 2), CellColour(2, 1));
    frame->SetShowGrid(true);
    EXPECT_EQ(frame->RenderPicture(false).Pixel(p[1].X, (p[1].Y + p[2].Y) / 2), Grey);
}

// --- Block chart lines -------------------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, TwiningLinesRunUpToTheRightForSAndDownForZ)
{
    const auto weaving = MakeWeaving(2, 1, [](TTWWeavingCell& cell) {
        cell.Slant = static_cast<std::uint8_t>(cell.Column());
        cell.Colour = 0x404040;
    });
    Show(*weaving);
    frame->SetRealImage(false);
    const fw::Bitmap picture = frame->RenderPicture(false);
    // Column 1 (S): from the lower left (0, 20) to the upper right (12, 0): inverted grey.
    // Column 2 (Z): from the upper left (12, 0) to the lower right (24, 20).
    const fw::Color inverted = 0x404040 ^ 0xFFFFFF;
    EXPECT_EQ(picture.Pixel(6, 10), inverted);
    EXPECT_EQ(picture.Pixel(3, 15), inverted);
    EXPECT_EQ(picture.Pixel(3, 5), 0x404040u);
    EXPECT_EQ(picture.Pixel(12 + 3, 5), inverted);
    EXPECT_EQ(picture.Pixel(12 + 3, 15), 0x404040u);
    // With their own colours the lines are Z blue for a set flag, S red otherwise.
    Settings().General.TwineUseDefault = false;
    frame->Redraw();
    const fw::Bitmap own = frame->RenderPicture(false);
    EXPECT_EQ(own.Pixel(6, 10), Settings().General.ZTwineColour);
    EXPECT_EQ(own.Pixel(12 + 3, 5), Settings().General.STwineColour);
    // Horizontal: the S line still rises from its first-pick edge's lower end.
    Settings().General.TwineUseDefault = true;
    frame->SetHorizontal(true);
    const fw::Bitmap turned = frame->RenderPicture(false);
    const TWeavingCellPolygon p = Polygon(*weaving, 1, 1);
    // Column 1 lies at the bottom: its polygon p1 (x, y + W) to p3 (x - Q, y).
    const fw::Point middle{(p[1].X + p[3].X) / 2, (p[1].Y + p[3].Y) / 2};
    EXPECT_EQ(turned.Pixel(middle.X, middle.Y), inverted);
}

TEST_F(WeavingImageRenderTest, DirectionLinesMarkTurnedCellsOnlyWithTheLineDisplay)
{
    const auto weaving = MakeWeaving(3, 1, [](TTWWeavingCell& cell) {
        cell.Colour = 0x404040;
        cell.TurnDir = static_cast<std::uint8_t>(cell.Column());
    });
    Show(*weaving);
    frame->SetRealImage(false);
    Settings().WeavingImage.ShowTurnDir = 1;
    frame->SetTagType(TTWTagType::Turn);
    ASSERT_FALSE(frame->GetShowTwining());
    const fw::Bitmap picture = frame->RenderPicture(false);
    const fw::Color inverted = 0x404040 ^ 0xFFFFFF;
    // Idle: no line; forwards "/", backwards "\".
    EXPECT_EQ(picture.Pixel(6, 10), 0x404040u);
    EXPECT_EQ(picture.Pixel(12 + 6, 10), inverted);
    EXPECT_EQ(picture.Pixel(12 + 3, 15), inverted);
    EXPECT_EQ(picture.Pixel(24 + 3, 5), inverted);
    EXPECT_EQ(picture.Pixel(24 + 3, 15), 0x404040u);
}

// --- Marks and floats ---------------------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, TwistsReversalsAndIdleCardsHaveTheirMarks)
{
    const auto weaving = MakeWeaving(3, 2, [](TTWWeavingCell& cell) {
        cell.Colour = 0x808000;
        cell.Twisted = cell.Column() == 0 && cell.Pick() == 1;
        cell.Reversal = cell.Column() == 1 && cell.Pick() == 1;
        cell.TurnDir = cell.Column() == 2 && cell.Pick() == 1 ? TurnIdle : TurnForwards;
    });
    Show(*weaving);
    frame->SetMarkTwists(true);
    frame->SetMarkDirChanges(true);
    frame->SetMarkIdle(true);
    for (const bool horizontal : {false, true}) {
        frame->SetHorizontal(horizontal);
        for (const bool real : {true, false}) {
            frame->SetRealImage(real);
            const fw::Bitmap picture = frame->RenderPicture(false);
            const TWeavingImageGeometry g = frame->Geometry();
            const fw::Point twist = g.MarkerPoint(1, 2);
            const fw::Point reversal = g.MarkerPoint(2, 2);
            const fw::Point idle = g.MarkerPoint(3, 2);
            // The diamond: blue inside, red corners (half-width W div 2 = 6 either way).
            EXPECT_EQ(picture.Pixel(twist.X, twist.Y), fw::clBlue) << real << horizontal;
            EXPECT_EQ(picture.Pixel(twist.X - 6, twist.Y), fw::clRed) << real << horizontal;
            EXPECT_EQ(picture.Pixel(reversal.X, reversal.Y), fw::clRed) << real << horizontal;
            // The idle box: dark green inside a green frame, q = W div 3 = 4.
            EXPECT_EQ(picture.Pixel(idle.X, idle.Y), fw::clGreen) << real << horizontal;
            EXPECT_EQ(picture.Pixel(idle.X - 4, idle.Y), fw::clLime) << real << horizontal;
            EXPECT_EQ(picture.Pixel(idle.X + 4, idle.Y), fw::clLime) << real << horizontal;
            // An unmarked cell keeps its colour just inside its mark point (which lies on
            // its first-pick edge).
            const fw::Point plain = g.MarkerPoint(1, 1);
            const fw::Point inside = horizontal ? fw::Point{plain.X - 2, plain.Y} : fw::Point{plain.X, plain.Y - 2};
            EXPECT_EQ(picture.Pixel(inside.X, inside.Y), 0x808000u) << real << horizontal;
        }
    }
}

TEST_F(WeavingImageRenderTest, LongFloatsAreOutlinedInTheirLengthsColourOverTheLaterPicks)
{
    // Column 1 floats over picks 1-3, column 2 over 1-4, column 3 over 1-5.
    const auto weaving = MakeWeaving(3, 6, [](TTWWeavingCell& cell) {
        cell.Colour = 0x404040;
        const int length = cell.Column() + 3;
        cell.Hole = static_cast<std::uint8_t>(cell.Pick() < length ? 0 : 1 + cell.Pick() % 2);
    });
    ASSERT_EQ(weaving->FloatLength(*weaving->Cell(0, 0)), 3);
    ASSERT_EQ(weaving->FloatLength(*weaving->Cell(2, 0)), 5);
    Show(*weaving);
    frame->SetMarkLongFloats(true);
    const fw::Color expected[3] = {Settings().General.LongFloat3Colour, Settings().General.LongFloat4Colour,
                                   Settings().General.LongFloat5Colour};
    for (const bool real : {false, true}) {
        frame->SetRealImage(real);
        const fw::Bitmap picture = frame->RenderPicture(false);
        for (int column = 1; column <= 3; ++column) {
            const TTWWeavingCell* start = weaving->Cell(column - 1, 0);
            const TTWWeavingCell* end = weaving->FloatEnd(*start);
            const TWeavingCellPolygon e = Polygon(*weaving, column, end->PickNumber());
            // The outline's far corner lies in the float's last cell, which is drawn after
            // the float's first: the outline must come after every pick.
            EXPECT_EQ(picture.Pixel(e[3].X + 1, e[3].Y + 1), expected[column - 1])
                << "column " << column << " real " << real;
        }
    }
}

// --- Grid highlights ---------------------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, HighlightsMarkEveryXthColumnAndNoneWhenXIsZero)
{
    const auto weaving = ColouredBand(4, 2);
    Show(*weaving);
    frame->SetRealImage(false);
    frame->SetShowTwining(false);
    frame->SetGridHighlights(true);
    Settings().General.GridHighlight.X = 2;
    const fw::Color red = Settings().General.GridHighlight.Colour;
    const fw::Bitmap picture = frame->RenderPicture(false);
    // Column 2's right edge (x = 24) and column 3's left edge (x = 24) carry the line.
    EXPECT_EQ(picture.Pixel(24, 10), red);
    EXPECT_EQ(picture.Pixel(12, 10), Grey);
    // X = 0 is a value the settings can hold: no highlights, and no division by it.
    Settings().General.GridHighlight.X = 0;
    const fw::Bitmap none = frame->RenderPicture(false);
    for (int y = 0; y < none.Height(); ++y) {
        for (int x = 0; x < none.Width(); ++x) {
            ASSERT_NE(none.Pixel(x, y), red) << x << "," << y;
        }
    }
    // Highlights need the grid.
    Settings().General.GridHighlight.X = 2;
    frame->SetShowGrid(false);
    EXPECT_NE(frame->RenderPicture(false).Pixel(24, 10), red);
}

// --- Margins and threading ----------------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, PickTagsAddMarginsWithTheCardArrow)
{
    const auto weaving = ColouredBand(4, 3);
    Show(*weaving);
    frame->SetShowPickTags(true);
    const fw::Bitmap picture = frame->RenderPicture(false);
    const int iw = 4 * 12 + 1;
    const int ih = 3 * 20 + 20;
    ASSERT_EQ(picture.Width(), iw + 2 * 20);
    ASSERT_EQ(picture.Height(), ih + 2 * 12);
    // The arrow's shaft from (IW + 1, IH + h) to (IW + 2D, IH + h), h = 6.
    EXPECT_EQ(picture.Pixel(iw + 20, ih + 6), fw::clBlack);
    EXPECT_EQ(picture.Pixel(iw + 2 * 20 - 2, ih + 6), fw::clBlack);
    // Away from text and lines the strips are the background.
    EXPECT_EQ(picture.Pixel(iw + 2 * 20 - 1, 0), ButtonFace);
    // Narrow cells get no margins.
    frame->SetZoom(1);
    const fw::Bitmap small = frame->RenderPicture(false);
    EXPECT_EQ(small.Width(), 4 * 3 + 1);
}

TEST_F(WeavingImageRenderTest, ThreadingRowsShowEveryHoleWithTheSelvedgesAtTheSides)
{
    const auto pattern = MakePattern(3, 2, 2);
    TTWWeaving weaving;
    pattern->BuildWeaving(weaving, nullptr, false, 0);
    pattern->SelvedgeLeft().SetPalette(&pattern->Palette());
    pattern->SelvedgeRight().SetPalette(&pattern->Palette());
    // Selvedge holes in a colour of their own.
    pattern->SelvedgeLeft().GetCard(0)->SetHoleColour(2, 7);
    frame->SetCardListProvider([&](TWeavingCardListKind kind) -> TTWCardList* {
        switch (kind) {
        case TWeavingCardListKind::LeftSelvedge:
            return &pattern->SelvedgeLeft();
        case TWeavingCardListKind::RightSelvedge:
            return &pattern->SelvedgeRight();
        default:
            return &pattern->Cards();
        }
    });
    Show(weaving);
    frame->SetShowCardThreading(true);
    const TTWPalette& palette = pattern->Palette();
    for (const bool horizontal : {false, true}) {
        frame->SetHorizontal(horizontal);
        const fw::Bitmap picture = frame->RenderPicture(false);
        const fw::Size cells = frame->Geometry().CellAreaSize();
        // Five cards of four holes: (4 + 1) x W more, along the band's side.
        ASSERT_EQ(horizontal ? picture.Width() : picture.Height(),
                  (horizontal ? cells.Width : cells.Height) + 5 * 12);
        const int start = horizontal ? cells.Width : cells.Height;
        const auto squareCentre = [&](int place, int hole) {
            // Vertical: place g from the left. Horizontal: row r from the top.
            return horizontal ? fw::Point{start + hole * 12 + 6, (place - 1) * 12 + 6}
                              : fw::Point{place * 12 + 6, start + hole * 12 + 6};
        };
        // Vertical: left selvedge at g = 0, card k at 1 + k, right selvedge at 4. Horizontal:
        // right selvedge in row 1, the main cards in rows 2-4 with card 1 lowest, the left
        // selvedge in row 5.
        const int leftPlace = horizontal ? 5 : 0;
        const int firstCardPlace = horizontal ? 4 : 1;
        const int rightPlace = horizontal ? 1 : 4;
        for (int hole = 0; hole < 4; ++hole) {
            const fw::Point left = squareCentre(leftPlace, hole);
            EXPECT_EQ(picture.Pixel(left.X, left.Y),
                      palette.GetColour(pattern->SelvedgeLeft().GetCard(0)->HoleColour(hole)))
                << horizontal << " hole " << hole;
            const fw::Point first = squareCentre(firstCardPlace, hole);
            EXPECT_EQ(picture.Pixel(first.X, first.Y), palette.GetColour(pattern->Cards().GetCard(0)->HoleColour(hole)))
                << horizontal << " hole " << hole;
            const fw::Point right = squareCentre(rightPlace, hole);
            EXPECT_EQ(picture.Pixel(right.X, right.Y), palette.GetColour(0)) << horizontal << " hole " << hole;
        }
        // The squares share black borders.
        const fw::Point corner = horizontal ? fw::Point{start + 12, 12} : fw::Point{12, start + 12};
        EXPECT_EQ(picture.Pixel(corner.X, corner.Y), fw::clBlack) << horizontal;
    }
}

// --- The view paints what it shows ------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, AScrolledViewShowsTheSamePixelsAsTheWholePicture)
{
    const auto pattern = MakePattern(40, 300, 7);
    TTWWeaving weaving;
    pattern->BuildWeaving(weaving, nullptr, false, 0);
    // Smaller than the image with its margins either way round: it scrolls both ways.
    frame->SetBounds(0, 0, 220, 200);
    Show(weaving, 3, 1, 5, 2);
    frame->SetMarkLongFloats(true);
    frame->SetMarkTwists(true);
    frame->SetShowPickTags(true);
    for (const bool horizontal : {false, true}) {
        frame->SetHorizontal(horizontal);
        for (const bool real : {true, false}) {
            frame->SetRealImage(real);
            const fw::Bitmap whole = frame->RenderPicture(false);
            // Steps of one pick (12) move the pixels already shown and paint only the strip
            // that comes into view; longer jumps paint it all. Along the band, then across.
            for (const fw::Point step : {fw::Point{0, 0}, fw::Point{12, 0}, fw::Point{24, 0}, fw::Point{1203, 37},
                                         fw::Point{1191, 0}, fw::Point{1179, 0}, fw::Point{5, 0}}) {
                const fw::Point scroll = horizontal ? step : fw::Point{step.Y, step.X};
                const fw::Point before = frame->scrImage->ScrollOffset();
                frame->scrImage->ScrollTo(scroll);
                const fw::Point at = frame->scrImage->ScrollOffset();
                const int moved = horizontal ? std::abs(at.X - before.X) : std::abs(at.Y - before.Y);
                const bool across = horizontal ? at.Y != before.Y : at.X != before.X;
                if (moved == 12 && !across) {
                    const fw::Rect strip = frame->imgWeaving->InvalidRegion().Bounds();
                    EXPECT_EQ(horizontal ? strip.Width() : strip.Height(), 12);
                }
                const fw::Bitmap shown = fw::RenderToBitmap(*frame->imgWeaving);
                ASSERT_GT(shown.Width(), 100);
                for (int y = 0; y < shown.Height(); ++y) {
                    for (int x = 0; x < shown.Width(); ++x) {
                        const fw::Color expected =
                            whole.Contains(at.X + x, at.Y + y) ? whole.Pixel(at.X + x, at.Y + y) : ButtonFace;
                        ASSERT_EQ(shown.Pixel(x, y), expected) << "horizontal " << horizontal << " real " << real
                                                               << " scroll " << at.X << "," << at.Y << " at " << x
                                                               << "," << y;
                    }
                }
            }
        }
    }
}

// --- A look at it --------------------------------------------------------------------------------------

TEST_F(WeavingImageRenderTest, WovenBandPicturesAreWrittenForALook)
{
    // Real letters for the look: Qt's text on the offscreen platform.
    fw::QtPaintBackend qtText;
    fw::SetDefaultPaintBackend(&qtText);
    const auto pattern = MakePattern(16, 40, 12);
    TTWWeaving weaving;
    pattern->BuildWeaving(weaving, nullptr, false, 0);
    pattern->SelvedgeLeft().SetPalette(&pattern->Palette());
    pattern->SelvedgeRight().SetPalette(&pattern->Palette());
    frame->SetCardListProvider([&](TWeavingCardListKind kind) -> TTWCardList* {
        switch (kind) {
        case TWeavingCardListKind::LeftSelvedge:
            return &pattern->SelvedgeLeft();
        case TWeavingCardListKind::RightSelvedge:
            return &pattern->SelvedgeRight();
        default:
            return &pattern->Cards();
        }
    });
    Show(weaving, 3, 0, 5, 4);
    frame->SetMarkTwists(true);
    const fw::Bitmap real = frame->RenderPicture(false);
    frame->ApplyStandardWeavingChart();
    const fw::Bitmap chart = frame->RenderPicture(false);
    fw::SetDefaultPaintBackend(&backend);
    const std::filesystem::path folder(TAVELIN_EDITORS_TEST_OUTPUT);
    const QString realFile = QString::fromStdString((folder / "weaving_image_real.png").string());
    const QString chartFile = QString::fromStdString((folder / "weaving_image_chart.png").string());
    ASSERT_TRUE(fw::BitmapToQImage(real).save(realFile));
    ASSERT_TRUE(fw::BitmapToQImage(chart).save(chartFile));
    // What was written reads back as what was drawn.
    EXPECT_TRUE(fw::QImageToBitmap(QImage(realFile)).SamePixels(real));
    // The real image shows the threads' colours. The chart's cells show none: only the
    // background fill of the letter display, the black grid and letters and the red and
    // blue twist marks.
    const TTWPalette& palette = pattern->Palette();
    const auto shows = [](const fw::Bitmap& picture, fw::Color colour) {
        for (const std::uint32_t pixel : picture.Pixels()) {
            if (pixel == colour) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(shows(real, palette.GetColour(4)));
    EXPECT_TRUE(shows(real, palette.GetColour(9)));
    const fw::Size cells = frame->Geometry().CellAreaSize();
    for (int y = 0; y < cells.Height; ++y) {
        for (int x = 0; x < cells.Width; ++x) {
            const fw::Color pixel = chart.Pixel(x, y);
            ASSERT_TRUE(pixel == ButtonFace || pixel == fw::clBlack || pixel == fw::clRed || pixel == fw::clBlue)
                << x << "," << y << ": " << pixel;
        }
    }
    EXPECT_EQ(chart.Pixel(chart.Width() - 1, 0), ButtonFace);
}

} // namespace
