#include <gtest/gtest.h>

#include "framework/core/strings.h"
#include "framework/db/db_field_defs.h"
#include "support/test_databases.h"

using fw::db::FieldDef;
using fw::db::FieldType;

TEST(FieldDefs, TheTableOfTypeNamesRunsFromUnknownToGuid)
{
    EXPECT_EQ(fw::db::FieldTypeNames.size(), 36u);
    EXPECT_EQ(fw::db::FieldTypeName(FieldType::ftUnknown), "ftUnknown");
    EXPECT_EQ(fw::db::FieldTypeName(FieldType::ftAutoInc), "ftAutoInc");
    EXPECT_EQ(fw::db::FieldTypeName(FieldType::ftLargeint), "ftLargeint");
    EXPECT_EQ(fw::db::FieldTypeName(FieldType::ftGuid), "ftGuid");
}

TEST(FieldDefs, SqliteDeclaredTypesGiveTheirColumnTypes)
{
    const auto type = [](std::string_view declared, bool onlyKey = false) {
        return fw::db::SqliteFieldDef("C", declared, false, onlyKey);
    };
    EXPECT_EQ(type("INTEGER", true).DataType, FieldType::ftAutoInc);
    EXPECT_TRUE(type("INTEGER", true).ReadOnly);
    // Only INTEGER itself is the row id; INT as the key stays an integer.
    EXPECT_EQ(type("INT", true).DataType, FieldType::ftInteger);
    EXPECT_EQ(type("integer").DataType, FieldType::ftInteger);
    EXPECT_EQ(type("BIGINT").DataType, FieldType::ftInteger);
    EXPECT_EQ(type("SMALLINT").DataType, FieldType::ftSmallint);
    EXPECT_EQ(type("VARCHAR(40)").DataType, FieldType::ftString);
    EXPECT_EQ(type("VARCHAR(40)").Size, 40);
    EXPECT_EQ(type("CHAR(1)").DataType, FieldType::ftFixedChar);
    EXPECT_EQ(type("TEXT").DataType, FieldType::ftMemo);
    EXPECT_EQ(type("DOUBLE PRECISION").DataType, FieldType::ftFloat);
    EXPECT_EQ(type("REAL").DataType, FieldType::ftFloat);
    EXPECT_EQ(type("BOOLEAN").DataType, FieldType::ftBoolean);
    EXPECT_EQ(type("DATE").DataType, FieldType::ftDate);
    EXPECT_EQ(type("DATETIME").DataType, FieldType::ftDateTime);
    EXPECT_EQ(type("TIMESTAMP").DataType, FieldType::ftDateTime);
    EXPECT_EQ(type("TIME").DataType, FieldType::ftTime);
    EXPECT_EQ(type("NUMERIC(19, 4)").DataType, FieldType::ftCurrency);
    EXPECT_EQ(type("NUMERIC(19, 4)").Precision, 19);
    EXPECT_EQ(type("DECIMAL(10,2)").DataType, FieldType::ftBCD);
    EXPECT_EQ(type("MONEY").DataType, FieldType::ftCurrency);
    EXPECT_EQ(type("BLOB").DataType, FieldType::ftBlob);
    EXPECT_EQ(type("").DataType, FieldType::ftUnknown);
}

class FieldDefsOnEngine : public EngineTest {};

TEST_P(FieldDefsOnEngine, TheCatalogDescribesEveryColumnInItsOrder)
{
    if (IsPostgres()) {
        Db().Execute({"CREATE TABLE Cards (ID SERIAL PRIMARY KEY, Name VARCHAR(40) NOT NULL, Holes SMALLINT, "
                      "Total BIGINT, Notes TEXT, Weight DOUBLE PRECISION, Price NUMERIC(19,4), Woven BOOLEAN, "
                      "Made DATE, Changed TIMESTAMP, Code CHAR(2), Spare BYTEA)"});
    } else {
        Db().Execute({"CREATE TABLE Cards (ID INTEGER PRIMARY KEY, Name VARCHAR(40) NOT NULL, Holes SMALLINT, "
                      "Total BIGINT, Notes TEXT, Weight DOUBLE PRECISION, Price NUMERIC(19,4), Woven BOOLEAN, "
                      "Made DATE, Changed TIMESTAMP, Code CHAR(2), Spare BLOB)"});
    }
    auto connection = Db().Connect();
    const fw::db::FieldDefs defs = connection->ReadFieldDefs("Cards");
    ASSERT_EQ(defs.size(), 12u);
    std::vector<FieldType> types;
    for (const FieldDef& def : defs) {
        types.push_back(def.DataType);
    }
    EXPECT_EQ(types, (std::vector<FieldType>{FieldType::ftAutoInc, FieldType::ftString, FieldType::ftSmallint,
                                             FieldType::ftInteger, FieldType::ftMemo, FieldType::ftFloat,
                                             FieldType::ftCurrency, FieldType::ftBoolean, FieldType::ftDate,
                                             FieldType::ftDateTime, FieldType::ftFixedChar, FieldType::ftBlob}));
    // PostgreSQL folds unquoted names to lower case.
    EXPECT_TRUE(fw::SameText(defs[1].Name, "Name"));
    EXPECT_EQ(defs[1].Size, 40);
    EXPECT_TRUE(defs[1].Required);
    EXPECT_FALSE(defs[2].Required);
    EXPECT_TRUE(defs[0].ReadOnly);
    EXPECT_FALSE(defs[0].Required);
    EXPECT_EQ(defs[6].Precision, 19);
    EXPECT_EQ(defs[6].Size, 4);
    EXPECT_EQ(defs[10].Size, 2);

    EXPECT_TRUE(connection->ReadFieldDefs("NoSuchTable").empty());
    EXPECT_THROW(connection->ReadFieldDefs("Cards; DROP TABLE Cards"), fw::db::EDatabaseError);
}

TEST_P(FieldDefsOnEngine, AnIdentityColumnIsAnAutoIncrementToo)
{
    if (!IsPostgres()) {
        // SQLite has no identity clause; its row id is covered above.
        Db().Execute({"CREATE TABLE Log (LogID INTEGER PRIMARY KEY AUTOINCREMENT, Description VARCHAR(80))"});
    } else {
        Db().Execute({"CREATE TABLE Log (LogID INT GENERATED ALWAYS AS IDENTITY PRIMARY KEY, Description "
                      "VARCHAR(80))"});
    }
    auto connection = Db().Connect();
    const fw::db::FieldDefs defs = connection->ReadFieldDefs("Log");
    ASSERT_EQ(defs.size(), 2u);
    EXPECT_EQ(defs[0].DataType, FieldType::ftAutoInc);
    EXPECT_EQ(defs[1].DataType, FieldType::ftString);
}

TAVELIN_ON_BOTH_ENGINES(FieldDefsOnEngine);
