#pragma once

// Random threaded-in patterns for the weaving tests: cards of every hole count, selvedges,
// packs and picks of any action, including codes no file should hold.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/threaded_pattern.h"

namespace random_patterns {

// A small linear congruential generator: the same seed gives the same pattern everywhere.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    int Below(int bound)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(bound));
    }

private:
    std::uint32_t state_;
};

inline void AddCard(TTWCardList& cards, int holes, Random& random, int colours)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(holes);
    for (int hole = 0; hole < holes; ++hole) {
        card->SetHoleColour(hole, random.Below(colours));
    }
    card->SetThreading(random.Below(2) == 0 ? ThreadingS : ThreadingZ);
    cards.Add(card.release());
}

// Directions and distances include codes no file should hold: they must show and move what
// the card classes make of them.
inline std::unique_ptr<TTWAction> RandomAction(Random& random, int cardCount, int packCount)
{
    std::unique_ptr<TTWAction> action;
    const bool pack = packCount > 0 && random.Below(4) == 0;
    const std::string pickedPack(1, static_cast<char>((random.Below(2) == 0 ? 'A' : 'a') + random.Below(packCount + 1)));
    const int card = random.Below(cardCount + 3) - 1;
    if (random.Below(6) == 0) {
        const std::uint8_t twist = static_cast<std::uint8_t>(random.Below(6));
        action = pack ? TTWAction::CreatePackTwist(pickedPack, twist) : TTWAction::CreateCardTwist(card, twist);
    } else {
        const std::uint8_t direction = static_cast<std::uint8_t>(random.Below(10) == 0 ? 3 + random.Below(3) : random.Below(3));
        const std::uint8_t distance = static_cast<std::uint8_t>(random.Below(12) == 0 ? 2 : random.Below(2));
        action = pack ? TTWAction::CreatePackTurn(pickedPack, direction, distance)
                      : TTWAction::CreateCardTurn(card, direction, distance);
    }
    return action;
}

// Cards of every hole count, selvedges of their own, packs with members that name no card,
// picks that turn one card twice, twist before and after turning, or do nothing at all.
inline void MakeRandomPattern(TTWPattern& pattern, std::uint32_t seed)
{
    Random random(seed);
    const int colours = pattern.Palette().Size() + 3;
    for (int k = random.Below(3); k > 0; --k) {
        AddCard(pattern.SelvedgeLeft(), MinCardHoles + random.Below(6), random, colours);
    }
    for (int k = random.Below(3); k > 0; --k) {
        AddCard(pattern.SelvedgeRight(), MinCardHoles + random.Below(6), random, colours);
    }
    const int cardCount = 1 + random.Below(12);
    for (int k = 0; k < cardCount; ++k) {
        AddCard(pattern.Cards(), MinCardHoles + random.Below(6), random, colours);
    }
    const int packCount = random.Below(4);
    for (int p = 0; p < packCount; ++p) {
        auto pack = std::make_unique<TTWPack>();
        pack->Name = std::string(1, static_cast<char>('A' + p));
        pack->SetSize(1 + random.Below(cardCount + 2));
        for (int i = 0; i < pack->Size(); ++i) {
            pack->SetMember(i, random.Below(cardCount + 3) - 1);
        }
        pack->SetCardList(&pattern.Cards());
        pattern.Packs().Add(pack.release());
    }
    const int pickCount = 1 + random.Below(40);
    for (int p = 0; p < pickCount; ++p) {
        TTWPick& pick = *pattern.Picks().Add();
        for (int a = random.Below(cardCount + 3); a > 0; --a) {
            pick.Actions().Add(RandomAction(random, cardCount, packCount).release());
        }
    }
}

inline std::vector<TTWCardBase::TurningState> StatesOf(const TTWPattern& pattern)
{
    std::vector<TTWCardBase::TurningState> states;
    for (const TTWCardList* list : {&pattern.SelvedgeLeft(), &pattern.Cards(), &pattern.SelvedgeRight()}) {
        for (int i = 0; i < list->Count(); ++i) {
            states.push_back(list->GetCard(i)->GetTurningState());
        }
    }
    return states;
}

inline bool SameState(const TTWCardBase::TurningState& a, const TTWCardBase::TurningState& b)
{
    return a.order == b.order && a.curPos == b.curPos && a.curThread == b.curThread && a.lastTurn == b.lastTurn
           && a.twisted == b.twisted;
}

} // namespace random_patterns
