// The turning-action display: the cell texts of a pick, the list with its numbering and
// columns, the clipboard copy, printing, and the card positions at the start of each pick.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "card_views_test_support.h"
#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "editors/turning_actions_cells.h"
#include "editors/turning_actions_display.h"
#include "editors/turning_actions_positions.h"
#include "framework/core/bitmap.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/test_driver.h"
#include "framework/report/report_output.h"
#include "shell/report_turning.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

using card_views_test::AddCardTurn;
using card_views_test::AddCardTwist;
using card_views_test::AddPack;
using card_views_test::AddPackTurn;
using card_views_test::CardsPattern;
using card_views_test::CardViewsTest;

// --- The texts of one pick --------------------------------------------------------------------------

// Patterns and their actions read the model's state, so even these window-free tests need it.
class TurningActionCellsTest : public ::testing::Test {
protected:
    TurningActionCellsTest() { ResetModelForTests(); }
    ~TurningActionCellsTest() override { ResetModelForTests(); }
};

TEST_F(TurningActionCellsTest, EachActionWritesItsLetters)
{
    EXPECT_EQ(CardActionText(*TTWAction::CreateCardTurn(1, TurnForwards, DistanceOneHole)), "F");
    EXPECT_EQ(CardActionText(*TTWAction::CreateCardTurn(1, TurnBackwards, DistanceTwoHoles)), "B2");
    EXPECT_EQ(CardActionText(*TTWAction::CreateCardTurn(1, TurnForwards, DistanceTwoHoles)), "F2");
    EXPECT_EQ(CardActionText(*TTWAction::CreateCardTwist(1, TwistH)), "T");
    EXPECT_EQ(CardActionText(*TTWAction::CreatePackTurn("P", TurnBackwards, DistanceOneHole)), "B");
}

TEST_F(TurningActionCellsTest, PackActionsFillEveryMemberAndTextsJoinInOrder)
{
    auto pattern = CardsPattern(5);
    AddPack(*pattern, "Edges", {1, 5, 7});
    TTWPick pick;
    AddCardTwist(pick, 5);
    pick.Actions().Add(TTWAction::CreatePackTurn("edges", TurnForwards, DistanceTwoHoles).release());
    AddCardTurn(pick, 3, TurnBackwards);
    AddPackTurn(pick, "Missing", TurnForwards);
    AddCardTurn(pick, 9, TurnForwards);
    EXPECT_EQ(CardCellTexts(pick.Actions(), 5, &pattern->Packs()),
              (std::vector<std::string>{"F2", "", "B", "", "TF2"}));
    EXPECT_EQ(CardCellTexts(pick.Actions(), 5, nullptr), (std::vector<std::string>{"", "", "B", "", "T"}));
}

TEST_F(TurningActionCellsTest, NumberingOfTheCardColumns)
{
    EXPECT_EQ(FirstCardNumberFrom("7"), 7);
    EXPECT_EQ(FirstCardNumberFrom(" 12 "), 12);
    EXPECT_EQ(FirstCardNumberFrom("0"), 1);
    EXPECT_EQ(FirstCardNumberFrom("-4"), 1);
    EXPECT_EQ(FirstCardNumberFrom("abc"), 1);
    EXPECT_EQ(CardColumnNumber(0, 10, 1, true), 1);
    EXPECT_EQ(CardColumnNumber(9, 10, 1, true), 10);
    EXPECT_EQ(CardColumnNumber(0, 10, 1, false), 10);
    EXPECT_EQ(CardColumnNumber(9, 10, 5, false), 5);
}

// --- Card positions -----------------------------------------------------------------------------------

TEST_F(TurningActionCellsTest, PositionsAreThoseAtTheStartOfEachPick)
{
    auto pattern = CardsPattern(2);
    AddPack(*pattern, "Both", {1, 2});
    AddCardTurn(*pattern->Picks().Add(), 1, TurnForwards);  // card 1 to D
    AddCardTwist(*pattern->Picks().Add(), 2);                // card 2 to B, threaded Z
    AddPackTurn(*pattern->Picks().Add(), "Both", TurnBackwards);
    pattern->Picks().Add();
    // The pattern's cards are somewhere else already; the reading starts from the threading.
    pattern->Cards().GetCard(0)->Turn(TurnBackwards, DistanceTwoHoles);

    const auto positions = CardPositionsAtPicks(*pattern);
    using P = TTWCardPosition;
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_EQ(positions[0], (std::vector<P>{{'A', ThreadingS}, {'A', ThreadingS}}));
    EXPECT_EQ(positions[1], (std::vector<P>{{'D', ThreadingS}, {'A', ThreadingS}}));
    EXPECT_EQ(positions[2], (std::vector<P>{{'D', ThreadingS}, {'B', ThreadingZ}}));
    EXPECT_EQ(positions[3], (std::vector<P>{{'A', ThreadingS}, {'C', ThreadingZ}}));
    EXPECT_EQ(pattern->Cards().GetCard(0)->CurPos(), 2) << "the pattern's own cards are not turned";
}

// --- The display ------------------------------------------------------------------------------------

class ActionDisplayTest : public CardViewsTest {
protected:
    ActionDisplayTest() : pattern(CardsPattern(4))
    {
        display = std::make_unique<TfrmActionDisplay>(host.get());
        display->FinishLoading();
    }

    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> texts;
        for (const TILTreeNode* row : display->lstActions->Root()->Children()) {
            texts.push_back(row->GetCellText(column));
        }
        return texts;
    }

    std::vector<std::string> CardCaptions() const
    {
        std::vector<std::string> captions;
        for (int i = TfrmActionDisplay::FirstCardColumn; i < display->lstActions->GetColumnCount(); ++i) {
            captions.push_back(display->lstActions->GetColumn(i)->Caption());
        }
        return captions;
    }

    // Five picks: forwards on 1 and 2, backwards by two on 4, a twist of 3, a pack turn.
    void FivePicks()
    {
        AddPack(*pattern, "Middle", {2, 3});
        TTWPick* first = pattern->Picks().Add();
        AddCardTurn(*first, 1, TurnForwards);
        AddCardTurn(*first, 2, TurnForwards);
        AddCardTurn(*pattern->Picks().Add(), 4, TurnBackwards, DistanceTwoHoles);
        AddCardTwist(*pattern->Picks().Add(), 3);
        AddPackTurn(*pattern->Picks().Add(), "Middle", TurnBackwards);
        AddCardTurn(*pattern->Picks().Add(), 1, TurnForwards);
    }

    std::unique_ptr<TTWPattern> pattern;
    std::unique_ptr<TfrmActionDisplay> display;
};

TEST_F(ActionDisplayTest, OneRowPerPickWithRangesAndCardCells)
{
    FivePicks();
    display->LoadActions(*pattern, false, nullptr);
    EXPECT_EQ(display->Caption(), "Actions");
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1 - 2", "", "", "", "1"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"", "4", "", "2 - 3", ""}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"", "", "3", "", ""}));
    EXPECT_EQ(Column(TfrmActionDisplay::FirstCardColumn + 3), (std::vector<std::string>{"", "B2", "", "", ""}));
    EXPECT_EQ(Column(TfrmActionDisplay::FirstCardColumn + 2), (std::vector<std::string>{"", "", "T", "B", ""}));
    EXPECT_EQ(CardCaptions(), (std::vector<std::string>{"1", "2", "3", "4"}));
    const TILTreeColumnData* card = display->lstActions->GetColumn(TfrmActionDisplay::FirstCardColumn);
    EXPECT_EQ(card->Width(), 30);
    EXPECT_EQ(card->JustifyOverride(), iltJustifyCentre);
    EXPECT_FALSE(display->lstActions->GetColumn(TfrmActionDisplay::TwistColumn)->IsHidden());
    EXPECT_EQ(display->lstActions->FixedColumns(), 1);
    EXPECT_EQ(display->lstActions->GridPen().Color, fw::clGreen);
    EXPECT_FALSE(display->chkPrintImage->Visible()) << "no picture, no picture to print";
}

TEST_F(ActionDisplayTest, EveryOtherPickListsTheOddPickNumbers)
{
    FivePicks();
    display->LoadActions(*pattern, true, nullptr);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "3", "5"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"", "3", ""}));
}

TEST_F(ActionDisplayTest, NumberingFromTheRightAndFromAnotherFirstCard)
{
    pattern = CardsPattern(10);
    TTWPick* pick = pattern->Picks().Add();
    AddCardTurn(*pick, 1, TurnForwards);
    AddCardTurn(*pick, 2, TurnForwards);
    display->LoadActions(*pattern, false, nullptr);
    display->rbRightToLeft->SetChecked(true);
    display->btnUpdateClick();
    EXPECT_EQ(CardCaptions(),
              (std::vector<std::string>{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"9 - 10"}));

    display->rbLeftToRight->SetChecked(true);
    display->edFirstCard->SetText("21");
    display->btnUpdateClick();
    EXPECT_EQ(display->FirstCardNumber(), 21);
    EXPECT_EQ(CardCaptions().front(), "21");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"21 - 22"}));
    display->edFirstCard->SetText("none");
    display->btnUpdateClick();
    EXPECT_EQ(display->FirstCardNumber(), 1);
    EXPECT_EQ(CardCaptions().back(), "10");
    EXPECT_TRUE(display->lstActions->GetColumn(TfrmActionDisplay::TwistColumn)->IsHidden()) << "no twists";
}

TEST_F(ActionDisplayTest, TheClipboardHoldsTheVisibleColumnsTabSeparatedWithCrLf)
{
    FivePicks();
    display->LoadActions(*pattern, false, nullptr);
    display->chkShowIndividualCards->SetChecked(false);
    for (int i = TfrmActionDisplay::FirstCardColumn; i < display->lstActions->GetColumnCount(); ++i) {
        EXPECT_TRUE(display->lstActions->GetColumn(i)->IsHidden());
    }
    fw::TestDriver driver(*display);
    driver.ClickOn(*display->btnCopy);
    EXPECT_EQ(fw::GetClipboard().AsText(), "1\t1 - 2\t\t\r\n"
                                           "2\t\t4\t\r\n"
                                           "3\t\t\t3\r\n"
                                           "4\t\t2 - 3\t\r\n"
                                           "5\t1\t\t\r\n");

    display->chkShowIndividualCards->SetChecked(true);
    display->btnCopyClick();
    const std::string withCards = fw::GetClipboard().AsText();
    EXPECT_EQ(withCards.substr(0, withCards.find("\r\n")), "1\t1 - 2\t\t\tF\tF\t\t");
}

TEST_F(ActionDisplayTest, WithoutTwistsOrCardsACopiedLineHoldsThreeFields)
{
    AddCardTurn(*pattern->Picks().Add(), 1, TurnForwards);
    AddCardTurn(*pattern->Picks().Add(), 2, TurnBackwards);
    display->LoadActions(*pattern, false, nullptr);
    display->chkShowIndividualCards->SetChecked(false);
    display->btnCopyClick();
    EXPECT_EQ(fw::GetClipboard().AsText(), "1\t1\t\r\n2\t\t2\r\n");
}

TEST_F(ActionDisplayTest, PrintingHandsTheChosenColumnsAndThePictureToTheReport)
{
    FivePicks();
    fw::Bitmap picture(30, 20);
    display->LoadActions(*pattern, false, &picture);
    EXPECT_TRUE(display->chkPrintImage->Visible());
    EXPECT_NE(display->PrintPicture(), nullptr);
    EXPECT_EQ(display->PrintPicture()->Width(), 30);
    EXPECT_EQ(display->PrintRowCount(), 5);
    EXPECT_EQ(display->PrintCell(3, "BACKWARDS"), "2 - 3");
    EXPECT_EQ(display->PrintCell(9, "PICK"), "");
    EXPECT_TRUE(display->PrintPicksHaveTwist());

    int previews = 0;
    const fw::ScopedHandler preview(&fw::SetReportPreviewHandler, [&](fw::Report&) { ++previews; });
    display->chkPrintShowBack->SetChecked(false);
    display->chkPrintImage->SetChecked(false);
    display->btnPrintClick();
    ASSERT_NE(display->Report(), nullptr);
    EXPECT_EQ(display->Report()->ColumnChoice(), PrintColumnForwards | PrintColumnTwist);
    EXPECT_EQ(display->Report()->lblTitle->Caption, "Diamonds");
    EXPECT_FALSE(display->Report()->qrbImage->Enabled) << "Print Image is not checked";
    EXPECT_EQ(previews, 1);
}

TEST_F(ActionDisplayTest, ShowActionsRunsModallyAndCardPositionsOpenFromIt)
{
    FivePicks();
    std::vector<std::string> shown;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        shown.push_back(std::string(form.className()));
        if (auto* positions = dynamic_cast<TfrmTWCardPositionDetails*>(&form)) {
            EXPECT_EQ(positions->Caption(), "Card Positions at Start of each Pick");
            EXPECT_EQ(positions->Owner(), display.get());
            EXPECT_EQ(positions->lstCards->Root()->GetCount(), 5);
            positions->SetModalResult(fw::mrOk);
            return;
        }
        EXPECT_EQ(display->edFirstCard->Text(), "1");
        display->btnPosDetailsClick();
        form.SetModalResult(fw::mrOk);
    });
    display->edFirstCard->SetText("4");
    display->ShowActions(*pattern, false, nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"TfrmActionDisplay", "TfrmTWCardPositionDetails"}));
    EXPECT_EQ(display->FirstCardNumber(), 1);
}

// --- The card positions window ----------------------------------------------------------------------

TEST_F(ActionDisplayTest, CardPositionsShowLettersThreadingOrPictures)
{
    AddCardTurn(*pattern->Picks().Add(), 1, TurnForwards);
    AddCardTwist(*pattern->Picks().Add(), 2);
    TfrmTWCardPositionDetails window(host.get());
    window.FinishLoading();
    window.LoadPattern(*pattern, true);
    const TILTree& list = *window.lstCards;
    ASSERT_EQ(list.GetColumnCount(), 5);
    EXPECT_EQ(list.FixedColumns(), 1);
    EXPECT_EQ(list.GetColumn(0)->ID(), "PICK");
    EXPECT_EQ(list.GetColumn(2)->Width(), 35);
    EXPECT_EQ(list.Root()->GetItem(1)->GetCellText(1), "D");
    EXPECT_EQ(list.Root()->GetItem(1)->GetCellText(2), "A");

    window.chkShowThreading->SetChecked(true);
    EXPECT_EQ(list.Root()->GetItem(1)->GetCellText(1), "DS") << "the check box rebuilds the list";
    window.chkShowImages->SetChecked(true);
    const TILTreeCellInfo* picture = list.Root()->GetItem(1)->FindCellInfo(1);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetInteger(), window.PositionImageIndex(3, ThreadingS));
    EXPECT_TRUE(picture->HasFlag(iltCellHideText));
    EXPECT_NE(window.PositionImageIndex(3, ThreadingS), window.PositionImageIndex(3, ThreadingZ));

    window.btnCopyClick();
    EXPECT_EQ(fw::GetClipboard().AsText(), "1\tAS\tAS\tAS\tAS\r\n2\tDS\tAS\tAS\tAS\r\n")
        << "pictures still copy as letters";

    TfrmTWCardPositionDetails hidden(nullptr);
    hidden.FinishLoading();
    hidden.LoadPattern(*pattern, false);
    EXPECT_TRUE(hidden.lstCards->GetColumn(1)->IsHidden());
}

TEST(CardPositionPictureTest, TheTopHoleIsFilledAndTheThreadingSlants)
{
    const fw::Bitmap plain = CardPositionPicture(4, 0, -1, 14);
    const fw::Bitmap second = CardPositionPicture(4, 1, -1, 14);
    // Hole A sits at the top centre, hole B at the right.
    EXPECT_EQ(plain.Pixel(6, 3), fw::clBlack);
    EXPECT_EQ(second.Pixel(6, 3), fw::clWhite);
    EXPECT_EQ(second.Pixel(10, 7), fw::clBlack);
    const fw::Bitmap z = CardPositionPicture(4, 0, ThreadingZ, 14);
    const fw::Bitmap s = CardPositionPicture(4, 0, ThreadingS, 14);
    EXPECT_NE(z.Pixel(2, 11), plain.Pixel(2, 11)) << "a Z slant runs from the bottom left";
    EXPECT_EQ(s.Pixel(2, 11), plain.Pixel(2, 11));
    EXPECT_NE(s.Pixel(2, 2), plain.Pixel(2, 2)) << "an S slant runs from the top left";
}

} // namespace
