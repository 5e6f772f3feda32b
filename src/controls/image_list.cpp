#include "controls/image_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "foundation/stream_strings.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/exceptions.h"

namespace {

// The BMP file header: "BM", the file's length, two reserved words, the pixel offset.
constexpr std::size_t BmpFileHeaderSize = 14;

std::uint32_t LittleEndianU32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

TILImageListEditor& InstalledEditor()
{
    static TILImageListEditor editor;
    return editor;
}

} // namespace

void TILImageLibraryBitmap::Assign(const TILImageLibraryBitmap& source)
{
    fw::Bitmap::Assign(source);
    name_ = source.name_;
}

void TILImageLibraryBitmap::Assign(const fw::Bitmap& source)
{
    fw::Bitmap::Assign(source);
}

void TILImageLibraryBitmap::SaveToStream(fw::Stream& stream) const
{
    WriteStreamString(stream, name_);
    const std::vector<std::uint8_t> bytes = fw::EncodeBmp(*this);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TILImageLibraryBitmap::LoadFromStream(fw::Stream& stream)
{
    std::string name = ReadStreamString(stream);

    std::uint8_t header[BmpFileHeaderSize];
    stream.ReadBuffer(header, sizeof header);
    const std::uint32_t fileSize = LittleEndianU32(header + 2);
    // A length that the stream cannot hold is damage, not a reason to reserve memory.
    if (fileSize < BmpFileHeaderSize || static_cast<std::int64_t>(fileSize - BmpFileHeaderSize) > stream.Remaining()) {
        throw fw::EStreamError("Stream read error");
    }
    std::vector<std::uint8_t> bytes(fileSize);
    std::copy(std::begin(header), std::end(header), bytes.begin());
    stream.ReadBuffer(bytes.data() + BmpFileHeaderSize, fileSize - BmpFileHeaderSize);

    fw::Bitmap picture = fw::DecodeBmp(std::span<const std::uint8_t>(bytes));
    fw::Bitmap::Assign(picture);
    name_ = std::move(name);
}

TILImageList::~TILImageList()
{
    TILImageList::Clear();
}

TILImageLibraryBitmap* TILImageList::Items(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(index)].get();
}

TILImageLibraryBitmap* TILImageList::Find(std::string_view name) const
{
    return Items(IndexOf(name));
}

int TILImageList::IndexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->Name() == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TILImageList::Add(std::unique_ptr<TILImageLibraryBitmap> bitmap)
{
    if (!bitmap) {
        return -1;
    }
    items_.push_back(std::move(bitmap));
    return Count() - 1;
}

void TILImageList::Delete(int index)
{
    if (index < 0 || index >= Count()) {
        return;
    }
    items_.erase(items_.begin() + index);
}

void TILImageList::Clear()
{
    // The newest first, as owners free what they hold.
    while (!items_.empty()) {
        items_.pop_back();
    }
}

void TILImageList::Assign(const fw::Persistent* source)
{
    const auto* list = dynamic_cast<const TILImageList*>(source);
    if (list == nullptr || list == this) {
        return;
    }
    Clear();
    for (const auto& item : list->items_) {
        auto copy = std::make_unique<TILImageLibraryBitmap>();
        copy->Assign(*item);
        items_.push_back(std::move(copy));
    }
}

bool TILImageList::Edit()
{
    const TILImageListEditor& editor = InstalledEditor();
    return editor ? editor(*this) : false;
}

void SetImageListEditor(TILImageListEditor editor)
{
    InstalledEditor() = std::move(editor);
}
