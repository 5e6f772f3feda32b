#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/gui/glyph_cache.h"
#include "framework/gui/qt_paint_backend.h"

using fw::Bitmap;
using fw::Canvas;
using fw::Rect;

namespace {

constexpr std::uint32_t Paper = 0xF0E0D0;
constexpr std::uint32_t Ink = 0x102030;

fw::Font MakeFont(const std::string& name, int points, bool bold = false, bool italic = false)
{
    fw::Font font;
    font.Name = name;
    font.SetSize(points);
    font.Style.Bold = bold;
    font.Style.Italic = italic;
    font.Color = Ink;
    return font;
}

// Texts with kerning pairs, pairs the shaper may join, overhanging italics, accents,
// doubled blanks and digits.
const std::vector<std::string>& Texts()
{
    static const std::vector<std::string> texts = {
        "Hello, tablets",
        "AVATAR Tj Ty Yo LT P. F, W.",
        "office fifty flow ffi",
        "ffff//VAVAW jjj",
        "5000 1 - 200  cards",
        "\xC3\x86r\xC3\xB8 \xC3\xA7" "a d\xC3\xA9j\xC3\xA0 vu \xC3\xBF \xC5\x81\xC3\xB3" "d\xC5\xBA",
        "(Brocade) [17] {x} |y| @#%&*",
    };
    return texts;
}

// The text drawn on paper twice, once over a solid background, at odd and even places.
Bitmap Draw(fw::QtPaintBackend& backend, const fw::Font& font, const std::string& text)
{
    Bitmap bitmap(420, 90);
    bitmap.FillRect(bitmap.Bounds(), Paper);
    Canvas canvas(bitmap, &backend);
    canvas.Font() = font;
    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.TextOut(3, 2, text);
    canvas.Brush() = fw::Brush{0x40C0E0, fw::BrushStyle::Solid, nullptr};
    canvas.TextOut(-4, 40, text);
    // Cut at the right and at the bottom.
    canvas.TextRect(Rect{10, 70, 120, 84}, 12, 71, text);
    return bitmap;
}

void ExpectSamePixels(const Bitmap& cached, const Bitmap& qt, const std::string& what)
{
    for (int y = 0; y < qt.Height(); ++y) {
        for (int x = 0; x < qt.Width(); ++x) {
            ASSERT_EQ(cached.Pixel(x, y), qt.Pixel(x, y)) << what << " at " << x << ", " << y;
        }
    }
}

} // namespace

TEST(GlyphCache, RunsLaidFromCachedGlyphsAreQtsOwnPixels)
{
    const std::vector<fw::Font> fonts = {
        MakeFont("Liberation Sans", 9),        MakeFont("Liberation Sans", 8),
        MakeFont("Liberation Sans", 12, true), MakeFont("Liberation Serif", 11, false, true),
        MakeFont("Liberation Sans", 14, true, true), MakeFont("Liberation Mono", 10),
        // Joins "fi", "ff" and the like into ligatures, which the cache leaves to Qt.
        MakeFont("DejaVu Sans", 9),
    };
    fw::QtPaintBackend cached;
    fw::QtPaintBackend qt;
    qt.SetGlyphCacheEnabled(false);
    // Twice: the first round fills the cache, the second draws from it alone.
    for (int round = 0; round < 2; ++round) {
        for (const fw::Font& font : fonts) {
            for (const std::string& text : Texts()) {
                const std::string what = font.Name + " " + std::to_string(font.Height) + (font.Style.Bold ? " bold" : "") +
                                         (font.Style.Italic ? " italic" : "") + ": " + text;
                ASSERT_EQ(cached.TextExtent(font, text), qt.TextExtent(font, text)) << what;
                ExpectSamePixels(Draw(cached, font, text), Draw(qt, font, text), what);
                if (testing::Test::HasFatalFailure()) {
                    return;
                }
                EXPECT_EQ(cached.TextPixels(font, 5, 6, 0, text), qt.TextPixels(font, 5, 6, 0, text)) << what;
            }
        }
    }
    // The runs were indeed laid from the cache (those the shaper joins no pair of), the
    // uncached backend kept none.
    for (const fw::Font& font : fonts) {
        EXPECT_GT(cached.CachedGlyphCount(font), 20u) << font.Name;
        for (const char* text : {"Hello, tablets", "5000 1 - 200  cards", "AVATAR Tj Ty Yo LT P. F, W."}) {
            EXPECT_TRUE(cached.LaysFromCache(font, text)) << font.Name << ": " << text;
        }
    }
    EXPECT_EQ(qt.CachedGlyphCount(), 0u);
    EXPECT_FALSE(qt.LaysFromCache(fonts.front(), "Hello, tablets"));
    // What the cache does not lay exactly goes to Qt whole.
    fw::Font underlined = fonts.front();
    underlined.Style.Underline = true;
    EXPECT_FALSE(cached.LaysFromCache(underlined, "Hello"));
    EXPECT_FALSE(cached.LaysFromCache(fonts.front(), "Hello\tthere"));
    fw::Font huge = fonts.front();
    huge.Height = -80;
    EXPECT_FALSE(cached.LaysFromCache(huge, "Hello"));
}

TEST(GlyphCache, EachFontKeepsGlyphsOfItsOwn)
{
    fw::QtPaintBackend backend;
    const fw::Font regular = MakeFont("Liberation Sans", 10);
    const fw::Font bold = MakeFont("Liberation Sans", 10, true);
    const fw::Font larger = MakeFont("Liberation Sans", 11);
    fw::Font serif = regular;
    serif.Name = "Liberation Serif";

    const Bitmap first = Draw(backend, regular, "abc");
    EXPECT_EQ(backend.CachedGlyphCount(regular), 3u);
    EXPECT_EQ(backend.CachedGlyphCount(bold), 0u);
    EXPECT_EQ(backend.CachedGlyphCount(serif), 0u);

    // The same characters in other fonts: glyphs of their own, drawn as Qt draws them.
    fw::QtPaintBackend qt;
    qt.SetGlyphCacheEnabled(false);
    for (const fw::Font* font : std::initializer_list<const fw::Font*>{&bold, &larger, &serif}) {
        const Bitmap other = Draw(backend, *font, "abc");
        EXPECT_EQ(backend.CachedGlyphCount(*font), 3u) << font->Name;
        ExpectSamePixels(other, Draw(qt, *font, "abc"), font->Name);
        bool differs = false;
        for (int y = 0; y < other.Height() && !differs; ++y) {
            for (int x = 0; x < other.Width() && !differs; ++x) {
                differs = other.Pixel(x, y) != first.Pixel(x, y);
            }
        }
        EXPECT_TRUE(differs) << font->Name << " drew the regular font's glyphs";
    }
    EXPECT_EQ(backend.CachedGlyphCount(regular), 3u);
    EXPECT_EQ(backend.CachedGlyphCount(), 12u);
    // And the first font's glyphs are still its own.
    ExpectSamePixels(Draw(backend, regular, "abc"), first, "regular again");
}

TEST(GlyphCache, StaysWithinItsCapacity)
{
    constexpr std::size_t Capacity = 16;
    fw::QtPaintBackend backend(Capacity);
    fw::QtPaintBackend qt;
    qt.SetGlyphCacheEnabled(false);
    const fw::Font font = MakeFont("Liberation Sans", 9);
    std::size_t most = 0;
    for (char first = 'A'; first <= 'z' - 4; first = static_cast<char>(first + 5)) {
        const std::string text{first, static_cast<char>(first + 1), static_cast<char>(first + 2),
                               static_cast<char>(first + 3), static_cast<char>(first + 4)};
        ExpectSamePixels(Draw(backend, font, text), Draw(qt, font, text), text);
        most = std::max(most, backend.CachedGlyphCount());
    }
    // A run may take the cache past its capacity by its own characters; the next starts
    // afresh.
    EXPECT_GT(most, Capacity - 5);
    EXPECT_LE(most, Capacity + 5);
}

TEST(GlyphCache, TakesPrintableLatinAndLeavesEverythingElseToTheShaper)
{
    const auto characters = [](std::string_view text) {
        std::vector<char32_t> taken;
        std::size_t at = 0;
        char32_t character = 0;
        while (at < text.size()) {
            if (!fw::NextCacheableCharacter(text, at, character)) {
                return std::vector<char32_t>{};
            }
            taken.push_back(character);
        }
        return taken;
    };
    EXPECT_EQ(characters("A z~"), (std::vector<char32_t>{'A', ' ', 'z', '~'}));
    EXPECT_EQ(characters("\xC2\xA0\xC3\xA9\xC9\x8F"), (std::vector<char32_t>{0xA0, 0xE9, 0x24F}));
    // Tabs and line breaks (laid out by position), the soft hyphen (shown by its place),
    // combining marks, other scripts, malformed or cut-off bytes.
    for (const std::string_view refused : {"a\tb", "a\nb", "\x7F", "\xC2\xAD", "e\xCC\x81", "\xC9\x90",
                                           "\xE4\xB8\xAD", "\xC3", "\xC3(", "\x80", "\xF0\x9F\x98\x80"}) {
        EXPECT_TRUE(characters(refused).empty()) << refused;
    }
}
