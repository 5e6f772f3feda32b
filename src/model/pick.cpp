#include "model/pick.h"

#include <algorithm>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/list.h"
#include "framework/core/strings.h"
#include "model/file_values.h"
#include "model/pattern_limits.h"

void TTWPick::Assign(const fw::Persistent* source)
{
    if (auto* pick = dynamic_cast<const TTWPick*>(source)) {
        if (pick != this) {
            actions_.Assign(pick->actions_);
        }
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWPick::SetIndex(int index)
{
    if (collection_ != nullptr) {
        collection_->Move(index_, index);
    }
}

TILXMLNode* TTWPick::WriteToXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Pick");
    element->AddAttribute("Index", fw::IntToStr(index_));
    actions_.WriteToXML(element, "Actions");
    return element;
}

void TTWPick::ReadFromXML(const TILXMLNode* element)
{
    actions_.ReadFromXML(element->FindChild("Actions"));
}

void TTWPickList::Assign(const fw::Persistent* source)
{
    if (auto* list = dynamic_cast<const TTWPickList*>(source)) {
        AssignItems(*list);
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWPickList::CheckRoom() const
{
    if (Count() >= MaxPicks) {
        RaiseTooManyPicks(static_cast<std::int64_t>(Count()) + 1, "Add");
    }
}

void TTWPickList::RaiseTooManyPicks(std::int64_t picks, const std::string& method) const
{
    throw TGenericException::CreateFromSender("Too many picks (" + fw::IntToStr(picks)
                                                  + ").\r\nA band holds at most " + fw::IntToStr(MaxPicks) + " picks.",
                                              nullptr, this, method);
}

TTWPick* TTWPickList::GetOrGrowPick(int index)
{
    if (index < 0) {
        return nullptr;
    }
    if (index >= MaxPicks) {
        if (Count() >= MaxPicks) {
            RaiseTooManyPicks(static_cast<std::int64_t>(index) + 1, "GetOrGrowPick");
        }
        throw TGenericException::CreateFromSender("Pick index (" + fw::IntToStr(index)
                                                      + ") is beyond the largest band of " + fw::IntToStr(MaxPicks)
                                                      + " picks.",
                                                  nullptr, this, "GetOrGrowPick");
    }
    while (Count() <= index) {
        Add();
    }
    return GetPick(index);
}

bool TTWPickList::HasPackAction() const
{
    return std::any_of(items_.begin(), items_.end(), [](const auto& pick) { return pick->Actions().HasPackAction(); });
}

bool TTWPickList::HasCardAction() const
{
    return std::any_of(items_.begin(), items_.end(), [](const auto& pick) { return pick->Actions().HasCardAction(); });
}

bool TTWPickList::HasTwist() const
{
    return std::any_of(items_.begin(), items_.end(), [](const auto& pick) { return pick->Actions().HasTwist(); });
}

void TTWPickList::ExpandPackActions(const TTWPackList* packs)
{
    for (const auto& pick : items_) {
        pick->Actions().ExpandPackActions(packs);
    }
}

void TTWPickList::RenamePack(std::string_view oldName, std::string_view newName)
{
    for (const auto& pick : items_) {
        pick->Actions().RenamePack(oldName, newName);
    }
}

TILXMLNode* TTWPickList::WriteToXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag.empty() ? std::string_view("Picks") : tag);
    element->AddAttribute("Count", fw::IntToStr(Count()));
    // A long band's picks are most of its file: a document being saved makes them as it
    // writes them.
    element->AddChildrenWhenWritten(Count(), [this](TILXMLNode& picks, int index) {
        items_[static_cast<std::size_t>(index)]->WriteToXML(&picks);
    });
    return element;
}

void TTWPickList::ReadFromXML(const TILXMLNode* element)
{
    Clear();
    if (element == nullptr) {
        return;
    }
    const int listed = ReadListCount(*element, this, "ReadFromXML");
    if (listed > MaxPicks) {
        RaiseTooManyPicks(listed, "ReadFromXML");
    }
    for (int i = 0; i < listed; ++i) {
        Add()->ReadFromXML(element->GetChild(i));
    }
}

int FirstDifferentPick(const TTWPickList& woven, const TTWPickList& picks)
{
    const int common = std::min(woven.Count(), picks.Count());
    for (int index = 0; index < common; ++index) {
        const TTWActionList& before = woven.Items(index)->Actions();
        const TTWActionList& now = picks.Items(index)->Actions();
        if (before.Count() != now.Count()) {
            return index + 1;
        }
        for (int a = 0; a < now.Count(); ++a) {
            if (!before.Items(a)->SameAs(*now.Items(a))) {
                return index + 1;
            }
        }
    }
    // Lists alike up to the shorter one differ just after it; lists alike throughout, one past the end.
    return common + 1;
}
