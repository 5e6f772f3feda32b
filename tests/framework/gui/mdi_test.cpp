#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/mdi.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

// An MDI parent 600 x 400 with a 30-pixel bar along its top: the client area is the
// 600 x 370 below it.
class MainWindow : public Form {
public:
    MainWindow()
    {
        SetBounds(0, 0, 600, 400);
        SetFormStyle(FormStyle::MDIForm);
        bar = new Panel(this);
        bar->SetParent(this);
        bar->SetHeight(30);
        bar->SetAlign(Align::Top);
        FinishLoading();
    }
    Panel* bar;
};

class MdiTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearPostedMessages();
        main = std::make_unique<MainWindow>();
        main->Show();
        driver = std::make_unique<TestDriver>(*main);
    }
    void TearDown() override
    {
        driver.reset();
        main.reset();
        ClearPostedMessages();
    }

    // A child with a caption, owned by the main window, its events written to the log.
    Form* NewChild(const std::string& name, Rect bounds = Rect{10, 10, 210, 160}, bool show = true)
    {
        auto* child = new Form(main.get());
        child->SetFormStyle(FormStyle::MDIChild);
        child->SetCaption(name);
        child->SetBoundsRect(bounds);
        child->SetOnActivate([this, name](Object*) { log.push_back(name + "+"); });
        child->SetOnDeactivate([this, name](Object*) { log.push_back(name + "-"); });
        child->SetOnDestroy([this, name](Object*) { log.push_back(name + " destroyed"); });
        child->FinishLoading();
        if (show) {
            child->Show();
        }
        return child;
    }

    // A point of a child's client area in the main window.
    Point InMain(const Form& child, Point point) const { return driver->PointOf(child, point); }
    // The middle of a child's caption text area.
    Point CaptionOf(const Form& child) const
    {
        const CaptionBarLayout bar = *child.CaptionBar();
        return InMain(child, Point{bar.TextArea.Left + 20, bar.Bar.Top + bar.Bar.Height() / 2});
    }
    Point ButtonOf(const Form& child, CaptionButton kind) const
    {
        const CaptionBarLayout bar = *child.CaptionBar();
        for (const CaptionButtonPlace& place : bar.Buttons) {
            if (place.Kind == kind) {
                return InMain(child, Point{place.Bounds.Left + 5, place.Bounds.Top + 5});
            }
        }
        ADD_FAILURE() << "no such caption button";
        return Point{};
    }

    Log log;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<TestDriver> driver;
};

} // namespace

TEST_F(MdiTest, TheClientAreaIsWhatTheAlignedControlsLeave)
{
    MdiClient* client = main->ClientArea();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->BoundsRect(), (Rect{0, 30, 600, 400}));
    main->SetBounds(0, 0, 500, 300);
    EXPECT_EQ(client->BoundsRect(), (Rect{0, 30, 500, 300}));

    Form* child = NewChild("A");
    EXPECT_EQ(child->Parent(), client);
    EXPECT_EQ(child->MDIParent(), main.get());
    EXPECT_EQ(main->MDIParent(), nullptr);
    // Showing a child never makes it the screen's active form: keys still go to the main
    // window, which holds it.
    EXPECT_EQ(GetScreen().ActiveForm(), main.get());

    Form orphan;
    EXPECT_THROW(orphan.SetFormStyle(FormStyle::MDIChild), EInvalidOperation);
    EXPECT_THROW(main->SetFormStyle(FormStyle::Normal), EInvalidOperation) << "an MDI parent with children";
}

TEST_F(MdiTest, ActivationFollowsShowClickFocusAndFrontAndFiresOnlyOnChanges)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B", Rect{250, 100, 450, 250});
    EXPECT_EQ(log, (Log{"A+", "A-", "B+"}));
    EXPECT_EQ(main->ActiveMDIChild(), b);
    log.clear();

    // A press anywhere in a child activates it before the press itself.
    driver->Click(CaptionOf(*a));
    EXPECT_EQ(log, (Log{"B-", "A+"}));
    EXPECT_EQ(main->ActiveMDIChild(), a);
    EXPECT_EQ(main->MDIChildren(0), a) << "the active child is the topmost";
    log.clear();
    driver->Click(CaptionOf(*a));
    a->Show();
    a->BringToFront();
    EXPECT_TRUE(log.empty()) << "nothing fires when the active child stays";

    b->BringToFront();
    EXPECT_EQ(log, (Log{"A-", "B+"}));
    log.clear();

    // A control inside a child taking the focus makes that child active, and the child
    // remembers it as its active control.
    auto* field = new WinControl(a);
    field->SetParent(a);
    field->SetBounds(20, 40, 100, 20);
    field->SetFocus();
    EXPECT_EQ(log, (Log{"B-", "A+"}));
    EXPECT_EQ(a->ActiveControl(), field);
    log.clear();

    // Focusing the other child moves the keyboard there; coming back focuses the control
    // the child had.
    b->SetFocus();
    EXPECT_EQ(log, (Log{"A-", "B+"}));
    EXPECT_EQ(driver->Router().FocusedControl(), b);
    a->SetFocus();
    EXPECT_EQ(driver->Router().FocusedControl(), field);

    // A press on a control deep inside an inactive child activates it too.
    auto* inner = new Panel(b);
    inner->SetParent(b);
    inner->SetAlign(Align::Client);
    log.clear();
    driver->Click(InMain(*b, Point{100, 80}));
    EXPECT_EQ(log, (Log{"A-", "B+"}));
}

TEST_F(MdiTest, HiddenChildrenCountButNeverBecomeActive)
{
    Form* a = NewChild("A");
    Form* hidden = NewChild("H", Rect{0, 0, 100, 100}, false);
    EXPECT_EQ(main->MDIChildCount(), 2);
    EXPECT_EQ(main->ActiveMDIChild(), a);
    hidden->BringToFront();
    hidden->SetWindowState(WindowState::Maximized);
    EXPECT_EQ(main->ActiveMDIChild(), a);
    EXPECT_EQ(log, (Log{"A+"}));

    // Hiding the active child activates the next shown one; with none left, it is
    // deactivated and no child is active.
    Form* b = NewChild("B");
    log.clear();
    b->Hide();
    EXPECT_EQ(log, (Log{"B-", "A+"}));
    log.clear();
    a->Hide();
    EXPECT_EQ(log, (Log{"A-"}));
    EXPECT_EQ(main->ActiveMDIChild(), nullptr);
    EXPECT_THROW(main->MDIChildren(3), EListError);
}

TEST_F(MdiTest, ClosingTheActiveChildWithFreeReleasesItAfterTheHandlerAndActivatesTheNext)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B");
    b->SetOnClose([this](Object*, CloseAction& action) {
        log.push_back("B closing");
        action = CloseAction::Free;
    });
    log.clear();
    WeakRef<Form> closing(b);
    driver->Click(ButtonOf(*b, CaptionButton::Close));
    // Released from the queue after the click's handlers; the one going hears no
    // deactivation after its OnDestroy.
    EXPECT_FALSE(closing);
    EXPECT_EQ(log, (Log{"B closing", "B destroyed", "A+"}));
    EXPECT_EQ(main->ActiveMDIChild(), a);
    EXPECT_EQ(main->MDIChildCount(), 1);
}

TEST_F(MdiTest, ClosingAChildMinimisesItUnlessToldOtherwise)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B");
    log.clear();
    b->Close();
    EXPECT_EQ(b->WindowState(), WindowState::Minimized);
    EXPECT_TRUE(b->Visible());
    EXPECT_EQ(main->ActiveMDIChild(), a) << "minimising the active child activates the next";
    EXPECT_EQ(log, (Log{"B-", "A+"}));

    a->SetOnClose([](Object*, CloseAction& action) { action = CloseAction::Hide; });
    a->Close();
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(main->ActiveMDIChild(), b) << "only a minimised child is left";
}

TEST_F(MdiTest, MaximiseMinimiseAndRestoreMoveTheChild)
{
    Form* a = NewChild("A", Rect{20, 30, 220, 180});
    auto* content = new Panel(a);
    content->SetParent(a);
    content->SetAlign(Align::Client);
    // The frame keeps aligned children off the border and the caption bar.
    EXPECT_EQ(content->BoundsRect(), (Rect{3, 21, 197, 147}));

    driver->Click(ButtonOf(*a, CaptionButton::Maximize));
    EXPECT_EQ(a->WindowState(), WindowState::Maximized);
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 0, 600, 370}));
    EXPECT_EQ(content->BoundsRect(), (Rect{0, 18, 600, 370})) << "no border while maximised";
    EXPECT_EQ(a->RestoreBounds(), (Rect{20, 30, 220, 180}));
    // It follows the client area.
    main->SetBounds(0, 0, 500, 300);
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 0, 500, 270}));

    driver->Click(ButtonOf(*a, CaptionButton::Restore));
    EXPECT_EQ(a->WindowState(), WindowState::Normal);
    EXPECT_EQ(a->BoundsRect(), (Rect{20, 30, 220, 180}));

    // Minimised children line up along the bottom from the left and keep their slots.
    Form* b = NewChild("B");
    a->SetWindowState(WindowState::Minimized);
    b->SetWindowState(WindowState::Minimized);
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 270 - 24, 160, 270}));
    EXPECT_EQ(b->BoundsRect(), (Rect{160, 270 - 24, 320, 270}));
    EXPECT_EQ(content->Height(), 0) << "nothing of a minimised child shows but its caption";
    main->SetBounds(0, 0, 300, 300);
    EXPECT_EQ(b->BoundsRect(), (Rect{0, 270 - 48, 160, 270 - 24})) << "a narrow client area starts a row above";
    driver->Click(ButtonOf(*a, CaptionButton::Restore));
    EXPECT_EQ(a->BoundsRect(), (Rect{20, 30, 220, 180}));
    EXPECT_EQ(main->ActiveMDIChild(), a) << "restoring activates";
    b->SetWindowState(WindowState::Normal);
    Form* c = NewChild("C");
    c->SetWindowState(WindowState::Minimized);
    EXPECT_EQ(c->Left(), 0) << "a freed slot is taken again";
}

TEST_F(MdiTest, AMaximisedActiveChildHandsItsStateToTheNextActiveOne)
{
    Form* a = NewChild("A", Rect{10, 10, 110, 110});
    Form* b = NewChild("B", Rect{50, 50, 250, 150});
    b->SetWindowState(WindowState::Maximized);
    a->BringToFront();
    EXPECT_EQ(a->WindowState(), WindowState::Maximized);
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 0, 600, 370}));
    EXPECT_EQ(b->WindowState(), WindowState::Normal);
    EXPECT_EQ(b->BoundsRect(), (Rect{50, 50, 250, 150}));
    // A child shown while another one is maximised comes up maximised.
    Form* c = NewChild("C", Rect{5, 5, 105, 105});
    EXPECT_EQ(c->WindowState(), WindowState::Maximized);
    EXPECT_EQ(a->BoundsRect(), (Rect{10, 10, 110, 110}));
}

TEST_F(MdiTest, DraggingTheCaptionMovesANormalChild)
{
    Form* a = NewChild("A", Rect{10, 10, 210, 160});
    const Point from = CaptionOf(*a);
    driver->DragMouse(from, Point{from.X + 40, from.Y + 25}, 5);
    EXPECT_EQ(a->BoundsRect(), (Rect{50, 35, 250, 185}));
    // Pressing a caption button and sliding off it does nothing.
    const Point close = ButtonOf(*a, CaptionButton::Close);
    driver->DragMouse(close, Point{close.X - 60, close.Y}, 10);
    EXPECT_TRUE(a->Visible());
    EXPECT_EQ(a->WindowState(), WindowState::Normal);
    EXPECT_EQ(a->BoundsRect(), (Rect{50, 35, 250, 185})) << "a caption button is no place to drag from";
}

TEST_F(MdiTest, TileVerticalMakesColumnsAndHorizontalRowsAndMoreMakeAGrid)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B");
    main->SetTileMode(TileMode::Vertical);
    main->Tile();
    // The topmost (active) first.
    EXPECT_EQ(b->BoundsRect(), (Rect{0, 0, 300, 370}));
    EXPECT_EQ(a->BoundsRect(), (Rect{300, 0, 600, 370}));

    Form* c = NewChild("C");
    main->SetTileMode(TileMode::Horizontal);
    main->Tile();
    EXPECT_EQ(c->BoundsRect(), (Rect{0, 0, 600, 123}));
    EXPECT_EQ(b->BoundsRect(), (Rect{0, 123, 600, 246}));
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 246, 600, 370}));

    Form* d = NewChild("D");
    main->SetTileMode(TileMode::Vertical);
    main->Tile();
    EXPECT_EQ(d->BoundsRect(), (Rect{0, 0, 300, 185}));
    EXPECT_EQ(c->BoundsRect(), (Rect{0, 185, 300, 370}));
    EXPECT_EQ(b->BoundsRect(), (Rect{300, 0, 600, 185}));
    EXPECT_EQ(a->BoundsRect(), (Rect{300, 185, 600, 370}));

    // Five: two columns, the later one taking the extra child.
    Form* e = NewChild("E");
    main->Tile();
    EXPECT_EQ(e->BoundsRect(), (Rect{0, 0, 300, 185}));
    EXPECT_EQ(d->BoundsRect(), (Rect{0, 185, 300, 370}));
    EXPECT_EQ(c->BoundsRect(), (Rect{300, 0, 600, 123}));
    EXPECT_EQ(a->BoundsRect(), (Rect{300, 246, 600, 370}));
    main->SetTileMode(TileMode::Horizontal);
    main->Tile();
    EXPECT_EQ(e->BoundsRect(), (Rect{0, 0, 300, 185}));
    EXPECT_EQ(d->BoundsRect(), (Rect{300, 0, 600, 185}));
    EXPECT_EQ(c->BoundsRect(), (Rect{0, 185, 200, 370}));
    EXPECT_EQ(a->BoundsRect(), (Rect{400, 185, 600, 370}));
    EXPECT_EQ(main->ActiveMDIChild(), e) << "tiling changes no activation";
}

TEST_F(MdiTest, TilingLeavesMinimisedChildrenAndRestoresAMaximisedOne)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B");
    Form* c = NewChild("C");
    a->SetWindowState(WindowState::Minimized);
    c->SetWindowState(WindowState::Maximized);
    main->SetTileMode(TileMode::Vertical);
    main->Tile();
    EXPECT_EQ(c->WindowState(), WindowState::Normal);
    EXPECT_EQ(c->BoundsRect(), (Rect{0, 0, 300, 346})) << "above the row of minimised children";
    EXPECT_EQ(b->BoundsRect(), (Rect{300, 0, 600, 346}));
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 346, 160, 370}));
}

TEST_F(MdiTest, CascadeStepsTheChildrenFromTheTopLeftKeepingTheOrder)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B");
    Form* c = NewChild("C");
    log.clear();
    main->Cascade();
    const int step = MdiClient::CascadeStep;
    EXPECT_EQ(a->BoundsRect(), (Rect{0, 0, 600 - 2 * step, 370 - 2 * step}));
    EXPECT_EQ(b->BoundsRect(), (Rect{step, step, 600 - step, 370 - step}));
    EXPECT_EQ(c->BoundsRect(), (Rect{2 * step, 2 * step, 600, 370}));
    EXPECT_EQ(main->ActiveMDIChild(), c);
    EXPECT_TRUE(log.empty());

    // Many children keep half the area each and start again at the corner when the next
    // would stick out.
    for (int i = 0; i < 10; ++i) {
        NewChild("more");
    }
    main->Cascade();
    const Rect first = a->BoundsRect();
    EXPECT_EQ(first.Width(), 600 - 12 * step);
    EXPECT_EQ(first.Height(), 185) << "half the area, not less";
    for (int i = 0; i < main->MDIChildCount(); ++i) {
        const Rect place = main->MDIChildren(i)->BoundsRect();
        EXPECT_LE(place.Right, 600);
        EXPECT_LE(place.Bottom, 370);
    }
}

TEST_F(MdiTest, TheParentsCloseQueryAsksEveryChildFirst)
{
    Form* a = NewChild("A");
    Form* b = NewChild("B");
    bool aAgrees = false;
    a->SetOnCloseQuery([&](Object*, bool& canClose) {
        log.push_back("A asked");
        canClose = aAgrees;
    });
    b->SetOnCloseQuery([&](Object*, bool&) { log.push_back("B asked"); });
    main->SetOnCloseQuery([&](Object*, bool&) { log.push_back("main asked"); });
    log.clear();
    EXPECT_FALSE(main->CloseQuery());
    EXPECT_EQ(log, (Log{"B asked", "A asked"}));
    log.clear();
    aAgrees = true;
    EXPECT_TRUE(main->CloseQuery());
    EXPECT_EQ(log, (Log{"B asked", "A asked", "main asked"}));
}

TEST_F(MdiTest, FreeingTheParentFreesItsChildrenWithoutActivatingAny)
{
    NewChild("A");
    NewChild("B");
    log.clear();
    driver.reset();
    main.reset();
    EXPECT_EQ(log, (Log{"B destroyed", "A destroyed"}));
}

TEST_F(MdiTest, ChildrenShownAtTheDefaultPositionStepAlongTheDiagonal)
{
    for (int i = 0; i < 3; ++i) {
        auto* child = new Form(main.get());
        child->SetFormStyle(FormStyle::MDIChild);
        child->SetBounds(400, 300, 200, 150);
        child->SetPosition(FormPosition::Default);
        child->Show();
        EXPECT_EQ(child->BoundsRect().Left, i * MdiClient::CascadeStep);
        EXPECT_EQ(child->BoundsRect().Top, i * MdiClient::CascadeStep);
    }
    auto* centred = new Form(main.get());
    centred->SetFormStyle(FormStyle::MDIChild);
    centred->SetBounds(0, 0, 200, 170);
    centred->SetPosition(FormPosition::MainFormCenter);
    centred->Show();
    EXPECT_EQ(centred->BoundsRect(), (Rect{200, 100, 400, 270}));
}
