// Node dragging inside a tree: the drag object, what the tree accepts under the pointer,
// the drop that moves the selected nodes, scrolling near the edges while dragging, and the
// expansion of a collapsed node the mouse rests on.

#include "treegrid/tree_drag.h"

#include "framework/gui/input.h"
#include "framework/gui/timer.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_messages.h"
#include "treegrid/tree_node.h"

namespace {

// How near the top or bottom edge of the data area the pointer starts the drag scroll.
constexpr int DragScrollZone = 6;
// The drag scroll's pace: slow at first, faster after the first few steps.
constexpr int DragScrollFirstInterval = 200;
constexpr int DragScrollFastInterval = 50;
constexpr int DragScrollSlowSteps = 5;

} // namespace

// --- The drag object ---------------------------------------------------------------------------

TILTreeDragControlObject::TILTreeDragControlObject(TILTree* tree) : fw::DragControlObject(tree) {}

TILTree* TILTreeDragControlObject::Tree() const
{
    return dynamic_cast<TILTree*>(GetControl());
}

void TILTreeDragControlObject::EndDrag(fw::Object* target, int x, int y)
{
    const fw::WeakRef<TILTree> tree(Tree());
    fw::DragControlObject::EndDrag(target, x, y);
    if (TILTree* alive = tree.Get()) {
        fw::PostMessage(alive, WM_ILTREE_FREEHINT);
    }
}

// --- Starting and ending ---------------------------------------------------------------------

void TILTree::DoStartDrag(fw::DragObject*& dragObject)
{
    const fw::WeakRef<TILTree> self(this);
    fw::CustomControl::DoStartDrag(dragObject);
    if (!self) {
        return;
    }
    if (dragObject == nullptr) {
        if (dragObject_) {
            finishedDragObjects_.push_back(std::move(dragObject_));
        }
        dragObject_ = std::make_shared<TILTreeDragControlObject>(this);
        dragObject_->SetNode(DragNode());
        dragObject = dragObject_.get();
    }
    SetInteractionMode(TILTreeInteractionMode::Dragging);
}

void TILTree::DoEndDrag(fw::Object* target, int x, int y)
{
    StopDragScroll();
    // A drag cancelled because the tree is going tells the application nothing.
    if (!ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        const fw::WeakRef<TILTree> self(this);
        fw::CustomControl::DoEndDrag(target, x, y);
        if (!self) {
            return;
        }
    }
    SetDragNode(nullptr);
    SetInteractionMode(TILTreeInteractionMode::None);
    if (dragObject_) {
        // The drag layer still holds the object until its end has been told everywhere.
        dragObject_->SetNode(nullptr);
        finishedDragObjects_.push_back(std::move(dragObject_));
    }
}

void TILTree::FreeFinishedDragObjects()
{
    std::vector<std::shared_ptr<TILTreeDragControlObject>> finished = std::move(finishedDragObjects_);
    finishedDragObjects_.clear();
    for (auto& object : finished) {
        if (fw::CurrentDragObject() == object.get()) {
            // Still in use by a drag that began later: keep it.
            finishedDragObjects_.push_back(std::move(object));
        }
    }
}

// --- Over the tree -----------------------------------------------------------------------------

void TILTree::DragOver(fw::Object* source, int x, int y, fw::DragState state, bool& accept)
{
    const fw::WeakRef<TILTree> self(this);
    fw::CustomControl::DragOver(source, x, y, state, accept);
    if (!self) {
        return;
    }
    if (state == fw::DragState::Leave) {
        StopDragScroll();
    } else {
        UpdateDragScroll(y);
    }
    const auto* object = dynamic_cast<const TILTreeDragControlObject*>(source);
    if (object == nullptr || object->Tree() != this) {
        return;
    }
    TILTreeNode* target = NodeAt(x, y);
    accept = target != nullptr && (target == object->Node() || CanReceiveNodes(target));
}

void TILTree::DragDrop(fw::Object* source, int x, int y)
{
    const fw::WeakRef<TILTree> self(this);
    fw::CustomControl::DragDrop(source, x, y);
    if (!self) {
        return;
    }
    const auto* object = dynamic_cast<const TILTreeDragControlObject*>(source);
    if (object == nullptr || object->Tree() != this || object->Node() == nullptr) {
        return;
    }
    TILTreeNode* target = NodeAt(x, y);
    if (target == nullptr || target == object->Node() || !CanReceiveNodes(target)) {
        return;
    }

    // The queue and the target are forgotten node by node when a handler removes them.
    dropQueue_.clear();
    for (int index = 0; index < GetSelectedCount(); ++index) {
        dropQueue_.push_back(GetSelectedItem(index));
    }
    dropTarget_ = target;
    const TILTreeUpdateBracket bracket(this);
    while (self && !dropQueue_.empty() && dropTarget_ != nullptr) {
        // The last selected first.
        TILTreeNode* node = dropQueue_.back();
        dropQueue_.pop_back();
        if (node == nullptr) {
            continue;
        }
        NodeWatch watch(*this, node);
        if (const TILTreeDropNodeEvent dropNode = onDropNode_) {
            TILTreeNode* const before = dropTarget_;
            TILTreeNode* chosen = before;
            const bool drop = dropNode(this, chosen, node);
            if (!self) {
                return;
            }
            // A target the handler left alone but removed meanwhile is gone for good.
            if (chosen != before || dropTarget_ != nullptr) {
                dropTarget_ = chosen;
            }
            if (!drop || node == nullptr) {
                continue;
            }
            if (dropTarget_ == nullptr) {
                break;
            }
        }
        TILTreeNode* into = dropTarget_;
        // A node never goes into its own subtree, whatever target a handler chose.
        if (into == node || into->IsDescendantOf(node)) {
            continue;
        }
        node->SetParent(into);
        if (!self) {
            return;
        }
        if (dropTarget_ != nullptr && HasOption(TILTreeDisplayOption::iltExpandOnDrop) && !dropTarget_->Expanded()) {
            dropTarget_->SetExpanded(true);
        }
    }
    if (self) {
        dropQueue_.clear();
        dropTarget_ = nullptr;
    }
}

// --- Scrolling while dragging --------------------------------------------------------------------

void TILTree::UpdateDragScroll(int y)
{
    int direction = 0;
    if (VertScrollBarVisible()) {
        if (y < HeadingHeight() || y < DragScrollZone) {
            direction = -1;
        } else if (DataHeight() - y < DragScrollZone) {
            direction = 1;
        }
    }
    if (direction == 0) {
        StopDragScroll();
        return;
    }
    dragScrollDirection_ = direction;
    if (DragScrollTimerRunning()) {
        return;
    }
    if (!dragScrollTimer_) {
        dragScrollTimer_ = std::make_unique<fw::Timer>();
        dragScrollTimer_->SetOnTimer([this](fw::Object*) { DragScrollTimerFired(); });
    }
    dragScrollSteps_ = 0;
    dragScrollTimer_->SetEnabled(false);
    dragScrollTimer_->SetInterval(DragScrollFirstInterval);
    dragScrollTimer_->SetEnabled(true);
}

void TILTree::DragScrollTimerFired()
{
    ScrollVertical(dragScrollDirection_ * VertScrollIncrement());
    ++dragScrollSteps_;
    if (dragScrollSteps_ > DragScrollSlowSteps && dragScrollTimer_
        && dragScrollTimer_->Interval() != DragScrollFastInterval) {
        dragScrollTimer_->SetInterval(DragScrollFastInterval);
    }
}

void TILTree::StopDragScroll()
{
    if (dragScrollTimer_) {
        dragScrollTimer_->SetEnabled(false);
    }
    dragScrollSteps_ = 0;
    dragScrollDirection_ = 0;
}

bool TILTree::DragScrollTimerRunning() const
{
    return dragScrollTimer_ && dragScrollTimer_->Running();
}

// --- Expanding on hover ------------------------------------------------------------------------

void TILTree::StartExpandTimer()
{
    if (!expandTimer_) {
        expandTimer_ = std::make_unique<fw::Timer>();
        expandTimer_->SetOnTimer([this](fw::Object*) { ExpandTimerFired(); });
    }
    expandTimer_->SetEnabled(false);
    expandTimer_->SetInterval(AutoExpandDelay());
    expandTimer_->SetEnabled(true);
}

void TILTree::StopExpandTimer()
{
    if (expandTimer_) {
        expandTimer_->SetEnabled(false);
    }
}

bool TILTree::ExpandTimerRunning() const
{
    return expandTimer_ && expandTimer_->Running();
}

void TILTree::ExpandTimerFired()
{
    StopExpandTimer();
    TILTreeNode* node = MouseNode();
    if (node != nullptr && !node->Expanded() && (node->HasChildren() || node->State() == iltNodeExpandable)) {
        node->SetExpanded(true);
    }
}
