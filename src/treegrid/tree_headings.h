#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/notify_event.h"
#include "controls/position.h"
#include "framework/gui/enum_set.h"
#include "treegrid/tree_collection.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_icons.h"

class TILTree;
class TILTreeColumnData;
class TILTreeColumnHeadingData;

// The edges of a heading cell, for its frame and for the neighbours it is joined to.
enum TILTreeCellEdge : std::uint8_t { iltEdgeLeft = 0, iltEdgeTop, iltEdgeRight, iltEdgeBottom };
using TILTreeCellEdges = fw::EnumSet<TILTreeCellEdge>;
inline constexpr TILTreeCellEdges iltAllEdges{iltEdgeLeft, iltEdgeTop, iltEdgeRight, iltEdgeBottom};

// The cell of one column in one heading row (item i of a column's Headers belongs to
// heading row i).
class TILTreeColumnHeaderCell : public TILCollectionItem {
public:
    TILTreeColumnHeaderCell();
    ~TILTreeColumnHeaderCell() override;

    std::string_view className() const override { return "TILTreeColumnHeaderCell"; }
    fw::Object* NewInstance() const override { return new TILTreeColumnHeaderCell; }
    // The caption.
    std::string DisplayName() const override { return caption_; }

    // The column whose Headers hold the cell; none outside a column.
    TILTreeColumnData* Column() const;
    // The heading row the cell belongs to: its index.
    int Row() const { return Index(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    bool IsInverted() const { return isInverted_; }
    void SetIsInverted(bool inverted);
    TILTreeTextJustify Justify() const { return justify_; }
    void SetJustify(TILTreeTextJustify justify);
    TILTreeTextWrapOverride WrapOverride() const { return wrapOverride_; }
    void SetWrapOverride(TILTreeTextWrapOverride wrap);
    // The edges drawn around the cell.
    TILTreeCellEdges Frame() const { return frame_; }
    void SetFrame(TILTreeCellEdges frame);
    // The edges across which the cell is joined with its neighbour (left / right: the cell
    // of the previous / next visible column in the row; top / bottom: the cell of the
    // previous / next visible heading row in the column).
    TILTreeCellEdges Linked() const { return linked_; }
    void SetLinked(TILTreeCellEdges linked);
    bool AutoInvert() const { return autoInvert_; }
    void SetAutoInvert(bool autoInvert) { autoInvert_ = autoInvert; }
    bool IgnoreClicks() const { return ignoreClicks_; }
    void SetIgnoreClicks(bool ignore) { ignoreClicks_ = ignore; }
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    // Left-aligned when new.
    TILImagePosition& IconPos() { return iconPos_; }
    const TILImagePosition& IconPos() const { return iconPos_; }

    void Assign(const fw::Persistent* source) override;

private:
    std::string caption_;
    std::string hint_;
    bool isInverted_ = false;
    TILTreeTextJustify justify_ = iltJustifyDefault;
    TILTreeTextWrapOverride wrapOverride_ = iltWrapDefault;
    TILTreeCellEdges frame_ = iltAllEdges;
    TILTreeCellEdges linked_;
    bool autoInvert_ = true;
    bool ignoreClicks_ = false;
    int iconIndex_ = -1;
    TILImagePosition iconPos_;
};

// A column's heading cells, one per heading row. A change of any cell repaints the
// column's heading.
class TILTreeColumnHeaderCells : public TILCollectionOf<TILTreeColumnHeaderCell> {
public:
    explicit TILTreeColumnHeaderCells(TILTreeColumnData* column = nullptr) : column_(column) {}

    std::string_view className() const override { return "TILTreeColumnHeaderCells"; }

    TILTreeColumnData* Column() const { return column_; }
    // Adds or removes cells at the end until there are count of them.
    void SetCellCount(int count);

protected:
    void Updated(TILCollectionItem* item) override;

private:
    TILTreeColumnData* column_;
};

// One row of the headings.
class TILTreeHeadingRow : public TILCollectionItem {
public:
    TILTreeHeadingRow() = default;

    std::string_view className() const override { return "TILTreeHeadingRow"; }
    fw::Object* NewInstance() const override { return new TILTreeHeadingRow; }

    int Height() const { return height_; }
    void SetHeight(int height);
    bool IsVisible() const { return isVisible_; }
    // Re-lays out the tree on a change.
    void SetIsVisible(bool visible);
    TILTreeCellEdges DefaultFrame() const { return defaultFrame_; }
    void SetDefaultFrame(TILTreeCellEdges frame) { defaultFrame_ = frame; }
    bool CanResize() const { return canResize_; }
    void SetCanResize(bool canResize) { canResize_ = canResize; }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int height) { minHeight_ = height; }
    // 0: no limit.
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int height) { maxHeight_ = height; }
    // Laid out by the tree.
    int Top() const { return top_; }
    void SetTop(int top) { top_ = top; }
    // Top + Height - 1 for a visible row, -1 for a hidden one.
    int Bottom() const { return isVisible_ ? top_ + height_ - 1 : -1; }

    // Height, visibility, frame, resizing and the limits.
    void Assign(const fw::Persistent* source) override;

private:
    friend class TILTreeHeadingRowCollection;
    int height_ = 16;
    bool isVisible_ = true;
    TILTreeCellEdges defaultFrame_ = iltAllEdges;
    bool canResize_ = false;
    int minHeight_ = 8;
    int maxHeight_ = 0;
    int top_ = 0;
};

// The heading rows. A new row takes the heading data's Height, and every column of the
// tree gains (or loses) the heading cell of that row.
class TILTreeHeadingRowCollection : public TILCollectionOf<TILTreeHeadingRow> {
public:
    explicit TILTreeHeadingRowCollection(TILTreeColumnHeadingData* headings = nullptr) : headings_(headings) {}

    std::string_view className() const override { return "TILTreeHeadingRowCollection"; }

    TILTreeColumnHeadingData* Headings() const { return headings_; }
    TILTree* Tree() const;
    // The sum of the heights of the visible rows.
    int VisibleHeight() const;
    // The visible row whose band Top .. Bottom holds y; none.
    TILTreeHeadingRow* RowAt(int y) const;

    // Copies the rows; the columns keep their heading cells (captions included) and only
    // gain or lose cells at the end to match the new number of rows.
    void Assign(const fw::Persistent* source) override;

protected:
    void Added(TILCollectionItem* item) override;
    void Deleting(TILCollectionItem* item) override;
    void Updated(TILCollectionItem* item) override;

private:
    void SyncColumnCells();

    TILTreeColumnHeadingData* headings_;
    bool assigning_ = false;
};

// The tree's heading settings: whether headings show, whether the strip right of the last
// column is filled in heading style, the height of new rows, whether cells use their
// column's draw data, the heading draw style, the sort marks and the rows.
class TILTreeColumnHeadingData : public fw::Persistent {
public:
    // The owner is the tree (or the properties bundle's owner); it may be none.
    explicit TILTreeColumnHeadingData(fw::Object* owner = nullptr);
    ~TILTreeColumnHeadingData() override;

    std::string_view className() const override { return "TILTreeColumnHeadingData"; }
    fw::Object* NewInstance() const override { return new TILTreeColumnHeadingData; }

    fw::Object* Owner() const { return owner_; }
    TILTree* Tree() const;

    bool Show() const { return show_; }
    void SetShow(bool show);
    bool FillTop() const { return fillTop_; }
    void SetFillTop(bool fillTop);
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    bool UseColumnSettings() const { return useColumnSettings_; }
    void SetUseColumnSettings(bool use);
    TILTreeColumnDrawData& DrawStyle() { return drawStyle_; }
    const TILTreeColumnDrawData& DrawStyle() const { return drawStyle_; }
    TILTreeColumnSortIcons& SortIcons() { return sortIcons_; }
    const TILTreeColumnSortIcons& SortIcons() const { return sortIcons_; }
    TILTreeHeadingRowCollection& HeadingRows() { return headingRows_; }
    const TILTreeHeadingRowCollection& HeadingRows() const { return headingRows_; }

    // The height the headings take: the visible rows' heights when shown, else 0.
    int VisibleHeight() const;

    // Show, FillTop, Height, UseColumnSettings, the draw style, sort icons and rows.
    void Assign(const fw::Persistent* source) override;

    // Hears of every change that needs a repaint (installed by the tree).
    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

private:
    friend class TILTreeHeadingRowCollection;
    void Changed();

    fw::Object* owner_;
    bool show_ = true;
    bool fillTop_ = true;
    int height_ = 16;
    bool useColumnSettings_ = false;
    TILTreeColumnDrawData drawStyle_;
    TILTreeColumnSortIcons sortIcons_;
    TILTreeHeadingRowCollection headingRows_;
    TILNotifyEvent onChange_;
};
