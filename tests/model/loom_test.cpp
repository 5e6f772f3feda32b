#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/weaving.h"
#include "support/random_patterns.h"

// The band is woven on flat copies of the cards. These tests hold it against the card classes
// themselves: a plain weave that turns and twists the card objects pick by pick, one action
// at a time, must show the very same cells and leave the cards in the very same state, on
// both sides, for every hole count and for every odd action a damaged file may hold.

namespace {

using namespace random_patterns;

// What one cell shows, floats included, as plain values to compare.
struct Seen {
    TTWColour colour;
    int slant, hole, turnDir, floatStart, floatEnd;
    bool reversal, twisted, inFloat;

    bool operator==(const Seen&) const = default;
};

Seen SeenOf(const TTWWeaving& band, const TTWWeavingCell& cell)
{
    return {cell.Colour,   cell.Slant,    cell.Hole,    cell.TurnDir,       cell.FloatStartPick(),
            band.FloatEndPick(cell), cell.Reversal, cell.Twisted, cell.InFloat};
}

std::string Describe(const Seen& s)
{
    return "colour " + std::to_string(s.colour) + " slant " + std::to_string(s.slant) + " hole "
           + std::to_string(s.hole) + " dir " + std::to_string(s.turnDir) + " reversal "
           + std::to_string(s.reversal) + " twisted " + std::to_string(s.twisted) + " float "
           + std::to_string(s.floatStart) + ".." + std::to_string(s.floatEnd);
}

// The plain weave: every action asks the card object what comes on top, then turns or
// twists it. Floats are the runs of three or more picks of a column with one hole on top.
std::vector<std::vector<Seen>> PlainWeave(TTWPattern& pattern, const TTWPalette& palette, bool reverse, int repeats)
{
    TTWCardList& left = pattern.SelvedgeLeft();
    TTWCardList& cards = pattern.Cards();
    TTWCardList& right = pattern.SelvedgeRight();
    left.ResetAll();
    cards.ResetAll();
    right.ResetAll();
    const int width = left.Count() + cards.Count() + right.Count();
    const auto cardOf = [&](int column) -> TTWCardBase* {
        if (column < left.Count()) {
            return left.GetCard(column);
        }
        if (column < left.Count() + cards.Count()) {
            return cards.GetCard(column - left.Count());
        }
        return right.GetCard(column - left.Count() - cards.Count());
    };
    std::vector<std::vector<Seen>> rows;
    for (int pass = 0; pass <= repeats; ++pass) {
        for (const auto& pick : pattern.Picks()) {
            std::vector<Seen> row(static_cast<std::size_t>(width), Seen{0, 0, 0, TurnIdle, -1, -1, false, false, false});
            const auto place = [&](int column, std::uint8_t type, std::uint8_t dir, std::uint8_t dist) {
                TTWCardBase* card = cardOf(column);
                if (card == nullptr) {
                    return;
                }
                if (type == ActionTwist) {
                    card->Twist(dir);
                    return;
                }
                Seen& cell = row[static_cast<std::size_t>(reverse ? width - 1 - column : column)];
                char top = card->TopLetter(dir, dist);
                int colourIndex = card->TopColour(dir, dist);
                if (reverse) {
                    top = card->OppositeLetter(top);
                    colourIndex = card->HoleColour(top - 'A');
                }
                cell.colour = palette.GetColour(colourIndex);
                cell.slant = dir == TurnBackwards ? FlippedThreading(card->CurThread()) : card->CurThread();
                cell.hole = top - 'A';
                cell.reversal = dir != TurnIdle && dir != card->LastTurn();
                cell.twisted = card->Twisted();
                card->Turn(dir, dist);
                cell.turnDir = dir;
            };
            for (int k = 0; k < left.Count(); ++k) {
                place(k, ActionTurn, TurnForwards, DistanceOneHole);
            }
            for (const fw::Object* item : pick->Actions()) {
                const auto& action = *static_cast<const TTWAction*>(item);
                std::vector<int> targets;
                if (action.IsPackAction()) {
                    if (const TTWPack* pack = pattern.Packs().FindByName(action.TargetID())) {
                        for (int member : pack->Members()) {
                            if (member >= 1 && member <= cards.Count()) {
                                targets.push_back(member - 1);
                            }
                        }
                    }
                } else if (action.CardNumber() >= 1 && action.CardNumber() <= cards.Count()) {
                    targets.push_back(action.CardNumber() - 1);
                }
                for (int index : targets) {
                    place(left.Count() + index, action.Type(), action.Dir(), action.Dist());
                }
            }
            for (int k = 0; k < right.Count(); ++k) {
                place(left.Count() + cards.Count() + k, ActionTurn, TurnForwards, DistanceOneHole);
            }
            for (int index = 0; index < cards.Count(); ++index) {
                const int column = left.Count() + index;
                Seen& cell = row[static_cast<std::size_t>(reverse ? width - 1 - column : column)];
                const TTWCardBase* card = cards.GetCard(index);
                if (cell.turnDir != TurnIdle || card == nullptr) {
                    continue;
                }
                const char top = card->TopLetter(TurnIdle, DistanceOneHole);
                if (reverse) {
                    const char opposite = card->OppositeLetter(top);
                    cell.colour = palette.GetColour(card->HoleColour(opposite - 'A'));
                    cell.slant = FlippedThreading(card->CurThread());
                    cell.hole = opposite - 'A';
                } else {
                    cell.colour = palette.GetColour(card->CurHoleColour('A'));
                    cell.slant = card->CurThread();
                    cell.hole = top - 'A';
                }
            }
            rows.push_back(row);
        }
    }
    for (int column = 0; column < width; ++column) {
        const auto c = static_cast<std::size_t>(column);
        for (std::size_t start = 0; start < rows.size();) {
            std::size_t end = start;
            while (end + 1 < rows.size() && rows[end + 1][c].hole == rows[start][c].hole) {
                ++end;
            }
            if (end - start + 1 >= 3) {
                for (std::size_t pick = start; pick <= end; ++pick) {
                    rows[pick][c].inFloat = true;
                    rows[pick][c].floatStart = static_cast<int>(start);
                    rows[pick][c].floatEnd = static_cast<int>(end);
                }
            }
            start = end + 1;
        }
    }
    return rows;
}

class LoomTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        RegisterThreadedPattern();
    }
};

} // namespace

TEST_F(LoomTest, BandAndCardsMatchTheCardClassesOnBothSides)
{
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TTWPattern pattern;
        MakeRandomPattern(pattern, seed);
        TTWPattern plain;
        plain.Assign(&pattern);
        // A palette shorter than the hole colours, now and then, so that missing colours show.
        TTWPalette palette;
        palette.SetSize(seed % 5 == 0 ? 4 : TTWPalette::StandardSize);
        for (int i = 0; i < palette.Size(); ++i) {
            palette.SetColour(i, 0x010203u * static_cast<std::uint32_t>(i + 1));
        }
        const int repeats = static_cast<int>(seed % 3);
        for (const bool reverse : {false, true}) {
            SCOPED_TRACE(reverse ? "reverse" : "front");
            TTWWeaving band;
            pattern.BuildWeaving(band, &palette, reverse, repeats);
            const std::vector<std::vector<Seen>> expected = PlainWeave(plain, palette, reverse, repeats);
            ASSERT_EQ(static_cast<int>(expected.size()), band.PickCount());
            ASSERT_EQ(reverse, band.Reverse());
            for (int pick = 0; pick < band.PickCount(); ++pick) {
                const auto& row = expected[static_cast<std::size_t>(pick)];
                ASSERT_EQ(static_cast<int>(row.size()), band.Width());
                for (int column = 0; column < band.Width(); ++column) {
                    const TTWWeavingCell& cell = *band.Cell(column, pick);
                    const Seen& want = row[static_cast<std::size_t>(column)];
                    ASSERT_EQ(Describe(want), Describe(SeenOf(band, cell)))
                        << "pick " << pick + 1 << ", column " << column + 1;
                    ASSERT_EQ(column, cell.Column());
                    ASSERT_EQ(pick, cell.Pick());
                }
            }
            const auto woven = StatesOf(pattern);
            const auto turned = StatesOf(plain);
            ASSERT_EQ(turned.size(), woven.size());
            for (std::size_t i = 0; i < woven.size(); ++i) {
                EXPECT_TRUE(SameState(turned[i], woven[i])) << "card " << i + 1 << " was left in another state";
            }
        }
    }
}

TEST_F(LoomTest, ReweavingIntoAnOldBandLeavesNothingOfIt)
{
    TTWPattern first;
    MakeRandomPattern(first, 7);
    TTWPattern second;
    MakeRandomPattern(second, 8);
    for (const bool reverse : {false, true}) {
        TTWWeaving reused;
        first.BuildWeaving(reused, nullptr, !reverse, 2);
        second.BuildWeaving(reused, nullptr, reverse, 1);
        TTWWeaving fresh;
        second.BuildWeaving(fresh, nullptr, reverse, 1);
        ASSERT_EQ(fresh.PickCount(), reused.PickCount());
        ASSERT_EQ(fresh.Width(), reused.Width());
        EXPECT_EQ(reverse, reused.Reverse());
        for (int pick = 0; pick < fresh.PickCount(); ++pick) {
            for (int column = 0; column < fresh.Width(); ++column) {
                ASSERT_EQ(Describe(SeenOf(fresh, *fresh.Cell(column, pick))), Describe(SeenOf(reused, *reused.Cell(column, pick))))
                    << "pick " << pick + 1 << ", column " << column + 1;
            }
        }
    }
}

TEST(CardTurningState, ComesBackAsItWasAndRefusesOrdersThatLoseAHole)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(6);
    for (int hole = 0; hole < 6; ++hole) {
        card->SetHoleColour(hole, 10 + hole);
    }
    card->SetThreading(ThreadingZ);
    card->Reset();
    card->Turn(TurnForwards, DistanceTwoHoles);
    card->Twist(TwistAC);
    const TTWCardBase::TurningState state = card->GetTurningState();
    EXPECT_EQ(card->CurPos(), state.curPos);
    EXPECT_EQ(card->CurThread(), state.curThread);
    EXPECT_TRUE(state.twisted);
    for (int position = 0; position < 6; ++position) {
        EXPECT_EQ(card->CurHoleColour(static_cast<char>('A' + position)),
                  10 + state.order[static_cast<std::size_t>(position)]);
    }

    std::unique_ptr<TTWCardBase> copy = CreateCard(6);
    for (int hole = 0; hole < 6; ++hole) {
        copy->SetHoleColour(hole, 10 + hole);
    }
    copy->SetTurningState(state);
    for (int position = 0; position < 6; ++position) {
        const char letter = static_cast<char>('A' + position);
        EXPECT_EQ(card->CurHoleColour(letter), copy->CurHoleColour(letter));
    }
    EXPECT_EQ(card->CurPos(), copy->CurPos());
    EXPECT_EQ(card->Twisted(), copy->Twisted());
    EXPECT_EQ(card->LastTurn(), copy->LastTurn());
    // Both go on turning alike.
    card->Turn(TurnBackwards, DistanceOneHole);
    copy->Turn(TurnBackwards, DistanceOneHole);
    EXPECT_EQ(card->TopColour(TurnForwards, DistanceOneHole), copy->TopColour(TurnForwards, DistanceOneHole));
    EXPECT_EQ(card->TopLetter(TurnIdle, DistanceOneHole), copy->TopLetter(TurnIdle, DistanceOneHole));

    TTWCardBase::TurningState twice = copy->GetTurningState();
    twice.order[1] = twice.order[0];
    EXPECT_THROW(copy->SetTurningState(twice), TGenericException);
    TTWCardBase::TurningState beyond = copy->GetTurningState();
    beyond.order[2] = 6;
    beyond.curPos = 3;
    EXPECT_THROW(copy->SetTurningState(beyond), TGenericException);
    // A refused state changes nothing.
    EXPECT_TRUE(SameState(card->GetTurningState(), copy->GetTurningState()));
}

TEST(FloatRunsTest, MarkingAgainFindsExactlyTheRunsOfTheHolesNowOnTop)
{
    Random random(99);
    TTWWeaving band;
    band.SetWidth(9);
    for (int pick = 0; pick < 300; ++pick) {
        for (TTWWeavingCell& cell : band.AddPick()) {
            // Few holes, so that runs of every length occur, up to the band's first and last pick.
            cell.Hole = static_cast<std::uint8_t>(cell.Column() == 0 ? 1 : random.Below(2 + cell.Column() % 3));
        }
    }
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        band.MarkFloats();
        for (int column = 0; column < band.Width(); ++column) {
            for (int start = 0; start < band.PickCount();) {
                int end = start;
                while (end + 1 < band.PickCount() && band.Cell(column, end + 1)->Hole == band.Cell(column, start)->Hole) {
                    ++end;
                }
                const bool isFloat = end - start + 1 >= 3;
                for (int pick = start; pick <= end; ++pick) {
                    const TTWWeavingCell& cell = *band.Cell(column, pick);
                    ASSERT_EQ(isFloat, cell.InFloat) << "column " << column + 1 << ", pick " << pick + 1;
                    ASSERT_EQ(isFloat ? start : -1, cell.FloatStartPick());
                    ASSERT_EQ(isFloat ? end : -1, band.FloatEndPick(cell));
                    ASSERT_EQ(isFloat ? end - start + 1 : 1, band.FloatLength(cell));
                }
                start = end + 1;
            }
        }
        // The first column is one float over the whole band; other runs move for the next round.
        EXPECT_EQ(band.PickCount(), band.FloatLength(*band.Cell(0, 5)));
        for (TTWWeavingCell& cell : band.AllCells()) {
            if (cell.Column() > 0) {
                cell.Hole = static_cast<std::uint8_t>(random.Below(3));
            }
        }
    }
}
