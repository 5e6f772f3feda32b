#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

#include "framework/core/argb_image.h"
#include "framework/core/bitmap.h"
#include "framework/core/region.h"
#include "framework/core/system_colours.h"

namespace fw {

// The crossing between our Qt-free drawing types and Qt's, for the edge of the program:
// showing a backing store on screen, the clipboard, printing, image files Qt reads.
//
// Our pixels are 0x00BBGGRR (red in the low byte); Qt's Format_RGB32 pixels are
// 0xFFRRGGBB. In memory, on a little-endian machine, ours are the bytes R, G, B, 0: the
// byte order of Qt's Format_RGBX8888, apart from the 0 where Qt keeps 255.

// A copy as a Format_RGB32 image, Qt's own fastest format; an empty bitmap gives a null
// image. A monochrome bitmap gives black and white pixels in the same format.
QImage BitmapToQImage(const Bitmap& bitmap);

// A copy as a bitmap. Images with an alpha channel lose it the way Qt converts them to
// Format_RGB32; one-bit images give a monochrome bitmap. A null image gives an empty
// bitmap.
Bitmap QImageToBitmap(const QImage& image);

// Pictures with alpha: ours are 0xAARRGGBB, Qt's Format_ARGB32 exactly. An empty picture
// gives a null image; any other image is converted to Format_ARGB32 first.
QImage ArgbImageToQImage(const ArgbImage& image);
ArgbImage QImageToArgbImage(const QImage& image);

// The bitmap's own pixels seen as a read-only Format_RGBX8888 image, without a copy: for
// drawing a backing store with QPainter::drawImage. Qt reads the unused fourth byte as
// opaque. The view is valid while the bitmap keeps its size and lives; writing to it
// makes Qt detach a copy first, so it can never touch the bitmap.
QImage ViewOfBitmap(const Bitmap& bitmap);

// Colours: a system colour goes through our fixed table, never Qt's palette.
QColor ToQColor(Color colour);
Color FromQColor(const QColor& colour);

QRegion ToQRegion(const Region& region);
Region FromQRegion(const QRegion& region);

} // namespace fw
