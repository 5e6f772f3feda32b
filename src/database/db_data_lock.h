#pragma once

#include <functional>
#include <string>

#include "framework/core/object.h"

class TDBGenericInfo;
class TDBGenericQuery;

// Application-level locks on records and whole tables, kept as rows of a lock table so
// that users of separate connections see each other's locks. A row names the table, the
// record's key text ('' for the whole table), the holder and how often the holder took it.
//
// Statements (Q = the settings component's QuoteValue; U = its user column, "UsrID" for
// Progress, else "UserID"):
//   check:  SELECT * FROM Data_Locks WHERE TableName = Q(t) AND ( Keys = Q(k) OR Keys = '')
//           AND U <> Q(u)
//   find:   SELECT * FROM Data_Locks WHERE TableName = Q(t) AND Keys = Q(k)
//   add:    INSERT INTO Data_Locks (TableName, Keys, U, LockDate, LockTime, LockCount)
//           VALUES (Q(t), Q(k), Q(u), Q(date), Q(time), 1)
//   count:  UPDATE Data_Locks SET LockCount = n WHERE TableName = Q(t) AND Keys = Q(k)
//   table:  SELECT * FROM Data_Locks WHERE TableName = Q(t) AND Keys = ''
//   record: SELECT * FROM Data_Locks WHERE TableName = Q(t)   AND Keys = Q(k)
//
// A lock or unlock is one transaction on the default session (on the exception log's own
// session while this thread writes a log row, so that the row's key draw never joins the
// failed transaction it records). Two users racing for the
// same lock never both get it: the lock table must hold UNIQUE (TableName, Keys), an
// insert that meets another's row is the conflict, and a found row of another user is one
// too. On PostgreSQL the lock operations of one table also queue behind a lock named after
// it, so that a table lock and a record lock cannot be granted side by side; SQLite's
// write transactions exclude each other anyway. Conflicts fail at once; nobody waits. The
// write tests only read, outside any transaction, so that another user's writing never
// keeps them waiting.
//
// Failures go to the settings component's HandleException with the lock component as
// sender and reference object, the failing statement and the error as the previous one:
//   CanLockRecord   "Unable to access lock table <LockTableName>."            5  "_canLockRecordQ"
//   LockRecord      "Unable to lock record.\r\nTable = <t>\r\nKey = <k>"     6  "LockRecord"
//   UnlockRecord    "Unable to unlock record.\r\nTable = <t>\r\nKey = <k>"   7  "UnlockRecord"
//   CanWriteRecord  "Unable to complete lock request for <t>/<k>."            5  "CanWriteRecord"
//   CanWriteToTable "Unable to complete lock request for <t>."                5  "CanWriteToTable"
// The previous error of a conflict is "The record or table has been locked by another
// user."; of an unlock by another user "The record was locked by user <holder>.". A
// failed lock or unlock changes no row. When the host's handler returns instead of
// raising, its answer is the result, except for a lock: a refused lock gives 0, since no
// lock is held whatever the host answers.
class TDBGenericDataLock : public fw::Component {
public:
    explicit TDBGenericDataLock(fw::Component* owner = nullptr);
    ~TDBGenericDataLock() override;

    std::string_view className() const override { return "TDBGenericDataLock"; }

    // Raises "The DBInfo property of the TDBGenericDataLock component <name>\r\n has not
    // been set." while unset. Setting it links both ways (TDBGenericInfo::SetLocks).
    TDBGenericInfo& DBInfo() const;
    TDBGenericInfo* DBInfoLink() const { return dbInfo_; }
    void SetDBInfo(TDBGenericInfo* info);

    const std::string& LockTableName() const { return lockTableName_; }
    void SetLockTableName(std::string name) { lockTableName_ = std::move(name); }
    // Off: locks and unlocks give 0 and the write tests True, without a statement.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    using LockEvent = std::function<void(TDBGenericDataLock& sender, const std::string& table,
                                         const std::string& key, const std::string& user)>;
    LockEvent OnLockTable;
    LockEvent OnUnlockTable;
    LockEvent OnLockRecord;
    LockEvent OnUnlockRecord;

    // An empty user is the settings component's CurrentUserID; an empty key the whole table.
    // The new lock count; 0 when the lock was refused.
    int LockRecord(const std::string& table, const std::string& key, const std::string& user = {});
    // The remaining lock count. Force removes the row whoever holds it.
    int UnlockRecord(const std::string& table, const std::string& key, bool force = false,
                     const std::string& user = {});
    bool CanWriteToTable(const std::string& table, const std::string& user = {});
    bool CanWriteRecord(const std::string& table, const std::string& key, const std::string& user = {});
    // No other user locks the record or its whole table; the statement runs on the query.
    bool CanLockRecord(const std::string& table, const std::string& key, TDBGenericQuery& query,
                       const std::string& user = {});

protected:
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    friend class TDBGenericInfo;
    void LinkInfo(TDBGenericInfo* info);

    std::string UserOrCurrent(const std::string& user) const;
    std::string UserColumn() const;
    std::string KeyCondition(const std::string& table, const std::string& key) const;

    TDBGenericInfo* dbInfo_ = nullptr;
    std::string lockTableName_ = "Data_Locks";
    bool enabled_ = true;
};
