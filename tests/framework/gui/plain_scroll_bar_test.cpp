#include <gtest/gtest.h>

#include "framework/core/canvas.h"
#include "framework/core/system_colours.h"
#include "framework/gui/plain_scroll_bar.h"

using namespace fw;

namespace {

// A vertical bar 100 high: arrows [0, 16) and [84, 100), a track of 68 between them.
PlainScrollBar VerticalBar(int total, int page)
{
    PlainScrollBar bar(ScrollBarKind::Vertical);
    bar.SetBounds(Rect{0, 0, 16, 100});
    bar.SetRange(total, page);
    return bar;
}

int CountColour(const Bitmap& picture, const Rect& rect, Color colour)
{
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            count += picture.Pixel(x, y) == ColorToRGB(colour) ? 1 : 0;
        }
    }
    return count;
}

} // namespace

TEST(PlainScrollBar, TheThumbShowsTheVisiblePartAndItsPlace)
{
    PlainScrollBar bar = VerticalBar(20, 5);
    EXPECT_EQ(bar.TrackRect(), (Rect{0, 16, 16, 84}));
    EXPECT_EQ(bar.ThumbRect(), (Rect{0, 16, 16, 33})) << "68 x 5 / 20 = 17 long, at the top";
    EXPECT_TRUE(bar.SetPosition(99));
    EXPECT_EQ(bar.Position(), 15) << "no further than the whole less the page";
    EXPECT_FALSE(bar.SetPosition(15));
    EXPECT_EQ(bar.ThumbRect().Bottom, 84);
    bar.SetPosition(5);
    EXPECT_EQ(bar.ThumbRect().Top, 16 + 51 * 5 / 15);

    bar.SetRange(10, 5);
    EXPECT_EQ(bar.Position(), 5) << "a shorter range takes the position back";

    bar.SetRange(100000, 1);
    EXPECT_EQ(bar.ThumbRect().Height(), PlainScrollBar::MinThumbLength);

    bar.SetRange(4, 10);
    EXPECT_FALSE(bar.CanScroll());
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_TRUE(bar.ThumbRect().IsEmpty());
}

TEST(PlainScrollBar, PressesHitArrowsTrackAndThumb)
{
    PlainScrollBar bar = VerticalBar(20, 5);
    bar.SetPosition(6);
    const Rect thumb = bar.ThumbRect();
    EXPECT_EQ(bar.PartAt(Point{8, 3}), ScrollBarPart::LineBack);
    EXPECT_EQ(bar.PartAt(Point{8, 97}), ScrollBarPart::LineForward);
    EXPECT_EQ(bar.PartAt(Point{8, thumb.Top}), ScrollBarPart::Thumb);
    EXPECT_EQ(bar.PartAt(Point{8, thumb.Top - 1}), ScrollBarPart::PageBack);
    EXPECT_EQ(bar.PartAt(Point{8, thumb.Bottom}), ScrollBarPart::PageForward);
    EXPECT_EQ(bar.PartAt(Point{16, 50}), ScrollBarPart::None);
    EXPECT_TRUE(bar.Contains(Point{15, 99}));
    EXPECT_FALSE(bar.Contains(Point{8, 100}));

    // Too short for a track: the two arrows share the length.
    PlainScrollBar stub(ScrollBarKind::Horizontal);
    stub.SetBounds(Rect{0, 0, 20, 16});
    stub.SetRange(20, 5);
    EXPECT_EQ(stub.ArrowRect(true), (Rect{0, 0, 10, 16}));
    EXPECT_EQ(stub.ArrowRect(false), (Rect{10, 0, 20, 16}));
    EXPECT_TRUE(stub.ThumbRect().IsEmpty());
    EXPECT_EQ(stub.PartAt(Point{12, 5}), ScrollBarPart::LineForward);
}

TEST(PlainScrollBar, AThumbDragFollowsThePointerWithinTheRange)
{
    PlainScrollBar bar = VerticalBar(20, 5);
    for (int position = 0; position <= bar.MaxPosition(); ++position) {
        bar.SetPosition(position);
        const int grab = bar.ThumbRect().Top + 4;
        bar.BeginThumbDrag(Point{8, grab});
        EXPECT_EQ(bar.ThumbDragPosition(Point{8, grab}), position) << "a thumb left in place keeps its position";
    }
    bar.SetPosition(0);
    bar.BeginThumbDrag(Point{8, 20});
    EXPECT_EQ(bar.ThumbDragPosition(Point{8, 20 + 51}), 15) << "the whole room is the whole range";
    EXPECT_EQ(bar.ThumbDragPosition(Point{8, 500}), 15);
    EXPECT_EQ(bar.ThumbDragPosition(Point{8, -50}), 0);
}

TEST(PlainScrollBar, PaintsRaisedButtonsAndLooksDisabledWithNothingToScroll)
{
    Bitmap picture(16, 100);
    Canvas canvas(picture);
    PlainScrollBar bar = VerticalBar(20, 5);
    bar.Paint(canvas, true);
    const Rect thumb = bar.ThumbRect();
    EXPECT_EQ(picture.Pixel(4, thumb.Top + 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(4, thumb.Bottom + 4), ColorToRGB(clScrollBar));
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(picture.Pixel(15, 15), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(CountColour(picture, bar.ArrowRect(true), clBlack), 16) << "the 7 x 4 arrow";
    EXPECT_EQ(CountColour(picture, bar.ArrowRect(false), clBlack), 16);

    bar.SetRange(5, 20);
    bar.Paint(canvas, true);
    EXPECT_EQ(picture.Pixel(4, thumb.Top + 4), ColorToRGB(clScrollBar)) << "no thumb";
    EXPECT_EQ(CountColour(picture, bar.ArrowRect(true), clBlack), 0) << "etched arrows";
    EXPECT_GT(CountColour(picture, bar.ArrowRect(true), clBtnShadow), 0);
}
