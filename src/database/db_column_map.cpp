#include "database/db_column_map.h"

#include <algorithm>

void TDBGColumnMap::Clear()
{
    built_ = false;
    columnOfField_.clear();
    fieldOfColumn_.clear();
    unfedFields_.clear();
    unusedColumns_.clear();
}

int TDBGColumnMap::Read(const std::vector<int>& table, int index)
{
    return index >= 0 && index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(index)] : -1;
}

void TDBGColumnMap::Write(std::vector<int>& table, int index, int value)
{
    if (index < 0) {
        return;
    }
    if (index >= static_cast<int>(table.size())) {
        table.resize(static_cast<std::size_t>(index) + 1, -1);
    }
    table[static_cast<std::size_t>(index)] = value;
}

void TDBGColumnMap::AddOnce(std::vector<int>& set, int value)
{
    if (std::find(set.begin(), set.end(), value) == set.end()) {
        set.push_back(value);
    }
}
