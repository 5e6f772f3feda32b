#include "framework/gui/menu_item.h"

#include <algorithm>

#include "framework/core/strings.h"
#include "framework/gui/menu.h"

namespace fw {

namespace {

std::string WithoutAmpersands(std::string_view caption)
{
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

std::string KeyName(int key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= VK_F1 && key < VK_F1 + 24) {
        return "F" + std::to_string(key - VK_F1 + 1);
    }
    switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    case VK_MULTIPLY: return "Num *";
    case VK_DIVIDE: return "Num /";
    default: break;
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) {
        return "Num " + std::to_string(key - VK_NUMPAD0);
    }
    return {};
}

} // namespace

ShortCut ShortCutOf(int key, ShiftState shift)
{
    ShortCut result = static_cast<ShortCut>(key & 0xFF);
    if (shift.Contains(ShiftFlag::Shift)) {
        result |= scShift;
    }
    if (shift.Contains(ShiftFlag::Ctrl)) {
        result |= scCtrl;
    }
    if (shift.Contains(ShiftFlag::Alt)) {
        result |= scAlt;
    }
    return result;
}

std::string ShortCutToText(ShortCut shortCut)
{
    const std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) {
        return {};
    }
    std::string text;
    if ((shortCut & scShift) != 0) {
        text += "Shift+";
    }
    if ((shortCut & scCtrl) != 0) {
        text += "Ctrl+";
    }
    if ((shortCut & scAlt) != 0) {
        text += "Alt+";
    }
    return text + name;
}

MenuItem::MenuItem(Component* owner) : Component(owner) {}

MenuItem::~MenuItem()
{
    // Sub-items go with their parent, the last first; each one leaves its owner as it goes.
    while (!items_.empty()) {
        MenuItem* last = items_.back();
        items_.pop_back();
        last->parent_ = nullptr;
        delete last;
    }
    if (parent_ != nullptr) {
        MenuItem* parent = parent_;
        parent->items_.erase(std::find(parent->items_.begin(), parent->items_.end(), this));
        parent_ = nullptr;
        parent->Changed(true);
    }
}

void MenuItem::SetCaption(std::string caption)
{
    if (caption == caption_) {
        return;
    }
    caption_ = std::move(caption);
    Changed(false);
}

void MenuItem::SetShortCut(fw::ShortCut shortCut)
{
    if (shortCut == shortCut_) {
        return;
    }
    shortCut_ = shortCut;
    Changed(false);
}

void MenuItem::SetImageIndex(int index)
{
    if (index == imageIndex_) {
        return;
    }
    imageIndex_ = index;
    Changed(false);
}

void MenuItem::SetEnabled(bool enabled)
{
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Changed(false);
}

void MenuItem::SetChecked(bool checked)
{
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    if (checked && radioItem_ && parent_ != nullptr) {
        for (MenuItem* sibling : parent_->items_) {
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_) {
                sibling->checked_ = false;
                sibling->Changed(false);
            }
        }
    }
    Changed(false);
}

void MenuItem::SetVisible(bool visible)
{
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    Changed(true);
}

void MenuItem::SetRadioItem(bool radioItem)
{
    if (radioItem == radioItem_) {
        return;
    }
    radioItem_ = radioItem;
    Changed(false);
}

MenuItem* MenuItem::Items(int index) const
{
    if (index < 0 || index >= Count()) {
        throw EListError(Format("List index out of bounds (%d)", {index}));
    }
    return items_[static_cast<std::size_t>(index)];
}

int MenuItem::MenuIndex() const
{
    return parent_ != nullptr ? parent_->IndexOf(this) : -1;
}

int MenuItem::IndexOf(const MenuItem* item) const
{
    const auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void MenuItem::Add(MenuItem* item)
{
    Insert(Count(), item);
}

void MenuItem::Insert(int index, MenuItem* item)
{
    if (item == nullptr) {
        return;
    }
    for (const MenuItem* up = this; up != nullptr; up = up->parent_) {
        if (up == item) {
            throw EInvalidOperation("Menu inserted twice");
        }
    }
    if (item->parent_ != nullptr) {
        item->parent_->Remove(item);
    }
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed(true);
}

void MenuItem::Remove(MenuItem* item)
{
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) {
        throw EListError("Menu item not found");
    }
    items_.erase(found);
    item->parent_ = nullptr;
    Changed(true);
}

void MenuItem::Delete(int index)
{
    delete Items(index);
}

void MenuItem::Clear()
{
    while (!items_.empty()) {
        delete items_.back();
    }
}

MenuItem* MenuItem::Find(std::string_view caption) const
{
    const std::string wanted = WithoutAmpersands(caption);
    for (MenuItem* item : items_) {
        if (WithoutAmpersands(item->caption_) == wanted) {
            return item;
        }
    }
    return nullptr;
}

Menu* MenuItem::GetParentMenu() const
{
    const MenuItem* top = this;
    while (top->parent_ != nullptr) {
        top = top->parent_;
    }
    return top->menu_;
}

void MenuItem::Click()
{
    if (!enabled_) {
        return;
    }
    if (autoCheck_) {
        SetChecked(!checked_);
    }
    if (onClick_) {
        // A copy: the handler may free the item (menus rebuilt from their own click).
        const NotifyEvent handler = onClick_;
        handler(this);
    }
}

void MenuItem::InitiateAction()
{
    if (onPopup_) {
        const NotifyEvent handler = onPopup_;
        handler(this);
    }
}

void MenuItem::Changed(bool structural)
{
    if (Destroying()) {
        return;
    }
    Menu* menu = GetParentMenu();
    if (menu != nullptr && !menu->Destroying()) {
        menu->MenuChanged(this, structural);
    }
}

} // namespace fw
