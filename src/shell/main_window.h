#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/form.h"
#include "framework/gui/message.h"

namespace fw {
class ControlBar;
class Edit;
class ImageList;
class Label;
class MainMenu;
class MenuItem;
class Panel;
class PopupMenu;
class SpeedButton;
class Splitter;
} // namespace fw

class ITWActions;
class ITWEditorHost;
class TILBrushPanel;
class TTWDataModuleBase;
class TTWToolActionList;

// The main window: the MDI parent that holds every pattern editor, carries the menus and the
// tool bar, shows the pattern's name and file above the editors and the bitmap clips below
// them, docks the notes window on the right, keeps the Windows menu, and loads the palettes
// and the settings as it is created and stores them as it closes.
//
// Commands reach the active editor by their action id (command_routing.cpp); editors report
// back which commands they support, and the window enables, presses and checks its tool
// buttons and menu items from that (messages 11024 to 11026).
class TfrmTWMain : public fw::Form {
public:
    // Caption "Tavelin", 720 x 557, an MDI parent at the system's default place. Builds the
    // menus, the tool bar and the panels; FinishLoading then runs FormCreate.
    explicit TfrmTWMain(fw::Component* owner = nullptr);
    ~TfrmTWMain() override;

    std::string_view className() const override { return "TfrmTWMain"; }

    // --- Components ---------------------------------------------------------------------
    fw::MainMenu* const mnuMain;
    // Cleared on every tool refresh; the view frames fill it with their profiles.
    fw::PopupMenu* const pmDisplayProfiles;
    fw::ImageList* const imgToolIcons;

    // The right-hand dock site (3 pixels wide while empty) and its splitter.
    fw::Panel* const pnlDockRight;
    fw::Splitter* const spltRight;

    fw::ControlBar* const ctrlTools;
    fw::Panel* const pnlBtnsFile;
    fw::Panel* const pnlBtnsGeneral;
    fw::Panel* const pnlBtnsDisplay;
    fw::Panel* const pnlBtnsDisplayFlags;
    fw::Panel* const pnlBtnsBlockPattern;
    fw::SpeedButton* const btnLoad;

    TILBrushPanel* const pnlBitmapClips;
    TILBrushPanel* const pnlPatternInfo;
    fw::Label* const lblPatternName;
    fw::Label* const lblPatternFile;
    TILBrushPanel* const pnlPatternFileName;
    fw::Edit* const edPatternName;

    // The menu items the window's code refers to (every item also has its name).
    fw::MenuItem* mnuFile = nullptr;
    fw::MenuItem* mnuLoad = nullptr;
    fw::MenuItem* mnuBrowse = nullptr;
    fw::MenuItem* mnuSettings = nullptr;
    fw::MenuItem* mnuFile_Exit = nullptr;
    fw::MenuItem* mnuCreate = nullptr;
    fw::MenuItem* mnuCreateThreaded = nullptr;
    fw::MenuItem* mnuDF6Hole = nullptr;
    fw::MenuItem* mnuEdit = nullptr;
    fw::MenuItem* mnuView = nullptr;
    fw::MenuItem* mnuSelectProfile = nullptr;
    fw::MenuItem* mnuDesign = nullptr;
    fw::MenuItem* mnuWindows = nullptr;
    fw::MenuItem* mnuTileVertical = nullptr;
    fw::MenuItem* mnuTileHorizontal = nullptr;
    fw::MenuItem* mnuCascade = nullptr;
    fw::MenuItem* mnuDivBrowser = nullptr;
    fw::MenuItem* mnuShowBrowser = nullptr;
    fw::MenuItem* mnuAbout = nullptr;

    // --- Tool states (command_routing.cpp) ----------------------------------------------
    // The click handler of every tagged command control: hands the control's action id,
    // its pressed or checked state after the click and, for a profile item, its profile to
    // the active editor. Nothing without an active child.
    void PerformToolAction(fw::Object* sender);
    // Sets every tagged tool button and menu item (outside the Create and Windows menus and
    // the items of the profile menu) from the list; with none, disables them all. An id the
    // list lacks disables its controls and leaves their pressed state and check mark.
    void ApplyToolActions(const TTWToolActionList* list);
    // One action's button and menu item (the first of each with that tag).
    void SetToolState(std::int32_t id, bool enabled, bool down);
    // The command interface of the active child; none without one.
    ITWActions* GetActiveActions() const;
    // The control or item whose command ran last; none before the first or once it is gone.
    fw::Component* LastCommandControl() const { return lastCommandControl_; }

    // The tool buttons, in tool-bar order, and the first button with the tag.
    const std::vector<fw::SpeedButton*>& ToolButtons() const { return toolButtons_; }
    fw::SpeedButton* ToolButton(std::int32_t id) const;
    // The first main-menu item with the tag, searched where tool states apply; none.
    fw::MenuItem* CommandItem(std::int32_t id) const;

    // --- The Windows menu (main_window_windows.cpp) -------------------------------------
    // Appends an item for the form (caption = the form's caption) unless one exists;
    // clicking it brings the form back. Answers the item.
    fw::MenuItem* AddWindowMenuItem(fw::Form* form);
    void RemoveWindowMenuItem(fw::Form* form);
    void UpdateWindowMenuCaption(fw::Form* form);
    // The item of the form; none.
    fw::MenuItem* WindowMenuItem(const fw::Form* form) const;

    // --- Profiles and the clip panel ----------------------------------------------------
    // Refills the Select Display Profile menu with the saved profiles of the kind (0 the
    // weaving image, 1 the block design); kind 0 ends with "Standard Weaving Chart".
    void BuildProfileMenu(int kind);
    // The saved profiles changed outside the menus (the settings dialog renamed or deleted
    // some): the Select Display Profile menu and the tool button's profile menu drop the items
    // of profiles that are gone and show the others' names as they are now.
    void ProfilesChanged();
    void ToggleClipPanel();
    // Shows or hides the clip panel (nothing when it is so already), then sets tool 613 to
    // enabled and pressed as the panel shows.
    void SetClipPanelVisible(bool visible);
    // The clip list inside the clip panel; none until its module provides one.
    fw::Control* ClipList() const { return clipList_.Get(); }

    // --- Files --------------------------------------------------------------------------
    // Opens a pattern or font file in a new editor window; failures raise. Until file
    // loading is available it says so.
    void LoadFile(const std::string& fileName);

    // --- The long-lived windows -----------------------------------------------------------
    TTWDataModuleBase* DataModule() const { return dataModule_; }
    void SetDataModule(TTWDataModuleBase* dataModule);
    fw::Form* NotesWindow() const { return notesWindow_.Get(); }
    void SetNotesWindow(fw::Form* notes);
    // The pattern browser while one is open.
    fw::Form* BrowserWindow() const { return browser_.Get(); }

    // Set from the start of the destructor on: editors going then must not call back.
    bool IsBeingDestroyed() const { return beingDestroyed_; }
    // What the editors this window opens are handed to reach it, the notes window and the
    // data module.
    ITWEditorHost& EditorHost() { return *editorHost_; }

    // Every error that reaches the event loop: the program's own errors in the exception
    // dialog, any other in the standard error box.
    void AppEventsException(const std::exception& error);

    void Dispatch(fw::Message& message) override;

protected:
    void DoCreate() override;
    void DoShow() override;
    void DoClose(fw::CloseAction& action) override;
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    // Building (main_window_menu.cpp, main_window_tools.cpp, main_window.cpp).
    void BuildMainMenu();
    void BuildToolBar();
    void BuildPatternInfo();
    void BuildDocking();

    // Start-up and closing (main_window_lifecycle.cpp).
    void FormCreate();
    void SetDefaultTreeColours();
    void LoadPalettesAndSettings();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void RememberDialogFolders();

    // Messages (main_window_messages.cpp).
    void OpenCommandLineFile(int index);
    void CheckFileTypeRegistration();
    void EditorActivated(int kind);
    void EditorNameChanged(int kind);
    void EditorDestroyed();

    // Menu handlers that do not route through the action ids.
    void mnuLoadClick();
    void mnuBrowseClick();
    void mnuFile_ExitClick();
    void mnuThreadedClick(fw::Object* sender);
    void mnuTileClick(fw::Object* sender);
    void mnuCascadeClick();
    void WindowMenuItemClick(fw::Object* sender);
    void edPatternNameKeyUp();

    // The tool-state walk of the main menu: depth first, the Create and Windows menus and
    // the profile items left out.
    bool SkipsChildrenOf(const fw::MenuItem& item) const;
    void RememberCommandControl(fw::Component* control);

    std::vector<fw::SpeedButton*> toolButtons_;
    fw::Component* lastCommandControl_ = nullptr;
    TTWDataModuleBase* dataModule_ = nullptr;
    fw::WeakRef<fw::Form> notesWindow_;
    fw::WeakRef<fw::Form> browser_;
    fw::WeakRef<fw::Control> clipList_;
    bool beingDestroyed_ = false;
    std::unique_ptr<ITWEditorHost> editorHost_;
};

// The one main window while it exists; editors send it their messages.
extern TfrmTWMain* frmTWMain;

// Whether a command-line argument names a file the program opens: its extension is ".tvl"
// or ".tvf", in any case.
bool IsPatternFileArgument(std::string_view argument);
