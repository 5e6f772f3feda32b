#pragma once

// An editor's host that stands for the main window in tests: it remembers what an editor tells
// the program (messages, window menu entries, profile menus, the notes binding, save dialogs
// asked for) and runs no dialog.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/form.h"
#include "shell/editor_host.h"

namespace editor_test {

// A host that remembers every call and runs no dialog.
class RecordingHost final : public ITWEditorHost {
public:
    struct Notice {
        int Message;
        std::intptr_t WParam;
        bool operator==(const Notice&) const = default;
    };

    fw::Component* DialogOwner() override { return nullptr; }
    void NotifyMainForm(int message, std::intptr_t wParam) override { notices.push_back(Notice{message, wParam}); }
    void EditorDestroyed(fw::Form& editor) override { destroyed.push_back(&editor); }
    void AddWindowMenuEntry(fw::Form& editor) override { menuAdded.push_back(&editor); }
    void UpdateWindowMenuCaption(fw::Form& editor) override { menuCaptions.push_back(editor.Caption()); }
    void RemoveWindowMenuEntry(fw::Form& editor) override { menuRemoved.push_back(&editor); }
    void BuildProfileMenu(int kind) override { profileMenus.push_back(kind); }
    void RefillProfilePopup(const ProfileItemsFill&) override {}
    const fw::Control* ProfileButton() override { return nullptr; }
    void BindNotes(ITWFormActions& editor) override { notesBound = &editor; }
    void UnbindNotes(ITWFormActions& editor) override
    {
        if (notesBound == &editor) {
            notesBound = nullptr;
        }
        ++notesUnbinds;
    }
    void RefreshNotes(ITWFormActions& editor) override { notesRefreshed.push_back(&editor); }
    void ShowNotesAsConfigured() override {}
    void ToggleNotes() override { ++notesToggled; }
    bool ExecuteSavePatternDialog(std::string&, bool withText) override
    {
        saveDialogs.push_back(withText);
        return false;
    }
    std::optional<bool> PickColour(fw::Color&) override { return false; }
    std::optional<bool> SavePicture(const fw::Bitmap&) override { return false; }
    std::optional<bool> EditSizeRatios(double&, double&, double&) override { return false; }
    fw::Control* ClipList() override { return nullptr; }
    void ShowClipPanel() override {}
    void ToggleClipPanel() override {}
    std::optional<bool> OpenPicture(std::string&) override { return std::nullopt; }

    bool Heard(int message, std::intptr_t wParam) const
    {
        return std::find(notices.begin(), notices.end(), Notice{message, wParam}) != notices.end();
    }

    std::vector<Notice> notices;
    std::vector<fw::Form*> destroyed;
    std::vector<fw::Form*> menuAdded;
    std::vector<std::string> menuCaptions;
    std::vector<fw::Form*> menuRemoved;
    std::vector<int> profileMenus;
    std::vector<ITWFormActions*> notesRefreshed;
    std::vector<bool> saveDialogs;
    ITWFormActions* notesBound = nullptr;
    int notesUnbinds = 0;
    int notesToggled = 0;
};

} // namespace editor_test
