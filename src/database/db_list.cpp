#include "database/db_list.h"

#include <memory>

#include "database/db_access_base.h"
#include "database/db_access_handler.h"
#include "database/db_column_map.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_session_pool.h"
#include "database/db_table_info.h"
#include "database/db_type_registers.h"
#include "framework/core/strings.h"

// --- The list ---------------------------------------------------------------------------------

TDBGenericListBase::TDBGenericListBase(int typeID, TDBGSessionRef& session, bool client)
    : TDBGenericListBase(typeID, session, client, "TDBGenericListBase")
{
}

TDBGenericListBase::TDBGenericListBase(int typeID, TDBGSessionRef& session, bool client, std::string_view className)
    : typeID_(typeID), session_(session), client_(client)
{
    const TDBGTypeIDEntry* entry = Info().TypeRegister().Find(typeID);
    if (entry == nullptr || !entry->RecordClass.Create) {
        Info().HandleException("Unable to create list of type " + std::string(className) + ".\r\n"
                                   + "The instance TypeID " + fw::IntToStr(typeID) + " is not registered.",
                               0, {}, "Create", &Info(), {}, nullptr, &Info());
    }
}

TDBGenericListBase::~TDBGenericListBase() = default;

TDBGenericInfo* TDBGenericListBase::GenericInfo() const
{
    return &session_.Pool().Info();
}

TDBGenericInfo& TDBGenericListBase::Info() const
{
    return session_.Pool().Info();
}

void TDBGenericListBase::SetListTypeID(int id)
{
    listTypeID_ = id;
    listClass_ = nullptr;
}

void TDBGenericListBase::SetTemplateRecord(std::unique_ptr<TDBGenericAccessBase> record)
{
    template_ = std::move(record);
}

TDBGenericTableInfo* TDBGenericListBase::TableInfo()
{
    if (table_ == nullptr) {
        table_ = Info().GetTableByID(typeID_);
    }
    return table_;
}

const TDBGTypeIDEntry* TDBGenericListBase::TypeEntry()
{
    if (typeEntry_ == nullptr) {
        typeEntry_ = Info().TypeRegister().Find(typeID_);
    }
    return typeEntry_;
}

const TDBGListClass* TDBGenericListBase::ListClass()
{
    if (listClass_ == nullptr) {
        listClass_ = Info().ListTypeIDToClass(listTypeID_);
    }
    return listClass_;
}

TDBGenericListHandler* TDBGenericListBase::Handler()
{
    if (!handlerMade_) {
        handlerMade_ = true;
        handler_ = NewHandler();
    }
    return handler_.get();
}

TDBGenericAccessBase* TDBGenericListBase::Items(int index) const
{
    return static_cast<TDBGenericAccessBase*>(TEnhancedList::Items(index));
}

TDBGenericAccessBase* TDBGenericListBase::GetItem(int index) const
{
    return static_cast<TDBGenericAccessBase*>(TEnhancedList::GetItem(index));
}

void TDBGenericListBase::Clear()
{
    TInterfacedList::Clear();
    dateText_.clear();
}

int TDBGenericListBase::Add(fw::Object* item)
{
    const int index = TInterfacedList::Add(item);
    if (!keepOwner_) {
        if (auto* record = dynamic_cast<TDBGenericAccessBase*>(item)) {
            record->SetOwner(this);
        }
    }
    return index;
}

std::string TDBGenericListBase::HistoryEndField() const
{
    const std::string& name = Info().HistoryPeriodEndField();
    return name.empty() ? "HistoryPeriodEnd" : name;
}

std::string TDBGenericListBase::HistoryStartField() const
{
    const std::string& name = Info().HistoryPeriodStartField();
    return name.empty() ? "HistoryPeriodStart" : name;
}

TDBGenericAccessBase* TDBGenericListBase::NewItem(bool add)
{
    TDBGenericAccessBase* record = Info().CreateDBClass(typeID_, &session_);
    if (record == nullptr) {
        return nullptr;
    }
    record->Handler().SetLoadedDate(dateText_);
    if (add) {
        Add(record);
    }
    return record;
}

void TDBGenericListBase::CopyList(const TDBGenericListBase& source, bool clear, bool withKey, bool full)
{
    if (source.TypeID() != typeID_) {
        Info().HandleException("Unable to perform list copy:\r\nThe TypeIDs of the items in the two lists are "
                               "different.\r\nSource List Item TypeID = "
                                   + fw::IntToStr(source.TypeID()) + "\r\n" + "Target List Item TypeID = "
                                   + fw::IntToStr(typeID_),
                               65, {}, "CopyList", this, {}, nullptr, this);
        return;
    }
    if (clear) {
        Clear();
    }
    for (int i = 0; i < source.Count(); ++i) {
        const TDBGenericAccessBase* original = source.Items(i);
        std::unique_ptr<TDBGenericAccessBase> copy(NewItem(false));
        if (!copy) {
            return;
        }
        if (full) {
            copy->CopyRecord(*original);
        } else if (withKey) {
            copy->CopyKeyFrom(*original, true);
        }
        Add(copy.release());
    }
}

bool TDBGenericListBase::LoadCondition(const std::string& condition, const std::string& date)
{
    dateText_ = date;
    BeforeConditionLoad(condition, date);
    TDBGenericListHandler* handler = Handler();
    const bool loaded = handler != nullptr && handler->LoadCondition(condition, date);
    AfterConditionLoad(condition, date);
    return loaded;
}

std::string TDBGenericListBase::InCondition(const std::vector<int>& keys)
{
    std::string list;
    for (const int key : keys) {
        list += (list.empty() ? "" : ", ") + fw::IntToStr(key);
    }
    const TDBGenericTableInfo* table = TableInfo();
    return (table != nullptr ? table->KeyField() : std::string()) + " IN (" + list + ")";
}

int TDBGenericListBase::LoadAll()
{
    BeforeLoadAll();
    if (TDBGenericListHandler* handler = Handler()) {
        handler->LoadAll();
    }
    return AfterLoadAll();
}

int TDBGenericListBase::DateCheck(const std::string& condition, const std::string& date)
{
    TDBGenericListHandler* handler = Handler();
    return handler != nullptr ? handler->DateCheck(condition, date) : 2;
}

bool TDBGenericListBase::LoadForDate(const std::string& condition, const std::string& date, bool clear)
{
    TDBGenericListHandler* handler = Handler();
    const bool loaded = handler != nullptr && handler->LoadForDate(condition, date, clear);
    dateText_ = date;
    return loaded;
}

void TDBGenericListBase::AddDisplayText(fw::StringList& texts, TDBGenericAccessBase& record)
{
    texts.Add(record.DisplayText());
}

void TDBGenericListBase::AddDisplayTextEx(fw::StringList& texts, TDBGenericAccessBase& record,
                                          const DisplayTextCallback& callback)
{
    AddDisplayText(texts, record);
    if (callback) {
        callback(texts, record);
    }
}

void TDBGenericListBase::FillItemInfos(TEnhancedList& items)
{
    items.Clear();
    for (int i = 0; i < Count(); ++i) {
        auto* item = new TBaseItemInfo;
        item->Number = Items(i)->KeyValue();
        item->Text = Items(i)->DisplayText();
        items.Add(item);
    }
}

namespace {

void NonEmpty(fw::StringList& list, const std::vector<std::string>& names)
{
    list.Clear();
    for (const std::string& name : names) {
        if (!name.empty()) {
            list.Add(name);
        }
    }
}

} // namespace

void TDBGenericListBase::SetColumnNames(const std::vector<std::string>& names)
{
    NonEmpty(columnNames_, names);
}

void TDBGenericListBase::SetSecondNames(const std::vector<std::string>& names)
{
    NonEmpty(secondNames_, names);
}

void TDBGenericListBase::SortByKey()
{
    SortWith([](fw::Object* a, fw::Object* b) {
        const int first = static_cast<TDBGenericAccessBase*>(a)->KeyValue();
        const int second = static_cast<TDBGenericAccessBase*>(b)->KeyValue();
        return first < second ? -1 : (first > second ? 1 : 0);
    });
}

void TDBGenericListBase::SortByText(bool ascending)
{
    SortWith([ascending](fw::Object* a, fw::Object* b) {
        const int order = fw::CompareText(static_cast<TDBGenericAccessBase*>(a)->DisplayText(),
                                          static_cast<TDBGenericAccessBase*>(b)->DisplayText());
        return ascending ? order : -order;
    });
}

bool TDBGenericListBase::UsesAlternateTable()
{
    if (alternateChoice_ == 1 || alternateChoice_ == 2) {
        return alternateChoice_ == 2;
    }
    if (template_ && template_->TableInfo().UseAlternate() != dbgAltTableDefault) {
        return template_->UsesAlternateTable();
    }
    const TDBGenericTableInfo* table = TableInfo();
    if (table != nullptr && table->UseAlternate() != dbgAltTableDefault) {
        return table->UseAlternate() == dbgAltTableAlways;
    }
    return Info().AlternateTables();
}

std::string TDBGenericListBase::TableName()
{
    const TDBGenericTableInfo* table = TableInfo();
    if (table == nullptr) {
        return Info().TypeIDToTableName(typeID_);
    }
    return UsesAlternateTable() && table->HasAlternate() ? table->AlternateTable() : table->TableName();
}

std::string TDBGenericListBase::SelectedColumns()
{
    const TDBGenericTableInfo* table = TableInfo();
    const bool described = table != nullptr && table->Fields().Count() > 0;
    std::string columns;
    if (!columnNames_.Empty()) {
        for (const std::string& name : columnNames_) {
            if (!described || table->Fields().Exists(name)) {
                columns += (columns.empty() ? "" : ", ") + name;
            }
        }
        return columns.empty() ? std::string("*") : columns;
    }
    if (!described) {
        return "*";
    }
    return table->Fields().Names(", ");
}

// --- The direct list handler --------------------------------------------------------------------

int TDBGenericListHandlerDirect::Report(const std::string& message, int code, const std::string& sql,
                                        const std::exception* previous)
{
    TDBGenericListBase& list = List();
    return list.Info().HandleException(message, code, sql, "Load", &list, {}, previous, &list);
}

bool TDBGenericListHandlerDirect::LoadAll()
{
    return LoadCondition(List().DefaultCondition(), {});
}

int TDBGenericListHandlerDirect::DateCheck(const std::string& condition, const std::string& date)
{
    TDBGenericListBase& list = List();
    TDBGenericInfo& info = list.Info();
    if (date.empty()) {
        return 0;
    }
    const std::string today = info.DateToDBStr(info.GetSystemDate());
    if (date == today) {
        return 0;
    }
    if (date > today) {
        return 3;
    }
    const TDBGenericTableInfo* table = list.TableInfo();
    if (table == nullptr || !table->hasHistory()) {
        return 2;
    }
    TDBGenericQuery query(list.Session(), &list, false);
    query.SQL().Add("SELECT MAX(" + list.HistoryEndField() + "), MIN(" + list.HistoryStartField() + ") FROM "
                    + table->HistoryTable() + (condition.empty() ? std::string() : " WHERE " + condition));
    try {
        query.Open();
    } catch (const std::exception& error) {
        Report("Unable to access history table " + table->HistoryTable() + "." + "Session = "
                   + list.Session().SessionName() + "\r\n",
               70, query.Text(), &error);
        return 2;
    }
    if (query.Eof() || query.Fields(0).IsNull() || query.Fields(1).IsNull()) {
        return 2;
    }
    if (date > query.Fields(0).AsString()) {
        return 0;
    }
    return date >= query.Fields(1).AsString() ? 1 : 4;
}

bool TDBGenericListHandlerDirect::LoadCondition(const std::string& condition, const std::string& date)
{
    return LoadForDate(condition, date, true);
}

bool TDBGenericListHandlerDirect::LoadForDate(const std::string& condition, const std::string& date, bool clear)
{
    TDBGenericListBase& list = List();
    TDBGenericInfo& info = list.Info();
    const TDBGenericTableInfo* table = list.TableInfo();
    if (table == nullptr) {
        return false;
    }
    if (clear) {
        list.Clear();
    }
    list.SetDateText(date);
    const TDBGListDateSQL sql = Statements(condition, date);
    if (date.empty()) {
        return ReadRows(sql.CurrentRows(), date, false);
    }
    // The date is placed as each record's own load places it: first against today, then
    // against the record's own periods.
    const std::string today = info.DateToDBStr(info.GetSystemDate());
    if (date > today && !info.Options().Contains(dbfLoadNoDateLimit)) {
        Report("Failed to load records from table " + list.TableName() + ":\r\n"
                   + "This date lies after the current date.\r\n" + "Date = " + date,
               79, {}, nullptr);
        return false;
    }
    // A table without key columns has no record to follow through its periods.
    if (date >= today || !table->hasHistory() || sql.KeyColumns.empty()) {
        return ReadRows(sql.CurrentRows(), date, false);
    }
    const int refused = Refused(sql);
    if (refused < 0) {
        return false;
    }
    if (refused > 0) {
        std::string message = "Failed to load records from table " + list.TableName() + ":\r\n"
            + (refused == 2 ? "No history records exist for this date.\r\n"
                            : "The requested date lies before the first history record.\r\n")
            + "Date = " + date;
        if (refused == 2) {
            message += "\r\nCriteria = " + condition;
        }
        Report(message, 78, {}, nullptr);
        return false;
    }
    return ReadRows(sql.Records(), date, true);
}

TDBGListDateSQL TDBGenericListHandlerDirect::Statements(const std::string& condition, const std::string& date)
{
    TDBGenericListBase& list = List();
    TDBGenericInfo& info = list.Info();
    const TDBGenericTableInfo& table = *list.TableInfo();
    TDBGListDateSQL sql;
    sql.Table = list.TableName();
    sql.HistoryTable = table.HistoryTable();
    // The columns a record's key condition names.
    if (table.UseMultiKeys() && !table.MultiKeyFields().Empty()) {
        for (const std::string& column : table.MultiKeyFields()) {
            sql.KeyColumns.push_back(column);
        }
    } else if (!table.KeyField().empty()) {
        sql.KeyColumns.push_back(table.KeyField());
    }
    sql.StartColumn = list.HistoryStartField();
    sql.EndColumn = list.HistoryEndField();
    sql.TableColumns = table.Fields().Names(", ");
    if (sql.TableColumns.empty()) {
        sql.TableColumns = "*";
    }
    sql.ListColumns = list.SelectedColumns();
    sql.Condition = condition;
    sql.Order = list.OrderText();
    sql.Date = info.QuoteValue(date);
    sql.Empty = info.QuoteValue("");
    // Without a date the list reads the table's rows as they stand, deleted ones among them.
    if (table.CanDelete() && !date.empty()) {
        sql.DeleteColumn = info.DeleteFlagField();
    }
    sql.CurrentWithoutHistory = table.Options().Contains(dbgLoadCurrentIfNoHistory);
    sql.FirstPeriodBeforeHistory = table.NoLowHistoryBounds();
    return sql;
}

int TDBGenericListHandlerDirect::Refused(const TDBGListDateSQL& sql)
{
    const std::string statement = sql.Refusals();
    if (statement.empty()) {
        return 0;
    }
    TDBGenericListBase& list = List();
    try {
        TDBGenericQuery query(list.Session(), &list, false);
        query.SQL().Add(statement);
        query.Open();
        return query.Eof() || query.Fields(0).IsNull() ? 0 : static_cast<int>(query.Fields(0).AsInteger());
    } catch (const std::exception& error) {
        Report("Unable to access history table " + sql.HistoryTable + "." + "Session = " + list.Session().SessionName()
                   + "\r\n",
               70, statement, &error);
        return -1;
    }
}

bool TDBGenericListHandlerDirect::ReadRows(const std::string& statement, const std::string& date, bool periods)
{
    TDBGenericListBase& list = List();
    try {
        TDBGenericQuery query(list.Session(), &list, false);
        query.SQL().Add(statement);
        query.Open();
        TDBGColumnMap map;
        // Each row tells by its period's start whether it is a period or a current row.
        const int start = query.FieldCount() - 2;
        for (; !query.Eof(); query.Next()) {
            TDBGenericAccessBase* record = list.NewItem(true);
            if (record == nullptr) {
                return false;
            }
            record->Handler().ReadListRow(query, map, periods && !query.Fields(start).IsNull(), date);
        }
        return true;
    } catch (const std::exception& error) {
        Report("Failed to load records from table " + list.TableName() + ".\r\n" + "Session = "
                   + list.Session().SessionName() + "\r\n",
               21, statement, &error);
        return false;
    }
}
