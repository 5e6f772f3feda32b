#include "framework/gui/qt_conversions.h"

#include <vector>

namespace fw {

namespace {

// 0x00BBGGRR <-> 0x??RRGGBB: the red and blue bytes change places.
constexpr std::uint32_t SwapRedBlue(std::uint32_t pixel)
{
    return (pixel & 0x00FF00) | (pixel & 0xFF) << 16 | (pixel >> 16 & 0xFF);
}

} // namespace

QImage BitmapToQImage(const Bitmap& bitmap)
{
    if (bitmap.Empty()) {
        return QImage();
    }
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint32_t* in = bitmap.ScanLine(y);
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x) {
            out[x] = 0xFF000000u | SwapRedBlue(in[x]);
        }
    }
    return image;
}

Bitmap QImageToBitmap(const QImage& image)
{
    if (image.isNull()) {
        return Bitmap();
    }
    const bool oneBit = image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB;
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        std::uint32_t* out = bitmap.ScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            out[x] = SwapRedBlue(in[x]);
        }
    }
    // The palette colours of a one-bit image map to black or white by the bitmap's rule.
    bitmap.SetMonochrome(oneBit);
    return bitmap;
}

QImage ArgbImageToQImage(const ArgbImage& image)
{
    if (image.Empty()) {
        return QImage();
    }
    QImage qImage(image.Width(), image.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.Height(); ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(qImage.scanLine(y));
        for (int x = 0; x < image.Width(); ++x) {
            out[x] = image.Pixel(x, y);
        }
    }
    return qImage;
}

ArgbImage QImageToArgbImage(const QImage& image)
{
    if (image.isNull()) {
        return ArgbImage();
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    ArgbImage result(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            result.SetPixel(x, y, in[x]);
        }
    }
    return result;
}

QImage ViewOfBitmap(const Bitmap& bitmap)
{
    if (bitmap.Empty()) {
        return QImage();
    }
    const auto* bytes = reinterpret_cast<const uchar*>(bitmap.Pixels().data());
    return QImage(bytes, bitmap.Width(), bitmap.Height(), static_cast<qsizetype>(bitmap.Width()) * 4,
                  QImage::Format_RGBX8888);
}

QColor ToQColor(Color colour)
{
    const Color rgb = ColorToRGB(colour);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb >> 16 & 0xFF));
}

Color FromQColor(const QColor& colour)
{
    const QRgb rgb = colour.rgb();
    return static_cast<Color>(qRed(rgb)) | static_cast<Color>(qGreen(rgb)) << 8 | static_cast<Color>(qBlue(rgb)) << 16;
}

QRegion ToQRegion(const Region& region)
{
    std::vector<QRect> rects;
    rects.reserve(region.Spans().size());
    for (const Rect& rect : region.Rects()) {
        rects.emplace_back(rect.Left, rect.Top, rect.Width(), rect.Height());
    }
    QRegion result;
    result.setRects(rects.data(), static_cast<int>(rects.size()));
    return result;
}

Region FromQRegion(const QRegion& region)
{
    Region result;
    for (const QRect& rect : region) {
        result |= Region(Rect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()});
    }
    return result;
}

} // namespace fw
