#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>

#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "controls/control_library.h"
#include "forms/forms_default_style.h"
#include "controls/image_button.h"
#include "controls/scroll_bar.h"
#include "controls/scroll_box.h"
#include "framework/core/bitmap.h"
#include "framework/core/named_images.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "forms_test_support.h"
#include "gallery/control_gallery.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_properties.h"

namespace {

const fw::Color Face = fw::ColorToRGB(fw::clBtnFace);
const fw::Color Highlight = fw::ColorToRGB(fw::clBtnHighlight);
const fw::Color Shadow = fw::ColorToRGB(fw::clBtnShadow);

// The gallery as the real Qt text backend draws it, written out for a look.
class GalleryTest : public FormsTest {
protected:
    void SetUp() override
    {
        fw::ClearPostedMessages();
        previousBackend = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend);
        gallery = std::make_unique<ControlGallery>();
        gallery->FinishLoading();
        picture = fw::RenderToBitmap(*gallery);
    }
    void TearDown() override
    {
        gallery.reset();
        fw::ClearPostedMessages();
        fw::SetDefaultPaintBackend(previousBackend);
    }

    // Where the control lies in the picture.
    fw::Rect PlaceOf(const fw::Control& control) const
    {
        int left = 0;
        int top = 0;
        for (const fw::Control* c = &control; c != nullptr && c != gallery.get(); c = c->Parent()) {
            left += c->Left();
            top += c->Top();
        }
        return fw::Rect{left, top, left + control.Width(), top + control.Height()};
    }

    int CountInside(const fw::Rect& area, fw::Color colour) const
    {
        int count = 0;
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                count += picture.Pixel(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    // Pixels darker than mid grey in every channel.
    int CountDark(const fw::Rect& area) const
    {
        int count = 0;
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                const fw::Color p = picture.Pixel(x, y);
                count += ((p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && ((p >> 16) & 0xFF) < 0x60) ? 1 : 0;
            }
        }
        return count;
    }

    fw::QtPaintBackend backend;
    fw::PaintBackend* previousBackend = nullptr;
    std::unique_ptr<ControlGallery> gallery;
    fw::Bitmap picture;
};

TEST_F(GalleryTest, RendersTheWholeWindowToAPicture)
{
    ASSERT_EQ(picture.Width(), gallery->Width());
    ASSERT_EQ(picture.Height(), gallery->Height());
    const std::string path = std::string(TAVELIN_CONTROLS_TEST_OUTPUT) + "/control_gallery.png";
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path)));
}

TEST_F(GalleryTest, BrushPanelsShowTheirRingsAndFills)
{
    const fw::Rect plain = PlaceOf(*gallery->pnlPlain);
    EXPECT_EQ(picture.Pixel(plain.Left, plain.Top), Highlight);
    EXPECT_EQ(picture.Pixel(plain.Right - 1, plain.Bottom - 1), Shadow);
    EXPECT_EQ(picture.Pixel(plain.Left + 4, plain.Bottom - 4), Face);

    const fw::Rect lowered = PlaceOf(*gallery->pnlLowered);
    EXPECT_EQ(picture.Pixel(lowered.Left, lowered.Top), Shadow);
    EXPECT_EQ(picture.Pixel(lowered.Right - 1, lowered.Bottom - 1), Highlight);
    EXPECT_EQ(picture.Pixel(lowered.Left + 4, lowered.Bottom - 4), fw::clWhite);

    // The rounded panel's cut-off corner shows the top panel beneath it.
    const fw::Rect rounded = PlaceOf(*gallery->pnlRounded);
    EXPECT_EQ(picture.Pixel(rounded.Left, rounded.Top), Face);
    EXPECT_EQ(picture.Pixel(rounded.Left + 20, rounded.Top + 6), 0xF5E8D8u);

    // The gap opens the top ring between offset 20 and 69.
    const fw::Rect gap = PlaceOf(*gallery->pnlGap);
    EXPECT_EQ(picture.Pixel(gap.Left + 10, gap.Top), Highlight);
    EXPECT_EQ(picture.Pixel(gap.Left + 40, gap.Top), Face);
}

TEST_F(GalleryTest, CheckBoxesShowTheirMarks)
{
    const fw::Rect unchecked = PlaceOf(*gallery->chkUnchecked);
    const fw::Rect checked = PlaceOf(*gallery->chkChecked);
    const fw::Rect uncheckedImage{unchecked.Left, unchecked.Top, unchecked.Left + 20, unchecked.Bottom};
    const fw::Rect checkedImage{checked.Left, checked.Top, checked.Left + 20, checked.Bottom};
    EXPECT_GT(CountDark(checkedImage), CountDark(uncheckedImage) + 5);
    // A caption in dark ink beside each image.
    EXPECT_GT(CountDark(fw::Rect{unchecked.Left + 20, unchecked.Top, unchecked.Right, unchecked.Bottom}), 20);
    // Disabled captions are grey, not black.
    const fw::Rect disabled = PlaceOf(*gallery->chkDisabled);
    EXPECT_EQ(CountDark(fw::Rect{disabled.Left + 20, disabled.Top, disabled.Right, disabled.Bottom}), 0);
}

TEST_F(GalleryTest, TheSelectedTreeRowIsHighlightedInsideTheList)
{
    const fw::Color selection = fw::ColorToRGB(gallery->tree->DefaultDrawSelect().Background().Colour());
    const fw::Rect list = PlaceOf(*gallery->tree);
    const int inside = CountInside(list, selection);
    EXPECT_GT(inside, 200);
    // Nowhere else on the top panel (the default button below may share the colour).
    EXPECT_EQ(CountInside(PlaceOf(*gallery->pnlTTop), selection), inside);
}

TEST_F(GalleryTest, ScrollBoxShowsItsCornerLogo)
{
    const fw::Rect box = PlaceOf(*gallery->scrollBox);
    const fw::Bitmap* logo = fw::FindNamedImage("ILSCROLLBOX_ILLOGO");
    ASSERT_NE(logo, nullptr);
    int same = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            same += picture.Pixel(box.Right - 16 + x, box.Bottom - 16 + y) == logo->Pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(same, 256);
}

TEST_F(GalleryTest, DialogButtonsSitOnTheBottomPanelsRightEnd)
{
    const fw::Rect panel = PlaceOf(*gallery->pnlTBottom);
    const fw::Rect cancel = PlaceOf(*gallery->btnCancel);
    const fw::Rect accept = PlaceOf(*gallery->btnAccept);
    EXPECT_EQ(cancel.Right, panel.Right - 5);
    // Between the buttons and right of Cancel lies the bare panel; the buttons' frames are
    // drawn on their edges.
    const int middle = (cancel.Top + cancel.Bottom) / 2;
    EXPECT_EQ(picture.Pixel(cancel.Right + 2, middle), Face);
    EXPECT_EQ(picture.Pixel(accept.Right + 2, middle), Face);
    EXPECT_NE(picture.Pixel(cancel.Left, middle), Face);
    EXPECT_NE(picture.Pixel(accept.Left, middle), Face);
    EXPECT_FALSE(gallery->btnClose->Visible());
    EXPECT_GT(CountDark(cancel), 20); // its caption
}

TEST_F(GalleryTest, ImageButtonsDrawTheirStates)
{
    // The down button shows its picture one pixel further right and down.
    EXPECT_EQ(gallery->btnNormal->ShownImageOrigin().X + 1, gallery->btnDown->ShownImageOrigin().X);
    const fw::Rect normal = PlaceOf(*gallery->btnNormal);
    const fw::Rect disabled = PlaceOf(*gallery->btnDisabled);
    EXPECT_GT(CountInside(normal, 0x8B4513), 20);
    EXPECT_EQ(CountInside(disabled, 0x8B4513), 0);
    EXPECT_GT(CountInside(disabled, 0xA0A0A0), 20);
}

} // namespace
