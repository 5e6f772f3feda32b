#include "controls/position.h"

#include "foundation/text_drawing.h"

void TILPositionBase::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
}

void TILPositionBase::SetAlignHorz(THCanvasTextPosition align)
{
    alignHorz_ = align;
    Changed();
}

void TILPositionBase::SetAlignVert(TVCanvasTextPosition align)
{
    alignVert_ = align;
    Changed();
}

void TILPositionBase::SetHorzMargin(int margin)
{
    horzMargin_ = margin;
    Changed();
}

void TILPositionBase::SetVertMargin(int margin)
{
    vertMargin_ = margin;
    Changed();
}

void TILPositionBase::Assign(const fw::Persistent* source)
{
    const auto* position = dynamic_cast<const TILPositionBase*>(source);
    if (position == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    // Read first: the source may be this object, and each setter may run handlers.
    const THCanvasTextPosition horz = position->alignHorz_;
    const TVCanvasTextPosition vert = position->alignVert_;
    const int horzMargin = position->horzMargin_;
    const int vertMargin = position->vertMargin_;
    SetAlignHorz(horz);
    SetAlignVert(vert);
    SetHorzMargin(horzMargin);
    SetVertMargin(vertMargin);
}

fw::Point TILPositionBase::CalcOrigin(int width, int height, const fw::Rect& rect) const
{
    fw::Point origin;
    switch (alignHorz_) {
    case THCanvasTextPosition::Left:
        origin.X = rect.Left + horzMargin_;
        break;
    case THCanvasTextPosition::Right:
        origin.X = rect.Right - width + 1 - horzMargin_;
        break;
    case THCanvasTextPosition::Centre:
        origin.X = rect.Left + (rect.Right - rect.Left + 1 - width) / 2;
        break;
    }
    switch (alignVert_) {
    case TVCanvasTextPosition::Top:
        origin.Y = rect.Top + vertMargin_;
        break;
    case TVCanvasTextPosition::Bottom:
        origin.Y = rect.Bottom - height + 1 - vertMargin_;
        break;
    case TVCanvasTextPosition::Centre:
        origin.Y = rect.Top + (rect.Bottom - rect.Top + 1 - height) / 2;
        break;
    }
    return origin;
}

fw::Point TILPositionBase::CalcGraphicOrigin(const fw::Bitmap& graphic, const fw::Rect& rect) const
{
    return CalcOrigin(graphic.Width(), graphic.Height(), rect);
}

void TILPositionBase::ExcludeFromRect(fw::Point origin, int width, fw::Rect& rect, int height) const
{
    const int x1 = origin.X - horzMargin_;
    const int x2 = origin.X + width - 1 + horzMargin_;
    const int y1 = origin.Y - vertMargin_;
    const int y2 = origin.Y + height - 1 + vertMargin_;

    const bool leftRule = alignHorz_ == THCanvasTextPosition::Left
        || (alignHorz_ == THCanvasTextPosition::Centre && alignVert_ != TVCanvasTextPosition::Bottom);
    if (leftRule) {
        if (rect.Left <= x2 && rect.Right >= x1) {
            rect.Left = x2 + 1;
        }
    } else if (alignHorz_ == THCanvasTextPosition::Right) {
        if (rect.Right >= x1 && rect.Left <= x2) {
            rect.Right = x1 - 1;
        }
    }

    if (alignVert_ == TVCanvasTextPosition::Top) {
        if (rect.Top <= y2 && rect.Bottom >= y1) {
            rect.Top = y2 + 1;
        }
    } else if (alignVert_ == TVCanvasTextPosition::Bottom) {
        if (rect.Bottom >= y1 && rect.Top <= y2) {
            rect.Bottom = y1 - 1;
        }
    }
}

void TILPositionBase::ExcludeGraphic(fw::Point origin, const fw::Bitmap& graphic, fw::Rect& rect) const
{
    ExcludeFromRect(origin, graphic.Width(), rect, graphic.Height());
}

void TILTextPosition::SetWrap(bool wrap)
{
    wrap_ = wrap;
    Changed();
}

void TILTextPosition::Assign(const fw::Persistent* source)
{
    TILPositionBase::Assign(source);
    if (const auto* text = dynamic_cast<const TILTextPosition*>(source)) {
        SetWrap(text->wrap_);
    }
}

fw::Rect TILTextPosition::DrawText(fw::Canvas& canvas, const fw::Rect& rect, std::string_view text, int xOffset,
                                   int yOffset) const
{
    const fw::Rect inside{rect.Left + HorzMargin(), rect.Top + VertMargin(), rect.Right - HorzMargin(),
                          rect.Bottom - VertMargin()};
    return DrawWrappedText(canvas, inside, inside, xOffset, yOffset, wrap_, static_cast<TextAlignment>(AlignVert()),
                           static_cast<TextAlignment>(AlignHorz()), text);
}

void TILControlIcons::SetImageList(fw::ImageList* imageList)
{
    imageList_ = imageList;
    Changed();
}

void TILControlIcons::Assign(const fw::Persistent* source)
{
    TILImagePosition::Assign(source);
    if (const auto* icons = dynamic_cast<const TILControlIcons*>(source)) {
        SetImageList(icons->imageList_);
    }
}
