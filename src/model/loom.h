#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/action.h"
#include "model/card.h"
#include "model/float_runs.h"
#include "model/loom_card.h"
#include "model/loom_record.h"
#include "model/palette.h"
#include "model/weaving.h"

class TTWCardList;

// Weaves a band row by row for the threaded-in pattern. The cards of the band's columns are
// copied into flat values when the loom is set up (TTWLoomCard): the hole order packed into
// one word, the hole colours already looked up in the palette. Turning one of them is then a
// shift and a few stores instead of moving hole objects and asking the card class through
// virtual calls, which is what a band of millions of cells needs. Floats are marked as the
// rows are woven, while the newest rows are still in the cache. Finish hands the state the
// last pick left back to the cards.
//
// Picks before the first one that changed weave as they did before, so a band need not be
// woven again from its start: the loom writes down where the cards stand along the band
// (TTWLoomRecord, kept in the band) and Start goes on from there when the cards, their colours
// and the side are the same as then.
class TTWLoom {
public:
    // The columns are the left selvedge, the main cards and the right selvedge, in that
    // order; seen from behind the first column is on the right. Idle cells are filled only
    // for the main cards. The cards must stand where the first pick finds them.
    TTWLoom(TTWWeaving& weaving, const TTWPalette& palette, bool reverse, const TTWCardList& left,
            const TTWCardList& cards, const TTWCardList& right);

    // Readies the band for rows from the 0-based first changed pick on, room made for rows in
    // all, and answers the pick weaving goes on from. When the band was woven last by a loom
    // of this setup, that is the nearest pick at or before the first changed one whose state
    // was written down; the rows before it stay, the rest go and the loom's cards stand as
    // those rows left them. Otherwise the band is emptied and weaving starts from pick 0. A
    // band too large is refused, and then left empty.
    int Start(int firstChangedPick, int rows);

    // Appends the next row of the band; the actions that follow are woven into it.
    void BeginPick();
    // Turns or twists the main card of the 0-based index, or each of the cards listed; a
    // turn shows what comes on top in the card's cell, a twist shows in its next turn. An
    // index without a card does nothing.
    void Apply(const TTWAction& action, int cardIndex);
    void Apply(const TTWAction& action, std::span<const int> cardIndices);
    // Turns both selvedges forwards by one hole, then fills the cells of the main cards that
    // no turn reached with the thread that stays on top, and marks the floats the new row
    // completes.
    void EndPick();

    // Closes the floats still open at the last row, writes the turning state of every card
    // back to it and leaves the record of the weave in the band.
    void Finish();

private:
    using FlatCard = TTWLoomCard;
    static constexpr std::uint8_t NoPlace = TTWLoomCard::NoPlace;

    void AddCards(const TTWCardList& cards);
    // Any turn, also an idle or unknown one, of the card of the band column.
    void Turn(int column, std::uint8_t direction, std::uint8_t distance);
    // A forwards or backwards turn by one or two holes of each main card listed. Made once
    // for each side and direction, so that neither is decided anew for every card.
    template <bool Reverse, bool Backwards>
    void TurnCards(std::span<const int> cardIndices, bool twoHoles);
    void Twist(int column, std::uint8_t direction);
    template <bool Reverse>
    void FillIdleCells();
    TTWWeavingCell& CellOf(int column) const;
    // The hole across the card from the position.
    static std::uint8_t Opposite(const FlatCard& card, std::uint8_t position);
    static std::uint8_t HoleAt(const FlatCard& card, std::uint8_t position);
    TTWLoomRecord::Setup MakeSetup() const;

    TTWWeaving& weaving_;
    const TTWPalette& palette_;
    bool reverse_;
    int leftCount_ = 0;
    int cardCount_ = 0;
    int rightCount_ = 0;
    // One per column of the band, left to right as seen from the front.
    std::vector<FlatCard> cards_;
    // The row being woven and its 0-based pick.
    TTWWeavingCell* row_ = nullptr;
    int pick_ = -1;
    // The colour a card shows for a hole that does not exist: palette index 0.
    TTWColour missingHoleColour_ = 0;
    TTWFloatRuns floats_;
    std::unique_ptr<TTWLoomRecord> record_;
};
