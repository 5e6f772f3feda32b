#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/bitmap.h"
#include "framework/core/strings.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "support/raised_message.h"

// Files that are damaged, or made by hand, and ask for far more than any band needs: the
// model answers in its own words before it makes what they ask for, and never reads or
// computes past what it holds.

namespace {

std::unique_ptr<TTWPatternBase> Load(const std::string& patternElement)
{
    TILXMLTree tree;
    tree.ParseText("<TWData><Version>1.17</Version>" + patternElement + "</TWData>");
    return CreatePatternFromXML(tree);
}

std::string Repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

// A target that already holds one card and one pick, to see that a refusal leaves it alone.
void Prefill(TTWPattern& target)
{
    target.Cards().Add(CreateCard(4).release());
    target.Picks().Add();
}

class DamagedFiles : public testing::Test {
protected:
    void SetUp() override { ResetModelForTests(); }
};

} // namespace

TEST_F(DamagedFiles, DesignsTooLargeToWeaveAreRefusedBeforeAnythingIsConverted)
{
    EXPECT_EQ("", RaisedMessage([] { TTWPattern::CheckConversionSize(4000, 1000, nullptr); }));
    EXPECT_EQ("", RaisedMessage([] { TTWPattern::CheckConversionSize(-5, INT_MAX, nullptr); }));
    EXPECT_EQ("The design is too large to weave: 4000 cards in 1001 picks.\r\n"
              "A woven design holds at most 4000000 card turns.",
              RaisedMessage([] { TTWPattern::CheckConversionSize(4000, 1001, nullptr); }));

    // A double-face design of 1000 x 2001 cells is woven in two picks a row; with six
    // colours 1000 x 1334 cells take three. No design is made so large while a design holds
    // fewer cells than that (MaxDesignCells): its size setter refuses it first. Where the
    // limit lets it be made, the conversion refuses it.
    const auto sized = [](std::unique_ptr<TTWDFPattern> pattern, int width, int length,
                          int colours) -> std::unique_ptr<TTWDFPattern> {
        if (!DesignCellsFit(width, length)) {
            EXPECT_THROW(pattern->SetSize(width, length), TGenericException);
            EXPECT_EQ(0, pattern->Width());
            return nullptr;
        }
        pattern->SetSize(width, length);
        pattern->SetColourCount(colours);
        return pattern;
    };
    std::vector<std::unique_ptr<TTWDFPattern>> designs;
    designs.push_back(sized(std::make_unique<TTWDFPattern>(), 1000, 2001, 2));
    designs.push_back(sized(std::make_unique<TTWDFPattern>(), 1000, 1334, 6));
    designs.push_back(sized(std::make_unique<TTW31TwillPattern>(), 1000, 2001, 2));
    designs.push_back(sized(std::make_unique<TTWWarpTwinedPattern>(), 1000, 4001, 2));
    for (const auto& pattern : designs) {
        if (pattern == nullptr) {
            continue;
        }
        SCOPED_TRACE(std::string(pattern->className()) + " " + std::to_string(pattern->Length()));
        TTWPattern target;
        Prefill(target);
        const std::string error = RaisedMessage([&] { pattern->ConvertToThreaded(target); });
        EXPECT_NE(std::string::npos, error.find("The design is too large to weave: ")) << error;
        EXPECT_EQ(1, target.Cards().Count());
        EXPECT_EQ(1, target.Picks().Count());
    }

    // A brocade's ground is its own picks turning every card, or its ground weave's.
    TTWBrocadePattern brocade;
    for (int i = 0; i < 2001; ++i) {
        brocade.Cards().Add(CreateCard(4).release());
    }
    for (int i = 0; i < 2000; ++i) {
        brocade.BrocadePicks().Add();
    }
    EXPECT_EQ("The design is too large to weave: 2001 cards in 2000 picks.\r\n"
              "A woven design holds at most 4000000 card turns.",
              RaisedMessage([&] { brocade.BuildThreadedPicks(); }));
    EXPECT_EQ(0, brocade.Picks().Count());
    TTWDFPattern ground;
    if (DesignCellsFit(1000, 2001)) {
        ground.SetSize(1000, 2001);
        brocade.SetGroundWeave(&ground);
        EXPECT_NE(std::string::npos, RaisedMessage([&] { brocade.BuildThreadedPicks(); }).find("too large to weave"));
    } else {
        EXPECT_THROW(ground.SetSize(1000, 2001), TGenericException);
    }

    // A lettered band is refused before its double-face design is made.
    TTWPattern lettered;
    Prefill(lettered);
    const fw::Bitmap grid(1000, 2001, true);
    EXPECT_EQ("The design is too large to weave: 1000 cards in 4002 picks.\r\n"
              "A woven design holds at most 4000000 card turns.",
              RaisedMessage([&] { BuildLetteredThreadedPattern(grid, FontThreadingAllS, lettered); }));
    EXPECT_EQ(1, lettered.Cards().Count());
    EXPECT_EQ(1, lettered.Picks().Count());
}

TEST_F(DamagedFiles, TwillWithoutRowsConvertsToNoPicks)
{
    // The odd columns start and end with half rows; without rows there is nothing to
    // start or end, in either direction and with either way of changing colour.
    for (const char* direction : {"S", "Z"}) {
        for (TTWColourInterchange interchange : {TTWColourInterchange::Turn, TTWColourInterchange::Twist}) {
            SCOPED_TRACE(direction);
            UserSettings().BrokenTwill.ColourInterchange = interchange;
            std::unique_ptr<TTWPatternBase> twill =
                Load(std::string("<Pattern Type=\"BrokenTwill\"><Width>5</Width>"
                                 "<BackgroundTwill>")
                     + direction + "</BackgroundTwill><Cards Count=\"1\"><Card Holes=\"4\"><Holes Count=\"4\"/>"
                     + "</Card></Cards></Pattern>");
            TTWPattern target;
            Prefill(target);
            twill->ConvertToThreaded(target);
            EXPECT_EQ(1, target.Cards().Count());
            EXPECT_EQ(0, target.Picks().Count());
        }
    }
}

TEST_F(DamagedFiles, PacksOfAPatternHoldAtMostAMillionMembersTogether)
{
    const std::string largestPack = "<Pack><Size>" + fw::IntToStr(TTWPack::MaxSize) + "</Size><Cards>"
                                    + Repeated("1,", TTWPack::MaxSize - 1) + "1</Cards></Pack>";
    const auto packs = [&](int count) {
        return "<Pattern Type=\"Threaded\"><Packs Count=\"" + fw::IntToStr(count) + "\">"
               + Repeated(largestPack, count) + "</Packs></Pattern>";
    };
    std::unique_ptr<TTWPatternBase> tenPacks = Load(packs(10));
    const auto& pattern = dynamic_cast<const TTWPattern&>(*tenPacks);
    ASSERT_EQ(10, pattern.Packs().Count());
    EXPECT_EQ(TTWPack::MaxSize, pattern.Packs().Items(9)->Size());
    EXPECT_EQ(1, pattern.Packs().Items(9)->Member(0));

    EXPECT_EQ("Too many pack members.\r\nThe packs of a pattern hold at most 1000000 cards together.",
              RaisedMessage([&] { Load(packs(11)); }));
}

TEST_F(DamagedFiles, PalettesFileHoldsAtMostAMillionColoursTogether)
{
    const auto palettes = [](TILXMLTree& tree, int count) {
        tree.ParseText("<TVL><Palettes>" + Repeated("<Palette Size=\"65536\"/>", count) + "</Palettes></TVL>");
        return &tree;
    };
    TTWPaletteList list;
    list.ResetToDefault();
    TILXMLTree sixteen;
    EXPECT_EQ("Too many colours.\r\nThe palettes hold at most 1000000 colours together.",
              RaisedMessage([&] { list.ReadFromXML(*palettes(sixteen, 16)); }));
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ(DefaultPaletteName, list.Palettes(0)->Name());

    TILXMLTree fifteen;
    list.ReadFromXML(*palettes(fifteen, 15));
    ASSERT_EQ(15, list.Count());
    EXPECT_EQ(TTWPalette::MaxSize, list.Palettes(14)->Size());
}

TEST_F(DamagedFiles, ColourNumbersOutsideThePaletteAreRefusedToTheEndsOfTheIntegers)
{
    const auto read = [](const std::string& colours) {
        TILXMLTree tree;
        tree.ParseText("<Palette Size=\"3\"><Colour Index=\"1\">3</Colour><Colour Index=\"3\">4</Colour>" + colours
                       + "</Palette>");
        TTWPalette palette;
        palette.ReadFromXML(tree.GetTopNode(0));
        return palette.Colours();
    };
    // The colour not given keeps its standard value.
    EXPECT_EQ((std::vector<TTWColour>{3, 0x000080, 4}), read(""));
    // A colour of no place in the palette would be dropped by the next save.
    for (const char* index : {"-2147483648", "0"}) {
        EXPECT_EQ("Invalid number (" + std::string(index) + ") in <Colour Index>.\r\nThe number is at least 1.",
                  RaisedMessage([&] { read("<Colour Index=\"" + std::string(index) + "\">1</Colour>"); }));
    }
    for (const char* index : {"4", "2147483647"}) {
        EXPECT_EQ("Invalid number (" + std::string(index) + ") in <Colour Index>.\r\nThe palette holds 3 colours.",
                  RaisedMessage([&] { read("<Colour Index=\"" + std::string(index) + "\">1</Colour>"); }));
    }
    EXPECT_EQ("Invalid number (99999999999) in <Colour Index>.\r\nA whole number is expected.",
              RaisedMessage([&] { read("<Colour Index=\"99999999999\">7</Colour>"); }));
    EXPECT_EQ("Invalid colour (blue) in <Colour>.\r\nA colour is a whole number.",
              RaisedMessage([&] { read("<Colour Index=\"2\">blue</Colour>"); }));
}

TEST_F(DamagedFiles, PackTurnsPassOverMembersThatNameNoCardAndRepeatTheOthers)
{
    // A pack of the largest size whose members are mostly card 0: only the cards it names
    // turn, a card named twice twice, in member order.
    const auto weave = [](const std::vector<std::pair<int, int>>& members, int size) {
        TTWPattern pattern;
        for (int i = 0; i < 2; ++i) {
            pattern.Cards().Add(CreateCard(4).release());
        }
        auto* pack = new TTWPack;
        pack->Name = "P";
        pack->SetSize(size);
        for (const auto& [place, card] : members) {
            pack->SetMember(place, card);
        }
        pack->SetCardList(&pattern.Cards());
        pattern.Packs().Add(pack);
        for (int i = 0; i < 49; ++i) {
            pattern.Picks().Add()->Actions().Add(
                TTWAction::CreatePackTurn("P", i % 3 == 0 ? TurnBackwards : TurnForwards, DistanceOneHole).release());
        }
        auto weaving = std::make_unique<TTWWeaving>();
        pattern.BuildWeaving(*weaving, nullptr, false, 0);
        std::vector<int> positions;
        for (int i = 0; i < pattern.Cards().Count(); ++i) {
            positions.push_back(pattern.Cards().GetCard(i)->CurPos());
        }
        return std::make_pair(std::move(weaving), positions);
    };
    const auto [sparse, sparsePositions] =
        weave({{7, 1}, {500, -3}, {60000, 2}, {70000, 9}, {99999, 1}}, TTWPack::MaxSize);
    const auto [dense, densePositions] = weave({{0, 1}, {1, 2}, {2, 1}}, 3);
    EXPECT_EQ(densePositions, sparsePositions);
    ASSERT_EQ(dense->PickCount(), sparse->PickCount());
    for (int pick = 0; pick < dense->PickCount(); ++pick) {
        for (int column = 0; column < dense->Width(); ++column) {
            const TTWWeavingCell& expected = *dense->Cell(column, pick);
            const TTWWeavingCell& cell = *sparse->Cell(column, pick);
            EXPECT_EQ(expected.Hole, cell.Hole);
            EXPECT_EQ(expected.TurnDir, cell.TurnDir);
            EXPECT_EQ(expected.Reversal, cell.Reversal);
        }
    }
    // Card 1 turns twice in every pick, card 2 once: their positions differ.
    EXPECT_NE(densePositions[0], densePositions[1]);
}
