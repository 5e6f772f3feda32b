#include "shell/size_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/pattern_limits.h"
#include "shell/size_dialog_controls.h"
#include "shell/size_dialog_placing.h"

TfrmSize::TfrmSize(fw::Component* owner)
    : TfrmTBasic(owner),
      lblWidth(NewFieldLabel(*this, "lblWidth", "Width", 16)),
      edWidth(NewNumberEdit(*this, "edWidth", 16)),
      lblLength(NewFieldLabel(*this, "lblLength", "Length", 46)),
      edLength(NewNumberEdit(*this, "edLength", 46)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrNone)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmSize");
    SetCaption("Size Settings");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, 250, 120);
    btnAccept->SetOnClick([this](fw::Object*) { btnAcceptClick(); });
}

TfrmSize::~TfrmSize() = default;

bool TfrmSize::Execute(fw::Component* owner, int& width, int& length)
{
    const std::unique_ptr<TfrmSize> dialog = NewCentredDialog<TfrmSize>(owner);
    if (!dialog->Execute(width, length)) {
        return false;
    }
    width = dialog->GetWidth();
    length = dialog->GetLength();
    return true;
}

bool TfrmSize::Execute(int width, int length)
{
    FinishLoading();
    edWidth->SetText(fw::IntToStr(width));
    edLength->SetText(fw::IntToStr(length));
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
    return ShowModal() == fw::mrOk;
}

void TfrmSize::btnAcceptClick()
{
    const int width = fw::StrToInt(edWidth->Text());
    if (width <= 0) {
        throw fw::Exception("Invalid Width.");
    }
    // The width is the number of cards, which no pattern passes.
    if (width > MaxPatternCards) {
        throw fw::Exception(PatternWidthText(width));
    }
    if (fw::StrToInt(edLength->Text()) <= 0) {
        throw fw::Exception("Invalid Length.");
    }
    SetModalResult(fw::mrOk);
}

int TfrmSize::GetWidth() const
{
    return fw::StrToIntDef(edWidth->Text(), 1);
}

int TfrmSize::GetLength() const
{
    return fw::StrToIntDef(edLength->Text(), 1);
}
