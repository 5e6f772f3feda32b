#include "framework/gui/clipboard.h"

#include <utility>

namespace fw {

void MemoryClipboard::SetAsText(const std::string& text)
{
    Clear();
    text_ = text;
}

void MemoryClipboard::SetBitmap(const Bitmap& bitmap)
{
    Clear();
    if (!bitmap.Empty()) {
        bitmap_ = bitmap;
    }
}

void MemoryClipboard::Clear()
{
    text_.reset();
    bitmap_.reset();
}

namespace {

std::unique_ptr<Clipboard>& Installed()
{
    static std::unique_ptr<Clipboard> clipboard = std::make_unique<MemoryClipboard>();
    return clipboard;
}

} // namespace

Clipboard& GetClipboard()
{
    return *Installed();
}

std::unique_ptr<Clipboard> SetClipboard(std::unique_ptr<Clipboard> clipboard)
{
    if (!clipboard) {
        clipboard = std::make_unique<MemoryClipboard>();
    }
    return std::exchange(Installed(), std::move(clipboard));
}

} // namespace fw
