#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/position.h"
#include "framework/core/canvas.h"
#include "framework/gui/enum_set.h"
#include "treegrid/tree_collection.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_sort.h"

class TILTree;
class TILTreeNode;
class TILTreeColumnList;
class TILTreeColumnData;

enum TILTreeColumnOption : std::uint8_t {
    iltColOptAutoSize = 0,      // takes the width the other columns leave
    iltColOptSortLeafOnly = 1,  // sorts only sibling lists without grandchildren
    iltOptDisableAutoSort = 2,  // a heading click does not sort
};
using TILTreeColumnOptions = fw::EnumSet<TILTreeColumnOption>;

// Custom drawing of a column's cells (extents inclusive).
using TILTreeColumnDrawEvent =
    std::function<void(TILTreeColumnData* column, TILTreeNode* node, const fw::Rect& extents, fw::Canvas& canvas)>;
using TILTreeColumnHeaderEvent = std::function<void(TILTree* tree, TILTreeColumnData* column)>;

// One column of a tree-grid: width limits, draw settings for normal and selected cells, one
// heading cell per heading row, and the sort a click on its heading applies.
class TILTreeColumnData : public TILCollectionItem {
public:
    TILTreeColumnData();
    ~TILTreeColumnData() override;

    std::string_view className() const override { return "TILTreeColumnData"; }
    fw::Object* NewInstance() const override { return new TILTreeColumnData; }
    std::string DisplayName() const override;

    TILTreeColumnList* Columns() const;
    // The tree the column list belongs to; none for a detached list.
    TILTree* Tree() const;

    // --- The first heading cell (made when the column has none) --------------------------------
    std::string Caption() const;
    void SetCaption(std::string caption);
    std::string HeaderHint() const;
    void SetHeaderHint(std::string hint);
    TILTreeTextJustify HeaderJustify() const;
    void SetHeaderJustify(TILTreeTextJustify justify);
    bool InvertHeader() const;
    void SetInvertHeader(bool invert);
    int IconIndex() const;
    void SetIconIndex(int index);
    TILImagePosition& IconPos();
    TILTreeColumnHeaderCell& FirstHeaderCell();

    // --- Width ------------------------------------------------------------------------------
    int Width() const { return width_; }
    // Raised to MinWidth, lowered to MaxWidth when that is above 0; a change repaints the
    // heading and fires the tree's AfterColumnResize.
    void SetWidth(int width);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int width);
    // 0: no limit.
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width);

    // --- Drawing ----------------------------------------------------------------------------
    TILTreeColumnDrawData& NormalDraw() { return normalDraw_; }
    const TILTreeColumnDrawData& NormalDraw() const { return normalDraw_; }
    TILTreeColumnDrawData& SelectDraw() { return selectDraw_; }
    const TILTreeColumnDrawData& SelectDraw() const { return selectDraw_; }
    bool UseDefaultNormalStyle() const { return useDefaultNormalStyle_; }
    void SetUseDefaultNormalStyle(bool use) { useDefaultNormalStyle_ = use; }
    bool UseDefaultSelectStyle() const { return useDefaultSelectStyle_; }
    void SetUseDefaultSelectStyle(bool use) { useDefaultSelectStyle_ = use; }
    TILTreeTextJustify JustifyOverride() const { return justifyOverride_; }
    void SetJustifyOverride(TILTreeTextJustify justify) { justifyOverride_ = justify; }
    TILTreeTextWrapOverride WrapOverride() const { return wrapOverride_; }
    void SetWrapOverride(TILTreeTextWrapOverride wrap) { wrapOverride_ = wrap; }
    bool DefaultDraw() const { return defaultDraw_; }
    void SetDefaultDraw(bool defaultDraw) { defaultDraw_ = defaultDraw; }
    TILTreeColumnSortIcons& SortIcons() { return sortIcons_; }
    const TILTreeColumnSortIcons& SortIcons() const { return sortIcons_; }

    // --- Headings -----------------------------------------------------------------------------
    TILTreeColumnHeaderCells& Headers() { return headers_; }
    const TILTreeColumnHeaderCells& Headers() const { return headers_; }
    // The heading cell last clicked, none.
    TILTreeColumnHeaderCell* LastClickedCell() const { return lastClickedCell_; }

    // --- Behaviour --------------------------------------------------------------------------------
    TILTreeColumnAutoSortType AutoSort() const { return autoSort_; }
    void SetAutoSort(TILTreeColumnAutoSortType sort) { autoSort_ = sort; }
    bool AutoSortChildren() const { return autoSortChildren_; }
    void SetAutoSortChildren(bool children) { autoSortChildren_ = children; }
    bool ToggleSort() const { return toggleSort_; }
    void SetToggleSort(bool toggle) { toggleSort_ = toggle; }
    bool CanResize() const { return canResize_; }
    void SetCanResize(bool canResize) { canResize_ = canResize; }
    bool IsHidden() const { return isHidden_; }
    void SetIsHidden(bool hidden);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    const std::string& ID() const { return id_; }
    void SetID(std::string id) { id_ = std::move(id); }
    TILTreeColumnOptions Options() const { return options_; }
    void SetOptions(TILTreeColumnOptions options) { options_ = options; }

    const TILTreeColumnDrawEvent& OnDraw() const { return onDraw_; }
    void SetOnDraw(TILTreeColumnDrawEvent handler) { onDraw_ = std::move(handler); }
    const TILTreeColumnHeaderEvent& OnHeaderClick() const { return onHeaderClick_; }
    void SetOnHeaderClick(TILTreeColumnHeaderEvent handler) { onHeaderClick_ = std::move(handler); }
    const TILTreeColumnHeaderEvent& OnHeaderDblClick() const { return onHeaderDblClick_; }
    void SetOnHeaderDblClick(TILTreeColumnHeaderEvent handler) { onHeaderDblClick_ = std::move(handler); }
    const TILTreeSortCompare& OnCustomSortCompare() const { return onCustomSortCompare_; }
    void SetOnCustomSortCompare(TILTreeSortCompare handler) { onCustomSortCompare_ = std::move(handler); }

    // --- Run-time layout ------------------------------------------------------------------------
    // x of the column's edges (Right inclusive), and the part of it in the visible range.
    int Left() const { return left_; }
    int Right() const { return right_; }
    int VisibleLeft() const { return visibleLeft_; }
    int VisibleRight() const { return visibleRight_; }
    void SetPlacement(int left, int right, int visibleLeft, int visibleRight);
    bool LastSortAscending() const { return lastSortAscending_; }
    void SetLastSortAscending(bool ascending) { lastSortAscending_ = ascending; }

    // A hidden column is not visible; a fixed one is when its left edge lies in the client
    // width, a scrolled one when, in addition, its right edge is not left of the fixed area.
    bool IsVisible() const;
    // Also the right edge inside the client width.
    bool IsFullyVisible() const;
    // The neighbouring column, skipping hidden ones when asked; none at the ends.
    TILTreeColumnData* PrevColumn(bool skipHidden) const;
    TILTreeColumnData* NextColumn(bool skipHidden) const;

    // --- Operations -------------------------------------------------------------------------
    // The comparison this column's kind gives, in its first-use direction or reversed, on
    // the column's own index.
    TILTreeSortOrder SortOrder(bool reversed) const;
    // Sorts the tree by this column (see the heading click); with toggle, a second sort by
    // the same column reverses the order.
    void SortNodes(bool toggle);
    // Fits the width to the heading cell of the row: caption, icon, sort mark, borders and
    // margins, then the limits given (each when above 0).
    void AutoSizeColumn(int minWidth, int maxWidth, int headingRow);
    // A click at (x, y) in the heading: inverts the cell while it runs the column's
    // OnHeaderClick or, without one, the automatic sort.
    void HeadingClick(int x, int y);
    void HeadingDblClick();

    // AutoSort, AutoSortChildren, widths, Headers, HeaderHint, draw data, DefaultDraw,
    // CanResize, isHidden, JustifyOverride, Tag, ToggleSort, style choices, WrapOverride,
    // SortIcons, IconIndex, IconPos, ID, Options and the events; then repaints.
    void Assign(const fw::Persistent* source) override;

    // Asks the tree to repaint the column's heading (nothing without a tree).
    void RepaintHeading();

private:
    TILTreeColumnHeaderCell& EnsureFirstHeaderCell();
    TILTreeColumnHeaderCell* FirstHeaderCellOrNull() const;

    int minWidth_ = 10;
    int maxWidth_ = 0;
    int width_ = 64;
    TILTreeColumnDrawData normalDraw_;
    TILTreeColumnDrawData selectDraw_;
    bool useDefaultNormalStyle_ = true;
    bool useDefaultSelectStyle_ = true;
    TILTreeColumnHeaderCells headers_;
    TILTreeColumnAutoSortType autoSort_ = iltSortNone;
    bool autoSortChildren_ = true;
    bool toggleSort_ = true;
    TILTreeTextJustify justifyOverride_ = iltJustifyDefault;
    int tag_ = 0;
    TILTreeTextWrapOverride wrapOverride_ = iltWrapDefault;
    bool defaultDraw_ = true;
    bool canResize_ = true;
    bool isHidden_ = false;
    TILTreeColumnSortIcons sortIcons_;
    std::string id_;
    TILTreeColumnOptions options_;
    TILTreeColumnDrawEvent onDraw_;
    TILTreeColumnHeaderEvent onHeaderClick_;
    TILTreeColumnHeaderEvent onHeaderDblClick_;
    TILTreeSortCompare onCustomSortCompare_;

    int left_ = 0;
    int right_ = -1;
    int visibleLeft_ = 0;
    int visibleRight_ = -1;
    TILTreeColumnHeaderCell* lastClickedCell_ = nullptr;
    bool lastSortAscending_ = false;
};

// A heading cell together with the cells joined to it: drawn and clicked as one.
struct TILTreeHeadingCellGroup {
    // The cell whose content the group shows: the top-left one.
    TILTreeColumnHeaderCell* Anchor = nullptr;
    // The range of columns (indexes) and heading rows the group covers.
    int FirstColumn = -1;
    int LastColumn = -1;
    int FirstRow = -1;
    int LastRow = -1;
};

// The columns of a tree, owned by it (or by a properties bundle).
class TILTreeColumnList : public TILCollectionOf<TILTreeColumnData> {
public:
    explicit TILTreeColumnList(fw::Object* owner = nullptr);
    ~TILTreeColumnList() override;

    std::string_view className() const override { return "TILTreeColumnList"; }

    fw::Object* Owner() const { return owner_; }
    // The owner when it is a tree.
    TILTree* Tree() const;

    // Index of the last column that is not hidden, -1 when none.
    int LastVisibleIndex() const { return lastVisibleIndex_; }
    // First column whose ID equals, ignoring case; -1.
    int IndexOfName(std::string_view id) const;
    TILTreeColumnData* FindByName(std::string_view id) const;
    // First column whose caption equals, ignoring case.
    TILTreeColumnData* FindByCaption(std::string_view caption) const;
    int VisibleCount() const;
    // The sum of the widths of the columns that are not hidden.
    int VisibleWidth() const;

    // The number of heading cells every column has: the heading rows of the owning tree,
    // at least one.
    int HeadingRowCount() const;
    // Gives every column that many heading cells.
    void SetHeadingRowCount(int count);

    // The heading cell group holding the cell.
    TILTreeHeadingCellGroup HeadingCellGroup(TILTreeColumnHeaderCell* cell) const;
    // The heading cell at a point of the heading (through the row at y and the column whose
    // Left .. Right holds x, among those not hidden); a cell joined to others stands for its
    // group, which is answered by its anchor. None outside the headings.
    TILTreeColumnHeaderCell* HeadingCellAt(int x, int y) const;

    void RecomputeLastVisible();

protected:
    void Added(TILCollectionItem* item) override;
    void Deleting(TILCollectionItem* item) override;
    void Updated(TILCollectionItem* item) override;

private:
    fw::Object* owner_;
    int lastVisibleIndex_ = -1;
};
