#pragma once

// The sample patterns the editor tests and the main-road benchmark open, made by the model's
// own classes and written by its own writer. The files under tests/data are exactly what
// these functions write (threaded_editor_samples_test.cpp checks it); running that test with
// TAVELIN_WRITE_SAMPLES=1 writes them again after a change here.

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/pack.h"
#include "model/palette.h"
#include "model/pick.h"
#include "model/thread.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "support/test_data.h"

namespace sample_patterns {

inline constexpr const char* SmallFile = "threaded_small.tvl";
inline constexpr const char* PacksFile = "threaded_packs.tvl";
inline constexpr const char* LargeFile = "threaded_large.tvl";
inline constexpr const char* BrocadeFile = "brocade_diamond.tvl";

inline std::filesystem::path SamplePath(const char* name)
{
    return TestDataFolder() / name;
}

inline void AddCard(TTWCardList& cards, std::uint8_t threading, const std::vector<int>& holeColours)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(static_cast<int>(holeColours.size()));
    for (int hole = 0; hole < static_cast<int>(holeColours.size()); ++hole) {
        card->SetHoleColour(hole, holeColours[static_cast<std::size_t>(hole)]);
    }
    card->SetThreading(threading);
    card->Reset();
    cards.Add(card.release());
}

inline void AddCardTurns(TTWPick& pick, int firstCard, int lastCard, std::uint8_t direction)
{
    for (int card = firstCard; card <= lastCard; ++card) {
        pick.Actions().Add(TTWAction::CreateCardTurn(card, direction, DistanceOneHole).release());
    }
}

inline void AddPack(TTWPattern& pattern, const std::string& name, const std::vector<int>& members)
{
    auto* pack = new TTWPack;
    pack->Name = name;
    pack->SetCardList(&pattern.Cards());
    pack->SetSize(static_cast<int>(members.size()));
    for (int i = 0; i < static_cast<int>(members.size()); ++i) {
        pack->SetMember(i, members[static_cast<std::size_t>(i)]);
    }
    pattern.Packs().Add(pack);
}

// Twelve four-hole cards threaded S on the left half and Z on the right, with a selvedge
// card on each side, woven in sixteen card picks: forwards and backwards runs, a twist, an
// idle card and a turn by two holes.
inline std::unique_ptr<TTWPattern> MakeSmall()
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Small Diamonds");
    pattern->SetNotes("Twelve cards, sixteen picks.");
    // Colours of the standard palette: 15 white and 4 navy, laid diagonally.
    for (int card = 0; card < 12; ++card) {
        const int shift = card % 4;
        std::vector<int> colours(4);
        for (int hole = 0; hole < 4; ++hole) {
            colours[static_cast<std::size_t>(hole)] = ((hole + shift) % 4) < 2 ? 15 : 4;
        }
        AddCard(pattern->Cards(), card < 6 ? ThreadingS : ThreadingZ, colours);
    }
    AddCard(pattern->SelvedgeLeft(), ThreadingS, {0, 0, 0, 0});
    AddCard(pattern->SelvedgeRight(), ThreadingZ, {0, 0, 0, 0});
    for (int index = 0; index < 16; ++index) {
        TTWPick* pick = pattern->Picks().Add();
        const std::uint8_t direction = (index / 4) % 2 == 0 ? TurnForwards : TurnBackwards;
        if (index == 8) {
            pick->Actions().Add(TTWAction::CreateCardTwist(3, TwistV).release());
        }
        for (int card = 1; card <= 12; ++card) {
            if (index == 9 && card == 6) {
                continue;
            }
            const std::uint8_t distance = index == 10 && card == 2 ? DistanceTwoHoles : DistanceOneHole;
            pick->Actions().Add(TTWAction::CreateCardTurn(card, direction, distance).release());
        }
    }
    return pattern;
}

// Eight cards in two packs, "Left" (1 - 4) and "Right" (5 - 8), woven by pack actions only.
inline std::unique_ptr<TTWPattern> MakePacks()
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Pack Sampler");
    pattern->SetNotes("Two packs.");
    for (int card = 0; card < 8; ++card) {
        AddCard(pattern->Cards(), card < 4 ? ThreadingS : ThreadingZ, {2, 2, 5, 5});
    }
    AddPack(*pattern, "Left", {1, 2, 3, 4});
    AddPack(*pattern, "Right", {5, 6, 7, 8});
    for (int index = 0; index < 10; ++index) {
        TTWPick* pick = pattern->Picks().Add();
        if (index == 4) {
            pick->Actions().Add(TTWAction::CreatePackTwist("Left", TwistV).release());
        }
        const std::uint8_t left = index % 4 < 2 ? TurnForwards : TurnBackwards;
        pick->Actions().Add(TTWAction::CreatePackTurn("Left", left, DistanceOneHole).release());
        pick->Actions().Add(TTWAction::CreatePackTurn("Right", TurnForwards,
                                                      index == 7 ? DistanceTwoHoles : DistanceOneHole)
                                .release());
    }
    return pattern;
}

inline constexpr int LargeCards = 200;
inline constexpr int LargePicks = 5000;
inline constexpr int LargeBorderCards = 16;

// A long, wide band: 200 four-hole cards with two selvedge cards on each side, woven in
// 5,000 picks of two packs. The border cards turn forwards all the time; the centre turns
// eight picks forwards, eight back, its colours laid diagonally and its threading mirrored
// at the middle, which weaves rows of diamonds.
inline std::unique_ptr<TTWPattern> MakeLarge()
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Large Band");
    pattern->SetNotes("200 cards, 5000 picks.");
    constexpr std::array<int, 4> Centre = {15, 15, 1, 4};
    std::vector<int> border;
    std::vector<int> centre;
    for (int card = 1; card <= LargeCards; ++card) {
        const bool isBorder = card <= LargeBorderCards || card > LargeCards - LargeBorderCards;
        (isBorder ? border : centre).push_back(card);
        const std::uint8_t threading = card <= LargeCards / 2 ? ThreadingS : ThreadingZ;
        if (isBorder) {
            const int stripe = (card - 1) % 8 < 4 ? 11 : 0;
            AddCard(pattern->Cards(), threading, {stripe, stripe, 1, 1});
            continue;
        }
        // Mirrored at the middle, so that the two halves meet in points.
        const int place = card <= LargeCards / 2 ? card : LargeCards + 1 - card;
        std::vector<int> colours(4);
        for (int hole = 0; hole < 4; ++hole) {
            colours[static_cast<std::size_t>(hole)] = Centre[static_cast<std::size_t>((hole + place) % 4)];
        }
        AddCard(pattern->Cards(), threading, colours);
    }
    for (int i = 0; i < 2; ++i) {
        AddCard(pattern->SelvedgeLeft(), ThreadingS, {0, 0, 0, 0});
        AddCard(pattern->SelvedgeRight(), ThreadingZ, {0, 0, 0, 0});
    }
    AddPack(*pattern, "Border", border);
    AddPack(*pattern, "Centre", centre);
    for (int index = 0; index < LargePicks; ++index) {
        TTWPick* pick = pattern->Picks().Add();
        pick->Actions().Add(TTWAction::CreatePackTurn("Border", TurnForwards, DistanceOneHole).release());
        const std::uint8_t direction = (index / 8) % 2 == 0 ? TurnForwards : TurnBackwards;
        pick->Actions().Add(TTWAction::CreatePackTurn("Centre", direction, DistanceOneHole).release());
    }
    return pattern;
}

inline constexpr int BrocadeCards = 24;
inline constexpr int BrocadeGroundRows = 16;
// A double-face row weaves two picks: the brocade has one pick over each.
inline constexpr int BrocadePicks = 2 * BrocadeGroundRows;
// The palette indexes of the ground's two faces: navy and white.
inline constexpr int BrocadeGroundPattern = 4;
inline constexpr int BrocadeGroundBack = 15;
inline constexpr TTWColour BrocadeGold = 0x0000C0FF;
inline constexpr TTWColour BrocadeRed = 0x000000C0;

// The double-face ground of the brocade: 24 four-hole cards (navy in holes A and B, white in
// C and D, threaded S on the left half and Z on the right) and 16 rows of crosses in tiles of
// eight cards.
inline std::unique_ptr<TTWDFPattern> MakeBrocadeGround()
{
    auto ground = std::make_unique<TTWDFPattern>();
    ground->SetName("Crosses");
    ground->SetSize(BrocadeCards, BrocadeGroundRows);
    ground->SetColourCount(2);
    for (int card = 0; card < BrocadeCards; ++card) {
        AddCard(ground->Cards(), card < BrocadeCards / 2 ? ThreadingS : ThreadingZ,
                {BrocadeGroundPattern, BrocadeGroundPattern, BrocadeGroundBack, BrocadeGroundBack});
    }
    for (int y = 0; y < BrocadeGroundRows; ++y) {
        for (int x = 0; x < BrocadeCards; ++x) {
            ground->SetCell(x, y, x % 8 == y % 8 || x % 8 == 7 - y % 8);
        }
    }
    return ground;
}

// A diamond brocaded in gold (weft A) round a red centre (weft B) over the double-face ground,
// one brocade pick over each of the ground's 32 picks, as the brocade editor stores it: the
// ground's cards, the five wefts named after their panels, every pick's tie-downs in card
// order. The gold is tied down at staggered cards, so that its floats run up to five cards;
// the red is never tied down inside the centre.
inline std::unique_ptr<TTWPattern> MakeBrocade()
{
    auto pattern = std::make_unique<TTWBrocadePattern>();
    pattern->SetName("Brocade Diamond");
    pattern->SetNotes("A gold diamond over a double-face ground.");
    const std::unique_ptr<TTWDFPattern> ground = MakeBrocadeGround();
    pattern->SetGroundWeave(ground.get());
    pattern->Cards().Assign(ground->Cards());
    pattern->Palette().Assign(&ground->Palette());
    pattern->SetWidth(BrocadeCards);
    constexpr std::array<const char*, 5> names = {"Weft A", "Weft B", "Weft C", "Weft D", "Weft E"};
    for (int weft = 0; weft < 5; ++weft) {
        TTWThread* thread = pattern->Wefts().GetItem(weft);
        thread->Name = names[static_cast<std::size_t>(weft)];
    }
    pattern->Wefts().GetItem(0)->Colour = BrocadeGold;
    pattern->Wefts().GetItem(1)->Colour = BrocadeRed;
    for (int y = 0; y < BrocadePicks; ++y) {
        TTWBrocadePick* pick = pattern->BrocadePicks().Add();
        for (int x = 0; x < BrocadeCards; ++x) {
            // Distances from the middle, in half cards and half picks.
            const int across = x * 2 - (BrocadeCards - 1);
            const int along = y * 2 - (BrocadePicks - 1);
            const int reach = (across < 0 ? -across : across) + (along < 0 ? -along : along) * 3 / 4;
            const bool centre = reach <= 8;
            const bool diamond = reach <= 20 && (centre || (x + 3 * (y % 2)) % 6 != 0);
            if (!diamond) {
                pick->SetTieDown(x, true);
            } else {
                pick->SetWeft(x, centre ? 2 : 1);
            }
        }
    }
    return pattern;
}

struct Sample {
    const char* FileName;
    std::unique_ptr<TTWPattern> (*Make)();
};

inline const std::array<Sample, 4>& Samples()
{
    static const std::array<Sample, 4> samples = {Sample{SmallFile, MakeSmall}, Sample{PacksFile, MakePacks},
                                                  Sample{LargeFile, MakeLarge}, Sample{BrocadeFile, MakeBrocade}};
    return samples;
}

// --- The font and the lettered band ---------------------------------------------------------------

inline constexpr const char* FontFile = "font_capitals.tvf";
inline constexpr const char* LetteredBandFile = "lettered_weaving.tvl";
inline constexpr const char* LetteredBandWord = "WEAVING";

// The capitals drawn five (three for I) by seven, '#' ink: one string a row, top row first.
struct CapitalShape {
    const char* Letter;
    std::array<std::string_view, 7> Rows;
};

// clang-format off
inline const std::array<CapitalShape, 27>& CapitalShapes()
{
    static const std::array<CapitalShape, 27> shapes = {{
        {"A", {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {"B", {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {"C", {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {"D", {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {"E", {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {"F", {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {"G", {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {"H", {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {"I", {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
        {"J", {"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}},
        {"K", {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {"L", {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {"M", {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {"N", {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {"O", {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {"P", {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {"Q", {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
        {"R", {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {"S", {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {"T", {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {"U", {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {"V", {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {"W", {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
        {"X", {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
        {"Y", {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {"Z", {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
        {" ", {"...", "...", "...", "...", "...", "...", "..."}},
    }};
    return shapes;
}
// clang-format on

// Each drawn pixel becomes Scale x Scale cells, with Margin cards above and below the letter.
inline constexpr int CapitalScale = 2;
inline constexpr int CapitalMargin = 2;
inline constexpr int CapitalHeight = 7 * CapitalScale + 2 * CapitalMargin;

// The glyph of a shape, as high as the font and as wide as the shape drawn.
inline fw::Bitmap CapitalGlyph(const CapitalShape& shape)
{
    const int columns = static_cast<int>(shape.Rows[0].size());
    fw::Bitmap glyph(columns * CapitalScale, CapitalHeight, true);
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (shape.Rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] != '#') {
                continue;
            }
            for (int dy = 0; dy < CapitalScale; ++dy) {
                for (int dx = 0; dx < CapitalScale; ++dx) {
                    glyph.SetPixel(column * CapitalScale + dx, CapitalMargin + row * CapitalScale + dy,
                                   fw::Bitmap::Black);
                }
            }
        }
    }
    return glyph;
}

// "Block Capitals": the letters A to Z and the space, 18 cards high, two rows between letters,
// alternately threaded cards.
inline std::unique_ptr<TTWFont> MakeFont()
{
    auto font = std::make_unique<TTWFont>();
    font->SetName("Block Capitals");
    font->SetNotes("The capitals A to Z and the space,\r\ndrawn five by seven and doubled.");
    font->SetHeight(CapitalHeight);
    font->SetDefCharWidth(10);
    font->SetKerning(2);
    font->SetThreading(FontThreadingAltSZ);
    for (const CapitalShape& shape : CapitalShapes()) {
        TTWFontChar* letter = font->AddChar(shape.Letter, shape.Letter[0] == ' ' ? "Space" : "");
        letter->Glyph() = CapitalGlyph(shape);
    }
    return font;
}

// The word WEAVING in the capitals, with the font embedded.
inline std::unique_ptr<TTWLetteredBand> MakeLetteredBand()
{
    auto band = std::make_unique<TTWLetteredBand>();
    const std::unique_ptr<TTWFont> font = MakeFont();
    band->SetName(font->Name());
    band->SetNotes("A band that says what it is for.");
    band->SetTextFrom(LetteredBandWord);
    band->SetEncapsulated(true);
    band->Font()->Assign(font.get());
    return band;
}

// The samples of the kinds that are no threaded-in pattern, checked as the others are.
struct OtherSample {
    const char* FileName;
    std::unique_ptr<TTWPatternBase> (*Make)();
};

inline const std::array<OtherSample, 2>& OtherSamples()
{
    static const std::array<OtherSample, 2> samples = {
        OtherSample{FontFile, []() -> std::unique_ptr<TTWPatternBase> { return MakeFont(); }},
        OtherSample{LetteredBandFile, []() -> std::unique_ptr<TTWPatternBase> { return MakeLetteredBand(); }}};
    return samples;
}

} // namespace sample_patterns
