// What the main window does as it is created, shown and closed: the caption, the first tool
// states, the shared tree colours, the palettes and settings read at start and written at
// close, the command-line files, and the close question.

#include <filesystem>
#include <string>
#include <system_error>

#include "forms/combo_box.h"
#include "forms/forms_default_style.h"
#include "controls/il_brush.h"
#include "foundation/xml_node.h"
#include "framework/core/files.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_speed_button.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/data_module_base.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/window_factory.h"
#include "treegrid/tree_properties.h"

namespace {

// The folder of a file the user chose in a dialog, or "" when the dialog holds no real file
// name: nothing chosen since start-up, or the "*.tvl" mask it proposes.
std::string ChosenFolder(const fw::FileDialog& dialog)
{
    if (dialog.FileName().empty() || dialog.FileNameIsMask()) {
        return {};
    }
    return fw::ExtractFilePath(dialog.FileName());
}

std::filesystem::path ProgramFolder()
{
    return std::filesystem::path(UserSettings().ProgramFolder());
}

} // namespace

void TfrmTWMain::DoCreate()
{
    FormCreate();
    fw::Form::DoCreate();
}

void TfrmTWMain::FormCreate()
{
    SetCaption(Caption() + " (" + TWDataVersion + ")");
    ctrlTools->SetRowSize(btnLoad->Height() + 4);
    // Names in documents are checked only where a caller asks for it from now on.
    SetXMLNameCheck(false);
    Perform(WM_TW_TOOLSDISABLED);
    SetDefaultTreeColours();
    LoadPalettesAndSettings();
}

void TfrmTWMain::SetDefaultTreeColours()
{
    TILFormsDefaultStyle* style = FormsDefaultStyle();
    if (style == nullptr) {
        return;
    }
    TILFormsDefaultTreeColours& trees = style->Trees();
    trees.SetColourButton(0xFFFFFF);
    trees.SetColourLine(0x808080);
    fw::Pen gridPen = trees.GridPen();
    gridPen.Color = 0x808080;
    trees.SetGridPen(gridPen);
    TILBrush normal;
    normal.SetColour(0xC8FCFF);
    trees.DrawNormal().SetFillBrush(&normal);
    TILBrush selected;
    selected.SetColour(0x006CE0);
    trees.DrawSelect().SetFillBrush(&selected);
    trees.DrawSelect().SetFontColour(0xFFFFFF);
    // The combo boxes' drop-down lists look like every other list from now on.
    if (TILFormsDefaultComboBoxColours* combos = ComboBoxDefaultColours()) {
        combos->Assign(&trees);
    }
}

void TfrmTWMain::LoadPalettesAndSettings()
{
    const std::filesystem::path palettes = SettingsFileToRead(ProgramFolder(), PalettesFileName);
    // A damaged file must not keep the program from starting: the error names it and where
    // it has been kept, and the defaults stay.
    if (!palettes.empty()) {
        try {
            PaletteList().LoadFromFile(palettes);
        } catch (...) {
            fw::HandleCurrentException();
        }
    }
    try {
        UserSettings().LoadFromFile();
    } catch (...) {
        fw::HandleCurrentException();
    }
    const TTWDirectorySettings& folders = UserSettings().Directories;
    if (auto* browser = dynamic_cast<ITWBrowserWindow*>(BrowserWindow())) {
        browser->SetBrowseFolder(folders.LastBrowse);
    }
    if (dataModule_ != nullptr) {
        dataModule_->LoadDialog().SetInitialDir(folders.LastLoad);
        dataModule_->SaveDialog().SetInitialDir(folders.LastSave);
    }
}

void TfrmTWMain::DoShow()
{
    FormShow();
    fw::Form::DoShow();
}

void TfrmTWMain::FormShow()
{
    if (UserSettings().System.CheckTVLReg) {
        fw::PostMessage(this, WM_TW_CHECKREGISTRATION);
    }
    fw::Application& application = fw::App();
    for (int i = 1; i <= application.ParamCount(); ++i) {
        if (IsPatternFileArgument(application.ParamStr(i))) {
            fw::PostMessage(this, WM_TW_OPENCMDLINEFILE, i);
        }
    }
}

void TfrmTWMain::FormCloseQuery(bool& canClose)
{
    canClose = fw::MessageDlg("Close the application?", fw::MsgDlgType::Confirmation,
                              fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No}) == fw::mrYes;
}

void TfrmTWMain::DoClose(fw::CloseAction& action)
{
    FormClose();
    fw::Form::DoClose(action);
}

void TfrmTWMain::FormClose()
{
    // Each failure is reported; the other file is still written and the program still
    // closes, so that a read-only folder cannot hold the user in the program.
    try {
        const std::filesystem::path folder = SettingsFolder(ProgramFolder());
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        PaletteList().SaveToFile(folder / PalettesFileName);
    } catch (...) {
        fw::HandleCurrentException();
    }
    RememberDialogFolders();
    try {
        UserSettings().SaveToFile();
    } catch (...) {
        fw::HandleCurrentException();
    }
}

void TfrmTWMain::RememberDialogFolders()
{
    TTWDirectorySettings& folders = UserSettings().Directories;
    // A dialog that was never used to choose a file keeps the folder remembered from the
    // last run.
    if (dataModule_ != nullptr) {
        if (std::string folder = ChosenFolder(dataModule_->LoadDialog()); !folder.empty()) {
            folders.LastLoad = std::move(folder);
        }
        if (std::string folder = ChosenFolder(dataModule_->SaveDialog()); !folder.empty()) {
            folders.LastSave = std::move(folder);
        }
    }
    if (auto* browser = dynamic_cast<ITWBrowserWindow*>(BrowserWindow())) {
        folders.LastBrowse = browser->BrowseFolder();
    }
}
