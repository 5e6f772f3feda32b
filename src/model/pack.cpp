#include "model/pack.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"
#include "model/card_list.h"
#include "model/file_values.h"
#include "model/pattern_limits.h"
#include "model/range_text.h"

void TTWPack::Assign(const fw::Persistent* source)
{
    if (auto* pack = dynamic_cast<const TTWPack*>(source)) {
        Name = pack->Name;
        Comment = pack->Comment;
        cardList_ = pack->cardList_;
        members_ = pack->members_;
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWPack::SetSize(int size)
{
    if (size > MaxSize) {
        throw TGenericException::CreateFromSender("Invalid pack size " + fw::IntToStr(size)
                                                      + ".\r\nA pack holds at most " + fw::IntToStr(MaxSize)
                                                      + " cards.",
                                                  nullptr, this, "SetSize");
    }
    if (size < 1) {
        members_.clear();
        return;
    }
    members_.resize(static_cast<std::size_t>(size), 0);
}

int TTWPack::Member(int index) const
{
    if (index < 0 || index >= Size()) {
        return -1;
    }
    return members_[static_cast<std::size_t>(index)];
}

void TTWPack::SetMember(int index, int cardNumber)
{
    if (index >= 0 && index < Size()) {
        members_[static_cast<std::size_t>(index)] = cardNumber;
    }
}

void TTWPack::Turn(int direction, int distance)
{
    if (cardList_ == nullptr) {
        return;
    }
    for (int number : members_) {
        if (TTWCardBase* card = cardList_->GetCard(number - 1)) {
            card->Turn(direction, distance);
        }
    }
}

void TTWPack::Twist(int direction)
{
    if (cardList_ == nullptr) {
        return;
    }
    for (int number : members_) {
        if (TTWCardBase* card = cardList_->GetCard(number - 1)) {
            card->Twist(direction);
        }
    }
}

std::string TTWPack::RangeText(int offset, bool ascending) const
{
    const int cardCount = cardList_ != nullptr ? cardList_->Count() : 0;
    return CardRangeText(members_, cardCount, offset, ascending);
}

TILXMLNode* TTWPack::WriteToXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Pack");
    element->AddAttribute("Name", Name);
    element->AddChildText("Comment", Comment);
    element->AddChildValue("Size", fw::IntToStr(Size()));
    std::string cards;
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (i > 0) {
            cards += ',';
        }
        cards += fw::IntToStr(members_[i]);
    }
    element->AddChildValue("Cards", cards);
    return element;
}

void TTWPack::ReadFromXML(const TILXMLNode* element)
{
    Name = element->GetAttribute("Name");
    const TILXMLNode* comment = element->FindChild("Comment");
    Comment = comment != nullptr ? comment->Text() : std::string();
    SetSize(ReadChildCount(*element, "Size", 0, this, "ReadFromXML"));
    const TILXMLNode* cards = element->FindChild("Cards");
    fw::StringList pieces;
    pieces.SetCommaText(cards != nullptr ? cards->Value() : std::string());
    // The size counts the members listed: a member beyond it, or one left out, would be
    // changed by the next save. A member is any card number, as the pack keeps whatever
    // number it is given.
    if (pieces.Count() != Size()) {
        RaiseInvalidValue("count", fw::IntToStr(Size()), "Size",
                          "The pack lists " + fw::IntToStr(pieces.Count()) + " cards.", this, "ReadFromXML");
    }
    for (int i = 0; i < Size(); ++i) {
        members_[static_cast<std::size_t>(i)] =
            ReadNumberText(pieces.Strings(i), "Cards", LowestNumber, HighestNumber, this, "ReadFromXML");
    }
}

TTWPackList::TTWPackList() : TEnhancedListOf<TTWPack>(ListOwnership::Owning)
{
    SetOnCompare([](fw::Object* item1, fw::Object* item2) {
        return fw::CompareText(static_cast<TTWPack*>(item1)->Name, static_cast<TTWPack*>(item2)->Name);
    });
}

void TTWPackList::SetCardList(TTWCardList* cardList)
{
    for (fw::Object* item : *this) {
        static_cast<TTWPack*>(item)->SetCardList(cardList);
    }
}

TTWPack* TTWPackList::FindByName(std::string_view name) const
{
    for (fw::Object* item : *this) {
        auto* pack = static_cast<TTWPack*>(item);
        if (fw::SameText(pack->Name, name)) {
            return pack;
        }
    }
    return nullptr;
}

TILXMLNode* TTWPackList::WriteToXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag.empty() ? std::string_view("Packs") : tag);
    element->AddAttribute("Count", fw::IntToStr(Count()));
    for (int i = 0; i < Count(); ++i) {
        Items(i)->WriteToXML(element);
    }
    return element;
}

void TTWPackList::ReadFromXML(const TILXMLNode* element, TTWCardList* cardList)
{
    Clear();
    if (element == nullptr) {
        return;
    }
    const int listed = ReadListCount(*element, this, "ReadFromXML");
    std::int64_t members = 0;
    for (int i = 0; i < listed; ++i) {
        auto pack = std::make_unique<TTWPack>();
        pack->SetCardList(cardList);
        pack->ReadFromXML(element->GetChild(i));
        members += pack->Size();
        if (members > MaxMembers) {
            throw TGenericException::CreateFromSender("Too many pack members.\r\nThe packs of a pattern hold at most "
                                                          + fw::IntToStr(MaxMembers) + " cards together.",
                                                      nullptr, this, "ReadFromXML");
        }
        Add(pack.release());
    }
}
