#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "model/palette.h"
#include "support/raised_message.h"

namespace {

std::string PaletteXML(const TTWPalette& palette)
{
    TILXMLTree tree;
    palette.WriteToXML(tree.AddRootNode("Pattern"), "Palette");
    return tree.BuildXML(true);
}

std::unique_ptr<TTWPalette> ReadPalette(std::string_view text)
{
    TILXMLTree tree;
    tree.ParseText(text);
    auto palette = std::make_unique<TTWPalette>();
    palette->ReadFromXML(tree.FindTag("Palette", true));
    return palette;
}

class PalettesFile : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = UniqueScratchFolder("tavelin_palettes_test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path File(const char* name) const { return folder_ / name; }
    void Write(const std::filesystem::path& file, const std::string& text) const
    {
        std::ofstream(file, std::ios::binary) << text;
    }

    std::filesystem::path folder_;
};

} // namespace

TEST(Palette, NewPaletteHoldsTheSixteenStandardColoursAndAnswersNoColourOutside)
{
    const TTWPalette palette;
    EXPECT_EQ(palette.Size(), 16);
    EXPECT_EQ(palette.Name(), "");
    EXPECT_EQ(palette.GetColour(0), 0x000000u);
    EXPECT_EQ(palette.GetColour(1), 0x000080u);
    EXPECT_EQ(palette.GetColour(8), 0xC0C0C0u);
    EXPECT_EQ(palette.GetColour(12), 0xFF0000u);
    EXPECT_EQ(palette.GetColour(15), 0xFFFFFFu);
    EXPECT_EQ(palette.GetColour(16), NoColour);
    EXPECT_EQ(palette.GetColour(-1), NoColour);
}

TEST(Palette, SizeGrowsWithBlackShrinksFromTheEndAndIsBounded)
{
    TTWPalette palette;
    palette.SetColour(16, 0x123456);  // beyond the colours held: ignored
    palette.SetColour(-1, 0x123456);
    palette.SetSize(18);
    EXPECT_EQ(palette.Count(), 18);
    EXPECT_EQ(palette.GetColour(16), 0u);
    EXPECT_EQ(palette.GetColour(17), 0u);
    palette.SetColour(17, 0xABCDEF);
    EXPECT_EQ(palette.GetColour(17), 0xABCDEFu);

    palette.SetSize(3);
    EXPECT_EQ(palette.Size(), 3);
    EXPECT_EQ(palette.GetColour(2), 0x008000u);
    EXPECT_EQ(palette.GetColour(3), NoColour);

    palette.SetSize(-3);
    EXPECT_EQ(palette.Size(), 0);
    EXPECT_EQ(palette.GetColour(0), NoColour);

    EXPECT_THROW(palette.SetSize(TTWPalette::MaxSize + 1), TGenericException);
    EXPECT_EQ(palette.Size(), 0);
}

TEST(Palette, CopyFromTakesSizeAndColoursButNotTheNameAssignTakesAll)
{
    TTWPalette source;
    source.SetName("Summer");
    source.SetSize(3);
    source.SetColour(0, 0x111111);

    TTWPalette copy;
    copy.SetName("Mine");
    copy.CopyFrom(nullptr);
    EXPECT_EQ(copy.Size(), 16);
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.Name(), "Mine");
    EXPECT_EQ(copy.Colours(), source.Colours());
    EXPECT_EQ(copy.Size(), 3);

    TTWPalette assigned;
    assigned.Assign(&source);
    EXPECT_EQ(assigned.Name(), "Summer");
    EXPECT_EQ(assigned.Colours(), source.Colours());
    EXPECT_THROW(assigned.Assign(nullptr), fw::EConvertError);
}

TEST(Palette, WritesItsElementByteForByte)
{
    TTWPalette palette;
    palette.SetName("A&B");
    palette.SetSize(2);
    palette.SetColour(1, 0x8000000F);
    EXPECT_EQ(PaletteXML(palette), "<Pattern>\r\n"
                                   "  <Palette Name=\"A&#38;B\" Size=\"2\">\r\n"
                                   "    <Colour Index=\"1\">0</Colour>\r\n"
                                   "    <Colour Index=\"2\">-2147483633</Colour>\r\n"
                                   "  </Palette>\r\n"
                                   "</Pattern>\r\n");
    const auto back = ReadPalette(PaletteXML(palette));
    EXPECT_EQ(back->Name(), "A&B");
    EXPECT_EQ(back->Colours(), palette.Colours());
}

TEST(Palette, ReadingKeepsColoursNotGivenIgnoresStrangersAndRefusesStrayIndices)
{
    const auto palette = ReadPalette("<Palette Name=\"P\" Size=\"4\">"
                                           "<Colour Index=\"1\">255</Colour>"
                                           "<colour Index=\"4\">2147483663</colour>"
                                           "<Color Index=\"2\">7</Color>"
                                           "</Palette>");
    EXPECT_EQ(palette->Size(), 4);
    EXPECT_EQ(palette->GetColour(0), 255u);
    EXPECT_EQ(palette->GetColour(1), 0x000080u);    // standard colour kept
    EXPECT_EQ(palette->GetColour(3), 0x8000000Fu);  // unsigned system colour accepted
    EXPECT_EQ(palette->GetColour(4), NoColour);

    // A colour of no place in the palette, or one that is no colour, would be dropped or
    // changed by the next save.
    const auto refusal = [](const std::string& colour) {
        return RaisedMessage([&] { ReadPalette("<Palette Size=\"4\">" + colour + "</Palette>"); });
    };
    EXPECT_EQ(refusal("<Colour Index=\"5\">9</Colour>"),
              "Invalid number (5) in <Colour Index>.\r\nThe palette holds 4 colours.");
    EXPECT_EQ(refusal("<Colour Index=\"0\">9</Colour>"),
              "Invalid number (0) in <Colour Index>.\r\nThe number is at least 1.");
    EXPECT_EQ(refusal("<Colour>9</Colour>"), "Invalid number () in <Colour Index>.\r\nA whole number is expected.");
    EXPECT_EQ(refusal("<Colour Index=\"3\">junk</Colour>"),
              "Invalid colour (junk) in <Colour>.\r\nA colour is a whole number.");
    for (const char* beyond : {"4294967296", "-2147483649"}) {
        EXPECT_EQ(refusal("<Colour Index=\"2\">" + std::string(beyond) + "</Colour>"),
                  "Invalid colour (" + std::string(beyond) + ") in <Colour>.\r\nA colour is a whole number.");
    }

    // Every 32-bit pattern reads, signed or unsigned.
    const auto edges = ReadPalette("<Palette Size=\"3\">"
                                   "<Colour Index=\"1\">4294967295</Colour>"
                                   "<Colour Index=\"2\">-2147483648</Colour>"
                                   "<Colour Index=\"3\">2147483648</Colour>"
                                   "</Palette>");
    EXPECT_EQ(edges->Colours(), (std::vector<TTWColour>{0xFFFFFFFFu, 0x80000000u, 0x80000000u}));

    const auto grown = ReadPalette("<Palette Size=\"18\"/>");
    EXPECT_EQ(grown->GetColour(15), 0xFFFFFFu);
    EXPECT_EQ(grown->GetColour(17), 0u);
    EXPECT_THROW(ReadPalette("<Palette Size=\"-3\"/>"), TGenericException);
    EXPECT_EQ(ReadPalette("<Palette/>")->Size(), 0);
    EXPECT_THROW(ReadPalette("<Palette Size=\"999999999\"/>"), TGenericException);
}

TEST(PaletteList, FindsByNameWithoutCaseAndChoosesTheDefault)
{
    TTWPaletteList list;
    EXPECT_EQ(list.DefaultPalette(), nullptr);
    TTWPalette* first = list.AddNew();
    first->SetName("Autumn");
    TTWPalette* second = list.AddNew();
    second->SetName("Winter");
    EXPECT_EQ(second->Size(), 16);
    EXPECT_EQ(list.DefaultPalette(), first);
    EXPECT_EQ(list.FindByName("WINTER"), second);
    EXPECT_EQ(list.FindByName("Spring"), nullptr);
    EXPECT_EQ(list.Palettes(2), nullptr);
    EXPECT_EQ(list.Palettes(-1), nullptr);

    second->SetName("(default)");
    EXPECT_EQ(list.DefaultPalette(), second);

    list.ResetToDefault();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.DefaultPalette()->Name(), "(Default)");
    EXPECT_EQ(list.DefaultPalette()->GetColour(9), 0x0000FFu);
}

TEST_F(PalettesFile, RoundTripsThroughABareTVLDocument)
{
    TTWPaletteList list;
    list.ResetToDefault();
    TTWPalette* own = list.AddNew();
    own->SetName("Ünïcode & more 测试 😀");
    own->SetSize(3);
    own->SetColour(2, 0x80000010);

    const auto file = File(PalettesFileName);
    list.SaveToFile(file);

    TILXMLTree written;
    written.LoadFromFile(file);
    ASSERT_EQ(written.TopNodeCount(), 1);
    EXPECT_EQ(written.GetTopNode(0)->Tag(), "TVL");
    EXPECT_EQ(written.FindTag("Source", false), nullptr);
    EXPECT_EQ(written.FindTag("TVL/Palettes", true)->GetAttribute("Count"), "2");

    TTWPaletteList read;
    read.LoadFromFile(file);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Items(0)->Name(), "(Default)");
    EXPECT_EQ(read.Items(0)->Colours(), list.Items(0)->Colours());
    EXPECT_EQ(read.Items(1)->Name(), "Ünïcode & more 测试 😀");
    EXPECT_EQ(read.Items(1)->Colours(), own->Colours());

    // Saving again replaces the file.
    read.Delete(1);
    read.SaveToFile(file);
    TTWPaletteList again;
    again.LoadFromFile(file);
    EXPECT_EQ(again.Count(), 1);
}

TEST_F(PalettesFile, ReadsEveryChildWhateverItsTagAndIgnoresTheCount)
{
    const auto file = File("odd.xml");
    Write(file, "<TVL><Palettes Count=\"999999999\"><Palette Name=\"One\" Size=\"1\"/>"
                "<Other Name=\"Two\" Size=\"2\"/></Palettes></TVL>");
    TTWPaletteList list;
    list.ResetToDefault();
    list.LoadFromFile(file);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0)->Name(), "One");
    EXPECT_EQ(list.Items(1)->Size(), 2);
    EXPECT_EQ(list.DefaultPalette()->Name(), "One");
}

TEST_F(PalettesFile, FailuresLeaveTheListAsItWasAndAreReported)
{
    TTWPaletteList list;
    list.ResetToDefault();

    EXPECT_THROW(list.LoadFromFile(File("missing.xml")), fw::EFileError);

    // A file without palettes, one cut short and one asking for absurd sizes are each named
    // in the error and moved aside, so that the palettes written at close cannot replace them.
    for (const auto& [name, text] : {std::pair{"empty.xml", "<TVL><Other/></TVL>"},
                                     std::pair{"broken.xml", "<TVL><Palettes>"},
                                     std::pair{"absurd.xml", "<TVL><Palettes><Palette Name=\"Ok\"/><Palette "
                                                             "Size=\"999999999\"/></Palettes></TVL>"}}) {
        const auto file = File(name);
        Write(file, text);
        try {
            list.LoadFromFile(file);
            ADD_FAILURE() << name << " was read";
        } catch (const TGenericException& error) {
            EXPECT_EQ(error.GetInfo(0)->Message,
                      "The palettes file \"" + file.string()
                          + "\" could not be read; the standard palette is used instead.\r\nThe damaged file has "
                            "been kept as \""
                          + file.string() + ".damaged\".")
                << name;
        }
        EXPECT_FALSE(std::filesystem::exists(file)) << name;
        EXPECT_EQ(fw::ReadFileBytes(file.string() + ".damaged"), text) << name;
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.Items(0)->Name(), "(Default)");
    }

    EXPECT_THROW(list.SaveToFile(File("no-such-folder") / PalettesFileName), fw::EFileError);
}
