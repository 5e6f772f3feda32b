// Writes the seed files of the pattern-file fuzz target that come from the model's own
// writers: a file of every pattern kind, a font, a settings file and a palettes file, so
// that the fuzzer starts from files shaped like the ones the program stores.
//
//   make_pattern_corpus <folder>           the small gen-* files kept with the sources
//   make_pattern_corpus --large <folder>   the large-* files made afresh for each run
//
// The output depends on nothing but this program and the writers (no dates, no folders of
// the machine), so the kept files can be checked against a fresh run.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/files.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/display_profile.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "corpus_maker.h"

namespace {

namespace fs = std::filesystem;

void Save(TTWPatternBase& pattern, const fs::path& folder, const char* name)
{
    pattern.SaveToFile((folder / name).string());
}

// A card of the hole count with its holes in the colours first, first + 1, ...
std::unique_ptr<TTWCardBase> Card(int holes, int firstColour, std::uint8_t threading)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(holes);
    for (int hole = 0; hole < holes; ++hole) {
        card->SetHoleColour(hole, (firstColour + hole) % TTWPalette::StandardSize);
    }
    card->SetThreading(threading);
    card->Reset();
    return card;
}

void AddCards(TTWCardList& cards, int count, int holes)
{
    for (int i = 0; i < count; ++i) {
        cards.Add(Card(holes, i, i % 3 == 0 ? ThreadingZ : ThreadingS).release());
    }
}

void AddSelvedges(TTWPatternBase& pattern)
{
    pattern.SelvedgeLeft().Add(Card(4, 0, ThreadingS).release());
    pattern.SelvedgeLeft().Add(Card(4, 0, ThreadingZ).release());
    pattern.SelvedgeRight().Add(Card(4, 15, ThreadingZ).release());
    pattern.SelvedgeRight().Add(Card(4, 15, ThreadingS).release());
}

void Describe(TTWPatternBase& pattern, const char* name)
{
    pattern.SetName(name);
    pattern.SetNotes("Woven on the inkle loom.\r\nSecond line: 20 € & <more>");
}

// Cards turned one by one and in packs, forwards, backwards, idle and by two holes, and
// twisted; selvedges and a palette with a system colour.
void Threaded(const fs::path& folder, const char* name, int cardCount, int pickCount)
{
    TTWPattern pattern;
    Describe(pattern, "Threaded-in with packs");
    AddSelvedges(pattern);
    AddCards(pattern.Cards(), cardCount, 4);
    pattern.Palette().SetColour(3, 0x8000000F);
    pattern.Palette().SetColour(4, 0x00123456);
    for (int i = 0; i < 2; ++i) {
        auto pack = std::make_unique<TTWPack>();
        pack->Name = i == 0 ? "Odd" : "Even";
        pack->Comment = "Every other card";
        pack->SetCardList(&pattern.Cards());
        pack->SetSize((cardCount + 1 - i) / 2);
        for (int m = 0; m < pack->Size(); ++m) {
            pack->SetMember(m, 2 * m + 1 + i);
        }
        pattern.Packs().Add(pack.release());
    }
    for (int p = 0; p < pickCount; ++p) {
        TTWActionList& actions = pattern.Picks().Add()->Actions();
        switch (p % 4) {
        case 0:
            actions.Add(TTWAction::CreatePackTurn("Odd", TurnForwards, DistanceOneHole).release());
            actions.Add(TTWAction::CreatePackTurn("Even", TurnBackwards, DistanceOneHole).release());
            break;
        case 1:
            actions.Add(TTWAction::CreatePackTwist("Odd", TwistV).release());
            actions.Add(TTWAction::CreatePackTurn("Odd", TurnForwards, DistanceTwoHoles).release());
            actions.Add(TTWAction::CreatePackTurn("Even", TurnIdle, DistanceOneHole).release());
            break;
        default:
            for (int c = 1; c <= cardCount; ++c) {
                if (c % 5 == 0) {
                    actions.Add(TTWAction::CreateCardTwist(c, c % 2 == 0 ? TwistH : TwistAC).release());
                }
                actions.Add(TTWAction::CreateCardTurn(c, (c + p) % 3 == 0 ? TurnBackwards : TurnForwards,
                                                      DistanceOneHole)
                                .release());
            }
        }
    }
    Save(pattern, folder, name);
}

// Cards of three to eight holes side by side.
void MixedCards(const fs::path& folder)
{
    TTWPattern pattern;
    Describe(pattern, "Cards of every hole count");
    for (int holes = MinCardHoles; holes <= MaxCardHoles; ++holes) {
        pattern.Cards().Add(Card(holes, holes, holes % 2 == 0 ? ThreadingS : ThreadingZ).release());
    }
    for (int p = 0; p < 4; ++p) {
        TTWActionList& actions = pattern.Picks().Add()->Actions();
        for (int c = 1; c <= pattern.Cards().Count(); ++c) {
            actions.Add(TTWAction::CreateCardTurn(c, p < 2 ? TurnForwards : TurnBackwards, DistanceOneHole).release());
        }
    }
    Save(pattern, folder, "gen-threaded-hole-counts.tvl");
}

// A design of diagonal stripes and a frame.
void Draw(TTWDFPattern& pattern)
{
    for (int y = 0; y < pattern.Length(); ++y) {
        for (int x = 0; x < pattern.Width(); ++x) {
            const bool frame = x == 0 || y == 0 || x == pattern.Width() - 1;
            pattern.SetCell(x, y, frame || (x + y) % 5 < 2);
        }
    }
}

void SetUpGrid(TTWDFPattern& pattern, const char* name, int width, int length, int colours)
{
    Describe(pattern, name);
    pattern.SetSize(width, length);
    pattern.SetColourCount(colours);
    AddCards(pattern.Cards(), width, 4);
    Draw(pattern);
}

void DoubleFace(const fs::path& folder, const char* name, int width, int length, int colours)
{
    TTWDFPattern pattern;
    SetUpGrid(pattern, "Double face", width, length, colours);
    AddSelvedges(pattern);
    Save(pattern, folder, name);
}

void Twill(const fs::path& folder, const char* name, int width, int length, TTWTwillDirection background)
{
    TTW31TwillPattern pattern;
    SetUpGrid(pattern, "Broken twill", width, length, 2);
    pattern.SetBackgroundTwill(background);
    for (int y = 1; y < length; y += 3) {
        pattern.SetLongFloat(y % width, y, true);
    }
    Save(pattern, folder, name);
}

void TwistPatterned(const fs::path& folder, const char* name, int width, int length)
{
    TTWWarpTwinedPattern pattern;
    Describe(pattern, "Twist patterned");
    pattern.SetSize(width, length);
    for (int x = 0; x < width; ++x) {
        auto card = std::make_unique<TTWCard4>();
        card->SetThreading(x % 2 == 0 ? ThreadingS : ThreadingZ);
        card->Reset();
        pattern.Cards().Add(card.release());
    }
    Draw(pattern);
    Save(pattern, folder, name);
}

// Wefts floating over runs of cards, tied down in between; optionally over a double-face
// ground weave.
void Brocade(const fs::path& folder, const char* name, int width, int pickCount, bool withGround)
{
    TTWBrocadePattern pattern;
    Describe(pattern, "Brocade");
    pattern.SetWidth(width);
    AddCards(pattern.Cards(), width, 4);
    for (int p = 0; p < pickCount; ++p) {
        TTWBrocadePick* pick = pattern.BrocadePicks().Add();
        for (int card = 0; card < width; ++card) {
            if ((card + p) % 4 == 0) {
                pick->SetTieDown(card, true);
            } else {
                pick->SetWeft(card, 1 + (card / 3 + p) % 3);
            }
        }
    }
    pattern.Wefts().Items(1)->Name = "Gold";
    pattern.Wefts().Items(1)->Description = "Metal thread";
    if (withGround) {
        TTWDFPattern ground;
        SetUpGrid(ground, "Ground", width, pickCount / 2, 2);
        pattern.SetGroundWeave(&ground);
    }
    Save(pattern, folder, name);
}

// Letters drawn with a bar and a diagonal, each of its own width and spacing.
void FillFont(TTWFont& font, int letterCount, int height, int width)
{
    font.SetName("Runes");
    font.SetHeight(height);
    font.SetDefCharWidth(width);
    font.SetKerning(1);
    font.SetThreading(FontThreadingAltSZ);
    for (int i = 0; i < letterCount; ++i) {
        const std::string letter(1, static_cast<char>('A' + i % 26));
        TTWFontChar* added = font.AddChar(letter, "Letter " + letter);
        added->SetWidth(width - i % 3);
        added->SpaceBefore = i % 2;
        added->SpaceAfter = i % 3 == 0 ? 1 : 0;
        for (int x = 0; x < added->Width(); ++x) {
            added->Glyph().SetPixel(x, x * height / added->Width(), fw::Bitmap::Black);
            added->Glyph().SetPixel(x, height - 1 - (x + i) % height, fw::Bitmap::Black);
        }
        for (int y = 0; y < height; ++y) {
            added->Glyph().SetPixel(0, y, fw::Bitmap::Black);
        }
    }
}

void Font(const fs::path& folder, const char* name, int letterCount, int height, int width)
{
    TTWFont font;
    FillFont(font, letterCount, height, width);
    font.SetNotes("A font of straight strokes.");
    Save(font, folder, name);
}

void LetteredBand(const fs::path& folder, const char* name, std::string_view text, bool encapsulated)
{
    TTWLetteredBand band;
    band.SetName("Runes");
    band.SetNotes("Name band");
    band.SetTextFrom(text);
    band.SetEncapsulated(encapsulated);
    if (encapsulated) {
        FillFont(*band.Font(), 4, 7, 5);
    }
    Save(band, folder, name);
}

// Every group of keys away from its default, and one display profile of each kind.
void Settings(const fs::path& folder)
{
    TTWUserSettings settings("/opt/tavelin");
    settings.General.ShowNotes = TTWNotesMode::Floating;
    settings.General.BackColour = 0x80000014;
    settings.General.GridHighlight = {5, 10, 0x00FF8000, 2};
    settings.General.TwineUseDefault = false;
    settings.General.CutSelection = false;
    settings.Layout.SnapshotPanel = {1, 0, 3};
    settings.WeavingImage.ShowTurnDir = 1;
    settings.ImageSizeRatios.Image = {2.5, 0.5, 4};
    settings.ImageSizeRatios.Twill31 = {1.5, 4.25};
    settings.DefaultRotations.Brocade = TTWOrientation::Horizontal;
    settings.DoubleFace.DefaultThread = 3;
    settings.BrokenTwill = {TTWColourInterchange::Twist, TTWTwillDirection::Z};
    settings.Brocade.ShowLongFloat6 = true;
    settings.Brocade.DefaultThread = 1;
    settings.TwistPatterned.UseTwist = true;
    settings.Printer.FontSize = 12;
    settings.Printer.PaperSize = 9;
    settings.DefaultNotes = "Warp: cotton 8/2\r\nWeft: the same";
    settings.Directories = {"/home/weaver/Patterns/", "/home/weaver/Saved/", "/home/weaver/"};
    auto image = std::make_unique<TTWDesignProfileWeavingImage>();
    image->Name = "Large real";
    image->Zoom = 3;
    image->ShowGrid = true;
    image->TagType = TTWTagType::Turn;
    image->MarkLongFloats = true;
    image->ImageType = TTWImageType::Block;
    image->WarpWidthBase = 1.25;
    settings.EditorProfiles().Add(image.release());
    auto block = std::make_unique<TTWDesignProfileBlock>();
    block->Name = "Tall cells";
    block->Orientation = TTWOrientation::Horizontal;
    block->GridColour = 0x80000010;
    block->BaseHeight = 2;
    block->ShowTwist = true;
    settings.EditorProfiles().Add(block.release());
    settings.SaveToFile(folder / "gen-settings.xml");
}

void Palettes(const fs::path& folder)
{
    TTWPaletteList palettes;
    palettes.ResetToDefault();
    TTWPalette* earth = palettes.AddNew();
    earth->SetName("Earth & \"sky\"");
    earth->SetSize(20);
    earth->SetColour(16, 0x8000000F);
    earth->SetColour(19, 0x00FFFFFF);
    palettes.AddNew()->SetSize(2);
    palettes.SaveToFile(folder / "gen-palettes.xml");
}

void WriteSmall(const fs::path& folder)
{
    Threaded(folder, "gen-threaded.tvl", 8, 8);
    MixedCards(folder);
    DoubleFace(folder, "gen-doubleface-2.tvl", 8, 6, 2);
    DoubleFace(folder, "gen-doubleface-4.tvl", 6, 5, 4);
    DoubleFace(folder, "gen-doubleface-6.tvl", 6, 4, 6);
    Twill(folder, "gen-twill-s.tvl", 8, 8, TTWTwillDirection::S);
    Twill(folder, "gen-twill-z.tvl", 7, 6, TTWTwillDirection::Z);
    TwistPatterned(folder, "gen-twist.tvl", 7, 6);
    Brocade(folder, "gen-brocade.tvl", 8, 6, false);
    Brocade(folder, "gen-brocade-ground.tvl", 6, 8, true);
    Font(folder, "gen-font.tvf", 4, 7, 5);
    LetteredBand(folder, "gen-lettered-band.tvl", "ABBA DC", true);
    LetteredBand(folder, "gen-lettered-band-font-apart.tvl", "CAB", false);
    Settings(folder);
    Palettes(folder);
}

// Bands of the size of large real work: too large to keep with the sources.
void WriteLarge(const fs::path& folder)
{
    Threaded(folder, "large-threaded.tvl", 60, 200);
    DoubleFace(folder, "large-doubleface.tvl", 120, 400, 6);
    Twill(folder, "large-twill.tvl", 120, 400, TTWTwillDirection::S);
    TwistPatterned(folder, "large-twist.tvl", 150, 300);
    Brocade(folder, "large-brocade.tvl", 200, 300, true);
    Font(folder, "large-font.tvf", 80, 30, 14);
}

} // namespace

int main(int argc, char** argv)
{
    return RunCorpusMaker(argc, argv, "make_pattern_corpus", [](const fs::path& folder, bool large) {
        // Settings of their own, whatever the machine holds; the program folder goes into no
        // file.
        InitialiseModel(fw::TempFolder());
        UserSettings().DefaultNotes.clear();
        large ? WriteLarge(folder) : WriteSmall(folder);
        FinaliseModel();
    });
}
