#include <string>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/encoding.h"
#include "framework/core/strings.h"

namespace {

bool nameCheckOn = true;

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsNameChar(char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}

// The whole character at the position, also when it takes several UTF-8 bytes.
std::string CharacterAt(std::string_view text, std::size_t pos)
{
    std::size_t end = pos;
    fw::DecodeUtf8(text, end);
    return std::string(text.substr(pos, end - pos));
}

// The reason a name is refused, empty when it passes. The prefix keeps its colon.
std::string CheckPart(std::string_view part, bool isPrefix)
{
    const char* subject = isPrefix ? "Namespace" : "Name";
    if (part.substr(0, 3) == "XML") {
        return std::string(subject) + " may not start with uppercase 'XML'.";
    }
    if (!IsAsciiLetter(part[0]) && part[0] != '_') {
        return std::string(subject) + " must begin with a letter or an underscore.";
    }
    for (std::size_t i = 1; i < part.size(); ++i) {
        const char c = part[i];
        if (!IsNameChar(c) && !(isPrefix && c == ':')) {
            return std::string(subject) + " contains invalid character: " + CharacterAt(part, i);
        }
    }
    return {};
}

std::string NameFault(std::string_view name)
{
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos) {
        return CheckPart(name, false);
    }
    if (colon == 0 || colon == name.size() - 1) {
        return "Initial or trailing colon not allowed in a namespace definition.";
    }
    if (name.find(':', colon + 1) != std::string_view::npos) {
        return "More than one colon not allowed in a namespace definition.";
    }
    std::string fault = CheckPart(name.substr(0, colon + 1), true);
    return fault.empty() ? CheckPart(name.substr(colon + 1), false) : fault;
}

} // namespace

bool XMLNameCheck()
{
    return nameCheckOn;
}

void SetXMLNameCheck(bool on)
{
    nameCheckOn = on;
}

void ValidateXMLTag(std::string_view name, bool isAttribute, bool force)
{
    if (!nameCheckOn && !force) {
        return;
    }
    const std::string trimmed = fw::Trim(name);
    if (trimmed.empty()) {
        return;
    }
    const std::string fault = NameFault(trimmed);
    if (fault.empty()) {
        return;
    }
    const fw::Exception reason(fault);
    const std::string what = isAttribute ? "Attribute Name" : "Node Tag";
    throw TGenericException("Invalid " + what + " <" + std::string(name) + ">:", &reason, "", "ValidateXMLTag");
}
