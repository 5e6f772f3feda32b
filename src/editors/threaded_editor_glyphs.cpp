#include "editors/threaded_editor_glyphs.h"

#include <array>
#include <string_view>

#include "framework/core/canvas.h"
#include "framework/core/named_images.h"
#include "framework/gui/image_list.h"

namespace {

constexpr fw::Color Ink = fw::clBlack;
constexpr fw::Color CardFace = 0xE0E0E0;
constexpr fw::Color Red = 0x0000C0;
constexpr fw::Color Blue = 0xC06000;
constexpr fw::Color Green = 0x00A000;
constexpr fw::Color Yellow = 0x00D0F0;
constexpr fw::Color Grey = 0x808080;
constexpr fw::Color TwistMark = 0xD00000;

// Letters of 3 x 5 cells.
using Letter = std::array<std::string_view, 5>;
constexpr Letter LetterF = {"###", "#..", "##.", "#..", "#.."};
constexpr Letter LetterB = {"##.", "#.#", "##.", "#.#", "##."};
constexpr Letter LetterDash = {"...", "...", "###", "...", "..."};

void DrawLetter(fw::Canvas& canvas, const Letter& letter, int left, int top, int cell, fw::Color colour)
{
    canvas.Brush() = fw::Brush{colour};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (letter[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#') {
                const int x = left + column * cell;
                const int y = top + row * cell;
                canvas.FillRect(fw::Rect{x, y, x + cell, y + cell});
            }
        }
    }
}

void Line(fw::Canvas& canvas, int x1, int y1, int x2, int y2, fw::Color colour)
{
    canvas.Pen() = fw::Pen{colour};
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    canvas.SetPixel(x2, y2, colour);
}

// An arrow from (x1, y) to (x2, y) with its head at x2.
void HorizontalArrow(fw::Canvas& canvas, int x1, int x2, int y, fw::Color colour)
{
    Line(canvas, x1, y, x2, y, colour);
    const int back = x2 > x1 ? -1 : 1;
    for (int i = 1; i <= 3; ++i) {
        canvas.SetPixel(x2 + back * i, y - i, colour);
        canvas.SetPixel(x2 + back * i, y + i, colour);
    }
}

// An arrow from (x, y1) to (x, y2) with its head at y2.
void VerticalArrow(fw::Canvas& canvas, int x, int y1, int y2, fw::Color colour)
{
    Line(canvas, x, y1, x, y2, colour);
    const int back = y2 > y1 ? -1 : 1;
    for (int i = 1; i <= 3; ++i) {
        canvas.SetPixel(x - i, y2 + back * i, colour);
        canvas.SetPixel(x + i, y2 + back * i, colour);
    }
}

// A card standing upright, 5 x 9, with two holes.
void Card(fw::Canvas& canvas, int left, int top, fw::Color hole1 = Red, fw::Color hole2 = Blue)
{
    canvas.Pen() = fw::Pen{Ink};
    canvas.Brush() = fw::Brush{CardFace};
    canvas.Rectangle(left, top, left + 5, top + 9);
    canvas.Brush() = fw::Brush{hole1};
    canvas.FillRect(fw::Rect{left + 2, top + 2, left + 3, top + 3});
    canvas.Brush() = fw::Brush{hole2};
    canvas.FillRect(fw::Rect{left + 2, top + 6, left + 3, top + 7});
}

void Square(fw::Canvas& canvas, int left, int top, int size, fw::Color colour)
{
    canvas.Pen() = fw::Pen{Ink};
    canvas.Brush() = fw::Brush{colour};
    canvas.Rectangle(left, top, left + size, top + size);
}

void Cross(fw::Canvas& canvas, int left, int top, int size, fw::Color colour)
{
    Line(canvas, left, top, left + size - 1, top + size - 1, colour);
    Line(canvas, left + size - 1, top, left, top + size - 1, colour);
}

// A bracket under cards: a pack.
void PackBracket(fw::Canvas& canvas, int top, bool broken)
{
    Line(canvas, 1, top, 1, top + 2, Ink);
    Line(canvas, 14, top, 14, top + 2, Ink);
    if (broken) {
        Line(canvas, 1, top + 2, 5, top + 2, Ink);
        Line(canvas, 10, top + 2, 14, top + 2, Ink);
    } else {
        Line(canvas, 1, top + 2, 14, top + 2, Ink);
    }
}

void Palette(fw::Canvas& canvas)
{
    constexpr std::array<fw::Color, 4> Colours = {Red, Blue, Green, Yellow};
    for (int i = 0; i < 4; ++i) {
        Square(canvas, 1 + (i % 2) * 6, 1 + (i / 2) * 6, 6, Colours[static_cast<std::size_t>(i)]);
    }
}

void DrawGlyph(fw::Canvas& canvas, TTWThreadedGlyph glyph)
{
    switch (glyph) {
    case TTWThreadedGlyph::ActionPanel:
        for (int i = 0; i < 3; ++i) {
            Card(canvas, 1 + i * 5, 3);
        }
        Line(canvas, 0, 14, 15, 14, Ink);
        break;
    case TTWThreadedGlyph::ColourMode:
        Square(canvas, 2, 2, 7, Red);
        Square(canvas, 7, 7, 7, Blue);
        break;
    case TTWThreadedGlyph::DirectionMode:
        DrawLetter(canvas, LetterF, 1, 3, 2, Green);
        DrawLetter(canvas, LetterB, 9, 3, 2, Red);
        break;
    case TTWThreadedGlyph::TwistMode:
        Cross(canvas, 3, 3, 10, TwistMark);
        Cross(canvas, 4, 3, 10, TwistMark);
        break;
    case TTWThreadedGlyph::IdleMode:
        DrawLetter(canvas, LetterDash, 5, 3, 2, Ink);
        Line(canvas, 2, 14, 13, 14, Grey);
        break;
    case TTWThreadedGlyph::ActionGrid:
        canvas.Pen() = fw::Pen{Ink};
        canvas.Brush() = fw::Brush{fw::clWhite};
        canvas.Rectangle(1, 1, 15, 15);
        Line(canvas, 5, 1, 5, 14, Ink);
        Line(canvas, 10, 1, 10, 14, Ink);
        Line(canvas, 1, 5, 14, 5, Ink);
        Line(canvas, 1, 10, 14, 10, Ink);
        break;
    case TTWThreadedGlyph::Packs:
        Card(canvas, 2, 1);
        Card(canvas, 9, 1);
        PackBracket(canvas, 12, false);
        break;
    case TTWThreadedGlyph::DoPick:
        VerticalArrow(canvas, 8, 14, 2, Green);
        Line(canvas, 7, 14, 7, 5, Green);
        break;
    case TTWThreadedGlyph::DoPickReverse:
        VerticalArrow(canvas, 8, 14, 2, Red);
        Line(canvas, 7, 14, 7, 5, Red);
        HorizontalArrow(canvas, 2, 13, 14, Ink);
        break;
    case TTWThreadedGlyph::BreakPacks:
        Card(canvas, 2, 1);
        Card(canvas, 9, 1);
        PackBracket(canvas, 12, true);
        break;
    case TTWThreadedGlyph::SetupPacks:
        Card(canvas, 1, 1);
        PackBracket(canvas, 12, false);
        Line(canvas, 8, 10, 14, 4, Blue);
        Line(canvas, 9, 10, 14, 5, Blue);
        break;
    case TTWThreadedGlyph::SwapColourChoice:
        Square(canvas, 1, 1, 6, Red);
        Square(canvas, 9, 9, 6, Blue);
        HorizontalArrow(canvas, 3, 13, 4, Ink);
        HorizontalArrow(canvas, 12, 2, 12, Ink);
        break;
    case TTWThreadedGlyph::SwapColours:
        Card(canvas, 5, 1, Red, Blue);
        VerticalArrow(canvas, 13, 2, 12, Ink);
        VerticalArrow(canvas, 2, 12, 2, Ink);
        break;
    case TTWThreadedGlyph::ReplaceSecondary:
        Square(canvas, 1, 5, 6, Red);
        Square(canvas, 10, 5, 6, Blue);
        HorizontalArrow(canvas, 6, 10, 12, Ink);
        break;
    case TTWThreadedGlyph::ReplacePrimary:
        Square(canvas, 1, 5, 6, Red);
        Square(canvas, 10, 5, 6, Blue);
        HorizontalArrow(canvas, 10, 6, 12, Ink);
        break;
    case TTWThreadedGlyph::SelectPalette:
        Palette(canvas);
        VerticalArrow(canvas, 14, 3, 14, Ink);
        break;
    case TTWThreadedGlyph::EditPalette:
        Palette(canvas);
        Line(canvas, 9, 14, 15, 8, Ink);
        Line(canvas, 10, 14, 15, 9, Ink);
        break;
    }
}

fw::Bitmap Blank(int size)
{
    fw::Bitmap picture(size, size);
    fw::Canvas canvas(picture);
    canvas.Brush() = fw::Brush{fw::NamedImageKey};
    canvas.FillRect(fw::Rect{0, 0, size, size});
    return picture;
}

// An action icon: the direction letter and, twisted, a diamond in the upper right corner.
fw::Bitmap ActionIcon(int turnIcon, bool twisted)
{
    fw::Bitmap picture = Blank(ThreadedListIconSize);
    fw::Canvas canvas(picture);
    const Letter* letters[] = {&LetterF, &LetterB, &LetterDash};
    const fw::Color colours[] = {Green, Red, Grey};
    DrawLetter(canvas, *letters[turnIcon], 1, 1, 2, colours[turnIcon]);
    if (twisted) {
        canvas.Pen() = fw::Pen{TwistMark};
        canvas.Brush() = fw::Brush{TwistMark};
        const fw::Point diamond[] = {{9, 5}, {11, 7}, {9, 9}, {7, 7}};
        canvas.Polygon(diamond);
    }
    return picture;
}

} // namespace

fw::Bitmap ThreadedEditorGlyph(TTWThreadedGlyph glyph)
{
    fw::Bitmap picture = Blank(ThreadedGlyphSize);
    {
        fw::Canvas canvas(picture);
        DrawGlyph(canvas, glyph);
    }
    picture.SetTransparentColor(fw::NamedImageKey);
    picture.SetTransparent(true);
    return picture;
}

void FillActionIcons(fw::ImageList& icons)
{
    icons.SetSize(ThreadedListIconSize, ThreadedListIconSize);
    for (int twisted = 0; twisted < 2; ++twisted) {
        for (int turn = 0; turn < 3; ++turn) {
            icons.AddMasked(ActionIcon(turn, twisted != 0), fw::NamedImageKey);
        }
    }
}

void FillPackSelectorIcons(fw::ImageList& icons)
{
    icons.SetSize(ThreadedListIconSize, ThreadedListIconSize);
    icons.AddMasked(Blank(ThreadedListIconSize), fw::NamedImageKey);
    icons.AddMasked(Blank(ThreadedListIconSize), fw::NamedImageKey);
    fw::Bitmap mark = Blank(ThreadedListIconSize);
    {
        fw::Canvas canvas(mark);
        Cross(canvas, 2, 2, 8, TwistMark);
        Cross(canvas, 3, 2, 8, TwistMark);
    }
    icons.AddMasked(mark, fw::NamedImageKey);
}
