#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/list.h"
#include "framework/core/object.h"

using namespace fw;

namespace {

class Named : public Component {
public:
    Named(Component* owner, std::vector<std::string>* log, std::string tag)
        : Component(owner), log_(log), tag_(std::move(tag))
    {
    }
    ~Named() override { log_->push_back("free " + tag_); }
    std::string_view className() const override { return "TNamed"; }

    std::vector<std::string> told;

protected:
    void Notification(Component* component, Operation operation) override
    {
        if (operation == Operation::Remove) {
            told.push_back(component->Name());
        }
    }

private:
    std::vector<std::string>* log_;
    std::string tag_;
};

class Point : public Persistent {
public:
    int x = 0;
    std::string_view className() const override { return "TPoint"; }
    Object* NewInstance() const override { return new Point; }
    void Assign(const Persistent* source) override
    {
        if (auto* other = dynamic_cast<const Point*>(source)) {
            x = other->x;
            return;
        }
        Persistent::Assign(source);
    }
};

} // namespace

TEST(ComponentOwnership, OwnerFreesComponentsNewestFirstAndForgetsThoseFreedElsewhere)
{
    std::vector<std::string> log;
    {
        Named owner(nullptr, &log, "owner");
        new Named(&owner, &log, "a");
        auto* b = new Named(&owner, &log, "b");
        new Named(&owner, &log, "c");
        delete b;
        EXPECT_EQ(owner.ComponentCount(), 2);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"free b", "free owner", "free c", "free a"}));
}

TEST(ComponentOwnership, NamesAreUniquePerOwnerAndNameTheSender)
{
    std::vector<std::string> log;
    Named owner(nullptr, &log, "owner");
    auto* first = new Named(&owner, &log, "a");
    auto* second = new Named(&owner, &log, "b");
    first->SetName("Main");
    EXPECT_THROW(second->SetName("main"), EConvertError);
    EXPECT_EQ(owner.FindComponent("MAIN"), first);
    EXPECT_EQ(SenderName(first), "TNamed[Main]");
    EXPECT_EQ(SenderName(second), "TNamed");
    EXPECT_EQ(SenderName(nullptr), "");
}

TEST(ComponentOwnership, FreeNotificationTellsTheWatcherOnce)
{
    std::vector<std::string> log;
    Named watcher(nullptr, &log, "watcher");
    auto* watched = new Named(nullptr, &log, "watched");
    watched->SetName("Watched");
    watcher.FreeNotification(watched);
    delete watched;
    EXPECT_EQ(watcher.told, (std::vector<std::string>{"Watched"}));
}

TEST(PersistentAssign, UnknownSourceEndsInTheStandardError)
{
    Point point;
    List other;
    try {
        point.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Cannot assign a nil to a TPoint");
    }
    Persistent plain;
    try {
        point.Assign(&plain);
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Cannot assign a TPersistent to a TPoint");
    }
    Point source;
    source.x = 7;
    auto copy = CloneOf(source);
    EXPECT_EQ(copy->x, 7);
    EXPECT_THROW(other.NewInstance(), EConvertError);
}

TEST(ReferenceList, CheckedAccessAndReordering)
{
    List list;
    Point a, b, c;
    list.AddReference(&a);
    list.AddReference(&b);
    list.AddReference(&c);
    try {
        list.Items(3);
        FAIL();
    } catch (const EListError& error) {
        EXPECT_EQ(error.Message(), "List index out of bounds (3)");
    }
    list.Move(0, 2);
    EXPECT_EQ(list.Items(0), &b);
    EXPECT_EQ(list.Items(2), &a);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Items(0), &c);
    EXPECT_EQ(list.Extract(&b), &b);
    EXPECT_EQ(list.Extract(&b), nullptr);
    EXPECT_EQ(list.RemoveReference(&a), 1);
    EXPECT_EQ(list.Count(), 1);
}
