#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/gui/control.h"

namespace fw {

class Menu;

// A key with its modifiers, as menus show and match them: the virtual key code in the low
// byte plus these flags; 0 is none.
using ShortCut = std::uint16_t;
inline constexpr ShortCut scNone = 0;
inline constexpr ShortCut scShift = 0x2000;
inline constexpr ShortCut scCtrl = 0x4000;
inline constexpr ShortCut scAlt = 0x8000;

// The shortcut of a key pressed with these modifiers (mouse buttons in the set are ignored).
ShortCut ShortCutOf(int key, ShiftState shift);
// "Ctrl+S", "Shift+F5", "Del": the text a menu shows beside its caption.
std::string ShortCutToText(ShortCut shortCut);

// One menu command, or a submenu: the items below it are its sub-items, in order. A parent
// item frees its sub-items when it goes; an item freed by anyone else (its owner, say)
// leaves its parent first, so both ways of ending menus are safe.
//
// Checked is only ever changed by code (AutoCheck aside): the Qt side shows the check mark
// but never toggles it by itself, so a click handler always reads the state from before the
// click. Every change is reported to the menu the item belongs to, which tells its peer.
class MenuItem : public Component {
public:
    explicit MenuItem(Component* owner = nullptr);
    ~MenuItem() override;

    std::string_view className() const override { return "TMenuItem"; }

    // With '&' before the mnemonic character; "-" is a separator.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool IsLine() const { return caption_ == "-"; }
    fw::ShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(fw::ShortCut shortCut);
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    // A checked radio item unchecks the other radio items of its group among its siblings.
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A click toggles Checked before OnClick runs.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool autoCheck) { autoCheck_ = autoCheck; }
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex) { groupIndex_ = groupIndex; }

    // --- Sub-items -------------------------------------------------------------------------
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError outside 0..Count()-1.
    MenuItem* Items(int index) const;
    MenuItem* Parent() const { return parent_; }
    // The place among the parent's sub-items; -1 without a parent.
    int MenuIndex() const;
    int IndexOf(const MenuItem* item) const;
    // Adds at the end (Insert at a place); an item with another parent leaves it first.
    // Raises EInvalidOperation for the item itself or one of its parents.
    void Add(MenuItem* item);
    void Insert(int index, MenuItem* item);
    // Takes the item out without freeing it.
    void Remove(MenuItem* item);
    // Frees the sub-item at the place; Clear frees them all.
    void Delete(int index);
    void Clear();
    // The first sub-item with this caption (ampersands ignored), none without one.
    MenuItem* Find(std::string_view caption) const;
    // The menu the top of this item's chain belongs to; none for a loose item.
    Menu* GetParentMenu() const;

    const NotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(NotifyEvent handler) { onClick_ = std::move(handler); }
    // Opening a submenu: runs before its sub-items show (menus refill themselves here).
    const NotifyEvent& OnPopup() const { return onPopup_; }
    void SetOnPopup(NotifyEvent handler) { onPopup_ = std::move(handler); }

    // Runs OnClick when the item is enabled (AutoCheck toggles first).
    virtual void Click();
    // Runs OnPopup (the Qt side calls it before a submenu opens).
    void InitiateAction();

private:
    friend class Menu;

    // Tells the menu of the chain that something below it changed.
    void Changed(bool structural);

    std::string caption_;
    fw::ShortCut shortCut_ = scNone;
    std::intptr_t tag_ = 0;
    int helpContext_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool autoCheck_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    std::vector<MenuItem*> items_;
    MenuItem* parent_ = nullptr;
    // Set for the root item of a menu.
    Menu* menu_ = nullptr;
    NotifyEvent onClick_;
    NotifyEvent onPopup_;
};

} // namespace fw
