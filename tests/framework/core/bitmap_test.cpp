#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "framework/core/bitmap.h"

using fw::Bitmap;
using fw::Rect;

namespace {

Bitmap RandomBitmap(int width, int height, unsigned seed)
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

// What CopyRect must do, computed one pixel at a time from an untouched copy.
Bitmap ExpectedCopy(const Bitmap& target, int destLeft, int destTop, const Bitmap& source, const Rect& from)
{
    Bitmap expected(target);
    for (int y = from.Top; y < from.Bottom; ++y) {
        for (int x = from.Left; x < from.Right; ++x) {
            if (source.Contains(x, y)) {
                expected.SetPixel(destLeft + x - from.Left, destTop + y - from.Top, source.Pixel(x, y));
            }
        }
    }
    return expected;
}

} // namespace

TEST(Bitmap, StartsWhiteAndGuardsItsEdges)
{
    Bitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixels(), std::vector<std::uint32_t>(6, Bitmap::White));

    bitmap.SetPixel(2, 1, 0x123456);
    EXPECT_EQ(bitmap.Pixel(2, 1), 0x123456u);
    EXPECT_EQ(bitmap.Pixels()[5], 0x123456u) << "row-major, top row first";

    // Outside: reads give 0, writes change nothing.
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(bitmap.Pixel(x, y), 0u);
        bitmap.SetPixel(x, y, 0x000000);
    }
    EXPECT_EQ(std::count(bitmap.Pixels().begin(), bitmap.Pixels().end(), Bitmap::White), 5);

    // The top byte (system colour mark) never reaches the pixels.
    bitmap.SetPixel(0, 0, 0x8000000F);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0x00000Fu);

    const Bitmap negative(-4, 5);
    EXPECT_EQ(negative.Width(), 0);
    EXPECT_TRUE(negative.Empty());
    EXPECT_EQ(negative.Pixel(0, 0), 0u);
}

TEST(Bitmap, SetSizeKeepsTopLeftAndWhitensNewArea)
{
    const Bitmap original = RandomBitmap(5, 4, 1);
    Bitmap bitmap(original);
    bitmap.SetSize(7, 2);
    ASSERT_EQ(bitmap.Width(), 7);
    ASSERT_EQ(bitmap.Height(), 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(bitmap.Pixel(x, y), x < 5 ? original.Pixel(x, y) : Bitmap::White) << x << "," << y;
        }
    }
    bitmap.SetHeight(4);
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(bitmap.Pixel(x, 3), Bitmap::White) << "rows cut off earlier come back white";
    }
    bitmap.SetSize(0, 0);
    EXPECT_TRUE(bitmap.Pixels().empty());
    bitmap.SetWidth(2);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(Bitmap, MonochromeHoldsOnlyBlackAndWhite)
{
    // Luminance below half is black: 0x7F grey is just below, 0x80 grey just above.
    EXPECT_EQ(Bitmap::MonochromeOf(0x7F7F7F), Bitmap::Black);
    EXPECT_EQ(Bitmap::MonochromeOf(0x808080), Bitmap::White);
    EXPECT_EQ(Bitmap::MonochromeOf(0x0000FF), Bitmap::Black); // red is dark
    EXPECT_EQ(Bitmap::MonochromeOf(0x00FFFF), Bitmap::White); // yellow is light
    EXPECT_EQ(Bitmap::MonochromeOf(0xFF0000), Bitmap::Black); // blue is darkest
    EXPECT_EQ(Bitmap::MonochromeOf(0x00FF00), Bitmap::White); // green is lightest

    Bitmap mono(4, 1, true);
    mono.SetPixel(0, 0, 0x00FFFF);
    mono.SetPixel(1, 0, 0x0000FF);
    mono.FillRect(Rect{2, 0, 4, 1}, 0x202020);
    EXPECT_EQ(mono.Pixels(), (std::vector<std::uint32_t>{Bitmap::White, Bitmap::Black, Bitmap::Black, Bitmap::Black}));

    Bitmap colour(2, 1);
    colour.SetPixel(0, 0, 0x303030);
    colour.SetPixel(1, 0, 0xC0C0C0);
    Bitmap target(2, 1, true);
    target.Draw(0, 0, colour);
    EXPECT_EQ(target.Pixels(), (std::vector<std::uint32_t>{Bitmap::Black, Bitmap::White}));
    target.CopyRect(0, 0, colour, Rect{1, 0, 2, 1});
    EXPECT_EQ(target.Pixel(0, 0), Bitmap::White);

    colour.SetMonochrome(true);
    EXPECT_TRUE(colour.Monochrome());
    EXPECT_EQ(colour.Pixels(), (std::vector<std::uint32_t>{Bitmap::Black, Bitmap::White}));
}

TEST(Bitmap, CopiesAreIndependent)
{
    Bitmap source = RandomBitmap(3, 3, 2);
    source.SetTransparentColor(0x112233);
    source.SetTransparent(true);
    Bitmap copy(1, 1, true);
    copy.Assign(source);
    EXPECT_TRUE(copy.SamePixels(source));
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), 0x112233u);
    EXPECT_FALSE(copy.Monochrome());
    copy.SetPixel(1, 1, source.Pixel(1, 1) ^ 1);
    EXPECT_FALSE(copy.SamePixels(source));
    EXPECT_NE(source.Pixel(1, 1), copy.Pixel(1, 1));
}

TEST(Bitmap, CopyRectClipsBothSides)
{
    const Bitmap source = RandomBitmap(6, 5, 3);
    const Bitmap target = RandomBitmap(7, 4, 4);
    struct Case {
        int x, y;
        Rect from;
    };
    const Case cases[] = {
        {1, 1, Rect{1, 1, 4, 3}},      // wholly inside
        {-2, -1, Rect{0, 0, 6, 5}},     // sticks out top-left of the target
        {5, 2, Rect{0, 0, 6, 5}},       // sticks out bottom-right
        {0, 0, Rect{-3, -2, 2, 2}},     // source rectangle starts outside the source
        {2, 0, Rect{4, 3, 10, 10}},     // and ends outside it
        {9, 0, Rect{0, 0, 6, 5}},       // entirely beside the target
        {0, 0, Rect{3, 3, 1, 1}},       // an empty rectangle
        {-1000000, 2, Rect{0, 0, 6, 5}} // far away
    };
    for (const Case& c : cases) {
        Bitmap actual(target);
        actual.CopyRect(c.x, c.y, source, c.from);
        EXPECT_TRUE(actual.SamePixels(ExpectedCopy(target, c.x, c.y, source, c.from)))
            << c.x << "," << c.y << " from " << c.from.Left << "," << c.from.Top;
    }
}

TEST(Bitmap, CopyRectWithinOneBitmapOverlapsCorrectly)
{
    const Bitmap original = RandomBitmap(9, 8, 5);
    const Rect from{2, 2, 7, 6};
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            Bitmap bitmap(original);
            bitmap.CopyRect(from.Left + dx, from.Top + dy, bitmap, from);
            EXPECT_TRUE(bitmap.SamePixels(ExpectedCopy(original, from.Left + dx, from.Top + dy, original, from)))
                << dx << "," << dy;
        }
    }
}

TEST(Bitmap, FillRectAndDraw)
{
    Bitmap bitmap(4, 3);
    bitmap.FillRect(Rect{-5, 1, 2, 99}, 0x0000FF);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(bitmap.Pixel(x, y), (y >= 1 && x < 2) ? 0x0000FFu : Bitmap::White) << x << "," << y;
        }
    }

    Bitmap stamp(2, 2);
    stamp.SetPixel(0, 0, 0x00FF00);
    stamp.SetPixel(1, 1, 0x00FF00);
    stamp.SetTransparentColor(Bitmap::White);

    Bitmap opaque(4, 3, false);
    opaque.FillRect(opaque.Bounds(), Bitmap::Black);
    opaque.Draw(3, 2, stamp); // only its top-left pixel lands
    EXPECT_EQ(opaque.Pixel(3, 2), 0x00FF00u);
    opaque.Draw(-1, 0, stamp); // a not transparent stamp replaces everything it covers
    EXPECT_EQ(opaque.Pixel(0, 0), Bitmap::White);
    EXPECT_EQ(opaque.Pixel(0, 1), 0x00FF00u);

    stamp.SetTransparent(true);
    Bitmap seeThrough(4, 3, false);
    seeThrough.FillRect(seeThrough.Bounds(), Bitmap::Black);
    seeThrough.Draw(1, 1, stamp);
    EXPECT_EQ(seeThrough.Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(seeThrough.Pixel(2, 2), 0x00FF00u);
    EXPECT_EQ(seeThrough.Pixel(2, 1), Bitmap::Black) << "the transparent colour is left out";
    EXPECT_EQ(seeThrough.Pixel(1, 2), Bitmap::Black);

    // A transparent bitmap drawn onto itself reads its pixels before any are replaced.
    Bitmap self(3, 1);
    self.SetPixel(0, 0, 0x010101);
    self.SetPixel(1, 0, 0x020202);
    self.SetTransparent(true);
    self.Draw(1, 0, self);
    EXPECT_EQ(self.Pixels(), (std::vector<std::uint32_t>{0x010101, 0x010101, 0x020202}));
}
