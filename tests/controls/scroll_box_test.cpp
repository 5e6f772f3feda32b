#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/control_library.h"
#include "controls/control_messages.h"
#include "controls/scroll_box.h"
#include "framework/core/named_images.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/menu.h"
#include "framework/gui/test_driver.h"

namespace {

class ScrollBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend);
        box = std::make_unique<TILScrollBox>();
        box->SetBounds(0, 0, 100, 80);
    }
    void TearDown() override
    {
        box.reset();
        fw::ClearPostedMessages();
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
    }

    fw::CustomControl* AddChild(int left, int top, int width, int height)
    {
        auto* child = new fw::CustomControl(&box->BackgroundPanel());
        child->SetBounds(left, top, width, height);
        child->SetParent(&box->BackgroundPanel());
        return child;
    }

    fw::FakePaintBackend backend;
    std::unique_ptr<TILScrollBox> box;
};

// --- Parts and bars by need ------------------------------------------------------------------------

TEST_F(ScrollBoxTest, EmptyBoxIsAllBackground)
{
    TILScrollboxBackground& background = box->BackgroundPanel();
    EXPECT_EQ(background.Parent(), box.get());
    EXPECT_EQ(background.BoundsRect(), (fw::Rect{0, 0, 100, 80}));
    EXPECT_EQ(background.DrawData().BevelOuter(), TBevelCut::None);
    EXPECT_EQ(background.DrawData().BevelInner(), TBevelCut::None);
    EXPECT_FALSE(box->HorzBar().Visible());
    EXPECT_FALSE(box->VertBar().Visible());
    EXPECT_FALSE(box->HorzBarNeeded());
    EXPECT_TRUE(box->Options().Contains(TILScrollBoxOption::AutoRange));

    EXPECT_EQ(box->HorzBar().Kind(), TScrollBarKind::Horizontal);
    EXPECT_EQ(box->VertBar().Kind(), TScrollBarKind::Vertical);
    EXPECT_EQ(box->HorzBar().LargeChange(), 32);
    EXPECT_EQ(box->HorzBar().SmallChange(), 8);
    EXPECT_EQ(box->VertBar().LargeChange(), 64);
    EXPECT_EQ(box->VertBar().SmallChange(), 16);
    // An empty box still spans its own area.
    EXPECT_EQ(box->HorzBar().Minimum(), 0);
    EXPECT_EQ(box->HorzBar().Maximum(), 99);
    EXPECT_EQ(box->VertBar().Maximum(), 79);
    EXPECT_EQ(box->HorzBar().Position(), 0);

    // A new size is laid out at once.
    box->SetBounds(0, 0, 200, 120);
    EXPECT_EQ(background.BoundsRect(), (fw::Rect{0, 0, 200, 120}));
    EXPECT_EQ(box->HorzBar().Maximum(), 199);
}

TEST_F(ScrollBoxTest, WideContentShowsOnlyTheHorizontalBar)
{
    int horzNews = 0;
    int vertNews = 0;
    box->SetOnSetHorzRange([&](fw::Object* sender) {
        EXPECT_EQ(sender, box.get());
        ++horzNews;
    });
    box->SetOnSetVertRange([&](fw::Object*) { ++vertNews; });
    AddChild(0, 0, 150, 10);

    EXPECT_TRUE(box->HorzBar().Visible());
    EXPECT_FALSE(box->VertBar().Visible());
    const int barHeight = box->HorzBar().Height();
    EXPECT_EQ(box->BackgroundPanel().BoundsRect(), (fw::Rect{0, 0, 100, 80 - barHeight}));
    EXPECT_EQ(box->HorzBar().BoundsRect(), (fw::Rect{0, 80 - barHeight, 100, 80}));
    EXPECT_EQ(box->HorzBar().Maximum(), 149);
    EXPECT_EQ(box->HorzBar().Slider().Range(), 100);
    EXPECT_EQ(box->VertBar().Maximum(), 80 - barHeight - 1);
    EXPECT_EQ(horzNews, 1);
    EXPECT_EQ(vertNews, 0);
}

TEST_F(ScrollBoxTest, TallAndWideContentShowsBothBars)
{
    AddChild(0, 0, 150, 150);
    const int barHeight = box->HorzBar().Height();
    const int barWidth = box->VertBar().Width();
    EXPECT_TRUE(box->HorzBar().Visible());
    EXPECT_TRUE(box->VertBar().Visible());
    EXPECT_EQ(box->BackgroundPanel().BoundsRect(), (fw::Rect{0, 0, 100 - barWidth, 80 - barHeight}));
    EXPECT_EQ(box->HorzBar().BoundsRect(), (fw::Rect{0, 80 - barHeight, 100 - barWidth, 80}));
    EXPECT_EQ(box->VertBar().BoundsRect(), (fw::Rect{100 - barWidth, 0, 100, 80 - barHeight}));
    EXPECT_EQ(box->HorzBar().Slider().Range(), 100 - barWidth);
    EXPECT_EQ(box->VertBar().Slider().Range(), 80 - barHeight);
}

TEST_F(ScrollBoxTest, OneBarCanMakeTheOtherNeeded)
{
    // 70 pixels fit in 80, but not in what the horizontal bar leaves.
    AddChild(0, 0, 120, 70);
    EXPECT_TRUE(box->HorzBarNeeded());
    EXPECT_TRUE(box->VertBarNeeded());

    // Content that fits shows no bar at all, also right at the edge.
    box->BackgroundPanel().Controls(0)->SetBounds(0, 0, 100, 80);
    box->UpdateLayout();
    EXPECT_FALSE(box->HorzBar().Visible());
    EXPECT_FALSE(box->VertBar().Visible());
    EXPECT_EQ(box->BackgroundPanel().BoundsRect(), (fw::Rect{0, 0, 100, 80}));
}

TEST_F(ScrollBoxTest, AChildFillingTheBackgroundFollowsItWhenBarsComeAndGo)
{
    fw::CustomControl* filling = AddChild(0, 0, 10, 10);
    filling->SetAlign(fw::Align::Client);
    fw::CustomControl* other = AddChild(0, 0, 10, 10);
    EXPECT_EQ(filling->BoundsRect(), (fw::Rect{0, 0, 100, 80}));
    // The background makes room for the bars while it places its children: the filling child
    // takes the smaller room, then the whole room again.
    other->SetBounds(0, 0, 150, 150);
    box->BackgroundPanel().Realign();
    ASSERT_TRUE(box->HorzBarNeeded());
    EXPECT_EQ(filling->BoundsRect(), box->BackgroundPanel().ClientRect());
    other->SetBounds(0, 0, 10, 10);
    box->BackgroundPanel().Realign();
    ASSERT_FALSE(box->HorzBarNeeded());
    EXPECT_EQ(filling->BoundsRect(), (fw::Rect{0, 0, 100, 80}));
}

TEST_F(ScrollBoxTest, BarNewsComesOnceTheLayoutHasSettled)
{
    std::vector<std::string> log;
    box->SetOnSetHorzRange([&](fw::Object*) { log.push_back(box->HorzBarNeeded() ? "horz on" : "horz off"); });
    box->SetOnSetVertRange([&](fw::Object*) { log.push_back(box->VertBarNeeded() ? "vert on" : "vert off"); });
    fw::CustomControl* child = AddChild(0, 0, 150, 10);
    EXPECT_EQ(log, (std::vector<std::string>{"horz on"}));
    delete child;
    EXPECT_EQ(log, (std::vector<std::string>{"horz on", "horz off"}));
}

// --- Range normalisation ---------------------------------------------------------------------------

TEST_F(ScrollBoxTest, ContentLeftOfTheOriginMovesTheOriginNotTheContent)
{
    fw::CustomControl* child = AddChild(-20, -5, 150, 10);
    EXPECT_EQ(box->HorzBar().Minimum(), 0);
    EXPECT_EQ(box->HorzBar().Maximum(), 149);
    EXPECT_EQ(box->HorzBar().Position(), 20);
    EXPECT_EQ(child->Left(), -20);
    // Vertically the content fits once the origin moved: the box shows it all.
    EXPECT_EQ(box->VertBar().Minimum(), 0);
    EXPECT_EQ(box->VertBar().Position(), 0);
    EXPECT_EQ(child->Top(), 0);
    EXPECT_FALSE(box->VertBar().Visible());

    std::vector<int> scrolled;
    box->SetOnScrollHorz([&](fw::Object*, int pixels) { scrolled.push_back(pixels); });
    box->HorzBar().SetPosition(0);
    EXPECT_EQ(child->Left(), 0);
    EXPECT_EQ(scrolled, (std::vector<int>{-20}));
}

TEST_F(ScrollBoxTest, ShrinkingRangeKeepsContentAndBarsInStep)
{
    fw::CustomControl* first = AddChild(0, 0, 150, 10);
    fw::CustomControl* second = AddChild(150, 0, 150, 10);
    box->HorzBar().SetPosition(200);
    EXPECT_EQ(first->Left(), -200);
    EXPECT_EQ(box->HorzBar().Position(), 200);

    // What is left lies wholly left of the view: the range keeps the view's start (200)
    // and the position falls back to the last one a page allows. The content follows the
    // position, so scrolling back to the start shows the content's start again.
    delete second;
    EXPECT_EQ(box->HorzBar().Maximum(), 200);
    EXPECT_EQ(box->HorzBar().Position(), 200 - 100 + 1);
    EXPECT_EQ(first->Left(), -101);
    box->HorzBar().SetPosition(0);
    EXPECT_EQ(first->Left(), 0);
}

TEST_F(ScrollBoxTest, ContentExtentIsNeverInsideTheOrigin)
{
    EXPECT_EQ(box->GetContentExtent(), (fw::Rect{0, 0, 0, 0}));
    box->SetOptions(TILScrollBoxOptions{});
    AddChild(10, 12, 5, 6);
    EXPECT_EQ(box->GetContentExtent(), (fw::Rect{0, 0, 14, 17}));
    AddChild(-5, 3, 10, 10);
    AddChild(20, -7, 5, 5);
    EXPECT_EQ(box->GetContentExtent(), (fw::Rect{-5, -7, 24, 17}));
}

TEST_F(ScrollBoxTest, WithoutAutoRangeTheRangeIsTheHosts)
{
    box->SetOptions(TILScrollBoxOptions{});
    AddChild(0, 0, 300, 10);
    EXPECT_EQ(box->HorzBar().Maximum(), 99);
    EXPECT_FALSE(box->HorzBar().Visible());

    box->HorzBar().SetMaximum(399);
    box->UpdateLayout();
    EXPECT_TRUE(box->HorzBar().Visible());
    EXPECT_EQ(box->HorzBar().Maximum(), 399);
}

// --- Scrolling ---------------------------------------------------------------------------------------

TEST_F(ScrollBoxTest, ScrollingMovesEveryChild)
{
    fw::CustomControl* a = AddChild(0, 0, 150, 150);
    fw::CustomControl* b = AddChild(30, 40, 10, 10);
    std::vector<int> horz;
    std::vector<int> vert;
    box->SetOnScrollHorz([&](fw::Object* sender, int pixels) {
        EXPECT_EQ(sender, box.get());
        horz.push_back(pixels);
    });
    box->SetOnScrollVert([&](fw::Object*, int pixels) { vert.push_back(pixels); });

    box->ScrollHorz(7);
    box->ScrollVert(-3);
    EXPECT_EQ(a->BoundsRect(), (fw::Rect{-7, 3, 143, 153}));
    EXPECT_EQ(b->BoundsRect(), (fw::Rect{23, 43, 33, 53}));
    EXPECT_EQ(horz, (std::vector<int>{7}));
    EXPECT_EQ(vert, (std::vector<int>{-3}));
}

TEST_F(ScrollBoxTest, BarArrowsScrollTheContent)
{
    fw::CustomControl* child = AddChild(0, 0, 300, 300);
    fw::TestDriver driver(*box);
    ASSERT_NE(box->HorzBar().RightDownButton(), nullptr);
    driver.ClickOn(*box->HorzBar().RightDownButton());
    EXPECT_EQ(box->HorzBar().Position(), 8);
    EXPECT_EQ(child->Left(), -8);
    driver.ClickOn(*box->VertBar().RightDownButton());
    EXPECT_EQ(child->Top(), -16);
}

TEST_F(ScrollBoxTest, FreeingTheBoxFromItsScrollEventIsSafe)
{
    fw::CustomControl host;
    host.SetBounds(0, 0, 200, 200);
    auto* owned = new TILScrollBox(&host);
    owned->SetParent(&host);
    owned->SetBounds(0, 0, 100, 80);
    auto* child = new fw::CustomControl(&owned->BackgroundPanel());
    child->SetParent(&owned->BackgroundPanel());
    child->SetBounds(0, 0, 300, 10);
    int scrolls = 0;
    owned->SetOnScrollHorz([&](fw::Object*, int) {
        ++scrolls;
        delete owned;
    });
    fw::TestDriver driver(host);
    driver.ClickOn(*owned->HorzBar().RightDownButton());
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(host.ControlCount(), 0);
    driver.Advance(1000);
}

// --- Messages, events, looks -----------------------------------------------------------------------

TEST_F(ScrollBoxTest, ABarChangingVisibilityAsksForALayoutLater)
{
    fw::ClearPostedMessages();
    AddChild(0, 0, 150, 10);
    EXPECT_GT(fw::PostedMessageCount(), 0u);
    EXPECT_GT(fw::ProcessPostedMessages(), 0);
    EXPECT_EQ(box->Perform(WM_ILSB_REALIGN), 1);

    // A bar hidden by hand is laid out of the way once the message arrives.
    box->HorzBar().SetVisible(false);
    EXPECT_EQ(box->BackgroundPanel().Height(), 80 - box->HorzBar().Height());
    fw::ProcessPostedMessages();
    EXPECT_TRUE(box->HorzBar().Visible());
}

TEST_F(ScrollBoxTest, EnablingReachesEveryPart)
{
    box->SetEnabled(false);
    EXPECT_FALSE(box->BackgroundPanel().Enabled());
    EXPECT_FALSE(box->HorzBar().Enabled());
    EXPECT_FALSE(box->VertBar().Enabled());
    box->SetEnabled(true);
    EXPECT_TRUE(box->BackgroundPanel().Enabled());
    EXPECT_TRUE(box->VertBar().Enabled());
}

TEST_F(ScrollBoxTest, BackgroundPaintsAreTheBoxs)
{
    int painted = 0;
    box->SetOnPaint([&](fw::Object* sender) {
        EXPECT_EQ(sender, box.get());
        ++painted;
    });
    box->BackgroundPanel().Repaint();
    EXPECT_EQ(painted, 1);

    fw::PaintPendingControls();
    TILBrush red;
    red.SetColour(0x0000FF);
    box->SetBackground(red);
    EXPECT_FALSE(box->InvalidRegion().IsEmpty());
    const fw::Bitmap picture = fw::RenderToBitmap(*box);
    EXPECT_EQ(picture.Pixel(50, 40), 0x0000FFu);
    EXPECT_GE(painted, 2);
}

TEST_F(ScrollBoxTest, CornerShowsTheLogo)
{
    AddChild(0, 0, 300, 300);
    const fw::Bitmap* logo = fw::FindNamedImage("ILSCROLLBOX_ILLOGO");
    ASSERT_NE(logo, nullptr);
    const fw::Bitmap picture = fw::RenderToBitmap(*box);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(picture.Pixel(84 + x, 64 + y), logo->Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ScrollBoxTest, BackgroundInputReachesTheBox)
{
    std::vector<fw::Point> downs;
    box->SetOnMouseDown([&](fw::Object* sender, fw::MouseButton, fw::ShiftState, int x, int y) {
        EXPECT_EQ(sender, box.get());
        downs.push_back(fw::Point{x, y});
    });
    int keys = 0;
    box->SetOnKeyDown([&](fw::Object*, int& key, fw::ShiftState) {
        EXPECT_EQ(key, fw::VK_SPACE);
        ++keys;
    });
    fw::TestDriver driver(*box);
    driver.Click(30, 20);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], (fw::Point{30, 20}));
    box->BackgroundPanel().Perform(fw::WM_KEYDOWN, fw::VK_SPACE, 0);
    EXPECT_EQ(keys, 1);
}

TEST_F(ScrollBoxTest, RightReleaseOverTheBackgroundPopsTheMenuUp)
{
    fw::PopupMenu menu;
    menu.SetAutoPopup(false);
    box->SetPopupMenu(&menu);
    std::vector<fw::Point> shown;
    const fw::PopupMenu::ScopedHandler handler(
        [&](fw::PopupMenu& popped, fw::Point at) {
            EXPECT_EQ(&popped, &menu);
            shown.push_back(at);
        });
    fw::TestDriver driver(*box);
    driver.Click(30, 20, fw::MouseButton::Right);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], box->ClientToScreen(fw::Point{30, 20}));
    EXPECT_EQ(menu.PopupComponent(), box.get());
}

} // namespace
