#include "forms/basic_form.h"

#include "controls/brush_panel.h"
#include "forms/forms_default_style.h"

TfrmTBasic::TfrmTBasic(fw::Component* owner)
    : fw::Form(owner), pnlTTop(new TILBrushPanel(this)), pnlTBottom(new TILBrushPanel(this))
{
    SetCaption("Basic Template");
    SetBounds(0, 0, 452, 309);

    pnlTTop->SetName("pnlTTop");
    pnlTTop->SetParent(this);
    pnlTTop->SetAlign(fw::Align::Client);

    pnlTBottom->SetName("pnlTBottom");
    pnlTBottom->SetParent(this);
    pnlTBottom->SetHeight(31);
    pnlTBottom->SetAlign(fw::Align::Bottom);
}

TfrmTBasic::~TfrmTBasic() = default;

void TfrmTBasic::ApplyDefaultStyle()
{
    if (TILFormsDefaultStyle* style = FormsDefaultStyle()) {
        style->AssignTo(pnlTTop);
        style->AssignTo(pnlTBottom);
    }
}

void TfrmTBasic::ApplyDefaultFormStyle(std::span<fw::Persistent* const> controls)
{
    if (TILFormsDefaultStyle* style = FormsDefaultStyle()) {
        ApplyToControls(*style, controls);
    }
}

void TfrmTBasic::ApplyDefaultFormStyle(std::initializer_list<fw::Persistent*> controls)
{
    ApplyDefaultFormStyle(std::span<fw::Persistent* const>(controls.begin(), controls.size()));
}

void TfrmTBasic::FormCreate()
{
    ApplyDefaultStyle();
}

void TfrmTBasic::DoCreate()
{
    FormCreate();
    fw::Form::DoCreate();
}
