#include "shell/pattern_base_form.h"

#include <cstdint>

#include "framework/gui/message.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"

TfrmTWPatternBaseForm::TfrmTWPatternBaseForm(fw::Component* owner) : TfrmTBasic(owner)
{
    SetFormStyle(fw::FormStyle::MDIChild);
}

TfrmTWPatternBaseForm::~TfrmTWPatternBaseForm()
{
    // While the main window goes it frees its editors; it must not be called back then.
    if (frmTWMain != nullptr && !frmTWMain->IsBeingDestroyed()) {
        frmTWMain->Perform(WM_TW_EDITORDESTROYED, reinterpret_cast<std::intptr_t>(static_cast<fw::Form*>(this)));
    }
}
