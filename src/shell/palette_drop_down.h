#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/control.h"

class TTWDropDownListBox;

// A fixed drop-down list: a closed field that shows the chosen entry and, dropped down, the
// list of all entries below it, of which a click takes one. Each entry carries an object (not
// owned). Only the user's choices fire OnChange; setting ItemIndex from code does not.
//
// Mouse: a press on the field drops the list down or closes it; a click on an entry chooses
// it; a press anywhere else closes the list. Keys on the field: Up and Down choose the
// previous or next entry (the highlighted one while dropped down), F4 and Alt+Down drop the
// list down, Enter takes the highlighted entry, Esc closes the list without a choice.
// Losing the focus closes the list.
//
// The dropped list is a child of the field's form, in front of its other controls, so it
// needs no window of its own; it shows at most VisibleEntries entries and scrolls to the
// highlighted one.
class TTWDropDownList : public fw::CustomControl {
public:
    static constexpr int VisibleEntries = 8;

    explicit TTWDropDownList(fw::Component* owner = nullptr);
    ~TTWDropDownList() override;

    std::string_view className() const override { return "TTWDropDownList"; }

    // --- Entries -----------------------------------------------------------------------------
    int ItemCount() const { return static_cast<int>(items_.size()); }
    void AddItem(std::string text, fw::Object* data);
    // Empties the list; nothing is chosen then.
    void Clear();
    // "" and none outside the list.
    std::string ItemText(int index) const;
    fw::Object* ItemObject(int index) const;
    // The chosen entry, -1 for none. Outside the list counts as none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // The chosen entry's text, "" for none.
    std::string Text() const { return ItemText(itemIndex_); }

    // --- Dropping down -------------------------------------------------------------------------
    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);
    // The open list, none while closed.
    TTWDropDownListBox* DroppedList() const;
    // The entry the open list highlights.
    int HighlightedIndex() const { return highlighted_; }
    // Each entry's height in the open list.
    int EntryHeight() const;

    const fw::NotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(fw::NotifyEvent handler) { onChange_ = std::move(handler); }

    void SetEnabled(bool enabled) override;
    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void KeyDown(int& key, fw::ShiftState shift) override;
    void DoExit() override;
    void Dispatch(fw::Message& message) override;

protected:
    void Paint() override;

private:
    friend class TTWDropDownListBox;

    struct Item {
        std::string Text;
        fw::Object* Data = nullptr;
    };

    // The user chose the entry: it becomes ItemIndex and OnChange fires when it changed.
    void Choose(int index);
    void Highlight(int index);
    void CloseList();

    std::vector<Item> items_;
    int itemIndex_ = -1;
    int highlighted_ = -1;
    fw::WeakRef<TTWDropDownListBox> list_;
    fw::NotifyEvent onChange_;
};

// The open list of a drop-down list: its entries, the highlighted one in the highlight
// colours. It holds the mouse while open, so that a press outside it closes it.
class TTWDropDownListBox : public fw::CustomControl {
public:
    TTWDropDownListBox(TTWDropDownList& owner, int topIndex);

    std::string_view className() const override { return "TTWDropDownListBox"; }

    // The first entry shown.
    int TopIndex() const { return topIndex_; }
    // Scrolls so that the entry shows.
    void ShowEntry(int index);
    // The entry at a point of the list, -1 outside the entries.
    int EntryAt(int x, int y) const;

    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseMove(fw::ShiftState shift, int x, int y) override;
    void MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    bool DoMouseWheel(fw::ShiftState shift, int wheelDelta, fw::Point mousePos) override;

protected:
    void Paint() override;

private:
    int ShownEntries() const;

    TTWDropDownList& field_;
    int topIndex_ = 0;
};
