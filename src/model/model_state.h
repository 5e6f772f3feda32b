#pragma once

#include <filesystem>

class TTWUserSettings;
class TTWPaletteList;

// The model's global state: the one settings object and the one list of named palettes,
// which live from start-up to shut-down. Nothing is made by static initialisers; the program
// calls InitialiseModel once before it creates anything else of the model.

// Creates the settings with their defaults (the program's folder as the start folder of the
// dialogs and of the browser) and the palette list holding one standard palette named
// "(Default)". Called again, it starts afresh: whatever was held before is freed.
void InitialiseModel(const std::filesystem::path& programFolder);

// Fills the table of pattern kinds with the classes that read and write them; part of
// InitialiseModel.
void RegisterPatternClasses();

// Puts the global state back to what InitialiseModel made, for the program folder of the
// last initialisation (the temporary folder when there was none), so that one test's changes
// cannot leak into the next.
void ResetModelForTests();

// Frees the global state; the program calls it last, after writing the settings and
// palettes files.
void FinaliseModel();

// Whether InitialiseModel has run (and FinaliseModel has not).
bool ModelInitialised();

// The global objects. Asking before InitialiseModel raises a TGenericException.
TTWUserSettings& UserSettings();
TTWPaletteList& PaletteList();
