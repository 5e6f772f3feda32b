// What an edit reports as changed: parts combine without losing one another, and each kind
// of pick change carries the picks it names.

#include <gtest/gtest.h>

#include "model/pattern_change.h"

namespace {

TEST(PatternChangeTest, PartsCombineAndEachIsFoundAlone)
{
    const TTWPatternChange change = TTWPatternChange::Of(TTWPatternPart::Packs | TTWPatternPart::Palette);
    EXPECT_TRUE(change.Has(TTWPatternPart::Packs));
    EXPECT_TRUE(change.Has(TTWPatternPart::Palette));
    EXPECT_FALSE(change.Has(TTWPatternPart::Cards));
    EXPECT_FALSE(change.Has(TTWPatternPart::Picks));
    EXPECT_EQ(change.Picks, TTWPickChange::None);
}

TEST(PatternChangeTest, PickChangesNameTheirPicksAndAlwaysIncludeThePicks)
{
    const TTWPatternChange appended = TTWPatternChange::PicksAppended(7);
    EXPECT_TRUE(appended.Has(TTWPatternPart::Picks));
    EXPECT_EQ(appended.Picks, TTWPickChange::Appended);
    EXPECT_EQ(appended.FirstPick, 7);

    const TTWPatternChange edited = TTWPatternChange::PicksEdited(3, 9, 12);
    EXPECT_EQ(edited.Picks, TTWPickChange::Edited);
    EXPECT_EQ(edited.FirstPick, 3);
    EXPECT_EQ(edited.LastPick, 9);
    EXPECT_EQ(edited.Card, 12);

    EXPECT_EQ(TTWPatternChange::PicksRemoved(4).Picks, TTWPickChange::Removed);

    const TTWPatternChange rewritten = TTWPatternChange::PicksRewritten(TTWPatternPart::Cards, 2);
    EXPECT_TRUE(rewritten.Has(TTWPatternPart::Picks));
    EXPECT_TRUE(rewritten.Has(TTWPatternPart::Cards));
    EXPECT_FALSE(rewritten.Has(TTWPatternPart::Packs));
    EXPECT_EQ(rewritten.Picks, TTWPickChange::Rewritten);
    EXPECT_EQ(rewritten.FirstPick, 2);
    EXPECT_EQ(TTWPatternChange::PicksRewritten().FirstPick, 1);
}

} // namespace
