#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/gui/control.h"
#include "framework/gui/menu_item.h"

// Placing windows, the menu items that carry a value, and folder names for display.

// Centres the control over the reference control (over the screen without one), then pulls
// it back onto the screen: a bottom below the screen's height moves its top up to
// screen height - height, a right edge beyond the screen's width moves its left to
// screen width - width, and top and left are at least 1. Coordinates are the ones both
// controls have (screen coordinates for forms).
void CentreControlOver(const fw::Control* reference, fw::Control& control);

// A menu item with one more value, Data, which the main window reads when the item is
// clicked (a profile number, an object).
class TEnhancedMenuItem : public fw::MenuItem {
public:
    explicit TEnhancedMenuItem(fw::Component* owner = nullptr) : fw::MenuItem(owner) {}

    std::string_view className() const override { return "TEnhancedMenuItem"; }

    std::intptr_t Data = 0;
};

// A new TEnhancedMenuItem owned by owner (which frees it; none: the caller does) with every
// property set from the arguments.
TEnhancedMenuItem* NewEnhancedMenuItem(fw::Component* owner, const std::string& caption, fw::ShortCut shortCut,
                                       std::intptr_t data, std::intptr_t tag, int helpContext,
                                       fw::NotifyEvent onClick, bool enabled, bool checked);

// How a folder is named for the user: its last path component ("/home/ann/Bands/" gives
// "Bands"), or the path itself for the root "/" (and "" for ""). Separators at the end
// do not count.
std::string FolderDisplayName(std::string_view path);
