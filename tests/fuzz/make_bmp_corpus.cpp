// Writes the seed files of the BMP reader's fuzz target that come from our own writer: the
// pictures the program exports, so that the fuzzer starts from files shaped like them. The
// other seeds (1-bit pictures, the older and newer info headers, top-down rows, broken
// headers) are kept by hand, as our writer makes none of them.
//
//   make_bmp_corpus <folder>           the small gen-*.bmp files kept with the sources
//   make_bmp_corpus --large <folder>   the large-*.bmp files made afresh for each run: a
//                                      picture of the program's, and a one-bit design as
//                                      other programs write them (the kind a design imports)
//
// The output depends on nothing but this program and the writer, so the kept files can be
// checked against a fresh run.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/bmp_codec.h"
#include "corpus_maker.h"
#include "support/one_bit_bmp.h"

namespace {

namespace fs = std::filesystem;

void Save(const fs::path& folder, const char* name, const fw::Bitmap& bitmap)
{
    fw::SaveBmpToFile(bitmap, (folder / name).string());
}

// Diagonal stripes of a few colours, as a band picture has.
fw::Bitmap Stripes(int width, int height)
{
    constexpr std::uint32_t colours[] = {0x0000C0, 0x00C000, 0xC00000, 0xF0F0F0, 0x202020};
    fw::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, colours[(x + y) / 3 % 5]);
        }
    }
    return bitmap;
}

void WriteSmall(const fs::path& folder)
{
    Save(folder, "gen-empty.bmp", fw::Bitmap());
    Save(folder, "gen-one-pixel.bmp", Stripes(1, 1));
    // Widths of every row padding: 3, 2, 1 and 0 bytes.
    Save(folder, "gen-width-1.bmp", Stripes(1, 3));
    Save(folder, "gen-width-2.bmp", Stripes(2, 3));
    Save(folder, "gen-width-3.bmp", Stripes(3, 3));
    Save(folder, "gen-width-4.bmp", Stripes(4, 3));
    Save(folder, "gen-band.bmp", Stripes(48, 16));
    fw::Bitmap design(13, 7, true);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 13; ++x) {
            design.SetPixel(x, y, (x * y) % 3 == 0 ? fw::Bitmap::Black : fw::Bitmap::White);
        }
    }
    Save(folder, "gen-monochrome-design.bmp", design);
    // Every shade of red, green and blue.
    fw::Bitmap shades(256, 3);
    for (int x = 0; x < 256; ++x) {
        const auto value = static_cast<std::uint32_t>(x);
        shades.SetPixel(x, 0, value);
        shades.SetPixel(x, 1, value << 8);
        shades.SetPixel(x, 2, value << 16);
    }
    Save(folder, "gen-shades.bmp", shades);
}

// A one-bit design as other programs write it, the kind of picture a design imports: as
// wide as large real work has cards.
void SaveOneBitDesign(const fs::path& folder, const char* name, int width, int height)
{
    std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x + y) % 9 < 3 || x * y % 7 == 0) {
                rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#';
            }
        }
    }
    const std::vector<std::uint8_t> bytes = test_bmp::OneBitBmp(rows, 0xFFFFFF, 0x000000, false);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + (folder / name).string());
    }
}

// Too large to keep with the sources.
void WriteLarge(const fs::path& folder)
{
    Save(folder, "large-band.bmp", Stripes(1200, 900));
    SaveOneBitDesign(folder, "large-one-bit-design.bmp", 300, 200);
}

} // namespace

int main(int argc, char** argv)
{
    return RunCorpusMaker(argc, argv, "make_bmp_corpus", [](const fs::path& folder, bool large) {
        large ? WriteLarge(folder) : WriteSmall(folder);
    });
}
