#pragma once

#include <cstdint>
#include <string>

#include "framework/core/object.h"
#include "framework/gui/enum_set.h"
#include "framework/gui/message.h"
#include "framework/gui/std_edit.h"
#include "treegrid/tree_grid.h"

class TILTree;
class TILTreeNode;
class TILTreeColumnData;

// --- Settings ------------------------------------------------------------------------------------

enum class TILTreeInlineEditOption : std::uint8_t {
    iltEditOnClick = 0,            // a click on an unselected cell edits it at once (with iltAutoEdit)
    iltEditAllowTab = 1,           // editing is modeless and Tab moves to the next editable cell
    iltEditCancelFailedAccept = 2, // a refused accept cancels the edit instead of keeping it open
    iltEditAutoScroll = 3,         // the cell is scrolled into view before the editor opens
};
using TILTreeInlineEditOptions = fw::EnumSet<TILTreeInlineEditOption>;

// Which way Tab walks through the editable cells.
enum class TILTreeInlineEditTabDir : std::uint8_t {
    iltEditTabDirAcross = 0, // along the row, then on to the next row
    iltEditTabDirDown = 1,   // down the column, then on to the next column
};

// The tree's inline-edit options (its InlineEdit property).
class TILTreeInlineEditSettings : public fw::Persistent {
public:
    TILTreeInlineEditSettings() = default;

    std::string_view className() const override { return "TILTreeInlineEditSettings"; }
    fw::Object* NewInstance() const override { return new TILTreeInlineEditSettings; }

    TILTreeInlineEditOptions Options() const { return options_; }
    void SetOptions(TILTreeInlineEditOptions options) { options_ = options; }
    bool HasOption(TILTreeInlineEditOption option) const { return options_.Contains(option); }
    TILTreeInlineEditTabDir TabDir() const { return tabDir_; }
    void SetTabDir(TILTreeInlineEditTabDir tabDir) { tabDir_ = tabDir; }

    void Assign(const fw::Persistent* source) override;

private:
    TILTreeInlineEditOptions options_;
    TILTreeInlineEditTabDir tabDir_ = TILTreeInlineEditTabDir::iltEditTabDirAcross;
};

// --- The editor ----------------------------------------------------------------------------------

// The single-line editor a tree opens over one cell. It is made per edit, owned by the tree
// (a component of it), without a frame and without auto size, in the font of the tree's
// DrawEdit. It carries copies of the tree's edit events, taken when it is made: the change,
// enter, exit and key events become its own, and the text events serve Accept.
//
// Enter accepts, Esc cancels; with iltEditAllowTab, Tab (Shift+Tab) accepts and moves the edit
// to the next (previous) editable cell. Losing the focus accepts with force. How an edit ends
// reaches the tree as a posted message, so the editor is never freed inside its own handlers.
class TILTreeInlineEdit : public fw::Edit {
public:
    explicit TILTreeInlineEdit(TILTree* tree);
    ~TILTreeInlineEdit() override;

    std::string_view className() const override { return "TILTreeInlineEdit"; }

    TILTree* Tree() const { return tree_; }
    // The cell being edited; the node is none once it has left the tree.
    TILTreeNode* Node() const { return node_; }
    int ColumnIndex() const { return columnIndex_; }
    // The column at that index now, none when it has gone.
    TILTreeColumnData* Column() const;
    // The mouse point the edit was opened with (tree coordinates; -1, -1 from code).
    fw::Point MousePoint() const { return mousePoint_; }
    // Points the editor at a cell (nothing is shown or placed yet).
    void SetCell(TILTreeNode* node, int columnIndex, int x, int y);
    // Forgets the node (it left the tree): the edit can only be cancelled from now on.
    void ForgetNode() { node_ = nullptr; }
    // How the edit on the current cell ended: 0 still open, 2 cancelled, 3 accepted.
    int Outcome() const { return outcome_; }
    // A modal edit's editor belongs to its EditCell, which frees it when its loop ends.
    bool Modal() const { return modal_; }
    void SetModal(bool modal) { modal_ = modal; }

    // The height the editor wants: the height of "X" in its font.
    int TextHeightOfFont();

    // Ends the edit by taking its text into the cell. postResult: the tree reports the end
    // through OnEditAcceptInline. forced: a refusing verify handler cancels instead of
    // keeping the edit open. silent: nothing is posted; the caller ends the edit itself.
    // Answers whether the text was taken.
    bool Accept(bool postResult, bool forced, bool silent);
    // Ends the edit without taking its text; postResult: OnEditCancelInline reports it.
    void Cancel(bool postResult);

    // The copies of the tree's events, as the editor was made with them.
    const TILTreeEditTextEvent& OnEditGetText() const { return onEditGetText_; }
    const TILTreeEditTextEvent& OnEditSetText() const { return onEditSetText_; }
    const TILTreeAutoEditVerifyEvent& OnAutoEditVerify() const { return onAutoEditVerify_; }

    void KeyDown(int& key, fw::ShiftState shift) override;
    void DoExit() override;

private:
    TILTree* tree_;
    TILTreeNode* node_ = nullptr;
    int columnIndex_ = -1;
    fw::Point mousePoint_{-1, -1};
    int outcome_ = 0;
    bool modal_ = false;
    TILTreeEditTextEvent onEditGetText_;
    TILTreeEditTextEvent onEditSetText_;
    TILTreeAutoEditVerifyEvent onAutoEditVerify_;
};
