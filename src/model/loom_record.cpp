#include "model/loom_record.h"

#include <algorithm>
#include <utility>

TTWLoomRecord::TTWLoomRecord(Setup setup) : setup_(std::move(setup)), width_(setup_.cards.size()) {}

void TTWLoomRecord::Write(int index, std::span<const TTWLoomCard> cards)
{
    // Whatever was written from this index on belongs to rows woven before, now woven again.
    states_.resize(static_cast<std::size_t>(index) * width_);
    for (const TTWLoomCard& card : cards) {
        states_.push_back(card.state);
    }
}

void TTWLoomRecord::AfterLastPick(int picks, std::span<const TTWLoomCard> cards)
{
    lastStates_.clear();
    for (const TTWLoomCard& card : cards) {
        lastStates_.push_back(card.state);
    }
    lastPicks_ = picks;
}

int TTWLoomRecord::ResumePick(int firstChangedPick, int bandPicks) const
{
    const int wanted = std::clamp(firstChangedPick, 0, bandPicks);
    if (lastPicks_ == bandPicks && wanted == bandPicks) {
        return bandPicks;
    }
    const int written = width_ > 0 ? static_cast<int>(states_.size() / width_) : 0;
    const int index = std::min(wanted / Interval, written - 1);
    return index > 0 ? index * Interval : 0;
}

void TTWLoomRecord::Resume(int pick, std::span<TTWLoomCard> cards)
{
    const TTWLoomCardState* states = nullptr;
    if (pick == lastPicks_) {
        states = lastStates_.data();
    } else {
        states = states_.data() + static_cast<std::size_t>(pick / Interval) * width_;
    }
    for (std::size_t column = 0; column < cards.size() && column < width_; ++column) {
        cards[column].state = states[column];
    }
    // Resuming at a written state keeps it: the weave writes it again, the same.
    states_.resize(std::min(states_.size(), static_cast<std::size_t>((pick + Interval - 1) / Interval) * width_));
    lastPicks_ = -1;
    lastStates_.clear();
}
