#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/datetime.h"
#include "record_support.h"

// A set of a loom and its shuttle, both with history, loaded from history as one record on
// both engines. Today is 30 June 2024. Loom 1 has a period for January and February, its
// shuttle one for January only.

namespace {

enum { ShuttleType = 5, ShuttleSetType = 6 };

class CompoundHistoryTest : public RecordEngineTest {
protected:
    void SetUp() override
    {
        RecordEngineTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        SetToday(2024, 6, 30);
        Db().Execute({"CREATE TABLE Shuttles (ID INT PRIMARY KEY, Name VARCHAR(40) NOT NULL DEFAULT '')",
                      "CREATE TABLE H_Shuttles (ID INT NOT NULL, Name VARCHAR(40) NOT NULL DEFAULT '', "
                      "HistoryPeriodStart VARCHAR(8) NOT NULL, HistoryPeriodEnd VARCHAR(8) NOT NULL)",
                      "INSERT INTO Looms (ID, Name) VALUES (1, 'Loom now')",
                      Period(1, "Loom in winter", "20240101", "20240229"),
                      "INSERT INTO Shuttles (ID, Name) VALUES (1, 'Shuttle now')",
                      "INSERT INTO H_Shuttles (ID, Name, HistoryPeriodStart, HistoryPeriodEnd) "
                      "VALUES (1, 'Shuttle in January', '20240101', '20240131')"});
        alice->AddRecordTable(ShuttleType, "Shuttles", "ID")->SethasHistory(true);
        TDBGenericTableInfo* sets = alice->info.TableList().AddItem();
        sets->SetTableName("ShuttleSets");
        sets->SetKeyField("ID");
        alice->Register(ShuttleSetType, "ShuttleSets",
                        {"TDBGenericAccessCompound", [](int id, TDBGSessionRef& session, bool client) {
                             auto* compound = new TDBGenericAccessCompound(id, session, client);
                             compound->AddPart(std::make_unique<TDBGenericAccessInternal>(LoomType, session, client),
                                               "Loom");
                             compound->AddPart(std::make_unique<TDBGenericAccessInternal>(ShuttleType, session, client),
                                               "Shuttle");
                             return compound;
                         }});
    }

    std::unique_ptr<TDBGenericAccessCompound> LoadedSet()
    {
        auto set = alice->Make<TDBGenericAccessCompound>(ShuttleSetType);
        EXPECT_TRUE(set->Load(1));
        return set;
    }
    static bool FromHistory(TDBGenericAccessBase& record, const std::string& date)
    {
        TDBGQueryRef none;
        return record.Handler().LoadFromHistory(fw::Variant(1), none, date, true);
    }
    // What each part holds: its name, the period it was read from and the date it was
    // loaded for.
    static std::vector<std::string> Parts(TDBGenericAccessCompound& set)
    {
        std::vector<std::string> parts;
        for (int i = 0; i < set.PartCount(); ++i) {
            auto& part = dynamic_cast<TDBGenericAccessInternal&>(*set.Part(i));
            parts.push_back(part.AsText("Name") + " [" + part.HistoryPeriodStart() + "-" + part.HistoryPeriodEnd()
                            + "] " + part.Handler().LoadedDate());
        }
        return parts;
    }
};

} // namespace

TEST_P(CompoundHistoryTest, AHistoryLoadThatFindsNoPeriodAnswersFalseAndKeepsTheValuesAsARecordDoes)
{
    // A record alone keeps its values when no period covers the date.
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    EXPECT_FALSE(FromHistory(*loom, "20240515"));
    EXPECT_EQ(loom->AsText("Name"), "Loom now");

    auto set = LoadedSet();
    const std::vector<std::string> current = {"Loom now [-] ", "Shuttle now [-] "};
    ASSERT_EQ(Parts(*set), current);
    EXPECT_FALSE(FromHistory(*set, "20240515"));
    EXPECT_EQ(Parts(*set), current);
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(CompoundHistoryTest, WhenOnlyOnePartReadsItsPeriodTheCompoundAnswersFalseAndKeepsEveryPartAsItWas)
{
    auto set = LoadedSet();
    const std::vector<std::string> current = Parts(*set);
    EXPECT_FALSE(FromHistory(*set, "20240215")) << "the shuttle has no period in February";
    EXPECT_EQ(Parts(*set), current) << "no part of another date than the others";
    EXPECT_FALSE(set->IsModified());
    EXPECT_FALSE(alice->connection.InTransaction());

    ASSERT_TRUE(FromHistory(*set, "20240115"));
    EXPECT_EQ(Parts(*set), (std::vector<std::string>{"Loom in winter [20240101-20240229] 20240115",
                                                      "Shuttle in January [20240101-20240131] 20240115"}));
    // Put back after a partial load, the parts hold that January again.
    const std::vector<std::string> january = Parts(*set);
    EXPECT_FALSE(FromHistory(*set, "20240220"));
    EXPECT_EQ(Parts(*set), january);
}

TAVELIN_ON_BOTH_ENGINES(CompoundHistoryTest);
