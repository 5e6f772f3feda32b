// The card frames, the card setup dialog and the turning-action display as the real Qt text
// backend draws them, written out for a look; pixels away from text are checked.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "card_views_test_support.h"
#include "controls/scroll_control.h"
#include "editors/card_frame.h"
#include "editors/card_frame_circle.h"
#include "editors/card_frame_list.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_dialog.h"
#include "editors/card_setup_row.h"
#include "editors/turning_actions_display.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_label.h"
#include "treegrid/tree_grid.h"

namespace {

using card_views_test::AddCardTurn;
using card_views_test::AddCardTwist;
using card_views_test::AddPack;
using card_views_test::AddPackTurn;
using card_views_test::CardViewsTest;
using card_views_test::NumberedCard;
using card_views_test::SavePicture;

// Twelve colours a weaver might thread with.
constexpr TTWColour Yarns[] = {0x1C1CB0, 0x20A0F0, 0x2E7D32, 0xF5F5F5, 0x7B1FA2, 0x101010,
                               0x00C0E0, 0x8D6E63, 0xC62828, 0x3949AB, 0x80CBC4, 0xFFB300};

class CardViewsRenderTest : public CardViewsTest {
protected:
    CardViewsRenderTest()
    {
        fw::SetDefaultPaintBackend(&qt);
        for (int i = 0; i < 12; ++i) {
            palette.SetColour(i, Yarns[i]);
        }
    }
    ~CardViewsRenderTest() override { fw::SetDefaultPaintBackend(&backend); }

    // The colour at a point of a control inside the picture of its ancestor `root`.
    static fw::Color PixelOf(const fw::Bitmap& picture, const fw::Control& root, const fw::Control& control,
                             fw::Point point)
    {
        const fw::Point screen = control.ClientToScreen(point);
        const fw::Point origin = root.ClientToScreen(fw::Point{});
        return picture.Pixel(screen.X - origin.X, screen.Y - origin.Y);
    }

    static fw::Point Centre(const TTWCircleShape& circle)
    {
        const fw::Rect box = circle.CircleRect();
        return fw::Point{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
    }

    fw::QtPaintBackend qt;
    TTWPalette palette;
};

TEST_F(CardViewsRenderTest, ARowOfThreadCardFrames)
{
    TTWCardList cards;
    for (int k = 0; k < 12; ++k) {
        cards.Add(NumberedCard(4, k % 9, k % 3 == 0 ? ThreadingZ : ThreadingS).release());
    }
    cards.GetCard(4)->Turn(TurnForwards, DistanceOneHole);
    auto* list = new TfrmThreadCardFrameList(host.get());
    list->SetParent(host.get());
    list->SetBounds(0, 0, 300, list->Height());
    list->SetPalette(&palette);
    list->LoadFromCardList(&cards);
    list->GetFrame(2)->SetIdle(true);
    list->GetFrame(5)->SetTurnDirection(TurnBackwards);
    list->GetFrame(7)->SetThreadingZ(true);

    const fw::Bitmap picture = fw::RenderToBitmap(*list);
    SavePicture(picture, "thread_card_frames.png");
    for (int i : {0, 4, 7}) {
        const TfrmThreadCardFrame& frame = *list->GetFrame(i);
        EXPECT_EQ(PixelOf(picture, *list, *frame.shpCurrent, Centre(*frame.shpCurrent)),
                  frame.shpCurrent->Brush().Color)
            << "card " << i + 1;
    }
    EXPECT_EQ(PixelOf(picture, *list, *list->GetFrame(4)->shpCurrent, Centre(*list->GetFrame(4)->shpCurrent)),
              Yarns[7]) << "turned forwards, hole D is current";
    EXPECT_EQ(PixelOf(picture, *list, *list->GetFrame(2)->lblNumber, fw::Point{1, 1}), 0x0000FFu) << "idle";
}

TEST_F(CardViewsRenderTest, TheCardSetupDialog)
{
    TTWCardList cards;
    for (int k = 0; k < 14; ++k) {
        cards.Add(NumberedCard(4, (k * 5) % 12, k % 2 == 0 ? ThreadingS : ThreadingZ).release());
    }
    fw::Bitmap picture;
    fw::Color holeColour = 0;
    fw::Color expectedHole = 1;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmCardSetup2&>(form);
        dialog.frameCards->SetCanSelect(true);
        dialog.frameCards->GetCardFrame(3)->SetSelected(true);
        dialog.frameCards->GetCardFrame(4)->SetSelected(true);
        picture = fw::RenderToBitmap(dialog);
        const TfrmCardCompactBase& frame = *dialog.frameCards->GetCardFrame(6);
        const TTWCircleShape& hole = *frame.HoleShape(2);
        holeColour = PixelOf(picture, dialog, hole, Centre(hole));
        expectedHole = palette.GetColour(frame.GetHoleColourIndex(2));
        dialog.SetModalResult(fw::mrCancel);
    });
    TfrmCardSetup2::Execute(host.get(), cards, 4, true, &palette);
    SavePicture(picture, "card_setup_dialog.png");
    EXPECT_EQ(holeColour, expectedHole);
    EXPECT_GE(picture.Height(), TfrmCardSetup2::MinimumHeight);
}

TEST_F(CardViewsRenderTest, TheTurningActionDisplay)
{
    auto pattern = card_views_test::CardsPattern(8);
    AddPack(*pattern, "Centre", {4, 5});
    for (int p = 0; p < 12; ++p) {
        TTWPick* pick = pattern->Picks().Add();
        for (int k = 1; k <= 3; ++k) {
            AddCardTurn(*pick, k, p % 4 < 2 ? TurnForwards : TurnBackwards);
        }
        if (p % 5 == 2) {
            AddCardTwist(*pick, 7);
        }
        AddPackTurn(*pick, "Centre", p % 2 == 0 ? TurnForwards : TurnBackwards);
        AddCardTurn(*pick, 8, TurnBackwards, DistanceTwoHoles);
    }
    fw::Bitmap band(120, 40);
    fw::Bitmap picture;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        picture = fw::RenderToBitmap(form);
        form.SetModalResult(fw::mrOk);
    });
    TfrmActionDisplay::Execute(host.get(), *pattern, false, &band);
    SavePicture(picture, "turning_action_display.png");
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 720);
}

} // namespace
