#pragma once

// The Qt side of the connection, shared by the files of this folder only: no header
// outside it includes this one, so Qt stays behind our interface.

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "framework/db/db_connection.h"
#include "framework/db/db_field_value.h"

namespace fw::db {

// What one statement gave back, read whole: the columns and every row (queries read
// forward only, and a finished statement holds no lock in the engine), the rows changed,
// and for SQLite the row id of an INSERT.
struct ResultData {
    bool IsSelect = false;
    std::vector<std::string> Columns;
    std::vector<std::vector<CellValue>> Rows;
    int RowsAffected = -1;
    std::int64_t LastRowId = 0;
};

struct Connection::Impl {
    QSqlDatabase Database;
    QString QtName;
    mutable std::recursive_mutex Mutex;
    Engine EngineKind = Engine::Sqlite;
    bool InTransaction = false;
    // A statement of the running transaction failed: it can only be rolled back.
    bool TransactionFailed = false;
    BeforeStatement Before;
    // What to undo when the running transaction is rolled back.
    std::vector<std::function<void()>> Undo;

    // Tells the before-statement callback, then runs the statement under the lock.
    ResultData Run(std::string_view text, std::string_view sent, StatementKind kind);
    void Notify(std::string_view text, std::string_view sent, StatementKind kind) const;
    // Runs it under the lock, without telling anyone: the caller did.
    ResultData Execute(std::string_view sent);
};

} // namespace fw::db
