#include "model/loom.h"

#include <algorithm>
#include <typeinfo>

#include "model/card_list.h"

namespace {

bool IsKnownTurn(std::uint8_t direction, std::uint8_t distance)
{
    return (direction == TurnForwards || direction == TurnBackwards)
           && (distance == DistanceOneHole || distance == DistanceTwoHoles);
}

// The index of a known turn in the cards' tables.
int KindOfTurn(bool backwards, bool twoHoles)
{
    return (backwards ? 2 : 0) + (twoHoles ? 1 : 0);
}

// Forwards the last hole of the order comes to the front, backwards the first goes to the
// back, once per step: with one byte per position that is a rotation of the word.
std::uint64_t Rotated(std::uint64_t order, std::uint64_t mask, int holes, bool forwards, int steps)
{
    const int moved = 8 * steps;
    const int kept = 8 * (holes - steps);
    return (forwards ? (order << moved) | (order >> kept) : (order >> moved) | (order << kept)) & mask;
}

} // namespace

TTWLoom::TTWLoom(TTWWeaving& weaving, const TTWPalette& palette, bool reverse, const TTWCardList& left,
                 const TTWCardList& cards, const TTWCardList& right)
    : weaving_(weaving),
      palette_(palette),
      reverse_(reverse),
      leftCount_(left.Count()),
      cardCount_(cards.Count()),
      rightCount_(right.Count())
{
    cards_.reserve(static_cast<std::size_t>(leftCount_ + cardCount_ + rightCount_));
    AddCards(left);
    AddCards(cards);
    AddCards(right);
    missingHoleColour_ = palette_.GetColour(0);
}

TTWLoomRecord::Setup TTWLoom::MakeSetup() const
{
    TTWLoomRecord::Setup setup;
    setup.cards = cards_;
    setup.missingHoleColour = missingHoleColour_;
    setup.reverse = reverse_;
    setup.leftCount = leftCount_;
    setup.cardCount = cardCount_;
    setup.rightCount = rightCount_;
    return setup;
}

int TTWLoom::Start(int firstChangedPick, int rows)
{
    try {
        std::unique_ptr<TTWLoomRecord> record = weaving_.TakeLoomRecord();
        const int width = static_cast<int>(cards_.size());
        // Rows beyond the new band's end go, whatever the caller took to be the first change.
        firstChangedPick = std::min(firstChangedPick, rows);
        int resume = 0;
        if (record != nullptr && firstChangedPick > 0 && weaving_.Width() == width
            && weaving_.Reverse() == reverse_ && record->GetSetup() == MakeSetup()) {
            resume = record->ResumePick(firstChangedPick, weaving_.PickCount());
        }
        if (resume > 0) {
            record->Resume(resume, cards_);
            record_ = std::move(record);
            weaving_.DropPicksFrom(resume);
        } else {
            record_ = std::make_unique<TTWLoomRecord>(MakeSetup());
            weaving_.Clear();
            weaving_.SetReverse(reverse_);
            weaving_.SetWidth(width);
        }
        // Asked for the whole band at once: a runaway band is refused before anything is
        // woven, and the rows never move while they are filled.
        weaving_.ReservePicks(rows);
        floats_.Start(weaving_, resume);
        pick_ = resume - 1;
        return resume;
    } catch (...) {
        weaving_.Clear();
        throw;
    }
}

void TTWLoom::AddCards(const TTWCardList& cards)
{
    for (fw::Object* item : cards) {
        FlatCard& flat = cards_.emplace_back();
        auto* card = static_cast<TTWCardBase*>(item);
        const int holes = card != nullptr ? card->Holes().Count() : 0;
        // Every card class has 3 to 8 holes; anything else is left out rather than packed
        // into a word it does not fit.
        if (holes < MinCardHoles || holes > MaxCardHoles) {
            continue;
        }
        flat.card = card;
        flat.cardClass = &typeid(*card);
        flat.holes = static_cast<std::uint8_t>(holes);
        flat.orderMask = holes == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * holes)) - 1;
        const TTWCardBase::TurningState state = card->GetTurningState();
        for (int position = holes - 1; position >= 0; --position) {
            flat.state.order = (flat.state.order << 8) | state.order[static_cast<std::size_t>(position)];
        }
        flat.state.position = static_cast<std::uint8_t>(state.curPos);
        flat.state.thread = state.curThread;
        flat.state.lastTurn = state.lastTurn;
        flat.state.twisted = state.twisted;
        for (int hole = 0; hole < holes; ++hole) {
            flat.colours[hole] = palette_.GetColour(card->HoleColour(hole));
        }
        for (const std::uint8_t direction : {TurnForwards, TurnBackwards}) {
            for (const std::uint8_t distance : {DistanceOneHole, DistanceTwoHoles}) {
                const int letter = card->GetHoleLetter(direction, distance) - 'A';
                const int kind = KindOfTurn(direction == TurnBackwards, distance == DistanceTwoHoles);
                // Reduced once here, so that the hole on top never needs a division.
                flat.topSteps[kind] = static_cast<std::uint8_t>(letter % holes);
                flat.oppositeSteps[kind] = static_cast<std::uint8_t>((letter % holes + holes / 2) % holes);
                flat.letterShifts[kind] = letter >= 0 && letter < holes ? static_cast<std::uint8_t>(8 * letter) : NoPlace;
            }
        }
    }
}

TTWWeavingCell& TTWLoom::CellOf(int column) const
{
    // Seen from behind, the first card is on the right.
    return row_[reverse_ ? static_cast<int>(cards_.size()) - 1 - column : column];
}

std::uint8_t TTWLoom::Opposite(const FlatCard& card, std::uint8_t position)
{
    const int across = card.holes / 2 + position;
    return static_cast<std::uint8_t>(across >= card.holes ? across - card.holes : across);
}

std::uint8_t TTWLoom::HoleAt(const FlatCard& card, std::uint8_t position)
{
    return static_cast<std::uint8_t>(card.state.order >> (8 * position));
}

void TTWLoom::BeginPick()
{
    ++pick_;
    record_->BeforePick(pick_, cards_);
    row_ = weaving_.AddPick().Cells().data();
}

void TTWLoom::Apply(const TTWAction& action, int cardIndex)
{
    Apply(action, std::span<const int>(&cardIndex, 1));
}

void TTWLoom::Apply(const TTWAction& action, std::span<const int> cardIndices)
{
    const std::uint8_t direction = action.Dir();
    if (action.Type() == ActionTwist) {
        for (const int cardIndex : cardIndices) {
            if (cardIndex >= 0 && cardIndex < cardCount_) {
                Twist(leftCount_ + cardIndex, direction);
            }
        }
        return;
    }
    const std::uint8_t distance = action.Dist();
    if (!IsKnownTurn(direction, distance)) {
        for (const int cardIndex : cardIndices) {
            if (cardIndex >= 0 && cardIndex < cardCount_) {
                Turn(leftCount_ + cardIndex, direction, distance);
            }
        }
        return;
    }
    const bool twoHoles = distance == DistanceTwoHoles;
    if (direction == TurnBackwards) {
        return reverse_ ? TurnCards<true, true>(cardIndices, twoHoles) : TurnCards<false, true>(cardIndices, twoHoles);
    }
    return reverse_ ? TurnCards<true, false>(cardIndices, twoHoles) : TurnCards<false, false>(cardIndices, twoHoles);
}

template <bool Reverse, bool Backwards>
void TTWLoom::TurnCards(std::span<const int> cardIndices, bool twoHoles)
{
    constexpr bool backwards = Backwards;
    constexpr std::uint8_t direction = Backwards ? TurnBackwards : TurnForwards;
    const int kind = KindOfTurn(backwards, twoHoles);
    const int steps = twoHoles ? 2 : 1;
    // Held in locals: the cells are written byte by byte, and byte stores may alias anything,
    // which would make the compiler load the members again for every card.
    const int lastPlace = static_cast<int>(cards_.size()) - 1;
    const int leftCount = leftCount_;
    const auto cardCount = static_cast<unsigned>(cardCount_);
    FlatCard* const cards = cards_.data();
    TTWWeavingCell* const row = row_;
    const TTWColour missingHoleColour = missingHoleColour_;
    for (const int cardIndex : cardIndices) {
        if (static_cast<unsigned>(cardIndex) >= cardCount) {
            continue;
        }
        const int column = leftCount + cardIndex;
        FlatCard& card = cards[column];
        const int holes = card.holes;
        if (holes == 0) {
            continue;
        }
        const int position = card.state.position;
        const std::uint64_t order = card.state.order;
        // The hole on top counts from the threading order; its colour is that of the hole
        // now in the letter's place. Seen from behind it is the hole across the card.
        int top = position + (Reverse ? card.oppositeSteps[kind] : card.topSteps[kind]);
        top -= top >= holes ? holes : 0;
        TTWColour colour = 0;
        if constexpr (Reverse) {
            colour = card.colours[top];
        } else {
            const std::uint8_t shift = card.letterShifts[kind];
            colour = shift != NoPlace ? card.colours[static_cast<std::uint8_t>(order >> shift)] : missingHoleColour;
        }
        TTWWeavingCell& cell = row[Reverse ? lastPlace - column : column];
        cell.Colour = colour;
        cell.Slant = backwards ? FlippedThreading(card.state.thread) : card.state.thread;
        cell.Hole = static_cast<std::uint8_t>(top);
        cell.Reversal = direction != card.state.lastTurn;
        cell.Twisted = card.state.twisted;
        cell.TurnDir = direction;

        // Turning backwards by some holes is turning forwards by the rest of the card.
        const int forwardSteps = backwards ? holes - steps : steps;
        card.state.order = ((order << (8 * forwardSteps)) | (order >> (8 * (holes - forwardSteps)))) & card.orderMask;
        int moved = position + holes - forwardSteps;
        moved -= moved >= holes ? holes : 0;
        card.state.position = static_cast<std::uint8_t>(moved);
        card.state.lastTurn = direction;
        card.state.twisted = false;
    }
}

void TTWLoom::Turn(int column, std::uint8_t direction, std::uint8_t distance)
{
    FlatCard& card = cards_[static_cast<std::size_t>(column)];
    const int holes = card.holes;
    if (holes == 0) {
        return;
    }
    const bool known = IsKnownTurn(direction, distance);
    const bool backwards = direction == TurnBackwards;
    const bool twoHoles = distance == DistanceTwoHoles;
    // An idle or unknown turn shows the first letter and moves nothing.
    const int kind = KindOfTurn(backwards, twoHoles);
    int top = card.state.position + (known ? card.topSteps[kind] : 0);
    top -= top >= holes ? holes : 0;
    const std::uint8_t shift = known ? card.letterShifts[kind] : 0;
    TTWWeavingCell& cell = CellOf(column);
    if (reverse_) {
        top = Opposite(card, static_cast<std::uint8_t>(top));
        cell.Colour = card.colours[top];
    } else {
        cell.Colour = shift != NoPlace ? card.colours[static_cast<std::uint8_t>(card.state.order >> shift)]
                                       : missingHoleColour_;
    }
    cell.Slant = backwards ? FlippedThreading(card.state.thread) : card.state.thread;
    cell.Hole = static_cast<std::uint8_t>(top);
    cell.Reversal = direction != TurnIdle && direction != card.state.lastTurn;
    cell.Twisted = card.state.twisted;
    cell.TurnDir = direction;

    if (known) {
        const int steps = twoHoles ? 2 : 1;
        card.state.order = Rotated(card.state.order, card.orderMask, holes, !backwards, steps);
        int position = card.state.position + (backwards ? steps : -steps);
        if (position < 0) {
            position += holes;
        } else if (position >= holes) {
            position -= holes;
        }
        card.state.position = static_cast<std::uint8_t>(position);
    }
    if (direction != TurnIdle) {
        card.state.lastTurn = direction;
    }
    card.state.twisted = false;
}

void TTWLoom::Twist(int column, std::uint8_t direction)
{
    FlatCard& card = cards_[static_cast<std::size_t>(column)];
    if (card.holes == 0) {
        return;
    }
    card.state.thread = FlippedThreading(card.state.thread);
    card.state.position = static_cast<std::uint8_t>(card.state.position + 1 >= card.holes ? 0 : card.state.position + 1);
    card.state.twisted = !card.state.twisted;
    // Twists are rare beside turns: the card class is asked for its exchanges each time.
    for (const auto& [first, second] : card.card->TwistPairs(direction)) {
        if (first < card.holes && second < card.holes) {
            const std::uint64_t a = (card.state.order >> (8 * first)) & 0xFF;
            const std::uint64_t b = (card.state.order >> (8 * second)) & 0xFF;
            card.state.order &= ~((std::uint64_t{0xFF} << (8 * first)) | (std::uint64_t{0xFF} << (8 * second)));
            card.state.order |= (b << (8 * first)) | (a << (8 * second));
        }
    }
}

void TTWLoom::EndPick()
{
    // Selvedge cards turn forwards by one hole at every pick.
    const int width = static_cast<int>(cards_.size());
    for (int column = 0; column < leftCount_; ++column) {
        Turn(column, TurnForwards, DistanceOneHole);
    }
    for (int column = width - rightCount_; column < width; ++column) {
        Turn(column, TurnForwards, DistanceOneHole);
    }
    if (reverse_) {
        FillIdleCells<true>();
    } else {
        FillIdleCells<false>();
    }
    floats_.Add(pick_);
}

// A cell of a main card that no turn reached shows the thread that stays on top of its card.
// On the reverse side that is the one across the card, seen from behind, so its slant is
// flipped.
template <bool Reverse>
void TTWLoom::FillIdleCells()
{
    // Locals, for the reason given at TurnCards.
    const FlatCard* const cards = cards_.data();
    TTWWeavingCell* const row = row_;
    const int lastPlace = static_cast<int>(cards_.size()) - 1;
    for (int column = leftCount_, end = leftCount_ + cardCount_; column < end; ++column) {
        TTWWeavingCell& cell = row[Reverse ? lastPlace - column : column];
        const FlatCard& card = cards[column];
        // Most cells were turned: a branch that is mostly right costs less than working out
        // every cell.
        if (cell.TurnDir != TurnIdle || card.holes == 0) {
            continue;
        }
        if constexpr (Reverse) {
            const std::uint8_t opposite = Opposite(card, card.state.position);
            cell.Colour = card.colours[opposite];
            cell.Slant = FlippedThreading(card.state.thread);
            cell.Hole = opposite;
        } else {
            cell.Colour = card.colours[HoleAt(card, 0)];
            cell.Slant = card.state.thread;
            cell.Hole = card.state.position;
        }
    }
}

void TTWLoom::Finish()
{
    floats_.Finish();
    for (const FlatCard& flat : cards_) {
        if (flat.card == nullptr) {
            continue;
        }
        TTWCardBase::TurningState state;
        for (int position = 0; position < flat.holes; ++position) {
            state.order[static_cast<std::size_t>(position)] =
                static_cast<std::uint8_t>(flat.state.order >> (8 * position));
        }
        state.curPos = flat.state.position;
        state.curThread = flat.state.thread;
        state.lastTurn = flat.state.lastTurn;
        state.twisted = flat.state.twisted;
        flat.card->SetTurningState(state);
    }
    record_->AfterLastPick(pick_ + 1, cards_);
    weaving_.KeepLoomRecord(std::move(record_));
}
