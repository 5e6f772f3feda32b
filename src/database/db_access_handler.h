#pragma once

#include <memory>
#include <string>
#include <vector>

#include "database/db_access_stub.h"
#include "database/db_record_flags.h"
#include "framework/core/object.h"
#include "framework/core/string_list.h"
#include "framework/core/variant.h"

class IDBGRecordContainer;
class TDBGColumnMap;
class TDBGenericAccessBase;
class TDBGenericInfo;
class TDBGenericQuery;
class TDBGenericTableInfo;
class TDBGFieldValList;
class TDBGSessionRef;

namespace fw::db {
class Query;
}

// A query handed between the operations of a handler: an operation given none makes one
// (with a transaction of its own) and hands it back.
using TDBGQueryRef = std::unique_ptr<TDBGenericQuery>;

// The working state of a record's handler: the condition of its last load by condition,
// the client flag, the guard of the key description, the operation code, the lock it
// holds and the date it last loaded for.
class TDBGenericAccessHandlerAbstract : public fw::Object {
public:
    std::string_view className() const override { return "TDBGenericAccessHandlerAbstract"; }

    const std::string& ConditionText() const { return condition_; }
    void SetConditionText(std::string condition) { condition_ = std::move(condition); }
    bool IsClient() const { return client_; }
    TDBGHandlerState State() const { return state_; }
    bool Locked() const { return locked_; }
    const std::string& LockUser() const { return lockUser_; }
    const std::string& LoadedDate() const { return loadedDate_; }
    void SetLoadedDate(std::string date) { loadedDate_ = std::move(date); }
    // Guards the making of the key description against itself: True for the outermost
    // caller only, who must call LeaveDescription.
    bool EnterDescription() { return nesting_++ == 0; }
    void LeaveDescription() { --nesting_; }

protected:
    explicit TDBGenericAccessHandlerAbstract(bool client) : client_(client) {}

    std::string condition_;
    bool client_;
    int nesting_ = 0;
    TDBGHandlerState state_ = dbhsIdle;
    bool locked_ = false;
    std::string lockUser_;
    std::string loadedDate_;
};

// The handler of a record: it routes every data operation to its direct variant (SQL on
// the database) or, for a client record, to its client variant through the remote stub or
// to the fixed refusal of that variant; it draws keys, locks and unlocks the record, and
// links the record to its container.
//
// Failures go to the settings component's HandleException with the record as reference
// object. A statement that fails rolls back the transaction the operation owns before the
// host hears of it; when the host's handler returns instead of raising, the operation
// ends there and answers False, so that no transaction stays open and no session is held.
//
// Conditions given to the loads by condition and to IsDateInHistory are trusted SQL: they
// are sent as they are.
class TDBGenericAccessHandlerBase : public TDBGenericAccessHandlerAbstract {
public:
    TDBGenericAccessHandlerBase(TDBGenericAccessBase& record, bool client);
    // Detaches the record from its container, releases the stub and its context.
    ~TDBGenericAccessHandlerBase() override;

    std::string_view className() const override { return "TDBGenericAccessHandlerBase"; }

    TDBGenericAccessBase& Record() const { return record_; }
    TDBGenericInfo& Info() const;
    TDBGSessionRef& Session() const;

    // The handlers must be of one class, else TGenericException "Error while attempting to
    // copy DB AccessHandler data.\r\nThe two objects are not of the same type.\r\nSource =
    // <class>\r\nTarget = <class>" ("Assign"). Copies the state (not the record) and the
    // column names.
    virtual void Assign(const TDBGenericAccessHandlerBase& other);

    // --- Routed operations ----------------------------------------------------------------
    // The dates are texts in the settings component's DBDateStrFormat; an empty date is the
    // current row. Each answers whether it did its work.

    // Direct: the existence test; client: its refusal, then True for a record without a key.
    virtual bool IsNew();
    // Locks (or unlocks) the record under the user; the lock call's answer (0 when none was
    // made, and 0 for a refused lock whatever the host's handler answered). The record
    // remembers the lock only when the call reported no error.
    virtual int SetRecordLock(bool lock, const std::string& user);
    virtual bool Delete(const std::string& date);
    virtual bool Undelete();
    virtual bool LoadConditionWithQuery(const std::string& condition, const std::string& date, TDBGQueryRef& query,
                                        bool commit);
    virtual bool LoadCondition(const std::string& condition, const std::string& date);
    virtual bool Load(const fw::Variant& key, const std::string& date);
    virtual bool LoadWithQuery(const fw::Variant& key, const std::string& date, TDBGQueryRef& query, bool commit);
    virtual bool LoadCurrent(const fw::Variant& key, TDBGQueryRef& query, const std::string& date, bool commit);
    virtual bool LoadFromHistory(const fw::Variant& key, TDBGQueryRef& query, const std::string& date, bool commit);
    virtual bool LoadFromHistoryCondition(const std::string& condition, const std::string& date);
    virtual bool LoadFields(const std::vector<std::string>& names, const std::string& date);
    virtual bool Save();
    // A key the record still needs is drawn before the save's transaction begins: the key
    // registry works on a connection of its own, and SQLite lets one writer in at a time. A
    // caller that hands in a query with a transaction running on SQLite draws the key first
    // (CreateKey), as a compound record does for its parts.
    virtual bool SaveWithQuery(TDBGQueryRef& query, bool commit);
    virtual bool SaveToHistory(const std::string& date);
    virtual bool SaveToHistoryWithQuery(const std::string& date, TDBGQueryRef& query, bool commit);
    // Replaces the handler's column names with the given ones, then writes those columns.
    virtual bool UpdateFields(const std::vector<std::string>& names);
    virtual bool RestoreFromHistory(const std::string& date, TDBGQueryRef& query, bool commit);
    virtual bool HistoryRollback(const std::string& date, TDBGQueryRef& query, bool commit);
    // The record's key, drawn first when it has none.
    virtual int GetRecordKey();
    // False for a record with a valid key, else AssignNewKey's answer.
    virtual bool CreateKey();
    // How many rows other than the record (when excludeSelf and it has a key) hold the
    // values in the columns: text columns compared ignoring case. Every value is written as
    // its column's literal; a value that does not fit its column (a number that is none),
    // or lists of different lengths, report the parameter mismatch (60) and answer 0.
    virtual int CheckDuplicate(const std::vector<std::string>& names, const std::vector<std::string>& values,
                               bool excludeSelf);
    // 0 current row, 1 within the periods, 2 no history, 3 after the current date, 4 before
    // the first period; -1 for a client record.
    virtual int IsDateInHistory(const std::string& date);

    // --- Links --------------------------------------------------------------------------------
    IDBGRecordContainer* Container() const { return container_; }
    void SetContainer(IDBGRecordContainer* container);
    // The compound record this record is a part of, none for any other.
    TDBGenericAccessBase* OwningCompound() const { return compound_; }
    void SetOwningCompound(TDBGenericAccessBase* compound) { compound_ = compound; }
    const fw::StringList& ColumnNames() const { return columnNames_; }
    int UseCount() const { return useCount_; }

    // --- The remote stub ----------------------------------------------------------------------
    // A part of a compound uses its compound's stub; otherwise the stub is made on first use
    // (through the program-wide factory) and told the type ID, the user and the context.
    IDBGenericAccessStub& GetStub();
    bool HasStub() const;
    // Makes the stub and opens the record of the key for the date; with a stub present it
    // reports "Invalid call to RequestStub - a stub exists already.\r\nClass Name =
    // <class>\r\n" + the key description (15).
    void RequestStub(int key, const std::string& date);
    // Unlocks a locked record, then lets the stub and its context go.
    void ReleaseStub();
    // The server's reference to the compound it last saved.
    const fw::Variant& RemoteReference() const { return remoteReference_; }

    // --- Statement builders -------------------------------------------------------------------
    // The key condition. Mode bits: 1 the key the record was last loaded or saved under,
    // 4 the form that excludes the record itself (" <> ", joined by " OR "), 8 without the
    // delete-date part that tables with CanDelete add. Empty when the table names no key
    // column.
    virtual std::string KeyCondition(int mode) const;
    // The columns and values of a statement. Mode bits: 1 without the key columns, 2 with
    // read-only columns, 4 only read-only columns, 8 every column (else only the modified).
    virtual void FieldValues(TDBGFieldValList& values, int mode);
    std::string InsertStatement(const TDBGFieldValList& values, const std::string& table) const;
    std::string UpdateStatement(const TDBGFieldValList& values, const std::string& condition) const;
    // The record's values with the period, into the history table.
    std::string HistoryInsertStatement(const std::string& start, const std::string& end);
    // The columns a load reads: "*" here, the record's fields in field-list handlers.
    virtual std::string SelectList() const { return "*"; }
    // The column map of a query (built in field-list handlers only).
    virtual void BuildColumnMap(TDBGColumnMap& map, const fw::db::Query& query);
    // Reads the query's current row into the record; nothing in the base.
    virtual void ReadRow(const fw::db::Query& query, bool emptyMissing, TDBGColumnMap* map);
    // A row of a list's query read into the record (a history row when history says so),
    // the date becoming the record's loaded date.
    void ReadListRow(const fw::db::Query& query, TDBGColumnMap& map, bool history, const std::string& date);
    // Reads the server's row into the record; nothing in the base.
    virtual void ReadRemoteRow(const TDBGRemoteRow& row, bool emptyMissing);
    // Takes the key from an integer (or the first element of an array): -1 keeps the key.
    // False for a table that does not use the record key; else whether the key is above 0.
    virtual bool TakeKeyFromVariant(const fw::Variant& key);

    // --- Names the statements use --------------------------------------------------------------
    std::string HistoryStartColumn() const;
    std::string HistoryEndColumn() const;
    // The end of the open period of a history row: 31 December 9999 as a date text.
    std::string OpenPeriodEnd() const;
    // Today as a date text (the settings component's system date).
    std::string CurrentDateText() const;
    // The date text as the messages show it.
    std::string DisplayDate(const std::string& date) const;

    // Notifies the program-wide hooks.
    void NotifyHooks(int event);

protected:
    friend class TDBGenericAccessBase;

    // --- Direct variants --------------------------------------------------------------------
    virtual int SetRecordLockS(bool lock, const std::string& user);
    virtual bool DeleteS(const std::string& date);
    virtual bool UndeleteS();
    virtual int GetRecordKeyS();
    virtual bool LoadWithQueryS(const fw::Variant& key, const std::string& date, TDBGQueryRef& query, bool commit);
    virtual bool LoadCurrentS(const fw::Variant& key, TDBGQueryRef& query, const std::string& date, bool commit);
    virtual bool LoadFromHistoryS(const fw::Variant& key, TDBGQueryRef& query, const std::string& date, bool commit);
    virtual bool LoadFieldsS(const std::vector<std::string>& names);
    virtual bool LoadFromHistoryConditionS(const std::string& condition, const std::string& date);
    virtual bool SaveWithQueryS(TDBGQueryRef& query, bool commit);
    virtual bool SaveToHistoryWithQueryS(const std::string& date, TDBGQueryRef& query, bool commit);
    virtual bool IsNewS();
    virtual bool UpdateFieldsS();
    virtual bool RestoreFromHistoryS(const std::string& date, TDBGQueryRef& query, bool commit);
    virtual bool HistoryRollbackS(const std::string& date, TDBGQueryRef& query, bool commit);
    virtual int IsDateInHistoryS(const std::string& date);

    // --- Client variants ----------------------------------------------------------------------
    virtual int SetRecordLockC(bool lock, const std::string& user);
    virtual int GetRecordKeyC();
    virtual bool LoadC(const fw::Variant& key, const std::string& date);
    virtual bool LoadFieldsC(const std::vector<std::string>& names, const std::string& date);
    virtual bool SaveC();
    virtual bool SaveToHistoryC(const std::string& date);

    // --- Shared steps -------------------------------------------------------------------------
    // The refusal of a client variant; the host's answer.
    int Refuse(TDBGClientRefusal refusal);
    // Reports through the settings component with the record as reference object and
    // answers the host's integer (raising without a host handler).
    int Report(const std::string& message, int code, const std::string& sql, const std::string& method,
               const std::exception* previous = nullptr);
    // A query with a transaction of its own on the record's session when none is given.
    void EnsureQuery(TDBGQueryRef& query);
    // Releases the query the operation made or was told to end: commit or roll back.
    static void Finish(TDBGQueryRef& query, bool commit, bool success);
    // The existence test on the query: no row of the key.
    bool IsNewOn(TDBGenericQuery& query, std::string& sql);
    // The key condition mode that finds the record's own row: a record that carries a
    // delete date stands for a deleted row (loaded for a date before its deletion, or being
    // deleted), which the condition for live rows would miss.
    int RowsOfRecord() const;
    // The history row that covers the date among the rows of the condition (the first period
    // for a date before all of them, with NoLowHistoryBounds) read into the record.
    bool ReadHistoryRow(const std::string& condition, const std::string& date, TDBGQueryRef& query, bool commit,
                        const std::string& method, const std::string& boundsFailure);
    // Writes the history row of the record's values for the period on the query.
    void InsertHistoryRow(TDBGenericQuery& query, const std::string& start, const std::string& end,
                          std::string& sql);
    // Sets the state for the operation's run and puts the previous one back.
    class StateScope {
    public:
        StateScope(TDBGenericAccessHandlerBase& handler, TDBGHandlerState state)
            : handler_(handler), previous_(handler.state_)
        {
            handler.state_ = state;
        }
        ~StateScope() { handler_.state_ = previous_; }
        StateScope(const StateScope&) = delete;
        StateScope& operator=(const StateScope&) = delete;

    private:
        TDBGenericAccessHandlerBase& handler_;
        TDBGHandlerState previous_;
    };

    fw::StringList columnNames_;

private:
    void Released();

    TDBGenericAccessBase& record_;
    int useCount_ = 0;
    IDBGRecordContainer* container_ = nullptr;
    std::unique_ptr<IDBGenericAccessStub> stub_;
    TDBGenericAccessBase* compound_ = nullptr;
    std::unique_ptr<fw::Object> stubContext_;
    fw::Variant remoteReference_;

    friend class TDBGenericHandlerCompound;
};
