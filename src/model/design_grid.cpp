#include "model/design_grid.h"

#include <algorithm>
#include <cstddef>

TTWDesignCell* TTWDesignPick::GetCell(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    std::unique_ptr<TTWDesignCell>& cell = cells_[static_cast<std::size_t>(index)];
    if (cell == nullptr) {
        cell = std::make_unique<TTWDesignCell>();
    }
    return cell.get();
}

void TTWDesignPick::SetCount(int n)
{
    cells_.resize(static_cast<std::size_t>(std::max(n, 0)));
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
