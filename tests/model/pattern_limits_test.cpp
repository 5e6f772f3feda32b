#include <gtest/gtest.h>

#include "support/model_file_test.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "model/action.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "support/design_limits.h"
#include "support/raised_message.h"

namespace {

std::string Document(const std::string& element)
{
    return "<TWData><Source>Tavelin</Source><Version>1.17</Version><Release/>" + element + "</TWData>";
}

std::unique_ptr<TTWPatternBase> Read(const std::string& document)
{
    TILXMLTree tree;
    tree.ParseText(document);
    return CreatePatternFromXML(tree);
}

// The message of the error reading the document raises; empty when it reads.
std::string ReadError(const std::string& document)
{
    try {
        Read(document);
    } catch (const TGenericException& error) {
        return error.Message();
    }
    return {};
}

std::string FourHoleCards(int count, const std::string& tag = "Cards")
{
    std::string cards = "<" + tag + " Count=\"" + std::to_string(count) + "\">";
    for (int i = 0; i < count; ++i) {
        cards += "<Card Holes=\"4\"><Holes Count=\"4\"><Colour>1</Colour><Colour>2</Colour><Colour>3</Colour>"
                 "<Colour>4</Colour></Holes><Threading>S</Threading></Card>";
    }
    return cards + "</" + tag + ">";
}

std::string Threaded(const std::string& content)
{
    return Document("<Pattern Type=\"Threaded\"><Name>t</Name>" + content + "</Pattern>");
}

std::string Grid(const std::string& type, const std::string& width, const std::string& length)
{
    return Document("<Pattern Type=\"" + type + "\"><Width>" + width + "</Width><Length>" + length
                    + "</Length><ColourCount>2</ColourCount></Pattern>");
}

std::string Brocade(const std::string& width)
{
    return Document("<Pattern Type=\"Brocade\" GroundWeave=\"No\"><Name>b</Name><Width>" + width
                    + "</Width><BrocadePicks Count=\"1\"><Pick Index=\"1\"><TieDowns>0</TieDowns><Wefts>0</Wefts>"
                      "</Pick></BrocadePicks></Pattern>");
}

// A font element of that height with one letter as high as the font (one card for a height
// that is no size), the given number of rows long.
std::string FontElement(const std::string& height, const std::string& letterWidth = "2")
{
    const std::string letterHeight = height.starts_with('-') ? "1" : height;
    return "<Font Type=\"Font\"><Name>f</Name><Height>" + height
           + "</Height><DefCharWidth>2</DefCharWidth><Kerning>1</Kerning><Data><Character Letter=\"A\">"
             "<Pattern Type=\"Doubleface\"><Width>"
           + letterHeight + "</Width><Length>" + letterWidth + "</Length></Pattern></Character></Data></Font>";
}

std::string Band(const std::string& fontHeight)
{
    return Document("<Pattern Type=\"LetteredBand\"><Text><Char>A</Char></Text><Font Name=\"f\" "
                    "Encapsulated=\"Yes\">"
                    + FontElement(fontHeight) + "</Font></Pattern>");
}

const std::string Limit = std::to_string(MaxPatternCards);
const std::string PastLimit = std::to_string(MaxPatternCards + 1);
const std::string TooWide = "Invalid pattern width (" + PastLimit + ").\r\nA pattern has at most " + Limit + " cards.";

std::string Negative(const std::string& value, const std::string& place)
{
    return "Invalid count or size (" + value + ") in <" + place + ">.\r\nA count or size is never negative.";
}

class PatternLimitsTest : public ModelFileTest {};

} // namespace

TEST_F(PatternLimitsTest, EveryKindOpensAtTheCardLimit)
{
    EXPECT_EQ(MaxPatternCards, Read(Threaded(FourHoleCards(MaxPatternCards)))->GetCardCount());
    for (const std::string type : {"DoubleFace", "BrokenTwill", "TwistPatterned"}) {
        EXPECT_EQ(MaxPatternCards, Read(Grid(type, Limit, "3"))->GetCardCount()) << type;
    }
    const std::unique_ptr<TTWPatternBase> brocade = Read(Brocade(Limit));
    EXPECT_EQ(MaxPatternCards, brocade->GetCardCount());
    EXPECT_EQ(MaxPatternCards, brocade->GetCards()->Count());

    const std::unique_ptr<TTWPatternBase> font = Read(Document(FontElement(Limit)));
    EXPECT_EQ(MaxPatternCards, static_cast<const TTWFont&>(*font).Height());
    const std::unique_ptr<TTWPatternBase> band = Read(Band(Limit));
    ASSERT_NE(nullptr, static_cast<const TTWLetteredBand&>(*band).Font());
    EXPECT_EQ(MaxPatternCards, static_cast<const TTWLetteredBand&>(*band).Font()->Height());
}

TEST_F(PatternLimitsTest, EveryKindRefusesOneCardPastTheLimit)
{
    EXPECT_EQ(TooWide, ReadError(Threaded(FourHoleCards(MaxPatternCards + 1))));
    // A count past the limit is refused even when the file holds fewer cards.
    EXPECT_EQ("Invalid pattern width (100000).\r\nA pattern has at most " + Limit + " cards.",
              ReadError(Threaded("<Cards Count=\"100000\"/>")));
    // So are the cards of a selvedge.
    EXPECT_EQ(TooWide, ReadError(Threaded("<Selvedges><Left>" + FourHoleCards(MaxPatternCards + 1)
                                          + "</Left></Selvedges>")));
    for (const std::string type : {"DoubleFace", "BrokenTwill", "TwistPatterned"}) {
        EXPECT_EQ(TooWide, ReadError(Grid(type, PastLimit, "3"))) << type;
    }
    EXPECT_EQ(TooWide, ReadError(Brocade(PastLimit)));
    EXPECT_EQ("Invalid pattern width (100000).\r\nA pattern has at most " + Limit + " cards.",
              ReadError(Brocade("100000")));
    const std::string tooHigh = "Invalid letter height " + PastLimit + ".\r\nLetters are at most " + Limit
                                + " cards high.";
    EXPECT_EQ(tooHigh, ReadError(Document(FontElement(PastLimit))));
    EXPECT_EQ(tooHigh, ReadError(Band(PastLimit)));
}

TEST_F(PatternLimitsTest, NegativeCountsAndSizesAreRefusedNamingTheElementAndTheValue)
{
    struct Case {
        std::string document;
        std::string message;
    };
    const std::vector<Case> cases{
        {Threaded("<Cards Count=\"-5\"/>"), Negative("-5", "Cards Count")},
        {Threaded("<Selvedges><Right><Cards Count=\"-1\"/></Right></Selvedges>"), Negative("-1", "Cards Count")},
        {Threaded("<Packs Count=\"-2\"/>"), Negative("-2", "Packs Count")},
        {Threaded("<Packs Count=\"1\"><Pack Name=\"p\"><Size>-3</Size><Cards>1</Cards></Pack></Packs>"),
         Negative("-3", "Size")},
        {Threaded("<Picks Count=\"-16\"/>"), Negative("-16", "Picks Count")},
        {Threaded("<Picks Count=\"1\"><Pick Index=\"0\"><Actions Count=\"-1\"/></Pick></Picks>"),
         Negative("-1", "Actions Count")},
        {Threaded("<Palette Name=\"p\" Size=\"-4\"/>"), Negative("-4", "Palette Size")},
        {Grid("DoubleFace", "-10", "3"), Negative("-10", "Width")},
        {Grid("DoubleFace", "3", "-5"), Negative("-5", "Length")},
        {Grid("BrokenTwill", "-1", "3"), Negative("-1", "Width")},
        {Grid("TwistPatterned", "3", "-2"), Negative("-2", "Length")},
        {Document("<Pattern Type=\"DoubleFace\"><Width>2</Width><Length>2</Length><Cards Count=\"-7\"/></Pattern>"),
         Negative("-7", "Cards Count")},
        {Brocade("-3"), Negative("-3", "Width")},
        {Document("<Pattern Type=\"Brocade\"><Width>2</Width><Cards Count=\"-2\"/></Pattern>"),
         Negative("-2", "Cards Count")},
        {Document(FontElement("-4")), Negative("-4", "Height")},
        {Document("<Font Type=\"Font\"><Height>5</Height><DefCharWidth>-2</DefCharWidth></Font>"),
         Negative("-2", "DefCharWidth")},
        // A letter's glyph is a small double-face grid: its length is the letter's width.
        {Document(FontElement("5", "-6")), Negative("-6", "Length")},
        {Band("-1"), Negative("-1", "Height")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.message, ReadError(c.document)) << c.document;
    }
}

TEST_F(PatternLimitsTest, AnErrorWhileLoadingAFileNamesTheFile)
{
    const std::string path = File("wide.tvl");
    std::ofstream(path, std::ios::binary) << Grid("DoubleFace", "-10", "3");
    try {
        LoadAndCreatePattern(path);
        ADD_FAILURE() << "no error raised";
    } catch (const TGenericException& error) {
        const std::string message = Negative("-10", "Width") + "\r\nFilename: " + path;
        EXPECT_EQ(message, error.Message());
        ASSERT_GE(error.InfoCount(), 1);
        EXPECT_EQ(message, error.GetInfo(0)->Message);
    }

    // The document's own errors name it too, before the cause that follows them.
    const std::string cut = File("cut.tvl");
    std::ofstream(cut, std::ios::binary) << "<TWData>\n<Pattern Type=\"Brocade\">\n</TWData>";
    try {
        LoadAndCreatePattern(cut);
        ADD_FAILURE() << "no error raised";
    } catch (const TGenericException& error) {
        const std::string message = error.Message();
        EXPECT_EQ(0u, message.rfind("Error in XML structure.\r\nLine 3\r\nPosition ", 0)) << message;
        const std::size_t named = message.find("\r\nFilename: " + cut + "\r\n\r\n");
        EXPECT_NE(std::string::npos, named) << message;
        ASSERT_GE(error.InfoCount(), 1);
        EXPECT_TRUE(error.GetInfo(0)->Message.ends_with("\r\nFilename: " + cut)) << error.GetInfo(0)->Message;
    }
}

namespace {

} // namespace

TEST_F(PatternLimitsTest, ADesignFitsWhileItsCellsAreAtMostTheLimit)
{
    EXPECT_TRUE(DesignCellsFit(MaxPatternCards, FullWidthRows));
    EXPECT_FALSE(DesignCellsFit(MaxPatternCards, FullWidthRows + 1));
    EXPECT_TRUE(DesignCellsFit(1, MaxDesignCells));
    EXPECT_FALSE(DesignCellsFit(1, MaxDesignCells + 1));
    EXPECT_FALSE(DesignCellsFit(MaxDesignCells + 1, 1));
    EXPECT_TRUE(DesignCellsFit(0, MaxDesignCells * 4)) << "an empty design holds nothing";
    // Sizes whose product would overflow are answered, not wrapped round.
    EXPECT_FALSE(DesignCellsFit(std::int64_t{1} << 40, std::int64_t{1} << 40));
    EXPECT_EQ(TooManyCells(MaxPatternCards, FullWidthRows + 1),
              RaisedMessage([] { CheckDesignCells(MaxPatternCards, FullWidthRows + 1, nullptr, "Test"); }));
    EXPECT_EQ("", RaisedMessage([] { CheckDesignCells(MaxPatternCards, FullWidthRows, nullptr, "Test"); }));
}

TEST_F(PatternLimitsTest, AGridKindSizedInMemoryHoldsTheReadersLimit)
{
    std::vector<std::unique_ptr<TTWDFPattern>> kinds;
    kinds.push_back(std::make_unique<TTWDFPattern>());
    kinds.push_back(std::make_unique<TTW31TwillPattern>());
    kinds.push_back(std::make_unique<TTWWarpTwinedPattern>());
    for (const auto& design : kinds) {
        design->SetSize(MaxPatternCards, FullWidthRows);
        EXPECT_EQ(FullWidthRows, design->Length());
        design->SetSize(2, 3);
        EXPECT_EQ(TooManyCells(MaxPatternCards, FullWidthRows + 1),
                  RaisedMessage([&] { design->SetSize(MaxPatternCards, FullWidthRows + 1); }))
            << design->className();
        EXPECT_EQ(TooManyCells(MaxPatternCards, FullWidthRows + 1),
                  RaisedMessage([&] { design->SetLength(FullWidthRows + 1); design->SetWidth(MaxPatternCards); }));
        EXPECT_EQ(2, design->Width()) << "a refused size changes nothing";
        EXPECT_EQ(FullWidthRows + 1, design->Length());
        // Saved at the limit, the design opens again.
        design->SetSize(MaxPatternCards, FullWidthRows);
        const std::string file = File("design.tvl");
        design->SaveToFile(file);
        const std::unique_ptr<TTWPatternBase> opened = LoadAndCreatePattern(file);
        EXPECT_EQ(MaxPatternCards, opened->GetCardCount());
    }
}

TEST_F(PatternLimitsTest, ALetterHoldsNoMoreCellsThanItsFileMay)
{
    // A letter is saved as a design as wide as its font is high and as long as the letter.
    const int height = MaxPatternCards;
    const int widest = static_cast<int>(MaxDesignCells / height);
    ASSERT_LE(widest + 1, TTWFontChar::MaxWidth) << "the letter's own bound would be met first";
    TTWFont font;
    font.SetHeight(height);
    TTWFontChar* letter = font.AddChar("A", "");
    letter->SetWidth(widest);
    EXPECT_EQ(TooManyCells(height, widest + 1), RaisedMessage([&] { letter->SetWidth(widest + 1); }));
    EXPECT_EQ(widest, letter->Width());

    // The font's height is checked against every letter before any of them changes.
    TTWFont narrow;
    narrow.SetHeight(1);
    narrow.AddChar("i", "")->SetWidth(1);
    narrow.AddChar("m", "")->SetWidth(widest + 1);
    EXPECT_EQ(TooManyCells(height, widest + 1), RaisedMessage([&] { narrow.SetHeight(height); }));
    EXPECT_EQ(1, narrow.Height());
    EXPECT_EQ(1, narrow.GetChar(0)->Height());
    EXPECT_EQ(1, narrow.GetChar(1)->Height());

    // A glyph handed over whole (as an editor stores its grid) is refused by the save
    // before anything is written; at the limit the font is saved and opens again.
    letter->Glyph() = fw::Bitmap(widest + 1, height, true);
    const std::string file = File("font.tvf");
    EXPECT_EQ(TooManyCells(height, widest + 1), RaisedMessage([&] { font.SaveToFile(file); }));
    EXPECT_FALSE(std::filesystem::exists(file));
    letter->Glyph() = fw::Bitmap(widest, height, true);
    font.SaveToFile(file);
    const std::unique_ptr<TTWPatternBase> opened = LoadAndCreatePattern(file);
    EXPECT_EQ(widest, static_cast<const TTWFont&>(*opened).GetChar(0)->Width());
}

TEST_F(PatternLimitsTest, ABandLongerThanADesignMayBeWeavesButIsNoDoubleFacePattern)
{
    const int rows = FullWidthRows + 1;
    fw::Bitmap grid(MaxPatternCards, rows, true);
    grid.SetPixel(0, rows - 1, fw::Bitmap::Black);
    TTWDFPattern design;
    EXPECT_EQ(TooManyCells(MaxPatternCards, rows),
              RaisedMessage([&] { BuildLetteredDFPattern(grid, FontThreadingAllS, design); }));
    EXPECT_EQ(0, design.Width());
    EXPECT_EQ(0, design.Cards().Count());

    // Its turning sequence, which the band's editor weaves and prints, is made at the band's
    // own limits, not the double-face pattern's.
    TTWPattern threaded;
    if (2 * static_cast<std::int64_t>(MaxPatternCards) * rows > TTWPattern::MaxConvertedTurns) {
        EXPECT_THROW(BuildLetteredThreadedPattern(grid, FontThreadingAllZ, threaded), TGenericException)
            << "a band of this size is too large to weave";
        return;
    }
    BuildLetteredThreadedPattern(grid, FontThreadingAllZ, threaded);
    ASSERT_EQ(2 * rows, threaded.GetPickCount());
    EXPECT_EQ(MaxPatternCards, threaded.GetCardCount());
    EXPECT_EQ(ThreadingZ, threaded.Cards().GetCard(0)->Threading());
    // The bottom row's first cell is set: backwards in its two picks, the next row forwards.
    EXPECT_EQ(TurnBackwards, threaded.Picks().Items(0)->Actions().FindCardTurn(1)->TurnDir());
    EXPECT_EQ(TurnBackwards, threaded.Picks().Items(1)->Actions().FindCardTurn(1)->TurnDir());
    EXPECT_EQ(TurnForwards, threaded.Picks().Items(0)->Actions().FindCardTurn(2)->TurnDir());
    EXPECT_EQ(TurnBackwards, threaded.Picks().Items(2)->Actions().FindCardTurn(1)->TurnDir());
}
