#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/paint_backend.h"
#include "tree_data_fixture.h"
#include "treegrid/tree_cell.h"

namespace {

using Strings = std::vector<std::string>;

using TreeNodeTest = TreeDataTest;

// --- Cells ---------------------------------------------------------------------------------------

TEST_F(TreeNodeTest, SettingAFarCellGrowsTheCellsWithEmptyTexts)
{
    TILTreeNode* node = Add(Root(), {"a", "b"});
    node->SetCellText(5, "f");
    EXPECT_EQ(node->CellCount(), 6);
    for (int column = 2; column < 5; ++column) {
        EXPECT_EQ(node->GetCellText(column), "") << column;
    }
    EXPECT_EQ(node->GetCellText(5), "f");
    EXPECT_EQ(node->GetCellText(1), "b");
    node->SetCellText(-1, "ignored");
    EXPECT_EQ(node->CellCount(), 6);
    EXPECT_EQ(node->GetCellText(-1), "");
    EXPECT_EQ(node->GetCellText(99), "");
}

TEST_F(TreeNodeTest, TextFollowsTheTreeColumnAndNamesFindColumnsWithoutCase)
{
    TILTreeNode* node = Add(Root(), {"zero", "one", "two"});
    EXPECT_EQ(node->GetText(), "zero");
    tree->SetTreeColumn(2);
    EXPECT_EQ(node->GetText(), "two");
    node->SetText("TWO");
    EXPECT_EQ(node->GetCellText(2), "TWO");

    EXPECT_EQ(node->GetCellTextByName("COL1"), "one");
    node->SetCellTextByName("Col0", "new");
    EXPECT_EQ(node->GetCellText(0), "new");
    node->SetCellTextByName("nothing", "x");
    EXPECT_EQ(node->CellCount(), 3);

    TILTreeNode detached;
    detached.SetText("plain");
    EXPECT_EQ(detached.GetCellText(0), "plain");
    detached.SetCellTextByName("col1", "x");
    EXPECT_EQ(detached.CellCount(), 1);
    EXPECT_EQ(detached.GetCellTextByName("col0"), "");
}

TEST_F(TreeNodeTest, CellInfosLiveInSlotsMadeOnDemand)
{
    TILTreeNode* node = Add(Root(), {"a"});
    EXPECT_FALSE(node->HasCellInfo(2));
    EXPECT_EQ(node->GetCellInfo(-1), nullptr);
    node->SetHasCellInfo(2, true);
    EXPECT_EQ(node->CellInfoCount(), 3);
    EXPECT_FALSE(node->HasCellInfo(0));
    EXPECT_TRUE(node->HasCellInfo(2));
    TILTreeCellInfo* made = node->GetCellInfo(1);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(node->GetCellInfo(1), made);
    node->SetHasCellInfo(1, false);
    EXPECT_FALSE(node->HasCellInfo(1));

    EXPECT_FALSE(node->HasCellFont(0));
    node->GetCellFont(0).Height = -20;
    EXPECT_TRUE(node->HasCellFont(0));
    EXPECT_EQ(node->GetCellInfo(0)->Font()->Height, -20);
    node->GetCellInfo(0)->SetFlag(iltCellOwnFont, false);
    EXPECT_FALSE(node->HasCellFont(0));
    EXPECT_EQ(node->GetCellInfo(0)->Font(), nullptr);
}

// --- Heights -------------------------------------------------------------------------------------

TEST_F(TreeNodeTest, HeightsPassThroughTheScreenFactorAndNeverDropBelowOne)
{
    TILTreeNode* node = Add(Root(), {"a"});
    EXPECT_EQ(node->Height(), 16);
    node->SetHeight(0);
    EXPECT_EQ(node->Height(), 1);
    node->SetHeight(-7);
    EXPECT_EQ(node->Height(), 1);

    SetTreeScreenFactor(1.5);
    node->SetHeight(11);
    EXPECT_EQ(node->Height(), 17); // 16.5 rounds away from zero
    TILTreeNode detached;
    EXPECT_EQ(detached.Height(), 24);
    SetTreeScreenFactor(1.0);

    tree->SetDefaultNodeHeight(21);
    EXPECT_EQ(Add(Root(), {"b"})->Height(), 21);
    EXPECT_EQ(node->Bottom(), node->Top() + node->Height() - 1);
}

// --- Expansion -----------------------------------------------------------------------------------

TEST_F(TreeNodeTest, TheRootCannotBeCollapsedAndAChildlessNodeNeedsAnExpandHandler)
{
    TILTreeNode* leaf = Add(Root(), {"leaf"});
    Root()->SetExpanded(true);
    ASSERT_TRUE(Root()->Expanded());
    Root()->SetExpanded(false);
    EXPECT_TRUE(Root()->Expanded());

    leaf->SetExpanded(true);
    EXPECT_FALSE(leaf->Expanded());
}

TEST_F(TreeNodeTest, AnExpandHandlerThatAddsChildrenLetsTheExpansionProceed)
{
    TILTreeNode* lazy = Add(Root(), {"lazy"});
    TILTreeNode* empty = Add(Root(), {"empty"});
    std::vector<TILTreeNode*> asked;
    tree->SetBeforeExpandNode([&](TILTree*, TILTreeNode* node) {
        asked.push_back(node);
        if (node == lazy) {
            Add(node, {"filled"});
        }
        return true;
    });
    std::vector<TILTreeNode*> expanded;
    tree->SetAfterExpandNode([&](TILTree*, TILTreeNode* node) { expanded.push_back(node); });

    lazy->SetExpanded(true);
    empty->SetExpanded(true);
    EXPECT_TRUE(lazy->Expanded());
    EXPECT_FALSE(empty->Expanded());
    EXPECT_EQ(asked, (std::vector<TILTreeNode*>{lazy, empty}));
    EXPECT_EQ(expanded, (std::vector<TILTreeNode*>{lazy}));
    EXPECT_TRUE(lazy->GetItem(0)->IsShown());
}

TEST_F(TreeNodeTest, HandlersCanRefuseAndBusyNodesDoNotToggle)
{
    TILTreeNode* node = Add(Root(), {"n"});
    Add(node, {"child"});
    bool allowExpand = false;
    bool allowCollapse = false;
    int collapsed = 0;
    tree->SetBeforeExpandNode([&](TILTree*, TILTreeNode*) { return allowExpand; });
    tree->SetBeforeCollapseNode([&](TILTree*, TILTreeNode*) { return allowCollapse; });
    tree->SetAfterCollapseNode([&](TILTree*, TILTreeNode*) { ++collapsed; });

    node->SetExpanded(true);
    EXPECT_FALSE(node->Expanded());
    allowExpand = true;
    node->SetExpanded(true);
    EXPECT_TRUE(node->Expanded());
    node->SetExpanded(false);
    EXPECT_TRUE(node->Expanded());
    allowCollapse = true;
    node->SetState(iltNodeBusy);
    node->SetExpanded(false);
    EXPECT_TRUE(node->Expanded());
    node->SetState(iltNodeNormal);
    node->SetExpanded(false);
    EXPECT_FALSE(node->Expanded());
    EXPECT_EQ(collapsed, 1);
}

TEST_F(TreeNodeTest, ExpandAllAsksTheCallbackOncePerNodeAndSkipsRefusedSubtrees)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* a1 = Add(a, {"a1"});
    Add(a1, {"a1x"});
    TILTreeNode* b = Add(Root(), {"b"});
    TILTreeNode* b1 = Add(b, {"b1"});
    Add(b1, {"b1x"});
    std::vector<std::string> asked;
    Root()->ExpandAll([&](TILTreeNode* node) {
        asked.push_back(node->GetCellText(0));
        return node != b;
    });
    EXPECT_TRUE(a->Expanded());
    EXPECT_TRUE(a1->Expanded());
    EXPECT_FALSE(b->Expanded());
    EXPECT_FALSE(b1->Expanded());
    EXPECT_EQ(asked, (Strings{"", "a", "a1", "a1x", "b"}));
    EXPECT_FALSE(a->ExpandingAll());
    EXPECT_EQ(tree->UpdateCount(), 0);
}

// --- Visible order -------------------------------------------------------------------------------

class TreeWalkTest : public TreeDataTest {
protected:
    void SetUp() override
    {
        TreeDataTest::SetUp();
        // a (expanded): a1, a2 (hidden), a3 (collapsed: a3x); b (expanded): b1 (expanded: b1x);
        // c (hidden); d
        a = Add(Root(), {"a"});
        a1 = Add(a, {"a1"});
        a2 = Add(a, {"a2"});
        a3 = Add(a, {"a3"});
        a3x = Add(a3, {"a3x"});
        b = Add(Root(), {"b"});
        b1 = Add(b, {"b1"});
        b1x = Add(b1, {"b1x"});
        c = Add(Root(), {"c"});
        d = Add(Root(), {"d"});
        a2->SetHidden(true);
        c->SetHidden(true);
        a->SetExpanded(true);
        b->SetExpanded(true);
        b1->SetExpanded(true);
    }

    Strings Forward() const
    {
        Strings seen;
        for (TILTreeNode* node = Root()->NextVisible(); node != nullptr; node = node->NextVisible()) {
            seen.push_back(node->GetCellText(0));
        }
        return seen;
    }

    TILTreeNode *a{}, *a1{}, *a2{}, *a3{}, *a3x{}, *b{}, *b1{}, *b1x{}, *c{}, *d{};
};

TEST_F(TreeWalkTest, ForwardSkipsHiddenNodesAndChildrenOfCollapsedOnes)
{
    EXPECT_EQ(Forward(), (Strings{"a", "a1", "a3", "b", "b1", "b1x", "d"}));
    EXPECT_EQ(d->NextVisible(), nullptr);
}

TEST_F(TreeWalkTest, BackwardStepsIntoTheLastVisibleDescendantAndStopsBeforeTheRoot)
{
    Strings seen;
    for (TILTreeNode* node = d; node != nullptr; node = node->PrevVisible()) {
        seen.push_back(node->GetCellText(0));
    }
    EXPECT_EQ(seen, (Strings{"d", "b1x", "b1", "b", "a3", "a1", "a"}));
    EXPECT_EQ(a->PrevVisible(), nullptr);
}

TEST_F(TreeWalkTest, FirstAndLastVisibleChildrenAndShownState)
{
    EXPECT_EQ(a->FirstVisibleChild(), a1);
    EXPECT_EQ(a->LastVisibleChild(), a3);
    EXPECT_EQ(Root()->LastVisibleChild(), d);
    EXPECT_EQ(Root()->LastVisibleDescendant(), d);
    EXPECT_EQ(b->LastVisibleDescendant(), b1x);
    EXPECT_TRUE(a1->IsShown());
    EXPECT_FALSE(a2->IsShown());
    EXPECT_FALSE(a3x->IsShown());
    EXPECT_FALSE(c->IsShown());
    EXPECT_FALSE(Root()->IsShown());
    b->SetExpanded(false);
    EXPECT_FALSE(b1x->IsShown()) << "a collapsed grandparent hides it although its parent is expanded";
    EXPECT_EQ(Forward(), (Strings{"a", "a1", "a3", "b", "d"}));
}

TEST_F(TreeWalkTest, SelectableWalksSkipNodesTheTreeRefuses)
{
    tree->SetOnCanSelectNode([this](TILTree*, TILTreeNode* node, bool) { return node != a3 && node != b; });
    EXPECT_EQ(a1->NextSelectable(), b1);
    EXPECT_EQ(b1->PrevSelectable(), a1);
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltNoSelect);
    EXPECT_EQ(a1->NextSelectable(), nullptr);
}

TEST_F(TreeWalkTest, TotalHeightsCountShownRowsAndGridLines)
{
    // a: itself, a1, a3 (a2 hidden, a3 collapsed) = 3 rows of 16.
    EXPECT_EQ(a->GetTotalHeight(), 48);
    EXPECT_EQ(a3->GetTotalHeight(), 16);
    EXPECT_EQ(Root()->GetTotalHeight(), 16 * 7);
    fw::Pen pen = tree->GridPen();
    pen.Width = 2;
    tree->SetGridPen(pen);
    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltHorzGrid);
    EXPECT_EQ(a->GetTotalHeight(), 3 * 18);
}

// --- Structure -----------------------------------------------------------------------------------

TEST_F(TreeNodeTest, MovingANodeRecomputesLevelsIndexesAndFiresTheRightEvents)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* b = Add(Root(), {"b"});
    TILTreeNode* c = Add(Root(), {"c"});
    TILTreeNode* bx = Add(b, {"bx"});
    std::vector<std::pair<TILTreeNode*, TILTreeNode*>> moved;
    int added = 0;
    tree->SetOnNodeChangeParent([&](TILTree*, TILTreeNode* node, TILTreeNode* previous) {
        moved.emplace_back(node, previous);
    });
    tree->SetOnAddNode([&](TILTree*, TILTreeNode*, TILTreeNode*) { ++added; });

    b->SetParent(a);
    EXPECT_EQ(b->Parent(), a);
    EXPECT_EQ(b->Level(), 2);
    EXPECT_EQ(bx->Level(), 3);
    EXPECT_EQ(c->GetIndex(), 1);
    EXPECT_EQ(b->GetIndex(), 0);
    EXPECT_EQ(moved, (std::vector<std::pair<TILTreeNode*, TILTreeNode*>>{{b, Root()}}));
    EXPECT_EQ(added, 0);

    // A node cannot go under its own descendant.
    a->SetParent(bx);
    EXPECT_EQ(a->Parent(), Root());
    EXPECT_EQ(moved.size(), 1u);
}

TEST_F(TreeNodeTest, DetachingAndAttachingReportRemovalAndAddition)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* ax = Add(a, {"ax"});
    std::vector<std::string> log;
    tree->SetOnRemoveNode([&](TILTree*, TILTreeNode* node, TILTreeNode* previous) {
        log.push_back("remove " + node->GetCellText(0) + " from " + (previous == Root() ? "root" : "?"));
    });
    tree->SetOnAddNode([&](TILTree*, TILTreeNode* node, TILTreeNode* previous) {
        log.push_back("add " + node->GetCellText(0) + (previous == nullptr ? " from nowhere" : ""));
    });
    a->SetSelected(true);
    EXPECT_EQ(tree->GetSelectedCount(), 1);
    a->SetParent(nullptr);
    EXPECT_EQ(a->Tree(), nullptr);
    EXPECT_EQ(ax->Tree(), nullptr);
    EXPECT_EQ(a->Level(), 0);
    EXPECT_EQ(ax->Level(), 1);
    EXPECT_EQ(a->GetIndex(), -1);
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_FALSE(a->Selected());
    a->SetParent(Root());
    EXPECT_EQ(ax->Tree(), tree.get());
    EXPECT_EQ(ax->Level(), 2);
    EXPECT_EQ(log, (Strings{"remove a from root", "add a from nowhere"}));
}

TEST_F(TreeNodeTest, MovingToAnotherTreeDeselectsFirst)
{
    TILTree other;
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* ax = Add(a, {"ax"});
    a->SetExpanded(true);
    ax->SetSelected(true);
    a->SetSelected(true);
    int deselected = 0;
    tree->SetOnDeselectNode([&](TILTree*, TILTreeNode*) { ++deselected; });
    a->SetParent(other.Root());
    EXPECT_EQ(deselected, 1);
    EXPECT_FALSE(a->Selected());
    EXPECT_FALSE(ax->Selected());
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(ax->Tree(), &other);
    EXPECT_EQ(other.GetSelectedCount(), 0);
}

TEST_F(TreeNodeTest, SetIndexMovesAmongSiblings)
{
    for (const char* text : {"a", "b", "c", "d"}) {
        Add(Root(), {text});
    }
    Root()->GetItem(3)->SetIndex(1);
    EXPECT_EQ(Texts(Root()), (Strings{"a", "d", "b", "c"}));
    Root()->GetItem(0)->SetIndex(3);
    EXPECT_EQ(Texts(Root()), (Strings{"d", "b", "c", "a"}));
    Root()->GetItem(0)->SetIndex(4);
    Root()->GetItem(0)->SetIndex(-1);
    EXPECT_EQ(Texts(Root()), (Strings{"d", "b", "c", "a"}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Root()->GetItem(i)->GetIndex(), i);
    }
    EXPECT_EQ(Root()->GetItem(4), nullptr);
    EXPECT_EQ(Root()->GetItem(-1), nullptr);
}

TEST_F(TreeNodeTest, FindersSearchDepthFirst)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* ax = Add(a, {"Target"});
    TILTreeNode* b = Add(Root(), {"target"});
    ax->SetTag(7);
    b->SetTag(7);
    EXPECT_EQ(Root()->FindByTag(7, false), b);
    EXPECT_EQ(Root()->FindByTag(7, true), ax);
    EXPECT_EQ(Root()->FindByText(0, "target", true, true), b);
    EXPECT_EQ(Root()->FindByText(0, "target", false, true), ax);
    EXPECT_EQ(Root()->FindByText(0, "target", false, false), b);
    EXPECT_EQ(Root()->FindByText(0, "", false, true), nullptr);
    fw::Object marker;
    ax->SetObject(&marker);
    EXPECT_EQ(Root()->FindByObject(&marker), ax);
    EXPECT_EQ(a->FindByObject(nullptr), a);
    EXPECT_TRUE(ax->IsDescendantOf(Root()));
    EXPECT_FALSE(a->IsDescendantOf(ax));
    EXPECT_FALSE(a->IsDescendantOf(a));
}

// --- Life and copying ----------------------------------------------------------------------------

TEST_F(TreeNodeTest, ANodeFreesItsObjectOnlyWhenItOwnsIt)
{
    int freed = 0;
    auto* owned = new CountedObject(freed);
    CountedObject kept(freed);
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* b = Add(Root(), {"b"});
    a->SetObject(owned);
    a->SetOwnsObject(true);
    b->SetObject(&kept);
    delete a;
    EXPECT_EQ(freed, 1);
    delete b;
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(Root()->GetCount(), 0);
}

TEST_F(TreeNodeTest, FreeingANodeTakesItsSubtreeOutOfTheTreeAndItsSelection)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* ax = Add(a, {"ax"});
    TILTreeNode* b = Add(Root(), {"b"});
    a->SetExpanded(true);
    ax->SetSelected(true);
    b->SetSelected(true);
    int removed = 0;
    tree->SetOnRemoveNode([&](TILTree*, TILTreeNode*, TILTreeNode*) { ++removed; });
    delete a;
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(Texts(Root()), (Strings{"b"}));
    EXPECT_EQ(b->GetIndex(), 0);
    EXPECT_EQ(tree->GetSelectedCount(), 1);
    EXPECT_EQ(tree->GetSelected(), b);
}

TEST_F(TreeNodeTest, AssignCopiesTheWholeSubtreeButNotTheObjectsOwnership)
{
    int freed = 0;
    TILTreeNode* source = Add(Root(), {"s0", "s1"});
    source->SetObject(new CountedObject(freed));
    source->SetOwnsObject(true);
    source->SetTag(12);
    source->SetImageIndex(3);
    source->SetState(iltNodeExpandable);
    source->GetFont().Height = -30;
    source->GetCellInfo(1)->SetInteger(4);
    TILTreeNode* child = Add(source, {"c"});
    Add(child, {"g"});
    source->SetExpanded(true);

    TILTreeNode* copy = Add(Root(), {"old"});
    Add(copy, {"old child"});
    copy->Assign(source);
    EXPECT_EQ(Texts(copy), (Strings{"c"}));
    EXPECT_EQ(copy->GetCellText(1), "s1");
    EXPECT_EQ(copy->Tag(), 12);
    EXPECT_EQ(copy->ImageIndex(), 3);
    EXPECT_EQ(copy->State(), iltNodeExpandable);
    EXPECT_EQ(copy->Font()->Height, -30);
    EXPECT_EQ(copy->GetCellInfo(1)->GetInteger(), 4);
    EXPECT_NE(copy->GetCellInfo(1), source->GetCellInfo(1));
    EXPECT_TRUE(copy->Expanded());
    EXPECT_EQ(copy->GetItem(0)->GetItem(0)->GetCellText(0), "g");
    EXPECT_EQ(copy->GetItem(0)->GetItem(0)->Level(), 3);
    EXPECT_EQ(copy->Object(), source->Object());
    EXPECT_FALSE(copy->OwnsObject());

    delete copy;
    EXPECT_EQ(freed, 0);
    delete source;
    EXPECT_EQ(freed, 1);
}

TEST_F(TreeNodeTest, AssignFromOwnDescendantOrAncestorCopiesASnapshot)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* ax = Add(a, {"ax"});
    Add(ax, {"axx"});
    a->Assign(ax);
    EXPECT_EQ(a->GetCellText(0), "ax");
    EXPECT_EQ(Texts(a), (Strings{"axx"}));

    TILTreeNode* b = Add(Root(), {"b"});
    TILTreeNode* bx = Add(b, {"bx"});
    bx->Assign(b);
    EXPECT_EQ(Texts(bx), (Strings{"bx"}));
    EXPECT_EQ(bx->GetItem(0)->GetCellText(0), "bx");
    EXPECT_EQ(bx->GetItem(0)->GetCount(), 0);
}

TEST_F(TreeNodeTest, AssigningSomethingElseRaisesThePlainMessage)
{
    TILTreeNode* node = Add(Root(), {"a"});
    TILTreeCellInfo info;
    try {
        node->Assign(&info);
        FAIL() << "no error";
    } catch (const fw::Exception& error) {
        EXPECT_EQ(error.Message(), "Cannot assign a TILTreeCellInfo to a TILTreeNode.");
    }
}

// --- Selection and rows --------------------------------------------------------------------------

TEST_F(TreeNodeTest, SelectingJoinsTheTreesSelectionInOrderWithEvents)
{
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* b = Add(Root(), {"b"});
    Strings log;
    tree->SetOnSelectNode([&](TILTree*, TILTreeNode* node) { log.push_back("+" + node->GetCellText(0)); });
    tree->SetOnDeselectNode([&](TILTree*, TILTreeNode* node) { log.push_back("-" + node->GetCellText(0)); });
    b->SetSelected(true);
    a->SetSelected(true);
    a->SetSelected(true);
    EXPECT_EQ(tree->GetSelectedCount(), 2);
    EXPECT_EQ(tree->GetSelectedItem(0), b);
    EXPECT_EQ(tree->GetSelected(), a);
    b->SetSelected(false);
    EXPECT_EQ(tree->GetSelectedCount(), 1);
    EXPECT_EQ(log, (Strings{"+b", "+a", "-b"}));
}

TEST_F(TreeNodeTest, ANodeSelectedWhileDetachedJoinsNoSelectionWhenAttached)
{
    auto* node = new TILTreeNode;
    node->SetSelected(true);
    EXPECT_TRUE(node->Selected());
    node->SetParent(Root());
    EXPECT_FALSE(node->Selected());
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    node->SetSelected(true);
    EXPECT_EQ(tree->GetSelected(), node);
}

TEST_F(TreeNodeTest, HooksReachTheTreesEventsWithTheNode)
{
    TILTreeNode* node = Add(Root(), {"a"});
    std::vector<std::string> log;
    tree->SetOnNodeClick([&](TILTree* sender, TILTreeNode* which) {
        EXPECT_EQ(sender, tree.get());
        log.push_back("click " + which->GetCellText(0));
    });
    tree->SetOnNodeDblClick([&](TILTree*, TILTreeNode* which) { log.push_back("double " + which->GetCellText(0)); });
    tree->SetOnDrawNode([&](TILTree*, TILTreeNode* which) { log.push_back("draw " + which->GetCellText(0)); });
    fw::Bitmap bitmap(4, 4);
    fw::Canvas canvas(bitmap);
    tree->SetBeforeDrawCell([&](TILTree*, fw::Canvas& on, TILTreeColumnData* column, TILTreeNode*,
                                const fw::Rect& extents, TILTreeColumnDrawData*) {
        EXPECT_EQ(&on, &canvas);
        log.push_back("before " + std::to_string(column->Index()) + " " + std::to_string(extents.Right));
    });
    tree->SetAfterDrawCell([&](TILTree*, fw::Canvas&, TILTreeColumnData* column, TILTreeNode*, const fw::Rect&,
                               TILTreeColumnDrawData*) { log.push_back("after " + std::to_string(column->Index())); });
    node->DoClick();
    node->DoDblClick();
    node->DoDrawNode();
    node->DoBeforeDrawCell(canvas, tree->GetColumn(1), fw::Rect{0, 0, 9, 9}, nullptr);
    node->DoAfterDrawCell(canvas, tree->GetColumn(2), fw::Rect{0, 0, 9, 9}, nullptr);
    EXPECT_EQ(log, (Strings{"click a", "double a", "draw a", "before 1 9", "after 2"}));

    EXPECT_TRUE(node->CanSelect(false));
    tree->SetOnCanSelectNode([&](TILTree*, TILTreeNode*, bool multi) { return multi; });
    EXPECT_FALSE(node->CanSelect(false));
    EXPECT_TRUE(node->CanSelect(true));
    TILTreeNode detached;
    EXPECT_TRUE(detached.CanSelect(false));
}

TEST_F(TreeNodeTest, TheRootIsNeverHiddenAndHiddenRowsLeaveTheVisibleOrder)
{
    Root()->SetHidden(true);
    EXPECT_FALSE(Root()->Hidden());
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* b = Add(Root(), {"b"});
    a->SetHidden(true);
    EXPECT_EQ(Root()->NextVisible(), b);
    EXPECT_EQ(b->PrevVisible(), nullptr);
    tree->EnsureLayout();
    EXPECT_EQ(b->Top(), tree->HeadingHeight()) << "the hidden row takes no room";
    a->SetHidden(false);
    tree->EnsureLayout();
    EXPECT_EQ(b->Top(), tree->HeadingHeight() + a->Height());
}

TEST_F(TreeNodeTest, RowTextIndentsTheTreeColumnAndLeavesOutHiddenColumns)
{
    TILTreeNode* a = Add(Root(), {"a", "x", "y"});
    TILTreeNode* ax = Add(a, {"ax", "1", "2", "beyond"});
    EXPECT_EQ(a->GetRowText(false), "a\tx\ty");
    EXPECT_EQ(ax->GetRowText(false), "  ax\t1\t2");
    EXPECT_EQ(ax->GetRowText(true), "  ax\t1\t2\tbeyond");
    tree->GetColumn(1)->SetIsHidden(true);
    tree->SetTreeColumn(2);
    EXPECT_EQ(ax->GetRowText(false), "ax\t  2");
    EXPECT_EQ(ax->GetRowText(true), "ax\t1\t  2\tbeyond");
}

TEST_F(TreeNodeTest, AutoSizeRowFitsTheWrappedTextWithMarginsAndExtras)
{
    fw::FakePaintBackend backend;
    tree->SetPaintBackend(&backend);
    TILTreeColumnData* column = tree->GetColumn(1);
    column->SetWidth(40);
    column->SetWrapOverride(iltWrapEnabled);
    TILTreeNode* a = Add(Root(), {"a", "aaa bbb ccc"});
    TILTreeNode* ax = Add(a, {"ax", "one"});
    // 6 pixels a character: "aaa bbb" is 42 wide, so three lines of 13.
    a->AutoSizeRow(1, 0, 2, 3, true, false);
    EXPECT_EQ(a->Height(), 3 * 13 + 2 + 3);
    EXPECT_EQ(ax->Height(), 16);
    a->AutoSizeRow(1, 30, 0, 0, false, true);
    EXPECT_EQ(a->Height(), 44) << "Resize off leaves the node itself alone";
    EXPECT_EQ(ax->Height(), 30) << "children are resized, not below the minimum";

    column->SetWrapOverride(iltWrapDisabled);
    tree->DefaultDrawNormal().TextMargins().SetTop(4);
    tree->DefaultDrawNormal().TextMargins().SetBottom(5);
    a->AutoSizeRow(1, 0, 0, 0, true, false);
    EXPECT_EQ(a->Height(), 13 + 9);
    tree->DefaultDrawNormal().TextMargins().SetEnabled(false);
    a->AutoSizeRow(1, 0, 0, 0, true, false);
    EXPECT_EQ(a->Height(), 13);
    a->AutoSizeRow(7, 50, 0, 0, true, false);
    EXPECT_EQ(a->Height(), 13) << "no such column";
    tree->SetPaintBackend(nullptr);
}

TEST_F(TreeNodeTest, AutoSizeRowStopsWhenTheTreeCellIsTooNarrow)
{
    fw::FakePaintBackend backend;
    tree->SetPaintBackend(&backend);
    tree->GetColumn(0)->SetWidth(12);
    TILTreeNode* a = Add(Root(), {"a"});
    TILTreeNode* ax = Add(a, {"ax"});
    a->AutoSizeRow(0, 40, 0, 0, true, true);
    EXPECT_EQ(a->Height(), 16);
    EXPECT_EQ(ax->Height(), 16);
    tree->SetPaintBackend(nullptr);
}

} // namespace
