#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fw {
class Control;
class Form;
class WinControl;
} // namespace fw

class TfrmTWMain;
class TTWDataModuleBase;

// The windows the main window opens, made through factories that the modules of those
// windows register as the program starts. The main window never names their classes: its
// commands ask for a kind, and a kind nobody has registered tells the user that its window
// is not available yet.

enum class TTWWindowKind {
    // New, empty pattern editors (the Create menu). The threaded-in editor takes the hole
    // count as its parameter.
    ThreadedEditor,
    SimpleDoubleFaceEditor,
    MultiColourDoubleFaceEditor,
    SixHoleDoubleFaceEditor,
    BrokenTwillEditor,
    FontGenerator,
    LetteredBandEditor,
    BrocadeEditor,
    TwistPatternedEditor,
    // Dialogs the main window owns while they run.
    PaletteList,
    Settings,
    About,
    Revisions,
    JoinSideBySide,
    JoinEndToEnd,
    ConvertToBrocade,
    // The file-type registration check and its dialog, run at start when the settings ask.
    FileTypeRegistration,
};

// What a menu command that opens the kind's window says about it: "the threaded-in pattern
// editor", "the settings dialog".
std::string_view WindowKindTitle(TTWWindowKind kind);

// Opens the kind's window: makes it (owned by the main window), shows it, and for a dialog
// runs and frees it. parameter: the hole count for the threaded-in editor, else 0.
using TTWWindowOpener = std::function<void(TfrmTWMain& main, int parameter)>;

// Registers (or, with none, takes away) the opener of a kind.
void RegisterWindowOpener(TTWWindowKind kind, TTWWindowOpener opener);
bool WindowOpenerRegistered(TTWWindowKind kind);
// Runs the kind's opener and answers true; without one, tells the user "<Title> is not
// available yet." in an information box and answers false.
bool OpenWindowOfKind(TfrmTWMain& main, TTWWindowKind kind, int parameter = 0);
// The text of that information box.
std::string NotAvailableText(TTWWindowKind kind);

// The long-lived parts of the shell that other modules provide, each made once.
struct TTWShellFactories {
    // The data module with the file dialogs, made at start-up after the main window and
    // owned by the application.
    std::function<TTWDataModuleBase*(TfrmTWMain& main)> CreateDataModule;
    // The notes window, made at start-up after the data module and owned by the application;
    // it docks into the main window's dock panel.
    std::function<fw::Form*(TfrmTWMain& main)> CreateNotesWindow;
    // A new pattern browser: an MDI child of the main window that frees itself when closed.
    // It answers its folder through ITWBrowserWindow.
    std::function<fw::Form*(TfrmTWMain& main)> CreateBrowser;
    // The clip list, placed in the main window's clip panel (its parent) and owned by the
    // main window.
    std::function<fw::Control*(TfrmTWMain& main, fw::WinControl& parent)> CreateClipList;
    // Opens a pattern or font file in a new editor window; failures raise.
    std::function<void(TfrmTWMain& main, const std::string& fileName)> LoadFile;
};

// The factories in use; empty members until their modules register them.
TTWShellFactories& ShellFactories();
// Forgets every registration (kinds and factories), so that a test starts clean.
void ResetWindowFactoriesForTests();

// What the main window needs of the pattern browser.
class ITWBrowserWindow {
public:
    ITWBrowserWindow() = default;
    virtual ~ITWBrowserWindow() = default;
    ITWBrowserWindow(const ITWBrowserWindow&) = delete;
    ITWBrowserWindow& operator=(const ITWBrowserWindow&) = delete;

    // The folder its folder panel shows.
    virtual std::string BrowseFolder() const = 0;
    virtual void SetBrowseFolder(const std::string& folder) = 0;
};
