#pragma once

#include <memory>
#include <optional>
#include <string>

#include "framework/core/bitmap.h"

namespace fw {

// The system clipboard as the program uses it: UTF-8 text (the tree's TAB-separated rows,
// error details) and pictures. Each Set replaces whatever the clipboard held, as the
// platform's clipboard does. The program installs Qt's (CreateQtClipboard); until then, and
// in tests, an in-memory one serves.
class Clipboard {
public:
    Clipboard() = default;
    virtual ~Clipboard() = default;
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    virtual bool HasText() const = 0;
    // "" when the clipboard holds no text.
    virtual std::string AsText() const = 0;
    virtual void SetAsText(const std::string& text) = 0;

    virtual bool HasBitmap() const = 0;
    // An empty bitmap when the clipboard holds no picture.
    virtual Bitmap GetBitmap() const = 0;
    // Copies the picture; an empty one just clears the clipboard.
    virtual void SetBitmap(const Bitmap& bitmap) = 0;

    virtual void Clear() = 0;
};

// A clipboard in the program's memory: tests, and headless runs.
class MemoryClipboard : public Clipboard {
public:
    bool HasText() const override { return text_.has_value(); }
    std::string AsText() const override { return text_.value_or(std::string()); }
    void SetAsText(const std::string& text) override;

    bool HasBitmap() const override { return bitmap_.has_value(); }
    Bitmap GetBitmap() const override { return bitmap_.value_or(Bitmap()); }
    void SetBitmap(const Bitmap& bitmap) override;

    void Clear() override;

private:
    std::optional<std::string> text_;
    std::optional<Bitmap> bitmap_;
};

// The clipboard in use.
Clipboard& GetClipboard();
// Installs a clipboard and answers the one installed before; none goes back to the
// built-in in-memory one.
std::unique_ptr<Clipboard> SetClipboard(std::unique_ptr<Clipboard> clipboard);

} // namespace fw
