#include "framework/core/bmp_codec.h"

#include <cstdint>
#include <string_view>

#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"

namespace fw {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t LargestInfoHeaderSize = 124;
constexpr std::uint32_t UncompressedRgb = 0;

[[noreturn]] void RaiseInvalid(std::string_view reason)
{
    throw EConvertError("Bitmap image is not valid: " + std::string(reason));
}

// Little-endian reads from a span whose length the caller has already checked.
std::uint32_t U16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return U16At(bytes, at) | U16At(bytes, at + 2) << 16;
}

std::int32_t I32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(U32At(bytes, at));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// Rows are padded to whole 32-bit words.
std::int64_t RowStride(std::int64_t width, std::int64_t bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

struct BmpHeader {
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive here; topDown tells the row order
    bool topDown = false;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t paletteCount = 0;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t pixelOffset = 0;
};

BmpHeader ReadHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < FileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        RaiseInvalid("no BMP file header");
    }
    BmpHeader header;
    header.pixelOffset = U32At(bytes, 10);
    const std::uint32_t infoSize = U32At(bytes, FileHeaderSize);
    if (infoSize != CoreHeaderSize && (infoSize < InfoHeaderSize || infoSize > LargestInfoHeaderSize)) {
        RaiseInvalid("unknown info header size " + std::to_string(infoSize));
    }
    if (bytes.size() < FileHeaderSize + infoSize) {
        RaiseInvalid("truncated info header");
    }
    std::uint32_t planes = 0;
    if (infoSize == CoreHeaderSize) {
        header.width = U16At(bytes, 18);
        header.height = U16At(bytes, 20);
        planes = U16At(bytes, 22);
        header.bitsPerPixel = U16At(bytes, 24);
        header.paletteEntrySize = 3;
    } else {
        header.width = I32At(bytes, 18);
        header.height = I32At(bytes, 22);
        planes = U16At(bytes, 26);
        header.bitsPerPixel = U16At(bytes, 28);
        if (U32At(bytes, 30) != UncompressedRgb) {
            RaiseInvalid("compressed images are not supported");
        }
        header.paletteCount = U32At(bytes, 46);
    }
    if (planes != 1) {
        RaiseInvalid("plane count " + std::to_string(planes));
    }
    if (header.bitsPerPixel != 1 && header.bitsPerPixel != 24) {
        RaiseInvalid(std::to_string(header.bitsPerPixel) + " bits per pixel are not supported");
    }
    if (header.width < 0) {
        RaiseInvalid("negative width");
    }
    if (header.height < 0) {
        header.height = -header.height;
        header.topDown = true;
    }
    if (header.height > INT32_MAX) {
        RaiseInvalid("height out of range");
    }
    if (header.width * header.height > MaxBmpPixels) {
        RaiseInvalid("image of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                     " pixels is too large");
    }
    if (header.bitsPerPixel == 1) {
        if (header.paletteCount == 0) {
            header.paletteCount = 2;
        }
        if (header.paletteCount > 2) {
            RaiseInvalid("palette of " + std::to_string(header.paletteCount) + " colours for 1 bit per pixel");
        }
        header.paletteOffset = FileHeaderSize + infoSize;
        if (header.paletteOffset + header.paletteCount * header.paletteEntrySize > bytes.size()) {
            RaiseInvalid("truncated palette");
        }
    }
    const std::int64_t pixelBytes = RowStride(header.width, header.bitsPerPixel) * header.height;
    if (header.pixelOffset > bytes.size() ||
        pixelBytes > static_cast<std::int64_t>(bytes.size() - header.pixelOffset)) {
        RaiseInvalid("truncated pixel data");
    }
    return header;
}

} // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> bytes)
{
    const BmpHeader header = ReadHeader(bytes);
    // A picture without pixels (no columns or no rows) is the empty picture, whatever its
    // other side claims: nothing may later walk millions of empty rows.
    if (header.width == 0 || header.height == 0) {
        return Bitmap();
    }
    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height);
    const std::size_t stride = static_cast<std::size_t>(RowStride(header.width, header.bitsPerPixel));

    if (header.bitsPerPixel == 24) {
        Bitmap bitmap(width, height);
        for (int row = 0; row < height && width > 0; ++row) {
            const std::uint8_t* in = bytes.data() + header.pixelOffset + static_cast<std::size_t>(row) * stride;
            std::uint32_t* out = bitmap.ScanLine(header.topDown ? row : height - 1 - row);
            for (int x = 0; x < width; ++x, in += 3) {
                // Stored blue, green, red; we hold red in the low byte.
                out[x] = static_cast<std::uint32_t>(in[2]) | static_cast<std::uint32_t>(in[1]) << 8 |
                         static_cast<std::uint32_t>(in[0]) << 16;
            }
        }
        return bitmap;
    }

    // A palette shorter than two entries leaves the missing colour black.
    std::uint32_t palette[2] = {Bitmap::Black, Bitmap::Black};
    for (std::uint32_t entry = 0; entry < header.paletteCount; ++entry) {
        const std::uint8_t* colour = bytes.data() + header.paletteOffset + entry * header.paletteEntrySize;
        palette[entry] = Bitmap::MonochromeOf(static_cast<std::uint32_t>(colour[2]) |
                                              static_cast<std::uint32_t>(colour[1]) << 8 |
                                              static_cast<std::uint32_t>(colour[0]) << 16);
    }
    Bitmap bitmap(width, height, true);
    for (int row = 0; row < height && width > 0; ++row) {
        const std::uint8_t* in = bytes.data() + header.pixelOffset + static_cast<std::size_t>(row) * stride;
        std::uint32_t* out = bitmap.ScanLine(header.topDown ? row : height - 1 - row);
        for (int x = 0; x < width; ++x) {
            // The leftmost pixel sits in the highest bit.
            out[x] = palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
        }
    }
    return bitmap;
}

Bitmap LoadBmpFromFile(const std::string& path)
{
    const std::string bytes = ReadFileBytes(path);
    return DecodeBmp(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap)
{
    // Without pixels the record is the header-only 0 x 0 picture.
    const bool empty = bitmap.Width() <= 0 || bitmap.Height() <= 0;
    const int width = empty ? 0 : bitmap.Width();
    const int height = empty ? 0 : bitmap.Height();
    const std::size_t stride = static_cast<std::size_t>(RowStride(width, 24));
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    const std::size_t pixelOffset = FileHeaderSize + InfoHeaderSize;

    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<std::uint32_t>(pixelOffset + pixelBytes));
    PutU32(out, 0); // reserved
    PutU32(out, static_cast<std::uint32_t>(pixelOffset));

    PutU32(out, InfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height)); // positive: bottom row first
    PutU16(out, 1);                                  // planes
    PutU16(out, 24);                                 // bits per pixel
    PutU32(out, UncompressedRgb);
    PutU32(out, static_cast<std::uint32_t>(pixelBytes));
    PutU32(out, 0); // horizontal resolution: unknown
    PutU32(out, 0); // vertical resolution: unknown
    PutU32(out, 0); // colours used: all
    PutU32(out, 0); // important colours: all

    for (int row = height - 1; row >= 0; --row) {
        const std::uint32_t* in = bitmap.ScanLine(row);
        for (int x = 0; x < width; ++x) {
            out.push_back(static_cast<std::uint8_t>(in[x] >> 16));
            out.push_back(static_cast<std::uint8_t>(in[x] >> 8));
            out.push_back(static_cast<std::uint8_t>(in[x]));
        }
        out.resize(out.size() + (stride - static_cast<std::size_t>(width) * 3), 0);
    }
    return out;
}

void SaveBmpToFile(const Bitmap& bitmap, const std::string& path)
{
    const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap);
    WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace fw
