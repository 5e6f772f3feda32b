#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>


#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "model/font.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "support/raised_message.h"

namespace {

// Sets the pixels listed as (x, y) pairs black.
void Draw(fw::Bitmap& glyph, const std::vector<std::pair<int, int>>& pixels)
{
    for (const auto& [x, y] : pixels) {
        glyph.SetPixel(x, y, fw::Bitmap::Black);
    }
}

std::unique_ptr<TTWFont> ReadFont(const std::string& fontXML)
{
    TILXMLTree tree;
    tree.ParseText("<TWData><Version>1.17</Version>" + fontXML + "</TWData>");
    auto font = std::make_unique<TTWFont>();
    double version = 0;
    font->ExtractXML(tree.FindTag("TWData/Font", true), version);
    return font;
}

std::string FontXML(const TTWFont& font)
{
    TILXMLTree tree;
    font.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML(true);
}

class FontTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        folder_ = UniqueScratchFolder("tavelin_font_test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(FontTest, NewFontAndAFileWithoutSettingsHaveTheirOwnDefaults)
{
    UserSettings().DefaultNotes = "Default";
    TTWFont font;
    EXPECT_EQ(PatternTypeFont, font.GetPatternType());
    EXPECT_EQ("", font.Name());
    EXPECT_EQ("Default", font.Notes());
    EXPECT_EQ(30, font.Height());
    EXPECT_EQ(12, font.DefCharWidth());
    EXPECT_EQ(1, font.Kerning());
    EXPECT_EQ(FontThreadingAllS, font.Threading());
    EXPECT_EQ(0, font.GetCardCount());
    EXPECT_EQ(0, font.GetPickCount());

    // Absent elements read as the old defaults: 24 high, width 12, kerning 1; the threading
    // keeps its value unless it is named, in any case.
    font.SetThreading(FontThreadingAllZ);
    font.SetKerning(5);
    font.SetDefCharWidth(3);
    double version = 0;
    TILXMLTree tree;
    tree.ParseText("<TWData><Version>1.17</Version><Font Type=\"Font\"><Name>Bare</Name></Font></TWData>");
    font.ExtractXML(tree.FindTag("TWData/Font", true), version);
    EXPECT_DOUBLE_EQ(1.17, version);
    EXPECT_EQ("Bare", font.Name());
    EXPECT_EQ(24, font.Height());
    EXPECT_EQ(12, font.DefCharWidth());
    EXPECT_EQ(1, font.Kerning());
    EXPECT_EQ(FontThreadingAllZ, font.Threading());

    EXPECT_EQ(FontThreadingAltSZ, ReadFont("<Font><Threading>altsz</Threading></Font>")->Threading());
    // Anything the font would read as something else, and save so, is refused: a threading
    // outside the three, a height that is no number, of 0 or negative, a kerning that is no
    // number.
    const auto refusal = [&](const std::string& text) { return RaisedMessage([&] { ReadFont(text); }); };
    EXPECT_EQ(refusal("<Font><Threading>Plaid</Threading></Font>"),
              "Invalid letter (Plaid) in <Threading>.\r\nThe letters allowed are AllS, AllZ or AltSZ.");
    EXPECT_EQ(refusal("<Font><Height>tall</Height></Font>"),
              "Invalid count or size (tall) in <Height>.\r\nA count or size is a whole number.");
    EXPECT_EQ(refusal("<Font><Height>0</Height></Font>"), "Invalid number (0) in <Height>.\r\nThe number is at least 1.");
    EXPECT_EQ(refusal("<Font><Kerning>tight</Kerning></Font>"),
              "Invalid number (tight) in <Kerning>.\r\nA whole number is expected.");
    EXPECT_THROW(ReadFont("<Font><Height>-4</Height></Font>"), TGenericException);
    EXPECT_EQ(-2, ReadFont("<Font><Kerning>-2</Kerning></Font>")->Kerning());
    EXPECT_EQ(0, ReadFont("<Font><Kerning>0</Kerning></Font>")->Kerning());
    EXPECT_THROW(ReadFont("<Font><Height>2000000</Height></Font>"), TGenericException);
}

TEST_F(FontTest, AGlyphTravelsAsANestedDoubleFacePatternTurnedAcrossTheBand)
{
    TTWFont font;
    font.SetHeight(5);
    TTWFontChar* letter = font.AddChar("L", "Ell");
    letter->SetWidth(3);
    ASSERT_EQ(5, letter->Height());
    // An L lying along the band: its stem is the first row, its foot the bottom card.
    Draw(letter->Glyph(), {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 4}, {2, 4}});
    letter->SpaceBefore = 2;
    letter->SpaceAfter = -1;

    TILXMLTree tree;
    font.BuildXML(CreateTWDataRoot(tree));
    const TILXMLNode* pattern = tree.FindTag("TWData/Font/Data/Character/Pattern", true);
    EXPECT_EQ("Doubleface", pattern->GetAttribute("Type"));
    EXPECT_EQ("5", pattern->FindChild("Width")->Value());
    EXPECT_EQ("3", pattern->FindChild("Length")->Value());
    // Glyph pixel (x, y) is picture pixel (4 - y, x): the stem fills the top picture row,
    // the foot the first column.
    const TILXMLNode* rows = pattern->FindChild("Data");
    ASSERT_EQ(3, rows->ChildCount());
    EXPECT_EQ("P3", rows->GetChild(0)->Tag());
    EXPECT_EQ("XXXXX", rows->GetChild(0)->Value());
    EXPECT_EQ("X....", rows->GetChild(1)->Value());
    EXPECT_EQ("X....", rows->GetChild(2)->Value());

    const std::string file = File("letters.tvf");
    font.SaveToFile(file);
    std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
    ASSERT_EQ(PatternTypeFont, loaded->GetPatternType());
    const auto& read = static_cast<const TTWFont&>(*loaded);
    ASSERT_EQ(1, read.GetCharCount());
    const TTWFontChar& back = *read.GetChar(0);
    EXPECT_EQ("L", back.Letter);
    EXPECT_EQ("Ell", back.Name);
    EXPECT_EQ(2, back.SpaceBefore);
    EXPECT_EQ(-1, back.SpaceAfter);
    EXPECT_EQ(3, back.Width());
    EXPECT_EQ(5, back.Height());
    EXPECT_TRUE(back.Glyph().Monochrome());
    EXPECT_TRUE(back.Glyph().SamePixels(letter->Glyph()));
    EXPECT_EQ(FontXML(font), FontXML(read));
}

TEST_F(FontTest, LettersNamesAndNotesSurviveTheFileAsTheyAre)
{
    TTWFont font;
    font.SetName("Runes & <Rounds>");
    font.SetNotes("first line\r\n\r\nthird \"line\"");
    font.SetHeight(4);
    font.SetKerning(2);
    font.SetDefCharWidth(7);
    font.SetThreading(FontThreadingAltSZ);
    font.AddChar("<", "less & more]]>");
    font.AddChar("\xC3\xA9", "e acute");
    font.AddChar("a", "");
    const std::string file = File("names.tvf");
    font.SaveToFile(file);

    TTWFont read;
    read.LoadFromFile(file);
    EXPECT_EQ("Runes & <Rounds>", read.Name());
    EXPECT_EQ("first line\r\n\r\nthird \"line\"", read.Notes());
    EXPECT_EQ(4, read.Height());
    EXPECT_EQ(2, read.Kerning());
    EXPECT_EQ(7, read.DefCharWidth());
    EXPECT_EQ(FontThreadingAltSZ, read.Threading());
    ASSERT_EQ(3, read.GetCharCount());
    EXPECT_EQ("<", read.GetChar(0)->Letter);
    EXPECT_EQ("less & more]]>", read.GetChar(0)->Name);
    EXPECT_EQ(7, read.GetChar(0)->Width());
    EXPECT_EQ("\xC3\xA9", read.GetChar(1)->Letter);
    // Letters are found exactly, case and all.
    EXPECT_EQ(read.GetChar(2), read.FindChar("a"));
    EXPECT_EQ(nullptr, read.FindChar("A"));
    EXPECT_EQ(nullptr, read.GetChar(3));

    // A pattern file is no font file.
    TTWPattern pattern;
    const std::string patternFile = File("pattern.tvl");
    pattern.SaveToFile(patternFile);
    try {
        read.LoadFromFile(patternFile);
        FAIL() << "a pattern file was read as a font";
    } catch (const TGenericException& error) {
        EXPECT_EQ("No font data found.\r\nFile: " + patternFile, error.Message());
        EXPECT_EQ("LoadFromFile", error.GetInfo(0)->MethodName);
    }
    EXPECT_EQ(3, read.GetCharCount());
}

TEST_F(FontTest, CharactersReadOnlyWhatTheFileHolds)
{
    // Only "Character" children count; one without a pattern keeps an empty, white glyph;
    // spaces left out are 0, and spaces that are no number are refused; a "Data" further down
    // is found.
    EXPECT_EQ(RaisedMessage([&] {
                  ReadFont("<Font><Data><Character Letter=\"x\"><SpaceBefore>two</SpaceBefore></Character></Data></Font>");
              }),
              "Invalid number (two) in <SpaceBefore>.\r\nA whole number is expected.");
    std::unique_ptr<TTWFont> font =
        ReadFont("<Font><Height>3</Height><Section><Data><Character Letter=\"x\"><Name>Ex</Name>"
                 "<SpaceAfter>4</SpaceAfter></Character><Letter Letter=\"y\"/>"
                 "<Character Letter=\"z\"><Pattern Type=\"DoubleFace\"><Width>2</Width><Length>2</Length>"
                 "<Data><P1>X.</P1><P2>.X</P2></Data></Pattern></Character></Data></Section></Font>");
    ASSERT_EQ(2, font->GetCharCount());
    const TTWFontChar& x = *font->GetChar(0);
    EXPECT_EQ("Ex", x.Name);
    EXPECT_EQ(0, x.SpaceBefore);
    EXPECT_EQ(4, x.SpaceAfter);
    EXPECT_EQ(0, x.Width());
    EXPECT_EQ(0, x.Height());
    EXPECT_TRUE(x.Glyph().Monochrome());
    // The glyph takes its size from the pattern, not from the font height.
    const TTWFontChar& z = *font->GetChar(1);
    ASSERT_EQ(2, z.Width());
    ASSERT_EQ(2, z.Height());
    // Design row 0 (picture row 1) holds column 0: glyph pixel (1, 1).
    EXPECT_EQ(fw::Bitmap::Black, z.Glyph().Pixel(1, 1));
    EXPECT_EQ(fw::Bitmap::Black, z.Glyph().Pixel(0, 0));
    EXPECT_EQ(fw::Bitmap::White, z.Glyph().Pixel(1, 0));
    EXPECT_EQ(fw::Bitmap::White, z.Glyph().Pixel(0, 1));

    // A nested pattern longer than any letter is refused.
    EXPECT_THROW(ReadFont("<Font><Data><Character><Pattern><Width>1</Width><Length>20000</Length></Pattern>"
                          "</Character></Data></Font>"),
                 TGenericException);
}

TEST_F(FontTest, HeightAssignAndConversionBehaveAsAFontShould)
{
    TTWFont font;
    font.SetName("Block");
    font.SetHeight(6);
    TTWFontChar* letter = font.AddChar("I", "Eye");
    EXPECT_EQ(12, letter->Width());
    Draw(letter->Glyph(), {{1, 1}, {1, 5}});
    font.SetHeight(0);
    font.SetHeight(-3);
    EXPECT_EQ(6, font.Height());
    font.SetHeight(4);
    EXPECT_EQ(4, letter->Height());
    EXPECT_EQ(fw::Bitmap::Black, letter->Glyph().Pixel(1, 1));
    EXPECT_THROW(font.SetHeight(TTWFontChar::MaxHeight + 1), TGenericException);
    EXPECT_EQ(4, font.Height());
    // All glyphs together stay within what one font may hold.
    TTWFont wide;
    wide.SetHeight(1);
    wide.SetDefCharWidth(TTWFontChar::MaxWidth);
    wide.AddChar("a", "");
    wide.AddChar("b", "");
    EXPECT_THROW(wide.SetHeight(TTWFontChar::MaxHeight), TGenericException);
    EXPECT_EQ(1, wide.GetChar(1)->Height());
    EXPECT_THROW(letter->SetWidth(-1), TGenericException);
    EXPECT_THROW(letter->SetWidth(TTWFontChar::MaxWidth + 1), TGenericException);
    EXPECT_EQ(12, letter->Width());

    TTWFont copy;
    copy.AddChar("old", "");
    copy.Assign(&font);
    EXPECT_EQ("Block", copy.Name());
    EXPECT_EQ(4, copy.Height());
    ASSERT_EQ(1, copy.GetCharCount());
    EXPECT_NE(letter, copy.GetChar(0));
    EXPECT_EQ("Eye", copy.GetChar(0)->Name);
    EXPECT_TRUE(copy.GetChar(0)->Glyph().SamePixels(letter->Glyph()));
    letter->Glyph().SetPixel(0, 0, fw::Bitmap::Black);
    EXPECT_FALSE(copy.GetChar(0)->Glyph().SamePixels(letter->Glyph()));

    // A font weaves nothing: the target keeps what it has.
    TTWPattern target;
    target.Picks().Add();
    font.ConvertToThreaded(target);
    EXPECT_EQ(1, target.GetPickCount());
    EXPECT_EQ(0, target.GetCardCount());
}

TEST_F(FontTest, ALetterOfAnotherHeightThanItsFontIsKeptAsTheFileHoldsIt)
{
    // A letter 40 long and 30 high in a font 4 high: the letter keeps its own size, and the
    // font writes it back as it read it.
    TTWFont font;
    font.SetName("Small");
    font.SetHeight(4);
    TTWFontChar* tall = font.AddChar("T", "tall");
    tall->SetHeight(30);
    tall->SetWidth(40);
    Draw(tall->Glyph(), {{0, 0}, {39, 29}, {17, 3}, {5, 25}});
    const std::string written = FontXML(font);

    font.SaveToFile(File("small.tvf"));
    TTWFont read;
    read.LoadFromFile(File("small.tvf"));
    EXPECT_EQ(read.Height(), 4);
    ASSERT_EQ(read.GetCharCount(), 1);
    EXPECT_EQ(read.GetChar(0)->Width(), 40);
    EXPECT_EQ(read.GetChar(0)->Height(), 30);
    EXPECT_TRUE(read.GetChar(0)->Glyph().SamePixels(tall->Glyph()));
    EXPECT_EQ(FontXML(read), written);
}
