#include "model/card_list.h"

#include <algorithm>
#include <memory>

#include "foundation/xml_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/file_values.h"
#include "model/pattern_limits.h"

fw::Object* TTWCardList::CreateItemLike(const fw::Object* item) const
{
    if (auto* card = dynamic_cast<const TTWCardBase*>(item)) {
        if (TTWCardFactory factory = CardClassOf(card->GetHoleCount())) {
            return factory();
        }
    }
    return TEnhancedListOf<TTWCardBase>::CreateItemLike(item);
}

int TTWCardList::HoleCount() const
{
    return Count() > 0 ? Items(0)->GetHoleCount() : 4;
}

int TTWCardList::MaxHoleCount() const
{
    int largest = -1;
    for (fw::Object* item : *this) {
        largest = std::max(largest, static_cast<TTWCardBase*>(item)->GetHoleCount());
    }
    return largest;
}

void TTWCardList::ResetAll()
{
    for (fw::Object* item : *this) {
        static_cast<TTWCardBase*>(item)->Reset();
    }
}

void TTWCardList::ReplaceColour(int oldColour, int newColour)
{
    for (fw::Object* item : *this) {
        static_cast<TTWCardBase*>(item)->ReplaceColour(oldColour, newColour);
    }
}

void TTWCardList::SwapColours(int colour1, int colour2)
{
    for (fw::Object* item : *this) {
        static_cast<TTWCardBase*>(item)->SwapColours(colour1, colour2);
    }
}

TILXMLNode* TTWCardList::WriteToXML(TILXMLNode* parent, std::string_view tag, bool withState) const
{
    TILXMLNode* element = parent->AddChild(tag.empty() ? std::string_view("Cards") : tag);
    element->AddAttribute("Count", fw::IntToStr(Count()));
    for (int i = 0; i < Count(); ++i) {
        Items(i)->WriteToXML(element, i + 1, withState);
    }
    return element;
}

void TTWCardList::ReadFromXML(const TILXMLNode* element)
{
    Clear();
    if (element == nullptr) {
        return;
    }
    // The cards are the children, as many as "Count" says, and no list is ever wider than a
    // pattern may be.
    const int count = ReadFileCount(*element, "Count", this, "ReadFromXML");
    CheckPatternWidth(count, this, "ReadFromXML");
    ReadListCount(*element, this, "ReadFromXML");
    for (int i = 0; i < count; ++i) {
        const TILXMLNode* child = element->GetChild(i);
        const int holes = ReadAttributeNumber(*child, "Holes", 0, LowestNumber, HighestNumber, this, "ExtractXML");
        std::unique_ptr<TTWCardBase> card = CreateCard(holes);
        if (!card) {
            throw TXMLException::CreateXML("No class for " + fw::IntToStr(holes) + "-hole cards has been defined.\r\n"
                                               + "A card has " + fw::IntToStr(MinCardHoles) + " to "
                                               + fw::IntToStr(MaxCardHoles) + " holes.",
                                           nullptr, this, "ExtractXML", element, element->Tree());
        }
        TTWCardBase* added = card.get();
        Add(card.release());
        added->ReadFromXML(child);
    }
}
