#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "framework/core/bitmap.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"

class TILXMLNode;

// How the cards of a lettered band are threaded.
inline constexpr std::uint8_t FontThreadingAllS = 0;
inline constexpr std::uint8_t FontThreadingAllZ = 1;
inline constexpr std::uint8_t FontThreadingAltSZ = 2;

// "AllS", "AllZ" or "AltSZ"; empty for any other code.
std::string_view FontThreadingText(std::uint8_t threading);
// The code of a threading text, compared without regard to case; the current code for any
// other text.
std::uint8_t FontThreadingFromText(std::string_view text, std::uint8_t current);

// One letter of a weaving font: the character it stands for and its glyph, a monochrome
// picture woven in double face. The glyph's x runs along the band (its width is the
// letter's width in rows), its y across the band (its height is one pixel per card).
class TTWFontChar : public fw::Persistent {
public:
    // Far above any real letter; more is a damaged file or a runaway caller. A letter is
    // as many cards high as the band woven from it, which no pattern passes.
    static constexpr int MaxWidth = 10'000;
    static constexpr int MaxHeight = MaxPatternCards;

    // The character it stands for.
    std::string Letter;
    std::string Name;
    // Extra rows of the band before and after the letter.
    int SpaceBefore = 0;
    int SpaceAfter = 0;

    // An empty glyph, no letter, no name, no spaces.
    TTWFontChar();

    std::string_view className() const override { return "TTWFontChar"; }
    fw::Object* NewInstance() const override { return new TTWFontChar; }
    // From a letter: the letter, name, glyph (a copy) and both spaces.
    void Assign(const fw::Persistent* source) override;

    // Black pixels are set. Resizing it directly is the caller's business; the setters
    // below check the size.
    fw::Bitmap& Glyph() { return glyph_; }
    const fw::Bitmap& Glyph() const { return glyph_; }

    int Width() const { return glyph_.Width(); }
    int Height() const { return glyph_.Height(); }
    // Resize the glyph, keeping its pixels at the top left and adding white. Sizes below 0
    // or above the maximum raise, and so does a glyph of more than MaxDesignCells pixels,
    // with the text of PatternCellsText for the design its file holds (height x width).
    void SetWidth(int width);
    void SetHeight(int height);

    // The glyph written as a nested double-face pattern into the parent: pattern width =
    // glyph height, length = glyph width, glyph pixel (x, y) at picture pixel
    // (height - 1 - y, x).
    void WriteGlyphToXML(TILXMLNode* parent) const;
    // The glyph read back from a double-face pattern element.
    void ReadGlyphFromXML(const TILXMLNode* patternElement);

private:
    void CheckSize(int width, int height, const char* methodName) const;

    fw::Bitmap glyph_;
};

class TTWFontCharList : public TEnhancedListOf<TTWFontChar> {
public:
    TTWFontCharList() : TEnhancedListOf<TTWFontChar>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWFontCharList"; }
    fw::Object* NewInstance() const override { return new TTWFontCharList; }
};

// A weaving font: letters drawn as double-face glyphs, with the letter height (the number
// of cards), the width new letters start with, the rows left between letters and the card
// threading. Stored in font files; it weaves nothing by itself.
class TTWFont : public TTWPatternBase {
public:
    // The pixels all glyphs together may hold: far above any real font, low enough that a
    // damaged file cannot exhaust memory.
    static constexpr std::int64_t MaxGlyphPixels = 16'000'000;

    // No letters, kerning 1, height 30, default width 12, all cards S, no name.
    TTWFont();

    std::string_view className() const override { return "TTWFont"; }
    fw::Object* NewInstance() const override { return new TTWFont; }
    // The base's copy, then name, kerning, height, default width, threading and a copy of
    // every letter.
    void Assign(const fw::Persistent* source) override;

    int GetPatternType() const override { return PatternTypeFont; }
    int GetCardCount() const override { return 0; }
    int GetPickCount() const override { return 0; }
    // A font weaves nothing by itself: the target is left as it is.
    void ConvertToThreaded(TTWPattern& target) override;

    TTWFontCharList& Chars() { return chars_; }
    const TTWFontCharList& Chars() const { return chars_; }
    int GetCharCount() const { return chars_.Count(); }
    // None outside the range.
    TTWFontChar* GetChar(int index) const { return chars_.GetItem(index); }
    // The first letter whose Letter is exactly the text (case counts); none when absent.
    TTWFontChar* FindChar(std::string_view letter) const;
    // Appends a letter with a white glyph of the font's height and default width.
    TTWFontChar* AddChar(std::string letter, std::string name);

    int Kerning() const { return kerning_; }
    void SetKerning(int kerning) { kerning_ = kerning; }
    int Height() const { return height_; }
    // Only for a height above 0: the height and the height of every glyph. A height above
    // TTWFontChar::MaxHeight, a letter that would hold more than MaxDesignCells pixels, or
    // glyphs that would hold more than MaxGlyphPixels raise before anything changes.
    void SetHeight(int height);
    int DefCharWidth() const { return defCharWidth_; }
    void SetDefCharWidth(int width) { defCharWidth_ = width; }
    std::uint8_t Threading() const { return threading_; }
    void SetThreading(std::uint8_t threading) { threading_ = threading; }

    // Reads a font file; a file without font data raises "No font data found.".
    void LoadFromFile(const std::string& fileName) override;
    // The base's "Font" element, then "Height", "DefCharWidth", "Kerning", "Threading" and
    // "Data" with one "Character" per letter.
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // Reads what BuildXML writes; a missing height reads as 24, a missing default width as
    // 12 and a missing kerning as 1. Glyphs of more than MaxGlyphPixels together raise.
    void ExtractXML(const TILXMLNode* element, double& version) override;

private:
    // Raises when glyphs of that many pixels would take the font beyond MaxGlyphPixels.
    void CheckGlyphPixels(std::int64_t pixels, const char* methodName) const;

    TTWFontCharList chars_;
    int kerning_ = 1;
    int height_ = 30;
    int defCharWidth_ = 12;
    std::uint8_t threading_ = FontThreadingAllS;
};

// Puts the font into the kind table; the model's initialisation calls it.
void RegisterFont();
