#include "framework/core/encoding.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace fw {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char32_t, 32> highControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t AsciiPrefixLength(std::string_view text)
{
    // Eight bytes at a time: stored files are nearly all ASCII, and both conversions copy
    // such runs whole.
    constexpr std::uint64_t HighBits = 0x8080808080808080ull;
    std::size_t pos = 0;
    while (pos + 8 <= text.size()) {
        std::uint64_t block = 0;
        std::memcpy(&block, text.data() + pos, 8);
        if ((block & HighBits) != 0) {
            break;
        }
        pos += 8;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) {
        ++pos;
    }
    return pos;
}

char32_t Windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return highControlRange[byte - 0x80];
    }
    return byte;
}

bool UnicodeToWindows1252(char32_t codePoint, unsigned char& byte)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    for (size_t i = 0; i < highControlRange.size(); ++i) {
        if (highControlRange[i] == codePoint) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::size_t Utf8PrefixBytes(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        // Continuation bytes belong to the character before them.
        while (end < text.size() && IsContinuation(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
    }
    return end;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string result;
    result.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t run = AsciiPrefixLength(bytes.substr(pos));
        result.append(bytes.substr(pos, run));
        pos += run;
        if (pos < bytes.size()) {
            AppendUtf8(result, Windows1252ToUnicode(static_cast<unsigned char>(bytes[pos])));
            ++pos;
        }
    }
    return result;
}

std::string Utf8ToWindows1252(std::string_view utf8, char replacement)
{
    std::string result;
    result.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        unsigned char byte = 0;
        if (UnicodeToWindows1252(DecodeUtf8(utf8, pos), byte)) {
            result += static_cast<char>(byte);
        } else {
            result += replacement;
        }
    }
    return result;
}

std::string Utf8ToWindows1252Referenced(std::string_view utf8)
{
    std::string result;
    result.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t run = AsciiPrefixLength(utf8.substr(pos));
        result.append(utf8.substr(pos, run));
        pos += run;
        if (pos == utf8.size()) {
            break;
        }
        const char32_t codePoint = DecodeUtf8(utf8, pos);
        unsigned char byte = 0;
        if (UnicodeToWindows1252(codePoint, byte)) {
            result += static_cast<char>(byte);
        } else if (codePoint == ReplacementCharacter || codePoint <= 0xFF) {
            // Numbers up to 255 name Windows-1252 bytes in a reference: a C1 control
            // character the code page lacks has no reference of its own.
            result += '?';
        } else {
            char digits[16];
            const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(codePoint)).ptr;
            result += "&#";
            result.append(digits, end);
            result += ';';
        }
    }
    return result;
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size()) {
        return ReplacementCharacter;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        ++pos;
        return ReplacementCharacter;
    }
    if (text.size() - pos < length) {
        ++pos;
        return ReplacementCharacter;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(next)) {
            ++pos;
            return ReplacementCharacter;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        ++pos;
        return ReplacementCharacter;
    }
    pos += length;
    return codePoint;
}

void AppendUtf8(std::string& text, char32_t codePoint)
{
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = ReplacementCharacter;
    }
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace fw
