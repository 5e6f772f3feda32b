#include <gtest/gtest.h>

#include <vector>

#include "forms/long_lines.h"
#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"

namespace {

std::vector<int> StrokeEnds(int from, int to)
{
    std::vector<int> ends;
    ForEachLongLineStroke(from, to, [&](int end) { ends.push_back(end); });
    return ends;
}

// The columns (or rows) painted black along one line of the bitmap.
std::vector<int> InkAlongRow(const fw::Bitmap& bitmap, int y)
{
    std::vector<int> ink;
    for (int x = 0; x < bitmap.Width(); ++x) {
        if (bitmap.Pixel(x, y) == fw::clBlack) {
            ink.push_back(x);
        }
    }
    return ink;
}

std::vector<int> InkAlongColumn(const fw::Bitmap& bitmap, int x)
{
    std::vector<int> ink;
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.Pixel(x, y) == fw::clBlack) {
            ink.push_back(y);
        }
    }
    return ink;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> values;
    for (int v = first; v <= last; ++v) {
        values.push_back(v);
    }
    return values;
}

TEST(LongLineStrokes, CutIntoPiecesOfTwoThousandWhileMoreThanThatRemains)
{
    EXPECT_EQ(StrokeEnds(0, 4500), (std::vector<int>{2000, 4000, 4500}));
    EXPECT_EQ(StrokeEnds(0, 2000), (std::vector<int>{2000}));
    EXPECT_EQ(StrokeEnds(0, 2001), (std::vector<int>{2000, 2001}));
    EXPECT_EQ(StrokeEnds(0, 4000), (std::vector<int>{2000, 4000}));
    EXPECT_EQ(StrokeEnds(150, 4200), (std::vector<int>{2150, 4150, 4200}));
    EXPECT_EQ(StrokeEnds(-3000, 500), (std::vector<int>{-1000, 500}));
}

TEST(LongLineStrokes, TargetsAtOrBehindThePenAreOneStroke)
{
    EXPECT_EQ(StrokeEnds(4500, 0), (std::vector<int>{0}));
    EXPECT_EQ(StrokeEnds(10, 10), (std::vector<int>{10}));
}

TEST(LongLineStrokes, TargetsNearTheEndsOfTheIntegerRangeDoNotOverflow)
{
    const std::vector<int> ends = StrokeEnds(-2147483647, 2147483647);
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends.front(), -2147483647 + 2000);
    EXPECT_EQ(ends.back(), 2147483647);
    for (std::size_t i = 1; i + 1 < ends.size(); ++i) {
        ASSERT_EQ(ends[i] - ends[i - 1], 2000);
    }
}

TEST(LongLines, HorizontalLineCoversTheWholeSpanAndKeepsItsRow)
{
    fw::Bitmap bitmap(4600, 3);
    fw::Canvas canvas(bitmap);
    canvas.MoveTo(0, 1);
    DrawHorzLineTo(canvas, 4500);

    EXPECT_EQ(InkAlongRow(bitmap, 1), Range(0, 4499)); // the end pixel is not drawn
    EXPECT_TRUE(InkAlongRow(bitmap, 0).empty());
    EXPECT_TRUE(InkAlongRow(bitmap, 2).empty());
    EXPECT_EQ(canvas.PenPos(), (fw::Point{4500, 1}));
}

TEST(LongLines, VerticalLineCoversTheWholeSpanAndKeepsItsColumn)
{
    fw::Bitmap bitmap(3, 4600);
    fw::Canvas canvas(bitmap);
    canvas.MoveTo(2, 30);
    DrawVertLineTo(canvas, 4400);

    EXPECT_EQ(InkAlongColumn(bitmap, 2), Range(30, 4399));
    EXPECT_TRUE(InkAlongColumn(bitmap, 1).empty());
    EXPECT_EQ(canvas.PenPos(), (fw::Point{2, 4400}));
}

TEST(LongLines, LinesBackwardsAreDrawnInOneStroke)
{
    fw::Bitmap bitmap(300, 300);
    fw::Canvas canvas(bitmap);
    canvas.MoveTo(250, 5);
    DrawHorzLineTo(canvas, 100);
    EXPECT_EQ(InkAlongRow(bitmap, 5), Range(101, 250));
    EXPECT_EQ(canvas.PenPos(), (fw::Point{100, 5}));

    canvas.MoveTo(7, 250);
    DrawVertLineTo(canvas, 40);
    EXPECT_EQ(InkAlongColumn(bitmap, 7), Range(41, 250));
}

TEST(LongLines, DrawnWithThePenOfTheCanvas)
{
    fw::Bitmap bitmap(2300, 2);
    fw::Canvas canvas(bitmap);
    canvas.Pen().Color = fw::clRed;
    canvas.MoveTo(0, 0);
    DrawHorzLineTo(canvas, 2200);
    EXPECT_EQ(bitmap.Pixel(0, 0), fw::clRed);
    EXPECT_EQ(bitmap.Pixel(2000, 0), fw::clRed); // where the second stroke begins
    EXPECT_EQ(bitmap.Pixel(2199, 0), fw::clRed);
    EXPECT_EQ(bitmap.Pixel(2200, 0), fw::clWhite);
}

} // namespace
