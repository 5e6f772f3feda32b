#pragma once

#include <memory>
#include <string>

#include "database/db_generic_exception.h"
#include "framework/db/db_query.h"

class TDBGenericInfo;
class TDBGSessionRef;

// Every statement of the layer runs in one of these, on a session of the pool: a query
// that knows its settings component, its session and the object it works for, and that
// may own a transaction which is committed or rolled back when the query is released.
//
// Transactions have one level. A query that starts one first enters the session's
// critical section and only then looks at the connection: already in a transaction (this
// thread's, which holds the section), it joins it; otherwise it starts one and owns it.
// So another thread's query waits for the running transaction to end instead of slipping
// into it. On SQLite, which lets one connection at a time write to a file, a query that
// would start a transaction while its thread owns one on another session of the same file
// joins that one instead of waiting for itself until the busy timeout: what it writes
// (a key drawn, a lock row) commits or rolls back with it.
//
// Before a statement is sent: the connection must be connected; for Oracle every empty
// literal '' becomes ' '; before a query that gives rows, the settings component's
// OnLogSQL runs when its Options hold dbfSQLLogging.
class TDBGenericQuery : public fw::db::Query, public IDBGenericInfoSource {
public:
    // On the component's default session.
    TDBGenericQuery(TDBGenericInfo& info, fw::Object* owner, bool startTransaction);
    TDBGenericQuery(TDBGSessionRef& session, fw::Object* owner, bool startTransaction);
    // A transaction still owned is rolled back; a held section is left.
    ~TDBGenericQuery() override;

    std::string_view className() const override { return "TDBGenericQuery"; }

    TDBGenericInfo* GenericInfo() const override { return &info_; }
    TDBGSessionRef& SessionRef() const { return session_; }
    fw::Object* OwnerObject() const { return owner_; }
    bool OwnsTransaction() const { return ownsTransaction_; }
    bool HoldsSessionLock() const { return holdsLock_; }

    // Enters / leaves the session's critical section around statements that run without
    // a transaction of their own; Lock also applies the Oracle rewrite and the log hook.
    void Lock();
    void Unlock();

    // Only commit, or only roll back, the owned transaction and keep the query.
    void CommitOwned();
    void RollbackOwned();

    // Closes the query, commits or rolls back its own transaction, leaves the section and
    // frees the query; the variable is cleared, also when the commit fails.
    static void Release(std::unique_ptr<TDBGenericQuery>& query, bool commit);
    static void ReleaseCommit(std::unique_ptr<TDBGenericQuery>& query) { Release(query, true); }
    static void ReleaseRollback(std::unique_ptr<TDBGenericQuery>& query) { Release(query, false); }

protected:
    void BeforeOpen() override;
    void BeforeExecute() override;

private:
    void Begin(bool startTransaction);
    void EndTransaction(bool commit);
    void CheckConnected() const;
    void ApplyDialect();
    void LogSQL();

    TDBGenericInfo& info_;
    TDBGSessionRef& session_;
    fw::Object* owner_;
    bool ownsTransaction_ = false;
    bool holdsLock_ = false;
};

// Deletes the rows of the table that meet the condition (all of them without one), in a
// query with a transaction of its own on the session (joining a running one). The condition
// is trusted SQL that the caller built, sent as it is (a second statement in it is still
// refused); it must never carry a user's typing. The lines
// " DELETE FROM " + table and " WHERE " + condition, each with its leading blank. For
// Progress " SELECT Count(*) FROM " + table (+ the WHERE line) runs first and the rows are
// deleted only when it counts some. A failure goes to the component's HandleException:
//   "Attempt to delete records failed.\r\nTable = <table>\r\nCriteria = <condition>" (35)
void DeleteTableEntries(TDBGSessionRef& session, const std::string& table, const std::string& condition);
