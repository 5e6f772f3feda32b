#include <gtest/gtest.h>

#include "database/db_field.h"
#include "database/db_table_info.h"
#include "foundation/generic_exception.h"
#include "framework/gui/dialogs.h"

using fw::db::FieldDef;
using fw::db::FieldType;

TEST(TableInfo, APrimaryKeyOfSeveralColumnsSwitchesToMultipleKeys)
{
    TDBGenericTableInfo table;
    EXPECT_TRUE(table.UseRecordKey());
    table.SetPrimaryKey(" CardID , PackID");
    EXPECT_TRUE(table.UseMultiKeys());
    EXPECT_FALSE(table.UseRecordKey());
    EXPECT_EQ(table.MultiKeyFields().Text(), "CardID\r\nPackID\r\n");
    EXPECT_EQ(table.PrimaryKey(), "CardID, PackID");
    EXPECT_TRUE(table.IsKeyField("packid"));

    table.SetPrimaryKey(" ID ");
    EXPECT_FALSE(table.UseMultiKeys());
    EXPECT_TRUE(table.MultiKeyFields().Empty());
    EXPECT_EQ(table.KeyField(), "ID");
    EXPECT_EQ(table.PrimaryKey(), "ID");
    EXPECT_FALSE(table.IsKeyField("PackID"));

    fw::StringList keys{"  A ", "", "  ", "B"};
    table.SetMultiKeyFields(keys);
    EXPECT_EQ(table.MultiKeyFields().Text(), "A\r\nB\r\n");
}

TEST(TableInfo, HistoryOptionsAndDefaults)
{
    TDBGenericTableInfo table;
    EXPECT_TRUE(table.NoLowHistoryBounds());
    EXPECT_EQ(table.Options(), (TDBGenericTableOptions{dbgSaveToHistoryOnDelete, dbgLoadCurrentIfNoHistory}));
    table.SetTableName("Cards");
    EXPECT_FALSE(table.hasHistory());
    table.SethasHistory(true);
    EXPECT_EQ(table.HistoryTable(), "H_Cards");
    EXPECT_TRUE(table.hasHistory());
    table.SetHistoryTable("");
    EXPECT_FALSE(table.hasHistory());

    table.SetOptions({dbgSaveToHistoryOnDelete, dbgDeleteHistoryOnErase, dbgAllowZeroKey});
    EXPECT_EQ(table.Options(), (TDBGenericTableOptions{dbgSaveToHistoryOnDelete, dbgAllowZeroKey}));
    table.SetOptions({dbgDeleteHistoryOnErase});
    EXPECT_TRUE(table.Options().Contains(dbgDeleteHistoryOnErase));
}

TEST(TableInfo, ARegisteredTableKeepsItsNameWhenAnotherHasIt)
{
    TDBGenericTableInfoList tables;
    TDBGenericTableInfo* cards = tables.AddItem();
    cards->SetTableName("Cards");
    cards->SetAlternateTable("A_Cards");
    TDBGenericTableInfo* packs = tables.AddItem();
    packs->SetTableName("Packs");

    try {
        packs->SetTableName("CARDS");
        FAIL() << "renamed";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message,
                  "Unable to change name of registered table Packs:\r\nA table named CARDS exists already.");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "_setTableName");
    }
    try {
        packs->SetTableName("a_cards");
        FAIL() << "renamed";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message, "Unable to change name of registered table Packs to a_cards:\r\nThe "
                                             "alternate table of table Cards has the same name.");
    }
    try {
        packs->SetAlternateTable("Cards");
        FAIL() << "renamed";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message,
                  "Unable to change alternate name of registered table Packs:\r\nA table named Cards exists already.");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "_setAlternateTable");
    }
    try {
        packs->SetAlternateTable("A_CARDS");
        FAIL() << "renamed";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message, "Unable to change alternate name of registered table Packs to "
                                             "A_CARDS:\r\nThe alternate table of table Cards already uses the name.");
    }
    EXPECT_EQ(packs->TableName(), "Packs");
    EXPECT_EQ(packs->AlternateTable(), "");
    // Its own names it may set in another case.
    cards->SetTableName("CARDS");
    EXPECT_EQ(tables.FindTable("cards"), cards);
    EXPECT_EQ(tables.FindAlternate("a_cards"), cards);
    EXPECT_EQ(tables.FindAlternate(""), nullptr);
    EXPECT_EQ(tables.FindTable("Looms"), nullptr);
}

TEST(TableInfo, ACopyKeepsItsOwnColumns)
{
    TDBGenericTableInfo source;
    source.SetTableName("Cards");
    source.SetPrimaryKey("A, B");
    source.HistoryFieldCriteria().Fields.Add("Name");
    source.Fields().AddItem()->FieldName = "Name";
    TDBGenericTableInfo copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.PrimaryKey(), "A, B");
    EXPECT_FALSE(copy.UseRecordKey());
    EXPECT_EQ(copy.HistoryFieldCriteria().Fields.Text(), "Name\r\n");
    ASSERT_EQ(copy.Fields().Count(), 1);
    EXPECT_EQ(copy.Fields().Items(0)->Table(), &copy);
    EXPECT_NE(copy.Fields().Items(0), source.Fields().Items(0));
}

namespace {

fw::db::FieldDefs SampleDefs()
{
    fw::db::FieldDefs defs;
    const auto add = [&defs](const char* name, FieldType type, int size, bool required, bool readOnly) {
        FieldDef def;
        def.Name = name;
        def.DataType = type;
        def.Size = size;
        def.Required = required;
        def.ReadOnly = readOnly;
        defs.push_back(def);
    };
    add("ID", FieldType::ftAutoInc, 0, false, true);
    add("Name", FieldType::ftString, 40, true, false);
    add("Notes", FieldType::ftMemo, 9999, false, false);
    add("Spare", FieldType::ftBlob, 0, false, false);
    add("Made", FieldType::ftDate, 0, false, false);
    return defs;
}

} // namespace

TEST(FieldInfoList, FilledFromTheEnginesDefinitionsAskingAboutStrangeTypes)
{
    TDBGenericTableInfo table;
    table.SetTableName("Cards");
    table.SetKeyField("ID");
    std::vector<fw::MessageBoxRequest> asked;
    fw::ScopedHandler<fw::MessageBoxHandler> answer(&fw::SetMessageBoxHandler,
                                                    [&asked](const fw::MessageBoxRequest& request) {
                                                        asked.push_back(request);
                                                        return fw::mrIgnore;
                                                    });
    table.Fields().AssignFieldDefs(SampleDefs());
    ASSERT_EQ(table.Fields().Count(), 5);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, "Encountered an incompatible data type while \r\nattempting to assign field "
                             "properties.\r\nField Name = Spare\r\nField Type = ftBlob\r\nTable Name = Cards");
    EXPECT_TRUE(asked[0].Buttons.Contains(fw::MsgDlgBtn::Cancel));
    EXPECT_TRUE(asked[0].Buttons.Contains(fw::MsgDlgBtn::Ignore));

    const TDBGenericFieldInfoList& fields = table.Fields();
    EXPECT_EQ(fields.Items(0)->DataType, dbfInteger);
    EXPECT_TRUE(fields.Items(0)->isReadOnly);
    EXPECT_TRUE(fields.Items(0)->IsKeyField());
    EXPECT_EQ(fields.Items(1)->DataType, dbfString);
    EXPECT_EQ(fields.Items(1)->Size, 40);
    EXPECT_TRUE(fields.Items(1)->Required);
    EXPECT_EQ(fields.Items(2)->Size, 0); // a memo has no size
    EXPECT_EQ(fields.Items(3)->DataType, dbfUnknown);
    EXPECT_EQ(fields.Items(4)->DataType, dbfDateTime);
    EXPECT_EQ(fields.IndexOfName("notes"), 2);
    EXPECT_EQ(fields.FindName("NAME"), fields.Items(1));
    EXPECT_FALSE(fields.Exists("Holes"));
    EXPECT_EQ(fields.GetItem(5), nullptr);

    // Cancel drops the column and the rest.
    fw::ScopedHandler<fw::MessageBoxHandler> cancel(&fw::SetMessageBoxHandler,
                                                    [](const fw::MessageBoxRequest&) { return fw::mrCancel; });
    table.Fields().AssignFieldDefs(SampleDefs());
    EXPECT_EQ(table.Fields().Count(), 3);

    std::unique_ptr<TDBGenericField> key(fields.Items(0)->CreateField());
    EXPECT_TRUE(key->ReadOnly());
    EXPECT_TRUE(key->IsKey());
    std::unique_ptr<TDBGenericField> name(fields.Items(1)->CreateField());
    EXPECT_FALSE(name->ReadOnly());
    EXPECT_EQ(name->Name(), "Name");
    EXPECT_EQ(name->Size(), 40);
    EXPECT_TRUE(name->Required());
}
