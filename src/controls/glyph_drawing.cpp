#include "controls/glyph_drawing.h"

#include "framework/core/named_images.h"

fw::Bitmap BlankGlyph(int size)
{
    fw::Bitmap picture(size, size);
    fw::Canvas canvas(picture);
    canvas.Brush() = fw::Brush{fw::NamedImageKey};
    canvas.FillRect(fw::Rect{0, 0, size, size});
    return picture;
}

void MarkGlyphTransparent(fw::Bitmap& picture)
{
    picture.SetTransparentColor(fw::NamedImageKey);
    picture.SetTransparent(true);
}

void DrawGlyphArrow(fw::Canvas& canvas, fw::Point from, fw::Point to, int headSize, fw::Color ink)
{
    canvas.Pen() = fw::Pen{ink};
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
    const bool alongRow = from.Y == to.Y;
    const int back = alongRow ? (to.X > from.X ? -1 : 1) : (to.Y > from.Y ? -1 : 1);
    for (int i = 1; i <= headSize; ++i) {
        if (alongRow) {
            canvas.SetPixel(to.X + back * i, to.Y - i, ink);
            canvas.SetPixel(to.X + back * i, to.Y + i, ink);
        } else {
            canvas.SetPixel(to.X - i, to.Y + back * i, ink);
            canvas.SetPixel(to.X + i, to.Y + back * i, ink);
        }
    }
    // The line stops short of its end point.
    canvas.SetPixel(to.X, to.Y, ink);
}

void DrawGlyphLetter(fw::Canvas& canvas, const GlyphLetter& letter, int left, int top, int cell, fw::Color ink)
{
    canvas.Brush() = fw::Brush{ink};
    for (std::size_t row = 0; row < letter.size(); ++row) {
        for (std::size_t column = 0; column < letter[row].size(); ++column) {
            if (letter[row][column] == '#') {
                const int x = left + static_cast<int>(column) * cell;
                const int y = top + static_cast<int>(row) * cell;
                canvas.FillRect(fw::Rect{x, y, x + cell, y + cell});
            }
        }
    }
}
