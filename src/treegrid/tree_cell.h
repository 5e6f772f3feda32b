#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/object.h"

namespace fw {
class WinControl;
}

// Flags of a cell info.
inline constexpr std::uint32_t iltCellOwnFont = 1;      // the cell has its own font
inline constexpr std::uint32_t iltCellOwnsObject = 2;   // the cell frees its CellObject
inline constexpr std::uint32_t iltCellMergeRight = 4;   // drawn as one cell with the cell to its right
inline constexpr std::uint32_t iltCellEdited = 8;       // changed by inline editing
inline constexpr std::uint32_t iltCellHideText = 16;    // the text is not drawn

// What a cell's typed value holds.
enum TILTreeCellValueKind : std::uint8_t { iltValueInteger = 1, iltValueObject = 2 };

// A graphic a cell can show as its value: anything with a size that can draw itself.
class TILTreeCellGraphic : public fw::Object {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void Draw(fw::Canvas& canvas, int x, int y) const = 0;
};

// A control embedded in a cell and how it sits there. The holder does not own the control:
// the control belongs to whoever made it (usually the form) and the tree only places,
// shows and hides it.
class TILTreeCellControlHolder {
public:
    // How the control fills the cell less the margins.
    enum Alignment : std::uint8_t {
        Fill = 0,    // the whole rest
        Top = 1,     // its own height, at the top
        Bottom = 2,  // its own height, at the bottom
        Left = 3,    // its own width, at the left
        Right = 4,   // its own width, at the right
    };

    fw::WinControl* Control = nullptr;
    int MarginLeft = 0;
    int MarginTop = 0;
    int MarginRight = 0;
    int MarginBottom = 0;
    Alignment Align = Fill;

    // The control's rectangle (exclusive Right/Bottom, as control bounds are) in a cell
    // whose extents are inclusive (Right and Bottom the last pixel inside), for a control
    // of the given own size.
    fw::Rect PlaceIn(const fw::Rect& cellExtents, int ownWidth, int ownHeight) const;
};

// The settings of one cell that needs more than a text: its own font, an object, a typed
// value shown as an image, alignment of that image, flags, a background colour, an
// embedded control, and the text from before its first inline edit.
class TILTreeCellInfo : public fw::Persistent {
public:
    TILTreeCellInfo();
    ~TILTreeCellInfo() override;

    std::string_view className() const override { return "TILTreeCellInfo"; }
    fw::Object* NewInstance() const override { return new TILTreeCellInfo; }

    // The cell's own font; exists exactly while iltCellOwnFont is set.
    fw::Font* Font() const { return font_.get(); }
    // Sets iltCellOwnFont and returns the font, made on first request.
    fw::Font& GetFont();

    // The object the cell refers to; freed with the cell info while iltCellOwnsObject is set.
    fw::Object* CellObject() const { return cellObject_; }
    void SetCellObject(fw::Object* object) { cellObject_ = object; }
    // A further reference that is only carried along (copied by Assign).
    fw::Object* GraphicReference() const { return graphicReference_; }
    void SetGraphicReference(fw::Object* reference) { graphicReference_ = reference; }

    // Position of the value image: 0 left / top, 1 centre, 2 right / bottom.
    std::uint8_t HorzAlign() const { return horzAlign_; }
    void SetHorzAlign(std::uint8_t align) { horzAlign_ = align; }
    std::uint8_t VertAlign() const { return vertAlign_; }
    void SetVertAlign(std::uint8_t align) { vertAlign_ = align; }
    // Added to the computed image position.
    fw::Point Offset() const { return offset_; }
    void SetOffset(fw::Point offset) { offset_ = offset; }

    // The typed value: an image index (kind integer) or a graphic (kind object).
    TILTreeCellValueKind ValueKind() const { return valueKind_; }
    void SetInteger(int value);
    // The value when it is an integer, else -1.
    int GetInteger() const;
    void SetObject(fw::Object* value);
    // The value when it is an object, else none.
    fw::Object* GetObject() const;
    // Kind integer: 0 or more; kind object: not none.
    bool HasValue() const;
    // The object value as a graphic, none when the value is not one.
    TILTreeCellGraphic* GetGraphic() const;

    std::uint32_t Flags() const { return flags_; }
    // True when every bit of the mask is set.
    bool HasFlag(std::uint32_t mask) const { return (flags_ & mask) == mask; }
    // On sets the bits; off removes them only when all of them are set. Clearing
    // iltCellOwnFont frees the font.
    void SetFlag(std::uint32_t mask, bool on);

    // 0x1FFFFFFF: not set.
    fw::Color BackColour() const { return backColour_; }
    void SetBackColour(fw::Color colour) { backColour_ = colour; }
    bool HasBackColour() const;

    // The embedded control's holder, none when the cell has no control.
    TILTreeCellControlHolder* CellControl() const { return cellControl_.get(); }
    // Makes the holder on first request.
    TILTreeCellControlHolder& GetCellControl();
    void ClearCellControl() { cellControl_.reset(); }

    // The text from before the first inline edit, kept while edits are tracked.
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    // Font (its contents), CellObject, the graphic reference, iltCellOwnFont, alignments,
    // Offset, typed value and BackColour; not the other flags, the control or Text.
    void Assign(const fw::Persistent* source) override;

private:
    std::unique_ptr<fw::Font> font_;
    fw::Object* cellObject_ = nullptr;
    fw::Object* graphicReference_ = nullptr;
    std::uint8_t horzAlign_ = 1;
    std::uint8_t vertAlign_ = 1;
    fw::Point offset_{0, 0};
    TILTreeCellValueKind valueKind_ = iltValueObject;
    int integerValue_ = 0;
    fw::Object* objectValue_ = nullptr;
    std::uint32_t flags_ = 0;
    fw::Color backColour_ = 0x1FFFFFFF;
    std::unique_ptr<TILTreeCellControlHolder> cellControl_;
    std::string text_;
};
