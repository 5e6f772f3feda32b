#include "shell/data_module.h"

#include <algorithm>

#include "framework/core/files.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/image_list.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/image_export.h"

TdModMain* dModMain = nullptr;

namespace {

using Option = fw::FileDialogOption;

constexpr std::string_view AnyFileFilter = "Patterns (*.tvl)|*.tvl|Fonts (*.tvf)|*.tvf|All files (*.*)|*.*";
constexpr std::string_view PatternFilter = "Patterns (*.tvl)|*.tvl|All files (*.*)|*.*";
constexpr std::string_view FontFilter = "Fonts (*.tvf)|*.tvf|All files (*.*)|*.*";
constexpr std::string_view SavePatternFilter = "Pattern (*.tvl)|*.tvl";
constexpr std::string_view SaveTextFilter = "|Text (*.txt)|*.txt";

// Runs the dialog on the name; on acceptance takes the choice and starts there next time.
bool RunFileDialog(fw::FileDialog& dialog, std::string& fileName)
{
    dialog.SetFileName(fileName);
    if (!dialog.Execute()) {
        return false;
    }
    fileName = dialog.FileName();
    dialog.SetInitialDir(fw::ExtractFilePath(fileName));
    return true;
}

void Prepare(fw::FileDialog& dialog, const std::string& extension, const std::string& filter,
             const std::string& title)
{
    dialog.SetDefaultExt(extension);
    dialog.SetFilter(filter);
    dialog.SetFilterIndex(0);
    dialog.SetTitle(title);
}

} // namespace

TdModMain::TdModMain(fw::Component* owner)
    : TTWDataModuleBase(owner),
      dlgColours(new fw::ColorDialog(this)),
      dlgOpenPicture(new fw::OpenPictureDialog(this)),
      dlgSavePicture(new fw::SavePictureDialog(this)),
      dlgSave(new fw::SaveDialog(this)),
      dlgLoad(new fw::OpenDialog(this)),
      Images(new fw::ImageList(this))
{
    SetName("dModMain");
    dlgColours->SetName("dlgColours");

    dlgOpenPicture->SetName("dlgOpenPicture");
    dlgOpenPicture->SetDefaultExt("bmp");
    dlgOpenPicture->SetFilter("Bitmaps (*.bmp)|*.bmp");
    dlgOpenPicture->SetTitle("Load Image");
    dlgOpenPicture->SetOptions({Option::HideReadOnly, Option::FileMustExist, Option::EnableSizing});

    dlgSavePicture->SetName("dlgSavePicture");
    dlgSavePicture->SetFilter(std::string(SavePictureFilter));
    dlgSavePicture->SetTitle("Save Image");
    dlgSavePicture->SetOptions(
        {Option::OverwritePrompt, Option::HideReadOnly, Option::PathMustExist, Option::EnableSizing});
    // The JPEG entry names two extensions, so the dialog would add none to a bare name and
    // ask about overwriting the bare name, while SaveImage then writes "<name>.jpg". With
    // "jpg" as the default, the name asked about is the name written, for every entry.
    dlgSavePicture->SetDefaultExt(std::string(ImageFormatExtension(TTWImageFormat::JPEG)));

    dlgSave->SetName("dlgSave");
    dlgSave->SetTitle("Save");
    dlgSave->SetOptions({Option::OverwritePrompt, Option::HideReadOnly, Option::PathMustExist, Option::EnableSizing});

    dlgLoad->SetName("dlgLoad");
    dlgLoad->SetTitle("Load");
    dlgLoad->SetOptions({Option::HideReadOnly, Option::FileMustExist, Option::EnableSizing});

    Images->SetName("Images");

    if (ModelInitialised()) {
        const TTWDirectorySettings& folders = UserSettings().Directories;
        dlgLoad->SetInitialDir(folders.LastLoad);
        dlgSave->SetInitialDir(folders.LastSave);
    }
    dModMain = this;
}

TdModMain::~TdModMain()
{
    if (dModMain == this) {
        dModMain = nullptr;
    }
}

fw::OpenDialog& TdModMain::LoadDialog()
{
    return *dlgLoad;
}

fw::SaveDialog& TdModMain::SaveDialog()
{
    return *dlgSave;
}

bool TdModMain::ExecuteOpenDialog(const std::string& extension, const std::string& filter, std::string& fileName,
                                  const std::string& kindName)
{
    if (fileName.empty()) {
        fileName = "*." + extension;
    }
    Prepare(*dlgLoad, extension, filter, "Load " + kindName);
    return RunFileDialog(*dlgLoad, fileName);
}

bool TdModMain::ExecuteSaveDialog(const std::string& extension, const std::string& filter, std::string& fileName,
                                  const std::string& kindName)
{
    Prepare(*dlgSave, extension, filter, "Save " + kindName);
    return RunFileDialog(*dlgSave, fileName);
}

bool TdModMain::ExecuteSaveDialog(const std::string& extension, const std::string& filter, std::string& fileName,
                                  const std::string& kindName, int& filterIndex)
{
    if (!ExecuteSaveDialog(extension, filter, fileName, kindName)) {
        return false;
    }
    // Index 0 is the dialog's way of saying the first entry.
    filterIndex = std::max(dlgSave->FilterIndex(), 1);
    return true;
}

bool TdModMain::ExecuteOpenAnyDialog(std::string& fileName)
{
    return ExecuteOpenDialog("tvl", std::string(AnyFileFilter), fileName, "TVL File");
}

bool TdModMain::ExecuteOpenPatternDialog(std::string& fileName)
{
    return ExecuteOpenDialog("tvl", std::string(PatternFilter), fileName, "Pattern");
}

bool TdModMain::ExecuteOpenFontDialog(std::string& fileName)
{
    return ExecuteOpenDialog("tvf", std::string(FontFilter), fileName, "Font");
}

bool TdModMain::ExecuteSavePatternDialog(std::string& fileName, bool withText)
{
    std::string filter(SavePatternFilter);
    if (withText) {
        filter += SaveTextFilter;
    }
    return ExecuteSaveDialog("tvl", filter, fileName, "Pattern");
}

bool TdModMain::ExecuteSaveFontDialog(std::string& fileName)
{
    return ExecuteSaveDialog("tvf", std::string(FontFilter), fileName, "Font");
}

bool TdModMain::SaveImage(const fw::Bitmap& bitmap)
{
    if (!dlgSavePicture->Execute()) {
        return false;
    }
    const TTWImageFormat format = ImageFormatOfFilterIndex(dlgSavePicture->FilterIndex());
    const std::string fileName = ImageExportFileName(dlgSavePicture->FileName(), format);
    if (!WriteImageFile(bitmap, fileName, format)) {
        fw::MessageDlg(GIFTooManyColoursText(fileName), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return false;
    }
    return true;
}
