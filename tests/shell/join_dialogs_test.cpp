// The join dialogs as the user meets them: what they let into the list, what they refuse
// and say, and the Join command from the Edit menu to the opened or saved result.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/check_box.h"
#include "foundation/generic_exception.h"
#include "framework/core/file_io.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_speed_button.h"
#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "shell/join_dialogs.h"
#include "shell_tools_support.h"
#include "support/pick_texts.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

using namespace shell_test;

namespace {

std::unique_ptr<TTWPattern> Threaded(int cards, int picks, int holes = 4)
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Threaded " + std::to_string(cards));
    pattern->SetNotes("Notes of " + std::to_string(cards));
    for (int card = 0; card < cards; ++card) {
        pattern->Cards().Add(CreateCard(holes).release());
    }
    for (int pick = 0; pick < picks; ++pick) {
        TTWPick* made = pattern->Picks().Add();
        for (int card = 1; card <= cards; ++card) {
            made->Actions().Add(TTWAction::CreateCardTurn(card, TurnBackwards, DistanceOneHole).release());
        }
    }
    return pattern;
}

std::unique_ptr<TTWDFPattern> DoubleFace(int width, int length, int colours)
{
    auto design = std::make_unique<TTWDFPattern>();
    design->SetName("Double-face " + std::to_string(colours));
    design->SetColourCount(colours);
    design->SetSize(width, length);
    for (int x = 0; x < width; ++x) {
        design->Cards().Add(CreateCard(colours == 6 ? 6 : 4).release());
        design->SetCell(x, 0, true);
    }
    return design;
}

class JoinDialogsTest : public ShellToolsTest {
protected:
    void SetUp() override
    {
        ShellToolsTest::SetUp();
        RegisterJoinDialogs();
    }

    template <class Dialog>
    std::unique_ptr<Dialog> NewDialog()
    {
        auto dialog = std::make_unique<Dialog>(Main());
        dialog->FinishLoading();
        return dialog;
    }
    // The boxes' texts since the last call.
    std::vector<std::string> TakeBoxTexts()
    {
        std::vector<std::string> texts = BoxTexts();
        boxes.clear();
        return texts;
    }
};

TEST_F(JoinDialogsTest, FontsLetteredBandsAndOtherKindsAreKeptOut)
{
    auto dialog = NewDialog<TfrmTWJoinSideBySide>();
    EXPECT_FALSE(dialog->AddPattern(std::make_unique<TTWFont>(), "font.tvf"));
    EXPECT_FALSE(dialog->AddPattern(std::make_unique<TTWLetteredBand>(), "band.tvl"));
    EXPECT_EQ(TakeBoxTexts(), (std::vector<std::string>{
                                  "Fonts cannot be joined!",
                                  "A Lettered Band cannot be joined to other bands.\r\nTo join this pattern to another, "
                                  "save the Lettered Band as a Double-Face pattern."}));
    EXPECT_EQ(dialog->PatternCount(), 0);

    EXPECT_TRUE(dialog->AddPattern(Threaded(2, 3), "a.tvl"));
    EXPECT_FALSE(dialog->AddPattern(DoubleFace(2, 2, 2), "b.tvl"));
    EXPECT_FALSE(dialog->AddPattern(Threaded(2, 3, 6), "c.tvl"));
    EXPECT_EQ(TakeBoxTexts(), (std::vector<std::string>{"Patterns of different types cannot be joined.",
                                                         "Patterns must use cards with the same number of holes. "}));
    EXPECT_EQ(dialog->PatternCount(), 1);
}

TEST_F(JoinDialogsTest, TwillsMustShareTheirBackgroundTwill)
{
    auto dialog = NewDialog<TfrmTWJoinEndToEnd>();
    auto s = std::make_unique<TTW31TwillPattern>();
    s->SetBackgroundTwill(TTWTwillDirection::S);
    auto z = std::make_unique<TTW31TwillPattern>();
    z->SetBackgroundTwill(TTWTwillDirection::Z);
    auto s2 = std::make_unique<TTW31TwillPattern>();
    s2->SetBackgroundTwill(TTWTwillDirection::S);
    EXPECT_TRUE(dialog->AddPattern(std::move(s), "s.tvl"));
    EXPECT_FALSE(dialog->AddPattern(std::move(z), "z.tvl"));
    EXPECT_TRUE(dialog->AddPattern(std::move(s2), "s2.tvl"));
    EXPECT_EQ(TakeBoxTexts(), (std::vector<std::string>{"Only patterns with the same background twill can be joined."}));
}

TEST_F(JoinDialogsTest, ABrocadeOverAGroundWeaveIsUsedOnlyWhenTheUserAgrees)
{
    auto dialog = NewDialog<TfrmTWJoinSideBySide>();
    const auto withGround = [] {
        auto brocade = std::make_unique<TTWBrocadePattern>();
        const TTWDFPattern ground;
        brocade->SetGroundWeave(&ground);
        return brocade;
    };
    answers = {fw::mrNo, fw::mrYes};
    EXPECT_FALSE(dialog->AddPattern(withGround(), "a.tvl"));
    EXPECT_TRUE(dialog->AddPattern(withGround(), "b.tvl"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, "This brocade design has an underlying ground weave\r\nwhich will be lost when the "
                             "patterns are joined.\r\nDo you wish to use this pattern anyway?");
    EXPECT_TRUE(dialog->AddPattern(std::make_unique<TTWBrocadePattern>(), "c.tvl"));
    EXPECT_EQ(boxes.size(), 2u) << "a brocade without a ground weave is not asked about";
}

TEST_F(JoinDialogsTest, DoubleFaceOfTwoAndFourColoursJoinSideBySideButNotEndToEnd)
{
    auto side = NewDialog<TfrmTWJoinSideBySide>();
    EXPECT_TRUE(side->AddPattern(DoubleFace(3, 2, 2), "two.tvl"));
    EXPECT_TRUE(side->AddPattern(DoubleFace(2, 4, 4), "four.tvl"));
    const std::unique_ptr<TTWPatternBase> joined = side->JoinPatterns();
    ASSERT_NE(joined, nullptr);
    const auto& design = dynamic_cast<const TTWDFPattern&>(*joined);
    EXPECT_EQ(design.ColourCount(), 4);
    EXPECT_EQ(design.Width(), 5);
    EXPECT_EQ(design.Length(), 4);
    EXPECT_EQ(design.Name(), "Double-face 2");

    auto end = NewDialog<TfrmTWJoinEndToEnd>();
    EXPECT_TRUE(end->AddPattern(DoubleFace(3, 2, 2), "two.tvl"));
    EXPECT_FALSE(end->AddPattern(DoubleFace(2, 4, 4), "four.tvl"));
    EXPECT_FALSE(end->AddPattern(Threaded(1, 1), "threaded.tvl"));
    EXPECT_EQ(TakeBoxTexts(), (std::vector<std::string>{"2-colour and 3-colour doubleface patterns cannot be mixed.",
                                                         "Threaded-in patterns cannot be joined to each other."}));
}

TEST_F(JoinDialogsTest, AFileOfAnUnknownTypeIsRefusedWithTheReadersMessageAndAddsNoRow)
{
    auto dialog = NewDialog<TfrmTWJoinSideBySide>();
    const std::string path = (Folder() / "strange.tvl").string();
    fw::WriteFileAtomically(path, "<TWData><Pattern Type=\"Strange\"/></TWData>");
    fileChoices = {path};
    try {
        dialog->btnAddPattern->Click();
        ADD_FAILURE() << "no error";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message,
                  "Unable to create pattern.\r\nThe type <Strange> is unknown.\r\nFilename: " + path);
    }
    EXPECT_EQ(dialog->PatternCount(), 0);
    EXPECT_EQ(dialogTitles, (std::vector<std::string>{"Load Pattern"}));
}

TEST_F(JoinDialogsTest, JoiningAsksForTwoPatternsAndAFileToSaveTo)
{
    auto dialog = NewDialog<TfrmTWJoinSideBySide>();
    EXPECT_FALSE(dialog->chkSave->Checked());
    EXPECT_TRUE(dialog->chkOpen->Checked());
    EXPECT_FALSE(dialog->chkOpen->Enabled()) << "without saving, the result always opens";
    dialog->AddPattern(Threaded(1, 1), "a.tvl");
    dialog->btnJoin->Click();
    dialog->AddPattern(Threaded(1, 1), "b.tvl");
    dialog->chkSave->SetChecked(true);
    EXPECT_TRUE(dialog->chkOpen->Enabled());
    dialog->btnJoin->Click();
    EXPECT_EQ(TakeBoxTexts(), (std::vector<std::string>{"Please select two or more patterns to be joined.",
                                                         "Please select the file in which to save the combined pattern."}));
    EXPECT_TRUE(opened.empty());
    dialog->chkOpen->SetChecked(false);
    dialog->chkSave->SetChecked(false);
    EXPECT_TRUE(dialog->chkOpen->Checked());
}

TEST_F(JoinDialogsTest, RowsAreRemovedAndMovedAsSelected)
{
    auto dialog = NewDialog<TfrmTWJoinSideBySide>();
    for (int cards = 1; cards <= 3; ++cards) {
        dialog->AddPattern(Threaded(cards, 1), "p" + std::to_string(cards) + ".tvl");
    }
    dialog->lstPatterns->SelectOnly(dialog->lstPatterns->Root()->GetItem(2));
    dialog->btnMoveUp->Click();
    dialog->btnMoveUp->Click();
    dialog->btnMoveUp->Click();
    EXPECT_EQ(dialog->RowPattern(0)->GetCardCount(), 3);
    dialog->btnMoveDown->Click();
    EXPECT_EQ(dialog->RowPattern(1)->GetCardCount(), 3);
    dialog->btnRemovePattern->Click();
    ASSERT_EQ(dialog->PatternCount(), 2);
    EXPECT_EQ(dialog->RowPattern(0)->GetCardCount(), 1);
    EXPECT_EQ(dialog->RowPattern(1)->GetCardCount(), 2);
}

TEST_F(JoinDialogsTest, TenAndSixPicksJoinedSideBySideFromTheEditMenuOpenInAnEditor)
{
    const std::string first = Save(*Threaded(2, 10), "ten.tvl");
    const std::string second = Save(*Threaded(3, 6), "six.tvl");
    fileChoices = {first, second};
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWJoinSideBySide&>(form);
        EXPECT_EQ(dialog.Caption(), "Join Patterns: Side-by-Side");
        dialog.btnAddPattern->Click();
        dialog.btnAddPattern->Click();
        EXPECT_EQ(dialog.PatternCount(), 2);
        dialog.btnJoin->Click();
    };
    Item("mnuJoinSidebySide").Click();
    EXPECT_EQ(modalForms, (std::vector<std::string>{"TfrmTWJoinSideBySide"}));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->fileName, "") << "a joined pattern has no file yet";
    const auto& joined = dynamic_cast<const TTWPattern&>(*opened[0]->pattern);
    EXPECT_EQ(joined.Name(), "Threaded 2");
    EXPECT_EQ(joined.Notes(), "Notes of 2");
    const std::vector<std::string> picks = PickTexts(joined);
    ASSERT_EQ(picks.size(), 10u);
    EXPECT_EQ(picks[5], "1B 2B 3B 4B 5B");
    for (int k = 6; k < 10; ++k) {
        EXPECT_EQ(picks[static_cast<std::size_t>(k)], "1B 2B 3F 4F 5F") << "pick " << k + 1;
    }
}

TEST_F(JoinDialogsTest, AJoinSavedToAFileIsWhatOpensFromIt)
{
    const std::string first = Save(*DoubleFace(2, 2, 2), "a.tvl");
    const std::string second = Save(*DoubleFace(4, 3, 2), "b.tvl");
    const std::string target = (Folder() / "joined.tvl").string();
    fileChoices = {first, second, target};
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWJoinEndToEnd&>(form);
        dialog.btnAddPattern->Click();
        dialog.btnAddPattern->Click();
        dialog.chkSave->SetChecked(true);
        dialog.chkOpen->SetChecked(false);
        dialog.btnSelectOutFile->Click();
        dialog.btnJoin->Click();
    };
    Item("mnuJoinEndtoEnd").Click();
    EXPECT_EQ(dialogTitles, (std::vector<std::string>{"Load Pattern", "Load Pattern", "Save Pattern"}));
    EXPECT_TRUE(opened.empty());
    const std::unique_ptr<TTWPatternBase> saved = LoadAndCreatePattern(target);
    const auto& design = dynamic_cast<const TTWDFPattern&>(*saved);
    EXPECT_EQ(design.Width(), 4);
    EXPECT_EQ(design.Length(), 5);
    EXPECT_FALSE(design.GetCell(0, 0)) << "the narrower one centred";
    EXPECT_TRUE(design.GetCell(1, 0));
    EXPECT_TRUE(design.GetCell(0, 2));
    EXPECT_TRUE(design.GetCell(3, 2));
}

} // namespace
