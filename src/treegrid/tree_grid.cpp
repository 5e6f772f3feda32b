// The tree-grid control: its parts, properties, update brackets, structure and messages.
// Layout, painting, selection and input live in the other tree_grid_*.cpp files.

#include "treegrid/tree_grid.h"

#include <algorithm>
#include <vector>

#include "controls/scroll_bar.h"
#include "controls/scroll_bar_properties.h"
#include "framework/gui/image_list.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_messages.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"

TILTree::TILTree(fw::Component* owner) : fw::CustomControl(owner)
{
    SetControlState(ControlState() | fw::ControlStateFlag::Creating);
    SetBounds(Left(), Top(), 200, 150);
    SetTabStop(true);
    // The tree paints every pixel of its client area itself.
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::Opaque);
    CreateParts();
    SetControlState(ControlState() - fw::ControlStateFlag::Creating);
}

void TILTree::CreateParts()
{
    columns_ = std::make_unique<TILTreeColumnList>(this);
    headings_ = std::make_unique<TILTreeColumnHeadingData>(this);
    headings_->SetOnChange([this](fw::Object*) { RelayoutAll(); });
    defaultDrawNormal_ = std::make_unique<TILTreeColumnDrawData>();
    defaultDrawSelect_ = std::make_unique<TILTreeColumnDrawData>();
    drawEdit_ = std::make_unique<TILTreeColumnDrawData>();
    // Selected rows in the system's highlight colours, edited cells on the window colour.
    defaultDrawSelect_->Background().SetColour(fw::clHighlight);
    fw::Font selectFont = defaultDrawSelect_->Font();
    selectFont.Color = fw::clHighlightText;
    defaultDrawSelect_->SetFont(selectFont);
    defaultDrawNormal_->SetChangeOwner(this);
    defaultDrawNormal_->SetOnChange([this](fw::Object*) {
        SetColor(defaultDrawNormal_->Background().Colour());
        Invalidate();
    });
    defaultDrawSelect_->SetChangeOwner(this);
    defaultDrawSelect_->SetOnChange([this](fw::Object*) { Invalidate(); });
    drawEdit_->SetChangeOwner(this);
    buttonIcons_ = std::make_unique<TILTreeButtonIcons>(this);
    horzScrollProp_ = std::make_unique<TILScrollBarProperties>();
    vertScrollProp_ = std::make_unique<TILScrollBarProperties>();

    root_ = new TILTreeNode();
    root_->MakeRoot(this);

    scrollWindow_ = new TILTreeScrollWindow(this);
    vertBar_ = new TILTreeScrollBar(this, TScrollBarKind::Vertical);
    vertBar_->SetSmallChange(16);
    vertBar_->SetLargeChange(64);
    vertBar_->SetOnScroll([this](fw::Object*, int scrolledBy) { VertBarScrolled(scrolledBy); });
    horzBar_ = new TILTreeScrollBar(this, TScrollBarKind::Horizontal);
    horzBar_->SetSmallChange(8);
    horzBar_->SetLargeChange(32);
    horzBar_->SetOnScroll([this](fw::Object*, int scrolledBy) { HorzBarScrolled(scrolledBy); });

    if (headings_->HeadingRows().Count() == 0) {
        headings_->HeadingRows().Add();
    }
    SetColor(defaultDrawNormal_->Background().Colour());
}

TILTree::~TILTree()
{
    // Nodes freed from here on neither detach nor report.
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    ShutDownInteraction();
    for (fw::Object* object : pendingFrees_) {
        delete object;
    }
    pendingFrees_.clear();
    delete root_;
    root_ = nullptr;
    rows_.clear();
    // The scroll window, the bars and their arrows are components: the owner frees them.
}

// --- Properties --------------------------------------------------------------------------------

void TILTree::SetHorzScrollProp(const TILScrollBarProperties* value)
{
    if (value == nullptr) {
        return;
    }
    horzScrollProp_->Assign(value);
    horzBar_->Assign(horzScrollProp_.get());
    UpdateScrollBars();
}

void TILTree::SetVertScrollProp(const TILScrollBarProperties* value)
{
    if (value == nullptr) {
        return;
    }
    vertScrollProp_->Assign(value);
    vertBar_->Assign(vertScrollProp_.get());
    UpdateScrollBars();
}

void TILTree::SetColumns(const TILTreeColumnList* value)
{
    if (value == nullptr) {
        return;
    }
    columns_->Assign(value);
    LayoutColumns();
    Invalidate();
}

void TILTree::SetScrollStyle(TScrollStyle value)
{
    scrollStyle_ = value;
    UpdateScrollBars();
}

void TILTree::SetAutoScroll(bool value)
{
    autoScroll_ = value;
    UpdateScrollBars();
}

void TILTree::SetFixedColumns(int value)
{
    if (value == fixedColumns_ || value < 0 || value > GetColumnCount()) {
        return;
    }
    TILTreeUpdateBracket bracket(this, true, true);
    // The cell controls of the columns that change sides move between the tree (fixed
    // columns) and the scroll window (scrolled ones).
    const int low = std::min(value, fixedColumns_);
    const int high = std::max(value, fixedColumns_);
    fw::WinControl* const newParent = value > fixedColumns_ ? static_cast<fw::WinControl*>(this)
                                                            : static_cast<fw::WinControl*>(scrollWindow_);
    std::vector<TILTreeNode*> stack{root_};
    while (!stack.empty()) {
        TILTreeNode* node = stack.back();
        stack.pop_back();
        for (int column = low; column < high && column < node->CellInfoCount(); ++column) {
            const TILTreeCellInfo* info = node->FindCellInfo(column);
            if (info != nullptr && info->CellControl() != nullptr && info->CellControl()->Control != nullptr) {
                info->CellControl()->Control->SetParent(newParent);
                cellControlNodes_.insert(node);
            }
        }
        for (TILTreeNode* child : node->Children()) {
            stack.push_back(child);
        }
    }
    fixedColumns_ = value;
    columnsDirty_ = true;
    Invalidate();
    UpdateAllCellControls();
}

void TILTree::SetTreeColumn(int value)
{
    if (value == treeColumn_) {
        return;
    }
    treeColumn_ = value;
    Invalidate();
}

void TILTree::SetIndent(int value)
{
    indent_ = std::max(value, 5);
    Invalidate();
}

void TILTree::SetIcons(fw::ImageList* value)
{
    if (icons_ == value) {
        return;
    }
    if (icons_ != nullptr) {
        icons_->RemoveFreeNotification(this);
    }
    icons_ = value;
    if (icons_ != nullptr) {
        icons_->FreeNotification(this);
    }
    Invalidate();
}

void TILTree::SetIconMargin(int value)
{
    iconMargin_ = value;
    Invalidate();
}

bool TILTree::ValidIconIndex(int index) const
{
    return icons_ != nullptr && index >= 0 && index < icons_->Count();
}

int TILTree::IconWidth() const
{
    return icons_ != nullptr ? icons_->Width() : 0;
}

int TILTree::IconHeight() const
{
    return icons_ != nullptr ? icons_->Height() : 0;
}

void TILTree::DrawIcon(fw::Canvas& canvas, int x, int y, int index) const
{
    if (ValidIconIndex(index)) {
        icons_->Draw(canvas, x, y, index);
    }
}

void TILTree::Notification(fw::Component* component, fw::Operation operation)
{
    fw::CustomControl::Notification(component, operation);
    if (operation == fw::Operation::Remove && component == icons_) {
        icons_ = nullptr;
        Invalidate();
    }
}

void TILTree::SetHeadings(const TILTreeColumnHeadingData* value)
{
    if (value == nullptr) {
        return;
    }
    headings_->Assign(value);
    RelayoutAll();
}

TILTreeHeadingRowCollection& TILTree::HeadingRows()
{
    return headings_->HeadingRows();
}

const TILTreeHeadingRowCollection& TILTree::HeadingRows() const
{
    return headings_->HeadingRows();
}

void TILTree::SetHeadingRows(const TILTreeHeadingRowCollection* value)
{
    if (value == nullptr) {
        return;
    }
    headings_->HeadingRows().Assign(value);
    RelayoutAll();
}

void TILTree::SetDefaultDrawNormal(const TILTreeColumnDrawData* value)
{
    if (value != nullptr) {
        defaultDrawNormal_->Assign(value);
    }
    Invalidate();
}

void TILTree::SetDefaultDrawSelect(const TILTreeColumnDrawData* value)
{
    if (value != nullptr) {
        defaultDrawSelect_->Assign(value);
    }
    Invalidate();
}

void TILTree::SetDrawEdit(const TILTreeColumnDrawData* value)
{
    if (value != nullptr) {
        drawEdit_->Assign(value);
    }
}

void TILTree::SetDefaultColoursID(int value)
{
    defaultColoursID_ = value;
    TILTreeDisplayOptions options = options_;
    options.Set(TILTreeDisplayOption::iltUseDefaultColours, value != 0);
    SetOptions(options);
}

int TILTree::HorzScrollIncrement() const
{
    return horzBar_->SmallChange();
}

void TILTree::SetHorzScrollIncrement(int value)
{
    horzBar_->SetSmallChange(value);
}

int TILTree::VertScrollIncrement() const
{
    return vertBar_->SmallChange();
}

void TILTree::SetVertScrollIncrement(int value)
{
    vertBar_->SetSmallChange(value);
}

void TILTree::SetColourLine(fw::Color value)
{
    colourLine_ = value;
    if (HasOption(TILTreeDisplayOption::iltShowLines)) {
        Invalidate();
    }
}

void TILTree::SetColourButton(fw::Color value)
{
    colourButton_ = value;
    if (HasOption(TILTreeDisplayOption::iltShowButtons)) {
        Invalidate();
    }
}

void TILTree::SetButtonIcons(const TILTreeButtonIcons* value)
{
    if (value != nullptr) {
        buttonIcons_->Assign(value);
    }
}

void TILTree::SetOptions(TILTreeDisplayOptions value)
{
    const bool gridChanged = value.Contains(TILTreeDisplayOption::iltHorzGrid) != options_.Contains(TILTreeDisplayOption::iltHorzGrid)
                             || value.Contains(TILTreeDisplayOption::iltVertGrid)
                                    != options_.Contains(TILTreeDisplayOption::iltVertGrid);
    options_ = value;
    ApplyColourScheme();
    // Grid lines take room between rows and columns.
    if (gridChanged) {
        RelayoutAll();
    }
    Invalidate();
}

void TILTree::SetGridPen(const fw::Pen& value)
{
    const bool widthChanged = value.Width != gridPen_.Width;
    gridPen_ = value;
    if (widthChanged) {
        RelayoutAll();
    }
    Invalidate();
}

void TILTree::ApplyColourScheme()
{
    if (!HasOption(TILTreeDisplayOption::iltUseDefaultColours)) {
        colourScheme_ = nullptr;
        return;
    }
    TILTreeDefaultColourList* list = TreeDefaultColourList();
    colourScheme_ = list != nullptr ? list->FindByID(defaultColoursID_) : nullptr;
    if (colourScheme_ != nullptr) {
        colourScheme_->ApplyTo(*this);
    }
}

void TILTree::Loaded()
{
    fw::CustomControl::Loaded();
    if (headings_->HeadingRows().Count() == 0) {
        headings_->HeadingRows().Add();
    }
    if (defaultColoursID_ == 0 && TreeDefaultColoursID() >= 1) {
        defaultColoursID_ = TreeDefaultColoursID();
        options_.Include(TILTreeDisplayOption::iltUseDefaultColours);
    }
    if (HasOption(TILTreeDisplayOption::iltUseDefaultColours)) {
        ApplyColourScheme();
    }
    RelayoutAll();
}

void TILTree::Resize()
{
    fw::CustomControl::Resize();
    columnsDirty_ = true;
    UpdateScrollBars();
}

// --- Structure ---------------------------------------------------------------------------------

void TILTree::Clear()
{
    TILTreeUpdateBracket bracket(this);
    while (root_->GetCount() > 0) {
        delete root_->GetItem(root_->GetCount() - 1);
    }
    LayoutRowsFrom(root_);
}

void TILTree::Assign(const fw::Persistent* source)
{
    const auto* tree = dynamic_cast<const TILTree*>(source);
    if (tree == nullptr) {
        // The looks that know how to give themselves to a tree.
        if (dynamic_cast<const TILTreeProperties*>(source) != nullptr
            || dynamic_cast<const TILFormsDefaultTreeColours*>(source) != nullptr) {
            fw::CustomControl::Assign(source);
            return;
        }
        const std::string from = source != nullptr ? std::string(source->className()) : std::string("nil");
        throw fw::Exception("Cannot assign a " + from + " to a " + std::string(className()) + ".");
    }
    TILTreeUpdateBracket bracket(this);
    root_->Assign(tree->root_);
    LayoutRowsFrom(root_);
}

TILTreeColumnData* TILTree::GetColumn(int index) const
{
    return columns_->GetItem(index);
}

int TILTree::GetColumnCount() const
{
    return columns_->Count();
}

// --- Update brackets -----------------------------------------------------------------------------

void TILTree::BeginUpdate(bool acceptEdit)
{
    ++updateCount_;
    fw::CustomControl::BeginUpdate();
    if (!Editing()) {
        return;
    }
    try {
        if (acceptEdit) {
            // Forced: a refusing verify cancels the edit rather than keep it open in the bracket.
            AcceptInlineEdit(true);
        } else {
            CancelInlineEdit();
        }
    } catch (...) {
        // The bracket was not meant to stay open past the error.
        --updateCount_;
        fw::CustomControl::EndUpdate();
        throw;
    }
}

void TILTree::EndUpdate(bool relayout)
{
    if (updateCount_ == 0) {
        return;
    }
    --updateCount_;
    if (updateCount_ == 0 && !Destroying() && !ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        if (relayout) {
            RelayoutAll();
        }
        UpdateAllCellControls();
        Invalidate();
    }
    fw::CustomControl::EndUpdate();
}

TILTreeUpdateBracket::TILTreeUpdateBracket(TILTree* tree, bool acceptEdit, bool relayout)
    : tree_(tree), relayout_(relayout)
{
    if (tree != nullptr) {
        tree->BeginUpdate(acceptEdit);
    }
}

TILTreeUpdateBracket::~TILTreeUpdateBracket()
{
    // The tree may have been freed inside the bracket.
    if (TILTree* tree = tree_.Get()) {
        tree->EndUpdate(relayout_);
    }
}

// --- Remembered nodes and posted work ------------------------------------------------------------

void TILTree::NodeLeaving(TILTreeNode* node)
{
    if (node == nullptr || root_ == nullptr || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    MarkRowsDirty();
    std::vector<TILTreeNode*> stack{node};
    while (!stack.empty()) {
        TILTreeNode* leaving = stack.back();
        stack.pop_back();
        SelectionListRemove(leaving);
        pendingRepaints_.erase(leaving);
        cellControlNodes_.erase(leaving);
        ForgetRemembered(leaving);
        for (TILTreeNode* child : leaving->Children()) {
            stack.push_back(child);
        }
    }
    ForgetNodeInInteraction(node);
}

void TILTree::ForgetRemembered(TILTreeNode* node)
{
    if (mouseNode_ == node) {
        mouseNode_ = nullptr;
    }
    if (dragNode_ == node) {
        dragNode_ = nullptr;
    }
    if (edgeNode_ == node) {
        edgeNode_ = nullptr;
        if (interactionMode_ == TILTreeInteractionMode::RowResize && edgeHeadingRow_ == nullptr) {
            EndResize(false);
        }
    }
}

void TILTree::ColumnLeaving(TILTreeColumnData* column)
{
    if (column == nullptr || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    if (edgeColumn_ == column) {
        if (interactionMode_ == TILTreeInteractionMode::ColumnResize) {
            EndResize(false);
        }
        edgeColumn_ = nullptr;
    }
    if (mouseColumn_ == column) {
        mouseColumn_ = nullptr;
    }
    if (sortColumn_ == column) {
        sortColumn_ = nullptr;
    }
    LayoutColumns();
}

void TILTree::HeadingRowLeaving(TILTreeHeadingRow* row)
{
    if (row == nullptr || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    if (edgeHeadingRow_ == row) {
        if (interactionMode_ == TILTreeInteractionMode::RowResize) {
            EndResize(false);
        }
        edgeHeadingRow_ = nullptr;
    }
    RelayoutAll();
}

void TILTree::PostRepaintNode(TILTreeNode* node)
{
    if (node == nullptr || node->Tree() != this) {
        return;
    }
    pendingRepaints_.insert(node);
    fw::PostMessage(this, WM_ILTREE_REPAINTNODE, reinterpret_cast<std::intptr_t>(node));
}

void TILTree::PostFreeObject(fw::Object* object)
{
    if (object == nullptr) {
        return;
    }
    // Kept until the message comes, so that the object is freed even when the tree goes
    // first and the message with it.
    pendingFrees_.push_back(object);
    fw::PostMessage(this, WM_ILTREE_FREEOBJECT, reinterpret_cast<std::intptr_t>(object));
}

void TILTree::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case fw::WM_GETDLGCODE:
        message.Result = fw::DLGC_WANTARROWS | fw::DLGC_WANTCHARS;
        return;
    case fw::WM_CONTEXTMENU:
        // The press already chose and showed the menu (or chose none); the release's request
        // must not show one again, nor the parent's.
        message.Result = 1;
        return;
    case WM_ILTREE_ACCEPTEDIT:
        HandleAcceptEditMessage(message);
        return;
    case WM_ILTREE_CANCELEDIT:
        HandleCancelEditMessage(message);
        return;
    case WM_ILTREE_EDITNEXT:
        HandleEditNextMessage(message, true);
        return;
    case WM_ILTREE_EDITPREVIOUS:
        HandleEditNextMessage(message, false);
        return;
    case WM_ILTREE_SETMODE:
        SetInteractionMode(static_cast<TILTreeInteractionMode>(message.WParam));
        return;
    case WM_ILTREE_FREEHINT:
        HandleFreeHintMessage(message);
        return;
    case WM_ILTREE_REPAINTNODE: {
        auto* node = reinterpret_cast<TILTreeNode*>(message.WParam);
        // Only a node still known to wait for it: a node freed meanwhile was forgotten.
        if (pendingRepaints_.erase(node) > 0) {
            RepaintNode(node);
        }
        return;
    }
    case WM_ILTREE_FREEOBJECT: {
        auto* object = reinterpret_cast<fw::Object*>(message.WParam);
        const auto found = std::find(pendingFrees_.begin(), pendingFrees_.end(), object);
        if (found != pendingFrees_.end()) {
            pendingFrees_.erase(found);
            delete object;
        }
        return;
    }
    default:
        fw::CustomControl::Dispatch(message);
        return;
    }
}

void TILTree::SetTreeCursor(fw::Cursor cursor)
{
    SetCursor(cursor);
    scrollWindow_->SetCursor(cursor);
}

bool TILTree::CanReceiveNodes(TILTreeNode* target) const
{
    if (target == nullptr || target->Selected()) {
        return false;
    }
    for (int i = 0; i < GetSelectedCount(); ++i) {
        TILTreeNode* dragged = GetSelectedItem(i);
        if (target->IsDescendantOf(dragged)) {
            return false;
        }
        if (onCanReceiveNode_ && !onCanReceiveNode_(const_cast<TILTree*>(this), target, dragged)) {
            return false;
        }
    }
    return true;
}
