#include "editors/turning_actions_cells.h"

#include <memory>

#include "framework/core/strings.h"
#include "model/action.h"
#include "model/card_list.h"
#include "model/pack.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"

namespace {

// The card numbers an action addresses: its card, or every card of its pack.
std::vector<int> AddressedCards(const TTWAction& action, const TTWPackList* packs)
{
    if (action.IsCardAction()) {
        return {action.CardNumber()};
    }
    const TTWPack* pack = packs != nullptr ? packs->FindByName(action.TargetID()) : nullptr;
    return pack != nullptr ? pack->Members() : std::vector<int>{};
}

void Apply(const TTWAction& action, TTWCardBase& card)
{
    if (action.IsTwist()) {
        card.Twist(action.TwistDir());
    } else {
        card.Turn(action.TurnDir(), action.Dist());
    }
}

} // namespace

std::string CardActionText(const TTWAction& action)
{
    if (action.IsTwist()) {
        return "T";
    }
    std::string text = action.TurnDir() == TurnForwards ? "F" : "B";
    if (action.Dist() == DistanceTwoHoles) {
        text += "2";
    }
    return text;
}

std::vector<std::string> CardCellTexts(const TTWActionList& actions, int cardCount, const TTWPackList* packs)
{
    std::vector<std::string> texts(static_cast<std::size_t>(cardCount > 0 ? cardCount : 0));
    for (int i = 0; i < actions.Count(); ++i) {
        const TTWAction& action = *actions.Items(i);
        const std::string text = CardActionText(action);
        for (int card : AddressedCards(action, packs)) {
            if (card >= 1 && card <= cardCount) {
                texts[static_cast<std::size_t>(card - 1)] += text;
            }
        }
    }
    return texts;
}

int FirstCardNumberFrom(std::string_view text)
{
    int number = 1;
    if (!fw::TryStrToInt(fw::Trim(text), number)) {
        number = 1;
    }
    return number < 1 ? 1 : number;
}

int CardColumnNumber(int index, int cardCount, int firstCardNumber, bool leftToRight)
{
    return leftToRight ? firstCardNumber + index : firstCardNumber + (cardCount - 1 - index);
}

std::vector<std::vector<TTWCardPosition>> CardPositionsAtPicks(const TTWPattern& pattern)
{
    TTWCardList cards;
    cards.Assign(pattern.Cards());
    cards.ResetAll();
    std::vector<std::vector<TTWCardPosition>> positions;
    positions.reserve(static_cast<std::size_t>(pattern.Picks().Count()));
    for (int p = 0; p < pattern.Picks().Count(); ++p) {
        std::vector<TTWCardPosition>& row = positions.emplace_back();
        for (int c = 0; c < cards.Count(); ++c) {
            const TTWCardBase* card = cards.GetCard(c);
            row.push_back(TTWCardPosition{static_cast<char>('A' + card->CurPos()), card->CurThread()});
        }
        const TTWActionList& actions = pattern.Picks().GetPick(p)->Actions();
        for (int a = 0; a < actions.Count(); ++a) {
            const TTWAction& action = *actions.Items(a);
            for (int number : AddressedCards(action, &pattern.Packs())) {
                if (TTWCardBase* card = cards.GetCard(number - 1)) {
                    Apply(action, *card);
                }
            }
        }
    }
    return positions;
}
