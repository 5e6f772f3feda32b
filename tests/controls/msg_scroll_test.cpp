#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/msg_scroll.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/timer.h"

namespace {

constexpr int CharWidth = fw::FakePaintBackend::CharWidth;
constexpr int LineHeight = fw::FakePaintBackend::LineHeight;
constexpr fw::Color Sand = 0x80C0E0;
constexpr fw::Color Fuchsia = 0xFF00FF;
constexpr fw::Color Blue = 0xFF0000;

fw::Bitmap Filled(int width, int height, fw::Color colour)
{
    fw::Bitmap picture(width, height);
    picture.FillRect(picture.Bounds(), colour);
    return picture;
}

class MsgScrollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::SetDefaultPaintBackend(&backend_);
        host_ = std::make_unique<fw::CustomControl>();
        host_->SetBounds(0, 0, 200, 200);
        scroll_ = new TILMsgScroll(host_.get());
        scroll_->SetParent(host_.get());
        scroll_->SetBackground(Filled(100, 60, Sand));
        driver_ = std::make_unique<fw::TestDriver>(*host_);
    }
    void TearDown() override
    {
        driver_.reset();
        host_.reset();
        fw::SetDefaultPaintBackend(nullptr);
    }

    TILMsgScrollItem* AddText(const std::string& text, int bottomSpace = 0,
                              TILMsgScrollAlign align = TILMsgScrollAlign::Centre, int margin = 0)
    {
        TILMsgScrollItem* item = scroll_->Items().Add();
        item->SetText(text);
        item->SetBottomSpace(bottomSpace);
        item->SetHorzAlign(align);
        item->SetHorzMargin(margin);
        return item;
    }

    std::vector<int> Ys() const
    {
        std::vector<int> ys;
        for (int i = 0; i < scroll_->Items().Count(); ++i) {
            ys.push_back(scroll_->Items().GetItem(i)->Y());
        }
        return ys;
    }

    fw::FakePaintBackend backend_;
    std::unique_ptr<fw::CustomControl> host_;
    TILMsgScroll* scroll_ = nullptr;
    std::unique_ptr<fw::TestDriver> driver_;
};

} // namespace

TEST_F(MsgScrollTest, TheBackgroundSizesTheControlAndStartsTheScrollBelowIt)
{
    EXPECT_EQ(scroll_->Width(), 100);
    EXPECT_EQ(scroll_->Height(), 60);
    EXPECT_EQ(scroll_->ScrollPosition(), 60);
    EXPECT_EQ(scroll_->ScrollSpeed(), 200);
    EXPECT_EQ(scroll_->ScrollJump(), 2);
    EXPECT_EQ(scroll_->Color(), fw::clNone);
    EXPECT_TRUE(scroll_->OffScreen().SamePixels(scroll_->Background()));
    scroll_->SetSizeToBackground(false);
    scroll_->SetBounds(0, 0, 120, 90);
    scroll_->SetBackground(Filled(50, 20, Sand));
    EXPECT_EQ(scroll_->Width(), 120) << "keeps its size";
    scroll_->SetSizeToBackground(true);
    EXPECT_EQ(scroll_->Width(), 50);
    EXPECT_EQ(scroll_->Height(), 20);
}

TEST_F(MsgScrollTest, LayoutPlacesTheEnabledItemsDownwardsByTheirAlignment)
{
    AddText("abcd", 5);                                // 24 wide: centred at 38
    AddText("left", 2, TILMsgScrollAlign::Left, 7);    // at the margin
    AddText("xy", 0, TILMsgScrollAlign::Right, 10);    // 100 - 10 - 12
    TILMsgScrollItem* off = AddText("skipped", 100);
    off->SetEnabled(false);
    TILMsgScrollItem* picture = scroll_->Items().Add();
    picture->SetScrollType(TILMsgScrollType::tmsScrollImage);
    picture->SetImage(Filled(9, 4, Blue));
    EXPECT_EQ(picture->DisplayName(), "[Image]");
    EXPECT_EQ(off->DisplayName(), "skipped");

    scroll_->StartScroll(10);
    EXPECT_TRUE(scroll_->Scrolling());
    EXPECT_EQ(scroll_->Items().GetItem(0)->X(), (100 - 4 * CharWidth) / 2);
    EXPECT_EQ(scroll_->Items().GetItem(1)->X(), 7);
    EXPECT_EQ(scroll_->Items().GetItem(2)->X(), 100 - 10 - 2 * CharWidth);
    EXPECT_EQ(picture->X(), (100 - 9) / 2);
    EXPECT_EQ(picture->Width(), 9);
    EXPECT_EQ(picture->Height(), 4);
    const int second = 10 + LineHeight + 5;
    const int third = second + LineHeight + 2;
    EXPECT_EQ(Ys(), (std::vector<int>{10, second, third, 0, third + LineHeight}))
        << "the disabled item takes no place";

    // Scrolling already: a new start changes nothing.
    scroll_->StartScroll(40);
    EXPECT_EQ(Ys()[0], 10);
    EXPECT_EQ(scroll_->ScrollPosition(), 10);
}

TEST_F(MsgScrollTest, EachTickMovesEveryItemUpAndTheLastOneLeavingStartsAllAgainFromTheBottom)
{
    scroll_->SetScrollSpeed(60);
    scroll_->SetScrollJump(3);
    AddText("one", 4);
    TILMsgScrollItem* off = AddText("off");
    off->SetEnabled(false);
    AddText("two");
    scroll_->StartScroll(0);
    const std::vector<int> start = Ys();
    EXPECT_EQ(start, (std::vector<int>{0, 0, LineHeight + 4}));

    driver_->Advance(59);
    EXPECT_EQ(Ys(), start) << "not yet due";
    driver_->Advance(1);
    EXPECT_EQ(Ys(), (std::vector<int>{-3, -3, LineHeight + 1})) << "the disabled one moves too";
    EXPECT_EQ(scroll_->ScrollPosition(), 0) << "the first item's place before the move";
    EXPECT_TRUE(scroll_->Scrolling());

    // "two" starts at 17 and moves 3 a tick: after ten ticks its bottom row is at 0, still in.
    driver_->Advance(9 * 60);
    EXPECT_EQ(Ys()[2] + LineHeight, 0);
    // The eleventh tick moves it out, and everything is placed again below the bottom edge
    // (the disabled item with the height of its last layout, none).
    driver_->Advance(60);
    EXPECT_EQ(Ys(), (std::vector<int>{60, 60 + LineHeight + 4, 60 + LineHeight + 4}));
    driver_->Advance(60);
    EXPECT_EQ(Ys(), (std::vector<int>{57, 57 + LineHeight + 4, 57 + LineHeight + 4}));
}

TEST_F(MsgScrollTest, DrawingShowsOnlyWhatIsInsideAndAPictureLetsTheBackgroundThroughItsTransparentColour)
{
    fw::Bitmap picture = Filled(10, 6, Blue);
    picture.FillRect(fw::Rect{0, 0, 5, 6}, Fuchsia);
    TILMsgScrollItem* item = scroll_->Items().Add();
    item->SetScrollType(TILMsgScrollType::tmsScrollImage);
    item->SetImage(picture);
    item->SetTransparentColour(Fuchsia);
    EXPECT_EQ(item->Mask().Pixel(0, 0), fw::Bitmap::White);
    EXPECT_EQ(item->Mask().Pixel(7, 0), fw::Bitmap::Black);
    EXPECT_EQ(item->MaskedImage().Pixel(0, 0), fw::Bitmap::Black);
    scroll_->SetScrollJump(0);
    scroll_->StartScroll(20);
    driver_->Advance(200);
    const fw::Bitmap& shown = scroll_->OffScreen();
    const int left = (100 - 10) / 2;
    EXPECT_EQ(shown.Pixel(left + 1, 22), Sand) << "the fuchsia half shows the background";
    EXPECT_EQ(shown.Pixel(left + 7, 22), Blue);
    EXPECT_EQ(shown.Pixel(left - 1, 22), Sand);
    scroll_->Repaint();
    EXPECT_EQ(fw::RenderToBitmap(*scroll_).Pixel(left + 7, 22), Blue);

    // Below the control's bottom an item is not drawn.
    item->SetTransparentColour(0);
    scroll_->StopScroll();
    scroll_->StartScroll(60);
    driver_->Advance(200);
    EXPECT_TRUE(scroll_->OffScreen().SamePixels(scroll_->Background()));
}

TEST_F(MsgScrollTest, WithoutItemsATickOnlyRedrawsTheBackground)
{
    scroll_->StartScroll(5);
    driver_->Advance(200);
    EXPECT_TRUE(scroll_->OffScreen().SamePixels(scroll_->Background()));
    EXPECT_EQ(scroll_->ScrollPosition(), 5);
    EXPECT_TRUE(scroll_->Scrolling());
}

TEST_F(MsgScrollTest, OnScrollAndStopScrollEndTheScrollAndItResumesWhereItStopped)
{
    AddText("one");
    int asked = 0;
    scroll_->SetOnScroll([&](TILMsgScroll*) { return ++asked < 3; });
    scroll_->StartScroll(30);
    driver_->Advance(1000);
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(scroll_->Scrolling());
    EXPECT_EQ(Ys()[0], 30 - 3 * 2);

    scroll_->SetOnScroll({});
    scroll_->StartScroll();
    EXPECT_EQ(Ys()[0], 30 - 2 * 2) << "resumes from the kept position";
    driver_->Advance(200);
    scroll_->StopScroll();
    driver_->Advance(1000);
    EXPECT_EQ(Ys()[0], 30 - 3 * 2);

    scroll_->StartScroll();
    EXPECT_GT(fw::App().GetClock().RunningTimerCount(), 0);
    delete scroll_;
    EXPECT_EQ(fw::App().GetClock().RunningTimerCount(), 0) << "freeing stops the timer";
}

TEST_F(MsgScrollTest, ItemsCopyTheirSettings)
{
    TILMsgScrollItem* first = AddText("credit", 7, TILMsgScrollAlign::Right, 3);
    fw::Font bold;
    bold.Style.Bold = true;
    first->SetFont(bold);
    first->SetImage(Filled(2, 2, Fuchsia));
    first->SetTransparentColour(Fuchsia);
    TILMsgScrollItemCollection copy;
    copy.Assign(scroll_->Items());
    ASSERT_EQ(copy.Count(), 1);
    const TILMsgScrollItem& second = *copy.GetItem(0);
    EXPECT_EQ(second.Text(), "credit");
    EXPECT_EQ(second.BottomSpace(), 7);
    EXPECT_EQ(second.HorzAlign(), TILMsgScrollAlign::Right);
    EXPECT_EQ(second.HorzMargin(), 3);
    EXPECT_TRUE(second.Font().Style.Bold);
    EXPECT_EQ(second.Mask().Pixel(0, 0), fw::Bitmap::White);
    EXPECT_EQ(copy.GetItem(1), nullptr);
    EXPECT_EQ(copy.GetItem(-1), nullptr);
}
