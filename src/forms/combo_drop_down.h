#pragma once

#include <memory>
#include <string_view>

#include "framework/gui/form.h"

class TILComboBox;
class TILComboBoxItem;
class TILTree;
class TILTreeNode;
class TILTreeColumnDrawData;

// The open list of a combo box: a borderless window with a one-pixel frame around one
// tree-grid list that shows the combo box's shown items (sub-items as child rows) with their
// columns. A click on a row that can be chosen, or Enter on the highlighted one, picks its
// item; Esc, Alt+F4 (which does not close it otherwise) and the window losing the activation
// close it without a choice.
//
// However it closes, it closes once: it hides and posts WM_ILCB_ITEMCHOSEN (the item in
// wParam) or WM_ILCB_CLOSEDNOCHOICE to its combo box, which frees it when the message arrives. It is
// owned by the combo box, so that it goes with it when the combo box is freed first.
class TfrmILCBDropDownList : public fw::Form {
public:
    explicit TfrmILCBDropDownList(TILComboBox& combo);
    ~TfrmILCBDropDownList() override;

    std::string_view className() const override { return "TfrmILCBDropDownList"; }

    TILTree* const treeItems;

    // Takes the combo box's list settings and colours, fills the rows, places the window
    // against the combo box and the screen's edges and shows it.
    void ShowForComboBox();

    TILComboBox* ComboBox() const;
    // The item a row shows, none for a row without one.
    static TILComboBoxItem* ItemOf(const TILTreeNode* node);
    // The row of an item, none when the item has no row.
    TILTreeNode* NodeOf(const TILComboBoxItem* item) const;
    // How rows of disabled items are drawn.
    TILTreeColumnDrawData& DisabledDrawData() const { return *disabledDrawData_; }

    // Picks the row's item when it can be chosen (enabled, and the combo box's OnCanSelect
    // agrees): the focus goes back to the combo box and the list closes with the choice.
    // Answers whether it was picked.
    bool ChooseNode(TILTreeNode* node);
    // Closes the list and reports back; only the first call does anything.
    void CloseList();
    bool Closing() const { return closing_; }
    TILComboBoxItem* Choice() const { return choice_; }

    void AdjustClientRect(fw::Rect& rect) override;
    void Dispatch(fw::Message& message) override;

protected:
    void DoDeactivate() override;
    void Paint() override;

private:
    void TakeListSettings();
    void FillRows();
    void PlaceWindow();
    // The height the window needs for every row, the headings and its frame.
    int FullHeight();

    fw::WeakRef<TILComboBox> combo_;
    std::unique_ptr<TILTreeColumnDrawData> disabledDrawData_;
    TILComboBoxItem* choice_ = nullptr;
    bool closing_ = false;
};
