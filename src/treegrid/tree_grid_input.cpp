// A tree's mouse and keyboard: presses, moves, resizing columns and rows by their edges,
// popup menus, keyboard navigation and the clipboard copy.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/scroll_bar.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/input.h"
#include "framework/gui/menu.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_node.h"

namespace {

// How close to an edge the mouse must be to drag it.
constexpr int EdgeReach = 4;
// The colour of the feedback line of a resize.
constexpr fw::Color ResizeLineColour = 0x808080;

// Runs an event through a copy: a handler that frees the tree frees the tree's own
// function object, which must not be running then.
template <class Event, class... Args>
auto Fire(const Event& event, Args&&... args)
{
    const Event copy = event;
    return copy(std::forward<Args>(args)...);
}

} // namespace

// --- Mouse ------------------------------------------------------------------------------------------

void TILTree::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    RemoveHint();
    if (Editing()) {
        AcceptInlineEdit(false);
        return;
    }
    fw::WeakRef<TILTree> self(this);
    if (CanFocus() && !Focused()) {
        SetFocus();
        if (!self) {
            return;
        }
    }
    lastMousePoint_ = fw::Point{x, y};
    lastShiftState_ = shift;
    EnsureLayout();

    const bool onEdge = edgeColumn_ != nullptr || edgeHeadingRow_ != nullptr || edgeNode_ != nullptr;
    if (button == fw::MouseButton::Left && interactionMode_ == TILTreeInteractionMode::None
        && !shift.Contains(fw::ShiftFlag::Double) && !onEdge && !HasOption(TILTreeDisplayOption::iltNoDrag)) {
        if (TILTreeNode* node = NodeAt(x, y)) {
            bool draggable = true;
            for (int i = 0; draggable && i < GetSelectedCount(); ++i) {
                TILTreeNode* selected = GetSelectedItem(i);
                draggable = !onCanDragNode_ || Fire(onCanDragNode_, this, selected);
            }
            if (!self) {
                return;
            }
            if (draggable) {
                dragNode_ = node;
                const bool inDataArea = x >= scrollWindow_->Left() && y >= scrollWindow_->Top()
                                        && x < scrollWindow_->Left() + scrollWindow_->Width()
                                        && y < scrollWindow_->Top() + scrollWindow_->Height();
                if (inDataArea) {
                    scrollWindow_->BeginDrag(false);
                } else {
                    BeginDrag(false);
                }
                if (!self) {
                    return;
                }
            }
        }
    }

    fw::CustomControl::MouseDown(button, shift, x, y);
    if (!self) {
        return;
    }

    if (button == fw::MouseButton::Left && interactionMode_ == TILTreeInteractionMode::None) {
        if (edgeColumn_ != nullptr) {
            interactionMode_ = TILTreeInteractionMode::ColumnResize;
            resizeAnchor_ = x;
            resizeLine_ = x;
            DrawResizeLine();
        } else if (edgeHeadingRow_ != nullptr || edgeNode_ != nullptr) {
            interactionMode_ = TILTreeInteractionMode::RowResize;
            resizeAnchor_ = y;
            resizeLine_ = y;
            DrawResizeLine();
        }
        return;
    }
    if (button == fw::MouseButton::Right) {
        ShowPopupAt(x, y);
    }
}

void TILTree::ShowPopupAt(int x, int y)
{
    fw::WeakRef<TILTree> self(this);
    TILTreeNode* node = NodeAt(x, y);
    TILTreeColumnData* column = ColumnAt(x);
    const bool keepList = HasOption(TILTreeDisplayOption::iltMultiSelect)
                          && HasOption(TILTreeDisplayOption::iltEnableListPopup);
    if (node != nullptr && !node->Selected() && !keepList && CanSelectNode(node, false)) {
        SelectOnly(node);
        if (!self) {
            return;
        }
    }
    fw::Component* menu = nullptr;
    if (beforeNodePopup_ && node != nullptr && column != nullptr) {
        if (!node->Selected() && !HasOption(TILTreeDisplayOption::iltNoSelect)) {
            return;
        }
        menu = Fire(beforeNodePopup_, this, node, column->Index());
    } else if (beforeHeaderPopup_ && y >= 0 && y < HeadingHeight()) {
        menu = Fire(beforeHeaderPopup_, this, HeadingCellAt(x, y));
    } else if (beforeTreePopup_) {
        menu = Fire(beforeTreePopup_, this, column);
    } else {
        menu = PopupMenu();
    }
    if (!self) {
        return;
    }
    auto* popup = dynamic_cast<fw::PopupMenu*>(menu);
    if (popup == nullptr) {
        return;
    }
    StopExpandTimer();
    RemoveHint();
    const fw::Point screen = ClientToScreen(fw::Point{x, y});
    popup->SetPopupComponent(this);
    popup->Popup(screen.X, screen.Y);
}

void TILTree::MouseMove(fw::ShiftState shift, int x, int y)
{
    if (IsUpdating()) {
        return;
    }
    lastMousePoint_ = fw::Point{x, y};
    lastShiftState_ = shift;
    fw::WeakRef<TILTree> self(this);
    fw::CustomControl::MouseMove(shift, x, y);
    if (!self) {
        return;
    }
    RemoveHintUnlessAt(x, y);
    if (!self) {
        return;
    }

    if (interactionMode_ == TILTreeInteractionMode::ColumnResize
        || interactionMode_ == TILTreeInteractionMode::RowResize) {
        // The feedback line follows the mouse: erased where it was, drawn where it is.
        DrawResizeLine();
        resizeLine_ = interactionMode_ == TILTreeInteractionMode::ColumnResize ? x : y;
        DrawResizeLine();
        return;
    }
    if (interactionMode_ == TILTreeInteractionMode::Dragging || Dragging() || scrollWindow_->Dragging()) {
        return;
    }

    EnsureLayout();
    TILTreeNode* node = NodeAt(x, y);
    if (node != mouseNode_) {
        StopExpandTimer();
        TILTreeNode* last = mouseNode_;
        mouseNode_ = node;
        if (onMouseNodeChange_) {
            Fire(onMouseNodeChange_, this, last, node);
            if (!self) {
                return;
            }
        }
    }
    TILTreeColumnData* column = ColumnAt(x);
    if (column != mouseColumn_) {
        StopExpandTimer();
        TILTreeColumnData* last = mouseColumn_;
        mouseColumn_ = column;
        if (onMouseColumnChange_) {
            Fire(onMouseColumnChange_, this, last, column);
            if (!self) {
                return;
            }
        }
    }

    FindEdges(x, y);

    if (HasOption(TILTreeDisplayOption::iltTrack) && node != nullptr && !node->Selected()
        && CanSelectNode(node, false)) {
        node->SetSelected(true);
        if (!self) {
            return;
        }
    }
    if (HasOption(TILTreeDisplayOption::iltDeselectOnLeave) && node == nullptr) {
        DeselectAll();
        if (!self) {
            return;
        }
    }
    if (Cursor() == fw::crDefault && ShowHint() && !HintTimerRunning() && !HasHintWindow() && column != nullptr) {
        if (node != nullptr) {
            StartHintTimer(CellExtents(node, column));
        } else if (y < HeadingHeight()) {
            if (TILTreeColumnHeaderCell* cell = HeadingCellAt(x, y);
                cell != nullptr && cell->Column() != nullptr) {
                StartHintTimer(HeadingCellExtents(cell->Column(), cell->Row()));
            }
        }
    }
    if (HasOption(TILTreeDisplayOption::iltExpandOnHover) && !ExpandTimerRunning() && column != nullptr
        && column->Index() == treeColumn_ && node != nullptr && !node->Expanded()
        && (node->HasChildren() || node->State() == iltNodeExpandable)) {
        StartExpandTimer();
    }
}

void TILTree::FindEdges(int x, int y)
{
    edgeColumn_ = nullptr;
    edgeHeadingRow_ = nullptr;
    edgeNode_ = nullptr;
    const int heading = HeadingHeight();
    fw::Cursor cursor = fw::crDefault;
    if (HasOption(TILTreeDisplayOption::iltResizeCol)
        && (y < heading || HasOption(TILTreeDisplayOption::iltResizeColThroughout))) {
        const int fixedWidth = FixedWidth();
        for (int i = 0; i < GetColumnCount(); ++i) {
            TILTreeColumnData* column = GetColumn(i);
            if (column->IsHidden() || !column->IsVisible() || !column->CanResize()) {
                continue;
            }
            if (i >= fixedColumns_ && column->Right() < fixedWidth) {
                continue;
            }
            if (std::abs(column->Right() - x) < EdgeReach) {
                edgeColumn_ = column;
                cursor = fw::crHSplit;
                break;
            }
        }
    }
    if (HasOption(TILTreeDisplayOption::iltResizeHeader) && y < heading + EdgeReach) {
        const TILTreeHeadingRowCollection& rows = headings_->HeadingRows();
        for (int i = 0; i < rows.Count(); ++i) {
            TILTreeHeadingRow* row = rows.GetItem(i);
            if (row->IsVisible() && row->CanResize() && std::abs(row->Bottom() - y) < EdgeReach) {
                edgeHeadingRow_ = row;
                cursor = fw::crVSplit;
                break;
            }
        }
    }
    if (HasOption(TILTreeDisplayOption::iltResizeRow) && y >= heading && edgeHeadingRow_ == nullptr) {
        const int dataHeight = DataHeight();
        for (std::size_t i = FirstRowReaching(heading); i < rows_.size() && RowTop(i) < dataHeight; ++i) {
            TILTreeNode* node = rows_[i];
            if (std::abs(RowBottom(i) - y) >= EdgeReach) {
                continue;
            }
            if ((node->Flags() & iltNodeNoResize) != 0 || (onCanResizeNode_ && !Fire(onCanResizeNode_, this, node))) {
                continue;
            }
            edgeNode_ = node;
            cursor = fw::crVSplit;
            break;
        }
    }
    if (Cursor() != cursor) {
        SetTreeCursor(cursor);
    }
}

void TILTree::DrawResizeLine()
{
    if (Parent() == nullptr) {
        return;
    }
    // Whatever waits to be painted comes first, so that no paint lands between drawing the
    // line and erasing it.
    if (!IsUpdating()) {
        fw::CustomControl::Update();
    }
    fw::Canvas& canvas = Canvas();
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    const fw::Pen savedPen = canvas.Pen();
    const fw::Brush savedBrush = canvas.Brush();
    canvas.SetClipRegion(std::nullopt);
    canvas.Pen() = fw::Pen{ResizeLineColour, 1, fw::PenStyle::Dot, fw::PenMode::NotXor};
    canvas.Brush().Style = fw::BrushStyle::Clear;
    fw::Rect line;
    if (interactionMode_ == TILTreeInteractionMode::ColumnResize) {
        canvas.MoveTo(resizeLine_, 0);
        canvas.LineTo(resizeLine_, ClientHeight());
        line = fw::Rect{resizeLine_, 0, resizeLine_ + 1, ClientHeight()};
    } else {
        canvas.MoveTo(0, resizeLine_);
        canvas.LineTo(ClientWidth(), resizeLine_);
        line = fw::Rect{0, resizeLine_, ClientWidth(), resizeLine_ + 1};
    }
    canvas.Pen() = savedPen;
    canvas.Brush() = savedBrush;
    canvas.SetClipRegion(saved);
    MirrorToScrollWindow(line);
}

void TILTree::EndResize(bool apply)
{
    const TILTreeInteractionMode mode = interactionMode_;
    if (mode != TILTreeInteractionMode::ColumnResize && mode != TILTreeInteractionMode::RowResize) {
        return;
    }
    // Erase the line: drawn once more at the same place it goes.
    DrawResizeLine();
    interactionMode_ = TILTreeInteractionMode::None;
    if (!apply) {
        return;
    }
    fw::WeakRef<TILTree> self(this);
    const int moved = resizeLine_ - resizeAnchor_;
    if (mode == TILTreeInteractionMode::ColumnResize && edgeColumn_ != nullptr) {
        TILTreeColumnData* column = edgeColumn_;
        int width = std::max(column->Width() + moved, column->MinWidth());
        if (column->MaxWidth() > 0) {
            width = std::min(width, column->MaxWidth());
        }
        if (onColumnResize_ && !Fire(onColumnResize_, this, column, width)) {
            return;
        }
        if (!self) {
            return;
        }
        column->SetWidth(width);
        LayoutColumns();
        return;
    }
    if (edgeHeadingRow_ != nullptr) {
        TILTreeHeadingRow* row = edgeHeadingRow_;
        int height = std::max({row->Height() + moved, 1, row->MinHeight()});
        if (row->MaxHeight() > 0) {
            height = std::min(height, row->MaxHeight());
        }
        height = std::min(height, ClientHeight());
        row->SetHeight(height);
        RelayoutAll();
        return;
    }
    if (edgeNode_ != nullptr) {
        TILTreeNode* node = edgeNode_;
        int height = std::min(std::max(node->Height() + moved, 1), ClientHeight());
        if (onNodeResize_ && !Fire(onNodeResize_, this, node, height)) {
            return;
        }
        if (!self || node->Tree() != this) {
            return;
        }
        node->SetHeight(height);
        LayoutRowsFrom(node);
    }
}

void TILTree::MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    fw::WeakRef<TILTree> self(this);
    if (interactionMode_ == TILTreeInteractionMode::ColumnResize
        || interactionMode_ == TILTreeInteractionMode::RowResize) {
        EndResize(true);
        if (!self) {
            return;
        }
    }
    fw::CustomControl::MouseUp(button, shift, x, y);
}

void TILTree::CMMouseLeave(fw::Message& message)
{
    // Moving between the tree and its own children (the scroll window, an editor) is no
    // leaving of the control.
    if (const fw::InputRouter* router = fw::InputRouter::Current()) {
        if (const fw::Control* now = router->MouseControl(); now != nullptr && ContainsControl(now)) {
            return;
        }
    }
    fw::WeakRef<TILTree> self(this);
    fw::CustomControl::CMMouseLeave(message);
    if (!self) {
        return;
    }
    if (mouseNode_ != nullptr) {
        TILTreeNode* last = mouseNode_;
        mouseNode_ = nullptr;
        StopExpandTimer();
        if (onMouseNodeChange_) {
            Fire(onMouseNodeChange_, this, last, nullptr);
            if (!self) {
                return;
            }
        }
    }
    RemoveHint();
    if (HasOption(TILTreeDisplayOption::iltDeselectOnLeave)) {
        DeselectAll();
    }
}

// --- Keyboard -----------------------------------------------------------------------------------

void TILTree::KeyDown(int& key, fw::ShiftState shift)
{
    fw::WeakRef<TILTree> self(this);
    fw::CustomControl::KeyDown(key, shift);
    if (!self || key == 0) {
        return;
    }
    HandleNavigationKey(key, shift);
}

void TILTree::SelectForKey(TILTreeNode* node, fw::ShiftState shift, int placement)
{
    if (node == nullptr) {
        return;
    }
    fw::WeakRef<TILTree> self(this);
    if (shift.Contains(fw::ShiftFlag::Shift) && HasOption(TILTreeDisplayOption::iltMultiSelect)) {
        AddToSelection(node);
    } else {
        SelectOnly(node);
    }
    if (self && node->Tree() == this) {
        SelectNode(node, false, placement);
    }
}

void TILTree::HandleNavigationKey(int& key, fw::ShiftState shift)
{
    const bool ctrl = shift.Contains(fw::ShiftFlag::Ctrl);
    const bool noSelect = HasOption(TILTreeDisplayOption::iltNoSelect);
    EnsureLayout();
    TILTreeNode* current = CurrentNode();
    switch (key) {
    case fw::VK_DOWN:
    case fw::VK_UP: {
        const bool down = key == fw::VK_DOWN;
        key = 0;
        if ((ctrl && vertBar_->Visible()) || noSelect) {
            ScrollVertical(down ? VertScrollIncrement() : -VertScrollIncrement());
            return;
        }
        TILTreeNode* next = nullptr;
        if (current == nullptr) {
            next = root_->FirstVisibleChild();
            if (next != nullptr && !CanSelectNode(next, false)) {
                next = next->NextSelectable();
            }
        } else {
            next = down ? current->NextSelectable() : current->PrevSelectable();
        }
        SelectForKey(next, shift, down ? TILTreePlaceTop : TILTreePlaceBottom);
        return;
    }
    case fw::VK_RIGHT:
        key = 0;
        if (ctrl) {
            if (horzBar_->Visible()) {
                ScrollHorizontal(HorzScrollIncrement());
            }
            return;
        }
        if (current != nullptr) {
            if (current->Expanded()) {
                SelectForKey(current->FirstVisibleChild(), fw::ShiftState(), TILTreePlaceTop);
            } else {
                current->SetExpanded(true);
            }
        }
        return;
    case fw::VK_LEFT:
        key = 0;
        if (ctrl) {
            ScrollHorizontal(-HorzScrollIncrement());
            return;
        }
        if (current != nullptr) {
            if (current->Expanded()) {
                current->SetExpanded(false);
            } else if (current->Level() > 1) {
                SelectForKey(current->Parent(), fw::ShiftState(), TILTreePlaceBottom);
            }
        }
        return;
    case fw::VK_HOME:
    case fw::VK_END: {
        const bool home = key == fw::VK_HOME;
        key = 0;
        ScrollVertical(home ? -VertScrollPosition() : TotalContentHeight());
        if (ctrl || noSelect) {
            return;
        }
        TILTreeNode* target = home ? root_->FirstVisibleChild() : LastVisibleNode();
        if (target != nullptr && CanSelectNode(target, false)) {
            SelectOnly(target);
        } else {
            DeselectAll();
        }
        return;
    }
    case fw::VK_PRIOR:
        key = 0;
        PageUp(ctrl || noSelect);
        return;
    case fw::VK_NEXT:
        key = 0;
        PageDown(ctrl || noSelect);
        return;
    case fw::VK_ESCAPE:
        if (interactionMode_ == TILTreeInteractionMode::ColumnResize
            || interactionMode_ == TILTreeInteractionMode::RowResize) {
            key = 0;
            EndResize(false);
        }
        return;
    case 67:
    case 99:
        if (ctrl) {
            key = 0;
            if (onCopy_) {
                Fire(onCopy_, this);
            } else {
                CopyToClipboard(true, false, false);
            }
        }
        return;
    default:
        return;
    }
}

void TILTree::PageUp(bool plainScroll)
{
    const int heading = HeadingHeight();
    const int dataHeight = DataHeight();
    TILTreeNode* firstRow = root_->FirstVisibleChild();
    if (plainScroll) {
        ScrollVertical(-(dataHeight - heading - (firstRow != nullptr ? firstRow->Height() : 0)));
        return;
    }
    TILTreeNode* current = CurrentNode();
    TILTreeNode* first = FirstNodeInView();
    if (current != nullptr && current->IsShown() && first != nullptr
        && (current == first || current->Top() < first->Top() || current->Top() >= dataHeight)) {
        ScrollVertical(current->Bottom() - (dataHeight - 1));
        first = FirstNodeInView();
    }
    if (first != nullptr && CanSelectNode(first, false)) {
        SelectOnly(first);
    } else {
        DeselectAll();
    }
}

void TILTree::PageDown(bool plainScroll)
{
    const int heading = HeadingHeight();
    const int dataHeight = DataHeight();
    TILTreeNode* firstRow = root_->FirstVisibleChild();
    if (plainScroll) {
        ScrollVertical(dataHeight - heading - HorzGridWidth() - (firstRow != nullptr ? firstRow->Height() : 0));
        return;
    }
    TILTreeNode* current = CurrentNode();
    TILTreeNode* last = LastNodeInView();
    if (current != nullptr && current->IsShown() && last != nullptr
        && (current == last || current->Top() > last->Top() || current->Bottom() < heading)) {
        ScrollVertical(current->Top() - heading);
        last = LastNodeInView();
    }
    if (last != nullptr && CanSelectNode(last, false)) {
        SelectOnly(last);
    } else {
        DeselectAll();
    }
}

// --- Clipboard ------------------------------------------------------------------------------------

std::vector<std::string> TILTree::ClipboardLines(bool visibleOnly, bool includeHidden, bool withHeadings) const
{
    std::vector<std::string> lines;
    if (withHeadings) {
        const TILTreeHeadingRowCollection& rows = headings_->HeadingRows();
        for (int row = 0; row < rows.Count(); ++row) {
            if (!includeHidden && !rows.GetItem(row)->IsVisible()) {
                continue;
            }
            std::string line;
            bool first = true;
            for (int i = 0; i < GetColumnCount(); ++i) {
                const TILTreeColumnData* column = GetColumn(i);
                if (!includeHidden && column->IsHidden()) {
                    continue;
                }
                if (!first) {
                    line += '\t';
                }
                first = false;
                if (row < column->Headers().Count()) {
                    line += column->Headers().GetItem(row)->Caption();
                }
            }
            lines.push_back(std::move(line));
        }
    }
    if (visibleOnly) {
        for (const TILTreeNode* node = root_->FirstVisibleChild(); node != nullptr; node = node->NextVisible()) {
            lines.push_back(node->GetRowText(includeHidden));
        }
        return lines;
    }
    // Every node, depth first.
    std::vector<const TILTreeNode*> stack;
    for (int i = root_->GetCount() - 1; i >= 0; --i) {
        stack.push_back(root_->GetItem(i));
    }
    while (!stack.empty()) {
        const TILTreeNode* node = stack.back();
        stack.pop_back();
        lines.push_back(node->GetRowText(includeHidden));
        for (int i = node->GetCount() - 1; i >= 0; --i) {
            stack.push_back(node->GetItem(i));
        }
    }
    return lines;
}

void TILTree::CopyToClipboard(bool visibleOnly, bool includeHidden, bool withHeadings)
{
    std::string text;
    for (const std::string& line : ClipboardLines(visibleOnly, includeHidden, withHeadings)) {
        text += line;
        text += "\r\n";
    }
    fw::GetClipboard().SetAsText(text);
}
