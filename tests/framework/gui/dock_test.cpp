#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/dock.h"
#include "framework/gui/form.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_splitter.h"
#include "framework/gui/test_driver.h"
#include "docking_arrangement.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

std::string StateName(DragState state)
{
    switch (state) {
    case DragState::Enter: return "enter";
    case DragState::Move: return "move";
    case DragState::Leave: return "leave";
    }
    return "?";
}

// A dockable tool window: a sizeable tool window with one panel filling it.
class ToolWindow : public Form {
public:
    ToolWindow(const std::string& caption, Rect bounds)
    {
        SetCaption(caption);
        SetBorderStyle(FormBorderStyle::SizeToolWin);
        SetDragKind(DragKind::Dock);
        SetBoundsRect(bounds);
        content = new Panel(this);
        content->SetParent(this);
        content->SetAlign(Align::Client);
        FinishLoading();
    }
    Panel* content;
};

// The main window's docking arrangement: a tool bar along the top, a 3-pixel dock panel on
// the right with a hidden splitter left of it, and a client panel. The dock takes only the
// notes window, grows to 150 on a drop and shrinks back on an undock; the tool bar refuses
// the notes window.
class MainWindow : public Form {
public:
    MainWindow(Log& log, const Form*& notes)
    {
        SetBounds(0, 0, 600, 400);
        const DockingArrangement docking = AddDockingArrangement(*this);
        dock = docking.dock;
        splitter = docking.splitter;
        tools = docking.tools;
        auto* band = new Panel(this);
        band->SetParent(tools);
        band->SetBounds(11, 2, 100, 22);
        client = new Panel(this);
        client->SetParent(this);
        client->SetAlign(Align::Client);
        FinishLoading();

        dock->SetOnDockOver([&log, &notes](Object*, DragDockObject* source, int, int, DragState state, bool& accept) {
            log.push_back("dock over " + StateName(state));
            accept = source->GetControl() == notes;
        });
        dock->SetOnDockDrop([this, &log](Object*, DragDockObject*, int, int) {
            log.push_back("dock drop");
            splitter->Show();
            dock->SetWidth(150);
        });
        dock->SetOnUnDock([this, &log](Object*, Control*, WinControl* target, bool& allow) {
            log.push_back(std::string("undock to ") + (target == nullptr ? "nothing" : "another site"));
            allow = allowUndock;
            if (allow) {
                splitter->Hide();
                dock->SetWidth(3);
            }
        });
        tools->SetOnDockOver([&log, &notes](Object*, DragDockObject* source, int, int, DragState state, bool& accept) {
            log.push_back("tools over " + StateName(state));
            accept = source->GetControl() != notes;
        });
    }
    Panel* dock;
    Splitter* splitter;
    ControlBar* tools;
    Panel* client;
    bool allowUndock = true;
};

class DockTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearPostedMessages();
        main = std::make_unique<MainWindow>(log, notesRef);
        main->Show();
        notes = std::make_unique<ToolWindow>("Notes", Rect{650, 100, 926, 580});
        notesRef = notes.get();
        notes->SetOnShow([this](Object*) { log.push_back("notes shown"); });
        notes->SetOnHide([this](Object*) { log.push_back("notes hidden"); });
        driver = std::make_unique<TestDriver>(*main);
    }
    void TearDown() override
    {
        driver.reset();
        notes.reset();
        main.reset();
        ClearPostedMessages();
    }
    // The middle of the docked notes window's grabber, in the main window.
    Point Grabber() const { return driver->PointOf(*notes, Point{30, DockGrabberHeight / 2}); }

    Log log;
    const Form* notesRef = nullptr;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<ToolWindow> notes;
    std::unique_ptr<TestDriver> driver;
};

} // namespace

TEST_F(DockTest, ManualDockPutsTheFormIntoTheSiteAndTheHandlersSizeIt)
{
    EXPECT_TRUE(notes->Floating());
    EXPECT_TRUE(notes->ManualDock(main->dock));
    EXPECT_EQ(log, (Log{"dock drop"})) << "docking from code asks no DockOver";
    EXPECT_EQ(notes->Parent(), main->dock);
    EXPECT_EQ(notes->HostDockSite(), main->dock);
    EXPECT_FALSE(notes->Floating());
    EXPECT_EQ(main->dock->DockClientCount(), 1);
    EXPECT_EQ(main->dock->DockClients(0), notes.get());
    EXPECT_THROW(main->dock->DockClients(1), EListError);
    EXPECT_EQ(notes->FloatingBounds(), (Rect{650, 100, 926, 580}));
    EXPECT_EQ(notes->Left(), 0) << "no screen position inside the site";

    // Shown and hidden while docked, with the usual events; it never becomes a window of
    // its own.
    log.clear();
    notes->Show();
    EXPECT_TRUE(notes->Showing());
    // The site's handler made it 150 wide; the form fills it, its content below the grabber.
    EXPECT_EQ(main->dock->BoundsRect(), (Rect{450, 26, 600, 400}));
    EXPECT_EQ(notes->BoundsRect(), (Rect{0, 0, 150, 374}));
    EXPECT_EQ(notes->content->BoundsRect(), (Rect{0, DockGrabberHeight, 150, 374}));
    EXPECT_TRUE(main->splitter->Visible());
    EXPECT_EQ(main->splitter->ResizedControl(), main->dock);
    EXPECT_EQ(GetScreen().ActiveForm(), main.get());
    notes->Hide();
    EXPECT_EQ(log, (Log{"notes shown", "notes hidden"}));
    log.clear();

    // Out again: the site is asked, and its handler shrinks it.
    EXPECT_TRUE(notes->ManualFloat(Rect{100, 120, 376, 600}));
    EXPECT_EQ(log, (Log{"undock to nothing"}));
    EXPECT_EQ(notes->Parent(), nullptr);
    EXPECT_TRUE(notes->Floating());
    EXPECT_EQ(notes->Align(), Align::None);
    EXPECT_EQ(notes->BoundsRect(), (Rect{100, 120, 376, 600}));
    EXPECT_EQ(notes->content->BoundsRect(), (Rect{0, 0, 276, 480})) << "no grabber when floating";
    EXPECT_EQ(main->dock->Width(), 3);
    EXPECT_FALSE(main->splitter->Visible());
    EXPECT_EQ(main->dock->DockClientCount(), 0);
}

TEST_F(DockTest, ASiteMayRefuseToLetGoAndLeavesItsSizeToItsHandlers)
{
    notes->ManualDock(main->dock);
    main->allowUndock = false;
    log.clear();
    EXPECT_FALSE(notes->ManualFloat(Rect{0, 0, 100, 100}));
    EXPECT_EQ(notes->HostDockSite(), main->dock);
    EXPECT_EQ(log, (Log{"undock to nothing"}));

    // Without handlers nothing resizes the site: the form takes what is there.
    ToolWindow other("Other", Rect{0, 0, 200, 200});
    auto* bare = new Panel(main.get());
    bare->SetParent(main.get());
    bare->SetWidth(40);
    bare->SetAlign(Align::Left);
    EXPECT_TRUE(other.ManualDock(bare));
    other.Show();
    EXPECT_EQ(bare->Width(), 40);
    EXPECT_EQ(other.Width(), 38) << "what the panel's bevel leaves";

    // No docking into oneself or as an MDI child.
    EXPECT_FALSE(other.ManualDock(other.content));
    EXPECT_FALSE(notes->ManualDock(nullptr));
}

TEST_F(DockTest, DraggingTheGrabberOutOfTheSiteFloatsTheFormUnderThePointer)
{
    notes->ManualDock(main->dock);
    notes->Show();
    log.clear();
    const Point grab = Grabber();
    // Released inside its own site, which accepts it: it stays.
    driver->DragMouse(grab, Point{grab.X + 40, grab.Y + 100}, 10);
    EXPECT_EQ(notes->HostDockSite(), main->dock);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "dock over enter");
    EXPECT_EQ(log.back(), "dock over leave");
    for (std::size_t i = 1; i + 1 < log.size(); ++i) {
        EXPECT_EQ(log[i], "dock over move");
    }

    // Released over the client panel (no dock site): it floats at its floating size, held
    // where it was grabbed.
    log.clear();
    driver->DragMouse(grab, Point{200, 200}, 10);
    EXPECT_TRUE(notes->Floating());
    EXPECT_EQ(log.back(), "undock to nothing");
    EXPECT_EQ(std::count(log.begin(), log.end(), "dock over leave"), 1);
    const Point offset{grab.X - 450, grab.Y - 26};
    EXPECT_EQ(notes->BoundsRect(), (Rect{200 - offset.X, 200 - offset.Y, 200 - offset.X + 276, 200 - offset.Y + 480}));
    EXPECT_TRUE(notes->Visible());
    EXPECT_EQ(main->dock->Width(), 3);
}

TEST_F(DockTest, AFloatingFormMovedOverAnAcceptingSiteDocks)
{
    notes->Show();
    // The window system moves the window by its caption; the pointer goes over the site.
    BeginDockDrag(*notes, Point{700, 110});
    notes->SetBounds(550, 120, 276, 480);
    DockDragMove(Point{598, 130});
    EXPECT_EQ(FindDockSiteAt(Point{598, 130}, notes.get()), main->dock);
    EXPECT_EQ(DockDragForm(), notes.get());
    EXPECT_TRUE(EndDockDrag(Point{599, 130}, true));
    EXPECT_EQ(log, (Log{"notes shown", "dock over enter", "dock over move", "dock over move", "dock over leave",
                        "dock drop"}));
    EXPECT_EQ(notes->HostDockSite(), main->dock);
    EXPECT_EQ(DockDragForm(), nullptr);
    EXPECT_EQ(notes->FloatingBounds(), (Rect{550, 120, 826, 600})) << "where the window was when it docked";

    // Another window is refused by the dock but taken by the tool bar, as a band.
    ToolWindow other("Other", Rect{300, 300, 420, 324});
    other.Show();
    log.clear();
    BeginDockDrag(other, Point{310, 310});
    DockDragMove(Point{590, 200});
    EXPECT_FALSE(EndDockDrag(Point{590, 200}, true));
    EXPECT_TRUE(other.Floating());
    EXPECT_EQ(log.back(), "dock over leave");
    BeginDockDrag(other, Point{310, 310});
    EXPECT_TRUE(EndDockDrag(Point{300, 10}, true));
    EXPECT_EQ(other.HostDockSite(), main->tools);
    EXPECT_EQ(other.Align(), Align::None);
    EXPECT_GE(main->tools->RowOf(&other), 0);

    // The notes window dragged out and over the tool bar is refused there and floats.
    notes->ManualFloat(Rect{100, 100, 376, 580});
    log.clear();
    BeginDockDrag(*notes, Point{110, 110});
    EXPECT_FALSE(EndDockDrag(Point{250, 5}, true));
    EXPECT_TRUE(notes->Floating());
    EXPECT_EQ(log, (Log{"tools over enter", "tools over move", "tools over leave"}));

    // A cancelled drag changes nothing.
    BeginDockDrag(*notes, Point{110, 110});
    DockDragMove(Point{598, 130});
    EXPECT_FALSE(EndDockDrag(Point{598, 130}, false));
    EXPECT_TRUE(notes->Floating());
}

TEST_F(DockTest, TheGrabbersCloseButtonHidesTheDockedForm)
{
    notes->ManualDock(main->dock);
    notes->Show();
    log.clear();
    const CaptionBarLayout bar = *notes->CaptionBar();
    ASSERT_EQ(bar.Buttons.size(), 1u);
    const Rect close = bar.Buttons.front().Bounds;
    driver->Click(driver->PointOf(*notes, Point{close.Left + 3, close.Top + 3}));
    EXPECT_FALSE(notes->Visible());
    EXPECT_EQ(log, (Log{"notes hidden"}));
    EXPECT_EQ(notes->HostDockSite(), main->dock) << "hidden, still docked";

    // A floating form draws no grabber of its own: the window system's frame does that.
    notes->ManualFloat(Rect{0, 0, 200, 200});
    EXPECT_FALSE(notes->CaptionBar().has_value());
}
