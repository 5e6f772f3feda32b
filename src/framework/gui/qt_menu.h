#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace fw {

class MenuItem;
class MainMenu;

// Menus on screen. The Qt menus are rebuilt from our items whenever the structure changes
// (menus are small) and updated in place otherwise. Qt never changes an item by itself: a
// checkable action's check is put back before the item's Click runs, so a click handler
// reads the state from before the click, and sets it from code as it likes.

// Fills the Qt menu with the item's sub-items (submenus included); each submenu runs its
// item's OnPopup before it shows.
void FillQtMenu(QMenu& menu, MenuItem& item);

// Shows the main menu in the menu bar and keeps it in step (the menu's peer).
void AttachMainMenu(MainMenu& menu, QMenuBar& bar);

// Popup menus pop up as Qt menus at the screen point, modally, over the active window.
void InstallQtPopupHandler();

} // namespace fw
