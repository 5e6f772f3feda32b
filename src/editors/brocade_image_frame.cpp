#include "editors/brocade_image_frame.h"

#include <algorithm>

#include "model/brocade_pattern.h"
#include "model/weaving.h"

fw::Rect BrocadeWeftBar(const TWeavingImageGeometry& geometry, int pick, int firstColumn, int lastColumn)
{
    const TWeavingCellPolygon first = geometry.CellPolygon(firstColumn, pick, 0, 0);
    const TWeavingCellPolygon last = geometry.CellPolygon(lastColumn, pick, 0, 0);
    int left = first[0].X;
    int right = first[0].X;
    int top = first[0].Y;
    int bottom = first[0].Y;
    for (const TWeavingCellPolygon* polygon : {&first, &last}) {
        for (const fw::Point& point : *polygon) {
            left = std::min(left, point.X);
            right = std::max(right, point.X);
            top = std::min(top, point.Y);
            bottom = std::max(bottom, point.Y);
        }
    }
    const int inset = geometry.FirstPickInset() / 2;
    if (geometry.Horizontal()) {
        return fw::Rect{left + inset, top, right - inset, bottom + 1};
    }
    return fw::Rect{left, top + inset, right + 1, bottom - inset};
}

TfrmTWBrocadeImage::TfrmTWBrocadeImage(fw::Component* owner) : TfrmWeavingImage(owner)
{
    SetName("frmTWBrocadeImage");
}

void TfrmTWBrocadeImage::DrawTo(fw::Color gridColour, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area,
                                const TTWWeaving* weaving)
{
    TfrmWeavingImage::DrawTo(gridColour, canvas, offset, area, weaving);
    const TTWWeaving* drawn = weaving != nullptr ? weaving : Weaving();
    if (pattern_ == nullptr || drawn == nullptr || drawn->Reverse() || drawn->Width() == 0
        || drawn->PickCount() == 0) {
        return;
    }
    DrawWefts(canvas, offset, area, *drawn);
}

void TfrmTWBrocadeImage::DrawWefts(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area,
                                   const TTWWeaving& weaving) const
{
    const TWeavingImageGeometry geometry(CellWidth(), CellHeight(), SlantDepth(), Horizontal(), RealImage(),
                                         weaving.Width(), weaving.PickCount());
    const TWeavingCellRange near = geometry.CellsNear(area);
    if (near.IsEmpty()) {
        return;
    }
    // The band's columns begin with the left selvedge's cards.
    const int firstCardColumn = pattern_->SelvedgeLeft().Count() + 1;
    const TTWBrocadePickList& picks = pattern_->BrocadePicks();
    const int lastPick = std::min(near.LastPick, picks.Count());
    const fw::Brush brush = canvas.Brush();
    for (int pickNumber = near.FirstPick; pickNumber <= lastPick; ++pickNumber) {
        const TTWBrocadePick& pick = *picks.Items(pickNumber - 1);
        const int width = pick.Width();
        for (int card = pick.FindNextWeftStart(-1); card < width; card = pick.FindNextWeftStart(card)) {
            const int end = pick.GetWeftRunEnd(card);
            const TTWColour colour = pick.GetWeftColour(card);
            const int firstColumn = card + firstCardColumn;
            const int lastColumn = std::min(end + firstCardColumn, weaving.Width());
            if (colour != NoColour && firstColumn <= weaving.Width()) {
                const fw::Rect bar = BrocadeWeftBar(geometry, pickNumber, firstColumn, lastColumn);
                canvas.Brush() = fw::Brush{static_cast<fw::Color>(colour), fw::BrushStyle::Solid, nullptr};
                canvas.FillRect(
                    fw::Rect{bar.Left + offset.X, bar.Top + offset.Y, bar.Right + offset.X, bar.Bottom + offset.Y});
            }
            card = end;
        }
    }
    canvas.Brush() = brush;
}
