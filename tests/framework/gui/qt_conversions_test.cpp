#include <gtest/gtest.h>

#include <QPainter>

#include <array>
#include <random>
#include <string>

#include "framework/gui/png_codec.h"
#include "framework/gui/qt_conversions.h"

using fw::Bitmap;

namespace {

Bitmap RandomBitmap(int width, int height, unsigned seed)
{
    Bitmap bitmap(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, random() & 0xFFFFFF);
        }
    }
    return bitmap;
}

} // namespace

TEST(QtConversions, ColourChannelsKeepTheirMeaning)
{
    // Ours: red in the low byte. Qt's: red in the third byte.
    Bitmap bitmap(3, 1);
    bitmap.SetPixel(0, 0, 0x0000FF);
    bitmap.SetPixel(1, 0, 0x00FF00);
    bitmap.SetPixel(2, 0, 0x123456);
    const QImage image = fw::BitmapToQImage(bitmap);
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0x56, 0x34, 0x12));

    EXPECT_EQ(fw::ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(fw::FromQColor(QColor(0x56, 0x34, 0x12)), 0x123456u);
    // System colours come from our fixed table, not from Qt's palette.
    EXPECT_EQ(fw::ToQColor(fw::clBtnFace), fw::ToQColor(fw::ColorToRGB(fw::clBtnFace)));
    EXPECT_EQ(fw::FromQColor(fw::ToQColor(fw::clHighlight)), fw::ColorToRGB(fw::clHighlight));
}

TEST(QtConversions, BitmapsCrossBothWaysExactly)
{
    const Bitmap bitmap = RandomBitmap(37, 23, 7);
    const Bitmap back = fw::QImageToBitmap(fw::BitmapToQImage(bitmap));
    EXPECT_TRUE(back.SamePixels(bitmap));

    // Other Qt formats arrive in our byte order too.
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
    argb.setPixel(1, 0, qRgba(200, 100, 50, 255));
    const Bitmap fromArgb = fw::QImageToBitmap(argb);
    EXPECT_EQ(fromArgb.Pixel(0, 0), 0x1E140Au);
    EXPECT_EQ(fromArgb.Pixel(1, 0), 0x3264C8u);

    // One-bit images make monochrome bitmaps, whatever their two palette colours.
    QImage mono(4, 1, QImage::Format_Mono);
    mono.setColor(0, qRgb(250, 250, 240));
    mono.setColor(1, qRgb(20, 0, 60));
    mono.setPixel(0, 0, 0);
    mono.setPixel(1, 0, 1);
    mono.setPixel(2, 0, 1);
    mono.setPixel(3, 0, 0);
    const Bitmap fromMono = fw::QImageToBitmap(mono);
    EXPECT_TRUE(fromMono.Monochrome());
    EXPECT_EQ(fromMono.Pixels(), (std::vector<std::uint32_t>{Bitmap::White, Bitmap::Black, Bitmap::Black, Bitmap::White}));

    EXPECT_TRUE(fw::BitmapToQImage(Bitmap()).isNull());
    EXPECT_TRUE(fw::QImageToBitmap(QImage()).Empty());
}

TEST(QtConversions, ViewShowsTheBitmapsOwnPixelsWithoutCopying)
{
    const Bitmap bitmap = RandomBitmap(19, 11, 3);
    const QImage view = fw::ViewOfBitmap(bitmap);
    EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar*>(bitmap.Pixels().data()));

    // Drawn by Qt onto its own format, as a backing store is shown: same colours, opaque.
    QImage screen(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    painter.drawImage(0, 0, view);
    painter.end();
    EXPECT_TRUE(fw::QImageToBitmap(screen).SamePixels(bitmap));
}

TEST(QtConversions, RegionsCrossBothWaysExactly)
{
    const std::array<fw::Point, 5> star = {fw::Point{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    const fw::Region region = fw::Region::Polygon(star) | fw::Region(fw::Rect{30, 2, 35, 40});
    const QRegion qt = fw::ToQRegion(region);
    const fw::Rect bounds = region.Bounds();
    EXPECT_EQ(qt.boundingRect(), QRect(bounds.Left, bounds.Top, bounds.Width(), bounds.Height()));
    for (int y = -1; y < 41; ++y) {
        for (int x = -1; x < 36; ++x) {
            EXPECT_EQ(qt.contains(QPoint(x, y)), region.Contains(x, y)) << x << ", " << y;
        }
    }
    EXPECT_EQ(fw::FromQRegion(qt), region);
    EXPECT_TRUE(fw::ToQRegion(fw::Region()).isEmpty());
}

TEST(QtConversions, PicturesWithAlphaCrossBothWaysAndThroughPng)
{
    fw::ArgbImage picture(19, 7);
    std::mt19937 random(11);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            // Soft edges: every alpha, and clear pixels as the drawing leaves them.
            const std::uint32_t alpha = (x + y) % 5 == 0 ? 0 : 1 + random() % 255;
            picture.SetPixel(x, y, alpha == 0 ? 0 : alpha << 24 | (random() & 0xFFFFFF));
        }
    }
    const QImage image = fw::ArgbImageToQImage(picture);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(3, 2), picture.Pixel(3, 2));
    EXPECT_EQ(fw::QImageToArgbImage(image), picture);

    const std::string png = fw::EncodePng(picture);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(fw::DecodePng(png), picture);

    EXPECT_TRUE(fw::ArgbImageToQImage(fw::ArgbImage()).isNull());
    EXPECT_TRUE(fw::EncodePng(fw::ArgbImage()).empty());
    EXPECT_TRUE(fw::DecodePng("no picture").Empty());
}
