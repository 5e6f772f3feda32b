// The thread card frames of the threaded-in editor: what one frame shows of its card, what
// the weaver's clicks change, the actions a frame adds to the next pick, and the row of
// frames.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "card_views_test_support.h"
#include "controls/scroll_control.h"
#include "editors/card_frame.h"
#include "editors/card_frame_circle.h"
#include "editors/card_frame_list.h"
#include "framework/gui/std_label.h"
#include "framework/gui/test_driver.h"

namespace {

using card_views_test::CardViewsTest;
using card_views_test::NumberedCard;

constexpr TTWColour Shade(int index)
{
    return 0x100000u + static_cast<TTWColour>(index);
}

class CardFrameTest : public CardViewsTest {
protected:
    CardFrameTest()
    {
        for (int i = 0; i < palette.Size(); ++i) {
            palette.SetColour(i, Shade(i));
        }
        frame = new TfrmThreadCardFrame(host.get());
        frame->SetParent(host.get());
        frame->SetBounds(10, 10, frame->Width(), frame->Height());
        frame->SetNumber(3);
        frame->SetPalette(&palette);
    }

    // The brush colour a circle shows, or NoColour when it is clear.
    static TTWColour Shown(const TTWCircleShape& circle)
    {
        return circle.Filled() ? circle.Brush().Color : NoColour;
    }

    std::vector<TTWColour> Circles() const
    {
        return {Shown(*frame->shpPrevious), Shown(*frame->shpCurrent), Shown(*frame->shpNext)};
    }

    fw::TestDriver& Driver()
    {
        if (!driver_) {
            driver_ = std::make_unique<fw::TestDriver>(*host);
        }
        return *driver_;
    }

    TTWPalette palette;
    TfrmThreadCardFrame* frame = nullptr; // owned by the host

private:
    std::unique_ptr<fw::TestDriver> driver_;
};

// --- What a frame shows --------------------------------------------------------------------------

TEST_F(CardFrameTest, ShowsTheCardsHolesThreadingAndTopHole)
{
    auto card = NumberedCard(4, 5, ThreadingZ);
    card->Turn(TurnForwards, DistanceOneHole); // D A B C on top positions, position 3
    frame->SetCard(card.get());

    EXPECT_EQ(frame->lblNumber->Caption(), "3");
    EXPECT_EQ(frame->Number(), 3);
    EXPECT_EQ(frame->lblThread->Caption(), "Z");
    EXPECT_TRUE(frame->GetThreadingZ());
    EXPECT_EQ(frame->lblHole->Caption(), "D");
    // Previous = the last position (C), current = position 0 (D), next = position 1 (A).
    EXPECT_EQ(Circles(), (std::vector<TTWColour>{Shade(7), Shade(8), Shade(5)}));
}

TEST_F(CardFrameTest, CirclesAreClearWithoutPaletteColourOrCard)
{
    auto card = NumberedCard(4, 14); // holes 14, 15, 16, 17: the last two lie outside the palette
    frame->SetCard(card.get());
    EXPECT_EQ(Circles(), (std::vector<TTWColour>{NoColour, Shade(14), Shade(15)}));

    frame->SetPalette(nullptr);
    EXPECT_EQ(Circles(), (std::vector<TTWColour>{NoColour, NoColour, NoColour}));

    frame->SetPalette(&palette);
    frame->SetCard(nullptr);
    EXPECT_EQ(Circles(), (std::vector<TTWColour>{NoColour, NoColour, NoColour}));
    EXPECT_EQ(frame->lblHole->Caption(), "");
}

TEST_F(CardFrameTest, AChangedThreadingPreviewsTheTwistWithoutTouchingTheCard)
{
    auto card = NumberedCard(4, 1); // A=1 B=2 C=3 D=4, threaded S
    frame->SetCard(card.get());
    ASSERT_EQ(Circles(), (std::vector<TTWColour>{Shade(4), Shade(1), Shade(2)}));

    // A twist V of a four-hole card exchanges A-D and B-C: D C B A.
    frame->SetThreadingZ(true);
    EXPECT_EQ(Circles(), (std::vector<TTWColour>{Shade(1), Shade(4), Shade(3)}));
    frame->SetThreadingZ(false);
    EXPECT_EQ(Circles(), (std::vector<TTWColour>{Shade(4), Shade(1), Shade(2)}));
    frame->SetThreadingZ(true);
    frame->SetThreadingZ(false);

    // However often the weaver changes his mind, the pattern's card stays where it was.
    EXPECT_EQ(card->CurPos(), 0);
    EXPECT_EQ(card->CurThread(), ThreadingS);
    EXPECT_FALSE(card->Twisted());
    EXPECT_EQ(card->CurHoleColour('A'), 1);
    EXPECT_EQ(card->CurHoleColour('D'), 4);
}

TEST_F(CardFrameTest, DirectionAndThreadingTexts)
{
    frame->SetTurnDirection(TurnBackwards);
    EXPECT_EQ(frame->lblTurnDir->Caption(), "B");
    EXPECT_EQ(frame->GetTurnDirection(), TurnBackwards);
    frame->SetTurnDirection(7);
    EXPECT_EQ(frame->lblTurnDir->Caption(), "-");
    EXPECT_EQ(frame->GetTurnDirection(), TurnIdle);
    frame->SetTurnDirection(TurnForwards);
    frame->SetIdle(true);
    EXPECT_EQ(frame->GetTurnDirection(), TurnIdle) << "an idle card does not turn whatever it shows";
    EXPECT_TRUE(frame->lblTurnDir->Font().Style.Bold);
    frame->SetNumber(0);
    EXPECT_EQ(frame->Number(), 3) << "numbers below 1 are ignored";
}

// --- Clicks ----------------------------------------------------------------------------------------

TEST_F(CardFrameTest, ClickingTheNumberTogglesIdle)
{
    Driver().ClickOn(*frame->lblNumber);
    EXPECT_TRUE(frame->Idle());
    Driver().Advance(1000);
    EXPECT_EQ(frame->lblNumber->Color(), 0x0000FFu);
    EXPECT_EQ(frame->lblNumber->Font().Color, fw::clWhite);
    Driver().ClickOn(*frame->lblNumber);
    EXPECT_FALSE(frame->Idle());
    EXPECT_EQ(frame->lblNumber->Color(), fw::clBtnFace);
    EXPECT_EQ(frame->lblNumber->Font().Color, fw::clWindowText);
}

TEST_F(CardFrameTest, ClickingTheDirectionSwapsItUnlessIdleOrNotAllowed)
{
    frame->SetTurnDirection(TurnIdle);
    // Clicks a second apart: two quick ones make a double click.
    const auto click = [this] {
        Driver().ClickOn(*frame->lblTurnDir);
        Driver().Advance(1000);
    };
    click();
    EXPECT_EQ(frame->lblTurnDir->Caption(), "F") << "from idle the card turns forwards";
    click();
    EXPECT_EQ(frame->lblTurnDir->Caption(), "B");
    click();
    EXPECT_EQ(frame->lblTurnDir->Caption(), "F");

    frame->SetIdle(true);
    click();
    EXPECT_EQ(frame->lblTurnDir->Caption(), "F");
    frame->SetIdle(false);
    frame->SetCanChangeDirection(false);
    click();
    EXPECT_EQ(frame->lblTurnDir->Caption(), "F");
}

TEST_F(CardFrameTest, ClickingTheThreadingSwapsItWhenAllowed)
{
    auto card = NumberedCard(4, 1);
    frame->SetCard(card.get());
    Driver().ClickOn(*frame->lblThread);
    EXPECT_EQ(frame->lblThread->Caption(), "Z");
    EXPECT_EQ(Shown(*frame->shpCurrent), Shade(4)) << "the circles show the twist";
    Driver().Advance(1000);
    frame->SetCanChangeThreading(false);
    Driver().ClickOn(*frame->lblThread);
    EXPECT_EQ(frame->lblThread->Caption(), "Z");
}

// --- The next pick -----------------------------------------------------------------------------------

TEST_F(CardFrameTest, AnIdleCardWithChangedThreadingAddsOnlyATwist)
{
    auto card = NumberedCard(4, 1);
    frame->SetCard(card.get());
    frame->SetIdle(true);
    frame->SetThreadingZ(true);
    TTWPick pick;
    frame->AddActions(pick, false);
    ASSERT_EQ(pick.Actions().Count(), 1);
    const TTWAction& twist = *pick.Actions().Items(0);
    EXPECT_TRUE(twist.IsTwist());
    EXPECT_TRUE(twist.IsCardAction());
    EXPECT_EQ(twist.CardNumber(), 3);
    EXPECT_EQ(twist.TwistDir(), TwistV);
}

TEST_F(CardFrameTest, ATurningCardAddsTheTwistFirstAndReverseSwapsTheDirection)
{
    auto card = NumberedCard(4, 1);
    frame->SetCard(card.get());
    frame->SetThreadingZ(true);
    frame->SetTurnDirection(TurnBackwards);
    TTWPick pick;
    frame->AddActions(pick, false);
    ASSERT_EQ(pick.Actions().Count(), 2);
    EXPECT_TRUE(pick.Actions().Items(0)->IsTwist());
    const TTWAction& turn = *pick.Actions().Items(1);
    EXPECT_TRUE(turn.IsTurn());
    EXPECT_EQ(turn.CardNumber(), 3);
    EXPECT_EQ(turn.TurnDir(), TurnBackwards);
    EXPECT_EQ(turn.Dist(), DistanceOneHole);

    frame->SetThreadingZ(false);
    TTWPick reversed;
    frame->AddActions(reversed, true);
    ASSERT_EQ(reversed.Actions().Count(), 1) << "unchanged threading: no twist";
    EXPECT_EQ(reversed.Actions().Items(0)->TurnDir(), TurnForwards);
}

TEST_F(CardFrameTest, AnIdleCardWithItsOwnThreadingAddsNothing)
{
    auto card = NumberedCard(4, 1);
    frame->SetCard(card.get());
    frame->SetTurnDirection(TurnIdle);
    TTWPick pick;
    frame->AddActions(pick, true);
    EXPECT_EQ(pick.Actions().Count(), 0);
}

// --- The row of frames ----------------------------------------------------------------------------

class CardFrameListTest : public CardFrameTest {
protected:
    CardFrameListTest()
    {
        list = new TfrmThreadCardFrameList(host.get());
        list->SetParent(host.get());
        list->SetBounds(0, 150, 300, list->Height());
        for (int k = 0; k < 5; ++k) {
            cards.Add(NumberedCard(4, k).release());
        }
    }

    TfrmThreadCardFrameList* list = nullptr; // owned by the host
    TTWCardList cards;
};

TEST_F(CardFrameListTest, LoadsOneNumberedFramePerCardSideBySide)
{
    list->SetPalette(&palette);
    list->SetCanChangeThreading(false);
    list->LoadFromCardList(&cards);
    ASSERT_EQ(list->FrameCount(), 5);
    EXPECT_EQ(list->GetFrame(-1), nullptr);
    EXPECT_EQ(list->GetFrame(5), nullptr);
    int expectedLeft = list->scrFrames->ScrollArea().Left;
    for (int i = 0; i < 5; ++i) {
        const TfrmThreadCardFrame* shown = list->GetFrame(i);
        EXPECT_EQ(shown->Number(), i + 1);
        EXPECT_EQ(shown->Card(), cards.GetCard(i));
        EXPECT_EQ(shown->Palette(), &palette);
        EXPECT_FALSE(shown->CanChangeThreading());
        EXPECT_EQ(shown->Parent(), list->scrFrames);
        EXPECT_EQ(shown->Left(), expectedLeft);
        expectedLeft = shown->Left() + shown->Width() + 1;
    }

    // Loading again replaces the frames.
    cards.Delete(4);
    list->LoadFromCardList(&cards);
    EXPECT_EQ(list->FrameCount(), 4);
    EXPECT_EQ(list->scrFrames->ContentControls().size(), 4u);
}

TEST_F(CardFrameListTest, OptionsAndPaletteReachEveryFrame)
{
    list->LoadFromCardList(&cards);
    list->SetPalette(&palette);
    list->SetCanChangeDirection(false);
    for (int i = 0; i < list->FrameCount(); ++i) {
        EXPECT_EQ(list->GetFrame(i)->Palette(), &palette);
        EXPECT_FALSE(list->GetFrame(i)->CanChangeDirection());
        EXPECT_EQ(Shown(*list->GetFrame(i)->shpCurrent), Shade(i));
    }
}

TEST_F(CardFrameListTest, FramesReReadTheirCardsAndAddTheirActionsInOrder)
{
    list->SetPalette(&palette);
    list->LoadFromCardList(&cards);
    cards.GetCard(1)->Turn(TurnForwards, DistanceOneHole);
    list->UpdateFrames();
    EXPECT_EQ(list->GetFrame(1)->lblHole->Caption(), "D");
    EXPECT_EQ(Shown(*list->GetFrame(1)->shpCurrent), Shade(4));

    list->GetFrame(0)->SetIdle(true);
    list->GetFrame(2)->SetThreadingZ(true);
    list->GetFrame(3)->SetTurnDirection(TurnBackwards);
    TTWPick pick;
    list->AddActions(pick, false);
    std::vector<std::string> listed;
    for (int i = 0; i < pick.Actions().Count(); ++i) {
        const TTWAction& action = *pick.Actions().Items(i);
        listed.push_back(std::string(action.IsTwist() ? "T" : std::string(TurnDirText(action.TurnDir())))
                         + action.TargetID());
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"F2", "T3", "F3", "B4", "F5"}));
}

} // namespace
