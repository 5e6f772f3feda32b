#pragma once

#include <functional>
#include <string>

#include "framework/core/bitmap.h"

class TTWPatternBase;

// The pictures of the pattern browser. A thumbnail is the band as the views draw it, so the
// views (which the shell does not know) register a maker for each pattern kind they can
// draw; a kind without one (fonts, lettered bands) gets an empty picture.

// The largest thumbnail; a larger picture is shrunk to fit, keeping its proportions.
inline constexpr int ThumbnailMaxWidth = 150;
inline constexpr int ThumbnailMaxHeight = 84;

// Draws the pattern's band at the size the views draw it; may change the pattern's cards'
// turning state (weaving does). Failures raise.
using TTWThumbnailMaker = std::function<fw::Bitmap(TTWPatternBase& pattern)>;

// Registers (or, with none, takes away) the maker of a pattern kind.
void RegisterThumbnailMaker(int kind, TTWThumbnailMaker maker);
bool ThumbnailMakerRegistered(int kind);
// Forgets every maker and run-end handler, so that a test starts clean.
void ResetThumbnailMakersForTests();

// A run of thumbnails, as one folder's update makes them. While a run lasts a maker may keep
// what it made for one picture (an editor window, which is costly to make) for the next;
// when the outermost run ends, the handlers registered below let it go. Runs nest.
class TTWThumbnailRun {
public:
    TTWThumbnailRun();
    ~TTWThumbnailRun();
    TTWThumbnailRun(const TTWThumbnailRun&) = delete;
    TTWThumbnailRun& operator=(const TTWThumbnailRun&) = delete;

    // Whether a run lasts now: without one, a maker keeps nothing.
    static bool Open();
};
// Registers (or, with none, takes away) what the views do when a run ends; one per name.
void RegisterThumbnailRunEnd(const std::string& name, std::function<void()> handler);

// The pattern's thumbnail: its kind's picture, unscaled when it fits
// ThumbnailMaxWidth x ThumbnailMaxHeight, else shrunk to fit with its aspect ratio; empty
// for a kind without a maker.
fw::Bitmap MakeThumbnail(TTWPatternBase& pattern);
