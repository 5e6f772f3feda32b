#include "model/pick_edits.h"

#include <memory>

#include "framework/core/strings.h"
#include "model/action.h"
#include "model/pick.h"
#include "model/turning_codes.h"

namespace {

TTWAction* FindTurn(const TTWActionList& actions, const TTWActionTarget& target)
{
    return target.Pack ? actions.FindPackTurn(target.PackName) : actions.FindCardTurn(target.Card);
}

TTWAction* FindTwist(const TTWActionList& actions, const TTWActionTarget& target)
{
    return target.Pack ? actions.FindPackTwist(target.PackName) : actions.FindCardTwist(target.Card);
}

std::unique_ptr<TTWAction> NewTurn(const TTWActionTarget& target, std::uint8_t direction)
{
    return target.Pack ? TTWAction::CreatePackTurn(target.PackName, direction, DistanceOneHole)
                       : TTWAction::CreateCardTurn(target.Card, direction, DistanceOneHole);
}

std::unique_ptr<TTWAction> NewTwist(const TTWActionTarget& target)
{
    return target.Pack ? TTWAction::CreatePackTwist(target.PackName, TwistV)
                       : TTWAction::CreateCardTwist(target.Card, TwistV);
}

// The grid icon's twist part (0 or 3) and its turn part (0, 1 or 2).
constexpr int TwistIconOffset = 3;
constexpr int IdleIcon = 2;

int TurnIcon(std::uint8_t direction)
{
    switch (direction) {
    case TurnForwards:
        return 0;
    case TurnBackwards:
        return 1;
    default:
        return IdleIcon;
    }
}

} // namespace

std::uint8_t SwappedTurnDirection(std::uint8_t direction)
{
    switch (direction) {
    case TurnForwards:
        return TurnBackwards;
    case TurnBackwards:
        return TurnForwards;
    default:
        return direction;
    }
}

void ToggleDirFollowing(TTWPickList& picks, int pickNumber, int cardNumber)
{
    if (pickNumber < 1) {
        return;
    }
    for (int index = pickNumber - 1; index < picks.Count(); ++index) {
        if (TTWAction* turn = picks.Items(index)->Actions().FindCardTurn(cardNumber)) {
            turn->SetTurnDir(SwappedTurnDirection(turn->TurnDir()));
        }
    }
}

bool ToggleTwist(TTWPick& pick, const TTWActionTarget& target)
{
    TTWActionList& actions = pick.Actions();
    if (TTWAction* twist = FindTwist(actions, target)) {
        actions.Remove(twist);
        return false;
    }
    actions.Insert(0, NewTwist(target).release());
    return true;
}

void CycleDirSingle(TTWPick& pick, int cardNumber)
{
    TTWAction* turn = pick.Actions().FindCardTurn(cardNumber);
    if (turn == nullptr) {
        pick.Actions().Add(NewTurn(TTWActionTarget::ForCard(cardNumber), TurnForwards).release());
        return;
    }
    switch (turn->TurnDir()) {
    case TurnIdle:
        turn->SetTurnDir(TurnForwards);
        break;
    case TurnForwards:
        turn->SetTurnDir(TurnBackwards);
        break;
    default:
        turn->SetTurnDir(TurnIdle);
        break;
    }
}

void SetTurnDirection(TTWPick& pick, const TTWActionTarget& target, std::uint8_t direction)
{
    if (TTWAction* turn = FindTurn(pick.Actions(), target)) {
        turn->SetTurnDir(direction);
        return;
    }
    pick.Actions().Add(NewTurn(target, direction).release());
}

int GridIconOf(const TTWPick& pick, const TTWActionTarget& target)
{
    const TTWAction* turn = FindTurn(pick.Actions(), target);
    const int icon = TurnIcon(turn != nullptr ? turn->TurnDir() : TurnIdle);
    return FindTwist(pick.Actions(), target) != nullptr ? icon + TwistIconOffset : icon;
}

int GridIconAfterTurn(int icon, std::uint8_t direction)
{
    const int base = icon >= TwistIconOffset ? TwistIconOffset : 0;
    return base + TurnIcon(direction);
}

int GridIconAfterTwist(int icon, bool twisted)
{
    return twisted ? icon + TwistIconOffset : icon - TwistIconOffset;
}

std::string PackActionCellText(const TTWPick& pick, std::string_view packName)
{
    std::string text;
    bool twisted = false;
    const TTWActionList& actions = pick.Actions();
    for (int i = 0; i < actions.Count(); ++i) {
        const TTWAction& action = *actions.Items(i);
        // Pack names match without regard to case, as the model finds them.
        if (!action.IsPackAction() || !fw::SameText(action.TargetID(), packName)) {
            continue;
        }
        if (action.IsTwist()) {
            twisted = true;
        } else if (action.TurnDir() == TurnIdle) {
            text += "Idle";
        } else {
            text += TurnDirText(action.TurnDir());
            if (action.Dist() == DistanceTwoHoles) {
                text += " (2)";
            }
        }
    }
    return twisted ? "*" + text : text;
}

void BuildPickFromPacks(TTWPick& pick, const std::vector<TTWPackChoice>& choices, bool reverse)
{
    TTWActionList& actions = pick.Actions();
    actions.Clear();
    for (const TTWPackChoice& choice : choices) {
        if (choice.Excluded) {
            continue;
        }
        const TTWActionTarget target = TTWActionTarget::ForPack(choice.PackName);
        if (choice.Twist) {
            actions.Add(NewTwist(target).release());
        }
        if (choice.Movement != 0) {
            std::uint8_t direction = choice.Movement > 0 ? TurnForwards : TurnBackwards;
            if (reverse) {
                direction = SwappedTurnDirection(direction);
            }
            actions.Add(NewTurn(target, direction).release());
        }
    }
}
