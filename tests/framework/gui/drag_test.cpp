#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/drag.h"
#include "framework/gui/input.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

std::string StateName(DragState state)
{
    switch (state) {
    case DragState::Enter: return "Enter";
    case DragState::Leave: return "Leave";
    default: return "Move";
    }
}

std::string NameOf(const Object* object)
{
    if (object == nullptr) {
        return "none";
    }
    if (const auto* component = dynamic_cast<const Component*>(object)) {
        return component->Name();
    }
    return std::string(object->className());
}

// A control that logs its clicks and everything a drag tells it, and accepts drops as told.
class Spot : public CustomControl {
public:
    Spot(Log& log, const std::string& name, WinControl* parent, Rect bounds) : CustomControl(parent), log_(log)
    {
        SetName(name);
        SetParent(parent);
        SetBoundsRect(bounds);
    }

    bool accepts = false;
    // Starts a drag from its own press (the way the tree does).
    bool dragsOnPress = false;
    bool immediate = false;
    DragObject* supply = nullptr;

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override
    {
        Record("Down");
        if (dragsOnPress) {
            BeginDrag(immediate);
        }
        CustomControl::MouseDown(button, shift, x, y);
    }
    void MouseMove(ShiftState shift, int x, int y) override
    {
        Record("Move");
        CustomControl::MouseMove(shift, x, y);
    }
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override
    {
        Record("Up");
        CustomControl::MouseUp(button, shift, x, y);
    }
    void Click() override
    {
        Record("Click");
        CustomControl::Click();
    }
    void KeyDown(int& key, ShiftState shift) override
    {
        Record("KeyDown(" + std::to_string(key) + ")");
        CustomControl::KeyDown(key, shift);
    }
    void DoStartDrag(DragObject*& dragObject) override
    {
        Record("StartDrag");
        dragObject = supply;
    }
    void DragOver(Object* source, int x, int y, DragState state, bool& accept) override
    {
        Record("DragOver(" + StateName(state) + "," + NameOf(source) + "," + std::to_string(x) + ","
               + std::to_string(y) + ")");
        accept = accepts;
    }
    void DragDrop(Object* source, int x, int y) override
    {
        Record("DragDrop(" + NameOf(source) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
    }
    void DoEndDrag(Object* target, int x, int y) override
    {
        Record("EndDrag(" + NameOf(target) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
        CustomControl::DoEndDrag(target, x, y);
    }

private:
    void Record(const std::string& what) { log_.push_back(Name() + "." + what); }

    Log& log_;
};

// A drag object of the source's own, which keeps what it was told.
class Parcel : public DragObject {
public:
    std::string_view className() const override { return "Parcel"; }

    Cursor GetDragCursor(bool accepts, int /*x*/, int /*y*/) override { return accepts ? crMultiDrag : crNo; }
    void EndDrag(Object* target, int x, int y) override
    {
        ended = NameOf(target) + "," + std::to_string(x) + "," + std::to_string(y);
    }
    void Finished(Object* /*target*/, int /*x*/, int /*y*/, bool wasAccepted) override { accepted = wasAccepted; }

    std::string ended;
    bool accepted = false;
};

class Scene {
public:
    Scene() : driver(window)
    {
        window.SetBounds(100, 50, 300, 200);
        source->dragsOnPress = true;
        target->accepts = true;
    }

    Log log;
    WinControl window;
    Spot* source = new Spot(log, "source", &window, Rect{0, 0, 100, 100});
    Spot* target = new Spot(log, "target", &window, Rect{150, 0, 250, 100});
    TestDriver driver;
};

} // namespace

TEST(Drag, OverDropAndEndInPlatformOrder)
{
    Scene scene;
    Log& log = scene.log;
    TestDriver& driver = scene.driver;
    driver.MoveTo(10, 10);
    log.clear();

    // The press becomes the drag's: the source clicks at once and starts the drag.
    driver.Press(10, 10);
    EXPECT_EQ(log, (Log{"source.Down", "source.Click", "source.Up", "source.StartDrag"}));
    EXPECT_TRUE(scene.source->Dragging());
    ASSERT_NE(CurrentDragObject(), nullptr);
    EXPECT_EQ(CurrentDragObject()->className(), "TDragControlObject");

    // Below the threshold nothing moves, not even the source's MouseMove.
    log.clear();
    driver.MoveTo(14, 14);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(driver.Router().EffectiveCursor(), crDefault);

    driver.MoveTo(15, 14);
    EXPECT_EQ(log, (Log{"source.DragOver(Enter,source,15,14)", "source.DragOver(Move,source,15,14)"}));
    EXPECT_EQ(driver.Router().EffectiveCursor(), crNoDrop);

    log.clear();
    scene.source->SetDragCursor(crMultiDrag);
    driver.MoveTo(160, 20);
    driver.MoveTo(170, 30);
    EXPECT_EQ(log, (Log{"source.DragOver(Leave,source,160,20)", "target.DragOver(Enter,source,10,20)",
                        "target.DragOver(Move,source,10,20)", "target.DragOver(Move,source,20,30)"}));
    EXPECT_EQ(driver.Router().EffectiveCursor(), crMultiDrag) << "the source's drag cursor where accepted";

    log.clear();
    driver.Release(170, 30);
    EXPECT_EQ(log, (Log{"target.DragOver(Leave,source,20,30)", "target.DragDrop(source,20,30)",
                        "source.EndDrag(target,20,30)"}));
    EXPECT_FALSE(scene.source->Dragging());
    EXPECT_EQ(CurrentDragObject(), nullptr);
    EXPECT_EQ(driver.Router().EffectiveCursor(), crDefault);

    // The next press is an ordinary one again, and so is its release.
    scene.source->dragsOnPress = false;
    log.clear();
    driver.Click(170, 30);
    EXPECT_EQ(log, (Log{"target.Down", "target.Click", "target.Up"}));
}

TEST(Drag, RefusedCancelledAndUnmovedDragsDropNothing)
{
    Scene scene;
    Log& log = scene.log;
    TestDriver& driver = scene.driver;
    scene.target->SetFocus();

    // Refused where it is released: the source hears of no target.
    scene.target->accepts = false;
    driver.Press(10, 10);
    driver.MoveTo(170, 30);
    log.clear();
    driver.Release(170, 30);
    EXPECT_EQ(log, (Log{"target.DragOver(Leave,source,20,30)", "source.EndDrag(none,0,0)"}));

    // Esc cancels even over a control that accepts; the key goes nowhere else.
    scene.target->accepts = true;
    driver.Press(10, 10);
    driver.MoveTo(170, 30);
    log.clear();
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(log, (Log{"target.DragOver(Leave,source,20,30)", "source.EndDrag(none,0,0)"}));
    EXPECT_FALSE(scene.source->Dragging());
    log.clear();
    driver.Release(170, 30);
    EXPECT_EQ(log, (Log{"target.Up"})) << "after the drag the release is an ordinary one";

    // Released before the threshold: started and ended, never over anything.
    log.clear();
    driver.Press(10, 10);
    driver.MoveTo(13, 12);
    driver.Release(13, 12);
    EXPECT_EQ(log, (Log{"source.Move", "source.Down", "source.Click", "source.Up", "source.StartDrag",
                        "source.EndDrag(none,0,0)"}));

    // A drag whose source goes away ends at the next move.
    driver.Press(10, 10);
    delete scene.source;
    log.clear();
    driver.MoveTo(170, 30);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(CurrentDragObject(), nullptr);
}

TEST(Drag, ASuppliedDragObjectIsTheSourceTheTargetsSee)
{
    Scene scene;
    Log& log = scene.log;
    TestDriver& driver = scene.driver;
    Parcel parcel;
    scene.source->supply = &parcel;
    scene.source->immediate = true;

    // An immediate drag is over the source at once.
    driver.Press(10, 10);
    EXPECT_EQ(log, (Log{"source.Move", "source.Down", "source.Click", "source.Up", "source.StartDrag",
                        "source.DragOver(Enter,Parcel,10,10)", "source.DragOver(Move,Parcel,10,10)"}));
    EXPECT_EQ(CurrentDragObject(), &parcel);
    EXPECT_EQ(driver.Router().EffectiveCursor(), crNo);
    driver.MoveTo(200, 50);
    EXPECT_EQ(driver.Router().EffectiveCursor(), crMultiDrag);
    EXPECT_EQ(parcel.DragTarget(), scene.target);
    EXPECT_EQ(parcel.DragTargetPos(), (Point{50, 50}));
    log.clear();
    driver.Release(200, 50);
    EXPECT_EQ(log, (Log{"target.DragOver(Leave,Parcel,50,50)", "target.DragDrop(Parcel,50,50)"}))
        << "the source's own drag object tells the end itself";
    EXPECT_EQ(parcel.ended, "target,50,50");
    EXPECT_TRUE(parcel.accepted);
}

TEST(Drag, AnAutomaticDragStartsWithoutThePress)
{
    Scene scene;
    Log& log = scene.log;
    scene.source->dragsOnPress = false;
    scene.source->SetDragMode(DragMode::Automatic);
    scene.driver.MoveTo(10, 10);
    log.clear();

    scene.driver.Press(10, 10);
    EXPECT_EQ(log, (Log{"source.StartDrag", "source.DragOver(Enter,source,10,10)", "source.DragOver(Move,source,10,10)"}));
    log.clear();
    scene.driver.Release(180, 10);
    EXPECT_EQ(log, (Log{"source.DragOver(Leave,source,180,10)", "target.DragOver(Enter,source,30,10)",
                        "target.DragOver(Move,source,30,10)", "target.DragOver(Leave,source,30,10)",
                        "target.DragDrop(source,30,10)", "source.EndDrag(target,30,10)"}));
}

TEST(Drag, ADragStartedForTheParentOfThePressedControlTakesTheMouseFromIt)
{
    Scene scene;
    Log& log = scene.log;
    scene.source->dragsOnPress = false;
    auto* inner = new Spot(log, "inner", scene.source, Rect{0, 0, 50, 50});
    inner->SetOnMouseDown([&](Object*, MouseButton, ShiftState, int, int) { scene.source->BeginDrag(false); });
    scene.driver.MoveTo(10, 10);
    log.clear();

    scene.driver.Press(10, 10);
    EXPECT_EQ(log, (Log{"inner.Down", "source.StartDrag"})) << "the press was not the source's to end";
    EXPECT_EQ(CaptureControl(), nullptr);
    scene.driver.Release(170, 30);
    log.clear();
    scene.driver.MoveTo(180, 30);
    EXPECT_EQ(log, (Log{"target.Move"})) << "no capture is left behind on the pressed control";
}
