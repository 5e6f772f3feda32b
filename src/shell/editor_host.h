#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/core/system_colours.h"

namespace fw {
class Bitmap;
class Component;
class Control;
class Form;
class MenuItem;
class Object;
} // namespace fw

class ITWFormActions;

// What a pattern editor asks of the program around it: the main window's messages, its
// Windows and profile menus, the notes window and the data module's dialogs. The editor is
// handed one when its window is made and never names the shell's windows itself, so a test
// can give it a recording host instead of a real main window. Every call is safe at any
// time: while the main window goes, or without a notes window or data module, it does
// nothing (or answers as a cancelled dialog).
class ITWEditorHost {
public:
    ITWEditorHost() = default;
    virtual ~ITWEditorHost() = default;
    ITWEditorHost(const ITWEditorHost&) = delete;
    ITWEditorHost& operator=(const ITWEditorHost&) = delete;

    // The owner of the dialogs the editor runs; none: the editor owns them itself.
    virtual fw::Component* DialogOwner() = 0;

    // Hands a message of main_window_messages.h to the main window (activation, name
    // change, tool states, tools switched off).
    virtual void NotifyMainForm(int message, std::intptr_t wParam = 0) = 0;
    // The editor window is going (called from its destructor).
    virtual void EditorDestroyed(fw::Form& editor) = 0;

    // The editor's entry in the Windows menu.
    virtual void AddWindowMenuEntry(fw::Form& editor) = 0;
    virtual void UpdateWindowMenuCaption(fw::Form& editor) = 0;
    virtual void RemoveWindowMenuEntry(fw::Form& editor) = 0;

    // Rebuilds the main window's display profile menu for a profile kind.
    virtual void BuildProfileMenu(int kind) = 0;
    // Refills the main window's display profile popup: fill adds the items to the menu it is
    // given, each clicking through the handler it is given.
    using ProfileItemsFill =
        std::function<void(fw::MenuItem& items, const std::function<void(fw::Object* sender)>& click)>;
    virtual void RefillProfilePopup(const ProfileItemsFill& fill) = 0;
    // The main window's profile button, below which a profile popup drops down; none.
    virtual const fw::Control* ProfileButton() = 0;

    // The notes window: shows (bind) or lets go of (unbind, only when it shows them) the
    // editor's notes; refreshes them when it shows them; shows it as the settings say;
    // shows or hides it.
    virtual void BindNotes(ITWFormActions& editor) = 0;
    virtual void UnbindNotes(ITWFormActions& editor) = 0;
    virtual void RefreshNotes(ITWFormActions& editor) = 0;
    virtual void ShowNotesAsConfigured() = 0;
    virtual void ToggleNotes() = 0;

    // The save-pattern dialog; false when cancelled (or there is no dialog).
    virtual bool ExecuteSavePatternDialog(std::string& fileName, bool withText) = 0;
    // The data module's save dialog with the editor's own extension, filter and kind name
    // ("Save " + kindName); on true the chosen file and the 1-based index of the filter
    // chosen. A host without the dialog answers as cancelled.
    virtual bool ExecuteSaveDialog(std::string& fileName, const std::string& extension, const std::string& filter,
                                   const std::string& kindName, int& filterIndex)
    {
        (void)fileName;
        (void)extension;
        (void)filter;
        (void)kindName;
        (void)filterIndex;
        return false;
    }

    // The data module's font dialogs ("Load Font", "Save Font"): true with the chosen file in
    // fileName. A host without them answers as cancelled.
    virtual bool ExecuteOpenFontDialog(std::string& fileName)
    {
        (void)fileName;
        return false;
    }
    virtual bool ExecuteSaveFontDialog(std::string& fileName)
    {
        (void)fileName;
        return false;
    }

    // The data module's colour dialog and picture saving, and the size-ratio dialog: true
    // when the user accepted (with the answers in the arguments); none when the host has no
    // such dialog and the editor's own stand-in is to run.
    virtual std::optional<bool> PickColour(fw::Color& colour) = 0;
    virtual std::optional<bool> SavePicture(const fw::Bitmap& picture) = 0;
    virtual std::optional<bool> EditSizeRatios(double& width, double& centre, double& end) = 0;

    // The main window's clip list (the block designs copy areas into it); none without one.
    virtual fw::Control* ClipList() = 0;
    // Shows the main window's clip panel.
    virtual void ShowClipPanel() = 0;
    // Shows or hides it, as its tool button does.
    virtual void ToggleClipPanel() = 0;
    // The data module's picture-open dialog: true with the chosen file in fileName; none
    // when the host has no such dialog.
    virtual std::optional<bool> OpenPicture(std::string& fileName) = 0;
    // The data module's open dialog for pattern files, the same way.
    virtual std::optional<bool> OpenPatternFile(std::string& fileName)
    {
        (void)fileName;
        return std::nullopt;
    }
};
