#pragma once

#include <string>
#include <string_view>

#include "framework/core/exceptions.h"

class TTWBrowserItemList;

// A cache file that cannot be read: the browser takes it as absent and makes it anew.
class EThumbnailCacheError : public fw::EStreamError {
public:
    using EStreamError::EStreamError;
    std::string_view className() const noexcept override { return "EThumbnailCacheError"; }
};

// The thumbnail cache "tvlbrowse.bin" of a browsed folder, little-endian, no gaps:
//   8 bytes  the format number, an IEEE double (1.0)
//   4 bytes  the item count n, signed
//   n items: 4 bytes the file name's length L, signed; L bytes the name in Windows-1252;
//            8 bytes the file date, an IEEE double (days since 30 December 1899);
//            4 bytes the kind, 4 bytes the card count, both signed;
//            the thumbnail as a Windows bitmap file, whose header gives its length.
// An empty folder's cache is 12 bytes.

// The cache's bytes for the list (its format number, then every item in order). Names are
// stored in Windows-1252; a character it lacks is stored as '?', and such an item is simply
// not found again (its file is drawn afresh).
std::string WriteBrowserCache(const TTWBrowserItemList& list);

// Replaces the list's items and format number with what the bytes hold. The bytes may be
// anything, so every count and length is checked against the bytes that are left and every
// bitmap's header before anything is made from it; damage of any kind (a negative count, a
// name longer than the rest, a kind outside 1 to 7, a picture that is no BMP or larger than
// a thumbnail, bytes left over) raises EThumbnailCacheError "The thumbnail cache is damaged: <why>"
// and leaves the list empty.
void ReadBrowserCache(std::string_view bytes, TTWBrowserItemList& list);
