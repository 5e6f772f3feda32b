#include "framework/gui/qt_peer_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <optional>

#include "framework/gui/application.h"
#include "framework/gui/dock.h"
#include "framework/gui/form.h"
#include "framework/gui/input.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_keys.h"

namespace fw {

namespace {

// How many events from Qt peer widgets are being handled, nested ones counted.
int eventDepth = 0;

class EventScope {
public:
    EventScope() { ++eventDepth; }
    ~EventScope() { --eventDepth; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

std::optional<MouseButton> ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return std::nullopt;
    }
}

// The first character a key event types; 0 for none.
char32_t CharacterOf(const QKeyEvent& event)
{
    const QList<uint> characters = event.text().toUcs4();
    return characters.isEmpty() ? 0 : static_cast<char32_t>(characters.front());
}

bool ActivationReason(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// How long after showing a window its moves are taken for the window system placing it.
constexpr qint64 PlacingTime = 500;
// How long a moved window must rest, with no button held, before its dock drag ends.
constexpr int RestingTime = 300;

Point ScreenPoint(const QPoint& point)
{
    return Point{point.x(), point.y()};
}

// The window system moves windows without telling when the user lets go of the caption:
// the dock drag of a floating form ends once the window has rested for a moment and no
// button is held.
class WindowDragWatcher : public QObject {
public:
    WindowDragWatcher() : QObject(QCoreApplication::instance())
    {
        rest_.setSingleShot(true);
        rest_.setInterval(RestingTime);
        QObject::connect(&rest_, &QTimer::timeout, this, [this] { Rested(); });
    }

    void Moved(Form& form, Point pointer)
    {
        if (DockDragForm() != &form) {
            BeginDockDrag(form, pointer);
        }
        DockDragMove(pointer);
        rest_.start();
    }

private:
    void Rested()
    {
        if ((QGuiApplication::mouseButtons() & Qt::LeftButton) != 0) {
            rest_.start();
            return;
        }
        if (DockDragForm() != nullptr) {
            GuardedCall([] { EndDockDrag(ScreenPoint(QCursor::pos()), true); });
        }
    }

    QTimer rest_;
};

WindowDragWatcher& Watcher()
{
    // Made on first use and freed with the application.
    static QPointer<WindowDragWatcher> watcher;
    if (watcher.isNull()) {
        watcher = new WindowDragWatcher;
    }
    return *watcher;
}

// The height of a menu bar with one line of items in the application's style and font.
int StandardBarHeight()
{
    QMenuBar probe;
    probe.addAction(QStringLiteral("X"));
    return probe.sizeHint().height();
}

void ForwardClose(Control* control, QCloseEvent* event)
{
    // Once the program ends, Qt closes every window before it leaves its loop and gives up
    // ending when one refuses.
    if (App().Terminated()) {
        event->accept();
        return;
    }
    // Otherwise the form decides: its close query, OnClose and what follows. Whether the
    // window goes is then the control's visibility, which the peer follows.
    event->ignore();
    if (control == nullptr) {
        return;
    }
    const EventScope scope;
    GuardedCall([control] { RootOf(*control).Perform(WM_CLOSE); });
}

} // namespace

void FollowTopLevelGeometry(QWidget& window, Control& control, const QRect& area, const QElapsedTimer& shown)
{
    const Rect bounds = control.BoundsRect();
    const bool moved = bounds.Left != area.x() || bounds.Top != area.y();
    const bool resized = bounds.Width() != area.width() || bounds.Height() != area.height();
    if (!moved && !resized) {
        return;
    }
    WeakRef<Control> alive(&control);
    control.SetBounds(area.x(), area.y(), area.width(), area.height());
    auto* form = dynamic_cast<Form*>(alive.Get());
    const QPoint pointer = QCursor::pos();
    if (form != nullptr && moved && !resized && form->DragKind() == DragKind::Dock && form->Floating()
        && form->Visible() && shown.isValid() && shown.elapsed() > PlacingTime
        && window.frameGeometry().contains(pointer)) {
        Watcher().Moved(*form, ScreenPoint(pointer));
    }
}

QtPeerWidget::QtPeerWidget(Control& control, QWidget* parent) : QWidget(parent), control_(&control)
{
    // The backing store covers every pixel: Qt need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // Moves without a button held feed enter, leave, hints and cursors.
    setMouseTracking(true);
    setFocusPolicy(parent == nullptr ? Qt::StrongFocus : Qt::NoFocus);
}

QtPeerWidget::~QtPeerWidget() = default;

void QtPeerWidget::SetHosted(bool hosted)
{
    hosted_ = hosted;
    setFocusPolicy(hosted || isWindow() ? Qt::StrongFocus : Qt::NoFocus);
}

bool QtPeerWidget::InEvent()
{
    return eventDepth > 0;
}

void QtPeerWidget::RequestUpdate(const QRect& area)
{
    if (painting_) {
        requestedWhilePainting_ += area;
    } else {
        update(area);
    }
}

void QtPeerWidget::Forward(const std::function<void(Control& control)>& call)
{
    if (control_ == nullptr) {
        return;
    }
    const EventScope scope;
    Control& control = *control_;
    GuardedCall([&] { call(control); });
}

Point QtPeerWidget::ToSurface(const QPointF& position) const
{
    Point point{static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
    for (const Control* control = control_; control != nullptr && control->Parent() != nullptr;
         control = control->Parent()) {
        point = control->ClientToParent(point);
    }
    return point;
}

bool QtPeerWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Tab and Shift+Tab would move Qt's focus between widgets; they are the router's.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
        break;
    }
    case QEvent::WindowActivate:
        if (IsTopLevel()) {
            Forward([](Control& control) {
                auto* root = dynamic_cast<WinControl*>(&RootOf(control));
                InputRouter* router = InputRouter::Current();
                if (router != nullptr && root != nullptr && router->ActiveSurface() != root) {
                    router->ActivateSurface(root);
                }
            });
        }
        break;
    case QEvent::WindowBlocked:
        // A modal window took over (a Qt dialog, one of the program's modal forms): the
        // release of a button held now goes to it, and Qt keeps it from this window.
        if (IsTopLevel()) {
            Forward([](Control&) {
                if (InputRouter* router = InputRouter::Current()) {
                    router->CancelMouseMode();
                }
            });
        }
        break;
    case QEvent::WindowDeactivate:
        // Going from one of the program's windows to another, Qt names the new active window
        // first and its activation follows; only leaving the program deactivates all.
        if (IsTopLevel() && QApplication::activeWindow() == nullptr) {
            Forward([](Control& control) {
                InputRouter* router = InputRouter::Current();
                if (router != nullptr && router->ActiveSurface() == &RootOf(control)) {
                    router->ActivateSurface(nullptr);
                }
            });
        }
        break;
    default: break;
    }
    return QWidget::event(event);
}

void QtPeerWidget::paintEvent(QPaintEvent* event)
{
    // Paint what is invalid first; whatever that paint asks to show again inside this
    // event's region is shown by this very event.
    painting_ = true;
    requestedWhilePainting_ = QRegion();
    Forward([](Control& control) { control.Update(); });
    painting_ = false;

    QPainter painter(this);
    if (control_ != nullptr) {
        const Bitmap& store = control_->BackingStore();
        const QImage view = ViewOfBitmap(store);
        const QRect storeArea(0, 0, store.Width(), store.Height());
        const QColor background = ToQColor(control_->Color());
        for (const QRect& rect : event->region()) {
            const QRect shown = rect & storeArea;
            if (!shown.isEmpty()) {
                painter.drawImage(shown.topLeft(), view, shown);
            }
            // A window the window system made larger than its control, for a moment.
            for (const QRect& beyond : QRegion(rect) - QRegion(storeArea)) {
                painter.fillRect(beyond, background);
            }
        }
    }
    const QRegion later = requestedWhilePainting_ - event->region();
    requestedWhilePainting_ = QRegion();
    if (!later.isEmpty()) {
        update(later);
    }
}

void QtPeerWidget::ForwardButton(QMouseEvent* event, bool down)
{
    const std::optional<MouseButton> button = ButtonOf(event->button());
    if (!button) {
        event->ignore();
        return;
    }
    event->accept();
    const Point point = ToSurface(event->position());
    // Qt, like the platform, counts the pressed button as held during its press and no
    // longer during its release.
    const ShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
    Forward([&](Control& control) {
        InputRouter* router = InputRouter::Current();
        if (router == nullptr) {
            return;
        }
        if (down) {
            router->MouseDown(RootOf(control), point, *button, shift);
        } else {
            router->MouseUp(RootOf(control), point, *button, shift);
        }
    });
}

void QtPeerWidget::mousePressEvent(QMouseEvent* event)
{
    ForwardButton(event, true);
}

void QtPeerWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The router tells a double click from two presses by the application's double-click
    // time and distance, and the control takes it as such only with its DoubleClicks style.
    ForwardButton(event, true);
}

void QtPeerWidget::mouseReleaseEvent(QMouseEvent* event)
{
    ForwardButton(event, false);
}

void QtPeerWidget::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const Point point = ToSurface(event->position());
    const ShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
    Forward([&](Control& control) {
        if (InputRouter* router = InputRouter::Current()) {
            router->MouseMove(RootOf(control), point, shift);
        }
    });
}

void QtPeerWidget::wheelEvent(QWheelEvent* event)
{
    // Qt's angle delta is in eighths of a degree: 120 a notch, the platform's unit too.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    const Point point = ToSurface(event->position());
    const ShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
    Forward([&](Control& control) {
        if (InputRouter* router = InputRouter::Current()) {
            router->MouseWheel(RootOf(control), point, delta, shift);
        }
    });
}

void QtPeerWidget::keyPressEvent(QKeyEvent* event)
{
    const char32_t character = CharacterOf(*event);
    const int key = VirtualKeyFromQt(event->key(), event->modifiers(), character != 0);
    if (key == 0) {
        event->ignore();
        return;
    }
    event->accept();
    const ShiftState shift = ShiftStateFromQt(event->modifiers());
    Forward([&](Control&) {
        InputRouter* router = InputRouter::Current();
        if (router == nullptr) {
            return;
        }
        router->KeyDown(key, shift, character);
        // Alt+F4 asks the window to close, as the platform's default handling does; a form
        // that must not close that way (a drop-down) swallows WM_CLOSE. The window system
        // handles Alt+F4 itself for framed windows and sends a close event instead.
        if (key == VK_F4 && shift == ShiftState{ShiftFlag::Alt} && control_ != nullptr) {
            RootOf(*control_).Perform(WM_CLOSE);
        }
    });
}

void QtPeerWidget::keyReleaseEvent(QKeyEvent* event)
{
    // The platform repeats only the key-down of a held key; Qt pairs each repeat with a
    // release.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    const int key = VirtualKeyFromQt(event->key(), event->modifiers(), CharacterOf(*event) != 0);
    if (key == 0) {
        event->ignore();
        return;
    }
    event->accept();
    const ShiftState shift = ShiftStateFromQt(event->modifiers());
    Forward([&](Control&) {
        if (InputRouter* router = InputRouter::Current()) {
            router->KeyUp(key, shift);
        }
    });
}

void QtPeerWidget::enterEvent(QEnterEvent* event)
{
    // Entering a window is a move to where the pointer came in; moves between the nested
    // widgets of one window are the router's to tell.
    if (!IsTopLevel()) {
        return;
    }
    const Point point = ToSurface(event->position());
    const ShiftState shift = ShiftStateFromQt(QGuiApplication::keyboardModifiers(), QGuiApplication::mouseButtons());
    Forward([&](Control& control) {
        if (InputRouter* router = InputRouter::Current()) {
            router->MouseMove(RootOf(control), point, shift);
        }
    });
}

void QtPeerWidget::leaveEvent(QEvent*)
{
    if (!IsTopLevel()) {
        return;
    }
    Forward([](Control& control) {
        if (InputRouter* router = InputRouter::Current()) {
            router->MouseExit(RootOf(control));
        }
    });
}

void QtPeerWidget::focusInEvent(QFocusEvent* event)
{
    // Only windows hold Qt's focus, so its focus events say that a window got or lost the
    // keyboard. Activation and popups come through the activation events; any other
    // reason (a Qt-side setFocus) makes the window the router's active one.
    if (!IsTopLevel() || ActivationReason(event->reason())) {
        return;
    }
    Forward([](Control& control) {
        auto* root = dynamic_cast<WinControl*>(&RootOf(control));
        InputRouter* router = InputRouter::Current();
        if (router != nullptr && root != nullptr && router->ActiveSurface() != root) {
            router->ActivateSurface(root);
        }
    });
}

void QtPeerWidget::focusOutEvent(QFocusEvent*)
{
    // The focus inside a window is the router's; a window losing the keyboard is a
    // deactivation, which the activation events bring.
}

void QtPeerWidget::FollowWindowGeometry()
{
    if (!isWindow() || !isVisible()) {
        return;
    }
    const QRect area = geometry();
    Forward([this, area](Control& control) { FollowTopLevelGeometry(*this, control, area, shown_); });
}

void QtPeerWidget::showEvent(QShowEvent*)
{
    if (isWindow()) {
        shown_.start();
    }
}

void QtPeerWidget::resizeEvent(QResizeEvent*)
{
    FollowWindowGeometry();
}

void QtPeerWidget::moveEvent(QMoveEvent*)
{
    FollowWindowGeometry();
}

void QtPeerWidget::closeEvent(QCloseEvent* event)
{
    ForwardClose(isWindow() ? control_ : nullptr, event);
}

// --- QtMenuHost ------------------------------------------------------------------------------

QtMenuHost::QtMenuHost() : QWidget(nullptr)
{
    // The content widget takes the keyboard for the window.
    setFocusPolicy(Qt::StrongFocus);
}

QtMenuHost::~QtMenuHost() = default;

void QtMenuHost::SetParts(QWidget* bar, QtPeerWidget* content)
{
    bar_ = bar;
    content_ = content;
    if (bar != nullptr) {
        bar->setParent(this);
        // Measured once, as high as a bar with items (an empty bar has no height yet): a
        // bar's hint changes with its items and width, and the form's area must stay where
        // the window's geometry says.
        barHeight_ = std::max(bar->sizeHint().height(), StandardBarHeight());
    }
    if (content != nullptr) {
        content->setParent(this);
        content->SetHosted(true);
        setFocusProxy(content);
    }
    LayOut();
}

int QtMenuHost::BarHeight() const
{
    return bar_.isNull() ? 0 : barHeight_;
}

QRect QtMenuHost::WindowGeometryFor(const QRect& bounds) const
{
    const int bar = BarHeight();
    return QRect(bounds.x(), bounds.y() - bar, bounds.width(), bounds.height() + bar);
}

void QtMenuHost::LayOut()
{
    const int bar = BarHeight();
    if (!bar_.isNull()) {
        bar_->setGeometry(0, 0, width(), bar);
    }
    if (!content_.isNull()) {
        const QRect area(0, bar, width(), std::max(0, height() - bar));
        if (content_->geometry() != area) {
            content_->setGeometry(area);
        }
    }
}

void QtMenuHost::FollowWindowGeometry()
{
    Control* control = content_.isNull() ? nullptr : content_->GetControl();
    if (control == nullptr || !isVisible()) {
        return;
    }
    // geometry(), not pos(): a window's position includes the window system's frame.
    const QRect window = geometry();
    const int bar = BarHeight();
    const QRect area(window.x(), window.y() + bar, window.width(), std::max(0, window.height() - bar));
    const EventScope scope;
    GuardedCall([&] { FollowTopLevelGeometry(*this, *control, area, shown_); });
}

void QtMenuHost::resizeEvent(QResizeEvent*)
{
    LayOut();
    FollowWindowGeometry();
}

void QtMenuHost::moveEvent(QMoveEvent*)
{
    FollowWindowGeometry();
}

void QtMenuHost::closeEvent(QCloseEvent* event)
{
    ForwardClose(content_.isNull() ? nullptr : content_->GetControl(), event);
}

void QtMenuHost::showEvent(QShowEvent*)
{
    shown_.start();
}

} // namespace fw
