#pragma once

#include <string>
#include <string_view>

#include "framework/core/bitmap.h"

// The picture files the weaving images and block designs are exported to, in the order of
// the save-picture dialog's filter: JPEG, Windows bitmap, GIF.

enum class TTWImageFormat { JPEG, Bitmap, GIF };

// The filter of the save-picture dialog; its 1-based index picks the format.
inline constexpr std::string_view SavePictureFilter =
    "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmap (*.bmp)|*.bmp|GIF (*.gif)|*.gif";

// The compression quality of exported JPEG files.
inline constexpr int ImageExportJpegQuality = 90;

// 1 JPEG, 2 bitmap; any other index GIF.
TTWImageFormat ImageFormatOfFilterIndex(int filterIndex);
// "jpg", "bmp" or "gif", without the dot.
std::string_view ImageFormatExtension(TTWImageFormat format);

// The file written for the name chosen: a name without any extension gets the format's;
// a name with one, whichever it is, stays as it is.
std::string ImageExportFileName(const std::string& chosen, TTWImageFormat format);

// Writes the bitmap in the format. False, with nothing written, when it is a GIF and the
// bitmap holds more than 256 colours: the caller must tell the user. Files that cannot be
// written, and bitmaps the format cannot hold (an empty JPEG or GIF), raise.
[[nodiscard]] bool WriteImageFile(const fw::Bitmap& bitmap, const std::string& fileName, TTWImageFormat format);

// What the user is told when a GIF could not be written for its colours.
std::string GIFTooManyColoursText(const std::string& fileName);
