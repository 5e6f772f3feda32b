#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/file_io.h"
#include "framework/core/string_list.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/turning_text.h"
#include "model/weaving.h"

namespace {

void AddCard(TTWCardList& cards, int holes, const std::vector<int>& colours, std::uint8_t threading)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(holes);
    for (int i = 0; i < holes; ++i) {
        card->SetHoleColour(i, colours[static_cast<size_t>(i)]);
    }
    card->SetThreading(threading);
    cards.Add(card.release());
}

void AddTurn(TTWPick& pick, int card, std::uint8_t direction)
{
    pick.Actions().Add(TTWAction::CreateCardTurn(card, direction, DistanceOneHole).release());
}

class TurningTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        folder_ = UniqueScratchFolder("tavelin_turning_text_test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(TurningTextTest, TwoCardPatternGivesTheWholeListing)
{
    TTWPattern pattern;
    AddCard(pattern.Cards(), 4, {5, 5, 2, 7}, ThreadingS);
    AddCard(pattern.Cards(), 6, {2, 0, 0, 3, 3, 1}, ThreadingZ);
    TTWPickList& picks = pattern.Picks();
    TTWPick& first = *picks.Add();
    AddTurn(first, 1, TurnForwards);
    AddTurn(first, 2, TurnBackwards);
    AddTurn(*picks.Add(), 1, TurnForwards);
    picks.Add()->Actions().Add(TTWAction::CreateCardTurn(2, TurnIdle, DistanceOneHole).release());

    const std::string file = File("two cards.txt");
    pattern.SaveToFile(file);
    // The newest pick comes first; idle cards leave blanks, also at the end of a line; the
    // colours are lettered in the order the hole block meets them (5 a, 2 b, 0 c, 7 d, ...).
    const std::string expected =
        "Turning Sequence\r\n"
        "----------------\r\n"
        "   3:   \r\n"
        "   2: F \r\n"
        "   1: FB\r\n"
        "\r\n" +
        std::string(80, '-') +
        "\r\n"
        "      SZ\r\n"
        "   A  ab\r\n"
        "   B  ac\r\n"
        "   C  bc\r\n"
        "   D  de\r\n"
        "   E   e\r\n"
        "   F   f\r\n"
        "\r\n";
    EXPECT_EQ(expected, fw::ReadFileBytes(file));
}

TEST_F(TurningTextTest, SelvedgesWidenThePickLinesOnly)
{
    TTWPattern pattern;
    AddCard(pattern.SelvedgeLeft(), 4, {0, 0, 0, 0}, ThreadingS);
    AddCard(pattern.Cards(), 3, {1, 1, 2}, ThreadingS);
    AddCard(pattern.SelvedgeRight(), 4, {0, 0, 0, 0}, ThreadingZ);
    AddTurn(*pattern.Picks().Add(), 1, TurnBackwards);

    TTWWeaving weaving;
    pattern.BuildWeaving(weaving, nullptr, false, 0);
    fw::StringList lines;
    BuildTurningSequence(weaving, &pattern.Cards(), &pattern.Palette(), lines);
    EXPECT_EQ((std::vector<std::string>{"Turning Sequence", std::string(16, '-'), "   1: FBF", "",
                                        std::string(80, '-'), "      S", "   A  a", "   B  a", "   C  b", ""}),
              lines.Lines());

    // Without a palette no hole rows; without cards nothing after the picks.
    BuildTurningSequence(weaving, &pattern.Cards(), nullptr, lines);
    EXPECT_EQ((std::vector<std::string>{"Turning Sequence", std::string(16, '-'), "   1: FBF", "",
                                        std::string(80, '-'), "      S", ""}),
              lines.Lines());
    BuildTurningSequence(weaving, nullptr, &pattern.Palette(), lines);
    EXPECT_EQ((std::vector<std::string>{"Turning Sequence", std::string(16, '-'), "   1: FBF", ""}), lines.Lines());
}

TEST_F(TurningTextTest, PickNumbersBeyondFourPlacesAreWrittenInFull)
{
    TTWWeaving weaving;
    weaving.SetWidth(1);
    for (int pick = 0; pick < 10000; ++pick) {
        weaving.AddPick().Cells()[0].TurnDir = pick % 2 == 0 ? TurnForwards : TurnBackwards;
    }
    fw::StringList lines;
    BuildTurningSequence(weaving, nullptr, nullptr, lines);
    ASSERT_EQ(10003, lines.Count());
    EXPECT_EQ("10000: B", lines.Strings(2));
    EXPECT_EQ("9999: F", lines.Strings(3));
    EXPECT_EQ("   1: F", lines.Strings(10001));
}

TEST(ColourLetterTest, LettersRunThroughBothAlphabetsThenAStar)
{
    EXPECT_EQ('a', ColourLetter(0));
    EXPECT_EQ('z', ColourLetter(25));
    EXPECT_EQ('A', ColourLetter(26));
    EXPECT_EQ('Z', ColourLetter(51));
    EXPECT_EQ('*', ColourLetter(52));
    EXPECT_EQ('*', ColourLetter(-1));
}
