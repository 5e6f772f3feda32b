#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "controls/control_messages.h"
#include "forms/combo_box_items.h"
#include "framework/gui/control.h"
#include "framework/gui/enum_set.h"
#include "treegrid/tree_properties.h"

class TILButton;
class TILTree;
class TILTreeNode;
class TILTreeColumnData;
class TILTreeColumnDrawData;
class TILTreeColumnList;
class TILTreeHeadingRowCollection;
class TfrmILCBDropDownList;

// The drop-down list tells its combo box how it closed by posted messages: WM_ILCB_ITEMCHOSEN
// (wParam the item chosen) or WM_ILCB_CLOSEDNOCHOICE (control_messages.h).

// How soon after its drop-down closed a combo box may open it again, in ms: the press on the
// combo box that closed the list must not open it at once.
inline constexpr std::int64_t ComboBoxReopenGuard = 250;

// --- The look of the drop-down list --------------------------------------------------------------

// A tree's look (columns, headings, draw data, options, colours) for the drop-down list of a
// combo box, with how the list window is sized and how disabled items are drawn.
class TILComboBoxListData : public TILTreeProperties {
public:
    explicit TILComboBoxListData(fw::Component* owner = nullptr);
    ~TILComboBoxListData() override;

    std::string_view className() const override { return "TILComboBoxListData"; }

    // The list is as wide as the combo box (else Width wide).
    bool AutoWidth() const { return autoWidth_; }
    void SetAutoWidth(bool value) { autoWidth_ = value; }
    // The list is as high as its rows need, within the screen (else Height high).
    bool MaximiseHeight() const { return maximiseHeight_; }
    void SetMaximiseHeight(bool value) { maximiseHeight_ = value; }
    // The list shrinks to rows that need less than its height.
    bool MinimiseHeight() const { return minimiseHeight_; }
    void SetMinimiseHeight(bool value) { minimiseHeight_ = value; }
    // The list takes the global default combo-box colours.
    bool DefaultColours() const { return defaultColours_; }
    void SetDefaultColours(bool value) { defaultColours_ = value; }
    // 145 and 100.
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    // Rows of disabled items: background 0xC6F0AC, grey 8-point text.
    TILTreeColumnDrawData& DrawDisabled() const { return *drawDisabled_; }

    // From other list data: the tree's look and all of the above. Otherwise as the base.
    void Assign(const fw::Persistent* source) override;

private:
    bool autoWidth_ = true;
    bool maximiseHeight_ = true;
    bool minimiseHeight_ = true;
    bool defaultColours_ = true;
    int width_ = 145;
    int height_ = 100;
    std::unique_ptr<TILTreeColumnDrawData> drawDisabled_;
};

// The tree colours the drop-down lists of combo boxes take by default, with the look of
// disabled items (background 0xC6F0AC, text 0x808080). One set lives for the program
// (ComboBoxDefaultColours); the main window gives it the shared tree colours at start.
class TILFormsDefaultComboBoxColours : public TILFormsDefaultTreeColours {
public:
    TILFormsDefaultComboBoxColours();
    ~TILFormsDefaultComboBoxColours() override;

    std::string_view className() const override { return "TILFormsDefaultComboBoxColours"; }
    fw::Object* NewInstance() const override { return new TILFormsDefaultComboBoxColours; }

    TILFormsDefaultTreeDrawColours& DrawDisabled() const { return *drawDisabled_; }

    // From another combo-box set also the disabled look; from a plain tree colour set the
    // tree colours only.
    void Assign(const fw::Persistent* source) override;

private:
    std::unique_ptr<TILFormsDefaultTreeDrawColours> drawDisabled_;
};

// The combo box part of the forms library: the global default colours and the four arrow
// pictures, made by the first start and freed by the balancing shut-down (calls nest).
void InitComboBoxLibrary();
void ShutdownComboBoxLibrary();
// None while the library is not running.
TILFormsDefaultComboBoxColours* ComboBoxDefaultColours();

// --- The combo box ----------------------------------------------------------------------------------

enum class TILComboBoxOption {
    // The drop-down's first column is as wide as the combo box, less the list's frame and
    // its vertical scroll bar when that shows.
    ilcbAdjustDropDownCol,
    // Disabled items show in the drop-down (drawn as disabled; they cannot be chosen).
    ilcbShowDisabled,
    // Every row of the drop-down shows expanded.
    ilcbExpandAll,
    // Kept with the other options for settings that carry it; the drop-down is sized by its
    // list data alone.
    ilcbRezizeDropdown,
};
using TILComboBoxOptions = fw::EnumSet<TILComboBoxOption>;

class TILComboBox;
using TILComboBoxItemEvent = std::function<bool(TILComboBox* sender, TILComboBoxItem* item)>;
using TILComboBoxNotifyEvent = std::function<void(TILComboBox* sender)>;
using TILComboBoxGetListColoursEvent = std::function<TILFormsDefaultComboBoxColours*(TILComboBox* sender)>;
using TILComboBoxItemFontEvent =
    std::function<void(TILComboBox* sender, TILTreeNode* node, TILTreeColumnData* column, fw::Font& font)>;
using TILComboBoxItemBackEvent =
    std::function<void(TILComboBox* sender, TILTreeNode* node, TILTreeColumnData* column, fw::Brush& brush)>;

// An owner-drawn combo box whose items form a tree. Closed, it shows the selected item's
// caption beside its arrow button; dropped down, a borderless window below (or above) it
// lists the shown items with their columns in a tree-grid list, from which a click picks
// one. Items are selected and read by tag as well as by index.
//
// The drop-down list belongs to the combo box while it is open and is freed exactly once,
// after it has reported how it closed (a pick, Esc, losing the activation) or with the
// combo box when that goes first. Changing the items while it is open closes it.
//
// Keys on the closed combo box: Up and Down select the previous or next item that can be
// chosen, in the order the drop-down shows them; F4 and Alt+Down drop the list down. In the
// open list the arrows move the highlight, Enter takes it and Esc closes the list.
class TILComboBox : public fw::CustomControl {
public:
    // 145 x 21, in the window colour, a tab stop; the drop-down with its headings hidden
    // (16 pixels high when shown) and one column.
    explicit TILComboBox(fw::Component* owner = nullptr);
    ~TILComboBox() override;

    std::string_view className() const override { return "TILComboBox"; }

    // --- Items and selection ---------------------------------------------------------------
    TILComboBoxItemCollection& Items() { return *items_; }
    const TILComboBoxItemCollection& Items() const { return *items_; }
    // Which string of an item is its caption; 0 by default.
    int CaptionIndex() const { return captionIndex_; }
    void SetCaptionIndex(int index);

    TILComboBoxItem* Selected() const { return selected_; }
    // Nothing when the item is selected already; a disabled item is refused, and so is one
    // that OnCanSelect or OnConfirmSelect refuses. Otherwise it (or none) becomes selected,
    // AfterChange fires and the combo box repaints.
    void SetSelected(TILComboBoxItem* item);
    // The selected item's index among its siblings, -1 for none.
    int ItemIndex() const;
    // An index of the top-level items selects that item; any other selects nothing.
    void SetItemIndex(int index);
    // The first item with the tag (sub-items searched depth first) is selected; when no item
    // has it, ItemIndex := defaultIndex. Answers the selected item.
    TILComboBoxItem* SelectByTag(int tag, int defaultIndex = -1);
    // The selected item's tag, 0 for none.
    int SelectedTag() const;
    // The selected item's caption, "" for none.
    std::string Text() const;

    // --- The drop-down ---------------------------------------------------------------------
    TILComboBoxListData& DropDownList() { return *listData_; }
    const TILComboBoxListData& DropDownList() const { return *listData_; }
    // The drop-down's columns and heading rows (those of DropDownList).
    TILTreeColumnList& DropDownCol() { return listData_->Columns(); }
    TILTreeHeadingRowCollection& DropDownHeadingRows() { return listData_->HeadingRows(); }
    TILComboBoxOptions Options() const { return options_; }
    void SetOptions(TILComboBoxOptions options) { options_ = options; }
    bool HasOption(TILComboBoxOption option) const { return options_.Contains(option); }

    // Nothing while the list is open or within ComboBoxReopenGuard ms after it closed;
    // otherwise BeforeSelect, then a drop-down list is made and shown for this combo box.
    void DropDown();
    bool DroppedDown() const;
    // The open drop-down list, none while closed.
    TfrmILCBDropDownList* DropDownWindow() const;
    // Closes an open drop-down without a choice; it is freed when it has reported back.
    void CloseUp();
    // When the drop-down last closed (the application's clock), none before the first time.
    std::optional<std::int64_t> LastClosed() const { return lastClosed_; }

    // --- Events ----------------------------------------------------------------------------
    const TILComboBoxItemEvent& OnCanSelect() const { return onCanSelect_; }
    void SetOnCanSelect(TILComboBoxItemEvent handler) { onCanSelect_ = std::move(handler); }
    const TILComboBoxItemEvent& OnConfirmSelect() const { return onConfirmSelect_; }
    void SetOnConfirmSelect(TILComboBoxItemEvent handler) { onConfirmSelect_ = std::move(handler); }
    // Before the drop-down opens.
    const TILComboBoxNotifyEvent& BeforeSelect() const { return beforeSelect_; }
    void SetBeforeSelect(TILComboBoxNotifyEvent handler) { beforeSelect_ = std::move(handler); }
    // After the selection changed.
    const TILComboBoxNotifyEvent& AfterChange() const { return afterChange_; }
    void SetAfterChange(TILComboBoxNotifyEvent handler) { afterChange_ = std::move(handler); }
    // Colours for a list that does not take the default ones; none keeps the list data's.
    const TILComboBoxGetListColoursEvent& OnGetListColours() const { return onGetListColours_; }
    void SetOnGetListColours(TILComboBoxGetListColoursEvent handler) { onGetListColours_ = std::move(handler); }
    const TILComboBoxItemFontEvent& OnGetItemFont() const { return onGetItemFont_; }
    void SetOnGetItemFont(TILComboBoxItemFontEvent handler) { onGetItemFont_ = std::move(handler); }
    const TILComboBoxItemBackEvent& OnGetItemBack() const { return onGetItemBack_; }
    void SetOnGetItemBack(TILComboBoxItemBackEvent handler) { onGetItemBack_ = std::move(handler); }

    // Whether OnCanSelect lets the item be chosen (true without a handler).
    bool CanSelect(TILComboBoxItem* item);

    // --- Parts -----------------------------------------------------------------------------
    // 16 pixels wide, 2 pixels in from the top, right and bottom edges.
    TILButton* ArrowButton() const { return button_; }
    // Where the caption is drawn: (3, 3, width - button width - 3, height - 3).
    fw::Rect TextRect() const;

    // --- The items tell the combo box what happens to them ---------------------------------
    // An item is about to be freed (with everything below it).
    void ItemLeaving(TILComboBoxItem* item);
    // An item's caption changed.
    void ItemCaptionChanged(TILComboBoxItem* item);

    // The shown items that can be selected, in the order the drop-down shows them (each
    // item before its sub-items).
    std::vector<TILComboBoxItem*> SelectableItems() const;

    void SetEnabled(bool enabled) override;
    void SetBounds(int left, int top, int width, int height) override;
    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void KeyDown(int& key, fw::ShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Dispatch(fw::Message& message) override;

protected:
    void Paint() override;

private:
    void PlaceButton();
    // The drop-down reported back: it is closed and freed; chosen is what it picked.
    void DropDownClosed(TILComboBoxItem* chosen);
    void FreeDropDown();

    std::unique_ptr<TILComboBoxItemCollection> items_;
    std::unique_ptr<TILComboBoxListData> listData_;
    int captionIndex_ = 0;
    TILComboBoxOptions options_{TILComboBoxOption::ilcbAdjustDropDownCol, TILComboBoxOption::ilcbShowDisabled};
    TILButton* button_ = nullptr; // owned as a component
    TILComboBoxItem* selected_ = nullptr;
    fw::WeakRef<TfrmILCBDropDownList> dropDown_;
    std::optional<std::int64_t> lastClosed_;

    TILComboBoxItemEvent onCanSelect_;
    TILComboBoxItemEvent onConfirmSelect_;
    TILComboBoxNotifyEvent beforeSelect_;
    TILComboBoxNotifyEvent afterChange_;
    TILComboBoxGetListColoursEvent onGetListColours_;
    TILComboBoxItemFontEvent onGetItemFont_;
    TILComboBoxItemBackEvent onGetItemBack_;
};
