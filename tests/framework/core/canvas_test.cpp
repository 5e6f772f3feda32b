#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "framework/core/canvas.h"
#include "framework/core/paint_backend.h"

using fw::Bitmap;
using fw::BrushStyle;
using fw::Canvas;
using fw::Color;
using fw::FakePaintBackend;
using fw::PenMode;
using fw::PenStyle;
using fw::Point;
using fw::Rect;
using fw::Region;

namespace {

constexpr Color Paper = 0xFFFFFF;
constexpr Color Ink = 0x000000;
constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;

Bitmap Plain(int width, int height, Color colour = Paper)
{
    Bitmap bitmap(width, height);
    bitmap.FillRect(bitmap.Bounds(), colour);
    return bitmap;
}

Bitmap Noise(int width, int height, unsigned seed = 1)
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

// The bitmap as text, one line per row, each pixel by its letter in `letters` ('?' for a
// colour not listed).
std::string Picture(const Bitmap& bitmap, const std::map<Color, char>& letters)
{
    std::string text;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const auto found = letters.find(bitmap.Pixel(x, y));
            text += found == letters.end() ? '?' : found->second;
        }
        text += '\n';
    }
    return text;
}

std::string Ink1(const Bitmap& bitmap)
{
    return Picture(bitmap, {{Paper, '.'}, {Ink, '#'}, {Red, 'r'}, {Blue, 'b'}});
}

// Where two bitmaps of one size differ.
std::set<std::pair<int, int>> Changes(const Bitmap& before, const Bitmap& after)
{
    std::set<std::pair<int, int>> changed;
    for (int y = 0; y < before.Height(); ++y) {
        for (int x = 0; x < before.Width(); ++x) {
            if (before.Pixel(x, y) != after.Pixel(x, y)) {
                changed.insert({x, y});
            }
        }
    }
    return changed;
}

} // namespace

TEST(Canvas, FillRectCoversLeftTopButNotRightBottom)
{
    Bitmap bitmap = Plain(6, 5);
    Canvas canvas(bitmap);
    canvas.Brush().Color = Red;
    canvas.FillRect(Rect{1, 1, 4, 3});
    EXPECT_EQ(Ink1(bitmap),
              "......\n"
              ".rrr..\n"
              ".rrr..\n"
              "......\n"
              "......\n");

    // Outside the bitmap and upside down: clipped, or nothing.
    canvas.Brush().Color = Blue;
    canvas.FillRect(Rect{-3, 4, 2, 9});
    canvas.FillRect(Rect{5, 3, 2, 0});
    EXPECT_EQ(Ink1(bitmap).substr(28), "bb....\n");
    EXPECT_EQ(bitmap.Pixel(5, 3), Paper);

    // A clear brush paints nothing; a system colour paints its table value.
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.FillRect(bitmap.Bounds());
    EXPECT_EQ(bitmap.Pixel(0, 0), Paper);
    canvas.Brush().Style = BrushStyle::Solid;
    canvas.Brush().Color = fw::clBtnFace;
    canvas.FillRect(Rect{0, 0, 1, 1});
    EXPECT_EQ(bitmap.Pixel(0, 0), 0xF0F0F0u);
}

TEST(Canvas, HatchesPaintOnlyTheirLinesAlignedToTheOrigin)
{
    struct Case {
        BrushStyle Style;
        bool (*On)(int x, int y);
    };
    const Case cases[] = {
        {BrushStyle::Horizontal, [](int, int y) { return y % 8 == 7; }},
        {BrushStyle::Vertical, [](int x, int) { return x % 8 == 4; }},
        {BrushStyle::FDiagonal, [](int x, int y) { return x % 8 == y % 8; }},
        {BrushStyle::BDiagonal, [](int x, int y) { return x % 8 == 7 - y % 8; }},
        {BrushStyle::Cross, [](int x, int y) { return y % 8 == 7 || x % 8 == 4; }},
        {BrushStyle::DiagCross, [](int x, int y) { return x % 8 == y % 8 || x % 8 == 7 - y % 8; }},
    };
    for (const Case& c : cases) {
        const Bitmap before = Noise(21, 19);
        Bitmap bitmap = before;
        Canvas canvas(bitmap);
        canvas.Brush().Color = Red;
        canvas.Brush().Style = c.Style;
        // Two fills that meet continue one pattern: it hangs from the bitmap's origin.
        canvas.FillRect(Rect{3, 2, 11, 17});
        canvas.FillRect(Rect{11, 2, 20, 17});
        for (int y = 0; y < 19; ++y) {
            for (int x = 0; x < 21; ++x) {
                const bool inside = x >= 3 && x < 20 && y >= 2 && y < 17;
                const Color expected = inside && c.On(x, y) ? Red : before.Pixel(x, y);
                ASSERT_EQ(bitmap.Pixel(x, y), expected) << "style " << static_cast<int>(c.Style) << " at " << x << ","
                                                        << y;
            }
        }
    }
}

TEST(Canvas, BitmapBrushTilesFromTheOrigin)
{
    Bitmap tile(3, 2);
    tile.SetPixel(0, 0, Red);
    tile.SetPixel(2, 1, Blue);
    Bitmap bitmap = Plain(10, 7, 0x00FF00);
    Canvas canvas(bitmap);
    canvas.Brush().Style = BrushStyle::Clear; // the bitmap wins over the style
    canvas.Brush().Bitmap = &tile;
    canvas.FillRect(Rect{2, 1, 9, 6});
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 9 && y >= 1 && y < 6;
            EXPECT_EQ(bitmap.Pixel(x, y), inside ? tile.Pixel(x % 3, y % 2) : 0x00FF00u) << x << "," << y;
        }
    }
    // An empty brush bitmap paints nothing.
    const Bitmap empty;
    canvas.Brush().Bitmap = &empty;
    const Bitmap before = bitmap;
    canvas.FillRect(bitmap.Bounds());
    EXPECT_TRUE(bitmap.SamePixels(before));
}

TEST(Canvas, RectangleOutlinesTheBoxAndWithoutPenFallsShort)
{
    Bitmap bitmap = Plain(7, 6);
    Canvas canvas(bitmap);
    canvas.Brush().Color = Red;
    canvas.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Ink1(bitmap),
              ".......\n"
              ".#####.\n"
              ".#rrr#.\n"
              ".#rrr#.\n"
              ".#####.\n"
              ".......\n");

    bitmap = Plain(7, 6);
    canvas.Pen().Style = PenStyle::Clear;
    canvas.Rectangle(Rect{1, 1, 6, 5});
    EXPECT_EQ(Ink1(bitmap),
              ".......\n"
              ".rrrr..\n"
              ".rrrr..\n"
              ".rrrr..\n"
              ".......\n"
              ".......\n")
        << "a clear pen leaves the last column and row to the neighbour";

    // Given upside down, the box is turned the right way round; a one-pixel-high box is
    // a single run.
    bitmap = Plain(7, 6);
    canvas.Pen().Style = PenStyle::Solid;
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.Rectangle(6, 5, 1, 1);
    canvas.Rectangle(0, 5, 4, 6);
    EXPECT_EQ(Ink1(bitmap),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              "####...\n");
}

TEST(Canvas, PenModesAndXorFeedbackUndoThemselves)
{
    const Bitmap before = Noise(30, 20);
    Bitmap bitmap = before;
    Canvas canvas(bitmap);
    canvas.Pen().Color = 0x123456;
    canvas.Pen().Mode = PenMode::NotXor;
    canvas.MoveTo(2, 3);
    canvas.LineTo(9, 3);
    EXPECT_EQ(bitmap.Pixel(4, 3), ~(before.Pixel(4, 3) ^ 0x123456u) & 0xFFFFFFu);
    EXPECT_EQ(bitmap.Pixel(9, 3), before.Pixel(9, 3)) << "end pixel";

    // Every shape drawn twice in an inverting mode restores the picture, so each of its
    // pixels is painted exactly once.
    for (const PenMode mode : {PenMode::NotXor, PenMode::Xor}) {
        for (const PenStyle style : {PenStyle::Solid, PenStyle::Dot}) {
            canvas.Pen().Mode = mode;
            canvas.Pen().Style = style;
            canvas.Brush().Style = BrushStyle::Clear;
            bitmap = before;
            const Point star[] = {{5, 1}, {25, 17}, {2, 12}, {27, 4}, {8, 18}};
            for (int pass = 0; pass < 2; ++pass) {
                canvas.Rectangle(3, 2, 17, 11);
                canvas.Rectangle(20, 5, 21, 15);
                canvas.MoveTo(0, 19);
                canvas.LineTo(29, 0);
                canvas.Polygon(star);
                canvas.Polyline(star);
                canvas.Ellipse(Rect{4, 4, 25, 18});
                canvas.RoundRect(Rect{1, 1, 28, 19}, 9, 7);
                if (pass == 0) {
                    EXPECT_FALSE(bitmap.SamePixels(before));
                }
            }
            EXPECT_TRUE(bitmap.SamePixels(before)) << "mode " << static_cast<int>(mode);
        }
    }
}

TEST(Canvas, LinesLeaveOutTheirEndAndMoveThePen)
{
    Bitmap bitmap = Plain(8, 5);
    Canvas canvas(bitmap);
    canvas.MoveTo(1, 1);
    canvas.LineTo(6, 1);
    EXPECT_EQ(canvas.PenPos(), (Point{6, 1}));
    canvas.LineTo(6, 4);
    canvas.LineTo(2, 4);
    canvas.LineTo(0, 2);
    EXPECT_EQ(Ink1(bitmap),
              "........\n"
              ".######.\n"
              "......#.\n"
              ".#....#.\n"
              "..#####.\n");

    // A line and its reverse cover the same pixels, ends aside.
    std::mt19937 random(3);
    for (int i = 0; i < 300; ++i) {
        const Point a{static_cast<int>(random() % 30), static_cast<int>(random() % 30)};
        const Point b{static_cast<int>(random() % 30), static_cast<int>(random() % 30)};
        Bitmap forward = Plain(30, 30);
        Bitmap backward = Plain(30, 30);
        Canvas f(forward);
        Canvas r(backward);
        f.MoveTo(a.X, a.Y);
        f.LineTo(b.X, b.Y);
        f.SetPixel(b.X, b.Y, Ink);
        r.MoveTo(b.X, b.Y);
        r.LineTo(a.X, a.Y);
        r.SetPixel(a.X, a.Y, Ink);
        ASSERT_TRUE(forward.SamePixels(backward)) << a.X << "," << a.Y << " - " << b.X << "," << b.Y;
    }

    // A clear pen paints nothing but still moves.
    bitmap = Plain(8, 5);
    canvas.Pen().Style = PenStyle::Clear;
    canvas.MoveTo(0, 0);
    canvas.LineTo(7, 4);
    EXPECT_EQ(canvas.PenPos(), (Point{7, 4}));
    EXPECT_TRUE(bitmap.SamePixels(Plain(8, 5)));
}

TEST(Canvas, ClippedLinesKeepTheirPixelsAndDots)
{
    // Lines starting far outside the clip begin their walk where the clip starts; the
    // pixels inside must be those of the whole walk, dots in phase.
    std::mt19937 random(11);
    for (const PenStyle style : {PenStyle::Solid, PenStyle::Dot}) {
        for (int i = 0; i < 200; ++i) {
            const Point a{static_cast<int>(random() % 300) - 120, static_cast<int>(random() % 300) - 120};
            const Point b{static_cast<int>(random() % 300) - 120, static_cast<int>(random() % 300) - 120};
            Bitmap whole = Plain(60, 60);
            Bitmap clipped = Plain(60, 60);
            Canvas w(whole);
            Canvas c(clipped);
            w.Pen().Style = c.Pen().Style = style;
            c.SetClipRegion(Region(Rect{20, 25, 41, 40}));
            for (Canvas* canvas : {&w, &c}) {
                canvas->MoveTo(a.X, a.Y);
                canvas->LineTo(b.X, b.Y);
            }
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 60; ++x) {
                    const bool inClip = x >= 20 && x < 41 && y >= 25 && y < 40;
                    ASSERT_EQ(clipped.Pixel(x, y), inClip ? whole.Pixel(x, y) : Paper)
                        << a.X << "," << a.Y << " - " << b.X << "," << b.Y << " at " << x << "," << y;
                }
            }
        }
    }
    // Coordinates at the ends of the int range cost no more than a line across the bitmap.
    Bitmap bitmap = Plain(5, 3);
    Canvas canvas(bitmap);
    canvas.MoveTo(-2000000000, 1);
    canvas.LineTo(2000000000, 2);
    canvas.MoveTo(2147483647, 0);
    canvas.LineTo(-2147483647 - 1, 0);
    EXPECT_EQ(Ink1(bitmap), "#####\n#....\n.####\n") << "the step half way, at x = 0";
}

TEST(Canvas, DottedPenAlternatesFromTheStart)
{
    Bitmap bitmap = Plain(8, 6);
    Canvas canvas(bitmap);
    canvas.Pen().Style = PenStyle::Dot;
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.MoveTo(7, 0);
    canvas.LineTo(0, 0);
    canvas.Rectangle(1, 1, 6, 6);
    EXPECT_EQ(Ink1(bitmap),
              ".#.#.#.#\n"
              ".#.#.#..\n"
              "........\n"
              ".#...#..\n"
              "........\n"
              ".#.#.#..\n")
        << "the rectangle starts on at its top-left corner and runs clockwise";

    // With a solid brush the gaps take the brush colour, as an opaque background does.
    bitmap = Plain(8, 1);
    canvas.Brush().Style = BrushStyle::Solid;
    canvas.Brush().Color = Red;
    canvas.MoveTo(0, 0);
    canvas.LineTo(6, 0);
    EXPECT_EQ(Ink1(bitmap), "#r#r#r..\n");
}

TEST(Canvas, ShapesWithAndWithoutPen)
{
    Bitmap bitmap = Plain(12, 10);
    Canvas canvas(bitmap);
    canvas.Brush().Color = Red;
    canvas.Ellipse(Rect{1, 1, 11, 9});
    // The outline fills the box exactly; inside is brush, outside untouched.
    Region ink;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            if (bitmap.Pixel(x, y) == Ink) {
                ink |= Region(Rect{x, y, x + 1, y + 1});
            }
        }
    }
    EXPECT_EQ(ink.Bounds(), (Rect{1, 1, 11, 9}));
    EXPECT_EQ(bitmap.Pixel(6, 5), Red);
    EXPECT_EQ(bitmap.Pixel(1, 1), Paper) << "a corner of the box lies outside the ellipse";

    // Without a pen the brush covers the platform's elliptic region, one pixel short.
    for (const bool round : {false, true}) {
        bitmap = Plain(12, 10);
        canvas.Pen().Style = PenStyle::Clear;
        const Region expected =
            round ? Region::RoundRect(Rect{1, 1, 11, 9}, 5, 4) : Region::Ellipse(Rect{1, 1, 11, 9});
        if (round) {
            canvas.RoundRect(Rect{1, 1, 11, 9}, 5, 4);
        } else {
            canvas.Ellipse(Rect{1, 1, 11, 9});
        }
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                EXPECT_EQ(bitmap.Pixel(x, y), expected.Contains(x, y) ? Red : Paper) << x << "," << y;
            }
        }
        canvas.Pen().Style = PenStyle::Solid;
    }

    // A round rectangle with a pen: straight sides on the box edges, cut corners.
    bitmap = Plain(12, 10);
    canvas.RoundRect(Rect{1, 1, 11, 9}, 4, 4);
    EXPECT_EQ(bitmap.Pixel(5, 1), Ink);
    EXPECT_EQ(bitmap.Pixel(10, 5), Ink);
    EXPECT_EQ(bitmap.Pixel(5, 8), Ink);
    EXPECT_EQ(bitmap.Pixel(1, 1), Paper);
    EXPECT_EQ(bitmap.Pixel(5, 5), Red);
}

TEST(Canvas, ArcRunsCounterClockwise)
{
    Bitmap bitmap = Plain(21, 21);
    Canvas canvas(bitmap);
    // From the right-hand radial to the top one: the upper right quarter only.
    canvas.Arc(Rect{0, 0, 21, 21}, Point{30, 10}, Point{10, -5});
    bool any = false;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            if (bitmap.Pixel(x, y) == Ink) {
                any = true;
                EXPECT_TRUE(x >= 10 && y <= 10) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(any);
    EXPECT_EQ(bitmap.Pixel(20, 10), Ink);
    EXPECT_EQ(bitmap.Pixel(10, 0), Ink);
}

TEST(Canvas, ClipRegionLimitsEveryOperation)
{
    const Bitmap before = Noise(20, 16);
    Bitmap bitmap = before;
    Canvas canvas(bitmap);
    const Region clip = Region::RoundRect(Rect{2, 2, 15, 13}, 8, 8) - Region(Rect{6, 6, 9, 9});
    canvas.SetClipRegion(clip);
    canvas.Brush().Color = Red;
    canvas.Pen().Color = Blue;
    canvas.FillRect(Rect{0, 0, 20, 16});
    canvas.MoveTo(0, 15);
    canvas.LineTo(19, 0);
    canvas.Rectangle(0, 0, 20, 16);
    canvas.SetPixel(7, 7, Blue);
    canvas.SetPixel(0, 0, Blue);
    for (const auto& [x, y] : Changes(before, bitmap)) {
        EXPECT_TRUE(clip.Contains(x, y)) << x << "," << y;
    }
    EXPECT_EQ(bitmap.Pixel(3, 6), Red);

    // The clip region reads back and restores; narrowing and widening work on it.
    const auto saved = canvas.ClipRegion();
    canvas.IntersectClipRect(Rect{0, 0, 4, 4});
    EXPECT_EQ(canvas.PaintableRegion(), clip & Region(Rect{0, 0, 4, 4}));
    canvas.SetClipRegion(saved);
    EXPECT_EQ(canvas.PaintableRegion(), clip);
    canvas.SetClipRegion(std::nullopt);
    canvas.ExcludeClipRect(Rect{0, 0, 10, 16});
    EXPECT_EQ(canvas.PaintableRegion(), Region(Rect{10, 0, 20, 16}));

    // The bitmap growing under the canvas widens what an unclipped canvas may paint.
    canvas.SetClipRegion(std::nullopt);
    bitmap.SetSize(25, 16);
    canvas.FillRect(Rect{22, 0, 25, 1});
    EXPECT_EQ(bitmap.Pixel(24, 0), Red);
}

TEST(Canvas, CopyRectCombinesByCopyModeAndScalesNearest)
{
    Bitmap source(2, 2);
    source.SetPixel(0, 0, 0x0F0F0F);
    source.SetPixel(1, 0, 0xF0F0F0);
    source.SetPixel(0, 1, 0x00FF00);
    source.SetPixel(1, 1, 0x000000);
    const Color there = 0x3C3C3C;
    Bitmap bitmap = Plain(6, 6, there);
    Canvas canvas(bitmap);
    canvas.CopyRect(Rect{0, 0, 2, 2}, source, source.Bounds());
    canvas.SetCopyMode(fw::CopyMode::SrcAnd);
    canvas.CopyRect(Rect{2, 0, 4, 2}, source, source.Bounds());
    canvas.SetCopyMode(fw::CopyMode::SrcPaint);
    canvas.CopyRect(Rect{4, 0, 6, 2}, source, source.Bounds());
    EXPECT_EQ(bitmap.Pixel(1, 0), 0xF0F0F0u);
    EXPECT_EQ(bitmap.Pixel(2, 0), 0x0F0F0Fu & there);
    EXPECT_EQ(bitmap.Pixel(5, 0), 0xF0F0F0u | there);
    EXPECT_EQ(bitmap.Pixel(4, 1), 0x00FF00u | there);

    // Stretched: each source pixel becomes a 2 x 2 block; shrunk: the nearest to the left.
    canvas.SetCopyMode(fw::CopyMode::SrcCopy);
    canvas.CopyRect(Rect{0, 2, 4, 6}, source, source.Bounds());
    EXPECT_EQ(bitmap.Pixel(1, 3), 0x0F0F0Fu);
    EXPECT_EQ(bitmap.Pixel(2, 3), 0xF0F0F0u);
    EXPECT_EQ(bitmap.Pixel(3, 5), 0x000000u);
    EXPECT_EQ(bitmap.Pixel(0, 4), 0x00FF00u);
    canvas.CopyRect(Rect{5, 5, 6, 6}, source, source.Bounds());
    EXPECT_EQ(bitmap.Pixel(5, 5), 0x0F0F0Fu);

    // Copying within one bitmap, overlapping, as scroll bars do.
    Bitmap strip = Noise(10, 1);
    const Bitmap original = strip;
    Canvas scroller(strip);
    scroller.CopyRect(Rect{2, 0, 10, 1}, strip, Rect{0, 0, 8, 1});
    for (int x = 2; x < 10; ++x) {
        EXPECT_EQ(strip.Pixel(x, 0), original.Pixel(x - 2, 0));
    }
    // Source pixels outside the source read as black.
    scroller.CopyRect(Rect{0, 0, 2, 1}, source, Rect{-1, 0, 1, 1});
    EXPECT_EQ(strip.Pixel(0, 0), 0u);
    EXPECT_EQ(strip.Pixel(1, 0), 0x0F0F0Fu);
}

TEST(Canvas, DrawSkipsTheTransparentKey)
{
    Bitmap icon(3, 2);
    icon.FillRect(icon.Bounds(), 0xFF00FF);
    icon.SetPixel(1, 0, Red);
    icon.SetPixel(2, 1, Blue);
    Bitmap bitmap = Plain(8, 4);
    Canvas canvas(bitmap);
    canvas.Draw(1, 1, icon);
    EXPECT_EQ(bitmap.Pixel(1, 1), 0xFF00FFu) << "an opaque picture copies every pixel";

    icon.SetTransparentColor(0xFF00FF);
    icon.SetTransparent(true);
    bitmap = Plain(8, 4);
    canvas.Draw(1, 1, icon);
    EXPECT_EQ(Ink1(bitmap),
              "........\n"
              "..r.....\n"
              "...b....\n"
              "........\n");

    // Stretched, the key is still left out; the copy mode does not apply to keyed drawing.
    bitmap = Plain(8, 4);
    canvas.SetCopyMode(fw::CopyMode::SrcAnd);
    canvas.StretchDraw(Rect{0, 0, 6, 4}, icon);
    EXPECT_EQ(Ink1(bitmap),
              "..rr....\n"
              "..rr....\n"
              "....bb..\n"
              "....bb..\n");
}

TEST(Canvas, DrawEdgeRingsOwnTheirCorners)
{
    const Color shadow = 0xA0A0A0;
    const Color light = 0xFFFFFF;
    const Color face = 0xF0F0F0;
    Bitmap bitmap = Plain(6, 5, 0x0000FF);
    Canvas canvas(bitmap);
    const Rect inside = canvas.DrawEdge(Rect{0, 0, 6, 5}, fw::EDGE_ETCHED, fw::BF_RECT | fw::BF_MIDDLE);
    EXPECT_EQ(inside, (Rect{2, 2, 4, 3}));
    EXPECT_EQ(Picture(bitmap, {{shadow, 's'}, {light, 'L'}, {face, 'f'}}),
              "sssssL\n"
              "sLLLsL\n"
              "sLffsL\n"
              "sssssL\n"
              "LLLLLL\n")
        << "etched: sunken outer ring, raised inner ring; bottom and right own the corners";

    // Only the sides asked for; a lone top line runs the full width.
    bitmap = Plain(5, 4, 0x0000FF);
    const Rect rest = canvas.DrawEdge(Rect{0, 0, 5, 4}, fw::BDR_RAISEDINNER, fw::BF_TOP | fw::BF_RIGHT);
    EXPECT_EQ(rest, (Rect{0, 1, 4, 4}));
    EXPECT_EQ(Picture(bitmap, {{shadow, 's'}, {light, 'L'}, {0x0000FF, '.'}}),
              "LLLLs\n"
              "....s\n"
              "....s\n"
              "....s\n");
}

TEST(Canvas, FocusRectInvertsEveryOtherFramePixel)
{
    const Bitmap before = Noise(9, 7);
    Bitmap bitmap = before;
    Canvas canvas(bitmap);
    canvas.DrawFocusRect(Rect{1, 1, 8, 6});
    std::set<std::pair<int, int>> expected;
    for (int y = 1; y < 6; ++y) {
        for (int x = 1; x < 8; ++x) {
            const bool frame = x == 1 || x == 7 || y == 1 || y == 5;
            if (frame && (x - 1 + y - 1) % 2 == 0) {
                expected.insert({x, y});
                EXPECT_EQ(bitmap.Pixel(x, y), before.Pixel(x, y) ^ 0xFFFFFFu);
            }
        }
    }
    EXPECT_EQ(Changes(before, bitmap), expected);
    canvas.DrawFocusRect(Rect{1, 1, 8, 6});
    EXPECT_TRUE(bitmap.SamePixels(before));

    // A frame one pixel high is one row, each pixel inverted at most once.
    canvas.DrawFocusRect(Rect{0, 3, 9, 4});
    canvas.DrawFocusRect(Rect{0, 3, 9, 4});
    EXPECT_TRUE(bitmap.SamePixels(before));
}

TEST(Canvas, TextGoesThroughTheBackendInsideTheClip)
{
    FakePaintBackend backend;
    Bitmap bitmap = Plain(30, 16);
    Canvas canvas(bitmap, &backend);
    canvas.Font().Color = Ink;
    canvas.Brush().Color = Red;
    EXPECT_EQ(canvas.TextWidth("Ab"), 12);
    EXPECT_EQ(canvas.TextHeight(""), 13);
    EXPECT_EQ(canvas.TextExtent("Äb c"), (fw::Size{24, 13})) << "characters, not bytes";

    canvas.TextOut(2, 1, "A b");
    EXPECT_EQ(canvas.PenPos(), (Point{20, 1}));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool cell = x >= 2 && x < 20 && y >= 1 && y < 14;
            const bool glyph = y >= 3 && y < 12 && ((x >= 2 && x < 7) || (x >= 14 && x < 19));
            ASSERT_EQ(bitmap.Pixel(x, y), glyph ? Ink : cell ? Red : Paper) << x << "," << y;
        }
    }

    // A clear brush leaves the background; the clip region cuts the glyphs too.
    bitmap = Plain(30, 16);
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.SetClipRegion(Region(Rect{0, 0, 4, 16}) | Region(Rect{0, 0, 30, 5}));
    canvas.TextOut(2, 1, "AB");
    EXPECT_EQ(bitmap.Pixel(3, 10), Ink);
    EXPECT_EQ(bitmap.Pixel(5, 10), Paper);
    EXPECT_EQ(bitmap.Pixel(9, 4), Ink);
    EXPECT_EQ(bitmap.Pixel(9, 5), Paper);
    EXPECT_EQ(bitmap.Pixel(7, 4), Paper) << "the gap column";

    // TextRect: nothing outside its rectangle, and a solid brush fills all of it.
    canvas.SetClipRegion(std::nullopt);
    bitmap = Plain(30, 16);
    canvas.Brush().Style = BrushStyle::Solid;
    canvas.TextRect(Rect{4, 0, 10, 16}, 2, 1, "AB");
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inRect = x >= 4 && x < 10;
            const bool glyph = y >= 3 && y < 12 && ((x >= 2 && x < 7) || (x >= 8 && x < 13));
            ASSERT_EQ(bitmap.Pixel(x, y), !inRect ? Paper : glyph ? Ink : Red) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.PenPos(), (Point{14, 1})) << "TextRect leaves the pen where the last TextOut put it";
}

TEST(Canvas, RotatedTextTurnsAboutItsOrigin)
{
    FakePaintBackend backend;
    Bitmap bitmap = Plain(20, 20);
    Canvas canvas(bitmap, &backend);
    canvas.Font().Color = Ink;
    canvas.Brush().Color = Red; // turned text never fills its background
    canvas.TextOutRotated(5, 15, 900, "A");
    // Turned a quarter counter-clockwise: the run goes up, the glyph's top lies to the
    // right of the origin: columns 5 + 2 .. 5 + 10, rows 15 - 5 .. 14.
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool glyph = x >= 7 && x < 16 && y >= 10 && y < 15;
            ASSERT_EQ(bitmap.Pixel(x, y), glyph ? Ink : Paper) << x << "," << y;
        }
    }
}

TEST(Canvas, WithoutBackendPixelsWorkAndTextRefuses)
{
    Bitmap bitmap = Plain(10, 10);
    Canvas canvas(bitmap);
    canvas.Ellipse(Rect{0, 0, 10, 10});
    EXPECT_EQ(bitmap.Pixel(5, 0), Ink) << "ellipses use the built-in geometry";
    EXPECT_THROW(canvas.TextOut(0, 0, "x"), fw::EInvalidGraphicOperation);
    EXPECT_THROW(canvas.TextWidth("x"), fw::EInvalidGraphicOperation);
}

TEST(Canvas, MonochromeTargetsStayBlackAndWhite)
{
    Bitmap bitmap(8, 2, true);
    Canvas canvas(bitmap);
    canvas.Brush().Color = 0x0000C0; // dark red: black
    canvas.FillRect(Rect{0, 0, 4, 2});
    canvas.Pen().Color = 0xE0E0E0; // light grey: white
    canvas.Pen().Mode = PenMode::Xor;
    canvas.MoveTo(0, 0);
    canvas.LineTo(8, 0);
    EXPECT_EQ(Ink1(bitmap),
              "....####\n"
              "####....\n")
        << "xor with white inverts black and white";
    for (const Color c : bitmap.Pixels()) {
        EXPECT_TRUE(c == Ink || c == Paper);
    }
}

TEST(Canvas, WidePensDrawSquaresAlongThePath)
{
    Bitmap bitmap = Plain(8, 6);
    Canvas canvas(bitmap);
    canvas.Pen().Width = 3;
    canvas.MoveTo(2, 2);
    canvas.LineTo(6, 2);
    EXPECT_EQ(Ink1(bitmap),
              "........\n"
              ".######.\n"
              ".######.\n"
              ".######.\n"
              "........\n"
              "........\n")
        << "path pixels 2 to 5, each grown to a 3 x 3 square";
    // Overlapping squares paint once: a wide xor line drawn twice restores.
    canvas.Pen().Mode = PenMode::Xor;
    canvas.Pen().Color = 0xFFFFFF;
    const Bitmap before = bitmap;
    canvas.MoveTo(0, 5);
    canvas.LineTo(7, 0);
    canvas.MoveTo(0, 5);
    canvas.LineTo(7, 0);
    EXPECT_TRUE(bitmap.SamePixels(before));
}

TEST(Canvas, FontSizeAndHeightAt96Dpi)
{
    fw::Font font;
    font.SetSize(8);
    EXPECT_EQ(font.Height, -11);
    font.SetSize(10);
    EXPECT_EQ(font.Height, -13);
    font.Height = -16;
    EXPECT_EQ(font.Size(), 12);
    font.Height = 15;
    EXPECT_EQ(font.Size(), -11) << "a cell height gives a negative size";
}

TEST(SystemColours, FixedTable)
{
    EXPECT_EQ(fw::ColorToRGB(fw::clBtnFace), 0xF0F0F0u);
    EXPECT_EQ(fw::ColorToRGB(fw::clBtnShadow), 0xA0A0A0u);
    EXPECT_EQ(fw::ColorToRGB(fw::clHighlight), 0xD77800u);
    EXPECT_EQ(fw::ColorToRGB(fw::clWindow), 0xFFFFFFu);
    EXPECT_EQ(fw::ColorToRGB(0x800000FF), 0u) << "beyond the table";
    EXPECT_EQ(fw::ColorToRGB(0x12345678), 0x345678u) << "plain colours lose the top byte";
    EXPECT_EQ(fw::ColorToRGB(fw::clNone), 0xFFFFFFu);
}
