#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "record_support.h"

// A set of a loom and an order: one compound record of two parts, on both engines.

namespace {

class CompoundTest : public RecordEngineTest {
protected:
    TDBGenericAccessInternal& LoomOf(TDBGenericAccessCompound& set)
    {
        return dynamic_cast<TDBGenericAccessInternal&>(*set.Part(0));
    }
    TDBGenericAccessInternal& OrderOf(TDBGenericAccessCompound& set)
    {
        return dynamic_cast<TDBGenericAccessInternal&>(*set.Part(1));
    }
    std::unique_ptr<TDBGenericAccessCompound> FilledSet()
    {
        auto set = alice->LoomSet();
        LoomOf(*set).SetText("Name", "Warp");
        OrderOf(*set).SetText("Name", "Order");
        return set;
    }
};

} // namespace

TEST_P(CompoundTest, PairsFillThePartsByPositionOrBySection)
{
    auto set = alice->LoomSet();
    EXPECT_TRUE(set->IsBlank());
    auto source = FilledSet();
    const fw::Variant data = source->GetData();
    ASSERT_EQ(data.Elements().size(), 2u);
    EXPECT_EQ(std::get<std::string>(data.Elements()[1].Elements()[0].GetValue()), "Order");

    // Empty sections go by position.
    const fw::Variant loomData = data.Elements()[0].Elements()[1];
    const fw::Variant orderData = data.Elements()[1].Elements()[1];
    set->SetData(fw::Variant::Array({fw::Variant::Array({fw::Variant(""), loomData}),
                                     fw::Variant::Array({fw::Variant(""), orderData})}));
    EXPECT_EQ(LoomOf(*set).AsText("Name"), "Warp");
    EXPECT_EQ(OrderOf(*set).AsText("Name"), "Order");
    EXPECT_FALSE(set->IsBlank());
    EXPECT_TRUE(set->GetModifyFlag());

    // A named section sets the position; a missing one is reported and skipped.
    auto other = alice->LoomSet();
    int reports = 0;
    alice->info.OnHandleException = [&reports](const std::string& message, int code, fw::Object*, const std::exception*,
                                               const std::string&, const fw::Object*, const std::string& method,
                                               const std::string&) {
        EXPECT_EQ(message, "Section Pattern does not exist in class TDBGenericAccessCompound.");
        EXPECT_EQ(code, 91);
        EXPECT_EQ(method, "Locate");
        ++reports;
        return 0;
    };
    other->SetData(fw::Variant::Array({fw::Variant::Array({fw::Variant("order"), orderData}),
                                       fw::Variant::Array({fw::Variant("Pattern"), loomData})}));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(OrderOf(*other).AsText("Name"), "Order");
    EXPECT_EQ(LoomOf(*other).AsText("Name"), "");
    EXPECT_EQ(other->Locate("LOOM"), other->Part(0));

    // A part that is not saved is not taken from the data either.
    OrderOf(*set).SetFlag(dbrfNotSaved, true);
    set->SetData(other->GetData());
    EXPECT_EQ(LoomOf(*set).AsText("Name"), "") << "the loom took the other set's empty loom";
    EXPECT_EQ(OrderOf(*set).AsText("Name"), "Order");
}

TEST_P(CompoundTest, ASaveWritesEveryTakingPartInOneTransaction)
{
    auto set = FilledSet();
    OrderOf(*set).SetFlag(dbrfNotSaved, true);
    // Without the lock component the key draw sends nothing on this connection.
    alice->lock.SetEnabled(false);
    int begins = 0;
    alice->connection.SetBeforeStatement([&begins](const fw::db::StatementEvent& statement) {
        begins += statement.Text.starts_with("BEGIN") ? 1 : 0;
    });
    ASSERT_TRUE(set->Save());
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(LoomOf(*set).KeyValue(), 1);
    EXPECT_EQ(Rows("SELECT ID, Name FROM Looms"), std::vector<std::string>{"1|Warp"});
    EXPECT_TRUE(Rows("SELECT ID FROM Orders").empty());
    EXPECT_FALSE(set->NewRecordMarker());

    // A failing part leaves nothing of the others, and its changes still to be written.
    OrderOf(*set).SetFlag(dbrfNotSaved, false);
    LoomOf(*set).SetText("Name", "Weft");
    OrderOf(*set).SetInteger("Qty", -1);
    const FirstRecord failure = FailureOf([&] { set->Save(); });
    EXPECT_EQ(failure.Code, 20);
    EXPECT_EQ(Rows("SELECT ID, Name FROM Looms"), std::vector<std::string>{"1|Warp"});
    EXPECT_TRUE(LoomOf(*set).Fields().FieldByName("Name")->Modified());
    OrderOf(*set).SetInteger("Qty", 1);
    ASSERT_TRUE(set->Save());
    EXPECT_EQ(Rows("SELECT ID, Name FROM Looms"), std::vector<std::string>{"1|Weft"});
}

TEST_P(CompoundTest, ALoadPassesOverPartsNotLoadedAndAFailingPartClearsTheWhole)
{
    Db().Execute({"INSERT INTO Looms (ID, Name) VALUES (1, 'Warp')",
                  "INSERT INTO Orders (ID, Name) VALUES (1, 'Order')"});
    auto set = alice->LoomSet();
    OrderOf(*set).SetFlag(dbrfNotLoaded, true);
    ASSERT_TRUE(set->Load(1));
    EXPECT_EQ(LoomOf(*set).AsText("Name"), "Warp");
    EXPECT_EQ(OrderOf(*set).AsText("Name"), "");

    OrderOf(*set).SetFlag(dbrfNotLoaded, false);
    alice->orders->SetTableName("MissingOrders");
    const FirstRecord failure = FailureOf([&] { set->Load(1); });
    EXPECT_EQ(failure.Code, 21);
    EXPECT_EQ(LoomOf(*set).AsText("Name"), "") << "the part loaded before is cleared too";
    EXPECT_EQ(LoomOf(*set).KeyValue(), -1);
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(CompoundTest, CopiesGoPartByPartAndOnlyBetweenSetsOfOneClass)
{
    auto source = FilledSet();
    auto target = alice->LoomSet();
    target->CopyValues(*source, true);
    EXPECT_EQ(LoomOf(*target).AsText("Name"), "Warp");
    EXPECT_EQ(OrderOf(*target).AsText("Name"), "Order");
    auto loom = alice->Loom();
    const FirstRecord refused = FailureOf([&] { target->CopyValues(*loom, true); });
    EXPECT_EQ(refused.Code, 64);
}

TEST_P(CompoundTest, ALockTakesEveryPartLastFirstAndAnswersForTheFirst)
{
    auto set = alice->LoomSet();
    LoomOf(*set).SetKeyValue(5);
    OrderOf(*set).SetKeyValue(6);
    StatementLog log;
    log.Watch(alice->connection);
    EXPECT_EQ(set->Handler().SetRecordLock(true, "alice"), 1);
    std::vector<std::string> inserts;
    for (const std::string& text : log.Texts()) {
        if (text.starts_with("INSERT INTO Data_Locks")) {
            inserts.push_back(text.substr(text.find("VALUES")));
        }
    }
    ASSERT_EQ(inserts.size(), 2u);
    EXPECT_TRUE(inserts[0].starts_with("VALUES ('Orders', '6'"));
    EXPECT_TRUE(inserts[1].starts_with("VALUES ('Looms', '5'"));
    EXPECT_TRUE(set->Handler().Locked());
    EXPECT_EQ(set->Handler().SetRecordLock(false, "alice"), 0);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");
}

TAVELIN_ON_BOTH_ENGINES(CompoundTest);
