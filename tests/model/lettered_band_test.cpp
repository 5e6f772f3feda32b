#include <gtest/gtest.h>

#include "support/model_file_test.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>


#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "model/df_pattern.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace {

TTWFontChar* AddLetter(TTWFont& font, const std::string& text, int width,
                       const std::vector<std::pair<int, int>>& pixels)
{
    TTWFontChar* letter = font.AddChar(text, "");
    letter->SetWidth(width);
    for (const auto& [x, y] : pixels) {
        letter->Glyph().SetPixel(x, y, fw::Bitmap::Black);
    }
    return letter;
}

// A font three cards high: "I" a bar across the band, "-" a step one row long each way,
// set off by a blank row before it.
void MakeTinyFont(TTWFont& font)
{
    font.SetName("Tiny");
    font.SetHeight(3);
    font.SetKerning(1);
    AddLetter(font, "I", 1, {{0, 0}, {0, 1}, {0, 2}});
    AddLetter(font, "-", 2, {{0, 0}, {1, 1}})->SpaceBefore = 1;
}

// The grid's rows from the top, "X" for a black pixel.
std::vector<std::string> Rows(const fw::Bitmap& grid)
{
    std::vector<std::string> rows;
    for (int y = 0; y < grid.Height(); ++y) {
        std::string row;
        for (int x = 0; x < grid.Width(); ++x) {
            row += grid.Pixel(x, y) == fw::Bitmap::Black ? 'X' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

std::string PatternXML(const TTWPatternBase& pattern)
{
    TILXMLTree tree;
    pattern.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML(true);
}

class LetteredBandTest : public ModelFileTest {};

} // namespace

TEST_F(LetteredBandTest, TheGridLinesTheLettersUpAlongTheBand)
{
    TTWFont font;
    MakeTinyFont(font);
    TTWLetteredBand band;
    band.SetTextFrom("I-I?");
    ASSERT_EQ(4, band.Text().Count());
    // Text the font has no letter for is left out.
    const std::vector<const TTWFontChar*> letters = band.LettersIn(font);
    ASSERT_EQ(3, letters.size());

    // 1 + kerning + (space 1 + 2) + kerning + 1 rows; glyph pixel (x, y) at column 2 - y.
    const fw::Bitmap grid = BuildLetteredBandGrid(font, letters);
    EXPECT_TRUE(grid.Monochrome());
    EXPECT_EQ(std::vector<std::string>({"XXX", "...", "...", "..X", ".X.", "...", "XXX"}), Rows(grid));

    // A negative space pulls the next letter back over the last, whose pixels it replaces;
    // what would land beyond the grid is left out: the "-" starts on row 3 of 4, and the
    // last "I" on that row too.
    font.GetChar(1)->SpaceAfter = -3;
    EXPECT_EQ(std::vector<std::string>({"XXX", "...", "...", "XXX"}), Rows(BuildLetteredBandGrid(font, letters)));
    font.GetChar(1)->SpaceAfter = -20;
    EXPECT_EQ(0, BuildLetteredBandGrid(font, letters).Height());
    EXPECT_EQ(0, BuildLetteredBandGrid(font, {}).Height());

    // A band longer than any double-face pattern is refused before it is drawn.
    font.GetChar(0)->SpaceAfter = TTWDFPattern::MaxLength;
    EXPECT_THROW(BuildLetteredBandGrid(font, letters), TGenericException);
}

// A band as long as a double-face pattern can be, and as many cells as a band design may
// hold, is drawn; a row or a card more is refused.
TEST_F(LetteredBandTest, ABandAtTheLimitsIsDrawnAndOneBeyondIsRefused)
{
    static_assert(MaxLetteredBandCells % TTWDFPattern::MaxLength == 0);
    constexpr int HeightAtBothLimits = static_cast<int>(MaxLetteredBandCells / TTWDFPattern::MaxLength);
    TTWFont font;
    font.SetHeight(HeightAtBothLimits);
    TTWFontChar* letter = AddLetter(font, "I", 1, {{0, 0}, {0, HeightAtBothLimits - 1}});
    const std::vector<const TTWFontChar*> letters{letter};

    letter->SpaceAfter = TTWDFPattern::MaxLength - 1;
    {
        const fw::Bitmap grid = BuildLetteredBandGrid(font, letters);
        EXPECT_EQ(grid.Width(), HeightAtBothLimits);
        EXPECT_EQ(grid.Height(), TTWDFPattern::MaxLength);
        EXPECT_EQ(grid.Pixel(HeightAtBothLimits - 1, 0), fw::Bitmap::Black);
        EXPECT_EQ(grid.Pixel(0, 0), fw::Bitmap::Black);
        EXPECT_EQ(grid.Pixel(0, TTWDFPattern::MaxLength - 1), fw::Bitmap::White);
    }
    letter->SpaceAfter = TTWDFPattern::MaxLength;
    EXPECT_THROW(BuildLetteredBandGrid(font, letters), TGenericException) << "one row too long";

    // One card more: the rows that still fit the cells are drawn, one row more is refused.
    font.SetHeight(HeightAtBothLimits + 1);
    const int rowsThatFit = static_cast<int>(MaxLetteredBandCells / (HeightAtBothLimits + 1));
    letter->SpaceAfter = rowsThatFit - 1;
    EXPECT_EQ(BuildLetteredBandGrid(font, letters).Height(), rowsThatFit);
    letter->SpaceAfter = rowsThatFit;
    EXPECT_THROW(BuildLetteredBandGrid(font, letters), TGenericException) << "one cell row too many";
}

TEST_F(LetteredBandTest, TheGridBecomesADoubleFacePatternAndAThreadedOneOfItsSize)
{
    TTWFont font;
    MakeTinyFont(font);
    TTWLetteredBand band;
    band.SetTextFrom("I-I");
    const fw::Bitmap grid = BuildLetteredBandGrid(font, band.LettersIn(font));

    TTWDFPattern pattern;
    BuildLetteredDFPattern(grid, FontThreadingAltSZ, pattern);
    EXPECT_EQ(3, pattern.Width());
    EXPECT_EQ(7, pattern.Length());
    EXPECT_EQ(2, pattern.ColourCount());
    EXPECT_TRUE(pattern.Grid().SamePixels(grid));
    // Design row 3 is picture row 3 from the top of seven.
    EXPECT_TRUE(pattern.GetCell(2, 3));
    EXPECT_FALSE(pattern.GetCell(1, 3));
    ASSERT_EQ(3, pattern.Cards().Count());
    for (int i = 0; i < 3; ++i) {
        const TTWCardBase& card = *pattern.Cards().GetCard(i);
        EXPECT_EQ(4, card.GetHoleCount());
        EXPECT_EQ(i % 2 == 0 ? ThreadingS : ThreadingZ, card.Threading());
        EXPECT_EQ(0, card.HoleColour(0));
        EXPECT_EQ(0, card.HoleColour(1));
        EXPECT_EQ(1, card.HoleColour(2));
        EXPECT_EQ(1, card.HoleColour(3));
    }

    TTWPattern threaded;
    threaded.SetName("Kept");
    BuildLetteredThreadedPattern(grid, FontThreadingAllZ, threaded);
    EXPECT_EQ("Kept", threaded.Name());
    EXPECT_EQ(3, threaded.GetCardCount());
    EXPECT_EQ(ThreadingZ, threaded.Cards().GetCard(0)->Threading());
    ASSERT_EQ(14, threaded.GetPickCount());
    // Design row 3 (picks 7 and 8) is odd: the clear cards turn backwards, the set one forwards.
    for (int pick : {6, 7}) {
        const TTWActionList& actions = threaded.Picks().Items(pick)->Actions();
        EXPECT_EQ(TurnBackwards, actions.FindCardTurn(1)->TurnDir());
        EXPECT_EQ(TurnBackwards, actions.FindCardTurn(2)->TurnDir());
        EXPECT_EQ(TurnForwards, actions.FindCardTurn(3)->TurnDir());
    }
    TTWWeaving weaving;
    threaded.BuildWeaving(weaving, nullptr, false, 0);
    EXPECT_EQ(3, weaving.Width());
    EXPECT_EQ(14, weaving.PickCount());

    // The band itself weaves nothing.
    band.ConvertToThreaded(threaded);
    EXPECT_EQ(14, threaded.GetPickCount());
    EXPECT_EQ(0, band.GetCardCount());
    EXPECT_EQ(0, band.GetPickCount());
}

TEST_F(LetteredBandTest, AnEncapsulatedBandCarriesItsFontThroughTheFile)
{
    TTWLetteredBand band;
    EXPECT_EQ(PatternTypeLetteredBand, band.GetPatternType());
    EXPECT_FALSE(band.GetEncapsulated());
    band.SetName("Tiny");
    band.SetNotes("For the belt\r\nin red");
    band.SetTextFrom("I <\xC3\xA9");
    band.SetEncapsulated(true);
    MakeTinyFont(*band.Font());
    const std::string file = File("band.tvl");
    band.SaveToFile(file);

    // The embedded font does not make the file a font file.
    std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
    ASSERT_EQ(PatternTypeLetteredBand, loaded->GetPatternType());
    const auto& read = static_cast<const TTWLetteredBand&>(*loaded);
    EXPECT_EQ("Tiny", read.Name());
    EXPECT_EQ("For the belt\r\nin red", read.Notes());
    EXPECT_EQ(std::vector<std::string>({"I", " ", "<", "\xC3\xA9"}), read.Text().Lines());
    ASSERT_TRUE(read.GetEncapsulated());
    EXPECT_EQ(2, read.Font()->GetCharCount());
    EXPECT_EQ(3, read.Font()->Height());
    EXPECT_EQ(PatternXML(band), PatternXML(read));

    // Not encapsulated, the font is named but not held.
    band.SetEncapsulated(false);
    EXPECT_EQ(nullptr, band.Font());
    band.SaveToFile(file);
    TTWLetteredBand plain;
    plain.SetEncapsulated(true);
    plain.LoadFromFile(file);
    EXPECT_EQ("Tiny", plain.Name());
    EXPECT_FALSE(plain.GetEncapsulated());
    EXPECT_EQ(4, plain.Text().Count());
}

TEST_F(LetteredBandTest, ReadingTakesOnlyWhatTheBandElementHolds)
{
    TTWLetteredBand band;
    band.SetName("Old");
    band.SetEncapsulated(true);
    band.Font()->AddChar("q", "");
    const auto read = [&](const std::string& inside) {
        TILXMLTree tree;
        tree.ParseText("<TWData><Pattern Type=\"LetteredBand\">" + inside + "</Pattern></TWData>");
        double version = 0;
        band.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    };

    // Without a "Font" element: no font and no name. Only "Char" children are text.
    read("<Notes>a&#38;b</Notes><Text><Char>A</Char><Letter>B</Letter><Char/></Text>");
    EXPECT_EQ("a&b", band.Notes());
    EXPECT_EQ(std::vector<std::string>({"A", ""}), band.Text().Lines());
    EXPECT_FALSE(band.GetEncapsulated());
    EXPECT_EQ("", band.Name());

    // Encapsulated without a nested font gives an empty font, not the one held before.
    band.SetEncapsulated(true);
    band.Font()->AddChar("q", "");
    read("<Font Name=\"Rune\" Encapsulated=\"t\"/>");
    EXPECT_EQ("Rune", band.Name());
    ASSERT_TRUE(band.GetEncapsulated());
    EXPECT_EQ(0, band.Font()->GetCharCount());
    EXPECT_TRUE(band.Text().Empty());

    read("<Font Name=\"Rune\" Encapsulated=\"-1\"><Font Type=\"Font\"><Height>5</Height><Data>"
         "<Character Letter=\"r\"/></Data></Font></Font>");
    ASSERT_TRUE(band.GetEncapsulated());
    EXPECT_EQ(5, band.Font()->Height());
    EXPECT_NE(nullptr, band.Font()->FindChar("r"));

    TTWLetteredBand copy;
    copy.Assign(&band);
    EXPECT_EQ("Rune", copy.Name());
    ASSERT_TRUE(copy.GetEncapsulated());
    EXPECT_NE(band.Font(), copy.Font());
    EXPECT_EQ(5, copy.Font()->Height());
    EXPECT_EQ(1, copy.Font()->GetCharCount());
    band.SetEncapsulated(false);
    copy.Assign(&band);
    EXPECT_FALSE(copy.GetEncapsulated());
}
