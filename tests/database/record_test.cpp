#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_access_internal.h"
#include "database/db_column_map.h"
#include "database/db_field_val.h"
#include "database/db_generic_info.h"
#include "database/db_session_pool.h"
#include "database/db_table_info.h"
#include "database_test_support.h"

// Field-list records on table information made by hand: no database is reached.

namespace {

struct Column {
    std::string Name;
    TDBGenericFieldType Type;
    std::uint16_t Size = 0;
};

class FieldRecordTest : public testing::Test {
protected:
    FieldRecordTest()
    {
        looms = AddTable(1, "Looms", "ID",
                         {{"ID", dbfInteger}, {"Name", dbfString, 10}, {"Qty", dbfInteger}, {"Width", dbfFloat},
                          {"ModifyFlag", dbfString, 1}, {"DeleteDate", dbfString, 8}});
        looms->SethasModifyFlag(true);
        looms->SetCanDelete(true);
        threads = AddTable(3, "Threads", "LoomID, Hole", {{"LoomID", dbfInteger}, {"Hole", dbfString, 4}});
    }

    TDBGenericTableInfo* AddTable(int typeID, const std::string& name, const std::string& key,
                                  const std::vector<Column>& columns)
    {
        TDBGenericTableInfo* table = info.TableList().AddItem();
        table->SetTableName(name);
        table->SetPrimaryKey(key);
        for (const Column& column : columns) {
            TDBGenericFieldInfo* field = table->Fields().AddItem();
            field->FieldName = column.Name;
            field->DataType = column.Type;
            field->Size = column.Size;
        }
        TDBGTypeIDEntry entry;
        entry.TypeID = typeID;
        entry.TableName = name;
        info.TypeRegister().Add(std::move(entry));
        return table;
    }
    std::unique_ptr<TDBGenericAccessInternal> Loom()
    {
        return std::make_unique<TDBGenericAccessInternal>(1, info.DefaultSession(), false);
    }
    std::unique_ptr<TDBGenericAccessInternal> Thread()
    {
        return std::make_unique<TDBGenericAccessInternal>(3, info.DefaultSession(), false);
    }
    // The host's handler records every report and lets the operation go on.
    void CollectReports()
    {
        info.OnHandleException = [this](const std::string& message, int code, fw::Object*, const std::exception*,
                                        const std::string&, const fw::Object*, const std::string& method,
                                        const std::string&) {
            reports.push_back(method + " " + std::to_string(code) + ": " + message);
            return 0;
        };
    }

    TDBGenericInfo info;
    TDBGenericTableInfo* looms = nullptr;
    TDBGenericTableInfo* threads = nullptr;
    std::vector<std::string> reports;
};

} // namespace

TEST_F(FieldRecordTest, ARecordStartsWithItsTablesColumnsEmptyAndUnchanged)
{
    auto loom = Loom();
    ASSERT_EQ(loom->Fields().Count(), 6);
    EXPECT_EQ(loom->ColumnName(1), "Name");
    EXPECT_EQ(loom->ColumnName(9), "");
    EXPECT_FALSE(loom->IsModified());
    EXPECT_EQ(loom->KeyValue(), -1);
    EXPECT_TRUE(loom->IsBlank());
    EXPECT_TRUE(loom->NewRecordMarker());
    EXPECT_TRUE(loom->HasFlag(dbrfReportMissingColumn));

    loom->ReadFields({"Name", "NoSuchColumn"});
    ASSERT_EQ(loom->Fields().Count(), 1);
    EXPECT_EQ(loom->Fields().Field(0)->Name(), "Name");

    try {
        TDBGenericAccessInternal unknown(9, info.DefaultSession(), false);
        FAIL() << "no error";
    } catch (const TGenericException& error) {
        EXPECT_TRUE(error.Message().starts_with("Unable to create instance of type TDBGenericAccessInternal:\r\n\r\n"
                                                "No table information is associated with Type ID 9."))
            << error.Message();
        EXPECT_EQ(error.GetInfo(0)->MethodName, "Create");
    }
}

TEST_F(FieldRecordTest, WritesMarkTheColumnAndTheModifyFlagOnlyOnTheFirstChange)
{
    auto loom = Loom();
    loom->SetText("Name", "Warp");
    EXPECT_TRUE(loom->Fields().FieldByName("Name")->Modified());
    EXPECT_TRUE(loom->GetModifyFlag());
    EXPECT_EQ(loom->AsText("ModifyFlag"), "T");
    // The host clears the flag; the same text again changes nothing, so the flag stays clear.
    loom->SetModifyFlag(false);
    loom->SetText("name", "Warp");
    EXPECT_FALSE(loom->GetModifyFlag());
    loom->SetText("Name", "A name longer than ten");
    EXPECT_EQ(loom->AsText("Name"), "A name lon");
    EXPECT_TRUE(loom->GetModifyFlag());

    // The key column of a table that uses the record key is the key.
    loom->SetInteger("id", 12);
    EXPECT_EQ(loom->KeyValue(), 12);
    loom->SetKeyValue(13);
    EXPECT_EQ(loom->AsInteger("ID"), 13);
    EXPECT_EQ(loom->KeyDescription(), "ID = 13");
    EXPECT_EQ(loom->DisplayText(), "ID 13");

    // A tiny float is no change, and Empty is no value.
    loom->SetVariant("Width", fw::Variant(1e-20));
    EXPECT_EQ(loom->Fields().FieldByName("Width")->AsFloat(), 0.0);
    EXPECT_FALSE(loom->Fields().FieldByName("Width")->Modified());
    try {
        loom->SetVariant("Width", fw::Variant());
        FAIL() << "no error";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->MethodName, "_setAsVariant");
        EXPECT_EQ(error.Message(), "Unable to convert variant to field data.\r\nTypeID = 1\r\nID = 13\r\nField = Width"
                                   "\r\nVariant Type = (unassigned)");
    }

    // Reads of a column the record lacks give the empty values; writes report it.
    EXPECT_EQ(loom->AsText("Colour"), "");
    EXPECT_EQ(loom->AsInteger("Colour"), 0);
    EXPECT_FALSE(loom->AsBoolean("Colour"));
    const FirstRecord missing = FailureOf([&] { loom->SetText("Colour", "red"); });
    EXPECT_EQ(missing.Code, 90);
    EXPECT_TRUE(missing.Message.starts_with("Field <Colour> not found in table Looms.\r\nID = 13")) << missing.Message;
    loom->SetPartial(true);
    loom->SetText("Colour", "red");
}

TEST_F(FieldRecordTest, AReadOnlyRecordRefusesWritesAndReportsThemOnlyWhenStrict)
{
    auto loom = Loom();
    loom->SetText("Name", "Warp");
    loom->SetReadOnly(true);
    loom->SetText("Name", "Weft");
    EXPECT_EQ(loom->AsText("Name"), "Warp");
    loom->SetData(loom->GetData());
    EXPECT_FALSE(loom->GetModifyFlag());

    CollectReports();
    loom->SetFlag(dbrfStrict, true);
    loom->SetText("Name", "Weft");
    loom->SetData(loom->GetData());
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "CanSetField 29: Attempt to set field <Name> in table Looms.\r\nID = -1");
    EXPECT_EQ(reports[1], "SetData 29: Attempt to set a ReadOnly record in table Looms.\r\nID = -1");
    EXPECT_EQ(loom->AsText("Name"), "Warp");

    // A partial record cannot be made writable again.
    loom->SetPartial(true);
    loom->SetReadOnly(false);
    EXPECT_TRUE(loom->IsReadOnly());
}

TEST_F(FieldRecordTest, ValuesTravelAsVariantArraysOfValueAndFlags)
{
    auto loom = Loom();
    loom->SetKeyValue(4);
    loom->SetText("Name", "Warp");
    loom->SetInteger("Qty", 3);
    const fw::Variant data = loom->GetData();
    ASSERT_TRUE(data.IsArray());
    ASSERT_EQ(data.HighBound(), 11);
    EXPECT_EQ(std::get<double>(data.Elements()[0].GetValue()), 4.0);
    EXPECT_EQ(std::get<std::string>(data.Elements()[2].GetValue()), "Warp");
    EXPECT_EQ(std::get<std::int64_t>(data.Elements()[3].GetValue()), TDBGenericField::FlagModified);

    auto copy = Loom();
    copy->SetData(fw::Variant::Array({fw::Variant(1)}));
    EXPECT_EQ(copy->KeyValue(), -1) << "an array of the wrong size changes nothing";
    copy->SetData(data);
    EXPECT_EQ(copy->KeyValue(), 4);
    EXPECT_EQ(copy->AsText("Name"), "Warp");
    EXPECT_TRUE(copy->Fields().FieldByName("Name")->Modified());
    EXPECT_FALSE(copy->Differs(*loom));

    const fw::Variant named = loom->GetFieldData(" Name , Qty,,Width");
    ASSERT_EQ(named.Elements().size(), 6u);
    EXPECT_EQ(std::get<std::string>(named.Elements()[3].GetValue()), "Qty");
    EXPECT_EQ(loom->GetFieldData("").VarType(), fw::varInteger);
    auto other = Loom();
    other->SetFieldData(named);
    EXPECT_EQ(other->AsInteger("Qty"), 3);
    EXPECT_EQ(other->AsText("Name"), "Warp");
    other->SetInteger("Qty", 4);
    EXPECT_TRUE(other->Differs(*loom));
}

TEST_F(FieldRecordTest, CopyingChecksTheKindsOfRecord)
{
    auto loom = Loom();
    loom->SetKeyValue(4);
    loom->SetText("Name", "Warp");
    auto copy = Loom();
    copy->CopyValues(*loom, false);
    EXPECT_EQ(copy->AsText("Name"), "Warp");
    EXPECT_EQ(copy->KeyValue(), -1);
    copy->CopyRecord(*loom);
    EXPECT_EQ(copy->KeyValue(), 4);

    TDBGenericAccessBase plain(1, info.DefaultSession(), false);
    const FirstRecord refused = FailureOf([&] { copy->CopyValues(plain, true); });
    EXPECT_EQ(refused.Code, 64);
    EXPECT_TRUE(refused.Message.starts_with("Unable to copy values from a TDBGenericAccessBase to a "
                                            "TDBGenericAccessInternal instance."));
    const FirstRecord otherClass = FailureOf([&] { copy->CopyRecord(plain); });
    EXPECT_EQ(otherClass.Message, "A record of type TDBGenericAccessBase cannot be copied to a record of type "
                                  "TDBGenericAccessInternal.");
    auto thread = Thread();
    const FirstRecord otherTable = FailureOf([&] { thread->CopyKeyFrom(*loom, true); });
    EXPECT_TRUE(otherTable.Message.starts_with("Unable to copy record key.\r\nThe source and target records do not "
                                               "access the same table information."));
}

TEST_F(FieldRecordTest, KeyConditionsOfOneAndOfSeveralKeyColumns)
{
    auto loom = Loom();
    loom->SetKeyValue(5);
    TDBGenericAccessHandlerBase& handler = loom->Handler();
    EXPECT_EQ(handler.KeyCondition(0), "ID = 5 AND DeleteDate = ''");
    EXPECT_EQ(handler.KeyCondition(8), "ID = 5");
    EXPECT_EQ(handler.KeyCondition(4 | 8), "ID <> 5");

    auto thread = Thread();
    thread->SetInteger("LoomID", 1);
    thread->SetText("Hole", "x");
    EXPECT_TRUE(thread->HasKey());
    EXPECT_EQ(thread->Handler().KeyCondition(0), "(LoomID = 1 AND Hole = 'x')");
    EXPECT_EQ(thread->Handler().KeyCondition(4), "(LoomID <> 1 OR Hole <> 'x')");
    threads->SetCanDelete(true);
    EXPECT_EQ(thread->Handler().KeyCondition(0), "(LoomID = 1 AND Hole = 'x') AND DeleteDate = ''");
    EXPECT_EQ(thread->KeyDescription(), "LoomID = 1\r\nHole = x");
    EXPECT_EQ(thread->KeyText(), "1,x");

    // The stored key of the last load names the row, whatever the columns hold now.
    thread->SetLoadedKey(thread->KeyAsVariant());
    thread->SetText("Hole", "y");
    EXPECT_EQ(thread->Handler().KeyCondition(1 | 8), "(LoomID = 1 AND Hole = 'x')");

    // Oracle reads '' as NULL: an empty text is one blank.
    info.SetDBType(dbgDBType_Oracle);
    thread->SetText("Hole", "");
    EXPECT_EQ(thread->ColumnLiteral("Hole"), "' '");
    EXPECT_EQ(thread->ColumnLiteral("NoSuchColumn"), "");
    threads->SetCanDelete(false);
    // A zero key is no key, unless the table allows it.
    thread->SetInteger("LoomID", 0);
    EXPECT_FALSE(thread->HasKey());
    threads->SetOptions({dbgAllowZeroKey});
    EXPECT_TRUE(thread->HasKey());
    threads->SetOptions({dbgAllowZeroKey, dbgForbidEmptyCharKey});
    EXPECT_FALSE(thread->HasKey());
}

TEST_F(FieldRecordTest, TheStatementValuesFollowTheModeAndTheTypesColumnList)
{
    auto loom = Loom();
    loom->SetKeyValue(5);
    loom->SetText("Name", "O'Brien");
    TDBGFieldValList values;
    loom->Handler().FieldValues(values, 0);
    EXPECT_EQ(values.Assignments(), "ID = 5, Name = 'O''Brien', ModifyFlag = 'T'");
    loom->Handler().FieldValues(values, 1);
    EXPECT_EQ(values.Assignments(), "Name = 'O''Brien', ModifyFlag = 'T'");
    loom->Handler().FieldValues(values, 8);
    EXPECT_EQ(values.Names(), "ID, Name, Qty, Width, ModifyFlag, DeleteDate");
    EXPECT_EQ(values.Values(), "5, 'O''Brien', 0, 0, 'T', ''");
    loom->Fields().FieldByName("Qty")->SetReadOnly(true);
    loom->Handler().FieldValues(values, 2 | 4 | 8);
    EXPECT_EQ(values.Names(), "Qty");

    TDBGTypeIDEntry entry = *info.TypeRegister().Find(1);
    entry.Columns = {"name"};
    info.TypeRegister().Add(entry);
    loom->Handler().FieldValues(values, 8);
    EXPECT_EQ(values.Names(), "Name");

    // The list keeps one entry a name and ignores blank names.
    TDBGFieldValList list;
    list.Set("A", "1");
    list.Set("  ", "2");
    list.Set("a", "3");
    EXPECT_EQ(list.Assignments(), "A = 3");
    TDBGFieldVal copy;
    copy.Assign(loom->Fields().FieldByName("Name"));
    EXPECT_EQ(copy.FieldName + "=" + copy.Value, "Name=O'Brien");
}

TEST_F(FieldRecordTest, BlankDeletedAndClearedRecords)
{
    auto loom = Loom();
    loom->SetText("ModifyFlag", "T");
    loom->SetText("DeleteDate", "20240101");
    EXPECT_TRUE(loom->IsBlank()) << "the flag and delete columns never count";
    loom->SetText("Name", "Warp");
    EXPECT_FALSE(loom->IsBlank());

    // Deleted as seen from the date the record was loaded for.
    EXPECT_TRUE(loom->IsDeleted());
    loom->Handler().SetLoadedDate("20231231");
    EXPECT_FALSE(loom->IsDeleted());
    loom->Handler().SetLoadedDate("20240102");
    EXPECT_TRUE(loom->IsDeleted());

    loom->SetKeyValue(7);
    loom->Clear(false);
    EXPECT_EQ(loom->KeyValue(), 7);
    EXPECT_EQ(loom->AsText("Name"), "");
    loom->Clear(true);
    EXPECT_EQ(loom->KeyValue(), -1);
    EXPECT_TRUE(loom->IsBlank());
    EXPECT_TRUE(loom->GetModifyFlag());
}

TEST_F(FieldRecordTest, TheDuplicateTestRefusesValuesThatDoNotFitTheirColumns)
{
    CollectReports();
    auto loom = Loom();
    loom->SetKeyValue(5);
    TDBGenericAccessHandlerBase& handler = loom->Handler();
    EXPECT_EQ(handler.CheckDuplicate({"Name", "Qty", "Width"}, {"Warp", "5"}, false), 0);
    EXPECT_EQ(handler.CheckDuplicate({"Name", "Qty"}, {"Warp", "5 OR 1=1"}, false), 0);
    EXPECT_EQ(handler.CheckDuplicate({"Name", "NoSuchColumn"}, {"Warp", "5"}, false), 0);
    ASSERT_EQ(reports.size(), 3u);
    for (const std::string& report : reports) {
        EXPECT_EQ(report, "CheckDuplicate 60: Error while trying to check for duplicates in table Looms:\r\n"
                          "Parameter list mismatch.\r\nID = 5");
    }
}

TEST(ColumnMap, PositionTablesGrowWithGapsAndSetsKeepOneOfEach)
{
    TDBGColumnMap map;
    EXPECT_EQ(map.ColumnOfField(3), -1);
    map.SetColumnOfField(3, 1);
    EXPECT_EQ(map.ColumnOfField(0), -1);
    EXPECT_EQ(map.ColumnOfField(3), 1);
    map.AddUnusedColumn(2);
    map.AddUnusedColumn(2);
    EXPECT_EQ(map.UnusedColumnCount(), 1);
    EXPECT_EQ(map.UnusedColumn(0), 2);
    EXPECT_EQ(map.UnusedColumn(1), -1);
    map.SetBuilt(true);
    map.Clear();
    EXPECT_FALSE(map.Built());
    EXPECT_EQ(map.ColumnOfField(3), -1);
    EXPECT_EQ(map.UnusedColumnCount(), 0);
}
