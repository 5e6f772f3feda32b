#include "shell/palette_function_glyphs.h"

#include "framework/core/canvas.h"
#include "framework/core/named_images.h"

namespace {

constexpr fw::Color Outline = fw::clBlack;
// The two colours the swap and replace pictures stand for: primary dark, secondary light.
constexpr fw::Color PrimarySample = 0x800000;
constexpr fw::Color SecondarySample = 0x00C0FF;

void Swatch(fw::Canvas& canvas, int left, int top, int size, fw::Color colour)
{
    canvas.Pen() = fw::Pen{Outline};
    canvas.Brush() = fw::Brush{colour};
    canvas.Rectangle(left, top, left + size, top + size);
}

// A horizontal arrow on row y from x1 to x2, its head at x2.
void Arrow(fw::Canvas& canvas, int x1, int x2, int y)
{
    canvas.Pen() = fw::Pen{Outline};
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
    const int back = x2 > x1 ? -1 : 1;
    for (int i = 1; i <= 2; ++i) {
        canvas.SetPixel(x2 + back * i, y - i, Outline);
        canvas.SetPixel(x2 + back * i, y + i, Outline);
    }
    canvas.SetPixel(x2, y, Outline);
}

// A vertical arrow in column x from y1 to y2, its head at y2.
void VerticalArrow(fw::Canvas& canvas, int x, int y1, int y2)
{
    canvas.Pen() = fw::Pen{Outline};
    canvas.MoveTo(x, y1);
    canvas.LineTo(x, y2);
    const int back = y2 > y1 ? -1 : 1;
    for (int i = 1; i <= 2; ++i) {
        canvas.SetPixel(x - i, y2 + back * i, Outline);
        canvas.SetPixel(x + i, y2 + back * i, Outline);
    }
    canvas.SetPixel(x, y2, Outline);
}

void DrawSelectPalette(fw::Canvas& canvas)
{
    Swatch(canvas, 1, 1, 7, fw::clRed);
    Swatch(canvas, 8, 1, 7, fw::clLime);
    Swatch(canvas, 1, 8, 7, fw::clBlue);
    Swatch(canvas, 8, 8, 7, fw::clYellow);
}

void DrawEditPalette(fw::Canvas& canvas)
{
    Swatch(canvas, 1, 5, 10, fw::clAqua);
    // A pencil across the swatch's top-right corner.
    canvas.Pen() = fw::Pen{Outline};
    canvas.MoveTo(6, 11);
    canvas.LineTo(15, 2);
    canvas.Pen() = fw::Pen{0x0080FF};
    canvas.MoveTo(7, 11);
    canvas.LineTo(15, 3);
    canvas.SetPixel(5, 12, Outline);
}

void DrawSwapColours(fw::Canvas& canvas)
{
    Swatch(canvas, 0, 4, 6, PrimarySample);
    Swatch(canvas, 10, 4, 6, SecondarySample);
    Arrow(canvas, 3, 12, 13);
    Arrow(canvas, 12, 3, 1);
}

void DrawReplace(fw::Canvas& canvas, fw::Color from, fw::Color to)
{
    Swatch(canvas, 0, 5, 6, from);
    Swatch(canvas, 10, 5, 6, to);
    Arrow(canvas, 6, 9, 8);
}

void DrawSwapChoices(fw::Canvas& canvas)
{
    VerticalArrow(canvas, 5, 13, 2);
    VerticalArrow(canvas, 10, 2, 13);
}

} // namespace

fw::Bitmap PaletteFunctionGlyph(TTWPaletteGlyph glyph)
{
    fw::Bitmap picture(PaletteGlyphSize, PaletteGlyphSize);
    fw::Canvas canvas(picture);
    canvas.Brush() = fw::Brush{fw::NamedImageKey};
    canvas.FillRect(fw::Rect{0, 0, PaletteGlyphSize, PaletteGlyphSize});
    switch (glyph) {
    case TTWPaletteGlyph::SelectPalette: DrawSelectPalette(canvas); break;
    case TTWPaletteGlyph::EditPalette: DrawEditPalette(canvas); break;
    case TTWPaletteGlyph::SwapColours: DrawSwapColours(canvas); break;
    case TTWPaletteGlyph::ReplaceSecondary: DrawReplace(canvas, PrimarySample, SecondarySample); break;
    case TTWPaletteGlyph::ReplacePrimary: DrawReplace(canvas, SecondarySample, PrimarySample); break;
    case TTWPaletteGlyph::SwapChoices: DrawSwapChoices(canvas); break;
    }
    picture.SetTransparentColor(fw::NamedImageKey);
    picture.SetTransparent(true);
    return picture;
}
