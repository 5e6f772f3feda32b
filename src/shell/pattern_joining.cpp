#include "shell/pattern_joining.h"

#include <algorithm>
#include <memory>

#include "framework/core/strings.h"
#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"

namespace {

bool SideBySide(TTWJoinDirection direction)
{
    return direction == TTWJoinDirection::SideBySide;
}

void AppendCardCopy(TTWCardList& cards, const TTWCardBase& card)
{
    std::unique_ptr<TTWCardBase> copy(static_cast<TTWCardBase*>(cards.CreateItemLike(&card)));
    copy->Assign(&card);
    cards.Add(copy.release());
}

// The pattern's cards for its columns: a copy of each, and where a damaged file holds fewer
// cards than columns, plain cards of its hole count, so that every later pattern's cards
// stay under its own columns.
void AppendColumnCards(TTWCardList& cards, const TTWCardList& source, int columns)
{
    for (int i = 0; i < columns; ++i) {
        if (const TTWCardBase* card = source.GetCard(i)) {
            AppendCardCopy(cards, *card);
        } else {
            cards.Add(CreateCard(source.HoleCount()).release());
        }
    }
}

void TakePalette(TTWPatternBase& result, const TTWJoinPatterns& patterns)
{
    TTWPalette* palette = result.GetPalette();
    const TTWPalette* first = patterns.empty() ? nullptr : patterns.front()->GetPalette();
    if (palette != nullptr && first != nullptr) {
        palette->Assign(first);
    }
}

// The widest pattern, the first of equals.
const TTWPatternBase* Widest(const TTWJoinPatterns& patterns)
{
    const TTWPatternBase* widest = nullptr;
    for (const TTWPatternBase* pattern : patterns) {
        if (widest == nullptr || pattern->GetCardCount() > widest->GetCardCount()) {
            widest = pattern;
        }
    }
    return widest;
}

int SideBySideColourCount(const TTWJoinPatterns& patterns)
{
    const auto colours = [](const TTWPatternBase* pattern) {
        return static_cast<const TTWDFPattern*>(pattern)->ColourCount();
    };
    if (colours(patterns.front()) == 6) {
        return 6;
    }
    const bool more = std::any_of(patterns.begin(), patterns.end(), [&](auto* p) { return colours(p) > 2; });
    return more ? 4 : 2;
}

// The design rows the result needs: its picks are the patterns' design rows (one pick per
// row for twist-patterned designs, two for double-face ones), so they are counted as rows,
// not halved picks.
int JoinedLength(TTWJoinDirection direction, const TTWJoinPatterns& patterns)
{
    int length = 0;
    for (const TTWPatternBase* pattern : patterns) {
        const int rows = static_cast<const TTWDFPattern*>(pattern)->Length();
        length = SideBySide(direction) ? std::max(length, rows) : length + rows;
    }
    return length;
}

// Where each design goes: its first column and its first row.
struct Placement {
    int Column = 0;
    int Row = 0;
};

std::vector<Placement> Placements(TTWJoinDirection direction, const TTWJoinPatterns& patterns, int resultWidth)
{
    std::vector<Placement> places;
    int offset = 0;
    for (const TTWPatternBase* pattern : patterns) {
        const auto& design = *static_cast<const TTWDFPattern*>(pattern);
        if (SideBySide(direction)) {
            places.push_back(Placement{offset, 0});
            offset += design.Width();
        } else {
            places.push_back(Placement{(resultWidth - design.Width()) / 2, offset});
            offset += design.Length();
        }
    }
    return places;
}

void JoinDesigns(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWDFPattern& result)
{
    if (patterns.empty()) {
        return;
    }
    const auto& first = *static_cast<const TTWDFPattern*>(patterns.front());
    result.SetColourCount(SideBySide(direction) ? SideBySideColourCount(patterns) : first.ColourCount());
    const int width = JoinedCardCount(direction, patterns);
    result.SetSize(width, JoinedLength(direction, patterns));
    result.Cards().Clear();
    if (SideBySide(direction)) {
        for (const TTWPatternBase* pattern : patterns) {
            const auto& design = *static_cast<const TTWDFPattern*>(pattern);
            AppendColumnCards(result.Cards(), design.Cards(), design.Width());
        }
    } else {
        const auto& widest = *static_cast<const TTWDFPattern*>(Widest(patterns));
        AppendColumnCards(result.Cards(), widest.Cards(), widest.Width());
    }
    const std::vector<Placement> places = Placements(direction, patterns, width);
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const auto& design = *static_cast<const TTWDFPattern*>(patterns[i]);
        for (int y = 0; y < design.Length(); ++y) {
            for (int x = 0; x < design.Width(); ++x) {
                result.SetCell(places[i].Column + x, places[i].Row + y, design.GetCell(x, y));
            }
        }
    }
    TakePalette(result, patterns);
}

// One card of a brocade pick as it is in another: a tie-down, or the weft that floats over
// it. Written card after card from the left, so that the digits before it are already set.
void CopyBrocadeCard(const TTWBrocadePick& source, int sourceCard, TTWBrocadePick& target, int targetCard)
{
    if (source.IsTieDown(sourceCard)) {
        target.TieDowns().Add(fw::IntToStr(targetCard));
        target.SetWeft(targetCard, 0);
    } else {
        target.SetWeft(targetCard, source.GetWeft(sourceCard));
    }
}

void MakeTieDowns(TTWBrocadePick& pick, int firstCard, int lastCard)
{
    for (int card = firstCard; card <= lastCard; ++card) {
        pick.TieDowns().Add(fw::IntToStr(card));
        pick.SetWeft(card, 0);
    }
}

} // namespace

int JoinedCardCount(TTWJoinDirection direction, const TTWJoinPatterns& patterns)
{
    int cards = 0;
    for (const TTWPatternBase* pattern : patterns) {
        cards = SideBySide(direction) ? cards + pattern->GetCardCount() : std::max(cards, pattern->GetCardCount());
    }
    return cards;
}

int JoinedPickCount(TTWJoinDirection direction, const TTWJoinPatterns& patterns)
{
    int picks = 0;
    for (const TTWPatternBase* pattern : patterns) {
        picks = SideBySide(direction) ? std::max(picks, pattern->GetPickCount()) : picks + pattern->GetPickCount();
    }
    return picks;
}

void JoinThreaded(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWPattern& result)
{
    if (!SideBySide(direction) || patterns.empty()) {
        return;
    }
    const int joinedCards = JoinedCardCount(direction, patterns);
    const int joinedPicks = JoinedPickCount(direction, patterns);
    // The other kinds' joins are held to the card limit by the size of their grids.
    CheckPatternWidth(joinedCards, &result, "JoinThreaded");
    TTWPattern::CheckConversionSize(joinedCards, joinedPicks, &result);
    result.Clear();
    for (const TTWPatternBase* pattern : patterns) {
        const auto& threaded = *static_cast<const TTWPattern*>(pattern);
        for (int i = 0; i < threaded.Cards().Count(); ++i) {
            AppendCardCopy(result.Cards(), *threaded.Cards().GetCard(i));
        }
    }
    int offset = 0;
    for (TTWPatternBase* pattern : patterns) {
        auto& threaded = *static_cast<TTWPattern*>(pattern);
        if (threaded.Picks().HasPackAction()) {
            threaded.Picks().ExpandPackActions(&threaded.Packs());
        }
        const int picks = threaded.Picks().Count();
        for (int k = 0; k < picks; ++k) {
            TTWPick* target = result.Picks().GetOrGrowPick(k);
            const TTWActionList& actions = threaded.Picks().Items(k)->Actions();
            for (int a = 0; a < actions.Count(); ++a) {
                const TTWAction* action = actions.Items(a);
                auto copy = std::make_unique<TTWAction>();
                copy->Assign(action);
                copy->SetTargetID(fw::IntToStr(action->CardNumber() + offset));
                target->Actions().Add(copy.release());
            }
        }
        const int cards = threaded.Cards().Count();
        for (int k = picks; k < joinedPicks; ++k) {
            TTWPick* target = result.Picks().GetOrGrowPick(k);
            for (int n = 1; n <= cards; ++n) {
                target->Actions().Add(TTWAction::CreateCardTurn(offset + n, TurnForwards, DistanceOneHole).release());
            }
        }
        offset += cards;
    }
    TakePalette(result, patterns);
}

void JoinDoubleFace(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWDFPattern& result)
{
    JoinDesigns(direction, patterns, result);
}

void JoinTwist(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWWarpTwinedPattern& result)
{
    JoinDesigns(direction, patterns, result);
}

void JoinTwill(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTW31TwillPattern& result)
{
    JoinDesigns(direction, patterns, result);
    if (patterns.empty()) {
        return;
    }
    // Each mark stays on its own cell of the design, wherever the design lands.
    const std::vector<Placement> places = Placements(direction, patterns, result.Width());
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const auto& twill = *static_cast<const TTW31TwillPattern*>(patterns[i]);
        for (int y = 0; y < twill.Length(); ++y) {
            for (int x = 0; x < twill.Width(); ++x) {
                result.SetLongFloat(places[i].Column + x, places[i].Row + y, twill.GetLongFloat(x, y));
            }
        }
    }
    result.SetBackgroundTwill(static_cast<const TTW31TwillPattern*>(patterns.front())->BackgroundTwill());
}

void JoinBrocade(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWBrocadePattern& result)
{
    if (patterns.empty()) {
        return;
    }
    const int width = JoinedCardCount(direction, patterns);
    const int joinedPicks = JoinedPickCount(direction, patterns);
    result.Wefts().Assign(static_cast<const TTWBrocadePattern*>(patterns.front())->Wefts());
    result.SetWidth(width);
    // Made at full size first, so that too large a result is refused before anything grows;
    // then emptied, to be written card by card.
    result.SetSize(width, joinedPicks);
    if (result.BrocadePicks().Count() != joinedPicks) {
        // No cards (SetSize makes nothing then): as many empty picks all the same.
        result.BrocadePicks().Clear();
        for (int k = 0; k < joinedPicks; ++k) {
            result.BrocadePicks().Add();
        }
    }
    for (const auto& pick : result.BrocadePicks()) {
        pick->TieDowns().Clear();
        pick->SetWefts(std::string());
    }

    result.Cards().Clear();
    int offset = 0;
    for (const TTWPatternBase* pattern : patterns) {
        const auto& brocade = *static_cast<const TTWBrocadePattern*>(pattern);
        const int picks = brocade.BrocadePicks().Count();
        if (SideBySide(direction)) {
            AppendColumnCards(result.Cards(), brocade.Cards(), brocade.Width());
            for (int k = 0; k < joinedPicks; ++k) {
                TTWBrocadePick& target = *result.BrocadePicks().Items(k);
                if (k >= picks) {
                    MakeTieDowns(target, offset, offset + brocade.Width() - 1);
                    continue;
                }
                const TTWBrocadePick& source = *brocade.BrocadePicks().Items(k);
                for (int c = 0; c < brocade.Width(); ++c) {
                    CopyBrocadeCard(source, c, target, offset + c);
                }
            }
            offset += brocade.Width();
        } else {
            const int column = (width - brocade.Width()) / 2;
            for (int k = 0; k < picks; ++k) {
                TTWBrocadePick& target = *result.BrocadePicks().Items(offset + k);
                const TTWBrocadePick& source = *brocade.BrocadePicks().Items(k);
                // The cards beside a narrower pattern tie the weft down on both sides.
                MakeTieDowns(target, 0, column - 1);
                for (int c = 0; c < brocade.Width(); ++c) {
                    CopyBrocadeCard(source, c, target, column + c);
                }
                MakeTieDowns(target, column + brocade.Width(), width - 1);
            }
            offset += picks;
        }
    }
    if (!SideBySide(direction)) {
        const auto& widest = *static_cast<const TTWBrocadePattern*>(Widest(patterns));
        AppendColumnCards(result.Cards(), widest.Cards(), widest.Width());
    }
    TakePalette(result, patterns);
}
