#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/input.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_dialogs.h"
#include "framework/gui/qt_keys.h"
#include "framework/gui/qt_modal.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

// Writes the mouse events it gets into a shared log as "name.Event" and paints one block
// per click, so that its pixels tell how the clicks went.
template <class Base>
class Probe : public Base {
public:
    Probe(Log& log, std::string name, WinControl* parent, Rect bounds, Color colour)
        : Base(parent), log_(log), name_(std::move(name)), colour_(colour)
    {
        this->SetParent(parent);
        this->SetBoundsRect(bounds);
    }

    int clicks = 0;
    int doubleClicks = 0;

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override
    {
        Record(std::string("Down(") + (button == MouseButton::Right ? "R" : "L")
               + (shift.Contains(ShiftFlag::Double) ? ",double" : "") + "," + std::to_string(x) + ","
               + std::to_string(y) + ")");
        Base::MouseDown(button, shift, x, y);
    }
    void MouseMove(ShiftState shift, int x, int y) override
    {
        Record("Move(" + std::to_string(x) + "," + std::to_string(y) + ")");
        Base::MouseMove(shift, x, y);
    }
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override
    {
        Record(std::string("Up(") + (button == MouseButton::Right ? "R" : "L") + ")");
        Base::MouseUp(button, shift, x, y);
    }
    void Click() override
    {
        Record("Click");
        ++clicks;
        this->Invalidate();
        Base::Click();
    }
    void DblClick() override
    {
        Record("DblClick");
        ++doubleClicks;
        this->Invalidate();
        Base::DblClick();
    }
    void CMMouseEnter(Message& message) override
    {
        Record("Enter");
        Base::CMMouseEnter(message);
    }
    void CMMouseLeave(Message& message) override
    {
        Record("Leave");
        Base::CMMouseLeave(message);
    }

protected:
    void Paint() override
    {
        fw::Canvas& canvas = this->Canvas();
        canvas.Brush().Color = colour_;
        for (int i = 0; i < clicks; ++i) {
            canvas.FillRect(Rect{2 + 8 * i, 2, 8 + 8 * i, 8});
        }
        canvas.Brush().Color = doubleClicks > 0 ? clRed : clNavy;
        canvas.FillRect(Rect{4, 12, 4 + 6 * (doubleClicks + 1), 18});
    }

private:
    void Record(const std::string& what) { log_.push_back(name_ + "." + what); }

    Log& log_;
    std::string name_;
    Color colour_;
};

// A form with a windowed pad and a windowless dot, both logging into one log.
struct Scene {
    explicit Scene(Log& log)
        : pad(new Probe<CustomControl>(log, "Pad", &form, Rect{20, 20, 140, 100}, clGreen)),
          dot(new Probe<GraphicControl>(log, "Dot", &form, Rect{150, 30, 190, 70}, clBlue))
    {
        form.SetBounds(100, 80, 240, 160);
        form.SetCaption("Peer");
        pad->SetColor(clYellow);
        pad->SetTabStop(true);
        form.FinishLoading();
        form.Show();
    }

    Form form;
    Probe<CustomControl>* pad;
    Probe<GraphicControl>* dot;
};

// Plays a pointer on a shown form through Qt: moves as QMouseEvents sent to the widget under
// the point, buttons through QTest, points in the form's client coordinates.
class QtPointer {
public:
    QtPointer(QWidget& window, TestDriver& driver) : window_(window), driver_(driver) {}

    void Click(Point point, Qt::MouseButton button = Qt::LeftButton)
    {
        MoveTo(point);
        QTest::mouseClick(Target(point), button, {}, Local(point));
        driver_.Settle();
    }
    // What a real double click brings: press, release, double click, release.
    void DoubleClick(Point point)
    {
        MoveTo(point);
        QWidget* target = Target(point);
        QTest::mouseClick(target, Qt::LeftButton, {}, Local(point));
        QTest::mouseDClick(target, Qt::LeftButton, {}, Local(point));
        QTest::mouseRelease(target, Qt::LeftButton, {}, Local(point));
        driver_.Settle();
    }

private:
    void MoveTo(Point point)
    {
        QWidget* target = Target(point);
        const QPointF local = Local(point);
        QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        driver_.Settle();
    }
    QWidget* Target(Point point) const
    {
        QWidget* child = window_.childAt(point.X, point.Y);
        return child != nullptr ? child : &window_;
    }
    QPoint Local(Point point) const { return Target(point)->mapFrom(&window_, QPoint(point.X, point.Y)); }

    QWidget& window_;
    TestDriver& driver_;
};

// Where the run of expected entries starts in the log; -1 when it is not there.
long FindRun(const Log& log, const Log& run)
{
    const auto found = std::search(log.begin(), log.end(), run.begin(), run.end());
    return found == log.end() ? -1 : static_cast<long>(found - log.begin());
}

const Point OnPad{50, 45};
const Point OnDot{170, 50};
const Point OnForm{200, 140};

TEST(QtPeer, RealQtClicksGiveTheHeadlessEventsAndPixels)
{
    Log headlessLog;
    Bitmap headlessPixels;
    {
        Scene scene(headlessLog);
        TestDriver driver(scene.form);
        driver.Click(OnPad);
        driver.Advance(1000);
        driver.DoubleClick(OnDot);
        driver.Advance(1000);
        driver.Click(OnForm, MouseButton::Right);
        headlessPixels = RenderToBitmap(scene.form);
    }

    Log qtLog;
    Scene scene(qtLog);
    TestDriver driver(scene.form);
    AttachQtPeers(scene.form);
    QWidget* window = QtWidgetOf(scene.form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isWindow());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Peer");
    EXPECT_EQ(window->geometry(), QRect(100, 80, 240, 160));
    // Both children have widgets inside the window's, where their controls are.
    ASSERT_NE(QtWidgetOf(*scene.dot), nullptr);
    EXPECT_EQ(QtWidgetOf(*scene.pad)->parentWidget(), window);
    EXPECT_EQ(QtWidgetOf(*scene.dot)->geometry(), QRect(150, 30, 40, 40));

    QtPointer pointer(*window, driver);
    pointer.Click(OnPad);
    driver.Advance(1000);
    pointer.DoubleClick(OnDot);
    driver.Advance(1000);
    pointer.Click(OnForm, Qt::RightButton);

    EXPECT_EQ(qtLog, headlessLog);
    // The log is the real thing: the pad's click, then the double-click order on the dot
    // with its one Click, and the dot left for the form.
    EXPECT_GE(FindRun(qtLog, {"Pad.Enter", "Pad.Move(30,25)", "Pad.Down(L,30,25)", "Pad.Click", "Pad.Up(L)"}), 0);
    EXPECT_GE(FindRun(qtLog, {"Dot.Down(L,20,20)", "Dot.Click", "Dot.Up(L)", "Dot.DblClick", "Dot.Down(L,double,20,20)",
                              "Dot.Up(L)", "Dot.Leave"}),
              0);
    EXPECT_EQ(scene.pad->clicks, 1);
    EXPECT_EQ(scene.dot->clicks, 1);
    EXPECT_EQ(scene.dot->doubleClicks, 1);

    // What the window shows is what the headless run painted.
    QApplication::processEvents();
    const Bitmap shown = QImageToBitmap(window->grab().toImage());
    EXPECT_TRUE(shown.SamePixels(headlessPixels));
    EXPECT_TRUE(shown.SamePixels(RenderToBitmap(scene.form)));
    EXPECT_EQ(shown.Pixel(20 + 3, 20 + 3), ColorToRGB(clGreen));   // the pad's one click block
    EXPECT_EQ(shown.Pixel(150 + 5, 30 + 13), ColorToRGB(clRed));   // the dot's double click
    // An area invalidated and not yet painted is painted by the widget's paint itself.
    scene.pad->clicks = 3;
    scene.pad->Invalidate();
    const Bitmap repainted = QImageToBitmap(window->grab().toImage());
    EXPECT_EQ(repainted.Pixel(20 + 19, 20 + 3), ColorToRGB(clGreen));
    EXPECT_TRUE(scene.pad->InvalidRegion().IsEmpty());

    // Hidden, the form loses its window at the next synchronisation, children's too.
    scene.form.Hide();
    EXPECT_FALSE(window->isVisible());
    SyncQtPeers();
    EXPECT_EQ(scene.form.Peer(), nullptr);
    EXPECT_EQ(scene.pad->Peer(), nullptr);
}

TEST(QtPeer, AnErrorInAClickHandlerReachesTheExceptionHook)
{
    Log log;
    Scene scene(log);
    TestDriver driver(scene.form);
    AttachQtPeers(scene.form);
    scene.pad->SetOnClick([](Object*) { throw EConvertError("'x' is not a valid integer value"); });
    std::vector<std::string> reported;
    App().SetOnException([&](const std::exception& error) { reported.emplace_back(error.what()); });

    QTest::mouseClick(QtWidgetOf(*scene.pad), Qt::LeftButton, {}, QPoint(10, 10));
    App().SetOnException({});

    EXPECT_EQ(reported, std::vector<std::string>{"'x' is not a valid integer value"});
    // The router is not left in the middle of the click: the next one goes through.
    scene.pad->SetOnClick({});
    driver.Advance(1000);
    QTest::mouseClick(QtWidgetOf(*scene.pad), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(scene.pad->clicks, 2);
}

TEST(QtPeer, ControlsAddedOrMovedLaterGetWidgetsInTheirParents)
{
    Log log;
    Scene scene(log);
    TestDriver driver(scene.form);
    AttachQtPeers(scene.form);
    QWidget* window = QtWidgetOf(scene.form);

    auto* late = new Probe<CustomControl>(log, "Late", scene.pad, Rect{5, 5, 25, 25}, clLime);
    SyncQtPeers();
    ASSERT_NE(QtWidgetOf(*late), nullptr);
    EXPECT_EQ(QtWidgetOf(*late)->parentWidget(), QtWidgetOf(*scene.pad));

    // Moving to the form keeps the widget, now in the window; a new place follows the bounds.
    late->SetParent(&scene.form);
    late->SetBounds(60, 110, 20, 20);
    EXPECT_EQ(QtWidgetOf(*late)->parentWidget(), window);
    EXPECT_EQ(QtWidgetOf(*late)->geometry(), QRect(60, 110, 20, 20));
    // Later children lie over earlier ones, in Qt as in the control layer.
    scene.pad->BringToFront();
    const QObjectList& stack = window->children();
    EXPECT_LT(stack.indexOf(QtWidgetOf(*late)), stack.indexOf(QtWidgetOf(*scene.pad)));

    // A control leaving the window loses its widget at the next synchronisation.
    late->SetParent(nullptr);
    SyncQtPeers();
    EXPECT_EQ(late->Peer(), nullptr);
    delete late;
}

// A two-colour picture with a transparent half, told apart from another by its colour.
ArgbImage HalfClearPicture(int size, std::uint32_t argb)
{
    ArgbImage picture(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size / 2; ++x) {
            picture.SetPixel(x, y, argb);
        }
    }
    return picture;
}

TEST(QtPeer, AFormsIconIsItsWindowsIconAtEverySizeAndFollowsAChange)
{
    Log log;
    Scene scene(log);
    TestDriver driver(scene.form);
    scene.form.SetIcon({HalfClearPicture(16, 0xFFCC2211u), HalfClearPicture(32, 0xFFCC2211u)});
    AttachQtPeers(scene.form);
    QWidget* window = QtWidgetOf(scene.form);
    ASSERT_NE(window, nullptr);
    const QIcon shown = window->windowIcon();
    ASSERT_EQ(shown.availableSizes().size(), 2);
    const QImage small = shown.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(small.size(), QSize(16, 16));
    EXPECT_EQ(small.pixel(2, 8), 0xFFCC2211u);
    EXPECT_EQ(qAlpha(small.pixel(12, 8)), 0) << "the clear half stays clear";

    // Changed while the window is shown.
    scene.form.SetIcon({HalfClearPicture(24, 0xFF1122CCu)});
    const QIcon changed = window->windowIcon();
    ASSERT_EQ(changed.availableSizes().size(), 1);
    EXPECT_EQ(changed.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32).pixel(2, 8),
              0xFF1122CCu);
}

TEST(QtPeer, AModalFormShowsAsAModalWindowInsideTheNestedLoop)
{
    Log log;
    Scene scene(log);
    TestDriver driver(scene.form);
    QtPeerKeeper keeper(driver.Router());
    AttachQtPeers(scene.form);
    const ScopedHandler<ModalRunner> runner(&Form::SetModalRunner, RunQtModalLoop);

    Form dialog;
    dialog.SetBounds(150, 120, 120, 60);
    auto* ok = new Probe<CustomControl>(log, "OK", &dialog, Rect{10, 10, 60, 40}, clGreen);
    ok->SetOnClick([&](Object*) { dialog.SetModalResult(mrOk); });
    dialog.FinishLoading();

    // Played from inside the loop, once the keeper had the window made: the user clicks OK.
    // Without a window the loop is ended as Abort, so a failure cannot hang the test.
    Qt::WindowModality modality = Qt::NonModal;
    bool sawWindow = false;
    QTimer::singleShot(100, [&] {
        QWidget* button = QtWidgetOf(*ok);
        if (button == nullptr || !button->isVisible()) {
            dialog.SetModalResult(mrAbort);
            return;
        }
        sawWindow = true;
        modality = button->window()->windowModality();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_FALSE(dialog.Visible());

    // Hidden again, the dialog loses its window; a click handler deleting a control defers
    // its widget's deletion until Qt is done with the event.
    SyncQtPeers();
    EXPECT_EQ(dialog.Peer(), nullptr);
    QPointer<QWidget> dotWidget = QtWidgetOf(*scene.dot);
    scene.pad->SetOnClick([&](Object*) { delete scene.dot; });
    QTest::mouseClick(QtWidgetOf(*scene.pad), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_FALSE(dotWidget.isNull());
    EXPECT_FALSE(dotWidget->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dotWidget.isNull());
}

TEST(QtPeer, AWindowOwnedByAControlOfAModalDialogStaysAboveThatDialog)
{
    Log log;
    Scene scene(log);
    TestDriver driver(scene.form);
    QtPeerKeeper keeper(driver.Router());
    AttachQtPeers(scene.form);
    const ScopedHandler<ModalRunner> runner(&Form::SetModalRunner, RunQtModalLoop);

    Form dialog;
    dialog.SetBounds(150, 120, 160, 80);
    auto* field = new Probe<CustomControl>(log, "Field", &dialog, Rect{10, 10, 90, 30}, clGreen);
    dialog.FinishLoading();
    // A drop-down of the field: a frameless window owned by the field.
    auto* list = new Form(field);
    list->SetBorderStyle(FormBorderStyle::None);
    list->SetBounds(160, 150, 90, 40);
    auto* entry = new Probe<CustomControl>(log, "Entry", list, Rect{0, 0, 90, 40}, clBlue);
    list->FinishLoading();

    QWindow* parentOfList = nullptr;
    QWindow* dialogWindow = nullptr;
    QWindow* parentOfDialog = nullptr;
    QTimer::singleShot(100, [&] {
        list->Show();
        SyncQtPeers();
        QWidget* listWidget = QtWidgetOf(*entry);
        QWidget* fieldWidget = QtWidgetOf(*field);
        if (listWidget == nullptr || fieldWidget == nullptr) {
            dialog.SetModalResult(mrAbort);
            return;
        }
        parentOfList = listWidget->window()->windowHandle()->transientParent();
        dialogWindow = fieldWidget->window()->windowHandle();
        parentOfDialog = dialogWindow->transientParent();
        // The list takes real clicks while the dialog is modal.
        QTest::mouseClick(listWidget, Qt::LeftButton, {}, QPoint(5, 5));
        dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    ASSERT_NE(dialogWindow, nullptr);
    EXPECT_EQ(parentOfList, dialogWindow);
    EXPECT_NE(parentOfDialog, dialogWindow) << "the dialog itself stays above the main window";
    EXPECT_EQ(entry->clicks, 1);
}

TEST(QtPeer, AfterAQtDialogThatAPressOpenedTheNextClickGoesWhereItIsMade)
{
    Log log;
    Scene scene(log);
    TestDriver driver(scene.form);
    QtPeerKeeper keeper(driver.Router());
    AttachQtPeers(scene.form);
    const ScopedHandler<ColorDialog::Handler> colours(&ColorDialog::SetHandler, QtColorDialog);
    QWindow* window = QtWidgetOf(scene.form)->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint onPad(OnPad.X, OnPad.Y);
    const QPoint onDot(OnDot.X, OnDot.Y);
    // The pad's double click asks for a colour, as the palettes do: the dialog comes up
    // while the button is still down on the pad.
    bool chosen = false;
    scene.pad->SetOnDblClick([&](Object*) {
        ColorDialog dialog;
        chosen = dialog.Execute();
    });
    bool sawDialog = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        sawDialog = true;
        // The button comes up over the dialog's blocked owner: Qt keeps it from the window.
        QTest::mouseRelease(window, Qt::LeftButton, {}, onPad);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QPushButton* ok = buttons != nullptr ? buttons->button(QDialogButtonBox::Ok) : nullptr;
        if (ok == nullptr) {
            dialog->reject();
            return;
        }
        QTest::mouseClick(ok->window()->windowHandle(), Qt::LeftButton, {},
                          ok->mapTo(ok->window(), ok->rect().center()));
    });
    QTest::mousePress(window, Qt::LeftButton, {}, onPad);
    QTest::mouseRelease(window, Qt::LeftButton, {}, onPad);
    QTest::mousePress(window, Qt::LeftButton, {}, onPad);
    ASSERT_TRUE(sawDialog);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(scene.pad->doubleClicks, 1);

    // The next click belongs to the control under the pointer, at once.
    log.clear();
    QTest::mouseClick(window, Qt::LeftButton, {}, onDot);
    driver.Settle();
    EXPECT_EQ(scene.dot->clicks, 1) << testing::PrintToString(log);
    EXPECT_EQ(CaptureControl(), nullptr);
    EXPECT_FALSE(driver.Router().ButtonsDown().Contains(ShiftFlag::Left));
}

TEST(QtPeer, KeysReachTheRouterAndAltF4AsksTheFormToClose)
{
    Log log;
    Scene scene(log);
    auto* second = new Probe<CustomControl>(log, "Second", &scene.form, Rect{20, 110, 60, 150}, clGray);
    second->SetTabStop(true);
    TestDriver driver(scene.form);
    AttachQtPeers(scene.form);
    QWidget* window = QtWidgetOf(scene.form);
    scene.pad->SetFocus();
    // Keys other than the modifiers, negative when Ctrl is held.
    std::vector<int> keys;
    scene.pad->SetOnKeyDown([&](Object*, int& key, ShiftState shift) {
        if (key != VK_CONTROL) {
            keys.push_back(shift.Contains(ShiftFlag::Ctrl) ? -key : key);
        }
    });

    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_End);
    EXPECT_EQ(keys, (std::vector<int>{-'C', VK_END}));
    // Tab is the router's dialog key, not Qt's focus chain.
    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(FocusedControl(), second);

    int closes = 0;
    scene.form.SetOnClose([&](Object*, CloseAction& action) {
        ++closes;
        action = CloseAction::None;
    });
    QTest::keyClick(window, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(scene.form.Visible());
    // The window system's close button asks the same way.
    window->close();
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(window->isVisible());
}

TEST(QtPeer, QtKeysBecomeThePlatformsVirtualKeys)
{
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backtab, Qt::ShiftModifier), VK_TAB);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_PageUp, {}), VK_PRIOR);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down, {}), VK_DOWN);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Z, Qt::ShiftModifier), 'Z');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_7, {}), '7');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_3, Qt::KeypadModifier), VK_NUMPAD0 + 3);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F4, Qt::AltModifier), VK_F4);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Comma, {}), VK_OEM_COMMA);
    // A key of its own or none: a character without one still gets a code, so it is typed.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Eacute, {}), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Eacute, {}, true), VK_PACKET);

    const ShiftState shift = ShiftStateFromQt(Qt::ControlModifier | Qt::AltModifier, Qt::RightButton);
    EXPECT_EQ(shift, (ShiftState{ShiftFlag::Ctrl, ShiftFlag::Alt, ShiftFlag::Right}));
}

} // namespace
