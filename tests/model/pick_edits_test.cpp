// Corrections to picks woven already, on the model alone: direction swaps from a pick on,
// twists in front, the single-pick direction cycle, grid icons, pack cell texts and picks
// made from the pack selector.

#include <gtest/gtest.h>

#include "support/pick_texts.h"

#include <string>
#include <vector>

#include "model/action.h"
#include "model/pick.h"
#include "model/pick_edits.h"
#include "model/turning_codes.h"

namespace {

TTWPick* AddPick(TTWPickList& picks, std::initializer_list<std::pair<int, std::uint8_t>> turns)
{
    TTWPick* pick = picks.Add();
    for (const auto& [card, direction] : turns) {
        pick->Actions().Add(TTWAction::CreateCardTurn(card, direction, DistanceOneHole).release());
    }
    return pick;
}

TEST(PickEditsTest, DirectionToggleSwapsTheCardFromThePickOnAndPassesOverPicksWithoutIt)
{
    TTWPickList picks;
    AddPick(picks, {{1, TurnForwards}, {2, TurnForwards}});
    AddPick(picks, {{1, TurnBackwards}, {2, TurnForwards}});
    AddPick(picks, {{2, TurnBackwards}});
    AddPick(picks, {{1, TurnIdle}, {2, TurnForwards}});
    AddPick(picks, {{1, TurnForwards}});
    ToggleDirFollowing(picks, 2, 1);
    EXPECT_EQ(ActionsText(*picks.Items(0)), "1F 2F");
    EXPECT_EQ(ActionsText(*picks.Items(1)), "1F 2F");
    EXPECT_EQ(ActionsText(*picks.Items(2)), "2B");
    // Idle stays idle.
    EXPECT_EQ(ActionsText(*picks.Items(3)), "1I 2F");
    EXPECT_EQ(ActionsText(*picks.Items(4)), "1B");
    // Outside the picks nothing happens.
    ToggleDirFollowing(picks, 0, 2);
    ToggleDirFollowing(picks, 9, 2);
    EXPECT_EQ(ActionsText(*picks.Items(0)), "1F 2F");
}

TEST(PickEditsTest, ATwistGoesInFrontOfTheTurnsAndComesOutAgain)
{
    TTWPickList picks;
    TTWPick* pick = AddPick(picks, {{1, TurnForwards}, {2, TurnBackwards}});
    EXPECT_TRUE(ToggleTwist(*pick, TTWActionTarget::ForCard(2)));
    EXPECT_EQ(ActionsText(*pick), "2T 1F 2B");
    EXPECT_EQ(pick->Actions().Items(0)->TwistDir(), TwistV);
    EXPECT_TRUE(ToggleTwist(*pick, TTWActionTarget::ForCard(1)));
    EXPECT_EQ(ActionsText(*pick), "1T 2T 1F 2B");
    EXPECT_FALSE(ToggleTwist(*pick, TTWActionTarget::ForCard(2)));
    EXPECT_EQ(ActionsText(*pick), "1T 1F 2B");
    // Packs alike, by name without regard to case.
    EXPECT_TRUE(ToggleTwist(*pick, TTWActionTarget::ForPack("Left")));
    EXPECT_TRUE(pick->Actions().Items(0)->IsPackAction());
    EXPECT_FALSE(ToggleTwist(*pick, TTWActionTarget::ForPack("LEFT")));
    EXPECT_EQ(ActionsText(*pick), "1T 1F 2B");
}

TEST(PickEditsTest, TheSingleDirectionCycleRunsIdleForwardsBackwards)
{
    TTWPickList picks;
    TTWPick* pick = AddPick(picks, {{1, TurnForwards}});
    CycleDirSingle(*pick, 1);
    EXPECT_EQ(ActionsText(*pick), "1B");
    CycleDirSingle(*pick, 1);
    EXPECT_EQ(ActionsText(*pick), "1I");
    CycleDirSingle(*pick, 1);
    EXPECT_EQ(ActionsText(*pick), "1F");
    // A card without a turn is idle: it turns forwards now.
    CycleDirSingle(*pick, 3);
    EXPECT_EQ(ActionsText(*pick), "1F 3F");
}

TEST(PickEditsTest, SettingATurnChangesTheTurnOrAddsOne)
{
    TTWPickList picks;
    TTWPick* pick = AddPick(picks, {{2, TurnForwards}});
    SetTurnDirection(*pick, TTWActionTarget::ForCard(2), TurnIdle);
    SetTurnDirection(*pick, TTWActionTarget::ForCard(4), TurnBackwards);
    SetTurnDirection(*pick, TTWActionTarget::ForPack("Border"), TurnForwards);
    EXPECT_EQ(ActionsText(*pick), "2I 4B BorderF");
    EXPECT_EQ(pick->Actions().Items(1)->Dist(), DistanceOneHole);
}

TEST(PickEditsTest, GridIconsFollowDirectionAndTwist)
{
    TTWPickList picks;
    TTWPick* pick = AddPick(picks, {{1, TurnForwards}, {2, TurnBackwards}, {3, TurnIdle}});
    ToggleTwist(*pick, TTWActionTarget::ForCard(2));
    ToggleTwist(*pick, TTWActionTarget::ForCard(4));
    EXPECT_EQ(GridIconOf(*pick, TTWActionTarget::ForCard(1)), 0);
    EXPECT_EQ(GridIconOf(*pick, TTWActionTarget::ForCard(2)), 4);
    EXPECT_EQ(GridIconOf(*pick, TTWActionTarget::ForCard(3)), 2);
    // Twisted without turning: idle + twist.
    EXPECT_EQ(GridIconOf(*pick, TTWActionTarget::ForCard(4)), 5);
    EXPECT_EQ(GridIconOf(*pick, TTWActionTarget::ForCard(5)), 2);

    EXPECT_EQ(GridIconAfterTurn(4, TurnIdle), 5);
    EXPECT_EQ(GridIconAfterTurn(4, TurnForwards), 3);
    EXPECT_EQ(GridIconAfterTurn(2, TurnBackwards), 1);
    EXPECT_EQ(GridIconAfterTwist(1, true), 4);
    EXPECT_EQ(GridIconAfterTwist(5, false), 2);
}

TEST(PickEditsTest, PackCellTextsShowDirectionDistanceIdleAndTheTwistMark)
{
    TTWPick pick;
    pick.Actions().Add(TTWAction::CreatePackTurn("Left", TurnBackwards, DistanceTwoHoles).release());
    pick.Actions().Add(TTWAction::CreatePackTwist("left", TwistV).release());
    pick.Actions().Add(TTWAction::CreatePackTurn("Right", TurnIdle, DistanceOneHole).release());
    pick.Actions().Add(TTWAction::CreatePackTurn("Right", TurnForwards, DistanceOneHole).release());
    pick.Actions().Add(TTWAction::CreateCardTurn(1, TurnForwards, DistanceOneHole).release());
    EXPECT_EQ(PackActionCellText(pick, "Left"), "*B (2)");
    EXPECT_EQ(PackActionCellText(pick, "Right"), "IdleF");
    EXPECT_EQ(PackActionCellText(pick, "Other"), "");
}

TEST(PickEditsTest, PacksSelectorPicksTwistThenTurnAndLeaveOutExcludedPacks)
{
    TTWPick pick;
    pick.Actions().Add(TTWAction::CreateCardTurn(9, TurnForwards, DistanceOneHole).release());
    const std::vector<TTWPackChoice> choices = {
        TTWPackChoice{"A", false, true, 1},
        TTWPackChoice{"B", false, false, -1},
        TTWPackChoice{"C", true, true, 1},
        TTWPackChoice{"D", false, true, 0},
    };
    BuildPickFromPacks(pick, choices, false);
    EXPECT_EQ(ActionsText(pick), "AT AF BB DT");
    BuildPickFromPacks(pick, choices, true);
    EXPECT_EQ(ActionsText(pick), "AT AB BF DT");
    for (int i = 0; i < pick.Actions().Count(); ++i) {
        EXPECT_TRUE(pick.Actions().Items(i)->IsPackAction());
    }
}

} // namespace
