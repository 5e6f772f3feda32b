// Where a tree's rows and columns lie: the lazy row layout, the columns, the scroll bars
// and the scroll window, and the positions of nodes and columns in the data area.

#include <algorithm>
#include <vector>

#include "controls/scroll_bar.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_node.h"

namespace {

// Sets a flag for a scope and clears it however the scope ends.
// Sets a flag of the tree for a scope and clears it however the scope ends, unless an event
// handler freed the tree meanwhile.
class FlagScope {
public:
    FlagScope(TILTree* tree, bool& flag) : tree_(tree), flag_(&flag) { *flag_ = true; }
    ~FlagScope()
    {
        if (tree_) {
            *flag_ = false;
        }
    }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    fw::WeakRef<TILTree> tree_;
    bool* flag_;
};

bool StyleAllowsVertical(TScrollStyle style)
{
    return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
}

bool StyleAllowsHorizontal(TScrollStyle style)
{
    return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
}

// Gives a bar a new range and page, keeping its position inside it.
void SetBarRange(TILScrollBar& bar, int maximum, int page)
{
    // The old page must not limit the position while the maximum changes.
    bar.Slider().SetRange(1);
    bar.SetMaximum(maximum);
    bar.SetLargeChange(page);
    bar.Slider().SetRange(page);
    bar.SetPosition(bar.Position());
}

void SetBoundsIfChanged(fw::Control& control, int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (control.Left() != left || control.Top() != top || control.Width() != width || control.Height() != height) {
        control.SetBounds(left, top, width, height);
    }
}

} // namespace

// --- Marking the layout out of date ---------------------------------------------------------------

void TILTree::MarkRowsDirty()
{
    const bool wasClean = !rowsDirty_;
    rowsDirty_ = true;
    barsDirty_ = true;
    InvalidateForLayout(wasClean);
}

void TILTree::InvalidateForLayout(bool wasClean)
{
    // Inside a bracket EndUpdate repaints everything anyway, and a layout still marked out of
    // date has not been painted since it was marked (a paint lays out first): the control is
    // invalid already. Building and joining regions for every change of a large fill costs.
    if (wasClean && !IsUpdating()) {
        Invalidate();
    }
}

void TILTree::LayoutRowsFrom(TILTreeNode* node)
{
    // Every row below the node may move, and the content height changes: the whole order is
    // rebuilt when positions are needed next.
    (void)node;
    MarkRowsDirty();
}

int TILTree::LaidOutRow(const TILTreeNode& node) const
{
    const int row = node.RowIndex() - rowKeyBase_;
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() && rows_[static_cast<std::size_t>(row)] == &node
               ? row
               : -1;
}

void TILTree::RowAddedAtEnd(TILTreeNode* node)
{
    // Anything but a plain new row after rows laid out goes the whole way.
    if (rowsDirty_ || node == nullptr || node->Parent() != root_ || root_->Children().back() != node
        || node->Hidden() || node->HasChildren() || node->CellInfoCount() > 0 || LaidOutRow(*node) >= 0) {
        MarkRowsDirty();
        return;
    }
    const bool wasClean = !barsDirty_;
    node->SetRowIndex(rowKeyBase_ + static_cast<int>(rows_.size()));
    rows_.push_back(node);
    rowOffsets_.push_back(contentRowsHeight_ - offsetShift_);
    contentRowsHeight_ += node->Height() + HorzGridWidth();
    // The content grew: the bars change, the rows above stay where they are.
    barsDirty_ = true;
    InvalidateForLayout(wasClean);
}

void TILTree::RowMovedToFront(TILTreeNode* node)
{
    // Only the last row moves to the front without a walk: it has no rows of children below
    // it, and no other row changes its place in the order but by one.
    const int row = node != nullptr ? LaidOutRow(*node) : -1;
    if (node == nullptr || rowsDirty_ || node->Parent() != root_ || row < 0 || static_cast<std::size_t>(row) + 1 != rows_.size()) {
        MarkRowsDirty();
        return;
    }
    const bool wasClean = !topsDirty_;
    const int height = contentRowsHeight_ - (rowOffsets_.back() + offsetShift_);
    rows_.pop_back();
    rowOffsets_.pop_back();
    offsetShift_ += height;
    --rowKeyBase_;
    rows_.insert(rows_.begin(), node);
    rowOffsets_.insert(rowOffsets_.begin(), -offsetShift_);
    node->SetRowIndex(rowKeyBase_);
    // The rows moved: what is placed on them follows at the next layout.
    topsDirty_ = true;
    InvalidateForLayout(wasClean);
}

int TILTree::RowTopOf(const TILTreeNode& node, int fallback) const
{
    EnsureLayout();
    const int row = LaidOutRow(node);
    return row >= 0 ? rowsOrigin_ + offsetShift_ + rowOffsets_[static_cast<std::size_t>(row)] : fallback;
}

void TILTree::LayoutColumns()
{
    const bool wasClean = !columnsDirty_;
    columnsDirty_ = true;
    barsDirty_ = true;
    InvalidateForLayout(wasClean);
}

void TILTree::RelayoutAll()
{
    const bool wasClean = !rowsDirty_ || !columnsDirty_;
    rowsDirty_ = true;
    columnsDirty_ = true;
    barsDirty_ = true;
    InvalidateForLayout(wasClean);
}

void TILTree::UpdateScrollBars()
{
    const bool wasClean = !barsDirty_;
    barsDirty_ = true;
    InvalidateForLayout(wasClean);
}

void TILTree::EnsureLayout() const
{
    if (rowsDirty_ || topsDirty_ || barsDirty_ || columnsDirty_) {
        const_cast<TILTree*>(this)->LayoutNow();
    }
}

void TILTree::Update()
{
    EnsureLayout();
    fw::CustomControl::Update();
}

// --- The layout itself ----------------------------------------------------------------------------

void TILTree::LayoutNow()
{
    if (layingOut_ || root_ == nullptr || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    fw::WeakRef<TILTree> self(this);
    {
        FlagScope laying(this, layingOut_);
        // Each step may mark another one out of date again (a bar that appears narrows the
        // data area, a position clamped by a new range moves the rows); a few rounds settle.
        for (int round = 0; round < 4; ++round) {
            if (rowsDirty_) {
                RebuildVisibleOrder();
            }
            if (barsDirty_) {
                // Fitting the auto-size column tells the application of its new width.
                UpdateScrollBarsNow();
                if (!self) {
                    return;
                }
            }
            if (columnsDirty_) {
                LayoutColumnsNow();
            }
            if (topsDirty_) {
                WriteTops();
            }
            if (!rowsDirty_ && !barsDirty_ && !columnsDirty_ && !topsDirty_) {
                break;
            }
        }
    }
    if (placementsMoved_) {
        placementsMoved_ = false;
        UpdateAllCellControls();
        PlaceInlineEditor();
    }
}

void TILTree::RebuildVisibleOrder()
{
    rowsDirty_ = false;
    topsDirty_ = true;
    barsDirty_ = true;
    // About as many rows as last time: no growing on the way.
    const std::size_t expected = rows_.size();
    rows_.clear();
    rowOffsets_.clear();
    rows_.reserve(expected);
    rowOffsets_.reserve(expected);
    offsetShift_ = 0;
    rowKeyBase_ = 0;
    const int gridHeight = HorzGridWidth();
    int offset = 0;
    // Depth first through the expanded nodes: the shown rows in visible order.
    struct Level {
        const TILTreeNode* Node;
        std::size_t Next;
    };
    std::vector<Level> stack{{root_, 0}};
    while (!stack.empty()) {
        Level& level = stack.back();
        const std::vector<TILTreeNode*>& children = level.Node->Children();
        if (level.Next >= children.size()) {
            stack.pop_back();
            continue;
        }
        TILTreeNode* child = children[level.Next++];
        if (child->Hidden()) {
            continue;
        }
        child->SetRowIndex(static_cast<int>(rows_.size()));
        rows_.push_back(child);
        rowOffsets_.push_back(offset);
        offset += child->Height() + gridHeight;
        if (child->CellInfoCount() > 0) {
            for (int column = 0; column < child->CellInfoCount(); ++column) {
                const TILTreeCellInfo* info = child->FindCellInfo(column);
                if (info != nullptr && info->CellControl() != nullptr) {
                    cellControlNodes_.insert(child);
                    break;
                }
            }
        }
        if (child->Expanded() && child->HasChildren()) {
            stack.push_back(Level{child, 0});
        }
    }
    contentRowsHeight_ = offset;
}

void TILTree::WriteTops()
{
    topsDirty_ = false;
    placementsMoved_ = true;
    rowsOrigin_ = HeadingHeight() - vertBar_->Position();
}

void TILTree::LayoutHeadingRows()
{
    TILTreeHeadingRowCollection& rows = headings_->HeadingRows();
    int top = 0;
    for (int i = 0; i < rows.Count(); ++i) {
        TILTreeHeadingRow* row = rows.GetItem(i);
        row->SetTop(top);
        if (row->IsVisible()) {
            top += row->Height();
        }
    }
}

void TILTree::LayoutColumnsNow()
{
    columnsDirty_ = false;
    placementsMoved_ = true;
    LayoutHeadingRows();
    const int gridWidth = VertGridWidth();
    const int dataWidth = DataWidth();
    const int fixedWidth = FixedWidth();
    const int count = GetColumnCount();
    int x = 0;
    for (int i = 0; i < count && i < fixedColumns_; ++i) {
        TILTreeColumnData* column = GetColumn(i);
        if (column->IsHidden()) {
            column->SetPlacement(x, x - 1, x, x - 1);
            continue;
        }
        const int right = x + column->Width() - 1;
        int visibleRight = right;
        if (right > dataWidth - 1 && x < dataWidth) {
            visibleRight = dataWidth - 1;
        }
        column->SetPlacement(x, right, x, visibleRight);
        x += column->Width() + gridWidth;
    }
    x = fixedWidth - horzBar_->Position();
    for (int i = std::max(fixedColumns_, 0); i < count; ++i) {
        TILTreeColumnData* column = GetColumn(i);
        if (column->IsHidden()) {
            column->SetPlacement(x, x - 1, x, x - 1);
            continue;
        }
        const int right = x + column->Width() - 1;
        const bool underFixedArea = right < fixedWidth;
        int visibleLeft = x;
        if (x < fixedWidth && !underFixedArea) {
            visibleLeft = fixedWidth;
        }
        int visibleRight = right;
        if (right > dataWidth - 1 && !underFixedArea) {
            visibleRight = dataWidth - 1;
        }
        column->SetPlacement(x, right, visibleLeft, visibleRight);
        x += column->Width() + gridWidth;
    }
}

void TILTree::UpdateScrollBarsNow()
{
    barsDirty_ = false;
    // A bar that comes or goes changes the room the auto-size column fills, and the column's
    // new width may change whether the other bar is needed: fit again once.
    for (int round = 0; round < 2; ++round) {
        const int fittedTo = DataWidth();
        FitAutoSizeColumn();
        // Each bar's appearance changes the other's room.
        UpdateVertBar();
        UpdateHorzBar();
        UpdateVertBar();
        if (DataWidth() == fittedTo) {
            break;
        }
    }
    PlaceBarsAndWindow();
    columnsDirty_ = true;
}

void TILTree::FitAutoSizeColumn()
{
    TILTreeColumnData* autoSized = nullptr;
    int others = 0;
    for (int i = 0; i < GetColumnCount(); ++i) {
        TILTreeColumnData* column = GetColumn(i);
        if (column->IsHidden()) {
            continue;
        }
        if (autoSized == nullptr && column->Options().Contains(iltColOptAutoSize)) {
            autoSized = column;
        } else {
            others += column->Width();
        }
    }
    if (autoSized == nullptr) {
        return;
    }
    const int width = DataWidth() - others;
    if (width > autoSized->MinWidth()) {
        autoSized->SetWidth(width);
    }
}

void TILTree::UpdateVertBar()
{
    const int total = TotalContentHeight();
    const int dataHeight = DataHeight();
    const bool visible = StyleAllowsVertical(scrollStyle_) && (!autoScroll_ || total > dataHeight);
    if (vertBar_->Visible() != visible) {
        vertBar_->SetVisible(visible);
    }
    const int heading = HeadingHeight();
    if (total > dataHeight) {
        // The slider covers one page, and the last position leaves the last row at the
        // bottom of the data area.
        const int page = std::max(dataHeight - heading, 1);
        SetBarRange(*vertBar_, std::max(total - heading - 1, 0), page);
    } else {
        SetBarRange(*vertBar_, 0, 1);
    }
    if (!visible && autoScroll_ && vertBar_->Position() != 0) {
        vertBar_->SetPosition(0);
    }
}

void TILTree::UpdateHorzBar()
{
    const int total = TotalContentWidth();
    const int dataWidth = DataWidth();
    const bool visible = StyleAllowsHorizontal(scrollStyle_) && (!autoScroll_ || total > dataWidth);
    if (horzBar_->Visible() != visible) {
        horzBar_->SetVisible(visible);
    }
    if (total > dataWidth) {
        // Only the scrolled columns move: the last position leaves the last column at the
        // right edge of the data area.
        const int fixedWidth = FixedWidth();
        const int page = std::max(dataWidth - fixedWidth, 1);
        SetBarRange(*horzBar_, std::max(total - fixedWidth - 1, 0), page);
    } else {
        SetBarRange(*horzBar_, 0, 1);
    }
    if (!visible && autoScroll_ && horzBar_->Position() != 0) {
        horzBar_->SetPosition(0);
    }
}

void TILTree::PlaceBarsAndWindow()
{
    const bool vertical = vertBar_->Visible();
    const bool horizontal = horzBar_->Visible();
    const int vertWidth = vertBar_->Width();
    const int horzHeight = horzBar_->Height();
    SetBoundsIfChanged(*vertBar_, ClientWidth() - vertWidth, 0, vertWidth,
                       ClientHeight() - (horizontal ? horzHeight : 0));
    SetBoundsIfChanged(*horzBar_, 0, ClientHeight() - horzHeight, ClientWidth() - (vertical ? vertWidth : 0),
                       horzHeight);
    const int fixedWidth = FixedWidth();
    const int heading = HeadingHeight();
    SetBoundsIfChanged(*scrollWindow_, fixedWidth, heading, DataWidth() - fixedWidth, DataHeight() - heading);
}

void TILTree::VertBarScrolled(int scrolledBy)
{
    (void)scrolledBy;
    topsDirty_ = true;
    Invalidate();
    if (!layingOut_) {
        LayoutNow();
    }
}

void TILTree::HorzBarScrolled(int scrolledBy)
{
    (void)scrolledBy;
    columnsDirty_ = true;
    Invalidate();
    if (!layingOut_) {
        LayoutNow();
    }
}

// --- Measures --------------------------------------------------------------------------------------

int TILTree::HeadingHeight() const
{
    return headings_->VisibleHeight();
}

int TILTree::DataWidth() const
{
    return std::max(ClientWidth() - (vertBar_->Visible() ? vertBar_->Width() : 0), 0);
}

int TILTree::DataHeight() const
{
    return std::max(ClientHeight() - (horzBar_->Visible() ? horzBar_->Height() : 0), 0);
}

int TILTree::FixedWidth() const
{
    int width = 0;
    const int gridWidth = VertGridWidth();
    for (int i = 0; i < fixedColumns_ && i < GetColumnCount(); ++i) {
        const TILTreeColumnData* column = GetColumn(i);
        if (!column->IsHidden()) {
            width += column->Width() + gridWidth;
        }
    }
    return width;
}

int TILTree::HorzGridWidth() const
{
    return HasOption(TILTreeDisplayOption::iltHorzGrid) ? gridPen_.Width : 0;
}

int TILTree::VertGridWidth() const
{
    return HasOption(TILTreeDisplayOption::iltVertGrid) ? gridPen_.Width : 0;
}

int TILTree::TotalContentHeight() const
{
    if (rowsDirty_) {
        const_cast<TILTree*>(this)->RebuildVisibleOrder();
    }
    return HeadingHeight() + contentRowsHeight_;
}

int TILTree::TotalContentWidth() const
{
    int width = 0;
    int visible = 0;
    for (int i = 0; i < GetColumnCount(); ++i) {
        const TILTreeColumnData* column = GetColumn(i);
        if (!column->IsHidden()) {
            width += column->Width();
            ++visible;
        }
    }
    return visible > 0 ? width + (visible - 1) * VertGridWidth() : 0;
}

bool TILTree::HorzScrollBarVisible() const
{
    EnsureLayout();
    return horzBar_->Visible();
}

bool TILTree::VertScrollBarVisible() const
{
    EnsureLayout();
    return vertBar_->Visible();
}

int TILTree::VertScrollPosition() const
{
    EnsureLayout();
    return vertBar_->Position();
}

int TILTree::HorzScrollPosition() const
{
    EnsureLayout();
    return horzBar_->Position();
}

// --- Scrolling -----------------------------------------------------------------------------------

void TILTree::ScrollVertical(int pixels)
{
    EnsureLayout();
    if (pixels != 0) {
        vertBar_->SetPosition(vertBar_->Position() + pixels);
    }
}

void TILTree::ScrollHorizontal(int pixels)
{
    EnsureLayout();
    if (pixels != 0) {
        horzBar_->SetPosition(horzBar_->Position() + pixels);
    }
}

void TILTree::ScrollNodeIntoView(TILTreeNode* node)
{
    if (node == nullptr || !node->IsShown() || node->Tree() != this) {
        return;
    }
    EnsureLayout();
    if (IsNodeInView(node)) {
        return;
    }
    if (node->Top() < HeadingHeight()) {
        ScrollVertical(node->Top() - HeadingHeight());
    } else {
        ScrollVertical(node->Bottom() - (DataHeight() - 1));
    }
}

// --- Rows in view --------------------------------------------------------------------------------

int TILTree::RowTop(std::size_t index) const
{
    EnsureLayout();
    return rowsOrigin_ + offsetShift_ + rowOffsets_[index];
}

int TILTree::RowBottom(std::size_t index) const
{
    return RowTop(index) + rows_[index]->Height() - 1;
}

bool TILTree::RowIsCut(std::size_t index) const
{
    const int top = RowTop(index);
    const int bottom = RowBottom(index);
    const int heading = HeadingHeight();
    const int dataHeight = DataHeight();
    return (top < heading && bottom >= heading) || (top < dataHeight && bottom >= dataHeight);
}

std::size_t TILTree::FirstRowReaching(int y) const
{
    // Row tops grow strictly with the index: the first row whose bottom is at y or below.
    std::size_t low = 0;
    std::size_t high = rows_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (RowBottom(middle) < y) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

int TILTree::RowIndexOf(const TILTreeNode* node) const
{
    if (node == nullptr || node->Tree() != this || !node->IsShown()) {
        return -1;
    }
    EnsureLayout();
    const std::size_t index = FirstRowReaching(node->Top() + node->Height() - 1);
    return index < rows_.size() && rows_[index] == node ? static_cast<int>(index) : -1;
}

TILTreeNode* TILTree::FirstNodeInView(bool whollyVisible) const
{
    EnsureLayout();
    const std::size_t first = FirstRowReaching(HeadingHeight());
    if (first >= rows_.size() || RowTop(first) >= DataHeight()) {
        return nullptr;
    }
    if (!whollyVisible || !RowIsCut(first)) {
        return rows_[first];
    }
    const std::size_t next = first + 1;
    if (next < rows_.size() && RowTop(next) < DataHeight() && !RowIsCut(next)) {
        return rows_[next];
    }
    return rows_[first];
}

TILTreeNode* TILTree::LastNodeInView(bool whollyVisible) const
{
    EnsureLayout();
    const std::size_t first = FirstRowReaching(HeadingHeight());
    const int dataHeight = DataHeight();
    if (first >= rows_.size() || RowTop(first) >= dataHeight) {
        return nullptr;
    }
    // The last row whose top lies above the data area's lower edge.
    std::size_t low = first;
    std::size_t high = rows_.size();
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (RowTop(middle) < dataHeight) {
            low = middle;
        } else {
            high = middle;
        }
    }
    if (!whollyVisible) {
        return rows_[low];
    }
    std::size_t last = low;
    while (last > first && RowIsCut(last)) {
        --last;
    }
    return RowIsCut(last) ? nullptr : rows_[last];
}

TILTreeNode* TILTree::LastVisibleNode() const
{
    EnsureLayout();
    return rows_.empty() ? nullptr : rows_.back();
}

bool TILTree::IsNodePartlyInView(const TILTreeNode* node) const
{
    if (node == nullptr || node->Tree() != this || !node->IsShown()) {
        return false;
    }
    EnsureLayout();
    return node->Top() + node->Height() - 1 >= HeadingHeight() && node->Top() < DataHeight();
}

bool TILTree::IsNodeInView(const TILTreeNode* node) const
{
    if (!IsNodePartlyInView(node)) {
        return false;
    }
    return node->Top() >= HeadingHeight() && node->Top() + node->Height() - 1 <= DataHeight() - 1;
}

TILTreeNode* TILTree::NodeAt(int x, int y) const
{
    EnsureLayout();
    const TILTreeColumnData* last = LastVisibleColumn();
    if (last == nullptr || x > last->VisibleRight() || y < HeadingHeight() || y >= DataHeight()) {
        return nullptr;
    }
    const std::size_t index = FirstRowReaching(y);
    if (index < rows_.size() && RowTop(index) <= y) {
        return rows_[index];
    }
    return nullptr;
}

TILTreeColumnData* TILTree::ColumnAt(int x) const
{
    EnsureLayout();
    if (x < 0 || x >= DataWidth()) {
        return nullptr;
    }
    for (int i = 0; i < GetColumnCount(); ++i) {
        TILTreeColumnData* column = GetColumn(i);
        if (!column->IsHidden() && column->IsVisible() && column->VisibleLeft() <= x && x <= column->VisibleRight()) {
            return column;
        }
    }
    return nullptr;
}

TILTreeColumnData* TILTree::LastVisibleColumn() const
{
    return columns_->GetItem(columns_->LastVisibleIndex());
}

TILTreeHeadingRow* TILTree::HeadingRowAt(int y) const
{
    EnsureLayout();
    if (!headings_->Show() || y < 0 || y >= HeadingHeight()) {
        return nullptr;
    }
    return headings_->HeadingRows().RowAt(y);
}

TILTreeColumnHeaderCell* TILTree::HeadingCellAt(int x, int y) const
{
    EnsureLayout();
    if (!headings_->Show() || y < 0 || y >= HeadingHeight() || x < 0 || x >= DataWidth()) {
        return nullptr;
    }
    return columns_->HeadingCellAt(x, y);
}

fw::Rect TILTree::CellExtents(const TILTreeNode* node, const TILTreeColumnData* column) const
{
    EnsureLayout();
    if (node == nullptr || column == nullptr) {
        return fw::Rect{0, 0, -1, -1};
    }
    return fw::Rect{column->Left(), node->Top(), column->Right(), node->Top() + node->Height() - 1};
}

fw::Rect TILTree::HeadingCellExtents(const TILTreeColumnData* column, int headingRow) const
{
    EnsureLayout();
    const TILTreeHeadingRowCollection& rows = headings_->HeadingRows();
    if (column == nullptr || headingRow < 0 || headingRow >= rows.Count()
        || headingRow >= column->Headers().Count()) {
        return fw::Rect{0, 0, -1, -1};
    }
    TILTreeColumnHeaderCell* cell = column->Headers().GetItem(headingRow);
    const TILTreeHeadingCellGroup group = columns_->HeadingCellGroup(cell);
    const TILTreeColumnData* first = GetColumn(group.FirstColumn);
    const TILTreeColumnData* last = GetColumn(group.LastColumn);
    const TILTreeHeadingRow* top = rows.GetItem(group.FirstRow);
    const TILTreeHeadingRow* bottom = rows.GetItem(group.LastRow);
    if (first == nullptr || last == nullptr || top == nullptr || bottom == nullptr) {
        return fw::Rect{column->Left(), rows.GetItem(headingRow)->Top(), column->Right(),
                        rows.GetItem(headingRow)->Bottom()};
    }
    return fw::Rect{first->Left(), top->Top(), last->Right(), bottom->Bottom()};
}
