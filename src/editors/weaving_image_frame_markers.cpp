// The marks on the cells of a weaving image (twists, reversals, idle cards) and the tag
// letters.

#include <string>

#include "editors/weaving_image_frame_painter.h"
#include "framework/core/paint_backend.h"
#include "model/weaving.h"

void TWeavingImagePainter::DrawMarks(const TTWWeavingCell& cell)
{
    if (!(style_.MarkTwists && cell.Twisted) && !(style_.MarkDirChanges && cell.Reversal) &&
        !(style_.MarkIdle && cell.IsIdle())) {
        return;
    }
    const fw::Point centre = Shifted(geometry_.MarkerPoint(cell.ColumnNumber(), cell.PickNumber()));
    const int cx = centre.X;
    const int cy = centre.Y;
    const int w = geometry_.CellWidth();
    if (style_.MarkTwists && cell.Twisted) {
        const int halfHeight = (2 * geometry_.SlantDepth() + geometry_.CentreHeight()) / 4;
        const TWeavingCellPolygon diamond = {fw::Point{cx - w / 2, cy}, fw::Point{cx, cy - halfHeight},
                                             fw::Point{cx + w / 2, cy}, fw::Point{cx, cy + halfHeight}};
        DrawShape(diamond, fw::clBlue, fw::clRed);
    }
    const int q = w / 3;
    const fw::Rect box{cx - q, cy - q, cx + q + 1, cy + q + 1};
    if (style_.MarkDirChanges && cell.Reversal) {
        canvas_.Pen() = fw::Pen{fw::clWhite, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
        canvas_.Brush() = fw::Brush{fw::clRed, fw::BrushStyle::Solid, nullptr};
        canvas_.Ellipse(box);
    }
    if (style_.MarkIdle && cell.IsIdle()) {
        canvas_.Pen() = fw::Pen{fw::clLime, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
        canvas_.Brush() = fw::Brush{fw::clGreen, fw::BrushStyle::Solid, nullptr};
        canvas_.Rectangle(box);
    }
}

void TWeavingImagePainter::DrawTag(const TTWWeavingCell& cell)
{
    if (!style_.LabelsReadable || style_.TagType == TTWTagType::None) {
        return;
    }
    std::string text;
    if (style_.TagType == TTWTagType::Hole) {
        text = std::string(1, static_cast<char>('A' + cell.Hole));
    } else if (style_.TurnDirDisplay == 0) {
        text = cell.TurnDir == TurnIdle ? "-" : cell.TurnDir == TurnForwards ? "F" : "B";
    } else {
        return;
    }
    const fw::Point origin = geometry_.CellOrigin(cell.ColumnNumber(), cell.PickNumber());
    DrawText(Shifted(fw::Point{origin.X + style_.TagOffset.X, origin.Y + style_.TagOffset.Y}), text);
}

void TWeavingImagePainter::DrawText(fw::Point at, const std::string& text)
{
    fw::PaintBackend* backend = canvas_.Backend();
    if (backend == nullptr) {
        return;
    }
    // A band shows the same few letters thousands of times: each is measured once, and its
    // ink painted where it goes, as a transparent text output paints it.
    auto found = tagInk_.find(text);
    if (found == tagInk_.end()) {
        found = tagInk_.emplace(text, backend->TextPixels(style_.LabelFont, 0, 0, 0, text)).first;
    }
    canvas_.Brush() = fw::Brush{style_.LabelFont.Color, fw::BrushStyle::Solid, nullptr};
    canvas_.FillRegion(found->second.Offsetted(at.X, at.Y));
}
