#pragma once

#include <cstddef>
#include <string_view>

// How the reader cuts the attributes out of a start tag. The text after the tag name is split
// at every quote followed by a blank, the quote being the first one (double or single) met
// after the first "="; a double quote when there is none. Each piece with a "=" that is not
// its last character is one attribute: the name before its first "=", trimmed, and the value
// after it without one quote at either end. Pieces without such a "=" are passed over.

// An attribute as it lies in the tag text; the views point into that text.
struct TILXMLRawAttribute {
    std::string_view name;
    std::string_view value;
    // False only when the value holds no "&", so that there is nothing to decode.
    bool mayHoldReference = false;
};

// Writes the first attributes, up to the capacity, to the list and returns how many there are
// in all. The list may be raw memory for that many attributes: each is made in its place.
std::size_t SplitXMLAttributes(std::string_view rest, TILXMLRawAttribute* attributes, std::size_t capacity);

// The same, walking the text one character at a time: what SplitXMLAttributes does for texts
// too long for its masks.
std::size_t SplitXMLAttributesByCharacter(std::string_view rest, TILXMLRawAttribute* attributes,
                                          std::size_t capacity);
