#include "framework/gui/plain_scroll_bar.h"

#include <algorithm>
#include <string>

#include "framework/core/named_images.h"
#include "framework/core/system_colours.h"

namespace fw {

void PlainScrollBar::SetRange(int total, int page)
{
    total_ = std::max(0, total);
    page_ = std::max(0, page);
    SetPosition(position_);
}

int PlainScrollBar::MaxPosition() const
{
    return std::max(0, total_ - page_);
}

bool PlainScrollBar::SetPosition(int position)
{
    const int limited = std::clamp(position, 0, MaxPosition());
    if (limited == position_) {
        return false;
    }
    position_ = limited;
    return true;
}

int PlainScrollBar::Length() const
{
    return kind_ == ScrollBarKind::Horizontal ? bounds_.Width() : bounds_.Height();
}

int PlainScrollBar::ArrowLength() const
{
    // Square buttons; a bar too short for two of them shares its length between them.
    return std::min(Thickness, Length() / 2);
}

Rect PlainScrollBar::ArrowRect(bool back) const
{
    const int arrow = ArrowLength();
    Rect rect = bounds_;
    if (kind_ == ScrollBarKind::Horizontal) {
        if (back) {
            rect.Right = rect.Left + arrow;
        } else {
            rect.Left = rect.Right - arrow;
        }
    } else if (back) {
        rect.Bottom = rect.Top + arrow;
    } else {
        rect.Top = rect.Bottom - arrow;
    }
    return rect;
}

Rect PlainScrollBar::TrackRect() const
{
    const int arrow = ArrowLength();
    Rect rect = bounds_;
    if (kind_ == ScrollBarKind::Horizontal) {
        rect.Left += arrow;
        rect.Right -= arrow;
    } else {
        rect.Top += arrow;
        rect.Bottom -= arrow;
    }
    return rect;
}

int PlainScrollBar::ThumbLength() const
{
    const int track = Length() - 2 * ArrowLength();
    if (!CanScroll() || track < MinThumbLength) {
        return 0;
    }
    const long long proportional = static_cast<long long>(track) * page_ / total_;
    return std::clamp(static_cast<int>(proportional), MinThumbLength, track);
}

int PlainScrollBar::ThumbOffset() const
{
    const int room = Length() - 2 * ArrowLength() - ThumbLength();
    const int maxPosition = MaxPosition();
    if (maxPosition == 0 || room <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<long long>(room) * position_ / maxPosition);
}

Rect PlainScrollBar::ThumbRect() const
{
    const int length = ThumbLength();
    if (length == 0) {
        return Rect{};
    }
    Rect rect = TrackRect();
    if (kind_ == ScrollBarKind::Horizontal) {
        rect.Left += ThumbOffset();
        rect.Right = rect.Left + length;
    } else {
        rect.Top += ThumbOffset();
        rect.Bottom = rect.Top + length;
    }
    return rect;
}

namespace {

bool Inside(const Rect& rect, Point point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

} // namespace

bool PlainScrollBar::Contains(Point point) const
{
    return Inside(bounds_, point);
}

ScrollBarPart PlainScrollBar::PartAt(Point point) const
{
    if (!Inside(bounds_, point)) {
        return ScrollBarPart::None;
    }
    if (Inside(ArrowRect(true), point)) {
        return ScrollBarPart::LineBack;
    }
    if (Inside(ArrowRect(false), point)) {
        return ScrollBarPart::LineForward;
    }
    const Rect thumb = ThumbRect();
    if (thumb.IsEmpty()) {
        return ScrollBarPart::None;
    }
    if (Inside(thumb, point)) {
        return ScrollBarPart::Thumb;
    }
    const int thumbStart = kind_ == ScrollBarKind::Horizontal ? thumb.Left : thumb.Top;
    return Along(point) < thumbStart ? ScrollBarPart::PageBack : ScrollBarPart::PageForward;
}

void PlainScrollBar::BeginThumbDrag(Point point)
{
    const Rect thumb = ThumbRect();
    grabOffset_ = Along(point) - (kind_ == ScrollBarKind::Horizontal ? thumb.Left : thumb.Top);
}

int PlainScrollBar::ThumbDragPosition(Point point) const
{
    const int room = Length() - 2 * ArrowLength() - ThumbLength();
    if (room <= 0) {
        return position_;
    }
    const Rect track = TrackRect();
    const int trackStart = kind_ == ScrollBarKind::Horizontal ? track.Left : track.Top;
    const int offset = std::clamp(Along(point) - grabOffset_ - trackStart, 0, room);
    // To the nearest position, so that a thumb put back where it was keeps its position.
    const long long scaled = static_cast<long long>(offset) * MaxPosition() * 2 + room;
    return static_cast<int>(scaled / (2LL * room));
}

void PlainScrollBar::Paint(Canvas& canvas, bool enabled) const
{
    if (!Shown()) {
        return;
    }
    const bool active = enabled && CanScroll();
    canvas.Pen() = Pen{};
    canvas.Brush() = Brush{clScrollBar};
    canvas.FillRect(TrackRect());

    const char* directions = kind_ == ScrollBarKind::Horizontal ? "LR" : "UD";
    for (const bool back : {true, false}) {
        const Rect button = ArrowRect(back);
        if (button.IsEmpty()) {
            continue;
        }
        canvas.DrawEdge(button, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        const std::string name = std::string("ILSCRBAR_IMG_") + directions[back ? 0 : 1]
            + (active ? "_INACTIVE" : "_DISABLED");
        if (const Bitmap* arrow = FindNamedImage(name); arrow != nullptr) {
            canvas.Draw(button.Left + (button.Width() - arrow->Width()) / 2,
                        button.Top + (button.Height() - arrow->Height()) / 2, *arrow);
        }
    }
    if (active) {
        const Rect thumb = ThumbRect();
        if (!thumb.IsEmpty()) {
            canvas.DrawEdge(thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        }
    }
}

} // namespace fw
