#include "database/db_sql_literals.h"

#include <memory>

#include "database/db_field.h"
#include "database/db_generic_info.h"
#include "database/db_variants.h"
#include "framework/core/strings.h"
#include "framework/db/db_field_value.h"

std::string FieldLiteral(const TDBGenericInfo& info, const TDBGenericField& field)
{
    switch (field.DataType()) {
    case dbfString: {
        const std::string text = field.AsString();
        return info.QuoteValue(text.empty() && info.DBType() == dbgDBType_Oracle ? " " : text);
    }
    case dbfDateTime:
        return info.DateTimeToSQL(field.AsDateTime());
    default:
        return field.AsString();
    }
}

std::string VariantLiteral(const TDBGenericInfo& info, const TDBGenericFieldInfo* column, const fw::Variant& value)
{
    if (column != nullptr && column->DataType != dbfUnknown) {
        TDBGenericField field(column->DataType, column);
        field.SetAsVariant(value);
        return FieldLiteral(info, field);
    }
    const auto& held = value.GetValue();
    if (std::holds_alternative<std::int64_t>(held) || std::holds_alternative<double>(held)) {
        return VariantText(value);
    }
    return info.QuoteValue(VariantText(value));
}

bool TextLiteral(const TDBGenericInfo& info, const TDBGenericFieldInfo& column, const std::string& text,
                 std::string& literal)
{
    const std::string trimmed = fw::Trim(text);
    TDBGenericField field(column.DataType, &column);
    switch (column.DataType) {
    case dbfString:
        field.SetAsString(text);
        break;
    case dbfInteger: {
        std::int64_t number = 0;
        if (!fw::TryStrToInt64(trimmed, number)) {
            return false;
        }
        field.SetAsInteger(number);
        break;
    }
    case dbfFloat:
    case dbfCurrency: {
        double number = 0;
        if (!fw::TryStrToFloat(trimmed, number)) {
            return false;
        }
        field.SetAsFloat(number);
        break;
    }
    case dbfBoolean: {
        const std::string upper = fw::UpperCase(trimmed);
        if (upper == "TRUE" || upper == "T" || upper == "1") {
            field.SetAsBoolean(true);
        } else if (upper == "FALSE" || upper == "F" || upper == "0") {
            field.SetAsBoolean(false);
        } else {
            return false;
        }
        break;
    }
    case dbfDateTime: {
        fw::DateTime moment = 0;
        if (!fw::db::TryParseStandardDateTime(trimmed, moment)) {
            return false;
        }
        field.SetAsDateTime(moment);
        break;
    }
    default:
        return false;
    }
    literal = FieldLiteral(info, field);
    return true;
}
