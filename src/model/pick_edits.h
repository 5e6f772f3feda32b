#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTWPick;
class TTWPickList;
class TTWPackList;

// Corrections to picks already woven, as the threaded-in editor makes them from clicks on
// the woven image, from the action grid and from the pack selector. They live in the model
// so that they can be checked without a window, and the editor only has to say afterwards
// what changed.

// What a turning action of the editor addresses: one card (by its 1-based number) or one
// pack (by its name).
struct TTWActionTarget {
    bool Pack = false;
    int Card = 0;
    std::string PackName;

    static TTWActionTarget ForCard(int cardNumber) { return TTWActionTarget{false, cardNumber, {}}; }
    static TTWActionTarget ForPack(std::string_view name) { return TTWActionTarget{true, 0, std::string(name)}; }
};

// Forwards and backwards exchanged; idle (and anything else) stays as it is.
std::uint8_t SwappedTurnDirection(std::uint8_t direction);

// The card's turn in this pick and in every later one swaps forwards and backwards; picks
// in which the card does not turn are passed over. pickNumber is 1-based; nothing happens
// outside the picks.
void ToggleDirFollowing(TTWPickList& picks, int pickNumber, int cardNumber);

// The target's twist leaves the pick, or, when it has none, a twist (direction V) goes in
// front of every other action of the pick. Answers whether the pick has the twist now.
bool ToggleTwist(TTWPick& pick, const TTWActionTarget& target);

// The card's turn direction in the pick moves on idle -> forwards -> backwards -> idle; a
// card without a turn counts as idle and gets one (by one hole).
void CycleDirSingle(TTWPick& pick, int cardNumber);

// The target's turn in the pick takes the direction; a turn by one hole is added at the end
// when it has none.
void SetTurnDirection(TTWPick& pick, const TTWActionTarget& target, std::uint8_t direction);

// The icon of the action grid for the target in the pick: 0 forwards, 1 backwards, 2 idle
// (also without a turn), each + 3 when the target is twisted in that pick.
int GridIconOf(const TTWPick& pick, const TTWActionTarget& target);
// The grid icon after a change, from the icon shown before: a new turn direction keeps the
// twist part (base 0 or 3) and adds 0 forwards, 1 backwards, 2 idle; a twist added adds 3,
// one removed takes 3 away.
int GridIconAfterTurn(int icon, std::uint8_t direction);
int GridIconAfterTwist(int icon, bool twisted);

// The text of the pack-action list for one pack in one pick: per turn of the pack "Idle"
// for an idle turn, else the direction letter with " (2)" for a turn by two holes,
// appended in action order; a twist puts "*" in front.
std::string PackActionCellText(const TTWPick& pick, std::string_view packName);

// One pack column of the pack selector as the weaver has set it.
struct TTWPackChoice {
    std::string PackName;
    // The heading was clicked off: the pack takes no part in the pick.
    bool Excluded = false;
    bool Twist = false;
    // 1 forwards, -1 backwards, 0 idle.
    int Movement = 0;
};

// The pick's actions replaced by those of the pack selector: per pack taking part, a pack
// twist (direction V) when asked for, then a pack turn by one hole when it moves (forwards
// for 1, backwards for -1; the two exchanged when reverse).
void BuildPickFromPacks(TTWPick& pick, const std::vector<TTWPackChoice>& choices, bool reverse);
