#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/enhanced_list.h"

class TILXMLNode;
class TILXMLTree;

// A colour value 0x00BBGGRR; a set top bit marks a system colour.
using TTWColour = std::uint32_t;

// The colour of a palette index that does not exist.
inline constexpr TTWColour NoColour = 0x1FFFFFFF;

// The name of the file, in the program's folder, that keeps the user's named palettes.
inline constexpr const char* PalettesFileName = "tvlpalettes.xml";

// The name of the palette that seeds every new pattern.
inline constexpr const char* DefaultPaletteName = "(Default)";

// Colours as stored in files: signed decimal, so 0x8000000F is written "-2147483633".
std::string ColourToText(TTWColour colour);
// Reads signed or unsigned decimal (and anything the integer conversion accepts); 0 for a
// text that is no 32-bit number.
TTWColour TextToColour(std::string_view text);

// The colour value a file gives at the place, as TextToColour reads it; a text that is no
// colour value would read as 0 and be saved so, and raises
//   "Invalid colour (<text>) in <place>.\r\nA colour is a whole number."
TTWColour ReadColourText(std::string_view text, const std::string& place, const fw::Object* sender,
                         const std::string& method);

// The numbered colours that hole colours index into.
class TTWPalette : public fw::Persistent {
public:
    // Sixteen standard colours, no name.
    TTWPalette();

    static constexpr int StandardSize = 16;
    // The largest palette a file may ask for; far above anything a band uses, low enough
    // that a damaged "Size" cannot exhaust memory.
    static constexpr int MaxSize = 65536;

    std::string_view className() const override { return "TTWPalette"; }
    fw::Object* NewInstance() const override { return new TTWPalette; }
    // From a palette: the name, the size and every colour.
    void Assign(const fw::Persistent* source) override;

    int Size() const { return size_; }
    // Growing appends colour 0 entries, shrinking removes from the end. A negative size
    // counts as 0; a size above MaxSize raises.
    void SetSize(int size);
    // The number of colours held (always Size).
    int Count() const { return static_cast<int>(colours_.size()); }

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // NoColour when the index is below 0 or not below Size.
    TTWColour GetColour(int index) const;
    // Ignored outside the colours held.
    void SetColour(int index, TTWColour colour);
    const std::vector<TTWColour>& Colours() const { return colours_; }

    // The size and every colour of the source (the name stays); nothing for none.
    void CopyFrom(const TTWPalette* source);

    // A child element with the tag, the attributes "Name" and "Size" and one "Colour" child
    // (attribute "Index", 1-based) per colour. Returns the new element.
    TILXMLNode* WriteToXML(TILXMLNode* parent, std::string_view tag) const;
    // The name and size from the attributes, then every "Colour" child (tag without regard
    // to case) inside the size; others are ignored, colours not given keep their value.
    void ReadFromXML(const TILXMLNode* node);

private:
    std::vector<TTWColour> colours_;
    int size_ = 0;
    std::string name_;
};

// The user's named palettes. The program keeps one such list from start-up to shut-down,
// read from and written to the palettes file.
class TTWPaletteList : public TEnhancedListOf<TTWPalette> {
public:
    // The colours all palettes of the file may hold together: each palette may ask for up to
    // TTWPalette::MaxSize, but a damaged file of many such palettes must not exhaust the
    // memory.
    static constexpr int MaxColours = 1'000'000;

    TTWPaletteList() : TEnhancedListOf<TTWPalette>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWPaletteList"; }
    fw::Object* NewInstance() const override { return new TTWPaletteList; }

    // The first palette named so without regard to case, none when absent.
    TTWPalette* FindByName(std::string_view name) const;
    // None outside the range.
    TTWPalette* Palettes(int index) const { return GetItem(index); }
    // Appends a palette with the 16 standard colours and no name.
    TTWPalette* AddNew();
    // The palette named "(Default)", else the first, else none.
    TTWPalette* DefaultPalette() const;
    // The start-up state: the list cleared, then one standard palette named "(Default)".
    void ResetToDefault();

    // The document of the palettes file: a bare "TVL" holding "Palettes" (attribute "Count")
    // with one "Palette" per palette.
    void WriteToXML(TILXMLTree& tree) const;
    // Without "TVL/Palettes" the list stays as it is; else it is replaced by one palette per
    // child of "Palettes", whatever its tag. Palettes of more than MaxColours colours
    // together raise and leave the list as it was.
    void ReadFromXML(const TILXMLTree& tree);

    // Writes the palettes file with indentation, replacing it; a failure raises.
    void SaveToFile(const std::filesystem::path& fileName) const;
    // Reads the palettes file; a missing or broken file raises and leaves the list unchanged.
    // A broken one, or one without "TVL/Palettes", is moved aside first (KeepDamagedFileAside)
    // and the error names it.
    void LoadFromFile(const std::filesystem::path& fileName);
};
