#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "record_support.h"

// Texts come back from both engines byte for byte, also those that begin with a byte-order
// mark (U+FEFF), which a UTF-8 decoder may take for an encoding sign and drop.

namespace {

const std::string Mark = "\xEF\xBB\xBF";

class TextBytesTest : public RecordEngineTest {};

} // namespace

TEST_P(TextBytesTest, ATextBeginningWithAByteOrderMarkComesBackWhole)
{
    auto loom = alice->Loom();
    loom->SetText("Name", Mark + "Warp");
    ASSERT_TRUE(loom->Save());
    // The plain query of our database interface reads it as written.
    EXPECT_EQ(Db().Scalar("SELECT Name FROM Looms"), Mark + "Warp");
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Looms WHERE Name = '" + Mark + "Warp'"), "1");

    auto again = alice->Loom();
    ASSERT_TRUE(again->Load(loom->KeyValue()));
    EXPECT_EQ(again->AsText("Name"), Mark + "Warp");
    // Reading it did not change it: a save sends nothing, and the row keeps the mark.
    EXPECT_FALSE(again->IsModified());
    again->SetInteger("Qty", 2);
    ASSERT_TRUE(again->Save());
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Looms WHERE Name = '" + Mark + "Warp'"), "1");

    LoomList list(alice->info.DefaultSession());
    list.order = "ID";
    ASSERT_TRUE(list.LoadCondition(""));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(dynamic_cast<TDBGenericAccessInternal&>(*list.Items(0)).AsText("Name"), Mark + "Warp");
}

TEST_P(TextBytesTest, UpdateFieldsAndLoadFieldsKeepTheMark)
{
    Db().Execute({"INSERT INTO Looms (ID, Name, Qty) VALUES (1, 'Warp', 1)"});
    auto loom = alice->Loom();
    ASSERT_TRUE(loom->Load(1));
    loom->SetText("Name", Mark + Mark + "Weft");
    ASSERT_TRUE(loom->Handler().UpdateFields({"Name"}));
    EXPECT_EQ(Db().Scalar("SELECT Name FROM Looms"), Mark + Mark + "Weft");
    ASSERT_TRUE(loom->Handler().LoadFields({"Name"}, {}));
    EXPECT_EQ(loom->AsText("Name"), Mark + Mark + "Weft");
}

TEST_P(TextBytesTest, ARecordKeyedByAMarkedTextIsFoundAndChangedInItsOwnRow)
{
    Db().Execute({"INSERT INTO Threads (LoomID, Hole, Colour) VALUES (1, '" + Mark + "A', 'red')"});
    auto thread = alice->Thread();
    ASSERT_TRUE(thread->Handler().Load(fw::Variant::Array({fw::Variant(1), fw::Variant(Mark + "A")}), {}));
    EXPECT_EQ(thread->AsText("Hole"), Mark + "A");
    thread->SetText("Colour", "blue");
    ASSERT_TRUE(thread->Save());
    EXPECT_EQ(Rows("SELECT Hole, Colour FROM Threads"), std::vector<std::string>{Mark + "A|blue"});
}

TEST_P(TextBytesTest, LocksOfAMarkedKeyAndOfAMarkedUserCountAndGoAway)
{
    EXPECT_EQ(alice->info.LockRecord("Looms", Mark + "7"), 1);
    EXPECT_EQ(alice->info.LockRecord("Looms", Mark + "7"), 2);
    EXPECT_EQ(alice->info.UnlockRecord("Looms", Mark + "7"), 1);
    EXPECT_EQ(alice->info.UnlockRecord("Looms", Mark + "7"), 0);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");

    // The holder's name is read back and compared with the one who asks.
    EXPECT_EQ(alice->info.LockRecord("Looms", "8", Mark + "carol"), 1);
    EXPECT_EQ(alice->info.LockRecord("Looms", "8", Mark + "carol"), 2);
    EXPECT_TRUE(alice->info.CanWriteRecord("Looms", "8", Mark + "carol"));
    EXPECT_EQ(alice->info.UnlockRecord("Looms", "8", false, Mark + "carol"), 1);
    EXPECT_EQ(alice->info.UnlockRecord("Looms", "8", false, Mark + "carol"), 0);
    EXPECT_EQ(Db().Scalar("SELECT COUNT(*) FROM Data_Locks"), "0");
}

TEST_P(TextBytesTest, AKeyNameBeginningWithTheMarkKeepsItsOneRow)
{
    TDBGenericRecordKey& keys = alice->info.RecordKey();
    EXPECT_EQ(keys.GetKey(Mark + "\xC3\xB6se"), 1);
    EXPECT_EQ(keys.GetKey(Mark + "\xC3\x96SE"), 2);
    EXPECT_EQ(keys.GetKey("\xC3\x96SE"), 1);
    EXPECT_EQ(Db().Scalar("SELECT KeyName FROM Key_Registry WHERE LastValue = 1"), "\xC3\x96SE");
    EXPECT_EQ(Db().Scalar("SELECT KeyName FROM Key_Registry WHERE LastValue = 2"), Mark + "\xC3\x96SE");
}

TAVELIN_ON_BOTH_ENGINES(TextBytesTest);
