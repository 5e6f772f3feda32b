#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/control_library.h"
#include "controls/scroll_bar.h"
#include "framework/core/exceptions.h"
#include "framework/core/named_images.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/test_driver.h"

namespace {

constexpr fw::Color TrackColour = 0xE4E4E4;

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend);
        host = std::make_unique<fw::CustomControl>();
        host->SetBounds(0, 0, 400, 100);
        bar = new TILScrollBar(host.get());
        bar->SetOnScroll([this](fw::Object* sender, std::int32_t by) {
            EXPECT_EQ(sender, bar);
            scrolls.push_back(by);
        });
    }
    void TearDown() override
    {
        host.reset();
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
    }

    // A 200-pixel track (16-pixel arrows), positions 0 to 99, a slider covering 10 of them;
    // along x or y as the bar is turned.
    void Proportional()
    {
        if (bar->Kind() == TScrollBarKind::Vertical) {
            bar->SetBounds(0, 0, 16, 232);
        } else {
            bar->SetBounds(0, 0, 232, 16);
        }
        bar->SetMaximum(99);
        bar->Slider().SetRange(10);
        bar->SetPosition(0);
        scrolls.clear();
    }

    // The scroll handler frees the bar on its nth report, as a user's handler may.
    void FreeBarOnReport(std::size_t report)
    {
        bar->SetOnScroll([this, report](fw::Object*, std::int32_t by) {
            scrolls.push_back(by);
            if (scrolls.size() == report) {
                delete bar;
                bar = nullptr;
            }
        });
    }

    int Scrolled() const
    {
        int sum = 0;
        for (const int by : scrolls) {
            sum += by;
        }
        return sum;
    }

    fw::FakePaintBackend backend;
    std::unique_ptr<fw::CustomControl> host;
    TILScrollBar* bar = nullptr;
    std::vector<int> scrolls;
};

// --- A new bar -----------------------------------------------------------------------------------

TEST_F(ScrollBarTest, NewBarHasItsDefaults)
{
    EXPECT_EQ(bar->Parent(), host.get());
    EXPECT_EQ(bar->Width(), 100);
    EXPECT_EQ(bar->Height(), 16);
    EXPECT_EQ(bar->Kind(), TScrollBarKind::Horizontal);
    EXPECT_EQ(bar->ButtonSize(), 16);
    EXPECT_EQ(bar->Minimum(), 0);
    EXPECT_EQ(bar->Maximum(), 100);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(bar->SmallChange(), 1);
    EXPECT_EQ(bar->LargeChange(), 16);
    EXPECT_EQ(bar->LongPause(), 200);
    EXPECT_EQ(bar->ShortPause(), 75);
    EXPECT_FALSE(bar->ScrollByPixel());
    EXPECT_EQ(bar->Slider().Range(), 1);
    EXPECT_EQ(bar->Slider().FixedSize(), 16);
    EXPECT_EQ(bar->Slider().MinSize(), 8);
    EXPECT_FALSE(bar->Slider().Invert());
    EXPECT_EQ(bar->Background().BevelOuter(), TBevelCut::None);
    EXPECT_TRUE(bar->Background().FillBrush().SimpleBrush());
    EXPECT_EQ(bar->Background().FillBrush().Colour(), TrackColour);

    TILButton* left = bar->LeftUpButton();
    TILButton* right = bar->RightDownButton();
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(left->Parent(), host.get());
    EXPECT_EQ(left->BoundsRect(), (fw::Rect{0, 0, 16, 16}));
    EXPECT_EQ(right->BoundsRect(), (fw::Rect{84, 0, 100, 16}));
    EXPECT_TRUE(left->AllowRepeat());
    EXPECT_EQ(left->RepeatInitial(), 200);
    EXPECT_EQ(left->RepeatInterval(), 75);
    EXPECT_EQ(bar->TrackRect(), (fw::Rect{16, 0, 83, 15}));
    EXPECT_EQ(bar->TrackLength(), 68);

    EXPECT_EQ(bar->LeftUp().ImageActive().ImageName(), "ILSCRBAR_IMG_L_ACTIVE");
    EXPECT_EQ(bar->LeftUp().ImageRepeat().ImageName(), "ILSCRBAR_IMG_L_REPEAT");
    EXPECT_EQ(bar->RightDown().ImageInactive().ImageName(), "ILSCRBAR_IMG_R_INACTIVE");
    EXPECT_EQ(bar->LeftUp().Transparent(), 0x00FF00FFu);
    const fw::Bitmap* arrow = fw::FindNamedImage("ILSCRBAR_IMG_R_INACTIVE");
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(right->ImageInactive().SamePixels(*arrow));
    // No down picture exists: the arrow falls back to its active one.
    EXPECT_TRUE(right->ImageDown().Empty());
    EXPECT_EQ(right->ImageForState(TILButtonState::Down), &right->ImageActive());
}

TEST_F(ScrollBarTest, LimitsOnSizesAndPauses)
{
    bar->SetButtonSize(3);
    EXPECT_EQ(bar->ButtonSize(), 5);
    EXPECT_EQ(bar->LeftUpButton()->Width(), 5);
    EXPECT_EQ(bar->TrackRect().Left, 5);

    bar->SetShortPause(10);
    EXPECT_EQ(bar->ShortPause(), 25);
    EXPECT_EQ(bar->RightDownButton()->RepeatInterval(), 25);
    bar->SetLongPause(300);
    EXPECT_EQ(bar->LeftUpButton()->RepeatInitial(), 300);
    bar->SetLongPause(0);
    EXPECT_EQ(bar->LongPause(), 25);
}

// --- Slider maths --------------------------------------------------------------------------------

TEST_F(ScrollBarTest, ProportionalSliderCoversItsShareOfTheTrack)
{
    Proportional();
    EXPECT_EQ(bar->TrackLength(), 200);
    EXPECT_EQ(bar->Slider().Length(), 20);
    EXPECT_EQ(bar->Ratio(), 2.0L);
    EXPECT_EQ(bar->MaxPosition(), 90);

    bar->SetPosition(45);
    EXPECT_EQ(bar->SliderOffset(), 90);
    EXPECT_EQ(bar->Slider().Rect(), (fw::Rect{106, 0, 125, 15}));
    EXPECT_EQ(bar->PageBeforeRect(), (fw::Rect{16, 0, 105, 15}));
    EXPECT_EQ(bar->PageAfterRect(), (fw::Rect{126, 0, 215, 15}));
    EXPECT_EQ(scrolls, (std::vector<int>{45}));

    bar->SetPosition(95);
    EXPECT_EQ(bar->Position(), 90);
    EXPECT_EQ(bar->SliderOffset(), 180);
    EXPECT_EQ(bar->PageAfterRect().Right, bar->PageAfterRect().Left - 1); // empty
    EXPECT_EQ(scrolls, (std::vector<int>{45, 45}));

    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->PageBeforeRect().Right, bar->PageBeforeRect().Left - 1);
    // No change, no report.
    bar->SetPosition(0);
    EXPECT_EQ(scrolls.size(), 3u);
}

TEST_F(ScrollBarTest, SmallRangeGetsTheMinimumSlider)
{
    bar->SetBounds(0, 0, 232, 16);
    bar->SetMaximum(999);
    bar->Slider().SetRange(10); // 2 pixels in proportion
    EXPECT_EQ(bar->Slider().Length(), 8);
    bar->Slider().SetMinSize(12);
    EXPECT_EQ(bar->Slider().Length(), 12);
    EXPECT_EQ(bar->Slider().FixedSize(), 16);
    bar->Slider().SetMinSize(30);
    EXPECT_EQ(bar->Slider().FixedSize(), 30);
    // Back to a fixed slider: the fixed size counts at once.
    bar->Slider().SetRange(1);
    EXPECT_EQ(bar->Slider().Length(), 30);
}

TEST_F(ScrollBarTest, SliderSettersKeepToTheirLimits)
{
    bar->Slider().SetRange(1000);
    EXPECT_EQ(bar->Slider().Range(), 101);
    bar->Slider().SetRange(0);
    EXPECT_EQ(bar->Slider().Range(), 1);
    bar->Slider().SetFixedSize(500);
    EXPECT_EQ(bar->Slider().FixedSize(), 68);
    bar->Slider().SetFixedSize(2);
    EXPECT_EQ(bar->Slider().FixedSize(), 8);
    EXPECT_EQ(bar->Slider().Length(), 8);
}

TEST_F(ScrollBarTest, SliderCopiesItsSizeRulesThenItsLooks)
{
    bar->SetBounds(0, 0, 232, 16);
    TILScrollbarSlider model;
    model.SetRange(10);
    model.SetMinSize(12);
    model.SetFixedSize(20);
    model.SetInvert(true);
    model.SetFramed(false);
    model.Brush().SetColour(0x00FF00);
    bar->SetSlider(model);
    EXPECT_EQ(bar->Slider().Range(), 10);
    EXPECT_EQ(bar->Slider().MinSize(), 12);
    EXPECT_EQ(bar->Slider().FixedSize(), 20);
    EXPECT_TRUE(bar->Slider().Invert());
    EXPECT_FALSE(bar->Slider().Framed());
    EXPECT_EQ(bar->Slider().Brush().Colour(), 0x00FF00u);
    EXPECT_EQ(bar->Slider().Length(), 19); // 200 x 10 / 101
    EXPECT_EQ(bar->Slider().ScrollBar(), bar);
}

TEST_F(ScrollBarTest, FixedSliderLongerThanAShrunkenTrackStaysInside)
{
    bar->SetBounds(0, 0, 40, 16); // an 8-pixel track for a 16-pixel slider
    EXPECT_EQ(bar->Slider().Length(), 8);
    EXPECT_EQ(bar->Ratio(), 0.0L);
    bar->SetPosition(50);
    EXPECT_EQ(bar->Slider().Rect(), bar->TrackRect());
    bar->SetWidth(232);
    EXPECT_EQ(bar->Slider().Length(), 16);
    EXPECT_EQ(bar->SliderOffset(), 92); // 50 x 184 / 100
}

TEST_F(ScrollBarTest, FixedSliderWithOnePositionStaysAtTheStart)
{
    bar->SetMaximum(0);
    EXPECT_EQ(bar->Count(), 1);
    EXPECT_EQ(bar->Ratio(), 0.0L);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->SliderOffset(), 0);
    EXPECT_EQ(bar->PixelToPosition(50), 0);
    bar->SetPosition(10);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarTest, SliderPlaceRoundsHalvesToEven)
{
    bar->SetBounds(0, 0, 98, 16); // track 66: (66 - 16) / 100 = 0.5 pixel a position
    EXPECT_EQ(bar->Ratio(), 0.5L);
    const int expected[][2] = {{1, 0}, {3, 2}, {5, 2}, {7, 4}, {100, 50}};
    for (const auto& [position, offset] : expected) {
        bar->SetPosition(position);
        EXPECT_EQ(bar->SliderOffset(), offset) << "position " << position;
    }
}

TEST_F(ScrollBarTest, PixelsMapBackToPositions)
{
    Proportional();
    EXPECT_EQ(bar->PixelToPosition(0), 0);
    EXPECT_EQ(bar->PixelToPosition(3), 1);
    EXPECT_EQ(bar->PixelToPosition(180), 90);
    EXPECT_EQ(bar->PixelToPosition(-40), 0);
    EXPECT_EQ(bar->PixelToPosition(1000), 99);

    // Ratios that binary fractions cannot hold still map exact multiples back.
    for (const int width : {100, 232}) { // 0.52 and 1.84 pixels a position
        bar->SetBounds(0, 0, width, 16);
        bar->Slider().SetRange(1);
        bar->SetMaximum(100);
        for (int position = 0; position <= 100; position += 25) {
            bar->SetPosition(position);
            EXPECT_EQ(bar->PixelToPosition(bar->SliderOffset()), position) << "width " << width;
        }
    }
}

// --- Range ------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, MinimumAndMaximumKeepThePositionInside)
{
    int minChanges = 0;
    int maxChanges = 0;
    bar->SetOnChangeMin([&](fw::Object*) { ++minChanges; });
    bar->SetOnChangeMax([&](fw::Object*) { ++maxChanges; });

    bar->SetPosition(80);
    scrolls.clear();
    bar->SetMaximum(50);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(scrolls, (std::vector<int>{-30}));
    EXPECT_EQ(maxChanges, 1);

    // The minimum raises the position without a report.
    bar->SetMinimum(60);
    EXPECT_EQ(bar->Minimum(), 50);
    EXPECT_EQ(bar->Position(), 50);
    bar->SetMinimum(10);
    bar->SetPosition(10);
    scrolls.clear();
    bar->SetMinimum(20);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_TRUE(scrolls.empty());
    EXPECT_EQ(minChanges, 3);

    bar->SetMaximum(5);
    EXPECT_EQ(bar->Maximum(), 20);
}

TEST_F(ScrollBarTest, LoweredMaximumPullsAProportionalSliderBack)
{
    Proportional();
    bar->SetPosition(90);
    scrolls.clear();
    bar->SetMaximum(95); // the slider's start may now go to 86 only
    EXPECT_EQ(bar->Position(), 86);
    EXPECT_EQ(scrolls, (std::vector<int>{-4}));
    EXPECT_EQ(bar->SliderOffset() + bar->Slider().Length(), bar->TrackLength());
}

// --- Arrows ------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, ArrowClicksMoveBySmallChange)
{
    fw::TestDriver driver(*host);
    bar->SetSmallChange(3);
    driver.ClickOn(*bar->RightDownButton());
    EXPECT_EQ(bar->Position(), 4);
    driver.ClickOn(*bar->LeftUpButton());
    driver.ClickOn(*bar->LeftUpButton());
    EXPECT_EQ(bar->Position(), 0);
    // Only what was moved is reported; a move at the end reports nothing.
    EXPECT_EQ(scrolls, (std::vector<int>{3, -3, -1}));
}

TEST_F(ScrollBarTest, HeldArrowRepeatsAfterTheLongThenTheShortPause)
{
    fw::TestDriver driver(*host);
    const fw::Point arrow = driver.CentreOf(*bar->RightDownButton());
    driver.Press(arrow);
    driver.Advance(199);
    EXPECT_EQ(bar->Position(), 1);
    driver.Advance(1);
    EXPECT_EQ(bar->Position(), 2);
    driver.Advance(74);
    EXPECT_EQ(bar->Position(), 2);
    driver.Advance(1);
    EXPECT_EQ(bar->Position(), 3);
    driver.Advance(150);
    EXPECT_EQ(bar->Position(), 5);
    driver.Release(arrow);
    driver.Advance(1000);
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_EQ(scrolls, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(ScrollBarTest, ArrowsMovePixelsWhenScrollingByPixel)
{
    Proportional();
    bar->SetScrollByPixel(true);
    bar->SetSmallChange(5);
    fw::TestDriver driver(*host);
    driver.ClickOn(*bar->RightDownButton());
    EXPECT_EQ(bar->SliderOffset(), 5);
    EXPECT_EQ(bar->Position(), 2);
    EXPECT_EQ(scrolls, (std::vector<int>{2}));
}

// --- Dragging ------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, DraggingPastTheEndStopsFlush)
{
    Proportional();
    bar->SetPosition(45);
    scrolls.clear();
    fw::TestDriver driver(*host);
    driver.DragMouse(fw::Point{115, 8}, fw::Point{390, 8}, 7);
    EXPECT_EQ(bar->Position(), 90);
    EXPECT_EQ(bar->SliderOffset() + bar->Slider().Length(), bar->TrackLength());
    EXPECT_EQ(Scrolled(), 45);
    for (const int by : scrolls) {
        EXPECT_NE(by, 0);
    }

    // And back past the start.
    scrolls.clear();
    driver.DragMouse(fw::Point{205, 8}, fw::Point{0, 8}, 9);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->SliderOffset(), 0);
    EXPECT_EQ(Scrolled(), -90);
}

TEST_F(ScrollBarTest, DragPlacesTheSliderByThePixel)
{
    Proportional();
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{20, 8});
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Down);
    driver.MoveTo(fw::Point{23, 8});
    EXPECT_EQ(bar->SliderOffset(), 3);
    EXPECT_EQ(bar->Position(), 1);
    driver.MoveTo(fw::Point{24, 8});
    EXPECT_EQ(bar->SliderOffset(), 4);
    EXPECT_EQ(bar->Position(), 2);
    driver.Release(fw::Point{24, 8});
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Active);
    EXPECT_EQ(scrolls, (std::vector<int>{1, 1}));
}

TEST_F(ScrollBarTest, ScrollingByPixelReportsEveryDragStep)
{
    Proportional();
    bar->SetScrollByPixel(true);
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{20, 8});
    driver.MoveTo(fw::Point{20, 10}); // across the bar: no travel along it
    driver.MoveTo(fw::Point{21, 10});
    driver.MoveTo(fw::Point{23, 10});
    driver.Release(fw::Point{23, 10});
    EXPECT_EQ(scrolls, (std::vector<int>{0, 0, 1}));
}

TEST_F(ScrollBarTest, DragGoesOnWhenThePointerStraysOffTheBar)
{
    Proportional();
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{20, 8});
    driver.MoveTo(fw::Point{20, 60}); // off the bar
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Down);
    driver.MoveTo(fw::Point{40, 60});
    EXPECT_EQ(bar->SliderOffset(), 20);
    driver.Release(fw::Point{40, 60});
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Inactive);
    EXPECT_EQ(bar->Position(), 10);
}

TEST_F(ScrollBarTest, SliderLightsUpUnderTheMouse)
{
    Proportional();
    fw::TestDriver driver(*host);
    driver.MoveTo(fw::Point{25, 5});
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Active);
    driver.MoveTo(fw::Point{100, 5});
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Inactive);
    driver.MoveTo(fw::Point{25, 5});
    driver.MoveTo(fw::Point{25, 50}); // off the bar
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Inactive);
}

// --- Paging --------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, HeldTrackPagesWithTheSameStepUntilTheSliderReachesTheMouse)
{
    // A fixed slider pages by LargeChange, on the press and on every repeat.
    bar->SetBounds(0, 0, 232, 16);
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{200, 8});
    EXPECT_EQ(bar->Position(), 17);
    EXPECT_TRUE(bar->PageRepeating());
    driver.Advance(199);
    EXPECT_EQ(bar->Position(), 17);
    driver.Advance(1);
    EXPECT_EQ(bar->Position(), 33);
    driver.Advance(75);
    EXPECT_EQ(bar->Position(), 49);
    driver.Advance(75 * 20);
    // 97 puts the slider under the mouse: no page beyond it.
    EXPECT_EQ(bar->Position(), 97);
    EXPECT_EQ(scrolls, (std::vector<int>{16, 16, 16, 16, 16, 16}));
    driver.Release(fw::Point{200, 8});
    EXPECT_FALSE(bar->PageRepeating());
}

TEST_F(ScrollBarTest, ProportionalSliderPagesByItsRangeAndStopsPastTheMouse)
{
    Proportional();
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{100, 8});
    EXPECT_EQ(bar->Position(), 10);
    driver.Advance(2000);
    EXPECT_EQ(bar->Position(), 40); // slider 96..115 holds the mouse
    EXPECT_EQ(scrolls, (std::vector<int>{10, 10, 10, 10}));
    driver.Release(fw::Point{100, 8});

    // Backwards, from the far end.
    bar->SetPosition(90);
    scrolls.clear();
    driver.Press(fw::Point{50, 8});
    driver.Advance(2000);
    EXPECT_EQ(bar->Position(), 10); // slider 36..55 holds the mouse
    EXPECT_EQ(scrolls, (std::vector<int>{-10, -10, -10, -10, -10, -10, -10, -10}));
    driver.Release(fw::Point{50, 8});
}

TEST_F(ScrollBarTest, PagingFollowsTheMouseAlongTheTrack)
{
    Proportional();
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{200, 8});
    driver.Advance(200);
    EXPECT_EQ(bar->Position(), 20);
    // Onto the slider while held: paging ends and the slider is taken for dragging.
    driver.MoveTo(fw::Point{60, 8});
    EXPECT_FALSE(bar->PageRepeating());
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Down);
    driver.Advance(1000);
    EXPECT_EQ(bar->Position(), 20);
    driver.Release(fw::Point{60, 8});
}

TEST_F(ScrollBarTest, ReleaseEndsPaging)
{
    Proportional();
    fw::TestDriver driver(*host);
    driver.Click(fw::Point{200, 8});
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_FALSE(bar->PageRepeating());
    driver.Advance(1000);
    EXPECT_EQ(bar->Position(), 10);
}

TEST_F(ScrollBarTest, PressAgainstTheRunningPageStopsIt)
{
    Proportional();
    bar->SetPosition(40);
    scrolls.clear();
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{200, 8});
    EXPECT_EQ(bar->Position(), 50);
    // A second press on the other side while paging on: the paging ends, nothing moves.
    driver.Press(fw::Point{20, 8});
    EXPECT_FALSE(bar->PageRepeating());
    EXPECT_EQ(bar->Position(), 50);
    driver.Advance(1000);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(scrolls, (std::vector<int>{10}));
}

// --- Kind, enabling, visibility, parent -----------------------------------------------------------

TEST_F(ScrollBarTest, TurningTheBarRenamesDefaultArrowPictures)
{
    bar->LeftUp().ImageActive().SetImageName("ilscrbar_img_l_active");
    bar->LeftUp().ImageDown().SetImageName("MY_OWN_DOWN");
    bar->RightDown().ImageRepeat().SetImageName("");
    bar->SetKind(TScrollBarKind::Vertical);
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->Height(), 100);
    EXPECT_EQ(bar->LeftUp().ImageActive().ImageName(), "ILSCRBAR_IMG_U_ACTIVE");
    EXPECT_EQ(bar->LeftUp().ImageInactive().ImageName(), "ILSCRBAR_IMG_U_INACTIVE");
    EXPECT_EQ(bar->LeftUp().ImageDown().ImageName(), "MY_OWN_DOWN");
    EXPECT_EQ(bar->RightDown().ImageRepeat().ImageName(), "ILSCRBAR_IMG_D_REPEAT");
    EXPECT_EQ(bar->RightDown().ImageDisabled().ImageName(), "ILSCRBAR_IMG_D_DISABLED");

    const fw::Bitmap* up = fw::FindNamedImage("ILSCRBAR_IMG_U_ACTIVE");
    ASSERT_NE(up, nullptr);
    EXPECT_TRUE(bar->LeftUpButton()->ImageActive().SamePixels(*up));
    EXPECT_EQ(bar->LeftUpButton()->BoundsRect(), (fw::Rect{0, 0, 16, 16}));
    EXPECT_EQ(bar->RightDownButton()->BoundsRect(), (fw::Rect{0, 84, 16, 100}));
    EXPECT_EQ(bar->TrackRect(), (fw::Rect{0, 16, 15, 83}));
    EXPECT_EQ(bar->Slider().Rect().Left, 0);
    EXPECT_EQ(bar->Slider().Rect().Right, 15);
}

TEST_F(ScrollBarTest, VerticalBarPagesAndDragsAlongY)
{
    host->SetBounds(0, 0, 100, 300);
    bar->SetKind(TScrollBarKind::Vertical);
    Proportional();
    fw::TestDriver driver(*host);
    driver.Click(fw::Point{8, 150});
    EXPECT_EQ(bar->Position(), 10);
    driver.DragMouse(fw::Point{8, 40}, fw::Point{8, 60}, 4);
    EXPECT_EQ(bar->SliderOffset(), 40);
    EXPECT_EQ(bar->Position(), 20);
}

TEST_F(ScrollBarTest, DisabledBarDisablesItsArrowsAndSlider)
{
    bar->SetEnabled(false);
    EXPECT_FALSE(bar->LeftUpButton()->Enabled());
    EXPECT_FALSE(bar->RightDownButton()->Enabled());
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Disabled);
    bar->Slider().SetState(TILSliderState::Active);
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Disabled);

    bar->SetEnabled(true);
    EXPECT_TRUE(bar->RightDownButton()->Enabled());
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Inactive);
    bar->Slider().SetState(TILSliderState::Active);
    EXPECT_EQ(bar->Slider().State(), TILSliderState::Active);
}

TEST_F(ScrollBarTest, ArrowsGoWhereverTheBarGoes)
{
    bar->Hide();
    EXPECT_FALSE(bar->LeftUpButton()->Visible());
    EXPECT_FALSE(bar->RightDownButton()->Visible());
    bar->Show();
    EXPECT_TRUE(bar->RightDownButton()->Visible());

    bar->SetLeft(30);
    EXPECT_EQ(bar->LeftUpButton()->BoundsRect(), (fw::Rect{30, 0, 46, 16}));
    EXPECT_EQ(bar->RightDownButton()->BoundsRect(), (fw::Rect{114, 0, 130, 16}));

    // Placed by its parent's layout.
    bar->SetAlign(fw::Align::Bottom);
    EXPECT_EQ(bar->BoundsRect(), (fw::Rect{0, 84, 400, 100}));
    EXPECT_EQ(bar->RightDownButton()->BoundsRect(), (fw::Rect{384, 84, 400, 100}));
    EXPECT_EQ(bar->TrackLength(), 368);

    fw::CustomControl other;
    other.SetBounds(0, 0, 50, 50);
    bar->SetParent(&other);
    EXPECT_EQ(bar->LeftUpButton()->Parent(), &other);
    EXPECT_EQ(bar->RightDownButton()->Parent(), &other);
    EXPECT_EQ(host->ControlCount(), 0);
    bar->SetParent(host.get());
    EXPECT_EQ(host->ControlCount(), 3);
}

TEST_F(ScrollBarTest, ArrowBundleChangesReachTheArrowsAtOnce)
{
    bar->RightDown().SetFramed(false);
    EXPECT_FALSE(bar->RightDownButton()->Framed());
    EXPECT_TRUE(bar->LeftUpButton()->Framed());
    bar->LeftUp().SetHint("Back");
    EXPECT_EQ(bar->LeftUpButton()->Hint(), "Back");
    bar->LeftUp().ImageInactive().SetImageName("ILSCRBAR_IMG_D_INACTIVE");
    const fw::Bitmap* down = fw::FindNamedImage("ILSCRBAR_IMG_D_INACTIVE");
    ASSERT_NE(down, nullptr);
    EXPECT_TRUE(bar->LeftUpButton()->ImageInactive().SamePixels(*down));
}

// --- Painting ------------------------------------------------------------------------------------

TEST_F(ScrollBarTest, TrackAndSliderArePainted)
{
    Proportional();
    bar->Repaint();
    const fw::Bitmap& store = bar->BackingStore();
    const fw::Color face = fw::ColorToRGB(fw::clBtnFace);
    EXPECT_EQ(store.Pixel(100, 8), TrackColour);
    EXPECT_EQ(store.Pixel(25, 8), face);
    // The slider's raised frame.
    EXPECT_EQ(store.Pixel(16, 0), fw::ColorToRGB(fw::clBtnHighlight));
    EXPECT_EQ(store.Pixel(35, 15), fw::ColorToRGB(fw::clBtnShadow));

    // A move redraws the track straight away, without waiting for a paint.
    bar->SetPosition(50);
    EXPECT_EQ(store.Pixel(25, 8), TrackColour);
    EXPECT_EQ(store.Pixel(125, 8), face);

    // The whole picture: the arrows over the bar's ends, magenta left out.
    const fw::Bitmap whole = fw::RenderToBitmap(*host);
    EXPECT_EQ(whole.Pixel(125, 8), face);
    const TILButton& right = *bar->RightDownButton();
    const fw::Bitmap& arrow = right.ImageInactive();
    ASSERT_FALSE(arrow.Empty());
    const int left = right.Left() + (16 - arrow.Width()) / 2;
    const int top = right.Top() + (16 - arrow.Height()) / 2;
    int ink = 0;
    int keyed = 0;
    for (int y = 0; y < arrow.Height(); ++y) {
        for (int x = 0; x < arrow.Width(); ++x) {
            const fw::Color shown = whole.Pixel(left + x, top + y);
            if (arrow.Pixel(x, y) == 0xFF00FF) {
                keyed += shown != 0xFF00FF ? 1 : 0;
            } else {
                ink += shown == arrow.Pixel(x, y) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(ink, 0);
    EXPECT_GT(keyed, 0);
}

TEST_F(ScrollBarTest, DraggedSliderDrawsSunkenWhenInverted)
{
    Proportional();
    bar->Slider().SetInvert(true);
    fw::TestDriver driver(*host);
    driver.Press(fw::Point{20, 8});
    EXPECT_EQ(bar->BackingStore().Pixel(16, 0), fw::ColorToRGB(fw::clBtnShadow));
    driver.Release(fw::Point{20, 8});
    EXPECT_EQ(bar->BackingStore().Pixel(16, 0), fw::ColorToRGB(fw::clBtnHighlight));
}

// --- Freeing from inside --------------------------------------------------------------------------

TEST_F(ScrollBarTest, ScrollHandlerMayFreeTheBarFromAnArrowClick)
{
    fw::TestDriver driver(*host);
    FreeBarOnReport(1);
    driver.Click(fw::Point{92, 8});
    EXPECT_EQ(scrolls, (std::vector<int>{1}));
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Advance(1000);
}

TEST_F(ScrollBarTest, ScrollHandlerMayFreeTheBarFromAnArrowRepeat)
{
    fw::TestDriver driver(*host);
    FreeBarOnReport(2);
    driver.Press(fw::Point{92, 8});
    driver.Advance(1000);
    EXPECT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Release(fw::Point{92, 8});
}

TEST_F(ScrollBarTest, ScrollHandlerMayFreeTheBarFromATrackPress)
{
    Proportional();
    fw::TestDriver driver(*host);
    FreeBarOnReport(1);
    driver.Press(fw::Point{200, 8});
    EXPECT_EQ(scrolls, (std::vector<int>{10}));
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Advance(1000);
    driver.Release(fw::Point{200, 8});
    EXPECT_EQ(scrolls.size(), 1u);
}

TEST_F(ScrollBarTest, ScrollHandlerMayFreeTheBarFromAPageTick)
{
    Proportional();
    fw::TestDriver driver(*host);
    FreeBarOnReport(2);
    driver.Press(fw::Point{200, 8});
    driver.Advance(1000);
    EXPECT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Release(fw::Point{200, 8});
}

TEST_F(ScrollBarTest, ScrollHandlerMayFreeTheBarWhileDragging)
{
    Proportional();
    fw::TestDriver driver(*host);
    FreeBarOnReport(1);
    driver.DragMouse(fw::Point{20, 8}, fw::Point{80, 8}, 5);
    EXPECT_EQ(scrolls.size(), 1u);
    EXPECT_EQ(host->ControlCount(), 0);
}

TEST_F(ScrollBarTest, FreeingTheParentFreesArrowsAndBarOnce)
{
    TILScrollBar* second = new TILScrollBar(host.get());
    second->SetKind(TScrollBarKind::Vertical);
    // Freed before its arrows, this one frees them itself.
    second->BringToFront();
    EXPECT_EQ(host->ControlCount(), 6);
    host.reset(); // the parent frees every child; the bars must not free their arrows again
    bar = nullptr;
}

// --- The shared look ---------------------------------------------------------------------------

class ScrollBarPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { InitControlLibrary(); }
    void TearDown() override { ShutdownControlLibrary(); }
};

TEST_F(ScrollBarPropertiesTest, OnlyWhatWasSetIsApplied)
{
    TILScrollBar bar;
    TILScrollBarProperties look;
    EXPECT_FALSE(look.ButtonSizeSet());
    EXPECT_EQ(look.Background().BevelOuter(), TBevelCut::None);
    EXPECT_EQ(look.Background().FillBrush().Colour(), TrackColour);
    bar.SetLargeChange(40);
    look.Assign(&look); // nothing happens to itself
    bar.Assign(&look);
    EXPECT_EQ(bar.LargeChange(), 40);
    EXPECT_EQ(bar.ButtonSize(), 16);

    look.SetButtonSize(20);
    look.SetShortPause(50);
    look.SetInvert(true);
    look.ButtonLeft().SetFramed(false); // a change in place counts as set
    look.ButtonUp().SetFramed(false);
    look.SliderLR().Brush().SetColour(0x0000FF);
    EXPECT_TRUE(look.ButtonLeftSet());
    EXPECT_FALSE(look.ButtonRightSet());
    bar.Assign(&look);
    EXPECT_EQ(bar.ButtonSize(), 20);
    EXPECT_EQ(bar.ShortPause(), 50);
    EXPECT_EQ(bar.LargeChange(), 40);
    EXPECT_TRUE(bar.Slider().Invert());
    EXPECT_FALSE(bar.LeftUp().Framed());
    EXPECT_TRUE(bar.RightDown().Framed());
    EXPECT_EQ(bar.Slider().Brush().Colour(), 0x0000FFu);
    // The records' transparent colour goes with them.
    EXPECT_EQ(bar.Slider().Transparent(), 0x00FF00FFu);

    TILScrollBar vertical;
    vertical.SetKind(TScrollBarKind::Vertical);
    look.ButtonDown().SetTransparent(0x00FF00);
    vertical.Assign(&look);
    EXPECT_FALSE(vertical.LeftUp().Framed()); // from ButtonUp
    EXPECT_EQ(vertical.RightDown().Transparent(), 0x00FF00u);
    EXPECT_NE(vertical.Slider().Brush().Colour(), 0x0000FFu); // SliderUD was never set
}

TEST_F(ScrollBarPropertiesTest, CopyKeepsValuesAndFlags)
{
    TILScrollBarProperties look;
    look.SetLargeChange(64);
    look.SliderUD().SetFramed(false);
    look.Background().FillBrush().SetColour(0x00FF00);

    TILScrollBarProperties copy;
    copy.Assign(&look);
    EXPECT_EQ(copy.LargeChange(), 64);
    EXPECT_TRUE(copy.LargeChangeSet());
    EXPECT_FALSE(copy.SmallChangeSet());
    EXPECT_TRUE(copy.SliderUDSet());
    EXPECT_FALSE(copy.SliderLRSet());
    EXPECT_FALSE(copy.SliderUD().Framed());
    EXPECT_TRUE(copy.BackgroundSet());
    EXPECT_EQ(copy.Background().FillBrush().Colour(), 0x00FF00u);

    TILButton button;
    EXPECT_THROW(button.Assign(&look), fw::EConvertError);
}

} // namespace
