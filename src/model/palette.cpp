#include "model/palette.h"

#include <array>
#include <cstdint>
#include <utility>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/strings.h"
#include "model/damaged_file.h"
#include "model/file_values.h"
#include "model/pattern_limits.h"

namespace {

constexpr std::array<TTWColour, TTWPalette::StandardSize> StandardColours = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

constexpr const char* PaletteTag = "Palette";

} // namespace

std::string ColourToText(TTWColour colour)
{
    return fw::IntToStr(static_cast<std::int32_t>(colour));
}

TTWColour TextToColour(std::string_view text)
{
    // Signed first, as written; an unsigned text of a system colour is accepted too.
    int signedValue = 0;
    if (fw::TryStrToInt(text, signedValue)) {
        return static_cast<TTWColour>(signedValue);
    }
    std::int64_t wide = 0;
    if (fw::TryStrToInt64(text, wide) && wide >= 0 && wide <= 0xFFFFFFFFLL) {
        return static_cast<TTWColour>(wide);
    }
    return 0;
}

TTWColour ReadColourText(std::string_view text, const std::string& place, const fw::Object* sender,
                         const std::string& method)
{
    int signedValue = 0;
    std::int64_t wide = 0;
    if (!fw::TryStrToInt(text, signedValue) && !(fw::TryStrToInt64(text, wide) && wide >= 0 && wide <= 0xFFFFFFFFLL)) {
        RaiseInvalidValue("colour", text, place, "A colour is a whole number.", sender, method);
    }
    return TextToColour(text);
}

TTWPalette::TTWPalette() : colours_(StandardColours.begin(), StandardColours.end()), size_(StandardSize) {}

void TTWPalette::Assign(const fw::Persistent* source)
{
    if (auto* palette = dynamic_cast<const TTWPalette*>(source)) {
        if (palette != this) {
            name_ = palette->name_;
            CopyFrom(palette);
        }
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWPalette::SetSize(int size)
{
    if (size > MaxSize) {
        throw TGenericException::CreateFromSender("Invalid palette size " + fw::IntToStr(size)
                                                      + ".\r\nA palette holds at most " + fw::IntToStr(MaxSize)
                                                      + " colours.",
                                                  nullptr, this, "SetSize");
    }
    if (size < 0) {
        size = 0;
    }
    colours_.resize(static_cast<std::size_t>(size), 0);
    size_ = size;
}

TTWColour TTWPalette::GetColour(int index) const
{
    if (index < 0 || index >= size_) {
        return NoColour;
    }
    return colours_[static_cast<std::size_t>(index)];
}

void TTWPalette::SetColour(int index, TTWColour colour)
{
    if (index >= 0 && index < Count()) {
        colours_[static_cast<std::size_t>(index)] = colour;
    }
}

void TTWPalette::CopyFrom(const TTWPalette* source)
{
    if (source == nullptr || source == this) {
        return;
    }
    SetSize(source->Size());
    colours_ = source->colours_;
}

TILXMLNode* TTWPalette::WriteToXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag);
    element->AddAttribute("Name", name_);
    element->AddAttribute("Size", fw::IntToStr(size_));
    for (int i = 0; i < Count(); ++i) {
        TILXMLNode* colour = element->AddChildValue("Colour", ColourToText(colours_[static_cast<std::size_t>(i)]));
        colour->AddAttribute("Index", fw::IntToStr(i + 1));
    }
    return element;
}

void TTWPalette::ReadFromXML(const TILXMLNode* node)
{
    if (node == nullptr) {
        return;
    }
    name_ = node->GetAttribute("Name");
    SetSize(ReadFileCount(*node, "Size", this, "ReadFromXML"));
    for (int i = 0; i < node->ChildCount(); ++i) {
        const TILXMLNode* child = node->GetChild(i);
        if (!fw::SameText(child->Tag(), "Colour")) {
            continue;
        }
        // The stored number is 1-based: a colour of no place in the palette, or one that is no
        // colour value, would be dropped or changed by the next save.
        const int number = ReadNumberText(child->AttributeValue("Index"), ValuePlace(*child, "Index"), 1,
                                          HighestNumber, this, "ReadFromXML");
        if (number > size_) {
            RaiseInvalidValue("number", child->AttributeValue("Index"), ValuePlace(*child, "Index"),
                              "The palette holds " + fw::IntToStr(size_) + " colours.", this, "ReadFromXML");
        }
        SetColour(number - 1, ReadColourText(child->Value(), ValuePlace(*child), this, "ReadFromXML"));
    }
}

TTWPalette* TTWPaletteList::FindByName(std::string_view name) const
{
    for (fw::Object* item : *this) {
        auto* palette = static_cast<TTWPalette*>(item);
        if (fw::SameText(palette->Name(), name)) {
            return palette;
        }
    }
    return nullptr;
}

TTWPalette* TTWPaletteList::AddNew()
{
    auto* palette = new TTWPalette;
    Add(palette);
    return palette;
}

TTWPalette* TTWPaletteList::DefaultPalette() const
{
    if (TTWPalette* named = FindByName(DefaultPaletteName)) {
        return named;
    }
    return GetItem(0);
}

void TTWPaletteList::ResetToDefault()
{
    Clear();
    AddNew()->SetName(DefaultPaletteName);
}

void TTWPaletteList::WriteToXML(TILXMLTree& tree) const
{
    TILXMLNode* root = tree.AddRootNode("TVL");
    TILXMLNode* palettes = root->AddChild("Palettes");
    palettes->AddAttribute("Count", fw::IntToStr(Count()));
    for (int i = 0; i < Count(); ++i) {
        Items(i)->WriteToXML(palettes, PaletteTag);
    }
}

void TTWPaletteList::ReadFromXML(const TILXMLTree& tree)
{
    const TILXMLNode* palettes = tree.FindTag("TVL/Palettes", false);
    if (palettes == nullptr) {
        return;
    }
    // Read everything before touching the list, so that a bad palette leaves the list whole.
    TTWPaletteList read;
    std::int64_t colours = 0;
    for (int i = 0; i < palettes->ChildCount(); ++i) {
        TTWPalette* palette = read.AddNew();
        palette->ReadFromXML(palettes->GetChild(i));
        colours += palette->Size();
        if (colours > MaxColours) {
            throw TGenericException::CreateFromSender("Too many colours.\r\nThe palettes hold at most "
                                                          + fw::IntToStr(MaxColours) + " colours together.",
                                                      nullptr, this, "ReadFromXML");
        }
    }
    Clear();
    while (read.Count() > 0) {
        auto* palette = static_cast<TTWPalette*>(read.Extract(read.Items(0)));
        Add(palette);
    }
}

void TTWPaletteList::SaveToFile(const std::filesystem::path& fileName) const
{
    TILXMLTree tree;
    WriteToXML(tree);
    tree.SaveToFile(fileName);
}

void TTWPaletteList::LoadFromFile(const std::filesystem::path& fileName)
{
    TILXMLTree tree;
    std::string bytes = fw::ReadFileBytes(fileName);
    try {
        tree.ParseFileBytes(std::move(bytes));
        // A document without palettes would be written over by the list as it is.
        tree.FindTag("TVL/Palettes", true);
        ReadFromXML(tree);
    } catch (const std::exception& error) {
        RaiseDamagedFile("palettes", "the standard palette is", fileName, error, this, "LoadFromFile");
    }
}
