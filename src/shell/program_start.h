#pragma once

#include <filesystem>
#include <functional>

#include "forms/forms_libraries.h"

namespace fw {
class Component;
}

class TfrmTWMain;

// How the program starts and ends, in this order:
// 1. the shared state of every library: the control library, the tree-grid library, the
//    forms' default style and the model's settings, palettes and pattern kinds
//    (TTWProgramLibraries);
// 2. the application's title "Tavelin";
// 3. the main window (its FormCreate runs), then the data module, then the notes window
//    (CreateProgramWindows);
// 4. the event loop until the main window closes; then the windows go, and the libraries
//    stop in the reverse order.

// The libraries' shared state for as long as it lives; the model takes the program's folder,
// where the settings and palettes files are looked for.
class TTWProgramLibraries {
public:
    explicit TTWProgramLibraries(const std::filesystem::path& programFolder);
    ~TTWProgramLibraries();
    TTWProgramLibraries(const TTWProgramLibraries&) = delete;
    TTWProgramLibraries& operator=(const TTWProgramLibraries&) = delete;

private:
    // Made before the model starts and gone after it has finished.
    TILFormsLibraries forms_;
};

// Steps 2 and 3: the main window (owned by owner) and the data module and notes window its
// registered factories make (owned as the factories decide). Answers the main window, not
// shown yet.
TfrmTWMain& CreateProgramWindows(fw::Component* owner);

// Lets every module of the shell that provides windows register its factories (the window
// kinds and the long-lived parts of window_factory.h).
void RegisterShellModules();

// The whole program for main: libraries, modules, windows, the Qt event loop. Answers the
// exit code. The modules built on the shell (the pattern editors) register their windows
// through registerModules, after the shell's own and before the main window is made.
int RunTavelin(int argc, char** argv, const std::function<void()>& registerModules = {});
