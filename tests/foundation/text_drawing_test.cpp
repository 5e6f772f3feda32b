#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "foundation/text_drawing.h"
#include "framework/core/paint_backend.h"

namespace {

using fw::FakePaintBackend;

constexpr fw::Color Ink = 0x000080;
constexpr fw::Color Paper = 0x00FF00;

// A white surface with a canvas that writes in Ink over a clear brush.
struct Surface {
    fw::Bitmap bitmap{80, 60};
    FakePaintBackend backend;
    fw::Canvas canvas{bitmap, &backend};

    Surface()
    {
        canvas.Font().Color = Ink;
        canvas.Brush().Style = fw::BrushStyle::Clear;
    }
};

// What the fake backend's glyphs look like, painted by hand: a 5 x 9 box per non-blank
// character, two pixels below the top of its 6-pixel cell, cut to the clip rectangle.
void PaintGlyphs(fw::Bitmap& bitmap, int x, int y, std::string_view text, const fw::Rect& clip)
{
    for (char c : text) {
        if (c != ' ') {
            const int top = y + FakePaintBackend::GlyphTop;
            fw::Rect box{x, top, x + FakePaintBackend::GlyphWidth, top + FakePaintBackend::GlyphHeight};
            box.Left = std::max(box.Left, clip.Left);
            box.Top = std::max(box.Top, clip.Top);
            box.Right = std::min(box.Right, clip.Right);
            box.Bottom = std::min(box.Bottom, clip.Bottom);
            bitmap.FillRect(box, Ink);
        }
        x += FakePaintBackend::CharWidth;
    }
}

constexpr fw::Rect Everywhere{0, 0, 1000, 1000};

} // namespace

TEST(TextDrawing, WrappedLinesLandOnTheirPixels)
{
    Surface surface;
    // 30 pixels hold 5 characters: "ab" and "cdef", 26 pixels high, centred both ways in
    // [10, 40) x [5, 50): tops 14 and 27, lefts 19 and 13.
    const fw::Rect used = DrawWrappedTextAt(surface.canvas, 10, 5, 40, 50, 0, 0, true, TextAlignment::Centre,
                                            TextAlignment::Centre, "ab cdef");
    EXPECT_EQ(used, (fw::Rect{13, 14, 37, 40}));

    fw::Bitmap expected(80, 60);
    PaintGlyphs(expected, 19, 14, "ab", Everywhere);
    PaintGlyphs(expected, 13, 27, "cdef", Everywhere);
    EXPECT_TRUE(surface.bitmap.SamePixels(expected));

    // Ending at the bottom right, with an empty line as high as any other between.
    Surface ended;
    EXPECT_EQ(DrawWrappedTextAt(ended.canvas, 0, 0, 60, 50, 0, 0, false, TextAlignment::End, TextAlignment::End,
                                "x\r\n\r\nyz"),
              (fw::Rect{48, 11, 60, 50}));
    fw::Bitmap expectedEnd(80, 60);
    PaintGlyphs(expectedEnd, 54, 11, "x", Everywhere);
    PaintGlyphs(expectedEnd, 48, 37, "yz", Everywhere);
    EXPECT_TRUE(ended.bitmap.SamePixels(expectedEnd));

    // The canvas measures sizes the same way.
    EXPECT_EQ(WrappedTextSize(surface.canvas, 30, "ab cdef", true), (fw::Rect{0, 0, 24, 26}));
    EXPECT_EQ(WrappedTextSize(surface.canvas, 30, "ab cdef", false), (fw::Rect{0, 0, 42, 13}));
}

TEST(TextDrawing, LinesAreClippedAndMovedByTheOffsets)
{
    // The box clips: "abcdef" does not wrap and runs out of [10, 25) x [10, 30).
    Surface boxed;
    DrawWrappedTextAt(boxed.canvas, 10, 10, 25, 30, 0, 0, false, TextAlignment::Start, TextAlignment::Start,
                      "abcdef");
    fw::Bitmap expected(80, 60);
    PaintGlyphs(expected, 10, 10, "abcdef", fw::Rect{10, 10, 25, 30});
    EXPECT_TRUE(boxed.bitmap.SamePixels(expected));

    // The offsets move the lines but not the clip rectangle, and the rectangle handed back
    // is where the lines are laid out, before the offsets.
    Surface moved;
    const fw::Rect clip{0, 0, 67, 16};
    EXPECT_EQ(DrawWrappedText(moved.canvas, fw::Rect{0, 0, 30, 30}, clip, 40, 9, true, TextAlignment::Start,
                              TextAlignment::Start, "ab cd"),
              (fw::Rect{0, 0, 30, 13}));
    fw::Bitmap expectedMoved(80, 60);
    PaintGlyphs(expectedMoved, 40, 9, "ab cd", clip);
    EXPECT_TRUE(moved.bitmap.SamePixels(expectedMoved));

    // The canvas's own clip region applies as well.
    Surface regioned;
    regioned.canvas.IntersectClipRect(fw::Rect{0, 0, 13, 60});
    DrawWrappedTextAt(regioned.canvas, 0, 0, 60, 60, 0, 0, false, TextAlignment::Start, TextAlignment::Start, "abc");
    fw::Bitmap expectedRegion(80, 60);
    PaintGlyphs(expectedRegion, 0, 0, "abc", fw::Rect{0, 0, 13, 60});
    EXPECT_TRUE(regioned.bitmap.SamePixels(expectedRegion));
}

TEST(TextDrawing, AnOpaqueBrushFillsTheLineCellsInsideTheClip)
{
    Surface surface;
    surface.canvas.Brush().Style = fw::BrushStyle::Solid;
    surface.canvas.Brush().Color = Paper;
    DrawWrappedTextAt(surface.canvas, 5, 5, 20, 40, 0, 0, false, TextAlignment::Start, TextAlignment::Start,
                      "abc\n\nd");
    // Lines "abc" (cut at 20) and "d" (cut at 40); the background of each line stays in its
    // own cell, so no line wipes out the one before, and the empty line gets none.
    fw::Bitmap expected(80, 60);
    expected.FillRect(fw::Rect{5, 5, 20, 18}, Paper);
    expected.FillRect(fw::Rect{5, 31, 11, 40}, Paper);
    PaintGlyphs(expected, 5, 5, "abc", fw::Rect{5, 5, 20, 40});
    PaintGlyphs(expected, 5, 31, "d", fw::Rect{5, 5, 20, 40});
    EXPECT_TRUE(surface.bitmap.SamePixels(expected));
}

namespace {

// Remembers the font and turn of the last text drawn.
class RecordingBackend : public FakePaintBackend {
public:
    fw::Region TextPixels(const fw::Font& font, int x, int y, int escapement, std::string_view text) override
    {
        lastFont = font;
        lastEscapement = escapement;
        return FakePaintBackend::TextPixels(font, x, y, escapement, text);
    }

    fw::Font lastFont;
    int lastEscapement = 0;
};

} // namespace

TEST(TextDrawing, RotatedTextIsTurnedInAPlainFontWithoutBackground)
{
    fw::Bitmap bitmap(60, 60);
    RecordingBackend backend;
    fw::Canvas canvas(bitmap, &backend);
    fw::Font& font = canvas.Font();
    font.Name = "Times New Roman";
    font.Height = -20;
    font.Color = Ink;
    font.Style = fw::FontStyles{true, true, true, true};
    canvas.Brush().Color = Paper; // solid: turned text still gets no background

    RotatedTextOut(canvas, 20, 40, 90, "ab");

    EXPECT_EQ(backend.lastEscapement, 900);
    EXPECT_EQ(backend.lastFont.Name, "Times New Roman");
    EXPECT_EQ(backend.lastFont.Height, -20);
    EXPECT_EQ(backend.lastFont.Color, Ink);
    EXPECT_EQ(backend.lastFont.Style, fw::FontStyles{});
    // The canvas keeps its own font.
    EXPECT_EQ(canvas.Font().Style, (fw::FontStyles{true, true, true, true}));

    // Upwards from (20, 40): each glyph box lies on its side, "a" just above the baseline
    // point and "b" one cell higher; nothing else is painted.
    fw::Bitmap expected(60, 60);
    expected.FillRect(fw::Rect{22, 35, 31, 40}, Ink);
    expected.FillRect(fw::Rect{22, 29, 31, 34}, Ink);
    EXPECT_TRUE(bitmap.SamePixels(expected));

    // Without a backend nothing can be drawn, and the font still comes back.
    fw::Canvas blind(bitmap);
    blind.Font().Style.Bold = true;
    EXPECT_THROW(RotatedTextOut(blind, 0, 0, 45, "x"), fw::EInvalidGraphicOperation);
    EXPECT_TRUE(blind.Font().Style.Bold);
}
