#pragma once

#include "controls/il_brush.h"
#include "foundation/enhanced_list.h"

// A brush registered under an ID, for brushes whose DefaultBrushID names it.
class TILDefaultBrushItem : public TILBrush {
public:
    TILDefaultBrushItem() = default;
    explicit TILDefaultBrushItem(int id) : id_(id) {}

    std::string_view className() const override { return "TILDefaultBrushItem"; }
    fw::Object* NewInstance() const override { return new TILDefaultBrushItem; }

    int ID() const { return id_; }
    void SetID(int id) { id_ = id; }

    // From another item: the ID, then the brush; from any other brush: the brush only.
    void Assign(const fw::Persistent* source) override;

private:
    int id_ = 0;
};

// The registered default brushes, at most one per ID. It owns its items.
class TILDefaultBrushItemList : public TEnhancedListOf<TILDefaultBrushItem> {
public:
    TILDefaultBrushItemList() = default;

    std::string_view className() const override { return "TILDefaultBrushItemList"; }
    fw::Object* NewInstance() const override { return new TILDefaultBrushItemList; }

    // Refuses (answers -1) anything that is no TILDefaultBrushItem and an item whose ID is
    // already registered; a refused item stays its caller's to free.
    int Add(fw::Object* item) override;
    // The first item with the ID, none when absent.
    TILDefaultBrushItem* FindByID(int id) const;
};
