#pragma once

#include <string>
#include <string_view>

#include "framework/core/canvas.h"

namespace fw {

// A caption with its keyboard mnemonic taken out: "&Close" shows as "Close" with the C
// underlined, "&&" shows one '&'. Buttons and labels draw their captions this way.
struct MnemonicCaption {
    std::string Text;
    // The byte range in Text of the underlined character; Begin == End when there is none.
    std::size_t Begin = 0;
    std::size_t End = 0;
};

MnemonicCaption ParseMnemonic(std::string_view caption);

// Draws the caption's text with the top-left of its cell at (x, y) in the canvas's font and
// brush, then underlines the marked character one pixel above the cell's bottom.
void DrawMnemonicCaption(Canvas& canvas, int x, int y, const MnemonicCaption& caption);

} // namespace fw
