#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <typeinfo>

#include "model/card.h"
#include "model/palette.h"

// Where a card of the loom stands: what turning moves. Kept apart from the rest of the card
// so that the loom can write it down along the band and take it up again.
struct TTWLoomCardState {
    // Byte i: the threading index of the hole at position i of the current order.
    std::uint64_t order = 0;
    std::uint8_t position = 0;
    std::uint8_t thread = 0;
    std::uint8_t lastTurn = 0;
    bool twisted = false;

    bool operator==(const TTWLoomCardState&) const = default;
};

// A card of the loom as flat values (see loom.h): its state, the hole order packed into one
// word, the hole colours already looked up in the palette, and what each known turn brings
// on top.
struct TTWLoomCard {
    TTWLoomCardState state;
    // The bits of the order that hold holes.
    std::uint64_t orderMask = 0;
    // The palette colour of each hole, in threading order.
    TTWColour colours[MaxCardHoles] = {};
    // For each known turn (forwards one, forwards two, backwards one, backwards two holes):
    // the card class's hole on top as a step from the card's position, the step to the hole
    // across from it, and the bit offset of its place in the order (NoPlace when the card has
    // no such place).
    std::uint8_t topSteps[4] = {};
    std::uint8_t oppositeSteps[4] = {};
    std::uint8_t letterShifts[4] = {};
    TTWCardBase* card = nullptr;
    // The card's class, which decides how a twist exchanges the holes. Kept apart from the
    // card, which a record may outlive.
    const std::type_info* cardClass = nullptr;
    // 0 for a place in the list that holds no card.
    std::uint8_t holes = 0;

    static constexpr std::uint8_t NoPlace = 0xFF;

    // Two cards weave alike when their values agree and they are of one class. Which object
    // each came from does not matter: an editor that makes its cards again for every change
    // still finds its band woven from the same.
    bool operator==(const TTWLoomCard& other) const
    {
        const bool sameClass = cardClass == nullptr || other.cardClass == nullptr ? cardClass == other.cardClass
                                                                                  : *cardClass == *other.cardClass;
        return sameClass && state == other.state && orderMask == other.orderMask && holes == other.holes
               && std::equal(std::begin(colours), std::end(colours), std::begin(other.colours))
               && std::equal(std::begin(topSteps), std::end(topSteps), std::begin(other.topSteps))
               && std::equal(std::begin(oppositeSteps), std::end(oppositeSteps), std::begin(other.oppositeSteps))
               && std::equal(std::begin(letterShifts), std::end(letterShifts), std::begin(other.letterShifts));
    }
};
