#include "foundation/xml_attribute_split.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "framework/core/strings.h"

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && fw::IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && fw::IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Collects the attributes into the caller's list and counts them.
class Collector {
public:
    Collector(TILXMLRawAttribute* attributes, std::size_t capacity) : attributes_(attributes), capacity_(capacity) {}

    void Add(std::string_view name, std::string_view value, bool mayHoldReference)
    {
        if (count_ < capacity_) {
            // The list may be raw memory: the attribute is made in its place.
            new (&attributes_[count_]) TILXMLRawAttribute{Trimmed(name), value, mayHoldReference};
        }
        ++count_;
    }
    std::size_t Count() const { return count_; }

private:
    TILXMLRawAttribute* attributes_;
    std::size_t capacity_;
    std::size_t count_ = 0;
};

// Texts shorter than this are split with one bit per character.
constexpr std::size_t MaskWidth = 64;

// For each kind of character the split looks for, a bit for every place that holds one.
struct CharacterMasks {
    std::uint64_t doubleQuote = 0;
    std::uint64_t singleQuote = 0;
    std::uint64_t equals = 0;
    std::uint64_t ampersand = 0;
    std::uint64_t blank = 0;
};

// The text is copied into a zeroed window first: nothing beyond its end is read, and the zeros
// match none of the characters looked for.
CharacterMasks MasksOf(std::string_view text, char (&window)[MaskWidth])
{
    std::memcpy(window, text.data(), text.size());
    std::memset(window + text.size(), 0, MaskWidth - text.size());
    CharacterMasks masks;
#if defined(__SSE2__)
    for (std::size_t block = 0; block < MaskWidth / 16; ++block) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window + 16 * block));
        const auto bitsOf = [&bytes, block](char c) {
            const int bits = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
            return static_cast<std::uint64_t>(static_cast<std::uint16_t>(bits)) << (16 * block);
        };
        masks.doubleQuote |= bitsOf('"');
        masks.singleQuote |= bitsOf('\'');
        masks.equals |= bitsOf('=');
        masks.ampersand |= bitsOf('&');
        masks.blank |= bitsOf(' ');
    }
#else
    for (std::size_t i = 0; i < MaskWidth; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        masks.doubleQuote |= window[i] == '"' ? bit : 0;
        masks.singleQuote |= window[i] == '\'' ? bit : 0;
        masks.equals |= window[i] == '=' ? bit : 0;
        masks.ampersand |= window[i] == '&' ? bit : 0;
        masks.blank |= window[i] == ' ' ? bit : 0;
    }
#endif
    return masks;
}

// The bits of the places from the first up to, not including, the end; both below MaskWidth.
std::uint64_t Places(std::size_t first, std::size_t end)
{
    return ((std::uint64_t{1} << end) - 1) & ~((std::uint64_t{1} << first) - 1);
}

// A start tag is split into its attributes for every element read. With a bit for each place
// of the few characters that matter, the pieces and their "=" are found by counting bits
// instead of testing every character, which a processor cannot predict and pays for dearly.
std::size_t SplitByMasks(std::string_view rest, Collector& collector)
{
    char window[MaskWidth];
    const CharacterMasks masks = MasksOf(rest, window);
    if (masks.equals == 0) {
        return 0;
    }
    const auto firstEquals = static_cast<std::size_t>(std::countr_zero(masks.equals));
    const std::uint64_t quotesAfter = (masks.doubleQuote | masks.singleQuote) & ~Places(0, firstEquals + 1);
    const char quote = quotesAfter != 0 ? window[std::countr_zero(quotesAfter)] : '"';
    const std::uint64_t quotes = quote == '"' ? masks.doubleQuote : masks.singleQuote;
    // A quote followed by a blank ends a piece; the zeros after the text are no blank.
    std::uint64_t ends = quotes & (masks.blank >> 1);
    std::size_t pieceStart = 0;
    while (true) {
        const std::size_t pieceEnd = ends != 0 ? static_cast<std::size_t>(std::countr_zero(ends)) : rest.size();
        ends &= ends - 1;
        const std::uint64_t equalsInPiece = masks.equals & Places(pieceStart, pieceEnd);
        if (equalsInPiece != 0) {
            const auto pieceEquals = static_cast<std::size_t>(std::countr_zero(equalsInPiece));
            if (pieceEquals + 1 < pieceEnd) {
                std::size_t valueStart = pieceEquals + 1;
                std::size_t valueEnd = pieceEnd;
                if (window[valueStart] == quote) {
                    ++valueStart;
                }
                if (valueEnd > valueStart && window[valueEnd - 1] == quote) {
                    --valueEnd;
                }
                collector.Add(rest.substr(pieceStart, pieceEquals - pieceStart),
                              rest.substr(valueStart, valueEnd - valueStart),
                              (masks.ampersand & Places(valueStart, valueEnd)) != 0);
            }
        }
        if (pieceEnd == rest.size()) {
            return collector.Count();
        }
        // Past the quote and the blank: neither can end the next piece.
        pieceStart = pieceEnd + 2;
    }
}

std::size_t SplitByCharacter(std::string_view rest, Collector& collector)
{
    const char* const begin = rest.data();
    const char* const end = begin + rest.size();
    const auto* equals = static_cast<const char*>(std::memchr(begin, '=', rest.size()));
    if (equals == nullptr) {
        return 0;
    }
    char quote = '"';
    for (const char* c = equals + 1; c < end; ++c) {
        if (*c == '"' || *c == '\'') {
            quote = *c;
            break;
        }
    }
    const char* pieceStart = begin;
    const char* pieceEquals = nullptr;
    for (const char* c = begin;; ++c) {
        const bool pieceEnds = c == end || (*c == quote && c + 1 < end && c[1] == ' ');
        if (!pieceEnds) {
            if (*c == '=' && pieceEquals == nullptr) {
                pieceEquals = c;
            }
            continue;
        }
        if (pieceEquals != nullptr && pieceEquals + 1 < c) {
            const char* valueStart = pieceEquals + 1;
            const char* valueEnd = c;
            if (*valueStart == quote) {
                ++valueStart;
            }
            if (valueEnd > valueStart && valueEnd[-1] == quote) {
                --valueEnd;
            }
            const std::string_view value(valueStart, static_cast<std::size_t>(valueEnd - valueStart));
            collector.Add(std::string_view(pieceStart, static_cast<std::size_t>(pieceEquals - pieceStart)), value,
                          value.find('&') != std::string_view::npos);
        }
        if (c == end) {
            return collector.Count();
        }
        // Past the quote and the blank.
        ++c;
        pieceStart = c + 1;
        pieceEquals = nullptr;
    }
}

// What each character is to the written form: one look-up a character instead of a row of
// comparisons.
enum : unsigned char { EndsName = 1, EndsValue = 2, Ampersand = 4 };

constexpr std::array<unsigned char, 256> WrittenFormClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c <= ' '; ++c) {
        classes[static_cast<std::size_t>(c)] |= EndsName;
    }
    classes[static_cast<unsigned char>('=')] |= EndsName;
    classes[static_cast<unsigned char>('"')] |= EndsName | EndsValue;
    classes[static_cast<unsigned char>('&')] |= Ampersand;
    return classes;
}();

unsigned char ClassOf(char c)
{
    return WrittenFormClasses[static_cast<unsigned char>(c)];
}

// The form the writer gives every start tag: name="value" pairs one blank apart, each name
// free of blanks, double quotes and "=", each value free of double quotes and not beginning with a
// blank. There the double quote is the quote, every closing quote but the last ends a piece
// and the pieces are the pairs, so the general split would find just these attributes; any
// other text answers false, with the list left for the general split to fill. One pass over
// the characters, without the masks' set-up that a short tag pays for.
bool SplitWrittenForm(std::string_view rest, TILXMLRawAttribute* attributes, std::size_t capacity,
                      std::size_t& count)
{
    count = 0;
    const char* c = rest.data();
    const char* const end = c + rest.size();
    while (true) {
        const char* const name = c;
        while (c < end && (ClassOf(*c) & EndsName) == 0) {
            ++c;
        }
        if (c == name || end - c < 2 || c[0] != '=' || c[1] != '"') {
            return false;
        }
        const char* const nameEnd = c;
        const char* const value = c + 2;
        c = value;
        if (c < end && *c == ' ') {
            return false;
        }
        unsigned char seen = 0;
        while (c < end && (ClassOf(*c) & EndsValue) == 0) {
            seen |= ClassOf(*c);
            ++c;
        }
        if (c == end) {
            return false;
        }
        // Names of the written form hold no blank: there is nothing to trim.
        if (count < capacity) {
            const std::string_view nameText(name, static_cast<std::size_t>(nameEnd - name));
            const std::string_view valueText(value, static_cast<std::size_t>(c - value));
            new (&attributes[count]) TILXMLRawAttribute{nameText, valueText, (seen & Ampersand) != 0};
        }
        ++count;
        ++c;
        if (c == end) {
            return true;
        }
        if (*c != ' ' || end - c < 2 || fw::IsBlank(c[1])) {
            return false;
        }
        ++c;
    }
}

} // namespace

std::size_t SplitXMLAttributes(std::string_view rest, TILXMLRawAttribute* attributes, std::size_t capacity)
{
    std::size_t count = 0;
    if (SplitWrittenForm(rest, attributes, capacity, count)) {
        return count;
    }
    Collector collector(attributes, capacity);
    return rest.size() < MaskWidth ? SplitByMasks(rest, collector) : SplitByCharacter(rest, collector);
}

std::size_t SplitXMLAttributesByCharacter(std::string_view rest, TILXMLRawAttribute* attributes,
                                          std::size_t capacity)
{
    Collector collector(attributes, capacity);
    return SplitByCharacter(rest, collector);
}
