#include "shell/browser_items.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include <sys/stat.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "framework/core/files.h"
#include "model/pattern_base.h"
#include "shell/browser_cache.h"
#include "shell/browser_thumbnails.h"

namespace {

// Whether the cache may be written into the folder: a folder whose mode lets nobody write
// is read-only for everyone, as a file of that mode is for the program's saving, even where
// the rights of an administrator would let the write through.
bool FolderMayBeWritten(const std::string& folder)
{
    struct stat info{};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The pattern files of the folder: regular files whose extension is ".tvl" in any case,
// sorted by name.
std::vector<std::string> PatternFiles(const std::string& folder)
{
    std::vector<std::string> names = fw::FindFiles(folder, "*");
    std::erase_if(names, [](const std::string& name) { return !fw::SameFileExt(name, ".tvl"); });
    return names;
}

// The file's date, 0 when it cannot be read.
fw::DateTime DateOfFile(const std::string& path)
{
    try {
        return fw::FileDate(path);
    } catch (const fw::Exception&) {
        return 0;
    }
}

} // namespace

void TTWBrowserItem::Assign(const fw::Persistent* source)
{
    const auto* item = dynamic_cast<const TTWBrowserItem*>(source);
    if (item == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    FileName = item->FileName;
    FileDate = item->FileDate;
    Bitmap = item->Bitmap;
    Kind = item->Kind;
    Cards = item->Cards;
}

TTWBrowserItem* TTWBrowserItemList::FindByName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (Items(i)->FileName == name) {
            return Items(i);
        }
    }
    return nullptr;
}

void TTWBrowserItemList::ReadCache(const std::string& cacheFile, std::string& bytes)
{
    Clear();
    bytes.clear();
    if (!fw::FileExists(cacheFile)) {
        return;
    }
    try {
        bytes = fw::ReadFileBytes(cacheFile);
        ReadBrowserCache(bytes, *this);
    } catch (const fw::EStreamError&) {
        // A cache that cannot be read, or is damaged, is made anew.
        Clear();
        bytes.clear();
    }
}

TTWBrowserUpdateResult TTWBrowserItemList::Update(const std::string& folder, bool rebuild)
{
    TTWBrowserUpdateResult result;
    folder_ = folder;
    if (folder.empty()) {
        // No folder is no folder at all, not the root of the file system.
        Clear();
        return result;
    }
    const std::string prefix = fw::IncludeTrailingPathDelimiter(folder);
    const std::string cacheFile = prefix + BrowserCacheFileName;
    std::string cached;
    ReadCache(cacheFile, cached);
    // Whether the list differs from the cache read: only then is the cache written again.
    bool changed = cached.empty();

    // The views may keep what they make for one thumbnail for the next, until the folder
    // is done.
    const TTWThumbnailRun run;
    // Every item is a candidate for removal until its file is found. (Looked up by name in
    // a table: a folder of thousands of patterns must not cost the square of that.)
    std::unordered_map<std::string, TTWBrowserItem*> byName;
    std::unordered_set<TTWBrowserItem*> gone;
    for (int i = 0; i < Count(); ++i) {
        byName.emplace(Items(i)->FileName, Items(i));
        gone.insert(Items(i));
    }
    for (const std::string& name : PatternFiles(folder)) {
        TTWBrowserItem* item = nullptr;
        if (const auto found = byName.find(name); found != byName.end()) {
            item = found->second;
            gone.erase(item);
        } else {
            item = new TTWBrowserItem;
            Add(item);
        }
        const std::string path = prefix + name;
        const fw::DateTime date = DateOfFile(path);
        if (!rebuild && item->FileName == name && date != 0 && date <= item->FileDate) {
            continue;
        }
        changed = true;
        try {
            UpdateItem(*item, path, name);
            item->FileDate = date;
            ++result.Rendered;
        } catch (const std::exception& error) {
            // The rest of the folder is still shown; this file is reported afterwards and
            // gets no item, so that nothing stale stands for it.
            result.Failures.push_back(TTWBrowserFailure{name, fw::ErrorMessage(error)});
            gone.insert(item);
        }
    }
    // From the last to the first, as the list frees its items.
    for (int i = Count() - 1; i >= 0; --i) {
        if (gone.contains(Items(i))) {
            Delete(i);
            changed = true;
        }
    }
    changed = SortByName() || changed;

    if (!changed) {
        return result;
    }
    const std::string bytes = WriteBrowserCache(*this);
    if (bytes != cached && FolderMayBeWritten(folder)) {
        try {
            fw::WriteFileAtomically(cacheFile, bytes);
        } catch (const fw::EFileError&) {
            // A folder that cannot be written is browsed all the same, drawn afresh each
            // time.
        }
    }
    return result;
}

void TTWBrowserItemList::UpdateItem(TTWBrowserItem& item, const std::string& path, const std::string& name)
{
    item.Bitmap = fw::Bitmap();
    std::unique_ptr<TTWPatternBase> pattern = LoadAndCreatePattern(path);
    const int kind = pattern->GetPatternType();
    const bool hasCards = kind != PatternTypeFont && kind != PatternTypeLetteredBand;
    fw::Bitmap thumbnail = MakeThumbnail(*pattern);
    item.Kind = kind;
    item.Cards = hasCards ? pattern->GetCardCount() : 0;
    item.Bitmap = std::move(thumbnail);
    item.FileName = name;
}

bool TTWBrowserItemList::SortByName()
{
    bool sorted = true;
    for (int i = 1; i < Count() && sorted; ++i) {
        sorted = !(Items(i)->FileName < Items(i - 1)->FileName);
    }
    if (sorted) {
        return false;
    }
    SortWith([](fw::Object* first, fw::Object* second) {
        const std::string& a = static_cast<TTWBrowserItem*>(first)->FileName;
        const std::string& b = static_cast<TTWBrowserItem*>(second)->FileName;
        return a < b ? -1 : (b < a ? 1 : 0);
    });
    return true;
}
