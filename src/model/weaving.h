#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "framework/core/object.h"

#include "model/cell_block.h"
#include "model/palette.h"
#include "model/turning_codes.h"

class TTWCardList;
class TTWLoomRecord;

// One cell of the woven band: what shows at one column in one pick. Cells are plain values
// held row by row in their band; they know their own place (column and pick), and a float
// names its first cell by its pick in the same column, so that no cell ever points at another
// one and a rebuilt band leaves nothing dangling. Only a float's first cell knows where the
// float ends (the band answers it for every cell): a float that grows by a pick then changes
// two cells, not every cell it covers.
//
// A band holds millions of cells, so each is packed into 16 bytes: what it shows in bit
// fields beside the colour, its place and its float's ends in fields just wide enough for
// the largest band (TTWWeaving::MaxWidth, MaxPicks).
class TTWWeavingCell {
public:
    TTWWeavingCell() = default;
    TTWWeavingCell(int column, int pick)
        : column_(static_cast<std::uint64_t>(column)), pick_(static_cast<std::uint64_t>(pick))
    {
    }

    // The colour of the thread on top, 0x00BBGGRR; NoColour for none.
    TTWColour Colour = 0;
    // TurnIdle (not turned in this pick), TurnForwards or TurnBackwards; any other code an
    // action holds shows as it is.
    std::uint8_t TurnDir = TurnIdle;
    // The slant of the thread on top: 0 S, 1 Z.
    std::uint8_t Slant : 1 = 0;
    // The 0-based hole (in threading order) whose thread is on top; cards have at most
    // MaxCardHoles.
    std::uint8_t Hole : 3 = 0;
    // The card's turning direction changed at this pick.
    bool Reversal : 1 = false;
    // The card had been twisted since its last turn.
    bool Twisted : 1 = false;
    // The cell is part of a float, which begins at FloatStartPick.
    bool InFloat : 1 = false;

    // Copies what a cell shows (colour, slant, hole, reversal, twist, direction, float flag);
    // its place and its float's ends stay.
    void Assign(const TTWWeavingCell& source);

    bool IsIdle() const { return TurnDir == TurnIdle; }
    // 0-based place in the band.
    int Column() const { return static_cast<int>(column_); }
    int Pick() const { return static_cast<int>(pick_); }
    // 1-based, as shown to the user.
    int ColumnNumber() const { return Column() + 1; }
    int PickNumber() const { return Pick() + 1; }

    // The 0-based pick of the first cell of the float, -1 outside a float. Its last one the
    // band answers (TTWWeaving::FloatEndPick).
    int FloatStartPick() const { return static_cast<int>(floatStart_) - 1; }
    bool IsFloatStart() const { return InFloat && FloatStartPick() == Pick(); }

private:
    friend class TTWWeaving;
    friend class TTWFloatRuns;

    // Joins the float that begins at the pick.
    void SetFloat(int startPick)
    {
        InFloat = true;
        floatStart_ = static_cast<std::uint64_t>(startPick + 1);
    }
    // The float's first cell learns where the float ends.
    void SetFloatEnd(int endPick) { floatEnd_ = static_cast<std::uint64_t>(endPick + 1); }
    void ClearFloat()
    {
        InFloat = false;
        floatStart_ = 0;
        floatEnd_ = 0;
    }
    // Meaningful on a float's first cell only.
    int FloatEndPick() const { return static_cast<int>(floatEnd_) - 1; }
    bool HasFloatMarks() const { return InFloat || floatStart_ != 0 || floatEnd_ != 0; }

    // Picks are stored + 1, so that 0 means none and a new cell is all zero bits. The column
    // fills the first eight bytes, the picks the last eight.
    std::uint64_t column_ : 17 = 0;
    std::uint64_t pick_ : 20 = 0;
    std::uint64_t floatStart_ : 20 = 0;
    std::uint64_t floatEnd_ : 20 = 0;
};

static_assert(sizeof(TTWWeavingCell) == 16, "a woven band holds millions of cells; keep them small");

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

    TTWWeaving();
    ~TTWWeaving() override;

    std::string_view className() const override { return "TTWWeaving"; }
    fw::Object* NewInstance() const override { return new TTWWeaving; }
    // From another band: a full copy, rows, width, side and floats (not what the loom left
    // in it: the copy is woven whole the next time).
    void Assign(const fw::Persistent* source) override;

    // Removes every row; Width := 0.
    void Clear();
    // Removes the rows from the 0-based pick on; the rows before stay as they are.
    void DropPicksFrom(int pick);

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
    // The 0-based last pick of the cell's float, -1 outside a float.
    int FloatEndPick(const TTWWeavingCell& cell) const;
    // 1 outside a float, else the number of picks the float spans.
    int FloatLength(const TTWWeavingCell& cell) const;

    // Every cell, row after row.
    std::span<TTWWeavingCell> AllCells() { return {cells_.data(), cells_.size()}; }
    std::span<const TTWWeavingCell> AllCells() const { return {cells_.data(), cells_.size()}; }

    // Marks every run of three or more picks of one column with the same hole on top as a
    // float; two equal picks make no float. Marks from an earlier run are cleared first.
    void MarkFloats();

    // Every cell of the column whose hole is the given one gets the colour: a thread
    // recoloured without recomputing the band.
    void SetHoleColour(int column, int hole, TTWColour colour);

    // What the loom that wove the band left for weaving it again from a later pick on (see
    // loom.h). A band given rows, cleared or recoloured any other way holds none; one whose
    // cells were changed through the accessors above still does, and a later weave from a
    // pick on keeps those changes in the rows before it.
    std::unique_ptr<TTWLoomRecord> TakeLoomRecord();
    void KeepLoomRecord(std::unique_ptr<TTWLoomRecord> record);

    // Writes the turning sequence as a text file (see turning_text.h), replacing the file.
    void SaveTurningSequence(const std::string& fileName, const TTWCardList* cards, const TTWPalette* palette) const;

private:
    TTWCellBlock<TTWWeavingCell> cells_;
    std::unique_ptr<TTWLoomRecord> loomRecord_;
    int width_ = 0;
    int pickCount_ = 0;
    bool reverse_ = false;
};
