#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/object.h"

#include "model/palette.h"
#include "model/turning_codes.h"

class TTWCardList;

// One cell of the woven band: what shows at one column in one pick. Cells are plain values
// held row by row in their band; they know their own place (column and pick), and a float
// names its first and last cell by their pick in the same column, so that no cell ever points
// at another one and a rebuilt band leaves nothing dangling.
class TTWWeavingCell {
public:
    TTWWeavingCell() = default;
    TTWWeavingCell(int column, int pick) : column_(column), pick_(pick) {}

    // The colour of the thread on top, 0x00BBGGRR; NoColour for none.
    TTWColour Colour = 0;
    // The slant of the thread on top: 0 S, 1 Z.
    std::uint8_t Slant = 0;
    // The 0-based hole (in threading order) whose thread is on top.
    std::uint8_t Hole = 0;
    // The card's turning direction changed at this pick.
    bool Reversal = false;
    // The card had been twisted since its last turn.
    bool Twisted = false;
    // TurnIdle (not turned in this pick), TurnForwards or TurnBackwards.
    std::uint8_t TurnDir = TurnIdle;
    // The cell is part of a float; its first and last cell are FloatStartPick/FloatEndPick.
    bool InFloat = false;

    // Copies what a cell shows (colour, slant, hole, reversal, twist, direction, float flag);
    // its place and its float's ends stay.
    void Assign(const TTWWeavingCell& source);

    bool IsIdle() const { return TurnDir == TurnIdle; }
    // 0-based place in the band.
    int Column() const { return column_; }
    int Pick() const { return pick_; }
    // 1-based, as shown to the user.
    int ColumnNumber() const { return column_ + 1; }
    int PickNumber() const { return pick_ + 1; }

    // The 0-based picks of the first and last cell of the float, -1 outside a float.
    int FloatStartPick() const { return floatStart_; }
    int FloatEndPick() const { return floatEnd_; }
    bool IsFloatStart() const { return floatStart_ >= 0 && floatStart_ == pick_; }
    // 1 outside a float, else the number of picks the float spans.
    int FloatLength() const { return InFloat ? floatEnd_ - floatStart_ + 1 : 1; }
    void SetFloat(int startPick, int endPick)
    {
        InFloat = true;
        floatStart_ = startPick;
        floatEnd_ = endPick;
    }
    void ClearFloat()
    {
        InFloat = false;
        floatStart_ = -1;
        floatEnd_ = -1;
    }

private:
    friend class TTWWeaving;

    std::int32_t floatStart_ = -1;
    std::int32_t floatEnd_ = -1;
    std::int32_t column_ = 0;
    std::int32_t pick_ = 0;
};

static_assert(sizeof(TTWWeavingCell) <= 32, "a woven band holds many cells; keep them small");

// One row of the band: a view of its cells in the band's storage. It is cheap to copy and
// stays valid until its band is cleared or given further rows (which may move the storage).
template <class Cell>
class TTWBasicWeavingPick {
public:
    TTWBasicWeavingPick(std::span<Cell> cells, int index) : cells_(cells), index_(index) {}

    // 0-based place in the band; the pick number is one more.
    int Index() const { return index_; }
    int PickNumber() const { return index_ + 1; }
    int CellCount() const { return static_cast<int>(cells_.size()); }
    std::span<Cell> Cells() const { return cells_; }
    // The cell of the column, none outside the row.
    Cell* GetCell(int column) const
    {
        return column >= 0 && column < CellCount() ? &cells_[static_cast<size_t>(column)] : nullptr;
    }

    auto begin() const { return cells_.begin(); }
    auto end() const { return cells_.end(); }

private:
    std::span<Cell> cells_;
    int index_;
};

using TTWWeavingPick = TTWBasicWeavingPick<TTWWeavingCell>;
using TTWConstWeavingPick = TTWBasicWeavingPick<const TTWWeavingCell>;

// The computed band: one row per woven pick, one cell per column (selvedge and main cards).
// The cells live in one block, row after row.
class TTWWeaving : public fw::Persistent {
public:
    // Far beyond any real band; a longer or wider one is a mistake that would only exhaust
    // the memory.
    static constexpr int MaxPicks = 1'000'000;
    static constexpr int MaxWidth = 100'000;
    static constexpr std::int64_t MaxCells = 64'000'000;

    TTWWeaving() = default;

    std::string_view className() const override { return "TTWWeaving"; }
    fw::Object* NewInstance() const override { return new TTWWeaving; }
    // From another band: a full copy, rows, width, side and floats.
    void Assign(const fw::Persistent* source) override;

    // Removes every row; Width := 0.
    void Clear();

    int Width() const { return width_; }
    // The cells per row. It can change only while the band has no rows.
    void SetWidth(int width);
    // Whether the rows were computed for the reverse side.
    bool Reverse() const { return reverse_; }
    void SetReverse(bool reverse) { reverse_ = reverse; }

    // Appends a row of Width new cells and returns it.
    TTWWeavingPick AddPick();
    // Makes room for that many rows in all, so that adding them moves nothing.
    void ReservePicks(int pickCount);
    int PickCount() const { return pickCount_; }
    // The row at the 0-based index; raises a list error outside the range.
    TTWWeavingPick Picks(int index);
    TTWConstWeavingPick Picks(int index) const;

    // The cell, none when the column or the pick (both 0-based) lies outside the band.
    TTWWeavingCell* Cell(int column, int pick);
    const TTWWeavingCell* Cell(int column, int pick) const;
    // The first and last cell of the float the cell belongs to, none outside a float.
    const TTWWeavingCell* FloatStart(const TTWWeavingCell& cell) const;
    const TTWWeavingCell* FloatEnd(const TTWWeavingCell& cell) const;

    // Every cell, row after row.
    std::span<TTWWeavingCell> AllCells() { return cells_; }
    std::span<const TTWWeavingCell> AllCells() const { return cells_; }

    // Marks every run of three or more picks of one column with the same hole on top as a
    // float; two equal picks make no float. Marks from an earlier run are cleared first.
    void MarkFloats();

    // Every cell of the column whose hole is the given one gets the colour: a thread
    // recoloured without recomputing the band.
    void SetHoleColour(int column, int hole, TTWColour colour);

    // Writes the turning sequence as a text file (see turning_text.h), replacing the file.
    void SaveTurningSequence(const std::string& fileName, const TTWCardList* cards, const TTWPalette* palette) const;

private:
    void MarkColumnFloats(int column);

    std::vector<TTWWeavingCell> cells_;
    int width_ = 0;
    int pickCount_ = 0;
    bool reverse_ = false;
};
