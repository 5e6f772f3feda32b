#include "foundation/hierarchy_node.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <unordered_set>

#include "framework/core/exceptions.h"

namespace {

// While freed nodes are being worked off, the nodes that their destructors leave without
// parents wait here and are freed by the outermost ClearChildren, not inside the destructor
// that orphaned them. Freeing a deep graph then nests no destructors, whatever its depth.
thread_local std::vector<THierarchyNode*>* pendingOrphans = nullptr;

// The orphans come last child first. They are stacked so that the last child goes first and
// the nodes it orphans in turn go before its siblings, as a recursive walk would free them.
void FreeOrphans(const std::vector<THierarchyNode*>& orphans)
{
    if (pendingOrphans != nullptr) {
        pendingOrphans->insert(pendingOrphans->end(), orphans.rbegin(), orphans.rend());
        return;
    }
    std::vector<THierarchyNode*> pending(orphans.rbegin(), orphans.rend());
    pendingOrphans = &pending;
    while (!pending.empty()) {
        THierarchyNode* node = pending.back();
        pending.pop_back();
        delete node;
    }
    pendingOrphans = nullptr;
}

// Every new link asks this of a parent, and a failing dynamic_cast walks the whole class
// hierarchy. The answer depends on the class alone, so the last class asked about is
// remembered: a graph is mostly built of nodes of one class.
bool IsRootNode(const THierarchyNode* node)
{
    thread_local const std::type_info* lastClass = nullptr;
    thread_local bool lastIsRoot = false;
    const std::type_info& nodeClass = typeid(*node);
    if (lastClass == nullptr || *lastClass != nodeClass) {
        lastIsRoot = dynamic_cast<const THierarchyRoot*>(node) != nullptr;
        lastClass = &nodeClass;
    }
    return lastIsRoot;
}

std::string NodeText(int level, int tag)
{
    return "Node level: " + std::to_string(level) + " Tag: " + std::to_string(tag);
}

} // namespace

THierarchyNode::~THierarchyNode()
{
    ClearChildren();
    ClearParents();
    UnlinkFromLevel();
}

void THierarchyNode::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const THierarchyNode*>(source)) {
        Tag = other->Tag;
        Data = other->Data;
        return;
    }
    fw::Persistent::Assign(source);
}

THierarchyNode* THierarchyNode::Parent(int index) const
{
    if (index < 0 || index >= ParentCount()) {
        return nullptr;
    }
    return static_cast<THierarchyNode*>(parents_.Items(index));
}

THierarchyNode* THierarchyNode::Child(int index) const
{
    if (index < 0 || index >= ChildCount()) {
        return nullptr;
    }
    return static_cast<THierarchyNode*>(children_.Items(index));
}

// Each link is made on this end first and completed by the other end's AddParent. Should an
// override there refuse, this end takes its half back, so that no link is ever one-sided.
// While one end completes a link or an unlink that the other end started, that other end
// is marked, so the completing call does not come back to search its lists: a node with
// many children would otherwise pay a full search for every link.
void THierarchyNode::AddChild(THierarchyNode* node)
{
    if (node == nullptr) {
        return;
    }
    const bool completing = node->linkingParent_ == this;
    if (!completing) {
        // Links are two-sided, so the child's (short) parent list answers for the (long)
        // child list.
        if (node->parents_.IndexOf(this) >= 0) {
            return;
        }
        if (node->Reaches(this)) {
            throw fw::Exception("Circular reference - child node is already a parent!");
        }
    }
    children_.AddReference(node);
    if (!completing) {
        linkingChild_ = node;
        try {
            node->AddParent(this);
        } catch (...) {
            linkingChild_ = nullptr;
            if (node->parents_.IndexOf(this) < 0) {
                children_.DeleteReference(children_.LastIndexOf(node));
            }
            throw;
        }
        linkingChild_ = nullptr;
    }
    // A new leaf, the common case while a graph grows, needs neither a walk nor a list.
    if (node->ChildCount() == 0) {
        node->RaiseLevel();
    } else {
        RecomputeLevels({node});
    }
}

void THierarchyNode::AddParent(THierarchyNode* node)
{
    if (node == nullptr) {
        return;
    }
    const bool completing = node->linkingChild_ == this;
    if (!completing) {
        if (parents_.IndexOf(node) >= 0) {
            return;
        }
        if (Reaches(node)) {
            throw fw::Exception("Circular reference - parent node is already a child!");
        }
    }
    parents_.AddReference(node);
    if (!completing) {
        linkingParent_ = node;
        try {
            node->AddChild(this);
        } catch (...) {
            linkingParent_ = nullptr;
            const int index = node->children_.LastIndexOf(this);
            if (index < 0) {
                parents_.RemoveReference(node);
            }
            throw;
        }
        linkingParent_ = nullptr;
    }
    if (ChildCount() == 0) {
        RaiseLevel();
    } else {
        RecomputeLevels({this});
    }
}

// A child that keeps another parent stays in its chain here, but its RemoveParent takes it
// out in any case; the next Relayout puts it back.
void THierarchyNode::RemoveChild(THierarchyNode* node)
{
    if (node == nullptr) {
        return;
    }
    const bool completing = node->unlinkingParent_ == this;
    if (!completing && node->parents_.IndexOf(this) < 0) {
        return;
    }
    // Children are mostly taken from the end (ClearChildren goes last to first).
    const int index = children_.LastIndexOf(node);
    if (index < 0) {
        return;
    }
    if (node->ParentCount() < 2) {
        node->UnlinkFromLevel();
    }
    children_.DeleteReference(index);
    if (completing) {
        return;
    }
    unlinkingChild_ = node;
    try {
        node->RemoveParent(this);
    } catch (...) {
        unlinkingChild_ = nullptr;
        if (node->parents_.IndexOf(this) >= 0) {
            children_.Insert(index, node);
        }
        throw;
    }
    unlinkingChild_ = nullptr;
}

void THierarchyNode::RemoveParent(THierarchyNode* node)
{
    const int index = parents_.IndexOf(node);
    if (node == nullptr || index < 0) {
        return;
    }
    const bool completing = node->unlinkingChild_ == this;
    UnlinkFromLevel();
    parents_.DeleteReference(index);
    if (completing) {
        return;
    }
    unlinkingParent_ = node;
    try {
        node->RemoveChild(this);
    } catch (...) {
        unlinkingParent_ = nullptr;
        if (node->children_.LastIndexOf(this) >= 0) {
            parents_.Insert(index, node);
        }
        throw;
    }
    unlinkingParent_ = nullptr;
}

void THierarchyNode::FreeOwnedSubtree()
{
    std::vector<THierarchyNode*> owned;
    std::vector<THierarchyNode*> shared;
    std::vector<THierarchyNode*> pending{this};
    while (!pending.empty()) {
        THierarchyNode* node = pending.back();
        pending.pop_back();
        for (fw::Object* item : node->children_) {
            auto* child = static_cast<THierarchyNode*>(item);
            if (child->ParentCount() == 1) {
                owned.push_back(child);
                pending.push_back(child);
            } else {
                shared.push_back(child);
            }
        }
    }
    // Nodes with other parents leave by the ordinary road before anything is freed.
    for (THierarchyNode* child : shared) {
        for (fw::Object* item : std::vector<fw::Object*>(child->parents_.begin(), child->parents_.end())) {
            auto* parent = static_cast<THierarchyNode*>(item);
            if (parent == this || std::find(owned.begin(), owned.end(), parent) != owned.end()) {
                parent->RemoveChild(child);
            }
        }
    }
    // First every node leaves its level chain and drops its links, while all are alive; then
    // all are freed, each finding nothing left to take apart.
    for (THierarchyNode* node : owned) {
        node->UnlinkFromLevel();
        node->parents_.ClearReferences();
        node->children_.ClearReferences();
    }
    children_.ClearReferences();
    // A shared node met through several owned parents is listed once.
    std::sort(shared.begin(), shared.end());
    shared.erase(std::unique(shared.begin(), shared.end()), shared.end());
    std::vector<THierarchyNode*> orphans;
    for (THierarchyNode* child : shared) {
        if (child->ParentCount() == 0) {
            orphans.push_back(child);
        }
    }
    for (THierarchyNode* node : owned) {
        delete node;
    }
    FreeOrphans(orphans);
}

void THierarchyNode::ClearChildren()
{
    std::vector<THierarchyNode*> orphans;
    // Reserved up front: once a child is taken out, remembering it must not fail, or it leaks.
    orphans.reserve(static_cast<size_t>(ChildCount()));
    try {
        for (int index = ChildCount() - 1; index >= 0; --index) {
            THierarchyNode* child = Child(index);
            if (child == nullptr) {
                continue;
            }
            RemoveChild(child);
            if (child->ParentCount() == 0) {
                orphans.push_back(child);
            }
        }
    } catch (...) {
        FreeOrphans(orphans);
        std::throw_with_nested(
            fw::Exception("Error clearing Hierarchy node children: " + NodeText(level_, Tag)));
    }
    FreeOrphans(orphans);
}

void THierarchyNode::ClearParents()
{
    try {
        for (int index = ParentCount() - 1; index >= 0; --index) {
            RemoveParent(Parent(index));
        }
    } catch (...) {
        std::throw_with_nested(
            fw::Exception("Error clearing Hierarchy node parents: " + NodeText(level_, Tag)));
    }
}

bool THierarchyNode::IsTopLevel() const
{
    return ParentCount() == 1 && IsRootNode(Parent(0));
}

THierarchyRoot* THierarchyNode::Root() const
{
    const THierarchyNode* node = this;
    while (node->ParentCount() > 0) {
        node = node->Parent(0);
    }
    // Links hand out modifiable nodes; the root is no different from a parent here.
    return dynamic_cast<THierarchyRoot*>(const_cast<THierarchyNode*>(node));
}

THierarchyNode* THierarchyNode::DeepestParent() const
{
    THierarchyNode* deepest = nullptr;
    for (fw::Object* item : parents_) {
        auto* parent = static_cast<THierarchyNode*>(item);
        if (deepest == nullptr || parent->level_ > deepest->level_) {
            deepest = parent;
        }
    }
    return deepest;
}

THierarchyNode* THierarchyNode::FindFirstOfLevel(int level) const
{
    THierarchyNode* found = nullptr;
    WalkDescendants([&](THierarchyNode* node) {
        if (node->level_ == level) {
            found = node;
        }
        return found != nullptr;
    });
    if (found == nullptr) {
        return nullptr;
    }
    while (found->prevInLevel_ != nullptr) {
        found = found->prevInLevel_;
    }
    return found;
}

std::vector<THierarchyNode*> THierarchyNode::Descendants() const
{
    std::vector<THierarchyNode*> nodes;
    WalkDescendants([&](THierarchyNode* node) {
        nodes.push_back(node);
        return false;
    });
    return nodes;
}

// Children are stacked last first, and a node counts as met when it comes off the stack:
// that gives the order of a recursive depth-first walk, also where nodes are shared.
void THierarchyNode::WalkDescendants(const std::function<bool(THierarchyNode*)>& visit) const
{
    std::unordered_set<const THierarchyNode*> met{this};
    std::vector<THierarchyNode*> stack;
    for (int index = ChildCount() - 1; index >= 0; --index) {
        stack.push_back(Child(index));
    }
    while (!stack.empty()) {
        THierarchyNode* node = stack.back();
        stack.pop_back();
        if (!met.insert(node).second) {
            continue;
        }
        if (visit(node)) {
            return;
        }
        for (int index = node->ChildCount() - 1; index >= 0; --index) {
            stack.push_back(node->Child(index));
        }
    }
}

bool THierarchyNode::Reaches(const THierarchyNode* node) const
{
    if (node == this) {
        return true;
    }
    // A childless node reaches nothing and a parentless one is reached by nothing; that
    // spares the walk when a graph grows by new nodes, as it mostly does.
    if (ChildCount() == 0 || node->ParentCount() == 0) {
        return false;
    }
    bool reached = false;
    WalkDescendants([&](THierarchyNode* below) {
        reached = below == node;
        return reached;
    });
    return reached;
}

int THierarchyNode::RaiseLevel()
{
    if (parents_.Empty()) {
        return level_;
    }
    int computed = 1;
    if (!IsRootNode(Parent(0))) {
        int highest = 0;
        for (fw::Object* item : parents_) {
            highest = std::max(highest, static_cast<THierarchyNode*>(item)->level_);
        }
        computed = highest + 1;
    }
    level_ = std::max(level_, computed);
    return level_;
}

// Raising a node's level can raise its children's, so a node is recomputed only after all
// its parents below the starts: in the reverse of the order in which a depth-first walk
// finishes the nodes. That reaches the same levels as recomputing along every path, but
// touches every node once and needs no recursion.
int THierarchyNode::RecomputeLevels(const std::vector<THierarchyNode*>& starts)
{
    // A new leaf, the common case while a graph grows, needs no walk.
    if (starts.size() == 1 && starts.front()->ChildCount() == 0) {
        return starts.front()->RaiseLevel();
    }
    struct Frame {
        THierarchyNode* node;
        int nextChild;
    };
    std::vector<THierarchyNode*> finished;
    std::unordered_set<const THierarchyNode*> met;
    std::vector<Frame> stack;
    for (THierarchyNode* start : starts) {
        if (!met.insert(start).second) {
            continue;
        }
        stack.push_back({start, 0});
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.nextChild < top.node->ChildCount()) {
                THierarchyNode* child = top.node->Child(top.nextChild++);
                if (met.insert(child).second) {
                    stack.push_back({child, 0});
                }
            } else {
                finished.push_back(top.node);
                stack.pop_back();
            }
        }
    }
    int highest = 0;
    for (auto node = finished.rbegin(); node != finished.rend(); ++node) {
        highest = std::max(highest, (*node)->RaiseLevel());
    }
    return highest;
}

void THierarchyNode::UnlinkFromLevel()
{
    if (prevInLevel_ != nullptr) {
        prevInLevel_->nextInLevel_ = nextInLevel_;
    }
    if (nextInLevel_ != nullptr) {
        nextInLevel_->prevInLevel_ = prevInLevel_;
    }
    prevInLevel_ = nullptr;
    nextInLevel_ = nullptr;
}

void THierarchyRoot::Relayout()
{
    std::vector<THierarchyNode*> topLevel;
    for (fw::Object* item : Children()) {
        topLevel.push_back(static_cast<THierarchyNode*>(item));
    }
    maxLevel_ = RecomputeLevels(topLevel);
    const std::vector<THierarchyNode*> nodes = Descendants();
    if (alignChildless_) {
        for (THierarchyNode* node : nodes) {
            if (node->ChildCount() == 0) {
                node->level_ = maxLevel_;
            }
        }
    }
    RebuildLevelChains(nodes);
}

// Every node leaves its old chain before it joins the new one. Nodes that have left the
// graph since the last layout stay behind in what is left of the old chains, which stay
// closed: no chain ever points at a node that is not in it.
void THierarchyRoot::RebuildLevelChains(const std::vector<THierarchyNode*>& nodes)
{
    std::vector<THierarchyNode*> lastOfLevel(static_cast<size_t>(maxLevel_) + 1, nullptr);
    for (THierarchyNode* node : nodes) {
        node->UnlinkFromLevel();
        if (node->level_ < 1 || node->level_ > maxLevel_) {
            continue;
        }
        THierarchyNode*& last = lastOfLevel[static_cast<size_t>(node->level_)];
        if (last != nullptr) {
            last->nextInLevel_ = node;
            node->prevInLevel_ = last;
        }
        last = node;
    }
}

void THierarchyRoot::AssignHierarchy(const THierarchyNode* source)
{
    if (source == this) {
        return;
    }
    if (source != nullptr && Reaches(source)) {
        // Clearing would free the source: copy it aside first.
        THierarchyRoot aside;
        aside.AssignHierarchy(source);
        AssignHierarchy(&aside);
        return;
    }
    Clear();
    if (source == nullptr) {
        return;
    }

    // Copies a source node below the copy of its parent. Should linking fail, the copy is
    // freed; having left every link it was given, it leaves nothing behind.
    auto attachCopy = [](THierarchyNode* parentCopy, const THierarchyNode* original) {
        std::unique_ptr<THierarchyNode> copy = fw::CloneOf(*original);
        parentCopy->AddChild(copy.get());
        return copy.release();
    };
    std::unordered_map<const THierarchyNode*, THierarchyNode*> copies;
    THierarchyNode* top = IsRootNode(source) ? this : attachCopy(this, source);
    copies.emplace(source, top);

    // Depth first in child order, with its own stack, so that deep graphs cannot exhaust
    // the real one; a node's subgraph is copied before its next sibling is linked.
    struct Frame {
        const THierarchyNode* original;
        THierarchyNode* copy;
        int nextChild;
    };
    std::vector<Frame> stack{{source, top, 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.nextChild >= frame.original->ChildCount()) {
            stack.pop_back();
            continue;
        }
        const THierarchyNode* child = frame.original->Child(frame.nextChild++);
        THierarchyNode* parentCopy = frame.copy;
        auto known = copies.find(child);
        if (known != copies.end()) {
            parentCopy->AddChild(known->second);
            continue;
        }
        THierarchyNode* copy = attachCopy(parentCopy, child);
        copies.emplace(child, copy);
        stack.push_back({child, copy, 0});
    }
    Relayout();
}

void THierarchyRoot::Clear()
{
    ClearChildren();
    Relayout();
}
