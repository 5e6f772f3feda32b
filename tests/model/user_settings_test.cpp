#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/user_settings.h"
#include "support/scoped_environment.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        // Other builds may run the same tests at the same time.
        const std::string name = "tavelin_settings_" + std::to_string(::getpid()) + "_"
                                 + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        path_ = fs::temp_directory_path() / name;
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& Path() const { return path_; }
    // The folder as the settings hold folders: with a trailing '/'.
    std::string Text() const { return path_.generic_string() + "/"; }

private:
    fs::path path_;
};

// A folder that not even an administrator may create files in.
const fs::path UnwritableFolder = "/proc/self";

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
}

// Settings read from the text of a "UserSettings" element.
void ReadSettings(TTWUserSettings& settings, const std::string& settingsText)
{
    TILXMLTree tree;
    tree.ParseText("<TVL><UserSettings>" + settingsText + "</UserSettings></TVL>");
    settings.ExtractXML(tree.FindTag("TVL/UserSettings", true));
}

void ExpectSameSettings(const TTWUserSettings& a, const TTWUserSettings& b)
{
    EXPECT_EQ(a.System.CheckTVLReg, b.System.CheckTVLReg);
    EXPECT_EQ(a.General.ShowNotes, b.General.ShowNotes);
    EXPECT_EQ(a.General.BackColour, b.General.BackColour);
    EXPECT_EQ(a.General.LongFloat3Colour, b.General.LongFloat3Colour);
    EXPECT_EQ(a.General.LongFloat4Colour, b.General.LongFloat4Colour);
    EXPECT_EQ(a.General.LongFloat5Colour, b.General.LongFloat5Colour);
    EXPECT_EQ(a.General.GridHighlight.X, b.General.GridHighlight.X);
    EXPECT_EQ(a.General.GridHighlight.Y, b.General.GridHighlight.Y);
    EXPECT_EQ(a.General.GridHighlight.Colour, b.General.GridHighlight.Colour);
    EXPECT_EQ(a.General.GridHighlight.Width, b.General.GridHighlight.Width);
    EXPECT_EQ(a.General.TwineUseDefault, b.General.TwineUseDefault);
    EXPECT_EQ(a.General.STwineColour, b.General.STwineColour);
    EXPECT_EQ(a.General.ZTwineColour, b.General.ZTwineColour);
    EXPECT_EQ(a.General.CutSelection, b.General.CutSelection);
    EXPECT_EQ(a.Layout.SnapshotPanel.Pos, b.Layout.SnapshotPanel.Pos);
    EXPECT_EQ(a.Layout.SnapshotPanel.Vert, b.Layout.SnapshotPanel.Vert);
    EXPECT_EQ(a.Layout.SnapshotPanel.Horz, b.Layout.SnapshotPanel.Horz);
    EXPECT_EQ(a.WeavingImage.GridColour, b.WeavingImage.GridColour);
    EXPECT_EQ(a.WeavingImage.TagColour, b.WeavingImage.TagColour);
    EXPECT_EQ(a.WeavingImage.ShowTurnDir, b.WeavingImage.ShowTurnDir);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Image.Width, b.ImageSizeRatios.Image.Width);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Image.Centre, b.ImageSizeRatios.Image.Centre);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Image.End, b.ImageSizeRatios.Image.End);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.DoubleFace.Width, b.ImageSizeRatios.DoubleFace.Width);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.DoubleFace.Height, b.ImageSizeRatios.DoubleFace.Height);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Brocade.Width, b.ImageSizeRatios.Brocade.Width);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Brocade.Height, b.ImageSizeRatios.Brocade.Height);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Twill31.Width, b.ImageSizeRatios.Twill31.Width);
    EXPECT_DOUBLE_EQ(a.ImageSizeRatios.Twill31.Height, b.ImageSizeRatios.Twill31.Height);
    EXPECT_EQ(a.DefaultRotations.Image, b.DefaultRotations.Image);
    EXPECT_EQ(a.DefaultRotations.DoubleFace, b.DefaultRotations.DoubleFace);
    EXPECT_EQ(a.DefaultRotations.Brocade, b.DefaultRotations.Brocade);
    EXPECT_EQ(a.DefaultRotations.Twill31, b.DefaultRotations.Twill31);
    EXPECT_EQ(a.DoubleFace.DefaultThread, b.DoubleFace.DefaultThread);
    EXPECT_EQ(a.BrokenTwill.ColourInterchange, b.BrokenTwill.ColourInterchange);
    EXPECT_EQ(a.BrokenTwill.DefaultTwill, b.BrokenTwill.DefaultTwill);
    EXPECT_EQ(a.Brocade.ShowLongFloat4, b.Brocade.ShowLongFloat4);
    EXPECT_EQ(a.Brocade.ShowLongFloat6, b.Brocade.ShowLongFloat6);
    EXPECT_EQ(a.Brocade.ShowLongFloat8, b.Brocade.ShowLongFloat8);
    EXPECT_EQ(a.Brocade.ShowLongFloat10, b.Brocade.ShowLongFloat10);
    EXPECT_EQ(a.Brocade.ColLongFloat4, b.Brocade.ColLongFloat4);
    EXPECT_EQ(a.Brocade.ColLongFloat6, b.Brocade.ColLongFloat6);
    EXPECT_EQ(a.Brocade.ColLongFloat8, b.Brocade.ColLongFloat8);
    EXPECT_EQ(a.Brocade.ColLongFloat10, b.Brocade.ColLongFloat10);
    EXPECT_EQ(a.Brocade.DefaultThread, b.Brocade.DefaultThread);
    EXPECT_EQ(a.TwistPatterned.DefaultRotation, b.TwistPatterned.DefaultRotation);
    EXPECT_DOUBLE_EQ(a.TwistPatterned.Ratio.Width, b.TwistPatterned.Ratio.Width);
    EXPECT_DOUBLE_EQ(a.TwistPatterned.Ratio.Height, b.TwistPatterned.Ratio.Height);
    EXPECT_EQ(a.TwistPatterned.UseTwist, b.TwistPatterned.UseTwist);
    EXPECT_EQ(a.Printer.Index, b.Printer.Index);
    EXPECT_EQ(a.Printer.PaperSize, b.Printer.PaperSize);
    EXPECT_EQ(a.Printer.FontSize, b.Printer.FontSize);
    EXPECT_EQ(a.DefaultNotes, b.DefaultNotes);
    EXPECT_EQ(a.Directories.LastLoad, b.Directories.LastLoad);
    EXPECT_EQ(a.Directories.LastSave, b.Directories.LastSave);
    EXPECT_EQ(a.Directories.LastBrowse, b.Directories.LastBrowse);
    ASSERT_EQ(a.EditorProfiles().Count(), b.EditorProfiles().Count());
    for (int i = 0; i < a.EditorProfiles().Count(); ++i) {
        EXPECT_EQ(a.EditorProfiles().GetProfile(i)->Kind(), b.EditorProfiles().GetProfile(i)->Kind());
        EXPECT_EQ(a.EditorProfiles().GetProfile(i)->Name, b.EditorProfiles().GetProfile(i)->Name);
    }
}

// Every value away from its default; the folders are sub-folders of the scratch folder.
void ChangeEverything(TTWUserSettings& settings, const ScratchFolder& scratch)
{
    settings.System.CheckTVLReg = false;
    settings.General.ShowNotes = TTWNotesMode::Floating;
    settings.General.BackColour = 0x80000014;
    settings.General.LongFloat3Colour = 0x010203;
    settings.General.LongFloat4Colour = 0x040506;
    settings.General.LongFloat5Colour = 0x070809;
    settings.General.GridHighlight = {5, 6, 0x80000010, 3};
    settings.General.TwineUseDefault = false;
    settings.General.STwineColour = 0x0A0B0C;
    settings.General.ZTwineColour = 0x0D0E0F;
    settings.General.CutSelection = false;
    settings.Layout.SnapshotPanel = {2, 3, 4};
    settings.WeavingImage.GridColour = 0x111111;
    settings.WeavingImage.TagColour = 0x222222;
    settings.WeavingImage.ShowTurnDir = 2;
    settings.ImageSizeRatios.Image = {1.5, 0.25, 2.75};
    settings.ImageSizeRatios.DoubleFace = {3, 5};
    settings.ImageSizeRatios.Brocade = {4, 0.5};
    settings.ImageSizeRatios.Twill31 = {1, 7};
    settings.DefaultRotations.Image = TTWOrientation::Horizontal;
    settings.DefaultRotations.DoubleFace = TTWOrientation::Horizontal;
    settings.DefaultRotations.Brocade = TTWOrientation::Horizontal;
    settings.DefaultRotations.Twill31 = TTWOrientation::Horizontal;
    settings.DoubleFace.DefaultThread = 1;
    settings.BrokenTwill.ColourInterchange = TTWColourInterchange::Twist;
    settings.BrokenTwill.DefaultTwill = TTWTwillDirection::Z;
    settings.Brocade.ShowLongFloat4 = true;
    settings.Brocade.ShowLongFloat6 = true;
    settings.Brocade.ShowLongFloat8 = true;
    settings.Brocade.ShowLongFloat10 = true;
    settings.Brocade.ColLongFloat4 = 0x333333;
    settings.Brocade.ColLongFloat6 = 0x444444;
    settings.Brocade.ColLongFloat8 = 0x555555;
    settings.Brocade.ColLongFloat10 = 0x666666;
    settings.Brocade.DefaultThread = 0;
    settings.TwistPatterned.DefaultRotation = TTWOrientation::Horizontal;
    settings.TwistPatterned.Ratio = {2.5, 3.5};
    settings.TwistPatterned.UseTwist = true;
    settings.Printer.Index = 3;
    settings.Printer.PaperSize = 9;
    settings.Printer.FontSize = 12;
    settings.DefaultNotes = "Woven by me\r\n\r\nAt 50% & [twice] \xC3\xA9t\xC3\xA9 Ωμέγα 测试 😀";
    // Folder and profile names may hold what Windows-1252 lacks too.
    for (const char* sub : {"load 测试 Ω", "save", "browse"}) {
        fs::create_directories(scratch.Path() / sub);
    }
    settings.Directories.LastLoad = scratch.Text() + "load 测试 Ω/";
    settings.Directories.LastSave = scratch.Text() + "save/";
    settings.Directories.LastBrowse = scratch.Text() + "browse/";
    auto* image = new TTWDesignProfileWeavingImage;
    settings.EditorProfiles().Add(image);
    image->Name = "Close up 😀";
    auto* block = new TTWDesignProfileBlock;
    settings.EditorProfiles().Add(block);
    block->Name = "Grid";
}

} // namespace

TEST(UserSettings, NewSettingsHoldTheDefaults)
{
    const TTWUserSettings settings("/opt/tavelin");
    EXPECT_EQ(settings.ProgramFolder(), "/opt/tavelin/");
    EXPECT_TRUE(settings.System.CheckTVLReg);
    EXPECT_EQ(settings.General.ShowNotes, TTWNotesMode::Docked);
    EXPECT_EQ(settings.General.BackColour, 0x8000000Fu);
    EXPECT_EQ(settings.General.LongFloat3Colour, 0x0000FFu);
    EXPECT_EQ(settings.General.LongFloat4Colour, 0x00FFFFu);
    EXPECT_EQ(settings.General.LongFloat5Colour, 0xFF00FFu);
    EXPECT_EQ(settings.General.GridHighlight.X, 4);
    EXPECT_EQ(settings.General.GridHighlight.Y, 4);
    EXPECT_EQ(settings.General.GridHighlight.Colour, 0x0000FFu);
    EXPECT_EQ(settings.General.GridHighlight.Width, 1);
    EXPECT_TRUE(settings.General.TwineUseDefault);
    EXPECT_EQ(settings.General.STwineColour, 0x0000FFu);
    EXPECT_EQ(settings.General.ZTwineColour, 0xFF0000u);
    EXPECT_TRUE(settings.General.CutSelection);
    EXPECT_EQ(settings.Layout.SnapshotPanel.Pos, 0);
    EXPECT_EQ(settings.Layout.SnapshotPanel.Vert, 1);
    EXPECT_EQ(settings.Layout.SnapshotPanel.Horz, 2);
    EXPECT_EQ(settings.WeavingImage.GridColour, 0x808080u);
    EXPECT_EQ(settings.WeavingImage.TagColour, 0u);
    EXPECT_EQ(settings.WeavingImage.ShowTurnDir, 0);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Width, 3);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 0);
    EXPECT_EQ(settings.ImageSizeRatios.Image.End, 5);
    EXPECT_EQ(settings.ImageSizeRatios.DoubleFace.Width, 2);
    EXPECT_EQ(settings.ImageSizeRatios.DoubleFace.Height, 4);
    EXPECT_EQ(settings.ImageSizeRatios.Brocade.Width, 2);
    EXPECT_EQ(settings.ImageSizeRatios.Brocade.Height, 2);
    EXPECT_EQ(settings.ImageSizeRatios.Twill31.Width, 2);
    EXPECT_EQ(settings.ImageSizeRatios.Twill31.Height, 6);
    EXPECT_EQ(settings.DefaultRotations.Image, TTWOrientation::Vertical);
    EXPECT_EQ(settings.DefaultRotations.DoubleFace, TTWOrientation::Vertical);
    EXPECT_EQ(settings.DefaultRotations.Brocade, TTWOrientation::Vertical);
    EXPECT_EQ(settings.DefaultRotations.Twill31, TTWOrientation::Vertical);
    EXPECT_EQ(settings.DoubleFace.DefaultThread, 2);
    EXPECT_EQ(settings.BrokenTwill.ColourInterchange, TTWColourInterchange::Turn);
    EXPECT_EQ(settings.BrokenTwill.DefaultTwill, TTWTwillDirection::S);
    EXPECT_FALSE(settings.Brocade.ShowLongFloat4);
    EXPECT_FALSE(settings.Brocade.ShowLongFloat6);
    EXPECT_FALSE(settings.Brocade.ShowLongFloat8);
    EXPECT_FALSE(settings.Brocade.ShowLongFloat10);
    EXPECT_EQ(settings.Brocade.ColLongFloat4, 0x00FFFFu);
    EXPECT_EQ(settings.Brocade.ColLongFloat6, 0x40BAE0u);
    EXPECT_EQ(settings.Brocade.ColLongFloat8, 0x0080FFu);
    EXPECT_EQ(settings.Brocade.ColLongFloat10, 0x0000FFu);
    EXPECT_EQ(settings.Brocade.DefaultThread, 2);
    EXPECT_EQ(settings.TwistPatterned.DefaultRotation, TTWOrientation::Vertical);
    EXPECT_EQ(settings.TwistPatterned.Ratio.Width, 2);
    EXPECT_EQ(settings.TwistPatterned.Ratio.Height, 3);
    EXPECT_FALSE(settings.TwistPatterned.UseTwist);
    EXPECT_EQ(settings.EditorProfiles().Count(), 0);
    EXPECT_EQ(settings.Printer.Index, -1);
    EXPECT_EQ(settings.Printer.PaperSize, 0);
    EXPECT_EQ(settings.Printer.FontSize, 10);
    EXPECT_EQ(settings.DefaultNotes, "");
    // The dialogs start where the program was started, not in the program's own folder.
    const std::string started = fs::current_path().generic_string() + "/";
    EXPECT_EQ(settings.Directories.LastLoad, started);
    EXPECT_EQ(settings.Directories.LastSave, started);
    EXPECT_EQ(settings.Directories.LastBrowse, started);
}

TEST(UserSettings, EveryValueSurvivesTheFile)
{
    const ScratchFolder scratch;
    TTWUserSettings written(scratch.Path());
    ChangeEverything(written, scratch);
    const fs::path file = scratch.Path() / "mine.xml";
    written.SaveToFile(file);

    TTWUserSettings read(scratch.Path());
    ASSERT_TRUE(read.LoadFromFile(file));
    ExpectSameSettings(read, written);
    EXPECT_EQ(read.DefaultNotes, "Woven by me\r\n\r\nAt 50% & [twice] \xC3\xA9t\xC3\xA9 Ωμέγα 测试 😀");
    EXPECT_EQ(read.Directories.LastLoad, scratch.Text() + "load 测试 Ω/");
    EXPECT_EQ(read.EditorProfiles().GetProfile(0)->Name, "Close up 😀");
    // Nothing became "?" on its way into the single-byte file.
    EXPECT_EQ(fw::ReadFileBytes(file).find('?'), std::string::npos);

    // A copy holds the same values and profiles of its own.
    TTWUserSettings copy("/elsewhere");
    copy.Assign(&read);
    ExpectSameSettings(copy, read);
    EXPECT_EQ(copy.ProgramFolder(), read.ProgramFolder());
    EXPECT_NE(copy.EditorProfiles().GetProfile(0), read.EditorProfiles().GetProfile(0));
}

TEST(UserSettings, WritesTheFileByteForByte)
{
    const ScratchFolder scratch;
    TTWUserSettings settings(scratch.Path());
    settings.General.BackColour = 0x80000014;
    settings.General.ShowNotes = TTWNotesMode::Hidden;
    settings.Printer.FontSize = 8;
    settings.DefaultNotes = "One\r\nTwo & <three>";
    settings.Directories.LastLoad = "/home/weaver/bands/";
    settings.Directories.LastSave = "";
    settings.Directories.LastBrowse = "/home/weaver/old]]>new/";
    auto* profile = new TTWDesignProfileBlock;
    settings.EditorProfiles().Add(profile);
    profile->Name = "Small";
    const fs::path file = scratch.Path() / "settings.xml";
    settings.SaveToFile(file);

    const std::string expected = "<TVL>\r\n"
                                 "  <Source>Tavelin</Source>\r\n"
                                 "  <Version>1.17</Version>\r\n"
                                 "  <Release/>\r\n"
                                 "  <UserSettings>\r\n"
                                 "    <System>\r\n"
                                 "      <CheckTVLReg>Yes</CheckTVLReg>\r\n"
                                 "    </System>\r\n"
                                 "    <General>\r\n"
                                 "      <ShowNotes>Hidden</ShowNotes>\r\n"
                                 "      <BackColour>-2147483628</BackColour>\r\n"
                                 "      <LongFloat3Colour>255</LongFloat3Colour>\r\n"
                                 "      <LongFloat4Colour>65535</LongFloat4Colour>\r\n"
                                 "      <LongFloat5Colour>16711935</LongFloat5Colour>\r\n"
                                 "      <GridHighlight X=\"4\" Y=\"4\" Colour=\"255\" Width=\"1\"/>\r\n"
                                 "      <TwineColour UseDefault=\"Yes\">\r\n"
                                 "        <STwine>255</STwine>\r\n"
                                 "        <ZTwine>16711680</ZTwine>\r\n"
                                 "      </TwineColour>\r\n"
                                 "      <CutSelection>Yes</CutSelection>\r\n"
                                 "    </General>\r\n"
                                 "    <Layout>\r\n"
                                 "      <SnapshotPanel Pos=\"0\" Vert=\"1\" Horz=\"2\"/>\r\n"
                                 "    </Layout>\r\n"
                                 "    <ImageSizeRatios>\r\n"
                                 "      <Image>\r\n"
                                 "        <Width>3</Width>\r\n"
                                 "        <Centre>0</Centre>\r\n"
                                 "        <End>5</End>\r\n"
                                 "      </Image>\r\n"
                                 "      <DoubleFace>\r\n"
                                 "        <Width>2</Width>\r\n"
                                 "        <Height>4</Height>\r\n"
                                 "      </DoubleFace>\r\n"
                                 "      <Brocade>\r\n"
                                 "        <Width>2</Width>\r\n"
                                 "        <Height>2</Height>\r\n"
                                 "      </Brocade>\r\n"
                                 "      <31Twill>\r\n"
                                 "        <Width>2</Width>\r\n"
                                 "        <Height>6</Height>\r\n"
                                 "      </31Twill>\r\n"
                                 "    </ImageSizeRatios>\r\n"
                                 "    <DefaultRotations>\r\n"
                                 "      <Image>Vertical</Image>\r\n"
                                 "      <DoubleFace>Vertical</DoubleFace>\r\n"
                                 "      <Brocade>Vertical</Brocade>\r\n"
                                 "      <31Twill>Vertical</31Twill>\r\n"
                                 "    </DefaultRotations>\r\n"
                                 "    <DoubleFace>\r\n"
                                 "      <DefaultThread>2</DefaultThread>\r\n"
                                 "    </DoubleFace>\r\n"
                                 "    <BrokenTwill>\r\n"
                                 "      <ColourInterchange>Turn</ColourInterchange>\r\n"
                                 "      <DefaultTwill>S</DefaultTwill>\r\n"
                                 "    </BrokenTwill>\r\n"
                                 "    <WeavingImage>\r\n"
                                 "      <GridColour>8421504</GridColour>\r\n"
                                 "      <TagColour>0</TagColour>\r\n"
                                 "      <ShowTurnDir>0</ShowTurnDir>\r\n"
                                 "    </WeavingImage>\r\n"
                                 "    <Brocade>\r\n"
                                 "      <ShowLongFloat4>No</ShowLongFloat4>\r\n"
                                 "      <ShowLongFloat6>No</ShowLongFloat6>\r\n"
                                 "      <ShowLongFloat8>No</ShowLongFloat8>\r\n"
                                 "      <ShowLongFloat10>No</ShowLongFloat10>\r\n"
                                 "      <ColLongFloat4>65535</ColLongFloat4>\r\n"
                                 "      <ColLongFloat6>4242144</ColLongFloat6>\r\n"
                                 "      <ColLongFloat8>33023</ColLongFloat8>\r\n"
                                 "      <ColLongFloat10>255</ColLongFloat10>\r\n"
                                 "      <DefaultThread>2</DefaultThread>\r\n"
                                 "    </Brocade>\r\n"
                                 "    <TwistPatterned>\r\n"
                                 "      <DefaultRotation>Vertical</DefaultRotation>\r\n"
                                 "      <Width>2</Width>\r\n"
                                 "      <Height>3</Height>\r\n"
                                 "      <UseTwist>No</UseTwist>\r\n"
                                 "    </TwistPatterned>\r\n"
                                 "    <EditorProfiles>\r\n"
                                 "      <EditorProfile Name=\"Small\">\r\n"
                                 "        <Type>Block</Type>\r\n"
                                 "        <Zoom>1</Zoom>\r\n"
                                 "        <ShowGrid>No</ShowGrid>\r\n"
                                 "        <Orientation>Vertical</Orientation>\r\n"
                                 "        <GridColour>0</GridColour>\r\n"
                                 "        <BaseWidth>1</BaseWidth>\r\n"
                                 "        <BaseHeight>1</BaseHeight>\r\n"
                                 "        <SimpleDraw>No</SimpleDraw>\r\n"
                                 "        <ShowBasicPattern>No</ShowBasicPattern>\r\n"
                                 "        <ShowTwist>No</ShowTwist>\r\n"
                                 "        <ShowPickTags>No</ShowPickTags>\r\n"
                                 "      </EditorProfile>\r\n"
                                 "    </EditorProfiles>\r\n"
                                 "    <Printer>\r\n"
                                 "      <Index>-1</Index>\r\n"
                                 "      <PaperSize>0</PaperSize>\r\n"
                                 "      <FontSize>8</FontSize>\r\n"
                                 "    </Printer>\r\n"
                                 "    <DefaultNotes>\r\n"
                                 "      <L1><![CDATA[One]]></L1>\r\n"
                                 "      <L2><![CDATA[Two &#38; &#60;three&#62;]]></L2>\r\n"
                                 "    </DefaultNotes>\r\n"
                                 "    <Directories>\r\n"
                                 "      <LastLoad><![CDATA[/home/weaver/bands/]]></LastLoad>\r\n"
                                 "      <LastSave/>\r\n"
                                 "      <LastBrowse><![CDATA[/home/weaver/old]]]]><![CDATA[>new/]]></LastBrowse>\r\n"
                                 "    </Directories>\r\n"
                                 "  </UserSettings>\r\n"
                                 "</TVL>\r\n";
    EXPECT_EQ(fw::ReadFileBytes(file), expected);
}

TEST(UserSettings, MissingKeysKeepTheirValues)
{
    TTWUserSettings settings("/opt/tavelin");
    settings.System.CheckTVLReg = false;
    settings.General.ShowNotes = TTWNotesMode::Floating;
    settings.General.BackColour = 0x123456;
    settings.General.TwineUseDefault = false;
    settings.Printer.FontSize = 12;
    settings.ImageSizeRatios.Image.Centre = 0.5;
    settings.DefaultNotes = "kept";
    settings.EditorProfiles().Add(new TTWDesignProfileBlock);
    ReadSettings(settings, "<General><CutSelection>No</CutSelection><TwineColour><STwine>1</STwine></TwineColour>"
                           "</General><ImageSizeRatios><Image><Width>4</Width></Image></ImageSizeRatios>");

    EXPECT_FALSE(settings.General.CutSelection);
    EXPECT_EQ(settings.General.STwineColour, 1u);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Width, 4);
    // Untouched by a missing key...
    EXPECT_EQ(settings.General.BackColour, 0x123456u);
    EXPECT_FALSE(settings.General.TwineUseDefault);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 0.5);
    EXPECT_EQ(settings.DefaultNotes, "kept");
    EXPECT_EQ(settings.EditorProfiles().Count(), 1);
    EXPECT_EQ(settings.General.GridHighlight.X, 4);
    // ...except the three keys that have a value of their own for "missing".
    EXPECT_TRUE(settings.System.CheckTVLReg);
    EXPECT_EQ(settings.General.ShowNotes, TTWNotesMode::Docked);
    EXPECT_EQ(settings.Printer.FontSize, 10);

    // No file leaves everything.
    const ScratchFolder scratch;
    TTWUserSettings fresh(scratch.Path());
    fresh.General.CutSelection = false;
    EXPECT_FALSE(fresh.LoadFromFile(scratch.Path() / "absent.xml"));
    EXPECT_FALSE(fresh.General.CutSelection);
}

TEST(UserSettings, ADamagedFileIsNamedAndKeptAsideBeforeAnythingOverwritesIt)
{
    const ScratchFolder scratch;
    TTWUserSettings settings(scratch.Path());
    settings.General.CutSelection = false;
    const fs::path file = scratch.Path() / SettingsFileName;
    const fs::path kept = scratch.Path() / "settings.xml.damaged";
    const std::string broken = "<TVL><UserSettings><General><CutSelection>Yes</General>";
    const std::string other = "<TVL><Palettes/></TVL>";
    // A file cut short, one without the settings element, and once more with the first
    // damaged copy still there, which is kept too.
    for (const auto& [text, keptAs] : {std::pair{broken, kept}, std::pair{other, fs::path(kept.string() + "2")}}) {
        WriteText(file, text);
        try {
            settings.LoadFromFile(file);
            ADD_FAILURE() << "a damaged file was read: " << text;
        } catch (const TGenericException& error) {
            EXPECT_EQ(error.GetInfo(0)->Message, "The settings file \"" + file.string()
                                                     + "\" could not be read; the default settings are used "
                                                       "instead.\r\nThe damaged file has been kept as \""
                                                     + keptAs.string() + "\".");
            EXPECT_EQ(error.GetInfo(0)->MethodName, "LoadFromFile");
            // The reason follows.
            EXPECT_GE(error.InfoCount(), 2);
        }
        EXPECT_FALSE(fs::exists(file));
        EXPECT_EQ(fw::ReadFileBytes(keptAs), text);
        EXPECT_FALSE(settings.General.CutSelection) << "nothing of a damaged file is taken";
    }
    // Saving the defaults now leaves both damaged copies as they were.
    settings.SaveToFile(file);
    EXPECT_EQ(fw::ReadFileBytes(kept), broken);
    EXPECT_EQ(fw::ReadFileBytes(kept.string() + "2"), other);
}

TEST(UserSettings, OddValuesReadByTheRules)
{
    const ScratchFolder scratch;
    TTWUserSettings settings(scratch.Path());
    settings.General.GridHighlight.X = 9;
    settings.DefaultRotations.Brocade = TTWOrientation::Horizontal;
    ReadSettings(settings,
                 "<System><CheckTVLReg>maybe</CheckTVLReg></System>"
                 "<General><ShowNotes>floating</ShowNotes><BackColour>2147483663</BackColour>"
                 "<LongFloat3Colour>-16777216</LongFloat3Colour><LongFloat4Colour>4294967296</LongFloat4Colour>"
                 "<LongFloat5Colour>red</LongFloat5Colour>"
                 "<GridHighlight X=\"many\" Y=\"-2\" Colour=\"\" Width=\"3\"/>"
                 "<TwineColour UseDefault=\"f\"/><CutSelection>-1</CutSelection></General>"
                 "<Layout><SnapshotPanel Pos=\"x\" Vert=\"3\"/></Layout>"
                 "<WeavingImage><ShowTurnDir>lines</ShowTurnDir><TagColour>$FF</TagColour></WeavingImage>"
                 "<ImageSizeRatios><Image><Width>0</Width><Centre>0</Centre><End>-1</End></Image>"
                 "<DoubleFace><Width>0</Width><Height>wide</Height></DoubleFace>"
                 "<Brocade><Width>0.5</Width></Brocade></ImageSizeRatios>"
                 "<DefaultRotations><Image>horizontal</Image><DoubleFace>Diagonal</DoubleFace>"
                 "<Brocade>VERTICAL</Brocade></DefaultRotations>"
                 "<DoubleFace><DefaultThread>300</DefaultThread></DoubleFace>"
                 "<BrokenTwill><ColourInterchange>turn</ColourInterchange><DefaultTwill>z</DefaultTwill></BrokenTwill>"
                 "<Brocade><ShowLongFloat4>TRUE</ShowLongFloat4><ShowLongFloat6>1</ShowLongFloat6>"
                 "<ShowLongFloat8>y</ShowLongFloat8><ShowLongFloat10>On</ShowLongFloat10>"
                 "<DefaultThread>1</DefaultThread></Brocade>"
                 "<TwistPatterned><DefaultRotation>Horizontal</DefaultRotation><UseTwist>t</UseTwist></TwistPatterned>"
                 "<Printer><Index>none</Index><PaperSize>-1</PaperSize><FontSize>30</FontSize></Printer>");

    EXPECT_FALSE(settings.System.CheckTVLReg);
    EXPECT_EQ(settings.General.ShowNotes, TTWNotesMode::Floating);
    EXPECT_EQ(settings.General.BackColour, 0x8000000Fu);
    EXPECT_EQ(settings.General.LongFloat3Colour, 0xFF000000u);
    EXPECT_EQ(settings.General.LongFloat4Colour, 0x00FFFFu); // beyond 32 bits: the default
    EXPECT_EQ(settings.General.LongFloat5Colour, 0xFF00FFu);
    EXPECT_EQ(settings.General.GridHighlight.X, 4); // no number: the default, not the value before
    EXPECT_EQ(settings.General.GridHighlight.Y, -2);
    EXPECT_EQ(settings.General.GridHighlight.Colour, 0x0000FFu);
    EXPECT_EQ(settings.General.GridHighlight.Width, 3);
    EXPECT_FALSE(settings.General.TwineUseDefault);
    EXPECT_TRUE(settings.General.CutSelection);
    EXPECT_EQ(settings.Layout.SnapshotPanel.Pos, 0);
    EXPECT_EQ(settings.Layout.SnapshotPanel.Vert, 3);
    EXPECT_EQ(settings.Layout.SnapshotPanel.Horz, 2);
    EXPECT_EQ(settings.WeavingImage.ShowTurnDir, 0);
    EXPECT_EQ(settings.WeavingImage.TagColour, 0xFFu);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Width, 3);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 0);
    EXPECT_EQ(settings.ImageSizeRatios.Image.End, 5);
    EXPECT_EQ(settings.ImageSizeRatios.DoubleFace.Width, 2);
    EXPECT_EQ(settings.ImageSizeRatios.DoubleFace.Height, 4);
    EXPECT_EQ(settings.ImageSizeRatios.Brocade.Width, 0.5);
    EXPECT_EQ(settings.DefaultRotations.Image, TTWOrientation::Horizontal);
    EXPECT_EQ(settings.DefaultRotations.DoubleFace, TTWOrientation::Vertical);
    EXPECT_EQ(settings.DefaultRotations.Brocade, TTWOrientation::Vertical);
    EXPECT_EQ(settings.DoubleFace.DefaultThread, 2);
    EXPECT_EQ(settings.BrokenTwill.ColourInterchange, TTWColourInterchange::Turn);
    EXPECT_EQ(settings.BrokenTwill.DefaultTwill, TTWTwillDirection::S);
    EXPECT_TRUE(settings.Brocade.ShowLongFloat4);
    EXPECT_TRUE(settings.Brocade.ShowLongFloat6);
    EXPECT_TRUE(settings.Brocade.ShowLongFloat8);
    EXPECT_FALSE(settings.Brocade.ShowLongFloat10);
    EXPECT_EQ(settings.Brocade.DefaultThread, 1);
    EXPECT_EQ(settings.TwistPatterned.DefaultRotation, TTWOrientation::Horizontal);
    EXPECT_TRUE(settings.TwistPatterned.UseTwist);
    EXPECT_EQ(settings.Printer.Index, -1);
    EXPECT_EQ(settings.Printer.PaperSize, 0);
    EXPECT_EQ(settings.Printer.FontSize, 14);

    ReadSettings(settings, "<General><ShowNotes>Visible</ShowNotes></General>"
                           "<BrokenTwill><ColourInterchange>Swap</ColourInterchange><DefaultTwill>Z</DefaultTwill>"
                           "</BrokenTwill><Printer><FontSize>2</FontSize><PaperSize>255</PaperSize></Printer>"
                           "<Brocade><DefaultThread>256</DefaultThread></Brocade>"
                           "<ImageSizeRatios><Image><Centre>-0.5</Centre></Image></ImageSizeRatios>");
    EXPECT_EQ(settings.General.ShowNotes, TTWNotesMode::Docked);
    // The largest byte is kept; one more is the default, not the value held before (1).
    EXPECT_EQ(settings.Printer.PaperSize, 255);
    EXPECT_EQ(settings.Brocade.DefaultThread, 2);
    EXPECT_EQ(settings.BrokenTwill.ColourInterchange, TTWColourInterchange::Twist);
    EXPECT_EQ(settings.BrokenTwill.DefaultTwill, TTWTwillDirection::Z);
    EXPECT_EQ(settings.Printer.FontSize, 6);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 0);
    ReadSettings(settings, "<General><ShowNotes>HIDDEN</ShowNotes></General>"
                           "<Printer><FontSize>big</FontSize></Printer>");
    EXPECT_EQ(settings.General.ShowNotes, TTWNotesMode::Hidden);
    EXPECT_EQ(settings.Printer.FontSize, 6);
}

TEST(UserSettings, FoldersThatAreGoneFallBackToTheStartFolder)
{
    const ScratchFolder scratch;
    fs::create_directories(scratch.Path() / "kept");
    TTWUserSettings settings("/opt/tavelin");
    settings.Directories.LastSave = "/somewhere/else/";
    ReadSettings(settings, "<Directories><LastLoad><![CDATA[" + scratch.Text() + "deleted/]]></LastLoad>"
                           "<LastBrowse><![CDATA[" + scratch.Text() + "kept/]]></LastBrowse></Directories>");
    EXPECT_EQ(settings.Directories.LastLoad, StartFolder("/opt/tavelin/"));
    EXPECT_EQ(settings.Directories.LastSave, StartFolder("/opt/tavelin/"));
    EXPECT_EQ(settings.Directories.LastBrowse, scratch.Text() + "kept/");
}

TEST(UserSettings, OwnTagsPassTheNameCheck)
{
    // "31Twill" is no valid XML name; the settings file must still be written and read while
    // the check is on, and the check must stay as it was.
    const ScratchFolder scratch;
    const bool before = XMLNameCheck();
    SetXMLNameCheck(true);
    TTWUserSettings settings(scratch.Path());
    settings.ImageSizeRatios.Twill31.Height = 8;
    settings.SaveToFile(scratch.Path() / "check.xml");
    TTWUserSettings read(scratch.Path());
    EXPECT_TRUE(read.LoadFromFile(scratch.Path() / "check.xml"));
    EXPECT_EQ(read.ImageSizeRatios.Twill31.Height, 8);
    EXPECT_TRUE(XMLNameCheck());
    SetXMLNameCheck(before);
}

TEST(UserSettings, AFailedSaveIsReported)
{
    const ScratchFolder scratch;
    const TTWUserSettings settings(scratch.Path());
    const fs::path target = scratch.Path() / "missing" / "settings.xml";
    try {
        settings.SaveToFile(target);
        FAIL() << "saving into a missing folder succeeded";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message().rfind("Unable to save the settings.\r\nFilename: " + target.string() + "\r\n\r\n", 0),
                  0u)
            << error.Message();
        ASSERT_GE(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(0)->SenderName, "TTWUserSettings");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "SaveToFile");
    }
    EXPECT_FALSE(fs::exists(target));
}

TEST(SettingsFolder, TheUsersConfigurationUnlessTheProgramFolderIsAPortableCopy)
{
    const ScratchFolder scratch;
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", "/home/weaver/conf");
        // A writable program folder (a build folder, say) is no place for the user's files...
        EXPECT_EQ(SettingsFolder(scratch.Path()), fs::path("/home/weaver/conf/tavelin"));
        EXPECT_EQ(SettingsFolder(UnwritableFolder), fs::path("/home/weaver/conf/tavelin"));
        EXPECT_EQ(SettingsFolder(scratch.Path() / "absent"), fs::path("/home/weaver/conf/tavelin"));
        // ...unless it already holds the settings: a portable copy keeps them with it.
        WriteText(scratch.Path() / SettingsFileName, "<TVL/>");
        EXPECT_EQ(SettingsFolder(scratch.Path()), scratch.Path());
        // The check can be replaced: a folder it refuses is passed over.
        EXPECT_EQ(SettingsFolder(scratch.Path(), [](const fs::path&) { return false; }),
                  fs::path("/home/weaver/conf/tavelin"));
        // Only the settings file makes a portable copy; a palettes file alone does not.
        fs::remove(scratch.Path() / SettingsFileName);
        WriteText(scratch.Path() / PalettesFileName, "<TVL/>");
        EXPECT_EQ(SettingsFolder(scratch.Path()), fs::path("/home/weaver/conf/tavelin"));
    }
    const ScopedEnvironment home("HOME", "/home/weaver");
    for (const char* config : {static_cast<const char*>(nullptr), "", "relative/conf"}) {
        const ScopedEnvironment unset("XDG_CONFIG_HOME", config);
        EXPECT_EQ(SettingsFolder(UnwritableFolder), fs::path("/home/weaver/.config/tavelin"))
            << (config != nullptr ? config : "(unset)");
    }
    EXPECT_TRUE(IsFolderWritable(scratch.Path()));
    EXPECT_FALSE(IsFolderWritable(UnwritableFolder));
    EXPECT_FALSE(IsFolderWritable(scratch.Path() / "absent"));
}

TEST(SettingsFolder, SettingsGoWhereTheyMayAndAreFoundAgain)
{
    const ScratchFolder scratch;
    const fs::path program = scratch.Path() / "program";
    const fs::path config = scratch.Path() / "config";
    fs::create_directories(program);
    const ScopedEnvironment environment("XDG_CONFIG_HOME", config.c_str());
    const auto refuseProgram = [&](const fs::path& folder) { return folder != program && IsFolderWritable(folder); };

    // Nothing anywhere: nothing to read.
    EXPECT_EQ(SettingsFileToRead(program, SettingsFileName, refuseProgram), fs::path());
    // A file shipped beside a program that may not write there is still read...
    WriteText(program / SettingsFileName, "<TVL/>");
    EXPECT_EQ(SettingsFileToRead(program, SettingsFileName, refuseProgram), program / SettingsFileName);
    // ...until the user's own file exists.
    fs::create_directories(config / "tavelin");
    WriteText(config / "tavelin" / SettingsFileName, "<TVL/>");
    EXPECT_EQ(SettingsFileToRead(program, SettingsFileName, refuseProgram), config / "tavelin" / SettingsFileName);
    EXPECT_EQ(SettingsFileToRead(program, SettingsFileName), program / SettingsFileName);

    // Saving without a name from a folder that cannot be written makes the configuration
    // folder and writes there; loading without a name finds it.
    const fs::path userFolder = scratch.Path() / "user";
    const ScopedEnvironment userConfig("XDG_CONFIG_HOME", userFolder.c_str());
    TTWUserSettings settings(UnwritableFolder);
    settings.Printer.FontSize = 13;
    settings.SaveToFile();
    EXPECT_TRUE(fs::exists(userFolder / "tavelin" / SettingsFileName));
    TTWUserSettings read(UnwritableFolder);
    EXPECT_TRUE(read.LoadFromFile());
    EXPECT_EQ(read.Printer.FontSize, 13);
}

TEST(SettingsFolder, DialogsStartWhereTheProgramWasStartedElseAtHome)
{
    const ScratchFolder scratch;
    const fs::path started = scratch.Path() / "started";
    fs::create_directories(started);
    const fs::path before = fs::current_path();
    fs::current_path(started);
    const ScopedEnvironment home("HOME", scratch.Path().c_str());
    EXPECT_EQ(StartFolder("/opt/tavelin/"), started.generic_string() + "/");
    // The folder the program was started from has gone since.
    fs::remove(started);
    EXPECT_EQ(StartFolder("/opt/tavelin/"), scratch.Text());
    {
        const ScopedEnvironment noHome("HOME", (scratch.Path() / "nohome").c_str());
        EXPECT_EQ(StartFolder("/opt/tavelin/"), "/opt/tavelin/");
    }
    fs::current_path(before);
}
