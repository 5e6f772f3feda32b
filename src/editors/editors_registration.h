#pragma once

// Makes the pattern editors part of the program: each editor's window becomes the one the
// main window's Create menu and the file loader open for its kind, made with the main
// window's editor host (through which its views reach the program's dialogs). Called once
// as the program starts, before the main window is made.
void RegisterEditors();

// The threaded-in editor alone: the opener of the Create menu's threaded-in items (a new,
// empty pattern with the item's hole count) and the editor of loaded threaded-in patterns.
void RegisterThreadedEditor();

// The twist-patterned editor alone: the opener of the Create menu's twist-patterned item (a
// new, empty design) and the editor of loaded twist-patterned patterns.
void RegisterTwistEditor();

// The double-face editor alone: the openers of the Create menu's double-face items (a new
// design of two, four or six colours) and the editor of loaded double-face patterns.
void RegisterDoubleFaceEditor();

// The views that draw the pattern browser's thumbnails: browser_thumbnail_makers.h.

// The 3/1 broken twill editor alone: the opener of the Create menu's twill item (a new, empty
// design) and the editor of loaded 3/1 broken twill patterns.
void RegisterTwillEditor();

// The font generator alone: the opener of the Create menu's font item (a new, empty font)
// and the editor of loaded fonts.
void RegisterFontGenerator();

// The lettered-band editor alone: the opener of the Create menu's lettered-band item (a new,
// empty band) and the editor of loaded lettered bands.
void RegisterLetteredBandEditor();

// The brocade editor alone: the opener of the Create menu's brocade item (a new design
// without a ground weave) and the editor of loaded brocade patterns.
void RegisterBrocadeEditor();
