#pragma once

#include <functional>
#include <optional>

#include "controls/scroll_box.h"
#include "framework/gui/control.h"

class TWeavingImageScroller;

// Paints the part of the image that lies in `area` (image coordinates) onto the canvas,
// where an image pixel lands at image point + offset: every pixel of the area, the view's
// colour where there is no image.
using TWeavingImagePaintEvent = std::function<void(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area)>;

// The picture of one side of the band. A long band's image is far larger than any screen,
// so it is never held whole: the view is as large as the room it has and paints only what it
// shows, at the scroll position of its scroller. Its mouse positions are client
// coordinates; ImagePoint turns them into image coordinates.
class TWeavingImageView : public fw::CustomControl {
public:
    TWeavingImageView(fw::Component* owner, TWeavingImageScroller& scroller);

    std::string_view className() const override { return "TWeavingImageView"; }

    // The image point under a client point.
    fw::Point ImagePoint(int x, int y) const;

    const TWeavingImagePaintEvent& OnPaintImage() const { return onPaintImage_; }
    void SetOnPaintImage(TWeavingImagePaintEvent handler) { onPaintImage_ = std::move(handler); }

    // The wheel scrolls the image along whichever bar is shown (the vertical one first).
    bool DoMouseWheel(fw::ShiftState shift, int wheelDelta, fw::Point mousePos) override;

    // The scroller moved to a new position. What the view shows already moves with it, as
    // a window scrolls on screen, and only the strips that come into view wait to be
    // painted; when the view is not all painted, all of it waits.
    void ScrolledTo(fw::Point offset);
    // The image grew by `by` pixels downwards at its top, the scroll position staying: what
    // the view shows moves down with it, and the strip that comes into view waits to be
    // painted. False, and all of it waiting, when the view is not all painted.
    bool ImageGrewAtTop(int by);

protected:
    // What it shows of the image (or its colour, with nothing to show).
    void Paint() override;

private:
    // Moves the painted pixels so that view pixel (x, y) shows what (x + dx, y + dy) showed,
    // and marks the strips uncovered as waiting; paintedAt_ becomes the offset.
    void MovePaintedPixels(int dx, int dy, fw::Point offset);

    TWeavingImageScroller& scroller_;
    TWeavingImagePaintEvent onPaintImage_;
    // The scroll position the view's pixels were painted at; none until the first paint.
    std::optional<fw::Point> paintedAt_;
};

// The scroll box around a view (scrImage, scrReverse): its bars span the image, not its
// children, and scrolling repaints the view at the new position.
class TWeavingImageScroller : public TILScrollBox {
public:
    explicit TWeavingImageScroller(fw::Component* owner);

    std::string_view className() const override { return "TWeavingImageScroller"; }

    TWeavingImageView& View() const { return *view_; }

    // The size of the whole image; an empty size shows no image (nothing to scroll).
    fw::Size ImageSize() const { return imageSize_; }
    void SetImageSize(fw::Size size);
    // The same, leaving the view's pixels as they are: for a caller that says itself what of
    // them is out of date. False when the view's size changed with it (then all of it waits).
    bool SetImageSizeKeepingView(fw::Size size);
    // The image point shown at the view's top-left corner.
    fw::Point ScrollOffset() const;
    // Scrolls as near to that image point as the bars allow.
    void ScrollTo(fw::Point position);
    // The views' colour, and the fill of the box's background.
    void SetImageColour(fw::Color colour);

    void ScrollHorz(int pixels) override;
    void ScrollVert(int pixels) override;
    fw::Rect GetContentExtent() const override;

private:
    TWeavingImageView* view_ = nullptr;
    fw::Size imageSize_;
};
