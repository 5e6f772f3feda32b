#include "shell/brocade_conversion.h"

#include <functional>

#include "framework/core/strings.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "model/thread.h"

namespace {

// The holes whose colours the brocade takes: A for its first weft, D for the ground.
constexpr int HoleA = 0;
constexpr int HoleD = 3;

// Replaces the brocade's picks by `picks` picks of `width` cards, the weft floating over a
// card where `floats` says so and tied down elsewhere. Every pick is written whole, card by
// card: its tie-downs listed in card order, a digit for every card.
void BuildPicks(TTWBrocadePattern& target, int width, int picks, const std::function<bool(int card, int pick)>& floats)
{
    target.BrocadePicks().Clear();
    target.SetWidth(width);
    // Checks the size before anything grows, and makes the picks.
    target.SetSize(width, picks);
    for (int p = 0; p < target.BrocadePicks().Count(); ++p) {
        TTWBrocadePick& pick = *target.BrocadePicks().Items(p);
        pick.TieDowns().Clear();
        std::string wefts(static_cast<std::size_t>(width), '0');
        for (int card = 0; card < width; ++card) {
            if (floats(card, p)) {
                wefts[static_cast<std::size_t>(card)] = '1';
            } else {
                pick.TieDowns().Add(fw::IntToStr(card));
            }
        }
        pick.SetWefts(std::move(wefts));
    }
}

} // namespace

std::string BrocadeConversionRefusal(const TTWPatternBase& source)
{
    const int kind = source.GetPatternType();
    if (kind == PatternTypeDoubleFace && static_cast<const TTWDFPattern&>(source).ColourCount() != 2) {
        return "Only basic 2-colour doubleface patterns can be converted.";
    }
    if (kind != PatternTypeDoubleFace && kind != PatternTypeBrokenTwill) {
        return "Only doubleface or twill patterns can be converted.";
    }
    const TTWCardList& cards = static_cast<const TTWDFPattern&>(source).Cards();
    if (cards.Count() == 0) {
        return "The source pattern has no cards.";
    }
    if (cards.GetCard(0)->GetHoleCount() <= HoleD) {
        return "The cards of the source pattern have fewer than four holes.";
    }
    return {};
}

void ConvertToBrocade(const TTWDFPattern& source, bool compress, TTWBrocadePattern& target)
{
    const int width = source.Width();
    const int length = source.Length();
    if (source.GetPatternType() == PatternTypeBrokenTwill) {
        // Two picks per row; an odd column's row r lies in picks 2r - 1 and 2r.
        BuildPicks(target, width, 2 * length, [&](int card, int pick) {
            const int row = (pick + card % 2) / 2;
            return row < length && source.GetCell(card, row);
        });
    } else {
        const int picksPerRow = compress ? 1 : 2;
        BuildPicks(target, width, picksPerRow * length,
                   [&](int card, int pick) { return source.GetCell(card, pick / picksPerRow); });
    }

    target.Cards().Assign(source.Cards());
    target.Palette().Assign(&source.Palette());
    const TTWCardBase& first = *source.Cards().GetCard(0);
    const int ground = first.HoleColour(HoleD);
    for (int i = 0; i < target.Cards().Count(); ++i) {
        TTWCardBase& card = *target.Cards().GetCard(i);
        for (int hole = 0; hole < card.GetHoleCount(); ++hole) {
            card.SetHoleColour(hole, ground);
        }
    }
    if (TTWThread* weft = target.Wefts().GetItem(0)) {
        weft->Colour = source.Palette().GetColour(first.HoleColour(HoleA));
    }
    target.SetName(source.Name());
    target.SetNotes(source.Notes());
}
