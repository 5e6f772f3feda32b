#include "framework/gui/form.h"

#include <algorithm>

#include "framework/gui/application.h"

namespace fw {

namespace {

ModalRunner& Runner()
{
    static ModalRunner runner;
    return runner;
}

// Loaded() on every control the root owns, in creation order.
void LoadOwnedControls(Component& root)
{
    for (int i = 0; i < root.ComponentCount(); ++i) {
        if (auto* control = dynamic_cast<Control*>(root.Components(i))) {
            control->Loaded();
        }
    }
}

// The centre position of a width x height window over the area, never above or left of the
// screen's top-left corner.
Point CentredOver(const Rect& area, int width, int height)
{
    return Point{std::max(0, area.Left + (area.Width() - width) / 2), std::max(0, area.Top + (area.Height() - height) / 2)};
}

} // namespace

// --- Form ---------------------------------------------------------------------------------

Form::Form(Component* owner) : WinControl(owner)
{
    // Forms are built hidden and shown when ready; the loading flag holds layout back
    // until FinishLoading.
    WinControl::SetVisible(false);
    SetControlState(ControlState().Include(ControlStateFlag::Loading));
    SetColor(clBtnFace);
    Screen::Instance().AddForm(this);
}

Form::~Form()
{
    if (onDestroy_) {
        const NotifyEvent handler = onDestroy_;
        GuardedCall([&] { handler(this); });
    }
    if (modal_) {
        // The loop must not wait for a form that is gone.
        modal_ = false;
        WakeModalLoop();
    }
    Screen::Instance().RemoveForm(this);
}

void Form::FinishLoading()
{
    if (loaded_) {
        return;
    }
    loaded_ = true;
    LoadOwnedControls(*this);
    Loaded();
    DoCreate();
}

void Form::DoCreate()
{
    if (onCreate_) {
        onCreate_(this);
    }
}

void Form::DoShow()
{
    if (onShow_) {
        onShow_(this);
    }
}

void Form::DoHide()
{
    if (onHide_) {
        onHide_(this);
    }
}

void Form::DoClose(CloseAction& action)
{
    if (onClose_) {
        onClose_(this, action);
    }
}

void Form::PlaceForShowing()
{
    const Screen& screen = Screen::Instance();
    const Rect whole{0, 0, screen.Width(), screen.Height()};
    const Form* centre = nullptr;
    switch (position_) {
    case FormPosition::Designed:
    case FormPosition::Default:
    case FormPosition::DefaultPosOnly:
    case FormPosition::DefaultSizeOnly: return;
    case FormPosition::ScreenCenter:
    case FormPosition::DesktopCenter: break;
    case FormPosition::MainFormCenter: centre = App().MainForm(); break;
    case FormPosition::OwnerFormCenter:
        centre = dynamic_cast<const Form*>(Owner());
        if (centre == nullptr) {
            centre = App().MainForm();
        }
        break;
    }
    if (centre == this) {
        centre = nullptr;
    }
    const Point place = CentredOver(centre != nullptr ? centre->BoundsRect() : whole, Width(), Height());
    SetBounds(place.X, place.Y, Width(), Height());
}

void Form::SetVisible(bool visible)
{
    if (visible == Visible()) {
        return;
    }
    WeakRef<Form> self(this);
    if (visible) {
        PlaceForShowing();
        DoShow();
        if (!self) {
            return;
        }
        WinControl::SetVisible(true);
        if (self && Visible()) {
            Screen::Instance().SetActiveForm(this);
        }
    } else {
        WinControl::SetVisible(false);
        if (!self) {
            return;
        }
        DoHide();
        if (self) {
            Screen::Instance().FormHidden(this);
        }
    }
}

ModalRunner Form::SetModalRunner(ModalRunner runner)
{
    return std::exchange(Runner(), std::move(runner));
}

void Form::SetModalResult(ModalResult result)
{
    modalResult_ = result;
    modalClosed_ = false;
    if (modal_ && result != mrNone) {
        WakeModalLoop();
    }
}

void Form::WakeModalLoop()
{
    if (modalWakeUp_) {
        const std::function<void()> wakeUp = modalWakeUp_;
        wakeUp();
    }
}

void Form::CloseModal()
{
    CloseAction action = CloseAction::None;
    if (CloseQuery()) {
        action = CloseAction::Hide;
        DoClose(action);
    }
    modalCloseAction_ = action;
    if (action == CloseAction::None) {
        modalResult_ = mrNone;
    }
}

bool Form::ModalLoopDone()
{
    if (modalClosed_) {
        return true;
    }
    if (modalResult_ == mrNone) {
        return false;
    }
    CloseModal();
    modalClosed_ = modalResult_ != mrNone;
    return modalClosed_;
}

ModalResult Form::ShowModal()
{
    if (Visible() || !Enabled() || modal_) {
        throw EInvalidOperation("Cannot make a visible window modal");
    }
    const ModalRunner runner = Runner();
    if (!runner) {
        throw EInvalidOperation("No modal loop is installed to show " + SenderText());
    }
    WeakRef<Form> self(this);
    WeakRef<Form> previousActive(Screen::Instance().ActiveForm());
    SetCaptureControl(nullptr);
    modal_ = true;
    modalClosed_ = false;
    modalResult_ = mrNone;
    modalCloseAction_ = CloseAction::Hide;

    // Whatever way the loop ends, the form is hidden again and the form that was active
    // before becomes active again.
    auto finish = [&] {
        if (!self) {
            return;
        }
        modal_ = false;
        Hide();
        if (previousActive && previousActive->Visible()) {
            Screen::Instance().SetActiveForm(previousActive.Get());
        }
    };
    try {
        Show();
        if (self) {
            runner(*this);
        }
        if (self && !ModalLoopDone()) {
            // The runner gave up (a script that set no result, or one the close query
            // refused): that counts as Cancel.
            modalResult_ = mrCancel;
        }
    } catch (...) {
        finish();
        throw;
    }
    if (!self) {
        return mrCancel;
    }
    const ModalResult result = modalResult_;
    const CloseAction action = modalCloseAction_;
    finish();
    if (self && action == CloseAction::Free) {
        Release();
    }
    return result;
}

bool Form::CloseQuery()
{
    bool canClose = true;
    if (onCloseQuery_) {
        onCloseQuery_(this, canClose);
    }
    return canClose;
}

void Form::Close()
{
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    CloseAction action = CloseAction::Hide;
    WeakRef<Form> self(this);
    DoClose(action);
    if (!self || action == CloseAction::None) {
        return;
    }
    if (App().MainForm() == this) {
        App().Terminate();
        return;
    }
    switch (action) {
    case CloseAction::Hide: Hide(); break;
    case CloseAction::Free: Release(); break;
    case CloseAction::Minimize:
        // Window states belong to the main window's work; hiding is the nearest thing.
        Hide();
        break;
    case CloseAction::None: break;
    }
}

void Form::Release()
{
    PostMessage(this, CM_RELEASE);
}

bool Form::ClickDefaultButton()
{
    Control* button = defaultButton_.Get();
    if (button == nullptr || !button->Showing() || !button->Enabled()) {
        return false;
    }
    button->Click();
    return true;
}

bool Form::ClickCancelButton()
{
    Control* button = cancelButton_.Get();
    if (button == nullptr || !button->Showing() || !button->Enabled()) {
        return false;
    }
    button->Click();
    return true;
}

void Form::SetActiveControl(WinControl* control)
{
    activeControl_ = control;
}

void Form::Dispatch(Message& message)
{
    switch (message.Msg) {
    case CM_DIALOGKEY: {
        const ShiftState shift = ShiftState::FromBits(static_cast<std::uint32_t>(message.LParam));
        const bool plain = (shift & ShiftState{ShiftFlag::Shift, ShiftFlag::Alt, ShiftFlag::Ctrl}).Empty();
        if (plain && message.WParam == VK_RETURN && ClickDefaultButton()) {
            message.Result = 1;
            return;
        }
        if (plain && message.WParam == VK_ESCAPE && ClickCancelButton()) {
            message.Result = 1;
            return;
        }
        break;
    }
    case CM_FOCUSCHANGED:
        activeControl_ = dynamic_cast<WinControl*>(reinterpret_cast<Control*>(message.LParam));
        break;
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        // The last thing this form does: nothing of it may be touched afterwards.
        delete this;
        return;
    default: break;
    }
    WinControl::Dispatch(message);
}

// --- Frame --------------------------------------------------------------------------------

Frame::Frame(Component* owner) : WinControl(owner)
{
    SetControlState(ControlState().Include(ControlStateFlag::Loading));
}

void Frame::FinishLoading()
{
    if (loaded_) {
        return;
    }
    loaded_ = true;
    LoadOwnedControls(*this);
    Loaded();
}

} // namespace fw
