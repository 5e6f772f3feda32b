#include "controls/check_box.h"

#include "controls/check_images.h"

TILCheckBox::TILCheckBox(fw::Component* owner) : TILToggleCheckCtrl(owner)
{
    SetStateImage(0, true, DefaultCheckImage(TILCheckImage::CheckBoxBlank));
    SetStateImage(1, true, DefaultCheckImage(TILCheckImage::CheckBoxChecked));
    SetStateImage(0, false, DefaultCheckImage(TILCheckImage::CheckBoxBlankDisabled));
    SetStateImage(1, false, DefaultCheckImage(TILCheckImage::CheckBoxCheckedDisabled));
}

bool TILCheckBox::CanSetState(std::int32_t state)
{
    if (!TILToggleCheckCtrl::CanSetState(state)) {
        return false;
    }
    return !onCanChange_ || onCanChange_(this);
}
