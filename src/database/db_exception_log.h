#pragma once

#include <array>
#include <memory>
#include <string>

#include "database/db_generic_exception.h"
#include "framework/core/object.h"

class TDBGenericInfo;
class TDBGSessionRef;

// A row of the exception log: the table the settings component gives for type ID -1 (the
// host registers it). Its numbered columns:
//   1 "Description", 2 "UserID" ("UsrID" for Progress), 3 "LogDate", 4 "LogTime",
//   5 "Comment" ("CommentField" for Oracle)
// Save inserts the row in a transaction of its own on its session, so that the row stays
// whatever becomes of the transaction in which the error happened. A table with column
// information gets only the columns it has; a key column is left to the engine when it is
// an auto-increment or the table's options say the database makes the key, and drawn from
// the key registry otherwise (when the table uses it).
class TDBGenericExceptionLog : public fw::Object, public IDBGenericInfoSource {
public:
    static constexpr int DescriptionField = 1;
    static constexpr int UserIDField = 2;
    static constexpr int LogDateField = 3;
    static constexpr int LogTimeField = 4;
    static constexpr int CommentField = 5;

    TDBGenericExceptionLog(TDBGenericInfo& info, TDBGSessionRef& session);

    std::string_view className() const override { return "TDBGenericExceptionLog"; }
    TDBGenericInfo* GenericInfo() const override { return &info_; }

    // The column name of a field number (1 to 5), empty for any other.
    std::string FieldName(int number) const;
    const std::string& Field(int number) const;
    void SetField(int number, std::string value);
    int Key() const { return key_; }
    void SetKey(int key) { key_ = key; }

    // The LogDate as a date text, a blank, and the LogTime as a time text.
    std::string DisplayText();

    // Failures go to the settings component's HandleException as "Failed to save
    // information to table <table>.\r\nSession = <session>\r\n" (20, "SaveWithQueryS").
    void Save();

private:
    TDBGenericInfo& info_;
    TDBGSessionRef& session_;
    int key_ = -1;
    std::array<std::string, 5> values_;
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
