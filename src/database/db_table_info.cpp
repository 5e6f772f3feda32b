#include "database/db_table_info.h"

#include <memory>

#include "database/db_field.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"

using fw::db::FieldType;

bool FieldTypeOfEngineType(FieldType engineType, TDBGenericFieldType& type)
{
    switch (engineType) {
    case FieldType::ftString:
    case FieldType::ftMemo:
    case FieldType::ftFixedChar:
        type = dbfString;
        return true;
    case FieldType::ftSmallint:
    case FieldType::ftInteger:
    case FieldType::ftWord:
    case FieldType::ftAutoInc:
        type = dbfInteger;
        return true;
    case FieldType::ftBoolean:
        type = dbfBoolean;
        return true;
    case FieldType::ftFloat:
        type = dbfFloat;
        return true;
    case FieldType::ftCurrency:
        type = dbfCurrency;
        return true;
    case FieldType::ftDate:
    case FieldType::ftDateTime:
        type = dbfDateTime;
        return true;
    default:
        return false;
    }
}

// --- Columns -------------------------------------------------------------------------------

void TDBGenericFieldInfo::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TDBGenericFieldInfo*>(source)) {
        DBFieldType = other->DBFieldType;
        FieldName = other->FieldName;
        DataType = other->DataType;
        Precision = other->Precision;
        Size = other->Size;
        Required = other->Required;
        isReadOnly = other->isReadOnly;
        return;
    }
    fw::Persistent::Assign(source);
}

TDBGenericTableInfo* TDBGenericFieldInfo::Table() const
{
    return collection_ != nullptr ? collection_->Table() : nullptr;
}

bool TDBGenericFieldInfo::IsKeyField() const
{
    const TDBGenericTableInfo* table = Table();
    return table != nullptr && table->IsKeyField(FieldName);
}

TDBGenericField* TDBGenericFieldInfo::CreateField() const
{
    auto field = std::make_unique<TDBGenericField>(DataType, this);
    field->SetReadOnly(isReadOnly || DBFieldType == FieldType::ftAutoInc);
    return field.release();
}

TDBGenericFieldInfo* TDBGenericFieldInfoList::AddItem()
{
    auto* item = new TDBGenericFieldInfo;
    Add(item);
    return item;
}

int TDBGenericFieldInfoList::Add(fw::Object* item)
{
    if (auto* info = dynamic_cast<TDBGenericFieldInfo*>(item)) {
        info->collection_ = this;
    }
    return TEnhancedList::Add(item);
}

int TDBGenericFieldInfoList::IndexOfName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (fw::SameText(Items(i)->FieldName, name)) {
            return i;
        }
    }
    return -1;
}

std::string TDBGenericFieldInfoList::Names(std::string_view separator) const
{
    std::string names;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) {
            names += separator;
        }
        names += Items(i)->FieldName;
    }
    return names;
}

TDBGenericFieldInfo* TDBGenericFieldInfoList::FindName(std::string_view name) const
{
    const int index = IndexOfName(name);
    return index >= 0 ? Items(index) : nullptr;
}

void TDBGenericFieldInfoList::AssignFieldDefs(const fw::db::FieldDefs& defs)
{
    Clear();
    for (const fw::db::FieldDef& def : defs) {
        TDBGenericFieldType type = dbfUnknown;
        if (!FieldTypeOfEngineType(def.DataType, type)) {
            std::string text = "Encountered an incompatible data type while \r\nattempting to assign field "
                               "properties.\r\nField Name = "
                + def.Name + "\r\n" + "Field Type = " + std::string(fw::db::FieldTypeName(def.DataType));
            if (table_ != nullptr) {
                text += "\r\nTable Name = " + table_->TableName();
            }
            const fw::ModalResult answer =
                fw::MessageDlg(text, fw::MsgDlgType::Error, {fw::MsgDlgBtn::Cancel, fw::MsgDlgBtn::Ignore});
            if (answer != fw::mrIgnore) {
                return;
            }
            type = dbfUnknown;
        }
        TDBGenericFieldInfo* info = AddItem();
        info->DBFieldType = def.DataType;
        info->FieldName = def.Name;
        info->DataType = type;
        info->Precision = def.Precision;
        info->Size = def.DataType == FieldType::ftMemo ? 0 : static_cast<std::uint16_t>(def.Size);
        info->Required = def.Required;
        info->isReadOnly = def.ReadOnly;
    }
}

void TDBGenericFieldInfoList::Assign(const TEnhancedList& source)
{
    TEnhancedList::Assign(source);
}

// --- History criteria ----------------------------------------------------------------------

void TDBGTableHistoryFieldCriteria::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TDBGTableHistoryFieldCriteria*>(source)) {
        Options = other->Options;
        Fields.Assign(other->Fields);
        return;
    }
    fw::Persistent::Assign(source);
}

// --- Tables --------------------------------------------------------------------------------

TDBGenericTableInfo::TDBGenericTableInfo() : fields_(this) {}

TDBGenericTableInfo::~TDBGenericTableInfo() = default;

void TDBGenericTableInfo::Assign(const fw::Persistent* source)
{
    auto* other = dynamic_cast<const TDBGenericTableInfo*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    tableName_ = other->tableName_;
    recordKeyName_ = other->recordKeyName_;
    keyField_ = other->keyField_;
    hasHistory_ = other->hasHistory_;
    hasModifyFlag_ = other->hasModifyFlag_;
    historyTable_ = other->historyTable_;
    noLowHistoryBounds_ = other->noLowHistoryBounds_;
    multiKeyFields_.Assign(other->multiKeyFields_);
    useMultiKeys_ = other->useMultiKeys_;
    useRecordKey_ = other->useRecordKey_;
    canDelete_ = other->canDelete_;
    options_ = other->options_;
    alternateTable_ = other->alternateTable_;
    useAlternate_ = other->useAlternate_;
    historyFieldCriteria_.Assign(&other->historyFieldCriteria_);
    fields_.Assign(other->fields_);
}

void TDBGenericTableInfo::SetTableName(const std::string& name)
{
    if (name != tableName_ && !name.empty() && collection_ != nullptr) {
        for (int i = 0; i < collection_->Count(); ++i) {
            const TDBGenericTableInfo* other = collection_->Items(i);
            if (other == this) {
                continue;
            }
            if (fw::SameText(other->tableName_, name)) {
                throw TGenericException("Unable to change name of registered table " + tableName_ + ":\r\n"
                                            + "A table named " + name + " exists already.",
                                        nullptr, std::string(className()), "_setTableName");
            }
            if (fw::SameText(other->alternateTable_, name)) {
                throw TGenericException("Unable to change name of registered table " + tableName_ + " to " + name
                                            + ":\r\n" + "The alternate table of table " + other->tableName_
                                            + " has the same name.",
                                        nullptr, std::string(className()), "_setTableName");
            }
        }
    }
    tableName_ = name;
}

void TDBGenericTableInfo::SetAlternateTable(const std::string& name)
{
    if (name != alternateTable_ && !name.empty() && collection_ != nullptr) {
        for (int i = 0; i < collection_->Count(); ++i) {
            const TDBGenericTableInfo* other = collection_->Items(i);
            if (other == this) {
                continue;
            }
            if (fw::SameText(other->tableName_, name)) {
                throw TGenericException("Unable to change alternate name of registered table " + tableName_ + ":\r\n"
                                            + "A table named " + name + " exists already.",
                                        nullptr, std::string(className()), "_setAlternateTable");
            }
            if (fw::SameText(other->alternateTable_, name)) {
                throw TGenericException("Unable to change alternate name of registered table " + tableName_ + " to "
                                            + name + ":\r\n" + "The alternate table of table " + other->tableName_
                                            + " already uses the name.",
                                        nullptr, std::string(className()), "_setAlternateTable");
            }
        }
    }
    alternateTable_ = name;
}

void TDBGenericTableInfo::SethasHistory(bool on)
{
    hasHistory_ = on;
    if (on && historyTable_.empty()) {
        historyTable_ = "H_" + tableName_;
    }
}

void TDBGenericTableInfo::SetMultiKeyFields(const fw::StringList& fields)
{
    multiKeyFields_.Clear();
    for (const std::string& line : fields) {
        std::string trimmed = fw::Trim(line);
        if (!trimmed.empty()) {
            multiKeyFields_.Add(std::move(trimmed));
        }
    }
}

void TDBGenericTableInfo::SetOptions(TDBGenericTableOptions options)
{
    if (options.Contains(dbgSaveToHistoryOnDelete)) {
        options.Exclude(dbgDeleteHistoryOnErase);
    }
    options_ = options;
}

std::string TDBGenericTableInfo::PrimaryKey() const
{
    if (useMultiKeys_ && !multiKeyFields_.Empty()) {
        std::string joined;
        for (const std::string& key : multiKeyFields_) {
            joined += (joined.empty() ? "" : ", ") + key;
        }
        return joined;
    }
    return keyField_;
}

void TDBGenericTableInfo::SetPrimaryKey(const std::string& keys)
{
    fw::StringList parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = keys.find(',', start);
        parts.Add(keys.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (keys.empty()) {
        parts.Clear();
    }
    if (parts.Count() < 2) {
        useMultiKeys_ = false;
        multiKeyFields_.Clear();
        if (parts.Count() == 1) {
            keyField_ = fw::Trim(parts.Strings(0));
        }
        return;
    }
    useMultiKeys_ = true;
    SetMultiKeyFields(parts);
    useRecordKey_ = false;
}

bool TDBGenericTableInfo::IsKeyField(std::string_view name) const
{
    if (fw::SameText(name, keyField_)) {
        return true;
    }
    if (useMultiKeys_) {
        for (const std::string& key : multiKeyFields_) {
            if (fw::SameText(name, key)) {
                return true;
            }
        }
    }
    return false;
}

TDBGenericTableInfo* TDBGenericTableInfoList::AddItem()
{
    auto* item = new TDBGenericTableInfo;
    Add(item);
    return item;
}

int TDBGenericTableInfoList::Add(fw::Object* item)
{
    if (auto* info = dynamic_cast<TDBGenericTableInfo*>(item)) {
        info->collection_ = this;
    }
    return TEnhancedList::Add(item);
}

TDBGenericTableInfo* TDBGenericTableInfoList::FindTable(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (fw::SameText(Items(i)->TableName(), name)) {
            return Items(i);
        }
    }
    return nullptr;
}

TDBGenericTableInfo* TDBGenericTableInfoList::FindAlternate(std::string_view name) const
{
    if (name.empty()) {
        return nullptr;
    }
    for (int i = 0; i < Count(); ++i) {
        if (fw::SameText(Items(i)->AlternateTable(), name)) {
            return Items(i);
        }
    }
    return nullptr;
}
