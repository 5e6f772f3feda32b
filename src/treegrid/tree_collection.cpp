#include "treegrid/tree_collection.h"

#include <algorithm>

void TILCollectionItem::SetIndex(int index)
{
    if (collection_ != nullptr) {
        collection_->Move(index_, index);
    }
}

std::string TILCollectionItem::DisplayName() const
{
    return std::string(className());
}

void TILCollectionItem::Changed()
{
    if (collection_ != nullptr) {
        collection_->Updated(this);
    }
}

TILCollection::~TILCollection()
{
    // The subclass is gone by now: free quietly, newest first.
    while (!items_.empty()) {
        items_.pop_back();
    }
}

TILCollectionItem* TILCollection::GetItem(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(index)].get();
}

TILCollectionItem* TILCollection::AddItem()
{
    return InsertItem(Count());
}

TILCollectionItem* TILCollection::InsertItem(int index)
{
    index = std::clamp(index, 0, Count());
    std::unique_ptr<TILCollectionItem> item = CreateItem();
    item->collection_ = this;
    TILCollectionItem* added = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    Renumber(index);
    Added(added);
    return added;
}

void TILCollection::Delete(int index)
{
    TILCollectionItem* item = GetItem(index);
    if (item == nullptr) {
        return;
    }
    Deleting(item);
    // The hook may have moved things; find the item again.
    const auto found = std::find_if(items_.begin(), items_.end(), [item](const auto& held) { return held.get() == item; });
    if (found == items_.end()) {
        return;
    }
    const int at = static_cast<int>(found - items_.begin());
    std::unique_ptr<TILCollectionItem> taken = std::move(*found);
    items_.erase(found);
    taken->collection_ = nullptr;
    taken->index_ = -1;
    Renumber(at);
    taken.reset();
    Updated(nullptr);
}

void TILCollection::Clear()
{
    while (!items_.empty()) {
        Delete(Count() - 1);
    }
}

void TILCollection::Move(int currentIndex, int newIndex)
{
    if (GetItem(currentIndex) == nullptr || GetItem(newIndex) == nullptr || currentIndex == newIndex) {
        return;
    }
    std::unique_ptr<TILCollectionItem> item = std::move(items_[static_cast<std::size_t>(currentIndex)]);
    items_.erase(items_.begin() + currentIndex);
    items_.insert(items_.begin() + newIndex, std::move(item));
    Renumber(std::min(currentIndex, newIndex));
    Updated(nullptr);
}

void TILCollection::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILCollection*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    Clear();
    for (const auto& sourceItem : other->items_) {
        AddItem()->Assign(sourceItem.get());
    }
    Updated(nullptr);
}

void TILCollection::Added(TILCollectionItem*)
{
}

void TILCollection::Deleting(TILCollectionItem*)
{
}

void TILCollection::Updated(TILCollectionItem*)
{
}

void TILCollection::Renumber(int from)
{
    for (int i = std::max(from, 0); i < Count(); ++i) {
        items_[static_cast<std::size_t>(i)]->index_ = i;
    }
}
