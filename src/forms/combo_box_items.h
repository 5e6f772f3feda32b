#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/gui/enum_set.h"
#include "treegrid/tree_collection.h"

class TILComboBox;
class TILComboBoxItem;

// --- A font change carried by one item ----------------------------------------------------------

enum class TILFontOverrideOption {
    ilfOverrideColour,
    ilfOverrideName,
    ilfOverrideSize,
    ilfOverrideStyle,
    // With ilfOverrideStyle: the style is added to the font's own instead of replacing it.
    ilfMergeStyle,
};
using TILFontOverrideOptions = fw::EnumSet<TILFontOverrideOption>;

// Which parts of a font an item shows differently: each value counts only while its option
// is set.
class TILFontOverride : public fw::Persistent {
public:
    TILFontOverride() = default;

    std::string_view className() const override { return "TILFontOverride"; }
    fw::Object* NewInstance() const override { return new TILFontOverride; }

    fw::Color Colour() const { return colour_; }
    void SetColour(fw::Color colour) { colour_ = colour; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // In points.
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }
    const fw::FontStyles& Style() const { return style_; }
    void SetStyle(const fw::FontStyles& style) { style_ = style; }
    // Only ilfMergeStyle on creation.
    TILFontOverrideOptions Options() const { return options_; }
    void SetOptions(TILFontOverrideOptions options) { options_ = options; }

    // Any option other than ilfMergeStyle is set.
    bool HasOverride() const;
    // The colour, name and size whose options are set; with ilfOverrideStyle the style,
    // replacing the font's or (with ilfMergeStyle) added to it.
    void ApplyTo(fw::Font& font) const;

    // From another override: all five values.
    void Assign(const fw::Persistent* source) override;

private:
    fw::Color colour_ = fw::clWindowText;
    std::string name_;
    int size_ = 8;
    fw::FontStyles style_;
    TILFontOverrideOptions options_{TILFontOverrideOption::ilfMergeStyle};
};

// --- Items other lists can be shown through ----------------------------------------------------

// A collection item with a number and a name, which a combo box's items can be filled from
// (TILComboBoxItemCollection::Assign).
class TILBaseCollectionItem : public TILCollectionItem {
public:
    TILBaseCollectionItem() = default;

    std::string_view className() const override { return "TILBaseCollectionItem"; }

    int Integer() const { return integer_; }
    void SetInteger(int value) { integer_ = value; }
    // The class name until one is set.
    std::string Name() const { return name_ ? *name_ : std::string(className()); }
    void SetName(std::string name) { name_ = std::move(name); }

    // The name, and setting it sets the name.
    std::string DisplayName() const override { return Name(); }
    void SetDisplayName(std::string name) { SetName(std::move(name)); }

    // From another such item: the number and the name.
    void Assign(const fw::Persistent* source) override;

private:
    int integer_ = 0;
    std::optional<std::string> name_;
};

// A collection of such items, for lists that fill combo boxes.
class TILBaseCollection : public TILCollectionOf<TILBaseCollectionItem> {
public:
    std::string_view className() const override { return "TILBaseCollection"; }
};

// --- The items of a combo box -------------------------------------------------------------------

// The items of a combo box, or the sub-items of one of them. Items are made by the
// collection (Add) and freed by it; freeing the selected item, or one of the items above it,
// leaves the combo box with nothing selected.
class TILComboBoxItemCollection : public TILCollectionOf<TILComboBoxItem> {
public:
    // combo: the combo box the items belong to (none for items of no combo box); parentItem:
    // the item whose sub-items these are, none for the top level.
    explicit TILComboBoxItemCollection(TILComboBox* combo = nullptr, TILComboBoxItem* parentItem = nullptr);
    ~TILComboBoxItemCollection() override;

    std::string_view className() const override { return "TILComboBoxItemCollection"; }

    TILComboBox* ComboBox() const { return combo_; }
    TILComboBoxItem* ParentItem() const { return parentItem_; }

    // The combo box's ItemIndex becomes -1 first; then every item goes.
    void Clear();
    // A new item at the end with the caption, tag, flags and data (not owned).
    TILComboBoxItem* Add(const std::string& caption, int tag = 0, bool visible = true, bool enabled = true,
                         fw::Object* data = nullptr);
    using TILCollectionOf<TILComboBoxItem>::Add;

    // The first item in order whose Tag equals; with recursive each item's sub-items are
    // searched right after the item itself (depth first). None when no item has it.
    TILComboBoxItem* FindByTag(int tag, bool recursive) const;
    // Whether the item is one of these or lies anywhere below them.
    bool Contains(const TILComboBoxItem* item) const;

    // From a collection of TILBaseCollectionItem: cleared, then one item per source item
    // (caption = its name, Tag = its number, data = the source item). Any other collection
    // is copied item by item.
    void Assign(const fw::Persistent* source) override;

protected:
    std::unique_ptr<TILCollectionItem> CreateItem() const override;
    void Deleting(TILCollectionItem* item) override;

private:
    TILComboBox* combo_;
    TILComboBoxItem* parentItem_;
};

// One item of a combo box: its column strings (the caption is one of them), a tag, enabled
// and visible flags, a font override, a data object (not owned) and its own sub-items.
class TILComboBoxItem : public TILCollectionItem {
public:
    // combo: the combo box whose items these are; none for a loose item.
    explicit TILComboBoxItem(TILComboBox* combo = nullptr);
    ~TILComboBoxItem() override;

    std::string_view className() const override { return "TILComboBoxItem"; }

    // The entry of Strings at the combo box's CaptionIndex, "" when Strings is shorter.
    std::string Caption() const;
    // Pads Strings with empty strings up to CaptionIndex, then sets that entry; the combo box
    // repaints when this is its selected item.
    void SetCaption(const std::string& caption);
    std::string DisplayName() const override { return Caption(); }

    // The item's columns in the drop-down list.
    const std::vector<std::string>& Strings() const { return strings_; }
    void SetStrings(std::vector<std::string> strings);
    // Sets one column (growing the list with empty strings).
    void SetString(int index, const std::string& text);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    TILFontOverride& FontOverride() { return fontOverride_; }
    const TILFontOverride& FontOverride() const { return fontOverride_; }
    TILComboBoxItemCollection& Items() { return *items_; }
    const TILComboBoxItemCollection& Items() const { return *items_; }
    // Not owned.
    fw::Object* Data() const { return data_; }
    void SetData(fw::Object* data) { data_ = data; }

    // The combo box the item belongs to, none for a loose item.
    TILComboBox* ComboBox() const { return items_->ComboBox(); }
    // The item whose sub-item this is, none at the top level.
    TILComboBoxItem* ParentItem() const;
    // Whether the item is this one or lies anywhere below it.
    bool Contains(const TILComboBoxItem* item) const;
    // Visible and (enabled, or the combo box shows disabled items): a row of the drop-down.
    bool Shown() const;

    // From another combo-box item: strings, tag, flags, font override, data and a copy of
    // every sub-item.
    void Assign(const fw::Persistent* source) override;

private:
    int CaptionIndex() const;

    std::vector<std::string> strings_;
    int tag_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    TILFontOverride fontOverride_;
    std::unique_ptr<TILComboBoxItemCollection> items_;
    fw::Object* data_ = nullptr;
};
