#include "treegrid/tree_headings.h"

#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"

// --- Heading cells -------------------------------------------------------------------------------

TILTreeColumnHeaderCell::TILTreeColumnHeaderCell()
{
    iconPos_.SetAlignHorz(THCanvasTextPosition::Left);
}

TILTreeColumnHeaderCell::~TILTreeColumnHeaderCell() = default;

TILTreeColumnData* TILTreeColumnHeaderCell::Column() const
{
    const auto* cells = dynamic_cast<const TILTreeColumnHeaderCells*>(Collection());
    return cells != nullptr ? cells->Column() : nullptr;
}

void TILTreeColumnHeaderCell::SetCaption(std::string caption)
{
    if (caption_ != caption) {
        caption_ = std::move(caption);
        Changed();
    }
}

void TILTreeColumnHeaderCell::SetIsInverted(bool inverted)
{
    if (isInverted_ != inverted) {
        isInverted_ = inverted;
        Changed();
    }
}

void TILTreeColumnHeaderCell::SetJustify(TILTreeTextJustify justify)
{
    if (justify_ != justify) {
        justify_ = justify;
        Changed();
    }
}

void TILTreeColumnHeaderCell::SetWrapOverride(TILTreeTextWrapOverride wrap)
{
    if (wrapOverride_ != wrap) {
        wrapOverride_ = wrap;
        Changed();
    }
}

void TILTreeColumnHeaderCell::SetFrame(TILTreeCellEdges frame)
{
    if (!(frame_ == frame)) {
        frame_ = frame;
        Changed();
    }
}

void TILTreeColumnHeaderCell::SetLinked(TILTreeCellEdges linked)
{
    if (!(linked_ == linked)) {
        linked_ = linked;
        Changed();
    }
}

void TILTreeColumnHeaderCell::SetIconIndex(int index)
{
    if (iconIndex_ != index) {
        iconIndex_ = index;
        Changed();
    }
}

void TILTreeColumnHeaderCell::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeColumnHeaderCell*>(source);
    if (other == nullptr) {
        TILCollectionItem::Assign(source);
        return;
    }
    caption_ = other->caption_;
    hint_ = other->hint_;
    isInverted_ = other->isInverted_;
    justify_ = other->justify_;
    wrapOverride_ = other->wrapOverride_;
    frame_ = other->frame_;
    linked_ = other->linked_;
    autoInvert_ = other->autoInvert_;
    ignoreClicks_ = other->ignoreClicks_;
    iconIndex_ = other->iconIndex_;
    iconPos_.Assign(&other->iconPos_);
    Changed();
}

void TILTreeColumnHeaderCells::SetCellCount(int count)
{
    while (Count() < count) {
        Add();
    }
    while (Count() > count && Count() > 0) {
        Delete(Count() - 1);
    }
}

void TILTreeColumnHeaderCells::Updated(TILCollectionItem*)
{
    if (column_ != nullptr) {
        column_->RepaintHeading();
    }
}

// --- Heading rows --------------------------------------------------------------------------------

void TILTreeHeadingRow::SetHeight(int height)
{
    if (height_ != height) {
        height_ = height;
        Changed();
    }
}

void TILTreeHeadingRow::SetIsVisible(bool visible)
{
    if (isVisible_ == visible) {
        return;
    }
    isVisible_ = visible;
    const auto* rows = dynamic_cast<const TILTreeHeadingRowCollection*>(Collection());
    if (TILTree* tree = rows != nullptr ? rows->Tree() : nullptr) {
        tree->RelayoutAll();
    }
}

void TILTreeHeadingRow::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeHeadingRow*>(source);
    if (other == nullptr) {
        TILCollectionItem::Assign(source);
        return;
    }
    height_ = other->height_;
    isVisible_ = other->isVisible_;
    defaultFrame_ = other->defaultFrame_;
    canResize_ = other->canResize_;
    minHeight_ = other->minHeight_;
    maxHeight_ = other->maxHeight_;
    Changed();
}

TILTree* TILTreeHeadingRowCollection::Tree() const
{
    return headings_ != nullptr ? headings_->Tree() : nullptr;
}

int TILTreeHeadingRowCollection::VisibleHeight() const
{
    int height = 0;
    for (int i = 0; i < Count(); ++i) {
        if (const TILTreeHeadingRow* row = GetItem(i); row->IsVisible()) {
            height += row->Height();
        }
    }
    return height;
}

TILTreeHeadingRow* TILTreeHeadingRowCollection::RowAt(int y) const
{
    for (int i = 0; i < Count(); ++i) {
        TILTreeHeadingRow* row = GetItem(i);
        if (row->IsVisible() && y >= row->Top() && y <= row->Bottom()) {
            return row;
        }
    }
    return nullptr;
}

void TILTreeHeadingRowCollection::Added(TILCollectionItem* item)
{
    auto* row = static_cast<TILTreeHeadingRow*>(item);
    if (headings_ != nullptr) {
        row->height_ = headings_->Height();
    }
    // Every column gains the cell of the new row, in the row's place.
    if (TILTree* tree = Tree(); tree != nullptr && !assigning_) {
        TILTreeColumnList& columns = tree->Columns();
        for (int c = 0; c < columns.Count(); ++c) {
            TILTreeColumnHeaderCells& cells = columns.GetItem(c)->Headers();
            if (cells.Count() < Count()) {
                cells.Insert(row->Index());
            }
        }
    }
    Updated(item);
}

void TILTreeHeadingRowCollection::Deleting(TILCollectionItem* item)
{
    if (TILTree* tree = Tree(); tree != nullptr && !tree->Destroying()) {
        tree->HeadingRowLeaving(static_cast<TILTreeHeadingRow*>(item));
    }
    // The row's cells go with it, so that cell i stays the cell of row i.
    if (TILTree* tree = Tree(); tree != nullptr && !assigning_) {
        TILTreeColumnList& columns = tree->Columns();
        for (int c = 0; c < columns.Count(); ++c) {
            TILTreeColumnHeaderCells& cells = columns.GetItem(c)->Headers();
            if (cells.Count() >= Count()) {
                cells.Delete(item->Index());
            }
        }
    }
}

void TILTreeHeadingRowCollection::Assign(const fw::Persistent* source)
{
    assigning_ = true;
    try {
        TILCollectionOf<TILTreeHeadingRow>::Assign(source);
    } catch (...) {
        assigning_ = false;
        SyncColumnCells();
        throw;
    }
    assigning_ = false;
    SyncColumnCells();
}

void TILTreeHeadingRowCollection::SyncColumnCells()
{
    if (TILTree* tree = Tree()) {
        tree->Columns().SetHeadingRowCount(Count());
    }
}

void TILTreeHeadingRowCollection::Updated(TILCollectionItem*)
{
    if (headings_ != nullptr) {
        headings_->Changed();
    }
}

// --- Heading data --------------------------------------------------------------------------------

TILTreeColumnHeadingData::TILTreeColumnHeadingData(fw::Object* owner)
    : owner_(owner), sortIcons_(owner), headingRows_(this)
{
    drawStyle_.Background().SetColour(fw::clBtnFace);
    fw::Font font = drawStyle_.Font();
    font.Style.Bold = true;
    drawStyle_.SetFont(font);
    drawStyle_.SetJustify(iltJustifyDefault);
    auto enable = [](TILTreeCellBorder& border, fw::Color colour) {
        fw::Pen pen = border.Pen();
        pen.Color = colour;
        border.SetPen(pen);
        border.SetEnabled(true);
    };
    enable(drawStyle_.Borders().Left(), fw::clBtnHighlight);
    enable(drawStyle_.Borders().Top(), fw::clBtnHighlight);
    enable(drawStyle_.Borders().Right(), fw::clBtnShadow);
    enable(drawStyle_.Borders().Bottom(), fw::clBtnShadow);
    drawStyle_.SetOnChange([this](fw::Object*) { Changed(); });
    sortIcons_.SetOnChange([this](fw::Object*) { Changed(); });
}

TILTreeColumnHeadingData::~TILTreeColumnHeadingData()
{
    drawStyle_.SetOnChange(nullptr);
    sortIcons_.SetOnChange(nullptr);
    onChange_ = nullptr;
}

TILTree* TILTreeColumnHeadingData::Tree() const
{
    return dynamic_cast<TILTree*>(owner_);
}

void TILTreeColumnHeadingData::SetShow(bool show)
{
    if (show_ != show) {
        show_ = show;
        Changed();
    }
}

void TILTreeColumnHeadingData::SetFillTop(bool fillTop)
{
    if (fillTop_ != fillTop) {
        fillTop_ = fillTop;
        Changed();
    }
}

void TILTreeColumnHeadingData::SetUseColumnSettings(bool use)
{
    if (useColumnSettings_ != use) {
        useColumnSettings_ = use;
        Changed();
    }
}

int TILTreeColumnHeadingData::VisibleHeight() const
{
    return show_ ? headingRows_.VisibleHeight() : 0;
}

void TILTreeColumnHeadingData::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeColumnHeadingData*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    show_ = other->show_;
    fillTop_ = other->fillTop_;
    height_ = other->height_;
    useColumnSettings_ = other->useColumnSettings_;
    drawStyle_.Assign(&other->drawStyle_);
    sortIcons_.Assign(&other->sortIcons_);
    headingRows_.Assign(&other->headingRows_);
    Changed();
}

void TILTreeColumnHeadingData::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
}
