#include "framework/gui/window_helpers.h"

#include <algorithm>

#include "framework/gui/application.h"

void CentreControlOver(const fw::Control* reference, fw::Control& control)
{
    const fw::Screen& screen = fw::Screen::Instance();
    const int width = control.Width();
    const int height = control.Height();
    int top = 0;
    int left = 0;
    if (reference != nullptr) {
        top = reference->Top() + (reference->Height() - height) / 2;
        left = reference->Left() + (reference->Width() - width) / 2;
    } else {
        top = (screen.Height() - height) / 2;
        left = (screen.Width() - width) / 2;
    }
    if (top + height > screen.Height()) {
        top = screen.Height() - height;
    }
    if (left + width > screen.Width()) {
        left = screen.Width() - width;
    }
    top = std::max(top, 1);
    left = std::max(left, 1);
    control.SetBounds(left, top, width, height);
}

TEnhancedMenuItem* NewEnhancedMenuItem(fw::Component* owner, const std::string& caption, fw::ShortCut shortCut,
                                       std::intptr_t data, std::intptr_t tag, int helpContext,
                                       fw::NotifyEvent onClick, bool enabled, bool checked)
{
    auto* item = new TEnhancedMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->Data = data;
    item->SetTag(tag);
    item->SetHelpContext(helpContext);
    item->SetOnClick(std::move(onClick));
    item->SetEnabled(enabled);
    item->SetChecked(checked);
    return item;
}

std::string FolderDisplayName(std::string_view path)
{
    const size_t end = path.find_last_not_of('/');
    if (end == std::string_view::npos) {
        // Empty, or nothing but separators: the root names itself.
        return std::string(path.empty() ? "" : "/");
    }
    const std::string_view trimmed = path.substr(0, end + 1);
    const size_t slash = trimmed.find_last_of('/');
    return std::string(slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1));
}
