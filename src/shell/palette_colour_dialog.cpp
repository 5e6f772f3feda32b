#include "shell/palette_colour_dialog.h"

#include "framework/gui/dialogs.h"
#include "shell/data_module_base.h"
#include "shell/main_window.h"

fw::ColorDialog* DataModuleColourDialog()
{
    if (frmTWMain == nullptr || frmTWMain->DataModule() == nullptr) {
        return nullptr;
    }
    return dynamic_cast<fw::ColorDialog*>(frmTWMain->DataModule()->FindComponent("dlgColours"));
}

bool ExecuteColourDialog(TTWColour& colour)
{
    fw::ColorDialog own;
    fw::ColorDialog* dialog = DataModuleColourDialog();
    if (dialog == nullptr) {
        dialog = &own;
    }
    dialog->SetColor(colour);
    if (!dialog->Execute()) {
        return false;
    }
    colour = dialog->Color();
    return true;
}
