#include "foundation/xml_text.h"

#include <charconv>

#include "framework/core/encoding.h"

namespace {

// The number a reference carries for a code point: the Windows-1252 byte when there is
// one, else the Unicode number.
std::uint32_t ReferenceCode(char32_t codePoint)
{
    unsigned char byte = 0;
    if (codePoint >= 0x80 && fw::UnicodeToWindows1252(codePoint, byte)) {
        return byte;
    }
    return static_cast<std::uint32_t>(codePoint);
}

void AppendReference(std::string& out, std::uint32_t code)
{
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, code);
    out += "&#";
    out.append(digits, result.ptr);
    out += ';';
}

template <class NeedsReference>
std::string Encode(std::string_view text, NeedsReference needsReference)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            ++pos;
            if (byte < 32 || needsReference(static_cast<char>(byte))) {
                AppendReference(out, byte);
            } else {
                out += static_cast<char>(byte);
            }
            continue;
        }
        AppendReference(out, ReferenceCode(fw::DecodeUtf8(text, pos)));
    }
    return out;
}

bool IsValidCodePoint(std::uint32_t code)
{
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// A reference's number names a Windows-1252 byte up to 255 and a Unicode character above.
void AppendReferencedCharacter(std::string& out, std::uint32_t code)
{
    if (code <= 0xFF) {
        fw::AppendUtf8(out, fw::Windows1252ToUnicode(static_cast<unsigned char>(code)));
    } else {
        fw::AppendUtf8(out, static_cast<char32_t>(code));
    }
}

// The loop both decoders share: the text between references is copied as it is, and each
// "&#" is handed to readReference with the position after it; it appends what the reference
// stands for and answers where the text goes on.
template <class ReadReference>
std::string DecodeReferences(std::string_view text, ReadReference readReference)
{
    // Most texts hold no reference at all.
    if (text.find("&#") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t amp = text.find("&#", pos);
        if (amp == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, amp - pos));
        pos = readReference(out, amp + 2);
    }
    return out;
}

} // namespace

std::string EncodeXMLText(std::string_view text)
{
    return Encode(text, [](char c) { return c == '&' || c == '<' || c == '>' || c == '[' || c == ']'; });
}

std::string EncodeXMLAttribute(std::string_view value)
{
    // The reader splits attributes where a quote meets a blank: a value may not begin with one.
    std::string prefix;
    if (value.starts_with(' ')) {
        prefix = "&#32;";
        value.remove_prefix(1);
    }
    return prefix + Encode(value, [](char c) { return c == '&' || c == '<' || c == '>' || c == '"'; });
}

std::string DecodeXMLText(std::string_view text)
{
    return DecodeReferences(text, [text](std::string& out, std::size_t start) {
        std::size_t stop = text.find(';', start);
        if (stop == std::string_view::npos) {
            stop = text.size();
        }
        const std::string_view digits = text.substr(start, stop - start);
        std::uint32_t code = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
        const bool decimal = !digits.empty() && error == std::errc{} && end == digits.data() + digits.size();
        if (!decimal || !IsValidCodePoint(code)) {
            out += ' ';
        } else {
            AppendReferencedCharacter(out, code);
        }
        return stop < text.size() ? stop + 1 : stop;
    });
}

std::string EncodeCDataText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            ++pos;
            // A line break inside a section reads back as CR LF, so only whole CR LF pairs
            // may stand as they are; so may a tab.
            const bool lineBreak = byte == '\r' && pos < text.size() && text[pos] == '\n';
            const bool lineBreakEnd = byte == '\n' && pos >= 2 && text[pos - 2] == '\r';
            const bool control = byte < 32 && byte != '\t' && !lineBreak && !lineBreakEnd;
            if (control || (byte == '&' && pos < text.size() && text[pos] == '#')) {
                AppendReference(out, byte);
            } else {
                out += static_cast<char>(byte);
            }
            continue;
        }
        const std::size_t start = pos;
        const char32_t codePoint = fw::DecodeUtf8(text, pos);
        unsigned char windowsByte = 0;
        if (fw::UnicodeToWindows1252(codePoint, windowsByte)) {
            out.append(text.substr(start, pos - start));
        } else {
            AppendReference(out, codePoint > 0xFF ? static_cast<std::uint32_t>(codePoint) : 0xFFFD);
        }
    }
    return out;
}

std::string DecodeCDataText(std::string_view text)
{
    return DecodeReferences(text, [text](std::string& out, std::size_t start) {
        std::size_t stop = start;
        while (stop < text.size() && stop - start < 8 && text[stop] >= '0' && text[stop] <= '9') {
            ++stop;
        }
        std::uint32_t code = 0;
        const bool reference = stop > start && stop < text.size() && text[stop] == ';'
                               && std::from_chars(text.data() + start, text.data() + stop, code).ec == std::errc{}
                               && IsValidCodePoint(code);
        if (!reference) {
            out += "&#";
            return start;
        }
        AppendReferencedCharacter(out, code);
        return stop + 1;
    });
}
