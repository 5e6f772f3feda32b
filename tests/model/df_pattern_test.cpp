#include <gtest/gtest.h>

#include "support/model_file_test.h"
#include "support/pick_texts.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/df_pattern.h"
#include "model/model_state.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace {

std::string PatternXML(const TTWPatternBase& pattern)
{
    TILXMLTree tree;
    pattern.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML(true);
}

// Reads the pattern element of the document into the pattern.
void ReadInto(TTWPatternBase& pattern, const std::string& document)
{
    TILXMLTree tree;
    tree.ParseText(document);
    double version = 0;
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
}

std::string DFDocument(const std::string& content)
{
    return "<TWData><Version>1.17</Version><Pattern Type=\"DoubleFace\">" + content + "</Pattern></TWData>";
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

void AddCards(TTWCardList& cards, int count)
{
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, hole < 2 ? 1 : 2);
        }
        cards.Add(card.release());
    }
}

class DFPatternTest : public ModelFileTest {};

} // namespace

TEST_F(DFPatternTest, GridIsAddressedFromTheBottomAndIgnoresCellsOutside)
{
    TTWDFPattern pattern;
    pattern.SetSize(3, 2);
    pattern.SetCell(0, 0, true);
    pattern.SetCell(2, 1, true);
    pattern.SetCell(3, 0, true);
    pattern.SetCell(-1, 1, true);
    pattern.SetCell(0, 2, true);
    // Row 0 is the bottom picture row.
    EXPECT_EQ(fw::Bitmap::Black, pattern.Grid().Pixel(0, 1));
    EXPECT_EQ(fw::Bitmap::Black, pattern.Grid().Pixel(2, 0));
    EXPECT_TRUE(pattern.GetCell(0, 0));
    EXPECT_FALSE(pattern.GetCell(0, 1));
    EXPECT_FALSE(pattern.GetCell(-1, 0));
    EXPECT_FALSE(pattern.GetCell(3, 0));
    EXPECT_FALSE(pattern.GetCell(0, 2));

    EXPECT_TRUE(pattern.IsRunStart(0, 0));
    EXPECT_TRUE(pattern.IsRunStart(0, 1));
    EXPECT_FALSE(pattern.IsRunStart(1, 0));
    EXPECT_FALSE(pattern.IsRunStart(1, 1));
    EXPECT_TRUE(pattern.IsRunStart(2, 1));
    EXPECT_FALSE(pattern.IsRunStart(0, -1));
    EXPECT_FALSE(pattern.IsRunStart(0, 2));
    EXPECT_FALSE(pattern.IsRunStart(3, 0));

    EXPECT_EQ(3, pattern.GetCardCount());
    EXPECT_EQ(4, pattern.GetPickCount());
    pattern.SetColourCount(6);
    EXPECT_EQ(4, pattern.GetPickCount());
    pattern.SetColourCount(5);
    EXPECT_EQ(2, pattern.ColourCount());
}

TEST_F(DFPatternTest, SizesBeyondAnyBandAreRefusedBeforeAllocating)
{
    TTWDFPattern pattern;
    pattern.SetSize(4, 5);
    pattern.SetCell(1, 4, true);

    TGenericException wide = ErrorOf([&] { pattern.SetWidth(1'001); });
    EXPECT_EQ("Invalid pattern width (1001).\r\nA pattern has at most 1000 cards.", wide.Message());
    EXPECT_EQ("TTWDFPattern", wide.GetInfo(0)->SenderName);
    EXPECT_EQ("SetWidth", wide.GetInfo(0)->MethodName);
    EXPECT_EQ("Invalid pattern length (1000001).\r\nA pattern has at most 1000000 rows.",
              ErrorOf([&] { pattern.SetLength(1'000'001); }).Message());
    // No more cells than a file may hold, so that whatever is made opens again once saved.
    EXPECT_EQ("Pattern too large (1000 x 1000000 cells).\r\nA pattern has at most " + std::to_string(MaxDesignCells)
                  + " cells.",
              ErrorOf([&] { pattern.SetSize(1'000, 1'000'000); }).Message());
    // A refused size leaves the pattern as it was.
    EXPECT_EQ(4, pattern.Width());
    EXPECT_EQ(5, pattern.Length());
    EXPECT_TRUE(pattern.GetCell(1, 4));

    pattern.SetWidth(-3);
    EXPECT_EQ(0, pattern.Width());
    EXPECT_EQ(0, pattern.Grid().Width());
    EXPECT_FALSE(pattern.GetCell(0, 0));
}

TEST_F(DFPatternTest, ResizingKeepsThePictureAnchoredAtItsTopLeftCorner)
{
    TTWDFPattern pattern;
    pattern.SetSize(2, 2);
    pattern.SetCell(1, 1, true);
    pattern.SetLength(3);
    // The picture's top row stays on top, so the set cell moves up one design row.
    EXPECT_TRUE(pattern.GetCell(1, 2));
    EXPECT_FALSE(pattern.GetCell(1, 1));
    EXPECT_FALSE(pattern.GetCell(1, 0));
    pattern.SetWidth(1);
    pattern.SetWidth(2);
    EXPECT_FALSE(pattern.GetCell(1, 2));
}

TEST_F(DFPatternTest, WritesRowsTopFirstAndSavesTheGoldenFile)
{
    TTWDFPattern pattern;
    pattern.SetName("Diamonds");
    pattern.SetSize(3, 2);
    pattern.SetCell(0, 0, true);
    pattern.SetCell(2, 1, true);
    pattern.SetColourCount(4);
    AddCards(pattern.Cards(), 1);
    pattern.Palette().SetSize(2);
    pattern.Palette().SetColour(1, 0x80000010);

    const std::string file = File("golden.tvl");
    pattern.SaveToFile(file);
    const std::string golden =
        "<TWData>\r\n"
        "  <Source>Tavelin</Source>\r\n"
        "  <Version>1.17</Version>\r\n"
        "  <Release/>\r\n"
        "  <Pattern Type=\"Doubleface\">\r\n"
        "    <Name><![CDATA[Diamonds]]></Name>\r\n"
        "    <Notes/>\r\n"
        "    <Selvedges>\r\n"
        "      <Left>\r\n"
        "        <Cards Count=\"0\"/>\r\n"
        "      </Left>\r\n"
        "      <Right>\r\n"
        "        <Cards Count=\"0\"/>\r\n"
        "      </Right>\r\n"
        "    </Selvedges>\r\n"
        "    <Width>3</Width>\r\n"
        "    <Length>2</Length>\r\n"
        "    <ColourCount>4</ColourCount>\r\n"
        "    <Cards Count=\"1\">\r\n"
        "      <Card Holes=\"4\" Number=\"1\">\r\n"
        "        <Holes Count=\"4\">\r\n"
        "          <Colour>1</Colour>\r\n"
        "          <Colour>1</Colour>\r\n"
        "          <Colour>2</Colour>\r\n"
        "          <Colour>2</Colour>\r\n"
        "        </Holes>\r\n"
        "        <Threading>S</Threading>\r\n"
        "      </Card>\r\n"
        "    </Cards>\r\n"
        "    <Palette Name=\"\" Size=\"2\">\r\n"
        "      <Colour Index=\"1\">0</Colour>\r\n"
        "      <Colour Index=\"2\">-2147483632</Colour>\r\n"
        "    </Palette>\r\n"
        "    <Data>\r\n"
        "      <P2>..X</P2>\r\n"
        "      <P1>X..</P1>\r\n"
        "    </Data>\r\n"
        "  </Pattern>\r\n"
        "</TWData>\r\n";
    EXPECT_EQ(golden, fw::ReadFileBytes(file));

    // Without cards and palette the size is followed directly by the rows.
    pattern.SetSaveCardsAndPalette(false);
    TILXMLTree tree;
    const TILXMLNode* element = pattern.BuildXML(CreateTWDataRoot(tree));
    EXPECT_EQ(nullptr, element->FindChild("Cards"));
    EXPECT_EQ(nullptr, element->FindChild("Palette"));
    EXPECT_EQ("Data", element->GetChild(element->ChildCount() - 1)->Tag());

    pattern.SetSaveCardsAndPalette(true);
    TTWDFPattern loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(PatternXML(pattern), PatternXML(loaded));
}

TEST_F(DFPatternTest, ReadsRowsByTheirNumberAndSkipsWhatLiesOutside)
{
    TTWDFPattern pattern;
    pattern.SetSize(2, 2);
    pattern.SetCell(1, 1, true);
    AddCards(pattern.Cards(), 2);
    pattern.Palette().SetColour(0, 0x123456);
    // P0 and Px name no row; P9 lies beyond the length; the long P1 sets nothing beyond the
    // last column (none of them sets a cell there). P3 is missing: the top row keeps the old
    // top row's cell.
    ReadInto(pattern, DFDocument("<Width>3</Width><Length>3</Length><ColourCount>3</ColourCount><Data>"
                                 "<P0>...</P0><Px>.x.</Px><P9>...</P9><P2>F.x</P2><P1>.XX......</P1></Data>"));
    EXPECT_EQ(3, pattern.Width());
    EXPECT_EQ(3, pattern.Length());
    EXPECT_EQ(2, pattern.ColourCount());
    const std::vector<std::vector<bool>> rows{{false, true, true}, {true, false, false}, {false, true, false}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(rows[static_cast<size_t>(y)][static_cast<size_t>(x)], pattern.GetCell(x, y)) << x << "," << y;
        }
    }
    // Shortening drops the bottom row; the others keep their picture rows.
    ReadInto(pattern, DFDocument("<Width>3</Width><Length>2</Length><Data/>"));
    EXPECT_TRUE(pattern.GetCell(1, 1));
    EXPECT_TRUE(pattern.GetCell(0, 0));
    EXPECT_FALSE(pattern.GetCell(1, 0));
    // Without "Cards" and "Palette" the pattern keeps its own.
    EXPECT_EQ(2, pattern.Cards().Count());
    EXPECT_EQ(0x123456u, pattern.Palette().GetColour(0));

    // A size that is no number, or a negative one, would lose the file's cells and is refused;
    // a size left out is 0.
    EXPECT_EQ("Invalid count or size (-4) in <Length>.\r\nA count or size is never negative.",
              ErrorOf([&] { ReadInto(pattern, DFDocument("<Width>1</Width><Length>-4</Length>")); }).Message());
    EXPECT_EQ("Invalid count or size (x) in <Width>.\r\nA count or size is a whole number.",
              ErrorOf([&] { ReadInto(pattern, DFDocument("<Width>x</Width><Length>1</Length>")); }).Message());
    EXPECT_EQ("Invalid count or size () in <Length>.\r\nA count or size is a whole number.",
              ErrorOf([&] { ReadInto(pattern, DFDocument("<Length></Length>")); }).Message());
    ReadInto(pattern, DFDocument("<ColourCount>6</ColourCount>"));
    EXPECT_EQ(0, pattern.Width());
    EXPECT_EQ(0, pattern.Length());
    EXPECT_EQ(6, pattern.ColourCount());
    ReadInto(pattern, DFDocument("<Width>1</Width><Cards Count=\"1\"><Card Holes=\"6\"><Holes Count=\"6\"/></Card></Cards>"));
    EXPECT_EQ(2, pattern.ColourCount());
    EXPECT_EQ(6, pattern.Cards().HoleCount());
    EXPECT_EQ(&pattern.Palette(), pattern.Cards().Palette());

    const std::string absurd = DFDocument("<Width>4</Width><Length>2147483647</Length><Data><P2147483647>X</P2147483647>"
                                          "<P-2147483648>X</P-2147483648></Data>");
    EXPECT_EQ("Invalid pattern length (2147483647).\r\nA pattern has at most 1000000 rows.",
              ErrorOf([&] { ReadInto(pattern, absurd); }).Message());
    ReadInto(pattern, DFDocument("<Width>1</Width><Length>1</Length><Data><P-2147483648>.</P-2147483648>"
                                 "<P2147483647>.</P2147483647></Data>"));
    EXPECT_FALSE(pattern.GetCell(0, 0));
}

TEST_F(DFPatternTest, RowsThatSetCellsOutsideTheGridAreRefused)
{
    // Such a cell could not be shown, and the next save would drop it.
    TTWDFPattern pattern;
    EXPECT_EQ("Invalid row P9 of Data.\r\nThe design's rows are P1 to P3: a cell set in another row would be lost.",
              ErrorOf([&] {
                  ReadInto(pattern, DFDocument("<Width>3</Width><Length>3</Length><Data><P9>..X</P9></Data>"));
              }).Message());
    EXPECT_EQ("Invalid row P1 of Data (9 cells).\r\nThe design's cards are 1 to 3: a cell set beyond them would be lost.",
              ErrorOf([&] {
                  ReadInto(pattern, DFDocument("<Width>3</Width><Length>3</Length><Data><P1>.XX.....F</P1></Data>"));
              }).Message());
    for (const char* row : {"<P0>X</P0>", "<Px>X</Px>", "<P>F</P>", "<P-2147483648>X</P-2147483648>",
                            "<P2147483647>X</P2147483647>", "<P2>X</P2>"}) {
        EXPECT_THROW(ReadInto(pattern, DFDocument("<Width>1</Width><Length>1</Length><Data>" + std::string(row)
                                                  + "</Data>")),
                     TGenericException)
            << row;
    }
}

TEST_F(DFPatternTest, AFileDesignLargerThanTheEditorsShowIsRefusedBeforeAnythingIsMade)
{
    // A file gives its size in two numbers: 1,000 cards by 2,001 rows asked the design view
    // for gigabytes before the band was found too large to weave. Every kind that reads its
    // grid this way (and a font's letters) holds at the same limit.
    const auto document = [](int width, std::int64_t length) {
        return DFDocument("<Width>" + std::to_string(width) + "</Width><Length>" + std::to_string(length)
                          + "</Length><ColourCount>6</ColourCount>");
    };
    const std::int64_t longest = MaxDesignCells / MaxPatternCards;
    std::vector<std::unique_ptr<TTWDFPattern>> kinds;
    kinds.push_back(std::make_unique<TTWDFPattern>());
    kinds.push_back(std::make_unique<TTW31TwillPattern>());
    kinds.push_back(std::make_unique<TTWWarpTwinedPattern>());
    for (const auto& pattern : kinds) {
        ReadInto(*pattern, document(MaxPatternCards, longest));
        EXPECT_EQ(pattern->Width(), MaxPatternCards);
        EXPECT_EQ(pattern->Length(), longest);
        const TGenericException large = ErrorOf([&] { ReadInto(*pattern, document(MaxPatternCards, longest + 1)); });
        EXPECT_EQ("Pattern too large (1000 x " + std::to_string(longest + 1) + " cells).\r\nA pattern has at most "
                      + std::to_string(MaxDesignCells) + " cells.",
                  large.Message());
        EXPECT_EQ("ExtractXML", large.GetInfo(0)->MethodName);
        // Two cards, one row beyond, each side within its own limit: the product counts.
        const std::int64_t halfway = MaxDesignCells / 2;
        ASSERT_LE(halfway + 1, TTWDFPattern::MaxLength);
        EXPECT_THROW(ReadInto(*pattern, document(2, halfway + 1)), TGenericException);
        ReadInto(*pattern, document(2, halfway));
        EXPECT_EQ(pattern->Length(), halfway);
    }
}

TEST_F(DFPatternTest, ConvertsEachRowIntoTwoOrThreeEqualPicks)
{
    TTWDFPattern pattern;
    pattern.SetSize(3, 2);
    pattern.SetCell(0, 0, true);
    pattern.SetCell(2, 1, true);
    AddCards(pattern.Cards(), 3);

    TTWPattern target;
    target.SetName("Kept");
    target.Palette().SetColour(3, 0xABCDEF);
    target.Packs().Add(new TTWPack);
    AddCards(target.SelvedgeLeft(), 1);
    target.Picks().Add();
    pattern.ConvertToThreaded(target);
    // Odd rows turn the other way: a clear cell there turns backwards.
    EXPECT_EQ((std::vector<std::string>{"1B 2F 3F", "1B 2F 3F", "1B 2B 3F", "1B 2B 3F"}), PickTexts(target));
    EXPECT_EQ(3, target.Cards().Count());
    EXPECT_NE(pattern.Cards().GetCard(0), target.Cards().GetCard(0));
    EXPECT_EQ(0, target.Packs().Count());
    EXPECT_EQ("Kept", target.Name());
    EXPECT_EQ(1, target.SelvedgeLeft().Count());
    EXPECT_EQ(0xABCDEFu, target.Palette().GetColour(3));

    pattern.SetColourCount(6);
    pattern.SetCell(0, 0, false);
    pattern.SetCell(2, 1, false);
    pattern.ConvertToThreaded(target);
    EXPECT_EQ((std::vector<std::string>{"1F 2F 3F", "1F 2F 3F", "1F 2F 3F", "1B 2B 3B", "1B 2B 3B", "1B 2B 3B"}),
              PickTexts(target));
    EXPECT_EQ(4, pattern.GetPickCount());
}

TEST_F(DFPatternTest, ConvertedPatternWeavesOneRowPerPick)
{
    TTWDFPattern pattern;
    pattern.SetSize(3, 2);
    pattern.SetCell(1, 0, true);
    AddCards(pattern.Cards(), 3);
    AddCards(pattern.SelvedgeLeft(), 1);
    TTWPattern threaded;
    pattern.ConvertToThreaded(threaded);
    TTWWeaving weaving;
    threaded.BuildWeaving(weaving, &pattern.Palette(), false, 1);
    EXPECT_EQ(3, weaving.Width());
    EXPECT_EQ(8, weaving.PickCount());
    // The set cell turns its card backwards where the others go forwards.
    EXPECT_EQ(TurnForwards, weaving.Cell(0, 0)->TurnDir);
    EXPECT_EQ(TurnBackwards, weaving.Cell(1, 0)->TurnDir);
    EXPECT_EQ(TurnBackwards, weaving.Cell(0, 2)->TurnDir);
}

TEST_F(DFPatternTest, AssignCopiesTheDesignButKeepsPaletteAndSaveFlag)
{
    TTWDFPattern source;
    source.SetName("Source");
    source.SetSize(2, 3);
    source.SetCell(1, 2, true);
    source.SetColourCount(4);
    AddCards(source.Cards(), 2);
    source.Palette().SetColour(0, 0x010203);
    source.SetSaveCardsAndPalette(false);

    TTWDFPattern copy;
    copy.Palette().SetColour(0, 0x0A0B0C);
    copy.Assign(&source);
    EXPECT_EQ("Source", copy.Name());
    EXPECT_EQ(2, copy.Width());
    EXPECT_EQ(3, copy.Length());
    EXPECT_TRUE(copy.GetCell(1, 2));
    EXPECT_EQ(4, copy.ColourCount());
    ASSERT_EQ(2, copy.Cards().Count());
    EXPECT_NE(source.Cards().GetCard(0), copy.Cards().GetCard(0));
    EXPECT_EQ(0x0A0B0Cu, copy.Palette().GetColour(0));
    EXPECT_TRUE(copy.SaveCardsAndPalette());
    source.SetCell(1, 2, false);
    EXPECT_TRUE(copy.GetCell(1, 2));

    std::unique_ptr<fw::Object> made(source.NewInstance());
    EXPECT_EQ("TTWDFPattern", made->className());
    TTWPalette notAPattern;
    EXPECT_THROW(copy.Assign(&notAPattern), fw::EConvertError);
}

TEST_F(DFPatternTest, LoaderMakesDoubleFaceFromEitherSpelling)
{
    for (const char* type : {"Doubleface", "DoubleFace", "DOUBLEFACE"}) {
        SCOPED_TRACE(type);
        const std::string file = File("df.tvl");
        std::ofstream(file, std::ios::binary) << "<TWData><Version>1.17</Version><Pattern Type=\"" << type
                                              << "\"><Name>Read</Name><Width>2</Width><Length>1</Length>"
                                                 "<Data><P1>.X</P1></Data></Pattern></TWData>";
        std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
        ASSERT_NE(nullptr, loaded);
        ASSERT_EQ("TTWDFPattern", loaded->className());
        EXPECT_EQ(PatternTypeDoubleFace, loaded->GetPatternType());
        EXPECT_EQ("Read", loaded->Name());
        EXPECT_TRUE(static_cast<TTWDFPattern&>(*loaded).GetCell(1, 0));
        EXPECT_EQ(2, loaded->GetPickCount());
    }
    const std::string huge = File("huge.tvl");
    std::ofstream(huge, std::ios::binary)
        << "<TWData><Pattern Type=\"Doubleface\"><Width>99999</Width></Pattern></TWData>";
    EXPECT_EQ("Invalid pattern width (99999).\r\nA pattern has at most 1000 cards.\r\nFilename: " + huge,
              ErrorOf([&] { LoadAndCreatePattern(huge); }).Message());
}
