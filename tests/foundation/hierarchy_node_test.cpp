#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "foundation/hierarchy_node.h"
#include "framework/core/exceptions.h"

namespace {

// Counts its own destruction, to see which nodes a clear frees and that none goes twice.
class CountedNode : public THierarchyNode {
public:
    explicit CountedNode(int* freed) : freed_(freed) {}
    ~CountedNode() override { ++*freed_; }

    std::string_view className() const override { return "TCountedNode"; }
    fw::Object* NewInstance() const override { return new CountedNode(freed_); }

private:
    int* freed_;
};

// A subclass with state of its own, to see that copies keep their class.
class NamedNode : public THierarchyNode {
public:
    std::string name;

    std::string_view className() const override { return "TNamedNode"; }
    fw::Object* NewInstance() const override { return new NamedNode; }
    void Assign(const fw::Persistent* source) override
    {
        if (auto* other = dynamic_cast<const NamedNode*>(source)) {
            name = other->name;
        }
        THierarchyNode::Assign(source);
    }
};

// Refuses to let go of its parents while told to.
class StubbornNode : public THierarchyNode {
public:
    bool refuse = false;

    void RemoveParent(THierarchyNode* node) override
    {
        if (refuse) {
            throw fw::Exception("refused");
        }
        THierarchyNode::RemoveParent(node);
    }
};

template <class Node = THierarchyNode>
Node* AddNew(THierarchyNode* parent)
{
    auto* node = new Node;
    parent->AddChild(node);
    return node;
}

// The error's message, followed by " <- " and the message of the error nested in it, if any.
std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        try {
            std::rethrow_if_nested(error);
        } catch (const std::exception& cause) {
            return fw::ErrorMessage(error) + " <- " + fw::ErrorMessage(cause);
        }
        return fw::ErrorMessage(error);
    }
    return "(no error)";
}

// Every node of a level chain, from the given node on.
std::vector<THierarchyNode*> ChainFrom(THierarchyNode* first)
{
    std::vector<THierarchyNode*> chain;
    for (THierarchyNode* node = first; node != nullptr; node = node->NextInLevel()) {
        chain.push_back(node);
    }
    return chain;
}

} // namespace

TEST(HierarchyCircularReference, RefusesEveryLinkThatWouldCloseACycleAndLeavesTheGraphAlone)
{
    THierarchyRoot root;
    THierarchyNode* a = AddNew(&root);
    THierarchyNode* b = AddNew(a);
    THierarchyNode* c = AddNew(b);

    const std::string childMessage = "Circular reference - child node is already a parent!";
    const std::string parentMessage = "Circular reference - parent node is already a child!";
    EXPECT_EQ(MessageOf([&] { b->AddChild(a); }), childMessage);
    EXPECT_EQ(MessageOf([&] { c->AddChild(a); }), childMessage);
    EXPECT_EQ(MessageOf([&] { a->AddChild(a); }), childMessage);
    EXPECT_EQ(MessageOf([&] { a->AddParent(b); }), parentMessage);
    EXPECT_EQ(MessageOf([&] { a->AddParent(c); }), parentMessage);
    EXPECT_EQ(MessageOf([&] { a->AddParent(a); }), parentMessage);

    EXPECT_EQ(a->ParentCount(), 1);
    EXPECT_EQ(c->ChildCount(), 0);

    // A link that is already there, or none, is no error and adds nothing.
    a->AddChild(b);
    b->AddParent(a);
    a->AddChild(nullptr);
    EXPECT_EQ(a->ChildCount(), 1);
    EXPECT_EQ(b->ParentCount(), 1);
}

TEST(HierarchyLevels, FollowTheDeepestParentAndNeverDecrease)
{
    THierarchyRoot root;
    THierarchyNode* a = AddNew(&root);
    THierarchyNode* b = AddNew(&root);
    THierarchyNode* c = AddNew(b);
    THierarchyNode* d = AddNew(c);
    EXPECT_EQ(root.Level(), 0);
    EXPECT_EQ(a->Level(), 1);
    EXPECT_EQ(d->Level(), 3);

    THierarchyNode* x = AddNew(a);
    THierarchyNode* below = AddNew(x);
    EXPECT_EQ(x->Level(), 2);
    x->AddParent(d);
    EXPECT_EQ(d->Child(0), x);
    EXPECT_EQ(x->Level(), 4);
    EXPECT_EQ(below->Level(), 5) << "a raised node raises what lies below it";

    x->RemoveParent(d);
    EXPECT_EQ(d->ChildCount(), 0);
    EXPECT_EQ(x->Level(), 4);
    root.Relayout();
    EXPECT_EQ(x->Level(), 4);
    EXPECT_EQ(root.MaxLevel(), 5);

    // A node whose first parent is the root stays on level 1 whatever its other parents.
    THierarchyNode* y = AddNew(&root);
    c->AddChild(y);
    EXPECT_EQ(y->Level(), 1);
}

TEST(HierarchyLevels, AlignChildlessMovesLeavesToTheDeepestLevelAtRelayout)
{
    THierarchyRoot root;
    THierarchyNode* deep = &root;
    for (int level = 1; level <= 5; ++level) {
        deep = AddNew(deep);
    }
    THierarchyNode* branch = AddNew(&root);
    THierarchyNode* leaf = AddNew(branch);

    root.Relayout();
    EXPECT_EQ(leaf->Level(), 2);
    EXPECT_EQ(root.MaxLevel(), 5);

    root.SetAlignChildless(true);
    EXPECT_EQ(leaf->Level(), 2) << "only Relayout moves nodes";
    root.Relayout();
    EXPECT_EQ(leaf->Level(), 5);
    EXPECT_EQ(branch->Level(), 1);
    EXPECT_EQ(root.MaxLevel(), 5);
    EXPECT_EQ(ChainFrom(root.FindFirstOfLevel(5)), (std::vector<THierarchyNode*>{deep, leaf}));
    EXPECT_EQ(ChainFrom(root.FindFirstOfLevel(2)), (std::vector<THierarchyNode*>{root.Child(0)->Child(0)}));
}

TEST(HierarchyLevelChains, LinkEachNodeOnceInDepthFirstOrderAndCloseBehindLeavingNodes)
{
    THierarchyRoot root;
    THierarchyNode* a = AddNew(&root);
    THierarchyNode* b = AddNew(&root);
    THierarchyNode* c = AddNew(a);
    THierarchyNode* d = AddNew(a);
    THierarchyNode* e = AddNew(b);
    b->AddChild(d);
    root.Relayout();

    EXPECT_EQ(ChainFrom(a), (std::vector<THierarchyNode*>{a, b}));
    EXPECT_EQ(ChainFrom(c), (std::vector<THierarchyNode*>{c, d, e}));
    EXPECT_EQ(c->PrevInLevel(), nullptr);
    EXPECT_EQ(e->PrevInLevel(), d);
    EXPECT_EQ(root.FindFirstOfLevel(1), a);
    EXPECT_EQ(root.FindFirstOfLevel(2), c);
    EXPECT_EQ(b->FindFirstOfLevel(2), c) << "found below b, then followed back to the chain's start";
    EXPECT_EQ(b->FindFirstOfLevel(1), nullptr) << "b itself is not below b";
    EXPECT_EQ(root.FindFirstOfLevel(7), nullptr);

    delete d;
    EXPECT_EQ(c->NextInLevel(), e);
    EXPECT_EQ(e->PrevInLevel(), c);
    EXPECT_EQ(a->ChildCount(), 1);
    EXPECT_EQ(b->ChildCount(), 1);

    // A subgraph taken out keeps old chain links until the next layout; then they must not
    // point into the graph, whose nodes may be freed while the subgraph lives on.
    THierarchyNode* f = AddNew(b);
    root.Relayout();
    EXPECT_EQ(ChainFrom(c), (std::vector<THierarchyNode*>{c, e, f}));
    root.RemoveChild(a);
    EXPECT_EQ(a->PrevInLevel(), nullptr);
    EXPECT_EQ(b->PrevInLevel(), nullptr);
    root.Relayout();
    EXPECT_EQ(ChainFrom(e), (std::vector<THierarchyNode*>{e, f}));
    EXPECT_EQ(c->NextInLevel(), nullptr);
    root.Clear();
    EXPECT_EQ(root.MaxLevel(), 0);
    delete a;
}

TEST(HierarchyClearing, FreesOnlyChildrenLeftWithoutParentsAndEveryNodeOnce)
{
    int freed = 0;
    THierarchyNode other;
    {
        THierarchyNode parent;
        auto* shared = new CountedNode(&freed);
        auto* own = new CountedNode(&freed);
        parent.AddChild(shared);
        parent.AddChild(own);
        other.AddChild(shared);
        own->AddChild(new CountedNode(&freed));

        parent.ClearChildren();
        EXPECT_EQ(freed, 2) << "the own child and its child";
        EXPECT_EQ(parent.ChildCount(), 0);
        ASSERT_EQ(shared->ParentCount(), 1);
        EXPECT_EQ(shared->Parent(0), &other);
    }
    other.ClearChildren();
    EXPECT_EQ(freed, 3);

    // A diamond below a root, and a node that is also a child of a node outside it.
    freed = 0;
    THierarchyNode outside;
    THierarchyNode* survivor = nullptr;
    {
        THierarchyRoot root;
        auto* left = new CountedNode(&freed);
        auto* right = new CountedNode(&freed);
        auto* bottom = new CountedNode(&freed);
        survivor = new CountedNode(&freed);
        root.AddChild(left);
        root.AddChild(right);
        left->AddChild(bottom);
        right->AddChild(bottom);
        bottom->AddChild(new CountedNode(&freed));
        right->AddChild(survivor);
        outside.AddChild(survivor);
        root.Relayout();
    }
    EXPECT_EQ(freed, 4);
    ASSERT_EQ(outside.ChildCount(), 1);
    EXPECT_EQ(survivor->ParentCount(), 1);
    EXPECT_EQ(survivor->PrevInLevel(), nullptr);
    EXPECT_EQ(survivor->NextInLevel(), nullptr);
}

TEST(HierarchyClearing, ReportsAFailureWithTheNodeAndLeavesNoLinkOneSided)
{
    THierarchyRoot root;
    THierarchyNode* parent = AddNew(&root);
    parent->Tag = 7;
    auto* stubborn = AddNew<StubbornNode>(parent);
    stubborn->Tag = 9;
    stubborn->refuse = true;

    EXPECT_EQ(MessageOf([&] { parent->ClearChildren(); }),
              "Error clearing Hierarchy node children: Node level: 1 Tag: 7 <- refused");
    EXPECT_EQ(parent->Child(0), stubborn);
    EXPECT_EQ(stubborn->Parent(0), parent);

    EXPECT_EQ(MessageOf([&] { stubborn->ClearParents(); }),
              "Error clearing Hierarchy node parents: Node level: 2 Tag: 9 <- refused");
    EXPECT_EQ(parent->Child(0), stubborn);
    EXPECT_EQ(stubborn->Parent(0), parent);

    stubborn->refuse = false;
    stubborn->ClearParents();
    EXPECT_EQ(parent->ChildCount(), 0);
    delete stubborn;
}

TEST(HierarchyAssign, CopiesEachNodeOnceWithItsClassAndKeepsSharedNodesShared)
{
    THierarchyRoot source;
    auto* left = AddNew<NamedNode>(&source);
    auto* right = AddNew<NamedNode>(&source);
    auto* bottom = AddNew<NamedNode>(left);
    right->AddChild(bottom);
    auto* leaf = AddNew<NamedNode>(bottom);
    left->name = "left";
    right->name = "right";
    bottom->name = "bottom";
    bottom->Tag = 42;
    int payload = 0;
    bottom->Data = &payload;
    leaf->name = "leaf";

    THierarchyRoot copy;
    AddNew(&copy);
    copy.AssignHierarchy(&source);
    ASSERT_EQ(copy.ChildCount(), 2);
    auto* leftCopy = dynamic_cast<NamedNode*>(copy.Child(0));
    auto* rightCopy = dynamic_cast<NamedNode*>(copy.Child(1));
    ASSERT_NE(leftCopy, nullptr);
    ASSERT_NE(rightCopy, nullptr);
    EXPECT_NE(leftCopy, left);
    EXPECT_EQ(leftCopy->name, "left");
    auto* bottomCopy = dynamic_cast<NamedNode*>(leftCopy->Child(0));
    ASSERT_NE(bottomCopy, nullptr);
    EXPECT_NE(bottomCopy, bottom);
    EXPECT_EQ(rightCopy->Child(0), bottomCopy);
    EXPECT_EQ(bottomCopy->ParentCount(), 2);
    EXPECT_EQ(bottomCopy->name, "bottom");
    EXPECT_EQ(bottomCopy->Tag, 42);
    EXPECT_EQ(bottomCopy->Data, &payload);
    EXPECT_EQ(copy.Descendants().size(), 4u);
    EXPECT_EQ(copy.MaxLevel(), 3);
    EXPECT_EQ(source.Descendants().size(), 4u) << "the source is left alone";

    // From a node: that node and what lies below it, as the only top-level node.
    copy.AssignHierarchy(right);
    ASSERT_EQ(copy.ChildCount(), 1);
    EXPECT_TRUE(copy.Child(0)->IsTopLevel());
    EXPECT_EQ(dynamic_cast<NamedNode*>(copy.Child(0))->name, "right");
    EXPECT_EQ(copy.Descendants().size(), 3u);
    EXPECT_EQ(copy.MaxLevel(), 3);

    // From a node of its own graph, which clearing would free.
    copy.AssignHierarchy(copy.Child(0)->Child(0));
    ASSERT_EQ(copy.ChildCount(), 1);
    EXPECT_EQ(dynamic_cast<NamedNode*>(copy.Child(0))->name, "bottom");
    EXPECT_EQ(copy.Descendants().size(), 2u);

    copy.AssignHierarchy(nullptr);
    EXPECT_EQ(copy.ChildCount(), 0);

    THierarchyNode plain;
    plain.Assign(bottom);
    EXPECT_EQ(plain.Tag, 42);
    EXPECT_EQ(plain.ChildCount(), 0) << "Assign copies no links";
    fw::Persistent notANode;
    EXPECT_THROW(plain.Assign(&notANode), fw::EConvertError);
}

TEST(HierarchyNavigation, FindsRootTopLevelNodesDeepestParentsAndIndexedLinks)
{
    THierarchyRoot root;
    THierarchyNode* a = AddNew(&root);
    THierarchyNode* b = AddNew(&root);
    THierarchyNode* c = AddNew(b);
    THierarchyNode* x = AddNew(a);
    b->AddChild(x);
    EXPECT_EQ(x->DeepestParent(), a) << "the first of equals";
    c->AddChild(x);
    EXPECT_EQ(x->DeepestParent(), c);
    EXPECT_EQ(root.DeepestParent(), nullptr);

    EXPECT_TRUE(a->IsTopLevel());
    EXPECT_FALSE(c->IsTopLevel());
    EXPECT_FALSE(root.IsTopLevel());
    THierarchyNode* twoParents = AddNew(&root);
    a->AddChild(twoParents);
    EXPECT_FALSE(twoParents->IsTopLevel());

    EXPECT_EQ(x->Root(), &root);
    EXPECT_EQ(root.Root(), &root);
    THierarchyNode loose;
    EXPECT_EQ(loose.Root(), nullptr);
    THierarchyNode top;
    THierarchyNode* under = AddNew(&top);
    EXPECT_EQ(under->Root(), nullptr);

    EXPECT_EQ(x->Parent(2), c);
    EXPECT_EQ(x->Parent(3), nullptr);
    EXPECT_EQ(x->Parent(-1), nullptr);
    EXPECT_EQ(root.Child(3), nullptr);
    EXPECT_EQ(loose.Child(0), nullptr);
}

TEST(HierarchyDeepGraphs, ChainOfTenThousandNodesIsLaidOutCopiedAndFreedWithoutRecursion)
{
    constexpr int depth = 10000;
    int freed = 0;
    {
        THierarchyRoot root;
        THierarchyNode* last = &root;
        for (int level = 1; level <= depth; ++level) {
            auto* node = new CountedNode(&freed);
            last->AddChild(node);
            last = node;
        }
        root.Relayout();
        EXPECT_EQ(root.MaxLevel(), depth);
        EXPECT_EQ(last->Level(), depth);
        EXPECT_EQ(root.FindFirstOfLevel(depth), last);
        EXPECT_EQ(last->Root(), &root);

        THierarchyRoot copy;
        copy.AssignHierarchy(&root);
        EXPECT_EQ(copy.MaxLevel(), depth);
        EXPECT_EQ(copy.Descendants().size(), static_cast<size_t>(depth));

        // A chain built apart and hung below a root in one link gets every level at once.
        THierarchyNode* head = new THierarchyNode;
        THierarchyNode* tail = head;
        for (int level = 2; level <= depth; ++level) {
            tail = AddNew(tail);
        }
        copy.Child(0)->AddChild(head);
        EXPECT_EQ(tail->Level(), depth + 1);
        EXPECT_EQ(MessageOf([&] { tail->AddChild(copy.Child(0)); }),
                  "Circular reference - child node is already a parent!");
    }
    EXPECT_EQ(freed, 2 * depth) << "the chain and its copy, every node once";
}
