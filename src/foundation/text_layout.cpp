#include "foundation/text_layout.h"

#include <algorithm>
#include <cstddef>

#include "framework/core/string_list.h"
#include "framework/core/strings.h"

namespace {

enum class TokenKind { Word, LineBreak };

// A word is a view into the text; a space is a word of no characters.
struct Token {
    TokenKind kind = TokenKind::Word;
    std::string_view text;
};

bool EndsWord(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

std::vector<Token> Tokenise(std::string_view text)
{
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ') {
            tokens.push_back({TokenKind::Word, {}});
            ++pos;
        } else if (c == '\r' || c == '\n') {
            const std::size_t length = c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
            tokens.push_back({TokenKind::LineBreak, text.substr(pos, length)});
            pos += length;
        } else {
            std::size_t end = pos;
            while (end < text.size() && !EndsWord(text[end])) {
                ++end;
            }
            tokens.push_back({TokenKind::Word, text.substr(pos, end - pos)});
            pos = end;
        }
    }
    return tokens;
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte length of the longest start of the word, cut between UTF-8 characters, that is
// no wider than width; at least the first character, so that wrapping always moves on.
// Widths grow with each added character, so the longest fitting start is found by halving
// instead of measuring every shorter one.
std::size_t FittingPrefix(std::string_view word, int width, const TextWidthFunction& textWidth)
{
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= word.size(); ++i) {
        if (i == word.size() || !IsContinuationByte(word[i])) {
            ends.push_back(i);
        }
    }
    // ends[0] always fits by decree; find the last index whose start fits.
    std::size_t fits = 0;
    std::size_t tooWide = ends.size();
    while (tooWide - fits > 1) {
        const std::size_t middle = fits + (tooWide - fits) / 2;
        if (textWidth(word.substr(0, ends[middle])) <= width) {
            fits = middle;
        } else {
            tooWide = middle;
        }
    }
    return ends[fits];
}

} // namespace

std::vector<std::string> WrapText(int width, std::string_view text, const TextWidthFunction& textWidth)
{
    std::vector<std::string> lines;
    std::string line;
    for (const Token& token : Tokenise(text)) {
        if (token.kind == TokenKind::LineBreak) {
            lines.push_back(std::move(line));
            line.clear();
            continue;
        }
        std::string_view word = token.text;
        for (;;) {
            const std::string_view piece = word.empty() ? std::string_view(" ") : word;
            if (!line.empty() && textWidth(line + std::string(piece)) > width) {
                lines.push_back(std::move(line));
                line.clear();
            }
            if (word.empty()) {
                // A space only separates words: it never starts a line.
                if (!line.empty()) {
                    line += ' ';
                }
                break;
            }
            if (textWidth(word) <= width) {
                line += word;
                break;
            }
            const std::size_t kept = FittingPrefix(word, width, textWidth);
            line += word.substr(0, kept);
            word.remove_prefix(kept);
            if (word.empty()) {
                break; // a single character wider than the line: nothing is left over
            }
        }
    }
    lines.push_back(std::move(line));
    for (std::string& each : lines) {
        each = fw::Trim(each);
    }
    return lines;
}

std::vector<std::string> SplitTextLines(std::string_view text)
{
    fw::StringList list;
    list.SetText(text);
    std::vector<std::string> lines = list.Lines();
    if (lines.empty()) {
        lines.emplace_back();
    }
    return lines;
}

std::vector<std::string> TextLines(int width, std::string_view text, bool wrap,
                                   const TextWidthFunction& textWidth)
{
    return wrap ? WrapText(width, text, textWidth) : SplitTextLines(text);
}

fw::Rect WrappedTextSize(int width, std::string_view text, bool wrap, const TextWidthFunction& textWidth,
                         int lineHeight)
{
    const std::vector<std::string> lines = TextLines(width, text, wrap, textWidth);
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, textWidth(line));
    }
    return fw::Rect{0, 0, widest, lineHeight * static_cast<int>(lines.size())};
}

namespace {

// Where a run of the given length starts between first and last (last exclusive); never
// before first, even when the run is longer than the room.
int AlignedStart(TextAlignment alignment, int first, int last, int length)
{
    int start = first;
    switch (alignment) {
    case TextAlignment::Start:
        break;
    case TextAlignment::Centre:
        start = (first + last - length) / 2;
        break;
    case TextAlignment::End:
        start = last - length;
        break;
    }
    return std::max(start, first);
}

} // namespace

WrappedTextLayout LayoutWrappedText(const fw::Rect& box, std::string_view text, bool wrap,
                                    TextAlignment vertical, TextAlignment horizontal,
                                    const TextWidthFunction& textWidth, int lineHeight)
{
    std::vector<std::string> lines = TextLines(box.Width(), text, wrap, textWidth);
    const int blockHeight = lineHeight * static_cast<int>(lines.size());

    WrappedTextLayout layout;
    int top = AlignedStart(vertical, box.Top, box.Bottom, blockHeight);
    layout.Used = fw::Rect{0, top, 0, top + blockHeight};
    for (std::string& line : lines) {
        const int lineWidth = textWidth(line);
        const int left = AlignedStart(horizontal, box.Left, box.Right, lineWidth);
        const bool first = layout.Lines.empty();
        layout.Used.Left = first ? left : std::min(layout.Used.Left, left);
        layout.Used.Right = first ? left + lineWidth : std::max(layout.Used.Right, left + lineWidth);
        layout.Lines.push_back(PlacedTextLine{std::move(line), left, top, lineWidth});
        top += lineHeight;
    }
    return layout;
}
