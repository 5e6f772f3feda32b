#pragma once

#include <memory>
#include <string>
#include <vector>

#include "database/db_access_internal.h"
#include "database/db_generic_exception.h"
#include "framework/core/object.h"

class TDBGenericInfo;
class TDBGSessionRef;

// A row of the exception log: a field-list record of the table the settings component
// gives for type ID -1 (the host registers it). Its numbered columns:
//   1 "Description", 2 "UserID" ("UsrID" for Progress), 3 "LogDate", 4 "LogTime",
//   5 "Comment" ("CommentField" for Oracle)
// The record takes only the columns its table has (a table without column information gets
// all five as text), and starts with the key -1. Save inserts it in a transaction of its own
// on its session, so that the row stays whatever becomes of the transaction in which the
// error happened; the key is the engine's for an auto-increment column or dbgDBGeneratesKey,
// and drawn from the key registry for a table that uses the record key.
class TDBGenericExceptionLog : public TDBGenericAccessInternal {
public:
    static constexpr int DescriptionField = 1;
    static constexpr int UserIDField = 2;
    static constexpr int LogDateField = 3;
    static constexpr int LogTimeField = 4;
    static constexpr int CommentField = 5;

    // On the session of the settings component whose log it is.
    explicit TDBGenericExceptionLog(TDBGSessionRef& session);
    ~TDBGenericExceptionLog() override;

    std::string_view className() const override { return "TDBGenericExceptionLog"; }

    // The column name of a field number (1 to 5), empty for any other.
    std::string FieldName(int number) const;
    // The column's text; empty for a column the table lacks.
    std::string Field(int number) const;
    void SetField(int number, const std::string& value);

    // The LogDate as a date text, a blank, and the LogTime as a time text.
    std::string DisplayText() const override;

    // The record's save; a failure reports "Failed to save information to table
    // <table>.\r\nSession = <session>\r\n" (20, "SaveWithQueryS").
    bool Save() { return TDBGenericAccessInternal::Save(); }

private:
    std::vector<std::unique_ptr<TDBGenericFieldInfo>> looseColumns_;
};

// Writes the error's row into the settings component's exception log (or hands the error to
// its OnLogException instead). While this thread owns a transaction on a SQLite database,
// the row waits for that transaction to end: SQLite lets one writer in at a time, and the
// row would otherwise wait for a transaction that cannot end before the row is written.
// Failures of an immediate write are raised; those of a row that waited are reported on
// the error output, the error they would have logged being long gone.
void WriteExceptionLog(TDBGenericInfo& info, const TDBGenericException& error);
// This thread is writing a log row: its errors are not logged again.
bool IsWritingExceptionLog();

// Kept by the queries that own transactions: rows that waited are written when this
// thread's last owned transaction ends.
void OwnedTransactionBegun();
void OwnedTransactionEnded();
