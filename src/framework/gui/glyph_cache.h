#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/core/ink_coverage.h"
#include "framework/core/region.h"

namespace fw {

// One character of one font as the rasteriser draws it on its own, with the pen at the
// top-left corner of its cell: the coverage levels of its ink box and its advance.
struct CachedGlyph {
    // False when the character cannot be laid beside others from the cache (another font
    // draws it, or its ink reaches further than a run's mask gives room): a run holding it
    // goes to the rasteriser whole.
    bool Usable = false;
    // The font's number for the glyph, so that a shaped pair can be told to hold the very
    // glyphs drawn alone.
    std::uint32_t Index = 0;
    int Advance = 0;
    // The ink box relative to the cell's top-left corner; empty for a blank.
    Rect Ink;
    // Ink.Width() x Ink.Height() levels, row by row.
    std::vector<std::uint8_t> Levels;
};

// The glyphs of one font met so far, by character, and the advance of a character as the
// shaper sets it before another (kerning pairs move it).
class FontGlyphs {
public:
    // What a pair answers when the shaper does more than place the two glyphs side by side
    // (a ligature, a mark moved up): runs holding it go to the rasteriser whole.
    static constexpr int NotSideBySide = -0x7FFFFFFF;

    FontGlyphs() = default;
    FontGlyphs(const FontGlyphs&) = delete;
    FontGlyphs& operator=(const FontGlyphs&) = delete;

    // The glyph of the character, or null when not cached yet.
    const CachedGlyph* Find(char32_t character) const
    {
        if (character < LatinCount) {
            return latin_[character];
        }
        const auto found = glyphs_.find(character);
        return found == glyphs_.end() ? nullptr : &found->second;
    }
    const CachedGlyph& Insert(char32_t character, CachedGlyph glyph);

    // The advance of `first` followed by `second` (or NotSideBySide), or null when not
    // cached yet.
    const int* FindPair(char32_t first, char32_t second) const
    {
        const auto found = pairs_.find(PairKey(first, second));
        return found == pairs_.end() ? nullptr : &found->second;
    }
    void InsertPair(char32_t first, char32_t second, int advance);

    std::size_t GlyphCount() const { return glyphs_.size(); }
    std::size_t PairCount() const { return pairs_.size(); }
    // Forgets every glyph and pair; pointers handed out before no longer hold.
    void Clear();

private:
    static constexpr char32_t LatinCount = 256;
    static std::uint64_t PairKey(char32_t first, char32_t second)
    {
        return static_cast<std::uint64_t>(first) << 32 | second;
    }

    // The glyphs of the first 256 characters, which most text is made of, without hashing.
    // The map's nodes never move, so these stay valid as it grows.
    std::array<const CachedGlyph*, LatinCount> latin_{};
    std::unordered_map<char32_t, CachedGlyph> glyphs_;
    std::unordered_map<std::uint64_t, int> pairs_;
};

// The next character of UTF-8 text when it is one the glyph cache lays out: printable
// Latin (space to "~", no-break space to U+024F, the soft hyphen aside, which the shaper
// hides or shows by its place in the line). False for anything else (line breaks, tabs,
// marks, other scripts, malformed bytes), and then the run goes to the rasteriser whole.
bool NextCacheableCharacter(std::string_view text, std::size_t& at, char32_t& character);

// Lays the glyph into the run's coverage with its cell's top-left corner at (x, y), as
// the rasteriser draws glyph after glyph in white over black: where glyphs overlap, each
// covers what lies under it by its own level. Pixels outside the coverage's box are
// left out, as a run's mask leaves them out.
void LayGlyph(InkCoverage& run, const CachedGlyph& glyph, int x, int y);

} // namespace fw
