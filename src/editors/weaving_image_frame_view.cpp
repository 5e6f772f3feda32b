#include "editors/weaving_image_frame_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

TWeavingImageView::TWeavingImageView(fw::Component* owner, TWeavingImageScroller& scroller)
    : fw::CustomControl(owner), scroller_(scroller)
{
    // Every pixel is painted here: nothing needs erasing first.
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::Opaque);
}

fw::Point TWeavingImageView::ImagePoint(int x, int y) const
{
    const fw::Point offset = scroller_.ScrollOffset();
    return fw::Point{x + offset.X, y + offset.Y};
}

void TWeavingImageView::Paint()
{
    fw::Canvas& canvas = Canvas();
    const std::optional<fw::Region> clip = canvas.ClipRegion();
    const fw::Rect client = ClientRect();
    fw::Rect area = clip ? clip->Bounds() : client;
    area = fw::Rect{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, client.Right),
                    std::min(area.Bottom, client.Bottom)};
    if (area.IsEmpty()) {
        return;
    }
    // The whole box around what is to be painted is painted, with the same pixels it would
    // get anyway: one rectangle lets the painter write the many small cells directly.
    canvas.SetClipRegion(fw::Region(area));
    if (!onPaintImage_) {
        canvas.Brush() = fw::Brush{Color(), fw::BrushStyle::Solid, nullptr};
        canvas.FillRect(area);
    } else {
        const fw::Point scroll = scroller_.ScrollOffset();
        const fw::Rect imageArea{area.Left + scroll.X, area.Top + scroll.Y, area.Right + scroll.X,
                                 area.Bottom + scroll.Y};
        onPaintImage_(canvas, fw::Point{-scroll.X, -scroll.Y}, imageArea);
    }
    canvas.SetClipRegion(clip);
    paintedAt_ = scroller_.ScrollOffset();
}

void TWeavingImageView::ScrolledTo(fw::Point offset)
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (!paintedAt_ || !InvalidRegion().IsEmpty() || Updating()) {
        paintedAt_.reset();
        Invalidate();
        return;
    }
    const int dx = offset.X - paintedAt_->X;
    const int dy = offset.Y - paintedAt_->Y;
    if (dx == 0 && dy == 0) {
        return;
    }
    if (std::abs(dx) >= width || std::abs(dy) >= height) {
        paintedAt_.reset();
        Invalidate();
        return;
    }
    MovePaintedPixels(dx, dy, offset);
}

bool TWeavingImageView::ImageGrewAtTop(int by)
{
    if (!paintedAt_ || !InvalidRegion().IsEmpty() || Updating() || by <= 0 || by >= ClientHeight()
        || *paintedAt_ != scroller_.ScrollOffset()) {
        paintedAt_.reset();
        Invalidate();
        return false;
    }
    // As a scroll up by the same amount: the pixels move down.
    MovePaintedPixels(0, -by, *paintedAt_);
    return true;
}

void TWeavingImageView::MovePaintedPixels(int dx, int dy, fw::Point offset)
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    // View pixel (x, y) now shows what (x + dx, y + dy) showed: the rows move within the
    // view's own pixels (asking for the canvas tells the screen they changed).
    fw::Bitmap& store = Canvas().Surface();
    const int count = width - std::abs(dx);
    const int from = std::max(dx, 0);
    const int to = std::max(-dx, 0);
    const auto moveRow = [&](int y) {
        std::memmove(store.ScanLine(y) + to, store.ScanLine(y + dy) + from,
                     sizeof(std::uint32_t) * static_cast<std::size_t>(count));
    };
    if (dy >= 0) {
        for (int y = 0; y < height - dy; ++y) {
            moveRow(y);
        }
    } else {
        for (int y = height - 1; y >= -dy; --y) {
            moveRow(y);
        }
    }
    paintedAt_ = offset;
    if (dx > 0) {
        InvalidateRect(fw::Rect{width - dx, 0, width, height});
    } else if (dx < 0) {
        InvalidateRect(fw::Rect{0, 0, -dx, height});
    }
    if (dy > 0) {
        InvalidateRect(fw::Rect{0, height - dy, width, height});
    } else if (dy < 0) {
        InvalidateRect(fw::Rect{0, 0, width, -dy});
    }
}

bool TWeavingImageView::DoMouseWheel(fw::ShiftState shift, int wheelDelta, fw::Point mousePos)
{
    if (fw::CustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) {
        return true;
    }
    TILScrollBar& bar = scroller_.VertBar().Visible() ? static_cast<TILScrollBar&>(scroller_.VertBar())
                                                      : static_cast<TILScrollBar&>(scroller_.HorzBar());
    if (!bar.Visible()) {
        return false;
    }
    // Three small steps a notch, as text views scroll.
    bar.SetPosition(bar.Position() - wheelDelta / 120 * 3 * bar.SmallChange());
    return true;
}

TWeavingImageScroller::TWeavingImageScroller(fw::Component* owner) : TILScrollBox(owner)
{
    view_ = new TWeavingImageView(this, *this);
    view_->SetParent(&BackgroundPanel());
    view_->SetAlign(fw::Align::Client);
}

bool TWeavingImageScroller::SetImageSizeKeepingView(fw::Size size)
{
    size = fw::Size{std::max(size.Width, 0), std::max(size.Height, 0)};
    if (size == imageSize_) {
        return true;
    }
    const fw::Size view{view_->ClientWidth(), view_->ClientHeight()};
    imageSize_ = size;
    UpdateLayout();
    if (view_->ClientWidth() != view.Width || view_->ClientHeight() != view.Height) {
        view_->Invalidate();
        return false;
    }
    return true;
}

void TWeavingImageScroller::SetImageSize(fw::Size size)
{
    size = fw::Size{std::max(size.Width, 0), std::max(size.Height, 0)};
    if (size == imageSize_) {
        view_->Invalidate();
        return;
    }
    imageSize_ = size;
    UpdateLayout();
    view_->Invalidate();
}

fw::Point TWeavingImageScroller::ScrollOffset() const
{
    return fw::Point{HorzBar().Position(), VertBar().Position()};
}

void TWeavingImageScroller::ScrollTo(fw::Point position)
{
    // The bars report every move (ScrollHorz, ScrollVert).
    HorzBar().SetPosition(position.X);
    VertBar().SetPosition(position.Y);
}

void TWeavingImageScroller::SetImageColour(fw::Color colour)
{
    Background().SetColour(colour);
    view_->SetColor(colour);
    view_->Invalidate();
}

void TWeavingImageScroller::ScrollHorz(int)
{
    view_->ScrolledTo(ScrollOffset());
}

void TWeavingImageScroller::ScrollVert(int)
{
    view_->ScrolledTo(ScrollOffset());
}

fw::Rect TWeavingImageScroller::GetContentExtent() const
{
    // The image, placed as the bars have scrolled it.
    const fw::Point offset = ScrollOffset();
    return fw::Rect{-offset.X, -offset.Y, imageSize_.Width - 1 - offset.X, imageSize_.Height - 1 - offset.Y};
}
