// The selection list and its operations, the selection test, the drop rules, and what the
// tree forgets about nodes that leave it.

#include <gtest/gtest.h>

#include "framework/core/object.h"
#include "tree_grid_fixture.h"

namespace {

using SelectionTest = TreeGridTest;

TEST_F(SelectionTest, WithoutMultiSelectOnlyTheLastNodeOfAListIsSelected)
{
    AddColumns({80});
    const auto rows = AddRows(4);
    tree->AddToSelection(rows[0]);
    tree->AddToSelection({rows[1], rows[2]});
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R2"}));
    EXPECT_FALSE(rows[0]->Selected());
    EXPECT_FALSE(rows[1]->Selected());
    EXPECT_EQ(tree->CurrentNode(), rows[2]);
}

TEST_F(SelectionTest, MultiSelectKeepsTheOrderOfSelecting)
{
    AddColumns({80});
    const auto rows = AddRows(5);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({rows[3], rows[0]});
    tree->AddToSelection(rows[4]);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R3", "R0", "R4"}));
    EXPECT_EQ(tree->GetSelected(), rows[4]);

    tree->RemoveFromSelection(rows[0]);
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R3", "R4"}));
    EXPECT_FALSE(rows[0]->Selected());
    EXPECT_EQ(tree->GetSelectedItem(2), nullptr);
    EXPECT_EQ(tree->GetSelectedItem(-1), nullptr);

    tree->RemoveFromSelection(rows[4]);
    EXPECT_EQ(tree->CurrentNode(), rows[3]) << "the last remaining entry is current";

    tree->SelectOnly({rows[1], rows[2]});
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R1", "R2"}));
    EXPECT_FALSE(rows[3]->Selected());
}

TEST_F(SelectionTest, DeselectAllGoesFromTheLastSelectedToTheFirst)
{
    AddColumns({80});
    const auto rows = AddRows(3);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({rows[1], rows[0], rows[2]});
    std::vector<std::string> order;
    tree->SetOnDeselectNode([&](TILTree*, TILTreeNode* node) { order.push_back(node->GetText()); });
    tree->DeselectAll();
    EXPECT_EQ(order, (std::vector<std::string>{"R2", "R0", "R1"}));
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(tree->GetSelected(), nullptr);
}

TEST_F(SelectionTest, AChangeStartedFromASelectHandlerIsIgnored)
{
    AddColumns({80});
    const auto rows = AddRows(3);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->SetOnSelectNode([&](TILTree* sender, TILTreeNode* node) {
        if (node == rows[0]) {
            sender->AddToSelection(rows[2]);
            sender->DeselectAll();
        }
    });
    tree->AddToSelection({rows[0], rows[1]});
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R0", "R1"}));
}

TEST_F(SelectionTest, TheSelectionTestFollowsTheOptionsAndTheHandler)
{
    AddColumns({80});
    const auto rows = AddRows(3);
    EXPECT_TRUE(tree->CanSelectNode(rows[0], false));
    EXPECT_FALSE(tree->CanSelectNode(rows[0], true)) << "several asked for without multi-select";
    EXPECT_FALSE(tree->CanSelectNode(nullptr, false));

    Option(TILTreeDisplayOption::iltMultiSelect);
    EXPECT_TRUE(tree->CanSelectNode(rows[0], true));

    tree->SelectOnly(rows[1]);
    EXPECT_TRUE(tree->CanSelectNode(rows[1], false));
    Option(TILTreeDisplayOption::iltDisallowDeselect);
    EXPECT_FALSE(tree->CanSelectNode(rows[1], false)) << "already selected";
    EXPECT_TRUE(tree->CanSelectNode(rows[2], false));

    tree->SetOnCanSelectNode([&](TILTree*, TILTreeNode* node, bool) { return node != rows[2]; });
    EXPECT_FALSE(tree->CanSelectNode(rows[2], false));
    EXPECT_TRUE(tree->CanSelectNode(rows[0], false));

    Option(TILTreeDisplayOption::iltNoSelect);
    EXPECT_FALSE(tree->CanSelectNode(rows[0], false));
}

TEST_F(SelectionTest, NoNodeIsDroppedOnItselfItsDescendantsOrASelectedNode)
{
    AddColumns({80});
    const auto rows = AddRows(3);
    TILTreeNode* child = Add({"child"}, rows[0]);
    TILTreeNode* grandChild = Add({"grand"}, child);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection(rows[0]);
    EXPECT_FALSE(tree->CanReceiveNodes(rows[0])) << "itself (selected)";
    EXPECT_FALSE(tree->CanReceiveNodes(child));
    EXPECT_FALSE(tree->CanReceiveNodes(grandChild));
    EXPECT_TRUE(tree->CanReceiveNodes(rows[1]));

    tree->AddToSelection(rows[2]);
    EXPECT_FALSE(tree->CanReceiveNodes(rows[2])) << "a selected node";

    tree->SetOnCanReceiveNode([&](TILTree*, TILTreeNode* target, TILTreeNode* dragged) {
        return !(target == rows[1] && dragged == rows[2]);
    });
    EXPECT_FALSE(tree->CanReceiveNodes(rows[1]));
}

// --- Nodes that leave ------------------------------------------------------------------------------

TEST_F(SelectionTest, AFreedNodeLeavesTheSelectionWithItsSelectedDescendants)
{
    AddColumns({80});
    const auto rows = AddRows(3);
    TILTreeNode* child = Add({"child"}, rows[1]);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({rows[0], child});
    delete rows[1];
    EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{"R0"}));
    EXPECT_EQ(tree->CurrentNode(), rows[0]);

    delete rows[0];
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(tree->CurrentNode(), nullptr);
}

TEST_F(SelectionTest, APostedRepaintOfAFreedNodeIsDropped)
{
    AddColumns({80});
    const auto rows = AddRows(3);
    Render();
    tree->PostRepaintNode(rows[1]);
    tree->PostRepaintNode(rows[2]);
    delete rows[1];
    Render(); // the rows are laid out again, so a single row can be painted at once
    std::vector<const TILTreeNode*> painted;
    tree->SetBeforeDrawCell([&](TILTree*, fw::Canvas&, TILTreeColumnData*, TILTreeNode* node, const fw::Rect&,
                                TILTreeColumnDrawData*) { painted.push_back(node); });
    // Only the node still there is repainted; the freed one is never touched.
    EXPECT_EQ(fw::ProcessPostedMessages(), 2);
    EXPECT_EQ(painted, (std::vector<const TILTreeNode*>{rows[2]}));
}

class Counted : public fw::Object {
public:
    explicit Counted(int& alive) : alive_(alive) { ++alive_; }
    ~Counted() override { --alive_; }

private:
    int& alive_;
};

TEST_F(SelectionTest, APostedFreeFreesTheObjectOnceEvenWhenTheTreeGoesFirst)
{
    int alive = 0;
    tree->PostFreeObject(new Counted(alive));
    ASSERT_EQ(alive, 1);
    fw::ProcessPostedMessages();
    EXPECT_EQ(alive, 0);

    tree->PostFreeObject(new Counted(alive));
    window.reset();
    EXPECT_EQ(alive, 0) << "the tree frees what is still waiting";
    EXPECT_EQ(fw::ProcessPostedMessages(), 0);
}

TEST_F(SelectionTest, ANodeMovedToAnotherTreeIsForgottenByTheFirst)
{
    AddColumns({80});
    const auto rows = AddRows(2);
    auto* other = new TILTree(window.get());
    other->SetParent(window.get());
    tree->SelectOnly(rows[1]);
    rows[1]->SetParent(other->Root());
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(rows[1]->Tree(), other);
    EXPECT_EQ(other->GetSelectedCount(), 0) << "deselected on the way";
}

} // namespace
