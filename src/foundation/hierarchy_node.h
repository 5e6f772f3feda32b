#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "framework/core/list.h"
#include "framework/core/object.h"

class THierarchyRoot;

// A node of a directed acyclic graph: any number of parents and children, a level (1 for a
// node right below the root, deeper nodes higher) and a place in the chain of the nodes of
// its level, which the root's Relayout builds. Links are kept on both ends: a node's child
// always has that node among its parents.
//
// Ownership follows the links: a child that ClearChildren (or the freeing of a parent)
// leaves without any parent is freed; a child that keeps another parent lives on. So a node
// reached through several parents is freed exactly once, when its last parent lets go. The
// node owns its two lists, never the nodes they refer to.
class THierarchyNode : public fw::Persistent {
public:
    THierarchyNode() = default;
    // ClearChildren, ClearParents, then leaves its level chain. A destructor cannot dispatch
    // to overrides, so this node's own RemoveChild/RemoveParent are the base ones here (the
    // nodes at the other end still run theirs). An error while freeing cannot be reported
    // from a destructor and ends the program: going on would leave other nodes pointing at
    // freed memory.
    ~THierarchyNode() override;

    std::string_view className() const override { return "THierarchyNode"; }
    // Subclasses override this too, so that AssignHierarchy copies them with their own class.
    fw::Object* NewInstance() const override { return new THierarchyNode; }
    // From another node: Tag and Data. The links are not copied; AssignHierarchy copies graphs.
    void Assign(const fw::Persistent* source) override;

    // Free for the user; Assign copies both. Data is not owned.
    int Tag = 0;
    void* Data = nullptr;

    const fw::List& Parents() const { return parents_; }
    const fw::List& Children() const { return children_; }
    int ParentCount() const { return parents_.Count(); }
    int ChildCount() const { return children_.Count(); }
    // None outside the range.
    THierarchyNode* Parent(int index) const;
    THierarchyNode* Child(int index) const;

    // 1 right below the root, 0 for the root and for a node that never had a parent. Levels
    // only ever grow: removing a parent does not make a node shallower.
    int Level() const { return level_; }
    THierarchyNode* PrevInLevel() const { return prevInLevel_; }
    THierarchyNode* NextInLevel() const { return nextInLevel_; }

    // None or a child already: nothing. This node itself or one of its ancestors raises
    // "Circular reference - child node is already a parent!". Else the node is appended to
    // the children, this node is added to its parents, and the levels below are recomputed.
    virtual void AddChild(THierarchyNode* node);
    // Takes a child out on both ends; frees nothing. The child leaves its level chain.
    virtual void RemoveChild(THierarchyNode* node);
    // None or a parent already: nothing. This node itself or one of its descendants raises
    // "Circular reference - parent node is already a child!". Else linked on both ends and
    // the levels from this node down are recomputed.
    virtual void AddParent(THierarchyNode* node);
    // Takes a parent out on both ends; this node leaves its level chain.
    virtual void RemoveParent(THierarchyNode* node);

    // From the last child to the first: RemoveChild, and a child left without parents is
    // freed. A failure is raised as "Error clearing Hierarchy node children: Node level: <level>
    // Tag: <tag>", with the original error nested in it.
    void ClearChildren();
    // From the last parent to the first: RemoveParent. A failure is raised as "Error clearing
    // Hierarchy node parents: ..." in the same way.
    void ClearParents();

    // Exactly one parent, and that parent is a root.
    bool IsTopLevel() const;
    // The root reached by following first parents upwards, none when the top is no root.
    THierarchyRoot* Root() const;
    // The parent with the highest level, the first of equals; none without parents.
    THierarchyNode* DeepestParent() const;
    // The first node of the level chain that holds the first node below this one, depth
    // first, on the given level; none when no node below is on that level.
    THierarchyNode* FindFirstOfLevel(int level) const;
    // Every node below this one, each once, in depth-first order along the children.
    std::vector<THierarchyNode*> Descendants() const;

protected:
    // Frees everything below this node that hangs from it alone, the way a document frees
    // its elements: the links are dropped wholesale instead of being taken apart one by one
    // through RemoveChild and RemoveParent, so classes that override those must not use it.
    // A child that has another parent is only let go, as ClearChildren would.
    void FreeOwnedSubtree();

private:
    friend class THierarchyRoot;

    // Visits every node below this one once, depth first in child order, until the visitor
    // answers true. Iterative: graphs can be far deeper than the stack.
    void WalkDescendants(const std::function<bool(THierarchyNode*)>& visit) const;
    // Whether the node is this one or lies below it.
    bool Reaches(const THierarchyNode* node) const;
    // Raises the level to the one its parents give it; returns the level.
    int RaiseLevel();
    // Recomputes the levels of the given nodes and everything below them, every node once
    // after all its parents; returns the highest level met, 0 for none.
    static int RecomputeLevels(const std::vector<THierarchyNode*>& starts);
    // Closes the level chain behind this node; no neighbour keeps pointing at it.
    void UnlinkFromLevel();

    fw::List parents_;
    fw::List children_;
    THierarchyNode* prevInLevel_ = nullptr;
    THierarchyNode* nextInLevel_ = nullptr;
    int level_ = 0;
    // The other end of a link or unlink that this node has started and is waiting for.
    THierarchyNode* linkingChild_ = nullptr;
    THierarchyNode* linkingParent_ = nullptr;
    THierarchyNode* unlinkingChild_ = nullptr;
    THierarchyNode* unlinkingParent_ = nullptr;
};

// The root of a node graph. It lays the nodes out in levels: Relayout recomputes every
// level, can push the childless nodes down to the deepest level, and chains the nodes of
// each level in depth-first order. Freeing the root frees every node that has no parent
// outside its graph.
class THierarchyRoot : public THierarchyNode {
public:
    std::string_view className() const override { return "THierarchyRoot"; }
    fw::Object* NewInstance() const override { return new THierarchyRoot; }

    // The deepest level as of the last Relayout; 0 for an empty graph.
    int MaxLevel() const { return maxLevel_; }
    // Whether Relayout places the nodes without children on the deepest level.
    bool AlignChildless() const { return alignChildless_; }
    void SetAlignChildless(bool align) { alignChildless_ = align; }

    // Recomputes the levels from the top-level nodes down (they only grow), sets MaxLevel,
    // with AlignChildless puts every childless node on MaxLevel, and rebuilds the chain of
    // each level in depth-first child order.
    virtual void Relayout();
    // Clear, then a copy below this root of the source graph: from a root, everything below
    // it; from a node, that node and everything below it. Every source node is copied once
    // with its own class (NewInstance, then Assign); a node reached again through another
    // parent is linked to the copy already made. Then Relayout. None only clears.
    virtual void AssignHierarchy(const THierarchyNode* source);
    // ClearChildren, then Relayout.
    void Clear();

private:
    void RebuildLevelChains(const std::vector<THierarchyNode*>& nodes);

    int maxLevel_ = 0;
    bool alignChildless_ = false;
};
