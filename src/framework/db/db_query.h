#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/string_list.h"
#include "framework/db/db_field_value.h"

namespace fw::db {

class Connection;
struct ResultData;

// One SQL statement on a connection, its text a list of lines (the line breaks count as
// blanks). Open runs a statement that gives rows and reads them all; ExecSQL runs one that
// gives none. The rows are then read forward: Eof, Next, the fields of the current row.
//
// The text is sent as it is, literal values and all: no parameters. It must be one
// statement (IsSingleStatement); anything else is refused before it reaches the engine.
// The connection must outlive the query.
class Query : public Component {
public:
    explicit Query(Component* owner = nullptr);
    ~Query() override;

    std::string_view className() const override { return "TQuery"; }

    StringList& SQL() { return sql_; }
    const StringList& SQL() const { return sql_; }
    // The lines joined by CR LF, without a break after the last.
    std::string Text() const;
    void SetText(std::string_view text);

    const std::string& SessionName() const { return sessionName_; }
    void SetSessionName(std::string name) { sessionName_ = std::move(name); }
    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(std::string name) { databaseName_ = std::move(name); }
    Connection* GetConnection() const { return connection_; }
    void SetConnection(Connection* connection) { connection_ = connection; }

    // The rows Open reads stay locked against other writers until the transaction ends
    // (PostgreSQL: FOR UPDATE; SQLite's write transactions exclude each other anyway).
    bool LockRows() const { return lockRows_; }
    void SetLockRows(bool lock) { lockRows_ = lock; }

    // The key column of the row an INSERT run by ExecSQL writes: PostgreSQL hands it back
    // with the statement (RETURNING, added to the sent text only), SQLite gives the row id
    // of the statement. LastInsertId then reads it; empty (the default) asks for nothing.
    const std::string& ReturningColumn() const { return returningColumn_; }
    void SetReturningColumn(std::string column) { returningColumn_ = std::move(column); }

    // Raise EDatabaseError; the query is then closed.
    void Open();
    void ExecSQL();
    void Close();
    bool Active() const { return active_; }

    bool Eof() const;
    void Next();
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const { return static_cast<int>(rows_.size()); }

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    // The columns of the current row; past the last row they read as NULL. Raises
    // EDatabaseError outside the range.
    const FieldValue& Fields(int index) const;
    // Ignoring case; none when absent.
    const FieldValue* FindField(std::string_view name) const;
    // Ignoring case; raises EDatabaseError "Field '<name>' not found".
    const FieldValue& FieldByName(std::string_view name) const;

    // Rows changed by the last ExecSQL.
    int RowsAffected() const { return rowsAffected_; }
    // The key the engine gave the row of the last INSERT of this query: the returning
    // column's value when one was asked for (PostgreSQL), else SQLite's row id of the
    // statement or PostgreSQL's lastval() (an error there when no sequence has given a value
    // yet in this session, which also spoils a running transaction).
    std::int64_t LastInsertId();

protected:
    // Hooks for derived queries, called before the statement is sent.
    virtual void BeforeOpen() {}
    virtual void BeforeExecute() {}

private:
    void Run(bool wantRows);
    void Take(ResultData&& result);
    void PointFields();

    StringList sql_;
    std::string sessionName_;
    std::string databaseName_;
    Connection* connection_ = nullptr;
    bool lockRows_ = false;
    std::string returningColumn_;
    bool returned_ = false;
    std::int64_t returnedKey_ = 0;
    bool active_ = false;
    std::vector<std::vector<CellValue>> rows_;
    std::size_t row_ = 0;
    std::vector<FieldValue> fields_;
    int rowsAffected_ = -1;
    std::int64_t lastRowId_ = 0;
};

} // namespace fw::db
