#include "framework/gui/glyph_cache.h"

#include <algorithm>
#include <utility>

namespace fw {

const CachedGlyph& FontGlyphs::Insert(char32_t character, CachedGlyph glyph)
{
    const CachedGlyph& kept = glyphs_.insert_or_assign(character, std::move(glyph)).first->second;
    if (character < LatinCount) {
        latin_[character] = &kept;
    }
    return kept;
}

void FontGlyphs::InsertPair(char32_t first, char32_t second, int advance)
{
    pairs_.insert_or_assign(PairKey(first, second), advance);
}

void FontGlyphs::Clear()
{
    latin_.fill(nullptr);
    glyphs_.clear();
    pairs_.clear();
}

bool NextCacheableCharacter(std::string_view text, std::size_t& at, char32_t& character)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        character = lead;
        ++at;
        return lead >= 0x20 && lead < 0x7F;
    }
    // Two bytes reach U+07FF, beyond every character taken here.
    if ((lead & 0xE0) != 0xC0 || at + 1 >= text.size() || (byte(at + 1) & 0xC0) != 0x80) {
        return false;
    }
    character = static_cast<char32_t>((lead & 0x1Fu) << 6 | (byte(at + 1) & 0x3Fu));
    at += 2;
    return character >= 0xA0 && character <= 0x24F && character != 0xAD;
}

namespace {

// The rasteriser's "white over what is there by the coverage" for one channel: the white
// scaled by the level, plus what was there scaled by the rest, each product divided by
// 255 the way it divides (x + x / 256 + 128) / 256.
std::uint8_t Over(unsigned there, unsigned level)
{
    const unsigned rest = there * (255u - level);
    return static_cast<std::uint8_t>(level + ((rest + (rest >> 8) + 0x80u) >> 8));
}

} // namespace

void LayGlyph(InkCoverage& run, const CachedGlyph& glyph, int x, int y)
{
    const Rect& box = run.Box();
    const Rect& ink = glyph.Ink;
    const int left = std::max(box.Left, x + ink.Left);
    const int right = std::min(box.Right, x + ink.Right);
    const int top = std::max(box.Top, y + ink.Top);
    const int bottom = std::min(box.Bottom, y + ink.Bottom);
    if (left >= right || top >= bottom) {
        return;
    }
    const int width = ink.Width();
    for (int row = top; row < bottom; ++row) {
        const std::uint8_t* from = glyph.Levels.data() +
                                   static_cast<std::size_t>(row - y - ink.Top) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(left - x - ink.Left);
        std::uint8_t* to = run.Row(row) + (left - box.Left);
        for (int i = 0; i < right - left; ++i) {
            const unsigned level = from[i];
            if (level == 0) {
                continue;
            }
            const unsigned there = to[i];
            to[i] = level == 255 || there == 0 ? static_cast<std::uint8_t>(level) : Over(there, level);
        }
    }
}

} // namespace fw
