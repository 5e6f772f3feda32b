#pragma once

#include "framework/core/object.h"

namespace fw {

// An ordered list of object references. It owns nothing: owning lists build on it.
// Checked access raises "List index out of bounds (<index>)".
// One reference is held without a heap block: most lists of the node graph (an element's
// parents, most elements' children) hold one item, and a document holds many of them.
class List : public Object {
public:
    List() = default;
    ~List() override;

    std::string_view className() const override { return "TList"; }

    int Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    // Makes room for at least this many references.
    void Reserve(int capacity);

    Object* Items(int index) const;
    void SetItems(int index, Object* item);
    Object* First() const { return Items(0); }
    Object* Last() const { return Items(Count() - 1); }

    // Appends; returns the new index.
    int AddReference(Object* item);
    void Insert(int index, Object* item);
    int IndexOf(const Object* item) const;
    // Searches from the end: cheap for items taken from the end, as lists are cleared.
    int LastIndexOf(const Object* item) const;
    // Takes the reference at the index out of the list; frees nothing.
    void DeleteReference(int index);
    // Takes the first reference to the item out; its former index, -1 when absent.
    int RemoveReference(const Object* item);
    // Takes the item out and hands it back, none when absent.
    Object* Extract(Object* item);
    void Exchange(int index1, int index2);
    void Move(int currentIndex, int newIndex);
    // Drops every reference.
    void ClearReferences() { count_ = 0; }

    Object* const* begin() const { return items_; }
    Object* const* end() const { return items_ + count_; }

protected:
    void CheckIndex(int index) const;

private:
    Object* inline_[1] = {nullptr};
    Object** items_ = inline_;
    int count_ = 0;
    int capacity_ = 1;
};

[[noreturn]] void RaiseListIndexError(int index);

} // namespace fw
