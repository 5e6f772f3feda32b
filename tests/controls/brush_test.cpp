#include <gtest/gtest.h>

#include <memory>

#include "controls/brush_fill.h"
#include "controls/control_brush.h"
#include "controls/control_library.h"
#include "controls/default_brushes.h"
#include "controls/il_brush.h"
#include "controls/image_library.h"

namespace {

class BrushTest : public ::testing::Test {
protected:
    void SetUp() override { InitControlLibrary(); }
    void TearDown() override { ShutdownControlLibrary(); }

    static TILDefaultBrushItem* Register(int id)
    {
        auto item = std::make_unique<TILDefaultBrushItem>(id);
        EXPECT_GE(DefaultBrushItems()->Add(item.get()), 0);
        return item.release();
    }
};

// A checkerboard of two colours, so tiling is visible in every pixel.
fw::Bitmap Checker(int size, fw::Color a, fw::Color b)
{
    fw::Bitmap bitmap(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bitmap.SetPixel(x, y, (x + y) % 2 == 0 ? a : b);
        }
    }
    return bitmap;
}

// A control as the control layer will present it: windowed or not, maybe a brush panel.
class FakeControl : public TILBrushControl {
public:
    TILBrushControl* ParentControl() const override { return parent; }
    bool Windowed() const override { return windowed; }
    void InvalidateControl() override { ++invalidated; }
    void RealignControl() override { ++realigned; }
    const fw::Brush* ControlBrush() const override { return windowed ? &brush : nullptr; }
    TILBrush* PanelFillBrush() const override { return panelFill; }
    bool PanelParentBrush() const override { return parentBrush; }

    TILBrushControl* parent = nullptr;
    bool windowed = true;
    fw::Brush brush;
    TILBrush* panelFill = nullptr;
    bool parentBrush = false;
    int invalidated = 0;
    int realigned = 0;
};

TEST_F(BrushTest, ABrushWithoutImageFillsWithItsColourAndStyle)
{
    TILBrush brush;
    EXPECT_EQ(brush.Colour(), fw::clWhite);
    EXPECT_EQ(brush.Style(), fw::BrushStyle::Solid);
    EXPECT_FALSE(brush.HasPattern());
    EXPECT_FALSE(brush.SimpleBrush());
    EXPECT_EQ(brush.DefaultBrushID(), 0);

    brush.SetColour(0x123456);
    brush.SetStyle(fw::BrushStyle::Cross);
    fw::Bitmap stale(2, 2);
    fw::Brush dest{0, fw::BrushStyle::Clear, &stale};
    brush.ApplyToBrush(dest);
    EXPECT_EQ(dest.Color, 0x123456u);
    EXPECT_EQ(dest.Style, fw::BrushStyle::Cross);
    EXPECT_EQ(dest.Bitmap, nullptr);
    EXPECT_EQ(ImageLibrary()->Count(), 0);

    // A default brush ID nobody registered changes nothing.
    brush.SetDefaultBrushID(5);
    dest = fw::Brush{};
    brush.ApplyToBrush(dest);
    EXPECT_EQ(dest.Color, 0x123456u);
    EXPECT_EQ(dest.Style, fw::BrushStyle::Cross);

    // PaintTo leaves no outline for the shape drawn next.
    fw::Bitmap surface(4, 4);
    fw::Canvas canvas(surface);
    brush.SetStyle(fw::BrushStyle::Solid);
    brush.PaintTo(canvas);
    EXPECT_EQ(canvas.Pen().Style, fw::PenStyle::Clear);
    canvas.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(surface.Pixel(0, 0), 0x123456u);
    EXPECT_EQ(surface.Pixel(3, 3), fw::clWhite);
}

TEST_F(BrushTest, TheFallBackChainRunsFromDefaultBrushToImageToColour)
{
    TILBrush brush;
    brush.SetColour(0x0000FF);
    brush.SetDefaultBrushID(7);

    TILDefaultBrushItem* standIn = Register(7);
    standIn->SetColour(0x00FF00);
    fw::Brush dest;
    brush.ApplyToBrush(dest);
    EXPECT_EQ(dest.Color, 0x00FF00u);

    // The stand-in's image, when it has one, fills for both.
    standIn->SetImageName("ILSCRBAR_IMG_L_ACTIVE");
    brush.ApplyToBrush(dest);
    ASSERT_NE(dest.Bitmap, nullptr);
    EXPECT_EQ(dest.Bitmap, ImageLibrary()->Find("ILSCRBAR_IMG_L_ACTIVE"));
    EXPECT_EQ(brush.GetImage(), dest.Bitmap);

    // ...unless it is a simple brush: then its colour and style, image or not.
    standIn->SetSimple(0xABCDEF, fw::BrushStyle::BDiagonal);
    dest = fw::Brush{};
    brush.ApplyToBrush(dest);
    EXPECT_EQ(dest.Color, 0xABCDEFu);
    EXPECT_EQ(dest.Style, fw::BrushStyle::BDiagonal);
    EXPECT_EQ(dest.Bitmap, nullptr);

    // A name that has no image gives the brush's own colour.
    TILBrush missing;
    missing.SetImageName("ILSCRBAR_IMG_L_DOWN");
    missing.SetColour(0x010203);
    missing.ApplyToBrush(dest);
    EXPECT_EQ(dest.Color, 0x010203u);
    EXPECT_EQ(dest.Bitmap, nullptr);

    // A default brush that leads back to itself does not loop.
    TILDefaultBrushItem* loop = Register(9);
    loop->SetDefaultBrushID(9);
    loop->SetColour(0x0F0F0F);
    EXPECT_EQ(loop->GetImage(), nullptr);
    TILDefaultBrushItem* other = Register(10);
    other->SetDefaultBrushID(9);
    loop->SetDefaultBrushID(10);
    EXPECT_EQ(other->GetImage(), nullptr);
}

TEST_F(BrushTest, DefaultBrushIDsAreUnique)
{
    Register(3)->SetColour(0x111111);
    auto duplicate = std::make_unique<TILDefaultBrushItem>(3);
    EXPECT_EQ(DefaultBrushItems()->Add(duplicate.get()), -1);
    EXPECT_EQ(DefaultBrushItems()->Count(), 1);
    EXPECT_EQ(DefaultBrushItems()->FindByID(3)->Colour(), 0x111111u);
    EXPECT_EQ(DefaultBrushItems()->FindByID(4), nullptr);

    TILBrush notAnItem;
    EXPECT_EQ(DefaultBrushItems()->Add(&notAnItem), -1);

    // A deep copy keeps the IDs.
    TILDefaultBrushItemList copy;
    copy.Assign(*DefaultBrushItems());
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.FindByID(3)->Colour(), 0x111111u);
    EXPECT_NE(copy.FindByID(3), DefaultBrushItems()->FindByID(3));
}

TEST_F(BrushTest, ClearingGivesWhiteSolidAndKeepsThePattern)
{
    TILBrush brush;
    brush.SetColour(0x00FF00);
    brush.SetStyle(fw::BrushStyle::Horizontal);
    brush.SetImageName("ILSCRBAR_IMG_L_ACTIVE");
    brush.Clear();
    EXPECT_EQ(brush.Colour(), fw::clWhite);
    EXPECT_EQ(brush.Style(), fw::BrushStyle::Solid);
    EXPECT_EQ(brush.ImageName(), "");
    EXPECT_EQ(brush.Brush().Bitmap, nullptr);

    // Turning the pattern on clears the brush and makes an empty pattern.
    brush.SetColour(0x00FF00);
    brush.SetHasPattern(true);
    ASSERT_NE(brush.Pattern(), nullptr);
    EXPECT_TRUE(brush.Pattern()->Empty());
    EXPECT_EQ(brush.Colour(), fw::clWhite);
    brush.SetColour(0x00FF00);
    brush.Clear();
    EXPECT_TRUE(brush.HasPattern());
    EXPECT_EQ(brush.Colour(), fw::clWhite);
}

TEST_F(BrushTest, APatternTilesFromTheCanvasOrigin)
{
    TILBrush brush;
    brush.SetColour(0x0000FF);
    const fw::Bitmap checker = Checker(2, 0x111111, 0x222222);
    brush.SetPattern(&checker);
    EXPECT_TRUE(brush.HasPattern());

    fw::Bitmap surface(6, 5);
    fw::Canvas canvas(surface);
    brush.PaintTo(canvas);
    canvas.FillRect(fw::Rect{1, 1, 5, 4});
    EXPECT_EQ(surface.Pixel(1, 1), 0x111111u); // (1 + 1) even: first colour
    EXPECT_EQ(surface.Pixel(2, 1), 0x222222u);
    EXPECT_EQ(surface.Pixel(4, 3), 0x222222u);
    EXPECT_EQ(surface.Pixel(0, 0), fw::clWhite);
    EXPECT_EQ(surface.Pixel(5, 3), fw::clWhite);

    // A new picture replaces the old one in the fill.
    const fw::Bitmap plain = Checker(1, 0x333333, 0x333333);
    brush.SetPattern(&plain);
    brush.PaintTo(canvas);
    EXPECT_EQ(canvas.Brush().Bitmap, brush.Pattern());
    EXPECT_EQ(brush.Pattern()->Pixel(0, 0), 0x333333u);

    // No pattern: the colour is back, and nothing points at the freed pattern.
    brush.SetColour(0x0000FF);
    brush.SetPattern(nullptr);
    EXPECT_FALSE(brush.HasPattern());
    EXPECT_EQ(brush.Brush().Bitmap, nullptr);
    fw::Brush dest;
    brush.ApplyToBrush(dest);
    EXPECT_EQ(dest.Bitmap, nullptr);
    EXPECT_EQ(dest.Color, 0x0000FFu);
}

TEST_F(BrushTest, AnImageTakesOverTheFillAndGivesItBackWhenItGoes)
{
    class Picture : public fw::Component, public TILPictureHolder {
    public:
        fw::Bitmap* PictureBitmap() override { return &picture; }
        fw::Bitmap picture = Checker(2, 0x445566, 0x445566);
    };
    auto picture = std::make_unique<Picture>();
    TILBrush brush;
    int brushChanges = 0;
    brush.SetOnBrushChange([&](fw::Object* sender) {
        EXPECT_EQ(sender, &brush);
        ++brushChanges;
    });
    brush.SetImage(picture.get());
    brush.SetColour(0x0000FF);
    brush.SetStyle(fw::BrushStyle::Vertical);
    EXPECT_EQ(brush.Brush().Bitmap, &picture->picture);
    EXPECT_GT(brushChanges, 0);

    brushChanges = 0;
    picture.reset();
    EXPECT_EQ(brush.Brush().Bitmap, nullptr);
    EXPECT_EQ(brush.Colour(), 0x0000FFu);
    EXPECT_EQ(brush.Style(), fw::BrushStyle::Vertical);
    EXPECT_EQ(brushChanges, 1);

    brushChanges = 0;
    brush.SetSimpleBrush(true);
    brush.SetDefaultBrushID(2);
    EXPECT_EQ(brushChanges, 2);
}

TEST_F(BrushTest, AssignMakesAnEqualBrush)
{
    const fw::Bitmap checker = Checker(2, 0x111111, 0x222222);
    TILBrush source;
    source.SetPattern(&checker);
    source.SetColour(0x00FF00);
    source.SetStyle(fw::BrushStyle::Cross);
    source.SetSimpleBrush(true);
    source.SetDefaultBrushID(4);

    TILBrush copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Colour(), 0x00FF00u);
    EXPECT_EQ(copy.Style(), fw::BrushStyle::Cross);
    EXPECT_TRUE(copy.SimpleBrush());
    EXPECT_EQ(copy.DefaultBrushID(), 4);
    ASSERT_TRUE(copy.HasPattern());
    EXPECT_NE(copy.Pattern(), source.Pattern());
    EXPECT_TRUE(copy.Pattern()->SamePixels(checker));

    // The copy's image is its own pattern, never the source's.
    copy.SetSimpleBrush(false);
    copy.SetDefaultBrushID(0);
    fw::Brush dest;
    copy.ApplyToBrush(dest);
    EXPECT_EQ(dest.Bitmap, copy.Pattern());

    TILBrush plain;
    copy.Assign(&plain);
    EXPECT_FALSE(copy.HasPattern());
    EXPECT_EQ(copy.Brush().Bitmap, nullptr);
    EXPECT_EQ(copy.Colour(), fw::clWhite);
}

TEST_F(BrushTest, ChildrenPaintWithTheBrushOfTheFirstPanelThatHasItsOwn)
{
    FakeControl form;
    form.brush = fw::Brush{0x0A0B0C, fw::BrushStyle::Solid, nullptr};
    TILBrush outerFill;
    outerFill.SetColour(0x00FF00);
    FakeControl outer;
    outer.parent = &form;
    outer.panelFill = &outerFill;
    TILBrush innerFill;
    innerFill.SetColour(0x0000FF);
    FakeControl inner;
    inner.parent = &outer;
    inner.panelFill = &innerFill;
    inner.parentBrush = true;

    fw::Brush dest;
    ApplyControlBrush(&inner, dest);
    EXPECT_EQ(dest.Color, 0x00FF00u);
    outer.parentBrush = true;
    ApplyControlBrush(&inner, dest);
    EXPECT_EQ(dest.Color, 0x0A0B0Cu);

    // No control, or one without a brush, leaves the brush alone.
    dest = fw::Brush{0x123123, fw::BrushStyle::Clear, nullptr};
    ApplyControlBrush(nullptr, dest);
    FakeControl windowless;
    windowless.windowed = false;
    ApplyControlBrush(&windowless, dest);
    EXPECT_EQ(dest.Color, 0x123123u);
    EXPECT_EQ(dest.Style, fw::BrushStyle::Clear);
}

TEST_F(BrushTest, ABrushFillPaintsItsAreaAndRepaintsOnChange)
{
    TILBrushFill fill;
    EXPECT_EQ(fill.Width(), 100);
    EXPECT_EQ(fill.Height(), 50);
    fill.SetSize(4, 3);
    fill.Brush().SetColour(0x336699);

    fw::Bitmap surface(6, 5);
    surface.FillRect(surface.Bounds(), 0);
    fw::Canvas canvas(surface);
    fill.Paint(canvas);
    EXPECT_FALSE(fill.NeedsPaint());
    EXPECT_EQ(surface.Pixel(0, 0), 0x336699u);
    EXPECT_EQ(surface.Pixel(3, 2), 0x336699u);
    EXPECT_EQ(surface.Pixel(4, 2), 0u);
    EXPECT_EQ(surface.Pixel(3, 3), 0u);

    fill.Brush().SetStyle(fw::BrushStyle::Clear);
    EXPECT_TRUE(fill.NeedsPaint());
}

} // namespace
