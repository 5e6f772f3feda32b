#include "framework/db/db_field_defs.h"

#include <charconv>

#include "framework/core/strings.h"

namespace fw::db {

namespace {

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// The numbers in "NAME(a)" or "NAME(a, b)"; -1 for those that are not there.
void TypeArguments(std::string_view type, int& first, int& second)
{
    first = -1;
    second = -1;
    const std::size_t open = type.find('(');
    if (open == std::string_view::npos) {
        return;
    }
    std::string_view rest = type.substr(open + 1);
    const auto readNumber = [&rest](int& value) {
        while (!rest.empty() && rest.front() == ' ') {
            rest.remove_prefix(1);
        }
        const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (result.ec != std::errc()) {
            value = -1;
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(result.ptr - rest.data()));
        while (!rest.empty() && rest.front() == ' ') {
            rest.remove_prefix(1);
        }
    };
    readNumber(first);
    if (!rest.empty() && rest.front() == ',') {
        rest.remove_prefix(1);
        readNumber(second);
    }
}

} // namespace

FieldDef SqliteFieldDef(std::string name, std::string_view declaredType, bool notNull, bool onlyPrimaryKey)
{
    FieldDef def;
    def.Name = std::move(name);
    def.NativeType = std::string(declaredType);
    def.Required = notNull;
    const std::string type = UpperCase(Trim(declaredType));
    int first = -1;
    int second = -1;
    TypeArguments(type, first, second);

    if (type == "INTEGER" && onlyPrimaryKey) {
        def.DataType = FieldType::ftAutoInc;
        def.ReadOnly = true;
        def.Required = false;
    } else if (Contains(type, "SMALLINT")) {
        def.DataType = FieldType::ftSmallint;
    } else if (Contains(type, "INT")) {
        def.DataType = FieldType::ftInteger;
    } else if (Contains(type, "BOOL")) {
        def.DataType = FieldType::ftBoolean;
    } else if (Contains(type, "VARCHAR") || Contains(type, "VARYING")) {
        def.DataType = FieldType::ftString;
        def.Size = first > 0 ? first : 0;
    } else if (Contains(type, "CHAR")) {
        def.DataType = FieldType::ftFixedChar;
        def.Size = first > 0 ? first : 1;
    } else if (Contains(type, "TEXT") || Contains(type, "CLOB")) {
        def.DataType = FieldType::ftMemo;
    } else if (Contains(type, "REAL") || Contains(type, "DOUBLE") || Contains(type, "FLOA")) {
        def.DataType = FieldType::ftFloat;
        def.Precision = 15;
    } else if (Contains(type, "MONEY")) {
        def.DataType = FieldType::ftCurrency;
        def.Precision = 19;
        def.Size = 4;
    } else if (Contains(type, "NUMERIC") || Contains(type, "DECIMAL")) {
        def.DataType = second == 4 ? FieldType::ftCurrency : FieldType::ftBCD;
        def.Precision = first > 0 ? first : 0;
        def.Size = second > 0 ? second : 0;
    } else if (Contains(type, "DATETIME") || Contains(type, "TIMESTAMP")) {
        def.DataType = FieldType::ftDateTime;
    } else if (Contains(type, "DATE")) {
        def.DataType = FieldType::ftDate;
    } else if (Contains(type, "TIME")) {
        def.DataType = FieldType::ftTime;
    } else if (Contains(type, "BLOB")) {
        def.DataType = FieldType::ftBlob;
    }
    return def;
}

FieldDef PostgresFieldDef(std::string name, std::string_view typeName, int typeModifier, bool notNull,
                          bool identity, bool generated, std::string_view defaultExpression)
{
    FieldDef def;
    def.Name = std::move(name);
    def.NativeType = std::string(typeName);
    def.Required = notNull;
    def.ReadOnly = generated;
    const bool serial = defaultExpression.starts_with("nextval(");

    if (typeName == "int2") {
        def.DataType = FieldType::ftSmallint;
    } else if (typeName == "int4" || typeName == "int8") {
        def.DataType = identity || serial ? FieldType::ftAutoInc : FieldType::ftInteger;
    } else if (typeName == "varchar") {
        def.DataType = FieldType::ftString;
        def.Size = typeModifier > 4 ? typeModifier - 4 : 0;
    } else if (typeName == "bpchar") {
        def.DataType = FieldType::ftFixedChar;
        def.Size = typeModifier > 4 ? typeModifier - 4 : 1;
    } else if (typeName == "text") {
        def.DataType = FieldType::ftMemo;
    } else if (typeName == "bool") {
        def.DataType = FieldType::ftBoolean;
    } else if (typeName == "float4" || typeName == "float8") {
        def.DataType = FieldType::ftFloat;
        def.Precision = typeName == "float4" ? 7 : 15;
    } else if (typeName == "money") {
        def.DataType = FieldType::ftCurrency;
        def.Precision = 19;
        def.Size = 2;
    } else if (typeName == "numeric") {
        // The modifier holds (precision << 16 | scale) + 4; -1 for a bare NUMERIC.
        const int packed = typeModifier >= 4 ? typeModifier - 4 : -1;
        def.Precision = packed >= 0 ? (packed >> 16) & 0xFFFF : 0;
        def.Size = packed >= 0 ? packed & 0xFFFF : 0;
        def.DataType = def.Size == 4 ? FieldType::ftCurrency : FieldType::ftBCD;
    } else if (typeName == "date") {
        def.DataType = FieldType::ftDate;
    } else if (typeName == "timestamp" || typeName == "timestamptz") {
        def.DataType = FieldType::ftDateTime;
    } else if (typeName == "time" || typeName == "timetz") {
        def.DataType = FieldType::ftTime;
    } else if (typeName == "bytea") {
        def.DataType = FieldType::ftBlob;
    } else if (typeName == "uuid") {
        def.DataType = FieldType::ftGuid;
    }
    if (def.DataType == FieldType::ftAutoInc) {
        def.ReadOnly = true;
        def.Required = false;
    }
    return def;
}

} // namespace fw::db
