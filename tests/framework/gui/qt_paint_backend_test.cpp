#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "framework/core/canvas.h"
#include "framework/gui/qt_paint_backend.h"

using fw::Bitmap;
using fw::Canvas;
using fw::Rect;
using fw::Region;

namespace {

constexpr std::uint32_t Paper = 0xF0E0D0;
constexpr std::uint32_t Ink = 0x102030;
constexpr std::uint32_t Back = 0x00C0FF;

struct Sheet {
    Bitmap bitmap{200, 120};
    fw::QtPaintBackend backend;
    Canvas canvas{bitmap, &backend};

    Sheet()
    {
        bitmap.FillRect(bitmap.Bounds(), Paper);
        canvas.Font().Name = "Liberation Sans";
        canvas.Font().SetSize(12);
        canvas.Font().Color = Ink;
    }
};

// How many pixels of each colour lie inside and outside the rectangle.
struct Census {
    std::map<std::uint32_t, int> inside;
    std::map<std::uint32_t, int> outside;
};

// Whether every channel of the pixel lies between the background's and the ink's: what a
// blend of the two by any coverage gives.
bool Blended(std::uint32_t pixel, std::uint32_t background, std::uint32_t ink)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t value = (pixel >> shift) & 0xFF;
        const std::uint32_t a = (background >> shift) & 0xFF;
        const std::uint32_t b = (ink >> shift) & 0xFF;
        if (value < std::min(a, b) || value > std::max(a, b)) {
            return false;
        }
    }
    return true;
}

// Whether the pixel is nearer the ink than the paper (at least half covered), by the
// green channel, where Paper and Ink lie furthest apart.
bool MostlyInk(std::uint32_t pixel)
{
    const int green = static_cast<int>((pixel >> 8) & 0xFF);
    return 2 * green <= 0xE0 + 0x20;
}

Census Count(const Bitmap& bitmap, const Rect& rect)
{
    Census census;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const bool in = x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
            ++(in ? census.inside : census.outside)[bitmap.Pixel(x, y)];
        }
    }
    return census;
}

} // namespace

TEST(QtPaintBackend, MeasuresLinesAt96PixelsPerInch)
{
    fw::QtPaintBackend backend;
    fw::Font font;
    font.Name = "Liberation Sans";
    font.SetSize(12); // 16 pixels of em
    const fw::Size x = backend.TextExtent(font, "X");
    EXPECT_EQ(backend.TextExtent(font, "").Height, x.Height) << "a line is as high with or without text";
    EXPECT_EQ(backend.TextExtent(font, "").Width, 0);
    // Liberation Sans (metric Arial) has a cell of 1.15 em and an "X" of 0.667 em.
    EXPECT_NEAR(x.Height, 18, 1);
    EXPECT_NEAR(x.Width, 11, 1);
    EXPECT_EQ(backend.TextExtent(font, "XXXX").Width, 4 * x.Width);
    EXPECT_EQ(backend.QtFont(font).pixelSize(), 16);
    EXPECT_GT(backend.TextExtent(font, "X ").Width, x.Width) << "trailing blanks count";

    // The usual face names find their metric stand-ins.
    fw::Font arial;
    EXPECT_EQ(QFontInfo(backend.QtFont(arial)).family(), "Liberation Sans");
    arial.Name = "Times New Roman";
    EXPECT_EQ(QFontInfo(backend.QtFont(arial)).family(), "Liberation Serif");

    font.Style.Bold = true;
    EXPECT_GT(backend.TextExtent(font, "Mmmmm").Width, [&] {
        fw::Font plain = font;
        plain.Style.Bold = false;
        return backend.TextExtent(plain, "Mmmmm").Width;
    }());

    // A positive height asks for the whole cell.
    fw::Font byCell;
    byCell.Name = "Liberation Sans";
    byCell.Height = 30;
    EXPECT_NEAR(backend.TextExtent(byCell, "X").Height, 30, 1);
    // UTF-8 text counts characters, not bytes.
    EXPECT_EQ(backend.TextExtent(font, "\xC3\xA9\xC3\xA9").Width, 2 * backend.TextExtent(font, "\xC3\xA9").Width);
}

TEST(QtPaintBackend, TextLandsInItsCellWithOrWithoutBackground)
{
    Sheet clear;
    clear.canvas.Brush().Style = fw::BrushStyle::Clear;
    const fw::Size size = clear.canvas.TextExtent("Hello, tablets");
    clear.canvas.TextOut(20, 30, "Hello, tablets");
    const Rect cell{20, 30, 20 + size.Width, 30 + size.Height};
    Census census = Count(clear.bitmap, cell);
    // Glyph pixels are the ink or, on their edges, shades between paper and ink; nothing
    // outside the cell.
    EXPECT_EQ(census.outside.size(), 1u);
    for (const auto& [colour, count] : census.inside) {
        EXPECT_TRUE(Blended(colour, Paper, Ink)) << std::hex << colour;
    }
    EXPECT_GT(census.inside[Ink], 40);
    EXPECT_GT(census.inside[Paper], census.inside[Ink]);
    EXPECT_EQ(clear.canvas.PenPos(), (fw::Point{20 + size.Width, 30}));

    Sheet opaque;
    opaque.canvas.Brush().Color = Back;
    opaque.canvas.TextOut(20, 30, "Hello, tablets");
    census = Count(opaque.bitmap, cell);
    EXPECT_EQ(census.outside.size(), 1u);
    EXPECT_EQ(census.inside.count(Paper), 0u) << "the whole cell is background or ink";
    for (const auto& [colour, count] : census.inside) {
        EXPECT_TRUE(Blended(colour, Back, Ink)) << std::hex << colour;
    }
    // The same glyph pixels, whatever the background.
    for (int y = cell.Top; y < cell.Bottom; ++y) {
        for (int x = cell.Left; x < cell.Right; ++x) {
            ASSERT_EQ(clear.bitmap.Pixel(x, y) != Paper, opaque.bitmap.Pixel(x, y) != Back) << x << ", " << y;
            ASSERT_EQ(clear.bitmap.Pixel(x, y) == Ink, opaque.bitmap.Pixel(x, y) == Ink) << x << ", " << y;
        }
    }
}

TEST(QtPaintBackend, TextHonoursTheClipRegion)
{
    Sheet sheet;
    sheet.canvas.Brush().Color = Back;
    const fw::Size size = sheet.canvas.TextExtent("WWWWWWWW");
    // A clip with a hole: ink and background only where the region allows.
    const Region clip = Region(Rect{10, 10, 10 + size.Width / 2, 10 + size.Height}) | Region(Rect{10, 10, 10 + size.Width, 14});
    sheet.canvas.SetClipRegion(clip);
    sheet.canvas.TextOut(10, 10, "WWWWWWWW");
    int inkInside = 0;
    for (int y = 0; y < sheet.bitmap.Height(); ++y) {
        for (int x = 0; x < sheet.bitmap.Width(); ++x) {
            const std::uint32_t pixel = sheet.bitmap.Pixel(x, y);
            if (!clip.Contains(x, y)) {
                ASSERT_EQ(pixel, Paper) << x << ", " << y;
            } else {
                ASSERT_TRUE(Blended(pixel, Back, Ink)) << x << ", " << y;
                inkInside += pixel == Ink;
            }
        }
    }
    EXPECT_GT(inkInside, 20);

    // TextRect keeps everything, background included, inside its rectangle.
    Sheet boxed;
    boxed.canvas.Brush().Color = Back;
    const Rect box{15, 12, 60, 20};
    boxed.canvas.TextRect(box, 10, 10, "WWWWWWWW");
    const Census census = Count(boxed.bitmap, box);
    EXPECT_EQ(census.outside.size(), 1u);
    EXPECT_GT(census.inside.at(Ink), 10);
}

TEST(QtPaintBackend, SmallTextHasGreyEdgesAndShapesBesideItKeepTheirPixels)
{
    // The digits of a pick list at 8 points, black on white, with shapes on either side.
    Bitmap bitmap(160, 40);
    bitmap.FillRect(bitmap.Bounds(), 0xFFFFFF);
    fw::QtPaintBackend backend;
    Canvas canvas(bitmap, &backend);
    canvas.Font().Name = "Liberation Sans";
    canvas.Font().SetSize(8);
    canvas.Font().Color = 0x000000;
    canvas.Brush().Style = fw::BrushStyle::Clear;
    const std::string text = "5000 1 - 200";
    const fw::Size size = canvas.TextExtent(text);
    const Rect cell{30, 10, 30 + size.Width, 10 + size.Height};
    ASSERT_LT(cell.Right, 130);
    canvas.TextOut(cell.Left, cell.Top, text);

    const auto drawShapes = [&](Canvas& on) {
        on.Pen().Color = 0x000000;
        on.Brush() = fw::Brush{0x808080, fw::BrushStyle::Solid, nullptr};
        on.Rectangle(Rect{2, 4, 24, 30});
        on.MoveTo(2, 36);
        on.LineTo(27, 31);
        const fw::Point triangle[] = {{134, 4}, {157, 12}, {138, 33}};
        on.Polygon(triangle);
        on.Ellipse(Rect{140, 26, 158, 39});
    };
    drawShapes(canvas);
    Bitmap shapesAlone(160, 40);
    shapesAlone.FillRect(shapesAlone.Bounds(), 0xFFFFFF);
    Canvas plain(shapesAlone);
    drawShapes(plain);

    std::set<std::uint32_t> greys;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint32_t pixel = bitmap.Pixel(x, y);
            const bool inCell = x >= cell.Left && x < cell.Right && y >= cell.Top && y < cell.Bottom;
            if (!inCell) {
                // The shapes' pixels are exactly those of the canvas's own geometry: no
                // smoothing reaches them, and the text's shading stays in its cell.
                ASSERT_EQ(pixel, shapesAlone.Pixel(x, y)) << x << ", " << y;
                continue;
            }
            const std::uint32_t red = pixel & 0xFF;
            // Greyscale, never coloured fringes.
            ASSERT_EQ(pixel, red * 0x010101) << x << ", " << y;
            if (red != 0 && red != 0xFF) {
                greys.insert(red);
            }
        }
    }
    // Glyphs drawn ink-or-paper would have no shade between the two at all; smooth edges
    // take many.
    EXPECT_GE(greys.size(), 8u);

    // The pixels at least half covered are the run's ink pixels.
    const Region pixels = backend.TextPixels(canvas.Font(), cell.Left, cell.Top, 0, text);
    ASSERT_FALSE(pixels.IsEmpty());
    for (const Rect& part : pixels.Rects()) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            for (int x = part.Left; x < part.Right; ++x) {
                ASSERT_LT(bitmap.Pixel(x, y) & 0xFF, 0x80) << x << ", " << y;
            }
        }
    }
}

TEST(QtPaintBackend, UnderlineAndStrikeOutCrossTheWholeRun)
{
    // The rows of the cell whose ink covers nearly the whole advance: only lines do.
    const auto lineRows = [](bool underline, bool strikeOut) {
        Sheet sheet;
        sheet.canvas.Brush().Style = fw::BrushStyle::Clear;
        sheet.canvas.Font().Style.Underline = underline;
        sheet.canvas.Font().Style.StrikeOut = strikeOut;
        const fw::Size size = sheet.canvas.TextExtent("mimimi");
        sheet.canvas.TextOut(10, 10, "mimimi");
        std::vector<int> rows;
        for (int y = 10; y < 10 + size.Height; ++y) {
            int ink = 0;
            for (int x = 10; x < 10 + size.Width; ++x) {
                ink += MostlyInk(sheet.bitmap.Pixel(x, y));
            }
            if (ink * 10 >= size.Width * 9) {
                rows.push_back(y - 10);
            }
        }
        return rows;
    };
    fw::QtPaintBackend backend;
    fw::Font font;
    font.Name = "Liberation Sans";
    font.SetSize(12);
    const int baseline = QFontMetrics(backend.QtFont(font)).ascent();
    EXPECT_TRUE(lineRows(false, false).empty());
    const std::vector<int> under = lineRows(true, false);
    ASSERT_FALSE(under.empty());
    EXPECT_GE(under.front(), baseline);
    const std::vector<int> through = lineRows(false, true);
    ASSERT_FALSE(through.empty());
    EXPECT_LT(through.back(), baseline);
}

TEST(QtPaintBackend, TurnedTextRunsAboutItsOrigin)
{
    Sheet sheet;
    const fw::Size size = sheet.canvas.TextExtent("Upwards");
    // Turned a quarter counter-clockwise about (40, 110): the run climbs from there, the
    // cell's height lying to the right of x = 40.
    sheet.canvas.TextOutRotated(40, 110, 900, "Upwards");
    const Rect turned{40, 110 - size.Width, 40 + size.Height, 110};
    const Census census = Count(sheet.bitmap, turned);
    EXPECT_EQ(census.outside.size(), 1u);
    int mostlyInk = 0;
    for (const auto& [colour, count] : census.inside) {
        mostlyInk += MostlyInk(colour) ? count : 0;
    }
    EXPECT_GT(mostlyInk, 40);

    // The run's upward direction: its first letter, the tall "U", is at the bottom.
    int lowestInk = 0;
    int highestInk = 120;
    for (int y = 0; y < sheet.bitmap.Height(); ++y) {
        for (int x = 0; x < sheet.bitmap.Width(); ++x) {
            if (MostlyInk(sheet.bitmap.Pixel(x, y))) {
                lowestInk = std::max(lowestInk, y);
                highestInk = std::min(highestInk, y);
            }
        }
    }
    EXPECT_GT(lowestInk - highestInk, size.Width * 3 / 4);
}
