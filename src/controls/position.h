#pragma once

#include <cstdint>
#include <string_view>

#include "controls/notify_event.h"
#include "framework/core/canvas.h"

namespace fw {
class ImageList;
}

enum class THCanvasTextPosition : std::uint8_t { Left = 0, Centre = 1, Right = 2 };
enum class TVCanvasTextPosition : std::uint8_t { Top = 0, Centre = 1, Bottom = 2 };

// Where a text or an image sits inside a rectangle: aligned left, centred or right (and
// top, centred or bottom), kept the margins away from the edges it is aligned to.
//
// The rectangles of these routines are inclusive: Right and Bottom are the last pixel
// inside, as the controls compute them.
class TILPositionBase : public fw::Persistent {
public:
    TILPositionBase() = default;

    std::string_view className() const override { return "TILPositionBase"; }
    fw::Object* NewInstance() const override { return new TILPositionBase; }

    // Every setter fires OnChange, even when the value stays the same.
    THCanvasTextPosition AlignHorz() const { return alignHorz_; }
    void SetAlignHorz(THCanvasTextPosition align);
    TVCanvasTextPosition AlignVert() const { return alignVert_; }
    void SetAlignVert(TVCanvasTextPosition align);
    int HorzMargin() const { return horzMargin_; }
    void SetHorzMargin(int margin);
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int margin);

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    // From any position: the alignments and margins, each through its setter.
    void Assign(const fw::Persistent* source) override;

    // The top-left corner of an item of the given size placed in rect. A centred item
    // ignores the margin; one larger than the rectangle starts before it, the odd pixel
    // going towards the rectangle's start (halves cut towards zero).
    fw::Point CalcOrigin(int width, int height, const fw::Rect& rect) const;
    fw::Point CalcGraphicOrigin(const fw::Bitmap& graphic, const fw::Rect& rect) const;

    // Cuts the box of an item placed at origin (grown by the margins) out of rect, on the
    // side the item is aligned to: a left (or top) item moves the rectangle's left (top)
    // edge past it, a right (bottom) item its right (bottom) edge before it, when they
    // overlap. A horizontally centred item counts as a left one unless it sits at the
    // bottom; a vertically centred one cuts nothing vertically.
    void ExcludeFromRect(fw::Point origin, int width, fw::Rect& rect, int height) const;
    void ExcludeGraphic(fw::Point origin, const fw::Bitmap& graphic, fw::Rect& rect) const;

protected:
    void Changed();

private:
    THCanvasTextPosition alignHorz_ = THCanvasTextPosition::Centre;
    TVCanvasTextPosition alignVert_ = TVCanvasTextPosition::Centre;
    int horzMargin_ = 2;
    int vertMargin_ = 2;
    TILNotifyEvent onChange_;
};

// The place of a caption; it wraps by default.
class TILTextPosition : public TILPositionBase {
public:
    TILTextPosition() = default;

    std::string_view className() const override { return "TILTextPosition"; }
    fw::Object* NewInstance() const override { return new TILTextPosition; }

    bool Wrap() const { return wrap_; }
    void SetWrap(bool wrap);

    // The position fields, and Wrap when the source is a text position too.
    void Assign(const fw::Persistent* source) override;

    // Draws the text in rect less the margins on every side, wrapped when Wrap is set and
    // aligned as this position says, moved by the offsets; nothing outside that rectangle
    // is painted. The rectangle goes to the wrapped-text drawing as it is given. Returns
    // the rectangle the lines cover before the offsets. Needs a canvas with a backend.
    fw::Rect DrawText(fw::Canvas& canvas, const fw::Rect& rect, std::string_view text, int xOffset = 0,
                      int yOffset = 0) const;

private:
    bool wrap_ = true;
};

// The place of an image.
class TILImagePosition : public TILPositionBase {
public:
    TILImagePosition() = default;

    std::string_view className() const override { return "TILImagePosition"; }
    fw::Object* NewInstance() const override { return new TILImagePosition; }
};

// The icons a page control shows on its tabs and where they sit.
class TILControlIcons : public TILImagePosition {
public:
    TILControlIcons() = default;

    std::string_view className() const override { return "TILControlIcons"; }
    fw::Object* NewInstance() const override { return new TILControlIcons; }

    // Not owned; none when the tabs show no icons.
    fw::ImageList* ImageList() const { return imageList_; }
    void SetImageList(fw::ImageList* imageList);

    // The position, and the image list when the source carries icons too.
    void Assign(const fw::Persistent* source) override;

private:
    fw::ImageList* imageList_ = nullptr;
};
