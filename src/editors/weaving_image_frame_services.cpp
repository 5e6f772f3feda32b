#include "editors/weaving_image_frame_services.h"

#include <memory>

#include "framework/core/bmp_codec.h"
#include "framework/gui/dialogs.h"
#include "shell/report_picture.h"

TWeavingImageServices& WeavingImageServices()
{
    static TWeavingImageServices services;
    return services;
}

bool PickColourWithPlatformDialog(fw::Color& colour)
{
    fw::ColorDialog dialog;
    dialog.SetColor(colour);
    if (!dialog.Execute()) {
        return false;
    }
    colour = dialog.Color();
    return true;
}

bool SaveImageAsBitmapFile(const fw::Bitmap& picture)
{
    fw::SavePictureDialog dialog;
    dialog.SetTitle("Save Image");
    dialog.SetFilter("Bitmap (*.bmp)|*.bmp");
    dialog.SetDefaultExt("bmp");
    dialog.SetOptions(fw::FileDialogOptions{fw::FileDialogOption::OverwritePrompt, fw::FileDialogOption::HideReadOnly,
                                            fw::FileDialogOption::PathMustExist,
                                            fw::FileDialogOption::EnableSizing});
    if (!dialog.Execute()) {
        return false;
    }
    fw::SaveBmpToFile(picture, dialog.FileName());
    return true;
}

bool SizeRatiosNotAvailable(double&, double&, double&)
{
    fw::MessageDlg("The size ratio dialog is not available yet.", fw::MsgDlgType::Information,
                   fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    return false;
}

void PrintImageWithReport(const fw::Bitmap& picture, const fw::Control& centreOver)
{
    // The report only borrows the picture, and both go when printing is over.
    auto report = std::make_unique<TfrmTWPrintImage>();
    PrintWithDetails(*report, &picture, false, &centreOver);
}
