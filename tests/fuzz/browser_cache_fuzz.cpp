// Feeds arbitrary bytes to the reader of the pattern browser's thumbnail cache
// "tvlbrowse.bin", which the program finds in every folder it browses: written by itself,
// by an older program, by another machine, or damaged on the way.
//
// Bad input must end in the reader's own complaint (EThumbnailCacheError), which makes the
// browser draw the folder afresh; anything else (a crash, undefined behaviour, a leak,
// another exception, a hang, runaway memory) is a fault. Whatever the reader accepts must
// hold only what a cache can hold (kinds 1 to 7, card counts of 0 or more, thumbnails no
// larger than a thumbnail), and writing it with our writer and reading that again must give
// the very same items, or the reader and the writer disagree about the format.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/core/exceptions.h"
#include "shell/browser_cache.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool SamePixelValues(const fw::Bitmap& first, const fw::Bitmap& second)
{
    if (first.Width() != second.Width() || first.Height() != second.Height()) {
        return false;
    }
    for (int y = 0; y < first.Height(); ++y) {
        for (int x = 0; x < first.Width(); ++x) {
            if (first.Pixel(x, y) != second.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

void CheckAccepted(const TTWBrowserItemList& items)
{
    for (int i = 0; i < items.Count(); ++i) {
        const TTWBrowserItem& item = *items.Items(i);
        if (item.Kind < 1 || item.Kind > 7 || item.Cards < 0) {
            Fail("The reader accepted an item no cache can hold.");
        }
        if (item.Bitmap.Width() > ThumbnailMaxWidth || item.Bitmap.Height() > ThumbnailMaxHeight) {
            Fail("The reader accepted a thumbnail larger than a thumbnail.");
        }
    }
}

bool SameItems(const TTWBrowserItemList& first, const TTWBrowserItemList& second)
{
    if (first.Count() != second.Count()
        || std::bit_cast<std::uint64_t>(first.Format()) != std::bit_cast<std::uint64_t>(second.Format())) {
        return false;
    }
    for (int i = 0; i < first.Count(); ++i) {
        const TTWBrowserItem& a = *first.Items(i);
        const TTWBrowserItem& b = *second.Items(i);
        if (a.FileName != b.FileName || std::bit_cast<std::uint64_t>(a.FileDate) != std::bit_cast<std::uint64_t>(b.FileDate)
            || a.Kind != b.Kind || a.Cards != b.Cards || !SamePixelValues(a.Bitmap, b.Bitmap)) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void ForeignError(const char* kind, const char* message)
{
    std::fprintf(stderr, "The reader raised %s instead of its own complaint: %s\n", kind, message);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        TTWBrowserItemList items;
        try {
            ReadBrowserCache(std::string_view(reinterpret_cast<const char*>(data), size), items);
        } catch (const EThumbnailCacheError&) {
            if (items.Count() != 0) {
                Fail("A refused cache left items behind.");
            }
            return 0; // the expected answer to a file that is no cache we read
        }
        CheckAccepted(items);
        const std::string written = WriteBrowserCache(items);
        TTWBrowserItemList again;
        try {
            ReadBrowserCache(written, again);
        } catch (const EThumbnailCacheError& error) {
            std::fprintf(stderr, "Our own cache of %d items cannot be read: %s\n", items.Count(),
                         error.Message().c_str());
            std::abort();
        }
        if (!SameItems(items, again)) {
            Fail("Written and read again, the cache's items change.");
        }
    } catch (const fw::Exception& error) {
        ForeignError("another of our errors", error.Message().c_str());
    } catch (const std::exception& error) {
        ForeignError("a standard exception", error.what());
    } catch (...) {
        ForeignError("an exception of unknown type", "");
    }
    return 0;
}
