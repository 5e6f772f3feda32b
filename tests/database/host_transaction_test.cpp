#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "record_support.h"

// Records saved inside a transaction of the host's own: what they keep when the host
// commits it, and what they give up when it rolls it back, so that a key never reaches two
// rows and no change is lost.

namespace {

class HostTransactionTest : public RecordEngineTest {
protected:
    std::unique_ptr<TDBGenericQuery> BeginHostTransaction()
    {
        return std::make_unique<TDBGenericQuery>(alice->info, nullptr, true);
    }
    enum class End { Commit, Rollback };
    // Saves the record in a transaction of the host's, which the host then ends; whether
    // the save went through.
    bool SaveInHostTransaction(TDBGenericAccessBase& record, End end)
    {
        auto work = BeginHostTransaction();
        const bool saved = record.Save();
        if (end == End::Commit) {
            TDBGenericQuery::ReleaseCommit(work);
        } else {
            TDBGenericQuery::ReleaseRollback(work);
        }
        return saved;
    }
};

} // namespace

TEST_P(HostTransactionTest, ARecordSavedInARolledBackTransactionIsInsertedAgainBesideTheNextOne)
{
    auto first = alice->Loom();
    first->SetText("Name", "First");
    ASSERT_TRUE(SaveInHostTransaction(*first, End::Rollback));
    EXPECT_TRUE(Rows("SELECT ID FROM Looms").empty());

    auto second = alice->Loom();
    second->SetText("Name", "Second");
    ASSERT_TRUE(second->Save());
    ASSERT_TRUE(first->Save());

    EXPECT_NE(first->KeyValue(), second->KeyValue());
    EXPECT_EQ(Rows("SELECT Name FROM Looms ORDER BY Name"), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(Rows("SELECT Name FROM Looms WHERE ID = " + std::to_string(first->KeyValue())),
              std::vector<std::string>{"First"});
    EXPECT_EQ(Rows("SELECT Name FROM Looms WHERE ID = " + std::to_string(second->KeyValue())),
              std::vector<std::string>{"Second"});
    EXPECT_FALSE(alice->connection.InTransaction());
}

TEST_P(HostTransactionTest, AChangeSavedInARolledBackTransactionIsWrittenByTheNextSave)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'Warp', 1)"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    loom->SetText("Name", "Weft");
    ASSERT_TRUE(SaveInHostTransaction(*loom, End::Rollback));
    EXPECT_EQ(Rows("SELECT Name FROM Looms"), std::vector<std::string>{"Warp"});

    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(loom->KeyValue(), 1);
    EXPECT_EQ(Rows("SELECT ID, Name FROM Looms"), std::vector<std::string>{"1|Weft"});
}

TEST_P(HostTransactionTest, ACommittedTransactionKeepsWhatItsRecordsSaved)
{
    auto loom = alice->Loom();
    loom->SetText("Name", "Kept");
    ASSERT_TRUE(SaveInHostTransaction(*loom, End::Commit));
    const int key = loom->KeyValue();
    ASSERT_GT(key, 0);
    // A later transaction that rolls back without this record's work takes nothing from it.
    auto work = BeginHostTransaction();
    work->SQL().Add("UPDATE Looms SET Qty = 5");
    work->ExecSQL();
    TDBGenericQuery::ReleaseRollback(work);
    EXPECT_EQ(loom->KeyValue(), key);
    loom->SetText("Name", "Changed");
    ASSERT_TRUE(loom->Save());
    EXPECT_EQ(Rows("SELECT ID, Name FROM Looms"), std::vector<std::string>{std::to_string(key) + "|Changed"});
}

TEST_P(HostTransactionTest, ARecordGoneBeforeTheRollbackAndACompoundSavedInsideAreBothHandled)
{
    auto work = BeginHostTransaction();
    auto set = alice->LoomSet();
    dynamic_cast<TDBGenericAccessInternal&>(*set->Part(0)).SetText("Name", "Set loom");
    dynamic_cast<TDBGenericAccessInternal&>(*set->Part(1)).SetText("Name", "Set order");
    ASSERT_TRUE(set->Save());
    {
        auto gone = alice->Loom();
        gone->SetText("Name", "Gone");
        ASSERT_TRUE(gone->Save());
    }
    TDBGenericQuery::ReleaseRollback(work);
    EXPECT_TRUE(Rows("SELECT ID FROM Looms").empty());
    EXPECT_TRUE(Rows("SELECT ID FROM Orders").empty());

    auto other = alice->Loom();
    other->SetText("Name", "Other");
    ASSERT_TRUE(other->Save());
    ASSERT_TRUE(set->Save());
    EXPECT_NE(set->Part(0)->KeyValue(), other->KeyValue());
    EXPECT_EQ(Rows("SELECT Name FROM Looms ORDER BY Name"), (std::vector<std::string>{"Other", "Set loom"}));
    EXPECT_EQ(Rows("SELECT Name FROM Orders"), std::vector<std::string>{"Set order"});
}

TAVELIN_ON_BOTH_ENGINES(HostTransactionTest);
