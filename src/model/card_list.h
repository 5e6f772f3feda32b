#pragma once

#include <string_view>

#include "foundation/enhanced_list.h"
#include "model/card.h"

class TILXMLNode;
class TTWPalette;

// The cards of a pattern (or of one selvedge), left to right. Each card is made with the
// class of its hole count.
//
// The palette is not owned: the pattern that owns this list also owns the palette and sets
// it here, so the pointer is valid for as long as both belong to the same pattern. Whoever
// sets it must clear it (or set another) before that palette is freed. Copying a list
// copies the cards only; the copy keeps its own palette pointer.
class TTWCardList : public TEnhancedListOf<TTWCardBase> {
public:
    TTWCardList() : TEnhancedListOf<TTWCardBase>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWCardList"; }
    fw::Object* NewInstance() const override { return new TTWCardList; }
    // A new card of the class of the item's hole count.
    fw::Object* CreateItemLike(const fw::Object* item) const override;

    TTWPalette* Palette() const { return palette_; }
    void SetPalette(TTWPalette* palette) { palette_ = palette; }

    // None outside the range.
    TTWCardBase* GetCard(int index) const { return GetItem(index); }
    // The first card's hole count; 4 for an empty list.
    int HoleCount() const;
    // The largest hole count; -1 for an empty list.
    int MaxHoleCount() const;
    void ResetAll();

    void ReplaceColour(int oldColour, int newColour);
    void SwapColours(int colour1, int colour2);

    // An element named by the tag with "Count" and one "Card" per card, numbered from 1.
    TILXMLNode* WriteToXML(TILXMLNode* parent, std::string_view tag = "Cards", bool withState = false) const;
    // Clears the list, then reads the cards listed by the element (none: the list stays
    // empty). A hole count without a card class raises.
    void ReadFromXML(const TILXMLNode* element);

private:
    TTWPalette* palette_ = nullptr;
};
