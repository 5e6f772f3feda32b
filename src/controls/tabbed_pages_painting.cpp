// How a page control paints: the tab strip over its parent's fill, the active tab on top.
#include "controls/tab_painting.h"
#include "controls/tabbed_pages.h"

TILBrushControl* TILBrushPageControl::ParentControl() const
{
    return dynamic_cast<TILBrushControl*>(Parent());
}

const fw::Brush* TILBrushPageControl::ControlBrush() const
{
    parentBrush_ = fw::Brush{Color(), fw::BrushStyle::Solid, nullptr};
    ApplyFrameworkControlBrush(Parent(), parentBrush_);
    return &parentBrush_;
}

// --- Painting ---------------------------------------------------------------------------------

void TILBrushPageControl::EraseBackground()
{
    // Only what neither the strip nor a page covers shows this: the parent's fill.
    fw::Canvas& canvas = Canvas();
    const fw::Brush saved = canvas.Brush();
    canvas.Brush() = *ControlBrush();
    canvas.FillRect(ClientRect());
    canvas.Brush() = saved;
}

void TILBrushPageControl::Paint()
{
    if (!showTabs_) {
        return;
    }
    const TILTabRect strip = TabStrip();
    if (strip.Width() <= 0 || strip.Height() <= 0) {
        return;
    }
    fw::Bitmap picture(strip.Width(), strip.Height());
    fw::Canvas canvas(picture, EffectivePaintBackend());
    canvas.Brush() = *ControlBrush();
    canvas.FillRect(picture.Bounds());

    const int dx = -strip.Left;
    const int dy = -strip.Top;
    const int activeIndex = pages_->ShownIndexOf(activePage_);
    for (int index = firstShownTab_; index <= lastFullyShownTab_; ++index) {
        TILBrushPage* page = pages_->ShownItems(index);
        if (page != nullptr && page != activePage_) {
            DrawTab(canvas, *page, dx, dy);
        }
    }
    // The active tab lies over its neighbours.
    if (activePage_ != nullptr && activeIndex >= firstShownTab_ && activeIndex <= lastFullyShownTab_) {
        DrawTab(canvas, *activePage_, dx, dy);
    }
    arrows_->Invalidate();
    Canvas().Draw(strip.Left, strip.Top, picture);
}

void TILBrushPageControl::DrawTab(fw::Canvas& canvas, TILBrushPage& page, int dx, int dy)
{
    const TILTabRect tab = page.TabRect().Offsetted(dx, dy);
    TILBrush& fill = ownerTabColour_ ? page.DrawData().FillBrush() : tabData_.FillBrush();
    fill.PaintTo(canvas);
    const TILTabShape shape{SideOf(tabPosition_), roundedTabs_, horzTabRounding_, vertTabRounding_};
    FillTab(canvas, tab, shape);
    DrawTabEdges(canvas, tab, shape, tabData_);

    // The caption keeps clear of the icon, in what the auto-size made room for.
    fw::Rect captionArea = tab.Inclusive();
    if (HasValidIcon(page)) {
        const fw::ImageList& list = *icons_.ImageList();
        const fw::Point origin = icons_.CalcOrigin(list.Width(), list.Height(), tab.Inclusive());
        list.Draw(canvas, origin.X, origin.Y, page.IconIndex());
        icons_.ExcludeFromRect(origin, list.Width(), captionArea, list.Height());
    }
    if (canvas.Backend() == nullptr) {
        return;
    }
    canvas.Font() = tabCaptionFont_;
    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.Brush().Bitmap = nullptr;
    // The text drawing takes its rectangle one past the last pixel.
    tabCaptionPos_.DrawText(
        canvas, fw::Rect{captionArea.Left, captionArea.Top, captionArea.Right + 1, captionArea.Bottom + 1},
        page.PageName());
}
