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

List::~List()
{
    if (items_ != inline_) {
        delete[] items_;
    }
}

void List::Reserve(int capacity)
{
    if (capacity <= capacity_) {
        return;
    }
    auto* grown = new Object*[static_cast<size_t>(capacity)];
    std::copy(items_, items_ + count_, grown);
    if (items_ != inline_) {
        delete[] items_;
    }
    items_ = grown;
    capacity_ = capacity;
}

Object* List::Items(int index) const
{
    CheckIndex(index);
    return items_[index];
}

void List::SetItems(int index, Object* item)
{
    CheckIndex(index);
    items_[index] = item;
}

int List::AddReference(Object* item)
{
    if (count_ == capacity_) {
        Reserve(capacity_ < 4 ? 4 : capacity_ * 2);
    }
    items_[count_] = item;
    return count_++;
}

void List::Insert(int index, Object* item)
{
    if (index < 0 || index > Count()) {
        RaiseListIndexError(index);
    }
    if (count_ == capacity_) {
        Reserve(capacity_ < 4 ? 4 : capacity_ * 2);
    }
    std::copy_backward(items_ + index, items_ + count_, items_ + count_ + 1);
    items_[index] = item;
    ++count_;
}

int List::IndexOf(const Object* item) const
{
    for (int index = 0; index < count_; ++index) {
        if (items_[index] == item) {
            return index;
        }
    }
    return -1;
}

int List::LastIndexOf(const Object* item) const
{
    for (int index = count_ - 1; index >= 0; --index) {
        if (items_[index] == item) {
            return index;
        }
    }
    return -1;
}

void List::DeleteReference(int index)
{
    CheckIndex(index);
    std::copy(items_ + index + 1, items_ + count_, items_ + index);
    --count_;
}

int List::RemoveReference(const Object* item)
{
    const int index = IndexOf(item);
    if (index >= 0) {
        DeleteReference(index);
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
    std::swap(items_[index1], items_[index2]);
}

void List::Move(int currentIndex, int newIndex)
{
    if (currentIndex == newIndex) {
        return;
    }
    CheckIndex(currentIndex);
    CheckIndex(newIndex);
    // One rotation of the stretch between the two places: a card's holes move this way on
    // every turn of the weaving.
    if (currentIndex < newIndex) {
        std::rotate(items_ + currentIndex, items_ + currentIndex + 1, items_ + newIndex + 1);
    } else {
        std::rotate(items_ + newIndex, items_ + currentIndex, items_ + currentIndex + 1);
    }
}

} // namespace fw
