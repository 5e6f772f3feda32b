#include "database/db_generic_query.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "database/db_exception_log.h"
#include "database/db_generic_functions.h"
#include "database/db_generic_info.h"
#include "database/db_session_pool.h"
#include "foundation/generic_exception.h"
#include "framework/db/db_alias.h"
#include "framework/db/db_connection.h"

namespace {

// The sessions on which this thread owns a transaction, the latest last.
thread_local std::vector<TDBGSessionRef*> ownedSessions;

bool SameSqliteDatabase(fw::db::Connection& one, fw::db::Connection& other)
{
    if (one.GetEngine() != fw::db::Engine::Sqlite || other.GetEngine() != fw::db::Engine::Sqlite) {
        return false;
    }
    const auto first = fw::db::FindAlias(one.AliasName());
    const auto second = fw::db::FindAlias(other.AliasName());
    return first && second && first->Database == second->Database;
}

// SQLite lets one connection at a time write to a database file. A thread that owns a
// transaction on one session and starts another on a second connection to the same file
// would wait for itself until the busy timeout, and fail; it joins its own transaction
// instead, as a query on the same session would. The work done there (a key drawn, a lock
// taken) then commits or rolls back with that transaction.
TDBGSessionRef& SessionToWriteOn(TDBGSessionRef& wanted, bool startTransaction)
{
    if (!startTransaction || ownedSessions.empty()
        || std::find(ownedSessions.begin(), ownedSessions.end(), &wanted) != ownedSessions.end()) {
        return wanted;
    }
    fw::db::Connection& connection = *wanted.GetDatabase();
    for (auto owner = ownedSessions.rbegin(); owner != ownedSessions.rend(); ++owner) {
        if (SameSqliteDatabase(*(*owner)->GetDatabase(), connection)) {
            return **owner;
        }
    }
    return wanted;
}

} // namespace

TDBGenericQuery::TDBGenericQuery(TDBGenericInfo& info, fw::Object* owner, bool startTransaction)
    : info_(info), session_(SessionToWriteOn(info.DefaultSession(), startTransaction)), owner_(owner)
{
    Begin(startTransaction);
}

TDBGenericQuery::TDBGenericQuery(TDBGSessionRef& session, fw::Object* owner, bool startTransaction)
    : info_(session.Pool().Info()), session_(SessionToWriteOn(session, startTransaction)), owner_(owner)
{
    Begin(startTransaction);
}

TDBGenericQuery::~TDBGenericQuery()
{
    try {
        EndTransaction(false);
    } catch (const std::exception&) {
        // A query dropped without Release ends its transaction without keeping it.
    }
    Unlock();
}

void TDBGenericQuery::Begin(bool startTransaction)
{
    fw::db::Connection* connection = session_.GetDatabase();
    SetSessionName(session_.SessionName());
    SetDatabaseName(connection->DatabaseName());
    SetConnection(connection);
    if (!startTransaction) {
        return;
    }
    // Enter first, then look: a transaction found after entering is this thread's own.
    session_.CriticalSection().lock();
    if (connection->InTransaction()) {
        session_.CriticalSection().unlock();
        return;
    }
    try {
        connection->StartTransaction();
    } catch (...) {
        session_.CriticalSection().unlock();
        throw;
    }
    ownsTransaction_ = true;
    ownedSessions.push_back(&session_);
    OwnedTransactionBegun();
}

void TDBGenericQuery::EndTransaction(bool commit)
{
    if (!ownsTransaction_) {
        return;
    }
    ownsTransaction_ = false;
    if (const auto owned = std::find(ownedSessions.rbegin(), ownedSessions.rend(), &session_);
        owned != ownedSessions.rend()) {
        ownedSessions.erase(std::next(owned).base());
    }
    // The section is left whatever the engine answers; then the log rows that waited for
    // the transaction are written.
    struct Leave {
        std::recursive_mutex& section;
        ~Leave()
        {
            section.unlock();
            OwnedTransactionEnded();
        }
    } leave{session_.CriticalSection()};
    fw::db::Connection* connection = GetConnection();
    if (connection == nullptr || !connection->InTransaction()) {
        return;
    }
    if (commit) {
        connection->Commit();
    } else {
        connection->Rollback();
    }
}

void TDBGenericQuery::CommitOwned()
{
    EndTransaction(true);
}

void TDBGenericQuery::RollbackOwned()
{
    EndTransaction(false);
}

void TDBGenericQuery::Release(std::unique_ptr<TDBGenericQuery>& query, bool commit)
{
    std::unique_ptr<TDBGenericQuery> released = std::move(query);
    if (!released) {
        return;
    }
    released->Close();
    released->EndTransaction(commit);
    released->Unlock();
}

void TDBGenericQuery::Lock()
{
    session_.CriticalSection().lock();
    holdsLock_ = true;
    ApplyDialect();
    LogSQL();
}

void TDBGenericQuery::Unlock()
{
    if (holdsLock_) {
        holdsLock_ = false;
        session_.CriticalSection().unlock();
    }
}

void TDBGenericQuery::CheckConnected() const
{
    const fw::db::Connection* connection = GetConnection();
    if (connection == nullptr || !connection->Connected()) {
        throw TGenericException("Cannot create SQL query:\r\nNo database connection has been established.",
                                nullptr, fw::SenderName(this), "Create");
    }
}

void TDBGenericQuery::ApplyDialect()
{
    if (info_.DBType() == dbgDBType_Oracle) {
        const std::string text = Text();
        std::string rewritten = ReplaceEmptyLiterals(text);
        if (rewritten != text) {
            SetText(rewritten);
        }
    }
}

void TDBGenericQuery::LogSQL()
{
    if (info_.Options().Contains(dbfSQLLogging) && info_.OnLogSQL) {
        info_.OnLogSQL(*this);
    }
}

void TDBGenericQuery::BeforeOpen()
{
    CheckConnected();
    ApplyDialect();
    LogSQL();
}

void TDBGenericQuery::BeforeExecute()
{
    // What a statement writes must be what later reads look for: the empty-literal rewrite
    // applies to every statement, not only to those that give rows.
    CheckConnected();
    ApplyDialect();
}

void DeleteTableEntries(TDBGSessionRef& session, const std::string& table, const std::string& condition)
{
    TDBGenericInfo& info = session.Pool().Info();
    std::unique_ptr<TDBGenericQuery> query;
    std::string sql;
    try {
        query = std::make_unique<TDBGenericQuery>(session, nullptr, true);
        bool run = true;
        if (info.DBType() == dbgDBType_Progress) {
            query->SQL().Add(" SELECT Count(*) FROM " + table);
            if (!condition.empty()) {
                query->SQL().Add(" WHERE " + condition);
            }
            sql = query->Text();
            query->Open();
            run = !query->Eof() && query->Fields(0).AsInteger() > 0;
            query->Close();
            query->SQL().Clear();
        }
        if (run) {
            query->SQL().Add(" DELETE FROM " + table);
            if (!condition.empty()) {
                query->SQL().Add(" WHERE " + condition);
            }
            sql = query->Text();
            query->ExecSQL();
        }
        TDBGenericQuery::ReleaseCommit(query);
    } catch (const std::exception& error) {
        try {
            TDBGenericQuery::ReleaseRollback(query);
        } catch (const std::exception&) {
            // The deletion's own failure is the one to report.
        }
        info.HandleException("Attempt to delete records failed.\r\nTable = " + table + "\r\n" + "Criteria = "
                                 + condition,
                             35, sql, "DeleteTableEntries", &info, {}, &error, &info);
    }
}
