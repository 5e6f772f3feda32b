#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/bitmap.h"

// Export of bitmaps as GIF89a images with their exact colours: no colour reduction, so a
// bitmap of more than 256 distinct colours cannot be written.

// The outcome of the last export, readable from any thread while one runs.
enum class GIFStatus : int {
    Done = 0,
    TooManyColours = 4,
    Busy = 6,
};
GIFStatus GIFWriterStatus();

struct GIFOptions {
    // Rows in the four-pass order, so that viewers can show a coarse image early.
    bool Interlaced = false;
    // With Transparent set, the pixels of this RGB colour are marked transparent. A colour
    // not in the image, or a system colour (top bit set; resolve it first), marks nothing.
    std::uint32_t TransparentColour = 0;
    bool Transparent = false;
};

// The whole GIF file in memory; none when the bitmap holds more than 256 colours.
// An empty bitmap, or one wider or higher than 65535 pixels, cannot be a GIF: EConvertError.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> EncodeBitmapAsGIF(const fw::Bitmap& bitmap,
                                                                         const GIFOptions& options);

// Builds the GIF in memory and only when that succeeds replaces the file with it. False
// (and no file touched) when the bitmap holds more than 256 colours; the caller must tell
// the user, hence [[nodiscard]]. A file that cannot be written raises EFileError.
[[nodiscard]] bool SaveBitmapAsGIF(const std::string& fileName, const fw::Bitmap& bitmap, bool interlaced,
                                   std::uint32_t transparentColour, bool transparent);
