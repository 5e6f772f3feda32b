#include "forms/button_basic_form.h"

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "framework/gui/std_button.h"

namespace {

// Between the buttons, and between the last one and the panel's right edge.
constexpr int ButtonSpacing = 5;

} // namespace

TfrmTBtnBasic::TfrmTBtnBasic(fw::Component* owner)
    : TfrmTBasic(owner),
      btnClose(NewRowButton(*this, pnlTBottom, "btnClose", "&Close", pnlTBottom->Height(), fw::mrOk)),
      btnCancel(NewRowButton(*this, pnlTBottom, "btnCancel", "&Cancel", pnlTBottom->Height(), fw::mrCancel)),
      btnAccept(NewRowButton(*this, pnlTBottom, "btnAccept", "&Accept", pnlTBottom->Height(), fw::mrOk))
{
    btnClose->SetHint("Close");
    btnClose->SetCancel(true);
    btnCancel->SetCancel(true);
    btnCancel->SetVisible(false);
    btnAccept->SetDefault(true);
    btnAccept->SetVisible(false);
    LineUpButtons();
}

TfrmTBtnBasic::~TfrmTBtnBasic() = default;

void TfrmTBtnBasic::FormCreate()
{
    TfrmTBasic::FormCreate();
    SetAcceptMode(true);
}

void TfrmTBtnBasic::SetAcceptMode(bool accept)
{
    acceptMode_ = accept;
    btnAccept->SetVisible(accept);
    btnCancel->SetVisible(accept);
    btnClose->SetVisible(!accept);
    // Both Close and Cancel are cancel buttons; Esc must reach the one that shows.
    SetCancelButton(accept ? btnCancel : btnClose);
    LineUpButtons();
}

void TfrmTBtnBasic::LineUpButtons()
{
    int right = pnlTBottom->ClientWidth() - ButtonSpacing;
    for (fw::Button* button : {btnCancel, btnAccept, btnClose}) {
        if (!button->Visible()) {
            continue;
        }
        button->SetLeft(right - button->Width());
        right = button->Left() - ButtonSpacing;
    }
}
