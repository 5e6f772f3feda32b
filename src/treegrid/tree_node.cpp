#include "treegrid/tree_node.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "framework/core/exceptions.h"
#include "foundation/text_drawing.h"
#include "framework/core/strings.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_sort.h"

namespace {

double screenFactor = 1.0;

const std::string& EmptyText()
{
    static const std::string empty;
    return empty;
}

// Sets a flag for the length of a scope, however the scope ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(&flag) { *flag_ = true; }
    ~FlagScope()
    {
        if (flag_ != nullptr) {
            *flag_ = false;
        }
    }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    // The flag's owner is gone: leave it alone.
    void Forget() { flag_ = nullptr; }

private:
    bool* flag_;
};

} // namespace

double TreeScreenFactor()
{
    return screenFactor;
}

void SetTreeScreenFactor(double factor)
{
    screenFactor = factor;
}

// --- Life ----------------------------------------------------------------------------------------

TILTreeNode::TILTreeNode()
{
    SetHeight(TreeDefaultNodeHeight);
}

TILTreeNode::TILTreeNode(TILTreeNode* parent) : TILTreeNode()
{
    AttachNew(parent);
}

TILTreeNode::~TILTreeNode()
{
    const bool treeGoing = TreeIsDestroying();
    while (!children_.empty()) {
        TILTreeNode* child = children_.back();
        if (treeGoing) {
            // The whole tree goes: nobody is told, nothing is laid out.
            children_.pop_back();
            child->parent_ = nullptr;
        }
        // Otherwise the child leaves this node itself, with its events.
        delete child;
        if (!children_.empty() && children_.back() == child) {
            children_.pop_back();
        }
    }
    if (parent_ != nullptr && !treeGoing) {
        SetParent(nullptr);
    }
    if (ownsObject_) {
        delete object_;
    }
}

void TILTreeNode::AttachNew(TILTreeNode* parent)
{
    if (parent != nullptr && parent->tree_ != nullptr) {
        SetHeight(parent->tree_->DefaultNodeHeight());
    }
    SetParent(parent);
}

void TILTreeNode::MakeRoot(TILTree* tree)
{
    isRoot_ = true;
    tree_ = tree;
    level_ = 0;
    flags_ &= static_cast<std::uint8_t>(~iltNodeHidden);
}

bool TILTreeNode::TreeIsDestroying() const
{
    return tree_ != nullptr && tree_->ControlState().Contains(fw::ControlStateFlag::Destroying);
}

// --- Structure -----------------------------------------------------------------------------------

void TILTreeNode::SetParent(TILTreeNode* newParent)
{
    if (newParent == parent_) {
        return;
    }
    // A node cannot live inside its own subtree, and the root never moves.
    if (isRoot_ || newParent == this || (newParent != nullptr && newParent->IsDescendantOf(this))) {
        return;
    }
    const bool wasShown = IsShown();
    TILTree* const oldTree = tree_;
    TILTreeNode* const oldParent = parent_;
    TILTree* const newTree = newParent != nullptr ? newParent->tree_ : nullptr;

    if (parent_ != nullptr) {
        if (newTree != oldTree && oldTree != nullptr) {
            if (selected_) {
                if (newParent != nullptr) {
                    const fw::WeakRef<TILTree> oldAlive(oldTree);
                    SetSelected(false);
                    if (!oldAlive) {
                        return; // the handler freed the tree, and this node with it
                    }
                } else {
                    // Detached: the old tree only drops it from its selection.
                    oldTree->SelectionListRemove(this);
                    selected_ = false;
                }
            }
            oldTree->NodeLeaving(this);
        }
        parent_->TakeChild(this);
        parent_ = nullptr;
        level_ = 0;
    }

    parent_ = newParent;
    if (newParent != nullptr) {
        index_ = newParent->firstChildKey_ + static_cast<int>(newParent->children_.size());
        newParent->children_.push_back(this);
    } else {
        index_ = -1;
        if (oldTree != nullptr) {
            oldTree->LayoutRowsFrom(oldParent);
        }
    }
    SetTreeOfSubtree(newTree);
    UpdateLevels();

    // A handler may free a tree: the node dies with the tree it is in, so nothing of it is
    // touched once its tree has gone.
    const fw::WeakRef<TILTree> oldAlive(oldTree);
    const fw::WeakRef<TILTree> newAlive(newTree);
    const bool hasNewTree = newTree != nullptr;
    if (oldTree != newTree) {
        if (oldTree != nullptr) {
            const TILTreeNodeParentEvent removed = oldTree->OnRemoveNode();
            if (removed) {
                removed(oldTree, this, oldParent);
            }
        }
        if (hasNewTree && newAlive) {
            const TILTreeNodeParentEvent added = newTree->OnAddNode();
            if (added) {
                added(newTree, this, oldParent);
            }
        }
    } else if (hasNewTree) {
        const TILTreeNodeParentEvent changed = newTree->OnNodeChangeParent();
        if (changed) {
            changed(newTree, this, oldParent);
        }
    }
    if (hasNewTree && !newAlive) {
        return;
    }

    if (hasNewTree && tree_ == newTree && (wasShown || IsShown() || oldTree != newTree)) {
        if (oldParent == nullptr && parent_ == newTree->Root()) {
            // A new last child of the root: its row may simply follow the last one.
            newTree->RowAddedAtEnd(this);
        } else {
            newTree->LayoutRowsFrom(newTree->Root());
        }
    }
    // Inside a bracket the tree is refreshed once, at its end.
    if (oldTree != nullptr && oldTree != newTree && oldAlive && !oldTree->IsUpdating()) {
        oldTree->Invalidate();
    }
}

void TILTreeNode::TakeChild(TILTreeNode* child)
{
    const int at = child->index_ - firstChildKey_;
    if (at >= 0 && at < GetCount() && children_[static_cast<std::size_t>(at)] == child) {
        children_.erase(children_.begin() + at);
        RenumberChildren(at);
        return;
    }
    // Not where its index says: find it (never happens while the indexes are kept).
    const auto found = std::find(children_.begin(), children_.end(), child);
    if (found != children_.end()) {
        const int from = static_cast<int>(found - children_.begin());
        children_.erase(found);
        RenumberChildren(from);
    }
}

void TILTreeNode::RenumberChildren(int from)
{
    for (int i = std::max(from, 0); i < GetCount(); ++i) {
        children_[static_cast<std::size_t>(i)]->index_ = firstChildKey_ + i;
    }
}

void TILTreeNode::ReplaceChildren(std::vector<TILTreeNode*> ordered)
{
    children_ = std::move(ordered);
    firstChildKey_ = 0;
    RenumberChildren(0);
}

void TILTreeNode::SetTreeOfSubtree(TILTree* tree)
{
    if (tree_ == tree) {
        return;
    }
    std::vector<TILTreeNode*> pending{this};
    while (!pending.empty()) {
        TILTreeNode* node = pending.back();
        pending.pop_back();
        node->tree_ = tree;
        // A node changing trees belongs to no selection of the new one.
        node->selected_ = false;
        pending.insert(pending.end(), node->children_.begin(), node->children_.end());
    }
}

void TILTreeNode::UpdateLevels()
{
    level_ = parent_ != nullptr ? parent_->level_ + 1 : 0;
    std::vector<TILTreeNode*> pending(children_.begin(), children_.end());
    while (!pending.empty()) {
        TILTreeNode* node = pending.back();
        pending.pop_back();
        node->level_ = node->parent_->level_ + 1;
        pending.insert(pending.end(), node->children_.begin(), node->children_.end());
    }
}

TILTreeNode* TILTreeNode::GetItem(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return children_[static_cast<std::size_t>(index)];
}

void TILTreeNode::SetIndex(int index)
{
    const int current = GetIndex();
    if (parent_ == nullptr || index < 0 || index >= parent_->GetCount() || index == current) {
        return;
    }
    auto& siblings = parent_->children_;
    const auto from = siblings.begin() + current;
    const auto to = siblings.begin() + index;
    if (index < current) {
        std::rotate(to, from, from + 1);
    } else {
        std::rotate(from, from + 1, to + 1);
    }
    if (index == 0) {
        // The siblings before the old place move one on: the first key goes one back
        // instead, and only those after the old place keep their index by a new key.
        --parent_->firstChildKey_;
        index_ = parent_->firstChildKey_;
        parent_->RenumberChildren(current + 1);
    } else {
        parent_->RenumberChildren(std::min(index, current));
    }
    if (tree_ != nullptr && IsShown()) {
        if (index == 0 && parent_ == tree_->Root()) {
            tree_->RowMovedToFront(this);
        } else {
            tree_->LayoutRowsFrom(parent_);
        }
    }
}

bool TILTreeNode::IsDescendantOf(const TILTreeNode* node) const
{
    if (node == nullptr) {
        return false;
    }
    for (const TILTreeNode* up = parent_; up != nullptr; up = up->parent_) {
        if (up == node) {
            return true;
        }
    }
    return false;
}

// --- Searching -----------------------------------------------------------------------------------

TILTreeNode* TILTreeNode::FindByTag(int tag, bool recursive) const
{
    for (TILTreeNode* child : children_) {
        if (child->tag_ == tag) {
            return child;
        }
        if (recursive) {
            if (TILTreeNode* found = child->FindByTag(tag, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::FindByText(int column, std::string_view text, bool caseSensitive, bool recursive) const
{
    if (text.empty()) {
        return nullptr;
    }
    for (TILTreeNode* child : children_) {
        const std::string& cell = child->CellTextRef(column);
        if (caseSensitive ? cell == text : fw::SameText(cell, text)) {
            return child;
        }
        if (recursive) {
            if (TILTreeNode* found = child->FindByText(column, text, caseSensitive, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::FindByObject(const fw::Object* object)
{
    if (object_ == object) {
        return this;
    }
    for (TILTreeNode* child : children_) {
        if (TILTreeNode* found = child->FindByObject(object)) {
            return found;
        }
    }
    return nullptr;
}

// --- Cells ---------------------------------------------------------------------------------------

std::string TILTreeNode::GetCellText(int column) const
{
    return CellTextRef(column);
}

const std::string& TILTreeNode::CellTextRef(int column) const
{
    if (column < 0 || column >= CellCount()) {
        return EmptyText();
    }
    return cells_[static_cast<std::size_t>(column)];
}

void TILTreeNode::SetCellText(int column, std::string text)
{
    if (column < 0) {
        return;
    }
    if (column >= CellCount()) {
        // Rows are usually filled column by column: room for every column at once spares
        // a reallocation per cell.
        const int columns = tree_ != nullptr ? tree_->GetColumnCount() : 0;
        cells_.reserve(static_cast<std::size_t>(std::max(column + 1, columns)));
        cells_.resize(static_cast<std::size_t>(column) + 1);
    }
    cells_[static_cast<std::size_t>(column)] = std::move(text);
    if (!isRoot_) {
        Repaint();
    }
}

std::string TILTreeNode::GetText() const
{
    return GetCellText(tree_ != nullptr ? tree_->TreeColumn() : 0);
}

void TILTreeNode::SetText(std::string text)
{
    SetCellText(tree_ != nullptr ? tree_->TreeColumn() : 0, std::move(text));
}

std::string TILTreeNode::GetCellTextByName(std::string_view name) const
{
    if (tree_ == nullptr) {
        return {};
    }
    return GetCellText(tree_->Columns().IndexOfName(name));
}

void TILTreeNode::SetCellTextByName(std::string_view name, std::string text)
{
    if (tree_ == nullptr) {
        return;
    }
    SetCellText(tree_->Columns().IndexOfName(name), std::move(text));
}

bool TILTreeNode::HasCellInfo(int column) const
{
    return FindCellInfo(column) != nullptr;
}

void TILTreeNode::SetHasCellInfo(int column, bool on)
{
    if (column < 0) {
        return;
    }
    if (on) {
        if (column >= CellInfoCount()) {
            cellInfos_.resize(static_cast<std::size_t>(column) + 1);
        }
        cellInfos_[static_cast<std::size_t>(column)] = std::make_unique<TILTreeCellInfo>();
    } else if (column < CellInfoCount()) {
        cellInfos_[static_cast<std::size_t>(column)].reset();
    }
}

TILTreeCellInfo* TILTreeNode::GetCellInfo(int column)
{
    if (column < 0) {
        return nullptr;
    }
    if (TILTreeCellInfo* info = FindCellInfo(column)) {
        return info;
    }
    SetHasCellInfo(column, true);
    return FindCellInfo(column);
}

TILTreeCellInfo* TILTreeNode::FindCellInfo(int column) const
{
    if (column < 0 || column >= CellInfoCount()) {
        return nullptr;
    }
    return cellInfos_[static_cast<std::size_t>(column)].get();
}

bool TILTreeNode::HasCellFont(int column) const
{
    const TILTreeCellInfo* info = FindCellInfo(column);
    return info != nullptr && info->HasFlag(iltCellOwnFont);
}

fw::Font& TILTreeNode::GetCellFont(int column)
{
    TILTreeCellInfo* info = GetCellInfo(column);
    if (info == nullptr) {
        // A negative column has no cell; it still answers a font rather than failing, the
        // node's own.
        return GetFont();
    }
    return info->GetFont();
}

fw::Font& TILTreeNode::GetFont()
{
    if (!font_) {
        font_ = std::make_unique<fw::Font>();
    }
    return *font_;
}

// --- Row state -----------------------------------------------------------------------------------

int TILTreeNode::Top() const
{
    return tree_ != nullptr ? tree_->RowTopOf(*this, top_) : top_;
}

void TILTreeNode::SetHeight(int value)
{
    const int scaled = static_cast<int>(std::lround(static_cast<double>(value) * screenFactor));
    const int height = std::max(scaled, 1);
    if (height == height_) {
        return;
    }
    height_ = height;
    if (tree_ != nullptr && !isRoot_ && IsShown()) {
        tree_->LayoutRowsFrom(this);
    }
}

void TILTreeNode::SetHidden(bool hidden)
{
    if (isRoot_ || hidden == Hidden()) {
        return;
    }
    const bool wasShown = IsShown();
    if (hidden) {
        flags_ |= iltNodeHidden;
    } else {
        flags_ &= static_cast<std::uint8_t>(~iltNodeHidden);
    }
    if (tree_ != nullptr && (wasShown || IsShown())) {
        tree_->LayoutRowsFrom(tree_->Root());
    }
}

void TILTreeNode::SetSelected(bool value)
{
    if (value == selected_ || isRoot_) {
        return;
    }
    selected_ = value;
    if (tree_ == nullptr) {
        return;
    }
    TILTree* const tree = tree_;
    if (value) {
        tree->SelectionListAdd(this);
    } else {
        tree->SelectionListRemove(this);
    }
    // The row is repainted before the event (a handler may free the node, or the tree); the
    // tree itself repaints only rows in view and nothing inside a bracket.
    if (IsShown()) {
        Repaint();
    }
    // A copy: the handler may free the tree that holds the event.
    const TILTreeNodeEvent event = value ? tree->OnSelectNode() : tree->OnDeselectNode();
    if (event) {
        event(tree, this);
    }
}

void TILTreeNode::SetExpanded(bool value)
{
    if (value == expanded_ || (!value && isRoot_) || state_ == iltNodeBusy) {
        return;
    }
    TILTree* const tree = tree_;
    // Handlers may free the tree, and this node with it: nothing is touched after that.
    const fw::WeakRef<TILTree> alive(tree);
    if (tree != nullptr) {
        // Nothing could fill the children of a childless node.
        if (value && children_.empty() && !tree->BeforeExpandNode()) {
            return;
        }
        tree->PrepareNodeToggle(this);
        if (!alive) {
            return;
        }
        const TILTreeBeforeNodeEvent before = value ? tree->BeforeExpandNode() : tree->BeforeCollapseNode();
        const bool allowed = !before || before(tree, this);
        if (!alive) {
            return;
        }
        if (!allowed) {
            // Refused: the wait form of the button goes again.
            Repaint();
            return;
        }
    }
    if (value && children_.empty()) {
        // Still nothing to show: the row loses the wait form of its button (and shows the
        // cell an ended edit left).
        Repaint();
        return;
    }
    expanded_ = value;
    if (tree == nullptr || !IsShown()) {
        return;
    }
    TILTreeUpdateBracket bracket(tree);
    if (!alive) {
        return; // accepting an open edit freed the tree
    }
    if (!tree->HasOption(TILTreeDisplayOption::iltNoScrollOnExpand)) {
        tree->LayoutRowsFrom(this);
        if (value && !expandingAll_ && tree->IsNodeInView(this)) {
            tree->EnsureLayout();
            const TILTreeNode* last = LastVisibleChild();
            const int viewTop = tree->HeadingHeight();
            const int viewBottom = tree->DataHeight();
            if (last != nullptr && last->Bottom() >= viewBottom) {
                // As much of the subtree as fits, but the node stays at or below the top.
                const int down = std::min(GetTotalHeight() - (viewBottom - top_), top_ - viewTop);
                if (down > 0) {
                    tree->ScrollVertical(down);
                }
            }
        }
    }
    tree->UpdateCellControls(this, true);
    const TILTreeNodeEvent after = value ? tree->AfterExpandNode() : tree->AfterCollapseNode();
    if (after) {
        after(tree, this);
    }
}

// --- Visible order -------------------------------------------------------------------------------

bool TILTreeNode::IsShown() const
{
    if (parent_ == nullptr || isRoot_ || Hidden()) {
        return false;
    }
    const TILTreeNode* node = this;
    while (true) {
        const TILTreeNode* up = node->parent_;
        if (up == nullptr) {
            return false;
        }
        if (up->isRoot_) {
            return true;
        }
        if (!up->expanded_ || up->Hidden()) {
            return false;
        }
        node = up;
    }
}

TILTreeNode* TILTreeNode::FirstVisibleChild() const
{
    for (TILTreeNode* child : children_) {
        if (!child->Hidden()) {
            return child;
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::LastVisibleChild() const
{
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (!(*it)->Hidden()) {
            return *it;
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::NextVisibleSibling() const
{
    if (parent_ == nullptr) {
        return nullptr;
    }
    const auto& siblings = parent_->children_;
    for (std::size_t i = static_cast<std::size_t>(GetIndex()) + 1; i < siblings.size(); ++i) {
        if (!siblings[i]->Hidden()) {
            return siblings[i];
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::PrevVisibleSibling() const
{
    if (parent_ == nullptr) {
        return nullptr;
    }
    const auto& siblings = parent_->children_;
    for (int i = GetIndex() - 1; i >= 0; --i) {
        if (!siblings[static_cast<std::size_t>(i)]->Hidden()) {
            return siblings[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::NextVisible() const
{
    if (expanded_ || isRoot_) {
        if (TILTreeNode* child = FirstVisibleChild()) {
            return child;
        }
    }
    for (const TILTreeNode* node = this; node->parent_ != nullptr; node = node->parent_) {
        if (TILTreeNode* sibling = node->NextVisibleSibling()) {
            return sibling;
        }
    }
    return nullptr;
}

TILTreeNode* TILTreeNode::PrevVisible() const
{
    if (parent_ == nullptr) {
        return nullptr;
    }
    if (TILTreeNode* sibling = PrevVisibleSibling()) {
        return sibling->LastVisibleDescendant();
    }
    return parent_->isRoot_ ? nullptr : parent_;
}

TILTreeNode* TILTreeNode::LastVisibleDescendant() const
{
    const TILTreeNode* node = this;
    while (node->expanded_ || node->isRoot_) {
        TILTreeNode* last = node->LastVisibleChild();
        if (last == nullptr) {
            break;
        }
        node = last;
    }
    return const_cast<TILTreeNode*>(node);
}

TILTreeNode* TILTreeNode::NextSelectable(bool multi) const
{
    TILTreeNode* node = NextVisible();
    while (node != nullptr && !(tree_ != nullptr ? tree_->CanSelectNode(node, multi) : node->CanSelect(multi))) {
        node = node->NextVisible();
    }
    return node;
}

TILTreeNode* TILTreeNode::PrevSelectable(bool multi) const
{
    TILTreeNode* node = PrevVisible();
    while (node != nullptr && !(tree_ != nullptr ? tree_->CanSelectNode(node, multi) : node->CanSelect(multi))) {
        node = node->PrevVisible();
    }
    return node;
}

int TILTreeNode::GetTotalHeight() const
{
    // Hidden rows take no room in the layout, so they count nothing here either.
    if (Hidden()) {
        return 0;
    }
    int total = 0;
    if (!isRoot_) {
        total = height_ + (tree_ != nullptr ? tree_->HorzGridWidth() : 0);
    }
    if (expanded_ || isRoot_) {
        for (const TILTreeNode* child : children_) {
            total += child->GetTotalHeight();
        }
    }
    return total;
}

bool TILTreeNode::IsInView() const
{
    return tree_ != nullptr && IsShown() && tree_->IsNodeInView(this);
}

bool TILTreeNode::IsPartlyInView() const
{
    return tree_ != nullptr && IsShown() && tree_->IsNodePartlyInView(this);
}

// --- Operations ----------------------------------------------------------------------------------

void TILTreeNode::Repaint()
{
    if (tree_ == nullptr || Hidden()) {
        return;
    }
    tree_->RepaintNode(this);
}

void TILTreeNode::ExpandAll(const TILTreeExpandCallback& callback)
{
    if (callback && !callback(this)) {
        return;
    }
    std::optional<TILTreeUpdateBracket> bracket;
    const bool inTree = tree_ != nullptr;
    const fw::WeakRef<TILTree> alive(tree_);
    if (inTree) {
        bracket.emplace(tree_);
    }
    {
        FlagScope expanding(expandingAll_);
        SetExpanded(true);
        if (inTree && !alive) {
            // The tree went in a handler, and this node with it (and its flag).
            expanding.Forget();
            return;
        }
    }
    // Children added by the expansion are there by now; the count is read each round.
    for (std::size_t i = 0; i < children_.size(); ++i) {
        children_[i]->ExpandAll(callback);
        if (inTree && !alive) {
            return;
        }
    }
}

void TILTreeNode::AutoSizeRow(int column, int minHeight, int extraTop, int extraBottom, bool resize,
                              bool recursive)
{
    if (tree_ == nullptr || column < 0 || column >= tree_->GetColumnCount()) {
        return;
    }
    TILTree* const tree = tree_;
    TILTreeColumnData* const columnData = tree->GetColumn(column);
    TILTreeUpdateBracket bracket(tree);

    // Sizes one row; false when the cell is too narrow, which ends the whole operation.
    auto sizeRow = [&](TILTreeNode* node) {
        TILTreeColumnDrawData* drawData = tree->CellDrawData(columnData, node);
        if (drawData == nullptr) {
            drawData = &tree->DefaultDrawNormal();
        }
        int width = columnData->Width();
        if (column == tree->TreeColumn()) {
            width -= tree->ComputeIndentOffset(node, *drawData);
        }
        if (width < 10) {
            return false;
        }
        const bool wrap = WrapsText(columnData->WrapOverride(), drawData->WordWrap());
        fw::Bitmap scratch(1, 1);
        fw::Canvas canvas(scratch, tree->EffectivePaintBackend());
        canvas.Font() = tree->CellFont(columnData, node, *drawData);
        int height = WrappedTextSize(canvas, width, node->CellTextRef(column), wrap).Height();
        height += drawData->Borders().Top().UsedWidth() + drawData->Borders().Bottom().UsedWidth();
        height += drawData->TextMargins().UsedTop() + drawData->TextMargins().UsedBottom();
        height += extraTop + extraBottom;
        node->SetHeight(std::max(height, minHeight));
        return true;
    };

    // Depth first, this node first; children are always resized.
    std::vector<std::pair<TILTreeNode*, bool>> pending{{this, resize}};
    while (!pending.empty()) {
        auto [node, resizeNode] = pending.back();
        pending.pop_back();
        if (resizeNode && !sizeRow(node)) {
            return;
        }
        if (recursive) {
            for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) {
                pending.emplace_back(*it, true);
            }
        }
    }
}

std::string TILTreeNode::GetRowText(bool includeHidden) const
{
    const int columnCount = tree_ != nullptr ? tree_->GetColumnCount() : 0;
    const int treeColumn = tree_ != nullptr ? tree_->TreeColumn() : 0;
    const int last = includeHidden ? std::max(columnCount, CellCount()) : columnCount;
    std::string row;
    bool first = true;
    for (int column = 0; column < last; ++column) {
        if (!includeHidden) {
            const TILTreeColumnData* data = tree_->GetColumn(column);
            if (data == nullptr || data->IsHidden()) {
                continue;
            }
        }
        if (!first) {
            row += '\t';
        }
        first = false;
        if (column == treeColumn && level_ > 1) {
            row.append(static_cast<std::size_t>(level_ - 1) * 2, ' ');
        }
        row += CellTextRef(column);
    }
    return row;
}

void TILTreeNode::SortChildren(const TILTreeNodeCompare& compare, bool recursive)
{
    TILTreeSortOrder order;
    if (compare) {
        order.Kind = iltSortCustom;
        order.Custom = compare;
    } else {
        order.Kind = iltSortAlphaAscendI;
        order.Column = tree_ != nullptr ? tree_->TreeColumn() : 0;
        if (tree_ != nullptr) {
            tree_->SetLastSortedColumn(tree_->TreeColumn());
        }
    }
    SortNodeChildren(*this, order, recursive, false);
    if (tree_ != nullptr) {
        tree_->LayoutRowsFrom(isRoot_ || IsShown() ? this : tree_->Root());
    }
}

// --- Hooks ---------------------------------------------------------------------------------------

void TILTreeNode::DoDrawNode()
{
    if (tree_ == nullptr) {
        return;
    }
    // Events are called through copies: a handler may free the tree that holds them.
    const TILTreeNodeEvent event = tree_->OnDrawNode();
    if (event) {
        event(tree_, this);
    }
}

void TILTreeNode::DoBeforeDrawCell(fw::Canvas& canvas, TILTreeColumnData* column, const fw::Rect& extents,
                                   TILTreeColumnDrawData* drawData)
{
    if (tree_ == nullptr) {
        return;
    }
    const TILTreeDrawCellEvent event = tree_->BeforeDrawCell();
    if (event) {
        event(tree_, canvas, column, this, extents, drawData);
    }
}

void TILTreeNode::DoAfterDrawCell(fw::Canvas& canvas, TILTreeColumnData* column, const fw::Rect& extents,
                                  TILTreeColumnDrawData* drawData)
{
    if (tree_ == nullptr) {
        return;
    }
    const TILTreeDrawCellEvent event = tree_->AfterDrawCell();
    if (event) {
        event(tree_, canvas, column, this, extents, drawData);
    }
}

void TILTreeNode::DoClick()
{
    if (tree_ == nullptr) {
        return;
    }
    const TILTreeNodeEvent event = tree_->OnNodeClick();
    if (event) {
        event(tree_, this);
    }
}

void TILTreeNode::DoDblClick()
{
    if (tree_ == nullptr) {
        return;
    }
    const TILTreeNodeEvent event = tree_->OnNodeDblClick();
    if (event) {
        event(tree_, this);
    }
}

bool TILTreeNode::CanSelect(bool multi)
{
    if (tree_ == nullptr) {
        return true;
    }
    const TILTreeCanSelectNodeEvent event = tree_->OnCanSelectNode();
    return !event || event(tree_, this, multi);
}

// --- Assign --------------------------------------------------------------------------------------

void TILTreeNode::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeNode*>(source);
    if (other == nullptr) {
        const std::string from = source != nullptr ? std::string(source->className()) : "nil";
        throw fw::Exception("Cannot assign a " + from + " to a " + std::string(className()) + ".");
    }
    if (other == this) {
        return;
    }
    // A source inside this node's subtree would go with the children, and a source above
    // this node would see the copies appear among its own descendants: copy a detached
    // snapshot instead.
    if (other->IsDescendantOf(this) || IsDescendantOf(other)) {
        std::unique_ptr<TILTreeNode> snapshot(dynamic_cast<TILTreeNode*>(other->NewInstance()));
        if (!snapshot) {
            fw::RaiseCannotCreate(other->className());
        }
        snapshot->Assign(other);
        Assign(snapshot.get());
        return;
    }

    std::optional<TILTreeUpdateBracket> bracket;
    if (tree_ != nullptr) {
        bracket.emplace(tree_);
    }
    while (!children_.empty()) {
        delete children_.back();
    }
    SetScaledHeight(other->height_);
    imageIndex_ = other->imageIndex_;
    SetIndex(other->GetIndex());
    drawFlags_ = other->drawFlags_;
    cells_ = other->cells_;
    // The copy refers to the object without owning it: only one node may free it. An object
    // this node owned until now goes.
    if (object_ != other->object_) {
        if (ownsObject_) {
            delete object_;
        }
        object_ = other->object_;
    }
    ownsObject_ = false;
    tag_ = other->tag_;
    if (other->font_) {
        GetFont() = *other->font_;
    } else {
        font_.reset();
    }
    cellInfos_.clear();
    cellInfos_.resize(other->cellInfos_.size());
    for (std::size_t i = 0; i < other->cellInfos_.size(); ++i) {
        if (other->cellInfos_[i]) {
            cellInfos_[i] = std::make_unique<TILTreeCellInfo>();
            cellInfos_[i]->Assign(other->cellInfos_[i].get());
        }
    }
    state_ = other->state_;
    for (const TILTreeNode* sourceChild : other->children_) {
        std::unique_ptr<TILTreeNode> child(dynamic_cast<TILTreeNode*>(sourceChild->NewInstance()));
        if (!child) {
            fw::RaiseCannotCreate(sourceChild->className());
        }
        TILTreeNode* attached = child.release();
        attached->AttachNew(this);
        attached->Assign(sourceChild);
    }
    SetExpanded(other->expanded_);
}
