#pragma once

#include "framework/core/bitmap.h"
#include "framework/core/system_colours.h"

// The pictures of the about box, drawn by the program itself.

// What the about box's credits scroll over: a pale woven ground, 287 x 151.
fw::Bitmap AboutBackground();
// A short length of woven band on fuchsia (0xFF00FF), the colour left out when it is drawn.
fw::Bitmap AboutBandPicture();
// A four-hole weaving card on silver (0xC0C0C0), the colour left out when it is drawn: the
// background shows through its holes.
fw::Bitmap AboutCardPicture();

inline constexpr fw::Color AboutFuchsia = 0xFF00FF;
inline constexpr fw::Color AboutSilver = 0xC0C0C0;
