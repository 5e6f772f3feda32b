#include "model/design_grid.h"

#include <algorithm>
#include <cstddef>

TTWDesignCell* TTWDesignPick::GetCell(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return cells_[static_cast<std::size_t>(index)].get();
}

void TTWDesignPick::SetCount(int n)
{
    const auto count = static_cast<std::size_t>(std::max(n, 0));
    if (cells_.size() > count) {
        cells_.resize(count);
        return;
    }
    cells_.reserve(count);
    while (cells_.size() < count) {
        cells_.push_back(std::make_unique<TTWDesignCell>());
    }
}

TTWDesignPick* TTWDesign::GetPick(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(index)].get();
}

void TTWDesign::SetSize(int cells, int picks)
{
    cells = std::max(cells, 0);
    picks = std::max(picks, 0);
    const auto rows = static_cast<std::size_t>(picks);
    if (rows_.size() > rows) {
        rows_.resize(rows);
    }
    while (rows_.size() < rows) {
        rows_.push_back(std::make_unique<TTWDesignPick>());
    }
    for (const auto& row : rows_) {
        row->SetCount(cells);
    }
    cells_ = cells;
    picks_ = picks;
}
