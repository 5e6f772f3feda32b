#include "database/db_exception_log.h"

#include <array>
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

TDBGenericExceptionLog::TDBGenericExceptionLog(TDBGSessionRef& session)
    : TDBGenericAccessInternal(ExceptionLogTypeID, session, false, "TDBGenericExceptionLog")
{
    // Only the columns the table has take values; the others are no error.
    SetPartial(true);
    if (TableInfo().Fields().Count() == 0) {
        for (int number = DescriptionField; number <= CommentField; ++number) {
            auto column = std::make_unique<TDBGenericFieldInfo>();
            column->FieldName = FieldName(number);
            column->DataType = dbfString;
            std::unique_ptr<TDBGenericField> field(column->CreateField());
            field->SetAsString("");
            field->SetModified(false);
            Fields().Add(field.release());
            looseColumns_.push_back(std::move(column));
        }
    }
    SetKeyValue(-1);
}

TDBGenericExceptionLog::~TDBGenericExceptionLog()
{
    // The fields refer to the loose columns: they go first.
    Fields().Clear();
}

std::string TDBGenericExceptionLog::FieldName(int number) const
{
    switch (number) {
    case DescriptionField:
        return "Description";
    case UserIDField:
        return UserIDFieldName(Info().DBType());
    case LogDateField:
        return "LogDate";
    case LogTimeField:
        return "LogTime";
    case CommentField:
        return CommentFieldName(Info().DBType());
    default:
        return {};
    }
}

std::string TDBGenericExceptionLog::Field(int number) const
{
    const std::string name = FieldName(number);
    return name.empty() ? std::string() : AsText(name);
}

void TDBGenericExceptionLog::SetField(int number, const std::string& value)
{
    const std::string name = FieldName(number);
    if (!name.empty()) {
        SetText(name, value);
    }
}

std::string TDBGenericExceptionLog::DisplayText() const
{
    TDBGenericInfo& info = Info();
    const fw::DateTime date = info.ConvertFromDBDateStr(Field(LogDateField));
    const fw::DateTime time = info.ConvertFromDBTimeStr(Field(LogTimeField));
    return fw::FormatDate(date, "d mmm yyyy") + " " + fw::FormatDate(time, "hh:nn:ss");
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
    TDBGenericExceptionLog log(info.LogSession());
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
