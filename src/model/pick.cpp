#include "model/pick.h"

#include <algorithm>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/list.h"
#include "framework/core/strings.h"

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

TTWPickList::~TTWPickList()
{
    Clear();
}

void TTWPickList::Assign(const fw::Persistent* source)
{
    if (auto* list = dynamic_cast<const TTWPickList*>(source)) {
        if (list != this) {
            Clear();
            for (const auto& pick : list->picks_) {
                Add()->Assign(pick.get());
            }
        }
        return;
    }
    fw::Persistent::Assign(source);
}

TTWPick* TTWPickList::Items(int index) const
{
    if (index < 0 || index >= Count()) {
        fw::RaiseListIndexError(index);
    }
    return picks_[static_cast<std::size_t>(index)].get();
}

TTWPick* TTWPickList::GetPick(int index) const
{
    return index >= 0 && index < Count() ? picks_[static_cast<std::size_t>(index)].get() : nullptr;
}

void TTWPickList::CheckRoom() const
{
    if (Count() >= MaxPicks) {
        throw TGenericException::CreateFromSender("Too many picks.\r\nA band holds at most "
                                                      + fw::IntToStr(MaxPicks) + " picks.",
                                                  nullptr, this, "Add");
    }
}

TTWPick* TTWPickList::Add()
{
    return Insert(Count());
}

TTWPick* TTWPickList::Insert(int index)
{
    if (index < 0 || index > Count()) {
        fw::RaiseListIndexError(index);
    }
    CheckRoom();
    auto pick = std::make_unique<TTWPick>();
    pick->collection_ = this;
    TTWPick* added = pick.get();
    picks_.insert(picks_.begin() + index, std::move(pick));
    Renumber(index);
    return added;
}

void TTWPickList::Delete(int index)
{
    Items(index);
    picks_.erase(picks_.begin() + index);
    Renumber(index);
}

void TTWPickList::Clear()
{
    // The newest first, as the picks were made.
    while (!picks_.empty()) {
        picks_.pop_back();
    }
}

void TTWPickList::Move(int currentIndex, int newIndex)
{
    Items(currentIndex);
    Items(newIndex);
    if (currentIndex == newIndex) {
        return;
    }
    std::unique_ptr<TTWPick> pick = std::move(picks_[static_cast<std::size_t>(currentIndex)]);
    picks_.erase(picks_.begin() + currentIndex);
    picks_.insert(picks_.begin() + newIndex, std::move(pick));
    Renumber(std::min(currentIndex, newIndex));
}

TTWPick* TTWPickList::GetOrGrowPick(int index)
{
    if (index < 0) {
        return nullptr;
    }
    if (index >= MaxPicks) {
        CheckRoom();
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

void TTWPickList::Renumber(int from)
{
    for (int i = std::max(from, 0); i < Count(); ++i) {
        picks_[static_cast<std::size_t>(i)]->index_ = i;
    }
}

bool TTWPickList::HasPackAction() const
{
    return std::any_of(picks_.begin(), picks_.end(), [](const auto& pick) { return pick->Actions().HasPackAction(); });
}

bool TTWPickList::HasCardAction() const
{
    return std::any_of(picks_.begin(), picks_.end(), [](const auto& pick) { return pick->Actions().HasCardAction(); });
}

bool TTWPickList::HasTwist() const
{
    return std::any_of(picks_.begin(), picks_.end(), [](const auto& pick) { return pick->Actions().HasTwist(); });
}

void TTWPickList::ExpandPackActions(const TTWPackList* packs)
{
    for (const auto& pick : picks_) {
        pick->Actions().ExpandPackActions(packs);
    }
}

void TTWPickList::RenamePack(std::string_view oldName, std::string_view newName)
{
    for (const auto& pick : picks_) {
        pick->Actions().RenamePack(oldName, newName);
    }
}

TILXMLNode* TTWPickList::WriteToXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag.empty() ? std::string_view("Picks") : tag);
    element->AddAttribute("Count", fw::IntToStr(Count()));
    for (const auto& pick : picks_) {
        pick->WriteToXML(element);
    }
    return element;
}

void TTWPickList::ReadFromXML(const TILXMLNode* element)
{
    Clear();
    if (element == nullptr) {
        return;
    }
    const int listed = std::clamp(fw::StrToIntDef(element->GetAttribute("Count"), 0), 0, element->ChildCount());
    for (int i = 0; i < listed; ++i) {
        Add()->ReadFromXML(element->GetChild(i));
    }
}
