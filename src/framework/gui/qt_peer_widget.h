#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <functional>

#include "framework/gui/control.h"

namespace fw {

// The Qt widget that shows one control: it paints the control's backing store and hands
// Qt's input to the input router, the same entry points the headless test driver calls.
// Everything from Qt enters the program through GuardedCall, so an error in a handler
// reaches the application's exception hook and never unwinds through Qt.
//
// Mouse points go to the router in the client coordinates of the top-level control (the
// router finds the control under them and does capture, enter and leave, clicks and double
// clicks itself), so which of our nested widgets Qt chose for an event does not matter. Qt
// reports a second press as a double-click event by its own timing; the router decides by
// the application's, so that event is forwarded as a plain press.
//
// Keyboard focus inside a window is the control layer's: only top-level widgets take Qt's
// focus, and Qt's focus events (window activation, popups) are left to the activation
// events. Tab reaches the router as a key instead of moving Qt's focus.
//
// The widget may outlive its control's interest in it: Detach cuts the link, after which
// it ignores every event.
class QtPeerWidget : public QWidget {
public:
    QtPeerWidget(Control& control, QWidget* parent);
    ~QtPeerWidget() override;

    Control* GetControl() const { return control_; }
    void Detach() { control_ = nullptr; }

    // A widget that a QtMenuHost holds below its menu bar is the top of its control's
    // window all the same: it takes the keyboard, activation and entering the window.
    void SetHosted(bool hosted);
    bool IsTopLevel() const { return isWindow() || hosted_; }

    // Shows the backing store's area again (an invalidation or immediate drawing). Requests
    // made while the widget paints and already covered by that paint are dropped, so a
    // paint never schedules itself again.
    void RequestUpdate(const QRect& area);

    // Whether a peer widget is handling an event from Qt right now (widgets must then be
    // deleted later, not at once: the one handling it may be among them).
    static bool InEvent();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Runs the call for the control, guarded; nothing once the control is gone.
    void Forward(const std::function<void(Control& control)>& call);
    // A point of this widget in the client coordinates of the top-level control.
    Point ToSurface(const QPointF& position) const;
    void ForwardButton(QMouseEvent* event, bool down);
    // A top-level widget moved or resized by the window system: the control follows.
    void FollowWindowGeometry();

    Control* control_;
    bool hosted_ = false;
    bool painting_ = false;
    QRegion requestedWhilePainting_;
    // Since the window was last shown: moves right after showing are the window system
    // placing it, not the user dragging it.
    QElapsedTimer shown_;
};

// The window of a top-level form that has a main menu: a QMenuBar along the top and the
// form's QtPeerWidget filling the rest. The form's bounds are the area below the bar, so
// its client coordinates start there, as on the platform; the window reaches BarHeight
// above them. Moves, resizes and closing by the window system reach the form as they do for
// a plain peer window.
class QtMenuHost : public QWidget {
public:
    QtMenuHost();
    ~QtMenuHost() override;

    // The bar and the content are (or become) children of the host.
    void SetParts(QWidget* bar, QtPeerWidget* content);
    QWidget* Bar() const { return bar_.data(); }
    QtPeerWidget* Content() const { return content_.data(); }
    int BarHeight() const;
    // The window's geometry for the form's bounds.
    QRect WindowGeometryFor(const QRect& bounds) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();
    void FollowWindowGeometry();

    QPointer<QWidget> bar_;
    int barHeight_ = 0;
    QPointer<QtPeerWidget> content_;
    QElapsedTimer shown_;
};

// The window system moved or resized a top-level window (whose client area now is `area`
// on the screen): the control's bounds follow. A floating dockable form that the user moves
// by its caption (the pointer on the window's frame, the window shown for a while) is dragged
// for docking (dock.h); the drag ends once the window rests with no button held.
void FollowTopLevelGeometry(QWidget& window, Control& control, const QRect& area, const QElapsedTimer& shown);

} // namespace fw
