#pragma once

#include <string>
#include <string_view>

// The escaping pair of stored texts. Every character below 32 or above 127 and each of
// & < > [ ] becomes "&#<code>;", the code being the character's Windows-1252 byte, or its
// Unicode number for a character that Windows-1252 lacks. Texts stay plain ASCII on disk.
std::string EncodeXMLText(std::string_view text);
// "&#<decimal>;" (or to the end of the text without ";") becomes its character: 0 to 255 as
// a Windows-1252 byte, above that as Unicode; anything else (hexadecimal, a sign, no digits,
// no such character) becomes a space. Named entities stay as they are.
std::string DecodeXMLText(std::string_view text);

// Attribute values as written between double quotes: & < > ", a leading blank and every
// character below 32 or above 127 as "&#<code>;", so that no value can end its quotes early
// or split the tag.
std::string EncodeXMLAttribute(std::string_view value);
// Attribute values are decoded like texts.
inline std::string DecodeXMLAttribute(std::string_view value)
{
    return DecodeXMLText(value);
}

// Free texts stored as CDATA (names, comments, folders) stay as typed, so that a file keeps
// the bytes older readers expect, with two exceptions that make the pair exact: a character
// Windows-1252 lacks becomes "&#<Unicode number>;" (it would be lost on the way to the file),
// an "&" that starts "&#" becomes "&#38;", and so does a control character other than a tab
// or a CR LF pair (a lone CR or LF would come back as CR LF). The C1 control characters the
// code page lacks have no number of their own there and are written as U+FFFD.
std::string EncodeCDataText(std::string_view text);
// Decodes exactly the references "&#<decimal>;" naming a character (0 to 255 as a
// Windows-1252 byte, above that as Unicode); every other text, a lone "&" or "&#x" among
// it, stays as it is.
std::string DecodeCDataText(std::string_view text);
