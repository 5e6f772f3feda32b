#include "foundation/gif_writer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <string_view>

#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "framework/core/strings.h"

namespace {

constinit std::atomic<GIFStatus> status{GIFStatus::Done};

// Marks the export busy for its lifetime and leaves the final status behind, also when an
// error ends it early (then the export is simply over: Done).
class StatusScope {
public:
    StatusScope() { status = GIFStatus::Busy; }
    ~StatusScope() { status = final_; }
    StatusScope(const StatusScope&) = delete;
    StatusScope& operator=(const StatusScope&) = delete;
    void Finish(GIFStatus final) { final_ = final; }

private:
    GIFStatus final_ = GIFStatus::Done;
};

constexpr int MaxColours = 256;
constexpr int MaxGIFSide = 0xFFFF;
constexpr std::string_view Comment = "Tavelin tablet-weaving design";

// The rows in the order they are stored: top to bottom, or the four interlace passes
// (every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            rows.push_back(y);
        }
        return rows;
    }
    constexpr int starts[] = {0, 4, 2, 1};
    constexpr int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = starts[pass]; y < height; y += steps[pass]) {
            rows.push_back(y);
        }
    }
    return rows;
}

// The colours in the order first met, and every pixel as an index into them.
class IndexedImage {
public:
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;

    // False when a 257th colour turns up.
    bool Build(const fw::Bitmap& bitmap, const std::vector<int>& rows)
    {
        slots_.fill(EmptySlot);
        indices.resize(static_cast<std::size_t>(bitmap.Width()) * rows.size());
        std::uint8_t* out = indices.data();
        // Neighbouring pixels mostly share their colour: remember the last one (at first
        // none, as no pixel's colour has bits above the 24th).
        std::uint32_t lastColour = NoColour;
        std::uint8_t lastIndex = 0;
        for (int y : rows) {
            const std::uint32_t* in = bitmap.ScanLine(y);
            for (int x = 0; x < bitmap.Width(); ++x) {
                const std::uint32_t colour = in[x] & 0xFFFFFF;
                if (colour != lastColour) {
                    // Mostly the colour sits in its own slot; probing and adding are the
                    // rare way.
                    const std::uint64_t slot = slots_[Hash(colour)];
                    int index = static_cast<std::uint32_t>(slot) == colour ? static_cast<int>(slot >> 32) : -1;
                    if (index < 0 && (index = IndexOf(colour)) < 0) {
                        return false;
                    }
                    lastColour = colour;
                    lastIndex = static_cast<std::uint8_t>(index);
                }
                *out++ = lastIndex;
            }
        }
        return true;
    }

    // The palette index of an RGB colour already met, -1 otherwise.
    int Find(std::uint32_t colour) const
    {
        for (std::size_t slot = Hash(colour);; slot = (slot + 1) & SlotMask) {
            if (slots_[slot] == EmptySlot) {
                return -1;
            }
            if (static_cast<std::uint32_t>(slots_[slot]) == colour) {
                return static_cast<int>(slots_[slot] >> 32);
            }
        }
    }

private:
    // Each slot holds the colour in its low 32 bits and its index above them; a free slot
    // is all ones, which no colour of 24 bits is.
    static constexpr std::size_t SlotCount = 2048; // at most an eighth full
    static constexpr std::size_t SlotMask = SlotCount - 1;
    static constexpr std::uint64_t EmptySlot = ~std::uint64_t{0};
    static constexpr std::uint32_t NoColour = ~std::uint32_t{0};

    static std::size_t Hash(std::uint32_t colour) { return (colour * 2654435761u) >> 21; }

    [[gnu::noinline]] int IndexOf(std::uint32_t colour)
    {
        std::size_t slot = Hash(colour);
        for (; slots_[slot] != EmptySlot; slot = (slot + 1) & SlotMask) {
            if (static_cast<std::uint32_t>(slots_[slot]) == colour) {
                return static_cast<int>(slots_[slot] >> 32);
            }
        }
        if (palette.size() == MaxColours) {
            return -1;
        }
        const auto index = static_cast<std::uint64_t>(palette.size());
        slots_[slot] = index << 32 | colour;
        palette.push_back(colour);
        return static_cast<int>(index);
    }

    std::array<std::uint64_t, SlotCount> slots_{};
};

// The smallest bit count whose table holds all colours; at least 1.
int BitsForColours(std::size_t colours)
{
    int bits = 1;
    while ((std::size_t{1} << bits) < colours) {
        ++bits;
    }
    return bits;
}

// Data sub-blocks: a length byte (1 to 255) before each piece, an empty block after all.
void PutSubBlocks(std::vector<std::uint8_t>& out, const std::uint8_t* data, std::size_t size)
{
    out.reserve(out.size() + size + size / 255 + 2);
    while (size > 0) {
        const std::size_t piece = std::min<std::size_t>(size, 255);
        out.push_back(static_cast<std::uint8_t>(piece));
        out.insert(out.end(), data, data + piece);
        data += piece;
        size -= piece;
    }
    out.push_back(0);
}

// Variable-length LZW as GIF wants it: codes from minCodeSize + 1 up to 12 bits, least
// significant bit first, a clear code first and whenever the table is full, and the
// end-of-information code last. The codes are packed into one buffer, four bytes at a
// time, and go into data sub-blocks (a length byte, then up to 255 bytes) at the end.
class LzwEncoder {
public:
    void Encode(const std::vector<std::uint8_t>& pixels, int minCodeSize, std::vector<std::uint8_t>& out)
    {
        // Room for the most codes a stream can hold: one a pixel, the clear codes, the
        // first and the last, at most 12 bits each, and a whole 4-byte store beyond.
        const std::size_t room = (pixels.size() + pixels.size() / 256 + 8) * 2 + 16;
        // Not cleared first: every byte read back is written before.
        const auto stream = std::make_unique_for_overwrite<std::uint8_t[]>(room);
        at_ = stream.get();
        clearCode_ = 1u << minCodeSize;
        minCodeSize_ = static_cast<std::uint32_t>(minCodeSize);
        const std::uint32_t endCode = clearCode_ + 1;

        Clear();
        Emit(clearCode_);
        if (!pixels.empty()) {
            std::uint32_t prefix = pixels[0];
            for (std::size_t i = 1; i < pixels.size(); ++i) {
                const std::uint32_t pixel = pixels[i];
                const std::uint32_t key = prefix << 8 | pixel;
                std::size_t slot = Hash(key);
                std::uint32_t found = NoCode;
                for (std::uint32_t entry; (entry = table_[slot]) != 0; slot = (slot + 1) & TableMask) {
                    if (entry >> 12 == key) {
                        found = entry & 0xFFF;
                        break;
                    }
                }
                if (found != NoCode) {
                    prefix = found;
                    continue;
                }
                Emit(prefix);
                if (nextCode_ < MaxCodes) {
                    // The code about to be made no longer fits: the decoder widens too.
                    if (nextCode_ == (1u << codeSize_)) {
                        ++codeSize_;
                    }
                    table_[slot] = key << 12 | nextCode_;
                    ++nextCode_;
                } else {
                    Emit(clearCode_);
                    Clear();
                }
                prefix = pixel;
            }
            Emit(prefix);
        }
        Emit(endCode);
        // The last byte may be partly filled.
        while (bitCount_ > 0) {
            *at_++ = static_cast<std::uint8_t>(bitBuffer_);
            bitBuffer_ >>= 8;
            bitCount_ = bitCount_ > 8 ? bitCount_ - 8 : 0;
        }
        PutSubBlocks(out, stream.get(), static_cast<std::size_t>(at_ - stream.get()));
    }

private:
    static constexpr int MaxBits = 12;
    static constexpr std::uint32_t MaxCodes = 1u << MaxBits;
    static constexpr std::uint32_t NoCode = ~0u;
    // Eight times the codes, so that probes stay short (measured: faster than four times,
    // and four times faster than twice, though the table no longer fits the first-level
    // cache: on noise nearly every look-up misses, and a miss probes until a free slot). An
    // entry packs the key (prefix code and pixel, 20 bits) above the code (12 bits); 0
    // marks a free slot, which no entry is, because made codes start above the end code.
    static constexpr int TableBits = 15;
    static constexpr std::size_t TableSize = std::size_t{1} << TableBits;
    static constexpr std::size_t TableMask = TableSize - 1;

    static std::size_t Hash(std::uint32_t key) { return (key * 2654435761u) >> (32 - TableBits); }

    void Clear()
    {
        std::fill_n(table_.get(), TableSize, 0u);
        nextCode_ = clearCode_ + 2;
        codeSize_ = minCodeSize_ + 1;
    }

    void Emit(std::uint32_t code)
    {
        bitBuffer_ |= static_cast<std::uint64_t>(code) << bitCount_;
        bitCount_ += codeSize_;
        if (bitCount_ >= 32) {
            // Byte by byte, least significant first; the compiler makes it one store.
            at_[0] = static_cast<std::uint8_t>(bitBuffer_);
            at_[1] = static_cast<std::uint8_t>(bitBuffer_ >> 8);
            at_[2] = static_cast<std::uint8_t>(bitBuffer_ >> 16);
            at_[3] = static_cast<std::uint8_t>(bitBuffer_ >> 24);
            at_ += 4;
            bitBuffer_ >>= 32;
            bitCount_ -= 32;
        }
    }

    // On the heap: at 128 KB it is too large for a thread's stack. Clear() fills it first.
    std::unique_ptr<std::uint32_t[]> table_ = std::make_unique_for_overwrite<std::uint32_t[]>(TableSize);
    std::uint8_t* at_ = nullptr;
    std::uint64_t bitBuffer_ = 0;
    std::uint32_t bitCount_ = 0;
    std::uint32_t clearCode_ = 0;
    std::uint32_t nextCode_ = 0;
    std::uint32_t codeSize_ = 0;
    std::uint32_t minCodeSize_ = 2;
};

void PutU16(std::vector<std::uint8_t>& out, int value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutText(std::vector<std::uint8_t>& out, std::string_view text)
{
    // Byte by byte: a ranged insert here trips a false overflow warning of g++ 12 at -O3.
    for (const char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
}

std::vector<std::uint8_t> WriteFile(int width, int height, const IndexedImage& image, const GIFOptions& options)
{
    const int bits = BitsForColours(image.palette.size());
    const int minCodeSize = std::max(bits, 2);
    int transparentIndex = -1;
    if (options.Transparent && (options.TransparentColour & 0xFF000000u) == 0) {
        transparentIndex = image.Find(options.TransparentColour);
    }
    std::vector<std::uint8_t> out;
    // Room for the usual case, about a byte per pixel, so that the buffer rarely moves.
    out.reserve(image.indices.size() + image.indices.size() / 255 + 1024);
    PutText(out, "GIF89a");

    // Logical screen: the image's size, no global colour table, 8 bits per primary.
    PutU16(out, width);
    PutU16(out, height);
    out.push_back(0x70);
    out.push_back(0); // background colour index
    out.push_back(0); // square pixels

    // The looping extension most viewers know; a loop count of 0 repeats forever.
    out.push_back(0x21);
    out.push_back(0xFF);
    out.push_back(11);
    PutText(out, "NETSCAPE2.0");
    out.push_back(3);
    out.push_back(1);
    PutU16(out, 0);
    out.push_back(0);

    // Graphic control: no disposal, no delay, the transparent index when there is one.
    out.push_back(0x21);
    out.push_back(0xF9);
    out.push_back(4);
    out.push_back(transparentIndex >= 0 ? 0x01 : 0x00);
    PutU16(out, 0);
    out.push_back(static_cast<std::uint8_t>(std::max(transparentIndex, 0)));
    out.push_back(0);

    // Image descriptor with a local colour table of 2^bits entries.
    out.push_back(0x2C);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, width);
    PutU16(out, height);
    out.push_back(static_cast<std::uint8_t>(0x80 | (options.Interlaced ? 0x40 : 0x00) | (bits - 1)));
    const std::size_t tableEntries = std::size_t{1} << bits;
    for (std::size_t i = 0; i < tableEntries; ++i) {
        const std::uint32_t colour = i < image.palette.size() ? image.palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(colour));
        out.push_back(static_cast<std::uint8_t>(colour >> 8));
        out.push_back(static_cast<std::uint8_t>(colour >> 16));
    }

    out.push_back(static_cast<std::uint8_t>(minCodeSize));
    LzwEncoder().Encode(image.indices, minCodeSize, out);

    out.push_back(0x21);
    out.push_back(0xFE);
    PutSubBlocks(out, reinterpret_cast<const std::uint8_t*>(Comment.data()), Comment.size());

    out.push_back(0x3B);
    return out;
}

std::optional<std::vector<std::uint8_t>> Encode(const fw::Bitmap& bitmap, const GIFOptions& options,
                                                StatusScope& scope)
{
    // Decoders refuse an image without pixels, so no such file is made.
    if (bitmap.Empty()) {
        throw fw::EConvertError("An empty bitmap cannot be saved as a GIF image");
    }
    if (bitmap.Width() > MaxGIFSide || bitmap.Height() > MaxGIFSide) {
        throw fw::EConvertError("A GIF image can be at most " + fw::IntToStr(MaxGIFSide) +
                                " pixels wide and high; this one is " + fw::IntToStr(bitmap.Width()) + " x " +
                                fw::IntToStr(bitmap.Height()));
    }
    IndexedImage image;
    if (!image.Build(bitmap, RowOrder(bitmap.Height(), options.Interlaced))) {
        scope.Finish(GIFStatus::TooManyColours);
        return std::nullopt;
    }
    return WriteFile(bitmap.Width(), bitmap.Height(), image, options);
}

} // namespace

GIFStatus GIFWriterStatus()
{
    return status;
}

std::optional<std::vector<std::uint8_t>> EncodeBitmapAsGIF(const fw::Bitmap& bitmap, const GIFOptions& options)
{
    StatusScope scope;
    return Encode(bitmap, options, scope);
}

bool SaveBitmapAsGIF(const std::string& fileName, const fw::Bitmap& bitmap, bool interlaced,
                     std::uint32_t transparentColour, bool transparent)
{
    StatusScope scope;
    const auto bytes = Encode(bitmap, GIFOptions{interlaced, transparentColour, transparent}, scope);
    if (!bytes) {
        return false;
    }
    fw::WriteFileAtomically(fileName, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    return true;
}
