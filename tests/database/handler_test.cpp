#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/visual_hierarchy.h"
#include "database/db_access_internal.h"
#include "database/db_generic_info.h"
#include "database/db_hooks.h"
#include "database/db_list.h"
#include "database/db_session_pool.h"
#include "database/db_table_info.h"
#include "database_test_support.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

// The handler's links: its container, the hooks, the tree views and copying between
// handlers; on table information made by hand.

namespace {

class HandlerTest : public testing::Test {
protected:
    HandlerTest()
    {
        TDBGenericTableInfo* looms = info.TableList().AddItem();
        looms->SetTableName("Looms");
        looms->SetKeyField("ID");
        TDBGenericFieldInfo* id = looms->Fields().AddItem();
        id->FieldName = "ID";
        id->DataType = dbfInteger;
        TDBGTypeIDEntry entry;
        entry.TypeID = 1;
        entry.TableName = "Looms";
        entry.RecordClass = {"TDBGenericAccessInternal", [](int typeID, TDBGSessionRef& session, bool client) {
                                 return new TDBGenericAccessInternal(typeID, session, client);
                             }};
        info.TypeRegister().Add(entry);
    }

    TDBGenericInfo info;
};

// Writes down what it hears, and checks that the record it is told about still exists.
class Container : public IDBGRecordContainer {
public:
    void AttachRecord(TDBGenericAccessBase& record) override { events.push_back("attach " + record.DisplayText()); }
    void DetachRecord(TDBGenericAccessBase&) override { events.push_back("detach"); }
    void RecordReleased(TDBGenericAccessBase& record) override
    {
        events.push_back("released " + record.DisplayText());
    }
    std::vector<std::string> events;
};

class Recorder : public IDBGenericHook {
public:
    explicit Recorder(std::string name) : name_(std::move(name)) {}
    int Notify(int event, fw::Object* sender) override
    {
        heard.push_back(name_ + " " + std::to_string(event) + " " + std::string(sender->className()));
        return event;
    }
    std::vector<std::string> heard;

private:
    std::string name_;
};

} // namespace

TEST_F(HandlerTest, TheContainerHearsOfTheLastReleaseBeforeTheRecordFreesItself)
{
    Container container;
    auto* record = new TDBGenericAccessInternal(1, info.DefaultSession(), false);
    record->SetKeyValue(7);
    record->Handler().SetContainer(&container);
    record->SetFlag(dbrfFreeOnRelease, true);
    record->AddUser();
    record->AddUser();
    record->Release();
    EXPECT_EQ(record->UseCount(), 1);
    record->Release();
    // The record is gone now; the sanitizer catches any touch of it after the container's turn.
    EXPECT_EQ(container.events, (std::vector<std::string>{"attach ID 7", "released ID 7", "detach"}));

    // A record that does not free itself stays, and leaves its container when it goes.
    Container other;
    {
        TDBGenericAccessInternal kept(1, info.DefaultSession(), false);
        kept.Handler().SetContainer(&other);
        kept.Handler().SetContainer(&other);
        kept.AddUser();
        kept.Release();
        EXPECT_EQ(other.events.size(), 2u);
    }
    EXPECT_EQ(other.events, (std::vector<std::string>{"attach ID -1", "released ID -1", "detach"}));
}

TEST_F(HandlerTest, HooksServeRecordsAndListsOfTheirSettingsComponent)
{
    Recorder records("record");
    Recorder lists("list");
    TDBGenericInfoHookRegisterList& hooks = TDBGenericInfoHookRegisterList::Instance();
    hooks.Register(&info, &records, &lists);
    TDBGenericAccessInternal record(1, info.DefaultSession(), false);
    TDBGenericListBase list(1, info.DefaultSession());
    EXPECT_EQ(hooks.Notify(5, &record), 5);
    EXPECT_EQ(hooks.Notify(9, &list), 9);
    fw::Object stranger;
    EXPECT_EQ(hooks.Notify(3, &stranger), 0) << "an object without a settings component";
    EXPECT_EQ(records.heard, std::vector<std::string>{"record 5 TDBGenericAccessInternal"});
    EXPECT_EQ(lists.heard, std::vector<std::string>{"list 9 TDBGenericListBase"});
    hooks.Unregister(&info);
    EXPECT_EQ(hooks.Notify(5, &record), 0);
}

TEST_F(HandlerTest, ARecordShowsItselfInATreeUnlessTheFilterRefuses)
{
    TILTree tree;
    TDBGenericAccessInternal record(1, info.DefaultSession(), false);
    record.SetKeyValue(3);
    int called = 0;
    TILTreeNode* node = record.AddToTree(tree, nullptr, {}, [&called](TILTreeNode& shown, TDBGenericAccessBase& of) {
        EXPECT_EQ(shown.Object(), &of);
        ++called;
    });
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Parent(), tree.Root());
    EXPECT_EQ(node->GetText(), "ID 3");
    EXPECT_EQ(node->Object(), &record);
    EXPECT_EQ(called, 1);
    TILTreeNode* child = record.AddToTree(tree, node);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Parent(), node);
    EXPECT_EQ(record.AddToTree(tree, node, [](TDBGenericAccessBase&) { return false; }), nullptr);
    EXPECT_EQ(node->GetCount(), 1);

    // The node-and-link diagram holds the record as the data of a box.
    TVisualHierarchyRoot diagram;
    TVisualHierarchyNode* box = record.AddToTree(diagram, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Caption(), "ID 3");
    EXPECT_EQ(box->Data, &record);
    EXPECT_TRUE(box->IsTopLevel());
    TVisualHierarchyNode* below = record.AddToTree(diagram, box, {}, [&called](TVisualHierarchyNode&, TDBGenericAccessBase&) {
        ++called;
    });
    ASSERT_NE(below, nullptr);
    EXPECT_EQ(below->Parent(0), box);
    EXPECT_EQ(called, 2);
}

TEST_F(HandlerTest, HandlersCopyTheirStateOnlyFromTheirOwnClass)
{
    TDBGenericAccessInternal first(1, info.DefaultSession(), false);
    TDBGenericAccessInternal second(1, info.DefaultSession(), false);
    first.Handler().SetConditionText("Qty > 1");
    first.Handler().SetLoadedDate("20240101");
    second.Handler().Assign(first.Handler());
    EXPECT_EQ(second.Handler().ConditionText(), "Qty > 1");
    EXPECT_EQ(second.Handler().LoadedDate(), "20240101");
    EXPECT_EQ(&second.Handler().Record(), &second);

    TDBGenericAccessBase plain(1, info.DefaultSession(), false);
    const FirstRecord refused = FailureOf([&] { plain.Handler().Assign(first.Handler()); });
    EXPECT_EQ(refused.Message, "Error while attempting to copy DB AccessHandler data.\r\nThe two objects are not of "
                               "the same type.\r\nSource = TDBGenericHandlerInternal\r\nTarget = "
                               "TDBGenericAccessHandlerBase");
    // A handler for another kind of record cannot work.
    const FirstRecord wrongOwner = FailureOf([&] { TDBGenericHandlerInternal handler(plain, false); });
    EXPECT_EQ(wrongOwner.Code, 55);
    EXPECT_TRUE(wrongOwner.Message.starts_with("Error in access handler:\r\nOwner class TDBGenericAccessBase is not a "
                                               "descendant of TDBGenericAccessInternal."));
    // A record that has its key draws none.
    first.SetKeyValue(4);
    EXPECT_FALSE(first.Handler().CreateKey());
    EXPECT_EQ(first.Handler().GetRecordKey(), 4);
}
