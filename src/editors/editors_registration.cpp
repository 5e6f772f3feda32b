#include "editors/editors_registration.h"

#include "editors/weaving_image_frame_services.h"
#include "framework/gui/dialogs.h"
#include "shell/data_module.h"
#include "shell/main_window.h"
#include "shell/size_ratio_dialog.h"

void RegisterEditors()
{
    RegisterThreadedEditor();
    RegisterWeavingImageServices();
}

void RegisterWeavingImageServices()
{
    TWeavingImageServices& services = WeavingImageServices();
    // The data module exists from start-up on; until then (and in a program without one) the
    // views keep their stand-ins.
    services.PickColour = [](fw::Color& colour) {
        if (dModMain == nullptr) {
            return PickColourWithPlatformDialog(colour);
        }
        dModMain->dlgColours->SetColor(colour);
        if (!dModMain->dlgColours->Execute()) {
            return false;
        }
        colour = dModMain->dlgColours->Color();
        return true;
    };
    services.SaveImage = [](const fw::Bitmap& picture) {
        return dModMain != nullptr ? dModMain->SaveImage(picture) : SaveImageAsBitmapFile(picture);
    };
    services.EditSizeRatios = [](double& width, double& centre, double& end) {
        return TfrmTWSizeRatios::Execute(frmTWMain, width, centre, end);
    };
}
