// The client variants of a record's handler: the record's work handed to the remote
// access server through the stub.

#include "database/db_access_base.h"
#include "database/db_access_handler.h"
#include "database/db_generic_info.h"
#include "framework/core/strings.h"

int TDBGenericAccessHandlerBase::SetRecordLockC(bool lock, const std::string& user)
{
    TDBGenericAccessBase& record = Record();
    if (!record.HasKey()) {
        return 0;
    }
    if (!lock && !HasStub()) {
        return 0;
    }
    if (lock && !HasStub()) {
        RequestStub(record.KeyValue(), loadedDate_);
    }
    const int result = GetStub().Lock(lock, user);
    if (lock) {
        ReadRemoteRow(GetStub().Load(record.KeyValue(), loadedDate_), true);
    }
    locked_ = lock;
    lockUser_ = lock ? user : std::string();
    return result;
}

int TDBGenericAccessHandlerBase::GetRecordKeyC()
{
    TDBGenericAccessBase& record = Record();
    if (!record.HasKey()) {
        record.SetKeyValue(GetStub().NewKey());
    }
    return record.KeyValue();
}

bool TDBGenericAccessHandlerBase::LoadC(const fw::Variant& key, const std::string& date)
{
    TDBGenericAccessBase& record = Record();
    if (OwningCompound() != nullptr) {
        Report("This client class is part of a compound instance.\r\nIt cannot be loaded on its own.\r\n", 32, {},
               "LoadC");
        return false;
    }
    TakeKeyFromVariant(key);
    const TDBGRemoteRow row = GetStub().Load(record.KeyValue(), date);
    loadedDate_ = date;
    ReadRemoteRow(row, true);
    record.SetLoadedKey(row.LoadedKey);
    return true;
}

bool TDBGenericAccessHandlerBase::LoadFieldsC(const std::vector<std::string>& names, const std::string& date)
{
    TDBGenericAccessBase& record = Record();
    std::string columns;
    for (const std::string& name : names) {
        if (!fw::Trim(name).empty()) {
            columns += (columns.empty() ? "" : ", ") + fw::Trim(name);
        }
    }
    if (columns.empty()) {
        Report("No fields specified for LoadFields method.\r\n" + record.KeyDescription(), 30, {}, "LoadFields");
        return false;
    }
    ReadRemoteRow(GetStub().LoadFields(record.KeyValue(), columns, date), false);
    return true;
}

bool TDBGenericAccessHandlerBase::SaveC()
{
    TDBGenericAccessBase& record = Record();
    if (OwningCompound() != nullptr) {
        Report("This instance is part of a compound class\r\nand cannot be saved on its own.\r\n", 33, {}, "SaveC");
        return false;
    }
    if (record.IsReadOnly()) {
        if (record.HasFlag(dbrfStrict)) {
            Report("Attempt to write a ReadOnly record to table " + record.TableName() + ".\r\n", 28, {}, "SaveC");
        }
        return false;
    }
    const TDBGRemoteRow row = GetStub().Save(record.GetData());
    ReadRemoteRow(row, true);
    record.SetLoadedKey(row.LoadedKey);
    return true;
}

bool TDBGenericAccessHandlerBase::SaveToHistoryC(const std::string& date)
{
    if (!date.empty()) {
        Report("Only current data can be saved to the history tables.", 71, {}, "SaveToHistoryC");
        return false;
    }
    if (!HasStub()) {
        Report("Unable to save to history tables:\r\nThe client instance has no stub!", 71, {}, "SaveToHistoryC");
        return false;
    }
    GetStub().SaveToHistory(Record().GetData());
    return true;
}
