// The direct variants of a record's handler that work on its history: placing a date
// against the history periods, loading by date, history rows for a condition, saving a
// new period, restoring from history and rolling the history back.
//
// Dates are texts in the settings component's DBDateStrFormat and are compared as texts,
// which orders them by time only because that format runs from year to day.

#include "database/db_access_base.h"
#include "database/db_access_handler.h"
#include "database/db_field_val.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_handler_steps.h"
#include "database/db_session_pool.h"
#include "database/db_table_info.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/db/db_connection.h"

namespace {

// The columns of a history row: the table's columns, then the period's.
std::string HistoryColumns(const TDBGenericTableInfo& table, const std::string& start, const std::string& end)
{
    if (table.Fields().Count() == 0) {
        return "*";
    }
    return table.Fields().Names(",") + "," + start + "," + end;
}

// A period closed with dbfSaveHistoryRedate ends on the day the next one begins, so two
// periods hold that day; the one that begins on it is the record as it was that day.
std::string LatestPeriodFirst(const std::string& start)
{
    return "ORDER BY " + start + " DESC";
}

std::string NoHistoryText(const std::string& what, const TDBGenericTableInfo& table)
{
    return what + "\r\nTable <" + table.TableName() + "> does not have an associated history.";
}

} // namespace

int TDBGenericAccessHandlerBase::IsDateInHistoryS(const std::string& date)
{
    if (date.empty()) {
        return 0;
    }
    const std::string today = CurrentDateText();
    if (date == today) {
        return 0;
    }
    if (date > today) {
        return 3;
    }
    const TDBGenericTableInfo& table = Record().TableInfo();
    if (!table.hasHistory()) {
        return 2;
    }
    const std::string condition = condition_.empty() ? KeyCondition(0) : CallerCondition(condition_);
    TDBGQueryRef query;
    std::string sql;
    try {
        EnsureQuery(query);
        query->SQL().Add("SELECT MAX(" + HistoryEndColumn() + "), MIN(" + HistoryStartColumn() + ") FROM "
                         + table.HistoryTable() + " WHERE " + condition);
        sql = query->Text();
        query->Open();
        int placed = 2;
        if (!query->Eof() && !query->Fields(0).IsNull() && !query->Fields(1).IsNull()) {
            const std::string latestEnd = query->Fields(0).AsString();
            const std::string earliestStart = query->Fields(1).AsString();
            placed = date > latestEnd ? 0 : (date >= earliestStart ? 1 : 4);
        }
        Finish(query, true, true);
        return placed;
    } catch (const std::exception& error) {
        Finish(query, true, false);
        Report("Unable to access history table " + table.HistoryTable() + "." + "Session = " + Session().SessionName()
                   + "\r\n",
               70, sql, "IsDateInHistoryS", &error);
        return 2;
    }
}

bool TDBGenericAccessHandlerBase::LoadWithQueryS(const fw::Variant& key, const std::string& date,
                                                TDBGQueryRef& query, bool commit)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    if (!TakeKeyFromVariant(key) && !record.HasKey() && condition_.empty()) {
        record.ClearKey(true);
        Finish(query, commit, true);
        if (record.HasFlag(dbrfReportLoadWithoutKey)) {
            Report("Unable to load " + std::string(record.className()) + " object.\r\n"
                       + "The record does not have a valid key:\r\n" + record.KeyDescription(),
                   24, {}, "LoadWithQuery");
        }
        return false;
    }
    const TDBGErrorWatch watch;
    const int placed = IsDateInHistoryS(date);
    if (watch.Reported()) {
        Finish(query, commit, false);
        return false;
    }
    std::string refusal;
    int code = 78;
    switch (placed) {
    case 0:
        return LoadCurrent(key, query, date, commit);
    case 1:
        return LoadFromHistory(key, query, date, commit);
    case 2:
        if (!table.hasHistory() || table.Options().Contains(dbgLoadCurrentIfNoHistory)) {
            return LoadCurrent(key, query, date, commit);
        }
        refusal = "No history records exist for this date.\r\n";
        break;
    case 3:
        if (info.Options().Contains(dbfLoadNoDateLimit)) {
            return LoadCurrent(key, query, date, commit);
        }
        refusal = "This date lies after the current date.\r\n";
        code = 79;
        break;
    default:
        if (!table.hasHistory()) {
            return LoadCurrent(key, query, date, commit);
        }
        if (table.NoLowHistoryBounds()) {
            return LoadFromHistory(key, query, date, commit);
        }
        refusal = "The date requested lies before the first history record.\r\n";
        break;
    }
    Finish(query, commit, true);
    Report("Failed to load record from table " + record.TableName() + ":\r\n" + refusal + record.KeyDescription()
               + "\r\n" + "Date = " + DisplayDate(date),
           code, {}, "LoadWithQuery");
    return false;
}

bool TDBGenericAccessHandlerBase::LoadFromHistoryS(const fw::Variant& key, TDBGQueryRef& query,
                                                  const std::string& date, bool commit)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    if (!table.hasHistory()) {
        Finish(query, commit, false);
        throw TGenericException(NoHistoryText("History load failed.", table), nullptr, fw::SenderName(&record),
                                "LoadFromHistoryS");
    }
    if (condition_.empty()) {
        TakeKeyFromVariant(key);
        if (!record.HasKey()) {
            Finish(query, commit, true);
            if (record.HasFlag(dbrfReportLoadWithoutKey)) {
                Report("Unable to load record from history table " + table.HistoryTable() + ".\r\n"
                           + "The record does not have a valid key:\r\n" + record.KeyDescription(),
                       24, {}, "LoadFromHistoryS");
            }
            return false;
        }
    }
    std::string condition = condition_.empty() ? std::string() : CallerCondition(condition_);
    if (condition.empty()) {
        condition = KeyCondition(table.CanDelete() ? 8 : 0);
        if (table.CanDelete()) {
            condition += " AND ( " + info.DeleteFlagField() + " = " + info.QuoteValue("") + " OR "
                + info.DeleteFlagField() + " > " + info.QuoteValue(date) + ")";
        }
    }
    return ReadHistoryRow(condition, date, query, commit, "LoadFromHistoryS", "Unable to access history table ");
}

bool TDBGenericAccessHandlerBase::LoadFromHistoryConditionS(const std::string& condition, const std::string& date)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    record.ClearKey(true);
    if (!table.hasHistory()) {
        if (table.Options().Contains(dbgStrictHistoryLoad)) {
            throw TGenericException(NoHistoryText("History load failed.", table), nullptr, fw::SenderName(&record),
                                    "LoadFromHistoryConditionS");
        }
        return LoadCondition(condition, date);
    }
    const StateScope state(*this, dbhsHistoryLoad);
    TDBGQueryRef query;
    return ReadHistoryRow(CallerCondition(condition), date, query, true, "LoadFromHistoryConditionS",
                          "Unable to load access history table ");
}

bool TDBGenericAccessHandlerBase::ReadHistoryRow(const std::string& condition, const std::string& date,
                                                TDBGQueryRef& query, bool commit, const std::string& method,
                                                const std::string& boundsFailure)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    const StateScope state(*this, state_ == dbhsIdle || state_ == dbhsHistoryLoad ? dbhsHistoryLoad
                                                                                  : dbhsOuterHistoryLoad);
    record.BeforeHistoryLoad(date);
    const std::string& history = table.HistoryTable();
    const std::string start = HistoryStartColumn();
    const std::string end = HistoryEndColumn();
    const std::string where = "Session = " + Session().SessionName() + "\r\n" + "Date = " + date;
    std::string sql;
    std::string failure = boundsFailure;
    int code = 70;
    try {
        EnsureQuery(query);
        std::string effective = date;
        if (table.NoLowHistoryBounds()) {
            // A date before every period reads the first one.
            query->SQL().Clear();
            query->SQL().Add("SELECT MIN(" + start + ") FROM " + history + " WHERE " + condition);
            sql = query->Text();
            query->Open();
            if (!query->Eof() && !query->Fields(0).IsNull() && date < query->Fields(0).AsString()) {
                effective = query->Fields(0).AsString();
            }
            query->Close();
        }
        failure = "Failed to load record from history table ";
        code = 75;
        query->SQL().Clear();
        query->SQL().Add("SELECT " + HistoryColumns(table, start, end) + " FROM " + history + " WHERE " + condition
                         + "   AND " + start + " <= " + info.QuoteValue(effective) + "   AND " + end + " >= "
                         + info.QuoteValue(effective));
        query->SQL().Add(LatestPeriodFirst(start));
        sql = query->Text();
        query->Open();
        const bool found = !query->Eof();
        if (found) {
            ReadRow(*query, true, nullptr);
        }
        query->Close();
        loadedDate_ = date;
        record.SetLoadedKey(record.KeyAsVariant());
        if (record.HasKey()) {
            record.AfterLoad(date);
        }
        Finish(query, commit, true);
        return found;
    } catch (const std::exception& error) {
        Finish(query, commit, false);
        Report(failure + history + ".\r\n" + where, code, sql, method, &error);
        return false;
    }
}

bool TDBGenericAccessHandlerBase::SaveToHistoryWithQueryS(const std::string& date, TDBGQueryRef& query, bool commit)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    if (!table.hasHistory()) {
        Finish(query, commit, false);
        throw TGenericException(NoHistoryText("Unable to save record to history.", table), nullptr,
                                fw::SenderName(&record), "SaveToHistoryWithQueryS");
    }
    if (!record.HasKey()) {
        Finish(query, commit, false);
        throw TGenericException("Unable to save record to history.\r\nRecord does not have a valid key.", nullptr,
                                fw::SenderName(&record), "SaveToHistoryWithQueryS");
    }
    const StateScope state(*this, dbhsHistorySave);
    record.BeforeHistorySave(date);
    const std::string& history = table.HistoryTable();
    const std::string start = HistoryStartColumn();
    const std::string end = HistoryEndColumn();
    const std::string session = Session().SessionName();
    const std::string condition = KeyCondition(0);
    const std::string openEnd = OpenPeriodEnd();
    std::string sql;
    std::string failure = "Failed to save to history table " + record.TableName() + ".\r\n" + "Session = " + session
        + "\r\n" + "History Date = " + date;
    std::string method = "SaveToHistoryWithQuery";
    int code = 71;
    bool existsAlready = false;
    const auto insertFailure = [&] {
        failure = "Error while trying to add new history record.\r\nSession = " + session + "\r\n"
            + "History Table = " + history + "\r\n" + "Date = " + date + " to " + openEnd;
        method = "SaveToHistoryWithQuery/InsertNewRecord";
        code = 72;
    };
    try {
        EnsureQuery(query);
        // Two history saves of one record follow each other, so that the second one finds
        // the period the first one opened and closes it: otherwise both would close the same
        // period and leave two open. SQLite's writers queue at the transaction's start
        // anyway; PostgreSQL queues them behind a lock named after the record.
        query->GetConnection()->LockName(history + "/" + condition);
        query->SQL().Clear();
        query->SQL().Add("SELECT MAX(" + start + ") FROM " + history + " WHERE " + condition);
        sql = query->Text();
        query->Open();
        const bool none = query->Eof() || query->Fields(0).IsNull();
        const std::string latest = none ? std::string() : query->Fields(0).AsString();
        query->Close();
        if (none) {
            insertFailure();
            InsertHistoryRow(*query, date, openEnd, sql);
        } else if (date > latest) {
            // The closed period ends the day before the new one begins, so that no date lies
            // in two; with dbfSaveHistoryRedate it ends on the new date itself.
            const std::string closedEnd =
                info.Options().Contains(dbfSaveHistoryRedate) ? date : info.AddDaysToDBDateStr(date, -1);
            failure = "Unable to update history table " + history + ".\r\n" + "Session = " + session + "\r\n"
                + "New Date = " + closedEnd;
            method = "SaveToHistoryWithQueryS.UpdateHistoryRecordEndDate";
            code = 74;
            query->SQL().Clear();
            query->SQL().Add("UPDATE " + history + " SET " + end + " = " + info.QuoteValue(closedEnd) + " WHERE "
                             + condition + "   AND " + start + " = " + info.QuoteValue(latest));
            sql = query->Text();
            query->ExecSQL();
            insertFailure();
            InsertHistoryRow(*query, date, openEnd, sql);
        } else if (record.ChecksHistoryDate()) {
            existsAlready = true;
        } else {
            // The latest period takes the record's values as they are now.
            failure = "Unable to update history table " + history + ".\r\n" + "Session = " + session + "\r\n"
                + "New Date = " + date;
            method = "SaveToHistoryWithQueryS.UpdateHistoryRecordEndDate";
            code = 74;
            TDBGFieldValList values;
            FieldValues(values, 1 | 2 | 8);
            query->SQL().Clear();
            query->SQL().Add("UPDATE " + history + " SET " + values.Assignments() + " WHERE " + condition + "   AND "
                             + start + " = " + info.QuoteValue(latest));
            sql = query->Text();
            query->ExecSQL();
        }
        if (table.hasModifyFlag() && !existsAlready) {
            failure = "Failed to save to history " + record.TableName() + ":\r\n" + "Unable to reset Modify Flag.\r\n"
                + "Session = " + session;
            method = "SaveToHistoryWithQuery";
            code = 85;
            query->SQL().Clear();
            query->SQL().Add("UPDATE " + record.TableName() + " SET " + info.ModifyFlagField() + " = "
                             + info.QuoteValue("F") + " WHERE " + condition);
            sql = query->Text();
            query->ExecSQL();
        }
        if (!existsAlready) {
            Finish(query, commit, true);
        }
    } catch (const std::exception& error) {
        Finish(query, commit, false);
        Report(failure, code, sql, method, &error);
        return false;
    }
    if (existsAlready) {
        Finish(query, commit, false);
        Report("Unable to update history table " + history + ":\r\n" + "A history for the date exists already!\r\n"
                   + "\r\n" + "Date = " + DisplayDate(date),
               74, {}, "SaveToHistoryWithQuery");
        return false;
    }
    if (table.hasModifyFlag()) {
        record.SetModifyFlag(false);
    }
    record.AfterHistorySave(date);
    return true;
}

bool TDBGenericAccessHandlerBase::RestoreFromHistoryS(const std::string& date, TDBGQueryRef& query, bool commit)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    if (!table.hasHistory()) {
        Finish(query, commit, false);
        throw TGenericException(NoHistoryText("Unable to restore from history.", table), nullptr,
                                fw::SenderName(&record), "RestoreFromHistoryS");
    }
    if (!record.HasKey()) {
        Finish(query, commit, false);
        Report("Unable to restore record from history table " + table.HistoryTable() + ".\r\n"
                   + "The record does not have a valid key:\r\n" + record.KeyDescription(),
               27, {}, "RestoreFromHistory");
        return false;
    }
    const StateScope state(*this, dbhsRestore);
    const TDBGErrorWatch watch;
    try {
        EnsureQuery(query);
        const bool found = LoadFromHistory(record.KeyAsVariant(), query, date, false);
        CheckStep(watch);
        if (found) {
            // The history row becomes the current row, every column of it.
            record.MarkAllModified();
            SaveWithQuery(query, false);
            CheckStep(watch);
        }
        Finish(query, commit, true);
        return found;
    } catch (const EStepReported&) {
        Finish(query, commit, false);
        return false;
    } catch (...) {
        Finish(query, commit, false);
        throw;
    }
}

bool TDBGenericAccessHandlerBase::HistoryRollbackS(const std::string& date, TDBGQueryRef& query, bool commit)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    if (!table.hasHistory()) {
        Finish(query, commit, false);
        throw TGenericException(NoHistoryText("Unable to roll back history.", table), nullptr,
                                fw::SenderName(&record), "HistoryRollbackS");
    }
    const std::string& history = table.HistoryTable();
    const std::string start = HistoryStartColumn();
    const std::string end = HistoryEndColumn();
    const std::string condition = KeyCondition(0);
    const std::string details = "\r\nSession = " + Session().SessionName() + "\r\n" + record.KeyDescription() + "\r\n"
        + "Date = " + DisplayDate(date);
    std::string failure = "Unable to roll back history table " + history + "." + details;
    std::string sql;
    const TDBGErrorWatch watch;
    try {
        EnsureQuery(query);
        query->SQL().Clear();
        query->SQL().Add("SELECT " + start + ", " + end + " FROM " + history + " WHERE " + condition + "   AND "
                         + start + " <= " + info.QuoteValue(date) + "   AND " + end + " >= " + info.QuoteValue(date));
        query->SQL().Add(LatestPeriodFirst(start));
        sql = query->Text();
        query->Open();
        if (!query->Eof()) {
            const std::string coveringEnd = query->Fields(1).AsString();
            failure = "Unable to roll back history table " + history + ":" + "\r\n" + "Failed to update history record."
                + details;
            query->Close();
            query->SQL().Clear();
            query->SQL().Add("UPDATE " + history + " SET " + end + " = " + info.QuoteValue(date) + " WHERE " + condition
                             + "   AND " + end + " = " + info.QuoteValue(coveringEnd));
            sql = query->Text();
            query->ExecSQL();
        }
        query->Close();
        // The later periods go on the query's own session, inside its transaction, so that
        // a roll-back of the whole cut brings them back.
        failure = "Unable to roll back history table " + history + ":" + "\r\n" + "Failed to delete history records."
            + details;
        const std::string later = condition + " AND " + start + " > " + info.QuoteValue(date);
        sql = " DELETE FROM " + history + "\r\n WHERE " + later;
        ::DeleteTableEntries(query->SessionRef(), history, later);
        CheckStep(watch);
        Finish(query, commit, true);
        return true;
    } catch (const EStepReported&) {
        Finish(query, commit, false);
        Report(failure, 77, sql, "HistoryRollback");
        return false;
    } catch (const std::exception& error) {
        Finish(query, commit, false);
        Report(failure, 77, sql, "HistoryRollback", &error);
        return false;
    }
}
