#include "shell/browser_thumbnails.h"

#include <map>
#include <utility>

#include "foundation/picture_fit.h"
#include "model/pattern_base.h"

namespace {

std::map<int, TTWThumbnailMaker>& Makers()
{
    static std::map<int, TTWThumbnailMaker> makers;
    return makers;
}

} // namespace

void RegisterThumbnailMaker(int kind, TTWThumbnailMaker maker)
{
    if (maker) {
        Makers()[kind] = std::move(maker);
    } else {
        Makers().erase(kind);
    }
}

bool ThumbnailMakerRegistered(int kind)
{
    return Makers().contains(kind);
}

void ResetThumbnailMakersForTests()
{
    Makers().clear();
}

fw::Bitmap MakeThumbnail(TTWPatternBase& pattern)
{
    const auto found = Makers().find(pattern.GetPatternType());
    if (found == Makers().end()) {
        return fw::Bitmap();
    }
    // A copy: the maker may register another one while it runs.
    const TTWThumbnailMaker maker = found->second;
    const fw::Bitmap picture = maker(pattern);
    fw::Bitmap thumbnail;
    FitBitmap(picture, thumbnail, ThumbnailMaxWidth, ThumbnailMaxHeight, true);
    return thumbnail;
}
