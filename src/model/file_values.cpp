#include "model/file_values.h"

#include <array>
#include <limits>
#include <string>

#include "foundation/generic_exception.h"
#include "foundation/string_utils.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/pattern_limits.h"

namespace {

std::string RangeText(int minimum, int maximum)
{
    constexpr int Lowest = std::numeric_limits<int>::min();
    constexpr int Highest = std::numeric_limits<int>::max();
    if (maximum == Highest) {
        return "The number is at least " + fw::IntToStr(minimum) + ".";
    }
    if (minimum == Lowest) {
        return "The number is at most " + fw::IntToStr(maximum) + ".";
    }
    return "The number is between " + fw::IntToStr(minimum) + " and " + fw::IntToStr(maximum) + ".";
}

} // namespace

std::string ValuePlace(const TILXMLNode& element, std::string_view attribute)
{
    std::string place(element.Tag());
    if (!attribute.empty()) {
        place += ' ';
        place += attribute;
    }
    return place;
}

void RaiseInvalidValue(std::string_view what, std::string_view value, const std::string& place,
                       const std::string& why, const fw::Object* sender, const std::string& method)
{
    throw TGenericException::CreateFromSender("Invalid " + std::string(what) + " (" + std::string(value) + ") in <"
                                                  + place + ">.\r\n" + why,
                                              nullptr, sender, method);
}

bool HasAttribute(const TILXMLNode& element, std::string_view attribute)
{
    for (const TILXMLAttribute& given : element.Attributes()) {
        if (given.Name == attribute) {
            return true;
        }
    }
    return false;
}

int ReadNumberText(std::string_view text, const std::string& place, int minimum, int maximum,
                   const fw::Object* sender, const std::string& method)
{
    int value = 0;
    if (!fw::TryStrToInt(text, value)) {
        RaiseInvalidValue("number", text, place, "A whole number is expected.", sender, method);
    }
    if (value < minimum || value > maximum) {
        RaiseInvalidValue("number", text, place, RangeText(minimum, maximum), sender, method);
    }
    return value;
}

int ReadAttributeNumber(const TILXMLNode& element, std::string_view attribute, int defaultValue, int minimum,
                        int maximum, const fw::Object* sender, const std::string& method)
{
    if (!HasAttribute(element, attribute)) {
        return defaultValue;
    }
    return ReadNumberText(element.AttributeValue(attribute), ValuePlace(element, attribute), minimum, maximum,
                          sender, method);
}

int ReadChildNumber(const TILXMLNode& element, std::string_view tag, int defaultValue, int minimum, int maximum,
                    const fw::Object* sender, const std::string& method)
{
    const TILXMLNode* child = element.FindChild(tag);
    if (child == nullptr) {
        return defaultValue;
    }
    return ReadNumberText(child->Value(), std::string(tag), minimum, maximum, sender, method);
}

int ReadListCount(const TILXMLNode& element, const fw::Object* sender, const std::string& method)
{
    const int count = ReadFileCount(element, "Count", sender, method);
    if (count != element.ChildCount()) {
        RaiseInvalidValue("count", fw::IntToStr(count), ValuePlace(element, "Count"),
                          "The list holds " + fw::IntToStr(element.ChildCount()) + " entries.", sender, method);
    }
    return count;
}

void CheckListCount(const TILXMLNode& element, const fw::Object* sender, const std::string& method)
{
    if (HasAttribute(element, "Count")) {
        ReadListCount(element, sender, method);
    }
}

int ReadLetterText(std::string_view text, std::span<const std::string_view> letters, const std::string& place,
                   const fw::Object* sender, const std::string& method)
{
    int index = 0;
    std::string allowed;
    for (std::string_view letter : letters) {
        if (fw::SameText(text, letter)) {
            return index;
        }
        if (index > 0) {
            allowed += index + 1 == static_cast<int>(letters.size()) ? " or " : ", ";
        }
        allowed += letter.empty() ? std::string("nothing") : std::string(letter);
        ++index;
    }
    RaiseInvalidValue("letter", text, place, "The letters allowed are " + allowed + ".", sender, method);
}

bool ReadFlagAttribute(const TILXMLNode& element, std::string_view attribute, bool defaultValue,
                       const fw::Object* sender, const std::string& method)
{
    if (!HasAttribute(element, attribute)) {
        return defaultValue;
    }
    const std::string_view text = element.AttributeValue(attribute);
    if (StrToBoolText(text)) {
        return true;
    }
    static constexpr std::array<std::string_view, 5> No = {"No", "N", "False", "F", "0"};
    for (std::string_view candidate : No) {
        if (fw::SameText(text, candidate)) {
            return false;
        }
    }
    RaiseInvalidValue("value", text, ValuePlace(element, attribute), "The values allowed are Yes or No.", sender,
                      method);
}
