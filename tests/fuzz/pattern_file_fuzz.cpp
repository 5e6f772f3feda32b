// Feeds arbitrary bytes to every reader of the model's stored files: pattern and font files,
// the settings file and the palettes file. The bytes are the content of a stored file, read
// as the program reads it: Windows-1252, or UTF-8 or UTF-16 as its first bytes tell, parsed
// into a document, then handed to each reader, which picks out its own part of the document.
//
// Bad input must end in one of our own errors (fw::Exception and its descendants); anything
// else (a crash, undefined behaviour, a leak, a standard-library exception, a hang, runaway
// memory) is a fault. Whatever a reader accepts is then used as the program uses it: a
// pattern is converted to threaded-in and woven on both sides, a font or a lettered band
// sets its letters into a band design. Everything read is also saved to memory, and the
// saved text must load again and save to the very same text, or the writer and the reader
// disagree about the file format. What the file held must come back in that save, too: every
// value the reader took from the file is compared with the same value in the saved text (see
// CompareTaken), so that a value read as something else, or dropped, shows.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/string_utils.h"
#include "foundation/xml_node.h"
#include "framework/core/encoding.h"
#include "framework/core/exceptions.h"
#include "framework/core/files.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/pack.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace {

// The fuzzer's time limit is there to catch hangs, and this instrumented build runs some
// twenty times slower than the program: the largest designs the model accepts take longer
// than that limit to save, load again and weave here without anything being wrong. Those
// steps are therefore left out beyond these budgets, for designs that reading alone has
// already made. Where the model refuses a step beyond a limit of its own, the step is run
// again above that limit, so that a lost refusal shows as the fault it is.
//
// Elements written by a save (see ElementsToSave), and bytes of saved text loaded again.
constexpr std::int64_t SaveBudget = 50'000;
constexpr std::size_t ReloadBudget = 4 << 20;
// Card turns converted, and cells woven on each side.
constexpr std::int64_t WeaveBudget = 1'000'000;

void PrintExcerpt(const char* label, std::string_view text)
{
    constexpr std::size_t Limit = 3000;
    std::fprintf(stderr, "--- %s (%zu bytes)%s:\n", label, text.size(), text.size() > Limit ? ", start" : "");
    std::fwrite(text.data(), 1, std::min(text.size(), Limit), stderr);
    std::fputc('\n', stderr);
}

// The texts from the line before the first one in which they differ.
void PrintFirstDifference(std::string_view first, std::string_view second)
{
    const std::size_t limit = std::min(first.size(), second.size());
    std::size_t at = 0;
    while (at < limit && first[at] == second[at]) {
        ++at;
    }
    std::size_t from = first.substr(0, at).rfind('\n');
    if (from != std::string_view::npos && from > 0) {
        from = first.substr(0, from).rfind('\n');
    }
    from = from == std::string_view::npos ? 0 : from + 1;
    constexpr std::size_t Context = 400;
    std::fprintf(stderr, "The texts first differ at byte %zu.\n", at);
    PrintExcerpt("first save, there", first.substr(from, Context));
    PrintExcerpt("second save, there", second.substr(std::min(from, second.size()), Context));
}

// Without a second save the first one is shown whole (its start when it is long).
[[noreturn]] void RoundTripFailed(const char* what, const std::string& reason, std::string_view firstSave,
                                  std::string_view secondSave = {})
{
    std::fprintf(stderr, "Round trip of the %s failed: %s\n", what, reason.c_str());
    if (secondSave.empty()) {
        PrintExcerpt("saved text", firstSave);
    } else {
        PrintFirstDifference(firstSave, secondSave);
    }
    std::abort();
}

constexpr const char* SavedTextChanges = "loaded and saved again, the saved text changes";

std::string CannotLoad(const fw::Exception& error)
{
    return "the saved text cannot be loaded: " + error.Message();
}

// What saving the text to a file and loading it again does to it.
std::string Stored(std::string_view utf8)
{
    return fw::Windows1252ToUtf8(fw::Utf8ToWindows1252Referenced(utf8));
}

// --- patterns and fonts ---

std::string SavePattern(const TTWPatternBase& pattern)
{
    TILXMLTree tree;
    pattern.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML();
}

// About how many elements saving the pattern writes, which is what makes saving and loading
// slow: some ten per card, one per colour, one per row of a grid or glyph, a few per brocade
// pick, and as much again for every CellsPerElement cells of a grid or glyph. A pack member
// counts as one: each is a number of its own in the text. The picks and actions of a
// threaded-in pattern are left out: the file holds each of them.
std::int64_t ElementsToSave(const TTWPatternBase& pattern)
{
    constexpr std::int64_t PerCard = 10;
    constexpr std::int64_t CellsPerElement = 32;
    std::int64_t elements = PerCard * (pattern.SelvedgeLeft().Count() + pattern.SelvedgeRight().Count());
    if (const TTWCardList* cards = pattern.GetCards()) {
        elements += PerCard * cards->Count();
    }
    if (const TTWPalette* palette = pattern.GetPalette()) {
        elements += palette->Size();
    }
    if (const auto* threaded = dynamic_cast<const TTWPattern*>(&pattern)) {
        for (int i = 0; i < threaded->Packs().Count(); ++i) {
            elements += threaded->Packs().Items(i)->Size();
        }
    }
    if (const auto* grid = dynamic_cast<const TTWDFPattern*>(&pattern)) {
        // A twill writes a second grid of long floats.
        const std::int64_t rows = grid->Length();
        elements += 2 * (rows + rows * grid->Width() / CellsPerElement);
    }
    if (const auto* brocade = dynamic_cast<const TTWBrocadePattern*>(&pattern)) {
        elements += 4 * static_cast<std::int64_t>(brocade->BrocadePicks().Count());
        if (const TTWPatternBase* ground = brocade->GroundWeave()) {
            elements += ElementsToSave(*ground);
        }
    }
    const auto* band = dynamic_cast<const TTWLetteredBand*>(&pattern);
    const TTWFont* font = band != nullptr ? band->Font() : dynamic_cast<const TTWFont*>(&pattern);
    if (font != nullptr) {
        // Each glyph is written as a double-face pattern with one row per column of the glyph.
        for (int i = 0; i < font->GetCharCount(); ++i) {
            const std::int64_t rows = font->GetChar(i)->Width();
            elements += PerCard + rows + rows * font->GetChar(i)->Height() / CellsPerElement;
        }
    }
    return elements;
}

// --- what the file held comes back in the save ---
//
// The file's pattern element (A) and the saved one (B) are walked side by side: the children
// of an element are matched by tag and by place among the children of that tag, attributes by
// name. A value of A is compared with its counterpart in B wherever the writer wrote one:
// what the writer never writes, the reader never takes (or takes under another name, as
// older files have it), and B may hold more than A where the reader filled in a default.
// Values are compared as the readers read them: numbers as numbers, codes and letters
// without regard to case and blanks, lists entry by entry. Left out, as derived from other
// values or renamed by the reader: the kind's name, card and pick numbers, the brocade's
// picture of its design and its wefts' names, the colour count (a mode: any other number is
// 2), notes (lines or one text, both read), the twist-patterned pattern's stored cards (made
// afresh from its threading), and whatever a letter's glyph pattern holds besides its size
// and rows.

struct TakenMismatch {
    std::string Path;
    std::string InFile;
    std::string Saved;
};

// The entries of a value as the readers split lists: at commas and blanks.
std::vector<std::string> Entries(std::string_view text)
{
    fw::StringList list;
    list.SetCommaText(text);
    return {list.begin(), list.end()};
}

bool SameEntry(const std::string& a, const std::string& b)
{
    int x = 0;
    int y = 0;
    if (fw::TryStrToInt(a, x) && fw::TryStrToInt(b, y)) {
        return x == y;
    }
    return fw::SameText(fw::Trim(a), fw::Trim(b));
}

// Whether the saved value says what the file's did: the same entries, or for a threading
// the file's entries first (the reader adds cards up to the width).
bool SameValue(std::string_view tag, const std::string& inFile, const std::string& saved)
{
    if (SameEntry(inFile, saved)) {
        return true;
    }
    const std::vector<std::string> a = Entries(inFile);
    const std::vector<std::string> b = Entries(saved);
    if (a.size() > b.size() || (tag != "Threading" && a.size() != b.size())) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!SameEntry(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

bool IsSetCell(char c)
{
    return c == 'X' || c == 'F';
}

bool IsGridRows(std::string_view tag)
{
    return tag == "Data" || tag == "LongFloats" || tag == "Reversals";
}

class TakenValues {
public:
    explicit TakenValues(double version) : version_(version) {}

    std::optional<TakenMismatch> Compare(const TILXMLNode& a, const TILXMLNode& b)
    {
        CompareElement(a, b, std::string(a.Tag()));
        return mismatch_;
    }

private:
    void Differ(const std::string& path, std::string inFile, std::string saved)
    {
        if (!mismatch_) {
            mismatch_ = TakenMismatch{path, std::move(inFile), std::move(saved)};
        }
    }

    void CompareAttributes(const TILXMLNode& a, const TILXMLNode& b, const std::string& path)
    {
        const std::span<const TILXMLAttribute> attributes = a.Attributes();
        for (std::size_t i = 0; i < attributes.size(); ++i) {
            const TILXMLAttribute& attribute = attributes[i];
            const std::string_view name = attribute.Name;
            // Of an attribute given twice the reader takes the first.
            const bool again = std::any_of(attributes.begin(), attributes.begin() + static_cast<std::ptrdiff_t>(i),
                                           [&](const TILXMLAttribute& earlier) { return earlier.Name == name; });
            if (again || name == "Type" || name == "Number" || name == "Index") {
                continue;
            }
            bool written = false;
            for (const TILXMLAttribute& saved : b.Attributes()) {
                written = written || saved.Name == name;
            }
            if (!written) {
                continue;
            }
            const std::string inFile(attribute.Value);
            const std::string saved(b.AttributeValue(name));
            // A list may gain entries that a reader adds (cards up to a design's width), never
            // lose any.
            int given = 0;
            int kept = 0;
            const bool same = name == "GroundWeave" || name == "Encapsulated"
                                  ? StrToBoolText(inFile) == StrToBoolText(saved)
                              : name == "Count" && fw::TryStrToInt(inFile, given) && fw::TryStrToInt(saved, kept)
                                  ? kept >= given
                                  : SameValue(name, inFile, saved);
            if (!same) {
                Differ(path + " " + std::string(name), inFile, saved);
            }
        }
    }

    // A design's rows: the row of each number, the last of that number in the file (the
    // reader sets the cells row by row, a later row over an earlier one), as set or clear cells.
    void CompareRows(const TILXMLNode& a, const TILXMLNode& b, const std::string& path)
    {
        for (int i = 0; i < a.ChildCount(); ++i) {
            const TILXMLNode& row = *a.GetChild(i);
            bool later = false;
            for (int j = i + 1; j < a.ChildCount(); ++j) {
                later = later || a.GetChild(j)->Tag() == row.Tag();
            }
            const TILXMLNode* saved = b.FindChild(row.Tag());
            if (later || saved == nullptr) {
                continue;
            }
            const std::string_view inFile = row.Value();
            const std::string_view out = saved->Value();
            for (std::size_t x = 0; x < inFile.size(); ++x) {
                const bool set = IsSetCell(inFile[x]);
                if (x >= out.size() ? set : set != (out[x] == 'X')) {
                    Differ(path + "/" + std::string(row.Tag()), std::string(inFile), std::string(out));
                    return;
                }
            }
        }
    }

    // Elements the writer writes only to hold others (lists, which it counts, besides): a text
    // of their own in the file is not read.
    static bool IsContainer(const TILXMLNode& saved)
    {
        static constexpr std::array<std::string_view, 14> Containers = {
            "Pattern", "Font",  "Text",  "Data", "LongFloats", "Reversals", "Selvedges",
            "Left",    "Right", "Card",  "Pick", "Character",  "Thread",    "GroundWeave"};
        return HasCount(saved) || std::find(Containers.begin(), Containers.end(), saved.Tag()) != Containers.end();
    }

    static bool HasCount(const TILXMLNode& saved)
    {
        for (const TILXMLAttribute& attribute : saved.Attributes()) {
            if (attribute.Name == "Count") {
                return true;
            }
        }
        return false;
    }

    void CompareElement(const TILXMLNode& a, const TILXMLNode& b, const std::string& path)
    {
        CompareAttributes(a, b, path);
        if (a.ChildCount() == 0 && b.ChildCount() == 0 && !IsContainer(b)) {
            const std::string inFile = a.Text();
            const std::string saved = b.Text();
            // An empty value is one the reader fills in.
            if (!inFile.empty() && !SameValue(a.Tag(), inFile, saved)) {
                Differ(path, inFile, saved);
            }
            return;
        }
        // A list (an element the writer counts) is read by place, whatever its entries' tags.
        if (HasCount(b)) {
            if (a.ChildCount() > b.ChildCount()) {
                Differ(path, std::to_string(a.ChildCount()) + " entries", std::to_string(b.ChildCount()) + " entries");
                return;
            }
            for (int i = 0; i < a.ChildCount(); ++i) {
                CompareElement(*a.GetChild(i), *b.GetChild(i), path + "/" + std::string(b.GetChild(i)->Tag()));
            }
            return;
        }
        const bool twist =
            a.Tag() == "Pattern" && PatternTypeFromName(a.GetAttribute("Type")) == PatternTypeTwistPatterned;
        const bool glyph = a.Tag() == "Pattern" && a.Parent() != nullptr && a.Parent()->Tag() == "Character";
        // The long floats of a file before rows were counted from the bottom are mirrored.
        const bool mirrored = version_ < 1.16;
        const bool reversals = a.FindChild("Reversals") != nullptr;
        std::vector<std::string_view> tags;
        for (int i = 0; i < a.ChildCount(); ++i) {
            const std::string_view tag = a.GetChild(i)->Tag();
            if (std::find(tags.begin(), tags.end(), tag) == tags.end()) {
                tags.push_back(tag);
            }
        }
        for (const std::string_view tag : tags) {
            if (tag == "Notes" || tag == "VisualPattern" || tag == "ColourCount" || (twist && tag == "Cards")
                || (glyph && tag != "Width" && tag != "Length" && tag != "Data")
                || (tag == "LongFloats" && (reversals || mirrored)) || (tag == "Reversals" && mirrored)
                || (tag == "Name" && a.Tag() == "Thread")) {
                continue;
            }
            std::vector<const TILXMLNode*> inFile;
            std::vector<const TILXMLNode*> saved;
            for (int i = 0; i < a.ChildCount(); ++i) {
                if (a.GetChild(i)->Tag() == tag) {
                    inFile.push_back(a.GetChild(i));
                }
            }
            for (int i = 0; i < b.ChildCount(); ++i) {
                if (b.GetChild(i)->Tag() == tag) {
                    saved.push_back(b.GetChild(i));
                }
            }
            if (saved.empty()) {
                continue; // never written: not taken, or taken under another name
            }
            const std::string childPath = path + "/" + std::string(tag);
            if (inFile.size() > saved.size() && saved.size() > 1) {
                Differ(childPath, std::to_string(inFile.size()) + " elements",
                       std::to_string(saved.size()) + " elements");
                return;
            }
            // An element the writer writes once is read once: the first of the file's.
            const std::size_t compared = std::min(inFile.size(), saved.size());
            for (std::size_t i = 0; i < compared; ++i) {
                if (IsGridRows(tag)) {
                    CompareRows(*inFile[i], *saved[i], childPath);
                } else if (tag == "Palette") {
                    ComparePalette(*inFile[i], *saved[i], childPath);
                } else {
                    CompareElement(*inFile[i], *saved[i], childPath);
                }
            }
        }
    }

    // A palette's colours are placed by their index, in whatever order the file lists them.
    void ComparePalette(const TILXMLNode& a, const TILXMLNode& b, const std::string& path)
    {
        CompareAttributes(a, b, path);
        for (int i = 0; i < a.ChildCount(); ++i) {
            const TILXMLNode& colour = *a.GetChild(i);
            if (!fw::SameText(colour.Tag(), "Colour")) {
                continue;
            }
            const std::string_view index = colour.AttributeValue("Index");
            bool later = false;
            for (int j = i + 1; j < a.ChildCount(); ++j) {
                const TILXMLNode& other = *a.GetChild(j);
                later = later
                        || (fw::SameText(other.Tag(), "Colour")
                            && SameEntry(std::string(other.AttributeValue("Index")), std::string(index)));
            }
            if (later) {
                continue;
            }
            const TILXMLNode* saved = nullptr;
            for (int j = 0; j < b.ChildCount(); ++j) {
                if (SameEntry(std::string(b.GetChild(j)->AttributeValue("Index")), std::string(index))) {
                    saved = b.GetChild(j);
                }
            }
            if (saved == nullptr || TextToColour(colour.Value()) != TextToColour(saved->Value())) {
                Differ(path + "/Colour " + std::string(index), std::string(colour.Value()),
                       saved != nullptr ? std::string(saved->Value()) : std::string("none"));
                return;
            }
        }
    }

    double version_;
    std::optional<TakenMismatch> mismatch_;
};

// The element a pattern or font was read from, as CreatePatternFromXML finds it.
const TILXMLNode* PatternElement(const TILXMLTree& document)
{
    if (const TILXMLNode* font = document.FindTag("TWData/Font", false)) {
        return font;
    }
    return document.FindTag("TWData/Pattern", false);
}

void CheckTakenValues(const TILXMLTree& document, const TILXMLTree& saved, std::string_view savedText)
{
    const TILXMLNode* a = PatternElement(document);
    const TILXMLNode* b = PatternElement(saved);
    if (a == nullptr || b == nullptr) {
        return;
    }
    if (const std::optional<TakenMismatch> mismatch = TakenValues(ReadTWDataVersion(a)).Compare(*a, *b)) {
        RoundTripFailed("pattern",
                        "a value the file held comes back changed in the save: <" + mismatch->Path + "> was \""
                            + mismatch->InFile + "\" and is saved as \"" + mismatch->Saved + "\"",
                        savedText);
    }
}

// A saved pattern must load as a pattern of the same kind that saves to the same text, and
// every value the reader took from the document must come back in it.
void CheckPatternRoundTrip(const TTWPatternBase& pattern, const TILXMLTree& document)
{
    if (ElementsToSave(pattern) > SaveBudget) {
        return;
    }
    const std::string saved = SavePattern(pattern);
    if (saved.size() > ReloadBudget) {
        return;
    }
    std::unique_ptr<TTWPatternBase> again;
    TILXMLTree tree;
    try {
        tree.ParseText(Stored(saved));
        again = CreatePatternFromXML(tree);
    } catch (const fw::Exception& error) {
        RoundTripFailed("pattern", CannotLoad(error), saved);
    }
    if (again == nullptr || again->GetPatternType() != pattern.GetPatternType()) {
        RoundTripFailed("pattern", "the saved text loads as another kind of pattern", saved);
    }
    const std::string savedAgain = SavePattern(*again);
    if (savedAgain != saved) {
        RoundTripFailed("pattern", SavedTextChanges, saved, savedAgain);
    }
    CheckTakenValues(document, tree, saved);
}

// Whether a step that turns that many cards in that many picks is run: within the budget,
// or beyond the limit above which the model refuses it.
bool Affordable(std::int64_t cards, std::int64_t picks, std::int64_t refusedAbove)
{
    const std::int64_t turns = cards * picks;
    return turns <= WeaveBudget || turns > refusedAbove;
}

void WeaveBothSides(TTWPattern& pattern)
{
    const int width = pattern.SelvedgeLeft().Count() + pattern.Cards().Count() + pattern.SelvedgeRight().Count();
    if (!Affordable(width, pattern.Picks().Count(), TTWWeaving::MaxCells)) {
        return;
    }
    TTWWeaving weaving;
    pattern.BuildWeaving(weaving, nullptr, false, 0);
    pattern.BuildReverseWeaving(weaving, nullptr, 0);
}

// The band design of the letters, woven as the lettered-band editor weaves it.
void WeaveLetters(const TTWFont& font, const std::vector<const TTWFontChar*>& letters)
{
    const fw::Bitmap grid = BuildLetteredBandGrid(font, letters);
    // Two picks per design row.
    if (!Affordable(grid.Width(), 2 * static_cast<std::int64_t>(grid.Height()), TTWPattern::MaxConvertedTurns)) {
        return;
    }
    TTWPattern threaded;
    BuildLetteredThreadedPattern(grid, font.Threading(), threaded);
    WeaveBothSides(threaded);
}

// Uses the pattern as the program does once it is loaded. The pattern is changed by it.
void UsePattern(TTWPatternBase& pattern)
{
    if (auto* font = dynamic_cast<TTWFont*>(&pattern)) {
        std::vector<const TTWFontChar*> letters;
        for (int i = 0; i < font->GetCharCount(); ++i) {
            letters.push_back(font->GetChar(i));
        }
        WeaveLetters(*font, letters);
        return;
    }
    if (auto* band = dynamic_cast<TTWLetteredBand*>(&pattern)) {
        if (const TTWFont* font = band->Font()) {
            WeaveLetters(*font, band->LettersIn(*font));
        }
        return;
    }
    // Converted, each pick turns every card (a card column of the design, or a card). The
    // picks counted here are never more than the conversion makes; a threaded-in pattern
    // only copies what its file holds.
    const auto affordable = [](const TTWPatternBase& design) {
        const TTWCardList* cards = design.GetCards();
        return Affordable(std::max(design.GetCardCount(), cards != nullptr ? cards->Count() : 0),
                          design.GetPickCount(), TTWPattern::MaxConvertedTurns);
    };
    if (!affordable(pattern)) {
        return;
    }
    if (auto* brocade = dynamic_cast<TTWBrocadePattern*>(&pattern)) {
        // The brocade editor weaves the ground from the ground weave, or plain turns.
        const TTWPatternBase* ground = brocade->GroundWeave();
        if (ground != nullptr && !affordable(*ground)) {
            return;
        }
        brocade->BuildThreadedPicks();
    }
    // The threaded-in form keeps the selvedges and the colours of the design.
    TTWPattern threaded;
    threaded.Assign(&pattern);
    if (const TTWPalette* palette = pattern.GetPalette()) {
        threaded.Palette().CopyFrom(palette);
    }
    pattern.ConvertToThreaded(threaded);
    WeaveBothSides(threaded);
}

void ReadPatternFile(const TILXMLTree& document)
{
    std::unique_ptr<TTWPatternBase> pattern;
    try {
        pattern = CreatePatternFromXML(document);
    } catch (const fw::Exception&) {
        return; // the expected answer to a file that is not a good pattern file
    }
    if (pattern == nullptr) {
        return; // a kind without a class
    }
    CheckPatternRoundTrip(*pattern, document);
    try {
        UsePattern(*pattern);
    } catch (const fw::Exception&) {
        // A design too large to weave is refused in our own words.
    }
}

// --- the settings file ---

std::string SaveSettings(const TTWUserSettings& settings)
{
    TILXMLTree tree;
    settings.BuildXML(CreateTWDataRoot(tree, "TVL"));
    return tree.BuildXML();
}

// As TTWUserSettings::LoadFromFile reads the file's document.
bool ReadSettings(const TILXMLTree& document, TTWUserSettings& settings)
{
    const TILXMLNode* node = document.FindTag("TVL/UserSettings", false);
    if (node == nullptr) {
        return false;
    }
    settings.ExtractXML(node);
    return true;
}

void ReadSettingsFile(const TILXMLTree& document)
{
    const std::string programFolder = UserSettings().ProgramFolder();
    TTWUserSettings settings(programFolder);
    try {
        if (!ReadSettings(document, settings)) {
            return;
        }
    } catch (const fw::Exception&) {
        return;
    }
    const std::string saved = SaveSettings(settings);
    TTWUserSettings again(programFolder);
    try {
        TILXMLTree tree;
        tree.ParseText(Stored(saved));
        if (!ReadSettings(tree, again)) {
            RoundTripFailed("settings", "the saved text holds no settings", saved);
        }
    } catch (const fw::Exception& error) {
        RoundTripFailed("settings", CannotLoad(error), saved);
    }
    const std::string savedAgain = SaveSettings(again);
    if (savedAgain != saved) {
        RoundTripFailed("settings", SavedTextChanges, saved, savedAgain);
    }
}

// --- the palettes file ---

std::string SavePalettes(const TTWPaletteList& palettes)
{
    TILXMLTree tree;
    palettes.WriteToXML(tree);
    return tree.BuildXML();
}

void ReadPalettesFile(const TILXMLTree& document)
{
    if (document.FindTag("TVL/Palettes", false) == nullptr) {
        return;
    }
    TTWPaletteList palettes;
    try {
        palettes.ReadFromXML(document);
    } catch (const fw::Exception&) {
        return;
    }
    std::int64_t colours = 0;
    for (int i = 0; i < palettes.Count(); ++i) {
        colours += palettes.Palettes(i)->Size();
    }
    if (colours > SaveBudget) {
        return;
    }
    const std::string saved = SavePalettes(palettes);
    TTWPaletteList again;
    try {
        TILXMLTree tree;
        tree.ParseText(Stored(saved));
        again.ReadFromXML(tree);
    } catch (const fw::Exception& error) {
        RoundTripFailed("palettes", CannotLoad(error), saved);
    }
    const std::string savedAgain = SavePalettes(again);
    if (savedAgain != saved) {
        RoundTripFailed("palettes", SavedTextChanges, saved, savedAgain);
    }
}

[[noreturn]] void ForeignError(const char* kind, const char* message)
{
    std::fprintf(stderr, "A reader raised %s instead of one of our own errors: %s\n", kind, message);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // The state the program reads its files in: the model made, and element names left
    // unchecked, as the main window leaves them once it exists.
    InitialiseModel(fw::TempFolder());
    SetXMLNameCheck(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The twill's way of changing colour is a setting; the input's length picks one, so
    // that both are woven and the same input always takes the same way.
    UserSettings().BrokenTwill.ColourInterchange = size % 2 == 0 ? TTWColourInterchange::Turn
                                                                 : TTWColourInterchange::Twist;
    try {
        TILXMLTree document;
        try {
            document.ParseFileBytes(std::string(reinterpret_cast<const char*>(data), size));
        } catch (const fw::Exception&) {
            return 0; // no document: every reader refuses it alike
        }
        // Each reader looks for its own part of the document and ignores the rest, so all of
        // them read every document.
        ReadPatternFile(document);
        ReadSettingsFile(document);
        ReadPalettesFile(document);
    } catch (const fw::Exception&) {
        // The expected answer to bad input.
    } catch (const std::exception& error) {
        ForeignError("a standard exception", error.what());
    } catch (...) {
        ForeignError("an exception of unknown type", "");
    }
    return 0;
}
