#pragma once

#include <map>
#include <optional>
#include <string>

#include "editors/weaving_image_frame_geometry.h"
#include "editors/weaving_image_frame_raster.h"
#include "framework/core/canvas.h"
#include "model/display_profile.h"

class TTWWeaving;
class TTWWeavingCell;
class TTWUserSettings;

// How the cells of a weaving image are drawn: the frame's options with the colours of the
// user's settings, gathered once per paint.
struct TWeavingImageStyle {
    // The cell outlines; fw::clNone when the grid is hidden (the outline then takes the
    // cell's own fill).
    fw::Color GridColour = fw::clNone;
    // The views' background, and the fill of cells while colours are hidden.
    fw::Color BackColour = fw::clBtnFace;
    bool ShowColours = true;
    // Lines every so many columns; only while the grid is shown.
    bool GridHighlights = false;
    int HighlightInterval = 4;
    fw::Color HighlightColour = fw::clRed;
    // 2: a third of the cell width, 3: two thirds, otherwise 1 pixel.
    int HighlightWidthMode = 1;
    bool ShowTwining = true;
    bool MarkDirChanges = false;
    bool MarkTwists = false;
    bool MarkLongFloats = false;
    bool MarkIdle = false;
    TTWTagType TagType = TTWTagType::None;
    // How the turning direction shows with tag type 2: 0 letters, 1 a line through each
    // turned cell, 2 fills (silver idle, white forwards, black backwards).
    int TurnDirDisplay = 0;
    bool TwineUseDefault = true;
    fw::Color STwineColour = fw::clRed;
    fw::Color ZTwineColour = fw::clBlue;
    fw::Color LongFloat3Colour = fw::clRed;
    fw::Color LongFloat4Colour = fw::clYellow;
    fw::Color LongFloat5Colour = fw::clFuchsia;
    // The tag letters: only when readable, in this font at this offset from the origin.
    bool LabelsReadable = false;
    fw::Font LabelFont;
    fw::Point TagOffset;

    // The colours of the settings; the options stay as they are.
    void TakeSettings(const TTWUserSettings& settings);
};

// Draws the cells of a band, or of the part of it around one area, onto a canvas. The image
// is drawn shifted by `offset` (a canvas pixel = image pixel + offset), so a view can paint
// just what it shows of a long band.
//
// Every cell is drawn pick by pick, column by column: its fill and outline, grid highlights,
// the twining or direction line of the block chart, its marks and its tag. The outlines of
// long floats come in a second pass over the same cells, so that later picks cannot cover
// them.
class TWeavingImagePainter {
public:
    TWeavingImagePainter(fw::Canvas& canvas, fw::Point offset, const TWeavingImageGeometry& geometry,
                         const TWeavingImageStyle& style);

    // Every cell that may reach into the area (image coordinates), then the float outlines.
    void DrawCells(const TTWWeaving& weaving, const fw::Rect& area);

    // One cell without its float outline (weaving_image_frame_painter.cpp).
    void DrawCell(const TTWWeaving& weaving, const TTWWeavingCell& cell);
    // The outline around the float that begins at the cell.
    void DrawFloatOutline(const TTWWeaving& weaving, const TTWWeavingCell& floatStart);

    // The three marks and the tag of a cell (weaving_image_frame_markers.cpp).
    void DrawMarks(const TTWWeavingCell& cell);
    void DrawTag(const TTWWeavingCell& cell);

    // What fills a cell.
    fw::Color FillColour(const TTWWeavingCell& cell) const;

private:
    fw::Point Shifted(fw::Point point) const { return fw::Point{point.X + offset_.X, point.Y + offset_.Y}; }
    TWeavingCellPolygon ShiftedPolygon(const TWeavingCellPolygon& polygon) const;
    void DrawShape(const TWeavingCellPolygon& polygon, fw::Color fill, fw::Color pen);
    void DrawLine(fw::Point from, fw::Point to, int width, fw::Color colour, fw::PenMode mode);
    void DrawHighlights(const TTWWeavingCell& cell, const TWeavingCellPolygon& polygon);
    void DrawDiagonal(const TTWWeavingCell& cell, const TWeavingCellPolygon& polygon, fw::Color fill);
    void DrawText(fw::Point at, const std::string& text);

    fw::Canvas& canvas_;
    fw::Point offset_;
    const TWeavingImageGeometry& geometry_;
    const TWeavingImageStyle& style_;
    // Set when the canvas may paint exactly one rectangle: then the many small shapes go
    // straight into its bitmap.
    std::optional<TWeavingRaster> raster_;
    // The ink of each tag text at (0, 0), measured once per paint.
    std::map<std::string, fw::Region> tagInk_;
};
