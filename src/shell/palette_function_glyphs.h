#pragma once

#include "framework/core/bitmap.h"

// The pictures of the palette-functions frame's buttons, drawn by our own code: 16 x 16
// pixels on the magenta key, marked transparent so that the button face shows around them.
enum class TTWPaletteGlyph { SelectPalette, EditPalette, SwapColours, ReplaceSecondary, ReplacePrimary, SwapChoices };

inline constexpr int PaletteGlyphSize = 16;

fw::Bitmap PaletteFunctionGlyph(TTWPaletteGlyph glyph);
