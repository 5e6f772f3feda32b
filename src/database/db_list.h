#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/db_generic_exception.h"
#include "database/db_list_date_sql.h"
#include "foundation/enhanced_list.h"
#include "framework/core/string_list.h"

namespace fw::db {
class Query;
}

class TDBGColumnMap;
class TDBGenericAccessBase;
class TDBGenericInfo;
class TDBGenericListBase;
class TDBGenericTableInfo;
class TDBGSessionRef;
struct TDBGListClass;
struct TDBGTypeIDEntry;

// What loads a list: a derived list supplies the class (TDBGenericListBase::NewHandler).
// Conditions are trusted SQL, sent as they are.
class TDBGenericListHandler : public fw::Object {
public:
    TDBGenericListHandler(TDBGenericListBase& list, bool client) : list_(list), client_(client) {}

    std::string_view className() const override { return "TDBGenericListHandler"; }

    TDBGenericListBase& List() const { return list_; }
    bool IsClient() const { return client_; }

    // The rows of the condition as they were on the date (empty: the current rows).
    virtual bool LoadCondition(const std::string& condition, const std::string& date) = 0;
    virtual bool LoadAll() = 0;
    // Where the date lies against the history of the condition's rows: 0 the current rows,
    // 1 within the periods, 2 no history, 3 after the current date, 4 before the first period.
    virtual int DateCheck(const std::string& condition, const std::string& date) = 0;
    // Loads for the date, the list emptied first when asked; the date becomes the list's.
    virtual bool LoadForDate(const std::string& condition, const std::string& date, bool clear) = 0;

private:
    TDBGenericListBase& list_;
    bool client_;
};

// The direct list handler: one statement for all rows,
//   SELECT <columns> FROM <table>[ WHERE <condition>]
//   ORDER BY <order>                                   (on a line of its own, when there is one)
// each row read into a new record of the list's type through one column map. For a date the
// list holds exactly the records that loading each of them alone for that date gives, each
// once, with the same values, in the list's order (db_list_date_sql.h tells how): a row
// deleted by then is left out, and in the past each record reads its current row or its
// period as its own history places the date. A date after the current date reports "Failed
// to load records from table <table>:\r\nThis date lies after the current date.\r\nDate =
// <date>" (79, "Load") unless dbfLoadNoDateLimit; a record of the condition whose own load
// would be refused refuses the list with "... The requested date lies before the first
// history record." or "... No history records exist for this date." with "\r\nCriteria =
// <condition>" (78).
class TDBGenericListHandlerDirect : public TDBGenericListHandler {
public:
    using TDBGenericListHandler::TDBGenericListHandler;

    std::string_view className() const override { return "TDBGenericListHandlerDirect"; }

    bool LoadCondition(const std::string& condition, const std::string& date) override;
    bool LoadAll() override;
    int DateCheck(const std::string& condition, const std::string& date) override;
    bool LoadForDate(const std::string& condition, const std::string& date, bool clear) override;

private:
    TDBGListDateSQL Statements(const std::string& condition, const std::string& date);
    // The smallest refusal among the records (2 or 4, as DateCheck), 0 for none, -1 after
    // reporting a failed statement.
    int Refused(const TDBGListDateSQL& sql);
    // Each row into a new record; with periods, a row whose period start is not NULL is a
    // period, the others current rows.
    bool ReadRows(const std::string& statement, const std::string& date, bool periods);
    int Report(const std::string& message, int code, const std::string& sql, const std::exception* previous);
};

// A list of records of one type ID, loaded together by its list handler. It owns its
// records; a record added takes the list as its owner unless the list keeps owners.
class TDBGenericListBase : public TInterfacedList, public IDBGenericInfoSource {
public:
    // A type ID without a record class reports "Unable to create list of type <class>.\r\n
    // The instance TypeID <id> is not registered." ("Create").
    TDBGenericListBase(int typeID, TDBGSessionRef& session, bool client = false);
    ~TDBGenericListBase() override;

    std::string_view className() const override { return "TDBGenericListBase"; }
    TDBGenericInfo* GenericInfo() const override;

    TDBGenericInfo& Info() const;
    TDBGSessionRef& Session() const { return session_; }
    int TypeID() const { return typeID_; }
    bool IsClient() const { return client_; }
    int ListTypeID() const { return listTypeID_; }
    void SetListTypeID(int id);
    // The date the list was last loaded for.
    const std::string& DateText() const { return dateText_; }
    void SetDateText(std::string date) { dateText_ = std::move(date); }
    bool KeepOwner() const { return keepOwner_; }
    void SetKeepOwner(bool keep) { keepOwner_ = keep; }
    // 0 as the table information says, 1 never, 2 always.
    int AlternateChoice() const { return alternateChoice_; }
    void SetAlternateChoice(int choice) { alternateChoice_ = choice; }
    TDBGenericAccessBase* TemplateRecord() const { return template_.get(); }
    void SetTemplateRecord(std::unique_ptr<TDBGenericAccessBase> record);

    // Looked up on first use (through GetTableByID and the registers).
    TDBGenericTableInfo* TableInfo();
    const TDBGTypeIDEntry* TypeEntry();
    const TDBGListClass* ListClass();

    // The handler the list's handler class makes, on first use; none without a class.
    TDBGenericListHandler* Handler();

    TDBGenericAccessBase* Items(int index) const;
    TDBGenericAccessBase* GetItem(int index) const;

    // The items, then the date the list was loaded for.
    void Clear() override;
    int Add(fw::Object* item) override;

    virtual std::string HistoryEndField() const;
    virtual std::string HistoryStartField() const;
    // The ORDER BY text of loads, and the condition of LoadAll: none here.
    virtual std::string OrderText() const { return {}; }
    virtual std::string DefaultCondition() const { return {}; }

    // A new record of the list's type on its session, loaded for the list's date; added when
    // asked.
    virtual TDBGenericAccessBase* NewItem(bool add);
    // From a list of the same type ID (else "Unable to perform list copy:\r\nThe TypeIDs of
    // the items in the two lists are different.\r\nSource List Item TypeID = <id>\r\nTarget
    // List Item TypeID = <id>", 65, "CopyList", nothing copied): emptied first when asked,
    // then a new record per source record, a whole copy with full, else its key with withKey.
    virtual void CopyList(const TDBGenericListBase& source, bool clear, bool withKey, bool full);

    virtual void BeforeConditionLoad(const std::string& /*condition*/, const std::string& /*date*/) {}
    virtual void AfterConditionLoad(const std::string& /*condition*/, const std::string& /*date*/) {}
    virtual void BeforeLoadAll() {}
    virtual int AfterLoadAll() { return 0; }

    // The date becomes the list's; the handler loads.
    virtual bool LoadCondition(const std::string& condition, const std::string& date = {});
    // KeyField IN (the keys joined by ", ").
    virtual std::string InCondition(const std::vector<int>& keys);
    virtual int LoadAll();
    int DateCheck(const std::string& condition, const std::string& date);
    bool LoadForDate(const std::string& condition, const std::string& date, bool clear = true);

    virtual void AddDisplayText(fw::StringList& texts, TDBGenericAccessBase& record);
    using DisplayTextCallback = std::function<void(fw::StringList& texts, TDBGenericAccessBase& record)>;
    virtual void AddDisplayTextEx(fw::StringList& texts, TDBGenericAccessBase& record,
                                  const DisplayTextCallback& callback);
    // Emptied, then one TBaseItemInfo per record: its key value and its display text.
    virtual void FillItemInfos(TEnhancedList& items);

    // Empty texts are left out.
    void SetColumnNames(const std::vector<std::string>& names);
    const fw::StringList& ColumnNames() const { return columnNames_; }
    void SetSecondNames(const std::vector<std::string>& names);
    const fw::StringList& SecondNames() const { return secondNames_; }

    void SortByKey();
    void SortByText(bool ascending = true);

    bool UsesAlternateTable();
    // The AlternateTable when the list uses it and it is set, else the TableName.
    std::string TableName();
    // The list's own columns that the table knows, else the table's columns, joined by ", ";
    // "*" when the table describes none.
    std::string SelectedColumns();

protected:
    TDBGenericListBase(int typeID, TDBGSessionRef& session, bool client, std::string_view className);
    // The list's handler class: none here.
    virtual std::unique_ptr<TDBGenericListHandler> NewHandler() { return nullptr; }

private:
    int typeID_;
    TDBGSessionRef& session_;
    bool client_;
    int listTypeID_ = 0;
    std::string dateText_;
    bool keepOwner_ = false;
    int alternateChoice_ = 0;
    std::unique_ptr<TDBGenericAccessBase> template_;
    fw::StringList columnNames_;
    fw::StringList secondNames_;
    bool handlerMade_ = false;
    std::unique_ptr<TDBGenericListHandler> handler_;
    TDBGenericTableInfo* table_ = nullptr;
    const TDBGTypeIDEntry* typeEntry_ = nullptr;
    const TDBGListClass* listClass_ = nullptr;
};
