// Card setup: the compact card frames, the row that holds them with its threading, moving and
// colour commands, and the card setup dialog run through the modal runner.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "card_views_test_support.h"
#include "controls/brush_panel.h"
#include "controls/scroll_control.h"
#include "editors/card_frame_circle.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_dialog.h"
#include "editors/card_setup_row.h"
#include "foundation/generic_exception.h"
#include "framework/core/exceptions.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/test_driver.h"
#include "model/pattern_limits.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/palette_frame.h"
#include "shell/palette_select_frame.h"

namespace {

using card_views_test::CardViewsTest;
using card_views_test::NumberedCard;

constexpr TTWColour Shade(int index)
{
    return 0x200000u + static_cast<TTWColour>(index);
}

class CardSetupTest : public CardViewsTest {
protected:
    CardSetupTest()
    {
        for (int i = 0; i < palette.Size(); ++i) {
            palette.SetColour(i, Shade(i));
        }
    }

    // A row of `count` four-hole cards whose card k has holes k, k+1, k+2, k+3.
    TfrmCardSetupCompact* MakeRow(int count, int holes = 4)
    {
        auto* row = new TfrmCardSetupCompact(host.get());
        row->SetParent(host.get());
        row->SetHoleCount(holes);
        row->SetBounds(0, 0, 600, row->PreferredHeight());
        row->SetPalette(&palette);
        if (CardClassOf(holes) == nullptr) {
            row->SetCardCount(count);
            return row;
        }
        TTWCardList cards;
        for (int k = 0; k < count; ++k) {
            cards.Add(NumberedCard(holes, k).release());
        }
        row->LoadFromCardList(cards);
        return row;
    }

    static std::vector<int> Holes(const TfrmCardCompactBase& frame)
    {
        std::vector<int> holes;
        for (int hole = 0; hole < frame.HoleCount(); ++hole) {
            holes.push_back(frame.GetHoleColourIndex(hole));
        }
        return holes;
    }

    static std::string Threadings(const TfrmCardSetupCompact& row)
    {
        std::string text;
        for (int i = 0; i < row.CardCount(); ++i) {
            text += row.GetCardFrame(i)->lblThread->Caption();
        }
        return text;
    }

    // The first hole colour of every frame in row order: which card stands where.
    static std::vector<int> Order(const TfrmCardSetupCompact& row)
    {
        std::vector<int> order;
        for (int i = 0; i < row.CardCount(); ++i) {
            order.push_back(row.GetCardFrame(i)->GetHoleColourIndex(0));
        }
        return order;
    }

    TTWPalette palette;
};

// --- One compact frame ---------------------------------------------------------------------------

TEST_F(CardSetupTest, EachClassHasItsHoleCircles)
{
    for (int holes = MinCompactCardHoles; holes <= MaxCompactCardHoles; ++holes) {
        std::unique_ptr<TfrmCardCompactBase> frame(CreateCardCompactFrame(holes, nullptr));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->HoleCount(), holes);
        EXPECT_EQ(frame->Width(), 16);
        EXPECT_NE(frame->HoleShape(holes - 1), nullptr);
        EXPECT_EQ(frame->HoleShape(holes - 1)->Tag(), holes - 1);
        EXPECT_EQ(frame->HoleShape(holes), nullptr);
        EXPECT_EQ(frame->GetHoleColourIndex(0), 0) << "holes start at index 0";
    }
    EXPECT_EQ(CreateCardCompactFrame(9, nullptr), nullptr);
    EXPECT_NE(dynamic_cast<TfrmCard4Compact*>(std::unique_ptr<TfrmCardCompactBase>(
                  CreateCardCompactFrame(5, nullptr)).get()),
              nullptr)
        << "the five-hole frame is a four-hole one with one more circle";
}

TEST_F(CardSetupTest, HoleColoursAreReadAndSetInsideTheHolesOnly)
{
    TfrmCard4Compact frame;
    frame.SetPalette(&palette);
    std::vector<int> changed;
    frame.SetOnHoleColourChanged([&](TfrmCardCompactBase*, int hole) { changed.push_back(hole); });
    frame.SetHoleColourIndex(2, 7);
    EXPECT_EQ(frame.GetHoleColourIndex(2), 7);
    EXPECT_EQ(frame.GetHoleColour(2), Shade(7));
    EXPECT_EQ(frame.HoleShape(2)->Brush().Color, Shade(7));
    EXPECT_EQ(changed, (std::vector<int>{2}));

    frame.SetHoleColourIndex(4, 3);
    frame.SetHoleColourIndex(-1, 3);
    EXPECT_EQ(frame.GetHoleColourIndex(4), -1);
    EXPECT_EQ(frame.GetHoleColour(4), NoColour);
    frame.SetHoleColourIndex(1, 40);
    EXPECT_EQ(frame.GetHoleColour(1), NoColour);
    EXPECT_FALSE(frame.HoleShape(1)->Filled()) << "an index outside the palette paints clear";

    frame.SetCanChangeColours(false);
    frame.SetHoleColourIndex(2, 9);
    EXPECT_EQ(frame.GetHoleColourIndex(2), 7);
}

TEST_F(CardSetupTest, ThreadingNumberAndSelection)
{
    TfrmCard4Compact frame;
    int threadingChanges = 0;
    frame.SetOnThreadingChanged([&](TfrmCardCompactBase*) { ++threadingChanges; });
    frame.SetThreading(ThreadingS);
    EXPECT_EQ(threadingChanges, 0) << "no change, no event";
    frame.SetThreading(ThreadingZ);
    EXPECT_EQ(frame.lblThread->Caption(), "Z");
    EXPECT_EQ(threadingChanges, 1);
    frame.SetCanChangeThreading(false);
    frame.SetThreading(ThreadingS);
    frame.lblThreadClick();
    EXPECT_EQ(frame.Threading(), ThreadingZ);

    frame.SetNumber(12);
    EXPECT_EQ(frame.lblNumber->Caption(), "12");
    frame.SetNumber(-3);
    EXPECT_EQ(frame.Number(), 0);
    EXPECT_EQ(frame.lblNumber->Caption(), "");

    frame.lblNumberClick();
    EXPECT_FALSE(frame.Selected()) << "selecting is not allowed by default";
    frame.SetCanSelect(true);
    frame.lblNumberClick();
    EXPECT_TRUE(frame.Selected());
    EXPECT_EQ(frame.lblNumber->Color(), 0x0000FFu);
    EXPECT_EQ(frame.lblNumber->Font().Color, fw::clWhite);
    EXPECT_FALSE(frame.lblNumber->Transparent());
    frame.lblNumberClick();
    EXPECT_EQ(frame.lblNumber->Font().Color, fw::clWindowText);
    EXPECT_TRUE(frame.lblNumber->Transparent());
}

TEST_F(CardSetupTest, CopyingACardOfAnotherHoleCountFails)
{
    TfrmCard6Compact frame;
    auto card = NumberedCard(4, 1);
    try {
        frame.CopyFromCard(*card);
        FAIL() << "a four-hole card does not fit a six-hole frame";
    } catch (const TGenericException& error) {
        EXPECT_STREQ(error.what(), "Unable to copy card details - number of holes differs.");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "CopyFromCard");
    }
    auto six = NumberedCard(6, 3, ThreadingZ);
    frame.SetCanChangeColours(false);
    frame.CopyFromCard(*six);
    EXPECT_EQ(Holes(frame), (std::vector<int>{3, 4, 5, 6, 7, 8})) << "loading is no edit of the weaver's";
    EXPECT_EQ(frame.lblThread->Caption(), "Z");
}

TEST_F(CardSetupTest, HoleClicksTakeThePrimaryAndSecondaryColours)
{
    auto* frame = new TfrmCard4Compact(host.get());
    frame->SetParent(host.get());
    frame->SetBounds(20, 20, frame->Width(), frame->Height());
    frame->SetPalette(&palette);
    int primary = 5;
    frame->SetOnGetPrimaryColour([&](TfrmCardCompactBase*) { return primary; });
    fw::TestDriver driver(*host);

    driver.ClickOn(*frame->HoleShape(1));
    EXPECT_EQ(frame->GetHoleColourIndex(1), 5);
    driver.Advance(1000);
    driver.Click(driver.CentreOf(*frame->HoleShape(2)), fw::MouseButton::Right);
    EXPECT_EQ(frame->GetHoleColourIndex(2), 0) << "no secondary colour without its handler";
    frame->SetOnGetSecondaryColour([](TfrmCardCompactBase*) { return 11; });
    driver.Advance(1000);
    driver.Click(driver.CentreOf(*frame->HoleShape(2)), fw::MouseButton::Right);
    EXPECT_EQ(frame->GetHoleColourIndex(2), 11);
    primary = -1;
    driver.Advance(1000);
    driver.ClickOn(*frame->HoleShape(1));
    EXPECT_EQ(frame->GetHoleColourIndex(1), 5) << "a negative answer colours nothing";
}

TEST_F(CardSetupTest, WithoutAPrimaryHandlerTheColourSelectionChoosesTheColour)
{
    TfrmCard4Compact frame;
    frame.SetPalette(&palette);
    frame.SetHoleColourIndex(3, 2);
    int preselected = -2;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        TfrmPalette& colours = *dialog.framePalette->framePalette;
        preselected = colours.SelectedIndex();
        colours.SelectIndex(9);
        dialog.SetModalResult(fw::mrOk);
    });
    frame.HoleMouseUp(3, fw::MouseButton::Left);
    EXPECT_EQ(preselected, 2);
    EXPECT_EQ(frame.GetHoleColourIndex(3), 9);
}

// --- The row ------------------------------------------------------------------------------------------

TEST_F(CardSetupTest, TheRowAddsAndRemovesFramesAtTheEnd)
{
    std::vector<int> added;
    auto* row = new TfrmCardSetupCompact(host.get());
    row->SetParent(host.get());
    row->SetBounds(0, 0, 600, row->PreferredHeight());
    row->SetOnCardFrameAdded([&](TfrmCardSetupCompact*, TfrmCardCompactBase* frame) {
        added.push_back(frame->Number());
    });
    row->SetCardCount(3);
    EXPECT_EQ(added, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(row->CardCount(), 3);
    EXPECT_NE(dynamic_cast<TfrmCard4Compact*>(row->GetCardFrame(0)), nullptr) << "four holes by default";
    EXPECT_EQ(row->GetCardFrame(0)->Left(), row->scrCards->ScrollArea().Left);
    EXPECT_EQ(row->GetCardFrame(1)->Left(), row->GetCardFrame(0)->Left() + 17);
    EXPECT_EQ(row->GetCardFrame(2)->Height(), row->scrCards->GetInnerClientRect().Height());
    EXPECT_EQ(row->GetCardFrame(3), nullptr);
    row->SetCardCount(1);
    EXPECT_EQ(row->CardCount(), 1);
    EXPECT_EQ(row->scrCards->ContentControls().size(), 1u);
    row->SetCardCount(-1);
    EXPECT_EQ(row->CardCount(), 1);
    row->SetHoleCount(6);
    row->SetCardCount(2);
    EXPECT_NE(dynamic_cast<TfrmCard6Compact*>(row->GetCardFrame(1)), nullptr);
}

TEST_F(CardSetupTest, ThreadingCommandsActOnTheSelectedCards)
{
    TfrmCardSetupCompact* row = MakeRow(8);
    row->btnAllZClick();
    EXPECT_EQ(Threadings(*row), "ZZZZZZZZ") << "nothing selecting: every card";
    row->SetCanSelect(true);
    for (int i : {1, 4, 6}) {
        row->GetCardFrame(i)->lblNumberClick();
    }
    row->btnAltSZClick();
    EXPECT_EQ(Threadings(*row), "ZSZZZZSZ") << "first and third selected S, the second Z";
    row->btnAltZSClick();
    EXPECT_EQ(Threadings(*row), "ZZZZSZZZ");
    row->btnInvertThreadClick();
    EXPECT_EQ(Threadings(*row), "ZSZZZZSZ");
    row->btnAllSClick();
    EXPECT_EQ(Threadings(*row), "ZSZZSZSZ");
    row->SetCanChangeThreading(false);
    row->btnAllZClick();
    EXPECT_EQ(Threadings(*row), "ZSZZSZSZ");
}

TEST_F(CardSetupTest, MovingLeftStopsAtTheFirstCardForEverySelectedCard)
{
    TfrmCardSetupCompact* row = MakeRow(5);
    row->SetCanSelect(true);
    row->GetCardFrame(0)->lblNumberClick();
    row->GetCardFrame(3)->lblNumberClick();
    row->btnMoveLeftClick();
    EXPECT_EQ(Order(*row), (std::vector<int>{0, 1, 2, 3, 4}));

    row->GetCardFrame(0)->lblNumberClick(); // only card 4 stays selected
    row->btnMoveLeftClick();
    EXPECT_EQ(Order(*row), (std::vector<int>{0, 1, 3, 2, 4}));
    row->GetCardFrame(1)->lblNumberClick(); // cards 1 and 3 selected
    row->btnMoveRightClick();
    EXPECT_EQ(Order(*row), (std::vector<int>{0, 2, 1, 3, 4})) << "the rightmost selected moves first";
    row->btnMoveRightClick();
    EXPECT_EQ(Order(*row), (std::vector<int>{0, 2, 4, 1, 3}));
    row->btnMoveRightClick();
    EXPECT_EQ(Order(*row), (std::vector<int>{0, 2, 4, 1, 3})) << "a selected last card moves none";
    for (int i = 0; i < row->CardCount(); ++i) {
        EXPECT_EQ(row->GetCardFrame(i)->Number(), i + 1);
        EXPECT_EQ(row->GetCardFrame(i)->Left(), row->scrCards->ScrollArea().Left + i * 17);
    }
}

TEST_F(CardSetupTest, ColourCommandsRotateSwapAndReplaceOnTheTargets)
{
    TfrmCardSetupCompact* row = MakeRow(3);
    row->btnRotateColFwdClick();
    EXPECT_EQ(Holes(*row->GetCardFrame(1)), (std::vector<int>{2, 3, 4, 1}));
    row->btnRotateColBackClick();
    EXPECT_EQ(Holes(*row->GetCardFrame(1)), (std::vector<int>{1, 2, 3, 4}));

    row->SetCanSelect(true);
    row->GetCardFrame(2)->lblNumberClick();
    row->SwapColoursSelected(2, 4);
    EXPECT_EQ(Holes(*row->GetCardFrame(2)), (std::vector<int>{4, 3, 2, 5}));
    EXPECT_EQ(Holes(*row->GetCardFrame(1)), (std::vector<int>{1, 2, 3, 4})) << "not selected";
    row->ReplaceColourSelected(3, 0);
    EXPECT_EQ(Holes(*row->GetCardFrame(2)), (std::vector<int>{4, 0, 2, 5}));
    row->SetHoleColourSelected(3, 8);
    EXPECT_EQ(Holes(*row->GetCardFrame(2)), (std::vector<int>{4, 0, 2, 8}));
}

TEST_F(CardSetupTest, TheRowReadsAndWritesCardLists)
{
    TfrmCardSetupCompact* row = MakeRow(2);
    row->GetCardFrame(0)->SetThreading(ThreadingZ);
    row->GetCardFrame(1)->SetHoleColourIndex(0, 9);
    TTWCardList cards;
    cards.Add(NumberedCard(4, 7).release());
    cards.GetCard(0)->Turn(TurnForwards, DistanceOneHole);
    row->CopyToList(cards);
    ASSERT_EQ(cards.Count(), 2);
    EXPECT_EQ(cards.GetCard(0)->Threading(), ThreadingZ);
    EXPECT_EQ(cards.GetCard(0)->CurThread(), ThreadingZ) << "every card back at its start";
    EXPECT_EQ(cards.GetCard(1)->HoleColour(0), 9);
    EXPECT_EQ(cards.GetCard(1)->HoleColour(3), 4);
    EXPECT_EQ(cards.GetCard(1)->CurPos(), 0);

    TfrmCardSetupCompact* pairs = MakeRow(1, 2);
    try {
        pairs->CopyToList(cards);
        FAIL() << "there are no two-hole cards";
    } catch (const TGenericException& error) {
        EXPECT_STREQ(error.what(), "Unable to generate card list.\r\nCard class for 2 holes not found.");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "CopyToList");
    }
    EXPECT_EQ(cards.Count(), 2) << "the list is left as it was";
}

TEST_F(CardSetupTest, ScrollingStopsAtTheEndsOfTheRow)
{
    TfrmCardSetupCompact* row = MakeRow(60);
    const fw::Rect area = row->scrCards->ScrollArea();
    row->scrCards->ScrollBy(16);
    EXPECT_EQ(row->GetCardFrame(0)->Left(), area.Left) << "the first card never moves off the left edge";
    for (int i = 0; i < 100; ++i) {
        row->scrCards->ScrollBy(-16);
    }
    const TfrmCardCompactBase* last = row->GetCardFrame(59);
    EXPECT_EQ(last->Left() + last->Width(), area.Right) << "the last card stops at the right edge";
    row->scrCards->ScrollBy(16);
    EXPECT_EQ(last->Left() + last->Width(), area.Right + 16);
}

// --- The dialog -----------------------------------------------------------------------------------

class CardSetupDialogTest : public CardSetupTest {
protected:
    CardSetupDialogTest()
    {
        for (int k = 0; k < 4; ++k) {
            cards.Add(NumberedCard(4, k).release());
        }
    }

    // Runs the dialog with the script and answers what Execute answered.
    bool Run(const std::function<void(TfrmCardSetup2&)>& script, int holes = 4, bool countMayChange = true)
    {
        const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
            if (auto* colours = dynamic_cast<TfrmColourSel*>(&form)) {
                colours->framePalette->framePalette->SelectIndex(chosenColour);
                colours->SetModalResult(fw::mrOk);
                return;
            }
            script(dynamic_cast<TfrmCardSetup2&>(form));
        });
        return TfrmCardSetup2::Execute(host.get(), cards, holes, countMayChange, &palette);
    }

    TTWCardList cards;
    int chosenColour = 0;
};

TEST_F(CardSetupDialogTest, EditsReachTheCardsOnlyWhenAccepted)
{
    const auto edit = [this](TfrmCardSetup2& dialog, bool accept) {
        EXPECT_EQ(dialog.Caption(), "Card Setup");
        EXPECT_EQ(dialog.frameCards->CardCount(), 4);
        EXPECT_TRUE(dialog.frameCards->CanSelect());
        EXPECT_EQ(dialog.edCards->Text(), "4");
        EXPECT_EQ(Holes(*dialog.frameCards->GetCardFrame(2)), (std::vector<int>{2, 3, 4, 5}));
        fw::TestDriver driver(dialog);
        // The primary colour from the colour selection, then the hole button "C" on the
        // selected card 2.
        chosenColour = 13;
        driver.ClickOn(*dialog.shpColour);
        EXPECT_EQ(dialog.shpColour->Tag(), 13);
        EXPECT_EQ(dialog.shpColour->Brush().Color, Shade(13));
        driver.Advance(1000);
        driver.ClickOn(*dialog.frameCards->GetCardFrame(1)->lblNumber);
        driver.Advance(1000);
        const std::vector<fw::Button*> buttons = dialog.HoleButtons(*dialog.pnlFour);
        ASSERT_EQ(buttons.size(), 4u);
        EXPECT_EQ(buttons[2]->Caption(), "C");
        driver.ClickOn(*buttons[2]);
        driver.Advance(1000);
        driver.ClickOn(*dialog.frameCards->GetCardFrame(3)->lblThread);
        driver.Advance(1000);
        // A left click on a hole takes the primary colour too.
        driver.ClickOn(*dialog.frameCards->GetCardFrame(0)->HoleShape(0));
        driver.ClickOn(accept ? static_cast<fw::Control&>(*dialog.btnAccept) : *dialog.btnCancel);
    };

    EXPECT_FALSE(Run([&](TfrmCardSetup2& dialog) { edit(dialog, false); }));
    EXPECT_EQ(cards.GetCard(1)->HoleColour(2), 3);
    EXPECT_EQ(cards.GetCard(3)->Threading(), ThreadingS);

    EXPECT_TRUE(Run([&](TfrmCardSetup2& dialog) { edit(dialog, true); }));
    ASSERT_EQ(cards.Count(), 4);
    EXPECT_EQ(cards.GetCard(1)->HoleColour(2), 13);
    EXPECT_EQ(cards.GetCard(2)->HoleColour(2), 4) << "only the selected card";
    EXPECT_EQ(cards.GetCard(0)->HoleColour(0), 13);
    EXPECT_EQ(cards.GetCard(3)->Threading(), ThreadingZ);
    EXPECT_EQ(host->FindComponent("frmCardSetup2"), nullptr) << "the dialog is freed";
}

TEST_F(CardSetupDialogTest, TheNumberOfCardsChangesFromTheEdit)
{
    EXPECT_TRUE(Run([&](TfrmCardSetup2& dialog) {
        EXPECT_TRUE(dialog.edCards->Enabled());
        dialog.edCards->SetText("6");
        dialog.btnSetCardCountClick();
        EXPECT_EQ(dialog.frameCards->CardCount(), 6);
        dialog.edCards->SetText("0");
        dialog.btnSetCardCountClick();
        EXPECT_EQ(dialog.frameCards->CardCount(), 6) << "fewer than one card is ignored";
        dialog.edCards->SetText("six");
        EXPECT_THROW(dialog.btnSetCardCountClick(), fw::EConvertError);
        // No more cards than a pattern may have: the width error, and the row stays.
        dialog.edCards->SetText(std::to_string(MaxPatternCards + 1));
        try {
            dialog.btnSetCardCountClick();
            ADD_FAILURE() << "a card past the limit was taken";
        } catch (const fw::Exception& error) {
            EXPECT_EQ(error.Message(), PatternWidthText(MaxPatternCards + 1));
        }
        EXPECT_EQ(dialog.frameCards->CardCount(), 6);
        dialog.SetModalResult(fw::mrOk);
    }));
    EXPECT_EQ(cards.Count(), 6);
    EXPECT_EQ(cards.GetCard(5)->HoleColour(0), 0);

    Run([&](TfrmCardSetup2& dialog) {
        EXPECT_FALSE(dialog.edCards->Enabled());
        EXPECT_FALSE(dialog.btnSetCardCount->Enabled());
        dialog.SetModalResult(fw::mrCancel);
    }, 4, false);
}

TEST_F(CardSetupDialogTest, TheHoleButtonsAndTheHeightFollowTheHoleCount)
{
    int fourHoleHeight = 0;
    Run([&](TfrmCardSetup2& dialog) {
        fourHoleHeight = dialog.Height();
        EXPECT_TRUE(dialog.pnlFour->Visible());
        EXPECT_FALSE(dialog.pnlThree->Visible());
        const int height = dialog.FixedHeight(4);
        EXPECT_GE(height, TfrmCardSetup2::MinimumHeight);
        EXPECT_EQ(dialog.Height(), height);
        EXPECT_EQ(dialog.Constraints().MinHeight, height);
        EXPECT_EQ(dialog.Constraints().MaxHeight, height);
        EXPECT_GE(height, dialog.frameCards->Top() + dialog.frameCards->Height() + dialog.pnlTBottom->Height());
        EXPECT_EQ(dialog.HolePanelFor(2), dialog.pnlFour) << "other counts use the four-hole buttons";
        EXPECT_EQ(dialog.HolePanelFor(7), dialog.pnlSeven);
        EXPECT_EQ(dialog.HoleButtons(*dialog.pnlEight).size(), 8u);
        EXPECT_EQ(dialog.HoleButtons(*dialog.pnlEight)[7]->Tag(), 7);
        dialog.SetModalResult(fw::mrCancel);
    });

    TTWCardList sixes;
    sixes.Add(NumberedCard(6, 0).release());
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmCardSetup2&>(form);
        EXPECT_TRUE(dialog.pnlSix->Visible());
        EXPECT_FALSE(dialog.pnlFour->Visible());
        EXPECT_NE(dynamic_cast<TfrmCard6Compact*>(dialog.frameCards->GetCardFrame(0)), nullptr);
        EXPECT_EQ(dialog.frameCards->Height(), dialog.frameCards->PreferredHeight());
        EXPECT_EQ(dialog.Height(), dialog.FixedHeight(6));
        EXPECT_EQ(dialog.Height(), fourHoleHeight + 2 * TfrmCardCompactBase::CircleSize) << "two holes taller";
        dialog.SetModalResult(fw::mrCancel);
    });
    TfrmCardSetup2::Execute(host.get(), sixes, 6, true, &palette);
}

} // namespace
