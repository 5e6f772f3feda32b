#pragma once

// The messages the main window takes, from itself and from the editor windows. The model
// reaches the main window through model_hooks instead, so that it needs no window.

// To the main window.
inline constexpr int WM_TW_OPENCMDLINEFILE = 9001;    // posted; WParam = the argument's index
inline constexpr int WM_TW_CHECKREGISTRATION = 9002;  // posted: check the file-type registration
inline constexpr int WM_TW_EDITORACTIVATED = 9003;    // WParam = the editor's pattern kind (PatternType...)
inline constexpr int WM_TW_EDITORNAMECHANGED = 9004;  // WParam = the editor's pattern kind (PatternType...)
inline constexpr int WM_TW_EDITORDESTROYED = 9005;    // WParam = the editor's window; answer 1
inline constexpr int WM_TW_TOOLSTATESCHANGED = 11024; // an editor was activated or changed
inline constexpr int WM_TW_TOOLSDISABLED = 11025;     // an editor closed: every tool control off
// One action's state: WParam = action id, LParam = byte 0 enabled, byte 1 second enable
// flag, byte 2 pressed.
inline constexpr int WM_TW_TOOLSTATE = 11026;
