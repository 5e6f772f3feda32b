#pragma once

#include <string>
#include <string_view>

#include "shell/data_module_base.h"

namespace fw {
class Bitmap;
class ColorDialog;
class ImageList;
class OpenPictureDialog;
class SavePictureDialog;
} // namespace fw

// The application's common dialogs, made once at start-up after the main window: the open
// and save dialogs of pattern, font and text files (each remembers the folder last chosen
// through it), the picture dialogs, the colour dialog, and the export of images to JPEG,
// bitmap and GIF files.
class TdModMain : public TTWDataModuleBase {
public:
    // Builds the dialogs; once the settings exist, the load and save dialogs start in the
    // folders last used in an earlier run.
    explicit TdModMain(fw::Component* owner = nullptr);
    ~TdModMain() override;

    std::string_view className() const override { return "TdModMain"; }

    // --- Components -------------------------------------------------------------------
    // For the editors' colour choices.
    fw::ColorDialog* const dlgColours;
    // "Load Image": bitmaps, which must exist.
    fw::OpenPictureDialog* const dlgOpenPicture;
    // "Save Image": JPEG, bitmap or GIF, asking before overwriting.
    fw::SavePictureDialog* const dlgSavePicture;
    // "Save": pattern, font and text files, asking before overwriting.
    fw::SaveDialog* const dlgSave;
    // "Load": pattern and font files, which must exist.
    fw::OpenDialog* const dlgLoad;
    fw::ImageList* const Images;

    fw::OpenDialog& LoadDialog() override;
    fw::SaveDialog& SaveDialog() override;

    // --- The file dialogs -------------------------------------------------------------
    // Runs dlgLoad titled "Load " + kindName with the filter (the first entry selected);
    // an empty fileName proposes no file ("*." + extension). On true, fileName is the
    // chosen file, where the dialog starts next time.
    bool ExecuteOpenDialog(const std::string& extension, const std::string& filter, std::string& fileName,
                           const std::string& kindName);
    // The same on dlgSave titled "Save " + kindName; fileName is proposed as it is.
    bool ExecuteSaveDialog(const std::string& extension, const std::string& filter, std::string& fileName,
                           const std::string& kindName);
    // The same, and on true filterIndex is the entry of the filter chosen, from 1 (the
    // first, also when the dialog names none): what the file is saved as.
    bool ExecuteSaveDialog(const std::string& extension, const std::string& filter, std::string& fileName,
                           const std::string& kindName, int& filterIndex);

    // The Load command: patterns, fonts or any file.
    bool ExecuteOpenAnyDialog(std::string& fileName) override;
    bool ExecuteOpenPatternDialog(std::string& fileName);
    bool ExecuteOpenFontDialog(std::string& fileName);
    // With withText the dialog also offers a text file (filter index 2 afterwards).
    bool ExecuteSavePatternDialog(std::string& fileName, bool withText);
    bool ExecuteSaveFontDialog(std::string& fileName);

    // --- Image export -----------------------------------------------------------------
    // Asks for the file and writes the bitmap in the format of the filter chosen (a name
    // without extension gets the format's). False when cancelled, and when a GIF cannot
    // hold the bitmap's colours, which the user is told. Write failures raise.
    bool SaveImage(const fw::Bitmap& bitmap);
};

// The one data module while it exists.
extern TdModMain* dModMain;
