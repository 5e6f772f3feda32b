#include "model/block_design_undo.h"

#include <utility>

namespace {

std::unique_ptr<TTWBlockDesignItem> CopyOf(const TTWBlockDesignItem& item)
{
    std::unique_ptr<TTWBlockDesignItem> copy = item.NewLike();
    copy->Assign(&item);
    return copy;
}

} // namespace

const TTWBlockDesignItem* TTWBlockDesignUndoList::GetItem(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(index)].get();
}

const TTWBlockDesignItem& TTWBlockDesignUndoList::Push(const TTWBlockDesignItem& item)
{
    // Made first: the item may be one of the entries about to go.
    std::unique_ptr<TTWBlockDesignItem> copy = CopyOf(item);
    // The redo tail goes first: the state shown and the design kept by the first Undo are
    // what this push replaces, so they must not survive it, nor count against the limit and
    // cost an old entry. Only then is the oldest dropped; the loop (not a single drop) brings
    // the one extra entry of a first Undo, when idle again, back to the limit.
    if (index_ >= 0 && index_ < Count()) {
        items_.erase(items_.begin() + index_, items_.end());
    }
    while (Count() >= MaxSteps) {
        items_.erase(items_.begin());
    }
    items_.push_back(std::move(copy));
    index_ = -1;
    return *items_.back();
}

void TTWBlockDesignUndoList::Undo(const TTWBlockDesignItem* current)
{
    if (index_ == 0) {
        return;
    }
    index_ = index_ == -1 ? Count() - 1 : index_ - 1;
    if (index_ < 0) {
        return;
    }
    const TTWBlockDesignItem& entry = *items_[static_cast<std::size_t>(index_)];
    if (current != nullptr) {
        // Copied before the restore, which usually writes into the current design.
        items_.push_back(CopyOf(*current));
    }
    if (onUndo_) {
        onUndo_(entry);
    }
}

void TTWBlockDesignUndoList::Redo()
{
    if (index_ < 0) {
        return;
    }
    if (index_ >= Count() - 1) {
        index_ = -1;
        return;
    }
    ++index_;
    if (onRedo_) {
        onRedo_(*items_[static_cast<std::size_t>(index_)]);
    }
}

void TTWBlockDesignUndoList::Clear()
{
    items_.clear();
    index_ = -1;
}
