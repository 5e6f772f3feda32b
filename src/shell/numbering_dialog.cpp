#include "shell/numbering_dialog.h"

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "shell/size_dialog_controls.h"

namespace {

// Whether the edit holds an integer above 0. The reading raises for any other text, and so
// does a number that is not above 0, so that both end in the one message of the caller.
bool HoldsPositiveNumber(const fw::Edit& edit)
{
    try {
        if (fw::StrToInt(edit.Text()) <= 0) {
            throw fw::Exception("Invalid number.");
        }
        return true;
    } catch (const fw::Exception&) {
        return false;
    }
}

bool CheckNumber(fw::Edit& edit, const char* message)
{
    if (HoldsPositiveNumber(edit)) {
        return true;
    }
    fw::MessageDlg(message, fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    edit.SetFocus();
    return false;
}

} // namespace

TfrmGenerate::TfrmGenerate(fw::Component* owner)
    : TfrmTBasic(owner),
      lblFirstPick(NewFieldLabel(*this, "lblFirstPick", "First Pick Number", 16)),
      edFirstPick(NewNumberEdit(*this, "edFirstPick", 16)),
      lblFirstCard(NewFieldLabel(*this, "lblFirstCard", "First Card Number", 46)),
      edFirstCard(NewNumberEdit(*this, "edFirstCard", 46))
{
    SetName("frmGenerate");
    SetCaption("Generate");
    edFirstPick->SetText("1");
    edFirstCard->SetText("1");
}

TfrmGenerate::~TfrmGenerate() = default;

bool TfrmGenerate::ValidateNumbers()
{
    return CheckNumber(*edFirstPick, "Invalid pick number.") && CheckNumber(*edFirstCard, "Invalid card number.");
}

int TfrmGenerate::GetFirstPick() const
{
    return fw::StrToIntDef(edFirstPick->Text(), 0);
}

int TfrmGenerate::GetFirstCard() const
{
    return fw::StrToIntDef(edFirstCard->Text(), 0);
}
