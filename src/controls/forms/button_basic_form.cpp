#include "controls/forms/button_basic_form.h"

#include "controls/brush_panel.h"
#include "framework/gui/std_button.h"

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
// Between the buttons, and between the last one and the panel's right edge.
constexpr int ButtonSpacing = 5;

fw::Button* NewButton(TfrmTBtnBasic& form, TILBrushPanel& panel, const char* name, const char* caption,
                      fw::ModalResult result)
{
    auto* button = new fw::Button(&form);
    button->SetName(name);
    button->SetParent(&panel);
    button->SetCaption(caption);
    button->SetModalResult(result);
    button->SetBounds(0, (panel.Height() - ButtonHeight) / 2, ButtonWidth, ButtonHeight);
    button->SetAnchors(fw::Anchors{fw::AnchorKind::Top, fw::AnchorKind::Right});
    return button;
}

} // namespace

TfrmTBtnBasic::TfrmTBtnBasic(fw::Component* owner)
    : TfrmTBasic(owner),
      btnClose(NewButton(*this, *pnlTBottom, "btnClose", "&Close", fw::mrOk)),
      btnCancel(NewButton(*this, *pnlTBottom, "btnCancel", "&Cancel", fw::mrCancel)),
      btnAccept(NewButton(*this, *pnlTBottom, "btnAccept", "&Accept", fw::mrOk))
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
