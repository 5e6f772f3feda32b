#include "forms/long_lines.h"

void ForEachLongLineStroke(int from, int to, const std::function<void(int end)>& stroke)
{
    int position = from;
    // Widened so that targets near the ends of the int range cannot overflow the test.
    while (static_cast<long long>(to) - position > LongLineSegment) {
        position += LongLineSegment;
        stroke(position);
    }
    stroke(to);
}

void DrawHorzLineTo(fw::Canvas& canvas, int x)
{
    const int y = canvas.PenPos().Y;
    ForEachLongLineStroke(canvas.PenPos().X, x, [&](int end) { canvas.LineTo(end, y); });
}

void DrawVertLineTo(fw::Canvas& canvas, int y)
{
    const int x = canvas.PenPos().X;
    ForEachLongLineStroke(canvas.PenPos().Y, y, [&](int end) { canvas.LineTo(x, end); });
}
