#include "database/db_access_handler.h"

#include "database/db_access_base.h"
#include "database/db_field_val.h"
#include "database/db_generic_info.h"
#include "database/db_generic_query.h"
#include "database/db_hooks.h"
#include "database/db_session_pool.h"
#include "database/db_sql_literals.h"
#include "database/db_table_info.h"
#include "database/db_variants.h"
#include "foundation/generic_exception.h"
#include "framework/core/datetime.h"
#include "framework/core/strings.h"

// --- Construction, copying and links ---------------------------------------------------------

TDBGenericAccessHandlerBase::TDBGenericAccessHandlerBase(TDBGenericAccessBase& record, bool client)
    : TDBGenericAccessHandlerAbstract(client), record_(record)
{
}

TDBGenericAccessHandlerBase::~TDBGenericAccessHandlerBase()
{
    SetContainer(nullptr);
    try {
        ReleaseStub();
    } catch (const std::exception&) {
        // The record is going; a server that cannot be told keeps its lock until it notices.
    }
}

TDBGenericInfo& TDBGenericAccessHandlerBase::Info() const
{
    return record_.Info();
}

TDBGSessionRef& TDBGenericAccessHandlerBase::Session() const
{
    return record_.Session();
}

void TDBGenericAccessHandlerBase::Assign(const TDBGenericAccessHandlerBase& other)
{
    if (other.className() != className()) {
        throw TGenericException("Error while attempting to copy DB AccessHandler data.\r\nThe two objects are not "
                                "of the same type.\r\nSource = "
                                    + std::string(other.className()) + "\r\n" + "Target = " + std::string(className()),
                                nullptr, fw::SenderName(this), "Assign");
    }
    condition_ = other.condition_;
    client_ = other.client_;
    nesting_ = other.nesting_;
    state_ = other.state_;
    locked_ = other.locked_;
    lockUser_ = other.lockUser_;
    loadedDate_ = other.loadedDate_;
    columnNames_.Assign(other.columnNames_);
}

void TDBGenericAccessHandlerBase::SetContainer(IDBGRecordContainer* container)
{
    if (container == container_) {
        return;
    }
    IDBGRecordContainer* previous = container_;
    container_ = container;
    if (previous != nullptr) {
        previous->DetachRecord(record_);
    }
    if (container != nullptr) {
        container->AttachRecord(record_);
    }
}

void TDBGenericAccessHandlerBase::Released()
{
    if (--useCount_ >= 1) {
        return;
    }
    // The container hears first, while the record still exists; freeing it frees this
    // handler too, so nothing may follow.
    TDBGenericAccessBase& record = record_;
    const bool free = record.HasFlag(dbrfFreeOnRelease);
    if (container_ != nullptr) {
        container_->RecordReleased(record);
    }
    if (free) {
        delete &record;
    }
}

void TDBGenericAccessHandlerBase::NotifyHooks(int event)
{
    TDBGenericInfoHookRegisterList::Instance().Notify(event, &record_);
}

// --- Routing -------------------------------------------------------------------------------

int TDBGenericAccessHandlerBase::Refuse(TDBGClientRefusal refusal)
{
    const TDBGClientRefusalText& text = ClientRefusalOf(refusal);
    return Report(std::string(text.Message), text.Code, {}, std::string(text.Operation));
}

int TDBGenericAccessHandlerBase::Report(const std::string& message, int code, const std::string& sql,
                                        const std::string& method, const std::exception* previous)
{
    return Info().HandleException(message, code, sql, method, &record_, {}, previous, &record_);
}

bool TDBGenericAccessHandlerBase::IsNew()
{
    if (client_) {
        Refuse(TDBGClientRefusal::IsNew);
        return !record_.HasKey();
    }
    return IsNewS();
}

int TDBGenericAccessHandlerBase::SetRecordLock(bool lock, const std::string& user)
{
    return client_ ? SetRecordLockC(lock, user) : SetRecordLockS(lock, user);
}

bool TDBGenericAccessHandlerBase::Delete(const std::string& date)
{
    if (client_) {
        Refuse(TDBGClientRefusal::Delete);
        return false;
    }
    return DeleteS(date);
}

bool TDBGenericAccessHandlerBase::Undelete()
{
    if (client_) {
        Refuse(TDBGClientRefusal::Undelete);
        return false;
    }
    return UndeleteS();
}

bool TDBGenericAccessHandlerBase::LoadConditionWithQuery(const std::string& condition, const std::string& date,
                                                         TDBGQueryRef& query, bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::LoadConditionWithQuery);
        return false;
    }
    condition_ = condition;
    return LoadWithQuery(fw::Variant(-1), date, query, commit);
}

bool TDBGenericAccessHandlerBase::LoadCondition(const std::string& condition, const std::string& date)
{
    if (client_) {
        Refuse(TDBGClientRefusal::LoadCondition);
        return false;
    }
    condition_ = condition;
    TDBGQueryRef query;
    return LoadWithQuery(fw::Variant(-1), date, query, true);
}

bool TDBGenericAccessHandlerBase::Load(const fw::Variant& key, const std::string& date)
{
    if (client_) {
        return LoadC(key, date);
    }
    condition_.clear();
    TDBGQueryRef query;
    return LoadWithQuery(key, date, query, true);
}

bool TDBGenericAccessHandlerBase::LoadWithQuery(const fw::Variant& key, const std::string& date, TDBGQueryRef& query,
                                                bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::LoadWithQuery);
        return false;
    }
    return LoadWithQueryS(key, date, query, commit);
}

bool TDBGenericAccessHandlerBase::LoadCurrent(const fw::Variant& key, TDBGQueryRef& query, const std::string& date,
                                              bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::LoadCurrent);
        return false;
    }
    return LoadCurrentS(key, query, date, commit);
}

bool TDBGenericAccessHandlerBase::LoadFromHistory(const fw::Variant& key, TDBGQueryRef& query,
                                                  const std::string& date, bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::LoadFromHistory);
        return false;
    }
    return LoadFromHistoryS(key, query, date, commit);
}

bool TDBGenericAccessHandlerBase::LoadFromHistoryCondition(const std::string& condition, const std::string& date)
{
    if (client_) {
        Refuse(TDBGClientRefusal::LoadFromHistoryCondition);
        return false;
    }
    return LoadFromHistoryConditionS(condition, date);
}

bool TDBGenericAccessHandlerBase::LoadFields(const std::vector<std::string>& names, const std::string& date)
{
    return client_ ? LoadFieldsC(names, date) : LoadFieldsS(names);
}

bool TDBGenericAccessHandlerBase::Save()
{
    if (client_) {
        return SaveC();
    }
    if (record_.IsReadOnly()) {
        if (record_.HasFlag(dbrfStrict)) {
            Report("Attempt to write a ReadOnly record to table " + record_.TableName() + ".\r\n", 28, {}, "SaveS");
        }
        return false;
    }
    TDBGQueryRef query;
    return SaveWithQuery(query, true);
}

bool TDBGenericAccessHandlerBase::SaveWithQuery(TDBGQueryRef& query, bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::SaveWithQuery);
        return false;
    }
    return SaveWithQueryS(query, commit);
}

bool TDBGenericAccessHandlerBase::SaveToHistory(const std::string& date)
{
    if (client_) {
        return SaveToHistoryC(date);
    }
    TDBGQueryRef query;
    return SaveToHistoryWithQuery(date, query, true);
}

bool TDBGenericAccessHandlerBase::SaveToHistoryWithQuery(const std::string& date, TDBGQueryRef& query, bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::SaveToHistoryWithQuery);
        return false;
    }
    return SaveToHistoryWithQueryS(date, query, commit);
}

bool TDBGenericAccessHandlerBase::UpdateFields(const std::vector<std::string>& names)
{
    columnNames_.Clear();
    for (const std::string& name : names) {
        if (!fw::Trim(name).empty()) {
            columnNames_.Add(fw::Trim(name));
        }
    }
    if (client_) {
        Refuse(TDBGClientRefusal::UpdateFields);
        return false;
    }
    return UpdateFieldsS();
}

bool TDBGenericAccessHandlerBase::RestoreFromHistory(const std::string& date, TDBGQueryRef& query, bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::RestoreFromHistory);
        return false;
    }
    return RestoreFromHistoryS(date, query, commit);
}

bool TDBGenericAccessHandlerBase::HistoryRollback(const std::string& date, TDBGQueryRef& query, bool commit)
{
    if (client_) {
        Refuse(TDBGClientRefusal::HistoryRollback);
        return false;
    }
    return HistoryRollbackS(date, query, commit);
}

int TDBGenericAccessHandlerBase::GetRecordKey()
{
    return client_ ? GetRecordKeyC() : GetRecordKeyS();
}

bool TDBGenericAccessHandlerBase::CreateKey()
{
    return record_.HasKey() ? false : record_.AssignNewKey();
}

int TDBGenericAccessHandlerBase::IsDateInHistory(const std::string& date)
{
    if (client_) {
        Refuse(TDBGClientRefusal::IsDateInHistory);
        return -1;
    }
    return IsDateInHistoryS(date);
}

// --- Keys and locks ------------------------------------------------------------------------

bool TDBGenericAccessHandlerBase::TakeKeyFromVariant(const fw::Variant& key)
{
    if (!record_.TableInfo().UseRecordKey()) {
        return false;
    }
    const fw::Variant& value = key.IsArray() ? (key.Elements().empty() ? key : key.Elements().front()) : key;
    if (!value.IsArray() && !value.IsNull() && !value.IsEmpty()) {
        const auto number = static_cast<int>(VariantInteger(value));
        if (number != -1) {
            record_.SetKeyValue(number);
        }
    }
    return record_.KeyValue() > 0;
}

int TDBGenericAccessHandlerBase::GetRecordKeyS()
{
    if (!record_.HasKey()) {
        CreateKey();
    }
    return record_.KeyValue();
}

int TDBGenericAccessHandlerBase::SetRecordLockS(bool lock, const std::string& user)
{
    int result = 0;
    if (lock != locked_) {
        // A conflict that the host's handler swallowed must not leave the record believing
        // it holds the lock (or has given it up).
        const TDBGErrorWatch watch;
        if (record_.HasKey()) {
            TDBGenericInfo& info = Info();
            result = lock ? info.LockRecord(record_.TableName(), record_.KeyText(), user)
                          : info.UnlockRecord(record_.TableName(), record_.KeyText(), false, user);
        }
        if (watch.Reported()) {
            // Whatever the host answered, a refused lock is not held.
            return lock ? 0 : result;
        }
    }
    locked_ = lock;
    lockUser_ = lock ? user : std::string();
    return result;
}

// --- Statement builders --------------------------------------------------------------------

std::string TDBGenericAccessHandlerBase::KeyCondition(int mode) const
{
    const TDBGenericTableInfo& table = record_.TableInfo();
    const TDBGenericInfo& info = Info();
    const fw::Variant& loaded = record_.LoadedKey();
    const bool stored = (mode & 1) != 0 && !loaded.IsEmpty() && !loaded.IsNull();
    const fw::Variant key = stored ? loaded : record_.KeyAsVariant();
    const bool exclude = (mode & 4) != 0;

    std::vector<std::string> columns;
    if (table.UseMultiKeys() && !table.MultiKeyFields().Empty()) {
        for (const std::string& column : table.MultiKeyFields()) {
            columns.push_back(column);
        }
    } else if (!table.KeyField().empty()) {
        columns.push_back(table.KeyField());
    }
    if (columns.empty()) {
        return {};
    }
    std::vector<std::string> comparisons;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string literal;
        if (table.UseRecordKey() && !table.UseMultiKeys()) {
            literal = fw::IntToStr(VariantInteger(key));
        } else {
            const fw::Variant element = key.IsArray()
                ? (i < key.Elements().size() ? key.Elements()[i] : fw::Variant::Null())
                : (i == 0 ? key : fw::Variant::Null());
            literal = VariantLiteral(info, table.Fields().FindName(columns[i]), element);
        }
        comparisons.push_back(columns[i] + (exclude ? " <> " : " = ") + literal);
    }
    std::string text;
    if (columns.size() == 1 && !table.UseMultiKeys()) {
        text = comparisons.front();
    } else {
        text = "(";
        for (std::size_t i = 0; i < comparisons.size(); ++i) {
            text += (i > 0 ? (exclude ? " OR " : " AND ") : "") + comparisons[i];
        }
        text += ")";
    }
    if ((mode & 8) == 0 && table.CanDelete()) {
        text += " AND " + info.DeleteFlagField() + " = " + info.QuoteValue("");
    }
    return text;
}

void TDBGenericAccessHandlerBase::FieldValues(TDBGFieldValList& values, int mode)
{
    values.Clear();
    record_.FieldValues(values, mode);
}

std::string TDBGenericAccessHandlerBase::InsertStatement(const TDBGFieldValList& values,
                                                         const std::string& table) const
{
    return "INSERT INTO " + table + " (" + values.Names() + ") VALUES (" + values.Values() + ")";
}

std::string TDBGenericAccessHandlerBase::UpdateStatement(const TDBGFieldValList& values,
                                                         const std::string& condition) const
{
    return "UPDATE " + record_.TableName() + " SET " + values.Assignments() + " WHERE " + condition;
}

std::string TDBGenericAccessHandlerBase::HistoryInsertStatement(const std::string& start, const std::string& end)
{
    const StateScope state(*this, dbhsHistorySave);
    TDBGFieldValList values;
    FieldValues(values, 2 | 8);
    values.Set(HistoryStartColumn(), Info().QuoteValue(start));
    values.Set(HistoryEndColumn(), Info().QuoteValue(end));
    return InsertStatement(values, record_.TableInfo().HistoryTable());
}

void TDBGenericAccessHandlerBase::BuildColumnMap(TDBGColumnMap&, const fw::db::Query&) {}

void TDBGenericAccessHandlerBase::ReadRow(const fw::db::Query&, bool, TDBGColumnMap*) {}

void TDBGenericAccessHandlerBase::ReadRemoteRow(const TDBGRemoteRow&, bool) {}

void TDBGenericAccessHandlerBase::ReadListRow(const fw::db::Query& query, TDBGColumnMap& map, bool history,
                                              const std::string& date)
{
    const StateScope state(*this, history ? dbhsHistoryLoad : dbhsLoadCurrent);
    ReadRow(query, true, &map);
    loadedDate_ = date;
    record_.SetLoadedKey(record_.KeyAsVariant());
}

// --- Names and dates -----------------------------------------------------------------------

std::string TDBGenericAccessHandlerBase::HistoryStartColumn() const
{
    const std::string& name = Info().HistoryPeriodStartField();
    return name.empty() ? "HistoryPeriodStart" : name;
}

std::string TDBGenericAccessHandlerBase::HistoryEndColumn() const
{
    const std::string& name = Info().HistoryPeriodEndField();
    return name.empty() ? "HistoryPeriodEnd" : name;
}

std::string TDBGenericAccessHandlerBase::OpenPeriodEnd() const
{
    return Info().DateToDBStr(fw::EncodeDate(9999, 12, 31));
}

std::string TDBGenericAccessHandlerBase::CurrentDateText() const
{
    TDBGenericInfo& info = Info();
    return info.DateToDBStr(info.GetSystemDate());
}

std::string TDBGenericAccessHandlerBase::DisplayDate(const std::string& date) const
{
    if (date.empty()) {
        return {};
    }
    try {
        return fw::FormatDate(Info().ConvertFromDBDateStr(date), "d mmm yyyy");
    } catch (const std::exception&) {
        return date;
    }
}

// --- Queries -------------------------------------------------------------------------------

void TDBGenericAccessHandlerBase::EnsureQuery(TDBGQueryRef& query)
{
    if (!query) {
        query = std::make_unique<TDBGenericQuery>(Session(), &record_, true);
    }
}

void TDBGenericAccessHandlerBase::Finish(TDBGQueryRef& query, bool commit, bool success)
{
    if (!commit || !query) {
        return;
    }
    if (success) {
        TDBGenericQuery::ReleaseCommit(query);
        return;
    }
    try {
        TDBGenericQuery::ReleaseRollback(query);
    } catch (const std::exception&) {
        // The operation's own failure is the one to report.
    }
}

bool TDBGenericAccessHandlerBase::IsNewOn(TDBGenericQuery& query, std::string& sql)
{
    if (!record_.HasKey()) {
        return true;
    }
    const std::string condition = KeyCondition(RowsOfRecord());
    if (condition.empty()) {
        return true;
    }
    query.Close();
    query.SQL().Clear();
    query.SQL().Add("SELECT COUNT(*) FROM " + record_.TableName() + " WHERE " + condition);
    sql = query.Text();
    query.Open();
    const bool isNew = query.Eof() || query.Fields(0).AsLargeInt() == 0;
    query.Close();
    return isNew;
}

int TDBGenericAccessHandlerBase::RowsOfRecord() const
{
    return record_.TableInfo().CanDelete() && !record_.DeleteDate().empty() ? 8 : 0;
}

void TDBGenericAccessHandlerBase::InsertHistoryRow(TDBGenericQuery& query, const std::string& start,
                                                   const std::string& end, std::string& sql)
{
    query.Close();
    query.SQL().Clear();
    query.SQL().Add(HistoryInsertStatement(start, end));
    sql = query.Text();
    query.ExecSQL();
}

// --- The remote stub -----------------------------------------------------------------------

bool TDBGenericAccessHandlerBase::HasStub() const
{
    if (compound_ != nullptr) {
        return compound_->Handler().HasStub();
    }
    return stub_ != nullptr;
}

IDBGenericAccessStub& TDBGenericAccessHandlerBase::GetStub()
{
    if (compound_ != nullptr) {
        return compound_->Handler().GetStub();
    }
    if (!stub_) {
        std::unique_ptr<IDBGenericAccessStub> stub = StubFactory()(*this);
        if (!stub) {
            throw TGenericException("The remote access server gave no stub.", nullptr, fw::SenderName(this),
                                    "GetStub");
        }
        stub->SetTypeID(record_.TypeID());
        stub->SetUser(Info().CurrentUserID());
        if (const TDBGStubContextHook hook = StubContextHook()) {
            stubContext_ = hook(*this);
            stub->SetContext(stubContext_.get());
        }
        stub_ = std::move(stub);
    }
    return *stub_;
}

void TDBGenericAccessHandlerBase::RequestStub(int key, const std::string& date)
{
    if (HasStub()) {
        Report("Invalid call to RequestStub - a stub exists already.\r\nClass Name = "
                   + std::string(record_.className()) + "\r\n" + record_.KeyDescription(),
               15, {}, "RequestStub");
        return;
    }
    GetStub().Open(key, date);
    record_.SetKeyValue(key);
    loadedDate_ = date;
}

void TDBGenericAccessHandlerBase::ReleaseStub()
{
    if (stub_) {
        if (locked_) {
            SetRecordLock(false, Info().CurrentUserID());
        }
        stub_.reset();
    }
    stubContext_.reset();
}
