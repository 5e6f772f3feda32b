#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/input.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

std::string ButtonName(MouseButton button)
{
    switch (button) {
    case MouseButton::Right: return "R";
    case MouseButton::Middle: return "M";
    default: return "L";
    }
}

// A control that writes every input event it gets into a shared log as "name.Event".
template <class Base>
class MouseProbe : public Base {
public:
    MouseProbe(Log& log, std::string name, WinControl* parent, Rect bounds)
        : Base(parent), log_(log), name_(std::move(name))
    {
        this->SetParent(parent);
        this->SetBoundsRect(bounds);
    }

    bool recordMoves = false;

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override
    {
        Record("Down(" + ButtonName(button) + (shift.Contains(ShiftFlag::Double) ? ",double" : "") + ","
               + std::to_string(x) + "," + std::to_string(y) + ")");
        Base::MouseDown(button, shift, x, y);
    }
    void MouseMove(ShiftState shift, int x, int y) override
    {
        if (recordMoves) {
            Record("Move(" + std::to_string(x) + "," + std::to_string(y) + ")");
        }
        Base::MouseMove(shift, x, y);
    }
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override
    {
        Record("Up(" + ButtonName(button) + ")");
        Base::MouseUp(button, shift, x, y);
    }
    void Click() override
    {
        Record("Click");
        Base::Click();
    }
    void DblClick() override
    {
        Record("DblClick");
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
    void Record(const std::string& what) { log_.push_back(name_ + "." + what); }

private:
    Log& log_;
    std::string name_;
};

using Figure = MouseProbe<GraphicControl>;

// A windowed probe that also logs keys and focus, keeps the keys its dialog code names and
// consumes one key in KeyDown when asked.
class Box : public MouseProbe<CustomControl> {
public:
    Box(Log& log, std::string name, WinControl* parent, Rect bounds, bool tabStop = true)
        : MouseProbe(log, std::move(name), parent, bounds)
    {
        SetTabStop(tabStop);
    }

    int dialogCode = 0;
    int consumeKey = 0;

    void KeyDown(int& key, ShiftState shift) override
    {
        Record("KeyDown(" + std::to_string(key) + ")");
        if (key == consumeKey) {
            key = 0;
        }
        MouseProbe::KeyDown(key, shift);
    }
    void KeyPress(char32_t& key) override
    {
        Record("KeyPress(" + std::to_string(static_cast<int>(key)) + ")");
        MouseProbe::KeyPress(key);
    }
    void KeyUp(int& key, ShiftState shift) override
    {
        Record("KeyUp(" + std::to_string(key) + ")");
        MouseProbe::KeyUp(key, shift);
    }
    void DoEnter() override
    {
        Record("DoEnter");
        MouseProbe::DoEnter();
    }
    void DoExit() override
    {
        Record("DoExit");
        MouseProbe::DoExit();
    }
    void Dispatch(Message& message) override
    {
        switch (message.Msg) {
        case WM_GETDLGCODE: message.Result = dialogCode; return;
        case WM_SETFOCUS: Record("SetFocus"); break;
        case WM_KILLFOCUS: Record("KillFocus"); break;
        case CM_DIALOGKEY: Record("DialogKey(" + std::to_string(message.WParam) + ")"); break;
        default: break;
        }
        MouseProbe::Dispatch(message);
    }
};

// The window every test plays on: placed away from the screen's corner so that client and
// screen coordinates differ.
class Window : public WinControl {
public:
    Window() { SetBounds(100, 50, 300, 200); }
};

} // namespace

TEST(InputRouter, SingleClicksGoToTheControlUnderThePointerInPlatformOrder)
{
    Log log;
    Window window;
    auto* box = new Box(log, "box", &window, Rect{10, 10, 110, 60});
    auto* figure = new Figure(log, "fig", box, Rect{50, 20, 70, 40});
    TestDriver driver(window);

    driver.Click(20, 30);
    EXPECT_EQ(log, (Log{"box.Enter", "box.Down(L,10,20)", "box.Click", "box.Up(L)"}));
    EXPECT_FALSE(box->MouseCapture()) << "the release ends the capture of the press";

    // The graphic child inside the box takes its own clicks, in its own coordinates.
    log.clear();
    driver.Click(65, 35);
    EXPECT_EQ(log, (Log{"box.Leave", "fig.Enter", "fig.Down(L,5,5)", "fig.Click", "fig.Up(L)"}));

    // Other buttons press and release but never click.
    log.clear();
    driver.Click(65, 35, MouseButton::Right);
    EXPECT_EQ(log, (Log{"fig.Down(R,5,5)", "fig.Up(R)"}));

    // Pressed inside, released outside: the capture brings the release back, without a Click.
    log.clear();
    driver.Press(20, 30);
    driver.Release(250, 150);
    EXPECT_EQ(log, (Log{"fig.Leave", "box.Enter", "box.Down(L,10,20)", "box.Leave", "box.Up(L)"}));
    (void)figure;
}

TEST(InputRouter, DoubleClicksFollowThePlatformAndTheApplicationsTime)
{
    Log log;
    Window window;
    new Box(log, "box", &window, Rect{0, 0, 100, 100});
    auto* other = new Box(log, "other", &window, Rect{100, 0, 200, 100});
    TestDriver driver(window);
    driver.MoveTo(10, 10);
    log.clear();

    driver.DoubleClick(10, 10);
    EXPECT_EQ(log, (Log{"box.Down(L,10,10)", "box.Click", "box.Up(L)", "box.DblClick", "box.Down(L,double,10,10)",
                        "box.Up(L)"}));

    // The press after a double click counts as a first press again.
    log.clear();
    driver.Click(10, 10);
    EXPECT_EQ(log, (Log{"box.Down(L,10,10)", "box.Click", "box.Up(L)"}));

    // Too late (the application's 500 ms on the virtual clock), too far or on another
    // control: two single clicks.
    driver.Advance(1000);
    auto twoClicksAreSingle = [&](int waitMs, Point second) {
        log.clear();
        driver.Click(10, 10);
        driver.Advance(waitMs);
        driver.Click(second);
        bool doubled = false;
        for (const std::string& entry : log) {
            doubled = doubled || entry.find("DblClick") != std::string::npos;
        }
        driver.Advance(1000);
        return !doubled;
    };
    EXPECT_FALSE(twoClicksAreSingle(499, Point{12, 8}));
    EXPECT_TRUE(twoClicksAreSingle(500, Point{10, 10}));
    EXPECT_TRUE(twoClicksAreSingle(0, Point{13, 10}));
    EXPECT_TRUE(twoClicksAreSingle(0, Point{110, 10}));
    App().SetDoubleClickTime(200);
    EXPECT_TRUE(twoClicksAreSingle(300, Point{10, 10}));
    App().SetDoubleClickTime(500);

    // A control that takes no double clicks gets a second ordinary click.
    other->SetControlStyle(other->ControlStyle() - ControlStyleFlag::DoubleClicks);
    driver.MoveTo(110, 10);
    log.clear();
    driver.DoubleClick(110, 10);
    EXPECT_EQ(log, (Log{"other.Down(L,10,10)", "other.Click", "other.Up(L)", "other.Down(L,10,10)", "other.Click",
                        "other.Up(L)"}));
}

TEST(InputRouter, CaptureKeepsTheMouseAndEnterLeaveFollowIt)
{
    Log log;
    Window window;
    auto* a = new Box(log, "a", &window, Rect{0, 0, 100, 100});
    auto* b = new Box(log, "b", &window, Rect{100, 0, 200, 100});
    a->recordMoves = true;
    b->recordMoves = true;
    TestDriver driver(window);

    driver.MoveTo(50, 50);
    driver.MoveTo(150, 50);
    EXPECT_EQ(log, (Log{"a.Enter", "a.Move(50,50)", "a.Leave", "b.Enter", "b.Move(50,50)"}));

    // While a holds the capture, b is neither entered nor moved over; a leaves and comes back.
    driver.MoveTo(50, 50);
    log.clear();
    driver.Press(50, 50);
    driver.MoveTo(150, 60);
    driver.MoveTo(60, 60);
    driver.MoveTo(170, 70);
    driver.Release(170, 70);
    EXPECT_EQ(log, (Log{"a.Down(L,50,50)", "a.Leave", "a.Move(150,60)", "a.Enter", "a.Move(60,60)", "a.Leave",
                        "a.Move(170,70)", "a.Up(L)", "b.Enter"}));
    EXPECT_EQ(driver.Router().MouseControl(), b);

    // Leaving the window leaves the control.
    log.clear();
    driver.Leave();
    EXPECT_EQ(log, (Log{"b.Leave"}));
    EXPECT_EQ(driver.Router().MouseControl(), nullptr);

    // Without the capture style the release goes where the pointer is, and nothing clicks.
    a->SetControlStyle(a->ControlStyle() - ControlStyleFlag::CaptureMouse);
    driver.Advance(1000); // no double click with the press before
    log.clear();
    driver.Press(50, 50);
    driver.Release(150, 50);
    EXPECT_EQ(log,
              (Log{"a.Enter", "a.Move(50,50)", "a.Down(L,50,50)", "a.Leave", "b.Enter", "b.Move(50,50)", "b.Up(L)"}));
}

TEST(InputRouter, FindsTheTopmostVisibleEnabledControl)
{
    Log log;
    Window window;
    auto* panel = new Box(log, "panel", &window, Rect{0, 0, 200, 150});
    auto* lower = new Figure(log, "lower", panel, Rect{10, 10, 60, 60});
    auto* upper = new Figure(log, "upper", panel, Rect{30, 30, 80, 80});

    EXPECT_EQ(FindControlAt(window, Point{40, 40}), upper);
    EXPECT_EQ(FindControlAt(window, Point{15, 15}), lower);
    upper->Hide();
    EXPECT_EQ(FindControlAt(window, Point{40, 40}), lower);
    lower->SetEnabled(false);
    EXPECT_EQ(FindControlAt(window, Point{40, 40}), panel);
    lower->BringToFront();
    upper->Show();
    EXPECT_EQ(FindControlAt(window, Point{40, 40}), upper) << "a disabled control does not hide one below it";
    EXPECT_EQ(FindControlAt(window, Point{250, 40}), &window);
    EXPECT_EQ(FindControlAt(window, Point{300, 40}), nullptr);
    window.SetEnabled(false);
    EXPECT_EQ(FindControlAt(window, Point{40, 40}), nullptr);
}

TEST(InputRouter, TheWheelClimbsToTheFirstControlThatTakesIt)
{
    Log log;
    Window window;
    auto* panel = new Box(log, "panel", &window, Rect{0, 0, 200, 150});
    auto* figure = new Figure(log, "fig", panel, Rect{10, 10, 60, 60});
    TestDriver driver(window);

    std::vector<int> steps;
    panel->SetOnMouseWheelDown([&](Object*, ShiftState, Point at, bool& handled) {
        steps.push_back(-1);
        EXPECT_EQ(at, (Point{120, 70})) << "wheel points are on the screen";
        handled = true;
    });
    EXPECT_TRUE(driver.Wheel(Point{20, 20}, -1));
    EXPECT_EQ(steps, (std::vector<int>{-1})) << "the figure had no handler: its parent took it";

    figure->SetOnMouseWheel([&](Object*, ShiftState, int delta, Point, bool& handled) {
        steps.push_back(delta);
        handled = delta > 0;
    });
    steps.clear();
    EXPECT_TRUE(driver.Wheel(Point{20, 20}, 2));
    EXPECT_EQ(steps, (std::vector<int>{240}));
    steps.clear();
    EXPECT_TRUE(driver.Wheel(Point{20, 20}, -1));
    EXPECT_EQ(steps, (std::vector<int>{-120, -1}));
    EXPECT_FALSE(driver.Wheel(Point{250, 170}, 1)) << "over the bare window nobody takes it";
}

TEST(InputRouter, KeysGoToTheFocusedControlAndAZeroKeyIsConsumed)
{
    Log log;
    Window window;
    auto* box = new Box(log, "box", &window, Rect{0, 0, 100, 100});
    TestDriver driver(window);
    box->SetFocus();
    log.clear();

    driver.PressKey('A');
    EXPECT_EQ(log, (Log{"box.KeyDown(65)", "box.KeyPress(97)", "box.KeyUp(65)"}));

    // Capitals come with Shift and their own character.
    log.clear();
    driver.Type("Hi");
    EXPECT_EQ(log, (Log{"box.KeyDown(72)", "box.KeyPress(72)", "box.KeyUp(72)", "box.KeyDown(73)",
                        "box.KeyPress(105)", "box.KeyUp(73)"}));

    // Set to 0 in KeyDown, the key is consumed: no KeyPress, the release still comes.
    box->consumeKey = 'B';
    log.clear();
    driver.PressKey('B');
    EXPECT_EQ(log, (Log{"box.KeyDown(66)", "box.KeyUp(66)"}));

    // Alt turns letters into mnemonics: no character; Ctrl makes control characters.
    log.clear();
    driver.PressKey('C', ShiftFlag::Alt);
    driver.PressKey('C', ShiftFlag::Ctrl);
    EXPECT_EQ(log, (Log{"box.KeyDown(67)", "box.KeyUp(67)", "box.KeyDown(67)", "box.KeyPress(3)", "box.KeyUp(67)"}));
}

TEST(InputRouter, DialogKeysMoveTheFocusOrReachTheForm)
{
    Log log;
    Form form;
    form.SetBounds(100, 50, 400, 300);
    auto* first = new Box(log, "first", &form, Rect{0, 0, 50, 20});
    auto* panel = new Box(log, "panel", &form, Rect{0, 30, 200, 100}, false);
    auto* inner = new Box(log, "inner", panel, Rect{0, 0, 50, 20});
    auto* skipped = new Box(log, "skipped", &form, Rect{0, 140, 50, 20}, false);
    auto* hidden = new Box(log, "hidden", &form, Rect{0, 170, 50, 20});
    auto* last = new Box(log, "last", &form, Rect{0, 200, 50, 20});
    auto* okButton = new Box(log, "ok", &form, Rect{100, 250, 150, 270}, false);
    hidden->Hide();
    form.Show();
    TestDriver driver(form);
    first->SetFocus();

    // Tab walks the tab order depth first, over tab stops that can take the focus, and wraps;
    // Shift+Tab walks back. The focused control never sees the Tab.
    std::vector<Control*> visited;
    for (int i = 0; i < 3; ++i) {
        driver.PressKey(VK_TAB);
        visited.push_back(FocusedControl());
    }
    driver.PressKey(VK_TAB, ShiftFlag::Shift);
    visited.push_back(FocusedControl());
    EXPECT_EQ(visited, (std::vector<Control*>{inner, last, first, last}));
    EXPECT_EQ(form.ActiveControl(), last);
    for (const std::string& entry : log) {
        EXPECT_EQ(entry.find("KeyDown(9)"), std::string::npos) << entry;
    }

    // A control that keeps Tab gets it as an ordinary key.
    last->dialogCode = DLGC_WANTTAB;
    log.clear();
    driver.PressKey(VK_TAB);
    EXPECT_EQ(FocusedControl(), last);
    EXPECT_EQ(log, (Log{"last.KeyDown(9)", "last.KeyPress(9)", "last.KeyUp(9)"}));

    // Enter clicks the default button; without one the control gets it.
    form.SetDefaultButton(okButton);
    log.clear();
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(log, (Log{"ok.Click", "last.KeyUp(13)"}));
    form.SetDefaultButton(nullptr);
    log.clear();
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(log, (Log{"first.DialogKey(13)", "panel.DialogKey(13)", "inner.DialogKey(13)", "skipped.DialogKey(13)",
                        "hidden.DialogKey(13)", "last.DialogKey(13)", "ok.DialogKey(13)", "last.KeyDown(13)",
                        "last.KeyPress(13)", "last.KeyUp(13)"}))
        << "an unused dialog key goes round the form's controls, then to the focused one";

    // Ctrl+Tab reaches the controls as a dialog key, until one takes it.
    int seen = 0;
    last->dialogCode = 0;
    log.clear();
    driver.PressKey(VK_TAB, ShiftFlag::Ctrl);
    for (const std::string& entry : log) {
        seen += entry.find("DialogKey(9)") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(seen, 7) << "every windowed control of the form was offered Ctrl+Tab";
    EXPECT_EQ(FocusedControl(), last);

    // Arrows move among the focused control's siblings unless the control keeps them.
    inner->SetFocus();
    auto* innerTwo = new Box(log, "innerTwo", panel, Rect{0, 30, 50, 50}, false);
    driver.PressKey(VK_DOWN);
    EXPECT_EQ(FocusedControl(), innerTwo) << "the arrows stay among the siblings, tab stops or not";
    inner->SetFocus();
    inner->dialogCode = DLGC_WANTARROWS;
    log.clear();
    driver.PressKey(VK_DOWN);
    EXPECT_EQ(FocusedControl(), inner);
    EXPECT_EQ(log, (Log{"inner.KeyDown(40)", "inner.KeyUp(40)"}));
    (void)skipped;
}

TEST(InputRouter, FocusMovesSendExitAndEnterAlongTheParentChainsOfOneWindow)
{
    Log log;
    Window window;
    auto* left = new Box(log, "left", &window, Rect{0, 0, 100, 100}, false);
    auto* a = new Box(log, "a", left, Rect{0, 0, 50, 20});
    auto* right = new Box(log, "right", &window, Rect{100, 0, 200, 100}, false);
    auto* b = new Box(log, "b", right, Rect{0, 0, 50, 20});
    TestDriver driver(window);

    a->SetFocus();
    EXPECT_EQ(log, (Log{"left.DoEnter", "a.DoEnter", "a.SetFocus"}));
    EXPECT_TRUE(a->Focused());

    log.clear();
    b->SetFocus();
    EXPECT_EQ(log, (Log{"a.KillFocus", "a.DoExit", "left.DoExit", "right.DoEnter", "b.DoEnter", "b.SetFocus"}));
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(a->Focused());

    // Focusing the parent of the focused control only leaves the child.
    log.clear();
    right->SetFocus();
    EXPECT_EQ(log, (Log{"b.KillFocus", "b.DoExit", "right.SetFocus"}));

    // A hidden or disabled control cannot take the focus.
    log.clear();
    a->SetEnabled(false);
    a->SetFocus();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(right->Focused());

    // An exit handler that moves the focus again wins over the move that ran it.
    a->SetEnabled(true);
    b->SetFocus();
    b->SetOnExit([&](Object*) { b->SetFocus(); });
    log.clear();
    a->SetFocus();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(log, (Log{"b.KillFocus", "b.DoExit", "a.KillFocus", "b.DoEnter", "b.SetFocus"}))
        << "the abandoned move to a went no further";
}

TEST(InputRouter, ActivatingAnotherWindowMovesTheKeyboardButNotEnterAndExit)
{
    Log log;
    Form one;
    Form two;
    one.SetBounds(0, 0, 200, 200);
    two.SetBounds(300, 0, 200, 200);
    auto* a = new Box(log, "a", &one, Rect{0, 0, 50, 20});
    auto* b = new Box(log, "b", &two, Rect{0, 0, 50, 20});
    one.Show();
    two.Show();
    TestDriver driver(one);
    a->SetFocus();
    EXPECT_TRUE(a->Focused());

    // Focusing a control of an inactive window only marks it for when that window is active.
    log.clear();
    b->SetFocus();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(driver.Router().FocusedControlOf(two), b);

    driver.Router().ActivateSurface(&two);
    EXPECT_EQ(log, (Log{"a.KillFocus", "b.DoEnter", "b.SetFocus"})) << "b's window had never been entered";
    log.clear();
    driver.Router().ActivateSurface(&one);
    driver.Router().ActivateSurface(&two);
    EXPECT_EQ(log, (Log{"b.KillFocus", "a.SetFocus", "a.KillFocus", "b.SetFocus"}));
    EXPECT_TRUE(b->Focused());

    // Keys follow the active window.
    log.clear();
    driver.PressKey('Q');
    EXPECT_EQ(log.front(), "b.KeyDown(81)");

    // While another program has the keyboard nothing is focused and keys go nowhere; the
    // screen keeps its active form.
    log.clear();
    driver.Router().ActivateSurface(nullptr);
    driver.PressKey('Q');
    EXPECT_EQ(log, (Log{"b.KillFocus"}));
    EXPECT_FALSE(b->Focused());
    EXPECT_EQ(GetScreen().ActiveForm(), &two);
    log.clear();
    driver.Router().ActivateSurface(&two);
    EXPECT_EQ(log, (Log{"b.SetFocus"}));
}

TEST(InputRouter, HintsShowAfterThePauseOnTheVirtualClock)
{
    Log log;
    Window window;
    GetScreen().SetSize(1024, 768);
    auto* a = new Box(log, "a", &window, Rect{0, 0, 100, 100});
    auto* b = new Box(log, "b", &window, Rect{100, 0, 200, 100});
    auto* quiet = new Figure(log, "quiet", &window, Rect{200, 0, 250, 100});
    a->SetHint("Short|Long text");
    a->SetShowHint(true);
    b->SetHint("Second");
    b->SetShowHint(true);
    quiet->SetHint("Never shown");
    TestDriver driver(window);
    HintWindow& hint = driver.Router().GetHintWindow();

    driver.MoveTo(10, 20);
    driver.Advance(499);
    EXPECT_FALSE(hint.Active());
    driver.Advance(1);
    ASSERT_TRUE(hint.Active());
    EXPECT_EQ(hint.Text(), "Short");
    // Below the pointer (screen 110, 70): five 6-pixel characters and one 13-pixel line of
    // the test metrics, plus the border and margins.
    EXPECT_EQ(hint.BoundsRect(), (Rect{110, 70 + HintCursorMargin, 110 + 36, 70 + HintCursorMargin + 17}));
    EXPECT_EQ(hint.BackingStore().Pixel(0, 0), ColorToRGB(clWindowFrame)) << "the hint was painted";

    // Moving on to another hinted control while one shows: the short pause.
    driver.MoveTo(150, 20);
    EXPECT_FALSE(hint.Active());
    driver.Advance(HintShortPause);
    ASSERT_TRUE(hint.Active());
    EXPECT_EQ(hint.Text(), "Second");

    // A press hides it and keeps it away while the pointer stays on the control.
    driver.Click(150, 20);
    EXPECT_FALSE(hint.Active());
    driver.MoveTo(160, 30);
    driver.Advance(3000);
    EXPECT_FALSE(hint.Active());

    // A control without ShowHint has none; leaving a control hides its hint; a hint goes
    // after the hide pause.
    driver.MoveTo(220, 20);
    driver.Advance(1000);
    EXPECT_FALSE(hint.Active());
    driver.MoveTo(10, 20);
    driver.Advance(500);
    EXPECT_TRUE(hint.Active());
    driver.Leave();
    EXPECT_FALSE(hint.Active());
    driver.MoveTo(10, 20);
    driver.Advance(500);
    EXPECT_TRUE(hint.Active());
    driver.Advance(App().HintHidePause());
    EXPECT_FALSE(hint.Active());

    // Near the screen's edge the hint moves back onto it.
    driver.Leave();
    window.SetBounds(1000, 750, 24, 18);
    a->SetBounds(0, 0, 24, 18);
    driver.MoveTo(20, 10);
    driver.Advance(500);
    ASSERT_TRUE(hint.Active());
    EXPECT_EQ(hint.BoundsRect().Right, 1024);
    EXPECT_EQ(hint.BoundsRect().Bottom, 768);
}

TEST(InputRouter, TheCursorComesFromTheScreenTheCaptureOrTheControlUnderThePointer)
{
    Log log;
    Window window;
    auto* a = new Box(log, "a", &window, Rect{0, 0, 100, 100});
    auto* b = new Box(log, "b", &window, Rect{100, 0, 200, 100});
    a->SetCursor(crHSplit);
    TestDriver driver(window);
    std::vector<Cursor> shown;
    driver.Router().SetCursorHandler([&](Cursor cursor) { shown.push_back(cursor); });

    driver.MoveTo(10, 10);
    driver.Press(10, 10);
    driver.MoveTo(150, 10);
    EXPECT_EQ(driver.Router().EffectiveCursor(), crHSplit) << "the capture keeps its cursor";
    driver.Release(150, 10);
    {
        ScopedCursor busy;
        driver.Router().UpdateCursor();
        EXPECT_EQ(driver.Router().EffectiveCursor(), crHourGlass);
    }
    driver.Router().UpdateCursor();
    EXPECT_EQ(shown, (std::vector<Cursor>{crHSplit, crDefault, crHourGlass, crDefault}));
    (void)b;
}

TEST(InputRouter, ShortAndLongHints)
{
    EXPECT_EQ(GetShortHint("Open|Opens a pattern"), "Open");
    EXPECT_EQ(GetLongHint("Open|Opens a pattern"), "Opens a pattern");
    EXPECT_EQ(GetShortHint("Plain"), "Plain");
    EXPECT_EQ(GetLongHint("Plain"), "Plain");
    EXPECT_EQ(GetShortHint("|Only long"), "");
}
