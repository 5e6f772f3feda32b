#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/argb_image.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/message.h"
#include "framework/gui/window_frame.h"

namespace fw {

class Form;
class MainMenu;
class MdiClient;

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

// A plain top-level window, a child window inside an MDI parent's client area, or the MDI
// parent itself.
enum class FormStyle { Normal, MDIChild, MDIForm };
// How an MDI child shows: at its own bounds, as a small caption bar at the bottom of the
// client area, or filling the client area. Top-level forms only keep the value.
enum class WindowState { Normal, Minimized, Maximized };
// How an MDI parent tiles its children: Horizontal stacks them in rows, Vertical puts them
// side by side in columns.
enum class TileMode { Horizontal, Vertical };
// What dragging a form does: nothing special, or docking (into dock sites, and out of them).
enum class DragKind { Drag, Dock };

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
//
// MDI: an MDI parent (FormStyle MDIForm) has a client area, an MdiClient aligned to what
// its other aligned controls leave, in which its MDI children live. An MDI child draws its
// own frame (a raised border and a caption bar with minimise, maximise or restore, and close
// buttons; the active child's caption is highlighted) and is moved by dragging its caption.
// One child is active: the one shown, clicked, focused, brought to the front or given the
// focus last; when it goes (hidden, freed) the next one from the top takes over. Each change
// of the active child fires OnDeactivate on the old one, then OnActivate on the new one;
// nothing fires when it does not change. Closing an MDI child minimises it unless OnClose
// says otherwise (Free releases it after the handler).
//
// Docking: a form with DragKind Dock goes into a dock site with ManualDock (it becomes the
// site's child, aligned to fill it, and draws a thin grabber caption with a close button)
// and out of it with ManualFloat. Dragging the grabber out of the site floats the form;
// moving a floating form over a site that accepts it docks it (dock.h).
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
    // The picture the desktop shows for the form's window (title bar, task bar, window
    // switcher), drawn at several sizes for the desktop to choose from; none leaves the
    // desktop's own.
    const std::vector<ArgbImage>& Icon() const { return icon_; }
    void SetIcon(std::vector<ArgbImage> sizes);

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
    // OnClose with Hide (the default; Minimize for an MDI child) hides it, Free releases it,
    // Minimize minimises an MDI child (hides another form), and closing the main form ends
    // the program.
    void Close();
    // OnCloseQuery; true when the form may close. An MDI parent first asks each child's
    // close query, the topmost first, and refuses at the first child that does.
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

    // --- MDI --------------------------------------------------------------------------------
    fw::FormStyle FormStyle() const { return formStyle_; }
    // MDIForm gives the form its client area (which it frees again going back to Normal,
    // refused with EInvalidOperation while it has children). MDIChild puts the form into
    // the client area of its owner when that is an MDI parent, else of the application's
    // main form; EInvalidOperation when neither is one.
    void SetFormStyle(fw::FormStyle style);
    fw::WindowState WindowState() const { return windowState_; }
    // For an MDI child: maximising or restoring a shown child makes it the active one;
    // minimising the active child activates the next one that is not minimised.
    void SetWindowState(fw::WindowState state);
    // An MDI child's bounds in the normal state, also while it is minimised or maximised.
    Rect RestoreBounds() const;

    // The MDI parent's client area; none for other forms.
    MdiClient* ClientArea() const { return clientArea_; }
    // The MDI parent an MDI child lives in; none for other forms.
    Form* MDIParent() const;
    // For an MDI parent: the active child (none without a shown child), the children, hidden
    // ones included, the topmost (the active one) first.
    Form* ActiveMDIChild() const;
    int MDIChildCount() const;
    // Raises EListError outside 0..MDIChildCount()-1.
    Form* MDIChildren(int index) const;
    fw::TileMode TileMode() const { return tileMode_; }
    void SetTileMode(fw::TileMode mode) { tileMode_ = mode; }
    // Arrange the shown children that are not minimised (mdi.h): Tile as TileMode says,
    // Cascade from the top-left corner; ArrangeIcons puts the minimised ones in a row from
    // the bottom-left corner without gaps. Nothing for other forms.
    void Tile();
    void Cascade();
    void ArrangeIcons();

    // An MDI child is brought to the front as the active child; other forms as any control.
    void BringToFront() override;
    // An MDI child becomes the active child and focuses its ActiveControl (or itself).
    void SetFocus() override;

    // --- Main menu ---------------------------------------------------------------------------
    // The menu bar of the form (not owned; forgotten when it is freed). Keys that the focused
    // control leaves unused reach IsShortCut; on screen the Qt side shows a menu bar.
    MainMenu* Menu() const { return menu_; }
    void SetMenu(MainMenu* menu);
    // Clicks the item of the key's shortcut in the form's menu or, for an MDI parent, in the
    // active child's; answers whether a menu took the key.
    virtual bool IsShortCut(int key, ShiftState shift);

    // --- Docking (carried out in dock.cpp) ---------------------------------------------------
    fw::DragKind DragKind() const { return dragKind_; }
    void SetDragKind(fw::DragKind kind) { dragKind_ = kind; }
    // The dock site the form is docked in; none while it floats.
    WinControl* HostDockSite() const;
    bool Floating() const { return HostDockSite() == nullptr; }
    // Docks the form into the site: the site it leaves (if any) is asked first (OnUnDock may
    // refuse), then the form becomes the site's child, aligned to fill it, and the site's
    // DockDrop (OnDockDrop) runs with dropPoint. Shown or hidden, it stays so. Answers
    // whether the form is docked there now; false for the form itself or a control inside
    // it, and for MDI children.
    bool ManualDock(WinControl* site, Point dropPoint = Point{});
    // Takes the form out of its dock site (which may refuse) and makes it a top-level window
    // at the screen rectangle; a floating form just moves there. Answers whether it floats
    // there now.
    bool ManualFloat(const Rect& screenRect);
    // Where the form floated last (its bounds when it was docked, or set by ManualFloat).
    Rect FloatingBounds() const { return floatingBounds_; }

    // --- Drawn frames -------------------------------------------------------------------------
    // The caption bar of an MDI child or a docked form, in client coordinates; none for
    // other forms (their frames are the window system's).
    std::optional<CaptionBarLayout> CaptionBar() const;
    // Keeps aligned children off the drawn frame.
    void AdjustClientRect(Rect& rect) override;

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;

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
    // A top-level form became the active window, or an MDI child the active child (and the
    // other way round).
    const NotifyEvent& OnActivate() const { return onActivate_; }
    void SetOnActivate(NotifyEvent handler) { onActivate_ = std::move(handler); }
    const NotifyEvent& OnDeactivate() const { return onDeactivate_; }
    void SetOnDeactivate(NotifyEvent handler) { onDeactivate_ = std::move(handler); }

    void Dispatch(Message& message) override;

protected:
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(CloseAction& action);
    virtual void DoActivate();
    virtual void DoDeactivate();

    // The drawn frame of an MDI child or a docked form (the base draws nothing else).
    void Paint() override;
    void Notification(Component* component, Operation operation) override;

private:
    friend class MdiClient;

    // What a press on the drawn caption started.
    struct FrameDrag {
        CaptionButton Button = CaptionButton::None; // a caption button held down
        bool ButtonShown = false;                   // ... and shown pushed (pointer over it)
        bool Moving = false;                        // an MDI child's caption dragged
        bool Grabbing = false;                      // a docked form's grabber held
        bool Docking = false;                       // ... and pulled far enough to drag
        Point StartScreen;
        Point StartPos;
    };

    void PlaceForShowing();
    void CloseModal();
    void WakeModalLoop();
    bool IsMdiChild() const { return formStyle_ == fw::FormStyle::MDIChild; }
    // The client area an MDI child lives in.
    MdiClient* ParentClient() const;
    // The frame's insets: left, top (caption included), right, bottom.
    Rect FrameInsets() const;
    void CaptionButtonClicked(CaptionButton button);
    void EndFrameDrag();
    // The MDI parent's CM_FOCUSCHANGED: the form the control sits on remembers it, and an
    // MDI child holding it becomes active.
    void FocusMovedTo(WinControl* control);

    FormPosition position_ = FormPosition::Designed;
    FormBorderStyle borderStyle_ = FormBorderStyle::Sizeable;
    std::vector<ArgbImage> icon_;
    ModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool modalClosed_ = false;
    bool loaded_ = false;
    CloseAction modalCloseAction_ = CloseAction::Hide;
    std::function<void()> modalWakeUp_;
    WeakRef<Control> defaultButton_;
    WeakRef<Control> cancelButton_;
    WeakRef<WinControl> activeControl_;

    fw::FormStyle formStyle_ = fw::FormStyle::Normal;
    fw::WindowState windowState_ = fw::WindowState::Normal;
    fw::TileMode tileMode_ = fw::TileMode::Horizontal;
    MdiClient* clientArea_ = nullptr;
    // An MDI child's bounds in the normal state and its place among the minimised ones.
    Rect restoreBounds_;
    int iconSlot_ = -1;
    // Set once an MDI child's destructor has begun: it is no child any more.
    bool mdiGoing_ = false;
    FrameDrag frameDrag_;

    MainMenu* menu_ = nullptr;

    fw::DragKind dragKind_ = fw::DragKind::Drag;
    WeakRef<WinControl> hostDockSite_;
    Rect floatingBounds_;

    NotifyEvent onCreate_;
    NotifyEvent onShow_;
    NotifyEvent onHide_;
    CloseQueryEvent onCloseQuery_;
    CloseEvent onClose_;
    NotifyEvent onDestroy_;
    NotifyEvent onActivate_;
    NotifyEvent onDeactivate_;
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
