#include "editors/block_size_dialog.h"

#include <memory>
#include <string>

#include "controls/brush_panel.h"
#include "foundation/string_utils.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "shell/size_dialog_controls.h"
#include "shell/size_dialog_placing.h"

namespace {

// Neither ratio may exceed the other by more than this factor.
constexpr double MaxRatioFactor = 10.0;

} // namespace

TfrmBlockSize::TfrmBlockSize(fw::Component* owner)
    : TfrmTBasic(owner),
      lblWidth(NewFieldLabel(*this, "lblWidth", "Width", 16)),
      edWidth(NewNumberEdit(*this, "edWidth", 16)),
      lblHeight(NewFieldLabel(*this, "lblHeight", "Height", 46)),
      edHeight(NewNumberEdit(*this, "edHeight", 46)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrNone)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmBlockSize");
    SetCaption("Block Size Ratio");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, 250, 120);
    btnCancel->SetCancel(true);
    btnAccept->SetOnClick([this](fw::Object*) { btnAcceptClick(); });
}

TfrmBlockSize::~TfrmBlockSize() = default;

bool TfrmBlockSize::Execute(double& width, double& height, fw::Component* owner)
{
    const std::unique_ptr<TfrmBlockSize> dialog = NewCentredDialog<TfrmBlockSize>(owner);
    dialog->edWidth->SetText(fw::FloatToStr(width));
    dialog->edHeight->SetText(fw::FloatToStr(height));
    PlaceButtonsFromRight(*dialog->pnlTBottom, {dialog->btnCancel, dialog->btnAccept});
    if (dialog->ShowModal() != fw::mrOk) {
        return false;
    }
    width = SafeStrToFloat(dialog->edWidth->Text());
    height = SafeStrToFloat(dialog->edHeight->Text());
    return true;
}

bool TfrmBlockSize::ReadPositive(fw::Edit& edit, double& value)
{
    if (fw::TryStrToFloat(edit.Text(), value) && value > 0.0) {
        return true;
    }
    edit.SetFocus();
    return false;
}

void TfrmBlockSize::btnAcceptClick()
{
    double width = 0.0;
    double height = 0.0;
    if (!ReadPositive(*edWidth, width) || !ReadPositive(*edHeight, height)) {
        return;
    }
    if ((width < height && height / width > MaxRatioFactor) || (height < width && width / height > MaxRatioFactor)) {
        fw::MessageDlg(std::string(RatioTooLargeText), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    SetModalResult(fw::mrOk);
}
