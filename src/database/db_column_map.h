#pragma once

#include <vector>

// How the columns of one query feed the fields of a record, worked out once and used for
// every row a list reads: for each record field the query column that feeds it, for each
// query column the field it feeds, the fields that no column feeds and the columns that
// feed no field.
class TDBGColumnMap {
public:
    bool Built() const { return built_; }
    void SetBuilt(bool built) { built_ = built; }

    // Position tables: -1 outside the range; setting beyond the end first extends the table
    // with -1 entries.
    int ColumnOfField(int field) const { return Read(columnOfField_, field); }
    void SetColumnOfField(int field, int column) { Write(columnOfField_, field, column); }
    int FieldOfColumn(int column) const { return Read(fieldOfColumn_, column); }
    void SetFieldOfColumn(int column, int field) { Write(fieldOfColumn_, column, field); }

    // Sets: a number is added only when absent.
    void AddUnfedField(int field) { AddOnce(unfedFields_, field); }
    void AddUnusedColumn(int column) { AddOnce(unusedColumns_, column); }
    int UnfedFieldCount() const { return static_cast<int>(unfedFields_.size()); }
    int UnusedColumnCount() const { return static_cast<int>(unusedColumns_.size()); }
    int UnusedColumn(int index) const { return Read(unusedColumns_, index); }

    // Empties all four and marks the map not built.
    void Clear();

private:
    static int Read(const std::vector<int>& table, int index);
    static void Write(std::vector<int>& table, int index, int value);
    static void AddOnce(std::vector<int>& set, int value);

    bool built_ = false;
    std::vector<int> columnOfField_;
    std::vector<int> fieldOfColumn_;
    std::vector<int> unfedFields_;
    std::vector<int> unusedColumns_;
};
