#pragma once

#include "controls/brush_bevel.h"
#include "controls/tab_geometry.h"

// How the tabs of a strip are shaped: rounded or square corners away from the page.
struct TILTabShape {
    TILTabSide Side = TILTabSide::Top;
    bool Rounded = true;
    int HorzRounding = 5;
    int VertRounding = 5;
};

// Fills the tab with the canvas brush (which the caller has set, pen clear): with rounded
// tabs a rounded piece and a square piece, so that only the two corners away from the page
// are round. Like the platform's shapes drawn without a pen, the fill stops one pixel short
// of the tab's right column and bottom row.
void FillTab(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape);

// One ring of the tab's edge, i pixels inside: the three sides away from the page, and
// with rounded tabs the arcs of the two outer corners, in the order that goes round them.
// Sides and halves of corners facing up or left take topLeft, the others bottomRight.
void DrawTabRing(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape, int ring, fw::Color topLeft,
                 fw::Color bottomRight);

// The tab's edges in the bevel's colours, pen solid, copy mode, one pixel wide: with both
// cuts set, the inner cut on rings 0 and 1 and then the outer cut on ring 0 over them;
// with one cut, that cut on ring 0; nothing without any.
void DrawTabEdges(fw::Canvas& canvas, const TILTabRect& tab, const TILTabShape& shape, const TILBrushBevel& bevel);
