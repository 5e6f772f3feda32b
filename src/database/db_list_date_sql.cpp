#include "database/db_list_date_sql.h"

namespace {

std::string Qualified(const std::string& alias, const std::string& column)
{
    return alias.empty() ? column : alias + "." + column;
}

// The name the derived table of the records goes by: the table's own, so that an order
// naming a column after the table still finds it (without a schema in front, which an
// alias cannot have).
std::string AliasOf(const std::string& table)
{
    const std::size_t dot = table.rfind('.');
    return dot == std::string::npos ? table : table.substr(dot + 1);
}

} // namespace

std::string TDBGListDateSQL::Where(const std::string& terms) const
{
    if (Condition.empty()) {
        return terms.empty() ? std::string() : " WHERE " + terms;
    }
    if (terms.empty()) {
        return " WHERE " + Condition;
    }
    // The caller's condition as one term, so that an OR in it never reaches past it.
    return " WHERE (" + Condition + ") AND " + terms;
}

std::string TDBGListDateSQL::SameKey(const std::string& alias, const std::string& outer) const
{
    std::string text;
    for (const std::string& key : KeyColumns) {
        text += (text.empty() ? "" : " AND ") + Qualified(alias, key) + " = " + Qualified(outer, key);
    }
    return text;
}

std::string TDBGListDateSQL::LiveOnDate(const std::string& alias) const
{
    const std::string column = Qualified(alias, DeleteColumn);
    return "(" + column + " = " + Empty + " OR " + column + " > " + Date + ")";
}

// The latest end (MAX of the end column) or the earliest start (MIN of the start column)
// of the periods by which a record's own load places a date: the live rows of its key.
std::string TDBGListDateSQL::Placement(const std::string& aggregate, const std::string& outer) const
{
    const std::string column = aggregate == "MAX" ? EndColumn : StartColumn;
    return "(SELECT " + aggregate + "(p." + column + ") FROM " + HistoryTable + " p WHERE " + SameKey("p", outer)
        + (DeleteColumn.empty() ? std::string() : " AND p." + DeleteColumn + " = " + Empty) + ")";
}

std::string TDBGListDateSQL::WithoutPeriods(const std::string& outer) const
{
    return "(" + Placement("MAX", outer) + " IS NULL OR " + Placement("MIN", outer) + " IS NULL)";
}

// The date a record's own load reads its history for: with NoLowHistoryBounds a date before
// the record's first period that has not been deleted by then reads that first period.
std::string TDBGListDateSQL::Effective(const std::string& outer) const
{
    if (!FirstPeriodBeforeHistory) {
        return Date;
    }
    const std::string first = "(SELECT MIN(f." + StartColumn + ") FROM " + HistoryTable + " f WHERE "
        + SameKey("f", outer) + (DeleteColumn.empty() ? std::string() : " AND " + LiveOnDate("f")) + ")";
    return "CASE WHEN " + Date + " < " + first + " THEN " + first + " ELSE " + Date + " END";
}

std::string TDBGListDateSQL::CurrentRows() const
{
    std::string text =
        "SELECT " + ListColumns + " FROM " + Table + Where(DeleteColumn.empty() ? std::string() : LiveOnDate({}));
    if (!Order.empty()) {
        text += "\r\nORDER BY " + Order;
    }
    return text;
}

std::string TDBGListDateSQL::Refusals() const
{
    const auto refused = [this](const std::string& outer) {
        std::string terms;
        if (!CurrentWithoutHistory) {
            terms = WithoutPeriods(outer);
        }
        if (!FirstPeriodBeforeHistory) {
            terms += (terms.empty() ? "" : " OR ") + std::string("(") + Date + " <= " + Placement("MAX", outer)
                + " AND " + Date + " < " + Placement("MIN", outer) + ")";
        }
        return terms;
    };
    if (refused(Table).empty()) {
        return {};
    }
    const auto kind = [this](const std::string& outer) {
        return "CASE WHEN " + WithoutPeriods(outer) + " THEN 2 ELSE 4 END AS Refusal";
    };
    return "SELECT MIN(Refusal) FROM (\r\nSELECT " + kind(Table) + " FROM " + Table + Where("(" + refused(Table) + ")")
        + "\r\nUNION ALL\r\nSELECT " + kind(HistoryTable) + " FROM " + HistoryTable
        + Where("(" + refused(HistoryTable) + ")") + "\r\n) Refusals";
}

std::string TDBGListDateSQL::Records() const
{
    const bool described = TableColumns != "*";
    const std::string& history = HistoryTable;
    const std::string start = Qualified(history, StartColumn);
    const std::string end = Qualified(history, EndColumn);

    // Current rows: of records whose periods all ended before the date, or that have none.
    std::string current = "(" + Date + " > " + Placement("MAX", Table);
    if (CurrentWithoutHistory) {
        current += " OR " + WithoutPeriods(Table);
    }
    current += ")";
    if (!DeleteColumn.empty()) {
        current += " AND " + LiveOnDate({});
    }

    // Period rows: of records placed within their periods (or before the first), the row
    // the record's own load reads, the covering one that starts last.
    std::string placed = Date + " <= " + Placement("MAX", history);
    if (!FirstPeriodBeforeHistory) {
        placed += " AND " + Date + " >= " + Placement("MIN", history);
    }
    const std::string effective = Effective(history);
    std::string period = placed;
    if (!DeleteColumn.empty()) {
        period += " AND " + LiveOnDate(history);
    }
    period += " AND " + start + " <= " + effective + " AND " + end + " >= " + effective + " AND " + start
        + " = (SELECT MAX(r." + StartColumn + ") FROM " + history + " r WHERE " + SameKey("r", history)
        + (DeleteColumn.empty() ? std::string() : " AND " + LiveOnDate("r")) + " AND r." + StartColumn
        + " <= " + effective + " AND r." + EndColumn + " >= " + effective + ")";

    const std::string selected =
        ListColumns == "*" ? std::string("*") : ListColumns + ", " + StartColumn + ", " + EndColumn;
    std::string text = "SELECT " + selected + " FROM (\r\n";
    text += "SELECT " + (described ? TableColumns : Table + ".*") + ", NULL AS " + StartColumn + ", NULL AS "
        + EndColumn + " FROM " + Table + Where(current) + "\r\n";
    text += "UNION ALL\r\n";
    text += "SELECT " + (described ? TableColumns + ", " + StartColumn + ", " + EndColumn : history + ".*")
        + " FROM " + history + Where(period) + "\r\n";
    text += ") " + AliasOf(Table);
    if (!Order.empty()) {
        text += "\r\nORDER BY " + Order;
    }
    return text;
}
