#include "shell/pattern_base_form.h"

#include "framework/gui/dialogs.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"

TfrmTWPatternBaseForm::TfrmTWPatternBaseForm(fw::Component* owner) : TfrmTBasic(owner)
{
    SetFormStyle(fw::FormStyle::MDIChild);
}

TfrmTWPatternBaseForm::~TfrmTWPatternBaseForm()
{
    if (host_ != nullptr) {
        host_->EditorDestroyed(*this);
    }
}

fw::Component* TfrmTWPatternBaseForm::DialogOwner()
{
    fw::Component* owner = host_ != nullptr ? host_->DialogOwner() : nullptr;
    return owner != nullptr ? owner : this;
}

bool TfrmTWPatternBaseForm::ConfirmLosingChanges()
{
    return fw::MessageDlg("Close form and lose changes?", fw::MsgDlgType::Confirmation,
                          fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
           == fw::mrYes;
}

void TfrmTWPatternBaseForm::FreeOnClose(fw::CloseAction& action)
{
    action = fw::CloseAction::Free;
    // The notes let go of this window before it is freed (after the close handler), so that
    // they never write into a window that is gone.
    BindNotes(false);
    TellMain(WM_TW_TOOLSDISABLED);
}

void TfrmTWPatternBaseForm::AnnounceActivation(int patternKind)
{
    TellMain(WM_TW_EDITORACTIVATED, patternKind);
    TellMain(WM_TW_TOOLSTATESCHANGED);
    BindNotes(true);
}

void TfrmTWPatternBaseForm::TellMain(int message, std::intptr_t wParam) const
{
    if (host_ != nullptr) {
        host_->NotifyMainForm(message, wParam);
    }
}

void TfrmTWPatternBaseForm::BindNotes(bool bind)
{
    if (host_ == nullptr) {
        return;
    }
    if (bind) {
        host_->BindNotes(*this);
    } else {
        host_->UnbindNotes(*this);
    }
}
