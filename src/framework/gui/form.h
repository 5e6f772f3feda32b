#pragma once

#include <functional>
#include <string>

#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/message.h"

namespace fw {

class Form;

// Where a form goes each time it is shown. Designed keeps its bounds; the centres centre it
// (never above or left of the screen's top-left corner); the Default ones leave the place
// to the window system.
enum class FormPosition {
    Designed,
    Default,
    DefaultPosOnly,
    DefaultSizeOnly,
    ScreenCenter,
    DesktopCenter,
    MainFormCenter,
    OwnerFormCenter
};

// The window frame the Qt peer gives the form. None: no frame and no caption (drop-downs).
enum class FormBorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

// What closing does with the form, as OnClose may change it.
enum class CloseAction { None, Hide, Free, Minimize };

using CloseEvent = std::function<void(Object* sender, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Object* sender, bool& canClose)>;

// The modal loop of a form: it returns when form.ModalLoopDone() answers true (or the form
// is gone). In the program the Qt nested event loop (InstallQtModalRunner); in tests a
// script that plays the user - sets fields, "presses" buttons - and sets a ModalResult.
// A runner that returns without an accepted result ends the loop as Cancel.
using ModalRunner = std::function<void(Form& form)>;

// A top-level window built in code. Create it (its constructor and a subclass's create the
// child controls), call FinishLoading() once everything is there, then Show it or
// ShowModal it.
//
// Forms start hidden. They belong to the screen's form list while they exist. Closing asks
// OnCloseQuery, then OnClose decides: hide (the default), free (later, through a posted
// release), minimise, or nothing. A modal form's close only sets ModalResult to Cancel;
// its loop ends once a ModalResult is set and the close query accepts it.
//
// Enter and Esc that no control keeps reach the form as CM_DIALOGKEY (the input layer sends
// it): Enter clicks the default button, Esc the cancel button - the controls registered with
// SetDefaultButton and SetCancelButton (a button does that for its Default and Cancel
// properties, and its Click sets the form's ModalResult from its own).
class Form : public WinControl {
public:
    explicit Form(Component* owner = nullptr);
    ~Form() override;

    std::string_view className() const override { return "TForm"; }

    // The end of building: Loaded() on every control the form owns, in creation order,
    // then on the form itself (which lays out its children), then OnCreate. Only the first
    // call does anything.
    void FinishLoading();

    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition position) { position_ = position; }
    FormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(FormBorderStyle style) { borderStyle_ = style; }

    // --- Showing and closing -----------------------------------------------------------
    // Showing places the form as Position says, runs OnShow and makes it the active form;
    // hiding runs OnHide. Show() and Hide() come from Control.
    void SetVisible(bool visible) override;

    // Shows the form, runs the modal loop, hides the form and answers its ModalResult.
    // Raises EInvalidOperation for a form that is visible or disabled already.
    ModalResult ShowModal();
    // Whether the form runs its modal loop now.
    bool Modal() const { return modal_; }
    ModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(ModalResult result);

    // Modal form: ModalResult becomes Cancel. Other forms: when the close query agrees,
    // OnClose with Hide (the default) hides it, Free releases it, and closing the main form
    // ends the program.
    void Close();
    // OnCloseQuery; true when the form may close.
    virtual bool CloseQuery();
    // Frees the form after the current handler (a posted CM_RELEASE), so that a form can end
    // itself from one of its own events.
    void Release();

    // --- For modal runners ---------------------------------------------------------------
    // With a ModalResult set, runs the close query (and OnClose) once; answers whether the
    // loop may end. A refused close sets ModalResult back to none.
    bool ModalLoopDone();
    // Called whenever a ModalResult is set (or the form is going) while the loop runs: the Qt
    // runner wakes its event loop with it.
    void SetModalWakeUp(std::function<void()> wakeUp) { modalWakeUp_ = std::move(wakeUp); }
    // The loop every ShowModal runs; answers the previous runner. None: ShowModal raises
    // EInvalidOperation (a test forgot to script a dialog).
    static ModalRunner SetModalRunner(ModalRunner runner);

    // --- Default and cancel buttons -------------------------------------------------------
    Control* DefaultButton() const { return defaultButton_.Get(); }
    void SetDefaultButton(Control* button) { defaultButton_ = button; }
    Control* CancelButton() const { return cancelButton_.Get(); }
    void SetCancelButton(Control* button) { cancelButton_ = button; }
    // Clicks the default (Enter) or cancel (Esc) button when it is there, showing and
    // enabled; answers whether a button took the key.
    bool ClickDefaultButton();
    bool ClickCancelButton();

    // The control with the focus inside this form, as the focus layer reports it
    // (CM_FOCUSCHANGED); none while nothing of the form was focused.
    WinControl* ActiveControl() const { return activeControl_.Get(); }
    void SetActiveControl(WinControl* control);

    // --- Events -----------------------------------------------------------------------
    const NotifyEvent& OnCreate() const { return onCreate_; }
    void SetOnCreate(NotifyEvent handler) { onCreate_ = std::move(handler); }
    const NotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(NotifyEvent handler) { onShow_ = std::move(handler); }
    const NotifyEvent& OnHide() const { return onHide_; }
    void SetOnHide(NotifyEvent handler) { onHide_ = std::move(handler); }
    const CloseQueryEvent& OnCloseQuery() const { return onCloseQuery_; }
    void SetOnCloseQuery(CloseQueryEvent handler) { onCloseQuery_ = std::move(handler); }
    const CloseEvent& OnClose() const { return onClose_; }
    void SetOnClose(CloseEvent handler) { onClose_ = std::move(handler); }
    // Runs at the start of the form's destructor: the parts a subclass added are gone by
    // then, so a subclass tidies up in its own destructor and OnDestroy is for outsiders.
    const NotifyEvent& OnDestroy() const { return onDestroy_; }
    void SetOnDestroy(NotifyEvent handler) { onDestroy_ = std::move(handler); }

    void Dispatch(Message& message) override;

protected:
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(CloseAction& action);

private:
    void PlaceForShowing();
    void CloseModal();
    void WakeModalLoop();

    FormPosition position_ = FormPosition::Designed;
    FormBorderStyle borderStyle_ = FormBorderStyle::Sizeable;
    ModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool modalClosed_ = false;
    bool loaded_ = false;
    CloseAction modalCloseAction_ = CloseAction::Hide;
    std::function<void()> modalWakeUp_;
    WeakRef<Control> defaultButton_;
    WeakRef<Control> cancelButton_;
    WeakRef<WinControl> activeControl_;

    NotifyEvent onCreate_;
    NotifyEvent onShow_;
    NotifyEvent onHide_;
    CloseQueryEvent onCloseQuery_;
    CloseEvent onClose_;
    NotifyEvent onDestroy_;
};

// A reusable group of controls placed on forms (the program builds its frames in code).
// FinishLoading: Loaded() on every control it owns, then on itself.
class Frame : public WinControl {
public:
    explicit Frame(Component* owner = nullptr);

    std::string_view className() const override { return "TFrame"; }

    void FinishLoading();

private:
    bool loaded_ = false;
};

} // namespace fw
