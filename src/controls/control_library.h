#pragma once

class TILImageLibrary;
class TILDefaultBrushItemList;

// The shared state of the control library: the image library, the list of registered
// default brushes, and the image-list editor that TILImageList::Edit opens. Nothing exists before InitControlLibrary, so the order in which the
// program's parts start never matters; the program calls it once at start-up and
// ShutdownControlLibrary at the end.
//
// Calls nest: only the first InitControlLibrary creates the state and only the
// ShutdownControlLibrary that balances it frees it (the image library first).
void InitControlLibrary();
void ShutdownControlLibrary();
bool ControlLibraryRunning();

// Frees and re-creates the state when it runs, so that a test starts with no loaded images
// and no default brushes. Whatever cached an image forgets it.
void ResetControlLibraryForTests();

// The shared state; none while the library is not running.
TILImageLibrary* ImageLibrary();
TILDefaultBrushItemList* DefaultBrushItems();
