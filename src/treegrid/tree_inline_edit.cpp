#include "treegrid/tree_inline_edit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/timer.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_messages.h"
#include "treegrid/tree_node.h"

// --- Settings ------------------------------------------------------------------------------------

void TILTreeInlineEditSettings::Assign(const fw::Persistent* source)
{
    if (const auto* settings = dynamic_cast<const TILTreeInlineEditSettings*>(source)) {
        options_ = settings->options_;
        tabDir_ = settings->tabDir_;
        return;
    }
    fw::Persistent::Assign(source);
}

// --- The editor ----------------------------------------------------------------------------------

TILTreeInlineEdit::TILTreeInlineEdit(TILTree* tree) : fw::Edit(tree), tree_(tree)
{
    SetBorderStyle(fw::EditBorderStyle::None);
    SetAutoSize(false);
    SetVisible(false);
    // Its own font from the start, so a parent's font never replaces it.
    SetFont(tree->DrawEdit().Font());
    SetOnChange(tree->OnEditChange());
    SetOnEnter(tree->OnEditEnter());
    SetOnExit(tree->OnEditExit());
    SetOnKeyDown(tree->OnEditKeyDown());
    SetOnKeyPress(tree->OnEditKeyPress());
    SetOnKeyUp(tree->OnEditKeyUp());
    onEditGetText_ = tree->OnEditGetText();
    onEditSetText_ = tree->OnEditSetText();
    onAutoEditVerify_ = tree->OnAutoEditVerify();
    SetHeight(TextHeightOfFont());
}

// Nothing of the tree is touched here: the tree may be half destroyed when its components go.
TILTreeInlineEdit::~TILTreeInlineEdit() = default;

TILTreeColumnData* TILTreeInlineEdit::Column() const
{
    return tree_->GetColumn(columnIndex_);
}

void TILTreeInlineEdit::SetCell(TILTreeNode* node, int columnIndex, int x, int y)
{
    node_ = node;
    columnIndex_ = columnIndex;
    mousePoint_ = fw::Point{x, y};
    outcome_ = 0;
    // Enter and Esc end the edit, so they must reach KeyDown instead of the form; Tab only
    // when it moves the edit.
    int codes = fw::DLGC_WANTALLKEYS;
    if (tree_->InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditAllowTab)) {
        codes |= fw::DLGC_WANTTAB;
    }
    SetExtraDialogCodes(codes);
}

int TILTreeInlineEdit::TextHeightOfFont()
{
    if (fw::PaintBackend* backend = EffectivePaintBackend()) {
        return backend->TextExtent(Font(), "X").Height;
    }
    return std::abs(Font().Height);
}

bool TILTreeInlineEdit::Accept(bool postResult, bool forced, bool silent)
{
    TILTree* tree = tree_;
    if (tree->inlineEditor_ != this || tree->editState_ != 1) {
        return false;
    }
    const fw::WeakRef<TILTreeInlineEdit> self(this);
    const fw::WeakRef<TILTree> treeAlive(tree);
    // Every handler below may end the edit or free the tree, the editor or the node.
    auto stillOpen = [&] { return self && treeAlive && tree->inlineEditor_ == this && tree->editState_ == 1; };

    std::string text = Text();
    // Handlers run from copies: one that frees the tree frees this editor and its events.
    if (const TILTreeAutoEditVerifyEvent verify = onAutoEditVerify_) {
        const bool verified = verify(node_, columnIndex_, text);
        if (!stillOpen()) {
            return false;
        }
        if (!verified) {
            if (forced || tree->InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditCancelFailedAccept)) {
                Cancel(postResult);
            }
            return false;
        }
    }
    if (const TILTreeEditTextEvent setText = onEditSetText_) {
        setText(node_, columnIndex_, text);
        if (!stillOpen()) {
            return false;
        }
    }
    TILTreeNode* node = node_;
    if (node == nullptr) {
        // The row went away while the edit was open: there is no cell to take the text.
        Cancel(postResult);
        return false;
    }
    if (tree->HasOption(TILTreeDisplayOption::iltTrackInlineEdits)) {
        TILTreeCellInfo* info = node->GetCellInfo(columnIndex_);
        if (!info->HasFlag(iltCellEdited)) {
            info->SetText(node->GetCellText(columnIndex_));
        }
        info->SetFlag(iltCellEdited, true);
    }
    const int column = columnIndex_;
    tree->editState_ = 3;
    outcome_ = 3;
    TILTree::NodeWatch watch(*tree, node);
    node->SetCellText(column, text);
    if (!treeAlive) {
        return true;
    }
    if (!silent) {
        tree->PostEditWork(WM_ILTREE_ACCEPTEDIT, node, column, self.Get(), postResult);
    }
    return true;
}

void TILTreeInlineEdit::Cancel(bool postResult)
{
    TILTree* tree = tree_;
    if (tree->inlineEditor_ != this || tree->editState_ != 1) {
        return;
    }
    tree->editState_ = 2;
    outcome_ = 2;
    tree->PostEditWork(WM_ILTREE_CANCELEDIT, node_, columnIndex_, this, postResult);
}

void TILTreeInlineEdit::KeyDown(int& key, fw::ShiftState shift)
{
    const fw::WeakRef<TILTreeInlineEdit> self(this);
    // The application's key handler first: it may take any key, Enter and Esc included.
    fw::Edit::KeyDown(key, shift);
    if (!self || key == 0) {
        return;
    }
    switch (key) {
    case fw::VK_RETURN:
        key = 0;
        Accept(true, false, false);
        break;
    case fw::VK_ESCAPE:
        key = 0;
        Cancel(true);
        break;
    case fw::VK_TAB: {
        TILTree* tree = tree_;
        if (!tree->InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditAllowTab)) {
            break;
        }
        key = 0;
        const bool forward = !shift.Contains(fw::ShiftFlag::Shift);
        TILTreeNode* node = node_;
        int column = columnIndex_;
        if (node == nullptr) {
            break;
        }
        const fw::WeakRef<TILTree> treeAlive(tree);
        TILTree::NodeWatch watch(*tree, node);
        const bool found =
            forward ? tree->FindNextEditableCell(node, column) : tree->FindPreviousEditableCell(node, column);
        if (!self || !treeAlive || !found || node == nullptr) {
            break;
        }
        if (Accept(true, false, false) && treeAlive && node != nullptr) {
            tree->PostEditWork(forward ? WM_ILTREE_EDITNEXT : WM_ILTREE_EDITPREVIOUS, node, column, nullptr,
                               false);
        }
        break;
    }
    default: break;
    }
}

void TILTreeInlineEdit::DoExit()
{
    const fw::WeakRef<TILTreeInlineEdit> self(this);
    fw::Edit::DoExit();
    if (self) {
        Accept(true, true, false);
    }
}

// --- The tree's side of inline editing -----------------------------------------------------------

TILTreeInlineEditSettings* TILTree::InlineEdit() const
{
    if (!inlineEditSettings_) {
        inlineEditSettings_ = std::make_shared<TILTreeInlineEditSettings>();
    }
    return inlineEditSettings_.get();
}

void TILTree::SetInlineEdit(const TILTreeInlineEditSettings* value)
{
    InlineEdit()->Assign(value);
}

bool TILTree::CanEditCell(TILTreeNode* node, int columnIndex)
{
    TILTreeColumnData* column = GetColumn(columnIndex);
    if (column == nullptr || column->IsHidden()) {
        return false;
    }
    // Called through a copy: a handler that frees the tree frees the tree's own copy.
    if (const TILTreeCanEditInlineEvent canEdit = onCanEditInline_) {
        return canEdit(this, node, columnIndex);
    }
    return true;
}

bool TILTree::IsEditingCell(const TILTreeNode* node, int columnIndex) const
{
    return inlineEditor_ != nullptr && editState_ == 1 && node != nullptr && inlineEditor_->Node() == node
           && inlineEditor_->ColumnIndex() == columnIndex;
}

bool TILTree::EditCell(TILTreeNode* node, int columnIndex, int x, int y)
{
    if (node == nullptr || node->Tree() != this || columnIndex < 0 || columnIndex >= GetColumnCount()) {
        return false;
    }
    const fw::WeakRef<TILTree> self(this);
    NodeWatch watch(*this, node);
    const bool canEdit = CanEditCell(node, columnIndex);
    if (!self || node == nullptr || !canEdit) {
        return false;
    }

    if (InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditAllowTab)) {
        // Modeless: whatever waits (the end of the previous edit) goes first, then the
        // editor opens and stays open after this returns.
        fw::App().ProcessMessages();
        if (self && node != nullptr) {
            OpenEditor(node, columnIndex, x, y);
        }
        return false;
    }

    // Modal: an edit still open elsewhere keeps what was typed.
    if (Editing()) {
        AcceptInlineEdit(true);
        if (!self || node == nullptr) {
            return false;
        }
    }
    TILTreeInlineEdit* editor = OpenEditor(node, columnIndex, x, y);
    if (!self || editor == nullptr) {
        return false;
    }
    const fw::WeakRef<TILTreeInlineEdit> editorAlive(editor);
    editor->SetModal(true);
    // The application's messages run until the edit ends. Every round may free the tree
    // (a handler closing its window): then nothing of it is touched any more. Handlers may
    // also start other edits meanwhile; this one's end is read from its own editor.
    while (self && editorAlive && editor->Outcome() == 0) {
        if (fw::App().Terminated()) {
            editor->Cancel(false);
            break;
        }
        fw::App().HandleMessage();
    }
    if (!self) {
        return false;
    }
    const bool accepted = editorAlive && editor->Outcome() == 3;
    if (inlineEditor_ == editor || inlineEditor_ == nullptr) {
        editState_ = 0;
    }
    if (editorAlive) {
        FreeEditor(editorAlive.Get());
    }
    if (node != nullptr) {
        RepaintNode(node);
    }
    return accepted;
}

TILTreeInlineEdit* TILTree::OpenEditor(TILTreeNode* node, int columnIndex, int x, int y)
{
    const fw::WeakRef<TILTree> self(this);
    NodeWatch watch(*this, node);
    // An open editor moves to the new cell; one whose edit has ended waits for its message
    // to free it, and a new one is made.
    TILTreeInlineEdit* editor = Editing() ? inlineEditor_ : nullptr;
    const bool created = editor == nullptr;
    if (created) {
        editor = new TILTreeInlineEdit(this);
        inlineEditor_ = editor;
    }
    const fw::WeakRef<TILTreeInlineEdit> editorAlive(editor);
    auto stillOpen = [&] {
        return self && editorAlive && inlineEditor_ == editor && editState_ == 1 && node != nullptr;
    };
    TILTreeNode* previousNode = created ? nullptr : editor->Node();
    NodeWatch previousWatch(*this, previousNode);
    editor->SetCell(node, columnIndex, x, y);
    editState_ = 1;
    // The cell the editor leaves loses its editing look.
    if (previousNode != nullptr && previousNode != node) {
        RepaintNode(previousNode);
    }
    if (const TILTreeEditControlEvent editCreate = onEditCreate_; created && editCreate) {
        editCreate(this, editor);
        if (!stillOpen()) {
            return nullptr;
        }
    }

    // The row shows the cell in the editing style from now on.
    RepaintNode(node);
    fw::WinControl* parent = columnIndex < FixedColumns() ? static_cast<fw::WinControl*>(this)
                                                           : static_cast<fw::WinControl*>(ScrollWindow());
    if (parent == nullptr) {
        parent = this;
    }
    editor->SetParent(parent);

    std::string text = node->GetCellText(columnIndex);
    if (const TILTreeEditTextEvent getText = editor->OnEditGetText()) {
        getText(node, columnIndex, text);
        if (!stillOpen()) {
            return nullptr;
        }
    }
    // Filling in the text is no change the application needs to hear of.
    fw::NotifyEvent onChange = editor->OnChange();
    editor->SetOnChange({});
    editor->SetText(text);
    editor->SetOnChange(std::move(onChange));
    editor->SetModified(false);

    if (const TILTreeEditControlEvent setProperties = onSetInlineEditProperties_) {
        setProperties(this, editor);
        if (!stillOpen()) {
            return nullptr;
        }
    }
    if (InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditAutoScroll)) {
        ScrollCellIntoView(node, GetColumn(columnIndex));
        if (!stillOpen()) {
            return nullptr;
        }
    }
    PlaceInlineEditor();
    editor->Show();
    if (editor->CanFocus()) {
        editor->SetFocus();
    }
    return stillOpen() ? editor : nullptr;
}

void TILTree::ScrollCellIntoView(TILTreeNode* node, TILTreeColumnData* column)
{
    if (!IsNodeInView(node)) {
        ScrollNodeIntoView(node);
    }
    if (column == nullptr || column->Index() < FixedColumns() || column->IsFullyVisible()) {
        return;
    }
    // A scrolled column: bring its right edge in, but never its left edge under the fixed
    // columns.
    const int fixedWidth = FixedWidth();
    const int lastVisibleX = DataWidth() - 1;
    int by = 0;
    if (column->Left() < fixedWidth) {
        by = column->Left() - fixedWidth;
    } else if (column->Right() > lastVisibleX) {
        by = std::min(column->Right() - lastVisibleX, column->Left() - fixedWidth);
    }
    if (by != 0) {
        ScrollHorizontal(by);
    }
}

void TILTree::PlaceInlineEditor()
{
    TILTreeInlineEdit* editor = inlineEditor_;
    if (editor == nullptr || editState_ != 1) {
        return;
    }
    TILTreeNode* node = editor->Node();
    TILTreeColumnData* column = editor->Column();
    if (node == nullptr || column == nullptr) {
        return;
    }
    editor->SetColor(DrawEdit().Background().Colour());
    fw::Rect cell = CellExtents(node, column);
    if (column->Index() == TreeColumn()) {
        if (TILTreeColumnDrawData* drawData = CellDrawData(column, node)) {
            cell.Left += ComputeIndentOffset(node, *drawData);
        }
    }
    const int cellHeight = cell.Bottom - cell.Top + 1;
    const int height = std::max(0, std::min(editor->TextHeightOfFont(), cellHeight));
    // Centred; the division truncates like the platform's, so an odd spare pixel goes below.
    const int top = cell.Top + (cellHeight - height) / 2;
    fw::Point at{cell.Left, top};
    if (editor->Parent() != nullptr && editor->Parent() != this) {
        at = editor->Parent()->ParentToClient(at);
    }
    editor->SetBounds(at.X, at.Y, std::max(0, cell.Right - cell.Left + 1), height);
    const fw::WeakRef<TILTreeInlineEdit> editorAlive(editor);
    RepaintCell(node, column->Index());
    if (editorAlive) {
        editor->Repaint();
    }
}

bool TILTree::AcceptInlineEdit(bool forced)
{
    if (!Editing()) {
        return false;
    }
    return inlineEditor_->Accept(true, forced, false);
}

void TILTree::CancelInlineEdit()
{
    if (Editing()) {
        inlineEditor_->Cancel(true);
    }
}

void TILTree::PostEditWork(int msg, TILTreeNode* node, int column, TILTreeInlineEdit* editor, bool report)
{
    PendingEditWork work;
    work.Msg = msg;
    work.Node = node;
    work.Column = column;
    work.Editor = editor;
    work.Report = report;
    pendingEditWork_.push_back(std::move(work));
    fw::PostMessage(this, msg, reinterpret_cast<std::intptr_t>(report ? node : nullptr), report ? column : -1);
}

bool TILTree::TakeEditWork(int msg, PendingEditWork& work)
{
    // Posted messages arrive in the order they were posted, so the oldest work of the kind
    // is the one this message stands for.
    const auto found = std::find_if(pendingEditWork_.begin(), pendingEditWork_.end(),
                                    [msg](const PendingEditWork& item) { return item.Msg == msg; });
    if (found == pendingEditWork_.end()) {
        return false;
    }
    work = std::move(*found);
    pendingEditWork_.erase(found);
    return true;
}

void TILTree::FreeEditor(TILTreeInlineEdit* editor)
{
    if (editor == nullptr) {
        return;
    }
    TILTreeNode* node = editor->Node();
    if (editor == inlineEditor_) {
        inlineEditor_ = nullptr;
        editState_ = 0;
    }
    // The keyboard goes back to the tree rather than to nowhere; the editor hears of it as
    // of any focus leaving it.
    const fw::WeakRef<TILTree> self(this);
    const fw::WeakRef<TILTreeInlineEdit> editorAlive(editor);
    NodeWatch watch(*this, node);
    if (editor->Focused() && CanFocus()) {
        SetFocus();
        if (!self) {
            return;
        }
    }
    delete editorAlive.Get();
    if (node != nullptr) {
        RepaintNode(node);
    }
}

void TILTree::EndEditorOf(const PendingEditWork& work)
{
    TILTreeInlineEdit* editor = work.Editor.Get();
    if (editor == nullptr) {
        if (inlineEditor_ == nullptr) {
            editState_ = 0;
        }
        return;
    }
    // The editor whose edit ended goes, unless it was opened on another cell meanwhile or a
    // modal EditCell waits to free it itself.
    if (!editor->Modal() && editor->Outcome() != 0) {
        FreeEditor(editor);
    }
}

void TILTree::HandleAcceptEditMessage(fw::Message& /*message*/)
{
    PendingEditWork work;
    if (!TakeEditWork(WM_ILTREE_ACCEPTEDIT, work)) {
        return;
    }
    const fw::WeakRef<TILTree> self(this);
    EndEditorOf(work);
    if (!self || !work.Report || work.Node == nullptr) {
        return;
    }
    if (const TILTreeEditResultEvent report = onEditAcceptInline_) {
        report(this, work.Node, work.Column);
    }
}

void TILTree::HandleCancelEditMessage(fw::Message& /*message*/)
{
    PendingEditWork work;
    if (!TakeEditWork(WM_ILTREE_CANCELEDIT, work)) {
        return;
    }
    const fw::WeakRef<TILTree> self(this);
    EndEditorOf(work);
    if (!self || !work.Report || work.Node == nullptr) {
        return;
    }
    if (const TILTreeEditResultEvent report = onEditCancelInline_) {
        report(this, work.Node, work.Column);
    }
}

void TILTree::HandleEditNextMessage(fw::Message& /*message*/, bool forward)
{
    PendingEditWork work;
    if (!TakeEditWork(forward ? WM_ILTREE_EDITNEXT : WM_ILTREE_EDITPREVIOUS, work)) {
        return;
    }
    if (work.Node != nullptr) {
        EditCell(work.Node, work.Column, -1, -1);
    }
}

// --- Tab order of editable cells -----------------------------------------------------------------

bool TILTree::NextCellInOrder(TILTreeNode*& node, int& columnIndex, bool forward) const
{
    const int count = GetColumnCount();
    if (count <= 0 || node == nullptr) {
        return false;
    }
    const bool down = InlineEdit()->TabDir() == TILTreeInlineEditTabDir::iltEditTabDirDown;
    if (down) {
        // Down the column; at its end on from the top (bottom) of the next (previous) column.
        if (TILTreeNode* next = forward ? node->NextVisible() : node->PrevVisible()) {
            node = next;
            return true;
        }
        const int nextColumn = columnIndex + (forward ? 1 : -1);
        if (nextColumn < 0 || nextColumn >= count) {
            return false;
        }
        TILTreeNode* restart = forward ? Root()->FirstVisibleChild() : LastVisibleNode();
        if (restart == nullptr) {
            return false;
        }
        node = restart;
        columnIndex = nextColumn;
        return true;
    }
    // Along the row; at its end on from the first (last) column of the next (previous) row.
    const int nextColumn = columnIndex + (forward ? 1 : -1);
    if (nextColumn >= 0 && nextColumn < count) {
        columnIndex = nextColumn;
        return true;
    }
    TILTreeNode* next = forward ? node->NextVisible() : node->PrevVisible();
    if (next == nullptr) {
        return false;
    }
    node = next;
    columnIndex = forward ? 0 : count - 1;
    return true;
}

bool TILTree::FindEditableCell(TILTreeNode*& node, int& columnIndex, bool forward)
{
    const fw::WeakRef<TILTree> self(this);
    TILTreeNode* at = node;
    int column = columnIndex;
    // The application's OnCanEditInline may change the tree under the walk.
    NodeWatch watch(*this, at);
    while (at != nullptr && NextCellInOrder(at, column, forward)) {
        const bool editable = CanEditCell(at, column);
        if (!self || at == nullptr) {
            return false;
        }
        if (editable) {
            node = at;
            columnIndex = column;
            return true;
        }
    }
    return false;
}

bool TILTree::FindNextEditableCell(TILTreeNode*& node, int& columnIndex)
{
    return FindEditableCell(node, columnIndex, true);
}

bool TILTree::FindPreviousEditableCell(TILTreeNode*& node, int& columnIndex)
{
    return FindEditableCell(node, columnIndex, false);
}
