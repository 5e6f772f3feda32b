#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/string_list.h"
#include "model/font.h"
#include "model/pattern_base.h"

class TTWCardList;
class TTWDFPattern;

// A lettered band: a text, one entry per character, and the name of the font it is woven
// in (the band's own Name), optionally with a copy of that font embedded. The band itself
// weaves nothing; its double-face design is generated from the font (below).
class TTWLetteredBand : public TTWPatternBase {
public:
    // No text, no embedded font.
    TTWLetteredBand();
    ~TTWLetteredBand() override;

    std::string_view className() const override { return "TTWLetteredBand"; }
    fw::Object* NewInstance() const override { return new TTWLetteredBand; }
    // The base's copy, the text, whether a font is embedded and the embedded font's content.
    void Assign(const fw::Persistent* source) override;

    int GetPatternType() const override { return PatternTypeLetteredBand; }
    int GetCardCount() const override { return 0; }
    int GetPickCount() const override { return 0; }
    // A lettered band weaves nothing by itself: the target is left as it is.
    void ConvertToThreaded(TTWPattern& target) override;

    // One entry per character of the band's text.
    fw::StringList& Text() { return text_; }
    const fw::StringList& Text() const { return text_; }
    // The text becomes one entry per character (UTF-8 sequence) of the string.
    void SetTextFrom(std::string_view text);

    // The embedded font, none when the band is not encapsulated.
    TTWFont* Font() const { return font_.get(); }
    bool GetEncapsulated() const { return font_ != nullptr; }
    // On makes an empty embedded font when there is none; off frees it.
    void SetEncapsulated(bool on);

    // The letters of the font for the entries of the text, in order; entries the font has no
    // letter for are left out.
    std::vector<const TTWFontChar*> LettersIn(const TTWFont& font) const;

    // Writes its own "Pattern" element (type "LetteredBand"): notes, the text and a "Font"
    // element naming the font, holding the embedded font when there is one. No name, no
    // selvedges.
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // Reads what BuildXML writes. Without a "Font" element the band has no font and no name.
    void ExtractXML(const TILXMLNode* element, double& version) override;

private:
    fw::StringList text_;
    std::unique_ptr<TTWFont> font_;
};

// The most cells a generated band design may have; far above any band that can be woven.
inline constexpr std::int64_t MaxLetteredBandCells = 16'000'000;

// The double-face design of the letters set one after the other along the band: a
// monochrome bitmap as wide as the font is high (one column per card) and as long as the
// letters with their spaces before and after and the font's kerning between neighbours.
// Glyph pixel (x, y) of a letter starting at row p lands on pixel (font height - 1 - y,
// p + space before + x); pixels that fall outside the design are left out. A design of more
// than MaxLetteredBandCells cells or longer than a double-face pattern can be raises.
fw::Bitmap BuildLetteredBandGrid(const TTWFont& font, std::span<const TTWFontChar* const> letters);

// The cards that weave a two-colour double-face design: one four-hole card per column,
// holes A and B of palette colour 0 and C and D of colour 1, threaded by the font's scheme
// (alternating: S on even columns, Z on odd ones).
void BuildLetteredBandCards(TTWCardList& cards, int count, std::uint8_t threading);

// The design as a two-colour double-face pattern: its size and cells from the bitmap
// (picture pixels as they are), its cards from the threading scheme. A design of more cells
// than a pattern file may hold (MaxDesignCells) raises the size setter's error and leaves
// the target as it was.
void BuildLetteredDFPattern(const fw::Bitmap& grid, std::uint8_t threading, TTWDFPattern& target);

// The threaded-in form of the design: the double-face pattern's cards, and two picks per
// design row from the bottom up. Name, notes, selvedges and palette of the target stay. A
// design of more turns than TTWPattern::MaxConvertedTurns raises before anything is made.
void BuildLetteredThreadedPattern(const fw::Bitmap& grid, std::uint8_t threading, TTWPattern& target);

// Puts the lettered band into the kind table; the model's initialisation calls it.
void RegisterLetteredBand();
