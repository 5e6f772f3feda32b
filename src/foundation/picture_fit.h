#pragma once

#include "framework/core/bitmap.h"
#include "framework/core/region.h"

// Shrinking a picture to fit a box while keeping its proportions: the browser's thumbnails
// and the image controls that must not grow beyond a maximum size.

// The size a picture takes in a box of the given maxima. A picture that fits keeps its
// size. Otherwise the side that overflows more (by picture / maximum; the width on a tie)
// becomes its maximum and the other side is scaled by the same ratio, rounded to the
// nearest integer with halves to even. Negative sizes and maxima count as 0, so a box
// with a side of 0 leaves nothing of a picture that does not fit.
fw::Size FitPictureSize(int pictureWidth, int pictureHeight, int maxWidth, int maxHeight);

// Draws the source into the destination's top-left corner at its fitted size (see
// FitPictureSize): unchanged when it fits, else stretched nearest-neighbour. With resize
// set the destination first takes that size; otherwise it keeps its own and whatever it
// holds outside the drawn rectangle stays. Returns the rectangle drawn into.
// The source may be the destination itself.
fw::Rect FitBitmap(const fw::Bitmap& source, fw::Bitmap& destination, int maxWidth, int maxHeight, bool resize);
