#pragma once

#include <string_view>

#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"

namespace fw {

class Form;

// The form a control sits on: the nearest Form among its parents (itself when it is one);
// none when it is not on a form.
Form* ParentFormOf(const Control& control);

// A push button, painted by our own code: a light face with a one-pixel frame, the caption
// centred, a darker face while pressed, a dotted focus frame while focused, and a stronger
// frame when it is the form's default button.
//
// Click (mouse, Space, or Enter while it has the focus and the form has no default button to
// click) first gives the parent form the button's ModalResult when that is not mrNone, then
// fires OnClick - so OnClick may set the form's ModalResult back to mrNone to keep a dialog
// open. Default and Cancel register the button with its form (Form::SetDefaultButton,
// SetCancelButton), which clicks it on Enter and Esc; the registration follows the button
// when its parent changes and is made again in Loaded().
//
// The pressed look follows the mouse while the left button is held: it shows while the
// pointer is over the button and goes when it leaves. Space pressed shows it until Space
// comes up, which clicks.
class Button : public CustomControl {
public:
    explicit Button(Component* owner = nullptr);

    std::string_view className() const override { return "TButton"; }

    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel);
    fw::ModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(fw::ModalResult result) { modalResult_ = result; }

    // Whether the face shows pressed now.
    bool Pressed() const { return pressed_; }

    void SetParent(WinControl* parent) override;
    void Loaded() override;
    void Click() override;

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void KeyDown(int& key, ShiftState shift) override;
    void KeyUp(int& key, ShiftState shift) override;

    void Dispatch(Message& message) override;

protected:
    void Paint() override;

private:
    void SetPressed(bool pressed);
    // Makes the form's default and cancel buttons agree with the flags.
    void RegisterWithForm();
    void UnregisterFrom(Form* form);

    bool default_ = false;
    bool cancel_ = false;
    fw::ModalResult modalResult_ = mrNone;
    bool pressed_ = false;
    bool mouseHeld_ = false;
    bool spaceHeld_ = false;
};

} // namespace fw
