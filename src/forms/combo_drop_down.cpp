#include "forms/combo_drop_down.h"

#include <algorithm>

#include "controls/scroll_bar.h"
#include "forms/combo_box.h"
#include "framework/gui/application.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"
#include "treegrid/tree_sort.h"

namespace {

// The frame around the list: one pixel on every side.
constexpr int FrameWidth = 1;
// The height of a list without rows, beyond its headings.
constexpr int EmptyListExtra = 12;

} // namespace

TfrmILCBDropDownList::TfrmILCBDropDownList(TILComboBox& combo)
    : fw::Form(&combo),
      treeItems(new TILTree(this)),
      combo_(&combo),
      disabledDrawData_(std::make_unique<TILTreeColumnDrawData>())
{
    SetName("frmILCBDropDownList");
    SetBorderStyle(fw::FormBorderStyle::None);
    SetColor(fw::clWindowFrame);
    treeItems->SetName("treeItems");
    treeItems->SetParent(this);
    treeItems->SetAlign(fw::Align::Client);

    treeItems->SetOnCanSelectNode([](TILTree*, TILTreeNode* node, bool) {
        const TILComboBoxItem* item = ItemOf(node);
        return item != nullptr && item->Enabled();
    });
    treeItems->SetOnNodeClick([this](TILTree* tree, TILTreeNode* node) {
        // A click on an expand button toggles the row and picks nothing.
        const fw::Point at = tree->LastMousePoint();
        if (!tree->HitsExpandButton(node, at.X, at.Y)) {
            ChooseNode(node);
        }
    });
    treeItems->SetOnGetDrawData(
        [this](TILTree*, TILTreeColumnData*, TILTreeNode* node, TILTreeDrawDataMode mode) -> TILTreeColumnDrawData* {
            const TILComboBoxItem* item = ItemOf(node);
            if (item != nullptr && !item->Enabled() && mode != TILTreeDrawDataMode::Heading) {
                return disabledDrawData_.get();
            }
            return nullptr;
        });
    treeItems->SetOnOverrideFont([this](TILTree*, TILTreeColumnData* column, TILTreeNode* node, fw::Font& font) {
        if (const TILComboBoxItem* item = ItemOf(node)) {
            item->FontOverride().ApplyTo(font);
        }
        TILComboBox* owner = ComboBox();
        if (owner != nullptr && owner->OnGetItemFont()) {
            owner->OnGetItemFont()(owner, node, column, font);
        }
    });
    treeItems->SetOnOverrideBack([this](TILTree*, TILTreeColumnData* column, TILTreeNode* node, fw::Brush& brush) {
        TILComboBox* owner = ComboBox();
        if (owner != nullptr && owner->OnGetItemBack()) {
            owner->OnGetItemBack()(owner, node, column, brush);
        }
    });
    treeItems->SetOnKeyDown([this](fw::Object*, int& key, fw::ShiftState) {
        if (key == fw::VK_RETURN) {
            key = 0;
            if (!ChooseNode(treeItems->GetSelected())) {
                CloseList();
            }
        } else if (key == fw::VK_ESCAPE) {
            key = 0;
            CloseList();
        }
    });
    FinishLoading();
}

TfrmILCBDropDownList::~TfrmILCBDropDownList() = default;

TILComboBox* TfrmILCBDropDownList::ComboBox() const
{
    return combo_.Get();
}

TILComboBoxItem* TfrmILCBDropDownList::ItemOf(const TILTreeNode* node)
{
    return node != nullptr ? dynamic_cast<TILComboBoxItem*>(node->Object()) : nullptr;
}

TILTreeNode* TfrmILCBDropDownList::NodeOf(const TILComboBoxItem* item) const
{
    return item != nullptr ? treeItems->Root()->FindByObject(item) : nullptr;
}

// --- Showing ----------------------------------------------------------------------------------------

void TfrmILCBDropDownList::ShowForComboBox()
{
    TILComboBox* combo = ComboBox();
    if (combo == nullptr) {
        return;
    }
    TakeListSettings();
    FillRows();
    PlaceWindow();
    // Without a vertical scroll bar the adjusted first column takes the bar's room too.
    if (combo->HasOption(TILComboBoxOption::ilcbAdjustDropDownCol) && !treeItems->VertScrollBarVisible()) {
        if (TILTreeColumnData* first = treeItems->GetColumn(0)) {
            first->SetWidth(combo->Width() - 2 * FrameWidth);
        }
    }
    if (TILTreeNode* selected = NodeOf(combo->Selected())) {
        treeItems->SelectNode(selected, false, TILTreePlaceCentre);
    }
    Show();
    if (treeItems->CanFocus()) {
        treeItems->SetFocus();
    }
}

void TfrmILCBDropDownList::TakeListSettings()
{
    TILComboBox& combo = *ComboBox();
    const TILComboBoxListData& data = combo.DropDownList();
    treeItems->Assign(&data);
    treeItems->SetFont(combo.Font());
    disabledDrawData_->Assign(&data.DrawDisabled());
    TILFormsDefaultComboBoxColours* colours = nullptr;
    if (data.DefaultColours()) {
        colours = ComboBoxDefaultColours();
    } else if (combo.OnGetListColours()) {
        colours = combo.OnGetListColours()(&combo);
    }
    if (colours != nullptr) {
        treeItems->Assign(colours);
        colours->DrawDisabled().ApplyTo(*disabledDrawData_);
    }
    if (combo.HasOption(TILComboBoxOption::ilcbAdjustDropDownCol)) {
        if (TILTreeColumnData* first = treeItems->GetColumn(0)) {
            first->SetWidth(combo.Width() - 2 * FrameWidth - treeItems->VertScrollBar()->Width());
        }
    }
}

void TfrmILCBDropDownList::FillRows()
{
    TILComboBox& combo = *ComboBox();
    const bool fontOverride = static_cast<bool>(combo.OnGetItemFont());
    const bool backOverride = static_cast<bool>(combo.OnGetItemBack());
    TILTreeNode* selectedNode = nullptr;
    bool nested = false;
    {
        TILTreeUpdateBracket bracket(treeItems);
        treeItems->Clear();
        auto fill = [&](auto& self, const TILComboBoxItemCollection& items, TILTreeNode* parent) -> void {
            for (int i = 0; i < items.Count(); ++i) {
                TILComboBoxItem* item = items.GetItem(i);
                if (!item->Shown()) {
                    continue;
                }
                auto* node = new TILTreeNode(parent);
                const std::vector<std::string>& strings = item->Strings();
                for (std::size_t column = 0; column < strings.size(); ++column) {
                    node->SetCellText(static_cast<int>(column), strings[column]);
                }
                node->SetObject(item);
                std::uint8_t flags = 0;
                if (fontOverride || item->FontOverride().HasOverride()) {
                    flags |= iltDrawOverrideFont;
                }
                if (backOverride) {
                    flags |= iltDrawOverrideBack;
                }
                node->SetDrawFlags(flags);
                if (item == combo.Selected()) {
                    selectedNode = node;
                }
                if (parent != treeItems->Root()) {
                    nested = true;
                }
                self(self, item->Items(), node);
            }
        };
        fill(fill, combo.Items(), treeItems->Root());
        if (nested) {
            treeItems->SetOptions(treeItems->Options().Include(TILTreeDisplayOption::iltShowButtons));
        }
        if (combo.HasOption(TILComboBoxOption::ilcbExpandAll)) {
            treeItems->ExpandAll();
        }
        if (const TILTreeColumnData* first = treeItems->GetColumn(0)) {
            const TILTreeSortOrder order = first->SortOrder(false);
            if (order.Compares()) {
                SortNodeChildren(*treeItems->Root(), order, true, false);
            }
        }
        if (selectedNode != nullptr) {
            treeItems->SelectOnly(selectedNode);
        }
    }
}

int TfrmILCBDropDownList::FullHeight()
{
    const int rows = treeItems->TotalContentHeight() - treeItems->HeadingHeight();
    int height = rows + treeItems->HeadingHeight() + 2 * FrameWidth;
    // Whether the list needs its horizontal bar shows once it has the height of its rows.
    SetHeight(height);
    if (treeItems->HorzScrollBarVisible()) {
        height += treeItems->HorzScrollBar()->Height();
    }
    return height;
}

void TfrmILCBDropDownList::PlaceWindow()
{
    TILComboBox& combo = *ComboBox();
    const TILComboBoxListData& data = combo.DropDownList();
    const fw::Screen& screen = fw::GetScreen();
    const fw::Point comboTop = combo.ClientToScreen(fw::Point{0, 0});
    const int comboBottom = comboTop.Y + combo.Height();

    const int width = data.AutoWidth() ? combo.Width() : data.Width();
    int left = comboTop.X;
    if (left + width > screen.Width()) {
        left = screen.Width() - width;
    }
    SetBounds(left, comboBottom, width, Height());

    if (treeItems->Root()->GetCount() == 0) {
        treeItems->SetScrollStyle(TScrollStyle::ssNone);
        SetBounds(left, comboBottom, width, treeItems->HeadingHeight() + EmptyListExtra);
        return;
    }

    int height = data.MaximiseHeight() ? std::min(FullHeight(), screen.Height()) : data.Height();
    int top = comboBottom;
    bool above = false;
    if (top + height > screen.Height()) {
        above = true;
        top = comboTop.Y - height;
        if (top < 0) {
            height += top;
            top = 0;
        }
    }
    SetBounds(left, top, width, height);
    if (data.MinimiseHeight()) {
        const int needed = FullHeight();
        SetHeight(height);
        if (needed < height) {
            if (above) {
                top = comboTop.Y - needed;
            }
            SetBounds(left, top, width, needed);
        }
    }
}

// --- Choosing and closing ---------------------------------------------------------------------------

bool TfrmILCBDropDownList::ChooseNode(TILTreeNode* node)
{
    TILComboBoxItem* item = ItemOf(node);
    TILComboBox* combo = ComboBox();
    if (closing_ || item == nullptr || combo == nullptr || !item->Enabled()) {
        return false;
    }
    const fw::WeakRef<TfrmILCBDropDownList> self(this);
    if (!combo->CanSelect(item)) {
        return false;
    }
    if (!self) {
        return false;
    }
    choice_ = item;
    CloseList();
    return true;
}

void TfrmILCBDropDownList::CloseList()
{
    if (closing_) {
        return;
    }
    closing_ = true;
    const fw::WeakRef<TfrmILCBDropDownList> self(this);
    Hide();
    if (!self) {
        return;
    }
    if (TILComboBox* combo = ComboBox()) {
        if (choice_ != nullptr) {
            fw::PostMessage(combo, WM_ILCB_ITEMCHOSEN, reinterpret_cast<std::intptr_t>(choice_));
        } else {
            fw::PostMessage(combo, WM_ILCB_CLOSEDNOCHOICE);
        }
    }
}

void TfrmILCBDropDownList::DoDeactivate()
{
    fw::Form::DoDeactivate();
    CloseList();
}

void TfrmILCBDropDownList::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case fw::WM_CLOSE:
        // Alt+F4 does not close a drop-down list: it closes by a choice, Esc or deactivation.
        message.Result = 0;
        return;
    case fw::CM_DIALOGKEY: {
        // Enter and Esc reach the list's window when no control keeps them.
        if (message.WParam == fw::VK_RETURN) {
            if (!ChooseNode(treeItems->GetSelected())) {
                CloseList();
            }
            message.Result = 1;
            return;
        }
        if (message.WParam == fw::VK_ESCAPE) {
            CloseList();
            message.Result = 1;
            return;
        }
        break;
    }
    default: break;
    }
    fw::Form::Dispatch(message);
}

void TfrmILCBDropDownList::AdjustClientRect(fw::Rect& rect)
{
    fw::Form::AdjustClientRect(rect);
    rect = fw::Rect{rect.Left + FrameWidth, rect.Top + FrameWidth, rect.Right - FrameWidth, rect.Bottom - FrameWidth};
}

void TfrmILCBDropDownList::Paint()
{
    // The frame is the form's own colour showing around the list.
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{fw::clWindowFrame};
    canvas.FillRect(ClientRect());
}
