#pragma once

#include <cstdint>
#include <vector>

// One cell's entry: the length of the weft run it belongs to.
struct TTWBrocadeBlock {
    std::uint8_t Value = 0;
};

// The weft runs of a brocade grid: for every cell (card, pick) the length of the run of
// cells of one weft it belongs to along its pick, 0 for a tie-down. The editor keeps it
// beside its grid to colour the floats that are too long.
//
// A run longer than the largest value a block holds counts as that value: the colours tell
// floats apart only up to ten cards, and a run of 256 must not read as none.
class TTWBrocadeData {
public:
    static constexpr int MaxBlockValue = 255;

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Rows come and go at the end, and blocks at the end of every row; new blocks hold 0.
    void SetSize(int width, int height);

    // The block of the cell, both 1-based; none outside.
    TTWBrocadeBlock* GetBlock(int column, int row);
    const TTWBrocadeBlock* GetBlock(int column, int row) const;
    // The block's value, 0 where there is no block (0-based cell).
    int Value(int x, int y) const;

    // One row again from its weft digits (0-based row, one digit per card, 0 a tie-down):
    // every cell of a run of equal digits above 0 gets the run's length, every other cell 0.
    // Answers whether any block of the row changed.
    template <class WeftOf>
    bool ComputeRow(int y, WeftOf weftOf)
    {
        if (y < 0 || y >= height_) {
            return false;
        }
        std::vector<TTWBrocadeBlock>& row = rows_[static_cast<std::size_t>(y)];
        bool changed = false;
        int start = 0;
        while (start < width_) {
            const int weft = weftOf(start);
            int end = start + 1;
            while (end < width_ && weftOf(end) == weft) {
                ++end;
            }
            const int length = end - start;
            const auto value = static_cast<std::uint8_t>(weft > 0 ? (length < MaxBlockValue ? length : MaxBlockValue)
                                                                  : 0);
            for (int x = start; x < end; ++x) {
                TTWBrocadeBlock& block = row[static_cast<std::size_t>(x)];
                changed = changed || block.Value != value;
                block.Value = value;
            }
            start = end;
        }
        return changed;
    }

private:
    int width_ = 0;
    int height_ = 0;
    // rows_[y][x], y the 0-based row of the grid.
    std::vector<std::vector<TTWBrocadeBlock>> rows_;
};
