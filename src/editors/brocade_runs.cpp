#include "editors/brocade_runs.h"

void TTWBrocadeData::SetSize(int width, int height)
{
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    rows_.resize(static_cast<std::size_t>(height_));
    for (std::vector<TTWBrocadeBlock>& row : rows_) {
        row.resize(static_cast<std::size_t>(width_));
    }
}

TTWBrocadeBlock* TTWBrocadeData::GetBlock(int column, int row)
{
    if (column < 1 || row < 1 || column > width_ || row > height_) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

const TTWBrocadeBlock* TTWBrocadeData::GetBlock(int column, int row) const
{
    return const_cast<TTWBrocadeData*>(this)->GetBlock(column, row);
}

int TTWBrocadeData::Value(int x, int y) const
{
    const TTWBrocadeBlock* block = GetBlock(x + 1, y + 1);
    return block != nullptr ? block->Value : 0;
}
