#pragma once

#include "framework/core/bitmap.h"

// The pictures of the card-setup row's buttons, 16 x 16 on the transparent key.
enum class TTWCardSetupGlyph {
    AllS,
    AllZ,
    AlternateSZ,
    AlternateZS,
    SwapThreading,
    MoveLeft,
    MoveRight,
    RotateForwards,
    RotateBackwards,
};

inline constexpr int CardSetupGlyphSize = 16;

fw::Bitmap CardSetupGlyph(TTWCardSetupGlyph glyph);
