#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/glyph_drawing.h"
#include "framework/core/named_images.h"

namespace {

constexpr fw::Color Ink = 0x123456;

// The picture as rows of letters: '#' ink, '.' key colour, '?' anything else.
std::vector<std::string> Rows(const fw::Bitmap& picture)
{
    std::vector<std::string> rows;
    for (int y = 0; y < picture.Height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.Width(); ++x) {
            const fw::Color pixel = picture.Pixel(x, y);
            row += pixel == Ink ? '#' : pixel == fw::NamedImageKey ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

using Picture = std::vector<std::string>;

TEST(GlyphDrawingTest, BlankGlyphIsAllKeyColourUntilMarkedTransparent)
{
    fw::Bitmap picture = BlankGlyph(5);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 5);
    EXPECT_EQ(Rows(picture), Picture(5, "....."));
    EXPECT_FALSE(picture.Transparent());
    MarkGlyphTransparent(picture);
    EXPECT_TRUE(picture.Transparent());
    EXPECT_EQ(picture.TransparentColor(), fw::NamedImageKey);
}

TEST(GlyphDrawingTest, ArrowsPointAlongRowsAndColumnsEitherWay)
{
    struct Case {
        const char* name;
        fw::Point from;
        fw::Point to;
        int headSize;
        Picture expected;
    };
    const Case cases[] = {
        {"right, head 2", {1, 3}, {7, 3}, 2,
         {"........", ".....#..", "......#.", ".#######", "......#.", ".....#..", "........", "........"}},
        {"left, head 3", {6, 3}, {0, 3}, 3,
         {"...#....", "..#.....", ".#......", "#######.", ".#......", "..#.....", "...#....", "........"}},
        {"down, head 2", {3, 0}, {3, 6}, 2,
         {"...#....", "...#....", "...#....", "...#....", ".#.#.#..", "..###...", "...#....", "........"}},
        {"up, head 1", {3, 6}, {3, 1}, 1,
         {"........", "...#....", "..###...", "...#....", "...#....", "...#....", "...#....", "........"}},
    };
    for (const Case& c : cases) {
        fw::Bitmap picture = BlankGlyph(8);
        fw::Canvas canvas(picture);
        DrawGlyphArrow(canvas, c.from, c.to, c.headSize, Ink);
        EXPECT_EQ(Rows(picture), c.expected) << c.name;
    }
}

TEST(GlyphDrawingTest, LettersInkTheirCellsAtTheCellSize)
{
    const GlyphLetter L = {"#..", "#..", "#..", "#..", "###"};
    fw::Bitmap picture = BlankGlyph(8);
    {
        fw::Canvas canvas(picture);
        DrawGlyphLetter(canvas, L, 1, 1, 1, Ink);
        DrawGlyphLetter(canvas, L, 5, 0, 2, Ink); // its foot falls below the picture
    }
    EXPECT_EQ(Rows(picture), (Picture{
                                 ".....##.",
                                 ".#...##.",
                                 ".#...##.",
                                 ".#...##.",
                                 ".#...##.",
                                 ".###.##.",
                                 ".....##.",
                                 ".....##.",
                             }));
}

} // namespace
