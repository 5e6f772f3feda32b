#include <gtest/gtest.h>

#include "support/model_file_test.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>


#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace {

void AddCard(TTWCardList& cards, int colour)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(4);
    for (int hole = 0; hole < 4; ++hole) {
        card->SetHoleColour(hole, colour);
    }
    cards.Add(card.release());
}

// A brocade of three cards and two picks: pick 1 floats weft 1 over the middle card, pick 2
// weft 2 over the outer cards.
void MakeSmallBrocade(TTWBrocadePattern& brocade)
{
    brocade.SetWidth(3);
    brocade.SetSize(3, 2);
    brocade.BrocadePicks().Items(0)->SetTieDown(1, false);
    TTWBrocadePick& second = *brocade.BrocadePicks().Items(1);
    second.SetTieDown(0, false);
    second.SetWeft(0, 2);
    second.SetTieDown(2, false);
    second.SetWeft(2, 2);
    for (int colour : {3, 4, 5}) {
        AddCard(brocade.Cards(), colour);
    }
}

std::string PatternXML(const TTWPatternBase& pattern)
{
    TILXMLTree tree;
    pattern.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML(true);
}

std::unique_ptr<TTWBrocadePattern> ReadBrocade(const std::string& patternXML)
{
    TILXMLTree tree;
    tree.ParseText("<TWData><Version>1.17</Version>" + patternXML + "</TWData>");
    auto brocade = std::make_unique<TTWBrocadePattern>();
    double version = 0;
    brocade->ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    return brocade;
}

// A four-hole card of one colour as a file holds it.
std::string CardXML(int colour)
{
    const std::string hole = "<Colour>" + std::to_string(colour) + "</Colour>";
    return "<Card Holes=\"4\"><Holes Count=\"4\">" + hole + hole + hole + hole + "</Holes></Card>";
}

template <class Action>
TGenericException ErrorOf(Action action)
{
    try {
        action();
    } catch (const TGenericException& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return TGenericException("", nullptr, "", "");
}

const std::string GroundWeaveKindsMessage =
    "The ground weave must be a threaded-in, doubleface, twill, or twist-patterned design.";

class BrocadePatternTest : public ModelFileTest {};

} // namespace

TEST_F(BrocadePatternTest, PickDigitsAndTieDownsKeepEachOtherInStep)
{
    TTWBrocadePick pick;
    // A card beyond the digits carries the first weft; a card before the first none.
    EXPECT_EQ(1, pick.GetWeft(0));
    EXPECT_EQ(0, pick.GetWeft(-1));

    pick.SetWeft(3, 4);
    EXPECT_EQ("0004", pick.Wefts());
    EXPECT_EQ(1, pick.GetWeft(4));
    pick.SetWeft(-2, 5);
    pick.SetWeft(1, 10);
    EXPECT_EQ("0004", pick.Wefts());

    pick.SetTieDown(3, true);
    EXPECT_TRUE(pick.IsTieDown(3));
    EXPECT_EQ(0, pick.GetWeft(3));
    pick.SetTieDown(3, true);
    EXPECT_EQ(1, pick.TieDowns().Count());

    // Only a card that is tied down gets the first weft when released.
    pick.SetWeft(1, 6);
    pick.SetTieDown(1, false);
    EXPECT_EQ(6, pick.GetWeft(1));
    pick.SetTieDown(3, false);
    EXPECT_FALSE(pick.IsTieDown(3));
    EXPECT_EQ(1, pick.GetWeft(3));
    EXPECT_EQ(0, pick.TieDowns().Count());

    // Card numbers are compared as written.
    pick.TieDowns().Add("02");
    EXPECT_FALSE(pick.IsTieDown(2));

    pick.SetTieDown(-1, true);
    EXPECT_FALSE(pick.IsTieDown(-1));
    EXPECT_THROW(pick.SetWeft(TTWBrocadePattern::MaxWidth, 1), TGenericException);
    EXPECT_THROW(pick.SetTieDown(TTWBrocadePattern::MaxWidth, true), TGenericException);
    EXPECT_FALSE(pick.IsTieDown(TTWBrocadePattern::MaxWidth));
}

TEST_F(BrocadePatternTest, RunsAndRangesFollowTheDigitsOfThePatternWidth)
{
    TTWBrocadePattern brocade;
    brocade.SetWidth(10);
    TTWBrocadePick& pick = *brocade.BrocadePicks().Add();
    pick.SetWefts("0112202330");

    EXPECT_EQ(1, pick.FindNextWeftStart(-1));
    EXPECT_EQ(3, pick.FindNextWeftStart(1));
    // The tie-down at card 5 ends weft 2, so weft 2 begins again at card 6.
    EXPECT_EQ(6, pick.FindNextWeftStart(3));
    EXPECT_EQ(7, pick.FindNextWeftStart(6));
    EXPECT_EQ(10, pick.FindNextWeftStart(7));

    EXPECT_EQ(0, pick.GetWeftRunEnd(-1));
    EXPECT_EQ(2, pick.GetWeftRunEnd(1));
    EXPECT_EQ(8, pick.GetWeftRunEnd(7));
    EXPECT_EQ(9, pick.GetWeftRunEnd(9));

    EXPECT_EQ("1; 4 - 10", pick.GetCardRangesText(1, 1));
    EXPECT_EQ("1 - 4; 6 - 8", pick.GetCardRangesText(0, 0));
    EXPECT_EQ("0 - 2; 5; 7 - 9", pick.GetCardRangesText(0, 2));

    // Beyond the digits the cards carry weft 1 up to the pattern's width.
    brocade.SetWidth(12);
    EXPECT_EQ(11, pick.GetWeftRunEnd(10));
    EXPECT_EQ(11, pick.GetWeftRunEnd(30));
    EXPECT_EQ("0; 3 - 9", pick.GetCardRangesText(0, 1));

    EXPECT_EQ(0xFF0000u, pick.GetWeftColour(3));
    EXPECT_EQ(NoColour, pick.GetWeftColour(0));
    pick.SetWeft(0, 7);
    EXPECT_EQ(NoColour, pick.GetWeftColour(0));
    EXPECT_EQ(NoColour, TTWBrocadePick().GetWeftColour(0));
}

TEST_F(BrocadePatternTest, SetSizeTiesEveryCardDownAndCountsTheWeftsUsed)
{
    TTWBrocadePattern brocade;
    EXPECT_EQ(PatternTypeBrocade, brocade.GetPatternType());
    ASSERT_EQ(5, brocade.Wefts().Count());
    EXPECT_EQ(0x0000FFu, brocade.Wefts().Items(2)->Colour);
    EXPECT_FALSE(brocade.HasGroundWeave());

    brocade.SetWidth(4);
    brocade.SetSize(4, 3);
    EXPECT_EQ(4, brocade.GetCardCount());
    EXPECT_EQ(3, brocade.GetPickCount());
    for (const auto& pick : brocade.BrocadePicks()) {
        EXPECT_EQ("0,1,2,3", pick->TieDowns().CommaText());
        EXPECT_EQ("0000", pick->Wefts());
    }
    EXPECT_EQ(0, brocade.WeftsUsed());

    brocade.BrocadePicks().Items(0)->SetTieDown(2, false);
    brocade.BrocadePicks().Items(2)->SetWeft(1, 3);
    // A digit beyond the width is not part of the design.
    brocade.BrocadePicks().Items(1)->SetWeft(4, 9);
    EXPECT_EQ(2, brocade.WeftsUsed());
    EXPECT_TRUE(brocade.UsesWeft(3));
    EXPECT_FALSE(brocade.UsesWeft(9));

    // Sizes below 1 change nothing; the width is the caller's.
    brocade.SetSize(0, 5);
    brocade.SetSize(5, 0);
    EXPECT_EQ(3, brocade.GetPickCount());
    brocade.SetSize(2, 1);
    EXPECT_EQ(4, brocade.Width());
    EXPECT_EQ(1, brocade.GetPickCount());

    EXPECT_THROW(brocade.SetSize(TTWBrocadePattern::MaxWidth + 1, 1), TGenericException);
    EXPECT_THROW(brocade.SetSize(TTWBrocadePattern::MaxWidth, TTWBrocadePattern::MaxCells / TTWBrocadePattern::MaxWidth + 1),
                 TGenericException);
    EXPECT_THROW(brocade.SetWidth(-1), TGenericException);
    EXPECT_THROW(brocade.SetWidth(TTWBrocadePattern::MaxWidth + 1), TGenericException);
    EXPECT_EQ(1, brocade.GetPickCount());
}

TEST_F(BrocadePatternTest, SavedBrocadeIsTheGoldenFileAndReadsBackTheSame)
{
    TTWBrocadePattern brocade;
    MakeSmallBrocade(brocade);
    brocade.SetName("Ribbon");
    brocade.SetNotes("Two\r\nlines & <more>");
    brocade.Wefts().Items(1)->Name = "Gold";
    const std::string file = File("brocade.tvl");
    brocade.SaveToFile(file);

    const std::string golden =
        "<TWData>\r\n"
        "  <Source>Tavelin</Source>\r\n"
        "  <Version>1.17</Version>\r\n"
        "  <Release/>\r\n"
        "  <Pattern Type=\"Brocade\" GroundWeave=\"No\">\r\n"
        "    <Name><![CDATA[Ribbon]]></Name>\r\n"
        "    <Notes>Two&#13;&#10;lines &#38; &#60;more&#62;</Notes>\r\n"
        "    <Width>3</Width>\r\n"
        "    <BrocadePicks Count=\"2\">\r\n"
        "      <Pick Index=\"1\">\r\n"
        "        <TieDowns>0,2</TieDowns>\r\n"
        "        <Wefts>010</Wefts>\r\n"
        "      </Pick>\r\n"
        "      <Pick Index=\"2\">\r\n"
        "        <TieDowns>1</TieDowns>\r\n"
        "        <Wefts>202</Wefts>\r\n"
        "      </Pick>\r\n"
        "    </BrocadePicks>\r\n"
        "    <Wefts Count=\"5\">\r\n"
        "      <Thread>\r\n"
        "        <Description/>\r\n"
        "        <Colour>0</Colour>\r\n"
        "        <Name/>\r\n"
        "      </Thread>\r\n"
        "      <Thread>\r\n"
        "        <Description/>\r\n"
        "        <Colour>16711680</Colour>\r\n"
        "        <Name><![CDATA[Gold]]></Name>\r\n"
        "      </Thread>\r\n"
        "      <Thread>\r\n"
        "        <Description/>\r\n"
        "        <Colour>255</Colour>\r\n"
        "        <Name/>\r\n"
        "      </Thread>\r\n"
        "      <Thread>\r\n"
        "        <Description/>\r\n"
        "        <Colour>32768</Colour>\r\n"
        "        <Name/>\r\n"
        "      </Thread>\r\n"
        "      <Thread>\r\n"
        "        <Description/>\r\n"
        "        <Colour>65535</Colour>\r\n"
        "        <Name/>\r\n"
        "      </Thread>\r\n"
        "    </Wefts>\r\n"
        "    <Cards Count=\"3\">\r\n"
        "      <Card Holes=\"4\" Number=\"1\">\r\n"
        "        <Holes Count=\"4\">\r\n"
        "          <Colour>3</Colour>\r\n"
        "          <Colour>3</Colour>\r\n"
        "          <Colour>3</Colour>\r\n"
        "          <Colour>3</Colour>\r\n"
        "        </Holes>\r\n"
        "        <Threading>S</Threading>\r\n"
        "      </Card>\r\n"
        "      <Card Holes=\"4\" Number=\"2\">\r\n"
        "        <Holes Count=\"4\">\r\n"
        "          <Colour>4</Colour>\r\n"
        "          <Colour>4</Colour>\r\n"
        "          <Colour>4</Colour>\r\n"
        "          <Colour>4</Colour>\r\n"
        "        </Holes>\r\n"
        "        <Threading>S</Threading>\r\n"
        "      </Card>\r\n"
        "      <Card Holes=\"4\" Number=\"3\">\r\n"
        "        <Holes Count=\"4\">\r\n"
        "          <Colour>5</Colour>\r\n"
        "          <Colour>5</Colour>\r\n"
        "          <Colour>5</Colour>\r\n"
        "          <Colour>5</Colour>\r\n"
        "        </Holes>\r\n"
        "        <Threading>S</Threading>\r\n"
        "      </Card>\r\n"
        "    </Cards>\r\n"
        "    <Palette Name=\"\" Size=\"16\">\r\n"
        "      <Colour Index=\"1\">0</Colour>\r\n"
        "      <Colour Index=\"2\">128</Colour>\r\n"
        "      <Colour Index=\"3\">32768</Colour>\r\n"
        "      <Colour Index=\"4\">32896</Colour>\r\n"
        "      <Colour Index=\"5\">8388608</Colour>\r\n"
        "      <Colour Index=\"6\">8388736</Colour>\r\n"
        "      <Colour Index=\"7\">8421376</Colour>\r\n"
        "      <Colour Index=\"8\">8421504</Colour>\r\n"
        "      <Colour Index=\"9\">12632256</Colour>\r\n"
        "      <Colour Index=\"10\">255</Colour>\r\n"
        "      <Colour Index=\"11\">65280</Colour>\r\n"
        "      <Colour Index=\"12\">65535</Colour>\r\n"
        "      <Colour Index=\"13\">16711680</Colour>\r\n"
        "      <Colour Index=\"14\">16711935</Colour>\r\n"
        "      <Colour Index=\"15\">16776960</Colour>\r\n"
        "      <Colour Index=\"16\">16777215</Colour>\r\n"
        "    </Palette>\r\n"
        "    <VisualPattern>\r\n"
        "      <P2>B.B</P2>\r\n"
        "      <P1>.A.</P1>\r\n"
        "    </VisualPattern>\r\n"
        "  </Pattern>\r\n"
        "</TWData>\r\n";
    EXPECT_EQ(golden, fw::ReadFileBytes(file));

    std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
    ASSERT_EQ(PatternTypeBrocade, loaded->GetPatternType());
    auto& read = static_cast<TTWBrocadePattern&>(*loaded);
    EXPECT_EQ("Two\r\nlines & <more>", read.Notes());
    EXPECT_EQ(3, read.Width());
    EXPECT_EQ("202", read.BrocadePicks().Items(1)->Wefts());
    EXPECT_EQ("Gold", read.Wefts().Items(1)->Name);
    EXPECT_FALSE(read.HasGroundWeave());
    EXPECT_EQ(PatternXML(brocade), PatternXML(read));
}

TEST_F(BrocadePatternTest, ReadingRepairsMissingWeftsAndPadsTheCards)
{
    // An older file: the picks under "Picks", no weft digits, fewer cards than the width;
    // the pick count is not trusted.
    std::unique_ptr<TTWBrocadePattern> brocade = ReadBrocade(
        "<Pattern Type=\"Brocade\"><Name>Old</Name><Width>6</Width>"
        "<Picks Count=\"99\"><Pick><TieDowns>0,2</TieDowns><Wefts></Wefts></Pick>"
        "<Pick><TieDowns>1, x,-4</TieDowns></Pick><Pick><TieDowns/><Wefts>1203</Wefts></Pick></Picks>"
        "<Cards Count=\"4\">" + CardXML(1) + CardXML(2) + CardXML(3) + CardXML(4) + "</Cards>"
        "</Pattern>");
    EXPECT_EQ("Old", brocade->Name());
    ASSERT_EQ(3, brocade->GetPickCount());
    EXPECT_EQ("010", brocade->BrocadePicks().Items(0)->Wefts());
    EXPECT_EQ("10", brocade->BrocadePicks().Items(1)->Wefts());
    EXPECT_EQ("1203", brocade->BrocadePicks().Items(2)->Wefts());
    // Without a weft list in the file the five wefts stay.
    EXPECT_EQ(5, brocade->Wefts().Count());

    ASSERT_EQ(6, brocade->Cards().Count());
    for (int i = 4; i < 6; ++i) {
        const TTWCardBase& card = *brocade->Cards().GetCard(i);
        EXPECT_EQ(4, card.GetHoleCount());
        for (int hole = 0; hole < 4; ++hole) {
            EXPECT_EQ(15, card.HoleColour(hole));
        }
        EXPECT_EQ(0, card.CurPos());
    }
    EXPECT_EQ(4, brocade->Cards().GetCard(3)->HoleColour(0));

    // "BrocadePicks" wins over "Picks", wherever it stands; the weft list is read.
    brocade = ReadBrocade("<Pattern Type=\"Brocade\"><Width>1</Width><Picks><Pick/></Picks><Wefts><Thread><Colour>255</Colour>"
                          "</Thread></Wefts><Extra><BrocadePicks><Pick><Wefts>2</Wefts></Pick>"
                          "<Pick><Wefts>3</Wefts></Pick></BrocadePicks></Extra></Pattern>");
    ASSERT_EQ(2, brocade->GetPickCount());
    EXPECT_EQ("3", brocade->BrocadePicks().Items(1)->Wefts());
    ASSERT_EQ(1, brocade->Wefts().Count());
    EXPECT_EQ(255u, brocade->Wefts().Items(0)->Colour);
    EXPECT_EQ(1, brocade->Width());
}

TEST_F(BrocadePatternTest, APickReachingBeyondTheWidthIsRefused)
{
    // The editor holds the width's cards of every pick: a card beyond them would be lost.
    EXPECT_EQ("Invalid Wefts of pick 2 in BrocadePicks (5 cards).\r\nThe brocade is 4 cards wide: a card beyond "
              "them would be lost.",
              ErrorOf([] {
                  ReadBrocade("<Pattern Type=\"Brocade\"><Width>4</Width><BrocadePicks><Pick><Wefts>1111</Wefts>"
                              "</Pick><Pick><Wefts>11110</Wefts></Pick></BrocadePicks></Pattern>");
              }).Message());
    EXPECT_EQ("Invalid TieDowns of pick 1 in Picks (card 4).\r\nThe brocade's cards are 0 to 3: a card beyond them "
              "would be lost.",
              ErrorOf([] {
                  ReadBrocade("<Pattern Type=\"Brocade\"><Width>4</Width><Picks><Pick><TieDowns>1,4</TieDowns>"
                              "<Wefts>1011</Wefts></Pick></Picks></Pattern>");
              }).Message());
    EXPECT_EQ("Invalid Wefts of pick 1 in BrocadePicks (1 cards).\r\nThe brocade has no cards: a card beyond them "
              "would be lost.",
              ErrorOf([] {
                  ReadBrocade("<Pattern Type=\"Brocade\"><BrocadePicks><Pick><Wefts>2</Wefts></Pick></BrocadePicks>"
                              "</Pattern>");
              }).Message());
    // Shorter picks, and entries that name no card, lose nothing the editor would keep.
    std::unique_ptr<TTWBrocadePattern> brocade =
        ReadBrocade("<Pattern Type=\"Brocade\"><Width>4</Width><BrocadePicks><Pick><TieDowns>x,-1,3</TieDowns>"
                    "<Wefts>120</Wefts></Pick></BrocadePicks></Pattern>");
    EXPECT_EQ("120", brocade->BrocadePicks().Items(0)->Wefts());
}

TEST_F(BrocadePatternTest, CardsBeyondTheWidthAndCountsThatDisagreeWithTheirListsAreRefused)
{
    // The editor keeps a card for each card of the design, and the save counts what it holds:
    // cards beyond the width would be lost, and a count that disagrees would change.
    EXPECT_EQ("Invalid count (3) in <Cards Count>.\r\nThe brocade is 2 cards wide: the cards beyond it would be "
              "lost.",
              ErrorOf([] {
                  ReadBrocade("<Pattern Type=\"Brocade\"><Width>2</Width><Cards Count=\"3\">" + CardXML(1)
                              + CardXML(2) + CardXML(3) + "</Cards></Pattern>");
              }).Message());
    EXPECT_EQ("Invalid count (3) in <BrocadePicks Count>.\r\nThe list holds 2 entries.",
              ErrorOf([] {
                  ReadBrocade("<Pattern Type=\"Brocade\"><Width>1</Width><BrocadePicks Count=\"3\"><Pick><Wefts>1"
                              "</Wefts></Pick><Pick><Wefts>0</Wefts></Pick></BrocadePicks></Pattern>");
              }).Message());
    EXPECT_EQ("Invalid count (2) in <Wefts Count>.\r\nThe list holds 1 entries.",
              ErrorOf([] {
                  ReadBrocade("<Pattern Type=\"Brocade\"><Wefts Count=\"2\"><Thread><Colour>255</Colour></Thread>"
                              "</Wefts></Pattern>");
              }).Message());
    // As many cards as the width, and lists as long as their counts, are read.
    const std::unique_ptr<TTWBrocadePattern> brocade =
        ReadBrocade("<Pattern Type=\"Brocade\"><Width>2</Width><BrocadePicks Count=\"1\"><Pick><Wefts>10</Wefts>"
                    "</Pick></BrocadePicks><Cards Count=\"2\">" + CardXML(1) + CardXML(2) + "</Cards></Pattern>");
    EXPECT_EQ(2, brocade->Cards().Count());
    EXPECT_EQ(1, brocade->GetPickCount());
}

TEST_F(BrocadePatternTest, AbsurdSizesInAFileAreRefusedBeforeAnythingIsMade)
{
    const TGenericException wide =
        ErrorOf([] { ReadBrocade("<Pattern Type=\"Brocade\"><Width>2000000000</Width></Pattern>"); });
    EXPECT_EQ("Invalid pattern width (2000000000).\r\nA pattern has at most 1000 cards.", wide.Message());
    EXPECT_THROW(ReadBrocade("<Pattern Type=\"Brocade\"><Width>-3</Width></Pattern>"), TGenericException);

    const TGenericException farTieDown = ErrorOf([] {
        ReadBrocade("<Pattern Type=\"Brocade\"><BrocadePicks><Pick><TieDowns>1,999999999</TieDowns></Pick>"
                    "</BrocadePicks></Pattern>");
    });
    EXPECT_EQ("Tie-down card 999999999 lies beyond the largest brocade of 1000 cards.", farTieDown.Message());

    // Every pick may unfold to a full row of digits: together they must stay within a brocade.
    std::string picks;
    for (int i = 0; i < 4005; ++i) {
        picks += "<Pick><TieDowns>999</TieDowns></Pick>";
    }
    const TGenericException tooMany =
        ErrorOf([&] { ReadBrocade("<Pattern Type=\"Brocade\"><BrocadePicks>" + picks + "</BrocadePicks></Pattern>"); });
    EXPECT_EQ("Too many brocade cells.\r\nA brocade holds at most 4000000 cells.", tooMany.Message());

    // A wide brocade of many short picks is as large as its width says, not its digits.
    const TGenericException wideAndLong = ErrorOf([&] {
        std::string shortPicks;
        for (int i = 0; i < 4001; ++i) {
            shortPicks += "<Pick/>";
        }
        ReadBrocade("<Pattern Type=\"Brocade\"><Width>1000</Width><BrocadePicks>" + shortPicks
                    + "</BrocadePicks></Pattern>");
    });
    EXPECT_NE(std::string::npos, wideAndLong.Message().find("Brocade size 1000 x 4001 is too large."));
}

namespace {

// One pattern of every kind that can be a ground weave, three cards wide.
std::vector<std::unique_ptr<TTWPatternBase>> GroundWeaves()
{
    std::vector<std::unique_ptr<TTWPatternBase>> patterns;
    auto threaded = std::make_unique<TTWPattern>();
    for (int colour : {1, 2, 3}) {
        AddCard(threaded->Cards(), colour);
    }
    for (int i = 0; i < 5; ++i) {
        TTWPick* pick = threaded->Picks().Add();
        pick->Actions().Add(TTWAction::CreateCardTurn(2, TurnBackwards, DistanceOneHole).release());
    }
    patterns.push_back(std::move(threaded));
    std::vector<std::unique_ptr<TTWDFPattern>> grids;
    grids.push_back(std::make_unique<TTWDFPattern>());
    grids.push_back(std::make_unique<TTW31TwillPattern>());
    grids.push_back(std::make_unique<TTWWarpTwinedPattern>());
    for (auto& grid : grids) {
        grid->SetSize(3, 2);
        grid->SetCell(1, 0, true);
        grid->SetCell(2, 1, true);
        // The twist-patterned kind stores only the threading of its cards, not their colours.
        const bool twist = grid->GetPatternType() == PatternTypeTwistPatterned;
        for (int colour : {1, 2, 3}) {
            AddCard(grid->Cards(), twist ? 0 : colour);
        }
        patterns.push_back(std::move(grid));
    }
    for (auto& pattern : patterns) {
        pattern->SetName("Ground " + std::string(pattern->className()));
    }
    return patterns;
}

} // namespace

TEST_F(BrocadePatternTest, EveryGroundWeaveKindIsCopiedAndTravelsThroughTheFile)
{
    for (const auto& ground : GroundWeaves()) {
        SCOPED_TRACE(std::string(ground->className()));
        TTWBrocadePattern brocade;
        MakeSmallBrocade(brocade);
        brocade.SetGroundWeave(ground.get());
        ASSERT_TRUE(brocade.HasGroundWeave());
        EXPECT_NE(ground.get(), brocade.GroundWeave());
        EXPECT_EQ(ground->className(), brocade.GroundWeave()->className());
        EXPECT_EQ(PatternXML(*ground), PatternXML(*brocade.GroundWeave()));
        // The copy is the brocade's own.
        ground->SetName("Changed");
        EXPECT_EQ("Ground " + std::string(brocade.GroundWeave()->className()), brocade.GroundWeave()->Name());

        const std::string file = File("ground.tvl");
        brocade.SaveToFile(file);
        std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
        auto& read = static_cast<TTWBrocadePattern&>(*loaded);
        ASSERT_TRUE(read.HasGroundWeave());
        EXPECT_EQ(ground->className(), read.GroundWeave()->className());
        EXPECT_EQ(2, read.GetPickCount());
        EXPECT_EQ(3, read.Cards().Count());
        EXPECT_EQ(PatternXML(brocade), PatternXML(read));

        // "No" takes the ground weave away from a brocade that holds one; a file that says "No"
        // but holds a ground weave is refused, for the save would drop it.
        TILXMLTree tree;
        tree.LoadFromFile(file);
        TILXMLNode* element = tree.FindTag("TWData/Pattern", true);
        element->SetAttribute("GroundWeave", "No");
        double version = 0;
        EXPECT_THROW(read.ExtractXML(element, version), TGenericException);
        element->FindChild("GroundWeave")->SetTag("Dropped");
        read.ExtractXML(element, version);
        EXPECT_FALSE(read.HasGroundWeave());
        EXPECT_EQ(nullptr, read.GroundWeave());
    }
}

TEST_F(BrocadePatternTest, AGroundWeaveKeepsItsPaletteThroughCopiesAndTheFile)
{
    for (const auto& ground : GroundWeaves()) {
        SCOPED_TRACE(std::string(ground->className()));
        TTWPalette& palette = *ground->GetPalette();
        palette.SetName("Ground palette");
        palette.SetColour(3, 0x123456);
        auto* grid = dynamic_cast<TTWDFPattern*>(ground.get());
        if (grid != nullptr) {
            grid->SetSaveCardsAndPalette(false);
        }
        TTWBrocadePattern brocade;
        MakeSmallBrocade(brocade);
        brocade.SetGroundWeave(ground.get());
        const TTWPalette& held = *brocade.GroundWeave()->GetPalette();
        EXPECT_EQ("Ground palette", held.Name());
        EXPECT_EQ(0x123456u, held.GetColour(3));
        if (grid != nullptr) {
            EXPECT_FALSE(dynamic_cast<const TTWDFPattern&>(*brocade.GroundWeave()).SaveCardsAndPalette());
            grid->SetSaveCardsAndPalette(true);
            brocade.SetGroundWeave(ground.get());
        }
        // A copy of the brocade, and the brocade read back from its file, keep it too.
        TTWBrocadePattern copy;
        copy.Assign(&brocade);
        EXPECT_EQ(0x123456u, copy.GroundWeave()->GetPalette()->GetColour(3));
        const std::string file = File("palette.tvl");
        copy.SaveToFile(file);
        std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
        auto& read = static_cast<TTWBrocadePattern&>(*loaded);
        ASSERT_TRUE(read.HasGroundWeave());
        EXPECT_EQ("Ground palette", read.GroundWeave()->GetPalette()->Name());
        EXPECT_EQ(0x123456u, read.GroundWeave()->GetPalette()->GetColour(3));
        EXPECT_EQ(PatternXML(*ground), PatternXML(*read.GroundWeave()));
    }
}

TEST_F(BrocadePatternTest, OtherKindsAreRefusedAsGroundWeaveAndChangeNothing)
{
    TTWBrocadePattern brocade;
    TTWPattern threaded;
    brocade.SetGroundWeave(&threaded);
    const TTWPatternBase* held = brocade.GroundWeave();

    TTWFont font;
    TTWLetteredBand band;
    TTWBrocadePattern other;
    for (const TTWPatternBase* refused : std::vector<const TTWPatternBase*>{&font, &band, &other, &brocade}) {
        SCOPED_TRACE(std::string(refused->className()));
        const TGenericException error = ErrorOf([&] { brocade.SetGroundWeave(refused); });
        EXPECT_EQ("Cannot set ground weave pattern.\r\n" + GroundWeaveKindsMessage, error.Message());
        EXPECT_EQ("SetGroundWeave", error.GetInfo(0)->MethodName);
        EXPECT_EQ("TTWBrocadePattern", error.GetInfo(0)->SenderName);
        EXPECT_EQ(held, brocade.GroundWeave());
    }

    // Its own ground weave given again is copied before the old one goes.
    brocade.GroundWeave()->SetName("Own");
    brocade.SetGroundWeave(brocade.GroundWeave());
    ASSERT_TRUE(brocade.HasGroundWeave());
    EXPECT_EQ("Own", brocade.GroundWeave()->Name());
    brocade.Assign(&brocade);
    EXPECT_EQ("Own", brocade.GroundWeave()->Name());

    TTWBrocadePattern copy;
    copy.Assign(&brocade);
    ASSERT_TRUE(copy.HasGroundWeave());
    EXPECT_NE(brocade.GroundWeave(), copy.GroundWeave());
    brocade.SetGroundWeave(nullptr);
    EXPECT_FALSE(brocade.HasGroundWeave());
    // A brocade without a ground weave takes that away too.
    copy.Assign(&brocade);
    EXPECT_FALSE(copy.HasGroundWeave());
}

TEST_F(BrocadePatternTest, AGroundWeaveInAFileMustBeThereAndOfAGroundKind)
{
    TTWBrocadePattern brocade;
    TTWPattern threaded;
    threaded.SetName("Kept");
    brocade.SetGroundWeave(&threaded);
    const auto read = [&](const std::string& attribute, const std::string& inside) {
        TILXMLTree tree;
        tree.ParseText("<TWData><Pattern Type=\"Brocade\" GroundWeave=\"" + attribute + "\">" + inside
                       + "</Pattern></TWData>");
        double version = 0;
        brocade.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    };

    const TGenericException missing = ErrorOf([&] { read("Yes", ""); });
    EXPECT_EQ("Cannot read ground weave pattern.\r\nThe pattern has a ground weave, but its data is missing.",
              missing.Message());
    const TGenericException font =
        ErrorOf([&] { read("Y", "<GroundWeave><Pattern Type=\"Font\"/></GroundWeave>"); });
    EXPECT_EQ("Cannot read ground weave pattern.\r\nThe type <Font> cannot be a ground weave.\r\n"
                  + GroundWeaveKindsMessage,
              font.Message());
    EXPECT_THROW(read("1", "<GroundWeave><Pattern Type=\"Brocade\"/></GroundWeave>"), TGenericException);
    EXPECT_THROW(read("true", "<GroundWeave><Pattern Type=\"Plaid\"/></GroundWeave>"), TGenericException);
    // A failed read leaves the ground weave that was held.
    ASSERT_TRUE(brocade.HasGroundWeave());
    EXPECT_EQ("Kept", brocade.GroundWeave()->Name());

    read("-1", "<GroundWeave><Pattern Type=\"doubleface\"><Width>2</Width><Length>1</Length></Pattern></GroundWeave>");
    ASSERT_TRUE(brocade.HasGroundWeave());
    EXPECT_EQ(PatternTypeDoubleFace, brocade.GroundWeave()->GetPatternType());
    EXPECT_EQ(2, brocade.GroundWeave()->GetCardCount());

    // A false text means no ground weave; a ground weave in the file all the same, or a text
    // that is neither, is refused: the next save would drop it.
    read("No", "");
    EXPECT_FALSE(brocade.HasGroundWeave());
    EXPECT_EQ("Invalid value (Maybe) in <Pattern GroundWeave>.\r\nThe values allowed are Yes or No.",
              ErrorOf([&] { read("Maybe", "<GroundWeave><Pattern Type=\"Threaded\"/></GroundWeave>"); }).Message());
    EXPECT_EQ("Invalid value (No) in <Pattern GroundWeave>.\r\nThe brocade's file holds its ground weave.",
              ErrorOf([&] { read("No", "<GroundWeave><Pattern Type=\"Threaded\"/></GroundWeave>"); }).Message());

    // The ground weave's own picks are never taken for the brocade's, whether the ground
    // weave stands before or after the element that holds them, or the brocade has none.
    const std::string ground = "<GroundWeave><Pattern Type=\"Threaded\"><Picks Count=\"3\"><Pick/><Pick/><Pick/>"
                               "</Picks></Pattern></GroundWeave>";
    const std::string own = "<Width>1</Width><Design><Picks><Pick><Wefts>2</Wefts></Pick></Picks></Design>";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {ground, {}}, {ground + own, {"2"}}, {own + ground, {"2"}}};
    for (const auto& [inside, wefts] : cases) {
        SCOPED_TRACE(inside);
        read("Yes", inside);
        ASSERT_TRUE(brocade.HasGroundWeave());
        EXPECT_EQ(3, brocade.GroundWeave()->GetPickCount());
        std::vector<std::string> picks;
        for (const auto& pick : brocade.BrocadePicks()) {
            picks.push_back(pick->Wefts());
        }
        EXPECT_EQ(wefts, picks);
    }
}

TEST_F(BrocadePatternTest, ConvertsItsGroundIntoAThreadedPatternOfItsSize)
{
    TTWBrocadePattern brocade;
    MakeSmallBrocade(brocade);

    // Without a ground weave every card turns forwards once per brocade pick.
    brocade.BuildThreadedPicks();
    ASSERT_EQ(2, brocade.Picks().Count());
    for (const auto& pick : brocade.Picks()) {
        ASSERT_EQ(3, pick->Actions().Count());
        for (int card = 1; card <= 3; ++card) {
            const TTWAction* turn = pick->Actions().FindCardTurn(card);
            ASSERT_NE(nullptr, turn);
            EXPECT_EQ(TurnForwards, turn->TurnDir());
            EXPECT_EQ(DistanceOneHole, turn->Dist());
        }
    }
    TTWPattern target;
    target.SetName("Target");
    brocade.ConvertToThreaded(target);
    EXPECT_EQ("Target", target.Name());
    EXPECT_EQ(3, target.GetCardCount());
    TTWWeaving weaving;
    target.BuildWeaving(weaving, nullptr, false, 0);
    EXPECT_EQ(3, weaving.Width());
    EXPECT_EQ(2, weaving.PickCount());

    // With one, the ground weave weaves on the brocade's cards.
    TTWDFPattern ground;
    ground.SetSize(3, 4);
    AddCard(ground.Cards(), 9);
    brocade.SetGroundWeave(&ground);
    brocade.BuildThreadedPicks();
    EXPECT_EQ(8, brocade.Picks().Count());
    ASSERT_EQ(3, brocade.Cards().Count());
    EXPECT_EQ(5, brocade.Cards().GetCard(2)->HoleColour(0));
    brocade.BuildWeaving(weaving, nullptr, false, 0);
    EXPECT_EQ(3, weaving.Width());
    EXPECT_EQ(8, weaving.PickCount());
    // The brocade's own size stays that of its design.
    EXPECT_EQ(3, brocade.GetCardCount());
    EXPECT_EQ(2, brocade.GetPickCount());
}
