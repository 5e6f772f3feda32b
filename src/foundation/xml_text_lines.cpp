#include <algorithm>
#include <string>
#include <vector>

#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"

TILXMLNode* TILXMLNode::WriteTextLines(std::string_view tag, std::string_view text, std::string_view prefix)
{
    TILXMLNode* holder = AddChild(tag, true);
    fw::StringList lines;
    lines.SetText(text);
    for (int i = 0; i < lines.Count(); ++i) {
        holder->AddChildValue(std::string(prefix) + fw::IntToStr(i + 1), EncodeXMLText(lines.Strings(i)), true);
    }
    return holder;
}

std::string TILXMLNode::ReadTextLines(std::string_view tag, std::string_view prefix) const
{
    const TILXMLNode* holder = this;
    if (!tag.empty()) {
        holder = FindTag(tag, false, true, false);
        if (holder == nullptr) {
            return {};
        }
    }
    // Lines are ordered by their numbers as eight-wide texts, so that numbers of up to eight
    // digits sort numerically; of two lines with one number the first is kept.
    std::vector<std::pair<std::string, const TILXMLNode*>> numbered;
    for (const TILXMLNode* child : holder->Children()) {
        const std::string_view childTag = child->Tag();
        if (!childTag.starts_with(prefix)) {
            continue;
        }
        const std::string_view digits = childTag.substr(prefix.size(), 255);
        const int number = fw::StrToIntDef(digits, -1);
        if (number < 0) {
            continue;
        }
        numbered.emplace_back(fw::Format("%8d", {number}), child);
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    numbered.erase(std::unique(numbered.begin(), numbered.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }),
                   numbered.end());
    std::string text;
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += DecodeXMLText(numbered[i].second->Value());
    }
    return text;
}
