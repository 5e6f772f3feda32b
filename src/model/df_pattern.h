#pragma once

#include <cstdint>
#include <string_view>

#include "framework/core/bitmap.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"

class TTWPickList;

// The double-face pattern: a two-state grid of card columns and design rows, the cards that
// weave it, a palette and the number of colours (2, 4 or 6). Each design row is woven as two
// picks (three with six colours). It is also the base of the 3/1 broken twill and of the
// twist-patterned pattern, which share its grid and its file form.
//
// Cell (x, y) is card column x from the left and design row y from the bottom. The grid is a
// monochrome picture whose top row is the last design row, so that it can be drawn as it is
// woven: the cell is the pixel at column x, picture row Length - 1 - y, black when set.
class TTWDFPattern : public TTWPatternBase {
public:
    // The width is the card count, held to what every pattern may have; the length is far
    // beyond any band that can be woven; the cells are those a file may hold
    // (MaxDesignCells), so that a design made in any way opens again once it is saved.
    // Larger sizes come from damaged files or runaway callers and are refused before
    // anything is allocated.
    static constexpr int MaxWidth = MaxPatternCards;
    static constexpr int MaxLength = 1'000'000;

    // An empty grid, no cards, two colours, a copy of the colours of the user's default
    // palette; cards and palette are written to files.
    TTWDFPattern();
    ~TTWDFPattern() override;

    std::string_view className() const override { return "TTWDFPattern"; }
    fw::Object* NewInstance() const override { return new TTWDFPattern; }
    // The base's copy; from a double-face pattern (or a kind derived from it) also its size,
    // cards, grid and colour count. The palette and SaveCardsAndPalette stay.
    void Assign(const fw::Persistent* source) override;

    int GetPatternType() const override { return PatternTypeDoubleFace; }
    int GetCardCount() const override { return width_; }
    // Two picks per design row, whatever the colour count.
    int GetPickCount() const override { return length_ * 2; }
    TTWCardList* GetCards() override { return &cards_; }
    const TTWCardList* GetCards() const override { return &cards_; }
    TTWPalette* GetPalette() override { return &palette_; }
    const TTWPalette* GetPalette() const override { return &palette_; }

    // The cards refer to the palette; both stay inside the pattern.
    TTWCardList& Cards() { return cards_; }
    const TTWCardList& Cards() const { return cards_; }
    TTWPalette& Palette() { return palette_; }
    const TTWPalette& Palette() const { return palette_; }

    // Card columns and design rows.
    int Width() const { return width_; }
    int Length() const { return length_; }
    // Resize the grid. The picture keeps its pixels anchored at its top-left corner, so a
    // new length moves the design rows (counted from the bottom); newly exposed cells are
    // clear. A negative size counts as 0; a size beyond MaxWidth or MaxLength raises and
    // changes nothing, and so does one of more cells than MaxDesignCells, with the text of
    // PatternCellsText.
    void SetWidth(int width) { SetSize(width, length_); }
    void SetLength(int length) { SetSize(width_, length); }
    void SetSize(int width, int length);

    // 2, 4 or 6; any other number is taken as 2.
    int ColourCount() const { return colourCount_; }
    void SetColourCount(int colourCount);
    // When false, files get neither the cards nor the palette.
    bool SaveCardsAndPalette() const { return saveCardsAndPalette_; }
    void SetSaveCardsAndPalette(bool save) { saveCardsAndPalette_ = save; }

    // False outside the grid.
    bool GetCell(int x, int y) const;
    // Outside the grid nothing happens.
    void SetCell(int x, int y, bool set);
    // Whether a run of equal cells starts at the cell, seen from the bottom: a set cell in
    // row 0, or a cell that differs from the one below it. False outside the grid.
    bool IsRunStart(int x, int y) const;
    // The grid as a picture, for drawing and for the glyphs of fonts.
    const fw::Bitmap& Grid() const { return grid_; }

    // The cards become copies of these; packs and picks are replaced by one pick per design
    // row that turns every card one hole, backwards where the cell is set in an even row or
    // clear in an odd one, and that pick is repeated once (twice with six colours). Name,
    // notes, selvedges and palette of the target stay. A design of more turns than
    // TTWPattern::MaxConvertedTurns raises and leaves the target as it was.
    void ConvertToThreaded(TTWPattern& target) override;

    // The base's element, then "Width", "Length", "ColourCount", "Cards" and "Palette" (when
    // they are saved) and "Data" with one row of "X" and "." per design row, top row first.
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // The base's fields, then cards and palette where present, the size, the colour count
    // and the rows of "Data". Rows the file does not hold keep their cells.
    void ExtractXML(const TILXMLNode* element, double& version) override;

protected:
    // Gives every grid of the kind the new size, which has been checked.
    virtual void ResizeGrids(int width, int length);

    // Grids of the same addressing as the design grid: cell (x, y) at picture row
    // height - 1 - y, black when set.
    static bool GridCell(const fw::Bitmap& grid, int x, int y);
    static void SetGridCell(fw::Bitmap& grid, int x, int y, bool set);
    // Adds one child "P" + (y + 1) per design row to the element, from the top row down,
    // each holding one character per column: "X" set, "." clear.
    static void WriteGridRows(TILXMLNode* element, const fw::Bitmap& grid);
    // Reads such rows in document order: the row is the number after the tag's first letter
    // less one, counted from the top when rows are stored mirrored; "X" and "F" set a cell,
    // any other character clears it. Rows and characters outside the grid are passed over
    // while they set no cell; one that does is refused, naming the row and the element.
    static void ReadGridRows(const TILXMLNode* element, fw::Bitmap& grid, bool mirrored);

private:
    int width_ = 0;
    int length_ = 0;
    // Declared before the cards, which refer to it.
    TTWPalette palette_;
    TTWCardList cards_;
    fw::Bitmap grid_{0, 0, true};
    int colourCount_ = 2;
    bool saveCardsAndPalette_ = true;
};

// The picks that weave a double-face design drawn as the pattern's grid is (picture row
// height - 1 - y is design row y, black set): for each design row from the bottom one pick
// that turns card x + 1 one hole, backwards where the cell is set in an even row or clear in
// an odd one, followed by one copy of it (two with six colours). They are appended to the
// list; the caller checks the size first (TTWPattern::CheckConversionSize).
void AppendDoubleFacePicks(const fw::Bitmap& grid, int colourCount, TTWPickList& picks);

// Puts the double-face pattern into the kind table; the model's initialisation calls it.
void RegisterDoubleFacePattern();
