#include "framework/gui/png_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "framework/gui/qt_conversions.h"

namespace fw {

std::string EncodePng(const ArgbImage& image)
{
    if (image.Empty()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArgbImageToQImage(image).save(&buffer, "PNG");
    return bytes.toStdString();
}

ArgbImage DecodePng(std::string_view bytes)
{
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "PNG")) {
        return {};
    }
    return QImageToArgbImage(image);
}

} // namespace fw
