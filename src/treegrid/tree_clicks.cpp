// Single and double clicks on a tree: expand buttons, range and click selection, the
// auto edit that waits out the double-click time, node clicks and heading clicks.

#include <cstdlib>

#include "framework/gui/application.h"
#include "framework/gui/timer.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"

namespace {

// How far from the centre of a drawn expand button (without images) a click still hits it.
constexpr int ButtonHitReach = 4;

bool ResizeInProgress(TILTreeInteractionMode mode)
{
    return mode == TILTreeInteractionMode::ColumnResize || mode == TILTreeInteractionMode::RowResize;
}

} // namespace

bool TILTree::HitsExpandButton(TILTreeNode* node, int x, int y) const
{
    if (node == nullptr || !HasOption(TILTreeDisplayOption::iltShowButtons) || node->State() == iltNodeBusy) {
        return false;
    }
    const TILTreeColumnData* treeColumn = GetColumn(TreeColumn());
    if (treeColumn == nullptr || !treeColumn->IsVisible()) {
        return false;
    }
    const fw::Point centre = ButtonCentre(node);
    const fw::Bitmap* image = ButtonImage(node->Expanded() ? TILTreeButtonMinus : TILTreeButtonPlus);
    if (image == nullptr || image->Empty()) {
        return std::abs(x - centre.X) <= ButtonHitReach && std::abs(y - centre.Y) <= ButtonHitReach;
    }
    // On the picture, and on one of its drawn pixels rather than its transparent ones.
    const int imageX = x - (centre.X - image->Width() / 2);
    const int imageY = y - (centre.Y - image->Height() / 2);
    if (!image->Contains(imageX, imageY)) {
        return false;
    }
    return image->Pixel(imageX, imageY) != (ButtonIcons().EffectiveTransparentColour() & 0xFF00FF);
}

void TILTree::Click()
{
    ClearKeySearch();
    const fw::Point at = LastMousePoint();
    const fw::ShiftState shift = LastShiftState();
    TILTreeColumnData* column = ColumnAt(at.X);
    const int columnIndex = column != nullptr ? column->Index() : -1;
    const fw::WeakRef<TILTree> self(this);
    fw::CustomControl::Click();
    if (!self || ResizeInProgress(InteractionMode())) {
        return;
    }
    TILTreeNode* node = NodeAt(at.X, at.Y);
    if (node == nullptr) {
        if (!HasOption(TILTreeDisplayOption::iltDisableHeaderClick) && at.Y < HeadingHeight()) {
            // The column may have gone in the OnClick handler; look again.
            if (TILTreeColumnData* heading = ColumnAt(at.X)) {
                heading->HeadingClick(at.X, at.Y);
            }
        }
        return;
    }

    NodeWatch watch(*this, node);
    bool postponed = false;
    bool buttonHit = false;
    const bool multiSelect = HasOption(TILTreeDisplayOption::iltMultiSelect);
    if (HitsExpandButton(node, at.X, at.Y)) {
        buttonHit = true;
        node->SetExpanded(!node->Expanded());
    } else if (multiSelect && shift.Contains(fw::ShiftFlag::Shift) && GetSelectedCount() > 0) {
        // A range among the siblings from the first selected node to this one; nothing when
        // they have different parents.
        TILTreeNode* first = GetSelectedItem(0);
        TILTreeNode* parent = node->Parent();
        if (first != nullptr && parent != nullptr && first->Parent() == parent) {
            const int from = first->GetIndex();
            const int to = node->GetIndex();
            DeselectAll();
            if (self && node != nullptr && node->Parent() == parent) {
                const int step = from <= to ? 1 : -1;
                std::vector<TILTreeNode*> range;
                for (int index = from;; index += step) {
                    TILTreeNode* sibling = parent->GetItem(index);
                    if (sibling != nullptr && CanSelectNode(sibling, true)) {
                        range.push_back(sibling);
                    }
                    if (index == to) {
                        break;
                    }
                }
                AddToSelection(range);
            }
        }
    } else if (!node->Selected() || HasOption(TILTreeDisplayOption::iltNoDoubleClick)) {
        DecideClick(PendingClick{node, columnIndex, at, shift});
    } else {
        // A click on a selected row may be the first half of a double click: decide once
        // the double-click time has passed without one.
        pendingClick_ = PendingClick{node, columnIndex, at, shift};
        if (!clickTimer_) {
            clickTimer_ = std::make_unique<fw::Timer>();
            clickTimer_->SetOnTimer([this](fw::Object*) { ClickTimerFired(); });
        }
        clickTimer_->SetEnabled(false);
        clickTimer_->SetInterval(fw::App().DoubleClickTime());
        clickTimer_->SetEnabled(true);
        postponed = true;
    }
    if (!self || node == nullptr || postponed) {
        return;
    }
    // Toggling here too would undo what the button click just did.
    if (!buttonHit && HasOption(TILTreeDisplayOption::iltSingleClickExpand)
        && HasOption(TILTreeDisplayOption::iltAutoExpand) && node->HasChildren()) {
        node->SetExpanded(!node->Expanded());
        if (!self || node == nullptr) {
            return;
        }
    }
    node->DoClick();
}

void TILTree::DecideClick(const PendingClick& click)
{
    TILTreeNode* node = click.Node;
    if (node == nullptr) {
        return;
    }
    const fw::WeakRef<TILTree> self(this);
    NodeWatch watch(*this, node);
    if (HasOption(TILTreeDisplayOption::iltAutoEdit)
        && (node->Selected() || InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditOnClick))) {
        const bool editable = CanEditCell(node, click.Column);
        if (!self || node == nullptr) {
            return;
        }
        if (editable) {
            EditCell(node, click.Column, click.Point.X, click.Point.Y);
            return;
        }
    }
    SelectByClick(node, click.Shift);
}

void TILTree::SelectByClick(TILTreeNode* node, fw::ShiftState shift)
{
    const bool multiSelect = HasOption(TILTreeDisplayOption::iltMultiSelect);
    const bool ctrl = shift.Contains(fw::ShiftFlag::Ctrl);
    if (!CanSelectNode(node, multiSelect && ctrl)) {
        return;
    }
    if (multiSelect && ctrl) {
        if (node->Selected()) {
            RemoveFromSelection(node);
        } else {
            AddToSelection(node);
        }
        return;
    }
    if (!node->Selected() || (multiSelect && GetSelectedCount() > 1)) {
        SelectOnly(node);
    } else {
        // A click on the only selected row takes the selection away.
        DeselectAll();
    }
}

void TILTree::ClickTimerFired()
{
    StopClickTimer();
    const PendingClick click = pendingClick_;
    pendingClick_ = PendingClick{};
    DecideClick(click);
}

void TILTree::StopClickTimer()
{
    if (clickTimer_) {
        clickTimer_->SetEnabled(false);
    }
}

bool TILTree::ClickTimerRunning() const
{
    return clickTimer_ && clickTimer_->Running();
}

void TILTree::DblClick()
{
    StopClickTimer();
    pendingClick_ = PendingClick{};
    if (HasOption(TILTreeDisplayOption::iltNoDoubleClick)) {
        return;
    }
    ClearKeySearch();
    const fw::Point at = LastMousePoint();
    const fw::WeakRef<TILTree> self(this);
    fw::CustomControl::DblClick();
    if (!self) {
        return;
    }
    TILTreeNode* node = NodeAt(at.X, at.Y);
    if (node == nullptr || HitsExpandButton(node, at.X, at.Y)) {
        return;
    }
    NodeWatch watch(*this, node);
    if (HasOption(TILTreeDisplayOption::iltAutoExpand)) {
        const TILTreeColumnData* column = ColumnAt(at.X);
        const bool expandable = node->HasChildren() || node->State() == iltNodeExpandable;
        if (column != nullptr && column->Index() == TreeColumn() && node->State() != iltNodeBusy && expandable) {
            node->SetExpanded(!node->Expanded());
            if (!self || node == nullptr) {
                return;
            }
        }
    }
    if (CanSelectNode(node, false)) {
        node->DoDblClick();
    }
}
