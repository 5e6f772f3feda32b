#pragma once

#include <string>

namespace fw {
class Object;
}

// The text of a stored file as the XML reader takes it: UTF-8, whatever the file was saved
// as. The program writes Windows-1252 (ASCII in practice, with numeric references for the
// rest), but a file opened and saved again in a text editor may come back as UTF-8 with a
// byte-order mark, or as UTF-16, which is what such editors call "Unicode".
//
// The encoding is told by the file's first bytes:
// - EF BB BF (the UTF-8 byte-order mark): UTF-8 after the mark;
// - FF FE or FE FF (the UTF-16 marks), or a first character in UTF-16 without a mark (an
//   ASCII byte beside a zero byte, as "<" is 3C 00 or 00 3C): UTF-16 of that byte order;
// - FF FE 00 00 or 00 00 FE FF (the UTF-32 marks): refused, since no editor writes it
//   unasked and it is better named than misread;
// - anything else: Windows-1252.
// Numeric references keep the meaning the stored files give them whatever the encoding
// ("&#150;" is the Windows-1252 dash up to 255, a Unicode character above), since they are
// read only after this, by the readers of the values.
//
// Text that is not what its start says raises TGenericException, from the sender with the
// method "LoadFromFile", naming the encoding and where it fails (byte counted from 1):
//   "The file's UTF-8 text is damaged at byte <n>."
//   "The file's UTF-16 text is damaged at byte <n>." (half a character, a lone surrogate)
//   "The file is saved as UTF-32, which cannot be read.\r\nSave it as UTF-8 or ANSI (Windows-1252)."
std::string StoredFileTextToUtf8(std::string bytes, const fw::Object* sender);
