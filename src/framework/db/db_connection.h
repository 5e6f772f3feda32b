#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/object.h"
#include "framework/core/string_list.h"
#include "framework/db/db_alias.h"
#include "framework/db/db_field_defs.h"

namespace fw::db {

class Session;

// What a statement sent to the engine is for.
enum class StatementKind {
    // The text of a query.
    Query,
    // BEGIN, COMMIT, ROLLBACK.
    Transaction,
    // Our own statements: the set-up of a new connection, catalog reads, row locks by name.
    Internal,
};

// One statement on its way to the engine. Text is what the caller built; Sent is what goes
// to the engine (the same, or with the engine's row-locking clause added).
struct StatementEvent {
    std::string_view Text;
    std::string_view Sent;
    StatementKind Kind;
};

// The value of a "NAME=value" line of a parameter list (names compared without regard to
// case), empty when there is none; setting replaces the line or appends one.
std::string ParamValue(const StringList& params, std::string_view name);
void SetParamValue(StringList& params, std::string_view name, std::string_view value);

// A connection to one database through an alias (db_alias.h), belonging to a session.
//
// Transactions have one level: StartTransaction inside one raises. SQLite's transactions
// begin with BEGIN IMMEDIATE, so that a transaction that reads and then writes never fails
// half-way because another connection wrote meanwhile: writers queue at the start instead.
// A failed COMMIT is rolled back, so that InTransaction and the engine always agree.
//
// A connection may be used from several threads, one call at a time: every call into the
// engine holds the connection's own lock. Keeping a transaction to one thread is the
// caller's business (the database layer's sessions do it).
class Connection : public Component {
public:
    // Registers with the session (the "Default" one when none is given).
    explicit Connection(Session* session = nullptr, Component* owner = nullptr);
    ~Connection() override;

    std::string_view className() const override { return "TDatabase"; }

    Session* GetSession() const { return session_; }

    const std::string& AliasName() const { return aliasName_; }
    void SetAliasName(std::string alias) { aliasName_ = std::move(alias); }
    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(std::string name) { databaseName_ = std::move(name); }
    // "USER NAME"/"PASSWORD" or "UID"/"PWD" give the login; else the alias's own.
    StringList& Params() { return params_; }
    const StringList& Params() const { return params_; }
    // There is nobody to ask: a login prompt is never shown, whatever this says.
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool prompt) { loginPrompt_ = prompt; }
    bool KeepConnection() const { return keepConnection_; }
    void SetKeepConnection(bool keep) { keepConnection_ = keep; }

    bool Connected() const;
    // Resolves the alias and connects. Raises EDatabaseError (NotConnected) with the
    // engine's text when the alias is unknown or the engine refuses.
    void Open();
    // A running transaction is rolled back.
    void Close();
    // The engine of the open connection, or of the alias before it is open.
    Engine GetEngine() const;

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;
    // Work that undoes, in memory, what the running transaction did, run when that
    // transaction is rolled back (by Rollback, by a commit that fails, or by Close), the
    // latest first; a commit forgets it. Outside a transaction it is not kept.
    void UndoOnRollback(std::function<void()> undo);
    // A statement of the running transaction failed, so that it can only be rolled back
    // (its commit is refused): work that joined the transaction stops early on it.
    bool TransactionFailed() const;

    // Holds a lock named by the text until the running transaction ends, waiting while
    // another connection holds it. SQLite needs none (its writers exclude each other from
    // BEGIN IMMEDIATE on); PostgreSQL takes a transaction-level advisory lock.
    void LockName(std::string_view name);

    // The columns of a table from the engine's catalog, in their order; none when the
    // table does not exist. The name must be a plain identifier.
    FieldDefs ReadFieldDefs(const std::string& table);

    // Called before every statement is sent, on the calling thread, outside the
    // connection's lock: tests pause a thread here at a chosen statement.
    using BeforeStatement = std::function<void(const StatementEvent& statement)>;
    void SetBeforeStatement(BeforeStatement callback);

    // For the query and the session.
    struct Impl;
    Impl& Internals() const { return *impl_; }
    void DetachSession() { session_ = nullptr; }

private:
    Session* session_;
    std::string aliasName_;
    std::string databaseName_;
    StringList params_;
    bool loginPrompt_ = false;
    bool keepConnection_ = true;
    std::unique_ptr<Impl> impl_;
};

} // namespace fw::db
