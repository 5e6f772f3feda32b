#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "database/db_field.h"
#include "database/db_table_info.h"
#include "framework/core/datetime.h"
#include "framework/core/exceptions.h"

namespace {

TDBGenericFieldInfo* Column(TDBGenericTableInfo& table, const char* name, TDBGenericFieldType type,
                            std::uint16_t size = 0)
{
    TDBGenericFieldInfo* info = table.Fields().AddItem();
    info->FieldName = name;
    info->DataType = type;
    info->Size = size;
    return info;
}

} // namespace

TEST(Field, AssigningTheSameValueLeavesItUnmodified)
{
    TDBGenericField field(dbfString);
    field.SetAsString("Band");
    EXPECT_TRUE(field.Modified());
    EXPECT_EQ(field.OldValueText(), "");
    field.SetModified(false);
    EXPECT_EQ(field.OldValueText(), std::nullopt);
    field.SetAsString("Band");
    EXPECT_FALSE(field.Modified());
    field.SetAsString("band");
    EXPECT_TRUE(field.Modified());
    EXPECT_EQ(field.OldValueText(), "Band");
    field.SetAsString("Weft");
    EXPECT_EQ(field.OldValueText(), "Band"); // the value before the first change

    int changes = 0;
    TDBGenericField counted(dbfInteger);
    counted.SetOnChange([&changes](TDBGenericField&) { ++changes; });
    counted.SetAsInteger(0);
    EXPECT_FALSE(counted.Modified());
    counted.SetAsInteger(5);
    EXPECT_EQ(changes, 2); // every assignment, changed or not
    EXPECT_EQ(counted.Flags(), TDBGenericField::FlagModified);
    counted.SetFlags(TDBGenericField::FlagReadOnly);
    EXPECT_TRUE(counted.ReadOnly());
    EXPECT_FALSE(counted.Modified());
}

TEST(Field, TextsConvertIntoEachKind)
{
    TDBGenericTableInfo table;
    TDBGenericField name(dbfString, Column(table, "Name", dbfString, 5));
    name.SetAsString("  Tablet weave ");
    EXPECT_EQ(name.AsString(), "Table"); // trimmed, cut to the column's size

    TDBGenericField count(dbfInteger);
    count.SetAsString(" 42 ");
    EXPECT_EQ(count.AsInteger(), 42);
    EXPECT_THROW(count.SetAsString("4x"), fw::EConvertError);
    count.SetAsString("");
    EXPECT_EQ(count.AsInteger(), 0);

    TDBGenericField weight(dbfFloat);
    weight.SetAsString("2.5");
    EXPECT_DOUBLE_EQ(weight.AsFloat(), 2.5);
    weight.SetAsString("heavy"); // the safe reader gives 0
    EXPECT_DOUBLE_EQ(weight.AsFloat(), 0);

    TDBGenericField price(dbfCurrency);
    price.SetAsString("12.3456");
    EXPECT_EQ(price.AsCurrency(), 123456);
    EXPECT_EQ(price.AsString(), "12.3456");

    TDBGenericField woven(dbfBoolean);
    for (const char* yes : {"1", "T", "true", "Y", "yes"}) {
        woven.SetAsString(yes);
        EXPECT_TRUE(woven.AsBoolean()) << yes;
    }
    woven.SetAsString("no");
    EXPECT_FALSE(woven.AsBoolean());
    EXPECT_EQ(woven.AsString(), "False");

    TDBGenericField changed(dbfDateTime);
    changed.SetAsString("2024-01-31 12:30:00");
    EXPECT_DOUBLE_EQ(changed.AsDateTime(),
                     fw::ComposeDateTime(fw::EncodeDate(2024, 1, 31), fw::EncodeTime(12, 30, 0)));
    EXPECT_EQ(changed.AsString(), "2024-01-31 12:30:00");
    EXPECT_THROW(changed.SetAsString("31.01.2024"), fw::EConvertError);
}

TEST(Field, NumbersAndBooleansWrittenIntoOtherKinds)
{
    TDBGenericField text(dbfString);
    text.SetAsBoolean(true);
    EXPECT_EQ(text.AsString(), "T");
    text.SetAsInteger(-7);
    EXPECT_EQ(text.AsString(), "-7");
    text.SetAsFloat(0.25);
    EXPECT_EQ(text.AsString(), "0.25");

    TDBGenericField money(dbfCurrency);
    money.SetAsBoolean(true);
    EXPECT_EQ(money.AsCurrency(), 10000);
    money.SetAsFloat(1.23456);
    EXPECT_EQ(money.AsCurrency(), 12346);

    TDBGenericField count(dbfInteger);
    count.SetAsFloat(2.5);
    EXPECT_EQ(count.AsInteger(), 2);
    count.SetAsFloat(3.5);
    EXPECT_EQ(count.AsInteger(), 4);
    count.SetAsDateTime(45000.75);
    EXPECT_EQ(count.AsInteger(), 45000);

    TDBGenericField tiny(dbfFloat);
    tiny.SetAsFloat(1e-20);
    EXPECT_EQ(tiny.AsFloat(), 0.0);
    EXPECT_FALSE(tiny.Modified());

    TDBGenericField fromNull(dbfInteger);
    fromNull.SetAsInteger(9);
    fromNull.SetAsVariant(fw::Variant::Null());
    EXPECT_EQ(fromNull.AsInteger(), 0);
    fromNull.SetAsVariant(fw::Variant(7.6));
    EXPECT_EQ(fromNull.AsInteger(), 8);

    TDBGenericField::SetBooleansAsDigits(true);
    TDBGenericField flag(dbfBoolean);
    flag.SetAsBoolean(true);
    const std::string digits = flag.AsString();
    text.SetAsBoolean(false);
    const std::string digitText = text.AsString();
    TDBGenericField::SetBooleansAsDigits(false);
    EXPECT_EQ(digits, "1");
    EXPECT_EQ(digitText, "0");
}

TEST(Field, FloatsAreWrittenWithAPointInEveryLocaleAndFixedWhenTheTablesAskForIt)
{
    TDBGenericTableInfoList tables;
    TDBGenericTableInfo* table = tables.AddItem();
    TDBGenericField weight(dbfFloat, Column(*table, "Weight", dbfFloat));
    weight.SetAsFloat(1234.5);

    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is not installed";
    const std::string general = weight.AsString();
    const std::string digits = weight.AsStringWithDigits(2);
    tables.SetFixedFloatText(true);
    const std::string fixed = weight.AsString();
    TDBGenericField read(dbfFloat);
    read.SetAsString("0.5");
    const double half = read.AsFloat();
    std::setlocale(LC_ALL, saved.c_str());

    EXPECT_EQ(general, "1234.5");
    EXPECT_EQ(digits, "1234.50");
    EXPECT_EQ(fixed, "1234.500000000000000000");
    EXPECT_DOUBLE_EQ(half, 0.5);
}
