#include "treegrid/tree_columns.h"

#include <algorithm>
#include <deque>
#include <set>
#include <utility>

#include "framework/core/strings.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

bool TreeAlive(const TILTree* tree)
{
    return tree != nullptr && !tree->ControlState().Contains(fw::ControlStateFlag::Destroying);
}

// Clears the tree's sort column however the sort ends.
class SortColumnScope {
public:
    SortColumnScope(TILTree* tree, TILTreeColumnData* column) : tree_(tree) { tree_->SetSortColumn(column); }
    ~SortColumnScope()
    {
        if (tree_) {
            tree_->SetSortColumn(nullptr);
        }
    }
    SortColumnScope(const SortColumnScope&) = delete;
    SortColumnScope& operator=(const SortColumnScope&) = delete;

private:
    fw::WeakRef<TILTree> tree_;
};

} // namespace

// --- Column --------------------------------------------------------------------------------------

TILTreeColumnData::TILTreeColumnData() : headers_(this)
{
    const auto repaint = [this](fw::Object*) { RepaintHeading(); };
    normalDraw_.SetOnChange(repaint);
    normalDraw_.SetChangeOwner(this);
    selectDraw_.SetOnChange(repaint);
    selectDraw_.SetChangeOwner(this);
    sortIcons_.SetOnChange(repaint);
}

TILTreeColumnData::~TILTreeColumnData()
{
    normalDraw_.SetOnChange(nullptr);
    selectDraw_.SetOnChange(nullptr);
    sortIcons_.SetOnChange(nullptr);
}

std::string TILTreeColumnData::DisplayName() const
{
    const std::string caption = Caption();
    return caption.empty() ? std::string(className()) : caption;
}

TILTreeColumnList* TILTreeColumnData::Columns() const
{
    return dynamic_cast<TILTreeColumnList*>(Collection());
}

TILTree* TILTreeColumnData::Tree() const
{
    const TILTreeColumnList* list = Columns();
    return list != nullptr ? list->Tree() : nullptr;
}

TILTreeColumnHeaderCell* TILTreeColumnData::FirstHeaderCellOrNull() const
{
    return headers_.GetItem(0);
}

TILTreeColumnHeaderCell& TILTreeColumnData::EnsureFirstHeaderCell()
{
    if (headers_.Count() == 0) {
        headers_.Add();
    }
    return *headers_.GetItem(0);
}

TILTreeColumnHeaderCell& TILTreeColumnData::FirstHeaderCell()
{
    return EnsureFirstHeaderCell();
}

std::string TILTreeColumnData::Caption() const
{
    const TILTreeColumnHeaderCell* cell = FirstHeaderCellOrNull();
    return cell != nullptr ? cell->Caption() : std::string();
}

void TILTreeColumnData::SetCaption(std::string caption)
{
    EnsureFirstHeaderCell().SetCaption(std::move(caption));
}

std::string TILTreeColumnData::HeaderHint() const
{
    const TILTreeColumnHeaderCell* cell = FirstHeaderCellOrNull();
    return cell != nullptr ? cell->Hint() : std::string();
}

void TILTreeColumnData::SetHeaderHint(std::string hint)
{
    EnsureFirstHeaderCell().SetHint(std::move(hint));
}

TILTreeTextJustify TILTreeColumnData::HeaderJustify() const
{
    const TILTreeColumnHeaderCell* cell = FirstHeaderCellOrNull();
    return cell != nullptr ? cell->Justify() : iltJustifyDefault;
}

void TILTreeColumnData::SetHeaderJustify(TILTreeTextJustify justify)
{
    EnsureFirstHeaderCell().SetJustify(justify);
}

bool TILTreeColumnData::InvertHeader() const
{
    const TILTreeColumnHeaderCell* cell = FirstHeaderCellOrNull();
    return cell != nullptr && cell->IsInverted();
}

void TILTreeColumnData::SetInvertHeader(bool invert)
{
    EnsureFirstHeaderCell().SetIsInverted(invert);
}

int TILTreeColumnData::IconIndex() const
{
    const TILTreeColumnHeaderCell* cell = FirstHeaderCellOrNull();
    return cell != nullptr ? cell->IconIndex() : -1;
}

void TILTreeColumnData::SetIconIndex(int index)
{
    EnsureFirstHeaderCell().SetIconIndex(index);
}

TILImagePosition& TILTreeColumnData::IconPos()
{
    return EnsureFirstHeaderCell().IconPos();
}

void TILTreeColumnData::SetWidth(int width)
{
    width = std::max(width, minWidth_);
    if (maxWidth_ > 0) {
        width = std::min(width, maxWidth_);
    }
    if (width == width_) {
        return;
    }
    width_ = width;
    TILTree* tree = Tree();
    if (!TreeAlive(tree)) {
        return;
    }
    // The edges of this and every later column move.
    tree->LayoutColumns();
    RepaintHeading();
    // A copy: the handler may free the tree that holds it.
    const TILTreeColumnEvent resized = tree->AfterColumnResize();
    if (resized) {
        resized(tree, this);
    }
}

void TILTreeColumnData::SetMinWidth(int width)
{
    if (maxWidth_ > 0) {
        width = std::min(width, maxWidth_);
    }
    minWidth_ = std::max(width, 1);
    if (width_ < minWidth_) {
        SetWidth(minWidth_);
    }
}

void TILTreeColumnData::SetMaxWidth(int width)
{
    // A negative limit means none; a real one cannot lie below the lower limit.
    if (width < 0) {
        width = 0;
    }
    if (width != 0) {
        width = std::max(width, minWidth_);
    }
    maxWidth_ = width;
    if (maxWidth_ >= 1 && width_ > maxWidth_) {
        SetWidth(maxWidth_);
    }
}

void TILTreeColumnData::SetIsHidden(bool hidden)
{
    if (isHidden_ == hidden) {
        return;
    }
    isHidden_ = hidden;
    if (TILTreeColumnList* list = Columns()) {
        list->RecomputeLastVisible();
    }
    TILTree* tree = Tree();
    if (!TreeAlive(tree)) {
        return;
    }
    tree->ShowColumnCellControls(Index(), !hidden);
    tree->LayoutColumns();
    RepaintHeading();
}

void TILTreeColumnData::SetPlacement(int left, int right, int visibleLeft, int visibleRight)
{
    left_ = left;
    right_ = right;
    visibleLeft_ = visibleLeft;
    visibleRight_ = visibleRight;
}

bool TILTreeColumnData::IsVisible() const
{
    const TILTree* tree = Tree();
    if (isHidden_ || tree == nullptr) {
        return false;
    }
    tree->EnsureLayout();
    const int width = tree->DataWidth();
    if (Index() < tree->FixedColumns()) {
        return left_ >= 0 && left_ < width;
    }
    return left_ < width && right_ >= tree->FixedWidth();
}

bool TILTreeColumnData::IsFullyVisible() const
{
    const TILTree* tree = Tree();
    return IsVisible() && right_ < tree->DataWidth();
}

TILTreeColumnData* TILTreeColumnData::PrevColumn(bool skipHidden) const
{
    const TILTreeColumnList* list = Columns();
    if (list == nullptr) {
        return nullptr;
    }
    for (int i = Index() - 1; i >= 0; --i) {
        TILTreeColumnData* column = list->GetItem(i);
        if (!skipHidden || !column->IsHidden()) {
            return column;
        }
    }
    return nullptr;
}

TILTreeColumnData* TILTreeColumnData::NextColumn(bool skipHidden) const
{
    const TILTreeColumnList* list = Columns();
    if (list == nullptr) {
        return nullptr;
    }
    for (int i = Index() + 1; i < list->Count(); ++i) {
        TILTreeColumnData* column = list->GetItem(i);
        if (!skipHidden || !column->IsHidden()) {
            return column;
        }
    }
    return nullptr;
}

TILTreeSortOrder TILTreeColumnData::SortOrder(bool reversed) const
{
    TILTreeSortOrder order;
    order.Kind = autoSort_;
    order.Column = Index();
    order.Reversed = reversed;
    order.Custom = onCustomSortCompare_;
    return order;
}

void TILTreeColumnData::SortNodes(bool toggle)
{
    TILTree* tree = Tree();
    if (!TreeAlive(tree)) {
        return;
    }
    bool reversed = false;
    if (toggle && toggleSort_ && tree->LastSortedColumn() == Index() && lastSortAscending_) {
        reversed = true;
        lastSortAscending_ = false;
    } else {
        lastSortAscending_ = true;
    }
    const TILTreeSortOrder order = SortOrder(reversed);
    if (!order.Compares()) {
        return;
    }
    const fw::WeakRef<TILTree> alive(tree);
    {
        TILTreeUpdateBracket bracket(tree);
        if (!alive) {
            return;
        }
        SortColumnScope sorting(tree, this);
        tree->SetLastSortedColumn(Index());
        SortNodeChildren(*tree->Root(), order, autoSortChildren_, options_.Contains(iltColOptSortLeafOnly));
        if (!alive) {
            return;
        }
        tree->LayoutRowsFrom(tree->Root());
    }
    if (alive) {
        tree->Invalidate();
    }
}

void TILTreeColumnData::AutoSizeColumn(int minWidth, int maxWidth, int headingRow)
{
    TILTree* tree = Tree();
    const TILTreeColumnHeaderCell* cell = headers_.GetItem(headingRow);
    if (!TreeAlive(tree) || cell == nullptr) {
        return;
    }
    const TILTreeColumnDrawData* drawData = tree->HeadingDrawData(this);
    if (drawData == nullptr) {
        drawData = &tree->Headings().DrawStyle();
    }
    int width = 0;
    if (!cell->Caption().empty()) {
        fw::Bitmap scratch(1, 1);
        fw::Canvas canvas(scratch, tree->EffectivePaintBackend());
        canvas.Font() = drawData->Font();
        width += canvas.TextWidth(cell->Caption());
    }
    if (tree->ValidIconIndex(cell->IconIndex())) {
        width += tree->IconWidth();
    }
    if (cell == FirstHeaderCellOrNull() && tree->LastSortedColumn() == Index()) {
        const TILTreeColumnSortIcons& icons =
            sortIcons_.Kind() == iltBtnIconDefault ? tree->Headings().SortIcons() : sortIcons_;
        if (icons.Kind() != iltBtnIconNone) {
            if (const fw::Bitmap* image = icons.SortImage(ShowsAscendingSortImage(autoSort_, lastSortAscending_))) {
                width += image->Width();
            }
        }
    }
    width += drawData->HorizontalInsets();
    if (minWidth > 0) {
        width = std::max(width, minWidth);
    }
    if (maxWidth > 0) {
        width = std::min(width, maxWidth);
    }
    TILTreeUpdateBracket bracket(tree);
    SetWidth(width);
}

void TILTreeColumnData::HeadingClick(int x, int y)
{
    TILTree* tree = Tree();
    const TILTreeColumnList* list = Columns();
    if (!TreeAlive(tree) || list == nullptr) {
        return;
    }
    TILTreeColumnHeaderCell* cell = list->HeadingCellAt(x, y);
    lastClickedCell_ = cell;
    if (cell == nullptr || cell->IgnoreClicks()) {
        return;
    }
    const bool autoInvert = cell->AutoInvert();
    if (autoInvert) {
        cell->SetIsInverted(!cell->IsInverted());
    }
    // A handler may free the tree, and the columns with it: nothing is touched then.
    const fw::WeakRef<TILTree> alive(tree);
    const auto invertBack = [&] {
        if (autoInvert && alive && lastClickedCell_ == cell) {
            cell->SetIsInverted(!cell->IsInverted());
        }
    };
    // The pressed look goes again however the click ends, an error of the sort included.
    try {
        const TILTreeColumnHeaderEvent handler = onHeaderClick_;
        if (handler) {
            handler(tree, this);
        } else if (autoSort_ != iltSortNone && !options_.Contains(iltOptDisableAutoSort)) {
            SortNodes(true);
        }
    } catch (...) {
        invertBack();
        throw;
    }
    invertBack();
}

void TILTreeColumnData::HeadingDblClick()
{
    TILTree* tree = Tree();
    const TILTreeColumnHeaderEvent handler = onHeaderDblClick_;
    if (handler && TreeAlive(tree)) {
        handler(tree, this);
    }
}

void TILTreeColumnData::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeColumnData*>(source);
    if (other == nullptr) {
        TILCollectionItem::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    autoSort_ = other->autoSort_;
    autoSortChildren_ = other->autoSortChildren_;
    // The limits first, without clamping against the old ones.
    minWidth_ = other->minWidth_;
    maxWidth_ = other->maxWidth_;
    width_ = other->width_;
    headers_.Assign(&other->headers_);
    // Whatever the source had, this column keeps one cell per heading row of its tree.
    if (const TILTreeColumnList* list = Columns()) {
        headers_.SetCellCount(std::max(headers_.Count(), list->HeadingRowCount()));
    }
    normalDraw_.Assign(&other->normalDraw_);
    selectDraw_.Assign(&other->selectDraw_);
    defaultDraw_ = other->defaultDraw_;
    canResize_ = other->canResize_;
    SetIsHidden(other->isHidden_);
    justifyOverride_ = other->justifyOverride_;
    tag_ = other->tag_;
    toggleSort_ = other->toggleSort_;
    useDefaultNormalStyle_ = other->useDefaultNormalStyle_;
    useDefaultSelectStyle_ = other->useDefaultSelectStyle_;
    wrapOverride_ = other->wrapOverride_;
    sortIcons_.Assign(&other->sortIcons_);
    id_ = other->id_;
    options_ = other->options_;
    onDraw_ = other->onDraw_;
    onHeaderClick_ = other->onHeaderClick_;
    onHeaderDblClick_ = other->onHeaderDblClick_;
    onCustomSortCompare_ = other->onCustomSortCompare_;
    if (TILTree* tree = Tree(); TreeAlive(tree)) {
        tree->LayoutColumns();
        tree->Invalidate();
    }
}

void TILTreeColumnData::RepaintHeading()
{
    if (TILTree* tree = Tree(); TreeAlive(tree)) {
        tree->RepaintColumnHeading(this);
    }
}

// --- Column list ---------------------------------------------------------------------------------

TILTreeColumnList::TILTreeColumnList(fw::Object* owner) : owner_(owner)
{
}

TILTreeColumnList::~TILTreeColumnList() = default;

TILTree* TILTreeColumnList::Tree() const
{
    return dynamic_cast<TILTree*>(owner_);
}

int TILTreeColumnList::IndexOfName(std::string_view id) const
{
    for (int i = 0; i < Count(); ++i) {
        if (fw::SameText(GetItem(i)->ID(), id)) {
            return i;
        }
    }
    return -1;
}

TILTreeColumnData* TILTreeColumnList::FindByName(std::string_view id) const
{
    return GetItem(IndexOfName(id));
}

TILTreeColumnData* TILTreeColumnList::FindByCaption(std::string_view caption) const
{
    for (int i = 0; i < Count(); ++i) {
        if (fw::SameText(GetItem(i)->Caption(), caption)) {
            return GetItem(i);
        }
    }
    return nullptr;
}

int TILTreeColumnList::VisibleCount() const
{
    int count = 0;
    for (int i = 0; i < Count(); ++i) {
        count += GetItem(i)->IsHidden() ? 0 : 1;
    }
    return count;
}

int TILTreeColumnList::VisibleWidth() const
{
    int width = 0;
    for (int i = 0; i < Count(); ++i) {
        if (const TILTreeColumnData* column = GetItem(i); !column->IsHidden()) {
            width += column->Width();
        }
    }
    return width;
}

int TILTreeColumnList::HeadingRowCount() const
{
    const TILTree* tree = Tree();
    return tree != nullptr ? tree->Headings().HeadingRows().Count() : 0;
}

void TILTreeColumnList::SetHeadingRowCount(int count)
{
    for (int i = 0; i < Count(); ++i) {
        GetItem(i)->Headers().SetCellCount(count);
    }
}

namespace {

// Whether heading row r counts as visible (without a tree, every row does).
bool RowShown(const TILTree* tree, int row)
{
    if (tree == nullptr) {
        return true;
    }
    const TILTreeHeadingRow* headingRow = tree->Headings().HeadingRows().GetItem(row);
    return headingRow == nullptr || headingRow->IsVisible();
}

} // namespace

TILTreeHeadingCellGroup TILTreeColumnList::HeadingCellGroup(TILTreeColumnHeaderCell* cell) const
{
    TILTreeHeadingCellGroup group;
    const TILTreeColumnData* column = cell != nullptr ? cell->Column() : nullptr;
    if (column == nullptr || column->Columns() != this) {
        return group;
    }
    const TILTree* tree = Tree();
    const int rowCount = [&] {
        int most = 0;
        for (int i = 0; i < Count(); ++i) {
            most = std::max(most, GetItem(i)->Headers().Count());
        }
        return most;
    }();
    auto cellAt = [&](int c, int r) -> TILTreeColumnHeaderCell* {
        const TILTreeColumnData* data = GetItem(c);
        return data != nullptr ? data->Headers().GetItem(r) : nullptr;
    };
    // The neighbours across each edge: the next column or row that shows.
    auto prevColumn = [&](int c) {
        for (--c; c >= 0 && GetItem(c)->IsHidden(); --c) {
        }
        return c;
    };
    auto nextColumn = [&](int c) {
        for (++c; c < Count() && GetItem(c)->IsHidden(); ++c) {
        }
        return c < Count() ? c : -1;
    };
    auto prevRow = [&](int r) {
        for (--r; r >= 0 && !RowShown(tree, r); --r) {
        }
        return r;
    };
    auto nextRow = [&](int r) {
        for (++r; r < rowCount && !RowShown(tree, r); ++r) {
        }
        return r < rowCount ? r : -1;
    };

    std::set<std::pair<int, int>> seen;
    std::deque<std::pair<int, int>> pending{{column->Index(), cell->Index()}};
    seen.insert(pending.front());
    group.FirstColumn = group.LastColumn = column->Index();
    group.FirstRow = group.LastRow = cell->Index();
    group.Anchor = cell;
    while (!pending.empty()) {
        const auto [c, r] = pending.front();
        pending.pop_front();
        TILTreeColumnHeaderCell* here = cellAt(c, r);
        if (here == nullptr) {
            continue;
        }
        group.FirstColumn = std::min(group.FirstColumn, c);
        group.LastColumn = std::max(group.LastColumn, c);
        group.FirstRow = std::min(group.FirstRow, r);
        group.LastRow = std::max(group.LastRow, r);
        const auto [anchorColumn, anchorRow] = std::pair{group.Anchor->Column()->Index(), group.Anchor->Index()};
        if (c < anchorColumn || (c == anchorColumn && r < anchorRow)) {
            group.Anchor = here;
        }
        // Joined when either of the two names the edge between them.
        const auto visit = [&](int nc, int nr, TILTreeCellEdge ownEdge, TILTreeCellEdge theirEdge) {
            if (nc < 0 || nr < 0) {
                return;
            }
            TILTreeColumnHeaderCell* neighbour = cellAt(nc, nr);
            if (neighbour == nullptr) {
                return;
            }
            if (!here->Linked().Contains(ownEdge) && !neighbour->Linked().Contains(theirEdge)) {
                return;
            }
            if (seen.insert({nc, nr}).second) {
                pending.emplace_back(nc, nr);
            }
        };
        visit(prevColumn(c), r, iltEdgeLeft, iltEdgeRight);
        visit(nextColumn(c), r, iltEdgeRight, iltEdgeLeft);
        visit(c, prevRow(r), iltEdgeTop, iltEdgeBottom);
        visit(c, nextRow(r), iltEdgeBottom, iltEdgeTop);
    }
    return group;
}

TILTreeColumnHeaderCell* TILTreeColumnList::HeadingCellAt(int x, int y) const
{
    const TILTree* tree = Tree();
    if (tree == nullptr || !tree->Headings().Show()) {
        return nullptr;
    }
    tree->EnsureLayout();
    const TILTreeHeadingRow* row = tree->Headings().HeadingRows().RowAt(y);
    if (row == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < Count(); ++i) {
        const TILTreeColumnData* column = GetItem(i);
        if (!column->IsHidden() && column->VisibleLeft() <= x && x <= column->VisibleRight()) {
            return HeadingCellGroup(column->Headers().GetItem(row->Index())).Anchor;
        }
    }
    return nullptr;
}

void TILTreeColumnList::RecomputeLastVisible()
{
    lastVisibleIndex_ = -1;
    for (int i = Count() - 1; i >= 0; --i) {
        if (!GetItem(i)->IsHidden()) {
            lastVisibleIndex_ = i;
            return;
        }
    }
}

void TILTreeColumnList::Added(TILCollectionItem* item)
{
    auto* column = static_cast<TILTreeColumnData*>(item);
    column->Headers().SetCellCount(std::max(HeadingRowCount(), column->Headers().Count()));
    RecomputeLastVisible();
    if (TILTree* tree = Tree(); TreeAlive(tree)) {
        tree->LayoutColumns();
    }
}

void TILTreeColumnList::Deleting(TILCollectionItem* item)
{
    if (TILTree* tree = Tree(); TreeAlive(tree)) {
        // The tree forgets the column under the mouse, under a dragged edge and as the sort
        // column, so nothing touches it once it is freed.
        tree->ColumnLeaving(static_cast<TILTreeColumnData*>(item));
        if (tree->SortColumn() == item) {
            tree->SetSortColumn(nullptr);
        }
    }
}

void TILTreeColumnList::Updated(TILCollectionItem* item)
{
    if (item != nullptr) {
        return;
    }
    RecomputeLastVisible();
    if (TILTree* tree = Tree(); TreeAlive(tree)) {
        tree->LayoutColumns();
    }
}
