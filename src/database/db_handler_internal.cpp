#include <cmath>

#include "database/db_access_internal.h"
#include "database/db_column_map.h"
#include "database/db_field_val.h"
#include "database/db_generic_info.h"
#include "database/db_sql_literals.h"
#include "database/db_table_info.h"
#include "database/db_variants.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/db/db_query.h"

namespace {

TDBGenericAccessInternal& InternalOwner(TDBGenericAccessBase& record)
{
    if (auto* internal = dynamic_cast<TDBGenericAccessInternal*>(&record)) {
        return *internal;
    }
    const std::string message = "Error in access handler:\r\nOwner class " + std::string(record.className())
        + " is not a descendant of TDBGenericAccessInternal.";
    record.Info().HandleException(message, 55, {}, "_getOwner", &record, {}, nullptr, &record);
    // A handler without its kind of record cannot work at all.
    throw TGenericException(message, nullptr, "TDBGenericHandlerInternal", "_getOwner", 55);
}

// Stores a query or server value into a field by the field's kind.
void StoreCell(TDBGenericField& field, const fw::db::FieldValue& cell)
{
    switch (field.DataType()) {
    case dbfInteger: {
        std::int64_t whole = 0;
        if (!cell.IsNull() && !fw::TryStrToInt64(cell.AsString(), whole)) {
            whole = static_cast<std::int64_t>(std::trunc(cell.AsFloat()));
        }
        field.SetAsInteger(whole);
        break;
    }
    case dbfString:
        field.SetAsString(fw::Trim(cell.AsString()));
        break;
    case dbfFloat: {
        double real = 0;
        if (!fw::TryStrToFloat(fw::Trim(cell.AsString()), real)) {
            real = 0;
        }
        field.SetAsFloat(real);
        break;
    }
    case dbfCurrency:
        field.SetAsCurrency(cell.AsCurrency());
        break;
    case dbfBoolean:
        field.SetAsBoolean(cell.AsBoolean());
        break;
    case dbfDateTime:
        field.SetAsDateTime(cell.AsDateTime());
        break;
    case dbfUnknown:
        break;
    }
}

} // namespace

TDBGenericHandlerInternal::TDBGenericHandlerInternal(TDBGenericAccessBase& record, bool client)
    : TDBGenericAccessHandlerBase(record, client), owner_(InternalOwner(record))
{
}

std::string TDBGenericHandlerInternal::SelectList() const
{
    const TDBGenericFieldList& fields = owner_.Fields();
    if (fields.Count() == 0) {
        return "*";
    }
    std::string columns;
    for (int i = 0; i < fields.Count(); ++i) {
        columns += (i > 0 ? ", " : "") + fields.Items(i)->Name();
    }
    return columns;
}

void TDBGenericHandlerInternal::FieldValues(TDBGFieldValList& values, int mode)
{
    values.Clear();
    TDBGenericInfo& info = Info();
    const TDBGenericTableInfo& table = owner_.TableInfo();
    const TDBGTypeIDEntry* entry = info.TypeRegister().Find(owner_.TypeID());
    const bool historySave = State() == dbhsHistorySave && table.hasModifyFlag();
    const TDBGenericFieldList& fields = owner_.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        TDBGenericField* field = fields.Items(i);
        const std::string name = fw::Trim(field->Name());
        if (name.empty() || field->IsCalculated() || field->DataType() == dbfUnknown) {
            continue;
        }
        if (entry != nullptr && !entry->Columns.empty()) {
            bool listed = false;
            for (const std::string& column : entry->Columns) {
                listed = listed || fw::SameText(column, name);
            }
            if (!listed) {
                continue;
            }
        }
        if (historySave && fw::UpperCase(name) == fw::UpperCase(info.ModifyFlagField())) {
            continue;
        }
        if ((mode & 1) != 0 && table.IsKeyField(name)) {
            continue;
        }
        if ((mode & 2) == 0 && field->ReadOnly()) {
            continue;
        }
        if ((mode & 4) != 0 && !field->ReadOnly()) {
            continue;
        }
        if ((mode & 8) == 0 && !field->Modified()) {
            continue;
        }
        values.Set(name, FieldLiteral(info, *field));
        if (written_ != nullptr) {
            written_->push_back(field);
        }
    }
}

void TDBGenericHandlerInternal::BuildColumnMap(TDBGColumnMap& map, const fw::db::Query& query)
{
    map.Clear();
    const TDBGenericFieldList& fields = owner_.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        int column = -1;
        for (int c = 0; c < query.FieldCount(); ++c) {
            if (fw::SameText(query.Fields(c).FieldName(), fields.Items(i)->Name())) {
                column = c;
                break;
            }
        }
        map.SetColumnOfField(i, column);
        if (column < 0) {
            map.AddUnfedField(i);
        }
    }
    for (int c = 0; c < query.FieldCount(); ++c) {
        const int field = fields.IndexOfName(query.Fields(c).FieldName());
        map.SetFieldOfColumn(c, field);
        if (field < 0) {
            map.AddUnusedColumn(c);
        }
    }
    map.SetBuilt(true);
}

void TDBGenericHandlerInternal::ReadRow(const fw::db::Query& query, bool emptyMissing, TDBGColumnMap* map)
{
    if (map != nullptr && !map->Built()) {
        BuildColumnMap(*map, query);
    }
    TDBGenericInfo& info = Info();
    const TDBGenericTableInfo& table = owner_.TableInfo();
    owner_.SetModifyFlag(false);
    const bool historyLoad = State() == dbhsHistoryLoad || State() == dbhsOuterHistoryLoad;
    const std::string modifyFlag = fw::UpperCase(info.ModifyFlagField());
    const TDBGenericFieldList& fields = owner_.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        TDBGenericField* field = fields.Items(i);
        if (historyLoad && table.hasModifyFlag() && fw::UpperCase(field->Name()) == modifyFlag) {
            continue;
        }
        const fw::db::FieldValue* cell = nullptr;
        if (map != nullptr) {
            const int column = map->ColumnOfField(i);
            cell = column >= 0 ? &query.Fields(column) : nullptr;
        } else {
            cell = query.FindField(field->Name());
        }
        if (cell == nullptr) {
            if (emptyMissing) {
                field->SetAsString("");
            }
        } else {
            StoreCell(*field, *cell);
        }
        field->SetModified(false);
    }
    if (map != nullptr) {
        for (int index = 0; index < map->UnusedColumnCount(); ++index) {
            const fw::db::FieldValue& cell = query.Fields(map->UnusedColumn(index));
            owner_.SetExtraColumn(cell.FieldName(), cell.AsVariant());
        }
    } else {
        for (int c = 0; c < query.FieldCount(); ++c) {
            if (fields.IndexOfName(query.Fields(c).FieldName()) < 0) {
                owner_.SetExtraColumn(query.Fields(c).FieldName(), query.Fields(c).AsVariant());
            }
        }
    }
    std::string start;
    std::string end;
    if (historyLoad) {
        if (const fw::db::FieldValue* cell = query.FindField(HistoryStartColumn())) {
            start = cell->AsString();
        }
        if (const fw::db::FieldValue* cell = query.FindField(HistoryEndColumn())) {
            end = cell->AsString();
        }
    }
    FinishRead(start, end);
}

void TDBGenericHandlerInternal::ReadRemoteRow(const TDBGRemoteRow& row, bool emptyMissing)
{
    const TDBGenericFieldList& fields = owner_.Fields();
    owner_.SetModifyFlag(false);
    for (int i = 0; i < fields.Count(); ++i) {
        TDBGenericField* field = fields.Items(i);
        const fw::Variant* value = row.Find(field->Name());
        if (value == nullptr) {
            if (emptyMissing) {
                field->SetAsString("");
            }
        } else if (field->DataType() != dbfUnknown) {
            field->SetAsVariant(*value);
        }
        field->SetModified(false);
    }
    for (const auto& [name, value] : row.Values) {
        if (fields.IndexOfName(name) < 0) {
            owner_.SetExtraColumn(name, value);
        }
    }
    std::string start;
    std::string end;
    if (State() == dbhsHistoryLoad || State() == dbhsOuterHistoryLoad) {
        if (const fw::Variant* value = row.Find(HistoryStartColumn())) {
            start = VariantText(*value);
        }
        if (const fw::Variant* value = row.Find(HistoryEndColumn())) {
            end = VariantText(*value);
        }
    }
    FinishRead(start, end);
}

void TDBGenericHandlerInternal::FinishRead(const std::string& start, const std::string& end)
{
    owner_.SetHistoryPeriod(start, end);
    const TDBGenericTableInfo& table = owner_.TableInfo();
    if (table.UseRecordKey()) {
        if (const TDBGenericField* key = owner_.FindField(table.KeyField())) {
            owner_.TDBGenericAccessBase::SetKeyValue(static_cast<int>(key->AsInteger()));
        }
    }
}

bool TDBGenericHandlerInternal::TakeKeyFromVariant(const fw::Variant& key)
{
    const TDBGenericTableInfo& table = owner_.TableInfo();
    if (table.UseMultiKeys()) {
        const fw::StringList& columns = table.MultiKeyFields();
        if (key.IsArray() && static_cast<int>(key.Elements().size()) == columns.Count()) {
            for (int i = 0; i < columns.Count(); ++i) {
                const fw::Variant& element = key.Elements()[static_cast<std::size_t>(i)];
                TDBGenericField* field = owner_.FindField(columns.Strings(i));
                if (field != nullptr && !element.IsNull() && !element.IsEmpty()) {
                    field->SetAsVariant(element);
                }
            }
        }
        return owner_.HasKey();
    }
    if (!table.UseRecordKey()) {
        const fw::Variant& element =
            key.IsArray() ? (key.Elements().size() == 1 ? key.Elements().front() : fw::Variant::Null()) : key;
        TDBGenericField* field = owner_.FindField(table.PrimaryKey());
        if (field != nullptr && !element.IsNull() && !element.IsEmpty()) {
            field->SetAsVariant(element);
        }
        return owner_.HasKey();
    }
    return TDBGenericAccessHandlerBase::TakeKeyFromVariant(key);
}

bool TDBGenericHandlerInternal::SaveWithQueryS(TDBGQueryRef& query, bool commit)
{
    std::vector<TDBGenericField*> written;
    written_ = &written;
    bool saved = false;
    try {
        saved = TDBGenericAccessHandlerBase::SaveWithQueryS(query, commit);
    } catch (...) {
        written_ = nullptr;
        throw;
    }
    written_ = nullptr;
    // Only a save that went through forgets what was changed: after a failure the changes
    // are still to be written.
    if (saved) {
        for (TDBGenericField* field : written) {
            field->SetModified(false);
        }
    }
    return saved;
}

bool TDBGenericHandlerInternal::SaveC()
{
    const bool saved = TDBGenericAccessHandlerBase::SaveC();
    if (saved) {
        const TDBGenericFieldList& fields = owner_.Fields();
        for (int i = 0; i < fields.Count(); ++i) {
            fields.Items(i)->SetModified(false);
        }
    }
    return saved;
}

bool TDBGenericHandlerInternal::UpdateFieldsS()
{
    const bool updated = TDBGenericAccessHandlerBase::UpdateFieldsS();
    if (updated) {
        for (const std::string& name : columnNames_) {
            if (TDBGenericField* field = owner_.FindField(name)) {
                field->SetModified(false);
            }
        }
    }
    return updated;
}
