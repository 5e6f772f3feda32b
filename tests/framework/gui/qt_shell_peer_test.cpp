#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/dock.h"
#include "framework/gui/form.h"
#include "framework/gui/mdi.h"
#include "framework/gui/menu.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

// Records where its presses land.
class Pad : public CustomControl {
public:
    explicit Pad(Component* owner) : CustomControl(owner) {}
    std::vector<Point> presses;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override
    {
        presses.push_back(Point{x, y});
        CustomControl::MouseDown(button, shift, x, y);
    }
};

// A main window with a menu bar, an MDI client area and a dock panel on the right.
class ShellWindow : public Form {
public:
    ShellWindow()
    {
        SetCaption("Shell");
        SetBounds(100, 100, 500, 300);
        SetFormStyle(FormStyle::MDIForm);
        menu = new MainMenu(this);
        file = new MenuItem(this);
        file->SetCaption("&File");
        menu->Items()->Add(file);
        exit = new MenuItem(this);
        exit->SetCaption("E&xit");
        exit->SetOnClick([this](Object*) { ++exits; });
        file->Add(exit);
        SetMenu(menu);
        pad = new Pad(this);
        pad->SetParent(this);
        pad->SetHeight(40);
        pad->SetAlign(Align::Top);
        dock = new Panel(this);
        dock->SetParent(this);
        dock->SetWidth(120);
        dock->SetAlign(Align::Right);
        dock->SetDockSite(true);
        FinishLoading();
    }
    MainMenu* menu;
    MenuItem* file;
    MenuItem* exit;
    Pad* pad;
    Panel* dock;
    int exits = 0;
};

class QtShellPeerTest : public testing::Test {
protected:
    void SetUp() override { ClearPostedMessages(); }
    void TearDown() override
    {
        ClearPostedMessages();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(QtShellPeerTest, AFormWithAMenuShowsTheBarAboveItsClientArea)
{
    ShellWindow shell;
    shell.Show();
    TestDriver driver(shell);
    AttachQtPeers(shell);
    auto* peer = dynamic_cast<QtPeer*>(shell.Peer());
    ASSERT_NE(peer, nullptr);
    QWidget* window = peer->WindowWidget();
    QWidget* content = peer->Widget();
    auto* bar = dynamic_cast<QMenuBar*>(peer->MenuBar());
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(window->isWindow());
    EXPECT_FALSE(content->isWindow());
    EXPECT_EQ(window->windowTitle(), "Shell");
    const int barHeight = bar->height();
    ASSERT_GT(barHeight, 0);
    // The form's area is below the bar: its client (0, 0) is the content's top-left.
    EXPECT_EQ(window->geometry(), QRect(100, 100 - barHeight, 500, 300 + barHeight));
    EXPECT_EQ(content->geometry(), QRect(0, barHeight, 500, 300));
    EXPECT_EQ(bar->geometry().bottom() + 1, barHeight);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions().front()->text(), "&File");

    // A real click at the content's (5, 5) is the pad's (5, 5).
    QTest::mouseClick(QtWidgetOf(*shell.pad), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(shell.pad->presses.size(), 1u);
    EXPECT_EQ(shell.pad->presses.front(), (Point{5, 5}));

    // Choosing the item from the bar's menu clicks it.
    QMenu* fileMenu = bar->actions().front()->menu();
    ASSERT_NE(fileMenu, nullptr);
    emit fileMenu->aboutToShow();
    ASSERT_EQ(fileMenu->actions().size(), 1);
    fileMenu->actions().front()->trigger();
    EXPECT_EQ(shell.exits, 1);

    // The window system moving or resizing the window moves the form's area with it.
    window->setGeometry(QRect(150, 130 - barHeight, 520, 320 + barHeight));
    EXPECT_EQ(shell.BoundsRect(), (Rect{150, 130, 670, 450}));
    EXPECT_EQ(content->geometry(), QRect(0, barHeight, 520, 320));

    // Without a menu the form gets a plain window again at the next synchronisation.
    shell.SetMenu(nullptr);
    SyncQtPeers();
    ASSERT_NE(QtWidgetOf(shell), nullptr);
    EXPECT_TRUE(QtWidgetOf(shell)->isWindow());
    EXPECT_EQ(QtWidgetOf(shell)->geometry(), QRect(150, 130, 520, 320));
    shell.Hide();
    SyncQtPeers();
}

TEST_F(QtShellPeerTest, TheMenuBarKeepsOnlyTheMenusItShowsHoweverOftenItIsRebuilt)
{
    // The main window changes its menu with every tool state an editor reports: each change
    // rebuilds the bar, and each opening of a menu fills it afresh. The menus they replace
    // must go, or a long session piles up thousands of hidden menus.
    ShellWindow shell;
    auto* recent = new MenuItem(&shell);
    recent->SetCaption("&Recent");
    shell.file->Add(recent);
    auto* first = new MenuItem(&shell);
    first->SetCaption("band.tvl");
    recent->Add(first);
    // An item whose click changes the menu, as many commands do.
    auto* toggle = new MenuItem(&shell);
    toggle->SetCaption("&Toggle");
    toggle->SetOnClick([&](Object*) { shell.exit->SetEnabled(!shell.exit->Enabled()); });
    shell.file->Add(toggle);
    shell.Show();
    TestDriver driver(shell);
    AttachQtPeers(shell);
    auto* bar = dynamic_cast<QMenuBar*>(dynamic_cast<QtPeer*>(shell.Peer())->MenuBar());
    ASSERT_NE(bar, nullptr);

    for (int round = 0; round < 40; ++round) {
        shell.exit->SetCaption(round % 2 == 0 ? "E&xit" : "&Quit");
        QMenu* fileMenu = bar->actions().front()->menu();
        ASSERT_NE(fileMenu, nullptr);
        emit fileMenu->aboutToShow();
        emit fileMenu->aboutToShow();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // One menu for File, one for Recent inside it.
    EXPECT_EQ(bar->findChildren<QMenu*>().size(), 2);

    // A click that rebuilds the bar under the menu it came from.
    QMenu* fileMenu = bar->actions().front()->menu();
    emit fileMenu->aboutToShow();
    ASSERT_EQ(fileMenu->actions().size(), 3);
    fileMenu->actions().back()->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shell.exit->Enabled());
    EXPECT_EQ(bar->findChildren<QMenu*>().size(), 1);
    ASSERT_EQ(bar->actions().size(), 1);
    fileMenu = bar->actions().front()->menu();
    ASSERT_NE(fileMenu, nullptr);
    emit fileMenu->aboutToShow();
    ASSERT_EQ(fileMenu->actions().size(), 3);
    EXPECT_FALSE(fileMenu->actions().front()->isEnabled());
    fileMenu->actions().front()->trigger();
    EXPECT_EQ(shell.exits, 0) << "a disabled item's action does not click it";
    shell.Hide();
    SyncQtPeers();
}

TEST_F(QtShellPeerTest, MdiChildrenAndDockedFormsAreWidgetsInsideTheMainWindow)
{
    ShellWindow shell;
    shell.Show();
    TestDriver driver(shell);
    auto* child = new Form(&shell);
    child->SetFormStyle(FormStyle::MDIChild);
    child->SetBounds(10, 10, 150, 100);
    child->Show();
    Form notes;
    notes.SetDragKind(DragKind::Dock);
    notes.SetBounds(700, 100, 200, 300);
    notes.FinishLoading();
    notes.Show();
    AttachQtPeers(notes);
    SyncQtPeers();
    ASSERT_NE(QtWidgetOf(notes), nullptr);
    EXPECT_TRUE(QtWidgetOf(notes)->isWindow());

    ASSERT_TRUE(notes.ManualDock(shell.dock));
    SyncQtPeers();
    QWidget* childWidget = QtWidgetOf(*child);
    ASSERT_NE(childWidget, nullptr);
    EXPECT_FALSE(childWidget->isWindow());
    EXPECT_EQ(childWidget->parentWidget(), QtWidgetOf(*shell.ClientArea()));
    ASSERT_NE(QtWidgetOf(notes), nullptr);
    EXPECT_FALSE(QtWidgetOf(notes)->isWindow()) << "docked: a widget of the site";
    EXPECT_EQ(QtWidgetOf(notes)->parentWidget(), QtWidgetOf(*shell.dock));

    // Floated from code, it is a window of its own again where it was told.
    ASSERT_TRUE(notes.ManualFloat(Rect{600, 150, 800, 450}));
    SyncQtPeers();
    ASSERT_NE(QtWidgetOf(notes), nullptr);
    EXPECT_TRUE(QtWidgetOf(notes)->isWindow());
    EXPECT_EQ(QtWidgetOf(notes)->geometry(), QRect(600, 150, 200, 300));
    notes.Hide();
    shell.Hide();
    SyncQtPeers();
}

TEST_F(QtShellPeerTest, AFloatingWindowMovedOverADockSiteDocksOnceItRests)
{
    ShellWindow shell;
    shell.SetMenu(nullptr);
    shell.Show();
    TestDriver driver(shell);
    Form notes;
    notes.SetDragKind(DragKind::Dock);
    notes.SetBorderStyle(FormBorderStyle::SizeToolWin);
    notes.SetBounds(700, 100, 200, 300);
    notes.FinishLoading();
    notes.Show();
    int drops = 0;
    shell.dock->SetOnDockDrop([&](Object*, DragDockObject*, int, int) { ++drops; });
    SyncQtPeers();
    QWidget* window = QtWidgetOf(notes);
    ASSERT_NE(window, nullptr);

    // Right after showing, moves are the window system placing the window.
    QCursor::setPos(QPoint(560, 150));
    window->setGeometry(QRect(500, 140, 200, 300));
    EXPECT_EQ(DockDragForm(), nullptr);
    QTest::qWait(600);

    // The user drags the caption: the pointer on the window, over the dock panel.
    window->setGeometry(QRect(510, 140, 200, 300));
    EXPECT_EQ(notes.Left(), 510);
    EXPECT_EQ(DockDragForm(), &notes);
    QTest::qWait(500);
    EXPECT_EQ(DockDragForm(), nullptr) << "the window rested";
    EXPECT_EQ(notes.HostDockSite(), shell.dock);
    EXPECT_EQ(drops, 1);
    notes.Hide();
    shell.Hide();
    SyncQtPeers();
}
