#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/enhanced_list.h"
#include "framework/core/exceptions.h"

namespace {

// An item that records when it is freed and can be told to refuse being copied.
class Tracked : public fw::Persistent {
public:
    Tracked() = default;
    Tracked(std::vector<std::string>* freeLog, std::string itemName, int itemKey = 0)
        : log(freeLog), name(std::move(itemName)), key(itemKey)
    {
    }
    ~Tracked() override
    {
        if (log != nullptr) {
            log->push_back(name);
        }
    }
    std::string_view className() const override { return "TTracked"; }
    fw::Object* NewInstance() const override { return new Tracked; }
    void Assign(const fw::Persistent* source) override
    {
        auto* other = dynamic_cast<const Tracked*>(source);
        if (other == nullptr) {
            fw::Persistent::Assign(source);
            return;
        }
        if (other->refuseCopy) {
            throw std::runtime_error("cannot copy " + other->name);
        }
        log = other->log;
        name = other->name + "'";
        key = other->key;
    }

    std::vector<std::string>* log = nullptr;
    std::string name;
    int key = 0;
    bool refuseCopy = false;
};

int ByKey(fw::Object* a, fw::Object* b)
{
    return static_cast<Tracked*>(a)->key - static_cast<Tracked*>(b)->key;
}

std::vector<std::string> Names(const TEnhancedList& list)
{
    std::vector<std::string> names;
    for (fw::Object* item : list) {
        names.push_back(static_cast<Tracked*>(item)->name);
    }
    return names;
}

} // namespace

TEST(EnhancedListOwnership, ClearFreesLastToFirstAndReferenceListsFreeNothing)
{
    std::vector<std::string> log;
    Tracked a(&log, "a"), b(&log, "b");
    {
        TEnhancedList references(ListOwnership::ReferenceOnly);
        references.Add(&a);
        references.Add(&b);
        references.Clear();
        EXPECT_EQ(references.Count(), 0);
    }
    EXPECT_TRUE(log.empty());

    TEnhancedList owning;
    owning.Add(new Tracked(&log, "1"));
    owning.Add(new Tracked(&log, "2"));
    owning.Add(new Tracked(&log, "3"));
    owning.Clear();
    EXPECT_EQ(log, (std::vector<std::string>{"3", "2", "1"}));
}

TEST(EnhancedListOwnership, RemoveFreesOnlyWhatTheListHolds)
{
    std::vector<std::string> log;
    TEnhancedList list;
    auto* held = new Tracked(&log, "held");
    list.Add(new Tracked(&log, "first"));
    list.Add(held);
    Tracked stranger(&log, "stranger");

    EXPECT_EQ(list.Remove(&stranger), -1);
    EXPECT_EQ(list.Remove(nullptr), -1);
    EXPECT_TRUE(log.empty());

    EXPECT_EQ(list.Remove(held), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"held"}));
    list.Delete(0);
    EXPECT_EQ(log, (std::vector<std::string>{"held", "first"}));
    EXPECT_THROW(list.Delete(0), fw::EListError);
}

TEST(EnhancedListAccess, GetItemGivesNoneOutsideTheRangeWhileItemsRaises)
{
    TEnhancedList list;
    list.Add(new Tracked);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    EXPECT_EQ(list.GetItem(1), nullptr);
    EXPECT_NE(list.GetItem(0), nullptr);
    EXPECT_THROW(list.Items(1), fw::EListError);
}

TEST(EnhancedListSorting, EqualItemLandsDirectlyAfterTheFirstEqualTheBisectionMeets)
{
    std::vector<std::string> log;
    TEnhancedList list;
    list.SetOnCompare(ByKey);
    list.SetSorted(true);
    for (auto [name, key] : std::vector<std::pair<std::string, int>>{{"a", 1}, {"b", 2}, {"c", 2}, {"d", 2}, {"e", 5}}) {
        list.Add(new Tracked(&log, name, key));
    }
    // Equal items go right after the equal item the bisection meets first, not after the
    // last of a run: "d" met "b" at index 1 and went before "c".
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "d", "c", "e"}));
    EXPECT_EQ(list.Add(new Tracked(&log, "x", 2)), 3);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "d", "x", "c", "e"}));
    // Smaller than all, larger than all.
    EXPECT_EQ(list.Add(new Tracked(&log, "low", 0)), 0);
    EXPECT_EQ(list.Add(new Tracked(&log, "high", 9)), 7);
}

TEST(EnhancedListSorting, SortNeedsACompareEventAndSetsSortedOnlyForTheWholeList)
{
    std::vector<std::string> log;
    TEnhancedList list;
    for (int key : {3, 1, 2, 5, 4}) {
        list.Add(new Tracked(&log, std::to_string(key), key));
    }
    list.Sort();
    EXPECT_FALSE(list.Sorted());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"3", "1", "2", "5", "4"}));

    list.SortRangeWith(-5, 2, ByKey);
    EXPECT_FALSE(list.Sorted());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"1", "2", "3", "5", "4"}));

    list.SortRange(0, 99);
    EXPECT_TRUE(list.Sorted());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"1", "2", "3", "4", "5"}));

    TEnhancedList other;
    other.SetOnCompare(ByKey);
    for (int key : {2, 1}) {
        other.Add(new Tracked(&log, std::to_string(key), key));
    }
    other.SetSorted(true);
    EXPECT_EQ(Names(other), (std::vector<std::string>{"1", "2"}));
}

TEST(EnhancedListSorting, QuicksortOrdersLargeListsWithManyEqualKeys)
{
    TEnhancedList list;
    for (int i = 0; i < 2000; ++i) {
        list.Add(new Tracked(nullptr, "", (i * 7919) % 13));
    }
    list.SortWith(ByKey);
    for (int i = 1; i < list.Count(); ++i) {
        ASSERT_LE(static_cast<Tracked*>(list.Items(i - 1))->key, static_cast<Tracked*>(list.Items(i))->key);
    }
}

TEST(EnhancedListCopy, AssignCopiesThroughTheItemsOwnClassAndKeepsWhatWasCopiedBeforeAFailure)
{
    std::vector<std::string> log;
    TEnhancedList source;
    source.Add(new Tracked(&log, "a", 1));
    auto* refusing = new Tracked(&log, "b", 2);
    refusing->refuseCopy = true;
    source.Add(refusing);
    source.Add(new Tracked(&log, "c", 3));

    TEnhancedList target;
    target.Add(new Tracked(&log, "old"));
    EXPECT_THROW(target.Assign(source), std::runtime_error);
    // The old item was cleared, "a" was copied, the failed copy of "b" was freed (it had no
    // log yet), and "c" was never reached.
    EXPECT_EQ(log, (std::vector<std::string>{"old"}));
    EXPECT_EQ(Names(target), (std::vector<std::string>{"a'"}));

    refusing->refuseCopy = false;
    target.Assign(source);
    EXPECT_EQ(Names(target), (std::vector<std::string>{"a'", "b'", "c'"}));
    EXPECT_NE(target.Items(0), source.Items(0));
}

TEST(InterfacedList, AnswersOnlyTheBasicInterfaceAndIgnoresReferenceCounts)
{
    auto* list = new TInterfacedList;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(list->QueryInterface("{11111111-0000-0000-0000-000000000000}", &object), E_NOINTERFACE_RESULT);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(list->QueryInterface(TInterfacedList::BasicInterfaceId, &object), S_OK_RESULT);
    EXPECT_EQ(object, list);
    EXPECT_EQ(list->AddRef(), -1);
    EXPECT_EQ(list->Release(), -1);
    delete list;
}

TEST(BaseItemInfo, AssignCopiesAndClearResets)
{
    TBaseItemInfo info;
    info.Text = "Key";
    info.Description = "Shown";
    info.Number = 42;
    TBaseItemInfo copy;
    copy.Assign(&info);
    EXPECT_EQ(copy.Text, "Key");
    EXPECT_EQ(copy.Description, "Shown");
    EXPECT_EQ(copy.Number, 42);
    copy.Clear();
    EXPECT_EQ(copy.Text, "");
    EXPECT_EQ(copy.Number, -1);
}
