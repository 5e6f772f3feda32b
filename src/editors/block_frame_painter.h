#pragma once

#include <cstdint>
#include <functional>

#include "editors/block_frame_geometry.h"
#include "framework/core/canvas.h"

class TTWUserSettings;

// The twining bytes of a cell record name the slant of the mark drawn over the cell (or one
// half of it), as the band shows it. They are the same code as a woven cell's slant
// (TTWWeavingCell::Slant) and a card's threading: a card threaded S and turned forwards lies
// "/", which the settings call Z-twined; threaded Z it lies "\", S-twined. So an editor
// passes a forwards-turning card's threading code straight through, and one that turns
// backwards passes the other code.
inline constexpr std::uint8_t TwineSlash = 0;     // "/", coloured as Z-twined
inline constexpr std::uint8_t TwineBackslash = 1; // "\", coloured as S-twined
// In the second byte: one mark over the whole cell, in the first byte's direction.
inline constexpr std::uint8_t TwineWholeCell = 2;

// What one cell is drawn with. The editors fill or adjust it through the frame's events.
struct TBlockCellInfo {
    int Column = 0;
    int Row = 0;
    // Two different colours draw the cell as two triangles; the first byte then also chooses
    // the diagonal.
    fw::Color FirstColour = fw::clWhite;
    fw::Color SecondColour = fw::clWhite;
    std::uint8_t Twine1 = TwineSlash;
    std::uint8_t Twine2 = TwineWholeCell;
    TBlockCellCorners Corners{};
};

// The frame's display options and the user's colours, gathered once per paint.
struct TBlockFrameStyle {
    fw::Color GridColour = fw::clBlack;
    bool ShowGrid = true;
    // The highlighted boundaries: every HighlightX-th column and HighlightY-th row boundary
    // (0: none), in HighlightColour, a third of the cell width wide (mode 2), two thirds
    // (mode 3) or 1 pixel.
    bool ShowGridHighlights = true;
    int HighlightX = 0;
    int HighlightY = 0;
    fw::Color HighlightColour = fw::clRed;
    int HighlightWidthMode = 1;
    bool ShowTwist = false;
    bool TwineUseDefault = true;
    fw::Color STwineColour = 0x0000FF;
    fw::Color ZTwineColour = 0xFF0000;
    // The image area's colour: the tag margin and, staggered, the whole image underneath.
    fw::Color BackColour = fw::clBtnFace;
    fw::Color SelectionColour = 0x0000FF;
    // Every cell drawn through its record (SimpleDraw and ShowBasicPattern both off);
    // otherwise the overview is stretched over the grid.
    bool CellByCell = false;

    // The highlight and twining colours of the settings; the options stay as they are.
    void TakeSettings(const TTWUserSettings& settings);
};

// Answers the record of a cell (the frame's GetCellInfo, with its events).
using TBlockCellInfoSource = std::function<TBlockCellInfo(int x, int y)>;
// An editor's own drawing over a cell, after the frame's.
using TBlockDrawCellHook = std::function<void(const TBlockCellInfo& info, fw::Canvas& canvas)>;

// Draws a block design as the frame's main image shows it: the overview stretched over the
// grid or every cell by its record, the twining marks, the grid lines and highlights, the
// tags, and the selection. The image is drawn whole (to save, print or copy it) or a part of
// it at a time onto a view's canvas: any part comes out pixel for pixel as the whole has it.
class TBlockFramePainter {
public:
    TBlockFramePainter(const TBlockFrameGeometry& geometry, const TBlockFrameStyle& style,
                       TBlockCellInfoSource cellInfo, TBlockDrawCellHook drawCell = {});

    // The overview: one pixel per cell (vertical: (x, GH - 1 - y) of a GW x GH bitmap;
    // horizontal: (GH - 1 - y, GW - 1 - x) of a GH x GW bitmap). It is built a design row at a
    // time: `row` fills the plain colours of the GW cells of row y. The bitmap keeps its
    // storage when its size is unchanged.
    using SnapshotRow = std::function<void(int y, std::uint32_t* colours)>;
    static void BuildSnapshot(fw::Bitmap& snapshot, const TBlockFrameGeometry& geometry, const SnapshotRow& row);
    // The one pixel of cell (x, y) in an overview built for the geometry.
    static void SetSnapshotCell(fw::Bitmap& snapshot, const TBlockFrameGeometry& geometry, int x, int y,
                                fw::Color colour);

    // The whole image: sized to the geometry's image size, filled with the back colour when
    // staggered (and in the margin), the cells (stretched overview or cell by cell), the
    // twining marks, the grid lines. Neither tags nor selection.
    void DrawImage(fw::Bitmap& image, const fw::Bitmap& snapshot) const;
    // The pixels of that image inside `area` (image positions), image point p painted on the
    // canvas at p + offset, each as DrawImage paints it; nothing outside the area, the image and
    // the canvas's clip. Only the cells reaching into the area are visited, so a view of a large
    // design costs what it shows, not the design. An editor's drawing over a cell gets the
    // record's corners where the cell lies on this canvas.
    void DrawArea(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area, const fw::Bitmap& snapshot) const;
    // One cell by its record: fill or two triangles, twining marks, the hook, and with
    // gridLines (and the grid shown) the cell's boundary lines.
    void DrawCell(fw::Canvas& canvas, int x, int y, bool gridLines) const;
    // One cell as the overview shows it (the normal display): its block of the stretched
    // overview, its twining marks, and with gridLines its boundary lines.
    void DrawSnapshotCell(fw::Canvas& canvas, const fw::Bitmap& snapshot, int x, int y, bool gridLines) const;
    void DrawGridLines(fw::Canvas& canvas) const;
    void DrawTwineMarks(fw::Canvas& canvas, const TBlockCellInfo& info) const;
    // Pick numbers, card numbers and "Card" with its arrow in the margin (filled with the
    // back colour first). Only when the margin is in use.
    void DrawTags(fw::Canvas& canvas) const;
    // The same for the image's pixels inside `area`, placed as DrawArea places them.
    void DrawTags(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) const;
    // The selection rectangle around the area's cells in not-xor mode: drawing it twice
    // leaves the image as it was.
    void ToggleSelection(fw::Canvas& canvas, const fw::Rect& areaPixels) const;

private:
    const TBlockFrameGeometry& geometry_;
    const TBlockFrameStyle& style_;
    TBlockCellInfoSource cellInfo_;
    TBlockDrawCellHook drawCell_;
};
