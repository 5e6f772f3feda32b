#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/text_layout.h"

namespace {

using Lines = std::vector<std::string>;

// Every character 6 pixels wide, like the fake paint backend; multi-byte UTF-8 characters
// count once.
int MonoWidth(std::string_view text)
{
    int characters = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++characters;
        }
    }
    return 6 * characters;
}

const TextWidthFunction monoWidth = MonoWidth;

Lines Wrap(int characters, std::string_view text)
{
    return WrapText(6 * characters, text, monoWidth);
}

} // namespace

TEST(TextLayout, WrapBreaksBetweenWordsAndAtLineBreaks)
{
    const struct {
        int characters;
        const char* text;
        Lines lines;
    } cases[] = {
        {20, "one two three", {"one two three"}},
        {13, "one two three", {"one two three"}},  // exactly the width still fits
        {12, "one two three", {"one two", "three"}},
        {7, "one two three", {"one two", "three"}},
        {6, "one two three", {"one", "two", "three"}},
        {20, "a  b", {"a  b"}},                     // each space is kept inside a line
        {20, "  lead and trail  ", {"lead and trail"}},
        {3, "ab    cd", {"ab", "cd"}},              // spaces never start a line
        {20, "a\r\nb\rc\nd", {"a", "b", "c", "d"}}, // CR LF is one break, not two
        {20, "a\n\r\nb", {"a", "", "b"}},           // LF then CR LF: one empty line
        {20, "a\n\nb", {"a", "", "b"}},
        {20, "a\n", {"a", ""}},                     // the line after the last break is kept
        {20, "", {""}},
        {20, "   ", {""}},
        {20, "x \r\n y", {"x", "y"}},              // lines are trimmed
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Wrap(c.characters, c.text), c.lines) << c.characters << " '" << c.text << "'";
    }
}

TEST(TextLayout, WrapCutsAWordWiderThanTheLineAndCarriesTheRestOn)
{
    EXPECT_EQ(Wrap(4, "abcdefghij"), (Lines{"abcd", "efgh", "ij"}));
    // The rest of a cut word is a word like any other: the next one may join its line.
    EXPECT_EQ(Wrap(4, "abcdef g"), (Lines{"abcd", "ef g"}));
    // A non-empty line is ended before the long word is cut.
    EXPECT_EQ(Wrap(4, "xy abcdefg"), (Lines{"xy", "abcd", "efg"}));
    // At least one character stays on each line, however narrow the width.
    EXPECT_EQ(Wrap(0, "abc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(WrapText(-5, "ab", monoWidth), (Lines{"a", "b"}));
    // Cuts fall between UTF-8 characters, never inside one.
    EXPECT_EQ(Wrap(2, "\xC3\xA9\xC3\xA8\xC3\xAA"), (Lines{"\xC3\xA9\xC3\xA8", "\xC3\xAA"}));

    // The cut finds the longest fitting start even when the widths are uneven: here "W"
    // is three times wider than other letters.
    const TextWidthFunction uneven = [](std::string_view text) {
        int width = 0;
        for (char c : text) {
            width += c == 'W' ? 18 : 6;
        }
        return width;
    };
    EXPECT_EQ(WrapText(30, "aaWaaaaaWWa", uneven), (Lines{"aaW", "aaaaa", "W", "Wa"}));
}

TEST(TextLayout, SplitLinesBreaksOnlyAtLineBreaks)
{
    EXPECT_EQ(SplitTextLines(""), (Lines{""}));
    EXPECT_EQ(SplitTextLines(" a b \r\nc"), (Lines{" a b ", "c"}));
    EXPECT_EQ(SplitTextLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitTextLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(TextLines(1, "aaa bbb", false, monoWidth), (Lines{"aaa bbb"}));
    EXPECT_EQ(TextLines(18, "aaa bbb", true, monoWidth), (Lines{"aaa", "bbb"}));
}

TEST(TextLayout, SizeIsTheWidestLineByTheLineCount)
{
    EXPECT_EQ(WrappedTextSize(60, "one two three four", true, monoWidth, 13), (fw::Rect{0, 0, 60, 26}));
    EXPECT_EQ(WrappedTextSize(60, "one two three four", false, monoWidth, 13), (fw::Rect{0, 0, 108, 13}));
    EXPECT_EQ(WrappedTextSize(60, "ab\r\n\r\nabc", false, monoWidth, 13), (fw::Rect{0, 0, 18, 39}));
    // An empty text still takes one line.
    EXPECT_EQ(WrappedTextSize(60, "", true, monoWidth, 13), (fw::Rect{0, 0, 0, 13}));
    EXPECT_EQ(WrappedTextSize(60, "", false, monoWidth, 13), (fw::Rect{0, 0, 0, 13}));
}

namespace {

struct Placed {
    std::string text;
    int left;
    int top;
    friend bool operator==(const Placed&, const Placed&) = default;
};

std::vector<Placed> PlacesOf(const WrappedTextLayout& layout)
{
    std::vector<Placed> places;
    for (const PlacedTextLine& line : layout.Lines) {
        places.push_back({line.Text, line.Left, line.Top});
        EXPECT_EQ(line.Width, MonoWidth(line.Text));
    }
    return places;
}

std::ostream& operator<<(std::ostream& out, const Placed& placed)
{
    return out << "'" << placed.text << "' at " << placed.left << "," << placed.top;
}

} // namespace

TEST(TextLayout, LinesAreAlignedBothWays)
{
    using A = TextAlignment;
    // A 61 x 50 box at 10, 20; "abcd efghij" wraps into a 24 and a 36-pixel line.
    const fw::Rect box{10, 20, 71, 70};
    const char* text = "abcd efghij";
    const struct {
        A vertical;
        A horizontal;
        std::vector<Placed> places;
        fw::Rect used;
    } cases[] = {
        {A::Start, A::Start, {{"abcd", 10, 20}, {"efghij", 10, 33}}, {10, 20, 46, 46}},
        // (20 + 70 - 26) div 2 = 32; (10 + 71 - 24) div 2 = 28, (10 + 71 - 36) div 2 = 22.
        {A::Centre, A::Centre, {{"abcd", 28, 32}, {"efghij", 22, 45}}, {22, 32, 58, 58}},
        {A::End, A::End, {{"abcd", 47, 44}, {"efghij", 35, 57}}, {35, 44, 71, 70}},
        {A::End, A::Start, {{"abcd", 10, 44}, {"efghij", 10, 57}}, {10, 44, 46, 70}},
    };
    for (const auto& c : cases) {
        const WrappedTextLayout layout = LayoutWrappedText(box, text, true, c.vertical, c.horizontal, monoWidth, 13);
        EXPECT_EQ(PlacesOf(layout), c.places) << int(c.vertical) << int(c.horizontal);
        EXPECT_EQ(layout.Used, c.used) << int(c.vertical) << int(c.horizontal);
    }

    // Centring cuts towards zero, also left of the origin: (-7 + 0 - 6) / 2 = -6.
    const WrappedTextLayout negative =
        LayoutWrappedText({-7, -20, 0, 0}, "a", false, A::Centre, A::Centre, monoWidth, 13);
    EXPECT_EQ(PlacesOf(negative), (std::vector<Placed>{{"a", -6, -16}}));
}

TEST(TextLayout, LinesNeverStartAboveOrLeftOfTheBox)
{
    using A = TextAlignment;
    // Three lines (39 pixels) in a box 20 high; lines wider than the box.
    const fw::Rect box{5, 10, 17, 30};
    for (A vertical : {A::Start, A::Centre, A::End}) {
        const WrappedTextLayout layout =
            LayoutWrappedText(box, "abc\nde\nf", false, vertical, A::End, monoWidth, 13);
        EXPECT_EQ(PlacesOf(layout), (std::vector<Placed>{{"abc", 5, 10}, {"de", 5, 23}, {"f", 11, 36}}))
            << int(vertical);
        EXPECT_EQ(layout.Used, (fw::Rect{5, 10, 23, 49}));
    }
    // Centred, a line two pixels too wide for its box stays at the left edge.
    const WrappedTextLayout centred =
        LayoutWrappedText({3, 0, 13, 13}, "ab", false, A::Centre, A::Centre, monoWidth, 13);
    EXPECT_EQ(PlacesOf(centred), (std::vector<Placed>{{"ab", 3, 0}}));
}

TEST(TextLayout, EmptyLinesTakeAFullLineHeight)
{
    const WrappedTextLayout layout = LayoutWrappedText({0, 0, 100, 100}, "top\r\n\r\n\r\nbottom", true,
                                                       TextAlignment::End, TextAlignment::Centre, monoWidth, 13);
    // 4 lines of 13 end at the bottom; the empty lines sit, zero wide, in the middle.
    EXPECT_EQ(PlacesOf(layout),
              (std::vector<Placed>{{"top", 41, 48}, {"", 50, 61}, {"", 50, 74}, {"bottom", 32, 87}}));
    EXPECT_EQ(layout.Used, (fw::Rect{32, 48, 68, 100}));

    // Wrapping uses the box's own width.
    const WrappedTextLayout wrapped = LayoutWrappedText({100, 0, 124, 50}, "ab cd ef", true, TextAlignment::Start,
                                                        TextAlignment::Start, monoWidth, 10);
    EXPECT_EQ(PlacesOf(wrapped), (std::vector<Placed>{{"ab", 100, 0}, {"cd", 100, 10}, {"ef", 100, 20}}));
}
