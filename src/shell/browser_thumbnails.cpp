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

std::map<std::string, std::function<void()>>& RunEnds()
{
    static std::map<std::string, std::function<void()>> handlers;
    return handlers;
}

int& RunDepth()
{
    static int depth = 0;
    return depth;
}

} // namespace

TTWThumbnailRun::TTWThumbnailRun()
{
    ++RunDepth();
}

TTWThumbnailRun::~TTWThumbnailRun()
{
    if (--RunDepth() > 0) {
        return;
    }
    // Copies: a handler may register others.
    const auto handlers = RunEnds();
    for (const auto& [name, handler] : handlers) {
        handler();
    }
}

bool TTWThumbnailRun::Open()
{
    return RunDepth() > 0;
}

void RegisterThumbnailRunEnd(const std::string& name, std::function<void()> handler)
{
    if (handler) {
        RunEnds()[name] = std::move(handler);
    } else {
        RunEnds().erase(name);
    }
}

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
    RunEnds().clear();
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
