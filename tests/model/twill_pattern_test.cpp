#include <gtest/gtest.h>

#include "support/pick_texts.h"
#include "support/scratch_folder.h"

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "support/raised_message.h"

namespace {

std::vector<std::string> Converted(TTWDFPattern& pattern)
{
    TTWPattern target;
    pattern.ConvertToThreaded(target);
    return PickTexts(target);
}

void ReadInto(TTWPatternBase& pattern, const std::string& document)
{
    TILXMLTree tree;
    tree.ParseText(document);
    double version = 0;
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
}

std::string TwillDocument(std::string_view version, const std::string& content)
{
    return "<TWData><Version>" + std::string(version) + "</Version><Pattern Type=\"BrokenTwill\">" + content
           + "</Pattern></TWData>";
}

// Restores the numeric locale however the test ends.
class NumericLocale {
public:
    NumericLocale()
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = current != nullptr ? current : "C";
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    NumericLocale(const NumericLocale&) = delete;
    NumericLocale& operator=(const NumericLocale&) = delete;

    bool Set(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr; }

private:
    std::string saved_;
};

class TwillPatternTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        UserSettings().DefaultNotes = "";
        folder_ = UniqueScratchFolder("tavelin_twill_pattern_test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const char* name) const { return (folder_ / name).string(); }

    // Two columns and two rows: cells (0, 0) and (1, 1) set, a long float at (0, 1).
    static void MakeSmallTwill(TTW31TwillPattern& twill)
    {
        twill.SetSize(2, 2);
        twill.SetCell(0, 0, true);
        twill.SetCell(1, 1, true);
        twill.SetLongFloat(0, 1, true);
    }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(TwillPatternTest, LongFloatRowsOfOldFilesAreMirroredWhateverTheSeparatorAndLocale)
{
    const std::string rows = "<Width>2</Width><Length>3</Length><LongFloats><P1>X.</P1></LongFloats>";
    const auto bottomRowOf = [&](std::string_view version) {
        TTW31TwillPattern twill;
        ReadInto(twill, TwillDocument(version, rows));
        for (int y = 0; y < 3; ++y) {
            if (twill.GetLongFloat(0, y)) {
                return y;
            }
        }
        return -1;
    };
    NumericLocale locale;
    for (const char* name : {"C", "de_DE.UTF-8"}) {
        if (!locale.Set(name) && !locale.Set("de_DE.utf8")) {
            GTEST_SKIP() << "no German locale installed";
        }
        SCOPED_TRACE(name);
        // Before 1.16 "P1" was the top row.
        EXPECT_EQ(2, bottomRowOf("1.15"));
        EXPECT_EQ(2, bottomRowOf("1,15"));
        EXPECT_EQ(0, bottomRowOf("1.16"));
        EXPECT_EQ(0, bottomRowOf("1,16"));
        EXPECT_EQ(0, bottomRowOf("1.17"));
        // A file without a version is older than any.
        EXPECT_EQ(2, bottomRowOf(""));
    }
}

TEST_F(TwillPatternTest, ReadsTwillDirectionAndPrefersReversalsToLongFloats)
{
    UserSettings().BrokenTwill.DefaultTwill = TTWTwillDirection::Z;
    TTW31TwillPattern twill;
    EXPECT_EQ(TTWTwillDirection::Z, twill.BackgroundTwill());
    EXPECT_EQ(PatternTypeBrokenTwill, twill.GetPatternType());

    ReadInto(twill, TwillDocument("1.17", "<Width>3</Width><Length>2</Length><BackgroundTwill>Z</BackgroundTwill>"
                                          "<Reversals><P2>.F.</P2></Reversals><LongFloats><P1>XXX</P1></LongFloats>"));
    EXPECT_EQ(TTWTwillDirection::Z, twill.BackgroundTwill());
    EXPECT_TRUE(twill.GetLongFloat(1, 1));
    EXPECT_FALSE(twill.GetLongFloat(0, 0));
    EXPECT_FALSE(twill.GetLongFloat(0, 1));
    EXPECT_EQ(3, twill.LongFloats().Width());
    EXPECT_EQ(2, twill.LongFloats().Height());

    // Only the two letters written are read: a small "z", or anything else, is refused.
    for (const char* text : {"z", "s", "Q", ""}) {
        TTW31TwillPattern other;
        EXPECT_EQ(RaisedMessage([&] {
                      ReadInto(other, TwillDocument("1.17", "<Width>3</Width><Length>2</Length><BackgroundTwill>"
                                                                + std::string(text) + "</BackgroundTwill>"));
                  }),
                  "Invalid letter (" + std::string(text) + ") in <BackgroundTwill>.\r\nThe letters allowed are S or Z.");
    }
    ReadInto(twill, TwillDocument("1.17", "<Width>3</Width><Length>2</Length><BackgroundTwill>S</BackgroundTwill>"));
    EXPECT_EQ(TTWTwillDirection::S, twill.BackgroundTwill());
    // Rows the file does not hold keep their marks.
    EXPECT_TRUE(twill.GetLongFloat(1, 1));
    ReadInto(twill, TwillDocument("1.17", "<Width>3</Width><Length>2</Length>"));
    EXPECT_EQ(TTWTwillDirection::S, twill.BackgroundTwill());
}

TEST_F(TwillPatternTest, ConvertsColumnByColumnWithItsPhaseAndColourInterchange)
{
    TTW31TwillPattern one;
    UserSettings().BrokenTwill.DefaultTwill = TTWTwillDirection::S;
    one.SetSize(1, 1);
    // Phase 0 starts backwards and flips at once: a clear bottom cell starts no run.
    EXPECT_EQ((std::vector<std::string>{"1F", "1F"}), Converted(one));

    TTW31TwillPattern twill;
    twill.SetBackgroundTwill(TTWTwillDirection::S);
    MakeSmallTwill(twill);
    UserSettings().BrokenTwill.ColourInterchange = TTWColourInterchange::Turn;
    // Column 1 starts half a row early and closes with the next step of its cycle.
    EXPECT_EQ((std::vector<std::string>{"1B 2F", "1B 2F", "1B 2F", "1F 2F"}), Converted(twill));

    UserSettings().BrokenTwill.ColourInterchange = TTWColourInterchange::Twist;
    EXPECT_EQ((std::vector<std::string>{"1V 1F 2F", "1F 2V 2B", "1F 2B", "1B 2F"}), Converted(twill));

    UserSettings().BrokenTwill.ColourInterchange = TTWColourInterchange::Turn;
    twill.SetBackgroundTwill(TTWTwillDirection::Z);
    // A Z twill gives column 1 the fourth phase: it starts backwards.
    EXPECT_EQ((std::vector<std::string>{"1B 2B", "1B 2B", "1B 2B", "1F 2B"}), Converted(twill));

    TTW31TwillPattern plain;
    plain.SetBackgroundTwill(TTWTwillDirection::S);
    plain.SetSize(4, 2);
    // Without a design each column runs two forwards, two backwards, a quarter apart.
    EXPECT_EQ((std::vector<std::string>{"1F 2F 3B 4B", "1F 2B 3B 4F", "1B 2B 3F 4F", "1B 2F 3F 4B"}),
              Converted(plain));
}

TEST_F(TwillPatternTest, ConvertedTwillWeavesTwoPicksPerRow)
{
    TTW31TwillPattern twill;
    MakeSmallTwill(twill);
    for (int i = 0; i < 2; ++i) {
        twill.Cards().Add(CreateCard(4).release());
    }
    TTWPattern threaded;
    twill.ConvertToThreaded(threaded);
    EXPECT_EQ(2, threaded.Cards().Count());
    TTWWeaving weaving;
    threaded.BuildWeaving(weaving, nullptr, false, 0);
    EXPECT_EQ(2, weaving.Width());
    EXPECT_EQ(twill.GetPickCount(), weaving.PickCount());
}

TEST_F(TwillPatternTest, SavesTheGoldenFileAndReadsItBack)
{
    TTW31TwillPattern twill;
    twill.SetName("Twill");
    twill.SetBackgroundTwill(TTWTwillDirection::Z);
    twill.SetSaveCardsAndPalette(false);
    MakeSmallTwill(twill);
    const std::string file = File("twill.tvl");
    twill.SaveToFile(file);
    const std::string golden =
        "<TWData>\r\n"
        "  <Source>Tavelin</Source>\r\n"
        "  <Version>1.17</Version>\r\n"
        "  <Release/>\r\n"
        "  <Pattern Type=\"BrokenTwill\">\r\n"
        "    <Name><![CDATA[Twill]]></Name>\r\n"
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
        "    <Length>2</Length>\r\n"
        "    <ColourCount>2</ColourCount>\r\n"
        "    <Data>\r\n"
        "      <P2>.X</P2>\r\n"
        "      <P1>X.</P1>\r\n"
        "    </Data>\r\n"
        "    <BackgroundTwill>Z</BackgroundTwill>\r\n"
        "    <LongFloats>\r\n"
        "      <P2>X.</P2>\r\n"
        "      <P1>..</P1>\r\n"
        "    </LongFloats>\r\n"
        "  </Pattern>\r\n"
        "</TWData>\r\n";
    EXPECT_EQ(golden, fw::ReadFileBytes(file));

    UserSettings().BrokenTwill.DefaultTwill = TTWTwillDirection::S;
    std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(file);
    ASSERT_EQ("TTW31TwillPattern", loaded->className());
    auto& read = static_cast<TTW31TwillPattern&>(*loaded);
    EXPECT_EQ(TTWTwillDirection::Z, read.BackgroundTwill());
    EXPECT_TRUE(read.GetLongFloat(0, 1));
    EXPECT_TRUE(read.GetCell(1, 1));
    EXPECT_EQ(4, read.GetPickCount());

    for (const char* type : {"3/1 Broken Twill", "brokentwill"}) {
        const std::string other = File("other.tvl");
        std::ofstream(other, std::ios::binary) << "<TWData><Version>1.17</Version><Pattern Type=\"" << type
                                               << "\"><Width>1</Width><Length>1</Length></Pattern></TWData>";
        EXPECT_EQ(PatternTypeBrokenTwill, LoadAndCreatePattern(other)->GetPatternType()) << type;
    }
}

TEST_F(TwillPatternTest, AssignAndResizeKeepBothGridsTogether)
{
    TTW31TwillPattern source;
    source.SetBackgroundTwill(TTWTwillDirection::Z);
    MakeSmallTwill(source);

    TTW31TwillPattern copy;
    copy.SetBackgroundTwill(TTWTwillDirection::S);
    copy.Assign(&source);
    EXPECT_EQ(TTWTwillDirection::Z, copy.BackgroundTwill());
    EXPECT_TRUE(copy.GetLongFloat(0, 1));
    EXPECT_TRUE(copy.GetCell(0, 0));

    // A plain double-face source brings its size; the long floats follow it.
    TTWDFPattern plain;
    plain.SetSize(5, 4);
    copy.Assign(&plain);
    EXPECT_EQ(TTWTwillDirection::Z, copy.BackgroundTwill());
    EXPECT_EQ(5, copy.LongFloats().Width());
    EXPECT_EQ(4, copy.LongFloats().Height());

    copy.SetLength(1);
    EXPECT_EQ(1, copy.LongFloats().Height());
    copy.SetLongFloat(4, 0, true);
    copy.SetLongFloat(5, 0, true);
    EXPECT_TRUE(copy.GetLongFloat(4, 0));
    EXPECT_FALSE(copy.GetLongFloat(5, 0));
    EXPECT_THROW(copy.SetWidth(TTWDFPattern::MaxWidth + 1), TGenericException);
    EXPECT_EQ(5, copy.LongFloats().Width());
}

namespace {

// Rows "P<n>" from the top row n = rows down to 1, each of the given width, with marks at the
// (column, row) cells listed (row counted from the bottom, from 0).
std::string Rows(int width, int rows, const std::vector<std::pair<int, int>>& marks)
{
    std::string text;
    for (int y = rows - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(width), '.');
        for (const auto& [x, markRow] : marks) {
            if (markRow == y) {
                row[static_cast<std::size_t>(x)] = 'X';
            }
        }
        text += "<P" + std::to_string(y + 1) + ">" + row + "</P" + std::to_string(y + 1) + ">";
    }
    return text;
}

// A twill of 8 cards and 10 rows whose long-float layer is the given rows.
std::string TwillWithLayer(std::string_view version, const std::string& layerRows)
{
    return TwillDocument(version, "<Width>8</Width><Length>10</Length><Data>" + Rows(8, 10, {{0, 0}, {7, 9}})
                                      + "</Data><LongFloats>" + layerRows + "</LongFloats>");
}

} // namespace

TEST_F(TwillPatternTest, ALongFloatLayerMarkingCellsOutsideTheDesignIsRefused)
{
    TTW31TwillPattern twill;
    // 16 x 14 against 8 x 10: a mark to the right of the design, one above it.
    EXPECT_THROW(ReadInto(twill, TwillWithLayer("1.17", Rows(16, 14, {{12, 3}}))), TGenericException);
    try {
        ReadInto(twill, TwillWithLayer("1.17", Rows(16, 14, {{12, 3}})));
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Invalid row P4 of LongFloats (16 cells).\r\nThe design's cards are 1 to 8: a "
                                   "cell set beyond them would be lost.");
    }
    try {
        ReadInto(twill, TwillWithLayer("1.17", Rows(8, 14, {{2, 13}})));
        ADD_FAILURE() << "a mark above the design was read";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Invalid row P14 of LongFloats.\r\nThe design's rows are P1 to P10: a cell "
                                   "set in another row would be lost.");
    }
    // The old layer names rows from the top: its P11 lies above the design as well.
    EXPECT_THROW(ReadInto(twill, TwillWithLayer("1.15", Rows(8, 11, {{2, 10}}))), TGenericException);
    // So does the design's own grid: a set cell beyond the width, or in a row not there.
    EXPECT_THROW(ReadInto(twill, TwillDocument("1.17", "<Width>2</Width><Length>1</Length><Data><P1>..F</P1></Data>")),
                 TGenericException);
    EXPECT_THROW(ReadInto(twill, TwillDocument("1.17", "<Width>2</Width><Length>1</Length><Data><P0>X.</P0></Data>")),
                 TGenericException);
    EXPECT_THROW(ReadInto(twill, TwillDocument("1.17", "<Width>2</Width><Length>1</Length><Data><Px>X</Px></Data>")),
                 TGenericException);
}

TEST_F(TwillPatternTest, ALongFloatLayerOfAnotherSizeMarkingOnlyDesignCellsKeepsEveryMark)
{
    // 3 x 2 and 16 x 14 layers whose marks all lie within the 8 x 10 design: every mark is
    // read into its cell and written back there; what lay outside held nothing.
    const std::vector<std::pair<int, int>> marks{{0, 0}, {2, 1}, {1, 0}};
    for (const auto& [width, rows] : {std::pair{3, 2}, std::pair{16, 14}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(rows));
        TTW31TwillPattern twill;
        ReadInto(twill, TwillWithLayer("1.17", Rows(width, rows, marks)));
        twill.SaveToFile(File("layer.tvl"));
        TTW31TwillPattern again;
        again.LoadFromFile(File("layer.tvl"));
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool marked = std::find(marks.begin(), marks.end(), std::pair{x, y}) != marks.end();
                EXPECT_EQ(again.GetLongFloat(x, y), marked) << x << "," << y;
            }
        }
    }
}
