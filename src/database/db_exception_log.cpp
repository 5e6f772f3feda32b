#include "database/db_exception_log.h"

#include <iostream>
#include <memory>
#include <vector>

#include "database/db_field.h"
#include "database/db_generic_functions.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_session_pool.h"
#include "foundation/date_utils.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/db/db_connection.h"

TDBGenericExceptionLog::TDBGenericExceptionLog(TDBGenericInfo& info, TDBGSessionRef& session)
    : info_(info), session_(session)
{
}

std::string TDBGenericExceptionLog::FieldName(int number) const
{
    switch (number) {
    case DescriptionField:
        return "Description";
    case UserIDField:
        return UserIDFieldName(info_.DBType());
    case LogDateField:
        return "LogDate";
    case LogTimeField:
        return "LogTime";
    case CommentField:
        return CommentFieldName(info_.DBType());
    default:
        return {};
    }
}

const std::string& TDBGenericExceptionLog::Field(int number) const
{
    static const std::string none;
    return number >= 1 && number <= 5 ? values_[static_cast<std::size_t>(number - 1)] : none;
}

void TDBGenericExceptionLog::SetField(int number, std::string value)
{
    if (number >= 1 && number <= 5) {
        values_[static_cast<std::size_t>(number - 1)] = std::move(value);
    }
}

std::string TDBGenericExceptionLog::DisplayText()
{
    const fw::DateTime date = info_.ConvertFromDBDateStr(Field(LogDateField));
    const fw::DateTime time = info_.ConvertFromDBTimeStr(Field(LogTimeField));
    return fw::FormatDate(date, "d mmm yyyy") + " " + fw::FormatDate(time, "hh:nn:ss");
}

void TDBGenericExceptionLog::Save()
{
    TDBGenericTableInfo* table = info_.GetTableByID(ExceptionLogTypeID);
    if (table == nullptr) {
        return;
    }
    const bool hasColumns = table->Fields().Count() > 0;
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (int number = DescriptionField; number <= CommentField; ++number) {
        const std::string name = FieldName(number);
        const TDBGenericFieldInfo* column = hasColumns ? table->Fields().FindName(name) : nullptr;
        if (hasColumns && column == nullptr) {
            continue;
        }
        std::string literal;
        if (column != nullptr) {
            // Through the column's own value, so that a text is trimmed and cut to its size.
            std::unique_ptr<TDBGenericField> field(column->CreateField());
            field->SetAsString(Field(number));
            if (field->DataType() == dbfString) {
                const std::string text = field->AsString();
                literal = info_.QuoteValue(text.empty() && info_.DBType() == dbgDBType_Oracle ? " " : text);
            } else if (field->DataType() == dbfDateTime) {
                literal = info_.DateTimeToSQL(field->AsDateTime());
            } else {
                literal = field->AsString();
            }
        } else {
            literal = info_.QuoteValue(Field(number));
        }
        names.push_back(column != nullptr ? column->FieldName : name);
        values.push_back(std::move(literal));
    }

    const std::string& keyField = table->KeyField();
    const TDBGenericFieldInfo* keyColumn = hasColumns ? table->Fields().FindName(keyField) : nullptr;
    const bool engineMakesKey = table->Options().Contains(dbgDBGeneratesKey)
        || (keyColumn != nullptr && keyColumn->DBFieldType == fw::db::FieldType::ftAutoInc);
    if (!keyField.empty() && !engineMakesKey && table->UseRecordKey() && !table->UseMultiKeys()) {
        if (key_ <= 0) {
            key_ = info_.NewRecordKey(ExceptionLogTypeID, 0);
        }
        names.push_back(keyField);
        values.push_back(fw::IntToStr(key_));
    }

    std::string sql = "INSERT INTO " + table->TableName() + " (";
    for (std::size_t i = 0; i < names.size(); ++i) {
        sql += (i > 0 ? ", " : "") + names[i];
    }
    sql += ") VALUES (";
    for (std::size_t i = 0; i < values.size(); ++i) {
        sql += (i > 0 ? ", " : "") + values[i];
    }
    sql += ")";

    std::unique_ptr<TDBGenericQuery> query;
    try {
        query = std::make_unique<TDBGenericQuery>(session_, this, true);
        query->SQL().Add(sql);
        query->ExecSQL();
        TDBGenericQuery::ReleaseCommit(query);
    } catch (const std::exception& error) {
        try {
            TDBGenericQuery::ReleaseRollback(query);
        } catch (const std::exception&) {
            // The save's own failure is the one to report.
        }
        info_.HandleException("Failed to save information to table " + table->TableName() + ".\r\n"
                                  + "Session = " + session_.SessionName() + "\r\n",
                              20, sql, "SaveWithQueryS", this, Field(UserIDField), &error, this);
    }
}

namespace {

thread_local bool writingLog = false;
thread_local int ownedTransactions = 0;

class WritingScope {
public:
    WritingScope() : outer_(writingLog) { writingLog = true; }
    ~WritingScope() { writingLog = outer_; }
    WritingScope(const WritingScope&) = delete;
    WritingScope& operator=(const WritingScope&) = delete;

private:
    bool outer_;
};

struct WaitingRow {
    std::weak_ptr<const void> alive;
    TDBGenericInfo* info;
    std::array<std::string, 5> values;
};
thread_local std::vector<WaitingRow> waitingRows;

bool MustWait(TDBGenericInfo& info)
{
    if (ownedTransactions == 0) {
        return false;
    }
    const fw::db::Connection* connection = info.LogSession().Database();
    return connection != nullptr && connection->GetEngine() == fw::db::Engine::Sqlite;
}

void WriteRow(TDBGenericInfo& info, const std::array<std::string, 5>& values)
{
    TDBGenericExceptionLog log(info, info.LogSession());
    for (int number = 1; number <= 5; ++number) {
        log.SetField(number, values[static_cast<std::size_t>(number - 1)]);
    }
    log.Save();
}

void WriteWaitingRows()
{
    std::vector<WaitingRow> rows;
    rows.swap(waitingRows);
    const WritingScope scope;
    for (const WaitingRow& row : rows) {
        const std::shared_ptr<const void> alive = row.alive.lock();
        if (!alive) {
            continue;
        }
        try {
            WriteRow(*row.info, row.values);
        } catch (const std::exception& failure) {
            std::cerr << "An error could not be written to the exception log:\n" << fw::ErrorMessage(failure) << '\n';
        }
    }
}

} // namespace

bool IsWritingExceptionLog()
{
    return writingLog;
}

void WriteExceptionLog(TDBGenericInfo& info, const TDBGenericException& error)
{
    const WritingScope scope;
    if (info.OnLogException) {
        info.OnLogException(info, error);
        return;
    }
    const fw::DateTime now = info.Now();
    std::array<std::string, 5> values;
    values[TDBGenericExceptionLog::DescriptionField - 1] = "Error Code = " + fw::IntToStr(error.GetFirstCode());
    values[TDBGenericExceptionLog::CommentField - 1] = error.Message();
    values[TDBGenericExceptionLog::UserIDField - 1] = error.UserID();
    values[TDBGenericExceptionLog::LogDateField - 1] = info.DateToDBStr(now);
    values[TDBGenericExceptionLog::LogTimeField - 1] = info.TimeToDBStr(now);
    if (MustWait(info)) {
        waitingRows.push_back(WaitingRow{info.AliveToken(), &info, std::move(values)});
        return;
    }
    WriteRow(info, values);
}

void OwnedTransactionBegun()
{
    ++ownedTransactions;
}

void OwnedTransactionEnded()
{
    if (ownedTransactions > 0 && --ownedTransactions == 0 && !waitingRows.empty()) {
        WriteWaitingRows();
    }
}
