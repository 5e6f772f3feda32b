#include "shell/palette_function_glyphs.h"

#include "controls/glyph_drawing.h"
#include "framework/core/canvas.h"

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

// The arrows: a head of two pixels each side.
void Arrow(fw::Canvas& canvas, fw::Point from, fw::Point to)
{
    DrawGlyphArrow(canvas, from, to, 2, Outline);
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
    Arrow(canvas, fw::Point{3, 13}, fw::Point{12, 13});
    Arrow(canvas, fw::Point{12, 1}, fw::Point{3, 1});
}

void DrawReplace(fw::Canvas& canvas, fw::Color from, fw::Color to)
{
    Swatch(canvas, 0, 5, 6, from);
    Swatch(canvas, 10, 5, 6, to);
    Arrow(canvas, fw::Point{6, 8}, fw::Point{9, 8});
}

void DrawSwapChoices(fw::Canvas& canvas)
{
    Arrow(canvas, fw::Point{5, 13}, fw::Point{5, 2});
    Arrow(canvas, fw::Point{10, 2}, fw::Point{10, 13});
}

} // namespace

fw::Bitmap PaletteFunctionGlyph(TTWPaletteGlyph glyph)
{
    fw::Bitmap picture = BlankGlyph(PaletteGlyphSize);
    fw::Canvas canvas(picture);
    switch (glyph) {
    case TTWPaletteGlyph::SelectPalette: DrawSelectPalette(canvas); break;
    case TTWPaletteGlyph::EditPalette: DrawEditPalette(canvas); break;
    case TTWPaletteGlyph::SwapColours: DrawSwapColours(canvas); break;
    case TTWPaletteGlyph::ReplaceSecondary: DrawReplace(canvas, PrimarySample, SecondarySample); break;
    case TTWPaletteGlyph::ReplacePrimary: DrawReplace(canvas, SecondarySample, PrimarySample); break;
    case TTWPaletteGlyph::SwapChoices: DrawSwapChoices(canvas); break;
    }
    MarkGlyphTransparent(picture);
    return picture;
}
