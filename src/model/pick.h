#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/object.h"
#include "model/action.h"
#include "model/indexed_collection.h"

class TILXMLNode;
class TTWPackList;
class TTWPickList;

// One passage of the weft: the turning actions applied before it. A pick belongs to the
// pick list that made it, which frees it; it knows its place there.
class TTWPick : public fw::Persistent {
public:
    // A pick outside any list (Index -1); lists make their own with Add.
    TTWPick() = default;

    std::string_view className() const override { return "TTWPick"; }
    fw::Object* NewInstance() const override { return new TTWPick; }
    // From a pick: a deep copy of its actions; the place in the list stays.
    void Assign(const fw::Persistent* source) override;

    TTWActionList& Actions() { return actions_; }
    const TTWActionList& Actions() const { return actions_; }

    // The 0-based place in its list, -1 outside a list.
    int Index() const { return index_; }
    // Moves the pick to that place in its list.
    void SetIndex(int index);
    TTWPickList* Collection() const { return collection_; }

    // An element "Pick" with "Index" and the actions as "Actions".
    TILXMLNode* WriteToXML(TILXMLNode* parent) const;
    // The actions from the direct child "Actions"; without it the pick has none.
    void ReadFromXML(const TILXMLNode* element);

private:
    friend class TIndexedCollection<TTWPick, TTWPickList>;

    TTWActionList actions_;
    TTWPickList* collection_ = nullptr;
    int index_ = -1;
};

// The picks of a pattern in weaving order. It owns its picks and keeps each one's index.
class TTWPickList : public fw::Persistent, public TIndexedCollection<TTWPick, TTWPickList> {
public:
    // Far above any real band; more is a damaged file or a runaway caller, not a band.
    static constexpr int MaxPicks = 1'000'000;

    TTWPickList() = default;

    std::string_view className() const override { return "TTWPickList"; }
    fw::Object* NewInstance() const override { return new TTWPickList; }
    // From a pick list: Clear, then a copy of every pick in order.
    void Assign(const fw::Persistent* source) override;

    // The pick at the index, appending picks until it exists; none for a negative index.
    TTWPick* GetOrGrowPick(int index);

    bool HasPackAction() const;
    bool HasCardAction() const;
    bool HasTwist() const;
    void ExpandPackActions(const TTWPackList* packs);
    void RenamePack(std::string_view oldName, std::string_view newName);

    // An element named by the tag with "Count" and one "Pick" per pick in order.
    TILXMLNode* WriteToXML(TILXMLNode* parent, std::string_view tag = "Picks") const;
    // Clears the list and adds one pick for each of the first "Count" children (never more
    // than there are), in document order.
    void ReadFromXML(const TILXMLNode* element);

private:
    friend class TIndexedCollection<TTWPick, TTWPickList>;
    // Raises when the list holds MaxPicks already.
    void CheckRoom() const;
    // "Too many picks (<picks>).\r\nA band holds at most <MaxPicks> picks."
    [[noreturn]] void RaiseTooManyPicks(std::int64_t picks, const std::string& method) const;
};

// The first pick (counted from 1) at which the two lists differ: a pick whose actions differ
// in number or in any field, or the end of the shorter list; one past the last pick when they
// are the same. A band woven from one list weaves as the other up to that pick, as long as
// the cards, colours and packs are the same too, which this does not look at.
int FirstDifferentPick(const TTWPickList& woven, const TTWPickList& picks);
