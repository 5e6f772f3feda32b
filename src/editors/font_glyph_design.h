#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "framework/core/bitmap.h"
#include "treegrid/tree_cell.h"

class TfrmBlockPattern;
class TILTreeNode;
class TTWPattern;
struct TBlockCellInfo;

// What the font generator and the lettered-band editor share: how a letter's glyph lies on
// the block grid, the design woven from the grid, the twining marks of its cells, and the
// glyph pictures of their letter lists.
//
// A glyph's x runs along the band and its y across it (one pixel per card), while the grid
// has one column per card and one row per row of the band. Drawn on a grid turned a quarter
// (horizontal orientation), a letter then reads upright and from left to right.

// The grid's design bitmap for a glyph: as wide as the glyph is high (one column per card),
// as high as it is wide; glyph pixel (x, y) is design pixel (width - 1 - y, x).
fw::Bitmap GlyphToDesign(const fw::Bitmap& glyph);
// The glyph a design bitmap shows: width = the design's height, height = the design's
// width, glyph pixel (x, y) from design pixel (glyph height - 1 - y, x).
fw::Bitmap DesignToGlyph(const fw::Bitmap& design);
// The grid's cells as a monochrome design bitmap, black where a cell is set.
fw::Bitmap DesignOfGrid(const TfrmBlockPattern& grid);

// The threaded-in form of the grid's design woven in double face: one four-hole card per
// column (holes A and B palette colour 0, C and D colour 1) threaded by the font's scheme,
// and every design row from row 0 upwards woven as two picks, a card turning backwards where
// the cell differs from the row's parity. The target's name, palette and selvedges stay.
void BuildLetterThreadedPattern(const TfrmBlockPattern& grid, std::uint8_t threading, TTWPattern& target);

// The twining marks of a lettered design's cell: the card's threading code (all S 0, all Z
// 1, alternating 1 on odd columns and 0 on even ones), the other code where the card turns
// backwards (the cell set differs from the row being odd); both bytes alike.
void SetLetterCellTwining(TBlockCellInfo& info, bool set, std::uint8_t threading);

// The picture in a letter list's glyph column: a glyph drawn one pixel per cell, black on
// white, from a picture it keeps or, while it follows a grid, from what the grid shows now.
class TTWGlyphCellGraphic : public TILTreeCellGraphic {
public:
    explicit TTWGlyphCellGraphic(fw::Bitmap glyph = fw::Bitmap());

    std::string_view className() const override { return "TTWGlyphCellGraphic"; }

    // The glyph kept; following a grid ends.
    void SetGlyph(fw::Bitmap glyph);
    // Shows what the source answers, at every paint, until a glyph is set again.
    void Follow(std::function<fw::Bitmap()> source);
    bool Following() const { return static_cast<bool>(source_); }
    // The picture shown now.
    fw::Bitmap Picture() const;

    int Width() const override;
    int Height() const override;
    void Draw(fw::Canvas& canvas, int x, int y) const override;

private:
    fw::Bitmap glyph_;
    std::function<fw::Bitmap()> source_;
};

// Puts a new glyph graphic into a list cell (the cell owns it) and answers it.
TTWGlyphCellGraphic* SetGlyphCell(TILTreeNode& row, int column, fw::Bitmap glyph);
// The glyph graphic of a list cell; none.
TTWGlyphCellGraphic* GlyphCellOf(TILTreeNode& row, int column);
