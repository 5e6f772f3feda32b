#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

// Text lives in memory as UTF-8; files hold single-byte Windows-1252. These convert at
// that boundary.

// The code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control code points of the same value, so
// that every byte survives a round trip.
char32_t Windows1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point; false when the code page has none.
bool UnicodeToWindows1252(char32_t codePoint, unsigned char& byte);

std::string Windows1252ToUtf8(std::string_view bytes);
// How many bytes at the start of the text are ASCII, which reads the same in both.
std::size_t AsciiPrefixLength(std::string_view text);
// Code points the code page lacks, and bytes that are no valid UTF-8, become the
// replacement character.
std::string Utf8ToWindows1252(std::string_view utf8, char replacement = '?');
// For files: a code point the code page lacks becomes the reference "&#<Unicode number>;"
// instead, so that nothing the user typed is lost on its way to disk. Bytes that are no
// valid UTF-8 still become "?".
std::string Utf8ToWindows1252Referenced(std::string_view utf8);

inline constexpr char32_t ReplacementCharacter = U'\uFFFD';

// Decodes the code point that starts at pos and moves pos past it (a pos at or beyond the
// end gives U+FFFD and stays). A byte that does not start a valid sequence (a stray continuation byte, a
// sequence cut short, an overlong form, a surrogate, a value beyond U+10FFFF) decodes as
// U+FFFD and moves pos by that one byte only.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
// The byte length of the text's first `count` characters (the whole text when it has fewer):
// a cut there never splits a character.
std::size_t Utf8PrefixBytes(std::string_view text, std::size_t count);
// Appends the UTF-8 form of the code point; surrogates and values beyond U+10FFFF are
// appended as U+FFFD.
void AppendUtf8(std::string& text, char32_t codePoint);

} // namespace fw
