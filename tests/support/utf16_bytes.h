#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/core/encoding.h"

// Text as a text editor saves it as UTF-16 ("Unicode"): the units as bytes of the byte order,
// after the byte-order mark when asked. Units are taken as they are, so that a test can give
// half a surrogate pair.
inline std::string Utf16Bytes(std::u16string_view units, bool bigEndian, bool mark)
{
    std::string bytes;
    const auto append = [&](char16_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    if (mark) {
        append(u'\uFEFF');
    }
    for (const char16_t unit : units) {
        append(unit);
    }
    return bytes;
}

// The UTF-8 text as UTF-16 bytes, as above.
inline std::string Utf8AsUtf16Bytes(std::string_view text, bool bigEndian, bool mark)
{
    std::u16string units;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t codePoint = fw::DecodeUtf8(text, pos);
        if (codePoint >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(codePoint);
        }
    }
    return Utf16Bytes(units, bigEndian, mark);
}
