#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/enhanced_list.h"
#include "model/card.h"

class TILXMLNode;
class TTWCardList;

// A named group of cards that one action turns or twists together. Members are 1-based
// card numbers in the pattern's card list, in the order they are turned.
//
// The card list is not owned: it is the pattern's, which also owns the pack, so it lives at
// least as long as the pack while both belong to one pattern. A copied pack refers to the
// same card list as its source until it is given another.
class TTWPack : public fw::Persistent, public ITWTurnable {
public:
    // Far above the cards of any band; a larger size is a damaged file, not a pack.
    static constexpr int MaxSize = 100'000;

    TTWPack() = default;

    std::string Name;
    std::string Comment;

    std::string_view className() const override { return "TTWPack"; }
    fw::Object* NewInstance() const override { return new TTWPack; }
    // From a pack: name, comment, card list and members.
    void Assign(const fw::Persistent* source) override;

    int Size() const { return static_cast<int>(members_.size()); }
    // Below 1 empties the members; else keeps the first members and adds card number 0 up to
    // the size. Above MaxSize raises.
    void SetSize(int size);
    // The card number at the 0-based place, -1 outside the members.
    int Member(int index) const;
    // Ignored outside the members.
    void SetMember(int index, int cardNumber);
    const std::vector<int>& Members() const { return members_; }

    TTWCardList* CardList() const { return cardList_; }
    void SetCardList(TTWCardList* cardList) { cardList_ = cardList; }

    // Every member card, in member order; nothing without a card list. A member number that
    // names no card of the list is passed over.
    void Turn(int direction, int distance) override;
    void Twist(int direction) override;

    // The members as a range text, over as many places as the card list has cards (none
    // without a card list).
    std::string RangeText(int offset, bool ascending) const;

    // An element "Pack" with "Name", and the children "Comment", "Size" and "Cards" (the
    // members joined by ","). Returns the element.
    TILXMLNode* WriteToXML(TILXMLNode* parent) const;
    // Members beyond "Size" in "Cards" are ignored; members missing from it are card 0.
    void ReadFromXML(const TILXMLNode* element);

private:
    std::vector<int> members_;
    TTWCardList* cardList_ = nullptr;
};

// The packs of a pattern; sorting orders them by name without regard to case.
class TTWPackList : public TEnhancedListOf<TTWPack> {
public:
    // The members all packs of a file may hold together: each pack may ask for up to
    // TTWPack::MaxSize, but a damaged file of many such packs must not exhaust the memory.
    static constexpr int MaxMembers = 1'000'000;

    // The compare event is the name order, so Sort and a sorted list work from the start.
    TTWPackList();

    std::string_view className() const override { return "TTWPackList"; }
    fw::Object* NewInstance() const override { return new TTWPackList; }

    // Points every pack at the card list: a pattern does so after copying another's packs,
    // which still refer to the source's cards.
    void SetCardList(TTWCardList* cardList);

    // The first pack so named without regard to case, none when absent.
    TTWPack* FindByName(std::string_view name) const;

    // An element named by the tag with "Count" and one "Pack" per pack in list order.
    TILXMLNode* WriteToXML(TILXMLNode* parent, std::string_view tag = "Packs") const;
    // Clears the list and reads the first "Count" children as packs (never more than there
    // are), each given the card list. Packs of more than MaxMembers members together raise.
    void ReadFromXML(const TILXMLNode* element, TTWCardList* cardList);
};
