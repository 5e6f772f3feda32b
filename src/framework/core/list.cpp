#include "framework/core/list.h"

#include <algorithm>
#include <string>

#include "framework/core/exceptions.h"

namespace fw {

void RaiseListIndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void List::CheckIndex(int index) const
{
    if (index < 0 || index >= Count()) {
        RaiseListIndexError(index);
    }
}

Object* List::Items(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)];
}

void List::SetItems(int index, Object* item)
{
    CheckIndex(index);
    items_[static_cast<size_t>(index)] = item;
}

int List::AddReference(Object* item)
{
    items_.push_back(item);
    return Count() - 1;
}

void List::Insert(int index, Object* item)
{
    if (index < 0 || index > Count()) {
        RaiseListIndexError(index);
    }
    items_.insert(items_.begin() + index, item);
}

int List::IndexOf(const Object* item) const
{
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int List::LastIndexOf(const Object* item) const
{
    for (int index = Count() - 1; index >= 0; --index) {
        if (items_[static_cast<size_t>(index)] == item) {
            return index;
        }
    }
    return -1;
}

void List::DeleteReference(int index)
{
    CheckIndex(index);
    items_.erase(items_.begin() + index);
}

int List::RemoveReference(const Object* item)
{
    const int index = IndexOf(item);
    if (index >= 0) {
        items_.erase(items_.begin() + index);
    }
    return index;
}

Object* List::Extract(Object* item)
{
    return RemoveReference(item) >= 0 ? item : nullptr;
}

void List::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

void List::Move(int currentIndex, int newIndex)
{
    if (currentIndex == newIndex) {
        return;
    }
    CheckIndex(currentIndex);
    CheckIndex(newIndex);
    Object* item = items_[static_cast<size_t>(currentIndex)];
    items_.erase(items_.begin() + currentIndex);
    items_.insert(items_.begin() + newIndex, item);
}

} // namespace fw
