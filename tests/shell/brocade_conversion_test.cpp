// Converting double-face and twill designs to brocade: the picks, colours and refusals, and
// the conversion dialog from the Edit menu to the opened or saved brocade.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_speed_button.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "shell/brocade_conversion.h"
#include "shell/convert_dialog.h"
#include "shell_tools_support.h"

using namespace shell_test;

namespace {

// A design from rows of 'X' and '.', the first row the bottom one; four-hole cards with holes
// A to D in colours 1 to 4.
template <class Design = TTWDFPattern>
std::unique_ptr<Design> MakeDesign(const std::vector<std::string>& rows, int colours = 2)
{
    auto design = std::make_unique<Design>();
    design->SetName("Source");
    design->SetNotes("Source notes");
    design->SetColourCount(colours);
    const int width = static_cast<int>(rows.front().size());
    design->SetSize(width, static_cast<int>(rows.size()));
    for (int x = 0; x < width; ++x) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, hole + 1);
        }
        design->Cards().Add(card.release());
        for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
            design->SetCell(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == 'X');
        }
    }
    return design;
}

// Each pick as one character per card: '-' a tie-down, else the weft digit.
std::vector<std::string> Picks(const TTWBrocadePattern& brocade)
{
    std::vector<std::string> picks;
    for (const auto& pick : brocade.BrocadePicks()) {
        std::string text;
        for (int card = 0; card < brocade.Width(); ++card) {
            text += pick->IsTieDown(card) ? '-' : static_cast<char>('0' + pick->GetWeft(card));
        }
        picks.push_back(text);
    }
    return picks;
}

class BrocadeConversionTest : public ShellToolsTest {
protected:
    void SetUp() override
    {
        ShellToolsTest::SetUp();
        RegisterConversionDialog();
    }
};

TEST_F(BrocadeConversionTest, ADoubleFaceRowIsOnePickCompressedAndTwoWithout)
{
    const auto design = MakeDesign({"X..", ".X.", "..X"});
    TTWBrocadePattern compressed;
    ConvertToBrocade(*design, true, compressed);
    EXPECT_EQ(compressed.Width(), 3);
    EXPECT_EQ(Picks(compressed), (std::vector<std::string>{"1--", "-1-", "--1"}));
    TTWBrocadePattern doubled;
    ConvertToBrocade(*design, false, doubled);
    EXPECT_EQ(Picks(doubled), (std::vector<std::string>{"1--", "1--", "-1-", "-1-", "--1", "--1"}));
    EXPECT_EQ(doubled.BrocadePicks().Items(1)->TieDowns().Count(), 2);
}

TEST_F(BrocadeConversionTest, TwillOddColumnsArePutOnePickEarlier)
{
    const auto twill = MakeDesign<TTW31TwillPattern>({"XX", "XX"});
    TTWBrocadePattern brocade;
    ConvertToBrocade(*twill, true, brocade);
    // Column 1 lands in picks 0 to 2; its last pick stays a tie-down.
    EXPECT_EQ(Picks(brocade), (std::vector<std::string>{"11", "11", "11", "1-"}));
    const auto lower = MakeDesign<TTW31TwillPattern>({"XX", ".."});
    TTWBrocadePattern half;
    ConvertToBrocade(*lower, true, half);
    EXPECT_EQ(Picks(half), (std::vector<std::string>{"11", "1-", "--", "--"}));
}

TEST_F(BrocadeConversionTest, TheGroundTakesHoleDAndTheFirstWeftHoleA)
{
    auto design = MakeDesign({"X.", ".X"});
    design->Palette().SetColour(1, 0x0000C0);
    design->Cards().GetCard(1)->SetHoleColour(3, 9);
    TTWBrocadePattern brocade;
    ConvertToBrocade(*design, true, brocade);
    ASSERT_EQ(brocade.Cards().Count(), 2);
    for (int card = 0; card < 2; ++card) {
        for (int hole = 0; hole < 4; ++hole) {
            EXPECT_EQ(brocade.Cards().GetCard(card)->HoleColour(hole), 4) << "hole D of the first card";
        }
    }
    EXPECT_EQ(brocade.Wefts().Items(0)->Colour, 0x0000C0u) << "the colour of hole A";
    EXPECT_EQ(brocade.Palette().GetColour(1), 0x0000C0u);
    EXPECT_EQ(brocade.Name(), "Source");
    EXPECT_EQ(brocade.Notes(), "Source notes");
}

TEST_F(BrocadeConversionTest, OnlyTwoColourDoubleFaceAndTwillWithFourHoledCardsAreConverted)
{
    EXPECT_EQ(BrocadeConversionRefusal(*MakeDesign({"X."})), "");
    EXPECT_EQ(BrocadeConversionRefusal(*MakeDesign<TTW31TwillPattern>({"X."})), "");
    EXPECT_EQ(BrocadeConversionRefusal(*MakeDesign({"X."}, 4)), "Only basic 2-colour doubleface patterns can be converted.");
    EXPECT_EQ(BrocadeConversionRefusal(TTWPattern()), "Only doubleface or twill patterns can be converted.");
    TTWDFPattern noCards;
    noCards.SetSize(3, 3);
    EXPECT_EQ(BrocadeConversionRefusal(noCards), "The source pattern has no cards.");
    auto threeHoles = MakeDesign({"X"});
    threeHoles->Cards().Clear();
    threeHoles->Cards().Add(CreateCard(3).release());
    EXPECT_EQ(BrocadeConversionRefusal(*threeHoles), "The cards of the source pattern have fewer than four holes.");
}

TEST_F(BrocadeConversionTest, ARefusedSourceLeavesTheChosenOneAndCompressShowsForDoubleFaceOnly)
{
    TfrmTWCvtDFToBrocade dialog(Main());
    dialog.FinishLoading();
    const std::string twill = Save(*MakeDesign<TTW31TwillPattern>({"X."}), "twill.tvl");
    const std::string four = Save(*MakeDesign({"X."}, 4), "four.tvl");
    EXPECT_TRUE(dialog.SelectSource(twill));
    EXPECT_FALSE(dialog.chkCompress->Visible());
    EXPECT_FALSE(dialog.SelectSource(four));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Only basic 2-colour doubleface patterns can be converted."}));
    EXPECT_EQ(dialog.SourceFileName(), twill);
    EXPECT_TRUE(dialog.SelectSource(Save(*MakeDesign({"X."}), "two.tvl")));
    EXPECT_TRUE(dialog.chkCompress->Visible());
}

TEST_F(BrocadeConversionTest, ConvertAsksForWhatIsMissingAndChecksTheFileAgain)
{
    TfrmTWCvtDFToBrocade dialog(Main());
    dialog.FinishLoading();
    EXPECT_FALSE(dialog.btnSelTarget->Enabled());
    dialog.btnConvert->Click();
    const std::string source = Save(*MakeDesign({"X."}), "source.tvl");
    ASSERT_TRUE(dialog.SelectSource(source));
    dialog.rbCvtToFile->SetChecked(true);
    EXPECT_TRUE(dialog.btnSelTarget->Enabled());
    EXPECT_TRUE(dialog.chkAutoOpen->Enabled());
    dialog.btnConvert->Click();
    // The file changed after it was chosen: Convert reads it again.
    Save(*MakeDesign({"X."}, 4), "source.tvl");
    dialog.SetTargetFileName((Folder() / "out.tvl").string());
    dialog.btnConvert->Click();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Please select the source pattern.", "Please select the target file.",
                                                     "Only basic 2-colour doubleface patterns can be converted."}));
    EXPECT_FALSE(std::filesystem::exists(Folder() / "out.tvl"));
    EXPECT_TRUE(opened.empty());
}

TEST_F(BrocadeConversionTest, ConvertedIntoTheDesignerFromTheEditMenu)
{
    const std::string source = Save(*MakeDesign({"X..", "..X"}), "source.tvl");
    fileChoices = {source};
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWCvtDFToBrocade&>(form);
        EXPECT_EQ(dialog.Caption(), "Convert Double-Face/Twill to Brocade");
        dialog.btnSelSource->Click();
        dialog.chkCompress->SetChecked(false);
        dialog.btnConvert->Click();
    };
    Item("mnuCvtDFtoBrocade").Click();
    EXPECT_EQ(modalForms, (std::vector<std::string>{"TfrmTWCvtDFToBrocade"}));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->fileName, "");
    const auto& brocade = dynamic_cast<const TTWBrocadePattern&>(*opened[0]->pattern);
    EXPECT_EQ(Picks(brocade), (std::vector<std::string>{"1--", "1--", "--1", "--1"}));
}

TEST_F(BrocadeConversionTest, SavedWithoutOpeningTheDialogStaysAndForgetsBothFiles)
{
    TfrmTWCvtDFToBrocade dialog(Main());
    dialog.FinishLoading();
    const std::string target = (Folder() / "brocade.tvl").string();
    ASSERT_TRUE(dialog.SelectSource(Save(*MakeDesign({"X.", ".X", "XX"}), "source.tvl")));
    dialog.rbCvtToFile->SetChecked(true);
    fileChoices = {target};
    dialog.btnSelTarget->Click();
    EXPECT_EQ(dialog.TargetFileName(), target);
    dialog.chkAutoOpen->SetChecked(false);
    dialog.btnConvert->Click();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Pattern has been converted."}));
    EXPECT_EQ(dialog.SourceFileName(), "");
    EXPECT_EQ(dialog.TargetFileName(), "");
    EXPECT_TRUE(opened.empty());
    const std::unique_ptr<TTWPatternBase> saved = LoadAndCreatePattern(target);
    EXPECT_EQ(Picks(dynamic_cast<const TTWBrocadePattern&>(*saved)), (std::vector<std::string>{"1-", "-1", "11"}));

    // With "Open converted pattern" the saved file is what opens.
    ASSERT_TRUE(dialog.SelectSource(Save(*MakeDesign({"X."}), "again.tvl")));
    dialog.SetTargetFileName(target);
    dialog.chkAutoOpen->SetChecked(true);
    dialog.btnConvert->Click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->fileName, target);
    EXPECT_EQ(opened[0]->pattern->GetPatternType(), PatternTypeBrocade);
}

TEST_F(BrocadeConversionTest, ASaveThatFailsRaisesAndLeavesTheDialogAsItWas)
{
    TfrmTWCvtDFToBrocade dialog(Main());
    dialog.FinishLoading();
    const std::string source = Save(*MakeDesign({"X.", ".X"}), "source.tvl");
    ASSERT_TRUE(dialog.SelectSource(source));
    dialog.rbCvtToFile->SetChecked(true);
    // A folder that is not there: the file cannot be made.
    const std::string target = (Folder() / "missing" / "brocade.tvl").string();
    dialog.SetTargetFileName(target);
    dialog.chkAutoOpen->SetChecked(true);
    EXPECT_ANY_THROW(dialog.btnConvert->Click());
    EXPECT_TRUE(BoxTexts().empty()) << "nothing said it was converted";
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(std::filesystem::exists(target));
    // The choices stay for another try.
    EXPECT_EQ(dialog.SourceFileName(), source);
    EXPECT_EQ(dialog.TargetFileName(), target);
}

} // namespace
