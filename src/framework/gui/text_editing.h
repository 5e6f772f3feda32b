#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/canvas.h"

namespace fw {

// What the single-line edit and the memo share: characters decoded from UTF-8, word runs
// for Ctrl+arrows and double clicks, the control characters the keyboard types, and the
// frame both draw.

// Ctrl+letter characters, as the keyboard types them.
inline constexpr char32_t CtrlA = 1;
inline constexpr char32_t CtrlC = 3;
inline constexpr char32_t CtrlV = 22;
inline constexpr char32_t CtrlX = 24;
inline constexpr char32_t BackspaceChar = 8;
inline constexpr char32_t TabChar = 9;
inline constexpr char32_t ReturnChar = 13;

// Whether a typed character puts itself into the text: control characters (Enter, Esc,
// Tab, Backspace and the Ctrl letters) and DEL do not.
inline bool IsPrintableCharacter(char32_t c)
{
    return c >= 0x20 && c != 0x7F;
}

// What a double click takes as one word: letters, digits and underscores stay together,
// blanks stay together, a line break stands alone, and every other character stands alone.
enum class CharClass { Word, Blank, Break, Other };
CharClass ClassOf(char32_t c);

std::vector<char32_t> DecodeCharacters(std::string_view text);
std::string EncodeCharacters(const std::vector<char32_t>& characters, int from, int to);
// The byte offset of the character position in the text (its end when beyond).
std::size_t ByteOffsetIn(std::string_view text, int characters);

// Ctrl+Left: back over blanks, then to the start of the word or run before them. A line
// break (CR LF, or a lone CR or LF) counts as one run that is stepped over alone.
int WordStartBefore(const std::vector<char32_t>& text, int position);
// Ctrl+Right: to the end of this word or run, then over the blanks after it (the start of
// the next word); a line break is stepped over alone.
int WordEndAfter(const std::vector<char32_t>& text, int position);

// The run [start, end) a double click at position takes: the word, blanks or character the
// position stands before, else the one just before it (the end of a line or of the text).
// A line break is never part of it; an empty line gives an empty run at the position.
struct CharacterRun {
    int Start = 0;
    int End = 0;
};
CharacterRun RunAround(const std::vector<char32_t>& text, int position);

// How a text control draws its frame: Single is a one-pixel frame (the highlight colour
// while focused and enabled, the shadow colour otherwise), None draws none.
enum class EditBorderStyle { None, Single };

// Fills the whole client rectangle with the control's colour (the button face when
// disabled) and draws the frame.
void PaintEditBackground(Canvas& canvas, const Rect& client, Color color, EditBorderStyle border, bool enabled,
                         bool focused);

} // namespace fw
