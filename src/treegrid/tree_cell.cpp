#include "treegrid/tree_cell.h"

#include <algorithm>

fw::Rect TILTreeCellControlHolder::PlaceIn(const fw::Rect& cellExtents, int ownWidth, int ownHeight) const
{
    // The room left inside the margins, as an exclusive rectangle.
    const int left = cellExtents.Left + MarginLeft;
    const int top = cellExtents.Top + MarginTop;
    const int right = std::max(left, cellExtents.Right + 1 - MarginRight);
    const int bottom = std::max(top, cellExtents.Bottom + 1 - MarginBottom);
    switch (Align) {
    case Top:
        return fw::Rect{left, top, right, top + ownHeight};
    case Bottom:
        return fw::Rect{left, bottom - ownHeight, right, bottom};
    case Left:
        return fw::Rect{left, top, left + ownWidth, bottom};
    case Right:
        return fw::Rect{right - ownWidth, top, right, bottom};
    default:
        return fw::Rect{left, top, right, bottom};
    }
}

TILTreeCellInfo::TILTreeCellInfo() = default;

TILTreeCellInfo::~TILTreeCellInfo()
{
    if (HasFlag(iltCellOwnsObject)) {
        delete cellObject_;
    }
}

fw::Font& TILTreeCellInfo::GetFont()
{
    flags_ |= iltCellOwnFont;
    if (!font_) {
        font_ = std::make_unique<fw::Font>();
    }
    return *font_;
}

void TILTreeCellInfo::SetInteger(int value)
{
    valueKind_ = iltValueInteger;
    integerValue_ = value;
    objectValue_ = nullptr;
}

int TILTreeCellInfo::GetInteger() const
{
    return valueKind_ == iltValueInteger ? integerValue_ : -1;
}

void TILTreeCellInfo::SetObject(fw::Object* value)
{
    valueKind_ = iltValueObject;
    objectValue_ = value;
    integerValue_ = 0;
}

fw::Object* TILTreeCellInfo::GetObject() const
{
    return valueKind_ == iltValueObject ? objectValue_ : nullptr;
}

bool TILTreeCellInfo::HasValue() const
{
    switch (valueKind_) {
    case iltValueInteger:
        return integerValue_ >= 0;
    case iltValueObject:
        return objectValue_ != nullptr;
    default:
        return false;
    }
}

TILTreeCellGraphic* TILTreeCellInfo::GetGraphic() const
{
    return dynamic_cast<TILTreeCellGraphic*>(GetObject());
}

void TILTreeCellInfo::SetFlag(std::uint32_t mask, bool on)
{
    if (on) {
        flags_ |= mask;
        if ((mask & iltCellOwnFont) != 0 && !font_) {
            font_ = std::make_unique<fw::Font>();
        }
    } else if (HasFlag(mask)) {
        flags_ &= ~mask;
        if ((mask & iltCellOwnFont) != 0) {
            font_.reset();
        }
    }
}

bool TILTreeCellInfo::HasBackColour() const
{
    return backColour_ != 0x1FFFFFFF;
}

TILTreeCellControlHolder& TILTreeCellInfo::GetCellControl()
{
    if (!cellControl_) {
        cellControl_ = std::make_unique<TILTreeCellControlHolder>();
    }
    return *cellControl_;
}

void TILTreeCellInfo::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeCellInfo*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    if (other->font_) {
        GetFont() = *other->font_;
    } else {
        SetFlag(iltCellOwnFont, false);
    }
    // The object is shared, not handed over: the copy refers to it without owning it, or
    // both cells would free it. An object this cell owned until now goes.
    if (other->cellObject_ != cellObject_) {
        if (HasFlag(iltCellOwnsObject)) {
            delete cellObject_;
        }
        cellObject_ = other->cellObject_;
    }
    flags_ &= ~iltCellOwnsObject;
    graphicReference_ = other->graphicReference_;
    horzAlign_ = other->horzAlign_;
    vertAlign_ = other->vertAlign_;
    offset_ = other->offset_;
    valueKind_ = other->valueKind_;
    integerValue_ = other->integerValue_;
    objectValue_ = other->objectValue_;
    backColour_ = other->backColour_;
}
