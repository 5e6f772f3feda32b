#include "framework/gui/form.h"

#include <algorithm>

#include "framework/gui/application.h"
#include "framework/gui/mdi.h"
#include "framework/gui/menu.h"

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

void Form::SetIcon(std::vector<ArgbImage> sizes)
{
    icon_ = std::move(sizes);
    if (Peer() != nullptr) {
        Peer()->IconChanged();
    }
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
    // The children of an MDI parent go while it is still a form; a child going leaves its
    // client area while it still is one, so the next child can become active.
    if (MdiClient* client = std::exchange(clientArea_, nullptr)) {
        delete client;
    }
    if (MdiClient* client = ParentClient()) {
        client->ChildGoing(*this);
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

void Form::DoActivate()
{
    if (onActivate_) {
        const NotifyEvent handler = onActivate_;
        handler(this);
    }
}

void Form::DoDeactivate()
{
    if (onDeactivate_) {
        const NotifyEvent handler = onDeactivate_;
        handler(this);
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
        // Only windows of their own are placed by Position and become the active form; an
        // MDI child is placed in its client area, a docked form where its site puts it.
        if (MdiClient* client = ParentClient()) {
            if (windowState_ == fw::WindowState::Normal) {
                client->PlaceNewChild(*this, position_);
            }
        } else if (Parent() == nullptr) {
            PlaceForShowing();
        }
        DoShow();
        if (!self) {
            return;
        }
        WinControl::SetVisible(true);
        if (!self || !Visible()) {
            return;
        }
        if (MdiClient* client = ParentClient()) {
            client->ChildShown(*this);
        } else if (Parent() == nullptr) {
            Screen::Instance().SetActiveForm(this);
        }
    } else {
        WinControl::SetVisible(false);
        if (!self) {
            return;
        }
        DoHide();
        if (!self) {
            return;
        }
        if (MdiClient* client = ParentClient()) {
            client->ChildHidden(*this);
        } else {
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
    if (clientArea_ != nullptr) {
        const std::vector<Form*> children = clientArea_->Children();
        const std::vector<WeakRef<Form>> guarded(children.begin(), children.end());
        WeakRef<Form> self(this);
        for (const auto& child : guarded) {
            if (Form* alive = child.Get(); alive != nullptr && !alive->CloseQuery()) {
                return false;
            }
            if (!self) {
                return false;
            }
        }
    }
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
    // An MDI child cannot vanish from its parent by default: it is minimised instead.
    CloseAction action = IsMdiChild() ? CloseAction::Minimize : CloseAction::Hide;
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
        // Top-level windows are the window system's to minimise; hiding is the nearest thing.
        if (IsMdiChild()) {
            SetWindowState(fw::WindowState::Minimized);
        } else {
            Hide();
        }
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

void Form::FocusMovedTo(WinControl* control)
{
    activeControl_ = control;
    // Each form inside this one (docked forms, MDI children) remembers the control too, and
    // an MDI child that holds it becomes the active child.
    Form* child = nullptr;
    for (Control* up = control; up != nullptr && up != this; up = up->Parent()) {
        if (auto* inner = dynamic_cast<Form*>(up)) {
            if (inner != control) {
                inner->activeControl_ = control;
            }
            if (child == nullptr && inner->IsMdiChild()) {
                child = inner;
            }
        }
    }
    if (child != nullptr) {
        if (MdiClient* client = child->ParentClient()) {
            client->Activate(*child, false);
        }
    }
}

// --- MDI --------------------------------------------------------------------------------------

MdiClient* Form::ParentClient() const
{
    return IsMdiChild() && !mdiGoing_ ? dynamic_cast<MdiClient*>(Parent()) : nullptr;
}

void Form::SetFormStyle(fw::FormStyle style)
{
    if (style == formStyle_) {
        return;
    }
    if (style == fw::FormStyle::MDIChild) {
        Form* mdiParent = dynamic_cast<Form*>(Owner());
        if (mdiParent == nullptr || mdiParent->clientArea_ == nullptr) {
            mdiParent = App().MainForm();
        }
        if (mdiParent == nullptr || mdiParent->clientArea_ == nullptr || mdiParent == this) {
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        }
    }
    // Leave the old style.
    if (formStyle_ == fw::FormStyle::MDIForm) {
        if (!clientArea_->Children().empty()) {
            throw EInvalidOperation("Cannot change the style of an MDI parent that has children");
        }
        delete std::exchange(clientArea_, nullptr);
    } else if (MdiClient* client = ParentClient()) {
        client->ApplyWindowState(*this, fw::WindowState::Normal);
        if (client->ActiveChild() == this) {
            client->ActivateNext(this, false, false);
        }
        formStyle_ = fw::FormStyle::Normal;
        SetParent(nullptr);
    }
    formStyle_ = style;
    switch (style) {
    case fw::FormStyle::MDIForm: clientArea_ = new MdiClient(*this); break;
    case fw::FormStyle::MDIChild: {
        Form* mdiParent = dynamic_cast<Form*>(Owner());
        if (mdiParent == nullptr || mdiParent->clientArea_ == nullptr) {
            mdiParent = App().MainForm();
        }
        Screen::Instance().FormHidden(this);
        hostDockSite_.Reset();
        SetAlign(fw::Align::None);
        SetParent(mdiParent->clientArea_);
        if (Visible()) {
            mdiParent->clientArea_->ChildShown(*this);
        }
        break;
    }
    case fw::FormStyle::Normal: break;
    }
}

void Form::SetWindowState(fw::WindowState state)
{
    if (MdiClient* client = ParentClient()) {
        client->ChangeWindowState(*this, state);
        return;
    }
    windowState_ = state;
}

Rect Form::RestoreBounds() const
{
    return IsMdiChild() && windowState_ != fw::WindowState::Normal ? restoreBounds_ : BoundsRect();
}

Form* Form::MDIParent() const
{
    const MdiClient* client = ParentClient();
    return client != nullptr ? &client->ParentForm() : nullptr;
}

Form* Form::ActiveMDIChild() const
{
    return clientArea_ != nullptr ? clientArea_->ActiveChild() : nullptr;
}

int Form::MDIChildCount() const
{
    return clientArea_ != nullptr ? static_cast<int>(clientArea_->Children().size()) : 0;
}

Form* Form::MDIChildren(int index) const
{
    const std::vector<Form*> children = clientArea_ != nullptr ? clientArea_->Children() : std::vector<Form*>{};
    if (index < 0 || index >= static_cast<int>(children.size())) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return children[static_cast<std::size_t>(index)];
}

void Form::Tile()
{
    if (clientArea_ != nullptr) {
        clientArea_->Tile(tileMode_);
    }
}

void Form::Cascade()
{
    if (clientArea_ != nullptr) {
        clientArea_->Cascade();
    }
}

void Form::ArrangeIcons()
{
    if (clientArea_ != nullptr) {
        clientArea_->ArrangeIcons();
    }
}

void Form::BringToFront()
{
    if (MdiClient* client = ParentClient()) {
        client->Activate(*this, true);
        return;
    }
    WinControl::BringToFront();
}

void Form::SetFocus()
{
    if (MdiClient* client = ParentClient()) {
        client->Activate(*this, true);
        return;
    }
    WinControl::SetFocus();
}

// --- Main menu -------------------------------------------------------------------------------

void Form::SetMenu(MainMenu* menu)
{
    if (menu == menu_) {
        return;
    }
    if (menu_ != nullptr) {
        RemoveFreeNotification(menu_);
    }
    menu_ = menu;
    if (menu != nullptr) {
        FreeNotification(menu);
    }
}

bool Form::IsShortCut(int key, ShiftState shift)
{
    if (menu_ != nullptr && menu_->IsShortCut(key, shift)) {
        return true;
    }
    if (Form* child = ActiveMDIChild()) {
        return child->IsShortCut(key, shift);
    }
    return false;
}

void Form::Notification(Component* component, Operation operation)
{
    WinControl::Notification(component, operation);
    if (operation == Operation::Remove && component == menu_) {
        menu_ = nullptr;
    }
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
        FocusMovedTo(dynamic_cast<WinControl*>(reinterpret_cast<Control*>(message.LParam)));
        break;
    case WM_MOUSEACTIVATE:
        if (MdiClient* client = ParentClient()) {
            client->Activate(*this, true);
            message.Result = 1;
            return;
        }
        break;
    case CM_ACTIVATE:
        // The window system's activation reaches top-level forms; MDI children hear of
        // theirs from their client area.
        if (Parent() == nullptr) {
            DoActivate();
        }
        break;
    case CM_DEACTIVATE:
        if (Parent() == nullptr) {
            DoDeactivate();
        }
        break;
    case WM_CAPTURECHANGED:
        // Another control took the mouse: whatever the caption was doing ends. (The release
        // of the mouse comes with no new capture and ends it in MouseUp.)
        if (message.LParam != 0) {
            EndFrameDrag();
        }
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
