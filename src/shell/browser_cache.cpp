#include "shell/browser_cache.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "foundation/stream_strings.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/encoding.h"
#include "framework/core/exceptions.h"
#include "framework/core/stream.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"

namespace {

// The smallest item record: an empty name, the date, kind and cards, a bitmap of headers
// only. A count that could not fit in the bytes left is refused before any item is made.
constexpr std::int64_t FileHeaderSize = 14;
constexpr std::int64_t MinBitmapSize = FileHeaderSize + 40;
constexpr std::int64_t MinItemSize = 4 + 8 + 4 + 4 + MinBitmapSize;

[[noreturn]] void RaiseDamaged(const std::string& why)
{
    throw EThumbnailCacheError("The thumbnail cache is damaged: " + why);
}

void WriteDouble(fw::Stream& stream, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::array<std::uint8_t, 8> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    stream.WriteBuffer(bytes.data(), bytes.size());
}

double ReadDouble(fw::Stream& stream)
{
    std::array<std::uint8_t, 8> bytes{};
    stream.ReadBuffer(bytes.data(), bytes.size());
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

// Reads the bitmap file that starts at the stream's position: its header gives its length,
// which must lie within the bytes left, and the picture must be one a thumbnail can be.
fw::Bitmap ReadBitmapFile(fw::MemoryStream& stream)
{
    const std::int64_t start = stream.Seek(0, fw::SeekOrigin::Current);
    const std::int64_t left = stream.Size() - start;
    if (left < MinBitmapSize) {
        RaiseDamaged("a thumbnail is cut short");
    }
    const std::uint8_t* header = stream.Data().data() + start;
    if (header[0] != 'B' || header[1] != 'M') {
        RaiseDamaged("a thumbnail is no bitmap");
    }
    const std::int64_t length = static_cast<std::int64_t>(header[2]) | (static_cast<std::int64_t>(header[3]) << 8)
                                | (static_cast<std::int64_t>(header[4]) << 16)
                                | (static_cast<std::int64_t>(header[5]) << 24);
    if (length < MinBitmapSize || length > left) {
        RaiseDamaged("a thumbnail's length does not fit the file");
    }
    fw::Bitmap bitmap;
    try {
        bitmap = fw::DecodeBmp(std::span<const std::uint8_t>(header, static_cast<std::size_t>(length)));
    } catch (const fw::Exception& error) {
        RaiseDamaged(error.Message());
    }
    if (bitmap.Width() > ThumbnailMaxWidth || bitmap.Height() > ThumbnailMaxHeight) {
        RaiseDamaged("a thumbnail is larger than a thumbnail can be");
    }
    stream.Seek(length, fw::SeekOrigin::Current);
    return bitmap;
}

std::unique_ptr<TTWBrowserItem> ReadItem(fw::MemoryStream& stream)
{
    auto item = std::make_unique<TTWBrowserItem>();
    item->FileName = fw::Windows1252ToUtf8(ReadStreamString(stream));
    const double date = ReadDouble(stream);
    // A date that is no number cannot be compared; the file is simply drawn again.
    item->FileDate = std::isfinite(date) ? date : 0;
    item->Kind = stream.ReadInt32LE();
    item->Cards = stream.ReadInt32LE();
    if (item->Kind < 1 || item->Kind > 7) {
        RaiseDamaged("an item has no pattern kind");
    }
    if (item->Cards < 0) {
        RaiseDamaged("an item has a negative card count");
    }
    item->Bitmap = ReadBitmapFile(stream);
    return item;
}

} // namespace

std::string WriteBrowserCache(const TTWBrowserItemList& list)
{
    fw::MemoryStream stream;
    WriteDouble(stream, list.Format());
    stream.WriteInt32LE(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const TTWBrowserItem& item = *list.Items(i);
        WriteStreamString(stream, fw::Utf8ToWindows1252(item.FileName));
        WriteDouble(stream, item.FileDate);
        stream.WriteInt32LE(item.Kind);
        stream.WriteInt32LE(item.Cards);
        const std::vector<std::uint8_t> bitmap = fw::EncodeBmp(item.Bitmap);
        stream.WriteBuffer(bitmap.data(), bitmap.size());
    }
    const std::vector<std::uint8_t>& data = stream.Data();
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
}

void ReadBrowserCache(std::string_view bytes, TTWBrowserItemList& list)
{
    list.Clear();
    fw::MemoryStream stream;
    stream.WriteBuffer(bytes.data(), bytes.size());
    stream.Seek(0, fw::SeekOrigin::Begin);
    try {
        const double format = ReadDouble(stream);
        const std::int32_t count = stream.ReadInt32LE();
        if (count < 0) {
            RaiseDamaged("the item count is negative");
        }
        if (count > stream.Remaining() / MinItemSize) {
            RaiseDamaged("the item count is larger than the file");
        }
        for (std::int32_t i = 0; i < count; ++i) {
            list.Add(ReadItem(stream).release());
        }
        if (stream.Remaining() != 0) {
            RaiseDamaged("bytes follow the last item");
        }
        list.SetFormat(format);
    } catch (const EThumbnailCacheError&) {
        list.Clear();
        throw;
    } catch (const fw::EStreamError& error) {
        // A read past the end or a name longer than the rest, told in the cache's words.
        list.Clear();
        RaiseDamaged(error.Message());
    }
}
