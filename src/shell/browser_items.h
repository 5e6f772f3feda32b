#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/enhanced_list.h"
#include "framework/core/bitmap.h"
#include "framework/core/datetime.h"

// The pattern files of one folder as the pattern browser shows them: a thumbnail of each
// band with its file name, kind and card count. Thumbnails are expensive (every pattern is
// read and its band woven and drawn), so a folder keeps them in its cache file
// "tvlbrowse.bin" (browser_cache.h) with the dates of the files they were made from, and
// only new or changed files are drawn again. None of this needs a window: the pictures come
// from the thumbnail makers the views register (browser_thumbnails.h).

// The cache file kept in every browsed folder.
inline constexpr const char* BrowserCacheFileName = "tvlbrowse.bin";

// One pattern file of the folder.
class TTWBrowserItem : public fw::Persistent {
public:
    std::string_view className() const override { return "TTWBrowserItem"; }
    fw::Object* NewInstance() const override { return new TTWBrowserItem; }
    void Assign(const fw::Persistent* source) override;

    // The bare file name, without the folder.
    std::string FileName;
    // The file's date when the thumbnail was made; 0 when it could not be read.
    fw::DateTime FileDate = 0;
    // The thumbnail, at most ThumbnailMaxWidth x ThumbnailMaxHeight; empty for fonts and
    // lettered bands, which have no band to show.
    fw::Bitmap Bitmap;
    // The pattern kind, 1 to 7 (PatternType...).
    std::int32_t Kind = 0;
    // The pattern's card count; 0 for fonts and lettered bands.
    std::int32_t Cards = 0;
};

// A pattern file that could not be shown, and why.
struct TTWBrowserFailure {
    std::string FileName;
    std::string Message;
};

// What one update did: the thumbnails it drew and the files it could not show.
struct TTWBrowserUpdateResult {
    int Rendered = 0;
    std::vector<TTWBrowserFailure> Failures;
};

// The items of one folder, sorted by file name. Owns its items.
class TTWBrowserItemList : public TEnhancedListOf<TTWBrowserItem> {
public:
    // The number the cache file is written with.
    static constexpr double FormatNumber = 1.0;

    TTWBrowserItemList() : TEnhancedListOf<TTWBrowserItem>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWBrowserItemList"; }
    fw::Object* NewInstance() const override { return new TTWBrowserItemList; }

    const std::string& Folder() const { return folder_; }
    void SetFolder(std::string folder) { folder_ = std::move(folder); }
    // Read from the cache and written to it; its value means nothing yet.
    double Format() const { return format_; }
    void SetFormat(double format) { format_ = format; }

    // Brings the list up to the folder's pattern files ("*.tvl" in any case, regular files
    // only):
    // 1. the folder's cache is read; a cache that is missing or damaged counts as empty;
    // 2. every pattern file keeps its item (found by its exact name) or gets a new one, and
    //    its thumbnail is made again when it is new, when the file is newer than the
    //    thumbnail, or always with rebuild;
    // 3. items whose files are gone are dropped, the list is sorted by name and the cache
    //    written (unless it holds what it held).
    // A pattern that cannot be read or drawn gets no item; it is listed in the result and
    // the rest of the folder is shown all the same. A folder that cannot be written keeps
    // its old cache, or none. No folder (an empty name) empties the list and writes nothing.
    TTWBrowserUpdateResult Update(const std::string& folder, bool rebuild);

    // The item with exactly this file name; none.
    TTWBrowserItem* FindByName(std::string_view name) const;

private:
    // Makes the item's thumbnail from the file; raises when the pattern cannot be read or
    // drawn.
    static void UpdateItem(TTWBrowserItem& item, const std::string& path, const std::string& name);
    void ReadCache(const std::string& cacheFile, std::string& bytes);
    // Answers whether the order changed.
    bool SortByName();

    std::string folder_;
    double format_ = FormatNumber;
};
