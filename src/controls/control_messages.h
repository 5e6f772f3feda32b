#pragma once

#include "framework/gui/message.h"

// The control library's own message numbers, above the platform's WM_USER.

// Brush panels (sent).
inline constexpr int WM_IL_PARENTBRUSHCHANGED = fw::WM_USER + 30; // 1054: to each child: the parent's fill brush changed
inline constexpr int WM_IL_OWNBRUSHCHANGED = fw::WM_USER + 31;    // 1055: act as if the own fill brush changed
// A combo box's drop-down to its combo box (posted, so that the list is off the stack when
// the combo box frees it).
inline constexpr int WM_ILCB_ITEMCHOSEN = 1474; // WParam = the chosen item
inline constexpr int WM_ILCB_CLOSEDNOCHOICE = 1475;
// A scroll bar to its scroll box (posted): redo the layout; the box answers 1.
inline constexpr int WM_ILSB_REALIGN = 7300;
