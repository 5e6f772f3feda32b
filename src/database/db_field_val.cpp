#include "database/db_field_val.h"

#include "database/db_field.h"
#include "framework/core/strings.h"
#include "framework/db/db_field_value.h"

void TDBGFieldVal::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TDBGFieldVal*>(source)) {
        FieldName = other->FieldName;
        Value = other->Value;
        return;
    }
    if (auto* field = dynamic_cast<const TDBGenericField*>(source)) {
        FieldName = field->Name();
        Value = field->AsString();
        return;
    }
    fw::Persistent::Assign(source);
}

void TDBGFieldVal::Assign(const fw::db::FieldValue& column)
{
    FieldName = column.FieldName();
    Value = column.AsString();
}

TDBGFieldVal* TDBGFieldValList::FindName(std::string_view name) const
{
    for (int i = Count() - 1; i >= 0; --i) {
        if (fw::SameText(Items(i)->FieldName, name)) {
            return Items(i);
        }
    }
    return nullptr;
}

void TDBGFieldValList::Set(std::string_view name, std::string value)
{
    if (fw::Trim(name).empty()) {
        return;
    }
    TDBGFieldVal* item = FindName(name);
    if (item == nullptr) {
        item = new TDBGFieldVal;
        item->FieldName = std::string(name);
        Add(item);
    }
    item->Value = std::move(value);
}

std::string TDBGFieldValList::Names() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += (i > 0 ? ", " : "") + Items(i)->FieldName;
    }
    return text;
}

std::string TDBGFieldValList::Values() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += (i > 0 ? ", " : "") + Items(i)->Value;
    }
    return text;
}

std::string TDBGFieldValList::Assignments() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += (i > 0 ? ", " : "") + Items(i)->FieldName + " = " + Items(i)->Value;
    }
    return text;
}
