// The weaving image's direct painting must give exactly the canvas's pixels: the image looks
// the same whichever way a part of it was painted.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "editors/weaving_image_frame_raster.h"
#include "framework/core/canvas.h"

namespace {

constexpr std::uint32_t Background = 0x336699;

struct Pair {
    fw::Bitmap Expected{60, 50};
    fw::Bitmap Actual{60, 50};
    Pair()
    {
        Expected.FillRect(Expected.Bounds(), Background);
        Actual.FillRect(Actual.Bounds(), Background);
    }
};

fw::Point RandomPoint(std::mt19937& random)
{
    // Beyond the bitmap on every side, so clipping is tested too.
    std::uniform_int_distribution<int> x(-15, 75);
    std::uniform_int_distribution<int> y(-15, 65);
    return fw::Point{x(random), y(random)};
}

fw::Rect RandomClip(std::mt19937& random)
{
    std::uniform_int_distribution<int> left(-5, 30);
    std::uniform_int_distribution<int> size(0, 45);
    const int l = left(random);
    const int t = left(random);
    return fw::Rect{l, t, l + size(random), t + size(random)};
}

TEST(WeavingImageRaster, PolygonsMatchTheCanvas)
{
    std::mt19937 random(17);
    for (int round = 0; round < 400; ++round) {
        Pair pair;
        const fw::Rect clip = RandomClip(random);
        std::vector<fw::Point> points(3 + round % 3);
        for (fw::Point& point : points) {
            point = RandomPoint(random);
        }
        // Now and then two corners meet, as in a bent cell.
        if (round % 5 == 0) {
            points[1] = points[0];
        }
        fw::Canvas canvas(pair.Expected);
        canvas.IntersectClipRect(clip);
        canvas.Pen() = fw::Pen{0x0000FF, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
        canvas.Brush() = fw::Brush{0x00FF00, fw::BrushStyle::Solid, nullptr};
        canvas.Polygon(points);
        TWeavingRaster raster(pair.Actual, clip);
        raster.FillAndOutlinePolygon(points, 0x00FF00, 0x0000FF);
        ASSERT_TRUE(pair.Actual.SamePixels(pair.Expected)) << "round " << round;
    }
}

TEST(WeavingImageRaster, CellShapedPolygonsMatchTheCanvas)
{
    // Small slanted cells as the real image has them, in every slant combination.
    for (int w = 1; w <= 12; ++w) {
        for (int d = 1; d <= 12; d += 3) {
            for (int h = 0; h <= 4; h += 2) {
                Pair pair;
                const int x = 7;
                const int y = 45;
                const fw::Point cells[2][4] = {
                    {{x, y}, {x + w, y - d}, {x + w, y - 2 * d - h}, {x, y - d - h}},
                    {{x, y - d}, {x + w, y}, {x + w, y - d - h}, {x, y - 2 * d - h}},
                };
                fw::Canvas canvas(pair.Expected);
                canvas.Pen().Color = 0x808080;
                TWeavingRaster raster(pair.Actual, pair.Actual.Bounds());
                for (const auto& cell : cells) {
                    canvas.Brush().Color = 0xABCDEF;
                    canvas.Polygon(cell);
                    raster.FillAndOutlinePolygon(cell, 0xABCDEF, 0x808080, true);
                }
                ASSERT_TRUE(pair.Actual.SamePixels(pair.Expected)) << w << " " << d << " " << h;
            }
        }
    }
}

TEST(WeavingImageRaster, LinesOfEveryWidthAndModeMatchTheCanvas)
{
    std::mt19937 random(5);
    const fw::PenMode modes[] = {fw::PenMode::Copy, fw::PenMode::Xor, fw::PenMode::NotXor};
    for (int round = 0; round < 600; ++round) {
        Pair pair;
        const fw::Rect clip = RandomClip(random);
        const fw::Point from = RandomPoint(random);
        const fw::Point to = round % 7 == 0 ? fw::Point{from.X, from.Y + 9} : RandomPoint(random);
        const int width = 1 + round % 5;
        const fw::PenMode mode = modes[round % 3];
        fw::Canvas canvas(pair.Expected);
        canvas.IntersectClipRect(clip);
        canvas.Pen() = fw::Pen{0xF0F0F0, width, fw::PenStyle::Solid, mode};
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        TWeavingRaster raster(pair.Actual, clip);
        raster.Line(from, to, width, 0xF0F0F0, mode);
        ASSERT_TRUE(pair.Actual.SamePixels(pair.Expected))
            << "round " << round << " width " << width << " from " << from.X << "," << from.Y << " to " << to.X << ","
            << to.Y;
    }
}

TEST(WeavingImageRaster, ShapesAndLinesDrawnAgainElsewhereMatchTheCanvas)
{
    // One raster draws a few shapes and lines over and over at other places, some of them
    // partly outside the clip, in changing colours and modes: what it keeps of a shape
    // drawn earlier must give the canvas's pixels wherever the shape goes.
    std::mt19937 random(29);
    std::uniform_int_distribution<int> offset(-20, 55);
    for (int round = 0; round < 40; ++round) {
        Pair pair;
        const fw::Rect clip{3, 2, 52, 47};
        fw::Canvas canvas(pair.Expected);
        canvas.IntersectClipRect(clip);
        TWeavingRaster raster(pair.Actual, clip);
        std::vector<std::vector<fw::Point>> shapes(3);
        for (auto& shape : shapes) {
            std::uniform_int_distribution<int> corner(-6, 6);
            shape = {{0, 0}, {corner(random), corner(random)}, {corner(random), corner(random)},
                     {corner(random), corner(random)}};
        }
        const fw::PenMode modes[] = {fw::PenMode::Copy, fw::PenMode::Xor, fw::PenMode::NotXor};
        for (int k = 0; k < 60; ++k) {
            const fw::Point at{offset(random), offset(random)};
            const auto& shape = shapes[static_cast<std::size_t>(k) % shapes.size()];
            std::vector<fw::Point> placed;
            for (const fw::Point& p : shape) {
                placed.push_back(fw::Point{p.X + at.X, p.Y + at.Y});
            }
            const std::uint32_t colour = 0x102030u * static_cast<std::uint32_t>(k % 7 + 1);
            if (k % 2 == 0) {
                canvas.Pen() = fw::Pen{0x0000FF, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
                canvas.Brush() = fw::Brush{colour, fw::BrushStyle::Solid, nullptr};
                canvas.Polygon(placed);
                raster.FillAndOutlinePolygon(placed, colour, 0x0000FF);
            } else {
                const int width = 1 + k % 3;
                const fw::PenMode mode = modes[k % 3];
                canvas.Pen() = fw::Pen{colour, width, fw::PenStyle::Solid, mode};
                canvas.MoveTo(placed[0].X, placed[0].Y);
                canvas.LineTo(placed[2].X, placed[2].Y);
                raster.Line(placed[0], placed[2], width, colour, mode);
            }
            ASSERT_TRUE(pair.Actual.SamePixels(pair.Expected)) << "round " << round << " drawing " << k;
        }
    }
}

TEST(WeavingImageRaster, ConvexShapesAreToldFromOthers)
{
    const fw::Point cell[4] = {{0, 10}, {3, 5}, {3, 0}, {0, 5}};
    const fw::Point bent[4] = {{0, 10}, {3, 5}, {3, 5}, {0, 0}};
    const fw::Point diamond[4] = {{0, 5}, {5, 0}, {10, 5}, {5, 10}};
    const fw::Point bowTie[4] = {{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    const fw::Point dart[4] = {{0, 0}, {5, 3}, {10, 0}, {5, 10}};
    EXPECT_TRUE(TWeavingRaster::IsConvex(cell));
    EXPECT_TRUE(TWeavingRaster::IsConvex(bent));
    EXPECT_TRUE(TWeavingRaster::IsConvex(diamond));
    EXPECT_FALSE(TWeavingRaster::IsConvex(bowTie));
    EXPECT_FALSE(TWeavingRaster::IsConvex(dart));
}

TEST(WeavingImageRaster, NothingIsWrittenOutsideTheClip)
{
    fw::Bitmap bitmap(20, 20);
    bitmap.FillRect(bitmap.Bounds(), Background);
    TWeavingRaster raster(bitmap, fw::Rect{5, 5, 10, 10});
    const fw::Point big[4] = {{-10, -10}, {30, -10}, {30, 30}, {-10, 30}};
    raster.FillAndOutlinePolygon(big, 0x123456, 0x654321);
    raster.Line(fw::Point{0, 0}, fw::Point{20, 20}, 3, 0xFFFFFF, fw::PenMode::Xor);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 10 && y >= 5 && y < 10;
            EXPECT_EQ(bitmap.Pixel(x, y) == Background, !inside) << x << "," << y;
        }
    }
}

} // namespace
