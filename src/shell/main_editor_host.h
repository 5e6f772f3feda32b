#pragma once

#include "shell/editor_host.h"

class TfrmTWMain;

// The editors' host in the program: the main window it belongs to, the notes window and the
// data module. The guards live here once: nothing reaches the main window while it goes, and
// a missing notes window or data module makes a call do nothing.
class TTWMainEditorHost final : public ITWEditorHost {
public:
    explicit TTWMainEditorHost(TfrmTWMain& main) : main_(main) {}

    fw::Component* DialogOwner() override;
    void NotifyMainForm(int message, std::intptr_t wParam = 0) override;
    void EditorDestroyed(fw::Form& editor) override;
    void AddWindowMenuEntry(fw::Form& editor) override;
    void UpdateWindowMenuCaption(fw::Form& editor) override;
    void RemoveWindowMenuEntry(fw::Form& editor) override;
    void BuildProfileMenu(int kind) override;
    void RefillProfilePopup(const ProfileItemsFill& fill) override;
    const fw::Control* ProfileButton() override;
    void BindNotes(ITWFormActions& editor) override;
    void UnbindNotes(ITWFormActions& editor) override;
    void RefreshNotes(ITWFormActions& editor) override;
    void ShowNotesAsConfigured() override;
    void ToggleNotes() override;
    bool ExecuteSavePatternDialog(std::string& fileName, bool withText) override;
    bool ExecuteSaveDialog(std::string& fileName, const std::string& extension, const std::string& filter,
                           const std::string& kindName, int& filterIndex) override;
    bool ExecuteOpenFontDialog(std::string& fileName) override;
    bool ExecuteSaveFontDialog(std::string& fileName) override;
    std::optional<bool> PickColour(fw::Color& colour) override;
    std::optional<bool> SavePicture(const fw::Bitmap& picture) override;
    std::optional<bool> EditSizeRatios(double& width, double& centre, double& end) override;
    fw::Control* ClipList() override;
    void ShowClipPanel() override;
    void ToggleClipPanel() override;
    std::optional<bool> OpenPicture(std::string& fileName) override;
    std::optional<bool> OpenPatternFile(std::string& fileName) override;

private:
    // Whether the main window may still be called.
    bool MainAvailable() const;

    TfrmTWMain& main_;
};
