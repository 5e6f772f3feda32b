#include "foundation/enhanced_list.h"

#include <algorithm>
#include <memory>

#include "framework/core/exceptions.h"

TEnhancedList::TEnhancedList(ListOwnership ownership) : ownership_(ownership) {}

TEnhancedList::~TEnhancedList()
{
    TEnhancedList::Clear();
}

void TEnhancedList::Clear()
{
    if (ReferenceOnly()) {
        ClearReferences();
        return;
    }
    // Each item leaves the list before it is freed, so that an item's destructor never
    // meets itself in the list.
    while (!Empty()) {
        const int last = Count() - 1;
        fw::Object* item = fw::List::Items(last);
        DeleteReference(last);
        delete item;
    }
}

fw::Object* TEnhancedList::GetItem(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return fw::List::Items(index);
}

int TEnhancedList::Add(fw::Object* item)
{
    const int index = FindInsertIndex(item);
    if (index >= 0 && index < Count()) {
        Insert(index, item);
        return index;
    }
    return AddReference(item);
}

int TEnhancedList::Remove(fw::Object* item)
{
    if (item == nullptr) {
        return -1;
    }
    const int index = RemoveReference(item);
    if (index >= 0 && !ReferenceOnly()) {
        delete item;
    }
    return index;
}

void TEnhancedList::Delete(int index)
{
    Remove(fw::List::Items(index));
}

int TEnhancedList::FindInsertIndex(fw::Object* item) const
{
    if (!sorted_ || Empty() || !onCompare_) {
        return -1;
    }
    int low = 0;
    int high = Count() - 1;
    while (true) {
        const int mid = (low + high) / 2;
        const int c = Compare(fw::List::Items(mid), item);
        if (c == 0) {
            return mid + 1;
        }
        if (c < 0) {
            if (mid + 1 > high) {
                return mid + 1;
            }
            low = mid + 1;
        } else {
            if (low > mid - 1) {
                return mid;
            }
            high = mid - 1;
        }
    }
}

fw::Object* TEnhancedList::CreateItemLike(const fw::Object* item) const
{
    return item->NewInstance();
}

int TEnhancedList::Compare(fw::Object* item1, fw::Object* item2) const
{
    return onCompare_ ? onCompare_(item1, item2) : 0;
}

void TEnhancedList::SetSorted(bool sorted)
{
    if (sorted == sorted_) {
        return;
    }
    sorted_ = sorted;
    if (sorted_) {
        Sort();
    }
}

void TEnhancedList::Sort()
{
    if (Empty() || !onCompare_) {
        return;
    }
    QuickSort(0, Count() - 1);
    sorted_ = true;
}

void TEnhancedList::SortRange(int from, int to)
{
    if (Empty() || !onCompare_) {
        return;
    }
    from = std::clamp(from, 0, Count() - 1);
    to = std::clamp(to, 0, Count() - 1);
    if (from >= to) {
        return;
    }
    QuickSort(from, to);
    if (from == 0 && to == Count() - 1) {
        sorted_ = true;
    }
}

void TEnhancedList::SortWith(CompareEvent compare)
{
    onCompare_ = std::move(compare);
    Sort();
}

void TEnhancedList::SortRangeWith(int from, int to, CompareEvent compare)
{
    onCompare_ = std::move(compare);
    SortRange(from, to);
}

// Hoare partition around the middle item, taken once as the pivot; not stable.
void TEnhancedList::QuickSort(int from, int to)
{
    fw::Object* pivot = fw::List::Items((from + to) / 2);
    int i = from;
    int j = to;
    do {
        while (Compare(fw::List::Items(i), pivot) < 0) {
            ++i;
        }
        while (Compare(fw::List::Items(j), pivot) > 0) {
            --j;
        }
        if (i <= j) {
            Exchange(i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (from < j) {
        QuickSort(from, j);
    }
    if (i < to) {
        QuickSort(i, to);
    }
}

void TEnhancedList::Assign(const TEnhancedList& source)
{
    if (&source == this) {
        return;
    }
    Clear();
    for (fw::Object* sourceItem : source) {
        std::unique_ptr<fw::Object> copy(CreateItemLike(sourceItem));
        auto* persistent = dynamic_cast<fw::Persistent*>(copy.get());
        auto* sourcePersistent = dynamic_cast<const fw::Persistent*>(sourceItem);
        if (persistent == nullptr || sourcePersistent == nullptr) {
            throw fw::EConvertError("Cannot assign a " + std::string(sourceItem->className()) + " to a "
                                    + std::string(copy->className()));
        }
        persistent->Assign(sourcePersistent);
        Add(copy.release());
    }
}

std::int32_t TInterfacedList::QueryInterface(std::string_view interfaceId, void** object)
{
    if (interfaceId == BasicInterfaceId) {
        if (object != nullptr) {
            *object = this;
        }
        return S_OK_RESULT;
    }
    if (object != nullptr) {
        *object = nullptr;
    }
    return E_NOINTERFACE_RESULT;
}

void TBaseItemInfo::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TBaseItemInfo*>(source)) {
        Text = other->Text;
        Description = other->Description;
        Number = other->Number;
        return;
    }
    fw::Persistent::Assign(source);
}

void TBaseItemInfo::Clear()
{
    Text.clear();
    Description.clear();
    Number = -1;
}
