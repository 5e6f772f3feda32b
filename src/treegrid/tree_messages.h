#pragma once

// The tree-grid control's own message numbers.

// A tree-grid control to itself (posted), for work after the current event.
inline constexpr int WM_ILTREE_ACCEPTEDIT = 12136; // WParam = node, LParam = column
inline constexpr int WM_ILTREE_CANCELEDIT = 12137;
inline constexpr int WM_ILTREE_EDITNEXT = 12138;
inline constexpr int WM_ILTREE_EDITPREVIOUS = 12139;
inline constexpr int WM_ILTREE_SETMODE = 12140;     // WParam = the interaction mode
inline constexpr int WM_ILTREE_FREEHINT = 12141;    // also posted by the drag object
inline constexpr int WM_ILTREE_REPAINTNODE = 12142; // WParam = the node
inline constexpr int WM_ILTREE_FREEOBJECT = 12145;  // WParam = the object to free
