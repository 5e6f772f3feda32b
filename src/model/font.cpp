#include "model/font.h"

#include <iterator>
#include <memory>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/strings.h"
#include "model/df_pattern.h"
#include "model/file_values.h"
#include "model/pattern_file_read.h"
#include "model/pattern_limits.h"

namespace {

// What a font file without these elements is read as. A new font starts 30 high; files
// without a height come from versions whose letters were 24 cards high.
constexpr int HeightWhenAbsent = 24;
constexpr int DefCharWidthWhenAbsent = 12;
constexpr int KerningWhenAbsent = 1;

constexpr std::string_view ThreadingTexts[] = {"AllS", "AllZ", "AltSZ"};

std::unique_ptr<TTWPatternBase> MakeFont()
{
    return std::make_unique<TTWFont>();
}

} // namespace

std::string_view FontThreadingText(std::uint8_t threading)
{
    return threading < std::size(ThreadingTexts) ? ThreadingTexts[threading] : std::string_view();
}

std::uint8_t FontThreadingFromText(std::string_view text, std::uint8_t current)
{
    for (std::uint8_t code = 0; code < std::size(ThreadingTexts); ++code) {
        if (fw::SameText(text, ThreadingTexts[code])) {
            return code;
        }
    }
    return current;
}

// --- one letter ---

TTWFontChar::TTWFontChar() : glyph_(0, 0, true) {}

void TTWFontChar::Assign(const fw::Persistent* source)
{
    if (auto* other = dynamic_cast<const TTWFontChar*>(source)) {
        if (other != this) {
            Letter = other->Letter;
            Name = other->Name;
            glyph_.Assign(other->glyph_);
            SpaceBefore = other->SpaceBefore;
            SpaceAfter = other->SpaceAfter;
        }
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWFontChar::CheckSize(int width, int height, const char* methodName) const
{
    if (width < 0 || width > MaxWidth || height < 0 || height > MaxHeight) {
        throw TGenericException::CreateFromSender("Invalid letter size " + fw::IntToStr(width) + " x "
                                                      + fw::IntToStr(height) + ".\r\nA letter is at most "
                                                      + fw::IntToStr(MaxWidth) + " rows long and "
                                                      + fw::IntToStr(MaxHeight) + " cards high.",
                                                  nullptr, this, methodName);
    }
    // The letter is written as a double-face design as wide as it is high: one that a file
    // may not hold would be saved and then refused.
    CheckDesignCells(height, width, this, methodName);
}

void TTWFontChar::SetWidth(int width)
{
    CheckSize(width, Height(), "SetWidth");
    glyph_.SetWidth(width);
}

void TTWFontChar::SetHeight(int height)
{
    CheckSize(Width(), height, "SetHeight");
    glyph_.SetHeight(height);
}

void TTWFontChar::WriteGlyphToXML(TILXMLNode* parent) const
{
    const int width = Width();
    const int height = Height();
    // A glyph given a size directly (an editor hands its design over whole) is held to the
    // size the reader accepts before anything is written.
    CheckSize(width, height, "WriteGlyphToXML");
    TTWDFPattern pattern;
    // A glyph is a grid, not a pattern of its own: no notes of its own in every letter.
    pattern.SetNotes("");
    pattern.SetSize(height, width);
    // Glyph pixel (x, y) is picture pixel (height - 1 - y, x), and picture row x is design
    // row width - 1 - x.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (glyph_.Pixel(x, y) == fw::Bitmap::Black) {
                pattern.SetCell(height - 1 - y, width - 1 - x, true);
            }
        }
    }
    pattern.BuildXML(parent);
}

void TTWFontChar::ReadGlyphFromXML(const TILXMLNode* patternElement)
{
    TTWDFPattern pattern;
    double version = 0;
    pattern.ExtractXML(patternElement, version);
    const int width = pattern.Length();
    const int height = pattern.Width();
    CheckSize(width, height, "ReadGlyphFromXML");
    fw::Bitmap glyph(width, height, true);
    const fw::Bitmap& picture = pattern.Grid();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (picture.Pixel(height - 1 - y, x) == fw::Bitmap::Black) {
                glyph.SetPixel(x, y, fw::Bitmap::Black);
            }
        }
    }
    glyph_ = std::move(glyph);
}

// --- the font ---

TTWFont::TTWFont()
{
    SetName("");
}

void TTWFont::Assign(const fw::Persistent* source)
{
    if (source == this) {
        return;
    }
    TTWPatternBase::Assign(source);
    if (const auto* font = dynamic_cast<const TTWFont*>(source)) {
        chars_.Clear();
        SetName(font->Name());
        kerning_ = font->kerning_;
        SetHeight(font->height_);
        defCharWidth_ = font->defCharWidth_;
        threading_ = font->threading_;
        for (int i = 0; i < font->chars_.Count(); ++i) {
            auto letter = std::make_unique<TTWFontChar>();
            letter->Assign(font->chars_.Items(i));
            chars_.Add(letter.release());
        }
    }
}

void TTWFont::ConvertToThreaded(TTWPattern& /*target*/) {}

TTWFontChar* TTWFont::FindChar(std::string_view letter) const
{
    for (int i = 0; i < chars_.Count(); ++i) {
        TTWFontChar* found = chars_.Items(i);
        if (found->Letter == letter) {
            return found;
        }
    }
    return nullptr;
}

TTWFontChar* TTWFont::AddChar(std::string letter, std::string name)
{
    auto added = std::make_unique<TTWFontChar>();
    added->Letter = std::move(letter);
    added->Name = std::move(name);
    added->SetHeight(height_);
    added->SetWidth(defCharWidth_);
    TTWFontChar* result = added.get();
    chars_.Add(added.release());
    return result;
}

void TTWFont::SetHeight(int height)
{
    if (height <= 0) {
        return;
    }
    if (height > TTWFontChar::MaxHeight) {
        throw TGenericException::CreateFromSender("Invalid letter height " + fw::IntToStr(height)
                                                      + ".\r\nLetters are at most "
                                                      + fw::IntToStr(TTWFontChar::MaxHeight) + " cards high.",
                                                  nullptr, this, "SetHeight");
    }
    std::int64_t pixels = 0;
    for (int i = 0; i < chars_.Count(); ++i) {
        // Every letter is checked before any of them changes.
        CheckDesignCells(height, chars_.Items(i)->Width(), this, "SetHeight");
        pixels += static_cast<std::int64_t>(chars_.Items(i)->Width()) * height;
    }
    CheckGlyphPixels(pixels, "SetHeight");
    height_ = height;
    for (int i = 0; i < chars_.Count(); ++i) {
        chars_.Items(i)->SetHeight(height);
    }
}

void TTWFont::CheckGlyphPixels(std::int64_t pixels, const char* methodName) const
{
    if (pixels > MaxGlyphPixels) {
        throw TGenericException::CreateFromSender("The letters are too large.\r\nA font holds at most "
                                                      + fw::IntToStr(MaxGlyphPixels) + " glyph pixels.",
                                                  nullptr, this, methodName);
    }
}

void TTWFont::LoadFromFile(const std::string& fileName)
{
    TILXMLTree tree;
    ReadPatternDocument(tree, fileName);
    const TILXMLNode* element = tree.FindTag("TWData/Font", false);
    if (element == nullptr) {
        throw TGenericException::CreateFromSender("No font data found.\r\nFile: " + fileName, nullptr, this,
                                                  "LoadFromFile");
    }
    double version = 0;
    ExtractXML(element, version);
}

TILXMLNode* TTWFont::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = TTWPatternBase::BuildXML(parent);
    element->AddChildValue("Height", fw::IntToStr(height_));
    element->AddChildValue("DefCharWidth", fw::IntToStr(defCharWidth_));
    element->AddChildValue("Kerning", fw::IntToStr(kerning_));
    const std::string_view threading = FontThreadingText(threading_);
    if (!threading.empty()) {
        element->AddChildValue("Threading", std::string(threading));
    }
    TILXMLNode* data = element->AddChild("Data");
    for (int i = 0; i < chars_.Count(); ++i) {
        const TTWFontChar& letter = *chars_.Items(i);
        TILXMLNode* character = data->AddChild("Character");
        character->AddAttribute("Letter", letter.Letter);
        character->AddChildValue("Name", EncodeXMLText(letter.Name));
        character->AddChildValue("SpaceBefore", fw::IntToStr(letter.SpaceBefore));
        character->AddChildValue("SpaceAfter", fw::IntToStr(letter.SpaceAfter));
        letter.WriteGlyphToXML(character);
    }
    return element;
}

void TTWFont::ExtractXML(const TILXMLNode* element, double& version)
{
    chars_.Clear();
    TTWPatternBase::ExtractXML(element, version);
    // A height of 0 would leave the font's own, which the save would write instead.
    const int height = ReadChildCount(*element, "Height", HeightWhenAbsent, this, "ExtractXML");
    if (height == 0) {
        RaiseInvalidValue("number", "0", "Height", "The number is at least 1.", this, "ExtractXML");
    }
    SetHeight(height);
    defCharWidth_ = ReadChildCount(*element, "DefCharWidth", DefCharWidthWhenAbsent, this, "ExtractXML");
    kerning_ = ReadChildNumber(*element, "Kerning", KerningWhenAbsent, LowestNumber, HighestNumber, this,
                               "ExtractXML");
    if (const TILXMLNode* threading = element->FindChild("Threading")) {
        threading_ = static_cast<std::uint8_t>(
            ReadLetterText(threading->Value(), ThreadingTexts, "Threading", this, "ExtractXML"));
    }

    const TILXMLNode* data = element->FindTag("Data", true, true, false);
    if (data == nullptr) {
        return;
    }
    std::int64_t pixels = 0;
    for (int i = 0; i < data->ChildCount(); ++i) {
        const TILXMLNode* character = data->GetChild(i);
        if (character->Tag() != "Character") {
            continue;
        }
        auto letter = std::make_unique<TTWFontChar>();
        letter->Letter = character->GetAttribute("Letter");
        const TILXMLNode* name = character->FindChild("Name");
        letter->Name = name != nullptr ? DecodeXMLText(name->Value()) : std::string();
        letter->SpaceBefore =
            ReadChildNumber(*character, "SpaceBefore", 0, LowestNumber, HighestNumber, this, "ExtractXML");
        letter->SpaceAfter =
            ReadChildNumber(*character, "SpaceAfter", 0, LowestNumber, HighestNumber, this, "ExtractXML");
        if (const TILXMLNode* pattern = character->FindTag("Pattern", false, true, false)) {
            letter->ReadGlyphFromXML(pattern);
            pixels += static_cast<std::int64_t>(letter->Width()) * letter->Height();
            CheckGlyphPixels(pixels, "ExtractXML");
        }
        chars_.Add(letter.release());
    }
}

void RegisterFont()
{
    RegisterPatternClass(PatternTypeFont, &MakeFont);
}
