// The controls embedded in a tree's cells: placed inside their cell whenever the rows move,
// shown only while their row and column are in view.

#include <vector>

#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_node.h"

namespace {

// Calls visit with the node and, when recursive, with every node below it.
template <class Visit>
void VisitNodes(TILTreeNode* node, bool recursive, Visit&& visit)
{
    std::vector<TILTreeNode*> stack{node};
    while (!stack.empty()) {
        TILTreeNode* current = stack.back();
        stack.pop_back();
        if (recursive) {
            for (TILTreeNode* child : current->Children()) {
                stack.push_back(child);
            }
        }
        visit(current);
    }
}

} // namespace

void TILTree::UpdateCellControls(TILTreeNode* node, bool recursive)
{
    if (node == nullptr || node->Tree() != this || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    if (IsUpdating()) {
        // Positions are not settled inside a bracket: the controls are only noted here and
        // placed once when the bracket ends.
        NoteCellControls(node, recursive);
        return;
    }
    VisitNodes(node, recursive, [this](TILTreeNode* current) {
        if (current->IsRoot()) {
            return;
        }
        const bool shownInView = current->IsShown() && IsNodePartlyInView(current);
        for (int columnIndex = 0; columnIndex < current->CellInfoCount(); ++columnIndex) {
            const TILTreeCellInfo* info = current->FindCellInfo(columnIndex);
            if (info == nullptr || info->CellControl() == nullptr || info->CellControl()->Control == nullptr) {
                continue;
            }
            cellControlNodes_.insert(current);
            const TILTreeCellControlHolder& holder = *info->CellControl();
            fw::WinControl* control = holder.Control;
            TILTreeColumnData* column = GetColumn(columnIndex);
            const bool visible = shownInView && column != nullptr && !column->IsHidden() && column->IsVisible();
            if (!visible) {
                if (control->Visible()) {
                    control->Hide();
                }
                continue;
            }
            fw::Rect extents = CellExtents(current, column);
            if (columnIndex == treeColumn_) {
                extents.Left += current->IndentOffset();
            }
            fw::Rect bounds = holder.PlaceIn(extents, control->Width(), control->Height());
            fw::WinControl* parent = this;
            if (columnIndex >= fixedColumns_) {
                // Scrolled columns' controls live in the scroll window, clipped to the data area.
                parent = scrollWindow_;
                const int dx = FixedWidth();
                const int dy = HeadingHeight();
                bounds = fw::Rect{bounds.Left - dx, bounds.Top - dy, bounds.Right - dx, bounds.Bottom - dy};
            }
            if (control->Parent() != parent) {
                control->SetParent(parent);
            }
            if (control->BoundsRect() != bounds) {
                control->SetBoundsRect(bounds);
            }
            if (!control->Visible()) {
                control->Show();
            }
        }
    });
}

void TILTree::NoteCellControls(TILTreeNode* node, bool recursive)
{
    VisitNodes(node, recursive, [this](TILTreeNode* current) {
        for (int columnIndex = 0; columnIndex < current->CellInfoCount(); ++columnIndex) {
            const TILTreeCellInfo* info = current->FindCellInfo(columnIndex);
            if (info != nullptr && info->CellControl() != nullptr && info->CellControl()->Control != nullptr) {
                cellControlNodes_.insert(current);
                return;
            }
        }
    });
}

void TILTree::UpdateAllCellControls()
{
    if (cellControlNodes_.empty() || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    EnsureLayout();
    const std::vector<TILTreeNode*> nodes(cellControlNodes_.begin(), cellControlNodes_.end());
    for (TILTreeNode* node : nodes) {
        if (cellControlNodes_.count(node) > 0) {
            UpdateCellControls(node, false);
        }
    }
}

void TILTree::ShowColumnCellControls(int columnIndex, bool show)
{
    // Every node, not only those seen so far: a hidden column's controls must all go.
    std::vector<TILTreeNode*> stack{root_};
    while (!stack.empty()) {
        TILTreeNode* node = stack.back();
        stack.pop_back();
        for (TILTreeNode* child : node->Children()) {
            stack.push_back(child);
        }
        const TILTreeCellInfo* info = node->FindCellInfo(columnIndex);
        if (info == nullptr || info->CellControl() == nullptr || info->CellControl()->Control == nullptr) {
            continue;
        }
        cellControlNodes_.insert(node);
        if (show) {
            UpdateCellControls(node, false);
        } else {
            info->CellControl()->Control->Hide();
        }
    }
}

bool TILTree::PrepareNodeToggle(TILTreeNode* node)
{
    RemoveHint();
    if (node == nullptr || node->Tree() != this) {
        return false;
    }
    // Inside a bracket the rows may wait for their layout; working out the view for every
    // node a bracket expands (ExpandAll) would lay out the whole tree each time, so the wait
    // button is left out then unless an open edit needs the answer anyway.
    if (IsUpdating() && rowsDirty_ && !Editing()) {
        return false;
    }
    const bool inView = IsNodePartlyInView(node);
    if (inView) {
        DrawWaitButton(node);
    }
    if (Editing() && inView) {
        AcceptInlineEdit(true);
        return true;
    }
    return false;
}
