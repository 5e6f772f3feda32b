#pragma once

#include <QObject>
#include <QPointer>

#include "framework/gui/control.h"

class QWidget;

namespace fw {

class InputRouter;
class MainMenu;
class QtMenuHost;
class QtPeerWidget;

// The Qt side of a shown control: a QtPeerWidget that the control's changes keep in step.
// A control without a parent becomes a top-level window (a form after its border style, a
// hint window a tool tip); a child becomes a widget inside its parent's, stacked in the
// parent's child order. A top-level form with a main menu gets a QtMenuHost window: the
// menu bar above, the form's widget below it, where the form's bounds are. A form whose
// menu changes gets a new peer at the next synchronisation. Peers exist only while the control's window is shown: hiding a
// top-level control hides its window, and the next SyncQtPeers takes the peers away.
//
// Mouse capture needs nothing from Qt: while a button is held Qt already sends every move
// and the release to the pressed widget, and the router directs them to the capturing
// control. A capture kept with no button held sees the pointer only over the program's
// windows.
class QtPeer final : public ControlPeer {
public:
    // The control's parent, when it has one, must have a QtPeer already.
    explicit QtPeer(Control& control);
    ~QtPeer() override;

    Control& GetControl() const { return control_; }
    // None once Qt has deleted the widget (with a parent's).
    QWidget* Widget() const;
    // The window: the menu host of a form with a menu, else the widget (for a top-level
    // control).
    QWidget* WindowWidget() const;
    // The menu bar of a form with a menu; none.
    QWidget* MenuBar() const;
    // The widget no longer sits where the control does: the control moved to a parent that
    // has no window, the widget went with its parent's, or the form's menu is another one
    // now. SyncQtPeers replaces such peers.
    bool Stale() const;

    void UpdateRequested(const Rect& area) override;
    void VisibleChanged(bool visible) override;
    void BoundsChanged(const Rect& bounds) override;
    void CursorChanged(Cursor cursor) override;
    void TextChanged(const std::string& text) override;
    void IconChanged() override;
    void ZOrderChanged() override;
    void ParentChanged() override;
    void FocusRequested() override;

private:
    // The form's icon on its window; the desktop's own when the form has none.
    void ApplyIcon();
    // Window flags, modality and transient parent for a top-level control, then shows it.
    void ShowWindow();
    void ApplyBounds(const Rect& bounds);
    // Stacks the widgets of the parent's children in the parent's child order.
    void RestackSiblings();

    Control& control_;
    QPointer<QtPeerWidget> widget_;
    QPointer<QtMenuHost> host_;
    // The menu the host shows (compared only, never used: it may be gone).
    const MainMenu* menu_ = nullptr;
    // Made as a top-level window (it stays one).
    bool window_ = false;
    bool stale_ = false;
};

// Gives the control and every control below it a QtPeer (leaving alone any subtree whose
// control has a peer of another kind) and shows a top-level control's window when the
// control is visible.
void AttachQtPeers(Control& root);
// Takes the QtPeers of the control and everything below it away, children first.
void DetachQtPeers(Control& root);
// The widget that shows the control; none without a QtPeer.
QWidget* QtWidgetOf(const Control& control);

// Brings the peers in line with what is shown: stale peers and those of hidden top-level
// controls go, and every visible form of the screen and the router's hint window get
// peers for their whole trees (controls added since included).
void SyncQtPeers();

// Keeps the peers in step from Qt's event loop while it lives: SyncQtPeers runs each time
// the loop is about to wait, after the events of the moment are handled, so a form shown or
// a control added by a handler is on screen before the loop sleeps. It also shows the
// router's cursor over the window under the pointer. Needs a QApplication.
class QtPeerKeeper {
public:
    explicit QtPeerKeeper(InputRouter& router);
    ~QtPeerKeeper();
    QtPeerKeeper(const QtPeerKeeper&) = delete;
    QtPeerKeeper& operator=(const QtPeerKeeper&) = delete;

private:
    InputRouter& router_;
    // The receiver of the event loop's signal: the connection ends with it.
    QObject context_;
};

} // namespace fw
