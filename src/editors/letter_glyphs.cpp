#include "editors/letter_glyphs.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "framework/core/named_images.h"
#include "framework/core/system_colours.h"

namespace {

constexpr int GlyphSize = 16;
using Rows = std::array<std::string_view, GlyphSize>;

// One row of pixels a line: 'G' green, 'e' lime, 'r' red; anything else is the transparent
// key.
// clang-format off
constexpr Rows AddRows = {
    "................",
    "................",
    "......GGGG......",
    "......GeeG......",
    "......GeeG......",
    "......GeeG......",
    "..GGGGGeeGGGGG..",
    "..GeeeeeeeeeeG..",
    "..GeeeeeeeeeeG..",
    "..GGGGGeeGGGGG..",
    "......GeeG......",
    "......GeeG......",
    "......GeeG......",
    "......GGGG......",
    "................",
    "................",
};
constexpr Rows DeleteRows = {
    "................",
    "................",
    "..rr........rr..",
    "..rrr......rrr..",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "..rrr......rrr..",
    "..rr........rr..",
    "................",
    "................",
};
// clang-format on

fw::Color ColourOf(char code)
{
    switch (code) {
    case 'r': return 0x0000FF;
    case 'G': return 0x008000;
    case 'e': return 0x00FF00;
    default: return fw::NamedImageKey;
    }
}

fw::Bitmap FromRows(const Rows& rows)
{
    fw::Bitmap glyph(GlyphSize, GlyphSize);
    for (int y = 0; y < GlyphSize; ++y) {
        for (int x = 0; x < GlyphSize; ++x) {
            glyph.SetPixel(x, y, ColourOf(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
        }
    }
    glyph.SetTransparentColor(fw::NamedImageKey);
    glyph.SetTransparent(true);
    return glyph;
}

} // namespace

fw::Bitmap LetterGlyph(TTWLetterGlyph glyph)
{
    switch (glyph) {
    case TTWLetterGlyph::AddLetter: return FromRows(AddRows);
    case TTWLetterGlyph::DeleteLetter: return FromRows(DeleteRows);
    }
    return FromRows(DeleteRows);
}
