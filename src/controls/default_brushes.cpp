#include "controls/default_brushes.h"

void TILDefaultBrushItem::Assign(const fw::Persistent* source)
{
    if (const auto* item = dynamic_cast<const TILDefaultBrushItem*>(source)) {
        id_ = item->id_;
    }
    TILBrush::Assign(source);
}

int TILDefaultBrushItemList::Add(fw::Object* item)
{
    auto* brush = dynamic_cast<TILDefaultBrushItem*>(item);
    if (brush == nullptr || FindByID(brush->ID()) != nullptr) {
        return -1;
    }
    return TEnhancedListOf<TILDefaultBrushItem>::Add(item);
}

TILDefaultBrushItem* TILDefaultBrushItemList::FindByID(int id) const
{
    for (fw::Object* item : *this) {
        auto* brush = static_cast<TILDefaultBrushItem*>(item);
        if (brush->ID() == id) {
            return brush;
        }
    }
    return nullptr;
}
