// Writes the seed files of the thumbnail-cache fuzz target that come from our own writer:
// caches as the browser leaves them in a folder, so that the fuzzer starts from files shaped
// like them. The broken ones (broken-*) are kept by hand, as our writer makes none.
//
//   make_browser_cache_corpus <folder>           the small gen-*.bin files kept with the sources
//   make_browser_cache_corpus --large <folder>   the large-*.bin files made afresh for each run
//
// The output depends on nothing but this program and the writer, so the kept files can be
// checked against a fresh run.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/core/bitmap.h"
#include "shell/browser_cache.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"
#include "corpus_maker.h"

namespace {

namespace fs = std::filesystem;

void Save(const fs::path& folder, const char* name, const TTWBrowserItemList& items)
{
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out << WriteBrowserCache(items);
}

// A band-like picture: diagonal stripes of a few colours.
fw::Bitmap Stripes(int width, int height)
{
    constexpr std::uint32_t colours[] = {0x0000C0, 0x00C000, 0xC00000, 0xF0F0F0};
    fw::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, colours[(x + y) / 2 % 4]);
        }
    }
    return bitmap;
}

void Add(TTWBrowserItemList& items, const std::string& name, int kind, int cards, const fw::Bitmap& picture)
{
    auto* item = new TTWBrowserItem;
    item->FileName = name;
    item->FileDate = 45000.5 + items.Count();
    item->Kind = kind;
    item->Cards = cards;
    item->Bitmap = picture;
    items.Add(item);
}

void WriteSmall(const fs::path& folder)
{
    TTWBrowserItemList empty;
    Save(folder, "gen-empty.bin", empty);

    TTWBrowserItemList one;
    Add(one, "band.tvl", 2, 12, Stripes(9, 5));
    Save(folder, "gen-one.bin", one);

    // Every kind, the fonts and lettered bands without a picture, a name beyond ASCII.
    TTWBrowserItemList kinds;
    Add(kinds, "a font.tvl", 1, 0, fw::Bitmap());
    Add(kinds, "b threaded.tvl", 2, 14, Stripes(16, 6));
    Add(kinds, "c double-face.tvl", 3, 8, Stripes(7, 4));
    Add(kinds, "d twill.tvl", 4, 10, Stripes(5, 3));
    Add(kinds, "e lettered.tvl", 5, 0, fw::Bitmap());
    Add(kinds, "f brocade.tvl", 6, 6, Stripes(6, 2));
    Add(kinds, "g Zöpfe.tvl", 7, 4, Stripes(4, 4));
    Save(folder, "gen-every-kind.bin", kinds);
}

// Too large to keep with the sources: a folder of full-size thumbnails.
void WriteLarge(const fs::path& folder)
{
    TTWBrowserItemList items;
    for (int i = 0; i < 40; ++i) {
        Add(items, "pattern " + std::to_string(i) + ".tvl", 2 + i % 6, 20 + i, Stripes(ThumbnailMaxWidth, ThumbnailMaxHeight));
    }
    Save(folder, "large-folder.bin", items);
}

} // namespace

int main(int argc, char** argv)
{
    return RunCorpusMaker(argc, argv, "make_browser_cache_corpus", [](const fs::path& folder, bool large) {
        large ? WriteLarge(folder) : WriteSmall(folder);
    });
}
