#include <gtest/gtest.h>

#include "framework/core/canvas.h"
#include "framework/gui/image_list.h"

namespace {

constexpr fw::Color Red = 0x0000FF;
constexpr fw::Color Blue = 0xFF0000;
constexpr fw::Color Key = 0xFF00FF;

TEST(ImageListTest, AStripIsCutIntoPicturesOfTheListsSize)
{
    fw::ImageList list(4, 3);
    fw::Bitmap strip(10, 3);
    strip.FillRect(fw::Rect{0, 0, 4, 3}, Red);
    strip.FillRect(fw::Rect{4, 0, 8, 3}, Blue);
    EXPECT_EQ(list.Add(strip), 0);
    ASSERT_EQ(list.Count(), 2) << "the two whole pictures; the rest of the strip is dropped";
    EXPECT_EQ(list.Image(0)->Pixel(3, 2), Red);
    EXPECT_EQ(list.Image(1)->Pixel(0, 0), Blue);
    EXPECT_EQ(list.Image(2), nullptr);
    EXPECT_EQ(list.Image(-1), nullptr);

    // A picture smaller than the list's size keeps white where it has nothing.
    EXPECT_EQ(list.Add(fw::Bitmap(2, 2)), 2);
    EXPECT_EQ(list.Image(2)->Width(), 4);
    EXPECT_EQ(list.Image(2)->Pixel(3, 2), fw::clWhite);

    list.Delete(0);
    list.Delete(7);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Image(0)->Pixel(0, 0), Blue);
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageListTest, MaskedPicturesLeaveTheirKeyOut)
{
    fw::ImageList list(3, 1);
    fw::Bitmap picture(3, 1);
    picture.SetPixel(0, 0, Red);
    picture.SetPixel(1, 0, Key);
    picture.SetPixel(2, 0, Red);
    list.AddMasked(picture, Key);
    list.Add(picture);

    fw::Bitmap surface(3, 2);
    surface.FillRect(surface.Bounds(), Blue);
    fw::Canvas canvas(surface);
    list.Draw(canvas, 0, 0, 0);
    list.Draw(canvas, 0, 1, 1);
    list.Draw(canvas, 0, 0, 5); // nothing
    EXPECT_EQ(surface.Pixel(1, 0), Blue);
    EXPECT_EQ(surface.Pixel(0, 0), Red);
    EXPECT_EQ(surface.Pixel(1, 1), Key);
}

TEST(ImageListTest, AssignCopiesSizeAndPictures)
{
    fw::ImageList source(2, 2);
    fw::Bitmap picture(2, 2);
    picture.FillRect(picture.Bounds(), Red);
    source.AddMasked(picture, Blue);
    fw::ImageList copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Width(), 2);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_TRUE(copy.Image(0)->Transparent());
    EXPECT_EQ(copy.Image(0)->Pixel(1, 1), Red);
}

} // namespace
