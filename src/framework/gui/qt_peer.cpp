#include "framework/gui/qt_peer.h"

#include <QAbstractEventDispatcher>
#include <QCursor>
#include <QIcon>
#include <QMenuBar>
#include <QPixmap>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/input.h"
#include "framework/gui/menu.h"
#include "framework/gui/qt_application.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_menu.h"
#include "framework/gui/qt_peer_widget.h"

namespace fw {

namespace {

// Every QtPeer alive, for SyncQtPeers.
std::vector<QtPeer*>& LivePeers()
{
    static std::vector<QtPeer*> peers;
    return peers;
}

bool IsLive(const QtPeer* peer)
{
    const auto& peers = LivePeers();
    return std::find(peers.begin(), peers.end(), peer) != peers.end();
}

QtPeer* QtPeerOf(const Control& control)
{
    return dynamic_cast<QtPeer*>(control.Peer());
}

QtPeerWidget* WidgetOf(const Control* control)
{
    const QtPeer* peer = control != nullptr ? QtPeerOf(*control) : nullptr;
    return peer != nullptr ? static_cast<QtPeerWidget*>(peer->Widget()) : nullptr;
}

const Form* FormOf(const Control& control)
{
    return dynamic_cast<const Form*>(&control);
}

// The menu a control's window shows: a top-level form's main menu.
const MainMenu* WindowMenuOf(const Control& control)
{
    const Form* form = FormOf(control);
    return form != nullptr && control.Parent() == nullptr ? form->Menu() : nullptr;
}

Qt::WindowFlags WindowFlagsFor(const Control& control)
{
    if (dynamic_cast<const HintWindow*>(&control) != nullptr) {
        return Qt::ToolTip | Qt::FramelessWindowHint;
    }
    const Form* form = FormOf(control);
    if (form == nullptr) {
        return Qt::Tool | Qt::FramelessWindowHint;
    }
    switch (form->BorderStyle()) {
    // A frameless window that still takes the keyboard and hears its deactivation, as
    // drop-downs need; a Qt popup would grab the input and close itself.
    case FormBorderStyle::None: return Qt::Window | Qt::FramelessWindowHint;
    case FormBorderStyle::Single:
    case FormBorderStyle::Sizeable: return Qt::Window;
    case FormBorderStyle::Dialog: return Qt::Dialog;
    case FormBorderStyle::ToolWindow:
    case FormBorderStyle::SizeToolWin: return Qt::Tool;
    }
    return Qt::Window;
}

// The shown window a form stays above: that of the control owning it, when a control does,
// else the main window's.
QWidget* WindowAbove(const Form& form)
{
    for (Component* owner = form.Owner(); owner != nullptr; owner = owner->Owner()) {
        if (auto* control = dynamic_cast<Control*>(owner)) {
            const QtPeer* peer = QtPeerOf(RootOf(*control));
            if (peer != nullptr && peer->WindowWidget() != nullptr && peer->WindowWidget()->isVisible()) {
                return peer->WindowWidget();
            }
            break;
        }
    }
    const QtPeer* mainPeer = App().MainForm() != nullptr ? QtPeerOf(*App().MainForm()) : nullptr;
    return mainPeer != nullptr ? mainPeer->WindowWidget() : nullptr;
}

// Whether the user may not resize the window.
bool FixedSize(const Control& control)
{
    const Form* form = FormOf(control);
    if (form == nullptr) {
        return true;
    }
    switch (form->BorderStyle()) {
    case FormBorderStyle::Sizeable:
    case FormBorderStyle::SizeToolWin: return false;
    default: return true;
    }
}

void AttachTree(Control& control)
{
    if (control.Peer() == nullptr) {
        control.SetPeer(std::make_unique<QtPeer>(control));
    }
    if (QtPeerOf(control) == nullptr) {
        return;
    }
    if (auto* container = dynamic_cast<WinControl*>(&control)) {
        // A child's peer may run code that changes the list: walk a guarded copy.
        const std::vector<WeakRef<Control>> children(container->ControlList().begin(), container->ControlList().end());
        for (const auto& child : children) {
            if (Control* alive = child.Get(); alive != nullptr && alive->Parent() == container) {
                AttachTree(*alive);
            }
        }
    }
}

// The first live peer that must go: stale, or of a hidden top-level control.
QtPeer* PeerToDrop()
{
    for (QtPeer* peer : LivePeers()) {
        const Control& control = peer->GetControl();
        if (peer->Stale() || (control.Parent() == nullptr && !control.Visible())) {
            return peer;
        }
    }
    return nullptr;
}

} // namespace

// --- QtPeer ---------------------------------------------------------------------------------

QtPeer::QtPeer(Control& control) : control_(control)
{
    QtPeerWidget* parentWidget = nullptr;
    if (control.Parent() != nullptr) {
        parentWidget = WidgetOf(control.Parent());
        // Without the parent's window there is nowhere to show the control.
        stale_ = parentWidget == nullptr;
    }
    window_ = control.Parent() == nullptr;
    menu_ = WindowMenuOf(control);
    if (auto* form = dynamic_cast<Form*>(&control); form != nullptr && menu_ != nullptr) {
        host_ = new QtMenuHost;
        auto* bar = new QMenuBar(host_);
        widget_ = new QtPeerWidget(control, host_);
        host_->SetParts(bar, widget_);
        AttachMainMenu(*form->Menu(), *bar);
    } else {
        widget_ = new QtPeerWidget(control, parentWidget);
    }
    if (window_) {
        QWidget* window = WindowWidget();
        window->setWindowFlags(WindowFlagsFor(control));
        window->setWindowTitle(QString::fromStdString(control.Text()));
        ApplyIcon();
        if (dynamic_cast<const HintWindow*>(&control) != nullptr) {
            window->setAttribute(Qt::WA_ShowWithoutActivating);
            window->setFocusPolicy(Qt::NoFocus);
        }
    }
    ApplyBounds(control.BoundsRect());
    if (parentWidget != nullptr && !stale_) {
        widget_->setVisible(control.Visible());
    }
    LivePeers().push_back(this);
}

QtPeer::~QtPeer()
{
    auto& peers = LivePeers();
    peers.erase(std::remove(peers.begin(), peers.end(), this), peers.end());
    if (widget_.isNull()) {
        if (!host_.isNull()) {
            delete host_.data();
        }
        return;
    }
    widget_->Detach();
    // The host goes with the widget inside it.
    QWidget* outer = host_.isNull() ? static_cast<QWidget*>(widget_.data()) : host_.data();
    if (QtPeerWidget::InEvent()) {
        // Qt may still be delivering an event to this widget or one inside it (a handler
        // that frees controls, or a nested loop's): Qt deletes it once that is done.
        outer->hide();
        outer->deleteLater();
    } else {
        delete outer;
    }
}

QWidget* QtPeer::Widget() const
{
    return widget_.data();
}

QWidget* QtPeer::WindowWidget() const
{
    return host_.isNull() ? static_cast<QWidget*>(widget_.data()) : host_.data();
}

QWidget* QtPeer::MenuBar() const
{
    return host_.isNull() ? nullptr : host_->Bar();
}

bool QtPeer::Stale() const
{
    if (stale_ || widget_.isNull()) {
        return true;
    }
    if (!window_) {
        return false;
    }
    // A window shows the menu its form has now, or none.
    const MainMenu* menu = WindowMenuOf(control_);
    return menu != menu_ || (menu != nullptr && menu->Peer() == nullptr);
}

void QtPeer::UpdateRequested(const Rect& area)
{
    if (!widget_.isNull()) {
        widget_->RequestUpdate(QRect(area.Left, area.Top, area.Width(), area.Height()));
    }
}

void QtPeer::VisibleChanged(bool visible)
{
    if (widget_.isNull() || stale_) {
        return;
    }
    if (!window_) {
        widget_->setVisible(visible);
    } else if (visible) {
        ShowWindow();
    } else {
        WindowWidget()->hide();
    }
}

void QtPeer::ShowWindow()
{
    QWidget* window = WindowWidget();
    if (window->isVisible()) {
        return;
    }
    if (const Form* form = FormOf(control_)) {
        // Qt takes the modality only while the window is hidden.
        window->setWindowModality(form->Modal() ? Qt::ApplicationModal : Qt::NonModal);
        // Other windows stay above the window they belong with, as the platform's owned
        // windows do: the main window, or the window of the control that owns the form (a
        // drop-down list stays with its dialog, and is no window the dialog's modality
        // blocks).
        QWidget* above = WindowAbove(*form);
        if (above != nullptr && above != window && above->windowHandle() != nullptr) {
            window->winId();
            if (QWindow* handle = window->windowHandle()) {
                handle->setTransientParent(above->windowHandle());
            }
        }
    }
    ApplyBounds(control_.BoundsRect());
    window->show();
}

void QtPeer::ApplyBounds(const Rect& bounds)
{
    const QRect area(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    if (!window_) {
        if (widget_->geometry() != area) {
            widget_->setGeometry(area);
        }
        return;
    }
    // A menu host reaches above the form's bounds by its bar.
    QWidget* window = WindowWidget();
    const QRect windowArea = host_.isNull() ? area : host_->WindowGeometryFor(area);
    // The window system keeps the user's resizing inside the control's limits.
    if (FixedSize(control_)) {
        window->setFixedSize(windowArea.size());
    } else {
        const int bar = windowArea.height() - area.height();
        const SizeConstraints& limits = control_.Constraints();
        window->setMinimumSize(limits.MinWidth, limits.MinHeight + bar);
        window->setMaximumSize(limits.MaxWidth > 0 ? limits.MaxWidth : QWIDGETSIZE_MAX,
                               limits.MaxHeight > 0 ? limits.MaxHeight + bar : QWIDGETSIZE_MAX);
    }
    if (window->geometry() != windowArea) {
        window->setGeometry(windowArea);
    }
}

void QtPeer::BoundsChanged(const Rect& bounds)
{
    if (!widget_.isNull() && !stale_) {
        ApplyBounds(bounds);
    }
}

void QtPeer::CursorChanged(Cursor)
{
    // The router decides which control's cursor shows (capture and drags change it).
    if (InputRouter* router = InputRouter::Current()) {
        router->UpdateCursor();
    }
}

void QtPeer::TextChanged(const std::string& text)
{
    if (!widget_.isNull() && window_) {
        WindowWidget()->setWindowTitle(QString::fromStdString(text));
    }
}

void QtPeer::IconChanged()
{
    if (!widget_.isNull() && window_) {
        ApplyIcon();
    }
}

void QtPeer::ApplyIcon()
{
    const auto* form = dynamic_cast<const Form*>(&control_);
    if (form == nullptr) {
        return;
    }
    QIcon icon;
    for (const ArgbImage& size : form->Icon()) {
        icon.addPixmap(QPixmap::fromImage(ArgbImageToQImage(size)));
    }
    WindowWidget()->setWindowIcon(icon);
}

void QtPeer::RestackSiblings()
{
    const WinControl* parent = control_.Parent();
    if (parent == nullptr) {
        return;
    }
    for (const Control* sibling : parent->ControlList()) {
        if (QtPeerWidget* widget = WidgetOf(sibling)) {
            widget->raise();
        }
    }
}

void QtPeer::ZOrderChanged()
{
    if (!widget_.isNull() && !stale_) {
        RestackSiblings();
    }
}

void QtPeer::ParentChanged()
{
    if (widget_.isNull()) {
        return;
    }
    // The control layer tells a move between parents twice: on leaving the old one (no
    // parent yet) and on joining the new one.
    QtPeerWidget* parentWidget = WidgetOf(control_.Parent());
    if (parentWidget == nullptr || window_) {
        // No window to show it in, or a window that would have to become a child: unless a
        // new parent with a window follows, the next synchronisation makes a fresh peer
        // where one is due.
        stale_ = true;
        WindowWidget()->hide();
        return;
    }
    stale_ = false;
    widget_->setParent(parentWidget);
    ApplyBounds(control_.BoundsRect());
    widget_->setVisible(control_.Visible());
    RestackSiblings();
}

void QtPeer::FocusRequested()
{
    if (widget_.isNull() || stale_) {
        return;
    }
    // Qt's keyboard focus stays on the window; the control layer knows which control in it
    // has the focus.
    QWidget* window = widget_->window();
    if (!window->isVisible()) {
        return;
    }
    if (!window->isActiveWindow()) {
        window->activateWindow();
    }
    if (!window->hasFocus() && window->focusPolicy() != Qt::NoFocus) {
        window->setFocus(Qt::OtherFocusReason);
    }
}

// --- Attaching and synchronising --------------------------------------------------------------

void AttachQtPeers(Control& root)
{
    AttachTree(root);
    QtPeer* peer = QtPeerOf(root);
    if (peer != nullptr && root.Parent() == nullptr && root.Visible()) {
        peer->VisibleChanged(true);
    }
}

void DetachQtPeers(Control& root)
{
    if (auto* container = dynamic_cast<WinControl*>(&root)) {
        for (Control* child : container->ControlList()) {
            DetachQtPeers(*child);
        }
    }
    if (QtPeerOf(root) != nullptr) {
        root.SetPeer(nullptr);
    }
}

QWidget* QtWidgetOf(const Control& control)
{
    return WidgetOf(&control);
}

void SyncQtPeers()
{
    while (QtPeer* peer = PeerToDrop()) {
        DetachQtPeers(peer->GetControl());
        // A peer the detaching did not reach (its control's parent has another kind of
        // peer) goes on its own.
        if (IsLive(peer)) {
            peer->GetControl().SetPeer(nullptr);
        }
    }
    Screen& screen = GetScreen();
    std::vector<WeakRef<Form>> forms;
    for (int i = 0; i < screen.FormCount(); ++i) {
        forms.emplace_back(screen.Forms(i));
    }
    for (const auto& form : forms) {
        if (Form* alive = form.Get(); alive != nullptr && alive->Parent() == nullptr && alive->Visible()) {
            AttachQtPeers(*alive);
        }
    }
    // The router's hint window and those controls keep for their own hints.
    const std::vector<HintWindow*> hints = HintWindow::Instances();
    for (HintWindow* hint : hints) {
        if (hint->Parent() == nullptr && hint->Visible()) {
            AttachQtPeers(*hint);
        }
    }
}

// --- QtPeerKeeper -----------------------------------------------------------------------------

QtPeerKeeper::QtPeerKeeper(InputRouter& router) : router_(router)
{
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &context_,
                         [] { GuardedCall(SyncQtPeers); });
    }
    router_.SetCursorHandler([this](Cursor cursor) {
        Control* over = CaptureControl();
        if (over == nullptr) {
            over = router_.MouseControl();
        }
        if (QWidget* widget = over != nullptr ? QtWidgetOf(RootOf(*over)) : nullptr) {
            widget->window()->setCursor(QCursor(ToQtCursor(cursor)));
        }
    });
}

QtPeerKeeper::~QtPeerKeeper()
{
    router_.SetCursorHandler({});
}

} // namespace fw
