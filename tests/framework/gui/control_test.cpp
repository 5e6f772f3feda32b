#include "framework/gui/control.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/paint_backend.h"

namespace {

using fw::Rect;

// Fills its client area with Fill on every paint.
class Box : public fw::CustomControl {
public:
    using CustomControl::CustomControl;
    fw::Color Fill = fw::clRed;

protected:
    void Paint() override
    {
        Canvas().Brush().Color = Fill;
        Canvas().FillRect(ClientRect());
    }
};

// A container whose border of 5 pixels aligned children must leave free.
class Framed : public fw::WinControl {
public:
    using WinControl::WinControl;

    void AdjustClientRect(Rect& rect) override
    {
        rect.Left += 5;
        rect.Top += 5;
        rect.Right -= 5;
        rect.Bottom -= 5;
    }
};

// Writes its caption in its font with a clear background: what shows around the glyphs
// is the parent's.
class TextLabel : public fw::GraphicControl {
public:
    using GraphicControl::GraphicControl;

protected:
    void Paint() override
    {
        Canvas().Brush().Style = fw::BrushStyle::Clear;
        Canvas().TextOut(0, 0, Caption());
    }
};

// Records the messages and events the tests look at.
class Recorder : public Box {
public:
    explicit Recorder(std::vector<std::string>& log) : log_(log)
    {
        SetOnClick([this](fw::Object*) { log_.push_back("click"); });
        SetOnDblClick([this](fw::Object*) { log_.push_back("dbl"); });
        SetOnMouseDown([this](fw::Object*, fw::MouseButton, fw::ShiftState shift, int x, int y) {
            log_.push_back(std::string(shift.Contains(fw::ShiftFlag::Double) ? "down2 " : "down ")
                           + std::to_string(x) + "," + std::to_string(y));
        });
        SetOnMouseUp([this](fw::Object*, fw::MouseButton, fw::ShiftState, int, int) { log_.push_back("up"); });
    }

    void Dispatch(fw::Message& message) override
    {
        switch (message.Msg) {
        case fw::CM_FONTCHANGED:
            log_.push_back("font");
            break;
        case fw::CM_COLORCHANGED:
            log_.push_back("colour");
            break;
        case fw::CM_CONTROLLISTCHANGING:
            log_.push_back((message.LParam != 0 ? "joining " : "leaving ") + std::to_string(ControlCount()));
            break;
        case fw::CM_CONTROLLISTCHANGE:
            log_.push_back("changed " + std::to_string(ControlCount()));
            break;
        default:
            break;
        }
        Box::Dispatch(message);
    }

private:
    std::vector<std::string>& log_;
};

// Notes the order in which controls are destroyed.
class Mortal : public fw::Control {
public:
    Mortal(std::vector<std::string>& log, std::string name, fw::Component* owner = nullptr)
        : Control(owner), log_(log), name_(std::move(name))
    {
    }
    ~Mortal() override { log_.push_back(name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class CountingPeer : public fw::ControlPeer {
public:
    explicit CountingPeer(int& updates) : updates_(updates) {}
    void UpdateRequested(const Rect&) override { ++updates_; }

private:
    int& updates_;
};

Rect BoundsOf(const fw::Control* control)
{
    return control->BoundsRect();
}

class ControlTest : public testing::Test {
protected:
    void SetUp() override { fw::PaintPendingControls(); }
    void TearDown() override { fw::ClearPostedMessages(); }
};

TEST_F(ControlTest, AlignedChildrenFillTheAdjustedClientRectTopBottomLeftRightClient)
{
    Framed parent;
    parent.SetBounds(0, 0, 200, 100);
    auto make = [&parent](fw::Align align, int width, int height) {
        auto* child = new fw::Control(&parent);
        child->SetBounds(0, 0, width, height);
        child->SetParent(&parent);
        child->SetAlign(align);
        return child;
    };
    // Created in an order unlike the layout order, which goes by alignment.
    fw::Control* client = make(fw::Align::Client, 1, 1);
    fw::Control* left = make(fw::Align::Left, 30, 1);
    fw::Control* top1 = make(fw::Align::Top, 1, 10);
    fw::Control* right = make(fw::Align::Right, 40, 1);
    fw::Control* bottom = make(fw::Align::Bottom, 1, 20);
    fw::Control* top2 = make(fw::Align::Top, 1, 15);

    EXPECT_EQ(BoundsOf(top1), (Rect{5, 5, 195, 15}));
    EXPECT_EQ(BoundsOf(top2), (Rect{5, 15, 195, 30}));
    EXPECT_EQ(BoundsOf(bottom), (Rect{5, 75, 195, 95}));
    EXPECT_EQ(BoundsOf(left), (Rect{5, 30, 35, 75}));
    EXPECT_EQ(BoundsOf(right), (Rect{155, 30, 195, 75}));
    EXPECT_EQ(BoundsOf(client), (Rect{35, 30, 155, 75}));

    parent.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(BoundsOf(top2), (Rect{5, 15, 295, 30}));
    EXPECT_EQ(BoundsOf(bottom), (Rect{5, 175, 295, 195}));
    EXPECT_EQ(BoundsOf(right), (Rect{255, 30, 295, 175}));
    EXPECT_EQ(BoundsOf(client), (Rect{35, 30, 255, 175}));

    // A hidden aligned control gives its room up; a resized one takes what it needs.
    top1->Hide();
    EXPECT_EQ(BoundsOf(top2), (Rect{5, 5, 295, 20}));
    top2->SetHeight(25);
    EXPECT_EQ(BoundsOf(top2), (Rect{5, 5, 295, 30}));
    EXPECT_EQ(BoundsOf(left), (Rect{5, 30, 35, 175}));
    // Constraints hold inside the layout as well.
    client->SetConstraints(fw::SizeConstraints{0, 0, 100, 0});
    EXPECT_EQ(BoundsOf(client), (Rect{35, 30, 135, 175}));
}

TEST_F(ControlTest, AControlMovedBetweenASideEdgeAndTheTopKeepsItsThickness)
{
    Framed parent;
    parent.SetBounds(0, 0, 200, 100);
    auto* bar = new fw::Control(&parent);
    bar->SetParent(&parent);
    bar->SetBounds(0, 0, 3, 10);
    bar->SetAlign(fw::Align::Left);
    EXPECT_EQ(BoundsOf(bar), (Rect{5, 5, 8, 95}));
    // Not as tall as the side it left, but as thin as it was there, and back again.
    bar->SetAlign(fw::Align::Top);
    EXPECT_EQ(BoundsOf(bar), (Rect{5, 5, 195, 8}));
    bar->SetAlign(fw::Align::Right);
    EXPECT_EQ(BoundsOf(bar), (Rect{192, 5, 195, 95}));
    // Along the same direction, or from the client area, nothing turns.
    bar->SetAlign(fw::Align::Left);
    EXPECT_EQ(BoundsOf(bar), (Rect{5, 5, 8, 95}));
    bar->SetAlign(fw::Align::None);
    bar->SetBounds(20, 20, 40, 10);
    bar->SetAlign(fw::Align::Bottom);
    EXPECT_EQ(BoundsOf(bar), (Rect{5, 85, 195, 95}));
}

TEST_F(ControlTest, AnchorsFollowTheParentsSizeWithoutDrift)
{
    fw::WinControl parent;
    parent.SetBounds(0, 0, 200, 100);
    auto make = [&parent](Rect bounds, fw::Anchors anchors) {
        auto* child = new fw::Control(&parent);
        child->SetParent(&parent);
        child->SetBoundsRect(bounds);
        child->SetAnchors(anchors);
        return child;
    };
    using K = fw::AnchorKind;
    fw::Control* corner = make(Rect{150, 60, 190, 90}, {K::Right, K::Bottom});
    fw::Control* stretched = make(Rect{10, 40, 110, 50}, {K::Left, K::Top, K::Right});
    fw::Control* floating = make(Rect{90, 45, 110, 55}, {});
    fw::Control* pinned = make(Rect{10, 10, 20, 20}, {K::Left, K::Top});

    parent.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(BoundsOf(corner), (Rect{250, 160, 290, 190}));
    EXPECT_EQ(BoundsOf(stretched), (Rect{10, 40, 210, 50}));
    EXPECT_EQ(BoundsOf(floating), (Rect{140, 95, 160, 105}));
    EXPECT_EQ(BoundsOf(pinned), (Rect{10, 10, 20, 20}));

    parent.SetBounds(0, 0, 201, 101);
    parent.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(BoundsOf(corner), (Rect{150, 60, 190, 90}));
    EXPECT_EQ(BoundsOf(stretched), (Rect{10, 40, 110, 50}));
    EXPECT_EQ(BoundsOf(floating), (Rect{90, 45, 110, 55}));

    // Moved by hand, the control is held where it now is.
    corner->SetLeft(100);
    parent.SetBounds(0, 0, 250, 100);
    EXPECT_EQ(BoundsOf(corner), (Rect{150, 60, 190, 90}));
}

TEST_F(ControlTest, NestedUpdateBracketsPaintOnce)
{
    Box box;
    box.SetBounds(0, 0, 20, 20);
    fw::PaintPendingControls();
    ASSERT_EQ(box.PaintCount(), 1);

    box.BeginUpdate();
    box.Invalidate();
    box.BeginUpdate();
    box.Repaint();
    box.EndUpdate();
    fw::PaintPendingControls();
    EXPECT_EQ(box.PaintCount(), 1);
    box.EndUpdate();
    EXPECT_EQ(box.PaintCount(), 2);
    EXPECT_TRUE(box.InvalidRegion().IsEmpty());

    // Nothing invalidated inside the brackets: nothing to paint.
    box.BeginUpdate();
    box.EndUpdate();
    EXPECT_EQ(box.PaintCount(), 2);

    // A parent's brackets hold its children back too, and release them together.
    fw::WinControl parent;
    parent.SetBounds(0, 0, 50, 50);
    auto* child = new Box(&parent);
    child->SetParent(&parent);
    child->SetBounds(0, 0, 10, 10);
    fw::PaintPendingControls();
    const int parentPaints = parent.PaintCount();
    parent.BeginUpdate();
    child->Repaint();
    child->Repaint();
    EXPECT_EQ(child->PaintCount(), 1);
    parent.EndUpdate();
    EXPECT_EQ(child->PaintCount(), 2);
    EXPECT_EQ(parent.PaintCount(), parentPaints);
}

TEST_F(ControlTest, InvalidatedRectanglesCoalesceIntoOnePaintOfJustThatArea)
{
    Box box;
    box.SetBounds(0, 0, 40, 40);
    fw::PaintPendingControls();
    box.Fill = fw::clBlue;
    box.InvalidateRect(Rect{0, 0, 10, 10});
    box.InvalidateRect(Rect{30, 30, 50, 50}); // sticks out: cut to the client area
    box.InvalidateRect(Rect{5, 5, 15, 15});
    EXPECT_TRUE(fw::HasPendingPaints());
    EXPECT_EQ(box.InvalidRegion().Area(), 100 + 100 + 100 - 25);

    EXPECT_EQ(fw::PaintPendingControls(), 1);
    EXPECT_EQ(box.PaintCount(), 2);
    EXPECT_FALSE(fw::HasPendingPaints());
    const fw::Bitmap& store = box.BackingStore();
    EXPECT_EQ(store.Pixel(0, 0), fw::clBlue);
    EXPECT_EQ(store.Pixel(14, 14), fw::clBlue);
    EXPECT_EQ(store.Pixel(39, 39), fw::clBlue);
    EXPECT_EQ(store.Pixel(15, 15), fw::clRed);
    EXPECT_EQ(store.Pixel(12, 2), fw::clRed);

    // Hidden controls wait for painting until they show.
    box.Hide();
    box.Invalidate();
    EXPECT_EQ(fw::PaintPendingControls(), 0);
    box.Show();
    EXPECT_EQ(fw::PaintPendingControls(), 1);
}

TEST_F(ControlTest, DrawingOutsidePaintPersistsUntilThatAreaIsPainted)
{
    Box box;
    box.SetBounds(0, 0, 40, 40);
    int updates = 0;
    box.SetPeer(std::make_unique<CountingPeer>(updates));
    fw::PaintPendingControls();

    const int before = updates;
    fw::Canvas& canvas = box.Canvas();
    EXPECT_GT(updates, before); // the peer is told to show the store again
    canvas.Brush().Color = fw::clLime;
    canvas.FillRect(Rect{0, 0, 10, 10});
    EXPECT_EQ(fw::RenderToBitmap(box).Pixel(5, 5), fw::clLime);

    box.InvalidateRect(Rect{20, 20, 30, 30});
    fw::PaintPendingControls();
    EXPECT_EQ(box.BackingStore().Pixel(5, 5), fw::clLime);

    box.Repaint();
    EXPECT_EQ(box.BackingStore().Pixel(5, 5), fw::clRed);
}

TEST_F(ControlTest, ColourFontAndShowHintComeFromTheParentUntilSetOwn)
{
    std::vector<std::string> log;
    fw::WinControl parent;
    parent.SetColor(fw::clYellow);
    auto* child = new Recorder(log);
    auto* own = new Box;
    own->SetColor(fw::clBlue);
    child->SetParent(&parent);
    own->SetParent(&parent);
    auto* grandchild = new Box;
    grandchild->SetParent(child);
    EXPECT_EQ(child->Color(), fw::clYellow);
    EXPECT_EQ(grandchild->Color(), fw::clYellow);

    parent.SetColor(fw::clLime);
    EXPECT_EQ(child->Color(), fw::clLime);
    EXPECT_EQ(grandchild->Color(), fw::clLime);
    EXPECT_EQ(own->Color(), fw::clBlue);
    EXPECT_FALSE(own->ParentColor());

    fw::Font bold;
    bold.Style.Bold = true;
    log.clear();
    parent.SetFont(bold);
    EXPECT_EQ(log, (std::vector<std::string>{"font"}));
    EXPECT_TRUE(grandchild->Font().Style.Bold);
    EXPECT_TRUE(child->Canvas().Font().Style.Bold);

    fw::Font big;
    big.SetSize(20);
    child->SetFont(big);
    EXPECT_FALSE(child->ParentFont());
    EXPECT_EQ(grandchild->Font(), big);
    parent.SetFont(fw::Font{});
    EXPECT_EQ(child->Font(), big);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font(), fw::Font{});
    EXPECT_EQ(grandchild->Font(), fw::Font{});

    parent.SetShowHint(true);
    EXPECT_TRUE(grandchild->ShowHint());
    own->SetShowHint(false);
    parent.SetShowHint(false);
    parent.SetShowHint(true);
    EXPECT_FALSE(own->ShowHint());
    EXPECT_TRUE(child->ShowHint());
}

TEST_F(ControlTest, RenderToBitmapShowsVisibleChildrenAtTheirOffsets)
{
    fw::FakePaintBackend backend;
    fw::WinControl parent;
    parent.SetPaintBackend(&backend);
    parent.SetColor(fw::clSilver);
    parent.SetBounds(0, 0, 60, 40);

    auto* label = new TextLabel(&parent);
    label->SetParent(&parent);
    label->SetBounds(10, 10, 20, 13);
    label->SetCaption("AB");
    fw::Font black;
    black.Color = fw::clBlack;
    label->SetFont(black);

    auto* box = new Box(&parent);
    box->SetParent(&parent);
    box->SetBounds(40, 20, 30, 30); // reaches past the parent's edge
    auto* hidden = new Box(&parent);
    hidden->SetParent(&parent);
    hidden->SetBounds(0, 0, 5, 5);
    hidden->Hide();

    fw::Bitmap picture = fw::RenderToBitmap(parent);
    ASSERT_EQ(picture.Width(), 60);
    ASSERT_EQ(picture.Height(), 40);
    EXPECT_EQ(picture.Pixel(0, 0), fw::clSilver);
    EXPECT_EQ(picture.Pixel(10, 12), fw::clBlack); // "A": a 5 x 9 box two rows down
    EXPECT_EQ(picture.Pixel(14, 20), fw::clBlack);
    EXPECT_EQ(picture.Pixel(15, 12), fw::clSilver); // the gap shows the parent
    EXPECT_EQ(picture.Pixel(16, 12), fw::clBlack); // "B"
    EXPECT_EQ(picture.Pixel(12, 11), fw::clSilver);
    EXPECT_EQ(picture.Pixel(40, 20), fw::clRed);
    EXPECT_EQ(picture.Pixel(59, 39), fw::clRed);
    EXPECT_EQ(picture.Pixel(39, 39), fw::clSilver);

    // The label's background follows a repaint of the parent beneath it.
    parent.SetColor(fw::clAqua);
    picture = fw::RenderToBitmap(parent);
    EXPECT_EQ(picture.Pixel(12, 11), fw::clAqua);
    EXPECT_EQ(picture.Pixel(10, 12), fw::clBlack);
    EXPECT_EQ(picture.Pixel(45, 25), fw::clRed);
}

TEST_F(ControlTest, ChildListKeepsOrderAndFreedControlsLeaveIt)
{
    std::vector<std::string> log;
    fw::Component owner;
    auto* parent = new Recorder(log);
    owner.InsertComponent(parent);
    auto* a = new Mortal(log, "a", &owner);
    auto* b = new Mortal(log, "b", &owner);
    auto* c = new Mortal(log, "c", &owner);
    for (fw::Control* child : {static_cast<fw::Control*>(a), static_cast<fw::Control*>(b), static_cast<fw::Control*>(c)}) {
        parent->InsertControl(child);
    }
    EXPECT_EQ(parent->ControlList(), (std::vector<fw::Control*>{a, b, c}));
    // The parent hears of a change before and after it.
    EXPECT_EQ(log[0], "joining 0");
    EXPECT_EQ(log[1], "changed 1");

    a->BringToFront();
    c->SendToBack();
    EXPECT_EQ(parent->ControlList(), (std::vector<fw::Control*>{c, b, a}));
    EXPECT_EQ(parent->Controls(1), b);
    EXPECT_THROW(parent->Controls(3), fw::EListError);

    log.clear();
    delete b;
    EXPECT_EQ(log, (std::vector<std::string>{"b", "leaving 3", "changed 2"}));
    EXPECT_EQ(parent->ControlList(), (std::vector<fw::Control*>{c, a}));
    EXPECT_EQ(owner.ComponentCount(), 3);

    // A parent frees its children, the last first, before its owner frees the rest.
    auto* orphanParent = new fw::WinControl;
    for (const char* name : {"x", "y", "z"}) {
        (new Mortal(log, name))->SetParent(orphanParent);
    }
    log.clear();
    delete orphanParent;
    EXPECT_EQ(log, (std::vector<std::string>{"z", "y", "x"}));

    auto* inner = new fw::WinControl(&owner);
    inner->SetParent(parent);
    EXPECT_THROW(parent->SetParent(inner), fw::EInvalidOperation);
    EXPECT_THROW(inner->SetParent(inner), fw::EInvalidOperation);
}

TEST_F(ControlTest, ClickAndDoubleClickComeInThePlatformsOrder)
{
    std::vector<std::string> log;
    Recorder box(log);
    box.SetBounds(0, 0, 20, 20);
    const auto left = static_cast<std::intptr_t>(fw::ShiftState(fw::ShiftFlag::Left).Bits());
    auto send = [&box](int msg, std::intptr_t shift, int x, int y) { box.Perform(msg, shift, fw::PackPoint(x, y)); };

    send(fw::WM_LBUTTONDOWN, left, 5, 6);
    EXPECT_EQ(fw::CaptureControl(), &box);
    send(fw::WM_LBUTTONUP, 0, 5, 6);
    EXPECT_EQ(fw::CaptureControl(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"down 5,6", "click", "up"}));

    log.clear();
    send(fw::WM_LBUTTONDOWN, left, 5, 6);
    send(fw::WM_LBUTTONUP, 0, 25, 6); // released outside: no click
    EXPECT_EQ(log, (std::vector<std::string>{"down 5,6", "up"}));

    log.clear();
    send(fw::WM_LBUTTONDOWN, left, 1, 1);
    send(fw::WM_LBUTTONUP, 0, 1, 1);
    send(fw::WM_LBUTTONDBLCLK, left, 1, 1);
    send(fw::WM_LBUTTONUP, 0, 1, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"down 1,1", "click", "up", "dbl", "down2 1,1", "up"}));

    // A control that takes no double clicks sees a second ordinary click.
    box.SetControlStyle(box.ControlStyle() - fw::ControlStyleFlag::DoubleClicks);
    log.clear();
    send(fw::WM_LBUTTONDBLCLK, left, 1, 1);
    send(fw::WM_LBUTTONUP, 0, 1, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"down 1,1", "click", "up"}));
}

TEST_F(ControlTest, KeysAndWheelReportWhetherTheyWereConsumed)
{
    fw::WinControl control;
    control.SetOnKeyDown([](fw::Object*, int& key, fw::ShiftState shift) {
        if (key == fw::VK_RETURN && shift.Contains(fw::ShiftFlag::Ctrl)) {
            key = 0;
        }
    });
    control.SetOnKeyPress([](fw::Object*, char32_t& key) {
        if (key == U'a') {
            key = U'b';
        }
    });
    const auto ctrl = static_cast<std::intptr_t>(fw::ShiftState(fw::ShiftFlag::Ctrl).Bits());
    fw::Message enter{fw::WM_KEYDOWN, fw::VK_RETURN, ctrl, 0};
    control.Perform(enter);
    EXPECT_EQ(enter.WParam, 0);
    EXPECT_EQ(enter.Result, 1);
    EXPECT_EQ(control.Perform(fw::WM_KEYDOWN, fw::VK_RETURN, 0), 0);

    fw::Message character{fw::WM_CHAR, U'a', 0, 0};
    control.Perform(character);
    EXPECT_EQ(character.WParam, static_cast<std::intptr_t>(U'b'));

    control.SetOnMouseWheelDown([](fw::Object*, fw::ShiftState, fw::Point, bool& handled) { handled = true; });
    EXPECT_EQ(control.Perform(fw::WM_MOUSEWHEEL, fw::PackPoint(0, -120), 0), 1);
    EXPECT_EQ(control.Perform(fw::WM_MOUSEWHEEL, fw::PackPoint(0, 120), 0), 0);
}

class FakeDrag : public fw::DragService {
public:
    void BeginDrag(fw::Control& control, bool immediate, int) override
    {
        source = &control;
        started = immediate;
    }
    void EndDrag(bool) override { source = nullptr; }
    fw::Control* DragSource() const override { return source; }

    fw::Control* source = nullptr;
    bool started = false;
};

TEST_F(ControlTest, DragEntryPointsAndThePopupMenuReference)
{
    std::vector<std::string> log;
    Recorder control(log);
    control.SetBounds(0, 0, 10, 10);
    bool accept = true;
    control.DragOver(nullptr, 1, 1, fw::DragState::Move, accept);
    EXPECT_FALSE(accept); // nobody listens: refused
    control.SetOnDragOver([](fw::Object*, fw::Object*, int x, int, fw::DragState, bool& ok) { ok = x < 5; });
    control.DragOver(nullptr, 1, 1, fw::DragState::Move, accept);
    EXPECT_TRUE(accept);

    // An automatic drag starts on the press instead of MouseDown.
    FakeDrag drag;
    fw::DragService* previous = fw::SetDragService(&drag);
    control.SetDragMode(fw::DragMode::Automatic);
    control.Perform(fw::WM_LBUTTONDOWN, 0, fw::PackPoint(2, 2));
    EXPECT_TRUE(control.Dragging());
    EXPECT_TRUE(drag.started);
    EXPECT_TRUE(log.empty());
    control.EndDrag(true);
    EXPECT_FALSE(control.Dragging());
    fw::SetDragService(previous);

    auto* menu = new fw::Component;
    control.SetPopupMenu(menu);
    EXPECT_EQ(control.PopupMenu(), menu);
    delete menu;
    EXPECT_EQ(control.PopupMenu(), nullptr);
}

TEST_F(ControlTest, PointsConvertBetweenClientAndScreen)
{
    fw::WinControl top;
    top.SetBounds(100, 50, 300, 200);
    auto* middle = new fw::WinControl(&top);
    middle->SetParent(&top);
    middle->SetBounds(10, 20, 100, 100);
    auto* inner = new fw::Control(&top);
    inner->SetParent(middle);
    inner->SetBounds(3, 4, 10, 10);
    EXPECT_EQ(inner->ClientToScreen(fw::Point{1, 1}), (fw::Point{114, 75}));
    EXPECT_EQ(inner->ScreenToClient(fw::Point{114, 75}), (fw::Point{1, 1}));
    EXPECT_EQ(top.ControlAtPos(fw::Point{15, 25}), middle);
    EXPECT_EQ(middle->ControlAtPos(fw::Point{5, 5}), inner);
    EXPECT_EQ(middle->ControlAtPos(fw::Point{50, 50}), nullptr);

    inner->SetConstraints(fw::SizeConstraints{8, 0, 12, 0});
    inner->SetWidth(4);
    EXPECT_EQ(inner->Width(), 8);
    inner->SetWidth(40);
    EXPECT_EQ(inner->Width(), 12);
}

} // namespace
