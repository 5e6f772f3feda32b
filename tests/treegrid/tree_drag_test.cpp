#include <string>
#include <vector>

#include "framework/gui/drag.h"
#include "treegrid/tree_drag.h"
#include "tree_interaction_fixture.h"
#include "treegrid/tree_messages.h"

namespace {

using Texts = std::vector<std::string>;

class DragTest : public TreeInteractionTest {
protected:
    void SetUp() override
    {
        TreeInteractionTest::SetUp();
        alpha = Add({"Alpha"});
        beta = Add({"Beta"});
        gamma = Add({"Gamma"});
        delta = Add({"Delta"});
    }

    static Texts ChildTexts(const TILTreeNode* node)
    {
        Texts texts;
        for (const TILTreeNode* child : node->Children()) {
            texts.push_back(child->GetCellText(0));
        }
        return texts;
    }

    // Presses on one row and moves to another, leaving the button down.
    void DragTo(fw::Point from, fw::Point to)
    {
        driver->Advance(1000);
        driver->Press(from);
        const int steps = 4;
        for (int i = 1; i <= steps; ++i) {
            driver->MoveTo(fw::Point{from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
        }
    }

    bool Accepted() { return driver->Router().Drag().Accepted(); }

    TILTreeNode* alpha = nullptr;
    TILTreeNode* beta = nullptr;
    TILTreeNode* gamma = nullptr;
    TILTreeNode* delta = nullptr;
};

// --- Dropping --------------------------------------------------------------------------------------

TEST_F(DragTest, ADroppedRowBecomesTheLastChildOfTheTargetWhichExpands)
{
    Add({"Old"}, delta);
    DragTo(CellPoint(1, 0), CellPoint(3, 0));
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::Dragging);
    ASSERT_NE(tree->NodeDragObject(), nullptr);
    EXPECT_EQ(tree->NodeDragObject()->Node(), beta);
    EXPECT_TRUE(Accepted());
    driver->Release(CellPoint(3, 0));
    EXPECT_EQ(beta->Parent(), delta);
    EXPECT_EQ(ChildTexts(delta), (Texts{"Old", "Beta"}));
    EXPECT_TRUE(delta->Expanded());
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);
    EXPECT_EQ(tree->DragNode(), nullptr);
    EXPECT_EQ(tree->NodeDragObject(), nullptr);
}

TEST_F(DragTest, WithoutExpandOnDropTheTargetStaysCollapsed)
{
    tree->SetOptions(tree->Options() - TILTreeDisplayOptions{TILTreeDisplayOption::iltExpandOnDrop});
    DragTo(CellPoint(0, 0), CellPoint(2, 0));
    driver->Release(CellPoint(2, 0));
    EXPECT_EQ(alpha->Parent(), gamma);
    EXPECT_FALSE(gamma->Expanded());
}

TEST_F(DragTest, TheSelectedRowsMoveFromTheLastSelectedToTheFirst)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({alpha, gamma});
    DragTo(CellPoint(2, 0), CellPoint(3, 0));
    driver->Release(CellPoint(3, 0));
    EXPECT_EQ(ChildTexts(delta), (Texts{"Gamma", "Alpha"}));
    EXPECT_EQ(ChildTexts(tree->Root()), (Texts{"Beta", "Delta"}));
}

TEST_F(DragTest, NoRowGoesIntoItselfItsSubtreeOrASelectedRow)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltMultiSelect);
    TILTreeNode* leaf = Add({"Leaf"}, beta);
    beta->SetExpanded(true);
    // Rows: Alpha, Beta, Leaf, Gamma, Delta.
    tree->AddToSelection({beta, delta});
    DragTo(CellPoint(1, 0), CellPoint(2, 0));
    EXPECT_FALSE(Accepted());
    driver->MoveTo(CellPoint(4, 0));
    EXPECT_FALSE(Accepted());
    // Over the row the drag began on: accepted, and the drop does nothing.
    driver->MoveTo(CellPoint(1, 0));
    EXPECT_TRUE(Accepted());
    driver->Release(CellPoint(1, 0));
    EXPECT_EQ(leaf->Parent(), beta);
    EXPECT_EQ(ChildTexts(tree->Root()), (Texts{"Alpha", "Beta", "Gamma", "Delta"}));
}

TEST_F(DragTest, OnCanReceiveNodeRefusesTargets)
{
    tree->SetOnCanReceiveNode([this](TILTree*, TILTreeNode* target, TILTreeNode* dragged) {
        EXPECT_EQ(dragged, alpha);
        return target != gamma;
    });
    DragTo(CellPoint(0, 0), CellPoint(2, 0));
    EXPECT_FALSE(Accepted());
    driver->Release(CellPoint(2, 0));
    EXPECT_EQ(alpha->Parent(), tree->Root());
    DragTo(CellPoint(0, 0), CellPoint(3, 0));
    EXPECT_TRUE(Accepted());
    driver->Release(CellPoint(3, 0));
    EXPECT_EQ(alpha->Parent(), delta);
}

TEST_F(DragTest, OnDropNodeMayRedirectOrSkip)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({alpha, beta});
    std::vector<TILTreeNode*> asked;
    tree->SetOnDropNode([&](TILTree* sender, TILTreeNode*& target, TILTreeNode* dragged) {
        EXPECT_EQ(sender, tree);
        asked.push_back(dragged);
        if (dragged == beta) {
            target = gamma;
            return true;
        }
        return false;
    });
    DragTo(CellPoint(1, 0), CellPoint(3, 0));
    driver->Release(CellPoint(3, 0));
    EXPECT_EQ(asked, (std::vector<TILTreeNode*>{beta, alpha}));
    EXPECT_EQ(beta->Parent(), gamma);
    EXPECT_EQ(alpha->Parent(), tree->Root());
    EXPECT_TRUE(gamma->Expanded());
    EXPECT_FALSE(delta->Expanded());
}

TEST_F(DragTest, AHandlerRemovingTheTargetEndsTheDropSafely)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({alpha, beta});
    int asked = 0;
    tree->SetOnDropNode([&](TILTree*, TILTreeNode*& target, TILTreeNode*) {
        ++asked;
        delete target;
        return true;
    });
    DragTo(CellPoint(1, 0), CellPoint(3, 0));
    driver->Release(CellPoint(3, 0));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ChildTexts(tree->Root()), (Texts{"Alpha", "Beta", "Gamma"}));
}

TEST_F(DragTest, AHandlerRemovingADraggedRowSkipsIt)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({alpha, beta});
    tree->SetOnDropNode([&](TILTree*, TILTreeNode*&, TILTreeNode* dragged) {
        if (dragged == beta) {
            delete alpha;
            alpha = nullptr;
        }
        return true;
    });
    DragTo(CellPoint(1, 0), CellPoint(3, 0));
    driver->Release(CellPoint(3, 0));
    EXPECT_EQ(ChildTexts(delta), (Texts{"Beta"}));
    EXPECT_EQ(ChildTexts(tree->Root()), (Texts{"Gamma", "Delta"}));
}

// --- The drag's end --------------------------------------------------------------------------------

TEST_F(DragTest, TheDragObjectIsFreedAfterTheDrag)
{
    DragTo(CellPoint(0, 0), CellPoint(2, 0));
    const fw::WeakRef<TILTreeDragControlObject> object(tree->NodeDragObject());
    ASSERT_TRUE(object);
    EXPECT_EQ(object->Tree(), tree);
    EXPECT_EQ(fw::CurrentDragObject(), object.Get());
    driver->Release(CellPoint(2, 0));
    EXPECT_FALSE(object);
}

TEST_F(DragTest, ADragObjectTheApplicationSuppliesIsUsedInstead)
{
    fw::DragControlObject supplied(tree);
    tree->SetOnStartDrag([&](fw::Object* sender, fw::DragObject*& object) {
        EXPECT_EQ(sender, tree);
        object = &supplied;
    });
    DragTo(CellPoint(0, 0), CellPoint(2, 0));
    EXPECT_EQ(fw::CurrentDragObject(), &supplied);
    EXPECT_EQ(tree->NodeDragObject(), nullptr);
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::Dragging);
    // The tree moves only nodes of its own drags.
    driver->Release(CellPoint(2, 0));
    EXPECT_EQ(alpha->Parent(), tree->Root());
    EXPECT_EQ(tree->InteractionMode(), TILTreeInteractionMode::None);
}

TEST_F(DragTest, TheEndOfADragRemovesTheHint)
{
    tree->SetShowHint(true);
    alpha->SetCellText(1, "A text far too long for its column");
    driver->MoveTo(CellPoint(0, 1));
    driver->Advance(fw::App().HintPause());
    ASSERT_TRUE(tree->HasHintWindow());
    fw::PostMessage(tree, WM_ILTREE_FREEHINT);
    Settle();
    EXPECT_FALSE(tree->HasHintWindow());
}

TEST_F(DragTest, FreeingTheTreeDuringADragCancelsIt)
{
    int ended = 0;
    tree->SetOnEndDrag([&](fw::Object*, fw::Object*, int, int) { ++ended; });
    DragTo(CellPoint(0, 0), CellPoint(2, 0));
    delete tree;
    tree = nullptr;
    EXPECT_EQ(fw::CurrentDragObject(), nullptr);
    EXPECT_EQ(ended, 0);
    driver->MoveTo(CellPoint(3, 0));
    driver->Release(CellPoint(3, 0));
}

TEST_F(DragTest, RemovingTheDraggedRowMakesTheDropDoNothing)
{
    DragTo(CellPoint(1, 0), CellPoint(3, 0));
    delete beta;
    beta = nullptr;
    EXPECT_EQ(tree->NodeDragObject()->Node(), nullptr);
    driver->Release(CellPoint(2, 0));
    EXPECT_TRUE(delta->Children().empty());
    EXPECT_EQ(ChildTexts(tree->Root()), (Texts{"Alpha", "Gamma", "Delta"}));
}

// --- Scrolling while dragging ----------------------------------------------------------------------

TEST_F(DragTest, NearTheEdgesTheTreeScrollsFasterAfterFiveSteps)
{
    for (int i = 0; i < 40; ++i) {
        Add({"Row " + std::to_string(i)});
    }
    tree->EnsureLayout();
    ASSERT_TRUE(tree->VertScrollBarVisible());
    const int bottom = tree->DataHeight() - 3;
    DragTo(CellPoint(1, 0), fw::Point{50, bottom});
    EXPECT_TRUE(tree->DragScrollTimerRunning());
    driver->Advance(199);
    EXPECT_EQ(tree->VertScrollPosition(), 0);
    driver->Advance(1);
    EXPECT_EQ(tree->VertScrollPosition(), 16);
    // Five steps at 200 ms, then every 50 ms.
    driver->Advance(1000);
    EXPECT_EQ(tree->VertScrollPosition(), 6 * 16);
    driver->Advance(50);
    EXPECT_EQ(tree->VertScrollPosition(), 7 * 16);
    // Between the zones it stops.
    driver->MoveTo(fw::Point{50, 100});
    EXPECT_FALSE(tree->DragScrollTimerRunning());
    driver->Advance(1000);
    EXPECT_EQ(tree->VertScrollPosition(), 7 * 16);
    // Over the headings it scrolls back up.
    driver->MoveTo(fw::Point{50, 5});
    driver->Advance(400);
    EXPECT_EQ(tree->VertScrollPosition(), 5 * 16);
    driver->Release(fw::Point{50, 5});
    EXPECT_FALSE(tree->DragScrollTimerRunning());
}

// --- Expanding on hover ------------------------------------------------------------------------------

TEST_F(DragTest, ARestingMouseExpandsACollapsedRowAfterTheDelay)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltExpandOnHover);
    Add({"Inside"}, alpha);
    driver->MoveTo(CellPoint(0, 0));
    EXPECT_TRUE(tree->ExpandTimerRunning());
    driver->Advance(tree->AutoExpandDelay() - 1);
    EXPECT_FALSE(alpha->Expanded());
    driver->Advance(1);
    EXPECT_TRUE(alpha->Expanded());
    EXPECT_FALSE(tree->ExpandTimerRunning());
}

TEST_F(DragTest, MovingOnBeforeTheDelayExpandsNothing)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltExpandOnHover);
    Add({"Inside"}, beta);
    gamma->SetState(iltNodeExpandable);
    driver->MoveTo(CellPoint(1, 0));
    driver->Advance(400);
    driver->MoveTo(CellPoint(1, 1));
    EXPECT_FALSE(tree->ExpandTimerRunning());
    driver->Advance(1000);
    EXPECT_FALSE(beta->Expanded());
    // An expandable row without children counts too; it expands once its children come.
    tree->SetBeforeExpandNode([this](TILTree*, TILTreeNode* node) {
        Add({"Late"}, node);
        return true;
    });
    driver->MoveTo(CellPoint(2, 0));
    driver->Advance(tree->AutoExpandDelay());
    EXPECT_TRUE(gamma->Expanded());
}

TEST_F(DragTest, ARowRemovedBeforeTheDelayIsNotTouched)
{
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltExpandOnHover);
    Add({"Inside"}, alpha);
    driver->MoveTo(CellPoint(0, 0));
    delete alpha;
    alpha = nullptr;
    driver->Advance(tree->AutoExpandDelay());
    EXPECT_EQ(tree->Root()->GetCount(), 3);
}

} // namespace
