#include "controls/tab_painting.h"

namespace {

struct Corners {
    bool TopLeft = false;
    bool TopRight = false;
    bool BottomLeft = false;
    bool BottomRight = false;
};

// The corners away from the page are the ones that may be round.
Corners OuterCorners(TILTabSide side)
{
    switch (side) {
    case TILTabSide::Left: return Corners{true, false, true, false};
    case TILTabSide::Top: return Corners{true, true, false, false};
    case TILTabSide::Right: return Corners{false, true, false, true};
    case TILTabSide::Bottom: break;
    }
    return Corners{false, false, true, true};
}

enum class Stroke { Left, Top, Right, Bottom, ArcTopLeft, ArcTopRight, ArcBottomLeft, ArcBottomRight };

// The outer outline of a tab, going round clockwise from the page end.
struct StrokeOrder {
    Stroke Items[5];
};

StrokeOrder OrderFor(TILTabSide side)
{
    switch (side) {
    case TILTabSide::Left:
        return StrokeOrder{{Stroke::Bottom, Stroke::ArcBottomLeft, Stroke::Left, Stroke::ArcTopLeft, Stroke::Top}};
    case TILTabSide::Top:
        return StrokeOrder{{Stroke::Left, Stroke::ArcTopLeft, Stroke::Top, Stroke::ArcTopRight, Stroke::Right}};
    case TILTabSide::Right:
        return StrokeOrder{{Stroke::Top, Stroke::ArcTopRight, Stroke::Right, Stroke::ArcBottomRight, Stroke::Bottom}};
    case TILTabSide::Bottom: break;
    }
    return StrokeOrder{{Stroke::Right, Stroke::ArcBottomRight, Stroke::Bottom, Stroke::ArcBottomLeft, Stroke::Left}};
}

void Line(fw::Canvas& canvas, fw::Color colour, int x1, int y1, int x2, int y2)
{
    canvas.Pen().Color = colour;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void ArcIn(fw::Canvas& canvas, fw::Color colour, const fw::Rect& box, fw::Point start, fw::Point end)
{
    canvas.Pen().Color = colour;
    canvas.Arc(box, start, end);
}

class RingPainter {
public:
    RingPainter(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape, int ring, fw::Color topLeft,
                fw::Color bottomRight)
        : canvas_(canvas), t_(tab), hr_(shape.HorzRounding), vr_(shape.VertRounding), i_(ring), light_(topLeft),
          dark_(bottomRight)
    {
        if (shape.Rounded) {
            round_ = OuterCorners(shape.Side);
        }
    }

    void Draw(Stroke stroke)
    {
        const int L = t_.Left;
        const int T = t_.Top;
        const int R = t_.Right;
        const int B = t_.Bottom;
        const int i = i_;
        switch (stroke) {
        case Stroke::Left:
            Line(canvas_, light_, L + i, Bottom(round_.BottomLeft) - i - 1, L + i, Top(round_.TopLeft) + i - 1);
            break;
        case Stroke::Top:
            Line(canvas_, light_, Left(round_.TopLeft) + i, T + i, Right(round_.TopRight) - i, T + i);
            break;
        case Stroke::Right:
            Line(canvas_, dark_, R - i - 1, Top(round_.TopRight) + i, R - i - 1, Bottom(round_.BottomRight) - i);
            break;
        case Stroke::Bottom:
            Line(canvas_, dark_, Left(round_.BottomLeft) + i, B - i - 1, Right(round_.BottomRight) - i, B - i - 1);
            break;
        case Stroke::ArcTopLeft:
            if (round_.TopLeft) {
                const fw::Rect box{L + i, T + i, L + 2 * hr_ - 1 - i, T + 2 * vr_ - 1 - i};
                ArcIn(canvas_, light_, box, fw::Point{L + hr_ - i, T}, fw::Point{L, T + vr_ - i + 1});
            }
            break;
        case Stroke::ArcTopRight:
            if (round_.TopRight) {
                // The mirror of the top-left corner; the half next to the right side is
                // dark, the half next to the top light, split where the box's corner lies.
                const fw::Rect box{R - 2 * hr_ + 1 + i, T + i, R - i, T + 2 * vr_ - 1 - i};
                const fw::Point diagonal{box.Right - 1, box.Top};
                ArcIn(canvas_, dark_, box, fw::Point{R - 1, T + vr_ - i + 1}, diagonal);
                ArcIn(canvas_, light_, box, diagonal, fw::Point{R - 1 - hr_ + i, T});
            }
            break;
        case Stroke::ArcBottomLeft:
            if (round_.BottomLeft) {
                const fw::Rect box{L + i, B - 2 * vr_ + 1 + i, L + 2 * hr_ - 1 - i, B - i};
                const fw::Point diagonal{box.Left, box.Bottom - 1};
                ArcIn(canvas_, light_, box, fw::Point{L, B - vr_ + i - 2}, diagonal);
                ArcIn(canvas_, dark_, box, diagonal, fw::Point{L + hr_ - i, B - 1});
            }
            break;
        case Stroke::ArcBottomRight:
            if (round_.BottomRight) {
                const fw::Rect box{R - 2 * hr_ + 1 + i, B - 2 * vr_ + 1 + i, R - i, B - i};
                ArcIn(canvas_, dark_, box, fw::Point{R - 1 - hr_ + i, B - 1}, fw::Point{R - 1, B - vr_ + i - 2});
            }
            break;
        }
    }

private:
    // A side ends short of a round corner and runs to the tab's edge everywhere else.
    int Left(bool round) const { return round ? t_.Left + hr_ : t_.Left; }
    int Right(bool round) const { return round ? t_.Right - hr_ : t_.Right; }
    int Top(bool round) const { return round ? t_.Top + vr_ : t_.Top; }
    int Bottom(bool round) const { return round ? t_.Bottom - vr_ : t_.Bottom; }

    fw::Canvas& canvas_;
    TILTabRect t_;
    int hr_;
    int vr_;
    int i_;
    fw::Color light_;
    fw::Color dark_;
    Corners round_;
};

} // namespace

void FillTab(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape)
{
    const int L = tab.Left;
    const int T = tab.Top;
    const int R = tab.Right;
    const int B = tab.Bottom;
    if (!shape.Rounded) {
        canvas.Rectangle(L, T, R + 1, B + 1);
        return;
    }
    const int hr = shape.HorzRounding;
    const int vr = shape.VertRounding;
    fw::Rect round;
    fw::Rect square;
    switch (shape.Side) {
    case TILTabSide::Left:
        round = fw::Rect{L, T, L + 2 * hr, B};
        square = fw::Rect{L + hr, T, R, B};
        break;
    case TILTabSide::Top:
        round = fw::Rect{L, T, R, T + 2 * vr};
        square = fw::Rect{L, T + vr, R, B};
        break;
    case TILTabSide::Right:
        round = fw::Rect{R - 2 * hr, T, R, B};
        square = fw::Rect{L, T, R - hr, B};
        break;
    case TILTabSide::Bottom:
        round = fw::Rect{L, B - 2 * vr, R, B};
        square = fw::Rect{L, T, R, B - vr};
        break;
    }
    canvas.RoundRect(fw::Rect{round.Left, round.Top, round.Right + 1, round.Bottom + 1}, 2 * hr, 2 * vr);
    canvas.Rectangle(square.Left, square.Top, square.Right + 1, square.Bottom + 1);
}

void DrawTabRing(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape, int ring, fw::Color topLeft,
                 fw::Color bottomRight)
{
    RingPainter painter(canvas, tab, shape, ring, topLeft, bottomRight);
    for (const Stroke stroke : OrderFor(shape.Side).Items) {
        painter.Draw(stroke);
    }
}

void DrawTabEdges(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape, const TILBrushBevel& bevel)
{
    canvas.Pen().Style = fw::PenStyle::Solid;
    canvas.Pen().Mode = fw::PenMode::Copy;
    canvas.Pen().Width = 1;
    const TBevelCut outer = bevel.BevelOuter();
    const TBevelCut inner = bevel.BevelInner();
    fw::Color topLeft = 0;
    fw::Color bottomRight = 0;
    if (outer != TBevelCut::None && inner != TBevelCut::None) {
        bevel.GetBevelColours(inner, topLeft, bottomRight);
        DrawTabRing(canvas, tab, shape, 0, topLeft, bottomRight);
        DrawTabRing(canvas, tab, shape, 1, topLeft, bottomRight);
        bevel.GetBevelColours(outer, topLeft, bottomRight);
        DrawTabRing(canvas, tab, shape, 0, topLeft, bottomRight);
        return;
    }
    const TBevelCut only = outer != TBevelCut::None ? outer : inner;
    if (only == TBevelCut::None) {
        return;
    }
    bevel.GetBevelColours(only, topLeft, bottomRight);
    DrawTabRing(canvas, tab, shape, 0, topLeft, bottomRight);
}
