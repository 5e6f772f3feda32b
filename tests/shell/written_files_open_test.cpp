// What the join tools and the brocade conversion write, the Load command opens again: at the
// largest size each accepts the written file opens through the main window's file loader,
// and one past it the command refuses with the limit's message, naming the file, before
// anything is written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "foundation/generic_exception.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_speed_button.h"
#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "shell/convert_dialog.h"
#include "shell/join_dialogs.h"
#include "shell_tools_support.h"
#include "support/design_limits.h"

using namespace shell_test;

namespace {

std::string TooWide(int cards)
{
    return "Invalid pattern width (" + std::to_string(cards) + ").\r\nA pattern has at most "
           + std::to_string(MaxPatternCards) + " cards.";
}

// A design of the kind with four-hole cards (holes A to D in colours 1 to 4), its first
// column set.
template <class Design>
std::unique_ptr<TTWPatternBase> MakeDesign(int width, int length)
{
    auto design = std::make_unique<Design>();
    design->SetSize(width, length);
    for (int x = 0; x < width; ++x) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, hole + 1);
        }
        design->Cards().Add(card.release());
    }
    for (int y = 0; y < length; ++y) {
        design->SetCell(0, y, true);
    }
    return design;
}

std::unique_ptr<TTWPatternBase> MakeThreaded(int cards, int picks)
{
    auto pattern = std::make_unique<TTWPattern>();
    for (int card = 0; card < cards; ++card) {
        pattern->Cards().Add(CreateCard(4).release());
    }
    for (int pick = 0; pick < picks; ++pick) {
        TTWPick* made = pattern->Picks().Add();
        for (int card = 1; card <= cards; ++card) {
            made->Actions().Add(TTWAction::CreateCardTurn(card, TurnBackwards, DistanceOneHole).release());
        }
    }
    return pattern;
}

std::unique_ptr<TTWPatternBase> MakeBrocade(int width, int picks)
{
    auto brocade = std::make_unique<TTWBrocadePattern>();
    brocade->SetWidth(width);
    brocade->SetSize(width, picks);
    for (int card = 0; card < width; ++card) {
        brocade->Cards().Add(CreateCard(4).release());
    }
    return brocade;
}

using PatternMaker = std::function<std::unique_ptr<TTWPatternBase>()>;

// One join: its direction and the patterns it joins, and the size the joined pattern has.
struct JoinCase {
    std::string Name;
    TTWJoinDirection Direction = TTWJoinDirection::SideBySide;
    std::vector<PatternMaker> Patterns;
    int Cards = 0;
    int Picks = 0;
};

class WrittenFilesOpenTest : public ShellToolsTest {
protected:
    void SetUp() override
    {
        ShellToolsTest::SetUp();
        RegisterJoinDialogs();
        RegisterConversionDialog();
    }

    // The pattern the Load command opens from the file: the kind's editor is handed what the
    // loader read.
    const TTWPatternBase& Reopen(const std::string& file)
    {
        const std::size_t before = opened.size();
        LoadPatternFile(Main(), file);
        EXPECT_EQ(opened.size(), before + 1);
        return *opened.back()->pattern;
    }

    // Joins the patterns in the join dialog of the direction, saving the result to the file;
    // the error the Join button raised, none when it joined.
    std::optional<std::string> JoinToFile(const JoinCase& join, const std::string& target)
    {
        std::unique_ptr<TfrmTWJoinPatternsBase> dialog;
        if (join.Direction == TTWJoinDirection::SideBySide) {
            dialog = std::make_unique<TfrmTWJoinSideBySide>(Main());
        } else {
            dialog = std::make_unique<TfrmTWJoinEndToEnd>(Main());
        }
        dialog->FinishLoading();
        for (std::size_t i = 0; i < join.Patterns.size(); ++i) {
            EXPECT_TRUE(dialog->AddPattern(join.Patterns[i](), "part" + std::to_string(i) + ".tvl"));
        }
        dialog->chkSave->SetChecked(true);
        dialog->chkOpen->SetChecked(false);
        fileChoices = {target};
        dialog->btnSelectOutFile->Click();
        try {
            dialog->btnJoin->Click();
        } catch (const TGenericException& error) {
            return error.Message();
        }
        return std::nullopt;
    }

    // The join at the largest size it accepts opens again from its file; one past it is
    // refused with the message, which names the file, and nothing is written.
    void ExpectJoinWrittenOrRefused(const JoinCase& fits, const JoinCase& past, const std::string& refusal)
    {
        SCOPED_TRACE(fits.Name);
        const std::string target = (Folder() / "joined.tvl").string();
        std::filesystem::remove(target);
        EXPECT_EQ(JoinToFile(past, target), refusal + "\r\nFilename: " + target);
        EXPECT_FALSE(std::filesystem::exists(target)) << "nothing is written";

        ASSERT_EQ(JoinToFile(fits, target), std::nullopt);
        const TTWPatternBase& joined = Reopen(target);
        EXPECT_EQ(joined.GetCardCount(), fits.Cards);
        EXPECT_EQ(joined.GetPickCount(), fits.Picks);
    }

    // Two designs of the kind end to end, as wide as a pattern may be, whose rows add up to
    // the most such a design holds, and two side by side whose cards add up to a pattern's
    // width; and the same with one row more.
    template <class Design>
    void ExpectGridJoinsHeld(const std::string& kind, int picksPerRow)
    {
        // The first design joined to the second fits; to the third, one row longer, it is refused.
        const auto expectHeld = [&](const std::string& name, TTWJoinDirection direction, const PatternMaker& first,
                                    const PatternMaker& second, const PatternMaker& third) {
            ExpectJoinWrittenOrRefused(
                JoinCase{kind + " " + name, direction, {first, second}, MaxPatternCards, FullWidthRows * picksPerRow},
                JoinCase{kind + " " + name + ", one row more", direction, {first, third}},
                TooManyCells(MaxPatternCards, FullWidthRows + 1));
        };
        const int upper = FullWidthRows - FullWidthRows / 2;
        expectHeld(
            "end to end", TTWJoinDirection::EndToEnd,
            [] { return MakeDesign<Design>(MaxPatternCards, FullWidthRows / 2); },
            [=] { return MakeDesign<Design>(MaxPatternCards, upper); },
            [=] { return MakeDesign<Design>(MaxPatternCards, upper + 1); });
        const int right = MaxPatternCards - MaxPatternCards / 2;
        expectHeld(
            "side by side", TTWJoinDirection::SideBySide,
            [] { return MakeDesign<Design>(MaxPatternCards / 2, FullWidthRows); },
            [=] { return MakeDesign<Design>(right, FullWidthRows); },
            [=] { return MakeDesign<Design>(right, FullWidthRows + 1); });
    }
};

} // namespace

TEST_F(WrittenFilesOpenTest, EveryKindOfJoinSavedAtTheLimitOpensAndOnePastIsRefusedBeforeItIsWritten)
{
    ExpectGridJoinsHeld<TTWDFPattern>("double-face", 2);
    ExpectGridJoinsHeld<TTW31TwillPattern>("twill", 2);
    ExpectGridJoinsHeld<TTWWarpTwinedPattern>("twist-patterned", 1);

    // Threaded-in and brocade patterns have no grid of cells to show: the cards are what
    // bounds them (end to end, neither is wider than the widest it joins).
    const int left = MaxPatternCards / 2;
    const int right = MaxPatternCards - left;
    ExpectJoinWrittenOrRefused(
        JoinCase{"threaded-in side by side",
                 TTWJoinDirection::SideBySide,
                 {[=] { return MakeThreaded(left, 2); }, [=] { return MakeThreaded(right, 1); }},
                 MaxPatternCards,
                 2},
        JoinCase{"threaded-in side by side, one card more",
                 TTWJoinDirection::SideBySide,
                 {[=] { return MakeThreaded(left, 2); }, [=] { return MakeThreaded(right + 1, 1); }}},
        TooWide(MaxPatternCards + 1));
    ExpectJoinWrittenOrRefused(
        JoinCase{"brocade side by side",
                 TTWJoinDirection::SideBySide,
                 {[=] { return MakeBrocade(left, 3); }, [=] { return MakeBrocade(right, 2); }},
                 MaxPatternCards,
                 3},
        JoinCase{"brocade side by side, one card more",
                 TTWJoinDirection::SideBySide,
                 {[=] { return MakeBrocade(left, 3); }, [=] { return MakeBrocade(right + 1, 2); }}},
        TooWide(MaxPatternCards + 1));
}

TEST_F(WrittenFilesOpenTest, ADesignAtTheLimitConvertedToBrocadeOpensAndOnePastIsRefusedAsItIsRead)
{
    struct Source {
        std::string Name;
        PatternMaker Fits;
        // The file's type: a design one past the limit can only be a file made elsewhere.
        std::string Type;
        bool Compress = false;
        int Picks = 0;
    };
    const std::vector<Source> sources = {
        {"double-face", [] { return MakeDesign<TTWDFPattern>(MaxPatternCards, FullWidthRows); }, "DoubleFace", true,
         FullWidthRows},
        {"double-face, two picks a row", [] { return MakeDesign<TTWDFPattern>(MaxPatternCards, FullWidthRows); },
         "DoubleFace", false, 2 * FullWidthRows},
        {"twill", [] { return MakeDesign<TTW31TwillPattern>(MaxPatternCards, FullWidthRows); }, "BrokenTwill", false,
         2 * FullWidthRows},
    };
    const std::string target = (Folder() / "brocade.tvl").string();
    for (const Source& source : sources) {
        SCOPED_TRACE(source.Name);
        std::filesystem::remove(target);
        TfrmTWCvtDFToBrocade dialog(Main());
        dialog.FinishLoading();
        dialog.rbCvtToFile->SetChecked(true);
        dialog.chkAutoOpen->SetChecked(false);
        dialog.chkCompress->SetChecked(source.Compress);

        // A design one past the limit cannot be chosen: it is refused as it is read, the
        // file named, and nothing is converted.
        const std::string past = (Folder() / "past.tvl").string();
        std::ofstream(past, std::ios::binary)
            << "<TWData><Version>1.17</Version><Pattern Type=\"" << source.Type << "\"><Width>" << MaxPatternCards
            << "</Width><Length>" << FullWidthRows + 1 << "</Length></Pattern></TWData>";
        std::string refusal;
        try {
            dialog.SelectSource(past);
        } catch (const TGenericException& error) {
            refusal = error.Message();
        }
        EXPECT_EQ(refusal, TooManyCells(MaxPatternCards, FullWidthRows + 1) + "\r\nFilename: " + past);
        EXPECT_EQ(dialog.SourceFileName(), "");

        ASSERT_TRUE(dialog.SelectSource(Save(*source.Fits(), "source.tvl")));
        dialog.SetTargetFileName(target);
        boxes.clear();
        dialog.btnConvert->Click();
        EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Pattern has been converted."}));
        const TTWPatternBase& brocade = Reopen(target);
        EXPECT_EQ(brocade.GetPatternType(), PatternTypeBrocade);
        EXPECT_EQ(brocade.GetCardCount(), MaxPatternCards);
        EXPECT_EQ(brocade.GetPickCount(), source.Picks);
    }
}
