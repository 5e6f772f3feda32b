#include "foundation/xml_file_text.h"

#include <cstddef>
#include <string_view>

#include "foundation/generic_exception.h"
#include "framework/core/encoding.h"

namespace {

constexpr const char* MethodName = "LoadFromFile";

[[noreturn]] void RaiseDamaged(std::string_view encoding, std::size_t offset, const fw::Object* sender)
{
    throw TGenericException::CreateFromSender("The file's " + std::string(encoding) + " text is damaged at byte "
                                                  + std::to_string(offset + 1) + ".",
                                              nullptr, sender, MethodName);
}

bool StartsWith(std::string_view bytes, std::string_view start)
{
    return bytes.substr(0, start.size()) == start;
}

// The offset of the first byte that is no part of valid UTF-8, or the text's size.
std::size_t InvalidUtf8Offset(std::string_view text)
{
    std::size_t pos = fw::AsciiPrefixLength(text);
    while (pos < text.size()) {
        const std::size_t start = pos;
        // An invalid byte decodes as the replacement character and moves by one byte; the
        // character itself, valid, takes three.
        if (fw::DecodeUtf8(text, pos) == fw::ReplacementCharacter && pos - start != 3) {
            return start;
        }
    }
    return text.size();
}

std::string Utf8WithoutMark(std::string bytes, const fw::Object* sender)
{
    constexpr std::size_t Mark = 3;
    const std::size_t invalid = InvalidUtf8Offset(std::string_view(bytes).substr(Mark));
    if (invalid + Mark != bytes.size()) {
        RaiseDamaged("UTF-8", invalid + Mark, sender);
    }
    bytes.erase(0, Mark);
    return bytes;
}

std::string Utf16ToUtf8(std::string_view bytes, std::size_t start, bool bigEndian, const fw::Object* sender)
{
    if ((bytes.size() - start) % 2 != 0) {
        RaiseDamaged("UTF-16", bytes.size() - 1, sender);
    }
    const auto unitAt = [&](std::size_t offset) {
        const auto first = static_cast<unsigned char>(bytes[offset]);
        const auto second = static_cast<unsigned char>(bytes[offset + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string text;
    // ASCII text, the usual case, takes a byte for every two.
    text.reserve((bytes.size() - start) / 2);
    for (std::size_t offset = start; offset < bytes.size(); offset += 2) {
        char32_t unit = unitAt(offset);
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            RaiseDamaged("UTF-16", offset, sender);
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const char32_t low = offset + 2 < bytes.size() ? unitAt(offset + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF) {
                RaiseDamaged("UTF-16", offset, sender);
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            offset += 2;
        }
        if (unit < 0x80) {
            text += static_cast<char>(unit);
        } else {
            fw::AppendUtf8(text, unit);
        }
    }
    return text;
}

// An ASCII character other than NUL beside a zero byte: the first character of UTF-16 text
// without a mark. A file the program writes never holds a zero byte.
bool IsAsciiBesideZero(unsigned char ascii, unsigned char zero)
{
    return zero == 0 && ascii != 0 && ascii < 0x80;
}

} // namespace

std::string StoredFileTextToUtf8(std::string bytes, const fw::Object* sender)
{
    const std::string_view view(bytes);
    if (StartsWith(view, "\xEF\xBB\xBF")) {
        return Utf8WithoutMark(std::move(bytes), sender);
    }
    if (StartsWith(view, std::string_view("\xFF\xFE\0\0", 4)) || StartsWith(view, std::string_view("\0\0\xFE\xFF", 4))) {
        throw TGenericException::CreateFromSender(
            "The file is saved as UTF-32, which cannot be read.\r\nSave it as UTF-8 or ANSI (Windows-1252).", nullptr,
            sender, MethodName);
    }
    if (StartsWith(view, "\xFF\xFE")) {
        return Utf16ToUtf8(view, 2, false, sender);
    }
    if (StartsWith(view, "\xFE\xFF")) {
        return Utf16ToUtf8(view, 2, true, sender);
    }
    if (view.size() >= 2) {
        const auto first = static_cast<unsigned char>(view[0]);
        const auto second = static_cast<unsigned char>(view[1]);
        if (IsAsciiBesideZero(first, second)) {
            return Utf16ToUtf8(view, 0, false, sender);
        }
        if (IsAsciiBesideZero(second, first)) {
            return Utf16ToUtf8(view, 0, true, sender);
        }
    }
    // A file of ASCII alone, as the program writes them, reads the same in UTF-8.
    if (fw::AsciiPrefixLength(view) != view.size()) {
        return fw::Windows1252ToUtf8(view);
    }
    return bytes;
}
