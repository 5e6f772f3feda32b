#pragma once

#include <string>
#include <string_view>

#include "model/df_pattern.h"

// The twist-patterned (warp-twined) pattern: a two-state grid woven with four-hole cards,
// each threaded S or Z, in which a set cell reverses the card's natural turning direction.
// The threading of the cards is the design; their hole colours are left to the weaver. One
// design row is one pick.
class TTWWarpTwinedPattern : public TTWDFPattern {
public:
    TTWWarpTwinedPattern() = default;

    std::string_view className() const override { return "TTWWarpTwinedPattern"; }
    fw::Object* NewInstance() const override { return new TTWWarpTwinedPattern; }

    int GetPatternType() const override { return PatternTypeTwistPatterned; }
    int GetPickCount() const override { return Length(); }

    // The threading letters of all cards in order, joined by ", " ("S, Z, S").
    std::string CardThreadingText() const;

    // One card for each column of the design, as a file of this kind holds them: the cards
    // beyond the width go, and a column without a card gets an S card, as it weaves.
    void FitCardsToWidth();

    // The cards become copies of these; packs and picks are replaced by one pick per design
    // row that turns every card one hole, backwards where the cell is set on an S card or
    // clear on a Z card; a column without a card turns forwards. Too large a design raises
    // as the double-face one does.
    void ConvertToThreaded(TTWPattern& target) override;

    // The double-face element, typed "TwistPatterned", then "Threading".
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // The double-face fields; the cards are then made afresh from "Threading": one S or Z
    // four-hole card per entry, then S cards up to the width.
    void ExtractXML(const TILXMLNode* element, double& version) override;
};

// Puts the twist-patterned pattern into the kind table; the model's initialisation calls it.
void RegisterTwistPatternedPattern();
