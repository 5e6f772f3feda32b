#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/core/list.h"

// An owned collection whose items know their place in it, as picks do: adding, inserting,
// deleting and moving keep every item's index right. List is the collection class built on
// it; it answers CheckRoom() (raising when no item may be added) and is a friend of Item,
// whose private collection_ and index_ this template keeps.
template <class Item, class List>
class TIndexedCollection {
public:
    TIndexedCollection(const TIndexedCollection&) = delete;
    TIndexedCollection& operator=(const TIndexedCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises the list error outside the range.
    Item* Items(int index) const
    {
        if (index < 0 || index >= Count()) {
            fw::RaiseListIndexError(index);
        }
        return items_[static_cast<std::size_t>(index)].get();
    }
    // None outside the range.
    Item* GetPick(int index) const
    {
        return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
    }

    // Appends a new, empty item; raises when the collection is full.
    Item* Add() { return Insert(Count()); }
    // A new, empty item at the index (0 to Count); raises when the collection is full.
    Item* Insert(int index)
    {
        if (index < 0 || index > Count()) {
            fw::RaiseListIndexError(index);
        }
        static_cast<const List*>(this)->CheckRoom();
        auto item = std::make_unique<Item>();
        item->collection_ = static_cast<List*>(this);
        Item* added = item.get();
        items_.insert(items_.begin() + index, std::move(item));
        Renumber(index);
        return added;
    }
    // Frees the item at the index; raises the list error outside the range.
    void Delete(int index)
    {
        Items(index);
        items_.erase(items_.begin() + index);
        Renumber(index);
    }
    // Frees every item, the newest first, as they were made.
    void Clear()
    {
        while (!items_.empty()) {
            items_.pop_back();
        }
    }
    // Moves an item to another place; raises the list error outside the range.
    void Move(int currentIndex, int newIndex)
    {
        Items(currentIndex);
        Items(newIndex);
        if (currentIndex == newIndex) {
            return;
        }
        std::unique_ptr<Item> item = std::move(items_[static_cast<std::size_t>(currentIndex)]);
        items_.erase(items_.begin() + currentIndex);
        items_.insert(items_.begin() + newIndex, std::move(item));
        Renumber(std::min(currentIndex, newIndex));
    }

    // Exchanges the items of the two collections; every item keeps its index.
    void SwapItems(TIndexedCollection& other)
    {
        items_.swap(other.items_);
        for (const auto& item : items_) {
            item->collection_ = static_cast<List*>(this);
        }
        for (const auto& item : other.items_) {
            item->collection_ = static_cast<List*>(&other);
        }
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

protected:
    TIndexedCollection() = default;
    ~TIndexedCollection() { Clear(); }

    // Clear, then a copy of every source item in order.
    void AssignItems(const TIndexedCollection& source)
    {
        if (&source == this) {
            return;
        }
        Clear();
        for (const auto& item : source.items_) {
            Add()->Assign(item.get());
        }
    }

    std::vector<std::unique_ptr<Item>> items_;

private:
    void Renumber(int from)
    {
        for (int i = std::max(from, 0); i < Count(); ++i) {
            items_[static_cast<std::size_t>(i)]->index_ = i;
        }
    }
};
