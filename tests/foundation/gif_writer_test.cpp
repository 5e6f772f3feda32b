#include <gtest/gtest.h>

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/gif_writer.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "framework/core/files.h"

using fw::Bitmap;

namespace {

// What giflib, an independent decoder, makes of a file: rows as stored (interlaced files
// keep their pass order here), the colour table and the extensions we write.
struct DecodedGIF {
    int screenWidth = 0;
    int screenHeight = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    int tableBits = 0;
    std::vector<std::uint32_t> table; // 0x00BBGGRR, as our bitmaps hold colours
    std::vector<std::vector<std::uint8_t>> storedRows;
    bool hasControlBlock = false;
    int transparentIndex = NO_TRANSPARENT_COLOR;
    bool loopsForever = false;
    std::string comment;
    int imageCount = 0;
};

struct MemoryReader {
    const std::vector<std::uint8_t>* bytes;
    std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count),
                                                reader->bytes->size() - reader->position);
    std::memcpy(buffer, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

void Decode(const std::vector<std::uint8_t>& bytes, DecodedGIF& decoded)
{
    MemoryReader reader{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    decoded.screenWidth = gif->SWidth;
    decoded.screenHeight = gif->SHeight;
    EXPECT_EQ(gif->SColorMap, nullptr) << "no global colour table";
    bool applicationNext = false;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            ADD_FAILURE() << "record type: " << GifErrorString(gif->Error);
            break;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR) {
                ADD_FAILURE() << "image descriptor: " << GifErrorString(gif->Error);
                break;
            }
            ++decoded.imageCount;
            decoded.width = gif->Image.Width;
            decoded.height = gif->Image.Height;
            decoded.interlaced = gif->Image.Interlace;
            EXPECT_EQ(gif->Image.Left, 0);
            EXPECT_EQ(gif->Image.Top, 0);
            if (const ColorMapObject* map = gif->Image.ColorMap) {
                decoded.tableBits = map->BitsPerPixel;
                for (int i = 0; i < map->ColorCount; ++i) {
                    const GifColorType& c = map->Colors[i];
                    decoded.table.push_back(static_cast<std::uint32_t>(c.Red) |
                                            static_cast<std::uint32_t>(c.Green) << 8 |
                                            static_cast<std::uint32_t>(c.Blue) << 16);
                }
            }
            for (int y = 0; y < decoded.height; ++y) {
                std::vector<std::uint8_t> row(static_cast<std::size_t>(decoded.width));
                if (DGifGetLine(gif, row.data(), decoded.width) == GIF_ERROR) {
                    ADD_FAILURE() << "row " << y << ": " << GifErrorString(gif->Error);
                    break;
                }
                decoded.storedRows.push_back(std::move(row));
            }
        } else if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
                ADD_FAILURE() << "extension: " << GifErrorString(gif->Error);
                break;
            }
            bool first = true;
            while (block != nullptr) {
                const std::string data(reinterpret_cast<const char*>(block + 1), block[0]);
                if (code == GRAPHICS_EXT_FUNC_CODE) {
                    GraphicsControlBlock control;
                    EXPECT_EQ(DGifExtensionToGCB(block[0], block + 1, &control), GIF_OK);
                    decoded.hasControlBlock = true;
                    decoded.transparentIndex = control.TransparentColor;
                } else if (code == COMMENT_EXT_FUNC_CODE) {
                    decoded.comment += data;
                } else if (code == APPLICATION_EXT_FUNC_CODE) {
                    if (first) {
                        applicationNext = data == "NETSCAPE2.0";
                    } else if (applicationNext && data == std::string("\x01\x00\x00", 3)) {
                        decoded.loopsForever = true;
                    }
                }
                first = false;
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
                    ADD_FAILURE() << "extension block: " << GifErrorString(gif->Error);
                    break;
                }
            }
        }
    } while (type != TERMINATE_RECORD_TYPE);
    EXPECT_EQ(DGifCloseFile(gif, &error), GIF_OK);
}

// The rows of the interlaced order, written out independently of the writer's code.
std::vector<int> InterlacedRows(int height)
{
    std::vector<int> rows;
    for (int y = 0; y < height; y += 8) rows.push_back(y);
    for (int y = 4; y < height; y += 8) rows.push_back(y);
    for (int y = 2; y < height; y += 4) rows.push_back(y);
    for (int y = 1; y < height; y += 2) rows.push_back(y);
    return rows;
}

// Decodes and checks every pixel against the bitmap.
void ExpectSameImage(const Bitmap& bitmap, const std::vector<std::uint8_t>& bytes, DecodedGIF& decoded)
{
    ASSERT_NO_FATAL_FAILURE(Decode(bytes, decoded));
    ASSERT_EQ(decoded.imageCount, 1);
    ASSERT_EQ(decoded.width, bitmap.Width());
    ASSERT_EQ(decoded.height, bitmap.Height());
    EXPECT_EQ(decoded.screenWidth, bitmap.Width());
    EXPECT_EQ(decoded.screenHeight, bitmap.Height());
    ASSERT_EQ(decoded.storedRows.size(), static_cast<std::size_t>(bitmap.Height()));
    std::vector<int> order(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        order[static_cast<std::size_t>(y)] = y;
    }
    if (decoded.interlaced) {
        order = InterlacedRows(bitmap.Height());
    }
    int wrong = 0;
    for (std::size_t stored = 0; stored < order.size(); ++stored) {
        const int y = order[stored];
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint8_t index = decoded.storedRows[stored][static_cast<std::size_t>(x)];
            const bool same = index < decoded.table.size() && decoded.table[index] == bitmap.Pixel(x, y);
            if (!same && ++wrong <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " differs";
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

std::vector<std::uint8_t> Encode(const Bitmap& bitmap, const GIFOptions& options = {})
{
    auto bytes = EncodeBitmapAsGIF(bitmap, options);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(std::vector<std::uint8_t>{});
}

// A bitmap whose pixels take the given number of colours, in a pseudo-random layout,
// every colour at least once.
Bitmap WithColours(int width, int height, int colours, unsigned seed)
{
    Bitmap bitmap(width, height);
    std::mt19937 random(seed);
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < colours; ++i) {
        // Distinct through the red and green bytes, blue at random.
        palette.push_back((random() & 0xFF0000) | static_cast<std::uint32_t>(i * 0x0101 % 0x10000));
    }
    for (int i = 0; i < width * height; ++i) {
        const std::size_t pick = i < colours ? static_cast<std::size_t>(i) : random() % palette.size();
        bitmap.SetPixel(i % width, i / width, palette[pick]);
    }
    return bitmap;
}

class GIFFile : public testing::Test {
protected:
    void SetUp() override
    {
        path_ = std::filesystem::path(fw::TempFolder()) /
                ("tavelin_gif_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".gif");
        std::filesystem::remove(path_);
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::filesystem::path path_;
};

} // namespace

TEST(GIFWriter, TwoColoursTakeOneBit)
{
    Bitmap bitmap(13, 7, true);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 13; ++x) {
            if ((x + y) % 3 == 0) {
                bitmap.SetPixel(x, y, Bitmap::Black);
            }
        }
    }
    DecodedGIF decoded;
    ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap), decoded));
    EXPECT_EQ(decoded.tableBits, 1);
    // First met first: the top-left pixel is black.
    EXPECT_EQ(decoded.table, (std::vector<std::uint32_t>{Bitmap::Black, Bitmap::White}));
    EXPECT_FALSE(decoded.interlaced);
}

TEST(GIFWriter, TableSizeFollowsColourCount)
{
    const std::pair<int, int> cases[] = {{1, 1},  {2, 1},  {3, 2},  {4, 2},   {5, 3},   {8, 3},   {9, 4},   {16, 4},
                                         {17, 5}, {32, 5}, {33, 6}, {64, 6},  {65, 7},  {128, 7}, {129, 8}, {256, 8}};
    for (auto [colours, bits] : cases) {
        const Bitmap bitmap = WithColours(37, 19, colours, static_cast<unsigned>(colours));
        DecodedGIF decoded;
        ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap), decoded)) << colours << " colours";
        EXPECT_EQ(decoded.tableBits, bits) << colours << " colours";
        ASSERT_EQ(decoded.table.size(), std::size_t{1} << bits);
        // The colours in the order first met, the rest of the table black.
        for (int i = 0; i < colours; ++i) {
            EXPECT_EQ(decoded.table[static_cast<std::size_t>(i)], bitmap.Pixel(i % 37, i / 37));
        }
        for (std::size_t i = static_cast<std::size_t>(colours); i < decoded.table.size(); ++i) {
            EXPECT_EQ(decoded.table[i], 0u);
        }
    }
}

TEST(GIFWriter, ImagesOfAnyShapeSurviveTheCodeTable)
{
    std::vector<Bitmap> bitmaps;
    bitmaps.push_back(WithColours(1, 1, 1, 1));
    bitmaps.push_back(WithColours(4000, 1, 256, 2));
    bitmaps.push_back(WithColours(1, 300, 7, 3));
    // Noise of 256 colours fills the code table again and again.
    bitmaps.push_back(WithColours(500, 300, 256, 4));
    // So does noise of 3 colours, with the smallest codes.
    bitmaps.push_back(WithColours(400, 400, 3, 5));
    // Long runs and repeated stripes make long codes.
    Bitmap stripes(640, 200);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 640; ++x) {
            stripes.SetPixel(x, y, ((x / 7 + y / 3) % 5) * 0x203040u);
        }
    }
    bitmaps.push_back(stripes);
    Bitmap monochromeBand(4000, 1, true);
    for (int x = 0; x < 4000; x += 3) {
        monochromeBand.SetPixel(x, 0, Bitmap::Black);
    }
    bitmaps.push_back(monochromeBand);

    for (const Bitmap& bitmap : bitmaps) {
        for (bool interlaced : {false, true}) {
            DecodedGIF decoded;
            ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap, GIFOptions{interlaced, 0, false}), decoded))
                << bitmap.Width() << " x " << bitmap.Height() << (interlaced ? " interlaced" : "");
            EXPECT_EQ(decoded.interlaced, interlaced);
        }
    }
}

TEST(GIFWriter, InterlacedRowsComeInFourPasses)
{
    // Every row its own colour, so that the stored rows show their order.
    for (int height : {1, 2, 3, 5, 8, 9, 21}) {
        Bitmap bitmap(3, height);
        for (int y = 0; y < height; ++y) {
            bitmap.FillRect(fw::Rect{0, y, 3, y + 1}, static_cast<std::uint32_t>(y) * 0x010203u);
        }
        DecodedGIF decoded;
        ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap, GIFOptions{true, 0, false}), decoded));
        ASSERT_TRUE(decoded.interlaced);
        const std::vector<int> order = InterlacedRows(height);
        for (std::size_t stored = 0; stored < order.size(); ++stored) {
            // Colours are numbered as met: in the interlaced order, stored row k has colour k.
            EXPECT_EQ(decoded.storedRows[stored][0], stored) << "height " << height;
            EXPECT_EQ(decoded.table[stored], static_cast<std::uint32_t>(order[stored]) * 0x010203u);
        }
    }
    // For 21 rows written out: 0 8 16, 4 12 20, 2 6 10 14 18, then the odd rows.
    EXPECT_EQ(InterlacedRows(21),
              (std::vector<int>{0, 8, 16, 4, 12, 20, 2, 6, 10, 14, 18, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
}

TEST(GIFWriter, TransparentColourMarksItsIndex)
{
    const Bitmap bitmap = WithColours(10, 10, 6, 7);
    const std::uint32_t third = bitmap.Pixel(2, 0);

    DecodedGIF marked;
    ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap, GIFOptions{false, third, true}), marked));
    EXPECT_TRUE(marked.hasControlBlock);
    EXPECT_EQ(marked.transparentIndex, 2);

    DecodedGIF interlaced;
    ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap, GIFOptions{true, third, true}), interlaced));
    ASSERT_GE(interlaced.transparentIndex, 0);
    EXPECT_EQ(interlaced.table[static_cast<std::size_t>(interlaced.transparentIndex)], third);

    // The first colour met takes index 0, which is a transparent index like any other.
    const std::uint32_t first = bitmap.Pixel(0, 0);
    DecodedGIF firstMarked;
    ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap, GIFOptions{false, first, true}), firstMarked));
    ASSERT_EQ(firstMarked.transparentIndex, 0);
    EXPECT_EQ(firstMarked.table[0], first);

    // Not asked for, not in the image, or a system colour: nothing is transparent.
    const GIFOptions unmarked[] = {{false, third, false}, {false, 0x00ABCDEF, true}, {false, 0x80000000 | third, true}};
    for (const GIFOptions& options : unmarked) {
        DecodedGIF decoded;
        ASSERT_NO_FATAL_FAILURE(ExpectSameImage(bitmap, Encode(bitmap, options), decoded));
        EXPECT_TRUE(decoded.hasControlBlock);
        EXPECT_EQ(decoded.transparentIndex, NO_TRANSPARENT_COLOR);
    }
}

TEST(GIFWriter, FileLayout)
{
    // A plain area compresses to a small file, as LZW should.
    Bitmap plain(1000, 1000);
    plain.FillRect(plain.Bounds(), 0x336699);
    const std::vector<std::uint8_t> bytes = Encode(plain);
    EXPECT_LT(bytes.size(), 6000u);
    ASSERT_GT(bytes.size(), 13u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(bytes.back(), 0x3B);
    DecodedGIF decoded;
    ASSERT_NO_FATAL_FAILURE(ExpectSameImage(plain, bytes, decoded));
    EXPECT_TRUE(decoded.loopsForever);
    EXPECT_FALSE(decoded.comment.empty());
    EXPECT_EQ(GIFWriterStatus(), GIFStatus::Done);

    EXPECT_THROW((void)EncodeBitmapAsGIF(Bitmap(65536, 1), {}), fw::EConvertError);
    EXPECT_THROW((void)EncodeBitmapAsGIF(Bitmap(5, 0), {}), fw::EConvertError);
    EXPECT_EQ(GIFWriterStatus(), GIFStatus::Done) << "an error ends the busy state";
}

TEST_F(GIFFile, SavesOnlyWhatItCanWriteExactly)
{
    const Bitmap bitmap = WithColours(50, 20, 200, 8);
    ASSERT_TRUE(SaveBitmapAsGIF(path_.string(), bitmap, true, bitmap.Pixel(0, 0), true));
    EXPECT_EQ(GIFWriterStatus(), GIFStatus::Done);
    const std::string saved = fw::ReadFileBytes(path_);
    const std::vector<std::uint8_t> expected = Encode(bitmap, GIFOptions{true, bitmap.Pixel(0, 0), true});
    EXPECT_EQ(saved, std::string(expected.begin(), expected.end()));

    // 257 colours: no file, and an existing file stays as it was. The 257th colour comes
    // last, so nothing may be written before it is met.
    const Bitmap tooMany = WithColours(257, 1, 257, 9);
    EXPECT_FALSE(EncodeBitmapAsGIF(tooMany, {}).has_value());
    EXPECT_EQ(GIFWriterStatus(), GIFStatus::TooManyColours);
    EXPECT_FALSE(SaveBitmapAsGIF(path_.string(), tooMany, false, 0, false));
    EXPECT_EQ(GIFWriterStatus(), GIFStatus::TooManyColours);
    EXPECT_EQ(fw::ReadFileBytes(path_), saved);
    std::filesystem::remove(path_);
    EXPECT_FALSE(SaveBitmapAsGIF(path_.string(), tooMany, true, 0, false));
    EXPECT_FALSE(std::filesystem::exists(path_));

    // A folder that does not exist is an error, not a silent failure.
    EXPECT_THROW((void)SaveBitmapAsGIF((path_ / "no" / "such.gif").string(), bitmap, false, 0, false), fw::EFileError);
}
