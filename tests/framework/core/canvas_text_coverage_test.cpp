// Text with greyscale edges: how the canvas blends the font colour by the backend's
// coverage levels, inside its clip, on colour and monochrome bitmaps.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string_view>

#include "framework/core/canvas.h"
#include "framework/core/ink_coverage.h"
#include "framework/core/paint_backend.h"

using fw::Bitmap;
using fw::Canvas;
using fw::InkCoverage;
using fw::Rect;
using fw::Region;

namespace {

constexpr std::uint32_t Paper = 0xF0E0D0;
constexpr std::uint32_t Ink = 0x102030;

// The fake backend's glyph boxes, shaded across: the five columns of a box are covered
// 1/5, 2/5 ... 5/5, so a run shows every kind of pixel an antialiased glyph has.
class ShadedBackend : public fw::FakePaintBackend {
public:
    static int LevelOfColumn(int column) { return (column + 1) * 255 / GlyphWidth; }

    InkCoverage TextCoverage(const fw::Font& font, int x, int y, int escapement, std::string_view text) override
    {
        const Region solid = TextPixels(font, x, y, escapement, text);
        InkCoverage coverage = InkCoverage::FromRegion(solid);
        const Rect box = coverage.Box();
        for (int row = box.Top; row < box.Bottom; ++row) {
            for (int column = box.Left; column < box.Right; ++column) {
                if (solid.Contains(column, row)) {
                    coverage.Row(row)[column - box.Left] =
                        static_cast<std::uint8_t>(LevelOfColumn((column - x) % CharWidth));
                }
            }
        }
        return coverage;
    }
};

struct Sheet {
    Bitmap bitmap;
    ShadedBackend backend;
    Canvas canvas{bitmap, &backend};

    explicit Sheet(bool monochrome = false) : bitmap(40, 16, monochrome)
    {
        bitmap.FillRect(bitmap.Bounds(), monochrome ? Bitmap::White : Paper);
        canvas.Font().Color = Ink;
        canvas.Brush().Style = fw::BrushStyle::Clear;
    }
};

int Channel(std::uint32_t colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

} // namespace

TEST(CanvasTextCoverage, EdgesBlendTheFontColourOverThePixelsByTheirCoverage)
{
    Sheet sheet;
    sheet.canvas.TextOut(2, 1, "AB");
    constexpr int GlyphTop = 1 + fw::FakePaintBackend::GlyphTop;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 40; ++x) {
            const int column = (x - 2) % fw::FakePaintBackend::CharWidth;
            const bool glyph = x >= 2 && x < 14 && column < fw::FakePaintBackend::GlyphWidth && y >= GlyphTop
                               && y < GlyphTop + fw::FakePaintBackend::GlyphHeight;
            const std::uint32_t pixel = sheet.bitmap.Pixel(x, y);
            if (!glyph) {
                ASSERT_EQ(pixel, Paper) << x << ", " << y;
                continue;
            }
            // Each channel lies where the covered part puts it between paper and ink,
            // within the rounding.
            const double part = ShadedBackend::LevelOfColumn(column) / 255.0;
            for (int shift = 0; shift < 24; shift += 8) {
                const double exact = Channel(Paper, shift) + part * (Channel(Ink, shift) - Channel(Paper, shift));
                ASSERT_LE(std::abs(Channel(pixel, shift) - exact), 0.5) << x << ", " << y << " channel " << shift;
            }
        }
    }
    EXPECT_EQ(sheet.bitmap.Pixel(6, 5), Ink) << "a wholly covered pixel is the ink itself";
}

TEST(CanvasTextCoverage, TextKeepsToTheClipAndToItsRectangleAndAlwaysCopies)
{
    // The same run with and without an xor pen: text ignores the pen's mode.
    Sheet copied;
    copied.canvas.TextOut(2, 1, "AB");
    Sheet xored;
    xored.canvas.Pen().Mode = fw::PenMode::Xor;
    xored.canvas.TextOut(2, 1, "AB");
    EXPECT_TRUE(xored.bitmap.SamePixels(copied.bitmap));

    Sheet clipped;
    const Region clip = Region(Rect{0, 0, 5, 16}) | Region(Rect{0, 0, 40, 6});
    clipped.canvas.SetClipRegion(clip);
    clipped.canvas.TextOut(2, 1, "AB");
    Sheet boxed;
    const Rect box{4, 0, 10, 16};
    boxed.canvas.TextRect(box, 2, 1, "AB");
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inBox = x >= box.Left && x < box.Right;
            ASSERT_EQ(clipped.bitmap.Pixel(x, y), clip.Contains(x, y) ? copied.bitmap.Pixel(x, y) : Paper)
                << x << ", " << y;
            ASSERT_EQ(boxed.bitmap.Pixel(x, y), inBox ? copied.bitmap.Pixel(x, y) : Paper) << x << ", " << y;
        }
    }
}

TEST(CanvasTextCoverage, MonochromeBitmapsTakeInkWhereAtLeastHalfIsCovered)
{
    Sheet sheet(true);
    sheet.canvas.Font().Color = fw::clBlack;
    sheet.canvas.TextOut(2, 1, "A");
    const int row = 1 + fw::FakePaintBackend::GlyphTop;
    for (int column = 0; column < fw::FakePaintBackend::GlyphWidth; ++column) {
        const bool ink = ShadedBackend::LevelOfColumn(column) >= InkCoverage::Half;
        EXPECT_EQ(sheet.bitmap.Pixel(2 + column, row), ink ? Bitmap::Black : Bitmap::White) << column;
    }
}

TEST(CanvasTextCoverage, CoverageAndRegionsAgree)
{
    const Region ink = Region(Rect{3, 2, 7, 5}) | Region(Rect{10, 4, 12, 9});
    const InkCoverage whole = InkCoverage::FromRegion(ink);
    EXPECT_EQ(whole.Box(), ink.Bounds());
    EXPECT_EQ(whole.Covered(1), ink);
    EXPECT_EQ(whole.Covered(InkCoverage::Full), ink);
    EXPECT_EQ(whole.At(4, 3), InkCoverage::Full);
    EXPECT_EQ(whole.At(8, 3), 0) << "inside the box, outside the ink";
    EXPECT_EQ(whole.At(100, 3), 0) << "outside the box";

    // A backend that does not shade answers its pixels wholly covered.
    fw::FakePaintBackend plain;
    const fw::Font font;
    const Region pixels = plain.TextPixels(font, 1, 2, 0, "ab c");
    EXPECT_EQ(plain.TextCoverage(font, 1, 2, 0, "ab c").Covered(InkCoverage::Full), pixels);

    // Levels below the threshold asked for are left out.
    InkCoverage shaded(Rect{0, 0, 3, 1});
    shaded.Row(0)[0] = 40;
    shaded.Row(0)[1] = InkCoverage::Half;
    shaded.Row(0)[2] = 200;
    EXPECT_EQ(shaded.Covered(InkCoverage::Half), Region(Rect{1, 0, 3, 1}));
    EXPECT_EQ(shaded.Covered(1), Region(Rect{0, 0, 3, 1}));
    EXPECT_TRUE(InkCoverage(Rect{5, 5, 5, 9}).Covered(1).IsEmpty());
}
