#include <gtest/gtest.h>

#include <memory>

#include "framework/core/paint_backend.h"
#include "framework/gui/std_panel.h"

using namespace fw;

namespace {

class PanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = DefaultPaintBackend();
        SetDefaultPaintBackend(&backend_);
        panel_ = std::make_unique<Panel>();
        panel_->SetBounds(0, 0, 40, 30);
    }
    void TearDown() override
    {
        panel_.reset();
        SetDefaultPaintBackend(previous_);
    }

    FakePaintBackend backend_;
    PaintBackend* previous_ = nullptr;
    std::unique_ptr<Panel> panel_;
};

const Color Light = ColorToRGB(clBtnHighlight);
const Color Dark = ColorToRGB(clBtnShadow);

} // namespace

TEST_F(PanelTest, ARaisedBevelIsLightTopLeftAndDarkBottomRightWhichOwnTheOddCorners)
{
    panel_->SetColor(clAqua);
    const Bitmap picture = RenderToBitmap(*panel_);
    EXPECT_EQ(picture.Pixel(0, 0), Light);
    EXPECT_EQ(picture.Pixel(38, 0), Light);
    EXPECT_EQ(picture.Pixel(39, 0), Dark) << "top-right corner";
    EXPECT_EQ(picture.Pixel(0, 28), Light);
    EXPECT_EQ(picture.Pixel(0, 29), Dark) << "bottom-left corner";
    EXPECT_EQ(picture.Pixel(39, 29), Dark);
    EXPECT_EQ(picture.Pixel(1, 1), clAqua);
    EXPECT_EQ(picture.Pixel(38, 28), clAqua);
}

TEST_F(PanelTest, BevelsNestWithTheirWidthAndTheLoweredOneIsReversed)
{
    panel_->SetBevelOuter(PanelBevel::Lowered);
    panel_->SetBevelInner(PanelBevel::Raised);
    panel_->SetBevelWidth(2);
    const Bitmap picture = RenderToBitmap(*panel_);
    // Outer, lowered: rings 0 and 1.
    EXPECT_EQ(picture.Pixel(0, 5), Dark);
    EXPECT_EQ(picture.Pixel(1, 5), Dark);
    EXPECT_EQ(picture.Pixel(39, 5), Light);
    EXPECT_EQ(picture.Pixel(38, 5), Light);
    // Inner, raised: rings 2 and 3.
    EXPECT_EQ(picture.Pixel(2, 5), Light);
    EXPECT_EQ(picture.Pixel(3, 5), Light);
    EXPECT_EQ(picture.Pixel(37, 5), Dark);
    EXPECT_EQ(picture.Pixel(36, 5), Dark);
    EXPECT_EQ(picture.Pixel(4, 5), ColorToRGB(clBtnFace));

    panel_->SetBevelOuter(PanelBevel::None);
    panel_->SetBevelInner(PanelBevel::None);
    const Bitmap flat = RenderToBitmap(*panel_);
    EXPECT_EQ(flat.Pixel(0, 0), ColorToRGB(clBtnFace));
    panel_->SetBevelWidth(0);
    EXPECT_EQ(panel_->BevelWidth(), 1);
}

TEST_F(PanelTest, AlignedChildrenStayInsideTheBevels)
{
    auto* child = new Panel(panel_.get());
    child->SetParent(panel_.get());
    child->SetAlign(Align::Client);
    EXPECT_EQ(child->BoundsRect(), (Rect{1, 1, 39, 29}));
    panel_->SetBevelInner(PanelBevel::Lowered);
    panel_->SetBevelWidth(3);
    EXPECT_EQ(child->BoundsRect(), (Rect{6, 6, 34, 24}));
    panel_->SetBevelOuter(PanelBevel::None);
    panel_->SetBevelInner(PanelBevel::None);
    EXPECT_EQ(child->BoundsRect(), (Rect{0, 0, 40, 30}));
}

TEST_F(PanelTest, TheCaptionIsCentredInsideTheBevels)
{
    panel_->SetBounds(0, 0, 62, 41);
    panel_->SetCaption("ab"); // 12 x 13 in the fake font: cell at (25, 14)
    const Bitmap picture = RenderToBitmap(*panel_);
    const Color ink = ColorToRGB(clWindowText);
    EXPECT_EQ(picture.Pixel(25, 16), ink);
    EXPECT_EQ(picture.Pixel(24, 16), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(31 + 4, 16 + 8), ink);
    EXPECT_EQ(picture.Pixel(31 + 5, 16), ColorToRGB(clBtnFace));
}
