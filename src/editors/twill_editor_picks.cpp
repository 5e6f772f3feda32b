// The 3/1 broken twill editor's conversion of the design into cards and turning actions, the
// one the band, the print-out and the threaded-in save share.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "editors/block_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "editors/twill_editor.h"
#include "model/action.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/model_state.h"
#include "model/user_settings.h"

namespace {

// The four columns of the twill's repeat start at different points of one
// two-forwards, two-backwards cycle; an odd column, half a row late, closes with the
// cycle's next step, by pick number mod 4.
constexpr std::array<std::string_view, 4> ClosingSequences{"FFBB", "FBBF", "BBFF", "BFFB"};

std::uint8_t Reversed(std::uint8_t direction)
{
    return direction == TurnForwards ? TurnBackwards : TurnForwards;
}

} // namespace

void TfrmTWDoubleFaceTwillNonMDI::BuildCards(TTWCardList& cards)
{
    if (ColourCount() != 2) {
        TfrmTWDoublefaceNonMDI::BuildCards(cards);
        return;
    }
    // Where a card of the repeat carries the primary colour: the pair of holes that come up
    // together in its place of the twill.
    static constexpr bool Primary[4][4] = {
        {true, true, false, false},
        {false, true, true, false},
        {false, false, true, true},
        {false, true, true, false},
    };
    cards.Clear();
    for (int i = 0; i < framePattern->GridWidth(); ++i) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        if (TfrmCardCompactBase* frame = frameCards->GetCardFrame(i)) {
            const int primary = frame->GetHoleColourIndex(0);
            const int secondary = frame->GetHoleColourIndex(1);
            for (int hole = 0; hole < 4; ++hole) {
                card->SetHoleColour(hole, Primary[i % 4][hole] ? primary : secondary);
            }
            card->SetThreading(frame->Threading());
        }
        card->Reset();
        cards.Add(card.release());
    }
}

int TfrmTWDoubleFaceTwillNonMDI::BuildThreadedPattern(TTWPattern& pattern)
{
    const std::int64_t pickCount = 2 * static_cast<std::int64_t>(framePattern->GridHeight());
    TTWPattern::CheckConversionSize(framePattern->GridWidth(), pickCount, this);
    // Built anew, column by column: the band weaves on from the first pick that changed.
    return pattern.Rebuild([this](TTWPattern& fresh) {
        fresh.Clear();
        BuildCards(fresh.Cards());
        // Without rows there are no picks: the half rows that open and close the odd columns
        // belong to rows that are not there.
        if (framePattern->GridHeight() > 0) {
            for (int column = 0; column < framePattern->GridWidth(); ++column) {
                BuildColumnPicks(column, fresh);
            }
        }
    });
}

void TfrmTWDoubleFaceTwillNonMDI::BuildColumnPicks(int column, TTWPattern& pattern) const
{
    TTWPickList& picks = pattern.Picks();
    const int card = column + 1;
    const auto turn = [&picks, card](int pick, std::uint8_t direction) {
        if (TTWPick* target = picks.GetOrGrowPick(pick)) {
            target->Actions().Add(TTWAction::CreateCardTurn(card, direction, DistanceOneHole).release());
        }
    };
    int phase = column % 4;
    // A Z twill slants the other way: the second and fourth columns of the repeat change
    // places.
    if (ZTwillBackground() && (phase == 1 || phase == 3)) {
        phase = 4 - phase;
    }
    std::uint8_t direction = phase == 0 || phase == 3 ? TurnBackwards : TurnForwards;
    const int offset = phase % 2;
    if (offset == 1) {
        turn(0, direction);
    }
    const bool twistAtColourChange = UserSettings().BrokenTwill.ColourInterchange == TTWColourInterchange::Twist;
    const int height = framePattern->GridHeight();
    for (int row = offset; row < height; ++row) {
        const int pick = 2 * row - offset;
        const bool change = framePattern->IsChangeAt(column, row);
        if (IsLongFloat(column, row)) {
            // The card goes back within the row: its thread floats over three picks.
            if (change) {
                direction = Reversed(direction);
            }
            turn(pick, Reversed(direction));
            turn(pick + 1, direction);
            continue;
        }
        // Within a run of one colour the card keeps the twill's rhythm; where the colour
        // changes it either turns on (the other colour comes up) or is twisted first.
        if (!change) {
            direction = Reversed(direction);
        } else if (twistAtColourChange) {
            if (TTWPick* target = picks.GetOrGrowPick(pick)) {
                target->Actions().Add(TTWAction::CreateCardTwist(card, TwistV).release());
            }
            direction = Reversed(direction);
        }
        turn(pick, direction);
        turn(pick + 1, direction);
    }
    if (column % 2 != 0) {
        const int last = 2 * height - 1;
        const char step = ClosingSequences[static_cast<std::size_t>(phase)][static_cast<std::size_t>(last % 4)];
        turn(last, step == 'F' ? TurnForwards : TurnBackwards);
    }
}
