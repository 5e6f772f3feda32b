#include <gtest/gtest.h>

#include <memory>

#include "framework/gui/form.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_splitter.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

Panel* NewPanel(Form& form, Align align, int size)
{
    auto* panel = new Panel(&form);
    panel->SetParent(&form);
    panel->SetWidth(size);
    panel->SetHeight(size);
    panel->SetAlign(align);
    return panel;
}

Splitter* NewSplitter(Form& form, Align align, int minSize)
{
    auto* splitter = new Splitter(&form);
    splitter->SetParent(&form);
    splitter->SetAlign(align);
    splitter->SetWidth(3);
    splitter->SetHeight(3);
    splitter->SetMinSize(minSize);
    return splitter;
}

// 400 x 300: a 100-pixel panel on the left with its splitter, a 150-pixel one on the right
// with its splitter (in the order that puts the splitter left of the panel), a 50-pixel one
// along the top with its splitter, and a client panel.
class SplitForm : public Form {
public:
    SplitForm()
    {
        SetBounds(0, 0, 400, 300);
        top = NewPanel(*this, Align::Top, 50);
        topSplitter = NewSplitter(*this, Align::Top, 20);
        left = NewPanel(*this, Align::Left, 100);
        leftSplitter = NewSplitter(*this, Align::Left, 20);
        right = NewPanel(*this, Align::Right, 150);
        rightSplitter = NewSplitter(*this, Align::Right, 20);
        client = NewPanel(*this, Align::Client, 10);
        FinishLoading();
    }
    Panel* top;
    Splitter* topSplitter;
    Panel* left;
    Splitter* leftSplitter;
    Panel* right;
    Splitter* rightSplitter;
    Panel* client;
};

class SplitterTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearPostedMessages();
        form = std::make_unique<SplitForm>();
        form->Show();
        driver = std::make_unique<TestDriver>(*form);
        form->leftSplitter->SetOnMoved([this](Object*) { ++moved; });
    }
    void TearDown() override
    {
        driver.reset();
        form.reset();
    }
    void Drag(Control& splitter, int dx, int dy)
    {
        const Point from = driver->CentreOf(splitter);
        driver->DragMouse(from, Point{from.X + dx, from.Y + dy}, 7);
    }

    std::unique_ptr<SplitForm> form;
    std::unique_ptr<TestDriver> driver;
    int moved = 0;
};

} // namespace

TEST_F(SplitterTest, SplittersSitNextToTheControlsTheyResize)
{
    EXPECT_EQ(form->leftSplitter->BoundsRect(), (Rect{100, 53, 103, 300}));
    EXPECT_EQ(form->rightSplitter->BoundsRect(), (Rect{247, 53, 250, 300}));
    EXPECT_EQ(form->leftSplitter->ResizedControl(), form->left);
    EXPECT_EQ(form->rightSplitter->ResizedControl(), form->right);
    EXPECT_EQ(form->topSplitter->ResizedControl(), form->top);
    driver->MoveTo(driver->CentreOf(*form->leftSplitter));
    EXPECT_EQ(driver->Router().EffectiveCursor(), crHSplit);
    driver->MoveTo(driver->CentreOf(*form->topSplitter));
    EXPECT_EQ(driver->Router().EffectiveCursor(), crVSplit);
}

TEST_F(SplitterTest, DraggingResizesTheNeighbourWithinMinSizeAndTellsOnceAtTheEnd)
{
    // Right and top splitters grow their controls away from the parent's edge.
    Drag(*form->rightSplitter, -30, 0);
    EXPECT_EQ(form->right->Width(), 180);
    Drag(*form->topSplitter, 0, 25);
    EXPECT_EQ(form->top->Height(), 75);
    EXPECT_EQ(moved, 0) << "each splitter tells of its own drags";

    Drag(*form->leftSplitter, 50, 0);
    EXPECT_EQ(form->left->Width(), 150);
    EXPECT_EQ(form->leftSplitter->Left(), 150) << "the layout moved the splitter along";
    EXPECT_EQ(moved, 1);

    Drag(*form->leftSplitter, -500, 0);
    EXPECT_EQ(form->left->Width(), 20) << "never below MinSize";
    // Never so wide that less than MinSize stays for the client: 400 less the right panel
    // and both splitters, less 20.
    Drag(*form->leftSplitter, 500, 0);
    EXPECT_EQ(form->left->Width(), 400 - 180 - 3 - 3 - 20);
    EXPECT_EQ(moved, 3);
    // A drag that ends where it began changes nothing and tells nothing.
    const Point at = driver->CentreOf(*form->leftSplitter);
    driver->DragMouse(at, Point{at.X - 30, at.Y}, 10);
    driver->DragMouse(driver->CentreOf(*form->leftSplitter), Point{at.X, at.Y}, 10);
    EXPECT_EQ(moved, 5);
    driver->Click(driver->CentreOf(*form->leftSplitter));
    EXPECT_EQ(moved, 5);
}

TEST_F(SplitterTest, AHiddenSplitterDoesNothing)
{
    const Point place = driver->CentreOf(*form->rightSplitter);
    form->rightSplitter->Hide();
    EXPECT_EQ(form->rightSplitter->ResizedControl(), nullptr);
    driver->DragMouse(place, Point{place.X - 40, place.Y}, 10);
    EXPECT_EQ(form->right->Width(), 150);
    // Shown again it sits where it belongs and works.
    form->rightSplitter->Show();
    EXPECT_EQ(form->rightSplitter->Left(), 247);
    Drag(*form->rightSplitter, -10, 0);
    EXPECT_EQ(form->right->Width(), 160);
}
