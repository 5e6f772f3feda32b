#pragma once

#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>

namespace fw {
class Object;
}
class TILXMLNode;

// Reading the values of pattern and font files. What the program opens it must write back
// whole: a value that would be read as something else than it says (a number that is no
// number, a count that disagrees with the entries it counts, a letter outside its set, a
// number outside its range) would open without a word and be changed by the next save. Such
// a value is refused as it is read, naming the element and the value; the loader adds the
// file. Every message reads "Invalid <what> (<value>) in <place>.\r\n<why>", where the place
// is "<Tag Attribute>" for an attribute and "<Tag>" for an element's own text.

// The bounds for a number that may be any whole number.
inline constexpr int LowestNumber = std::numeric_limits<int>::min();
inline constexpr int HighestNumber = std::numeric_limits<int>::max();

// "Tag Attribute", or "Tag" when the attribute is empty: how a message names a value's place.
std::string ValuePlace(const TILXMLNode& element, std::string_view attribute = {});

// Raises "Invalid <what> (<value>) in <place>.\r\n<why>" from the sender.
[[noreturn]] void RaiseInvalidValue(std::string_view what, std::string_view value, const std::string& place,
                                    const std::string& why, const fw::Object* sender, const std::string& method);

// Whether the element has the attribute at all (an empty value counts as given).
bool HasAttribute(const TILXMLNode& element, std::string_view attribute);

// A whole number given as text at the place; outside minimum..maximum, or no number at all,
// it raises:
//   "Invalid number (<text>) in <place>.\r\nA whole number is expected."
//   "Invalid number (<text>) in <place>.\r\nThe number is at least <minimum>." (or at most,
//   or between minimum and maximum)
int ReadNumberText(std::string_view text, const std::string& place, int minimum, int maximum,
                   const fw::Object* sender, const std::string& method);

// The same for an attribute of the element, and for the text of its direct child; the
// default when the attribute or the child is absent.
int ReadAttributeNumber(const TILXMLNode& element, std::string_view attribute, int defaultValue, int minimum,
                        int maximum, const fw::Object* sender, const std::string& method);
int ReadChildNumber(const TILXMLNode& element, std::string_view tag, int defaultValue, int minimum, int maximum,
                    const fw::Object* sender, const std::string& method);

// A list's "Count" attribute (a count or size as ReadFileCount reads it) that must name as
// many entries as the element holds: the readers take the first Count children, and a save
// writes only those. Raises
//   "Invalid count (<count>) in <Tag Count>.\r\nThe list holds <children> entries."
int ReadListCount(const TILXMLNode& element, const fw::Object* sender, const std::string& method);

// The same for a count that the reader does not use, for it reads every child: a count that
// is given must still agree, else the save would change it.
void CheckListCount(const TILXMLNode& element, const fw::Object* sender, const std::string& method);

// The index of the text among the letters (compared without regard to case), which are the
// only texts the place may hold; raises
//   "Invalid letter (<text>) in <place>.\r\nThe letters allowed are A, B or C."
int ReadLetterText(std::string_view text, std::span<const std::string_view> letters, const std::string& place,
                   const fw::Object* sender, const std::string& method);
inline int ReadLetterText(std::string_view text, std::initializer_list<std::string_view> letters,
                          const std::string& place, const fw::Object* sender, const std::string& method)
{
    return ReadLetterText(text, std::span(letters.begin(), letters.size()), place, sender, method);
}

// A yes-or-no attribute: "Yes", "Y", "True", "T", "1" or "-1" is true, "No", "N", "False",
// "F" or "0" false (any case), absent the default; anything else raises as a letter does.
bool ReadFlagAttribute(const TILXMLNode& element, std::string_view attribute, bool defaultValue,
                       const fw::Object* sender, const std::string& method);
