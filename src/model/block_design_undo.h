#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "model/block_design.h"

// The undo steps of a block design: copies of the design as it stood before each change.
//
// Idle (Index -1) every Push appends. Undo steps back through the entries, the first Undo
// also keeping the design as it is now so that Redo can come back to it; Redo steps forward
// and, past the last entry, returns to idle. A Push while undoing drops the entry shown and
// everything after it, before the limit is applied. At most MaxSteps entries are kept by
// Push, the oldest going first. The copy kept by the first Undo may make one more.
class TTWBlockDesignUndoList {
public:
    static constexpr int MaxSteps = 30;
    // Called with the entry to restore.
    using RestoreEvent = std::function<void(const TTWBlockDesignItem& item)>;

    int Count() const { return static_cast<int>(items_.size()); }
    // -1 when idle, else the position of the state shown.
    int Index() const { return index_; }
    // None outside 0..Count - 1.
    const TTWBlockDesignItem* GetItem(int index) const;

    void SetOnUndo(RestoreEvent handler) { onUndo_ = std::move(handler); }
    void SetOnRedo(RestoreEvent handler) { onRedo_ = std::move(handler); }

    // Stores a copy of the item (its own class, its data class) and returns it.
    const TTWBlockDesignItem& Push(const TTWBlockDesignItem& item);
    // Steps back and restores that entry; with the current design given (the first Undo),
    // a copy of it is appended for Redo. Nothing at Index 0.
    void Undo(const TTWBlockDesignItem* current);
    // Steps forward and restores that entry; past the last, back to idle. Nothing when idle.
    void Redo();
    void Clear();

private:
    std::vector<std::unique_ptr<TTWBlockDesignItem>> items_;
    int index_ = -1;
    RestoreEvent onUndo_;
    RestoreEvent onRedo_;
};
