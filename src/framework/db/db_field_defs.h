#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace fw::db {

// The column types of the database engine interface, in its traditional order.
enum class FieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate, ftTime,
    ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle,
    ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT, ftArray, ftReference, ftDataSet,
    ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid
};

inline constexpr std::array<std::string_view, 36> FieldTypeNames{
    "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat", "ftCurrency", "ftBCD",
    "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic",
    "ftFmtMemo", "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString",
    "ftLargeint", "ftADT", "ftArray", "ftReference", "ftDataSet", "ftOraBlob", "ftOraClob", "ftVariant",
    "ftInterface", "ftIDispatch", "ftGuid"};

inline std::string_view FieldTypeName(FieldType type)
{
    return FieldTypeNames[static_cast<std::size_t>(type)];
}

// One column of a table as the engine's catalog describes it.
struct FieldDef {
    std::string Name;
    FieldType DataType = FieldType::ftUnknown;
    // Digits of a NUMERIC column, 15 for double precision; 0 where it means nothing.
    int Precision = 0;
    // Characters of a VARCHAR or CHAR column, decimals of a NUMERIC column; else 0.
    int Size = 0;
    // NOT NULL (an auto-increment column never is required: the engine fills it).
    bool Required = false;
    // The engine makes the value: auto-increment and generated columns.
    bool ReadOnly = false;
    // The engine's own name of the type ("varchar", "NUMERIC(19,4)"), for messages.
    std::string NativeType;

    bool AutoIncrement() const { return DataType == FieldType::ftAutoInc; }
};

using FieldDefs = std::vector<FieldDef>;

// The column of a SQLite declared type: INTEGER on the only primary-key column is the row
// id (ftAutoInc); INT → ftInteger (SMALLINT → ftSmallint); VARCHAR(n) → ftString of n;
// CHAR(n) → ftFixedChar; TEXT and CLOB → ftMemo; REAL, DOUBLE, FLOAT → ftFloat; BOOLEAN →
// ftBoolean; DATE → ftDate; DATETIME, TIMESTAMP → ftDateTime; TIME → ftTime; MONEY and
// NUMERIC or DECIMAL with four decimals → ftCurrency, other NUMERIC → ftBCD; BLOB → ftBlob.
FieldDef SqliteFieldDef(std::string name, std::string_view declaredType, bool notNull, bool onlyPrimaryKey);

// The column of a PostgreSQL type (pg_type.typname and pg_attribute.atttypmod): int2 →
// ftSmallint; int4 and int8 → ftInteger, or ftAutoInc for an identity or a serial column;
// varchar → ftString, bpchar → ftFixedChar, text → ftMemo; bool; float4/float8 → ftFloat;
// money and numeric(p,4) → ftCurrency, other numeric → ftBCD; date; timestamp(tz) →
// ftDateTime; time → ftTime; bytea → ftBlob; uuid → ftGuid; anything else ftUnknown.
FieldDef PostgresFieldDef(std::string name, std::string_view typeName, int typeModifier, bool notNull,
                          bool identity, bool generated, std::string_view defaultExpression);

} // namespace fw::db
