#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/gui/form.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

// A form with a control bar 40 pixels below its top (so the pointer can go above it) and
// four bands of 60 x 22 placed by code.
class BarForm : public Form {
public:
    BarForm()
    {
        SetBounds(0, 0, 400, 300);
        bar = new ControlBar(this);
        bar->SetParent(this);
        bar->SetBounds(0, 40, 300, 50);
        bar->SetAutoSize(true);
        const std::vector<Point> places{{11, 2}, {80, 2}, {0, 30}, {20, 200}};
        for (const Point place : places) {
            auto* band = new Panel(this);
            band->SetParent(bar);
            band->SetBounds(place.X, place.Y, 60, 22);
            bands.push_back(band);
        }
        FinishLoading();
    }
    ControlBar* bar;
    std::vector<Panel*> bands;
};

class ControlBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearPostedMessages();
        form = std::make_unique<BarForm>();
        form->Show();
        driver = std::make_unique<TestDriver>(*form);
    }
    void TearDown() override
    {
        driver.reset();
        form.reset();
    }
    Panel& Band(int i) { return *form->bands[static_cast<std::size_t>(i)]; }
    ControlBar& Bar() { return *form->bar; }
    // The middle of a band's grabber, in the form.
    Point GrabberOf(int i)
    {
        const Rect band = Bar().BandRect(&Band(i));
        return driver->PointOf(Bar(), Point{band.Left + 5, band.Top + band.Height() / 2});
    }

    std::unique_ptr<BarForm> form;
    std::unique_ptr<TestDriver> driver;
};

} // namespace

TEST_F(ControlBarTest, BandsFillRowsByTheirPlacesAndTheBarFitsTheRows)
{
    EXPECT_EQ(Bar().RowCount(), 3) << "the empty rows between close up";
    EXPECT_EQ(Bar().RowControls(0), (std::vector<Control*>{&Band(0), &Band(1)}));
    EXPECT_EQ(Bar().RowOf(&Band(2)), 1);
    EXPECT_EQ(Bar().RowOf(&Band(3)), 2);
    EXPECT_EQ(Bar().Height(), 3 * 26);
    // The control sits right of the grabber, centred in its row.
    EXPECT_EQ(Band(0).BoundsRect(), (Rect{11, 2, 71, 24}));
    EXPECT_EQ(Bar().BandRect(&Band(0)), (Rect{0, 0, 73, 26}));
    EXPECT_EQ(Band(2).BoundsRect(), (Rect{11, 28, 71, 50})) << "a band never starts left of the bar";
    EXPECT_EQ(Bar().RowOf(&Band(0)), 0);

    // A band placed over another is pushed right of it.
    Band(1).SetLeft(40);
    Bar().ArrangeBands();
    EXPECT_EQ(Band(1).Left(), 73 + ControlBar::GrabberWidth);
    // It goes back to its spot when there is room, and is pushed again when there is not.
    Band(0).Hide();
    Bar().ArrangeBands();
    EXPECT_EQ(Band(1).Left(), 40);
    Band(0).Show();
    Bar().ArrangeBands();
    EXPECT_EQ(Band(1).Left(), 73 + ControlBar::GrabberWidth);
    EXPECT_EQ(Band(0).Left(), 11);

    // Rows of another size keep their bands.
    Bar().SetRowSize(30);
    EXPECT_EQ(Bar().Height(), 90);
    EXPECT_EQ(Band(3).Top(), 64);
    EXPECT_EQ(Bar().RowOf(&Band(3)), 2);

    // A hidden control is no band: its row goes.
    Band(2).Hide();
    Bar().ArrangeBands();
    EXPECT_EQ(Bar().RowCount(), 2);
    EXPECT_EQ(Bar().RowOf(&Band(2)), -1);
    EXPECT_EQ(Bar().RowOf(&Band(3)), 1);
    EXPECT_EQ(Bar().Height(), 60);
}

TEST_F(ControlBarTest, DraggingAGrabberMovesTheBandAlongAndAcrossRows)
{
    // The second band wants x = 69 but sits pushed against the first one's end.
    EXPECT_EQ(Band(1).Left(), 73 + ControlBar::GrabberWidth);
    const Point grab = GrabberOf(1);
    driver->DragMouse(grab, Point{grab.X + 50, grab.Y}, 10);
    EXPECT_EQ(Band(1).Left(), 84 + 50);
    EXPECT_EQ(Bar().RowOf(&Band(1)), 0);

    // Below the last row it starts a row of its own.
    const Point first = GrabberOf(0);
    driver->DragMouse(first, Point{first.X, 40 + 3 * 26 + 10}, 4);
    EXPECT_EQ(Bar().RowCount(), 4);
    EXPECT_EQ(Bar().RowOf(&Band(0)), 3);
    EXPECT_EQ(Bar().Height(), 4 * 26);

    // Above the first one as well; rows left empty close up.
    const Point last = GrabberOf(3);
    driver->DragMouse(last, Point{last.X, 35}, 4);
    EXPECT_EQ(Bar().RowOf(&Band(3)), 0);
    EXPECT_EQ(Bar().RowControls(1), (std::vector<Control*>{&Band(1)}));
    EXPECT_EQ(Bar().RowCount(), 4);

    // Only the grabber takes a band along.
    const Point inside = driver->CentreOf(Band(1));
    const Rect before = Band(1).BoundsRect();
    driver->DragMouse(inside, Point{inside.X + 30, inside.Y}, 10);
    EXPECT_EQ(Band(1).BoundsRect(), before);
}

TEST_F(ControlBarTest, TheBarPaintsARaisedFrameAndGripPerBand)
{
    const Bitmap picture = RenderToBitmap(Bar());
    const Rect band = Bar().BandRect(&Band(0));
    EXPECT_EQ(picture.Pixel(band.Left, band.Top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(band.Right - 1, band.Bottom - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(band.Left + 3, band.Top + 5), ColorToRGB(clBtnHighlight)) << "the grip's ridge";
    EXPECT_EQ(picture.Pixel(band.Left + 5, band.Top + 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(299, Bar().Height() - 1), ColorToRGB(clBtnFace)) << "no band there";
}
