#include <gtest/gtest.h>

#include "support/model_file_test.h"
#include "support/pick_texts.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "support/raised_message.h"

namespace {

std::string Threadings(const TTWCardList& cards)
{
    std::string letters;
    for (int i = 0; i < cards.Count(); ++i) {
        EXPECT_EQ(4, cards.GetCard(i)->GetHoleCount());
        letters += ThreadingText(cards.GetCard(i)->Threading());
    }
    return letters;
}

void AddCard(TTWCardList& cards, std::uint8_t threading)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(4);
    card->SetThreading(threading);
    cards.Add(card.release());
}

void ReadInto(TTWPatternBase& pattern, const std::string& content)
{
    TILXMLTree tree;
    tree.ParseText("<TWData><Version>1.17</Version><Pattern Type=\"TwistPatterned\">" + content + "</Pattern></TWData>");
    double version = 0;
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
}

class TwistPatternTest : public ModelFileTest {};

} // namespace

TEST_F(TwistPatternTest, ThreadingMakesTheCardsAndStoredCardsAreDropped)
{
    TTWWarpTwinedPattern pattern;
    ReadInto(pattern, "<Width>5</Width><Length>1</Length>"
                      "<Cards Count=\"1\"><Card Holes=\"6\"><Holes Count=\"6\"/></Card></Cards>"
                      "<Threading>S, Z,s</Threading>");
    EXPECT_EQ("SZSSS", Threadings(pattern.Cards()));
    EXPECT_EQ("S, Z, S, S, S", pattern.CardThreadingText());

    ReadInto(pattern, "<Width>3</Width><Length>1</Length>");
    EXPECT_EQ("SSS", Threadings(pattern.Cards()));

    // An entry that is neither S nor Z would read as Z, and entries beyond the width would be
    // lost by the editor: both are refused.
    ReadInto(pattern, "<Width>3</Width><Length>1</Length><Threading>z   S</Threading>");
    EXPECT_EQ("ZSS", Threadings(pattern.Cards()));
    const auto refusal = [&](const std::string& text) { return RaisedMessage([&] { ReadInto(pattern, text); }); };
    EXPECT_EQ(refusal("<Width>8</Width><Length>1</Length><Threading>S, Q, -1</Threading>"),
              "Invalid letter (Q) in <Threading>.\r\nThe letters allowed are S or Z.");
    EXPECT_EQ(refusal("<Width>1</Width><Length>1</Length><Threading>Z, S</Threading>"),
              "Invalid threading (2 cards) in <Threading>.\r\nThe design is 1 cards wide: the cards beyond it would "
              "be lost.");

    std::string many = "<Width>1000</Width><Length>1</Length><Threading>";
    for (int i = 0; i <= TTWDFPattern::MaxWidth; ++i) {
        many += "S,";
    }
    TGenericException error("", nullptr, "", "");
    try {
        ReadInto(pattern, many + "</Threading>");
        ADD_FAILURE() << "no error raised";
    } catch (const TGenericException& raised) {
        error = raised;
    }
    EXPECT_EQ("Invalid threading (1001 cards).\r\nA pattern has at most 1000 cards.", error.Message());
}

TEST_F(TwistPatternTest, ConvertsEachRowIntoOnePickTurnedByThreadingAndCell)
{
    TTWWarpTwinedPattern pattern;
    pattern.SetSize(3, 2);
    AddCard(pattern.Cards(), ThreadingS);
    AddCard(pattern.Cards(), ThreadingZ);
    pattern.SetCell(0, 1, true);
    pattern.SetCell(1, 1, true);
    pattern.SetCell(2, 1, true);
    EXPECT_EQ(2, pattern.GetPickCount());

    TTWPattern target;
    target.Packs().Add(new TTWPack);
    pattern.ConvertToThreaded(target);
    // Card 3 does not exist: its column turns forwards whatever the cell.
    EXPECT_EQ((std::vector<std::string>{"1F 2B 3F", "1B 2F 3F"}), PickTexts(target));
    EXPECT_EQ("SZ", Threadings(target.Cards()));
    EXPECT_EQ(0, target.Packs().Count());

    TTWWeaving weaving;
    target.BuildWeaving(weaving, nullptr, false, 0);
    EXPECT_EQ(2, weaving.Width());
    EXPECT_EQ(2, weaving.PickCount());
}

TEST_F(TwistPatternTest, SavesTheGoldenFileAndLoadsByEitherName)
{
    TTWWarpTwinedPattern pattern;
    pattern.SetName("Twists");
    pattern.SetSaveCardsAndPalette(false);
    pattern.SetSize(2, 1);
    pattern.SetCell(1, 0, true);
    AddCard(pattern.Cards(), ThreadingS);
    AddCard(pattern.Cards(), ThreadingZ);
    const std::string file = File("twist.tvl");
    pattern.SaveToFile(file);
    const std::string golden =
        "<TWData>\r\n"
        "  <Source>Tavelin</Source>\r\n"
        "  <Version>1.17</Version>\r\n"
        "  <Release/>\r\n"
        "  <Pattern Type=\"TwistPatterned\">\r\n"
        "    <Name><![CDATA[Twists]]></Name>\r\n"
        "    <Notes/>\r\n"
        "    <Selvedges>\r\n"
        "      <Left>\r\n"
        "        <Cards Count=\"0\"/>\r\n"
        "      </Left>\r\n"
        "      <Right>\r\n"
        "        <Cards Count=\"0\"/>\r\n"
        "      </Right>\r\n"
        "    </Selvedges>\r\n"
        "    <Width>2</Width>\r\n"
        "    <Length>1</Length>\r\n"
        "    <ColourCount>2</ColourCount>\r\n"
        "    <Data>\r\n"
        "      <P1>.X</P1>\r\n"
        "    </Data>\r\n"
        "    <Threading>S, Z</Threading>\r\n"
        "  </Pattern>\r\n"
        "</TWData>\r\n";
    EXPECT_EQ(golden, fw::ReadFileBytes(file));

    for (const char* type : {"TwistPatterned", "WarpTwined", "warptwined"}) {
        SCOPED_TRACE(type);
        std::string text = fw::ReadFileBytes(file);
        text.replace(text.find("TwistPatterned"), 14, type);
        const std::string renamed = File("renamed.tvl");
        std::ofstream(renamed, std::ios::binary) << text;
        std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(renamed);
        ASSERT_EQ("TTWWarpTwinedPattern", loaded->className());
        EXPECT_EQ(PatternTypeTwistPatterned, loaded->GetPatternType());
        auto& read = static_cast<TTWWarpTwinedPattern&>(*loaded);
        EXPECT_EQ("SZ", Threadings(read.Cards()));
        EXPECT_TRUE(read.GetCell(1, 0));
        EXPECT_EQ(1, read.GetPickCount());
    }

    TTWWarpTwinedPattern empty;
    TILXMLTree tree;
    EXPECT_EQ("", empty.BuildXML(CreateTWDataRoot(tree))->FindChild("Threading")->Value());
}
