#include "shell/size_dialog_placing.h"

#include "controls/brush_panel.h"
#include "forms/basic_form.h"
#include "forms/form_kit.h"
#include "framework/gui/std_button.h"
#include "framework/gui/window_helpers.h"

void PlaceButtonsFromRight(const fw::Control& panel, std::initializer_list<fw::Button*> buttons)
{
    int right = panel.ClientWidth() - DialogButtonSpacing;
    for (fw::Button* button : buttons) {
        if (button == nullptr || !button->Visible()) {
            continue;
        }
        button->SetLeft(right - button->Width());
        right = button->Left() - DialogButtonSpacing;
    }
}

fw::Button* NewBottomButton(TfrmTBasic& form, const char* name, const char* caption, int modalResult)
{
    return NewRowButton(form, form.pnlTBottom, name, caption, form.pnlTBottom->Height(), modalResult);
}

void CentreDialogOver(const fw::Component* owner, fw::Control& dialog)
{
    const auto* control = dynamic_cast<const fw::Control*>(owner);
    // Only a window's bounds are in screen coordinates.
    const fw::Control* window = control != nullptr ? fw::ParentFormOf(*control) : nullptr;
    CentreControlOver(window != nullptr ? window : control, dialog);
}
