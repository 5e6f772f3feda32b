#pragma once

#include <functional>
#include <memory>

#include "framework/gui/menu_item.h"

namespace fw {

// What shows a menu on screen (the Qt menu bar or a Qt menu). The menu tells it what
// changed; it may ignore what it does not show.
class MenuPeer {
public:
    MenuPeer() = default;
    virtual ~MenuPeer() = default;
    MenuPeer(const MenuPeer&) = delete;
    MenuPeer& operator=(const MenuPeer&) = delete;

    // structural: items were added, removed or moved; otherwise only an item's looks changed.
    virtual void MenuChanged(MenuItem* item, bool structural) = 0;
};

// A tree of menu items below an invisible root item (Items()). The menu frees the tree.
class Menu : public Component {
public:
    explicit Menu(Component* owner = nullptr);
    ~Menu() override;

    std::string_view className() const override { return "TMenu"; }

    MenuItem* Items() const { return root_.get(); }

    // Depth first in menu order, the item before its sub-items; `skip` (when given) is
    // asked for every item and keeps that item's sub-items out of the walk (the item itself
    // is visited).
    void Walk(const std::function<void(MenuItem&)>& visit,
              const std::function<bool(const MenuItem&)>& skipChildren = {}) const;
    // The visible item whose shortcut matches, searched depth first; none.
    MenuItem* FindShortCut(ShortCut shortCut) const;
    // Clicks the item of a shortcut when it is enabled once its submenus' OnPopup ran (as
    // opening them would, so that they refresh it); answers whether an item took the key.
    bool IsShortCut(int key, ShiftState shift);

    MenuPeer* Peer() const { return peer_.get(); }
    void SetPeer(std::unique_ptr<MenuPeer> peer);

    // Every item change reaches here (and the peer).
    virtual void MenuChanged(MenuItem* item, bool structural);

private:
    std::unique_ptr<MenuItem> root_;
    std::unique_ptr<MenuPeer> peer_;
};

// The menu bar of a form.
class MainMenu : public Menu {
public:
    explicit MainMenu(Component* owner = nullptr) : Menu(owner) {}

    std::string_view className() const override { return "TMainMenu"; }
};

class PopupMenu;

// How a popup menu shows and runs: the program's Qt menu, in tests a script that picks an
// item (or none). It returns once the menu is closed; the chosen item is clicked by the
// handler (through MenuItem::Click) before it returns.
using PopupHandler = std::function<void(PopupMenu& menu, Point screenPos)>;

// A menu that pops up at a point: by a control's right click (its PopupMenu with
// AutoPopup) or from code.
class PopupMenu : public Menu {
public:
    explicit PopupMenu(Component* owner = nullptr) : Menu(owner) {}

    std::string_view className() const override { return "TPopupMenu"; }

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    // The control whose right click opened the menu; none when code opened it.
    Component* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(Component* component);
    // Where it last popped up, in screen coordinates.
    Point PopupPoint() const { return popupPoint_; }

    const NotifyEvent& OnPopup() const { return onPopup_; }
    void SetOnPopup(NotifyEvent handler) { onPopup_ = std::move(handler); }

    // OnPopup, then the menu shows through the handler (nothing without one).
    virtual void Popup(int x, int y);

    // Answers the previous handler; none turns popping up into nothing.
    static PopupHandler SetPopupHandler(PopupHandler handler);
    // A scoped handler for tests.
    class ScopedHandler {
    public:
        explicit ScopedHandler(PopupHandler handler) : previous_(SetPopupHandler(std::move(handler))) {}
        ~ScopedHandler() { SetPopupHandler(std::move(previous_)); }
        ScopedHandler(const ScopedHandler&) = delete;
        ScopedHandler& operator=(const ScopedHandler&) = delete;

    private:
        PopupHandler previous_;
    };

protected:
    void Notification(Component* component, Operation operation) override;

private:
    bool autoPopup_ = true;
    Component* popupComponent_ = nullptr;
    Point popupPoint_;
    NotifyEvent onPopup_;
};

} // namespace fw
