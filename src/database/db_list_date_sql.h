#pragma once

#include <string>
#include <vector>

// The statements with which a list reads its records as they were on a date in the past.
// Each record is read as a load of that record alone reads it, in one statement for all:
//
// - The date is placed against the periods of the record's own history (the rows of its
//   key, live ones only), not against those of all the condition's rows: a record whose
//   periods all ended before the date reads its current row, and so does one without
//   periods when the table lets it (dbgLoadCurrentIfNoHistory).
// - A record placed within its periods (or before the first one, with NoLowHistoryBounds,
//   which then reads the first one) reads the period of the latest start among those that
//   cover the date, so that on the first day of a redated period, which the period before
//   also holds, the record is read once, as the new period.
// - A current row deleted on or before the date is no record of that date.
// - The caller's condition is then met, or not, by the row each record read: the rows of
//   the condition as they were on the date.
//
// The caller's condition and order name the table's columns unqualified; the order may also
// name them after the table. A record whose own load would be refused (no periods without
// dbgLoadCurrentIfNoHistory, a date before the first period without NoLowHistoryBounds)
// refuses the list, when a row of that record, current or past, meets the condition.
struct TDBGListDateSQL {
    std::string Table;
    std::string HistoryTable;
    // KeyField, or every column of MultiKeyFields; at least one.
    std::vector<std::string> KeyColumns;
    std::string StartColumn;
    std::string EndColumn;
    // Every column of the table, joined by ", "; "*" for a table that describes none (its
    // history table then holds its columns in the same order, followed by the period's).
    std::string TableColumns;
    // The columns the list selects.
    std::string ListColumns;
    // The caller's, or empty.
    std::string Condition;
    std::string Order;
    // The date and the empty text as SQL literals.
    std::string Date;
    std::string Empty;
    // The delete-date column of a table with CanDelete, else empty.
    std::string DeleteColumn;
    bool CurrentWithoutHistory = true;
    bool FirstPeriodBeforeHistory = true;

    // The current rows of the condition that are not deleted on the date: every record's,
    // when the date is today, after it, or the table keeps no history.
    std::string CurrentRows() const;
    // One row holding the smallest refusal among the records of the condition (2 no periods,
    // 4 before the first period), NULL when none is refused; empty when no record can be.
    std::string Refusals() const;
    // Every record of the condition as it was on the date: the list's columns, then the
    // period's start and end (NULL for a current row), in the list's order.
    std::string Records() const;

private:
    std::string Where(const std::string& terms) const;
    std::string SameKey(const std::string& alias, const std::string& outer) const;
    std::string LiveOnDate(const std::string& alias) const;
    std::string Placement(const std::string& aggregate, const std::string& outer) const;
    std::string WithoutPeriods(const std::string& outer) const;
    std::string Effective(const std::string& outer) const;
};
