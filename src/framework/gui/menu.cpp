#include "framework/gui/menu.h"

#include <vector>

namespace fw {

namespace {

PopupHandler& CurrentPopupHandler()
{
    static PopupHandler handler;
    return handler;
}

void WalkBelow(const MenuItem& item, const std::function<void(MenuItem&)>& visit,
               const std::function<bool(const MenuItem&)>& skipChildren)
{
    // Iterative, so that a walk survives any depth; a copy of each level's list, so that a
    // visitor that changes the menu never invalidates the walk.
    struct Level {
        std::vector<MenuItem*> items;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    stack.push_back(Level{});
    for (int i = 0; i < item.Count(); ++i) {
        stack.back().items.push_back(item.Items(i));
    }
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.items.size()) {
            stack.pop_back();
            continue;
        }
        MenuItem* current = level.items[level.next++];
        visit(*current);
        if (skipChildren && skipChildren(*current)) {
            continue;
        }
        Level below;
        for (int i = 0; i < current->Count(); ++i) {
            below.items.push_back(current->Items(i));
        }
        if (!below.items.empty()) {
            stack.push_back(std::move(below));
        }
    }
}

// The chain from the root's child down to the item, to run each submenu's OnPopup.
std::vector<MenuItem*> ChainTo(MenuItem* item)
{
    std::vector<MenuItem*> chain;
    for (MenuItem* up = item->Parent(); up != nullptr && up->Parent() != nullptr; up = up->Parent()) {
        chain.insert(chain.begin(), up);
    }
    return chain;
}

} // namespace

Menu::Menu(Component* owner) : Component(owner), root_(std::make_unique<MenuItem>())
{
    root_->menu_ = this;
}

Menu::~Menu()
{
    peer_.reset();
    root_.reset();
}

void Menu::Walk(const std::function<void(MenuItem&)>& visit,
                const std::function<bool(const MenuItem&)>& skipChildren) const
{
    WalkBelow(*root_, visit, skipChildren);
}

MenuItem* Menu::FindShortCut(ShortCut shortCut) const
{
    if (shortCut == scNone) {
        return nullptr;
    }
    MenuItem* found = nullptr;
    Walk(
        [&](MenuItem& item) {
            if (found == nullptr && item.ShortCut() == shortCut && item.Visible()) {
                found = &item;
            }
        },
        [](const MenuItem& item) { return !item.Visible(); });
    return found;
}

bool Menu::IsShortCut(int key, ShiftState shift)
{
    const ShortCut shortCut = ShortCutOf(key, shift);
    MenuItem* item = FindShortCut(shortCut);
    if (item == nullptr) {
        return false;
    }
    // Opening the submenus on the way lets them refresh the item (enable it or not) first;
    // a submenu that refills itself may replace the item, so it is looked up again.
    for (MenuItem* submenu : ChainTo(item)) {
        submenu->InitiateAction();
    }
    item = FindShortCut(shortCut);
    if (item == nullptr || !item->Enabled()) {
        return false;
    }
    item->Click();
    return true;
}

void Menu::SetPeer(std::unique_ptr<MenuPeer> peer)
{
    peer_ = std::move(peer);
}

void Menu::MenuChanged(MenuItem* item, bool structural)
{
    if (peer_) {
        peer_->MenuChanged(item, structural);
    }
}

void PopupMenu::SetPopupComponent(Component* component)
{
    if (component == popupComponent_) {
        return;
    }
    if (popupComponent_ != nullptr) {
        RemoveFreeNotification(popupComponent_);
    }
    popupComponent_ = component;
    if (component != nullptr) {
        FreeNotification(component);
    }
}

void PopupMenu::Notification(Component* component, Operation operation)
{
    Menu::Notification(component, operation);
    if (operation == Operation::Remove && component == popupComponent_) {
        popupComponent_ = nullptr;
    }
}

void PopupMenu::Popup(int x, int y)
{
    popupPoint_ = Point{x, y};
    if (onPopup_) {
        const NotifyEvent handler = onPopup_;
        handler(this);
    }
    const PopupHandler handler = CurrentPopupHandler();
    if (handler) {
        handler(*this, popupPoint_);
    }
}

PopupHandler PopupMenu::SetPopupHandler(PopupHandler handler)
{
    PopupHandler previous = std::move(CurrentPopupHandler());
    CurrentPopupHandler() = std::move(handler);
    return previous;
}

} // namespace fw
