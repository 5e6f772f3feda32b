#include "model/lettered_band.h"

#include <algorithm>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/encoding.h"
#include "framework/core/strings.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/file_values.h"
#include "model/threaded_pattern.h"

namespace {

std::unique_ptr<TTWPatternBase> MakeLetteredBand()
{
    return std::make_unique<TTWLetteredBand>();
}

std::uint8_t CardThreading(std::uint8_t scheme, int column)
{
    switch (scheme) {
    case FontThreadingAllZ:
        return ThreadingZ;
    case FontThreadingAltSZ:
        return column % 2 == 0 ? ThreadingS : ThreadingZ;
    default:
        return ThreadingS;
    }
}

[[noreturn]] void RaiseTooLong(std::int64_t length, int height)
{
    throw TGenericException("The lettered band is too large: " + fw::IntToStr(length) + " rows of "
                                + fw::IntToStr(height) + " cards.\r\nA band design holds at most "
                                + fw::IntToStr(MaxLetteredBandCells) + " cells and "
                                + fw::IntToStr(TTWDFPattern::MaxLength) + " rows.",
                            nullptr, "", "BuildLetteredBandGrid");
}

} // namespace

// --- the band ---

TTWLetteredBand::TTWLetteredBand() = default;

TTWLetteredBand::~TTWLetteredBand() = default;

void TTWLetteredBand::Assign(const fw::Persistent* source)
{
    if (source == this) {
        return;
    }
    TTWPatternBase::Assign(source);
    if (const auto* band = dynamic_cast<const TTWLetteredBand*>(source)) {
        text_.Assign(band->text_);
        SetEncapsulated(band->GetEncapsulated());
        if (band->font_ != nullptr) {
            font_->Assign(band->font_.get());
        }
    }
}

void TTWLetteredBand::ConvertToThreaded(TTWPattern& /*target*/) {}

void TTWLetteredBand::SetTextFrom(std::string_view text)
{
    text_.Clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        fw::DecodeUtf8(text, pos);
        text_.Add(std::string(text.substr(start, pos - start)));
    }
}

void TTWLetteredBand::SetEncapsulated(bool on)
{
    if (on && font_ == nullptr) {
        font_ = std::make_unique<TTWFont>();
    } else if (!on) {
        font_.reset();
    }
}

std::vector<const TTWFontChar*> TTWLetteredBand::LettersIn(const TTWFont& font) const
{
    std::vector<const TTWFontChar*> letters;
    for (const std::string& entry : text_) {
        if (const TTWFontChar* letter = font.FindChar(entry)) {
            letters.push_back(letter);
        }
    }
    return letters;
}

TILXMLNode* TTWLetteredBand::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Pattern");
    element->AddAttribute("Type", "LetteredBand");
    element->AddChildValue("Notes", EncodeXMLText(Notes()));
    TILXMLNode* text = element->AddChild("Text");
    for (const std::string& entry : text_) {
        text->AddChildText("Char", entry);
    }
    TILXMLNode* font = element->AddChild("Font");
    font->AddAttribute("Name", Name());
    font->AddAttribute("Encapsulated", font_ != nullptr ? "Yes" : "No");
    if (font_ != nullptr) {
        font_->BuildXML(font);
    }
    return element;
}

void TTWLetteredBand::ExtractXML(const TILXMLNode* element, double& version)
{
    version = ReadTWDataVersion(element);
    if (const TILXMLNode* notes = element->FindChild("Notes")) {
        // Lines, as other kinds write their notes, are read too.
        SetNotes(notes->ChildCount() == 0 ? DecodeXMLText(notes->Value()) : notes->ReadTextLines("", "L"));
    }

    text_.Clear();
    if (const TILXMLNode* text = element->FindTag("Text", true, true, false)) {
        for (int i = 0; i < text->ChildCount(); ++i) {
            const TILXMLNode* entry = text->GetChild(i);
            if (entry->Tag() == "Char") {
                text_.Add(entry->Text());
            }
        }
    }

    // The embedded font is read afresh: nothing of a font held before survives.
    font_.reset();
    const TILXMLNode* font = element->FindTag("Font", false, true, false);
    if (font == nullptr) {
        SetName("");
        return;
    }
    SetName(font->GetAttribute("Name"));
    const bool encapsulated = ReadFlagAttribute(*font, "Encapsulated", false, this, "ExtractXML");
    const TILXMLNode* embedded = font->FindTag("Font", false, true, false);
    // A font held in the file of a band that says it holds none would not be opened, and the
    // next save would drop it.
    if (!encapsulated && embedded != nullptr) {
        RaiseInvalidValue("value", font->AttributeValue("Encapsulated"), ValuePlace(*font, "Encapsulated"),
                          "The band's file holds its font.", this, "ExtractXML");
    }
    SetEncapsulated(encapsulated);
    if (font_ != nullptr && embedded != nullptr) {
        double fontVersion = 0;
        font_->ExtractXML(embedded, fontVersion);
    }
}

// --- generating the band ---

fw::Bitmap BuildLetteredBandGrid(const TTWFont& font, std::span<const TTWFontChar* const> letters)
{
    const int height = font.Height();
    std::int64_t length = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const TTWFontChar& letter = *letters[i];
        length += static_cast<std::int64_t>(letter.SpaceBefore) + letter.Width() + letter.SpaceAfter;
        if (i + 1 < letters.size()) {
            length += font.Kerning();
        }
    }
    // Negative spaces may pull letters over each other, but a band is never shorter than
    // nothing.
    length = std::max<std::int64_t>(length, 0);
    if (length > TTWDFPattern::MaxLength || length * height > MaxLetteredBandCells) {
        RaiseTooLong(length, height);
    }

    fw::Bitmap grid(height, static_cast<int>(length), true);
    std::int64_t position = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const TTWFontChar& letter = *letters[i];
        const fw::Bitmap& glyph = letter.Glyph();
        const std::int64_t first = position + letter.SpaceBefore;
        for (int x = 0; x < glyph.Width(); ++x) {
            const std::int64_t row = first + x;
            if (row < 0 || row >= length) {
                continue;
            }
            for (int y = 0; y < glyph.Height(); ++y) {
                grid.SetPixel(height - 1 - y, static_cast<int>(row), glyph.Pixel(x, y));
            }
        }
        position = first + letter.Width() + letter.SpaceAfter;
        if (i + 1 < letters.size()) {
            position += font.Kerning();
        }
    }
    return grid;
}

void BuildLetteredBandCards(TTWCardList& cards, int count, std::uint8_t threading)
{
    cards.Clear();
    for (int column = 0; column < count; ++column) {
        auto card = std::make_unique<TTWCard4>();
        card->SetHoleColour(0, 0);
        card->SetHoleColour(1, 0);
        card->SetHoleColour(2, 1);
        card->SetHoleColour(3, 1);
        card->SetThreading(CardThreading(threading, column));
        card->Reset();
        cards.Add(card.release());
    }
}

void BuildLetteredDFPattern(const fw::Bitmap& grid, std::uint8_t threading, TTWDFPattern& target)
{
    const int width = grid.Width();
    const int length = grid.Height();
    target.SetSize(width, length);
    target.SetColourCount(2);
    BuildLetteredBandCards(target.Cards(), width, threading);
    // The design and the pattern's grid are addressed alike: picture row r is design row
    // length - 1 - r.
    for (int row = 0; row < length; ++row) {
        for (int x = 0; x < width; ++x) {
            target.SetCell(x, length - 1 - row, grid.Pixel(x, row) == fw::Bitmap::Black);
        }
    }
}

void BuildLetteredThreadedPattern(const fw::Bitmap& grid, std::uint8_t threading, TTWPattern& target)
{
    // Two picks per row, as the double-face pattern converts: refused before it is built.
    TTWPattern::CheckConversionSize(grid.Width(), 2 * static_cast<std::int64_t>(grid.Height()), nullptr);
    // Straight from the design, not through a double-face pattern: a band is woven and
    // shown at its own limit, while a double-face pattern holds only what its file may.
    BuildLetteredBandCards(target.Cards(), grid.Width(), threading);
    target.Packs().Clear();
    target.Picks().Clear();
    AppendDoubleFacePicks(grid, 2, target.Picks());
}

void RegisterLetteredBand()
{
    RegisterPatternClass(PatternTypeLetteredBand, &MakeLetteredBand);
}
