// What the interactive parts of a tree remember about nodes, and their end with the tree.

#include "framework/gui/drag.h"
#include "framework/gui/input.h"
#include "framework/gui/timer.h"
#include "treegrid/tree_drag.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_hints.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"

bool TILTree::NodeLeaves(const TILTreeNode* remembered, const TILTreeNode* leaving) const
{
    return remembered != nullptr && leaving != nullptr
           && (remembered == leaving || remembered->IsDescendantOf(leaving));
}

void TILTree::ForgetNodeInInteraction(TILTreeNode* node)
{
    if (node == nullptr) {
        return;
    }
    if (inlineEditor_ != nullptr && NodeLeaves(inlineEditor_->Node(), node)) {
        inlineEditor_->ForgetNode();
        if (editState_ == 1) {
            // The row being edited is gone: the edit ends without a result, and the editor
            // goes with its message rather than under the feet of whoever removed the row.
            inlineEditor_->Hide();
            inlineEditor_->Cancel(false);
        }
    }
    for (PendingEditWork& work : pendingEditWork_) {
        if (NodeLeaves(work.Node, node)) {
            work.Node = nullptr;
        }
    }
    if (NodeLeaves(pendingClick_.Node, node)) {
        pendingClick_ = PendingClick{};
        StopClickTimer();
    }
    if (dragObject_ && NodeLeaves(dragObject_->Node(), node)) {
        dragObject_->SetNode(nullptr);
    }
    for (TILTreeNode*& queued : dropQueue_) {
        if (NodeLeaves(queued, node)) {
            queued = nullptr;
        }
    }
    if (NodeLeaves(dropTarget_, node)) {
        dropTarget_ = nullptr;
    }
    for (TILTreeNode** slot : watchedNodes_) {
        if (NodeLeaves(*slot, node)) {
            *slot = nullptr;
        }
    }
}

void TILTree::ShutDownInteraction()
{
    // A node drag still running would go on using this tree's drag object: cancel it first.
    if (dragObject_ && fw::CurrentDragObject() == dragObject_.get()) {
        if (fw::InputRouter* router = fw::InputRouter::Current()) {
            router->Drag().EndDrag(false);
        }
    }
    hintTimer_.reset();
    expandTimer_.reset();
    clickTimer_.reset();
    dragScrollTimer_.reset();
    pendingClick_ = PendingClick{};
    pendingEditWork_.clear();
    dropQueue_.clear();
    dropTarget_ = nullptr;
    for (TILTreeNode** slot : watchedNodes_) {
        *slot = nullptr;
    }
    hintWindow_.reset();
    if (inlineEditor_ != nullptr) {
        TILTreeInlineEdit* editor = inlineEditor_;
        inlineEditor_ = nullptr;
        editState_ = 0;
        delete editor;
    }
    dragObject_.reset();
    finishedDragObjects_.clear();
}
