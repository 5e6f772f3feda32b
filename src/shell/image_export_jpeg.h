#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/bitmap.h"

// JPEG files of the weaving images, compressed by libjpeg: baseline, 4:2:0 colour, the
// standard tables scaled to the quality (1 to 100; values outside are clamped).

// The whole file in memory. An empty bitmap (a JPEG image has at least one pixel) and a
// bitmap libjpeg refuses (wider or higher than 65500 pixels) raise EConvertError.
std::vector<std::uint8_t> EncodeJpeg(const fw::Bitmap& bitmap, int quality);

// Encodes first and only then replaces the file (see WriteFileAtomically), so a refused
// bitmap leaves an existing file as it was; a file that cannot be written raises EFileError.
void SaveJpegToFile(const fw::Bitmap& bitmap, const std::string& path, int quality);
