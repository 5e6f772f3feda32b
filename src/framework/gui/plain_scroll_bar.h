#pragma once

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"

namespace fw {

enum class ScrollBarKind { Horizontal, Vertical };

// The parts of a scroll bar a press can hit, in the platform's order: the arrow towards
// the start, the arrow towards the end, the track before and after the thumb, the thumb.
enum class ScrollBarPart { None, LineBack, LineForward, PageBack, PageForward, Thumb };

// A plain scroll bar that a control draws inside its own client area (the memo's): two
// arrow buttons of the bar's thickness at the ends, a track, and a thumb whose length
// shows the visible part of the whole. It is not a control: its owner places it, feeds it
// the range and its presses, and paints it. Positions run from 0 to Total - Page; with
// nothing to scroll (Total <= Page) the bar looks disabled and has no thumb.
class PlainScrollBar {
public:
    // The classic width of a vertical bar and height of a horizontal one.
    static constexpr int Thickness = 16;
    // The thumb never gets shorter than this, so that it can still be grabbed.
    static constexpr int MinThumbLength = 8;

    explicit PlainScrollBar(ScrollBarKind kind) : kind_(kind) {}

    ScrollBarKind Kind() const { return kind_; }
    // Where the bar stands in its owner's client area; an empty rectangle hides it.
    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds) { bounds_ = bounds; }
    bool Shown() const { return !bounds_.IsEmpty(); }
    // Whether the point lies on the bar (a shown one).
    bool Contains(Point point) const;

    // The size of the whole and of the visible part, in the owner's units (rows, pixels);
    // the position is kept inside the new range.
    void SetRange(int total, int page);
    int Total() const { return total_; }
    int Page() const { return page_; }
    int Position() const { return position_; }
    int MaxPosition() const;
    // Limited to 0..MaxPosition(); answers whether it moved.
    bool SetPosition(int position);
    bool CanScroll() const { return total_ > page_; }

    Rect ArrowRect(bool back) const;
    // The track between the arrows, and the thumb inside it (empty when it cannot scroll
    // or the track is too short for a thumb).
    Rect TrackRect() const;
    Rect ThumbRect() const;
    ScrollBarPart PartAt(Point point) const;

    // A thumb drag: the press remembers where on the thumb it grabbed; every move answers
    // the position that puts the thumb under the pointer again.
    void BeginThumbDrag(Point point);
    int ThumbDragPosition(Point point) const;

    // Draws the bar in its bounds: arrow buttons and thumb as raised buttons, the track in
    // the scroll-bar colour; everything disabled-looking when the owner is disabled or the
    // bar has nothing to scroll.
    void Paint(Canvas& canvas, bool enabled) const;

private:
    // Along the bar: x for a horizontal bar, y for a vertical one.
    int Along(Point point) const { return kind_ == ScrollBarKind::Horizontal ? point.X : point.Y; }
    int Length() const;
    int ArrowLength() const;
    int ThumbLength() const;
    int ThumbOffset() const;

    ScrollBarKind kind_;
    Rect bounds_{0, 0, 0, 0};
    int total_ = 0;
    int page_ = 0;
    int position_ = 0;
    int grabOffset_ = 0;
};

} // namespace fw
