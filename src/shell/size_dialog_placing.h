#pragma once

#include <initializer_list>
#include <memory>

namespace fw {
class Button;
class Component;
class Control;
} // namespace fw

class TfrmTBasic;

// Where the shell's small dialogs and their buttons go.

// Centres the dialog over the window its owner lies on (the owner itself when that is a
// window; the screen without one), as CentreControlOver places it.
void CentreDialogOver(const fw::Component* owner, fw::Control& dialog);

// The dialog made by the owner (which may be none), finished loading and centred over it: how
// the static Execute of every small dialog begins. The pointer frees it when done.
template <class Dialog>
std::unique_ptr<Dialog> NewCentredDialog(fw::Component* owner)
{
    std::unique_ptr<Dialog> dialog(new Dialog(owner));
    dialog->FinishLoading();
    CentreDialogOver(owner, *dialog);
    return dialog;
}

// The buttons line up along the right edge of the bottom panel: the first button given 5
// pixels from the edge, each further one 5 pixels to the left of the one before. Hidden
// buttons take no place.
inline constexpr int DialogButtonSpacing = 5;
void PlaceButtonsFromRight(const fw::Control& panel, std::initializer_list<fw::Button*> buttons);

// A button on the form's bottom panel (owned by the form), vertically centred, standard
// size, anchored to the panel's right edge so that it stays in line when the form grows.
fw::Button* NewBottomButton(TfrmTBasic& form, const char* name, const char* caption, int modalResult);
