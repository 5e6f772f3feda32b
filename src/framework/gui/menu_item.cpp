#include "framework/gui/menu_item.h"

namespace fw {

void MenuItem::Click()
{
    if (enabled_ && onClick_) {
        // A copy: the handler may free the item (menus rebuilt from their own click).
        const NotifyEvent handler = onClick_;
        handler(this);
    }
}

} // namespace fw
