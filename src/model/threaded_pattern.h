#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/card_list.h"
#include "model/pack.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pick.h"

class TTWWeaving;

// The threaded-in pattern: cards with their threading and hole colours, packs, picks of
// turning actions and a palette. Every other kind converts itself into one, and it computes
// the woven band pick by pick.
class TTWPattern : public TTWPatternBase {
public:
    // The most card turns (cards x picks) a design may be converted into: far above any real
    // band, low enough that a damaged design cannot exhaust the memory with its turns.
    static constexpr std::int64_t MaxConvertedTurns = 4'000'000;
    // Raises, in the sender's name, when a design of that many cards woven in that many
    // picks would need more than MaxConvertedTurns turns; the kinds call it before they
    // convert anything.
    static void CheckConversionSize(int cards, std::int64_t picks, const fw::Object* sender);

    // Empty cards, packs and picks; the palette is a copy of the colours of the user's default
    // palette (the standard colours when there is none).
    TTWPattern();
    ~TTWPattern() override;

    std::string_view className() const override { return "TTWPattern"; }
    fw::Object* NewInstance() const override { return new TTWPattern; }
    // The base's copy; from a threaded-in pattern also its cards, packs, picks and palette
    // colours.
    void Assign(const fw::Persistent* source) override;

    int GetPatternType() const override { return PatternTypeThreaded; }
    int GetCardCount() const override { return cards_.Count(); }
    int GetPickCount() const override { return picks_.Count(); }
    TTWCardList* GetCards() override { return &cards_; }
    const TTWCardList* GetCards() const override { return &cards_; }
    TTWPalette* GetPalette() override { return &palette_; }
    const TTWPalette* GetPalette() const override { return &palette_; }

    // The cards refer to the palette, the packs to the cards: both pointers stay inside the
    // pattern.
    TTWCardList& Cards() { return cards_; }
    const TTWCardList& Cards() const { return cards_; }
    TTWPackList& Packs() { return packs_; }
    const TTWPackList& Packs() const { return packs_; }
    TTWPickList& Picks() { return picks_; }
    const TTWPickList& Picks() const { return picks_; }
    TTWPalette& Palette() { return palette_; }
    const TTWPalette& Palette() const { return palette_; }

    // Empties cards, packs and picks.
    void Clear();

    // Unless the target is this pattern, its cards, packs and picks become copies of these;
    // its name, notes, selvedges and palette stay.
    void ConvertToThreaded(TTWPattern& target) override;

    // The base's element, then "Cards", "Packs", "Picks" and "Palette".
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // The base's fields, then the direct children "Cards", "Packs", "Picks" and "Palette";
    // an absent list is left empty, an absent palette leaves the palette as it is.
    void ExtractXML(const TILXMLNode* element, double& version) override;

    // A name ending in ".txt" (any case) gets the turning sequence as text, any other the
    // pattern file.
    void SaveToFile(const std::string& fileName) override;
    // The turning sequence of the front side, woven once, with the cards' threading and
    // colours.
    void SaveTurningSequence(const std::string& fileName);

    // Weaves the picks repeats + 1 times over into the band, from the cards' threaded state.
    // Colours come from the palette, the pattern's own when none is given. The reverse side
    // is the front seen from behind: mirrored left to right, with the opposite holes on top.
    // The cards' turning state is left as the last pick left it.
    void BuildWeaving(TTWWeaving& weaving, const TTWPalette* palette, bool reverse, int repeats);
    void BuildReverseWeaving(TTWWeaving& weaving, const TTWPalette* palette, int repeats);
    // The band BuildWeaving makes without repeats, for a band this pattern wove before whose
    // picks before the 1-based first pick have not changed since (nor the packs they use):
    // those rows are kept, mostly, and only the rest is woven again. Whenever the band was
    // woven for other cards, colours or side, or changed since, it is woven whole.
    void UpdateWeaving(TTWWeaving& weaving, const TTWPalette* palette, bool reverse, int firstPick);
    // Builds the pattern again with build (which starts from a pattern without picks) and
    // answers the pick to give UpdateWeaving: the first (from 1) that weaves otherwise than
    // the picks it held before, which are kept aside meanwhile, or the last one when none
    // does. Editors that make their threaded-in pattern anew for every change weave on with it.
    int Rebuild(const std::function<void(TTWPattern&)>& build);

private:
    // Weaves the band from the 0-based row on, when the band allows; from row 0 otherwise.
    void Weave(TTWWeaving& weaving, const TTWPalette* palette, bool reverse, int repeats, int firstChangedRow);

    // Declared first so that it outlives the cards that refer to it; the packs go before the
    // cards for the same reason.
    TTWPalette palette_;
    TTWCardList cards_;
    TTWPackList packs_;
    TTWPickList picks_;
};

// Puts the threaded-in pattern into the kind table; the model's initialisation calls it.
void RegisterThreadedPattern();
