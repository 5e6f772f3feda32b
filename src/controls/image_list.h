#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/object.h"
#include "framework/core/stream.h"

// A bitmap that carries the name it is looked up by.
class TILImageLibraryBitmap : public fw::Bitmap {
public:
    TILImageLibraryBitmap() = default;
    explicit TILImageLibraryBitmap(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // From another named bitmap: the picture and the name. From a plain bitmap: only the
    // picture, the name stays.
    void Assign(const TILImageLibraryBitmap& source);
    void Assign(const fw::Bitmap& source);

    // The name as a 32-bit little-endian byte count and its bytes (no terminator), then the
    // picture as a BMP file, whose header tells its own length, so that several records can
    // follow each other in one stream.
    void SaveToStream(fw::Stream& stream) const;
    // Reads what SaveToStream wrote; a damaged record raises EStreamError or EConvertError
    // and leaves this bitmap unchanged.
    void LoadFromStream(fw::Stream& stream);

private:
    std::string name_;
};

// An owning, ordered list of named bitmaps. It is a component so that whoever keeps a
// pointer to one of its bitmaps can ask to be told when the list goes.
class TILImageList : public fw::Component {
public:
    TILImageList() = default;
    ~TILImageList() override;

    std::string_view className() const override { return "TILImageList"; }
    fw::Object* NewInstance() const override { return new TILImageList; }

    int Count() const { return static_cast<int>(items_.size()); }
    // None outside 0 .. Count - 1.
    TILImageLibraryBitmap* Items(int index) const;
    // The first bitmap whose name equals the text exactly (case matters); none when absent.
    TILImageLibraryBitmap* Find(std::string_view name) const;
    // The index of that bitmap, -1 when absent.
    int IndexOf(std::string_view name) const;

    // Appends and takes ownership; returns the new index. A null bitmap is refused (-1).
    int Add(std::unique_ptr<TILImageLibraryBitmap> bitmap);
    // Removes and frees; nothing happens outside the range.
    void Delete(int index);
    // Frees every bitmap.
    void Clear();

    // From another image list: clear, then a copy of every bitmap with its name, in order.
    // Any other source is ignored.
    void Assign(const fw::Persistent* source) override;

    // Opens the image-list editor on this list, modal; answers what the editor answers
    // (true when its changes were accepted). Without an editor installed it answers false
    // and leaves the list alone.
    virtual bool Edit();

private:
    std::vector<std::unique_ptr<TILImageLibraryBitmap>> items_;
};

// The modal editor that TILImageList::Edit opens. The editor window lives above this
// library (it needs forms and dialogs), so it installs itself here when it starts; an
// empty function removes it.
using TILImageListEditor = std::function<bool(TILImageList& list)>;
void SetImageListEditor(TILImageListEditor editor);
