#include "shell/size_dialog_controls.h"

#include "controls/brush_panel.h"
#include "forms/basic_form.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"

fw::Label* NewFieldLabel(TfrmTBasic& form, const char* name, const char* caption, int top)
{
    auto* label = new fw::Label(&form);
    label->SetName(name);
    label->SetParent(form.pnlTTop);
    label->SetCaption(caption);
    // The brush panel shows through, as on every window of the program.
    label->SetTransparent(true);
    label->SetAutoSize(false);
    label->SetBounds(NumberFieldLabelLeft, top + 3, NumberFieldEditLeft - NumberFieldLabelLeft - 6, 15);
    return label;
}

fw::Edit* NewNumberEdit(TfrmTBasic& form, const char* name, int top)
{
    auto* edit = new fw::Edit(&form);
    edit->SetName(name);
    edit->SetParent(form.pnlTTop);
    edit->SetBounds(NumberFieldEditLeft, top, NumberFieldEditWidth, 21);
    return edit;
}
