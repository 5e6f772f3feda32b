#pragma once

#include "framework/core/bitmap.h"

class TTWWeaving;
class TfrmWeavingImage;

// The pattern browser's pictures, drawn by the views that show each kind: a threaded-in
// band woven by the model, the double-face, twill, twist-patterned and brocade bands by an
// editor of their kind made for the picture (not shown; a brocade's wefts over its woven
// ground), each drawn through a weaving-image frame set up the one way every thumbnail is
// drawn.

// The thumbnail look, in one update: cell ratios 1, 0 and 2, zoom 3, no grid, no tags or
// marks (direction changes, twists, long floats, idle cards), front side only, no pick tags
// or threading rows, horizontal; a twist-patterned band as the block chart of its twining
// without colours (its threads are all one colour), any other as the real image in colour.
// The frame stays silent: a hidden view tells the main window nothing.
void SetUpThumbnailFrame(TfrmWeavingImage& frame, bool twistPatterned);

// The frame's front picture of the band it shows, drawn with the thumbnail look.
fw::Bitmap RenderThumbnailPicture(TfrmWeavingImage& frame, bool twistPatterned);

// Registers the thumbnail makers of the threaded-in, double-face, 3/1 broken twill,
// twist-patterned and brocade kinds with the browser.
void RegisterThumbnailMakers();
