// Joining patterns of each kind side by side and end to end: what lands where.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/model_state.h"
#include "model/pack.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "shell/pattern_joining.h"
#include "support/design_limits.h"
#include "support/pick_texts.h"

namespace {

constexpr auto SideBySide = TTWJoinDirection::SideBySide;
constexpr auto EndToEnd = TTWJoinDirection::EndToEnd;

// `cards` four-hole cards with the holes in colours first .. first + 3, and `picks` picks
// turning every card backwards.
std::unique_ptr<TTWPattern> Threaded(int cards, int picks, int firstColour)
{
    auto pattern = std::make_unique<TTWPattern>();
    for (int card = 0; card < cards; ++card) {
        std::unique_ptr<TTWCardBase> made = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            made->SetHoleColour(hole, firstColour + hole);
        }
        pattern->Cards().Add(made.release());
    }
    for (int pick = 0; pick < picks; ++pick) {
        TTWPick* made = pattern->Picks().Add();
        for (int card = 1; card <= cards; ++card) {
            made->Actions().Add(TTWAction::CreateCardTurn(card, TurnBackwards, DistanceOneHole).release());
        }
    }
    return pattern;
}

// A design whose cell (x, y) is set where `set` says, with cards of the right hole count.
template <class Design = TTWDFPattern>
std::unique_ptr<Design> MakeDesign(int width, int length, int colours, bool (*set)(int x, int y))
{
    auto design = std::make_unique<Design>();
    design->SetColourCount(colours);
    design->SetSize(width, length);
    for (int x = 0; x < width; ++x) {
        design->Cards().Add(CreateCard(colours == 6 ? 6 : 4).release());
        for (int y = 0; y < length; ++y) {
            design->SetCell(x, y, set(x, y));
        }
    }
    return design;
}

bool Diagonal(int x, int y)
{
    return x == y;
}

bool All(int, int)
{
    return true;
}

std::vector<std::string> Rows(const TTWDFPattern& design)
{
    std::vector<std::string> rows;
    for (int y = 0; y < design.Length(); ++y) {
        std::string row;
        for (int x = 0; x < design.Width(); ++x) {
            row += design.GetCell(x, y) ? 'X' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> LongFloatRows(const TTW31TwillPattern& twill)
{
    std::vector<std::string> rows;
    for (int y = 0; y < twill.Length(); ++y) {
        std::string row;
        for (int x = 0; x < twill.Width(); ++x) {
            row += twill.GetLongFloat(x, y) ? 'L' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// A brocade pick as one character per card: '-' a tie-down, else its weft digit.
std::string PickText(const TTWBrocadePick& pick, int width)
{
    std::string text;
    for (int card = 0; card < width; ++card) {
        text += pick.IsTieDown(card) ? '-' : static_cast<char>('0' + pick.GetWeft(card));
    }
    return text;
}

std::unique_ptr<TTWBrocadePattern> Brocade(const std::vector<std::string>& picks)
{
    auto brocade = std::make_unique<TTWBrocadePattern>();
    const int width = static_cast<int>(picks.front().size());
    brocade->SetWidth(width);
    for (const std::string& text : picks) {
        TTWBrocadePick* pick = brocade->BrocadePicks().Add();
        for (int card = 0; card < width; ++card) {
            if (text[static_cast<std::size_t>(card)] == '-') {
                pick->SetTieDown(card, true);
            } else {
                pick->SetWeft(card, text[static_cast<std::size_t>(card)] - '0');
            }
        }
    }
    for (int card = 0; card < width; ++card) {
        brocade->Cards().Add(CreateCard(4).release());
    }
    return brocade;
}

class PatternJoiningTest : public testing::Test {
protected:
    void SetUp() override { ResetModelForTests(); }
    void TearDown() override { ResetModelForTests(); }
};

TEST_F(PatternJoiningTest, ThreadedSideBySideTurnsTheShorterPatternsCardsForwardInThePicksItLacks)
{
    auto first = Threaded(3, 10, 0);
    first->Palette().SetColour(1, 0x123456);
    auto second = Threaded(2, 6, 4);
    // The second pattern is woven by a pack of both its cards.
    second->Picks().Clear();
    auto* pack = new TTWPack;
    pack->Name = "Both";
    pack->SetCardList(&second->Cards());
    pack->SetSize(2);
    pack->SetMember(0, 1);
    pack->SetMember(1, 2);
    second->Packs().Add(pack);
    for (int pick = 0; pick < 6; ++pick) {
        second->Picks().Add()->Actions().Add(TTWAction::CreatePackTurn("Both", TurnBackwards, DistanceOneHole).release());
    }

    const TTWJoinPatterns patterns{first.get(), second.get()};
    EXPECT_EQ(JoinedCardCount(SideBySide, patterns), 5);
    EXPECT_EQ(JoinedPickCount(SideBySide, patterns), 10);
    TTWPattern result;
    JoinThreaded(SideBySide, patterns, result);
    ASSERT_EQ(result.Cards().Count(), 5);
    EXPECT_EQ(result.Cards().GetCard(3)->HoleColour(0), 4) << "the second pattern's cards follow the first's";
    EXPECT_EQ(result.Packs().Count(), 0);
    EXPECT_EQ(result.Palette().GetColour(1), 0x123456u) << "the first pattern's palette";
    const std::vector<std::string> picks = PickTexts(result);
    ASSERT_EQ(picks.size(), 10u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(picks[static_cast<std::size_t>(k)], "1B 2B 3B 4B 5B") << k;
    }
    for (int k = 6; k < 10; ++k) {
        EXPECT_EQ(picks[static_cast<std::size_t>(k)], "1B 2B 3B 4F 5F") << "pick " << k + 1;
    }
    // End to end threaded-in patterns are not joined (the dialog refuses them).
    TTWPattern none;
    JoinThreaded(EndToEnd, patterns, none);
    EXPECT_EQ(none.Picks().Count(), 0);
}

TEST_F(PatternJoiningTest, NoJoinIsWiderThanAPatternMayBe)
{
    const std::string tooWide = "Invalid pattern width (" + std::to_string(MaxPatternCards + 2)
                                + ").\r\nA pattern has at most " + std::to_string(MaxPatternCards) + " cards.";
    const auto errorOf = [](auto join) -> std::string {
        try {
            join();
        } catch (const TGenericException& error) {
            return error.Message();
        }
        return "";
    };
    auto left = Threaded(MaxPatternCards / 2 + 1, 1, 0);
    auto right = Threaded(MaxPatternCards / 2 + 1, 1, 4);
    TTWPattern threaded;
    EXPECT_EQ(errorOf([&] { JoinThreaded(SideBySide, {left.get(), right.get()}, threaded); }), tooWide);
    EXPECT_EQ(threaded.Cards().Count(), 0) << "nothing is joined";
    // At the limit the join is made.
    auto narrower = Threaded(MaxPatternCards / 2 - 1, 1, 4);
    JoinThreaded(SideBySide, {left.get(), narrower.get()}, threaded);
    EXPECT_EQ(threaded.Cards().Count(), MaxPatternCards);

    auto wide = MakeDesign(MaxPatternCards / 2 + 1, 1, 2, All);
    TTWDFPattern doubleFace;
    EXPECT_EQ(errorOf([&] { JoinDoubleFace(SideBySide, {wide.get(), wide.get()}, doubleFace); }), tooWide);
}

TEST_F(PatternJoiningTest, DoubleFaceSideBySideTakesFourColoursWhenAnyHasMoreThanTwo)
{
    auto two = MakeDesign(3, 2, 2, Diagonal);
    auto four = MakeDesign(2, 3, 4, All);
    TTWDFPattern result;
    JoinDoubleFace(SideBySide, {two.get(), four.get()}, result);
    EXPECT_EQ(result.ColourCount(), 4);
    EXPECT_EQ(result.Width(), 5);
    EXPECT_EQ(result.Length(), 3);
    EXPECT_EQ(result.Cards().Count(), 5);
    EXPECT_EQ(Rows(result), (std::vector<std::string>{"X..XX", ".X.XX", "...XX"}));

    // Six colours only when the first has six.
    auto six = MakeDesign(1, 1, 6, All);
    TTWDFPattern first6;
    JoinDoubleFace(SideBySide, {six.get(), two.get()}, first6);
    EXPECT_EQ(first6.ColourCount(), 6);
    TTWDFPattern second6;
    JoinDoubleFace(SideBySide, {two.get(), six.get()}, second6);
    EXPECT_EQ(second6.ColourCount(), 4);
}

TEST_F(PatternJoiningTest, DoubleFaceEndToEndCentresEachDesignAboveTheOneBefore)
{
    auto narrow = MakeDesign(2, 2, 2, All);
    auto wide = MakeDesign(6, 1, 2, Diagonal);
    wide->Cards().GetCard(5)->SetHoleColour(0, 9);
    TTWDFPattern result;
    JoinDoubleFace(EndToEnd, {narrow.get(), wide.get()}, result);
    EXPECT_EQ(result.Width(), 6);
    EXPECT_EQ(result.Length(), 3);
    EXPECT_EQ(Rows(result), (std::vector<std::string>{"..XX..", "..XX..", "X....."}));
    ASSERT_EQ(result.Cards().Count(), 6);
    EXPECT_EQ(result.Cards().GetCard(5)->HoleColour(0), 9) << "the widest pattern's cards";
}

TEST_F(PatternJoiningTest, TwistPatternedDesignsKeepEveryRow)
{
    // One pick per row: the rows are counted as rows, not as halved picks.
    auto first = MakeDesign<TTWWarpTwinedPattern>(2, 5, 2, All);
    auto second = MakeDesign<TTWWarpTwinedPattern>(3, 3, 2, Diagonal);
    TTWWarpTwinedPattern side;
    JoinTwist(SideBySide, {first.get(), second.get()}, side);
    EXPECT_EQ(side.Width(), 5);
    EXPECT_EQ(side.Length(), 5);
    TTWWarpTwinedPattern end;
    JoinTwist(EndToEnd, {first.get(), second.get()}, end);
    EXPECT_EQ(end.Width(), 3);
    EXPECT_EQ(end.Length(), 8);
    EXPECT_EQ(Rows(end).back(), "..X");
}

TEST_F(PatternJoiningTest, TwillLongFloatsStayOnTheirCellsAndTheFirstTwillIsKept)
{
    auto tall = MakeDesign<TTW31TwillPattern>(2, 4, 2, Diagonal);
    tall->SetLongFloat(1, 1, true);
    tall->SetBackgroundTwill(TTWTwillDirection::Z);
    auto short_ = MakeDesign<TTW31TwillPattern>(2, 2, 2, Diagonal);
    short_->SetLongFloat(0, 0, true);
    short_->SetBackgroundTwill(TTWTwillDirection::Z);

    TTW31TwillPattern side;
    JoinTwill(SideBySide, {tall.get(), short_.get()}, side);
    EXPECT_EQ(Rows(side), (std::vector<std::string>{"X.X.", ".X.X", "....", "...."}));
    EXPECT_EQ(LongFloatRows(side), (std::vector<std::string>{"..L.", ".L..", "....", "...."}))
        << "each mark on the cell it marked";
    EXPECT_EQ(side.BackgroundTwill(), TTWTwillDirection::Z);

    TTW31TwillPattern end;
    JoinTwill(EndToEnd, {tall.get(), short_.get()}, end);
    EXPECT_EQ(LongFloatRows(end), (std::vector<std::string>{"..", ".L", "..", "..", "L.", ".."}));
}

TEST_F(PatternJoiningTest, BrocadeSideBySideTiesDownTheShorterPatternInThePicksItLacks)
{
    auto first = Brocade({"12", "-1", "2-"});
    first->Wefts().Items(0)->Colour = 0x00AA00;
    auto second = Brocade({"3-1"});
    TTWBrocadePattern result;
    JoinBrocade(SideBySide, {first.get(), second.get()}, result);
    EXPECT_EQ(result.Width(), 5);
    ASSERT_EQ(result.BrocadePicks().Count(), 3);
    EXPECT_EQ(PickText(*result.BrocadePicks().Items(0), 5), "123-1");
    EXPECT_EQ(PickText(*result.BrocadePicks().Items(1), 5), "-1---");
    EXPECT_EQ(PickText(*result.BrocadePicks().Items(2), 5), "2----");
    EXPECT_EQ(result.BrocadePicks().Items(1)->Wefts(), "01000");
    EXPECT_EQ(result.Wefts().Items(0)->Colour, 0x00AA00u) << "the first pattern's wefts";
    EXPECT_EQ(result.Cards().Count(), 5);
}

TEST_F(PatternJoiningTest, BrocadeEndToEndTiesDownTheCardsBesideANarrowerPattern)
{
    auto wide = Brocade({"11111"});
    auto narrow = Brocade({"2", "-"});
    auto ground = MakeDesign(5, 1, 2, All);
    wide->SetGroundWeave(ground.get());
    TTWBrocadePattern result;
    JoinBrocade(EndToEnd, {wide.get(), narrow.get()}, result);
    EXPECT_EQ(result.Width(), 5);
    ASSERT_EQ(result.BrocadePicks().Count(), 3);
    EXPECT_EQ(PickText(*result.BrocadePicks().Items(0), 5), "11111");
    EXPECT_EQ(PickText(*result.BrocadePicks().Items(1), 5), "--2--");
    EXPECT_EQ(PickText(*result.BrocadePicks().Items(2), 5), "-----");
    EXPECT_FALSE(result.HasGroundWeave()) << "ground weaves are not joined";
}

} // namespace

namespace {

bool Nothing(int, int)
{
    return false;
}

// Joins two designs of the kind, each of which a file may hold, whose join holds exactly
// as many cells as a design may, and one row more: the first is made, the second refused
// with the reader's message before the result is given any size.
template <class Design, class Join>
void ExpectJoinsHeldToTheCellLimit(Join join, const char* kind)
{
    SCOPED_TRACE(kind);
    const int rows = FullWidthRows;
    const auto errorOf = [](auto step) -> std::string {
        try {
            step();
        } catch (const TGenericException& error) {
            return error.Message();
        }
        return "";
    };
    // The first joined to the second makes a design as wide as a pattern may be and as long as
    // the limit lets it; joined to the third, one row longer, it is refused and the result is
    // left without size or cards.
    const auto expectHeld = [&](TTWJoinDirection direction, TTWPatternBase& first, TTWPatternBase& second,
                                TTWPatternBase& third) {
        Design result;
        join(direction, TTWJoinPatterns{&first, &second}, result);
        EXPECT_EQ(result.Width(), MaxPatternCards);
        EXPECT_EQ(result.Length(), rows);
        Design refused;
        EXPECT_EQ(errorOf([&] { join(direction, TTWJoinPatterns{&first, &third}, refused); }),
                  TooManyCells(MaxPatternCards, rows + 1));
        EXPECT_EQ(refused.Width(), 0);
        EXPECT_EQ(refused.Length(), 0);
        EXPECT_EQ(refused.Cards().Count(), 0);
    };
    // End to end: the rows add up.
    const auto lower = MakeDesign<Design>(MaxPatternCards, rows / 2, 2, Nothing);
    expectHeld(EndToEnd, *lower, *MakeDesign<Design>(MaxPatternCards, rows - rows / 2, 2, Nothing),
               *MakeDesign<Design>(MaxPatternCards, rows - rows / 2 + 1, 2, Nothing));
    // Side by side: the cards add up, the longest sets the rows.
    const int right = MaxPatternCards - MaxPatternCards / 2;
    expectHeld(SideBySide, *MakeDesign<Design>(MaxPatternCards / 2, rows, 2, Nothing),
               *MakeDesign<Design>(right, rows, 2, Nothing), *MakeDesign<Design>(right, rows + 1, 2, Nothing));
}

} // namespace

TEST_F(PatternJoiningTest, NoJoinedDesignHoldsMoreCellsThanAFileMay)
{
    ExpectJoinsHeldToTheCellLimit<TTWDFPattern>(
        [](TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWDFPattern& result) {
            JoinDoubleFace(direction, patterns, result);
        },
        "double-face");
    ExpectJoinsHeldToTheCellLimit<TTW31TwillPattern>(
        [](TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTW31TwillPattern& result) {
            JoinTwill(direction, patterns, result);
        },
        "twill");
    ExpectJoinsHeldToTheCellLimit<TTWWarpTwinedPattern>(
        [](TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWWarpTwinedPattern& result) {
            JoinTwist(direction, patterns, result);
        },
        "twist-patterned");
}
