#include "treegrid/tree_icons.h"

#include "framework/core/named_images.h"
#include "framework/gui/control.h"
#include "treegrid/tree_properties.h"

TILTreeButtonIconBase::TILTreeButtonIconBase(fw::Object* owner) : owner_(owner)
{
}

TILTreeButtonIconBase::~TILTreeButtonIconBase() = default;

void TILTreeButtonIconBase::SetKind(TILTreeButtonIconKind kind)
{
    kind_ = kind;
    if (kind_ == iltBtnIconOverride) {
        CreateImages();
    } else {
        FreeImages();
    }
    Changed();
}

void TILTreeButtonIconBase::SetTransparentColour(fw::Color colour)
{
    transparentColour_ = colour;
    Changed();
}

fw::Bitmap* TILTreeButtonIconBase::GetImage(int index) const
{
    switch (index) {
    case 0:
        return second_.get();
    case 1:
        return first_.get();
    default:
        return nullptr;
    }
}

void TILTreeButtonIconBase::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeButtonIconBase*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    SetKind(other->kind_);
    SetOwnImage(first_, other->first_.get());
    SetOwnImage(second_, other->second_.get());
    transparentColour_ = other->transparentColour_;
    Changed();
}

const fw::Bitmap* TILTreeButtonIconBase::EffectiveImage(int index) const
{
    switch (kind_) {
    case iltBtnIconDefault: {
        const std::string_view name = SharedImageName(index);
        return name.empty() ? nullptr : TreeSharedImage(name);
    }
    case iltBtnIconOverride: {
        const fw::Bitmap* own = GetImage(index);
        return own != nullptr && !own->Empty() ? own : nullptr;
    }
    default:
        return nullptr;
    }
}

fw::Color TILTreeButtonIconBase::EffectiveTransparentColour() const
{
    return kind_ == iltBtnIconOverride ? transparentColour_ : fw::Color{fw::NamedImageKey};
}

void TILTreeButtonIconBase::CreateImages()
{
    if (!first_) {
        first_ = std::make_unique<fw::Bitmap>();
    }
    if (!second_) {
        second_ = std::make_unique<fw::Bitmap>();
    }
}

void TILTreeButtonIconBase::FreeImages()
{
    first_.reset();
    second_.reset();
}

void TILTreeButtonIconBase::SetOwnImage(std::unique_ptr<fw::Bitmap>& own, const fw::Bitmap* picture)
{
    if (kind_ != iltBtnIconOverride || !own) {
        return;
    }
    if (picture == nullptr) {
        *own = fw::Bitmap();
    } else if (picture != own.get()) {
        *own = *picture;
    }
    Changed();
}

void TILTreeButtonIconBase::Changed()
{
    if (auto* control = dynamic_cast<fw::Control*>(owner_);
        control != nullptr && !control->ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        control->Invalidate();
    }
    if (onChange_) {
        onChange_(this);
    }
}

// --- Expand buttons ----------------------------------------------------------------------------

TILTreeButtonIcons::TILTreeButtonIcons(fw::Object* owner) : TILTreeButtonIconBase(owner)
{
}

TILTreeButtonIcons::~TILTreeButtonIcons() = default;

fw::Bitmap* TILTreeButtonIcons::GetImage(int index) const
{
    return index == iltButtonFormWait ? wait_.get() : TILTreeButtonIconBase::GetImage(index);
}

void TILTreeButtonIcons::Assign(const fw::Persistent* source)
{
    TILTreeButtonIconBase::Assign(source);
    if (const auto* other = dynamic_cast<const TILTreeButtonIcons*>(source); other != nullptr && other != this) {
        SetOwnImage(wait_, other->wait_.get());
    }
}

void TILTreeButtonIcons::CreateImages()
{
    TILTreeButtonIconBase::CreateImages();
    if (!wait_) {
        wait_ = std::make_unique<fw::Bitmap>();
    }
}

void TILTreeButtonIcons::FreeImages()
{
    TILTreeButtonIconBase::FreeImages();
    wait_.reset();
}

std::string_view TILTreeButtonIcons::SharedImageName(int index) const
{
    switch (index) {
    case iltButtonFormMinus:
        return "ILTREE_BTNICON_MINUS";
    case iltButtonFormPlus:
        return "ILTREE_BTNICON_PLUS";
    case iltButtonFormWait:
        return "ILTREE_BTNICON_WAIT";
    default:
        return {};
    }
}

// --- Sort marks ---------------------------------------------------------------------------------

TILTreeColumnSortIcons::TILTreeColumnSortIcons(fw::Object* owner) : TILTreeButtonIconBase(owner)
{
    position_.SetAlignHorz(THCanvasTextPosition::Right);
    position_.SetHorzMargin(0);
    position_.SetVertMargin(0);
}

TILTreeColumnSortIcons::~TILTreeColumnSortIcons() = default;

void TILTreeColumnSortIcons::Assign(const fw::Persistent* source)
{
    TILTreeButtonIconBase::Assign(source);
    if (const auto* other = dynamic_cast<const TILTreeColumnSortIcons*>(source); other != nullptr && other != this) {
        position_.Assign(&other->position_);
    }
}

std::string_view TILTreeColumnSortIcons::SharedImageName(int index) const
{
    switch (index) {
    case 0:
        return "ILTREE_SORTICON_DESCEND";
    case 1:
        return "ILTREE_SORTICON_ASCEND";
    default:
        return {};
    }
}
