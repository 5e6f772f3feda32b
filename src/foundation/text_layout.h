#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"

// Breaking text into lines and placing the lines in a box. Nothing here draws or knows a
// font: the width of a text comes from a callback and every line is one line height tall,
// so the same layout serves the canvas, a printer and the tests.

// The width in pixels of a text in the font being laid out. Widths are expected to grow
// (never shrink) as characters are added to the end of a text, as they do for any font.
using TextWidthFunction = std::function<int(std::string_view text)>;

// Where the lines sit inside their box, along one axis.
enum class TextAlignment : int {
    Start = 0,  // top or left
    Centre = 1,
    End = 2,    // bottom or right
};

// Word-wraps the text so that no line is wider than width.
//
// The text is read as tokens: a word (characters up to the next space, CR or LF), a line
// break (CR LF, CR or LF) and a space, which counts as an empty word. A line break ends the
// line; a word that would overflow a non-empty line ends it first; a word wider than width
// on its own keeps as many characters as fit (at least one, cut at a UTF-8 character
// boundary) and the rest goes on as the next word; an empty word adds a space to a
// non-empty line. The line in progress at the end is kept, even when empty, so there is
// always at least one line, and a trailing line break gives a last, empty line. Every line
// is trimmed at the end.
std::vector<std::string> WrapText(int width, std::string_view text, const TextWidthFunction& textWidth);

// The text split at its line breaks only (CR LF, CR or LF; a break at the very end starts
// no further line), untrimmed, and at least one line: an empty text is one empty line.
std::vector<std::string> SplitTextLines(std::string_view text);

// WrapText with wrap set, SplitTextLines otherwise.
std::vector<std::string> TextLines(int width, std::string_view text, bool wrap,
                                   const TextWidthFunction& textWidth);

// The box the lines need: from 0, 0 to the widest line's width and lineHeight for each line.
fw::Rect WrappedTextSize(int width, std::string_view text, bool wrap, const TextWidthFunction& textWidth,
                         int lineHeight);

// One line placed in its box; Left and Top are the top-left corner of its text cell.
struct PlacedTextLine {
    std::string Text;
    int Left = 0;
    int Top = 0;
    int Width = 0;
};

struct WrappedTextLayout {
    std::vector<PlacedTextLine> Lines;
    // What the lines cover: from the leftmost line start to the rightmost line end, and from
    // the first line's top to one line height below the last line's top.
    fw::Rect Used;
};

// Places the lines of the text (wrapped to the box's width when wrap is set) in the box.
// The block of lines starts at the top, is centred ((top + bottom - block height) div 2) or
// ends at the bottom, but never starts above the top; each line likewise starts at the
// left, is centred or ends at the right, but never starts left of the left edge. Lines
// follow each other one line height apart, empty ones included. Halves are cut towards
// zero, so a centred line one pixel narrower than the room for it leans left.
WrappedTextLayout LayoutWrappedText(const fw::Rect& box, std::string_view text, bool wrap,
                                    TextAlignment vertical, TextAlignment horizontal,
                                    const TextWidthFunction& textWidth, int lineHeight);
