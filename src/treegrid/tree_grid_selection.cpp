// A tree's selection: the list of selected nodes in the order selected, the selection
// test, the operations over lists of nodes, and bringing a node into view.

#include <algorithm>
#include <vector>

#include "framework/gui/application.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

// Marks a selection change as running for a scope, so that a change started from inside
// it (an OnSelectNode handler) is ignored, and clears the mark however the scope ends.
// A handler may free the tree itself: the mark is cleared only on a tree still alive.
class SelectionChange {
public:
    SelectionChange(TILTree* tree, bool& running) : tree_(tree), running_(&running) { *running_ = true; }
    ~SelectionChange()
    {
        if (tree_) {
            *running_ = false;
        }
    }
    SelectionChange(const SelectionChange&) = delete;
    SelectionChange& operator=(const SelectionChange&) = delete;

private:
    fw::WeakRef<TILTree> tree_;
    bool* running_;
};

} // namespace

// --- The selection list ----------------------------------------------------------------------------

void TILTree::SelectionListAdd(TILTreeNode* node)
{
    if (node == nullptr || selectionSlots_.count(node) > 0) {
        return;
    }
    selectionSlots_.emplace(node, selection_.size());
    selection_.push_back(node);
}

void TILTree::SelectionListRemove(TILTreeNode* node)
{
    const auto found = selectionSlots_.find(node);
    if (found == selectionSlots_.end()) {
        return;
    }
    // A hole keeps the other entries where they are; trailing holes go at once, so the
    // last entry is always the current node.
    selection_[found->second] = nullptr;
    selectionSlots_.erase(found);
    while (!selection_.empty() && selection_.back() == nullptr) {
        selection_.pop_back();
    }
    if (selectionSlots_.empty()) {
        selection_.clear();
    }
}

void TILTree::CompactSelection() const
{
    if (selection_.size() == selectionSlots_.size()) {
        return;
    }
    std::size_t kept = 0;
    for (TILTreeNode* node : selection_) {
        if (node != nullptr) {
            selection_[kept] = node;
            selectionSlots_[node] = kept;
            ++kept;
        }
    }
    selection_.resize(kept);
}

TILTreeNode* TILTree::GetSelected() const
{
    return selection_.empty() ? nullptr : selection_.back();
}

int TILTree::GetSelectedCount() const
{
    return static_cast<int>(selectionSlots_.size());
}

TILTreeNode* TILTree::GetSelectedItem(int index) const
{
    CompactSelection();
    if (index < 0 || index >= static_cast<int>(selection_.size())) {
        return nullptr;
    }
    return selection_[static_cast<std::size_t>(index)];
}

// --- The selection test and the operations ------------------------------------------------------

bool TILTree::CanSelectNode(TILTreeNode* node, bool multi) const
{
    if (node == nullptr || interactionMode_ == TILTreeInteractionMode::Dragging || Dragging()
        || HasOption(TILTreeDisplayOption::iltNoSelect)) {
        return false;
    }
    if (multi && !HasOption(TILTreeDisplayOption::iltMultiSelect)) {
        return false;
    }
    if (node->Selected() && HasOption(TILTreeDisplayOption::iltDisallowDeselect)) {
        return false;
    }
    return node->CanSelect(multi);
}

void TILTree::SetSelectionFlags(const std::vector<TILTreeNode*>& nodes, bool selected)
{
    fw::WeakRef<TILTree> self(this);
    for (TILTreeNode* node : nodes) {
        if (node == nullptr || node->Tree() != this) {
            continue;
        }
        if (!selected) {
            SelectionListRemove(node);
        }
        if (node->Selected() != selected) {
            node->SetSelected(selected);
        }
        if (!self) {
            return;
        }
    }
}

void TILTree::AddToSelection(const std::vector<TILTreeNode*>& nodes)
{
    if (selectionChanging_) {
        return;
    }
    SelectionChange change(this, selectionChanging_);
    if (!HasOption(TILTreeDisplayOption::iltMultiSelect)) {
        // A single selection: everything else goes, only the last node comes.
        TILTreeNode* last = nullptr;
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
            if (*it != nullptr) {
                last = *it;
                break;
            }
        }
        CompactSelection();
        std::vector<TILTreeNode*> others(selection_.rbegin(), selection_.rend());
        others.erase(std::remove(others.begin(), others.end(), last), others.end());
        fw::WeakRef<TILTree> self(this);
        SetSelectionFlags(others, false);
        if (self && last != nullptr) {
            SetSelectionFlags({last}, true);
        }
        return;
    }
    SetSelectionFlags(nodes, true);
}

void TILTree::RemoveFromSelection(const std::vector<TILTreeNode*>& nodes)
{
    if (selectionChanging_) {
        return;
    }
    SelectionChange change(this, selectionChanging_);
    SetSelectionFlags(nodes, false);
}

void TILTree::SelectOnly(const std::vector<TILTreeNode*>& nodes)
{
    if (selectionChanging_) {
        return;
    }
    fw::WeakRef<TILTree> self(this);
    {
        SelectionChange change(this, selectionChanging_);
        CompactSelection();
        SetSelectionFlags(std::vector<TILTreeNode*>(selection_.rbegin(), selection_.rend()), false);
    }
    if (self) {
        AddToSelection(nodes);
    }
}

void TILTree::DeselectAll()
{
    if (selectionChanging_) {
        return;
    }
    SelectionChange change(this, selectionChanging_);
    CompactSelection();
    // From the last selected node to the first.
    SetSelectionFlags(std::vector<TILTreeNode*>(selection_.rbegin(), selection_.rend()), false);
}

void TILTree::SelectNode(TILTreeNode* node, bool select, int placement)
{
    if (node == nullptr || node->Tree() != this) {
        return;
    }
    fw::WeakRef<TILTree> self(this);
    {
        TILTreeUpdateBracket bracket(this);
        std::vector<TILTreeNode*> ancestors;
        for (TILTreeNode* parent = node->Parent(); parent != nullptr && !parent->IsRoot(); parent = parent->Parent()) {
            ancestors.push_back(parent);
        }
        // Outermost first, so each expansion happens in a shown subtree.
        for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
            if (!(*it)->Expanded()) {
                (*it)->SetExpanded(true);
            }
        }
    }
    if (!self || node->Tree() != this) {
        return;
    }
    EnsureLayout();
    if (node->IsShown() && !IsNodeInView(node)) {
        const int heading = HeadingHeight();
        const int dataHeight = DataHeight();
        if (placement == TILTreePlaceTop) {
            ScrollVertical(node->Top() - heading);
        } else if (placement == TILTreePlaceBottom) {
            ScrollVertical(node->Bottom() - (dataHeight - 1));
        } else {
            const int rowMiddle = node->Top() + node->Height() / 2;
            const int areaMiddle = heading + (dataHeight - heading) / 2;
            ScrollVertical(rowMiddle - areaMiddle);
        }
    }
    if (select) {
        SelectOnly(node);
    }
}

void TILTree::ExpandAll()
{
    fw::ScopedCursor hourglass(fw::crHourGlass);
    {
        TILTreeUpdateBracket bracket(this);
        root_->ExpandAll();
    }
    Invalidate();
}
