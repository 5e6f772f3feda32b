#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/string_list.h"
#include "model/palette.h"
#include "model/pattern_limits.h"
#include "model/thread.h"
#include "model/indexed_collection.h"
#include "model/threaded_pattern.h"

class TILXMLNode;
class TTWBrocadePattern;
class TTWBrocadePickList;

// One pick of a brocade: for every card (0-based position) whether the supplementary weft
// floats over it, and which of up to nine wefts, or whether the card ties the weft down.
// A pick belongs to the pick list that made it, which frees it; through that list it knows
// the pattern whose width and wefts it uses.
class TTWBrocadePick : public fw::Persistent {
public:
    // A pick outside any list (Index -1, width taken from its own Wefts).
    TTWBrocadePick() = default;

    std::string_view className() const override { return "TTWBrocadePick"; }
    fw::Object* NewInstance() const override { return new TTWBrocadePick; }
    // From a brocade pick: its tie-downs and weft digits; the place in the list stays.
    void Assign(const fw::Persistent* source) override;

    // The card numbers (decimal, 0-based) at which the weft is tied down.
    fw::StringList& TieDowns() { return tieDowns_; }
    const fw::StringList& TieDowns() const { return tieDowns_; }
    // One digit per card, first character card 0: "0" a tie-down, "1" to "9" the weft that
    // floats over the card.
    const std::string& Wefts() const { return wefts_; }
    void SetWefts(std::string wefts) { wefts_ = std::move(wefts); }

    // The digit at the card: 1 beyond the end of Wefts (a card not yet drawn carries the
    // first weft), 0 for a negative card and for a character that is no digit.
    int GetWeft(int card) const;
    // Pads Wefts with "0" up to the card, then stores the digit. A negative card or a digit
    // outside 0 to 9 changes nothing; a card beyond the largest brocade raises.
    void SetWeft(int card, int digit);
    // Whether TieDowns holds the card's number as text.
    bool IsTieDown(int card) const;
    // On: the card becomes a tie-down (its number added when missing) with digit 0. Off: a
    // tie-down card stops being one and carries weft 1; any other card is left as it is.
    // A negative card changes nothing.
    void SetTieDown(int card, bool on);
    // The colour of the card's weft in the pattern's weft list; NoColour for a tie-down, a
    // weft the list does not hold, or a pick outside a pattern.
    TTWColour GetWeftColour(int card) const;
    // The first card after the given one at which a weft begins that differs from the
    // current one: the current weft starts as the card's digit (0 before the first card) and
    // a tie-down on the way resets it to 0. The width when there is none.
    int FindNextWeftStart(int card) const;
    // The last card of the run of cards carrying the card's digit (a card before the first
    // compares with 0), at most width - 1.
    int GetWeftRunEnd(int card) const;
    // The runs of cards whose digit differs from the weft, as "first - last" (or one card
    // alone), each card number plus base, joined by "; ".
    std::string GetCardRangesText(int base, int weft) const;

    // The number of cards: the pattern's width, or the length of Wefts outside a pattern.
    int Width() const;
    // The pattern of the list the pick belongs to, none outside one.
    const TTWBrocadePattern* Pattern() const;

    // The 0-based place in its list, -1 outside a list.
    int Index() const { return index_; }
    // Moves the pick to that place in its list.
    void SetIndex(int index);
    TTWBrocadePickList* Collection() const { return collection_; }

    // An element "Pick" with "Index" (1-based), "TieDowns" (comma-separated) and "Wefts".
    TILXMLNode* WriteToXML(TILXMLNode* parent) const;
    // "TieDowns" and "Wefts" from the element. Without weft digits, every card up to the
    // largest tie-down carries weft 1 and the tie-downs get digit 0.
    void ReadFromXML(const TILXMLNode* element);

private:
    friend class TIndexedCollection<TTWBrocadePick, TTWBrocadePickList>;

    fw::StringList tieDowns_;
    std::string wefts_;
    TTWBrocadePickList* collection_ = nullptr;
    int index_ = -1;
};

// The brocade picks of a pattern, in weaving order. It owns its picks and keeps each one's
// index. The pattern is not owned: it owns this list.
class TTWBrocadePickList : public fw::Persistent, public TIndexedCollection<TTWBrocadePick, TTWBrocadePickList> {
public:
    // Far above any real band; more is a damaged file or a runaway caller, not a band.
    static constexpr int MaxPicks = 1'000'000;

    explicit TTWBrocadePickList(const TTWBrocadePattern* pattern = nullptr) : pattern_(pattern) {}

    std::string_view className() const override { return "TTWBrocadePickList"; }
    fw::Object* NewInstance() const override { return new TTWBrocadePickList; }
    // From a brocade pick list: Clear, then a copy of every pick in order. The pattern stays.
    void Assign(const fw::Persistent* source) override;

    const TTWBrocadePattern* Pattern() const { return pattern_; }

private:
    friend class TIndexedCollection<TTWBrocadePick, TTWBrocadePickList>;
    // Raises when the list holds MaxPicks already.
    void CheckRoom() const;

    const TTWBrocadePattern* pattern_;
};

// A brocade woven over a ground weave: the threaded-in pattern's cards, packs, picks and
// palette, plus brocade picks telling where each supplementary weft floats, the weft
// threads, and optionally a copy of the pattern that supplies the ground weave.
class TTWBrocadePattern : public TTWPattern {
public:
    // As many cards as any pattern may have: the editor makes a frame for every card.
    static constexpr int MaxWidth = MaxPatternCards;
    // The cells (cards x picks) one brocade may hold.
    static constexpr int MaxCells = 4'000'000;

    // The threaded-in pattern, no brocade picks, five wefts (black, blue, red, green and
    // yellow) and no ground weave.
    TTWBrocadePattern();
    ~TTWBrocadePattern() override;

    std::string_view className() const override { return "TTWBrocadePattern"; }
    fw::Object* NewInstance() const override { return new TTWBrocadePattern; }
    // The threaded-in part; from a brocade also its picks, width, wefts and ground weave.
    void Assign(const fw::Persistent* source) override;

    int GetPatternType() const override { return PatternTypeBrocade; }
    int GetCardCount() const override { return width_; }
    int GetPickCount() const override { return brocadePicks_.Count(); }

    // The number of cards of the brocade design.
    int Width() const { return width_; }
    // Raises for a width below 0 or above MaxWidth.
    void SetWidth(int width);

    TTWBrocadePickList& BrocadePicks() { return brocadePicks_; }
    const TTWBrocadePickList& BrocadePicks() const { return brocadePicks_; }
    // Weft number n is item n - 1.
    TTWThreadList& Wefts() { return wefts_; }
    const TTWThreadList& Wefts() const { return wefts_; }

    // The ground weave held, none without one.
    TTWPatternBase* GroundWeave() const { return groundWeave_.get(); }
    bool HasGroundWeave() const { return groundWeave_ != nullptr; }
    // Holds a copy of the pattern as the ground weave (the caller keeps its own), or none.
    // Only threaded-in, double-face, twill and twist-patterned designs can be ground weaves;
    // any other kind raises and leaves the held ground weave as it was.
    void SetGroundWeave(const TTWPatternBase* pattern);
    // Whether patterns of the kind can be a ground weave.
    static bool IsGroundWeaveKind(int kind);

    // When both are at least 1: the brocade picks are replaced by that many picks in which
    // every card 0 .. width - 1 is a tie-down. The width itself is left to the caller. More
    // than MaxCells cells raise.
    void SetSize(int width, int picks);
    // How many of the wefts 1 to 9 occur at some card of some pick.
    int WeftsUsed() const;
    // Whether weft n occurs at some card 0 .. width - 1 of some pick.
    bool UsesWeft(int weft) const;

    // The threaded-in picks that weave the ground: the ground weave's own (woven on this
    // pattern's cards) when there is one, else one pick per brocade pick turning every card
    // forwards by one hole. More turns than TTWPattern::MaxConvertedTurns raise.
    void BuildThreadedPicks();

    // Writes its own "Pattern" element (type "Brocade"): name, notes, width, brocade picks,
    // wefts, cards, palette, a picture of the picks for readers of the file, and the ground
    // weave. No selvedges.
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // Reads what BuildXML writes (the picture excepted); older files keep their picks under
    // "Picks". Cards missing up to the width are added as four-hole cards of colour 15.
    void ExtractXML(const TILXMLNode* element, double& version) override;

private:
    // Refuses a pick that holds a card beyond the width (read from the element named).
    void CheckPicksWithinWidth(std::string_view picksTag) const;
    void ReadGroundWeave(const TILXMLNode* element);

    int width_ = 0;
    TTWBrocadePickList brocadePicks_{this};
    TTWThreadList wefts_;
    std::unique_ptr<TTWPatternBase> groundWeave_;
};

// Puts the brocade pattern into the kind table; the model's initialisation calls it.
void RegisterBrocadePattern();
