#include "editors/card_setup_glyphs.h"

#include <array>
#include <string_view>

#include "framework/core/canvas.h"
#include "framework/core/named_images.h"

namespace {

constexpr fw::Color Ink = fw::clBlack;
constexpr fw::Color CardFace = 0xE0E0E0;
constexpr fw::Color Hole1 = 0x0000C0;
constexpr fw::Color Hole2 = 0xC06000;

// The threading letters, 3 x 5 cells, drawn two pixels a cell.
using Letter = std::array<std::string_view, 5>;
// Rounded, so that the S is not taken for a 5.
constexpr Letter LetterS = {".##", "#..", ".#.", "..#", "##."};
constexpr Letter LetterZ = {"###", "..#", ".#.", "#..", "###"};

void DrawLetter(fw::Canvas& canvas, const Letter& letter, int left, int top)
{
    canvas.Brush() = fw::Brush{Ink};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (letter[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#') {
                const int x = left + column * 2;
                const int y = top + row * 2;
                canvas.FillRect(fw::Rect{x, y, x + 2, y + 2});
            }
        }
    }
}

// A horizontal arrow on row y from x1 to x2, its head at x2.
void Arrow(fw::Canvas& canvas, int x1, int x2, int y)
{
    canvas.Pen() = fw::Pen{Ink};
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
    const int back = x2 > x1 ? -1 : 1;
    for (int i = 1; i <= 3; ++i) {
        canvas.SetPixel(x2 + back * i, y - i, Ink);
        canvas.SetPixel(x2 + back * i, y + i, Ink);
    }
    canvas.SetPixel(x2, y, Ink);
}

// A vertical arrow in column x from y1 to y2, its head at y2.
void VerticalArrow(fw::Canvas& canvas, int x, int y1, int y2)
{
    canvas.Pen() = fw::Pen{Ink};
    canvas.MoveTo(x, y1);
    canvas.LineTo(x, y2);
    const int back = y2 > y1 ? -1 : 1;
    for (int i = 1; i <= 2; ++i) {
        canvas.SetPixel(x - i, y2 + back * i, Ink);
        canvas.SetPixel(x + i, y2 + back * i, Ink);
    }
    canvas.SetPixel(x, y2, Ink);
}

// A small card standing upright with two coloured holes.
void Card(fw::Canvas& canvas, int left, int top)
{
    canvas.Pen() = fw::Pen{Ink};
    canvas.Brush() = fw::Brush{CardFace};
    canvas.Rectangle(left, top, left + 6, top + 10);
    canvas.Brush() = fw::Brush{Hole1};
    canvas.FillRect(fw::Rect{left + 2, top + 2, left + 4, top + 4});
    canvas.Brush() = fw::Brush{Hole2};
    canvas.FillRect(fw::Rect{left + 2, top + 6, left + 4, top + 8});
}

// A column of three holes whose colours have moved on by one.
void HoleColumn(fw::Canvas& canvas, int left, bool forwards)
{
    constexpr std::array<fw::Color, 3> Colours = {Hole1, Hole2, 0x00A000};
    for (int i = 0; i < 3; ++i) {
        const int shifted = forwards ? (i + 2) % 3 : (i + 1) % 3;
        canvas.Pen() = fw::Pen{Ink};
        canvas.Brush() = fw::Brush{Colours[static_cast<std::size_t>(shifted)]};
        canvas.Ellipse(fw::Rect{left, 1 + i * 5, left + 5, 6 + i * 5});
    }
}

} // namespace

fw::Bitmap CardSetupGlyph(TTWCardSetupGlyph glyph)
{
    fw::Bitmap picture(CardSetupGlyphSize, CardSetupGlyphSize);
    fw::Canvas canvas(picture);
    canvas.Brush() = fw::Brush{fw::NamedImageKey};
    canvas.FillRect(fw::Rect{0, 0, CardSetupGlyphSize, CardSetupGlyphSize});
    switch (glyph) {
    case TTWCardSetupGlyph::AllS: DrawLetter(canvas, LetterS, 5, 3); break;
    case TTWCardSetupGlyph::AllZ: DrawLetter(canvas, LetterZ, 5, 3); break;
    case TTWCardSetupGlyph::AlternateSZ:
        DrawLetter(canvas, LetterS, 1, 3);
        DrawLetter(canvas, LetterZ, 9, 3);
        break;
    case TTWCardSetupGlyph::AlternateZS:
        DrawLetter(canvas, LetterZ, 1, 3);
        DrawLetter(canvas, LetterS, 9, 3);
        break;
    case TTWCardSetupGlyph::SwapThreading:
        DrawLetter(canvas, LetterS, 1, 0);
        DrawLetter(canvas, LetterZ, 9, 0);
        Arrow(canvas, 3, 12, 12);
        Arrow(canvas, 12, 3, 14);
        break;
    case TTWCardSetupGlyph::MoveLeft:
        Card(canvas, 9, 3);
        Arrow(canvas, 7, 1, 8);
        break;
    case TTWCardSetupGlyph::MoveRight:
        Card(canvas, 1, 3);
        Arrow(canvas, 8, 14, 8);
        break;
    case TTWCardSetupGlyph::RotateForwards:
        HoleColumn(canvas, 1, true);
        VerticalArrow(canvas, 11, 2, 13);
        break;
    case TTWCardSetupGlyph::RotateBackwards:
        HoleColumn(canvas, 1, false);
        VerticalArrow(canvas, 11, 13, 2);
        break;
    }
    picture.SetTransparentColor(fw::NamedImageKey);
    picture.SetTransparent(true);
    return picture;
}
