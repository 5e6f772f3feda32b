#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "framework/core/exceptions.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace {

TTWCardBase* AddCard(TTWCardList& cards, int holes, const std::vector<int>& colours,
                     std::uint8_t threading = ThreadingS)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(holes);
    for (int i = 0; i < holes; ++i) {
        card->SetHoleColour(i, colours[static_cast<size_t>(i)]);
    }
    card->SetThreading(threading);
    TTWCardBase* added = card.get();
    cards.Add(card.release());
    return added;
}

void AddTurn(TTWPick& pick, int card, std::uint8_t direction, std::uint8_t distance = DistanceOneHole)
{
    pick.Actions().Add(TTWAction::CreateCardTurn(card, direction, distance).release());
}

void AddTwist(TTWPick& pick, int card, std::uint8_t direction)
{
    pick.Actions().Add(TTWAction::CreateCardTwist(card, direction).release());
}

TTWPack* AddPack(TTWPattern& pattern, const std::string& name, const std::vector<int>& members)
{
    auto* pack = new TTWPack;
    pack->Name = name;
    pack->SetSize(static_cast<int>(members.size()));
    for (size_t i = 0; i < members.size(); ++i) {
        pack->SetMember(static_cast<int>(i), members[i]);
    }
    pack->SetCardList(&pattern.Cards());
    pattern.Packs().Add(pack);
    return pack;
}

std::string PatternXML(const TTWPattern& pattern)
{
    TILXMLTree tree;
    pattern.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML(true);
}

// What one cell of the band is expected to show.
struct Shown {
    std::uint8_t turnDir;
    int hole;
    int colourIndex;
    std::uint8_t slant;
    bool reversal;
    bool twisted;
};

void ExpectRows(const TTWWeaving& weaving, const TTWPalette& palette, const std::vector<Shown>& rows)
{
    ASSERT_EQ(static_cast<int>(rows.size()), weaving.PickCount());
    for (int pick = 0; pick < weaving.PickCount(); ++pick) {
        SCOPED_TRACE("pick " + std::to_string(pick + 1));
        const TTWWeavingCell& cell = *weaving.Cell(0, pick);
        const Shown& expected = rows[static_cast<size_t>(pick)];
        EXPECT_EQ(expected.turnDir, cell.TurnDir);
        EXPECT_EQ(expected.hole, cell.Hole);
        EXPECT_EQ(palette.GetColour(expected.colourIndex), cell.Colour);
        EXPECT_EQ(expected.slant, cell.Slant);
        EXPECT_EQ(expected.reversal, cell.Reversal);
        EXPECT_EQ(expected.twisted, cell.Twisted);
    }
}

class ThreadedPatternTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        RegisterThreadedPattern();
        folder_ = UniqueScratchFolder("tavelin_threaded_pattern_test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const char* name) const { return (folder_ / name).string(); }

    // One 4-hole card threaded S with hole colours A 1, B 2, C 3, D 4, and eight picks:
    // forwards twice, backwards, idle, backwards, forwards, a twist alone, forwards.
    void MakeOneCardPattern(TTWPattern& pattern) const
    {
        AddCard(pattern.Cards(), 4, {1, 2, 3, 4});
        TTWPickList& picks = pattern.Picks();
        AddTurn(*picks.Add(), 1, TurnForwards);
        AddTurn(*picks.Add(), 1, TurnForwards);
        AddTurn(*picks.Add(), 1, TurnBackwards);
        picks.Add();
        AddTurn(*picks.Add(), 1, TurnBackwards);
        AddTurn(*picks.Add(), 1, TurnForwards);
        AddTwist(*picks.Add(), 1, TwistV);
        AddTurn(*picks.Add(), 1, TurnForwards);
    }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(ThreadedPatternTest, WeavesOneCardPickByPickOnBothSides)
{
    TTWPattern pattern;
    MakeOneCardPattern(pattern);
    TTWPalette colours;
    for (int i = 0; i < colours.Size(); ++i) {
        colours.SetColour(i, 0x010101u * static_cast<unsigned>(i + 1));
    }

    TTWWeaving front;
    pattern.BuildWeaving(front, &colours, false, 0);
    EXPECT_FALSE(front.Reverse());
    EXPECT_EQ(1, front.Width());
    // The backward turn shows the hole it turns away from, with the slant flipped; an idle
    // card shows the hole in the first position; after the twist the slant stays flipped and
    // the next turn shows the twist.
    ExpectRows(front, colours,
               {{TurnForwards, 3, 4, ThreadingS, false, false},
                {TurnForwards, 2, 3, ThreadingS, false, false},
                {TurnBackwards, 2, 3, ThreadingZ, true, false},
                {TurnIdle, 3, 4, ThreadingS, false, false},
                {TurnBackwards, 3, 4, ThreadingZ, false, false},
                {TurnForwards, 3, 4, ThreadingS, true, false},
                {TurnIdle, 0, 3, ThreadingZ, false, false},
                {TurnForwards, 3, 4, ThreadingZ, false, true}});

    // The reverse side shows the opposite hole; idle cells show the slant flipped. Without a
    // palette the pattern's own colours are used.
    TTWWeaving back;
    pattern.BuildReverseWeaving(back, nullptr, 0);
    EXPECT_TRUE(back.Reverse());
    ExpectRows(back, pattern.Palette(),
               {{TurnForwards, 1, 2, ThreadingS, false, false},
                {TurnForwards, 0, 1, ThreadingS, false, false},
                {TurnBackwards, 0, 1, ThreadingZ, true, false},
                {TurnIdle, 1, 2, ThreadingZ, false, false},
                {TurnBackwards, 1, 2, ThreadingZ, false, false},
                {TurnForwards, 1, 2, ThreadingS, true, false},
                {TurnIdle, 2, 3, ThreadingS, false, false},
                {TurnForwards, 1, 2, ThreadingZ, false, true}});

    // Picks 4 to 6 show one hole on both sides: a float of three.
    for (const TTWWeaving* side : {&front, &back}) {
        for (int pick = 0; pick < 8; ++pick) {
            EXPECT_EQ(pick >= 3 && pick <= 5, side->Cell(0, pick)->InFloat) << "pick " << pick + 1;
        }
        EXPECT_TRUE(side->Cell(0, 3)->IsFloatStart());
        EXPECT_EQ(3, side->FloatLength(*side->Cell(0, 4)));
    }
}

TEST_F(ThreadedPatternTest, SelvedgesTurnForwardsAndIdleCellsShowTheirOwnCard)
{
    TTWPattern pattern;
    AddCard(pattern.SelvedgeLeft(), 4, {0, 0, 0, 0});
    AddCard(pattern.SelvedgeLeft(), 4, {0, 0, 0, 0});
    AddCard(pattern.SelvedgeRight(), 4, {0, 0, 0, 0});
    // Each main card carries one colour in all its holes: whatever hole is on top, the cell
    // tells which card it comes from.
    for (int k = 0; k < 10; ++k) {
        AddCard(pattern.Cards(), 4, {k + 1, k + 1, k + 1, k + 1});
    }
    pattern.Picks().Add();
    AddTurn(*pattern.Picks().Add(), 3, TurnBackwards);

    for (const bool reverse : {false, true}) {
        SCOPED_TRACE(reverse ? "reverse" : "front");
        TTWWeaving weaving;
        pattern.BuildWeaving(weaving, nullptr, reverse, 0);
        ASSERT_EQ(13, weaving.Width());
        ASSERT_EQ(2, weaving.PickCount());
        const auto column = [&](int c) { return reverse ? 12 - c : c; };
        for (int pick = 0; pick < 2; ++pick) {
            for (int selvedgeColumn : {0, 1, 12}) {
                EXPECT_EQ(TurnForwards, weaving.Cell(column(selvedgeColumn), pick)->TurnDir);
            }
            for (int k = 0; k < 10; ++k) {
                const TTWWeavingCell& cell = *weaving.Cell(column(2 + k), pick);
                EXPECT_EQ(pattern.Palette().GetColour(k + 1), cell.Colour) << "card " << k + 1;
                EXPECT_EQ(pick == 1 && k == 2 ? TurnBackwards : TurnIdle, cell.TurnDir);
            }
        }
    }
}

TEST_F(ThreadedPatternTest, ReverseSideIsTheFrontMirroredWithOppositeHoles)
{
    TTWPattern pattern;
    AddCard(pattern.SelvedgeLeft(), 4, {1, 2, 3, 4});
    AddCard(pattern.Cards(), 4, {5, 6, 7, 8}, ThreadingZ);
    AddCard(pattern.Cards(), 6, {1, 3, 5, 7, 9, 11});
    AddCard(pattern.Cards(), 3, {2, 4, 6});
    AddCard(pattern.Cards(), 4, {12, 13, 14, 15}, ThreadingZ);
    AddCard(pattern.SelvedgeRight(), 4, {9, 10, 11, 12}, ThreadingZ);
    AddCard(pattern.SelvedgeRight(), 3, {13, 14, 15});
    AddPack(pattern, "Middle", {2, 3});
    TTWPickList& picks = pattern.Picks();
    AddTurn(*picks.Add(), 1, TurnForwards, DistanceTwoHoles);
    TTWPick& second = *picks.Add();
    second.Actions().Add(TTWAction::CreatePackTurn("middle", TurnBackwards, DistanceOneHole).release());
    AddTwist(second, 4, TwistAC);
    TTWPick& third = *picks.Add();
    AddTwist(third, 2, TwistV);
    AddTurn(third, 2, TurnForwards);
    AddTurn(third, 4, TurnBackwards, DistanceTwoHoles);
    picks.Add();
    AddTurn(*picks.Add(), 1, TurnBackwards);

    TTWWeaving front;
    TTWWeaving back;
    pattern.BuildWeaving(front, nullptr, false, 1);
    pattern.BuildReverseWeaving(back, nullptr, 1);
    ASSERT_EQ(7, front.Width());
    ASSERT_EQ(10, front.PickCount());
    ASSERT_EQ(10, back.PickCount());

    const auto cardOfColumn = [&pattern](int c) -> const TTWCardBase* {
        if (c < 1) {
            return pattern.SelvedgeLeft().GetCard(c);
        }
        if (c < 5) {
            return pattern.Cards().GetCard(c - 1);
        }
        return pattern.SelvedgeRight().GetCard(c - 5);
    };
    for (int pick = 0; pick < front.PickCount(); ++pick) {
        for (int c = 0; c < 7; ++c) {
            SCOPED_TRACE("pick " + std::to_string(pick + 1) + ", column " + std::to_string(c + 1));
            const TTWCardBase& card = *cardOfColumn(c);
            const TTWWeavingCell& seen = *front.Cell(c, pick);
            const TTWWeavingCell& behind = *back.Cell(6 - c, pick);
            EXPECT_EQ(seen.TurnDir, behind.TurnDir);
            EXPECT_EQ(seen.Reversal, behind.Reversal);
            EXPECT_EQ(seen.Twisted, behind.Twisted);
            EXPECT_EQ(card.OppositeLetter(static_cast<char>('A' + seen.Hole)), 'A' + behind.Hole);
            EXPECT_EQ(pattern.Palette().GetColour(card.HoleColour(behind.Hole)), behind.Colour);
            EXPECT_EQ(seen.IsIdle() ? FlippedThreading(seen.Slant) : seen.Slant, behind.Slant);
        }
    }
}

TEST_F(ThreadedPatternTest, RepeatsContinueFromTheCardsStateAndRunawayBandsAreRefused)
{
    TTWPattern pattern;
    AddCard(pattern.Cards(), 4, {0, 1, 2, 3});
    AddTurn(*pattern.Picks().Add(), 1, TurnForwards);

    TTWWeaving weaving;
    pattern.BuildWeaving(weaving, nullptr, false, 2);
    ASSERT_EQ(3, weaving.PickCount());
    EXPECT_EQ(3, weaving.Cell(0, 0)->Hole);
    EXPECT_EQ(2, weaving.Cell(0, 1)->Hole);
    EXPECT_EQ(1, weaving.Cell(0, 2)->Hole);

    pattern.BuildWeaving(weaving, nullptr, false, -1);
    EXPECT_EQ(0, weaving.PickCount());
    EXPECT_EQ(1, weaving.Width());

    try {
        pattern.BuildWeaving(weaving, nullptr, false, INT_MAX);
        FAIL() << "a band of 2^31 picks was accepted";
    } catch (const TGenericException& error) {
        EXPECT_NE(std::string::npos, error.Message().find("too large")) << error.Message();
    }
    EXPECT_EQ(0, weaving.PickCount());
}

TEST_F(ThreadedPatternTest, ActionsOnMissingCardsAndPacksDoNothing)
{
    TTWPattern pattern;
    AddCard(pattern.Cards(), 4, {0, 1, 2, 3});
    AddCard(pattern.Cards(), 4, {0, 1, 2, 3});
    AddPack(pattern, "Outer", {2, 9, 0, -4});
    TTWPick& pick = *pattern.Picks().Add();
    AddTurn(pick, 3, TurnForwards);
    AddTurn(pick, 0, TurnForwards);
    auto notANumber = TTWAction::CreateCardTurn(1, TurnBackwards, DistanceOneHole);
    notANumber->SetTargetID("first");
    pick.Actions().Add(notANumber.release());
    pick.Actions().Add(TTWAction::CreatePackTurn("Nowhere", TurnForwards, DistanceOneHole).release());
    pick.Actions().Add(TTWAction::CreatePackTurn("OUTER", TurnBackwards, DistanceTwoHoles).release());

    TTWWeaving weaving;
    pattern.BuildWeaving(weaving, nullptr, false, 0);
    ASSERT_EQ(2, weaving.Width());
    EXPECT_EQ(TurnIdle, weaving.Cell(0, 0)->TurnDir);
    EXPECT_EQ(TurnBackwards, weaving.Cell(1, 0)->TurnDir);
    EXPECT_EQ(2, pattern.Cards().GetCard(1)->CurPos());
    EXPECT_EQ(0, pattern.Cards().GetCard(0)->CurPos());
}

TEST_F(ThreadedPatternTest, NewPatternIsSavedAsTheGoldenFile)
{
    UserSettings().DefaultNotes = "Warp: cotton\r\nWeft: <wool>";
    TTWPattern pattern;
    pattern.SetName("Band");
    const std::string file = File("new.tvl");
    pattern.SaveToFile(file);

    const std::string golden =
        "<TWData>\r\n"
        "  <Source>Tavelin</Source>\r\n"
        "  <Version>1.17</Version>\r\n"
        "  <Release/>\r\n"
        "  <Pattern Type=\"Threaded-in\">\r\n"
        "    <Name><![CDATA[Band]]></Name>\r\n"
        "    <Notes>\r\n"
        "      <L1><![CDATA[Warp: cotton]]></L1>\r\n"
        "      <L2><![CDATA[Weft: &#60;wool&#62;]]></L2>\r\n"
        "    </Notes>\r\n"
        "    <Selvedges>\r\n"
        "      <Left>\r\n"
        "        <Cards Count=\"0\"/>\r\n"
        "      </Left>\r\n"
        "      <Right>\r\n"
        "        <Cards Count=\"0\"/>\r\n"
        "      </Right>\r\n"
        "    </Selvedges>\r\n"
        "    <Cards Count=\"0\"/>\r\n"
        "    <Packs Count=\"0\"/>\r\n"
        "    <Picks Count=\"0\"/>\r\n"
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
        "  </Pattern>\r\n"
        "</TWData>\r\n";
    EXPECT_EQ(golden, fw::ReadFileBytes(file));
}

TEST_F(ThreadedPatternTest, SavedPatternReadsBackTheSame)
{
    TTWPattern pattern;
    MakeOneCardPattern(pattern);
    pattern.SetName("Chevrons & <stripes>");
    pattern.SetNotes("first\r\n\r\nthird");
    AddCard(pattern.Cards(), 6, {1, 2, 3, 4, 5, 6}, ThreadingZ);
    AddCard(pattern.SelvedgeRight(), 3, {7, 8, 9});
    AddPack(pattern, "Both", {1, 2});
    pattern.Picks().Items(3)->Actions().Add(TTWAction::CreatePackTwist("Both", TwistH).release());
    pattern.Palette().SetColour(5, 0x80000010);

    const std::string file = File("round.tvl");
    pattern.SaveToFile(file);
    TTWPattern loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ("Chevrons & <stripes>", loaded.Name());
    EXPECT_EQ("first\r\n\r\nthird", loaded.Notes());
    EXPECT_EQ(2, loaded.GetCardCount());
    EXPECT_EQ(8, loaded.GetPickCount());
    EXPECT_EQ(1, loaded.SelvedgeRight().Count());
    EXPECT_EQ(&loaded.Cards(), loaded.Packs().FindByName("both")->CardList());
    EXPECT_EQ(PatternXML(pattern), PatternXML(loaded));
}

// A long band's picks are made only as the file is written, a batch at a time: the file holds
// the same bytes as the document made whole, in Windows-1252, every pick in its place.
TEST_F(ThreadedPatternTest, ALongBandIsSavedAsTheWholeDocumentWouldBe)
{
    TTWPattern pattern;
    MakeOneCardPattern(pattern);
    AddPack(pattern, "Both \xCE\xA9", {1});
    pattern.SetName("Long band \xC3\xA9");
    TTWPickList& picks = pattern.Picks();
    while (picks.Count() < 2500) {
        TTWPick* pick = picks.Add();
        pick->Assign(picks.Items(picks.Count() % 8));
        if (picks.Count() % 3 == 0) {
            pick->Actions().Add(TTWAction::CreatePackTwist("Both \xCE\xA9", TwistH).release());
        }
    }

    TILXMLTree whole;
    pattern.BuildXML(CreateTWDataRoot(whole));
    const std::string expected = File("whole.tvl");
    whole.BuildXML(expected, true, true);

    const std::string file = File("long.tvl");
    pattern.SaveToFile(file);
    EXPECT_EQ(fw::ReadFileBytes(file), fw::ReadFileBytes(expected));

    TTWPattern loaded;
    loaded.LoadFromFile(file);
    ASSERT_EQ(loaded.GetPickCount(), 2500);
    EXPECT_EQ(PatternXML(loaded), PatternXML(pattern));
}

TEST_F(ThreadedPatternTest, TextsTheCodePageLacksSurviveTheFileWhichStaysWindows1252)
{
    TTWPattern pattern;
    MakeOneCardPattern(pattern);
    // Greek, Chinese, an emoji and Latin-1 beside literal text that looks like references.
    const std::string name = "测试 Ωmega é &#65; & #x";
    const std::string notes = "Ωμέγα 测试\r\n😀 and é€\r\n\r\n&#937; stays text";
    pattern.SetName(name);
    pattern.SetNotes(notes);
    AddPack(pattern, "Ωpack 测", {1})->Comment = "comment 😀 &#38;";

    const std::string file = File("unicode.tvl");
    pattern.SaveToFile(file);
    TTWPattern loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Name(), name);
    EXPECT_EQ(loaded.Notes(), notes);
    ASSERT_NE(loaded.Packs().FindByName("Ωpack 测"), nullptr);
    EXPECT_EQ(loaded.Packs().FindByName("Ωpack 测")->Comment, "comment 😀 &#38;");

    // The file holds single Windows-1252 bytes: é as 0xE9 in the name, no UTF-8 sequence and
    // none of the five bytes the code page leaves undefined; what it lacks is referenced.
    const std::string bytes = fw::ReadFileBytes(file);
    EXPECT_NE(bytes.find("<Name><![CDATA[&#27979;&#35797; &#937;mega \xE9 &#38;#65; & #x]]></Name>"),
              std::string::npos)
        << bytes;
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(bytes.find(static_cast<char>(undefined)), std::string::npos);
    }
    EXPECT_EQ(bytes.find('?'), std::string::npos) << "nothing was replaced";
    EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "no UTF-8 reached the file";
}

TEST_F(ThreadedPatternTest, ReadingKeepsThePaletteWhenAbsentAndEmptiesAbsentLists)
{
    TTWPattern pattern;
    MakeOneCardPattern(pattern);
    AddPack(pattern, "One", {1});
    pattern.Palette().SetColour(0, 0x123456);

    TILXMLTree tree;
    tree.ParseText("<TWData><Pattern Type=\"Threaded\"><Name>Bare</Name></Pattern></TWData>");
    double version = -1;
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    EXPECT_EQ(0, version);
    EXPECT_EQ("Bare", pattern.Name());
    EXPECT_EQ(0, pattern.Cards().Count());
    EXPECT_EQ(0, pattern.Packs().Count());
    EXPECT_EQ(0, pattern.Picks().Count());
    EXPECT_EQ(0x123456u, pattern.Palette().GetColour(0));
}

TEST_F(ThreadedPatternTest, AssignConvertAndClearCopyDeeplyAndKeepPacksOnTheirOwnCards)
{
    TTWPattern source;
    MakeOneCardPattern(source);
    source.SetName("Source");
    AddCard(source.SelvedgeLeft(), 4, {1, 1, 1, 1});
    AddPack(source, "All", {1});
    source.Palette().SetColour(1, 0xABCDEF);

    TTWPattern copy;
    copy.Assign(&source);
    EXPECT_NE(source.Cards().GetCard(0), copy.Cards().GetCard(0));
    EXPECT_EQ(&copy.Cards(), copy.Packs().GetItem(0)->CardList());
    EXPECT_EQ(PatternXML(source), PatternXML(copy));
    TTWPalette notAPattern;
    EXPECT_THROW(copy.Assign(&notAPattern), fw::EConvertError);

    TTWPattern target;
    target.SetName("Target");
    source.ConvertToThreaded(target);
    // Only cards, packs and picks are taken over.
    EXPECT_EQ("Target", target.Name());
    EXPECT_EQ(0, target.SelvedgeLeft().Count());
    EXPECT_EQ(1, target.GetCardCount());
    EXPECT_EQ(8, target.GetPickCount());
    EXPECT_EQ(&target.Cards(), target.Packs().GetItem(0)->CardList());
    EXPECT_NE(0xABCDEFu, target.Palette().GetColour(1));
    source.ConvertToThreaded(source);
    EXPECT_EQ(1, source.GetCardCount());

    copy.Clear();
    EXPECT_EQ(0, copy.GetCardCount() + copy.GetPickCount() + copy.Packs().Count());
}

TEST_F(ThreadedPatternTest, TextFileNameSavesTheTurningSequenceUnderTheBusyCursor)
{
    std::vector<bool> busy;
    model_hooks::SetBusyHandler([&busy](bool on) { busy.push_back(on); });
    TTWPattern pattern;
    MakeOneCardPattern(pattern);
    const std::string file = File("sequence.TxT");
    pattern.SaveToFile(file);
    model_hooks::SetBusyHandler({});
    EXPECT_EQ((std::vector<bool>{true, false}), busy);
    EXPECT_TRUE(fw::ReadFileBytes(file).starts_with("Turning Sequence\r\n----------------\r\n   8: F\r\n"));
}
