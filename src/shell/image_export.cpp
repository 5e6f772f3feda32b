#include "shell/image_export.h"

#include "foundation/gif_writer.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/files.h"
#include "shell/image_export_jpeg.h"

namespace {

// GIF export writes no transparency; the colour matches no 24-bit pixel.
constexpr std::uint32_t NoTransparentColour = 0x1FFFFFFF;

} // namespace

TTWImageFormat ImageFormatOfFilterIndex(int filterIndex)
{
    switch (filterIndex) {
    case 1:
        return TTWImageFormat::JPEG;
    case 2:
        return TTWImageFormat::Bitmap;
    default:
        return TTWImageFormat::GIF;
    }
}

std::string_view ImageFormatExtension(TTWImageFormat format)
{
    switch (format) {
    case TTWImageFormat::JPEG:
        return "jpg";
    case TTWImageFormat::Bitmap:
        return "bmp";
    case TTWImageFormat::GIF:
        return "gif";
    }
    return "gif";
}

std::string ImageExportFileName(const std::string& chosen, TTWImageFormat format)
{
    if (!fw::ExtractFileExt(chosen).empty()) {
        return chosen;
    }
    return chosen + "." + std::string(ImageFormatExtension(format));
}

bool WriteImageFile(const fw::Bitmap& bitmap, const std::string& fileName, TTWImageFormat format)
{
    switch (format) {
    case TTWImageFormat::JPEG:
        SaveJpegToFile(bitmap, fileName, ImageExportJpegQuality);
        return true;
    case TTWImageFormat::Bitmap:
        fw::SaveBmpToFile(bitmap, fileName);
        return true;
    case TTWImageFormat::GIF:
        return SaveBitmapAsGIF(fileName, bitmap, false, NoTransparentColour, false);
    }
    return false;
}

std::string GIFTooManyColoursText(const std::string& fileName)
{
    return "The image has more than 256 colours and cannot be saved as a GIF file.\r\n"
           "Save it as JPEG or as a bitmap instead.\r\nFile: "
        + fileName;
}
