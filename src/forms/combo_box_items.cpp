#include "forms/combo_box_items.h"

#include <algorithm>

#include "forms/combo_box.h"

// --- TILFontOverride ---------------------------------------------------------------------------

bool TILFontOverride::HasOverride() const
{
    return options_.Contains(TILFontOverrideOption::ilfOverrideColour)
           || options_.Contains(TILFontOverrideOption::ilfOverrideName)
           || options_.Contains(TILFontOverrideOption::ilfOverrideSize)
           || options_.Contains(TILFontOverrideOption::ilfOverrideStyle);
}

void TILFontOverride::ApplyTo(fw::Font& font) const
{
    if (options_.Contains(TILFontOverrideOption::ilfOverrideColour)) {
        font.Color = colour_;
    }
    if (options_.Contains(TILFontOverrideOption::ilfOverrideName)) {
        font.Name = name_;
    }
    if (options_.Contains(TILFontOverrideOption::ilfOverrideSize)) {
        font.SetSize(size_);
    }
    if (options_.Contains(TILFontOverrideOption::ilfOverrideStyle)) {
        if (options_.Contains(TILFontOverrideOption::ilfMergeStyle)) {
            font.Style.Bold = font.Style.Bold || style_.Bold;
            font.Style.Italic = font.Style.Italic || style_.Italic;
            font.Style.Underline = font.Style.Underline || style_.Underline;
            font.Style.StrikeOut = font.Style.StrikeOut || style_.StrikeOut;
        } else {
            font.Style = style_;
        }
    }
}

void TILFontOverride::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TILFontOverride*>(source)) {
        colour_ = other->colour_;
        name_ = other->name_;
        size_ = other->size_;
        style_ = other->style_;
        options_ = other->options_;
        return;
    }
    fw::Persistent::Assign(source);
}

// --- TILBaseCollectionItem ---------------------------------------------------------------------

void TILBaseCollectionItem::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TILBaseCollectionItem*>(source)) {
        integer_ = other->integer_;
        name_ = other->Name();
        return;
    }
    TILCollectionItem::Assign(source);
}

// --- TILComboBoxItemCollection -----------------------------------------------------------------

TILComboBoxItemCollection::TILComboBoxItemCollection(TILComboBox* combo, TILComboBoxItem* parentItem)
    : combo_(combo), parentItem_(parentItem)
{
}

TILComboBoxItemCollection::~TILComboBoxItemCollection()
{
    // The items leave one by one, so that the combo box forgets each in time.
    TILCollection::Clear();
}

std::unique_ptr<TILCollectionItem> TILComboBoxItemCollection::CreateItem() const
{
    return std::make_unique<TILComboBoxItem>(combo_);
}

void TILComboBoxItemCollection::Clear()
{
    if (combo_ != nullptr && parentItem_ == nullptr) {
        combo_->SetItemIndex(-1);
    }
    TILCollection::Clear();
}

TILComboBoxItem* TILComboBoxItemCollection::Add(const std::string& caption, int tag, bool visible, bool enabled,
                                                fw::Object* data)
{
    TILComboBoxItem* item = Add();
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetVisible(visible);
    item->SetEnabled(enabled);
    item->SetData(data);
    return item;
}

TILComboBoxItem* TILComboBoxItemCollection::FindByTag(int tag, bool recursive) const
{
    for (int i = 0; i < Count(); ++i) {
        TILComboBoxItem* item = GetItem(i);
        if (item->Tag() == tag) {
            return item;
        }
        if (recursive) {
            if (TILComboBoxItem* below = item->Items().FindByTag(tag, true)) {
                return below;
            }
        }
    }
    return nullptr;
}

bool TILComboBoxItemCollection::Contains(const TILComboBoxItem* item) const
{
    for (int i = 0; i < Count(); ++i) {
        if (GetItem(i)->Contains(item)) {
            return true;
        }
    }
    return false;
}

void TILComboBoxItemCollection::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILCollection*>(source);
    if (other == this) {
        return;
    }
    bool baseItems = other != nullptr && other->Count() > 0;
    for (int i = 0; baseItems && i < other->Count(); ++i) {
        baseItems = dynamic_cast<const TILBaseCollectionItem*>(other->GetItem(i)) != nullptr;
    }
    if (!baseItems) {
        if (other != nullptr) {
            Clear();
        }
        TILCollectionOf<TILComboBoxItem>::Assign(source);
        return;
    }
    Clear();
    for (int i = 0; i < other->Count(); ++i) {
        auto* sourceItem = static_cast<TILBaseCollectionItem*>(other->GetItem(i));
        Add(sourceItem->Name(), sourceItem->Integer(), true, true, sourceItem);
    }
}

void TILComboBoxItemCollection::Deleting(TILCollectionItem* item)
{
    if (combo_ != nullptr) {
        combo_->ItemLeaving(static_cast<TILComboBoxItem*>(item));
    }
}

// --- TILComboBoxItem ---------------------------------------------------------------------------

TILComboBoxItem::TILComboBoxItem(TILComboBox* combo)
    : items_(std::make_unique<TILComboBoxItemCollection>(combo, this))
{
}

TILComboBoxItem::~TILComboBoxItem() = default;

int TILComboBoxItem::CaptionIndex() const
{
    const TILComboBox* combo = ComboBox();
    return combo != nullptr ? std::max(combo->CaptionIndex(), 0) : 0;
}

std::string TILComboBoxItem::Caption() const
{
    const auto index = static_cast<std::size_t>(CaptionIndex());
    return index < strings_.size() ? strings_[index] : std::string();
}

void TILComboBoxItem::SetCaption(const std::string& caption)
{
    const int index = CaptionIndex();
    const bool changed = Caption() != caption;
    SetString(index, caption);
    if (changed) {
        if (TILComboBox* combo = ComboBox()) {
            combo->ItemCaptionChanged(this);
        }
    }
}

void TILComboBoxItem::SetStrings(std::vector<std::string> strings)
{
    const std::string before = Caption();
    strings_ = std::move(strings);
    if (Caption() != before) {
        if (TILComboBox* combo = ComboBox()) {
            combo->ItemCaptionChanged(this);
        }
    }
}

void TILComboBoxItem::SetString(int index, const std::string& text)
{
    if (index < 0) {
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    if (strings_.size() <= at) {
        strings_.resize(at + 1);
    }
    strings_[at] = text;
}

TILComboBoxItem* TILComboBoxItem::ParentItem() const
{
    const auto* collection = dynamic_cast<const TILComboBoxItemCollection*>(Collection());
    return collection != nullptr ? collection->ParentItem() : nullptr;
}

bool TILComboBoxItem::Contains(const TILComboBoxItem* item) const
{
    return item == this || items_->Contains(item);
}

bool TILComboBoxItem::Shown() const
{
    if (!visible_) {
        return false;
    }
    const TILComboBox* combo = ComboBox();
    return enabled_ || (combo != nullptr && combo->HasOption(TILComboBoxOption::ilcbShowDisabled));
}

void TILComboBoxItem::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TILComboBoxItem*>(source)) {
        SetStrings(other->strings_);
        tag_ = other->tag_;
        enabled_ = other->enabled_;
        visible_ = other->visible_;
        fontOverride_.Assign(&other->fontOverride_);
        data_ = other->data_;
        items_->Assign(other->items_.get());
        return;
    }
    TILCollectionItem::Assign(source);
}
