#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/object.h"
#include "treegrid/tree_cell.h"

class TILTree;
class TILTreeNode;
class TILTreeColumnData;
class TILTreeColumnDrawData;

// Bits of a node's DrawFlags.
inline constexpr std::uint8_t iltDrawOverrideFont = 1; // the tree asks OnOverrideFont for the row's cells
inline constexpr std::uint8_t iltDrawOverrideBack = 2; // it asks OnOverrideBack and always fills them

// Bits of a node's Flags.
inline constexpr std::uint8_t iltNodeHidden = 1;   // not shown, skipped by navigation
inline constexpr std::uint8_t iltNodeNoResize = 2; // the user cannot resize the row

// A node's State.
enum TILTreeNodeState : std::uint8_t {
    iltNodeNormal = 0,
    iltNodeBusy = 1,       // cannot be expanded or collapsed
    iltNodeExpandable = 2, // double clicks and the expand timer treat it as having children
};

// Asked once per node by ExpandAll; false leaves the node and its subtree alone.
using TILTreeExpandCallback = std::function<bool(TILTreeNode* node)>;
// Negative, zero or positive as the first node sorts before, with or after the second.
using TILTreeNodeCompare = std::function<int(TILTreeNode* node1, TILTreeNode* node2)>;

// The module-wide factor every row height passes through.
double TreeScreenFactor();
void SetTreeScreenFactor(double factor);
// The height of a new node before any tree gives it its own default.
inline constexpr int TreeDefaultNodeHeight = 16;

// One row of a tree-grid: one text per column, optional cell settings, an application
// object, a tag, its own height, and its expanded, selected and hidden state. A node owns
// its children; a node in a tree shares that tree with all its descendants.
//
// A node keeps its index among its siblings, so the visible-order walks and index lookups
// cost nothing per step, however many siblings there are. The index is kept as a key less
// the parent's first key: a node moved to the front lowers that key, so the siblings after
// it need no renumbering (a list that shows its newest row first stays cheap however long).
class TILTreeNode : public fw::Persistent {
public:
    // A detached node with the defaults: height 16 (through the screen factor), no image,
    // level 0, tag 0, state normal.
    TILTreeNode();
    // A new node attached to the parent; its height comes from the parent's tree when there
    // is one. Subclasses attach through Create, so that the tree's events see a finished
    // object.
    explicit TILTreeNode(TILTreeNode* parent);
    // Frees the children (last first), leaves the parent (unless the tree is being freed),
    // and frees the cells, the font and, when owned, the object.
    ~TILTreeNode() override;

    // A new node of the given class (made with the arguments), then attached as the
    // plain constructor attaches: the height from the parent's tree, then SetParent.
    template <class Node = TILTreeNode, class... Args>
    static Node* Create(TILTreeNode* parent, Args&&... args)
    {
        auto* node = new Node(std::forward<Args>(args)...);
        node->AttachNew(parent);
        return node;
    }

    std::string_view className() const override { return "TILTreeNode"; }
    fw::Object* NewInstance() const override { return new TILTreeNode; }

    // From another node, inside the tree's update bracket: drops own children, copies height,
    // image, index among siblings, draw flags, cells, object (not its ownership: the copy
    // only refers to it), tag, font, cell infos and state, copies every child recursively,
    // and last takes Expanded. Anything else raises "Cannot assign a ... to a ...".
    void Assign(const fw::Persistent* source) override;

    // --- Structure --------------------------------------------------------------------------
    TILTreeNode* Parent() const { return parent_; }
    TILTree* Tree() const { return tree_; }
    // Moves the node under another parent (none detaches it), with the events and layout
    // this brings.
    void SetParent(TILTreeNode* newParent);
    int GetCount() const { return static_cast<int>(children_.size()); }
    // None outside the range.
    TILTreeNode* GetItem(int index) const;
    const std::vector<TILTreeNode*>& Children() const { return children_; }
    bool HasChildren() const { return !children_.empty(); }
    // -1 without a parent.
    int GetIndex() const { return parent_ != nullptr ? index_ - parent_->firstChildKey_ : -1; }
    // Moves the node among its siblings; ignored for an invalid or unchanged index.
    void SetIndex(int index);
    bool IsDescendantOf(const TILTreeNode* node) const;
    int Level() const { return level_; }
    bool IsRoot() const { return isRoot_; }
    // Marks the tree's root node; only the tree does this, once.
    void MakeRoot(TILTree* tree);

    // --- Searching ------------------------------------------------------------------------
    // The first child (depth first when recursive) whose Tag equals.
    TILTreeNode* FindByTag(int tag, bool recursive) const;
    // The first child whose cell text equals; a child's subtree is searched (when recursive)
    // before the next sibling. An empty text finds nothing.
    TILTreeNode* FindByText(int column, std::string_view text, bool caseSensitive, bool recursive) const;
    // This node or the first descendant, depth first, whose Object is the object.
    TILTreeNode* FindByObject(const fw::Object* object);

    // --- Cells ------------------------------------------------------------------------------
    // "" for a negative column or one beyond the cells.
    std::string GetCellText(int column) const;
    const std::string& CellTextRef(int column) const;
    // Ignored for a negative column; grows the cells with empty texts up to the column and
    // repaints the row (not for the root).
    void SetCellText(int column, std::string text);
    int CellCount() const { return static_cast<int>(cells_.size()); }
    // The cell of the tree's TreeColumn (column 0 without a tree).
    std::string GetText() const;
    void SetText(std::string text);
    // By the column's ID; without a tree "" and nothing.
    std::string GetCellTextByName(std::string_view name) const;
    void SetCellTextByName(std::string_view name, std::string text);

    bool HasCellInfo(int column) const;
    // On puts a new cell info in the slot (growing the slots); off frees it.
    void SetHasCellInfo(int column, bool on);
    // None for a negative column, otherwise the info, made on demand.
    TILTreeCellInfo* GetCellInfo(int column);
    // The info when there is one; never makes one.
    TILTreeCellInfo* FindCellInfo(int column) const;
    int CellInfoCount() const { return static_cast<int>(cellInfos_.size()); }
    bool HasCellFont(int column) const;
    // Sets the cell's own-font flag and returns its font.
    fw::Font& GetCellFont(int column);

    // --- Row state ----------------------------------------------------------------------------
    bool Expanded() const { return expanded_; }
    virtual void SetExpanded(bool value);
    bool Selected() const { return selected_; }
    void SetSelected(bool value);
    std::uint8_t DrawFlags() const { return drawFlags_; }
    void SetDrawFlags(std::uint8_t flags) { drawFlags_ = flags; }
    // The row's top in tree coordinates. The tree lays rows out lazily: asking brings its
    // layout up to date first. A node that is no laid-out row answers what SetTop gave it.
    int Top() const;
    void SetTop(int top) { top_ = top; }
    int Height() const { return height_; }
    // Height := value x screen factor, rounded, at least 1.
    void SetHeight(int value);
    // The height exactly as given (already scaled), at least 1: for the tree's layout.
    void SetScaledHeight(int height) { height_ = height < 1 ? 1 : height; }
    int Bottom() const { return Top() + height_ - 1; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    bool ExpandingAll() const { return expandingAll_; }
    std::uint8_t State() const { return state_; }
    void SetState(std::uint8_t state) { state_ = state; }
    std::uint8_t Flags() const { return flags_; }
    void SetFlags(std::uint8_t flags) { flags_ = flags; }
    bool Hidden() const { return (flags_ & iltNodeHidden) != 0; }
    // The root is never hidden.
    void SetHidden(bool hidden);
    int IndentOffset() const { return indentOffset_; }
    void SetIndentOffset(int offset) { indentOffset_ = offset; }
    // A slot for the tree's layout: the key of the row's place in its list of shown rows (the
    // tree tells a stale key by the row it names), so that finding a node's row needs no
    // lookup table.
    int RowIndex() const { return rowIndex_; }
    void SetRowIndex(int index) { rowIndex_ = index; }

    fw::Object* Object() const { return object_; }
    void SetObject(fw::Object* object) { object_ = object; }
    bool OwnsObject() const { return ownsObject_; }
    void SetOwnsObject(bool owns) { ownsObject_ = owns; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // The node's own font, none until asked for.
    fw::Font* Font() const { return font_.get(); }
    fw::Font& GetFont();
    void FreeFont() { font_.reset(); }

    // --- Visibility and visible order ---------------------------------------------------------
    // Has a parent, is not the root, is not hidden, and its parent is the root or is
    // expanded and shown.
    bool IsShown() const;
    TILTreeNode* FirstVisibleChild() const;
    TILTreeNode* LastVisibleChild() const;
    // The next node in visible order: skips hidden nodes and the children of collapsed
    // nodes; none past the last one.
    TILTreeNode* NextVisible() const;
    // The previous one, stepping into the last visible descendant of an expanded previous
    // sibling; none before the first (never the root).
    TILTreeNode* PrevVisible() const;
    // The same, skipping nodes the tree's selection test (asked as multiple or not) refuses.
    TILTreeNode* NextSelectable(bool multi = false) const;
    TILTreeNode* PrevSelectable(bool multi = false) const;
    // The nearest following (preceding) sibling that is not hidden; none.
    TILTreeNode* NextVisibleSibling() const;
    TILTreeNode* PrevVisibleSibling() const;
    // The last visible descendant in visible order (the node itself when it shows none).
    TILTreeNode* LastVisibleDescendant() const;

    // Own height (0 for the root) and grid width, plus the children's totals when expanded
    // or root.
    int GetTotalHeight() const;
    bool IsInView() const;
    bool IsPartlyInView() const;

    // --- Operations ---------------------------------------------------------------------------
    void Repaint();
    void ExpandAll(const TILTreeExpandCallback& callback = {});
    void AutoSizeRow(int column, int minHeight, int extraTop, int extraBottom, bool resize, bool recursive);
    // The cell texts joined by tabs, the tree column indented by two spaces per level below
    // the first; hidden and surplus columns only with includeHidden.
    virtual std::string GetRowText(bool includeHidden) const;
    // Sorts the children with the comparison; without one, sets the tree's last sorted
    // column to its TreeColumn and compares that column's texts ignoring case. Recursive
    // sorts every level below too.
    void SortChildren(const TILTreeNodeCompare& compare = {}, bool recursive = false);

    // --- Hooks for subclasses and the tree's painting and clicks ---------------------------------
    virtual void DoDrawNode();
    virtual void DoBeforeDrawCell(fw::Canvas& canvas, TILTreeColumnData* column, const fw::Rect& extents,
                                  TILTreeColumnDrawData* drawData);
    virtual void DoAfterDrawCell(fw::Canvas& canvas, TILTreeColumnData* column, const fw::Rect& extents,
                                 TILTreeColumnDrawData* drawData);
    virtual void DoClick();
    virtual void DoDblClick();
    // The tree's OnCanSelectNode; true without a tree or handler.
    virtual bool CanSelect(bool multi);

protected:
    // Gives a freshly made node its tree's default height and attaches it (the second half
    // of construction).
    void AttachNew(TILTreeNode* parent);
    // Recomputes Level for the node and its subtree.
    void UpdateLevels();

private:
    friend class TILTreeSorter;
    void ReplaceChildren(std::vector<TILTreeNode*> ordered);
    void RenumberChildren(int from);
    void TakeChild(TILTreeNode* child);
    void SetTreeOfSubtree(TILTree* tree);
    bool TreeIsDestroying() const;

    std::vector<TILTreeNode*> children_;
    TILTreeNode* parent_ = nullptr;
    TILTree* tree_ = nullptr;
    std::vector<std::unique_ptr<TILTreeCellInfo>> cellInfos_;
    std::vector<std::string> cells_;
    std::unique_ptr<fw::Font> font_;
    fw::Object* object_ = nullptr;
    int index_ = -1;
    // The key of the first child: a child's index is its key less this.
    int firstChildKey_ = 0;
    int top_ = 0;
    int height_ = 16;
    int imageIndex_ = -1;
    int level_ = 0;
    int tag_ = 0;
    int indentOffset_ = 0;
    int rowIndex_ = -1;
    bool expanded_ = false;
    bool isRoot_ = false;
    bool selected_ = false;
    bool expandingAll_ = false;
    bool ownsObject_ = false;
    std::uint8_t drawFlags_ = 0;
    std::uint8_t state_ = iltNodeNormal;
    std::uint8_t flags_ = 0;
};
