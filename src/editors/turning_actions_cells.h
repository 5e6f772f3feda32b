#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTWAction;
class TTWActionList;
class TTWPackList;
class TTWPattern;

// What the turning-action display writes for each card and pick, and where each card stands
// at the start of each pick: the reading of a pattern that the display and the card-position
// window share, with no window involved.

// A card's text for one action: a turn "F" for forwards and "B" otherwise, followed by "2"
// for a turn by two holes; a twist "T".
std::string CardActionText(const TTWAction& action);

// The text of every card (index 0 is card 1) for the actions of one pick: each action written
// into the cell of its card, a pack action into the cells of every card of the pack, the
// texts of several actions on one card joined in action order. Cards outside 1 .. cardCount
// and packs that do not exist are passed over.
std::vector<std::string> CardCellTexts(const TTWActionList& actions, int cardCount, const TTWPackList* packs);

// The first card number an edit's text gives: its integer, 1 when it is none, at least 1.
int FirstCardNumberFrom(std::string_view text);

// The caption of the card column of the card index (0 is the leftmost column): the first
// card number + index from left to right, or + (cardCount - 1 - index) from right to left.
int CardColumnNumber(int index, int cardCount, int firstCardNumber, bool leftToRight);

// Where one card stands: the letter of its top hole and its threading.
struct TTWCardPosition {
    char TopHole = 'A';
    std::uint8_t Threading = 0;
    friend bool operator==(const TTWCardPosition&, const TTWCardPosition&) = default;
};

// For every pick, the position of every card at its start: the cards start in their threaded
// position and each pick's actions move them on (a pack's through every card of the pack).
// The pattern's own cards are left as they are: the reading turns copies.
std::vector<std::vector<TTWCardPosition>> CardPositionsAtPicks(const TTWPattern& pattern);
