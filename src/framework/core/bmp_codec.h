#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/core/bitmap.h"

namespace fw {

// Windows BMP files, enough to exchange the model's monochrome grids with other programs.
//
// Reading takes uncompressed 1-bit and 24-bit images with the classic (12-byte) or any
// later (40 to 124-byte) info header, bottom-up or top-down. A 1-bit image becomes a
// monochrome bitmap, its two palette colours mapped to black or white by the bitmap's
// monochrome rule; a 24-bit image becomes a colour bitmap.
//
// The bytes may come from anywhere, so every header number is checked against the bytes
// really present before anything is allocated from it. A file that is not a BMP we can
// read raises EConvertError "Bitmap image is not valid: <reason>".
Bitmap DecodeBmp(std::span<const std::uint8_t> bytes);
Bitmap LoadBmpFromFile(const std::string& path);

// Writing always gives a 24-bit image, bottom-up, with the 40-byte info header. An empty
// bitmap gives a valid file without pixel data, which reads back as an empty bitmap.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);
// Replaces the file in one step (see WriteFileAtomically); raises EFileError on failure.
void SaveBmpToFile(const Bitmap& bitmap, const std::string& path);

// The largest image we agree to read, in pixels: far beyond any band design, small
// enough that a lying header cannot make us reserve gigabytes.
inline constexpr std::int64_t MaxBmpPixels = std::int64_t{1} << 28;

} // namespace fw
