#pragma once

#include "framework/core/bitmap.h"

// The pictures of the font generator's and the lettered-band editor's buttons, drawn by our
// own code: 16 x 16 on the transparent key. Moving, printing and saving use the main
// window's tool pictures.
enum class TTWLetterGlyph {
    // A letter joins the font.
    AddLetter,
    // Letters (or tiles of the band) go.
    DeleteLetter,
};

fw::Bitmap LetterGlyph(TTWLetterGlyph glyph);
