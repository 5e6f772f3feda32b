#pragma once

#include <memory>
#include <span>
#include <vector>

#include "model/loom_card.h"

// What a loom leaves in the band it wove (TTWWeaving::KeepLoomRecord), so that a later weave
// can go on from a pick instead of from the first one: the cards as the loom took them up,
// and where they stood before every Interval-th pick and after the last one. A weave goes on
// only from a band woven with the very same setup (cards, colours, side), from the nearest
// state at or before the first pick that changed.
class TTWLoomRecord {
public:
    // Picks between two written states: a weave from a pick weaves at most this many rows
    // more than those from that pick on, and the states take 1/Interval of a card's cells.
    static constexpr int Interval = 128;

    // Everything besides the picks that decides what the loom weaves.
    struct Setup {
        // Every column's card as it stands before the first pick.
        std::vector<TTWLoomCard> cards;
        TTWColour missingHoleColour = 0;
        bool reverse = false;
        int leftCount = 0;
        int cardCount = 0;
        int rightCount = 0;

        bool operator==(const Setup&) const = default;
    };

    explicit TTWLoomRecord(Setup setup);

    const Setup& GetSetup() const { return setup_; }

    // Writes down where the cards stand before the 0-based pick, when it is one of every
    // Interval (or the first one after those written down).
    void BeforePick(int pick, std::span<const TTWLoomCard> cards)
    {
        if (pick % Interval == 0) {
            Write(pick / Interval, cards);
        }
    }
    // Writes down where the cards stand after the last of that many picks.
    void AfterLastPick(int picks, std::span<const TTWLoomCard> cards);

    // The pick a weave can go on from so as to weave the band again from the 0-based pick on,
    // when the band holds the rows up to bandPicks: the nearest one at or before it whose
    // state is written down; 0 when none.
    int ResumePick(int firstChangedPick, int bandPicks) const;
    // Puts the cards where they stood before that pick (one ResumePick answered) and forgets
    // every state after it, which the weave from there writes anew.
    void Resume(int pick, std::span<TTWLoomCard> cards);

private:
    void Write(int index, std::span<const TTWLoomCard> cards);

    Setup setup_;
    std::size_t width_ = 0;
    // States before picks 0, Interval, 2 Interval, ..., one per column each.
    std::vector<TTWLoomCardState> states_;
    // The states after the last pick, and the number of picks; -1 when not written.
    std::vector<TTWLoomCardState> lastStates_;
    int lastPicks_ = -1;
};
