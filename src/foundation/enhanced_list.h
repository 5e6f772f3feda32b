#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/list.h"

// Whether a list frees the items it holds.
enum class ListOwnership { Owning, ReferenceOnly };

// The list base of nearly every list: an ordered list of object references that owns its
// items unless made reference-only, can keep itself sorted through a compare event, and
// copies deeply through each item's own class.
class TEnhancedList : public fw::List {
public:
    // Negative, zero or positive, as item1 sorts before, with or after item2.
    using CompareEvent = std::function<int(fw::Object* item1, fw::Object* item2)>;

    explicit TEnhancedList(ListOwnership ownership = ListOwnership::Owning);
    ~TEnhancedList() override;

    std::string_view className() const override { return "TEnhancedList"; }
    fw::Object* NewInstance() const override { return new TEnhancedList(ownership_); }

    bool ReferenceOnly() const { return ownership_ == ListOwnership::ReferenceOnly; }

    // Owning: each item, from the last to the first, is taken out and then freed.
    // Reference-only: the references are dropped.
    virtual void Clear();

    // The item, or none outside the range; never fails.
    fw::Object* GetItem(int index) const;

    // Appends, or in a sorted list inserts at FindInsertIndex; returns the index.
    virtual int Add(fw::Object* item);
    // Takes the item out (-1 when it is not in the list) and, in an owning list, frees it.
    // An item that is not in the list is left alone: the list only frees what it holds.
    int Remove(fw::Object* item);
    void Delete(int index);

    virtual int FindInsertIndex(fw::Object* item) const;
    // A new object of the item's own class.
    virtual fw::Object* CreateItemLike(const fw::Object* item) const;
    virtual int Compare(fw::Object* item1, fw::Object* item2) const;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    const CompareEvent& OnCompare() const { return onCompare_; }
    void SetOnCompare(CompareEvent compare) { onCompare_ = std::move(compare); }

    virtual void Sort();
    virtual void SortRange(int from, int to);
    virtual void SortWith(CompareEvent compare);
    virtual void SortRangeWith(int from, int to, CompareEvent compare);

    // Clear, then a copy of every source item in order. When copying an item fails the
    // half-made copy is freed and the error passed on; the copies made before it stay.
    virtual void Assign(const TEnhancedList& source);

private:
    void QuickSort(int from, int to);

    ListOwnership ownership_;
    bool sorted_ = false;
    CompareEvent onCompare_;
};

// Typed access for lists whose items are all of one class.
template <class T>
class TEnhancedListOf : public TEnhancedList {
public:
    using TEnhancedList::TEnhancedList;

    T* Items(int index) const { return static_cast<T*>(TEnhancedList::Items(index)); }
    T* GetItem(int index) const { return static_cast<T*>(TEnhancedList::GetItem(index)); }
};

// The outcome of asking an object for an interface it does not offer.
inline constexpr std::int32_t E_NOINTERFACE_RESULT = static_cast<std::int32_t>(0x80004002u);
inline constexpr std::int32_t S_OK_RESULT = 0;

// A list that answers interface queries without reference counting: its lifetime is its
// owner's business, never that of whoever holds it through an interface.
class TInterfacedList : public TEnhancedList {
public:
    using TEnhancedList::TEnhancedList;

    // The identity of the basic interface, the only one this list offers.
    static constexpr const char* BasicInterfaceId = "{00000000-0000-0000-C000-000000000046}";

    std::string_view className() const override { return "TInterfacedList"; }
    fw::Object* NewInstance() const override
    {
        return new TInterfacedList(ReferenceOnly() ? ListOwnership::ReferenceOnly : ListOwnership::Owning);
    }

    virtual std::int32_t QueryInterface(std::string_view interfaceId, void** object);
    int AddRef() { return -1; }
    int Release() { return -1; }
};

// A key, a display text and a number, as lists of records hand them to the user interface.
class TBaseItemInfo : public fw::Persistent {
public:
    std::string Text;
    std::string Description;
    int Number = 0;

    std::string_view className() const override { return "TBaseItemInfo"; }
    fw::Object* NewInstance() const override { return new TBaseItemInfo; }
    void Assign(const fw::Persistent* source) override;
    // Both texts empty, the number -1.
    virtual void Clear();
};
