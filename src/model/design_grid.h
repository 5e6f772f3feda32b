#pragma once

#include <memory>
#include <vector>

// The row-and-cell grid a block-design frame keeps at its size (columns by picks), for the
// kinds that hang per-pick data on it. A cell is made when it is first asked for: a frame
// keeps the grid at the size of every design it shows, and most kinds never hang anything
// on it, so a design of a million cells costs a pointer a cell, not an object.

class TTWDesignCell {
public:
    virtual ~TTWDesignCell() = default;
};

// One pick: a row of cells.
class TTWDesignPick {
public:
    int Count() const { return static_cast<int>(cells_.size()); }
    // None outside 0..Count - 1; the same cell every time it is asked for.
    TTWDesignCell* GetCell(int index) const;
    // Appends new cells up to n, or drops cells from the end down to n (negative: 0).
    void SetCount(int n);

private:
    // Empty until the cell is first asked for.
    mutable std::vector<std::unique_ptr<TTWDesignCell>> cells_;
};

class TTWDesign {
public:
    int Picks() const { return picks_; }
    int Cells() const { return cells_; }
    int Count() const { return static_cast<int>(rows_.size()); }
    // None outside 0..Count - 1.
    TTWDesignPick* GetPick(int index) const;
    // Negative values count as 0. Rows are appended or dropped at the end; every row then
    // has `cells` cells.
    void SetSize(int cells, int picks);

private:
    std::vector<std::unique_ptr<TTWDesignPick>> rows_;
    int picks_ = 0;
    int cells_ = 0;
};
