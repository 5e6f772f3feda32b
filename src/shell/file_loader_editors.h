#pragma once

#include <functional>
#include <memory>
#include <string>

#include "shell/window_factory.h"

namespace fw {
class Form;
}

class TfrmTWMain;
class TTWPatternBase;

// The editor windows that open patterns of each kind, registered by the editors' modules
// as the program starts, so that the file loader never names their classes. Making the
// window and handing it its pattern are two steps: when the second fails, the loader frees
// the window, and no half-opened editor stays behind.
struct TTWPatternEditorClass {
    // A new editor window owned by the main window and handed its editor host, not shown yet.
    std::function<fw::Form*(TfrmTWMain& main)> Create;
    // Shows the pattern in the editor made by Create, under the file name (empty for a
    // pattern that has no file). The editor owns the pattern from then on: it keeps it or
    // copies it and lets it go.
    std::function<void(fw::Form& editor, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)>
        Open;
};

// Registers (or, with an empty Create, takes away) the editor of a pattern kind 1 to 7;
// other codes raise.
void RegisterPatternEditor(int kind, TTWPatternEditorClass editorClass);
bool PatternEditorRegistered(int kind);
// The registered editor of the kind; none.
const TTWPatternEditorClass* PatternEditorOf(int kind);
// The window kind whose title names the kind's editor when it is not there; other codes
// than 1 to 7 raise.
TTWWindowKind PatternEditorWindowKind(int kind);
// Forgets every registration, so that a test starts clean.
void ResetPatternEditorsForTests();
