#pragma once

// Makes the pattern editors part of the program: each editor's window becomes the one the
// main window's Create menu and the file loader open for its kind, and the views get the
// program's dialogs (colours, picture saving, size ratios). Called once as the program
// starts, before the main window is made.
void RegisterEditors();

// The threaded-in editor alone: the opener of the Create menu's threaded-in items (a new,
// empty pattern with the item's hole count) and the editor of loaded threaded-in patterns.
void RegisterThreadedEditor();

// The weaving image's services through the main window's data module and the shell's
// size-ratio dialog.
void RegisterWeavingImageServices();
