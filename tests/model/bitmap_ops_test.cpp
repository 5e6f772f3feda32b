#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/bitmap_ops.h"

using fw::Bitmap;

namespace {

// A grid drawn as text, one string per row: '#' black, '.' white.
Bitmap Grid(const std::vector<std::string>& rows)
{
    Bitmap bitmap(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), true);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
                bitmap.SetPixel(x, y, Bitmap::Black);
            }
        }
    }
    return bitmap;
}

std::vector<std::string> Rows(const Bitmap& bitmap)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            row += bitmap.Pixel(x, y) == Bitmap::Black ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

Bitmap RandomColours(int width, int height, unsigned seed)
{
    Bitmap bitmap(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, random() & 0xFFFFFF);
        }
    }
    return bitmap;
}

} // namespace

TEST(BitmapOps, MirrorsMoveColumnsAndRowsAcrossTheRegion)
{
    const Bitmap original = RandomColours(7, 6, 1);
    const int left = 1, top = 2, right = 5, bottom = 4;

    Bitmap horizontal(original);
    MirrorBitmapHorizontal(horizontal, left, top, right, bottom);
    Bitmap vertical(original);
    MirrorBitmapVertical(vertical, left, top, right, bottom);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= left && x <= right && y >= top && y <= bottom;
            EXPECT_EQ(horizontal.Pixel(x, y), inside ? original.Pixel(left + right - x, y) : original.Pixel(x, y))
                << x << "," << y;
            EXPECT_EQ(vertical.Pixel(x, y), inside ? original.Pixel(x, top + bottom - y) : original.Pixel(x, y))
                << x << "," << y;
        }
    }

    // Twice restores, for the region and for the whole bitmap (odd and even sizes).
    MirrorBitmapHorizontal(horizontal, left, top, right, bottom);
    MirrorBitmapVertical(vertical, left, top, right, bottom);
    EXPECT_TRUE(horizontal.SamePixels(original));
    EXPECT_TRUE(vertical.SamePixels(original));
    Bitmap whole(original);
    MirrorBitmapHorizontal(whole);
    MirrorBitmapVertical(whole);
    EXPECT_EQ(whole.Pixel(0, 0), original.Pixel(6, 5));
    MirrorBitmapVertical(whole);
    MirrorBitmapHorizontal(whole);
    EXPECT_TRUE(whole.SamePixels(original));

    // A region reaching past the bitmap is cut to it; an upside-down region does nothing.
    Bitmap grid = Grid({"#..", "##."});
    MirrorBitmapHorizontal(grid, 0, -3, 2, 10);
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"..#", ".##"}));
    MirrorBitmapVertical(grid, 2, 1, 0, 0);
    EXPECT_EQ(Rows(grid), (std::vector<std::string>{"..#", ".##"}));
}

TEST(BitmapOps, QuarterTurns)
{
    const Bitmap original = RandomColours(10, 4, 2);

    Bitmap left;
    Bitmap source(original);
    RotateBitmapLeft(source, &left);
    ASSERT_EQ(left.Width(), 4);
    ASSERT_EQ(left.Height(), 10);
    EXPECT_TRUE(source.SamePixels(original)) << "a destination leaves the source alone";
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(left.Pixel(y, 9 - x), original.Pixel(x, y));
        }
    }

    Bitmap right;
    RotateBitmapRight(source, &right);
    ASSERT_EQ(right.Width(), 4);
    ASSERT_EQ(right.Height(), 10);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(right.Pixel(3 - y, x), original.Pixel(x, y));
        }
    }

    // Left then right, in place, restores the bitmap; so do four turns one way.
    RotateBitmapLeft(source, nullptr);
    EXPECT_EQ(source.Width(), 4);
    EXPECT_TRUE(source.SamePixels(left));
    RotateBitmapRight(source, nullptr);
    EXPECT_TRUE(source.SamePixels(original));
    for (int turn = 0; turn < 4; ++turn) {
        RotateBitmapRight(source, &source);
    }
    EXPECT_TRUE(source.SamePixels(original));

    // The grid's kind goes along: a monochrome design stays monochrome.
    Bitmap mono = Grid({"##.", "..."});
    RotateBitmapLeft(mono, nullptr);
    EXPECT_TRUE(mono.Monochrome());
    EXPECT_EQ(Rows(mono), (std::vector<std::string>{"..", "#.", "#."}));

    Bitmap empty;
    RotateBitmapLeft(empty, nullptr);
    EXPECT_TRUE(empty.Empty());
}

TEST(BitmapOps, ShiftWithoutBackgroundWhitensVacatedStrips)
{
    const Bitmap original = Grid({"######", "#.##.#", "##..##", "######"});

    Bitmap right(original);
    ShiftBitmap(right, 2, 0, nullptr);
    EXPECT_EQ(Rows(right), (std::vector<std::string>{"..####", "..#.##", "..##..", "..####"}));

    Bitmap upLeft(original);
    ShiftBitmap(upLeft, -1, -2, nullptr);
    EXPECT_EQ(Rows(upLeft), (std::vector<std::string>{"#..##.", "#####.", "......", "......"}));

    // A region: the moved content lands outside it where the move puts it; the strip is
    // cleared over the region's height only.
    Bitmap region = Grid({"......", ".##...", ".#....", "......"});
    ShiftBitmap(region, 1, 1, 2, 2, 2, 0, nullptr);
    EXPECT_EQ(Rows(region), (std::vector<std::string>{"......", "...##.", "...#..", "......"}));

    Bitmap down = Grid({"#.#", "###", "..#"});
    ShiftBitmap(down, 0, 0, 2, 1, 0, 1, nullptr);
    EXPECT_EQ(Rows(down), (std::vector<std::string>{"...", "#.#", "###"}));

    Bitmap still(original);
    ShiftBitmap(still, 0, 0, nullptr);
    EXPECT_TRUE(still.SamePixels(original));

    // A move further than the region is wide clears the whole region and nothing beside it.
    Bitmap far = Grid({"######", "######"});
    ShiftBitmap(far, 1, 0, 2, 1, 3, 0, nullptr);
    EXPECT_EQ(Rows(far), (std::vector<std::string>{"#..###", "#..###"}));
    Bitmap farUp = Grid({"##", "##", "##", "##"});
    ShiftBitmap(farUp, 0, 2, 1, 3, 0, -3, nullptr);
    EXPECT_EQ(Rows(farUp), (std::vector<std::string>{"##", "##", "..", ".."}));
}

TEST(BitmapOps, ShiftWithBackgroundShowsIt)
{
    const Bitmap original = Grid({"#..#", ".##.", "#..#"});
    const Bitmap background = Grid({"####", "#..#", "####"});

    Bitmap shifted(original);
    ShiftBitmap(shifted, 2, 0, &background);
    EXPECT_EQ(Rows(shifted), (std::vector<std::string>{"###.", "#..#", "###."}));

    // A region moved within the background: everything else shows the background.
    Bitmap region(original);
    ShiftBitmap(region, 0, 1, 1, 1, 1, 1, &background);
    EXPECT_EQ(Rows(region), (std::vector<std::string>{"####", "#..#", "#.##"}));
    EXPECT_EQ(region.Width(), 4);
    EXPECT_EQ(region.Height(), 3);
}
