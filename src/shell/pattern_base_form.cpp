#include "shell/pattern_base_form.h"

#include "shell/editor_host.h"

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
