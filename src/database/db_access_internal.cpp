#include "database/db_access_internal.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "database/db_generic_info.h"
#include "database/db_session_pool.h"
#include "database/db_sql_literals.h"
#include "database/db_table_info.h"
#include "database/db_variants.h"
#include "foundation/enhanced_list.h"
#include "foundation/generic_exception.h"
#include "foundation/string_utils.h"
#include "framework/core/strings.h"

namespace {

bool WritableVariant(fw::VarTypeCode type)
{
    switch (type) {
    case fw::varNull:
    case fw::varSmallint:
    case fw::varInteger:
    case fw::varByte:
    case fw::varSingle:
    case fw::varDouble:
    case fw::varCurrency:
    case fw::varDate:
    case fw::varBoolean:
    case fw::varOleStr:
    case fw::varString:
        return true;
    default:
        return false;
    }
}

// Whether the variant differs from the field's value, compared as the variant's type says.
bool VariantDiffers(const TDBGenericField& field, const fw::Variant& value)
{
    switch (value.VarType()) {
    case fw::varNull:
        return !field.AsVariant().IsNull();
    case fw::varSmallint:
    case fw::varInteger:
    case fw::varByte:
    case fw::varSingle:
    case fw::varDouble:
        return VariantReal(value) != field.AsFloat();
    case fw::varCurrency:
        return std::llround(VariantReal(value) * 10000.0) != field.AsCurrency();
    case fw::varDate:
        return VariantReal(value) != field.AsDateTime();
    case fw::varBoolean:
        return (VariantReal(value) != 0) != field.AsBoolean();
    default:
        return VariantText(value) != field.AsString();
    }
}

} // namespace

// --- Construction and fields ------------------------------------------------------------------

TDBGenericAccessInternal::TDBGenericAccessInternal(int typeID, TDBGSessionRef& session, bool client)
    : TDBGenericAccessInternal(typeID, session, client, "TDBGenericAccessInternal")
{
}

TDBGenericAccessInternal::TDBGenericAccessInternal(int typeID, TDBGSessionRef& session, bool client,
                                                   std::string_view className)
    : TDBGenericAccessBase(typeID, session, client, className)
{
    Construct();
}

void TDBGenericAccessInternal::Construct()
{
    ReadFields({std::string()});
    partial_ = false;
    // The key column holds the record's "no key" from the start, so that a new record is
    // blank; nothing counts as changed yet.
    SetKeyValue(-1);
    SetModifyFlag(false);
    for (int i = 0; i < fields_.Count(); ++i) {
        fields_.Items(i)->SetModified(false);
    }
}

TDBGenericAccessInternal::~TDBGenericAccessInternal() = default;

std::unique_ptr<TDBGenericAccessHandlerBase> TDBGenericAccessInternal::NewHandler()
{
    return std::make_unique<TDBGenericHandlerInternal>(*this, IsClient());
}

TDBGenericFieldList* TDBGenericAccessInternal::ExtraFields() const
{
    return extra_ && extra_->Count() > 0 ? extra_.get() : nullptr;
}

void TDBGenericAccessInternal::SetHistoryPeriod(std::string start, std::string end)
{
    periodStart_ = std::move(start);
    periodEnd_ = std::move(end);
}

void TDBGenericAccessInternal::ReadFields(const std::vector<std::string>& names)
{
    fields_.Clear();
    const TDBGenericTableInfo& table = TableInfo();
    const TDBGenericFieldInfoList& columns = table.Fields();
    const bool every = names.size() == 1 && names.front().empty();
    const auto add = [&](const TDBGenericFieldInfo& column) {
        try {
            std::unique_ptr<TDBGenericField> field(column.CreateField());
            field->SetAsString("");
            field->SetModified(false);
            fields_.Add(field.release());
            return true;
        } catch (const std::exception& error) {
            fields_.Clear();
            Info().HandleException("Unable to allocate field memory.\r\nTable = " + table.TableName() + "\r\n"
                                       + "Field = " + column.FieldName,
                                   50, {}, "ReadFields", this, {}, &error, this);
            return false;
        }
    };
    if (every) {
        for (int i = 0; i < columns.Count(); ++i) {
            if (!add(*columns.Items(i))) {
                return;
            }
        }
        return;
    }
    for (const std::string& name : names) {
        if (const TDBGenericFieldInfo* column = columns.FindName(name)) {
            add(*column);
        }
    }
}

TDBGenericField* TDBGenericAccessInternal::FindField(std::string_view name) const
{
    if (TDBGenericField* field = fields_.FieldByName(name)) {
        return field;
    }
    if (const TDBGenericFieldList* extra = ExtraFields()) {
        return extra->FieldByName(name);
    }
    return nullptr;
}

TDBGenericField* TDBGenericAccessInternal::FieldByName(std::string_view name)
{
    TDBGenericField* field = FindField(name);
    if (field == nullptr && HasFlag(dbrfReportMissingColumn) && !partial_) {
        Info().HandleException("Field <" + std::string(name) + "> not found in table " + TableName() + ".\r\n"
                                   + KeyDescription(),
                               90, {}, "_getFieldByName", this, {}, nullptr, this);
    }
    return field;
}

std::string TDBGenericAccessInternal::ColumnName(int index) const
{
    const TDBGenericField* field = fields_.Field(index);
    return field != nullptr ? field->Name() : std::string();
}

bool TDBGenericAccessInternal::CanSetField(TDBGenericField& field, const fw::Variant&)
{
    if (!IsReadOnly()) {
        return true;
    }
    const TDBGHandlerState state = Handler().State();
    if (state == dbhsCompoundLoad || state == dbhsLoadCurrent || state == dbhsHistoryLoad) {
        return true;
    }
    if (HasFlag(dbrfStrict)) {
        Info().HandleException("Attempt to set field <" + field.Name() + "> in table " + TableName() + ".\r\n"
                                   + KeyDescription(),
                               29, {}, "CanSetField", this, {}, nullptr, this);
    }
    return false;
}

void TDBGenericAccessInternal::FieldChanged(TDBGenericField&) {}

void TDBGenericAccessInternal::SetExtraColumn(const std::string&, const fw::Variant&) {}

void TDBGenericAccessInternal::FillItemInfo(const std::string& column, TBaseItemInfo& item)
{
    item.Number = KeyValue();
    item.Text = DisplayText();
    item.Description = AsText(column);
}

void TDBGenericAccessInternal::AssignTo(fw::Persistent& destination) const
{
    destination.Assign(this);
}

// --- Reading and writing columns ----------------------------------------------------------------

std::string TDBGenericAccessInternal::AsText(std::string_view name) const
{
    const TDBGenericField* field = FindField(name);
    return field != nullptr ? field->AsString() : std::string();
}

std::int64_t TDBGenericAccessInternal::AsInteger(std::string_view name) const
{
    const TDBGenericField* field = FindField(name);
    return field != nullptr ? field->AsInteger() : 0;
}

bool TDBGenericAccessInternal::AsBoolean(std::string_view name) const
{
    const TDBGenericField* field = FindField(name);
    return field != nullptr && field->AsBoolean();
}

fw::Variant TDBGenericAccessInternal::AsVariant(std::string_view name) const
{
    const TDBGenericField* field = FindField(name);
    return field != nullptr ? field->AsVariant() : fw::Variant(0);
}

template <class Store>
TDBGenericField* TDBGenericAccessInternal::Write(std::string_view name, const fw::Variant& value, Store store)
{
    TDBGenericField* field = FieldByName(name);
    if (field == nullptr || !CanSetField(*field, value)) {
        return nullptr;
    }
    if (!GetModifyFlag()) {
        SetModifyFlag(store(*field, true));
    }
    store(*field, false);
    FieldChanged(*field);
    return field;
}

void TDBGenericAccessInternal::SetText(std::string_view name, std::string_view value)
{
    Write(name, fw::Variant(std::string(value)), [value](TDBGenericField& field, bool compareOnly) {
        if (compareOnly) {
            return field.AsString() != value;
        }
        field.SetAsString(value);
        return true;
    });
}

void TDBGenericAccessInternal::SetInteger(std::string_view name, std::int64_t value)
{
    TDBGenericField* written =
        Write(name, fw::Variant(fw::varInteger, value), [value](TDBGenericField& field, bool compareOnly) {
            if (compareOnly) {
                return field.AsInteger() != value;
            }
            field.SetAsInteger(value);
            return true;
        });
    if (written != nullptr && TableInfo().UseRecordKey() && fw::SameText(written->Name(), TableInfo().KeyField())) {
        TDBGenericAccessBase::SetKeyValue(static_cast<int>(value));
    }
}

void TDBGenericAccessInternal::SetVariant(std::string_view name, const fw::Variant& value)
{
    if (!WritableVariant(value.VarType())) {
        throw TGenericException("Unable to convert variant to field data.\r\nTypeID = " + fw::IntToStr(TypeID())
                                    + "\r\n" + KeyDescription() + "\r\n" + "Field = " + std::string(name) + "\r\n"
                                    + "Variant Type = " + VarTypeName(value),
                                nullptr, fw::SenderName(this), "_setAsVariant");
    }
    Write(name, value, [&value](TDBGenericField& field, bool compareOnly) {
        if (compareOnly) {
            return VariantDiffers(field, value);
        }
        field.SetAsVariant(value);
        return true;
    });
}

std::string TDBGenericAccessInternal::ColumnLiteral(std::string_view name) const
{
    const TDBGenericField* field = FindField(name);
    return field != nullptr ? FieldLiteral(Info(), *field) : std::string();
}

fw::Variant TDBGenericAccessInternal::ColumnVariant(std::string_view name) const
{
    const TDBGenericField* field = FindField(name);
    return field != nullptr ? field->AsVariant() : fw::Variant::Null();
}

bool TDBGenericAccessInternal::HasColumn(std::string_view name) const
{
    return FindField(name) != nullptr;
}

// --- Keys ------------------------------------------------------------------------------------

bool TDBGenericAccessInternal::KeyValueValid(const TDBGenericField& field) const
{
    const TDBGenericTableOptions options = TableInfo().Options();
    switch (field.DataType()) {
    case dbfInteger:
    case dbfFloat:
        return options.Contains(dbgAllowZeroKey) || field.AsInteger() != 0;
    case dbfString:
        return !options.Contains(dbgForbidEmptyCharKey) || !fw::Trim(field.AsString()).empty();
    default:
        return true;
    }
}

bool TDBGenericAccessInternal::HasKey() const
{
    const TDBGenericTableInfo& table = TableInfo();
    if (table.UseMultiKeys()) {
        for (const std::string& column : table.MultiKeyFields()) {
            const TDBGenericField* field = FindField(column);
            if (field == nullptr || !KeyValueValid(*field)) {
                return false;
            }
        }
        return true;
    }
    if (!table.UseRecordKey()) {
        if (table.PrimaryKey().empty()) {
            throw TGenericException("No primary key has been specified for table <" + table.TableName() + ">.",
                                    nullptr, fw::SenderName(this), "_getHasKey");
        }
        const TDBGenericField* field = FindField(table.PrimaryKey());
        return field != nullptr && KeyValueValid(*field);
    }
    return TDBGenericAccessBase::HasKey();
}

std::string TDBGenericAccessInternal::KeyText() const
{
    const TDBGenericTableInfo& table = TableInfo();
    if (table.UseRecordKey() && !table.UseMultiKeys()) {
        return TDBGenericAccessBase::KeyText();
    }
    std::string text;
    const fw::Variant key = KeyAsVariant();
    for (std::size_t i = 0; i < key.Elements().size(); ++i) {
        text += (i > 0 ? "," : "") + VariantText(key.Elements()[i]);
    }
    return text;
}

std::string TDBGenericAccessInternal::KeyDescription() const
{
    TDBGenericAccessHandlerBase& handler = const_cast<TDBGenericAccessInternal*>(this)->Handler();
    if (!handler.EnterDescription()) {
        handler.LeaveDescription();
        return {};
    }
    std::string text;
    const TDBGenericTableInfo& table = TableInfo();
    if (table.UseRecordKey() && !table.UseMultiKeys()) {
        text = table.KeyField() + " = " + fw::IntToStr(KeyValue());
    } else {
        std::vector<std::string> columns;
        if (table.UseMultiKeys()) {
            columns.assign(table.MultiKeyFields().begin(), table.MultiKeyFields().end());
        } else {
            columns.push_back(table.PrimaryKey());
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const TDBGenericField* field = FindField(columns[i]);
            text += (i > 0 ? "\r\n" : "") + columns[i] + " = "
                + (field != nullptr ? field->AsString() : std::string("<Unknown Field>"));
        }
    }
    handler.LeaveDescription();
    return text;
}

void TDBGenericAccessInternal::SetKeyValue(int key)
{
    TDBGenericAccessBase::SetKeyValue(key);
    const TDBGenericTableInfo& table = TableInfo();
    if (table.UseRecordKey()) {
        if (TDBGenericField* field = FindField(table.KeyField())) {
            field->SetAsInteger(key);
        }
    }
}

void TDBGenericAccessInternal::ResetKeyFields()
{
    const TDBGenericTableInfo& table = TableInfo();
    for (int i = 0; i < fields_.Count(); ++i) {
        TDBGenericField* field = fields_.Items(i);
        if (table.IsKeyField(field->Name()) && !(table.UseRecordKey() && fw::SameText(field->Name(), table.KeyField()))) {
            field->SetAsString("");
        }
    }
}

// --- State -----------------------------------------------------------------------------------

bool TDBGenericAccessInternal::IsBlank() const
{
    const TDBGenericTableInfo& table = TableInfo();
    const TDBGenericInfo& info = Info();
    for (int i = 0; i < fields_.Count(); ++i) {
        const TDBGenericField* field = fields_.Items(i);
        const std::string name = field->Name();
        if (table.UseRecordKey() && fw::SameText(name, table.KeyField())) {
            if (field->AsInteger() != -1) {
                return false;
            }
            continue;
        }
        if ((table.hasModifyFlag() && fw::SameText(name, info.ModifyFlagField()))
            || (table.CanDelete() && fw::SameText(name, info.DeleteFlagField()))) {
            continue;
        }
        if (field->DataType() == dbfString && !field->AsString().empty()) {
            return false;
        }
    }
    return true;
}

bool TDBGenericAccessInternal::GetModifyFlag() const
{
    if (!TableInfo().hasModifyFlag() || IsReadOnly()) {
        return false;
    }
    const TDBGenericField* field = FindField(ModifyFlagFieldName());
    return field != nullptr && field->AsBoolean();
}

void TDBGenericAccessInternal::SetModifyFlag(bool flag)
{
    if (!TableInfo().hasModifyFlag()) {
        return;
    }
    if (TDBGenericField* field = FindField(ModifyFlagFieldName())) {
        field->SetAsBoolean(flag);
    }
}

bool TDBGenericAccessInternal::IsModified() const
{
    return fields_.IsModified() || TDBGenericAccessBase::IsModified();
}

bool TDBGenericAccessInternal::IsDeleted() const
{
    const std::string deleted = DeleteDate();
    if (deleted.empty()) {
        return false;
    }
    const std::string& date = const_cast<TDBGenericAccessInternal*>(this)->Handler().LoadedDate();
    return date.empty() || date > deleted;
}

std::string TDBGenericAccessInternal::DeleteDate() const
{
    return TableInfo().CanDelete() ? AsText(Info().DeleteFlagField()) : std::string();
}

void TDBGenericAccessInternal::SetDeleteDate(const std::string& date)
{
    if (TableInfo().CanDelete()) {
        SetText(Info().DeleteFlagField(), date);
    }
}

void TDBGenericAccessInternal::SetReadOnly(bool readOnly)
{
    if (partial_ && !readOnly) {
        return;
    }
    TDBGenericAccessBase::SetReadOnly(readOnly);
}

bool TDBGenericAccessInternal::Differs(const TDBGenericAccessBase& other) const
{
    if (TDBGenericAccessBase::Differs(other)) {
        return true;
    }
    const auto* record = dynamic_cast<const TDBGenericAccessInternal*>(&other);
    if (record == nullptr) {
        return false;
    }
    if (record->fields_.Count() != fields_.Count()) {
        return true;
    }
    for (int i = 0; i < fields_.Count(); ++i) {
        const TDBGenericField* mine = fields_.Items(i);
        const TDBGenericField* theirs = record->fields_.Items(i);
        if (mine->DataType() != theirs->DataType() || mine->AsString() != theirs->AsString()) {
            return true;
        }
    }
    return false;
}

void TDBGenericAccessInternal::Clear(bool all)
{
    TDBGenericAccessBase::Clear(all);
    if (fields_.Count() == 0) {
        TDBGenericAccessBase::SetKeyValue(-1);
        return;
    }
    const TDBGenericTableInfo& table = TableInfo();
    for (int i = 0; i < fields_.Count(); ++i) {
        TDBGenericField* field = fields_.Items(i);
        if (!all && table.IsKeyField(field->Name())) {
            continue;
        }
        field->SetAsString("");
    }
    if (all) {
        SetKeyValue(-1);
    }
    SetModifyFlag(true);
}

void TDBGenericAccessInternal::CopyValues(const TDBGenericAccessBase& source, bool withKey)
{
    const auto* record = dynamic_cast<const TDBGenericAccessInternal*>(&source);
    if (record == nullptr) {
        Info().HandleException("Unable to copy values from a " + std::string(source.className()) + " to a "
                                   + std::string(className()) + " instance.",
                               64, {}, "CopyValues", this, {}, nullptr, this);
        return;
    }
    TDBGenericAccessBase::CopyValues(source, withKey);
    const TDBGenericTableInfo& table = record->TableInfo();
    for (int i = 0; i < record->fields_.Count(); ++i) {
        const TDBGenericField* field = record->fields_.Items(i);
        if (!withKey && table.IsKeyField(field->Name())) {
            continue;
        }
        SetVariant(field->Name(), field->AsVariant());
    }
    const TDBGenericFieldList* theirs = record->ExtraFields();
    const TDBGenericFieldList* mine = ExtraFields();
    if (theirs != nullptr && mine != nullptr) {
        for (int i = 0; i < theirs->Count(); ++i) {
            const TDBGenericField* field = theirs->Items(i);
            if (mine->FieldByName(field->Name()) != nullptr) {
                SetVariant(field->Name(), field->AsVariant());
            }
        }
    }
    SetModifyFlag(true);
}

void TDBGenericAccessInternal::CopyRecord(const TDBGenericAccessBase& source)
{
    TDBGenericAccessBase::CopyRecord(source);
    if (const auto* record = dynamic_cast<const TDBGenericAccessInternal*>(&source)) {
        partial_ = record->partial_;
        periodStart_ = record->periodStart_;
        periodEnd_ = record->periodEnd_;
    }
}

std::string TDBGenericAccessInternal::FieldValuesText() const
{
    std::string text;
    for (int i = 0; i < fields_.Count(); ++i) {
        const TDBGenericField* field = fields_.Items(i);
        text += field->Name() + " = " + field->AsString() + "\r\n";
    }
    return text;
}

void TDBGenericAccessInternal::MarkAllModified()
{
    for (int i = 0; i < fields_.Count(); ++i) {
        fields_.Items(i)->SetModified(true);
    }
}

std::vector<int> TDBGenericAccessInternal::ModifiedMarks() const
{
    std::vector<int> marks;
    for (int i = 0; i < fields_.Count(); ++i) {
        marks.push_back(fields_.Items(i)->Modified() ? 1 : 0);
    }
    return marks;
}

void TDBGenericAccessInternal::RestoreModifiedMarks(const std::vector<int>& marks)
{
    for (int i = 0; i < fields_.Count() && i < static_cast<int>(marks.size()); ++i) {
        fields_.Items(i)->SetModified(marks[static_cast<std::size_t>(i)] != 0);
    }
}

TDBGRecordState TDBGenericAccessInternal::KeptState()
{
    const auto copies = [](const TDBGenericFieldList* list) {
        auto kept = std::make_shared<std::vector<std::unique_ptr<TDBGenericField>>>();
        for (int i = 0; list != nullptr && i < list->Count(); ++i) {
            auto copy = std::make_unique<TDBGenericField>();
            copy->Assign(list->Items(i));
            kept->push_back(std::move(copy));
        }
        return kept;
    };
    // Assigned back, without telling anyone of a change: the record is as it was.
    const auto putBack = [](TDBGenericFieldList* list, const std::vector<std::unique_ptr<TDBGenericField>>& kept) {
        for (int i = 0; list != nullptr && i < list->Count() && i < static_cast<int>(kept.size()); ++i) {
            list->Items(i)->Assign(kept[static_cast<std::size_t>(i)].get());
        }
    };
    return TDBGRecordState([this, base = TDBGenericAccessBase::KeptState(), fields = copies(&fields_),
                            extra = copies(extra_.get()), start = periodStart_, end = periodEnd_, putBack] {
        base.PutBack();
        putBack(&fields_, *fields);
        putBack(extra_.get(), *extra);
        periodStart_ = start;
        periodEnd_ = end;
    });
}

// --- Variant transfers ----------------------------------------------------------------------------

fw::Variant TDBGenericAccessInternal::GetData() const
{
    std::vector<fw::Variant> data;
    data.reserve(static_cast<std::size_t>(fields_.Count()) * 2);
    for (int i = 0; i < fields_.Count(); ++i) {
        const TDBGenericField* field = fields_.Items(i);
        switch (field->DataType()) {
        case dbfInteger:
            data.emplace_back(static_cast<double>(field->AsInteger()));
            break;
        case dbfString:
        case dbfUnknown:
            data.emplace_back(field->AsString());
            break;
        default:
            data.push_back(field->AsVariant());
            break;
        }
        data.emplace_back(field->Flags());
    }
    return fw::Variant::Array(std::move(data));
}

void TDBGenericAccessInternal::SetData(const fw::Variant& data)
{
    if (IsReadOnly()) {
        if (HasFlag(dbrfStrict)) {
            Info().HandleException("Attempt to set a ReadOnly record in table " + TableName() + ".\r\n"
                                       + KeyDescription(),
                                   29, {}, "SetData", this, {}, nullptr, this);
        }
        return;
    }
    if (!data.IsArray() || data.HighBound() != fields_.Count() * 2 - 1) {
        return;
    }
    const std::vector<fw::Variant>& values = data.Elements();
    for (int i = 0; i < fields_.Count(); ++i) {
        TDBGenericField* field = fields_.Items(i);
        const fw::Variant& value = values[static_cast<std::size_t>(i) * 2];
        switch (field->DataType()) {
        case dbfInteger:
            field->SetAsInteger(VariantInteger(value));
            break;
        case dbfString:
        case dbfUnknown:
            field->SetAsString(VariantText(value));
            break;
        case dbfFloat:
            field->SetAsFloat(VariantReal(value));
            break;
        case dbfCurrency:
            field->SetAsCurrency(std::llround(VariantReal(value) * 10000.0));
            break;
        case dbfBoolean:
            field->SetAsBoolean(VariantReal(value) != 0 || fw::SameText(VariantText(value), "True"));
            break;
        case dbfDateTime:
            field->SetAsDateTime(VariantReal(value));
            break;
        }
        field->SetFlags(static_cast<int>(VariantInteger(values[static_cast<std::size_t>(i) * 2 + 1])));
        if (!GetModifyFlag()) {
            SetModifyFlag(field->Modified());
        }
    }
    const TDBGenericTableInfo& table = TableInfo();
    if (table.UseRecordKey()) {
        if (const TDBGenericField* key = FindField(table.KeyField())) {
            TDBGenericAccessBase::SetKeyValue(static_cast<int>(key->AsInteger()));
        }
    }
}

fw::Variant TDBGenericAccessInternal::GetFieldData(const std::string& names) const
{
    std::vector<fw::Variant> data;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t comma = names.find(',', start);
        const std::string name =
            fw::Trim(std::string_view(names).substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (name.empty()) {
            break;
        }
        const TDBGenericField* field = FindField(name);
        data.emplace_back(name);
        data.push_back(field != nullptr ? field->AsVariant() : fw::Variant::Null());
        data.emplace_back(field != nullptr ? field->Flags() : 0);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (data.empty()) {
        return fw::Variant(1);
    }
    return fw::Variant::Array(std::move(data));
}

void TDBGenericAccessInternal::SetFieldData(const fw::Variant& data)
{
    if (!data.IsArray()) {
        return;
    }
    const std::vector<fw::Variant>& values = data.Elements();
    for (std::size_t i = 0; i + 2 < values.size(); i += 3) {
        const std::string name = VariantText(values[i]);
        SetVariant(name, values[i + 1]);
        if (TDBGenericField* field = FindField(name)) {
            field->SetFlags(static_cast<int>(VariantInteger(values[i + 2])));
        }
    }
}
