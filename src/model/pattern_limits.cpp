#include "model/pattern_limits.h"

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/file_values.h"

namespace {

// The count given as text at the place: 0 when nothing is given.
int ReadCountText(std::string_view text, bool given, const std::string& place, const fw::Object* sender,
                  const std::string& method)
{
    if (!given) {
        return 0;
    }
    int value = 0;
    // One that is no number would read as 0, and the save would then drop what it counted.
    if (!fw::TryStrToInt(text, value)) {
        RaiseInvalidValue("count or size", text, place, "A count or size is a whole number.", sender, method);
    }
    if (value < 0) {
        RaiseInvalidValue("count or size", fw::IntToStr(value), place, "A count or size is never negative.", sender,
                          method);
    }
    return value;
}

} // namespace

std::string PatternWidthText(std::int64_t cards)
{
    return "Invalid pattern width (" + std::to_string(cards) + ").\r\nA pattern has at most "
           + fw::IntToStr(MaxPatternCards) + " cards.";
}

void CheckPatternWidth(std::int64_t cards, const fw::Object* sender, const std::string& method)
{
    if (cards > MaxPatternCards) {
        throw TGenericException::CreateFromSender(PatternWidthText(cards), nullptr, sender, method);
    }
}

std::string PatternCellsText(std::int64_t width, std::int64_t length, std::int64_t limit)
{
    return "Pattern too large (" + std::to_string(width) + " x " + std::to_string(length)
           + " cells).\r\nA pattern has at most " + std::to_string(limit) + " cells.";
}

bool DesignCellsFit(std::int64_t width, std::int64_t length)
{
    // Divided rather than multiplied, so that no pair of sizes overflows.
    if (width <= 0 || length <= 0) {
        return true;
    }
    return width <= MaxDesignCells / length;
}

void CheckDesignCells(std::int64_t width, std::int64_t length, const fw::Object* sender, const std::string& method)
{
    if (!DesignCellsFit(width, length)) {
        throw TGenericException::CreateFromSender(PatternCellsText(width, length, MaxDesignCells), nullptr, sender,
                                                  method);
    }
}

int ReadFileCount(const TILXMLNode& element, std::string_view attribute, const fw::Object* sender,
                  const std::string& method)
{
    return ReadCountText(element.AttributeValue(attribute), HasAttribute(element, attribute),
                         std::string(element.Tag()) + " " + std::string(attribute), sender, method);
}

int ReadChildCount(const TILXMLNode& element, std::string_view tag, int defaultValue, const fw::Object* sender,
                   const std::string& method)
{
    const TILXMLNode* child = element.FindChild(tag);
    if (child == nullptr) {
        return defaultValue;
    }
    return ReadCountText(child->Value(), true, std::string(tag), sender, method);
}

std::string FileNameLine(const std::string& fileName)
{
    return "\r\nFilename: " + fileName;
}

void NameFileInError(TGenericException& error, const std::string& fileName)
{
    const std::string line = FileNameLine(fileName);
    std::string message = error.Message();
    TGenericExceptionInfo* first = error.GetInfo(0);
    if (first != nullptr && message.starts_with(first->Message)) {
        message.insert(first->Message.size(), line);
        first->Message += line;
    } else {
        message += line;
    }
    error.SetMessage(std::move(message));
}
