// Feeds arbitrary bytes to every reader of the model's stored files: pattern and font files,
// the settings file and the palettes file. The bytes are the content of a stored
// (Windows-1252) file, read as the program reads it: converted to UTF-8, parsed into a
// document, then handed to each reader, which picks out its own part of the document.
//
// Bad input must end in one of our own errors (fw::Exception and its descendants); anything
// else (a crash, undefined behaviour, a leak, a standard-library exception, a hang, runaway
// memory) is a fault. Whatever a reader accepts is then used as the program uses it: a
// pattern is converted to threaded-in and woven on both sides, a font or a lettered band
// sets its letters into a band design. Everything read is also saved to memory, and the
// saved text must load again and save to the very same text, or the writer and the reader
// disagree about the file format.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml_node.h"
#include "framework/core/encoding.h"
#include "framework/core/exceptions.h"
#include "framework/core/files.h"
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

// A saved pattern must load as a pattern of the same kind that saves to the same text.
void CheckPatternRoundTrip(const TTWPatternBase& pattern)
{
    if (ElementsToSave(pattern) > SaveBudget) {
        return;
    }
    const std::string saved = SavePattern(pattern);
    if (saved.size() > ReloadBudget) {
        return;
    }
    std::unique_ptr<TTWPatternBase> again;
    try {
        TILXMLTree tree;
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
    CheckPatternRoundTrip(*pattern);
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
            document.ParseText(fw::Windows1252ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
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
