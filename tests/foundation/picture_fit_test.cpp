#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/picture_fit.h"

TEST(PictureFit, AFittingPictureKeepsItsSize)
{
    EXPECT_EQ(FitPictureSize(80, 60, 80, 60), (fw::Size{80, 60}));
    EXPECT_EQ(FitPictureSize(10, 60, 80, 60), (fw::Size{10, 60}));
    EXPECT_EQ(FitPictureSize(0, 0, 0, 0), (fw::Size{0, 0}));
    EXPECT_EQ(FitPictureSize(-4, 5, 10, 10), (fw::Size{0, 5}));
}

TEST(PictureFit, TheSideThatOverflowsMoreTakesItsMaximum)
{
    const struct {
        int width, height, maxWidth, maxHeight;
        fw::Size fitted;
    } cases[] = {
        {200, 100, 100, 100, {100, 50}},
        {100, 200, 100, 100, {50, 100}},
        {300, 100, 100, 80, {100, 33}},  // 33.33
        {300, 200, 100, 100, {100, 67}}, // 66.67
        {200, 100, 100, 50, {100, 50}},  // equal ratios
        {101, 40, 100, 100, {100, 40}},  // 39.6 rounds up
        {120, 100, 80, 100, {80, 67}},   // only the width overflows: 66.67
        {100, 120, 100, 80, {67, 80}},
        {20, 0, 10, 10, {10, 0}},
        {5, 5, 0, 10, {0, 0}},           // a box with no room
        {5, 5, 10, 0, {0, 0}},
        {2000000000, 1500000000, 40000, 30000, {40000, 30000}}, // products beyond 32 bits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitPictureSize(c.width, c.height, c.maxWidth, c.maxHeight), c.fitted)
            << c.width << "x" << c.height << " in " << c.maxWidth << "x" << c.maxHeight;
    }
}

TEST(PictureFit, HalvesRoundToEven)
{
    EXPECT_EQ(FitPictureSize(200, 25, 100, 100), (fw::Size{100, 12}));  // 12.5 -> 12
    EXPECT_EQ(FitPictureSize(200, 75, 100, 100), (fw::Size{100, 38}));  // 37.5 -> 38
    EXPECT_EQ(FitPictureSize(200, 5, 100, 100), (fw::Size{100, 2}));    // 2.5 -> 2
    EXPECT_EQ(FitPictureSize(200, 7, 100, 100), (fw::Size{100, 4}));    // 3.5 -> 4
    EXPECT_EQ(FitPictureSize(25, 200, 100, 100), (fw::Size{12, 100}));
    EXPECT_EQ(FitPictureSize(7, 200, 100, 100), (fw::Size{4, 100}));
    EXPECT_EQ(FitPictureSize(200, 1, 100, 100), (fw::Size{100, 0}));    // 0.5 -> 0
    EXPECT_EQ(FitPictureSize(200, 3, 100, 100), (fw::Size{100, 2}));    // 1.5 -> 2
}

namespace {

// Every pixel different: red = column, green = row.
fw::Bitmap Numbered(int width, int height)
{
    fw::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, static_cast<std::uint32_t>(x | (y << 8)));
        }
    }
    return bitmap;
}

std::uint32_t At(int x, int y)
{
    return static_cast<std::uint32_t>(x | (y << 8));
}

} // namespace

TEST(PictureFit, FitBitmapDrawsAFittingSourceUnchanged)
{
    const fw::Bitmap source = Numbered(3, 2);

    fw::Bitmap kept(5, 4);
    EXPECT_EQ(FitBitmap(source, kept, 3, 2, false), (fw::Rect{0, 0, 3, 2}));
    EXPECT_EQ(kept.Width(), 5);
    EXPECT_EQ(kept.Height(), 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(kept.Pixel(x, y), x < 3 && y < 2 ? At(x, y) : fw::Bitmap::White) << x << "," << y;
        }
    }

    fw::Bitmap resized(1, 1);
    FitBitmap(source, resized, 10, 10, true);
    EXPECT_TRUE(resized.SamePixels(source));

    // The transparent colour stays out, as with any drawing of the picture.
    fw::Bitmap keyed = Numbered(2, 1);
    keyed.SetTransparentColor(At(1, 0));
    keyed.SetTransparent(true);
    fw::Bitmap under(2, 1);
    FitBitmap(keyed, under, 2, 1, false);
    EXPECT_EQ(under.Pixel(0, 0), At(0, 0));
    EXPECT_EQ(under.Pixel(1, 0), fw::Bitmap::White);
}

TEST(PictureFit, FitBitmapShrinksNearestNeighbourWithHalvesToEven)
{
    const fw::Bitmap source = Numbered(8, 5);

    // 8 x 5 into 4 x 4: 4 by 2.5, rounded to 2; every second column, rows 0 and 2.
    fw::Bitmap resized;
    EXPECT_EQ(FitBitmap(source, resized, 4, 4, true), (fw::Rect{0, 0, 4, 2}));
    ASSERT_EQ(resized.Width(), 4);
    ASSERT_EQ(resized.Height(), 2);
    EXPECT_EQ(resized.Pixel(0, 0), At(0, 0));
    EXPECT_EQ(resized.Pixel(3, 0), At(6, 0));
    EXPECT_EQ(resized.Pixel(1, 1), At(2, 2));
    EXPECT_EQ(resized.Pixel(3, 1), At(6, 2));

    // 8 x 7 gives 4 by 3.5, rounded to 4; higher than wide goes the other way.
    fw::Bitmap taller;
    EXPECT_EQ(FitBitmap(Numbered(8, 7), taller, 4, 4, true), (fw::Rect{0, 0, 4, 4}));
    EXPECT_EQ(FitBitmap(Numbered(3, 6), taller, 4, 4, true), (fw::Rect{0, 0, 2, 4}));  // 2 by 4 exactly
    EXPECT_EQ(FitBitmap(Numbered(5, 8), taller, 4, 4, true), (fw::Rect{0, 0, 2, 4}));  // 2.5 -> 2
    EXPECT_EQ(taller.Width(), 2);

    // Without resizing the destination keeps its size and its pixels outside the picture.
    fw::Bitmap fixed(6, 6);
    EXPECT_EQ(FitBitmap(source, fixed, 4, 4, false), (fw::Rect{0, 0, 4, 2}));
    EXPECT_EQ(fixed.Width(), 6);
    EXPECT_EQ(fixed.Pixel(2, 1), At(4, 2));
    EXPECT_EQ(fixed.Pixel(4, 0), fw::Bitmap::White);
    EXPECT_EQ(fixed.Pixel(0, 2), fw::Bitmap::White);

    // A bitmap fitted into itself.
    fw::Bitmap self = Numbered(8, 5);
    FitBitmap(self, self, 4, 4, true);
    EXPECT_TRUE(self.SamePixels(resized));
}
