#include "database/db_generic_info.h"

#include <filesystem>
#include <mutex>

#include "database/db_access_base.h"
#include "database/db_data_lock.h"
#include "database/db_generic_functions.h"
#include "database/db_generic_query.h"
#include "database/db_hooks.h"
#include "database/db_list.h"
#include "database/db_record_key.h"
#include "database/db_session_pool.h"
#include "foundation/date_utils.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/db/db_alias.h"
#include "framework/db/db_connection.h"

namespace {

// Creating the exception log's session is rare and may race between two threads' errors.
std::mutex& LogSessionMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Every error this thread reported through any component: the error watches compare.
thread_local unsigned long long reportedErrors = 0;

} // namespace

TDBGErrorWatch::TDBGErrorWatch() : start_(reportedErrors) {}

bool TDBGErrorWatch::Reported() const
{
    return reportedErrors != start_;
}

TDBGenericInfo::TDBGenericInfo(fw::Component* owner)
    : fw::Component(owner), pool_(std::make_unique<TDBGSessionPool>(*this))
{
    defaultSession_ = pool_->AddDefaultSession();
    recordKey_ = std::make_unique<TDBGenericRecordKey>(*this, "Key_Registry");
    recordKeyAlt_ = std::make_unique<TDBGenericRecordKey>(*this, "A_Key_Registry");
    TDBGSessionRef* keySession = pool_->RequestSession();
    keySession->SetReserved(true);
    recordKey_->SetSession(keySession);
    recordKeyAlt_->SetSession(keySession);
}

TDBGenericInfo::~TDBGenericInfo()
{
    TDBGenericInfoHookRegisterList::Instance().Unregister(this);
    SetLocks(nullptr);
    SetDatabase(nullptr);
    recordKey_.reset();
    recordKeyAlt_.reset();
    pool_.reset();
}

void TDBGenericInfo::Loaded()
{
    if (pool_->PrivateDirRoot().empty()) {
        std::error_code error;
        const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
        if (!error) {
            pool_->SetPrivateDirRoot(temporary.string());
        }
    }
}

std::string TDBGenericInfo::LocalDBName() const
{
    return database_ != nullptr ? database_->DatabaseName() : std::string();
}

void TDBGenericInfo::SetDBAlias(const std::string& alias)
{
    if (!fw::SameText(alias, dbAlias_)) {
        pool_->RenameAlias(dbAlias_, alias);
        if (database_ != nullptr && fw::SameText(database_->AliasName(), dbAlias_)) {
            database_->SetAliasName(alias);
        }
    }
    dbAlias_ = alias;
}

void TDBGenericInfo::SetDatabase(fw::db::Connection* connection)
{
    if (connection == database_) {
        return;
    }
    if (database_ != nullptr) {
        RemoveFreeNotification(database_);
    }
    database_ = connection;
    if (database_ != nullptr) {
        FreeNotification(database_);
    }
}

void TDBGenericInfo::SetLocks(TDBGenericDataLock* locks)
{
    if (locks == locks_) {
        return;
    }
    TDBGenericDataLock* previous = locks_;
    locks_ = locks;
    if (previous != nullptr) {
        RemoveFreeNotification(previous);
        previous->LinkInfo(nullptr);
    }
    if (locks != nullptr) {
        FreeNotification(locks);
        locks->SetDBInfo(this);
    }
}

void TDBGenericInfo::ForgetLocks(TDBGenericDataLock* locks)
{
    if (locks_ == locks) {
        RemoveFreeNotification(locks);
        locks_ = nullptr;
    }
}

void TDBGenericInfo::Notification(fw::Component* component, fw::Operation operation)
{
    fw::Component::Notification(component, operation);
    if (operation != fw::Operation::Remove) {
        return;
    }
    if (component == locks_) {
        locks_ = nullptr;
    }
    if (component == database_) {
        database_ = nullptr;
    }
}

void TDBGenericInfo::SetOptions(TDBGenericInfoOptionSet options)
{
    options_ = options;
    tableList_.SetFixedFloatText(options.Contains(dbfSQLNoScientificFmt));
}

void TDBGenericInfo::SetDefaultHistoryStart(const std::string& date)
{
    fw::DateTime value = 0;
    try {
        value = ConvertFromDBDateStr(date);
    } catch (const fw::EConvertError&) {
        value = 0;
    }
    defaultHistoryStart_ = value > 0 ? DateToDBStr(value) : std::string("19700101");
}

TDBGSessionRef& TDBGenericInfo::LogSession()
{
    const std::lock_guard lock(LogSessionMutex());
    if (logSession_ == nullptr) {
        TDBGSessionRef* session = pool_->RequestSession();
        session->SetReserved(true);
        logSession_ = session;
    }
    return *logSession_;
}

fw::DateTime TDBGenericInfo::Now() const
{
    return clock_ ? clock_() : fw::Now();
}

std::string TDBGenericInfo::QuoteValue(std::string_view value) const
{
    return QuoteText(value, dbStrDelim_);
}

std::string TDBGenericInfo::DateTimeToSQL(fw::DateTime value) const
{
    // On the engines this layer reaches, every literal runs from year to second, whatever
    // DBDateFormat says. SQLite keeps a date-time as the text it was given, compares and
    // sorts it as text, and reads back only that form. PostgreSQL reads a literal's day and
    // month by the session's DateStyle, never by our format: "04/07/2150" would be 7 April
    // under MDY, and "25/03/2150" no date at all; the ISO form means one moment under every
    // DateStyle. Only without a known engine does the literal follow the format.
    const std::string format =
        KnowsEngine() ? std::string("YYYY-MM-DD hh:nn:ss") : dbDateFormat_ + " " + dbTimeFormat_;
    return ::DateTimeToSQL(dbType_, dbStrDelim_, format, value);
}

bool TDBGenericInfo::KnowsEngine() const
{
    return database_ != nullptr || fw::db::FindAlias(dbAlias_).has_value();
}

TDBGenericTableInfo* TDBGenericInfo::GetTableByID(int id)
{
    if (OnGetTableByID) {
        if (TDBGenericTableInfo* table = OnGetTableByID(*this, id)) {
            return table;
        }
    }
    if (typeRegister_.Find(id) == nullptr) {
        TypeIDToTableName(id);
        return nullptr;
    }
    return GetTableByName(TypeIDToTableName(id));
}

TDBGenericTableInfo* TDBGenericInfo::GetTableByName(const std::string& name)
{
    if (TDBGenericTableInfo* table = tableList_.FindTable(name)) {
        return table;
    }
    HandleException("No information for table " + name + " found.", 51, {}, "_getTableByName", this, {}, nullptr,
                    this);
    return nullptr;
}

TDBGenericTableInfo* TDBGenericInfo::GetTableByAlternate(const std::string& name)
{
    if (TDBGenericTableInfo* table = tableList_.FindAlternate(name)) {
        return table;
    }
    HandleException("No information for alternate table " + name + " found.", 51, {}, "_getTableByAlternate",
                    this, {}, nullptr, this);
    return nullptr;
}

std::string TDBGenericInfo::TypeIDToTableName(int id)
{
    if (const TDBGTypeIDEntry* entry = typeRegister_.Find(id)) {
        return entry->TableName;
    }
    HandleException("Unknown class type id.\r\nID = " + fw::IntToStr(id), 0, {}, "_getTypeIDInfo", this, {},
                    nullptr, this);
    return {};
}

const TDBGRecordClass* TDBGenericInfo::TypeIDToClass(int id)
{
    if (const TDBGTypeIDEntry* entry = typeRegister_.Find(id)) {
        return &entry->RecordClass;
    }
    HandleException("Unknown class type id.\r\nID = " + fw::IntToStr(id), 0, {}, "_getTypeIDInfo", this, {},
                    nullptr, this);
    return nullptr;
}

const TDBGListClass* TDBGenericInfo::ListTypeIDToClass(int id)
{
    if (const TDBGListClass* listClass = listTypeRegister_.Find(id)) {
        return listClass;
    }
    HandleException("Unknown list class type ID.\r\nID = " + fw::IntToStr(id), 0, {}, "_getListTypeIDToClass",
                    this, {}, nullptr, this);
    return nullptr;
}

int TDBGenericInfo::LockRecord(const std::string& table, int key, const std::string& user)
{
    return LockRecord(table, fw::IntToStr(key), user);
}

int TDBGenericInfo::UnlockRecord(const std::string& table, int key, bool force, const std::string& user)
{
    return UnlockRecord(table, fw::IntToStr(key), force, user);
}

int TDBGenericInfo::LockRecord(const std::string& table, const std::string& key, const std::string& user)
{
    return locks_ != nullptr && locks_->Enabled() ? locks_->LockRecord(table, key, user) : 0;
}

int TDBGenericInfo::UnlockRecord(const std::string& table, const std::string& key, bool force,
                                 const std::string& user)
{
    return locks_ != nullptr && locks_->Enabled() ? locks_->UnlockRecord(table, key, force, user) : 0;
}

bool TDBGenericInfo::CanWriteRecord(const std::string& table, int key, const std::string& user)
{
    return CanWriteRecord(table, fw::IntToStr(key), user);
}

bool TDBGenericInfo::CanWriteRecord(const std::string& table, const std::string& key, const std::string& user)
{
    return locks_ != nullptr && locks_->Enabled() ? locks_->CanWriteRecord(table, key, user) : true;
}

bool TDBGenericInfo::CanWriteToTable(const std::string& table, const std::string& user)
{
    return locks_ != nullptr && locks_->Enabled() ? locks_->CanWriteToTable(table, user) : true;
}

TDBGenericAccessBase* TDBGenericInfo::CreateDBClass(int typeID, TDBGSessionRef* session)
{
    const TDBGTypeIDEntry* entry = typeRegister_.Find(typeID);
    if (entry == nullptr || !entry->RecordClass.Create) {
        HandleException("Unable to create instance with TypeID = " + fw::IntToStr(typeID) + ".\r\n"
                            + "No type information is available!",
                        52, {}, "CreateDBClass", this, {}, nullptr, this);
        return nullptr;
    }
    TDBGenericAccessBase* record =
        entry->RecordClass.Create(typeID, session != nullptr ? *session : *defaultSession_, entry->Client);
    if (record != nullptr && OnCreateRecord) {
        OnCreateRecord(record);
    }
    return record;
}

TDBGenericListBase* TDBGenericInfo::CreateDBList(int listTypeID, TDBGSessionRef* session)
{
    const TDBGListClass* listClass = ListTypeIDToClass(listTypeID);
    if (listClass == nullptr || !listClass->Create) {
        return nullptr;
    }
    TDBGenericListBase* list = listClass->Create(listTypeID, session != nullptr ? *session : *defaultSession_);
    if (list != nullptr && OnCreateList) {
        OnCreateList(list);
    }
    return list;
}

std::string TDBGenericInfo::GetSystemFlag(const std::string& name)
{
    return OnGetSystemFlag ? OnGetSystemFlag(*this, name) : std::string();
}

fw::Object* TDBGenericInfo::GetComponentReference(const std::string& name)
{
    return OnGetComponentReference ? OnGetComponentReference(*this, name) : nullptr;
}

void TDBGenericInfo::DeleteTableEntries(const std::string& table, const std::string& condition,
                                        TDBGSessionRef* session)
{
    if (!serverName_.empty()) {
        throw fw::Exception("The DeleteTableEntries method of object TDBGenericInfo\r\nhas not been implemented "
                            "at client level yet.");
    }
    ::DeleteTableEntries(session != nullptr ? *session : *defaultSession_, table, condition);
}

fw::DateTime TDBGenericInfo::ConvertFromDBDateStr(const std::string& text)
{
    return OnConvertFromDBDateStr ? OnConvertFromDBDateStr(*this, text) : DateFromText(text);
}

fw::DateTime TDBGenericInfo::ConvertFromDBTimeStr(const std::string& text)
{
    return OnConvertFromDBTimeStr ? OnConvertFromDBTimeStr(*this, text) : TimeFromText(text);
}

std::string TDBGenericInfo::DateToDBStr(fw::DateTime value) const
{
    return fw::FormatDate(value, dbDateStrFormat_);
}

std::string TDBGenericInfo::TimeToDBStr(fw::DateTime value) const
{
    return fw::FormatDate(value, dbTimeStrFormat_);
}

std::string TDBGenericInfo::AddDaysToDBDateStr(const std::string& date, int days)
{
    return DateToDBStr(ConvertFromDBDateStr(date) + days);
}

fw::DateTime TDBGenericInfo::GetSystemDate()
{
    return OnGetSystemDate ? OnGetSystemDate(*this) : 0;
}

int TDBGenericInfo::NewRecordKey(int typeID, int mode)
{
    TDBGenericTableInfo* table = GetTableByID(typeID);
    if (table == nullptr || !table->UseRecordKey()) {
        return 0;
    }
    bool alternate = false;
    if (mode == 2) {
        alternate = true;
    } else if (mode == 0) {
        alternate = table->UseAlternate() == dbgAltTableAlways
            || (table->UseAlternate() == dbgAltTableDefault && alternateTables_);
    }
    TDBGenericRecordKey& registry = alternate && table->HasAlternate() ? *recordKeyAlt_ : *recordKey_;
    return registry.GetKey(table->RecordKeyName());
}

int TDBGenericInfo::HandleException(const std::string& message, int code, const std::string& sql,
                                    const std::string& method, const fw::Object* sender, const std::string& user,
                                    const std::exception* previous, fw::Object* ref)
{
    ++reportedErrors;
    if (OnHandleException) {
        return OnHandleException(message, code, ref, previous, user, sender, method, sql);
    }
    throw TDBGenericException(message, sql, method, sender, user, previous, ref, code);
}
