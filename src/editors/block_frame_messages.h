#pragma once

// The message numbers the block-design frame and its bitmap clips post to themselves and to
// their clip list.

// A block-design frame to itself (posted): repaint the cell WParam = column, LParam = row
// (0-based); answer 1.
inline constexpr int WM_TW_REPAINTCELL = 11034;
// A bitmap clip to its clip list (posted) after its deletion was confirmed; answer 1.
inline constexpr int WM_TW_DELETECLIP = 12000;
