#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/gui/control.h"
#include "framework/gui/enum_set.h"
#include "framework/gui/message.h"
#include "framework/gui/timer.h"

namespace fw {
class ImageList;
class HintWindow;
class DragObject;
} // namespace fw

class TILBrush;
class TILScrollBar;
class TILScrollBarProperties;

class TILTree;
class TILTreeNode;
class TILTreeCellInfo;
class TILTreeColumnData;
class TILTreeColumnList;
class TILTreeColumnDrawData;
class TILTreeColumnHeadingData;
class TILTreeColumnHeaderCell;
class TILTreeHeadingRow;
class TILTreeHeadingRowCollection;
class TILTreeButtonIcons;
class TILTreeDefaultColourScheme;
class TILTreeScrollBar;
class TILTreeScrollWindow;
class TILTreeInlineEdit;
class TILTreeInlineEditSettings;
class TILTreeCellHintWindow;
class TILTreeDragControlObject;

// --- Options ---------------------------------------------------------------------------------

// What a tree shows and allows; the bit of each option is 1 shifted by its ordinal.
enum class TILTreeDisplayOption : std::uint8_t {
    iltShowLines = 0,
    iltShowButtons,
    iltShowIcons,
    iltHorzGrid,
    iltVertGrid,
    iltResizeCol,
    iltNoDefaultDraw,
    iltNoSelect,
    iltMultiSelect,
    iltAutoExpand,
    iltNoDrag,
    iltNoTopLevelLine,
    iltExpandOnDrop,
    iltDisableHeaderClick,
    iltDisallowDeselect,
    iltEnableListPopup,
    iltResizeColThroughout,
    iltTrack,
    iltNoDoubleClick,
    iltUseDefaultColours,
    iltDisableKeySearch,
    iltAutoEdit,
    iltDeselectOnLeave,
    iltSingleClickExpand,
    iltNoScrollOnExpand,
    iltExpandOnHover,
    iltResizeHeader,
    iltResizeRow,
    iltTrackInlineEdits,
};
using TILTreeDisplayOptions = fw::EnumSet<TILTreeDisplayOption>;

// Lines, buttons, column resizing, auto expand and expand on drop.
inline constexpr std::uint32_t TILTreeDefaultOptionBits = 0x1223;

// Which scroll bars a tree may show.
enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// What the user is doing with the mouse.
enum class TILTreeInteractionMode : std::uint8_t { None = 0, ColumnResize = 1, Dragging = 2, RowResize = 3 };

// The kind of cell whose draw data OnGetDrawData is asked for.
enum class TILTreeDrawDataMode : std::uint8_t { Normal = 0, Select = 1, Edit = 2, Heading = 3 };

// Where SelectNode puts a node it has to scroll to.
inline constexpr int TILTreePlaceTop = 1;
inline constexpr int TILTreePlaceBottom = 2;
inline constexpr int TILTreePlaceCentre = 0;

// Paint flags of one painting pass.
inline constexpr int TILTreePaintFixed = 1;
inline constexpr int TILTreePaintScrolled = 2;
inline constexpr int TILTreePaintBackground = 4;
inline constexpr int TILTreePaintHeadings = 8;
inline constexpr int TILTreePaintHeadingFlag = 16;
inline constexpr int TILTreePaintCellControls = 32;
inline constexpr int TILTreePaintAll = 47;

// The button forms drawn at a node.
inline constexpr int TILTreeButtonMinus = 0;
inline constexpr int TILTreeButtonPlus = 1;
inline constexpr int TILTreeButtonWait = 2;

// --- Events ----------------------------------------------------------------------------------
// Empty functions mean "not assigned".
using TILTreeNodeEvent = std::function<void(TILTree* sender, TILTreeNode* node)>;
using TILTreeCanSelectNodeEvent = std::function<bool(TILTree* sender, TILTreeNode* node, bool multi)>;
using TILTreeEditTextEvent = std::function<void(TILTreeNode* node, int columnIndex, std::string& value)>;
using TILTreeEditResultEvent = std::function<void(TILTree* sender, TILTreeNode* node, int columnIndex)>;
using TILTreeCanEditInlineEvent = std::function<bool(TILTree* tree, TILTreeNode* node, int columnIndex)>;
using TILTreeGetHintEvent = std::function<bool(TILTree* tree, TILTreeNode* node, TILTreeColumnData* column,
                                               TILTreeColumnHeaderCell* cell, std::string& hint)>;
using TILTreeCanDragNodeEvent = std::function<bool(TILTree* sender, TILTreeNode* node)>;
using TILTreeCanReceiveNodeEvent =
    std::function<bool(TILTree* sender, TILTreeNode* targetNode, TILTreeNode* dragNode)>;
using TILTreeDropNodeEvent = std::function<bool(TILTree* sender, TILTreeNode*& targetNode, TILTreeNode* dragNode)>;
// The popup events answer the menu to show (a popup-menu component), none for no menu.
using TILTreeNodePopupEvent = std::function<fw::Component*(TILTree* sender, TILTreeNode* node, int columnIndex)>;
using TILTreeTreePopupEvent = std::function<fw::Component*(TILTree* sender, TILTreeColumnData* column)>;
using TILTreeHeaderPopupEvent = std::function<fw::Component*(TILTree* sender, TILTreeColumnHeaderCell* cell)>;
using TILTreeHeaderFontEvent = std::function<void(TILTree* sender, TILTreeColumnHeaderCell* cell, fw::Font& font)>;
using TILTreeHeaderBackEvent = std::function<void(TILTree* sender, TILTreeColumnHeaderCell* cell, TILBrush& brush)>;
using TILTreeGetDrawDataEvent = std::function<TILTreeColumnDrawData*(TILTree* sender, TILTreeColumnData* column,
                                                                     TILTreeNode* node, TILTreeDrawDataMode mode)>;
// Extents are inclusive: Right and Bottom are the cell's last pixel column and row.
using TILTreeDrawCellEvent = std::function<void(TILTree* sender, fw::Canvas& canvas, TILTreeColumnData* column,
                                                TILTreeNode* node, const fw::Rect& extents,
                                                TILTreeColumnDrawData* drawData)>;
using TILTreeOverrideFontEvent =
    std::function<void(TILTree* sender, TILTreeColumnData* column, TILTreeNode* node, fw::Font& font)>;
using TILTreeOverrideBackEvent =
    std::function<void(TILTree* sender, TILTreeColumnData* column, TILTreeNode* node, fw::Brush& brush)>;
using TILTreeBeforeNodeEvent = std::function<bool(TILTree* sender, TILTreeNode* node)>;
using TILTreeNodeParentEvent = std::function<void(TILTree* sender, TILTreeNode* node, TILTreeNode* prevParent)>;
using TILTreeNotifyEvent = std::function<void(TILTree* sender)>;
using TILTreeAutoEditVerifyEvent = std::function<bool(TILTreeNode* node, int columnIndex, std::string& value)>;
using TILTreeMouseNodeChangeEvent =
    std::function<void(TILTree* sender, TILTreeNode* lastNode, TILTreeNode* newNode)>;
using TILTreeMouseColumnChangeEvent =
    std::function<void(TILTree* sender, TILTreeColumnData* lastColumn, TILTreeColumnData* newColumn)>;
using TILTreeNodeResizeEvent = std::function<bool(TILTree* sender, TILTreeNode* node, int& newHeight)>;
using TILTreeCanResizeNodeEvent = std::function<bool(TILTree* sender, TILTreeNode* node)>;
using TILTreeColumnResizeEvent = std::function<bool(TILTree* sender, TILTreeColumnData* column, int& newWidth)>;
using TILTreeColumnEvent = std::function<void(TILTree* sender, TILTreeColumnData* column)>;
using TILTreeEditControlEvent = std::function<void(TILTree* tree, TILTreeInlineEdit* edit)>;

// --- The control -----------------------------------------------------------------------------

// An owner-drawn tree and grid: a hierarchy of nodes shown as rows, a list of columns, heading
// rows, tree lines and expand buttons in one column, fixed columns on the left, grid lines,
// single or multiple selection, keyboard and mouse navigation, its own scroll bars, and
// resizing of columns and rows by dragging.
//
// Row positions are laid out lazily: operations that change the rows only mark the layout
// out of date and invalidate, and the layout is brought up to date once, by whatever needs
// positions next (painting, hit tests, navigation, scrolling, a node's Top). So filling or
// changing a large tree outside an update bracket costs no full layout per change.
class TILTree : public fw::CustomControl {
public:
    explicit TILTree(fw::Component* owner = nullptr);
    ~TILTree() override;

    std::string_view className() const override { return "TILTree"; }

    // --- Published properties --------------------------------------------------------------
    // Object-valued properties are copied into the tree's own objects, never shared.
    TILScrollBarProperties& HorzScrollProp() const { return *horzScrollProp_; }
    void SetHorzScrollProp(const TILScrollBarProperties* value);
    TILScrollBarProperties& VertScrollProp() const { return *vertScrollProp_; }
    void SetVertScrollProp(const TILScrollBarProperties* value);

    TILTreeColumnList& Columns() { return *columns_; }
    const TILTreeColumnList& Columns() const { return *columns_; }
    void SetColumns(const TILTreeColumnList* value);

    TScrollStyle ScrollStyle() const { return scrollStyle_; }
    void SetScrollStyle(TScrollStyle value);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);

    int FixedColumns() const { return fixedColumns_; }
    void SetFixedColumns(int value);
    int TreeColumn() const { return treeColumn_; }
    void SetTreeColumn(int value);
    int Indent() const { return indent_; }
    void SetIndent(int value);

    // Not owned; forgotten when it is freed.
    fw::ImageList* Icons() const { return icons_; }
    void SetIcons(fw::ImageList* value);
    int IconMargin() const { return iconMargin_; }
    void SetIconMargin(int value);
    // Whether the index names an image of Icons; the width and height of its images (0
    // without icons).
    bool ValidIconIndex(int index) const;
    int IconWidth() const;
    int IconHeight() const;
    // Draws an image of Icons with its top-left at (x, y); nothing for an invalid index.
    void DrawIcon(fw::Canvas& canvas, int x, int y, int index) const;

    TILTreeColumnHeadingData& Headings() { return *headings_; }
    const TILTreeColumnHeadingData& Headings() const { return *headings_; }
    void SetHeadings(const TILTreeColumnHeadingData* value);
    // The heading rows held by Headings.
    TILTreeHeadingRowCollection& HeadingRows();
    const TILTreeHeadingRowCollection& HeadingRows() const;
    void SetHeadingRows(const TILTreeHeadingRowCollection* value);

    TILTreeColumnDrawData& DefaultDrawNormal() const { return *defaultDrawNormal_; }
    void SetDefaultDrawNormal(const TILTreeColumnDrawData* value);
    TILTreeColumnDrawData& DefaultDrawSelect() const { return *defaultDrawSelect_; }
    void SetDefaultDrawSelect(const TILTreeColumnDrawData* value);
    TILTreeColumnDrawData& DrawEdit() const { return *drawEdit_; }
    void SetDrawEdit(const TILTreeColumnDrawData* value);

    std::uint16_t DefaultNodeHeight() const { return defaultNodeHeight_; }
    void SetDefaultNodeHeight(std::uint16_t value) { defaultNodeHeight_ = value; }
    // A non-zero ID switches iltUseDefaultColours on, 0 switches it off.
    int DefaultColoursID() const { return defaultColoursID_; }
    void SetDefaultColoursID(int value);

    int HorzScrollIncrement() const;
    void SetHorzScrollIncrement(int value);
    int VertScrollIncrement() const;
    void SetVertScrollIncrement(int value);

    fw::Color ColourLine() const { return colourLine_; }
    void SetColourLine(fw::Color value);
    fw::Color ColourButton() const { return colourButton_; }
    void SetColourButton(fw::Color value);
    TILTreeButtonIcons& ButtonIcons() const { return *buttonIcons_; }
    void SetButtonIcons(const TILTreeButtonIcons* value);

    TILTreeDisplayOptions Options() const { return options_; }
    void SetOptions(TILTreeDisplayOptions value);
    bool HasOption(TILTreeDisplayOption option) const { return options_.Contains(option); }

    const fw::Pen& GridPen() const { return gridPen_; }
    void SetGridPen(const fw::Pen& value);

    int AutoExpandDelay() const { return autoExpandDelay_; }
    void SetAutoExpandDelay(int value) { autoExpandDelay_ = value; }

    // --- Structure -------------------------------------------------------------------------
    // The invisible root; every row is a descendant of it. Owned.
    TILTreeNode* Root() const { return root_; }
    // Deletes every node under the root inside an update bracket.
    void Clear();
    // Copies the source tree's nodes into this tree's root; columns and looks stay.
    void Assign(const fw::Persistent* source) override;

    TILTreeColumnData* GetColumn(int index) const;
    int GetColumnCount() const;

    // --- Update brackets -------------------------------------------------------------------
    // acceptEdit: an open inline edit is accepted (true) or cancelled (false) first. If that
    // raises an error the bracket is closed again before the error goes on.
    void BeginUpdate(bool acceptEdit = true);
    // At the outermost end: re-lays out (when relayout is set), updates the cell controls and
    // invalidates.
    void EndUpdate(bool relayout = true);
    int UpdateCount() const { return updateCount_; }
    bool IsUpdating() const { return updateCount_ > 0; }

    // --- Selection -------------------------------------------------------------------------
    TILTreeNode* GetSelected() const;
    int GetSelectedCount() const;
    TILTreeNode* GetSelectedItem(int index) const;
    // The current node: the last one added to the selection; none without a selection.
    TILTreeNode* CurrentNode() const { return GetSelected(); }

    // The selection test of keys, clicks and range selection.
    bool CanSelectNode(TILTreeNode* node, bool multi) const;
    // Each operation over a list of nodes; a call made while another add or remove runs (from
    // an OnSelectNode handler, for example) is ignored.
    void AddToSelection(const std::vector<TILTreeNode*>& nodes);
    void RemoveFromSelection(const std::vector<TILTreeNode*>& nodes);
    void SelectOnly(const std::vector<TILTreeNode*>& nodes);
    void AddToSelection(TILTreeNode* node) { AddToSelection(std::vector<TILTreeNode*>{node}); }
    void RemoveFromSelection(TILTreeNode* node) { RemoveFromSelection(std::vector<TILTreeNode*>{node}); }
    void SelectOnly(TILTreeNode* node) { SelectOnly(std::vector<TILTreeNode*>{node}); }
    // From the last selected node to the first.
    void DeselectAll();
    bool SelectionChanging() const { return selectionChanging_; }

    // The bookkeeping behind a node's Selected flag, used by the node itself: the node joins
    // (or leaves) the selection list, without events.
    void SelectionListAdd(TILTreeNode* node);
    void SelectionListRemove(TILTreeNode* node);

    // Expands the collapsed ancestors, scrolls the node into view by the placement when it is
    // not wholly in view, and selects it alone when select is set.
    void SelectNode(TILTreeNode* node, bool select, int placement);

    void ExpandAll();

    // --- Layout ----------------------------------------------------------------------------
    // Re-lays out the rows from the node (none or the root: from the first row); the scroll
    // bars follow the new content size.
    void LayoutRowsFrom(TILTreeNode* node);
    // A node just attached as the root's last child: its row follows the last row, without
    // laying out the others again (when the layout is up to date and the node a plain row).
    void RowAddedAtEnd(TILTreeNode* node);
    // A child of the root just moved to the front: the last row becomes the first, and the
    // others move down by its height without being visited.
    void RowMovedToFront(TILTreeNode* node);
    // The node's top in tree coordinates when it is a laid-out row, otherwise the fallback.
    int RowTopOf(const TILTreeNode& node, int fallback) const;
    void LayoutColumns();
    // Rows, columns and scroll bars (a heading row shown or hidden, the client resized).
    void RelayoutAll();
    void UpdateScrollBars();
    // Brings a layout that was marked out of date up to date now.
    void EnsureLayout() const;

    int HeadingHeight() const;
    // The client size less a visible vertical (horizontal) scroll bar, as the bars stand now
    // (EnsureLayout first for an answer after changes).
    int DataWidth() const;
    int DataHeight() const;
    // The widths of the non-hidden fixed columns, each with the vertical grid width.
    int FixedWidth() const;
    // The grid pen's width when horizontal (vertical) grid lines are shown, else 0.
    int HorzGridWidth() const;
    int VertGridWidth() const;
    int TotalContentHeight() const;
    int TotalContentWidth() const;

    int VertScrollPosition() const;
    int HorzScrollPosition() const;
    // Scrolls by a number of pixels, clamped to the content: positive moves the view down
    // (right), the content up (left).
    void ScrollVertical(int pixels);
    void ScrollHorizontal(int pixels);
    void ScrollNodeIntoView(TILTreeNode* node);

    // The first shown node whose row overlaps the data band (the first wholly visible one).
    TILTreeNode* FirstNodeInView(bool whollyVisible = false) const;
    TILTreeNode* LastNodeInView(bool whollyVisible = false) const;
    // The last shown node of the whole tree, none without rows.
    TILTreeNode* LastVisibleNode() const;
    bool IsNodeInView(const TILTreeNode* node) const;
    bool IsNodePartlyInView(const TILTreeNode* node) const;
    TILTreeNode* NodeAt(int x, int y) const;
    TILTreeColumnData* ColumnAt(int x) const;
    // The last column that is not hidden, none.
    TILTreeColumnData* LastVisibleColumn() const;
    // The heading row and heading cell at a point of the heading area; none elsewhere.
    TILTreeHeadingRow* HeadingRowAt(int y) const;
    TILTreeColumnHeaderCell* HeadingCellAt(int x, int y) const;

    // Inclusive rectangles: the cell of a node in a column, the heading cell of a column in a
    // heading row (its linked neighbours included).
    fw::Rect CellExtents(const TILTreeNode* node, const TILTreeColumnData* column) const;
    fw::Rect HeadingCellExtents(const TILTreeColumnData* column, int headingRow) const;

    // --- Painting --------------------------------------------------------------------------
    // One painting pass with the paint flags, now, on the control's canvas.
    void PaintWithFlags(int flags);
    // Repaints the node's row now (only its cells).
    void RepaintNode(TILTreeNode* node);
    // Repaints one cell now with background, borders and content.
    void RepaintCell(TILTreeNode* node, int columnIndex);
    void RepaintHeadings();
    void RepaintColumnHeading(TILTreeColumnData* column);
    // Redraws the node's expand button alone in the wait form, even inside an update bracket.
    void DrawWaitButton(TILTreeNode* node);

    // The draw data of a data cell, and of a heading cell.
    TILTreeColumnDrawData* CellDrawData(TILTreeColumnData* column, TILTreeNode* node);
    TILTreeColumnDrawData* HeadingDrawData(TILTreeColumnData* column) const;
    // The font of a cell (the cell's, the node's or the draw data's, then OnOverrideFont).
    fw::Font CellFont(TILTreeColumnData* column, TILTreeNode* node, const TILTreeColumnDrawData& drawData);
    // The column width that shows the text whole on one line in the node's cell: the text in
    // the cell's font, with the text margins and, in the tree column, the indent, button
    // and image before it. 0 without a paint backend to measure with.
    int CellWidthFor(TILTreeColumnData* column, TILTreeNode* node, std::string_view text);

    // The amounts of the tree column: (Level - 1) x Indent, and the room of the button.
    int LevelIndent(const TILTreeNode* node) const;
    int ButtonArea() const;
    // Recomputes the node's IndentOffset as painting does, and answers it.
    int ComputeIndentOffset(TILTreeNode* node, const TILTreeColumnDrawData& drawData);
    // The centre of the node's expand button (tree coordinates).
    fw::Point ButtonCentre(const TILTreeNode* node) const;
    // The picture of a button form (0 minus, 1 plus, 2 wait) and its transparent colour by
    // the ButtonIcons kind; none for the drawn button.
    const fw::Bitmap* ButtonImage(int form) const;

    // Shows or hides (and places) the embedded cell controls of a node's row (with its
    // subtree when recursive), or of every row.
    void UpdateCellControls(TILTreeNode* node, bool recursive);
    void UpdateAllCellControls();
    // Notes the nodes of the subtree that carry cell controls, without placing them.
    void NoteCellControls(TILTreeNode* node, bool recursive);
    // Shows or hides the cell controls of a column in every node (the column was hidden or
    // shown).
    void ShowColumnCellControls(int columnIndex, bool show);
    // Before a node is expanded or collapsed: hides a pending hint, redraws the node's button
    // in the wait form when it is in view, and ends an open inline edit when the node is in
    // view; answers whether an edit was ended.
    bool PrepareNodeToggle(TILTreeNode* node);

    // --- Sorting ---------------------------------------------------------------------------
    TILTreeColumnData* SortColumn() const { return sortColumn_; }
    void SetSortColumn(TILTreeColumnData* column) { sortColumn_ = column; }
    int LastSortedColumn() const { return lastSortedColumn_; }
    void SetLastSortedColumn(int index) { lastSortedColumn_ = index; }

    // --- Clipboard -------------------------------------------------------------------------
    void CopyToClipboard(bool visibleOnly = true, bool includeHidden = false, bool withHeadings = false);
    // The lines CopyToClipboard puts on the clipboard (without line ends).
    std::vector<std::string> ClipboardLines(bool visibleOnly, bool includeHidden, bool withHeadings) const;

    // --- Interaction state -----------------------------------------------------------------
    TILTreeInteractionMode InteractionMode() const { return interactionMode_; }
    void SetInteractionMode(TILTreeInteractionMode mode) { interactionMode_ = mode; }
    TILTreeNode* MouseNode() const { return mouseNode_; }
    TILTreeColumnData* MouseColumn() const { return mouseColumn_; }
    fw::Point LastMousePoint() const { return lastMousePoint_; }
    fw::ShiftState LastShiftState() const { return lastShiftState_; }
    TILTreeNode* DragNode() const { return dragNode_; }
    void SetDragNode(TILTreeNode* node) { dragNode_ = node; }
    // The column, heading row and node whose edge is under the mouse; none when none is.
    TILTreeColumnData* EdgeColumn() const { return edgeColumn_; }
    TILTreeHeadingRow* EdgeHeadingRow() const { return edgeHeadingRow_; }
    TILTreeNode* EdgeNode() const { return edgeNode_; }
    // The drop rules: the node can receive every selected node.
    bool CanReceiveNodes(TILTreeNode* target) const;
    // Whether the corner logo is shown between two visible scroll bars.
    bool CornerImageShown() const { return cornerImageShown_; }

    // A node (with its subtree) leaves the tree or is freed: everything the tree remembers
    // about it or its descendants (under the mouse, dragged, edited, current, selected,
    // posted work) is forgotten.
    void NodeLeaving(TILTreeNode* node);
    // A column or heading row is being freed: the tree forgets it (under the mouse, under a
    // dragged edge, the sort column) and lays the columns out again.
    void ColumnLeaving(TILTreeColumnData* column);
    void HeadingRowLeaving(TILTreeHeadingRow* row);
    // Posts the repaint of the node (message 12142) or the freeing of the object (12145);
    // a node forgotten meanwhile is not repainted.
    void PostRepaintNode(TILTreeNode* node);
    void PostFreeObject(fw::Object* object);

    // The parts.
    TILTreeScrollWindow* ScrollWindow() const { return scrollWindow_; }
    TILTreeScrollBar* HorzScrollBar() const { return horzBar_; }
    TILTreeScrollBar* VertScrollBar() const { return vertBar_; }
    bool HorzScrollBarVisible() const;
    bool VertScrollBarVisible() const;
    // Sets the cursor on the tree and on its scroll window.
    void SetTreeCursor(fw::Cursor cursor);

    // The colour scheme in use (with iltUseDefaultColours), none otherwise.
    TILTreeDefaultColourScheme* ColourScheme() const { return colourScheme_; }
    // Re-applies the colour scheme named by DefaultColoursID (or forgets it).
    void ApplyColourScheme();

    // --- Events ----------------------------------------------------------------------------
    const TILTreeNodeEvent& OnDrawNode() const { return onDrawNode_; }
    void SetOnDrawNode(TILTreeNodeEvent handler) { onDrawNode_ = std::move(handler); }
    const TILTreeCanSelectNodeEvent& OnCanSelectNode() const { return onCanSelectNode_; }
    void SetOnCanSelectNode(TILTreeCanSelectNodeEvent handler) { onCanSelectNode_ = std::move(handler); }
    const TILTreeNodeEvent& OnSelectNode() const { return onSelectNode_; }
    void SetOnSelectNode(TILTreeNodeEvent handler) { onSelectNode_ = std::move(handler); }
    const TILTreeNodeEvent& OnDeselectNode() const { return onDeselectNode_; }
    void SetOnDeselectNode(TILTreeNodeEvent handler) { onDeselectNode_ = std::move(handler); }
    const TILTreeEditTextEvent& OnEditGetText() const { return onEditGetText_; }
    void SetOnEditGetText(TILTreeEditTextEvent handler) { onEditGetText_ = std::move(handler); }
    const TILTreeEditTextEvent& OnEditSetText() const { return onEditSetText_; }
    void SetOnEditSetText(TILTreeEditTextEvent handler) { onEditSetText_ = std::move(handler); }
    const TILTreeEditResultEvent& OnEditAcceptInline() const { return onEditAcceptInline_; }
    void SetOnEditAcceptInline(TILTreeEditResultEvent handler) { onEditAcceptInline_ = std::move(handler); }
    const TILTreeEditResultEvent& OnEditCancelInline() const { return onEditCancelInline_; }
    void SetOnEditCancelInline(TILTreeEditResultEvent handler) { onEditCancelInline_ = std::move(handler); }
    const TILTreeCanEditInlineEvent& OnCanEditInline() const { return onCanEditInline_; }
    void SetOnCanEditInline(TILTreeCanEditInlineEvent handler) { onCanEditInline_ = std::move(handler); }
    const TILTreeGetHintEvent& OnGetHint() const { return onGetHint_; }
    void SetOnGetHint(TILTreeGetHintEvent handler) { onGetHint_ = std::move(handler); }
    const TILTreeCanDragNodeEvent& OnCanDragNode() const { return onCanDragNode_; }
    void SetOnCanDragNode(TILTreeCanDragNodeEvent handler) { onCanDragNode_ = std::move(handler); }
    const TILTreeCanReceiveNodeEvent& OnCanReceiveNode() const { return onCanReceiveNode_; }
    void SetOnCanReceiveNode(TILTreeCanReceiveNodeEvent handler) { onCanReceiveNode_ = std::move(handler); }
    const TILTreeDropNodeEvent& OnDropNode() const { return onDropNode_; }
    void SetOnDropNode(TILTreeDropNodeEvent handler) { onDropNode_ = std::move(handler); }
    const TILTreeNodePopupEvent& BeforeNodePopup() const { return beforeNodePopup_; }
    void SetBeforeNodePopup(TILTreeNodePopupEvent handler) { beforeNodePopup_ = std::move(handler); }
    const TILTreeTreePopupEvent& BeforeTreePopup() const { return beforeTreePopup_; }
    void SetBeforeTreePopup(TILTreeTreePopupEvent handler) { beforeTreePopup_ = std::move(handler); }
    const TILTreeHeaderPopupEvent& BeforeHeaderPopup() const { return beforeHeaderPopup_; }
    void SetBeforeHeaderPopup(TILTreeHeaderPopupEvent handler) { beforeHeaderPopup_ = std::move(handler); }
    const TILTreeHeaderFontEvent& OnGetHeaderFont() const { return onGetHeaderFont_; }
    void SetOnGetHeaderFont(TILTreeHeaderFontEvent handler) { onGetHeaderFont_ = std::move(handler); }
    const TILTreeHeaderBackEvent& OnGetHeaderBack() const { return onGetHeaderBack_; }
    void SetOnGetHeaderBack(TILTreeHeaderBackEvent handler) { onGetHeaderBack_ = std::move(handler); }
    const TILTreeNodeEvent& OnNodeDblClick() const { return onNodeDblClick_; }
    void SetOnNodeDblClick(TILTreeNodeEvent handler) { onNodeDblClick_ = std::move(handler); }
    const TILTreeNodeEvent& OnNodeClick() const { return onNodeClick_; }
    void SetOnNodeClick(TILTreeNodeEvent handler) { onNodeClick_ = std::move(handler); }
    const TILTreeGetDrawDataEvent& OnGetDrawData() const { return onGetDrawData_; }
    void SetOnGetDrawData(TILTreeGetDrawDataEvent handler) { onGetDrawData_ = std::move(handler); }
    const TILTreeDrawCellEvent& BeforeDrawCell() const { return beforeDrawCell_; }
    void SetBeforeDrawCell(TILTreeDrawCellEvent handler) { beforeDrawCell_ = std::move(handler); }
    const TILTreeDrawCellEvent& AfterDrawCell() const { return afterDrawCell_; }
    void SetAfterDrawCell(TILTreeDrawCellEvent handler) { afterDrawCell_ = std::move(handler); }
    const TILTreeOverrideFontEvent& OnOverrideFont() const { return onOverrideFont_; }
    void SetOnOverrideFont(TILTreeOverrideFontEvent handler) { onOverrideFont_ = std::move(handler); }
    const TILTreeOverrideBackEvent& OnOverrideBack() const { return onOverrideBack_; }
    void SetOnOverrideBack(TILTreeOverrideBackEvent handler) { onOverrideBack_ = std::move(handler); }
    const TILTreeBeforeNodeEvent& BeforeExpandNode() const { return beforeExpandNode_; }
    void SetBeforeExpandNode(TILTreeBeforeNodeEvent handler) { beforeExpandNode_ = std::move(handler); }
    const TILTreeBeforeNodeEvent& BeforeCollapseNode() const { return beforeCollapseNode_; }
    void SetBeforeCollapseNode(TILTreeBeforeNodeEvent handler) { beforeCollapseNode_ = std::move(handler); }
    const TILTreeNodeEvent& AfterExpandNode() const { return afterExpandNode_; }
    void SetAfterExpandNode(TILTreeNodeEvent handler) { afterExpandNode_ = std::move(handler); }
    const TILTreeNodeEvent& AfterCollapseNode() const { return afterCollapseNode_; }
    void SetAfterCollapseNode(TILTreeNodeEvent handler) { afterCollapseNode_ = std::move(handler); }
    const TILTreeNodeParentEvent& OnAddNode() const { return onAddNode_; }
    void SetOnAddNode(TILTreeNodeParentEvent handler) { onAddNode_ = std::move(handler); }
    const TILTreeNodeParentEvent& OnRemoveNode() const { return onRemoveNode_; }
    void SetOnRemoveNode(TILTreeNodeParentEvent handler) { onRemoveNode_ = std::move(handler); }
    const TILTreeNodeParentEvent& OnNodeChangeParent() const { return onNodeChangeParent_; }
    void SetOnNodeChangeParent(TILTreeNodeParentEvent handler) { onNodeChangeParent_ = std::move(handler); }
    const TILTreeNotifyEvent& OnCopy() const { return onCopy_; }
    void SetOnCopy(TILTreeNotifyEvent handler) { onCopy_ = std::move(handler); }
    const TILTreeAutoEditVerifyEvent& OnAutoEditVerify() const { return onAutoEditVerify_; }
    void SetOnAutoEditVerify(TILTreeAutoEditVerifyEvent handler) { onAutoEditVerify_ = std::move(handler); }
    const TILTreeMouseNodeChangeEvent& OnMouseNodeChange() const { return onMouseNodeChange_; }
    void SetOnMouseNodeChange(TILTreeMouseNodeChangeEvent handler) { onMouseNodeChange_ = std::move(handler); }
    const TILTreeMouseColumnChangeEvent& OnMouseColumnChange() const { return onMouseColumnChange_; }
    void SetOnMouseColumnChange(TILTreeMouseColumnChangeEvent handler) { onMouseColumnChange_ = std::move(handler); }
    const TILTreeNodeResizeEvent& OnNodeResize() const { return onNodeResize_; }
    void SetOnNodeResize(TILTreeNodeResizeEvent handler) { onNodeResize_ = std::move(handler); }
    const TILTreeCanResizeNodeEvent& OnCanResizeNode() const { return onCanResizeNode_; }
    void SetOnCanResizeNode(TILTreeCanResizeNodeEvent handler) { onCanResizeNode_ = std::move(handler); }
    const TILTreeColumnResizeEvent& OnColumnResize() const { return onColumnResize_; }
    void SetOnColumnResize(TILTreeColumnResizeEvent handler) { onColumnResize_ = std::move(handler); }
    const TILTreeColumnEvent& AfterColumnResize() const { return afterColumnResize_; }
    void SetAfterColumnResize(TILTreeColumnEvent handler) { afterColumnResize_ = std::move(handler); }
    const TILTreeEditControlEvent& OnSetInlineEditProperties() const { return onSetInlineEditProperties_; }
    void SetOnSetInlineEditProperties(TILTreeEditControlEvent handler)
    {
        onSetInlineEditProperties_ = std::move(handler);
    }
    const TILTreeEditControlEvent& OnEditCreate() const { return onEditCreate_; }
    void SetOnEditCreate(TILTreeEditControlEvent handler) { onEditCreate_ = std::move(handler); }
    const fw::NotifyEvent& OnEditChange() const { return onEditChange_; }
    void SetOnEditChange(fw::NotifyEvent handler) { onEditChange_ = std::move(handler); }
    const fw::NotifyEvent& OnEditEnter() const { return onEditEnter_; }
    void SetOnEditEnter(fw::NotifyEvent handler) { onEditEnter_ = std::move(handler); }
    const fw::NotifyEvent& OnEditExit() const { return onEditExit_; }
    void SetOnEditExit(fw::NotifyEvent handler) { onEditExit_ = std::move(handler); }
    const fw::KeyEvent& OnEditKeyDown() const { return onEditKeyDown_; }
    void SetOnEditKeyDown(fw::KeyEvent handler) { onEditKeyDown_ = std::move(handler); }
    const fw::KeyEvent& OnEditKeyUp() const { return onEditKeyUp_; }
    void SetOnEditKeyUp(fw::KeyEvent handler) { onEditKeyUp_ = std::move(handler); }
    const fw::KeyPressEvent& OnEditKeyPress() const { return onEditKeyPress_; }
    void SetOnEditKeyPress(fw::KeyPressEvent handler) { onEditKeyPress_ = std::move(handler); }

    // --- Input (the scroll window passes its input on to these) ------------------------------
    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseMove(fw::ShiftState shift, int x, int y) override;
    void MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void CMMouseLeave(fw::Message& message) override;
    void KeyDown(int& key, fw::ShiftState shift) override;
    void Resize() override;
    void Loaded() override;
    // Brings the layout up to date before painting.
    void Update() override;
    void Dispatch(fw::Message& message) override;

    // --- Inline editing, clicks, key search, hints, dragging ---
    // Implemented in tree_inline_edit.cpp, tree_clicks.cpp, tree_key_search.cpp,
    // tree_hints.cpp and tree_drag.cpp. The settings, the editor, the hint window, the drag
    // objects and the timers are made on first use.
    TILTreeInlineEditSettings* InlineEdit() const;
    void SetInlineEdit(const TILTreeInlineEditSettings* value);

    // Opens the inline editor on the cell. Modal (without iltEditAllowTab): runs the
    // application's messages until the edit ends and answers whether it was accepted.
    // Modeless: answers false at once and the editor stays open.
    bool EditCell(TILTreeNode* node, int columnIndex, int x, int y);
    // False for a column that does not exist or is hidden; else OnCanEditInline (true when
    // unassigned).
    bool CanEditCell(TILTreeNode* node, int columnIndex);
    // 0 idle, 1 editing, 2 cancelled, 3 accepted.
    int EditState() const { return editState_; }
    bool Editing() const { return inlineEditor_ != nullptr && editState_ == 1; }
    TILTreeInlineEdit* InlineEditor() const { return inlineEditor_; }
    // Whether the open editor shows the node's cell in that column (its draw data is DrawEdit).
    bool IsEditingCell(const TILTreeNode* node, int columnIndex) const;
    // Ends an open edit (reported through OnEditAcceptInline / OnEditCancelInline); answers
    // false when a verify handler kept it open. Nothing happens without an open edit.
    bool AcceptInlineEdit(bool forced);
    void CancelInlineEdit();
    // Puts the open editor over its cell again (after scrolling).
    void PlaceInlineEditor();
    // The next (previous) editable cell after the one given, by InlineEdit's TabDir; node and
    // columnIndex are changed only when one is found.
    bool FindNextEditableCell(TILTreeNode*& node, int& columnIndex);
    bool FindPreviousEditableCell(TILTreeNode*& node, int& columnIndex);

    void Click() override;
    void DblClick() override;
    void KeyPress(char32_t& key) override;
    // Clears the key search before focusing.
    void SetFocus() override;
    const std::string& KeySearchText() const { return keySearchText_; }
    void ClearKeySearch() { keySearchText_.clear(); }

    // Hints: removes a pending hint (timer and window); starts the hint timer for a cell
    // (tree coordinates, inclusive); removes the hint window unless it lies under the point.
    void RemoveHint();
    void StartHintTimer(const fw::Rect& cellRect);
    // The cell (or heading cell) the hint timer was last started for.
    const fw::Rect& HintCellRect() const { return hintCellRect_; }
    void RemoveHintUnlessAt(int x, int y);
    bool HintTimerRunning() const;
    bool HasHintWindow() const { return hintWindow_ != nullptr; }
    TILTreeCellHintWindow* HintWindow() const { return hintWindow_.get(); }
    // What the hint timer shows when it fires, for the point: false when no hint shows.
    bool HintForPoint(int x, int y, std::string& hint, fw::Rect& cellRect, int& textLeft);

    // The auto-expand timer of hovering.
    void StartExpandTimer();
    void StopExpandTimer();
    bool ExpandTimerRunning() const;
    // The postponed click decision (the double-click time).
    void StopClickTimer();
    bool ClickTimerRunning() const;
    // Whether the point (tree coordinates) lies on the node's expand button.
    bool HitsExpandButton(TILTreeNode* node, int x, int y) const;

    void DragOver(fw::Object* source, int x, int y, fw::DragState state, bool& accept) override;
    void DragDrop(fw::Object* source, int x, int y) override;
    void DoStartDrag(fw::DragObject*& dragObject) override;
    void DoEndDrag(fw::Object* target, int x, int y) override;
    // The drag object of the node drag in progress, none.
    TILTreeDragControlObject* NodeDragObject() const { return dragObject_.get(); }
    bool DragScrollTimerRunning() const;

    // The handlers of the posted messages 12136 to 12139 and 12141.
    void HandleAcceptEditMessage(fw::Message& message);
    void HandleCancelEditMessage(fw::Message& message);
    void HandleEditNextMessage(fw::Message& message, bool forward);
    void HandleFreeHintMessage(fw::Message& message);

    // Cancels a node drag in progress and frees the editor, the hint window, the drag objects
    // and the timers of the interaction; the destructor calls it first.
    void ShutDownInteraction();
    // Forgets the node and its subtree in the interaction's own state (edited, clicked,
    // dragged, dropped and posted nodes).
    void ForgetNodeInInteraction(TILTreeNode* node);

private:
    friend class TILTreeInlineEdit;
    friend class TILTreeDragControlObject;

    // Work posted to the tree by the editor (12136 to 12139), waiting for its message.
    struct PendingEditWork {
        int Msg = 0;
        TILTreeNode* Node = nullptr;
        int Column = -1;
        fw::WeakRef<TILTreeInlineEdit> Editor;
        bool Report = false;
    };
    // A click whose decision waits for the double-click time.
    struct PendingClick {
        TILTreeNode* Node = nullptr;
        int Column = -1;
        fw::Point Point{-1, -1};
        fw::ShiftState Shift;
    };

    void PostEditWork(int msg, TILTreeNode* node, int column, TILTreeInlineEdit* editor, bool report);
    bool TakeEditWork(int msg, PendingEditWork& work);
    void EndEditorOf(const PendingEditWork& work);
    TILTreeInlineEdit* OpenEditor(TILTreeNode* node, int columnIndex, int x, int y);
    void FreeEditor(TILTreeInlineEdit* editor);
    void ScrollCellIntoView(TILTreeNode* node, TILTreeColumnData* column);
    bool NextCellInOrder(TILTreeNode*& node, int& columnIndex, bool forward) const;
    bool FindEditableCell(TILTreeNode*& node, int& columnIndex, bool forward);
    void DecideClick(const PendingClick& click);
    void SelectByClick(TILTreeNode* node, fw::ShiftState shift);
    void ClickTimerFired();
    void HintTimerFired();
    void ShowHintWindow(const std::string& hint, const fw::Rect& cellRect, int textLeft);
    void ExpandTimerFired();
    void UpdateDragScroll(int y);
    void DragScrollTimerFired();
    void StopDragScroll();
    void FreeFinishedDragObjects();
    bool NodeLeaves(const TILTreeNode* remembered, const TILTreeNode* leaving) const;

    // Keeps a node pointer of a running operation safe across the handlers it calls: when the
    // node (or an ancestor) leaves the tree meanwhile, the pointer becomes none.
    class NodeWatch {
    public:
        NodeWatch(TILTree& tree, TILTreeNode*& slot) : tree_(&tree), slot_(&slot)
        {
            tree.watchedNodes_.push_back(slot_);
        }
        // The tree itself may be gone by the end of the scope.
        ~NodeWatch()
        {
            if (TILTree* tree = tree_.Get()) {
                std::erase(tree->watchedNodes_, slot_);
            }
        }
        NodeWatch(const NodeWatch&) = delete;
        NodeWatch& operator=(const NodeWatch&) = delete;

    private:
        fw::WeakRef<TILTree> tree_;
        TILTreeNode** slot_;
    };

    // Shared pointers free their objects wherever the tree is destroyed, whatever is known of
    // their classes there.
    mutable std::shared_ptr<TILTreeInlineEditSettings> inlineEditSettings_;
    TILTreeInlineEdit* inlineEditor_ = nullptr; // owned as a component
    int editState_ = 0;
    std::vector<PendingEditWork> pendingEditWork_;
    std::string keySearchText_;
    std::shared_ptr<TILTreeCellHintWindow> hintWindow_;
    fw::Rect hintCellRect_;
    std::unique_ptr<fw::Timer> hintTimer_;
    std::unique_ptr<fw::Timer> expandTimer_;
    std::unique_ptr<fw::Timer> clickTimer_;
    PendingClick pendingClick_;
    std::unique_ptr<fw::Timer> dragScrollTimer_;
    int dragScrollSteps_ = 0;
    int dragScrollDirection_ = 0;
    std::shared_ptr<TILTreeDragControlObject> dragObject_;
    // Drag objects whose drag ended; freed once the drag layer is done with them.
    std::vector<std::shared_ptr<TILTreeDragControlObject>> finishedDragObjects_;
    std::vector<TILTreeNode*> dropQueue_;
    TILTreeNode* dropTarget_ = nullptr;
    std::vector<TILTreeNode**> watchedNodes_;
    // --- end of the inline editing block ---

public:
    // --- Painting internals the other parts of the tree draw with ---------------------------
    // Draws a cell: background (when asked), borders and content; extents inclusive.
    void DrawCell(fw::Canvas& canvas, TILTreeColumnData* column, TILTreeNode* node, const fw::Rect& extents,
                  bool withBackground);

protected:
    void Paint() override;
    void EraseBackground() override;
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    friend class TILTreeScrollWindow;
    void CreateParts();
    void MarkRowsDirty();
    // Invalidates for a layout change unless the control must already be invalid for it.
    void InvalidateForLayout(bool wasClean);
    // Brings whatever is marked out of date up to date: the visible order of the rows,
    // the scroll bars, the columns, the rows' Tops.
    void LayoutNow();
    void RebuildVisibleOrder();
    void WriteTops();
    void LayoutColumnsNow();
    void LayoutHeadingRows();
    void UpdateScrollBarsNow();
    void FitAutoSizeColumn();
    void UpdateVertBar();
    void UpdateHorzBar();
    void PlaceBarsAndWindow();
    void VertBarScrolled(int scrolledBy);
    void HorzBarScrolled(int scrolledBy);
    // The row's index in the visible order, -1 for a node that is not a laid-out row.
    int RowIndexOf(const TILTreeNode* node) const;
    // The first row whose bottom reaches y (tree coordinates), rows_.size() when none.
    std::size_t FirstRowReaching(int y) const;
    int RowTop(std::size_t index) const;
    int RowBottom(std::size_t index) const;
    bool RowIsCut(std::size_t index) const;

    void PaintPass(fw::Canvas& canvas, int flags, const fw::Rect& area);
    void PaintRow(fw::Canvas& canvas, TILTreeNode* node, int flags, const fw::Rect& area);
    void PaintHeadings(fw::Canvas& canvas, int flags, const fw::Rect& area);
    void PaintHeadingCell(fw::Canvas& canvas, TILTreeColumnData* column, int headingRow);
    void PaintTreeColumnDecoration(fw::Canvas& canvas, TILTreeNode* node, const fw::Rect& extents,
                                   const TILTreeColumnDrawData& drawData);
    void DrawExpandButton(fw::Canvas& canvas, fw::Point centre, int form);
    void MirrorToScrollWindow(const fw::Rect& area);
    bool CanPaintNow() const;

    void FindEdges(int x, int y);
    void DrawResizeLine();
    void EndResize(bool apply);
    void ShowPopupAt(int x, int y);
    void HandleNavigationKey(int& key, fw::ShiftState shift);
    void SelectForKey(TILTreeNode* node, fw::ShiftState shift, int placement);
    void PageUp(bool plainScroll);
    void PageDown(bool plainScroll);

    void SetSelectionFlags(const std::vector<TILTreeNode*>& nodes, bool selected);
    void CompactSelection() const;
    void ForgetRemembered(TILTreeNode* node);

    // Parts and owned settings.
    TILTreeNode* root_ = nullptr;
    std::unique_ptr<TILTreeColumnList> columns_;
    std::unique_ptr<TILTreeColumnHeadingData> headings_;
    std::unique_ptr<TILTreeColumnDrawData> defaultDrawNormal_;
    std::unique_ptr<TILTreeColumnDrawData> defaultDrawSelect_;
    std::unique_ptr<TILTreeColumnDrawData> drawEdit_;
    std::unique_ptr<TILTreeButtonIcons> buttonIcons_;
    std::unique_ptr<TILScrollBarProperties> horzScrollProp_;
    std::unique_ptr<TILScrollBarProperties> vertScrollProp_;
    TILTreeScrollWindow* scrollWindow_ = nullptr; // owned as a component
    TILTreeScrollBar* horzBar_ = nullptr;         // owned as a component
    TILTreeScrollBar* vertBar_ = nullptr;         // owned as a component

    // Property values.
    TScrollStyle scrollStyle_ = TScrollStyle::ssBoth;
    bool autoScroll_ = true;
    int fixedColumns_ = 0;
    int treeColumn_ = 0;
    int indent_ = 16;
    fw::ImageList* icons_ = nullptr;
    int iconMargin_ = 4;
    std::uint16_t defaultNodeHeight_ = 16;
    int defaultColoursID_ = 0;
    fw::Color colourLine_ = 0x808080;
    fw::Color colourButton_ = 0xFFFFFF;
    TILTreeDisplayOptions options_ = TILTreeDisplayOptions::FromBits(TILTreeDefaultOptionBits);
    fw::Pen gridPen_{0x808080, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    int autoExpandDelay_ = 750;

    // Run-time state.
    int updateCount_ = 0;
    // The selection in the order added; removed entries stay as holes until compacted, so
    // that taking one node out of a large selection costs no shifting.
    mutable std::vector<TILTreeNode*> selection_;
    mutable std::unordered_map<const TILTreeNode*, std::size_t> selectionSlots_;
    bool selectionChanging_ = false;
    TILTreeColumnData* sortColumn_ = nullptr;
    int lastSortedColumn_ = -1;
    TILTreeInteractionMode interactionMode_ = TILTreeInteractionMode::None;
    TILTreeColumnData* edgeColumn_ = nullptr;
    TILTreeHeadingRow* edgeHeadingRow_ = nullptr;
    TILTreeNode* edgeNode_ = nullptr;
    int resizeAnchor_ = 0;
    int resizeLine_ = 0;
    bool resizeLineDrawn_ = false;
    TILTreeNode* dragNode_ = nullptr;
    TILTreeNode* mouseNode_ = nullptr;
    TILTreeColumnData* mouseColumn_ = nullptr;
    fw::Point lastMousePoint_{-1, -1};
    fw::ShiftState lastShiftState_;
    TILTreeDefaultColourScheme* colourScheme_ = nullptr;
    bool cornerImageShown_ = false;
    std::unordered_set<const TILTreeNode*> pendingRepaints_;
    // Objects whose freeing was posted (12145); the tree frees what is left when it goes.
    std::vector<fw::Object*> pendingFrees_;
    // Nodes seen with embedded cell controls, so that showing and hiding them needs no walk
    // over the whole tree.
    std::unordered_set<TILTreeNode*> cellControlNodes_;

    // The lazy layout: the shown rows in visible order with their offsets from the first
    // row's top, rebuilt when the structure changed. A row's top is worked out when asked
    // (rowsOrigin_ follows the scroll position), and each node holds the key of its row
    // (rowKeyBase_ plus its place), so that a row put at the front moves the others by
    // offsetShift_ and rowKeyBase_ rather than by a write into each.
    std::vector<TILTreeNode*> rows_;
    std::vector<int> rowOffsets_;
    int rowsOrigin_ = 0;
    int offsetShift_ = 0;
    int rowKeyBase_ = 0;
    // The place of the node's row in rows_, -1 when it is no laid-out row.
    int LaidOutRow(const TILTreeNode& node) const;
    bool rowsDirty_ = true;
    bool topsDirty_ = true;
    bool barsDirty_ = true;
    bool columnsDirty_ = true;
    bool layingOut_ = false;
    bool placementsMoved_ = false;
    int contentRowsHeight_ = 0;
    // The clip of the painting under way, cut to the content area: what every cell's own
    // clip is restored to.
    std::optional<fw::Region> paintClip_;

    // Events.
    TILTreeNodeEvent onDrawNode_;
    TILTreeCanSelectNodeEvent onCanSelectNode_;
    TILTreeNodeEvent onSelectNode_;
    TILTreeNodeEvent onDeselectNode_;
    TILTreeEditTextEvent onEditGetText_;
    TILTreeEditTextEvent onEditSetText_;
    TILTreeEditResultEvent onEditAcceptInline_;
    TILTreeEditResultEvent onEditCancelInline_;
    TILTreeCanEditInlineEvent onCanEditInline_;
    TILTreeGetHintEvent onGetHint_;
    TILTreeCanDragNodeEvent onCanDragNode_;
    TILTreeCanReceiveNodeEvent onCanReceiveNode_;
    TILTreeDropNodeEvent onDropNode_;
    TILTreeNodePopupEvent beforeNodePopup_;
    TILTreeTreePopupEvent beforeTreePopup_;
    TILTreeHeaderPopupEvent beforeHeaderPopup_;
    TILTreeHeaderFontEvent onGetHeaderFont_;
    TILTreeHeaderBackEvent onGetHeaderBack_;
    TILTreeNodeEvent onNodeDblClick_;
    TILTreeNodeEvent onNodeClick_;
    TILTreeGetDrawDataEvent onGetDrawData_;
    TILTreeDrawCellEvent beforeDrawCell_;
    TILTreeDrawCellEvent afterDrawCell_;
    TILTreeOverrideFontEvent onOverrideFont_;
    TILTreeOverrideBackEvent onOverrideBack_;
    TILTreeBeforeNodeEvent beforeExpandNode_;
    TILTreeBeforeNodeEvent beforeCollapseNode_;
    TILTreeNodeEvent afterExpandNode_;
    TILTreeNodeEvent afterCollapseNode_;
    TILTreeNodeParentEvent onAddNode_;
    TILTreeNodeParentEvent onRemoveNode_;
    TILTreeNodeParentEvent onNodeChangeParent_;
    TILTreeNotifyEvent onCopy_;
    TILTreeAutoEditVerifyEvent onAutoEditVerify_;
    TILTreeMouseNodeChangeEvent onMouseNodeChange_;
    TILTreeMouseColumnChangeEvent onMouseColumnChange_;
    TILTreeNodeResizeEvent onNodeResize_;
    TILTreeCanResizeNodeEvent onCanResizeNode_;
    TILTreeColumnResizeEvent onColumnResize_;
    TILTreeColumnEvent afterColumnResize_;
    TILTreeEditControlEvent onSetInlineEditProperties_;
    TILTreeEditControlEvent onEditCreate_;
    fw::NotifyEvent onEditChange_;
    fw::NotifyEvent onEditEnter_;
    fw::NotifyEvent onEditExit_;
    fw::KeyEvent onEditKeyDown_;
    fw::KeyEvent onEditKeyUp_;
    fw::KeyPressEvent onEditKeyPress_;
};

// Holds a tree's update bracket for a scope: the bracket closes however the scope ends, so
// an error inside it leaves the tree painting again.
class TILTreeUpdateBracket {
public:
    explicit TILTreeUpdateBracket(TILTree* tree, bool acceptEdit = true, bool relayout = true);
    ~TILTreeUpdateBracket();
    TILTreeUpdateBracket(const TILTreeUpdateBracket&) = delete;
    TILTreeUpdateBracket& operator=(const TILTreeUpdateBracket&) = delete;

private:
    fw::WeakRef<TILTree> tree_;
    bool relayout_;
};
