#include "shell/size_ratio_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "framework/core/strings.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "shell/size_dialog_placing.h"
#include "shell/size_dialog_controls.h"

TfrmTWSizeRatios::TfrmTWSizeRatios(fw::Component* owner)
    : TfrmTBasic(owner),
      lblWidth(NewFieldLabel(*this, "lblWidth", "Width", 16)),
      edWidth(NewNumberEdit(*this, "edWidth", 16)),
      lblCentre(NewFieldLabel(*this, "lblCentre", "Centre Height", 46)),
      edCentre(NewNumberEdit(*this, "edCentre", 46)),
      lblEnd(NewFieldLabel(*this, "lblEnd", "End Height", 76)),
      edEnd(NewNumberEdit(*this, "edEnd", 76)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrOk)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmTWSizeRatios");
    SetCaption("Edit Size Ratios");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, 250, 150);
    btnCancel->SetCancel(true);
}

TfrmTWSizeRatios::~TfrmTWSizeRatios() = default;

bool TfrmTWSizeRatios::Execute(fw::Component* owner, double& width, double& centreHeight, double& endHeight)
{
    const std::unique_ptr<TfrmTWSizeRatios> dialog = NewCentredDialog<TfrmTWSizeRatios>(owner);
    return dialog->Execute(width, centreHeight, endHeight);
}

bool TfrmTWSizeRatios::Execute(double& width, double& centreHeight, double& endHeight)
{
    FinishLoading();
    edWidth->SetText(fw::FloatToStr(width));
    edCentre->SetText(fw::FloatToStr(centreHeight));
    edEnd->SetText(fw::FloatToStr(endHeight));
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
    if (ShowModal() != fw::mrOk) {
        return false;
    }
    // All three are read before any is stored, so that a bad text leaves every value as it
    // was.
    const double newWidth = fw::StrToFloat(edWidth->Text());
    const double newCentre = fw::StrToFloat(edCentre->Text());
    const double newEnd = fw::StrToFloat(edEnd->Text());
    width = newWidth;
    centreHeight = newCentre;
    endHeight = newEnd;
    return true;
}
