#include <gtest/gtest.h>

#include <memory>

#include "controls/control_library.h"
#include "controls/image_button.h"
#include "framework/core/exceptions.h"
#include "framework/core/named_images.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/test_driver.h"

namespace {

constexpr fw::Color Magenta = 0xFF00FF;
constexpr fw::Color Red = 0x0000FF;
constexpr fw::Color Blue = 0xFF0000;
constexpr fw::Color Green = 0x00FF00;
constexpr fw::Color Face = 0x123456;

fw::Bitmap Filled(int width, int height, fw::Color colour)
{
    fw::Bitmap picture(width, height);
    picture.FillRect(picture.Bounds(), colour);
    return picture;
}

// A 21 x 21 picture: magenta all round a 7 x 7 blue square in the middle (7..13).
fw::Bitmap Target()
{
    fw::Bitmap picture = Filled(21, 21, Magenta);
    picture.FillRect(fw::Rect{7, 7, 14, 14}, Blue);
    return picture;
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend);
        host = std::make_unique<fw::CustomControl>();
        host->SetBounds(0, 0, 120, 80);
        button = new TILButton(host.get());
        button->SetBounds(10, 10, 21, 21);
        button->SetOnClick([this](fw::Object*) { ++clicks; });
        button->SetOnRepeatDown([this](fw::Object*) { ++repeats; });
    }
    void TearDown() override
    {
        host.reset();
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
    }

    const fw::Bitmap& Painted()
    {
        button->Repaint();
        return button->BackingStore();
    }

    // Where a point of the button lies on the host.
    fw::Point At(int x, int y) const { return fw::Point{button->Left() + x, button->Top() + y}; }

    fw::FakePaintBackend backend;
    std::unique_ptr<fw::CustomControl> host;
    TILButton* button = nullptr;
    int clicks = 0;
    int repeats = 0;
};

// --- A new button --------------------------------------------------------------------------------

TEST_F(ImageButtonTest, NewButtonHasItsDefaults)
{
    TILButton fresh(host.get());
    EXPECT_EQ(fresh.Parent(), host.get());
    EXPECT_EQ(fresh.Width(), 21);
    EXPECT_EQ(fresh.Height(), 21);
    EXPECT_EQ(fresh.State(), TILButtonState::Inactive);
    EXPECT_TRUE(fresh.Framed());
    EXPECT_FALSE(fresh.AutoFrame());
    EXPECT_EQ(fresh.Brush().Colour(), fw::clBtnFace);
    EXPECT_EQ(fresh.Brush().Style(), fw::BrushStyle::Solid);
    EXPECT_EQ(fresh.Transparent(), fw::clNone);
    EXPECT_FALSE(fresh.ReactTransparent());
    EXPECT_FALSE(fresh.KeepDown());
    EXPECT_FALSE(fresh.AllowRepeat());
    EXPECT_EQ(fresh.RepeatInitial(), 500);
    EXPECT_EQ(fresh.RepeatInterval(), 200);
    EXPECT_EQ(fresh.ImgShiftDownX(), 1);
    EXPECT_EQ(fresh.ImgShiftDownY(), 1);
    EXPECT_EQ(fresh.HorzMargin(), 2);
    EXPECT_TRUE(fresh.WrapCaption());
    EXPECT_FALSE(fresh.ControlStyle().Contains(fw::ControlStyleFlag::DoubleClicks));
    EXPECT_FALSE(fresh.ControlStyle().Contains(fw::ControlStyleFlag::Opaque));

    TILButton orphan;
    EXPECT_EQ(orphan.Parent(), nullptr);
}

// --- Pictures ------------------------------------------------------------------------------------

TEST_F(ImageButtonTest, EmptyPicturesFallBackToTheirNeighbours)
{
    EXPECT_EQ(button->ImageForState(TILButtonState::Inactive), nullptr);

    button->SetImageInactive(Filled(3, 3, Red));
    for (const auto state : {TILButtonState::Inactive, TILButtonState::Active, TILButtonState::Down,
                             TILButtonState::Disabled, TILButtonState::Repeat}) {
        EXPECT_EQ(button->ImageForState(state), &button->ImageInactive());
    }

    button->SetImageActive(Filled(3, 3, Green));
    EXPECT_EQ(button->ImageForState(TILButtonState::Active), &button->ImageActive());
    EXPECT_EQ(button->ImageForState(TILButtonState::Down), &button->ImageActive());
    EXPECT_EQ(button->ImageForState(TILButtonState::Repeat), &button->ImageActive());
    EXPECT_EQ(button->ImageForState(TILButtonState::Disabled), &button->ImageInactive());

    button->SetImageDown(Filled(3, 3, Blue));
    EXPECT_EQ(button->ImageForState(TILButtonState::Repeat), &button->ImageDown());
    button->SetImageDisabled(Filled(3, 3, Blue));
    EXPECT_EQ(button->ImageForState(TILButtonState::Disabled), &button->ImageDisabled());

    // Without an inactive picture the inactive state borrows the active one.
    button->SetImageInactive(fw::Bitmap());
    EXPECT_EQ(button->ImageForState(TILButtonState::Inactive), &button->ImageActive());
}

TEST_F(ImageButtonTest, OnlyPictureIsCentredAndShiftsWhilePressed)
{
    button->Brush().SetColour(Face);
    button->SetFramed(false);
    button->SetImageInactive(Filled(5, 5, Red));

    const fw::Bitmap& rest = Painted();
    EXPECT_EQ(button->ShownImageOrigin(), (fw::Point{8, 8}));
    EXPECT_EQ(rest.Pixel(8, 8), Red);
    EXPECT_EQ(rest.Pixel(12, 12), Red);
    EXPECT_EQ(rest.Pixel(13, 13), Face);
    EXPECT_EQ(rest.Pixel(7, 7), Face);

    button->SetState(TILButtonState::Down);
    const fw::Bitmap& down = Painted();
    EXPECT_EQ(button->ShownImage(), &button->ImageInactive());
    EXPECT_EQ(button->ShownImageOrigin(), (fw::Point{9, 9}));
    EXPECT_EQ(down.Pixel(8, 8), Face);
    EXPECT_EQ(down.Pixel(13, 13), Red);

    button->SetState(TILButtonState::Repeat);
    Painted();
    EXPECT_EQ(button->ShownImageOrigin(), (fw::Point{9, 9}));
}

TEST_F(ImageButtonTest, TransparentColourLeavesTheFaceShowing)
{
    button->SetFramed(false);
    button->SetImageInactive(Target());
    EXPECT_EQ(Painted().Pixel(2, 2), Magenta);

    button->SetTransparent(Magenta);
    const fw::Bitmap& keyed = Painted();
    EXPECT_EQ(keyed.Pixel(2, 2), fw::ColorToRGB(fw::clBtnFace));
    EXPECT_EQ(keyed.Pixel(10, 10), Blue);
}

TEST_F(ImageButtonTest, FrameIsRaisedAtRestAndSunkenWhenDown)
{
    const fw::Color light = fw::ColorToRGB(fw::clBtnHighlight);
    const fw::Color shadow = fw::ColorToRGB(fw::clBtnShadow);
    EXPECT_EQ(Painted().Pixel(0, 0), light);
    EXPECT_EQ(Painted().Pixel(20, 20), shadow);

    button->SetState(TILButtonState::Down);
    EXPECT_EQ(Painted().Pixel(0, 0), shadow);
    EXPECT_EQ(Painted().Pixel(20, 20), light);

    // An automatic frame shows only while the mouse is over the button or it is down.
    button->SetFramed(false);
    button->SetAutoFrame(true);
    button->SetState(TILButtonState::Inactive);
    EXPECT_EQ(Painted().Pixel(0, 0), fw::ColorToRGB(fw::clBtnFace));
    button->SetState(TILButtonState::Active);
    EXPECT_EQ(Painted().Pixel(0, 0), light);
}

TEST_F(ImageButtonTest, DisabledButtonShowsItsDisabledPictureAndEmbossedCaption)
{
    button->SetFramed(false);
    button->SetImageInactive(Filled(3, 3, Red));
    button->SetCaption("A");

    // Enabled: the caption in the font colour, nothing light.
    const fw::Bitmap& enabled = Painted();
    int light = 0;
    int dark = 0;
    int ink = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            light += enabled.Pixel(x, y) == fw::ColorToRGB(fw::clBtnHighlight) ? 1 : 0;
            ink += enabled.Pixel(x, y) == fw::ColorToRGB(fw::clWindowText) ? 1 : 0;
        }
    }
    EXPECT_EQ(light, 0);
    EXPECT_EQ(ink, 5 * 9);

    button->SetEnabled(false);
    EXPECT_EQ(button->State(), TILButtonState::Disabled);
    EXPECT_EQ(button->ImageForState(button->State()), &button->ImageInactive());
    button->SetImageDisabled(Filled(3, 3, Green));
    const fw::Bitmap& disabled = Painted();
    EXPECT_EQ(button->ShownImage(), &button->ImageDisabled());

    // The shadow-coloured glyph box with its light copy one pixel down and right showing
    // along its right and bottom edges.
    fw::Rect box{100, 100, -1, -1};
    light = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            if (disabled.Pixel(x, y) == fw::ColorToRGB(fw::clBtnShadow)) {
                ++dark;
                box = fw::Rect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                               std::max(box.Bottom, y + 1)};
            }
            light += disabled.Pixel(x, y) == fw::ColorToRGB(fw::clBtnHighlight) ? 1 : 0;
        }
    }
    EXPECT_EQ(dark, 5 * 9);
    EXPECT_EQ(light, 9 + 5 - 1);
    EXPECT_EQ(disabled.Pixel(box.Right, box.Bottom), fw::ColorToRGB(fw::clBtnHighlight));
    EXPECT_EQ(disabled.Pixel(box.Left + 1, box.Bottom), fw::ColorToRGB(fw::clBtnHighlight));
    EXPECT_NE(disabled.Pixel(box.Left, box.Bottom), fw::ColorToRGB(fw::clBtnHighlight));

    // A disabled button stays disabled whatever state is asked for.
    button->SetState(TILButtonState::Down);
    EXPECT_EQ(button->State(), TILButtonState::Disabled);
    button->SetEnabled(true);
    EXPECT_EQ(button->State(), TILButtonState::Inactive);
}

// --- Hits ------------------------------------------------------------------------------------

TEST_F(ImageButtonTest, TransparentPixelsDoNotReact)
{
    button->SetImageInactive(Target());
    button->SetTransparent(Magenta);
    fw::TestDriver driver(*host);
    // What reacts is what the last paint showed.
    driver.Settle();

    EXPECT_FALSE(button->HitTest(2, 2));
    EXPECT_TRUE(button->HitTest(10, 10));
    driver.Click(At(2, 2));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->State(), TILButtonState::Inactive);

    driver.Press(At(10, 10));
    EXPECT_EQ(button->State(), TILButtonState::Down);
    driver.Release(At(10, 10));
    EXPECT_EQ(clicks, 1);

    // Released over a transparent pixel, the press comes to nothing.
    driver.Press(At(10, 10));
    driver.Release(At(2, 2));
    EXPECT_EQ(clicks, 1);

    button->SetReactTransparent(true);
    EXPECT_TRUE(button->HitTest(2, 2));
    driver.Click(At(2, 2));
    EXPECT_EQ(clicks, 2);
}

TEST_F(ImageButtonTest, HitFollowsThePictureWhereItWasDrawn)
{
    // A 5 x 5 opaque picture on a 21 x 21 button: only its own pixels count.
    button->SetImageInactive(Filled(5, 5, Blue));
    button->SetTransparent(Magenta);
    Painted();
    EXPECT_TRUE(button->HitTest(8, 8));
    EXPECT_FALSE(button->HitTest(7, 8));
    EXPECT_FALSE(button->HitTest(13, 8));
    // Without a transparent colour the whole button reacts.
    button->SetTransparent(fw::clNone);
    EXPECT_TRUE(button->HitTest(0, 0));
    EXPECT_FALSE(button->HitTest(21, 0));
}

TEST_F(ImageButtonTest, MouseOverMakesItActiveAndLeavingInactive)
{
    fw::TestDriver driver(*host);
    driver.MoveTo(At(5, 5));
    EXPECT_EQ(button->State(), TILButtonState::Active);
    driver.MoveTo(At(30, 5));
    EXPECT_EQ(button->State(), TILButtonState::Inactive);

    // Pressed, dragged off and back while held: down again, and the release clicks.
    driver.Press(At(5, 5));
    driver.MoveTo(At(40, 40));
    EXPECT_EQ(button->State(), TILButtonState::Inactive);
    driver.MoveTo(At(6, 6));
    EXPECT_EQ(button->State(), TILButtonState::Down);
    driver.Release(At(6, 6));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->State(), TILButtonState::Inactive);
}

TEST_F(ImageButtonTest, QuickSecondClickIsAClickOfItsOwn)
{
    int doubles = 0;
    button->SetOnDblClick([&](fw::Object*) { ++doubles; });
    fw::TestDriver driver(*host);
    driver.DoubleClick(At(5, 5));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 0);
}

// --- Toggle ----------------------------------------------------------------------------------

TEST_F(ImageButtonTest, KeepDownButtonTogglesWithEachClick)
{
    button->SetKeepDown(true);
    fw::TestDriver driver(*host);
    driver.Click(At(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->State(), TILButtonState::Down);

    // Moving over it or away from it does not bring it up.
    driver.MoveTo(At(50, 50));
    EXPECT_EQ(button->State(), TILButtonState::Down);
    driver.MoveTo(At(5, 5));
    EXPECT_EQ(button->State(), TILButtonState::Down);

    driver.Click(At(5, 5));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button->State(), TILButtonState::Inactive);

    driver.Click(At(5, 5));
    EXPECT_EQ(button->State(), TILButtonState::Down);
}

// --- Repeat ------------------------------------------------------------------------------------

TEST_F(ImageButtonTest, HeldButtonClicksAfterTheFirstDelayThenRepeats)
{
    button->SetAllowRepeat(true);
    fw::TestDriver driver(*host);
    driver.Press(At(5, 5));
    EXPECT_TRUE(button->Repeating());
    driver.Advance(499);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->State(), TILButtonState::Down);
    driver.Advance(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 0);
    EXPECT_EQ(button->State(), TILButtonState::Repeat);
    driver.Advance(199);
    EXPECT_EQ(repeats, 0);
    driver.Advance(1);
    EXPECT_EQ(repeats, 1);
    driver.Advance(600);
    EXPECT_EQ(repeats, 4);

    // The release adds no click of its own, and nothing repeats afterwards.
    driver.Release(At(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Repeating());
    driver.Advance(2000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 4);
}

TEST_F(ImageButtonTest, ShortClickOfARepeatingButtonClicksOnce)
{
    button->SetAllowRepeat(true);
    fw::TestDriver driver(*host);
    driver.Press(At(5, 5));
    driver.Advance(300);
    driver.Release(At(5, 5));
    EXPECT_EQ(clicks, 1);
    driver.Advance(2000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 0);

    // The next hold starts its count afresh.
    driver.Press(At(5, 5));
    driver.Advance(499);
    EXPECT_EQ(clicks, 1);
    driver.Advance(1);
    EXPECT_EQ(clicks, 2);
    driver.Release(At(5, 5));
    EXPECT_EQ(clicks, 2);
}

TEST_F(ImageButtonTest, RepeatDelaysAreTheButtonsOwn)
{
    button->SetAllowRepeat(true);
    button->SetRepeatInitial(200);
    button->SetRepeatInterval(75);
    fw::TestDriver driver(*host);
    driver.Press(At(5, 5));
    driver.Advance(200);
    EXPECT_EQ(clicks, 1);
    driver.Advance(75 * 3);
    EXPECT_EQ(repeats, 3);
    driver.Release(At(5, 5));
}

TEST_F(ImageButtonTest, LeavingWhileHeldStopsTheRepeat)
{
    button->SetAllowRepeat(true);
    fw::TestDriver driver(*host);
    driver.Press(At(5, 5));
    driver.MoveTo(At(60, 60));
    EXPECT_EQ(button->State(), TILButtonState::Inactive);
    EXPECT_FALSE(button->Repeating());
    driver.Advance(1000);
    EXPECT_EQ(clicks, 0);
    driver.Release(At(60, 60));
    EXPECT_EQ(clicks, 0);
}

TEST_F(ImageButtonTest, KeptDownButtonClicksOnceWhenHeldButDoesNotRepeat)
{
    button->SetAllowRepeat(true);
    button->SetKeepDown(true);
    fw::TestDriver driver(*host);
    driver.Press(At(5, 5));
    driver.Advance(1000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 0);
    EXPECT_EQ(button->State(), TILButtonState::Down);
    driver.Release(At(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->State(), TILButtonState::Down);
}

// --- Freeing from inside -----------------------------------------------------------------------

TEST_F(ImageButtonTest, ClickHandlerMayFreeTheButton)
{
    fw::TestDriver driver(*host);
    button->SetOnClick([this](fw::Object*) {
        ++clicks;
        delete button;
        button = nullptr;
    });
    driver.Click(fw::Point{15, 15});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Advance(1000);
}

TEST_F(ImageButtonTest, RepeatTickMayFreeTheButton)
{
    button->SetAllowRepeat(true);
    fw::TestDriver driver(*host);
    button->SetOnClick([this](fw::Object*) {
        ++clicks;
        delete button;
        button = nullptr;
    });
    driver.Press(fw::Point{15, 15});
    driver.Advance(500);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Advance(1000);
    driver.Release(fw::Point{15, 15});
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImageButtonTest, RepeatHandlerMayFreeTheButton)
{
    button->SetAllowRepeat(true);
    fw::TestDriver driver(*host);
    button->SetOnRepeatDown([this](fw::Object*) {
        ++repeats;
        delete button;
        button = nullptr;
    });
    driver.Press(fw::Point{15, 15});
    driver.Advance(1000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 1);
    EXPECT_EQ(host->ControlCount(), 0);
}

TEST_F(ImageButtonTest, StateChangeInsideTheClickStopsTheRepeat)
{
    button->SetAllowRepeat(true);
    fw::TestDriver driver(*host);
    button->SetOnClick([this](fw::Object*) {
        ++clicks;
        button->SetState(TILButtonState::Inactive);
    });
    driver.Press(At(5, 5));
    driver.Advance(2000);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 0);
    EXPECT_FALSE(button->Repeating());
    driver.Release(At(5, 5));
}

// --- Property bundles --------------------------------------------------------------------------

TEST(ButtonPropertiesTest, LocalBundleDefaultsAndChanges)
{
    InitControlLibrary();
    {
        TILButtonLocalProperties bundle;
        EXPECT_EQ(bundle.Brush().Colour(), fw::clBtnFace);
        EXPECT_TRUE(bundle.Framed());
        EXPECT_TRUE(bundle.ReactTransparent());
        EXPECT_EQ(bundle.Transparent(), fw::clNone);
        EXPECT_FALSE(bundle.KeepDown());
        EXPECT_TRUE(bundle.Hint().empty());

        int changes = 0;
        bundle.SetOnChange([&](fw::Object* sender) {
            EXPECT_EQ(sender, &bundle);
            ++changes;
        });
        bundle.SetFramed(false);
        EXPECT_EQ(changes, 1);
        bundle.SetHint("Left");
        bundle.SetKeepDown(true);
        bundle.SetTransparent(Magenta);
        bundle.SetReactTransparent(false);
        EXPECT_EQ(changes, 5);
        // A change made to a part counts as a change of the bundle.
        bundle.Brush().SetColour(Red);
        EXPECT_EQ(changes, 6);
        const int before = changes;
        bundle.ImageActive().SetImageName("ILSCRBAR_IMG_L_ACTIVE");
        EXPECT_GT(changes, before);
        // Copying a whole brush reports once.
        TILBrush other;
        other.SetSimple(Green, fw::BrushStyle::Cross);
        const int beforeCopy = changes;
        bundle.SetBrush(other);
        EXPECT_EQ(changes, beforeCopy + 1);
        EXPECT_EQ(bundle.Brush().Colour(), Green);
    }
    ShutdownControlLibrary();
}

TEST(ButtonPropertiesTest, BundleCopiesOntoAButtonWithResolvedPictures)
{
    InitControlLibrary();
    {
        TILButtonLocalProperties bundle;
        bundle.ImageActive().SetImageName("ILSCRBAR_IMG_L_ACTIVE");
        bundle.ImageDown().SetImageName("ILSCRBAR_IMG_L_DOWN"); // no such image
        bundle.SetTransparent(Magenta);
        bundle.SetHint("Scroll left");
        bundle.SetFramed(false);
        bundle.SetKeepDown(true);
        bundle.Brush().SetColour(Red);

        TILButton target;
        target.SetImageDown(Filled(2, 2, Red));
        target.Assign(&bundle);
        const fw::Bitmap* arrow = fw::FindNamedImage("ILSCRBAR_IMG_L_ACTIVE");
        ASSERT_NE(arrow, nullptr);
        EXPECT_TRUE(target.ImageActive().SamePixels(*arrow));
        EXPECT_TRUE(target.ImageDown().Empty());
        EXPECT_TRUE(target.ImageInactive().Empty());
        EXPECT_EQ(target.Transparent(), Magenta);
        EXPECT_TRUE(target.ReactTransparent());
        EXPECT_EQ(target.Hint(), "Scroll left");
        EXPECT_FALSE(target.Framed());
        EXPECT_TRUE(target.KeepDown());
        EXPECT_EQ(target.Brush().Colour(), Red);
        // The down state falls back to the active picture.
        EXPECT_EQ(target.ImageForState(TILButtonState::Down), &target.ImageActive());
    }
    ShutdownControlLibrary();
}

TEST(ButtonPropertiesTest, BundlesAndRecordsCopyBetweenEachOther)
{
    InitControlLibrary();
    {
        TILButtonCustomPropertiesRecord record;
        EXPECT_EQ(record.Transparent(), 0x00FF00FFu);
        EXPECT_TRUE(record.Framed());

        TILButtonLocalProperties source;
        source.SetHint("kept apart");
        source.SetFramed(false);
        source.SetTransparent(Blue);
        source.ImageInactive().SetImageName("ILSCRBAR_IMG_U_INACTIVE");
        source.Brush().SetColour(Green);

        int recordChanges = 0;
        record.SetOnChange([&](fw::Object*) { ++recordChanges; });
        record.Assign(&source);
        EXPECT_GT(recordChanges, 0);
        EXPECT_FALSE(record.Framed());
        EXPECT_EQ(record.Transparent(), Blue);
        EXPECT_EQ(record.ImageInactive().ImageName(), "ILSCRBAR_IMG_U_INACTIVE");
        EXPECT_EQ(record.Brush().Colour(), Green);

        TILButtonCustomPropertiesRecord copy;
        copy.Assign(&record);
        EXPECT_EQ(copy.Transparent(), Blue);
        EXPECT_EQ(copy.ImageInactive().ImageName(), "ILSCRBAR_IMG_U_INACTIVE");

        // Into a bundle only the record's values go; the bundle's own hint and flags stay.
        TILButtonLocalProperties target;
        target.SetHint("own hint");
        target.SetKeepDown(true);
        target.Assign(&copy);
        EXPECT_FALSE(target.Framed());
        EXPECT_EQ(target.Transparent(), Blue);
        EXPECT_EQ(target.ImageInactive().ImageName(), "ILSCRBAR_IMG_U_INACTIVE");
        EXPECT_EQ(target.Hint(), "own hint");
        EXPECT_TRUE(target.KeepDown());

        // Bundle to bundle copies everything, hint included.
        TILButtonLocalProperties full;
        full.Assign(&source);
        EXPECT_EQ(full.Hint(), "kept apart");

        // A record cannot become a button.
        TILButton button;
        EXPECT_THROW(button.Assign(&record), fw::EConvertError);
    }
    ShutdownControlLibrary();
}

} // namespace
