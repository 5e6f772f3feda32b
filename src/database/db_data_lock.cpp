#include "database/db_data_lock.h"

#include <memory>

#include "database/db_exception_log.h"
#include "database/db_generic_functions.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_session_pool.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/db/db_connection.h"
#include "framework/db/db_error.h"

namespace {

// The previous error of a conflict: another user holds the lock, or took it first.
class ELockConflict : public fw::Exception {
public:
    using fw::Exception::Exception;
    std::string_view className() const noexcept override { return "ELockConflict"; }
};

const char* const ConflictText = "The record or table has been locked by another user.";

// Locks are taken on the default session, except for the key of an exception log row: its
// lock must not join the transaction whose failure the row records, which on PostgreSQL
// refuses every statement once one has failed. The row is written on the log's own session,
// and so is its key's lock.
TDBGSessionRef& LockSession(TDBGenericInfo& info)
{
    return IsWritingExceptionLog() ? info.LogSession() : info.DefaultSession();
}

} // namespace

TDBGenericDataLock::TDBGenericDataLock(fw::Component* owner) : fw::Component(owner) {}

TDBGenericDataLock::~TDBGenericDataLock()
{
    SetDBInfo(nullptr);
}

TDBGenericInfo& TDBGenericDataLock::DBInfo() const
{
    if (dbInfo_ == nullptr) {
        throw fw::Exception("The DBInfo property of the " + std::string(className()) + " component " + Name()
                            + "\r\n" + " has not been set.");
    }
    return *dbInfo_;
}

void TDBGenericDataLock::SetDBInfo(TDBGenericInfo* info)
{
    if (info == dbInfo_) {
        return;
    }
    TDBGenericInfo* previous = dbInfo_;
    LinkInfo(info);
    if (previous != nullptr) {
        previous->ForgetLocks(this);
    }
    if (info != nullptr) {
        info->SetLocks(this);
    }
}

void TDBGenericDataLock::LinkInfo(TDBGenericInfo* info)
{
    if (dbInfo_ != nullptr) {
        RemoveFreeNotification(dbInfo_);
    }
    dbInfo_ = info;
    if (dbInfo_ != nullptr) {
        FreeNotification(dbInfo_);
    }
}

void TDBGenericDataLock::Notification(fw::Component* component, fw::Operation operation)
{
    fw::Component::Notification(component, operation);
    if (operation == fw::Operation::Remove && component == dbInfo_) {
        dbInfo_ = nullptr;
    }
}

std::string TDBGenericDataLock::UserOrCurrent(const std::string& user) const
{
    return user.empty() ? DBInfo().CurrentUserID() : user;
}

std::string TDBGenericDataLock::UserColumn() const
{
    return UserIDFieldName(DBInfo().DBType());
}

std::string TDBGenericDataLock::KeyCondition(const std::string& table, const std::string& key) const
{
    const TDBGenericInfo& info = DBInfo();
    return "TableName = " + info.QuoteValue(table) + " AND Keys = " + info.QuoteValue(key);
}

bool TDBGenericDataLock::CanLockRecord(const std::string& table, const std::string& key, TDBGenericQuery& query,
                                       const std::string& user)
{
    TDBGenericInfo& info = DBInfo();
    const std::string holder = UserOrCurrent(user);
    try {
        query.Close();
        query.SQL().Clear();
        query.SQL().Add("SELECT * FROM " + lockTableName_ + " WHERE TableName = " + info.QuoteValue(table)
                        + " AND ( Keys = " + info.QuoteValue(key) + " OR Keys = " + info.QuoteValue("") + ")"
                        + " AND " + UserColumn() + " <> " + info.QuoteValue(holder));
        query.Open();
        const bool free = query.Eof();
        query.Close();
        return free;
    } catch (const std::exception& error) {
        return info.HandleException("Unable to access lock table " + lockTableName_ + ".", 5, query.Text(),
                                    "_canLockRecordQ", this, holder, &error, this)
            != 0;
    }
}

int TDBGenericDataLock::LockRecord(const std::string& table, const std::string& key, const std::string& user)
{
    if (!enabled_) {
        return 0;
    }
    TDBGenericInfo& info = DBInfo();
    const std::string holder = UserOrCurrent(user);
    std::unique_ptr<TDBGenericQuery> query;
    std::string sql;
    int count = 0;
    try {
        query = std::make_unique<TDBGenericQuery>(LockSession(info), this, true);
        // PostgreSQL: lock operations on one table follow each other, so that the check
        // still holds when the row is written.
        query->GetConnection()->LockName(lockTableName_ + "/" + table);
        if (!CanLockRecord(table, key, *query, holder)) {
            sql = query->Text();
            throw ELockConflict(ConflictText);
        }
        query->SQL().Clear();
        query->SQL().Add("SELECT * FROM " + lockTableName_ + " WHERE " + KeyCondition(table, key));
        sql = query->Text();
        query->Open();
        if (query->Eof()) {
            const fw::DateTime now = info.Now();
            query->SQL().Clear();
            query->SQL().Add("INSERT INTO " + lockTableName_ + " (TableName, Keys, " + UserColumn()
                             + ", LockDate, LockTime, LockCount)" + " VALUES (" + info.QuoteValue(table) + ", "
                             + info.QuoteValue(key) + ", " + info.QuoteValue(holder) + ", "
                             + info.QuoteValue(info.DateToDBStr(now)) + ", " + info.QuoteValue(info.TimeToDBStr(now))
                             + ", " + "1" + ")");
            sql = query->Text();
            try {
                query->ExecSQL();
            } catch (const fw::db::EDatabaseError& error) {
                if (error.Kind() != fw::db::ErrorKind::UniqueViolation) {
                    throw;
                }
                // Another user's row came first.
                throw TGenericException(ConflictText, &error, fw::SenderName(this), "LockRecord");
            }
            count = 1;
        } else {
            // Another user's row found here was written after the check: a conflict too.
            if (query->FieldByName(UserColumn()).AsString() != holder) {
                throw ELockConflict(ConflictText);
            }
            count = query->FieldByName("LockCount").AsInteger() + 1;
            query->SQL().Clear();
            query->SQL().Add("UPDATE " + lockTableName_ + " SET LockCount = " + fw::IntToStr(count) + " WHERE "
                             + KeyCondition(table, key));
            sql = query->Text();
            query->ExecSQL();
        }
        TDBGenericQuery::ReleaseCommit(query);
    } catch (const std::exception& error) {
        try {
            TDBGenericQuery::ReleaseRollback(query);
        } catch (const std::exception&) {
            // The lock's own failure is the one to report.
        }
        // The host's answer lets the caller go on; it is no lock count, for no lock is held.
        info.HandleException("Unable to lock record.\r\nTable = " + table + "\r\n" + "Key = " + key, 6, sql,
                             "LockRecord", this, holder, &error, this);
        return 0;
    }
    if (OnLockRecord) {
        OnLockRecord(*this, table, key, holder);
    }
    return count;
}

int TDBGenericDataLock::UnlockRecord(const std::string& table, const std::string& key, bool force,
                                     const std::string& user)
{
    if (!enabled_) {
        return 0;
    }
    TDBGenericInfo& info = DBInfo();
    const std::string holder = UserOrCurrent(user);
    std::unique_ptr<TDBGenericQuery> query;
    std::string sql;
    int count = 0;
    try {
        query = std::make_unique<TDBGenericQuery>(LockSession(info), this, true);
        query->GetConnection()->LockName(lockTableName_ + "/" + table);
        if (force) {
            ::DeleteTableEntries(query->SessionRef(), lockTableName_, KeyCondition(table, key));
        } else {
            query->SQL().Add("SELECT * FROM " + lockTableName_ + " WHERE " + KeyCondition(table, key));
            sql = query->Text();
            query->Open();
            if (!query->Eof()) {
                const std::string lockedBy = query->FieldByName(UserColumn()).AsString();
                if (lockedBy != holder) {
                    throw fw::Exception("The record was locked by user " + lockedBy + ".");
                }
                const int locks = query->FieldByName("LockCount").AsInteger();
                if (locks != 1) {
                    count = locks - 1;
                    query->SQL().Clear();
                    query->SQL().Add("UPDATE " + lockTableName_ + " SET LockCount = " + fw::IntToStr(count)
                                     + " WHERE " + KeyCondition(table, key));
                    sql = query->Text();
                    query->ExecSQL();
                } else {
                    ::DeleteTableEntries(query->SessionRef(), lockTableName_, KeyCondition(table, key));
                }
            }
        }
        TDBGenericQuery::ReleaseCommit(query);
    } catch (const std::exception& error) {
        try {
            TDBGenericQuery::ReleaseRollback(query);
        } catch (const std::exception&) {
            // The unlock's own failure is the one to report.
        }
        return info.HandleException("Unable to unlock record.\r\nTable = " + table + "\r\n" + "Key = " + key, 7,
                                    sql, "UnlockRecord", this, holder, &error, this);
    }
    if (OnUnlockRecord) {
        OnUnlockRecord(*this, table, key, holder);
    }
    return count;
}

bool TDBGenericDataLock::CanWriteToTable(const std::string& table, const std::string& user)
{
    if (!enabled_) {
        return true;
    }
    TDBGenericInfo& info = DBInfo();
    const std::string holder = UserOrCurrent(user);
    std::unique_ptr<TDBGenericQuery> query;
    std::string sql;
    bool writable = true;
    try {
        // Only a read: a transaction of its own would make SQLite wait for every other writer.
        query = std::make_unique<TDBGenericQuery>(info, this, false);
        query->SQL().Add("SELECT * FROM " + lockTableName_ + " WHERE TableName = " + info.QuoteValue(table)
                         + " AND Keys = " + info.QuoteValue(""));
        sql = query->Text();
        query->Open();
        if (!query->Eof()) {
            writable = query->FieldByName(UserColumn()).AsString() == holder;
        }
        TDBGenericQuery::ReleaseCommit(query);
    } catch (const std::exception& error) {
        try {
            TDBGenericQuery::ReleaseRollback(query);
        } catch (const std::exception&) {
            // The test's own failure is the one to report.
        }
        return info.HandleException("Unable to complete lock request for " + table + ".", 5, sql, "CanWriteToTable",
                                    this, holder, &error, this)
            != 0;
    }
    return writable;
}

bool TDBGenericDataLock::CanWriteRecord(const std::string& table, const std::string& key, const std::string& user)
{
    if (!enabled_) {
        return true;
    }
    if (!CanWriteToTable(table, user)) {
        return false;
    }
    TDBGenericInfo& info = DBInfo();
    const std::string holder = UserOrCurrent(user);
    std::string sql;
    try {
        TDBGenericQuery query(info, this, false);
        query.SQL().Add("SELECT * FROM " + lockTableName_ + " WHERE TableName = " + info.QuoteValue(table)
                        + "   AND Keys = " + info.QuoteValue(key));
        sql = query.Text();
        query.Open();
        return query.Eof() || query.FieldByName(UserColumn()).AsString() == holder;
    } catch (const std::exception& error) {
        return info.HandleException("Unable to complete lock request for " + table + "/" + key + ".", 5, sql,
                                    "CanWriteRecord", this, holder, &error, this)
            != 0;
    }
}
