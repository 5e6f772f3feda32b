#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <vector>

#include <unistd.h>

#include "framework/core/bmp_codec.h"
#include "framework/core/exceptions.h"
#include "framework/core/files.h"
#include "support/one_bit_bmp.h"

using fw::Bitmap;

namespace {

using test_bmp::OneBitBmp;
using test_bmp::Put32;

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

void Set32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void ExpectInvalid(const std::vector<std::uint8_t>& bytes, const std::string& why)
{
    try {
        fw::DecodeBmp(bytes);
        ADD_FAILURE() << "accepted: " << why;
    } catch (const fw::EConvertError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Bitmap image is not valid: ", 0), 0u) << error.what();
    }
}

} // namespace

TEST(BmpCodec, RoundTripsEveryRowPadding)
{
    // Widths 1 to 5 give each of the four row paddings.
    for (int width = 1; width <= 5; ++width) {
        const Bitmap original = RandomBitmap(width, 3, static_cast<unsigned>(width));
        const std::vector<std::uint8_t> bytes = fw::EncodeBmp(original);
        EXPECT_EQ(bytes.size(), 54u + static_cast<std::size_t>((width * 3 + 3) / 4 * 4 * 3));
        EXPECT_TRUE(fw::DecodeBmp(bytes).SamePixels(original)) << "width " << width;
    }

    const std::vector<std::uint8_t> empty = fw::EncodeBmp(Bitmap());
    EXPECT_EQ(empty.size(), 54u);
    const Bitmap back = fw::DecodeBmp(empty);
    EXPECT_EQ(back.Width(), 0);
    EXPECT_EQ(back.Height(), 0);

    // A header claiming no columns but two thousand million rows holds no pixels: it reads
    // as the empty picture, which writes back as the header-only record at once.
    std::vector<std::uint8_t> noColumns(empty);
    const std::uint32_t rows = 2'000'000'000u;
    for (int i = 0; i < 4; ++i) {
        noColumns[22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rows >> (8 * i));
    }
    const Bitmap none = fw::DecodeBmp(noColumns);
    EXPECT_EQ(none.Width(), 0);
    EXPECT_EQ(none.Height(), 0);
    EXPECT_EQ(fw::EncodeBmp(none).size(), 54u);

    // Written as 24 bits, a monochrome bitmap keeps its black and white.
    Bitmap mono(9, 2, true);
    mono.SetPixel(8, 0, Bitmap::Black);
    mono.SetPixel(0, 1, Bitmap::Black);
    const Bitmap monoBack = fw::DecodeBmp(fw::EncodeBmp(mono));
    EXPECT_EQ(monoBack.Pixels(), mono.Pixels());
}

TEST(BmpCodec, ReadsOneBitImagesAsMonochrome)
{
    const std::vector<std::string> rows = {"#........#", ".#.#.#.#.#", "##########"};
    for (bool topDown : {false, true}) {
        // Bit 0 white, bit 1 black, then the other way round.
        for (bool inverted : {false, true}) {
            const auto bytes = inverted ? OneBitBmp(rows, 0x000000, 0xFFFFFF, topDown)
                                        : OneBitBmp(rows, 0xFFFFFF, 0x000000, topDown);
            const Bitmap bitmap = fw::DecodeBmp(bytes);
            ASSERT_EQ(bitmap.Width(), 10);
            ASSERT_EQ(bitmap.Height(), 3);
            EXPECT_TRUE(bitmap.Monochrome());
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 10; ++x) {
                    const bool set = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
                    EXPECT_EQ(bitmap.Pixel(x, y), set != inverted ? Bitmap::Black : Bitmap::White)
                        << x << "," << y << (topDown ? " top-down" : " bottom-up");
                }
            }
        }
    }
    // Palette colours other than black and white follow the monochrome rule: dark red
    // is black, light yellow white.
    const Bitmap coloured = fw::DecodeBmp(OneBitBmp({"#."}, 0xFFFF80, 0x800000, false));
    EXPECT_EQ(coloured.Pixel(0, 0), Bitmap::Black);
    EXPECT_EQ(coloured.Pixel(1, 0), Bitmap::White);
}

TEST(BmpCodec, RejectsBrokenFilesCleanly)
{
    const std::vector<std::uint8_t> good = fw::EncodeBmp(RandomBitmap(3, 2, 9));
    ASSERT_NO_THROW(fw::DecodeBmp(good));

    // Every truncation of a good file is refused, none read past the end (the sanitiser
    // would tell).
    for (std::size_t length = 0; length < good.size(); ++length) {
        ExpectInvalid(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)),
                      "cut to " + std::to_string(length));
    }
    const auto oneBit = OneBitBmp({"#.#"}, 0xFFFFFF, 0, false);
    for (std::size_t length = 0; length < oneBit.size(); ++length) {
        ExpectInvalid(std::vector<std::uint8_t>(oneBit.begin(), oneBit.begin() + static_cast<std::ptrdiff_t>(length)),
                      "1-bit cut to " + std::to_string(length));
    }

    auto changed = [&good](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> bytes(good);
        Set32(bytes, at, value);
        return bytes;
    };
    // Absurd sizes must fail before anything is allocated from them.
    ExpectInvalid(changed(18, 0x7FFFFFFF), "huge width");
    ExpectInvalid(changed(22, 0x7FFFFFFF), "huge height");
    ExpectInvalid(changed(22, 0x80000000), "height of the smallest integer");
    ExpectInvalid(changed(18, 0xFFFFFFFD), "negative width");
    ExpectInvalid(changed(18, 100000), "width beyond the pixel data");
    ExpectInvalid(changed(10, 0xFFFFFFF0), "pixel data offset beyond the file");
    ExpectInvalid(changed(14, 0xFFFFFFFF), "absurd info header size");
    ExpectInvalid(changed(14, 20), "unknown info header size");
    ExpectInvalid(changed(30, 1), "run-length compression");
    std::vector<std::uint8_t> eightBit(good);
    eightBit[28] = 8;
    ExpectInvalid(eightBit, "8 bits per pixel");
    std::vector<std::uint8_t> planes(good);
    planes[26] = 2;
    ExpectInvalid(planes, "two planes");
    std::vector<std::uint8_t> notBmp(good);
    notBmp[0] = 'P';
    ExpectInvalid(notBmp, "no signature");
    auto bigPalette = oneBit;
    Set32(bigPalette, 46, 0xFFFFFFFF);
    ExpectInvalid(bigPalette, "palette of four billion colours");
}

TEST(BmpCodec, SavesAndLoadsFiles)
{
    const std::filesystem::path path = std::filesystem::path(fw::TempFolder()) /
                                       ("tavelin_bmp_" + std::to_string(::getpid()) + ".bmp");
    const Bitmap original = RandomBitmap(7, 5, 11);
    fw::SaveBmpToFile(original, path.string());
    EXPECT_TRUE(fw::LoadBmpFromFile(path.string()).SamePixels(original));
    std::filesystem::remove(path);
    EXPECT_THROW(fw::LoadBmpFromFile(path.string()), fw::EFileError);
}
