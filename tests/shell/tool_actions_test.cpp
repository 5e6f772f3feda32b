#include <gtest/gtest.h>

#include <vector>

#include "shell/tool_actions.h"

namespace {

std::vector<int> Ids(const TTWToolActionList& list)
{
    std::vector<int> ids;
    for (int i = 0; i < list.Count(); ++i) {
        ids.push_back(list.Items(i)->ID);
    }
    return ids;
}

} // namespace

TEST(ToolActionList, FindAnswersTheFirstActionWithTheIdOrNone)
{
    TTWToolActionList list;
    EXPECT_EQ(list.Find(3), nullptr);
    auto* first = new TTWToolAction(3, true, false);
    list.Add(first);
    // A list may hold an id twice when an editor appends blindly; the first one counts.
    list.Add(new TTWToolAction(3, false, true));
    EXPECT_EQ(list.Find(3), first);
    EXPECT_EQ(list.Find(4), nullptr);
}

TEST(ToolActionList, AddingAnIdTwiceKeepsTheFirstAndItsState)
{
    TTWToolActionList list;
    list.AddRemoveAction(300, true);
    ASSERT_NE(list.Find(300), nullptr);
    EXPECT_TRUE(list.Find(300)->Enabled);
    EXPECT_FALSE(list.Find(300)->Down);

    list.Find(300)->Down = true;
    list.AddRemoveAction(300, true);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Find(300)->Down) << "an id already there stays as it is";

    list.AddRemoveAction(300, false);
    EXPECT_EQ(list.Count(), 0);
    // Removing what is not there changes nothing.
    list.AddRemoveAction(301, false);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ToolActionList, EnableAndDisableTakeTheIdsInOrder)
{
    TTWToolActionList list;
    list.EnableActions({601, 602, 603, 602});
    EXPECT_EQ(Ids(list), (std::vector<int>{601, 602, 603}));
    list.DisableActions({602, 999});
    EXPECT_EQ(Ids(list), (std::vector<int>{601, 603}));
}

TEST(ToolActionList, SetActionUpdatesInPlaceOrAppends)
{
    TTWToolActionList list;
    list.EnableActions({1, 2});
    TTWToolAction* updated = list.SetAction(1, false, true);
    EXPECT_EQ(updated, list.Find(1));
    EXPECT_FALSE(updated->Enabled);
    EXPECT_TRUE(updated->Down);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2})) << "updated where it was";

    TTWToolAction* appended = list.SetAction(613, true, true);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 613}));
    EXPECT_TRUE(appended->Enabled);
    EXPECT_TRUE(appended->Down);
}
