#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/action.h"
#include "model/card.h"
#include "model/loom_record.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/weaving.h"
#include "support/random_patterns.h"
#include "support/same_band.h"

// A band woven on from the first changed pick must be the band woven whole: every cell of
// both sides, floats included, and the cards left where the last pick leaves them. Random
// edits of every kind follow one another on long bands (longer than the loom's interval
// between written states), and after each the band kept up to date is held against a fresh
// whole weave.

namespace {

using namespace random_patterns;
using same_band::ExpectSameBand;

void AddRandomPick(TTWPattern& pattern, int index, Random& random)
{
    TTWPick* pick = pattern.Picks().Add();
    // Few actions, so that cards stay idle for a while and long floats cross the edits.
    for (int a = random.Below(4); a > 0; --a) {
        pick->Actions().Add(RandomAction(random, pattern.Cards().Count(), pattern.Packs().Count()).release());
    }
    pick->SetIndex(index);
}

class IncrementalWeavingTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        RegisterThreadedPattern();
    }
};

} // namespace

TEST_F(IncrementalWeavingTest, BandsWovenOnFromTheFirstChangedPickAreTheWholeWeave)
{
    constexpr int Steps = 60;
    int wovenOn = 0;
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Random random(seed * 7919);
        TTWPattern pattern;
        MakeRandomPattern(pattern, seed);
        // Longer than a few intervals between the loom's written states.
        while (pattern.Picks().Count() < TTWLoomRecord::Interval + 60 + random.Below(3 * TTWLoomRecord::Interval)) {
            AddRandomPick(pattern, pattern.Picks().Count(), random);
        }
        TTWWeaving front;
        TTWWeaving back;
        pattern.BuildWeaving(front, nullptr, false, 0);
        pattern.BuildWeaving(back, nullptr, true, 0);
        // The reverse side is brought up to date now and then only, as the editor does when
        // it is not shown: from the first pick changed since.
        int backStaleFrom = 0;
        for (int step = 0; step < Steps; ++step) {
            const int count = pattern.Picks().Count();
            int firstPick = count + 1;
            std::string what;
            switch (random.Below(12)) {
            case 0:
            case 1:
            case 2: {
                what = "picks appended";
                for (int n = 1 + random.Below(3); n > 0; --n) {
                    AddRandomPick(pattern, pattern.Picks().Count(), random);
                }
                break;
            }
            case 3: {
                what = "a pick deleted";
                if (count > 1) {
                    const int index = random.Below(4) == 0 ? count - 1 : random.Below(count);
                    pattern.Picks().Delete(index);
                    firstPick = index + 1;
                }
                break;
            }
            case 4: {
                what = "a pick put in";
                const int index = random.Below(count + 1);
                AddRandomPick(pattern, index, random);
                firstPick = index + 1;
                break;
            }
            case 5:
            case 6: {
                what = "a pick edited in the middle";
                const int index = random.Below(count);
                TTWPick& pick = *pattern.Picks().Items(index);
                if (pick.Actions().Count() > 0 && random.Below(2) == 0) {
                    pick.Actions().Delete(random.Below(pick.Actions().Count()));
                } else {
                    pick.Actions().Add(
                        RandomAction(random, pattern.Cards().Count(), pattern.Packs().Count()).release());
                }
                firstPick = index + 1;
                break;
            }
            case 7: {
                // A pack's members decide what its picks turn: the editor weaves the band whole.
                what = "a pack changed";
                if (pattern.Packs().Count() > 0) {
                    TTWPack& pack = *pattern.Packs().Items(random.Below(pattern.Packs().Count()));
                    pack.SetMember(random.Below(pack.Size()), random.Below(pattern.Cards().Count() + 2));
                }
                firstPick = 1;
                break;
            }
            case 8: {
                // Whoever changes a card may name any pick: the loom sees the cards differ.
                what = "a card's hole colour changed";
                TTWCardBase& card = *pattern.Cards().GetCard(random.Below(pattern.Cards().Count()));
                const int hole = random.Below(card.Holes().Count());
                card.SetHoleColour(hole, (card.HoleColour(hole) + 1) % pattern.Palette().Size());
                firstPick = 1 + random.Below(count + 1);
                break;
            }
            case 9: {
                what = "a card threaded the other way";
                TTWCardBase& card = *pattern.Cards().GetCard(random.Below(pattern.Cards().Count()));
                card.SetThreading(card.Threading() == ThreadingS ? ThreadingZ : ThreadingS);
                firstPick = 1 + random.Below(count + 1);
                break;
            }
            case 10: {
                what = "a palette colour changed";
                const int index = random.Below(pattern.Palette().Size());
                pattern.Palette().SetColour(index, pattern.Palette().GetColour(index) ^ 0x0F0F0Fu);
                firstPick = 1 + random.Below(count + 1);
                break;
            }
            default: {
                what = "nothing changed";
                break;
            }
            }
            SCOPED_TRACE("step " + std::to_string(step + 1) + ": " + what + ", from pick " + std::to_string(firstPick)
                         + " of " + std::to_string(pattern.Picks().Count()));
            wovenOn += firstPick > 1 ? 1 : 0;

            pattern.UpdateWeaving(front, &pattern.Palette(), false, firstPick);
            const std::vector<TTWCardBase::TurningState> leftByUpdate = StatesOf(pattern);
            TTWWeaving whole;
            pattern.BuildWeaving(whole, &pattern.Palette(), false, 0);
            ExpectSameBand(whole, front);
            const std::vector<TTWCardBase::TurningState> leftByWhole = StatesOf(pattern);
            ASSERT_EQ(leftByWhole.size(), leftByUpdate.size());
            for (std::size_t i = 0; i < leftByWhole.size(); ++i) {
                ASSERT_TRUE(SameState(leftByWhole[i], leftByUpdate[i])) << "card " << i + 1;
            }

            backStaleFrom = backStaleFrom == 0 ? firstPick : std::min(backStaleFrom, firstPick);
            if (random.Below(3) != 0) {
                pattern.UpdateWeaving(back, &pattern.Palette(), true, backStaleFrom);
                backStaleFrom = 0;
                TTWWeaving wholeBack;
                pattern.BuildWeaving(wholeBack, &pattern.Palette(), true, 0);
                ExpectSameBand(wholeBack, back);
            }
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    // Most steps went on from a later pick, or the test would prove little.
    EXPECT_GT(wovenOn, 5 * Steps / 2);
}

TEST_F(IncrementalWeavingTest, WeavesWholeWhatItCannotGoOnFromAndNeverKeepsRowsBeyondThePicks)
{
    TTWPattern pattern;
    MakeRandomPattern(pattern, 11);
    Random random(5);
    while (pattern.Picks().Count() < 3 * TTWLoomRecord::Interval) {
        AddRandomPick(pattern, pattern.Picks().Count(), random);
    }
    TTWPattern other;
    other.Assign(&pattern);
    other.Cards().GetCard(0)->SetHoleColour(0, other.Cards().GetCard(0)->HoleColour(0) + 1);

    TTWWeaving expected;
    pattern.BuildWeaving(expected, nullptr, false, 0);

    // Another pattern's band, the other side, a band copied, recoloured or given rows by hand:
    // whatever the caller says changed, the band is woven whole.
    TTWWeaving band;
    other.BuildWeaving(band, nullptr, false, 0);
    pattern.UpdateWeaving(band, nullptr, false, pattern.Picks().Count() + 1);
    ExpectSameBand(expected, band);

    pattern.BuildWeaving(band, nullptr, true, 0);
    pattern.UpdateWeaving(band, nullptr, false, pattern.Picks().Count() + 1);
    ExpectSameBand(expected, band);

    TTWWeaving copy;
    copy.Assign(&expected);
    copy.Cell(1, 2)->Colour ^= 1;
    pattern.UpdateWeaving(copy, nullptr, false, pattern.Picks().Count());
    ExpectSameBand(expected, copy);

    pattern.BuildWeaving(band, nullptr, false, 0);
    band.SetHoleColour(0, band.Cell(0, 5)->Hole, 0x123456);
    pattern.UpdateWeaving(band, nullptr, false, pattern.Picks().Count() + 1);
    ExpectSameBand(expected, band);

    // Picks gone from the end: a first change named beyond them still leaves no row of them.
    TTWPattern shorter;
    shorter.Assign(&pattern);
    TTWWeaving shortened;
    shorter.BuildWeaving(shortened, nullptr, false, 0);
    const int longer = shorter.Picks().Count();
    for (int n = 0; n < 3; ++n) {
        shorter.Picks().Delete(shorter.Picks().Count() - 1);
    }
    shorter.UpdateWeaving(shortened, nullptr, false, longer + 1);
    TTWWeaving shortExpected;
    shorter.BuildWeaving(shortExpected, nullptr, false, 0);
    ExpectSameBand(shortExpected, shortened);

    // A band woven with repeats goes on from its first pass.
    pattern.BuildWeaving(band, nullptr, false, 2);
    pattern.UpdateWeaving(band, nullptr, false, pattern.Picks().Count() - 5);
    ExpectSameBand(expected, band);
}

// Picks appended across a written state, and then a pick changed between that state and the
// old end: the weave goes on from the state written while appending, which must be the one a
// whole weave passes through, whatever the old and new lengths.
TEST_F(IncrementalWeavingTest, AnEditAfterPicksAppendedAcrossAWrittenStateGoesOnFromIt)
{
    constexpr int I = TTWLoomRecord::Interval;
    struct Case {
        int woven;
        int appended;
        int edited; // counted from 1
    };
    for (const Case& c : {Case{200, 100, 151}, Case{I + 1, I, I + 1}, Case{2 * I - 1, 2, 2 * I - 1},
                          Case{I, 3 * I, 2 * I + 5}, Case{2 * I + 3, I, 2 * I + 1}}) {
        SCOPED_TRACE("woven " + std::to_string(c.woven) + ", appended " + std::to_string(c.appended) + ", pick "
                     + std::to_string(c.edited) + " edited");
        TTWPattern pattern;
        MakeRandomPattern(pattern, 31);
        pattern.Packs().Clear();
        pattern.Cards().Clear();
        for (int card = 1; card <= 4; ++card) {
            pattern.Cards().Add(CreateCard(4).release());
        }
        pattern.Picks().Clear();
        // Each card turns its own way, so that the state after every pick differs from the
        // cards' first one.
        const auto addPick = [&pattern](int pick) {
            TTWPick* added = pattern.Picks().Add();
            for (int card = 1; card <= 4; ++card) {
                added->Actions().Add(TTWAction::CreateCardTurn(card, (pick / (card + 2)) % 2 == 0 ? TurnForwards
                                                                                                 : TurnBackwards,
                                                               DistanceOneHole)
                                         .release());
            }
        };
        for (int pick = 0; pick < c.woven; ++pick) {
            addPick(pick);
        }
        TTWWeaving band;
        pattern.BuildWeaving(band, nullptr, false, 0);

        for (int pick = c.woven; pick < c.woven + c.appended; ++pick) {
            addPick(pick);
        }
        pattern.UpdateWeaving(band, nullptr, false, c.woven + 1);
        TTWWeaving whole;
        pattern.BuildWeaving(whole, nullptr, false, 0);
        ExpectSameBand(whole, band);

        pattern.Picks().Items(c.edited - 1)->Actions().Items(2)->SetTurnDir(TurnIdle);
        pattern.UpdateWeaving(band, nullptr, false, c.edited);
        pattern.BuildWeaving(whole, nullptr, false, 0);
        ExpectSameBand(whole, band);
    }
}

// An editor that makes its threaded-in pattern anew for every change: new card objects with
// the same values, and picks compared with the old ones for the first change. The band goes
// on from there (told a later pick than the real change, it would keep stale rows, which shows
// it went on rather than weaving whole); cards of another class or colour weave it whole.
TEST_F(IncrementalWeavingTest, APatternBuiltAnewWeavesOnFromItsFirstChangedPick)
{
    TTWPattern pattern;
    MakeRandomPattern(pattern, 23);
    pattern.Packs().Clear();
    pattern.Cards().Clear();
    for (int card = 1; card <= 4; ++card) {
        pattern.Cards().Add(CreateCard(4).release());
    }
    pattern.Picks().Clear();
    for (int pick = 0; pick < 3 * TTWLoomRecord::Interval; ++pick) {
        pattern.Picks().Add()->Actions().Add(
            TTWAction::CreateCardTurn(1 + pick % 4, pick % 3 == 0 ? TurnBackwards : TurnForwards, DistanceOneHole)
                .release());
    }
    const auto differences = [](const TTWWeaving& a, const TTWWeaving& b) {
        int count = 0;
        for (int pick = 0; pick < std::min(a.PickCount(), b.PickCount()); ++pick) {
            for (int column = 0; column < std::min(a.Width(), b.Width()); ++column) {
                count += same_band::Describe(a, *a.Cell(column, pick)) != same_band::Describe(b, *b.Cell(column, pick));
            }
        }
        return count;
    };
    TTWWeaving band;
    pattern.BuildWeaving(band, nullptr, false, 0);

    // Nothing changed: the last pick is named.
    TTWPattern design;
    design.Assign(&pattern);
    EXPECT_EQ(pattern.Rebuild([&design](TTWPattern& fresh) { fresh.Assign(&design); }), pattern.Picks().Count());

    // A turn changed at pick 200 (counted from 1): named, and the band woven on is the whole weave.
    design.Picks().Items(199)->Actions().Items(0)->SetTurnDir(TurnIdle);
    const int first = pattern.Rebuild([&design](TTWPattern& fresh) { fresh.Assign(&design); });
    EXPECT_EQ(first, 200);
    pattern.UpdateWeaving(band, nullptr, false, first);
    TTWWeaving whole;
    pattern.BuildWeaving(whole, nullptr, false, 0);
    ExpectSameBand(whole, band);

    // A change at pick 60 named as if at pick 250: the rows from 60 up to the state the loom
    // goes on from stay as they were, so it did go on with the new cards.
    design.Picks().Items(59)->Actions().Items(0)->SetTurnDir(TurnIdle);
    design.Picks().Items(61)->Actions().Items(0)->SetTurnDir(TurnIdle);
    EXPECT_EQ(pattern.Rebuild([&design](TTWPattern& fresh) { fresh.Assign(&design); }), 60);
    pattern.UpdateWeaving(band, nullptr, false, 250);
    pattern.BuildWeaving(whole, nullptr, false, 0);
    EXPECT_GT(differences(whole, band), 0);

    // The same lie with a card of another class, or another colour, weaves whole.
    for (const bool otherClass : {true, false}) {
        TTWPattern changed;
        changed.Assign(&design);
        if (otherClass) {
            changed.Cards().Delete(3);
            changed.Cards().Add(CreateCard(6).release());
        } else {
            changed.Cards().GetCard(2)->SetHoleColour(1, changed.Cards().GetCard(2)->HoleColour(1) + 1);
        }
        TTWWeaving kept;
        pattern.BuildWeaving(kept, nullptr, false, 0);
        pattern.Rebuild([&changed](TTWPattern& fresh) { fresh.Assign(&changed); });
        pattern.UpdateWeaving(kept, nullptr, false, 250);
        pattern.BuildWeaving(whole, nullptr, false, 0);
        ExpectSameBand(whole, kept);
        pattern.Rebuild([&design](TTWPattern& fresh) { fresh.Assign(&design); });
    }

    // A build that fails leaves the picks as they were.
    const int picks = pattern.Picks().Count();
    EXPECT_THROW(pattern.Rebuild([](TTWPattern& fresh) {
        fresh.Picks().Add();
        throw std::runtime_error("refused");
    }),
                 std::runtime_error);
    EXPECT_EQ(pattern.Picks().Count(), picks);
    EXPECT_EQ(pattern.Picks().Items(picks - 1)->Index(), picks - 1);
    EXPECT_EQ(pattern.Picks().Items(0)->Collection(), &pattern.Picks());
}

TEST(FirstDifferentPick, NamesTheFirstPickThatDiffersOrOnePastTheEnd)
{
    TTWPickList a;
    TTWPickList b;
    EXPECT_EQ(FirstDifferentPick(a, b), 1);
    for (int pick = 0; pick < 4; ++pick) {
        a.Add()->Actions().Add(TTWAction::CreateCardTurn(pick + 1, TurnForwards, DistanceOneHole).release());
        b.Add()->Assign(a.Items(pick));
    }
    EXPECT_EQ(FirstDifferentPick(a, b), 5);
    b.Items(2)->Actions().Items(0)->SetDist(DistanceTwoHoles);
    EXPECT_EQ(FirstDifferentPick(a, b), 3);
    b.Items(2)->Actions().Items(0)->SetDist(DistanceOneHole);
    b.Items(1)->Actions().Add(TTWAction::CreateCardTwist(1, TwistV).release());
    EXPECT_EQ(FirstDifferentPick(a, b), 2);
    b.Items(1)->Actions().Delete(1);
    b.Items(3)->Actions().Items(0)->SetTargetID("Pack");
    EXPECT_EQ(FirstDifferentPick(a, b), 4);
    b.Delete(3);
    EXPECT_EQ(FirstDifferentPick(a, b), 4) << "a list ending sooner differs where it ends";
    EXPECT_EQ(FirstDifferentPick(b, a), 4);
}
