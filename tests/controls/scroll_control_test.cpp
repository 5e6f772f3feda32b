#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/control_library.h"
#include "controls/scroll_control.h"
#include "framework/core/named_images.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/test_driver.h"

namespace {

class ScrollControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend);
        control = std::make_unique<TILScrollControl>();
        control->SetBounds(0, 0, 132, 21); // a scroll area of 100 pixels from x = 16
    }
    void TearDown() override
    {
        control.reset();
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
    }

    fw::CustomControl* AddChild(int left, int width)
    {
        auto* child = new fw::CustomControl(control.get());
        child->SetBounds(left, 1, width, 19);
        child->SetParent(control.get());
        return child;
    }

    std::vector<int> Lefts() const
    {
        std::vector<int> lefts;
        for (const fw::Control* child : control->ContentControls()) {
            lefts.push_back(child->Left());
        }
        return lefts;
    }

    // A second scroll control, of the usual size on a host of its own that owns it, with one
    // child of the given width: for the tests that free it from its own handlers.
    static TILScrollControl* OwnedControlWithContent(fw::CustomControl& host, int contentWidth)
    {
        host.SetBounds(0, 0, 200, 40);
        auto* owned = new TILScrollControl(&host);
        owned->SetParent(&host);
        owned->SetBounds(0, 0, 132, 21);
        auto* child = new fw::CustomControl(owned);
        child->SetParent(owned);
        child->SetBounds(16, 1, contentWidth, 19);
        return owned;
    }

    fw::FakePaintBackend backend;
    std::unique_ptr<TILScrollControl> control;
};

// --- Parts and layout ----------------------------------------------------------------------------

TEST_F(ScrollControlTest, NewControlHasArrowPanelsAtBothEnds)
{
    TILScrollControl fresh;
    EXPECT_EQ(fresh.Height(), 21);
    EXPECT_EQ(fresh.DrawData().BevelOuter(), TBevelCut::Lowered);
    EXPECT_EQ(fresh.ButtonWidth(), 16);
    EXPECT_EQ(fresh.ScrollIncrement(), 16);
    EXPECT_TRUE(fresh.LimitScroll());
    EXPECT_FALSE(fresh.AutoPosition());
    EXPECT_TRUE(fresh.ContentControls().empty());

    EXPECT_EQ(fresh.LeftPanel().BoundsRect(), (fw::Rect{0, 0, 16, 21}));
    EXPECT_EQ(fresh.RightPanel().BoundsRect(), (fw::Rect{fresh.Width() - 16, 0, fresh.Width(), 21}));
    EXPECT_EQ(fresh.ScrollArea(), (fw::Rect{16, 0, fresh.Width() - 16, 21}));
    for (TILBrushPanel* end : {&fresh.LeftPanel(), &fresh.RightPanel()}) {
        EXPECT_EQ(end->Parent(), &fresh);
        EXPECT_TRUE(end->ParentBrush());
        EXPECT_EQ(end->DrawData().BevelOuter(), TBevelCut::None);
        EXPECT_EQ(end->DrawData().BevelInner(), TBevelCut::None);
        EXPECT_EQ(end->GetInnerClientRect(), end->ClientRect());
    }
    EXPECT_EQ(fresh.LeftArrow().Parent(), &fresh.LeftPanel());
    EXPECT_EQ(fresh.LeftArrow().BoundsRect(), fresh.LeftPanel().ClientRect());
    EXPECT_EQ(fresh.RightArrow().BoundsRect(), fresh.RightPanel().ClientRect());
    EXPECT_TRUE(fresh.LeftArrow().AllowRepeat());
    EXPECT_TRUE(fresh.RightArrow().AllowRepeat());
}

TEST_F(ScrollControlTest, ArrowsShowTheScrollBarArrowImages)
{
    EXPECT_EQ(control->ScrollBtnLeft().ImageActive().ImageName(), "ILSCRBAR_IMG_L_ACTIVE");
    EXPECT_EQ(control->ScrollBtnLeft().ImageRepeat().ImageName(), "ILSCRBAR_IMG_L_REPEAT");
    EXPECT_EQ(control->ScrollBtnRight().ImageDisabled().ImageName(), "ILSCRBAR_IMG_R_DISABLED");
    EXPECT_EQ(control->ScrollBtnRight().Transparent(), 0x00FF00FFu);
    EXPECT_EQ(control->LeftArrow().Transparent(), 0x00FF00FFu);
    const fw::Bitmap* leftImage = fw::FindNamedImage("ILSCRBAR_IMG_L_INACTIVE");
    ASSERT_NE(leftImage, nullptr);
    EXPECT_EQ(control->LeftArrow().ImageInactive().Width(), leftImage->Width());

    // A change of the bundle reaches its arrow at once.
    control->ScrollBtnRight().SetFramed(false);
    EXPECT_FALSE(control->RightArrow().Framed());
    EXPECT_TRUE(control->LeftArrow().Framed());
}

TEST_F(ScrollControlTest, EndsFollowTheSizeAndTheButtonWidth)
{
    control->SetWidth(200);
    EXPECT_EQ(control->RightPanel().BoundsRect(), (fw::Rect{184, 0, 200, 21}));
    control->SetButtonWidth(20);
    EXPECT_EQ(control->LeftPanel().BoundsRect(), (fw::Rect{0, 0, 20, 21}));
    EXPECT_EQ(control->RightPanel().BoundsRect(), (fw::Rect{180, 0, 200, 21}));
    EXPECT_EQ(control->ScrollArea(), (fw::Rect{20, 0, 180, 21}));
    EXPECT_EQ(control->RightArrow().Width(), 20);
}

TEST_F(ScrollControlTest, RowSlidesUnderTheArrows)
{
    AddChild(0, 132);
    const std::vector<fw::Control*>& children = control->ControlList();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[1], &control->LeftPanel());
    EXPECT_EQ(children[2], &control->RightPanel());
}

// --- Scroll limits ---------------------------------------------------------------------------------

TEST_F(ScrollControlTest, RowThatFitsDoesNotScroll)
{
    AddChild(16, 40);
    AddChild(56, 60);
    control->ScrollBy(16);
    control->ScrollBy(-16);
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 56}));
}

TEST_F(ScrollControlTest, EmptyControlDoesNotScroll)
{
    int asked = 0;
    control->SetOnCanScroll([&](TILScrollControl*, int&) { ++asked; });
    control->ScrollBy(-16);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(control->ContentControls().empty());
}

TEST_F(ScrollControlTest, OverflowingRowInInsertionOrderScrollsToBothEnds)
{
    // Three children of 40, left to right: the row ends at 136, 20 past the area's end.
    AddChild(16, 40);
    AddChild(56, 40);
    AddChild(96, 40);

    control->ScrollBy(16); // nothing lies left of the area yet
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 56, 96}));

    control->ScrollBy(-16);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 40, 80}));
    control->ScrollBy(-16); // still 4 pixels hidden on the right
    EXPECT_EQ(Lefts(), (std::vector<int>{-16, 24, 64}));
    control->ScrollBy(-16); // the row's end shows: no further
    EXPECT_EQ(Lefts(), (std::vector<int>{-16, 24, 64}));

    control->ScrollBy(16);
    control->ScrollBy(16);
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 56, 96}));
    control->ScrollBy(16);
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 56, 96}));
}

TEST_F(ScrollControlTest, RowAddedRightToLeftScrollsTheSame)
{
    AddChild(96, 40);
    AddChild(56, 40);
    AddChild(16, 40);
    control->ScrollBy(-16);
    control->ScrollBy(-16);
    control->ScrollBy(-16);
    EXPECT_EQ(Lefts(), (std::vector<int>{64, 24, -16}));
    control->ScrollBy(16);
    control->ScrollBy(16);
    control->ScrollBy(16);
    EXPECT_EQ(Lefts(), (std::vector<int>{96, 56, 16}));
}

TEST_F(ScrollControlTest, HostDecidesEachStep)
{
    AddChild(16, 300);
    // The limits still hold after the host's say: turned into a step to the right while
    // the row's start shows, the step is refused.
    control->SetOnCanScroll([&](TILScrollControl*, int& dX) { dX = -dX; });
    control->ScrollBy(-16);
    EXPECT_EQ(Lefts(), (std::vector<int>{16}));

    std::vector<int> asked;
    control->SetOnCanScroll([&](TILScrollControl* sender, int& dX) {
        EXPECT_EQ(sender, control.get());
        asked.push_back(dX);
        dX = 0;
    });
    control->ScrollBy(-16);
    EXPECT_EQ(Lefts(), (std::vector<int>{16}));
    EXPECT_EQ(asked, (std::vector<int>{-16}));

    control->SetOnCanScroll([&](TILScrollControl*, int& dX) { dX = dX / 4; });
    control->ScrollBy(-16);
    EXPECT_EQ(Lefts(), (std::vector<int>{12}));
}

TEST_F(ScrollControlTest, UnlimitedScrollingIgnoresTheRowsEnds)
{
    AddChild(16, 20);
    control->SetLimitScroll(false);
    control->ScrollBy(16);
    control->ScrollBy(-48);
    EXPECT_EQ(Lefts(), (std::vector<int>{-16}));
}

// --- Automatic placement -------------------------------------------------------------------------

TEST_F(ScrollControlTest, AutoPositionPlacesNewChildrenAfterTheRightmost)
{
    control->SetAutoPosition(true);
    control->SetAutoSpacing(2);
    AddChild(500, 30);
    AddChild(0, 20);
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 48}));
    EXPECT_EQ(control->ContentControls()[1]->Top(), 1);

    // After scrolling the rightmost child still decides, wherever the row now is.
    control->SetAutoSpacing(0);
    AddChild(0, 60);
    control->ScrollBy(-16);
    AddChild(0, 10);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 32, 52, 112}));
}

TEST_F(ScrollControlTest, AutoPositionClosesTheGapOfALeavingChild)
{
    control->SetAutoPosition(true);
    control->SetAutoSpacing(4);
    fw::CustomControl* first = AddChild(0, 30);
    fw::CustomControl* second = AddChild(0, 20);
    AddChild(0, 10);
    AddChild(0, 10);
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 50, 74, 88}));

    second->SetParent(nullptr);
    delete second;
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 50, 64}));

    // Freeing a child closes the gap just the same.
    delete first;
    EXPECT_EQ(Lefts(), (std::vector<int>{16, 30}));
}

TEST_F(ScrollControlTest, WithoutAutoPositionChildrenStayPut)
{
    AddChild(40, 30);
    fw::CustomControl* second = AddChild(90, 30);
    AddChild(130, 30);
    delete second;
    EXPECT_EQ(Lefts(), (std::vector<int>{40, 130}));
}

TEST_F(ScrollControlTest, ChildListChangesAreReported)
{
    std::vector<std::string> log;
    control->SetOnAddControl([&](TILScrollControl* sender, fw::Control* child) {
        EXPECT_EQ(sender, control.get());
        EXPECT_EQ(control->IndexOfControl(child), -1) << "told before the child joins";
        log.push_back("add " + std::to_string(child->Width()));
    });
    control->SetOnRemoveControl([&](TILScrollControl*, fw::Control* child) {
        EXPECT_NE(control->IndexOfControl(child), -1) << "told before the child leaves";
        log.push_back("remove " + std::to_string(child->Width()));
    });
    control->SetOnChange([&](fw::Object* sender) {
        EXPECT_EQ(sender, control.get());
        log.push_back("change");
    });
    AddChild(16, 7);
    fw::CustomControl* second = AddChild(23, 9);
    delete second;
    EXPECT_EQ(log, (std::vector<std::string>{"add 7", "change", "add 9", "change", "remove 9", "change"}));
}

TEST_F(ScrollControlTest, ClearContentKeepsTheArrows)
{
    AddChild(16, 30);
    AddChild(46, 30);
    AddChild(76, 30);
    std::vector<int> removed;
    control->SetOnRemoveControl([&](TILScrollControl*, fw::Control* child) { removed.push_back(child->Left()); });
    control->ClearContent();
    EXPECT_TRUE(control->ContentControls().empty());
    EXPECT_EQ(removed, (std::vector<int>{76, 46, 16}));
    EXPECT_EQ(control->ControlCount(), 2);
    EXPECT_EQ(control->LeftArrow().Parent(), &control->LeftPanel());
    EXPECT_EQ(control->RightArrow().Parent(), &control->RightPanel());
}

// --- Arrows ----------------------------------------------------------------------------------------

TEST_F(ScrollControlTest, ArrowClickScrollsOneStep)
{
    AddChild(16, 300);
    fw::TestDriver driver(*control);
    driver.ClickOn(control->RightArrow());
    EXPECT_EQ(Lefts(), (std::vector<int>{0}));
    driver.ClickOn(control->LeftArrow());
    EXPECT_EQ(Lefts(), (std::vector<int>{16}));
    control->SetScrollIncrement(5);
    driver.ClickOn(control->RightArrow());
    EXPECT_EQ(Lefts(), (std::vector<int>{11}));
}

TEST_F(ScrollControlTest, HeldArrowRepeatsAfterAPause)
{
    AddChild(16, 1000);
    fw::TestDriver driver(*control);
    const fw::Point arrow = driver.CentreOf(control->RightArrow());
    driver.Press(arrow);
    driver.Advance(499);
    EXPECT_EQ(Lefts(), (std::vector<int>{16}));
    driver.Advance(1);
    EXPECT_EQ(Lefts(), (std::vector<int>{0}));
    driver.Advance(199);
    EXPECT_EQ(Lefts(), (std::vector<int>{0}));
    driver.Advance(1);
    EXPECT_EQ(Lefts(), (std::vector<int>{-16}));
    driver.Advance(400);
    EXPECT_EQ(Lefts(), (std::vector<int>{-48}));
    driver.Release(arrow);
    driver.Advance(1000);
    EXPECT_EQ(Lefts(), (std::vector<int>{-48}));
}

TEST_F(ScrollControlTest, FreeingTheControlFromAnArrowClickIsSafe)
{
    fw::CustomControl host;
    TILScrollControl* owned = OwnedControlWithContent(host, 300);
    int asked = 0;
    owned->SetOnCanScroll([&](TILScrollControl* sender, int&) {
        ++asked;
        delete sender;
    });
    fw::TestDriver driver(host);
    driver.ClickOn(owned->RightArrow());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(host.ControlCount(), 0);
    driver.Advance(2000);
}

TEST_F(ScrollControlTest, FreeingTheControlFromARepeatTickIsSafe)
{
    fw::CustomControl host;
    TILScrollControl* owned = OwnedControlWithContent(host, 1000);
    int steps = 0;
    owned->SetOnCanScroll([&](TILScrollControl* sender, int&) {
        if (++steps == 2) {
            delete sender;
        }
    });
    fw::TestDriver driver(host);
    const fw::Point arrow = driver.CentreOf(owned->RightArrow());
    driver.Press(arrow);
    driver.Advance(1000);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(host.ControlCount(), 0);
    driver.Release(arrow);
    driver.Advance(1000);
    EXPECT_EQ(steps, 2);
}

} // namespace
