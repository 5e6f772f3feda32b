#pragma once

#include "framework/core/bitmap.h"

namespace fw {
class ImageList;
}

// The pictures of the threaded-in editor, drawn by our own code: its speed buttons (16 x 16
// on the transparent key) and the icons of its lists.
enum class TTWThreadedGlyph {
    ActionPanel,
    ColourMode,
    DirectionMode,
    TwistMode,
    IdleMode,
    ActionGrid,
    Packs,
    DoPick,
    DoPickReverse,
    BreakPacks,
    SetupPacks,
    SwapColourChoice,
    SwapColours,
    ReplaceSecondary,
    ReplacePrimary,
    SelectPalette,
    EditPalette,
};

inline constexpr int ThreadedGlyphSize = 16;
fw::Bitmap ThreadedEditorGlyph(TTWThreadedGlyph glyph);

// The icons of the pick lists and the action grid, 12 x 12: 0 forwards, 1 backwards, 2 idle,
// 3 to 5 the same with the twist mark.
inline constexpr int ThreadedListIconSize = 12;
void FillActionIcons(fw::ImageList& icons);
// The icons of the pack selector: nothing for 0 and 1 (the movement values), the twist
// mark for 2.
void FillPackSelectorIcons(fw::ImageList& icons);
