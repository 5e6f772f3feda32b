// The direct variants of a record's handler that work on its current row: the existence
// test, loads, saves, deletes, column updates and the duplicate test.

#include <string>
#include <vector>

#include "database/db_access_base.h"
#include "database/db_access_handler.h"
#include "database/db_field_val.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_handler_steps.h"
#include "database/db_hooks.h"
#include "database/db_session_pool.h"
#include "database/db_sql_literals.h"
#include "database/db_table_info.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"

bool TDBGenericAccessHandlerBase::IsNewS()
{
    if (!Record().HasKey()) {
        return true;
    }
    std::string sql;
    try {
        TDBGenericQuery query(Session(), &Record(), false);
        return IsNewOn(query, sql);
    } catch (const std::exception& error) {
        Report("Failed to load information from table " + Record().TableName() + ".\r\n" + "Session = "
                   + Session().SessionName() + "\r\n",
               21, sql, "IsNewS", &error);
        return false;
    }
}

bool TDBGenericAccessHandlerBase::LoadCurrentS(const fw::Variant& key, TDBGQueryRef& query, const std::string& date,
                                              bool commit)
{
    const StateScope state(*this, dbhsLoadCurrent);
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    if (condition_.empty()) {
        TakeKeyFromVariant(key);
        if (!record.HasKey()) {
            Finish(query, commit, true);
            if (record.HasFlag(dbrfReportLoadWithoutKey)) {
                Report("Unable to load record from table " + record.TableName() + ".\r\n"
                           + "The record does not have a valid key:\r\n" + record.KeyDescription(),
                       24, {}, "LoadCurrent");
            }
            return false;
        }
    }
    const bool dated = !date.empty() && table.CanDelete();
    std::string condition = condition_.empty() ? KeyCondition(dated ? 8 : 0) : CallerCondition(condition_);
    if (dated) {
        condition += " AND (" + info.DeleteFlagField() + " = ''" + " OR " + info.DeleteFlagField() + " > "
            + info.QuoteValue(date) + ")";
    }
    std::string sql;
    try {
        EnsureQuery(query);
        query->Close();
        query->SQL().Clear();
        query->SQL().Add("SELECT " + SelectList() + " FROM " + record.TableName() + " WHERE " + condition);
        sql = query->Text();
        query->Open();
        const bool found = !query->Eof();
        if (found) {
            ReadRow(*query, true, nullptr);
        } else {
            record.Clear(true);
        }
        query->Close();
        loadedDate_ = date;
        if (found) {
            record.SetLoadedKey(record.KeyAsVariant());
            record.AfterLoad(date);
        }
        Finish(query, commit, true);
        return found;
    } catch (const TDBGenericException&) {
        Finish(query, commit, false);
        throw;
    } catch (const std::exception& error) {
        Finish(query, commit, false);
        Report("Failed to load information from table " + record.TableName() + ".\r\n" + "Session = "
                   + Session().SessionName() + "\r\n",
               21, sql, "LoadCurrent", &error);
        return false;
    }
}

bool TDBGenericAccessHandlerBase::LoadFieldsS(const std::vector<std::string>& names)
{
    TDBGenericAccessBase& record = Record();
    std::string columns;
    // Only columns the record has, as UpdateFields takes them: a name is never SQL of its own.
    for (const std::string& name : names) {
        const std::string trimmed = fw::Trim(name);
        if (!trimmed.empty() && record.HasColumn(trimmed)) {
            columns += (columns.empty() ? "" : ", ") + trimmed;
        }
    }
    if (columns.empty()) {
        Report("No fields specified for LoadFields method.\r\n" + record.KeyDescription(), 30, {}, "LoadFields");
        return false;
    }
    if (!record.HasKey()) {
        if (record.HasFlag(dbrfReportLoadWithoutKey)) {
            Report("Unable to load fields from table " + record.TableName() + ".\r\n"
                       + "The record does not have a valid key:\r\n" + record.KeyDescription(),
                   24, {}, "LoadFieldsS");
        }
        return false;
    }
    const StateScope state(*this, dbhsLoadCurrent);
    std::string sql;
    try {
        TDBGenericQuery query(Session(), &record, false);
        query.SQL().Add("SELECT " + columns + " FROM " + record.TableName() + " WHERE " + KeyCondition(0));
        sql = query.Text();
        query.Open();
        if (query.Eof()) {
            return false;
        }
        ReadRow(query, false, nullptr);
        return true;
    } catch (const std::exception& error) {
        Report("Failed to load information from table " + record.TableName() + ".\r\n" + "Session = "
                   + Session().SessionName() + "\r\n",
               21, sql, "LoadFieldsS", &error);
        return false;
    }
}

bool TDBGenericAccessHandlerBase::SaveWithQueryS(TDBGQueryRef& query, bool commit)
{
    const StateScope state(*this, dbhsSave);
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    const std::string tableName = record.TableName();

    record.BeforeSave();
    NotifyHooks(dbheBeforeWrite);
    NotifyHooks(dbheWriting);
    const int validation = record.Validate();
    if (validation != 0) {
        Finish(query, commit, false);
        Report("Record validation on table " + tableName + " failed with error " + fw::IntToStr(validation) + "\r\n"
                   + record.FieldValuesText(),
               25, {}, "SaveWithQueryS");
        return false;
    }
    TDBGKeysGivenBack keys(record);
    // Keys are drawn before the save's own transaction begins: the registry works on a
    // connection of its own, which SQLite would keep waiting behind this one's writes.
    bool keyDrawn = false;
    {
        const TDBGErrorWatch watch;
        keyDrawn = CreateKey();
        if (watch.Reported()) {
            Finish(query, commit, false);
            return false;
        }
    }
    if (record.NeedsKeyToSave() && !record.HasKey()) {
        Finish(query, commit, false);
        Report("Failed to save record to table " + tableName + ":\r\n" + "The record does not have a valid key:\r\n"
                   + record.KeyDescription(),
               26, {}, "SaveWithQueryS");
        return false;
    }

    std::string sql;
    std::string failure = "Failed to save information to table " + tableName + ".\r\n" + "Session = "
        + Session().SessionName() + "\r\n";
    std::string method = "SaveWithQueryS";
    fw::db::Connection* connection = nullptr;
    try {
        EnsureQuery(query);
        connection = query->GetConnection();
        // A key drawn just now is no row's yet: such a record is inserted, so that a registry
        // behind its table makes the insert fail instead of overwriting another record.
        const bool isNew = keyDrawn || IsNewOn(*query, sql);
        TDBGFieldValList values;
        if (isNew) {
            const bool engineKey = record.EngineMakesKey() && !table.UseMultiKeys() && !table.KeyField().empty();
            FieldValues(values, 8);
            if (engineKey) {
                values.Remove(values.FindName(table.KeyField()));
            }
            query->SQL().Clear();
            query->SQL().Add(InsertStatement(values, tableName));
            query->SetReturningColumn(engineKey ? table.KeyField() : std::string());
            sql = query->Text();
            query->ExecSQL();
            query->SetReturningColumn({});
            NotifyHooks(dbheInserted);
            if (engineKey) {
                // The key of this connection's own insert: another user's insert may have
                // come after it, so the table's highest key is not necessarily this one.
                const auto key = static_cast<int>(query->LastInsertId());
                if (table.UseRecordKey()) {
                    record.SetKeyValue(key);
                } else {
                    record.SetKeyFromVariant(fw::Variant::Array({fw::Variant(key)}));
                }
            }
            if (table.hasHistory() && info.Options().Contains(dbfAutoCreateFirstHistory)) {
                failure = "Error while attempting to create default history record.\r\nSession = "
                    + Session().SessionName();
                method = "SaveWithQueryS.CreateHistoryRecord";
                InsertHistoryRow(*query, info.DefaultHistoryStart(), OpenPeriodEnd(), sql);
            }
        } else {
            // Only what changed: another user's changes to the other columns stay, and a
            // record with nothing changed sends nothing.
            FieldValues(values, 0);
            if (values.Count() > 0) {
                query->SQL().Clear();
                query->SQL().Add(UpdateStatement(values, KeyCondition(1 | RowsOfRecord())));
                sql = query->Text();
                query->ExecSQL();
            }
            NotifyHooks(dbheUpdated);
        }
        NotifyHooks(dbheWritten);
        NotifyHooks(dbheAfterWrite);
        NotifyHooks(dbheStatementsDone);
        Finish(query, commit, true);
        if (commit) {
            NotifyHooks(dbheCommitted);
        }
    } catch (const std::exception& error) {
        NotifyHooks(dbheStatementsDone);
        if (query) {
            query->SetReturningColumn({});
        }
        Finish(query, commit, false);
        if (commit) {
            NotifyHooks(dbheRolledBack);
        }
        Report(failure, 20, sql, method, &error);
        return false;
    }
    keys.Keep(connection);
    record.SetLoadedKey(record.KeyAsVariant());
    record.AfterSave();
    return true;
}

bool TDBGenericAccessHandlerBase::DeleteS(const std::string& date)
{
    const StateScope state(*this, dbhsDelete);
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    const std::string tableName = record.TableName();
    NotifyHooks(dbheDeleting);
    // A delete that fails leaves the record as it was: a delete date still marked changed
    // would make the next ordinary save delete the row.
    const std::string deleteDate = record.DeleteDate();
    const bool modifyFlag = record.GetModifyFlag();
    const std::vector<int> marks = record.ModifiedMarks();
    const auto restore = [&] {
        try {
            if (record.DeleteDate() != deleteDate) {
                record.SetDeleteDate(deleteDate);
            }
            if (record.GetModifyFlag() != modifyFlag) {
                record.SetModifyFlag(modifyFlag);
            }
            record.RestoreModifiedMarks(marks);
        } catch (const std::exception&) {
            // The delete's own failure is the one to report.
        }
    };
    TDBGQueryRef query;
    std::string sql;
    try {
        // Without a key column the condition would be none, and the deletion every row.
        const std::string condition = KeyCondition(8);
        if (condition.empty()) {
            throw TGenericException("The record has no key condition: deleting it would erase every row of table "
                                        + tableName + ".",
                                    nullptr, fw::SenderName(&record), "DeleteS");
        }
        const TDBGErrorWatch watch;
        EnsureQuery(query);
        if (table.Options().Contains(dbgSaveToHistoryOnDelete) && table.hasHistory() && !date.empty()) {
            SaveToHistoryWithQuery(date, query, false);
            CheckStep(watch);
        }
        if (table.CanDelete() && !date.empty() && !table.Options().Contains(dbgEraseCurrentOnDelete)) {
            record.SetDeleteDate(date);
            SaveWithQuery(query, false);
            CheckStep(watch);
        } else {
            sql = " DELETE FROM " + tableName + "\r\n WHERE " + condition;
            ::DeleteTableEntries(query->SessionRef(), tableName, condition);
            CheckStep(watch);
            if (table.Options().Contains(dbgDeleteHistoryOnErase) && table.hasHistory()) {
                sql = " DELETE FROM " + table.HistoryTable() + "\r\n WHERE " + condition;
                ::DeleteTableEntries(query->SessionRef(), table.HistoryTable(), condition);
                CheckStep(watch);
            }
        }
        record.SetDeleteDate(date);
        NotifyHooks(dbheDeleted);
        Finish(query, true, true);
        NotifyHooks(dbheDeleteCommitted);
        return true;
    } catch (const EStepReported&) {
        Finish(query, true, false);
        restore();
        return false;
    } catch (const std::exception& error) {
        Finish(query, true, false);
        restore();
        Report("Failed to delete record!\r\nSession = " + Session().SessionName() + "\r\n" + "Table = " + tableName
                   + "\r\n" + "Date = " + DisplayDate(date) + "\r\n",
               31, sql, "DeleteS", &error);
        return false;
    }
}

bool TDBGenericAccessHandlerBase::UndeleteS()
{
    const StateScope state(*this, dbhsUndelete);
    TDBGenericAccessBase& record = Record();
    TDBGenericInfo& info = Info();
    if (!record.TableInfo().CanDelete()) {
        return false;
    }
    TDBGQueryRef query;
    std::string sql;
    try {
        const std::string condition = KeyCondition(8);
        if (condition.empty()) {
            throw TGenericException("The record has no key condition.", nullptr, fw::SenderName(&record),
                                    "UndeleteS");
        }
        EnsureQuery(query);
        query->SQL().Add("UPDATE " + record.TableName() + " SET " + info.DeleteFlagField() + " = "
                         + info.QuoteValue("") + " WHERE " + condition);
        sql = query->Text();
        query->ExecSQL();
        Finish(query, true, true);
    } catch (const std::exception& error) {
        Finish(query, true, false);
        Report("Failed to undelete record!\r\nSession = " + Session().SessionName() + "\r\n" + "Table = "
                   + record.TableName() + "\r\n",
               37, sql, "UndeleteS", &error);
        return false;
    }
    record.SetDeleteDate({});
    return true;
}

bool TDBGenericAccessHandlerBase::UpdateFieldsS()
{
    const StateScope state(*this, dbhsSave);
    TDBGenericAccessBase& record = Record();
    const std::string tableName = record.TableName();
    const int validation = record.Validate();
    if (validation != 0) {
        Report("Record validation on table " + tableName + " failed with error " + fw::IntToStr(validation) + "\r\n"
                   + record.FieldValuesText(),
               25, {}, "UpdateFieldsS");
        return false;
    }
    if (!record.HasKey()) {
        Report("Unable to update record fields.\r\nThe record does not have a valid key:\r\n" + record.KeyDescription(),
               66, {}, "UpdateFieldsS");
        return false;
    }
    TDBGFieldValList values;
    for (const std::string& name : columnNames_) {
        if (record.HasColumn(name)) {
            values.Set(name, record.ColumnLiteral(name));
        }
    }
    if (values.Count() == 0) {
        return true;
    }
    TDBGQueryRef query;
    std::string sql;
    try {
        EnsureQuery(query);
        query->SQL().Add(UpdateStatement(values, KeyCondition(RowsOfRecord())));
        sql = query->Text();
        query->ExecSQL();
        Finish(query, true, true);
        return true;
    } catch (const std::exception& error) {
        Finish(query, true, false);
        Report("Failed to update record fields.Session = " + Session().SessionName() + "\r\n", 66, sql,
               "UpdateFieldsS", &error);
        return false;
    }
}

int TDBGenericAccessHandlerBase::CheckDuplicate(const std::vector<std::string>& names,
                                                const std::vector<std::string>& values, bool excludeSelf)
{
    TDBGenericAccessBase& record = Record();
    const TDBGenericTableInfo& table = record.TableInfo();
    TDBGenericInfo& info = Info();
    const std::string tableName = record.TableName();
    const auto mismatch = [&] {
        Report("Error while trying to check for duplicates in table " + tableName + ":\r\n"
                   + "Parameter list mismatch.\r\n" + record.KeyDescription(),
               60, {}, "CheckDuplicate");
        return 0;
    };
    if (names.size() != values.size() || names.empty()) {
        return mismatch();
    }
    const bool columnsKnown = table.Fields().Count() > 0;
    std::string condition;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = fw::Trim(names[i]);
        const TDBGenericFieldInfo* column = table.Fields().FindName(name);
        if (name.empty() || (columnsKnown && column == nullptr)) {
            return mismatch();
        }
        // Every value goes in as its column's literal: a caller's text never becomes SQL.
        std::string literal;
        if (values[i].empty()) {
            literal = record.ColumnLiteral(name);
        } else if (column != nullptr) {
            if (!TextLiteral(info, *column, values[i], literal)) {
                return mismatch();
            }
        } else {
            literal = info.QuoteValue(values[i]);
        }
        const bool text = column == nullptr || column->DataType == dbfString;
        condition += (i > 0 ? " AND " : "")
            + (text ? "Upper(" + name + ") = " + fw::UpperCase(literal) : name + " = " + literal);
    }
    if (excludeSelf && record.HasKey()) {
        condition += " AND " + KeyCondition(4);
    }
    const std::string keys = table.PrimaryKey().empty() ? std::string("*") : table.PrimaryKey();
    std::string sql;
    try {
        TDBGenericQuery query(Session(), &record, false);
        query.SQL().Add("SELECT " + keys + " FROM " + tableName + " WHERE " + condition);
        sql = query.Text();
        query.Open();
        return query.RecordCount();
    } catch (const std::exception& error) {
        Report("Unable check for duplicates in table " + tableName + "." + "Session = " + Session().SessionName()
                   + "\r\n",
               60, sql, "CheckDuplicate", &error);
        return 0;
    }
}
