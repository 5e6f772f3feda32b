#include "shell/main_editor_host.h"

#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_speed_button.h"
#include "shell/data_module.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"
#include "shell/notes_window.h"
#include "shell/size_ratio_dialog.h"

bool TTWMainEditorHost::MainAvailable() const
{
    // While the main window goes it frees its editors; it must not be called back then.
    return !main_.IsBeingDestroyed();
}

fw::Component* TTWMainEditorHost::DialogOwner()
{
    return &main_;
}

void TTWMainEditorHost::NotifyMainForm(int message, std::intptr_t wParam)
{
    if (MainAvailable()) {
        main_.Perform(message, wParam, 0);
    }
}

void TTWMainEditorHost::EditorDestroyed(fw::Form& editor)
{
    NotifyMainForm(WM_TW_EDITORDESTROYED, reinterpret_cast<std::intptr_t>(&editor));
}

void TTWMainEditorHost::AddWindowMenuEntry(fw::Form& editor)
{
    if (MainAvailable()) {
        main_.AddWindowMenuItem(&editor);
    }
}

void TTWMainEditorHost::UpdateWindowMenuCaption(fw::Form& editor)
{
    if (MainAvailable()) {
        main_.UpdateWindowMenuCaption(&editor);
    }
}

void TTWMainEditorHost::RemoveWindowMenuEntry(fw::Form& editor)
{
    if (MainAvailable()) {
        main_.RemoveWindowMenuItem(&editor);
    }
}

void TTWMainEditorHost::BuildProfileMenu(int kind)
{
    if (MainAvailable()) {
        main_.BuildProfileMenu(kind);
    }
}

void TTWMainEditorHost::RefillProfilePopup(const ProfileItemsFill& fill)
{
    if (!MainAvailable()) {
        return;
    }
    TfrmTWMain* main = &main_;
    main->pmDisplayProfiles->Items()->Clear();
    fill(*main->pmDisplayProfiles->Items(), [main](fw::Object* sender) { main->PerformToolAction(sender); });
}

const fw::Control* TTWMainEditorHost::ProfileButton()
{
    return MainAvailable() ? main_.ToolButton(TWAction::SelectProfile) : nullptr;
}

// The notes window lives apart from the main window (the application owns it), so an editor
// going with the main window still hands its notes back to its pattern.
void TTWMainEditorHost::BindNotes(ITWFormActions& editor)
{
    if (frmTWNotes != nullptr) {
        frmTWNotes->SetPattern(&editor);
    }
}

void TTWMainEditorHost::UnbindNotes(ITWFormActions& editor)
{
    if (frmTWNotes != nullptr && frmTWNotes->Pattern() == &editor) {
        frmTWNotes->SetPattern(nullptr);
    }
}

void TTWMainEditorHost::RefreshNotes(ITWFormActions& editor)
{
    if (frmTWNotes != nullptr && frmTWNotes->Pattern() == &editor) {
        frmTWNotes->UpdateNotes();
    }
}

void TTWMainEditorHost::ShowNotesAsConfigured()
{
    if (frmTWNotes != nullptr) {
        frmTWNotes->ShowAsConfigured();
    }
}

void TTWMainEditorHost::ToggleNotes()
{
    if (frmTWNotes != nullptr) {
        frmTWNotes->ToggleVisible();
    }
}

bool TTWMainEditorHost::ExecuteSavePatternDialog(std::string& fileName, bool withText)
{
    return dModMain != nullptr && dModMain->ExecuteSavePatternDialog(fileName, withText);
}

bool TTWMainEditorHost::ExecuteSaveDialog(std::string& fileName, const std::string& extension,
                                          const std::string& filter, const std::string& kindName, int& filterIndex)
{
    return dModMain != nullptr && dModMain->ExecuteSaveDialog(extension, filter, fileName, kindName, filterIndex);
}

bool TTWMainEditorHost::ExecuteOpenFontDialog(std::string& fileName)
{
    return dModMain != nullptr && dModMain->ExecuteOpenFontDialog(fileName);
}

bool TTWMainEditorHost::ExecuteSaveFontDialog(std::string& fileName)
{
    return dModMain != nullptr && dModMain->ExecuteSaveFontDialog(fileName);
}

std::optional<bool> TTWMainEditorHost::PickColour(fw::Color& colour)
{
    if (dModMain == nullptr) {
        return std::nullopt;
    }
    dModMain->dlgColours->SetColor(colour);
    if (!dModMain->dlgColours->Execute()) {
        return false;
    }
    colour = dModMain->dlgColours->Color();
    return true;
}

std::optional<bool> TTWMainEditorHost::SavePicture(const fw::Bitmap& picture)
{
    if (dModMain == nullptr) {
        return std::nullopt;
    }
    return dModMain->SaveImage(picture);
}

std::optional<bool> TTWMainEditorHost::EditSizeRatios(double& width, double& centre, double& end)
{
    return TfrmTWSizeRatios::Execute(&main_, width, centre, end);
}

fw::Control* TTWMainEditorHost::ClipList()
{
    return MainAvailable() ? main_.ClipList() : nullptr;
}

void TTWMainEditorHost::ShowClipPanel()
{
    if (MainAvailable()) {
        main_.SetClipPanelVisible(true);
    }
}

void TTWMainEditorHost::ToggleClipPanel()
{
    if (MainAvailable()) {
        main_.ToggleClipPanel();
    }
}

std::optional<bool> TTWMainEditorHost::OpenPicture(std::string& fileName)
{
    if (dModMain == nullptr) {
        return std::nullopt;
    }
    if (!dModMain->dlgOpenPicture->Execute()) {
        return false;
    }
    fileName = dModMain->dlgOpenPicture->FileName();
    return true;
}

std::optional<bool> TTWMainEditorHost::OpenPatternFile(std::string& fileName)
{
    if (dModMain == nullptr) {
        return std::nullopt;
    }
    return dModMain->ExecuteOpenPatternDialog(fileName);
}
