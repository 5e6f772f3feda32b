#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"

class TILCollection;

// An item of an owned collection: it knows its collection and its place in it. Items are
// made by their collection (Add, Insert) and freed by it.
class TILCollectionItem : public fw::Persistent {
public:
    TILCollectionItem() = default;
    ~TILCollectionItem() override = default;

    std::string_view className() const override { return "TCollectionItem"; }

    TILCollection* Collection() const { return collection_; }
    // The item's place in its collection, -1 outside one.
    int Index() const { return index_; }
    // Moves the item to another place; an index outside the collection is ignored.
    void SetIndex(int index);
    // The name shown for the item in lists; the class name unless a class says otherwise.
    virtual std::string DisplayName() const;

protected:
    // Tells the collection that the item changed (its owner may repaint).
    void Changed();

private:
    friend class TILCollection;
    TILCollection* collection_ = nullptr;
    int index_ = -1;
};

// An owning, ordered collection of items of one class, made through CreateItem. Adding,
// deleting and moving keep every item's Index right, and the subclass hears of each change
// through the Added, Deleting and Updated hooks (columns re-lay out, heading rows add cells).
class TILCollection : public fw::Persistent {
public:
    TILCollection() = default;
    ~TILCollection() override;

    std::string_view className() const override { return "TCollection"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // None outside the range.
    TILCollectionItem* GetItem(int index) const;
    // A new item at the end, or at the index (clamped to 0 .. Count).
    TILCollectionItem* AddItem();
    TILCollectionItem* InsertItem(int index);
    // Frees the item at the index; nothing outside the range.
    void Delete(int index);
    // Frees every item, the last first.
    void Clear();
    // Moves an item; nothing when either index is outside the range.
    void Move(int currentIndex, int newIndex);

    // From another collection: Clear, then one new item per source item, each assigned.
    void Assign(const fw::Persistent* source) override;

protected:
    // A new, empty item of the collection's class.
    virtual std::unique_ptr<TILCollectionItem> CreateItem() const = 0;
    virtual void Added(TILCollectionItem* item);
    // The item is still in the collection and alive.
    virtual void Deleting(TILCollectionItem* item);
    // Any item changed (nullptr: the collection as a whole, after moves and assignment).
    virtual void Updated(TILCollectionItem* item);

    const std::vector<std::unique_ptr<TILCollectionItem>>& Items() const { return items_; }

private:
    friend class TILCollectionItem;
    void Renumber(int from);

    std::vector<std::unique_ptr<TILCollectionItem>> items_;
};

// Typed access for a collection whose items are all of one class.
template <class Item>
class TILCollectionOf : public TILCollection {
public:
    Item* GetItem(int index) const { return static_cast<Item*>(TILCollection::GetItem(index)); }
    Item* Add() { return static_cast<Item*>(AddItem()); }
    Item* Insert(int index) { return static_cast<Item*>(InsertItem(index)); }

protected:
    std::unique_ptr<TILCollectionItem> CreateItem() const override { return std::make_unique<Item>(); }
};
