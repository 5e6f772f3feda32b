#include "framework/gui/text_editing.h"

#include <algorithm>

#include "framework/core/encoding.h"
#include "framework/core/system_colours.h"

namespace fw {

CharClass ClassOf(char32_t c)
{
    if (c == U' ' || c == U'\t') {
        return CharClass::Blank;
    }
    if (c == U'\r' || c == U'\n') {
        return CharClass::Break;
    }
    const bool digit = c >= U'0' && c <= U'9';
    const bool letter = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    const bool asciiWord = digit || letter || c == U'_';
    // Letters beyond ASCII count as word characters; the platform's edit does the same.
    return asciiWord || c >= 0x80 ? CharClass::Word : CharClass::Other;
}

std::vector<char32_t> DecodeCharacters(std::string_view text)
{
    std::vector<char32_t> characters;
    characters.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        characters.push_back(DecodeUtf8(text, pos));
    }
    return characters;
}

std::string EncodeCharacters(const std::vector<char32_t>& characters, int from, int to)
{
    const int size = static_cast<int>(characters.size());
    from = std::clamp(from, 0, size);
    to = std::clamp(to, from, size);
    std::string text;
    for (int i = from; i < to; ++i) {
        AppendUtf8(text, characters[static_cast<std::size_t>(i)]);
    }
    return text;
}

std::size_t ByteOffsetIn(std::string_view text, int characters)
{
    std::size_t pos = 0;
    for (int i = 0; i < characters && pos < text.size(); ++i) {
        DecodeUtf8(text, pos);
    }
    return pos;
}

namespace {

CharClass ClassAt(const std::vector<char32_t>& text, int index)
{
    return ClassOf(text[static_cast<std::size_t>(index)]);
}

bool IsCrLfAt(const std::vector<char32_t>& text, int index)
{
    const int size = static_cast<int>(text.size());
    return index >= 0 && index + 1 < size && text[static_cast<std::size_t>(index)] == U'\r'
        && text[static_cast<std::size_t>(index) + 1] == U'\n';
}

} // namespace

int WordStartBefore(const std::vector<char32_t>& text, int position)
{
    int at = std::clamp(position, 0, static_cast<int>(text.size()));
    while (at > 0 && ClassAt(text, at - 1) == CharClass::Blank) {
        --at;
    }
    if (at == 0) {
        return 0;
    }
    const CharClass kind = ClassAt(text, at - 1);
    if (kind == CharClass::Break) {
        return IsCrLfAt(text, at - 2) ? at - 2 : at - 1;
    }
    while (at > 0 && ClassAt(text, at - 1) == kind) {
        --at;
    }
    return at;
}

int WordEndAfter(const std::vector<char32_t>& text, int position)
{
    const int size = static_cast<int>(text.size());
    int at = std::clamp(position, 0, size);
    if (at < size && ClassAt(text, at) == CharClass::Break) {
        // The break alone: the next line starts a new word even when it begins with blanks.
        return IsCrLfAt(text, at) ? at + 2 : at + 1;
    }
    if (at < size && ClassAt(text, at) != CharClass::Blank) {
        const CharClass kind = ClassAt(text, at);
        while (at < size && ClassAt(text, at) == kind) {
            ++at;
        }
    }
    while (at < size && ClassAt(text, at) == CharClass::Blank) {
        ++at;
    }
    return at;
}

CharacterRun RunAround(const std::vector<char32_t>& text, int position)
{
    const int size = static_cast<int>(text.size());
    int at = std::clamp(position, 0, size);
    if (at == size || ClassAt(text, at) == CharClass::Break) {
        // At the end of a line: the run before the caret, when the line has one.
        if (at == 0 || ClassAt(text, at - 1) == CharClass::Break) {
            return CharacterRun{at, at};
        }
        --at;
    }
    const CharClass kind = ClassAt(text, at);
    int start = at;
    int end = at + 1;
    if (kind != CharClass::Other) {
        while (start > 0 && ClassAt(text, start - 1) == kind) {
            --start;
        }
        while (end < size && ClassAt(text, end) == kind) {
            ++end;
        }
    }
    return CharacterRun{start, end};
}

void PaintEditBackground(Canvas& canvas, const Rect& client, Color color, EditBorderStyle border, bool enabled,
                         bool focused)
{
    canvas.Pen() = Pen{};
    canvas.Brush() = Brush{enabled ? color : clBtnFace};
    canvas.FillRect(client);
    if (border == EditBorderStyle::Single) {
        canvas.Pen().Color = focused && enabled ? clHighlight : clBtnShadow;
        canvas.Brush().Style = BrushStyle::Clear;
        canvas.Rectangle(client);
    }
}

} // namespace fw
