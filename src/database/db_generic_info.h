#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "database/db_generic_constants.h"
#include "database/db_generic_exception.h"
#include "database/db_table_info.h"
#include "database/db_type_registers.h"
#include "framework/core/datetime.h"
#include "framework/core/object.h"

namespace fw::db {
class Connection;
}

class TDBGenericAccessBase;
class TDBGenericDataLock;
class TDBGenericListBase;
class TDBGenericQuery;
class TDBGenericRecordKey;
class TDBGSessionPool;
class TDBGSessionRef;

// The one component through which every object of the database layer reaches the
// database: the connection settings, the server kind and its dialect, the names of the
// layer's standard columns, the formats of date and time texts, the registered tables, the
// lock component, the two key registries and the session pool; and the router of every
// error of the layer (HandleException).
//
// When made it wraps the framework's "Default" session (in use and reserved) and reserves
// a second session of the pool for both key registries, so that keys are drawn, and
// committed, on a connection of their own.
//
// Threads: one component serves one user. Its settings are set up before use; its
// sessions may then be used from several threads (their queries keep the transactions
// apart), as the test harness's users on their own threads do.
class TDBGenericInfo : public fw::Component, public IDBGenericInfoSource {
public:
    explicit TDBGenericInfo(fw::Component* owner = nullptr);
    ~TDBGenericInfo() override;

    std::string_view className() const override { return "TDBGenericInfo"; }
    TDBGenericInfo* GenericInfo() const override { return const_cast<TDBGenericInfo*>(this); }

    // The end of loading: the pool's PrivateDirRoot becomes the system's temporary folder
    // where it is empty.
    void Loaded();

    // --- Properties --------------------------------------------------------------------------

    // The database name of the Database, empty without one.
    std::string LocalDBName() const;
    const std::string& DBAlias() const { return dbAlias_; }
    // Renames the alias of the pool's connections and of the Database that used the old one.
    void SetDBAlias(const std::string& alias);
    const std::string& DBStrDelim() const { return dbStrDelim_; }
    void SetDBStrDelim(std::string delimiter) { dbStrDelim_ = std::move(delimiter); }
    // The connection of the default session; the host's, never freed here.
    fw::db::Connection* Database() const { return database_; }
    void SetDatabase(fw::db::Connection* connection);
    const std::string& Wildcard() const { return wildcard_; }
    void SetWildcard(std::string wildcard) { wildcard_ = std::move(wildcard); }
    const std::string& DBDateStrFormat() const { return dbDateStrFormat_; }
    void SetDBDateStrFormat(std::string format) { dbDateStrFormat_ = std::move(format); }
    const std::string& DBTimeStrFormat() const { return dbTimeStrFormat_; }
    void SetDBTimeStrFormat(std::string format) { dbTimeStrFormat_ = std::move(format); }
    const std::string& DBDateFormat() const { return dbDateFormat_; }
    void SetDBDateFormat(std::string format) { dbDateFormat_ = std::move(format); }
    const std::string& DBTimeFormat() const { return dbTimeFormat_; }
    void SetDBTimeFormat(std::string format) { dbTimeFormat_ = std::move(format); }
    const std::string& ServerName() const { return serverName_; }
    void SetServerName(std::string name) { serverName_ = std::move(name); }
    TDBGDatabaseType DBType() const { return dbType_; }
    void SetDBType(TDBGDatabaseType type) { dbType_ = type; }
    const std::string& DBLoginID() const { return dbLoginID_; }
    void SetDBLoginID(std::string login) { dbLoginID_ = std::move(login); }
    const std::string& DBPassword() const { return dbPassword_; }
    void SetDBPassword(std::string password) { dbPassword_ = std::move(password); }
    const std::string& TableCreatePrefix() const { return tableCreatePrefix_; }
    void SetTableCreatePrefix(std::string prefix) { tableCreatePrefix_ = std::move(prefix); }
    bool RecordLogEnabled() const { return recordLogEnabled_; }
    void SetRecordLogEnabled(bool enabled) { recordLogEnabled_ = enabled; }
    // A two-way link: the lock component's DBInfo becomes this component.
    TDBGenericDataLock* Locks() const { return locks_; }
    void SetLocks(TDBGenericDataLock* locks);
    const std::string& ExceptionLogTable() const { return exceptionLogTable_; }
    void SetExceptionLogTable(std::string table) { exceptionLogTable_ = std::move(table); }
    bool ExceptionLogEnabled() const { return exceptionLogEnabled_; }
    void SetExceptionLogEnabled(bool enabled) { exceptionLogEnabled_ = enabled; }
    TDBGenericTableInfoList& TableList() { return tableList_; }
    const TDBGenericTableInfoList& TableList() const { return tableList_; }
    const std::string& HistoryPeriodStartField() const { return historyPeriodStartField_; }
    void SetHistoryPeriodStartField(std::string name) { historyPeriodStartField_ = std::move(name); }
    const std::string& HistoryPeriodEndField() const { return historyPeriodEndField_; }
    void SetHistoryPeriodEndField(std::string name) { historyPeriodEndField_ = std::move(name); }
    const std::string& ModifyFlagField() const { return modifyFlagField_; }
    void SetModifyFlagField(std::string name) { modifyFlagField_ = std::move(name); }
    const std::string& DeleteFlagField() const { return deleteFlagField_; }
    void SetDeleteFlagField(std::string name) { deleteFlagField_ = std::move(name); }
    TDBGenericRecordKey& RecordKey() const { return *recordKey_; }
    TDBGenericRecordKey& RecordKeyAlt() const { return *recordKeyAlt_; }
    TDBGenericInfoOptionSet Options() const { return options_; }
    // dbfSQLNoScientificFmt is mirrored into the table list.
    void SetOptions(TDBGenericInfoOptionSet options);
    bool DebugOn() const { return debugOn_; }
    void SetDebugOn(bool on) { debugOn_ = on; }
    bool AlternateTables() const { return alternateTables_; }
    void SetAlternateTables(bool on) { alternateTables_ = on; }
    const std::string& DefaultHistoryStart() const { return defaultHistoryStart_; }
    // Read as a date text: a date after day 0 is stored in DBDateStrFormat, anything else
    // as "19700101".
    void SetDefaultHistoryStart(const std::string& date);
    TDBGSessionPool& SessionPool() const { return *pool_; }
    const std::string& EncodeChar() const { return encodeChar_; }
    void SetEncodeChar(std::string text) { encodeChar_ = std::move(text); }

    // The user that locks, error records and logs name when a caller gives none.
    const std::string& CurrentUserID() const { return currentUserID_; }
    void SetCurrentUserID(std::string user) { currentUserID_ = std::move(user); }
    TDBGTypeIDRegister& TypeRegister() { return typeRegister_; }
    TDBGListTypeIDRegister& ListTypeRegister() { return listTypeRegister_; }
    TDBGSessionRef& DefaultSession() const { return *defaultSession_; }
    // The reserved session the exception log is written on, made on first use.
    TDBGSessionRef& LogSession();
    // Expires when the component is freed: log rows that wait for a transaction to end
    // hold it.
    std::weak_ptr<const void> AliveToken() const { return alive_; }

    // --- Events ------------------------------------------------------------------------------

    using LogExceptionEvent = std::function<void(TDBGenericInfo& sender, const std::exception& error)>;
    using ConvertDateEvent = std::function<fw::DateTime(TDBGenericInfo& sender, const std::string& value)>;
    using GetTableByIDEvent = std::function<TDBGenericTableInfo*(TDBGenericInfo& info, int id)>;
    // (message, code, reference object, previous error, user, sender, operation, SQL text)
    using HandleExceptionEvent =
        std::function<int(const std::string& message, int code, fw::Object* ref, const std::exception* previous,
                          const std::string& user, const fw::Object* sender, const std::string& method,
                          const std::string& sql)>;
    using GetSystemDateEvent = std::function<fw::DateTime(TDBGenericInfo& sender)>;
    using GetSystemFlagEvent = std::function<std::string(TDBGenericInfo& sender, const std::string& name)>;
    using LogSQLEvent = std::function<void(TDBGenericQuery& query)>;
    using ObjectEvent = std::function<void(fw::Object* sender)>;
    using GetComponentReferenceEvent = std::function<fw::Object*(TDBGenericInfo& sender, const std::string& name)>;

    LogExceptionEvent OnLogException;
    ConvertDateEvent OnConvertFromDBDateStr;
    ConvertDateEvent OnConvertFromDBTimeStr;
    GetTableByIDEvent OnGetTableByID;
    HandleExceptionEvent OnHandleException;
    GetSystemDateEvent OnGetSystemDate;
    GetSystemFlagEvent OnGetSystemFlag;
    LogSQLEvent OnLogSQL;
    ObjectEvent OnCreateRecord;
    ObjectEvent OnCreateList;
    GetComponentReferenceEvent OnGetComponentReference;

    // The clock of lock rows and log rows; the system's by default.
    using Clock = std::function<fw::DateTime()>;
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    fw::DateTime Now() const;

    // --- Operations --------------------------------------------------------------------------

    // DBStrDelim + the encoded text + DBStrDelim (QuoteText).
    std::string QuoteValue(std::string_view value) const;
    // DateTimeToSQL with DBType, DBStrDelim and DBDateFormat + " " + DBTimeFormat; on a
    // known engine (a Database, or an alias DBAlias) with "YYYY-MM-DD hh:nn:ss" instead:
    // the one form that SQLite reads back and sorts by time, and that PostgreSQL reads as
    // the same moment under every DateStyle.
    std::string DateTimeToSQL(fw::DateTime value) const;
    // Whether the engine is known: a Database is set, or DBAlias names a registered alias.
    bool KnowsEngine() const;

    // OnGetTableByID, or the table of the type register's name for the ID; none after a
    // report when neither knows one.
    virtual TDBGenericTableInfo* GetTableByID(int id);
    // Ignoring case; none after reporting "No information for table <name> found." (51,
    // "_getTableByName"), respectively "No information for alternate table <name> found."
    // (51, "_getTableByAlternate").
    virtual TDBGenericTableInfo* GetTableByName(const std::string& name);
    virtual TDBGenericTableInfo* GetTableByAlternate(const std::string& name);
    // A missing entry reports "Unknown class type id.\r\nID = <id>" ("_getTypeIDInfo").
    virtual std::string TypeIDToTableName(int id);
    virtual const TDBGRecordClass* TypeIDToClass(int id);
    // A missing entry reports "Unknown list class type ID.\r\nID = <id>"
    // ("_getListTypeIDToClass") and yields none.
    virtual const TDBGListClass* ListTypeIDToClass(int id);

    // Forwarded to Locks when one is linked and enabled; otherwise a lock yields 0 and a
    // write test True. The integer keys go as decimal text.
    virtual int LockRecord(const std::string& table, int key, const std::string& user = {});
    virtual int UnlockRecord(const std::string& table, int key, bool force = false, const std::string& user = {});
    virtual int LockRecord(const std::string& table, const std::string& key, const std::string& user = {});
    virtual int UnlockRecord(const std::string& table, const std::string& key, bool force = false,
                             const std::string& user = {});
    virtual bool CanWriteRecord(const std::string& table, int key, const std::string& user = {});
    virtual bool CanWriteRecord(const std::string& table, const std::string& key, const std::string& user = {});
    bool CanWriteToTable(const std::string& table, const std::string& user = {});

    // The record registered for the type ID, made on the session (the default one without
    // one), then OnCreateRecord. Without an entry none, after reporting "Unable to create
    // instance with TypeID = <id>.\r\nNo type information is available!" (52, "CreateDBClass").
    virtual TDBGenericAccessBase* CreateDBClass(int typeID, TDBGSessionRef* session = nullptr);
    // The list registered for the list type ID, made on the session (the default one
    // without one), then OnCreateList; none when ListTypeIDToClass knows no class.
    TDBGenericListBase* CreateDBList(int listTypeID, TDBGSessionRef* session = nullptr);

    // The host's answers through OnGetSystemFlag and OnGetComponentReference: an empty text
    // and none without them.
    std::string GetSystemFlag(const std::string& name);
    fw::Object* GetComponentReference(const std::string& name);

    // On the session or the default one (db_generic_query.h); the condition is trusted SQL,
    // sent as it is. With ServerName set it
    // raises "The DeleteTableEntries method of object TDBGenericInfo\r\nhas not been
    // implemented at client level yet." as a plain error.
    void DeleteTableEntries(const std::string& table, const std::string& condition,
                            TDBGSessionRef* session = nullptr);

    // OnConvertFromDBDateStr / -TimeStr, else the readers of "YYYYMMDD" and "HHMMSS" texts.
    fw::DateTime ConvertFromDBDateStr(const std::string& text);
    fw::DateTime ConvertFromDBTimeStr(const std::string& text);
    std::string DateToDBStr(fw::DateTime value) const;
    std::string TimeToDBStr(fw::DateTime value) const;
    // The date text of the date text plus the days.
    std::string AddDaysToDBDateStr(const std::string& date, int days);
    // OnGetSystemDate, else 0 (no date).
    fw::DateTime GetSystemDate();

    // A new key for a record of the type's table (0 when the table draws no keys from the
    // registry): mode 2 the alternate registry, another non-zero mode the main one, mode 0
    // as the table's UseAlternate says.
    int NewRecordKey(int typeID, int mode = 0);

    // With OnHandleException the host decides and its answer is returned; without it a
    // TDBGenericException of all these is raised.
    int HandleException(const std::string& message, int code, const std::string& sql, const std::string& method,
                        const fw::Object* sender, const std::string& user, const std::exception* previous,
                        fw::Object* ref);

protected:
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    friend class TDBGenericDataLock;
    void ForgetLocks(TDBGenericDataLock* locks);

    std::string dbAlias_;
    std::string dbStrDelim_ = "'";
    fw::db::Connection* database_ = nullptr;
    std::string wildcard_ = "%";
    std::string dbDateStrFormat_ = "YYYYMMDD";
    std::string dbTimeStrFormat_ = "hhnnss";
    std::string dbDateFormat_ = "MM/DD/YYYY";
    std::string dbTimeFormat_ = "hh:nn:ss";
    std::string serverName_;
    TDBGDatabaseType dbType_ = dbgDBType_SQLServer;
    std::string dbLoginID_;
    std::string dbPassword_;
    std::string tableCreatePrefix_ = "dbo.";
    bool recordLogEnabled_ = false;
    TDBGenericDataLock* locks_ = nullptr;
    std::string exceptionLogTable_;
    bool exceptionLogEnabled_ = false;
    TDBGenericTableInfoList tableList_;
    std::string historyPeriodStartField_ = "HistoryPeriodStart";
    std::string historyPeriodEndField_ = "HistoryPeriodEnd";
    std::string modifyFlagField_ = "ModifyFlag";
    std::string deleteFlagField_ = "DeleteDate";
    TDBGenericInfoOptionSet options_;
    bool debugOn_ = false;
    bool alternateTables_ = false;
    std::string defaultHistoryStart_ = "19700101";
    std::string encodeChar_;
    std::string currentUserID_;
    TDBGTypeIDRegister typeRegister_;
    TDBGListTypeIDRegister listTypeRegister_;
    Clock clock_;
    std::unique_ptr<TDBGSessionPool> pool_;
    TDBGSessionRef* defaultSession_ = nullptr;
    TDBGSessionRef* logSession_ = nullptr;
    std::unique_ptr<TDBGenericRecordKey> recordKey_;
    std::unique_ptr<TDBGenericRecordKey> recordKeyAlt_;
    std::shared_ptr<const void> alive_ = std::make_shared<int>(0);
};

// Whether an error was reported through a settings component's HandleException on this
// thread since the watch was made. A host handler that returns leaves no other trace, and
// work that goes on after a failed step must know.
class TDBGErrorWatch {
public:
    TDBGErrorWatch();
    bool Reported() const;

private:
    unsigned long long start_;
};
